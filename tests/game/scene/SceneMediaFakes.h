#pragma once
// What the scene's audio, movie and light tests share: a game engine whose
// rasterizer and textures record (RecordingEngine's), whose sound and movie
// managers are fakes that write every call into one journal, and a timer
// the test sets.
//
//     SceneEngine engine;
//     FakeSoundPlayer* drip = FakeSoundPlayer::Find("drip");
//     drip->End();   // as the sound library would, when the sound has ended
//     EXPECT_EQ(MediaJournal::Take(), (Lines{"delete drip"}));
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "game/support/ScopedGame.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieListener.h"
#include "movie/VoIMovieManager.h"
#include "movie/VoIMoviePlayer.h"
#include "object/VoRegistry.h"
#include "object/VoServiceCreator.h"
#include "platform/VoISoundListener.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "render/VoITexture.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoAPIObjectManager.h"
#include "support/RecordingRasterizer.h"
#include "support/SetTimer.h"
#include "support/TestText.h"

using Lines = std::vector<std::string>;

// The calls of the fakes, in order, as short lines ("play drip").
class MediaJournal {
public:
    static Lines& Get() {
        static Lines sLines;
        return sLines;
    }
    static void Note(const std::string& aLine) { Get().push_back(aLine); }
    // The lines so far, forgotten.
    static Lines Take() {
        Lines lines;
        lines.swap(Get());
        return lines;
    }
    // The files that the fake managers cannot open (engine paths).
    static std::set<std::string>& Missing() {
        static std::set<std::string> sMissing;
        return sMissing;
    }
};

inline std::string Number(double aValue) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", aValue);
    return text;
}

// A sound that plays nowhere; End tells its listener, as the library does
// once the sound has run out.
class FakeSoundPlayer : public VoISoundPlayer {
public:
    FakeSoundPlayer(const VoString& aName, const VoString& aPath)
        : fName(Narrow(aName)), fPath(Narrow(aPath)) {
        Live().push_back(this);
    }
    ~FakeSoundPlayer() override {
        MediaJournal::Note("delete " + fName);
        Live().erase(std::find(Live().begin(), Live().end(), this));
    }

    // The newest live player of that name; null when none.
    static FakeSoundPlayer* Find(const std::string& aName) {
        for (auto it = Live().rbegin(); it != Live().rend(); ++it) {
            if ((*it)->fName == aName) {
                return *it;
            }
        }
        return nullptr;
    }
    static std::vector<FakeSoundPlayer*>& Live() {
        static std::vector<FakeSoundPlayer*> sLive;
        return sLive;
    }

    // The listener may delete the player.
    void End() {
        if (fpListener != nullptr) {
            fpListener->OnSoundEnd(VoString(fName.c_str()));
        }
    }

    bool OpenStream(const VoString&) override { return true; }
    bool LoadSample(const VoString&) override { return false; }
    void Release() override {}
    void Pause() override {}
    void Play() override { MediaJournal::Note("play " + fName); }
    void Stop() override { MediaJournal::Note("stop " + fName); }
    VoString GetName() const override { return VoString(fName.c_str()); }
    float GetLength() const override { return 1.0f; }
    float GetLevels() const override { return 0.0f; }
    float GetPosition() const override { return 0.0f; }
    bool IsFinished() const override { return false; }
    void Reserved(std::uint32_t) override {}
    void SetListener(VoISoundListener* apListener) override {
        fpListener = apListener;
        MediaJournal::Note("listener " + fName);
    }
    void SetLoopCount(bool aLoop) override {
        MediaJournal::Note("loop " + fName + " " + (aLoop ? "1" : "0"));
    }
    void Seek(float) override {}
    void SetVolume(float aScale) override { MediaJournal::Note("volume " + fName + " " + Number(aScale)); }
    VoString ToString() const override { return VoDebugString("FakeSoundPlayer", this); }

    std::string fName;
    std::string fPath;
    VoISoundListener* fpListener = nullptr;  // not owned
};

class FakeSoundManager : public VoISoundManager {
public:
    static constexpr char kStreamFailure[] = "CreateStream failure: ";

    VoISoundPlayer* CreateSample(const VoString&, const VoString&) override { return nullptr; }
    VoISoundPlayer* CreateStream(const VoString& aName, const VoString& aPath) override {
        const std::string path = Narrow(aPath);
        MediaJournal::Note("stream " + Narrow(aName) + " " + path);
        if (MediaJournal::Missing().count(path) != 0) {
            VO_ERROR(kStreamFailure, aPath);
            return nullptr;
        }
        return VO_NEW FakeSoundPlayer(aName, aPath);
    }
    VoString ToString() const override { return VoDebugString("FakeSoundManager", this); }
};

// A texture movie whose texture (a recording one, filed with the texture
// manager and locked while the movie lives) never changes; End tells its
// listener that the movie has played out.
class FakeMoviePlayer : public VoIMoviePlayer {
public:
    explicit FakeMoviePlayer(const VoString& aPath) : fPath(Narrow(aPath)) {
        VoTextureManager* textures = VoTextureManager::GetInstance();
        VoITexture* texture = VoAPIObjectManager::CreateServiceAs<VoITexture>(u"texture");
        if (textures != nullptr && texture != nullptr && texture->CreateTexture(16, 8, 1)) {
            VoString id(aPath);
            id.Append(u"#");
            id.Append(static_cast<std::int32_t>(++Serial()));
            fTextureHandle = textures->CreateTexture(id, texture);
            textures->LockHandle(fTextureHandle);
            fpTexture = texture;
        } else {
            delete texture;
        }
        Live().push_back(this);
    }
    ~FakeMoviePlayer() override {
        MediaJournal::Note("delete movie " + fPath);
        VoTextureManager* textures = VoTextureManager::GetInstance();
        if (textures != nullptr && fTextureHandle != 0) {
            textures->UnlockHandle(fTextureHandle);
        }
        Live().erase(std::find(Live().begin(), Live().end(), this));
    }

    static std::vector<FakeMoviePlayer*>& Live() {
        static std::vector<FakeMoviePlayer*> sLive;
        return sLive;
    }
    static int& Serial() {
        static int sSerial = 0;
        return sSerial;
    }
    // The newest live movie of that engine path; null when none.
    static FakeMoviePlayer* Find(const std::string& aPath) {
        for (auto it = Live().rbegin(); it != Live().rend(); ++it) {
            if ((*it)->fPath == aPath) {
                return *it;
            }
        }
        return nullptr;
    }

    // The listener may delete the movie.
    void End() {
        if (fpListener != nullptr) {
            fpListener->OnMovieEnd(VoString(fPath.c_str()));
        }
    }

    bool Render(VoRenderer*) override { return true; }
    bool Open(const VoString&, bool) override { return true; }
    bool Close() override { return true; }
    bool Play() override {
        MediaJournal::Note("play movie " + fPath);
        return true;
    }
    bool Pause() override { return true; }
    bool Resume() override { return true; }
    std::uint32_t GetCurrentFrame() override { return 1; }
    std::uint32_t GetFrameCount() override { return 1; }
    float GetLength() override { return 1.0f; }
    bool GotoFrame(std::uint32_t) override { return true; }
    bool GotoKeyFrame(std::uint32_t) override { return true; }
    void SetFrameRate(std::uint32_t) override {}
    void SetVolume(float) override {}
    void SetLooping(bool aLooping) override {
        VoIMoviePlayer::SetLooping(aLooping);
        MediaJournal::Note("looping movie " + fPath + " " + (aLooping ? "1" : "0"));
    }
    void OnUpdate() override {}
    VoString ToString() const override { return VoDebugString("FakeMoviePlayer", this); }

    std::string fPath;
};

class FakeMovieManager : public VoIMovieManager {
public:
    VoIMoviePlayer* CreateFullScreenMovie(const VoString&, const VoString&) override { return nullptr; }
    // Null, silently, for a missing file, as the engine's manager does.
    VoIMoviePlayer* CreateTextureMovie(const VoString& aId, const VoString& aPath) override {
        const std::string path = Narrow(aPath);
        MediaJournal::Note("movie " + Narrow(aId) + " " + path);
        if (MediaJournal::Missing().count(path) != 0) {
            return nullptr;
        }
        return VO_NEW FakeMoviePlayer(aPath);
    }
    VoString ToString() const override { return VoDebugString("FakeMovieManager", this); }
};

// A new game (ScopedGame) on the recording rasterizer and textures and the
// fake sound and movie managers, with an empty journal and no missing files.
class SceneEngine : public ScopedGame {
public:
    SceneEngine() : ScopedGame(&RegisterFakes) {
        MediaJournal::Take();
        MediaJournal::Missing().clear();
    }
    RecordingRasterizer* Rasterizer() const { return RecordingRasterizer::Engine(); }

private:
    class SoundCreator : public VoServiceCreator<FakeSoundManager, VoServiceInit::kNone> {
    public:
        SoundCreator() : VoServiceCreator(u"soundmanager", "FakeSoundManagerCreator") {}
    };
    class MovieCreator : public VoServiceCreator<FakeMovieManager, VoServiceInit::kNone> {
    public:
        MovieCreator() : VoServiceCreator(u"moviemanager", "FakeMovieManagerCreator") {}
    };

    static void RegisterFakes() {
        RecordingEngine::RegisterRecorders();
        VoRegistry* registry = VoRegistry::Get();
        for (VoIObjectCreator* creator : {static_cast<VoIObjectCreator*>(VO_NEW SoundCreator()),
                                          static_cast<VoIObjectCreator*>(VO_NEW MovieCreator())}) {
            if (registry == nullptr || !registry->AddCreator(creator)) {
                delete creator;
            }
        }
    }
};
