#include "stdlib/VoRecordCount.h"

#include "container/VoLog.h"
#include "stdlib/VoIStream.h"

bool VoRecordCount::Read(VoIStream* apStream, std::uint32_t aMinRecordSize, std::int32_t* apCount) {
    std::int32_t count = 0;
    if (!VoIStream::ReadValue(apStream, &count)) {
        VO_ERROR(kReadFailure);
        return false;
    }
    const std::int64_t remaining = apStream->GetRemaining();
    if (count < 0 || (remaining >= 0 && static_cast<std::int64_t>(count) * aMinRecordSize > remaining)) {
        VO_ERROR(kCountRefused, count);
        return false;
    }
    *apCount = count;
    return true;
}
