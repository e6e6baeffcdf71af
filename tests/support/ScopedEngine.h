#pragma once
// A new engine for the life of the object, as at start-up: the engine started
// anew (VoCleaner::ResetEngineForTests, so singletons an earlier engine
// deleted can be made again), a new engine cleaner, and the registry with the
// engine's start-up creators, so the service accessors
// (VoITimer::GetInstance, VoIFileSystem::GetInstance, ...) can make their
// services. The end deletes the cleaner and with it every engine singleton
// made meanwhile (the registry last), as at shut-down, after which they stay
// gone until the next ScopedEngine. Tests that use singletons start one each
// so no state passes from test to test when they share a process.
//
//     ScopedEngine engine;
//     VoITimer* timer = VoITimer::GetInstance();
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"

class ScopedEngine {
public:
    ScopedEngine() : ScopedEngine(nullptr) {}
    ~ScopedEngine() { ShutDown(); }
    ScopedEngine(const ScopedEngine&) = delete;
    ScopedEngine& operator=(const ScopedEngine&) = delete;

    // Deletes the engine cleaner now; the singletons it owned stay gone, even
    // for a later VoCleaner::GetInstance, until the next ScopedEngine.
    void ShutDown() { delete VoCleaner::PeekInstance(); }

protected:
    // For engines with creators of their own: aRegisterFirst (when given)
    // runs once the new cleaner exists and before the start-up creators,
    // which are refused the ids it took.
    explicit ScopedEngine(void (*aRegisterFirst)()) {
        VoCleaner::ResetEngineForTests();
        VoCleaner::GetInstance();
        if (aRegisterFirst != nullptr) {
            aRegisterFirst();
        }
        VoStartupCreators::Register();
    }
};
