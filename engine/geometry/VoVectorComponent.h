#pragma once
// The component helpers behind the geometry values: the checked read of
// every vector's operator[] and the stream form of vectors, boxes, lines and
// matrices (a run of 4-byte floats).
class VoIStream;

// apComponents[aIndex] when 0 <= aIndex < aCount; otherwise logs
// "Index out of bounds." and gives 0.
float VoComponentAt(const float* apComponents, int aCount, int aIndex);

// Reads aCount floats into apOut: in one piece from a stream held in
// memory that holds them all, otherwise through the stream's float reader,
// where every read is attempted and the result is true only when all
// succeeded; apOut may then hold some of them, so callers read into a local
// and take it over on success, leaving their value unchanged on a short or
// failing stream.
bool VoReadComponents(VoIStream* apStream, float* apOut, int aCount);
// Writes aCount floats; every write is attempted, true only when all succeeded.
bool VoWriteComponents(VoIStream* apStream, const float* apComponents, int aCount);
