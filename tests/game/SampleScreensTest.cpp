// The sample tree's screens as a player reads them. Each screen is built
// from its layout and its data, the texts it shows filled in as the game
// fills them (every card, directory entry, count, note, tooltip, subtitle
// and page the data holds), and every text on the 2D display is judged by
// ReadScreenTexts (see there for the rules: a contrast of 4.5:1 against the
// picture under it, a fit within the picture it stands on, nothing drawn
// over it), in each look of the buttons it stands on. Every layout of the
// tree is shown by one of these screens (EveryLayoutIsShownBySomeScreen).
//
// These tests draw no 3D scene: a text whose ground is mostly the scene is
// judged against the worst ground the scene may give, by the letters' own
// edges over white and over black (see ReadScreenTexts). Of the sample's
// texts only the subtitles are such (their box is 40 percent black), and
// the tests hold every screen to that.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "game/menu/MenuGame.h"
#include "game/pda/PDATestGame.h"
#include "game/profiler/ProfilerTestGame.h"
#include "game/support/PuzzleGame.h"
#include "game/support/SampleGame.h"
#include "game/support/ScreenTexts.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTip.h"
#include "geometry/VoImage.h"
#include "geometry/VoRectangle.h"
#include "interview/MGExpertComputer.h"
#include "interview/MGExpertInterview.h"
#include "interview/MGExpertTopicArea.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "menu/MGCaseSelection.h"
#include "menu/MGCreditsScreen.h"
#include "menu/MGLoadScreen.h"
#include "menu/MGMainMenu.h"
#include "menu/MGOptionsScreen.h"
#include "menu/MGSaveField.h"
#include "menu/MGSaveScreen.h"
#include "menu/MGSlotList.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGLogPanel.h"
#include "pda/MGPhone.h"
#include "pda/MGPhoneDirectoryPanel.h"
#include "pda/MGPhoneMessagesPanel.h"
#include "pda/MGPhonePanel.h"
#include "puzzles/MGPuzzleVoice.h"
#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"
#include "puzzles/cigarband/MGCigarBandPuzzle.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/crossword/MGCrossWordPuzzle.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"
#include "puzzles/harppuzzle/MGHarpPuzzle.h"
#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/MGMapPuzzle.h"
#include "puzzles/painting/MGPaintingPuzzle.h"
#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"
#include "puzzles/receipt/MGReceiptPuzzle.h"
#include "puzzles/roomservice/MGRoomServicePuzzle.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"
#include "puzzles/velmire/MGVelmirePuzzle.h"
#include "render/VoTextureManager.h"
#include "scene/MGCloseUp.h"
#include "scene/MGPlacard.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoStateManager.h"
#include "support/RecordedScreen.h"
#include "support/RecordingRasterizer.h"
#include "support/TestText.h"
#include "ui/MGMessageBox.h"
#include "util/MGOptions.h"
#include "util/MGRandom.h"

namespace {

namespace fs = std::filesystem;

int Zero() {
    return 0;
}

// The faults of every screen read, each behind the screen's name, and the
// texts judged over the scene. A screen read shows a text, one read as
// pictures shows none; either way every text it shows is judged
// (ReadScreenTexts says which it did not judge).
class Reading {
public:
    // Reads the display as it stands (with every look of its buttons unless
    // aLooks is false); it shows a text.
    ScreenTextReport Read(const std::string& aScreen, bool aLooks = true) {
        ScreenTextReport report = ReadScreenTexts(aLooks);
        if (report.shown.empty()) {
            report.faults.push_back("shows no text");
        }
        Keep(aScreen, report);
        return report;
    }

    // Reads a screen of pictures only: it shows no text.
    void ReadPictures(const std::string& aScreen) {
        ScreenTextReport report = ReadScreenTexts();
        for (const std::string& text : report.shown) {
            report.faults.push_back("shows " + text + ", a screen of pictures only");
        }
        Keep(aScreen, report);
    }

    std::vector<std::string> fFaults;
    std::set<std::string> fOverScene;

private:
    void Keep(const std::string& aScreen, const ScreenTextReport& aReport) {
        for (const std::string& fault : aReport.faults) {
            const std::string line = aScreen + ": " + fault;
            if (std::find(fFaults.begin(), fFaults.end(), line) == fFaults.end()) {
                fFaults.push_back(line);
            }
        }
        for (const std::string& text : aReport.overScene) {
            fOverScene.insert(text);
        }
    }
};

// The texture ids a layout file names ("texture" values at any depth).
void TexturesOf(VoPropertyList* apList, std::set<std::string>* apOut) {
    for (int i = 0; apList != nullptr && i < apList->GetCount(); ++i) {
        if (VoPropertyList* child = apList->GetListAt(i)) {
            TexturesOf(child, apOut);
        } else if (apList->GetKeyAt(i) == VoString(u"texture")) {
            apOut->insert(Narrow(apList->GetString(VoString(u"texture"), nullptr)));
        }
    }
}

// The layout's pictures are in use: at least one texture it names is filed
// with the texture manager, so the screen was built from it.
void ExpectShown(const char* apLayout) {
    VoPropertyList layout;
    ASSERT_TRUE(layout.Load(VoString(u"//textures/") + apLayout, true)) << apLayout;
    std::set<std::string> textures;
    TexturesOf(&layout, &textures);
    VoTextureManager* manager = VoTextureManager::GetInstance();
    bool shown = false;
    for (const std::string& texture : textures) {
        shown = shown || manager->GetHandle(VoString(texture.c_str())) != 0;
    }
    EXPECT_TRUE(shown) << apLayout << " is not on screen";
}

// A property list of the sample tree, loaded; empty when it cannot be read.
std::unique_ptr<VoPropertyList> Load(const char16_t* apPath) {
    std::unique_ptr<VoPropertyList> list(new VoPropertyList());
    EXPECT_TRUE(list->Load(VoString(apPath), true)) << Narrow(VoString(apPath));
    return list;
}

void AddEvent(const VoString& aId) {
    VoEventManager::GetInstance()->AddEvent(aId, true);
}

// Every id written e[...] or event[...] in the text.
std::vector<std::string> EventsNamed(const std::string& aText) {
    std::vector<std::string> ids;
    for (const char* open : {"e[", "event["}) {
        for (std::string::size_type at = aText.find(open); at != std::string::npos;
             at = aText.find(open, at + 1)) {
            if (at > 0 && std::isalpha(static_cast<unsigned char>(aText[at - 1]))) {
                continue;
            }
            const std::string::size_type from = at + std::string(open).size();
            const std::string::size_type close = aText.find(']', from);
            if (close != std::string::npos) {
                ids.push_back(aText.substr(from, close - from));
            }
        }
    }
    return ids;
}

// Adds every event that a value at any depth of the list names.
void AddEventsNamed(VoPropertyList* apList) {
    for (int i = 0; apList != nullptr && i < apList->GetCount(); ++i) {
        if (VoPropertyList* child = apList->GetListAt(i)) {
            AddEventsNamed(child);
            continue;
        }
        for (const std::string& id : EventsNamed(Narrow(apList->GetString(apList->GetKeyAt(i), nullptr)))) {
            if (!VoEventManager::GetInstance()->HasEvent(VoString(id.c_str()))) {
                AddEvent(VoString(id.c_str()));
            }
        }
    }
}

void SetString(const char16_t* apId, const char16_t* apValue) {
    VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"string"), VoString(apValue), false);
}

// Ends the voice line that plays, if any.
bool EndVoice(const char* apName = "sequenceSound") {
    stubs::SoundPlayer* voice = stubs::SoundPlayer::Find(apName);
    if (voice == nullptr) {
        return false;
    }
    voice->End();
    return true;
}

// Every tooltip in the display root.
std::vector<VoToolTip*> ToolTips() {
    std::vector<VoToolTip*> tooltips;
    VoDisplayGroup* root = VoDisplayManager::GetInstance()->GetRootGroup();
    for (int i = 0; i < root->GetMemberCount(); ++i) {
        if (auto* tooltip = dynamic_cast<VoToolTip*>(root->GetMemberAt(i))) {
            tooltips.push_back(tooltip);
        }
    }
    return tooltips;
}

// Shows the tooltip with the text where the game puts tooltips, reads it
// and hides it again.
template <typename Game>
void ReadToolTip(Game& aGame, Reading& aReading, VoToolTip* apToolTip, const VoString& aText,
                 const std::string& aWhat) {
    apToolTip->SetText(aText);
    apToolTip->SetPosition(300.0f, 300.0f);
    apToolTip->FadeIn();
    aGame.RunFrames(0.5);
    aReading.Read(aWhat + " \"" + Narrow(aText) + "\"", false);
    apToolTip->Hide();
}

void ExpectNoFaults(const Reading& aReading) {
    std::string faults;
    for (const std::string& fault : aReading.fFaults) {
        faults += "  " + fault + "\n";
    }
    EXPECT_TRUE(aReading.fFaults.empty()) << aReading.fFaults.size() << " faults:\n" << faults;
    for (const std::string& text : aReading.fOverScene) {
        EXPECT_EQ(text.rfind("root.subtitle.", 0), 0u) << "not judged, over the scene: " << text;
    }
}

// The text areas of the tree that show nothing yet, with a font.
void EmptyTexts(VoDisplayGroup* apGroup, std::vector<VoTextArea*>* apOut) {
    for (int i = 0; i < apGroup->GetMemberCount(); ++i) {
        VoIDisplayObject* member = apGroup->GetMemberAt(i);
        if (auto* text = dynamic_cast<VoTextArea*>(member)) {
            if (text->GetText().GetLength() == 0 && text->GetFont() != nullptr) {
                apOut->push_back(text);
            }
        } else if (auto* group = dynamic_cast<VoDisplayGroup*>(member)) {
            EmptyTexts(group, apOut);
        }
    }
}

// The lettering of the console's title band (rows 0 to 39 of its picture,
// the pixels unlike the band's colour at the right end of their row) is in
// view: no picture drawn over the console (the notepad) covers any of it.
void ExpectTitleInView(const char16_t* apConsole) {
    VoImage* image = nullptr;
    ASSERT_TRUE(VoImage::CreateFromFile(VoString(u"//textures/expertcomputer/") + apConsole, &image));
    RecordingRasterizer* rasterizer = RecordingRasterizer::Engine();
    rasterizer->ClearCalls();
    VoDisplayManager::GetInstance()->Render();
    const RecordedScreen screen(rasterizer->Calls());
    const std::uint32_t handle = VoTextureManager::GetInstance()->GetHandle(VoString(apConsole));
    int console = -1;
    for (int i = 0; i < screen.GetDrawCount() && console < 0; ++i) {
        console = screen.GetDraw(i).handle == handle ? i : -1;
    }
    ASSERT_GE(console, 0);
    const ScreenPatch over =
        screen.Paint({0, 0, 800, 40}, screen.GetDrawCount(), [console](int aDraw) { return aDraw > console; },
                     {0.0f, 0.0f, 0.0f});
    int lettering = 0;
    int covered = 0;
    for (int y = 0; y < 40; ++y) {
        const VoColor band = image->GetPixel(799, y);
        for (int x = 0; x < 800; ++x) {
            const VoColor pixel = image->GetPixel(x, y);
            if (pixel.fR != band.fR || pixel.fG != band.fG || pixel.fB != band.fB) {
                ++lettering;
                covered += over.CoverAt(x, y) >= 0.5f ? 1 : 0;
            }
        }
    }
    delete image;
    EXPECT_GT(lettering, 100) << Narrow(VoString(apConsole)) << " has no title";
    EXPECT_EQ(covered, 0) << "of the " << lettering << " pixels of " << Narrow(VoString(apConsole))
                          << "'s title";
}

// A sprite of one colour, aWidth x aHeight, at (aX, aY) in the root, drawn
// in the order of aZ; the root owns it.
VoSprite* AddPlate(const char* apId, int aX, int aY, int aWidth, int aHeight, const unsigned char aRgb[3],
                   float aZ) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < aWidth * aHeight; ++i) {
        pixels.insert(pixels.end(), {aRgb[2], aRgb[1], aRgb[0], 255});
    }
    VoImage image;
    EXPECT_TRUE(image.Create(aWidth, aHeight, aWidth * 4, VoImage::kFormatBGRA, pixels.data(),
                             static_cast<std::int32_t>(pixels.size())));
    VoSprite* sprite = new VoSprite();
    sprite->SetId(VoString(apId));
    EXPECT_TRUE(sprite->SetImage(VoString(apId), &image, nullptr, nullptr));
    sprite->SetPosition(static_cast<float>(aX), static_cast<float>(aY));
    sprite->SetRelativeZ(aZ);
    EXPECT_TRUE(VoDisplayManager::GetInstance()->AddMember(sprite));
    return sprite;
}

// The voice-overs a close-up's entry queues on the skill level.
VoVectorString VoiceOvers(VoPropertyList* apEntry, int aSkill) {
    bool found = false;
    const VoVectorString level = apEntry->GetVectorString(
        VoString(aSkill == MGCloseUp::kEasy ? u"voiceovers.hint" : u"voiceovers.default"), &found);
    return found ? level : apEntry->GetVectorString(VoString(u"voiceover"), nullptr);
}

// The crime lab's interview 1CL01 (the sample's expert) and its subtitles.
constexpr const char16_t* kExpertFile = u"//interviews/1CL01.txt";
constexpr const char16_t* kExpertSubtitles = u"//interviews/1CL01_subtitles.txt";

// The game's draws (which line of several, how fast the expert computer
// types) come out the same on every run.
class SampleScreens : public ::testing::Test {
protected:
    SampleScreens() { MGSetRandomSource(&Zero); }
    ~SampleScreens() override { MGSetRandomSource(nullptr); }
};

// A text area that draws its text a distance below where its layout puts
// it, as a font whose draws cannot be matched with the layout would.
class AwayText : public VoTextArea {
public:
    bool Render(VoRenderer* apRenderer) override {
        const VoVector2 kept = GetPosition();
        SetPosition(kept.x, kept.y + 30.0f);
        const bool result = VoTextArea::Render(apRenderer);
        SetPosition(kept);
        return result;
    }
};

}  // namespace

// The reader on screens of its own: a text on a plate, in the fonts of the
// tree. Each rule fails on its fault and only there; a thin rule across a
// text's box and a disabled button's grey are no faults. Over a plate of 40
// percent black (the subtitles' box) the scene shows through: a white text
// reads over it in the outlined fonts of the subtitles, not in a plain one.
// A text it shows but cannot judge (its glyphs not found where its layout
// puts them, its font not in the font list) is a fault too.
TEST(ScreenTexts, EachRuleFailsOnItsFaultAndOnlyThere) {
    const unsigned char kBlack[3] = {0, 0, 0};
    const unsigned char kWhite[3] = {255, 255, 255};
    const unsigned char kPale[3] = {206, 216, 196};
    const unsigned char kDark[3] = {14, 40, 44};
    const unsigned char kRed[3] = {200, 40, 30};
    struct Case {
        const char* what;
        const char16_t* font;
        const unsigned char* plate;
        const char16_t* text;
        float width;  // word-wrapped, one line, when above 0
        int mark;     // 0 none, 1 a mark on the plate under the text, 2 a picture over it, 3 a rule across it
        const char* fault;
        float plateBlend = 1.0f;
        int drawn = 0;  // 0 as laid out, 1 away from its layout (AwayText), 2 in a font the list lacks
    };
    const Case cases[] = {
        {"black on white", u"tahoma10black", kWhite, u"Mr. Ardley", 0.0f, 0, ""},
        {"white on dark", u"LucindaSans10", kDark, u"Mr. Ardley", 0.0f, 0, ""},
        {"white on pale green", u"LucindaSans10", kPale, u"Mr. Ardley", 0.0f, 0, "contrast"},
        {"wider than its plate", u"tahoma10black", kWhite, u"A name far too long for its plate", 0.0f, 0,
         "runs out of its plate"},
        {"wrapped on one line, cut", u"LucindaSans10", kDark, u"You have 2 New Messages", 110.0f, 0,
         "cut short"},
        {"wrapped on one line, whole", u"LucindaSans10", kDark, u"You have 2 New", 110.0f, 0, ""},
        {"over a mark", u"tahoma10black", kWhite, u"Mr. Ardley", 0.0f, 1, "runs over"},
        {"under a picture", u"tahoma10black", kWhite, u"Mr. Ardley", 0.0f, 2, "lie under"},
        {"across a thin rule", u"tahoma10black", kWhite, u"Mr. Ardley", 0.0f, 3, ""},
        {"plain, over the scene", u"LucindaSans10", kBlack, u"Mr. Ardley", 0.0f, 0, "round its letters",
         0.4f},
        {"outlined, over the scene", u"TW_CEN_MT16", kBlack, u"Mr. Ardley", 0.0f, 0, "", 0.4f},
        {"outlined blue, over the scene", u"TW_CEN_MT16_BLUE", kBlack, u"Mr. Ardley", 0.0f, 0, "", 0.4f},
        {"drawn away from its layout", u"tahoma10black", kWhite, u"Mr. Ardley", 0.0f, 0,
         "\"Mr. Ardley\" (tahoma10black): shown but not judged: line 1 \"Mr. Ardley\": no glyph", 1.0f, 1},
        {"in a font the list lacks", u"unlisted", kWhite, u"Mr. Ardley", 0.0f, 0,
         "\"Mr. Ardley\" (an unknown font): shown but not judged: line 1 \"Mr. Ardley\": its font is not",
         1.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SampleGame game;
        AddPlate("plate", 100, 100, 120, 24, c.plate, 0.0f)->SetBlend(c.plateBlend);
        if (c.drawn == 2) {
            ASSERT_TRUE(VoFontManager::GetInstance()->CreateFont(
                VoString(c.font), VoString(u"//textures/fonts/tahoma10black.tga"), 15, nullptr));
        }
        auto* text = c.drawn == 1 ? new AwayText() : new VoTextArea();
        text->SetId(VoString(u"text"));
        ASSERT_TRUE(text->Create(VoString(c.font)));
        text->SetPosition(106.0f, 105.0f);
        text->SetRelativeZ(5.0f);
        if (c.width > 0.0f) {
            text->SetWordWrap(true);
            text->SetWidth(c.width);
        }
        text->SetText(VoString(c.text));
        ASSERT_TRUE(VoDisplayManager::GetInstance()->AddMember(text));
        if (c.mark == 1) {
            AddPlate("mark", 120, 104, 10, 14, kRed, 1.0f);
        } else if (c.mark == 2) {
            AddPlate("cover", 120, 104, 10, 14, kRed, 10.0f);
        } else if (c.mark == 3) {
            AddPlate("rule", 100, 110, 120, 1, kPale, 1.0f);
        }
        const ScreenTextReport report = ReadScreenTexts();
        ASSERT_EQ(report.shown.size(), 1u);
        EXPECT_EQ(report.texts.size() + report.overScene.size(), c.drawn == 0 ? 1u : 0u);
        EXPECT_EQ(report.overScene.size(), c.plateBlend < 0.5f ? 1u : 0u);
        std::string faults;
        bool found = false;
        for (const std::string& fault : report.faults) {
            faults += fault + "\n";
            found = found || fault.find(c.fault) != std::string::npos;
        }
        if (*c.fault == '\0') {
            EXPECT_TRUE(report.faults.empty()) << faults;
        } else {
            EXPECT_TRUE(found) << faults;
        }
    }
}

// The reader shows the lines of a text that lie within the rectangle of
// its group (a scroll area's), and judges them without fault: a two-line
// text wholly inside, cut after its first line, scrolled out of view, and
// faded out.
TEST(ScreenTexts, ShowsTheLinesWithinTheirClip) {
    const unsigned char kWhite[3] = {255, 255, 255};
    struct Case {
        const char* what;
        float top;          // of the group's rectangle, 100 pixels wide from x 100
        float height;       // of the rectangle
        float blend;        // of the text
        const char* shown;  // the text's name as shown; "" for none
    };
    const Case cases[] = {
        {"wholly inside", 100.0f, 60.0f, 1.0f, "root.scroll.text \"Mr. Ardley / of Hull\" (tahoma10black)"},
        {"cut after its first line", 100.0f, 18.0f, 1.0f,
         "root.scroll.text \"Mr. Ardley / of Hull\" (tahoma10black)"},
        {"scrolled out of view", 140.0f, 20.0f, 1.0f, ""},
        {"faded out", 100.0f, 60.0f, 0.0f, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SampleGame game;
        AddPlate("plate", 100, 100, 100, 60, kWhite, 0.0f);
        auto* group = new VoDisplayGroup();
        group->SetId(VoString(u"scroll"));
        group->SetRelativeZ(5.0f);
        group->SetRectangle(VoRectangle(100.0f, c.top, 100.0f, c.height));
        ASSERT_TRUE(VoDisplayManager::GetInstance()->AddMember(group));
        auto* text = new VoTextArea();
        text->SetId(VoString(u"text"));
        ASSERT_TRUE(text->Create(VoString(u"tahoma10black")));
        text->SetPosition(106.0f, 105.0f);
        text->SetWordWrap(true);
        text->SetMultiLine(true);
        text->SetWidth(70.0f);
        text->SetText(VoString(u"Mr. Ardley of Hull"));
        text->SetBlend(c.blend);
        ASSERT_TRUE(group->AddMember(text, true));
        const ScreenTextReport report = ReadScreenTexts();
        std::string faults;
        for (const std::string& fault : report.faults) {
            faults += fault + "\n";
        }
        EXPECT_TRUE(report.faults.empty()) << faults;
        EXPECT_EQ(report.shown,
                  *c.shown == '\0' ? std::vector<std::string>() : std::vector<std::string>{c.shown});
        EXPECT_EQ(report.texts, report.shown);
    }
}

// The expert computer's three consoles, each with every card of the
// sample's expert typed out, and the notepad over the crime lab's with its
// topics waiting, ready and seen.
TEST_F(SampleScreens, TheExpertComputerAndItsNotepad) {
    Reading reading;
    {
        PDAGame game;
        std::unique_ptr<VoPropertyList> data = Load(kExpertFile);
        std::unique_ptr<VoPropertyList> subtitles = Load(kExpertSubtitles);
        VoPropertyList* topics = data->GetList(VoString(u"topics"));
        ASSERT_NE(topics, nullptr);
        MGExpertComputer* computer = MGExpertComputer::GetInstance();
        for (int kind = MGExpertInterview::kCrimeLab; kind <= MGExpertInterview::kSurveillance; ++kind) {
            ASSERT_TRUE(computer->Open(kind, nullptr));
            game.RunFrames(0.5);
            ASSERT_TRUE(computer->IsBuilt());
            for (int i = 0; i < topics->GetCount(); ++i) {
                computer->ShowItem(topics->GetListAt(i)->GetList(VoString(u"info")), subtitles.get());
                for (int frame = 0; frame < 500 && computer->IsTyping(); ++frame) {
                    game.Frame(0.02);
                }
                reading.Read("the expert computer of kind " + std::to_string(kind) + ", the card of " +
                             Narrow(topics->GetKeyAt(i)));
            }
            ExpectShown("expertcomputer/interface_layout.txt");
            computer->Close();
            game.RunFrames(1.0);
        }
    }
    {
        PDAGame game;
        // The key waits for its result, the photograph's is ready, the
        // cufflink's has been seen.
        for (const char* event : {"brasskey_CL_S", "1cs03_CL_S", "1cs03_CL_R", "1rb01_CL_S", "1rb01_CL_R",
                                  "evt_1cl01_1rb01_viewed"}) {
            AddEvent(VoString(event));
        }
        auto* expert = dynamic_cast<MGExpertInterview*>(
            MGInterviewManager::GetInstance()->GetInterview(VoString(u"1CL01")));
        ASSERT_NE(expert, nullptr);
        expert->GetExpertTopicArea()->Refresh();
        ASSERT_TRUE(MGInterviewManager::GetInstance()->StartInterview());
        game.Frame(0.05);
        EndVoice();
        game.RunFrames(0.5);
        MGExpertComputer* computer = MGExpertComputer::GetInstance();
        ASSERT_TRUE(computer->IsBuilt());
        reading.Read("the crime lab's notepad");
        ExpectTitleInView(u"ec_bg_crimelab.tga");
        expert->OnButtonEvent(VoString(u"1cs03"), VoIButtonListener::kClick);
        for (int frame = 0; frame < 500 && computer->IsTyping(); ++frame) {
            game.Frame(0.02);
        }
        reading.Read("the crime lab's notepad over the photograph's card");
        ExpectShown("interview/expert_interview_layout.txt");
    }
    ExpectNoFaults(reading);
}

// The phone: the directory of every case with all its entries listed, a
// call's panel, and the voice mail with every count the sample's messages
// can reach, then each message's subtitle.
TEST_F(SampleScreens, ThePhonesDirectoryCallAndVoiceMail) {
    Reading reading;
    PDAGame game;
    game.OpenOn(MGPDA::kPhone);
    auto* panel = dynamic_cast<MGPhonePanel*>(PDAGame::PDA()->GetPanel(VoString(MGPhonePanel::kId)));
    ASSERT_NE(panel, nullptr);
    std::unique_ptr<VoPropertyList> layout = Load(u"//textures/pda/phone_layout.txt");
    AddEventsNamed(layout->GetList(VoString(u"groups.g07-directory_content")));
    const auto click = [panel, &game](const char16_t* apId) {
        panel->OnButtonEvent(VoString(apId), VoIButtonListener::kClick);
        game.RunFrames(0.3);
    };
    for (int number = 1; number <= 4; ++number) {
        PDAGame::SetNumber(u"sta_selectedcase", static_cast<float>(number));
        click(MGPhonePanel::kDirectoryId);
        reading.Read("the phone's directory of case " + std::to_string(number));
    }
    ExpectShown("pda/phone_layout.txt");

    // The voice mail, empty, then with one more message queued each time.
    click(MGPhonePanel::kMessagesId);
    reading.Read("the voice mail with no message");
    MGPhone* phone = MGPhone::GetInstance();
    int count = 0;
    for (const char* event : {"evt_interview117_started", "brasskey_CL_R", "1cs03_RE_R", "1cs03_SU_R"}) {
        AddEvent(VoString(event));
        phone->UpdateMessages();
        click(MGPhonePanel::kDirectoryId);
        click(MGPhonePanel::kMessagesId);
        EXPECT_GT(phone->GetMessageCount(), count) << event;
        count = phone->GetMessageCount();
        reading.Read("the voice mail with " + std::to_string(count) + " messages");
    }
    // Listened to: each message with its subtitle.
    panel->GetMessages()->OnButtonEvent(VoString(u"listen_yes"), VoIButtonListener::kClick);
    for (int i = 0; i < count; ++i) {
        game.RunFrames(0.5);
        reading.Read("the voice mail playing message " + std::to_string(i + 1));
        EndVoice("phone_message");
    }

    // A call: the entry's name and number while it rings.
    click(MGPhonePanel::kDirectoryId);
    MGPhoneDirectoryPanel* directory = panel->GetDirectory();
    PDAGame::SetNumber(u"sta_selectedcase", 1.0f);
    click(MGPhonePanel::kDirectoryId);
    directory->OnButtonEvent(VoString(u"manager"), VoIButtonListener::kClick);
    game.RunFrames(0.3);
    ASSERT_NE(directory->GetCallGroup(), nullptr);
    reading.Read("a call ringing");
    ExpectNoFaults(reading);
}

// The witness and phone interviews of the catalogue, each with every topic
// listed, and the modes' tooltips.
TEST_F(SampleScreens, TheInterviewWindows) {
    Reading reading;
    std::vector<VoString> ids;
    {
        SampleGame game;
        std::unique_ptr<VoPropertyList> catalogue = Load(u"//interviews/interviews.txt");
        for (int i = 0; i < catalogue->GetCount(); ++i) {
            ids.push_back(catalogue->GetKeyAt(i));
        }
    }
    for (const VoString& id : ids) {
        PDAGame game;
        std::unique_ptr<VoPropertyList> catalogue = Load(u"//interviews/interviews.txt");
        std::unique_ptr<VoPropertyList> data =
            Load((VoString(u"//interviews/") + catalogue->GetString(id + u".data", nullptr)).GetChars());
        if (data->GetString(VoString(u"type"), nullptr).EqualsNoCase(VoString(u"expert"))) {
            continue;
        }
        AddEventsNamed(data->GetList(VoString(u"topics")));
        MGInterview* interview = MGInterviewManager::GetInstance()->GetInterview(id);
        ASSERT_NE(interview, nullptr) << Narrow(id);
        // Where the lobby's hotspot puts the clerk's window, and the phone
        // its calls.
        interview->SetPosition(interview->IsPhone() ? VoVector2(300.0f, 150.0f) : VoVector2(20.0f, 200.0f));
        ASSERT_TRUE(MGInterviewManager::GetInstance()->StartInterview()) << Narrow(id);
        // The greeting heard out.
        for (int line = 0; line < 20; ++line) {
            game.RunFrames(0.1);
            if (!EndVoice()) {
                break;
            }
        }
        game.RunFrames(1.0);
        EXPECT_TRUE(interview->IsRunning()) << Narrow(id);
        reading.Read("interview " + Narrow(id));
        ExpectShown("interview/interview_layout.txt");
        VoToolTip* tooltip = interview->GetTooltip();
        ASSERT_NE(tooltip, nullptr);
        for (int mode = 0; mode < 5; ++mode) {
            ReadToolTip(game, reading, tooltip, interview->GetTooltipText(mode),
                        "interview " + Narrow(id) + " tooltip");
        }
    }
    ExpectNoFaults(reading);
}

// Every subtitle of the data in the fonts its lines are shown in: the
// interviews' in each of their fonts, the voice mails' in the phone's, the
// scenes' voice-overs in the two the hotspots and puzzles use, and the cut
// scenes' line by line as their movies show them.
TEST_F(SampleScreens, EverySubtitle) {
    Reading reading;
    PDAGame game;
    MGSubtitle* subtitle = MGSubtitle::GetInstance();
    VoFontManager* fonts = VoFontManager::GetInstance();
    const auto show = [&](const VoString& aText, VoIFont* apFont, const VoString* apAdded,
                          VoIFont* apAddedFont, const std::string& aWhat) {
        subtitle->SetText(aText, apFont);
        if (apAdded != nullptr) {
            subtitle->AppendText(*apAdded, apAddedFont);
        }
        subtitle->Show();
        game.RunFrames(0.5);
        reading.Read(aWhat, false);
        subtitle->HideImmediately();
    };
    // Every value of a subtitle file in the fonts.
    const auto every = [&](const char16_t* apFile, const std::vector<std::string>& aFonts) {
        std::unique_ptr<VoPropertyList> lines = Load(apFile);
        for (int i = 0; i < lines->GetCount(); ++i) {
            if (lines->GetListAt(i) != nullptr) {
                continue;
            }
            const VoString text = lines->GetString(lines->GetKeyAt(i), nullptr);
            for (const std::string& font : aFonts) {
                show(text, fonts->GetFont(VoString(font.c_str())), nullptr, nullptr,
                     Narrow(VoString(apFile)) + " " + Narrow(lines->GetKeyAt(i)) + " in " + font);
            }
        }
    };
    std::unique_ptr<VoPropertyList> catalogue = Load(u"//interviews/interviews.txt");
    for (int i = 0; i < catalogue->GetCount(); ++i) {
        const VoString id = catalogue->GetKeyAt(i);
        std::unique_ptr<VoPropertyList> data =
            Load((VoString(u"//interviews/") + catalogue->GetString(id + u".data", nullptr)).GetChars());
        std::vector<std::string> used;
        VoPropertyList* faces = data->GetList(VoString(u"fonts"));
        for (int f = 0; faces != nullptr && f < faces->GetCount(); ++f) {
            used.push_back(Narrow(faces->GetString(faces->GetKeyAt(f), nullptr)));
        }
        every((VoString(u"//interviews/") + catalogue->GetString(id + u".subtitles", nullptr)).GetChars(),
              used);
    }
    every(u"//textures/pda/phone_messages_subtitles.txt",
          {Narrow(VoString(MGPhoneMessagesPanel::kSubtitleFont))});
    every(u"//dataroot/scenes/vo_subtitles.txt", {"TW_CEN_MT16", "TW_CEN_MT16_BLUE"});

    std::unique_ptr<VoPropertyList> movies = Load(u"//dataroot/movies/cutscenes_subtitles.txt");
    for (int m = 0; m < movies->GetCount(); ++m) {
        VoPropertyList* movie = movies->GetListAt(m);
        VoPropertyList* faces = movie != nullptr ? movie->GetList(VoString(u"fonts")) : nullptr;
        VoPropertyList* lines = movie != nullptr ? movie->GetList(VoString(u"subtitles")) : nullptr;
        VoString shown;
        VoIFont* shownFont = nullptr;
        for (int l = 0; faces != nullptr && lines != nullptr && l < lines->GetCount(); ++l) {
            VoPropertyList* line = lines->GetListAt(l);
            const VoString text = line->GetString(VoString(u"subtitle"), nullptr);
            VoIFont* font =
                fonts->GetFont(faces->GetString(line->GetString(VoString(u"font"), nullptr), nullptr));
            const std::string what =
                "cut scene " + Narrow(movies->GetKeyAt(m)) + " " + Narrow(lines->GetKeyAt(l));
            if (line->GetString(VoString(u"action"), nullptr) == VoString(u"add") && shownFont != nullptr) {
                show(shown, shownFont, &text, font, what);
            } else {
                show(text, font, nullptr, nullptr, what);
                shown = text;
                shownFont = font;
            }
        }
    }
    ExpectNoFaults(reading);
}

// The PDA of every case: its menu, the inventory with every item of the
// case in each category, each item's tooltip and description, the map, and
// the case log with every note, scrolled from top to bottom.
TEST_F(SampleScreens, ThePDAsPanels) {
    Reading reading;
    PDAGame game;
    std::unique_ptr<VoPropertyList> log = Load(MGLogPanel::kLogFile);
    std::unique_ptr<VoPropertyList> descriptions = Load(MGInventoryItem::kDescriptionFile);
    for (int number = 1; number <= 4; ++number) {
        PDAGame::SetNumber(u"sta_selectedcase", static_cast<float>(number));
        const std::string name = "case " + std::to_string(number);
        MGInventoryPanel* inventory = PDAGame::PDA()->GetInventoryPanel();
        VoPropertyList* items = inventory->GetItemsFile()->GetList(VoString(u"items.case") + number);
        ASSERT_NE(items, nullptr) << name;
        for (int i = 0; i < items->GetCount(); ++i) {
            for (const char16_t* lab : {u"", u"_CL", u"_RE", u"_SU"}) {
                inventory->AddItem(items->GetKeyAt(i) + lab);
            }
        }
        game.OpenOn(MGPDA::kInventory);
        for (int category = 0; category < MGInventoryPanel::kCategoryCount; ++category) {
            inventory->SelectCategory(category);
            game.RunFrames(0.3);
            reading.ReadPictures("the inventory of " + name + ", category " + std::to_string(category));
        }
        for (VoToolTip* tooltip : ToolTips()) {
            ReadToolTip(game, reading, tooltip, tooltip->GetText(), "an item's tooltip");
        }
        game.OpenOn(MGPDA::kMap);
        reading.ReadPictures("the map of " + name);
        // Every note of the case's log.
        AddEventsNamed(log->GetList(VoString(u"case0") + number));
        game.OpenOn(MGPDA::kLog);
        auto* panel = dynamic_cast<MGLogPanel*>(PDAGame::PDA()->GetPanel(VoString(MGPDA::kLog)));
        ASSERT_NE(panel, nullptr);
        for (int step = 0; step < 30; ++step) {
            reading.Read("the log of " + name + ", scrolled " + std::to_string(step) + " times", false);
            panel->OnWheel(-120.0f);
            game.RunFrames(0.1);
        }
        PDAGame::PDA()->Close();
        game.RunFrames(0.5);
        reading.ReadPictures("the PDA's bar in " + name);
    }
    ExpectShown("pda/pda_layout.txt");
    ExpectShown("pda/pda_minimized_layout.txt");
    ExpectShown("pda/inventory_layout.txt");
    ExpectShown("pda/inventory/icon_layout.txt");
    ExpectShown("pda/map_layout.txt");

    // Every item's description, in every version, as "look" shows it.
    MGMessageBox* box = MGMessageBox::GetInstance();
    for (int i = 0; i < descriptions->GetCount(); ++i) {
        VoPropertyList* versions = descriptions->GetListAt(i);
        for (int v = 0; versions != nullptr && v < versions->GetCount(); ++v) {
            VoVectorString lines;
            versions->GetString(versions->GetKeyAt(v) + u".text", nullptr).Split(VoString(u"|"), &lines);
            box->Show(VoString(MGInventoryItem::kDescriptionBox), lines, MGMessageBox::kOk, nullptr);
            game.RunFrames(0.3);
            reading.Read("the description of " + Narrow(descriptions->GetKeyAt(i)) + ", " +
                         Narrow(versions->GetKeyAt(v)));
            if (i == 0 && v == 0) {
                ExpectShown("menu/messagebox_layout.txt");
            }
            box->OnButtonEvent(VoString(u"ok"), VoIButtonListener::kClick);
        }
    }

    // The five-action menu's tooltips.
    MGMultiCursor* menu = MGMultiCursor::GetInstance();
    menu->Show(VoVector2(400.0f, 200.0f));
    game.RunFrames(0.5);
    reading.ReadPictures("the five-action menu");
    for (int action = 0; action < MGMultiCursor::kButtonCount; ++action) {
        VoToolTip* tooltip = menu->GetToolTip(action);
        ASSERT_NE(tooltip, nullptr);
        ReadToolTip(game, reading, tooltip, tooltip->GetText(), "the five-action menu's tooltip");
    }
    ExpectNoFaults(reading);
}

// The profiling computer of every case with every entry of its profile
// explained, and each suspect's fit with it.
TEST_F(SampleScreens, TheProfilingComputer) {
    Reading reading;
    for (int number = 1; number <= 4; ++number) {
        ProfilerGame game;
        PDAGame::SetNumber(u"sta_selectedcase", static_cast<float>(number));
        std::unique_ptr<VoPropertyList> profile = Load(u"//textures/profiler/profile_data.txt");
        VoPropertyList* parts = profile->GetList(VoString(u"case0") + number);
        for (int p = 0; parts != nullptr && p < parts->GetCount(); ++p) {
            VoPropertyList* entries = parts->GetListAt(p);
            for (int e = 0; entries != nullptr && e < entries->GetCount(); ++e) {
                AddEvent(entries->GetKeyAt(e) + u"_profiler");
            }
        }
        game.Enter();
        const std::string name = "the profiling computer of case " + std::to_string(number);
        // A case without a profile shows its pictures only.
        if (parts != nullptr) {
            reading.Read(name);
        } else {
            reading.ReadPictures(name);
        }
        ExpectShown("profiler/profiler_layout.txt");
        std::unique_ptr<VoPropertyList> match = Load(u"//textures/profiler/profile_match.txt");
        VoPropertyList* suspects = match->GetList(VoString(u"case0") + number);
        for (int i = 0; suspects != nullptr && i < suspects->GetCount(); ++i) {
            game.Drop(suspects->GetKeyAt(i).GetChars());
            ProfilerGame::Analyze();
            game.RunFrames(0.5);
            if (stubs::SoundPlayer* sound = stubs::SoundPlayer::Find("analyze")) {
                sound->End();
            }
            game.RunFrames(0.5);
            reading.Read(name + " with " + Narrow(suspects->GetKeyAt(i)), false);
        }
    }
    ExpectNoFaults(reading);
}

// The front end: the main menu and its quit question, the options, the
// save screen with the longest description its field takes, the load
// screen with six saves so described, their failure messages, and every
// page of the credits.
TEST_F(SampleScreens, TheMenus) {
    Reading reading;
    MenuGame game;
    MGScreenManager* screens = MGScreenManager::GetInstance();
    BlankScreen below;
    screens->PushScreen(&below);
    const auto enter = [&](MGIScreen* apScreen) {
        ASSERT_TRUE(screens->PushFade(apScreen));
        game.RunFrames(1.0);
        ASSERT_EQ(screens->GetTopScreen(), apScreen);
    };
    const auto leave = [&] {
        screens->PopFade(nullptr);
        game.RunFrames(1.0);
    };
    MGMessageBox* box = MGMessageBox::GetInstance();
    const auto message = [&](const char16_t* apText, int aKind, const std::string& aWhat) {
        box->Show(VoString(u"test"), VoString(apText), aKind, nullptr);
        game.RunFrames(0.3);
        reading.Read(aWhat);
        box->OnButtonEvent(VoString(aKind == MGMessageBox::kYesNo ? u"no" : u"ok"),
                           VoIButtonListener::kClick);
    };

    enter(MGMainMenu::GetInstance());
    reading.ReadPictures("the main menu");
    ExpectShown("menu/main_menu_layout.txt");
    leave();
    // The boxes alone: what they cover is not to be read while they are up.
    message(MGMainMenu::kQuitText, MGMessageBox::kYesNo, "the quit question");
    message(MGSaveScreen::kFailureText, MGMessageBox::kOk, "the save failure message");
    message(MGLoadScreen::kFailureText, MGMessageBox::kOk, "the load failure message");
    message(MGSlotList::kDamagedText, MGMessageBox::kOk, "the rebuilt slot list message");
    message(MGSlotList::kNotWrittenText, MGMessageBox::kOk, "the unwritten slot list message");
    enter(MGOptionsScreen::GetInstance());
    reading.ReadPictures("the options");
    ExpectShown("menu/options_screen_layout.txt");
    leave();

    SetString(u"sta_currentscene", u"case01/riverbank");
    SetString(u"sta_currentviewpoint", u"vp_riverbank");
    // Descriptions typed until the field takes no more: words, and runs of
    // the widest letters.
    std::vector<std::string> descriptions;
    for (const std::string& typed :
         {std::string("The boathouse keypad on the riverbank is solved and the flat is open"),
          std::string(80, 'w'), std::string(80, 'm')}) {
        enter(MGSaveScreen::GetInstance());
        MenuGame::TypeText(typed);
        game.RunFrames(0.3);
        descriptions.push_back(Narrow(MGSaveScreen::GetInstance()->GetField()->GetText()));
        reading.Read("the save screen with \"" + descriptions.back() + "\"");
        ExpectShown("menu/save_screen_layout.txt");
        leave();
    }
    std::string list;
    for (int n = 1; n <= 7; ++n) {
        list += "game" + std::to_string(n) + "\r\n\tdescription=" + descriptions[n % descriptions.size()] +
                "\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=thumb_office.tga\r\n";
    }
    game.WriteGame(".filelist", list);
    enter(MGLoadScreen::GetInstance());
    reading.Read("the load screen");
    ExpectShown("menu/load_screen_layout.txt");
    leave();

    MGCreditsScreen* credits = MGCreditsScreen::GetInstance();
    enter(credits);
    game.RunFrames(2.0);
    for (int page = 0; page < credits->GetPageCount(); ++page) {
        for (int other = 0; other < credits->GetPageCount(); ++other) {
            VoIDisplayObject* group = credits->GetRoot()->GetMember(VoString(u"screen_") + other);
            ASSERT_NE(group, nullptr);
            group->SetVisible(other == page);
            group->SetBlend(1.0f);
        }
        reading.Read("the credits' page " + std::to_string(page), false);
    }
    ExpectNoFaults(reading);
}

// The case selection's folders and each case's ledger page: pictures only.
TEST_F(SampleScreens, TheCaseSelection) {
    Reading reading;
    PDAGame game;
    PDAGame::EnterScene();
    MGCaseSelection* selection = MGCaseSelection::GetInstance();
    VoStateManager::GetInstance()->SetState(VoString(MGCaseSelection::kActiveState), VoString(u"boolean"),
                                            VoString(u"true"), true);
    game.RunFrames(1.5);
    ASSERT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), selection);
    reading.ReadPictures("the case selection");
    ExpectShown("caseselection/caseselection_layout.txt");
    for (int number = 1; number <= 4; ++number) {
        selection->ShowLedger(number);
        game.RunFrames(0.5);
        reading.ReadPictures("the ledger of case " + std::to_string(number));
    }
    ExpectNoFaults(reading);
}

// Every close-up of every viewpoint of the sample scenes, opened as its
// hotspot opens it, on the easy skill level and on the default one: over
// its picture the subtitle of each voice-over of the level's queue in turn
// (the only text a close-up shows), then, the queue heard out, the picture
// alone.
TEST_F(SampleScreens, TheCloseUps) {
    Reading reading;
    int opened = 0;
    for (const int skill : {MGCloseUp::kEasy, MGOptions::kDefaultSkillLevel}) {
        SampleGame game;
        MGOptions::GetInstance()->SetSkillLevel(skill);
        std::unique_ptr<VoPropertyList> placards = Load(MGPlacard::kFile);
        double now = 0.0;
        const auto frames = [&](double aSeconds) {
            for (const double end = now + aSeconds; now < end;) {
                now += 0.05;
                game.FrameAt(now);
            }
        };
        for (int i = 0; i < placards->GetCount(); ++i) {
            const VoString id = placards->GetKeyAt(i);
            MGSceneManager* scenes = MGSceneManager::GetInstance();
            std::unique_ptr<VoPropertyList> file =
                Load((VoString(u"//scenes/") + id + u"/scene.txt").GetChars());
            VoPropertyList* viewpoints = file->GetList(VoString(u"viewpoints"));
            bool loaded = false;
            for (int v = 0; viewpoints != nullptr && v < viewpoints->GetCount(); ++v) {
                // A viewpoint's close-ups are the entries of its close-up file.
                const VoString closeUps = viewpoints->GetListAt(v)->GetString(VoString(u"closeups"), nullptr);
                if (closeUps.GetLength() == 0) {
                    continue;
                }
                if (!loaded) {
                    ASSERT_TRUE(scenes->LoadScene(id, true, true)) << Narrow(id);
                    frames(0.1);
                    loaded = true;
                }
                std::unique_ptr<VoPropertyList> entries =
                    Load((VoString(u"//scenes/") + id + u"/" + closeUps).GetChars());
                MGScene* scene = scenes->GetScene();
                ASSERT_TRUE(scene->SetViewpoint(viewpoints->GetKeyAt(v)));
                EXPECT_GT(scene->GetCloseUpCount(), 0)
                    << Narrow(id) << " " << Narrow(viewpoints->GetKeyAt(v));
                for (int c = 0; c < scene->GetCloseUpCount(); ++c) {
                    MGCloseUp* closeUp = scene->GetCloseUp(c);
                    const std::string name = "the close-up " + Narrow(closeUp->GetId()) + " on skill level " +
                                             std::to_string(skill);
                    VoPropertyList* entry = entries->GetList(closeUp->GetId());
                    ASSERT_NE(entry, nullptr) << name;
                    const VoVectorString voiceOvers = VoiceOvers(entry, skill);
                    VoStateManager::GetInstance()->SetState(closeUp->GetTriggerState(), VoString(u"boolean"),
                                                            VoString(u"true"), true);
                    ++opened;
                    for (int line = 0; line < voiceOvers.GetCount(); ++line) {
                        frames(1.0);
                        const VoString voice = voiceOvers.GetAt(line);
                        VoString text;
                        ASSERT_TRUE(MGPuzzleVoice::FindSubtitle(voice, &text)) << Narrow(voice);
                        const ScreenTextReport report = reading.Read(name + " saying " + Narrow(voice));
                        ASSERT_EQ(report.shown.size(), 1u) << name << " saying " << Narrow(voice);
                        EXPECT_EQ(report.shown[0].rfind("root.subtitle.", 0), 0u) << report.shown[0];
                        EXPECT_EQ(Narrow(MGSubtitle::GetInstance()->GetMainText()->GetText()), Narrow(text));
                        EXPECT_TRUE(EndVoice(Narrow(voice).c_str())) << Narrow(voice);
                    }
                    frames(1.0);
                    reading.ReadPictures(name);
                    ExpectShown("back_btn_layout.txt");
                    closeUp->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
                    frames(1.0);
                    MGSubtitle::GetInstance()->HideImmediately();
                }
            }
        }
    }
    EXPECT_GT(opened, 0);
    ExpectNoFaults(reading);
}

// The placard of every scene that has one.
TEST_F(SampleScreens, ThePlacards) {
    Reading reading;
    SampleGame game;
    BlankScreen below;
    MGScreenManager::GetInstance()->PushScreen(&below);
    std::unique_ptr<VoPropertyList> placards = Load(MGPlacard::kFile);
    double now = 0.0;
    for (int i = 0; i < placards->GetCount(); ++i) {
        MGPlacard* placard = MGPlacard::GetInstance();
        ASSERT_TRUE(placard->Show(placards->GetKeyAt(i))) << Narrow(placards->GetKeyAt(i));
        for (int frame = 0; frame < 20; ++frame) {
            now += 0.05;
            game.FrameAt(now);
        }
        reading.Read("the placard of " + Narrow(placards->GetKeyAt(i)));
        // Taken away without its scene.
        MGScreenManager::GetInstance()->RemoveScreen(placard);
        placard->OnLeaveEnd();
    }
    ExpectNoFaults(reading);
}

namespace {

// A puzzle read by ThePuzzles, and whether it shows a text as it opens (the
// others show pictures until the player types).
struct Puzzle {
    const char16_t* activation;
    MGIScreen* (*screen)();
    bool text;
};

template <typename T>
MGIScreen* ScreenOf() {
    return T::GetInstance();
}

template <typename T>
Puzzle PuzzleOf(bool aText) {
    return {T::kActivationState, &ScreenOf<T>, aText};
}

}  // namespace

// Every puzzle's screen as it opens, and with what the player types into
// its fields.
TEST_F(SampleScreens, ThePuzzles) {
    const Puzzle kPuzzles[] = {
        PuzzleOf<MGCigarBandPuzzle>(true),
        PuzzleOf<MGCombinationLockPuzzle>(true),
        PuzzleOf<MGSlideBoxPuzzle>(true),
        PuzzleOf<MGFloorSafePuzzle>(true),
        PuzzleOf<MGPOBoxPuzzle>(false),
        PuzzleOf<MGDravoBoxPuzzle>(true),
        PuzzleOf<MGRoomServicePuzzle>(true),
        PuzzleOf<MGBaseballBatPuzzle>(false),
        PuzzleOf<MGHarpPuzzle>(true),
        PuzzleOf<MGChasePhotoPuzzle>(false),
        PuzzleOf<MGCrossWordPuzzle>(true),
        PuzzleOf<MGHotelWindowPuzzle>(false),
        PuzzleOf<MGMapPuzzle>(false),
        PuzzleOf<MGPaintingPuzzle>(true),
        PuzzleOf<MGPCDesktopPuzzle>(true),
        PuzzleOf<MGReceiptPuzzle>(false),
        PuzzleOf<MGSurveillanceTapePuzzle>(false),
        PuzzleOf<MGVelmirePuzzle>(true),
    };
    Reading reading;
    std::set<std::string> layouts;
    for (const Puzzle& puzzle : kPuzzles) {
        PuzzleGame game;
        puzzle.screen();
        // The room service's scraps fall where the runtime's generator puts
        // them, seeded from the clock when the puzzle is made: the same
        // places on every run.
        std::srand(1);
        game.Open(puzzle.activation);
        if (puzzle.text) {
            reading.Read(Narrow(VoString(puzzle.activation)));
        } else {
            reading.ReadPictures(Narrow(VoString(puzzle.activation)));
        }
        // What the player types: in the crossword the answers' letters in
        // their cells (the text area "text" + row + "_" + column, from 0),
        // elsewhere a capital W, the widest letter, in every box.
        std::vector<VoTextArea*> boxes;
        EmptyTexts(VoDisplayManager::GetInstance()->GetRootGroup(), &boxes);
        std::map<std::string, std::string> letters;
        if (VoString(puzzle.activation) == VoString(MGCrossWordPuzzle::kActivationState)) {
            std::unique_ptr<VoPropertyList> words = Load(MGCrossWordPuzzle::kWordFile);
            VoPropertyList* across = words->GetList(VoString(u"across"));
            for (int w = 0; across != nullptr && w < across->GetCount(); ++w) {
                VoPropertyList* word = across->GetListAt(w);
                const std::string answer = Narrow(word->GetString(VoString(u"answer"), nullptr));
                const int row = word->GetInt(VoString(u"row"), nullptr) - 1;
                const int column = word->GetInt(VoString(u"column"), nullptr) - 1;
                for (std::size_t c = 0; c < answer.size(); ++c) {
                    letters["text" + std::to_string(row) + "_" +
                            std::to_string(column + static_cast<int>(c))] = answer.substr(c, 1);
                }
            }
            boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                                       [&letters](VoTextArea* apBox) {
                                           return letters.count(Narrow(apBox->GetId())) == 0;
                                       }),
                        boxes.end());
            EXPECT_FALSE(boxes.empty());
        }
        for (VoTextArea* box : boxes) {
            const auto letter = letters.find(Narrow(box->GetId()));
            box->SetText(VoString(letter != letters.end() ? letter->second.c_str() : "W"));
        }
        if (!boxes.empty()) {
            reading.Read(Narrow(VoString(puzzle.activation)) + " filled in");
        }
        for (VoTextArea* box : boxes) {
            box->SetText(VoString(u""));
        }
        for (const char* layout :
             {"puzzles/baseball_bat/bat_puzzle_layout.txt", "puzzles/chasephotopuzzle/JCPuzzle_layout.txt",
              "puzzles/cigar_bands/puzzle_cigarband_layout.txt", "puzzles/crossword/crossword_layout.txt",
              "puzzles/dravobox/dravo_layout.txt", "puzzles/floorsafe/floorsafe_puzzle_layout.txt",
              "puzzles/keypad/keypad_layout.txt", "puzzles/painting/puzzle_painting_layout.txt",
              "puzzles/pobox/POBox_layout.txt", "puzzles/receipt/receipt_layout.txt",
              "puzzles/roomservice_receipt/receipt_layout.txt",
              "puzzles/sliderbox/lockbox_puzzle_layout.txt"}) {
            VoPropertyList list;
            ASSERT_TRUE(list.Load(VoString(u"//textures/") + layout, true));
            std::set<std::string> textures;
            TexturesOf(&list, &textures);
            for (const std::string& texture : textures) {
                if (VoTextureManager::GetInstance()->GetHandle(VoString(texture.c_str())) != 0) {
                    layouts.insert(layout);
                }
            }
        }
    }
    EXPECT_EQ(layouts.size(), 12u) << "every puzzle layout shown";
    ExpectNoFaults(reading);
}

// The engine's sample panel, built as a screen would build it: pictures only.
TEST_F(SampleScreens, TheEnginesSamplePanel) {
    SampleGame game;
    VoPropertyList layout;
    ASSERT_TRUE(layout.Load(VoString(u"//textures/sample/sample_layout.txt"), true));
    VoDisplayGroup* panel = VoLayoutBuilder::BuildGroup(layout.GetList(VoString(u"sample")), true);
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(VoDisplayManager::GetInstance()->AddMember(panel));
    ExpectShown("sample/sample_layout.txt");
    Reading reading;
    reading.ReadPictures("the engine's sample panel");
    ExpectNoFaults(reading);
}

// The save screen has a picture for every place: every viewpoint of every
// scene of the tree has its thumbnail, which loads.
TEST_F(SampleScreens, EveryViewpointHasAThumbnail) {
    SampleGame game;
    int viewpoints = 0;
    const fs::path root = fs::path(VO_SOURCE_DIR) / "data" / "scenes";
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().filename() != "scene.txt") {
            continue;
        }
        const std::string id = fs::relative(entry.path().parent_path(), root).generic_string();
        std::unique_ptr<VoPropertyList> scene =
            Load((VoString(u"//scenes/") + id.c_str() + u"/scene.txt").GetChars());
        VoPropertyList* list = scene->GetList(VoString(u"viewpoints"));
        ASSERT_NE(list, nullptr) << id;
        for (int v = 0; v < list->GetCount(); ++v, ++viewpoints) {
            SetString(u"sta_currentscene", VoString(id.c_str()).GetChars());
            SetString(u"sta_currentviewpoint", list->GetKeyAt(v).GetChars());
            const VoString name = MGSaveScreen::LookUpThumbnail();
            EXPECT_NE(Narrow(name), "none") << id << " " << Narrow(list->GetKeyAt(v));
            VoImage* image = nullptr;
            EXPECT_TRUE(VoImage::CreateFromFile(VoString(MGSaveScreen::kThumbnailRoot) + name, &image))
                << id << " " << Narrow(list->GetKeyAt(v)) << ": " << Narrow(name);
            delete image;
        }
    }
    EXPECT_GT(viewpoints, 10);
}

// A case's ledger page: the entry stays on the left page and the closing
// note on the right, so nothing crosses the gutter between them (the
// columns 398 to 401, one colour from the top of the pages to their foot).
TEST_F(SampleScreens, NoLedgerLineCrossesTheGutter) {
    SampleGame game;
    for (int number = 1; number <= 4; ++number) {
        VoImage* image = nullptr;
        ASSERT_TRUE(VoImage::CreateFromFile(
            VoString(u"//textures/caseselection/cs_ledger") + number + u".tga", &image));
        const VoColor gutter = image->GetPixel(398, 48);
        int crossed = 0;
        for (int y = 48; y < 552; ++y) {
            for (int x = 398; x < 402; ++x) {
                const VoColor pixel = image->GetPixel(x, y);
                crossed += pixel.fR != gutter.fR || pixel.fG != gutter.fG || pixel.fB != gutter.fB ? 1 : 0;
            }
        }
        EXPECT_EQ(crossed, 0) << "cs_ledger" << number << ".tga";
        delete image;
    }
}

// Every layout of the tree is shown by one of the screens above.
TEST_F(SampleScreens, EveryLayoutIsShownBySomeScreen) {
    const std::set<std::string> kShown = {
        "back_btn_layout.txt",  // the case selection's, the close-ups' and the puzzles' back button
        "caseselection/caseselection_layout.txt",
        "expertcomputer/interface_layout.txt",
        "interview/expert_interview_layout.txt",
        "interview/interview_layout.txt",
        "menu/load_screen_layout.txt",
        "menu/main_menu_layout.txt",
        "menu/messagebox_layout.txt",
        "menu/options_screen_layout.txt",
        "menu/save_screen_layout.txt",
        "pda/inventory/icon_layout.txt",
        "pda/inventory_layout.txt",
        "pda/map_layout.txt",
        "pda/pda_layout.txt",
        "pda/pda_minimized_layout.txt",
        "pda/phone_layout.txt",
        "profiler/profiler_layout.txt",
        "puzzles/baseball_bat/bat_puzzle_layout.txt",
        "puzzles/chasephotopuzzle/JCPuzzle_layout.txt",
        "puzzles/cigar_bands/puzzle_cigarband_layout.txt",
        "puzzles/crossword/crossword_layout.txt",
        "puzzles/dravobox/dravo_layout.txt",
        "puzzles/floorsafe/floorsafe_puzzle_layout.txt",
        "puzzles/keypad/keypad_layout.txt",
        "puzzles/painting/puzzle_painting_layout.txt",
        "puzzles/pobox/POBox_layout.txt",
        "puzzles/receipt/receipt_layout.txt",
        "puzzles/roomservice_receipt/receipt_layout.txt",
        "puzzles/sliderbox/lockbox_puzzle_layout.txt",
        "sample/sample_layout.txt",
    };
    const fs::path root = fs::path(VO_SOURCE_DIR) / "data" / "textures";
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 11 && name.compare(name.size() - 11, 11, "_layout.txt") == 0) {
            found.insert(fs::relative(entry.path(), root).generic_string());
        }
    }
    EXPECT_EQ(found, kShown);
}
