#include "game/match3d/stadium.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "game/match3d/iconpages.h"
#include "game/match3d/kitload.h"
#include "game/match3d/renderview.h"
#include "game/match3d/worldconvention.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/modeldata.h"
#include "game/system/poll.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"

namespace {

constexpr const char* kModule = "zud3d\\stadium";

// Rows shared by the lists.
#define STAD_PITCH(grass, lines) \
    {1, "pitch\\grass", grass, 0}, {1, "pitch\\lines", lines, 0}, { 2, "pitch\\flag", "pitch", 3 }
#define STAD_CAMERAS(list)                                                                                   \
    {7, "camera\\" list, nullptr, 0}, {8, "camera\\camrep", nullptr, 0}, {9, "camera\\camrep2", nullptr, 0}, \
    {                                                                                                        \
        0, nullptr, nullptr, 0                                                                               \
    }

constexpr StadiumPart kLargeDay[] = {
    STAD_PITCH("pitch", "pitch"),
    {1, "stad1-day\\horizon", "stad1-day", 0},
    {3, "stad1-day\\latest", "stad1-day", 3},
    {3, "stad1-day\\fencing", "stad1-day", 3},
    {4, "stad1-day\\sun", "stad1-day", 0},
    {4, "stad1-day\\dayshad", "stad1-day", 0},
    {3, "goalshad-day\\goalshad", "goalshad-day", 0},
    {6, "stad1-day\\flare", nullptr, 0},
    STAD_CAMERAS("cam01"),
};
constexpr StadiumPart kLargeNight[] = {
    STAD_PITCH("pitch_night", "pitch"),
    {1, "stad1-night\\horizon", "stad1-night", 0},
    {1, "stad1-night\\moon1", "stad1-night", 0},
    {3, "stad1-night\\latest", "stad1-night", 3},
    {3, "stad1-night\\fencing", "stad1-night", 3},
    {4, "stad1-night\\moon", "stad1-night", 0},
    {3, "stad1-night\\shadow", "stad1-night", 3},
    {3, "goalshad-night\\goalshad", "goalshad-night", 0},
    {5, "stad1-night\\lpoints", nullptr, 0},
    {6, "stad1-night\\lights", nullptr, 0},
    STAD_CAMERAS("cam01"),
};
constexpr StadiumPart kMediumDay[] = {
    STAD_PITCH("pitch", "pitch"),
    {1, "stad2-day\\horizon", "horizon-day", 0},
    {3, "stad2-day\\latest", "stad2-day", 3},
    {3, "goalshad-day\\goalshad", "goalshad-day", 0},
    {4, "stad1-day\\sun", "stad1-day", 0},
    {6, "stad1-day\\flare", nullptr, 0},
    STAD_CAMERAS("cam02"),
};
constexpr StadiumPart kMediumNight[] = {
    STAD_PITCH("pitch_night", "pitch"),         {1, "stad2-night\\horizon", "horizon-night", 0},
    {3, "stad2-night\\latest", "stad2-day", 3}, {5, "stad2-night\\lpoints", nullptr, 0},
    {6, "stad2-night\\lights", nullptr, 0},     STAD_CAMERAS("cam02"),
};
constexpr StadiumPart kSmallDay[] = {
    STAD_PITCH("pitch", "pitch"),
    {3, "goalshad-day\\goalshad", "goalshad-day", 0},
    {3, "stad3-day\\latest", "stad3-day", 3},
    {4, "stad1-day\\sun", "stad1-day", 0},
    {6, "stad1-day\\flare", nullptr, 0},
    STAD_CAMERAS("cam03"),
};
constexpr StadiumPart kSmallNight[] = {
    STAD_PITCH("pitch_night", "pitch_night"),
    {3, "goalshad-night\\goalshad", "goalshad-night", 0},
    {3, "stad3-day\\latest", "stad3-day", 3},
    {5, "stad1-night\\lpoints", nullptr, 0},
    STAD_CAMERAS("cam03"),
};
constexpr StadiumPart kPractice[] = {
    {1, "stadprac\\grass", "stadprac", 0},
    {1, "stadprac\\lines", "stadprac", 0},
    {2, "pitch\\flag", "pitch", 3},
    {2, "stadprac\\fencing", "stadprac", 0},
    {1, "stadprac\\shadows", "stadprac", 0},
    {3, "stadprac\\goalshad", "stadprac", 0},
    STAD_CAMERAS("cam03"),
};
#undef STAD_PITCH
#undef STAD_CAMERAS

constexpr int kMaxRows = 16;
constexpr int kShadowFloodlights = 4;
constexpr uint32_t kSunShadowAlpha = 0x33;

struct FlareElement {
    const char* texture;
    float intensity, position, size;
    uint32_t colour;
};
constexpr FlareElement kFlareElements[7] = {
    {"simple\\textures\\flares\\new4.tga", 1.0f, 1.0f, 1.0f, 0xffffffff},
    {"simple\\textures\\flares\\flare4.tga", 0.8f, -0.1f, 0.2f, 0xffffcc33},
    {"simple\\textures\\flares\\flare3.tga", 0.5f, 0.2f, 0.2f, 0xffff7f19},
    {"simple\\textures\\flares\\flare0.tga", 0.2f, 1.1f, 0.2f, 0xffff3300},
    {"simple\\textures\\flares\\flare4.tga", 0.2f, -0.2f, 0.2f, 0xffffe599},
    {"simple\\textures\\flares\\flare4.tga", 0.25f, -0.8f, 0.1f, 0xffff7f4c},
    {"simple\\textures\\flares\\flare4.tga", 0.5f, -0.4f, 0.15f, 0xffff3300},
};

// What the stadium object callback is handed: its first field is the
// texture directory, as the support library's callbacks expect.
struct RowTextures {
    char directory[64];
};

// Part flags the callback keeps with each surface.
constexpr uint32_t kPartBlended = 0x1;
constexpr uint32_t kPartTwoSided = 0x2;

struct Vec3 {
    float x, y, z;
};

int CurrentList = -1;
D3DObj* RowObjects[kMaxRows];
RowTextures RowDirectories[kMaxRows];
std::vector<Vec3> Floodlights;
std::vector<FlarePoint> FlarePoints;
std::vector<Vec3> CameraLists[kCameraLists];
bool CameraListLoaded[kCameraLists];
int FlareTextures[7];
Vec3 ShadowLight = {0.0f, 0.0f, -1.0f};
bool FloodlightsOn = false;
int FlaresDrawn = 0;

const StadiumPart* CurrentRows() { return CurrentList >= 0 ? StadiumLists[CurrentList] : nullptr; }

std::string SurfaceName(const uint8_t* surface) {
    char name[XYZ_SURFACE_NAME_SIZE + 1] = {};
    std::memcpy(name, surface + XYZ_SURFACE_NAME, XYZ_SURFACE_NAME_SIZE);
    return name;
}

// The draw order key of a part: crowds by their number, counted down from
// 10000; others by the number after an underscore.
int PartKey(const std::string& name) {
    if (name.rfind("crowd", 0) == 0) {
        const size_t digits = name.find_first_of("0123456789");
        return 10000 - 100 * (digits == std::string::npos ? 0 : std::atoi(name.c_str() + digits));
    }
    const size_t underscore = name.find('_');
    return underscore == std::string::npos ? 0 : std::atoi(name.c_str() + underscore + 1);
}

// The texture a material takes, relative to the texture root.
std::string MaterialTexture(const std::string& name, const char* directory) {
    std::string path;
    if (name.rfind("crowd", 0) == 0) {
        const uint8_t crowd = GetMatchSetupBlock()->U8(gameinfo::kCrowdFill);
        int level = crowd;
        if (crowd > 3) {
            std::printf("WARNING:CrowdLevel=%d\n", int(crowd));
            level = 0;
        }
        char file[64];
        std::snprintf(file, sizeof file, "stadium\\textures\\crowd\\crowd_%02d.tga", level + 1);
        path = file;
    } else if (name.rfind("tmain", 0) == 0 || name.rfind("ad#lang#", 0) == 0) {
        path = "stadium\\textures\\tmain.tga";
    } else {
        path = std::string(directory) + "\\" + name + ".tga";
    }
    const size_t marker = path.find("#lang#");
    if (marker != std::string::npos) path.replace(marker, 6, "ENG");
    return path;
}

bool HasAlpha(int handle) { return D3DTexGetTextureFormat(D3DTexReadTextureFormat(handle))->alpha.bits > 0; }

int StadiumCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    switch (record->event) {
        case D3DOBJ_EVENT_COMPARE: {
            const std::string a = SurfaceName(record->surface1), b = SurfaceName(record->surface2);
            const int keyA = PartKey(a), keyB = PartKey(b);
            output->compare = keyA != keyB ? (keyA < keyB ? -1 : 1) : std::strcmp(a.c_str(), b.c_str());
            return 1;
        }
        case D3DOBJ_EVENT_TEXTURECREATE: {
            const auto* textures = static_cast<const RowTextures*>(record->user_data);
            const std::string path = MaterialTexture(SurfaceName(record->surface1), textures->directory);
            const int handle = KIT_GetTextureSizeFromIndex(NORMTEXT_LoadTexture(path.c_str()));
            const uint32_t material = recbits::LoadU32(record->block1 + worldconv::kMaterialFlagsAt);
            const bool twoSided = (material & worldconv::kMaterialTwoSided) ||
                                  (record->surface1[XYZ_SURFACE_FLAGS] & XYZ_SURFACE_DOUBLE_SIDED);
            output->texture = uint32_t(handle);
            output->value = (HasAlpha(handle) ? kPartBlended : 0) | (twoSided ? kPartTwoSided : 0);
            return 1;
        }
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            return 1;  // the texture table owns the textures
        case D3DOBJ_EVENT_TEXTUREDRAW:
            D3DGame_SetBlending(int(record->value & kPartBlended));
            D3DGame_SetCulling(int(record->value & kPartTwoSided));
            D3DTexSetCurrentHandle(int(record->texture));
            return 1;
        default:
            return 0;
    }
}

// Calls fn(point index, surface name) for every one-point polygon.
template <class Fn>
void ForNamedPoints(const XyzView& view, Fn fn) {
    for (uint32_t i = 0; i < view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(view, i);
        if (recbits::LoadU32(polygon + XYZ_POLYGON_COUNT) != 1) continue;
        const uint32_t surface = recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE);
        const uint32_t point = recbits::LoadU32(polygon + XYZ_POLYGON_POINTS);
        if (surface >= view.surfaces.count || point >= view.points.count) continue;
        fn(point, SurfaceName(XyzSurfaceAt(view, surface)));
    }
}

Vec3 PointOf(const XyzView& view, uint32_t index) {
    const uint8_t* p = XyzPointAt(view, index);
    return {recbits::LoadF32(p), recbits::LoadF32(p + 4), recbits::LoadF32(p + 8)};
}

bool NumberAfter(const std::string& name, const char* prefix, int* number) {
    const size_t length = std::strlen(prefix);
    if (name.compare(0, length, prefix) != 0 || name.size() == length) return false;
    char* end = nullptr;
    const long value = std::strtol(name.c_str() + length, &end, 10);
    if (*end != '\0' || value < 0 || value > 0xFFFF) return false;
    *number = int(value);
    return true;
}

void LoadFlares(const XyzView& view, const char* path) {
    if (view.surfaces.count == 0) {
        FatalError("Error: LoadAllStadParts(): '%s' isn't converted correctly - use lwo22xyz v2.20 or higher",
                   path);
    }
    const size_t first = FlarePoints.size();
    for (uint32_t i = 0; i < view.points.count; ++i) {
        const Vec3 p = PointOf(view, i);
        FlarePoints.push_back({p.x, p.y, p.z, 0xFFFFFFFF});
    }
    for (uint32_t s = 0; s < view.surfaces.count; ++s) {
        const std::string name = SurfaceName(XyzSurfaceAt(view, s));
        int number = 0;
        if (name.empty() || NumberAfter(name, worldconv::kFlarePointPrefix, &number) ||
            NumberAfter(name, worldconv::kMarkPointPrefix, &number)) {
            continue;
        }
        std::printf("Warning: unknown surface name '%s'\n", name.c_str());
    }
    ForNamedPoints(view, [&](uint32_t point, const std::string& name) {
        int number = 0;
        if (NumberAfter(name, worldconv::kFlarePointPrefix, &number)) {
            FlarePoints[first + point].value = uint32_t(number);
        } else if (NumberAfter(name, worldconv::kMarkPointPrefix, &number)) {
            FlarePoints[first + point].value = uint32_t(number) + kMarkNumber;
        }
    });
    for (size_t i = first; i < FlarePoints.size(); ++i) {
        if (FlarePoints[i].value == 0xFFFFFFFF) {
            AbortError(kModule, __LINE__, "LoadAllStadParts(): didn't find info for all points");
        }
    }
    for (int e = 0; e < 7; ++e) FlareTextures[e] = NORMTEXT_LoadTexture(kFlareElements[e].texture);
}

void LoadCameras(const XyzView& view, int list) {
    std::vector<Vec3>& cameras = CameraLists[list];
    std::vector<bool> found;
    ForNamedPoints(view, [&](uint32_t point, const std::string& name) {
        int number = 0;
        if (!NumberAfter(name, worldconv::kCameraPointPrefix, &number) || number < 1) return;
        if (size_t(number) > cameras.size()) {
            cameras.resize(size_t(number));
            found.resize(size_t(number), false);
        }
        cameras[size_t(number - 1)] = PointOf(view, point);
        found[size_t(number - 1)] = true;
    });
    for (bool present : found) {
        if (!present) FatalError("Error: %s Line:%d", kModule, __LINE__);
    }
    CameraListLoaded[list] = true;
}

void LoadRow(int index, const StadiumPart& row) {
    char path[160];
    std::snprintf(path, sizeof path, "zudata\\d3d\\stadium\\models\\%s.xyz", row.model);
    LoadingScreen_ShowText(path);
    Poll();
    uint8_t* data = nullptr;
    PakLoadWholeFile(path, &data, MEM_TYPE_MANUAL_NO_MOVE);
    XyzView view{};
    XyzOpen(&view, data, "LoadAllStadParts");
    XyzRotateX(data, worldconv::kLoadTurnX);
    XyzScale(data, worldconv::kUnitsPerMetre, worldconv::kUnitsPerMetre, worldconv::kUnitsPerMetre);
    XyzTranslate(data, worldconv::kCentreX, worldconv::kCentreY, 0.0f);
    Poll();
    if (row.kind == kStadKindFloodlights) {
        XyzScale(data, 1.0f, 1.0f, worldconv::kFloodlightHeightStretch);
        for (uint32_t i = 0; i < view.points.count; ++i) Floodlights.push_back(PointOf(view, i));
    } else if (row.kind == kStadKindFlares) {
        LoadFlares(view, path);
    } else if (row.kind >= kStadKindCameras && row.kind < kStadKindCameras + kCameraLists) {
        LoadCameras(view, int(row.kind - kStadKindCameras));
    } else {
        std::snprintf(RowDirectories[index].directory, sizeof RowDirectories[index].directory,
                      "stadium\\textures\\%s", row.textureDirectory != nullptr ? row.textureDirectory : "");
        D3DObj_CreateObjectFromXYZData(&RowObjects[index], data, StadiumCallback, &RowDirectories[index],
                                       D3DOBJ_INDEXED);
    }
    FreeMemory(&data);
}

void FlattenedWorld(const Matrix& world, Vec3 light, Matrix* out) {
    Matrix flatten;
    MatrixIdentity(&flatten);
    flatten.m[2][0] = -light.x / light.z;
    flatten.m[2][1] = -light.y / light.z;
    flatten.m[2][2] = 0.0f;
    MatrixMultiply(out, &world, &flatten);
}

void DrawFlat(const D3DObj* object, const Matrix& world, Vec3 light, uint32_t alpha) {
    if (light.z > -1e-6f) return;  // a light with no downward part casts no shadow on the ground
    Matrix flat;
    FlattenedWorld(world, light, &flat);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &flat);
    D3DSetRenderState(plat::kRsTextureFactor, alpha << 24);
    D3DObj_Render(object);
}

struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t diffuse, specular;
    float u, v;
};

void DrawFlareElement(const FlareElement& element, int texture, float x, float y, float strength) {
    const float width = float(GfxGetScreenWidth()), height = float(GfxGetScreenHeight());
    const float halfW = element.size * width / 4.0f * 0.5f, halfH = element.size * height / 3.0f * 0.5f;
    const float alpha = std::clamp(255.0f * strength * element.intensity, 0.0f, 255.0f);
    const uint32_t colour = (uint32_t(alpha) << 24) | (element.colour & 0xFFFFFF);
    const ScreenVertex quad[4] = {
        {x - halfW, y - halfH, 0.0f, 1.0f, colour, 0xFF000000, 0.0f, 0.0f},
        {x + halfW, y - halfH, 0.0f, 1.0f, colour, 0xFF000000, 1.0f, 0.0f},
        {x + halfW, y + halfH, 0.0f, 1.0f, colour, 0xFF000000, 1.0f, 1.0f},
        {x - halfW, y + halfH, 0.0f, 1.0f, colour, 0xFF000000, 0.0f, 1.0f},
    };
    D3DTexSetCurrentHandle(KIT_GetTextureSizeFromIndex(texture));
    D3DDrawPrimitive(plat::kPtTriangleFan, kScreenQuadFormat, quad, 4);
}

// A flare point's strength on screen: 0 when it is not drawn.
float FlareStrength(const FlarePoint& flare, const FlarePoint& mark, float* screenX, float* screenY) {
    const Vec3 shine = {mark.x - flare.x, mark.y - flare.y, mark.z - flare.z};
    const float reach = std::sqrt(shine.x * shine.x + shine.y * shine.y + shine.z * shine.z);
    const float distance = Figure_DistanceToCamera(flare.x, flare.y, flare.z);
    if (reach <= 0.0f || distance <= 0.0f) return 0.0f;
    const ViewState& view = D3DGame_GetView();
    const Vec3 toCamera = {(view.eye[0] - flare.x) / distance, (view.eye[1] - flare.y) / distance,
                           (view.eye[2] - flare.z) / distance};
    const float c = (shine.x * toCamera.x + shine.y * toCamera.y + shine.z * toCamera.z) / reach;
    if (c < 0.01f) return 0.0f;
    const Matrix& m = view.combined;
    if (flare.x * m.m[0][3] + flare.y * m.m[1][3] + flare.z * m.m[2][3] + m.m[3][3] < kViewNearPlane)
        return 0.0f;
    float sx = 0.0f, sy = 0.0f;
    Figure_ProjectToScreen(flare.x, flare.y, flare.z, &sx, &sy);
    const float width = float(GfxGetScreenWidth()), height = float(GfxGetScreenHeight());
    const float marginX = width / 5.0f, marginY = height / 5.0f;
    if (sx < -marginX || sx > width + marginX || sy < -marginY || sy > height + marginY) return 0.0f;
    // Full strength on the screen, fading to none at the widened edges.
    const float outX = std::max({0.0f, -sx, sx - width}) / marginX;
    const float outY = std::max({0.0f, -sy, sy - height}) / marginY;
    const float fade = std::max(0.0f, 1.0f - std::max(outX, outY));
    *screenX = sx;
    *screenY = sy;
    return std::exp(-c) * reach * 5.0f / distance * fade;
}

void DrawFlares() {
    FlaresDrawn = 0;
    if (FlarePoints.empty()) return;
    D3DGame_SetDepth(0);
    D3DGame_SetBlending(1);
    D3DGame_SetLighting(0);
    D3DGame_SetPerspective(0);
    D3DGame_SetFilterLevel(1);
    D3DGame_SetCulling(1);
    const float centreX = float(GfxGetScreenWidth()) * 0.5f, centreY = float(GfxGetScreenHeight()) * 0.5f;
    for (const FlarePoint& flare : FlarePoints) {
        if (flare.value >= kMarkNumber) continue;
        const auto mark = std::find_if(FlarePoints.begin(), FlarePoints.end(), [&](const FlarePoint& p) {
            return p.value == flare.value + kMarkNumber;
        });
        if (mark == FlarePoints.end()) continue;
        float x = 0.0f, y = 0.0f;
        const float strength = FlareStrength(flare, *mark, &x, &y);
        if (strength <= 0.0f) continue;
        ++FlaresDrawn;
        for (int e = 0; e < 7; ++e) {
            const FlareElement& element = kFlareElements[e];
            DrawFlareElement(element, FlareTextures[e], centreX + (x - centreX) * element.position,
                             centreY + (y - centreY) * element.position, strength);
        }
    }
}

}  // namespace

const StadiumPart* const StadiumLists[kStadiumLists] = {kLargeDay, kLargeNight, kMediumDay, kMediumNight,
                                                        kSmallDay, kSmallNight, kPractice};

int Stadium_ChooseList() {
    const EnterGameInfo* block = GetMatchSetupBlock();
    if (block->TeamI16(0, gameinfo::kTeamClub) == block->TeamI16(1, gameinfo::kTeamClub))
        return kStadiumPractice;
    int levels = 0;
    for (int stand = 0; stand < gameinfo::kStands; ++stand)
        levels += block->I16(gameinfo::kStadiumLevel + 2 * stand);
    const bool night = MatchRuleSet(block, gameinfo::kNightMatch);
    const int size = levels >= 20 ? kStadiumLargeDay : levels >= 8 ? kStadiumMediumDay : kStadiumSmallDay;
    return size + (night ? 1 : 0);
}

void LoadAllStadParts() {
    Stadium_Free();
    CurrentList = Stadium_ChooseList();
    const StadiumPart* rows = CurrentRows();
    for (int i = 0; rows[i].kind != 0; ++i) LoadRow(i, rows[i]);
}

void Stadium_Free() {
    for (D3DObj*& object : RowObjects) {
        if (object != nullptr) D3DObj_Destroy(&object);
    }
    for (int list = 0; list < kCameraLists; ++list) {
        CameraLists[list].clear();
        CameraListLoaded[list] = false;
    }
    Floodlights.clear();
    FlarePoints.clear();
    FlaresDrawn = 0;
    CurrentList = -1;
}

void Stadium_SetLight(const float* direction) {
    FloodlightsOn = direction == nullptr;
    if (direction != nullptr) ShadowLight = {direction[0], direction[1], direction[2]};
}

void D3DWorldDisplayStadSection(int section) {
    const StadiumPart* rows = CurrentRows();
    if (rows == nullptr) AbortError(kModule, __LINE__, "D3DWorldDisplayStadSection(): no current stadium");
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &MatrixIdentityTable);
    for (int i = 0; rows[i].kind != 0; ++i) {
        if (rows[i].kind != uint32_t(section) || RowObjects[i] == nullptr) continue;
        D3DSetRenderState(plat::kRsZWriteEnable, (rows[i].flags & kStadDepthWrite) ? 1 : 0);
        D3DSetRenderState(plat::kRsZEnable, (rows[i].flags & kStadDepthTest) ? 1 : 0);
        D3DSetRenderState(plat::kRsZFunc, plat::kCmpLessEqual);
        D3DObj_Render(RowObjects[i]);
    }
    if (section == 4) DrawFlares();
}

const float* D3DWorldGetCameraCoord(int index, int list) {
    if (list < 0 || list >= kCameraLists || !CameraListLoaded[list]) {
        FatalError("Error: D3DWorldGetCameraCoord(), called before init stadium");
    }
    if (index < 0 || size_t(index) >= CameraLists[list].size()) {
        FatalError("Error: D3DWorldGetCameraCoord() index=%d", index);
    }
    return &CameraLists[list][size_t(index)].x;
}

int Stadium_GetCameraCount(int list) {
    if (list < 0 || list >= kCameraLists) return 0;
    return int(CameraLists[list].size());
}

const float* Stadium_GetFloodlight(int n) {
    if (n < 0 || size_t(n) >= Floodlights.size()) return nullptr;
    return &Floodlights[size_t(n)].x;
}

void Shadow_Draw(const D3DObj* object, const Matrix& world) {
    D3DSetTextureStageState(0, plat::kTssColorOp, plat::kTopSelectArg1);
    D3DSetTextureStageState(0, plat::kTssColorArg1, plat::kTaTFactor);
    D3DSetTextureStageState(0, plat::kTssAlphaOp, plat::kTopSelectArg1);
    D3DSetTextureStageState(0, plat::kTssAlphaArg1, plat::kTaTFactor);
    if (!FloodlightsOn) {
        DrawFlat(object, world, ShadowLight, kSunShadowAlpha);
    } else {
        const Vec3 position = {world.m[3][0], world.m[3][1], world.m[3][2]};
        for (int i = 0; i < kShadowFloodlights; ++i) {
            const float* light = Stadium_GetFloodlight(i);
            if (light == nullptr) break;
            const Vec3 d = {position.x - light[0], position.y - light[1], position.z - light[2]};
            const float strength = 0.2f * std::exp(-0.00000025f * (d.x * d.x + d.y * d.y + d.z * d.z));
            if (strength > 0.01f) DrawFlat(object, world, d, uint32_t(strength * 255.0f));
        }
    }
    D3DSetTextureStageState(0, plat::kTssColorOp, plat::kTopModulate);
    D3DSetTextureStageState(0, plat::kTssColorArg1, plat::kTaTexture);
    D3DSetTextureStageState(0, plat::kTssAlphaOp, plat::kTopModulate);
    D3DSetTextureStageState(0, plat::kTssAlphaArg1, plat::kTaTexture);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
}

int Stadium_GetCurrentList() { return CurrentList; }
int Stadium_GetFloodlightCount() { return int(Floodlights.size()); }
int Stadium_GetFlarePointCount() { return int(FlarePoints.size()); }
const FlarePoint* Stadium_GetFlarePoint(int n) {
    return n >= 0 && size_t(n) < FlarePoints.size() ? &FlarePoints[size_t(n)] : nullptr;
}
int Stadium_GetFlaresDrawn() { return FlaresDrawn; }
bool Stadium_FloodlightsOn() { return FloodlightsOn; }
