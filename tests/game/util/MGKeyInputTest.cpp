#include "util/MGKeyInput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/support/ScopedGame.h"
#include "platform/VoKeyboard.h"

namespace {

using ::testing::ElementsAre;

class KeyRecorder : public VoIKeyboardListener {
public:
    void OnKeyDown(int aKey) override { fKeys.push_back("down " + std::to_string(aKey)); }
    void OnKeyUp(int aKey) override { fKeys.push_back("up " + std::to_string(aKey)); }
    std::vector<std::string> fKeys;
};

}  // namespace

// It stands before every other listener, yet every key passes it untouched.
TEST(MGKeyInput, LetsEveryKeyPassToTheListenersAfterIt) {
    ScopedGame game;
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    ASSERT_NE(keyboard, nullptr);
    KeyRecorder after;
    ASSERT_TRUE(keyboard->AddListener(&after, MGKeyInput::kKeyboardOrder + 1.0f));
    MGKeyInput* input = MGKeyInput::GetInstance();
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(keyboard->GetListenerCount(), 2);
    EXPECT_FALSE(input->IsTextEntryOn());
    // Registered once: the same listener again is refused.
    EXPECT_FALSE(keyboard->AddListener(input, 0.0f));

    EXPECT_TRUE(keyboard->KeyDown(30));
    EXPECT_TRUE(keyboard->KeyUp(30));
    EXPECT_THAT(after.fKeys, ElementsAre("down 30", "up 30"));

    delete MGCleaner::PeekInstance();
    EXPECT_EQ(keyboard->GetListenerCount(), 1);
    keyboard->RemoveListener(&after);
}
