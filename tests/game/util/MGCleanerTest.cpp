#include "util/MGCleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/support/ScopedGame.h"
#include "support/LogCapture.h"
#include "util/MGKeyInput.h"
#include "util/MGOptions.h"

namespace {

using ::testing::ElementsAre;
using Journal = std::vector<std::string>;

// Writes its name into the journal when deleted, after running its action.
class Instance : public VoBase {
public:
    Instance(const char* apName, Journal* apJournal) : fName(apName), fpJournal(apJournal) {}
    ~Instance() override {
        if (fOnDelete) {
            fOnDelete();
        }
        fpJournal->push_back(fName);
    }

    std::string fName;
    Journal* fpJournal;  // not owned
    std::function<void()> fOnDelete;
};

}  // namespace

TEST(MGCleaner, DeletesTheLastRegisteredFirstAndTheFirstLast) {
    ScopedGame game;
    Journal deleted;
    MGCleaner* cleaner = MGCleaner::GetInstance();
    ASSERT_NE(cleaner, nullptr);
    EXPECT_EQ(MGCleaner::PeekInstance(), cleaner);
    for (const char* name : {"first", "second", "third"}) {
        EXPECT_TRUE(cleaner->AddInstance(new Instance(name, &deleted)));
    }
    EXPECT_EQ(cleaner->GetInstanceCount(), 3);
    // Each new one at the front.
    EXPECT_EQ(static_cast<Instance*>(cleaner->GetInstanceAt(0))->fName, "third");
    EXPECT_EQ(static_cast<Instance*>(cleaner->GetInstanceAt(2))->fName, "first");
    EXPECT_EQ(cleaner->GetInstanceAt(3), nullptr);
    delete cleaner;
    EXPECT_THAT(deleted, ElementsAre("third", "second", "first"));
    EXPECT_EQ(MGCleaner::PeekInstance(), nullptr);
}

TEST(MGCleaner, RefusesNullAndAnInstanceItHoldsAlready) {
    ScopedGame game;
    LogCapture log;
    Journal deleted;
    MGCleaner* cleaner = MGCleaner::GetInstance();
    Instance* instance = new Instance("one", &deleted);
    EXPECT_TRUE(cleaner->AddInstance(instance));
    EXPECT_FALSE(cleaner->AddInstance(instance));
    EXPECT_TRUE(log.Logged("ERROR: ", VoCleaner::kAddDuplicate));
    EXPECT_FALSE(cleaner->AddInstance(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoCleaner::kAddNull));
    EXPECT_EQ(cleaner->GetInstanceCount(), 1);
    game.ShutDown();
    EXPECT_THAT(deleted, ElementsAre("one"));
}

TEST(MGCleaner, GameSingletonsGoWithItAndStayGone) {
    ScopedGame game;
    MGOptions* options = MGOptions::GetInstance();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(MGOptions::GetInstance(), options);
    EXPECT_EQ(MGCleaner::GetInstance()->GetInstanceCount(), 1);
    delete MGCleaner::PeekInstance();

    // A new cleaner is empty, and what the old one deleted is not made again.
    MGCleaner* second = MGCleaner::GetInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(MGOptions::GetInstance(), nullptr);
    EXPECT_EQ(second->GetInstanceCount(), 0);
}

// A destructor that reaches for a game singleton during the clean-up gets the
// live one, or null for one already deleted or never made; nothing is made
// anew and no second cleaner appears.
TEST(MGCleaner, ASingletonReachedDuringTheCleanUpIsLiveOrNull) {
    ScopedGame game;
    Journal deleted;
    MGCleaner* cleaner = MGCleaner::GetInstance();
    Instance* early = new Instance("early", &deleted);
    ASSERT_TRUE(cleaner->AddInstance(early));
    ASSERT_NE(MGOptions::GetInstance(), nullptr);
    Instance* late = new Instance("late", &deleted);
    ASSERT_TRUE(cleaner->AddInstance(late));

    MGOptions* seenByLate = nullptr;
    MGOptions* seenByEarly = reinterpret_cast<MGOptions*>(1);
    MGKeyInput* keyInputSeen = reinterpret_cast<MGKeyInput*>(1);
    late->fOnDelete = [&] { seenByLate = MGOptions::GetInstance(); };
    early->fOnDelete = [&] {
        seenByEarly = MGOptions::GetInstance();
        keyInputSeen = MGKeyInput::GetInstance();
    };
    delete cleaner;
    EXPECT_NE(seenByLate, nullptr);
    EXPECT_EQ(seenByEarly, nullptr);
    EXPECT_EQ(keyInputSeen, nullptr);
    EXPECT_EQ(MGCleaner::PeekInstance(), nullptr);
    EXPECT_THAT(deleted, ElementsAre("late", "early"));
}
