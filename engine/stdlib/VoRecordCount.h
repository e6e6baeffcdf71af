#pragma once
// The count that heads a list of records in a save game (states, events,
// delayed triggers). A count taken from the data is never trusted: one that
// is negative, or whose records could not fit in the bytes that remain, is
// refused before a single record is built.
#include <cstdint>

#include "stdlib/VoIStream.h"

class VoRecordCount {
public:
    static constexpr const char* kReadFailure = "OnLoad failure. Could not read the record count.";
    static constexpr const char* kCountRefused = "OnLoad failure. Record count exceeds the data: ";

    // Reads the i32 count into *apCount; false, after logging, for a failed
    // read or a refused count. aMinRecordSize is the fewest bytes one record
    // takes. Where the stream cannot tell what remains, only negative counts
    // are refused: the records are then read one at a time until one fails.
    static bool Read(VoIStream* apStream, std::uint32_t aMinRecordSize, std::int32_t* apCount);

    // Writes the i32 count of aRecords and then each record (a Record*), each
    // tried whatever the others did; false when any write failed.
    template <typename Record, typename List>
    static bool Write(VoIStream* apStream, List& aRecords);
};

template <typename Record, typename List>
bool VoRecordCount::Write(VoIStream* apStream, List& aRecords) {
    const std::int32_t count = aRecords.GetCount();
    bool written = VoIStream::WriteValue(apStream, count);
    for (std::int32_t i = 0; i < count; ++i) {
        written = static_cast<Record*>(aRecords.GetAt(i))->Write(apStream) && written;
    }
    return written;
}
