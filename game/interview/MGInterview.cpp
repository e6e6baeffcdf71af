#include "interview/MGInterview.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <ctime>
#include <limits>

#include "MGScreenFader.h"
#include "container/VoColor.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "interview/MGIInterviewListener.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewMeter.h"
#include "interview/MGInterviewScrollBar.h"
#include "interview/MGInterviewSequence.h"
#include "interview/MGInterviewTopic.h"
#include "interview/MGInterviewTopicArea.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "scene/MGCharacter.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGRandom.h"

namespace {

const VoColor kTooltipColor(0.8f, 0.96f, 1.0f, 0.62f);
const VoColor kDisabledTooltipColor(0.8f, 0.4f, 0.4f, 0.4f);
const VoColor kTooltipBorder(1.0f, 0.0f, 0.0f, 0.0f);

// The bad step's divisor by skill level: easy, medium, hard.
const float kSkillFactors[] = {0.95f, 0.75f, 0.5f};
constexpr float kDefaultSkillFactor = 0.75f;

// The refusal thresholds by skill (easy, medium, hard) for the seconds since
// the failure up to 10, 20, 30, 40 and 50; above 100 nothing is refused.
constexpr float kNever = 1000.0f;
const float kThresholds[5][3] = {{40.0f, 25.0f, 10.0f},
                                 {60.0f, 45.0f, 30.0f},
                                 {80.0f, 65.0f, 50.0f},
                                 {kNever, 85.0f, 70.0f},
                                 {kNever, kNever, 90.0f}};

// The topic button's looks: text area suffix, layout art letter, state.
struct TopicLook {
    const char16_t* suffix;
    const char16_t* art;
    XBTNSTATE state;
};
const TopicLook kTopicLooks[] = {{u"_n", u"n", XBTNSTATE_NORMAL},
                                 {u"_o", u"o", XBTNSTATE_OVER},
                                 {u"_d", u"h", XBTNSTATE_DOWN},
                                 {u"_x", u"x", XBTNSTATE_DISABLED},
                                 {u"_h", u"h", XBTNSTATE_HILIGHTED}};

void AddEvent(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (events != nullptr && aId.GetLength() > 0) {
        events->AddEvent(aId, true);
    }
}

bool HasEvent(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && aId.GetLength() > 0 && events->HasEvent(aId);
}

void HideSubtitle() {
    if (MGSubtitle* subtitle = MGSubtitle::GetInstance()) {
        subtitle->Hide();
    }
}

double Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

// Whether the screen point lies on the shown look of the button (its own
// boundary, else that of the object it shows), disabled or not.
bool Covers(VoButton* apButton, const VoVector2& aPoint) {
    if (apButton == nullptr || !apButton->GetEffectiveVisible()) {
        return false;
    }
    apButton->UpdateState();
    VoIDisplayObject* look = apButton->GetBoundary() != nullptr ? apButton : apButton->GetCurrentObject();
    if (look == nullptr) {
        return false;
    }
    look->Validate();
    VoPolygon boundary;
    return look->GetWorldBoundary(boundary) && boundary.ContainsPoint(aPoint);
}

}  // namespace

void MGInterview::SetRandomSource(RandomSource apSource) {
    MGSetRandomSource(apSource);
}

int MGInterview::NextRandom() {
    return MGRandom();
}

int MGInterview::RandomIndex(int aCount) {
    if (aCount <= 0) {
        return 0;
    }
    // The milliseconds of the timer, wrapped into the seed's range.
    const double milliseconds = std::fmod(Now() * 1000.0, 4294967296.0);
    MGSeedRandom(milliseconds >= 0.0 ? static_cast<unsigned>(milliseconds) : 0u);
    const int index = static_cast<int>(static_cast<float>(NextRandom()) / static_cast<float>(kMaxRandom) *
                                       static_cast<float>(aCount));
    return index >= aCount ? aCount - 1 : (index < 0 ? 0 : index);
}

int MGInterview::ModeOfButton(const VoString& aId) {
    const VoString prefix(kModeButtonPrefix);
    if (aId.SubString(0, prefix.GetLength()) != prefix) {
        return -1;
    }
    const VoString key = aId.SubString(prefix.GetLength(), aId.GetLength() - prefix.GetLength());
    for (int i = 0; i < kModeCount; ++i) {
        if (key == VoString(MGInterviewTopic::ModeKey(i))) {
            return i;
        }
    }
    return -1;
}

MGInterview::MGInterview()
    : fpSeatHotspot(nullptr),
      fTopics(7, false, 16),
      fpTopicArea(nullptr),
      fBusy(false),
      fFonts(7, false, 16),
      fpData(nullptr),
      fpSubtitles(nullptr),
      fpSequence(nullptr),
      fEnterTopicsAfter(false),
      fExitAfter(false),
      fMeterFull(false),
      fPhone(false),
      fpCharacters(nullptr),
      fWitness(u"none"),
      fpStates(VoStateManager::GetInstance()),
      fpGroup(nullptr),
      fDragging(false),
      fpScrollBar(nullptr),
      fpModesGroup(nullptr),
      fpModeButtons{},
      fpMeter(nullptr),
      fGoodStep(0.0f),
      fBadStep(0.0f),
      fpTopicLayout(nullptr),
      fLastHoveredMode(-1),
      fHoveredMode(kModeCount),
      fTooltipPending(false),
      fTooltipShown(false),
      fHoverStart(-1.0),
      fpTooltip(nullptr),
      fpTooltipTexts(nullptr),
      fpListener(nullptr),
      fInputBlocked(false),
      fListeningToMouse(false),
      fListeningToFrames(false),
      fListeningToFader(false),
      fStarted(false),
      fSuspended(false),
      fResumeMouse(false),
      fResumeGroup(false) {
    MGSeedRandom(static_cast<unsigned>(std::time(nullptr)));
}

MGInterview::~MGInterview() {
    ListenToMouse(false);
    UnlockMouse();
    MGListenToFrames(this, 0.0f, false, &fListeningToFrames);
    if (fListeningToFader) {
        if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
            fader->RemoveListener(this);
        }
    }
    if (fpGroup != nullptr) {
        for (const char16_t* id : {kExitButton, kDragButton}) {
            VoButton* button = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(id)));
            if (button != nullptr && button->GetListener() == this) {
                button->RemoveListener();
            }
        }
    }
    for (VoButton* button : fpModeButtons) {
        if (button != nullptr && button->GetListener() == this) {
            button->RemoveListener();
        }
    }
    // Leaves the shared group with itself.
    delete fpTopicArea;
    delete fpTooltipTexts;
    delete fpSequence;
    fTopics.ClearAndDelete<MGInterviewTopic>();
    delete fpTopicLayout;
    delete fpSubtitles;
    delete fpData;
}

VoString MGInterview::GetType() const {
    return VoString(kRegular);
}

bool MGInterview::Create(const VoString& aDataFile, VoPropertyList* apData, const VoString& aSubtitleFile) {
    LoadTooltips();
    const bool result = ReadData(aDataFile, apData, aSubtitleFile);
    if (fpTopicArea == nullptr && !SetupTopicArea(fpData)) {
        VO_ASSERT_FAILURE(kSetupTopicAreaFailure);
    }
    fPhone = false;
    return result;
}

bool MGInterview::ReadData(const VoString& aDataFile, VoPropertyList* apData, const VoString& aSubtitleFile) {
    fId = aDataFile.GetLength() > 4 ? aDataFile.SubString(0, aDataFile.GetLength() - 4) : VoString(u"");
    fDenialState = VoString(kDenialPrefix) + fId;
    fNoInfoState = VoString(kNoInfoPrefix) + fId;
    AddStates();

    delete fpData;
    fpData = apData;
    bool result = true;
    delete fpSubtitles;
    fpSubtitles = VO_NEW VoPropertyList();
    if (fpSubtitles == nullptr || !fpSubtitles->Load(VoString(kInterviewRoot) + aSubtitleFile, true)) {
        VO_ERROR(kSubtitleListFailure, aSubtitleFile);
        // The rest is built all the same: an interview without subtitles.
        delete fpSubtitles;
        fpSubtitles = nullptr;
        result = false;
    }
    if (MGMultiCursor* menu = MGMultiCursor::GetInstance()) {
        menu->Hide(false);
    }
    ReadFonts();
    fpCharacters = fpData != nullptr ? fpData->GetList(VoString(u"characters")) : nullptr;
    ReadTopics();
    return result;
}

void MGInterview::LoadTooltips() {
    VoToolTipManager* tooltips = VoToolTipManager::GetInstance();
    if (tooltips != nullptr) {
        fpTooltip = tooltips->GetToolTip(VoString(kTooltipId));
        if (fpTooltip == nullptr) {
            VoFontManager* fonts = VoFontManager::GetInstance();
            VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kTooltipFont)) : nullptr;
            fpTooltip = tooltips->CreateToolTip(font, VoString(kTooltipId), kTooltipZ);
            // Made visible, empty and unplaced: it would show as a bare box
            // at the screen's corner until a mode button is first hovered.
            if (fpTooltip != nullptr) {
                fpTooltip->Hide();
            }
        }
    }
    if (fpTooltip != nullptr) {
        fpTooltip->SetBackgroundColor(kTooltipColor);
        fpTooltip->SetBorderColor(kTooltipBorder);
    }
    VoPropertyList list;
    if (!list.Load(VoString(kTooltipFile), true)) {
        VO_ASSERT_FAILURE("");
    }
    delete fpTooltipTexts;
    fpTooltipTexts = VO_NEW VoVectorString();
    for (int i = 0; fpTooltipTexts != nullptr && i < kModeCount; ++i) {
        bool found = false;
        const VoString text = list.GetString(VoString(kModeButtonPrefix) + MGInterviewTopic::ModeKey(i), &found);
        fpTooltipTexts->Add(found ? text : VoString(kTooltipMissing));
    }
}

void MGInterview::AddStates() {
    if (fpStates == nullptr) {
        return;
    }
    if (!fpStates->HasState(fDenialState)) {
        const float never = 0.0f;
        VoIState* state = VO_NEW VoIState();
        if (state == nullptr || !state->Set(fDenialState, VoIState::kNumber, &never) ||
            !fpStates->AddState(state, false, false)) {
            delete state;
        }
    }
    if (fpStates->HasState(fNoInfoState)) {
        VO_NOTE(kFoundValue);
        return;
    }
    const bool noInfo = false;
    VoIState* state = VO_NEW VoIState();
    if (state == nullptr || !state->Set(fNoInfoState, VoIState::kBoolean, &noInfo) ||
        !fpStates->AddState(state, false, false)) {
        delete state;
    }
}

void MGInterview::ReadFonts() {
    VoPropertyList* fonts = fpData != nullptr ? fpData->GetList(VoString(u"fonts")) : nullptr;
    if (fonts == nullptr) {
        VO_ASSERT_FAILURE(kNoFonts);
        return;
    }
    VoFontManager* manager = VoFontManager::GetInstance();
    for (int i = 0; i < fonts->GetCount(); ++i) {
        const VoString key = fonts->GetKeyAt(i);
        VoPropertyListElement element = fonts->GetAt(i);
        VoIFont* font = manager != nullptr && element.IsValue() ? manager->GetFont(*element.GetValue()) : nullptr;
        if (font == nullptr || fFonts.Add(key, font, true) == 0) {
            VO_ASSERT_FAILURE(kFontNotFound);
        }
    }
}

void MGInterview::ReadTopics() {
    VoPropertyList* topics = fpData != nullptr ? fpData->GetList(VoString(u"topics")) : nullptr;
    bool failed = false;
    for (int i = 0; topics != nullptr && i < topics->GetCount(); ++i) {
        const VoString key = topics->GetKeyAt(i);
        MGInterviewTopic* topic = VO_NEW MGInterviewTopic();
        bool stored = false;
        if (topic != nullptr && topic->Create(fId + u"_" + key, topics->GetListAt(i))) {
            // Told by the count, not by Add's hash: the empty key is stored
            // with the hash 0, and deleting it then would leave a freed topic.
            const int count = fTopics.GetCount();
            fTopics.Add(key, topic, true);
            stored = fTopics.GetCount() > count;
        }
        if (!stored) {
            delete topic;
            failed = true;
        }
        // Once one has failed, every later topic says so too.
        if (failed) {
            VO_ASSERT_FAILURE(kCreateFailure);
        }
    }
}

void MGInterview::LoadTopicLayout() {
    if (fpTopicLayout == nullptr) {
        fpTopicLayout = VO_NEW VoPropertyList();
        if (fpTopicLayout == nullptr || !fpTopicLayout->Load(VoString(kLayoutFile), true)) {
            VO_ASSERT_FAILURE(kLayoutFailure);
            delete fpTopicLayout;
            fpTopicLayout = nullptr;
        }
    }
}

bool MGInterview::SetupTopicArea(VoPropertyList* apData) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const VoString root = textures != nullptr ? textures->GetRoot() : VoString(u"");
    if (textures != nullptr) {
        textures->SetRoot(VoString(kTextureRoot));
    }
    LoadTopicLayout();
    MGInterviewTopicArea* area = VO_NEW MGInterviewTopicArea(this);
    VoPropertyList* topics = apData != nullptr ? apData->GetList(VoString(u"topics")) : nullptr;
    VoFontManager* fonts = VoFontManager::GetInstance();
    for (int i = 0; area != nullptr && topics != nullptr && i < topics->GetCount(); ++i) {
        const VoString key = topics->GetKeyAt(i);
        VoPropertyList empty;
        VoPropertyList* node = topics->GetListAt(i) != nullptr ? topics->GetListAt(i) : &empty;
        bool found = false;
        const VoString name = node->GetString(VoString(u"name"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoName);
        }
        VoString text;
        GetSubtitle(name, text);
        const VoString level = node->GetString(VoString(u"level"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoLevel);
        }

        VoButton* button = VO_NEW VoButton();
        if (button == nullptr) {
            break;
        }
        button->SetId(key);
        for (const TopicLook& look : kTopicLooks) {
            const VoString textId = key + look.suffix;
            VoTextArea* label = VO_NEW VoTextArea();
            if (label == nullptr) {
                continue;
            }
            label->SetId(textId);
            label->SetRelativeZ(kTopicTextZ);
            label->SetPosition(kTopicTextX, kTopicTextY);
            const bool disabled = look.state == XBTNSTATE_DISABLED;
            label->Create(fonts != nullptr ? fonts->GetFont(VoString(disabled ? kDisabledTopicFont : kTopicFont))
                                           : nullptr);
            label->SetText(text);
            VoDisplayGroup* state = CreateTopicButton(label, textId, VoString(look.art));
            if (state == nullptr) {
                delete label;
                continue;
            }
            if (!button->AddButtonStateObject(look.state, state)) {
                delete state;
            }
        }
        button->SetListener(this);

        VoScript* dependencies = nullptr;
        const VoString script = node->GetString(VoString(u"dependencies"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoDependencies);
        } else {
            dependencies = VO_NEW VoScript();
            VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
            if (dependencies != nullptr && builder != nullptr) {
                builder->Build(script, dependencies);
            }
        }
        VoString done = node->GetString(VoString(u"doneevent"), &found);
        if (!found) {
            done = VoString(MGInterviewTopicArea::kNeverEvent);
        }
        VoString viewed = node->GetString(VoString(u"viewedevent"), &found);
        if (!found) {
            viewed = VoString(MGInterviewTopicArea::kNeverEvent);
        }
        VoString skills = node->GetString(VoString(u"skilllevels"), &found);
        if (!found) {
            skills = VoString(MGInterviewTopicArea::kAllLevels);
        }
        area->AddTopic(key, button, dependencies, skills, done, viewed, level);
    }
    if (textures != nullptr) {
        textures->SetRoot(root);
    }
    fpTopicArea = area;
    return area != nullptr;
}

VoDisplayGroup* MGInterview::CreateTopicButton(VoIDisplayObject* apText, const VoString& aTextId,
                                               const VoString& aArt) {
    VoPropertyList* node =
        fpTopicLayout != nullptr ? fpTopicLayout->GetList(VoString(kTopicButtonNode) + aArt) : nullptr;
    if (node == nullptr) {
        VO_ASSERT_FAILURE(kNoTopicButton);
        return nullptr;
    }
    VoDisplayGroup* group = VoLayoutBuilder::BuildGroup(node, true);
    if (group == nullptr) {
        VO_ASSERT_FAILURE(kNoTopicButton);
        return nullptr;
    }
    group->SetId(aTextId + kTopicButtonSuffix);
    VoIDisplayObject* middle = group->GetMember(VoString(u"middle"));
    if (middle != nullptr) {
        middle->SetScale(kMiddleScale, 1.0f);
    } else {
        VO_ASSERT_FAILURE(kNoMiddle);
    }
    VoIDisplayObject* rightCap = group->GetMember(VoString(u"right_cap"));
    VoVector2 corner(0.0f, 0.0f);
    if (rightCap != nullptr) {
        VoVector2 place = rightCap->GetPosition();
        place.x += kRightCapShift;
        rightCap->SetPosition(place);
        corner = place;
        if (const VoPolygon* outline = rightCap->GetBoundary()) {
            const VoRectangle size(*outline);
            corner.x += size.x + size.width;
            corner.y += size.y + size.height;
        }
    } else {
        VO_ASSERT_FAILURE(kNoRightCap);
    }
    group->SetBoundary(VoRectangle(0.0f, 0.0f, corner.x, corner.y));
    if (apText != nullptr && !group->AddMember(apText, true)) {
        VO_ASSERT_FAILURE("");
        delete apText;
    }
    return group;
}

bool MGInterview::SetListener(MGIInterviewListener* apListener) {
    if (apListener == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
    }
    fpListener = apListener;
    return true;
}

VoIFont* MGInterview::GetFont(const VoString& aKey) {
    return static_cast<VoIFont*>(fFonts.Get(aKey));
}

bool MGInterview::GetSubtitle(const VoString& aKey, VoString& aOut) {
    bool found = false;
    aOut = fpSubtitles != nullptr ? fpSubtitles->GetString(aKey, &found) : VoString(u"");
    if (!found) {
        VO_ASSERT_FAILURE(kGetSubtitleFailure, aKey, kGetSubtitleNotFound);
    }
    return true;
}

MGCharacter* MGInterview::GetCharacter(const VoString& aKey) {
    if (fpCharacters == nullptr || aKey.GetLength() == 0) {
        return nullptr;
    }
    bool found = false;
    const VoString id = fpCharacters->GetString(aKey, &found);
    MGScene* scene = MGSceneManager::GetCurrentScene();
    return found && scene != nullptr ? scene->GetCharacter(id) : nullptr;
}

MGInterviewTopic* MGInterview::GetTopic(const VoString& aKey) {
    return static_cast<MGInterviewTopic*>(fTopics.Get(aKey));
}

VoButton* MGInterview::GetModeButton(int aIndex) const {
    return aIndex >= 0 && aIndex < kModeCount ? fpModeButtons[aIndex] : nullptr;
}

const VoString& MGInterview::GetTooltipText(int aIndex) const {
    static const VoString sNone;
    const VoString* text = fpTooltipTexts != nullptr ? fpTooltipTexts->PeekAt(aIndex) : nullptr;
    return text != nullptr ? *text : sNone;
}

bool MGInterview::Start() {
    SetupLayout();
    RefreshTopicArea();
    const int open = OpenCount();
    if (open > 0) {
        MGOptions* options = MGOptions::GetInstance();
        const int skill = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
        const float factor = skill >= 0 && skill <= 2 ? kSkillFactors[skill] : kDefaultSkillFactor;
        fGoodStep = 100.0f / static_cast<float>(open);
        fBadStep = 100.0f / (2.0f * static_cast<float>(open) * factor);
    } else {
        // Such an interview never reaches the meter: it has nothing to say.
        fGoodStep = std::numeric_limits<float>::infinity();
        fBadStep = std::numeric_limits<float>::infinity();
    }
    fStarted = true;
    fMeterFull = false;
    fExitAfter = false;
    fEnterTopicsAfter = false;
    if (fpGroup != nullptr) {
        // The root owns its members: the group joins it once.
        VoDisplayManager* display = VoDisplayManager::GetInstance();
        if (display != nullptr && fpGroup->GetGroup() == nullptr) {
            display->AddMember(fpGroup);
        }
        fpGroup->SetPosition(fPosition);
    }
    ListenToMouse(true);
    if (fpListener != nullptr) {
        fpListener->OnInterviewEvent(MGIInterviewListener::kStarted);
    }
    if (IsBargainingActive()) {
        PlayBargaining();
    } else if (IsDenied()) {
        PlayDenied();
    } else {
        VoPropertyList* topics = fpData != nullptr ? fpData->GetList(VoString(u"topics")) : nullptr;
        const bool nothingListed = OpenCount() == 0 && topics != nullptr && topics->GetCount() > 0;
        const VoIState* noInfo = fpStates != nullptr ? fpStates->GetState(fNoInfoState) : nullptr;
        if ((noInfo == nullptr || !noInfo->GetBoolean()) && !nothingListed) {
            PlayIntros();
        } else {
            PlayNoInfos();
        }
    }
    return true;
}

void MGInterview::SetupLayout() {
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    if (manager == nullptr || !manager->GetLayout(&fpGroup, &fpModesGroup, &fpMeter, &fpScrollBar)) {
        VO_ASSERT_FAILURE("");
    }
    if (fpGroup != nullptr) {
        for (const char16_t* id : {kExitButton, kDragButton}) {
            if (VoButton* button = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(id)))) {
                button->RemoveListener();
                button->SetListener(this);
            }
        }
    }
    for (int i = 0; i < kModeCount; ++i) {
        fpModeButtons[i] = fpModesGroup != nullptr
                               ? dynamic_cast<VoButton*>(fpModesGroup->GetMember(
                                     VoString(kModeButtonPrefix) + MGInterviewTopic::ModeKey(i)))
                               : nullptr;
        if (fpModeButtons[i] != nullptr) {
            fpModeButtons[i]->RemoveListener();
            fpModeButtons[i]->SetListener(this);
        }
    }
    if (fpMeter != nullptr) {
        fpMeter->SetGoodValue(0.0f);
        fpMeter->SetBadValue(0.0f);
    }
    AttachTopicArea();
    HideModes();
    RefreshTopicArea();
}

void MGInterview::AttachTopicArea() {
    if (fpGroup != nullptr && fpGroup->GetMember(VoString(MGInterviewTopicArea::kId)) != nullptr) {
        // Another interview's list: that interview keeps it.
        VoIDisplayObject* other = nullptr;
        fpGroup->RemoveMember(VoString(MGInterviewTopicArea::kId), &other);
    }
    if (fpTopicArea == nullptr) {
        return;
    }
    fpTopicArea->SetPosition(kAreaX, kAreaY);
    if (fpScrollBar != nullptr) {
        fpTopicArea->SetScrollBar(fpScrollBar);
        fpScrollBar->SetContentGroup(fpTopicArea);
    }
    if (fpGroup != nullptr && fpTopicArea->GetGroup() == nullptr) {
        fpGroup->AddMember(fpTopicArea, true);
    }
    fpTopicArea->SetListening(true);
}

void MGInterview::RefreshTopicArea() {
    if (fpTopicArea != nullptr) {
        fpTopicArea->Refresh();
    }
}

int MGInterview::OpenCount() const {
    return fpTopicArea != nullptr ? fpTopicArea->GetOpenCount() : fTopics.GetCount();
}

void MGInterview::End() {
    if (!fStarted) {
        return;
    }
    fStarted = false;
    for (int i = 0; fpCharacters != nullptr && i < fpCharacters->GetCount(); ++i) {
        if (MGCharacter* character = GetCharacter(fpCharacters->GetKeyAt(i))) {
            character->SetInterviewPose(false, nullptr);
        }
    }
    if (fpTopicArea != nullptr) {
        fpTopicArea->SetListening(false);
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (fpGroup != nullptr) {
        fpGroup->SetActive(false);
    }
    fBusy = false;
    fDragging = false;
    HideTooltip();
    UnlockMouse();
    ListenToMouse(false);
    if (!fPhone) {
        if (MGCursor* cursor = MGCursor::GetInstance()) {
            cursor->SetCursor(kCursorDefault, VoString(u""));
        }
    }
    if (fpListener != nullptr) {
        fpListener->OnInterviewEvent(MGIInterviewListener::kEnded);
    }
}

void MGInterview::Suspend() {
    if (fSuspended) {
        return;
    }
    fSuspended = true;
    fResumeMouse = fListeningToMouse;
    ListenToMouse(false);
    fResumeGroup = fpGroup != nullptr && fpGroup->GetActive();
    if (fpGroup != nullptr) {
        fpGroup->SetActive(false);
    }
}

void MGInterview::Resume() {
    if (!fSuspended) {
        return;
    }
    fSuspended = false;
    if (!fStarted) {
        // It ended meanwhile: its window stays closed and its mouse free.
        return;
    }
    if (fResumeGroup && fpGroup != nullptr) {
        fpGroup->SetActive(true);
    }
    if (fResumeMouse) {
        ListenToMouse(true);
    }
}

void MGInterview::ShowModes(const VoString& aTopic) {
    fCurrentTopic = aTopic;
    for (VoButton* button : fpModeButtons) {
        if (button != nullptr) {
            button->SetVisible(true);
            button->SetEnabled(false);
        }
    }
    MGInterviewTopic* topic = GetTopic(aTopic);
    VoPropertyList* modes = topic != nullptr ? topic->GetModes() : nullptr;
    for (int i = 0; modes != nullptr && i < modes->GetCount(); ++i) {
        const int mode = MGInterviewTopic::ModeIndex(modes->GetKeyAt(i));
        if (mode < 0 || fpModeButtons[mode] == nullptr) {
            continue;
        }
        const VoString used = fId + u"_" + aTopic + u"_" + MGInterviewTopic::ModeKey(mode);
        if (!HasEvent(used)) {
            fpModeButtons[mode]->SetEnabled(true);
        }
    }
}

void MGInterview::HideModes() {
    for (VoButton* button : fpModeButtons) {
        if (button != nullptr) {
            button->SetVisible(false);
        }
    }
}

void MGInterview::SelectMode(int aIndex) {
    MGInterviewTopic* topic = fCurrentTopic.GetLength() > 0 ? GetTopic(fCurrentTopic) : nullptr;
    if (topic == nullptr) {
        return;
    }
    LockMouse();
    fBusy = true;
    topic->SelectMode(aIndex, this, 0);
    HideModes();
}

void MGInterview::AddGoodStep() {
    if (fpMeter != nullptr && fpMeter->AddGood(fGoodStep) >= kMeterFull) {
        fMeterFull = true;
        fpMeter->SetInterview(this);
    }
}

void MGInterview::AddBadStep() {
    if (fpMeter != nullptr && fpMeter->AddBad(fBadStep) >= kMeterFull) {
        fMeterFull = true;
        fpMeter->SetInterview(this);
    }
}

void MGInterview::OnModeSequenceDone(bool) {
    fCurrentTopic = VoString(u"");
    fBusy = false;
    RefreshTopicArea();
}

void MGInterview::OnMeterFull(int aSide) {
    fMeterFull = false;
    if (aSide == MGInterviewMeter::kBad) {
        VoGameClock* clock = VoGameClock::GetInstance();
        VoString now;
        now.Append(clock != nullptr ? clock->GetTime() : 0.0f);
        if (fpStates != nullptr) {
            fpStates->SetState(fDenialState, VoString(u"number"), now, true);
        }
        if (fpGroup != nullptr) {
            fpGroup->SetActive(false);
        }
        PlayFailedExit();
        return;
    }
    if (fpStates != nullptr) {
        fpStates->SetState(fNoInfoState, VoString(u"boolean"), VoString(u"true"), true);
    }
    AddEvent(VoString(kCompletePrefix) + fId + kCompleteSuffix);
    if (fpGroup != nullptr) {
        fpGroup->SetActive(false);
    }
    PlayExit();
}

void MGInterview::LeaveForBargain(bool aRise) {
    if (fpStates != nullptr) {
        fpStates->SetState(VoString(kBargainPrefix) + fId + kBargainSuffix, VoString(u"boolean"), VoString(u"true"),
                           false);
    }
    End();
    MGScene* scene = MGSceneManager::GetCurrentScene();
    if (scene != nullptr) {
        scene->SetCut(VoString(kNoCut));
        scene->EndInterview();
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Maximize(false);
    }
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->SetPanel(VoString(kInventoryPanel));
    }
    HideSubtitle();
    if (aRise && fpSeatHotspot != nullptr && scene != nullptr) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
        if (MGCharacter* player = scene->GetPlayer()) {
            player->PlayAction(kActionRise, fpSeatHotspot);
        }
    }
}

// The openings and endings.

bool MGInterview::IsBargainingActive() {
    const VoIState* state =
        fpStates != nullptr ? fpStates->GetState(VoString(kBargainPrefix) + fId + kBargainSuffix) : nullptr;
    return state != nullptr && state->GetBoolean();
}

bool MGInterview::IsDenied() {
    const VoIState* state = fpStates != nullptr ? fpStates->GetState(fDenialState) : nullptr;
    const float failedAt = state != nullptr ? state->GetNumber() : 0.0f;
    if (failedAt == 0.0f) {
        return false;
    }
    VoGameClock* clock = VoGameClock::GetInstance();
    const float elapsed = (clock != nullptr ? clock->GetTime() : 0.0f) - failedAt;
    if (elapsed > kDenialWindow) {
        return false;
    }
    MGOptions* options = MGOptions::GetInstance();
    int skill = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
    if (skill < 0 || skill > 2) {
        skill = MGOptions::kDefaultSkillLevel;
    }
    int row = 4;
    for (int i = 0; i < 4; ++i) {
        if (elapsed <= 10.0f * static_cast<float>(i + 1)) {
            row = i;
            break;
        }
    }
    const float threshold = kThresholds[row][skill];
    const float roll = static_cast<float>(NextRandom() % 1000) * 0.1f;
    return roll >= threshold;
}

void MGInterview::PlaySequence(VoPropertyList* apNode, const VoString& aDoneEvent) {
    delete fpSequence;
    fpSequence = VO_NEW MGInterviewSequence();
    if (fpSequence != nullptr) {
        fpSequence->Create(aDoneEvent, apNode, this);
    }
    HideModes();
    if (fpSequence != nullptr) {
        fpSequence->Play(this);
    }
    fBusy = true;
}

VoString MGInterview::DoneEventOf(VoPropertyList* apNode) {
    return apNode != nullptr ? apNode->GetString(VoString(u"doneevent"), nullptr) : VoString(u"");
}

void MGInterview::PlayBargaining() {
    VoPropertyList* bargain = fpData != nullptr ? fpData->GetList(VoString(u"bargain")) : nullptr;
    if (bargain == nullptr) {
        VO_ASSERT_FAILURE(kNoBargain);
    }
    bool found = false;
    const VoString solvedEvent =
        bargain != nullptr ? bargain->GetString(VoString(u"solvedevent"), &found) : VoString(u"");
    if (!found) {
        VO_ASSERT_FAILURE("");
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->AddLock(this);
    }
    if (HasEvent(solvedEvent)) {
        if (fpStates != nullptr) {
            fpStates->SetState(VoString(kBargainPrefix) + fId + kBargainSuffix, VoString(u"boolean"),
                               VoString(u"false"), true);
        }
        VoPropertyList* solved = bargain->GetList(VoString(u"solved"));
        if (solved == nullptr) {
            VO_ASSERT_FAILURE(kNoSolved);
        }
        PlaySequence(solved, VoString(kSolvedPrefix) + fId + kSolvedSuffix);
        fExitAfter = OpenCount() == 0;
        fEnterTopicsAfter = !fExitAfter;
        return;
    }
    VoPropertyList* denied = bargain != nullptr ? bargain->GetList(VoString(u"denied")) : nullptr;
    if (denied == nullptr) {
        VO_ASSERT_FAILURE(kNoBargainDenied);
    }
    VoPropertyList* entry = denied != nullptr ? denied->GetListAt(RandomIndex(denied->GetCount())) : nullptr;
    if (entry == nullptr) {
        VO_ASSERT_FAILURE(kNoDenied);
    }
    PlaySequence(entry, VoString(u""));
    fExitAfter = true;
    fEnterTopicsAfter = false;
}

void MGInterview::PlayEnding(const char16_t* apNode, const char* apMissing) {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->AddLock(this);
    }
    VoPropertyList* node = fpData != nullptr ? fpData->GetList(VoString(apNode)) : nullptr;
    if (node == nullptr) {
        VO_ASSERT_FAILURE(apMissing);
    }
    PlaySequence(node, DoneEventOf(node));
    fExitAfter = true;
    fEnterTopicsAfter = false;
}

void MGInterview::PlayDenied() {
    PlayEnding(u"denied", kNoDenied);
}

void MGInterview::PlayExit() {
    PlayEnding(u"exit", kNoExit);
}

void MGInterview::PlayFailedExit() {
    PlayEnding(u"failedexit", kNoFailedExit);
}

void MGInterview::PlayIntros() {
    VoPropertyList* intros = fpData != nullptr ? fpData->GetList(VoString(u"intros")) : nullptr;
    if (intros != nullptr) {
        LockMouse();
        delete fpSequence;
        fpSequence = VO_NEW MGInterviewSequence();
        int added = 0;
        VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
        for (int i = 0; fpSequence != nullptr && i < intros->GetCount(); ++i) {
            VoPropertyList* entry = intros->GetListAt(i);
            if (entry == nullptr) {
                continue;
            }
            bool found = false;
            const VoString text = entry->GetString(VoString(u"dependencies"), &found);
            if (!found) {
                VO_ASSERT_FAILURE(kNoDependencies);
                continue;
            }
            VoScript dependencies;
            if (builder == nullptr || !builder->Build(text, &dependencies)) {
                VO_ASSERT_FAILURE(kDependenciesFailure);
                continue;
            }
            if (!dependencies.Evaluate()) {
                continue;
            }
            const VoString done = entry->GetString(VoString(u"doneevent"), &found);
            if (!found) {
                VO_ASSERT_FAILURE(kNoDoneEvent);
            }
            fpSequence->Create(done, entry, this);
            ++added;
        }
        if (added > 0) {
            HideModes();
            fpSequence->Play(this);
            fBusy = true;
            fEnterTopicsAfter = true;
            fExitAfter = false;
            return;
        }
        // Nothing to say first: the topics open at once, and so does the mouse.
        // A sequence that played until now is gone with it: nothing is busy.
        delete fpSequence;
        fpSequence = nullptr;
        fBusy = false;
        UnlockMouse();
    }
    fEnterTopicsAfter = false;
    EnterTopicSelection();
}

void MGInterview::PlayNoInfos() {
    LockMouse();
    VoPropertyList* noInfos = fpData != nullptr ? fpData->GetList(VoString(u"noinfos")) : nullptr;
    if (noInfos == nullptr) {
        VO_ASSERT_FAILURE(kNoNoInfos);
    }
    VoPropertyList* entry = noInfos != nullptr ? noInfos->GetListAt(RandomIndex(noInfos->GetCount())) : nullptr;
    if (entry == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    PlaySequence(entry, DoneEventOf(entry));
    fExitAfter = true;
    fEnterTopicsAfter = false;
}

void MGInterview::EnterTopicSelection() {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    if (fpGroup != nullptr) {
        fpGroup->SetActive(true);
    }
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(kCursorHand, VoString(u""));
    }
    ListenToMouse(true);
}

void MGInterview::OnSequenceEnd() {
    UnlockMouse();
    fCurrentTopic = VoString(u"");
    // The sequence has added its done event already.
    const VoString done = fpSequence != nullptr ? fpSequence->GetDoneEvent() : VoString(u"");
    if (!HasEvent(done)) {
        AddEvent(done);
    }
    if (fpSequence != nullptr && fpSequence->GetTargetScene().GetLength() > 0) {
        if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
            fListeningToFader = fader->SetListener(this);
            // Told at once when the screen is black already.
            fader->FadeOut();
        }
        return;
    }
    // It touches nothing of itself after telling us.
    delete fpSequence;
    fpSequence = nullptr;
    fBusy = false;
    RefreshTopicArea();
    if (fExitAfter) {
        Exit();
    } else if (fEnterTopicsAfter) {
        HideSubtitle();
        fEnterTopicsAfter = false;
        EnterTopicSelection();
    }
}

void MGInterview::Exit() {
    fExitAfter = false;
    HideSubtitle();
    End();
    MGScene* scene = MGSceneManager::GetCurrentScene();
    MGCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    if (fPhone) {
        if (player != nullptr) {
            player->PlayAction(kActionPhoneAway, nullptr);
            player->SetAmbientSuspended(false);
        }
    } else if (scene != nullptr) {
        scene->EndInterview();
    }
    if (scene != nullptr) {
        scene->SetCut(VoString(kNoCut));
    }
    if (MGCutScenePlayer* cutScenes = MGCutScenePlayer::GetInstance()) {
        cutScenes->PlayForInterview(fId);
    }
    if (fpSeatHotspot != nullptr && scene != nullptr) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
        if (player != nullptr) {
            player->PlayAction(kActionRise, fpSeatHotspot);
        }
    }
}

void MGInterview::OnFadeEvent(int aCode) {
    if (aCode != MGIScreenFaderListener::kFinished) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    fListeningToFader = false;
    fBusy = false;
    ListenToMouse(false);
    VoString target = fpSequence != nullptr ? fpSequence->GetTargetScene() : VoString(u"");
    const int bar = target.Find(u"|");
    if (bar >= 0) {
        target = target.SubString(0, bar);
    }
    fpCharacters = nullptr;
    delete fpSequence;
    fpSequence = nullptr;
    End();
    // The load may delete this interview: from here on only locals.
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (scenes == nullptr || !scenes->LoadScene(target, true, false)) {
        if (fader != nullptr) {
            fader->FadeIn();
        }
        return;
    }
    MGScene* scene = scenes->GetScene();
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
    }
    HideSubtitle();
    if (scene != nullptr) {
        scene->SetInputEnabled(true);
        scene->SetHotspotsEnabled(true);
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

// Input.

void MGInterview::OnButtonEvent(const VoString& aId, int aCode) {
    if (fMeterFull || fInputBlocked) {
        return;
    }
    if (aId == VoString(kExitButton)) {
        if (aCode == kClick && !fBusy) {
            PlayExit();
        }
        return;
    }
    if (aId == VoString(kDragButton)) {
        if (aCode == kPressed) {
            BeginDrag();
        }
        return;
    }
    if (aId.SubString(0, VoString(kModePrefix).GetLength()) == VoString(kModePrefix)) {
        const int mode = ModeOfButton(aId);
        if (aCode == kClick && mode >= 0) {
            HideTooltip();
            if (VoGameClock* clock = VoGameClock::GetInstance()) {
                clock->AdvanceTime(kModeSeconds, true);
            }
            SelectMode(mode);
        }
        return;
    }
    if (aCode != kClick || fBusy) {
        return;
    }
    if (aId.EqualsNoCase(fCurrentTopic)) {
        fCurrentTopic = VoString(u"");
        HideModes();
    } else {
        ShowModes(aId);
    }
    RefreshTopicArea();
}

void MGInterview::BeginDrag() {
    if (fpGroup == nullptr) {
        return;
    }
    VoVector2 pointer;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(pointer);
    }
    VoVector2 place;
    fpGroup->GetWorldPosition(place);
    fDragOffset = VoVector2(place.x - pointer.x, place.y - pointer.y);
    fDragging = true;
}

bool MGInterview::FollowDrag(const VoVector2& aPosition) {
    if (!fDragging) {
        return false;
    }
    if (fpGroup != nullptr) {
        fpGroup->SetPosition(VoVector2(aPosition.x + fDragOffset.x, aPosition.y + fDragOffset.y));
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
    return true;
}

bool MGInterview::PassMoveWhileBusy(const VoVector2& aPosition) {
    if (!fBusy) {
        return false;
    }
    // The lock keeps the cursor from hearing it: pass the move on.
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        cursor->OnMouseMove(&aPosition);
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
    return true;
}

void MGInterview::OnMouseMove(const VoVector2* apPosition) {
    if (apPosition == nullptr || FollowDrag(*apPosition) || PassMoveWhileBusy(*apPosition)) {
        return;
    }
    int hovered = -1;
    for (int i = 0; i < kModeCount && hovered < 0; ++i) {
        if (Covers(fpModeButtons[i], *apPosition)) {
            hovered = i;
        }
    }
    if (hovered >= 0 && hovered != fLastHoveredMode) {
        if (fpTooltip != nullptr) {
            fpTooltip->Hide();
        }
        fTooltipShown = false;
        fLastHoveredMode = hovered;
        fHoveredMode = hovered;
        fHoverStart = Now();
        fTooltipPending = true;
        MGListenToFrames(this, 0.0f, true, &fListeningToFrames);
    } else if (hovered < 0 && fLastHoveredMode >= 0) {
        HideTooltip();
    }
}

void MGInterview::OnUpdate() {
    if (!fTooltipPending || fHoverStart < 0.0 || Now() - fHoverStart <= kTooltipDelay) {
        return;
    }
    MGListenToFrames(this, 0.0f, false, &fListeningToFrames);
    fTooltipPending = false;
    ShowTooltip();
}

void MGInterview::ShowTooltip() {
    if (fpTooltip == nullptr || fHoveredMode < 0 || fHoveredMode >= kModeCount) {
        return;
    }
    VoVector2 pointer;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(pointer);
    }
    fpTooltip->SetText(GetTooltipText(fHoveredMode));
    fpTooltip->SetPosition(pointer.x, pointer.y > kTooltipFlipY ? pointer.y - kTooltipAbove
                                                                : pointer.y + kTooltipBelow);
    VoButton* button = fpModeButtons[fHoveredMode];
    fpTooltip->SetBackgroundColor(button != nullptr && button->IsEnabled() ? kTooltipColor
                                                                          : kDisabledTooltipColor);
    if (!fpTooltip->IsFadingIn()) {
        fpTooltip->FadeIn();
    }
    fTooltipShown = true;
}

void MGInterview::HideTooltip() {
    MGListenToFrames(this, 0.0f, false, &fListeningToFrames);
    fTooltipPending = false;
    fHoverStart = -1.0;
    fLastHoveredMode = -1;
    fHoveredMode = kModeCount;
    if (fpTooltip != nullptr && !fpTooltip->IsFadingOut()) {
        fpTooltip->FadeOut();
    }
    fTooltipShown = false;
}

void MGInterview::OnButtonUp(int aButton) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (fDragging) {
        fDragging = false;
        if (fpGroup != nullptr) {
            if (VoButton* drag = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kDragButton)))) {
                drag->ResetMouseState();
            }
        }
        if (mouse != nullptr) {
            mouse->ConsumeEvent();
        }
        return;
    }
    if ((fBusy || aButton == 2) && mouse != nullptr) {
        mouse->ConsumeEvent();
    }
}

void MGInterview::OnWheel(float aDelta) {
    if (fBusy) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->ConsumeEvent();
        }
        return;
    }
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

void MGInterview::ListenToMouse(bool aListen) {
    if (aListen == fListeningToMouse) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        fListeningToMouse = false;
        return;
    }
    if (aListen) {
        fListeningToMouse = mouse->AddListener(this, kMouseOrder);
        if (!fListeningToMouse) {
            VO_ASSERT_FAILURE("");
        }
    } else {
        mouse->RemoveListener(this);
        fListeningToMouse = false;
    }
}

void MGInterview::LockMouse() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->Lock(this);
    }
}

void MGInterview::UnlockMouse() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->Unlock(this);
    }
}

VoString MGInterview::ToString() const {
    return VoDebugString("MGInterview", this);
}
