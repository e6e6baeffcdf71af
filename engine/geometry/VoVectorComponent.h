#pragma once
// The checked component read behind every vector's operator[].

// apComponents[aIndex] when 0 <= aIndex < aCount; otherwise logs
// "Index out of bounds." and gives 0.
float VoComponentAt(const float* apComponents, int aCount, int aIndex);
