// The sample case played through the game's own input on a real (headless)
// window, on the test's clock: the space bar skips the maker's logo and the
// case's opening movie, the lobby comes up behind its placard, the
// detective walks across it and goes to the desk, opens the key rack's
// close-up, takes room twelve's key there and leaves it by the back button,
// goes through the office door and back into the lobby. Each step waits for
// what a player would wait for, and checks the states, the events and a few
// points of the picture.
//
// The sounds are stubs that end when the test says so (as the library
// would); everything else is the game's own, the movies included.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "event/VoEventManager.h"
#include "game/support/MediaStubs.h"
#include "game/support/PuzzleGame.h"
#include "game/support/WindowedGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoImage.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "interview/MGSubtitle.h"
#include "menu/MGIntro.h"
#include "menu/MGMainMenu.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGHotspot.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
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

    // Input as the platform hands it to the application.
    void MoveTo(float aX, float aY) {
        VoVector2 at(aX, aY);
        App()->OnMouseMove(VoString(MGApp::kMouseDevice), &at);
    }
    void Click(const VoVector2& aAt) {
        MoveTo(aAt.x, aAt.y);
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
    void PressKey(int aKey) {
        App()->OnKeyDown(aKey);
        App()->OnKeyUp(aKey);
    }
    double Now() const { return fNow; }
    // A hotspot, then one action of the five-action menu it opens.
    void ClickHotspot(const char* apId) {
        MGHotspot* hotspot = SceneHotspot(apId);
        EXPECT_NE(hotspot, nullptr) << apId;
        Click(Middle(hotspot));
    }
    void ChooseAction(int aAction) { ClickObject(MGMultiCursor::GetInstance()->GetButton(aAction)); }

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
        Step& step = fSteps[fIndex];
        if (step.done()) {
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
             if (p.DifferentPixels(kKeyRack, 724, 16, 48, 24) < 200) {
                 return false;
             }
             const std::vector<unsigned char> now = Playthrough::Pixels(724, 16, 48, 24);
             if (movie->empty()) {
                 *movie = now;
             }
             return now != *movie;
         },
         // Movies keep the wall clock's time, not the test's: a generous
         // number of frames lets the next picture fall due on any machine.
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
         [&p, closeUp] {
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
         [&p] {
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
         [&p] {
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
