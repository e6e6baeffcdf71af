#pragma once
// The PDA: the inventory, the map, the case log and the phone, open over
// the scene or minimized to a bar. Created by the application's Init.
//
// Until the PDA's screens arrive this holds only what the scene and the
// cut-scenes ask of it: whether it is open, closing and minimizing it, and
// its listener.
#include "container/VoBase.h"

class MGIPDAListener;

class MGPDA : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGPDA creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGPDA* GetInstance();

    // Whether the PDA's window is open (not minimized, not closed).
    bool IsOpen() const { return fOpen; }
    void Open() { fOpen = true; }
    void Close() { fOpen = false; }
    // Turns the open PDA into its minimized bar and tells the listener
    // (MGIPDAListener::kMinimized); nothing when it is not open.
    void Minimize(bool aAnimate);

    // Replaces the listener (not owned).
    void SetListener(MGIPDAListener* apListener) { fpListener = apListener; }
    // Clears the listener only when it is the one given.
    void RemoveListener(MGIPDAListener* apListener);
    MGIPDAListener* GetListener() const { return fpListener; }

    VoString ToString() const override;

private:
    bool fOpen = false;
    MGIPDAListener* fpListener = nullptr;  // not owned
};
