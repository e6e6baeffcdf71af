#include "ui/MGMessageBox.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "ui/MGIMessageBoxListener.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGMessageBox, MGCleanerHome> gInstance;

// The result code of a button id; -1 for another id.
int CodeOf(const VoString& aButton) {
    const char16_t* const ids[] = {u"ok", u"cancel", u"yes", u"no"};
    for (int code = 0; code < 4; ++code) {
        if (aButton == VoString(ids[code])) {
            return code;
        }
    }
    return -1;
}

}  // namespace

MGMessageBox* MGMessageBox::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGMessageBox(); }, kCreationFailure);
}

MGMessageBox::MGMessageBox()
    : fpListener(nullptr), fpGroup(nullptr), fpFirst(nullptr), fpSecond(nullptr), fpText(nullptr),
      fpFont(nullptr), fMouseLocked(false), fBoxCount(0) {
    if (VoFontManager* fonts = VoFontManager::GetInstance()) {
        fpFont = fonts->GetFont(VoString(kFont));
    }
}

MGMessageBox::~MGMessageBox() {
    fpListener = nullptr;
    Close();
}

void MGMessageBox::Show(const VoString& aId, const VoString& aText, int aKind, MGIMessageBoxListener* apListener) {
    if (!Open(aId, aKind, apListener)) {
        return;
    }
    fText = aText;
    const float width = WidthOf(aText);
    if (width >= kTextWidth) {
        fpText = AddText(VoString(kTextId), aText, kWideX, kWideY);
    } else {
        fpText = AddText(VoString(kTextId), aText, (kBoxWidth - width) * 0.5f, kNarrowY);
    }
    Present();
}

void MGMessageBox::Show(const VoString& aId, const VoVectorString& aLines, int aKind,
                        MGIMessageBoxListener* apListener) {
    if (!Open(aId, aKind, apListener)) {
        return;
    }
    float y = kFirstLineY;
    for (int i = 0; i < aLines.GetCount(); ++i) {
        const VoString line = aLines.GetAt(i);
        const float width = WidthOf(line);
        const VoString id = VoString(kTextId) + i;
        if (width < kTextWidth) {
            AddText(id, line, (kBoxWidth - width) * 0.5f, y);
        } else {
            AddText(id, line, kWideX, i == 0 ? kWideY : y);
        }
        y += kLineStep;
    }
    Present();
}

bool MGMessageBox::Open(const VoString& aId, int aKind, MGIMessageBoxListener* apListener) {
    // One box at a time: the one up goes without a word to its listener.
    fpListener = nullptr;
    Close();
    fpListener = apListener;
    fId = aId;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        fMouseLocked = mouse->Lock(this);
    }
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        Close();
        return false;
    }
    fpGroup->SetId(VoString(kGroupId));
    fpGroup->SetPosition(kX, kY);
    fpGroup->SetRelativeZ(kRelativeZ);

    VoPropertyList layout;
    if (!layout.Load(VoString(kLayoutFile), true)) {
        VO_ASSERT_FAILURE(kLayoutFailure, VoString(kLayoutFile));
        return true;
    }
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const VoString root = textures != nullptr ? textures->GetRoot() : VoString();
    if (textures != nullptr) {
        textures->SetRoot(VoString(kTextureRoot));
    }
    VoSprite* background = VoLayoutBuilder::BuildSprite(layout.GetList(VoString(u"background")));
    if (background != nullptr && !fpGroup->AddMember(background, true)) {
        delete background;
    }
    switch (aKind) {
        case kOk:
            fpFirst = AddButton(&layout, u"buttons.ok");
            if (fpFirst != nullptr) {
                fpFirst->SetPosition(kOkX, kOkY);
            }
            break;
        case kOkCancel:
            fpFirst = AddButton(&layout, u"buttons.ok");
            fpSecond = AddButton(&layout, u"buttons.cancel");
            break;
        case kYesNo:
            fpFirst = AddButton(&layout, u"buttons.yes");
            fpSecond = AddButton(&layout, u"buttons.no");
            break;
        default:
            break;
    }
    if (textures != nullptr && root.GetLength() > 0) {
        textures->SetRoot(root);
    }
    return true;
}

VoButton* MGMessageBox::AddButton(VoPropertyList* apLayout, const char16_t* apPath) {
    VoButton* button = VoLayoutBuilder::BuildButton(apLayout->GetList(VoString(apPath)), this);
    if (button != nullptr && !fpGroup->AddMember(button, true)) {
        delete button;
        return nullptr;
    }
    return button;
}

VoTextArea* MGMessageBox::AddText(const VoString& aId, const VoString& aText, float aX, float aY) {
    VoTextArea* text = VO_NEW VoTextArea();
    if (text == nullptr) {
        return nullptr;
    }
    text->SetId(aId);
    text->Create(fpFont);
    text->SetSingleLine(true);
    text->SetWordWrap(true);
    // The text area has no height to set: its lines decide it.
    text->SetWidth(kTextWidth);
    text->SetText(aText);
    text->SetPosition(aX, aY);
    if (!fpGroup->AddMember(text, true)) {
        delete text;
        return nullptr;
    }
    return text;
}

void MGMessageBox::Present() {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (display == nullptr || !display->AddMember(fpGroup)) {
        delete fpGroup;
        fpGroup = nullptr;
        fpFirst = nullptr;
        fpSecond = nullptr;
        fpText = nullptr;
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(false);
    }
}

void MGMessageBox::Close() {
    if (fMouseLocked) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->Unlock(this);
        }
        fMouseLocked = false;
    }
    if (fpGroup == nullptr) {
        return;
    }
    ++fBoxCount;
    // The box leaves the display root as it is deleted; once the display
    // manager is gone, its root has deleted the box already.
    if (fpGroup->GetGroup() == nullptr || VoDisplayManager::GetInstance() != nullptr) {
        delete fpGroup;
    }
    fpGroup = nullptr;
    fpFirst = nullptr;
    fpSecond = nullptr;
    fpText = nullptr;
    MGScene* scene = MGSceneManager::GetCurrentScene();
    MGPDA* pda = MGPDA::GetInstance();
    if (scene != nullptr && (pda == nullptr || !pda->IsOpen())) {
        scene->SetInputEnabled(true);
    }
}

void MGMessageBox::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    // Read before closing: aId is the button's own, which closing deletes.
    const int code = CodeOf(aId);
    // Closed first: the listener may show the next box.
    const VoString id = fId;
    MGIMessageBoxListener* listener = fpListener;
    Close();
    if (listener != nullptr && code >= 0) {
        listener->OnMessageBoxResult(id, code);
    }
}

void MGMessageBox::OnButtonDown(int aButton) {
    const int box = fBoxCount;
    if (fpFirst != nullptr) {
        fpFirst->OnButtonDown(aButton);
    }
    if (fpSecond != nullptr && box == fBoxCount) {
        fpSecond->OnButtonDown(aButton);
    }
}

void MGMessageBox::OnMouseMove(const VoVector2* apPosition) {
    const int box = fBoxCount;
    if (fpFirst != nullptr) {
        fpFirst->OnMouseMove(apPosition);
    }
    if (fpSecond != nullptr && box == fBoxCount) {
        fpSecond->OnMouseMove(apPosition);
    }
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        cursor->OnMouseMove(apPosition);
    }
}

void MGMessageBox::OnButtonUp(int aButton) {
    // A click on the first button closes the box (and its listener may
    // show the next one): the event ends with the box it began in.
    const int box = fBoxCount;
    if (fpFirst != nullptr) {
        fpFirst->OnButtonUp(aButton);
    }
    if (fpSecond != nullptr && box == fBoxCount) {
        fpSecond->OnButtonUp(aButton);
    }
}

float MGMessageBox::WidthOf(const VoString& aText) const {
    return fpFont != nullptr ? fpFont->GetTextWidth(aText) : 0.0f;
}

VoString MGMessageBox::ToString() const {
    return VoDebugString("MGMessageBox", this);
}
