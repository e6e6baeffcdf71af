#include "pda/MGInventoryPanel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoScrollBar.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventorySpace.h"
#include "pda/MGInventorySubpanel.h"
#include "stdlib/VoMemoryStream.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "util/MGTextureRoot.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The block's encoding, by hand: little-endian int32s and counted strings.
void AddInt(Bytes* apOut, std::int32_t aValue) {
    const auto value = static_cast<std::uint32_t>(aValue);
    for (int shift = 0; shift < 32; shift += 8) {
        apOut->push_back(static_cast<std::uint8_t>(value >> shift));
    }
}
void AddString(Bytes* apOut, const std::string& aText) {
    AddInt(apOut, static_cast<std::int32_t>(aText.size()));
    for (char c : aText) {
        apOut->push_back(static_cast<std::uint8_t>(c));
        apOut->push_back(0);
    }
    apOut->push_back(0);
    apOut->push_back(0);
}

struct Entry {
    std::int32_t space;
    std::string id;
};
// Sixteen grids; the ones not given are empty.
Bytes Block(const std::vector<std::pair<int, std::vector<Entry>>>& aGrids) {
    Bytes bytes;
    for (int grid = 0; grid < MGInventoryPanel::kSubpanelCount; ++grid) {
        const std::vector<Entry>* entries = nullptr;
        for (const auto& given : aGrids) {
            if (given.first == grid) {
                entries = &given.second;
            }
        }
        AddInt(&bytes, entries != nullptr ? static_cast<std::int32_t>(entries->size()) : 0);
        for (std::size_t i = 0; entries != nullptr && i < entries->size(); ++i) {
            AddInt(&bytes, (*entries)[i].space);
            AddString(&bytes, (*entries)[i].id);
        }
    }
    return bytes;
}

class MGInventoryPanelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(fInventory, nullptr); }

    Bytes Write() {
        VoMemoryStream stream(64, VoMemoryStream::kGrowDouble);
        EXPECT_TRUE(fInventory->Write(&stream));
        const unsigned char* data = stream.GetBuffer();
        return Bytes(data, data + stream.GetPosition());
    }
    bool Read(const Bytes& aBytes) {
        VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
        const unsigned char none = 0;
        EXPECT_TRUE(stream.CreateFromBuffer(static_cast<std::int32_t>(aBytes.size()),
                                            aBytes.empty() ? &none : aBytes.data()));
        return fInventory->Read(&stream);
    }
    int ItemCount() const {
        int count = 0;
        for (int i = 0; i < MGInventoryPanel::kSubpanelCount; ++i) {
            count += fInventory->GetSubpanel(i)->GetItemCount();
        }
        return count;
    }
    MGInventoryItem* ItemAt(int aGrid, int aSpace) const {
        return fInventory->GetSubpanel(aGrid)->GetSpace(aSpace)->GetItem();
    }

    PDAGame fGame;
    MGInventoryPanel* fInventory = PDAGame::PDA()->GetInventoryPanel();
};

}  // namespace

TEST(MGInventoryPanelIds, SplitIntoKeyAndKind) {
    const struct {
        const char16_t* id;
        const char* key;
        int kind;
    } cases[] = {
        {u"letter", "letter", 0},
        {u"letter_CL", "letter", 1},
        {u"letter_re", "letter", 2},
        {u"K_Su", "K", 3},
        {u"K_xyz", "K", 0},
        {u"a_b_c", "a_b_c", 0},
        {u"_CL", "", 1},
        {u"K_", "K", 0},
        {u"K_CLX", "K", 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(Narrow(VoString(test.id)));
        VoString key;
        int kind = -1;
        MGInventoryPanel::SplitItemId(VoString(test.id), &key, &kind);
        EXPECT_EQ(Narrow(key), test.key);
        EXPECT_EQ(kind, test.kind);
    }
}

TEST_F(MGInventoryPanelTest, IsBuiltWithSixteenGridsOnEvidence) {
    EXPECT_EQ(fInventory->GetCategory(), MGInventoryPanel::kEvidence);
    EXPECT_EQ(fInventory->GetCase(), 1);
    ASSERT_NE(fInventory->GetItemsFile(), nullptr);
    const char* ids[] = {"witnesses1", "evidence1", "documents1", "reports1",  "witnesses2", "evidence2",
                         "documents2", "reports2",  "witnesses3", "evidence3", "documents3", "reports3",
                         "witnesses4", "evidence4", "documents4", "reports4"};
    for (int i = 0; i < MGInventoryPanel::kSubpanelCount; ++i) {
        ASSERT_NE(fInventory->GetSubpanel(i), nullptr);
        EXPECT_EQ(Narrow(fInventory->GetSubpanel(i)->GetGroup()->GetId()), ids[i]);
        EXPECT_EQ(fInventory->GetSubpanel(i)->GetGroup()->GetGroup(), fInventory->GetContentGroup());
    }
    EXPECT_EQ(fInventory->GetSubpanel(16), nullptr);
    EXPECT_EQ(Narrow(fInventory->GetMenuGroup()->GetId()), "inventorymenu");
    EXPECT_EQ(fInventory->GetMenuGroup()->GetRelativeZ(), 10.0f);
}

TEST_F(MGInventoryPanelTest, AddItemFilesEachItemInItsGridUnderItsDisplayId) {
    const struct {
        const char16_t* id;
        int grid;
        const char* display;
        int kind;
        const char* badge;
    } cases[] = {
        {u"letter", MGInventoryPanel::kDocuments, "letter", 0, nullptr},
        {u"letter_CL", MGInventoryPanel::kReports, "letter_cl", 1, "badge_crimelab"},
        {u"1cn05_re", MGInventoryPanel::kReports, "1cn05_re", 2, "badge_research"},
        {u"clerk_SU", MGInventoryPanel::kReports, "clerk_su", 3, "badge_surveillance"},
        {u"brasskey_xyz", MGInventoryPanel::kEvidence, "brasskey", 0, nullptr},
        {u"clerk", MGInventoryPanel::kWitnesses, "clerk", 0, nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(Narrow(VoString(test.id)));
        ASSERT_TRUE(fInventory->AddItem(VoString(test.id)));
        MGInventoryItem* item = fInventory->GetSubpanel(test.grid)->GetItem(VoString(test.display));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Narrow(item->GetItemId()), test.display);
        EXPECT_EQ(Narrow(item->GetGroup()->GetId()), test.display);
        EXPECT_EQ(item->GetKind(), test.kind);
        EXPECT_EQ(item->GetGroup()->GetRelativeZ(), 10.0f);
        if (test.badge != nullptr) {
            VoIDisplayObject* badge = item->GetGroup()->GetMember(VoString(test.badge));
            ASSERT_NE(badge, nullptr);
            EXPECT_EQ(badge->GetPosition(), VoVector2(26.0f, 17.0f));
            EXPECT_EQ(badge->GetRelativeZ(), 10.0f);
        }
    }
    EXPECT_EQ(ItemCount(), 6);
    EXPECT_TRUE(fInventory->HasItem(VoString(u"LETTER_CL")));
}

TEST_F(MGInventoryPanelTest, AnItemAddedAgainStaysOneItemWhateverTheCaseOfItsId) {
    ASSERT_TRUE(fInventory->AddItem(VoString(u"letter_CL")));
    EXPECT_TRUE(fInventory->AddItem(VoString(u"letter_CL")));
    EXPECT_TRUE(fInventory->AddItem(VoString(u"letter_cl")));
    EXPECT_TRUE(fInventory->AddItem(VoString(u"letter")));
    EXPECT_TRUE(fInventory->AddItem(VoString(u"letter")));
    EXPECT_EQ(ItemCount(), 2);
    EXPECT_EQ(fInventory->GetSubpanel(MGInventoryPanel::kReports)->GetItemCount(), 1);
}

TEST_F(MGInventoryPanelTest, AddItemRefusesWhatItCannotPlace) {
    LogCapture log;
    const struct {
        float selectedCase;
        const char16_t* id;
        std::string message;
    } cases[] = {
        {1.0f, u"a_b_c", std::string(MGInventoryPanel::kUnableToAdd) + "a_b_c"},
        {1.0f, u"nothing_CL", std::string(MGInventoryPanel::kUnableToAdd) + "nothing"},
        // A key of case 1 is not an item of case 2.
        {2.0f, u"letter", std::string(MGInventoryPanel::kUnableToAdd) + "letter"},
        // A new game has no case yet.
        {0.0f, u"letter", std::string(MGInventoryPanel::kNoCase) + "letter"},
        {5.0f, u"letter", std::string(MGInventoryPanel::kNoCase) + "letter"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.message);
        PDAGame::SetNumber(u"sta_selectedcase", test.selectedCase);
        log.Clear();
        EXPECT_FALSE(fInventory->AddItem(VoString(test.id)));
        EXPECT_TRUE(log.Logged("ERROR: ", test.message)) << log.Contents();
    }
    EXPECT_EQ(ItemCount(), 0);
}

TEST_F(MGInventoryPanelTest, AnEntryOfNoKnownTypeIsNotAdded) {
    VoPropertyList* items = fInventory->GetItemsFile();
    const VoString type(u"items.case1.letter.type");
    VoString* old = nullptr;
    ASSERT_TRUE(items->RemoveProperty(type, &old));
    delete old;
    ASSERT_TRUE(items->SetString(type, VoString(u"clues")));
    LogCapture log;
    EXPECT_FALSE(fInventory->AddItem(VoString(u"letter")));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInventoryPanel::kInvalidType));
    // A result goes to the reports whatever the entry's type.
    EXPECT_TRUE(fInventory->AddItem(VoString(u"letter_RE")));
}

TEST_F(MGInventoryPanelTest, AFullGridTakesNoFurtherItem) {
    MGInventorySubpanel* evidence = fInventory->GetSubpanel(MGInventoryPanel::kEvidence);
    MGTextureRoot root(MGInventoryPanel::kItemRoot);
    for (int i = 0; i < MGInventorySubpanel::kSpaceCount; ++i) {
        const VoString id = VoString(u"filler") + static_cast<std::int32_t>(i);
        VoPropertyList entry;
        ASSERT_TRUE(entry.Parse(VoString(u"sprite\n\tid=") + id + u"\n\ttexture=inv_brasskey.tga\n"));
        auto* item = VO_NEW MGInventoryItem();
        item->Create(&entry, MGInventoryItem::kPlain);
        ASSERT_TRUE(evidence->SetItem(id, item));
    }
    LogCapture log;
    EXPECT_FALSE(fInventory->AddItem(VoString(u"brasskey")));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGInventoryPanel::kGridFull) + "brasskey"));
    EXPECT_EQ(evidence->GetItemCount(), MGInventorySubpanel::kSpaceCount);
    EXPECT_FALSE(fInventory->HasItem(VoString(u"brasskey")));
}

TEST_F(MGInventoryPanelTest, ItemsOfAnotherCaseShowOnlyWhenThatCaseIsSelected) {
    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    ASSERT_TRUE(fInventory->AddItem(VoString(u"matchbook")));
    MGInventoryItem* matchbook =
        fInventory->GetSubpanel(MGInventoryPanel::SubpanelIndex(1, 2))->GetItem(VoString(u"matchbook"));
    ASSERT_NE(matchbook, nullptr);

    PDAGame::SetNumber(u"sta_selectedcase", 1.0f);
    fGame.OpenOn(MGPDA::kInventory);
    EXPECT_EQ(fInventory->GetShownSubpanel(), fInventory->GetSubpanel(MGInventoryPanel::kEvidence));
    EXPECT_FALSE(matchbook->GetGroup()->GetEffectiveActive());
    EXPECT_FALSE(matchbook->IsEnabled());

    PDAGame::SetNumber(u"sta_selectedcase", 2.0f);
    PDAGame::PDA()->Close();
    PDAGame::Open();
    EXPECT_EQ(fInventory->GetShownSubpanel(), fInventory->GetSubpanel(MGInventoryPanel::SubpanelIndex(1, 2)));
    EXPECT_TRUE(matchbook->GetGroup()->GetEffectiveActive());
    EXPECT_TRUE(matchbook->IsEnabled());
    // One grid at a time.
    EXPECT_FALSE(fInventory->GetSubpanel(MGInventoryPanel::kEvidence)->GetGroup()->GetActive());

    // Without a case, no grid at all.
    PDAGame::SetNumber(u"sta_selectedcase", 0.0f);
    PDAGame::PDA()->Close();
    PDAGame::Open();
    EXPECT_EQ(fInventory->GetShownSubpanel(), nullptr);
}

TEST_F(MGInventoryPanelTest, TheCategoryButtonsSelectTheirGrids) {
    fGame.OpenOn(MGPDA::kInventory);
    const char* names[] = {"witnesses", "evidence", "documents", "reports"};
    for (int i = 0; i < MGInventoryPanel::kCategoryCount; ++i) {
        VoButton* button = fInventory->GetCategoryButton(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(Narrow(button->GetId()), names[i]);
        EXPECT_EQ(button->IsEnabled(), i != MGInventoryPanel::kEvidence);
    }
    EXPECT_EQ(PDAGame::PDA()->GetScrollContent(), fInventory->GetContentGroup());
    // "documents" at (295, 56) of the window, 58 x 24.
    PDAGame::Click(100.0f + 295.0f + 29.0f, 100.0f + 56.0f + 12.0f);
    EXPECT_EQ(fInventory->GetCategory(), MGInventoryPanel::kDocuments);
    EXPECT_FALSE(fInventory->GetCategoryButton(MGInventoryPanel::kDocuments)->IsEnabled());
    EXPECT_TRUE(fInventory->GetCategoryButton(MGInventoryPanel::kEvidence)->IsEnabled());
    EXPECT_EQ(fInventory->GetShownSubpanel(), fInventory->GetSubpanel(MGInventoryPanel::kDocuments));
    EXPECT_FALSE(fInventory->GetSubpanel(MGInventoryPanel::kEvidence)->GetGroup()->GetActive());
    EXPECT_TRUE(fInventory->SelectCategory(MGInventoryPanel::kDocuments));
    EXPECT_FALSE(fInventory->SelectCategory(4));

    // Hidden, the buttons are gone and the category stays.
    PDAGame::PDA()->SetPanel(VoString(u"map"));
    EXPECT_EQ(fInventory->GetCategoryButton(0), nullptr);
    EXPECT_EQ(fInventory->GetCategory(), MGInventoryPanel::kDocuments);
}

TEST_F(MGInventoryPanelTest, TheWheelScrollsTheGrid) {
    fGame.OpenOn(MGPDA::kInventory);
    VoScrollBar* scroll = PDAGame::PDA()->GetScrollBar();
    ASSERT_NE(scroll, nullptr);
    // 691 pixels of grid in a 137-pixel area.
    EXPECT_EQ(scroll->GetMaxScroll(), 691 - 137);
    VoMouse::GetInstance()->Wheel(-120.0f);
    EXPECT_EQ(scroll->GetScrollPosition(), 49);
    VoMouse::GetInstance()->Wheel(-120.0f);
    EXPECT_EQ(scroll->GetScrollPosition(), 98);
    VoMouse::GetInstance()->Wheel(0.0f);
    EXPECT_EQ(scroll->GetScrollPosition(), 49);
    // Another panel, and the wheel is not the inventory's any more.
    PDAGame::PDA()->SetPanel(VoString(u"phone"));
    VoMouse::GetInstance()->Wheel(-120.0f);
    EXPECT_EQ(PDAGame::PDA()->GetScrollBar()->GetScrollPosition(), 0);
}

TEST_F(MGInventoryPanelTest, AnEmptyInventoryIsSixteenZeroCounts) {
    EXPECT_EQ(Write(), Bytes(64, 0));
    ASSERT_TRUE(fInventory->AddItem(VoString(u"letter")));
    fInventory->ClearItems();
    EXPECT_EQ(ItemCount(), 0);
    EXPECT_EQ(Write(), Bytes(64, 0));
}

TEST_F(MGInventoryPanelTest, ABlockReadsIntoItsSpacesAndWritesBackTheSameBytes) {
    // documents1 (grid 2): the letter in space 5; reports2 (grid 7): the
    // crime lab's result on the matchbook in space 0.
    const Bytes block = Block({{2, {{5, "letter"}}}, {7, {{0, "matchbook_cl"}}}});
    ASSERT_EQ(block.size(), 64u + 4 + 4 + 6 * 2 + 2 + 4 + 4 + 12 * 2 + 2);
    ASSERT_TRUE(fInventory->AddItem(VoString(u"clerk")));
    ASSERT_TRUE(Read(block));
    EXPECT_FALSE(fInventory->HasItem(VoString(u"clerk")));
    ASSERT_NE(ItemAt(2, 5), nullptr);
    EXPECT_EQ(Narrow(ItemAt(2, 5)->GetItemId()), "letter");
    ASSERT_NE(ItemAt(7, 0), nullptr);
    EXPECT_EQ(Narrow(ItemAt(7, 0)->GetItemId()), "matchbook_cl");
    EXPECT_EQ(ItemAt(7, 0)->GetKind(), MGInventoryItem::kCrimeLab);
    EXPECT_EQ(ItemCount(), 2);
    EXPECT_EQ(Write(), block);
}

TEST_F(MGInventoryPanelTest, AFullInventoryWritesReadsAndWritesTheSameBytes) {
    for (float selected : {1.0f, 2.0f, 3.0f, 4.0f}) {
        PDAGame::SetNumber(u"sta_selectedcase", selected);
        VoPropertyList* cases = fInventory->GetItemsFile()->GetList(VoString(u"items.case") +
                                                                    static_cast<std::int32_t>(selected));
        ASSERT_NE(cases, nullptr);
        for (int i = 0; i < cases->GetCount(); ++i) {
            ASSERT_TRUE(fInventory->AddItem(cases->GetKeyAt(i)));
            ASSERT_TRUE(fInventory->AddItem(cases->GetKeyAt(i) + u"_RE"));
        }
    }
    const Bytes first = Write();
    fInventory->ClearItems();
    ASSERT_TRUE(Read(first));
    EXPECT_EQ(Write(), first);
}

TEST_F(MGInventoryPanelTest, AnIdTheItemsFileLacksIsSkipped) {
    ASSERT_TRUE(Read(Block({{1, {{3, "stolen"}, {4, "brasskey"}}}, {5, {{0, "letter"}}}})));
    EXPECT_EQ(ItemCount(), 1);
    ASSERT_NE(ItemAt(1, 4), nullptr);
    // "letter" is an item of case 1, not of case 2 where grid 5 lies.
    EXPECT_EQ(Write(), Block({{1, {{4, "brasskey"}}}}));
}

TEST_F(MGInventoryPanelTest, ADamagedBlockIsRefusedAndLeavesTheInventoryEmpty) {
    const struct {
        const char* what;
        Bytes block;
    } cases[] = {
        {"count 57",
         [] {
             Bytes bytes;
             AddInt(&bytes, 57);
             return bytes;
         }()},
        {"count -1",
         [] {
             Bytes bytes;
             AddInt(&bytes, -1);
             return bytes;
         }()},
        {"space 56", Block({{1, {{56, "brasskey"}}}})},
        {"space -1", Block({{1, {{-1, "brasskey"}}}})},
        {"a space twice", Block({{1, {{2, "brasskey"}, {2, "1cn05"}}}})},
        {"a space twice, the first id unknown", Block({{1, {{2, "stolen"}, {2, "1cn05"}}}})},
        {"an item twice", Block({{1, {{2, "brasskey"}, {3, "brasskey"}}}})},
        {"a result twice, its suffix in another case", Block({{3, {{0, "letter_cl"}, {1, "letter_CL"}}}})},
        {"a string longer than the block",
         [] {
             Bytes bytes;
             AddInt(&bytes, 1);
             AddInt(&bytes, 0);
             AddInt(&bytes, 0x7FFFFFFF);
             return bytes;
         }()},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        ASSERT_TRUE(fInventory->AddItem(VoString(u"clerk")));
        LogCapture log;
        EXPECT_FALSE(Read(test.block));
        EXPECT_TRUE(log.Logged("ERROR: ", MGInventoryPanel::kDamagedBlock));
        EXPECT_EQ(ItemCount(), 0);
    }
}

TEST_F(MGInventoryPanelTest, ABlockCutAtAnyByteIsRefused) {
    const Bytes block = Block({{1, {{0, "brasskey"}, {9, "1cn05"}}}, {3, {{1, "report1_su"}}}});
    ASSERT_TRUE(Read(block));
    ASSERT_EQ(ItemCount(), 3);
    for (std::size_t cut = 0; cut < block.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(Read(Bytes(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(cut))));
        EXPECT_EQ(ItemCount(), 0);
    }
}
