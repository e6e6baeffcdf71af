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
//
// The serialised frame record (Read, Write): u32 frame id (kept as stored),
// string name, bool "has mesh" and then i32 mesh type (non-zero: skinned)
// and the mesh's record, the file matrix (the relative matrix starts as a
// copy), the absolute matrix, bool "has child" and then the first child's
// record, bool "has sibling" and then the next sibling's record. Siblings
// are read and written in a loop; only child levels nest, at most
// VoMeshFile::kMaxFrameDepth deep.
//
// The raw frame record (Load): u32 frame number, the file and absolute
// matrices as 16 f32 each, an unused i32, u32 sibling number, u32 child
// number, u32 mesh flags (low byte 1 static mesh, 2 skinned mesh, other
// values none; VoMesh::kRawCorners: the body carries its corners), u32 name
// length n and n 8-bit characters ending in a 0 that n counts, then the mesh
// body when there is a mesh.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"

class VoIStream;
class VoMesh;
class VoVector;

class VoFrame : public VoStreamObject {
public:
    static constexpr int kHashShift = 7;
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kNoRasterizer = "Could not get rasterizer.";
    static constexpr const char* kUpdateNYI = "VoFrame::Update NYI.";
    static constexpr const char* kTooDeep = "Read failure. Frames nested too deep.";
    static constexpr const char* kWriteTooDeep = "Write failure. Frames nested too deep.";

    // The raw mesh kinds of the mesh-flag word's low byte.
    static constexpr std::uint32_t kRawStaticMesh = 1;
    static constexpr std::uint32_t kRawSkinnedMesh = 2;

    // The frame id of a name.
    static std::uint32_t HashOf(const VoString& aName);
    // Deletes the frame, its children's subtrees and its next siblings'
    // (a tree that Read made, or one that no element owns); null is ignored.
    static void DeleteTree(VoFrame* apRoot);

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

    // The frame record with the records of its first child and next sibling
    // (see above), making a new frame for each; the links are replaced
    // (frames linked before belong to their element and are not deleted).
    // False, logged, when anything is short or refused; the frames this read
    // made are then deleted again and the links cleared.
    bool Read(VoIStream* apStream) override;
    // This frame's record with its child and sibling chains.
    bool Write(VoIStream* apStream) override;
    // The raw frame record (see above); the sibling and child numbers are
    // handed back for the model to resolve. The name's hash becomes the frame
    // id; a mesh gets this frame as owner. False, logged, on anything short.
    bool Load(VoIStream* apStream, std::uint32_t* apSiblingNumber, std::uint32_t* apChildNumber);

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
    // The record without its child and sibling, then each chain in turn.
    bool ReadOwn(VoIStream* apStream);
    bool ReadChains(VoIStream* apStream, int aDepth);
    bool WriteOwn(VoIStream* apStream);
    bool WriteChains(VoIStream* apStream, int aDepth);

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
