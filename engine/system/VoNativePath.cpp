#include "system/VoNativePath.h"

#include "system/port/VoPosixFiles.h"

bool VoNativePath::ToNarrow(const VoString& aPath, std::string* apNarrow) {
    const char16_t* chars = aPath.GetChars();
    const int length = aPath.GetLength();
    apNarrow->clear();
    apNarrow->reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        const char byte = static_cast<char>(chars[i] & 0xFF);
        if (byte == '\0') {
            return false;
        }
        apNarrow->push_back(byte);
    }
    return true;
}

bool VoNativePath::IsReadOnlyFile(const VoString& aPath) {
    std::string narrow;
    return ToNarrow(aPath, &narrow) && VoPosixFiles::IsReadOnlyFile(narrow);
}
