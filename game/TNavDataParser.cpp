#include "TNavDataParser.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"

namespace {

bool IsPositive(const VoString& aKey) {
    const VoString prefix(TNavDataParser::kPositivePrefix);
    return aKey.GetLength() >= prefix.GetLength() && aKey.SubString(0, prefix.GetLength()) == prefix;
}

// Sets aKey of the section to aValue, in place of whatever the file gave
// under that key (a value, or even a section).
void Put(VoPropertyList* apSection, const char16_t* apKey, const VoString& aValue) {
    const VoString key(apKey);
    VoPropertyListElement* old = nullptr;
    if (apSection->IndexOf(key) >= 0 && apSection->Remove(key, &old)) {
        VoPropertyList::DeleteElement(old);
    }
    apSection->SetString(key, aValue);
}

}  // namespace

bool TNavDataParser::BracketText(const VoString& aKey, std::int32_t aFrom, VoString& aOut,
                                 std::int32_t* apEnd) {
    aOut.Clear();
    const std::int32_t open = aKey.Find(u"(", aFrom);
    if (open < 0) {
        return false;
    }
    VoString inner;
    if (!aKey.MatchPair(VoString(u"("), VoString(u")"), open, &inner)) {
        return false;
    }
    aOut = inner;
    if (apEnd != nullptr) {
        *apEnd = open + inner.GetLength() + 2;
    }
    return true;
}

bool TNavDataParser::ParseNavigation(const VoString& aPath, VoPropertyList** appOut) {
    if (appOut == nullptr || *appOut != nullptr) {
        VO_ASSERT_FAILURE(kInvalidArg);
        return false;
    }
    VoPropertyList* file = VO_NEW VoPropertyList();
    if (file == nullptr || !file->Load(aPath, true)) {
        delete file;
        VO_ASSERT_FAILURE(kFailure);
        return false;
    }
    const bool parsed = ParseNavigation(file, appOut);
    delete file;
    return parsed;
}

bool TNavDataParser::ParseNavigation(VoPropertyList* apFile, VoPropertyList** appOut) {
    if (apFile == nullptr || appOut == nullptr || *appOut != nullptr) {
        VO_ASSERT_FAILURE(kInvalidArg);
        return false;
    }
    VoPropertyList* out = VO_NEW VoPropertyList();
    VoPropertyList* positive = VO_NEW VoPropertyList();
    VoPropertyList* negative = VO_NEW VoPropertyList();
    if (out == nullptr || positive == nullptr || negative == nullptr ||
        !out->SetList(VoString(kPositiveKey), positive)) {
        delete out;
        delete positive;
        delete negative;
        VO_ASSERT_FAILURE(kFailure);
        return false;
    }
    if (!out->SetList(VoString(kNegativeKey), negative)) {
        delete out;
        delete negative;
        VO_ASSERT_FAILURE(kFailure);
        return false;
    }
    *appOut = out;

    for (int i = 0; i < apFile->GetCount(); ++i) {
        const VoString key = apFile->GetKeyAt(i);
        VoPropertyList* section = apFile->GetListAt(i);
        VoPropertyList* copy = section != nullptr ? VO_NEW VoPropertyList(*section) : nullptr;
        if (copy == nullptr) {
            VO_ASSERT_FAILURE(kFailure);
            return false;
        }

        VoString ground;
        std::int32_t groundEnd = -1;
        if (!BracketText(key, 0, ground, &groundEnd)) {
            VO_ASSERT_FAILURE(kMissingBrackets);
        }
        Put(copy, kGroundKey, ground);

        VoPropertyList* target = negative;
        if (IsPositive(key)) {
            VoString camera;
            if (groundEnd < 0 || !BracketText(key, groundEnd, camera, nullptr)) {
                VO_ASSERT_FAILURE(kMissingBrackets);
            }
            Put(copy, kCameraKey, camera);
            target = positive;
        }
        if (!target->Add(key, VoPropertyListElement(VoPropertyListElement::kSection, copy))) {
            delete copy;
            VO_ASSERT_FAILURE(kFailure);
            return false;
        }
    }
    return true;
}
