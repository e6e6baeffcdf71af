#include "stdlib/VoFrameManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"

namespace {

// Records its name in a shared journal and then runs an optional action.
class Listener : public VoIFrameListener {
public:
    Listener(const char* apName, std::vector<std::string>* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnUpdate() override {
        fpJournal->push_back(fName);
        if (fAction) {
            fAction();
        }
    }
    std::string fName;
    std::vector<std::string>* fpJournal;  // not owned
    std::function<void()> fAction;
};

class VoFrameManagerTest : public ::testing::Test {
protected:
    std::vector<std::string> Frame() {
        fJournal.clear();
        EXPECT_TRUE(fFrames.Update());
        return fJournal;
    }

    VoFrameManager fFrames;
    std::vector<std::string> fJournal;
    Listener fA{"A", &fJournal}, fB{"B", &fJournal}, fC{"C", &fJournal}, fD{"D", &fJournal};
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(VoFrameManagerTest, CallsInAscendingOrderAndEqualOrdersInRegistrationOrder) {
    fFrames.AddListener(&fA, 5.0f);
    fFrames.AddListener(&fB, -100.0f);
    fFrames.AddListener(&fC, 5.0f);
    fFrames.AddListener(&fD, 0.0f);
    EXPECT_EQ(Frame(), (Names{"B", "D", "A", "C"}));
    EXPECT_EQ(Frame(), (Names{"B", "D", "A", "C"}));
}

TEST_F(VoFrameManagerTest, UpdateWithoutListenersCallsNobody) {
    EXPECT_EQ(Frame(), Names{});
}

TEST_F(VoFrameManagerTest, RefusesNullAndDuplicatesAndKeepsTheFirstOrder) {
    LogCapture log;
    EXPECT_FALSE(fFrames.AddListener(nullptr, 1.0f));
    EXPECT_TRUE(log.Contains(VoFrameManager::kAddNull));
    fFrames.AddListener(&fA, 1.0f);
    fFrames.AddListener(&fB, 2.0f);
    EXPECT_FALSE(fFrames.AddListener(&fA, 3.0f));
    EXPECT_TRUE(log.Contains(VoFrameManager::kAddDuplicate));
    EXPECT_EQ(fFrames.GetListenerCount(), 2);
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
}

TEST_F(VoFrameManagerTest, RemoveOfAnUnknownListenerIsAnError) {
    LogCapture log;
    EXPECT_FALSE(fFrames.RemoveListener(&fA));
    EXPECT_FALSE(fFrames.RemoveListener(nullptr));
    EXPECT_EQ(log.Count(VoFrameManager::kRemoveNotFound), 2);
    fFrames.AddListener(&fA, 0.0f);
    fFrames.AddListener(&fB, 0.0f);
    EXPECT_TRUE(fFrames.RemoveListener(&fA));
    EXPECT_EQ(Frame(), (Names{"B"}));
}

TEST_F(VoFrameManagerTest, StopUpdateInsideAListenerEndsThisFrameOnly) {
    fFrames.AddListener(&fA, 1.0f);
    fFrames.AddListener(&fB, 2.0f);
    fFrames.AddListener(&fC, 3.0f);
    fB.fAction = [this] { fFrames.StopUpdate(); };
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
    fB.fAction = nullptr;
    EXPECT_EQ(Frame(), (Names{"A", "B", "C"}));
}

TEST_F(VoFrameManagerTest, StopUpdateBetweenFramesSkipsTheNextFrameOnly) {
    fFrames.AddListener(&fA, 1.0f);
    EXPECT_TRUE(fFrames.StopUpdate());
    EXPECT_EQ(Frame(), Names{});
    EXPECT_EQ(Frame(), (Names{"A"}));
}

TEST_F(VoFrameManagerTest, AListenerRemovedDuringTheFrameIsNotCalled) {
    fFrames.AddListener(&fA, 1.0f);
    fFrames.AddListener(&fB, 2.0f);
    fFrames.AddListener(&fC, 3.0f);
    fA.fAction = [this] { fFrames.RemoveListener(&fC); };
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
    // Removed and added again within one frame: still waits for the next.
    fA.fAction = [this] {
        fFrames.RemoveListener(&fB);
        fFrames.AddListener(&fB, 2.0f);
    };
    EXPECT_EQ(Frame(), (Names{"A"}));
    fA.fAction = nullptr;
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
}

TEST_F(VoFrameManagerTest, AListenerAddedDuringTheFrameWaitsForTheNext) {
    fFrames.AddListener(&fB, 2.0f);
    fB.fAction = [this] { fFrames.AddListener(&fA, 1.0f); };
    EXPECT_EQ(Frame(), (Names{"B"}));
    fB.fAction = nullptr;
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
}

TEST_F(VoFrameManagerTest, AListenerMayRemoveItself) {
    fFrames.AddListener(&fA, 1.0f);
    fFrames.AddListener(&fB, 2.0f);
    fA.fAction = [this] { fFrames.RemoveListener(&fA); };
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
    EXPECT_EQ(Frame(), (Names{"B"}));
}

TEST_F(VoFrameManagerTest, ANestedUpdateIsRefusedAndTheFrameGoesOn) {
    fFrames.AddListener(&fA, 1.0f);
    fFrames.AddListener(&fB, 2.0f);
    bool nested = true;
    fA.fAction = [this, &nested] { nested = fFrames.Update(); };
    LogCapture log;
    EXPECT_EQ(Frame(), (Names{"A", "B"}));
    EXPECT_FALSE(nested);
    EXPECT_TRUE(log.Contains(VoFrameManager::kNestedUpdate));
}

TEST(VoFrameManager, DestructionWritesItsBareLine) {
    LogCapture log;
    { VoFrameManager frames; }
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"~VoFrameManager()"}));
}

TEST(VoFrameManager, TheInstanceBelongsToTheEngineCleaner) {
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    VoFrameManager* frames = VoFrameManager::GetInstance();
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(VoFrameManager::GetInstance(), frames);
    ASSERT_NE(VoCleaner::PeekInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance()->GetInstanceCount(), 1);
    delete VoCleaner::PeekInstance();
    // Gone with its cleaner, and not made again by a late caller.
    EXPECT_EQ(VoFrameManager::GetInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
}
