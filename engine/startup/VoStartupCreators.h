#pragma once
// The engine's object creators that start-up registers before anything else
// runs, in the order that gives each its index:
//     0 "filesystem", 1 "timer", 2 "rasterizer", 3 "texture", 4 "devicecaps",
//     5 "matrixutil", 6 "soundmanager", 7 "moviemanager", 8 "platform",
//     9 "eventmanager", 10 "statemanager", 11 "gameclock".
class VoStartupCreators {
public:
    // Adds every creator to the registry, each tried whatever the others did;
    // false when any could not be made or added (a refused one is deleted).
    static bool Register();
};
