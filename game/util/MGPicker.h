#pragma once
// Turns a click on the scene into a walk: the ray from the camera through
// the clicked pixel meets the scene's meshes (the scene navigation's mesh
// tree) and the player walks to the ground point hit. The scene makes one
// for its viewpoint camera.
class VoCamera;
class VoPickRay;

class MGPicker {
public:
    static constexpr const char* kNullArg = "MGPicker: NULL arg.";
    static constexpr const char* kPickFailure = "Pick failure.";
    // How far along the ray a hit counts.
    static constexpr float kPickLength = 10000.0f;
    static constexpr float kNormalizeTolerance = 0.0001f;
    static constexpr int kWalkSpeed = 1;
    static constexpr int kRunSpeed = 2;

    // Not owned, outlives the picker; null is logged and kept (nothing is
    // then picked).
    explicit MGPicker(VoCamera* apCamera);
    ~MGPicker();
    MGPicker(const MGPicker&) = delete;
    MGPicker& operator=(const MGPicker&) = delete;

    // The walk to the point under the pixel (from the viewport's top left),
    // turning first and finding stairs, at running speed when aRun is set:
    // MGNavigation::WalkTo's result. False without a hit within
    // kPickLength (kPickFailure asserted).
    bool Pick(int aX, int aY, bool aRun);

    VoCamera* GetCamera() const { return fpCamera; }

private:
    VoPickRay* fpRay;    // owned
    VoCamera* fpCamera;  // not owned
};
