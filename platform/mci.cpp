#include "platform/mci.h"

#include "platform/window.h"

namespace plat {
namespace {

constexpr uint32_t kTestDevice = 1;

struct TestMovie {
    bool present = false;
    bool open = false;
    bool playing = false;
    bool notify = false;
    int reads_left = 0;
    int playing_reads = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<MciCall> calls;
};
TestMovie g_movie;

uint32_t TestCommand(uint32_t device, uint32_t command, uint32_t flags, void* params) {
    MciCall call{device, command, flags, {}, nullptr, 0, 0};
    if (command == kMciOpen) {
        g_movie.calls.push_back(call);
        static_cast<MciOpenParms*>(params)->device_id = kTestDevice;
        g_movie.open = true;
        return 0;
    }
    if (device != kTestDevice || !g_movie.open) return kMciErrInvalidDeviceId;
    switch (command) {
        case kMciClose:
            g_movie.open = g_movie.playing = false;
            break;
        case kMciWindow:
            call.window = static_cast<MciWindowParms*>(params)->window;
            break;
        case kMciPut:
            call.rect = static_cast<MciRectParms*>(params)->rect;
            break;
        case kMciWhere: {
            MciRectParms* where = static_cast<MciRectParms*>(params);
            where->rect = MciRect{0, 0, g_movie.width, g_movie.height};
            break;
        }
        case kMciPlay: {
            MciPlayParms* play = static_cast<MciPlayParms*>(params);
            call.from = play->from;
            call.callback = play->callback;
            g_movie.playing = true;
            g_movie.notify = (flags & kMciNotify) != 0;
            g_movie.reads_left = g_movie.playing_reads;
            break;
        }
        case kMciStatus: {
            MciStatusParms* status = static_cast<MciStatusParms*>(params);
            if (!(flags & kMciStatusItem) || status->item != kMciStatusMode) return kMciErrInvalidDeviceId;
            if (g_movie.playing && g_movie.reads_left-- <= 0) {
                g_movie.playing = false;
                if (g_movie.notify) PostMessage(kMsgMciNotify, 1, kTestDevice);
            }
            status->result = g_movie.playing ? kMciModePlay : kMciModeStop;
            break;
        }
        default:
            return kMciErrInvalidDeviceId;
    }
    g_movie.calls.push_back(call);
    return 0;
}

}  // namespace

uint32_t MciSendCommand(uint32_t device, uint32_t command, uint32_t flags, void* params) {
    if (g_movie.present) return TestCommand(device, command, flags, params);
    return command == kMciOpen ? kMciErrCannotLoadDriver : kMciErrInvalidDeviceId;
}

void SetTestMovie(int playing_reads, uint16_t width, uint16_t height) {
    g_movie = TestMovie{};
    if (playing_reads < 0) return;
    g_movie.present = true;
    g_movie.playing_reads = playing_reads;
    g_movie.width = width;
    g_movie.height = height;
}

const std::vector<MciCall>& TestMovieCalls() { return g_movie.calls; }
bool TestMovieIsOpen() { return g_movie.open; }

}  // namespace plat
