#pragma once
// Told by the five-action menu (MGMultiCursor) which action the player
// chose, or that the player pressed beside the menu. The menu does not close
// itself: the listener closes it (MGMultiCursor::Hide). Not owned by the menu.
class MGIMultiCursorListener {
public:
    static constexpr int kDismissed = 0;
    static constexpr int kUse = 1;
    static constexpr int kCollect = 2;
    static constexpr int kAnalyze = 3;
    static constexpr int kTalk = 4;
    static constexpr int kLook = 5;

    virtual ~MGIMultiCursorListener() = default;
    virtual void OnAction(int aAction) = 0;
};
