#include "gdi/VoSPolygon.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"

VoSPolygon::VoSPolygon() = default;

VoSPolygon::~VoSPolygon() {
    delete fpPolygon;
}

VoString VoSPolygon::ToString() const {
    return VoDebugString("VoSPolygon", this);
}

bool VoSPolygon::Render(VoRenderer* apRenderer) {
    return VoIShape::Render(apRenderer);
}

bool VoSPolygon::SetPoints(const VoVector2* apPoints, int aCount, bool aClosed) {
    if (aCount < 0 || (apPoints == nullptr && aCount > 0)) {
        return false;
    }
    VoPolygon* copy = VO_NEW VoPolygon(apPoints, aCount, aClosed);
    if (copy == nullptr) {
        return false;
    }
    delete fpPolygon;
    fpPolygon = copy;
    SetDirty(true);
    return true;
}

bool VoSPolygon::SetPolygon(const VoPolygon& aPolygon) {
    VoPolygon* copy = VO_NEW VoPolygon(aPolygon);
    if (copy == nullptr) {
        return false;
    }
    delete fpPolygon;
    fpPolygon = copy;
    SetDirty(true);
    return true;
}

VoPolygon* VoSPolygon::GetPolygon() {
    return fpPolygon;
}

bool VoSPolygon::UpdateShape() {
    if (!IsDirty()) {
        return true;
    }
    if (fpPolygon == nullptr) {
        return false;
    }
    const int pointCount = fpPolygon->GetNumPoints();
    const int vertexCount = pointCount + (fpPolygon->IsClosed() && pointCount > 0 ? 1 : 0);
    const VoVector2* points = fpPolygon->PeekPoints();
    float* vertices = vertexCount > 0 ? VO_NEW float[static_cast<std::size_t>(vertexCount) * 3] : nullptr;
    if (vertices != nullptr) {
        for (int i = 0; i < vertexCount; ++i) {
            const VoVector2& point = points[i < pointCount ? i : 0];
            vertices[i * 3] = point.x;
            vertices[i * 3 + 1] = -point.y;
            vertices[i * 3 + 2] = 0.0f;
        }
    }
    const bool stored = ReplaceStroke(vertices, vertexCount);
    delete[] vertices;
    if (!stored) {
        VO_ASSERT_FAILURE(kUpdateShapeFailure);
        return false;
    }
    SetDirty(false);
    return true;
}
