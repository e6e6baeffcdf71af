#include "game/support/FakeSound.h"

#include <algorithm>

#include "object/VoRegistry.h"
#include "platform/VoISoundListener.h"
#include "support/ProbeObjects.h"
#include "support/TestText.h"

FakeSoundPlayer::FakeSoundPlayer(FakeSoundManager* apManager, const std::string& aName,
                                 const std::string& aPath)
    : fName(aName), fPath(aPath), fpManager(apManager) {}

FakeSoundPlayer::~FakeSoundPlayer() {
    if (fpManager != nullptr) {
        fpManager->Forget(this);
    }
}

void FakeSoundPlayer::Play() {
    fPlaying = true;
    if (fpManager != nullptr) {
        fpManager->fPlayed.push_back(fName);
    }
}

VoString FakeSoundPlayer::GetName() const {
    return VoString(fName.c_str());
}

void FakeSoundPlayer::End() {
    fPlaying = false;
    fEnded = true;
    if (fpListener != nullptr) {
        // The name is copied first: the listener may delete the player.
        const VoString name = GetName();
        fpListener->OnSoundEnd(name);
    }
}

void FakeSoundManager::Register() {
    VoIObjectCreator* creator =
        new FunctionCreator(VoString(u"soundmanager"), [] { return new FakeSoundManager(); });
    if (!VoRegistry::Get()->AddCreator(creator)) {
        delete creator;
    }
}

FakeSoundManager* FakeSoundManager::Get() {
    return dynamic_cast<FakeSoundManager*>(VoISoundManager::GetInstance());
}

FakeSoundManager::~FakeSoundManager() {
    for (FakeSoundPlayer* player : fLive) {
        player->fpManager = nullptr;
    }
}

VoISoundPlayer* FakeSoundManager::Create(const VoString& aName, const VoString& aPath) {
    const std::string name = Narrow(aName);
    const std::string path = Narrow(aPath);
    fCreated.push_back(name + " " + path);
    if (fFailing.count(path) > 0) {
        return nullptr;
    }
    auto* player = new FakeSoundPlayer(this, name, path);
    fLive.push_back(player);
    return player;
}

VoISoundPlayer* FakeSoundManager::CreateSample(const VoString& aName, const VoString& aPath) {
    return Create(aName, aPath);
}

VoISoundPlayer* FakeSoundManager::CreateStream(const VoString& aName, const VoString& aPath) {
    return Create(aName, aPath);
}

FakeSoundPlayer* FakeSoundManager::Find(const std::string& aName) const {
    for (auto it = fLive.rbegin(); it != fLive.rend(); ++it) {
        if ((*it)->fName == aName) {
            return *it;
        }
    }
    return nullptr;
}

bool FakeSoundManager::End(const std::string& aName) {
    FakeSoundPlayer* player = Find(aName);
    if (player == nullptr) {
        return false;
    }
    player->End();
    return true;
}

void FakeSoundManager::Forget(FakeSoundPlayer* apPlayer) {
    fLive.erase(std::remove(fLive.begin(), fLive.end(), apPlayer), fLive.end());
}
