#include "util/MGRandom.h"

#include <cstdlib>

namespace {

MGRandomSource gSource = nullptr;

}  // namespace

void MGSetRandomSource(MGRandomSource apSource) {
    gSource = apSource;
}

int MGRandom() {
    return gSource != nullptr ? gSource() : std::rand() % (kMGRandomMax + 1);
}

void MGSeedRandom(unsigned aSeed) {
    std::srand(aSeed);
}
