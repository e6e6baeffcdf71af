#pragma once
// The samples of a gesture key's curve, in order, and where the next search
// for the current time starts. The curve is the key's control points as a
// joined cubic Bezier path (3n + 1 points make n segments, segment i from
// point 3i), each segment sampled at 100 steps: 101 samples per segment,
// the joint between two segments appearing twice. Any other point count
// gives no samples.
#include <cstdint>

class VoVector2;

class VoGestureCurve {
public:
    static constexpr const char* kCouldNotAllocate = "Could not allocate the curve's samples.";

    VoGestureCurve() = default;
    ~VoGestureCurve();
    VoGestureCurve(const VoGestureCurve&) = delete;
    VoGestureCurve& operator=(const VoGestureCurve&) = delete;

    // Replaces the samples by those of the path through aCount control
    // points (see above) and puts the cursor at 0. A count that is not
    // 3n + 1 (0 included) leaves no samples; so does running out of memory
    // (false then).
    bool Build(std::int32_t aCount, const VoVector2* apPoints);
    // From the cursor on, the first sample whose x is aTime or more: the
    // cursor moves to it and its y comes back in *apY. False, with the
    // cursor unchanged, when the curve has ended (no such sample).
    bool Find(float aTime, float* apY);

    std::int32_t GetSampleCount() const { return fSampleCount; }
    // Null without samples.
    const VoVector2* GetSamples() const { return fpSamples; }
    std::int32_t GetCursor() const { return fCursor; }
    void SetCursor(std::int32_t aCursor) { fCursor = aCursor; }

private:
    VoVector2* fpSamples = nullptr;  // owned
    std::int32_t fSampleCount = 0;
    std::int32_t fCursor = 0;
};
