#pragma once
// A new engine and an empty game for the life of the object: a ScopedEngine
// (see there), and at the end the game's cleaner deleted before the
// engine's, as at shut-down, so every game singleton made meanwhile goes
// first, while the engine managers it uses still exist. The game singletons
// stay gone until the next ScopedGame.
//
//     ScopedGame game;
//     MGOptions* options = MGOptions::GetInstance();
#include "support/ScopedEngine.h"
#include "util/MGCleaner.h"

class ScopedGame : public ScopedEngine {
public:
    ScopedGame() : ScopedGame(nullptr) {}
    ~ScopedGame() { ShutDown(); }
    ScopedGame(const ScopedGame&) = delete;
    ScopedGame& operator=(const ScopedGame&) = delete;

    // The game's cleaner, then the engine's.
    void ShutDown() {
        delete MGCleaner::PeekInstance();
        ScopedEngine::ShutDown();
    }

protected:
    // For engines with creators of their own (see ScopedEngine).
    explicit ScopedGame(void (*aRegisterFirst)()) : ScopedEngine(aRegisterFirst) {
        // What an earlier test left behind belongs to an engine that is gone.
        delete MGCleaner::PeekInstance();
    }
};
