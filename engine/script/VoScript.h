#pragma once
// A condition from a data file ("script[" ... "]"), built once by
// VoScriptBuilder and evaluated whenever its current value is needed:
//
//     VoScript* condition = VO_NEW VoScript();
//     VoScriptBuilder::GetInstance()->Build(text, condition);
//     if (condition->Evaluate()) { ... }
//
// Evaluate turns the root's result into a boolean by rules that data scripts
// rely on: a boolean is its value; a number counts as true only when it
// equals 0.0 (so a lone check of a state never set is true); a string only
// when it is empty; anything else is false.
//
// The stream form is the root operation's record and nothing else.
#include "container/VoStreamObject.h"

class VoIStream;
class VoScriptOperation;

class VoScript : public VoStreamObject {
public:
    // No root until built.
    VoScript();
    VoScript(const VoScript&) = delete;
    VoScript& operator=(const VoScript&) = delete;
    // Deletes the root with its tree.
    ~VoScript() override;

    bool Evaluate() const;

    // Null until built; owned by the script.
    VoScriptOperation* GetRoot() const { return fpRoot; }
    // Takes apRoot (owned from then on), deleting the tree held.
    void SetRoot(VoScriptOperation* apRoot);

    // Read fills the existing root from the stream; without a root both
    // return false and touch no stream.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    VoString ToString() const override;

private:
    VoScriptOperation* fpRoot;  // owned, with its whole tree; null until built
};
