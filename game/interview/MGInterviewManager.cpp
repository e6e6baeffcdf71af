#include "interview/MGInterviewManager.h"

#include "container/VoDebugString.h"
#include "interview/MGIInterviewListener.h"
#include "interview/MGInterview.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGInterviewManager, MGCleanerHome> gInstance;

}  // namespace

MGInterviewManager* MGInterviewManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGInterviewManager(); }, kCreationFailure);
}

MGInterviewManager::MGInterviewManager() : fInterviews(7, false) {}

MGInterviewManager::~MGInterviewManager() {
    ClearInterviews();
}

MGInterview* MGInterviewManager::Find(const VoString& aId) {
    if (aId.GetLength() == 0) {
        return nullptr;
    }
    MGInterview* interview = static_cast<MGInterview*>(fInterviews.Get(aId));
    if (interview == nullptr) {
        interview = VO_NEW MGInterview(aId);
        if (interview != nullptr && fInterviews.Add(aId, interview, true) == 0) {
            delete interview;
            interview = nullptr;
        }
    }
    return interview;
}

MGInterview* MGInterviewManager::GetInterview(const VoString& aId) {
    MGInterview* interview = Find(aId);
    if (interview != nullptr) {
        fpCurrent = interview;
    }
    return interview;
}

bool MGInterviewManager::PreloadInterview(const VoString& aId) {
    return Find(aId) != nullptr;
}

bool MGInterviewManager::StartInterview() {
    if (fpCurrent == nullptr) {
        return false;
    }
    if (MGIInterviewListener* listener = fpCurrent->GetListener()) {
        listener->OnInterviewEvent(MGIInterviewListener::kStarted);
    }
    return true;
}

void MGInterviewManager::ClearInterviews() {
    for (int i = 0; i < fInterviews.GetCount(); ++i) {
        delete static_cast<MGInterview*>(fInterviews.GetAt(i));
    }
    fInterviews.Clear();
    fpCurrent = nullptr;
}

VoString MGInterviewManager::ToString() const {
    return VoDebugString("MGInterviewManager", this);
}
