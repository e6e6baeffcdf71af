#pragma once
// Whether the graphics context is alive. The platform (and with it the
// context) is deleted before the engine cleaner deletes the rasterizer and
// the textures, so their destructors ask this before giving anything back to
// a device that no longer exists.
class VoGraphicsContextState {
public:
    static bool IsAlive();
    static void SetAlive(bool aAlive);
};
