#pragma once
// The persistence interface: a class that saves itself derives from VoBase
// first and from this second, and restores or stores its state at the
// stream's current position.
class VoIStream;

class VoISerializable {
public:
    virtual ~VoISerializable() = default;
    // True on success; failures are the caller's to log.
    virtual bool Read(VoIStream* apStream) = 0;
    virtual bool Write(VoIStream* apStream) = 0;
};
