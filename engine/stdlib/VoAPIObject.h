#pragma once
// The base of the objects that carry an id and can write themselves into a
// save game and read themselves back: the restorable managers (event and
// state managers, game clock) and the scene nodes. A restorable's id is also
// the id of the creator that yields it, so a save game can name it.
#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoIStream;

class VoAPIObject : public VoStreamObject {
public:
    VoAPIObject() = default;
    VoAPIObject(const VoAPIObject&) = delete;
    VoAPIObject& operator=(const VoAPIObject&) = delete;
    // Leaves the restore manager's list of restorables.
    ~VoAPIObject() override;

    bool Initialize(std::uintptr_t aArgument) override = 0;
    // Restores the object's state from the stream's position; aVersion is the
    // tag of the object's save record.
    virtual bool OnLoad(VoIStream* apStream, float aVersion) = 0;
    // Writes the object's state at the stream's position.
    virtual bool Save(VoIStream* apStream) = 0;

    const VoString& GetId() const { return fId; }
    // Always true.
    bool SetId(const VoString& aId);

private:
    VoString fId;  // empty until set
};
