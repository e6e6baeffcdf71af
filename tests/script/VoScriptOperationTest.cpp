#include "script/VoScriptOperation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "ScriptTreeText.h"
#include "event/VoEventManager.h"
#include "script/VoScriptBuilder.h"
#include "script/VoScriptOperand.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"

namespace {

VoScriptOperand* Leaf(const VoScriptOperand& aValue) {
    VoScriptOperation* leaf = new VoScriptOperation();
    leaf->SetFirst(new VoScriptOperand(aValue));
    return new VoScriptOperand(VoScriptOperand::Operation(leaf));
}

// An operation of the kind over two leaves; null for an absent side.
VoScriptOperation Binary(std::int32_t aKind, const VoScriptOperand* apFirst,
                         const VoScriptOperand* apSecond) {
    VoScriptOperation operation;
    operation.SetKind(aKind);
    operation.SetFirst(apFirst != nullptr ? Leaf(*apFirst) : nullptr);
    operation.SetSecond(apSecond != nullptr ? Leaf(*apSecond) : nullptr);
    return operation;
}

class VoScriptOperationTest : public ::testing::Test {
protected:
    // The result of the text's tree, evaluated now.
    VoScriptOperand Result(const char16_t* apText) {
        VoScript script;
        VoScriptBuilder::GetInstance()->Build(VoString(apText), &script);
        return script.GetRoot()->Evaluate();
    }
    std::string ResultText(const char16_t* apText) {
        const VoScriptOperand result = Result(apText);
        return OperandText(&result);
    }
    void SetState(const char16_t* apId, const char16_t* apType, const char16_t* apValue) {
        VoStateManager::GetInstance()->SetState(VoString(apId), VoString(apType), VoString(apValue), false);
    }

    ScopedEngine fEngine;
    const VoScriptOperand fOne = VoScriptOperand::Number(1.0f);
    const VoScriptOperand fTrue = VoScriptOperand::Boolean(true);
    const VoScriptOperand fText = VoScriptOperand::String(VoString(u"abc"));
};

}  // namespace

TEST_F(VoScriptOperationTest, ChecksReadEventsAndStatesOfEveryType) {
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_seen"), false);
    SetState(u"sta_flag", u"boolean", u"true");
    SetState(u"sta_n", u"number", u"2.5");
    SetState(u"sta_name", u"string", u"Fred");
    EXPECT_EQ(ResultText(u"e[evt_seen]"), "true");
    EXPECT_EQ(ResultText(u"event[EVT_SEEN]"), "true");
    EXPECT_EQ(ResultText(u"e[evt_other]"), "false");
    EXPECT_EQ(ResultText(u"e[evtalways]"), "true");
    EXPECT_EQ(ResultText(u"s[sta_flag]"), "true");
    EXPECT_EQ(ResultText(u"s[sta_n]"), "2.5");
    EXPECT_EQ(ResultText(u"s[sta_name]"), "'Fred'");
}

TEST_F(VoScriptOperationTest, MissingStateIsTheNumberZeroWithAnAssertion) {
    LogCapture log;
    EXPECT_EQ(ResultText(u"s[sta_never]"), "0");
    EXPECT_TRUE(log.Contains(std::string(VoScriptOperation::kStateNotFound) + "sta_never"));
    EXPECT_EQ(ResultText(u"s[sta_never]+2"), "2");
}

TEST_F(VoScriptOperationTest, ArithmeticAndComparisonsWorkOnFloats) {
    SetState(u"x", u"number", u"3");
    EXPECT_EQ(ResultText(u"2+3*4"), "14");
    EXPECT_EQ(ResultText(u"10-4-3"), "3");
    EXPECT_EQ(ResultText(u"1/4"), "0.25");
    EXPECT_EQ(ResultText(u"state[x]>=3"), "true");
    EXPECT_EQ(ResultText(u"state[x]>3"), "false");
    EXPECT_EQ(ResultText(u"state[x]<=2.5"), "false");
    EXPECT_EQ(ResultText(u"state[x]<4"), "true");
    const VoScriptOperand inf = Result(u"1/0");
    ASSERT_NE(inf.GetNumber(), nullptr);
    EXPECT_TRUE(std::isinf(*inf.GetNumber()) && *inf.GetNumber() > 0);
}

TEST_F(VoScriptOperationTest, NaNComparesFalseAndUnequal) {
    const VoScriptOperand nan = VoScriptOperand::Number(std::numeric_limits<float>::quiet_NaN());
    for (std::int32_t kind :
         {VoScriptOperation::kLess, VoScriptOperation::kGreater, VoScriptOperation::kLessEqual,
          VoScriptOperation::kGreaterEqual, VoScriptOperation::kEqual}) {
        const VoScriptOperand result = Binary(kind, &nan, &nan).Evaluate();
        EXPECT_EQ(OperandText(&result), "false") << kind;
    }
    const VoScriptOperand unequal = Binary(VoScriptOperation::kNotEqual, &nan, &nan).Evaluate();
    EXPECT_EQ(OperandText(&unequal), "true");
}

TEST_F(VoScriptOperationTest, EqualityFollowsTheTypeAndStringsIgnoreCase) {
    SetState(u"a", u"string", u"Kitchen");
    SetState(u"b", u"string", u"KITCHEN");
    SetState(u"f", u"boolean", u"false");
    EXPECT_EQ(ResultText(u"s[a]==s[b]"), "true");
    EXPECT_EQ(ResultText(u"s[a]!=s[b]"), "false");
    EXPECT_EQ(ResultText(u"s[a]==kitchen"), "true");
    EXPECT_EQ(ResultText(u"2==2.0"), "true");
    EXPECT_EQ(ResultText(u"2!=3"), "true");
    EXPECT_EQ(ResultText(u"s[f]==s[f]"), "true");
    // The literal true is a string, not the boolean.
    LogCapture log;
    EXPECT_EQ(ResultText(u"s[f]!=true"), "false");
    EXPECT_TRUE(log.Contains(VoScriptOperation::kOperandMismatch));
}

TEST_F(VoScriptOperationTest, NotNegatesItsSecondOperandOnly) {
    SetState(u"f", u"boolean", u"false");
    EXPECT_EQ(ResultText(u"!s[f]"), "true");
    // The first operand is neither evaluated nor checked.
    LogCapture log;
    const VoScriptOperand result = Binary(VoScriptOperation::kNot, &fText, &fTrue).Evaluate();
    EXPECT_EQ(OperandText(&result), "false");
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VoScriptOperationTest, AndOrEvaluateBothSides) {
    SetState(u"t", u"boolean", u"true");
    SetState(u"f", u"boolean", u"false");
    EXPECT_EQ(ResultText(u"s[t]&s[f]"), "false");
    EXPECT_EQ(ResultText(u"s[t]&s[t]"), "true");
    EXPECT_EQ(ResultText(u"s[f]|s[t]"), "true");
    EXPECT_EQ(ResultText(u"s[f]|s[f]"), "false");
    LogCapture log;
    // The left side decides, but the right side still runs and logs.
    EXPECT_EQ(ResultText(u"s[t]|s[sta_missing]"), "false");
    EXPECT_TRUE(log.Contains(std::string(VoScriptOperation::kStateNotFound) + "sta_missing"));
    EXPECT_TRUE(log.Contains(VoScriptOperation::kOperandMismatch));
}

TEST_F(VoScriptOperationTest, FailedChecksYieldTheKindsTypeAndNeverReadAcrossTypes) {
    struct Case {
        std::int32_t kind;
        const VoScriptOperand* first;
        const VoScriptOperand* second;
        const char* expected;
        const char* message;
    };
    const std::vector<Case> cases = {
        {VoScriptOperation::kAdd, &fText, &fText, "0", VoScriptOperation::kOperandInvalid},
        {VoScriptOperation::kMultiply, &fOne, &fText, "0", VoScriptOperation::kOperandMismatch},
        {VoScriptOperation::kSubtract, nullptr, &fOne, "0", VoScriptOperation::kNullOperand},
        {VoScriptOperation::kDivide, &fOne, nullptr, "0", VoScriptOperation::kNullOperand},
        {VoScriptOperation::kLess, &fTrue, &fTrue, "false", VoScriptOperation::kOperandInvalid},
        {VoScriptOperation::kGreaterEqual, &fOne, &fTrue, "false", VoScriptOperation::kOperandMismatch},
        {VoScriptOperation::kAnd, &fOne, &fOne, "false", VoScriptOperation::kOperandInvalid},
        {VoScriptOperation::kOr, &fTrue, nullptr, "false", VoScriptOperation::kNullOperand},
        {VoScriptOperation::kEqual, &fTrue, &fOne, "false", VoScriptOperation::kOperandMismatch},
        {VoScriptOperation::kNotEqual, &fTrue, &fOne, "false", VoScriptOperation::kOperandMismatch},
        {VoScriptOperation::kNot, &fTrue, nullptr, "false", VoScriptOperation::kNullOperandB},
        {VoScriptOperation::kNot, nullptr, &fOne, "false", VoScriptOperation::kInvalidOperand},
        {VoScriptOperation::kCheckEvent, nullptr, nullptr, "false", VoScriptOperation::kNullOperand},
        {VoScriptOperation::kCheckState, nullptr, nullptr, "0", VoScriptOperation::kNullOperand},
        {VoScriptOperation::kValue, nullptr, nullptr, "?", VoScriptOperation::kValueNullOperand},
        {99, &fOne, nullptr, "?", VoScriptOperation::kInvalidOp},
    };
    for (const Case& c : cases) {
        LogCapture log;
        const VoScriptOperand result = Binary(c.kind, c.first, c.second).Evaluate();
        EXPECT_EQ(OperandText(&result), c.expected) << c.kind;
        EXPECT_TRUE(log.Contains(c.message)) << c.kind << " " << c.message;
    }
}

TEST_F(VoScriptOperationTest, ChecksReportRogueAndNonStringOperands) {
    LogCapture log;
    VoScriptOperation check;
    check.SetKind(VoScriptOperation::kCheckEvent);
    check.SetFirst(new VoScriptOperand(fOne));
    check.SetSecond(new VoScriptOperand(fOne));
    const VoScriptOperand result = check.Evaluate();
    EXPECT_EQ(OperandText(&result), "false");
    EXPECT_TRUE(log.Contains(VoScriptOperation::kRogueOperand));
    EXPECT_TRUE(log.Contains(VoScriptOperation::kInvalidOperand));
}

TEST_F(VoScriptOperationTest, CopiesAreDeep) {
    VoScript script;
    VoScriptBuilder::GetInstance()->Build(VoString(u"(s[a]+1)*2>=10|e[b]"), &script);
    VoScriptOperation copy(*script.GetRoot());
    script.SetRoot(nullptr);
    EXPECT_EQ(TreeText(&copy), "|(>=(*(+(s[a],1),2),10),e[b])");
    VoScriptOperation assigned;
    assigned = copy;
    copy.Clear();
    EXPECT_EQ(TreeText(&assigned), "|(>=(*(+(s[a],1),2),10),e[b])");
    // Assigning a part of the tree to the tree itself keeps the part whole.
    assigned = *assigned.GetFirst()->GetOperation();
    EXPECT_EQ(TreeText(&assigned), ">=(*(+(s[a],1),2),10)");
    // The same for an operand, copied or moved.
    VoScriptOperand operand = *assigned.GetFirst();
    operand = *operand.GetOperation()->GetSecond();
    EXPECT_EQ(OperandText(&operand), "2");
    operand = *assigned.GetFirst();
    operand = std::move(*operand.GetOperation()->GetFirst());
    EXPECT_EQ(OperandText(&operand), "+(s[a],1)");
}

TEST_F(VoScriptOperationTest, RecordOfTrueIsKindCountTypeAndByte) {
    VoScript script;
    VoScriptBuilder::GetInstance()->Build(VoString(u"script[true]"), &script);
    TestStream stream;
    ASSERT_TRUE(script.Write(&stream));
    EXPECT_EQ(stream.Bytes(), (std::vector<unsigned char>{0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                                                          0x00, 0x00, 0x00, 0x00, 0x01}));
}

TEST_F(VoScriptOperationTest, RecordsOfEveryOperandTypeReadBackToAnEqualTree) {
    const char16_t* const texts[] = {u"(s[sta_n]+1)*2>=10|e[evt_c]", u"abc==ABC&3.5<4", u"script[false]",
                                     u"s[x]-s[y]/2"};
    for (const char16_t* text : texts) {
        VoScript script;
        VoScriptBuilder::GetInstance()->Build(VoString(text), &script);
        TestStream stream;
        ASSERT_TRUE(script.Write(&stream));
        TestStream back(stream.Bytes());
        VoScriptOperation read;
        ASSERT_TRUE(read.Read(&back));
        EXPECT_EQ(back.GetPosition(), stream.Bytes().size());
        EXPECT_EQ(TreeText(&read), TreeText(script));
    }
    // A number: kind 0, count 1, type 1, f32 2.5.
    TestStream number;
    VoScriptOperation leaf;
    leaf.SetFirst(new VoScriptOperand(VoScriptOperand::Number(2.5f)));
    ASSERT_TRUE(leaf.Write(&number));
    EXPECT_EQ(number.Bytes(),
              (std::vector<unsigned char>{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0x00, 0x00, 0x20, 0x40}));
}

TEST_F(VoScriptOperationTest, WritingWithoutFirstOperandFailsWithoutTouchingIt) {
    VoScript script;
    VoScriptBuilder::GetInstance()->Build(VoString(u"!x"), &script);
    LogCapture log;
    TestStream stream;
    EXPECT_FALSE(script.Write(&stream));
    EXPECT_TRUE(log.Contains(VoScriptOperation::kWriteNullOperand));
    EXPECT_TRUE(stream.Bytes().empty());
    // Deeper in the tree the record is cut short and reported.
    VoScriptBuilder::GetInstance()->Build(VoString(u"a&-5"), &script);
    EXPECT_FALSE(script.Write(&stream));
}

TEST_F(VoScriptOperationTest, DamagedRecordsFailAndLeaveTheOperationAsItWas) {
    VoScript script;
    VoScriptBuilder::GetInstance()->Build(VoString(u"s[a]|e[b]"), &script);
    TestStream stream;
    ASSERT_TRUE(script.Write(&stream));
    const std::vector<unsigned char> bytes = stream.Bytes();

    VoScriptOperation target;
    target.SetFirst(new VoScriptOperand(VoScriptOperand::Boolean(true)));
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        TestStream cut(std::vector<unsigned char>(bytes.begin(), bytes.begin() + size));
        EXPECT_FALSE(target.Read(&cut)) << size;
        EXPECT_EQ(TreeText(&target), "true");
    }
    LogCapture log;
    TestStream badCount(
        std::vector<unsigned char>{0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1});
    EXPECT_FALSE(target.Read(&badCount));
    EXPECT_TRUE(log.Contains(VoScriptOperation::kReadInvalidCount));
    EXPECT_EQ(TreeText(&target), "true");
}

TEST_F(VoScriptOperationTest, RecordsNestedTooDeeplyAreRefused) {
    // Every level: kind 6, count 1, an operand of type 3 holding the next.
    std::vector<unsigned char> bytes;
    for (int i = 0; i < VoScriptOperation::kMaxDepth + 1; ++i) {
        bytes.insert(bytes.end(), {6, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0});
    }
    bytes.insert(bytes.end(), {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1});
    LogCapture log;
    TestStream stream(bytes);
    VoScriptOperation operation;
    EXPECT_FALSE(operation.Read(&stream));
    EXPECT_TRUE(log.Contains(VoScriptOperation::kReadTooDeep));
}

TEST_F(VoScriptOperationTest, UnknownOperandTypesCarryNoValue) {
    // Kind 0, count 1, operand type 7 (followed by nothing).
    TestStream stream(std::vector<unsigned char>{0, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0});
    VoScriptOperation operation;
    ASSERT_TRUE(operation.Read(&stream));
    EXPECT_EQ(operation.GetFirst()->GetType(), 7);
    const VoScriptOperand result = operation.Evaluate();
    EXPECT_EQ(OperandText(&result), "?");
    TestStream out;
    EXPECT_TRUE(operation.Write(&out));
    EXPECT_EQ(out.Bytes().size(), 12u);
}
