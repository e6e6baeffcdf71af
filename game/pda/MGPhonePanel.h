#pragma once
// The PDA's panel "phone": a small menu with the buttons "directory" and
// "messages" that switches between the directory of people to call
// (MGPhoneDirectoryPanel) and the voice mail (MGPhoneMessagesPanel). Showing
// the panel refreshes the voice-mail queue; no sub-panel is shown until a
// menu button is clicked. The panel keeps its own copy of the phone layout
// "//textures/pda/phone_layout.txt" (pictures under "//textures/pda"), which
// both sub-panels read; "groups.g01-menu" is the menu.
#include "gdi/VoIButtonListener.h"
#include "pda/MGIPDAPanel.h"

class MGPhoneDirectoryPanel;
class MGPhoneMessagesPanel;
class VoButton;

class MGPhonePanel : public MGIPDAPanel, public VoIButtonListener {
public:
    static constexpr const char16_t* kId = u"phone";
    static constexpr const char16_t* kGroupId = u"phonepanel";
    static constexpr const char16_t* kMenuNode = u"groups.g01-menu";
    static constexpr const char16_t* kDirectoryId = u"directory";
    static constexpr const char16_t* kMessagesId = u"messages";

    // The panel's group joins apParent (the PDA's group; not owned).
    explicit MGPhonePanel(VoDisplayGroup* apParent);
    MGPhonePanel(const MGPhonePanel&) = delete;
    MGPhonePanel& operator=(const MGPhonePanel&) = delete;
    // Deletes the sub-panels (their groups out of the phone group first) and
    // the layout; the base deletes the group.
    ~MGPhonePanel() override;

    // Copies the layout (null: nothing to build), builds the menu and both
    // sub-panels. True.
    bool Create(VoPropertyList* apLayout) override;
    bool Show() override;
    bool Hide() override;

    MGPhoneDirectoryPanel* GetDirectory() const { return fpDirectory; }
    MGPhoneMessagesPanel* GetMessages() const { return fpMessages; }
    VoDisplayGroup* GetPhoneGroup() const { return fpPhoneGroup; }
    VoButton* GetMenuButton(const VoString& aId) const;
    // Whether the sub-panel's group is in the phone group.
    bool IsDirectoryShown() const;
    bool IsMessagesShown() const;

    void OnButtonEvent(const VoString& aId, int aCode) override;

    VoString ToString() const override;

private:
    // Takes the sub-panel's group out of the phone group (it stays the
    // sub-panel's).
    void RemoveSubgroup(VoDisplayGroup* apGroup);
    void AddSubgroup(VoDisplayGroup* apGroup);

    MGPhoneDirectoryPanel* fpDirectory;  // owned
    MGPhoneMessagesPanel* fpMessages;    // owned
    VoDisplayGroup* fpPhoneGroup;        // owned by the panel's group (or here when it was refused)
    VoDisplayGroup* fpMenu;              // owned by fpPhoneGroup
    VoPropertyList* fpLayout;            // owned
    bool fPhoneGroupOwned;               // the panel's group refused it
};
