#include "script/VoScriptBuilder.h"

#include <gtest/gtest.h>

#include <string>

#include "ScriptTreeText.h"
#include "script/VoScript.h"
#include "script/VoScriptOperation.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"
#include "support/TestStream.h"

namespace {

class VoScriptBuilderTest : public ::testing::Test {
protected:
    // The tree that the text builds, as compact text.
    std::string Tree(const char16_t* apText) {
        VoScript script;
        EXPECT_TRUE(fBuilder.Build(VoString(apText), &script));
        return TreeText(script);
    }

    VoScriptBuilder fBuilder;
};

int Depth(const VoScriptOperation* apOperation) {
    if (apOperation == nullptr) {
        return 0;
    }
    int deepest = 0;
    for (const VoScriptOperand* operand : {apOperation->GetFirst(), apOperation->GetSecond()}) {
        if (operand != nullptr && operand->GetOperation() != nullptr) {
            const int depth = Depth(operand->GetOperation());
            deepest = depth > deepest ? depth : deepest;
        }
    }
    return deepest + 1;
}

}  // namespace

TEST_F(VoScriptBuilderTest, WorkedExampleCutsBracketsThenParenthesesThenSplits) {
    EXPECT_EQ(Tree(u"script[(s[sta_n]+1)*2>=10|e[evt_c]]"), "|(>=(*(+(s[sta_n],1),2),10),e[evt_c])");
}

TEST_F(VoScriptBuilderTest, LoosestGroupWinsAndSplitsAtItsLastOccurrence) {
    EXPECT_EQ(Tree(u"a|b&c"), "&(|('a','b'),'c')");
    EXPECT_EQ(Tree(u"a&b|c"), "&('a',|('b','c'))");
    EXPECT_EQ(Tree(u"a-b-c"), "-(-('a','b'),'c')");
    EXPECT_EQ(Tree(u"a==b<c"), "<(==('a','b'),'c')");
    EXPECT_EQ(Tree(u"!a==b"), "!(_,==('a','b'))");
    EXPECT_EQ(Tree(u"!a<b"), "<(!(_,'a'),'b')");
    // "!" splits before "==", leaving a== on the left where "!" never looks.
    EXPECT_EQ(Tree(u"a==!b"), "!(==('a',_),'b')");
    // Within a group the operator tried first wins wherever it stands.
    EXPECT_EQ(Tree(u"a*b/c"), "*('a',/('b','c'))");
    EXPECT_EQ(Tree(u"a<=b!=c"), "<=('a',!=('b','c'))");
}

TEST_F(VoScriptBuilderTest, MinusNumberIsASubtractionWithoutFirstOperand) {
    VoScript script;
    fBuilder.Build(VoString(u"-5"), &script);
    ASSERT_NE(script.GetRoot(), nullptr);
    EXPECT_EQ(script.GetRoot()->GetKind(), VoScriptOperation::kSubtract);
    EXPECT_EQ(script.GetRoot()->GetFirst(), nullptr);
    EXPECT_EQ(TreeText(script), "-(_,5)");
}

TEST_F(VoScriptBuilderTest, TrueAndFalseInAnyCaseAreOneBooleanLeaf) {
    EXPECT_EQ(Tree(u"script[true]"), "true");
    EXPECT_EQ(Tree(u"script[TRUE]"), "true");
    EXPECT_EQ(Tree(u"TRUE"), "true");
    EXPECT_EQ(Tree(u"SCRIPT[False]"), "false");
    // Inside an expression they are strings.
    EXPECT_EQ(Tree(u"state[x]==true"), "==(s[x],'true')");
}

TEST_F(VoScriptBuilderTest, TextAfterTheScriptBracketIsIgnored) {
    EXPECT_EQ(Tree(u"script[a]b"), "'a'");
}

TEST_F(VoScriptBuilderTest, BlanksAreOrdinaryCharacters) {
    LogCapture log;
    EXPECT_EQ(Tree(u"state[a] & state[b]"), "&(s[a],?)");
    EXPECT_EQ(log.Count(VoScriptBuilder::kSyntaxError), 1);
    EXPECT_EQ(Tree(u"abc "), "'abc '");
    log.Clear();
    EXPECT_EQ(Tree(u" true"), "?");
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kSyntaxError));
}

TEST_F(VoScriptBuilderTest, BracketContentsAreIdsNotExpressions) {
    EXPECT_EQ(Tree(u"state[a-b]"), "s[a-b]");
    EXPECT_EQ(Tree(u"state[a[b]]"), "s[a[b]]");
    EXPECT_EQ(Tree(u"e[(x)|@0]"), "e[(x)|@0]");
}

TEST_F(VoScriptBuilderTest, CheckSpellingsIgnoreCase) {
    EXPECT_EQ(Tree(u"EVENT[x]"), "e[x]");
    EXPECT_EQ(Tree(u"e[x]"), "e[x]");
    EXPECT_EQ(Tree(u"E[x]"), "e[x]");
    EXPECT_EQ(Tree(u"state[x]"), "s[x]");
    EXPECT_EQ(Tree(u"s[x]"), "s[x]");
    EXPECT_EQ(Tree(u"S[x]"), "s[x]");
    EXPECT_EQ(Tree(u"event [x]"), "'event [@0]'");
}

TEST_F(VoScriptBuilderTest, LeadingCharacterDecidesTheLeaf) {
    EXPECT_EQ(Tree(u"3.5"), "3.5");
    EXPECT_EQ(Tree(u"sta_x"), "'sta_x'");
    LogCapture log;
    EXPECT_EQ(Tree(u".5"), "?");
    EXPECT_EQ(Tree(u"_x"), "?");
    EXPECT_EQ(log.Count(VoScriptBuilder::kSyntaxError), 2);
}

TEST_F(VoScriptBuilderTest, ParenthesesGroupAndMatchAtAnyDepth) {
    EXPECT_EQ(Tree(u"(a)|(b&c)"), "|('a',&('b','c'))");
    EXPECT_EQ(Tree(u"(a|b)&(c|d)"), "&(|('a','b'),|('c','d'))");
    EXPECT_EQ(Tree(u"(((a)))"), "'a'");
    EXPECT_EQ(Tree(u"((a|b)&c)|d"), "|(&(|('a','b'),'c'),'d')");
    EXPECT_EQ(Tree(u"s[x]*(2+(s[y]-1))"), "*(s[x],+(2,-(s[y],1)))");
}

TEST_F(VoScriptBuilderTest, MatchersCountNesting) {
    VoString out(u"unchanged");
    EXPECT_TRUE(fBuilder.MatchBracket(VoString(u"[a[b]c[d]e]"), 0, out));
    EXPECT_EQ(TextOf(out), u"a[b]c[d]e");
    EXPECT_TRUE(fBuilder.MatchBracket(VoString(u"[[[a]]]"), 0, out));
    EXPECT_EQ(TextOf(out), u"[[a]]");
    EXPECT_TRUE(fBuilder.MatchParenthesis(VoString(u"x(()())y)"), 1, out));
    EXPECT_EQ(TextOf(out), u"()()");

    LogCapture log;
    out = VoString(u"unchanged");
    EXPECT_FALSE(fBuilder.MatchBracket(VoString(u"[[a]"), 0, out));
    EXPECT_FALSE(fBuilder.MatchParenthesis(VoString(u"((a)"), 0, out));
    EXPECT_FALSE(fBuilder.MatchParenthesis(VoString(u"(a)"), -1, out));
    EXPECT_EQ(TextOf(out), u"unchanged");
    EXPECT_EQ(log.Count(VoScriptBuilder::kBracketFailure), 1);
    EXPECT_EQ(log.Count(VoScriptBuilder::kParenthesisFailure), 2);
}

TEST_F(VoScriptBuilderTest, EmptyExpressionsAreSyntaxErrors) {
    LogCapture log;
    EXPECT_EQ(Tree(u"script[]"), "?");
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kEmptyExpression));
    EXPECT_TRUE(log.Contains(VoString::kIndexOutOfBounds));
    log.Clear();
    EXPECT_EQ(Tree(u"a&()"), "&('a',?)");
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kEmptyExpression));
}

TEST_F(VoScriptBuilderTest, UnmatchedBracketsAreLoggedAndTheBuildEnds) {
    LogCapture log;
    // The "[" stays, with an empty part's reference after it.
    EXPECT_EQ(Tree(u"s[abc"), "s[]");
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kBracketFailure));
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kSyntaxError));
    log.Clear();
    // The "(" and the unit after it give way to an empty part's reference.
    EXPECT_EQ(Tree(u"(ab"), "?");
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kParenthesisFailure));
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kEmptyExpression));
    log.Clear();
    // Without its closing bracket the whole text is parsed.
    EXPECT_EQ(Tree(u"script[a"), "'script[@0a'");
    EXPECT_EQ(log.Count(VoScriptBuilder::kBracketFailure), 2);
}

TEST_F(VoScriptBuilderTest, OnlyTheBuildersOwnReferencesNameParts) {
    LogCapture log;
    EXPECT_EQ(Tree(u"(@0)"), "?");
    EXPECT_EQ(Tree(u"((@0))"), "?");
    EXPECT_EQ(Tree(u"@0"), "?");
    // Part 0 exists (x), but the text was written before it was made.
    EXPECT_EQ(Tree(u"s[x]&@0"), "&(s[x],?)");
    EXPECT_EQ(Tree(u"(a)|@0"), "|('a',?)");
    // A reference followed by digits of the text names no other part.
    EXPECT_EQ(Tree(u"(a)|(b)|(c)1"), "|(|('a','b'),?)");
    EXPECT_EQ(log.Count(VoScriptBuilder::kSyntaxError), 6);
    // Inside a leaf "@" is an ordinary character.
    EXPECT_EQ(Tree(u"a@0"), "'a@0'");
}

TEST_F(VoScriptBuilderTest, DeepTextsStopAtTheDeepestLevel) {
    std::u16string text(u"a");
    for (int i = 0; i < 500; ++i) {
        text += u"|a";
    }
    LogCapture log;
    VoScript script;
    fBuilder.Build(VoString(text.c_str()), &script);
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kTooDeep));
    EXPECT_EQ(Depth(script.GetRoot()), VoScriptOperation::kMaxDepth);

    // What the builder makes, Read accepts.
    TestStream stream;
    ASSERT_TRUE(script.Write(&stream));
    TestStream back(stream.Bytes());
    VoScript copy;
    copy.SetRoot(new VoScriptOperation());
    EXPECT_TRUE(copy.Read(&back));
    EXPECT_EQ(TreeText(copy), TreeText(script));

    std::u16string nested(300, u'(');
    nested += u"a";
    nested += std::u16string(300, u')');
    EXPECT_EQ(Tree(nested.c_str()), "?");
}

TEST_F(VoScriptBuilderTest, EachBuildReplacesTheTreeAndStartsItsPartsAfresh) {
    VoScript script;
    fBuilder.Build(VoString(u"s[x]|e[y]"), &script);
    fBuilder.Build(VoString(u"s[z]"), &script);
    EXPECT_EQ(TreeText(script), "s[z]");
}

TEST_F(VoScriptBuilderTest, NullScriptIsRefused) {
    LogCapture log;
    EXPECT_FALSE(fBuilder.Build(VoString(u"true"), nullptr));
    EXPECT_TRUE(log.Contains(VoScriptBuilder::kNullScript));
}

TEST(VoScriptBuilderSingleton, IsMadeOnceAndGoneWithTheCleaner) {
    VoCleaner::ResetEngineForTests();
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    ASSERT_NE(builder, nullptr);
    EXPECT_EQ(VoScriptBuilder::GetInstance(), builder);
    const VoString address = VoString().Append(static_cast<const void*>(builder));
    EXPECT_EQ(TextOf(builder->ToString()), u"[VoScriptBuilder <" + TextOf(address) + u">]");
    VoScript script;
    const VoString scriptAddress = VoString().Append(static_cast<const void*>(&script));
    EXPECT_EQ(TextOf(script.ToString()), u"[VoScript <" + TextOf(scriptAddress) + u">]");
    delete VoCleaner::PeekInstance();
}
