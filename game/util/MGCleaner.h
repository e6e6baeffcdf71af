#pragma once
// The owner of the game's singletons: a cleaner of the engine's kind (see
// VoCleaner: each new instance goes to the front of its list and deletion
// runs front first, so the last registered singleton is deleted first), kept
// apart from the engine's. Shut-down deletes it before the engine's cleaner,
// while the engine managers that the game's singletons use in their
// destructors still exist.
//
// A game singleton names MGCleanerHome as its cleaner's home:
//     namespace {
//     VoCleanerSingleton<MGFoo, MGCleanerHome> gInstance;
//     }
//     MGFoo* MGFoo::GetInstance() {
//         return gInstance.Get([] { return VO_NEW MGFoo(); }, MGFoo::kCreationFailure);
//     }
#include "stdlib/VoCleaner.h"

class MGCleaner : public VoCleaner {
public:
    // Created on first use; null, with VoCleaner::kCreationFailure logged,
    // when it cannot be. Once deleted, a later call makes a new, empty one,
    // while the singletons the old one deleted stay gone.
    static MGCleaner* GetInstance();
    // The game's cleaner if there is one; never creates.
    static MGCleaner* PeekInstance();

    // Deletes every instance, newest first, then forgets the singleton.
    ~MGCleaner() override = default;

    VoString ToString() const override;

private:
    MGCleaner();
};

// The home of the game's singletons (VoCleanerSingleton's second argument).
class MGCleanerHome {
public:
    // The game's cleaner, made on first use. While the cleaner deletes its
    // instances this is still that cleaner, which refuses new ones, so a
    // destructor that reaches for a game singleton already gone gets null.
    static VoCleaner* GetInstance();
};
