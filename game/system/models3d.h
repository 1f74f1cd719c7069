// 3D objects built from XYZ0 model data: a list of render surfaces, each a
// vertex list (with an optional index list) of one primitive kind and one
// texture or colour, ready to draw.  Texture loading, selection and release
// go through a callback the caller may replace; the basic callback loads
// the picture directory\name.gfx or directory\name.tga through the pak
// files.
#pragma once
#include <cstdint>

// ---- Vertex layouts (flexible vertex formats) -------------------------------
struct D3DObjTexVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(D3DObjTexVertex) == 32);

struct D3DObjColVertex {
    float x, y, z;
    float nx, ny, nz;
    uint32_t colour;  // packed ARGB
};
static_assert(sizeof(D3DObjColVertex) == 28);

constexpr uint32_t D3DOBJ_FVF_TEXTURED = 0x112;  // position, normal, one u, v
constexpr uint32_t D3DOBJ_FVF_COLOURED = 0x52;   // position, normal, diffuse

// ---- Render surfaces ----------------------------------------------------------
// Kind flags.
constexpr uint8_t D3DOBJ_TEXTURED = 0x01;
constexpr uint8_t D3DOBJ_COLOURED = 0x02;
constexpr uint8_t D3DOBJ_TRIANGLES = 0x10;
constexpr uint8_t D3DOBJ_LINES = 0x20;
constexpr uint8_t D3DOBJ_POINTS = 0x40;
// Cull flags; neither leaves the cull state alone.
constexpr uint8_t D3DOBJ_CULL_CCW = 0x01;
constexpr uint8_t D3DOBJ_CULL_NONE = 0x02;

constexpr uint32_t D3DOBJ_NO_TEXTURE = 0xFFFFFFFF;  // the handle of a coloured surface
constexpr uint32_t D3DOBJ_GROWTH = 64;              // vertex and index arrays grow by this

struct D3DObjSurface {
    uint8_t kind;
    uint8_t cull;
    uint32_t texture;  // texture handle, D3DOBJ_NO_TEXTURE when coloured
    uint32_t value;    // the callback's second output word at creation
    void* vertices;    // D3DObjTexVertex or D3DObjColVertex by the kind
    uint32_t vertex_count;
    uint32_t vertex_capacity;
    uint16_t* points;   // model point of every vertex, or null
    uint16_t* indices;  // null for a plain surface
    uint32_t index_count;
    uint32_t index_capacity;
};

// ---- Callbacks ------------------------------------------------------------------
enum D3DObjEvent : uint8_t {
    D3DOBJ_EVENT_COMPARE = 1,         // two model surfaces, while building
    D3DOBJ_EVENT_TEXTURECREATE = 2,   // a textured render surface is made
    D3DOBJ_EVENT_COLOURCREATE = 3,    // a coloured render surface is made
    D3DOBJ_EVENT_TEXTUREDESTROY = 4,  // the object is destroyed, per surface
    D3DOBJ_EVENT_TEXTUREDRAW = 5,     // a textured surface is about to be drawn
    D3DOBJ_EVENT_COLOURDRAW = 6,      // a coloured surface is about to be drawn
};

// What a callback is told.  The surface items are the model's (valid while
// the object is being built); the blocks are their second 32-byte blocks.
struct D3DObjCallbackRecord {
    uint8_t event;
    void* user_data;
    const uint8_t* surface1;
    const uint8_t* block1;
    const uint8_t* surface2;
    const uint8_t* block2;
    uint32_t texture;
    uint32_t value;
};

// What a callback answers.
struct D3DObjCallbackOutput {
    uint32_t texture;
    uint32_t value;
    int32_t compare;  // strcmp-like, for D3DOBJ_EVENT_COMPARE
};

// Returns non-zero when it handled the event (no default action then).
using D3DObjCallback = int (*)(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output);

struct D3DObj {
    D3DObjCallback callback;
    void* user_data;
    D3DObjSurface* surfaces;
    uint32_t surface_count;
};

// ---- Building ---------------------------------------------------------------------
constexpr uint32_t D3DOBJ_FLAT = 0x01;          // every vertex takes its polygon's normal
constexpr uint32_t D3DOBJ_INDEXED = 0x02;       // shared vertices and an index list
constexpr uint32_t D3DOBJ_KEEP_POINTS = 0x04;   // the model point of every vertex
constexpr uint32_t D3DOBJ_ALL_COLOURED = 0x10;  // texture names ignored
constexpr uint32_t D3DOBJ_DOUBLE_SIDED = 0x20;  // the surfaces' double-sided bits set cull flags

// Builds the object for the owner variable (a D3DObj*) from model data that
// begins a loaded block.  A null callback means D3DObjBasicCallback.  The
// model data is not changed and may be freed afterwards.
void D3DObj_CreateObjectFromXYZData(void* owner, const void* data, D3DObjCallback callback, void* user_data,
                                    uint32_t flags);
// Draws every render surface in order: cull state, texture (through the
// callback) or none, then the list.
void D3DObj_Render(const D3DObj* object);
// Sends TEXTUREDESTROY for every surface, frees every array and the
// object; the owner variable is null afterwards.
void D3DObj_Destroy(void* owner);

// Appends a run of vertices of the surface's layout: in an indexed surface
// a vertex equal byte for byte to an existing one (with the same point
// number where the surface keeps them) is reused, and an index appended.
// points may be null when the surface keeps no point numbers.
void D3DObjSurfaceAddVertices(D3DObjSurface* surface, const D3DObjTexVertex* vertices, uint32_t count,
                              const uint16_t* points);
void D3DObjSurfaceAddVertices(D3DObjSurface* surface, const D3DObjColVertex* vertices, uint32_t count,
                              const uint16_t* points);
// Appends one vertex (returns its number) or one index, growing the arrays
// by 64 entries.
uint32_t D3DObjSurfaceAddVertex(D3DObjSurface* surface, const void* vertex, uint16_t point);
void D3DObjSurfaceAddIndex(D3DObjSurface* surface, uint16_t index);

// The default texture loader.  The user data points to a record whose
// first field is the texture directory name (a string): TEXTURECREATE loads
// directory\name.gfx, or else directory\name.tga, through the pak files
// and makes a texture of it; TEXTUREDESTROY releases it.
int D3DObjBasicCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output);

// The default actions of the events a callback did not handle.
void D3DObjDefaultCallback(int handled, const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output);
