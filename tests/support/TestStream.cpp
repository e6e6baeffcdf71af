#include "TestStream.h"

#include <cstring>
#include <string>

std::u16string TestStream::Units() const {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < fBytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(fBytes[i] | (fBytes[i + 1] << 8)));
    }
    return units;
}

bool TestStream::Read(std::uint32_t aSize, void* apOut) {
    const int call = fReadCalls++;
    if (fFailReads.count(call) != 0) {
        return false;
    }
    if (fPosition > fBytes.size() || aSize > fBytes.size() - fPosition) {
        return false;
    }
    if (aSize > 0) {
        std::memcpy(apOut, fBytes.data() + fPosition, aSize);
    }
    fPosition += aSize;
    return true;
}

bool TestStream::Write(std::uint32_t aSize, const void* apData) {
    const int call = fWriteCalls++;
    if (fFailWrites.count(call) != 0) {
        return false;
    }
    if (fBytes.size() < static_cast<std::size_t>(fPosition) + aSize) {
        fBytes.resize(static_cast<std::size_t>(fPosition) + aSize);
    }
    if (aSize > 0) {
        std::memcpy(fBytes.data() + fPosition, apData, aSize);
    }
    fPosition += aSize;
    return true;
}

std::int64_t TestStream::GetRemaining() {
    if (fHideSize) {
        return -1;
    }
    return fPosition >= fBytes.size() ? 0 : static_cast<std::int64_t>(fBytes.size() - fPosition);
}
