#pragma once
// The scene the scene manager has loaded. Until the scene itself arrives
// this holds only what the screens that cover a scene call on it: the
// keep-audio flag, which a covering screen (a puzzle, an interview) sets
// before it pushes itself so that leaving the scene keeps its audio
// playing, and StopAudio.
#include "container/VoBase.h"

class MGScene : public VoBase {
public:
    MGScene() = default;
    MGScene(const MGScene&) = delete;
    MGScene& operator=(const MGScene&) = delete;

    void SetKeepAudio(bool aKeep) { fKeepAudio = aKeep; }
    bool GetKeepAudio() const { return fKeepAudio; }
    // Stops and deletes the scene's audio (it has none yet) and clears the
    // keep-audio flag.
    void StopAudio();

    VoString ToString() const override;

private:
    bool fKeepAudio = false;
};
