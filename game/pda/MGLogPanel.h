#pragma once
// The PDA's panel "log": the case log, the notes of the current case
// ("sta_selectedcase") whose conditions hold, as one column of wrapped
// texts in the order in which the events behind them happened. The column
// (the group "logpanel" in the PDA's scroll area) is rebuilt on every Show
// from "//textures/pda/logdata.txt" and the states and events; the panel
// keeps nothing of its own.
//
// The log file holds one list per case, "case0" + N ("case01" to "case04"),
// with one entry per note, under any key:
//     text=the note
//     events=script[...]     shown while it holds; its events, written
//                            e[id], date the note
// A note's time is the latest time among the events it names that have
// happened, 0 when none has (a condition on states alone): notes stand in
// the order of their times, notes of equal times in file order. A missing
// file or list shows an empty log. The mouse wheel scrolls the column.
#include "pda/MGIPDAPanel.h"
#include "platform/VoIMouseListener.h"

class VoDisplayGroup;
class VoPropertyList;
class VoTextArea;

class MGLogPanel : public MGIPDAPanel, public VoIMouseListener {
public:
    static constexpr const char* kNYI = "NYI.";

    static constexpr const char16_t* kLogFile = u"//textures/pda/logdata.txt";
    static constexpr const char16_t* kGroupId = u"logpanel";
    static constexpr const char16_t* kCasePrefix = u"case0";
    static constexpr const char16_t* kEntryPrefix = u"logentry_";
    static constexpr const char16_t* kEventOpen = u"e[";
    static constexpr const char16_t* kEventClose = u"]";
    static constexpr const char16_t* kFont = u"tahoma10black";
    static constexpr float kWidth = 210.0f;
    static constexpr float kX = 15.0f;
    static constexpr float kGap = 10.0f;
    static constexpr float kMouseOrder = 0.0f;

    // The latest time among the events the script's text names as e[id]
    // that have happened; 0 when none has.
    static float EntryTime(const VoString& aEvents);

    // The panel "log", its group in apParent (the PDA's group).
    explicit MGLogPanel(VoDisplayGroup* apParent);
    MGLogPanel(const MGLogPanel&) = delete;
    MGLogPanel& operator=(const MGLogPanel&) = delete;
    // Leaves the mouse; deletes the column (out of the PDA's scroll area first).
    ~MGLogPanel() override;

    // The log needs no layout: logs "NYI.", false.
    bool Create(VoPropertyList* apLayout) override;
    // Rebuilds the column from the log file. True.
    bool Show() override;
    // The column from a log file already read (null: an empty log). True.
    bool ShowLog(VoPropertyList* apLog);
    // Leaves the mouse; the column goes inactive. The panel's own group stays
    // as it is. True.
    bool Hide() override;

    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    void OnWheel(float aDelta) override;

    // Owned; null before the first Show.
    VoDisplayGroup* GetColumn() const { return fpColumn; }
    // The number of notes shown and the i-th of them (null outside them).
    int GetEntryCount() const;
    VoTextArea* GetEntry(int aIndex) const;
    // The column's height, the scroll content's.
    int GetColumnHeight() const { return fHeight; }

    VoString ToString() const override;

private:
    void DeleteColumn();
    void ListenToMouse(bool aListen);

    VoDisplayGroup* fpColumn;  // owned; in the PDA's scroll area while shown
    int fHeight;
    bool fInMouse;  // registered with the engine mouse
};
