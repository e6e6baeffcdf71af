#pragma once
// The persistent facts of a game: typed states held by id (lower case), with
// listeners told in descending order of their orders whenever a state is added
// or set with notification. Written into every save game and read back.
//
// Ids: HasState and GetState lower-case the id they are given. The text and
// raw SetState forms look the id up exactly as passed (callers pass lower
// case); the typed form lower-cases it first, since it creates the state under
// the lower-cased id when it is missing.
//
// Record (Save / OnLoad): i32 count, then count VoIState records in insertion
// order.
#include <cstdint>

#include "container/VoHashKeyList.h"
#include "stdlib/VoAPIObject.h"
#include "stdlib/VoListenerList.h"

class VoIState;
class VoIStateListener;
class VoIStream;

class VoStateManager : public VoAPIObject {
public:
    static constexpr const char16_t* kId = u"statemanager";

    static constexpr const char* kCreationFailure = "VoStateManager creation failure.";
    static constexpr const char* kAddListenerNull = "AddListener failure. NULL arg.";
    static constexpr const char* kRemoveListenerNull = "RemoveListener failure. NULL arg.";
    static constexpr const char* kRemoveListenerFailure = "RemoveListener failure.";
    static constexpr const char* kAddStateNull = "AddState failure. NULL arg.";
    static constexpr const char* kAddFailure = "Add failure.";
    static constexpr const char* kGetArrayFailure = "GetArrayOfData failure.";
    static constexpr const char* kSetStateInvalidArg = "SetState failure. Invalid arg.";
    static constexpr const char* kSetStateNotFound = "SetState failure. ID not found:";
    static constexpr const char* kSetStateValue = ", value:";
    // The typed SetState could not make the state it was asked for.
    static constexpr const char* kSetStateCreateFailure = "SetState failure. Could not create the state: ";
    static constexpr const char* kOnLoadFailure = "OnLoad failure. Invalid state record: ";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoStateManager* GetInstance();

    VoStateManager();
    VoStateManager(const VoStateManager&) = delete;
    VoStateManager& operator=(const VoStateManager&) = delete;
    // Deletes the states; the listeners are not told.
    ~VoStateManager() override;

    // Takes apState when true. A state whose id is held is refused silently
    // (the caller keeps it) unless aReplace, which deletes the held one.
    bool AddState(VoIState* apState, bool aNotify, bool aReplace);
    bool HasState(const VoString& aId);
    // The manager's state, or null.
    VoIState* GetState(const VoString& aId);
    // Text form: the value parsed for the state's type. The state must exist.
    bool SetState(const VoString& aId, const VoString& aValue, bool aNotify);
    // Raw form: apValue is a bool, float or VoString by the state's type.
    bool SetState(const VoString& aId, const void* apValue, bool aNotify);
    // Text given as characters (a literal above all) takes the text form, not
    // the raw one; a null pointer fails as in the raw form.
    bool SetState(const VoString& aId, const char16_t* apValue, bool aNotify);
    bool SetState(const VoString& aId, const char* apValue, bool aNotify);
    // Typed form: creates the state when it is missing ("boolean", "number";
    // any other name makes a string), announcing it once more when aNotify.
    bool SetState(const VoString& aId, const VoString& aTypeName, const VoString& aValue, bool aNotify);
    void ClearStates();
    int GetStateCount() const { return fStates.GetCount(); }

    // Not owned. A listener already registered keeps its first order.
    bool AddListener(VoIStateListener* apListener, float aOrder);
    bool RemoveListener(VoIStateListener* apListener);
    // From inside OnStateChanged: the rest of the notification is skipped.
    void StopNotify() { fListeners.StopNotify(); }
    void NotifyListeners(VoIState* apState);

    // The states as plain log lines, in insertion order.
    void DumpStates();

    bool Initialize(std::uintptr_t aArgument) override;
    // Clears the states first; listeners are not told. Stops at the first
    // record that cannot be read.
    bool OnLoad(VoIStream* apStream, float aVersion) override;
    bool Save(VoIStream* apStream) override;
    VoString ToString() const override;

private:
    // Stamps the state with the timer's time, sets the value and notifies.
    template <typename Value>
    void Apply(VoIState* apState, const Value& aValue, bool aNotify);
    // Takes apState when true; logs nothing.
    bool Store(VoIState* apState);

    VoHashKeyList fStates;  // lower-case id -> VoIState (owned), in insertion order
    VoListenerList fListeners;
};
