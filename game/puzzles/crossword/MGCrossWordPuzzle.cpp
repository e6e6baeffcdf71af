#include "puzzles/crossword/MGCrossWordPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoNumberText.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"
#include "util/MGListening.h"

namespace {

VoCleanerSingleton<MGCrossWordPuzzle, MGCleanerHome> gInstance;

constexpr const char16_t* kCirclePaths[MGCrossWordPuzzle::kCircleCount] = {
    u"groups.g05-circle1", u"groups.g06-circle2", u"groups.g07-circle3", u"groups.g08-circle4"};
// The circles in the order they are shown, and the wait after each.
constexpr int kRevealOrder[MGCrossWordPuzzle::kCircleCount] = {3, 1, 4, 2};
constexpr double kRevealWait[MGCrossWordPuzzle::kCircleCount - 1] = {1.2, 1.4, 1.0};

VoString WordKey(const char16_t* apDirection, int aNumber) {
    VoString key(apDirection);
    key.Append(u".");
    key.Append(aNumber);
    return key;
}

bool IsCellText(char aCharacter) {
    return (aCharacter >= 'a' && aCharacter <= 'z') || (aCharacter >= 'A' && aCharacter <= 'Z') ||
           (aCharacter >= '0' && aCharacter <= '9') || aCharacter == ' ';
}

}  // namespace

bool MGCrossWordPuzzle::CellAt(float aX, float aY, int* apRow, int* apColumn) {
    if (!(aX > kAreaLeft && aX < kAreaRight && aY > kAreaTop && aY < kAreaBottom)) {
        return false;
    }
    *apColumn = 1 + static_cast<int>((aX - kFirstColumnX) * kPerColumn);
    *apRow = 1 + static_cast<int>((aY - kFirstRowY) * kPerRow);
    return true;
}

VoString MGCrossWordPuzzle::CellKey(int aRow, int aColumn) {
    VoString key;
    key.Append(aRow);
    key.Append(u"_");
    key.Append(aColumn);
    return key;
}

MGCrossWordPuzzle* MGCrossWordPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGCrossWordPuzzle(); });
}

MGCrossWordPuzzle::MGCrossWordPuzzle()
    : fpGrid(nullptr),
      fpWords(nullptr),
      fpRoot(nullptr),
      fpFold(nullptr),
      fpHighlight(nullptr),
      fpCursor(nullptr),
      fpCircles{},
      fDirection(kAcrossDirection),
      fWordNumber(0),
      fCursorColumn(-1),
      fCursorRow(-1),
      fRevealStep(0),
      fSolved(false),
      fVoiceEnded(false),
      fLineMissing(false),
      fNextReveal(0.0),
      fColumnX(kGridSize, kGridSize),
      fRowY(kGridSize, kGridSize),
      fpEntries{},
      fpPrinted{},
      fLetterCell{},
      fLetterCells(0),
      fTyping(false),
      fInMouse(false),
      fInKeys(false),
      fInFrames(false) {}

MGCrossWordPuzzle::~MGCrossWordPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    MGListenToKeys(this, MGPuzzleFrame::kListenerOrder, false, &fInKeys);
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    fVoice.Stop();
    ForgetCells();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpGrid;
    delete fpWords;
}

VoSprite* MGCrossWordPuzzle::GetCircle(int aNumber) const {
    return aNumber >= 1 && aNumber <= kCircleCount ? fpCircles[aNumber - 1] : nullptr;
}

VoTextArea* MGCrossWordPuzzle::GetEntryCell(int aRow, int aColumn) const {
    return aRow >= 1 && aRow <= kGridSize && aColumn >= 1 && aColumn <= kGridSize
               ? fpEntries[aRow - 1][aColumn - 1]
               : nullptr;
}

VoTextArea* MGCrossWordPuzzle::GetPrintedCell(int aRow, int aColumn) const {
    return aRow >= 1 && aRow <= kGridSize && aColumn >= 1 && aColumn <= kGridSize
               ? fpPrinted[aRow - 1][aColumn - 1]
               : nullptr;
}

void MGCrossWordPuzzle::Build() {
    fSolved = false;
    fTyping = false;
    fRevealStep = 0;
    fVoiceEnded = false;
    fLineMissing = false;
    ClearSelection(false);
    fpGrid = MGPuzzleFrame::LoadLayout(kGridFile);
    fpWords = MGPuzzleFrame::LoadLayout(kWordFile);
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    fpRoot = MGPuzzleFrame::BuildGroup(layout, MGPuzzleFrame::kBackgroundPath);
    BuildOverlays(layout);
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, MGPuzzleFrame::kBackButtonPath, this);
    BuildCells(layout);
    delete layout;
    CheckGrid();
    VoPropertyList* across = fpWords != nullptr ? fpWords->GetList(VoString(kAcross)) : nullptr;
    VoPropertyList* down = fpWords != nullptr ? fpWords->GetList(VoString(kDown)) : nullptr;
    LogWordsOutside(across, kAcross);
    LogWordsOutside(down, kDown);
    FillWords(across, kAcross);
    FillWords(down, kDown);
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGCrossWordPuzzle::BuildOverlays(VoPropertyList* apLayout) {
    if (VoDisplayGroup* fold = MGPuzzleFrame::BuildGroup(apLayout, kFoldPath)) {
        fold->SetVisible(false);
        fpFold = MGPuzzleFrame::AddMember(fpRoot, fold) ? fold : nullptr;
    }
    fpHighlight = BuildOverlay(apLayout, kSelectionPath);
    if (fpHighlight != nullptr) {
        fpHighlight->SetBlend(kHighlightBlend);
    }
    fpCursor = BuildOverlay(apLayout, nullptr);
    for (int i = 0; i < kCircleCount; ++i) {
        fpCircles[i] = BuildOverlay(apLayout, kCirclePaths[i]);
    }
}

VoSprite* MGCrossWordPuzzle::BuildOverlay(VoPropertyList* apLayout, const char16_t* apPath) {
    // Without a path: the cursor, a second sprite of the selection's node.
    VoPropertyList* node = apLayout != nullptr
                               ? apLayout->GetList(VoString(apPath != nullptr ? apPath : kSelectionPath))
                               : nullptr;
    VoSprite* sprite = VoLayoutBuilder::BuildSprite(node);
    if (sprite == nullptr) {
        return nullptr;
    }
    if (apPath == nullptr) {
        sprite->SetId(VoString(kCursorId));
        sprite->SetBlend(kHighlightBlend);
    }
    sprite->SetVisible(false);
    sprite->SetRelativeZ(kOverlayZ);
    return MGPuzzleFrame::AddMember(fpRoot, sprite) ? sprite : nullptr;
}

void MGCrossWordPuzzle::BuildCells(VoPropertyList* apLayout) {
    bool found = false;
    fColumnX = apLayout != nullptr ? apLayout->GetVectorInt(VoString(kColumnsPath), &found) : VoVectorInt();
    fRowY = apLayout != nullptr ? apLayout->GetVectorInt(VoString(kRowsPath), &found) : VoVectorInt();
    if (fColumnX.GetCount() > kGridSize || fRowY.GetCount() > kGridSize) {
        VO_ERROR(kTooManyCoords);
    }
    const int rows = fRowY.GetCount() < kGridSize ? fRowY.GetCount() : kGridSize;
    const int columns = fColumnX.GetCount() < kGridSize ? fColumnX.GetCount() : kGridSize;
    for (int r = 0; fpRoot != nullptr && r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const auto x = static_cast<float>(fColumnX.GetAt(c));
            const auto y = static_cast<float>(fRowY.GetAt(r));
            fpEntries[r][c] = MakeCell(kEntryPrefix, r, c, kEntryFont, x + kEntryDx, y + kEntryDy, true);
            fpPrinted[r][c] = MakeCell(kPrintPrefix, r, c, kPrintFont, x + kPrintDx, y + kPrintDy, false);
        }
    }
}

VoTextArea* MGCrossWordPuzzle::MakeCell(const char16_t* apPrefix, int aRow, int aColumn,
                                        const char16_t* apFont, float aX, float aY, bool aVisible) {
    VoTextArea* cell = VO_NEW VoTextArea();
    VoString id(apPrefix);
    id.Append(aRow);
    id.Append(u"_");
    id.Append(aColumn);
    if (cell == nullptr || !cell->Create(VoString(apFont)) || !cell->SetId(id)) {
        delete cell;
        return nullptr;
    }
    cell->SetPosition(aX, aY);
    cell->SetRelativeZ(kCellZ);
    cell->SetSingleLine(false);
    cell->SetWordWrap(true);
    // The cell's height is left as it is: text areas take no height.
    cell->SetWidth(kCellSize);
    cell->SetText(u"");
    cell->SetVisible(aVisible);
    return MGPuzzleFrame::AddMember(fpRoot, cell) ? cell : nullptr;
}

void MGCrossWordPuzzle::CheckGrid() {
    fLetterCells = 0;
    for (auto& row : fLetterCell) {
        for (bool& cell : row) {
            cell = false;
        }
    }
    for (int i = 0; fpGrid != nullptr && i < fpGrid->GetCount(); ++i) {
        const VoString key = fpGrid->GetKeyAt(i);
        const int split = key.Find(u"_");
        const int row = split > 0 ? VoNumberText::ParseInt(key.SubString(0, split)) : 0;
        const int column =
            split > 0 ? VoNumberText::ParseInt(key.SubString(split + 1, key.GetLength() - split - 1)) : 0;
        if (GetEntryCell(row, column) == nullptr || GetPrintedCell(row, column) == nullptr) {
            VO_ERROR(kKeyOutside, key);
            continue;
        }
        if (!fLetterCell[row - 1][column - 1]) {
            fLetterCell[row - 1][column - 1] = true;
            ++fLetterCells;
        }
    }
}

void MGCrossWordPuzzle::LogWordsOutside(VoPropertyList* apSection, const char16_t* apDirection) {
    const bool down = VoString(apDirection).Equals(kDown);
    for (int i = 0; apSection != nullptr && i < apSection->GetCount(); ++i) {
        if (!ReadWord(apSection->GetListAt(i), down).fFits) {
            VO_ERROR(kWordOutside, VoString(apDirection), u".", apSection->GetKeyAt(i));
        }
    }
}

MGCrossWordPuzzle::Word MGCrossWordPuzzle::ReadWord(int aNumber, bool aDown) const {
    VoPropertyList* entry =
        fpWords != nullptr ? fpWords->GetList(WordKey(aDown ? kDown : kAcross, aNumber)) : nullptr;
    return ReadWord(entry, aDown);
}

MGCrossWordPuzzle::Word MGCrossWordPuzzle::ReadWord(VoPropertyList* apEntry, bool aDown) const {
    Word word;
    word.fDown = aDown;
    if (apEntry == nullptr) {
        return word;
    }
    bool found = false;
    word.fAnswer = apEntry->GetString(VoString(u"answer"), &found);
    word.fColumn = apEntry->GetInt(VoString(u"column"), &found);
    word.fRow = apEntry->GetInt(VoString(u"row"), &found);
    word.fLength = apEntry->GetInt(VoString(aDown ? u"height" : u"width"), &found);
    word.fFits = word.fColumn > 0 && word.fRow > 0 && word.fLength > 0 && word.fLength <= kGridSize;
    for (int i = 0; word.fFits && i < word.fLength; ++i) {
        word.fFits = GetEntryCell(word.RowAt(i), word.ColumnAt(i)) != nullptr &&
                     GetPrintedCell(word.RowAt(i), word.ColumnAt(i)) != nullptr;
    }
    return word;
}

void MGCrossWordPuzzle::FillWords(VoPropertyList* apSection, const char16_t* apDirection) {
    VoEventManager* events = VoEventManager::GetInstance();
    const bool down = VoString(apDirection).Equals(kDown);
    const int skill = MGPuzzleFrame::GetSkillLevel();
    for (int i = 0; apSection != nullptr && i < apSection->GetCount(); ++i) {
        VoPropertyList* entry = apSection->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        VoString event(kWordEventPrefix);
        event.Append(apDirection);
        event.Append(u"_");
        event.Append(apSection->GetKeyAt(i));
        bool found = false;
        const VoString level = entry->GetString(VoString(u"level"), &found);
        const bool given = (level.EqualsNoCase(kNovice) && skill == MGPuzzleFrame::kEasy) ||
                           (level.EqualsNoCase(kStandard) && skill <= MGPuzzleFrame::kMedium);
        if ((events != nullptr && events->HasEvent(event)) || given) {
            PrintWord(ReadWord(entry, down), false);
        }
    }
}

void MGCrossWordPuzzle::PrintWord(const Word& aWord, bool aFromEntries) {
    if (!aWord.fFits) {
        return;
    }
    for (int i = 0; i < aWord.fLength; ++i) {
        VoTextArea* entry = GetEntryCell(aWord.RowAt(i), aWord.ColumnAt(i));
        VoTextArea* printed = GetPrintedCell(aWord.RowAt(i), aWord.ColumnAt(i));
        if (aFromEntries) {
            printed->SetText(entry->GetText());
        } else {
            const VoString letter = aWord.fAnswer.SubString(i, 1);
            printed->SetText(letter);
            entry->SetText(letter);
        }
        printed->SetVisible(true);
        entry->SetVisible(false);
    }
}

bool MGCrossWordPuzzle::NumbersAt(int aRow, int aColumn, int* apAcross, int* apDown) const {
    *apAcross = 0;
    *apDown = 0;
    if (fpGrid == nullptr || GetEntryCell(aRow, aColumn) == nullptr) {
        return false;
    }
    bool found = false;
    const VoVectorInt numbers = fpGrid->GetVectorInt(CellKey(aRow, aColumn), &found);
    if (!found) {
        return false;
    }
    numbers.GetAt(0, apAcross);
    numbers.GetAt(1, apDown);
    return true;
}

bool MGCrossWordPuzzle::IsEntryVisible(int aRow, int aColumn) const {
    VoTextArea* entry = GetEntryCell(aRow, aColumn);
    return entry != nullptr && entry->GetVisible();
}

void MGCrossWordPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::ListenToMouse(this, true, &fInMouse);
    MGListenToKeys(this, MGPuzzleFrame::kListenerOrder, true, &fInKeys);
    if (MGMultiCursor* menu = MGMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
}

void MGCrossWordPuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
        fpRoot->Validate();
    }
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    MGListenToKeys(this, MGPuzzleFrame::kListenerOrder, false, &fInKeys);
}

void MGCrossWordPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::ListenToMouse(this, false, &fInMouse);
    MGListenToKeys(this, MGPuzzleFrame::kListenerOrder, false, &fInKeys);
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    fVoice.Stop();
    ForgetCells();
    ClearSelection(false);
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpGrid;
    fpGrid = nullptr;
    delete fpWords;
    fpWords = nullptr;
    MGPuzzleFrame::LeaveScreen(true);
}

void MGCrossWordPuzzle::ForgetCells() {
    fpFold = nullptr;
    fpHighlight = nullptr;
    fpCursor = nullptr;
    for (VoSprite*& circle : fpCircles) {
        circle = nullptr;
    }
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            fpEntries[r][c] = nullptr;
            fpPrinted[r][c] = nullptr;
        }
    }
}

void MGCrossWordPuzzle::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    int row = 0;
    int column = 0;
    if (!CellAt(point.x, point.y, &row, &column)) {
        // Typing stops; the highlight stays where it is.
        fCursorRow = -1;
        fCursorColumn = -1;
        return;
    }
    Select(row, column);
}

void MGCrossWordPuzzle::Select(int aRow, int aColumn) {
    int across = 0;
    int down = 0;
    if (!NumbersAt(aRow, aColumn, &across, &down)) {
        return;
    }
    int number = fDirection == kAcrossDirection ? across : down;
    if (number == 0 || !IsEntryVisible(aRow, aColumn)) {
        ClearSelection(true);
        return;
    }
    if (aRow == fCursorRow && aColumn == fCursorColumn) {
        fDirection = fDirection == kAcrossDirection ? kDownDirection : kAcrossDirection;
        number = fDirection == kAcrossDirection ? across : down;
        if (number == 0) {
            ClearSelection(true);
            return;
        }
    }
    const bool isDown = fDirection == kDownDirection;
    VoPropertyList* entry =
        fpWords != nullptr ? fpWords->GetList(WordKey(isDown ? kDown : kAcross, number)) : nullptr;
    const Word word = ReadWord(entry, isDown);
    if (!word.fFits) {
        ClearSelection(true);
        return;
    }
    fWordNumber = number;
    fCurrentWord = word;
    if (fpHighlight != nullptr) {
        bool found = false;
        fpHighlight->SetPosition(entry->GetFloat(VoString(u"x"), &found),
                                 entry->GetFloat(VoString(u"y"), &found));
        fpHighlight->SetScale(entry->GetFloat(VoString(u"width"), &found),
                              entry->GetFloat(VoString(u"height"), &found));
        fpHighlight->SetVisible(true);
    }
    fCursorRow = aRow;
    fCursorColumn = aColumn;
    PlaceCursorSprite();
}

void MGCrossWordPuzzle::ClearSelection(bool aHide) {
    if (aHide) {
        if (fpHighlight != nullptr) {
            fpHighlight->SetVisible(false);
        }
        if (fpCursor != nullptr) {
            fpCursor->SetVisible(false);
        }
    }
    fCursorRow = -1;
    fCursorColumn = -1;
    if (!aHide) {
        fWordNumber = 0;
        fCurrentWord = Word();
    }
}

void MGCrossWordPuzzle::PlaceCursorSprite() {
    if (fpCursor == nullptr) {
        return;
    }
    if (fCursorRow < 1 || fpHighlight == nullptr || !fpHighlight->GetVisible()) {
        fpCursor->SetVisible(false);
        return;
    }
    // A cell exists, so both coordinate lists reach it.
    fpCursor->SetPosition(static_cast<float>(fColumnX.GetAt(fCursorColumn - 1)),
                          static_cast<float>(fRowY.GetAt(fCursorRow - 1)));
    fpCursor->SetVisible(true);
}

void MGCrossWordPuzzle::OnKeyUp(int aKey) {
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    if (fTyping || keyboard == nullptr || GetEntryCell(fCursorRow, fCursorColumn) == nullptr) {
        return;
    }
    const char character = keyboard->ScanCodeToChar(aKey);
    if (IsCellText(character)) {
        Type(character);
    } else if (character == kBackspace) {
        Erase();
    } else {
        return;
    }
    PlaceCursorSprite();
}

void MGCrossWordPuzzle::Type(char aCharacter) {
    const char text[2] = {aCharacter, 0};
    GetEntryCell(fCursorRow, fCursorColumn)->SetText(VoString(text).ToUpper());
    fTyping = true;
    CheckWord();
    const int last = fCurrentWord.fLength - 1;
    if (fCurrentWord.fDown) {
        while (fCursorRow < fCurrentWord.RowAt(last)) {
            ++fCursorRow;
            if (IsEntryVisible(fCursorRow, fCursorColumn)) {
                break;
            }
        }
    } else {
        while (fCursorColumn < fCurrentWord.ColumnAt(last)) {
            ++fCursorColumn;
            if (IsEntryVisible(fCursorRow, fCursorColumn)) {
                break;
            }
        }
    }
    fTyping = false;
}

void MGCrossWordPuzzle::Erase() {
    GetEntryCell(fCursorRow, fCursorColumn)->SetText(u"");
    if (fCurrentWord.fDown) {
        while (fCursorRow > fCurrentWord.fRow) {
            --fCursorRow;
            if (IsEntryVisible(fCursorRow, fCursorColumn)) {
                break;
            }
        }
    } else {
        while (fCursorColumn > fCurrentWord.fColumn) {
            --fCursorColumn;
            if (IsEntryVisible(fCursorRow, fCursorColumn)) {
                break;
            }
        }
    }
}

void MGCrossWordPuzzle::CheckWord() {
    int across = 0;
    int down = 0;
    if (!NumbersAt(fCursorRow, fCursorColumn, &across, &down)) {
        return;
    }
    if (across != 0) {
        CheckOneWord(across, false);
    }
    if (down != 0) {
        CheckOneWord(down, true);
    }
}

bool MGCrossWordPuzzle::CheckOneWord(int aNumber, bool aDown) {
    const Word word = ReadWord(aNumber, aDown);
    if (!word.fFits) {
        return false;
    }
    VoString joined;
    for (int i = 0; i < word.fLength; ++i) {
        joined.Append(GetEntryCell(word.RowAt(i), word.ColumnAt(i))->GetText());
    }
    if (!joined.EqualsNoCase(word.fAnswer)) {
        return false;
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        VoString event(kWordEventPrefix);
        event.Append(aDown ? kDown : kAcross);
        event.Append(u"_");
        event.Append(aNumber);
        events->AddEvent(event, true);
    }
    PrintWord(word, true);
    if (fDirection == (aDown ? kDownDirection : kAcrossDirection)) {
        if (fpHighlight != nullptr) {
            fpHighlight->SetVisible(false);
        }
        if (fpCursor != nullptr) {
            fpCursor->SetVisible(false);
        }
    }
    CheckSolution();
    return true;
}

void MGCrossWordPuzzle::CheckSolution() {
    if (fSolved || fLetterCells == 0) {
        return;
    }
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            if (fLetterCell[r][c] && fpPrinted[r][c]->GetText().GetLength() == 0) {
                return;
            }
        }
    }
    fSolved = true;
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    fLineMissing = !fVoice.PlayLine(VoString(kSolvedLine), kSolvedStream, this);
    if (fLineMissing) {
        VO_ASSERT_FAILURE("");
    }
    fRevealStep = 0;
    fVoiceEnded = fLineMissing;
    fNextReveal = MGPuzzleFrame::Now() + kFirstReveal;
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
}

void MGCrossWordPuzzle::OnUpdate() {
    const double now = MGPuzzleFrame::Now();
    if (now <= fNextReveal) {
        return;
    }
    if (fRevealStep < kCircleCount) {
        if (VoSprite* circle = GetCircle(kRevealOrder[fRevealStep])) {
            circle->SetVisible(true);
        }
        if (fRevealStep < kCircleCount - 1) {
            fNextReveal = now + kRevealWait[fRevealStep];
        } else if (fLineMissing) {
            // Nothing ends to start the fold's wait: it follows the last circle.
            fNextReveal = now + kFoldDelay;
        }
        ++fRevealStep;
        return;
    }
    if (fVoiceEnded) {
        if (fpFold != nullptr) {
            fpFold->SetVisible(true);
        }
        MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    }
}

void MGCrossWordPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
    if (fSolved) {
        fVoiceEnded = true;
        fNextReveal = MGPuzzleFrame::Now() + kFoldDelay;
    }
}

void MGCrossWordPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGCrossWordPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

VoString MGCrossWordPuzzle::ToString() const {
    return VoDebugString("MGCrossWordPuzzle", this);
}
