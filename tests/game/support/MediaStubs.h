#pragma once
// Sound and movie managers that play nothing, for the game's screens that
// start sounds and movies: a RecordingGame (see there) whose "soundmanager"
// and "moviemanager" creators make these stubs. The test finds the players
// the game made, sets a movie's frames and ends a sound or a movie as the
// libraries would:
//
//     MediaGame game;
//     stubs::SoundPlayer* chime = stubs::SoundPlayer::Find("chingching");
//     chime->End();                 // tells its listener
//     stubs::Missing().insert("//dataroot/movies/gone.mkv");  // cannot be opened
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "container/VoDebugString.h"
#include "game/support/RecordingGame.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieListener.h"
#include "movie/VoIMovieManager.h"
#include "movie/VoIMoviePlayer.h"
#include "object/VoRegistry.h"
#include "platform/VoISoundListener.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "support/ProbeObjects.h"
#include "support/TestText.h"

namespace stubs {

// The engine paths that the stub managers cannot open.
inline std::set<std::string>& Missing() {
    static std::set<std::string> sMissing;
    return sMissing;
}

// Every sound asked of the stub sound manager, as name + " " + path, the
// ones it could not open too, oldest first.
inline std::vector<std::string>& SoundsAsked() {
    static std::vector<std::string> sAsked;
    return sAsked;
}

// The live objects of a stub class, oldest first.
template <typename T>
std::vector<T*>& Live() {
    static std::vector<T*> sLive;
    return sLive;
}

template <typename T>
T* FindLive(const std::string& aName) {
    for (auto it = Live<T>().rbegin(); it != Live<T>().rend(); ++it) {
        if ((*it)->fName == aName) {
            return *it;
        }
    }
    return nullptr;
}

class SoundPlayer : public VoISoundPlayer {
public:
    SoundPlayer(const VoString& aName, const VoString& aPath) : fName(Narrow(aName)), fPath(Narrow(aPath)) {
        Live<SoundPlayer>().push_back(this);
    }
    ~SoundPlayer() override {
        auto& live = Live<SoundPlayer>();
        live.erase(std::find(live.begin(), live.end(), this));
    }
    // The newest live player of that name; null when none.
    static SoundPlayer* Find(const std::string& aName) { return FindLive<SoundPlayer>(aName); }

    // As the library reports the end; the listener may delete the player.
    void End() {
        if (fpListener != nullptr) {
            fpListener->OnSoundEnd(VoString(fName.c_str()));
        }
    }

    bool OpenStream(const VoString&) override { return true; }
    bool LoadSample(const VoString&) override { return true; }
    void Release() override {}
    void Pause() override {}
    void Play() override { ++fPlays; }
    void Stop() override {}
    VoString GetName() const override { return VoString(fName.c_str()); }
    float GetLength() const override { return 1.0f; }
    float GetLevels() const override { return 0.0f; }
    float GetPosition() const override { return 0.0f; }
    bool IsFinished() const override { return false; }
    void Reserved(std::uint32_t) override {}
    void SetListener(VoISoundListener* apListener) override { fpListener = apListener; }
    void SetLoopCount(bool) override {}
    void Seek(float) override {}
    void SetVolume(float aScale) override { fVolume = aScale; }
    VoString ToString() const override { return VoDebugString("stubs::SoundPlayer", this); }

    std::string fName;
    std::string fPath;
    int fPlays = 0;
    float fVolume = -1.0f;
    VoISoundListener* fpListener = nullptr;  // not owned
};

class SoundManager : public VoISoundManager {
public:
    VoISoundPlayer* CreateSample(const VoString& aName, const VoString& aPath) override {
        return Create(aName, aPath);
    }
    VoISoundPlayer* CreateStream(const VoString& aName, const VoString& aPath) override {
        return Create(aName, aPath);
    }
    VoString ToString() const override { return VoDebugString("stubs::SoundManager", this); }

private:
    static VoISoundPlayer* Create(const VoString& aName, const VoString& aPath) {
        SoundsAsked().push_back(Narrow(aName) + " " + Narrow(aPath));
        return Missing().count(Narrow(aPath)) != 0 ? nullptr : VO_NEW SoundPlayer(aName, aPath);
    }
};

// A full-screen movie whose frames the test sets.
class MoviePlayer : public VoIMoviePlayer {
public:
    MoviePlayer(const VoString& aId, const VoString& aPath) : fName(Narrow(aId)), fPath(Narrow(aPath)) {
        SetId(aId);
        fWidth = 320;
        fHeight = 240;
        Live<MoviePlayer>().push_back(this);
    }
    ~MoviePlayer() override {
        auto& live = Live<MoviePlayer>();
        live.erase(std::find(live.begin(), live.end(), this));
    }
    // The newest live movie of that file (engine path); null when none.
    static MoviePlayer* Find(const std::string& aPath) {
        for (auto it = Live<MoviePlayer>().rbegin(); it != Live<MoviePlayer>().rend(); ++it) {
            if ((*it)->fPath == aPath) {
                return *it;
            }
        }
        return nullptr;
    }
    static int Count() { return static_cast<int>(Live<MoviePlayer>().size()); }

    // As the player reports the end of its last frame; the listener may
    // delete the movie.
    void End() {
        if (fpListener != nullptr) {
            fpListener->OnMovieEnd(VoString(fName.c_str()));
        }
    }

    bool Render(VoRenderer*) override { return true; }
    void OnUpdate() override {}
    bool Open(const VoString&, bool) override { return true; }
    bool Close() override {
        fClosed = true;
        return true;
    }
    bool Play() override {
        fPlaying = true;
        return true;
    }
    bool Pause() override {
        fPlaying = false;
        ++fPauses;
        return true;
    }
    bool Resume() override { return Play(); }
    std::uint32_t GetCurrentFrame() override { return fFrame; }
    std::uint32_t GetFrameCount() override { return fFrameCount; }
    float GetLength() override { return 0.0f; }
    bool GotoFrame(std::uint32_t aFrame) override {
        fFrame = aFrame;
        return true;
    }
    bool GotoKeyFrame(std::uint32_t aFrame) override { return GotoFrame(aFrame); }
    void SetFrameRate(std::uint32_t) override {}
    void SetVolume(float aVolume) override { fVolume = aVolume; }
    VoString ToString() const override { return VoDebugString("stubs::MoviePlayer", this); }

    void SetSize(std::int32_t aWidth, std::int32_t aHeight) {
        fWidth = aWidth;
        fHeight = aHeight;
    }

    std::string fName;
    std::string fPath;
    std::uint32_t fFrame = 1;
    std::uint32_t fFrameCount = 100;
    bool fPlaying = false;
    bool fClosed = false;
    int fPauses = 0;
};

class MovieManager : public VoIMovieManager {
public:
    // Movies of this size from now on.
    static inline std::int32_t sWidth = 320;
    static inline std::int32_t sHeight = 240;

    VoIMoviePlayer* CreateFullScreenMovie(const VoString& aId, const VoString& aPath) override {
        if (Missing().count(Narrow(aPath)) != 0) {
            return nullptr;
        }
        MoviePlayer* movie = VO_NEW MoviePlayer(aId, aPath);
        movie->SetSize(sWidth, sHeight);
        return movie;
    }
    VoIMoviePlayer* CreateTextureMovie(const VoString&, const VoString&) override { return nullptr; }
    VoString ToString() const override { return VoDebugString("stubs::MovieManager", this); }
};

}  // namespace stubs

// A RecordingGame with the stub sound and movie managers; what an earlier
// test marked missing or asked for is forgotten.
class MediaGame : public RecordingGame {
public:
    MediaGame() : RecordingGame(&RegisterAll) {
        stubs::Missing().clear();
        stubs::SoundsAsked().clear();
        stubs::MovieManager::sWidth = 320;
        stubs::MovieManager::sHeight = 240;
    }

private:
    static void RegisterAll() {
        VoIObjectCreator* creators[] = {
            new FunctionCreator(VoString(u"soundmanager"), [] { return VO_NEW stubs::SoundManager(); }),
            new FunctionCreator(VoString(u"moviemanager"), [] { return VO_NEW stubs::MovieManager(); }),
        };
        for (VoIObjectCreator* creator : creators) {
            if (!VoRegistry::Get()->AddCreator(creator)) {
                delete creator;
            }
        }
        Register();
    }
};
