#include "game/match3d/panels.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/base/angles.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/infobar.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchphases.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "core/records/text.h"
#include "game/match3d/flagtable.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/renderview.h"
#include "game/match3d/replaypanel.h"
#include "game/system/device3d.h"
#include "game/system/keyboard.h"
#include "game/system/matrices.h"
#include "game/system/poll.h"

FlipPanel ScorePanel, ClockPanel, TeamPanels[2], MenuPanel, InfoPanel;

namespace {

constexpr float kHalfTurnLow = kPiF / 2.0f;
constexpr float kHalfTurnHigh = 3.0f * kPiF / 2.0f;
constexpr float kTurnStep = kPiF / 20.0f;
constexpr float kFullTurn = 2.0f * kPiF;
constexpr float kHalfTurn = kPiF;
constexpr float kHideStep = 0.05f;
constexpr float kTextScale = 0.01f;
constexpr int kDebugKey = 0x20;

// Where each flip panel stands in the overlay view when fully shown, and
// how far it slides as it hides.
struct PanelPlace {
    float x, hideX, y, hideY;
    float XAt(float hide) const { return x + hideX * hide; }
    float YAt(float hide) const { return y + hideY * hide; }
};
constexpr PanelPlace kScorePlace{-2.9f, -3.4f, 3.1f, 0.0f};
constexpr PanelPlace kClockPlace{4.05f, 1.2f, 3.2f, 0.0f};
constexpr PanelPlace kTeamPlace[2] = {{-3.5f, -2.2f, -3.2f, 0.0f}, {3.5f, 2.2f, -3.2f, 0.0f}};
constexpr PanelPlace kInfoPlace{0.0f, 0.0f, -3.0f, -0.8f};
constexpr PanelPlace kMenuPlace{0.0f, 0.0f, 0.0f, 0.0f};

constexpr int16_t kPeriodMinutes[4] = {45, 45, 15, 15};
constexpr int16_t kPeriodStart[4] = {0, 45, 90, 105};

struct PanelModel {
    const char* name;
    float scale;
    uint32_t flags;
};
constexpr PanelModel kPanelModels[10] = {
    {"replayb", 12.0f, 1}, {"timebar", 12.0f, 9}, {"bartime", 1.0f, 9}, {"bar1", 1.0f, 9},
    {"bar2", 1.0f, 9},     {"bar3", 1.0f, 9},     {"barbig", 1.0f, 9},  {"bar_lef", 1.0f, 9},
    {"bar_rig", 1.0f, 9},  {"scanner", 1.0f, 9},
};

PanelFlag g_flags[2];
float* g_flagMesh;  // u, v per vertex of the 31 x 21 grid
bool g_debugKeyPressed;

constexpr FlipPanel kHiddenPanel{1.0f, kHalfTurn, kPanelNoKey};

bool PeriodUnderWay() { return MatchClockRunning != 0; }

void PanelStates() {
    D3DGame_SetLighting(0);
    D3DGame_SetBlending(1);
    D3DGame_SetDepth(1);
    D3DGame_SetCulling(1);
}

// World = rotation about the panel's long axis, then the translation.
void PanelWorld(Matrix* world, float angle, float scale, float x, float y, float z) {
    Matrix rotation, scaling, translation, partial;
    MatrixRotateX(&rotation, angle);
    MatrixSetScale(&scaling, scale, scale, scale);
    MatrixSetTranslation(&translation, x, y, z);
    MatrixMultiply(&partial, &rotation, &scaling);
    MatrixMultiply(world, &partial, &translation);
}

void SetPanelWorld(float angle, float scale, float x, float y, float z) {
    PanelWorld(&SimpleObjWorld, angle, scale, x, y, z);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &SimpleObjWorld);
}

// The model at its place, then the text space (half a turn more, scaled).
bool BeginFlipPanel(const FlipPanel& panel, int slot, float x, float y, float scale = 1.0f) {
    if (panel.hide > 0.99f) return false;
    PanelStates();
    SetPanelWorld(panel.angle, scale, x, y, 0.0f);
    SimpleObj_Render(slot, nullptr, 0);
    SetPanelWorld(panel.angle + kHalfTurn, kTextScale * scale, x, y, 0.0f);
    return true;
}

// A team or player name copied with a bound: a goal file can hold any bytes.
void BoundedName(char* out, size_t outSize, const char* name, size_t fieldSize) {
    size_t n = 0;
    while (n < fieldSize && n + 1 < outSize && name[n] != '\0') ++n;
    std::memcpy(out, name, n);
    out[n] = '\0';
}

void TeamName(int team, char* out, size_t outSize) {
    const char* name =
        reinterpret_cast<const char*>(GameInfo.bytes + gameinfo::TeamInfoAt(team) + gameinfo::kTeamName);
    BoundedName(out, outSize, name, gameinfo::kTeamNameLength);
}

int32_t ScoreKey() {
    const int16_t* goals = Period == 4 ? ShootOutGoals : Goals;
    auto byte = [](int16_t g) { return int32_t(g < 0 ? 0 : (g > 255 ? 255 : g)); };
    return byte(goals[0]) * 256 + byte(goals[1]);
}

}  // namespace

// ---------------------------------------------------------------------------

void FlipPanel_Step(FlipPanel* panel, float wantedHide, int32_t key, bool showBack) {
    float target = 0.0f;
    if (showBack) {
        target = kHalfTurn;
    } else if (key != panel->key) {
        if (panel->angle < kHalfTurnLow || panel->angle > kHalfTurnHigh) {
            target = kHalfTurn;
        } else {
            panel->key = key;
        }
    }
    if (std::fabs(panel->hide - wantedHide) < kHideStep) {
        panel->hide = wantedHide;
    } else {
        panel->hide += panel->hide < wantedHide ? kHideStep : -kHideStep;
    }
    // Always forward: a panel short of its target by more than a step goes
    // on round through the full turn.
    if (std::fabs(panel->angle - target) < kTurnStep) {
        panel->angle = target;
    } else {
        panel->angle += kTurnStep;
        if (panel->angle > kFullTurn) panel->angle -= kFullTurn;
    }
}

void Panel_LoadModels() {
    for (int slot = 0; slot < 10; ++slot) {
        if (slot == 0 || slot == 2 || slot == 4 || slot == 6 || slot == 9) Poll();
        LoadObject(slot, kPanelModels[slot].name, kPanelModels[slot].scale, kPanelModels[slot].flags);
    }
}

int Panel_FindFlag(const char* name) {
    for (int row = 0; row < kFlagCount; ++row) {
        if (std::strcmp(kFlagSizes[row].name, name) == 0) return row;
    }
    return -1;
}

void Panel_LoadFlags() {
    Panel_FreeFlags();
    AllocateMemory(&g_flagMesh, uint32_t(sizeof(float) * 2 * (kFlagMeshColumns + 1) * (kFlagMeshRows + 1)),
                   MEM_TYPE_MANUAL_FREE);
    for (int row = 0; row <= kFlagMeshRows; ++row) {
        for (int column = 0; column <= kFlagMeshColumns; ++column) {
            float* uv = g_flagMesh + 2 * (row * (kFlagMeshColumns + 1) + column);
            auto clampUv = [](float v) {
                return v < 1.0f / 256.0f ? 1.0f / 256.0f : (v > 0.99609375f ? 0.99609375f : v);
            };
            uv[0] = clampUv(float(column) / kFlagMeshColumns);
            uv[1] = clampUv(float(row) / kFlagMeshRows);
        }
    }
    for (int side = 0; side < 2; ++side) {
        // The set-up block keeps no flag name: every side shows the default.
        const char* name = "velkflag";
        const int row = Panel_FindFlag(name);
        g_flags[side] = {0, 4.0f / 3.0f};
        if (row < 0) continue;
        // The made name lives in a shared buffer: copy it before the next call.
        char file[256];
        std::snprintf(file, sizeof file, "%s",
                      MakeFileName("zudata\\d3d\\simple\\textures\\flags", name, "gfx"));
        g_flags[side].texture = NewTex_CreateTexture(file);
        g_flags[side].aspect = float(kFlagSizes[row].width) / float(kFlagSizes[row].height);
    }
}

void Panel_FreeFlags() {
    for (PanelFlag& flag : g_flags) {
        if (flag.texture != 0) NewTex_DestroyTexture(flag.texture);
        flag = {0, 4.0f / 3.0f};
    }
    if (g_flagMesh != nullptr) FreeMemory(&g_flagMesh);
}

const PanelFlag& Panel_GetFlag(int side) { return g_flags[side == 0 ? 0 : 1]; }
const float* Panel_GetFlagMeshUv() { return g_flagMesh; }

// ---------------------------------------------------------------------------
// Score.

void ScorePanel_Init() {
    ScorePanel = kHiddenPanel;
    g_debugKeyPressed = false;
}

void ScorePanel_Update() { FlipPanel_Step(&ScorePanel, 0.0f, ScoreKey(), false); }

void ScorePanel_Draw() {
    if (!BeginFlipPanel(ScorePanel, kPanelSlotScore, kScorePlace.XAt(ScorePanel.hide), kScorePlace.y)) return;
    if (KeyWasPressed(kDebugKey)) g_debugKeyPressed = true;
    if (DecisionDisplay.counter != 0 && g_debugKeyPressed) {
        --DecisionDisplay.counter;
        Icon_Printf(kFont24, 20, 2, 0, 0x23, "Ideal %d", DecisionDisplay.ideal);
        Icon_Printf(kFont24, 20, -3, 0, 0x21, "Direction %d", DecisionDisplay.direction);
        return;
    }
    if (ScorePanel.key < 0) return;
    char home[gameinfo::kTeamNameLength + 1], away[gameinfo::kTeamNameLength + 1];
    TeamName(0, home, sizeof home);
    TeamName(1, away, sizeof away);
    Icon_Printf(kFont24, 20, 2, 0, 0x23, "%s - %d", home, ScorePanel.key >> 8);
    Icon_Printf(kFont24, 20, -3, 0, 0x21, "%s - %d", away, ScorePanel.key & 0xFF);
}

// ---------------------------------------------------------------------------
// Clock.

bool ClockPanel_Time(int* minutes, int* seconds) {
    if (Period > 3) return false;
    uint64_t total = uint64_t(kPeriodStart[Period]) * 60;
    if (PeriodLength != 0) total += uint64_t(kPeriodMinutes[Period]) * PeriodClock * 60 / PeriodLength;
    *minutes = int(total / 60);
    *seconds = int(total % 60);
    return true;
}

void ClockPanel_Init() { ClockPanel = kHiddenPanel; }

void ClockPanel_Update() {
    const int32_t key = PeriodClock < PeriodLength ? 1 : 2;
    // No clock while no period is under way, nor in the shoot-out.
    FlipPanel_Step(&ClockPanel, 0.0f, key, !PeriodUnderWay() || Period > 3);
}

void ClockPanel_Draw() {
    if (!BeginFlipPanel(ClockPanel, kPanelSlotClock, kClockPlace.XAt(ClockPanel.hide), kClockPlace.y)) return;
    if (ClockPanel.key == 1) {
        int minutes = 0, seconds = 0;
        if (ClockPanel_Time(&minutes, &seconds))
            Icon_Printf(kFont24, 0, -2, 0, 0x22, "%3d:%02d", minutes, seconds);
    } else if (ClockPanel.key == 2) {
        Icon_Printf(kFont16, 0, -5, 0, 0x22, "%s", GetText(628));
        Icon_Printf(kFont16, 0, 7, 0, 0x22, "%2d", ShownStoppageTime / 60);
    }
}

// ---------------------------------------------------------------------------
// Team panels.

namespace {

int CurrentPlayer(int side) {
    const int figure = SideCurrentPlayer[side];
    if (figure < 0 || figure >= kPlayerFigures) return -1;
    return figure;
}

bool InfoShowing() { return InfoBar_GetHold() > 0 && InfoBar_GetText()[0] != '\0'; }

}  // namespace

void TeamPanel_Init() { TeamPanels[0] = TeamPanels[1] = kHiddenPanel; }

void TeamPanel_Update() {
    const float hide = InfoShowing() || !PeriodUnderWay() ? 1.0f : 0.0f;
    for (int side = 0; side < 2; ++side) {
        FlipPanel_Step(&TeamPanels[side], hide, ChangePending[side] != 0 ? 1 : 2, false);
    }
}

void TeamPanel_Draw() {
    if (GameInfo.I16(gameinfo::kCompetition) < 0) return;
    for (int side = 0; side < 2; ++side) {
        const int figure = CurrentPlayer(side);
        if (figure < 0) continue;
        const FlipPanel& panel = TeamPanels[side];
        const PanelPlace& place = kTeamPlace[side];
        if (!BeginFlipPanel(panel, side == 0 ? kPanelSlotHome : kPanelSlotAway, place.XAt(panel.hide),
                            place.y))
            continue;
        if (panel.key == 1) {
            Icon_Printf(kFont16, 0, 0, 0, 0x22, "%s", GetText(241));
        } else if (panel.key == 2) {
            char name[sizeof MatchFigures[0].name + 1];
            BoundedName(name, sizeof name, MatchFigures[figure].name, sizeof MatchFigures[0].name);
            const int shirt = MatchFigures[figure].shirt;
            if (side == 0) {
                Icon_Printf(kFont16, -80, 0, 0, 0x12, "%-2d %s", shirt, name);
            } else {
                Icon_Printf(kFont16, 80, 0, 0, 0x32, "%s %2d", name, shirt);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Information panel.

void InfoPanel_Init() { InfoPanel = kHiddenPanel; }

void InfoPanel_Update() {
    const bool shown = InfoShowing();
    FlipPanel_Step(&InfoPanel, shown ? 0.0f : 1.0f, 0, !shown);
}

void InfoPanel_Draw() {
    if (!BeginFlipPanel(InfoPanel, kPanelSlotInfo, kInfoPlace.x, kInfoPlace.YAt(InfoPanel.hide))) return;
    char text[256];
    BoundedName(text, sizeof text, InfoBar_GetText(), sizeof text - 1);
    Icon_Printf(kFont24, 0, 0, 0, 0x22, "%s", text);
}

// ---------------------------------------------------------------------------
// Menu panel.

void MenuPanel_Init() { MenuPanel = kHiddenPanel; }

void MenuPanel_Update() {
    const int mode = SimMenuMode & 0xFF;
    FlipPanel_Step(&MenuPanel, mode == 0 ? 1.0f : 0.0f, mode + 256 * (SimMenuLine & 0xFF), mode == 0);
}

void Panel_DrawMenu() {
    float s = 1.0f - MenuPanel.hide;
    s = s < 0.0f ? 0.0f : (s > 1.0f ? 1.0f : s);
    if (s < 0.01f) return;
    PanelStates();
    SetPanelWorld(MenuPanel.angle, s, kMenuPlace.x, kMenuPlace.y, 0.0f);
    SimpleObj_Render(kPanelSlotMenu, nullptr, 0);
    SetPanelWorld(MenuPanel.angle + kHalfTurn, kTextScale * s, kMenuPlace.x, kMenuPlace.y, 0.0f);
    if (MenuPanel.key < 0) return;
    const int mode = MenuPanel.key & 0xFF, line = MenuPanel.key >> 8;
    switch (mode) {
        case 0:
            break;
        case 1:
            Icon_Printf(kFont24, 0, -130, 0, 0x22, "%s", GetText(644));
            Icon_DrawBox3D(0, 40.0f * line - 60, 0, 260, 24, 0x22, 9);
            Icon_Printf(kFont24, 0, -60, 0, 0x22, "%s", GetText(637));
            Icon_Printf(kFont24, 0, -20, 0, 0x22, "%s", GetText(645));
            Icon_Printf(kFont24, 0, 20, 0, 0x22, "%s", GetText(0));
            break;
        case 2:
            Icon_Printf(kFont24, 0, -130, 0, 0x22, "%s", GetText(646));
            Icon_DrawBox3D(0, 40.0f * line - 60, 0, 260, 24, 0x22, 9);
            Icon_Printf(kFont24, 0, -60, 0, 0x22, "%s", GetText(249));
            Icon_Printf(kFont24, 0, -20, 0, 0x22, "%s", GetText(248));
            break;
        default:
            Icon_Printf(kFont24, 0, 0, 0, 0x22, "Unknown menu mode %d", mode);
            break;
    }
}

// ---------------------------------------------------------------------------

bool Panel_ShownScreenRect(int slot, ScreenRect* out) {
    const PanelPlace* place = nullptr;
    switch (slot) {
        case kPanelSlotScore:
            place = &kScorePlace;
            break;
        case kPanelSlotClock:
            place = &kClockPlace;
            break;
        case kPanelSlotHome:
        case kPanelSlotAway:
            place = &kTeamPlace[slot == kPanelSlotHome ? 0 : 1];
            break;
        case kPanelSlotInfo:
            place = &kInfoPlace;
            break;
        case kPanelSlotMenu:
            place = &kMenuPlace;
            break;
        default:
            return false;
    }
    Matrix world;
    PanelWorld(&world, 0.0f, 1.0f, place->x, place->y, 0.0f);
    return SimpleObj_ScreenRect(slot, world, out);
}

void Panels_Init() {
    ClockPanel_Init();
    ScorePanel_Init();
    TeamPanel_Init();
    InfoPanel_Init();
    MenuPanel_Init();
    ReplayPanel_Reset();
}

void Panels_Update() {
    ClockPanel_Update();
    ScorePanel_Update();
    TeamPanel_Update();
    InfoPanel_Update();
    if (Replay_IsPlaying()) ReplayPanel_Update();
    MenuPanel_Update();
}

void Panels_Draw() {
    SimpleObj_SetCamera();
    ClockPanel_Draw();
    ScorePanel_Draw();
    TeamPanel_Draw();
    const bool replay = Replay_IsPlaying();
    if (replay) {
        if (MatchCam_GetMode() == 0) ReplayPanel_Draw();
    } else {
        InfoPanel_Draw();
    }
    Panel_DrawMenu();
    if (replay && MatchCam_GetMode() == 0) ReplayPanel_DrawPointer();
}
