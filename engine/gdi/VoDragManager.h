#pragma once
// Passes the moves and the release of a dragged object (VoDraggable) to every
// registered drop target (VoIDragTarget), in registration order. Each
// dispatch walks a copy of the targets, so a handler may add or remove
// targets: one added is first told at the next dispatch, one removed is not
// told again.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoVector.h"

class VoDraggable;
class VoIDragTarget;

class VoDragManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoDragManager creation failure.";
    static constexpr const char* kInvalidArg = "Invalid arg.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoDragManager* GetInstance();
    // The manager if it is live; never creates.
    static VoDragManager* PeekInstance();

    VoDragManager(const VoDragManager&) = delete;
    VoDragManager& operator=(const VoDragManager&) = delete;
    // The targets are not deleted.
    ~VoDragManager() override;

    VoString ToString() const override;

    // Not owned; null is refused and a target registered already stays once (true).
    bool AddDragTarget(VoIDragTarget* apTarget);
    // False for null and for a target that is not registered.
    bool RemoveDragTarget(VoIDragTarget* apTarget);
    int GetDragTargetCount() const { return fTargets.GetCount(); }

    // Every target's enter/leave test. True.
    bool DragMove(VoDraggable* apDragged);
    // Every target's drop. True.
    bool Drop(VoDraggable* apDragged);

private:
    VoDragManager();

    // Calls aCall on each target of a copy of the list that is still registered.
    template <typename Call>
    void ForEachTarget(Call aCall);

    VoVector fTargets;  // VoIDragTarget*, not owned, in registration order
    // Targets removed so far: a dispatch that sees it unchanged skips the
    // search for removed targets.
    std::uint32_t fRemovals = 0;
};
