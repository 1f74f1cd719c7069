#include "game/system/modeldata.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"

namespace {

// A table lies inside the data when its stride is at least the item's size
// and all its items end within the data; an empty table may point anywhere.
const char* CheckTable(const XyzTable& table, uint32_t min_stride, uint32_t size, const char* what) {
    static char message[96];
    if (table.stride < min_stride) {
        std::snprintf(message, sizeof message, "%s stride %u is below %u", what, table.stride, min_stride);
        return message;
    }
    if (table.count == 0) return nullptr;
    const uint64_t end = uint64_t(table.offset) + uint64_t(table.count) * table.stride;
    if (end > size) {
        std::snprintf(message, sizeof message, "%s table runs outside the data", what);
        return message;
    }
    return nullptr;
}

// Tables share no bytes with the header or with each other: a sort of the
// polygons must not move the points it measures.
bool Overlap(const XyzTable& a, const XyzTable& b) {
    if (a.count == 0 || b.count == 0) return false;
    const uint64_t a_end = uint64_t(a.offset) + uint64_t(a.count) * a.stride;
    const uint64_t b_end = uint64_t(b.offset) + uint64_t(b.count) * b.stride;
    return a.offset < b_end && b.offset < a_end;
}

XyzTable ReadTable(const uint8_t* at) {
    return XyzTable{recbits::LoadU32(at), recbits::LoadU32(at + 4), recbits::LoadU32(at + 8)};
}

// Opens for the public operations, which are handed the data address only.
XyzView Open(const void* data, const char* caller) {
    XyzView view;
    XyzOpen(&view, data, caller);
    return view;
}

void* ItemOrNull(const XyzTable& table, uint8_t* data, int32_t index) {
    if (index < 0 || uint32_t(index) >= table.count) return nullptr;
    return data + table.offset + size_t(index) * table.stride;
}

// Applies an operation to the x, y, z of every point.
template <typename Op>
void ForEachPoint(void* data, const char* caller, Op op) {
    XyzView view = Open(data, caller);
    for (uint32_t i = 0; i < view.points.count; ++i) {
        uint8_t* p = XyzPointAt(view, i);
        float x = recbits::LoadF32(p), y = recbits::LoadF32(p + 4), z = recbits::LoadF32(p + 8);
        op(x, y, z);
        recbits::StoreF32(p, x);
        recbits::StoreF32(p + 4, y);
        recbits::StoreF32(p + 8, z);
    }
}

// The eye and the points of the running XyzSort.
struct SortState {
    float x, y, z;
    XyzView view;
};
SortState g_sort;

// Squared distance from the eye to the mean of a polygon's points.  Polygons
// of a size the program ignores sort as nearest; a key that is not a number
// counts as infinitely far, so the comparison stays a consistent order.
float SortKey(const uint8_t* polygon) {
    const uint32_t count = recbits::LoadU32(polygon + XYZ_POLYGON_COUNT);
    if (count < 1 || count > XYZ_POLYGON_MAX_POINTS) return 0.0f;
    float cx = 0.0f, cy = 0.0f, cz = 0.0f;
    for (uint32_t k = 0; k < count; ++k) {
        const uint8_t* p = XyzPointAt(g_sort.view, recbits::LoadU32(polygon + XYZ_POLYGON_POINTS + 4 * k));
        cx += recbits::LoadF32(p);
        cy += recbits::LoadF32(p + 4);
        cz += recbits::LoadF32(p + 8);
    }
    const float n = float(count);
    const float dx = cx / n - g_sort.x, dy = cy / n - g_sort.y, dz = cz / n - g_sort.z;
    const float key = dx * dx + dy * dy + dz * dz;
    return std::isnan(key) ? INFINITY : key;
}

int CompareFarthestFirst(const void* a, const void* b) {
    const float ka = SortKey(static_cast<const uint8_t*>(a));
    const float kb = SortKey(static_cast<const uint8_t*>(b));
    if (ka > kb) return -1;
    if (ka < kb) return 1;
    return 0;
}

}  // namespace

const char* XyzCheckData(XyzView* view, const void* data, uint32_t size) {
    *view = XyzView{};
    if (data == nullptr || size < XYZ_HEADER_SIZE) return "too short for an XYZ0 header";
    uint8_t* bytes = static_cast<uint8_t*>(const_cast<void*>(data));
    if (std::memcmp(bytes, "XYZ0", 4) != 0) return "not XYZ0 data";
    view->data = bytes;
    view->size = size;
    view->points = ReadTable(bytes + XYZ_POINTS);
    view->surfaces = ReadTable(bytes + XYZ_SURFACES);
    view->polygons = ReadTable(bytes + XYZ_POLYGONS);
    if (const char* fault = CheckTable(view->points, XYZ_POINT_MIN_STRIDE, size, "point")) return fault;
    if (const char* fault = CheckTable(view->surfaces, XYZ_SURFACE_MIN_STRIDE, size, "surface")) {
        return fault;
    }
    if (const char* fault = CheckTable(view->polygons, XYZ_POLYGON_MIN_STRIDE, size, "polygon")) {
        return fault;
    }
    const XyzTable header{0, 1, XYZ_HEADER_SIZE};
    const XyzTable* tables[3] = {&view->points, &view->surfaces, &view->polygons};
    for (int a = 0; a < 3; ++a) {
        if (Overlap(header, *tables[a])) return "a table overlaps the header";
        for (int b = a + 1; b < 3; ++b) {
            if (Overlap(*tables[a], *tables[b])) return "two tables overlap";
        }
    }
    // The points of every polygon the program uses must exist.
    for (uint32_t i = 0; i < view->polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(*view, i);
        const uint32_t count = recbits::LoadU32(polygon + XYZ_POLYGON_COUNT);
        if (count < 1 || count > XYZ_POLYGON_MAX_POINTS) continue;
        for (uint32_t k = 0; k < count; ++k) {
            if (recbits::LoadU32(polygon + XYZ_POLYGON_POINTS + 4 * k) >= view->points.count) {
                static char message[80];
                std::snprintf(message, sizeof message, "polygon %u uses a point that does not exist", i);
                return message;
            }
        }
    }
    return nullptr;
}

void XyzOpen(XyzView* view, const void* data, const char* caller) {
    const uint32_t size = MemBlockSize(data);
    if (size == 0) FatalError("Error: %s(): model data is not a loaded block\n", caller);
    if (const char* fault = XyzCheckData(view, data, size)) {
        FatalError("Error: %s(): bad model data: %s\n", caller, fault);
    }
}

uint8_t* XyzPointAt(const XyzView& view, uint32_t index) {
    return view.data + view.points.offset + size_t(index) * view.points.stride;
}

uint8_t* XyzSurfaceAt(const XyzView& view, uint32_t index) {
    return view.data + view.surfaces.offset + size_t(index) * view.surfaces.stride;
}

uint8_t* XyzPolygonAt(const XyzView& view, uint32_t index) {
    return view.data + view.polygons.offset + size_t(index) * view.polygons.stride;
}

void* XyzGetItem1(void* data, int32_t index) {
    XyzView view = Open(data, "XyzGetItem1");
    return ItemOrNull(view.points, view.data, index);
}

void* XyzGetItem2(void* data, int32_t index) {
    XyzView view = Open(data, "XyzGetItem2");
    return ItemOrNull(view.surfaces, view.data, index);
}

void* XyzGetItem3(void* data, int32_t index) {
    XyzView view = Open(data, "XyzGetItem3");
    return ItemOrNull(view.polygons, view.data, index);
}

void XyzTranslate(void* data, float dx, float dy, float dz) {
    ForEachPoint(data, "XyzTranslate", [&](float& x, float& y, float& z) {
        x += dx;
        y += dy;
        z += dz;
    });
}

void XyzScale(void* data, float sx, float sy, float sz) {
    ForEachPoint(data, "XyzScale", [&](float& x, float& y, float& z) {
        x *= sx;
        y *= sy;
        z *= sz;
    });
}

void XyzRotateX(void* data, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    ForEachPoint(data, "XyzRotateX", [&](float&, float& y, float& z) {
        const float ny = y * c - z * s, nz = y * s + z * c;
        y = ny;
        z = nz;
    });
}

void XyzRotateY(void* data, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    ForEachPoint(data, "XyzRotateY", [&](float& x, float&, float& z) {
        const float nx = x * c + z * s, nz = z * c - x * s;
        x = nx;
        z = nz;
    });
}

void XyzRotateZ(void* data, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    ForEachPoint(data, "XyzRotateZ", [&](float& x, float& y, float&) {
        const float nx = x * c - y * s, ny = x * s + y * c;
        x = nx;
        y = ny;
    });
}

void XyzSort(void* data, float eye_x, float eye_y, float eye_z) {
    XyzView view = Open(data, "XyzSort");
    g_sort = SortState{eye_x, eye_y, eye_z, view};
    if (view.polygons.count < 2) return;
    std::qsort(view.data + view.polygons.offset, view.polygons.count, view.polygons.stride,
               CompareFarthestFirst);
}

char* StrReplaceFirst(char* text, const char* find, const char* replacement) {
    char* at = std::strstr(text, find);
    if (at == nullptr) return nullptr;
    const size_t find_length = std::strlen(find);
    const size_t replacement_length = std::strlen(replacement);
    char* tail = at + find_length;
    std::memmove(at + replacement_length, tail, std::strlen(tail) + 1);
    std::memcpy(at, replacement, replacement_length);
    return text;
}
