#pragma once
// One triangle of a shadow volume's mesh: its three welded vertex indices
// (duplicates of one position share one index), and what the last Update
// found of it: its normal, d = (first position - light position) . normal,
// and whether it faces away from the light (d > 0).
#include <cstdint>

#include "geometry/VoVector3.h"

class VoShadowFace {
public:
    std::int32_t fA = 0;
    std::int32_t fB = 0;
    std::int32_t fC = 0;
    VoVector3 fNormal{0.0f, 0.0f, 0.0f};
    float fDistance = 0.0f;
    bool fAway = false;
};
