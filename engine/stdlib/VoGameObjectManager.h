#pragma once
// The object manager the restore manager works with: it recreates restorables
// through it, asks it for their handles and ids when saving, and takes from it
// the version tag that heads every save record. Owned by the registry.
#include "object/VoObjectManager.h"

class VoGameObjectManager : public VoObjectManager {
public:
    static constexpr const char* kCreationFailure = "VoGameObjectManager creation failure.";
    static constexpr const char16_t* kId = u"gameobjectmanager";
    static constexpr std::uint32_t kHandleIndex = 0xBB;
    // Nothing sets the tag and nothing reads it back; it only has to be defined.
    static constexpr float kDefaultVersion = 1.0f;

    // Made on first use and added to the registry; null when it cannot be
    // made (the next call tries again) and null once the registry is gone.
    static VoGameObjectManager* GetInstance();

    ~VoGameObjectManager() override;

    float GetVersion() const { return fVersion; }
    void SetVersion(float aVersion) { fVersion = aVersion; }

    VoString ToString() const override;

private:
    VoGameObjectManager();

    float fVersion = kDefaultVersion;
};
