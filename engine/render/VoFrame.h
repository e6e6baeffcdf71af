#pragma once
// A named transform of a model's tree, optionally carrying a mesh (owned).
// Frames link to their parent, next sibling and first child (none owned:
// the draw element owns every frame of its model).
//
// Three matrices: the file matrix is the rest transform as stored, the
// relative matrix the current transform relative to the parent (animation
// writes it, starting each frame from the file matrix), the absolute matrix
// the world transform. A new frame holds the identity in all three.
//
// The frame id is the name's hash (VoHashKeyList::Hash, shift 7,
// case-sensitive): animation tracks find their frames by it.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"

class VoMesh;
class VoVector;

class VoFrame : public VoStreamObject {
public:
    static constexpr int kHashShift = 7;
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kNoRasterizer = "Could not get rasterizer.";
    static constexpr const char* kUpdateNYI = "VoFrame::Update NYI.";

    // The frame id of a name.
    static std::uint32_t HashOf(const VoString& aName);

    VoFrame();
    // Deletes the mesh and forgets the links.
    ~VoFrame() override;
    VoFrame(const VoFrame&) = delete;
    VoFrame& operator=(const VoFrame&) = delete;

    // absolute = relative x the parent's absolute; a frame without parent
    // (apParent null) is placed at the identity. Then the first child's
    // chain with this frame as parent and the next sibling's chain with the
    // same parent.
    bool UpdateTransforms(const VoFrame* apParent);
    // Appends this frame, then its first child's subtree, then its next
    // sibling's (pre-order); false, asserted, for null.
    bool CollectFrames(VoVector* apFrames);
    // This frame when its name is aName (case-sensitive), else the first
    // match in the first child's subtree, else in the next sibling's.
    VoFrame* FindFrame(const VoString& aName);
    // Follows the parent links to the frame without parent.
    VoFrame* GetRoot();
    // Sets this frame's parent link, its children's (to this frame) and its
    // siblings' (to the same parent), down the whole tree.
    void SetParents(VoFrame* apParent);
    // Draws the mesh, if any: a skinned mesh with the identity as world
    // transform (its vertices are skinned into world space), any other with
    // the absolute matrix. Nothing without a rasterizer (asserted). True.
    bool Render();
    // Not implemented: logs and answers false.
    bool Update();

    // Appends a child (not owned) at the end of this frame's child chain
    // and makes this frame its parent; false for null.
    bool AddChild(VoFrame* apChild);

    std::uint32_t GetFrameNumber() const { return fFrameNumber; }
    void SetFrameNumber(std::uint32_t aNumber) { fFrameNumber = aNumber; }
    std::uint32_t GetFrameId() const { return fFrameId; }
    // As stored: a file's frame id is kept even when it is not the name's hash.
    void SetFrameId(std::uint32_t aId) { fFrameId = aId; }
    const VoString& GetName() const { return fName; }
    // Names the frame and sets its frame id to the name's hash.
    void SetName(const VoString& aName);
    VoMesh* GetMesh() const { return fpMesh; }
    // Takes the mesh (owned from then on; the old one is deleted) and makes
    // this frame its owner frame.
    void SetMesh(VoMesh* apMesh);

    const VoMatrix& GetFileMatrix() const { return fFileMatrix; }
    const VoMatrix& GetRelativeMatrix() const { return fRelativeMatrix; }
    const VoMatrix& GetAbsoluteMatrix() const { return fAbsoluteMatrix; }
    VoMatrix& FileMatrix() { return fFileMatrix; }
    VoMatrix& RelativeMatrix() { return fRelativeMatrix; }
    VoMatrix& AbsoluteMatrix() { return fAbsoluteMatrix; }
    void SetFileMatrix(const VoMatrix& aMatrix) { fFileMatrix = aMatrix; }
    void SetRelativeMatrix(const VoMatrix& aMatrix) { fRelativeMatrix = aMatrix; }
    void SetAbsoluteMatrix(const VoMatrix& aMatrix) { fAbsoluteMatrix = aMatrix; }

    VoFrame* GetParent() const { return fpParent; }
    VoFrame* GetNextSibling() const { return fpNextSibling; }
    VoFrame* GetFirstChild() const { return fpFirstChild; }
    void SetParent(VoFrame* apParent) { fpParent = apParent; }
    void SetNextSibling(VoFrame* apSibling) { fpNextSibling = apSibling; }
    void SetFirstChild(VoFrame* apChild) { fpFirstChild = apChild; }

private:
    std::uint32_t fFrameNumber = 0;  // link key of the raw form
    std::uint32_t fFrameId = 0;
    VoString fName;
    VoMesh* fpMesh = nullptr;  // owned; null without geometry
    VoMatrix fFileMatrix;
    VoMatrix fRelativeMatrix;
    VoMatrix fAbsoluteMatrix;
    VoFrame* fpParent = nullptr;       // not owned
    VoFrame* fpNextSibling = nullptr;  // not owned
    VoFrame* fpFirstChild = nullptr;   // not owned
};
