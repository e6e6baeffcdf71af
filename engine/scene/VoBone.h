#pragma once
// One bone of a skinned mesh: the frame that drives it (by name, or by frame
// number in the raw mesh form), the vertices it moves with a weight each,
// and the offset matrix that brings a rest-pose vertex into the bone's
// space. A plain record; the skinned mesh owns its bones.
#include <cstdint>

#include "container/VoString.h"
#include "geometry/VoMatrix.h"

class VoBone {
public:
    static constexpr const char* kCouldNotAllocate = "Could not allocate the influences.";

    VoBone() = default;
    // Frees the influences and forgets the frame matrix.
    ~VoBone();
    VoBone(const VoBone&) = delete;
    VoBone& operator=(const VoBone&) = delete;

    // Copies aCount vertex indices and weights in place of the old ones;
    // false, unchanged, when either array is missing for a count above 0 or
    // memory runs out.
    bool SetInfluences(std::uint32_t aCount, const std::uint32_t* apIndices, const float* apWeights);
    // Takes aCount indices and weights (VO_NEW arrays, owned from then on;
    // null for a count of 0) in place of the old ones, as a reader that has
    // just made them hands them over.
    void AdoptInfluences(std::uint32_t aCount, std::uint32_t* apIndices, float* apWeights);
    // Drops the influences whose vertex index is not below aVertexCount,
    // keeping the others in order; the number dropped.
    std::uint32_t DropInfluencesFrom(std::uint32_t aVertexCount);

    const VoString& GetName() const { return fName; }
    void SetName(const VoString& aName) { fName = aName; }
    // Takes arName's text as the name, leaving arName with the old one: a
    // reader hands over the name it has just read without a copy.
    void TakeName(VoString& arName) { fName.Swap(arName); }
    std::uint32_t GetFrameNumber() const { return fFrameNumber; }
    void SetFrameNumber(std::uint32_t aNumber) { fFrameNumber = aNumber; }
    std::uint32_t GetInfluenceCount() const { return fInfluenceCount; }
    const std::uint32_t* GetIndices() const { return fpIndices; }
    const float* GetWeights() const { return fpWeights; }
    // Changes with every change of the influences, so a skin can tell
    // whether what it built from them still holds.
    std::uint32_t GetInfluenceVersion() const { return fInfluenceVersion; }
    const VoMatrix& GetOffsetMatrix() const { return fOffset; }
    void SetOffsetMatrix(const VoMatrix& aMatrix) { fOffset = aMatrix; }
    // The driving frame's absolute matrix; null until bound.
    const VoMatrix* GetFrameMatrix() const { return fpFrameMatrix; }
    void SetFrameMatrix(const VoMatrix* apMatrix) { fpFrameMatrix = apMatrix; }

private:
    VoString fName;
    std::uint32_t fFrameNumber = 0;  // raw form only
    std::uint32_t fInfluenceCount = 0;
    std::uint32_t* fpIndices = nullptr;  // owned, fInfluenceCount of them
    float* fpWeights = nullptr;          // owned, fInfluenceCount of them
    std::uint32_t fInfluenceVersion = 0;
    VoMatrix fOffset;
    const VoMatrix* fpFrameMatrix = nullptr;  // not owned: the frame's absolute matrix
};
