// The frame cycle of the shown match.  Init loads everything a shown period
// draws (textures, icons, world objects and stadium, figures, lights,
// panels) and Uninit releases it; each loop pass updates the camera and the
// panels and draws one frame in a fixed order of passes: the stadium's
// ground, the shadows, skid marks, the stadium's stands, the figures and
// the ball, goals and overlays, the flares, screen texts, the volume bar,
// the radar and the panels.  The pacing at the start of each frame is what
// gives the match its speed.
#include "game/match3d/matchframe.h"

#include <algorithm>
#include <cmath>

#include "core/base/debug.h"
#include "core/match/infobar.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/netmarks.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/match3d/kitload.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/panels.h"
#include "game/match3d/players3d.h"
#include "game/match3d/renderview.h"
#include "game/match3d/soundeffects.h"
#include "game/match3d/stadium.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/matrices.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/renderstates.h"
#include "game/system/sounddriver.h"
#include "game/system/textures3d.h"
#include "game/system/tickclock.h"
#include "game/system/videosurvey.h"
#include "platform/d3d.h"

uint8_t FastForward;
double NextFrameDue;
int16_t LateFrameCount;
uint32_t VolumeKeyTime;
int16_t VolumeBarShown;
int32_t D3DGameFramesDrawn;

namespace {

constexpr const char* kModule = "d3dgame";
constexpr int kNormalRate = 50;
constexpr int kFastForwardRate = 300;
constexpr uint32_t kUpdateEvery = 8;  // timer ticks between panel updates
constexpr uint32_t kVolumeBarTicks = 1000;
constexpr int kActiveChannels = 16;
constexpr int kTeamColourEntry[2] = {46, 47};
constexpr int kCaptionColour = 52;
constexpr uint32_t kSunColour = 0xA5A5A5A5;
constexpr uint32_t kFillColour = 0x3F3F3F3F;
// Below this brightness (0..255) a colour does not read on the radar's dark
// glass without a light rim.
constexpr int kDarkLuma = 96;

struct DisplayState {
    bool started = false;
    EnterGameInfo* match = nullptr;  // the match record and its two teams
    uint32_t teamInfo[2] = {};
    int32_t modeIndex = -1;
    bool stencil = false;
    int lights[2] = {-1, -1};
    uint32_t startTicks = 0;  // the timer when the display started
    uint32_t lastUpdate = 0;  // the tick count / 8 of the last panel update
    uint32_t radarColour[2] = {0xFFFFFFFF, 0xFFFFFFFF};
    uint32_t radarRim[2] = {0xFF000000, 0xFF000000};
};
DisplayState g_display;

// Ticks since the display started, as the pacing counts them.
double TicksNow() { return double(GetTimerTicks() - g_display.startTicks); }

bool NightMatch() { return MatchRuleSet(GetMatchSetupBlock(), gameinfo::kNightMatch); }

bool StencilFor(int colourType) {
    const DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    const uint32_t flags = device != nullptr ? device->flags : 0;
    switch (colourType) {
        case 1:
            return (flags & D3DDEVINFO_STENCIL16) != 0;
        case 2:
            return (flags & D3DDEVINFO_STENCIL24) != 0;
        case 3:
            return (flags & D3DDEVINFO_STENCIL32) != 0;
        default:
            return false;
    }
}

Vector Normalised(float x, float y, float z) {
    Vector v{x, y, z};
    VectorNormalise(&v);
    return v;
}

void ColourOf(uint32_t argb, float* rgba) {
    rgba[0] = float((argb >> 16) & 0xFF) / 255.0f;
    rgba[1] = float((argb >> 8) & 0xFF) / 255.0f;
    rgba[2] = float(argb & 0xFF) / 255.0f;
    rgba[3] = float(argb >> 24) / 255.0f;
}

// Each light's colour is also its ambient part: without it every face turned
// from the sun would be lit by the weak fill light alone and come out black.
void CreateLights() {
    float colour[4];
    const Vector sun = Normalised(14.0f, 10.0f, -20.0f);
    ColourOf(kSunColour, colour);
    D3DLightSetDefaultColour(kSunColour);
    g_display.lights[0] = D3DLightCreate(colour, &sun);
    plat::D3DMaterial7 white{};
    white.diffuse = white.ambient = {1.0f, 1.0f, 1.0f, 1.0f};
    D3DSetMaterial(&white);
    const float sunDirection[3] = {sun.x, sun.y, sun.z};
    Stadium_SetLight(NightMatch() ? nullptr : sunDirection);
    const Vector fill = Normalised(4.0f, -4.0f, 2.0f);
    ColourOf(kFillColour, colour);
    D3DLightSetDefaultColour(kFillColour);
    g_display.lights[1] = D3DLightCreate(colour, &fill);
}

void DestroyLights() {
    for (int& light : g_display.lights) {
        if (light >= 0) D3DLightDestroy(light);
        light = -1;
    }
}

int KitWord(const uint8_t* kit, int word) { return int(int16_t(kit[2 * word] | kit[2 * word + 1] << 8)); }

uint32_t Rgb(const KitColour& c) { return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue; }

// Entries 46 and 47 of the icon colours: each side's first shirt colour;
// the radar's dots: each side's main shirt colour.
void SetTeamColours() {
    for (int side = 0; side < 2; ++side) {
        const uint8_t* kit = g_display.match->bytes + g_display.teamInfo[side] + gameinfo::kTeamKit;
        const KitColour& c = GetKitColour(KitWord(kit, 1));
        AddIcon_ColourList(kTeamColourEntry[side], float(c.red) / 255.0f, float(c.green) / 255.0f,
                           float(c.blue) / 255.0f, 1.0f);
        const uint32_t main = D3DGame_MainShirtRgb(kit);
        g_display.radarColour[side] = 0xFF000000u | main;
        g_display.radarRim[side] = 0xFF000000u | D3DGame_RimRgbFor(main);
    }
}

uint32_t TextureCapsFlags(const VideoChoice& choice, int colourType) {
    uint32_t flags = 0;
    if (choice.MipMapping) flags |= 4096;
    if (choice.TextureOption == 0) flags |= 0x10000;
    flags += (colourType == 2 || colourType == 3) ? 32 : 16;
    return flags;
}

// True when the frame is to be drawn; false when it is skipped to catch up.
bool Pace() {
    const int rate = D3DGame_TargetRate();
    NextFrameDue += double(TIMER_TICKS_PER_SECOND) / double(rate);
    if (TicksNow() <= NextFrameDue) {
        while (TicksNow() < NextFrameDue)
            WaitUntilTicks(g_display.startTicks + uint32_t(std::ceil(NextFrameDue)));
        return true;
    }
    ++LateFrameCount;
    if (LateFrameCount < 2 * rate / kNormalRate) return false;
    LateFrameCount = 0;
    NextFrameDue = TicksNow();
    return true;
}

void ShadowPass() {
    D3DGame_SetDefaultStates();
    D3DGame_SetDepth(0);
    D3DGame_SetBlending(1);
    D3DGame_SetCulling(0);
    D3DSetRenderState(plat::kRsColorVertex, 1);
    if (g_display.stencil) {
        D3DSetRenderState(plat::kRsStencilEnable, 1);
        D3DSetRenderState(plat::kRsStencilFunc, plat::kCmpNotEqual);
        D3DSetRenderState(plat::kRsStencilRef, 1);
        D3DSetRenderState(plat::kRsStencilMask, 1);
        D3DSetRenderState(plat::kRsStencilPass, plat::kStencilOpIncr);
    }
    Ball_DrawShadow();
    Players3D_DrawShadows();
    D3DSetRenderState(plat::kRsStencilEnable, 0);
}

void SkidMarkPass() {
    D3DGame_SetBlending(1);
    for (int n = 0; n < kSkidMarks; ++n) {
        const SkidMark* mark = SkidMark_Get(n);
        if (mark != nullptr && mark->inUse) SkidMark_Draw(mark->x, mark->y, mark->direction);
    }
}

void FigurePass() {
    D3DGame_SetLighting(VideoGetChoice()->Lighting);
    D3DSetRenderState(plat::kRsShadeMode, plat::kShadeGouraud);
    D3DGame_SetPerspective(0);
    D3DGame_SetDepth(1);
    Players3D_Draw();
    Ball_Draw();
    D3DGame_SetLighting(0);
    D3DSetRenderState(plat::kRsShadeMode, plat::kShadeFlat);
    D3DGame_SetPerspective(1);
    D3DGame_SetCulling(1);
}

void ScreenTextPass() {
    D3DGame_SetDefaultStates();
    D3DGame_SetDepth(0);
    D3DGame_SetBlending(1);
    D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgPoint);
    D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnPoint);
    D3DSetRenderState(plat::kRsFogEnable, 0);
    if (NameLabelSwitch != 0) Overlay_NameLabels();
    if (Replay_IsPlaying() && MatchCam_GetMode() >= 1) {
        Icon_SetOrigin(0, 0, 0x21);
        Icon_PrintfScreen(kFont24, 0, 10, 0x21, kCaptionColour, "%s", GetText(kTextReplay));
    }
}

void VolumeBar() {
    if (!VolumeBarShown) return;
    if (GetTimerTicks() - VolumeKeyTime >= kVolumeBarTicks) {
        VolumeBarShown = 0;
        return;
    }
    const int volume = std::clamp(int(SfxVolume), 0, 100);
    const int segments = volume / 10 + 1;
    const int width = int(GfxGetScreenWidth()) / 40;
    Icon_SetOrigin(0, 0, 0x00);
    for (int s = 0; s < segments; ++s) {
        Icon_DrawBox(20 + s * width, int(GfxGetScreenHeight()) - 60, width - 2, 12 + s * 2, 0x03, 1);
    }
}

void PanelPass() {
    if (g_display.lights[0] >= 0) D3DLightEnable(g_display.lights[0], 0);
    if (g_display.lights[1] >= 0) D3DLightEnable(g_display.lights[1], 1);
    Panels_Draw();
    if (g_display.lights[0] >= 0) D3DLightEnable(g_display.lights[0], 1);
    if (g_display.lights[1] >= 0) D3DLightEnable(g_display.lights[1], 0);
}

// The in-match request's menu, then every key cleared.
void OpenRequestedMenu(int16_t menu) {
    switch (menu) {
        case 6:
            IGMenu_Request6Auto();
            break;
        case 2:
            IGMenu_Request2();
            break;
        case 1:
            IGMenu_Request1();
            break;
        case 10:
            IGMenu_Request10();
            break;
        default:
            break;
    }
    KeyClearAll();
}

}  // namespace

int D3DGame_TargetRate() {
    if (Replay_IsPlaying()) return kNormalRate;
    const uint16_t phase = MatchPhase;
    if (FastForward && phase != 0 && phase != 2 && phase != 9 && phase != 28) return kFastForwardRate;
    return kNormalRate * (GameSpeedSetting + 1);
}

uint32_t D3DGame_RadarColour(int side) { return g_display.radarColour[side & 1]; }
uint32_t D3DGame_RadarRimColour(int side) { return g_display.radarRim[side & 1]; }

uint32_t D3DGame_MainShirtRgb(const uint8_t* kit) {
    const int design = KitWord(kit, 0);
    int zone = 0;
    if (design >= 0 && design < kShirtDesigns) {
        InitShirtDesignTally(int16_t(design));
        const ShirtDesignZones& tally = ShirtDesignTally[design];
        for (int z = 1; z < kShirtZones; ++z) {
            if (tally.count[z] > tally.count[zone]) zone = z;
        }
    }
    return Rgb(GetKitColour(KitWord(kit, 1 + zone)));
}

uint32_t D3DGame_RimRgbFor(uint32_t rgb) {
    const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
    const int luma = (299 * r + 587 * g + 114 * b) / 1000;
    return luma < kDarkLuma ? 0xE8F0F8u : 0x101010u;
}
bool D3DGame_IsStarted() { return g_display.started; }

void D3DGame_Init() {
    g_display.match = GetMatchSetupBlock();
    g_display.teamInfo[0] = gameinfo::TeamInfoAt(0);
    g_display.teamInfo[1] = gameinfo::TeamInfoAt(1);
    const VideoChoice& choice = *VideoGetChoice();
    if (choice.Device == -1) AbortError(kModule, __LINE__, "D3DGame_Init(): Direct3D not initialized");
    g_display.modeIndex = choice.ModeIndex;
    // The mode table is read at this index: a choice outside it stops here
    // rather than reading past the table.
    if (choice.ModeIndex < 0 || choice.ModeIndex >= GfxNumModes) {
        AbortError(kModule, __LINE__, "D3DGame_Init(): no screen mode chosen");
    }
    const int colourType = GfxModeTable[choice.ModeIndex].colour_type;
    g_display.stencil = StencilFor(colourType);

    // Full screen flips a back buffer; a window shows the virtual screen the
    // device draws into, copied in when the window repaints after each scene,
    // so a back buffer there would never be seen.
    uint16_t modeFlags = GFX_3D | GFX_ZBUFFER;
    if (!WinIsWindowed()) modeFlags |= GFX_DOUBLEBUFFER;
    if (g_display.stencil) modeFlags |= GFX_STENCIL;
    SetGraphicMode(int16_t(choice.ModeIndex), modeFlags);
    ResetMouseDriver();
    StartLoadingScreen(WinIsWindowed() ? 0 : LOADING_FLIP);
    D3DTexSetExtraFlags(TextureCapsFlags(choice, colourType));

    NORMTEXT_Init();
    TexD3D_Init();
    Icon_Init();
    World_LoadObjects();
    Players3D_Load();

    CreateLights();

    SkidMark_ClearAll();
    InfoBar_Reset();
    SndSetActiveChannels(kActiveChannels);
    MatchSfx_Init();

    SetTeamColours();

    g_display.startTicks = GetTimerTicks();
    NextFrameDue = 0.0;
    LateFrameCount = 0;
    g_display.lastUpdate = ~0u;
    D3DGameFramesDrawn = 0;
    Panel_LoadModels();
    Panels_Init();
    Panel_LoadFlags();
    StopLoadingScreen();
    g_display.started = true;
}

void D3DGame_Uninit() {
    if (!g_display.started) return;
    Panel_FreeFlags();
    SimpleObj_FreeAll();
    DestroyLights();
    Players3D_Free();
    World_FreeObjects();
    Icon_Uninit();
    TexD3D_DestroyAll();
    RestoreGraphicMode();
    MatchSfx_StopAll();
    SndClearActiveChannels();
    g_display.startTicks = GetTimerTicks();
    NextFrameDue = 0.0;
    g_display.started = false;
}

void D3DGame_Update() {
    if (!g_display.started) return;
    // The first period's display switches the radar on.
    if (DisplayFirstPeriod) {
        PitchRadarSwitch = 1;
        DisplayFirstPeriod = 0;
    }
    MatchCam_Compute();
    const uint32_t slot = GetTimerTicks() / kUpdateEvery;
    if (slot == g_display.lastUpdate) return;
    g_display.lastUpdate = slot;
    InfoBar_Update();
    Panels_Update();
}

void D3DGame_RenderFrame() {
    if (!g_display.started) return;
    if (!Pace()) return;

    D3DClearScene(D3DCLEAR_ZBUFFER | (g_display.stencil ? D3DCLEAR_STENCIL : 0));
    D3DBeginScene();
    D3DGame_SetDefaultStates();
    D3DGame_SetDepth(0);
    D3DWorldDisplayStadSection(1);
    ShadowPass();
    SkidMarkPass();
    D3DGame_SetDefaultStates();
    D3DWorldDisplayStadSection(2);
    FigurePass();
    D3DWorldDisplayStadSection(3);
    Goals_Draw();
    if (TouchMarkerSwitch != 0) Overlay_TouchMarker();
    if (BallPathSwitch != 0) Overlay_BallPath();
    D3DWorldDisplayStadSection(4);
    ScreenTextPass();
    VolumeBar();
    if (PitchRadarSwitch != 0 && EventMarker == 0xFFFF) Overlay_PitchRadar();
    PanelPass();
    D3DEndScene();
    ++D3DGameFramesDrawn;

    if (!WinIsWindowed()) GfxFlip();
    Poll();
    MatchMouse_Poll();
    MatchInput_Poll();
    // A closed window leaves nobody to watch: the match runs on undrawn (as
    // under U) and a replay closes, so that the day finishes and the game
    // can end instead of waiting out the match at the display's pace.
    if (WinCloseRequested() != 0) {
        if (Replay_IsPlaying()) Replay_Stop();
        DrawMode = 1;
    }
}

void Match3D_DisplayOn() {
    // Without a 3D device the display stays off and the match runs on
    // undrawn, instead of ending the program (and the unsaved game) in
    // D3DGame_Init's check.
    if (VideoGetChoice()->Device == -1) return;
    D3DGame_Init();
    SkidMark_ClearAll();
    MatchCam_Init();
    KeyClearAll();
}

void Match3D_DisplayOff() { D3DGame_Uninit(); }

void D3DGame_Connect() {
    MatchCam_ConnectEngine();
    MatchCam_ConnectReplay();
    MatchHooks.displayOn = Match3D_DisplayOn;
    MatchHooks.displayOff = Match3D_DisplayOff;
    MatchHooks.updateAndRender = [] {
        D3DGame_Update();
        D3DGame_RenderFrame();
    };
    MatchHooks.tickDisplayStep = [] {
        if (D3DGame_IsStarted()) D3DGame_Tick();
    };
    MatchHooks.openInGameMenu = OpenRequestedMenu;
    MatchHooks.igMenuRequest6 = IGMenu_Request6;
    MatchHooks.igMenuRequest8 = IGMenu_Request8;
    MatchHooks.keyIsDown = [](int key) {
        return key == kKeyF1 ? KeyIsDown(59) != 0 : key == kKeyF12 ? KeyIsDown(88) != 0 : false;
    };
}
