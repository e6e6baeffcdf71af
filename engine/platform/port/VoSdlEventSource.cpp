#include "platform/port/VoSdlEventSource.h"

#include <SDL.h>

namespace {

struct ScanCodePair {
    SDL_Scancode fSdl;
    unsigned char fScanCode;
};

// SDL's scancodes (USB usages) and the set-1 codes of the same keys.
constexpr ScanCodePair kScanCodes[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_F13, 100},
    {SDL_SCANCODE_F14, 101},
    {SDL_SCANCODE_F15, 102},
    {SDL_SCANCODE_KP_EQUALS, 141},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_MUTE, 160},
    {SDL_SCANCODE_VOLUMEDOWN, 174},
    {SDL_SCANCODE_VOLUMEUP, 176},
    {SDL_SCANCODE_KP_COMMA, 179},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
    {SDL_SCANCODE_POWER, 222},
    {SDL_SCANCODE_SLEEP, 223},
};

// SDL scancode -> scan code, made once from the pairs.
struct ScanCodeTable {
    unsigned char fCodes[SDL_NUM_SCANCODES] = {};
    ScanCodeTable() {
        for (const ScanCodePair& pair : kScanCodes) {
            fCodes[pair.fSdl] = pair.fScanCode;
        }
    }
};

const ScanCodeTable& Table() {
    static const ScanCodeTable sTable;
    return sTable;
}

// SDL's buttons 1 left, 2 middle, 3 right, 4 and 5 the side buttons as device buttons.
int DeviceButton(Uint8 aSdlButton) {
    switch (aSdlButton) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        case SDL_BUTTON_X1:
            return 3;
        case SDL_BUTTON_X2:
            return 4;
        default:
            return -1;
    }
}

Uint32 FirstWindowId() {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    return window != nullptr ? SDL_GetWindowID(window) : 0;
}

bool Push(SDL_Event* apEvent) {
    return SDL_PushEvent(apEvent) == 1;
}

// Whether aEvent says something the platform listens to; if so, *apOut says it.
bool Translate(const SDL_Event& aEvent, VoPortEvent* apOut) {
    VoPortEvent event;
    switch (aEvent.type) {
        case SDL_QUIT:
            event.fKind = VoPortEvent::kQuit;
            break;
        case SDL_WINDOWEVENT:
            switch (aEvent.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    event.fKind = VoPortEvent::kQuit;
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    event.fKind = VoPortEvent::kFocusGained;
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    event.fKind = VoPortEvent::kFocusLost;
                    break;
                default:
                    return false;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event.fKind = aEvent.type == SDL_KEYDOWN ? VoPortEvent::kKeyDown : VoPortEvent::kKeyUp;
            event.fCode = VoSdlEventSource::ToScanCode(aEvent.key.keysym.scancode);
            if (event.fCode == 0) {
                return false;
            }
            break;
        case SDL_MOUSEMOTION: {
            // Outside relative mode SDL's motion is the pointer's position,
            // whatever the pointer, and its deltas are the changes between
            // positions in window units: the position is what to go by.
            SDL_Window* window =
                SDL_GetRelativeMouseMode() ? nullptr : SDL_GetWindowFromID(aEvent.motion.windowID);
            if (window != nullptr) {
                SDL_GetWindowSize(window, &event.fWidth, &event.fHeight);
            }
            if (event.fWidth > 0 && event.fHeight > 0) {
                event.fKind = VoPortEvent::kMousePosition;
                event.fX = aEvent.motion.x;
                event.fY = aEvent.motion.y;
            } else {
                event.fKind = VoPortEvent::kMouseMotion;
                event.fWidth = 0;
                event.fHeight = 0;
                event.fX = aEvent.motion.xrel;
                event.fY = aEvent.motion.yrel;
            }
            break;
        }
        case SDL_MOUSEWHEEL:
            event.fKind = VoPortEvent::kMouseWheel;
            event.fY = aEvent.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -aEvent.wheel.y : aEvent.wheel.y;
            if (event.fY == 0) {
                return false;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            event.fKind = aEvent.type == SDL_MOUSEBUTTONDOWN ? VoPortEvent::kMouseButtonDown
                                                             : VoPortEvent::kMouseButtonUp;
            event.fCode = DeviceButton(aEvent.button.button);
            if (event.fCode < 0) {
                return false;
            }
            break;
        default:
            return false;
    }
    *apOut = event;
    return true;
}

}  // namespace

bool VoSdlEventSource::Poll(VoPortEvent* apEvent) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) {
        return false;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (Translate(event, apEvent)) {
            return true;
        }
    }
    return false;
}

int VoSdlEventSource::ToScanCode(int aSdlScancode) {
    if (aSdlScancode < 0 || aSdlScancode >= SDL_NUM_SCANCODES) {
        return 0;
    }
    return Table().fCodes[aSdlScancode];
}

int VoSdlEventSource::ScancodeFromName(const char* apName) {
    if (apName == nullptr) {
        return 0;
    }
    return static_cast<int>(SDL_GetScancodeFromName(apName));
}

bool VoSdlEventSource::PushKey(int aSdlScancode, bool aDown) {
    SDL_Event event{};
    event.type = aDown ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = FirstWindowId();
    event.key.state = aDown ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(aSdlScancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(aSdlScancode));
    return Push(&event);
}

bool VoSdlEventSource::PushMotion(int aX, int aY) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = aX;
    event.motion.yrel = aY;
    return Push(&event);
}

bool VoSdlEventSource::PushPointer(int aX, int aY) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = FirstWindowId();
    event.motion.x = aX;
    event.motion.y = aY;
    return Push(&event);
}

bool VoSdlEventSource::PushWheel(int aNotches) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = FirstWindowId();
    event.wheel.y = aNotches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return Push(&event);
}

bool VoSdlEventSource::PushButton(int aSdlButton, bool aDown) {
    SDL_Event event{};
    event.type = aDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = FirstWindowId();
    event.button.button = static_cast<Uint8>(aSdlButton);
    event.button.state = aDown ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    return Push(&event);
}

bool VoSdlEventSource::PushFocus(bool aGained) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = FirstWindowId();
    event.window.event = aGained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    return Push(&event);
}

bool VoSdlEventSource::PushWindowClose() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = FirstWindowId();
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    return Push(&event);
}

bool VoSdlEventSource::PushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return Push(&event);
}
