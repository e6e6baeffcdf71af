#include "pda/MGInventorySubpanel.h"

#include <gtest/gtest.h>

#include <string>

#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDragManager.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySpace.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "util/MGTextureRoot.h"

namespace {

// A plain item of the sample's brass-key picture under its own sprite id.
MGInventoryItem* MakeItem(const std::string& aId) {
    VoPropertyList entry;
    EXPECT_TRUE(entry.Parse(VoString(("sprite\n\tid=" + aId + "\n\ttexture=inv_brasskey.tga\n").c_str())));
    MGTextureRoot root(MGInventoryPanel::kItemRoot);
    auto* item = VO_NEW MGInventoryItem();
    EXPECT_TRUE(item->Create(&entry, MGInventoryItem::kPlain));
    return item;
}

class MGInventorySubpanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fInventory, nullptr);
        ASSERT_TRUE(fInventory->AddItem(VoString(u"brasskey")));
        ASSERT_TRUE(fInventory->AddItem(VoString(u"1cn05")));
        fGame.OpenOn(MGPDA::kInventory);
    }

    // Presses on the item of space aFrom and moves it far enough to drag it.
    static void StartDrag(int aFrom) {
        const VoVector2 start = PDAGame::SpacePoint(aFrom);
        PDAGame::Press(start.x, start.y);
        PDAGame::Move(start.x + 10.0f, start.y);
    }
    static void MoveTo(int aSpace) {
        const VoVector2 point = PDAGame::SpacePoint(aSpace);
        PDAGame::Move(point.x, point.y);
    }
    // Drags the item of space aFrom to the point and lets it go there.
    static void Drag(int aFrom, const VoVector2& aTo) {
        StartDrag(aFrom);
        PDAGame::Move(aTo.x, aTo.y);
        PDAGame::Release();
    }
    MGInventorySpace* Space(int aSpace) const { return fEvidence->GetSpace(aSpace); }
    std::string Holder(int aSpace) const {
        MGInventoryItem* item = Space(aSpace)->GetItem();
        return item != nullptr ? Narrow(item->GetItemId()) : "";
    }

    PDAGame fGame;
    MGInventoryPanel* fInventory = PDAGame::PDA()->GetInventoryPanel();
    MGInventorySubpanel* fEvidence = fInventory->GetSubpanel(MGInventoryPanel::kEvidence);
};

}  // namespace

TEST_F(MGInventorySubpanelTest, FiftySixSpacesFourToARowOverTheirGridBoxes) {
    const struct {
        int space;
        float x;
        float y;
    } cases[] = {{0, 0, 0}, {1, 58, 0}, {3, 174, 0}, {4, 0, 49}, {13, 58, 147}, {55, 174, 637}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.space);
        EXPECT_EQ(MGInventorySubpanel::SpacePlace(test.space), VoVector2(test.x, test.y));
        MGInventorySpace* space = fEvidence->GetSpace(test.space);
        ASSERT_NE(space, nullptr);
        EXPECT_EQ(space->GetIndex(), test.space);
        VoIDisplayObject* box = space->GetBoundaryObject();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Narrow(box->GetId()), "gridbox_" + std::to_string(test.space));
        EXPECT_EQ(box->GetPosition(), VoVector2(test.x, test.y));
        EXPECT_EQ(box->GetRelativeZ(), -5.0f);
        EXPECT_EQ(space->GetPlace(), VoVector2(test.x, test.y));
    }
    EXPECT_EQ(fEvidence->GetSpace(56), nullptr);
    EXPECT_EQ(fEvidence->GetSpace(-1), nullptr);
    for (int i = 0; i < MGInventoryPanel::kSubpanelCount; ++i) {
        EXPECT_EQ(fInventory->GetSubpanel(i)->GetContentHeight(), 691);
    }
    ASSERT_NE(fEvidence->GetGlow(), nullptr);
    EXPECT_EQ(fEvidence->GetGlow()->GetRelativeZ(), 5.0f);
    EXPECT_FALSE(fEvidence->GetGlow()->GetActive());
    // Every space of the sixteen grids takes drops.
    EXPECT_EQ(VoDragManager::GetInstance()->GetDragTargetCount(), 16 * 56);
    // The items went into the first free spaces.
    EXPECT_EQ(Holder(0), "brasskey");
    EXPECT_EQ(Holder(1), "1cn05");
}

TEST_F(MGInventorySubpanelTest, TheFiftySeventhItemFindsNoSpaceAndIsNotFiled) {
    MGInventorySubpanel* documents = fInventory->GetSubpanel(MGInventoryPanel::kDocuments);
    for (int i = 0; i < MGInventorySubpanel::kSpaceCount; ++i) {
        const std::string id = "page" + std::to_string(i);
        MGInventoryItem* item = MakeItem(id);
        ASSERT_TRUE(documents->SetItem(VoString(id.c_str()), item));
    }
    MGInventoryItem* extra = MakeItem("page56");
    EXPECT_FALSE(documents->SetItem(VoString(u"page56"), extra));
    EXPECT_EQ(documents->GetItem(VoString(u"page56")), nullptr);
    EXPECT_EQ(extra->GetGroup()->GetGroup(), nullptr);
    EXPECT_EQ(documents->GetItemCount(), 56);
    delete extra;

    VoVectorString ids;
    VoVectorInt spaces;
    documents->GetItems(&ids, &spaces);
    ASSERT_EQ(ids.GetCount(), 56);
    EXPECT_EQ(Narrow(ids.GetAt(55)), "page55");
    EXPECT_EQ(spaces.GetAt(55), 55);
}

TEST_F(MGInventorySubpanelTest, AddItemAtRefusesAMissingOrTakenSpace) {
    MGInventoryItem* item = MakeItem("page");
    LogCapture log;
    EXPECT_FALSE(fEvidence->AddItemAt(item, 56));
    EXPECT_FALSE(fEvidence->AddItemAt(item, -1));
    EXPECT_FALSE(fEvidence->AddItemAt(item, 0));
    EXPECT_TRUE(log.Logged("ERROR: ", MGInventorySpace::kSetItemFilled));
    EXPECT_EQ(Holder(0), "brasskey");
    EXPECT_TRUE(fEvidence->AddItemAt(item, 30));
    EXPECT_EQ(Holder(30), "page");
    EXPECT_EQ(fEvidence->FindSpace(VoString(u"PAGE")), Space(30));
    // Filed already, by the display id, in any case.
    log.Clear();
    EXPECT_FALSE(fEvidence->AddItemToSpace(item, Space(31)));
    EXPECT_TRUE(log.Logged("ERROR: ", MGInventorySubpanel::kAlreadyAssigned));
}

TEST_F(MGInventorySubpanelTest, ADropMovesAnItemOnlyIntoAFreeSpace) {
    const struct {
        const char* what;
        VoVector2 to;
        int home;
    } cases[] = {
        {"its own space", PDAGame::SpacePoint(0), 0},
        {"a space taken", PDAGame::SpacePoint(1), 0},
        {"beside every space", {150.0f, 400.0f}, 0},
        {"in the gap between two boxes", {100.0f + 171.0f + 57.0f, 100.0f + 85.0f + 20.0f}, 0},
        {"a free space", PDAGame::SpacePoint(6), 6},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        Drag(0, test.to);
        EXPECT_EQ(Holder(test.home), "brasskey");
        EXPECT_EQ(fEvidence->FindSpace(VoString(u"brasskey")), Space(test.home));
        MGInventoryItem* key = Space(test.home)->GetItem();
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->GetGroup()->GetPosition(), MGInventorySubpanel::SpacePlace(test.home));
        EXPECT_FALSE(fEvidence->GetGlow()->GetActive());
    }
    EXPECT_TRUE(Space(0)->IsFree());
    EXPECT_EQ(Holder(1), "1cn05");
    // The grids of the other categories lie under the same places, hidden:
    // none of them took the item.
    for (int category : {0, 2, 3}) {
        EXPECT_EQ(fInventory->GetSubpanel(category)->GetItemCount(), 0);
    }
    // Moved, it is saved where it lies.
    VoVectorString ids;
    VoVectorInt spaces;
    fEvidence->GetItems(&ids, &spaces);
    ASSERT_EQ(ids.GetCount(), 2);
    EXPECT_EQ(Narrow(ids.GetAt(0)), "1cn05");
    EXPECT_EQ(spaces.GetAt(1), 6);
}

TEST_F(MGInventorySubpanelTest, TheGlowLiesOnlyOnAFreeSpaceUnderTheDrag) {
    StartDrag(0);
    MoveTo(5);
    EXPECT_TRUE(fEvidence->GetGlow()->GetActive());
    EXPECT_EQ(fEvidence->GetGlowSpace(), Space(5));
    EXPECT_EQ(fEvidence->GetGlow()->GetPosition(), MGInventorySubpanel::SpacePlace(5));
    MoveTo(1);
    EXPECT_FALSE(fEvidence->GetGlow()->GetActive());
    EXPECT_EQ(fEvidence->GetGlowSpace(), nullptr);
    MoveTo(0);
    // Its own space is taken too: by the item dragged.
    EXPECT_FALSE(fEvidence->GetGlow()->GetActive());
    PDAGame::Release();
    EXPECT_EQ(Holder(0), "brasskey");
}

TEST_F(MGInventorySubpanelTest, AHiddenGridTakesNoDrop) {
    // The witnesses' grid is hidden under the evidence: its spaces see no drag.
    MGInventorySubpanel* witnesses = fInventory->GetSubpanel(MGInventoryPanel::kWitnesses);
    ASSERT_FALSE(witnesses->GetGroup()->GetActive());
    StartDrag(0);
    MoveTo(9);
    EXPECT_FALSE(witnesses->GetSpace(9)->IsPointerOver());
    EXPECT_FALSE(witnesses->GetGlow()->GetActive());
    PDAGame::Release();
    EXPECT_TRUE(witnesses->GetSpace(9)->IsFree());
    EXPECT_EQ(Holder(9), "brasskey");
}

TEST_F(MGInventorySubpanelTest, ClearItemsEmptiesEverySpace) {
    fEvidence->ClearItems();
    EXPECT_EQ(fEvidence->GetItemCount(), 0);
    EXPECT_TRUE(Space(0)->IsFree());
    EXPECT_TRUE(Space(1)->IsFree());
    EXPECT_EQ(fEvidence->GetItem(VoString(u"brasskey")), nullptr);
    // Only the glow and the 56 boxes are left in the grid's group.
    EXPECT_EQ(fEvidence->GetGroup()->GetMemberCount(), 57);
    ASSERT_TRUE(fInventory->AddItem(VoString(u"1cn05")));
    EXPECT_EQ(Holder(0), "1cn05");
}

TEST(MGInventorySpace, RefusesNullAndHandsOutOnlyWhatItHolds) {
    PDAGame game;
    MGInventorySpace space(0);
    LogCapture log;
    EXPECT_FALSE(space.Create(nullptr, nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", MGInventorySpace::kCreateNull));
    EXPECT_FALSE(space.SetItem(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", MGInventorySpace::kSetItemNull));
    MGInventoryItem* out = nullptr;
    EXPECT_FALSE(space.RemoveItem(&out));
    EXPECT_TRUE(log.Logged("ERROR: ", MGInventorySpace::kRemoveItemNone));
    EXPECT_EQ(out, nullptr);
}
