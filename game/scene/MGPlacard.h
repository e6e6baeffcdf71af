#pragma once
// The black card with the name and address of a place, shown with a chime
// the first time the player goes to a scene. The scene manager calls Show
// for a scene whose event id + "_placard" is not yet recorded; the placard
// records it, pushes itself as a screen with a fade, plays its chime, and
// once the chime has ended loads the scene itself and fades from the card
// to the scene.
//
// The placard file "//scenes/scenes.txt" has one section per scene id (the
// full id), with the list values "location" (the lines of the place's name)
// and "address" (the address lines below them); either may be absent.
//
// The card: the group "placard" with the sprite "placard_bg" ("black.tga"
// scaled 25 x 19) and one text area per line in "frizquadrata24", ids
// "location" + i and "address" + i, centred across the 800-pixel screen,
// the first at y 390 and each next 40 below.
//
// A chime that cannot be made counts as ended at once. A scene that fails
// to load after the chime leaves no scene: the card is taken away and the
// cursor shown again, so the game never stays on a black card.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorString.h"
#include "platform/VoISoundListener.h"
#include "stdlib/VoIFrameListener.h"

class VoDisplayGroup;
class VoISoundPlayer;
class VoPropertyList;

class MGPlacard : public VoBase, public MGIScreen, public VoISoundListener, public VoIFrameListener {
public:
    static constexpr const char* kCreationFailure = "MGPlacard creation failure.";
    static constexpr const char* kPushFailure = "Show failure. The placard could not be pushed: ";
    static constexpr const char* kLoadFailure = "OnUpdate failure. The scene did not load: ";
    static constexpr const char16_t* kFile = u"//scenes/scenes.txt";
    static constexpr const char16_t* kChimeFile = u"//dataroot/sounds/ching-ching.ogg";
    static constexpr const char16_t* kChimeName = u"chingching";
    static constexpr const char16_t* kGroupId = u"placard";
    static constexpr const char16_t* kBackgroundId = u"placard_bg";
    static constexpr const char16_t* kBackgroundTexture = u"black.tga";
    static constexpr const char16_t* kFont = u"frizquadrata24";
    static constexpr float kBackgroundScaleX = 25.0f;
    static constexpr float kBackgroundScaleY = 19.0f;
    static constexpr float kScreenWidth = 800.0f;
    static constexpr float kFirstY = 350.0f;
    static constexpr float kLineStep = 40.0f;
    static constexpr float kTextWidth = 600.0f;
    static constexpr float kTextZ = 15.0f;
    static constexpr float kFrameOrder = 0.0f;

    // Created on first use with the placard file loaded, owned by the game's
    // cleaner; null when it cannot be created.
    static MGPlacard* GetInstance();

    MGPlacard();
    MGPlacard(const MGPlacard&) = delete;
    MGPlacard& operator=(const MGPlacard&) = delete;
    // Leaves the frame manager; deletes the card, the chime and the file.
    ~MGPlacard() override;

    // False, nothing changed, when the file has no section for the id. Else
    // records id + "_placard" and pushes the placard with a fade; when the
    // screen stack refuses the push the event is taken back and the result
    // is false, so the caller loads the scene directly.
    bool Show(const VoString& aSceneId);

    void OnLeaveBegin() override {}
    // Removes the card.
    void OnLeaveEnd() override;
    // Builds the card and plays the chime.
    void OnEnter() override;
    // Hides the cursor; the scene loads in the next frame.
    void OnSoundEnd(const VoString& aName) override;
    // Once the chime has ended and the screen stack is idle: loads the scene
    // and fades from the card to it.
    void OnUpdate() override;

    // The card (owned); null while none is shown.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    const VoString& GetSceneId() const { return fSceneId; }
    const VoVectorString& GetLocationLines() const { return fLocation; }
    const VoVectorString& GetAddressLines() const { return fAddress; }
    bool IsChimeDone() const { return fChimeDone; }
    // The playing chime (owned); null when none.
    VoISoundPlayer* GetChime() const { return fpChime; }

    VoString ToString() const override;

private:
    void BuildCard();
    // Adds one text line at *apY (grown by the step first).
    void AddLine(const VoString& aId, const VoString& aText, float* apY);
    void PlayChime();
    void DeleteCard();
    void ListenToFrames(bool aListen);

    VoDisplayGroup* fpGroup;  // owned; a member of the display root while shown
    VoString fSceneId;
    VoVectorString fLocation;
    VoVectorString fAddress;
    VoPropertyList* fpFile;   // owned
    VoISoundPlayer* fpChime;  // owned
    bool fChimeDone;
    bool fInFrames;  // registered with the frame manager
};
