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
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>

extern char** environ;

namespace plat {
namespace {

SDL_Window* g_window = nullptr;
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

uint16_t ScanCodeFor(SDL_Scancode sc) {
    switch (sc) {
        case SDL_SCANCODE_ESCAPE:
            return 0x01;
        case SDL_SCANCODE_1:
            return 0x02;
        case SDL_SCANCODE_2:
            return 0x03;
        case SDL_SCANCODE_3:
            return 0x04;
        case SDL_SCANCODE_4:
            return 0x05;
        case SDL_SCANCODE_5:
            return 0x06;
        case SDL_SCANCODE_6:
            return 0x07;
        case SDL_SCANCODE_7:
            return 0x08;
        case SDL_SCANCODE_8:
            return 0x09;
        case SDL_SCANCODE_9:
            return 0x0A;
        case SDL_SCANCODE_0:
            return 0x0B;
        case SDL_SCANCODE_MINUS:
            return 0x0C;
        case SDL_SCANCODE_EQUALS:
            return 0x0D;
        case SDL_SCANCODE_BACKSPACE:
            return 0x0E;
        case SDL_SCANCODE_TAB:
            return 0x0F;
        case SDL_SCANCODE_Q:
            return 0x10;
        case SDL_SCANCODE_W:
            return 0x11;
        case SDL_SCANCODE_E:
            return 0x12;
        case SDL_SCANCODE_R:
            return 0x13;
        case SDL_SCANCODE_T:
            return 0x14;
        case SDL_SCANCODE_Y:
            return 0x15;
        case SDL_SCANCODE_U:
            return 0x16;
        case SDL_SCANCODE_I:
            return 0x17;
        case SDL_SCANCODE_O:
            return 0x18;
        case SDL_SCANCODE_P:
            return 0x19;
        case SDL_SCANCODE_LEFTBRACKET:
            return 0x1A;
        case SDL_SCANCODE_RIGHTBRACKET:
            return 0x1B;
        case SDL_SCANCODE_RETURN:
            return 0x1C;
        case SDL_SCANCODE_LCTRL:
            return 0x1D;
        case SDL_SCANCODE_A:
            return 0x1E;
        case SDL_SCANCODE_S:
            return 0x1F;
        case SDL_SCANCODE_D:
            return 0x20;
        case SDL_SCANCODE_F:
            return 0x21;
        case SDL_SCANCODE_G:
            return 0x22;
        case SDL_SCANCODE_H:
            return 0x23;
        case SDL_SCANCODE_J:
            return 0x24;
        case SDL_SCANCODE_K:
            return 0x25;
        case SDL_SCANCODE_L:
            return 0x26;
        case SDL_SCANCODE_SEMICOLON:
            return 0x27;
        case SDL_SCANCODE_APOSTROPHE:
            return 0x28;
        case SDL_SCANCODE_GRAVE:
            return 0x29;
        case SDL_SCANCODE_LSHIFT:
            return 0x2A;
        case SDL_SCANCODE_BACKSLASH:
            return 0x2B;
        case SDL_SCANCODE_NONUSHASH:
            return 0x2B;
        case SDL_SCANCODE_Z:
            return 0x2C;
        case SDL_SCANCODE_X:
            return 0x2D;
        case SDL_SCANCODE_C:
            return 0x2E;
        case SDL_SCANCODE_V:
            return 0x2F;
        case SDL_SCANCODE_B:
            return 0x30;
        case SDL_SCANCODE_N:
            return 0x31;
        case SDL_SCANCODE_M:
            return 0x32;
        case SDL_SCANCODE_COMMA:
            return 0x33;
        case SDL_SCANCODE_PERIOD:
            return 0x34;
        case SDL_SCANCODE_SLASH:
            return 0x35;
        case SDL_SCANCODE_RSHIFT:
            return 0x36;
        case SDL_SCANCODE_KP_MULTIPLY:
            return 0x37;
        case SDL_SCANCODE_LALT:
            return 0x38;
        case SDL_SCANCODE_SPACE:
            return 0x39;
        case SDL_SCANCODE_CAPSLOCK:
            return 0x3A;
        case SDL_SCANCODE_F1:
            return 0x3B;
        case SDL_SCANCODE_F2:
            return 0x3C;
        case SDL_SCANCODE_F3:
            return 0x3D;
        case SDL_SCANCODE_F4:
            return 0x3E;
        case SDL_SCANCODE_F5:
            return 0x3F;
        case SDL_SCANCODE_F6:
            return 0x40;
        case SDL_SCANCODE_F7:
            return 0x41;
        case SDL_SCANCODE_F8:
            return 0x42;
        case SDL_SCANCODE_F9:
            return 0x43;
        case SDL_SCANCODE_F10:
            return 0x44;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return 0x45;
        case SDL_SCANCODE_SCROLLLOCK:
            return 0x46;
        case SDL_SCANCODE_KP_7:
            return 0x47;
        case SDL_SCANCODE_KP_8:
            return 0x48;
        case SDL_SCANCODE_KP_9:
            return 0x49;
        case SDL_SCANCODE_KP_MINUS:
            return 0x4A;
        case SDL_SCANCODE_KP_4:
            return 0x4B;
        case SDL_SCANCODE_KP_5:
            return 0x4C;
        case SDL_SCANCODE_KP_6:
            return 0x4D;
        case SDL_SCANCODE_KP_PLUS:
            return 0x4E;
        case SDL_SCANCODE_KP_1:
            return 0x4F;
        case SDL_SCANCODE_KP_2:
            return 0x50;
        case SDL_SCANCODE_KP_3:
            return 0x51;
        case SDL_SCANCODE_KP_0:
            return 0x52;
        case SDL_SCANCODE_KP_PERIOD:
            return 0x53;
        case SDL_SCANCODE_NONUSBACKSLASH:
            return 0x56;
        case SDL_SCANCODE_F11:
            return 0x57;
        case SDL_SCANCODE_F12:
            return 0x58;
        case SDL_SCANCODE_KP_ENTER:
            return kExtended | 0x1C;
        case SDL_SCANCODE_RCTRL:
            return kExtended | 0x1D;
        case SDL_SCANCODE_KP_DIVIDE:
            return kExtended | 0x35;
        case SDL_SCANCODE_PRINTSCREEN:
            return kExtended | 0x37;
        case SDL_SCANCODE_RALT:
            return kExtended | 0x38;
        case SDL_SCANCODE_HOME:
            return kExtended | 0x47;
        case SDL_SCANCODE_UP:
            return kExtended | 0x48;
        case SDL_SCANCODE_PAGEUP:
            return kExtended | 0x49;
        case SDL_SCANCODE_LEFT:
            return kExtended | 0x4B;
        case SDL_SCANCODE_RIGHT:
            return kExtended | 0x4D;
        case SDL_SCANCODE_END:
            return kExtended | 0x4F;
        case SDL_SCANCODE_DOWN:
            return kExtended | 0x50;
        case SDL_SCANCODE_PAGEDOWN:
            return kExtended | 0x51;
        case SDL_SCANCODE_INSERT:
            return kExtended | 0x52;
        case SDL_SCANCODE_DELETE:
            return kExtended | 0x53;
        case SDL_SCANCODE_LGUI:
            return kExtended | 0x5B;
        case SDL_SCANCODE_RGUI:
            return kExtended | 0x5C;
        case SDL_SCANCODE_APPLICATION:
            return kExtended | 0x5D;
        default:
            return 0;
    }
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
    NoteMouseMotion(dx, dy);
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
    return g_window != nullptr;
}

bool DestroyMainWindow() {
    if (g_window == nullptr) return false;
    if (g_proc != nullptr) g_proc(kMsgDestroy, 0, 0);
    GLContextDown();
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
    return true;
}

bool MainWindowExists() { return g_window != nullptr; }
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
