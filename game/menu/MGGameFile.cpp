#include "menu/MGGameFile.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "event/VoEventManager.h"
#include "object/VoRestoreManager.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoFileStream.h"
#include "stdlib/VoMemoryStream.h"

namespace {

MGInventoryPanel* Inventory() {
    MGPDA* pda = MGPDA::GetInstance();
    return pda != nullptr ? pda->GetInventoryPanel() : nullptr;
}

// A string state of that id with a value that is not empty.
bool HasPlace(VoStateManager* apStates, const char16_t* apId) {
    VoIState* state = apStates->GetState(VoString(apId));
    if (state == nullptr || state->GetType() != VoIState::kString || state->GetValue() == nullptr) {
        return false;
    }
    return static_cast<const VoString*>(state->GetValue())->GetLength() > 0;
}

}  // namespace

bool MGGameFile::Save(const VoString& aPath) {
    MGGameFile game;
    return VoFileStream::WriteFile(&game, aPath, true);
}

bool MGGameFile::Load(const VoString& aPath) {
    VoMemoryStream file(4, VoMemoryStream::kGrowDouble);
    if (!file.CreateFromFile(aPath, true)) {
        return false;
    }
    return Apply(file.GetBuffer(), file.GetCapacity());
}

bool MGGameFile::Apply(const void* apData, std::int32_t aSize) {
    MGGameFile game;
    VoMemoryStream kept(1024, VoMemoryStream::kGrowDouble);
    if (!game.Write(&kept)) {
        VO_ERROR(kKeepFailure);
        return false;
    }
    if (Replace(apData, aSize)) {
        return true;
    }
    VO_ERROR(kApplyFailure);
    // What was written a moment ago reads back.
    Replace(kept.GetBuffer(), static_cast<std::int32_t>(kept.GetPosition()));
    return false;
}

bool MGGameFile::Replace(const void* apData, std::int32_t aSize) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    // An empty file holds no game (and an empty stream's capacity is no data).
    if (aSize <= 0 || apData == nullptr || !stream.CreateFromBuffer(aSize, apData)) {
        return false;
    }
    MGGameFile game;
    return game.Read(&stream);
}

void MGGameFile::ClearGame() {
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->ClearEvents();
    }
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->ClearStates();
    }
}

bool MGGameFile::Write(VoIStream* apStream) {
    MGInventoryPanel* inventory = Inventory();
    VoRestoreManager* restore = VoRestoreManager::GetInstance();
    if (inventory == nullptr || restore == nullptr) {
        VO_ERROR(kNoInventory);
        return false;
    }
    return inventory->Write(apStream) && restore->Save(apStream);
}

bool MGGameFile::Read(VoIStream* apStream) {
    MGInventoryPanel* inventory = Inventory();
    VoRestoreManager* restore = VoRestoreManager::GetInstance();
    VoStateManager* states = VoStateManager::GetInstance();
    const std::int64_t remaining = apStream != nullptr ? apStream->GetRemaining() : -1;
    if (inventory == nullptr || restore == nullptr || states == nullptr || remaining < 0) {
        return false;
    }
    const std::int64_t end = apStream->GetPosition() + remaining;
    if (end > 0x7FFFFFFF) {
        return false;
    }
    ClearGame();
    const bool read = inventory->Read(apStream) && restore->Load(apStream, static_cast<std::int32_t>(end));
    return read && restore->LoadedAll() && apStream->GetPosition() == end && HasPlace(states, kSceneState) &&
           HasPlace(states, kViewpointState);
}

VoString MGGameFile::ToString() const {
    return VoDebugString("MGGameFile", this);
}
