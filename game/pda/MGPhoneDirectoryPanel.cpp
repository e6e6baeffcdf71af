#include "pda/MGPhoneDirectoryPanel.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoRectangle.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "memory/VoNew.h"
#include "pda/MGPDA.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "util/MGListening.h"
#include "util/MGTextureRoot.h"

namespace {

constexpr const char16_t* kPDARoot = u"//textures/pda";

VoRectangle ListRectangle() {
    return VoRectangle(169.0f, 100.0f, 248.0f, 122.0f);
}
VoRectangle CallRectangle() {
    return VoRectangle(0.0f, 0.0f, 512.0f, 256.0f);
}

MGCharacter* Player() {
    MGScene* scene = MGSceneManager::GetCurrentScene();
    return scene != nullptr ? scene->GetPlayer() : nullptr;
}

// Each coordinate truncated toward zero.
VoVector2 Truncated(const VoVector2& aPoint) {
    return VoVector2(static_cast<float>(static_cast<int>(aPoint.x)), static_cast<float>(static_cast<int>(aPoint.y)));
}

// Takes the object out of the group that holds it, if any.
void LeaveParent(VoIDisplayObject* apObject) {
    if (apObject != nullptr && apObject->GetGroup() != nullptr) {
        apObject->GetGroup()->RemoveMember(apObject);
    }
}

}  // namespace

MGPhoneDirectoryPanel::MGPhoneDirectoryPanel()
    : fpLayout(nullptr),
      fpGroup(nullptr),
      fpContent(nullptr),
      fpCallGroup(nullptr),
      fpOverlay(nullptr),
      fpRing(nullptr),
      fpNameText(nullptr),
      fpNumberText(nullptr),
      fShrinking(false),
      fGrowing(false),
      fShrinkDone(false),
      fScale(1.0f),
      fNextStep(0.0),
      fMoving(false),
      fFraction(1.0f),
      fpInterview(nullptr),
      fInFrames(false) {}

MGPhoneDirectoryPanel::~MGPhoneDirectoryPanel() {
    ListenToFrames(false);
    delete fpRing;
    ClearContent();
    delete fpOverlay;
    DeleteCallGroup();
    LeaveParent(fpGroup);
    delete fpGroup;
}

double MGPhoneDirectoryPanel::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

int MGPhoneDirectoryPanel::SelectedCase(bool* apFound) {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = states != nullptr ? states->GetState(VoString(kCaseState)) : nullptr;
    *apFound = state != nullptr;
    return state != nullptr ? static_cast<int>(state->GetNumber(0.0f)) : 0;
}

VoDisplayGroup* MGPhoneDirectoryPanel::PDAGroup() {
    MGPDA* pda = MGPDA::PeekInstance();
    return pda != nullptr ? pda->GetGroup() : nullptr;
}

void MGPhoneDirectoryPanel::ListenToFrames(bool aListen) {
    MGListenToFrames(this, 0.0f, aListen, &fInFrames);
}

bool MGPhoneDirectoryPanel::Create(VoPropertyList* apLayout) {
    fpLayout = apLayout;
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup != nullptr) {
        fpGroup->SetId(VoString(kGroupId));
    }
    MGTextureRoot root(kPDARoot);
    VoPropertyList* overlay = fpLayout != nullptr ? fpLayout->GetList(VoString(kOverlayNode)) : nullptr;
    fpOverlay = overlay != nullptr ? VoLayoutBuilder::BuildSprite(overlay) : nullptr;
    return true;
}

VoTextArea* MGPhoneDirectoryPanel::AddText(VoDisplayGroup* apGroup, const VoString& aId, const VoString& aText,
                                           float aX, float aY, float aWidth) {
    VoTextArea* text = VO_NEW VoTextArea();
    if (text == nullptr) {
        return nullptr;
    }
    text->SetId(aId);
    text->Create(VoString(kFont));
    text->SetWordWrap(true);
    text->SetSingleLine(false);
    text->SetWidth(aWidth);
    text->SetText(aText);
    text->SetPosition(aX, aY);
    text->SetRelativeZ(kTextZ);
    if (apGroup == nullptr || !apGroup->AddMember(text, true)) {
        delete text;
        return nullptr;
    }
    return text;
}

void MGPhoneDirectoryPanel::DeleteCallGroup() {
    if (fpCallGroup == nullptr) {
        return;
    }
    LeaveParent(fpCallGroup);
    delete fpCallGroup;
    fpCallGroup = nullptr;
    fpNameText = nullptr;
    fpNumberText = nullptr;
}

void MGPhoneDirectoryPanel::BuildContent() {
    // Shown twice in a row, the list is built afresh.
    ClearContent();
    if (fpGroup != nullptr) {
        fpGroup->SetRectangle(ListRectangle());
    }
    DeleteCallGroup();
    fpContent = VO_NEW VoDisplayGroup();
    if (fpContent == nullptr) {
        return;
    }
    fpContent->SetId(VoString(kContentId));
    fpContent->SetRelativeZ(0.0f);
    MGTextureRoot root(kPDARoot);
    VoPropertyList* lines = fpLayout != nullptr ? fpLayout->GetList(VoString(kLinesNode)) : nullptr;
    for (int i = 0; lines != nullptr && i < 2; ++i) {
        VoSprite* sprite = VoLayoutBuilder::BuildSprite(lines);
        if (sprite == nullptr) {
            break;
        }
        if (i == 1) {
            sprite->SetId(VoString(kSecondLinesId));
            sprite->SetPosition(0.0f, kSecondLinesY);
        }
        if (!fpContent->AddMember(sprite, true)) {
            delete sprite;
        }
    }
    bool found = false;
    VoString path(kCasePrefix);
    path.Append(SelectedCase(&found));
    VoPropertyList* entries = fpLayout != nullptr ? fpLayout->GetList(path) : nullptr;
    VoPropertyList* buttonNode = fpLayout != nullptr ? fpLayout->GetList(VoString(kCallButtonNode)) : nullptr;
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    float y = kFirstRow;
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i, y += kRowStep) {
        VoPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr || builder == nullptr) {
            continue;
        }
        VoScript enabled;
        if (!builder->Build(entry->GetString(VoString(u"enabled"), nullptr), &enabled) || !enabled.Evaluate()) {
            continue;
        }
        VoString nameId(u"name_");
        nameId.Append(i);
        VoString numberId(u"number_");
        numberId.Append(i);
        fpNameText = AddText(fpContent, nameId, entry->GetString(VoString(u"name"), nullptr), kNameX, y, kNameWidth);
        fpNumberText = AddText(fpContent, numberId, entry->GetString(VoString(u"number"), nullptr), kNumberX, y,
                               kNumberWidth);
        VoButton* button = buttonNode != nullptr ? VoLayoutBuilder::BuildButton(buttonNode, this) : nullptr;
        if (button == nullptr) {
            continue;
        }
        button->SetId(entry->GetString(VoString(u"id"), nullptr));
        button->SetPosition(kButtonX, y + 1.0f);
        if (!fpContent->AddMember(button, true)) {
            delete button;
        }
    }
    VoDisplayGroup* pdaGroup = PDAGroup();
    if (fpOverlay != nullptr && pdaGroup != nullptr && fpOverlay->GetGroup() == nullptr) {
        pdaGroup->AddMember(fpOverlay, true);
    }
    // The list scrolls in the PDA's scroll area, which holds it while shown.
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->SetScrollContentGroup(fpContent);
        pda->SetScrollContentHeight(kScrollHeight);
    }
}

void MGPhoneDirectoryPanel::ClearContent() {
    MGPDA* pda = MGPDA::PeekInstance();
    if (pda != nullptr && fpContent != nullptr && pda->GetScrollContent() == fpContent) {
        pda->ClearScrollContentGroup();
    }
    LeaveParent(fpOverlay);
    if (fpContent == nullptr) {
        return;
    }
    LeaveParent(fpContent);
    // Its texts go with it.
    if (fpNameText != nullptr && fpNameText->GetGroup() == fpContent) {
        fpNameText = nullptr;
        fpNumberText = nullptr;
    }
    delete fpContent;
    fpContent = nullptr;
}

void MGPhoneDirectoryPanel::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    // The button goes with the list: the id is a copy.
    const VoString id = aId;
    ClearContent();
    if (MGCharacter* player = Player()) {
        player->SetAmbientSuspended(true);
    }
    Call(id);
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

void MGPhoneDirectoryPanel::Call(const VoString& aId) {
    delete fpRing;
    fpRing = nullptr;
    DeleteCallGroup();
    {
        MGTextureRoot root(kPDARoot);
        VoPropertyList* node = fpLayout != nullptr ? fpLayout->GetList(VoString(kCallNode)) : nullptr;
        fpCallGroup = node != nullptr ? VoLayoutBuilder::BuildGroup(node, true) : nullptr;
    }
    if (fpCallGroup != nullptr && (fpGroup == nullptr || !fpGroup->AddMember(fpCallGroup, true))) {
        delete fpCallGroup;
        fpCallGroup = nullptr;
    }
    bool found = false;
    VoString path(kCasePrefix);
    path.Append(SelectedCase(&found));
    if (!found) {
        VO_ASSERT_FAILURE("");
    }
    VoPropertyList* entry = fpLayout != nullptr ? fpLayout->GetList(path + u"." + aId) : nullptr;
    VoPropertyList empty;
    VoPropertyList* node = entry != nullptr ? entry : &empty;
    fInterviewId = node->GetString(VoString(u"interview"), nullptr);
    fpNameText = AddText(fpCallGroup, aId + u"_name", VoString(u"Name: ") + node->GetString(VoString(u"name"), nullptr),
                         kCallTextX, kCallNameY, kCallTextWidth);
    fpNumberText =
        AddText(fpCallGroup, aId + u"_number", VoString(u"Number: ") + node->GetString(VoString(u"number"), nullptr),
                kCallTextX, kCallNumberY, kCallTextWidth);
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpRing = sounds != nullptr ? sounds->CreateStream(aId, VoString(kRingFile)) : nullptr;
    if (fpRing == nullptr) {
        // A ring that cannot be heard never ends: the call goes on at once.
        OnSoundEnd(aId);
        return;
    }
    fpRing->SetListener(this);
    fpRing->SetLoopCount(false);
    fpRing->Play();
}

void MGPhoneDirectoryPanel::OnSoundEnd(const VoString&) {
    if (MGCharacter* player = Player()) {
        player->PlayAction(kActionPhoneOut, nullptr);
    }
    if (fpCallGroup != nullptr) {
        if (VoIDisplayObject* connecting = fpCallGroup->GetMember(VoString(kConnectingId))) {
            connecting->SetVisible(false);
        }
    }
    for (VoTextArea* text : {fpNameText, fpNumberText}) {
        if (text != nullptr) {
            text->SetVisible(false);
        }
    }
    if (fpGroup != nullptr) {
        fpGroup->SetRectangle(CallRectangle());
    }
    VoDisplayGroup* pda = PDAGroup();
    if (pda != nullptr) {
        pda->SetEnabled(false);
        pda->GetWorldPosition(fStart);
    }
    fHome = fStart;
    fShrinking = true;
    fGrowing = false;
    fShrinkDone = false;
    fScale = 1.0f;
    fTarget = VoVector2(kCornerX, kCornerY);
    fFraction = 1.0f;
    fMoving = true;
    fNextStep = Now() + kStepTime;
    ListenToFrames(true);
}

void MGPhoneDirectoryPanel::StepMove(VoDisplayGroup* apPDA) {
    if (!fMoving) {
        return;
    }
    fFraction -= kFractionStep;
    if (fFraction > 0.0f && apPDA != nullptr) {
        apPDA->SetPosition(Truncated(fTarget + (fStart - fTarget) * fFraction));
    }
}

void MGPhoneDirectoryPanel::Shrink(VoDisplayGroup* apPDA) {
    if (fShrinkDone) {
        fShrinking = false;
        ListenToFrames(false);
        StartInterview();
        return;
    }
    StepMove(apPDA);
    fScale -= kScaleStep;
    if (apPDA != nullptr) {
        apPDA->SetScale(fScale, fScale);
    }
    fNextStep = Now() + kStepTime;
    if (fScale < 0.0f) {
        fShrinkDone = true;
    }
}

void MGPhoneDirectoryPanel::StartInterview() {
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    fpInterview = interviews != nullptr ? interviews->GetInterview(fInterviewId) : nullptr;
    if (fpInterview == nullptr) {
        // Nobody to talk to: the PDA comes back at once.
        StartGrowing();
        return;
    }
    fpInterview->SetPosition(VoVector2(kInterviewX, kInterviewY));
    fpInterview->SetListener(this);
    fpInterview->SetPhone(true);
    fpInterview->Start();
}

void MGPhoneDirectoryPanel::Grow(VoDisplayGroup* apPDA) {
    fScale += kScaleStep;
    StepMove(apPDA);
    bool finished = false;
    if (fScale > kGrownScale) {
        fScale = 1.0f;
        finished = true;
    }
    if (apPDA != nullptr) {
        apPDA->SetScale(fScale, fScale);
    }
    fNextStep = Now() + kStepTime;
    if (!finished) {
        return;
    }
    fGrowing = false;
    ListenToFrames(false);
    if (apPDA != nullptr) {
        apPDA->SetEnabled(true);
        // The move stops short of home when the growth ends: home exactly.
        apPDA->SetPosition(fHome);
    }
    BuildContent();
}

void MGPhoneDirectoryPanel::OnUpdate() {
    if ((!fShrinking && !fGrowing) || Now() < fNextStep) {
        return;
    }
    VoDisplayGroup* pda = PDAGroup();
    if (fShrinking) {
        Shrink(pda);
    } else {
        Grow(pda);
    }
}

void MGPhoneDirectoryPanel::StartGrowing() {
    VoDisplayGroup* pda = PDAGroup();
    fGrowing = true;
    fShrinking = false;
    fScale = kGrowFrom;
    fTarget = fHome;
    if (pda != nullptr) {
        pda->GetWorldPosition(fStart);
        pda->SetEnabled(true);
    }
    fFraction = 1.0f;
    fMoving = true;
    fNextStep = Now() + kStepTime;
    ListenToFrames(true);
}

void MGPhoneDirectoryPanel::OnInterviewEvent(int aCode) {
    if (aCode != MGIInterviewListener::kEnded) {
        return;
    }
    fpInterview = nullptr;
    StartGrowing();
}

VoString MGPhoneDirectoryPanel::ToString() const {
    return VoDebugString("MGPhoneDirectoryPanel", this);
}
