#include "script/VoScript.h"

#include "container/VoDebugString.h"
#include "script/VoScriptOperand.h"
#include "script/VoScriptOperation.h"

VoScript::VoScript() : fpRoot(nullptr) {}

VoScript::~VoScript() {
    delete fpRoot;
}

bool VoScript::Evaluate() const {
    if (fpRoot == nullptr) {
        return false;
    }
    const VoScriptOperand result = fpRoot->Evaluate();
    if (const bool* value = result.GetBoolean()) {
        return *value;
    }
    // Deliberate: data scripts count a number as true only when it is 0.0.
    if (const float* value = result.GetNumber()) {
        return *value == 0.0f;
    }
    if (const VoString* value = result.GetString()) {
        return value->GetLength() == 0;
    }
    return false;
}

void VoScript::SetRoot(VoScriptOperation* apRoot) {
    if (apRoot != fpRoot) {
        delete fpRoot;
        fpRoot = apRoot;
    }
}

bool VoScript::Read(VoIStream* apStream) {
    return fpRoot != nullptr && fpRoot->Read(apStream);
}

bool VoScript::Write(VoIStream* apStream) {
    return fpRoot != nullptr && fpRoot->Write(apStream);
}

VoString VoScript::ToString() const {
    return VoDebugString("VoScript", this);
}
