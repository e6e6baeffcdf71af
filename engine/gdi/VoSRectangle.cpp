#include "gdi/VoSRectangle.h"

#include "container/VoLog.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"

VoSRectangle::VoSRectangle() = default;

VoSRectangle::~VoSRectangle() {
    delete fpRectangle;
}

bool VoSRectangle::Render(VoRenderer* apRenderer) {
    return VoIShape::Render(apRenderer);
}

bool VoSRectangle::SetShapeRectangle(const VoRectangle& aRectangle) {
    VoRectangle* copy = VO_NEW VoRectangle(aRectangle);
    if (copy == nullptr) {
        return false;
    }
    delete fpRectangle;
    fpRectangle = copy;
    SetDirty(true);
    return true;
}

bool VoSRectangle::UpdateShape() {
    if (!IsDirty() || fpRectangle == nullptr) {
        return false;
    }
    const float left = fpRectangle->x;
    const float right = fpRectangle->x + fpRectangle->width;
    const float top = -fpRectangle->y;
    const float bottom = -(fpRectangle->y + fpRectangle->height);
    bool result = true;
    if (GetStroked()) {
        const float outline[] = {left, top,  0.0f,   right, top,  0.0f, right, bottom,
                                 0.0f, left, bottom, 0.0f,  left, top,  0.0f};
        result = ReplaceStroke(outline, 5) && result;
    }
    if (GetFilled()) {
        const float triangles[] = {left,  bottom, 0.0f, left, top, 0.0f, right, bottom, 0.0f,
                                   right, bottom, 0.0f, left, top, 0.0f, right, top,    0.0f};
        result = ReplaceFill(triangles, 6) && result;
    }
    if (!result) {
        VO_ASSERT_FAILURE(kUpdateShapeFailure);
        return false;
    }
    SetDirty(false);
    return true;
}
