#include "MGMain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "MGApp.h"
#include "game/support/RecordingGame.h"
#include "memory/VoMemoryManager.h"
#include "memory/VoNew.h"
#include "object/VoRegistry.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"
#include "util/MGOptions.h"

namespace {

using ::testing::ElementsAre;

// What the fake platform is told, and how it answers.
struct PlatformScript {
    std::vector<std::string> journal;
    bool creates = true;
    bool initializes = true;
    bool made = true;
    // The blocks the platform leaves behind in Initialize and in Run, and
    // the allocation counter after the first and before the second.
    std::int32_t heap = -1;
    int* initBlock = nullptr;
    int* runBlock = nullptr;
    std::int32_t counterAfterInit = 0;
    std::int32_t counterBeforeRun = 0;
};
PlatformScript gScript;

// Allocates one int in the script's heap, if there is one.
int* AllocateInScriptHeap() {
    const bool pushed = gScript.heap >= 0 && VoMemoryManager::PushHeap(gScript.heap);
    int* block = VO_NEW int(7);
    if (pushed) {
        VoMemoryManager::PopHeap();
    }
    return block;
}

class FakePlatform : public VoIPlatform {
public:
    ~FakePlatform() override { gScript.journal.push_back("deleted"); }
    bool Initialize(std::uintptr_t) override {
        // The object manager initialises every service it makes; only the
        // call with the application counts here.
        if (fpApp == nullptr) {
            return true;
        }
        gScript.journal.push_back(dynamic_cast<MGApp*>(fpApp) != nullptr ? "initialize MGApp" : "initialize");
        gScript.initBlock = AllocateInScriptHeap();
        gScript.counterAfterInit = VoMemoryManager::GetAllocationCounter();
        return gScript.initializes;
    }
    bool Create(VoPlatformDesc* apDesc) override {
        gScript.journal.push_back("create " + Narrow(apDesc->fTitle) + " " + std::to_string(apDesc->fWidth) +
                                  "x" + std::to_string(apDesc->fHeight) + "x" +
                                  std::to_string(apDesc->fBits) +
                                  (apDesc->fWindowed ? " windowed" : " full screen"));
        return gScript.creates;
    }
    void Quit() override {}
    void Update() override {}
    void Reserved13(std::uint32_t) override {}
    int Run() override {
        gScript.journal.push_back("run");
        gScript.counterBeforeRun = VoMemoryManager::GetAllocationCounter();
        gScript.runBlock = AllocateInScriptHeap();
        return 0;
    }
};

// A recording game whose "platform" creator makes the fake platform.
class PlatformGame : public ScopedGame {
public:
    PlatformGame() : ScopedGame(&Register) {}

private:
    static void Register() {
        RecordingEngine::RegisterRecorders();
        VoIObjectCreator* platform = new FunctionCreator(
            VoString(u"platform"), []() -> VoBase* { return gScript.made ? new FakePlatform() : nullptr; });
        if (!VoRegistry::Get()->AddCreator(platform)) {
            delete platform;
        }
    }
};

class MGMainTest : public ::testing::Test {
protected:
    MGMainTest() { gScript = PlatformScript(); }
    ~MGMainTest() override {
        delete gScript.initBlock;
        delete gScript.runBlock;
    }

    PlatformGame fGame;
};

}  // namespace

TEST_F(MGMainTest, TheDataTreeIsMountedUnderTheGameRoot) {
    ASSERT_TRUE(MGMain::MountDataTree(VoString(u"/games/detective")));
    const char* const table[][2] = {
        {"//gameroot/x", "/games/detective/x"},
        {"//dataroot/x", "/games/detective/data/x"},
        {"//textures/x", "/games/detective/data/textures/x"},
        {"//meshes/x", "/games/detective/data/meshes/x"},
        {"//animations/x", "/games/detective/data/animations/x"},
        {"//interviews/x", "/games/detective/data/interviews/x"},
        {"//sounds/x", "/games/detective/data/sounds/x"},
        {"//scenes/x", "/games/detective/data/scenes/x"},
        {"//characters/x", "/games/detective/data/characters/x"},
        {"//gestures/x", "/games/detective/data/gestures/x"},
    };
    for (const auto& row : table) {
        VoString native;
        EXPECT_TRUE(VoIFileSystem::GetInstance()->ResolvePath(VoString(row[0]), native)) << row[0];
        EXPECT_EQ(Narrow(native), row[1]);
    }
}

TEST_F(MGMainTest, FindsTheFirstMissingPieceOfTheDataTree) {
    PlatformTestFolder root;
    const std::string base = root.Files();
    struct Step {
        const char* create;  // made before the check; null for nothing
        std::string expected;
    };
    const Step steps[] = {
        {nullptr, std::string(MGMain::kMissingData) + base + "/data"},
        {"data", std::string(MGMain::kMissingTextures) + base + "/data/textures"},
        {"data/textures/fonts", std::string(MGMain::kMissingFonts) + base + "/data/textures/fonts/fonts.txt"},
    };
    for (const Step& step : steps) {
        if (step.create != nullptr) {
            std::filesystem::create_directories(root.Path(step.create));
        }
        EXPECT_EQ(Narrow(MGMain::FindMissingData(PlatformTestFolder::Wide(base))), step.expected);
    }
    root.Write("data/textures/fonts/fonts.txt", "fonts\n");
    EXPECT_EQ(MGMain::FindMissingData(PlatformTestFolder::Wide(base)).GetLength(), 0);
}

// Every creator is tried whatever the others did; the result is the AND.
TEST(MGMain, RegisterCreatorsTriesEveryOneAndSaysWhetherAllWereTaken) {
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoIObjectCreator* taken = new FunctionCreator(VoString(u"timer"), [] { return nullptr; });
    ASSERT_TRUE(VoRegistry::Get()->AddCreator(taken));
    {
        LogCapture log;
        EXPECT_FALSE(MGMain::RegisterCreators());
    }
    EXPECT_EQ(VoRegistry::Get()->GetCreatorCount(), 12);
    EXPECT_EQ(VoRegistry::Get()->GetCreator(u"timer"), taken);
    EXPECT_NE(VoRegistry::Get()->GetCreator(u"gameclock"), nullptr);
    delete VoCleaner::PeekInstance();

    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    EXPECT_TRUE(MGMain::RegisterCreators());
    delete VoCleaner::PeekInstance();
}

// The counter is read after Initialize: a block that Initialize leaves is no
// leak, one that the main loop leaves is, and the report says so.
TEST_F(MGMainTest, RunsThePlatformThenTearsDownAndReportsLeaksFromAfterInitialize) {
    static const std::int32_t heap = VoMemoryManager::CreateHeap(u"mgmain_leaks", 0);
    ASSERT_GE(heap, 0);
    VoMemoryManager::SetTracking(heap, true);
    gScript.heap = heap;
    ASSERT_NE(MGOptions::GetInstance(), nullptr);
    LogCapture log;

    EXPECT_EQ(MGMain::RunApplication(true), 0);
    EXPECT_THAT(gScript.journal,
                ElementsAre("create Test 800x600x32 windowed", "initialize MGApp", "run", "deleted"));
    EXPECT_EQ(MGApp::PeekInstance(), nullptr);
    // Both cleaners are gone, and with them every singleton.
    EXPECT_EQ(MGCleaner::PeekInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);

    EXPECT_GE(MGMain::GetLeakWindowStart(), gScript.counterAfterInit);
    EXPECT_LE(MGMain::GetLeakWindowStart(), gScript.counterBeforeRun);
    EXPECT_GT(MGMain::GetLeakWindowEnd(), gScript.counterBeforeRun);
    EXPECT_EQ(log.Count("LEAK in mgmain_leaks."), 1);
    EXPECT_TRUE(log.Contains("MGMainTest.cpp, line: "));
}

// Whatever of the platform was made is deleted with everything else, the
// failure is logged and told on standard error, and the exit code is not 0.
TEST_F(MGMainTest, APlatformThatFailsToStartEndsTheProgramWithAnError) {
    struct Case {
        const char* name;
        bool made, creates, initializes;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {"no platform", false, true, true, {}},
        {"no window", true, false, true, {"create Test 800x600x32 full screen", "deleted"}},
        {"no initialisation",
         true,
         true,
         false,
         {"create Test 800x600x32 full screen", "initialize MGApp", "deleted"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlatformGame game;
        RecordingGame::MountSampleTree();
        gScript.journal.clear();
        gScript.made = c.made;
        gScript.creates = c.creates;
        gScript.initializes = c.initializes;
        LogCapture log;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(MGMain::RunApplication(false), MGMain::kExitPlatformFailure);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  std::string(MGMain::kProgramName) + MGMain::kPlatformLine + "\n");
        EXPECT_EQ(gScript.journal, c.journal);
        EXPECT_TRUE(log.Logged("ERROR: ", MGMain::kPlatformFailure));
        EXPECT_EQ(MGCleaner::PeekInstance(), nullptr);
        EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
        EXPECT_EQ(MGApp::PeekInstance(), nullptr);
    }
}

// Start-up stops before the window opens, with one line naming the path.
TEST_F(MGMainTest, AMissingDataTreeStopsStartUpWithOneLineOnStandardError) {
    PlatformTestFolder root;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(root.Files());
    ::testing::internal::CaptureStderr();
    const int code = MGMain::Run(false);
    const std::string error = ::testing::internal::GetCapturedStderr();
    std::filesystem::current_path(before);

    EXPECT_EQ(code, MGMain::kExitMissingData);
    EXPECT_EQ(error, std::string(MGMain::kProgramName) + MGMain::kMissingData + root.Files() + "/data\n");
    EXPECT_TRUE(gScript.journal.empty());
    EXPECT_TRUE(root.Logged("NOTE: ", std::string(MGMain::kCurrentDir) + root.Files()));
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
}

TEST(MGMain, TheAddOnCallbackWritesAPlainLine) {
    LogCapture log;
    MGMain::AddOnCallback();
    EXPECT_THAT(log.Lines(), ElementsAre("Test Add-On."));
}

TEST(MGMain, AWindowIsAskedForByFlagOrVariable) {
    const char* const plain[] = {"mg_game"};
    const char* const flagged[] = {"mg_game", "--fast", "--windowed"};
    unsetenv(MGMain::kWindowedVariable);
    EXPECT_FALSE(MGMain::WantsWindow(1, plain));
    EXPECT_TRUE(MGMain::WantsWindow(3, flagged));
    for (const auto& value :
         {std::pair<const char*, bool>{"1", true}, {"0", false}, {"", false}, {"yes", true}}) {
        setenv(MGMain::kWindowedVariable, value.first, 1);
        EXPECT_EQ(MGMain::WantsWindow(1, plain), value.second) << value.first;
    }
    unsetenv(MGMain::kWindowedVariable);
}
