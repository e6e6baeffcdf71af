// Close-ups over the test room: reading an entry, opening and closing by the
// trigger state, the display with its movies and back button, the hotspots,
// the voice-over queue, the back button's roads and the interview that
// starts after a close-up was left.
#include "scene/MGCloseUp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "MGBuildVersion.h"
#include "MGScreenManager.h"
#include "SceneTestFiles.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGHotspot.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "state/VoStateManager.h"
#include "stdlib/VoFrameManager.h"
#include "util/MGOptions.h"

namespace {

const VoString kRoom(u"test/room");

// The room's vp_a with the close-ups of closeups.txt and, when given, the
// hotspots of spots.txt.
std::map<std::string, std::string> CloseUpRoom(const std::string& aCloseUps,
                                               const std::string& aHotspots = "") {
    std::map<std::string, std::string> files = RoomFiles();
    const std::string anchor = "\t\tshadowcaster=sun\n\tvp_b";
    std::string& scene = files["scene.txt"];
    scene.replace(scene.find(anchor), anchor.size(),
                  "\t\tshadowcaster=sun\n\t\tcloseups=closeups.txt\n" +
                      std::string(aHotspots.empty() ? "" : "\t\thotspots=spots\n") + "\tvp_b");
    files["closeups.txt"] = aCloseUps;
    if (!aHotspots.empty()) {
        files["spots.txt"] = aHotspots;
    }
    files["drawer.tga"] = Tga(4, 4, 90, 60, 30);
    files["smoke.bik"] = "not a movie: the fake manager opens any file";
    return files;
}

// A drawer with a picture, a movie from the scene's folder and one from
// the movies folder, two hotspots and voice-overs for each skill level.
const std::string kDrawer =
    "drawer\n"
    "\tid=drawer\n"
    "\tdisplaygroup\n"
    "\t\tid=drawer_group\n"
    "\t\tsprites\n"
    "\t\t\tbg\n"
    "\t\t\t\tid=bg\n"
    "\t\t\t\ttexture=drawer.tga\n"
    "\t\tanims\n"
    "\t\t\tsmoke\n"
    "\t\t\t\tid=smoke\n"
    "\t\t\t\tmovie=smoke.bik\n"
    "\t\t\t\tposition=10|20\n"
    "\t\t\tsign\n"
    "\t\t\t\tid=sign\n"
    "\t\t\t\tmovie=lobby_sign.mkv\n"
    "\ttriggerstate=sta_cu_drawer_visible\n"
    "\topenedevent=evt_drawer_opened\n"
    "\tvoiceovers\n"
    "\t\thint=hint_a|hint_b.ogg\n"
    "\t\tdefault=line_a|line_b.ogg\n"
    "\thotspots\n"
    "\t\tknob\n"
    "\t\t\tid=knob\n"
    "\t\t\ttype=general\n"
    "\t\t\tenabled=script[true]\n"
    "\t\t\tboundary\n"
    "\t\t\t\ttype=rectangle\n"
    "\t\t\t\tcoords=0|0|100|100\n"
    "\t\t\t\tposition=300|200\n"
    "\t\t\tdata\n"
    "\t\tpaper\n"
    "\t\t\tid=paper\n"
    "\t\t\ttype=general\n"
    "\t\t\tenabled=script[s[sta_paper_there]]\n"
    "\t\t\tcloseup=true\n"
    "\t\t\tdisplay\n"
    "\t\t\t\tmemberid=bg\n"
    "\t\t\t\tvisible=script[true]\n"
    "\t\t\tboundary\n"
    "\t\t\t\ttype=rectangle\n"
    "\t\t\t\tcoords=0|0|50|50\n"
    "\t\t\t\tposition=500|200\n"
    "\t\t\tdata\n";

const std::string kLetter =
    "letter\n"
    "\tid=letter\n"
    "\tdisplaygroup\n"
    "\t\tid=letter_group\n"
    "\ttriggerstate=sta_cu_letter_visible\n"
    "\topenedevent=evt_letter_opened\n"
    "\tfadeonshow=false\n"
    "\tvoiceover=1ce09_rg\n";

const std::string kSafe =
    "safe\n"
    "\tid=safe\n"
    "\tdisplaygroup\n"
    "\t\tid=safe_group\n"
    "\ttriggerstate=sta_cu_safe_visible\n"
    "\topenedevent=evt_safe_opened\n"
    "\texittoscene=1\n";

const std::string kWitness =
    "witness\n"
    "\tid=witness\n"
    "\tdisplaygroup\n"
    "\t\tid=witness_group\n"
    "\ttriggerstate=sta_cu_witness_visible\n"
    "\topenedevent=evt_witness_opened\n"
    "\ttriggerinterview=117\n"
    "\tinterviewpos=30|40\n";

// Counts the notifications of one state.
class StateProbe : public VoIStateListener {
public:
    explicit StateProbe(const char16_t* apId) : fId(apId) {
        VoStateManager::GetInstance()->AddListener(this, 5.0f);
    }
    ~StateProbe() override { VoStateManager::GetInstance()->RemoveListener(this); }
    void OnStateChanged(VoIState* apState) override {
        fCount += apState->GetName().EqualsNoCase(fId) ? 1 : 0;
    }
    VoString fId;
    int fCount = 0;
};

// A screen that only notes that it was entered.
class PlainScreen : public MGIScreen {
public:
    void OnLeaveBegin() override {}
    void OnLeaveEnd() override {}
    void OnEnter() override { ++fEntered; }
    int fEntered = 0;
};

class MGCloseUpTest : public SceneTest {
protected:
    // Loads the room with these close-ups and lets its fade-in end.
    void Enter(const std::string& aCloseUps, int aSkill = 1, const std::string& aHotspots = "") {
        MGOptions::GetInstance()->SetSkillLevel(aSkill);
        WriteScene(CloseUpRoom(aCloseUps, aHotspots));
        ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(kRoom, true, true));
        Settle();
        fScene = MGSceneManager::GetInstance()->GetScene();
        ASSERT_NE(fScene, nullptr);
        ASSERT_EQ(Screens()->GetTopScreen(), static_cast<MGIScreen*>(fScene));
    }
    // As the application's frame: the frame listeners, then the scene.
    void Frame(double aSeconds = 0.05) {
        fNow += aSeconds;
        RecordingGame::FrameAt(fNow);
        MGSceneManager::GetInstance()->Update();
    }
    // Frames until the fades are over (at least a fade's length each way).
    void Settle() {
        const double start = fNow;
        while (fNow - start < 0.7 || (Screens()->IsBusy() && fNow - start < 3.0)) {
            Frame();
        }
    }
    MGCloseUp* CloseUp(const std::string& aId) const {
        for (int i = 0; i < fScene->GetCloseUpCount(); ++i) {
            if (Narrow(fScene->GetCloseUp(i)->GetId()) == aId) {
                return fScene->GetCloseUp(i);
            }
        }
        return nullptr;
    }
    static void SetState(const char16_t* apId, bool aValue) {
        VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"boolean"),
                                                VoString(aValue ? u"true" : u"false"), true);
    }
    static bool StateIs(const char16_t* apId, bool aValue) {
        VoIState* state = VoStateManager::GetInstance()->GetState(VoString(apId));
        return state != nullptr && state->GetBoolean() == aValue;
    }
    static bool HasEvent(const char* apId) { return VoEventManager::GetInstance()->HasEvent(VoString(apId)); }
    // Opens the close-up through its state and lets the fades end.
    void Open(const char16_t* apState) {
        SetState(apState, true);
        Settle();
    }
    static MGScreenManager* Screens() { return MGScreenManager::GetInstance(); }
    static MGIScreen* Top() { return Screens()->GetTopScreen(); }
    static void Click(float aX, float aY) {
        const VoVector2 position(aX, aY);
        VoMouse::GetInstance()->Move(&position);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
    }
    // The back button's place in the layout is 20, 548; it is 100 x 36.
    static void ClickBack() { Click(70.0f, 566.0f); }
    static std::string SoundsAsked() {
        std::string asked;
        for (const std::string& line : MediaJournal::Take()) {
            if (line.rfind("stream ", 0) == 0) {
                asked += line.substr(7) + ";";
            }
        }
        return asked;
    }

    MGScene* fScene = nullptr;
    double fNow = 0.0;
};

TEST_F(MGCloseUpTest, ReadTakesTheKeysAndTheirDefaults) {
    Enter(kDrawer + kLetter + kSafe + kWitness + "bare\n\tid=bare\n");
    const struct {
        const char* id;
        const char* state;
        const char* event;
        bool fade;
        bool exit;
        const char* interview;
        int positions;
    } cases[] = {
        {"drawer", "sta_cu_drawer_visible", "evt_drawer_opened", true, false, "", 0},
        {"letter", "sta_cu_letter_visible", "evt_letter_opened", false, false, "", 0},
        {"safe", "sta_cu_safe_visible", "evt_safe_opened", true, true, "", 0},
        {"witness", "sta_cu_witness_visible", "evt_witness_opened", true, false, "117", 2},
        {"bare", "", "", true, false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        MGCloseUp* closeUp = CloseUp(c.id);
        ASSERT_NE(closeUp, nullptr);
        EXPECT_EQ(Narrow(closeUp->GetTriggerState()), c.state);
        EXPECT_EQ(Narrow(closeUp->GetOpenedEvent()), c.event);
        EXPECT_EQ(closeUp->GetFadeOnShow(), c.fade);
        EXPECT_EQ(closeUp->GetExitToScene(), c.exit);
        EXPECT_EQ(Narrow(closeUp->GetTriggerInterview()), c.interview);
        EXPECT_EQ(closeUp->GetInterviewPos().GetCount(), c.positions);
        EXPECT_EQ(closeUp->GetDisplayGroup(), nullptr);
        if (c.state[0] != '\0') {
            EXPECT_TRUE(StateIs(VoString(c.state).GetChars(), false));
        }
    }
    EXPECT_EQ(CountLogged(MGCloseUp::kNoTriggerState), 1);
    EXPECT_EQ(CountLogged(MGCloseUp::kNoOpenedEvent), 1);
}

TEST_F(MGCloseUpTest, TheTriggerStateIsMadeFalseWithoutTellingAnyone) {
    StateProbe probe(u"sta_cu_drawer_visible");
    SetState(u"sta_cu_drawer_visible", true);
    const int told = probe.fCount;
    Enter(kDrawer);
    EXPECT_TRUE(StateIs(u"sta_cu_drawer_visible", false));
    EXPECT_EQ(probe.fCount, told);
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
}

TEST_F(MGCloseUpTest, TheSkillLevelPicksTheVoiceOverList) {
    const std::string both =
        "c\n\tid=c\n\ttriggerstate=sta_c\n\topenedevent=evt_c\n\tvoiceovers\n\t\thint=h1|h2\n\t\tdefault=d1\n"
        "\tvoiceover=v1\n";
    const std::string hintOnly =
        "c\n\tid=c\n\ttriggerstate=sta_c\n\topenedevent=evt_c\n\tvoiceovers\n\t\thint=h1\n"
        "\tvoiceover=v1|v2\n";
    const std::string neither = "c\n\tid=c\n\ttriggerstate=sta_c\n\topenedevent=evt_c\n";
    const struct {
        const std::string* entry;
        int skill;
        const char* expected;
    } cases[] = {
        {&both, 0, "h1 h2 "},  {&both, 1, "d1 "},        {&both, 2, "d1 "},
        {&hintOnly, 0, "h1 "}, {&hintOnly, 2, "v1 v2 "}, {&neither, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(*c.entry + " at skill " + std::to_string(c.skill));
        Enter(*c.entry, c.skill);
        MGCloseUp* closeUp = CloseUp("c");
        ASSERT_NE(closeUp, nullptr);
        std::string names;
        for (int i = 0; i < closeUp->GetVoiceOvers().GetCount(); ++i) {
            names += Narrow(closeUp->GetVoiceOvers().GetAt(i)) + " ";
        }
        EXPECT_EQ(names, c.expected);
    }
}

TEST_F(MGCloseUpTest, ATrueStateOpensTheCloseUpBehindAFade) {
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    ASSERT_NE(closeUp, nullptr);
    MediaJournal::Missing().insert("//scenes/test/room/lobby_sign.mkv");
    MediaJournal::Take();

    SetState(u"sta_cu_drawer_visible", true);
    // The scene knows its close-up before it leaves, so it keeps its audio.
    EXPECT_EQ(fScene->GetOpenCloseUp(), closeUp);
    EXPECT_TRUE(Screens()->IsBusy());
    EXPECT_EQ(closeUp->GetDisplayGroup(), nullptr);
    Settle();

    EXPECT_EQ(Top(), static_cast<MGIScreen*>(closeUp));
    EXPECT_EQ(Screens()->GetScreenCount(), 2);
    EXPECT_EQ(fScene->GetOpenCloseUp(), closeUp);
    EXPECT_FALSE(fScene->IsInputEnabled());
    VoDisplayGroup* group = closeUp->GetDisplayGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Narrow(group->GetId()), "drawer_group");
    EXPECT_FLOAT_EQ(group->GetRelativeZ(), MGCloseUp::kGroupZ);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"drawer_group")), group);
    EXPECT_TRUE(group->GetActive());
    EXPECT_NE(group->GetMember(VoString(u"bg")), nullptr);
    VoButton* back = dynamic_cast<VoButton*>(group->GetMember(VoString(u"back_btn")));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsEnabled());

    // Each movie loops, from the scene's folder or else the movies folder,
    // and shows through a sprite of the anim's id at its position.
    const Lines journal = MediaJournal::Take();
    for (const char* line :
         {"movie smoke_movie //scenes/test/room/smoke.bik", "looping movie //scenes/test/room/smoke.bik 1",
          "play movie //scenes/test/room/smoke.bik", "movie sign_movie //scenes/test/room/lobby_sign.mkv",
          "movie sign_movie //dataroot/movies/lobby_sign.mkv",
          "play movie //dataroot/movies/lobby_sign.mkv"}) {
        EXPECT_NE(std::find(journal.begin(), journal.end(), line), journal.end()) << line;
    }
    VoSprite* smoke = dynamic_cast<VoSprite*>(group->GetMember(VoString(u"smoke")));
    ASSERT_NE(smoke, nullptr);
    EXPECT_EQ(smoke->GetTexture(), FakeMoviePlayer::Find("//scenes/test/room/smoke.bik")->GetTextureHandle());
    EXPECT_FLOAT_EQ(smoke->GetPosition().x, 10.0f);
    EXPECT_FLOAT_EQ(smoke->GetPosition().y, 20.0f);
    VoSprite* sign = dynamic_cast<VoSprite*>(group->GetMember(VoString(u"sign")));
    ASSERT_NE(sign, nullptr);
    EXPECT_FLOAT_EQ(sign->GetPosition().x, 0.0f);

    ASSERT_EQ(closeUp->GetHotspotCount(), 2);
    EXPECT_EQ(Narrow(closeUp->GetHotspot(0)->GetId()), "knob");
    EXPECT_EQ(Narrow(closeUp->GetHotspot(1)->GetId()), "paper");
    EXPECT_TRUE(closeUp->GetHotspot(0)->IsListening());
    EXPECT_TRUE(HasEvent("evt_drawer_opened"));
    EXPECT_TRUE(StateIs(u"sta_cu_drawer_visible", true));
    EXPECT_EQ(Narrow(MGBuildVersion::GetInstance()->GetViewDescription()->GetText()), "drawer");
}

TEST_F(MGCloseUpTest, AFalseStateClosesTheCloseUpOnlyWhenItIsOnTop) {
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    Open(u"sta_cu_drawer_visible");
    ASSERT_EQ(Top(), static_cast<MGIScreen*>(closeUp));

    // A screen over the close-up stays where it is.
    PlainScreen over;
    Screens()->PushScreen(&over);
    SetState(u"sta_cu_drawer_visible", false);
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(&over));
    EXPECT_EQ(Screens()->GetScreenCount(), 3);
    MGIScreen* popped = nullptr;
    Screens()->PopScreen(&popped);

    SetState(u"sta_cu_drawer_visible", false);
    EXPECT_EQ(Screens()->GetLeavingScreen(), static_cast<MGIScreen*>(closeUp));
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
    EXPECT_EQ(closeUp->GetDisplayGroup(), nullptr);
    EXPECT_EQ(closeUp->GetHotspotCount(), 0);
    EXPECT_EQ(fScene->GetOpenCloseUp(), nullptr);
    EXPECT_TRUE(fScene->IsInputEnabled());
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"drawer_group")), nullptr);
    EXPECT_EQ(Narrow(MGBuildVersion::GetInstance()->GetViewDescription()->GetText()), "vp_a");
}

TEST_F(MGCloseUpTest, ATrueStateWhileTheCloseUpIsOnTheStackChangesNothing) {
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    Open(u"sta_cu_drawer_visible");
    VoDisplayGroup* group = closeUp->GetDisplayGroup();

    SetState(u"sta_cu_drawer_visible", true);
    EXPECT_FALSE(Screens()->IsBusy());
    Settle();
    EXPECT_EQ(Screens()->GetScreenCount(), 2);
    EXPECT_EQ(closeUp->GetDisplayGroup(), group);
}

TEST_F(MGCloseUpTest, AStateTurnedWhileTheScreensSwitchTakesEffectAfterTheSwitch) {
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    PlainScreen other;
    ASSERT_TRUE(Screens()->PushFade(&other));
    SetState(u"sta_cu_drawer_visible", true);
    EXPECT_TRUE(closeUp->IsSwitchPending());
    EXPECT_EQ(Screens()->FindScreen(closeUp), -1);
    Settle();
    Settle();
    EXPECT_FALSE(closeUp->IsSwitchPending());
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(closeUp));
    EXPECT_EQ(fScene->GetOpenCloseUp(), closeUp);

    // Turned false during its own fade-in: it closes once that is over.
    MGIScreen* popped = nullptr;
    Screens()->PopFade(&popped);
    Settle();
    ASSERT_EQ(Top(), static_cast<MGIScreen*>(&other));
    Screens()->RemoveScreen(&other);
    Screens()->PushScreen(fScene);
    fScene->OnEnter();
    SetState(u"sta_cu_drawer_visible", true);
    while (Top() != static_cast<MGIScreen*>(closeUp) && fNow < 20.0) {
        Frame(0.01);
    }
    ASSERT_TRUE(Screens()->IsBusy());
    SetState(u"sta_cu_drawer_visible", false);
    EXPECT_TRUE(closeUp->IsSwitchPending());
    Settle();
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
    EXPECT_FALSE(closeUp->IsSwitchPending());

    // True, then false before the switch is over: nothing opens.
    ASSERT_TRUE(Screens()->PushFade(&other));
    SetState(u"sta_cu_drawer_visible", true);
    SetState(u"sta_cu_drawer_visible", false);
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(&other));
    EXPECT_EQ(Screens()->FindScreen(closeUp), -1);
    Screens()->RemoveScreen(&other);
}

TEST_F(MGCloseUpTest, WithoutFadeOnShowTheCloseUpReplacesTheOpenOneAtOnce) {
    Enter(kDrawer + kLetter);
    MGCloseUp* drawer = CloseUp("drawer");
    MGCloseUp* letter = CloseUp("letter");
    Open(u"sta_cu_drawer_visible");
    ASSERT_NE(drawer->GetDisplayGroup(), nullptr);

    SetState(u"sta_cu_letter_visible", true);
    EXPECT_FALSE(Screens()->IsBusy());
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(letter));
    EXPECT_EQ(Screens()->GetScreenCount(), 3);
    EXPECT_EQ(fScene->GetOpenCloseUp(), letter);
    EXPECT_EQ(drawer->GetDisplayGroup(), nullptr);
    EXPECT_EQ(drawer->GetHotspotCount(), 0);
    ASSERT_NE(letter->GetDisplayGroup(), nullptr);
    EXPECT_TRUE(HasEvent("evt_letter_opened"));

    // Back from the letter (its voice-over stopped by the first click): the
    // drawer is built again under it.
    ClickBack();
    Frame(1.0);
    ClickBack();
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(drawer));
    EXPECT_NE(drawer->GetDisplayGroup(), nullptr);
    EXPECT_EQ(fScene->GetOpenCloseUp(), drawer);
}

TEST_F(MGCloseUpTest, VoiceOversPlayInTurnEachAddingItsEvent) {
    Enter(kDrawer, 1);
    MediaJournal::Take();
    Open(u"sta_cu_drawer_visible");
    MGCloseUp* closeUp = CloseUp("drawer");
    EXPECT_EQ(SoundsAsked(), "line_a //sounds/line_a.ogg;");
    FakeSoundPlayer* first = FakeSoundPlayer::Find("line_a");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(closeUp->GetVoice().IsPlaying());

    first->End();
    EXPECT_TRUE(HasEvent("evt_line_a_sounddone"));
    // A name with its ".ogg" is the file; the id is the name without it.
    EXPECT_EQ(SoundsAsked(), "line_b //sounds/line_b.ogg;");
    FakeSoundPlayer* second = FakeSoundPlayer::Find("line_b");
    ASSERT_NE(second, nullptr);
    second->End();
    EXPECT_TRUE(HasEvent("evt_line_b_sounddone"));
    EXPECT_FALSE(closeUp->GetVoice().IsPlaying());
    EXPECT_EQ(SoundsAsked(), "");
    EXPECT_EQ(closeUp->GetVoiceOvers().GetCount(), 0);
}

TEST_F(MGCloseUpTest, AVoiceOverShowsItsSubtitle) {
    fFolder.Write("scenes/vo_subtitles.txt", "line_a=Nothing but old receipts.\n");
    Enter(kDrawer, 1);
    Open(u"sta_cu_drawer_visible");
    MGSubtitle* subtitle = MGSubtitle::PeekInstance();
    ASSERT_NE(subtitle, nullptr);
    EXPECT_TRUE(subtitle->IsShown());
    EXPECT_TRUE(CloseUp("drawer")->GetVoice().ShowsSubtitle());

    FakeSoundPlayer::Find("line_a")->End();
    EXPECT_FALSE(subtitle->IsShown());
}

TEST_F(MGCloseUpTest, AMissingVoiceOverIsLoggedAndEndsTheQueue) {
    Enter(kDrawer, 0);
    MediaJournal::Missing().insert("//sounds/hint_a.ogg");
    Open(u"sta_cu_drawer_visible");
    MGCloseUp* closeUp = CloseUp("drawer");
    EXPECT_TRUE(Logged("ERROR: ", MGCloseUp::kNoSoundPlayer));
    EXPECT_FALSE(closeUp->GetVoice().IsPlaying());
    EXPECT_EQ(closeUp->GetVoiceOvers().GetCount(), 1);
    EXPECT_TRUE(HasEvent("evt_drawer_opened"));
}

TEST_F(MGCloseUpTest, ACloseUpOpenedBeforePlaysNoVoiceOver) {
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    Open(u"sta_cu_drawer_visible");
    ClickBack();
    Settle();
    ASSERT_EQ(Top(), static_cast<MGIScreen*>(fScene));
    // The back button stopped line_a: it counts as heard.
    EXPECT_TRUE(HasEvent("evt_line_a_sounddone"));
    MediaJournal::Take();

    Open(u"sta_cu_drawer_visible");
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(closeUp));
    EXPECT_EQ(SoundsAsked(), "");
    EXPECT_FALSE(closeUp->GetVoice().IsPlaying());
    EXPECT_FALSE(Logged("ERROR: ", "ID duplication"));
}

TEST_F(MGCloseUpTest, TheBackButtonStopsTheVoiceOverAndLeaves) {
    fFolder.Write("scenes/vo_subtitles.txt", "line_a=Nothing but old receipts.\n");
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    Open(u"sta_cu_drawer_visible");
    ASSERT_NE(FakeSoundPlayer::Find("line_a"), nullptr);

    ClickBack();
    EXPECT_EQ(FakeSoundPlayer::Find("line_a"), nullptr);
    EXPECT_TRUE(HasEvent("evt_line_a_sounddone"));
    EXPECT_FALSE(MGSubtitle::PeekInstance()->IsShown());
    EXPECT_EQ(Screens()->GetLeavingScreen(), static_cast<MGIScreen*>(closeUp));
    // Leaving begun: the close-up hears no more clicks.
    EXPECT_FALSE(closeUp->GetHotspot(0)->IsListening());
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
    EXPECT_TRUE(StateIs(u"sta_cu_drawer_visible", false));
}

TEST_F(MGCloseUpTest, TheBackButtonOnlyStopsOneVoiceOver) {
    Enter(kLetter);
    MGCloseUp* letter = CloseUp("letter");
    SetState(u"sta_cu_letter_visible", true);
    ASSERT_EQ(Top(), static_cast<MGIScreen*>(letter));
    ASSERT_NE(FakeSoundPlayer::Find("1ce09_rg"), nullptr);

    ClickBack();
    Settle();
    EXPECT_EQ(FakeSoundPlayer::Find("1ce09_rg"), nullptr);
    EXPECT_TRUE(HasEvent("evt_1ce09_rg_sounddone"));
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(letter));

    ClickBack();
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
}

TEST_F(MGCloseUpTest, TheBackButtonAnswersOnlyAClickWhileTheCloseUpIsOnTop) {
    Enter(kSafe);
    MGCloseUp* safe = CloseUp("safe");
    Open(u"sta_cu_safe_visible");
    const struct {
        const char16_t* id;
        int code;
        bool onTop;
    } cases[] = {
        {u"back_btn", VoIButtonListener::kPressed, true},
        {u"other", VoIButtonListener::kClick, true},
        {u"back_btn", VoIButtonListener::kClick, false},
    };
    PlainScreen over;
    for (const auto& c : cases) {
        if (!c.onTop) {
            Screens()->PushScreen(&over);
        }
        safe->OnButtonEvent(VoString(c.id), c.code);
        Settle();
        EXPECT_TRUE(Top() == static_cast<MGIScreen*>(safe) || Top() == static_cast<MGIScreen*>(&over));
        EXPECT_EQ(Screens()->GetScreenCount(), c.onTop ? 2 : 3);
    }
    MGIScreen* popped = nullptr;
    Screens()->PopScreen(&popped);
    safe->OnButtonEvent(VoString(u"BACK_BTN"), VoIButtonListener::kClick);
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
}

TEST_F(MGCloseUpTest, ExitToSceneReturnsToTheScenePastTheScreensBetween) {
    Enter(kDrawer + kSafe);
    MGCloseUp* drawer = CloseUp("drawer");
    MGCloseUp* safe = CloseUp("safe");
    Open(u"sta_cu_drawer_visible");
    Open(u"sta_cu_safe_visible");
    ASSERT_EQ(Screens()->GetScreenCount(), 3);
    ASSERT_EQ(Top(), static_cast<MGIScreen*>(safe));

    ClickBack();
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
    EXPECT_EQ(Screens()->GetScreenCount(), 1);
    EXPECT_EQ(Screens()->FindScreen(drawer), -1);
    EXPECT_EQ(fScene->GetOpenCloseUp(), nullptr);
    EXPECT_TRUE(fScene->IsInputEnabled());

    // Without it the back button goes one screen back.
    Open(u"sta_cu_drawer_visible");
    ClickBack();
    Settle();
    EXPECT_EQ(Top(), static_cast<MGIScreen*>(fScene));
}

TEST_F(MGCloseUpTest, TheInterviewStartsHalfASecondAfterTheCloseUpWasLeft) {
    Enter(kWitness);
    MGCloseUp* witness = CloseUp("witness");
    Open(u"sta_cu_witness_visible");
    ClickBack();
    // From the end of the fade out, when the close-up is gone.
    while (witness->GetDisplayGroup() != nullptr) {
        Frame(0.01);
    }
    const double left = fNow;
    EXPECT_TRUE(witness->IsInterviewPending());
    EXPECT_NEAR(witness->GetInterviewDue(), left + MGCloseUp::kInterviewDelay, 0.02);
    EXPECT_EQ(MGInterviewManager::GetInstance()->GetCurrentInterview(), nullptr);

    while (fNow < witness->GetInterviewDue() - 0.02) {
        Frame(0.01);
        EXPECT_EQ(MGInterviewManager::GetInstance()->GetCurrentInterview(), nullptr);
    }
    Frame(0.05);
    EXPECT_FALSE(witness->IsInterviewPending());
    MGInterview* interview = MGInterviewManager::GetInstance()->GetCurrentInterview();
    ASSERT_NE(interview, nullptr);
    EXPECT_EQ(Narrow(interview->GetId()), "117");
    EXPECT_TRUE(fScene->IsInInterview());
    EXPECT_FALSE(fScene->IsInputEnabled());
}

// The witness's interview hotspot in vp_a (the sample interview 117, its window at 5, 6).
const std::string kWitnessSpot =
    "talk\n\tid=witness_spot\n\ttype=interview\n\tenabled=script[true]\n"
    "\tboundary\n\t\ttype=rectangle\n\t\tcoords=0|0|10|10\n\t\tposition=0|0\n\tdata\n"
    "\ttypedata\n\t\tinterview\n\t\t\tenabled=script[true]\n\t\t\tinterviewid=117\n\t\t\tposition=5|6\n";

TEST_F(MGCloseUpTest, TheInterviewStartsOnceThePlayerHasTurnedTowardsTheWaypoint) {
    // The player stands at "door" (0, -8) facing +z: "side" (8, 0) lies 45
    // degrees to the right, "center" (0, 0) straight ahead (no turn).
    const struct {
        const char* wayPoint;
        float x, z;
    } cases[] = {{"side", 0.7071f, 0.7071f}, {"center", 0.0f, 1.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wayPoint);
        std::string entry = kWitness;
        entry.replace(entry.find("=117"), 4, std::string("=117|") + c.wayPoint);
        Enter(entry, 1, kWitnessSpot);
        MGCloseUp* witness = CloseUp("witness");
        Open(u"sta_cu_witness_visible");
        ClickBack();
        Settle();
        while (witness->IsInterviewPending() && fNow < 10.0) {
            Frame(0.01);
        }
        ASSERT_EQ(fScene->GetHotspotCount(), 1);
        MGHotspot* spot = fScene->GetHotspot(0);
        MGCharacter* player = fScene->GetPlayer();
        ASSERT_NE(player, nullptr);
        for (int frame = 0; frame < 100 && player->IsTurning(); ++frame) {
            EXPECT_TRUE(spot->IsWaitingForPose());
            EXPECT_FALSE(fScene->IsInInterview());
            Frame(0.02);
        }
        // Where the turn aimed (this player has no turn animations to play).
        EXPECT_NEAR(player->GetTargetFacing().x, c.x, 0.02f);
        EXPECT_NEAR(player->GetTargetFacing().y, c.z, 0.02f);
        // The interview hotspot was told and started its interview.
        EXPECT_FALSE(spot->IsWaitingForPose());
        EXPECT_TRUE(fScene->IsInInterview());
        EXPECT_FALSE(fScene->IsInputEnabled());
        MGInterview* interview = MGInterviewManager::GetInstance()->GetCurrentInterview();
        ASSERT_NE(interview, nullptr);
        EXPECT_EQ(Narrow(interview->GetId()), "117");
        EXPECT_FLOAT_EQ(interview->GetPosition().x, 5.0f);
        fScene->EndInterview();
    }
}

TEST_F(MGCloseUpTest, ASceneWithoutTheButtonLayoutOpensWithoutABackButton) {
    fFolder.Write("textures/readme.txt", "no button layout here\n");
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//textures"),
                                                    PlatformTestFolder::Wide(fFolder.Path("textures"))));
    Enter(kLetter);
    SetState(u"sta_cu_letter_visible", true);
    MGCloseUp* letter = CloseUp("letter");
    ASSERT_NE(letter->GetDisplayGroup(), nullptr);
    EXPECT_EQ(letter->GetDisplayGroup()->GetMember(VoString(u"back_btn")), nullptr);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGCloseUp::kNoButtonLayout));

    fFolder.Write("textures/back_btn_layout.txt", "back_btn\n\tposition=1|2\n");
    SetState(u"sta_cu_letter_visible", false);
    Settle();
    SetState(u"sta_cu_letter_visible", true);
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGCloseUp::kButtonBuildFailure));
}

TEST_F(MGCloseUpTest, ItsHotspotsAreMadeOnEveryEntryAndGoOnLeaving) {
    SetState(u"sta_paper_there", true);
    Enter(kDrawer);
    MGCloseUp* closeUp = CloseUp("drawer");
    Open(u"sta_cu_drawer_visible");
    ASSERT_EQ(closeUp->GetHotspotCount(), 2);
    MGHotspot* knob = closeUp->GetHotspot(0);
    MGHotspot* paper = closeUp->GetHotspot(1);
    EXPECT_TRUE(knob->IsInCloseUp());
    EXPECT_TRUE(knob->IsListening());
    EXPECT_TRUE(paper->IsListening());
    // "closeup" members are the close-up's own.
    EXPECT_EQ(paper->GetDisplayMember(), closeUp->GetDisplayGroup()->GetMember(VoString(u"bg")));
    // The scene's own hotspots stay off meanwhile.
    EXPECT_FALSE(fScene->IsInputEnabled());

    // A change nobody was told of shows at the refresh.
    VoStateManager::GetInstance()->SetState(VoString(u"sta_paper_there"), VoString(u"false"), false);
    EXPECT_TRUE(paper->IsListening());
    closeUp->RefreshHotspots();
    EXPECT_FALSE(paper->IsListening());

    closeUp->SetHotspotsEnabled(false);
    EXPECT_FALSE(knob->IsListening());
    EXPECT_FALSE(closeUp->AreHotspotsEnabled());
    closeUp->SetHotspotsEnabled(true);
    EXPECT_TRUE(knob->IsListening());

    ClickBack();
    Settle();
    EXPECT_EQ(closeUp->GetHotspotCount(), 0);
    Open(u"sta_cu_drawer_visible");
    ASSERT_EQ(closeUp->GetHotspotCount(), 2);
    EXPECT_TRUE(closeUp->GetHotspot(0)->IsListening());
}

TEST_F(MGCloseUpTest, AddHotspotRefusesNullAndTheSameHotspotTwice) {
    MGCloseUp closeUp;
    VoPropertyList entry;
    ASSERT_TRUE(entry.Parse(VoString(u"id=h\ntype=general\n")));
    MGHotspot* hotspot = MGHotspot::Create(&entry);
    ASSERT_NE(hotspot, nullptr);
    EXPECT_FALSE(closeUp.AddHotspot(nullptr));
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGCloseUp::kAddHotspotNull));
    EXPECT_TRUE(closeUp.AddHotspot(hotspot));
    EXPECT_FALSE(closeUp.AddHotspot(hotspot));
    EXPECT_TRUE(Logged("ASSERT FAILURE: ", MGCloseUp::kAddHotspotDuplicate));
    EXPECT_EQ(closeUp.GetHotspotCount(), 1);
    EXPECT_EQ(closeUp.ClearHotspots(), 1);
    EXPECT_EQ(closeUp.GetHotspotCount(), 0);
}

TEST_F(MGCloseUpTest, DeletingAnOpenCloseUpLeavesNothingBehind) {
    Enter(kDrawer);
    Open(u"sta_cu_drawer_visible");
    ASSERT_EQ(Screens()->GetScreenCount(), 2);
    // The scene goes with its close-ups, as a scene change takes it.
    fScene->SetViewpoint(VoString(u"vp_b"));
    EXPECT_EQ(Screens()->GetScreenCount(), 1);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"drawer_group")), nullptr);
    EXPECT_EQ(FakeSoundPlayer::Find("line_a"), nullptr);
    SetState(u"sta_cu_drawer_visible", true);
    EXPECT_EQ(Screens()->GetScreenCount(), 1);
}

}  // namespace
