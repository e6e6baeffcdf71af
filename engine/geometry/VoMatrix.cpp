#include "geometry/VoMatrix.h"

#include <cfloat>
#include <cmath>

#include "container/VoLog.h"
#include "geometry/VoIMatrixUtil.h"
#include "geometry/VoVectorComponent.h"

namespace {

// Logs "<operation> failure. NULL arg." when any argument is null.
template <typename... Pointers>
bool ArgumentsPresent(const char* apOperation, const Pointers*... apArguments) {
    const bool missing = (... || (apArguments == nullptr));
    if (missing) {
        VO_ERROR(apOperation, " failure. NULL arg.");
        return false;
    }
    return true;
}

// A determinant this small against the product of the row lengths (its
// largest possible size) is rounding noise: the matrix is singular.
constexpr double kSingularRatio = 1e-13;

VoMatrix Rows(float a11, float a12, float a13, float a21, float a22, float a23, float a31, float a32,
              float a33) {
    return VoMatrix(a11, a12, a13, 0.0f, a21, a22, a23, 0.0f, a31, a32, a33, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
}

VoVector3 Normalized(const VoVector3& aV) {
    const float length = aV.Length();
    if (length == 0.0f) {
        return VoVector3();
    }
    return aV * (1.0f / length);
}

VoVector3 RowTimesMatrix(const VoVector3& aV, float aW, const VoMatrix& aM, float* apOutW) {
    float result[4];
    for (int column = 0; column < 4; ++column) {
        result[column] =
            aV.x * aM.m[0][column] + aV.y * aM.m[1][column] + aV.z * aM.m[2][column] + aW * aM.m[3][column];
    }
    if (apOutW != nullptr) {
        *apOutW = result[3];
    }
    return VoVector3(result[0], result[1], result[2]);
}

}  // namespace

VoMatrix::VoMatrix(float a11, float a12, float a13, float a14,  //
                   float a21, float a22, float a23, float a24,  //
                   float a31, float a32, float a33, float a34,  //
                   float a41, float a42, float a43, float a44)
    : m{{a11, a12, a13, a14}, {a21, a22, a23, a24}, {a31, a32, a33, a34}, {a41, a42, a43, a44}} {}

VoIMatrixUtil* VoMatrix::GetMatrixUtil() {
    return VoIMatrixUtil::GetInstance();
}

bool VoMatrix::Read(VoIStream* apStream) {
    float elements[16];
    if (!VoReadComponents(apStream, elements, 16)) {
        return false;
    }
    for (int i = 0; i < 16; ++i) {
        m[i / 4][i % 4] = elements[i];
    }
    return true;
}

bool VoMatrix::Write(VoIStream* apStream) const {
    float elements[16];
    for (int i = 0; i < 16; ++i) {
        elements[i] = m[i / 4][i % 4];
    }
    return VoWriteComponents(apStream, elements, 16);
}

VoMatrix* MatrixIdentity(VoMatrix* apOut) {
    if (!ArgumentsPresent("MatrixIdentity", apOut)) {
        return nullptr;
    }
    *apOut = Rows(1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    return apOut;
}

VoMatrix* MatrixInverse(VoMatrix* apOut, const VoMatrix* apM) {
    if (!ArgumentsPresent("MatrixInverse", apOut, apM)) {
        return nullptr;
    }
    // Cofactors from the 2 x 2 minors of the top and bottom row pairs, in
    // double so that float inputs lose nothing on the way.
    double a[4][4];
    double rowLengths = 1.0;
    for (int r = 0; r < 4; ++r) {
        double squared = 0.0;
        for (int c = 0; c < 4; ++c) {
            a[r][c] = apM->m[r][c];
            squared += a[r][c] * a[r][c];
        }
        rowLengths *= std::sqrt(squared);
    }
    const double s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    const double s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    const double s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    const double s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    const double s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    const double s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    const double c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    const double c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    const double c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    const double c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    const double c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    const double c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
    const double determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (!(std::fabs(determinant) > kSingularRatio * rowLengths) || !std::isfinite(determinant)) {
        VO_ERROR("MatrixInverse failure. Singular matrix.");
        return nullptr;
    }
    const double k = 1.0 / determinant;
    const double inverse[4][4] = {
        {(a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3) * k, (-a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3) * k,
         (a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3) * k, (-a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3) * k},
        {(-a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1) * k, (a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1) * k,
         (-a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1) * k, (a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1) * k},
        {(a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0) * k, (-a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0) * k,
         (a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0) * k, (-a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0) * k},
        {(-a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0) * k, (a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0) * k,
         (-a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0) * k, (a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0) * k},
    };
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            apOut->m[r][c] = static_cast<float>(inverse[r][c]);
        }
    }
    return apOut;
}

VoMatrix* MatrixLookAt(VoMatrix* apOut, const VoVector3* apEye, const VoVector3* apAt,
                       const VoVector3* apUp) {
    if (!ArgumentsPresent("MatrixLookAt", apOut, apEye, apAt, apUp)) {
        return nullptr;
    }
    const VoVector3 eye = *apEye;
    const VoVector3 zAxis = Normalized(*apAt - eye);
    const VoVector3 xAxis = Normalized(VoVector3::Cross(*apUp, zAxis));
    const VoVector3 yAxis = VoVector3::Cross(zAxis, xAxis);
    *apOut =
        VoMatrix(xAxis.x, yAxis.x, zAxis.x, 0.0f,  //
                 xAxis.y, yAxis.y, zAxis.y, 0.0f,  //
                 xAxis.z, yAxis.z, zAxis.z, 0.0f,  //
                 -VoVector3::Dot(xAxis, eye), -VoVector3::Dot(yAxis, eye), -VoVector3::Dot(zAxis, eye), 1.0f);
    return apOut;
}

VoVector3* TransformCoord(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) {
    if (!ArgumentsPresent("TransformCoord", apOut, apM, apV)) {
        return nullptr;
    }
    float w = 1.0f;
    const VoVector3 point = RowTimesMatrix(*apV, 1.0f, *apM, &w);
    *apOut = point * (1.0f / w);
    return apOut;
}

VoMatrix* MatrixMultiply(VoMatrix* apOut, const VoMatrix* apA, const VoMatrix* apB) {
    if (!ArgumentsPresent("MatrixMultiply", apOut, apA, apB)) {
        return nullptr;
    }
    VoMatrix product;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            product.m[r][c] = apA->m[r][0] * apB->m[0][c] + apA->m[r][1] * apB->m[1][c] +
                              apA->m[r][2] * apB->m[2][c] + apA->m[r][3] * apB->m[3][c];
        }
    }
    *apOut = product;
    return apOut;
}

VoVector3* TransformNormal(VoVector3* apOut, const VoMatrix* apM, const VoVector3* apV) {
    if (!ArgumentsPresent("TransformNormal", apOut, apM, apV)) {
        return nullptr;
    }
    *apOut = RowTimesMatrix(*apV, 0.0f, *apM, nullptr);
    return apOut;
}

VoVector3* Vec3Normalize(VoVector3* apOut, const VoVector3* apV) {
    if (!ArgumentsPresent("Vec3Normalize", apOut, apV)) {
        return nullptr;
    }
    *apOut = Normalized(*apV);
    return apOut;
}

VoMatrix* MatrixOrtho(VoMatrix* apOut, float aWidth, float aHeight, float aZNear, float aZFar) {
    if (!ArgumentsPresent("MatrixOrtho", apOut)) {
        return nullptr;
    }
    const float depth = aZFar - aZNear;
    *apOut = VoMatrix(2.0f / aWidth, 0.0f, 0.0f, 0.0f,   //
                      0.0f, 2.0f / aHeight, 0.0f, 0.0f,  //
                      0.0f, 0.0f, 1.0f / depth, 0.0f,    //
                      0.0f, 0.0f, -aZNear / depth, 1.0f);
    return apOut;
}

VoMatrix* MatrixPerspectiveFov(VoMatrix* apOut, float aFovY, float aAspect, float aZNear, float aZFar) {
    if (!ArgumentsPresent("MatrixPerspectiveFov", apOut)) {
        return nullptr;
    }
    const float yScale = std::cos(aFovY * 0.5f) / std::sin(aFovY * 0.5f);
    const float xScale = yScale / aAspect;
    const float depth = aZFar - aZNear;
    *apOut = VoMatrix(xScale, 0.0f, 0.0f, 0.0f,         //
                      0.0f, yScale, 0.0f, 0.0f,         //
                      0.0f, 0.0f, aZFar / depth, 1.0f,  //
                      0.0f, 0.0f, -aZNear * aZFar / depth, 0.0f);
    return apOut;
}

VoMatrix* MatrixRotationX(VoMatrix* apOut, float aAngle) {
    if (!ArgumentsPresent("MatrixRotationX", apOut)) {
        return nullptr;
    }
    const float c = std::cos(aAngle);
    const float s = std::sin(aAngle);
    *apOut = Rows(1.0f, 0.0f, 0.0f, 0.0f, c, s, 0.0f, -s, c);
    return apOut;
}

VoMatrix* MatrixRotationY(VoMatrix* apOut, float aAngle) {
    if (!ArgumentsPresent("MatrixRotationY", apOut)) {
        return nullptr;
    }
    const float c = std::cos(aAngle);
    const float s = std::sin(aAngle);
    *apOut = Rows(c, 0.0f, -s, 0.0f, 1.0f, 0.0f, s, 0.0f, c);
    return apOut;
}

VoMatrix* MatrixRotationZ(VoMatrix* apOut, float aAngle) {
    if (!ArgumentsPresent("MatrixRotationZ", apOut)) {
        return nullptr;
    }
    const float c = std::cos(aAngle);
    const float s = std::sin(aAngle);
    *apOut = Rows(c, s, 0.0f, -s, c, 0.0f, 0.0f, 0.0f, 1.0f);
    return apOut;
}

VoMatrix* MatrixRotationQuaternion(VoMatrix* apOut, const VoVector4* apQ) {
    if (!ArgumentsPresent("MatrixRotationQuaternion", apOut, apQ)) {
        return nullptr;
    }
    const float x = apQ->x;
    const float y = apQ->y;
    const float z = apQ->z;
    const float w = apQ->w;
    *apOut = Rows(1.0f - 2.0f * (y * y + z * z), 2.0f * (x * y + z * w), 2.0f * (x * z - y * w),  //
                  2.0f * (x * y - z * w), 1.0f - 2.0f * (x * x + z * z), 2.0f * (y * z + x * w),  //
                  2.0f * (x * z + y * w), 2.0f * (y * z - x * w), 1.0f - 2.0f * (x * x + y * y));
    return apOut;
}

VoVector4* QuaternionSlerp(VoVector4* apOut, const VoVector4* apQ1, const VoVector4* apQ2, float aT) {
    if (!ArgumentsPresent("QuaternionSlerp", apOut, apQ1, apQ2)) {
        return nullptr;
    }
    const VoVector4 from = *apQ1;
    VoVector4 to = *apQ2;
    float cosine = VoVector4::Dot(from, to);
    if (cosine < 0.0f) {
        to = VoVector4(-to.x, -to.y, -to.z, -to.w);
        cosine = -cosine;
    }
    float fromWeight = 1.0f - aT;
    float toWeight = aT;
    // Nearly equal rotations make sin(theta) vanish: blend linearly instead.
    if (1.0f - cosine > FLT_EPSILON) {
        const float theta = std::acos(cosine);
        const float sine = std::sin(theta);
        fromWeight = std::sin((1.0f - aT) * theta) / sine;
        toWeight = std::sin(aT * theta) / sine;
    }
    apOut->Set(from.x * fromWeight + to.x * toWeight, from.y * fromWeight + to.y * toWeight,
               from.z * fromWeight + to.z * toWeight, from.w * fromWeight + to.w * toWeight);
    return apOut;
}

VoVector4* QuaternionRotationMatrix(VoVector4* apOut, const VoMatrix* apM) {
    if (!ArgumentsPresent("QuaternionRotationMatrix", apOut, apM)) {
        return nullptr;
    }
    const float(&m)[4][4] = apM->m;
    const float trace = m[0][0] + m[1][1] + m[2][2];
    // Divide by the largest of the four candidates for accuracy; each
    // square root's argument is at least 1 on its branch.
    VoVector4 q;
    if (trace > 0.0f) {
        const float s = std::sqrt(1.0f + trace) * 2.0f;
        q.Set((m[1][2] - m[2][1]) / s, (m[2][0] - m[0][2]) / s, (m[0][1] - m[1][0]) / s, 0.25f * s);
    } else if (m[0][0] >= m[1][1] && m[0][0] >= m[2][2]) {
        const float s = std::sqrt(1.0f + m[0][0] - m[1][1] - m[2][2]) * 2.0f;
        q.Set(0.25f * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[1][2] - m[2][1]) / s);
    } else if (m[1][1] >= m[2][2]) {
        const float s = std::sqrt(1.0f - m[0][0] + m[1][1] - m[2][2]) * 2.0f;
        q.Set((m[0][1] + m[1][0]) / s, 0.25f * s, (m[1][2] + m[2][1]) / s, (m[2][0] - m[0][2]) / s);
    } else {
        const float s = std::sqrt(1.0f - m[0][0] - m[1][1] + m[2][2]) * 2.0f;
        q.Set((m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25f * s, (m[0][1] - m[1][0]) / s);
    }
    *apOut = q;
    return apOut;
}

VoMatrix* QuaternionToMatrix(VoMatrix* apOut, const VoVector4* apQ) {
    if (!ArgumentsPresent("QuaternionToMatrix", apOut, apQ)) {
        return nullptr;
    }
    return MatrixRotationQuaternion(apOut, apQ);
}

VoMatrix* MatrixScaling(VoMatrix* apOut, float aSx, float aSy, float aSz) {
    if (!ArgumentsPresent("MatrixScaling", apOut)) {
        return nullptr;
    }
    *apOut = Rows(aSx, 0.0f, 0.0f, 0.0f, aSy, 0.0f, 0.0f, 0.0f, aSz);
    return apOut;
}

VoMatrix* MatrixTranslation(VoMatrix* apOut, float aX, float aY, float aZ) {
    if (!ArgumentsPresent("MatrixTranslation", apOut)) {
        return nullptr;
    }
    *apOut = Rows(1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    apOut->m[3][0] = aX;
    apOut->m[3][1] = aY;
    apOut->m[3][2] = aZ;
    return apOut;
}
