#include "game/screens/engine/loadanim.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "game/system/poll.h"

LoadingImage LoadingImageList[1] = {{"load-eng", nullptr, 0, 0}};

namespace {

constexpr const char* kModule = "loadanim";
constexpr int kImageWidth = 800;
constexpr int kImageHeight = 600;

uint32_t g_flags = 0;
char g_text[LOADING_TEXT_SIZE] = "";
int16_t g_pollKey = -1;

void FlipWhenFlagged() {
    if (g_flags & LOADING_FLIP) GfxFlip();
}

void ShowCentred() {
    ShowLoadingImage((int(GfxGetScreenWidth()) - kImageWidth) / 2,
                     (int(GfxGetScreenHeight()) - kImageHeight) / 2, kImageWidth, kImageHeight, 0);
    FlipWhenFlagged();
}

void ClearToBlack() {
    GfxClearScreen();
    FlipWhenFlagged();
}

// False when the file is missing or not a picture: the screen stays black.
bool LoadImage(LoadingImage& entry) {
    char path[80];
    std::snprintf(path, sizeof path, "zudata\\load\\%s.tga", entry.name);
    if (!PakCheckFile(path)) return false;
    // Kept from purging until it is converted: the conversion allocates.
    uint32_t size = PakLoadWholeFile(path, &entry.picture, MEM_TYPE_MANUAL_FREE);
    if (LoadImageFile(&entry.picture, &size, 0, &ColFmt_B8G8R8) < 0) {
        if (entry.picture != nullptr) FreeMemory(&entry.picture);
        return false;
    }
    if (std::memcmp(entry.picture, "GFX0", 4) != 0)
        AbortError(kModule, __LINE__, "Loading image not a graphic file");
    const uint8_t* header = entry.picture;
    entry.width = uint32_t(header[GFX0_WIDTH] | header[GFX0_WIDTH + 1] << 8);
    entry.height = uint32_t(header[GFX0_HEIGHT] | header[GFX0_HEIGHT + 1] << 8);
    if (size != GFX0_HEADER_SIZE + entry.width * entry.height * 3) {
        AbortError(kModule, __LINE__, "Loading image in bad format (not 24 bit)");
    }
    ColConvMemory(&entry.picture, entry.width * entry.height, GFX0_HEADER_SIZE, &ColFmt_B8G8R8,
                  GfxGetScreenFormat());
    SetMemType(&entry.picture, MEM_TYPE_AUTO_FREE);
    return true;
}

}  // namespace

void StartLoadingScreen(uint32_t flags) {
    g_flags = flags;
    ClearToBlack();
    g_text[0] = '\0';
    ShowCentred();
    g_pollKey = AddPollFunction(ShowCentred, 125, 1);
}

void LoadingScreen_ShowText(const char* text) {
    if (DebugGetLevel(0) >= 1) std::printf("---> %s\n", text);
    if (std::strlen(text) < LOADING_TEXT_SIZE) {
        std::snprintf(g_text, sizeof g_text, "%s", text);
    } else {
        g_text[0] = '\0';
    }
    ShowCentred();
}

void StopLoadingScreen() {
    if (g_pollKey >= 0) RemovePollFunction(g_pollKey);
    g_pollKey = -1;
    ClearToBlack();
}

const char* LoadingScreenText() { return g_text; }

void ShowLoadingImage(int x, int y, int width, int height, int image) {
    const int screenWidth = int(GfxGetScreenWidth()), screenHeight = int(GfxGetScreenHeight());
    if (image != 0 || screenWidth <= 0 || screenHeight <= 0 || !GfxIsModeSet()) return;
    LoadingImage& entry = LoadingImageList[0];
    if (entry.picture == nullptr && !LoadImage(entry)) return;
    const int pictureWidth = int(entry.width), pictureHeight = int(entry.height);
    if (width <= 0 || width > pictureWidth) width = pictureWidth;
    if (height <= 0 || height > pictureHeight) height = pictureHeight;
    int skipX = 0, skipY = 0;
    if (x < 0) {
        skipX = -x;
        width -= skipX;
        x = 0;
    }
    if (y < 0) {
        skipY = -y;
        height -= skipY;
        y = 0;
    }
    width = std::min(width, screenWidth - x);
    height = std::min(height, screenHeight - y);
    if (width <= 0 || height <= 0) return;
    const uint32_t bytes = GfxGetScreenFormat()->bytes;
    const uint8_t* source =
        entry.picture + GFX0_HEADER_SIZE + (size_t(skipY) * size_t(pictureWidth) + size_t(skipX)) * bytes;
    DrawGraphic(x, y, width, height, source, (pictureWidth - width) * int(bytes));
}
