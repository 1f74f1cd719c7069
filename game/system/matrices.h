// Vectors and 4 x 4 matrices for building the world, view and projection
// transforms.  Matrices are row-major with points as row vectors on the
// left (p' = p x M), the same memory layout as the 3D device's matrix, so a
// matrix is handed to the device unchanged.  No state, no allocation.
#pragma once
#include <cstdint>

struct Vector {
    float x;
    float y;
    float z;
};
static_assert(sizeof(Vector) == 12);

struct Matrix {
    float m[4][4];  // [row][column]; translation in row 3
};
static_assert(sizeof(Matrix) == 64);

extern const Matrix MatrixIdentityTable;

// Outputs may alias inputs where both are vectors or both matrices.
void VectorSubtract(Vector* out, const Vector* a, const Vector* b);
void VectorAdd(Vector* out, const Vector* a, const Vector* b);
void VectorDot(float* out, const Vector* a, const Vector* b);
void VectorCross(Vector* out, const Vector* a, const Vector* b);
void VectorNormalise(Vector* v);
void VectorZero(Vector* v);
// w = 1 transforms a point, w = 0 a direction.
void VectorTransform(Vector* out, const Vector* v, float w, const Matrix* m);

void MatrixIdentity(Matrix* out);
void MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b);
void MatrixSetScale(Matrix* out, float sx, float sy, float sz);
void MatrixScale(Matrix* m, float sx, float sy, float sz);
void MatrixSetTranslation(Matrix* out, float tx, float ty, float tz);
void MatrixTranslate(Matrix* m, float tx, float ty, float tz);
void MatrixRotateX(Matrix* out, float angle);
void MatrixRotateY(Matrix* out, float angle);
void MatrixRotateZ(Matrix* out, float angle);
void MatrixRotateXYZ(Matrix* out, float ax, float ay, float az);
// The angles MatrixRotateXYZ was built from: 0, or -1 / -2 / -3 when the
// matrix cannot be one of its results (nothing stored then).
int MatrixGetRotationXYZ(const Matrix* m, float* ax, float* ay, float* az);
