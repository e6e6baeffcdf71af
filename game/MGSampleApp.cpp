#include "MGSampleApp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "container/VoColor.h"
#include "container/VoLog.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoImage.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "platform/VoIPlatform.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "render/VoIRasterizer.h"
#include "stdlib/VoFrameManager.h"

namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// Places in the root: later ones are drawn over earlier ones; the cursor's
// group sits at 10000, above all of them.
constexpr float kBackgroundZ = 0.0f;
constexpr float kPanelZ = 1.0f;
constexpr float kTextZ = 2.0f;
constexpr float kButtonZ = 3.0f;
constexpr float kToolTipZ = 100.0f;

constexpr float kButtonX = 520.0f;
constexpr float kButtonY = 250.0f;
constexpr int kButtonWidth = 220;
constexpr int kButtonHeight = 44;

struct Pixel {
    unsigned char r, g, b, a;
};
using Painter = std::function<Pixel(int aX, int aY)>;

unsigned char Channel(float aValue) {
    return static_cast<unsigned char>(std::clamp(aValue, 0.0f, 255.0f));
}

Pixel Mix(const Pixel& aFrom, const Pixel& aTo, float aT) {
    return Pixel{Channel(aFrom.r + (aTo.r - aFrom.r) * aT), Channel(aFrom.g + (aTo.g - aFrom.g) * aT),
                 Channel(aFrom.b + (aTo.b - aFrom.b) * aT), Channel(aFrom.a + (aTo.a - aFrom.a) * aT)};
}

// A sprite showing a picture painted pixel by pixel, filed as a texture under
// its id; null when the picture cannot be made.
VoSprite* NewPicture(const char16_t* apId, int aWidth, int aHeight, const Painter& aPaint) {
    std::vector<unsigned char> pixels(static_cast<size_t>(aWidth) * static_cast<size_t>(aHeight) * 4u);
    size_t at = 0;
    for (int y = 0; y < aHeight; ++y) {
        for (int x = 0; x < aWidth; ++x) {
            const Pixel pixel = aPaint(x, y);
            pixels[at++] = pixel.b;
            pixels[at++] = pixel.g;
            pixels[at++] = pixel.r;
            pixels[at++] = pixel.a;
        }
    }
    VoImage image;
    if (!image.Create(aWidth, aHeight, aWidth * 4, VoImage::kFormatBGRA, pixels.data(),
                      static_cast<std::int32_t>(pixels.size()))) {
        return nullptr;
    }
    VoSprite* sprite = VO_NEW VoSprite();
    if (sprite == nullptr) {
        return nullptr;
    }
    sprite->SetId(VoString(apId));
    if (!sprite->SetImage(VoString(apId), &image, nullptr, nullptr)) {
        delete sprite;
        return nullptr;
    }
    return sprite;
}

// A framed plate with a soft vertical shading: the looks of the button.
Painter Plate(const Pixel& aTop, const Pixel& aBottom, const Pixel& aFrame) {
    return [=](int aX, int aY) {
        const bool frame = aX < 2 || aY < 2 || aX >= kButtonWidth - 2 || aY >= kButtonHeight - 2;
        if (frame) {
            return aFrame;
        }
        return Mix(aTop, aBottom, static_cast<float>(aY) / static_cast<float>(kButtonHeight));
    };
}

// An arrow with its tip at (0, 0): white inside a black outline.
bool InArrow(int aX, int aY) {
    if (aX < 0 || aY < 0) {
        return false;
    }
    const bool head = aY < 17 && aX <= (aY * 2) / 3;
    const bool stem = aY >= 11 && aY < 23 && aX >= 4 + (aY - 11) / 3 && aX <= 7 + (aY - 11) / 3;
    return head || stem;
}

VoTextArea* NewText(const char16_t* apId, const char16_t* apFont, float aX, float aY, float aWidth,
                    const char16_t* apText) {
    VoTextArea* text = VO_NEW VoTextArea();
    if (text == nullptr) {
        return nullptr;
    }
    text->SetId(VoString(apId));
    if (!text->Create(VoString(apFont))) {
        delete text;
        return nullptr;
    }
    text->SetWidth(aWidth);
    text->SetWordWrap(true);
    text->SetMultiLine(true);
    text->SetPosition(aX, aY);
    text->SetRelativeZ(kTextZ);
    text->SetText(apText);
    return text;
}

// Adds the object to the root, which owns it from then on; deletes it when refused.
bool AddToRoot(VoIDisplayObject* apObject) {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (apObject == nullptr) {
        return false;
    }
    if (display == nullptr || !display->AddMember(apObject)) {
        delete apObject;
        return false;
    }
    return true;
}

}  // namespace

MGSampleApp::~MGSampleApp() {
    if (fpButton != nullptr && fpButton->GetListener() == this) {
        fpButton->RemoveListener();
    }
}

bool MGSampleApp::Init() {
    bool complete = BuildCursor();
    VoFontManager* fonts = VoFontManager::GetInstance();
    if (fonts == nullptr || !fonts->CreateFonts(VoString(kFontList), VoString(kFontRoot))) {
        VO_ERROR(kFontsFailure);
    }
    complete = BuildBackground() && complete;
    complete = BuildTexts() && complete;
    complete = BuildButton() && complete;
    complete = BuildToolTip() && complete;
    if (!complete) {
        VO_ERROR(kScreenFailure);
    }
    return true;
}

bool MGSampleApp::BuildCursor() {
    VoCursor* cursor = VoCursor::GetInstance();
    VoSprite* arrow = NewPicture(u"sample_screen_cursor", 16, 24, [](int aX, int aY) {
        if (!InArrow(aX, aY)) {
            return Pixel{0, 0, 0, 0};
        }
        const bool edge =
            !InArrow(aX - 1, aY) || !InArrow(aX + 1, aY) || !InArrow(aX, aY - 1) || !InArrow(aX, aY + 1);
        return edge ? Pixel{0, 0, 0, 255} : Pixel{255, 255, 255, 255};
    });
    if (cursor == nullptr || arrow == nullptr) {
        delete arrow;
        return false;
    }
    return cursor->AddState(VoString(u"arrow"), arrow) && cursor->SetState(VoString(u"arrow"));
}

bool MGSampleApp::BuildBackground() {
    // A dim study: warm light from the upper left fading into a dark blue room.
    const int width = static_cast<int>(kScreenWidth);
    const int height = static_cast<int>(kScreenHeight);
    VoSprite* background = NewPicture(u"sample_screen_background", width, height, [=](int aX, int aY) {
        const float fx = static_cast<float>(aX) / static_cast<float>(width);
        const float fy = static_cast<float>(aY) / static_cast<float>(height);
        const float light =
            std::max(0.0f, 1.0f - std::sqrt((fx - 0.2f) * (fx - 0.2f) + (fy - 0.15f) * (fy - 0.15f)));
        const Pixel room = Mix(Pixel{24, 32, 48, 255}, Pixel{8, 10, 18, 255}, fy);
        Pixel lit = Mix(room, Pixel{120, 88, 52, 255}, light * light * 0.8f);
        // Floor boards below the horizon.
        if (fy > 0.72f && (aX + aY / 3) % 90 < 2) {
            lit = Mix(lit, Pixel{0, 0, 0, 255}, 0.5f);
        }
        return lit;
    });
    if (background == nullptr) {
        return false;
    }
    background->SetRelativeZ(kBackgroundZ);
    if (!AddToRoot(background)) {
        return false;
    }

    VoSRectangle* panel = VO_NEW VoSRectangle();
    if (panel == nullptr) {
        return false;
    }
    panel->SetId(VoString(u"sample_panel"));
    panel->SetRelativeZ(kPanelZ);
    panel->SetPosition(40.0f, 40.0f);
    panel->SetShapeRectangle(VoRectangle(0.0f, 0.0f, 440.0f, 420.0f));
    panel->SetFillColor(VoColor(0.6f, 0.02f, 0.03f, 0.06f));
    panel->SetFilled(true);
    panel->SetStrokeColor(VoColor(1.0f, 0.75f, 0.6f, 0.3f));
    panel->SetStroked(true);
    return AddToRoot(panel);
}

bool MGSampleApp::BuildTexts() {
    bool complete =
        AddToRoot(NewText(u"sample_title", u"frizquadrata24", 60.0f, 60.0f, 400.0f, u"The Sample Case"));
    complete = AddToRoot(NewText(u"sample_body", u"twcenmt14white", 60.0f, 120.0f, 400.0f,
                                 u"Every screen of the game is a tree of display objects drawn over the "
                                 u"scene: pictures, shapes, raster-font text, buttons and tooltips. Move "
                                 u"the pointer onto the button on the right: it lights up and a tooltip "
                                 u"fades in beside it. Press Escape to leave.")) &&
               complete;
    fpStatus = NewText(u"sample_status", u"cenmt12white", 60.0f, 420.0f, 400.0f, u"");
    if (fpStatus == nullptr || !AddToRoot(fpStatus)) {
        fpStatus = nullptr;
        return false;
    }
    ShowClicks();
    return complete;
}

bool MGSampleApp::BuildButton() {
    VoButton* button = VO_NEW VoButton();
    if (button == nullptr) {
        return false;
    }
    button->SetId(VoString(kButtonId));
    button->SetRelativeZ(kButtonZ);
    button->SetPosition(kButtonX, kButtonY);
    VoSprite* normal =
        NewPicture(u"sample_screen_button_n", kButtonWidth, kButtonHeight,
                   Plate(Pixel{58, 72, 96, 255}, Pixel{30, 38, 54, 255}, Pixel{110, 128, 160, 255}));
    VoSprite* over =
        NewPicture(u"sample_screen_button_o", kButtonWidth, kButtonHeight,
                   Plate(Pixel{236, 180, 80, 255}, Pixel{170, 110, 30, 255}, Pixel{255, 236, 180, 255}));
    bool complete = normal != nullptr && button->AddButtonStateObject(XBTNSTATE_NORMAL, normal);
    if (!complete) {
        delete normal;
    }
    if (over == nullptr || !button->AddButtonStateObject(XBTNSTATE_OVER, over)) {
        delete over;
        complete = false;
    }
    VoTextArea* label =
        NewText(u"sample_button_label", u"cenmt14white", 18.0f, 12.0f, 200.0f, u"Examine the desk");
    if (label != nullptr) {
        // Above the state looks.
        label->SetRelativeZ(1.0f);
        if (!button->AddMember(label, true)) {
            delete label;
            complete = false;
        }
    }
    if (!AddToRoot(button)) {
        return false;
    }
    fpButton = button;
    return button->SetMouseOrder(this, 0.0f) && complete;
}

bool MGSampleApp::BuildToolTip() {
    VoToolTipManager* tooltips = VoToolTipManager::GetInstance();
    VoFontManager* fonts = VoFontManager::GetInstance();
    if (tooltips == nullptr || fonts == nullptr) {
        return false;
    }
    fpToolTip =
        tooltips->CreateToolTip(fonts->GetFont(VoString(u"tahoma10black")), VoString(kToolTipId), kToolTipZ);
    if (fpToolTip == nullptr) {
        return false;
    }
    fpToolTip->SetText(VoString(u"Look closer: every object may hide a clue."));
    fpToolTip->SetBackgroundColor(VoColor(1.0f, 1.0f, 0.97f, 0.85f));
    fpToolTip->SetBorderColor(VoColor(1.0f, 0.35f, 0.25f, 0.1f));
    fpToolTip->SetPosition(kButtonX, kButtonY + kButtonHeight + 10.0f);
    fpToolTip->Hide();
    return true;
}

void MGSampleApp::ShowClicks() {
    if (fpStatus == nullptr) {
        return;
    }
    VoString text(u"Clues examined: ");
    text.Append(fClicks);
    fpStatus->SetText(text);
}

void MGSampleApp::OnButtonEvent(const VoString&, int aCode) {
    switch (aCode) {
        case kEntered:
            if (fpToolTip != nullptr && !fpToolTip->IsFadingIn()) {
                fpToolTip->FadeIn();
            }
            break;
        case kLeft:
            if (fpToolTip != nullptr && !fpToolTip->IsFadingOut()) {
                fpToolTip->FadeOut();
            }
            break;
        case kClick:
            ++fClicks;
            ShowClicks();
            break;
        default:
            break;
    }
}

bool MGSampleApp::Frame() {
    if (VoIRasterizer* rasterizer = VoIRasterizer::Get()) {
        rasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
        rasterizer->Clear();
    }
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->Update();
    }
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    return display != nullptr && display->Render();
}

bool MGSampleApp::OnMouseDown(const VoString& aDevice, int aButton) {
    VoMouse* mouse = VoMouse::GetInstance();
    return !aDevice.Equals(u"mouse", false) || (mouse != nullptr && mouse->ButtonDown(aButton));
}

bool MGSampleApp::OnMouseUp(const VoString& aDevice, int aButton) {
    VoMouse* mouse = VoMouse::GetInstance();
    return !aDevice.Equals(u"mouse", false) || (mouse != nullptr && mouse->ButtonUp(aButton));
}

bool MGSampleApp::OnMouseMove(const VoString& aDevice, VoVector2* apValue) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (apValue == nullptr || mouse == nullptr) {
        return false;
    }
    if (aDevice.Equals(u"mouse", false)) {
        apValue->x = std::clamp(apValue->x, 0.0f, kScreenWidth - 1.0f);
        apValue->y = std::clamp(apValue->y, 0.0f, kScreenHeight - 1.0f);
        return mouse->Move(apValue);
    }
    if (aDevice.Equals(u"wheel", false)) {
        const float delta = apValue->y - fLastWheel;
        fLastWheel = apValue->y;
        return mouse->Wheel(delta);
    }
    return true;
}

bool MGSampleApp::OnKeyDown(int aKey) {
    if (aKey == kEscape) {
        if (VoIPlatform* platform = VoIPlatform::GetInstance()) {
            platform->Quit();
        }
        return true;
    }
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    return keyboard != nullptr && keyboard->KeyDown(aKey);
}

bool MGSampleApp::OnKeyUp(int aKey) {
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    return keyboard != nullptr && keyboard->KeyUp(aKey);
}
