#pragma once
// Reads a scene's navigation file, where level designers name each region of
// walkable ground with what the navigation needs to know of it, and gives
// the list that the ground navigation reads (VoNavigationTDO::Create).
//
// Each top-level key of the file is a region, its section (the outline,
// "coords") copied as it stands:
//     PS_hall(ground_hall)(cam_hall)     walkable ("PS", case-sensitive): the
//         coords=...                     ground mesh's frame, then the camera
//     table(ground_hall)                 any other key: an obstacle on that
//         coords=...                     ground mesh
// The result holds the sections "positive" and "negative", each region
// stored under its whole key with "ground" (the first bracket's text) and,
// for a walkable one, "camera" (the next bracket's text) set in its section.
// A key without its brackets is logged and its region kept with the text
// found, possibly empty.
#include <cstdint>

#include "container/VoString.h"

class VoPropertyList;

class TNavDataParser {
public:
    static constexpr const char* kInvalidArg = "ParseNavigation failure. Invalid arg.";
    static constexpr const char* kFailure = "ParseNavigation failure.";
    // A key without the bracket pair that a ground or camera needs.
    static constexpr const char* kMissingBrackets = "";

    static constexpr const char16_t* kPositivePrefix = u"PS";
    static constexpr const char16_t* kPositiveKey = u"positive";
    static constexpr const char16_t* kNegativeKey = u"negative";
    static constexpr const char16_t* kGroundKey = u"ground";
    static constexpr const char16_t* kCameraKey = u"camera";

    // Loads the file at the engine path and parses it. *appOut must hold
    // null (else kInvalidArg, false); it receives the new list, which the
    // caller owns, also when a later step fails and false is returned. A file
    // that cannot be loaded gives kFailure, false and no list.
    static bool ParseNavigation(const VoString& aPath, VoPropertyList** appOut);
    // The same over a file already read (not changed).
    static bool ParseNavigation(VoPropertyList* apFile, VoPropertyList** appOut);

    // The text of the bracket pair whose "(" is the first at or after aFrom;
    // *apEnd (when given) receives the index after its ")". False, with
    // aOut empty, when there is no "(" or it has no matching ")".
    static bool BracketText(const VoString& aKey, std::int32_t aFrom, VoString& aOut, std::int32_t* apEnd);
};
