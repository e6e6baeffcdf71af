#include "pda/MGLogPanel.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "util/MGListening.h"
#include "util/MGTimeOrder.h"

MGLogPanel::MGLogPanel(VoDisplayGroup* apParent)
    : MGIPDAPanel(VoString(MGPDA::kLog), apParent), fpColumn(nullptr), fHeight(0), fInMouse(false) {}

MGLogPanel::~MGLogPanel() {
    ListenToMouse(false);
    DeleteColumn();
}

bool MGLogPanel::Create(VoPropertyList*) {
    VO_NOTE(kNYI);
    return false;
}

float MGLogPanel::EntryTime(const VoString& aEvents) {
    VoEventManager* events = VoEventManager::GetInstance();
    float latest = 0.0f;
    const std::int32_t open = VoString(kEventOpen).GetLength();
    for (std::int32_t at = aEvents.Find(kEventOpen); events != nullptr && at >= 0;
         at = aEvents.Find(kEventOpen, at + open)) {
        const std::int32_t start = at + open;
        const std::int32_t end = aEvents.Find(kEventClose, start);
        const VoString id = aEvents.SubString(start, (end >= 0 ? end : aEvents.GetLength()) - start);
        VoEvent* event = events->PeekEvent(id);
        if (event != nullptr && event->GetTime() > latest) {
            latest = event->GetTime();
        }
    }
    return latest;
}

bool MGLogPanel::Show() {
    VoPropertyList log;
    // A log that cannot be read is an empty one.
    const bool read = log.Load(VoString(kLogFile), true);
    return ShowLog(read ? &log : nullptr);
}

bool MGLogPanel::ShowLog(VoPropertyList* apLog) {
    DeleteColumn();
    fpColumn = VO_NEW VoDisplayGroup();
    if (fpColumn != nullptr) {
        fpColumn->SetId(VoString(kGroupId));
    }

    bool found = false;
    const int selected = MGPDA::ReadSelectedCase(0, &found);
    if (!found) {
        VO_ASSERT_FAILURE("");
    }
    VoString path(kCasePrefix);
    path.Append(static_cast<std::int32_t>(selected));
    VoPropertyList* notes = apLog != nullptr ? apLog->GetList(path) : nullptr;

    VoVectorString texts;
    VoVectorFloat times;
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    for (int i = 0; notes != nullptr && builder != nullptr && i < notes->GetCount(); ++i) {
        VoPropertyList* note = notes->GetListAt(i);
        if (note == nullptr) {
            continue;
        }
        const VoString text = note->GetString(VoString(u"text"), nullptr);
        bool scripted = false;
        const VoString events = note->GetString(VoString(u"events"), &scripted);
        VoScript script;
        if (!scripted || !builder->Build(events, &script) || !script.Evaluate()) {
            continue;
        }
        const float time = EntryTime(events);
        // Notes of equal times keep file order.
        const int place = MGTimeOrderPlace(times, time);
        texts.AddAt(place, text);
        times.AddAt(place, time);
    }

    float y = 0.0f;
    for (int i = 0; fpColumn != nullptr && i < texts.GetCount(); ++i) {
        VoTextArea* entry = VO_NEW VoTextArea();
        if (entry == nullptr) {
            continue;
        }
        VoString id(kEntryPrefix);
        id.Append(static_cast<std::int32_t>(i));
        entry->SetId(id);
        entry->Create(VoString(kFont));
        entry->SetWidth(kWidth);
        entry->SetSingleLine(true);
        entry->SetWordWrap(true);
        entry->SetText(texts.GetAt(i));
        entry->LayoutLines();
        entry->SetPosition(kX, y);
        y += entry->GetLinesHeight() + kGap;
        if (!fpColumn->AddMember(entry, true)) {
            delete entry;
        }
    }

    MGIPDAPanel::Show();
    // Beyond an int's range the height is not a height.
    fHeight = y < 2147483520.0f ? static_cast<int>(y) : 0;
    MGPDA* pda = MGPDA::GetInstance();
    if (fpColumn != nullptr) {
        fpColumn->SetActive(true);
        fpColumn->SetEnabled(true);
        if (pda != nullptr && pda->SetScrollContentGroup(fpColumn)) {
            pda->SetScrollContentHeight(fHeight);
        }
    }
    ListenToMouse(true);
    return true;
}

bool MGLogPanel::Hide() {
    ListenToMouse(false);
    if (fpColumn != nullptr) {
        fpColumn->SetActive(false);
    }
    return true;
}

void MGLogPanel::DeleteColumn() {
    if (fpColumn == nullptr) {
        return;
    }
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->ReleaseScrollContent(fpColumn);
    }
    delete fpColumn;
    fpColumn = nullptr;
}

int MGLogPanel::GetEntryCount() const {
    return fpColumn != nullptr ? fpColumn->GetMemberCount() : 0;
}

VoTextArea* MGLogPanel::GetEntry(int aIndex) const {
    if (fpColumn == nullptr) {
        return nullptr;
    }
    VoString id(kEntryPrefix);
    id.Append(static_cast<std::int32_t>(aIndex));
    return dynamic_cast<VoTextArea*>(fpColumn->GetMember(id));
}

void MGLogPanel::OnWheel(float aDelta) {
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->ScrollByWheel(aDelta);
    }
}

void MGLogPanel::ListenToMouse(bool aListen) {
    MGListenToMouse(this, kMouseOrder, aListen, &fInMouse);
}

VoString MGLogPanel::ToString() const {
    return VoDebugString("MGLogPanel", this);
}
