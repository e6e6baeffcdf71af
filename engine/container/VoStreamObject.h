#pragma once
// The base of the engine's heavier objects (services, nodes, meshes, textures,
// the restorable managers): a VoBase that saves itself, with two persisted
// flags and an Initialize step that the object manager runs after creating it.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"

class VoStreamObject : public VoBase, public VoISerializable {
public:
    VoStreamObject() = default;
    ~VoStreamObject() override = default;

    // Called right after creation with the argument given to the create call;
    // false makes the creation fail. The default ignores the argument.
    virtual bool Initialize(std::uintptr_t aArgument);
    virtual bool GetPersistedFlag1() const;
    // Reserved slots: nothing overrides them and they return 0.
    virtual std::uint32_t GetReserved4() const;
    virtual bool GetPersistedFlag2() const;
    virtual std::uint32_t GetReserved6() const;
    virtual std::uint32_t GetReserved7() const;

    // The default saved form is the two flags, first flag first, each with the
    // stream's boolean reader or writer; both are always attempted and the
    // result is true only when both succeed.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

protected:
    bool fPersistedFlag1 = false;
    bool fPersistedFlag2 = false;
};
