// Pointer, mouse buttons and joysticks, in the shape the support library's
// input modules expect: a system cursor with a screen position that can be
// read and put back, the current state of each mouse button, and numbered
// joysticks with capabilities and a position read.  Nothing outside
// platform/ sees SDL.
#pragma once
#include <cstdint>
#include <span>

namespace plat {

// ---- Cursor and mouse buttons --------------------------------------------
// The system cursor's position in screen coordinates.  Full screen it
// follows the host mouse's relative motion, so it keeps moving while the
// pointer is hidden and held inside the window, and SetCursorPos puts it
// anywhere.  In a window it is the host pointer itself, which moves freely
// and may be placed anywhere at once (a tablet, a remote desktop, a virtual
// machine's pointer): SetCursorPos leaves it where it is.
bool GetCursorPos(int* x, int* y);
bool SetCursorPos(int x, int y);
// True in a window once the host pointer has been over it (since the window
// was made): the cursor is then the pointer's own position.
bool CursorIsHostPointer();
// No pointer over the window: the game draws its own.  The host pointer is
// hidden over the window until the arrow is shown again (SetArrowCursor in
// window.h); full screen it is also held in the window.
void HideCursor();

enum : int { kMouseLeft = 0, kMouseRight = 1, kMouseMiddle = 2 };
// Whether a physical button is down right now, or was pressed since the
// last time it was asked about (a click that ended before it was read).
bool MouseButtonIsDown(int button);
// Whether the user has exchanged the primary and secondary buttons.
bool MouseButtonsSwapped();
// Forgets which buttons are down (the "keyboard state" entries of the three
// buttons).
void ClearMouseButtonStates();

// Fed by the message translation (window.cpp) for host and injected events:
// a motion by (dx, dy) that left the host pointer at (x, y) of the client
// area.  A window takes the position, full screen the motion.
void NoteMouseMotion(int dx, int dy, int x, int y);
void NoteMouseButton(int button, bool down);
// A new or closed window has seen no pointer yet.
void ForgetPointer();

// Test seam: the desktop's button swap setting.
void SetMouseButtonsSwapped(bool swapped);

// ---- Joysticks -----------------------------------------------------------
constexpr int kJoyNameSize = 32;

// Capabilities: the axis ranges and the button count.
struct JoyCaps {
    char name[kJoyNameSize] = {};
    uint32_t x_min = 0, x_max = 0;
    uint32_t y_min = 0, y_max = 0;
    uint32_t num_buttons = 0;
};

// A position read: both axes within their ranges, one bit per button.
struct JoyPos {
    uint32_t x = 0, y = 0;
    uint32_t buttons = 0;
};

// Number of joystick devices the host offers.
int JoyGetNumDevs();
bool JoyGetDevCaps(int id, JoyCaps* out);
bool JoyGetPos(int id, JoyPos* out);

// Test seam: replaces the host's joysticks with these until cleared.
struct FakeJoystick {
    JoyCaps caps;
    JoyPos pos;
    bool caps_fail = false;
    bool pos_fail = false;
};
void SetFakeJoysticks(std::span<const FakeJoystick> sticks);
void SetFakeJoystickPos(int id, const JoyPos& pos, bool fail = false);
void ClearFakeJoysticks();

}  // namespace plat
