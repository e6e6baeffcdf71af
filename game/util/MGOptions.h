#pragma once
// The player's settings and their file "//dataroot/game/.options": the skill
// level (0 easy, 1 medium, 2 hard), six toggles and the movie volume.
// Option 0 set turns subtitles off; option 1 is the PDA's; options 2, 4 and
// 5 are the scene's and its audio's; the options screen sets all six.
//
// The file is exactly 32 bytes of little-endian values, no header:
//     0   int32    skill level
//     4   int32 x6 options 0 to 5
//     28  float32  volume
// It is loaded once, on first use, and saved only on request.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"

class MGOptions : public VoBase, public VoISerializable {
public:
    static constexpr const char* kCreationFailure = "MGOptions creation failure.";
    static constexpr const char* kLoadOpenFailure = "Error opening .options file during load";
    static constexpr const char* kLoadReadFailure = "Error reading .options file during load";
    static constexpr const char* kSaveOpenFailure = "Error opening .options file during save";
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char16_t* kPath = u"//dataroot/game/.options";

    static constexpr int kOptionCount = 6;
    static constexpr std::uint32_t kFileSize = 32;
    static constexpr int kDefaultSkillLevel = 1;
    static constexpr int kMaxSkillLevel = 2;
    static constexpr float kDefaultVolume = 1.0f;

    // Created on first use with the defaults, then loaded from the file, and
    // owned by the game's cleaner; null when it cannot be created.
    static MGOptions* GetInstance();

    // The defaults: skill 1, every option 0, volume 1.0. Reads no file.
    MGOptions();

    int GetSkillLevel() const { return fSkillLevel; }
    void SetSkillLevel(int aLevel) { fSkillLevel = aLevel; }
    // Index 0 to 5; another is refused with kInvalidArg (0, false).
    int GetOption(int aIndex) const;
    bool SetOption(int aIndex, int aValue);
    float GetVolume() const { return fVolume; }
    // Kept within 0..1; NaN gives 1.0.
    void SetVolume(float aVolume);

    // Reads the file. A missing, short or unreadable file leaves every field
    // as it was, logs why and gives false.
    bool Load();
    // Writes the file: the new content goes to a temporary file beside it,
    // which replaces the old one only once it is complete, so a failed save
    // keeps the earlier options. False, logged, on failure.
    bool Save();

    // The 32 bytes at the stream's position: all of them or nothing. What is
    // read is kept within range (skill 0..2, volume 0..1, NaN volume 1.0).
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    VoString ToString() const override;

private:
    std::int32_t fSkillLevel;
    std::int32_t fOptions[kOptionCount];
    float fVolume;
};
