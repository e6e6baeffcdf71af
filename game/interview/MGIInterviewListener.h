#pragma once
// Told by an interview (MGInterview) when it starts (0) and when it ends
// (1). An interview has one listener, which it does not own.
class MGIInterviewListener {
public:
    static constexpr int kStarted = 0;
    static constexpr int kEnded = 1;

    virtual ~MGIInterviewListener() = default;
    virtual void OnInterviewEvent(int aCode) = 0;
};
