// The readers of the PDA's map, case log and profiler data. The first byte
// picks the case (1 to 4, and now and then 0 or 5) and what the rest is,
// read as a property-list file is (single-byte text up to the first zero):
//  - 0: a map layout: the map panel built from it for the case, shown,
//    every tag clicked inside the scroll area (its trip goes to scenes that
//    do not load: there is no data tree), "show_all" clicked, hidden, and
//    rebuilt for the next case;
//  - 1: a case log: shown, then shown again once every event its notes
//    name has happened, one after the other;
//  - 2: a profile and match file at once: the profiler's screen (built
//    without a layout), the profile refreshed before and after every key of
//    the case's parts is analysed, and every suspect of the case compared.
// Each input has cleaners of its own but no engine services and no data
// tree: nothing is drawn, played or loaded, the readers are what runs. A
// crash, a read past an array or a leak fails it.
#include <cstddef>
#include <cstdint>

#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoIDisplayObject.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "pda/MGLogPanel.h"
#include "pda/MGMapPanel.h"
#include "pda/MGMapTag.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "profiler/MGProfilingComputer.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzSupport.h"
#include "time/VoGameClock.h"
#include "util/MGCleaner.h"

namespace {

constexpr std::size_t kMaxInput = 0x10000;
// Events and suspects taken from one input, at most.
constexpr int kMaxNames = 256;
constexpr const char16_t* kParts[] = {u"characteristics", u"personality", u"motive"};

void SetCase(int aCase) {
    const float value = static_cast<float>(aCase);
    VoStateManager* states = VoStateManager::GetInstance();
    const VoString id(MGPDA::kSelectedCaseState);
    if (states->GetState(id) != nullptr) {
        states->SetState(id, &value, false);
        return;
    }
    VoIState* state = VO_NEW VoIState();
    if (state != nullptr &&
        !(state->Set(id, VoIState::kNumber, &value) && states->AddState(state, false, true))) {
        delete state;
    }
}

void AddEvent(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (aId.GetLength() > 0 && !events->HasEvent(aId)) {
        events->AddEvent(aId, true);
    }
}

void RunMap(MGPDA* apPDA, VoPropertyList* apLayout, int aCase) {
    auto* map = static_cast<MGMapPanel*>(apPDA->GetPanel(VoString(MGPDA::kMap)));
    if (map == nullptr) {
        return;
    }
    map->Create(apLayout);
    for (int round = 0; round < 2; ++round) {
        SetCase(aCase + round);
        apPDA->SetPanel(VoString(MGPDA::kMap));
        map->Show();
        map->OnButtonEvent(VoString(MGMapPanel::kShowAllId), VoIButtonListener::kClick);
        VoRectangle area;
        if (apPDA->GetScrollArea() != nullptr && apPDA->GetScrollArea()->GetWorldRectangle(area)) {
            const VoVector2 middle(area.x + area.width / 2.0f, area.y + area.height / 2.0f);
            VoMouse::GetInstance()->Move(&middle);
        }
        for (int i = 0; i < map->GetTagCount() && i < kMaxNames; ++i) {
            MGMapTag* tag = map->GetTag(i);
            tag->OnButtonEvent(tag->GetId(), VoIButtonListener::kClick);
        }
        map->Hide();
        apPDA->SetPanel(VoString(MGPDA::kInventory));
    }
}

void RunLog(MGPDA* apPDA, VoPropertyList* apLog, int aCase) {
    auto* log = static_cast<MGLogPanel*>(apPDA->GetPanel(VoString(MGPDA::kLog)));
    if (log == nullptr) {
        return;
    }
    SetCase(aCase);
    log->ShowLog(apLog);
    VoString path(MGLogPanel::kCasePrefix);
    path.Append(static_cast<std::int32_t>(aCase));
    VoPropertyList* notes = apLog->GetList(path);
    int added = 0;
    for (int i = notes != nullptr ? notes->GetCount() - 1 : -1; i >= 0 && added < kMaxNames; --i) {
        VoPropertyList* note = notes->GetListAt(i);
        const VoString events = note != nullptr ? note->GetString(VoString(u"events"), nullptr) : VoString();
        for (std::int32_t at = events.Find(MGLogPanel::kEventOpen); at >= 0 && added < kMaxNames;
             at = events.Find(MGLogPanel::kEventOpen, at + 2)) {
            const std::int32_t end = events.Find(MGLogPanel::kEventClose, at);
            VoGameClock::GetInstance()->AdvanceTime(1.0f, false);
            AddEvent(events.SubString(at + 2, (end >= 0 ? end : events.GetLength()) - at - 2));
            ++added;
        }
    }
    log->ShowLog(apLog);
    log->Hide();
}

void RunProfile(VoPropertyList* apFile, int aCase) {
    MGProfilingComputer* profiler = MGProfilingComputer::GetInstance();
    if (profiler == nullptr) {
        return;
    }
    SetCase(aCase);
    profiler->Create();
    profiler->RefreshProfile(apFile);
    VoString section(MGProfilingComputer::kCasePrefix);
    section.Append(static_cast<std::int32_t>(aCase));
    int added = 0;
    for (const char16_t* part : kParts) {
        VoPropertyList* entries = apFile->GetList(section + u"." + part);
        for (int i = 0; entries != nullptr && i < entries->GetCount() && added < kMaxNames; ++i, ++added) {
            VoGameClock::GetInstance()->AdvanceTime(0.5f, false);
            AddEvent(entries->GetKeyAt(i) + MGProfilingComputer::kProfiledSuffix);
            profiler->RefreshProfile(apFile);
        }
    }
    profiler->SetMatchCriteria(VO_NEW VoPropertyList(*apFile));
    VoPropertyList* suspects = apFile->GetList(section);
    for (int i = 0; suspects != nullptr && i < suspects->GetCount() && i < kMaxNames; ++i) {
        profiler->EvaluateSuspect(suspects->GetKeyAt(i));
    }
    profiler->OnLeaveEnd();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0 || aSize > kMaxInput) {
        return 0;
    }
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    const int choice = apData[0] % 3;
    const int cases[] = {1, 2, 3, 4, 1, 2, 3, 4, 0, 5};
    const int selected = cases[(apData[0] / 3) % 10];
    VoPropertyList file;
    MGPDA* pda = MGPDA::GetInstance();
    if (pda != nullptr && ParseFuzzPropertyList(apData + 1, aSize - 1, kMaxInput, &file)) {
        if (choice == 0) {
            RunMap(pda, &file, selected);
        } else if (choice == 1) {
            RunLog(pda, &file, selected);
        } else {
            RunProfile(&file, selected);
        }
    }
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
