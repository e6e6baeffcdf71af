#include "geometry/VoMatrix.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

namespace {

using Reference = double[4][4];

void ExpectMatrixNear(const VoMatrix& aActual, const VoMatrix& aExpected, float aTolerance) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(aActual.m[r][c], aExpected.m[r][c], aTolerance) << "element " << r + 1 << c + 1;
        }
    }
}

void ExpectVectorNear(const VoVector3& aActual, const VoVector3& aExpected, float aTolerance) {
    EXPECT_NEAR(aActual.x, aExpected.x, aTolerance);
    EXPECT_NEAR(aActual.y, aExpected.y, aTolerance);
    EXPECT_NEAR(aActual.z, aExpected.z, aTolerance);
}

void ExpectQuaternionNear(const VoVector4& aActual, const VoVector4& aExpected, float aTolerance) {
    EXPECT_NEAR(aActual.x, aExpected.x, aTolerance);
    EXPECT_NEAR(aActual.y, aExpected.y, aTolerance);
    EXPECT_NEAR(aActual.z, aExpected.z, aTolerance);
    EXPECT_NEAR(aActual.w, aExpected.w, aTolerance);
}

VoMatrix Identity() {
    VoMatrix identity;
    MatrixIdentity(&identity);
    return identity;
}

// Random inputs from a fixed seed, so a failure repeats.
class RandomSource {
public:
    float Next(float aLow = -10.0f, float aHigh = 10.0f) {
        return std::uniform_real_distribution<float>(aLow, aHigh)(fEngine);
    }
    VoMatrix Matrix() {
        VoMatrix result;
        for (auto& row : result.m) {
            for (float& element : row) {
                element = Next();
            }
        }
        return result;
    }
    VoVector3 Vector() { return VoVector3(Next(), Next(), Next()); }
    VoVector4 UnitQuaternion() {
        VoVector4 q(Next(-1, 1), Next(-1, 1), Next(-1, 1), Next(-1, 1));
        q.NormalizeInPlace(1e-6f);
        return q;
    }

private:
    std::mt19937 fEngine{20240607u};
};

constexpr int kRandomRounds = 200;

// Gauss-Jordan elimination with partial pivoting in double: the textbook
// inverse the cofactor form is checked against.
bool ReferenceInverse(const VoMatrix& aM, Reference aOut) {
    double work[4][8];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            work[r][c] = aM.m[r][c];
            work[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    }
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int r = column + 1; r < 4; ++r) {
            if (std::fabs(work[r][column]) > std::fabs(work[pivot][column])) {
                pivot = r;
            }
        }
        if (work[pivot][column] == 0.0) {
            return false;
        }
        for (int c = 0; c < 8; ++c) {
            std::swap(work[column][c], work[pivot][c]);
        }
        const double scale = work[column][column];
        for (int c = 0; c < 8; ++c) {
            work[column][c] /= scale;
        }
        for (int r = 0; r < 4; ++r) {
            if (r != column) {
                const double factor = work[r][column];
                for (int c = 0; c < 8; ++c) {
                    work[r][c] -= factor * work[column][c];
                }
            }
        }
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            aOut[r][c] = work[r][c + 4];
        }
    }
    return true;
}

// q * (v, 0) * conjugate(q): the rotation of v by a unit quaternion.
VoVector3 RotateByQuaternion(const VoVector4& aQ, const VoVector3& aV) {
    const VoVector4 conjugate(-aQ.x, -aQ.y, -aQ.z, aQ.w);
    const VoVector4 rotated = aQ * VoVector4(aV, 0.0f) * conjugate;
    return VoVector3(rotated.x, rotated.y, rotated.z);
}

}  // namespace

TEST(VoMatrix, ConstructorStoresRowByRow) {
    const VoMatrix m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_EQ(m.m[0][0], 1.0f);
    EXPECT_EQ(m.m[0][3], 4.0f);
    EXPECT_EQ(m.m[3][0], 13.0f);
    EXPECT_EQ(m.m[3][3], 16.0f);
    ExpectMatrixNear(Identity(), VoMatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), 0.0f);
}

TEST(VoMatrix, TranslationMovesPointsButNotDirections) {
    VoMatrix translation;
    MatrixTranslation(&translation, 5.0f, 0.0f, 0.0f);
    const VoVector3 v(1.0f, 2.0f, 3.0f);
    VoVector3 out;
    EXPECT_EQ(TransformCoord(&out, &translation, &v), &out);
    EXPECT_EQ(out, VoVector3(6.0f, 2.0f, 3.0f));
    TransformNormal(&out, &translation, &v);
    EXPECT_EQ(out, v);
}

TEST(VoMatrix, MultiplyAppliesTheLeftMatrixFirst) {
    VoMatrix translate;
    VoMatrix rotate;
    VoMatrix product;
    MatrixMultiply(&product, MatrixTranslation(&translate, 1.0f, 0.0f, 0.0f),
                   MatrixRotationZ(&rotate, kPi / 2));
    const VoVector3 origin;
    VoVector3 out;
    TransformCoord(&out, &product, &origin);
    ExpectVectorNear(out, VoVector3(0.0f, 1.0f, 0.0f), 1e-6f);
}

TEST(VoMatrix, MultiplyMatchesTheTripleLoopAndAllowsAliasing) {
    RandomSource random;
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoMatrix a = random.Matrix();
        const VoMatrix b = random.Matrix();
        VoMatrix expected;
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                double sum = 0.0;
                for (int k = 0; k < 4; ++k) {
                    sum += static_cast<double>(a.m[r][k]) * b.m[k][c];
                }
                expected.m[r][c] = static_cast<float>(sum);
            }
        }
        VoMatrix out;
        MatrixMultiply(&out, &a, &b);
        ExpectMatrixNear(out, expected, 1e-3f);
        VoMatrix inPlace = a;
        MatrixMultiply(&inPlace, &inPlace, &b);
        ExpectMatrixNear(inPlace, out, 0.0f);
    }
}

TEST(VoMatrix, InverseMatchesGaussJordan) {
    RandomSource random;
    int compared = 0;
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoMatrix m = random.Matrix();
        Reference expected;
        ASSERT_TRUE(ReferenceInverse(m, expected));
        VoMatrix out;
        ASSERT_EQ(MatrixInverse(&out, &m), &out);
        // Scale the tolerance with the inverse's size: badly conditioned
        // random matrices have large inverses.
        double largest = 0.0;
        for (auto& row : expected) {
            for (double element : row) {
                largest = std::max(largest, std::fabs(element));
            }
        }
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                EXPECT_NEAR(out.m[r][c], expected[r][c], 1e-5 * std::max(1.0, largest));
            }
        }
        VoMatrix product;
        MatrixMultiply(&product, &m, &out);
        if (largest < 10.0) {
            ExpectMatrixNear(product, Identity(), 1e-3f);
            ++compared;
        }
    }
    EXPECT_GT(compared, kRandomRounds / 2);
}

TEST(VoMatrix, InverseInPlaceOfARigidTransform) {
    VoMatrix rotation;
    VoMatrix translation;
    VoMatrix m;
    MatrixMultiply(&m, MatrixRotationY(&rotation, 0.7f), MatrixTranslation(&translation, 3.0f, -2.0f, 8.0f));
    VoMatrix inverse = m;
    ASSERT_NE(MatrixInverse(&inverse, &inverse), nullptr);
    VoMatrix product;
    MatrixMultiply(&product, &inverse, &m);
    ExpectMatrixNear(product, Identity(), 1e-6f);
}

TEST(VoMatrix, SingularInverseFailsAndLeavesTheOutputAlone) {
    LogCapture log;
    VoMatrix flat;
    MatrixScaling(&flat, 1.0f, 0.0f, 1.0f);
    const VoMatrix before(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    VoMatrix out = before;
    EXPECT_EQ(MatrixInverse(&out, &flat), nullptr);
    ExpectMatrixNear(out, before, 0.0f);
    // Rows 1..4 are linearly dependent: singular too.
    EXPECT_EQ(MatrixInverse(&out, &before), nullptr);
    ExpectMatrixNear(out, before, 0.0f);
    const VoMatrix zero;
    EXPECT_EQ(MatrixInverse(&out, &zero), nullptr);
    EXPECT_EQ(log.Lines().size(), 3u);
    EXPECT_THAT(log.Lines()[0], IsError("MatrixInverse failure. Singular matrix."));
}

TEST(VoMatrix, NullArgumentsFailWithTheirOperationsName) {
    LogCapture log;
    VoMatrix m;
    EXPECT_EQ(MatrixMultiply(&m, &m, nullptr), nullptr);
    EXPECT_EQ(MatrixIdentity(nullptr), nullptr);
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("MatrixMultiply failure. NULL arg."),
                                         IsError("MatrixIdentity failure. NULL arg.")));
}

TEST(VoMatrix, TransformsMatchTheRowVectorFormulas) {
    RandomSource random;
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoMatrix m = random.Matrix();
        const VoVector3 v = random.Vector();
        double row[4];
        for (int c = 0; c < 4; ++c) {
            row[c] = static_cast<double>(v.x) * m.m[0][c] + static_cast<double>(v.y) * m.m[1][c] +
                     static_cast<double>(v.z) * m.m[2][c] + m.m[3][c];
        }
        if (std::fabs(row[3]) < 1.0) {
            continue;
        }
        VoVector3 point;
        TransformCoord(&point, &m, &v);
        ExpectVectorNear(point, VoVector3(row[0] / row[3], row[1] / row[3], row[2] / row[3]), 1e-3f);
        VoVector3 direction;
        TransformNormal(&direction, &m, &v);
        ExpectVectorNear(direction, VoVector3(row[0] - m.m[3][0], row[1] - m.m[3][1], row[2] - m.m[3][2]),
                         1e-3f);
    }
}

TEST(VoMatrix, Vec3NormalizeKeepsTheZeroVector) {
    const VoVector3 v(0.0f, 3.0f, 4.0f);
    VoVector3 out;
    Vec3Normalize(&out, &v);
    ExpectVectorNear(out, VoVector3(0.0f, 0.6f, 0.8f), 1e-7f);
    const VoVector3 zero;
    Vec3Normalize(&out, &zero);
    EXPECT_EQ(out, zero);
}

TEST(VoMatrix, LookAtFromBehindTheOriginIsAPureTranslation) {
    const VoVector3 eye(0.0f, 0.0f, -10.0f);
    const VoVector3 at;
    const VoVector3 up(0.0f, 1.0f, 0.0f);
    VoMatrix view;
    MatrixLookAt(&view, &eye, &at, &up);
    ExpectMatrixNear(view, VoMatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 1), 0.0f);
}

TEST(VoMatrix, LookAtPutsTheTargetOnThePositiveZAxis) {
    RandomSource random;
    const VoVector3 up(0.0f, 1.0f, 0.0f);
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoVector3 eye = random.Vector();
        const VoVector3 at = random.Vector();
        VoMatrix view;
        MatrixLookAt(&view, &eye, &at, &up);
        VoVector3 out;
        TransformCoord(&out, &view, &eye);
        ExpectVectorNear(out, VoVector3(), 1e-4f);
        TransformCoord(&out, &view, &at);
        ExpectVectorNear(out, VoVector3(0.0f, 0.0f, (at - eye).Length()), 1e-3f);
        // The rotation part is orthonormal and left-handed: x cross y = z.
        const VoVector3 x(view.m[0][0], view.m[1][0], view.m[2][0]);
        const VoVector3 y(view.m[0][1], view.m[1][1], view.m[2][1]);
        const VoVector3 z(view.m[0][2], view.m[1][2], view.m[2][2]);
        ExpectVectorNear(VoVector3::Cross(x, y), z, 1e-5f);
        EXPECT_NEAR(y.Length(), 1.0f, 1e-5f);
    }
}

TEST(VoMatrix, OrthographicMapsTheDepthRangeOntoZeroToOne) {
    VoMatrix ortho;
    MatrixOrtho(&ortho, 800.0f, 600.0f, 1.0f, 11.0f);
    ExpectMatrixNear(ortho, VoMatrix(2.0f / 800, 0, 0, 0, 0, 2.0f / 600, 0, 0, 0, 0, 0.1f, 0, 0, 0, -0.1f, 1),
                     1e-7f);
    const VoVector3 corner(400.0f, -300.0f, 11.0f);
    VoVector3 out;
    TransformCoord(&out, &ortho, &corner);
    ExpectVectorNear(out, VoVector3(1.0f, -1.0f, 1.0f), 1e-6f);
}

TEST(VoMatrix, PerspectiveScalesAndDepths) {
    VoMatrix projection;
    MatrixPerspectiveFov(&projection, kPi / 2, 4.0f / 3.0f, 1.0f, 100.0f);
    EXPECT_NEAR(projection.m[1][1], 1.0f, 1e-6f);
    EXPECT_NEAR(projection.m[0][0], 0.75f, 1e-6f);
    EXPECT_EQ(projection.m[2][3], 1.0f);
    EXPECT_EQ(projection.m[3][3], 0.0f);

    MatrixPerspectiveFov(&projection, kPi / 2, 1.0f, 1.0f, 101.0f);
    VoVector3 out;
    const VoVector3 nearPoint(0.0f, 0.0f, 1.0f);
    TransformCoord(&out, &projection, &nearPoint);
    EXPECT_NEAR(out.z, 0.0f, 1e-6f);
    const VoVector3 farPoint(3.0f, 0.0f, 101.0f);
    TransformCoord(&out, &projection, &farPoint);
    EXPECT_NEAR(out.z, 1.0f, 1e-6f);
}

TEST(VoMatrix, AxisRotationsAreLeftHandedRowVectorRotations) {
    VoMatrix rotation;
    VoVector3 out;
    const VoVector3 x(1.0f, 0.0f, 0.0f);
    const VoVector3 y(0.0f, 1.0f, 0.0f);
    const VoVector3 z(0.0f, 0.0f, 1.0f);
    TransformNormal(&out, MatrixRotationZ(&rotation, kPi / 2), &x);
    ExpectVectorNear(out, y, 1e-6f);
    TransformNormal(&out, MatrixRotationX(&rotation, kPi / 2), &y);
    ExpectVectorNear(out, z, 1e-6f);
    TransformNormal(&out, MatrixRotationY(&rotation, kPi / 2), &z);
    ExpectVectorNear(out, x, 1e-6f);
}

TEST(VoMatrix, QuaternionMatricesAgreeWithAxisRotations) {
    RandomSource random;
    for (int round = 0; round < kRandomRounds; ++round) {
        const float angle = random.Next(-kPi, kPi);
        const float s = std::sin(angle / 2);
        const float c = std::cos(angle / 2);
        VoMatrix expected;
        VoMatrix actual;
        const VoVector4 qx(s, 0.0f, 0.0f, c);
        ExpectMatrixNear(*MatrixRotationQuaternion(&actual, &qx), *MatrixRotationX(&expected, angle), 1e-6f);
        const VoVector4 qy(0.0f, s, 0.0f, c);
        ExpectMatrixNear(*MatrixRotationQuaternion(&actual, &qy), *MatrixRotationY(&expected, angle), 1e-6f);
        const VoVector4 qz(0.0f, 0.0f, s, c);
        ExpectMatrixNear(*QuaternionToMatrix(&actual, &qz), *MatrixRotationZ(&expected, angle), 1e-6f);
    }
}

TEST(VoMatrix, QuaternionMatrixRotatesLikeTheHamiltonProduct) {
    RandomSource random;
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoVector4 q = random.UnitQuaternion();
        const VoVector3 v = random.Vector();
        VoMatrix rotation;
        VoMatrix same;
        MatrixRotationQuaternion(&rotation, &q);
        ExpectMatrixNear(*QuaternionToMatrix(&same, &q), rotation, 0.0f);
        VoVector3 out;
        TransformNormal(&out, &rotation, &v);
        ExpectVectorNear(out, RotateByQuaternion(q, v), 1e-4f);
    }
}

TEST(VoMatrix, QuaternionRotationMatrixInvertsTheQuaternionMatrix) {
    const VoMatrix identity = Identity();
    VoVector4 q;
    QuaternionRotationMatrix(&q, &identity);
    EXPECT_EQ(q, VoVector4(0.0f, 0.0f, 0.0f, 1.0f));
    VoMatrix m;
    MatrixRotationQuaternion(&m, &q);
    ExpectMatrixNear(m, identity, 0.0f);

    RandomSource random;
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoVector4 expected = random.UnitQuaternion();
        MatrixRotationQuaternion(&m, &expected);
        QuaternionRotationMatrix(&q, &m);
        // q and -q are the same rotation.
        const float sign = VoVector4::Dot(q, expected) < 0.0f ? -1.0f : 1.0f;
        ExpectQuaternionNear(VoVector4(q.x * sign, q.y * sign, q.z * sign, q.w * sign), expected, 1e-5f);
    }
    // Half turns, where the trace is -1 and each diagonal branch is taken.
    const VoVector4 halfTurns[3] = {VoVector4(1, 0, 0, 0), VoVector4(0, 1, 0, 0), VoVector4(0, 0, 1, 0)};
    for (const VoVector4& expected : halfTurns) {
        MatrixRotationQuaternion(&m, &expected);
        QuaternionRotationMatrix(&q, &m);
        ExpectQuaternionNear(q, expected, 1e-7f);
    }
}

TEST(VoMatrix, SlerpMatchesTheReferenceAlongTheShorterArc) {
    RandomSource random;
    for (int round = 0; round < kRandomRounds; ++round) {
        const VoVector4 from = random.UnitQuaternion();
        const VoVector4 to = random.UnitQuaternion();
        const float t = random.Next(0.0f, 1.0f);
        double d = VoVector4::Dot(from, to);
        const double sign = d < 0.0 ? -1.0 : 1.0;
        d *= sign;
        const double theta = std::acos(std::min(d, 1.0));
        const double w1 = std::sin((1.0 - t) * theta) / std::sin(theta);
        const double w2 = sign * std::sin(t * theta) / std::sin(theta);
        const VoVector4 expected(w1 * from.x + w2 * to.x, w1 * from.y + w2 * to.y, w1 * from.z + w2 * to.z,
                                 w1 * from.w + w2 * to.w);
        VoVector4 out;
        QuaternionSlerp(&out, &from, &to, t);
        ExpectQuaternionNear(out, expected, 1e-4f);
        // Flipping the target's sign is the same rotation: the same result.
        const VoVector4 flipped(-to.x, -to.y, -to.z, -to.w);
        VoVector4 again;
        QuaternionSlerp(&again, &from, &flipped, t);
        ExpectQuaternionNear(again, out, 1e-5f);
    }
}

TEST(VoMatrix, SlerpEndsAndNearlyEqualRotations) {
    const VoVector4 from(0.0f, 0.0f, 0.0f, 1.0f);
    const VoVector4 quarter(0.0f, 0.0f, std::sin(kPi / 4), std::cos(kPi / 4));
    VoVector4 out;
    QuaternionSlerp(&out, &from, &quarter, 0.0f);
    ExpectQuaternionNear(out, from, 1e-6f);
    QuaternionSlerp(&out, &from, &quarter, 1.0f);
    ExpectQuaternionNear(out, quarter, 1e-6f);
    QuaternionSlerp(&out, &from, &quarter, 0.5f);
    ExpectQuaternionNear(out, VoVector4(0.0f, 0.0f, std::sin(kPi / 8), std::cos(kPi / 8)), 1e-6f);
    // The negated target lies on the far arc: slerp takes the near one and
    // ends at the negated target (the same rotation).
    const VoVector4 negated(0.0f, 0.0f, -quarter.z, -quarter.w);
    QuaternionSlerp(&out, &from, &negated, 1.0f);
    ExpectQuaternionNear(out, quarter, 1e-6f);
    // Equal rotations blend linearly: no division by sin(0).
    QuaternionSlerp(&out, &from, &from, 0.3f);
    EXPECT_EQ(out, from);
    // Opposite quaternions are the same rotation: finite all the way.
    const VoVector4 opposite(0.0f, 0.0f, 0.0f, -1.0f);
    QuaternionSlerp(&out, &from, &opposite, 0.5f);
    EXPECT_TRUE(std::isfinite(out.w));
}

TEST(VoMatrix, ScalingAndTranslationMatrices) {
    VoMatrix m;
    ExpectMatrixNear(*MatrixScaling(&m, 2.0f, 3.0f, 4.0f),
                     VoMatrix(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1), 0.0f);
    ExpectMatrixNear(*MatrixTranslation(&m, 1.0f, 2.0f, 3.0f),
                     VoMatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1), 0.0f);
}

TEST(VoMatrix, StoresSixteenFloatsRowByRow) {
    VoMatrix translation;
    MatrixTranslation(&translation, 1.0f, 2.0f, 3.0f);
    const std::vector<unsigned char> one = {0x00, 0x00, 0x80, 0x3F};
    const std::vector<unsigned char> zero = {0x00, 0x00, 0x00, 0x00};
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 12; ++i) {
        const std::vector<unsigned char>& element = (i % 5 == 0) ? one : zero;
        bytes.insert(bytes.end(), element.begin(), element.end());
    }
    // The fourth row last: x, y, z of the translation, then 1.
    bytes.insert(bytes.end(), {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40, 0x00,
                               0x00, 0x80, 0x3F});
    ExpectStoredAs(translation, bytes, VoMatrix());

    TestStream in(bytes);
    VoMatrix read;
    ASSERT_TRUE(read.Read(&in));
    ExpectMatrixNear(read, translation, 0.0f);
}

TEST(VoMatrix, ShortOrFailingStreamLeavesTheMatrixAlone) {
    VoMatrix identity;
    MatrixIdentity(&identity);
    VoMatrix rotation;
    MatrixRotationZ(&rotation, 0.5f);
    ExpectShortInputRefused(StoredBytes(rotation), identity);
    ExpectEveryComponentAttempted(identity, 16, 15);
}
