#include "util/MGGameReset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/support/ScopedGame.h"
#include "support/LogCapture.h"
#include "util/MGIGameResetListener.h"

namespace {

// Writes its name when told; may remove another listener (or itself) then.
class ResetProbe : public MGIGameResetListener {
public:
    ResetProbe(const char* apName, std::vector<std::string>* apJournal)
        : fName(apName), fpJournal(apJournal) {}
    void OnGameReset() override {
        fpJournal->push_back(fName);
        if (fpRemove != nullptr) {
            MGGameReset::GetInstance()->RemoveListener(fpRemove);
        }
    }
    std::string fName;
    std::vector<std::string>* fpJournal;
    MGIGameResetListener* fpRemove = nullptr;
};

}  // namespace

TEST(MGGameReset, ListenersAreToldInRegistrationOrderOnce) {
    ScopedGame game;
    std::vector<std::string> journal;
    ResetProbe first("first", &journal);
    ResetProbe second("second", &journal);
    MGGameReset* reset = MGGameReset::GetInstance();
    ASSERT_NE(reset, nullptr);
    EXPECT_TRUE(reset->AddListener(&first));
    EXPECT_TRUE(reset->AddListener(&second));
    EXPECT_TRUE(reset->AddListener(&first));
    EXPECT_EQ(reset->GetListenerCount(), 2);
    reset->Notify();
    EXPECT_EQ(journal, (std::vector<std::string>{"first", "second"}));
}

TEST(MGGameReset, AListenerRemovedWhileTheNoticeRunsIsNotToldAgain) {
    ScopedGame game;
    std::vector<std::string> journal;
    ResetProbe first("first", &journal);
    ResetProbe second("second", &journal);
    first.fpRemove = &second;
    MGGameReset* reset = MGGameReset::GetInstance();
    reset->AddListener(&first);
    reset->AddListener(&second);
    reset->Notify();
    EXPECT_EQ(journal, std::vector<std::string>{"first"});
    // Removing one that is gone is no error; null is.
    LogCapture log;
    EXPECT_TRUE(reset->RemoveListener(&second));
    EXPECT_FALSE(reset->RemoveListener(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", MGGameReset::kRemoveNull));
}
