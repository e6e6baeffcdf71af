#pragma once
// A scene node that gathers other nodes under one id: members are filed by
// their node ids (case-sensitive) in insertion order and rendered in that
// order. The group does not own its members, and filing a member does not
// set the member's group link: whoever builds a hierarchy calls the member's
// SetGroup as well.
//
// A group filed with the node manager under its node id leaves the manager
// when it is destroyed.
#include "container/VoHashKeyList.h"
#include "scene/VoINodeObject.h"

class VoNodeGroup : public VoINodeObject {
public:
    static constexpr int kHashShift = 7;
    static constexpr const char* kAddMemberNull = "AddMember failure. Null arg.";
    static constexpr const char* kAddMemberNoId = "AddMember failure. No id found.";
    static constexpr const char* kAddMemberDuplicate = "AddMember failure. ID:";
    static constexpr const char* kInvalidArg = "Invalid arg.";

    VoNodeGroup();
    // Leaves the node manager when it holds this very group under its id;
    // the members are left alone.
    ~VoNodeGroup() override;
    VoNodeGroup(const VoNodeGroup&) = delete;
    VoNodeGroup& operator=(const VoNodeGroup&) = delete;

    // "[VoNodeGroup <address>]".
    VoString ToString() const override;

    // Files the node under its node id; false, logged, for null, an empty
    // id and an id already filed (the message ends with the id).
    bool AddMember(VoINodeObject* apMember);
    // The member filed under the id, or null.
    VoINodeObject* GetMember(const VoString& aId);
    // appOut must point to null ("Invalid arg." otherwise). An id that is not
    // filed changes nothing and answers true; otherwise the member is taken
    // out and handed over through appOut.
    bool RemoveMember(const VoString& aId, VoINodeObject** appOut);
    int GetMemberCount() const { return fMembers.GetCount(); }

    // Renders every member in insertion order, over a copy of the list taken
    // first; the AND of their results, true without members.
    bool Render() override;
    // Invalidates every member's transform (not the group's own) and answers
    // the AND of their results.
    bool InvalidateTransform() override;

private:
    VoHashKeyList fMembers;  // VoINodeObject pointers, not owned
};
