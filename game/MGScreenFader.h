#pragma once
// The full-screen black fade behind every screen switch, also used directly
// for scene changes, cut-scenes and interviews: a black 800 x 600 sprite in
// the group "mgscreenfader", which lies over every other display object
// (relative z 100000 in the display root), faded by an engine fader in 0.3
// seconds each way. One listener hears the fades' events.
//
// The fader remembers whether the picture is clear (the group transparent)
// or black. FadeOut from clear fades to black; FadeOut when already black
// does not fade and tells the listener "finished" at once, inside the call.
// FadeIn always fades from black to clear.
#include "container/VoBase.h"
#include "gdi/VoIFaderListener.h"

class MGIScreenFaderListener;
class VoDisplayGroup;
class VoFader;
class VoSprite;

class MGScreenFader : public VoBase, public VoIFaderListener {
public:
    static constexpr const char* kCreationFailure = "MGScreenFader creation failure.";
    static constexpr const char* kSetListenerNull = "SetListener failure. NULL arg.";
    static constexpr const char* kInitFailure = "MGScreenFader Init failure.";
    static constexpr const char16_t* kId = u"mgscreenfader";
    static constexpr float kGroupZ = 100000.0f;
    static constexpr float kFadeTime = 0.3f;
    static constexpr float kScreenWidth = 800.0f;
    static constexpr float kScreenHeight = 600.0f;

    // Created on first use and initialised, owned by the game's cleaner; null
    // when it cannot be created or initialised.
    static MGScreenFader* GetInstance();

    MGScreenFader();
    MGScreenFader(const MGScreenFader&) = delete;
    MGScreenFader& operator=(const MGScreenFader&) = delete;
    // Takes the group out of the display root and deletes it with the fader.
    ~MGScreenFader() override;

    // The black texture "mgscreenfader", the sprite, the group in the display
    // root and the engine fader. False when the texture, the sprite or the
    // group cannot be made.
    bool Init();

    bool FadeOut();
    bool FadeIn();
    // Replaces the listener (not owned); null is refused.
    bool SetListener(MGIScreenFaderListener* apListener);
    // Clears the listener only when it is the one given.
    bool RemoveListener(MGIScreenFaderListener* apListener);
    MGIScreenFaderListener* GetListener() const { return fpListener; }

    bool SetValue(float aValue);
    bool SetTargetValue(float aValue);
    void SetActive(bool aActive);
    bool IsClear() const { return fClear; }
    // The group "mgscreenfader" (owned); null before Init.
    VoDisplayGroup* GetGroup() const { return fpGroup; }

    // From the engine fader: passes the code on to the listener.
    void OnFadeEvent(const VoString& aFaderId, int aCode) override;

    VoString ToString() const override;

private:
    VoFader* fpFader;                    // owned
    MGIScreenFaderListener* fpListener;  // not owned
    VoSprite* fpSprite;                  // owned by fpGroup
    VoDisplayGroup* fpGroup;             // owned; a member of the display root while both exist
    float fFadeTime;
    bool fClear;
    bool fInRoot;  // fpGroup was added to the display root
};
