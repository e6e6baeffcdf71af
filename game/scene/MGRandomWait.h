#pragma once
// The random numbers of the scene's timed work (ambient sounds and movies):
// integers 0..32767 from the runtime's generator, whatever its own range, and
// waits spread evenly between a minimum and a maximum.
#include <cstdlib>
#include <ctime>

class MGRandomWait {
public:
    static constexpr int kMaxRandom = 32767;

    // Seeds the runtime's generator with the calendar time, as every object
    // that draws from it does when it is made.
    static void Seed() { std::srand(static_cast<unsigned>(std::time(nullptr))); }
    // 0..32767.
    static int Next() { return std::rand() % (kMaxRandom + 1); }
    // aMin + (r / 32767) x (aMax - aMin) for the random r.
    static float Wait(float aMin, float aMax) {
        return aMin + static_cast<float>(Next()) / static_cast<float>(kMaxRandom) * (aMax - aMin);
    }
};
