#pragma once
// The shape of the manager creators: Create makes nothing new but hands out
// the live singleton of one of the restorable managers, whose id the creator
// shares, so the restore manager finds the live manager from a saved id. Null
// when the manager cannot be made or is gone. Deleting the creator leaves the
// manager alone: it belongs to the engine cleaner.
//
//     class VoFooManagerCreator : public VoSingletonCreator<VoFooManager> {
//     public:
//         VoFooManagerCreator() : VoSingletonCreator("VoFooManagerCreator") {}
//     };
#include "container/VoDebugString.h"
#include "object/VoIObjectCreator.h"

template <typename Manager>
class VoSingletonCreator : public VoIObjectCreator {
public:
    // apClassName: a string literal, the creator's class name for its debug string.
    explicit VoSingletonCreator(const char* apClassName)
        : VoIObjectCreator(Manager::kId), fpClassName(apClassName) {}

    VoBase* Create() override { return Manager::GetInstance(); }

    VoString ToString() const override { return VoDebugString(fpClassName, this); }

private:
    const char* fpClassName;  // not owned, a string literal
};
