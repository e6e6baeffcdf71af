#include "scene/MGPlacard.h"

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "render/VoTextureManager.h"
#include "scene/MGSceneManager.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"

namespace {

VoCleanerSingleton<MGPlacard, MGCleanerHome> gInstance;

}  // namespace

MGPlacard* MGPlacard::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPlacard(); }, nullptr);
}

MGPlacard::MGPlacard()
    : fpGroup(nullptr), fpFile(VO_NEW VoPropertyList()), fpChime(nullptr), fChimeDone(false), fInFrames(false) {
    if (fpFile != nullptr) {
        fpFile->Load(VoString(kFile), true);
    }
}

MGPlacard::~MGPlacard() {
    ListenToFrames(false);
    DeleteCard();
    delete fpChime;
    delete fpFile;
}

bool MGPlacard::Show(const VoString& aSceneId) {
    if (fpFile == nullptr || fpFile->GetList(aSceneId) == nullptr) {
        return false;
    }
    fSceneId = aSceneId;
    const VoString event = aSceneId + MGSceneManager::kPlacardSuffix;
    VoEventManager* events = VoEventManager::GetInstance();
    if (events != nullptr) {
        events->AddEvent(event, true);
    }
    bool found = false;
    fLocation = fpFile->GetVectorString(aSceneId + u".location", &found);
    if (!found) {
        fLocation.Clear();
    }
    fAddress = fpFile->GetVectorString(aSceneId + u".address", &found);
    if (!found) {
        fAddress.Clear();
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr || !screens->PushFade(this)) {
        // Not shown after all: the placard stays due for the next visit.
        VO_ERROR(kPushFailure, aSceneId);
        VoEvent* recorded = nullptr;
        if (events != nullptr && events->HasEvent(event) && events->RemoveEvent(event, &recorded)) {
            delete recorded;
        }
        return false;
    }
    return true;
}

void MGPlacard::OnEnter() {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    BuildCard();
    fChimeDone = false;
    ListenToFrames(true);
    PlayChime();
}

void MGPlacard::BuildCard() {
    DeleteCard();
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetId(VoString(kGroupId));
    VoSprite* background = VO_NEW VoSprite();
    if (background != nullptr) {
        background->SetId(VoString(kBackgroundId));
        background->SetPosition(0.0f, 0.0f);
        VoTextureManager* textures = VoTextureManager::GetInstance();
        const std::uint32_t handle = textures != nullptr ? textures->CreateTexture(VoString(kBackgroundTexture)) : 0;
        if (handle != 0) {
            background->SetTexture(handle, nullptr, nullptr);
        }
        background->SetScale(kBackgroundScaleX, kBackgroundScaleY);
        if (!fpGroup->AddMember(background, true)) {
            delete background;
        }
    }
    float y = kFirstY;
    for (int i = 0; i < fLocation.GetCount(); ++i) {
        AddLine(VoString(u"location") + i, fLocation.GetAt(i), &y);
    }
    for (int i = 0; i < fAddress.GetCount(); ++i) {
        AddLine(VoString(u"address") + i, fAddress.GetAt(i), &y);
    }
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (display == nullptr || !display->AddMember(fpGroup)) {
        delete fpGroup;
        fpGroup = nullptr;
    }
}

void MGPlacard::AddLine(const VoString& aId, const VoString& aText, float* apY) {
    *apY += kLineStep;
    VoFontManager* fonts = VoFontManager::GetInstance();
    VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kFont)) : nullptr;
    VoTextArea* text = VO_NEW VoTextArea();
    if (text == nullptr) {
        return;
    }
    text->SetId(aId);
    text->Create(font);
    text->SetWordWrap(true);
    text->SetSingleLine(false);
    // The text area has no height to set: its lines decide it.
    text->SetWidth(kTextWidth);
    text->SetText(aText);
    const float width = font != nullptr ? font->GetTextWidth(aText) : 0.0f;
    text->SetPosition((kScreenWidth - width) * 0.5f, *apY);
    text->SetRelativeZ(kTextZ);
    if (!fpGroup->AddMember(text, true)) {
        delete text;
    }
}

void MGPlacard::PlayChime() {
    delete fpChime;
    fpChime = nullptr;
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    if (sounds != nullptr) {
        fpChime = sounds->CreateStream(VoString(kChimeName), VoString(kChimeFile));
    }
    if (fpChime == nullptr) {
        // No chime to wait for: the card goes on as if it had rung.
        OnSoundEnd(VoString(kChimeName));
        return;
    }
    MGOptions* options = MGOptions::GetInstance();
    fpChime->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
    fpChime->SetListener(this);
    fpChime->Play();
}

void MGPlacard::OnSoundEnd(const VoString&) {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetActive(false);
    }
    fChimeDone = true;
}

void MGPlacard::OnUpdate() {
    if (!fChimeDone) {
        return;
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // The card's own fade-in may still run (a short or missing chime): the
    // switch to the scene waits for the stack, which refuses fades meanwhile.
    if (screens != nullptr && screens->IsBusy()) {
        return;
    }
    ListenToFrames(false);
    delete fpChime;
    fpChime = nullptr;
    if (screens != nullptr) {
        screens->Clear();
    }
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (scenes == nullptr || !scenes->LoadScene(fSceneId, false, false)) {
        VO_ERROR(kLoadFailure, fSceneId);
        OnLeaveEnd();
        if (MGCursor* cursor = MGCursor::GetInstance()) {
            cursor->SetActive(true);
        }
        return;
    }
    if (screens != nullptr) {
        screens->PushScreen(this);
        MGIScreen* popped = nullptr;
        screens->PopFade(&popped);
    }
}

void MGPlacard::OnLeaveEnd() {
    DeleteCard();
}

void MGPlacard::DeleteCard() {
    if (fpGroup == nullptr) {
        return;
    }
    // The card leaves the display root as it is deleted; once the display
    // manager is gone, its root has deleted the card already.
    if (VoDisplayManager::GetInstance() != nullptr) {
        delete fpGroup;
    }
    fpGroup = nullptr;
}

void MGPlacard::ListenToFrames(bool aListen) {
    MGListenToFrames(this, kFrameOrder, aListen, &fInFrames);
}

VoString MGPlacard::ToString() const {
    return VoDebugString("MGPlacard", this);
}
