#pragma once
// One loaded model: a tree of frames (named transforms, some carrying a
// mesh), kept also as a flat list in pre-order, plus the animation
// controller (owned) and lip-sync player (attached through VoILipSyncHook,
// not owned) that move its frames. Nodes own draw elements and render them;
// characters update them every frame.
//
// Render mode 1 draws by walking the tree from the root (the root's own
// siblings are not drawn); any other mode draws the frame list in order.
//
// Update (parent): advances the controller to its clock, calls the update
// hook, applies the animations to the frames, lets the lip-sync player lay
// the face over them, then places every frame: root absolute = root relative
// x parent, each child's = its relative x its parent frame's absolute.
//
// Applying the animations: every relative matrix starts again from its file
// matrix; then every occupied slot of the controller, in slot order, poses
// the frames its tracks name (by name hash) at key k = trunc(time x 30)
// (VoAnimationSlot::SampleKeyIndex, with the end rule), limited to the keys
// each track holds. Each frame keeps its scale (its rows' lengths). Slot 0
// replaces the rotation by the key's; slots 1 to 6 turn the current rotation
// towards the key's by the slot's weight. Only the skeleton's root frame,
// "Biped", takes position keys (slot 0 replaces its translation, layers blend
// towards the key by weight); every other frame keeps its translation. An
// animation of no frames is skipped, and so is what a track has no keys for.
//
// Tag groups sort the frames whose names begin "W", go on with one or more
// letters and then "_": each letter before the "_" puts the frame in a
// group, "G" 0, "N" 1, "C" 2, "S" 3 and "R" 4 (other letters mean nothing).
//
// Mesh files (see VoMeshFile for which form a name calls for):
//
// Serialised (".lim1", Read and Write): bool "a root frame follows", then
// the root's frame record (VoFrame), which holds its children and siblings.
// After a read the frames are listed in pre-order and the mesh list built;
// a file without a root leaves the frames as they were ("Frames undefined."
// when there are none) and still reads.
//
// Raw (Load): 8 header bytes (not examined), i32 frame count F, an unused
// i32, then F raw frame records (VoFrame::Load), the first of them the root.
// The frame list keeps the file's order. The loader then moves every other
// frame's absolute translation by minus the root's, puts the root at the
// origin with unit rows in its three matrices, hands every skinned mesh the
// absolute matrix of each frame by frame number, and links the frames by
// their stored sibling and child numbers (the last other frame carrying a
// number wins). A link that would give a frame a second way in (it is
// already someone's child or sibling, or it is the root) or close a loop is
// refused and logged, so every walk of the frames ends. Tag groups are built
// in render mode 0 only.
//
// A read or load that fails (anything short, a count beyond the data, a
// record refused, frames nested deeper than VoMeshFile::kMaxFrameDepth)
// logs, answers false and leaves the element as it was.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoAnimationCtrl;
class VoAnimationSlot;
class VoFrame;
class VoIStream;
class VoILipSyncHook;
class VoIUpdateHook;
class VoMatrix;
class VoMesh;

class VoDrawElement : public VoStreamObject {
public:
    static constexpr std::int32_t kRenderList = 0;
    static constexpr std::int32_t kRenderTree = 1;
    static constexpr int kTagGroupCount = 5;
    // The tag letters, by group.
    static constexpr char16_t kTagLetters[kTagGroupCount] = {u'G', u'N', u'C', u'S', u'R'};

    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kFramesUndefined = "Frames undefined.";
    static constexpr const char* kCouldNotAllocate = "Could not allocate.";
    static constexpr const char* kReadFailure = "Read failure. Invalid mesh file.";
    static constexpr const char* kLoadFailure = "Load failure. Invalid mesh file.";
    static constexpr const char* kLinkRefused = "Load: frame link refused (second way in or loop): ";
    static constexpr const char* kTooDeep = "Load failure. Frames nested too deep.";
    static constexpr const char* kFileNotFound = "LoadFile failure. Mesh file not found: ";

    static constexpr std::uint32_t kRawHeaderBytes = 8;
    // Capacity of the stream a file is loaded into.
    static constexpr std::int32_t kLoadCapacity = 1024;

    // No frames, render mode 0, no controller, player or hook.
    VoDrawElement();
    // Deletes every frame, the controller, the hook and the lists.
    ~VoDrawElement() override;
    VoDrawElement(const VoDrawElement&) = delete;
    VoDrawElement& operator=(const VoDrawElement&) = delete;

    // The serialised form (see above).
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    // The raw form (see above), the render mode stored with it.
    bool Load(VoIStream* apStream, std::int32_t aRenderMode);
    // Loads the whole file at the engine path: the serialised form when the
    // name's last character is "1", else the raw form in render mode 1 (as
    // characters and props are loaded). False, logged, when the file cannot
    // be opened or read.
    bool LoadFile(const VoString& aPath, bool aMapToNative);

    // Takes a tree of frames (owned from then on) in place of the old ones:
    // sets the parent links from the root down, lists the frames in
    // pre-order (a frame, its first child's subtree, its next sibling's) and
    // builds the mesh list. False, asserted, for null.
    bool SetRootFrame(VoFrame* apRoot);
    VoFrame* GetRootFrame() const { return fpRootFrame; }
    std::int32_t GetFrameCount() const { return fFrameCount; }
    // Null outside 0..count - 1.
    VoFrame* GetFrame(int aIndex) const;
    // The first frame of the list with that name, or null.
    VoFrame* FindFrame(const VoString& aName, bool aIgnoreCase) const;
    // Its position in the list, or -1.
    int FindFrameIndex(const VoString& aName, bool aIgnoreCase) const;
    // The first frame of the list whose frame id is aHash, or null.
    VoFrame* FindFrameByHash(std::uint32_t aHash) const;
    VoFrame* FindFrameByNameHash(const VoString& aName) const;

    // A new array (the caller's, delete[]) of the meshes of every frame that
    // has one, in list order, and its length. False, asserted, without frames.
    bool GetMeshes(int* apCount, VoMesh*** apppMeshes) const;
    // Rebuilds the element's own mesh list the same way.
    bool BuildMeshList();
    std::int32_t GetMeshCount() const { return fMeshCount; }
    // Null outside 0..count - 1.
    VoMesh* GetMesh(int aIndex) const;

    // Sorts the frames into the five tag groups (see above), in list order.
    bool BuildTagGroups();
    // 0 for a group outside 0..4.
    int GetTagGroupCount(int aGroup) const;
    // Null outside the group.
    VoFrame* GetTagGroupFrame(int aGroup, int aIndex) const;

    std::int32_t GetRenderMode() const { return fRenderMode; }
    void SetRenderMode(std::int32_t aMode) { fRenderMode = aMode; }

    VoAnimationCtrl* GetAnimationCtrl() const { return fpAnimationCtrl; }
    // Takes the controller (owned from then on); the old one is deleted.
    void SetAnimationCtrl(VoAnimationCtrl* apCtrl);
    VoILipSyncHook* GetLipSyncPlayer() const { return fpLipSyncPlayer; }
    // Attaches the player (not owned); null detaches it.
    void SetLipSyncPlayer(VoILipSyncHook* apPlayer) { fpLipSyncPlayer = apPlayer; }
    // Takes the hook (owned from then on; the old one is deleted); false,
    // asserted, for null.
    bool SetUpdateHook(VoIUpdateHook* apHook);

    // Draws the frames (see above). True.
    bool Render();
    // Updates the pose and places the frames (see above); apParent null
    // stands for the identity. True.
    bool Update(const VoMatrix* apParent);
    // Poses the frames from the controller's slots as they stand (see
    // above); nothing without a controller.
    void ApplyAnimations();

private:
    // Frees the old frames and takes the list (owned, with its frames) and
    // root; no mesh list or tag groups yet.
    void ReplaceFrames(VoFrame** appFrames, std::int32_t aCount, VoFrame* apRoot);
    void FreeFrames();
    void FreeTagGroups();
    // Poses the frames from one slot at key aKey.
    void ApplySlot(int aSlotIndex, VoAnimationSlot& aSlot, std::int32_t aKey);
    // The lip-sync player's pass: the face pose laid over the body pose.
    void UpdateLipSync();

    std::int32_t fFrameCount = 0;
    VoFrame** fppFrames = nullptr;   // owned, with the frames
    VoFrame* fpRootFrame = nullptr;  // the first frame of the list
    std::int32_t fMeshCount = 0;
    VoMesh** fppMeshes = nullptr;  // owned; the meshes belong to their frames
    std::int32_t fRenderMode = kRenderList;
    VoAnimationCtrl* fpAnimationCtrl = nullptr;  // owned
    VoILipSyncHook* fpLipSyncPlayer = nullptr;   // not owned: attached by the character
    VoIUpdateHook* fpUpdateHook = nullptr;       // owned
    std::int32_t fTagGroupCounts[kTagGroupCount] = {};
    VoFrame** fpppTagGroups[kTagGroupCount] = {};  // owned arrays of frames of the list
};
