#pragma once
// What the interview fuzz targets share: a game whose timer the target sets
// and whose sound manager makes voice lines that end at the first frame
// after they started (EndAllSounds), textures without a device, and the
// stepping that plays interview sequences to their end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "object/VoRegistry.h"
#include "platform/VoISoundListener.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoFrameManager.h"
#include "FuzzSupport.h"
#include "FuzzTexture.h"
#include "util/MGCleaner.h"

// A voice line that plays nowhere; EndAllSounds ends it.
class FuzzVoice : public VoISoundPlayer {
public:
    FuzzVoice() { Live().push_back(this); }
    ~FuzzVoice() override {
        std::vector<FuzzVoice*>& live = Live();
        for (std::size_t i = 0; i < live.size(); ++i) {
            if (live[i] == this) {
                live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
    }
    static std::vector<FuzzVoice*>& Live() {
        static std::vector<FuzzVoice*> sLive;
        return sLive;
    }
    bool OpenStream(const VoString&) override { return true; }
    bool LoadSample(const VoString&) override { return true; }
    void Release() override {}
    void Pause() override {}
    void Play() override {}
    void Stop() override {}
    VoString GetName() const override { return VoString(u"voice"); }
    float GetLength() const override { return 1.0f; }
    float GetLevels() const override { return 0.0f; }
    float GetPosition() const override { return 0.0f; }
    bool IsFinished() const override { return false; }
    void Reserved(std::uint32_t) override {}
    void SetListener(VoISoundListener* apListener) override { fpListener = apListener; }
    void SetLoopCount(bool) override {}
    void Seek(float) override {}
    void SetVolume(float) override {}
    VoISoundListener* fpListener = nullptr;  // not owned
};

// Every other stream path ends in "temp.ogg" or not: the voice lines are
// missing and found by turns, so both roads are taken.
class FuzzVoices : public VoISoundManager {
public:
    VoISoundPlayer* CreateSample(const VoString&, const VoString&) override { return nullptr; }
    VoISoundPlayer* CreateStream(const VoString&, const VoString&) override {
        ++fCalls;
        return fCalls % 3 == 0 ? nullptr : VO_NEW FuzzVoice();
    }
    int fCalls = 0;
};

// Tells every live voice line's listener that it has ended (a listener may
// delete players: each is looked up again before it is told).
inline void EndAllSounds() {
    std::vector<FuzzVoice*> ending = FuzzVoice::Live();
    for (FuzzVoice* voice : ending) {
        bool alive = false;
        for (FuzzVoice* live : FuzzVoice::Live()) {
            alive = alive || live == voice;
        }
        if (alive && voice->fpListener != nullptr) {
            voice->fpListener->OnSoundEnd(voice->GetName());
        }
    }
}

// A new engine and game with the stand-ins above.
inline void StartInterviewGame() {
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoIObjectCreator* creators[] = {VO_NEW FuzzCreator<FuzzTexture>(u"texture"),
                                    VO_NEW FuzzCreator<FuzzTimer>(u"timer"),
                                    VO_NEW FuzzCreator<FuzzVoices>(u"soundmanager"),
                                    VO_NEW FuzzNullCreator(u"rasterizer")};
    for (VoIObjectCreator* creator : creators) {
        if (creator != nullptr && !VoRegistry::Get()->AddCreator(creator)) {
            delete creator;
        }
    }
    VoStartupCreators::Register();
}

inline void StopInterviewGame() {
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
}

// One frame at the clock's next step: the first 64 frames a tenth of a
// second apart, later ones so far apart that anything a data file can time
// is due at the next frame; then the voice lines end.
inline void InterviewFrame(int aFrame) {
    if (FuzzTimer* clock = dynamic_cast<FuzzTimer*>(VoITimer::GetInstance())) {
        clock->fNow = aFrame < 64 ? 0.1 * aFrame : 1.0e300 * (aFrame - 63);
    }
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->Update();
    }
    EndAllSounds();
}

// Splits the input at a two-byte little-endian length: the first part of
// that length (cut to what there is), the rest after it.
inline void SplitFuzzInput(const std::uint8_t* apData, std::size_t aSize, const std::uint8_t** appFirst,
                           std::size_t* apFirstSize, const std::uint8_t** appRest, std::size_t* apRestSize) {
    std::size_t length = aSize >= 2 ? static_cast<std::size_t>(apData[0] | (apData[1] << 8)) : 0;
    const std::size_t skip = aSize >= 2 ? 2 : aSize;
    if (length > aSize - skip) {
        length = aSize - skip;
    }
    *appFirst = apData + skip;
    *apFirstSize = length;
    *appRest = apData + skip + length;
    *apRestSize = aSize - skip - length;
}
