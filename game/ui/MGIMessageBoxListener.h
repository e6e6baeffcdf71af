#pragma once
// Told by the message box (MGMessageBox), after it has closed, which button
// closed it, with the id its caller gave. Not owned by the box.
class VoString;

class MGIMessageBoxListener {
public:
    static constexpr int kOk = 0;
    static constexpr int kCancel = 1;
    static constexpr int kYes = 2;
    static constexpr int kNo = 3;

    virtual ~MGIMessageBoxListener() = default;
    virtual void OnMessageBoxResult(const VoString& aId, int aCode) = 0;
};
