#pragma once
// Turns a scene's "navigation.txt" into the data the engine navigation reads
// (VoNavigationTDO::Create). Each top-level key of the file is a region,
// its section copied as it stands:
//     PS_name(ground)(camera)   a walkable region: "PS" (case-sensitive),
//                               the ground frame and the camera in brackets
//     NS_name(ground)           any other key: an obstacle on that ground
// The result holds the sections "positive" and "negative", each region under
// its whole key with "ground" (and "camera" for walkable ones) added.
class VoPropertyList;
class VoString;

class TNavDataParser {
public:
    static constexpr const char* kInvalidArg = "ParseNavigation failure. Invalid arg.";
    static constexpr const char* kFailure = "ParseNavigation failure.";

    // *appOut must hold null; it receives the new list (the caller's), even
    // when a region fails after it was made. False, logged, for bad
    // arguments and a file that cannot be read.
    static bool ParseNavigation(const VoString& aPath, VoPropertyList** appOut);
};
