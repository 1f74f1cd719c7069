// Start-up and shutdown of the video choice: the first card with its first
// 3D device (or none with "-no3d") and the mode the automatic choice takes.
// The options screen and the scoring of several cards come with the match
// display.
#include "tolmenu/vidopt.h"

#include "support/debug.h"
#include "support/dxdraw.h"
#include "support/dxenum.h"
#include "support/gfx.h"

namespace {

constexpr uint32_t kManyTextures = 0x1400000;  // 20 MiB

VideoChoice g_choice{};
int g_no3d = 0;

struct ModeTry {
    int width;
    int height;
    int colour_type;
};

int FirstFit(const ModeTry* tries, int count, bool need_3d) {
    for (int i = 0; i < count; ++i) {
        int mode = need_3d ? GfxFindBestMode(tries[i].width, tries[i].height, tries[i].colour_type,
                                             GFXMODE_3D, GFXMODE_3D)
                           : GfxFindBestModeAnyFlags(tries[i].width, tries[i].height, tries[i].colour_type);
        if (mode >= 0) return mode;
    }
    return -1;
}

}  // namespace

int VideoOpt_FindMode(int no3d, const VideoChoice* choice) {
    if (no3d) {
        constexpr ModeTry kTries[] = {{800, 600, 0}, {512, 384, 0}};
        return FirstFit(kTries, 2, false);
    }
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(choice->Card);
    if (card != nullptr && card->texture_memory >= kManyTextures) {
        constexpr ModeTry kRich[] = {{800, 600, 3}, {800, 600, 2}};
        int mode = FirstFit(kRich, 2, true);
        if (mode >= 0) return mode;
    }
    constexpr ModeTry kTries[] = {{800, 600, 1}, {800, 600, 2}, {800, 600, 3},
                                  {512, 384, 1}, {512, 384, 2}, {512, 384, 3}};
    return FirstFit(kTries, 6, true);
}

void VideoInit(int no3d) {
    g_no3d = no3d;
    DXEnumDisplay();
    g_choice = VideoChoice{};
    g_choice.Card = 0;
    g_choice.Device = -1;
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(0);
    if (card == nullptr) AbortError("vidopt", __LINE__, "VideoInit(): Failed to find a 3d graphics card!");
    if (card->guid_ptr != nullptr) {
        AbortError("vidopt", __LINE__, "VideoInit(): the first card must have the NULL GUID");
    }
    if (!no3d) {
        if (DDrawGet3DDeviceInfo(0, 0) == nullptr) {
            AbortError("vidopt", __LINE__, "VideoInit(): failed to find a 3d device!");
        }
        g_choice.Device = 0;
    }
    DDrawSelectDevice(g_choice.Card, g_choice.Device);
    GfxInit(g_choice.Device != -1 ? GFXINIT_3D : 0);
    g_choice.ModeIndex = VideoOpt_FindMode(no3d, &g_choice);
    if (g_choice.ModeIndex < 0) AbortError("vidopt", __LINE__, "No suitable graphics mode found");
}

void VideoOpt_ReselectDevice() {
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(g_choice.Card);
    const DDraw3DDeviceInfo* device = DDrawGet3DDeviceInfo(g_choice.Card, g_choice.Device);
    g_choice.CardGuid = card != nullptr ? card->guid : plat::Guid{};
    g_choice.DeviceGuid = device != nullptr ? device->guid : plat::Guid{};
    GfxUninit();
}

const VideoChoice* VideoGetChoice() { return &g_choice; }
int VideoNo3D() { return g_no3d; }

// Until the options screen is built the choice made at start-up stands:
// leaving at once keeps the committed choice untouched.
void VideoOpt_Menu() {}
