#pragma once
// What the fuzz targets of the mesh file's records share: the fuzzer's bytes
// (after a first byte that says whether the stream tells its size) go to one
// record's Read. A record that reads must write itself, and what it writes
// must read back into a record that writes the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"

#include "stdlib/VoMemoryStream.h"

inline void RequireRecord(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

// aCheck(const Record&) runs on every record that was read.
template <typename Record, typename Check>
void RunRecordReader(const std::uint8_t* apData, std::size_t aSize, Check aCheck) {
    QuietFuzzLog();
    if (aSize == 0) {
        return;
    }
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    Record record;
    if (!record.Read(&stream)) {
        return;
    }
    aCheck(record);
    VoMemoryStream written(64, VoMemoryStream::kGrowDouble);
    RequireRecord(record.Write(&written));
    const std::uint32_t length = written.GetPosition();
    FuzzStream again(written.GetBuffer(), length, true);
    Record copy;
    RequireRecord(copy.Read(&again));
    VoMemoryStream rewritten(64, VoMemoryStream::kGrowDouble);
    RequireRecord(copy.Write(&rewritten));
    RequireRecord(rewritten.GetPosition() == length);
    RequireRecord(length == 0 || std::memcmp(rewritten.GetBuffer(), written.GetBuffer(), length) == 0);
}
