#pragma once
// Closes the cases: listens to every added event and turns the last event
// of each case into that case's closed event.
//
//     "evt_interview117_complete"  -> "evt_case01_closed"
//     "evt_interview218_complete"  -> "evt_case02_closed"
//     "evt_interview321_complete"  -> "evt_case03_closed"
//     "bargainingsolved_415_done"  -> "evt_case04_closed"
//
// (ids ignoring case). A closing event sets "sta_selectedcase" to 0 without
// telling the state listeners (no case is in play any more) and adds the
// closed event, telling the event listeners. After every event, once cases
// 1, 2 and 3 are all closed, "evt_cases123_solved" is added (told), once.
// Created by the application's Init.
#include "container/VoBase.h"
#include "event/VoIEventListener.h"

class MGCaseControl : public VoBase, public VoIEventListener {
public:
    static constexpr const char* kCreationFailure = "MGCaseControl creation failure.";
    static constexpr const char16_t* kCaseState = u"sta_selectedcase";
    static constexpr const char16_t* kCases123Solved = u"evt_cases123_solved";
    static constexpr int kCaseCount = 4;
    static constexpr float kOrder = 0.0f;

    // Created on first use, listening to the events, owned by the game's
    // cleaner; null when it cannot be created.
    static MGCaseControl* GetInstance();
    // "evt_case0" + N + "_closed" for the cases 1 to 4.
    static VoString ClosedEvent(int aCase);
    // Whether case N's closed event was added.
    static bool IsClosed(int aCase);
    // Whether cases 1, 2 and 3 are all closed.
    static bool AreFirstThreeClosed();

    MGCaseControl();
    MGCaseControl(const MGCaseControl&) = delete;
    MGCaseControl& operator=(const MGCaseControl&) = delete;
    // Leaves the event manager.
    ~MGCaseControl() override;

    void OnEvent(VoEvent* apEvent) override;

    VoString ToString() const override;

private:
    bool fListening;  // registered with the event manager
};
