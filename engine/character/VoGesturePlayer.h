#pragma once
// Plays a gesture file (".gk"): a timed list of keys, each of which starts
// one animation on one bound character as a blending layer and then drives
// that layer's time along the key's curve. It runs as a frame listener (at
// order 0) on a clock of its own while it plays.
//
// The file is a property list with one section "keys"; each entry under it
// (any name, taken in file order) holds:
//     time=1500                     milliseconds after Play
//     character=Tom                 the id the character is bound under (any case)
//     type=ma_point.lia1            the animation (see below)
//     curve=0|0|1|1|2|1|3|0         x0|y0|x1|y1|... (seconds, 0..1)
//
// The type names the animation in the animation cache (root "//animations"):
// an engine path ("//...") as it stands; any other name T is filed under its
// head's folder and the character's gender, "/" + the first two units of T +
// "_" + G + "/" + T, G being "F" for a character bound as female before the
// file is loaded and "M" otherwise (ma_point.lia1 -> /ma_M/ma_point.lia1).
// A T that begins with "/" carries such a folder already ("/ma_M/"): its
// first six units are dropped first; one shorter than that names no
// animation.
//
// A curve of four or more numbers gives the control points; fewer give the
// default curve over the animation's length D: (0, 0), (0, 0), (D, 1),
// (D, 1), (D + 0.5, 1), (D + 0.5, 0), (D + 1, 0), forward over D seconds and
// back to the start within one second. Each frame a key's layer shows the
// animation at y x its length, y being the first curve sample at or after
// the time since the key started; once the curve has ended the layer is
// finished (the controller fades it out). When every key has started and
// ended the player leaves the frame manager and tells its listener.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "container/VoVectorInt.h"
#include "stdlib/VoIFrameListener.h"

class VoCharacter;
class VoGestureCurve;
class VoGestureKey;
class VoIGestureListener;
class VoITimer;
class VoPropertyList;
class VoStopWatch;

class VoGesturePlayer : public VoBase, public VoIFrameListener {
public:
    static constexpr const char* kKeysNotFound = "'keys' not found.";
    static constexpr const char* kTimeNotFound = "'time' not found.";
    static constexpr const char* kCharacterNotFound = "'character' not found.";
    static constexpr const char* kTypeNotFound = "'type' not found.";
    static constexpr const char* kCurveNotFound = "'curve' not found.";
    // An entry under "keys" that is not a section, a key that failed and
    // a failed LoadAnims after Load.
    static constexpr const char* kEmpty = "";
    static constexpr const char* kTypeTooShort = "Invalid type. Too short for a folder: ";
    static constexpr const char* kSetupCurveFailure = "SetupNewCurve failure.";
    static constexpr const char* kDuplicateId = "SetCharacter failure. Duplicate id:";
    static constexpr const char* kKeysUndefined = "LoadAnims failure. Keys undefined.";
    static constexpr const char* kCouldNotLoad = "LoadAnims falure. Could not load:";
    static constexpr const char* kAnimLengthFailure = "GetAnimLength failure.";
    static constexpr const char* kAnimLengthCouldNotLoad = "GetAnimLength falure. Could not load:";
    static constexpr const char* kNotLoaded = "Play failure. Anims not loaded.";
    static constexpr const char* kAnimationNull = "UpdateAnimation failure. Animation pointer NULL.";
    static constexpr const char* kCouldNotStart = "UpdateAnimation failure. Could not start animation.";
    static constexpr const char* kCharacterGone = "UpdateAnimation failure. Character pointer not found.";
    static constexpr const char* kCouldNotAllocate = "Could not allocate the keys.";

    static constexpr const char16_t* kAnimationRoot = u"//animations";
    static constexpr const char16_t* kKeysKey = u"keys";
    static constexpr const char16_t* kTimeKey = u"time";
    static constexpr const char16_t* kCharacterKey = u"character";
    static constexpr const char16_t* kTypeKey = u"type";
    static constexpr const char16_t* kCurveKey = u"curve";
    static constexpr float kFrameOrder = 0.0f;
    // The units a type beginning with "/" gives to its folder ("/ma_M/").
    static constexpr std::int32_t kFolderLength = 6;
    // The unit of a "/xx_G/..." path that holds the gender letter.
    static constexpr std::int32_t kGenderIndex = 4;
    // Curve values at or below these ends are taken as the ends.
    static constexpr float kLowEnd = 0.001f;
    static constexpr float kHighEnd = 0.999f;

    // The clock runs on the engine timer; no keys, no characters.
    VoGesturePlayer();
    // The clock runs on apTimer (not owned, outlives the player).
    explicit VoGesturePlayer(VoITimer* apTimer);
    // Leaves the frame manager, stops, frees the keys, curves and clock.
    ~VoGesturePlayer() override;
    VoGesturePlayer(const VoGesturePlayer&) = delete;
    VoGesturePlayer& operator=(const VoGesturePlayer&) = delete;

    // Reads the file and replaces the keys and curves by its keys (see
    // above), then loads their animations. False only when the file cannot
    // be read; missing values and failed keys are logged.
    bool Load(const VoString& aPath);
    // The same from a list already read.
    bool Load(VoPropertyList* apList);
    // Binds the character (not owned; it must outlive the binding) under the
    // lower-cased id; a bound id logs kDuplicateId and gives false. The
    // loaded keys of that id whose path is a "/xx_G/..." path of the other
    // gender take the character's letter and, when that file loads, its
    // animation; a key whose file of that gender does not load keeps its
    // path and animation.
    bool SetCharacter(const VoString& aId, VoCharacter* apCharacter);
    // The character bound under the id (any case); null when none is.
    VoCharacter* GetCharacter(const VoString& aId);
    // Unbinds the id (any case), so a character that goes away before the
    // player is no longer reached; false when it was not bound.
    bool RemoveCharacter(const VoString& aId);
    // Loads every key's animation through the animation cache, once: true
    // at once when they are loaded. False, logged, without keys and when an
    // animation could not be had.
    bool LoadAnims();
    // The length in seconds of the animation filed under aPath in the
    // animation cache (loaded for the question and dropped again unless it
    // was cached before); 0, logged, when it cannot be had.
    float GetAnimLength(const VoString& aPath);

    // Starts or continues playback (see the class comment). Without loaded
    // animations: kNotLoaded and nothing else. After Pause the clock goes on
    // from where it stood; otherwise it starts again from 0 (keys already
    // started are not started again).
    void Play();
    // Freezes the clock and leaves the frame manager (once).
    void Pause();
    // Back to the first key: leaves the frame manager, removes every
    // layer (slots 1 to 6) of every bound character, forgets the started
    // keys and rewinds the curves; neither playing nor paused.
    void Stop();
    // False for null and when a listener is set already.
    bool SetListener(VoIGestureListener* apListener);
    // Clears the listener when it is the one set.
    bool RemoveListener(VoIGestureListener* apListener);

    // One step of playback: starts the keys whose time has come, drives the
    // started keys' layers and ends the playback when all are done.
    void UpdateAnimation();
    // The frame manager's call: UpdateAnimation unless paused.
    void OnUpdate() override;

    bool IsPlaying() const { return fPlaying; }
    bool IsPaused() const { return fPaused; }
    bool IsLoaded() const { return fLoaded; }
    std::int32_t GetKeyCount() const { return fKeyCount; }
    // Null outside 0..count - 1.
    const VoGestureKey* GetKey(std::int32_t aIndex) const;
    const VoGestureCurve* GetCurve(std::int32_t aIndex) const;
    std::int32_t GetActiveKeyCount() const { return fActiveKeys.GetCount(); }
    std::int32_t GetNextKey() const { return fNextKey; }

    // The cache path a key's type names for a character of the given gender
    // (see the class comment); false, with aOut empty, for a "/" type too
    // short to hold its folder.
    static bool AnimationPathOf(const VoString& aType, bool aFemale, VoString& aOut);

private:
    // Takes the clock (owned).
    explicit VoGesturePlayer(VoStopWatch* apClock);
    void FreeKeys();
    // Reads entry aIndex of "keys" into the key and its control points.
    void ParseKey(VoPropertyList* apEntry, VoGestureKey* apKey);
    void JoinFrames();
    void LeaveFrames();

    std::int32_t fKeyCount;
    VoGestureKey* fpKeys;  // owned (VO_NEW[]), fKeyCount of them
    bool fPlaying;
    std::int32_t fNextKey;
    VoHashKeyList fCharacters;  // VoCharacter pointers, not owned, by lower-case id
    bool fLoaded;
    VoGestureCurve* fpCurves;  // owned (VO_NEW[]), one per key
    std::int32_t fCurveCount;
    VoVectorInt fActiveKeys;  // indices of started keys whose curve has not ended
    VoStopWatch* fpClock;     // owned
    bool fPaused;
    VoIGestureListener* fpListener;  // not owned; may be null
    bool fJoined;                    // registered with the frame manager
};
