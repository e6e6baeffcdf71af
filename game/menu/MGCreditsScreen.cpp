#include "menu/MGCreditsScreen.h"

#include <cmath>

#include "MGScreenManager.h"
#include "container/VoColor.h"
#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoImage.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "system/VoITimer.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"

namespace {

VoCleanerSingleton<MGCreditsScreen, MGCleanerHome> gInstance;

// Half of what is left of aSize by aExtent taken whole, rounded toward zero.
float Centred(int aSize, float aExtent) {
    const float whole = std::trunc(aExtent);
    // An extent beyond any screen stands at the far left (or top).
    const int extent =
        std::isfinite(whole) && std::fabs(whole) < 1.0e8f ? static_cast<int>(whole) : 100000000;
    return static_cast<float>((aSize - extent) / 2);
}

}  // namespace

MGCreditsScreen* MGCreditsScreen::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCreditsScreen(); }, kCreationFailure);
}

MGCreditsScreen::MGCreditsScreen()
    : fpCredits(nullptr),
      fpMusic(nullptr),
      fPage(-1),
      fPicture(-1),
      fNextChange(-1.0),
      fFading(false),
      fLastStep(0.0),
      fFade(0.0f),
      fpPictureOut(nullptr),
      fpPictureIn(nullptr),
      fpPageOut(nullptr),
      fpPageIn(nullptr),
      fInMouse(false),
      fInKeyboard(false),
      fInFrames(false) {}

MGCreditsScreen::~MGCreditsScreen() {
    Listen(false);
    OnLeaveEnd();
}

double MGCreditsScreen::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

void MGCreditsScreen::Listen(bool aListen) {
    MGListenToFrames(this, kOrder, aListen, &fInFrames);
    MGListenToMouse(this, kOrder, aListen, &fInMouse);
    MGListenToKeys(this, kOrder, aListen, &fInKeyboard);
}

void MGCreditsScreen::OnEnter() {
    VoPropertyList* credits = VO_NEW VoPropertyList();
    if (credits != nullptr) {
        credits->Load(VoString(kFile), true);
    }
    Show(credits);
}

void MGCreditsScreen::Show(VoPropertyList* apCredits) {
    VoDisplayGroup* tree = fTree.Create(VoString(kRootId));
    if (fpCredits != apCredits) {
        delete fpCredits;
        fpCredits = apCredits;
    }
    fPictures.Clear();
    fPages.Clear();
    fpPictureOut = fpPictureIn = fpPageOut = fpPageIn = nullptr;
    if (tree != nullptr) {
        AddBackground(tree);
        AddPictures(tree);
        AddPages(tree);
        fTree.Show();
    }
    delete fpMusic;
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpMusic = sounds != nullptr ? sounds->CreateStream(VoString(kMusicName), VoString(kMusicFile)) : nullptr;
    if (fpMusic != nullptr) {
        fpMusic->SetLoopCount(true);
        fpMusic->Play();
    }
    fPage = -1;
    fPicture = -1;
    fFading = false;
    fNextChange = Now() + kFirstChange;
    Listen(true);
}

void MGCreditsScreen::AddBackground(VoDisplayGroup* apTree) {
    VoSRectangle* black = VO_NEW VoSRectangle();
    if (black == nullptr) {
        return;
    }
    const VoColor opaqueBlack(1.0f, 0.0f, 0.0f, 0.0f);
    black->SetId(VoString(u"black_bg"));
    black->SetShapeRectangle(VoRectangle(0.0f, 0.0f, kScreenWidth, kScreenHeight));
    black->SetFillColor(opaqueBlack);
    black->SetFilled(true);
    black->SetStrokeColor(opaqueBlack);
    black->SetStroked(true);
    black->SetRelativeZ(kBackgroundZ);
    black->SetPosition(0.0f, 0.0f);
    if (!apTree->AddMember(black, true)) {
        delete black;
    }
}

void MGCreditsScreen::AddPictures(VoDisplayGroup* apTree) {
    VoPropertyList* images = fpCredits != nullptr ? fpCredits->GetList(VoString(u"credits.images")) : nullptr;
    for (int i = 0; images != nullptr && i < images->GetCount(); ++i) {
        VoPropertyList* entry = images->GetListAt(i);
        const VoString file = entry != nullptr ? entry->GetString(VoString(u"file"), nullptr) : VoString(u"");
        VoSprite* sprite = VO_NEW VoSprite();
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetId(VoString(u"credits_sprite_") + i);
        VoImage* image = nullptr;
        // A picture that cannot be read leaves a sprite without one.
        if (file.GetLength() > 0 && VoImage::CreateFromFile(VoString(kImageRoot) + file, &image)) {
            sprite->SetImage(file, image, nullptr, nullptr);
        }
        delete image;
        sprite->SetVisible(false);
        if (!apTree->AddMember(sprite, true)) {
            delete sprite;
            continue;
        }
        fPictures.Add(static_cast<VoIDisplayObject*>(sprite));
    }
}

void MGCreditsScreen::AddPages(VoDisplayGroup* apTree) {
    VoPropertyList* screens =
        fpCredits != nullptr ? fpCredits->GetList(VoString(u"credits.screens")) : nullptr;
    for (int j = 0; screens != nullptr && j < screens->GetCount(); ++j) {
        VoDisplayGroup* page = MGMenuLayout::NewGroup(VoString(u"screen_") + j, kPageZ);
        if (page == nullptr) {
            continue;
        }
        page->SetVisible(false);
        LayOutPage(screens->GetListAt(j), page);
        if (!apTree->AddMember(page, true)) {
            delete page;
            continue;
        }
        fPages.Add(static_cast<VoIDisplayObject*>(page));
    }
}

void MGCreditsScreen::LayOutPage(VoPropertyList* apPage, VoDisplayGroup* apGroup) {
    VoFontManager* fonts = VoFontManager::GetInstance();
    VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kFont)) : nullptr;
    VoPropertyList* entries = apPage != nullptr ? apPage->GetList(VoString(u"entries")) : nullptr;
    float y = 0.0f;
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* paragraph = entries->GetListAt(i);
        for (int j = 0; paragraph != nullptr && j < paragraph->GetCount(); ++j) {
            const VoString* line = paragraph->GetAt(j).GetValue();
            VoTextArea* text = line != nullptr ? VO_NEW VoTextArea() : nullptr;
            if (text == nullptr) {
                continue;
            }
            text->SetId(VoString(u"id_") + i + u"_" + j);
            text->Create(font);
            text->SetText(*line);
            const float width = font != nullptr ? font->GetTextWidth(*line) : 0.0f;
            text->SetPosition(Centred(kScreenWidth, width), y);
            y += text->GetLineHeight();
            if (!apGroup->AddMember(text, true)) {
                delete text;
            }
        }
        y += kParagraphGap;
    }
    apGroup->SetPosition(0.0f, Centred(kScreenHeight, y));
}

void MGCreditsScreen::OnLeaveEnd() {
    fTree.Drop();
    fPictures.Clear();
    fPages.Clear();
    fpPictureOut = fpPictureIn = fpPageOut = fpPageIn = nullptr;
    fFading = false;
    delete fpMusic;
    fpMusic = nullptr;
    delete fpCredits;
    fpCredits = nullptr;
}

void MGCreditsScreen::OnKeyDown(int) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // A pop refused while a fade runs would leave a screen deaf to keys.
    if (screens == nullptr || screens->IsBusy()) {
        return;
    }
    MGIScreen* popped = nullptr;
    if (screens->PopFade(&popped)) {
        Listen(false);
    }
}

void MGCreditsScreen::Advance(VoVector& aCycle, int* apIndex, VoIDisplayObject** appOut,
                              VoIDisplayObject** appIn) {
    const int count = aCycle.GetCount();
    *appOut = nullptr;
    *appIn = nullptr;
    if (count == 0) {
        return;
    }
    const int next = *apIndex + 1 < count ? *apIndex + 1 : 0;
    if (next != *apIndex && *apIndex >= 0) {
        *appOut = static_cast<VoIDisplayObject*>(aCycle.GetAt(*apIndex));
        (*appOut)->SetBlend(1.0f);
    }
    *apIndex = next;
    *appIn = static_cast<VoIDisplayObject*>(aCycle.GetAt(next));
    if (*appOut == nullptr && (*appIn)->GetVisible()) {
        // The one entry of its cycle, shown already: it stays as it is.
        *appIn = nullptr;
        return;
    }
    (*appIn)->SetBlend(0.0f);
    (*appIn)->SetVisible(true);
}

void MGCreditsScreen::StartChange(double aNow) {
    fNextChange = -1.0;
    Advance(fPictures, &fPicture, &fpPictureOut, &fpPictureIn);
    Advance(fPages, &fPage, &fpPageOut, &fpPageIn);
    fFade = 0.0f;
    fLastStep = aNow;
    fFading = true;
}

void MGCreditsScreen::OnUpdate() {
    const double now = Now();
    if (!fFading && fNextChange > 0.0 && now > fNextChange) {
        if (fPictures.GetCount() == 0 && fPages.GetCount() == 0) {
            // Nothing to show: nothing ever changes.
            fNextChange = -1.0;
            return;
        }
        StartChange(now);
    }
    if (!fFading || now - fLastStep <= kStepInterval) {
        return;
    }
    fFade += kFadeStep;
    if (fFade >= 1.0f) {
        fFade = 1.0f;
        fFading = false;
        fNextChange = now + kChangeInterval;
        for (VoIDisplayObject* out : {fpPictureOut, fpPageOut}) {
            if (out != nullptr) {
                out->SetVisible(false);
            }
        }
    }
    for (VoIDisplayObject* out : {fpPictureOut, fpPageOut}) {
        if (out != nullptr) {
            out->SetBlend(1.0f - fFade);
        }
    }
    for (VoIDisplayObject* in : {fpPictureIn, fpPageIn}) {
        if (in != nullptr) {
            in->SetBlend(fFade);
        }
    }
    fLastStep = now;
}

VoString MGCreditsScreen::ToString() const {
    return VoDebugString("MGCreditsScreen", this);
}
