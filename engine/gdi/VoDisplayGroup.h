#pragma once
// The display object that holds other display objects, its members, and so
// makes the display tree: the display manager's "root" at the top, every
// screen, panel and widget below it.
//
// Members are kept under their ids in drawing order: ascending relative z,
// members of equal z in the order they were added. The group draws them in
// that order, passes every change of its inherited properties and of its
// transform on to them, finds them by dotted id paths ("panel.button") and
// owns them: deleting a group deletes its members.
#include "container/VoHashKeyList.h"
#include "gdi/VoIDisplayObject.h"

class VoDisplayGroup : public VoIDisplayObject {
public:
    static constexpr const char* kAddNull = "Add member failure. apMember == NULL.";
    static constexpr const char* kAddNoId = "AddMember failure. ID not found.";
    static constexpr const char* kAddDuplicate = "Add member failure. ID duplication: ";
    static constexpr const char* kAddRefused = "Add member failure. The member list refused the member.";
    static constexpr const char* kRemoveNull = "RemoveMember failure. NULL arg.";
    static constexpr const char* kRemoveNotFound = "Remove member failure: ";
    static constexpr const char* kSetIdDuplicate = "SetId failure. ID duplication: ";
    static constexpr const char* kRenderNull = "Render failure. NULL arg.";
    static constexpr const char* kNYI = "NYI.";

    // Empty; needs an id (SetId) before it is added to another group.
    VoDisplayGroup();
    // Leaves its own group, then deletes every member in drawing order.
    ~VoDisplayGroup() override;

    VoString ToString() const override;

    // Draws nothing while not effectively active or visible; with a world
    // rectangle the members are drawn clipped to it. The AND of the members'
    // results.
    bool Render(VoRenderer* apRenderer) override;
    void InvalidateActive() override;
    void InvalidateBlend() override;
    void InvalidateEnabled() override;
    // Stores the value and moves the group to its new place in its own group.
    bool SetRelativeZ(float aZ) override;
    void InvalidateRotation() override;
    void InvalidateScale() override;
    void InvalidateTransform() override;
    void InvalidateWorldTransform() override;
    void InvalidateVisible() override;
    void Validate() override;

    // Takes ownership when true. Refuses null, an empty id, an id already in
    // the group and a member that belongs to a group. aCheckDuplicates goes
    // to the member list (the engine passes true; false is for bulk adds,
    // which SortMembers may follow).
    virtual bool AddMember(VoIDisplayObject* apMember, bool aCheckDuplicates);
    // Removes that very object, even when its id has changed since it was
    // added; never another member that has the same id. Ownership goes back
    // to the caller.
    virtual bool RemoveMember(VoIDisplayObject* apMember);
    // The same by id; the member goes to *appMember when that is given.
    virtual bool RemoveMember(const VoString& aId, VoIDisplayObject** appMember);

    // Finds by a path of ids separated by ".": each part but the last names a
    // member group of the group reached so far. False, aOut untouched, when
    // a part is not found or an inner part is not a group.
    bool FindMember(const VoString& aPath, VoIDisplayObject*& aOut);
    // FindMember's result, or null.
    VoIDisplayObject* GetMember(const VoString& aPath);
    // Moves the member of that id to the place its new relative z calls for;
    // nothing else of it changes.
    bool ReorderMember(const VoString& aId, float aZ);
    // Sorts the id index after bulk adds; the drawing order stays. True.
    bool SortMembers();
    // The member list itself: ids and members in drawing order.
    VoHashKeyList& GetMembers() { return fMembers; }
    int GetMemberCount() const { return fMembers.GetCount(); }
    // The member at a drawing position; null outside 0 .. count - 1.
    VoIDisplayObject* GetMemberAt(int aIndex);

    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

private:
    friend class VoIDisplayObject;

    // Inserts the member before the first member of strictly greater z.
    bool Insert(const VoString& aId, VoIDisplayObject* apMember, bool aCheckDuplicates);
    // The drawing position of that very object, or -1.
    int IndexOfMember(const VoIDisplayObject* apMember);
    // Takes the entry at a drawing position out of the list; the member's link stays.
    bool RemoveAt(int aIndex);
    // Files the member under a new id at the same drawing position; false
    // when another member has the id.
    bool RekeyMember(VoIDisplayObject* apMember, const VoString& aId);
    // Lookups by id need the hash index sorted after unchecked adds.
    void SortIfStale();

    VoHashKeyList fMembers;  // id -> VoIDisplayObject (owned), in drawing order
    bool fIndexStale;        // an unchecked add left the id index unsorted
};
