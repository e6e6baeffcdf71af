#pragma once
// The engine's one list of 3D node groups. A scene registers its group (under
// the group's node id) and takes it out again when it is torn down; once per
// frame the application renders every group, in the order they were added,
// after the scene's own drawing and before the 2D display. The manager does
// not own the groups: whoever adds a group removes and deletes it.
#include "container/VoHashKeyList.h"
#include "container/VoStreamObject.h"

class VoNodeGroup;

class VoNodeManager : public VoStreamObject {
public:
    static constexpr int kHashShift = 7;
    static constexpr const char* kCreationFailure = "VoNodeManager creation failure.";
    static constexpr const char* kAddGroupNull = "AddGroup failure. Null arg.";
    static constexpr const char* kAddGroupNoId = "AddGroup failure. No id found.";
    static constexpr const char* kAddGroupDuplicate = "AddGroup failure. ID:";
    static constexpr const char* kInvalidArg = "Invalid arg.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoNodeManager* GetInstance();
    // The instance when it is live; never creates.
    static VoNodeManager* PeekInstance();

    // The groups still filed are left alone.
    ~VoNodeManager() override;

    // "[VoNodeManager <address>]".
    VoString ToString() const override;

    // Files the group under its node id; false, logged, for null, an empty
    // id and an id already filed (the message ends with the id).
    bool AddGroup(VoNodeGroup* apGroup);
    // The group filed under the id, or null.
    VoNodeGroup* GetGroup(const VoString& aId);
    // appOut must point to null ("Invalid arg." otherwise). An id that is not
    // filed changes nothing and answers true; otherwise the group is taken
    // out and handed over through appOut (the caller deletes it).
    bool RemoveGroup(const VoString& aId, VoNodeGroup** appOut);
    int GetGroupCount() const { return fGroups.GetCount(); }

    // Renders every group in the order added, going on after a failure; the
    // AND of their results, true without groups.
    bool Render();

private:
    VoNodeManager();

    VoHashKeyList fGroups;  // VoNodeGroup pointers, not owned
};
