#include "interview/MGExpertComputer.h"

#include <initializer_list>

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "interview/MGExpertInterview.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "system/VoITimer.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGRandom.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGExpertComputer, MGCleanerHome> gInstance;

// The layout's list of each expert kind.
const char16_t* const kExpertLists[] = {u"experts.crimelab", u"experts.research", u"experts.surveillance"};

// The name, age and occupation fields: x, the first y, width; 52 and 49
// apart as the consoles draw their boxes.
struct PersonFields {
    float x;
    float nameY;
    float ageY;
    float occupationY;
    float width;
};
constexpr PersonFields kConsoleFields = {267.0f, 200.0f, 252.0f, 301.0f, 225.0f};
constexpr PersonFields kSurveillanceFields = {254.0f, 204.0f, 256.0f, 305.0f, 239.0f};
constexpr float kItemX = 267.0f;
constexpr float kItemY = 199.0f;
constexpr float kLocationY = 276.0f;
constexpr float kItemWidth = 227.0f;

// A draw modulo aCount, never negative.
int Draw(int aCount) {
    const int value = MGRandom() % aCount;
    return value < 0 ? value + aCount : value;
}

// The subtitle text named by the card's key; "" when either is missing.
VoString CardText(VoPropertyList* apInfo, VoPropertyList* apSubtitles, const char16_t* apKey) {
    bool found = false;
    const VoString key = apInfo->GetString(VoString(apKey), &found);
    if (!found || apSubtitles == nullptr) {
        return VoString(u"");
    }
    return apSubtitles->GetString(key, nullptr);
}

void SetText(VoTextArea* apField, const VoString& aText) {
    if (apField != nullptr) {
        apField->SetText(aText);
    }
}

}  // namespace

MGExpertComputer* MGExpertComputer::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGExpertComputer(); }, kCreationFailure);
}

MGExpertComputer* MGExpertComputer::PeekInstance() {
    return gInstance.Peek();
}

MGExpertComputer::MGExpertComputer()
    : fpGroup(nullptr),
      fKind(MGExpertInterview::kCrimeLab),
      fpInterview(nullptr),
      fpProfileCard(nullptr),
      fpEvidenceCard(nullptr),
      fpAnimations{},
      fFadingIn{},
      fFadingOut{},
      fBlends{},
      fNextTimes{},
      fLastTick(0.0),
      fTyping(false),
      fpItemField(nullptr),
      fpLocationField(nullptr),
      fpNameField(nullptr),
      fpAgeField(nullptr),
      fpOccupationField(nullptr),
      fpCurrentField(nullptr),
      fTypedCount(0),
      fNextCharacterTime(0.0),
      fpResultIcon(nullptr),
      fpLines(nullptr),
      fInFrames(false),
      fListeningToFader(false),
      fInDisplayRoot(false) {
    for (double& next : fNextTimes) {
        next = -1.0;
    }
}

MGExpertComputer::~MGExpertComputer() {
    if (fListeningToFader) {
        if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
            fader->RemoveListener(this);
        }
    }
    OnLeaveEnd();
}

double MGExpertComputer::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

double MGExpertComputer::TypeDelay() {
    return static_cast<double>(Draw(kTypeSpread)) * kTypeStep;
}

void MGExpertComputer::ListenToFrames(bool aListen) {
    MGListenToFrames(this, 0.0f, aListen, &fInFrames);
}

bool MGExpertComputer::Open(int aKind, MGExpertInterview* apInterview) {
    if (aKind < MGExpertInterview::kCrimeLab || aKind > MGExpertInterview::kSurveillance) {
        VO_ERROR(kInvalidKind, aKind);
        return false;
    }
    fKind = aKind;
    fpInterview = apInterview;
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr) {
        return false;
    }
    screens->PushFade(this);
    return true;
}

void MGExpertComputer::ForgetInterview(MGExpertInterview* apInterview) {
    if (apInterview != nullptr && apInterview == fpInterview) {
        fpInterview = nullptr;
    }
}

void MGExpertComputer::OnEnter() {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    SetupLayout();
    VoDisplayGroup* notepad = fpInterview != nullptr ? fpInterview->GetNotepad() : nullptr;
    if (notepad != nullptr) {
        notepad->SetPosition(kNotepadX, kNotepadY);
        notepad->SetActive(true);
    }
}

VoSprite* MGExpertComputer::AddSprite(VoPropertyList* apNode) {
    VoSprite* sprite = apNode != nullptr ? VoLayoutBuilder::BuildSprite(apNode) : nullptr;
    if (sprite != nullptr && !fpGroup->AddMember(sprite, true)) {
        delete sprite;
        sprite = nullptr;
    }
    return sprite;
}

VoTextArea* MGExpertComputer::AddField(const char16_t* apId, float aX, float aY, float aWidth, bool aWrap) {
    VoTextArea* field = VO_NEW VoTextArea();
    if (field == nullptr) {
        return nullptr;
    }
    field->SetId(VoString(apId));
    field->Create(VoString(kFont));
    field->SetPosition(aX, aY);
    field->SetRelativeZ(kFieldZ);
    field->SetWidth(aWidth);
    // The heights of the fields are the boxes' of the picture; the text area
    // lays its lines out without one.
    field->SetWordWrap(aWrap);
    field->SetSingleLine(aWrap);
    field->SetText(VoString(u""));
    if (!fpGroup->AddMember(field, true)) {
        delete field;
        return nullptr;
    }
    return field;
}

void MGExpertComputer::SetupLayout() {
    if (fpGroup != nullptr) {
        return;
    }
    VoPropertyList layout;
    if (!layout.Load(VoString(kLayoutFile), true)) {
        VO_ASSERT_FAILURE(kLayoutFailure);
    }
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetId(VoString(kGroupId));
    {
        MGTextureRoot root(kTextureRoot);
        VoPropertyList* expert = layout.GetList(VoString(kExpertLists[fKind]));
        const auto node = [expert](const char16_t* apKey) {
            return expert != nullptr ? expert->GetList(VoString(apKey)) : nullptr;
        };
        if (AddSprite(node(u"background")) == nullptr || AddSprite(node(u"itemdisplay")) == nullptr) {
            VO_ASSERT_FAILURE("");
        }
        fpProfileCard = AddSprite(node(u"profile"));
        if (fpProfileCard != nullptr) {
            fpProfileCard->SetVisible(false);
        }
        fpEvidenceCard = AddSprite(node(u"evidence"));

        const PersonFields& person = fKind == MGExpertInterview::kSurveillance ? kSurveillanceFields
                                                                                : kConsoleFields;
        fpItemField = AddField(kItemFieldId, kItemX, kItemY, kItemWidth, true);
        fpLocationField = AddField(kLocationFieldId, kItemX, kLocationY, kItemWidth, true);
        fpNameField = AddField(kNameFieldId, person.x, person.nameY, person.width, false);
        fpAgeField = AddField(kAgeFieldId, person.x, person.ageY, person.width, false);
        fpOccupationField = AddField(kOccupationFieldId, person.x, person.occupationY, person.width, false);

        const double now = Now();
        VoPropertyList* animations = layout.GetList(VoString(u"animations"));
        // Fewer entries leave the missing lights out.
        for (int i = 0; i < kAnimationCount; ++i) {
            fBlends[i] = 0.0f;
            fFadingIn[i] = false;
            fFadingOut[i] = false;
            fNextTimes[i] = -1.0;
            fpAnimations[i] = animations != nullptr && i < animations->GetCount()
                                  ? AddSprite(animations->GetListAt(i))
                                  : nullptr;
            if (fpAnimations[i] != nullptr) {
                fpAnimations[i]->SetVisible(false);
                fpAnimations[i]->SetBlend(0.0f);
                fNextTimes[i] = now + static_cast<double>(Draw(4));
            }
        }
        fpLines = AddSprite(layout.GetList(VoString(u"lines")));
        if (fpLines != nullptr) {
            fpLines->SetVisible(false);
            fpLines->SetBlend(kLinesBlend);
            if (fKind == MGExpertInterview::kSurveillance) {
                fpLines->SetPosition(kSurveillanceLinesX, kSurveillanceLinesY);
            }
        }
    }
    if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
        fInDisplayRoot = display->AddMember(fpGroup);
    }
    fLastTick = Now();
    ListenToFrames(true);
}

void MGExpertComputer::ShowItem(VoPropertyList* apInfo, VoPropertyList* apSubtitles) {
    if (apInfo == nullptr) {
        return;
    }
    for (VoTextArea* field : {fpItemField, fpLocationField, fpNameField, fpAgeField, fpOccupationField}) {
        SetText(field, VoString(u""));
    }
    fType = apInfo->GetString(VoString(u"type"), nullptr);
    fName = CardText(apInfo, apSubtitles, u"name");
    const bool evidence = fType.EqualsNoCase(kEvidenceType);
    if (evidence) {
        fLocation = CardText(apInfo, apSubtitles, u"collected");
        fAge = VoString(u"");
        fOccupation = VoString(u"");
    } else {
        fLocation = VoString(u"");
        fAge = CardText(apInfo, apSubtitles, u"age");
        fOccupation = CardText(apInfo, apSubtitles, u"occupation");
    }
    if (fpProfileCard != nullptr) {
        fpProfileCard->SetVisible(!evidence);
    }
    if (fpEvidenceCard != nullptr) {
        fpEvidenceCard->SetVisible(evidence);
    }
    fpCurrentField = evidence ? fpItemField : fpNameField;
    fCurrentText = fName;
    fTypedCount = 0;
    // Before the screen is built there is nothing to type into.
    fTyping = fpGroup != nullptr;
    fNextCharacterTime = Now() + TypeDelay();

    if (fpResultIcon != nullptr && fpGroup != nullptr) {
        fpGroup->RemoveMember(fpResultIcon);
        delete fpResultIcon;
        fpResultIcon = nullptr;
    }
    bool found = false;
    const VoString image = apInfo->GetString(VoString(u"image"), &found);
    if (found && fpGroup != nullptr) {
        ShowIcon(image);
    }
    const VoString item = apInfo->GetString(VoString(u"item"), &found);
    if (found && item.GetLength() > 0) {
        MGPDA* pda = MGPDA::GetInstance();
        if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
            inventory->AddItem(item);
        }
    }
}

void MGExpertComputer::ShowIcon(const VoString& aImage) {
    VoPropertyList icons;
    if (!icons.Load(VoString(kIconFile), true)) {
        return;
    }
    VoPropertyList* node = aImage.GetLength() > 0 ? icons.GetList(aImage) : nullptr;
    if (node == nullptr) {
        return;
    }
    {
        MGTextureRoot root(kTextureRoot);
        fpResultIcon = VoLayoutBuilder::BuildSprite(node);
    }
    if (fpResultIcon == nullptr) {
        return;
    }
    fpResultIcon->SetRelativeZ(kIconZ);
    float x = kIconX;
    float y = kIconY;
    bool found = false;
    const VoVectorFloat corners = node->GetVectorFloat(VoString(u"texturecoords"), &found);
    if (found && corners.GetCount() >= 4) {
        x = kIconX + (kIconBoxWidth - (corners.GetAt(2) - corners.GetAt(0))) * 0.5f;
        y = kIconY + (kIconBoxHeight - (corners.GetAt(3) - corners.GetAt(1))) * 0.5f;
    }
    fpResultIcon->SetPosition(x, y);
    if (!fpGroup->AddMember(fpResultIcon, true)) {
        delete fpResultIcon;
        fpResultIcon = nullptr;
        return;
    }
    if (fpLines != nullptr) {
        fpLines->SetVisible(true);
    }
}

void MGExpertComputer::OnUpdate() {
    const double now = Now();
    if (now - fLastTick >= kAnimationStep) {
        UpdateAnimations(now);
    }
    if (fTyping && now >= fNextCharacterTime) {
        UpdateTyping(now);
    }
}

void MGExpertComputer::UpdateAnimations(double aNow) {
    for (int i = 0; i < kAnimationCount; ++i) {
        VoSprite* sprite = fpAnimations[i];
        if (sprite == nullptr) {
            continue;
        }
        if (fFadingIn[i]) {
            fBlends[i] += kBlendStep;
            // Ten steps of a tenth reach 1.0 give or take the rounding.
            if (fBlends[i] >= 1.0f - kBlendStep * 0.01f) {
                fBlends[i] = 1.0f;
                fFadingIn[i] = false;
                fNextTimes[i] = aNow + static_cast<double>(Draw(3)) + 1.0;
            }
            sprite->SetBlend(fBlends[i]);
        }
        if (fFadingOut[i]) {
            fBlends[i] -= kBlendStep;
            if (fBlends[i] <= kBlendStep * 0.01f) {
                fBlends[i] = 0.0f;
                fFadingOut[i] = false;
                sprite->SetVisible(false);
                fNextTimes[i] = aNow + static_cast<double>(Draw(3)) + 1.0;
            }
            sprite->SetBlend(fBlends[i]);
        }
    }
    for (int i = 0; i < kAnimationCount; ++i) {
        VoSprite* sprite = fpAnimations[i];
        if (sprite == nullptr || fNextTimes[i] <= 0.0 || aNow < fNextTimes[i]) {
            continue;
        }
        fNextTimes[i] = -1.0;
        if (sprite->GetVisible()) {
            fBlends[i] = 1.0f;
            fFadingOut[i] = true;
        } else {
            fBlends[i] = 0.0f;
            sprite->SetBlend(0.0f);
            sprite->SetVisible(true);
            fFadingIn[i] = true;
        }
    }
    fLastTick = aNow;
}

void MGExpertComputer::UpdateTyping(double aNow) {
    ++fTypedCount;
    if (fTypedCount > fCurrentText.GetLength()) {
        fTypedCount = 0;
        if (fpCurrentField == fpItemField) {
            fpCurrentField = fpLocationField;
            fCurrentText = fLocation;
        } else if (fpCurrentField == fpNameField) {
            fpCurrentField = fpAgeField;
            fCurrentText = fAge;
        } else if (fpCurrentField == fpAgeField) {
            fpCurrentField = fpOccupationField;
            fCurrentText = fOccupation;
        } else {
            fTyping = false;
        }
    } else {
        SetText(fpCurrentField, fCurrentText.SubString(0, fTypedCount));
    }
    fNextCharacterTime = aNow + TypeDelay();
}

void MGExpertComputer::Close() {
    if (fpGroup == nullptr) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader == nullptr) {
        return;
    }
    fListeningToFader = fader->SetListener(this);
    // Told at once when the screen is black already.
    fader->FadeOut();
}

void MGExpertComputer::OnFadeEvent(int aCode) {
    if (aCode != MGIScreenFaderListener::kFinished) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fpGroup != nullptr) {
        OnLeaveEnd();
        MGScreenManager* screens = MGScreenManager::GetInstance();
        if (screens != nullptr) {
            MGIScreen* popped = nullptr;
            if (screens->GetTopScreen() == this) {
                screens->PopScreen(&popped);
            } else {
                screens->RemoveScreen(this);
            }
            if (MGIScreen* top = screens->GetTopScreen()) {
                top->OnEnter();
            }
        }
        if (fader != nullptr) {
            fader->FadeIn();
        }
        return;
    }
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    fListeningToFader = false;
    if (fpInterview != nullptr) {
        fpInterview->PlayExit();
    }
}

void MGExpertComputer::OnLeaveEnd() {
    ListenToFrames(false);
    fpResultIcon = nullptr;
    fpLines = nullptr;
    fpProfileCard = nullptr;
    fpEvidenceCard = nullptr;
    fpItemField = nullptr;
    fpLocationField = nullptr;
    fpNameField = nullptr;
    fpAgeField = nullptr;
    fpOccupationField = nullptr;
    fpCurrentField = nullptr;
    for (VoSprite*& animation : fpAnimations) {
        animation = nullptr;
    }
    fTyping = false;
    if (fpGroup == nullptr) {
        return;
    }
    if (fInDisplayRoot) {
        if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
            display->RemoveMember(fpGroup);
        }
        fInDisplayRoot = false;
    }
    delete fpGroup;
    fpGroup = nullptr;
}

VoSprite* MGExpertComputer::GetAnimation(int aIndex) const {
    return aIndex >= 0 && aIndex < kAnimationCount ? fpAnimations[aIndex] : nullptr;
}

double MGExpertComputer::GetNextTime(int aIndex) const {
    return aIndex >= 0 && aIndex < kAnimationCount ? fNextTimes[aIndex] : -1.0;
}

float MGExpertComputer::GetAnimationBlend(int aIndex) const {
    return aIndex >= 0 && aIndex < kAnimationCount ? fBlends[aIndex] : 0.0f;
}

VoString MGExpertComputer::ToString() const {
    return VoDebugString("MGExpertComputer", this);
}
