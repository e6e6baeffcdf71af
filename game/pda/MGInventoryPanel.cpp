#include "pda/MGInventoryPanel.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoIStream.h"

namespace {

// The case in play, 1 to 4 (1 when "sta_selectedcase" is missing or out of range).
int CurrentCase() {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = states != nullptr ? states->GetState(VoString(u"sta_selectedcase")) : nullptr;
    const float number = state != nullptr ? state->GetNumber(1.0f) : 1.0f;
    // Compared as a float first: a saved game may hold any number.
    return number >= 1.0f && number < MGInventoryPanel::kCaseCount + 1.0f ? static_cast<int>(number) : 1;
}

}  // namespace

bool MGInventoryPanel::AddItem(const VoString& aItemId) {
    if (aItemId.GetLength() == 0) {
        return false;
    }
    Grid& grid = fGrids[kEvidence + kCategoryCount * (CurrentCase() - 1)];
    int free = -1;
    for (int space = 0; space < kSpaceCount; ++space) {
        if (grid.ids[space] == aItemId) {
            return true;
        }
        if (free < 0 && grid.ids[space].GetLength() == 0) {
            free = space;
        }
    }
    if (free < 0) {
        return false;
    }
    grid.ids[free] = aItemId;
    return true;
}

bool MGInventoryPanel::HasItem(const VoString& aItemId) const {
    for (const Grid& grid : fGrids) {
        for (const VoString& id : grid.ids) {
            if (id.GetLength() > 0 && id == aItemId) {
                return true;
            }
        }
    }
    return false;
}

int MGInventoryPanel::GetItemCount() const {
    int count = 0;
    for (const Grid& grid : fGrids) {
        for (const VoString& id : grid.ids) {
            count += id.GetLength() > 0 ? 1 : 0;
        }
    }
    return count;
}

void MGInventoryPanel::ClearItems() {
    for (Grid& grid : fGrids) {
        for (VoString& id : grid.ids) {
            id = VoString(u"");
        }
    }
}

bool MGInventoryPanel::ReadGrid(VoIStream* apStream, Grid& aGrid) {
    std::int32_t count = 0;
    if (!apStream->ReadInt(&count) || count < 0) {
        return false;
    }
    // Every pair reads or the block is refused, so a count beyond the data
    // ends at the data's end.
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t space = 0;
        VoString id;
        if (!apStream->ReadInt(&space) || !apStream->ReadString(&id)) {
            return false;
        }
        if (space >= 0 && space < kSpaceCount && aGrid.ids[space].GetLength() == 0) {
            aGrid.ids[space] = id;
        }
    }
    return true;
}

bool MGInventoryPanel::Read(VoIStream* apStream) {
    Grid* staged = VO_NEW Grid[kGridCount];
    bool ok = apStream != nullptr && staged != nullptr;
    for (int i = 0; ok && i < kGridCount; ++i) {
        ok = ReadGrid(apStream, staged[i]);
    }
    if (ok) {
        for (int i = 0; i < kGridCount; ++i) {
            fGrids[i] = staged[i];
        }
    } else {
        VO_ERROR(kReadFailure);
    }
    delete[] staged;
    return ok;
}

bool MGInventoryPanel::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = true;
    for (const Grid& grid : fGrids) {
        std::int32_t count = 0;
        for (const VoString& id : grid.ids) {
            count += id.GetLength() > 0 ? 1 : 0;
        }
        ok = apStream->WriteInt(count) && ok;
        for (std::int32_t space = 0; space < kSpaceCount; ++space) {
            if (grid.ids[space].GetLength() > 0) {
                ok = apStream->WriteInt(space) && ok;
                ok = apStream->WriteString(grid.ids[space]) && ok;
            }
        }
    }
    return ok;
}

VoString MGInventoryPanel::ToString() const {
    return VoDebugString("MGInventoryPanel", this);
}
