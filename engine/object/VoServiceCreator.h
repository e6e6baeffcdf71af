#pragma once
// The shape of the platform creators: Create allocates a new service of one
// class (null when the allocation fails, without a message; the caller
// reports). Some of them (texture, matrix utility, sound and movie managers)
// also initialise the new object with 0 before handing it out, and the object
// manager initialises it again with its own argument: those services take a
// second Initialize.
//
//     class VoFooCreator : public VoServiceCreator<VoFoo, VoServiceInit::kNone> {
//     public:
//         VoFooCreator() : VoServiceCreator(u"foo", "VoFooCreator") {}
//     };
#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"

enum class VoServiceInit { kNone, kInitializeWithZero };

template <typename Service, VoServiceInit Init>
class VoServiceCreator : public VoIObjectCreator {
public:
    // apClassName: a string literal, the creator's class name for its debug string.
    VoServiceCreator(const char16_t* apId, const char* apClassName)
        : VoIObjectCreator(apId), fpClassName(apClassName) {}

    VoBase* Create() override {
        Service* service = VO_NEW Service();
        if (service != nullptr && Init == VoServiceInit::kInitializeWithZero) {
            service->Initialize(0);
        }
        return service;
    }

    // The service is new and nobody else holds it.
    void Discard(VoBase* apObject) override { delete apObject; }

    VoString ToString() const override { return VoDebugString(fpClassName, this); }

private:
    const char* fpClassName;  // not owned, a string literal
};
