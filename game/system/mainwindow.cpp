#include "game/system/mainwindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/exitlist.h"

namespace {

constexpr size_t kMaxAppName = 64;
constexpr int kDefaultClientWidth = 800;
constexpr int kDefaultClientHeight = 600;

struct WindowState {
    bool initialised = false;
    WinInstance instance = nullptr;
    char app_name[kMaxAppName + 1] = {};
    uint32_t flags = 0;
    bool window_exists = false;
    plat::Message last_message{};
    bool activated = false;
    bool app_active = false;
    bool has_focus = false;
    bool message_box_open = false;
    bool reactivated = false;
    bool close_requested = false;
    const char* document_at_exit = nullptr;
    bool not_handled = false;
};

WindowState g_win;
WinProc g_window_procs[MAX_WINDOW_PROCS];
WinTaskswitchFunc g_taskswitch[MAX_TASKSWITCH_LIST];
uint8_t g_last_taskswitch_state = 255;

// The window handle handed out is the address of the state: opaque, stable
// and non-null while the window exists.
WinHandle Handle() { return g_win.window_exists ? static_cast<WinHandle>(&g_win) : nullptr; }

int64_t PlatformWindowProc(uint32_t msg, uint64_t wparam, int64_t lparam) {
    return WinMainWindowProc(Handle(), msg, wparam, lparam);
}

const char* ActiveText(bool active) { return active ? "active" : "inactive"; }

}  // namespace

void WinInit(WinInstance instance, const char* app_name, uint32_t window_flags) {
    g_win = WindowState{};
    for (WinProc& p : g_window_procs) p = nullptr;
    if (std::strlen(app_name) > kMaxAppName) {
        AbortError("winlib", __LINE__, "WinInit(): AppName too long");
    }
    g_win.instance = instance;
    std::strcpy(g_win.app_name, app_name);
    g_win.flags = window_flags;
    CreateMainWindow();
    g_win.initialised = true;
}

void CreateMainWindow() {
    plat::SetWindowProc(PlatformWindowProc);
    bool windowed = (g_win.flags & WIN_FLAG_WINDOWED) != 0;
    uint32_t host_flags = windowed ? uint32_t(plat::kWindowed) : 0u;
    if (!plat::CreateMainWindow(g_win.app_name, host_flags, kDefaultClientWidth, kDefaultClientHeight)) {
        AbortError("winlib", __LINE__, "CreateMainWindow(): CreateWindowEx() failed");
    }
    g_win.window_exists = true;
    g_win.activated = false;
    plat::ShowMainWindow();
}

void DestroyMainWindow() {
    if (!plat::DestroyMainWindow()) {
        AbortError("winlib", __LINE__, "DestroyMainWindow(): failed to destroy window");
    }
    g_win.window_exists = false;
}

int64_t WinMainWindowProc(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam) {
    if (WinIsActive()) {
        for (WinProc proc : g_window_procs) {
            if (proc == nullptr) continue;
            g_win.not_handled = false;
            int64_t result = proc(window, msg, wparam, lparam);
            if (!g_win.not_handled) return result;
        }
    }
    switch (msg) {
        case WM_ACTIVATE:
            g_win.activated = (wparam & 0xFFFF) != 0;
            DebugLog(DEBUG_WIN, 50, "WinMainWindowProc(): WM_ACTIVATE %s\n", ActiveText(g_win.activated));
            plat::InvalidateWindow();
            return 0;
        case WM_ACTIVATEAPP:
            g_win.app_active = wparam != 0;
            DebugLog(DEBUG_WIN, 50, "WinMainWindowProc(): WM_ACTIVATEAPP %s\n", ActiveText(g_win.app_active));
            plat::InvalidateWindow();
            return 0;
        case WM_SETFOCUS:
            g_win.has_focus = true;
            DebugLog(DEBUG_WIN, 50, "WinMainWinfowProc(): WM_SETFOCUS active\n");
            return plat::DefWindowProc(msg, wparam, lparam);
        case WM_KILLFOCUS:
            g_win.has_focus = false;
            DebugLog(DEBUG_WIN, 50, "WinMainWinfowProc(): WM_KILLFOCUS inactive\n");
            return plat::DefWindowProc(msg, wparam, lparam);
        case WM_CLOSE:
            // Closing the window is the user's way of quitting: the game's main
            // loop sees the request and the program shuts down in order.  The
            // window is not destroyed here: that would end the process at the
            // next read of the queue, from inside whatever Poll took the close,
            // and saving polls after every block, so a saved game could be left
            // cut off half way.
            g_win.close_requested = true;
            DebugLog(DEBUG_WIN, 50, "WinMainWindowProc(): WM_CLOSE: ending the game\n");
            return 0;
        case WM_DESTROY:
            OnExitRun();
            DebugLog(DEBUG_WIN, 50, "WinMainWindowProc(): WM_DESTROY: calling PostQuitMessage()\n");
            plat::PostQuitMessage(0);
            return 0;
        case WM_SETCURSOR:
            plat::SetArrowCursor();
            return 0;
        default:
            return plat::DefWindowProc(msg, wparam, lparam);
    }
}

void WinIdleMessageHandler() {
    if (!g_win.initialised) return;
    plat::Message m;
    if (!plat::GetMessage(&m)) {
        DebugLog(DEBUG_WIN, 20, "WinIdleMessageHandler(): quit message received - terminating\n");
        std::exit(1);
    }
    g_win.last_message = m;
    plat::TranslateMessage(m);
    plat::DispatchMessage(m);
}

void WinMessageHandler() {
    if (!g_win.initialised) return;
    plat::Message peeked;
    while (WinIsActive() && plat::PeekMessage(&peeked, false)) WinIdleMessageHandler();
    if (WinIsActive() || !g_win.initialised) return;

    DebugLog(DEBUG_WIN, 50, "WinMessageHandler(): entering idle loop\n");
    WinCallTaskswitchFuncs(TASKSWITCH_IDLE);
    while (!WinIsActive() && g_win.initialised) {
        WinIdleMessageHandler();
        g_win.reactivated = true;
    }
    DebugLog(DEBUG_WIN, 50, "WinMessageHandler(): leaving idle loop\n");
    WinCallTaskswitchFuncs(TASKSWITCH_ACTIVE);
}

int WinAddWindowProc(WinProc procedure) {
    for (int i = 0; i < MAX_WINDOW_PROCS; ++i) {
        if (g_window_procs[i] == nullptr) {
            g_window_procs[i] = procedure;
            return i;
        }
    }
    AbortError("winlib", __LINE__, "WinAddWindowProc(): too many window procs registered");
}

void WinRemoveWindowProc(int index) {
    if (index < 0 || index >= MAX_WINDOW_PROCS || g_window_procs[index] == nullptr) {
        AbortError("winlib", __LINE__, "WinRemoveWindowProc(): no proc to remove");
    }
    g_window_procs[index] = nullptr;
}

int64_t WinNotHandled(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam) {
    (void)window;
    (void)msg;
    (void)wparam;
    (void)lparam;
    g_win.not_handled = true;
    return 0;
}

void WinAddTaskswitchFunc(WinTaskswitchFunc function) {
    for (int i = 0; i < MAX_TASKSWITCH_LIST; ++i) {
        if (g_taskswitch[i] == function) {
            AbortError("winlib", __LINE__, "WinAddTaskswitchFunc(): function already added");
        }
        if (g_taskswitch[i] == nullptr) {
            DebugLog(DEBUG_WIN, 10, "WinAddTaskswitchFunc(): adding func at index %d\n", i);
            g_taskswitch[i] = function;
            return;
        }
    }
    AbortError("winlib", __LINE__,
               "WinAddTaskswitchFunc(): too many functions added - increase MAX_TASKSWITCH_LIST");
}

void WinRemoveTaskswitchFunc(WinTaskswitchFunc function) {
    for (int i = 0; i < MAX_TASKSWITCH_LIST; ++i) {
        if (g_taskswitch[i] != function) continue;
        DebugLog(DEBUG_WIN, 10,
                 "WinRemoveTaskswitchList(): removing from index %d (all higher indexes reduced)\n", i);
        for (int later = i; later < MAX_TASKSWITCH_LIST - 1; ++later) {
            g_taskswitch[later] = g_taskswitch[later + 1];
        }
        g_taskswitch[MAX_TASKSWITCH_LIST - 1] = nullptr;
        return;
    }
    AbortError("winlib", __LINE__, "WinRemoveTaskswitchFunc(): function not found");
}

void WinCallTaskswitchFuncs(uint8_t state) {
    const char* name = state == TASKSWITCH_IDLE ? "idle" : "active";
    if (state == g_last_taskswitch_state) {
        DebugLog(DEBUG_WIN, 80, "WinCallTaskswitchFuncs(): ignoring extra %s\n", name);
        return;
    }
    g_last_taskswitch_state = state;
    DebugLog(DEBUG_WIN, 80, "WinCallTaskswitchFuncs(): calling for %s\n", name);
    for (WinTaskswitchFunc f : g_taskswitch) {
        if (f != nullptr) f(state);
    }
}

int WinMessageBox(const char* text, uint32_t flags) {
    if (g_win.message_box_open) return 0;
    g_win.message_box_open = true;
    int result = plat::MessageBox(text, g_win.app_name, flags, g_win.window_exists);
    g_win.message_box_open = false;
    return result;
}

int WinWasReactivated() {
    int was = g_win.reactivated ? 1 : 0;
    g_win.reactivated = false;
    return was;
}

int WinIsActive() {
    return g_win.activated && g_win.app_active && g_win.has_focus && !g_win.message_box_open;
}

int WinIsWindowed() { return (g_win.flags & WIN_FLAG_WINDOWED) ? 1 : 0; }
WinHandle WinGetWindowHandle() { return Handle(); }
WinInstance WinGetInstance() { return g_win.instance; }
const char* WinGetAppName() { return g_win.app_name; }
void WinClientToScreen(int* x, int* y) { plat::ClientToScreen(x, y); }

void WinResizeWindow(int width, int height) {
    if (WinIsWindowed()) plat::ResizeWindow(width, height);
}

void WinSetDocumentAtExit(const char* document) { g_win.document_at_exit = document; }

void WinOpenDocumentAtExit() {
    g_win.initialised = false;
    DestroyMainWindow();
    if (g_win.document_at_exit == nullptr) return;
    if (plat::ShellOpen(g_win.document_at_exit) <= 32) {
        plat::MessageBox(g_win.document_at_exit, g_win.app_name, MB_ICONEXCLAMATION, false);
    }
}

int WinCloseRequested() { return g_win.close_requested ? 1 : 0; }

void WinResetForTests() {
    if (g_win.window_exists) {
        g_win.initialised = false;
        plat::SetWindowProc(nullptr);
        plat::DestroyMainWindow();
    }
    g_win = WindowState{};
    for (WinProc& p : g_window_procs) p = nullptr;
    for (WinTaskswitchFunc& f : g_taskswitch) f = nullptr;
    g_last_taskswitch_state = 255;
    plat::FlushMessages();
}
