#pragma once
// The system keyboard as a device: 256 bytes of key state indexed by scan
// code, 0x80 while the key is down, read once per frame.
//
// The reader compares each read with the last in ascending scan-code order,
// so a read cannot say in which order keys changed, nor that one key changed
// twice. The device therefore keeps the key changes in the order they came
// and lets each read hand out only as many as that comparison reports as
// they happened: a change waits for the next read when its key, or a key of
// a higher scan code, already changed in this read. Typing faster than the
// frames (or a slow frame) then reaches the reader key by key, in order; a
// key tapped between two reads shows as down in one read and up in the next.
//
// A change that would not change the state handed out (a repeat while the
// key is down) is not kept. Keys pressed while the window is in the
// background are not the game's, and losing the acquisition drops the
// changes not yet handed out; a read with nothing queued hands out the keys
// as they are, so the state settles on the real one. The queue holds at most
// kQueueSize changes: past that (a game that stopped reading) the next read
// hands out the keys as they are.
#include "platform/VoInputDevice.h"

class VoKeyboardDevice : public VoInputDevice {
public:
    static constexpr int kStateSize = 256;
    static constexpr unsigned char kDown = 0x80;
    static constexpr int kQueueSize = 256;

    explicit VoKeyboardDevice(VoIWindowPort* apWindow) : VoInputDevice(apWindow) {}

    // A code outside 0..255 is ignored.
    void OnKey(int aCode, bool aDown);
    // Copies the 256 bytes to apState, with the next queued changes applied;
    // kNotAcquired, nothing copied, unless acquired.
    VoInputResult GetDeviceState(unsigned char* apState);
    int GetQueuedCount() const { return fCount; }

protected:
    void OnUnacquired() override;

private:
    struct Change {
        unsigned char fCode;
        unsigned char fState;
    };

    // Forgets the queued changes.
    void DropQueue();
    // Hands out the keys as they are.
    void Settle();

    // The keys as they are, whatever was queued.
    unsigned char fState[kStateSize] = {};
    // The keys as the last read handed them out.
    unsigned char fHanded[kStateSize] = {};
    // fHanded with every queued change applied: what a new change is
    // compared with.
    unsigned char fQueued[kStateSize] = {};
    // A ring of fCount changes from fFirst, oldest first.
    Change fQueue[kQueueSize] = {};
    int fFirst = 0;
    int fCount = 0;
    // The queue ran over: the next read settles.
    bool fOverflowed = false;
};
