#pragma once
// The map tests' game: a PDAGame (the sample tree, "test/room" on the scratch
// "//scenes") with two more scenes to travel to, "test/near" (viewpoints
// vp_a and vp_b) and "test/far" (a placard on the first visit), and map
// layouts written by the test:
//
//     MapGame game;
//     game.LoadMap(MapLayout({{1, {Tag("inn", 10, 20)}}}));
//     game.OpenMap();
//     game.ClickTag(10, 20);   // a click on the tag placed at (10, 20) of the map
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "container/VoPropertyList.h"
#include "game/pda/PDATestGame.h"
#include "pda/MGMapPanel.h"
#include "pda/MGMapTag.h"
#include "platform/VoIMouseListener.h"

// One tag of a test layout: its place on the map, its show script and its
// targets (condition, logic), plus any further lines of its node.
struct TagSpec {
    std::string id;
    int x;
    int y;
    std::string show;
    std::vector<std::pair<std::string, std::string>> targets;
    std::string extra;
};

inline TagSpec Tag(const std::string& aId, int aX, int aY, const std::string& aShow = "script[true]",
                   std::vector<std::pair<std::string, std::string>> aTargets = {{"script[true]",
                                                                                 "gotoscene|test/near"}},
                   const std::string& aExtra = "") {
    return TagSpec{aId, aX, aY, aShow, std::move(aTargets), aExtra};
}

// The lines of a button picture of the sample's tag atlas, 51 x 16.
inline std::string ButtonStates(const std::string& aPad, const std::string& aId) {
    std::string text = aPad + "states\n";
    for (const char* state : {"n", "o"}) {
        text += aPad + "\t" + state + "\n";
        text += aPad + "\t\tid=" + aId + "_" + state + "\n";
        text += aPad + "\t\tstatetype=" + state + "\n";
        text += aPad + "\t\tobjecttype=sprite\n";
        text += aPad + "\t\ttexture=map_tags.tga\n";
        text += aPad + "\t\ttexturecoords=0|36|50|51\n";
    }
    return text;
}

// A map layout with a background, the "show_all" button at (180, 10) of the
// map and the tags of each case.
inline std::string MapLayout(const std::map<int, std::vector<TagSpec>>& aCases) {
    std::string text =
        "groups\n\tbackground\n\t\tid=background\n\tcheat\n\t\tid=show_all\n\t\tposition=180|10\n";
    text += ButtonStates("\t\t", "show_all");
    text += "\tmaptags\n\t\tgroups\n";
    for (const auto& [number, tags] : aCases) {
        text += "\t\t\tcase" + std::to_string(number) + "\n\t\t\t\tbuttons\n";
        for (const TagSpec& tag : tags) {
            const std::string pad = "\t\t\t\t\t\t";
            text += "\t\t\t\t\t" + tag.id + "\n";
            text += pad + "id=" + tag.id + "\n";
            text += pad + "position=" + std::to_string(tag.x) + "|" + std::to_string(tag.y) + "\n";
            if (!tag.show.empty()) {
                text += pad + "show=" + tag.show + "\n";
            }
            text += ButtonStates(pad, tag.id);
            text += pad + "targets\n";
            for (std::size_t i = 0; i < tag.targets.size(); ++i) {
                text += pad + "\tt" + std::to_string(i) + "\n";
                text += pad + "\t\tcondition=" + tag.targets[i].first + "\n";
                text += pad + "\t\tlogic=" + tag.targets[i].second + "\n";
            }
            text += tag.extra;
        }
    }
    return text;
}

// Notes the button-ups that reach it: registered last, it hears only what
// nobody consumed.
class UpProbe : public VoIMouseListener {
public:
    UpProbe() { VoMouse::GetInstance()->AddListener(this, 1000.0f); }
    ~UpProbe() override {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->RemoveListener(this);
        }
    }
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override { ++fUps; }
    int fUps = 0;
};

class MapGame : public PDAGame {
public:
    // The map's content at the top of the taller scroll area: the window at
    // (100, 100), the area at (171, 70) in it.
    static constexpr float kMapX = 271.0f;
    static constexpr float kMapY = 170.0f;

    MapGame() {
        for (const char* scene : {"test/near", "test/far"}) {
            fFolder.Write(std::string(scene) + "/scene.txt",
                          "defaultviewpoint=vp_a\nviewpoints\n\tvp_a\n\t\tstartwaypoint=none\n\tvp_b\n\t\t"
                          "startwaypoint=none\n");
            fFolder.Write(std::string(scene) + "/lights_low.txt",
                          "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n");
        }
        fFolder.Write("scenes.txt", "test/far\n\tlocation=Far Away\n\taddress=Nowhere\n");
    }

    static MGMapPanel* Map() { return static_cast<MGMapPanel*>(PDA()->GetPanel(VoString(MGPDA::kMap))); }
    static MGMapTag* FindTag(const char16_t* apId) { return Map()->FindTag(VoString(apId)); }

    // The map panel built again from the layout's text.
    static void LoadMap(const std::string& aLayout) {
        VoPropertyList layout;
        ASSERT_TRUE(layout.Parse(VoString(aLayout.c_str())));
        Map()->Create(&layout);
    }
    // The PDA open on the map, its switch lock over.
    void OpenMap() { OpenOn(MGPDA::kMap); }

    // A click on the tag placed at (aX, aY) of the map.
    static void ClickTag(int aX, int aY) {
        Click(kMapX + static_cast<float>(aX) + 25.0f, kMapY + static_cast<float>(aY) + 8.0f);
    }
};
