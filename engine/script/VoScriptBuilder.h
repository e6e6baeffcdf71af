#pragma once
// Turns the text of a condition script into a tree of script operations held
// by a VoScript. There is no lexer: the builder works on the text itself.
//
// 1. "script[" ... "]" (any case) keeps what stands between the brackets;
//    "true" or "false" (any case) is a lone boolean.
// 2. The contents of every "[...]" and then of every "(...)" are cut out into
//    numbered parts; a reference "@" N stands in their place, so
//    state[sta_x]&(a|b) becomes state[@0]&@1.
// 3. The rest is split at operators, loosest first, at the last occurrence of
//    the first operator found in the order
//        "&" "|"  |  "<=" ">=" "!=" "<" ">" "!" "=="  |  "+" "-"  |  "*" "/"
//    so a|b&c means (a|b)&c, a-b-c means (a-b)-c, and -5 is a subtraction
//    without a first operand.
// 4. What cannot be split is a leaf: "@" N parses part N in its place;
//    event[@N], e[@N] (any case) check an event, state[@N], s[@N] a state;
//    a text starting with a letter is a string, with a digit a number.
//
// The builder never fails a build: every error is logged and the tree is
// completed from what could be parsed. A leaf that cannot be read becomes a
// value without a type.
//
// A reference is only ever one that the builder itself put in place of cut
// text: an "@" written in the script outside brackets names nothing, so
// (@0) is a syntax error rather than an endless loop. Brackets and
// parentheses match at any depth. Trees grow no deeper than
// VoScriptOperation::kMaxDepth.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoString.h"

class VoScript;
class VoScriptOperation;
class VoVectorInt;
class VoVectorString;

class VoScriptBuilder : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoScriptBuilder creation failure.";
    static constexpr const char* kNullScript = "Build failure. NULL arg.";
    static constexpr const char* kEmptyExpression = "BuildOperation failure. Syntax error.";
    static constexpr const char* kBracketFailure = "MatchBracket failure. Syntax error.";
    static constexpr const char* kParenthesisFailure = "MatchParenthesis failure. Syntax error.";
    static constexpr const char* kSyntaxError = "Syntax error.";
    static constexpr const char* kTooDeep = "BuildOperation failure. Nesting too deep.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoScriptBuilder* GetInstance();

    VoScriptBuilder();
    VoScriptBuilder(const VoScriptBuilder&) = delete;
    VoScriptBuilder& operator=(const VoScriptBuilder&) = delete;
    ~VoScriptBuilder() override;

    // Replaces the script's tree by one built from the text. True but for a
    // null script.
    bool Build(const VoString& aText, VoScript* apScript);
    // Fills the operation (emptied first) from an expression; aCutBrackets
    // for the outermost text only. Always true.
    bool BuildOperation(const VoString& aText, VoScriptOperation* apOperation, bool aCutBrackets);
    // Copies into aOut the text between the "[" ("(") at aOpenIndex and the
    // "]" (")") that closes it, counting nested pairs. Without one: logs,
    // returns false and leaves aOut unchanged.
    bool MatchBracket(const VoString& aText, std::int32_t aOpenIndex, VoString& aOut);
    bool MatchParenthesis(const VoString& aText, std::int32_t aOpenIndex, VoString& aOut);

    VoString ToString() const override;

private:
    // aReferences holds pairs (position, part) of the references that the
    // builder put into aText; aDepth counts the calls above this one.
    void Parse(const VoString& aText, VoScriptOperation* apOperation, bool aCutBrackets,
               const VoVectorInt& aReferences, int aDepth);
    // Cuts the contents of every aOpen ... aClose pair out into a part and
    // puts a reference in its place, keeping aReferences in step.
    void Cut(VoString& aWork, char16_t aOpen, VoVectorInt& aReferences);
    // Fills a leaf: a reference, a check, a string or a number.
    void ParseLeaf(const VoString& aWork, VoScriptOperation* apOperation, const VoVectorInt& aReferences,
                   int aDepth);
    // Builds one side of a split into a new sub-operation operand.
    void ParseSide(const VoString& aWork, std::int32_t aStart, std::int32_t aEnd,
                   const VoVectorInt& aReferences, int aDepth, bool aFirst, VoScriptOperation* apOperation);
    // The part with the number, or null when there is none.
    const VoString* Part(std::int32_t aNumber) const;
    // Appends a part and gives its number.
    std::int32_t AddPart(const VoString& aText);

    VoVectorString* fpParts;  // owned: the texts cut out of the script being built
    std::int32_t fPartCounter;
};
