#pragma once
// The tolerances that every geometry query shares. Walking, picking and the
// polygon tests were tuned against exactly these values, so they are fixed
// single-precision constants rather than caller choices.

// A difference, run or slope smaller than this counts as zero.
constexpr float kVoNearZero = 2.7e-5f;
// Two slopes closer than this are parallel (twice the near-zero tolerance).
constexpr float kVoParallelSlopes = 5.4e-5f;
// A slope larger than this in magnitude counts as vertical; it is also the
// slope used whenever a vertical line has to be produced from a slope.
constexpr float kVoVerticalSlope = 36000.0f;
