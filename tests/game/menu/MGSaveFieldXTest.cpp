// The save screen in the game's own window on a virtual X server, typed into
// as a user types: xdotool sends the keys of a whole word while the game
// waits for one frame, so they all come in one drain of the message queue.
// The field must get every key, in order, and the save must keep the words.
#include "menu/MGSaveField.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "MenuGame.h"
#include "game/support/WindowedGame.h"
#include "menu/MGMainMenu.h"
#include "menu/MGSaveScreen.h"
#include "menu/MGSlotList.h"
#include "support/PlatformTestFolder.h"
#include "support/XServer.h"
#include "system/VoIFileSystem.h"

namespace {

// Upper and lower case, letters out of scan-code order, letters that come
// again, a digit; three BackSpaces take "Zaq" off again. No key comes twice in a row
// within a few milliseconds: SDL takes a release and a press of one key that
// close together for the system's key repeat and drops the release.
constexpr const char* kTyped = "Abdcef sec0nd Zaq";
constexpr const char* kAfterBackSpaces = "Abdcef sec0nd ";
constexpr const char* kSaved = "Abdcef sec0nd Xy";

// Runs xdotool on the game's window (named by its title); %1 in the
// arguments is that window.
bool OnWindow(const std::string& aArguments) {
    return XServer::Xdotool("search --sync --onlyvisible --name '^Test$' " + aArguments);
}

bool IsTop(MGIScreen* apScreen) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return screens != nullptr && screens->GetTopScreen() == apScreen && !screens->IsBusy();
}

std::string FieldText() {
    MGSaveField* field = MGSaveScreen::GetInstance()->GetField();
    return field != nullptr ? Narrow(field->GetText()) : "(no field)";
}

// What the user does, then what the game shows once it is done.
struct UserStep {
    std::string fWhat;
    std::function<bool()> fAct;
    std::function<bool()> fDone;
};

// Plays the steps one by one on the test's clock, a step at most kMostFrames
// frames; what went wrong is in fProblems.
class SaveByKeys : public GameDriver {
public:
    static constexpr int kMostFrames = 400;

    explicit SaveByKeys(const PlatformTestFolder* apFolder) : fpFolder(apFolder), fSteps(Steps()) {}

    std::string fProblems;

protected:
    void BeforeFrame(int aFrame) override { SetTime(0.05 * aFrame); }

    bool AfterFrame(int aFrame) override {
        if (fStep == fSteps.size() || !fProblems.empty()) {
            return false;
        }
        const UserStep& step = fSteps[fStep];
        if (fStarted < 0) {
            fStarted = aFrame;
            if (step.fAct && !step.fAct()) {
                fProblems += step.fWhat + ": could not be done\n";
            }
            return true;
        }
        if (step.fDone()) {
            ++fStep;
            fStarted = -1;
        } else if (aFrame - fStarted > kMostFrames) {
            fProblems += step.fWhat + ": not done; the field holds \"" + FieldText() + "\"\n";
        }
        return true;
    }

private:
    std::vector<UserStep> Steps() {
        return {
            {"the pointer into the window", [] { return OnWindow("mousemove --window %1 700 560"); },
             [this] { return ClockIsPast(0.6); }},
            {"the logo skipped to the main menu", [] { return XServer::Xdotool("key space"); },
             [] { return IsTop(MGMainMenu::GetInstance()); }},
            {"the save screen", [this] { return OpenSaveScreen(); },
             [] { return IsTop(MGSaveScreen::GetInstance()) && MGSaveScreen::GetInstance()->GetField(); }},
            {std::string("typed ") + kTyped,
             [] { return XServer::Xdotool(std::string("type --delay 5 '") + kTyped + "'"); },
             [] { return FieldText() == kTyped; }},
            {"three BackSpaces",
             [] { return XServer::Xdotool("key --delay 20 BackSpace BackSpace BackSpace"); },
             [] { return FieldText() == kAfterBackSpaces; }},
            {"typed Xy", [] { return XServer::Xdotool("type --delay 5 Xy"); },
             [] { return FieldText() == kSaved; }},
            {"saved", [] { return ClickButton(u"save"); }, [] { return IsTop(MGMainMenu::GetInstance()); }},
        };
    }

    bool ClockIsPast(double aSeconds) const {
        return RecordingGame::Timer() != nullptr && RecordingGame::Timer()->fNow >= aSeconds;
    }

    // The saves go to the test's folder, not among the player's.
    bool OpenSaveScreen() const {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        std::filesystem::create_directories(fpFolder->Path("game"));
        return files != nullptr &&
               files->Mount(VoString(u"//dataroot"), PlatformTestFolder::Wide(fpFolder->Files())) &&
               MGScreenManager::GetInstance()->PushFade(MGSaveScreen::GetInstance());
    }

    static bool ClickButton(const char16_t* apId) {
        MGMenuButton* button = MenuGame::FindButton(apId);
        const VoPolygon* area = button != nullptr ? button->GetActiveArea() : nullptr;
        if (area == nullptr || area->GetNumPoints() == 0) {
            return false;
        }
        const VoRectangle box(*area);
        return OnWindow("mousemove --sync --window %1 " +
                        std::to_string(static_cast<int>(box.x + box.width / 2)) + " " +
                        std::to_string(static_cast<int>(box.y + box.height / 2)) + " click 1");
    }

    const PlatformTestFolder* fpFolder;  // not owned
    const std::vector<UserStep> fSteps;
    std::size_t fStep = 0;
    int fStarted = -1;
};

// 0 when the words typed were saved as typed.
int SaveUnderX() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlatformTestFolder folder;
    std::string problems;
    {
        WindowedGame game;
        SaveByKeys* driver = new SaveByKeys(&folder);
        if (!game.Run(driver)) {
            std::fprintf(stderr, "the game did not start\n");
            return 1;
        }
        problems = driver->fProblems;
        MGSlotList list;
        if (problems.empty() && (!list.Load() || list.GetCount() != 1 || list.GetAt(0) == nullptr)) {
            problems += "no one save in the slot list\n";
        } else if (problems.empty() && Narrow(list.GetAt(0)->fDescription) != kSaved) {
            problems += "saved as \"" + Narrow(list.GetAt(0)->fDescription) + "\"\n";
        }
    }
    std::fprintf(stderr, "%s", problems.c_str());
    return problems.empty() ? 0 : 1;
}

}  // namespace

TEST(MGSaveFieldX, WordsTypedFasterThanTheFramesAreSavedAsTyped) {
    ExpectCleanExitUnderX(&SaveUnderX);
}
