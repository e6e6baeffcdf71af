// The inventory's readers. The first byte picks what the rest is:
//  - even: a saved inventory block, read by the PDA's inventory panel over
//    the sample items file (data/textures/pda/inventory/inventory_items.txt);
//    a block that reads is written, read and written again, and the two
//    writes must agree;
//  - odd: an items file and a descriptions file at once (single-byte text up
//    to the first zero byte, as VoPropertyList::Load reads it): every key of
//    "items.case1" to "items.case4" is added in its case as it stands and
//    as each lab's result, every item held is looked up in the descriptions
//    and analysed, and the inventory is written and read back.
// Each input has an engine and a game of its own without a data tree, so
// sprites and tooltips stay empty; the readers are what runs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "memory/VoNew.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySpace.h"
#include "pda/MGInventorySubpanel.h"
#include "pda/MGPDA.h"
#include "startup/VoStartupCreators.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"
#include "util/MGCleaner.h"

namespace {

constexpr std::size_t kMaxInput = 0x10000;
// Keys per case that are added, and their results.
constexpr int kMaxKeys = 64;
constexpr const char16_t* kSuffixes[] = {u"", u"_CL", u"_re", u"_Su", u"_x"};

void Require(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

const VoString& SampleItems() {
    static const VoString sText = [] {
        std::ifstream in(VO_SOURCE_DIR "/data/textures/pda/inventory/inventory_items.txt", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return VoString(bytes.c_str());
    }();
    return sText;
}

void SetCase(int aCase) {
    const float value = static_cast<float>(aCase);
    VoStateManager* states = VoStateManager::GetInstance();
    if (states->GetState(VoString(MGInventoryPanel::kCaseState)) != nullptr) {
        states->SetState(VoString(MGInventoryPanel::kCaseState), &value, false);
        return;
    }
    VoIState* state = VO_NEW VoIState();
    if (state != nullptr && !(state->Set(VoString(MGInventoryPanel::kCaseState), VoIState::kNumber, &value) &&
                              states->AddState(state, false, true))) {
        delete state;
    }
}

bool Write(MGInventoryPanel* apPanel, VoMemoryStream* apOut) {
    return apPanel->Write(apOut);
}

// Reads the bytes; a block that reads is written and read again. Over an
// items file whose keys are their sprites' ids (aConsistent), as the data
// keeps them, the two writes agree byte for byte; other files may name an
// item by another's id, and its second reading may differ.
void ReadBlock(MGInventoryPanel* apPanel, const std::uint8_t* apData, std::size_t aSize, bool aConsistent) {
    VoMemoryStream in(4, VoMemoryStream::kGrowDouble);
    const std::uint8_t none = 0;
    Require(in.CreateFromBuffer(static_cast<std::int32_t>(aSize), aSize > 0 ? apData : &none));
    if (!apPanel->Read(&in)) {
        for (int i = 0; i < MGInventoryPanel::kSubpanelCount; ++i) {
            Require(apPanel->GetSubpanel(i)->GetItemCount() == 0);
        }
        return;
    }
    VoMemoryStream first(64, VoMemoryStream::kGrowDouble);
    Require(Write(apPanel, &first));
    VoMemoryStream again(4, VoMemoryStream::kGrowDouble);
    Require(again.CreateFromBuffer(static_cast<std::int32_t>(first.GetPosition()), first.GetBuffer()));
    const bool read = apPanel->Read(&again);
    if (!aConsistent) {
        return;
    }
    Require(read);
    VoMemoryStream second(64, VoMemoryStream::kGrowDouble);
    Require(Write(apPanel, &second));
    Require(first.GetPosition() == second.GetPosition());
    Require(std::memcmp(first.GetBuffer(), second.GetBuffer(), first.GetPosition()) == 0);
}

void UseItems(MGInventoryPanel* apPanel, VoPropertyList* apFile) {
    for (int c = 1; c <= MGInventoryPanel::kCaseCount; ++c) {
        SetCase(c);
        VoString section(u"items.case");
        section.Append(static_cast<std::int32_t>(c));
        VoPropertyList* items = apFile->GetList(section);
        for (int i = 0; items != nullptr && i < items->GetCount() && i < kMaxKeys; ++i) {
            const VoString key = items->GetKeyAt(i);
            for (const char16_t* suffix : kSuffixes) {
                apPanel->AddItem(key + suffix);
            }
        }
    }
    for (int grid = 0; grid < MGInventoryPanel::kSubpanelCount; ++grid) {
        MGInventorySubpanel* subpanel = apPanel->GetSubpanel(grid);
        apPanel->SelectCategory(grid % MGInventoryPanel::kCategoryCount);
        for (int space = 0; space < MGInventorySubpanel::kSpaceCount; ++space) {
            MGInventoryItem* item = subpanel->GetSpace(space)->GetItem();
            if (item == nullptr) {
                continue;
            }
            Require(subpanel->GetItem(item->GetItemId()) == item);
            VoVectorString lines;
            MGInventoryItem::FindDescription(apFile, item->GetItemId(), &lines);
            item->OnAction(MGIMultiCursorListener::kAnalyze);
        }
    }
    VoMemoryStream out(64, VoMemoryStream::kGrowDouble);
    Require(Write(apPanel, &out));
    ReadBlock(apPanel, out.GetBuffer(), out.GetPosition(), false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0 || aSize > kMaxInput) {
        return 0;
    }
    const VoString& sample = SampleItems();
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoStartupCreators::Register();
    MGPDA* pda = MGPDA::GetInstance();
    MGInventoryPanel* panel = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (panel != nullptr && panel->GetItemsFile() != nullptr) {
        SetCase(1);
        if (apData[0] % 2 == 0) {
            panel->GetItemsFile()->Parse(sample);
            ReadBlock(panel, apData + 1, aSize - 1, true);
        } else if (ParseFuzzPropertyList(apData + 1, aSize - 1, kMaxInput, panel->GetItemsFile())) {
            // One text as both files.
            UseItems(panel, panel->GetItemsFile());
        }
    }
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
