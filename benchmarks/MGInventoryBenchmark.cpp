// The inventory's two costly paths, each beside a plain baseline that does
// the same work:
//
// Drag: one pointer move while an item is dragged over the shown grid of the
// open PDA, the sixteen grids' 896 spaces all registered as drop targets
// (the move goes through the engine mouse to every listener, the item
// follows the pointer and the drag manager asks every space whether the
// pointer entered or left it). The baseline tests the same pointer against
// 896 rectangles in a plain loop. The pointer swings between two spaces, so
// every move enters one space and leaves another.
//
// Save block: Write and Read of a full inventory, 16 grids x 56 items (the
// read builds every item anew, as loading a game does), beside writing the
// same bytes into a plain buffer and decoding them back into ids.
//
// The game runs on the recording rasterizer over the sample tree, with an
// items file of 56 items per category and case made for the benchmark.
// Before anything is timed the engine and the baselines must find the same
// space under the pointer and the same ids in the block.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "MGApp.h"
#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "game/support/MediaStubs.h"
#include "gdi/VoFontManager.h"
#include "geometry/VoRectangle.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySpace.h"
#include "pda/MGInventorySubpanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoMemoryStream.h"

namespace {

constexpr int kGrids = MGInventoryPanel::kSubpanelCount;
constexpr int kSpaces = MGInventorySubpanel::kSpaceCount;

// The sample game with the PDA open on the inventory.
class InventoryGame : public MediaGame {
public:
    InventoryGame() {
        MountSampleTree();
        if (VoFontManager* fonts = VoFontManager::GetInstance()) {
            fonts->CreateFonts(VoString(MGApp::kFontList), VoString(MGApp::kFontRoot));
        }
        const float selected = 1.0f;
        VoIState* state = new VoIState();
        state->Set(VoString(u"sta_selectedcase"), VoIState::kNumber, &selected);
        VoStateManager::GetInstance()->AddState(state, false, true);
        fInventory = MGPDA::GetInstance()->GetInventoryPanel();
        fInventory->GetItemsFile()->Parse(ItemsText());
    }

    // 56 items per category and case, "w3_17" being space 17 of the
    // witnesses of case 3, all on the sample letter's picture.
    static VoString ItemsText() {
        static const char* const kTypes[] = {"witnesses", "evidence", "documents", "reports"};
        std::string text = "items\n";
        for (int c = 1; c <= 4; ++c) {
            text += "\tcase" + std::to_string(c) + "\n";
            for (int type = 0; type < 4; ++type) {
                for (int n = 0; n < kSpaces; ++n) {
                    const std::string key =
                        std::string(1, kTypes[type][0]) + std::to_string(c) + "_" + std::to_string(n);
                    // Keys without "_": the underscore is the display id's.
                    std::string plain = key;
                    plain.erase(plain.find('_'), 1);
                    text += "\t\t" + plain + "\n\t\t\ttype=" + kTypes[type] +
                            "\n\t\t\tsprite\n\t\t\t\tid=" + plain + "\n\t\t\t\ttexture=inv_letter.tga\n";
                }
            }
        }
        return VoString(text.c_str());
    }

    // The full block: every space of every grid.
    static std::vector<std::uint8_t> FullBlock() {
        static const char kTypes[] = {'w', 'e', 'd', 'r'};
        VoMemoryStream stream(1 << 16, VoMemoryStream::kGrowDouble);
        for (int grid = 0; grid < kGrids; ++grid) {
            stream.WriteInt(kSpaces);
            for (int n = 0; n < kSpaces; ++n) {
                stream.WriteInt(n);
                const std::string id =
                    std::string(1, kTypes[grid % 4]) + std::to_string(grid / 4 + 1) + std::to_string(n);
                stream.WriteString(VoString(id.c_str()));
            }
        }
        return std::vector<std::uint8_t>(stream.GetBuffer(), stream.GetBuffer() + stream.GetPosition());
    }

    MGInventoryPanel* fInventory = nullptr;
};

void Move(float aX, float aY) {
    const VoVector2 position(aX, aY);
    VoMouse::GetInstance()->Move(&position);
}

// Space n's middle on the screen, the grid scrolled to the top.
VoVector2 SpaceMiddle(int aSpace) {
    const VoVector2 place = MGInventorySubpanel::SpacePlace(aSpace);
    return VoVector2(100.0f + 171.0f + place.x + 28.0f, 100.0f + 85.0f + place.y + 23.0f);
}

// The game with an item picked up from space 0 and dragged off it.
class DragGame : public InventoryGame {
public:
    DragGame() {
        fInventory->AddItem(VoString(u"e10"));
        MGPDAMinimized::GetInstance()->Maximize(false);
        MGPDA::GetInstance()->SetPanel(VoString(u"inventory"));
        const VoVector2 start = SpaceMiddle(0);
        Move(start.x, start.y);
        VoMouse::GetInstance()->ButtonDown(1);
        Move(start.x + 10.0f, start.y);
    }
    ~DragGame() { VoMouse::GetInstance()->ButtonUp(1); }

    // The space of the shown grid that glows under the dragged item, or -1.
    int GlowingSpace() const {
        const MGInventorySpace* space = fInventory->GetShownSubpanel()->GetGlowSpace();
        return space != nullptr ? space->GetIndex() : -1;
    }
};

void DragMove_Engine(benchmark::State& aState) {
    DragGame game;
    const VoVector2 a = SpaceMiddle(5);
    const VoVector2 b = SpaceMiddle(6);
    bool flip = false;
    for (auto _ : aState) {
        const VoVector2& to = flip ? a : b;
        Move(to.x, to.y);
        flip = !flip;
    }
}

// The baseline's spaces: a box for each space of every grid, in grid order.
std::vector<VoRectangle> PlainBoxes() {
    std::vector<VoRectangle> boxes;
    for (int grid = 0; grid < kGrids; ++grid) {
        for (int n = 0; n < kSpaces; ++n) {
            const VoVector2 place = MGInventorySubpanel::SpacePlace(n);
            boxes.emplace_back(271.0f + place.x, 185.0f + place.y, 56.0f, 47.0f);
        }
    }
    return boxes;
}

void DragMove_Plain(benchmark::State& aState) {
    const std::vector<VoRectangle> boxes = PlainBoxes();
    std::vector<char> inside(boxes.size(), 0);
    const VoVector2 a = SpaceMiddle(5);
    const VoVector2 b = SpaceMiddle(6);
    bool flip = false;
    for (auto _ : aState) {
        const VoVector2& to = flip ? a : b;
        int changes = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const char now = boxes[i].ContainsPoint(to) ? 1 : 0;
            changes += now != inside[i] ? 1 : 0;
            inside[i] = now;
        }
        benchmark::DoNotOptimize(changes);
        flip = !flip;
    }
}

void SaveBlock_Engine(benchmark::State& aState) {
    InventoryGame game;
    const std::vector<std::uint8_t> block = InventoryGame::FullBlock();
    VoMemoryStream in(4, VoMemoryStream::kGrowDouble);
    in.CreateFromBuffer(static_cast<std::int32_t>(block.size()), block.data());
    if (!game.fInventory->Read(&in)) {
        VoStopRun("SaveBlock_Engine: the full block does not read");
    }
    for (auto _ : aState) {
        VoMemoryStream out(static_cast<std::int32_t>(block.size()), VoMemoryStream::kGrowDouble);
        game.fInventory->Write(&out);
        out.SetPosition(0);
        benchmark::DoNotOptimize(game.fInventory->Read(&out));
    }
}

// The baseline's save block: the bytes copied into a buffer of its own and
// decoded back into the ids, grid by grid.
std::vector<std::u16string> PlainSaveBlock(const std::vector<std::uint8_t>& aBlock) {
    std::vector<std::uint8_t> buffer(aBlock.size());
    std::memcpy(buffer.data(), aBlock.data(), aBlock.size());
    std::vector<std::u16string> ids;
    std::size_t at = 0;
    auto take = [&](void* apOut, std::size_t aCount) {
        std::memcpy(apOut, buffer.data() + at, aCount);
        at += aCount;
    };
    for (int grid = 0; grid < kGrids; ++grid) {
        std::int32_t count = 0;
        take(&count, 4);
        for (int i = 0; i < count; ++i) {
            std::int32_t space = 0;
            std::uint32_t length = 0;
            take(&space, 4);
            take(&length, 4);
            std::u16string id(length, u'\0');
            take(id.data(), length * 2);
            at += 2;
            ids.push_back(std::move(id));
        }
    }
    return ids;
}

void SaveBlock_Plain(benchmark::State& aState) {
    const std::vector<std::uint8_t> block = InventoryGame::FullBlock();
    for (auto _ : aState) {
        benchmark::DoNotOptimize(PlainSaveBlock(block).data());
    }
}

// The space whose box holds the point, as the baseline finds it, or -1.
int PlainSpaceAt(const std::vector<VoRectangle>& aBoxes, const VoVector2& aPoint) {
    for (std::size_t i = 0; i < aBoxes.size(); ++i) {
        if (aBoxes[i].ContainsPoint(aPoint)) {
            return static_cast<int>(i % kSpaces);
        }
    }
    return -1;
}

// The engine and the baselines find the same space under the pointer, and
// the engine writes the full block as it read it, with the same ids in the
// same grids as the baseline decodes.
void CheckSameResults() {
    {
        DragGame game;
        const std::vector<VoRectangle> boxes = PlainBoxes();
        for (const int space : {5, 6}) {
            const VoVector2 to = SpaceMiddle(space);
            Move(to.x, to.y);
            VoCheckSame("drag over space " + std::to_string(space) + ": the space under the pointer",
                        game.GlowingSpace(), PlainSpaceAt(boxes, to));
        }
    }
    InventoryGame game;
    const std::vector<std::uint8_t> block = InventoryGame::FullBlock();
    VoMemoryStream in(4, VoMemoryStream::kGrowDouble);
    in.CreateFromBuffer(static_cast<std::int32_t>(block.size()), block.data());
    VoCheckSame("save block: read", game.fInventory->Read(&in), true);
    VoMemoryStream out(static_cast<std::int32_t>(block.size()), VoMemoryStream::kGrowDouble);
    VoCheckSame("save block: written", game.fInventory->Write(&out), true);
    VoCheckSameValues("save block: bytes written",
                      std::vector<std::uint8_t>(out.GetBuffer(), out.GetBuffer() + out.GetPosition()), block);
    std::vector<std::u16string> ids;
    for (int grid = 0; grid < kGrids; ++grid) {
        VoVectorString held;
        game.fInventory->GetSubpanel(grid)->GetItems(&held, nullptr);
        for (int i = 0; i < held.GetCount(); ++i) {
            const VoString id = held.GetAt(i);
            ids.emplace_back(id.GetChars(), static_cast<std::size_t>(id.GetLength()));
        }
    }
    VoCheckSameValues("save block: ids read", ids, PlainSaveBlock(block));
}

BENCHMARK(DragMove_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(DragMove_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveBlock_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveBlock_Plain)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return VoRunWithRatios(
        argc, argv,
        {{"DragMove_Engine", "DragMove_Plain", 10.0}, {"SaveBlock_Engine", "SaveBlock_Plain", 5000.0}},
        CheckSameResults);
}
