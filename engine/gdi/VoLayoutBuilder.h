#pragma once
// Turns the sections of a layout file ("..._layout.txt", a property list)
// into display objects: groups with their children, sprites, buttons with
// one object per visual state, vector shapes, and the description of a
// scroll bar. The caller loads the file, picks the section it wants and
// owns what is returned until it adds it to a group. The builders open no
// file, except that the first sprite naming a texture reads its image from
// the texture manager's root.
//
// Keys shared by every element kind (absent ones leave the object's own
// defaults): "id" (required), "relativez", "position", "center" and
// "scale" (two numbers "x|y"; any other count is ignored), "rotation"
// (degrees; a button reads "rot"), "blend", "visible" (a truth value, or a
// condition "script[...]" evaluated once, at build time). A setter that
// refuses its value is logged as an assertion and building goes on.
//
// A list section ("sprites", "groups", "buttons", "shapes") holds one
// sub-section per element, built in file order and added to the parent as
// owned members; the sub-section names are not used. An element the parent
// refuses (an empty or duplicate id) is deleted.

class VoButton;
class VoDisplayGroup;
class VoIButtonListener;
class VoIShape;
class VoPropertyList;
class VoSBezier;
class VoSPolygon;
class VoSprite;
class VoSRectangle;
struct VoScrollBarDesc;

class VoLayoutBuilder {
public:
    static constexpr const char* kBuildGroupNull = "BuildGroup failure. NULL arg.";
    static constexpr const char* kBuildGroupsNull = "BuildGroups failure. NULL arg.";
    static constexpr const char* kBuildSpriteNull = "BuildSprite failure. NULL arg.";
    static constexpr const char* kBuildSpriteNoId = "BuildSprite failure. 'id' not found.";
    static constexpr const char* kBuildSpriteNoTexture = "BuildSprite failure. 'texture' not found.";
    static constexpr const char* kBuildSpritesNull = "BuildSprites failure. NULL arg.";
    static constexpr const char* kBuildSpritesFailure = "BuildSprites failure.";
    static constexpr const char* kBuildButtonNull = "BuildButton failure. NULL arg.";
    static constexpr const char* kBuildButtonNoId = "BuildButton failure. 'id' not found.";
    static constexpr const char* kBuildButtonsNull = "BuildButtons failure. NULL arg.";
    static constexpr const char* kStateNoType = "State creation failure. 'type' undefined.";
    static constexpr const char* kStateNoContentType = "State creation failed. Missing content type";
    static constexpr const char* kStateObjectFailure = "State object creation failure.";
    static constexpr const char* kBuildShapeNull = "BuildShape failure. NULL arg.";
    static constexpr const char* kBuildShapeNoType = "BuildShape failure. 'type' not found.";
    static constexpr const char* kBuildShapeUnknownType = "BuildShape failure. Unknown type: ";
    static constexpr const char* kBuildShapeNoId = "BuildShape failure. 'id' not found.";
    static constexpr const char* kBuildShapeFailure = "BuildShape failure.";
    static constexpr const char* kBuildShapesNull = "BuildShapes failure. NULL arg.";
    static constexpr const char* kBuildShapesFailure = "BuildShapes failure.";
    static constexpr const char* kBuildRectangleNull = "BuildRectangle failure. NULL arg.";
    static constexpr const char* kBuildRectangleNoCoords = "BuildRectangle failure. 'coords' not found.";
    static constexpr const char* kBuildRectangleCoordCount =
        "BuildRectangle failure. Invalid number of coords.";
    static constexpr const char* kBuildRectangleFailure = "BuildRectangle failure.";
    static constexpr const char* kBuildPolygonNull = "BuildPolygon failure. NULL arg.";
    static constexpr const char* kBuildPolygonNoCoords = "BuildPolygon failure. 'coords' not found.";
    static constexpr const char* kBuildPolygonFailure = "BuildPolygon failure.";
    static constexpr const char* kBuildBezierNull = "BuildBezier failure. NULL arg.";
    static constexpr const char* kBuildBezierNoCoords = "BuildBezier failure. 'coords' not found.";
    static constexpr const char* kBuildBezierFailure = "BuildBezier failure.";
    static constexpr const char* kBuildScrollBarNull = "BuildScrollBar failure. NULL arg.";
    static constexpr const char* kScrollBarNotFound = "Scrollbar group not found.";
    static constexpr const char* kNoDownArrowId = "'downarrowid' not found.";
    static constexpr const char* kNoUpArrowId = "'uparrowid' not found.";
    static constexpr const char* kNoBarId = "'barid' not found.";
    static constexpr const char* kNoBarHeight = "'barheight' not found.";
    static constexpr const char* kNoBarAreaHeight = "'barareaheight' not found.";
    static constexpr const char* kNoContentHeight = "'contentheight' not found.";
    static constexpr const char* kNoContentStart = "'contentstartpos' not found.";
    static constexpr const char* kNoScrollAreaHeight = "'scrollareaheight' not found.";
    static constexpr const char* kNoScrollIncrement = "'scrollincrement' not found.";

    VoLayoutBuilder() = delete;

    // A new group; with aWithChildren also its "sprites", "groups",
    // "buttons" (without a listener) and "shapes". A child list that
    // reports failure is logged as an assertion; the group is still
    // returned. Null without a node or an "id".
    static VoDisplayGroup* BuildGroup(VoPropertyList* apNode, bool aWithChildren);
    // BuildGroup(entry, true) for each entry. True unless the parent
    // refused one (an empty list is true); entries that fail to build are
    // skipped.
    static bool BuildGroups(VoPropertyList* apList, VoDisplayGroup* apParent);

    // A new sprite showing "texture" (an id that is also the file name
    // under the texture manager's root): the texture filed under that id,
    // or, the first time, the image read from the file and filed under it.
    // "texturecoords" x0|y0|x1|y1 picks the texels from (x0, y0) to
    // (x1, y1) inclusive; without it the whole image. Null without "id" or
    // "texture", or when the image cannot be read.
    static VoSprite* BuildSprite(VoPropertyList* apNode);
    // BuildSprite for each entry; one that fails is logged and skipped.
    // False only for an empty list; a sprite the parent refuses is deleted
    // and does not change the result.
    static bool BuildSprites(VoPropertyList* apList, VoDisplayGroup* apParent);

    // A new button registered with the engine mouse at "mouseorder" (0 when
    // absent), with the objects of its "states" section: each entry a
    // sprite, shape or group ("objecttype") shown for the state its
    // "statetype" letter names (n, o, d, x, h, ho in any case). A state
    // entry that fails is logged and left out. The listener (may be null)
    // hears the button's events. Null without a node or an "id".
    static VoButton* BuildButton(VoPropertyList* apNode, VoIButtonListener* apListener);
    // BuildButton for each entry, all with the same listener. True unless
    // the parent refused one; entries that fail to build are skipped.
    static bool BuildButtons(VoPropertyList* apList, VoDisplayGroup* apParent, VoIButtonListener* apListener);

    // A rectangle, polygon or bezier shape ("type", any case) from "coords",
    // with its stroke and fill: "stroked", "strokecolor" (A|R|G|B),
    // "filled", "fillcolor", "antialiased". Null for a "type" of none of
    // the three, without "id" or "coords", for a rectangle of other than
    // four coords, and for a colour of other than four numbers.
    static VoIShape* BuildShape(VoPropertyList* apNode);
    // "coords" x|y|width|height (exactly four), which also become the hit
    // boundary.
    static VoSRectangle* BuildRectangle(VoPropertyList* apNode);
    // "coords" x0|y0|x1|y1|... as a closed outline (a last unpaired number
    // is ignored), which also becomes the hit boundary.
    static VoSPolygon* BuildPolygon(VoPropertyList* apNode);
    // "coords" as the control points of joined cubic segments (4, 7, 10, ...
    // points); another count is logged and gives a shape without curves.
    static VoSBezier* BuildBezier(VoPropertyList* apNode);
    // BuildShape for each entry; one that fails is logged and skipped.
    // False only for an empty list; a shape the parent refuses is deleted.
    static bool BuildShapes(VoPropertyList* apList, VoDisplayGroup* apParent);

    // Fills everything of the description but fHorizontal: the buttons
    // named by "downarrowid", "uparrowid" and "barid" (member paths in the
    // group, "panel.bar" reaching into sub-groups), then "barheight",
    // "barareaheight", "contentheight", "contentstartpos" (x|y),
    // "scrollareaheight" and "scrollincrement" (absent ones are logged and
    // left 0). False when an id names no button of the group.
    static bool BuildScrollBar(VoPropertyList* apNode, VoDisplayGroup* apGroup, VoScrollBarDesc* apOut);
};
