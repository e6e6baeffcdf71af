#pragma once
// The platform's matrix utility. It keeps no state: every slot is the
// engine's own maths of geometry/VoMatrix.h.
#include <cstdint>

#include "geometry/VoIMatrixUtil.h"

class VoMatrixUtilDX9 : public VoIMatrixUtil {
public:
    VoMatrixUtilDX9() = default;
    ~VoMatrixUtilDX9() override = default;

    bool Initialize(std::uintptr_t aArgument) override;
    // "[VoMatrixUtilDX9 <address>]".
    VoString ToString() const override;

    VoMatrix* MatrixIdentity(VoMatrix* apOut) override;
    VoMatrix* MatrixInverse(VoMatrix* apOut, const VoMatrix* apM) override;
    VoMatrix* MatrixLookAt(VoMatrix* apOut, const VoVector3* apEye, const VoVector3* apAt,
                           const VoVector3* apUp) override;
    VoVector3* TransformCoord(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) override;
    VoMatrix* MatrixMultiply(VoMatrix* apOut, const VoMatrix* apA, const VoMatrix* apB) override;
    VoVector3* TransformNormal(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) override;
    VoVector3* Vec3Normalize(VoVector3* apOut, const VoVector3* apV) override;
    VoMatrix* MatrixOrtho(VoMatrix* apOut, float aWidth, float aHeight, float aZNear, float aZFar) override;
    VoMatrix* MatrixPerspectiveFov(VoMatrix* apOut, float aFovY, float aAspect, float aZNear,
                                   float aZFar) override;
    VoMatrix* MatrixRotationX(VoMatrix* apOut, float aAngle) override;
    VoMatrix* MatrixRotationY(VoMatrix* apOut, float aAngle) override;
    VoMatrix* MatrixRotationZ(VoMatrix* apOut, float aAngle) override;
    VoMatrix* MatrixRotationQuaternion(VoMatrix* apOut, const VoVector4* apQ) override;
    VoVector4* QuaternionSlerp(VoVector4* apOut, const VoVector4* apQ1, const VoVector4* apQ2,
                               float aT) override;
    VoVector4* QuaternionRotationMatrix(VoVector4* apOut, const VoMatrix* apM) override;
    VoMatrix* QuaternionToMatrix(VoMatrix* apOut, const VoVector4* apQ) override;
    VoMatrix* MatrixScaling(VoMatrix* apOut, float aSx, float aSy, float aSz) override;
    VoVector3* Vec3TransformCoord(VoVector3* apOut, const VoVector3* apV, const VoMatrix* apM) override;
    VoVector3* Vec3TransformNormal(VoVector3* apOut, const VoVector3* apV, const VoMatrix* apM) override;
    VoMatrix* MatrixTranslation(VoMatrix* apOut, float aX, float aY, float aZ) override;
};
