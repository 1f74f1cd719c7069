// The XYZ0 model writer: every 3D model the game loads is built here as
// points, named surfaces and polygons, then written in the layout the
// game's model loader reads (game/system/modeldata.h).
//
// Conventions of the models: units are metres; y is up; a figure faces -z
// with its left side towards +x.  Polygons are listed clockwise as seen
// from outside (the side their normal points to), which is the side the
// display draws when it culls counter-clockwise faces.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datakit {

constexpr uint16_t XYZ_NO_PARENT = 0xFFFF;
// Item strides of the written tables: points carry bone and parent, and
// surfaces carry the flags byte.
constexpr uint32_t XYZ_WRITE_POINT_STRIDE = 16;
constexpr uint32_t XYZ_WRITE_SURFACE_STRIDE = 72;
constexpr uint32_t XYZ_WRITE_POLYGON_STRIDE = 56;

struct XyzVec {
    float x, y, z;
};

struct XyzPoint {
    XyzVec position;
    uint16_t bone = 0;
    uint16_t parent = XYZ_NO_PARENT;  // a lower-numbered point, or none
};

struct XyzSurface {
    std::string texture;  // at most 31 characters; empty for a coloured surface
    uint8_t red = 255, green = 255, blue = 255, alpha = 255;
    bool double_sided = false;
    std::array<uint8_t, 32> block{};  // handed to the game's callbacks as it is
};

struct XyzPolygon {
    uint32_t surface = 0;
    uint32_t count = 0;  // 1 point, 2 line, 3 triangle, 4 quadrilateral
    std::array<uint32_t, 4> points{};
    std::array<float, 4> u{}, v{};
};

struct XyzModel {
    uint32_t header_word = 0;
    std::vector<XyzPoint> points;
    std::vector<XyzSurface> surfaces;
    std::vector<XyzPolygon> polygons;
};

// A rectangle of texture coordinates (v = 0 is the top row).
struct XyzUvRect {
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
};

uint32_t XyzAddPoint(XyzModel& model, XyzVec position, uint16_t bone = 0, uint16_t parent = XYZ_NO_PARENT);
// The surface of that texture name, added when new.
uint32_t XyzSurfaceNamed(XyzModel& model, std::string_view texture);
uint32_t XyzAddColouredSurface(XyzModel& model, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
// A quadrilateral of four points, top-left, top-right, bottom-right,
// bottom-left as seen from outside, textured with the rectangle.
void XyzAddQuad(XyzModel& model, uint32_t surface, std::array<uint32_t, 4> points, const XyzUvRect& uv = {});
void XyzAddTriangle(XyzModel& model, uint32_t surface, std::array<uint32_t, 3> points, std::array<float, 3> u,
                    std::array<float, 3> v);

// Box faces, for per-face texture rectangles.
enum XyzBoxFace { XYZ_FRONT, XYZ_BACK, XYZ_LEFT, XYZ_RIGHT, XYZ_TOP, XYZ_BOTTOM, XYZ_BOX_FACES };

// A box whose bottom and top may differ in size (a frustum): centre x, z,
// bottom and top heights, half-widths in x and z at the bottom and at the
// top.  Its eight points get the bone and parent given.
struct XyzBox {
    float x = 0.0f, z = 0.0f;
    float y0 = 0.0f, y1 = 1.0f;
    float bottom_hx = 0.5f, bottom_hz = 0.5f;
    float top_hx = 0.5f, top_hz = 0.5f;
    float z_shift = 0.0f;  // moves the front face forward (feet)
};
void XyzAddBox(XyzModel& model, uint32_t surface, const XyzBox& box, uint16_t bone, uint16_t parent,
               const std::array<XyzUvRect, XYZ_BOX_FACES>& uv);

// Checks the model (indexes, sizes, names, parents numbered lower than
// their children) and gives its file bytes; a fault ends the run.
std::vector<uint8_t> XyzWrite(const XyzModel& model);

}  // namespace datakit
