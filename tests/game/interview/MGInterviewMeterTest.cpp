#include "interview/MGInterviewMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "InterviewGame.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "interview/MGInterviewManager.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"

namespace {

// The sample tree's shared layout, read under its texture root.
class MGInterviewMeterTest : public ::testing::Test {
protected:
    MGInterviewMeterTest() {
        VoTextureManager* textures = VoTextureManager::GetInstance();
        const VoString root = textures->GetRoot();
        textures->SetRoot(VoString(u"//textures/interview"));
        VoPropertyList layout;
        EXPECT_TRUE(layout.Load(VoString(u"//textures/interview/interview_layout.txt"), true));
        fMeter.SetId(VoString(u"meter"));
        fMeter.Setup(&layout);
        textures->SetRoot(root);
        fGoodTexture = "SetTexture(handle " + std::to_string(textures->GetHandle(VoString(u"meter_good.tga"))) + ")";
    }

    // Frames every 0.05 s until the side's shown value stops moving.
    void Grow() {
        for (int i = 0; i < 200 && fMeter.IsAnimating(); ++i) {
            fGame.At(fGame.Now() + 0.05);
        }
    }
    // The segments drawn by one render: (good, bad).
    std::pair<int, int> Segments() {
        RecordingRasterizer* raster = fGame.Rasterizer();
        raster->ClearCalls();
        fMeter.Render(VoRenderer::GetInstance());
        std::pair<int, int> counts(0, 0);
        std::string buffer;
        std::string texture;
        for (const RasterizerCall& call : raster->Calls()) {
            if (call.name == "SetVertexBuffer") {
                buffer = call.Text();
            } else if (call.name == "SetTexture") {
                texture = call.Text();
            } else if (call.name == "Draw" && buffer == "SetVertexBuffer(1, 4)") {
                EXPECT_EQ(call.Text(), "Draw(4, 0, 2)");
                (texture == fGoodTexture ? counts.first : counts.second) += 1;
            }
        }
        return counts;
    }

    InterviewGame fGame;
    MGInterviewMeter fMeter;
    std::string fGoodTexture;
};

}  // namespace

TEST_F(MGInterviewMeterTest, ATargetOf98OrMoreIsFullAndOneBelowIsKept) {
    struct Case {
        float shown;
        float step;
        float target;
    };
    const Case cases[] = {{0.0f, 97.9f, 97.9f}, {0.0f, 98.0f, 100.0f}, {50.0f, 48.5f, 100.0f},
                          {10.0f, 5.0f, 15.0f}, {0.0f, 1000.0f, 100.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        fMeter.SetGoodValue(c.shown);
        fMeter.SetBadValue(c.shown);
        EXPECT_FLOAT_EQ(fMeter.AddGood(c.step), c.target);
        EXPECT_FLOAT_EQ(fMeter.AddBad(c.step), c.target);
    }
}

TEST_F(MGInterviewMeterTest, TheShownValueGrowsOneAStepAndStopsAtItsTarget) {
    fMeter.AddBad(2.5f);
    EXPECT_TRUE(fMeter.IsAnimating());
    // Steps come more than 0.02 s apart.
    fGame.At(fGame.Now() + 0.02);
    EXPECT_EQ(fMeter.GetBadValue(), 0.0f);
    fGame.At(fGame.Now() + 0.03);
    EXPECT_EQ(fMeter.GetBadValue(), 1.0f);
    fGame.At(fGame.Now() + 0.03);
    fGame.At(fGame.Now() + 0.03);
    EXPECT_EQ(fMeter.GetBadValue(), 2.5f);
    EXPECT_FALSE(fMeter.IsAnimating());
    EXPECT_EQ(fMeter.GetGoodValue(), 0.0f);
}

TEST_F(MGInterviewMeterTest, ASecondQuickAnswerStartsFromTheShownValue) {
    fMeter.AddGood(20.0f);
    for (int i = 0; i < 3; ++i) {
        fGame.At(fGame.Now() + 0.05);
    }
    EXPECT_EQ(fMeter.GetGoodValue(), 3.0f);
    EXPECT_FLOAT_EQ(fMeter.AddGood(20.0f), 23.0f);
    Grow();
    EXPECT_FLOAT_EQ(fMeter.GetGoodValue(), 23.0f);
}

TEST_F(MGInterviewMeterTest, AlmostFullNeverFills) {
    fMeter.AddGood(97.9f);
    Grow();
    EXPECT_FLOAT_EQ(fMeter.GetGoodValue(), 97.9f);
    EXPECT_FALSE(fMeter.IsGoodFull());
    fGame.At(fGame.Now() + 5.0);
    EXPECT_FALSE(fMeter.GetSprite(VoString(u"greenglow"))->GetVisible());
}

TEST_F(MGInterviewMeterTest, AFullSideBlinksThreeTimesThenTellsTheInterviewOnce) {
    struct Case {
        bool good;
        const char* glow;
        const char* told;
    };
    const Case cases[] = {{true, "greenglow", "state noinfo_t3 true"},
                          {false, "redglow", "state denialtime_t3 "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.glow);
        std::unique_ptr<MGInterview> interview(fGame.MakeInterview("t3.txt", "fonts\n", ""));
        InterviewProbe probe;
        fMeter.SetGoodValue(0.0f);
        fMeter.SetBadValue(0.0f);
        fMeter.SetInterview(interview.get());
        (c.good ? fMeter.AddGood(98.0f) : fMeter.AddBad(98.0f));
        for (int i = 0; i < 100 && !(c.good ? fMeter.IsGoodFull() : fMeter.IsBadFull()); ++i) {
            fGame.At(fGame.Now() + 0.05);
        }
        ASSERT_TRUE(c.good ? fMeter.IsGoodFull() : fMeter.IsBadFull());
        EXPECT_EQ(c.good ? fMeter.GetGoodValue() : fMeter.GetBadValue(), 100.0f);
        // Nothing grows while a side is full.
        fMeter.AddGood(0.0f);
        VoSprite* glow = fMeter.GetSprite(VoString(c.glow));
        int shows = 0;
        bool wasShown = false;
        for (int i = 0; i < 100 && probe.fJournal.empty(); ++i) {
            fGame.At(fGame.Now() + 0.05);
            if (glow->GetVisible() && !wasShown) {
                ++shows;
            }
            wasShown = glow->GetVisible();
        }
        EXPECT_EQ(shows, 3);
        EXPECT_FALSE(glow->GetVisible());
        ASSERT_FALSE(probe.fJournal.empty());
        EXPECT_EQ(probe.fJournal[0].compare(0, std::string(c.told).size(), c.told), 0) << probe.fJournal[0];
        EXPECT_FALSE(fMeter.IsAnimating());
        probe.Take();
        fGame.At(fGame.Now() + 2.0);
        EXPECT_TRUE(probe.With("event evt_interview").empty());
    }
}

TEST_F(MGInterviewMeterTest, EachSideDrawsASegmentForEveryTwoAndAHalfPoints) {
    struct Case {
        float value;
        int segments;
    };
    const Case cases[] = {{0.0f, 0}, {2.4f, 0}, {2.5f, 1}, {50.0f, 20}, {99.9f, 39}, {100.0f, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        fMeter.SetGoodValue(c.value);
        fMeter.SetBadValue(0.0f);
        EXPECT_EQ(Segments(), std::make_pair(c.segments, 0));
        fMeter.SetGoodValue(0.0f);
        fMeter.SetBadValue(c.value);
        EXPECT_EQ(Segments(), std::make_pair(0, c.segments));
    }
    // Both full: 80 segments, never more.
    fMeter.SetGoodValue(100.0f);
    fMeter.SetBadValue(100.0f);
    EXPECT_EQ(Segments(), std::make_pair(40, 40));
}

TEST_F(MGInterviewMeterTest, SegmentKIsTurnedNineDegreesMoreAboutTheCentre) {
    fMeter.SetPosition(117.0f, 150.0f);
    fMeter.SetGoodValue(5.0f);
    RecordingRasterizer* raster = fGame.Rasterizer();
    raster->ClearCalls();
    fMeter.Render(VoRenderer::GetInstance());
    std::vector<VoMatrix> worlds;
    std::string buffer;
    VoMatrix world;
    for (const RasterizerCall& call : raster->Calls()) {
        if (call.name == "SetVertexBuffer") {
            buffer = call.Text();
        } else if (call.name == "SetTransform" && call.hasMatrix) {
            world = call.matrix;
        } else if (call.name == "Draw" && buffer == "SetVertexBuffer(1, 4)") {
            worlds.push_back(world);
        }
    }
    ASSERT_EQ(worlds.size(), 2u);
    VoVector2 offset;
    VoRenderer::GetInstance()->GetScreenOffset(offset);
    const float angle = 9.0f * 3.14159265f / 180.0f;
    EXPECT_NEAR(worlds[0].m[0][0], 31.0f, 1e-4f);
    EXPECT_NEAR(worlds[0].m[0][1], 0.0f, 1e-4f);
    EXPECT_NEAR(worlds[1].m[0][0], 31.0f * std::cos(angle), 1e-3f);
    EXPECT_NEAR(worlds[1].m[0][1], 31.0f * std::sin(angle), 1e-3f);
    EXPECT_NEAR(worlds[1].m[3][0], 117.0f + offset.x, 1e-3f);
    EXPECT_NEAR(worlds[1].m[3][1], -150.0f + offset.y, 1e-3f);
}

TEST_F(MGInterviewMeterTest, ALayoutWithoutItsSpritesIsSaidAndDrawsSegmentsOnly) {
    LogCapture log;
    MGInterviewMeter bare;
    VoPropertyList empty;
    bare.Setup(&empty);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterviewMeter::kNoSprites));
    bare.SetGoodValue(10.0f);
    EXPECT_TRUE(bare.Render(VoRenderer::GetInstance()));
    EXPECT_EQ(bare.GetSprite(VoString(u"bg")), nullptr);
}
