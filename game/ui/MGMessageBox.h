#pragma once
// A small modal box over whatever is on screen: a line of text and one or
// two buttons (OK; OK and Cancel; Yes and No); a click on a button closes it
// and tells the listener which button, with the caller's id.
//
// For now this keeps only the box that is up (its id, text, kind and
// listener) and closes it through Answer; the box on screen, its layout and
// its buttons come with the message box itself.
#include "container/VoBase.h"
#include "container/VoString.h"

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
    // Showing a box while one is up closes the first without a word to its
    // listener.
    void Show(const VoString& aId, const VoString& aText, int aKind, MGIMessageBoxListener* apListener);
    // As a click on a button does: closes the box, then tells the listener
    // the answer (MGIMessageBoxListener's codes). False while no box is up.
    bool Answer(int aCode);

    bool IsShown() const { return fShown; }
    const VoString& GetId() const { return fId; }
    const VoString& GetText() const { return fText; }
    int GetKind() const { return fKind; }

    VoString ToString() const override;

private:
    VoString fId;
    VoString fText;
    int fKind = kOk;
    MGIMessageBoxListener* fpListener = nullptr;  // not owned
    bool fShown = false;
};
