#include "game/system/models3d.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/matrices.h"
#include "game/system/modeldata.h"
#include "game/system/picture.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"

namespace {

constexpr const char* kModule = "dxd3dobj";
constexpr const char* kCreate = "D3DObj_CreateObjectFromXYZData";
constexpr int kSizes = XYZ_POLYGON_MAX_POINTS;  // polygon sizes 1..4
constexpr int32_t kNone = -1;

// Owner variables hold pointers of any type; read them bytewise.
template <typename T>
T* OwnedBy(void* owner) {
    T* value;
    std::memcpy(&value, owner, sizeof value);
    return value;
}

uint32_t VertexSize(const D3DObjSurface* surface) {
    if (surface->kind & D3DOBJ_TEXTURED) return sizeof(D3DObjTexVertex);
    if (surface->kind & D3DOBJ_COLOURED) return sizeof(D3DObjColVertex);
    AbortError(kModule, __LINE__, "D3DObjSurfaceAddVertex(): surface is neither textured nor coloured");
}

// Hands an event to the object's callback, then to the default actions.
void Send(const D3DObj* object, D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    record->user_data = object->user_data;
    const int handled = object->callback(record, output);
    D3DObjDefaultCallback(handled, record, output);
}

// The work of one build: the checked model and the temporary tables.
struct Build {
    XyzView view;
    uint32_t flags;
    D3DObj* object;
    // Render surface of every (model surface, polygon size), kNone if none.
    int32_t* table;
    // First (size, model surface) of every render surface.
    int32_t* reverse_size;
    int32_t* reverse_surface;
    uint32_t render_count;
    Vector* points;
    Vector* polygon_normals;
    Vector* point_normals;
};

int32_t& TableAt(const Build& b, uint32_t surface, int size) {
    return b.table[surface * kSizes + (size - 1)];
}

uint32_t PolygonSize(const uint8_t* polygon) { return recbits::LoadU32(polygon + XYZ_POLYGON_COUNT); }

bool UsedSize(uint32_t size) { return size >= 1 && size <= XYZ_POLYGON_MAX_POINTS; }

int32_t CompareSurfaces(const Build& b, uint32_t first, uint32_t second) {
    D3DObjCallbackRecord record{};
    record.event = D3DOBJ_EVENT_COMPARE;
    record.surface1 = XyzSurfaceAt(b.view, first);
    record.block1 = record.surface1 + XYZ_SURFACE_BLOCK;
    record.surface2 = XyzSurfaceAt(b.view, second);
    record.block2 = record.surface2 + XYZ_SURFACE_BLOCK;
    D3DObjCallbackOutput output{};
    Send(b.object, &record, &output);
    return output.compare;
}

// Outside data is checked before anything is allocated, so a fault leaves
// no partial object behind.
void CheckPolygons(const Build& b) {
    for (uint32_t i = 0; i < b.view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(b.view, i);
        const uint32_t size = PolygonSize(polygon);
        if (!UsedSize(size)) continue;
        const uint32_t surface = recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE);
        if (surface >= b.view.surfaces.count) {
            FatalError(
                "Error: D3DObj_CreateObjectFromXYZData(): no texture object for texture %d "
                "(poly %d, %d points)\n",
                int(surface), int(i), int(size));
        }
    }
    if ((b.flags & D3DOBJ_KEEP_POINTS) && b.view.points.count > 65536) {
        FatalError(
            "Error: D3DObj_CreateObjectFromXYZData(): %u points are too many to keep "
            "point numbers for\n",
            b.view.points.count);
    }
}

// Surfaces with the same texture name and polygon size share one render
// surface.
void CombineSurfaces(Build& b) {
    const uint32_t surfaces = b.view.surfaces.count;
    for (uint32_t i = 0; i < b.view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(b.view, i);
        const uint32_t size = PolygonSize(polygon);
        if (UsedSize(size)) TableAt(b, recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE), int(size)) = 0;
    }
    // Marked entries are 0, others kNone; now number them.
    int32_t next = 0;
    for (int size = 1; size <= kSizes; ++size) {
        for (uint32_t i = 0; i < surfaces; ++i) {
            if (TableAt(b, i, size) == kNone) continue;
            int32_t number = kNone;
            for (uint32_t j = 0; j < i && number == kNone; ++j) {
                if (TableAt(b, j, size) == kNone) continue;
                if (CompareSurfaces(b, i, j) == 0) number = TableAt(b, j, size);
            }
            TableAt(b, i, size) = number != kNone ? number : next++;
        }
    }
    b.render_count = uint32_t(next);
}

void MakeReverseTable(Build& b) {
    for (uint32_t r = 0; r < b.render_count; ++r) {
        b.reverse_size[r] = kNone;
        for (int size = 1; size <= kSizes && b.reverse_size[r] == kNone; ++size) {
            for (uint32_t i = 0; i < b.view.surfaces.count; ++i) {
                if (TableAt(b, i, size) == int32_t(r)) {
                    b.reverse_size[r] = size;
                    b.reverse_surface[r] = int32_t(i);
                    break;
                }
            }
        }
        if (b.reverse_size[r] == kNone) {
            AbortError(kModule, __LINE__, "D3DObj_CreateObjectFromXYZData(): failed to find index in table");
        }
    }
}

void RenumberTable(Build& b, int32_t from, int32_t to) {
    for (uint32_t k = 0; k < b.view.surfaces.count * kSizes; ++k) {
        if (b.table[k] == from) {
            b.table[k] = to;
        } else if (b.table[k] == to) {
            b.table[k] = from;
        }
    }
}

// Bubble passes by the callback's comparison.  A consistent comparison is
// sorted within count passes; the bound keeps a callback that always
// answers "greater" from looping for ever.
void SortSurfaces(Build& b) {
    bool swapped = true;
    for (uint32_t pass = 0; swapped && pass < b.render_count; ++pass) {
        swapped = false;
        for (uint32_t r = 0; r + 1 < b.render_count; ++r) {
            if (CompareSurfaces(b, uint32_t(b.reverse_surface[r]), uint32_t(b.reverse_surface[r + 1])) <= 0) {
                continue;
            }
            std::swap(b.reverse_size[r], b.reverse_size[r + 1]);
            std::swap(b.reverse_surface[r], b.reverse_surface[r + 1]);
            RenumberTable(b, int32_t(r), int32_t(r + 1));
            swapped = true;
        }
    }
}

void AllocateArray(void* owner, uint32_t count, uint32_t item_size) {
    AllocateMemory(owner, count * item_size, MEM_TYPE_MANUAL_NO_MOVE);
}

void CreateRenderSurfaces(Build& b) {
    D3DObj* object = b.object;
    object->surface_count = b.render_count;
    if (b.render_count > 0) {
        AllocateArray(&object->surfaces, b.render_count, sizeof(D3DObjSurface));
        std::memset(object->surfaces, 0, sizeof(D3DObjSurface) * b.render_count);
    }
    for (uint32_t r = 0; r < b.render_count; ++r) {
        D3DObjSurface* surface = &object->surfaces[r];
        const uint8_t* item = XyzSurfaceAt(b.view, uint32_t(b.reverse_surface[r]));
        switch (b.reverse_size[r]) {
            case 1:
                surface->kind = D3DOBJ_POINTS;
                break;
            case 2:
                surface->kind = D3DOBJ_LINES;
                break;
            case 3:
            case 4:
                surface->kind = D3DOBJ_TRIANGLES;
                break;
            default:
                AbortError(kModule, __LINE__,
                           "D3DObj_CreateObjectFromXYZData(): bad point count creating texture object");
        }
        if (b.flags & D3DOBJ_DOUBLE_SIDED) {
            const bool two_sided = b.view.surfaces.stride >= XYZ_SURFACE_FLAGS_STRIDE &&
                                   (item[XYZ_SURFACE_FLAGS] & XYZ_SURFACE_DOUBLE_SIDED) != 0;
            surface->cull = two_sided ? D3DOBJ_CULL_NONE : D3DOBJ_CULL_CCW;
        }
        D3DObjCallbackRecord record{};
        D3DObjCallbackOutput output{};
        record.block1 = item + XYZ_SURFACE_BLOCK;
        if (item[XYZ_SURFACE_NAME] == 0 || (b.flags & D3DOBJ_ALL_COLOURED)) {
            surface->kind |= D3DOBJ_COLOURED;
            record.event = D3DOBJ_EVENT_COLOURCREATE;
            Send(object, &record, &output);
            surface->texture = D3DOBJ_NO_TEXTURE;
        } else {
            surface->kind |= D3DOBJ_TEXTURED;
            record.event = D3DOBJ_EVENT_TEXTURECREATE;
            record.surface1 = item;
            output.texture = D3DOBJ_NO_TEXTURE;
            Send(object, &record, &output);
            surface->texture = output.texture;
        }
        surface->value = output.value;
        surface->vertex_capacity = D3DOBJ_GROWTH;
        AllocateArray(&surface->vertices, D3DOBJ_GROWTH, VertexSize(surface));
        if (b.flags & D3DOBJ_KEEP_POINTS) AllocateArray(&surface->points, D3DOBJ_GROWTH, sizeof(uint16_t));
        if ((b.flags & D3DOBJ_INDEXED) && !(surface->kind & D3DOBJ_POINTS)) {
            surface->index_capacity = D3DOBJ_GROWTH;
            AllocateArray(&surface->indices, D3DOBJ_GROWTH, sizeof(uint16_t));
        }
    }
}

void CopyPoints(Build& b) {
    for (uint32_t i = 0; i < b.view.points.count; ++i) {
        const uint8_t* p = XyzPointAt(b.view, i);
        b.points[i] = Vector{recbits::LoadF32(p), recbits::LoadF32(p + 4), recbits::LoadF32(p + 8)};
    }
}

uint32_t PolygonPoint(const uint8_t* polygon, uint32_t k) {
    return recbits::LoadU32(polygon + XYZ_POLYGON_POINTS + 4 * k);
}

void PolygonNormals(Build& b) {
    for (uint32_t i = 0; i < b.view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(b.view, i);
        Vector& normal = b.polygon_normals[i];
        VectorZero(&normal);
        const uint32_t size = PolygonSize(polygon);
        if (!UsedSize(size) || size < 3) continue;
        const Vector& p0 = b.points[PolygonPoint(polygon, 0)];
        const Vector& p1 = b.points[PolygonPoint(polygon, 1)];
        const Vector& p2 = b.points[PolygonPoint(polygon, 2)];
        Vector a, c;
        VectorSubtract(&a, &p1, &p2);
        VectorNormalise(&a);
        VectorSubtract(&c, &p1, &p0);
        VectorNormalise(&c);
        VectorCross(&normal, &a, &c);
        VectorNormalise(&normal);
    }
}

void PointNormals(Build& b) {
    for (uint32_t i = 0; i < b.view.points.count; ++i) VectorZero(&b.point_normals[i]);
    for (uint32_t i = 0; i < b.view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(b.view, i);
        const uint32_t size = PolygonSize(polygon);
        if (!UsedSize(size)) continue;
        for (uint32_t k = 0; k < size; ++k) {
            Vector& n = b.point_normals[PolygonPoint(polygon, k)];
            VectorAdd(&n, &n, &b.polygon_normals[i]);
        }
    }
    for (uint32_t i = 0; i < b.view.points.count; ++i) VectorNormalise(&b.point_normals[i]);
}

uint32_t ColourChannel(uint8_t byte) { return uint32_t(float(byte) / 255.0f * 255.0f); }

uint32_t SurfaceColour(const uint8_t* item) {
    return ColourChannel(item[XYZ_SURFACE_ALPHA]) << 24 | ColourChannel(item[XYZ_SURFACE_RED]) << 16 |
           ColourChannel(item[XYZ_SURFACE_GREEN]) << 8 | ColourChannel(item[XYZ_SURFACE_BLUE]);
}

void CreatePolygons(Build& b) {
    constexpr uint32_t kQuadOrder[6] = {0, 1, 2, 2, 3, 0};
    for (uint32_t i = 0; i < b.view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(b.view, i);
        const uint32_t size = PolygonSize(polygon);
        if (!UsedSize(size)) continue;
        const uint32_t model_surface = recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE);
        const int32_t r = TableAt(b, model_surface, int(size));
        if (r == kNone) {
            FatalError(
                "Error: D3DObj_CreateObjectFromXYZData(): no texture object for texture %d "
                "(poly %d, %d points)\n",
                int(model_surface), int(i), int(size));
        }
        D3DObjSurface* surface = &b.object->surfaces[r];
        const uint8_t* item = XyzSurfaceAt(b.view, model_surface);
        const uint32_t corners = size == 4 ? 6 : size;
        for (uint32_t c = 0; c < corners; ++c) {
            const uint32_t k = size == 4 ? kQuadOrder[c] : c;
            const uint32_t point = PolygonPoint(polygon, k);
            const Vector& position = b.points[point];
            const Vector& normal = (b.flags & D3DOBJ_FLAT) ? b.polygon_normals[i] : b.point_normals[point];
            const uint16_t number = uint16_t(point);
            if (surface->kind & D3DOBJ_TEXTURED) {
                const D3DObjTexVertex v{position.x,
                                        position.y,
                                        position.z,
                                        normal.x,
                                        normal.y,
                                        normal.z,
                                        recbits::LoadF32(polygon + XYZ_POLYGON_U + 4 * k),
                                        recbits::LoadF32(polygon + XYZ_POLYGON_V + 4 * k)};
                D3DObjSurfaceAddVertices(surface, &v, 1, &number);
            } else {
                const D3DObjColVertex v{position.x, position.y, position.z,         normal.x,
                                        normal.y,   normal.z,   SurfaceColour(item)};
                D3DObjSurfaceAddVertices(surface, &v, 1, &number);
            }
        }
    }
}

template <typename Vertex>
void AddVertices(D3DObjSurface* surface, const Vertex* vertices, uint32_t count, const uint16_t* points) {
    if (VertexSize(surface) != sizeof(Vertex)) {
        AbortError(kModule, __LINE__, "D3DObjSurfaceAddVertices(): vertex layout does not match the surface");
    }
    if (surface->points != nullptr && points == nullptr) {
        AbortError(kModule, __LINE__, "D3DObjSurfaceAddVertices(): the surface keeps point numbers");
    }
    for (uint32_t n = 0; n < count; ++n) {
        const uint16_t point = points != nullptr ? points[n] : 0;
        if (surface->indices == nullptr) {
            D3DObjSurfaceAddVertex(surface, &vertices[n], point);
            continue;
        }
        const Vertex* existing = static_cast<const Vertex*>(surface->vertices);
        uint32_t found = surface->vertex_count;
        for (uint32_t v = 0; v < surface->vertex_count; ++v) {
            if (std::memcmp(&existing[v], &vertices[n], sizeof(Vertex)) != 0) continue;
            if (surface->points != nullptr && surface->points[v] != point) continue;
            found = v;
            break;
        }
        if (found == surface->vertex_count) found = D3DObjSurfaceAddVertex(surface, &vertices[n], point);
        D3DObjSurfaceAddIndex(surface, uint16_t(found));
    }
}

// The width and height of a GFX0 picture of 32-bit pixels, after checking
// that the block holds exactly that picture.
void CheckPicture(const uint8_t* block, uint32_t size, uint32_t* width, uint32_t* height) {
    if (size < GFX0_HEADER_SIZE || std::memcmp(block, "GFX0", 4) != 0) {
        FatalError(
            "Error: D3DObjBasicCallback(): texture file is the wrong format. Size was %ld but should be "
            "%ld\n",
            long(size), long(GFX0_HEADER_SIZE));
    }
    *width = recbits::LoadU16(block + GFX0_WIDTH);
    *height = recbits::LoadU16(block + GFX0_HEIGHT);
    const int64_t expected = int64_t(GFX0_HEADER_SIZE) + int64_t(*width) * int64_t(*height) * 4;
    if (int64_t(size) != expected) {
        FatalError(
            "Error: D3DObjBasicCallback(): texture file is the wrong format. Size was %ld but should be "
            "%ld\n",
            long(size), long(expected));
    }
}

int BasicTextureCreate(const char* directory, const D3DObjCallbackRecord* record,
                       D3DObjCallbackOutput* output) {
    char name[XYZ_SURFACE_NAME_SIZE + 1] = {};
    std::memcpy(name, record->surface1 + XYZ_SURFACE_NAME, XYZ_SURFACE_NAME_SIZE);
    char path[PAK_MAX_NAME + 1];
    uint8_t* block = nullptr;
    uint32_t size = 0;
    std::snprintf(path, sizeof path, "%s", MakeFileName(directory, name, "gfx"));
    if (PakCheckFile(path)) {
        size = PakLoadWholeFile(path, &block, MEM_TYPE_MANUAL_NO_MOVE);
    } else {
        std::snprintf(path, sizeof path, "%s", MakeFileName(directory, name, "tga"));
        if (!PakCheckFile(path)) FatalError("Error: cannot find texture %s/%s.(gfx|tga)\n", directory, name);
        size = PakLoadWholeFile(path, &block, MEM_TYPE_MANUAL_NO_MOVE);
        if (LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8) < 0) FatalError("Error converting %s", path);
    }
    uint32_t width, height;
    CheckPicture(block, size, &width, &height);
    output->texture =
        uint32_t(D3DTexAdvancedCreateTexture(width, height, &block, GFX0_HEADER_SIZE, D3DTEXCREATE_ARGB8888));
    output->value = 0;
    return 1;
}

}  // namespace

void D3DObj_CreateObjectFromXYZData(void* owner, const void* data, D3DObjCallback callback, void* user_data,
                                    uint32_t flags) {
    DebugLog(DEBUG_DIRECT3D, 10, "D3DObj_CreateObjectFromXYZData(): creating object...\n");
    const uint32_t size = MemBlockSize(data);
    if (data == nullptr || size < 4 || std::memcmp(data, "XYZ0", 4) != 0) {
        AbortError(kModule, __LINE__, "D3DObj_CreateObjectFromXYZData(): bad data passed in");
    }
    Build b{};
    XyzOpen(&b.view, data, kCreate);
    b.flags = flags;
    CheckPolygons(b);

    AllocateMemory(owner, sizeof(D3DObj), MEM_TYPE_MANUAL_NO_MOVE);
    b.object = OwnedBy<D3DObj>(owner);
    *b.object = D3DObj{callback != nullptr ? callback : D3DObjBasicCallback, user_data, nullptr, 0};

    const uint32_t surfaces = b.view.surfaces.count;
    const uint32_t points = b.view.points.count;
    const uint32_t polygons = b.view.polygons.count;
    AllocateArray(&b.table, surfaces * kSizes, sizeof(int32_t));
    for (uint32_t k = 0; k < surfaces * kSizes; ++k) b.table[k] = kNone;

    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): combining common surfaces...\n");
    CombineSurfaces(b);
    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): generating reverse table...\n");
    AllocateArray(&b.reverse_size, b.render_count, sizeof(int32_t));
    AllocateArray(&b.reverse_surface, b.render_count, sizeof(int32_t));
    MakeReverseTable(b);
    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): sorting surfaces...\n");
    SortSurfaces(b);

    DebugLog(DEBUG_DIRECT3D, 10, "D3DObj_CreateObjectFromXYZData(): creating %d textuers from %d surfaces\n",
             int(b.render_count), int(surfaces));
    CreateRenderSurfaces(b);

    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): copying points...\n");
    AllocateArray(&b.points, points, sizeof(Vector));
    CopyPoints(b);
    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): calculating normals...\n");
    AllocateArray(&b.polygon_normals, polygons, sizeof(Vector));
    PolygonNormals(b);
    AllocateArray(&b.point_normals, points, sizeof(Vector));
    if (!(flags & D3DOBJ_FLAT)) {
        DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): calculating point normals...\n");
        PointNormals(b);
    }
    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): creating polygons...\n");
    CreatePolygons(b);

    DebugLog(DEBUG_DIRECT3D, 50, "D3DObj_CreateObjectFromXYZData(): all done - tidying up\n");
    FreeMemory(&b.point_normals);
    FreeMemory(&b.polygon_normals);
    FreeMemory(&b.points);
    FreeMemory(&b.reverse_surface);
    FreeMemory(&b.reverse_size);
    FreeMemory(&b.table);
}

void D3DObj_Render(const D3DObj* object) {
    for (uint32_t r = 0; r < object->surface_count; ++r) {
        const D3DObjSurface* surface = &object->surfaces[r];
        if (surface->cull & D3DOBJ_CULL_NONE) {
            D3DSetRenderState(plat::kRsCullMode, plat::kCullNone);
        } else if (surface->cull & D3DOBJ_CULL_CCW) {
            D3DSetRenderState(plat::kRsCullMode, plat::kCullCcw);
        }
        D3DObjCallbackRecord record{};
        record.texture = surface->texture;
        record.value = surface->value;
        D3DObjCallbackOutput output{};
        uint32_t format = 0;
        if (surface->vertices != nullptr && (surface->kind & D3DOBJ_TEXTURED)) {
            record.event = D3DOBJ_EVENT_TEXTUREDRAW;
            Send(object, &record, &output);
            format = D3DOBJ_FVF_TEXTURED;
        } else if (surface->vertices != nullptr && (surface->kind & D3DOBJ_COLOURED)) {
            D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
            record.event = D3DOBJ_EVENT_COLOURDRAW;
            Send(object, &record, &output);
            format = D3DOBJ_FVF_COLOURED;
        } else {
            AbortError(kModule, __LINE__, "D3DObj_Render(): flags not set correctly for points");
        }
        uint32_t primitive;
        if (surface->kind & D3DOBJ_TRIANGLES) {
            primitive = plat::kPtTriangleList;
        } else if (surface->kind & D3DOBJ_LINES) {
            primitive = plat::kPtLineList;
        } else if (surface->kind & D3DOBJ_POINTS) {
            primitive = plat::kPtPointList;
        } else {
            AbortError(kModule, __LINE__, "D3DObj_Render(): flags not set for poly type (tri, line, point)");
        }
        if (surface->vertex_count == 0) continue;  // nothing to draw
        if (surface->indices != nullptr) {
            D3DDrawIndexedPrimitive(primitive, format, surface->vertices, surface->vertex_count,
                                    surface->indices, surface->index_count);
        } else {
            D3DDrawPrimitive(primitive, format, surface->vertices, surface->vertex_count);
        }
    }
}

void D3DObj_Destroy(void* owner) {
    D3DObj* object = OwnedBy<D3DObj>(owner);
    if (object == nullptr) AbortError(kModule, __LINE__, "D3DObj_Destroy(): no object");
    for (uint32_t r = 0; r < object->surface_count; ++r) {
        D3DObjSurface* surface = &object->surfaces[r];
        D3DObjCallbackRecord record{};
        record.event = D3DOBJ_EVENT_TEXTUREDESTROY;
        record.texture = surface->texture;
        record.value = surface->value;
        D3DObjCallbackOutput output{};
        Send(object, &record, &output);
        if (surface->vertices != nullptr) FreeMemory(&surface->vertices);
        if (surface->indices != nullptr) FreeMemory(&surface->indices);
        if (surface->points != nullptr) FreeMemory(&surface->points);
    }
    if (object->surfaces != nullptr) FreeMemory(&object->surfaces);
    FreeMemory(owner);
}

void D3DObjSurfaceAddVertices(D3DObjSurface* surface, const D3DObjTexVertex* vertices, uint32_t count,
                              const uint16_t* points) {
    AddVertices(surface, vertices, count, points);
}

void D3DObjSurfaceAddVertices(D3DObjSurface* surface, const D3DObjColVertex* vertices, uint32_t count,
                              const uint16_t* points) {
    AddVertices(surface, vertices, count, points);
}

uint32_t D3DObjSurfaceAddVertex(D3DObjSurface* surface, const void* vertex, uint16_t point) {
    const uint32_t vertex_size = VertexSize(surface);
    // Indexes are 16-bit: an indexed surface holds at most 65536 vertices.
    if (surface->indices != nullptr && surface->vertex_count >= 65536) {
        FatalError("Error: D3DObjSurfaceAddVertex(): more than 65536 vertices in an indexed surface\n");
    }
    if (surface->vertex_count == surface->vertex_capacity) {
        surface->vertex_capacity += D3DOBJ_GROWTH;
        ResizeMemory(&surface->vertices, surface->vertex_capacity * vertex_size);
        if (surface->points != nullptr)
            ResizeMemory(&surface->points, surface->vertex_capacity * sizeof(uint16_t));
    }
    const uint32_t number = surface->vertex_count++;
    std::memcpy(static_cast<uint8_t*>(surface->vertices) + size_t(number) * vertex_size, vertex, vertex_size);
    if (surface->points != nullptr) surface->points[number] = point;
    return number;
}

void D3DObjSurfaceAddIndex(D3DObjSurface* surface, uint16_t index) {
    if (surface->indices == nullptr)
        AbortError(kModule, __LINE__, "D3DObjSurfaceAddIndex(): surface has no index list");
    if (surface->index_count == surface->index_capacity) {
        surface->index_capacity += D3DOBJ_GROWTH;
        ResizeMemory(&surface->indices, surface->index_capacity * sizeof(uint16_t));
    }
    surface->indices[surface->index_count++] = index;
}

void D3DObjDefaultCallback(int handled, const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (handled != 0) return;
    switch (record->event) {
        case D3DOBJ_EVENT_COMPARE:
            // A name fills at most its 32 bytes: one without its NUL is
            // not read past them into the next field.
            output->compare = std::strncmp(reinterpret_cast<const char*>(record->surface1 + XYZ_SURFACE_NAME),
                                           reinterpret_cast<const char*>(record->surface2 + XYZ_SURFACE_NAME),
                                           XYZ_SURFACE_NAME_SIZE);
            break;
        case D3DOBJ_EVENT_TEXTURECREATE:
            AbortError(kModule, __LINE__, "D3DObjDefaultCallback(): no default action for TEXTURECREATE");
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            if (record->texture != D3DOBJ_NO_TEXTURE) {
                AbortError(kModule, __LINE__,
                           "D3DObjDefaultCallback(): no default action for TEXTUREDESTROY");
            }
            break;
        case D3DOBJ_EVENT_TEXTUREDRAW:
            D3DTexSetCurrentHandle(int(record->texture));
            break;
        default:
            break;
    }
}

int D3DObjBasicCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    const char* directory = static_cast<const char*>(record->user_data);
    if (directory == nullptr) AbortError(kModule, __LINE__, "D3DObjBasicCallback(): NULL userdata passed");
    switch (record->event) {
        case D3DOBJ_EVENT_TEXTURECREATE:
            return BasicTextureCreate(directory, record, output);
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            if (record->texture != D3DOBJ_NO_TEXTURE) D3DTexDestroyTexture(int(record->texture));
            return 1;
        default:
            return 0;
    }
}
