// XYZ0 model data: a 44-byte header and three fixed-stride tables (points,
// surfaces, polygons) in one loaded block, little-endian, every offset from
// the start of the data.  The match display transforms, sorts and queries
// the tables in place before a 3D object is built from them.
//
// Model data comes from outside, so every operation first checks that the
// header and all three tables lie inside the tracked block that holds the
// data (it must be the start of a block loaded whole); a fault ends the
// program with a message and nothing is read outside the block.
#pragma once
#include <cstdint>

#include "core/base/bytes.h"

// ---- Header ----------------------------------------------------------------
constexpr uint32_t XYZ_HEADER_SIZE = 44;
constexpr uint32_t XYZ_HEADER_WORD = 4;  // not read by the program
constexpr uint32_t XYZ_POINTS = 8;       // offset, count, stride: three u32 each
constexpr uint32_t XYZ_SURFACES = 20;
constexpr uint32_t XYZ_POLYGONS = 32;

// ---- Point item ------------------------------------------------------------
constexpr uint32_t XYZ_POINT_MIN_STRIDE = 12;
constexpr uint32_t XYZ_POINT_ANIM_STRIDE = 16;  // with bone and parent
constexpr uint32_t XYZ_POINT_X = 0;             // x, y, z: f32
constexpr uint32_t XYZ_POINT_BONE = 12;         // u16
constexpr uint32_t XYZ_POINT_PARENT = 14;       // u16; outside the point range: none

// ---- Surface item ----------------------------------------------------------
constexpr uint32_t XYZ_SURFACE_MIN_STRIDE = 68;
constexpr uint32_t XYZ_SURFACE_FLAGS_STRIDE = 70;  // the flags byte is read from here up
constexpr uint32_t XYZ_SURFACE_NAME = 0;           // 32 bytes, NUL-terminated; empty: coloured
constexpr uint32_t XYZ_SURFACE_NAME_SIZE = 32;
constexpr uint32_t XYZ_SURFACE_BLOCK = 32;  // 32 bytes handed to the callbacks as they are
constexpr uint32_t XYZ_SURFACE_BLOCK_SIZE = 32;
constexpr uint32_t XYZ_SURFACE_RED = 64;
constexpr uint32_t XYZ_SURFACE_GREEN = 65;
constexpr uint32_t XYZ_SURFACE_BLUE = 66;
constexpr uint32_t XYZ_SURFACE_ALPHA = 67;
constexpr uint32_t XYZ_SURFACE_FLAGS = 68;
constexpr uint8_t XYZ_SURFACE_DOUBLE_SIDED = 0x01;

// ---- Polygon item ----------------------------------------------------------
constexpr uint32_t XYZ_POLYGON_MIN_STRIDE = 56;
constexpr uint32_t XYZ_POLYGON_SURFACE = 0;  // u32
constexpr uint32_t XYZ_POLYGON_COUNT = 4;    // u32: 1 point, 2 line, 3 triangle, 4 quad
constexpr uint32_t XYZ_POLYGON_POINTS = 8;   // 4 x u32
constexpr uint32_t XYZ_POLYGON_U = 24;       // 4 x f32
constexpr uint32_t XYZ_POLYGON_V = 40;       // 4 x f32
constexpr uint32_t XYZ_POLYGON_MAX_POINTS = 4;

// One table of the header.
struct XyzTable {
    uint32_t offset;
    uint32_t count;
    uint32_t stride;
};

// The checked header of model data: all three tables lie inside the block.
struct XyzView {
    uint8_t* data;
    uint32_t size;
    XyzTable points;
    XyzTable surfaces;
    XyzTable polygons;
};

// Checks the data for the named caller and fills the view; a fault is fatal
// with a message naming the caller.
void XyzOpen(XyzView* view, const void* data, const char* caller);
// The same on data of a known size (not necessarily a tracked block): null
// when sound, else what is wrong.
const char* XyzCheckData(XyzView* view, const void* data, uint32_t size);

// Item addresses inside a checked view (index already known to be in range).
uint8_t* XyzPointAt(const XyzView& view, uint32_t index);
uint8_t* XyzSurfaceAt(const XyzView& view, uint32_t index);
uint8_t* XyzPolygonAt(const XyzView& view, uint32_t index);

// The address of point, surface or polygon item index, or null when the
// index is negative or not below the table's count.
void* XyzGetItem1(void* data, int32_t index);
void* XyzGetItem2(void* data, int32_t index);
void* XyzGetItem3(void* data, int32_t index);

// Every point moved, scaled, or turned about an axis (radians).
void XyzTranslate(void* data, float dx, float dy, float dz);
void XyzScale(void* data, float sx, float sy, float sz);
void XyzRotateX(void* data, float angle);
void XyzRotateY(void* data, float angle);
void XyzRotateZ(void* data, float angle);

// Sorts the polygon table in place, farthest from the eye first (key: the
// squared distance from the eye to the mean of the polygon's points).  The
// eye is kept in static storage for the comparison: one sort at a time.
void XyzSort(void* data, float eye_x, float eye_y, float eye_z);

// Replaces the first occurrence of find in text, in place (the tail is
// moved; the caller's buffer must hold a longer result), and returns text;
// null when find does not occur (text unchanged).
char* StrReplaceFirst(char* text, const char* find, const char* replacement);
