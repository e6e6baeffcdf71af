#include "TNavDataParser.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"

namespace {

// The text inside the bracket pair that opens at or after aFrom; *apClose
// is where it closes. Empty (logged) when there is none.
VoString Bracketed(const VoString& aKey, std::int32_t aFrom, std::int32_t* apClose) {
    const std::int32_t open = aKey.Find(u"(", aFrom);
    VoString inner(u"");
    if (open < 0) {
        VO_ASSERT_FAILURE("");
        return inner;
    }
    if (!aKey.MatchPair(VoString(u"("), VoString(u")"), open, &inner)) {
        VO_ASSERT_FAILURE("");
        return VoString(u"");
    }
    *apClose = open + inner.GetLength() + 1;
    return inner;
}

}  // namespace

bool TNavDataParser::ParseNavigation(const VoString& aPath, VoPropertyList** appOut) {
    if (appOut == nullptr || *appOut != nullptr) {
        VO_ASSERT_FAILURE(kInvalidArg);
        return false;
    }
    VoPropertyList file;
    if (!file.Load(aPath, true)) {
        VO_ASSERT_FAILURE(kFailure);
        return false;
    }
    VoPropertyList* out = VO_NEW VoPropertyList();
    if (out == nullptr) {
        return false;
    }
    *appOut = out;
    const VoString positive(u"positive");
    const VoString negative(u"negative");
    out->SetList(positive, VO_NEW VoPropertyList());
    out->SetList(negative, VO_NEW VoPropertyList());
    for (int i = 0; i < file.GetCount(); ++i) {
        const VoString key = file.GetKeyAt(i);
        VoPropertyList* section = file.GetListAt(i);
        VoPropertyList* copy = section != nullptr ? VO_NEW VoPropertyList(*section) : VO_NEW VoPropertyList();
        if (copy == nullptr) {
            VO_ASSERT_FAILURE(kFailure);
            return false;
        }
        std::int32_t close = 0;
        copy->SetString(VoString(u"ground"), Bracketed(key, 0, &close));
        const bool walkable = key.Find(u"PS") == 0;
        if (walkable) {
            std::int32_t end = 0;
            copy->SetString(VoString(u"camera"), Bracketed(key, close, &end));
        }
        if (!out->GetList(walkable ? positive : negative)->SetList(key, copy)) {
            delete copy;
        }
    }
    return true;
}
