#pragma once
// A 2D overlay that draws, as a map seen from above, what the ground
// navigation works with: the positive regions of every camera (the current
// camera's highlighted) and the obstacles, the ground-mesh triangles of the
// current camera, the waypoints with their links and ids, the route being
// walked, the target, the next point and an arrow for the walker.
//
// Ground points are drawn with x to the right and y upward: every shape in
// ground units sits in the content group, which FitContentRect scales by
// (s, -s) and moves so that a rectangle of ground fills the overlay's square
// less a margin, centred.
//
// The scene navigation makes one with each navigation. It is built inactive
// (not drawn) and joins the display manager's root group, which owns it;
// its content follows the walk every frame all the same (frame order -90,
// after the navigation's -100 and the steering's -95). Where the debug view
// is wanted, SetActive(true) shows it and SetMouseListening(true) lets a
// click on it send the walker there (by the steering, at walking speed).
#include "gdi/VoDisplayGroup.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class VoColor;
class VoIPathFinding;
class VoMesh;
class VoNavigationTDO;
class VoPolygon;
class VoRectangle;
class VoSPolygon;
class VoSRectangle;
class VoSteeringTDO;
class VoTextArea;
class VoVector2;

class VoNavigationTDODisplay : public VoDisplayGroup,
                               public VoIKeyboardListener,
                               public VoIMouseListener,
                               public VoIFrameListener {
public:
    static constexpr float kX = 220.0f;
    static constexpr float kY = 20.0f;
    static constexpr float kWidth = 560.0f;
    static constexpr float kHeight = 560.0f;
    // The border kept free around the fitted content.
    static constexpr float kMargin = 25.0f;
    static constexpr float kKeyboardOrder = 0.0f;
    static constexpr float kFrameOrder = -90.0f;
    // Ahead of the multi-cursor (-100), hotspots (0) and the scene (10).
    static constexpr float kMouseOrder = -200.0f;
    // Where the walker and its arrow wait until the scene places them.
    static constexpr float kParkedX = -300.0f;
    static constexpr float kParkedY = -300.0f;
    // A click is made reachable with a wider clamp than the walk's own.
    static constexpr float kPickRadius = 0.5f;
    static constexpr float kPickStep = 0.5f;
    // A click sends the walker at walking speed.
    static constexpr int kWalkSpeedIndex = 1;
    static constexpr float kMarkerSize = 5.0f;
    static constexpr float kLabelBlend = 0.3f;
    static constexpr float kRadiansToDegrees = 57.29578f;
    static constexpr float kViewNameX = 10.0f;
    static constexpr float kViewNameY = 5.0f;

    static constexpr const char16_t* kId = u"navdisplay";
    static constexpr const char16_t* kBackgroundId = u"navdisplaybkg";
    static constexpr const char16_t* kContentId = u"contentgroup";
    static constexpr const char16_t* kPositiveId = u"positive";
    static constexpr const char16_t* kNegativeId = u"negative";
    static constexpr const char16_t* kViewNameId = u"viewname";
    static constexpr const char16_t* kPickId = u"pick";
    static constexpr const char16_t* kTargetId = u"target";
    static constexpr const char16_t* kVisibleTargetId = u"visibletarget";
    static constexpr const char16_t* kWayPointGroupId = u"waypointgroup";
    static constexpr const char16_t* kWayPointPrefix = u"wp_";
    static constexpr const char16_t* kLinkPrefix = u"wplink_";
    static constexpr const char16_t* kLabelPrefix = u"wplabel_";
    static constexpr const char16_t* kPathGroupId = u"pathgroup";
    static constexpr const char16_t* kPathId = u"path";
    static constexpr const char16_t* kPlayerId = u"player";
    static constexpr const char16_t* kGroundGroupId = u"groundmeshes";
    static constexpr const char16_t* kFontId = u"tahoma10";
    static constexpr const char* kKeyLine = "aKey:";

    static constexpr const char* kCreateNullArg = "Create failure. NULL arg.";
    static constexpr const char* kCreateAgain = "Create failure. Already created.";
    static constexpr const char* kFitNullArg = "FitContentRect failure. NULL arg.";
    static constexpr const char* kFitEmpty = "FitContentRect failure. Empty rectangle.";
    static constexpr const char* kSetupWayPointsFailure = "SetupWayPoints failure.";
    static constexpr const char* kNoLabels = "Could not create wp labels.";
    static constexpr const char* kNoShape = "Could not create a shape: ";
    // A click without a navigation to send it to.
    static constexpr const char* kNoNavigation = "";

    // Id "navdisplay" at (220, 20), hit boundary (0, 0, 560, 560), inactive,
    // in the display manager's root group (which then owns it).
    VoNavigationTDODisplay();
    // Leaves the keyboard, the mouse and the frames; the members go with the group.
    ~VoNavigationTDODisplay() override;

    VoString ToString() const override;

    // Builds the map of the navigation's regions and web (neither owned):
    // background, content, regions, view name, view (the navigation's
    // camera), markers, waypoints, walker and route; joins the keyboard and
    // the frames. The walker is parked at (-300, -300) until the scene places
    // it. Null navigation: logged, false.
    bool Create(VoNavigationTDO* apNavigation, VoSteeringTDO* apSteering);
    // Fits the bounds of the camera's regions (ids compared case-sensitively)
    // and highlights the current camera's; false without a navigation or
    // without current regions.
    bool SetView(const VoString& aCameraId);
    // Fits the bounds of every region; hides the view name.
    void ShowAll();
    // Scales and moves the content so that the ground rectangle fills the
    // inner square (560 less the margins) along its longer side, centred.
    // A rectangle without extent leaves the content as it is (false).
    bool FitContentRect(VoRectangle* apRectangle);
    // The waypoint layer: a diamond per waypoint, a segment per link from a
    // lower to a higher index, a label with the waypoint's id.
    bool SetupWayPoints();
    // Replaces the ground layer by the meshes' triangles, placed by their
    // owner frames and seen from above (x, z).
    bool SetupGroundMeshes(int aCount, VoMesh** appMeshes);
    void SetPickPosition(const VoVector2& aPosition);
    bool CreatePath();
    bool CreatePlayer();
    // The route polyline from the path finding's last route; unchanged without one.
    void UpdatePath();
    // On: a click on the overlay becomes the walk's target. Off at first.
    bool SetMouseListening(bool aOn);

    // Logs "aKey:" and the key, as a plain line.
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    // Moves the route, the markers and the walker's arrow to the walk's state.
    void OnUpdate() override;

    // The ground point under a screen point (the content's inverse transform).
    VoVector2 ScreenToGround(const VoVector2& aScreen);

    VoDisplayGroup* GetContentGroup() const { return fpContentGroup; }
    const VoRectangle* GetViewRect() const { return fpViewRect; }
    const VoRectangle* GetAllRect() const { return fpAllRect; }
    const VoString& GetViewName() const { return fViewName; }
    bool IsShowingView() const { return fShowingView; }
    VoTextArea* GetViewNameText() const { return fpViewNameText; }

private:
    // A stroked shape of the colour, filed in the group under the id; null
    // (logged, not filed) when the group refuses it.
    VoSPolygon* AddPolygon(VoDisplayGroup* apGroup, const VoString& aId, const VoPolygon& aPolygon,
                           const VoColor& aColor);
    VoSRectangle* AddMarker(VoDisplayGroup* apGroup, const VoString& aId, const VoColor& aColor);
    // A new empty group filed under the id; null when refused.
    static VoDisplayGroup* AddGroup(VoDisplayGroup* apGroup, const VoString& aId);
    // Strokes the current camera's regions white, the others faint.
    void HighlightView();
    void JoinKeyboard();
    void JoinFrames();
    // Leaves the keyboard, the mouse and the frames.
    void LeaveInput();

    VoNavigationTDO* fpNavigation;  // not owned
    VoSteeringTDO* fpSteering;      // not owned; may be null
    // The layers: members of this group (content) and of the content group.
    VoDisplayGroup* fpContentGroup;
    VoDisplayGroup* fpPositiveGroup;
    VoDisplayGroup* fpNegativeGroup;
    VoDisplayGroup* fpGroundGroup;
    VoDisplayGroup* fpWayPointGroup;
    VoDisplayGroup* fpPathGroup;
    float fWidth;
    float fHeight;
    float fMargin;
    VoString fViewName;
    VoRectangle* fpViewRect;  // owned
    VoRectangle* fpAllRect;   // owned
    bool fShowingView;
    // Members of the content group (or of the path group).
    VoSRectangle* fpPickShape;
    VoSRectangle* fpTargetShape;
    VoSPolygon* fpNextPointShape;
    VoSPolygon* fpPlayerShape;
    VoSPolygon* fpPathShape;
    VoTextArea* fpViewNameText;  // a member of this group
    bool fInKeyboard;
    bool fInMouse;
    bool fInFrames;
};
