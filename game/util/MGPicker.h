#pragma once
// Turns a click on the scene's floor into a walk: a ray from the camera
// through the clicked pixel, its nearest crossing with the scene's meshes
// (scene navigation's octree), and a walk of the player to that ground point.
// The scene makes one on its camera for every viewpoint.
class VoCamera;
class VoPickRay;

class MGPicker {
public:
    static constexpr const char* kNullArg = "MGPicker: NULL arg.";
    static constexpr const char* kPickFailure = "Pick failure.";
    static constexpr float kPickLength = 10000.0f;
    static constexpr float kNormalizeTolerance = 0.0001f;

    // Over the camera (not owned, outlives us); null is logged and kept.
    explicit MGPicker(VoCamera* apCamera);
    MGPicker(const MGPicker&) = delete;
    MGPicker& operator=(const MGPicker&) = delete;
    ~MGPicker();

    // Walks (speed 1) or runs (2) the player to the floor under the pixel:
    // the walk request's result; 0, asserted, when the ray meets no mesh.
    int Pick(int aX, int aY, void* apUnused, bool aRun);

    VoCamera* GetCamera() const { return fpCamera; }

private:
    VoPickRay* fpRay;    // owned
    VoCamera* fpCamera;  // not owned
};
