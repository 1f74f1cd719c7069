// Skeletal posing of a 3D object built from XYZ0 model data.  Every model
// point belongs to one bone and may hang from a parent point numbered lower
// than itself; the caller supplies one matrix per bone for each frame and
// the posed positions and normals are written into the object's vertices.
// The object must keep the point number of every vertex (D3DOBJ_KEEP_POINTS).
#pragma once
#include <cstdint>

#include "game/system/matrices.h"
#include "game/system/models3d.h"

struct D3DAnim {
    D3DObj* object;
    uint32_t point_count;
    Vector* rest_positions;  // offset from the parent point, or zero without one
    Vector* rest_normals;
    Vector* posed_positions;
    Vector* posed_normals;
    uint32_t* bones;
    uint32_t* parents;  // valid when below point_count
};

// Builds the record for the owner variable (a D3DAnim*) from the model data
// the object was built from.
void D3DAnim_CreateAnimData(void* owner, const void* data, D3DObj* object);
// Poses every point whose bone b has first <= b < end by matrices[b]; the
// others keep their rest offsets.  Then every point with a parent adds the
// parent's posed position, from the first point up.  Allocates nothing.
void D3DAnim_ApplyBoneMatrices(D3DAnim* anim, const Matrix* matrices, uint32_t first, uint32_t end);
// Writes the posed positions and normals into the object's vertices.
void D3DAnim_ApplyConvPoints2Object(D3DAnim* anim);
// Frees the arrays and the record; the object is not touched.
void D3DAnim_DestroyAnimData(void* owner);
