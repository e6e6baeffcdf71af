#pragma once
// The engine's 4 x 4 float matrix and the matrix functions.
//
// Conventions (those of every transform, camera and projection): sixteen
// floats stored row by row, m[row][column]; points are row vectors
// multiplied on the left, p' = (p, 1) * M, so the translation sits in the
// fourth row; MatrixMultiply(out, a, b) gives a * b, which applies a first.
// The coordinate system is left-handed, angles are radians and quaternions
// are VoVector4 with the scalar part last.
//
// The functions are stateless maths: each writes only its output and
// returns it, so calls can be nested. Output and input may be the same
// object. A null argument logs "<Function> failure. NULL arg." and gives null.
#include "geometry/VoVector3.h"
#include "geometry/VoVector4.h"

class VoIMatrixUtil;
class VoIStream;

class VoMatrix {
public:
    // All zeros; callers set a matrix with one of the functions below before use.
    VoMatrix() : m{} {}
    // Row by row: m11 first, m44 last.
    VoMatrix(float a11, float a12, float a13, float a14,  //
             float a21, float a22, float a23, float a24,  //
             float a31, float a32, float a33, float a34,  //
             float a41, float a42, float a43, float a44);

    // The sixteen elements in storage order as 4-byte floats; every element
    // is attempted. A failed read leaves the matrix unchanged.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    // The matrix-utility service (VoIMatrixUtil::GetInstance): null before
    // start-up registered its creator and after the engine cleaner ran. The
    // functions below never need it.
    static VoIMatrixUtil* GetMatrixUtil();

    float m[4][4];
};

VoMatrix* MatrixIdentity(VoMatrix* apOut);
// Null, with the output untouched, when apM is singular.
VoMatrix* MatrixInverse(VoMatrix* apOut, const VoMatrix* apM);
// Left-handed view matrix from the eye towards aAt.
VoMatrix* MatrixLookAt(VoMatrix* apOut, const VoVector3* apEye, const VoVector3* apAt, const VoVector3* apUp);
// The point (v, 1) * M with x, y and z divided by the resulting w.
VoVector3* TransformCoord(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV);
// a * b: a applies first.
VoMatrix* MatrixMultiply(VoMatrix* apOut, const VoMatrix* apA, const VoMatrix* apB);
// The direction (v, 0) * M: upper 3 x 3 only, no translation, no division.
VoVector3* TransformNormal(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV);
// v scaled to unit length; the zero vector stays zero.
VoVector3* Vec3Normalize(VoVector3* apOut, const VoVector3* apV);
// Left-handed orthographic projection, depth zNear..zFar onto 0..1.
VoMatrix* MatrixOrtho(VoMatrix* apOut, float aWidth, float aHeight, float aZNear, float aZFar);
// Left-handed perspective projection with the vertical field of view aFovY.
VoMatrix* MatrixPerspectiveFov(VoMatrix* apOut, float aFovY, float aAspect, float aZNear, float aZFar);
VoMatrix* MatrixRotationX(VoMatrix* apOut, float aAngle);
VoMatrix* MatrixRotationY(VoMatrix* apOut, float aAngle);
VoMatrix* MatrixRotationZ(VoMatrix* apOut, float aAngle);
// The rotation of a unit quaternion.
VoMatrix* MatrixRotationQuaternion(VoMatrix* apOut, const VoVector4* apQ);
// From apQ1 (t = 0) to apQ2 (t = 1) along the shorter arc; not renormalised.
VoVector4* QuaternionSlerp(VoVector4* apOut, const VoVector4* apQ1, const VoVector4* apQ2, float aT);
// The unit quaternion of the rotation in apM's upper 3 x 3.
VoVector4* QuaternionRotationMatrix(VoVector4* apOut, const VoMatrix* apM);
// The same as MatrixRotationQuaternion.
VoMatrix* QuaternionToMatrix(VoMatrix* apOut, const VoVector4* apQ);
VoMatrix* MatrixScaling(VoMatrix* apOut, float aSx, float aSy, float aSz);
VoMatrix* MatrixTranslation(VoMatrix* apOut, float aX, float aY, float aZ);
