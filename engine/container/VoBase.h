#pragma once
// The root of nearly every engine and game class: destroyable through a base
// pointer, and able to describe itself as a debug string.
class VoString;

class VoBase {
public:
    VoBase() = default;
    virtual ~VoBase();

    // "[VoBase <" + the object's address in lower-case hex + ">]". Derived
    // classes keep the shape: "[" + class name + " <" + address + ">" + fields + "]".
    virtual VoString ToString() const;
};
