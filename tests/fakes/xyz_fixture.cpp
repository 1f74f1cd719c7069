#include "tests/fakes/xyz_fixture.h"

#include <cstring>

#include "core/base/trackedmemory.h"
#include "game/system/modeldata.h"
#include "tests/fakes/byte_writer.h"

namespace testenv {
namespace {

CallbackLog g_log;

}  // namespace

std::vector<uint8_t> XyzBytes(const XyzTestModel& m) {
    const size_t points_at = XYZ_HEADER_SIZE;
    const size_t surfaces_at = points_at + m.points.size() * m.point_stride;
    const size_t polygons_at = surfaces_at + m.surfaces.size() * m.surface_stride;
    std::vector<uint8_t> out(polygons_at + m.polygons.size() * m.polygon_stride, 0);
    std::memcpy(out.data(), "XYZ0", 4);
    const size_t tables[3][3] = {{points_at, m.points.size(), m.point_stride},
                                 {surfaces_at, m.surfaces.size(), m.surface_stride},
                                 {polygons_at, m.polygons.size(), m.polygon_stride}};
    for (int t = 0; t < 3; ++t) {
        for (int k = 0; k < 3; ++k) testbytes::PutU32(out, 8 + 12 * t + 4 * k, uint32_t(tables[t][k]));
    }
    for (size_t i = 0; i < m.points.size(); ++i) {
        const size_t at = points_at + i * m.point_stride;
        testbytes::PutF32(out, at, m.points[i].x);
        testbytes::PutF32(out, at + 4, m.points[i].y);
        testbytes::PutF32(out, at + 8, m.points[i].z);
        if (m.point_stride >= 16) {
            testbytes::PutU16(out, at + 12, m.points[i].bone);
            testbytes::PutU16(out, at + 14, m.points[i].parent);
        }
    }
    for (size_t i = 0; i < m.surfaces.size(); ++i) {
        const size_t at = surfaces_at + i * m.surface_stride;
        std::memcpy(&out[at], m.surfaces[i].name.data(), std::min<size_t>(m.surfaces[i].name.size(), 32));
        out[at + 32] = m.surfaces[i].block_tag;
        std::memcpy(&out[at + 64], m.surfaces[i].rgba, 4);
        if (m.surface_stride > 68) out[at + 68] = m.surfaces[i].flags;
    }
    for (size_t i = 0; i < m.polygons.size(); ++i) {
        const size_t at = polygons_at + i * m.polygon_stride;
        const XyzTestPolygon& p = m.polygons[i];
        testbytes::PutU32(out, at, p.surface);
        testbytes::PutU32(out, at + 4, p.count);
        for (int k = 0; k < 4; ++k) {
            testbytes::PutU32(out, at + 8 + 4 * k, p.points[k]);
            testbytes::PutF32(out, at + 24 + 4 * k, p.u[k]);
            testbytes::PutF32(out, at + 40 + 4 * k, p.v[k]);
        }
    }
    return out;
}

XyzTestModel XyzCube(const std::string& name) {
    XyzTestModel m;
    // Corner c: bit 0 +x, bit 1 +y, bit 2 +z.
    for (int c = 0; c < 8; ++c) {
        m.points.push_back({(c & 1) ? 1.0f : -1.0f, (c & 2) ? 1.0f : -1.0f, (c & 4) ? 1.0f : -1.0f});
    }
    m.surfaces.push_back({name});
    // Clockwise as seen from outside.
    constexpr uint32_t kFaces[6][4] = {{2, 3, 1, 0}, {7, 6, 4, 5}, {6, 2, 0, 4},
                                       {3, 7, 5, 1}, {6, 7, 3, 2}, {5, 4, 0, 1}};
    for (const auto& f : kFaces) {
        m.polygons.push_back({0, 4, {f[0], f[1], f[2], f[3]}, {0, 1, 1, 0}, {0, 0, 1, 1}});
    }
    return m;
}

uint8_t* LoadTracked(uint8_t** owner, const std::vector<uint8_t>& bytes) {
    AllocateMemory(owner, uint32_t(bytes.size()), MEM_TYPE_MANUAL_NO_MOVE);
    if (!bytes.empty()) std::memcpy(*owner, bytes.data(), bytes.size());
    return *owner;
}

CallbackLog& TestCallbackLog() { return g_log; }

int TestObjectCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    g_log.events.push_back(record->event);
    switch (record->event) {
        case D3DOBJ_EVENT_COMPARE:
            ++g_log.compares;
            return 0;
        case D3DOBJ_EVENT_TEXTURECREATE:
            g_log.created.emplace_back(reinterpret_cast<const char*>(record->surface1),
                                       strnlen(reinterpret_cast<const char*>(record->surface1), 32));
            output->texture = g_log.next_handle++;
            output->value = record->block1[0];
            return 1;
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            g_log.destroyed.push_back(record->texture);
            return 1;
        default:
            return 0;
    }
}

int FigureTextureCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event != D3DOBJ_EVENT_TEXTURECREATE) return D3DObjBasicCallback(record, output);
    uint8_t item[XYZ_SURFACE_MIN_STRIDE];
    std::memcpy(item, record->surface1, sizeof item);
    char* name = reinterpret_cast<char*>(item);
    name[XYZ_SURFACE_NAME_SIZE - 1] = 0;
    if (char* dot = std::strrchr(name, '.')) *dot = 0;
    D3DObjCallbackRecord stem = *record;
    stem.surface1 = item;
    return D3DObjBasicCallback(&stem, output);
}

}  // namespace testenv
