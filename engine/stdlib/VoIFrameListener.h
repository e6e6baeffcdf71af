#pragma once
// An object that wants a call once per frame. It registers itself with
// VoFrameManager::AddListener while it wants frames (often only while it is
// active, e.g. while a fade runs) and removes itself with RemoveListener, at
// the latest in its destructor.
class VoIFrameListener {
public:
    virtual ~VoIFrameListener() = default;
    virtual void OnUpdate() = 0;
};
