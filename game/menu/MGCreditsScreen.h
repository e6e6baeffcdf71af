#pragma once
// The credits over black: a cycle of pictures and a cycle of text pages,
// cross-faded together to their next ones, with their own looping music.
// Any key leaves.
//
// The credits file "//textures/menu/credits.txt":
//     credits.images   one section per picture, with "file" (an image under
//                      "//textures/menu/")
//     credits.screens  one section per page, each with "entries": one
//                      section per paragraph, whose values are its lines
// The tree "credits_screen": the black rectangle "black_bg" (relative z
// -100), the hidden sprites "credits_sprite_" + i and the hidden groups
// "screen_" + j (relative z 10). A page's lines are text areas "id_" + i +
// "_" + j in "frizquadrata24", each centred across the 800 pixels, one line
// height apart and 30 more between paragraphs, the block centred on the
// 600-pixel height.
//
// One second after entering the first picture and page fade in from black;
// from then on, 5 seconds after each cross-fade has ended, the next ones
// fade in over the current ones, by 0.05 per step more than 0.03 s apart. A
// cycle without entries is left out of the changes; a cycle of one entry
// keeps it shown.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "menu/MGMenuLayout.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class VoIDisplayObject;
class VoISoundPlayer;
class VoPropertyList;

class MGCreditsScreen : public VoBase,
                        public MGIScreen,
                        public VoIMouseListener,
                        public VoIKeyboardListener,
                        public VoIFrameListener {
public:
    static constexpr const char* kCreationFailure = "MGCreditsScreen creation failure.";
    static constexpr const char16_t* kFile = u"//textures/menu/credits.txt";
    static constexpr const char16_t* kImageRoot = u"//textures/menu/";
    static constexpr const char16_t* kMusicName = u"credits";
    static constexpr const char16_t* kMusicFile = u"//dataroot/sounds/Credits.ogg";
    static constexpr const char16_t* kRootId = u"credits_screen";
    static constexpr const char16_t* kFont = u"frizquadrata24";
    static constexpr int kScreenWidth = 800;
    static constexpr int kScreenHeight = 600;
    static constexpr float kBackgroundZ = -100.0f;
    static constexpr float kPageZ = 10.0f;
    static constexpr float kParagraphGap = 30.0f;
    static constexpr double kFirstChange = 1.0;
    static constexpr double kChangeInterval = 5.0;
    static constexpr double kStepInterval = 0.03;
    static constexpr float kFadeStep = 0.05f;
    static constexpr float kOrder = 0.0f;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCreditsScreen* GetInstance();

    MGCreditsScreen();
    MGCreditsScreen(const MGCreditsScreen&) = delete;
    MGCreditsScreen& operator=(const MGCreditsScreen&) = delete;
    // Leaves the mouse, keyboard and frames; deletes what it still owns.
    ~MGCreditsScreen() override;

    void OnLeaveBegin() override {}
    // Deletes the tree, the music and the credits file.
    void OnLeaveEnd() override;
    // Reads the credits file and shows it (Show).
    void OnEnter() override;
    // Builds the screen from the credits (owned from here on; null shows
    // black), starts the music and the changes.
    void Show(VoPropertyList* apCredits);

    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    // Any key leaves, once the screen stack takes the pop.
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}
    void OnUpdate() override;

    int GetPictureCount() const { return fPictures.GetCount(); }
    int GetPageCount() const { return fPages.GetCount(); }
    int GetCurrentPicture() const { return fPicture; }
    int GetCurrentPage() const { return fPage; }
    bool IsCrossFading() const { return fFading; }
    VoDisplayGroup* GetRoot() const { return fTree.Get(); }

    VoString ToString() const override;

private:
    void AddBackground(VoDisplayGroup* apTree);
    void AddPictures(VoDisplayGroup* apTree);
    void AddPages(VoDisplayGroup* apTree);
    // The lines of the page's paragraphs into the group, and the group centred.
    void LayOutPage(VoPropertyList* apPage, VoDisplayGroup* apGroup);
    void StartChange(double aNow);
    // The cycle's next entry: *apIndex moves on and the entry comes in;
    // the current one, when another, goes out.
    static void Advance(VoVector& aCycle, int* apIndex, VoIDisplayObject** appOut, VoIDisplayObject** appIn);
    void Listen(bool aListen);
    static double Now();

    MGScreenTree fTree;
    VoPropertyList* fpCredits;  // owned
    VoVector fPictures;         // VoSprite*, owned by the tree
    VoVector fPages;            // VoDisplayGroup*, owned by the tree
    VoISoundPlayer* fpMusic;    // owned
    int fPage;
    int fPicture;
    double fNextChange;  // -1 while a cross-fade runs
    bool fFading;
    double fLastStep;
    float fFade;
    VoIDisplayObject* fpPictureOut;  // not owned: members of the tree
    VoIDisplayObject* fpPictureIn;
    VoIDisplayObject* fpPageOut;
    VoIDisplayObject* fpPageIn;
    bool fInMouse;
    bool fInKeyboard;
    bool fInFrames;
};
