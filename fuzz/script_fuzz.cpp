// Feeds arbitrary text to the condition-script builder, and arbitrary bytes
// to the script's record reader. The first byte picks the road:
//  - even: the rest is script text (one byte per unit, as data files are
//    read); the tree is built, evaluated, written, read back and written
//    again, and the two records must be equal;
//  - odd: the rest is a record, read into a script and evaluated.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "container/VoString.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "script/VoScriptOperation.h"
#include "state/VoStateManager.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"

namespace {

// States and an event of every kind, so evaluation takes every road.
void SetUpGame() {
    QuietFuzzLog();
    VoStateManager* states = VoStateManager::GetInstance();
    states->SetState(VoString(u"b"), VoString(u"boolean"), VoString(u"true"), false);
    states->SetState(VoString(u"n"), VoString(u"number"), VoString(u"4"), false);
    states->SetState(VoString(u"t"), VoString(u"string"), VoString(u"Text"), false);
    VoEventManager::GetInstance()->AddEvent(VoString(u"e"), false);
}

void BuildFromText(const std::uint8_t* apData, std::size_t aSize) {
    char16_t* units = VO_NEW char16_t[aSize + 1];
    if (units == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < aSize; ++i) {
        units[i] = static_cast<char16_t>(static_cast<signed char>(apData[i]));
    }
    units[aSize] = 0;
    // A 0 byte ends the text, as it would a line of a data file.
    const VoString text(units);
    delete[] units;

    VoScript script;
    VoScriptBuilder::GetInstance()->Build(text, &script);
    script.Evaluate();

    VoMemoryStream first(64, VoMemoryStream::kGrowDouble);
    if (!script.Write(&first)) {
        return;
    }
    VoMemoryStream back(4, VoMemoryStream::kGrowDouble);
    back.CreateFromBuffer(static_cast<std::int32_t>(first.GetPosition()), first.GetBuffer());
    VoScript copy;
    copy.SetRoot(VO_NEW VoScriptOperation());
    if (!copy.Read(&back) || back.GetPosition() != first.GetPosition()) {
        __builtin_trap();
    }
    VoMemoryStream second(64, VoMemoryStream::kGrowDouble);
    if (!copy.Write(&second) || second.GetPosition() != first.GetPosition() ||
        std::memcmp(first.GetBuffer(), second.GetBuffer(), first.GetPosition()) != 0) {
        __builtin_trap();
    }
}

void ReadRecord(const std::uint8_t* apData, std::size_t aSize) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    stream.CreateFromBuffer(static_cast<std::int32_t>(aSize), apData);
    VoScript script;
    script.SetRoot(VO_NEW VoScriptOperation());
    if (script.Read(&stream)) {
        script.Evaluate();
        VoMemoryStream out(64, VoMemoryStream::kGrowDouble);
        script.Write(&out);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    static const bool sReady = [] {
        SetUpGame();
        return true;
    }();
    (void)sReady;
    if (aSize == 0) {
        return 0;
    }
    if ((apData[0] & 1) == 0) {
        BuildFromText(apData + 1, aSize - 1);
    } else {
        ReadRecord(apData + 1, aSize - 1);
    }
    return 0;
}
