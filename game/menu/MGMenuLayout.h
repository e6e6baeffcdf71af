#pragma once
// What the menu screens share in building their display trees from their
// layout files: the tree itself in the display root, the layout's groups
// and their menu buttons, the pictures filed by name; and their word to the
// player in the message box. (The texture root is
// switched while they build with MGTextureRoot.)
#include <cstdint>
#include <functional>

#include "container/VoString.h"

class MGMenuButton;
class VoDisplayGroup;
class VoIButtonListener;
class VoPropertyList;

// A screen's display tree (its root group), owned by the screen and shown in
// the display root from Show until Drop.
class MGScreenTree {
public:
    MGScreenTree() = default;
    MGScreenTree(const MGScreenTree&) = delete;
    MGScreenTree& operator=(const MGScreenTree&) = delete;
    ~MGScreenTree() { Drop(); }

    // A new empty group of that id in place of the old tree; null when it
    // cannot be made.
    VoDisplayGroup* Create(const VoString& aId);
    // Adds the tree to the display root; false without one.
    bool Show();
    // Takes the tree out of the display root and deletes it. Once the
    // display manager is gone, its root has deleted the tree already.
    void Drop();
    VoDisplayGroup* Get() const { return fpGroup; }

private:
    VoDisplayGroup* fpGroup = nullptr;  // owned
    bool fInRoot = false;               // fpGroup was added to the display root
};

class MGMenuLayout {
public:
    static constexpr const char16_t* kTextureRoot = u"//textures/menu";
    static constexpr float kButtonsZ = 10.0f;

    MGMenuLayout() = delete;

    // An empty group of that id at a relative z; null when it cannot be made.
    static VoDisplayGroup* NewGroup(const VoString& aId, float aRelativeZ);
    // The group at the layout path, built with its children and added to
    // the parent. False (nothing added) when the path or the build fails.
    static bool AddGroup(VoPropertyList* apLayout, const VoString& aPath, VoDisplayGroup* apParent);
    // A group of that id (relative z 10) holding one menu button per entry
    // of the list at the layout path, in order, each loaded with the
    // listener; aPrepare (may be empty) sees each loaded button, with its
    // entry's index, before it is added. Buttons that do not load are left out. Added to the parent;
    // null when the group cannot be made.
    static VoDisplayGroup* AddButtons(VoPropertyList* apLayout, const VoString& aPath,
                                      const VoString& aGroupId, VoDisplayGroup* apParent,
                                      VoIButtonListener* apListener,
                                      const std::function<void(MGMenuButton*, int)>& aPrepare);
    // Whether the id names the button, ignoring case.
    static bool Is(const VoString& aId, const char16_t* apName);
    // The texture filed under the id, else the image at the path, read and
    // filed under the id now; 0 when neither can be had.
    static std::uint32_t FiledTexture(const VoString& aId, const VoString& aPath);
    // The message box with the text and an OK button, under the box id.
    static void Tell(const char16_t* apBox, const char16_t* apText);
};
