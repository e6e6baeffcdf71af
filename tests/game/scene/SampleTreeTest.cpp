// The sample tree's scenes hold together: every voice-over that their
// hotspots and close-ups name has its sound under "//sounds" and its text
// in the subtitle file, and every viewpoint's hotspot and close-up files
// are there. Every scene with a placard loads through the scene manager,
// each viewpoint with all its hotspots and close-ups; each puzzle has a
// hotspot that opens it and finds the place its solution leads to; and
// the files the game asks for by name are there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "game/support/SampleGame.h"
#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"
#include "puzzles/cigarband/MGCigarBandPuzzle.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/crossword/MGCrossWordPuzzle.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"
#include "puzzles/harppuzzle/MGHarpPuzzle.h"
#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/MGMapPuzzle.h"
#include "puzzles/painting/MGPaintingPuzzle.h"
#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"
#include "puzzles/receipt/MGReceiptPuzzle.h"
#include "puzzles/roomservice/MGRoomServicePuzzle.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"
#include "puzzles/velmire/MGVelmirePuzzle.h"
#include "scene/MGCloseUp.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

namespace {

// The scene ids of the sample tree: the folders under data/scenes with a
// scene.txt, as "case01/lobby".
std::vector<std::string> SceneIds() {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(VO_SOURCE_DIR) / "data" / "scenes";
    std::vector<std::string> ids;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().filename() == "scene.txt") {
            ids.push_back(fs::relative(entry.path().parent_path(), root).generic_string());
        }
    }
    return ids;
}

bool Exists(const std::string& aPath) {
    return VoIFileSystem::GetInstance()->FileExists(VoString(aPath.c_str()), true);
}

// A voice-over's name and its file: "x.ogg" is itself, "x" is "x.ogg".
struct VoiceOver {
    std::string name;
    std::string where;
};

void AddList(VoPropertyList* apList, const char* apPath, const std::string& aWhere, bool aEveryOther,
             std::vector<VoiceOver>* apOut) {
    bool found = false;
    const VoVectorString names = apList->GetVectorString(VoString(apPath), &found);
    // A hotspot's list is the line, the speaker and the easy level's line.
    for (int i = 0; found && i < names.GetCount(); i += aEveryOther ? 2 : 1) {
        apOut->push_back({Narrow(names.GetAt(i)), aWhere + " " + apPath});
    }
}

void AddHotspotLines(VoPropertyList* apFile, const std::string& aWhere, std::vector<VoiceOver>* apOut) {
    for (int i = 0; apFile != nullptr && i < apFile->GetCount(); ++i) {
        VoPropertyList* entry = apFile->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        const std::string where = aWhere + " hotspot " + Narrow(apFile->GetKeyAt(i));
        for (const char* list : {"data.voiceovers.look", "data.voiceovers.use", "data.voiceovers.satisfied",
                                 "data.voiceovers.unsatisfied"}) {
            AddList(entry, list, where, true, apOut);
        }
        bool found = false;
        for (const char* list :
             {"typedata.navigate.conditional.satisfied", "typedata.navigate.conditional.unsatisfied"}) {
            const VoVectorString lines = entry->GetVectorString(VoString(list), &found);
            if (found && lines.GetCount() > 0) {
                apOut->push_back({Narrow(lines.GetAt(0)), where + " " + list});
            }
        }
    }
}

// The scene ids with a placard in scenes.txt, in file order.
std::vector<std::string> PlacardIds() {
    VoPropertyList placards;
    EXPECT_TRUE(placards.Load(VoString(u"//scenes/scenes.txt"), true));
    std::vector<std::string> ids;
    for (int i = 0; i < placards.GetCount(); ++i) {
        ids.push_back(Narrow(placards.GetKeyAt(i)));
    }
    return ids;
}

// The entries of one list file of a scene's viewpoint ("hotspots" names the
// file without ".txt", "closeups" with it); none when the key is missing.
int EntryCount(const std::string& aFolder, VoPropertyList* apViewpoint, const char16_t* apKey,
               const char* apExtension) {
    bool found = false;
    const std::string name = Narrow(apViewpoint->GetString(VoString(apKey), &found));
    VoPropertyList file;
    if (!found) {
        return 0;
    }
    EXPECT_TRUE(file.Load(VoString((aFolder + name + apExtension).c_str()), true)) << aFolder << name;
    return file.GetCount();
}

// Every "statechanges" and "doneevents" value of a hotspot file, with the
// hotspot's id: "id statechanges=..." and "id doneevents=...".
void AddResults(VoPropertyList* apFile, std::set<std::string>* apOut) {
    for (int i = 0; i < apFile->GetCount(); ++i) {
        VoPropertyList* entry = apFile->GetListAt(i);
        for (const char* action : {"look", "collect", "use"}) {
            for (const char* key : {"statechanges", "doneevents"}) {
                bool found = false;
                const std::string path = std::string("data.multicursor.") + action + "." + key;
                const VoString value = entry->GetString(VoString(path.c_str()), &found);
                if (found) {
                    apOut->insert(std::string(key) + "=" + Narrow(value));
                }
            }
        }
    }
}

}  // namespace

TEST(SampleTree, EverySceneLoadsWithAllItsHotspotsAndCloseUps) {
    SampleGame game;
    MGScreenManager::GetInstance();
    const std::vector<std::string> placards = PlacardIds();
    const std::vector<std::string> folders = SceneIds();
    EXPECT_EQ(std::set<std::string>(placards.begin(), placards.end()),
              std::set<std::string>(folders.begin(), folders.end()));
    for (const char* id :
         {"case01/riverbank", "case02/hotel_room", "case03/brownstone", "case04/victimshotel", "puzzles"}) {
        EXPECT_NE(std::find(placards.begin(), placards.end(), id), placards.end()) << id;
    }
    for (const std::string& id : placards) {
        SCOPED_TRACE(id);
        LogCapture log;
        MGSceneManager* scenes = MGSceneManager::GetInstance();
        ASSERT_TRUE(scenes->LoadScene(VoString(id.c_str()), true, true));
        game.FrameAt(0.0);
        MGScene* scene = scenes->GetScene();
        const std::string folder = "//scenes/" + id + "/";
        VoPropertyList file;
        ASSERT_TRUE(file.Load(VoString((folder + "scene.txt").c_str()), true));
        VoPropertyList* viewpoints = file.GetList(VoString(u"viewpoints"));
        ASSERT_NE(viewpoints, nullptr);
        for (int v = 0; v < viewpoints->GetCount(); ++v) {
            const VoString viewpoint = viewpoints->GetKeyAt(v);
            ASSERT_TRUE(scene->SetViewpoint(viewpoint)) << Narrow(viewpoint);
            EXPECT_EQ(scene->GetHotspotCount(),
                      EntryCount(folder, viewpoints->GetListAt(v), u"hotspots", ".txt"))
                << Narrow(viewpoint);
            EXPECT_EQ(scene->GetCloseUpCount(), EntryCount(folder, viewpoints->GetListAt(v), u"closeups", ""))
                << Narrow(viewpoint);
        }
        // Read without a complaint of the scene, its hotspots or close-ups
        // (optional files that are missing and the stub movie player's
        // failures are none of theirs).
        EXPECT_EQ(log.Count("ASSERT FAILURE: ") + log.Count("ERROR: game/scene/MGScene") +
                      log.Count("ERROR: game/scene/MGHotspot") + log.Count("ERROR: game/scene/MGCloseUp"),
                  0)
            << log.Contents();
    }
}

TEST(SampleTree, EveryPuzzleOpensFromAHotspotAndLeadsToItsPlace) {
    SampleGame game;
    std::set<std::string> results;
    for (const std::string& id : SceneIds()) {
        const std::string folder = "//scenes/" + id + "/";
        VoPropertyList scene;
        ASSERT_TRUE(scene.Load(VoString((folder + "scene.txt").c_str()), true)) << id;
        VoPropertyList* viewpoints = scene.GetList(VoString(u"viewpoints"));
        for (int v = 0; viewpoints != nullptr && v < viewpoints->GetCount(); ++v) {
            bool found = false;
            const std::string name =
                Narrow(viewpoints->GetListAt(v)->GetString(VoString(u"hotspots"), &found));
            VoPropertyList file;
            if (found && file.Load(VoString((folder + name + ".txt").c_str()), true)) {
                AddResults(&file, &results);
            }
        }
    }
    // Each puzzle's activation state, the case selection's and the
    // profiling computer's, set true; the map takes no input, and the event
    // that shows it for a while opens it.
    const char16_t* const states[] = {
        MGCigarBandPuzzle::kActivationState,
        MGCombinationLockPuzzle::kActivationState,
        MGSlideBoxPuzzle::kActivationState,
        MGFloorSafePuzzle::kActivationState,
        MGPOBoxPuzzle::kActivationState,
        MGPaintingPuzzle::kActivationState,
        MGCrossWordPuzzle::kActivationState,
        MGReceiptPuzzle::kActivationState,
        MGPCDesktopPuzzle::kActivationState,
        MGChasePhotoPuzzle::kActivationState,
        MGHotelWindowPuzzle::kActivationState,
        MGDravoBoxPuzzle::kActivationState,
        MGRoomServicePuzzle::kActivationState,
        MGBaseballBatPuzzle::kActivationState,
        MGHarpPuzzle::kActivationState,
        MGVelmirePuzzle::kActivationState,
        MGSurveillanceTapePuzzle::kActivationState,
        u"sta_caseselection_active",
        u"sta_profiler_active",
    };
    std::vector<std::string> openers = {"doneevents=" + Narrow(VoString(MGMapPuzzle::kSandcastleCue))};
    for (const char16_t* state : states) {
        openers.push_back("statechanges=" + Narrow(VoString(state)) + "|boolean|true");
    }
    for (const std::string& opener : openers) {
        EXPECT_EQ(results.count(opener), 1u) << opener;
    }

    // Where the solutions lead: the scene's viewpoint, and the close-up
    // that the state the movie's end sets opens there.
    const MGPuzzleOpening openings[] = {
        MGCombinationLockPuzzle::kOpening,
        MGSlideBoxPuzzle::kOpening,
        MGFloorSafePuzzle::kOpening,
        MGPOBoxPuzzle::kOpening,
        MGPaintingPuzzle::kOpening,
        MGChasePhotoPuzzle::kOpening,
        MGDravoBoxPuzzle::kOpening,
        MGHarpPuzzle::kOpening,
        {MGRoomServicePuzzle::kTargetScene, MGRoomServicePuzzle::kTargetViewpoint,
         MGRoomServicePuzzle::kDoneState, nullptr},
    };
    for (const MGPuzzleOpening& opening : openings) {
        const std::string folder = "//scenes/" + Narrow(VoString(opening.fpScene)) + "/";
        SCOPED_TRACE(folder + Narrow(VoString(opening.fpViewpoint)));
        VoPropertyList scene;
        ASSERT_TRUE(scene.Load(VoString((folder + "scene.txt").c_str()), true));
        VoPropertyList* viewpoint = scene.GetList(VoString(u"viewpoints.") + VoString(opening.fpViewpoint));
        ASSERT_NE(viewpoint, nullptr);
        if (opening.fpMovie != nullptr) {
            EXPECT_TRUE(Exists("//dataroot/movies/" + Narrow(VoString(opening.fpMovie))));
        }
        if (opening.fpDoneState == nullptr) {
            continue;
        }
        bool found = false;
        const VoString closeUps = viewpoint->GetString(VoString(u"closeups"), &found);
        VoPropertyList file;
        ASSERT_TRUE(found && file.Load(VoString(folder.c_str()) + closeUps, true));
        int opened = 0;
        for (int c = 0; c < file.GetCount(); ++c) {
            opened += file.GetListAt(c)->GetString(VoString(u"triggerstate"), nullptr) ==
                      VoString(opening.fpDoneState);
        }
        EXPECT_EQ(opened, 1) << Narrow(VoString(opening.fpDoneState));
    }
}

TEST(SampleTree, TheFilesTheGameAsksForByNameAreThere) {
    SampleGame game;
    const char* const files[] = {
        // The intro, the new game's opening, the cases' intros and reviews.
        "//dataroot/movies/Quorvel_Logo.bik",
        "//dataroot/movies/000_all.bik",
        "//dataroot/movies/152_all.bik",
        "//dataroot/movies/252_all.bik",
        "//dataroot/movies/352_all.bik",
        "//dataroot/movies/016_all.bik",
        "//dataroot/movies/452_all.bik",
        "//dataroot/movies/001_all.bik",
        "//dataroot/movies/002_all.bik",
        "//dataroot/movies/003_all.bik",
        // The cut-scene tables, the subtitles, the tooltips and the fonts.
        "//dataroot/movies/cutscenes.txt",
        "//dataroot/movies/cutscenes_subtitles.txt",
        "//scenes/vo_subtitles.txt",
        "//dataroot/assets/tooltips.txt",
        "//dataroot/textures/fonts/fonts.txt",
        // The screens' layouts.
        "//textures/menu/main_menu_layout.txt",
        "//textures/menu/save_screen_layout.txt",
        "//textures/menu/load_screen_layout.txt",
        "//textures/menu/options_screen_layout.txt",
        "//textures/menu/messagebox_layout.txt",
        "//textures/back_btn_layout.txt",
        "//textures/pda/pda_layout.txt",
        "//textures/pda/pda_minimized_layout.txt",
        "//textures/pda/inventory_layout.txt",
        "//textures/pda/map_layout.txt",
        "//textures/interview/interview_layout.txt",
        "//textures/profiler/profiler_layout.txt",
        // The first scenes of the four cases.
        "//scenes/case01/riverbank/scene.txt",
        "//scenes/case02/hotel_room/scene.txt",
        "//scenes/case03/brownstone/scene.txt",
        "//scenes/case04/victimshotel/scene.txt",
    };
    for (const char* file : files) {
        EXPECT_TRUE(Exists(file)) << file;
    }
}

TEST(SampleTree, EveryVoiceOverOfTheScenesHasItsSoundAndSubtitle) {
    SampleGame game;
    VoPropertyList subtitles;
    ASSERT_TRUE(subtitles.Load(VoString(u"//scenes/vo_subtitles.txt"), true));

    std::vector<VoiceOver> lines;
    const std::vector<std::string> ids = SceneIds();
    ASSERT_FALSE(ids.empty());
    for (const std::string& id : ids) {
        const std::string folder = "//scenes/" + id + "/";
        VoPropertyList scene;
        ASSERT_TRUE(scene.Load(VoString((folder + "scene.txt").c_str()), true)) << id;
        VoPropertyList* viewpoints = scene.GetList(VoString(u"viewpoints"));
        for (int v = 0; viewpoints != nullptr && v < viewpoints->GetCount(); ++v) {
            VoPropertyList* viewpoint = viewpoints->GetListAt(v);
            const std::string where = id + " " + Narrow(viewpoints->GetKeyAt(v));
            bool found = false;
            const std::string hotspots = Narrow(viewpoint->GetString(VoString(u"hotspots"), &found));
            if (found) {
                VoPropertyList file;
                ASSERT_TRUE(file.Load(VoString((folder + hotspots + ".txt").c_str()), true)) << where;
                AddHotspotLines(&file, where, &lines);
            }
            const std::string closeUps = Narrow(viewpoint->GetString(VoString(u"closeups"), &found));
            if (!found) {
                continue;
            }
            VoPropertyList file;
            ASSERT_TRUE(file.Load(VoString((folder + closeUps).c_str()), true)) << where;
            for (int c = 0; c < file.GetCount(); ++c) {
                VoPropertyList* closeUp = file.GetListAt(c);
                const std::string at = where + " close-up " + Narrow(file.GetKeyAt(c));
                for (const char* list : {"voiceovers.hint", "voiceovers.default", "voiceover"}) {
                    AddList(closeUp, list, at, false, &lines);
                }
                AddHotspotLines(closeUp->GetList(VoString(u"hotspots")), at, &lines);
            }
        }
    }
    // The sample's close-up and hotspots speak.
    EXPECT_GE(lines.size(), 4u);

    std::set<std::string> seen;
    for (const VoiceOver& line : lines) {
        SCOPED_TRACE(line.where);
        const bool withExtension = line.name.find('.') != std::string::npos;
        const std::string base = line.name.substr(0, line.name.find('.'));
        const std::string file = withExtension ? line.name : line.name + ".ogg";
        EXPECT_TRUE(Exists("//sounds/" + file)) << file;
        bool found = false;
        const VoString text = subtitles.GetString(VoString(base.c_str()), &found);
        EXPECT_TRUE(found && text.GetLength() > 0) << base << " has no subtitle";
        seen.insert(base);
    }
    EXPECT_TRUE(seen.count("1kr01_rg") == 1 && seen.count("1kr01a_rg") == 1);
}
