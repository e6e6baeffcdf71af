#pragma once
// The first screen of the game. Until the menus arrive it is an interim
// screen: the layout "//textures/menu/intro_layout.txt" (section "intro",
// with the sample panel of "//textures/sample/sample_layout.txt" in it) and
// the texts of its "texts" section, each an entry with "id", "font",
// "position" (x|y), "width", "relativez" and "text", word-wrapped. The
// screen is built hidden in the display root, shown while it is entered, and
// while shown Escape ends the game.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "platform/VoIKeyboardListener.h"

class VoDisplayGroup;
class VoPropertyList;

class MGIntro : public VoBase, public MGIScreen, public VoIKeyboardListener {
public:
    static constexpr const char* kCreationFailure = "MGIntro creation failure.";
    static constexpr const char* kFileFailure = "Failure creating list from file: ";
    static constexpr const char* kNoSection = "Section not found: ";
    static constexpr const char* kTextFailure = "Text creation failure: ";
    static constexpr const char16_t* kLayoutFile = u"//textures/menu/intro_layout.txt";
    static constexpr const char16_t* kSampleFile = u"//textures/sample/sample_layout.txt";
    static constexpr int kEscape = 1;
    static constexpr float kKeyboardOrder = 0.0f;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGIntro* GetInstance();

    // Builds what the files hold; what they lack is logged and left out.
    MGIntro();
    MGIntro(const MGIntro&) = delete;
    MGIntro& operator=(const MGIntro&) = delete;
    // Leaves the keyboard and deletes the screen's display group.
    ~MGIntro() override;

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}

    // The screen's display group (owned); null when the layout had none.
    VoDisplayGroup* GetGroup() const { return fpGroup; }

    VoString ToString() const override;

private:
    void BuildTexts(VoPropertyList* apTexts);
    void ListenToKeys(bool aListen);

    VoDisplayGroup* fpGroup;  // owned; a member of the display root while both exist
    bool fInRoot;             // fpGroup was added to the display root
    bool fInKeyboard;         // registered with the engine keyboard
};
