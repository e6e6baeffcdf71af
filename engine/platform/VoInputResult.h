#pragma once
// Results of the input devices' calls, and their text in failure messages: the
// result's name, ": " and a description ("DIERR_NOTACQUIRED: ...").
enum class VoInputResult : int {
    kOk = 0,
    kNotAcquired,
    // The window is in the background: a foreground device cannot be had.
    kOtherAppHasPriority,
    kOutOfMemory,
};

const char* VoInputResultText(VoInputResult aResult);
