#include "platform/VoMatrixUtilDX9.h"

#include "container/VoString.h"
#include "geometry/VoMatrix.h"

bool VoMatrixUtilDX9::Initialize(std::uintptr_t /*aArgument*/) {
    return true;
}

VoString VoMatrixUtilDX9::ToString() const {
    VoString text("[VoMatrixUtilDX9 <");
    text.Append(static_cast<const void*>(this));
    text.Append(">]");
    return text;
}

VoMatrix* VoMatrixUtilDX9::MatrixIdentity(VoMatrix* apOut) {
    return ::MatrixIdentity(apOut);
}

VoMatrix* VoMatrixUtilDX9::MatrixInverse(VoMatrix* apOut, const VoMatrix* apM) {
    return ::MatrixInverse(apOut, apM);
}

VoMatrix* VoMatrixUtilDX9::MatrixLookAt(VoMatrix* apOut, const VoVector3* apEye, const VoVector3* apAt,
                                        const VoVector3* apUp) {
    return ::MatrixLookAt(apOut, apEye, apAt, apUp);
}

VoVector3* VoMatrixUtilDX9::TransformCoord(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) {
    return ::TransformCoord(apOut, apM, apV);
}

VoMatrix* VoMatrixUtilDX9::MatrixMultiply(VoMatrix* apOut, const VoMatrix* apA, const VoMatrix* apB) {
    return ::MatrixMultiply(apOut, apA, apB);
}

VoVector3* VoMatrixUtilDX9::TransformNormal(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) {
    return ::TransformNormal(apOut, apM, apV);
}

VoVector3* VoMatrixUtilDX9::Vec3Normalize(VoVector3* apOut, const VoVector3* apV) {
    return ::Vec3Normalize(apOut, apV);
}

VoMatrix* VoMatrixUtilDX9::MatrixOrtho(VoMatrix* apOut, float aWidth, float aHeight, float aZNear,
                                       float aZFar) {
    return ::MatrixOrtho(apOut, aWidth, aHeight, aZNear, aZFar);
}

VoMatrix* VoMatrixUtilDX9::MatrixPerspectiveFov(VoMatrix* apOut, float aFovY, float aAspect, float aZNear,
                                                float aZFar) {
    return ::MatrixPerspectiveFov(apOut, aFovY, aAspect, aZNear, aZFar);
}

VoMatrix* VoMatrixUtilDX9::MatrixRotationX(VoMatrix* apOut, float aAngle) {
    return ::MatrixRotationX(apOut, aAngle);
}

VoMatrix* VoMatrixUtilDX9::MatrixRotationY(VoMatrix* apOut, float aAngle) {
    return ::MatrixRotationY(apOut, aAngle);
}

VoMatrix* VoMatrixUtilDX9::MatrixRotationZ(VoMatrix* apOut, float aAngle) {
    return ::MatrixRotationZ(apOut, aAngle);
}

VoMatrix* VoMatrixUtilDX9::MatrixRotationQuaternion(VoMatrix* apOut, const VoVector4* apQ) {
    return ::MatrixRotationQuaternion(apOut, apQ);
}

VoVector4* VoMatrixUtilDX9::QuaternionSlerp(VoVector4* apOut, const VoVector4* apQ1, const VoVector4* apQ2,
                                            float aT) {
    return ::QuaternionSlerp(apOut, apQ1, apQ2, aT);
}

VoVector4* VoMatrixUtilDX9::QuaternionRotationMatrix(VoVector4* apOut, const VoMatrix* apM) {
    return ::QuaternionRotationMatrix(apOut, apM);
}

VoMatrix* VoMatrixUtilDX9::QuaternionToMatrix(VoMatrix* apOut, const VoVector4* apQ) {
    return ::QuaternionToMatrix(apOut, apQ);
}

VoMatrix* VoMatrixUtilDX9::MatrixScaling(VoMatrix* apOut, float aSx, float aSy, float aSz) {
    return ::MatrixScaling(apOut, aSx, aSy, aSz);
}

// The vector-first pair is the matrix-first pair with the arguments swapped.
VoVector3* VoMatrixUtilDX9::Vec3TransformCoord(VoVector3* apOut, const VoVector3* apV, const VoMatrix* apM) {
    return ::TransformCoord(apOut, apM, apV);
}

VoVector3* VoMatrixUtilDX9::Vec3TransformNormal(VoVector3* apOut, const VoVector3* apV, const VoMatrix* apM) {
    return ::TransformNormal(apOut, apM, apV);
}

VoMatrix* VoMatrixUtilDX9::MatrixTranslation(VoMatrix* apOut, float aX, float aY, float aZ) {
    return ::MatrixTranslation(apOut, aX, aY, aZ);
}
