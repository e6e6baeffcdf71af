#include "ui/MGCursor.h"

#include <gtest/gtest.h>

#include <string>

#include "game/support/RecordingGame.h"
#include "container/VoPropertyList.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr const char* kSampleTextures = VO_SOURCE_DIR "/data/textures";

// An uncompressed 32-bit TGA of one colour, top row first.
std::string Tga(int aWidth, int aHeight) {
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(aWidth);
    bytes[14] = static_cast<char>(aHeight);
    bytes[16] = 32;
    bytes[17] = 0x28;
    for (int i = 0; i < aWidth * aHeight; ++i) {
        bytes += std::string("\x40\x80\xc0\xff", 4);
    }
    return bytes;
}

// A game whose "//textures" is aFolder, the texture root on it.
class CursorGame : public RecordingGame {
public:
    explicit CursorGame(const std::string& aFolder) {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        EXPECT_TRUE(files != nullptr && files->Mount(VoString(u"//textures"), VoString(aFolder.c_str())));
        EXPECT_TRUE(VoTextureManager::GetInstance()->SetRoot(VoString(u"//textures")));
    }
};

// Whether the engine cursor shows that look.
bool Shows(const char16_t* apLook) {
    VoIDisplayObject* look = VoCursor::GetInstance()->GetGroup()->GetMember(VoString(apLook));
    return look != nullptr && look->GetActive();
}

// The sample looks of the data tree.
class MGCursorTest : public ::testing::Test {
protected:
    CursorGame fGame{kSampleTextures};
    MGCursor* fCursor = MGCursor::GetInstance();
};

}  // namespace

TEST_F(MGCursorTest, EveryIdShowsItsLookFromTheSampleFiles) {
    ASSERT_NE(fCursor, nullptr);
    const char16_t* const looks[] = {u"default",       u"hand",       u"rollover",    u"crosshair",
                                     u"target",        u"go_left",    u"go_right",    u"go_top",
                                     u"go_bottom",     u"go_topleft", u"go_topright", u"go_bottomleft",
                                     u"go_bottomright"};
    for (int id = 0; id <= 12; ++id) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(fCursor->SetCursor(id, VoString(u"")));
        EXPECT_TRUE(Shows(looks[id]));
        EXPECT_EQ(fCursor->GetCurrentId(), id);
        auto* sprite =
            dynamic_cast<VoSprite*>(VoCursor::GetInstance()->GetGroup()->GetMember(VoString(looks[id])));
        ASSERT_NE(sprite, nullptr);
        EXPECT_NE(sprite->GetTexture(), 0u);
        EXPECT_EQ(TextOf(MGCursor::GetCursorName(id)), looks[id]);
    }
    EXPECT_TRUE(fCursor->SetCursor(MGCursor::kEmpty, VoString(u"")));
    EXPECT_TRUE(Shows(u"empty"));
    EXPECT_FALSE(Shows(u"default"));
    // The fourteen looks, and one per item of the sample inventory.
    VoPropertyList items;
    ASSERT_TRUE(items.Load(VoString(MGCursor::kItemFile), true));
    int itemCount = 0;
    for (int c = 1; c <= MGCursor::kCaseCount; ++c) {
        VoString section(u"items.case");
        section.Append(static_cast<std::int32_t>(c));
        VoPropertyList* entries = items.GetList(section);
        itemCount += entries != nullptr ? entries->GetCount() : 0;
    }
    EXPECT_GT(itemCount, 0);
    EXPECT_EQ(VoCursor::GetInstance()->GetStateCount(), 14 + itemCount);
    ASSERT_NE(fCursor->GetHighlight(), nullptr);
    EXPECT_NE(fCursor->GetHighlight()->GetTexture(), 0u);
    // Hot spots: the arrow's tip, the middle of the aiming looks.
    EXPECT_EQ(VoCursor::GetInstance()->GetGroup()->GetMember(VoString(u"default"))->GetCenter().x, 1.0f);
    EXPECT_EQ(VoCursor::GetInstance()->GetGroup()->GetMember(VoString(u"target"))->GetCenter().y, 16.0f);
}

TEST_F(MGCursorTest, ALookTheEngineCursorLacksOrAnUnknownIdChangesNothing) {
    ASSERT_TRUE(fCursor->SetCursor(1, VoString(u"")));
    LogCapture log;
    // No item held: its look has no name.
    EXPECT_FALSE(fCursor->SetCursor(MGCursor::kItem, VoString(u"hotspot")));
    EXPECT_EQ(fCursor->GetCurrentId(), 1);
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoCursor::kSetStateInvalid)));
    for (int id : {-1, 16}) {
        EXPECT_FALSE(fCursor->SetCursor(id, VoString(u"other")));
    }
    EXPECT_EQ(log.Count(MGCursor::kSetCursorInvalid), 2);
    EXPECT_EQ(fCursor->GetCurrentId(), 1);
    EXPECT_EQ(Narrow(fCursor->GetOwner()), "hotspot");
    EXPECT_TRUE(Shows(u"hand"));
}

TEST_F(MGCursorTest, OnlyTheLastSetterOrAnEmptyNameResetsToTheBaseLook) {
    fCursor->SetBaseCursor(2);
    ASSERT_TRUE(fCursor->SetCursor(3, VoString(u"hotspot_a")));
    EXPECT_FALSE(fCursor->ResetCursor(VoString(u"hotspot_b")));
    EXPECT_FALSE(fCursor->ResetCursor(VoString(u"HOTSPOT_A")));
    EXPECT_EQ(fCursor->GetCurrentId(), 3);
    EXPECT_TRUE(Shows(u"crosshair"));

    EXPECT_TRUE(fCursor->ResetCursor(VoString(u"hotspot_a")));
    EXPECT_EQ(fCursor->GetCurrentId(), 2);
    EXPECT_TRUE(Shows(u"rollover"));
    EXPECT_EQ(fCursor->GetOwner().GetLength(), 0);

    ASSERT_TRUE(fCursor->SetCursor(4, VoString(u"hotspot_b")));
    EXPECT_TRUE(fCursor->ResetCursor(VoString(u"")));
    EXPECT_TRUE(Shows(u"rollover"));
}

TEST(MGCursor, AnItemLooksLikeItsIdWithoutTheAnalysisEnding) {
    const char16_t* const cases[][2] = {
        {u"badge_cl", u"badge"},
        {u"badge_RE", u"badge"},
        {u"badge_Su", u"badge"},
        {u"badge_xy", u"badge_xy"},
        {u"badge_cl_re", u"badge_cl"},
        {u"_su", u""},
        {u"cl", u"cl"},
        {u"badge", u"badge"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextOf(MGCursor::GetItemLook(VoString(c[0]))), c[1]) << Narrow(VoString(c[0]));
    }
}

// A scratch tree: one pointer look, two items of case 1 and one of case 3,
// and the highlight.
class MGCursorItemsTest : public ::testing::Test {
protected:
    MGCursorItemsTest() {
        fFolder.Write("cursors/arrow.tga", Tga(4, 4));
        fFolder.Write("cursors.txt", "cursors\n\tdefault\n\t\tid=default\n\t\ttexture=cursors/arrow.tga\n");
        fFolder.Write("icon_cursors.txt",
                      "hilight\n\tid=hilight\n\ttexture=cursors/arrow.tga\n\tcenter=2|2\n");
        fFolder.Write("pda/inventory/items/atlas.tga", Tga(64, 32));
        fFolder.Write("pda/inventory/inventory_items.txt",
                      "items\n"
                      "\tcase1\n"
                      "\t\tbadge\n\t\t\tsprite\n\t\t\t\tid=badge\n\t\t\t\ttexture=items/atlas.tga\n"
                      "\t\t\t\ttexturecoords=0|0|31|19\n"
                      "\t\tletter\n\t\t\tsprite\n\t\t\t\tid=letter\n\t\t\t\ttexture=items/atlas.tga\n"
                      "\tcase3\n"
                      "\t\tkey\n\t\t\tsprite\n\t\t\t\tid=key\n\t\t\t\ttexture=items/atlas.tga\n"
                      "\t\t\t\ttexturecoords=32|0|63|31\n");
    }

    PlatformTestFolder fFolder;
    CursorGame fGame{fFolder.Files()};
};

TEST_F(MGCursorItemsTest, LoadsTheItemsOfEveryCaseWithTheirHotSpotsInTheMiddle) {
    MGCursor* cursor = MGCursor::GetInstance();
    ASSERT_NE(cursor, nullptr);
    VoDisplayGroup* looks = VoCursor::GetInstance()->GetGroup();
    ASSERT_NE(looks->GetMember(VoString(u"letter")), nullptr);
    ASSERT_NE(looks->GetMember(VoString(u"badge")), nullptr);
    EXPECT_EQ(looks->GetMember(VoString(u"badge"))->GetCenter(), VoVector2(15.5f, 9.5f));
    EXPECT_EQ(looks->GetMember(VoString(u"key"))->GetCenter(), VoVector2(15.5f, 15.5f));
    EXPECT_EQ(looks->GetMember(VoString(u"letter"))->GetCenter(), VoVector2(0.0f, 0.0f));
    // The items' pictures were named from the inventory's folder; the root is back.
    EXPECT_EQ(Narrow(VoTextureManager::GetInstance()->GetRoot()), "//textures/");
    VoSprite* badge = dynamic_cast<VoSprite*>(looks->GetMember(VoString(u"badge")));
    ASSERT_NE(badge, nullptr);
    EXPECT_NE(badge->GetTexture(), 0u);
    // The direction looks' file is missing: said, and the rest loaded.
    EXPECT_TRUE(fFolder.Logged("ASSERT FAILURE: ",
                               std::string(MGCursor::kFileFailure) + "//textures/cursors_dir.txt"));

    cursor->SetItemCursor(VoString(u"badge_cl"));
    EXPECT_EQ(cursor->GetBaseId(), MGCursor::kItem);
    EXPECT_EQ(cursor->GetCurrentId(), MGCursor::kItem);
    EXPECT_EQ(Narrow(cursor->GetItemId()), "badge_cl");
    EXPECT_TRUE(Shows(u"badge"));
}

// Id 14 shows the held item with the highlight, which follows the pointer
// until another id hides it.
TEST_F(MGCursorItemsTest, TheHighlightFollowsThePointerWhileTheItemIsHighlighted) {
    MGCursor* cursor = MGCursor::GetInstance();
    VoMouse* mouse = VoMouse::GetInstance();
    VoSprite* highlight = cursor->GetHighlight();
    ASSERT_NE(highlight, nullptr);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"hilight")), highlight);
    EXPECT_EQ(highlight->GetRelativeZ(), 100000.0f);
    EXPECT_FALSE(highlight->GetActive());
    const int listeners = mouse->GetListenerCount();

    VoVector2 at(100.0f, 120.0f);
    mouse->Move(&at);
    cursor->SetItemCursor(VoString(u"key_su"));
    EXPECT_TRUE(cursor->SetCursor(MGCursor::kItemHighlighted, VoString(u"")));
    EXPECT_TRUE(Shows(u"key"));
    EXPECT_TRUE(cursor->IsHighlightShown());
    EXPECT_TRUE(highlight->GetActive());
    EXPECT_EQ(highlight->GetPosition(), at);
    EXPECT_EQ(mouse->GetListenerCount(), listeners + 1);
    at.Set(300.0f, 40.0f);
    mouse->Move(&at);
    EXPECT_EQ(highlight->GetPosition(), at);

    EXPECT_TRUE(cursor->SetCursor(MGCursor::kItem, VoString(u"")));
    EXPECT_FALSE(cursor->IsHighlightShown());
    EXPECT_FALSE(highlight->GetActive());
    EXPECT_EQ(mouse->GetListenerCount(), listeners);
    at.Set(5.0f, 5.0f);
    mouse->Move(&at);
    EXPECT_EQ(highlight->GetPosition(), VoVector2(300.0f, 40.0f));

    // Any other id hides it as well.
    cursor->SetCursor(MGCursor::kItemHighlighted, VoString(u""));
    EXPECT_TRUE(cursor->SetCursor(0, VoString(u"")));
    EXPECT_FALSE(highlight->GetActive());
}

TEST_F(MGCursorItemsTest, HidingTheCursorLastsUntilItIsDeleted) {
    MGCursor* cursor = MGCursor::GetInstance();
    VoCursor* engine = VoCursor::GetInstance();
    cursor->SetActive(false);
    EXPECT_FALSE(engine->IsActive());
    cursor->SetCursor(MGCursor::kItemHighlighted, VoString(u""));
    delete MGCleaner::PeekInstance();
    EXPECT_TRUE(engine->IsActive());
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"hilight")), nullptr);
}
