#pragma once
// The per-axis rules that VoBox2 and VoBox3 share; each box runs them over
// its two or three axes.

namespace VoBoxAxis {

constexpr float kEmptyMin = 1e37f;
constexpr float kEmptyMax = -1e37f;

// Both bounds can move at once, which is how the empty box takes its first point.
inline void Extend(float& aMin, float& aMax, float aValue) {
    if (aValue < aMin) {
        aMin = aValue;
    }
    if (aValue > aMax) {
        aMax = aValue;
    }
}

inline float Clamp(float aValue, float aMin, float aMax) {
    if (aValue < aMin) {
        return aMin;
    }
    return aValue > aMax ? aMax : aValue;
}

// Centre distance against the summed sizes (both doubled), so touching boxes overlap.
inline bool Overlaps(float aMin, float aMax, float aOtherMin, float aOtherMax) {
    const float centres = (aMin + aMax) - (aOtherMin + aOtherMax);
    return (centres < 0.0f ? -centres : centres) <= (aMax - aMin) + (aOtherMax - aOtherMin);
}

// Whether the segment from apOrigin to apOrigin + apDirection touches the
// box, over kAxes axes in single precision. The face crossed last decides:
// the axis with the largest entry t (ties keep the lower axis), then every
// other coordinate at that t must lie within its slab, faces inclusive.
template <int kAxes>
bool SegmentHits(const float* apMin, const float* apMax, const float* apOrigin, const float* apDirection) {
    bool inside = true;
    float t[kAxes];
    for (int a = 0; a < kAxes; ++a) {
        if (apOrigin[a] < apMin[a]) {
            const float d = apMin[a] - apOrigin[a];
            // Also refuses a zero direction component before any division.
            if (d > apDirection[a]) {
                return false;
            }
            t[a] = d / apDirection[a];
            inside = false;
        } else if (apOrigin[a] > apMax[a]) {
            const float d = apMax[a] - apOrigin[a];
            if (d < apDirection[a]) {
                return false;
            }
            t[a] = d / apDirection[a];
            inside = false;
        } else {
            t[a] = -1.0f;
        }
    }
    if (inside) {
        return true;
    }
    int face = 0;
    for (int a = 1; a < kAxes; ++a) {
        if (t[a] > t[face]) {
            face = a;
        }
    }
    for (int b = 0; b < kAxes; ++b) {
        if (b == face) {
            continue;
        }
        const float at = apOrigin[b] + t[face] * apDirection[b];
        if (at < apMin[b] || at > apMax[b]) {
            return false;
        }
    }
    return true;
}

}  // namespace VoBoxAxis
