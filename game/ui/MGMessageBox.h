#pragma once
// A small modal box over whatever is on screen: lines of text and one or two
// buttons (OK; OK and Cancel; Yes and No), with the caller's id handed back
// to its listener when a button closes it.
//
// For now the least the inventory needs: it keeps the id and the lines of
// the box last shown; the box itself comes with the message box's issue.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorString.h"

class MGIMessageBoxListener;

class MGMessageBox : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGMessageBox creation failure.";

    static constexpr int kOk = 0;
    static constexpr int kOkCancel = 1;
    static constexpr int kYesNo = 2;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGMessageBox* GetInstance();

    MGMessageBox() = default;
    MGMessageBox(const MGMessageBox&) = delete;
    MGMessageBox& operator=(const MGMessageBox&) = delete;

    // aKind: kOk, kOkCancel or kYesNo. The listener (not owned) may be null.
    void Show(const VoString& aId, const VoVectorString& aLines, int aKind,
              MGIMessageBoxListener* apListener);

    bool IsShown() const { return fShown; }
    const VoString& GetId() const { return fId; }
    const VoVectorString& GetLines() const { return fLines; }

    VoString ToString() const override;

private:
    VoString fId;
    VoVectorString fLines;
    bool fShown = false;
};
