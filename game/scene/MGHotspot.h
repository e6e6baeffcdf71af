#pragma once
// A clickable region of a scene viewpoint or a close-up, made from one entry
// of a hotspot file by the factory (Create). Kinds: 1 navigate, 2 interview,
// 3 target, 4 general. A hotspot hears the engine mouse (order 0.0, before
// the scene) while its owner has it enabled (SetEnabled).
//
// For now the least the scene needs: the factory reading "id" and "type",
// the enable switch with the mouse registration, and the per-frame calls,
// which do nothing yet.
#include "container/VoString.h"
#include "platform/VoIMouseListener.h"

class VoPropertyList;
class VoRenderer;
class VoVector2;

class MGHotspot : public VoIMouseListener {
public:
    static constexpr const char* kTypeNotFound = "'type' not found.";
    static constexpr const char* kIdNotFound = "'id' not found.";
    static constexpr const char* kInvalidType = "Create failure. Invalid type:";
    static constexpr int kNavigate = 1;
    static constexpr int kInterview = 2;
    static constexpr int kTarget = 3;
    static constexpr int kGeneral = 4;
    static constexpr float kMouseOrder = 0.0f;

    // The hotspot of the entry's "type" ("navigate", "interview", "target",
    // "general", any case); null, logged, for any other.
    static MGHotspot* Create(VoPropertyList* apEntry);

    explicit MGHotspot(int aKind) : fKind(aKind) {}
    MGHotspot(const MGHotspot&) = delete;
    MGHotspot& operator=(const MGHotspot&) = delete;
    // Leaves the engine mouse.
    ~MGHotspot() override;

    // On: hears the mouse from now on; off: no more.
    void SetEnabled(bool aEnabled);
    // Whether its conditions are met. True.
    bool UpdateEnabled() { return true; }
    // Its display member, when it shows one. True.
    bool Render(VoRenderer*) { return true; }

    VoString GetId() const { return fId; }
    int GetKind() const { return fKind; }
    bool IsActive() const { return fActive; }
    bool IsListening() const { return fListening; }

    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}

private:
    VoString fId;
    int fKind;
    bool fActive = false;
    bool fListening = false;
};
