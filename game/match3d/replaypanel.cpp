#include "game/match3d/replaypanel.h"

#include <algorithm>

#include "core/base/angles.h"
#include "core/match/replay.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/panels.h"
#include "game/match3d/renderview.h"
#include "game/system/device3d.h"
#include "game/system/matrices.h"

ReplayPanelState ReplayPanel;

const uint32_t kReplayButtonDelay[kReplayButtons] = {9999, 5, 9999, 5, 9999, 9999, 2, 2, 9999, 9999};

namespace {

constexpr int kBallPathButton = 8;
constexpr float kPressedDepth = 0.08f;
constexpr float kPressStep = 0.05f;
constexpr float kReleaseStep = 0.03f;
constexpr float kOverlayDepth = 0.06f;
constexpr float kPanelShift = 2.8f;
constexpr float kPanelTilt = -kPiF / 4.0f;
constexpr float kHalfTurn = kPiF;

void World(Matrix* world, float angle, float scale, float x, float y) {
    Matrix rotation, scaling, translation, partial;
    MatrixRotateX(&rotation, angle);
    MatrixSetScale(&scaling, scale, scale, scale);
    MatrixSetTranslation(&translation, x, y, 0.0f);
    MatrixMultiply(&partial, &rotation, &scaling);
    MatrixMultiply(world, &partial, &translation);
}

void SetWorld(float angle, float scale, float x, float y) {
    World(&SimpleObjWorld, angle, scale, x, y);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &SimpleObjWorld);
}

float PointerY(int32_t y) { return (4.6f - float(y) / 600.0f * 9.2f) * 0.75f; }
float PointerX(int32_t x) { return float(x) / 800.0f * 9.2f - 4.6f; }

// Moves a button's depth (toward the viewer is -z) toward its goal.
void StepDepth(float* z, float goal, bool pressing) {
    const float depth = -*z;
    float next = depth;
    if (pressing) {
        next = depth + kPressStep > goal ? goal : depth + kPressStep;
        if (depth > goal) next = goal;
    } else {
        next = depth - kReleaseStep < goal ? goal : depth - kReleaseStep;
    }
    *z = -next;
}

}  // namespace

void ReplayPanel_Reset() {
    ReplayPanel = {};
    ReplayPanel.highlighted = -1;
    ReplayPanel.active = -1;
    ReplayPanel.hovered = -1;
}

void ReplayPanel_SetActive(int32_t button) { ReplayPanel.active = button; }

void ReplayPanel_PointerToPanel(int32_t x, int32_t y, float* px, float* py) {
    *px = PointerX(x);
    *py = PointerY(y) + kPanelShift;
}

int32_t ReplayPanel_ButtonAt(float px, float py) {
    int32_t found = -1;
    for (int32_t button = 0; button < kReplayButtons; ++button) {
        if (SimpleObj_PointInGroup(kPanelSlotReplay, uint32_t(button + 1), px, py, -0.05f) != 0)
            found = button;
    }
    return found;
}

void ReplayPanel_Update() {
    ReplayPanelState& p = ReplayPanel;
    if (p.firedCountdown == 0) {
        p.active = -1;
    } else {
        --p.firedCountdown;
    }

    int32_t x = 0, y = 0;
    MatchMouse_Get(&x, &y);
    float px = 0.0f, py = 0.0f;
    ReplayPanel_PointerToPanel(x, y, &px, &py);
    const int32_t hovered = ReplayPanel_ButtonAt(px, py);
    if (hovered != p.hovered) p.highlighted = hovered;
    p.hovered = hovered;

    if (MatchMouse.leftHeld != 0) {
        if (p.repeatCountdown > 0) --p.repeatCountdown;
        if (p.repeatCountdown == 0 && p.hovered >= 0) {
            const int32_t button = p.hovered;
            p.repeatCountdown = kReplayButtonDelay[button];
            p.active = button;
            Replay_Command(int16_t(button));
            p.firedCountdown = 3;
        }
    } else {
        p.repeatCountdown = 0;
    }

    const int16_t speedButton = Replay_GetSpeedClass();
    for (int32_t button = 0; button < kReplayButtons; ++button) {
        float* z = &p.offsets[(button + 1) * 3 + 2];
        if (button == p.active || button == speedButton) {
            StepDepth(z, kPressedDepth, true);
        } else if (button == kBallPathButton && BallPathSwitch != 0) {
            StepDepth(z, kOverlayDepth, -*z < kOverlayDepth);
        } else {
            StepDepth(z, 0.0f, false);
        }
        p.switches[button + 1] = button == p.highlighted ? 1 : 0;
    }
}

void ReplayPanel_Draw() {
    D3DGame_SetLighting(0);
    D3DGame_SetBlending(1);
    D3DGame_SetDepth(1);
    SetWorld(kPanelTilt, 1.0f, 0.0f, -kPanelShift);
    SimpleObj_RenderSwitched(kPanelSlotReplay, ReplayPanel.offsets, kReplayGroups, kReplayGroups,
                             ReplayPanel.switches);
    SimpleObj_Render(kPanelSlotTimeBar, nullptr, 0);
    float minimum[3], maximum[3];
    if (SimpleObj_GetGroupBox(kPanelSlotTimeBar, 1, minimum, maximum) == 0) return;
    const float share = Replay.recorded > 0 ? Replay.position / float(Replay.recorded) : 0.0f;
    const float fill = share < 0.0f ? 0.0f : (share > 1.0f ? 1.0f : share);
    D3DGame_SetCulling(1);
    Icon_DrawBox3D(minimum[0], minimum[1], minimum[2], (maximum[0] - minimum[0]) * fill,
                   maximum[1] - minimum[1], 0x11, 2);
}

bool ReplayPanel_ScreenRect(ScreenRect* out) {
    Matrix world;
    World(&world, kPanelTilt, 1.0f, 0.0f, -kPanelShift);
    ScreenRect buttons, bar;
    if (!SimpleObj_ScreenRect(kPanelSlotReplay, world, &buttons) ||
        !SimpleObj_ScreenRect(kPanelSlotTimeBar, world, &bar))
        return false;
    *out = {std::min(buttons.left, bar.left), std::min(buttons.top, bar.top),
            std::max(buttons.right, bar.right), std::max(buttons.bottom, bar.bottom)};
    return true;
}

void ReplayPanel_DrawPointer() {
    int32_t x = 0, y = 0;
    MatchMouse_Get(&x, &y);
    D3DGame_SetCulling(1);
    D3DGame_SetBlending(1);
    SetWorld(kHalfTurn, 0.01f, PointerX(x), PointerY(y));
    Icon_DrawIcon3D(IconId(kPointerFile, 0), 0, 0, 0, 0x11);
}
