#pragma once
// A script tree as compact text, so a test can pin a whole shape in one
// line: leaves as true, 2.5, 'text' and ? (no type); checks as e[id] and
// s[id]; operations as the operator with its operands, _ for an absent one:
//     |(>=(*(+(s[sta_n],1),2),10),e[evt_c])
#include <cstdio>
#include <string>

#include "script/VoScript.h"
#include "script/VoScriptOperand.h"
#include "script/VoScriptOperation.h"
#include "support/LogCapture.h"

std::string TreeText(const VoScriptOperation* apOperation);

inline std::string OperandText(const VoScriptOperand* apOperand) {
    if (apOperand == nullptr) {
        return "_";
    }
    if (const bool* value = apOperand->GetBoolean()) {
        return *value ? "true" : "false";
    }
    if (const float* value = apOperand->GetNumber()) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(*value));
        return text;
    }
    if (const VoString* value = apOperand->GetString()) {
        return "'" + Narrow(*value) + "'";
    }
    if (apOperand->GetType() == VoScriptOperand::kTypeOperation) {
        return TreeText(apOperand->GetOperation());
    }
    return "?";
}

inline std::string TreeText(const VoScriptOperation* apOperation) {
    static const char* const kSymbols[] = {"",  "",   "",   "*", "/",  "+",  "-", "<",
                                           ">", "<=", ">=", "!", "==", "!=", "&", "|"};
    if (apOperation == nullptr) {
        return "null";
    }
    const int kind = apOperation->GetKind();
    const VoScriptOperand* first = apOperation->GetFirst();
    const VoScriptOperand* second = apOperation->GetSecond();
    if (kind == VoScriptOperation::kValue && second == nullptr) {
        return OperandText(first);
    }
    const std::string id =
        first != nullptr && first->GetString() != nullptr ? Narrow(*first->GetString()) : "?";
    if (kind == VoScriptOperation::kCheckEvent && second == nullptr) {
        return "e[" + id + "]";
    }
    if (kind == VoScriptOperation::kCheckState && second == nullptr) {
        return "s[" + id + "]";
    }
    const std::string symbol = kind >= 3 && kind <= 15 ? kSymbols[kind] : "#" + std::to_string(kind);
    return symbol + "(" + OperandText(first) + "," + OperandText(second) + ")";
}

inline std::string TreeText(const VoScript& aScript) {
    return TreeText(aScript.GetRoot());
}
