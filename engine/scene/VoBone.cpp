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
    AdoptInfluences(aCount, indices, weights);
    return true;
}

void VoBone::AdoptInfluences(std::uint32_t aCount, std::uint32_t* apIndices, float* apWeights) {
    delete[] fpIndices;
    delete[] fpWeights;
    fpIndices = apIndices;
    fpWeights = apWeights;
    fInfluenceCount = aCount;
    ++fInfluenceVersion;
}

std::uint32_t VoBone::DropInfluencesFrom(std::uint32_t aVertexCount) {
    // Most bones name only vertices of their mesh: nothing moves until the first that does not.
    std::uint32_t kept = 0;
    while (kept < fInfluenceCount && fpIndices[kept] < aVertexCount) {
        ++kept;
    }
    for (std::uint32_t i = kept; i < fInfluenceCount; ++i) {
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
