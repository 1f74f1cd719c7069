#include "game/match3d/renderview.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "core/match/netmarks.h"
#include "core/match/replay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/stadium.h"
#include "game/match3d/videochoice.h"
#include "game/match3d/worldconvention.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/poll.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"

namespace {

ViewState View = {};

constexpr uint32_t kFogDay = 0xFFCCCCCC;
constexpr uint32_t kFogNight = 0xFF000000;

struct Vec3 {
    float x, y, z;
};
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Unit(Vec3 a) {
    const float length = std::sqrt(Dot(a, a));
    return length > 0.0f ? Vec3{a.x / length, a.y / length, a.z / length} : Vec3{0.0f, 0.0f, 0.0f};
}

float ScreenAspect() {
    const uint32_t width = GfxGetScreenWidth(), height = GfxGetScreenHeight();
    return height > 0 ? float(width) / float(height) : 4.0f / 3.0f;
}

}  // namespace

void D3DGame_SetCulling(int on) {
    D3DSetRenderState(plat::kRsCullMode, on ? plat::kCullNone : plat::kCullCcw);
}

void D3DGame_SetFilterLevel(int level) {
    const bool linear = level >= 1;
    D3DSetTextureStageState(0, plat::kTssMagFilter, linear ? plat::kTfgLinear : plat::kTfgPoint);
    D3DSetTextureStageState(0, plat::kTssMinFilter, linear ? plat::kTfnLinear : plat::kTfnPoint);
    D3DSetTextureStageState(0, plat::kTssMipFilter, level >= 2 ? plat::kTfpLinear : plat::kTfpPoint);
}

void D3DGame_SetPerspective(int on) { D3DSetRenderState(plat::kRsTexturePerspective, on ? 1 : 0); }

void D3DGame_SetLighting(int on) { D3DSetRenderState(plat::kRsLighting, on ? 1 : 0); }

void D3DGame_SetBlending(int on) {
    D3DSetRenderState(plat::kRsAlphaBlendEnable, on ? 1 : 0);
    D3DSetRenderState(plat::kRsSrcBlend, on ? plat::kBlendSrcAlpha : plat::kBlendOne);
    D3DSetRenderState(plat::kRsDestBlend, on ? plat::kBlendInvSrcAlpha : plat::kBlendZero);
}

void D3DGame_SetDepth(int on) {
    D3DSetRenderState(plat::kRsZEnable, on ? 1 : 0);
    D3DSetRenderState(plat::kRsZWriteEnable, on ? 1 : 0);
    if (on) D3DSetRenderState(plat::kRsZFunc, plat::kCmpLessEqual);
}

void D3DGame_SetDefaultStates() {
    D3DGame_SetDepth(1);
    D3DGame_SetLighting(0);
    D3DGame_SetBlending(0);
    D3DGame_SetPerspective(1);
    D3DGame_SetFilterLevel(VideoGetChoice()->FilterLevel);
    D3DSetRenderState(plat::kRsShadeMode, plat::kShadeFlat);
    D3DGame_SetCulling(0);
    D3DSetRenderState(plat::kRsFogEnable, 0);
    D3DSetRenderState(plat::kRsFogColor, kFogNight);
    D3DSetRenderState(plat::kRsStencilEnable, 0);
    D3DSetRenderState(plat::kRsColorVertex, 1);
    D3DSetRenderState(plat::kRsDiffuseMaterialSource, plat::kMcsColor1);
    D3DSetRenderState(plat::kRsAmbientMaterialSource, plat::kMcsColor1);
    D3DSetRenderState(plat::kRsEmissiveMaterialSource, plat::kMcsColor1);
    D3DSetRenderState(plat::kRsSpecularMaterialSource, plat::kMcsMaterial);
    D3DSetTextureStageState(0, plat::kTssAddress, plat::kTaddressWrap);
    D3DSetTextureStageState(0, plat::kTssColorOp, plat::kTopModulate);
    D3DSetTextureStageState(0, plat::kTssColorArg1, plat::kTaTexture);
    D3DSetTextureStageState(0, plat::kTssColorArg2, plat::kTaDiffuse);
    D3DSetTextureStageState(0, plat::kTssAlphaOp, plat::kTopModulate);
    D3DSetTextureStageState(0, plat::kTssAlphaArg1, plat::kTaTexture);
    D3DSetTextureStageState(0, plat::kTssAlphaArg2, plat::kTaDiffuse);
    if (VideoGetChoice()->Fog) {
        const bool night = MatchRuleSet(GetMatchSetupBlock(), gameinfo::kNightMatch);
        D3DSetRenderState(plat::kRsFogEnable, 1);
        D3DSetRenderState(plat::kRsFogTableMode, plat::kFogLinear);
        D3DSetRenderStateFloat(plat::kRsFogStart, night ? 400.0f : 900.0f);
        D3DSetRenderStateFloat(plat::kRsFogEnd, 5000.0f);
        D3DSetRenderState(plat::kRsFogColor, night ? kFogNight : kFogDay);
    }
}

void MatchCam_SetView(float eyeX, float eyeY, float eyeZ, float yaw, float tilt, float zoom) {
    // The eye stands in direction (sin yaw, cos yaw) from what it looks at;
    // tilt -pi/2 looks level, smaller values down.
    const float pitch = tilt + kPiF / 2.0f;
    const Vec3 forward =
        Unit({-std::sin(yaw) * std::cos(pitch), -std::cos(yaw) * std::cos(pitch), std::sin(pitch)});
    Vec3 right = Unit(Cross({0.0f, 0.0f, 1.0f}, forward));
    if (Dot(right, right) == 0.0f) right = {1.0f, 0.0f, 0.0f};  // looking straight up or down
    const Vec3 up = Cross(forward, right);
    const Vec3 eye = {eyeX, eyeY, eyeZ};
    const Vec3 axes[3] = {right, up, forward};
    Matrix view{};
    for (int c = 0; c < 3; ++c) {
        view.m[0][c] = axes[c].x;
        view.m[1][c] = axes[c].y;
        view.m[2][c] = axes[c].z;
        view.m[3][c] = -Dot(axes[c], eye);
    }
    view.m[3][3] = 1.0f;

    // x scale 2 (times the zoom); y the same on a square of the screen, that
    // is times the screen's aspect, or every figure and the centre circle
    // would come out stretched across a screen wider than it is tall.
    const float scale = 2.0f * (zoom > 0.0f ? zoom : 1.0f);
    const float depth = kViewFarPlane / (kViewFarPlane - kViewNearPlane);
    Matrix projection{};
    projection.m[0][0] = scale;
    projection.m[1][1] = scale * ScreenAspect();
    projection.m[2][2] = depth;
    projection.m[2][3] = 1.0f;
    projection.m[3][2] = -kViewNearPlane * depth;

    View.eye[0] = eyeX;
    View.eye[1] = eyeY;
    View.eye[2] = eyeZ;
    View.yaw = yaw;
    View.tilt = tilt;
    View.zoom = zoom;
    View.view = view;
    View.projection = projection;
    MatrixMultiply(&View.combined, &view, &projection);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
}

bool Figure_ProjectToScreen(float x, float y, float z, float* screenX, float* screenY) {
    float out[4];
    for (int c = 0; c < 4; ++c) {
        out[c] = x * View.combined.m[0][c] + y * View.combined.m[1][c] + z * View.combined.m[2][c] +
                 View.combined.m[3][c];
    }
    if (out[3] < kViewNearPlane) return false;
    const float width = float(GfxGetScreenWidth()), height = float(GfxGetScreenHeight());
    *screenX = (out[0] / out[3] + 1.0f) * 0.5f * width;
    *screenY = (1.0f - out[1] / out[3]) * 0.5f * height;
    return *screenX >= 0.0f && *screenX < width && *screenY >= 0.0f && *screenY < height;
}

float Figure_DistanceToCamera(float x, float y, float z) {
    const float dx = x - View.eye[0], dy = y - View.eye[1], dz = z - View.eye[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

const ViewState& D3DGame_GetView() { return View; }

// ---- World objects: balls, goals and nets, skid marks ------------------------

WorldObjectSet WorldObjects = {};

namespace {

struct WorldTextures {
    char directory[64];
};
WorldTextures BallTextures = {"balls\\textures\\balls"};
WorldTextures GoalTextures = {"stadium\\textures\\goals"};
WorldTextures SkidTextures = {"simple\\textures"};

constexpr int kDisplayBallRow = 35;
constexpr int kBallType = 1;
constexpr int kGoalSet = 1;
constexpr uint32_t kBallShadowAlphaDay = 20;
constexpr uint32_t kBallShadowAlphaNight = 24;
constexpr float kNetReach = 0.001f;

std::string WorldSurfaceName(const uint8_t* surface) {
    char name[XYZ_SURFACE_NAME_SIZE + 1] = {};
    std::memcpy(name, surface + XYZ_SURFACE_NAME, XYZ_SURFACE_NAME_SIZE);
    return name;
}

int NumberAfterUnderscore(const std::string& name) {
    const size_t underscore = name.find('_');
    return underscore == std::string::npos ? 0 : std::atoi(name.c_str() + underscore + 1);
}

int WorldCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    switch (record->event) {
        case D3DOBJ_EVENT_COMPARE: {
            const std::string a = WorldSurfaceName(record->surface1), b = WorldSurfaceName(record->surface2);
            const int keyA = NumberAfterUnderscore(a), keyB = NumberAfterUnderscore(b);
            output->compare = keyA != keyB ? (keyA < keyB ? -1 : 1) : std::strcmp(a.c_str(), b.c_str());
            return 1;
        }
        case D3DOBJ_EVENT_TEXTURECREATE: {
            const auto* textures = static_cast<const WorldTextures*>(record->user_data);
            std::string path =
                std::string(textures->directory) + "\\" + WorldSurfaceName(record->surface1) + ".tga";
            const size_t marker = path.find("#lang#");
            if (marker != std::string::npos) path.replace(marker, 6, "ENG");
            output->texture = uint32_t(KIT_GetTextureSizeFromIndex(NORMTEXT_LoadTexture(path.c_str())));
            output->value = worldconv::PartFlagsOfMaterial(
                recbits::LoadU32(record->block1 + worldconv::kMaterialFlagsAt));
            return 1;
        }
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            return 1;  // the texture table owns the textures
        case D3DOBJ_EVENT_TEXTUREDRAW:
            D3DGame_SetBlending(int(record->value & kWorldPartBlended));
            D3DGame_SetCulling(int(record->value & kWorldPartTwoSided));
            D3DTexSetCurrentHandle(int(record->texture));
            return 1;
        default:
            return 0;
    }
}

// Loads a model, turned a quarter turn about x and scaled; moved to the
// centre spot when asked.
void LoadWorldModel(D3DObj** owner, const char* path, float scale, bool toCentre, WorldTextures* textures) {
    uint8_t* data = nullptr;
    PakLoadWholeFile(path, &data, MEM_TYPE_MANUAL_NO_MOVE);
    XyzView view{};
    XyzOpen(&view, data, "World_LoadObjects");
    XyzRotateX(data, worldconv::kLoadTurnX);
    XyzScale(data, scale, scale, scale);
    if (toCentre) XyzTranslate(data, worldconv::kCentreX, worldconv::kCentreY, 0.0f);
    D3DObj_CreateObjectFromXYZData(owner, data, WorldCallback, textures, D3DOBJ_INDEXED);
    FreeMemory(&data);
}

uint32_t VertexStride(const D3DObjSurface& surface) {
    return (surface.kind & D3DOBJ_TEXTURED) ? uint32_t(sizeof(D3DObjTexVertex))
                                            : uint32_t(sizeof(D3DObjColVertex));
}

float* VertexPosition(D3DObjSurface& surface, uint32_t v) {
    return reinterpret_cast<float*>(static_cast<uint8_t*>(surface.vertices) +
                                    size_t(v) * VertexStride(surface));
}

void CopyNetRests(int goal) {
    D3DObj* object = WorldObjects.goals[goal];
    uint32_t nets = 0;
    for (uint32_t s = 0; s < object->surface_count; ++s)
        nets += (object->surfaces[s].value & kWorldPartNet) != 0;
    WorldObjects.netCount[goal] = nets;
    if (nets == 0) return;
    AllocateMemory(&WorldObjects.nets[goal], nets * uint32_t(sizeof(NetRest)), MEM_TYPE_MANUAL_NO_MOVE);
    uint32_t n = 0;
    for (uint32_t s = 0; s < object->surface_count; ++s) {
        D3DObjSurface& surface = object->surfaces[s];
        if ((surface.value & kWorldPartNet) == 0) continue;
        NetRest& rest = WorldObjects.nets[goal][n++];
        rest = NetRest{s, surface.vertex_count, nullptr};
        if (rest.count == 0) continue;
        AllocateMemory(&rest.positions, rest.count * 12, MEM_TYPE_MANUAL_NO_MOVE);
        for (uint32_t v = 0; v < rest.count; ++v)
            std::memcpy(rest.positions + v * 3, VertexPosition(surface, v), 12);
    }
}

void ColourShadow(D3DObj* shadow) {
    const bool night = MatchRuleSet(GetMatchSetupBlock(), gameinfo::kNightMatch);
    const uint32_t colour = (night ? kBallShadowAlphaNight : kBallShadowAlphaDay) << 24;
    for (uint32_t s = 0; s < shadow->surface_count; ++s) {
        D3DObjSurface& surface = shadow->surfaces[s];
        if (surface.kind & D3DOBJ_TEXTURED) continue;
        auto* vertices = static_cast<D3DObjColVertex*>(surface.vertices);
        for (uint32_t v = 0; v < surface.vertex_count; ++v) vertices[v].colour = colour;
    }
}

Matrix BallWorld(bool rolled) {
    const DisplayFigure& ball = DisplayTable[kDisplayBallRow];
    Matrix world, turn;
    MatrixIdentity(&world);
    if (rolled) {
        MatrixRotateX(&world, DisplayBallRoll[0]);
        MatrixRotateY(&turn, -DisplayBallRoll[1]);
        MatrixMultiply(&world, &world, &turn);
    }
    Matrix move;
    MatrixIdentity(&move);
    MatrixSetTranslation(&move, ball.x, ball.y, ball.height);
    MatrixMultiply(&world, &world, &move);
    return world;
}

}  // namespace

void World_LoadObjects() {
    char path[96];
    LoadingScreen_ShowText("World: Footballs");
    std::snprintf(path, sizeof path, "%s%d.xyz", "zudata\\d3d\\balls\\models\\balltype\\ball", kBallType);
    LoadWorldModel(&WorldObjects.ball, path, worldconv::kBallScale, false, &BallTextures);
    std::snprintf(path, sizeof path, "%s%d.xyz", "zudata\\d3d\\balls\\models\\shadows\\ball", kBallType);
    LoadWorldModel(&WorldObjects.ballShadow, path, worldconv::kBallScale, false, &BallTextures);
    ColourShadow(WorldObjects.ballShadow);
    Poll();
    LoadingScreen_ShowText("World: Goals");
    static const char* const kGoalFormats[2] = {"%s%d_a.xyz", "%s%d_b.xyz"};
    for (int goal = 0; goal < 2; ++goal) {
        std::snprintf(path, sizeof path, kGoalFormats[goal], "zudata\\d3d\\stadium\\models\\goals\\goal",
                      kGoalSet);
        LoadWorldModel(&WorldObjects.goals[goal], path, worldconv::kUnitsPerMetre, true, &GoalTextures);
        CopyNetRests(goal);
    }
    Poll();
    LoadingScreen_ShowText("World: Stadium");
    LoadAllStadParts();
    Poll();
    LoadingScreen_ShowText("World: Skid Marks");
    LoadWorldModel(&WorldObjects.skidMark, "zudata\\d3d\\simple\\model\\skidmark.xyz",
                   worldconv::kSkidMarkScale, false, &SkidTextures);
}

void World_FreeObjects() {
    for (D3DObj** object : {&WorldObjects.ball, &WorldObjects.ballShadow, &WorldObjects.goals[0],
                            &WorldObjects.goals[1], &WorldObjects.skidMark}) {
        if (*object != nullptr) D3DObj_Destroy(object);
    }
    for (int goal = 0; goal < 2; ++goal) {
        for (uint32_t n = 0; n < WorldObjects.netCount[goal]; ++n) {
            if (WorldObjects.nets[goal][n].positions != nullptr)
                FreeMemory(&WorldObjects.nets[goal][n].positions);
        }
        if (WorldObjects.nets[goal] != nullptr) FreeMemory(&WorldObjects.nets[goal]);
        WorldObjects.netCount[goal] = 0;
    }
    Stadium_Free();
}

void D3DGame_Tick() { GoalNet_Animate(); }

void Ball_Draw() {
    if (WorldObjects.ball == nullptr) return;
    const Matrix world = BallWorld(true);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
    D3DObj_Render(WorldObjects.ball);
}

void Ball_DrawShadow() {
    if (WorldObjects.ballShadow == nullptr) return;
    Shadow_Draw(WorldObjects.ballShadow, BallWorld(false));
}

void Goals_Draw() {
    const NetImpact net = GoalNet_Read();
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &MatrixIdentityTable);
    D3DSetRenderState(plat::kRsZEnable, 1);
    D3DSetRenderState(plat::kRsZWriteEnable, 0);
    D3DSetRenderState(plat::kRsZFunc, plat::kCmpLessEqual);
    for (int goal = 0; goal < 2; ++goal) {
        D3DObj* object = WorldObjects.goals[goal];
        if (object == nullptr) continue;
        for (uint32_t n = 0; n < WorldObjects.netCount[goal]; ++n) {
            const NetRest& rest = WorldObjects.nets[goal][n];
            D3DObjSurface& surface = object->surfaces[rest.surface];
            for (uint32_t v = 0; v < rest.count; ++v) {
                const float* r = rest.positions + v * 3;
                // Vertices on the pitch side of the goal lines stay still.
                float weight = 0.0f;
                if (r[1] <= worldconv::kGoalLineLowY - 1.0f || r[1] >= worldconv::kGoalLineHighY + 1.0f) {
                    const float dx = float(net.impact[0]) - r[0], dy = float(net.impact[1]) - r[1],
                                dz = float(net.impact[2]) - r[2];
                    weight = std::exp(-kNetReach * (dx * dx + dy * dy + dz * dz));
                }
                float* p = VertexPosition(surface, v);
                for (int axis = 0; axis < 3; ++axis) p[axis] = r[axis] + net.offset[axis] * weight;
            }
        }
        D3DObj_Render(object);
    }
}

void SkidMark_Draw(int32_t x, int32_t y, float direction) {
    if (WorldObjects.skidMark == nullptr) return;
    Matrix world, move;
    MatrixRotateZ(&world, direction);
    MatrixIdentity(&move);
    MatrixSetTranslation(&move, float(x), float(y), 0.0f);
    MatrixMultiply(&world, &world, &move);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
    D3DObj_Render(WorldObjects.skidMark);
}
