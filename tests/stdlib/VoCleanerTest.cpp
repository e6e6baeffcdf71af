#include "stdlib/VoCleaner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "memory/VoNew.h"
#include "support/LogCapture.h"

namespace {

// Records its number in a shared journal when deleted, after an optional action.
class Tracked : public VoBase {
public:
    Tracked(int aNumber, std::vector<int>* apDeleted) : fNumber(aNumber), fpDeleted(apDeleted) {}
    ~Tracked() override {
        if (fOnDelete) {
            fOnDelete();
        }
        fpDeleted->push_back(fNumber);
    }
    int fNumber;
    std::vector<int>* fpDeleted;  // not owned
    std::function<void()> fOnDelete;
};

// Two singletons of the engine cleaner, made the documented way.
std::vector<int> gSingletonsDeleted;

class FirstSingleton : public Tracked {
public:
    FirstSingleton() : Tracked(1, &gSingletonsDeleted) {}
    static FirstSingleton* GetInstance();
};

class SecondSingleton : public Tracked {
public:
    SecondSingleton() : Tracked(2, &gSingletonsDeleted) {}
    static SecondSingleton* GetInstance();
};

VoCleanerSingleton<FirstSingleton> gFirst;
VoCleanerSingleton<SecondSingleton> gSecond;

FirstSingleton* FirstSingleton::GetInstance() {
    return gFirst.Get([] { return VO_NEW FirstSingleton(); }, "FirstSingleton creation failure.");
}

SecondSingleton* SecondSingleton::GetInstance() {
    return gSecond.Get([] { return VO_NEW SecondSingleton(); }, "SecondSingleton creation failure.");
}

// Each test starts the engine anew with a new engine cleaner and ends
// without one.
class VoCleanerSingletonTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSingletonsDeleted.clear();
        VoCleaner::ResetEngineForTests();
        ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    }
    void TearDown() override { delete VoCleaner::PeekInstance(); }
};

}  // namespace

TEST(VoCleaner, DeletesTheNewestInstanceFirst) {
    std::vector<int> deleted;
    {
        VoCleaner cleaner;
        for (int n = 1; n <= 3; ++n) {
            EXPECT_TRUE(cleaner.AddInstance(new Tracked(n, &deleted)));
        }
        EXPECT_EQ(cleaner.GetInstanceCount(), 3);
    }
    EXPECT_EQ(deleted, (std::vector<int>{3, 2, 1}));
}

TEST(VoCleaner, RefusesNullAndDuplicatesSoEachInstanceIsDeletedOnce) {
    std::vector<int> deleted;
    {
        VoCleaner cleaner;
        Tracked* instance = new Tracked(1, &deleted);
        LogCapture log;
        EXPECT_FALSE(cleaner.AddInstance(nullptr));
        EXPECT_TRUE(log.Contains(VoCleaner::kAddNull));
        EXPECT_TRUE(cleaner.AddInstance(instance));
        EXPECT_FALSE(cleaner.AddInstance(instance));
        EXPECT_TRUE(log.Contains(VoCleaner::kAddDuplicate));
        EXPECT_EQ(cleaner.GetInstanceCount(), 1);
    }
    EXPECT_EQ(deleted, (std::vector<int>{1}));
}

TEST(VoCleaner, RemoveInstanceGivesOwnershipBack) {
    std::vector<int> deleted;
    Tracked kept(1, &deleted);
    {
        VoCleaner cleaner;
        cleaner.AddInstance(&kept);
        cleaner.AddInstance(new Tracked(2, &deleted));
        EXPECT_TRUE(cleaner.RemoveInstance(&kept));
        LogCapture log;
        EXPECT_FALSE(cleaner.RemoveInstance(&kept));
        EXPECT_FALSE(cleaner.RemoveInstance(nullptr));
        EXPECT_EQ(log.Count(VoCleaner::kRemoveFailure), 2);
    }
    EXPECT_EQ(deleted, (std::vector<int>{2}));
}

TEST(VoCleaner, RefusesNewInstancesOnceItIsDeletingItsOwn) {
    std::vector<int> deleted;
    LogCapture log;
    {
        VoCleaner cleaner;
        Tracked* first = new Tracked(1, &deleted);
        first->fOnDelete = [&cleaner, &deleted] {
            Tracked late(9, &deleted);
            EXPECT_TRUE(cleaner.IsCleaning());
            EXPECT_FALSE(cleaner.AddInstance(&late));
        };
        cleaner.AddInstance(first);
    }
    EXPECT_TRUE(log.Contains(VoCleaner::kAddWhileCleaning));
    EXPECT_EQ(deleted, (std::vector<int>{9, 1}));
}

TEST(VoCleaner, AnInstanceGivenBackDuringCleanUpIsNotDeleted) {
    std::vector<int> deleted;
    Tracked* older = new Tracked(1, &deleted);
    {
        VoCleaner cleaner;
        cleaner.AddInstance(older);
        Tracked* newer = new Tracked(2, &deleted);
        newer->fOnDelete = [&cleaner, older] { EXPECT_TRUE(cleaner.RemoveInstance(older)); };
        cleaner.AddInstance(newer);
    }
    EXPECT_EQ(deleted, (std::vector<int>{2}));
    delete older;
}

TEST(VoCleaner, TheEngineCleanerIsMadeOnFirstUseAndAgainAfterItsDeletion) {
    VoCleaner* cleaner = VoCleaner::GetInstance();
    ASSERT_NE(cleaner, nullptr);
    EXPECT_EQ(VoCleaner::GetInstance(), cleaner);
    EXPECT_EQ(VoCleaner::PeekInstance(), cleaner);
    const std::uint32_t serial = cleaner->GetSerial();
    delete cleaner;
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
    VoCleaner* next = VoCleaner::GetInstance();
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next->GetSerial(), serial);
    EXPECT_EQ(next->GetInstanceCount(), 0);
    delete next;
}

TEST_F(VoCleanerSingletonTest, AccessorsMakeOneInstanceEachOwnedByTheEngineCleaner) {
    FirstSingleton* first = FirstSingleton::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FirstSingleton::GetInstance(), first);
    SecondSingleton::GetInstance();
    EXPECT_EQ(VoCleaner::PeekInstance()->GetInstanceCount(), 2);
    delete VoCleaner::PeekInstance();
    EXPECT_EQ(gSingletonsDeleted, (std::vector<int>{2, 1}));
}

TEST_F(VoCleanerSingletonTest, AccessorsGiveNullOnceTheirInstanceIsGone) {
    FirstSingleton::GetInstance();
    SecondSingleton::GetInstance();
    // The older singleton's destructor asks for the newer one, already
    // deleted, and for itself, being deleted.
    bool asked = false;
    SecondSingleton* seen = nullptr;
    FirstSingleton* self = nullptr;
    gFirst.Peek()->fOnDelete = [&asked, &seen, &self] {
        asked = true;
        seen = SecondSingleton::GetInstance();
        self = FirstSingleton::GetInstance();
    };
    delete VoCleaner::PeekInstance();
    EXPECT_TRUE(asked);
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(FirstSingleton::GetInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
    EXPECT_EQ(gSingletonsDeleted, (std::vector<int>{2, 1}));
}

TEST_F(VoCleanerSingletonTest, NoSingletonIsMadeWhileTheCleanerDeletesItsInstances) {
    std::vector<int> deleted;
    Tracked* instance = new Tracked(5, &deleted);
    bool asked = false;
    SecondSingleton* made = nullptr;
    instance->fOnDelete = [&asked, &made] {
        asked = true;
        made = SecondSingleton::GetInstance();
    };
    VoCleaner::GetInstance()->AddInstance(instance);
    LogCapture log;
    delete VoCleaner::PeekInstance();
    EXPECT_TRUE(asked);
    EXPECT_EQ(made, nullptr);
    EXPECT_TRUE(gSingletonsDeleted.empty());
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VoCleanerSingletonTest, ADeletedSingletonStaysGoneEvenForANewEngineCleaner) {
    ASSERT_NE(FirstSingleton::GetInstance(), nullptr);
    delete VoCleaner::PeekInstance();
    EXPECT_EQ(FirstSingleton::GetInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
    // A late caller makes a new engine cleaner: nothing deleted comes back.
    VoCleaner* late = VoCleaner::GetInstance();
    ASSERT_NE(late, nullptr);
    LogCapture log;
    EXPECT_EQ(FirstSingleton::GetInstance(), nullptr);
    EXPECT_EQ(late->GetInstanceCount(), 0);
    EXPECT_TRUE(log.Lines().empty());
    // A singleton never made before is still made for the new cleaner.
    EXPECT_NE(SecondSingleton::GetInstance(), nullptr);
    EXPECT_EQ(late->GetInstanceCount(), 1);
}

TEST_F(VoCleanerSingletonTest, OnlyAResetOfTheEngineMakesADeletedSingletonAgain) {
    ASSERT_NE(FirstSingleton::GetInstance(), nullptr);
    VoCleaner::ResetEngineForTests();
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
    EXPECT_EQ(gSingletonsDeleted, (std::vector<int>{1}));
    FirstSingleton* again = FirstSingleton::GetInstance();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(gFirst.Peek(), again);
    ASSERT_NE(VoCleaner::PeekInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance()->GetInstanceCount(), 1);
}

TEST_F(VoCleanerSingletonTest, ASingletonGivenBackCanBeMadeAgain) {
    FirstSingleton* first = FirstSingleton::GetInstance();
    EXPECT_TRUE(VoCleaner::PeekInstance()->RemoveInstance(first));
    EXPECT_EQ(gFirst.Peek(), nullptr);
    FirstSingleton* second = FirstSingleton::GetInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    delete first;
}

TEST_F(VoCleanerSingletonTest, ACreationFailureIsLoggedAtTheAccessor) {
    VoCleanerSingleton<Tracked> slot;
    LogCapture log;
    EXPECT_EQ(slot.Get([]() -> Tracked* { return nullptr; }, "Tracked creation failure."), nullptr);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_NE(log.Lines()[0].find("tests/stdlib/VoCleanerTest.cpp, "), std::string::npos) << log.Lines()[0];
    EXPECT_NE(log.Lines()[0].find("Tracked creation failure."), std::string::npos);
}

TEST_F(VoCleanerSingletonTest, WithoutACreationFailureTextTheMakerAloneReports) {
    VoCleanerSingleton<Tracked> slot;
    LogCapture log;
    EXPECT_EQ(slot.Get([]() -> Tracked* { return nullptr; }, nullptr), nullptr);
    EXPECT_TRUE(log.Lines().empty());
}
