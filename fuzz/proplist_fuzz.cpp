// Parses arbitrary bytes as a property-list file (single-byte text up to the
// first zero byte, as Load reads it), then walks the tree the way data
// readers do: paths built from the keys found, typed getters, enumeration,
// a deep copy, and Serialize, whose text is parsed once more.
#include <cstddef>
#include <cstdint>

#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "support/FuzzSupport.h"

namespace {

void Query(VoPropertyList& aList, const VoString& aPrefix, int aDepth) {
    bool found = false;
    const int count = aList.GetCount();
    for (int i = 0; i < count && i < 64; ++i) {
        VoString path(aPrefix);
        if (path.GetLength() > 0) {
            path.Append(u".");
        }
        path.Append(aList.GetKeyAt(i));
        aList.GetString(path, &found);
        aList.GetBool(path, &found);
        aList.GetInt(path, &found);
        aList.GetVectorFloat(path, &found);
        aList.GetVectorString(path, &found);
        VoPropertyList* section = aList.GetListAt(i);
        if (section != nullptr && aDepth < 8) {
            Query(*section, path, aDepth + 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    VoString text;
    if (!ParseFuzzPropertyList(apData, aSize, 0x100000, &list, &text)) {
        return 0;
    }
    VoString root;
    Query(list, root, 0);
    list.GetList(text);
    bool found = false;
    list.GetString(text, &found);

    VoPropertyList copy(list);
    VoString serialized;
    copy.Serialize(serialized);
    VoPropertyList again;
    again.Parse(serialized);
    return 0;
}
