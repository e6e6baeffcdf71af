#include "puzzles/dravobox/MGDravoBoxPuzzle.h"

#include <cstdlib>
#include <ctime>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "puzzles/dravobox/MGDravoBoxPiece.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"

namespace {

VoCleanerSingleton<MGDravoBoxPuzzle, MGCleanerHome> gInstance;

constexpr int kTileCapacity = MGDravoBoxPuzzle::kTileCount;
constexpr int kTileIncrement = 5;
// The notches: (row, column) of the free cell in the middle of each side.
constexpr int kNotches[4][2] = {{0, 3}, {3, 0}, {3, 6}, {6, 3}};
// The longest number a stored board may hold, sign included.
constexpr int kMaxDigits = 6;

constexpr const char* kWrongCount = "not 49 numbers";
constexpr const char* kNotANumber = "a value is no number";
constexpr const char* kNotBlocked = "a blocked cell is open";
constexpr const char* kBadValue = "a cell holds neither a tile nor -1";
constexpr const char* kTwice = "a tile stands twice";
constexpr const char* kMissing = "a tile is missing";

int Index(int aColumn, int aRow) {
    return aRow * MGDravoBoxPuzzle::kSize + aColumn;
}

bool IsInner(int aColumn, int aRow) {
    return aColumn >= 1 && aColumn <= MGDravoBoxPuzzle::kInner && aRow >= 1 &&
           aRow <= MGDravoBoxPuzzle::kInner;
}

bool IsNotch(int aColumn, int aRow) {
    for (const auto& notch : kNotches) {
        if (notch[0] == aRow && notch[1] == aColumn) {
            return true;
        }
    }
    return false;
}

// A whole number of at most kMaxDigits characters, with an optional "-".
bool ParseNumber(const VoString& aText, int* apValue) {
    const int length = aText.GetLength();
    const bool negative = length > 0 && aText.GetAt(0) == u'-';
    const int first = negative ? 1 : 0;
    if (length <= first || length > kMaxDigits) {
        return false;
    }
    int value = 0;
    for (int i = first; i < length; ++i) {
        const char16_t c = aText.GetAt(i);
        if (c < u'0' || c > u'9') {
            return false;
        }
        value = value * 10 + (c - u'0');
    }
    *apValue = negative ? -value : value;
    return true;
}

int Distance(int aA, int aB) {
    return aA > aB ? aA - aB : aB - aA;
}

}  // namespace

MGDravoBoxPuzzle* MGDravoBoxPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGDravoBoxPuzzle(); });
}

MGDravoBoxPuzzle::MGDravoBoxPuzzle()
    : fpRoot(nullptr),
      fpLayout(nullptr),
      fTiles(kTileCapacity, kTileIncrement),
      fBoard{},
      fColumnX{},
      fRowY{},
      fSolvable(false) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    ClearBoard();
}

MGDravoBoxPuzzle::~MGDravoBoxPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    fVoice.Stop();
    DeleteTiles();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
}

void MGDravoBoxPuzzle::ClearBoard() {
    for (int i = 0; i < kCells; ++i) {
        fBoard[i] = kBlocked;
    }
    for (const auto& notch : kNotches) {
        fBoard[Index(notch[1], notch[0])] = kFree;
    }
}

void MGDravoBoxPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpLayout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    ClearBoard();
    ReadGrid(fpLayout);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::BuildGroupInto(fpRoot, fpLayout, MGPuzzleFrame::kBackgroundPath);
    BuildTiles(fpLayout);
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, fpLayout, MGPuzzleFrame::kBackButtonPath, this);
    ArrangeTiles();
    PlaceTiles();
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGDravoBoxPuzzle::ReadGrid(VoPropertyList* apLayout) {
    bool found = false;
    const VoVectorFloat columns =
        apLayout != nullptr ? apLayout->GetVectorFloat(VoString(kColumnsPath), &found) : VoVectorFloat();
    const VoVectorFloat rows =
        apLayout != nullptr ? apLayout->GetVectorFloat(VoString(kRowsPath), &found) : VoVectorFloat();
    if (columns.GetCount() < kSize || rows.GetCount() < kSize) {
        VO_ASSERT_FAILURE(kBadGrid);
    }
    for (int i = 0; i < kSize; ++i) {
        fColumnX[i] = i < columns.GetCount() ? columns.GetAt(i) : 0.0f;
        fRowY[i] = i < rows.GetCount() ? rows.GetAt(i) : 0.0f;
    }
}

void MGDravoBoxPuzzle::BuildTiles(VoPropertyList* apLayout) {
    const bool hard = MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kHard;
    VoPropertyList* entries =
        apLayout != nullptr ? apLayout->GetList(VoString(hard ? kHardPiecesPath : kPiecesPath)) : nullptr;
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        MGDravoBoxPiece* tile = VO_NEW MGDravoBoxPiece();
        if (tile == nullptr || !tile->Create(this, entries->GetListAt(i))) {
            delete tile;
            continue;
        }
        if (!MGPuzzleFrame::AddMember(fpRoot, tile->GetGroup()) || !fTiles.Add(tile)) {
            delete tile;
        }
    }
    fSolvable = fTiles.GetCount() == kTileCount;
    if (!fSolvable) {
        // A board of another count would hold numbers no tile has, or tiles
        // without a cell: no board at all, and nothing to solve.
        VO_ERROR(kBadTileCount, fTiles.GetCount());
        for (int i = 0; i < fTiles.GetCount(); ++i) {
            auto* tile = static_cast<MGDravoBoxPiece*>(fTiles.GetAt(i));
            VoDisplayGroup* group = tile->GetGroup();
            delete tile;
            // It leaves the root group as it goes.
            delete group;
        }
        fTiles.Clear();
        return;
    }
    for (int i = 0; i < kTileCount; ++i) {
        fBoard[Index(1 + i % kInner, 1 + i / kInner)] = i;
    }
}

void MGDravoBoxPuzzle::ArrangeTiles() {
    if (!fSolvable) {
        return;
    }
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* stored = states != nullptr ? states->GetState(VoString(kBoardState)) : nullptr;
    if (stored == nullptr) {
        Shuffle();
        return;
    }
    const VoString* text =
        stored->GetType() == VoIState::kString ? static_cast<const VoString*>(stored->GetValue()) : nullptr;
    int board[kCells];
    const char* reason = kNotANumber;
    if (text != nullptr && ParseBoard(*text, board, &reason)) {
        for (int i = 0; i < kCells; ++i) {
            fBoard[i] = board[i];
        }
        return;
    }
    VO_ERROR(kBadStoredBoard, reason);
    Shuffle();
}

void MGDravoBoxPuzzle::Shuffle() {
    for (int swap = 0; swap < kShuffleSwaps; ++swap) {
        const int a = std::rand();
        const int b = std::rand();
        const int c = std::rand();
        const int d = std::rand();
        const int first = Index(1 + a % kInner, 1 + b % kInner);
        const int second = Index(1 + c % kInner, 1 + d % kInner);
        const int held = fBoard[first];
        fBoard[first] = fBoard[second];
        fBoard[second] = held;
    }
}

bool MGDravoBoxPuzzle::ParseBoard(const VoString& aText, int* apBoard, const char** appReason) {
    VoVectorString parts;
    aText.Split(VoString(u"|"), &parts);
    if (parts.GetCount() != kCells) {
        *appReason = kWrongCount;
        return false;
    }
    for (int i = 0; i < kCells; ++i) {
        if (!ParseNumber(parts.GetAt(i), &apBoard[i])) {
            *appReason = kNotANumber;
            return false;
        }
    }
    bool seen[kTileCount] = {};
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            const int value = apBoard[Index(column, row)];
            if (!IsInner(column, row) && !IsNotch(column, row)) {
                if (value != kBlocked) {
                    *appReason = kNotBlocked;
                    return false;
                }
                continue;
            }
            if (value == kFree) {
                continue;
            }
            if (value < 0 || value >= kTileCount) {
                *appReason = kBadValue;
                return false;
            }
            if (seen[value]) {
                *appReason = kTwice;
                return false;
            }
            seen[value] = true;
        }
    }
    for (bool tile : seen) {
        if (!tile) {
            *appReason = kMissing;
            return false;
        }
    }
    return true;
}

void MGDravoBoxPuzzle::PlaceTiles() {
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            if (MGDravoBoxPiece* tile = GetTile(fBoard[Index(column, row)])) {
                Place(tile, column, row);
            }
        }
    }
}

void MGDravoBoxPuzzle::Place(MGDravoBoxPiece* apTile, int aColumn, int aRow) {
    apTile->SetCell(aColumn, aRow);
    if (VoDisplayGroup* group = apTile->GetGroup()) {
        group->SetPosition(fColumnX[aColumn], fRowY[aRow]);
    }
}

MGDravoBoxPiece* MGDravoBoxPuzzle::GetTile(int aNumber) const {
    return aNumber >= 0 && aNumber < fTiles.GetCount() ? static_cast<MGDravoBoxPiece*>(fTiles.GetAt(aNumber))
                                                       : nullptr;
}

int MGDravoBoxPuzzle::GetCell(int aColumn, int aRow) const {
    return aColumn >= 0 && aColumn < kSize && aRow >= 0 && aRow < kSize ? fBoard[Index(aColumn, aRow)]
                                                                        : kBlocked;
}

float MGDravoBoxPuzzle::GetColumnX(int aColumn) const {
    return aColumn >= 0 && aColumn < kSize ? fColumnX[aColumn] : 0.0f;
}

float MGDravoBoxPuzzle::GetRowY(int aRow) const {
    return aRow >= 0 && aRow < kSize ? fRowY[aRow] : 0.0f;
}

void MGDravoBoxPuzzle::SetTilesLocked(bool aLocked) {
    for (int i = 0; i < fTiles.GetCount(); ++i) {
        static_cast<MGDravoBoxPiece*>(fTiles.GetAt(i))->SetLocked(aLocked);
    }
}

void MGDravoBoxPuzzle::Grab(MGDravoBoxPiece* apTile) {
    const int column = apTile->GetColumn();
    const int row = apTile->GetRow();
    apTile->SetFreeDirections(row > 0 && GetCell(column, row - 1) == kFree,
                              row < kSize - 1 && GetCell(column, row + 1) == kFree,
                              column > 0 && GetCell(column - 1, row) == kFree,
                              column < kSize - 1 && GetCell(column + 1, row) == kFree);
    // The pressed tile ignores the lock.
    SetTilesLocked(true);
}

void MGDravoBoxPuzzle::SetSlideLimits(MGDravoBoxPiece* apTile, int aAxis) {
    const int column = apTile->GetColumn();
    const int row = apTile->GetRow();
    if (aAxis == MGDravoBoxPiece::kVertical) {
        int low = row;
        int high = row;
        while (low > 0 && GetCell(column, low - 1) == kFree) {
            --low;
        }
        while (high < kSize - 1 && GetCell(column, high + 1) == kFree) {
            ++high;
        }
        apTile->SetSlideLimits(GetRowY(low), GetRowY(high));
        return;
    }
    int low = column;
    int high = column;
    while (low > 0 && GetCell(low - 1, row) == kFree) {
        --low;
    }
    while (high < kSize - 1 && GetCell(high + 1, row) == kFree) {
        ++high;
    }
    apTile->SetSlideLimits(GetColumnX(low), GetColumnX(high));
}

void MGDravoBoxPuzzle::Drop(MGDravoBoxPiece* apTile) {
    VoDisplayGroup* group = apTile->GetGroup();
    VoVector2 world;
    if (group != nullptr) {
        group->GetWorldPosition(world);
    }
    const int x = static_cast<int>(world.x);
    const int y = static_cast<int>(world.y);
    const int own = Index(apTile->GetColumn(), apTile->GetRow());
    int best = own;
    int bestX = Distance(x, static_cast<int>(GetColumnX(apTile->GetColumn())));
    int bestY = Distance(y, static_cast<int>(GetRowY(apTile->GetRow())));
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            const int cell = Index(column, row);
            if (fBoard[cell] != kFree && cell != own) {
                continue;
            }
            const int dx = Distance(x, static_cast<int>(fColumnX[column]));
            const int dy = Distance(y, static_cast<int>(fRowY[row]));
            // Not greater: on equal distances the later cell wins.
            if (dx <= bestX && dy <= bestY) {
                best = cell;
                bestX = dx;
                bestY = dy;
            }
        }
    }
    const int number = fBoard[own];
    fBoard[own] = kFree;
    fBoard[best] = number;
    Place(apTile, best % kSize, best / kSize);
    SetTilesLocked(false);
    CheckSolution();
}

bool MGDravoBoxPuzzle::CheckSolution() {
    if (!fSolvable) {
        return false;
    }
    for (int row = 1; row <= kInner; ++row) {
        for (int column = 1; column <= kInner; ++column) {
            if (fBoard[Index(column, row)] != (row - 1) * kInner + (column - 1)) {
                return false;
            }
        }
    }
    SetTilesLocked(true);
    // The movie's screen comes over the puzzle, which leaves by its fade.
    MGPuzzleFrame::RunOpening(this, kOpening, false);
    return true;
}

VoString MGDravoBoxPuzzle::BoardText() const {
    VoString text(u"");
    for (int value : fBoard) {
        text.Append(static_cast<std::int32_t>(value));
        text.Append(u"|");
    }
    return text;
}

void MGDravoBoxPuzzle::StoreBoard() {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = states != nullptr ? VO_NEW VoIState() : nullptr;
    const VoString text = BoardText();
    if (state == nullptr || !state->Set(VoString(kBoardState), VoIState::kString, &text) ||
        !states->AddState(state, false, true)) {
        delete state;
    }
}

void MGDravoBoxPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::HideMultiCursor();
    const bool easy = MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy;
    fVoice.PlayLine(VoString(easy ? kEasyLine : kLine), kStream, this);
}

void MGDravoBoxPuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
        fpRoot->Validate();
    }
}

void MGDravoBoxPuzzle::OnLeaveEnd() {
    // The voice-over plays on; its end hides its subtitle.
    DeleteTiles();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
    fpLayout = nullptr;
    ClearBoard();
    MGPuzzleFrame::LeaveScreen(true);
}

void MGDravoBoxPuzzle::DeleteTiles() {
    // Each tile leaves the mouse; their groups go with the root group.
    for (int i = 0; i < fTiles.GetCount(); ++i) {
        delete static_cast<MGDravoBoxPiece*>(fTiles.GetAt(i));
    }
    fTiles.Clear();
}

void MGDravoBoxPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick || !aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        return;
    }
    StoreBoard();
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGDravoBoxPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

void MGDravoBoxPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

VoString MGDravoBoxPuzzle::ToString() const {
    return VoDebugString("MGDravoBoxPuzzle", this);
}
