#include "game/system/movie.h"

#include "core/base/debug.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/videosurvey.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/mci.h"
#include "platform/window.h"

namespace {

constexpr uint32_t kMovieWaitMs = 500;
constexpr uint32_t kMovieSettleMs = 200;

uint32_t g_device = 0;

int Result(uint32_t error) { return error == 0 ? 0 : -1; }

uintptr_t MainWindowToken() { return reinterpret_cast<uintptr_t>(WinGetWindowHandle()); }

// While the movie plays the window's background is left alone, so the
// video is not wiped between its frames.
int64_t MovieWindowProc(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam) {
    if (msg == plat::kMsgEraseBkgnd) return 1;
    return WinNotHandled(window, msg, wparam, lparam);
}

bool StopRequested(uint32_t stop_flags) {
    if ((stop_flags & MOVIE_STOP_ESCAPE) && KeyWasPressed(MOVIE_KEY_ESCAPE)) return true;
    if (stop_flags & MOVIE_STOP_MOUSE) {
        int16_t x = 0;
        int16_t y = 0;
        uint16_t buttons = 0;
        ReadMouseDriver(&x, &y, &buttons);
        if (buttons != 0) return true;
    }
    return false;
}

}  // namespace

int MovieOpen(const char* file_name) {
    plat::MciOpenParms open;
    open.element_name = file_name;
    uint32_t error = plat::MciSendCommand(0, plat::kMciOpen, plat::kMciOpenElement, &open);
    if (error != 0) {
        DebugLog(DEBUG_GRAPHICS, 20, "MovieOpen(): cannot open '%s' (%u)\n", file_name, unsigned(error));
        return -1;
    }
    g_device = open.device_id;
    return 0;
}

int MovieClose() {
    plat::MciGenericParms close;
    uint32_t error = plat::MciSendCommand(g_device, plat::kMciClose, 0, &close);
    g_device = 0;
    return Result(error);
}

int MovieIsPlaying() {
    plat::MciStatusParms status;
    status.item = plat::kMciStatusMode;
    if (plat::MciSendCommand(g_device, plat::kMciStatus, plat::kMciStatusItem, &status) != 0) {
        return -1;
    }
    return status.result == plat::kMciModePlay ? 1 : 0;
}

int MovieGetSourceSize(uint16_t* width, uint16_t* height) {
    plat::MciRectParms where;
    if (plat::MciSendCommand(g_device, plat::kMciWhere, plat::kMciDgvWhereSource, &where) != 0) {
        return -1;
    }
    *width = uint16_t(where.rect.right);
    *height = uint16_t(where.rect.bottom);
    return 0;
}

int MovieSetWindow() {
    plat::MciWindowParms window;
    window.window = WinGetWindowHandle();
    return Result(plat::MciSendCommand(g_device, plat::kMciWindow, plat::kMciDgvWindowHwnd, &window));
}

int MovieSetDestination(int width, int height) {
    plat::MciRectParms put;
    put.rect = plat::MciRect{0, 0, width, height};
    return Result(
        plat::MciSendCommand(g_device, plat::kMciPut, plat::kMciDgvRect | plat::kMciDgvPutDestination, &put));
}

int MovieStart() {
    plat::MciPlayParms play;
    play.callback = MainWindowToken();
    play.from = 0;
    return Result(plat::MciSendCommand(g_device, plat::kMciPlay, plat::kMciFrom | plat::kMciNotify, &play));
}

uint32_t MovieGetDevice() { return g_device; }

void MoviePlay(const char* file_name, uint32_t stop_flags, int width, int height) {
    const DDrawDeviceInfo* card = DDrawGetCurrentDeviceInfo();
    if (card != nullptr && (card->flags & DDDEVINFO_NONDISPLAY)) return;

    if (MovieOpen(file_name) != 0 || MovieSetWindow() != 0 || MovieSetDestination(width, height) != 0 ||
        MovieStart() != 0) {
        MovieClose();
        return;
    }

    plat::HideCursor();
    int proc = WinAddWindowProc(MovieWindowProc);
    plat::Sleep(kMovieWaitMs);
    plat::HideCursor();
    plat::SetTimer(MOVIE_TIMER_ID, MOVIE_TIMER_MS);

    // The timer wakes the message wait at least every 100 ms.
    for (;;) {
        WinIdleMessageHandler();
        if (MovieIsPlaying() != 1) break;
        if (StopRequested(stop_flags)) break;
    }

    plat::KillTimer(MOVIE_TIMER_ID);
    WinRemoveWindowProc(proc);
    MovieClose();
    plat::Sleep(kMovieSettleMs);
}
