#include "tools/datakit/xyzwrite.h"

#include <cmath>
#include <cstring>

#include "core/base/bytes.h"
#include "game/system/modeldata.h"
#include "tools/datakit/stage.h"

namespace datakit {
namespace {

void Check(const XyzModel& model) {
    for (size_t i = 0; i < model.points.size(); ++i) {
        const XyzPoint& p = model.points[i];
        if (p.parent != XYZ_NO_PARENT && p.parent >= i) {
            DatakitFail("model point %zu hangs from point %u, which is not numbered lower", i, p.parent);
        }
        if (!std::isfinite(p.position.x) || !std::isfinite(p.position.y) || !std::isfinite(p.position.z)) {
            DatakitFail("model point %zu is not a finite position", i);
        }
    }
    if (model.points.size() > 65535) DatakitFail("a model of %zu points is too large", model.points.size());
    for (const XyzSurface& s : model.surfaces) {
        if (s.texture.size() >= XYZ_SURFACE_NAME_SIZE) {
            DatakitFail("texture name '%s' is longer than 31 characters", s.texture.c_str());
        }
    }
    for (size_t i = 0; i < model.polygons.size(); ++i) {
        const XyzPolygon& polygon = model.polygons[i];
        if (polygon.surface >= model.surfaces.size()) DatakitFail("polygon %zu has no surface", i);
        if (polygon.count < 1 || polygon.count > 4)
            DatakitFail("polygon %zu has %u points", i, polygon.count);
        for (uint32_t k = 0; k < polygon.count; ++k) {
            if (polygon.points[k] >= model.points.size()) DatakitFail("polygon %zu uses a missing point", i);
        }
    }
}

}  // namespace

uint32_t XyzAddPoint(XyzModel& model, XyzVec position, uint16_t bone, uint16_t parent) {
    model.points.push_back(XyzPoint{position, bone, parent});
    return uint32_t(model.points.size() - 1);
}

uint32_t XyzSurfaceNamed(XyzModel& model, std::string_view texture) {
    for (size_t i = 0; i < model.surfaces.size(); ++i) {
        if (model.surfaces[i].texture == texture) return uint32_t(i);
    }
    XyzSurface surface;
    surface.texture = texture;
    model.surfaces.push_back(surface);
    return uint32_t(model.surfaces.size() - 1);
}

uint32_t XyzAddColouredSurface(XyzModel& model, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    XyzSurface surface;
    surface.red = red;
    surface.green = green;
    surface.blue = blue;
    surface.alpha = alpha;
    model.surfaces.push_back(surface);
    return uint32_t(model.surfaces.size() - 1);
}

void XyzAddQuad(XyzModel& model, uint32_t surface, std::array<uint32_t, 4> points, const XyzUvRect& uv) {
    XyzPolygon polygon;
    polygon.surface = surface;
    polygon.count = 4;
    polygon.points = points;
    polygon.u = {uv.u0, uv.u1, uv.u1, uv.u0};
    polygon.v = {uv.v0, uv.v0, uv.v1, uv.v1};
    model.polygons.push_back(polygon);
}

void XyzAddTriangle(XyzModel& model, uint32_t surface, std::array<uint32_t, 3> points, std::array<float, 3> u,
                    std::array<float, 3> v) {
    XyzPolygon polygon;
    polygon.surface = surface;
    polygon.count = 3;
    polygon.points = {points[0], points[1], points[2], 0};
    polygon.u = {u[0], u[1], u[2], 0.0f};
    polygon.v = {v[0], v[1], v[2], 0.0f};
    model.polygons.push_back(polygon);
}

void XyzAddBox(XyzModel& model, uint32_t surface, const XyzBox& box, uint16_t bone, uint16_t parent,
               const std::array<XyzUvRect, XYZ_BOX_FACES>& uv) {
    // Corner c: bit 0 the +x side, bit 1 the top, bit 2 the back (+z).
    uint32_t corner[8];
    for (int c = 0; c < 8; ++c) {
        const bool top = (c & 2) != 0;
        const float hx = top ? box.top_hx : box.bottom_hx;
        const float hz = top ? box.top_hz : box.bottom_hz;
        const float x = box.x + ((c & 1) ? hx : -hx);
        const float z = (c & 4) ? box.z + hz : box.z - hz - box.z_shift;
        corner[c] = XyzAddPoint(model, XyzVec{x, top ? box.y1 : box.y0, z}, bone, parent);
    }
    // Each face's corners top-left, top-right, bottom-right, bottom-left
    // as seen from outside; the top is seen with the back up, the bottom
    // with the back up too.
    constexpr int kFaces[XYZ_BOX_FACES][4] = {
        {2, 3, 1, 0},  // front, -z
        {7, 6, 4, 5},  // back, +z
        {6, 2, 0, 4},  // left as seen from the front: -x
        {3, 7, 5, 1},  // +x
        {6, 7, 3, 2},  // top
        {5, 4, 0, 1},  // bottom
    };
    for (int f = 0; f < XYZ_BOX_FACES; ++f) {
        XyzAddQuad(model, surface,
                   {corner[kFaces[f][0]], corner[kFaces[f][1]], corner[kFaces[f][2]], corner[kFaces[f][3]]},
                   uv[f]);
    }
}

std::vector<uint8_t> XyzWrite(const XyzModel& model) {
    Check(model);
    const uint32_t points_at = XYZ_HEADER_SIZE;
    const uint32_t surfaces_at = points_at + uint32_t(model.points.size()) * XYZ_WRITE_POINT_STRIDE;
    const uint32_t polygons_at = surfaces_at + uint32_t(model.surfaces.size()) * XYZ_WRITE_SURFACE_STRIDE;
    const uint32_t end = polygons_at + uint32_t(model.polygons.size()) * XYZ_WRITE_POLYGON_STRIDE;
    std::vector<uint8_t> out(end, 0);
    std::memcpy(out.data(), "XYZ0", 4);
    recbits::StoreU32(out.data() + XYZ_HEADER_WORD, model.header_word);
    const uint32_t tables[3][3] = {
        {points_at, uint32_t(model.points.size()), XYZ_WRITE_POINT_STRIDE},
        {surfaces_at, uint32_t(model.surfaces.size()), XYZ_WRITE_SURFACE_STRIDE},
        {polygons_at, uint32_t(model.polygons.size()), XYZ_WRITE_POLYGON_STRIDE},
    };
    for (int t = 0; t < 3; ++t) {
        for (int k = 0; k < 3; ++k) recbits::StoreU32(out.data() + XYZ_POINTS + 12 * t + 4 * k, tables[t][k]);
    }
    for (size_t i = 0; i < model.points.size(); ++i) {
        const XyzPoint& p = model.points[i];
        const size_t at = points_at + i * XYZ_WRITE_POINT_STRIDE;
        recbits::StoreF32(out.data() + at + XYZ_POINT_X, p.position.x);
        recbits::StoreF32(out.data() + at + XYZ_POINT_X + 4, p.position.y);
        recbits::StoreF32(out.data() + at + XYZ_POINT_X + 8, p.position.z);
        recbits::StoreU16(out.data() + at + XYZ_POINT_BONE, p.bone);
        recbits::StoreU16(out.data() + at + XYZ_POINT_PARENT, p.parent);
    }
    for (size_t i = 0; i < model.surfaces.size(); ++i) {
        const XyzSurface& s = model.surfaces[i];
        const size_t at = surfaces_at + i * XYZ_WRITE_SURFACE_STRIDE;
        std::memcpy(&out[at + XYZ_SURFACE_NAME], s.texture.data(), s.texture.size());
        std::memcpy(&out[at + XYZ_SURFACE_BLOCK], s.block.data(), s.block.size());
        out[at + XYZ_SURFACE_RED] = s.red;
        out[at + XYZ_SURFACE_GREEN] = s.green;
        out[at + XYZ_SURFACE_BLUE] = s.blue;
        out[at + XYZ_SURFACE_ALPHA] = s.alpha;
        out[at + XYZ_SURFACE_FLAGS] = s.double_sided ? XYZ_SURFACE_DOUBLE_SIDED : 0;
    }
    for (size_t i = 0; i < model.polygons.size(); ++i) {
        const XyzPolygon& polygon = model.polygons[i];
        const size_t at = polygons_at + i * XYZ_WRITE_POLYGON_STRIDE;
        recbits::StoreU32(out.data() + at + XYZ_POLYGON_SURFACE, polygon.surface);
        recbits::StoreU32(out.data() + at + XYZ_POLYGON_COUNT, polygon.count);
        for (int k = 0; k < 4; ++k) {
            recbits::StoreU32(out.data() + at + XYZ_POLYGON_POINTS + 4 * k, polygon.points[k]);
            recbits::StoreF32(out.data() + at + XYZ_POLYGON_U + 4 * k, polygon.u[k]);
            recbits::StoreF32(out.data() + at + XYZ_POLYGON_V + 4 * k, polygon.v[k]);
        }
    }
    return out;
}

}  // namespace datakit
