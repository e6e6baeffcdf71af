// Reads arbitrary bytes as a scene's navigation file (single-byte text up to
// the first zero byte, as VoPropertyList::Load reads it) through the
// navigation data parser, then hands what it gives to the ground navigation
// as the scene navigation does. Whatever the keys' brackets, every region
// lands in one of the two sections with its ground set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "TNavDataParser.h"
#include "container/VoPropertyList.h"
#include "navigation/VoNavigationTDO.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList file;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &file)) {
        return 0;
    }
    VoPropertyList* out = nullptr;
    const bool parsed = TNavDataParser::ParseNavigation(&file, &out);
    if (out == nullptr) {
        std::abort();
    }
    VoPropertyList* positive = out->GetList(VoString(TNavDataParser::kPositiveKey));
    VoPropertyList* negative = out->GetList(VoString(TNavDataParser::kNegativeKey));
    if (positive == nullptr || negative == nullptr) {
        std::abort();
    }
    if (parsed && positive->GetCount() + negative->GetCount() != file.GetCount()) {
        std::abort();
    }
    for (VoPropertyList* section : {positive, negative}) {
        for (int i = 0; i < section->GetCount(); ++i) {
            bool found = false;
            section->GetListAt(i)->GetString(VoString(TNavDataParser::kGroundKey), &found);
            if (!found) {
                std::abort();
            }
        }
    }
    VoNavigationTDO navigation;
    navigation.Create(out);
    delete out;
    return 0;
}
