// Feeds arbitrary bytes to the menus' data readers. The first byte, modulo
// three, picks:
//   0: the rest as the credits file ("//textures/menu/credits.txt"),
//      laid out by the credits screen, which then runs through twenty
//      changes of its pictures and pages on a clock of the target's own;
//   1: the rest as a scene id line, a viewpoint line and the thumbnail
//      table ("//textures/menu/thumbnails/thumbs.txt"), looked up as the
//      save screen does ("none" without a section of the table);
//   2: the rest as the case selection's layout
//      ("//textures/caseselection/caseselection_layout.txt"): the ledger
//      page of each case and the folders page (with a case in play, so the
//      back button too) built from it and torn down.
// Nothing is read from disk and no sound is made.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "container/VoPropertyList.h"
#include "container/VoString.h"
#include "menu/MGCaseSelection.h"
#include "menu/MGCreditsScreen.h"
#include "menu/MGSaveScreen.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "startup/VoStartupCreators.h"
#include "state/VoStateManager.h"
#include "stdlib/VoFrameManager.h"
#include "support/FuzzSupport.h"
#include "system/VoITimer.h"

namespace {

constexpr std::size_t kMaxSize = 64 * 1024;

// The engine timer, moved by the target.
class StepTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return sNow; }
    bool Reset() override {
        sNow = 0.0;
        return true;
    }
    static inline double sNow = 0.0;
};

// A creator of a fixed object, or of nothing.
class FixedCreator : public VoIObjectCreator {
public:
    FixedCreator(const char16_t* apId, bool aTimer) : VoIObjectCreator(VoString(apId)), fTimer(aTimer) {}
    VoBase* Create() override { return fTimer ? new StepTimer() : nullptr; }

private:
    bool fTimer;
};

void SetUp() {
    QuietFuzzLog();
    VoRegistry* registry = VoRegistry::Get();
    registry->AddCreator(new FixedCreator(u"timer", true));
    registry->AddCreator(new FixedCreator(u"soundmanager", false));
    VoStartupCreators::Register();
}

// The bytes up to the next line feed (or the end) as text; *apAt moves past it.
VoString Line(const std::uint8_t* apData, std::size_t aSize, std::size_t* apAt) {
    VoString line(u"");
    while (*apAt < aSize && apData[*apAt] != '\n') {
        const char16_t unit[2] = {apData[*apAt], 0};
        line += unit;
        ++*apAt;
    }
    if (*apAt < aSize) {
        ++*apAt;
    }
    return line;
}

void Credits(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList* credits = new VoPropertyList();
    if (!ParseFuzzPropertyList(apData, aSize, kMaxSize, credits)) {
        delete credits;
        return;
    }
    MGCreditsScreen* screen = MGCreditsScreen::GetInstance();
    StepTimer::sNow = 0.0;
    screen->Show(credits);
    for (int step = 0; step < 20 * 25; ++step) {
        StepTimer::sNow += 0.25;
        screen->OnUpdate();
    }
    screen->OnLeaveEnd();
}

void Thumbnail(const std::uint8_t* apData, std::size_t aSize) {
    std::size_t at = 0;
    const VoString scene = Line(apData, aSize, &at);
    const VoString viewpoint = Line(apData, aSize, &at);
    VoPropertyList table;
    if (!ParseFuzzPropertyList(apData + at, aSize - at, kMaxSize, &table)) {
        return;
    }
    VoStateManager* states = VoStateManager::GetInstance();
    states->ClearStates();
    states->SetState(VoString(u"sta_currentscene"), VoString(u"string"), scene, false);
    states->SetState(VoString(u"sta_currentviewpoint"), VoString(u"string"), viewpoint, false);
    // Without a table's section there is no picture.
    if (table.GetCount() == 0 && MGSaveScreen::LookUpThumbnail(&table) != VoString(u"none")) {
        __builtin_trap();
    }
    MGSaveScreen::LookUpThumbnail(&table);
}

void CaseSelection(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList layout;
    if (!ParseFuzzPropertyList(apData, aSize, kMaxSize, &layout)) {
        return;
    }
    MGCaseSelection* screen = MGCaseSelection::GetInstance();
    VoStateManager* states = VoStateManager::GetInstance();
    states->ClearStates();
    for (int ledger = 1; ledger <= 4; ++ledger) {
        screen->ShowLedger(ledger, &layout);
        screen->OnLeaveEnd();
    }
    states->SetState(VoString(MGCaseSelection::kCaseState), VoString(u"number"), VoString(u"2"), false);
    screen->ShowFolders(&layout);
    screen->OnLeaveEnd();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    static const bool sReady = [] {
        SetUp();
        return true;
    }();
    (void)sReady;
    if (aSize == 0) {
        return 0;
    }
    switch (apData[0] % 3) {
        case 0:
            Credits(apData + 1, aSize - 1);
            break;
        case 1:
            Thumbnail(apData + 1, aSize - 1);
            break;
        default:
            CaseSelection(apData + 1, aSize - 1);
            break;
    }
    return 0;
}
