#include "gdi/VoLayoutBuilder.h"

#include <cstdint>

#include "container/VoColor.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoIShape.h"
#include "gdi/VoSBezier.h"
#include "gdi/VoSPolygon.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "render/VoTextureManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"

namespace {

// Keys shared by every element kind.
constexpr const char16_t* kId = u"id";
constexpr const char16_t* kRelativeZ = u"relativez";
constexpr const char16_t* kPosition = u"position";
constexpr const char16_t* kCenter = u"center";
constexpr const char16_t* kRotation = u"rotation";
constexpr const char16_t* kScale = u"scale";
constexpr const char16_t* kBlend = u"blend";
constexpr const char16_t* kVisible = u"visible";
// A "visible" value that begins with this (any case) is a condition script.
constexpr const char16_t* kScriptPrefix = u"script";
constexpr int kScriptPrefixLength = 6;

// Groups.
constexpr const char16_t* kSprites = u"sprites";
constexpr const char16_t* kGroups = u"groups";
constexpr const char16_t* kButtons = u"buttons";
constexpr const char16_t* kShapes = u"shapes";

// Sprites.
constexpr const char16_t* kTexture = u"texture";
constexpr const char16_t* kTextureCoords = u"texturecoords";

// Buttons and their states.
constexpr const char16_t* kMouseOrder = u"mouseorder";
constexpr const char16_t* kRot = u"rot";
constexpr const char16_t* kEnabled = u"enabled";
constexpr const char16_t* kHilighted = u"hilighted";
constexpr const char16_t* kStates = u"states";
constexpr const char16_t* kStateType = u"statetype";
constexpr const char16_t* kObjectType = u"objecttype";

// Shapes.
constexpr const char16_t* kType = u"type";
constexpr const char16_t* kCoords = u"coords";
constexpr const char16_t* kStroked = u"stroked";
constexpr const char16_t* kStrokeColor = u"strokecolor";
constexpr const char16_t* kFilled = u"filled";
constexpr const char16_t* kFillColor = u"fillcolor";
constexpr const char16_t* kAntialiased = u"antialiased";
constexpr int kRectangleCoordCount = 4;
constexpr int kColorChannelCount = 4;

// Scroll bars.
constexpr const char16_t* kDownArrowId = u"downarrowid";
constexpr const char16_t* kUpArrowId = u"uparrowid";
constexpr const char16_t* kBarId = u"barid";
constexpr const char16_t* kBarHeight = u"barheight";
constexpr const char16_t* kBarAreaHeight = u"barareaheight";
constexpr const char16_t* kContentHeight = u"contentheight";
constexpr const char16_t* kContentStartPos = u"contentstartpos";
constexpr const char16_t* kScrollAreaHeight = u"scrollareaheight";
constexpr const char16_t* kScrollIncrement = u"scrollincrement";

// The number at aIndex, 0 past the end of the list (without a message: a
// short list is the layout's affair).
float Number(const VoVectorFloat& aList, int aIndex) {
    float value = 0.0f;
    return aIndex < aList.GetCount() && aList.GetAt(aIndex, &value) ? value : 0.0f;
}

// A two-number value ("x|y"); false when absent or of another count.
bool ReadPair(VoPropertyList* apNode, const char16_t* apKey, VoVector2& aOut) {
    bool found = false;
    const VoVectorFloat numbers = apNode->GetVectorFloat(VoString(apKey), &found);
    if (!found || numbers.GetCount() != 2) {
        return false;
    }
    aOut = VoVector2(Number(numbers, 0), Number(numbers, 1));
    return true;
}

void ApplyPosition(VoPropertyList* apNode, VoIDisplayObject* apObject) {
    VoVector2 position;
    if (ReadPair(apNode, kPosition, position)) {
        VO_ASSERT(apObject->SetPosition(position), "");
    }
}

void ApplyCenter(VoPropertyList* apNode, VoIDisplayObject* apObject) {
    VoVector2 center;
    if (ReadPair(apNode, kCenter, center)) {
        VO_ASSERT(apObject->SetCenter(center), "");
    }
}

void ApplyScale(VoPropertyList* apNode, VoIDisplayObject* apObject) {
    VoVector2 scale;
    if (ReadPair(apNode, kScale, scale)) {
        VO_ASSERT(apObject->SetScale(scale), "");
    }
}

// Under "rotation", or "rot" for buttons.
void ApplyRotation(VoPropertyList* apNode, VoIDisplayObject* apObject, const char16_t* apKey) {
    bool found = false;
    const float degrees = apNode->GetFloat(VoString(apKey), &found);
    if (found) {
        VO_ASSERT(apObject->SetRotation(degrees), "");
    }
}

void ApplyBlend(VoPropertyList* apNode, VoIDisplayObject* apObject) {
    bool found = false;
    const float blend = apNode->GetFloat(VoString(kBlend), &found);
    if (found) {
        VO_ASSERT(apObject->SetBlend(blend), "");
    }
}

// Only when present: groups set theirs always, as BuildGroup does itself.
void ApplyRelativeZ(VoPropertyList* apNode, VoIDisplayObject* apObject) {
    bool found = false;
    const float z = apNode->GetFloat(VoString(kRelativeZ), &found);
    if (found) {
        VO_ASSERT(apObject->SetRelativeZ(z), "");
    }
}

// A truth value, or a condition script evaluated once, now: later changes
// of states and events leave the object as it is.
void ApplyVisible(VoPropertyList* apNode, VoIDisplayObject* apObject) {
    bool found = false;
    const VoString text = apNode->GetString(VoString(kVisible), &found);
    if (!found) {
        return;
    }
    if (text.SubString(0, kScriptPrefixLength).EqualsNoCase(kScriptPrefix)) {
        VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
        VoScript script;
        if (builder != nullptr && builder->Build(text, &script)) {
            VO_ASSERT(apObject->SetVisible(script.Evaluate()), "");
        }
        return;
    }
    VO_ASSERT(apObject->SetVisible(apNode->GetBool(VoString(kVisible), nullptr)), "");
}

// A truth value applied through the setter when present.
template <typename Object>
void ApplyFlag(VoPropertyList* apNode, const char16_t* apKey, Object* apObject,
               bool (Object::*aSetter)(bool)) {
    bool found = false;
    const bool value = apNode->GetBool(VoString(apKey), &found);
    if (found) {
        VO_ASSERT((apObject->*aSetter)(value), "");
    }
}

// An A|R|G|B colour applied when present; false when present with another
// count of numbers.
bool ApplyColor(VoPropertyList* apNode, const char16_t* apKey, VoIShape* apShape,
                bool (VoIShape::*aSetter)(const VoColor&)) {
    bool found = false;
    const VoVectorFloat channels = apNode->GetVectorFloat(VoString(apKey), &found);
    if (!found) {
        return true;
    }
    if (channels.GetCount() != kColorChannelCount) {
        return false;
    }
    const VoColor color(Number(channels, 0), Number(channels, 1), Number(channels, 2), Number(channels, 3));
    VO_ASSERT((apShape->*aSetter)(color), "");
    return true;
}

// The pairs of "coords" as points: count / 2 of them, a last unpaired number
// left out. Null (count 0) without pairs; false when the array cannot be had.
bool ReadPoints(const VoVectorFloat& aCoords, VoVector2** appPoints, int* apCount) {
    const int count = aCoords.GetCount() / 2;
    *appPoints = nullptr;
    *apCount = 0;
    if (count == 0) {
        return true;
    }
    VoVector2* points = VO_NEW VoVector2[static_cast<std::size_t>(count)];
    if (points == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        points[i] = VoVector2(Number(aCoords, 2 * i), Number(aCoords, 2 * i + 1));
    }
    *appPoints = points;
    *apCount = count;
    return true;
}

// The state of a "statetype" letter, in the order the layouts name them.
bool StateOf(const VoString& aLetter, XBTNSTATE& aOut) {
    static constexpr struct {
        const char16_t* letter;
        XBTNSTATE state;
    } kLetters[] = {
        {u"n", XBTNSTATE_NORMAL},   {u"o", XBTNSTATE_OVER},      {u"d", XBTNSTATE_DOWN},
        {u"x", XBTNSTATE_DISABLED}, {u"h", XBTNSTATE_HILIGHTED}, {u"ho", XBTNSTATE_HILIGHTED_OVER},
    };
    for (const auto& entry : kLetters) {
        if (aLetter.EqualsNoCase(entry.letter)) {
            aOut = entry.state;
            return true;
        }
    }
    return false;
}

// The object that "objecttype" names, built from the state entry; null for
// another type or a failed build.
VoIDisplayObject* BuildStateObject(VoPropertyList* apEntry, const VoString& aObjectType) {
    if (aObjectType.EqualsNoCase(u"sprite")) {
        return VoLayoutBuilder::BuildSprite(apEntry);
    }
    if (aObjectType.EqualsNoCase(u"shape")) {
        return VoLayoutBuilder::BuildShape(apEntry);
    }
    if (aObjectType.EqualsNoCase(u"group")) {
        return VoLayoutBuilder::BuildGroup(apEntry, true);
    }
    return nullptr;
}

// Each entry of "states" gives the button one object; an entry that fails
// is logged and left out, and an object the button does not take is deleted.
void BuildStates(VoPropertyList* apStates, VoButton* apButton) {
    for (int i = 0; i < apStates->GetCount(); ++i) {
        // An entry written as a value has no keys at all.
        VoPropertyList* entry = apStates->GetListAt(i);
        bool found = false;
        const VoString stateType =
            entry != nullptr ? entry->GetString(VoString(kStateType), &found) : VoString();
        if (!found) {
            VO_ERROR(VoLayoutBuilder::kStateNoType);
            continue;
        }
        const VoString objectType = entry->GetString(VoString(kObjectType), &found);
        if (!found) {
            VO_ERROR(VoLayoutBuilder::kStateNoContentType);
            continue;
        }
        VoIDisplayObject* object = BuildStateObject(entry, objectType);
        if (object == nullptr) {
            VO_ERROR(VoLayoutBuilder::kStateObjectFailure);
            continue;
        }
        XBTNSTATE state = XBTNSTATE_NORMAL;
        if (!StateOf(stateType, state) || !apButton->AddButtonStateObject(state, object)) {
            delete object;
        }
    }
}

// Builds each entry of the list and adds it to the parent (owned); an
// element the parent refuses is deleted. aTellAdds: whether a refusal
// fails the result. aFailure: logged for an entry that does not build
// (null: skipped silently). An empty list gives aEmptyResult.
template <typename Build>
bool BuildList(VoPropertyList* apList, VoDisplayGroup* apParent, bool aEmptyResult, bool aTellAdds,
               const char* apFailure, Build aBuild) {
    if (apList->GetCount() == 0) {
        return aEmptyResult;
    }
    bool result = true;
    for (int i = 0; i < apList->GetCount(); ++i) {
        VoIDisplayObject* element = aBuild(apList->GetListAt(i));
        if (element == nullptr) {
            if (apFailure != nullptr) {
                VO_ASSERT_FAILURE(apFailure);
            }
            continue;
        }
        if (!apParent->AddMember(element, true)) {
            delete element;
            if (aTellAdds) {
                result = false;
            }
        }
    }
    return result;
}

}  // namespace

VoDisplayGroup* VoLayoutBuilder::BuildGroup(VoPropertyList* apNode, bool aWithChildren) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildGroupNull);
        return nullptr;
    }
    bool found = false;
    const VoString id = apNode->GetString(VoString(kId), &found);
    if (!found) {
        VO_ASSERT_FAILURE("");
        return nullptr;
    }
    const float z = apNode->GetFloat(VoString(kRelativeZ), nullptr);
    VoDisplayGroup* group = VO_NEW VoDisplayGroup();
    if (group == nullptr) {
        return nullptr;
    }
    VO_ASSERT(group->SetId(id), "");
    VO_ASSERT(group->SetRelativeZ(z), "");
    ApplyPosition(apNode, group);
    ApplyCenter(apNode, group);
    ApplyRotation(apNode, group, kRotation);
    ApplyScale(apNode, group);
    ApplyBlend(apNode, group);
    ApplyVisible(apNode, group);
    if (!aWithChildren) {
        return group;
    }
    if (VoPropertyList* sprites = apNode->GetList(VoString(kSprites))) {
        VO_ASSERT(BuildSprites(sprites, group), "");
    }
    if (VoPropertyList* groups = apNode->GetList(VoString(kGroups))) {
        VO_ASSERT(BuildGroups(groups, group), "");
    }
    if (VoPropertyList* buttons = apNode->GetList(VoString(kButtons))) {
        VO_ASSERT(BuildButtons(buttons, group, nullptr), "");
    }
    if (VoPropertyList* shapes = apNode->GetList(VoString(kShapes))) {
        VO_ASSERT(BuildShapes(shapes, group), "");
    }
    return group;
}

bool VoLayoutBuilder::BuildGroups(VoPropertyList* apList, VoDisplayGroup* apParent) {
    if (apList == nullptr || apParent == nullptr) {
        VO_ERROR(kBuildGroupsNull);
        return false;
    }
    return BuildList(apList, apParent, true, true, nullptr,
                     [](VoPropertyList* apEntry) { return BuildGroup(apEntry, true); });
}

VoSprite* VoLayoutBuilder::BuildSprite(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildSpriteNull);
        return nullptr;
    }
    bool found = false;
    const VoString id = apNode->GetString(VoString(kId), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildSpriteNoId);
        return nullptr;
    }
    VoSprite* sprite = VO_NEW VoSprite();
    if (sprite == nullptr) {
        return nullptr;
    }
    VO_ASSERT(sprite->SetId(id), "");
    ApplyRelativeZ(apNode, sprite);
    const VoString texture = apNode->GetString(VoString(kTexture), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildSpriteNoTexture);
        delete sprite;
        return nullptr;
    }
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const std::uint32_t handle = textures != nullptr ? textures->GetHandle(texture) : 0;
    ApplyScale(apNode, sprite);
    ApplyCenter(apNode, sprite);

    bool cut = false;
    const VoVectorFloat coords = apNode->GetVectorFloat(VoString(kTextureCoords), &cut);
    VoVector2 corner0(Number(coords, 0), Number(coords, 1));
    VoVector2 corner1(Number(coords, 2), Number(coords, 3));
    // Without "texturecoords" no corners: the whole image, w x h, whether the
    // texture is read now or was filed by an earlier sprite.
    VoVector2* min = cut ? &corner0 : nullptr;
    VoVector2* max = cut ? &corner1 : nullptr;
    if (handle == 0) {
        VoString path = textures != nullptr ? textures->GetRoot() : VoString();
        path.Append(texture);
        VoImage* image = nullptr;
        // The reader names the file; a sprite without its picture is no sprite.
        if (!VoImage::CreateFromFile(path, &image) || image == nullptr) {
            delete image;
            delete sprite;
            return nullptr;
        }
        VO_ASSERT(sprite->SetImage(texture, image, min, max), "");
        delete image;
    } else {
        VO_ASSERT(sprite->SetTexture(handle, min, max), "");
    }

    ApplyPosition(apNode, sprite);
    ApplyRotation(apNode, sprite, kRotation);
    ApplyBlend(apNode, sprite);
    ApplyVisible(apNode, sprite);
    return sprite;
}

bool VoLayoutBuilder::BuildSprites(VoPropertyList* apList, VoDisplayGroup* apParent) {
    if (apList == nullptr || apParent == nullptr) {
        VO_ERROR(kBuildSpritesNull);
        return false;
    }
    return BuildList(apList, apParent, false, false, kBuildSpritesFailure,
                     [](VoPropertyList* apEntry) { return BuildSprite(apEntry); });
}

VoButton* VoLayoutBuilder::BuildButton(VoPropertyList* apNode, VoIButtonListener* apListener) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildButtonNull);
        return nullptr;
    }
    bool found = false;
    const VoString id = apNode->GetString(VoString(kId), &found);
    if (!found) {
        VO_ERROR(kBuildButtonNoId);
        return nullptr;
    }
    VoButton* button = VO_NEW VoButton();
    if (button == nullptr) {
        return nullptr;
    }
    VO_ASSERT(button->SetId(id), "");
    ApplyRelativeZ(apNode, button);
    // Registered with the engine mouse from here on; deleting the button
    // takes it out again.
    const float order = apNode->GetFloat(VoString(kMouseOrder), nullptr);
    VO_ASSERT(button->SetMouseOrder(nullptr, order), "");

    ApplyPosition(apNode, button);
    ApplyCenter(apNode, button);
    ApplyRotation(apNode, button, kRot);
    ApplyScale(apNode, button);
    ApplyBlend(apNode, button);
    ApplyFlag<VoButton>(apNode, kEnabled, button, &VoButton::SetEnabled);
    ApplyVisible(apNode, button);
    ApplyFlag<VoButton>(apNode, kHilighted, button, &VoButton::SetHilighted);
    if (VoPropertyList* states = apNode->GetList(VoString(kStates))) {
        BuildStates(states, button);
    }
    // The right object shows from the first frame.
    button->UpdateState();
    if (apListener != nullptr) {
        VO_ASSERT(button->SetListener(apListener), "");
    }
    return button;
}

bool VoLayoutBuilder::BuildButtons(VoPropertyList* apList, VoDisplayGroup* apParent,
                                   VoIButtonListener* apListener) {
    if (apList == nullptr || apParent == nullptr) {
        VO_ERROR(kBuildButtonsNull);
        return false;
    }
    return BuildList(apList, apParent, true, true, nullptr,
                     [apListener](VoPropertyList* apEntry) { return BuildButton(apEntry, apListener); });
}

VoIShape* VoLayoutBuilder::BuildShape(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildShapeNull);
        return nullptr;
    }
    bool found = false;
    const VoString type = apNode->GetString(VoString(kType), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildShapeNoType);
        return nullptr;
    }
    VoIShape* shape = nullptr;
    if (type.EqualsNoCase(u"rectangle")) {
        shape = BuildRectangle(apNode);
    } else if (type.EqualsNoCase(u"polygon")) {
        shape = BuildPolygon(apNode);
    } else if (type.EqualsNoCase(u"bezier")) {
        shape = BuildBezier(apNode);
    } else {
        VO_ASSERT_FAILURE(kBuildShapeUnknownType, type);
        return nullptr;
    }
    if (shape == nullptr) {
        return nullptr;
    }
    const VoString id = apNode->GetString(VoString(kId), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildShapeNoId);
        delete shape;
        return nullptr;
    }
    VO_ASSERT(shape->SetId(id), "");

    ApplyFlag<VoIShape>(apNode, kStroked, shape, &VoIShape::SetStroked);
    bool colorsFit = ApplyColor(apNode, kStrokeColor, shape, &VoIShape::SetStrokeColor);
    if (colorsFit) {
        ApplyFlag<VoIShape>(apNode, kFilled, shape, &VoIShape::SetFilled);
        colorsFit = ApplyColor(apNode, kFillColor, shape, &VoIShape::SetFillColor);
    }
    if (!colorsFit) {
        VO_ASSERT_FAILURE(kBuildShapeFailure);
        delete shape;
        return nullptr;
    }
    ApplyFlag<VoIShape>(apNode, kAntialiased, shape, &VoIShape::SetAntialiased);

    ApplyRelativeZ(apNode, shape);
    ApplyScale(apNode, shape);
    ApplyCenter(apNode, shape);
    ApplyPosition(apNode, shape);
    ApplyRotation(apNode, shape, kRotation);
    ApplyBlend(apNode, shape);
    ApplyVisible(apNode, shape);
    return shape;
}

VoSRectangle* VoLayoutBuilder::BuildRectangle(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildRectangleNull);
        return nullptr;
    }
    bool found = false;
    const VoVectorFloat coords = apNode->GetVectorFloat(VoString(kCoords), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildRectangleNoCoords);
        return nullptr;
    }
    if (coords.GetCount() != kRectangleCoordCount) {
        VO_ASSERT_FAILURE(kBuildRectangleCoordCount);
        return nullptr;
    }
    VoSRectangle* shape = VO_NEW VoSRectangle();
    if (shape == nullptr) {
        return nullptr;
    }
    const VoRectangle rectangle(Number(coords, 0), Number(coords, 1), Number(coords, 2), Number(coords, 3));
    if (!shape->SetShapeRectangle(rectangle)) {
        VO_ASSERT_FAILURE(kBuildRectangleFailure);
    }
    // What hit tests use.
    VO_ASSERT(shape->SetBoundary(rectangle), "");
    return shape;
}

VoSPolygon* VoLayoutBuilder::BuildPolygon(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildPolygonNull);
        return nullptr;
    }
    bool found = false;
    const VoVectorFloat coords = apNode->GetVectorFloat(VoString(kCoords), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildPolygonNoCoords);
        return nullptr;
    }
    VoSPolygon* shape = VO_NEW VoSPolygon();
    if (shape == nullptr) {
        return nullptr;
    }
    VoVector2* points = nullptr;
    int count = 0;
    if (!ReadPoints(coords, &points, &count) || !shape->SetPoints(points, count, true)) {
        VO_ASSERT_FAILURE(kBuildPolygonFailure);
    }
    delete[] points;
    if (VoPolygon* polygon = shape->GetPolygon()) {
        VO_ASSERT(shape->SetBoundary(*polygon), "");
    }
    return shape;
}

VoSBezier* VoLayoutBuilder::BuildBezier(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        VO_ERROR(kBuildBezierNull);
        return nullptr;
    }
    bool found = false;
    const VoVectorFloat coords = apNode->GetVectorFloat(VoString(kCoords), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBuildBezierNoCoords);
        return nullptr;
    }
    VoSBezier* shape = VO_NEW VoSBezier();
    if (shape == nullptr) {
        return nullptr;
    }
    VoVector2* points = nullptr;
    int count = 0;
    // A count other than 4, 7, 10, ... leaves a shape without curves.
    if (!ReadPoints(coords, &points, &count) || !shape->Create(count, points, true)) {
        VO_ASSERT_FAILURE(kBuildBezierFailure);
    }
    delete[] points;
    return shape;
}

bool VoLayoutBuilder::BuildShapes(VoPropertyList* apList, VoDisplayGroup* apParent) {
    if (apList == nullptr || apParent == nullptr) {
        VO_ERROR(kBuildShapesNull);
        return false;
    }
    return BuildList(apList, apParent, false, false, kBuildShapesFailure,
                     [](VoPropertyList* apEntry) { return BuildShape(apEntry); });
}

bool VoLayoutBuilder::BuildScrollBar(VoPropertyList* apNode, VoDisplayGroup* apGroup,
                                     VoScrollBarDesc* apOut) {
    if (apNode == nullptr || apGroup == nullptr || apOut == nullptr) {
        VO_ERROR(kBuildScrollBarNull);
        return false;
    }
    const struct {
        const char16_t* key;
        const char* missing;
        VoButton* VoScrollBarDesc::*word;
    } kParts[] = {
        {kDownArrowId, kNoDownArrowId, &VoScrollBarDesc::fpDownArrow},
        {kUpArrowId, kNoUpArrowId, &VoScrollBarDesc::fpUpArrow},
        {kBarId, kNoBarId, &VoScrollBarDesc::fpBar},
    };
    for (const auto& part : kParts) {
        bool found = false;
        const VoString id = apNode->GetString(VoString(part.key), &found);
        if (!found) {
            VO_ASSERT_FAILURE(part.missing);
        }
        // The scroll bar drives its parts as buttons: anything else is as
        // good as missing.
        VoIDisplayObject* member = nullptr;
        VoButton* button = apGroup->FindMember(id, member) ? dynamic_cast<VoButton*>(member) : nullptr;
        if (button == nullptr) {
            VO_ERROR(kScrollBarNotFound);
            return false;
        }
        apOut->*part.word = button;
    }

    // Absent sizes are logged and left 0.
    auto readSize = [apNode](const char16_t* apKey, const char* apMissing) {
        bool found = false;
        const std::int32_t value = apNode->GetInt(VoString(apKey), &found);
        if (!found) {
            VO_ASSERT_FAILURE(apMissing);
        }
        return value;
    };
    apOut->fBarHeight = readSize(kBarHeight, kNoBarHeight);
    apOut->fBarAreaHeight = readSize(kBarAreaHeight, kNoBarAreaHeight);
    apOut->fContentHeight = readSize(kContentHeight, kNoContentHeight);
    bool found = false;
    const VoVectorFloat start = apNode->GetVectorFloat(VoString(kContentStartPos), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoContentStart);
    }
    apOut->fContentStart = VoVector2(Number(start, 0), Number(start, 1));
    apOut->fScrollAreaHeight = readSize(kScrollAreaHeight, kNoScrollAreaHeight);
    apOut->fScrollIncrement = readSize(kScrollIncrement, kNoScrollIncrement);
    return true;
}
