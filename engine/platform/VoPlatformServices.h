#pragma once
// Stand-in for the registry and the API object manager, which do not exist
// yet: the service accessors make their one instance here, by the same creator
// id, with the same Initialize(0) step and the same messages as
// VoObjectManager::CreateObject. Once the registry holds the "timer" and
// "filesystem" creators, CreateAs asks
// VoAPIObjectManager::GetInstance()->CreateObject(id, 0) instead and Create
// goes away.
#include "container/VoStreamObject.h"

class VoPlatformServices {
public:
    static constexpr char kCreatorNotFound[] = "Could not retrieve creator index from id: ";
    static constexpr char kInitializationFailure[] = "Object initialization failure.";

    // A new service of the kind registered under apId, after its
    // Initialize(0) (a false result is logged, the object kept); null when
    // there is no such kind or it cannot be allocated. Owned by the caller.
    static VoStreamObject* Create(const char16_t* apId);

    // Create with a checked cast: null, with nothing left behind, when the
    // object is not a Service.
    template <typename Service>
    static Service* CreateAs(const char16_t* apId) {
        VoStreamObject* object = Create(apId);
        Service* service = dynamic_cast<Service*>(object);
        if (service == nullptr) {
            delete object;
        }
        return service;
    }
};
