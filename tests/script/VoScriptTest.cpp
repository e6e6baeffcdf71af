#include "script/VoScript.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "script/VoScriptBuilder.h"
#include "script/VoScriptOperand.h"
#include "script/VoScriptOperation.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"

namespace {

class VoScriptTest : public ::testing::Test {
protected:
    bool Evaluate(const char16_t* apText) {
        VoScript script;
        VoScriptBuilder::GetInstance()->Build(VoString(apText), &script);
        return script.Evaluate();
    }
    void SetNumber(const char16_t* apId, const char16_t* apValue) {
        VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"number"), VoString(apValue),
                                                false);
    }

    ScopedEngine fEngine;
};

}  // namespace

TEST_F(VoScriptTest, WorkedExampleFollowsTheStateAndTheEvent) {
    VoScript script;
    VoScriptBuilder::GetInstance()->Build(VoString(u"script[(s[sta_n]+1)*2>=10|e[evt_c]]"), &script);
    SetNumber(u"sta_n", u"4");
    EXPECT_TRUE(script.Evaluate());
    SetNumber(u"sta_n", u"3");
    EXPECT_FALSE(script.Evaluate());
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_c"), false);
    EXPECT_TRUE(script.Evaluate());
}

TEST_F(VoScriptTest, BooleansAreTheirValue) {
    EXPECT_TRUE(Evaluate(u"script[TRUE]"));
    EXPECT_FALSE(Evaluate(u"script[false]"));
    EXPECT_TRUE(Evaluate(u"2<3"));
}

// Data scripts rely on these rules; they are deliberate.
TEST_F(VoScriptTest, NumbersAreTrueOnlyAtZeroAndStringsOnlyWhenEmpty) {
    EXPECT_FALSE(Evaluate(u"1/0"));
    EXPECT_FALSE(Evaluate(u"1"));
    EXPECT_TRUE(Evaluate(u"0"));
    EXPECT_TRUE(Evaluate(u"2-2"));
    LogCapture log;
    EXPECT_TRUE(Evaluate(u"s[sta_never_set]"));
    EXPECT_TRUE(log.Contains(VoScriptOperation::kStateNotFound));
    EXPECT_FALSE(Evaluate(u"abc"));
    VoStateManager::GetInstance()->SetState(VoString(u"sta_s"), VoString(u"string"), VoString(u"x"), false);
    const VoString empty(u"");
    VoStateManager::GetInstance()->SetState(VoString(u"sta_s"), &empty, false);
    EXPECT_TRUE(Evaluate(u"s[sta_s]"));
}

TEST_F(VoScriptTest, ResultsWithoutValueAreFalse) {
    LogCapture log;
    EXPECT_FALSE(Evaluate(u"_x"));
    VoScript empty;
    EXPECT_FALSE(empty.Evaluate());
}

TEST_F(VoScriptTest, StreamFormNeedsARoot) {
    VoScript script;
    TestStream stream(std::vector<unsigned char>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1});
    EXPECT_FALSE(script.Read(&stream));
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_FALSE(script.Write(&stream));

    script.SetRoot(new VoScriptOperation());
    EXPECT_TRUE(script.Read(&stream));
    EXPECT_TRUE(script.Evaluate());
}
