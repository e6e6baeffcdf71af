#include "interview/MGInterviewManager.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGInterviewManager, MGCleanerHome> gInstance;

}  // namespace

MGInterviewManager* MGInterviewManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGInterviewManager(); }, kCreationFailure);
}

VoString MGInterviewManager::ToString() const {
    return VoDebugString("MGInterviewManager", this);
}
