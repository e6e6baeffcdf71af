#include "geometry/VoRectangle.h"

#include "container/VoLog.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"

void VoRectangle::Set(float aX, float aY, float aWidth, float aHeight) {
    x = aX;
    y = aY;
    width = aWidth;
    height = aHeight;
}

bool VoRectangle::ContainsRect(const VoRectangle& /*aOther*/) const {
    VO_ERROR(kContainsRectNYI);
    return false;
}

VoRectangle VoRectangle::GetIntersection(const VoRectangle& /*aOther*/) const {
    VoLog::WriteLine(kGetIntersectionNYI);
    return VoRectangle();
}

void VoRectangle::GetUnion(const VoRectangle& aOther, VoRectangle& aOut) const {
    // Each candidate becomes the new minimum if smaller, else the new maximum
    // if larger, starting from this corner: a negative size comes out normalised.
    const float xs[4] = {x, x + width, aOther.x, aOther.x + aOther.width};
    const float ys[4] = {y, y + height, aOther.y, aOther.y + aOther.height};
    float minX = x;
    float maxX = x;
    float minY = y;
    float maxY = y;
    for (int i = 0; i < 4; ++i) {
        if (xs[i] < minX) {
            minX = xs[i];
        } else if (xs[i] > maxX) {
            maxX = xs[i];
        }
        if (ys[i] < minY) {
            minY = ys[i];
        } else if (ys[i] > maxY) {
            maxY = ys[i];
        }
    }
    aOut.Set(minX, minY, maxX - minX, maxY - minY);
}

VoRectangle& VoRectangle::Union(const VoRectangle& aOther) {
    GetUnion(aOther, *this);
    return *this;
}

VoRectangle& VoRectangle::operator+=(const VoVector2& aOffset) {
    Translate(aOffset);
    return *this;
}

VoRectangle VoRectangle::operator+(const VoVector2& aOffset) const {
    VoRectangle moved(*this);
    moved.Translate(aOffset);
    return moved;
}

VoIRegion* VoRectangle::Clone() const {
    VoRectangle* copy = VO_NEW VoRectangle(*this);
    if (copy == nullptr) {
        VO_ERROR("Clone failure. Could not allocate VoRectangle.");
        return nullptr;
    }
    return copy;
}

bool VoRectangle::ContainsPoint(const VoVector2& aPoint) const {
    return x <= aPoint.x && aPoint.x <= x + width && y <= aPoint.y && aPoint.y <= y + height;
}

void VoRectangle::Transform(const VoMatrix& aMatrix) {
    const VoVector3 corner(x, y, 0.0f);
    VoVector3 moved;
    TransformCoord(&moved, &aMatrix, &corner);
    x = moved.x;
    y = moved.y;
}

void VoRectangle::Translate(const VoVector2& aOffset) {
    x += aOffset.x;
    y += aOffset.y;
}

VoString VoRectangle::ToString() const {
    VoString text("[VoRectangle <");
    text.Append(static_cast<const void*>(this));
    text.Append(">]");
    return text;
}
