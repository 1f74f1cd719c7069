#include <gtest/gtest.h>

#include <cmath>

#include "game/system/matrices.h"

namespace {

Matrix Sample() {
    Matrix m;
    for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = float(i * 3 % 7) - 2.5f + float(i) * 0.25f;
    return m;
}

void ExpectNear(const Matrix& a, const Matrix& b, float tolerance) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], tolerance) << r << "," << c;
    }
}

TEST(Maths, VectorBasicsAndAliasing) {
    Vector a{1, 2, 3}, b{4, -5, 6};
    Vector out;
    VectorCross(&out, &a, &b);
    EXPECT_FLOAT_EQ(out.x, 2 * 6 - 3 * -5);
    EXPECT_FLOAT_EQ(out.y, 3 * 4 - 1 * 6);
    EXPECT_FLOAT_EQ(out.z, 1 * -5 - 2 * 4);
    Vector alias = a;
    VectorCross(&alias, &alias, &b);  // output is an input
    EXPECT_FLOAT_EQ(alias.x, out.x);
    EXPECT_FLOAT_EQ(alias.y, out.y);
    EXPECT_FLOAT_EQ(alias.z, out.z);
    float dot = 0;
    VectorDot(&dot, &a, &b);
    EXPECT_FLOAT_EQ(dot, 4 - 10 + 18);
    VectorSubtract(&out, &a, &b);
    EXPECT_FLOAT_EQ(out.y, 7);
    VectorAdd(&out, &out, &b);
    EXPECT_FLOAT_EQ(out.x, 1);
    EXPECT_FLOAT_EQ(out.z, 3);
}

TEST(Maths, NormaliseLeavesZeroAloneAndScalesOthers) {
    Vector zero{0.0f, -0.0f, 0.0f};
    VectorNormalise(&zero);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_FALSE(std::isnan(zero.y));
    Vector v{3, 0, 4};
    VectorNormalise(&v);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
    VectorZero(&v);
    EXPECT_EQ(v.x + v.y + v.z, 0.0f);
}

TEST(Maths, TransformTakesTranslationOnlyForPoints) {
    Matrix m;
    MatrixRotateZ(&m, 1.5707963f);
    MatrixTranslate(&m, 10, 20, 30);
    Vector x{1, 0, 0}, out;
    VectorTransform(&out, &x, 1.0f, &m);
    // A positive angle about z turns the x axis towards -y with row vectors.
    EXPECT_NEAR(out.x, 10.0f, 1e-5);
    EXPECT_NEAR(out.y, 19.0f, 1e-5);
    EXPECT_NEAR(out.z, 30.0f, 1e-5);
    VectorTransform(&x, &x, 0.0f, &m);
    EXPECT_NEAR(x.x, 0.0f, 1e-5);
    EXPECT_NEAR(x.y, -1.0f, 1e-5);
}

TEST(Maths, MultiplyAgreesWhenOutputAliasesEitherInput) {
    Matrix a = Sample(), b;
    MatrixRotateXYZ(&b, 0.1f, 0.2f, 0.3f);
    MatrixTranslate(&b, 1, 2, 3);
    Matrix separate;
    MatrixMultiply(&separate, &a, &b);
    EXPECT_FLOAT_EQ(separate.m[1][2], a.m[1][0] * b.m[0][2] + a.m[1][1] * b.m[1][2] + a.m[1][2] * b.m[2][2] +
                                          a.m[1][3] * b.m[3][2]);
    Matrix first = a, second = b;
    MatrixMultiply(&first, &first, &b);
    MatrixMultiply(&second, &a, &second);
    ExpectNear(first, separate, 0);
    ExpectNear(second, separate, 0);
}

TEST(Maths, ScaleAndTranslateTouchOnlyTheirRows) {
    Matrix m = Sample();
    Matrix scaled = m;
    MatrixScale(&scaled, 2, 3, 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_FLOAT_EQ(scaled.m[0][c], m.m[0][c] * 2);
        EXPECT_FLOAT_EQ(scaled.m[2][c], m.m[2][c] * 4);
        EXPECT_EQ(scaled.m[3][c], m.m[3][c]);
    }
    Matrix s;
    MatrixSetScale(&s, 2, 3, 4);
    Matrix product;
    MatrixMultiply(&product, &s, &m);  // the scale is applied before m
    ExpectNear(product, scaled, 1e-6f);

    Matrix moved = m;
    MatrixTranslate(&moved, 1, 2, 3);
    for (int i = 0; i < 16; ++i) {
        float expected = m.m[i / 4][i % 4];
        if (i >= 12 && i < 15) expected += float(i - 11);
        EXPECT_EQ(moved.m[i / 4][i % 4], expected);
    }
    Matrix t;
    MatrixSetTranslation(&t, 5, 6, 7);
    EXPECT_EQ(t.m[3][1], 6.0f);
    EXPECT_EQ(t.m[3][3], 1.0f);
    EXPECT_EQ(t.m[0][0], 1.0f);
}

TEST(Maths, RotationsHaveTheFixedPlacement) {
    Matrix m;
    MatrixRotateX(&m, 0.5f);
    EXPECT_FLOAT_EQ(m.m[1][2], -std::sin(0.5f));
    EXPECT_FLOAT_EQ(m.m[2][1], std::sin(0.5f));
    MatrixRotateY(&m, 0.5f);
    EXPECT_FLOAT_EQ(m.m[0][2], std::sin(0.5f));
    EXPECT_FLOAT_EQ(m.m[2][0], -std::sin(0.5f));
    MatrixRotateXYZ(&m, 0.3f, 0.5f, 0.7f);
    const float cx = std::cos(0.3f), sx = std::sin(0.3f), cy = std::cos(0.5f), sy = std::sin(0.5f),
                cz = std::cos(0.7f), sz = std::sin(0.7f);
    EXPECT_NEAR(m.m[0][1], -cy * sz, 1e-6);
    EXPECT_NEAR(m.m[1][0], sx * sy * cz + cx * sz, 1e-6);
    EXPECT_NEAR(m.m[2][1], cx * sy * sz + sx * cz, 1e-6);
    EXPECT_NEAR(m.m[2][2], cx * cy, 1e-6);
    EXPECT_EQ(m.m[3][3], 1.0f);
    EXPECT_EQ(m.m[0][3], 0.0f);
}

TEST(Maths, GetRotationInvertsRotateAndRefusesImpossibleMatrices) {
    Matrix m;
    MatrixRotateXYZ(&m, 0.3f, 0.5f, 0.7f);
    float ax = 9, ay = 9, az = 9;
    ASSERT_EQ(MatrixGetRotationXYZ(&m, &ax, &ay, &az), 0);
    EXPECT_NEAR(ax, 0.3f, 1e-5);
    EXPECT_NEAR(ay, 0.5f, 1e-5);
    EXPECT_NEAR(az, 0.7f, 1e-5);

    ax = ay = az = 9;
    m.m[0][2] = 1.5f;
    EXPECT_EQ(MatrixGetRotationXYZ(&m, &ax, &ay, &az), -1);
    MatrixIdentity(&m);
    m.m[2][2] = -0.0f;
    EXPECT_EQ(MatrixGetRotationXYZ(&m, &ax, &ay, &az), -2);
    MatrixIdentity(&m);
    m.m[0][0] = 0.0f;
    EXPECT_EQ(MatrixGetRotationXYZ(&m, &ax, &ay, &az), -3);
    EXPECT_EQ(ax, 9.0f);
    EXPECT_EQ(ay, 9.0f);
    EXPECT_EQ(az, 9.0f);
}

}  // namespace
