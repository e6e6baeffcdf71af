#pragma once
// A puzzle's current sound: the one sound player a puzzle screen owns at a
// time (a hint or comment line, a solved line, a click, a buzz), with the
// subtitle a voice line showed. A puzzle keeps one as a member.
//
// Starting a sound first stops and deletes the one before it, and a line
// that goes before its end hides the subtitle it showed, so a line never
// plays over another and no subtitle outlives its line. A voice line is the
// stream "//sounds/" + line + ".ogg" with its text under the line's name in
// "//scenes/vo_subtitles.txt" (font "TW_CEN_MT16", the box at (0, 500)),
// played at the options' volume.
#include "container/VoString.h"

class VoISoundListener;
class VoISoundPlayer;

class MGPuzzleVoice {
public:
    static constexpr const char16_t* kSoundRoot = u"//sounds/";
    static constexpr const char16_t* kSoundExtension = u".ogg";
    static constexpr const char16_t* kSubtitleFile = u"//scenes/vo_subtitles.txt";
    static constexpr const char16_t* kSubtitleFont = u"TW_CEN_MT16";
    static constexpr float kSubtitleX = 0.0f;
    static constexpr float kSubtitleY = 500.0f;

    // The path of a voice line: "//sounds/" + line + ".ogg".
    static VoString LinePath(const VoString& aLine);
    // The line's text in the subtitle file; false when the file or the key is missing.
    static bool FindSubtitle(const VoString& aLine, VoString* apText);

    MGPuzzleVoice() = default;
    MGPuzzleVoice(const MGPuzzleVoice&) = delete;
    MGPuzzleVoice& operator=(const MGPuzzleVoice&) = delete;
    ~MGPuzzleVoice() { Stop(); }

    // Plays the voice line as a stream named apStreamName, telling apListener
    // (not owned; may be null) at its end, with its subtitle when the file
    // has one. False, nothing playing, when the stream cannot be made.
    bool PlayLine(const VoString& aLine, const char16_t* apStreamName, VoISoundListener* apListener);
    // The same with the subtitle in another font; with aHoldSubtitle the
    // subtitle box skips the next hide asked of it (MGSubtitle::SkipNextHide),
    // so that a hide meant for what showed before cannot take this line's.
    bool PlayLine(const VoString& aLine, const char16_t* apStreamName, VoISoundListener* apListener,
                  const char16_t* apFont, bool aHoldSubtitle);
    // Plays the file at apPath as a stream, without a subtitle.
    bool PlaySound(const char16_t* apStreamName, const VoString& aPath, VoISoundListener* apListener);
    // Deletes the player and hides the subtitle it showed. Also what a
    // puzzle calls when the sound has ended.
    void Stop();

    bool IsPlaying() const { return fpPlayer != nullptr; }
    // Owned; null when nothing plays.
    VoISoundPlayer* GetPlayer() const { return fpPlayer; }
    bool ShowsSubtitle() const { return fSubtitleShown; }

private:
    // A new stream at the options' volume, or null.
    static VoISoundPlayer* CreateStream(const char16_t* apStreamName, const VoString& aPath,
                                        VoISoundListener* apListener);

    VoISoundPlayer* fpPlayer = nullptr;  // owned
    bool fSubtitleShown = false;
};
