#pragma once
// The voice mail of the PDA's phone: how many new messages wait, the
// question whether to listen ("listen_yes", "listen_no"), then the queued
// messages of MGPhone one after the other, each with its subtitle in the
// game's subtitle box. Playing a message adds its "playedevent", which is
// how the story learns that the player has heard it. The end of a message,
// or the space bar, moves on to the next; when none is left the count reads
// 0 and the bar's lights stop.
//
//     hidden -> Show -> asking (n > 0) or empty (n = 0) -> playing -> empty
//
// From the phone layout: "groups.g05-messages_prompt" (the group, with the
// buttons "listen_yes" and "listen_no"); the texts from
// "//textures/pda/phone_messages_subtitles.txt" ("listen_prompt", and every
// message's "subtitle" key).
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoISoundListener.h"

class MGSubtitle;
class VoButton;
class VoDisplayGroup;
class VoIFont;
class VoISoundPlayer;
class VoPropertyList;
class VoTextArea;

class MGPhoneMessagesPanel : public VoBase,
                             public VoIButtonListener,
                             public VoISoundListener,
                             public VoIKeyboardListener {
public:
    static constexpr const char16_t* kGroupNode = u"groups.g05-messages_prompt";
    static constexpr const char16_t* kSubtitleFile = u"//textures/pda/phone_messages_subtitles.txt";
    static constexpr const char16_t* kSoundRoot = u"//dataroot/sounds/";
    static constexpr const char16_t* kPlayerName = u"phone_message";
    static constexpr const char16_t* kYesId = u"listen_yes";
    static constexpr const char16_t* kNoId = u"listen_no";
    static constexpr const char16_t* kPromptKey = u"listen_prompt";
    static constexpr const char16_t* kCountId = u"text_messagecount";
    static constexpr const char16_t* kPromptId = u"text_prompt";
    static constexpr const char16_t* kTextFont = u"LucindaSans10";
    static constexpr const char16_t* kSubtitleFont = u"TW_CEN_MT16_BLUE";
    static constexpr const char16_t* kCountPrefix = u"You have ";
    static constexpr const char16_t* kCountSuffix = u" New Messages";

    static constexpr int kSkipKey = 57;
    static constexpr float kTextX = 223.0f;
    static constexpr float kCountY = 130.0f;
    static constexpr float kPromptY = 145.0f;
    static constexpr float kTextWidth = 150.0f;
    static constexpr float kTextZ = 10.0f;
    static constexpr float kSubtitleX = 0.0f;
    static constexpr float kSubtitleY = 500.0f;

    MGPhoneMessagesPanel();
    MGPhoneMessagesPanel(const MGPhoneMessagesPanel&) = delete;
    MGPhoneMessagesPanel& operator=(const MGPhoneMessagesPanel&) = delete;
    // Stops the message and leaves the keyboard; deletes the group when it
    // is not a member of another group.
    ~MGPhoneMessagesPanel() override;

    // Builds the group from the layout (not owned, outlives the panel) and
    // loads the subtitles. True.
    bool Create(VoPropertyList* apLayout);
    void Show();
    // Stops the message at once.
    void Hide();
    // The next message of the queue, or the end of the queue.
    void PlayNext();

    // Owned until the phone panel adds it to its group.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    VoTextArea* GetCountText() const { return fpCount; }
    VoTextArea* GetPromptText() const { return fpPrompt; }
    VoButton* GetYesButton() const { return fpYes; }
    VoButton* GetNoButton() const { return fpNo; }
    // The message playing, or null.
    VoISoundPlayer* GetPlayer() const { return fpPlayer; }

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}

    VoString ToString() const override;

private:
    VoTextArea* AddText(const char16_t* apId, float aY, const VoString& aText);
    void SetCount(int aCount);
    void SetButtonsActive(bool aActive);
    void DeletePlayer();

    VoDisplayGroup* fpGroup;       // owned while not in the phone's group
    VoPropertyList* fpLayout;      // not owned
    VoPropertyList* fpSubtitles;   // owned
    VoISoundPlayer* fpPlayer;      // owned
    MGSubtitle* fpSubtitle;        // not owned: the game cleaner's
    VoIFont* fpSubtitleFont;       // not owned: the font manager's
    VoTextArea* fpCount;           // owned by fpGroup
    VoTextArea* fpPrompt;          // owned by fpGroup
    VoButton* fpYes;               // owned by fpGroup
    VoButton* fpNo;                // owned by fpGroup
    bool fListeningToKeys;
};
