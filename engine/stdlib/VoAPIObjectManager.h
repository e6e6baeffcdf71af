#pragma once
// The object manager through which the engine makes its services by creator
// id ("filesystem", "timer", ...; see VoObjectManager::CreateObject). The
// services are not entered in its lists. Owned by the registry.
#include "object/VoObjectManager.h"

class VoAPIObjectManager : public VoObjectManager {
public:
    static constexpr const char* kCreationFailure = "VoAPIObjectManager creation failure.";
    static constexpr const char16_t* kId = u"apiobjectmanager";
    static constexpr std::uint32_t kHandleIndex = 0xAA;

    // Made on first use and added to the registry; null when it cannot be
    // made (the next call tries again) and null once the registry is gone.
    static VoAPIObjectManager* GetInstance();

    // What a service accessor makes its one instance with: the object of the
    // creator registered under apId, initialised with 0, as a Service. Null
    // when there is no manager or the object cannot be made; an object of
    // another kind is deleted (a platform creator makes a new one each time).
    // Owned by the caller.
    template <typename Service>
    static Service* CreateServiceAs(const char16_t* apId) {
        VoAPIObjectManager* manager = GetInstance();
        VoBase* object = manager != nullptr ? manager->CreateObject(apId, 0) : nullptr;
        Service* service = dynamic_cast<Service*>(object);
        if (service == nullptr) {
            delete object;
        }
        return service;
    }

    ~VoAPIObjectManager() override;

    VoString ToString() const override;

private:
    VoAPIObjectManager();
};
