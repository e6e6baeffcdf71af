#pragma once
// Stand-ins for the objects that creators make and managers keep.
#include <cstdint>
#include <functional>
#include <utility>

#include "container/VoStreamObject.h"
#include "object/VoIObjectCreator.h"

// Counts its Initialize calls and notes its deletion in a flag of the test's.
class ProbeObject : public VoStreamObject {
public:
    explicit ProbeObject(bool* apDeleted = nullptr, bool aInitializes = true)
        : fpDeleted(apDeleted), fInitializes(aInitializes) {}
    ~ProbeObject() override {
        if (fpDeleted != nullptr) {
            *fpDeleted = true;
        }
    }
    bool Initialize(std::uintptr_t aArgument) override {
        ++fInitializeCount;
        fLastArgument = aArgument;
        return fInitializes;
    }

    int fInitializeCount = 0;
    std::uintptr_t fLastArgument = 0;

private:
    bool* fpDeleted;  // not owned, outlives the object
    bool fInitializes;
};

// A creator whose Create runs a function of the test's.
class FunctionCreator : public VoIObjectCreator {
public:
    FunctionCreator(const VoString& aId, std::function<VoBase*()> aCreate)
        : VoIObjectCreator(aId), fCreate(std::move(aCreate)) {}
    VoBase* Create() override { return fCreate ? fCreate() : nullptr; }

private:
    std::function<VoBase*()> fCreate;
};
