#pragma once
// The scroll bar beside the topic list of the interview window, built once
// by the interview manager into the shared interview group: the group
// "interviewscrollbar" with the sprites of "groups.scrollbar.sprites" and the
// buttons "btnarrowup", "btnarrowdn" and "btnbar" of
// "groups.scrollbar.buttons", driving an engine scroll bar (bar 22 high in an
// area of 190, content from (172, 45), a visible band of 195, steps of 12).
// The running interview's topic list is its content and listener; the group
// stays faint (blend 0.3) until the list is long enough to scroll.
#include "container/VoBase.h"

class VoDisplayGroup;
class VoPropertyList;
class VoScrollBar;

class MGInterviewScrollBar : public VoBase {
public:
    static constexpr const char* kNoSprites = "'groups.scrollbar.sprites' not found.";
    static constexpr const char* kNoButtons = "'groups.scrollbar.buttons' not found.";
    static constexpr const char16_t* kGroupId = u"interviewscrollbar";
    static constexpr const char16_t* kSpritesPath = u"groups.scrollbar.sprites";
    static constexpr const char16_t* kButtonsPath = u"groups.scrollbar.buttons";
    static constexpr const char16_t* kUpArrowId = u"btnarrowup";
    static constexpr const char16_t* kDownArrowId = u"btnarrowdn";
    static constexpr const char16_t* kBarId = u"btnbar";

    static constexpr int kBarHeight = 22;
    static constexpr int kBarAreaHeight = 190;
    static constexpr int kContentHeight = 100;
    static constexpr float kContentX = 172.0f;
    static constexpr float kContentY = 45.0f;
    static constexpr int kScrollAreaHeight = 195;
    static constexpr int kScrollIncrement = 12;
    static constexpr float kFaintBlend = 0.3f;

    MGInterviewScrollBar();
    MGInterviewScrollBar(const MGInterviewScrollBar&) = delete;
    MGInterviewScrollBar& operator=(const MGInterviewScrollBar&) = delete;
    // Deletes the engine scroll bar and the placeholder content; the group
    // belongs to the interview group.
    ~MGInterviewScrollBar() override;

    // Builds the group into apParent (not owned) from the layout; missing
    // pieces are asserted and the rest is built. True.
    bool Setup(VoPropertyList* apLayout, VoDisplayGroup* apParent);
    // Owned; null until Setup.
    VoScrollBar* GetScrollBar() const { return fpScrollBar; }
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // The group the bar moves (not owned).
    void SetContentGroup(VoDisplayGroup* apContent);
    VoDisplayGroup* GetContentGroup() const { return fpContent; }
    // A content group that goes away: the bar stops moving it (and stops
    // telling it) when it is the current one.
    void Detach(VoDisplayGroup* apContent);
    void SetBlend(float aBlend);

    VoString ToString() const override;

private:
    VoDisplayGroup* fpGroup;        // owned by the interview group
    VoScrollBar* fpScrollBar;       // owned
    VoDisplayGroup* fpContent;      // not owned
    VoDisplayGroup* fpPlaceholder;  // owned: the content while no list is attached
};
