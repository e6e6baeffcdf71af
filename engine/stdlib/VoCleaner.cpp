#include "stdlib/VoCleaner.h"

#include "container/VoDebugString.h"
#include "container/VoVector.h"
#include "memory/VoNew.h"

namespace {

VoCleaner* gEngineCleaner = nullptr;  // owned by the application, which deletes it last
std::uint32_t gLastSerial = 0;
// Counts the starts of the engine: a run has one, tests may make more.
std::uint32_t gEngineStart = 1;

constexpr int kCapacity = 10;
constexpr int kIncrement = 2;

}  // namespace

VoCleaner* VoCleaner::GetInstance() {
    if (gEngineCleaner != nullptr) {
        return gEngineCleaner;
    }
    VoCleaner* cleaner = VO_NEW VoCleaner();
    if (cleaner == nullptr || cleaner->fpInstances == nullptr || cleaner->fpSlots == nullptr) {
        delete cleaner;
        VO_ERROR(kCreationFailure);
        return nullptr;
    }
    gEngineCleaner = cleaner;
    return cleaner;
}

VoCleaner* VoCleaner::PeekInstance() {
    return gEngineCleaner;
}

void VoCleaner::ResetEngineForTests() {
    delete gEngineCleaner;
    ++gEngineStart;
}

bool VoCleanerSlot::IsGone() const {
    return fGoneIn == gEngineStart;
}

VoCleaner::VoCleaner() : VoCleaner(nullptr) {}

VoCleaner::VoCleaner(VoCleaner** appHolder)
    : fppHolder(appHolder),
      fpInstances(VO_NEW VoVector(kCapacity, kIncrement)),
      fpSlots(VO_NEW VoVector(kCapacity, kIncrement)),
      fpSnapshot(nullptr),
      fSnapshotCount(0),
      fSerial(++gLastSerial),
      fCleaning(false) {}

VoCleaner::~VoCleaner() {
    fCleaning = true;
    if (fpInstances != nullptr && fpSlots != nullptr && fpInstances->ToArray(&fpSnapshot)) {
        fSnapshotCount = fpInstances->GetCount();
        for (int i = 0; i < fSnapshotCount; ++i) {
            VoBase* instance = static_cast<VoBase*>(fpSnapshot[i]);
            if (instance == nullptr) {
                continue;  // given back by RemoveInstance meanwhile
            }
            fpSnapshot[i] = nullptr;
            // Marked gone first: the accessor must not hand out an object
            // whose destructor is running.
            VoCleanerSlot* slot = static_cast<VoCleanerSlot*>(fpSlots->GetAt(fpInstances->Find(instance)));
            if (slot != nullptr) {
                slot->fpInstance = nullptr;
                slot->fGoneIn = gEngineStart;
            }
            delete instance;
        }
        delete[] fpSnapshot;
        fpSnapshot = nullptr;
        fSnapshotCount = 0;
    }
    delete fpInstances;
    delete fpSlots;
    if (gEngineCleaner == this) {
        gEngineCleaner = nullptr;
    }
    if (fppHolder != nullptr && *fppHolder == this) {
        *fppHolder = nullptr;
    }
}

bool VoCleaner::AddInstance(VoBase* apInstance) {
    return AddInstance(apInstance, nullptr);
}

bool VoCleaner::AddInstance(VoBase* apInstance, VoCleanerSlot* apSlot) {
    if (apInstance == nullptr) {
        VO_ERROR(kAddNull);
        return false;
    }
    if (fCleaning) {
        VO_ERROR(kAddWhileCleaning);
        return false;
    }
    if (fpInstances == nullptr || fpSlots == nullptr) {
        VO_ERROR(kAddFailure);
        return false;
    }
    if (fpInstances->Contains(apInstance)) {
        VO_ERROR(kAddDuplicate);
        return false;
    }
    if (!fpInstances->AddAt(0, apInstance)) {
        VO_ERROR(kAddFailure);
        return false;
    }
    if (!fpSlots->AddAt(0, apSlot)) {
        fpInstances->RemoveAt(0);
        VO_ERROR(kAddFailure);
        return false;
    }
    if (apSlot != nullptr) {
        apSlot->fpInstance = apInstance;
        apSlot->fGoneIn = 0;
    }
    return true;
}

bool VoCleaner::RemoveInstance(VoBase* apInstance) {
    const int index = fpInstances != nullptr && apInstance != nullptr ? fpInstances->Find(apInstance) : -1;
    if (index == -1) {
        VO_ERROR(kRemoveFailure);
        return false;
    }
    void* slot = nullptr;
    if (!fpSlots->RemoveAt(index, &slot)) {
        VO_ERROR(kRemoveFailure);
        return false;
    }
    if (!fpInstances->RemoveAt(index)) {
        fpSlots->AddAt(index, slot);
        VO_ERROR(kRemoveFailure);
        return false;
    }
    if (VoCleanerSlot* singleton = static_cast<VoCleanerSlot*>(slot)) {
        // The caller owns it now. During clean-up the singleton counts as
        // gone; before, its accessor may make a new one.
        singleton->fpInstance = nullptr;
        singleton->fGoneIn = fCleaning ? gEngineStart : 0;
    }
    for (int i = 0; i < fSnapshotCount; ++i) {
        if (fpSnapshot[i] == apInstance) {
            fpSnapshot[i] = nullptr;
        }
    }
    return true;
}

int VoCleaner::GetInstanceCount() const {
    return fpInstances != nullptr ? fpInstances->GetCount() : 0;
}

VoBase* VoCleaner::GetInstanceAt(int aIndex) const {
    return fpInstances != nullptr ? static_cast<VoBase*>(fpInstances->GetAt(aIndex)) : nullptr;
}

VoString VoCleaner::ToString() const {
    return VoDebugString("VoCleaner", this);
}
