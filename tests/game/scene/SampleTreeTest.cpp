// The sample tree's scenes hold together: every voice-over that their
// hotspots and close-ups name has its sound under "//sounds" and its text
// in the subtitle file, and every viewpoint's hotspot and close-up files
// are there.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "game/support/SampleGame.h"
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

}  // namespace

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
