#pragma once
// A scene's navigation file (regions keyed "PS_name(ground)(camera)" or
// "name(ground)") as the navigation data parser hands it on to the ground
// navigation: a region whose key begins "PS" is walkable, its first bracket
// the ground and its second the camera; any other is an obstacle on the
// ground in its bracket. Given as property-list text.
#include <string>

#include "container/VoPropertyList.h"
#include "support/TestText.h"

inline std::string NavigationDataOf(VoPropertyList& aFile) {
    std::string positive = "positive\n";
    std::string negative = "negative\n";
    for (int i = 0; i < aFile.GetCount(); ++i) {
        const std::string key = Narrow(aFile.GetKeyAt(i));
        const std::string coords = Narrow(aFile.GetString(aFile.GetKeyAt(i) + VoString(u".coords"), nullptr));
        const std::size_t open = key.find('(');
        const std::size_t close = key.find(')', open);
        std::string entry = "\t" + key + "\n\t\tground=" + key.substr(open + 1, close - open - 1) + "\n";
        if (key.compare(0, 2, "PS") == 0) {
            const std::size_t cameraOpen = key.find('(', close);
            const std::size_t cameraClose = key.find(')', cameraOpen);
            entry += "\t\tcamera=" + key.substr(cameraOpen + 1, cameraClose - cameraOpen - 1) + "\n";
            positive += entry + "\t\tcoords=" + coords + "\n";
        } else {
            negative += entry + "\t\tcoords=" + coords + "\n";
        }
    }
    return positive + negative;
}
