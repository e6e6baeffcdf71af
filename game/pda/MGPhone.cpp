#include "pda/MGPhone.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "pda/MGPDAMinimized.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoStateManager.h"
#include "util/MGCleaner.h"
#include "util/MGGameReset.h"
#include "util/MGRandom.h"

namespace {

VoCleanerSingleton<MGPhone, MGCleanerHome> gInstance;

const char16_t* const kKindNames[MGPhone::kKindCount] = {u"CL", u"RE", u"SU"};
const char16_t* const kReportEndings[MGPhone::kKindCount] = {u"CL_R", u"RE_R", u"SU_R"};
constexpr int kReportEndingLength = 4;

// The value of the message's key, "" when missing.
VoString ValueOf(VoPropertyList* apMessage, const char16_t* apKey, bool* apFound) {
    return apMessage != nullptr ? apMessage->GetString(VoString(apKey), apFound) : VoString(u"");
}

}  // namespace

const char16_t* MGPhone::KindName(int aKind) {
    return aKind >= 0 && aKind < kKindCount ? kKindNames[aKind] : u"";
}

int MGPhone::KindOf(const VoString& aName) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (aName.EqualsNoCase(kKindNames[kind])) {
            return kind;
        }
    }
    return -1;
}

int MGPhone::ReportKindOf(const VoString& aEventId) {
    if (aEventId.GetLength() < kReportEndingLength) {
        return -1;
    }
    const VoString ending = aEventId.SubString(aEventId.GetLength() - kReportEndingLength, kReportEndingLength);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (ending.EqualsNoCase(kReportEndings[kind])) {
            return kind;
        }
    }
    return -1;
}

MGPhone* MGPhone::GetInstance() {
    return gInstance.Get(
        [] {
            MGPhone* phone = VO_NEW MGPhone();
            if (phone == nullptr) {
                return phone;
            }
            if (VoEventManager* events = VoEventManager::GetInstance()) {
                events->AddListener(phone, 0.0f);
            }
            if (VoStateManager* states = VoStateManager::GetInstance()) {
                states->AddListener(phone, 0.0f);
            }
            if (MGGameReset* reset = MGGameReset::GetInstance()) {
                reset->AddListener(phone);
            }
            return phone;
        },
        kCreationFailure);
}

MGPhone* MGPhone::PeekInstance() {
    return gInstance.Peek();
}

MGPhone::MGPhone()
    : fpCatalogue(nullptr),
      fpRegular(nullptr),
      fpExpert(nullptr),
      fGeneric{},
      fKeepScripts(false),
      fppScripts(nullptr),
      fScriptCount(0) {
    Load(VoString(kCatalogueFile));
}

bool MGPhone::Load(const VoString& aPath) {
    DeleteScripts();
    delete fpCatalogue;
    fpRegular = nullptr;
    fpExpert = nullptr;
    Reset();
    fpCatalogue = VO_NEW VoPropertyList();
    if (fpCatalogue != nullptr && !fpCatalogue->Load(aPath, true)) {
        VO_ERROR(kCatalogueFailure, aPath);
        delete fpCatalogue;
        fpCatalogue = nullptr;
    }
    if (fpCatalogue == nullptr) {
        return false;
    }
    fpRegular = fpCatalogue->GetList(VoString(kRegular));
    fpExpert = fpCatalogue->GetList(VoString(kExpert));
    UpdateMessages();
    return true;
}

MGPhone::~MGPhone() {
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->RemoveListener(this);
    }
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->RemoveListener(this);
    }
    if (MGGameReset* reset = MGGameReset::GetInstance()) {
        reset->RemoveListener(this);
    }
    DeleteScripts();
    delete fpCatalogue;
}

void MGPhone::Reset() {
    fQueue.Clear();
    for (bool& generic : fGeneric) {
        generic = false;
    }
}

void MGPhone::OnGameReset() {
    Reset();
}

void MGPhone::SetKeepScripts(bool aKeep) {
    DeleteScripts();
    fKeepScripts = aKeep;
}

void MGPhone::DeleteScripts() {
    for (int i = 0; fppScripts != nullptr && i < fScriptCount; ++i) {
        delete fppScripts[i];
    }
    delete[] fppScripts;
    fppScripts = nullptr;
    fScriptCount = 0;
}

bool MGPhone::Triggered(int aIndex, VoPropertyList* apMessage) {
    bool found = false;
    const VoString trigger = ValueOf(apMessage, u"trigger", &found);
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    if (!found || builder == nullptr) {
        return false;
    }
    if (!fKeepScripts) {
        VoScript script;
        return builder->Build(trigger, &script) && script.Evaluate();
    }
    if (fppScripts == nullptr) {
        fScriptCount = fpRegular != nullptr ? fpRegular->GetCount() : 0;
        fppScripts = fScriptCount > 0 ? VO_NEW VoScript*[fScriptCount]() : nullptr;
        if (fppScripts == nullptr) {
            fScriptCount = 0;
        }
    }
    if (aIndex < 0 || aIndex >= fScriptCount) {
        return false;
    }
    if (fppScripts[aIndex] == nullptr) {
        VoScript* script = VO_NEW VoScript();
        if (script == nullptr) {
            return false;
        }
        if (!builder->Build(trigger, script)) {
            // Kept too: a trigger that does not build never holds.
            delete script;
            script = VO_NEW VoScript();
            if (script == nullptr) {
                return false;
            }
        }
        fppScripts[aIndex] = script;
    }
    return fppScripts[aIndex]->Evaluate();
}

bool MGPhone::IsDue(int aIndex) {
    VoPropertyList* message = fpRegular->GetListAt(aIndex);
    if (message == nullptr || fQueue.Contains(fpRegular->GetKeyAt(aIndex))) {
        return false;
    }
    if (!Triggered(aIndex, message)) {
        return false;
    }
    // A missing played event is tested as the empty id, which never happened.
    const VoString played = ValueOf(message, u"playedevent", nullptr);
    VoEventManager* events = VoEventManager::GetInstance();
    return events == nullptr || !events->HasEvent(played);
}

void MGPhone::UpdateMessages() {
    for (int i = 0; fpRegular != nullptr && i < fpRegular->GetCount(); ++i) {
        if (IsDue(i)) {
            fQueue.Add(fpRegular->GetKeyAt(i));
        }
    }
}

bool MGPhone::HasPendingExpertMessage(int aKind) {
    for (int i = 0; fpRegular != nullptr && i < fpRegular->GetCount(); ++i) {
        bool found = false;
        const VoString expert = ValueOf(fpRegular->GetListAt(i), u"expert", &found);
        if (found && KindOf(expert) == aKind && aKind >= 0 && IsDue(i)) {
            return true;
        }
    }
    return false;
}

VoPropertyList* MGPhone::TakeNextMessage() {
    while (fQueue.GetCount() > 0) {
        const VoString key = fQueue.GetAt(0);
        fQueue.RemoveAt(0);
        const int kind = KindOf(key);
        if (kind < 0) {
            VoPropertyList* message = fpRegular != nullptr ? fpRegular->GetList(key) : nullptr;
            if (message != nullptr) {
                return message;
            }
            continue;
        }
        fGeneric[kind] = false;
        VoPropertyList* alternatives = fpExpert != nullptr ? fpExpert->GetList(VoString(kKindNames[kind])) : nullptr;
        const int count = alternatives != nullptr ? alternatives->GetCount() : 0;
        // An expert without alternatives has nothing to say: the next message.
        if (count == 0) {
            continue;
        }
        int draw = MGRandom() % count;
        draw = draw < 0 ? draw + count : draw;
        if (VoPropertyList* message = alternatives->GetListAt(draw)) {
            return message;
        }
    }
    return nullptr;
}

void MGPhone::BlinkIfGrown(int aLength) {
    if (fQueue.GetCount() <= aLength) {
        return;
    }
    MGPDAMinimized* bar = MGPDAMinimized::GetInstance();
    if (bar != nullptr && bar->IsShown()) {
        bar->Blink(kPhoneBlinker, kBlinkSeconds, kBlinkInterval);
    }
}

void MGPhone::OnEvent(VoEvent* apEvent) {
    if (apEvent == nullptr) {
        return;
    }
    const int length = fQueue.GetCount();
    const int kind = ReportKindOf(apEvent->GetId());
    // Without the experts' section there is no generic message to queue.
    if (kind >= 0 && fpExpert != nullptr && !fGeneric[kind] && !HasPendingExpertMessage(kind)) {
        fQueue.Add(VoString(kKindNames[kind]));
        fGeneric[kind] = true;
    }
    UpdateMessages();
    BlinkIfGrown(length);
}

void MGPhone::OnStateChanged(VoIState*) {
    const int length = fQueue.GetCount();
    UpdateMessages();
    BlinkIfGrown(length);
}

VoString MGPhone::ToString() const {
    return VoDebugString("MGPhone", this);
}
