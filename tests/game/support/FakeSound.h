#pragma once
// A sound manager for the game's tests: it opens no file and plays nothing,
// but keeps every player it makes so the test can see what was created,
// played and deleted, and end a sound on demand (its listener is told, as the
// real player tells it in the frame after the end). Paths can be set to
// fail, as files that do not open.
//
//     FakeSoundManager::Register();   // before the engine's creators
//     ...
//     FakeSoundManager* sounds = FakeSoundManager::Get();
//     sounds->End("hintAudio");
#include <set>
#include <string>
#include <vector>

#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"

class FakeSoundManager;

class FakeSoundPlayer : public VoISoundPlayer {
public:
    FakeSoundPlayer(FakeSoundManager* apManager, const std::string& aName, const std::string& aPath);
    // Tells the manager, which forgets it.
    ~FakeSoundPlayer() override;

    bool OpenStream(const VoString&) override { return true; }
    bool LoadSample(const VoString&) override { return true; }
    void Release() override {}
    void Pause() override { fPlaying = false; }
    void Play() override;
    void Stop() override { fPlaying = false; }
    VoString GetName() const override;
    float GetLength() const override { return 1.0f; }
    float GetLevels() const override { return 0.0f; }
    float GetPosition() const override { return 0.0f; }
    bool IsFinished() const override { return fEnded; }
    void Reserved(std::uint32_t) override {}
    void SetListener(VoISoundListener* apListener) override { fpListener = apListener; }
    void SetLoopCount(bool aLoop) override { fLoop = aLoop; }
    void Seek(float) override {}
    void SetVolume(float aScale) override { fVolume = aScale; }

    // The sound has run out: the listener, if any, is told (and may delete
    // the player).
    void End();

    std::string fName;
    std::string fPath;
    VoISoundListener* fpListener = nullptr;  // not owned
    float fVolume = 1.0f;
    bool fPlaying = false;
    bool fLoop = false;
    bool fEnded = false;

private:
    FakeSoundManager* fpManager;  // not owned; null once the manager is gone
    friend class FakeSoundManager;
};

class FakeSoundManager : public VoISoundManager {
public:
    // Registers the "soundmanager" creator; call it before the engine's
    // start-up creators (a ScopedEngine's first registration).
    static void Register();
    // The engine's sound manager as this fake; null when it is another.
    static FakeSoundManager* Get();

    ~FakeSoundManager() override;

    VoISoundPlayer* CreateSample(const VoString& aName, const VoString& aPath) override;
    VoISoundPlayer* CreateStream(const VoString& aName, const VoString& aPath) override;

    // The last live player of that name, or null.
    FakeSoundPlayer* Find(const std::string& aName) const;
    // Ends the last live player of that name; false when there is none.
    bool End(const std::string& aName);
    int GetLiveCount() const { return static_cast<int>(fLive.size()); }
    const std::vector<FakeSoundPlayer*>& GetLive() const { return fLive; }

    // Every creation asked for, as name + " " + path, failed ones too.
    std::vector<std::string> fCreated;
    // Every Play, as the player's name.
    std::vector<std::string> fPlayed;
    // Paths whose creation fails.
    std::set<std::string> fFailing;

private:
    friend class FakeSoundPlayer;
    VoISoundPlayer* Create(const VoString& aName, const VoString& aPath);
    void Forget(FakeSoundPlayer* apPlayer);

    std::vector<FakeSoundPlayer*> fLive;  // not owned: their callers own them
};
