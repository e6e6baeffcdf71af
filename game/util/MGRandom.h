#pragma once
// The game's random numbers: the runtime's one generator (std::rand, values
// 0 to 32767), which interviews and some screens seed again from the time
// when they are made. A test may put a source of its own in its place so that
// random choices come out as it needs them.
//
//     MGSetRandomSource([] { return 7; });   // every draw gives 7
//     MGSetRandomSource(nullptr);            // the runtime's generator again
constexpr int kMGRandomMax = 32767;

using MGRandomSource = int (*)();

void MGSetRandomSource(MGRandomSource apSource);
// A number from 0 to kMGRandomMax (a test's source may give any int).
int MGRandom();
// Seeds the runtime's generator (a test's source is kept).
void MGSeedRandom(unsigned aSeed);
