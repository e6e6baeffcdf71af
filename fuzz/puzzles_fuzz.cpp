// Runs one puzzle screen on arbitrary layout data. The first byte picks the
// puzzle; the rest is written as the puzzle's layout file (or its files, a
// zero byte after each) into a scratch folder (single-byte text, read as the
// puzzle reads it). The puzzle is opened by its activation state over a base
// screen, then driven by a run of actions drawn from the input's bytes:
// clicks and drags at the middle of any object of its screen (its buttons,
// pieces and keys among them), presses and releases elsewhere, frames of
// varying length, its state set true and false, keys or the events and
// states it hears; at the end it is closed and everything torn down. A
// crash, a read past an array or a leak fails it.
//
// Two textures are filed beforehand ("a.tga" 4 x 4 and "b.tga" 60 x 64), so
// layouts that name them build sprites with a size; no sound file opens.
// Further puzzles add a line to kPuzzles. The scratch folder is laid out as
// the data tree is: "//dataroot" is the folder, "//textures" its
// "textures", so a layout read under either name is the one written. What
// follows the layout's zero byte, when the input has one, is for a puzzle of
// one file to take before it opens (the Dravo box: its stored board).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MGIScreen.h"
#include "MGScreenManager.h"
#include "container/VoString.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "platform/VoISoundManager.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"
#include "puzzles/cigarband/MGCigarBandPuzzle.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/crossword/MGCrossWordPuzzle.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"
#include "puzzles/harppuzzle/MGHarpPuzzle.h"
#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/MGMapPuzzle.h"
#include "puzzles/painting/MGPaintingPuzzle.h"
#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"
#include "puzzles/receipt/MGReceiptPuzzle.h"
#include "puzzles/roomservice/MGRoomServicePuzzle.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"
#include "puzzles/velmire/MGVelmirePuzzle.h"
#include "render/VoTextureManager.h"
#include "startup/VoStartupCreators.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoFrameManager.h"
#include "support/FuzzSupport.h"
#include "support/FuzzTexture.h"
#include "system/VoIFileSystem.h"
#include "system/VoITimer.h"
#include "util/MGCleaner.h"
#include "util/MGGameReset.h"

namespace {

struct FuzzPuzzle {
    MGIScreen* (*fGet)();
    VoDisplayGroup* (*fRoot)();
    const char16_t* fActivation;
    const char* fFolder;
    const char* fLayout;
    // Keys a puzzle takes by name (the keypad's), or null.
    void (*fKey)(const VoString&);
    // Takes the bytes after the layout before the puzzle opens, or null.
    void (*fPrepare)(const std::uint8_t*, std::size_t) = nullptr;
};

template <typename Puzzle>
MGIScreen* ScreenOf() {
    return Puzzle::GetInstance();
}

template <typename Puzzle>
VoDisplayGroup* RootOf() {
    Puzzle* puzzle = Puzzle::GetInstance();
    return puzzle != nullptr ? puzzle->GetRootGroup() : nullptr;
}

void KeypadKey(const VoString& aKey) {
    if (MGCombinationLockPuzzle* keypad = MGCombinationLockPuzzle::GetInstance()) {
        keypad->OnKey(aKey);
    }
}

void AddEvent(const char16_t* apId) {
    VoEventManager::GetInstance()->AddEvent(VoString(apId), true);
}

void SetBoolean(const char16_t* apId, bool aValue) {
    VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"boolean"),
                                            VoString(aValue ? u"true" : u"false"), true);
}

// A new game or a load: the states and events go, the puzzles are told.
void NewGame() {
    VoStateManager::GetInstance()->ClearStates();
    VoEventManager::GetInstance()->ClearEvents();
    MGGameReset::GetInstance()->Notify();
}

constexpr int kBackspaceKey = 14;
constexpr int kReturnKey = 28;

// Keys as the keyboard sends them: "clear" by backspace, a name whose first
// character a key gives (letters in either case) by that key, anything else
// by return.
void TypedKey(const VoString& aKey) {
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    if (keyboard == nullptr) {
        return;
    }
    int code = kReturnKey;
    if (aKey.EqualsNoCase(u"clear")) {
        code = kBackspaceKey;
    } else if (aKey.GetLength() > 0) {
        char16_t wanted = aKey.GetAt(0);
        wanted = wanted >= u'A' && wanted <= u'Z' ? static_cast<char16_t>(wanted - u'A' + u'a') : wanted;
        for (int key = 0; key < VoKeyboard::kKeyCount; ++key) {
            if (wanted < 0x80 && keyboard->ScanCodeToChar(key) == static_cast<char>(wanted)) {
                code = key;
                break;
            }
        }
    }
    keyboard->KeyDown(code);
    keyboard->KeyUp(code);
}

void PaintingKey(const VoString& aKey) {
    if (aKey.EqualsNoCase(u"clear")) {
        NewGame();
    } else if (aKey.Equals(u"1")) {
        VoStateManager::GetInstance()->SetState(VoString(MGPaintingPuzzle::kPhotoState), VoString(u"string"),
                                                VoString(u"off"), true);
    }
}

void MapKey(const VoString& aKey) {
    const char16_t first = aKey.GetLength() > 0 ? aKey.GetAt(0) : u'\0';
    switch (first) {
        case u'1':
        case u'5':
            SetBoolean(first == u'1' ? MGMapPuzzle::kGateState : MGMapPuzzle::kTombstoneState, true);
            break;
        case u'0':
            SetBoolean(MGMapPuzzle::kGateState, false);
            break;
        case u'3':
            SetBoolean(MGMapPuzzle::kFourthState, true);
            break;
        case u'8':
            AddEvent(MGMapPuzzle::kSandcastleCue);
            break;
        default:
            NewGame();
            break;
    }
}

// The parts arrive by the lamp; "clear" starts a new game.
void ReceiptKey(const VoString& aKey) {
    if (aKey.EqualsNoCase(u"clear")) {
        NewGame();
        return;
    }
    const char16_t first = aKey.GetLength() > 0 ? aKey.GetAt(0) : u'\0';
    AddEvent(MGReceiptPuzzle::kParts[first % MGReceiptPuzzle::kPartCount].fLampEvent);
}

constexpr std::size_t kMaxBoardText = 4096;

// The stored board of the Dravo box, as text of single bytes.
void StoreBoard(const std::uint8_t* apData, std::size_t aSize) {
    std::u16string text;
    for (std::size_t i = 0; i < aSize && i < kMaxBoardText && apData[i] != 0; ++i) {
        text.push_back(static_cast<char16_t>(apData[i]));
    }
    VoStateManager::GetInstance()->SetState(VoString(MGDravoBoxPuzzle::kBoardState), VoString(u"string"),
                                            VoString(text.c_str()), false);
}

const FuzzPuzzle kPuzzles[] = {
    {&ScreenOf<MGCigarBandPuzzle>, &RootOf<MGCigarBandPuzzle>, MGCigarBandPuzzle::kActivationState,
     "cigar_bands", "puzzle_cigarband_layout.txt", nullptr},
    {&ScreenOf<MGCombinationLockPuzzle>, &RootOf<MGCombinationLockPuzzle>,
     MGCombinationLockPuzzle::kActivationState, "keypad", "keypad_layout.txt", &KeypadKey},
    {&ScreenOf<MGSlideBoxPuzzle>, &RootOf<MGSlideBoxPuzzle>, MGSlideBoxPuzzle::kActivationState, "sliderbox",
     "lockbox_puzzle_layout.txt", nullptr},
    {&ScreenOf<MGFloorSafePuzzle>, &RootOf<MGFloorSafePuzzle>, MGFloorSafePuzzle::kActivationState,
     "floorsafe", "floorsafe_puzzle_layout.txt", nullptr},
    {&ScreenOf<MGPOBoxPuzzle>, &RootOf<MGPOBoxPuzzle>, MGPOBoxPuzzle::kActivationState, "pobox",
     "POBox_layout.txt", nullptr},
    // The puzzles of events, held items and entries in order. The receipt's
    // and the chase photos' layouts are read under "//dataroot/textures",
    // the same folder here as "//textures".
    {&ScreenOf<MGPaintingPuzzle>, &RootOf<MGPaintingPuzzle>, MGPaintingPuzzle::kActivationState, "painting",
     "puzzle_painting_layout.txt", &PaintingKey},
    {&ScreenOf<MGMapPuzzle>, &RootOf<MGMapPuzzle>, MGMapPuzzle::kActivationState, "map_puzzle",
     "map_puzzle.txt", &MapKey},
    {&ScreenOf<MGCrossWordPuzzle>, &RootOf<MGCrossWordPuzzle>, MGCrossWordPuzzle::kActivationState,
     "crossword", "crossword_layout.txt|crossword_puzzle_grid.txt|crossword_puzzle_entries.txt", &TypedKey},
    {&ScreenOf<MGReceiptPuzzle>, &RootOf<MGReceiptPuzzle>, MGReceiptPuzzle::kActivationState,
     "receipt", "receipt_layout.txt", &ReceiptKey},
    {&ScreenOf<MGPCDesktopPuzzle>, &RootOf<MGPCDesktopPuzzle>, MGPCDesktopPuzzle::kActivationState,
     "pc_desktop", "layout.txt", nullptr},
    {&ScreenOf<MGChasePhotoPuzzle>, &RootOf<MGChasePhotoPuzzle>, MGChasePhotoPuzzle::kActivationState,
     "chasephotopuzzle", "JCPuzzle_layout.txt", nullptr},
    {&ScreenOf<MGHotelWindowPuzzle>, &RootOf<MGHotelWindowPuzzle>, MGHotelWindowPuzzle::kActivationState,
     "hotel_window", "layout.txt", nullptr},
    // The puzzles of tiles, free pieces and strings, and the two over other screens.
    {&ScreenOf<MGDravoBoxPuzzle>, &RootOf<MGDravoBoxPuzzle>, MGDravoBoxPuzzle::kActivationState, "dravobox",
     "dravo_layout.txt", nullptr, &StoreBoard},
    {&ScreenOf<MGRoomServicePuzzle>, &RootOf<MGRoomServicePuzzle>, MGRoomServicePuzzle::kActivationState,
     "roomservice_receipt", "receipt_layout.txt", nullptr, nullptr},
    {&ScreenOf<MGBaseballBatPuzzle>, &RootOf<MGBaseballBatPuzzle>, MGBaseballBatPuzzle::kActivationState,
     "baseball_bat", "bat_puzzle_layout.txt", nullptr, nullptr},
    {&ScreenOf<MGHarpPuzzle>, &RootOf<MGHarpPuzzle>, MGHarpPuzzle::kActivationState, "harppuzzle",
     "layout.txt", nullptr, nullptr},
    {&ScreenOf<MGVelmirePuzzle>, &RootOf<MGVelmirePuzzle>, MGVelmirePuzzle::kActivationState, "velmire",
     "layout.txt", &TypedKey, nullptr},
    {&ScreenOf<MGSurveillanceTapePuzzle>, &RootOf<MGSurveillanceTapePuzzle>,
     MGSurveillanceTapePuzzle::kActivationState, "surveillance_tapes", "layout.txt", nullptr, nullptr},
};
constexpr std::size_t kPuzzleCount = sizeof(kPuzzles) / sizeof(kPuzzles[0]);
constexpr std::size_t kMaxLayout = 0x20000;
constexpr int kActions = 48;
const char16_t* const kKeys[] = {u"1", u"5", u"0", u"3", u"8", u"clear", u"ENTER", u"A", u"."};

// The clock the actions move on.
class FuzzTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return sNow; }
    bool Reset() override {
        sNow = 0.0;
        return true;
    }
    static double sNow;
};
double FuzzTimer::sNow = 0.0;

// No sound file opens.
class SilentSoundManager : public VoISoundManager {
public:
    VoISoundPlayer* CreateSample(const VoString&, const VoString&) override { return nullptr; }
    VoISoundPlayer* CreateStream(const VoString&, const VoString&) override { return nullptr; }
};

// The screen under the puzzle.
class BaseScreen : public MGIScreen {
public:
    void OnLeaveBegin() override {}
    void OnLeaveEnd() override {}
    void OnEnter() override {}
};

void AddCreator(VoIObjectCreator* apCreator) {
    if (apCreator != nullptr && !VoRegistry::Get()->AddCreator(apCreator)) {
        delete apCreator;
    }
}

// The scratch folder, made once per process.
const std::string& ScratchFolder() {
    static const std::string sFolder = [] {
        char name[] = "/tmp/puzzles_fuzz_XXXXXX";
        const char* made = mkdtemp(name);
        return std::string(made != nullptr ? made : "/tmp");
    }();
    return sFolder;
}

// A puzzle of several files names them apart by "|" in fLayout; the input
// gives their texts in that order, a zero byte after each. Every file is read
// as text up to its first zero byte, as the engine reads it.
bool WriteLayout(const FuzzPuzzle& aPuzzle, const std::uint8_t* apData, std::size_t aSize) {
    const std::string folder = ScratchFolder() + "/textures/puzzles/" + aPuzzle.fFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return false;
    }
    const std::string names = aPuzzle.fLayout;
    std::size_t start = 0;
    std::size_t from = 0;
    while (start <= names.size()) {
        std::size_t end = names.find('|', start);
        end = end == std::string::npos ? names.size() : end;
        std::size_t length = 0;
        while (from + length < aSize && apData[from + length] != 0) {
            ++length;
        }
        std::ofstream out(folder + "/" + names.substr(start, end - start),
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(apData + from), static_cast<std::streamsize>(length));
        if (!out) {
            return false;
        }
        from = from + length < aSize ? from + length + 1 : aSize;
        start = end + 1;
    }
    return true;
}

void StartEngine() {
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    AddCreator(VO_NEW FuzzCreator<FuzzTexture>(u"texture"));
    AddCreator(VO_NEW FuzzCreator<FuzzTimer>(u"timer"));
    AddCreator(VO_NEW FuzzCreator<SilentSoundManager>(u"soundmanager"));
    VoStartupCreators::Register();
    FuzzTimer::sNow = 0.0;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    const VoString scratch(ScratchFolder().c_str());
    files->Mount(VoString(u"//textures"), VoString((ScratchFolder() + "/textures").c_str()));
    files->Mount(VoString(u"//scenes"), scratch);
    files->Mount(VoString(u"//sounds"), scratch);
    files->Mount(VoString(u"//dataroot"), scratch);
    VoTextureManager::GetInstance()->SetRoot(VoString(u"//textures"));
    FileTexture(u"a.tga", 4, 4);
    FileTexture(u"b.tga", 60, 64);
}

void Frame(double aSeconds) {
    FuzzTimer::sNow += aSeconds;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->Update();
    }
}

void SetState(const char16_t* apId, bool aValue) {
    VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"boolean"),
                                            VoString(aValue ? u"true" : u"false"), true);
}

// Every object of the tree, depth first.
void Collect(VoDisplayGroup* apGroup, std::vector<VoIDisplayObject*>& aOut) {
    for (int i = 0; apGroup != nullptr && i < apGroup->GetMemberCount(); ++i) {
        VoIDisplayObject* member = apGroup->GetMemberAt(i);
        aOut.push_back(member);
        Collect(dynamic_cast<VoDisplayGroup*>(member), aOut);
    }
}

VoVector2 MiddleOf(VoIDisplayObject* apObject) {
    VoPolygon outline;
    if (apObject == nullptr || !apObject->GetWorldBoundary(outline) || outline.GetNumPoints() == 0) {
        VoVector2 position;
        return apObject != nullptr ? apObject->GetWorldPosition(position) : position;
    }
    const VoRectangle box(outline);
    return VoVector2(box.x + box.width / 2.0f, box.y + box.height / 2.0f);
}

// A small generator over the input's bytes, so each input drives alike.
class Draws {
public:
    Draws(const std::uint8_t* apData, std::size_t aSize) {
        for (std::size_t i = 0; i < aSize; ++i) {
            fState = fState * 1099511628211ull ^ apData[i];
        }
    }
    std::uint32_t Next(std::uint32_t aBound) {
        fState = fState * 6364136223846793005ull + 1442695040888963407ull;
        return aBound == 0 ? 0 : static_cast<std::uint32_t>((fState >> 33) % aBound);
    }

private:
    std::uint64_t fState = 14695981039346656037ull;
};

void Drive(const FuzzPuzzle& aPuzzle, Draws& aDraws) {
    VoMouse* mouse = VoMouse::GetInstance();
    for (int action = 0; action < kActions; ++action) {
        std::vector<VoIDisplayObject*> objects;
        Collect(aPuzzle.fRoot(), objects);
        switch (aDraws.Next(8)) {
            case 0:
            case 1: {
                // A click at the middle of an object of the screen.
                VoIDisplayObject* target = objects.empty() ? nullptr : objects[aDraws.Next(objects.size())];
                const VoVector2 at = MiddleOf(target);
                mouse->Move(&at);
                mouse->ButtonDown(1);
                mouse->ButtonUp(1);
                break;
            }
            case 2: {
                // A drag from one object to a point anywhere.
                VoIDisplayObject* target = objects.empty() ? nullptr : objects[aDraws.Next(objects.size())];
                const VoVector2 from = MiddleOf(target);
                const VoVector2 to(static_cast<float>(aDraws.Next(900)) - 50.0f,
                                   static_cast<float>(aDraws.Next(700)) - 50.0f);
                mouse->Move(&from);
                mouse->ButtonDown(1 + static_cast<int>(aDraws.Next(2)));
                mouse->Move(&to);
                mouse->ButtonUp(1 + static_cast<int>(aDraws.Next(2)));
                break;
            }
            case 3:
                if (aPuzzle.fKey != nullptr) {
                    aPuzzle.fKey(VoString(kKeys[aDraws.Next(sizeof(kKeys) / sizeof(kKeys[0]))]));
                }
                break;
            case 4:
                SetState(aPuzzle.fActivation, aDraws.Next(4) != 0);
                break;
            default:
                Frame(0.005 * static_cast<double>(aDraws.Next(80)));
                break;
        }
    }
    // Whatever was started finishes or is torn down.
    for (int frame = 0; frame < 40; ++frame) {
        Frame(0.05);
    }
    SetState(aPuzzle.fActivation, false);
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGIScreen* puzzle = aPuzzle.fGet();
    if (screens != nullptr && screens->FindScreen(puzzle) >= 0 && !screens->IsBusy()) {
        screens->RemoveScreen(puzzle);
        puzzle->OnLeaveEnd();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0 || aSize > kMaxLayout) {
        return 0;
    }
    const FuzzPuzzle& puzzle = kPuzzles[apData[0] % kPuzzleCount];
    if (!WriteLayout(puzzle, apData + 1, aSize - 1)) {
        return 0;
    }
    StartEngine();
    {
        Draws draws(apData, aSize);
        BaseScreen base;
        MGScreenManager::GetInstance()->PushScreen(&base);
        if (puzzle.fGet() != nullptr) {
            // Start digits drawn alike for every run of the input.
            std::srand(1);
            const std::uint8_t* zero =
                static_cast<const std::uint8_t*>(std::memchr(apData + 1, 0, aSize - 1));
            if (puzzle.fPrepare != nullptr && zero != nullptr) {
                puzzle.fPrepare(zero + 1, static_cast<std::size_t>(apData + aSize - zero - 1));
            }
            SetState(puzzle.fActivation, true);
            for (int frame = 0; frame < 20; ++frame) {
                Frame(0.05);
            }
            Drive(puzzle, draws);
        }
        MGScreenManager::GetInstance()->Clear();
        delete MGCleaner::PeekInstance();
    }
    delete VoCleaner::PeekInstance();
    return 0;
}
