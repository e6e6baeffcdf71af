// The sample case played through the game's own input on a real (headless)
// window, on the test's clock: the space bar skips the maker's logo and the
// case's opening movie, the lobby comes up behind its placard, the
// detective walks across it and goes to the desk, opens the key rack's
// close-up, takes room twelve's key there and leaves it by the back button,
// goes through the office door and back into the lobby. Each step waits for
// what a player would wait for, and checks the states, the events and a few
// points of the picture.
//
// A second session plays the sample case from the first screen to the end
// of case 1, through a saved game (see its comment below).
//
// The sounds are stubs that end when the test says so (as the library
// would); everything else is the game's own, the movies included.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "MGMain.h"
#include "MGScreenManager.h"
#include "event/VoEventManager.h"
#include "game/support/MediaStubs.h"
#include "game/support/PuzzleGame.h"
#include "game/support/WindowedGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoImage.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "interview/MGSubtitle.h"
#include "interview/MGExpertComputer.h"
#include "interview/MGExpertInterview.h"
#include "interview/MGExpertTopicArea.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "menu/MGCaseSelection.h"
#include "menu/MGGameFile.h"
#include "menu/MGIntro.h"
#include "menu/MGLoadScreen.h"
#include "menu/MGMainMenu.h"
#include "menu/MGMenuButton.h"
#include "menu/MGSaveScreen.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGIPDAPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/combination/MGKeypadButton.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGHotspot.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"

namespace {

constexpr double kFrameTime = 0.04;
// The space bar's scan code: it skips the logo and cut-scenes.
constexpr int kSpace = 57;

// The game with stub sounds: the platform, the drawing, the movies and
// the rest are the engine's own.
class QuietGame : public WindowedGame {
public:
    QuietGame() : WindowedGame(&RegisterAll) {
        stubs::Missing().clear();
        stubs::SoundsAsked().clear();
    }

private:
    static void RegisterAll() {
        VoIObjectCreator* sounds =
            new FunctionCreator(VoString(u"soundmanager"), [] { return VO_NEW stubs::SoundManager(); });
        if (!VoRegistry::Get()->AddCreator(sounds)) {
            delete sounds;
        }
        Register();
    }
};

struct Rgb {
    int r, g, b;
};

std::string Text(const Rgb& aColour) {
    return "(" + std::to_string(aColour.r) + ", " + std::to_string(aColour.g) + ", " +
           std::to_string(aColour.b) + ")";
}

bool Near(const Rgb& aA, const Rgb& aB, int aTolerance) {
    return std::abs(aA.r - aB.r) <= aTolerance && std::abs(aA.g - aB.g) <= aTolerance &&
           std::abs(aA.b - aB.b) <= aTolerance;
}

// A pixel of a picture of the sample tree (an engine path).
Rgb PictureAt(const char16_t* apPath, int aX, int aY) {
    VoImage* image = nullptr;
    if (!VoImage::CreateFromFile(VoString(apPath), &image)) {
        return {-1, -1, -1};
    }
    const VoColor colour = image->GetPixel(aX, aY);
    delete image;
    return {static_cast<int>(colour.fR * 255.0f + 0.5f), static_cast<int>(colour.fG * 255.0f + 0.5f),
            static_cast<int>(colour.fB * 255.0f + 0.5f)};
}

MGScene* Scene() {
    return MGSceneManager::GetInstance()->GetScene();
}

MGScreenManager* Screens() {
    return MGScreenManager::GetInstance();
}

bool HasEvent(const char* apId) {
    return VoEventManager::GetInstance()->HasEvent(VoString(apId));
}

// A state's value as text: "true" or "false", a string's own text; "(none)"
// for a missing state.
std::string StateText(const char* apId) {
    VoIState* state = VoStateManager::GetInstance()->GetState(VoString(apId));
    if (state == nullptr || state->GetValue() == nullptr) {
        return "(none)";
    }
    switch (state->GetType()) {
        case VoIState::kBoolean:
            return state->GetBoolean() ? "true" : "false";
        case VoIState::kString:
            return Narrow(*static_cast<const VoString*>(state->GetValue()));
        default:
            return std::to_string(state->GetNumber());
    }
}

// The scene's hotspot of that id, or null.
MGHotspot* SceneHotspot(const char* apId) {
    MGScene* scene = Scene();
    for (int i = 0; scene != nullptr && i < scene->GetHotspotCount(); ++i) {
        if (Narrow(scene->GetHotspot(i)->GetId()) == apId) {
            return scene->GetHotspot(i);
        }
    }
    return nullptr;
}

// The middle of a hotspot's boundary on the screen; (-1, -1) without one.
VoVector2 Middle(MGHotspot* apHotspot) {
    if (apHotspot == nullptr || apHotspot->GetBoundary() == nullptr) {
        return VoVector2(-1.0f, -1.0f);
    }
    const VoRectangle box(*apHotspot->GetBoundary());
    return VoVector2(box.x + box.width / 2.0f + apHotspot->GetBoundaryPosition().x,
                     box.y + box.height / 2.0f + apHotspot->GetBoundaryPosition().y);
}

// The scene shows itself and hears the player: entered, on top, no fade.
bool SceneIsIdle(const char* apViewpoint) {
    MGScene* scene = Scene();
    return scene != nullptr && scene->IsEntered() && scene->IsInputEnabled() && !Screens()->IsBusy() &&
           Screens()->GetTopScreen() == static_cast<MGIScreen*>(scene) &&
           Narrow(scene->GetViewpointId()) == apViewpoint && !scene->IsFadingIn();
}

// The player's ground point (x, world z).
VoVector2 PlayerAt() {
    MGCharacter* player = Scene() != nullptr ? Scene()->GetPlayer() : nullptr;
    return player != nullptr ? VoVector2(player->GetPosition()->x, player->GetPosition()->z)
                             : VoVector2(0, 0);
}

// One step of the play: what the player does, then what to wait for.
struct Step {
    std::string what;
    std::function<void()> act;
    std::function<bool()> done;
    double limit = 20.0;  // seconds of game time
};

class Playthrough : public GameDriver {
public:
    std::vector<Step> fSteps;
    std::vector<std::string> fReached;
    std::string fStuck;
    // What the step's act left to do once the game lets it (a menu's
    // action once the menu is up): tried after each frame until it says it
    // is done.
    std::function<bool()> fThen;
    // Stub sounds ended as soon as they play, as a player who waits for
    // each line would hear them end (stream names).
    std::vector<std::string> fAutoEnd;

    // Input as the platform hands it to the application.
    void MoveTo(float aX, float aY) {
        VoVector2 at(aX, aY);
        App()->OnMouseMove(VoString(MGApp::kMouseDevice), &at);
    }
    void Click(const VoVector2& aAt) {
        MoveTo(aAt.x, aAt.y);
        ClickHere();
    }
    // A click where the pointer rests, with no move before it.
    void ClickHere() {
        App()->OnMouseDown(VoString(MGApp::kMouseDevice), 1);
        App()->OnMouseUp(VoString(MGApp::kMouseDevice), 1);
    }
    void ClickObject(VoIDisplayObject* apObject) {
        float x = -1.0f;
        float y = -1.0f;
        PuzzleGame::CentreOf(apObject, &x, &y);
        EXPECT_GE(x, 0.0f);
        Click(VoVector2(x, y));
    }
    // The first button pressed at the point and held, until Release.
    void Press(const VoVector2& aAt) {
        MoveTo(aAt.x, aAt.y);
        App()->OnMouseDown(VoString(MGApp::kMouseDevice), 1);
        fHeld = true;
    }
    void Release() {
        App()->OnMouseUp(VoString(MGApp::kMouseDevice), 1);
        fHeld = false;
    }
    bool IsHeld() const { return fHeld; }
    void PressKey(int aKey) {
        App()->OnKeyDown(aKey);
        App()->OnKeyUp(aKey);
    }
    double Now() const { return fNow; }
    // Ends a stub sound once, as the library would: the first End only (a
    // player that has ended is marked by a negative play count, which its
    // next Play brings back to 0).
    static bool EndOnce(const std::string& aName) {
        stubs::SoundPlayer* sound = stubs::SoundPlayer::Find(aName);
        if (sound == nullptr || sound->fPlays < 0) {
            return false;
        }
        sound->fPlays = -1;
        sound->End();
        return true;
    }
    // A hotspot, then one action of the five-action menu it opens.
    void ClickHotspot(const char* apId) {
        MGHotspot* hotspot = SceneHotspot(apId);
        EXPECT_NE(hotspot, nullptr) << apId;
        Click(Middle(hotspot));
    }
    void ChooseAction(int aAction) { ClickObject(MGMultiCursor::GetInstance()->GetButton(aAction)); }
    // The action chosen once the five-action menu is up.
    void ChooseWhenShown(int aAction) {
        fThen = [this, aAction] {
            if (!MGMultiCursor::GetInstance()->IsShown()) {
                return false;
            }
            ChooseAction(aAction);
            return true;
        };
    }

    static std::vector<unsigned char> Pixels(int aX, int aY, int aWidth, int aHeight) {
        return ReadPixels(aX, aY, aWidth, aHeight);
    }
    // The picture's pixel after the last frame.
    static Rgb Pixel(int aX, int aY) {
        const std::vector<unsigned char> bgra = ReadPixels(aX, aY, 1, 1);
        return bgra.empty() ? Rgb{-1, -1, -1} : Rgb{bgra[2], bgra[1], bgra[0]};
    }
    // Whether the picture shows the source picture at these points.
    static bool Shows(const char16_t* apPath, std::initializer_list<std::pair<int, int>> aPoints) {
        for (const auto& point : aPoints) {
            if (!Near(Pixel(point.first, point.second), PictureAt(apPath, point.first, point.second), 3)) {
                return false;
            }
        }
        return true;
    }
    // The same as expectations, each point reported.
    static void ExpectPicture(const char16_t* apPath, std::initializer_list<std::pair<int, int>> aPoints) {
        for (const auto& point : aPoints) {
            const Rgb seen = Pixel(point.first, point.second);
            const Rgb painted = PictureAt(apPath, point.first, point.second);
            EXPECT_TRUE(Near(seen, painted, 3))
                << Narrow(VoString(apPath)) << " at " << point.first << ", " << point.second << ": "
                << Text(seen) << ", painted " << Text(painted);
        }
    }
    // How many pixels of the rectangle are not black.
    static int CountLit(int aX, int aY, int aWidth, int aHeight) {
        const std::vector<unsigned char> bgra = ReadPixels(aX, aY, aWidth, aHeight);
        int lit = 0;
        for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
            lit += bgra[i] > 8 || bgra[i + 1] > 8 || bgra[i + 2] > 8 ? 1 : 0;
        }
        return lit;
    }
    // How many pixels of the rectangle differ from the source picture.
    static int DifferentPixels(const char16_t* apPath, int aX, int aY, int aWidth, int aHeight) {
        const std::vector<unsigned char> bgra = ReadPixels(aX, aY, aWidth, aHeight);
        VoImage* image = nullptr;
        if (bgra.empty() || !VoImage::CreateFromFile(VoString(apPath), &image)) {
            return -1;
        }
        int different = 0;
        for (int y = 0; y < aHeight; ++y) {
            for (int x = 0; x < aWidth; ++x) {
                const std::size_t at = (static_cast<std::size_t>(y) * aWidth + x) * 4;
                const VoColor painted = image->GetPixel(aX + x, aY + y);
                const Rgb seen{bgra[at + 2], bgra[at + 1], bgra[at]};
                const Rgb expected{static_cast<int>(painted.fR * 255.0f + 0.5f),
                                   static_cast<int>(painted.fG * 255.0f + 0.5f),
                                   static_cast<int>(painted.fB * 255.0f + 0.5f)};
                different += Near(seen, expected, 8) ? 0 : 1;
            }
        }
        delete image;
        return different;
    }

protected:
    void BeforeFrame(int) override {
        fNow += kFrameTime;
        SetTime(fNow);
        if (fIndex < fSteps.size() && !fStarted) {
            fStarted = true;
            fStart = fNow;
            if (fSteps[fIndex].act) {
                fSteps[fIndex].act();
            }
        }
    }
    bool AfterFrame(int) override {
        if (fIndex >= fSteps.size()) {
            return false;
        }
        for (const std::string& name : fAutoEnd) {
            EndOnce(name);
        }
        Step& step = fSteps[fIndex];
        if (fThen && fThen()) {
            fThen = nullptr;
        }
        if (!fThen && step.done()) {
            fReached.push_back(step.what);
            ++fIndex;
            fStarted = false;
            return fIndex < fSteps.size();
        }
        if (fNow - fStart > step.limit) {
            fStuck = step.what;
            return false;
        }
        return true;
    }

private:
    double fNow = 0.0;
    double fStart = 0.0;
    bool fHeld = false;
    std::size_t fIndex = 0;
    bool fStarted = false;
};

// A step that only waits a moment.
Step Pause(double aSeconds) {
    auto since = std::make_shared<int>(0);
    const int frames = static_cast<int>(aSeconds / kFrameTime);
    return {"pause", nullptr, [since, frames] { return ++*since >= frames; }, aSeconds + 1.0};
}

const char16_t* const kEntrance = u"//scenes/case01/lobby/vp_entrance.tga";
const char16_t* const kDesk = u"//scenes/case01/lobby/vp_desk.tga";
const char16_t* const kOffice = u"//scenes/case01/office/vp_office.tga";
const char16_t* const kKeyRack = u"//scenes/case01/lobby/keyrack_closeup.tga";
const char16_t* const kSquadRoom = u"//scenes/precinct/vp_squadroom.tga";
// The top-left corner, where a display object shown before it is placed
// (an empty tooltip, say) would stand: its edge and its inside.
const std::initializer_list<std::pair<int, int>> kTopLeftCorner = {{0, 0}, {1, 1}, {2, 9}, {3, 17}};

}  // namespace

TEST(Playthrough, TheSampleCasePlaysThrough) {
    QuietGame game;
    Playthrough* play = new Playthrough();
    Playthrough& p = *play;
    auto closeUp = [] { return Scene() != nullptr ? Scene()->GetOpenCloseUp() : nullptr; };
    auto walkStart = std::make_shared<VoVector2>();
    auto still = std::make_shared<int>(0);
    auto last = std::make_shared<VoVector2>();
    auto movie = std::make_shared<std::vector<unsigned char>>();

    p.fSteps = {
        {"the maker's logo plays as the game starts", nullptr,
         [&p] {
             MGIntro* intro = MGIntro::GetInstance();
             return Screens()->GetTopScreen() == static_cast<MGIScreen*>(intro) &&
                    intro->GetMovie() != nullptr && p.Now() > 0.8;
         }},
        {"the space bar skips it to the main menu", [&p] { p.PressKey(kSpace); },
         [] {
             return Screens()->GetTopScreen() == static_cast<MGIScreen*>(MGMainMenu::GetInstance()) &&
                    !Screens()->IsBusy();
         }},
        {"the main menu comes into view", nullptr, [&p] { return p.CountLit(0, 0, 800, 600) > 100000; }, 2.0},
        {"case 1 begins, as the case selection starts it: its opening movie plays",
         [] {
             VoStateManager::GetInstance()->SetState(VoString(u"sta_selectedcase"), VoString(u"number"),
                                                     VoString(u"1"), true);
             VoEventManager::GetInstance()->AddEvent(VoString(u"evt_case01_started"), true);
         },
         [&p] {
             MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
             if (Screens()->GetTopScreen() != static_cast<MGIScreen*>(player) ||
                 player->GetMovie() == nullptr || Screens()->IsBusy()) {
                 return false;
             }
             // The movie fills the middle of the picture.
             EXPECT_GT(p.CountLit(300, 250, 200, 100), 1000);
             return true;
         }},
        Pause(0.6),
        {"the space bar skips it, and the lobby's placard comes up on the first visit",
         [&p] { p.PressKey(kSpace); },
         [] {
             if (stubs::SoundPlayer::Find("chingching") == nullptr || Screens()->IsBusy()) {
                 return false;
             }
             EXPECT_TRUE(HasEvent("evt_case01_intro_played"));
             return true;
         }},
        {"the lobby comes in once the chime has rung", [] { stubs::SoundPlayer::Find("chingching")->End(); },
         [&p] {
             if (!SceneIsIdle("vp_entrance")) {
                 return false;
             }
             EXPECT_EQ(StateText("sta_currentscene"), "case01/lobby");
             EXPECT_TRUE(HasEvent("evt_lobby_visited"));
             p.ExpectPicture(kEntrance, {{400, 10}, {760, 150}, {150, 120}});
             return true;
         }},
        {"a click on the floor walks the detective there",
         [&p, walkStart] {
             *walkStart = PlayerAt();
             p.Click(VoVector2(560.0f, 470.0f));
         },
         [walkStart, still, last] {
             const VoVector2 at = PlayerAt();
             *still = (at - *last).Length() < 0.01f ? *still + 1 : 0;
             *last = at;
             return (at - *walkStart).Length() > 30.0f && *still >= 5;
         }},
        {"the desk: the way there changes the viewpoint", [&p] { p.ClickHotspot("to_desk"); },
         [] {
             if (!SceneIsIdle("vp_desk")) {
                 return false;
             }
             EXPECT_EQ(StateText("sta_currentviewpoint"), "vp_desk");
             EXPECT_EQ(Scene()->GetCloseUpCount(), 1);
             return true;
         }},
        Pause(0.5),
        {"a click on the key rack opens the five-action menu",
         [&p] {
             p.ExpectPicture(kDesk, {{400, 10}, {700, 60}});
             // The clerk's interview waits here, made but not started.
             p.ExpectPicture(kDesk, kTopLeftCorner);
             p.ClickHotspot("keyrack");
         },
         [] { return MGMultiCursor::GetInstance()->IsShown(); }},
        {"looking at it opens its close-up behind a fade",
         [&p] { p.ChooseAction(MGIMultiCursorListener::kLook); },
         [&p, closeUp] {
             MGCloseUp* open = closeUp();
             if (open == nullptr || Screens()->IsBusy() || Screens()->GetTopScreen() != open) {
                 return false;
             }
             EXPECT_EQ(StateText("sta_cu_1kr01_visible"), "true");
             EXPECT_TRUE(HasEvent("evt_1kr01_opened"));
             EXPECT_NE(stubs::SoundPlayer::Find("1kr01_rg"), nullptr);
             EXPECT_TRUE(MGSubtitle::GetInstance()->IsShown());
             EXPECT_FALSE(Scene()->IsInputEnabled());
             // The board, a brass plate, room twelve's key in its pigeonhole.
             p.ExpectPicture(kKeyRack, {{90, 300}, {140, 155}, {400, 40}});
             const Rgb key = Playthrough::Pixel(623, 262);
             EXPECT_TRUE(Near(key, {196, 160, 70}, 6)) << Text(key);
             return true;
         }},
        {"the movie in the close-up plays: its picture changes", nullptr,
         [&p, movie] {
             if (p.DifferentPixels(kKeyRack, 614, 27, 100, 26) < 200) {
                 return false;
             }
             const std::vector<unsigned char> now = Playthrough::Pixels(614, 27, 100, 26);
             if (movie->empty()) {
                 *movie = now;
             }
             if (now != *movie) {
                 return true;
             }
             // Movies keep the wall clock's time, not the test's: each frame
             // that sees no change lets some of it pass, so the step's frames
             // outlast the sign's longest steady stretch (1.2 s) on any machine.
             std::this_thread::sleep_for(std::chrono::milliseconds(5));
             return false;
         },
         60.0},
        {"the voice-over ends and says so", [] { stubs::SoundPlayer::Find("1kr01_rg")->End(); },
         [] {
             EXPECT_TRUE(HasEvent("evt_1kr01_rg_sounddone"));
             EXPECT_FALSE(MGSubtitle::GetInstance()->IsShown());
             return true;
         }},
        {"a click on the key opens its menu", [&p] { p.Click(VoVector2(650.0f, 262.0f)); },
         [] { return MGMultiCursor::GetInstance()->IsShown(); }},
        {"collecting it takes it into the inventory",
         [&p] { p.ChooseAction(MGIMultiCursorListener::kCollect); },
         [closeUp] {
             if (!HasEvent("evt_1kr01_key_taken")) {
                 return false;
             }
             MGInventoryPanel* inventory = MGPDA::GetInstance()->GetInventoryPanel();
             EXPECT_TRUE(inventory != nullptr && inventory->HasItem(VoString(u"brasskey")));
             MGHotspot* key = closeUp() != nullptr ? closeUp()->GetHotspot(0) : nullptr;
             EXPECT_TRUE(key != nullptr && !key->IsListening());
             return true;
         }},
        {"the key has gone from the pigeonhole", nullptr,
         [] {
             const Rgb hole = Playthrough::Pixel(623, 262);
             return Near(hole, PictureAt(kKeyRack, 623, 262), 3);
         },
         1.0},
        {"the back button returns to the desk", [&p] { p.Click(VoVector2(70.0f, 566.0f)); },
         [&p] {
             if (!SceneIsIdle("vp_desk")) {
                 return false;
             }
             EXPECT_EQ(StateText("sta_cu_1kr01_visible"), "false");
             EXPECT_EQ(Scene()->GetOpenCloseUp(), nullptr);
             p.ExpectPicture(kDesk, {{400, 10}, {700, 60}});
             return true;
         }},
        Pause(0.5),
        {"back to the entrance", [&p] { p.ClickHotspot("to_entrance"); },
         [] { return SceneIsIdle("vp_entrance"); }},
        Pause(0.5),
        {"through the office door to the manager's office", [&p] { p.ClickHotspot("office_door"); },
         [] {
             MGScene* scene = Scene();
             if (scene == nullptr || Narrow(scene->GetSceneId()) != "case01/office" ||
                 !SceneIsIdle("vp_office")) {
                 return false;
             }
             EXPECT_EQ(StateText("sta_currentscene"), "case01/office");
             EXPECT_TRUE(HasEvent("evt_office_visited"));
             return true;
         },
         40.0},
        {"the office comes into view", nullptr,
         [&p] {
             return p.Shows(kOffice, {{400, 10}, {780, 100}});
         },
         2.0},
        Pause(0.5),
        {"and back into the lobby, where the key rack is as it was left",
         [&p] { p.ClickHotspot("lobby_door"); },
         [] {
             MGScene* scene = Scene();
             if (scene == nullptr || Narrow(scene->GetSceneId()) != "case01/lobby" ||
                 !SceneIsIdle("vp_entrance")) {
                 return false;
             }
             EXPECT_EQ(StateText("sta_currentscene"), "case01/lobby");
             EXPECT_EQ(StateText("sta_cu_1kr01_visible"), "false");
             EXPECT_TRUE(HasEvent("evt_1kr01_key_taken"));
             return true;
         },
         40.0},
        {"the lobby comes into view", nullptr,
         [&p] {
             return p.Shows(kEntrance, {{400, 10}, {760, 150}});
         },
         2.0},
    };
    ASSERT_TRUE(game.Run(play));
    EXPECT_EQ(play->fStuck, "") << "the last step reached: "
                                << (play->fReached.empty() ? "none" : play->fReached.back());
    EXPECT_EQ(play->fReached.size(), play->fSteps.size());
}

namespace {

// The sample tree seen through links, all but its "game" folder, which is
// a scratch folder of the test's own: the saves and the options go there,
// not among the player's.
class ScratchGameFolder {
public:
    ScratchGameFolder() {
        const std::filesystem::path data = std::filesystem::path(VO_SOURCE_DIR) / "data";
        const std::filesystem::path linked = fFolder.Path("data");
        std::filesystem::create_directories(linked / "game");
        for (const auto& entry : std::filesystem::directory_iterator(data)) {
            if (entry.path().filename() != "game") {
                std::filesystem::create_symlink(entry.path(), linked / entry.path().filename());
            }
        }
        EXPECT_TRUE(MGMain::MountDataTree(PlatformTestFolder::Wide(fFolder.Files())));
    }
    std::string Read(const std::string& aName) const { return fFolder.Read("data/game/" + aName); }

private:
    PlatformTestFolder fFolder;
};

// The first display object of that id under the group, depth first; null
// when none.
template <typename T = VoIDisplayObject>
T* FindIn(VoDisplayGroup* apGroup, const char* apId) {
    for (int i = 0; apGroup != nullptr && i < apGroup->GetMemberCount(); ++i) {
        VoIDisplayObject* member = apGroup->GetMemberAt(i);
        if (auto* found = dynamic_cast<T*>(member); found != nullptr && Narrow(member->GetId()) == apId) {
            return found;
        }
        if (T* found = FindIn<T>(dynamic_cast<VoDisplayGroup*>(member), apId)) {
            return found;
        }
    }
    return nullptr;
}

VoDisplayGroup* DisplayRoot() {
    return VoDisplayManager::GetInstance()->GetRootGroup();
}

// The middle of a menu button's active area; (-1, -1) without the button.
VoVector2 MenuButtonAt(const char* apId) {
    MGMenuButton* button = FindIn<MGMenuButton>(DisplayRoot(), apId);
    const VoPolygon* area = button != nullptr ? button->GetActiveArea() : nullptr;
    if (area == nullptr || area->GetNumPoints() == 0) {
        return VoVector2(-1.0f, -1.0f);
    }
    const VoRectangle box(*area);
    return VoVector2(box.x + box.width / 2.0f, box.y + box.height / 2.0f);
}

bool IsTop(MGIScreen* apScreen) {
    return Screens()->GetTopScreen() == apScreen && !Screens()->IsBusy();
}

float NumberState(const char* apId) {
    VoIState* state = VoStateManager::GetInstance()->GetState(VoString(apId));
    return state != nullptr ? state->GetNumber(-1.0f) : -1.0f;
}

bool HasItem(const char16_t* apId) {
    MGInventoryPanel* inventory = MGPDA::GetInstance()->GetInventoryPanel();
    return inventory != nullptr && inventory->HasItem(VoString(apId));
}

// The scene of that id, at the viewpoint, shows itself and hears the player,
// nobody holding the mouse.
bool Arrived(const char* apScene, const char* apViewpoint) {
    MGScene* scene = Scene();
    return scene != nullptr && Narrow(scene->GetSceneId()) == apScene && SceneIsIdle(apViewpoint) &&
           !VoMouse::GetInstance()->IsLocked();
}

// The cut-scene player shows a movie on its way to the scene, on top.
bool MoviePlays(const char* apTargetScene) {
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    return IsTop(player) && player->GetMovie() != nullptr && Narrow(player->GetTargetScene()) == apTargetScene;
}

// The keys of the letters of a save's description.
void TypeWord(Playthrough& aPlay, const std::string& aWord) {
    static const std::string kLetters = "qwertyuiop....asdfghjkl.....zxcvbnm";
    for (char c : aWord) {
        aPlay.PressKey(16 + static_cast<int>(kLetters.find(c)));
    }
}

// The game as a save would hold it now: the saved file's bytes.
std::string GameNow(const ScratchGameFolder& aFolder) {
    if (!MGGameFile::Save(VoString(u"//dataroot/game/now.dat"))) {
        return "";
    }
    return aFolder.Read("now.dat");
}

std::string Utf16(const std::string& aText) {
    std::string wide;
    for (char c : aText) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

// A saved game without the state manager's record: a state keeps the time it
// was last set, which a load may set again to the same value. The states are
// compared by StateLines, as the state manager lists them (their values).
std::string WithoutStates(const std::string& aGame) {
    const std::size_t states = aGame.find(Utf16("statemanager"));
    const std::size_t clock = aGame.find(Utf16("gameclock"));
    if (states == std::string::npos || clock == std::string::npos || clock < states) {
        return aGame;
    }
    return aGame.substr(0, states) + aGame.substr(clock);
}

std::vector<std::string> StateLines() {
    LogCapture log;
    VoStateManager::GetInstance()->DumpStates();
    return log.Lines();
}

const char16_t* const kLedger1 = u"//textures/caseselection/cs_ledger1.tga";
const char16_t* const kRiverbank = u"//scenes/case01/riverbank/vp_riverbank.tga";

}  // namespace

// The case from the first screen, as a player plays it: the logo skipped,
// a new game from the main menu; after its opening card the case selection
// opens over the squad room, and case 1 begins at the riverbank. There the
// cuff link, clicked where the pointer came to rest as the placard faded,
// is collected and analysed; the PDA's map leads to the squad
// room, and once the trip has run the game clock on, the phone's light
// blinks and the voice mail is heard; the crime lab's expert shows the
// link's card and gives its result; the case files on the desk open the
// case selection, whose back button returns to the case; the phone's
// directory calls the hotel's manager, who answers over the phone. Back at the
// riverbank the boathouse's keypad is solved and its door leads into the
// secret apartment. The game is saved from the main menu, a new game started
// and the save loaded back as it was. The clerk's interview closes the
// case; its closing card leads to the squad room, where the case selection
// shows the case's ledger page for ten seconds, then the folders.
TEST(Playthrough, FromTheFirstScreenThroughASavedGameToTheClosedCase) {
    QuietGame game;
    ScratchGameFolder folder;
    Playthrough* play = new Playthrough();
    Playthrough& p = *play;
    p.fAutoEnd = {"chingching", "sequenceSound", "phone_message", "buzz"};
    auto saved = std::make_shared<std::string>();
    auto savedStates = std::make_shared<std::vector<std::string>>();
    auto savedAt = std::make_shared<VoVector2>();
    auto ledgerFrom = std::make_shared<double>(0.0);
    const VoVector2 kMaximize(763.0f, 531.0f);

    const auto clickMenu = [&p](const char* apId) {
        const VoVector2 at = MenuButtonAt(apId);
        EXPECT_GE(at.x, 0.0f) << apId;
        p.Click(at);
    };
    const auto clickIn = [&p](VoDisplayGroup* apGroup, const char* apId) {
        VoIDisplayObject* object = FindIn(apGroup, apId);
        EXPECT_NE(object, nullptr) << apId;
        if (object != nullptr) {
            p.ClickObject(object);
        }
    };
    const auto pdaButton = [&p](const char* apId) {
        return [&p, apId] {
            VoButton* button = FindIn<VoButton>(MGPDA::GetInstance()->GetGroup(), apId);
            EXPECT_NE(button, nullptr) << apId;
            if (button != nullptr) {
                p.ClickObject(button);
            }
        };
    };
    const auto pdaOpen = [] { return MGPDA::GetInstance()->IsOpen(); };
    // The PDA shows a button of that id.
    const auto pdaShows = [](const char* apId) {
        return [apId] { return FindIn<VoButton>(MGPDA::GetInstance()->GetGroup(), apId) != nullptr; };
    };
    // A hotspot, then one action of its menu once the menu is up.
    const auto hotspotAction = [&p](const char* apHotspot, int aAction) {
        return [&p, apHotspot, aAction] {
            p.ClickHotspot(apHotspot);
            p.ChooseWhenShown(aAction);
        };
    };
    // The PDA opened from its bar and its map shown, scrolled down until
    // the tag is in view; then the tag clicked.
    const auto mapTrip = [&p, kMaximize, pdaButton](const char* apTag) {
        return std::vector<Step>{
            Pause(0.5),
            {"the PDA opens from its bar", [&p, kMaximize] {  p.Click(kMaximize); },
             [] { return MGPDA::GetInstance()->IsOpen(); }},
            Pause(0.6),
            {std::string("its map shows the tag ") + apTag, pdaButton("map"),
             [&p, apTag] {
                 MGPDA* pda = MGPDA::GetInstance();
                 VoButton* tag = FindIn<VoButton>(pda->GetGroup(), apTag);
                 if (tag == nullptr) {
                     return false;
                 }
                 float x = -1.0f;
                 float y = -1.0f;
                 PuzzleGame::CentreOf(tag, &x, &y);
                 const bool inView =
                     pda->IsInScrollArea(VoVector2(x, y + 8.0f)) && pda->IsInScrollArea(VoVector2(x, y - 8.0f));
                 // The scroll bar's arrow towards the tag scrolls while it is held.
                 if (inView != !p.IsHeld()) {
                     if (inView) {
                         p.Release();
                     } else {
                         VoRectangle area;
                         pda->GetScrollArea()->GetWorldRectangle(area);
                         const char* arrow = y < area.y ? "uparrow" : "downarrow";
                         float ax = -1.0f;
                         float ay = -1.0f;
                         PuzzleGame::CentreOf(FindIn<VoButton>(pda->GetGroup(), arrow), &ax, &ay);
                         p.Press(VoVector2(ax, ay));
                     }
                 }
                 return inView && !p.IsHeld();
             }},
            Pause(0.3),
        };
    };
    // The main menu over the game, from the PDA's "menu" button.
    const auto mainMenuFromPda = [&p, kMaximize, pdaButton, pdaOpen] {
        return std::vector<Step>{
            Pause(0.5),
            {"the PDA's menu button", [&p, kMaximize] { p.Click(kMaximize); }, pdaOpen},
            Pause(0.6),
            {"brings the main menu over the game", pdaButton("menu"),
             [] { return IsTop(MGMainMenu::GetInstance()); }},
            Pause(0.5),
        };
    };
    const auto clickTag = [&p](const char* apTag) {
        return [&p, apTag] { p.ClickObject(FindIn<VoButton>(MGPDA::GetInstance()->GetGroup(), apTag)); };
    };

    p.fSteps = {
        {"the maker's logo plays; the space bar skips it after half a second", nullptr,
         [&p] {
             return IsTop(MGIntro::GetInstance()) && MGIntro::GetInstance()->GetMovie() != nullptr && p.Now() > 0.6;
         }},
        {"the main menu", [&p] { p.PressKey(kSpace); }, [] { return IsTop(MGMainMenu::GetInstance()); }},
        Pause(0.5),
        {"a new game: its opening card plays", [clickMenu] { clickMenu("new_game"); },
         [] {
             if (!MoviePlays("precinct")) {
                 return false;
             }
             EXPECT_EQ(NumberState("sta_selectedcase"), 0.0f);
             return true;
         },
         30.0},
        Pause(0.6),
        {"skipped, the squad room comes after its placard, and over it, with no case in play, the case "
         "selection",
         [&p] { p.PressKey(kSpace); },
         [] {
             MGCaseSelection* selection = MGCaseSelection::GetInstance();
             if (!IsTop(selection)) {
                 return false;
             }
             EXPECT_EQ(Narrow(Scene()->GetSceneId()), "precinct");
             EXPECT_EQ(StateText("sta_caseselection_active"), "true");
             EXPECT_EQ(selection->GetLedgerCase(), 0);
             EXPECT_FALSE(Scene()->IsInputEnabled());
             // No case in play and none closed: no way back.
             EXPECT_EQ(FindIn(selection->GetRoot(), "back_btn"), nullptr);
             return true;
         },
         30.0},
        {"the folders are on screen", nullptr,
         [] {
             return Near(Playthrough::Pixel(160, 200), PictureAt(u"//textures/caseselection/cs_folder1_n.tga", 100, 70), 3);
         },
         2.0},
        {"case 1's folder: its opening movie plays",
         [clickIn] { clickIn(MGCaseSelection::GetInstance()->GetRoot(), "case1_select"); },
         [] {
             if (!MoviePlays("case01/riverbank")) {
                 return false;
             }
             EXPECT_EQ(NumberState("sta_selectedcase"), 1.0f);
             EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 1);
             EXPECT_TRUE(HasEvent("case1_intro_played"));
             return true;
         },
         30.0},
        Pause(0.6),
        {"skipped, the riverbank comes after its placard; the pointer comes to rest on the cuff link as the "
         "card fades",
         [&p] {
             p.PressKey(kSpace);
             p.fThen = [&p] {
                 MGScene* scene = Scene();
                 if (scene == nullptr || Narrow(scene->GetSceneId()) != "case01/riverbank" ||
                     scene->IsEntered()) {
                     return false;
                 }
                 const VoVector2 link = Middle(SceneHotspot("cufflink"));
                 p.MoveTo(link.x, link.y);
                 return true;
             };
         },
         [] { return Arrived("case01/riverbank", "vp_riverbank"); }, 30.0},
        {"the riverbank comes into view", nullptr,
         [&p] { return p.Shows(kRiverbank, {{400, 10}, {60, 120}, {700, 80}}); }, 2.0},
        Pause(0.5),
        {"the cuff link between the cobbles, clicked where the pointer rests and collected, goes into the "
         "inventory",
         [&p] {
             p.ClickHere();
             p.ChooseWhenShown(MGIMultiCursorListener::kCollect);
         },
         [] { return HasEvent("evt_1rb01_collected") && HasItem(u"1rb01") && Scene()->IsInputEnabled(); }, 30.0},
        Pause(0.5),
        {"the PDA opens from its bar", [&p, kMaximize] { p.Click(kMaximize); }, pdaOpen},
        Pause(0.6),
        {"its inventory", pdaButton("inventory"),
         [] {
             MGIPDAPanel* panel = MGPDA::GetInstance()->GetCurrentPanel();
             return panel != nullptr && panel->GetId() == VoString(u"inventory");
         }},
        Pause(0.6),
        {"shows the cuff link among the evidence", pdaButton("evidence"),
         [] {
             VoIDisplayObject* item = FindIn(MGPDA::GetInstance()->GetGroup(), "1rb01");
             return item != nullptr && item->GetVisible();
         }},
        Pause(0.6),
        {"analysed, it goes to the crime lab",
         [&p, clickIn] {
             clickIn(MGPDA::GetInstance()->GetGroup(), "1rb01");
             p.ChooseWhenShown(MGIMultiCursorListener::kAnalyze);
         },
         [] { return HasEvent("1rb01_CL_S"); }},
        Pause(0.6),
        {"the PDA closes", pdaButton("exit"), [pdaOpen] { return !pdaOpen(); }},
    };
    const std::vector<std::vector<Step>> parts = {
        mapTrip("precinct1"),
        {
            {"the map's trip takes the detective back to the squad room; on the game clock the result is in, "
             "and the phone's light blinks",
             clickTag("precinct1"),
             [] {
                 if (!Arrived("precinct", "vp_squadroom")) {
                     return false;
                 }
                 EXPECT_TRUE(HasEvent("evt_maptag_precinct1"));
                 EXPECT_TRUE(HasEvent("1rb01_CL_R"));
                 EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsBlinking());
                 return true;
             },
             40.0},
            Pause(0.5),
            {"the PDA's phone", [&p, kMaximize] { p.Click(kMaximize); }, pdaOpen},
            Pause(0.6),
            {"its voice mail", pdaButton("phone"), pdaShows("messages")},
            Pause(0.6),
            {"asks whether to listen", pdaButton("messages"), pdaShows("listen_yes")},
            Pause(0.3),
            {"the messages play, one after the other, and the light stops", pdaButton("listen_yes"),
             [] {
                 return stubs::SoundPlayer::Find("phone_message") == nullptr &&
                        !MGPDAMinimized::GetInstance()->IsBlinking();
             }},
            Pause(0.6),
            {"the PDA closes", pdaButton("exit"), [pdaOpen] { return !pdaOpen(); }},
            Pause(0.5),
            {"talked to, the crime lab's expert greets him at the computer",
             hotspotAction("crimelab", MGIMultiCursorListener::kTalk),
             [] {
                 MGExpertComputer* computer = MGExpertComputer::GetInstance();
                 return computer->IsBuilt() && IsTop(computer);
             },
             30.0},
            Pause(0.6),
            {"the cuff link's topic shows its card and gives its result",
             [&p] {
                 auto* expert =
                     dynamic_cast<MGExpertInterview*>(MGInterviewManager::GetInstance()->GetCurrentInterview());
                 EXPECT_NE(expert, nullptr);
                 if (expert != nullptr) {
                     p.ClickObject(expert->GetExpertTopicArea()->GetButton(VoString(u"1rb01")));
                 }
             },
             [] {
                 MGExpertComputer* computer = MGExpertComputer::GetInstance();
                 if (computer->IsTyping() || computer->GetResultIcon() == nullptr) {
                     return false;
                 }
                 EXPECT_EQ(Narrow(computer->GetItemField()->GetText()), "Gold cufflink, engraved N.R.");
                 EXPECT_TRUE(HasItem(u"1rb01_CL"));
                 return true;
             },
             20.0},
            {"the expert says what it means", nullptr,
             [] {
                 return HasEvent("evt_1cl01_1rb01_viewed");
             },
             20.0},
            Pause(0.5),
            {"and the detective leaves her",
             [clickIn] { clickIn(DisplayRoot(), "btn_exit"); },
             [] {
                 return Arrived("precinct", "vp_squadroom") && !MGExpertComputer::GetInstance()->IsBuilt();
             },
             30.0},
        },
        {
            {"the case files on the desk, used, open the case selection with case 1 in play",
             hotspotAction("casefiles", MGIMultiCursorListener::kUse),
             [] {
                 MGCaseSelection* selection = MGCaseSelection::GetInstance();
                 if (!IsTop(selection)) {
                     return false;
                 }
                 EXPECT_EQ(selection->GetLedgerCase(), 0);
                 auto* select = FindIn<VoButton>(selection->GetRoot(), "case1_select");
                 auto* review = FindIn<VoButton>(selection->GetRoot(), "review1");
                 EXPECT_TRUE(select != nullptr && !select->IsEnabled());
                 EXPECT_TRUE(review != nullptr && !review->IsEnabled());
                 return true;
             }},
            Pause(0.6),
            {"whose back button returns to the case",
             [clickIn] { clickIn(MGCaseSelection::GetInstance()->GetRoot(), "back_btn"); },
             [] {
                 if (!Arrived("precinct", "vp_squadroom")) {
                     return false;
                 }
                 EXPECT_EQ(NumberState("sta_selectedcase"), 1.0f);
                 EXPECT_EQ(MGCaseSelection::GetInstance()->GetRoot(), nullptr);
                 return true;
             }},
            Pause(0.5),
            {"the PDA's phone once more", [&p, kMaximize] { p.Click(kMaximize); }, pdaOpen},
            Pause(0.6),
            {"its phone", pdaButton("phone"), pdaShows("directory")},
            Pause(0.6),
            {"whose directory lists the hotel's manager", pdaButton("directory"), pdaShows("manager")},
            Pause(0.3),
            {"a call to him rings, the PDA shrinks away and he answers over the phone",
             [&p, pdaButton] {
                 pdaButton("manager")();
                 p.fThen = [] { return Playthrough::EndOnce("manager"); };
             },
             [] {
                 MGInterview* call = MGInterviewManager::GetInstance()->GetCurrentInterview();
                 return call != nullptr && call->IsPhone() && call->IsRunning() && !call->IsBusy();
             },
             30.0},
            Pause(0.3),
            {"the squad room shows round the call's window, with nothing unplaced in its corner", nullptr,
             [&p] {
                 p.ExpectPicture(kSquadRoom, kTopLeftCorner);
                 return true;
             }},
            {"the call ends, and the PDA grows back to the directory",
             [clickIn] { clickIn(MGInterviewManager::GetInstance()->GetGroup(), "btn_exit"); },
             [pdaShows] { return HasEvent("evt_119_called") && pdaShows("manager")(); }, 30.0},
            Pause(0.6),
            {"the PDA closes", pdaButton("exit"), [pdaOpen] { return !pdaOpen(); }},
        },
        mapTrip("riverbank"),
        {
            {"back to the riverbank", clickTag("riverbank"), [] { return Arrived("case01/riverbank", "vp_riverbank"); },
             40.0},
            Pause(0.5),
            {"the boathouse door's keypad opens", hotspotAction("boathouse", MGIMultiCursorListener::kUse),
             [] { return IsTop(MGCombinationLockPuzzle::GetInstance()); }},
            Pause(0.5),
            {"the code entered opens the door",
             [&p] {
                 VoDisplayGroup* keypad = MGCombinationLockPuzzle::GetInstance()->GetRootGroup();
                 for (const char* key : {"5", "0", "3", "8", "1", "6", "4", "enter"}) {
                     auto* button = dynamic_cast<MGKeypadButton*>(
                         keypad->GetMember(VoString((std::string("keypad_buttons.") + key).c_str())));
                     EXPECT_NE(button, nullptr) << key;
                     if (button != nullptr) {
                         const VoRectangle area(*button->GetActiveArea());
                         p.Click(VoVector2(area.x + area.width / 2.0f, area.y + area.height / 2.0f));
                     }
                 }
             },
             [] {
                 if (!HasEvent("evt_1cs10_solved")) {
                     return false;
                 }
                 EXPECT_TRUE(MGCombinationLockPuzzle::GetInstance()->IsSolved());
                 return true;
             }},
            {"the door's movie plays once the lock has sounded", nullptr,
             [] { return MoviePlays("case01/castillosecretapt"); }, 30.0},
            Pause(0.6),
            {"skipped, it leads into the secret apartment", [&p] { p.PressKey(kSpace); },
             [] { return Arrived("case01/castillosecretapt", "vp_start"); }, 30.0},
        },
        mainMenuFromPda(),
        {
            {"the save screen", [clickMenu] { clickMenu("save_game"); },
             [] { return IsTop(MGSaveScreen::GetInstance()); }},
            {"a description typed and saved",
             [&p, clickMenu, savedAt] {
                 TypeWord(p, "riverbank");
                 *savedAt = PlayerAt();
                 clickMenu("save");
             },
             [&folder, saved, savedStates] {
                 if (!IsTop(MGMainMenu::GetInstance())) {
                     return false;
                 }
                 *saved = folder.Read("game1.dat");
                 EXPECT_FALSE(saved->empty());
                 EXPECT_NE(folder.Read(".filelist").find("riverbank"), std::string::npos);
                 EXPECT_EQ(*saved, GameNow(folder));
                 *savedStates = StateLines();
                 return true;
             }},
            Pause(0.5),
            {"a new game starts afresh", [clickMenu] { clickMenu("new_game"); },
             [] { return MoviePlays("precinct"); }, 30.0},
            Pause(0.6),
            {"back in the squad room, under the case selection", [&p] { p.PressKey(kSpace); },
             [] {
                 if (!IsTop(MGCaseSelection::GetInstance())) {
                     return false;
                 }
                 EXPECT_FALSE(HasItem(u"1rb01"));
                 EXPECT_FALSE(HasEvent("evt_1cs10_solved"));
                 EXPECT_EQ(NumberState("sta_selectedcase"), 0.0f);
                 return true;
             },
             30.0},
            Pause(0.6),
            {"case 1 once more: its movie plays again in the new game",
             [clickIn] { clickIn(MGCaseSelection::GetInstance()->GetRoot(), "case1_select"); },
             [] { return MoviePlays("case01/riverbank"); }, 30.0},
            Pause(0.6),
            {"the riverbank", [&p] { p.PressKey(kSpace); },
             [] { return Arrived("case01/riverbank", "vp_riverbank"); }, 30.0},
        },
        mainMenuFromPda(),
        {
            {"the load screen", [clickMenu] { clickMenu("load_game"); },
             [] { return IsTop(MGLoadScreen::GetInstance()); }},
            {"the save, loaded, is the game as it was saved",
             [&p, &folder, clickMenu, saved, savedStates] {
                 p.Click(VoVector2(125.0f, 165.0f));
                 clickMenu("load");
                 // The inventory, the events and the clocks as saved, byte
                 // for byte; the states with their values.
                 EXPECT_EQ(WithoutStates(GameNow(folder)), WithoutStates(*saved));
                 EXPECT_EQ(StateLines(), *savedStates);
             },
             [savedAt] {
                 if (!Arrived("case01/castillosecretapt", "vp_start")) {
                     return false;
                 }
                 EXPECT_TRUE(HasItem(u"1rb01"));
                 EXPECT_TRUE(HasItem(u"1rb01_CL"));
                 EXPECT_TRUE(HasEvent("evt_1cs10_solved"));
                 EXPECT_EQ(NumberState("sta_selectedcase"), 1.0f);
                 EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 1);
                 const VoVector2 at = PlayerAt();
                 EXPECT_NEAR(at.x, savedAt->x, 0.5f);
                 EXPECT_NEAR(at.y, savedAt->y, 0.5f);
                 return true;
             },
             30.0},
        },
        mapTrip("hotel"),
        {
            {"the hotel's lobby", clickTag("hotel"), [] { return Arrived("case01/lobby", "vp_entrance"); }, 40.0},
            Pause(0.5),
            {"to the desk", [&p] { p.ClickHotspot("to_desk"); }, [] { return SceneIsIdle("vp_desk"); }},
            Pause(0.5),
            {"talked to, the clerk greets the detective", hotspotAction("clerk", MGIMultiCursorListener::kTalk),
             [] {
                 MGInterview* interview = MGInterviewManager::GetInstance()->GetCurrentInterview();
                 return interview != nullptr && interview->IsRunning() && !interview->IsBusy();
             },
             30.0},
        },
    };
    for (const std::vector<Step>& part : parts) {
        p.fSteps.insert(p.fSteps.end(), part.begin(), part.end());
    }
    // Each question in its mode, its lines ended as they play.
    for (const auto& [topic, mode] : std::vector<std::pair<const char*, const char*>>{
             {"night", "mode_stra"}, {"guest", "mode_empa"}, {"key", "mode_decp"}}) {
        p.fSteps.push_back({std::string("asked about ") + topic,
                            [clickIn, topic = topic, mode = mode] {
                                VoDisplayGroup* window = MGInterviewManager::GetInstance()->GetGroup();
                                clickIn(window, topic);
                                clickIn(window, mode);
                            },
                            [topic = topic] {
                                return HasEvent((std::string("evt_117_") + topic + "_done").c_str());
                            },
                            30.0});
        p.fSteps.push_back(Pause(2.5));
    }
    const std::vector<Step> ending = {
        {"the interview ends, and with it the case: its closing card plays", nullptr,
         [] {
             if (!MoviePlays("precinct")) {
                 return false;
             }
             EXPECT_TRUE(HasEvent("evt_interview117_complete"));
             EXPECT_TRUE(HasEvent("evt_case01_closed"));
             EXPECT_EQ(NumberState("sta_selectedcase"), 0.0f);
             return true;
         },
         40.0},
        Pause(0.6),
        {"skipped, the squad room, and over it the case selection shows the closed case's ledger page",
         [&p] { p.PressKey(kSpace); },
         [&p, ledgerFrom] {
             if (!IsTop(MGCaseSelection::GetInstance())) {
                 return false;
             }
             *ledgerFrom = p.Now();
             EXPECT_EQ(Narrow(Scene()->GetSceneId()), "precinct");
             EXPECT_EQ(MGCaseSelection::GetInstance()->GetLedgerCase(), 1);
             EXPECT_TRUE(HasEvent("evt_ledger1_displayed"));
             return true;
         },
         30.0},
        {"the ledger page is on screen", nullptr,
         [&p] { return p.Shows(kLedger1, {{20, 20}, {200, 300}, {600, 150}}); }, 2.0},
        {"for ten seconds, then the folders", nullptr,
         [&p, ledgerFrom] {
             MGCaseSelection* selection = MGCaseSelection::GetInstance();
             if (selection->GetLedgerCase() != 0 || !IsTop(selection) ||
                 FindIn(selection->GetRoot(), "folders") == nullptr) {
                 return false;
             }
             EXPECT_GT(p.Now() - *ledgerFrom, 10.0);
             EXPECT_LT(p.Now() - *ledgerFrom, 12.0);
             // Case 1 closed: its folder is stamped.
             VoIDisplayObject* stamp = FindIn(selection->GetRoot(), "closed1");
             EXPECT_TRUE(stamp != nullptr && stamp->GetVisible());
             return true;
         },
         15.0},
    };
    p.fSteps.insert(p.fSteps.end(), ending.begin(), ending.end());
    ASSERT_TRUE(game.Run(play));
    EXPECT_EQ(play->fStuck, "") << "the last step reached: "
                                << (play->fReached.empty() ? "none" : play->fReached.back());
    EXPECT_EQ(play->fReached.size(), play->fSteps.size());
}
