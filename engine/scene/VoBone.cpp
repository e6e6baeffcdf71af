#include "scene/VoBone.h"

#include <cstring>

#include "container/VoLog.h"
#include "memory/VoNew.h"

VoBone::~VoBone() {
    delete[] fpIndices;
    delete[] fpWeights;
    fInfluenceCount = 0;
    fpFrameMatrix = nullptr;
}

bool VoBone::SetInfluences(std::uint32_t aCount, const std::uint32_t* apIndices, const float* apWeights) {
    if (aCount > 0 && (apIndices == nullptr || apWeights == nullptr)) {
        return false;
    }
    std::uint32_t* indices = nullptr;
    float* weights = nullptr;
    if (aCount > 0) {
        indices = VO_NEW std::uint32_t[aCount];
        weights = VO_NEW float[aCount];
        if (indices == nullptr || weights == nullptr) {
            delete[] indices;
            delete[] weights;
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        std::memcpy(indices, apIndices, aCount * sizeof(std::uint32_t));
        std::memcpy(weights, apWeights, aCount * sizeof(float));
    }
    delete[] fpIndices;
    delete[] fpWeights;
    fpIndices = indices;
    fpWeights = weights;
    fInfluenceCount = aCount;
    ++fInfluenceVersion;
    return true;
}

std::uint32_t VoBone::DropInfluencesFrom(std::uint32_t aVertexCount) {
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < fInfluenceCount; ++i) {
        if (fpIndices[i] < aVertexCount) {
            fpIndices[kept] = fpIndices[i];
            fpWeights[kept] = fpWeights[i];
            ++kept;
        }
    }
    const std::uint32_t dropped = fInfluenceCount - kept;
    fInfluenceCount = kept;
    if (dropped > 0) {
        ++fInfluenceVersion;
    }
    return dropped;
}
