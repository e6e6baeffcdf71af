#include "puzzles/floorsafe/MGFloorSafePuzzle.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "puzzles/floorsafe/MGFloorSafeCube.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"

namespace {

using Faces = MGFloorSafeCube::Faces;

const char16_t* const kDirections[] = {u"up", u"down", u"left", u"right"};
const char16_t* const kCubes[] = {u"cube1", u"cube2", u"cube3", u"cube4", u"cube5"};

bool operator==(const Faces& aLeft, const Faces& aRight) {
    return aLeft.top == aRight.top && aLeft.north == aRight.north && aLeft.east == aRight.east &&
           aLeft.south == aRight.south && aLeft.west == aRight.west && aLeft.bottom == aRight.bottom;
}

// A cube's turn, fixed by its top and north numbers: 0 to 35.
int Turn(const Faces& aFaces) {
    return (aFaces.top - 1) * 6 + aFaces.north - 1;
}

// The shortest run of clicks (cube, direction) from the start to the
// required tops at the skill level, found through the puzzle's own coupling
// and rolls; empty when none is found within aDepth clicks.
std::vector<std::pair<int, int>> Solve(int aSkill, int aDepth) {
    // Every turn a cube can reach, with its faces and where each roll takes it.
    std::unordered_map<int, Faces> faces{{Turn(MGFloorSafeCube::kStartFaces), MGFloorSafeCube::kStartFaces}};
    std::unordered_map<int, std::array<int, 4>> next;
    std::deque<int> open{Turn(MGFloorSafeCube::kStartFaces)};
    while (!open.empty()) {
        const int turn = open.front();
        open.pop_front();
        for (int direction = 0; direction < 4; ++direction) {
            Faces rolled = faces.at(turn);
            MGFloorSafeCube::RollFaces(rolled, VoString(kDirections[direction]));
            next[turn][direction] = Turn(rolled);
            if (faces.emplace(Turn(rolled), rolled).second) {
                open.push_back(Turn(rolled));
            }
        }
    }
    std::vector<int> coupled[5];
    for (int cube = 0; cube < 5; ++cube) {
        int rolled[MGFloorSafePuzzle::kMaxCoupled];
        int check = -1;
        const int count = MGFloorSafePuzzle::GetCoupling(VoString(kCubes[cube]), aSkill, rolled, &check);
        coupled[cube].assign(rolled, rolled + count);
    }

    using Safe = std::array<int, MGFloorSafePuzzle::kCubeCount>;
    auto key = [](const Safe& aSafe) {
        std::uint32_t value = 0;
        for (int turn : aSafe) {
            value = value * 36 + static_cast<std::uint32_t>(turn);
        }
        return value;
    };
    struct Step {
        std::uint32_t fFrom;
        int fCube;
        int fDirection;
        int fDepth;
    };
    auto solved = [&faces](const Safe& aSafe) {
        for (int i = 0; i < MGFloorSafePuzzle::kCubeCount; ++i) {
            if (faces.at(aSafe[i]).top != MGFloorSafePuzzle::kRequiredTops[i]) {
                return false;
            }
        }
        return true;
    };
    Safe start;
    start.fill(Turn(MGFloorSafeCube::kStartFaces));
    std::unordered_map<std::uint32_t, Step> seen{{key(start), {0, -1, -1, 0}}};
    auto clicksTo = [&seen](std::uint32_t aKey) {
        std::vector<std::pair<int, int>> clicks;
        for (std::uint32_t at = aKey; seen.at(at).fCube >= 0; at = seen.at(at).fFrom) {
            clicks.insert(clicks.begin(), {seen.at(at).fCube, seen.at(at).fDirection});
        }
        return clicks;
    };
    if (solved(start)) {
        return {};
    }
    std::deque<Safe> queue{start};
    while (!queue.empty()) {
        const Safe safe = queue.front();
        queue.pop_front();
        const std::uint32_t from = key(safe);
        const int depth = seen.at(from).fDepth + 1;
        if (depth > aDepth) {
            continue;
        }
        for (int cube = 0; cube < 5; ++cube) {
            for (int direction = 0; direction < 4; ++direction) {
                Safe after = safe;
                for (int rolled : coupled[cube]) {
                    after[rolled] = next.at(after[rolled])[direction];
                }
                if (!seen.emplace(key(after), Step{from, cube, direction, depth}).second) {
                    continue;
                }
                if (solved(after)) {
                    return clicksTo(key(after));
                }
                queue.push_back(after);
            }
        }
    }
    return {};
}

class MGFloorSafePuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGFloorSafePuzzle::kActivationState);
    }
    MGFloorSafeCube* Cube(int aIndex) const { return fPuzzle->GetCube(aIndex); }
    bool Click(int aCube, const char16_t* apDirection) const {
        return Cube(aCube) != nullptr && PuzzleGame::ClickMember(Cube(aCube)->GetGroup(), apDirection);
    }
    // Frames until no cube rolls.
    void Roll() {
        for (int frame = 0; frame < 50 && Rolling(); ++frame) {
            fGame.Frame(0.05);
        }
    }
    bool Rolling() const {
        for (int i = 0; i < MGFloorSafePuzzle::kCubeCount; ++i) {
            if (Cube(i) != nullptr && Cube(i)->IsRolling()) {
                return true;
            }
        }
        return false;
    }
    std::vector<int> Tops() const {
        std::vector<int> tops;
        for (int i = 0; i < MGFloorSafePuzzle::kCubeCount; ++i) {
            tops.push_back(Cube(i) != nullptr ? Cube(i)->GetFaces().top : 0);
        }
        return tops;
    }

    PuzzleGame fGame;
    MGFloorSafePuzzle* fPuzzle = MGFloorSafePuzzle::GetInstance();
};

}  // namespace

TEST(MGFloorSafeCube, FourRollsOneWayAndARollBackRestoreEveryFace) {
    for (const char16_t* direction : kDirections) {
        Faces faces = MGFloorSafeCube::kStartFaces;
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(MGFloorSafeCube::RollFaces(faces, VoString(direction)));
            EXPECT_EQ(i == 3, faces == MGFloorSafeCube::kStartFaces) << Narrow(VoString(direction)) << i;
        }
    }
    const std::pair<const char16_t*, const char16_t*> pairs[] = {{u"up", u"DOWN"}, {u"Left", u"right"}};
    for (const auto& [there, back] : pairs) {
        Faces faces = MGFloorSafeCube::kStartFaces;
        MGFloorSafeCube::RollFaces(faces, VoString(there));
        MGFloorSafeCube::RollFaces(faces, VoString(back));
        EXPECT_TRUE(faces == MGFloorSafeCube::kStartFaces);
    }
    Faces faces = MGFloorSafeCube::kStartFaces;
    EXPECT_FALSE(MGFloorSafeCube::RollFaces(faces, VoString(u"around")));
    EXPECT_TRUE(faces == MGFloorSafeCube::kStartFaces);
}

TEST(MGFloorSafeCube, EachRollMovesTheFacesAndNamesItsPicture) {
    const struct {
        const char16_t* fDirection;
        Faces fAfter;
        const char* fPicture;
    } rolls[] = {
        {u"up", {2, 3, 5, 1, 6, 4}, "1_2_v"},
        {u"down", {4, 1, 5, 3, 6, 2}, "4_1_v"},
        {u"left", {6, 2, 1, 4, 3, 5}, "1_6_h"},
        {u"right", {5, 2, 3, 4, 1, 6}, "5_1_h"},
    };
    for (const auto& roll : rolls) {
        Faces faces = MGFloorSafeCube::kStartFaces;
        MGFloorSafeCube::RollFaces(faces, VoString(roll.fDirection));
        EXPECT_TRUE(faces == roll.fAfter) << Narrow(VoString(roll.fDirection));
        EXPECT_EQ(Narrow(MGFloorSafeCube::RollPicture(1, faces.top, VoString(roll.fDirection))),
                  roll.fPicture);
    }
}

TEST(MGFloorSafePuzzle, TheCouplingFollowsTheSkillLevel) {
    const struct {
        int fSkill;
        const char16_t* fCube;
        std::vector<int> fRolled;
        int fCheck;
    } cases[] = {
        {0, u"cube1", {0, 1}, 0},    {0, u"cube2", {1, 4}, 1}, {0, u"cube3", {0, 2}, 0},
        {0, u"cube4", {3, 4}, 3},    {0, u"cube5", {4}, 4},    {1, u"CUBE2", {0, 1, 4}, 1},
        {1, u"cube3", {0, 2, 3}, 0}, {1, u"cube4", {3, 4}, 3}, {2, u"cube4", {2, 3, 4}, 3},
        {2, u"Cube3", {0, 2, 3}, 0}, {2, u"lid", {4}, 4},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << entry.fSkill << " " << Narrow(VoString(entry.fCube)));
        int rolled[MGFloorSafePuzzle::kMaxCoupled];
        int check = -1;
        const int count = MGFloorSafePuzzle::GetCoupling(VoString(entry.fCube), entry.fSkill, rolled, &check);
        EXPECT_EQ(std::vector<int>(rolled, rolled + count), entry.fRolled);
        EXPECT_EQ(check, entry.fCheck);
    }
}

TEST(MGFloorSafePuzzle, TheRequiredNumbersCanBeReachedAtEverySkillLevel) {
    // On hard the third and the fourth cube always roll together.
    EXPECT_EQ(MGFloorSafePuzzle::kRequiredTops[2], MGFloorSafePuzzle::kRequiredTops[3]);
    for (int skill = 0; skill <= 2; ++skill) {
        EXPECT_EQ(Solve(skill, 6).size(), 5u) << skill;
    }
}

TEST_F(MGFloorSafePuzzleTest, EachCubeStartsWithOneOnTopAndItsSidesAround) {
    Open();
    for (int i = 0; i < MGFloorSafePuzzle::kCubeCount; ++i) {
        SCOPED_TRACE(i);
        MGFloorSafeCube* cube = Cube(i);
        ASSERT_NE(cube, nullptr);
        EXPECT_TRUE(cube->GetFaces() == MGFloorSafeCube::kStartFaces);
        EXPECT_EQ(cube->GetGroup()->GetRelativeZ(), 20.0f);
        ASSERT_NE(cube->GetShownFace(), nullptr);
        EXPECT_EQ(TextOf(cube->GetShownFace()->GetId()), u"1");
        EXPECT_TRUE(cube->GetShownFace()->GetVisible());
        const char* indicators[] = {"ind_2", "ind_5", "ind_4", "ind_6"};
        for (int side = 0; side < 4; ++side) {
            ASSERT_NE(cube->GetShownIndicator(side), nullptr);
            EXPECT_EQ(Narrow(cube->GetShownIndicator(side)->GetId()), indicators[side]);
            EXPECT_TRUE(cube->GetShownIndicator(side)->GetVisible());
        }
    }
    VoDisplayGroup* root = fPuzzle->GetRootGroup();
    EXPECT_EQ(TextOf(root->GetId()), u"floorsafe_puzzle_contentgroup");
    EXPECT_EQ(root->GetRelativeZ(), -10.0f);
    EXPECT_EQ(root->GetMember(VoString(u"floorsafe_cubes"))->GetRelativeZ(), 10.0f);
}

TEST_F(MGFloorSafePuzzleTest, ARollShowsItsPictureForAQuarterSecondThenTheNewFace) {
    Open();
    ASSERT_TRUE(Click(0, u"up"));
    MGFloorSafeCube* cube = Cube(0);
    EXPECT_TRUE(cube->IsRolling());
    EXPECT_EQ(Narrow(cube->GetShownFace()->GetId()), "1_2_v");
    EXPECT_EQ(Narrow(Cube(1)->GetShownFace()->GetId()), "1_2_v");
    fGame.Frame(0.2);
    EXPECT_TRUE(cube->IsRolling());
    fGame.Frame(0.1);
    EXPECT_FALSE(cube->IsRolling());
    EXPECT_EQ(Narrow(cube->GetShownFace()->GetId()), "2");
    const char* indicators[] = {"ind_3", "ind_5", "ind_1", "ind_6"};
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(Narrow(cube->GetShownIndicator(side)->GetId()), indicators[side]);
    }
    // Exactly one face and one indicator per side are visible.
    VoDisplayGroup* group = cube->GetGroup();
    int visible = 0;
    for (int i = 0; i < group->GetMemberCount(); ++i) {
        if (dynamic_cast<VoButton*>(group->GetMemberAt(i)) == nullptr &&
            dynamic_cast<VoDisplayGroup*>(group->GetMemberAt(i)) == nullptr) {
            visible += group->GetMemberAt(i)->GetVisible() ? 1 : 0;
        }
    }
    EXPECT_EQ(visible, 1);
    EXPECT_EQ(Tops(), (std::vector<int>{2, 2, 1, 1, 1}));
}

TEST_F(MGFloorSafePuzzleTest, OnEasyAndHardTheClicksRollTheirCubes) {
    const struct {
        int fSkill;
        int fCube;
        std::vector<int> fTops;
    } cases[] = {
        {0, 1, {1, 2, 1, 1, 2}}, {0, 2, {2, 1, 2, 1, 1}}, {1, 3, {1, 1, 1, 2, 2}}, {2, 3, {1, 1, 2, 2, 2}}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << entry.fSkill << " cube" << entry.fCube + 1);
        Open(entry.fSkill);
        ASSERT_TRUE(Click(entry.fCube, u"up"));
        Roll();
        EXPECT_EQ(Tops(), entry.fTops);
        fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
        fGame.Settle();
    }
}

TEST_F(MGFloorSafePuzzleTest, ClicksDuringARollDoNothing) {
    Open();
    ASSERT_TRUE(Click(4, u"left"));
    EXPECT_TRUE(Cube(4)->IsRolling());
    EXPECT_FALSE(Click(0, u"up") && Cube(0)->IsRolling());
    fPuzzle->OnCubeButton(VoString(u"cube1"), VoString(u"up"));
    EXPECT_FALSE(Cube(0)->IsRolling());
    Roll();
    EXPECT_EQ(Tops(), (std::vector<int>{1, 1, 1, 1, 6}));
    // The check after the roll gives the arrows back.
    ASSERT_TRUE(Click(0, u"up"));
    Roll();
    EXPECT_EQ(Tops(), (std::vector<int>{2, 2, 1, 1, 6}));
}

// One game per skill level: the safe's movie leaves its screen behind.
class MGFloorSafeSkillTest : public MGFloorSafePuzzleTest, public ::testing::WithParamInterface<int> {};

TEST_P(MGFloorSafeSkillTest, TheRequiredNumbersOpenTheSafe) {
    const int skill = GetParam();
    Open(skill);
    const auto clicks = Solve(skill, 6);
    ASSERT_FALSE(clicks.empty());
    for (const auto& [cube, direction] : clicks) {
        EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
        ASSERT_TRUE(Click(cube, kDirections[direction]));
        Roll();
    }
    EXPECT_TRUE(PuzzleGame::HasEvent(MGFloorSafePuzzle::kSolvedEvent));
    fGame.Frame();
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "Safe_Open.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case01/castilloapt");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_kitchen");
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_cu_1ca12_visible");
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), -1);
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(player));
    EXPECT_EQ(fPuzzle->GetCube(0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Skills, MGFloorSafeSkillTest, ::testing::Values(0, 1, 2));

TEST_F(MGFloorSafePuzzleTest, BackDuringARollLeavesNoCubeBehind) {
    Open();
    const int listeners = VoFrameManager::GetInstance()->GetListenerCount();
    ASSERT_TRUE(Click(2, u"right"));
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(fPuzzle->GetCube(0), nullptr);
    fGame.Frames(10);
    EXPECT_LE(VoFrameManager::GetInstance()->GetListenerCount(), listeners);
}

TEST_F(MGFloorSafePuzzleTest, WithFewerThanFiveCubesTheSafeRollsButNeverOpens) {
    PuzzleData data("floorsafe");
    const std::string layout = data.SampleLayout("floorsafe_puzzle_layout.txt");
    data.WriteLayout("floorsafe_puzzle_layout.txt",
                     layout.substr(0, layout.find("\t\tcube3\n")) + "\t\tbroken\n\t\t\tx=1\n");
    LogCapture log;
    Open();
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGFloorSafePuzzle::kTooFewCubes));
    ASSERT_NE(Cube(1), nullptr);
    EXPECT_EQ(Cube(2), nullptr);
    // cube2 rolls the missing fifth cube too; cube1's check goes with it.
    ASSERT_TRUE(Click(1, u"up"));
    Roll();
    EXPECT_EQ(Tops(), (std::vector<int>{2, 2, 0, 0, 0}));
    ASSERT_TRUE(Click(0, u"down"));
    Roll();
    EXPECT_EQ(Tops(), (std::vector<int>{1, 1, 0, 0, 0}));
    // With no cube to roll, the check runs at once and the arrows stay live.
    fPuzzle->OnCubeButton(VoString(u"cube5"), VoString(u"up"));
    ASSERT_TRUE(Click(0, u"up"));
    EXPECT_TRUE(Cube(0)->IsRolling());
    Roll();
    EXPECT_FALSE(PuzzleGame::HasEvent(MGFloorSafePuzzle::kSolvedEvent));
}
