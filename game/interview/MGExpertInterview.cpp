#include "interview/MGExpertInterview.h"

#include <ctime>
#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "interview/MGExpertComputer.h"
#include "interview/MGExpertTopicArea.h"
#include "interview/MGIInterviewListener.h"
#include "interview/MGInterviewScrollBar.h"
#include "interview/MGInterviewSequence.h"
#include "interview/MGInterviewTopic.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "pda/MGPDAMinimized.h"
#include "scene/MGCharacter.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGRandom.h"
#include "util/MGTextureRoot.h"

namespace {

// The looks of a topic button: text area suffix, layout art letter, state.
struct ExpertLook {
    const char16_t* suffix;
    const char16_t* art;
    XBTNSTATE state;
};
const ExpertLook kExpertLooks[] = {{u"_n", u"n", XBTNSTATE_NORMAL},
                                   {u"_o", u"o", XBTNSTATE_OVER},
                                   {u"_d", u"n", XBTNSTATE_DOWN},
                                   {u"_x", u"n", XBTNSTATE_DISABLED},
                                   {u"_h", u"h", XBTNSTATE_HILIGHTED}};

// The kinds by the file name's characters 2 and 3.
const char16_t* const kKindCodes[] = {u"CL", u"RE", u"SU"};

// A script of the node's key, or of aDefault when the key is missing.
VoScript* BuildScript(VoPropertyList* apNode, const char16_t* apKey, const char16_t* apDefault) {
    bool found = false;
    VoString text = apNode->GetString(VoString(apKey), &found);
    if (!found) {
        text = VoString(apDefault);
    }
    VoScript* script = VO_NEW VoScript();
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    if (script != nullptr && (builder == nullptr || !builder->Build(text, script))) {
        VO_ASSERT_FAILURE(MGInterviewTopic::kScriptFailure);
    }
    return script;
}

VoString StringOr(VoPropertyList* apNode, const char16_t* apKey, const char16_t* apDefault) {
    bool found = false;
    const VoString value = apNode->GetString(VoString(apKey), &found);
    return found ? value : VoString(apDefault);
}

void HideSubtitle() {
    if (MGSubtitle* subtitle = MGSubtitle::GetInstance()) {
        subtitle->Hide();
    }
}

}  // namespace

int MGExpertInterview::KindOf(const VoString& aDataFile) {
    const VoString code = aDataFile.SubString(1, 2);
    for (int kind = kCrimeLab; kind <= kSurveillance; ++kind) {
        if (code.EqualsNoCase(kKindCodes[kind])) {
            return kind;
        }
    }
    return kNoComputer;
}

MGExpertInterview::MGExpertInterview()
    : fKind(kNoComputer), fInfos(7, false, 16), fExitPlayed(false) {}

MGExpertInterview::~MGExpertInterview() {
    ListenToMouse(false);
    UnlockMouse();
    if (MGExpertComputer* computer = MGExpertComputer::PeekInstance()) {
        computer->ForgetInterview(this);
    }
    if (fpTopicArea != nullptr) {
        // The notepad owns the list as a member: out of it first, deleted once.
        if (fpGroup != nullptr) {
            fpGroup->RemoveMember(fpTopicArea);
        }
        delete fpTopicArea;
        fpTopicArea = nullptr;
    }
    DeleteNotepad();
    fInfos.Clear();
}

void MGExpertInterview::DeleteNotepad() {
    if (fpGroup != nullptr && fpGroup->GetGroup() != nullptr) {
        // The display root owns its members: it must not delete the notepad too.
        if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
            display->RemoveMember(fpGroup);
        }
    }
    // The scroll bar's buttons are members of the notepad: the bar goes first.
    delete fpScrollBar;
    fpScrollBar = nullptr;
    delete fpGroup;
    fpGroup = nullptr;
}

VoString MGExpertInterview::GetType() const {
    return VoString(kExpert);
}

bool MGExpertInterview::Create(const VoString& aDataFile, VoPropertyList* apData, const VoString& aSubtitleFile) {
    MGSeedRandom(static_cast<unsigned>(std::time(nullptr)));
    fExitPlayed = false;
    fKind = KindOf(aDataFile);
    const bool result = ReadData(aDataFile, apData, aSubtitleFile);
    ReadInfos();
    if (fpTopicArea == nullptr && !SetupTopicArea(fpData)) {
        VO_ASSERT_FAILURE(kSetupTopicAreaFailure);
    }
    if (!SetupNotepad()) {
        VO_ASSERT_FAILURE(kSetupNotepadFailure);
    }
    fPhone = false;
    return result;
}

void MGExpertInterview::ReadInfos() {
    VoPropertyList* topics = fpData != nullptr ? fpData->GetList(VoString(u"topics")) : nullptr;
    for (int i = 0; topics != nullptr && i < topics->GetCount(); ++i) {
        VoPropertyList* node = topics->GetListAt(i);
        VoPropertyList* info = node != nullptr ? node->GetList(VoString(u"info")) : nullptr;
        if (info != nullptr && fInfos.Add(topics->GetKeyAt(i), info, true) == 0) {
            VO_ASSERT_FAILURE(kCreateFailure);
        }
    }
}

VoPropertyList* MGExpertInterview::GetInfo(const VoString& aTopic) {
    return static_cast<VoPropertyList*>(fInfos.Get(aTopic));
}

MGExpertTopicArea* MGExpertInterview::GetExpertTopicArea() const {
    return static_cast<MGExpertTopicArea*>(fpTopicArea);
}

bool MGExpertInterview::SetupTopicArea(VoPropertyList* apData) {
    MGTextureRoot root(kTextureRoot);
    LoadTopicLayout();
    MGExpertTopicArea* area = VO_NEW MGExpertTopicArea(this);
    if (area == nullptr) {
        return false;
    }
    VoPropertyList* topics = apData != nullptr ? apData->GetList(VoString(u"topics")) : nullptr;
    if (topics == nullptr) {
        VO_ASSERT_FAILURE(kNoTopics);
    }
    for (int i = 0; topics != nullptr && i < topics->GetCount(); ++i) {
        const VoString key = topics->GetKeyAt(i);
        VoPropertyList empty;
        VoPropertyList* node = topics->GetListAt(i) != nullptr ? topics->GetListAt(i) : &empty;
        bool found = false;
        const VoString name = node->GetString(VoString(u"name"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoName);
        }
        const VoString level = node->GetString(VoString(u"level"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoLevel);
        }
        VoString text;
        GetSubtitle(name, text);

        VoButton* button = VO_NEW VoButton();
        if (button == nullptr) {
            break;
        }
        button->SetId(key);
        for (const ExpertLook& look : kExpertLooks) {
            VoDisplayGroup* state = CreateExpertButtonLook(key, look.suffix, look.art, text,
                                                           look.state == XBTNSTATE_DISABLED);
            if (state != nullptr && !button->AddButtonStateObject(look.state, state)) {
                delete state;
            }
        }
        button->SetListener(this);
        area->AddTopic(key, button, BuildScript(node, u"dependencies", u"script[false]"),
                       StringOr(node, u"skilllevels", MGInterviewTopicArea::kAllLevels),
                       BuildScript(node, u"submittedevent", u"script[false]"),
                       BuildScript(node, u"readyevent", u"script[true]"),
                       StringOr(node, u"doneevent", MGInterviewTopicArea::kNeverEvent),
                       StringOr(node, u"viewedevent", MGInterviewTopicArea::kNeverEvent), level);
    }
    fpTopicArea = area;
    area->Refresh();
    return true;
}

VoDisplayGroup* MGExpertInterview::CreateExpertButtonLook(const VoString& aKey, const char16_t* apSuffix,
                                                          const char16_t* apArt, const VoString& aText,
                                                          bool aDisabled) {
    const VoString textId = aKey + apSuffix;
    VoTextArea* label = VO_NEW VoTextArea();
    if (label == nullptr) {
        return nullptr;
    }
    label->SetId(textId);
    label->SetRelativeZ(kTopicTextZ);
    label->SetPosition(kTopicTextX, kTopicTextY);
    VoFontManager* fonts = VoFontManager::GetInstance();
    label->Create(fonts != nullptr ? fonts->GetFont(VoString(aDisabled ? kDisabledTopicFont : kTopicFont))
                                   : nullptr);
    label->SetText(aText);
    VoDisplayGroup* look = CreateTopicButton(label, textId, VoString(apArt));
    if (look == nullptr) {
        delete label;
        return nullptr;
    }
    float width = 0.0f;
    if (const VoPolygon* boundary = look->GetBoundary()) {
        width = VoRectangle(*boundary).width;
    }
    for (const char16_t* node : {kCheckmarkNode, kHourglassNode}) {
        VoPropertyList* list = fpTopicLayout != nullptr ? fpTopicLayout->GetList(VoString(node)) : nullptr;
        VoSprite* mark = list != nullptr ? VoLayoutBuilder::BuildSprite(list) : nullptr;
        if (mark == nullptr) {
            VO_ASSERT_FAILURE("");
            continue;
        }
        mark->SetId(VoString(node == kCheckmarkNode ? MGExpertTopicArea::kCheckmarkId
                                                    : MGExpertTopicArea::kHourglassId));
        mark->SetPosition(width - kMarkRightInset, kMarkY);
        mark->SetVisible(false);
        if (!look->AddMember(mark, true)) {
            delete mark;
        }
    }
    return look;
}

bool MGExpertInterview::SetupNotepad() {
    if (fpGroup != nullptr) {
        return true;
    }
    MGTextureRoot root(kTextureRoot);
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        return false;
    }
    fpGroup->SetId(VoString(kNotepadId));
    fpGroup->SetPosition(kNotepadX, kNotepadY);
    fpGroup->SetRelativeZ(kNotepadZ);
    fpGroup->SetActive(false);

    VoPropertyList* layout = VO_NEW VoPropertyList();
    if (layout == nullptr || !layout->Load(VoString(kNotepadLayout), true)) {
        VO_ASSERT_FAILURE(kLayoutListFailure);
    }
    VoPropertyList* sprites = layout != nullptr ? layout->GetList(VoString(u"groups.interface.sprites")) : nullptr;
    if (sprites == nullptr || !VoLayoutBuilder::BuildSprites(sprites, fpGroup)) {
        VO_ASSERT_FAILURE(kLayoutSpritesFailure);
    }
    VoPropertyList* buttons = layout != nullptr ? layout->GetList(VoString(u"groups.interface.buttons")) : nullptr;
    if (buttons == nullptr || !VoLayoutBuilder::BuildButtons(buttons, fpGroup, this)) {
        VO_ASSERT_FAILURE(kLayoutButtonsFailure);
    }
    // The exit button answers only once the topics are shown.
    if (VoButton* exit = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kExitButton)))) {
        exit->RemoveListener();
    }
    fpScrollBar = VO_NEW MGInterviewScrollBar();
    if (fpScrollBar != nullptr) {
        fpScrollBar->Setup(layout, fpGroup);
    }
    AttachTopicArea();
    // The buttons hear the mouse while the topics are shown.
    if (fpTopicArea != nullptr) {
        fpTopicArea->SetListening(false);
        fpTopicArea->Refresh();
    }
    delete layout;
    return true;
}

bool MGExpertInterview::Start() {
    for (int i = 0; fpCharacters != nullptr && i < fpCharacters->GetCount(); ++i) {
        if (MGCharacter* character = GetCharacter(fpCharacters->GetKeyAt(i))) {
            character->SetInterviewPose(true, nullptr);
        }
    }
    fStarted = true;
    fExitAfter = false;
    fEnterTopicsAfter = false;
    if (fpListener != nullptr) {
        fpListener->OnInterviewEvent(MGIInterviewListener::kStarted);
    }
    MGExpertTopicArea* area = GetExpertTopicArea();
    if (area != nullptr) {
        area->Refresh();
    }
    if (area != nullptr && area->GetReadyCount() > 0) {
        PlayIntro();
    } else if (area != nullptr && area->GetWaitingCount() > 0) {
        PlayPending();
    } else {
        PlayNoInfo();
    }
    return true;
}

bool MGExpertInterview::PlayNode(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        return false;
    }
    LockMouse();
    PlaySequence(apNode, VoString(u""));
    if (fpSequence == nullptr) {
        UnlockMouse();
        fBusy = false;
        return false;
    }
    return true;
}

void MGExpertInterview::PlayOpening(const char16_t* apPath, const char* apMissing) {
    delete fpSequence;
    fpSequence = nullptr;
    VoPropertyList* list = fpData != nullptr ? fpData->GetList(VoString(apPath)) : nullptr;
    if (list == nullptr) {
        VO_ASSERT_FAILURE(apMissing);
    }
    const int count = list != nullptr ? list->GetCount() : 0;
    // An empty list goes on as a sequence that cannot be made: to the topics.
    VoPropertyList* entry = nullptr;
    if (count > 0) {
        const int draw = NextRandom() % count;
        entry = list->GetListAt(draw < 0 ? draw + count : draw);
    }
    if (PlayNode(entry)) {
        fEnterTopicsAfter = true;
        fExitAfter = false;
        return;
    }
    fEnterTopicsAfter = false;
    ShowTopics();
}

void MGExpertInterview::PlayIntro() {
    PlayOpening(u"intros", kNoIntros);
}

void MGExpertInterview::PlayPending() {
    PlayOpening(u"pending", kNoPending);
}

void MGExpertInterview::PlayNoInfo() {
    VoPropertyList* list = fpData != nullptr ? fpData->GetList(VoString(u"noinfos")) : nullptr;
    if (list == nullptr) {
        VO_ASSERT_FAILURE(kNoNoInfos);
    }
    const int count = list != nullptr ? list->GetCount() : 0;
    VoPropertyList* entry = count > 0 ? list->GetListAt(RandomIndex(count)) : nullptr;
    MGExpertTopicArea* area = GetExpertTopicArea();
    const bool viewed = area != nullptr && area->GetViewedCount() > 0;
    fExitAfter = !viewed;
    fEnterTopicsAfter = viewed;
    // Without a reply the visit goes on as if it had been heard.
    if (!PlayNode(entry)) {
        AfterSequence();
    }
}

void MGExpertInterview::ShowTopics() {
    MGExpertTopicArea* area = GetExpertTopicArea();
    MGScene* scene = MGSceneManager::GetCurrentScene();
    if (area == nullptr || (area->GetReadyCount() == 0 && area->GetViewedCount() == 0)) {
        // The end of the visit: the listener hears it before the scene leaves
        // its interview mode, so the scene's mouse comes back.
        End();
        if (scene != nullptr) {
            scene->EndInterview();
        }
        return;
    }
    ListenToMouse(true);
    SetupNotepad();
    area->SetListening(true);
    if (fpGroup != nullptr) {
        if (VoButton* exit = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kExitButton)))) {
            if (exit->GetListener() != this) {
                exit->RemoveListener();
                exit->SetListener(this);
            }
        }
        VoDisplayManager* display = VoDisplayManager::GetInstance();
        if (display != nullptr && fpGroup->GetGroup() == nullptr) {
            display->AddMember(fpGroup);
        }
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    if (fKind == kNoComputer) {
        if (fpGroup != nullptr) {
            fpGroup->SetActive(true);
        }
    } else {
        if (scene != nullptr) {
            scene->SetKeepAudio(true);
        }
        if (MGExpertComputer* computer = MGExpertComputer::GetInstance()) {
            computer->Open(fKind, this);
        }
    }
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(kCursorHand, VoString(u""));
    }
}

bool MGExpertInterview::SelectTopic(int aMode) {
    if (fCurrentTopic.GetLength() == 0) {
        return true;
    }
    LockMouse();
    MGInterviewTopic* topic = GetTopic(fCurrentTopic);
    if (fKind != kNoComputer) {
        VoPropertyList* info = GetInfo(fCurrentTopic);
        MGExpertComputer* computer = info != nullptr ? MGExpertComputer::GetInstance() : nullptr;
        if (computer != nullptr) {
            computer->ShowItem(info, fpSubtitles);
        }
    }
    if (topic == nullptr) {
        // A button without its topic would leave the notepad busy for good.
        UnlockMouse();
        fCurrentTopic = VoString(u"");
        return true;
    }
    fBusy = true;
    topic->SelectMode(aMode, this, 1);
    return true;
}

void MGExpertInterview::OnTopicDone(bool) {
    fCurrentTopic = VoString(u"");
    fBusy = false;
    RefreshTopicArea();
}

void MGExpertInterview::PlayExit() {
    if (fExitPlayed) {
        return;
    }
    fExitPlayed = true;
    VoPropertyList* exit = fpData != nullptr ? fpData->GetList(VoString(u"exit")) : nullptr;
    if (exit != nullptr && PlayNode(exit)) {
        fExitAfter = true;
        fEnterTopicsAfter = false;
        return;
    }
    fExitPlayed = false;
    MGScene* scene = MGSceneManager::GetCurrentScene();
    if (scene != nullptr) {
        scene->SetCut(VoString(kNoCut));
        scene->EndInterview();
    }
    if (MGCutScenePlayer* cutScenes = MGCutScenePlayer::GetInstance()) {
        cutScenes->PlayForInterview(fId);
    }
}

void MGExpertInterview::OnSequenceEnd() {
    UnlockMouse();
    fCurrentTopic = VoString(u"");
    const VoString done = fpSequence != nullptr ? fpSequence->GetDoneEvent() : VoString(u"");
    VoEventManager* events = VoEventManager::GetInstance();
    if (events != nullptr && done.GetLength() > 0 && !events->HasEvent(done)) {
        events->AddEvent(done, true);
    }
    // It touches nothing of itself after telling us.
    delete fpSequence;
    fpSequence = nullptr;
    fBusy = false;
    RefreshTopicArea();
    AfterSequence();
}

void MGExpertInterview::AfterSequence() {
    if (fExitAfter) {
        fExitAfter = false;
        HideSubtitle();
        FinishVisit();
    } else if (fEnterTopicsAfter) {
        fEnterTopicsAfter = false;
        HideSubtitle();
        ShowTopics();
    }
}

void MGExpertInterview::FinishVisit() {
    End();
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
    MGScene* scene = MGSceneManager::GetCurrentScene();
    if (scene != nullptr) {
        scene->SetCut(VoString(kNoCut));
        scene->EndInterview();
    }
    if (MGCutScenePlayer* cutScenes = MGCutScenePlayer::GetInstance()) {
        cutScenes->PlayForInterview(fId);
    }
    fExitPlayed = false;
}

void MGExpertInterview::OnButtonEvent(const VoString& aId, int aCode) {
    if (aId == VoString(kDragButton)) {
        if (aCode == kPressed) {
            BeginDrag();
        }
        return;
    }
    if (aCode != kClick || fBusy) {
        return;
    }
    if (aId == VoString(kExitButton)) {
        ListenToMouse(false);
        if (fKind == kNoComputer) {
            PlayExit();
            End();
            return;
        }
        End();
        if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
            scene->EndInterview();
        }
        // The exit sequence follows once the scene has faded back in.
        if (MGExpertComputer* computer = MGExpertComputer::GetInstance()) {
            computer->Close();
        }
        return;
    }
    fCurrentTopic = aId;
    SelectTopic(kAnswerMode);
    RefreshTopicArea();
}

void MGExpertInterview::OnMouseMove(const VoVector2* apPosition) {
    if (apPosition != nullptr && !PassMoveWhileBusy(*apPosition)) {
        FollowDrag(*apPosition);
    }
}

void MGExpertInterview::OnWheel(float aDelta) {
    // Unlike the witness's, the list scrolls while an answer plays too, and
    // the wheel goes on to the other listeners.
    VoScrollBar* bar = fpScrollBar != nullptr ? fpScrollBar->GetScrollBar() : nullptr;
    if (bar == nullptr) {
        return;
    }
    if (aDelta >= 0.0f) {
        bar->ScrollUp();
    } else {
        bar->ScrollDown();
    }
}

VoString MGExpertInterview::ToString() const {
    return VoDebugString("MGExpertInterview", this);
}
