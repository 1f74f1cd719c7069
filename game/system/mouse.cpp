#include "game/system/mouse.h"

#include "core/base/debug.h"
#include "game/system/mainwindow.h"
#include "platform/input.h"

namespace {

int16_t g_mode = MOUSE_MODE_OFF;
int g_proc_key = -1;
int g_ref_x = 0;
int g_ref_y = 0;

// No cursor at all over the window: the game draws its own pointer.
int64_t MouseWindowProc(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam) {
    if (msg == WM_SETCURSOR) {
        plat::HideCursor();
        return 1;
    }
    return WinNotHandled(window, msg, wparam, lparam);
}

// The primary and secondary bits follow the user's button swap.
uint16_t ButtonWord() {
    bool swapped = plat::MouseButtonsSwapped();
    int primary = swapped ? plat::kMouseRight : plat::kMouseLeft;
    int secondary = swapped ? plat::kMouseLeft : plat::kMouseRight;
    uint16_t word = 0;
    if (plat::MouseButtonIsDown(primary)) word |= MOUSE_BUTTON_PRIMARY;
    if (plat::MouseButtonIsDown(secondary)) word |= MOUSE_BUTTON_SECONDARY;
    if (plat::MouseButtonIsDown(plat::kMouseMiddle)) word |= MOUSE_BUTTON_MIDDLE;
    return word;
}

}  // namespace

void InitMouseDriver() {
    if (g_mode != MOUSE_MODE_OFF) AbortError("mouse", __LINE__, "InitMouseDriver(): already initialised");
    g_mode = MOUSE_MODE_NOT_READY;
    g_proc_key = WinAddWindowProc(MouseWindowProc);
    ResetMouseDriver();
}

void ResetMouseDriver() {
    if (g_mode == MOUSE_MODE_OFF) AbortError("mouse", __LINE__, "ResetMouseDriver(): not initialised");
    g_mode = MOUSE_MODE_READY;
    plat::ClearMouseButtonStates();
    int16_t x, y;
    uint16_t buttons;
    ReadMouseDriver(&x, &y, &buttons);
}

void UninitMouseDriver() {
    if (g_mode == MOUSE_MODE_OFF) AbortError("mouse", __LINE__, "UninitMouseDriver(): not initialised");
    g_mode = MOUSE_MODE_OFF;
    WinRemoveWindowProc(g_proc_key);
    g_proc_key = -1;
}

void KeyResetMode() {
    if (g_mode == MOUSE_MODE_READY) g_mode = MOUSE_MODE_NOT_READY;
}

void ReadMouseDriver(int16_t* x, int16_t* y, uint16_t* buttons) {
    int cx = 0, cy = 0;
    plat::GetCursorPos(&cx, &cy);
    int dx = cx - g_ref_x;
    int dy = cy - g_ref_y;
    uint16_t word = ButtonWord();

    int ox = 0, oy = 0;
    WinClientToScreen(&ox, &oy);
    plat::SetCursorPos(ox + MOUSE_REFERENCE_OFFSET, oy + MOUSE_REFERENCE_OFFSET);
    plat::GetCursorPos(&g_ref_x, &g_ref_y);

    *x = int16_t(dx);
    *y = int16_t(dy);
    *buttons = word;
    if (g_mode != MOUSE_MODE_READY)
        AbortError("mouse", __LINE__, "ReadMouseDriver(): mouse driver not ready");
}

void GetMouseClientPos(int16_t* x, int16_t* y, uint16_t* buttons) {
    int cx = 0, cy = 0;
    plat::GetCursorPos(&cx, &cy);
    int ox = 0, oy = 0;
    WinClientToScreen(&ox, &oy);
    *x = int16_t(cx - ox);
    *y = int16_t(cy - oy);
    *buttons = ButtonWord();
}

bool MousePointerPosition(int16_t* x, int16_t* y) {
    if (!plat::CursorIsHostPointer()) return false;
    int cx = 0, cy = 0;
    plat::GetCursorPos(&cx, &cy);
    int ox = 0, oy = 0;
    WinClientToScreen(&ox, &oy);
    *x = int16_t(cx - ox);
    *y = int16_t(cy - oy);
    return true;
}
