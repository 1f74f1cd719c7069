// The host window and its message queue, in the shape the support library's
// window module expects: numbered messages with two parameters, a blocking
// read, a non-blocking look, and a window procedure that receives dispatched
// messages.  Nothing outside platform/ sees SDL.
#pragma once
#include <cstdint>
#include <vector>

namespace plat {

// Message numbers follow the published values of the original platform so
// that logs and tests read naturally.
enum : uint32_t {
    kMsgNull = 0x0000,
    kMsgDestroy = 0x0002,
    kMsgActivate = 0x0006,
    kMsgSetFocus = 0x0007,
    kMsgKillFocus = 0x0008,
    kMsgPaint = 0x000F,
    kMsgClose = 0x0010,
    kMsgEraseBkgnd = 0x0014,
    kMsgQuit = 0x0012,
    kMsgActivateApp = 0x001C,
    kMsgSetCursor = 0x0020,
    kMsgKeyDown = 0x0100,
    kMsgKeyUp = 0x0101,
    kMsgChar = 0x0102,
    kMsgSysKeyDown = 0x0104,
    kMsgSysKeyUp = 0x0105,
    kMsgTimer = 0x0113,
    kMsgMouseMove = 0x0200,
    kMsgLButtonDown = 0x0201,
    kMsgLButtonUp = 0x0202,
    kMsgRButtonDown = 0x0204,
    kMsgRButtonUp = 0x0205,
    kMsgMButtonDown = 0x0207,
    kMsgMButtonUp = 0x0208,
};

struct Message {
    uint32_t msg = kMsgNull;
    uint64_t wparam = 0;
    int64_t lparam = 0;
};

using WindowProc = int64_t (*)(uint32_t msg, uint64_t wparam, int64_t lparam);

// Window flags for CreateWindow.
enum : uint32_t { kWindowed = 1u << 0 };

// Brings up SDL's video and events (once).  Returns false when no video
// driver can be opened; the window calls then fail.
bool VideoSubsystemUp();

// Creates the single main window.  Windowed: a decorated window of the given
// client size; otherwise a borderless window covering the primary display.
// Returns false on failure.
bool CreateMainWindow(const char* title, uint32_t flags, int width, int height);
// Destroys the window; the window procedure receives kMsgDestroy first.
bool DestroyMainWindow();
bool MainWindowExists();
// A main window made with kWindowed (false while there is none).
bool MainWindowIsWindowed();
void SetWindowProc(WindowProc proc);
// For the platform's own modules: the host window (an SDL_Window*), or null.
void* HostWindow();
void ShowMainWindow();

// Queue access.  PeekMessage fetches pending host events first.
bool PeekMessage(Message* out, bool remove);
// Blocks until a message is available.  Returns false for the quit message.
bool GetMessage(Message* out);
// Turns key-down messages into character messages (queued behind).
void TranslateMessage(const Message& m);
int64_t DispatchMessage(const Message& m);
int64_t DefWindowProc(uint32_t msg, uint64_t wparam, int64_t lparam);
void PostMessage(uint32_t msg, uint64_t wparam, int64_t lparam);
void PostQuitMessage(int code);
// Window timers: while one is set, a timer message carrying its id is
// delivered whenever the queue is empty and the period has passed since the
// last one (measured on the performance counter, so the manual clock drives
// it in tests).  Setting an id again restarts it.
void SetTimer(uint32_t id, uint32_t milliseconds);
void KillTimer(uint32_t id);
// Asks for a repaint of the whole client area (queues one paint message).
void InvalidateWindow();
// Asks for a repaint of part of the client area, right and bottom
// exclusive.  Parts asked for before the paint message is handled are
// joined where they overlap or lie close; parts far apart stay apart (a few
// at most: beyond that all are joined into one).  An empty rectangle asks for
// nothing.
void InvalidateWindowRect(int left, int top, int right, int bottom);
// The parts of the client area a paint message repaints (every part asked
// for since the last call, cut to the client area), and marks them painted.
// After InvalidateWindow or a host exposure one covers the whole client
// area; with nothing asked for there are none.
struct PaintArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
std::vector<PaintArea> TakePaintAreas();

void SetArrowCursor();
// Screen position of the client area's top-left corner.
void ClientToScreen(int* x, int* y);
// Windowed only: sizes the window so its client area is width x height.
void ResizeWindow(int width, int height);
// Client size of the window (0, 0 when none).
void GetClientSize(int* width, int* height);

// Message box flags (the published values), and results.
enum : uint32_t {
    kMbOk = 0x0000,
    kMbIconStop = 0x0010,
    kMbIconExclamation = 0x0030,
};
enum : int { kIdOk = 1 };
// Shows a modal message box; with no display it writes the text to standard
// error instead and returns kIdOk.
int MessageBox(const char* text, const char* caption, uint32_t flags, bool owned_by_window);

// Opens a document with the desktop's handler.  Returns a value above 32 on
// success, as the shell does.
int ShellOpen(const char* document);

// ---- Test seam: injected window, key and mouse events -------------------
// Each goes through the same translation as a real host event.
void InjectFocus(bool gained);
void InjectClose();
void InjectPaint();
void InjectQuit();
// A key by PC set-1 scan code; extended keys carry the 0xE0 prefix flag.
void InjectKey(uint8_t scan_code, bool extended, bool down);
// A move by (dx, dy) to the client position (x, y): a window follows the
// position, full screen the motion (see NoteMouseMotion in input.h).
void InjectMouseMove(int dx, int dy, int x, int y);
void InjectMouseButton(int button, bool down);  // 0 left, 1 right, 2 middle
// Drops every queued message (tests start from a clean queue).
void FlushMessages();
// Called whenever a blocking read finds the queue empty, before it waits;
// tests use it to move the clock or inject the next event.
void SetIdleHook(void (*hook)());

}  // namespace plat
