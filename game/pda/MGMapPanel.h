#pragma once
// The PDA's panel "map": the map of the current case ("sta_selectedcase")
// with its destination tags (MGMapTag), shown in the PDA's scroll area as
// the group "mappanel", 409 pixels high. The tags of the case are built at
// Create and again whenever Show finds that the case has changed; only a
// map rebuilt so carries the button "show_all", whose click shows every
// tag of the case whatever its condition, until the next rebuild.
//
// Layout "//textures/pda/map_layout.txt" (pictures under "//textures/pda"):
//     groups.background                       the map picture and its decoration
//     groups.cheat                            the button "show_all"
//     groups.maptags.groups.case<N>.buttons   one tag node per tag of case N
//                                             (N without a leading zero)
// The mouse wheel scrolls the map while it is shown.
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "pda/MGIPDAPanel.h"
#include "platform/VoIMouseListener.h"

class MGMapTag;
class VoDisplayGroup;
class VoPropertyList;

class MGMapPanel : public MGIPDAPanel, public VoIMouseListener, public VoIButtonListener {
public:
    static constexpr const char* kNoBackground = "'groups.background' not found.";

    static constexpr const char16_t* kTextureRoot = u"//textures/pda";
    static constexpr const char16_t* kGroupId = u"mappanel";
    static constexpr const char16_t* kBackgroundPath = u"groups.background";
    static constexpr const char16_t* kCheatPath = u"groups.cheat";
    static constexpr const char16_t* kTagListPrefix = u"groups.maptags.groups.case";
    static constexpr const char16_t* kTagListSuffix = u".buttons";
    static constexpr const char16_t* kShowAllId = u"show_all";
    static constexpr int kContentHeight = 409;
    static constexpr int kDefaultCase = 1;
    static constexpr float kMouseOrder = 0.0f;

    // The panel "map", its group in apParent (the PDA's group).
    explicit MGMapPanel(VoDisplayGroup* apParent);
    MGMapPanel(const MGMapPanel&) = delete;
    MGMapPanel& operator=(const MGMapPanel&) = delete;
    // Leaves the mouse; deletes the tags, then the map (out of the PDA's
    // scroll area first) and the layout.
    ~MGMapPanel() override;

    // Keeps a copy of the layout (the caller's goes when Create returns) and
    // builds the map of the case with its background and tags; missing
    // parts are logged and left out. True.
    bool Create(VoPropertyList* apLayout) override;
    // Rebuilds the map when the case changed since it was built, makes it
    // the PDA's scroll content and shows the tags whose condition holds.
    // True when the panel, the map and the scroll content were all set.
    bool Show() override;
    // Takes the map out of the PDA's scroll area and hides the tags that
    // may be hidden (see MGMapTag::SetActive).
    bool Hide() override;

    // A click on "show_all" (exactly) shows every tag for good.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    void OnWheel(float aDelta) override;

    // The case the map was built for.
    int GetCase() const { return fCase; }
    // Owned; null when it could not be made.
    VoDisplayGroup* GetMapGroup() const { return fpMap; }
    int GetTagCount() const { return fTags.GetCount(); }
    // In layout order; null outside the tags.
    MGMapTag* GetTag(int aIndex) const;
    // The tag of that id; null when none.
    MGMapTag* FindTag(const VoString& aId) const;

    VoString ToString() const override;

private:
    // A new, empty "mappanel" with the background built into it, in place
    // of the old map (its tags deleted first).
    void BuildMap();
    // The tags of the case's list; a missing list is logged when aAssert.
    void BuildTags(bool aAssert);
    void DeleteTags();
    void DeleteMap();
    void ListenToMouse(bool aListen);

    VoPropertyList* fpLayout;  // owned: the panel's copy
    VoDisplayGroup* fpMap;     // owned; in the PDA's scroll area while shown
    VoVector fTags;            // MGMapTag, owned, in layout order
    int fCase;
    bool fInMouse;  // registered with the engine mouse
};
