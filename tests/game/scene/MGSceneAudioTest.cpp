#include "scene/MGSceneAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SceneMediaFakes.h"
#include "container/VoPropertyList.h"
#include "scene/MGSceneAudioItem.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "system/VoIFileSystem.h"
#include "util/MGOptions.h"

namespace {

using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// An entry of "audio.txt" at depth 2 (under "audio.<section>").
std::string Entry(const std::string& aKey, const std::string& aBody) {
    std::string text = "\t\t" + aKey + "\n";
    std::string line;
    for (char c : aBody) {
        if (c == '\n') {
            text += "\t\t\t" + line + "\n";
            line.clear();
        } else {
            line += c;
        }
    }
    return text;
}

// A sound that plays every aSeconds after the last ended.
std::string Every(const std::string& aId, double aSeconds, const std::string& aExtra = "") {
    const std::string seconds = Number(aSeconds);
    return Entry(aId, "id=" + aId + "\nsounds=" + aId + ".wav\nminInterval=" + seconds +
                          "\nmaxInterval=" + seconds + "\n" + aExtra);
}

std::string Looping(const std::string& aId, const std::string& aExtra = "") {
    return Entry(aId, "id=" + aId + "\nsounds=" + aId + ".ogg\nlooping=true\n" + aExtra);
}

std::string Section(const std::string& aName, const std::string& aEntries) {
    return "\t" + aName + "\n" + aEntries;
}

// The journal lines of one play of the item.
Lines Plays(const std::string& aId, const std::string& aFile, bool aLoop, const std::string& aVolume = "1") {
    return {"stream " + aId + " //dataroot/sounds/" + aFile, "listener " + aId,
            "loop " + aId + (aLoop ? " 1" : " 0"), "play " + aId, "volume " + aId + " " + aVolume};
}

Lines operator+(Lines aFirst, const Lines& aSecond) {
    aFirst.insert(aFirst.end(), aSecond.begin(), aSecond.end());
    return aFirst;
}

class MGSceneAudioTest : public ::testing::Test {
protected:
    MGSceneAudioTest() { fOptions = MGOptions::GetInstance(); }

    // Loads "audio.txt" from the text of its sections.
    void Load(const std::string& aSections) {
        VoPropertyList* data = new VoPropertyList();
        data->Parse(VoString(("audio\n" + aSections).c_str()));
        ASSERT_TRUE(fAudio.LoadList(data));
        MediaJournal::Take();
    }
    void FrameAt(double aTime) {
        fTimer.fNow = aTime;
        VoFrameManager::GetInstance()->Update();
    }
    std::vector<std::string> Schedule() const {
        std::vector<std::string> ids;
        for (int i = 0; i < fAudio.GetScheduleCount(); ++i) {
            ids.push_back(Narrow(fAudio.GetScheduledId(i)) + "@" + Number(fAudio.GetScheduledTime(i)));
        }
        return ids;
    }
    static void End(const std::string& aName) {
        FakeSoundPlayer* player = FakeSoundPlayer::Find(aName);
        ASSERT_NE(player, nullptr) << aName;
        player->End();
    }

    SceneEngine fEngine;
    MGOptions* fOptions = nullptr;
    SetTimer fTimer;
    MGSceneAudio fAudio{&fTimer};
};

}  // namespace

TEST_F(MGSceneAudioTest, ALoopingItemPlaysFromTheStartAndIsNeverScheduled) {
    Load(Section("scene", Looping("hum")));
    fAudio.Start();
    EXPECT_EQ(MediaJournal::Take(), Plays("hum", "hum.ogg", true));
    EXPECT_THAT(Schedule(), IsEmpty());
    EXPECT_TRUE(fAudio.IsStarted());
    EXPECT_FLOAT_EQ(fAudio.GetSceneItem(VoString(u"hum"))->GetMinInterval(), -1.0f);
    for (double time : {1.0, 100.0, 1000.0}) {
        FrameAt(time);
    }
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());
}

TEST_F(MGSceneAudioTest, AnItemPlaysItsIntervalAfterTheStartAndAfterEachEnd) {
    Load(Section("scene", Every("drip", 5.0)));
    fTimer.fNow = 10.0;
    fAudio.Start();
    EXPECT_THAT(Schedule(), ElementsAre("drip@15"));
    FrameAt(15.0);
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());
    FrameAt(15.01);
    EXPECT_EQ(MediaJournal::Take(), Plays("drip", "drip.wav", false));
    EXPECT_THAT(Schedule(), IsEmpty());
    EXPECT_TRUE(fAudio.GetSceneItem(VoString(u"drip"))->IsPlaying());

    fTimer.fNow = 21.5;
    End("drip");
    EXPECT_THAT(MediaJournal::Take(), ElementsAre("delete drip"));
    EXPECT_FALSE(fAudio.GetSceneItem(VoString(u"drip"))->IsPlaying());
    EXPECT_THAT(Schedule(), ElementsAre("drip@26.5"));
    FrameAt(26.6);
    EXPECT_EQ(MediaJournal::Take(), Plays("drip", "drip.wav", false));
}

TEST_F(MGSceneAudioTest, RandomWaitsLieBetweenTheIntervals) {
    std::string entries;
    for (int i = 0; i < 8; ++i) {
        entries += Entry("e" + std::to_string(i),
                         "id=e" + std::to_string(i) + "\nsounds=a.wav\nminInterval=2\nmaxInterval=4\n");
    }
    Load(Section("scene", entries));
    fTimer.fNow = 100.0;
    fAudio.Start();
    ASSERT_EQ(fAudio.GetScheduleCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_GE(fAudio.GetScheduledTime(i), 102.0f);
        EXPECT_LE(fAudio.GetScheduledTime(i), 104.0f);
        if (i > 0) {
            EXPECT_LE(fAudio.GetScheduledTime(i - 1), fAudio.GetScheduledTime(i));
        }
    }
}

// Scene items come first, then the viewpoint's, each in file order; items due
// together start in consecutive frames.
TEST_F(MGSceneAudioTest, EqualTimesKeepTheirOrderAndOneItemStartsPerFrame) {
    Load(Section("scene", Every("a", 1.0) + Every("b", 1.0)) + Section("vp", Every("c", 1.0)));
    EXPECT_TRUE(fAudio.SetViewpoint(VoString(u"vp")));
    EXPECT_THAT(Schedule(), ElementsAre("a@1", "b@1", "c@1"));
    FrameAt(0.5);
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());
    std::vector<std::string> started;
    for (double time : {3.0, 3.0, 3.0, 3.0}) {
        FrameAt(time);
        for (const std::string& line : MediaJournal::Take()) {
            if (line.rfind("play ", 0) == 0) {
                started.push_back(line.substr(5) + "@" + Number(time));
            }
        }
    }
    EXPECT_THAT(started, ElementsAre("a@3", "b@3", "c@3"));

    // An item scheduled later at an equal time goes behind those already there.
    fTimer.fNow = 10.0;
    End("a");
    End("c");
    End("b");
    EXPECT_THAT(Schedule(), ElementsAre("a@11", "c@11", "b@11"));
}

TEST_F(MGSceneAudioTest, TheOptionsSwitchTheScenesMusicAndAmbienceOff) {
    struct Case {
        int option;
        std::vector<std::string> scene;
        std::vector<std::string> viewpoint;
    };
    const std::string sections = Section("scene", Looping("Music") + Looping("wind")) +
                                 Section("vp", Looping("music") + Every("bird", 3.0));
    const Case cases[] = {
        {-1, {"Music", "wind"}, {"music", "bird"}},
        {MGSceneAudio::kMusicOption, {"wind"}, {"music", "bird"}},
        {MGSceneAudio::kAmbienceOption, {"Music"}, {"music", "bird"}},
    };
    for (const Case& c : cases) {
        for (int option = 0; option < MGOptions::kOptionCount; ++option) {
            fOptions->SetOption(option, option == c.option ? 1 : 0);
        }
        Load(sections);
        fAudio.SetViewpoint(VoString(u"vp"));
        std::vector<std::string> scene;
        std::vector<std::string> viewpoint;
        for (const char* id : {"Music", "music", "wind", "bird"}) {
            if (fAudio.GetSceneItem(VoString(id)) != nullptr) {
                scene.push_back(id);
            }
            if (fAudio.GetViewpointItem(VoString(id)) != nullptr) {
                viewpoint.push_back(id);
            }
        }
        EXPECT_EQ(scene, c.scene) << c.option;
        EXPECT_EQ(viewpoint, c.viewpoint) << c.option;
    }
}

TEST_F(MGSceneAudioTest, TheVolumeIsTheEntrysTimesTheOptions) {
    fOptions->SetVolume(0.8f);
    Load(Section("scene", Looping("quiet", "volume=0.5\n") + Looping("plain")));
    EXPECT_FLOAT_EQ(fAudio.GetSceneItem(VoString(u"quiet"))->GetVolume(), 0.4f);
    EXPECT_FLOAT_EQ(fAudio.GetSceneItem(VoString(u"plain"))->GetVolume(), 0.8f);
    fAudio.Start();
    EXPECT_EQ(MediaJournal::Take(),
              Plays("quiet", "quiet.ogg", true, "0.4") + Plays("plain", "plain.ogg", true, "0.8"));
}

TEST_F(MGSceneAudioTest, AnItemPlaysOneOfItsSounds) {
    Load(Section("scene",
                 Entry("birds", "id=birds\nsounds=a.wav|b.wav|c.wav\nminInterval=0\nmaxInterval=0\n")));
    fAudio.Start();
    for (int i = 0; i < 6; ++i) {
        FrameAt(1.0 + i);
        const Lines lines = MediaJournal::Take();
        ASSERT_FALSE(lines.empty());
        EXPECT_THAT(lines[0],
                    AnyOf("stream birds //dataroot/sounds/a.wav", "stream birds //dataroot/sounds/b.wav",
                          "stream birds //dataroot/sounds/c.wav"));
        End("birds");
        MediaJournal::Take();
    }
}

// A viewpoint item still playing a sound that does not loop finishes it and
// is then deleted; the others go at once.
TEST_F(MGSceneAudioTest, ViewpointItemsStillPlayingRetireAndDieAtTheirEnd) {
    Load(Section("one", Every("drip", 0.0) + Every("idle", 50.0) + Looping("fan")) +
         Section("two", Every("drip", 0.0)));
    fAudio.SetViewpoint(VoString(u"one"));
    FrameAt(1.0);
    MediaJournal::Take();
    ASSERT_TRUE(fAudio.GetViewpointItem(VoString(u"drip"))->IsPlaying());

    fAudio.SetViewpoint(VoString(u"two"));
    EXPECT_THAT(MediaJournal::Take(), ElementsAre("stop fan", "delete fan"));
    EXPECT_EQ(fAudio.GetRetiredItemCount(), 1);
    EXPECT_EQ(fAudio.GetViewpointItemCount(), 1);
    EXPECT_THAT(Schedule(), ElementsAre("drip@1"));

    // The retired item shares its id with the new one: its end deletes it
    // and leaves the new one's schedule as it was.
    End("drip");
    EXPECT_THAT(MediaJournal::Take(), ElementsAre("delete drip"));
    EXPECT_EQ(fAudio.GetRetiredItemCount(), 0);
    EXPECT_THAT(Schedule(), ElementsAre("drip@1"));

    // A second change retires the new one the same way.
    FrameAt(2.0);
    MediaJournal::Take();
    fAudio.SetViewpoint(VoString(u"one"));
    fAudio.SetViewpoint(VoString(u"two"));
    EXPECT_EQ(fAudio.GetRetiredItemCount(), 1);
}

TEST_F(MGSceneAudioTest, ASoundThatCannotBeOpenedIsLoggedOnceAndStaysSilent) {
    MediaJournal::Missing().insert("//dataroot/sounds/gone.ogg");
    MediaJournal::Missing().insert("//dataroot/sounds/lost.wav");
    Load(Section("scene", Looping("gone") +
                              Entry("lost", "id=lost\nsounds=lost.wav\nminInterval=1\nmaxInterval=1\n")));
    LogCapture log;
    fAudio.Start();
    for (int i = 0; i < 5; ++i) {
        FrameAt(2.0 + i);
        fAudio.SetViewpoint(VoString(u"elsewhere"));
    }
    EXPECT_EQ(log.Count("//dataroot/sounds/gone.ogg"), 1);
    EXPECT_EQ(log.Count("//dataroot/sounds/lost.wav"), 1);
    EXPECT_TRUE(fAudio.GetSceneItem(VoString(u"gone"))->IsSilenced());
    EXPECT_TRUE(fAudio.GetSceneItem(VoString(u"lost"))->IsSilenced());
    EXPECT_THAT(FakeSoundPlayer::Live(), IsEmpty());
}

TEST_F(MGSceneAudioTest, EntriesWithoutAnIdOrWithATakenIdAreDropped) {
    LogCapture log;
    Load(Section("scene", Entry("a", "sounds=x.wav\nlooping=1\n") + Looping("b") +
                              Entry("c", "id=b\nsounds=y.wav\nlooping=1\n") + Entry("d", "id=d\n") +
                              Entry("e", "id=\nsounds=e.wav\nminInterval=1\nmaxInterval=1\n")));
    // The empty id is an id.
    EXPECT_EQ(fAudio.GetSceneItemCount(), 3);
    EXPECT_NE(fAudio.GetSceneItem(VoString(u"")), nullptr);
    EXPECT_TRUE(log.Contains("Duplicate"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGSceneAudioItem::kNoSounds));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGSceneAudioItem::kNoMinInterval));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGSceneAudioItem::kNoMaxInterval));
    fAudio.Start();
    EXPECT_EQ(MediaJournal::Take(), Plays("b", "b.ogg", true));
}

TEST_F(MGSceneAudioTest, StopLeavesTheFramesAndDeletionStopsEverySound) {
    Load(Section("scene", Looping("hum") + Every("drip", 1.0)));
    fAudio.Start();
    const int listeners = VoFrameManager::GetInstance()->GetListenerCount();
    fAudio.Start();
    EXPECT_EQ(VoFrameManager::GetInstance()->GetListenerCount(), listeners);
    fAudio.Stop();
    EXPECT_FALSE(fAudio.IsStarted());
    EXPECT_EQ(VoFrameManager::GetInstance()->GetListenerCount(), listeners - 1);
    MediaJournal::Take();
    FrameAt(10.0);
    EXPECT_THAT(MediaJournal::Take(), IsEmpty());

    {
        MGSceneAudio other(&fTimer);
        VoPropertyList* data = new VoPropertyList();
        data->Parse(
            VoString("audio\n\tscene\n\t\thum\n\t\t\tid=hum2\n\t\t\tsounds=h.ogg\n\t\t\tlooping=1\n"));
        ASSERT_TRUE(other.LoadList(data));
        other.Start();
        MediaJournal::Take();
    }
    EXPECT_THAT(MediaJournal::Take(), ElementsAre("stop hum2", "delete hum2"));
    EXPECT_EQ(VoFrameManager::GetInstance()->GetListenerCount(), listeners - 1);
}

TEST_F(MGSceneAudioTest, LoadsTheFileOfTheSceneFolder) {
    LogCapture log;
    EXPECT_FALSE(fAudio.Load(VoString(u"//scenes/nowhere/")));
    EXPECT_FALSE(fAudio.LoadList(nullptr));

    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
    ASSERT_TRUE(fAudio.Load(VoString(u"//scenes/case01/lobby/")));
    EXPECT_GT(fAudio.GetSceneItemCount(), 0);
    for (const char* viewpoint : {"vp_entrance", "vp_desk"}) {
        fAudio.SetViewpoint(VoString(viewpoint));
        EXPECT_GT(fAudio.GetViewpointItemCount(), 0) << viewpoint;
    }
    // Every sound it names is in the sample tree.
    std::vector<std::string> sounds;
    for (MGSceneAudioItem* item :
         {fAudio.GetSceneItem(VoString(u"music")), fAudio.GetSceneItem(VoString(u"hum"))}) {
        ASSERT_NE(item, nullptr);
        for (int i = 0; i < item->GetSounds().GetCount(); ++i) {
            sounds.push_back(Narrow(item->GetSounds().GetAt(i)));
        }
    }
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    for (const std::string& sound : sounds) {
        EXPECT_TRUE(
            VoIFileSystem::GetInstance()->FileExists(VoString(("//dataroot/sounds/" + sound).c_str()), true))
            << sound;
    }
    EXPECT_FALSE(log.Contains("ASSERT FAILURE"));
}

// On the engine's own sound manager: a missing file is reported by the
// manager once, and the item stays silent.
TEST(MGSceneAudioItem, AMissingFileOnTheEnginesSoundManagerIsReportedOnce) {
    ScopedGame game;
    LogCapture log;
    VoPropertyList entry;
    entry.Parse(VoString(u"id=wind\nsounds=no_such_sound.ogg\nlooping=true\n"));
    MGSceneAudioItem item;
    ASSERT_TRUE(item.Load(&entry, nullptr));
    item.Play();
    item.Play();
    EXPECT_FALSE(item.IsPlaying());
    EXPECT_TRUE(item.IsSilenced());
    EXPECT_EQ(log.Count("no_such_sound.ogg"), 1);
}
