#pragma once
// The ambient movies of one viewpoint in two layers: the background items
// are drawn over the viewpoint's picture before its 3D content, the
// foreground items after it. The scene makes a new player on every
// viewpoint activation from the viewpoint's section of "animations.txt"
// (CreateForViewpoint), unless the options switch ambient movies off:
//     viewpoints
//         <viewpoint id>
//             background
//                 <entry>   an item (see MGAmbientAnimItem for its keys)
//             foreground
//                 <entry>
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVector.h"

class MGAmbientAnimItem;
class VoITimer;
class VoPropertyList;
class VoRenderer;

class MGAmbientAnimPlayer : public VoBase {
public:
    static constexpr const char16_t* kBackground = u"background";
    static constexpr const char16_t* kForeground = u"foreground";
    static constexpr const char16_t* kViewpointsPrefix = u"viewpoints.";
    // The option that switches ambient movies off (with NPCs marked "extra").
    static constexpr int kOffOption = 2;

    // A player loaded with the section "viewpoints." + aViewpointId of the
    // scene's "animations.txt"; null when the option is set, without the
    // file (null) or without the section.
    static MGAmbientAnimPlayer* CreateForViewpoint(VoPropertyList* apAnimations, const VoString& aViewpointId,
                                                   VoITimer* apTimer = nullptr);

    // Its items run on the engine timer.
    MGAmbientAnimPlayer();
    // On apTimer instead (not owned, outlives us).
    explicit MGAmbientAnimPlayer(VoITimer* apTimer);
    MGAmbientAnimPlayer(const MGAmbientAnimPlayer&) = delete;
    MGAmbientAnimPlayer& operator=(const MGAmbientAnimPlayer&) = delete;
    // Deletes the background items, then the foreground items.
    ~MGAmbientAnimPlayer() override;

    // An item for every entry of "background" and of "foreground", in file
    // order, added to what is held. Always true.
    bool Load(VoPropertyList* apSection);
    // Draws (or starts) every item of the layer in order; the AND of their results.
    bool DrawBackground(VoRenderer* apRenderer);
    bool DrawForeground(VoRenderer* apRenderer);

    int GetBackgroundCount() const { return fBackground.GetCount(); }
    int GetForegroundCount() const { return fForeground.GetCount(); }
    // Null outside the layer.
    MGAmbientAnimItem* GetBackground(int aIndex) const;
    MGAmbientAnimItem* GetForeground(int aIndex) const;

    VoString ToString() const override;

private:
    void AddItems(VoPropertyList* apLayer, VoVector& aItems);
    static bool DrawItems(const VoVector& aItems, VoRenderer* apRenderer);
    static void DeleteItems(VoVector& aItems);

    VoVector fForeground;  // MGAmbientAnimItem, owned
    VoVector fBackground;  // MGAmbientAnimItem, owned
    VoITimer* fpTimer;     // not owned; null for the engine timer
};
