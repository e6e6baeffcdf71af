#include "pda/MGPhoneMessagesPanel.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "pda/MGPDAMinimized.h"
#include "pda/MGPhone.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGTextureRoot.h"

namespace {

constexpr const char16_t* kPDARoot = u"//textures/pda";
constexpr const char16_t* kTextureRoot = u"//textures";

}  // namespace

MGPhoneMessagesPanel::MGPhoneMessagesPanel()
    : fpGroup(nullptr),
      fpLayout(nullptr),
      fpSubtitles(nullptr),
      fpPlayer(nullptr),
      fpSubtitle(nullptr),
      fpSubtitleFont(nullptr),
      fpCount(nullptr),
      fpPrompt(nullptr),
      fpYes(nullptr),
      fpNo(nullptr),
      fListeningToKeys(false) {}

MGPhoneMessagesPanel::~MGPhoneMessagesPanel() {
    MGListenToKeys(this, 0.0f, false, &fListeningToKeys);
    DeletePlayer();
    if (fpGroup != nullptr && fpGroup->GetGroup() != nullptr) {
        fpGroup->GetGroup()->RemoveMember(fpGroup);
    }
    delete fpGroup;
    delete fpSubtitles;
}

bool MGPhoneMessagesPanel::Create(VoPropertyList* apLayout) {
    fpLayout = apLayout;
    {
        MGTextureRoot root(kPDARoot);
        VoPropertyList* node = fpLayout != nullptr ? fpLayout->GetList(VoString(kGroupNode)) : nullptr;
        fpGroup = node != nullptr ? VoLayoutBuilder::BuildGroup(node, true) : nullptr;
    }
    if (fpGroup == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    fpYes = fpGroup != nullptr ? dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kYesId))) : nullptr;
    fpNo = fpGroup != nullptr ? dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kNoId))) : nullptr;
    for (VoButton* button : {fpYes, fpNo}) {
        if (button == nullptr) {
            // Without it the messages play by the space bar alone.
            VO_ASSERT_FAILURE("");
            continue;
        }
        button->SetListener(this);
        button->SetActive(false);
    }
    fpSubtitles = VO_NEW VoPropertyList();
    if (fpSubtitles != nullptr && !fpSubtitles->Load(VoString(kSubtitleFile), true)) {
        delete fpSubtitles;
        fpSubtitles = nullptr;
    }
    bool found = false;
    const VoString prompt =
        fpSubtitles != nullptr ? fpSubtitles->GetString(VoString(kPromptKey), &found) : VoString(u"");
    if (!found) {
        VO_ASSERT_FAILURE("");
    }
    fpCount = AddText(kCountId, kCountY, VoString(u""));
    fpPrompt = AddText(kPromptId, kPromptY, prompt);
    {
        MGTextureRoot root(kTextureRoot);
        fpSubtitle = MGSubtitle::GetInstance();
        VoFontManager* fonts = VoFontManager::GetInstance();
        fpSubtitleFont = fonts != nullptr ? fonts->GetFont(VoString(kSubtitleFont)) : nullptr;
    }
    return true;
}

VoTextArea* MGPhoneMessagesPanel::AddText(const char16_t* apId, float aY, const VoString& aText) {
    if (fpGroup == nullptr) {
        return nullptr;
    }
    VoTextArea* text = VO_NEW VoTextArea();
    if (text == nullptr) {
        return nullptr;
    }
    text->SetId(VoString(apId));
    text->Create(VoString(kTextFont));
    text->SetWordWrap(true);
    text->SetSingleLine(false);
    text->SetWidth(kTextWidth);
    text->SetPosition(kTextX, aY);
    text->SetRelativeZ(kTextZ);
    text->SetText(aText);
    if (!fpGroup->AddMember(text, true)) {
        delete text;
        return nullptr;
    }
    return text;
}

void MGPhoneMessagesPanel::SetCount(int aCount) {
    if (fpCount != nullptr) {
        VoString text(kCountPrefix);
        text.Append(aCount);
        text.Append(kCountSuffix);
        fpCount->SetText(text);
    }
}

void MGPhoneMessagesPanel::SetButtonsActive(bool aActive) {
    for (VoButton* button : {fpYes, fpNo}) {
        if (button != nullptr) {
            button->SetActive(aActive);
        }
    }
}

void MGPhoneMessagesPanel::DeletePlayer() {
    // Deleting the player stops its sound and tells nobody.
    delete fpPlayer;
    fpPlayer = nullptr;
}

void MGPhoneMessagesPanel::Show() {
    MGPhone* phone = MGPhone::GetInstance();
    const int count = phone != nullptr ? phone->GetMessageCount() : 0;
    SetCount(count);
    if (fpPrompt != nullptr) {
        fpPrompt->SetVisible(count > 0);
    }
    SetButtonsActive(count > 0);
    if (fpGroup != nullptr) {
        fpGroup->SetActive(true);
    }
    MGListenToKeys(this, 0.0f, true, &fListeningToKeys);
}

void MGPhoneMessagesPanel::Hide() {
    MGListenToKeys(this, 0.0f, false, &fListeningToKeys);
    DeletePlayer();
    if (fpSubtitle != nullptr && fpSubtitle->IsVisible()) {
        fpSubtitle->Hide();
    }
    if (fpGroup != nullptr) {
        fpGroup->SetActive(false);
    }
}

void MGPhoneMessagesPanel::PlayNext() {
    if (fpSubtitle != nullptr) {
        fpSubtitle->Hide();
    }
    DeletePlayer();
    MGPhone* phone = MGPhone::GetInstance();
    // Taken before the message leaves the queue: it counts the one that plays.
    const int count = phone != nullptr ? phone->GetMessageCount() : 0;
    SetCount(count);
    if (fpPrompt != nullptr) {
        fpPrompt->SetVisible(false);
    }
    if (count == 0) {
        if (fpSubtitle != nullptr && fpSubtitle->IsVisible()) {
            fpSubtitle->Hide();
        }
        if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
            bar->StopBlink(MGPDAMinimized::kAllBlinkers);
        }
        return;
    }
    VoPropertyList* message = phone->TakeNextMessage();
    bool found = false;
    const VoString audio = message != nullptr ? message->GetString(VoString(u"audio"), &found) : VoString(u"");
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    if (!found || sounds == nullptr) {
        // Nothing to hear: the panel waits for the next key, click or Show.
        return;
    }
    fpPlayer = sounds->CreateStream(VoString(kPlayerName), VoString(kSoundRoot) + audio);
    if (fpPlayer == nullptr) {
        return;
    }
    const VoString played = message->GetString(VoString(u"playedevent"), &found);
    VoEventManager* events = VoEventManager::GetInstance();
    if (found && events != nullptr && !events->HasEvent(played)) {
        events->AddEvent(played, true);
    }
    const VoString key = message->GetString(VoString(u"subtitle"), &found);
    const VoString text = found && fpSubtitles != nullptr ? fpSubtitles->GetString(key, &found) : VoString(u"");
    if (found && fpSubtitle != nullptr) {
        fpSubtitle->SetText(text, fpSubtitleFont);
        fpSubtitle->SetPosition(kSubtitleX, kSubtitleY);
        fpSubtitle->Show();
    }
    // The event's listeners may have taken the player away.
    if (fpPlayer == nullptr) {
        return;
    }
    MGOptions* options = MGOptions::GetInstance();
    fpPlayer->SetListener(this);
    fpPlayer->SetVolume(options != nullptr ? options->GetVolume() : 1.0f);
    fpPlayer->SetLoopCount(false);
    fpPlayer->Play();
}

void MGPhoneMessagesPanel::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (aId.EqualsNoCase(kYesId)) {
        SetButtonsActive(false);
        PlayNext();
    } else if (aId.EqualsNoCase(kNoId)) {
        if (fpGroup != nullptr) {
            fpGroup->SetActive(false);
        }
    }
}

void MGPhoneMessagesPanel::OnSoundEnd(const VoString&) {
    PlayNext();
}

void MGPhoneMessagesPanel::OnKeyDown(int aKey) {
    if (aKey == kSkipKey) {
        PlayNext();
    }
}

VoString MGPhoneMessagesPanel::ToString() const {
    return VoDebugString("MGPhoneMessagesPanel", this);
}
