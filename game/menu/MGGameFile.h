#pragma once
// A saved game's file, "//dataroot/game/game" + N + ".dat": the inventory
// panel's own block (MGInventoryPanel), then the restore manager's records
// of the event manager, the state manager and the game clock, to the end of
// the file.
//
// Saving writes the whole file through a temporary file renamed over the
// target, so a failed save leaves nothing but what was there. Loading is
// all or nothing: the running game is kept in memory, the file's game
// replaces it, and only a file read to its last byte, with a record of each
// restorable and none damaged, that holds the string states
// "sta_currentscene" and "sta_currentviewpoint" stays; on any failure the running game is put back
// as it was.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

class MGGameFile : public VoBase, public VoISerializable {
public:
    static constexpr const char16_t* kSceneState = u"sta_currentscene";
    static constexpr const char16_t* kViewpointState = u"sta_currentviewpoint";
    static constexpr const char* kNoInventory = "No inventory panel.";
    static constexpr const char* kApplyFailure = "Load failure. The saved game is damaged or incomplete.";
    static constexpr const char* kKeepFailure = "Load failure. The running game could not be kept.";

    MGGameFile() = default;

    // The running game into the file; false, with the old file (if any)
    // untouched, on any failure.
    static bool Save(const VoString& aPath);
    // The file's game in place of the running one; false, with the running
    // game as it was, when the file is missing, cut short or damaged.
    static bool Load(const VoString& aPath);
    // The same over bytes in memory.
    static bool Apply(const void* apData, std::int32_t aSize);

    // The running game: the inventory block, then the records.
    bool Write(VoIStream* apStream) override;
    // Replaces the running game by the stream's, from its position to its
    // end, without putting anything back on failure.
    bool Read(VoIStream* apStream) override;

    VoString ToString() const override;

private:
    // Replaces the running game by the bytes, as Read does.
    static bool Replace(const void* apData, std::int32_t aSize);
    static void ClearGame();
};
