#include "platform/input.h"

#include <SDL.h>

#include "platform/window.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace plat {
namespace {

int g_cursor_x = 0;
int g_cursor_y = 0;
// In a window: the host pointer has been over it, so the cursor is where the
// pointer is.
bool g_pointer_seen = false;
bool g_buttons[3] = {};
// A press not read yet: a click whose press and release both come between
// two reads (a game busy for longer than the click lasted) still reads as
// one press instead of being lost.
bool g_pressed_unread[3] = {};
bool g_swapped = false;

bool g_fake_sticks = false;
std::vector<FakeJoystick> g_fakes;

bool g_joy_up = false;
bool g_joy_failed = false;
constexpr int kMaxHostSticks = 16;
SDL_Joystick* g_open[kMaxHostSticks] = {};

bool JoystickSubsystemUp() {
    if (g_joy_up) return true;
    if (g_joy_failed) return false;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        g_joy_failed = true;
        return false;
    }
    g_joy_up = true;
    return true;
}

SDL_Joystick* HostStick(int id) {
    if (id < 0 || id >= kMaxHostSticks || !JoystickSubsystemUp()) return nullptr;
    if (id >= SDL_NumJoysticks()) return nullptr;
    if (g_open[id] == nullptr || !SDL_JoystickGetAttached(g_open[id])) {
        if (g_open[id] != nullptr) SDL_JoystickClose(g_open[id]);
        g_open[id] = SDL_JoystickOpen(id);
    }
    return g_open[id];
}

// Host axes run -32768..32767; the game expects an unsigned range.
uint32_t AxisValue(SDL_Joystick* stick, int axis) {
    if (axis >= SDL_JoystickNumAxes(stick)) return 32768;
    return uint32_t(int32_t(SDL_JoystickGetAxis(stick, axis)) + 32768);
}

}  // namespace

bool GetCursorPos(int* x, int* y) {
    *x = g_cursor_x;
    *y = g_cursor_y;
    return true;
}

bool SetCursorPos(int x, int y) {
    // A free pointer stays where the user's device put it.
    if (MainWindowIsWindowed()) return true;
    g_cursor_x = x;
    g_cursor_y = y;
    return true;
}

bool CursorIsHostPointer() { return MainWindowIsWindowed() && g_pointer_seen; }

void HideCursor() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_ShowCursor(SDL_DISABLE);
    // Relative mode would keep absolute moves of the pointer from the window.
    SDL_SetRelativeMouseMode(MainWindowIsWindowed() ? SDL_FALSE : SDL_TRUE);
}

bool MouseButtonIsDown(int button) {
    if (button < 0 || button > 2) return false;
    const bool down = g_buttons[button] || g_pressed_unread[button];
    g_pressed_unread[button] = false;
    return down;
}

bool MouseButtonsSwapped() { return g_swapped; }

void ClearMouseButtonStates() {
    for (bool& b : g_buttons) b = false;
    for (bool& b : g_pressed_unread) b = false;
}

void NoteMouseMotion(int dx, int dy, int x, int y) {
    if (MainWindowIsWindowed()) {
        int left = 0, top = 0;
        ClientToScreen(&left, &top);
        g_cursor_x = left + x;
        g_cursor_y = top + y;
        g_pointer_seen = true;
        return;
    }
    g_cursor_x += dx;
    g_cursor_y += dy;
}

void ForgetPointer() { g_pointer_seen = false; }

void NoteMouseButton(int button, bool down) {
    if (button < 0 || button > 2) return;
    g_buttons[button] = down;
    if (down) g_pressed_unread[button] = true;
}

void SetMouseButtonsSwapped(bool swapped) { g_swapped = swapped; }

int JoyGetNumDevs() {
    if (g_fake_sticks) return int(g_fakes.size());
    if (!JoystickSubsystemUp()) return 0;
    return std::max(0, SDL_NumJoysticks());
}

bool JoyGetDevCaps(int id, JoyCaps* out) {
    if (g_fake_sticks) {
        if (id < 0 || id >= int(g_fakes.size()) || g_fakes[size_t(id)].caps_fail) return false;
        *out = g_fakes[size_t(id)].caps;
        return true;
    }
    SDL_Joystick* stick = HostStick(id);
    if (stick == nullptr) return false;
    *out = JoyCaps{};
    const char* name = SDL_JoystickName(stick);
    if (name != nullptr) {
        std::strncpy(out->name, name, kJoyNameSize - 1);
        out->name[kJoyNameSize - 1] = '\0';
    }
    out->x_min = out->y_min = 0;
    out->x_max = out->y_max = 65535;
    out->num_buttons = uint32_t(std::clamp(SDL_JoystickNumButtons(stick), 0, 32));
    return true;
}

bool JoyGetPos(int id, JoyPos* out) {
    if (g_fake_sticks) {
        if (id < 0 || id >= int(g_fakes.size()) || g_fakes[size_t(id)].pos_fail) return false;
        *out = g_fakes[size_t(id)].pos;
        return true;
    }
    SDL_Joystick* stick = HostStick(id);
    if (stick == nullptr) return false;
    SDL_JoystickUpdate();
    *out = JoyPos{};
    out->x = AxisValue(stick, 0);
    out->y = AxisValue(stick, 1);
    int buttons = std::clamp(SDL_JoystickNumButtons(stick), 0, 32);
    for (int b = 0; b < buttons; ++b) {
        if (SDL_JoystickGetButton(stick, b)) out->buttons |= 1u << b;
    }
    return true;
}

void SetFakeJoysticks(std::span<const FakeJoystick> sticks) {
    g_fake_sticks = true;
    g_fakes.assign(sticks.begin(), sticks.end());
}

void SetFakeJoystickPos(int id, const JoyPos& pos, bool fail) {
    if (!g_fake_sticks || id < 0 || id >= int(g_fakes.size())) return;
    g_fakes[size_t(id)].pos = pos;
    g_fakes[size_t(id)].pos_fail = fail;
}

void ClearFakeJoysticks() {
    g_fake_sticks = false;
    g_fakes.clear();
}

}  // namespace plat
