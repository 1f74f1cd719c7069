// XYZ0 model bytes for tests, with any strides and any (also wrong)
// indexes, and a recording object callback standing in for the match
// display's texture managers.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/system/models3d.h"

namespace testenv {

struct XyzTestPoint {
    float x, y, z;
    uint16_t bone = 0;
    uint16_t parent = 0xFFFF;
};

struct XyzTestSurface {
    std::string name;
    uint8_t rgba[4] = {255, 255, 255, 255};
    uint8_t flags = 0;
    uint8_t block_tag = 0;  // first byte of the second block
};

struct XyzTestPolygon {
    uint32_t surface;
    uint32_t count;
    std::array<uint32_t, 4> points{};
    std::array<float, 4> u{}, v{};
};

struct XyzTestModel {
    std::vector<XyzTestPoint> points;
    std::vector<XyzTestSurface> surfaces;
    std::vector<XyzTestPolygon> polygons;
    uint32_t point_stride = 16;
    uint32_t surface_stride = 72;
    uint32_t polygon_stride = 56;
};

std::vector<uint8_t> XyzBytes(const XyzTestModel& model);
// 8 points, 6 quads of one textured surface named "crate", outward normals.
XyzTestModel XyzCube(const std::string& name = "crate");

// Copies bytes into a new tracked block for the owner variable.
uint8_t* LoadTracked(uint8_t** owner, const std::vector<uint8_t>& bytes);

// The recording callback: hands out texture handles 100, 101, ... for
// TEXTURECREATE with the surface's block tag as the value, takes back
// TEXTUREDESTROY, and leaves the other events to the default actions.
struct CallbackLog {
    std::vector<uint8_t> events;
    std::vector<std::string> created;  // texture names, in order of creation
    std::vector<uint32_t> destroyed;   // handles
    uint32_t next_handle = 100;
    int compares = 0;
};
CallbackLog& TestCallbackLog();
int TestObjectCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output);

// Stands in for the match display's figure texture callback: surfaces are
// named after kit parts with the texture extension ("shirt.tga"); the
// picture of each is loaded from the directory in the user data by the
// basic callback, under the name without the extension.
int FigureTextureCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output);

}  // namespace testenv
