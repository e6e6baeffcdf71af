#pragma once
// What the hotspot tests share: the scene tests' room ("test/room", see
// SceneTestFiles.h) written into the SceneGame's scratch "//scenes", with
// the player under the id "kestrin", the witness "clerk" (the sample
// character) standing at (4, 0, 4), an evidence list, the voice-over
// subtitles and the hotspot files the test gives; loaded through the scene
// manager as the game does (entered, its input on). Sounds are the stub
// sound manager's: the test ends a voice-over as the library would.
//
//     TEST_F(MGHotspotRoadTest, ...) {
//         Load(Entry("desk", "general", kMenu));
//         Hover("desk");
//         Press(kInside);
//     }
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "SceneTestFiles.h"
#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "event/VoIEventListener.h"
#include "game/support/SceneGame.h"
#include "multicursor/MGMultiCursor.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGHotspot.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/TestText.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace hotspots {

// A point inside the boundary that Entry gives every hotspot, and one
// outside every boundary.
constexpr float kInsideX = 150.0f;
constexpr float kInsideY = 150.0f;
constexpr float kOutsideX = 700.0f;
constexpr float kOutsideY = 550.0f;

// One hotspot entry of a hotspot file: the id, the type, an enabled
// script, a rectangle 100..200 x 100..200, and the given "data" lines
// (tab-indented below "data") and further top-level lines.
inline std::string Entry(const std::string& aId, const std::string& aType, const std::string& aData = "",
                         const std::string& aMore = "", const std::string& aEnabled = "script[true]") {
    return aId + "\n\tid=" + aId + "\n\ttype=" + aType + "\n\tenabled=" + aEnabled +
           "\n\tboundary\n\t\ttype=rectangle\n\t\tcoords=100|100|100|100\n\t\tposition=0|0\n\tdata\n" +
           aData + aMore;
}

// A menu with every action but talk, for "letter": look, collect and use
// with their done events, opening at (300, 120).
inline std::string Menu(const std::string& aExtra = "", const std::string& aItem = "letter") {
    return "\t\tmulticursor\n\t\t\tposition=300|120\n\t\t\toperatingid=" + aItem + "\n" + aExtra +
           "\t\t\tlook\n\t\t\t\tdoneevents=evt_looked\n"
           "\t\t\tcollect\n\t\t\t\tdoneevents=evt_collected\n\t\t\t\tstatechanges=sta_collected|boolean|"
           "true\n"
           "\t\t\tuse\n\t\t\t\tdoneevents=evt_used\n"
           "\t\t\tanalyze\n\t\t\t\tenabled=script[false]\n";
}

// An entry as a property list, for the reader's tests.
inline std::unique_ptr<VoPropertyList> ParseEntry(const std::string& aText) {
    auto file = std::make_unique<VoPropertyList>();
    EXPECT_TRUE(file->Parse(VoString(aText.c_str())));
    return file;
}

// Every event added with notification while it exists, by id.
class EventJournal : public VoIEventListener {
public:
    EventJournal() { VoEventManager::GetInstance()->AddListener(this, 0.0f); }
    ~EventJournal() override {
        if (VoEventManager* events = VoEventManager::GetInstance()) {
            events->RemoveListener(this);
        }
    }
    void OnEvent(VoEvent* apEvent) override { fIds.push_back(Narrow(apEvent->GetId())); }
    int Count(const std::string& aId) const {
        return static_cast<int>(std::count(fIds.begin(), fIds.end(), aId));
    }

    std::vector<std::string> fIds;
};

class HotspotRoom : public ::testing::Test {
protected:
    HotspotRoom() {
        // As the application's start-up does: the screen stack and its
        // fader before the scenes, which keep the fader until they go.
        MGScreenManager::GetInstance();
        MGOptions::GetInstance()->SetSkillLevel(1);
        fFiles = RoomFiles();
        fFiles["evidence.txt"] =
            "near\n\tcoords=0|1|-4\n\tvcoords=0|-6\n\tradius=3\n"
            "far\n\tcoords=0|1|9\n\tvcoords=0|8\n\tradius=2\n";
        fFiles["hotspots_a.txt"] = "";
        fFiles["hotspots_b.txt"] = "";
    }

    // Writes the room with aHotspots as vp_a's hotspot file (and every file
    // of fFiles), loads it and runs a frame; the scene or null.
    MGScene* Load(const std::string& aHotspots) {
        fFiles["hotspots_a.txt"] = aHotspots;
        fFiles["scene.txt"] = SceneText();
        WriteRoom("test/room");
        fGame.WritePlacards("");
        fGame.fFolder.Write("vo_subtitles.txt", fSubtitles);
        MGSceneManager* scenes = MGSceneManager::GetInstance();
        if (!scenes->LoadScene(VoString(u"test/room"), true, true)) {
            return nullptr;
        }
        Frames(0.05);
        return scenes->GetScene();
    }
    // The room's scene.txt: vp_a with fViewpointLines added.
    std::string SceneText() const {
        return "characters\n"
               "\tplayer\n"
               "\t\tkestrin\n"
               "\t\t\tdata=sample_character.txt\n"
               "\tnpcs\n"
               "\t\tclerk\n"
               "\t\t\tdata=sample_character.txt\n"
               "\t\t\tposition=4|0|4\n"
               "\t\t\tdirection=0|0|-1\n"
               "defaultviewpoint=vp_a\n"
               "viewpoints\n"
               "\tvp_a\n"
               "\t\tbackground=a.tga\n"
               "\t\tdepthmesh=room.lim\n"
               "\t\tcamera\n"
               "\t\t\tid=cam_a\n"
               "\t\thotspots=hotspots_a\n"
               "\t\tstartwaypoint=door\n"
               "\t\tstartdirection=0|0|1\n"
               "\t\tshadowcaster=sun\n" +
               fViewpointLines +
               "\tvp_b\n"
               "\t\tbackground=b.tga\n"
               "\t\tdepthmesh=room.lim\n"
               "\t\tcamera\n"
               "\t\t\tid=cam_b\n"
               "\t\thotspots=hotspots_b\n"
               "\t\tstartwaypoint=side\n"
               "\t\tstartdirection=-1|0|0\n"
               "\t\tshadowcaster=sun\n";
    }
    void WriteRoom(const std::string& aId) {
        for (const auto& file : fFiles) {
            fGame.fFolder.Write(aId + "/" + file.first, file.second);
        }
    }

    // Frames every 0.05 s for aSeconds of the test's clock, as the
    // application runs them: the frame listeners, then the scene's update.
    void Frames(double aSeconds) {
        const double end = fGame.fNow + aSeconds;
        while (fGame.fNow < end) {
            fGame.fNow += 0.05;
            RecordingGame::FrameAt(fGame.fNow);
            MGSceneManager::GetInstance()->Update();
        }
    }

    static MGScene* Scene() { return MGSceneManager::GetInstance()->GetScene(); }
    // The scene's hotspot of the id, or null.
    static MGHotspot* Hotspot(const std::string& aId) {
        MGScene* scene = Scene();
        for (int i = 0; scene != nullptr && i < scene->GetHotspotCount(); ++i) {
            if (Narrow(scene->GetHotspot(i)->GetId()) == aId) {
                return scene->GetHotspot(i);
            }
        }
        return nullptr;
    }

    static void Move(float aX, float aY) {
        const VoVector2 position(aX, aY);
        VoMouse::GetInstance()->Move(&position);
    }
    static void Click(float aX, float aY) {
        Move(aX, aY);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
    }
    static void ClickInside() { Click(kInsideX, kInsideY); }
    static void ClickOutside() { Click(kOutsideX, kOutsideY); }
    // Runs frames until the menu's opening fade is over.
    void WaitForMenu() {
        for (int i = 0; i < 40 && !MGMultiCursor::GetInstance()->IsShown(); ++i) {
            Frames(0.05);
        }
    }

    static bool HasEvent(const char* apId) { return VoEventManager::GetInstance()->HasEvent(VoString(apId)); }
    static void AddEvent(const char* apId) { VoEventManager::GetInstance()->AddEvent(VoString(apId), true); }
    static void RemoveEvent(const char* apId) {
        VoEvent* event = nullptr;
        VoEventManager::GetInstance()->RemoveEvent(VoString(apId), &event);
        delete event;
    }
    // Whether the state exists and is a true boolean.
    static bool StateTrue(const char* apId) {
        VoIState* state = VoStateManager::GetInstance()->GetState(VoString(apId));
        return state != nullptr && state->GetBoolean();
    }
    static void SetState(const char* apId, const char* apType, const char* apValue) {
        VoStateManager::GetInstance()->SetState(VoString(apId), VoString(apType), VoString(apValue), true);
    }
    static MGCursor* Cursor() { return MGCursor::GetInstance(); }
    // The newest sound asked of the stub sound manager ("name path"), or "".
    static std::string LastSound() { return stubs::SoundsAsked().empty() ? "" : stubs::SoundsAsked().back(); }
    bool Logged(const std::string& aLevel, const std::string& aText) const {
        return fGame.fFolder.Logged(aLevel, aText);
    }
    int CountLogged(const std::string& aText) const {
        int count = 0;
        for (const std::string& line : fGame.fFolder.LogLines()) {
            count += line.find(aText) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    SceneGame fGame;
    std::map<std::string, std::string> fFiles;
    // Lines added to vp_a's section (two tabs deep), a display group say.
    std::string fViewpointLines;
    std::string fSubtitles = "line_a=The first line.\nline_b=The second line.\n";
};

}  // namespace hotspots
