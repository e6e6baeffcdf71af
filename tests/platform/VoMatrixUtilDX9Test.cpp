#include "platform/VoMatrixUtilDX9.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/VoMatrix.h"
#include "support/GeometryTestSupport.h"

namespace {

void ExpectSameMatrix(const VoMatrix& aActual, const VoMatrix& aExpected) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(aActual.m[r][c], aExpected.m[r][c]) << "element " << r + 1 << c + 1;
        }
    }
}

}  // namespace

TEST(VoMatrixUtilDX9, InitializesAndDescribesItself) {
    VoMatrixUtilDX9 util;
    EXPECT_TRUE(util.Initialize(0));
    EXPECT_EQ(Narrow(util.ToString()), "[VoMatrixUtilDX9 <" + HexAddress(&util) + ">]");
}

TEST(VoMatrixUtilDX9, TranslationMovesPointsNotDirections) {
    VoMatrixUtilDX9 util;
    VoIMatrixUtil& service = util;
    VoMatrix translation;
    ASSERT_EQ(service.MatrixTranslation(&translation, 1.0f, 2.0f, 3.0f), &translation);
    const VoVector3 origin;
    const VoVector3 xAxis(1.0f, 0.0f, 0.0f);
    VoVector3 out;
    service.Vec3TransformCoord(&out, &origin, &translation);
    EXPECT_EQ(out, VoVector3(1.0f, 2.0f, 3.0f));
    service.TransformCoord(&out, &translation, &origin);
    EXPECT_EQ(out, VoVector3(1.0f, 2.0f, 3.0f));
    service.Vec3TransformNormal(&out, &xAxis, &translation);
    EXPECT_EQ(out, xAxis);
    service.TransformNormal(&out, &translation, &xAxis);
    EXPECT_EQ(out, xAxis);
}

TEST(VoMatrixUtilDX9, BothQuaternionSlotsGiveTheSameMatrix) {
    VoMatrixUtilDX9 util;
    VoIMatrixUtil& service = util;
    const VoVector4 q(0.1825742f, 0.3651484f, 0.5477226f, 0.7302967f);
    VoMatrix fromRotation;
    VoMatrix fromConversion;
    service.MatrixRotationQuaternion(&fromRotation, &q);
    service.QuaternionToMatrix(&fromConversion, &q);
    ExpectSameMatrix(fromRotation, fromConversion);
    VoVector4 back;
    service.QuaternionRotationMatrix(&back, &fromRotation);
    EXPECT_NEAR(back.x, q.x, 1e-5f);
    EXPECT_NEAR(back.w, q.w, 1e-5f);
}

TEST(VoMatrixUtilDX9, PerspectiveScales) {
    VoMatrixUtilDX9 util;
    VoIMatrixUtil& service = util;
    VoMatrix projection;
    service.MatrixPerspectiveFov(&projection, kPi / 2, 4.0f / 3.0f, 1.0f, 100.0f);
    EXPECT_NEAR(projection.m[1][1], 1.0f, 1e-6f);
    EXPECT_NEAR(projection.m[0][0], 0.75f, 1e-6f);
}

TEST(VoMatrixUtilDX9, SlotsComputeWhatTheMatrixFunctionsCompute) {
    VoMatrixUtilDX9 util;
    VoIMatrixUtil& service = util;
    VoMatrix a;
    VoMatrix b;
    VoMatrix expected;
    VoMatrix actual;
    MatrixRotationX(&a, 0.3f);
    ExpectSameMatrix(*service.MatrixRotationX(&actual, 0.3f), a);
    MatrixRotationY(&b, -1.1f);
    ExpectSameMatrix(*service.MatrixRotationY(&actual, -1.1f), b);
    ExpectSameMatrix(*service.MatrixRotationZ(&actual, 2.0f), *MatrixRotationZ(&expected, 2.0f));
    ExpectSameMatrix(*service.MatrixMultiply(&actual, &a, &b), *MatrixMultiply(&expected, &a, &b));
    ExpectSameMatrix(*service.MatrixInverse(&actual, &a), *MatrixInverse(&expected, &a));
    ExpectSameMatrix(*service.MatrixIdentity(&actual), *MatrixIdentity(&expected));
    ExpectSameMatrix(*service.MatrixScaling(&actual, 1, 2, 3), *MatrixScaling(&expected, 1, 2, 3));
    ExpectSameMatrix(*service.MatrixOrtho(&actual, 800, 600, 0, 1), *MatrixOrtho(&expected, 800, 600, 0, 1));
    const VoVector3 eye(1, 2, 3);
    const VoVector3 at(0, 0, 0);
    const VoVector3 up(0, 1, 0);
    ExpectSameMatrix(*service.MatrixLookAt(&actual, &eye, &at, &up),
                     *MatrixLookAt(&expected, &eye, &at, &up));
    VoVector3 normal;
    service.Vec3Normalize(&normal, &eye);
    EXPECT_NEAR(normal.Length(), 1.0f, 1e-6f);
    const VoVector4 from(0, 0, 0, 1);
    const VoVector4 to(0, 1, 0, 0);
    VoVector4 slerped;
    VoVector4 reference;
    service.QuaternionSlerp(&slerped, &from, &to, 0.25f);
    QuaternionSlerp(&reference, &from, &to, 0.25f);
    EXPECT_EQ(slerped, reference);
}
