#include "game/system/matrices.h"

#include <cmath>

const Matrix MatrixIdentityTable = {
    {{1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 1.0f}}};

namespace {

// Taken at double precision and stored as floats.
float Sin(float angle) { return float(std::sin(double(angle))); }
float Cos(float angle) { return float(std::cos(double(angle))); }

}  // namespace

void VectorSubtract(Vector* out, const Vector* a, const Vector* b) {
    Vector r = {a->x - b->x, a->y - b->y, a->z - b->z};
    *out = r;
}

void VectorAdd(Vector* out, const Vector* a, const Vector* b) {
    Vector r = {a->x + b->x, a->y + b->y, a->z + b->z};
    *out = r;
}

void VectorDot(float* out, const Vector* a, const Vector* b) {
    *out = (a->y * b->y + a->x * b->x) + a->z * b->z;
}

void VectorCross(Vector* out, const Vector* a, const Vector* b) {
    Vector r = {a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x};
    *out = r;
}

void VectorNormalise(Vector* v) {
    float length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
    if (length == 0.0f) return;  // +0 and -0 alike
    float inverse = 1.0f / length;
    v->x *= inverse;
    v->y *= inverse;
    v->z *= inverse;
}

void VectorZero(Vector* v) { *v = Vector{0.0f, 0.0f, 0.0f}; }

void VectorTransform(Vector* out, const Vector* v, float w, const Matrix* m) {
    Vector r;
    r.x = v->x * m->m[0][0] + v->y * m->m[1][0] + v->z * m->m[2][0] + w * m->m[3][0];
    r.y = v->x * m->m[0][1] + v->y * m->m[1][1] + v->z * m->m[2][1] + w * m->m[3][1];
    r.z = v->x * m->m[0][2] + v->y * m->m[1][2] + v->z * m->m[2][2] + w * m->m[3][2];
    *out = r;
}

void MatrixIdentity(Matrix* out) { *out = MatrixIdentityTable; }

void MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b) {
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] = a->m[i][0] * b->m[0][j] + a->m[i][1] * b->m[1][j] + a->m[i][2] * b->m[2][j] +
                        a->m[i][3] * b->m[3][j];
        }
    }
    *out = r;
}

void MatrixSetScale(Matrix* out, float sx, float sy, float sz) {
    *out = MatrixIdentityTable;
    out->m[0][0] = sx;
    out->m[1][1] = sy;
    out->m[2][2] = sz;
}

void MatrixScale(Matrix* m, float sx, float sy, float sz) {
    const float factor[3] = {sx, sy, sz};
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 4; ++c) m->m[row][c] *= factor[row];
    }
}

void MatrixSetTranslation(Matrix* out, float tx, float ty, float tz) {
    *out = MatrixIdentityTable;
    out->m[3][0] = tx;
    out->m[3][1] = ty;
    out->m[3][2] = tz;
}

void MatrixTranslate(Matrix* m, float tx, float ty, float tz) {
    m->m[3][0] += tx;
    m->m[3][1] += ty;
    m->m[3][2] += tz;
}

void MatrixRotateX(Matrix* out, float angle) {
    const float c = Cos(angle), s = Sin(angle);
    *out = MatrixIdentityTable;
    out->m[1][1] = c;
    out->m[1][2] = -s;
    out->m[2][1] = s;
    out->m[2][2] = c;
}

void MatrixRotateY(Matrix* out, float angle) {
    const float c = Cos(angle), s = Sin(angle);
    *out = MatrixIdentityTable;
    out->m[0][0] = c;
    out->m[0][2] = s;
    out->m[2][0] = -s;
    out->m[2][2] = c;
}

void MatrixRotateZ(Matrix* out, float angle) {
    const float c = Cos(angle), s = Sin(angle);
    *out = MatrixIdentityTable;
    out->m[0][0] = c;
    out->m[0][1] = -s;
    out->m[1][0] = s;
    out->m[1][1] = c;
}

void MatrixRotateXYZ(Matrix* out, float ax, float ay, float az) {
    Matrix rx, ry, rz;
    MatrixRotateX(&rx, ax);
    MatrixRotateY(&ry, ay);
    MatrixRotateZ(&rz, az);
    MatrixMultiply(out, &rx, &ry);
    MatrixMultiply(out, out, &rz);
}

int MatrixGetRotationXYZ(const Matrix* m, float* ax, float* ay, float* az) {
    const float sy = m->m[0][2];
    if (sy < -1.0f || sy > 1.0f) return -1;
    const float y = float(std::asin(double(sy)));
    if (m->m[1][2] == 0.0f && m->m[2][2] == 0.0f) return -2;
    const float x = float(std::atan2(double(-m->m[1][2]), double(m->m[2][2])));
    if (m->m[0][0] == 0.0f && m->m[0][1] == 0.0f) return -3;
    const float z = float(std::atan2(double(-m->m[0][1]), double(m->m[0][0])));
    *ax = x;
    *ay = y;
    *az = z;
    return 0;
}
