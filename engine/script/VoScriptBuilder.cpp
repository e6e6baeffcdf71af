#include "script/VoScriptBuilder.h"

#include <utility>

#include "container/VoDebugString.h"
#include "container/VoFloat.h"
#include "container/VoInt.h"
#include "container/VoLog.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "memory/VoNew.h"
#include "script/VoScript.h"
#include "script/VoScriptOperand.h"
#include "script/VoScriptOperation.h"
#include "stdlib/VoCleaner.h"

namespace {

VoCleanerSingleton<VoScriptBuilder> gInstance;

struct Operator {
    const char16_t* fpText;
    std::int32_t fKind;
};

// Loosest first; within a group in the order tried.
constexpr Operator kGroup0[] = {{u"&", VoScriptOperation::kAnd}, {u"|", VoScriptOperation::kOr}};
constexpr Operator kGroup1[] = {
    {u"<=", VoScriptOperation::kLessEqual}, {u">=", VoScriptOperation::kGreaterEqual},
    {u"!=", VoScriptOperation::kNotEqual},  {u"<", VoScriptOperation::kLess},
    {u">", VoScriptOperation::kGreater},    {u"!", VoScriptOperation::kNot},
    {u"==", VoScriptOperation::kEqual}};
constexpr Operator kGroup2[] = {{u"+", VoScriptOperation::kAdd}, {u"-", VoScriptOperation::kSubtract}};
constexpr Operator kGroup3[] = {{u"*", VoScriptOperation::kMultiply}, {u"/", VoScriptOperation::kDivide}};

struct Group {
    const Operator* fpOperators;
    int fCount;
};

constexpr Group kGroups[] = {{kGroup0, 2}, {kGroup1, 7}, {kGroup2, 2}, {kGroup3, 2}};

// The units from aStart up to aEnd; empty (never unset) when there are none.
VoString Slice(const VoString& aText, std::int32_t aStart, std::int32_t aEnd) {
    if (aStart < 0) {
        aStart = 0;
    }
    if (aEnd > aText.GetLength()) {
        aEnd = aText.GetLength();
    }
    if (aStart >= aEnd) {
        return VoString(u"");
    }
    return aText.SubString(aStart, aEnd - aStart);
}

VoString Tail(const VoString& aText, std::int32_t aStart) {
    return Slice(aText, aStart, aText.GetLength());
}

bool HasPrefixNoCase(const VoString& aText, const char16_t* apPrefix) {
    std::int32_t length = 0;
    while (apPrefix[length] != 0) {
        ++length;
    }
    return aText.GetLength() >= length && aText.SubString(0, length).EqualsNoCase(apPrefix);
}

// Every open met before a close takes one more close to end the pair.
bool MatchPair(const VoString& aText, std::int32_t aOpenIndex, char16_t aOpen, char16_t aClose,
               VoString& aOut) {
    if (aOpenIndex < 0) {
        return false;
    }
    const char16_t* chars = aText.GetChars();
    std::int32_t depth = 0;
    for (std::int32_t i = aOpenIndex + 1; i < aText.GetLength(); ++i) {
        if (chars[i] == aOpen) {
            ++depth;
        } else if (chars[i] == aClose) {
            if (depth == 0) {
                aOut = Slice(aText, aOpenIndex + 1, i);
                return true;
            }
            --depth;
        }
    }
    return false;
}

// The references are kept as pairs (position in the text, part number).
void AddReference(VoVectorInt& aReferences, std::int32_t aPosition, std::int32_t aPart) {
    // Doubling keeps a text of many references linear to build.
    if (aReferences.GetCount() + 2 > aReferences.GetCapacity() && aReferences.GetCount() > 16) {
        aReferences.SetIncrement(aReferences.GetCount());
    }
    aReferences.Add(aPosition);
    aReferences.Add(aPart);
}

std::int32_t FindReference(const VoVectorInt& aReferences, std::int32_t aPosition) {
    for (int i = 0; i + 1 < aReferences.GetCount(); i += 2) {
        if (aReferences.GetAt(i) == aPosition) {
            return aReferences.GetAt(i + 1);
        }
    }
    return -1;
}

// The references that lie in aStart .. aEnd, with positions from aStart.
void SliceReferences(const VoVectorInt& aReferences, std::int32_t aStart, std::int32_t aEnd,
                     VoVectorInt& aOut) {
    for (int i = 0; i + 1 < aReferences.GetCount(); i += 2) {
        const std::int32_t position = aReferences.GetAt(i);
        if (position >= aStart && position < aEnd) {
            AddReference(aOut, position - aStart, aReferences.GetAt(i + 1));
        }
    }
}

// After aFirst .. aEnd of the text was replaced by aLength units: the
// references inside go, those behind move. In place, since a text may hold
// as many references as it has units.
void ReplaceReferences(VoVectorInt& aReferences, std::int32_t aFirst, std::int32_t aEnd,
                       std::int32_t aLength) {
    int kept = 0;
    for (int i = 0; i + 1 < aReferences.GetCount(); i += 2) {
        std::int32_t position = aReferences.GetAt(i);
        if (position >= aFirst && position < aEnd) {
            continue;
        }
        if (position >= aEnd) {
            position += aLength - (aEnd - aFirst);
        }
        aReferences.SetAt(kept++, position);
        aReferences.SetAt(kept++, aReferences.GetAt(i + 1));
    }
    aReferences.SetCount(kept);
}

// A leaf that could not be read: a value without a type.
void MakeUntypedLeaf(VoScriptOperation* apOperation) {
    apOperation->Clear();
    apOperation->SetFirst(VO_NEW VoScriptOperand());
}

void SetFirstOperand(VoScriptOperation* apOperation, VoScriptOperand&& aOperand) {
    apOperation->SetFirst(VO_NEW VoScriptOperand(std::move(aOperand)));
}

}  // namespace

VoScriptBuilder* VoScriptBuilder::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoScriptBuilder(); }, kCreationFailure);
}

VoScriptBuilder::VoScriptBuilder() : fpParts(VO_NEW VoVectorString()), fPartCounter(0) {}

VoScriptBuilder::~VoScriptBuilder() {
    delete fpParts;
}

bool VoScriptBuilder::Build(const VoString& aText, VoScript* apScript) {
    if (apScript == nullptr) {
        VO_ERROR(kNullScript);
        return false;
    }
    if (fpParts != nullptr) {
        fpParts->Clear();
    }
    fPartCounter = 0;
    apScript->SetRoot(nullptr);

    VoString work(aText);
    if (HasPrefixNoCase(aText, u"script[")) {
        // Anything after the closing bracket is ignored; without one the
        // whole text is parsed.
        MatchBracket(aText, 6, work);
    }
    VoScriptOperation* root = VO_NEW VoScriptOperation();
    if (root == nullptr) {
        return true;
    }
    apScript->SetRoot(root);
    // Nothing is trimmed: " true" is parsed as an expression.
    if (work.EqualsNoCase(u"false") || work.EqualsNoCase(u"true")) {
        SetFirstOperand(root, VoScriptOperand::Boolean(work.EqualsNoCase(u"true")));
    } else {
        BuildOperation(work, root, true);
    }
    if (fpParts != nullptr) {
        fpParts->Clear();
    }
    return true;
}

bool VoScriptBuilder::BuildOperation(const VoString& aText, VoScriptOperation* apOperation,
                                     bool aCutBrackets) {
    if (apOperation != nullptr) {
        const VoVectorInt none(0, 16);
        Parse(aText, apOperation, aCutBrackets, none, 0);
    }
    return true;
}

bool VoScriptBuilder::MatchBracket(const VoString& aText, std::int32_t aOpenIndex, VoString& aOut) {
    if (!MatchPair(aText, aOpenIndex, u'[', u']', aOut)) {
        VO_ERROR(kBracketFailure);
        return false;
    }
    return true;
}

bool VoScriptBuilder::MatchParenthesis(const VoString& aText, std::int32_t aOpenIndex, VoString& aOut) {
    if (!MatchPair(aText, aOpenIndex, u'(', u')', aOut)) {
        VO_ERROR(kParenthesisFailure);
        return false;
    }
    return true;
}

void VoScriptBuilder::Parse(const VoString& aText, VoScriptOperation* apOperation, bool aCutBrackets,
                            const VoVectorInt& aReferences, int aDepth) {
    apOperation->Clear();
    // The deepest level a tree may reach holds leaves only.
    if (aDepth >= VoScriptOperation::kMaxDepth - 1) {
        VO_ASSERT_FAILURE(kTooDeep);
        MakeUntypedLeaf(apOperation);
        return;
    }
    if (aText.GetLength() == 0) {
        VO_ASSERT_FAILURE(kEmptyExpression);
    }
    VoString work(aText);
    VoVectorInt references(aReferences);
    if (aCutBrackets) {
        Cut(work, u'[', references);
    }
    Cut(work, u'(', references);

    for (const Group& group : kGroups) {
        for (int i = 0; i < group.fCount; ++i) {
            const Operator& op = group.fpOperators[i];
            const std::int32_t position = work.FindLast(op.fpText);
            if (position < 0) {
                continue;
            }
            std::int32_t length = 0;
            while (op.fpText[length] != 0) {
                ++length;
            }
            apOperation->SetKind(op.fKind);
            ParseSide(work, 0, position, references, aDepth, true, apOperation);
            ParseSide(work, position + length, work.GetLength(), references, aDepth, false, apOperation);
            return;
        }
    }
    ParseLeaf(work, apOperation, references, aDepth);
}

void VoScriptBuilder::Cut(VoString& aWork, char16_t aOpen, VoVectorInt& aReferences) {
    const bool bracket = aOpen == u'[';
    const char16_t openText[2] = {aOpen, 0};
    std::int32_t position = 0;
    for (;;) {
        const std::int32_t open = aWork.Find(openText, position);
        if (open < 0) {
            return;
        }
        VoString contents(u"");
        if (!(bracket ? MatchBracket(aWork, open, contents) : MatchParenthesis(aWork, open, contents))) {
            VO_ASSERT_FAILURE(kSyntaxError);
            contents = VoString(u"");
        }
        const std::int32_t number = AddPart(contents);
        VoString reference(u"@");
        reference.Append(number);
        // A bracket keeps its "[" and "]" around the reference; a parenthesis
        // pair goes with its contents (after an unmatched "(" the "(" and the
        // unit after it).
        const std::int32_t keep = bracket ? open + 1 : open;
        const std::int32_t resume =
            bracket ? open + 1 + contents.GetLength() : open + contents.GetLength() + 2;
        VoString rebuilt = Slice(aWork, 0, keep);
        rebuilt.Append(reference);
        rebuilt.Append(Tail(aWork, resume));
        aWork = rebuilt;
        ReplaceReferences(aReferences, keep, resume, reference.GetLength());
        if (!bracket) {
            // Only these can begin a leaf; a bracket's reference always
            // follows its "[".
            AddReference(aReferences, open, number);
        }
        position = bracket ? open + reference.GetLength() + 2 : open + reference.GetLength();
    }
}

void VoScriptBuilder::ParseSide(const VoString& aWork, std::int32_t aStart, std::int32_t aEnd,
                                const VoVectorInt& aReferences, int aDepth, bool aFirst,
                                VoScriptOperation* apOperation) {
    if (aStart >= aEnd) {
        return;
    }
    VoVectorInt references(8, 16);
    SliceReferences(aReferences, aStart, aEnd, references);
    VoScriptOperation* side = VO_NEW VoScriptOperation();
    if (side == nullptr) {
        return;
    }
    Parse(Slice(aWork, aStart, aEnd), side, false, references, aDepth + 1);
    VoScriptOperand* operand = VO_NEW VoScriptOperand(VoScriptOperand::Operation(side));
    if (aFirst) {
        apOperation->SetFirst(operand);
    } else {
        apOperation->SetSecond(operand);
    }
}

void VoScriptBuilder::ParseLeaf(const VoString& aWork, VoScriptOperation* apOperation,
                                const VoVectorInt& aReferences, int aDepth) {
    // An empty leaf reads as the unit 0 after VoString's own error.
    const char16_t first = aWork.GetAt(0);
    if (first == u'@') {
        const std::int32_t number = VoInt(Tail(aWork, 1)).fValue;
        const VoString* part = FindReference(aReferences, 0) == number ? Part(number) : nullptr;
        if (part == nullptr) {
            VO_ASSERT_FAILURE(kSyntaxError);
            MakeUntypedLeaf(apOperation);
            return;
        }
        // A copy: parsing the part adds parts of its own.
        const VoString text(*part);
        const VoVectorInt none(0, 16);
        Parse(text, apOperation, false, none, aDepth + 1);
        return;
    }

    std::int32_t kind = -1;
    std::int32_t numberStart = 0;
    if (HasPrefixNoCase(aWork, u"event[@")) {
        kind = VoScriptOperation::kCheckEvent;
        numberStart = 7;
    } else if (HasPrefixNoCase(aWork, u"e[@")) {
        kind = VoScriptOperation::kCheckEvent;
        numberStart = 3;
    } else if (HasPrefixNoCase(aWork, u"state[@")) {
        kind = VoScriptOperation::kCheckState;
        numberStart = 7;
    } else if (HasPrefixNoCase(aWork, u"s[@")) {
        kind = VoScriptOperation::kCheckState;
        numberStart = 3;
    }
    if (kind >= 0) {
        // The number stands between "@" and the closing "]".
        const VoString* part = Part(VoInt(Slice(aWork, numberStart, aWork.GetLength() - 1)).fValue);
        if (part == nullptr) {
            VO_ASSERT_FAILURE(kSyntaxError);
            MakeUntypedLeaf(apOperation);
            return;
        }
        apOperation->SetKind(kind);
        SetFirstOperand(apOperation, VoScriptOperand::String(*part));
        return;
    }

    if ((first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z')) {
        SetFirstOperand(apOperation, VoScriptOperand::String(aWork));
    } else if (first >= u'0' && first <= u'9') {
        SetFirstOperand(apOperation, VoScriptOperand::Number(VoFloat(aWork).fValue));
    } else {
        VO_ASSERT_FAILURE(kSyntaxError);
        MakeUntypedLeaf(apOperation);
    }
}

const VoString* VoScriptBuilder::Part(std::int32_t aNumber) const {
    if (fpParts == nullptr || aNumber < 0 || aNumber >= fpParts->GetCount()) {
        return nullptr;
    }
    return fpParts->PeekAt(aNumber);
}

std::int32_t VoScriptBuilder::AddPart(const VoString& aText) {
    if (fpParts == nullptr || !fpParts->Add(aText)) {
        // The reference "@-1" then names nothing.
        return -1;
    }
    fPartCounter = fpParts->GetCount();
    return fPartCounter - 1;
}

VoString VoScriptBuilder::ToString() const {
    return VoDebugString("VoScriptBuilder", this);
}
