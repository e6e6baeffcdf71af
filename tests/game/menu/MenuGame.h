#pragma once
// The menus' tests' game: the sample tree with its fonts and the stub sound
// and movie managers (SampleGame), the restorables registered as Init
// registers them, and "//dataroot" moved to a scratch folder (its "game"
// folder made), where the saves go and each test puts the files it needs.
// The player drives the menus with the mouse and the keyboard:
//
//     MenuGame game;
//     MGScreenManager::GetInstance()->PushFade(MGMainMenu::GetInstance());
//     game.ClickButton(u"new_game");
//     game.RunFrames(1.0);
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "MGIScreen.h"
#include "game/support/SampleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "menu/MGMenuButton.h"
#include "object/VoRestoreManager.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySubpanel.h"
#include "pda/MGPDA.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/PlatformTestFolder.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"
#include "ui/MGMessageBox.h"
#include "util/MGGameReset.h"
#include "util/MGIGameResetListener.h"

// Counts the notices of a new game or a load (MGGameReset).
class ResetCounter : public MGIGameResetListener {
public:
    ResetCounter() { MGGameReset::GetInstance()->AddListener(this); }
    ~ResetCounter() override {
        if (MGGameReset* reset = MGGameReset::GetInstance()) {
            reset->RemoveListener(this);
        }
    }
    ResetCounter(const ResetCounter&) = delete;
    ResetCounter& operator=(const ResetCounter&) = delete;
    void OnGameReset() override { ++fCount; }
    int fCount = 0;
};

// A screen that answers the stack's calls with nothing.
class BlankScreen : public MGIScreen {
public:
    void OnLeaveBegin() override {}
    void OnLeaveEnd() override {}
    void OnEnter() override {}
};

class MenuGame : public SampleGame {
public:
    MenuGame() {
        std::filesystem::create_directories(fFolder.Path("game"));
        EXPECT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"),
                                                        PlatformTestFolder::Wide(fFolder.Files())));
        EXPECT_TRUE(VoRestoreManager::GetInstance()->AddEngineRestorables());
    }

    // The pointer to (x, y), as the player moves it.
    static void MoveTo(float aX, float aY) {
        const VoVector2 position(aX, aY);
        VoMouse::GetInstance()->Move(&position);
    }
    // A press and a release of button 1 at (x, y).
    static void Click(float aX, float aY) {
        MoveTo(aX, aY);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
    }
    // The menu button of that id anywhere in the display tree; null when none.
    static MGMenuButton* FindButton(const char16_t* apId) {
        return FindButtonIn(VoDisplayManager::GetInstance()->GetRootGroup(), VoString(apId));
    }
    // A click in the middle of the button's active area; false without the button.
    static bool ClickButton(const char16_t* apId) {
        MGMenuButton* button = FindButton(apId);
        if (button == nullptr || button->GetActiveArea() == nullptr) {
            return false;
        }
        const VoPolygon* area = button->GetActiveArea();
        VoVector2 sum;
        for (int i = 0; i < area->GetNumPoints(); ++i) {
            sum = sum + area->PeekPoints()[i];
        }
        Click(sum.x / area->GetNumPoints(), sum.y / area->GetNumPoints());
        return true;
    }
    // The inventory panel and the items it holds in all its grids.
    static MGInventoryPanel* Inventory() { return MGPDA::GetInstance()->GetInventoryPanel(); }
    static int ItemCount() {
        int count = 0;
        for (int i = 0; i < MGInventoryPanel::kSubpanelCount; ++i) {
            MGInventorySubpanel* grid = Inventory()->GetSubpanel(i);
            count += grid != nullptr ? grid->GetItemCount() : 0;
        }
        return count;
    }
    // An item of the sample items file (case 1: "clerk", "brasskey",
    // "1cn05", "1cs03", "letter", "register") added in case 1, whatever
    // case is chosen; the chosen case stays.
    static bool GiveItem(const char16_t* apId) {
        VoStateManager* states = VoStateManager::GetInstance();
        VoIState* chosen = states->GetState(VoString(MGInventoryPanel::kCaseState));
        const float before = chosen != nullptr ? chosen->GetNumber(0.0f) : 0.0f;
        states->SetState(VoString(MGInventoryPanel::kCaseState), VoString(u"number"), VoString(u"1"), false);
        const bool added = Inventory()->AddItem(VoString(apId));
        if (chosen != nullptr) {
            states->SetState(VoString(MGInventoryPanel::kCaseState), &before, false);
        }
        return added;
    }

    // The message box's text (its single-text form) and its buttons' ids,
    // "ok" or "yes no"; "" while no box is up.
    static std::string BoxText() {
        VoDisplayGroup* box = MGMessageBox::GetInstance()->GetGroup();
        auto* text = box != nullptr
                         ? dynamic_cast<VoTextArea*>(box->GetMember(VoString(MGMessageBox::kTextId)))
                         : nullptr;
        return text != nullptr ? Narrow(text->GetText()) : "";
    }
    static std::string BoxButtons() {
        MGMessageBox* box = MGMessageBox::GetInstance();
        std::string ids;
        for (VoButton* button : {box->GetFirstButton(), box->GetSecondButton()}) {
            if (button != nullptr) {
                ids += (ids.empty() ? "" : " ") + Narrow(button->GetId());
            }
        }
        return ids;
    }
    // The player's click on the box's button of that id.
    static void AnswerBox(const char16_t* apButton) {
        MGMessageBox::GetInstance()->OnButtonEvent(VoString(apButton), VoIButtonListener::kClick);
    }

    // A press and a release of the key.
    static void Type(int aKey) {
        VoKeyboard::GetInstance()->KeyDown(aKey);
        VoKeyboard::GetInstance()->KeyUp(aKey);
    }
    // The keys of letters (capitals with the left shift), digits and spaces.
    static void TypeText(const std::string& aText) {
        static const std::string kLetters = "qwertyuiop....asdfghjkl.....zxcvbnm";
        for (char c : aText) {
            const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            int key = 0;
            if (lower == ' ') {
                key = 57;
            } else if (lower >= '1' && lower <= '9') {
                key = 2 + (lower - '1');
            } else if (lower == '0') {
                key = 11;
            } else if (kLetters.find(lower) != std::string::npos) {
                key = 16 + static_cast<int>(kLetters.find(lower));
            }
            const bool shift = c >= 'A' && c <= 'Z';
            if (shift) {
                VoKeyboard::GetInstance()->KeyDown(VoKeyboard::kLeftShift);
            }
            Type(key);
            if (shift) {
                VoKeyboard::GetInstance()->KeyUp(VoKeyboard::kLeftShift);
            }
        }
    }

    // Frames every 0.05 s for aSeconds of the test's clock.
    void RunFrames(double aSeconds) {
        const double end = fNow + aSeconds;
        while (fNow < end - 1e-9) {
            fNow += 0.05;
            FrameAt(fNow);
        }
    }
    double Now() const { return fNow; }

    // "game/" + aName in the scratch folder.
    std::string ReadGame(const std::string& aName) const { return fFolder.Read("game/" + aName); }
    void WriteGame(const std::string& aName, const std::string& aBytes) const {
        fFolder.Write("game/" + aName, aBytes);
    }
    bool GameExists(const std::string& aName) const { return fFolder.Exists("game/" + aName); }
    // The regular files of "game" by name, with their bytes.
    std::map<std::string, std::string> GameFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(fFolder.Path("game"))) {
            if (entry.is_regular_file()) {
                files[entry.path().filename().string()] = ReadGame(entry.path().filename().string());
            }
        }
        return files;
    }
    // "game/" + aName without its write bits: the engine does not write over
    // such a file, whoever runs it (root too).
    void MakeGameReadOnly(const std::string& aName) const {
        using std::filesystem::perms;
        std::filesystem::permissions(fFolder.Path("game/" + aName),
                                     perms::owner_read | perms::group_read | perms::others_read);
    }

    PlatformTestFolder fFolder;
    double fNow = 0.0;

private:
    static MGMenuButton* FindButtonIn(VoDisplayGroup* apGroup, const VoString& aId) {
        for (int i = 0; apGroup != nullptr && i < apGroup->GetMemberCount(); ++i) {
            VoIDisplayObject* member = apGroup->GetMemberAt(i);
            if (auto* button = dynamic_cast<MGMenuButton*>(member);
                button != nullptr && button->GetId() == aId) {
                return button;
            }
            if (MGMenuButton* found = FindButtonIn(dynamic_cast<VoDisplayGroup*>(member), aId)) {
                return found;
            }
        }
        return nullptr;
    }
};
