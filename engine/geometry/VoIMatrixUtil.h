#pragma once
// The matrix and vector maths service, made by the registry under the id
// "matrixutil". Every slot takes pointers for matrices, vectors and
// quaternions and floats by value, writes only its output and returns it
// (null when it fails). The conventions are those of VoMatrix.h.
#include "container/VoStreamObject.h"

class VoMatrix;
class VoVector3;
class VoVector4;

class VoIMatrixUtil : public VoStreamObject {
public:
    static constexpr const char* kCreationFailure = "VoIMatrixUtil creation failure.";

    // The one service, made on first use by the "matrixutil" creator through
    // the API-object manager (with the argument 0) and owned by the engine
    // cleaner. Null when it cannot be made (the next call tries again) and
    // null once the cleaner has deleted it. The matrix functions of VoMatrix.h
    // do not need it: they are the same maths, without the service.
    static VoIMatrixUtil* GetInstance();

    ~VoIMatrixUtil() override = default;

    virtual VoMatrix* MatrixIdentity(VoMatrix* apOut) = 0;
    virtual VoMatrix* MatrixInverse(VoMatrix* apOut, const VoMatrix* apM) = 0;
    virtual VoMatrix* MatrixLookAt(VoMatrix* apOut, const VoVector3* apEye, const VoVector3* apAt,
                                   const VoVector3* apUp) = 0;
    // Matrix before vector; the same as Vec3TransformCoord.
    virtual VoVector3* TransformCoord(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) = 0;
    virtual VoMatrix* MatrixMultiply(VoMatrix* apOut, const VoMatrix* apA, const VoMatrix* apB) = 0;
    // Matrix before vector; the same as Vec3TransformNormal.
    virtual VoVector3* TransformNormal(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) = 0;
    virtual VoVector3* Vec3Normalize(VoVector3* apOut, const VoVector3* apV) = 0;
    virtual VoMatrix* MatrixOrtho(VoMatrix* apOut, float aWidth, float aHeight, float aZNear,
                                  float aZFar) = 0;
    virtual VoMatrix* MatrixPerspectiveFov(VoMatrix* apOut, float aFovY, float aAspect, float aZNear,
                                           float aZFar) = 0;
    virtual VoMatrix* MatrixRotationX(VoMatrix* apOut, float aAngle) = 0;
    virtual VoMatrix* MatrixRotationY(VoMatrix* apOut, float aAngle) = 0;
    virtual VoMatrix* MatrixRotationZ(VoMatrix* apOut, float aAngle) = 0;
    virtual VoMatrix* MatrixRotationQuaternion(VoMatrix* apOut, const VoVector4* apQ) = 0;
    virtual VoVector4* QuaternionSlerp(VoVector4* apOut, const VoVector4* apQ1, const VoVector4* apQ2,
                                       float aT) = 0;
    virtual VoVector4* QuaternionRotationMatrix(VoVector4* apOut, const VoMatrix* apM) = 0;
    virtual VoMatrix* QuaternionToMatrix(VoMatrix* apOut, const VoVector4* apQ) = 0;
    virtual VoMatrix* MatrixScaling(VoMatrix* apOut, float aSx, float aSy, float aSz) = 0;
    // Vector before matrix.
    virtual VoVector3* Vec3TransformCoord(VoVector3* apOut, const VoVector3* apV, const VoMatrix* apM) = 0;
    virtual VoVector3* Vec3TransformNormal(VoVector3* apOut, const VoVector3* apV, const VoMatrix* apM) = 0;
    virtual VoMatrix* MatrixTranslation(VoMatrix* apOut, float aX, float aY, float aZ) = 0;
};
