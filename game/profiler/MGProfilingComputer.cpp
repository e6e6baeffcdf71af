#include "profiler/MGProfilingComputer.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGProfilingComputer, MGCleanerHome> gInstance;

}  // namespace

MGProfilingComputer* MGProfilingComputer::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGProfilingComputer(); }, kCreationFailure);
}

VoString MGProfilingComputer::ToString() const {
    return VoDebugString("MGProfilingComputer", this);
}
