#include "pda/MGInventoryItem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySpace.h"
#include "pda/MGInventorySubpanel.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGMessageBox.h"
#include "util/MGTextureRoot.h"

namespace {

class MGInventoryItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fInventory, nullptr);
        ASSERT_TRUE(fInventory->AddItem(VoString(u"brasskey")));
        ASSERT_TRUE(fInventory->AddItem(VoString(u"clerk")));
        ASSERT_TRUE(fInventory->AddItem(VoString(u"report1")));
        // Fillers in spaces 1 to 8: space 8 lies on the scroll area's lower edge.
        for (int space = 1; space <= 8; ++space) {
            const VoString id = VoString(u"filler") + static_cast<std::int32_t>(space);
            VoPropertyList entry;
            ASSERT_TRUE(entry.Parse(VoString(u"sprite\n\tid=") + id + u"\n\ttexture=inv_1cn05.tga\n"));
            MGTextureRoot root(MGInventoryPanel::kItemRoot);
            auto* filler = VO_NEW MGInventoryItem();
            filler->Create(&entry, MGInventoryItem::kPlain);
            ASSERT_TRUE(Evidence()->SetItem(id, filler));
        }
        fGame.OpenOn(MGPDA::kInventory);
        fKey = Evidence()->GetItem(VoString(u"brasskey"));
        ASSERT_NE(fKey, nullptr);
    }
    MGInventorySubpanel* Evidence() const { return fInventory->GetSubpanel(MGInventoryPanel::kEvidence); }
    MGInventoryItem* Item(int aCategory, const char16_t* apId) const {
        return fInventory->GetSubpanel(aCategory)->GetItem(VoString(apId));
    }
    static bool HasEvent(const char* apId) { return VoEventManager::GetInstance()->HasEvent(VoString(apId)); }

    PDAGame fGame;
    MGInventoryPanel* fInventory = PDAGame::PDA()->GetInventoryPanel();
    MGInventoryItem* fKey = nullptr;
    MGMultiCursor* fMenu = MGMultiCursor::GetInstance();
};

}  // namespace

TEST_F(MGInventoryItemTest, SixPixelsAndAReleaseOpenTheMenuSevenDrag) {
    const VoVector2 start = PDAGame::SpacePoint(0);
    struct Case {
        float dx;
        float dy;
        bool menu;
    };
    const Case cases[] = {{6.0f, 0.0f, true}, {-6.0f, 5.0f, true}, {0.0f, 7.0f, false}, {-7.0f, 0.0f, false}};
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.dx) + ", " + std::to_string(test.dy));
        fMenu->Hide(true);
        fGame.RunFrames(0.5);
        PDAGame::Press(start.x, start.y);
        EXPECT_TRUE(fKey->IsHeld());
        PDAGame::Move(start.x + test.dx, start.y + test.dy);
        const VoVector2 moved = fKey->GetGroup()->GetPosition();
        if (test.menu) {
            EXPECT_EQ(moved, VoVector2(0.0f, 0.0f));
        } else {
            EXPECT_EQ(moved, VoVector2(test.dx, test.dy));
        }
        PDAGame::Release();
        EXPECT_FALSE(fKey->IsHeld());
        EXPECT_EQ(fMenu->GetVisible(), test.menu);
        EXPECT_EQ(fKey->GetGroup()->GetPosition(), VoVector2(0.0f, 0.0f));
    }
}

TEST_F(MGInventoryItemTest, AClickOpensTheMenuBesideTheItemWithThreeActions) {
    const VoVector2 start = PDAGame::SpacePoint(0);
    PDAGame::Click(start.x, start.y);
    ASSERT_TRUE(fMenu->GetVisible());
    EXPECT_EQ(fMenu->GetListener(), static_cast<MGIMultiCursorListener*>(fKey));
    // The item's world place (271, 185) and 50 to the right.
    EXPECT_EQ(fMenu->GetPosition(), VoVector2(321.0f, 185.0f));
    const struct {
        int action;
        bool enabled;
    } actions[] = {{MGIMultiCursorListener::kUse, true},
                   {MGIMultiCursorListener::kCollect, false},
                   {MGIMultiCursorListener::kAnalyze, true},
                   {MGIMultiCursorListener::kTalk, false},
                   {MGIMultiCursorListener::kLook, true}};
    for (const auto& test : actions) {
        SCOPED_TRACE(test.action);
        EXPECT_EQ(fMenu->GetButton(test.action)->IsEnabled(), test.enabled);
    }
    // Every action closes the menu and forgets the item.
    fKey->OnAction(MGIMultiCursorListener::kTalk);
    EXPECT_EQ(fMenu->GetListener(), nullptr);
    fGame.RunFrames(0.5);
    EXPECT_FALSE(fMenu->GetVisible());
}

TEST_F(MGInventoryItemTest, APressOnThePartScrolledOutOfTheAreaStartsNothing) {
    // Space 8 starts at y 98 of the grid: its icon reaches past the area's
    // 137 pixels; the part below y 137 of the area takes no press.
    MGInventoryItem* lower = Evidence()->GetSpace(8)->GetItem();
    ASSERT_NE(lower, nullptr);
    const VoVector2 outside(100.0f + 171.0f + 20.0f, 100.0f + 85.0f + 98.0f + 50.0f);
    ASSERT_TRUE(lower->GetGroup()->HitTest(outside));
    PDAGame::Press(outside.x, outside.y);
    EXPECT_FALSE(lower->IsHeld());
    PDAGame::Move(outside.x + 30.0f, outside.y);
    PDAGame::Release();
    EXPECT_EQ(lower->GetGroup()->GetPosition(), MGInventorySubpanel::SpacePlace(8));
    EXPECT_FALSE(fMenu->GetVisible());
    // Its visible part does.
    PDAGame::Press(outside.x, outside.y - 20.0f);
    EXPECT_TRUE(lower->IsHeld());
    PDAGame::Release();
}

TEST_F(MGInventoryItemTest, TheTooltipShowsAfterASecondsRestAndGoesWhenThePointerLeaves) {
    VoToolTip* tooltip = fKey->GetToolTip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(Narrow(tooltip->GetText()), "Brass key to room 12");
    EXPECT_EQ(tooltip->GetRelativeZ(), 9700.0f);
    const VoVector2 over = PDAGame::SpacePoint(0);
    PDAGame::Move(over.x, over.y);
    EXPECT_TRUE(fKey->IsToolTipPending());
    fGame.RunFrames(0.9);
    EXPECT_FALSE(tooltip->GetVisible());
    fGame.RunFrames(0.2);
    EXPECT_TRUE(tooltip->GetVisible());
    EXPECT_TRUE(tooltip->IsFadingIn());
    EXPECT_EQ(tooltip->GetPosition(), VoVector2(over.x, over.y - 20.0f));
    PDAGame::Move(150.0f, 500.0f);
    EXPECT_FALSE(fKey->IsHovered());
    EXPECT_TRUE(tooltip->IsFadingOut());
    fGame.RunFrames(1.0);
    EXPECT_FALSE(tooltip->GetVisible());
}

TEST_F(MGInventoryItemTest, ResultsNameTheirLabInTheTooltipAndItemsOfOneTextShareIt) {
    PDAGame::SetNumber(u"sta_selectedcase", 3.0f);
    for (const char16_t* id : {u"3tc07", u"3tc08", u"3tc08_CL"}) {
        ASSERT_TRUE(fInventory->AddItem(VoString(id)));
    }
    MGInventoryItem* first = Item(MGInventoryPanel::kEvidence + 8, u"3tc07");
    MGInventoryItem* second = Item(MGInventoryPanel::kEvidence + 8, u"3tc08");
    MGInventoryItem* result = Item(MGInventoryPanel::kReports + 8, u"3tc08_cl");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(result, nullptr);
    ASSERT_NE(first->GetToolTip(), nullptr);
    EXPECT_EQ(first->GetToolTip(), second->GetToolTip());
    EXPECT_EQ(Narrow(result->GetToolTipText()), "Crime Lab: Receipt scrap");
    // Built again after a clear, the item finds its tooltip.
    VoToolTip* shared = first->GetToolTip();
    fInventory->ClearItems();
    ASSERT_TRUE(fInventory->AddItem(VoString(u"3tc07")));
    EXPECT_EQ(Item(MGInventoryPanel::kEvidence + 8, u"3tc07")->GetToolTip(), shared);
}

TEST_F(MGInventoryItemTest, AnalysingSubmitsOnceToEachLabOfTheCategory) {
    LogCapture log;
    VoGameClock* clock = VoGameClock::GetInstance();
    fKey->OnAction(MGIMultiCursorListener::kAnalyze);
    fKey->OnAction(MGIMultiCursorListener::kAnalyze);
    EXPECT_TRUE(HasEvent("brasskey_CL_S"));
    EXPECT_TRUE(HasEvent("brasskey_RE_S"));
    EXPECT_FALSE(HasEvent("brasskey_SU_S"));
    EXPECT_FALSE(log.Contains("AddEvent failure"));
    EXPECT_EQ(clock->GetTriggerCount(), 2);
    clock->AdvanceTime(4.9f, true);
    EXPECT_FALSE(HasEvent("brasskey_CL_R"));
    clock->AdvanceTime(0.2f, true);
    EXPECT_TRUE(HasEvent("brasskey_CL_R"));
    EXPECT_TRUE(HasEvent("brasskey_RE_R"));

    // A witness goes to surveillance and research; a report to nobody.
    fInventory->SelectCategory(MGInventoryPanel::kWitnesses);
    Item(MGInventoryPanel::kWitnesses, u"clerk")->OnAction(MGIMultiCursorListener::kAnalyze);
    EXPECT_TRUE(HasEvent("clerk_SU_S"));
    EXPECT_TRUE(HasEvent("clerk_RE_S"));
    EXPECT_FALSE(HasEvent("clerk_CL_S"));
    fInventory->SelectCategory(MGInventoryPanel::kReports);
    const int events = VoEventManager::GetInstance()->GetEventCount();
    Item(MGInventoryPanel::kReports, u"report1")->OnAction(MGIMultiCursorListener::kAnalyze);
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), events);
}

TEST_F(MGInventoryItemTest, LookShowsTheFirstDescriptionThatHolds) {
    VoPropertyList descriptions;
    ASSERT_TRUE(descriptions.Load(VoString(MGInventoryItem::kDescriptionFile), true));
    const struct {
        const char* what;
        const char16_t* id;
        bool read;
        std::vector<std::string> lines;
    } cases[] = {
        {"sealed",
         u"letter",
         false,
         {"A sealed letter addressed to the manager.", "The postmark is from Port Kestrel."}},
        {"read",
         u"letter",
         true,
         {"The letter to the manager, read twice now.", "Someone wanted the clerk to keep quiet."}},
        {"no description", u"register", true, {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        if (test.read) {
            VoEventManager::GetInstance()->AddEvent(VoString(u"evt_letter_read"), false);
        }
        VoVectorString lines;
        EXPECT_EQ(MGInventoryItem::FindDescription(&descriptions, VoString(test.id), &lines),
                  !test.lines.empty());
        ASSERT_EQ(lines.GetCount(), static_cast<int>(test.lines.size()));
        for (int i = 0; i < lines.GetCount(); ++i) {
            EXPECT_EQ(Narrow(lines.GetAt(i)), test.lines[i]);
        }
    }

    fKey->OnAction(MGIMultiCursorListener::kLook);
    MGMessageBox* box = MGMessageBox::GetInstance();
    ASSERT_TRUE(box->IsShown());
    // One line, the box's first.
    auto* line = dynamic_cast<VoTextArea*>(box->GetGroup()->GetMember(VoString(MGMessageBox::kTextId) + 0));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Narrow(line->GetText()), "A brass key on a red tag: room 12.");
    EXPECT_EQ(box->GetGroup()->GetMember(VoString(MGMessageBox::kTextId) + 1), nullptr);
}

TEST_F(MGInventoryItemTest, UseTakesTheItemIntoTheCursorAndLeavesItInTheInventory) {
    fKey->OnAction(MGIMultiCursorListener::kUse);
    MGCursor* cursor = MGCursor::GetInstance();
    EXPECT_EQ(Narrow(cursor->GetItemId()), "brasskey");
    EXPECT_EQ(cursor->GetBaseId(), MGCursor::kItem);
    EXPECT_FALSE(PDAGame::PDA()->IsOpen());
    EXPECT_EQ(Evidence()->GetItem(VoString(u"brasskey")), fKey);
    EXPECT_FALSE(fKey->IsEnabled());
    EXPECT_EQ(fMenu->GetListener(), nullptr);
}
