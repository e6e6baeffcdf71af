#include "gdi/VoLayoutBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "SpriteEngine.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSBezier.h"
#include "gdi/VoSPolygon.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kSampleTextures = VO_SOURCE_DIR "/data/textures";

// x, y, z, u, v of the four corners, as the sprite's quad holds them.
std::vector<float> Vertices(const VoSprite* apSprite) {
    VoVertexBuffer* buffer = apSprite != nullptr ? apSprite->GetVertexBuffer() : nullptr;
    if (buffer == nullptr) {
        return {};
    }
    const float* data = static_cast<const float*>(buffer->GetBuffer());
    return std::vector<float>(data, data + buffer->GetVertexCount() * 5);
}

// The quad of a w x h texel rectangle whose texture coordinates run from
// (u0, v0) to (u1, v1).
std::vector<float> Quad(float aWidth, float aHeight, float aU0, float aV0, float aU1, float aV1) {
    return {0,      -aHeight, 0, aU0, aV1, 0,      0, 0, aU0, aV0,
            aWidth, -aHeight, 0, aU1, aV1, aWidth, 0, 0, aU1, aV0};
}

// The text with each line put aDepth tabs in.
std::string Indent(const std::string& aText, int aDepth) {
    const std::string tabs(static_cast<std::size_t>(aDepth), '\t');
    std::string out;
    std::size_t start = 0;
    while (start < aText.size()) {
        const std::size_t end = aText.find('\n', start);
        const std::size_t stop = end == std::string::npos ? aText.size() : end;
        out += tabs + aText.substr(start, stop - start) + "\n";
        start = stop + 1;
    }
    return out;
}

// A list section: one sub-section per entry, named e0, e1, ...
std::string List(const std::vector<std::string>& aEntries) {
    std::string out;
    for (std::size_t i = 0; i < aEntries.size(); ++i) {
        out += "e" + std::to_string(i) + "\n" + Indent(aEntries[i], 1);
    }
    return out;
}

// Recording rasterizer and textures, the sample textures under "//textures"
// as the texture root, and a parent group for the list builders.
class VoLayoutBuilderTest : public ::testing::Test {
protected:
    VoLayoutBuilderTest() : fTextures(VoTextureManager::GetInstance()), fMouse(VoMouse::GetInstance()) {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        EXPECT_TRUE(files != nullptr && files->Mount(VoString(u"//textures"), VoString(kSampleTextures)));
        EXPECT_TRUE(fTextures->SetRoot(VoString(u"//textures")));
        fParent->SetId(VoString(u"parent"));
    }

    // The tree of a property-list text; lines indented with tabs.
    VoPropertyList* Parse(const std::string& aText) {
        fLists.push_back(std::make_unique<VoPropertyList>());
        fLists.back()->Parse(VoString(aText.c_str()));
        return fLists.back().get();
    }
    // Deletes the parent with everything built into it, and makes a new one.
    void ClearParent() {
        fParent.reset(new VoDisplayGroup());
        fParent->SetId(VoString(u"parent"));
    }
    // Nothing built is left: no texture (sprites hold theirs locked, shapes
    // own their colour textures) and no button in the engine mouse.
    void ExpectNothingLeft() {
        ClearParent();
        EXPECT_EQ(RecordingTexture::LiveCount(), 0);
        EXPECT_EQ(fMouse->GetListenerCount(), 0);
    }

    SpriteEngine fEngine;
    VoTextureManager* fTextures;
    VoMouse* fMouse;
    std::vector<std::unique_ptr<VoPropertyList>> fLists;
    std::unique_ptr<VoDisplayGroup> fParent{new VoDisplayGroup()};
};

}  // namespace

TEST_F(VoLayoutBuilderTest, SampleLayoutBuildsThePanel) {
    VoPropertyList layout;
    ASSERT_TRUE(layout.Load(VoString(u"//textures/sample/sample_layout.txt"), true));
    LogCapture log;
    std::unique_ptr<VoDisplayGroup> panel(
        VoLayoutBuilder::BuildGroup(layout.GetList(VoString(u"sample")), true));
    ASSERT_NE(panel, nullptr);
    EXPECT_THAT(log.Lines(), IsEmpty());
    EXPECT_THAT(panel->GetPosition(), IsNear2D(272.0f, 236.0f));

    std::vector<std::string> ids;
    for (int i = 0; i < panel->GetMemberCount(); ++i) {
        ids.push_back(Narrow(panel->GetMemberAt(i)->GetId()));
    }
    EXPECT_THAT(ids, ElementsAre("background", "badge", "ok", "frame"));

    auto* background = dynamic_cast<VoSprite*>(panel->GetMember(VoString(u"background")));
    EXPECT_THAT(Vertices(background), ElementsAreArray(Quad(256, 128, 0, 0, 1, 1)));
    auto* badge = dynamic_cast<VoSprite*>(panel->GetMember(VoString(u"badge")));
    EXPECT_THAT(Vertices(badge), ElementsAreArray(Quad(32, 32, 0, 0, 0.5f, 1)));
    EXPECT_THAT(badge->GetPosition(), IsNear2D(12.0f, 12.0f));

    auto* ok = dynamic_cast<VoButton*>(panel->GetMember(VoString(u"ok")));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(Narrow(ok->GetCurrentObject()->GetId()), "ok_n");
    // The pointer over the button shows the other look.
    const VoVector2 over(272.0f + 180.0f + 10.0f, 236.0f + 84.0f + 10.0f);
    fMouse->Move(&over);
    ok->UpdateState();
    EXPECT_EQ(Narrow(ok->GetCurrentObject()->GetId()), "ok_o");

    auto* frame = dynamic_cast<VoSRectangle*>(panel->GetMember(VoString(u"frame")));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetStrokeColor().GetARGB(), VoColor(1.0f, 1.0f, 0.85f, 0.3f).GetARGB());
    EXPECT_EQ(frame->GetFillColor().GetARGB(), VoColor(0.5f, 0.1f, 0.1f, 0.2f).GetARGB());
    EXPECT_EQ(VoRectangle(*frame->GetBoundary()), VoRectangle(56, 12, 112, 32));
    EXPECT_TRUE(frame->UpdateShape());
    EXPECT_EQ(frame->GetFillTriangleCount(), 2);

    panel.reset();
    ExpectNothingLeft();
}

TEST_F(VoLayoutBuilderTest, SpritesWithoutCoordsShowTheWholeImageAndReadTheFileOnce) {
    // A copy of the picture that can be taken away after the first sprite.
    PlatformTestFolder scratch;
    std::filesystem::create_directories(scratch.Path("sample"));
    std::filesystem::copy_file(std::string(kSampleTextures) + "/sample/test_bg.tga",
                               scratch.Path("sample/test_bg.tga"));
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scratch"), VoString(scratch.Files().c_str())));
    ASSERT_TRUE(fTextures->SetRoot(VoString(u"//scratch")));
    VoPropertyList* node = Parse("id=bg\ntexture=sample/test_bg.tga\n");

    std::unique_ptr<VoSprite> first(VoLayoutBuilder::BuildSprite(node));
    std::filesystem::remove(scratch.Path("sample/test_bg.tga"));
    std::unique_ptr<VoSprite> second(VoLayoutBuilder::BuildSprite(node));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(scratch.LogEmpty());
    EXPECT_NE(first->GetTexture(), 0u);
    EXPECT_EQ(second->GetTexture(), first->GetTexture());
    EXPECT_EQ(RecordingTexture::LiveCount(), 1);
    EXPECT_THAT(Vertices(first.get()), ElementsAreArray(Quad(256, 128, 0, 0, 1, 1)));
    EXPECT_THAT(Vertices(second.get()), ElementsAreArray(Quad(256, 128, 0, 0, 1, 1)));
}

TEST_F(VoLayoutBuilderTest, TextureCoordsPickTexelsInclusiveOnFirstAndLaterLoads) {
    const struct {
        const char* coords;
        std::vector<float> quad;
    } cases[] = {
        {"0|0|31|15", Quad(32, 16, 0, 0, 32.0f / 256, 16.0f / 128)},
        {"128|64|255|127", Quad(128, 64, 0.5f, 0.5f, 1, 1)},
        // Missing numbers read as 0.
        {"0|0|31", Quad(32, 1, 0, 0, 32.0f / 256, 1.0f / 128)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.coords);
        VoPropertyList* node =
            Parse(std::string("id=s\ntexture=sample/test_bg.tga\ntexturecoords=") + c.coords);
        // The first reads the file, the second finds the texture filed.
        std::unique_ptr<VoSprite> first(VoLayoutBuilder::BuildSprite(node));
        std::unique_ptr<VoSprite> second(VoLayoutBuilder::BuildSprite(node));
        EXPECT_THAT(Vertices(first.get()), ElementsAreArray(c.quad));
        EXPECT_THAT(Vertices(second.get()), ElementsAreArray(c.quad));
        // Both gone, the texture goes too and the next case reads the file again.
        first.reset();
        second.reset();
        EXPECT_EQ(fTextures->GetHandle(VoString(u"sample/test_bg.tga")), 0u);
    }
}

TEST_F(VoLayoutBuilderTest, SharedKeysApplyOnlyWellFormedValues) {
    const struct {
        const char* line;
        VoVector2 position;
        VoVector2 scale;
        float rotation;
        float blend;
        bool visible;
    } cases[] = {
        {"position=5|7", {5, 7}, {1, 1}, 0, 1, true},
        {"position=5", {0, 0}, {1, 1}, 0, 1, true},
        {"position=1|2|3", {0, 0}, {1, 1}, 0, 1, true},
        {"scale=2|3", {0, 0}, {2, 3}, 0, 1, true},
        {"rotation=45", {0, 0}, {1, 1}, 45, 1, true},
        {"blend=0.25", {0, 0}, {1, 1}, 0, 0.25f, true},
        {"visible=SCRIPT[false]", {0, 0}, {1, 1}, 0, 1, false},
        {"visible=Script[true]", {0, 0}, {1, 1}, 0, 1, true},
        {"visible=yes", {0, 0}, {1, 1}, 0, 1, false},
        {"visible=TRUE", {0, 0}, {1, 1}, 0, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        LogCapture log;
        std::unique_ptr<VoDisplayGroup> group(
            VoLayoutBuilder::BuildGroup(Parse(std::string("id=g\n") + c.line), true));
        ASSERT_NE(group, nullptr);
        EXPECT_THAT(log.Lines(), IsEmpty());
        VoVector2 scale;
        group->GetScale(scale);
        EXPECT_THAT(group->GetPosition(), IsNear2D(c.position.x, c.position.y));
        EXPECT_THAT(scale, IsNear2D(c.scale.x, c.scale.y));
        EXPECT_FLOAT_EQ(group->GetRotation(), c.rotation);
        EXPECT_FLOAT_EQ(group->GetBlend(), c.blend);
        EXPECT_EQ(group->GetVisible(), c.visible);
    }
}

TEST_F(VoLayoutBuilderTest, EmptySpriteAndShapeSectionsAssertOnceAndKeepTheGroup) {
    const struct {
        const char* section;
        int asserts;
    } cases[] = {{"sprites", 1}, {"shapes", 1}, {"groups", 0}, {"buttons", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        LogCapture log;
        std::unique_ptr<VoDisplayGroup> group(
            VoLayoutBuilder::BuildGroup(Parse(std::string("id=g\n") + c.section + "\n"), true));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(log.Lines().size(), static_cast<std::size_t>(c.asserts));
        EXPECT_EQ(log.Count("ASSERT FAILURE: "), c.asserts);
    }
    // Without children the sections are not looked at.
    LogCapture log;
    std::unique_ptr<VoDisplayGroup> group(VoLayoutBuilder::BuildGroup(Parse("id=g\nsprites\n"), false));
    EXPECT_NE(group, nullptr);
    EXPECT_THAT(log.Lines(), IsEmpty());
}

TEST_F(VoLayoutBuilderTest, ElementsTheParentRefusesAreDeleted) {
    // Each kind twice under one id, and once with an empty id; each element
    // holds something that shows a leak: a texture lock, colour textures or
    // a place in the engine mouse.
    const struct {
        const char* kind;
        std::string body;
        bool result;
    } cases[] = {
        {"groups", "sprites\n" + Indent(List({"id=s\ntexture=sample/test_bg.tga"}), 1), false},
        {"buttons", "mouseorder=2", false},
        {"sprites", "texture=sample/test_bg.tga", true},
        {"shapes", "type=rectangle\ncoords=0|0|4|4", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        VoPropertyList* list = Parse(List({"id=one\n" + c.body, "id=one\n" + c.body, "id=\n" + c.body}));
        LogCapture log;
        bool built = false;
        if (std::string(c.kind) == "groups") {
            built = VoLayoutBuilder::BuildGroups(list, fParent.get());
        } else if (std::string(c.kind) == "buttons") {
            built = VoLayoutBuilder::BuildButtons(list, fParent.get(), nullptr);
        } else if (std::string(c.kind) == "sprites") {
            built = VoLayoutBuilder::BuildSprites(list, fParent.get());
        } else {
            built = VoLayoutBuilder::BuildShapes(list, fParent.get());
        }
        EXPECT_EQ(built, c.result);
        EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoDisplayGroup::kAddDuplicate) + "one"));
        EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayGroup::kAddNoId));
        EXPECT_EQ(fParent->GetMemberCount(), 1);
        ExpectNothingLeft();
    }
}

TEST_F(VoLayoutBuilderTest, SpritesNeedIdTextureAndAReadableImage) {
    const struct {
        const char* node;
        const char* message;
    } cases[] = {
        {"texture=sample/test_bg.tga", VoLayoutBuilder::kBuildSpriteNoId},
        {"id=s", VoLayoutBuilder::kBuildSpriteNoTexture},
        {"id=s\ntexture=sample/missing.tga", VoLayoutBuilder::kBuildSpritesFailure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        LogCapture log;
        VoPropertyList* list = Parse(List({c.node}));
        EXPECT_TRUE(VoLayoutBuilder::BuildSprites(list, fParent.get()));
        EXPECT_EQ(fParent->GetMemberCount(), 0);
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", c.message));
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoLayoutBuilder::kBuildSpritesFailure));
        EXPECT_EQ(RecordingTexture::LiveCount(), 0);
    }
}

TEST_F(VoLayoutBuilderTest, PolygonsTakeCoordsInPairsAsAClosedOutline) {
    std::unique_ptr<VoIShape> shape(
        VoLayoutBuilder::BuildShape(Parse("id=p\ntype=Polygon\ncoords=0|0|10|0|10|10|5")));
    auto* polygon = dynamic_cast<VoSPolygon*>(shape.get());
    ASSERT_NE(polygon, nullptr);
    ASSERT_NE(polygon->GetPolygon(), nullptr);
    EXPECT_EQ(polygon->GetPolygon()->GetNumPoints(), 3);
    EXPECT_TRUE(polygon->UpdateShape());
    EXPECT_EQ(polygon->GetStrokeSegmentCount(), 3);
    EXPECT_TRUE(polygon->HitTest(VoVector2(8.0f, 2.0f)));
    EXPECT_FALSE(polygon->HitTest(VoVector2(2.0f, 8.0f)));
}

TEST_F(VoLayoutBuilderTest, BeziersOfAnotherPointCountAreKeptWithoutCurves) {
    std::unique_ptr<VoIShape> joined(
        VoLayoutBuilder::BuildShape(Parse("id=b\ntype=BEZIER\ncoords=0|0|1|1|2|2|3|3")));
    ASSERT_NE(dynamic_cast<VoSBezier*>(joined.get()), nullptr);
    EXPECT_EQ(static_cast<VoSBezier*>(joined.get())->GetSegmentCount(), 1);

    LogCapture log;
    std::unique_ptr<VoIShape> five(
        VoLayoutBuilder::BuildShape(Parse("id=b\ntype=bezier\ncoords=0|0|1|1|2|2|3|3|4|4")));
    ASSERT_NE(dynamic_cast<VoSBezier*>(five.get()), nullptr);
    EXPECT_EQ(static_cast<VoSBezier*>(five.get())->GetSegmentCount(), 0);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoLayoutBuilder::kBuildBezierFailure));
}

TEST_F(VoLayoutBuilderTest, ShapeFailuresRefuseTheWholeShape) {
    const struct {
        const char* node;
        const char* message;
    } cases[] = {
        {"id=r\ncoords=0|0|1|1", VoLayoutBuilder::kBuildShapeNoType},
        {"id=r\ntype=circle\ncoords=0|0|1|1", VoLayoutBuilder::kBuildShapeUnknownType},
        {"type=rectangle\ncoords=0|0|1|1", VoLayoutBuilder::kBuildShapeNoId},
        {"id=r\ntype=rectangle\ncoords=0|0|1|1\nstrokecolor=1|0|0", VoLayoutBuilder::kBuildShapeFailure},
        {"id=r\ntype=rectangle", VoLayoutBuilder::kBuildRectangleNoCoords},
        {"id=r\ntype=rectangle\ncoords=0|0|1", VoLayoutBuilder::kBuildRectangleCoordCount},
        {"id=r\ntype=polygon", VoLayoutBuilder::kBuildPolygonNoCoords},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        LogCapture log;
        EXPECT_EQ(VoLayoutBuilder::BuildShape(Parse(c.node)), nullptr);
        EXPECT_EQ(log.Count("ASSERT FAILURE: "), 1);
        EXPECT_TRUE(log.Contains(c.message));
        // Colour textures of a shape made and refused are gone with it.
        EXPECT_EQ(RecordingTexture::LiveCount(), 0);
    }
}

TEST_F(VoLayoutBuilderTest, ShapesStrokeAndFillInOpaqueWhiteWithoutColours) {
    std::unique_ptr<VoIShape> plain(
        VoLayoutBuilder::BuildShape(Parse("id=r\ntype=rectangle\ncoords=1|2|30|40\nfilled=1\nrelativez=4")));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetStrokeColor().GetARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(plain->GetFillColor().GetARGB(), 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(plain->GetRelativeZ(), 4.0f);
}

TEST_F(VoLayoutBuilderTest, ButtonsReadRotAndTheirStates) {
    // Looks as shapes: 10 x 10 rectangles.
    const std::string look = "objecttype=shape\ntype=rectangle\ncoords=0|0|10|10\n";
    const std::vector<std::string> states = {
        "id=n\nstatetype=N\n" + look,
        "id=h\nstatetype=h\n" + look,
        "id=ho\nstatetype=HO\n" + look,
        "id=t\nstatetype=o\nobjecttype=text",
        "id=q\nstatetype=q\n" + look,   // no such state
        "id=n2\nstatetype=n\n" + look,  // a second normal look
        "id=u\n" + look,                // no state type
        "id=v\nstatetype=d",            // no object type
    };
    const std::string node = "id=b\nrotation=30\nhilighted=true\nstates\n" + Indent(List(states), 1);
    LogCapture log;
    std::unique_ptr<VoButton> button(VoLayoutBuilder::BuildButton(Parse(node), nullptr));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(fMouse->GetListenerCount(), 1);
    // "rotation" is not the button's key.
    EXPECT_FLOAT_EQ(button->GetRotation(), 0.0f);
    EXPECT_TRUE(button->IsHilighted());
    EXPECT_EQ(Narrow(button->GetStateObject(XBTNSTATE_NORMAL)->GetId()), "n");
    EXPECT_EQ(Narrow(button->GetStateObject(XBTNSTATE_HILIGHTED)->GetId()), "h");
    EXPECT_EQ(Narrow(button->GetStateObject(XBTNSTATE_HILIGHTED_OVER)->GetId()), "ho");
    EXPECT_EQ(button->GetStateObject(XBTNSTATE_OVER), nullptr);
    EXPECT_EQ(button->GetMemberCount(), 3);
    // Shown from the first frame.
    EXPECT_EQ(button->GetCurrentObject(), button->GetStateObject(XBTNSTATE_HILIGHTED));
    EXPECT_TRUE(log.Logged("ERROR: ", VoLayoutBuilder::kStateObjectFailure));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoButton::kStateDefined) + "4"));
    EXPECT_TRUE(log.Logged("ERROR: ", VoLayoutBuilder::kStateNoType));
    EXPECT_TRUE(log.Logged("ERROR: ", VoLayoutBuilder::kStateNoContentType));
    // The looks of "q" (no such state) and "n2" (a second normal) are gone:
    // two colour textures for each of the three kept.
    EXPECT_EQ(RecordingTexture::LiveCount(), 6);

    std::unique_ptr<VoButton> turned(VoLayoutBuilder::BuildButton(Parse("id=t\nrot=30\nenabled=0"), nullptr));
    ASSERT_NE(turned, nullptr);
    EXPECT_FLOAT_EQ(turned->GetRotation(), 30.0f);
    EXPECT_FALSE(turned->IsEnabled());
    EXPECT_EQ(fMouse->GetListenerCount(), 2);
    button.reset();
    turned.reset();
    ExpectNothingLeft();
}

TEST_F(VoLayoutBuilderTest, ScrollBarFindsItsButtonsByPath) {
    // A panel with the arrows, a sub-group holding the bar, and a sprite.
    const std::string button = "states\n" + Indent(List({"id=look\nstatetype=n\nobjecttype=group"}), 1);
    std::unique_ptr<VoDisplayGroup> panel(VoLayoutBuilder::BuildGroup(
        Parse("id=panel\nbuttons\n" + Indent(List({"id=up\n" + button, "id=down\n" + button}), 1) +
              "groups\n" + Indent(List({"id=track\nbuttons\n" + Indent(List({"id=bar\n" + button}), 1)}), 1) +
              "sprites\n" + Indent(List({"id=pic\ntexture=sample/test_bg.tga"}), 1)),
        true));
    ASSERT_NE(panel, nullptr);
    const std::string sizes =
        "barheight=40\nbarareaheight=200\ncontentheight=500\ncontentstartpos=10|20\nscrollareaheight=180\n"
        "scrollincrement=15\n";

    VoScrollBarDesc desc;
    desc.fHorizontal = true;
    LogCapture log;
    ASSERT_TRUE(VoLayoutBuilder::BuildScrollBar(
        Parse("downarrowid=down\nuparrowid=up\nbarid=track.bar\n" + sizes), panel.get(), &desc));
    EXPECT_THAT(log.Lines(), IsEmpty());
    EXPECT_EQ(desc.fpDownArrow, panel->GetMember(VoString(u"down")));
    EXPECT_EQ(desc.fpUpArrow, panel->GetMember(VoString(u"up")));
    EXPECT_EQ(desc.fpBar, panel->GetMember(VoString(u"track.bar")));
    EXPECT_EQ(desc.fContentHeight, 500);
    EXPECT_THAT(desc.fContentStart, IsNear2D(10.0f, 20.0f));
    EXPECT_EQ(desc.fScrollIncrement, 15);
    EXPECT_TRUE(desc.fHorizontal);

    // Sizes left out are logged and 0.
    VoScrollBarDesc bare;
    ASSERT_TRUE(VoLayoutBuilder::BuildScrollBar(Parse("downarrowid=down\nuparrowid=up\nbarid=track.bar"),
                                                panel.get(), &bare));
    EXPECT_EQ(log.Count("ASSERT FAILURE: "), 6);
    EXPECT_EQ(bare.fContentHeight, 0);

    // An id that names nothing, or no button, fails the description.
    for (const char* ids :
         {"uparrowid=up\nbarid=track.bar", "downarrowid=down\nuparrowid=up\nbarid=bar",
          "downarrowid=down\nuparrowid=up\nbarid=pic", "downarrowid=down\nuparrowid=up\nbarid=track"}) {
        SCOPED_TRACE(ids);
        log.Clear();
        VoScrollBarDesc refused;
        EXPECT_FALSE(
            VoLayoutBuilder::BuildScrollBar(Parse(std::string(ids) + "\n" + sizes), panel.get(), &refused));
        EXPECT_TRUE(log.Logged("ERROR: ", VoLayoutBuilder::kScrollBarNotFound));
    }
}
