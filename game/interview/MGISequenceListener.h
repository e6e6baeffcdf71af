#pragma once
// Told that an interview sequence (MGInterviewSequence) has ended: its last
// voice line is over or the player skipped it. A sequence has one listener,
// which it does not own; the listener may delete the sequence in the call.
class MGISequenceListener {
public:
    virtual ~MGISequenceListener() = default;
    virtual void OnSequenceEnd() = 0;
};
