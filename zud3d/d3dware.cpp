#include "zud3d/d3dware.h"

#include <cmath>

#include "match/matchsetup.h"
#include "platform/d3d.h"
#include "support/dxd3d.h"
#include "support/dxd3drs.h"
#include "support/gfx.h"

RenderOptions D3DGameOptions = {1, 0, 1};

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
    D3DGame_SetFilterLevel(D3DGameOptions.filterLevel);
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
    if (D3DGameOptions.fog) {
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
    const float pitch = tilt + 1.5707964f;
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

    // x scale 2 (times the zoom), y the same on a square of the screen.
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
