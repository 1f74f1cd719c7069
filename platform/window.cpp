#include "platform/window.h"

#include <SDL.h>

#include "platform/clock.h"
#include "platform/ddraw.h"
#include "platform/glcontext.h"
#include "platform/input.h"
#include "platform/system.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>

extern char** environ;

namespace plat {
namespace {

SDL_Window* g_window = nullptr;
bool g_windowed = false;
WindowProc g_proc = nullptr;
std::deque<Message> g_queue;
bool g_video_up = false;
bool g_video_failed = false;
bool g_paint_pending = false;
// What the next paint message repaints: a few rectangles apart.
std::vector<PaintArea> g_paint_areas;
// More parts than this are joined into one.
constexpr size_t kMaxPaintAreas = 8;
// Parts closer than this are joined: the few pixels between them cost less
// than another copy.
constexpr int kPaintAreaGap = 16;
void (*g_idle_hook)() = nullptr;

// PC set-1 scan codes for SDL's USB-order scancodes; the high bit marks the
// keys that arrive with the extended prefix.
constexpr uint16_t kExtended = 0x100;

// The table of those codes, indexed by SDL scancode (0 for keys the game
// has no code for).
constexpr std::array<uint16_t, SDL_NUM_SCANCODES> kScanCodes = [] {
    std::array<uint16_t, SDL_NUM_SCANCODES> codes{};
    codes[SDL_SCANCODE_ESCAPE] = 0x01;
    codes[SDL_SCANCODE_1] = 0x02;
    codes[SDL_SCANCODE_2] = 0x03;
    codes[SDL_SCANCODE_3] = 0x04;
    codes[SDL_SCANCODE_4] = 0x05;
    codes[SDL_SCANCODE_5] = 0x06;
    codes[SDL_SCANCODE_6] = 0x07;
    codes[SDL_SCANCODE_7] = 0x08;
    codes[SDL_SCANCODE_8] = 0x09;
    codes[SDL_SCANCODE_9] = 0x0A;
    codes[SDL_SCANCODE_0] = 0x0B;
    codes[SDL_SCANCODE_MINUS] = 0x0C;
    codes[SDL_SCANCODE_EQUALS] = 0x0D;
    codes[SDL_SCANCODE_BACKSPACE] = 0x0E;
    codes[SDL_SCANCODE_TAB] = 0x0F;
    codes[SDL_SCANCODE_Q] = 0x10;
    codes[SDL_SCANCODE_W] = 0x11;
    codes[SDL_SCANCODE_E] = 0x12;
    codes[SDL_SCANCODE_R] = 0x13;
    codes[SDL_SCANCODE_T] = 0x14;
    codes[SDL_SCANCODE_Y] = 0x15;
    codes[SDL_SCANCODE_U] = 0x16;
    codes[SDL_SCANCODE_I] = 0x17;
    codes[SDL_SCANCODE_O] = 0x18;
    codes[SDL_SCANCODE_P] = 0x19;
    codes[SDL_SCANCODE_LEFTBRACKET] = 0x1A;
    codes[SDL_SCANCODE_RIGHTBRACKET] = 0x1B;
    codes[SDL_SCANCODE_RETURN] = 0x1C;
    codes[SDL_SCANCODE_LCTRL] = 0x1D;
    codes[SDL_SCANCODE_A] = 0x1E;
    codes[SDL_SCANCODE_S] = 0x1F;
    codes[SDL_SCANCODE_D] = 0x20;
    codes[SDL_SCANCODE_F] = 0x21;
    codes[SDL_SCANCODE_G] = 0x22;
    codes[SDL_SCANCODE_H] = 0x23;
    codes[SDL_SCANCODE_J] = 0x24;
    codes[SDL_SCANCODE_K] = 0x25;
    codes[SDL_SCANCODE_L] = 0x26;
    codes[SDL_SCANCODE_SEMICOLON] = 0x27;
    codes[SDL_SCANCODE_APOSTROPHE] = 0x28;
    codes[SDL_SCANCODE_GRAVE] = 0x29;
    codes[SDL_SCANCODE_LSHIFT] = 0x2A;
    codes[SDL_SCANCODE_BACKSLASH] = 0x2B;
    codes[SDL_SCANCODE_NONUSHASH] = 0x2B;
    codes[SDL_SCANCODE_Z] = 0x2C;
    codes[SDL_SCANCODE_X] = 0x2D;
    codes[SDL_SCANCODE_C] = 0x2E;
    codes[SDL_SCANCODE_V] = 0x2F;
    codes[SDL_SCANCODE_B] = 0x30;
    codes[SDL_SCANCODE_N] = 0x31;
    codes[SDL_SCANCODE_M] = 0x32;
    codes[SDL_SCANCODE_COMMA] = 0x33;
    codes[SDL_SCANCODE_PERIOD] = 0x34;
    codes[SDL_SCANCODE_SLASH] = 0x35;
    codes[SDL_SCANCODE_RSHIFT] = 0x36;
    codes[SDL_SCANCODE_KP_MULTIPLY] = 0x37;
    codes[SDL_SCANCODE_LALT] = 0x38;
    codes[SDL_SCANCODE_SPACE] = 0x39;
    codes[SDL_SCANCODE_CAPSLOCK] = 0x3A;
    codes[SDL_SCANCODE_F1] = 0x3B;
    codes[SDL_SCANCODE_F2] = 0x3C;
    codes[SDL_SCANCODE_F3] = 0x3D;
    codes[SDL_SCANCODE_F4] = 0x3E;
    codes[SDL_SCANCODE_F5] = 0x3F;
    codes[SDL_SCANCODE_F6] = 0x40;
    codes[SDL_SCANCODE_F7] = 0x41;
    codes[SDL_SCANCODE_F8] = 0x42;
    codes[SDL_SCANCODE_F9] = 0x43;
    codes[SDL_SCANCODE_F10] = 0x44;
    codes[SDL_SCANCODE_NUMLOCKCLEAR] = 0x45;
    codes[SDL_SCANCODE_SCROLLLOCK] = 0x46;
    codes[SDL_SCANCODE_KP_7] = 0x47;
    codes[SDL_SCANCODE_KP_8] = 0x48;
    codes[SDL_SCANCODE_KP_9] = 0x49;
    codes[SDL_SCANCODE_KP_MINUS] = 0x4A;
    codes[SDL_SCANCODE_KP_4] = 0x4B;
    codes[SDL_SCANCODE_KP_5] = 0x4C;
    codes[SDL_SCANCODE_KP_6] = 0x4D;
    codes[SDL_SCANCODE_KP_PLUS] = 0x4E;
    codes[SDL_SCANCODE_KP_1] = 0x4F;
    codes[SDL_SCANCODE_KP_2] = 0x50;
    codes[SDL_SCANCODE_KP_3] = 0x51;
    codes[SDL_SCANCODE_KP_0] = 0x52;
    codes[SDL_SCANCODE_KP_PERIOD] = 0x53;
    codes[SDL_SCANCODE_NONUSBACKSLASH] = 0x56;
    codes[SDL_SCANCODE_F11] = 0x57;
    codes[SDL_SCANCODE_F12] = 0x58;
    codes[SDL_SCANCODE_KP_ENTER] = kExtended | 0x1C;
    codes[SDL_SCANCODE_RCTRL] = kExtended | 0x1D;
    codes[SDL_SCANCODE_KP_DIVIDE] = kExtended | 0x35;
    codes[SDL_SCANCODE_PRINTSCREEN] = kExtended | 0x37;
    codes[SDL_SCANCODE_RALT] = kExtended | 0x38;
    codes[SDL_SCANCODE_HOME] = kExtended | 0x47;
    codes[SDL_SCANCODE_UP] = kExtended | 0x48;
    codes[SDL_SCANCODE_PAGEUP] = kExtended | 0x49;
    codes[SDL_SCANCODE_LEFT] = kExtended | 0x4B;
    codes[SDL_SCANCODE_RIGHT] = kExtended | 0x4D;
    codes[SDL_SCANCODE_END] = kExtended | 0x4F;
    codes[SDL_SCANCODE_DOWN] = kExtended | 0x50;
    codes[SDL_SCANCODE_PAGEDOWN] = kExtended | 0x51;
    codes[SDL_SCANCODE_INSERT] = kExtended | 0x52;
    codes[SDL_SCANCODE_DELETE] = kExtended | 0x53;
    codes[SDL_SCANCODE_LGUI] = kExtended | 0x5B;
    codes[SDL_SCANCODE_RGUI] = kExtended | 0x5C;
    codes[SDL_SCANCODE_APPLICATION] = kExtended | 0x5D;
    return codes;
}();

uint16_t ScanCodeFor(SDL_Scancode sc) {
    return sc >= 0 && sc < SDL_NUM_SCANCODES ? kScanCodes[size_t(sc)] : uint16_t(0);
}

void Queue(uint32_t msg, uint64_t wparam, int64_t lparam) { g_queue.push_back(Message{msg, wparam, lparam}); }

// Focus changes arrive as the three messages a desktop sends on activation.
void QueueFocus(bool gained) {
    if (gained) {
        Queue(kMsgActivateApp, 1, 0);
        Queue(kMsgActivate, 1, 0);
        Queue(kMsgSetFocus, 0, 0);
    } else {
        Queue(kMsgActivate, 0, 0);
        Queue(kMsgActivateApp, 0, 0);
        Queue(kMsgKillFocus, 0, 0);
    }
}

void QueuePaint() {
    if (g_paint_pending) return;
    g_paint_pending = true;
    Queue(kMsgPaint, 0, 0);
}

// Wide sums: the whole area's parts end at INT_MAX.
bool Near(const PaintArea& a, const PaintArea& b) {
    constexpr int64_t gap = kPaintAreaGap;
    return a.left <= b.right + gap && b.left <= a.right + gap && a.top <= b.bottom + gap &&
           b.top <= a.bottom + gap;
}

PaintArea Join(const PaintArea& a, const PaintArea& b) {
    return PaintArea{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                     std::max(a.bottom, b.bottom)};
}

// A part asked for joins the parts it overlaps or comes near; parts far apart
// (a screen wiped from both ends at once) stay apart, so the rows between
// them are not copied again.
void JoinPaintArea(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    PaintArea joined{left, top, right, bottom};
    for (size_t i = 0; i < g_paint_areas.size();) {
        if (Near(g_paint_areas[i], joined)) {
            joined = Join(joined, g_paint_areas[i]);
            g_paint_areas.erase(g_paint_areas.begin() + ptrdiff_t(i));
            i = 0;
        } else {
            ++i;
        }
    }
    if (g_paint_areas.size() >= kMaxPaintAreas) {
        for (const PaintArea& a : g_paint_areas) joined = Join(joined, a);
        g_paint_areas.clear();
    }
    g_paint_areas.push_back(joined);
    QueuePaint();
}

// The whole client area, whatever size it has when the paint is handled.
void QueueWholePaint() { JoinPaintArea(0, 0, INT_MAX, INT_MAX); }

// The host lost what the window showed (uncovered, resized, first shown):
// the picture is shown again even if the screen has not changed.
void QueueExposure() {
    ForceFullPresent();
    QueueWholePaint();
}

// Key messages carry the scan code in bits 16-23 and the extended flag in
// bit 24 of the second parameter; bit 31 is set on release.
void QueueKey(uint8_t scan, bool extended, bool down, bool repeat) {
    int64_t lparam = 1 | (int64_t(scan) << 16);
    if (extended) lparam |= int64_t(1) << 24;
    if (repeat || !down) lparam |= int64_t(1) << 30;
    if (!down) lparam |= int64_t(1) << 31;
    Queue(down ? kMsgKeyDown : kMsgKeyUp, 0, lparam);
}

// A move over the window asks which cursor to show, then moves the system
// cursor and reports the new client position.
void QueueMouseMove(int dx, int dy, int x, int y) {
    Queue(kMsgSetCursor, 0, 0);
    NoteMouseMotion(dx, dy, x, y);
    Queue(kMsgMouseMove, 0, (int64_t(y) << 16) | (x & 0xFFFF));
}

void QueueMouseButton(int button, bool down) {
    static constexpr uint32_t kDown[3] = {kMsgLButtonDown, kMsgRButtonDown, kMsgMButtonDown};
    static constexpr uint32_t kUp[3] = {kMsgLButtonUp, kMsgRButtonUp, kMsgMButtonUp};
    if (button < 0 || button > 2) return;
    NoteMouseButton(button, down);
    Queue(down ? kDown[button] : kUp[button], 0, 0);
}

void TranslateHostEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            Queue(kMsgClose, 0, 0);
            break;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    QueueFocus(true);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    QueueFocus(false);
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    Queue(kMsgClose, 0, 0);
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    QueueExposure();
                    break;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            uint16_t code = ScanCodeFor(e.key.keysym.scancode);
            if (code == 0) break;
            QueueKey(uint8_t(code & 0xFF), (code & kExtended) != 0, e.type == SDL_KEYDOWN, e.key.repeat != 0);
            break;
        }
        case SDL_MOUSEMOTION:
            QueueMouseMove(e.motion.xrel, e.motion.yrel, e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int button = e.button.button == SDL_BUTTON_LEFT     ? 0
                         : e.button.button == SDL_BUTTON_RIGHT  ? 1
                         : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                                : -1;
            QueueMouseButton(button, e.type == SDL_MOUSEBUTTONDOWN);
            break;
        }
        default:
            break;
    }
}

void PumpHostEvents() {
    FlushPendingPresentWhenDue();
    if (!g_video_up) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) TranslateHostEvent(e);
}

// Window timers (SetTimer): a timer message is made only when nothing else
// waits, as the original platform does.
struct WindowTimer {
    uint32_t id = 0;
    uint64_t period_us = 0;  // 0: slot free
    uint64_t due_us = 0;
};
constexpr int kMaxWindowTimers = 8;
WindowTimer g_timers[kMaxWindowTimers];

uint64_t TimerNowMicroseconds() {
    uint64_t count = 0;
    uint64_t frequency = 1;
    if (!QueryPerformanceFrequency(&frequency) || frequency == 0 || !QueryPerformanceCounter(&count)) {
        return 0;
    }
    return uint64_t((unsigned __int128)count * 1000000u / frequency);
}

void QueueDueTimers() {
    uint64_t now = 0;
    for (WindowTimer& t : g_timers) {
        if (t.period_us == 0) continue;
        if (now == 0) now = TimerNowMicroseconds();
        if (now < t.due_us) continue;
        t.due_us = now + t.period_us;
        g_queue.push_back(Message{kMsgTimer, t.id, 0});
    }
}

bool TakeQueued(Message* out, bool remove) {
    if (g_queue.empty()) return false;
    *out = g_queue.front();
    if (remove) {
        g_queue.pop_front();
        if (out->msg == kMsgPaint) g_paint_pending = false;
    }
    return true;
}

}  // namespace

bool VideoSubsystemUp() {
    if (g_video_up) return true;
    if (g_video_failed) return false;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        g_video_failed = true;
        return false;
    }
    g_video_up = true;
    return true;
}

bool CreateMainWindow(const char* title, uint32_t flags, int width, int height) {
    if (g_window != nullptr || !VideoSubsystemUp()) return false;
    Uint32 sdl_flags = SDL_WINDOW_OPENGL;
    int x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
    if ((flags & kWindowed) == 0) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            width = mode.w;
            height = mode.h;
        }
        x = 0;
        y = 0;
        sdl_flags |= SDL_WINDOW_BORDERLESS;
    }
    g_window = SDL_CreateWindow(title, x, y, width, height, sdl_flags);
    g_windowed = (flags & kWindowed) != 0;
    ForgetPointer();
    return g_window != nullptr;
}

bool DestroyMainWindow() {
    if (g_window == nullptr) return false;
    if (g_proc != nullptr) g_proc(kMsgDestroy, 0, 0);
    GLContextDown();
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
    g_windowed = false;
    ForgetPointer();
    return true;
}

bool MainWindowExists() { return g_window != nullptr; }
bool MainWindowIsWindowed() { return g_window != nullptr && g_windowed; }
void SetWindowProc(WindowProc proc) { g_proc = proc; }
void* HostWindow() { return g_window; }

void ShowMainWindow() {
    if (g_window == nullptr) return;
    SDL_ShowWindow(g_window);
    // A freshly shown window has the focus; offscreen drivers send nothing,
    // so announce it ourselves.
    QueueFocus(true);
    QueueExposure();
}

bool PeekMessage(Message* out, bool remove) {
    // A termination signal closes the window like the user's click.
    if (TakeTerminationSignal() != 0) Queue(kMsgClose, 0, 0);
    if (g_queue.empty()) PumpHostEvents();
    if (g_queue.empty()) QueueDueTimers();
    return TakeQueued(out, remove);
}

void SetTimer(uint32_t id, uint32_t milliseconds) {
    KillTimer(id);
    for (WindowTimer& t : g_timers) {
        if (t.period_us != 0) continue;
        t = WindowTimer{id, uint64_t(milliseconds == 0 ? 1 : milliseconds) * 1000, 0};
        t.due_us = TimerNowMicroseconds() + t.period_us;
        return;
    }
}

void KillTimer(uint32_t id) {
    for (WindowTimer& t : g_timers) {
        if (t.period_us != 0 && t.id == id) t = WindowTimer{};
    }
}

bool GetMessage(Message* out) {
    while (!PeekMessage(out, true)) {
        if (g_idle_hook != nullptr) {
            g_idle_hook();
            if (!g_queue.empty()) continue;
        }
        if (g_video_up) {
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, 100)) TranslateHostEvent(e);
        } else {
            SDL_Delay(10);
        }
    }
    return out->msg != kMsgQuit;
}

void TranslateMessage(const Message& m) {
    // Characters are made by the game's own keyboard tables; nothing to add.
    (void)m;
}

int64_t DispatchMessage(const Message& m) {
    if (g_proc == nullptr) return DefWindowProc(m.msg, m.wparam, m.lparam);
    return g_proc(m.msg, m.wparam, m.lparam);
}

int64_t DefWindowProc(uint32_t msg, uint64_t wparam, int64_t lparam) {
    (void)msg;
    (void)wparam;
    (void)lparam;
    return 0;
}

void PostMessage(uint32_t msg, uint64_t wparam, int64_t lparam) { Queue(msg, wparam, lparam); }
void PostQuitMessage(int code) { Queue(kMsgQuit, uint64_t(code), 0); }
void InvalidateWindow() { QueueWholePaint(); }
void InvalidateWindowRect(int left, int top, int right, int bottom) {
    JoinPaintArea(left, top, right, bottom);
}

std::vector<PaintArea> TakePaintAreas() {
    std::vector<PaintArea> areas;
    areas.swap(g_paint_areas);
    int width = 0, height = 0;
    GetClientSize(&width, &height);
    std::vector<PaintArea> inside;
    for (const PaintArea& a : areas) {
        const PaintArea cut{std::max(a.left, 0), std::max(a.top, 0), std::min(a.right, width),
                            std::min(a.bottom, height)};
        if (cut.right > cut.left && cut.bottom > cut.top) inside.push_back(cut);
    }
    return inside;
}

void SetArrowCursor() {
    if (!g_video_up) return;
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    static SDL_Cursor* arrow = nullptr;
    if (arrow == nullptr) arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (arrow != nullptr) SDL_SetCursor(arrow);
}

void ClientToScreen(int* x, int* y) {
    *x = 0;
    *y = 0;
    if (g_window != nullptr) SDL_GetWindowPosition(g_window, x, y);
}

void ResizeWindow(int width, int height) {
    if (g_window != nullptr) SDL_SetWindowSize(g_window, width, height);
}

void GetClientSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    if (g_window != nullptr) SDL_GetWindowSize(g_window, width, height);
}

int MessageBox(const char* text, const char* caption, uint32_t flags, bool owned_by_window) {
    Uint32 kind = SDL_MESSAGEBOX_INFORMATION;
    if ((flags & 0xF0) == kMbIconStop) kind = SDL_MESSAGEBOX_ERROR;
    if ((flags & 0xF0) == kMbIconExclamation) kind = SDL_MESSAGEBOX_WARNING;
    bool shown = false;
    const char* driver = g_video_up ? SDL_GetCurrentVideoDriver() : nullptr;
    bool real_display =
        driver != nullptr && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
    if (real_display) {
        shown = SDL_ShowSimpleMessageBox(kind, caption, text, owned_by_window ? g_window : nullptr) == 0;
    }
    if (!shown) {
        std::fprintf(stderr, "[%s] %s\n", caption, text);
        std::fflush(stderr);
    }
    return kIdOk;
}

int ShellOpen(const char* document) {
    if (document == nullptr || *document == '\0') return 2;
    static const char* const kOpeners[] = {"/usr/bin/xdg-open", "/usr/local/bin/xdg-open"};
    for (const char* opener : kOpeners) {
        if (access(opener, X_OK) != 0) continue;
        pid_t pid;
        char* argv[] = {const_cast<char*>(opener), const_cast<char*>(document), nullptr};
        if (posix_spawn(&pid, opener, nullptr, nullptr, argv, environ) != 0) return 2;
        int status = 0;
        if (waitpid(pid, &status, 0) < 0) return 2;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 42 : 2;
    }
    return 2;  // no handler on this machine: "file not found"
}

void InjectFocus(bool gained) { QueueFocus(gained); }
void InjectClose() { Queue(kMsgClose, 0, 0); }
void InjectPaint() { QueueExposure(); }
void InjectQuit() { PostQuitMessage(0); }
void InjectKey(uint8_t scan_code, bool extended, bool down) { QueueKey(scan_code, extended, down, false); }
void InjectMouseMove(int dx, int dy, int x, int y) { QueueMouseMove(dx, dy, x, y); }
void InjectMouseButton(int button, bool down) { QueueMouseButton(button, down); }
void SetIdleHook(void (*hook)()) { g_idle_hook = hook; }
void FlushMessages() {
    PumpHostEvents();
    g_queue.clear();
    g_paint_pending = false;
}

}  // namespace plat
