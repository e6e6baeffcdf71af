#include "scene/MGAmbientAnimPlayer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SceneMediaFakes.h"
#include "container/VoPropertyList.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImageTGA.h"
#include "scene/MGAmbientAnimItem.h"
#include "support/LogCapture.h"
#include "system/VoIFileSystem.h"
#include "util/MGOptions.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kSign = "//dataroot/movies/sign.mkv";

// The journal lines of a movie started.
Lines Started(const std::string& aPath, bool aLoop) {
    return {"movie " + aPath + " " + aPath, "looping movie " + aPath + (aLoop ? " 1" : " 0"),
            "play movie " + aPath};
}

class MGAmbientAnimTest : public ::testing::Test {
protected:
    // An item of the entry's text (keys one a line).
    MGAmbientAnimItem& Item(const std::string& aEntry) {
        VoPropertyList entry;
        entry.Parse(VoString(aEntry.c_str()));
        fItems.push_back(std::make_unique<MGAmbientAnimItem>(&fTimer));
        EXPECT_TRUE(fItems.back()->Load(&entry));
        return *fItems.back();
    }
    // Draws the item at aTime; whether its sprite was drawn.
    bool DrawAt(MGAmbientAnimItem& aItem, double aTime) {
        fTimer.fNow = aTime;
        Raster()->ClearCalls();
        EXPECT_TRUE(aItem.Draw(fRenderer));
        return Raster()->Count("Draw") > 0;
    }
    RecordingRasterizer* Raster() { return fEngine.Rasterizer(); }
    // The texture handles drawn since the last ClearCalls, in order.
    std::vector<std::string> Drawn() { return Raster()->Texts("SetTexture"); }

    SceneEngine fEngine;
    SetTimer fTimer;
    VoRenderer* fRenderer = VoRenderer::GetInstance();
    std::vector<std::unique_ptr<MGAmbientAnimItem>> fItems;
};

std::string Handle(const MGAmbientAnimItem* apItem) {
    return "SetTexture(handle " + std::to_string(apItem->GetSprite()->GetTexture()) + ")";
}

}  // namespace

TEST_F(MGAmbientAnimTest, AnEntryWithoutLoopLoopsFromItsLoad) {
    MGAmbientAnimItem& item = Item("movie=sign.mkv\nposition=120|45\n");
    EXPECT_TRUE(item.IsLooping());
    EXPECT_EQ(MediaJournal::Take(), Started(kSign, true));
    ASSERT_NE(item.GetSprite(), nullptr);
    ASSERT_NE(item.GetMovie(), nullptr);
    EXPECT_EQ(Narrow(item.GetSprite()->GetId()), kSign);
    EXPECT_EQ(item.GetSprite()->GetPosition(), VoVector2(120.0f, 45.0f));
    EXPECT_EQ(item.GetSprite()->GetTexture(), item.GetMovie()->GetTextureHandle());
    EXPECT_TRUE(DrawAt(item, 1.0));
    EXPECT_THAT(Drawn(), ElementsAre(Handle(&item)));
    // A loop that plays out (it does not) would change nothing.
    item.OnMovieEnd(VoString(kSign.c_str()));
    EXPECT_NE(item.GetSprite(), nullptr);
}

TEST_F(MGAmbientAnimTest, AnEntryWithoutPositionPlaysAtTheOrigin) {
    MGAmbientAnimItem& item = Item("movie=sign.mkv\nloop=true\n");
    ASSERT_NE(item.GetSprite(), nullptr);
    EXPECT_EQ(item.GetSprite()->GetPosition(), VoVector2(0.0f, 0.0f));
}

TEST_F(MGAmbientAnimTest, AClipWaitsItsIntervalPlaysOnceAndWaitsAgain) {
    fTimer.fNow = 5.0;
    MGAmbientAnimItem& item = Item("movie=sign.mkv\nloop=false\nmininterval=10\nmaxinterval=10\n");
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());
    EXPECT_FLOAT_EQ(item.GetNextTime(), 15.0f);
    EXPECT_FALSE(DrawAt(item, 15.0));
    EXPECT_EQ(item.GetMovie(), nullptr);

    // Made on the first draw after its time, shown from the next one.
    EXPECT_FALSE(DrawAt(item, 15.1));
    EXPECT_EQ(MediaJournal::Take(), Started(kSign, false));
    EXPECT_TRUE(DrawAt(item, 15.2));

    fTimer.fNow = 20.0;
    item.GetMovie()->GetListener()->OnMovieEnd(VoString(kSign.c_str()));
    EXPECT_THAT(MediaJournal::Take(), ElementsAre("delete movie " + kSign));
    EXPECT_EQ(item.GetSprite(), nullptr);
    EXPECT_EQ(item.GetMovie(), nullptr);
    EXPECT_FLOAT_EQ(item.GetNextTime(), 30.0f);
    EXPECT_FALSE(DrawAt(item, 29.9));
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());
    EXPECT_FALSE(DrawAt(item, 30.1));
    EXPECT_EQ(MediaJournal::Take(), Started(kSign, false));
}

TEST_F(MGAmbientAnimTest, RandomWaitsLieBetweenTheIntervals) {
    fTimer.fNow = 100.0;
    for (int i = 0; i < 8; ++i) {
        MGAmbientAnimItem& item = Item("movie=a.mkv\nloop=0\nmininterval=2\nmaxinterval=4\n");
        EXPECT_GE(item.GetNextTime(), 102.0f);
        EXPECT_LE(item.GetNextTime(), 104.0f);
    }
    // Missing intervals are 0: the clip starts on the first draw.
    MGAmbientAnimItem& item = Item("movie=a.mkv\nloop=0\n");
    EXPECT_FLOAT_EQ(item.GetNextTime(), 100.0f);
}

TEST_F(MGAmbientAnimTest, AMovieThatCannotBeMadeIsLoggedOnceAndTheItemStaysEmpty) {
    MediaJournal::Missing().insert("//dataroot/movies/gone.mkv");
    LogCapture log;
    MGAmbientAnimItem& looping = Item("movie=gone.mkv\n");
    MGAmbientAnimItem& clip = Item("movie=gone.mkv\nloop=false\nmininterval=1\nmaxinterval=1\n");
    for (int frame = 0; frame < 10; ++frame) {
        DrawAt(looping, 2.0 + frame);
        DrawAt(clip, 2.0 + frame);
    }
    EXPECT_EQ(log.Count(std::string(MGAmbientAnimItem::kStartFailure) + "//dataroot/movies/gone.mkv"), 2);
    EXPECT_EQ(MediaJournal::Take().size(), 2u);
    EXPECT_TRUE(looping.IsFailed());
    EXPECT_TRUE(clip.IsFailed());
    EXPECT_EQ(clip.GetSprite(), nullptr);

    // Without "movie" nothing is tried at all.
    MGAmbientAnimItem& unnamed = Item("loop=true\n");
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGAmbientAnimItem::kNoMovie));
    EXPECT_TRUE(unnamed.IsFailed());
    EXPECT_EQ(Narrow(unnamed.GetPath()), "//dataroot/movies/");
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());
}

TEST_F(MGAmbientAnimTest, ThePlayerDrawsEachLayerInOrderAndDeletesTheBackgroundFirst) {
    VoPropertyList section;
    section.Parse(
        VoString("background\n\tsmoke\n\t\tmovie=smoke.mkv\n\tsign\n\t\tmovie=sign.mkv\n"
                 "\t\tposition=10|20\nforeground\n\tpasser\n\t\tmovie=passer.mkv\n"));
    {
        MGAmbientAnimPlayer player(&fTimer);
        EXPECT_EQ(Narrow(player.ToString()), "[MGAmbientAnimPlayer <" + HexAddress(&player) + ">]");
        EXPECT_TRUE(player.Load(&section));
        ASSERT_EQ(player.GetBackgroundCount(), 2);
        ASSERT_EQ(player.GetForegroundCount(), 1);
        EXPECT_EQ(player.GetBackground(2), nullptr);
        EXPECT_EQ(Narrow(player.GetBackground(1)->GetPath()), "//dataroot/movies/sign.mkv");
        MediaJournal::Take();

        Raster()->ClearCalls();
        EXPECT_TRUE(player.DrawBackground(fRenderer));
        EXPECT_THAT(Drawn(), ElementsAre(Handle(player.GetBackground(0)), Handle(player.GetBackground(1))));
        Raster()->ClearCalls();
        EXPECT_TRUE(player.DrawForeground(fRenderer));
        EXPECT_THAT(Drawn(), ElementsAre(Handle(player.GetForeground(0))));
    }
    EXPECT_THAT(MediaJournal::Take(), ElementsAre("delete movie //dataroot/movies/smoke.mkv",
                                                  "delete movie //dataroot/movies/sign.mkv",
                                                  "delete movie //dataroot/movies/passer.mkv"));
    EXPECT_THAT(FakeMoviePlayer::Live(), IsEmpty());

    MGAmbientAnimPlayer empty(&fTimer);
    EXPECT_TRUE(empty.Load(nullptr));
    EXPECT_TRUE(empty.DrawBackground(fRenderer));
}

// On the engine's own movie manager, which gives null for a missing file
// without a word: the item says it once.
TEST(MGAmbientAnimItem, AMissingFileOnTheEnginesMovieManagerIsReportedOnce) {
    ScopedGame game;
    LogCapture log;
    VoPropertyList entry;
    entry.Parse(VoString(u"movie=no_such_movie.mkv\n"));
    MGAmbientAnimItem item;
    EXPECT_TRUE(item.Load(&entry));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(item.Draw(nullptr));
    }
    EXPECT_EQ(item.GetSprite(), nullptr);
    EXPECT_EQ(log.Count("no_such_movie.mkv"), 1);
}

// The sample lobby's ambient movies: every viewpoint has a player, whose
// movies are in the sample tree; with the option set there is none.
TEST_F(MGAmbientAnimTest, TheSampleLobbyNamesMoviesOfTheSampleTree) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    ASSERT_TRUE(files->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    VoPropertyList animations;
    ASSERT_TRUE(animations.Load(VoString(u"//dataroot/scenes/case01/lobby/animations.txt"), true));
    int movies = 0;
    for (const char* viewpoint : {"vp_entrance", "vp_desk"}) {
        std::unique_ptr<MGAmbientAnimPlayer> player(
            MGAmbientAnimPlayer::CreateForViewpoint(&animations, VoString(viewpoint), &fTimer));
        ASSERT_NE(player, nullptr) << viewpoint;
        for (int i = 0; i < player->GetBackgroundCount() + player->GetForegroundCount(); ++i) {
            const MGAmbientAnimItem* item = i < player->GetBackgroundCount()
                                                ? player->GetBackground(i)
                                                : player->GetForeground(i - player->GetBackgroundCount());
            EXPECT_TRUE(files->FileExists(item->GetPath(), true)) << Narrow(item->GetPath());
            ++movies;
        }
    }
    EXPECT_GT(movies, 0);

    EXPECT_EQ(MGAmbientAnimPlayer::CreateForViewpoint(&animations, VoString(u"vp_nowhere")), nullptr);
    EXPECT_EQ(MGAmbientAnimPlayer::CreateForViewpoint(nullptr, VoString(u"vp_desk")), nullptr);
    MGOptions::GetInstance()->SetOption(MGAmbientAnimPlayer::kOffOption, 1);
    EXPECT_EQ(MGAmbientAnimPlayer::CreateForViewpoint(&animations, VoString(u"vp_desk")), nullptr);
}

// The engine's own movie reader opens the sample sign. (A texture movie
// also needs the device's texture limits, which a test has none of.)
TEST(MGAmbientAnimItem, TheSampleSignOpensOnTheEnginesMovieManager) {
    ScopedGame game;
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    ASSERT_NE(movies, nullptr);
    VoIMoviePlayer* sign =
        movies->CreateFullScreenMovie(VoString(u"sign"), VoString(u"//dataroot/movies/lobby_sign.mkv"));
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(sign->GetWidth(), 100);
    EXPECT_EQ(sign->GetHeight(), 26);
    EXPECT_EQ(sign->GetFrameCount(), 15u);
    EXPECT_EQ(sign->GetFrameRate(), 5);
    delete sign;
}

// Each of the sample lobby's movies lies on the screen over one plain colour
// of its viewpoint's background, and the same colour in every viewpoint: the
// sign's bare stretch of the back wall (its plaster is flat-lit), clear of
// the pillar, the key board and the ceiling's edge.
TEST(MGAmbientAnimItem, TheSampleLobbysMoviesHangOnABareStretchOfWall) {
    ScopedGame game;
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    const std::string lobby = "//dataroot/scenes/case01/lobby/";
    VoPropertyList scene;
    VoPropertyList animations;
    ASSERT_TRUE(scene.Load(VoString((lobby + "scene.txt").c_str()), true));
    ASSERT_TRUE(animations.Load(VoString((lobby + "animations.txt").c_str()), true));
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    ASSERT_NE(movies, nullptr);
    std::vector<VoColor> walls;
    for (const std::string viewpoint : {"vp_entrance", "vp_desk"}) {
        const std::string section = "viewpoints." + viewpoint;
        const VoString background = scene.GetString(VoString((section + ".background").c_str()), nullptr);
        VoImageTGA picture;
        ASSERT_TRUE(picture.Create(VoString((lobby + Narrow(background)).c_str())));
        for (const char* layer : {".background", ".foreground"}) {
            VoPropertyList* items = animations.GetList(VoString((section + layer).c_str()));
            for (int i = 0; items != nullptr && i < items->GetCount(); ++i) {
                SCOPED_TRACE(viewpoint + layer + " " + Narrow(items->GetKeyAt(i)));
                VoPropertyList* item = items->GetListAt(i);
                ASSERT_NE(item, nullptr);
                const VoString path =
                    VoString(u"//dataroot/movies/") + item->GetString(VoString(u"movie"), nullptr);
                std::unique_ptr<VoIMoviePlayer> movie(
                    movies->CreateFullScreenMovie(VoString(u"ambient"), path));
                ASSERT_NE(movie, nullptr);
                const VoVectorFloat position = item->GetVectorFloat(VoString(u"position"), nullptr);
                ASSERT_EQ(position.GetCount(), 2);
                const int left = static_cast<int>(position.GetAt(0));
                const int top = static_cast<int>(position.GetAt(1));
                const int right = left + movie->GetWidth();
                const int bottom = top + movie->GetHeight();
                ASSERT_TRUE(left >= 0 && top >= 0 && right <= picture.GetWidth() &&
                            bottom <= picture.GetHeight())
                    << left << ", " << top << " to " << right << ", " << bottom;
                const VoColor wall = picture.GetPixel(left, top);
                int others = 0;
                for (int y = top; y < bottom; ++y) {
                    for (int x = left; x < right; ++x) {
                        others += picture.GetPixel(x, y) == wall ? 0 : 1;
                    }
                }
                EXPECT_EQ(others, 0);
                walls.push_back(wall);
            }
        }
    }
    ASSERT_EQ(walls.size(), 2u);
    EXPECT_TRUE(walls[0] == walls[1])
        << Narrow(walls[0].ToString()) << " and " << Narrow(walls[1].ToString());
}
