#pragma once
// A factory that makes one kind of object, known by a string id ("timer",
// "statemanager", ...). The registry keeps the creators and makes objects by
// id through them.
#include "container/VoBase.h"
#include "container/VoString.h"

class VoIObjectCreator : public VoBase {
public:
    static constexpr const char* kInvalidId = "Invalid id.";

    // An empty id is logged as an assertion failure; the creator is still made.
    explicit VoIObjectCreator(const VoString& aId);
    VoIObjectCreator(const VoIObjectCreator&) = delete;
    VoIObjectCreator& operator=(const VoIObjectCreator&) = delete;
    ~VoIObjectCreator() override;

    // A new object (or, for the manager creators, the live singleton); null
    // when it cannot be made. Who owns the result depends on the creator.
    virtual VoBase* Create() = 0;
    // Takes back an object of Create's that its caller refused (it was not a
    // stream object or failed its Initialize). The default leaves it alone,
    // as a creator that hands out a live singleton must; a creator that made
    // it new deletes it, or nobody would.
    virtual void Discard(VoBase* apObject);

    const VoString& GetId() const { return fId; }

private:
    const VoString fId;
};
