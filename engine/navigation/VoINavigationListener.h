#pragma once
// Told by the ground navigation when a walk has ended: the steering switched
// the navigation off on arrival (VoINavigation::SetActive(false)). The scene
// navigation is the one listener.
class VoINavigationListener {
public:
    virtual ~VoINavigationListener() = default;
    virtual void OnNavigationStopped() = 0;
};
