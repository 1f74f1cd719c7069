// The in-match keys and the display overlays.  At the end of every drawn
// frame the keyboard and the mouse are read: each side's steering is handed
// to the simulation, the camera and sound keys act, and the match keys ask
// for menus, replays, speed and drawing changes and switch the overlays.
// Each overlay switch shows its overlay while it is non-zero; the switches
// keep their values from one match to the next.
#pragma once
#include <cstdint>

extern int16_t TouchMarkerSwitch;
extern int16_t BallPathSwitch;
extern int16_t NameLabelSwitch;
extern int16_t PitchRadarSwitch;
// Set while Caps Lock holds the screen grab on every frame.
extern int16_t GrabEveryFrame;

// The pointer on the 800 x 600 layout (x 0..788, y 0..588), the last move,
// the buttons and the frames the buttons have been held (0 released).
struct MatchMouseState {
    int32_t x, y;
    int32_t leftHeld;  // non-zero while the left button is down
    int32_t dx, dy;
    uint16_t buttons;
    int32_t heldFrames;
};
extern MatchMouseState MatchMouse;

void MatchMouse_Get(int32_t* x, int32_t* y);
void MatchMouse_Poll();
// Once per drawn frame after the flip: both sides' steering reset, then the
// camera keys and the match keys.
void MatchInput_Poll();
void MatchKeys_Handle();
void MatchCam_Keys();
// The display switches back to their start-of-run values.
void MatchKeys_ResetSwitches();

// The overlays, drawn by the frame when switched on.
void Overlay_TouchMarker();
void Overlay_BallPath();
void Overlay_NameLabels();
void Overlay_PitchRadar();
struct ScreenRect;
// The screen rectangle the radar's frame covers; false while it is not
// loaded.
bool Overlay_RadarScreenRect(ScreenRect* out);
// Where the radar shows a figure at pitch position (x, y): relative to the
// centre spot in the frame's units, kept inside the frame by half a dot.
void Overlay_RadarDot(float x, float y, float half, float* dotX, float* dotY);

// Key codes of the keys read here (scan code, plus 128 for an extended key).
namespace matchkey {
constexpr int kEsc = 1, kOne = 2, kTwo = 3, kMinus = 12, kEquals = 13, kU = 22, kA = 30, kF = 33, kH = 35;
constexpr int kComma = 51, kFullStop = 52, kCapsLock = 58, kF2 = 60, kF4 = 62, kF5 = 63, kF6 = 64;
constexpr int kF7 = 65, kF8 = 66, kScrollLock = 70, kF11 = 87;
constexpr int kUp = 128 + 72, kLeft = 128 + 75, kRight = 128 + 77, kDown = 128 + 80;
}  // namespace matchkey
