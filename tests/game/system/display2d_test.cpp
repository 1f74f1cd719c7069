#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "platform/window.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

// Runs the pump until the pending paint has been shown (on the standing
// manual clock the pump leaves a held picture for the next refresh).
void Pump() {
    for (int i = 0; i < 4; ++i) WinMessageHandler();
    plat::FlushPendingPresent();
}

uint32_t Presented(int x, int y) {
    std::vector<uint32_t> frame;
    int w = 0, h = 0;
    plat::LastPresentedFrame(&frame, &w, &h);
    if (x < 0 || y < 0 || x >= w || y >= h) return 0xDEAD;
    return frame[size_t(y) * size_t(w) + size_t(x)];
}

int16_t Mode(int width, int height, int colour_type) {
    int mode = GfxFindMode(width, height, colour_type);
    EXPECT_GE(mode, 0) << width << "x" << height << " type " << colour_type;
    return int16_t(mode);
}

class GfxTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(WIN_FLAG_WINDOWED, 32); }
    void Start(uint32_t windowFlags, uint32_t desktopBits) { testenv::Start3DCard(windowFlags, desktopBits); }
    void TearDown() override {
        testenv::Stop3D();
        EXPECT_EQ(plat::LiveDirectDrawCount(), 0);
    }
};

TEST_F(GfxTest, ModeTableIsSortedWithEmulatedModesAnd3DBits) {
    ASSERT_GT(GfxNumModes, 19);
    for (int i = 1; i < GfxNumModes; ++i) {
        const DDrawModeInfo& a = GfxModeTable[i - 1];
        const DDrawModeInfo& b = GfxModeTable[i];
        ASSERT_TRUE(a.colour_type < b.colour_type ||
                    (a.colour_type == b.colour_type && a.width * a.height <= b.width * b.height));
    }
    // Listed by the card once, not added again as an emulated mode.
    int count = 0;
    for (int i = 0; i < GfxNumModes; ++i) {
        const DDrawModeInfo& m = GfxModeTable[i];
        if (m.width == 640 && m.height == 480 && m.colour_type == 1) ++count;
    }
    EXPECT_EQ(count, 1);
    const DDrawModeInfo& emulated = GfxModeTable[Mode(400, 300, 2)];
    EXPECT_EQ(emulated.bytes_per_pixel, 3);
    EXPECT_EQ(emulated.flags, GFXMODE_3D);
    EXPECT_EQ(GfxModeTable[Mode(512, 384, 0)].flags, 0);  // no 8-bit 3D rendering
    int best = GfxFindBestMode(700, 500, 3, GFXMODE_3D, GFXMODE_3D);
    ASSERT_GE(best, 0);
    EXPECT_EQ(GfxModeTable[best].width, 800);
    EXPECT_EQ(GfxFindBestModeAnyFlags(5000, 5000, 1), -1);
    EXPECT_EQ(GfxFindModeFlags(800, 600, 0, GFXMODE_3D, GFXMODE_3D), -1);
    EXPECT_EQ(GfxFindModeFlags(800, 600, 0, -1, 0), Mode(800, 600, 0));
}

TEST_F(GfxTest, WindowedSixteenBitsOnADeepDesktopGoesThroughTheCopy) {
    SetGraphicMode(Mode(800, 600, 1), 0);
    EXPECT_EQ(GfxGetModeKind(), GFX_MODE_DIRECT);
    EXPECT_EQ(DDrawGetModeFlags() & DDMODE_PRIMARYFORMAT, 0);
    EXPECT_EQ(ColFmtEqual(GfxGetScreenFormat(), &ColFmt_A1R5G5B5), 0);
    EXPECT_EQ(GfxGetScreenFormat()->red.mask, 0x7C00u);
    int w = 0, h = 0;
    plat::GetClientSize(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);

    // No 3D device on it: the virtual screen lives in system memory.
    EXPECT_NE(DDrawGetDirectDrawSurface(DDSURFACE_VISIBLE)->Caps() & plat::kCapsSystemMemory, 0u);

    uint32_t red = ColConvRGB2Pixel(GfxGetScreenFormat(), 255, 0, 0, 0);
    GfxPutPixel(5, 6, red);
    EXPECT_EQ(GfxGetPixel(5, 6), red);
    Pump();
    EXPECT_EQ(Presented(5, 6), 0xFF0000u);
    EXPECT_EQ(Presented(6, 6), 0x000000u);
}

TEST_F(GfxTest, WindowedOnASixteenBitDesktopBlitsInItsOwnFormat) {
    TearDown();
    Start(WIN_FLAG_WINDOWED, 16);
    SetGraphicMode(Mode(640, 480, 1), 0);
    EXPECT_NE(DDrawGetModeFlags() & DDMODE_PRIMARYFORMAT, 0);
    EXPECT_EQ(ColFmtEqual(GfxGetScreenFormat(), &ColFmt_R5G6B5), 1);
    GfxFillRect(10, 10, 4, 4, 0xFF);
    Pump();
    EXPECT_EQ(Presented(11, 11), 0xFFFFFFu);
    EXPECT_EQ(Presented(14, 11), 0u);
}

TEST_F(GfxTest, NestedLocksShareOneLock) {
    SetGraphicMode(Mode(320, 240, 3), 0);
    Pump();
    plat::DirectDrawSurface7* drawing = DDrawGetDirectDrawSurface(DDSURFACE_DRAWING);
    DDrawSurfaceInfo* outer = nullptr;
    DDrawSurfaceInfo* inner = nullptr;
    DDrawBeginDraw(&outer);
    EXPECT_TRUE(drawing->Locked());
    DDrawBeginDraw(&inner);
    EXPECT_EQ(inner, outer);
    EXPECT_EQ(DDrawGetLockCount(), 2);
    EXPECT_EQ(outer->width, 320);
    EXPECT_GE(outer->pitch, 320 * 4);
    DDrawEndDraw(&inner, 0, 0, 10, 10);
    EXPECT_EQ(inner, nullptr);
    EXPECT_TRUE(drawing->Locked());
    int presents = plat::PresentCount();
    DDrawEndDraw(&outer, 0, 0, 0, 0);  // no rectangle: nothing to repaint
    EXPECT_FALSE(drawing->Locked());
    Pump();
    EXPECT_EQ(plat::PresentCount(), presents);
}

TEST_F(GfxTest, TextLinesAndFillsLandWhereDrawn) {
    SetGraphicMode(Mode(800, 600, 3), 0);
    const ColFmt* f = GfxGetScreenFormat();
    GfxDrawText(100, 50, "H");
    // 'H' rows are "##..##..": set bits white, clear bits black.
    EXPECT_EQ(GfxGetPixel(100, 50) & f->all_mask, f->all_mask);
    EXPECT_EQ(GfxGetPixel(102, 50), 0u);
    EXPECT_EQ(GfxGetPixel(105, 53) & f->all_mask, f->all_mask);
    GfxDrawText(0, 0, "");

    const uint32_t green = ColConvRGB2Pixel(f, 0, 255, 0, 0);
    GfxDrawLine(10, 10, 20, 14, green);
    EXPECT_EQ(GfxGetPixel(10, 10), green);
    EXPECT_EQ(GfxGetPixel(19, 14), green);
    EXPECT_EQ(GfxGetPixel(20, 14), 0u);  // the second end point is not drawn
    int drawn = 0;
    for (int x = 0; x < 30; ++x) {
        for (int y = 0; y < 20; ++y) drawn += GfxGetPixel(x, y) == green;
    }
    EXPECT_EQ(drawn, 10);
    GfxDrawLine(40, 40, 40, 40, green);
    EXPECT_EQ(GfxGetPixel(40, 40), 0u);

    // Out of the screen nothing is written and nothing breaks.
    GfxFillRect(790, 590, 100, 100, 0x80);
    GfxPutPixel(-1, 5, green);
    GfxDrawText(796, 596, "WW");
    EXPECT_EQ(GfxGetPixel(795, 599) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(GfxGetPixel(799, 599) & 0xFFFFFF, 0xFFFFFFu);  // row 3 of 'W' is set there

    uint8_t picture[2 * 2 * 4] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    DrawGraphicContiguous(798, 598, 2, 2, picture);
    DrawGraphic(-1, 200, 2, 2, picture, 0);
    EXPECT_EQ(GfxGetPixel(799, 599), 0x000C0B0Au);
    EXPECT_EQ(GfxGetPixel(0, 200), 0x00060504u);
    uint8_t back[8] = {};
    GfxReadRect(0, 200, 1, 2, back);
    EXPECT_EQ(back[0], 4);
    EXPECT_EQ(back[4], 10);
    GfxClearScreen();
    EXPECT_EQ(GfxGetPixel(799, 599), 0u);
}

TEST_F(GfxTest, PalettisedModeKeepsItsPaletteAndCopiesWithTransparency) {
    SetGraphicMode(Mode(512, 384, 0), 0);
    EXPECT_EQ(GfxGetModeKind(), GFX_MODE_PALETTISED);
    EXPECT_EQ(GfxGetPalette()[100 * 3], 25);  // the grey ramp until a palette comes
    uint8_t palette[768] = {};
    palette[0] = 9;
    palette[7 * 3] = 63;
    SetPalette(palette);
    EXPECT_EQ(palette[0], 0);
    EXPECT_EQ(palette[765], 63);
    EXPECT_EQ(GfxGetPalette()[7 * 3], 63);

    const uint8_t sprite[4] = {7, 0, 0, 7};
    GfxFillRect(0, 0, 2, 2, 3);
    DrawGraphicTrans(0, 0, 2, 2, sprite);
    EXPECT_EQ(GfxGetPixel(0, 0), 7u);
    EXPECT_EQ(GfxGetPixel(1, 0), 3u);
    uint8_t buffer[16] = {};
    buffer[5] = 7;
    DDrawSurfaceInfo info{4, 4, buffer, 4, 4, 4};
    ShowDBuffer(100, 100, &info, 1, 1, 2, 2);
    EXPECT_EQ(GfxGetPixel(100, 100), 7u);
    Pump();
    EXPECT_EQ(Presented(0, 0), 0xFC0000u);  // 63 x 4 through the palette
}

TEST_F(GfxTest, ForcedLostSurfacesAreRestoredOnReturn) {
    SetGraphicMode(Mode(800, 600, 1), 0);
    GfxPutPixel(1, 1, 0x1234);
    Pump();  // surfaces are lost by switching away, not with a repaint pending
    plat::LoseAllSurfaces();
    EXPECT_EQ(DDrawGetDirectDrawSurface(DDSURFACE_DRAWING)->IsLost(), plat::kDdErrSurfaceLost);
    plat::InjectFocus(false);
    plat::InjectFocus(true);
    WinMessageHandler();  // idles while away, restores on the way back
    EXPECT_EQ(DDrawGetDirectDrawSurface(DDSURFACE_DRAWING)->IsLost(), plat::kDdOk);
    EXPECT_EQ(DDrawGetDirectDrawSurface(DDSURFACE_PRIMARY)->IsLost(), plat::kDdOk);
    EXPECT_EQ(GfxGetPixel(1, 1), 0u);  // contents are not redrawn
    GfxPutPixel(1, 1, 0x4321);
    EXPECT_EQ(GfxGetPixel(1, 1), 0x4321u);
}

TEST_F(GfxTest, FullScreenFlipsTheBackBufferToTheScreen) {
    TearDown();
    Start(0, 32);
    SetGraphicMode(Mode(640, 480, 1), GFX_DOUBLEBUFFER);
    plat::DirectDrawSurface7* primary = DDrawGetDirectDrawSurface(DDSURFACE_PRIMARY);
    EXPECT_EQ(DDrawGetDirectDrawSurface(DDSURFACE_VISIBLE), primary);
    EXPECT_NE(DDrawGetDirectDrawSurface(DDSURFACE_DRAWING), primary);
    EXPECT_EQ(ColFmtEqual(GfxGetScreenFormat(), &ColFmt_R5G6B5), 1);
    const uint32_t blue = ColConvRGB2Pixel(GfxGetScreenFormat(), 0, 0, 255, 0);
    GfxFillRect(0, 0, 640, 480, 0);
    GfxPutPixel(320, 240, blue);
    GfxFlip();
    EXPECT_EQ(Presented(320, 240), 0x0000FFu);
    EXPECT_EQ(GfxGetPixel(320, 240), 0u);  // drawing goes on in the other buffer
    GfxFlip();
    EXPECT_EQ(GfxGetPixel(320, 240), blue);
}

TEST_F(GfxTest, ThreeDModeGetsAZBufferWithStencil) {
    SetGraphicMode(Mode(800, 600, 3), GFX_3D | GFX_ZBUFFER | GFX_STENCIL);
    plat::DirectDrawSurface7* z = DDrawGetDirectDrawSurface(DDSURFACE_ZBUFFER);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->Format().bit_count, 32u);
    EXPECT_NE(z->Format().flags & plat::kPfStencilBuffer, 0u);
    // The device rasterises in hardware: screen and z-buffer in video memory.
    EXPECT_NE(DDrawGetDirectDrawSurface(DDSURFACE_VISIBLE)->Caps() & plat::kCapsVideoMemory, 0u);
    EXPECT_NE(z->Caps() & plat::kCapsVideoMemory, 0u);
    EXPECT_NE(DDrawGetModeFlags() & DDMODE_D3DDEVICE, 0);
    plat::DirectDrawSurface7* attached = nullptr;
    ASSERT_EQ(DDrawGetDirectDrawSurface(DDSURFACE_DRAWING)->GetAttachedSurface(plat::kCapsZBuffer, &attached),
              0);
    EXPECT_EQ(attached, z);
    attached->Release();
}

TEST_F(GfxTest, MisuseEndsTheProgram) {
    EXPECT_FATAL(SetGraphicMode(int16_t(GfxNumModes), 0), "Error: SetGraphicMode\\(\\): Bad mode number\n");
    EXPECT_FATAL(SetGraphicMode(-1, 0), "Error: SetGraphicMode\\(\\): Bad mode number\n");
    EXPECT_FATAL(RestoreGraphicMode(),
                 "Error: RestoreGraphicMode\\(\\): Cannot restore graphics mode - no mode set\n");
    EXPECT_FATAL(GfxInit(0), "GfxInit\\(\\): already initialised");
    EXPECT_FATAL(
        {
            SetGraphicMode(Mode(800, 600, 1), 0);
            GfxFlip();
        },
        "GfxFlip\\(\\): mode is not a flippable mode");
    EXPECT_FATAL(
        {
            SetGraphicMode(Mode(800, 600, 1), 0);
            SetGraphicMode(Mode(800, 600, 1), 0);
        },
        "Error: SetGraphicMode\\(\\): Cannot set graphics mode when already in graphics mode\n");
    EXPECT_FATAL(
        {
            SetGraphicMode(Mode(800, 600, 3), 0);
            uint8_t palette[768] = {};
            SetPalette(palette);
        },
        "Error: SetPalette\\(\\): Cannot set palette in hi-colour modes!\n");
    EXPECT_FATAL(
        {
            SetGraphicMode(Mode(800, 600, 3), 0);
            DDrawSurfaceInfo* s = nullptr;
            DDrawEndDraw(&s, 0, 0, 1, 1);
        },
        "func DDrawEndDraw\\(\\)\\]:\nDirectX call DDS7_Unlock\\(\\) failed: DDERR_NOTLOCKED\n");
    EXPECT_FATAL(
        {
            SetGraphicMode(Mode(800, 600, 1), 0);
            plat::LoseAllSurfaces();
            GfxPutPixel(0, 0, 1);
        },
        "DirectX call DDS7_Lock\\(\\) failed: DDERR_SURFACELOST\n");
    EXPECT_FATAL(
        {
            SetGraphicMode(Mode(800, 600, 3), 0);
            DrawGraphicTrans(0, 0, 1, 1, nullptr);
        },
        "DrawGraphicTrans\\(\\): I havn't written a direct colour");
    EXPECT_FATAL(DDrawSetPalette(nullptr), "DDrawSetPalette\\(\\): error - no palette to set!");
    EXPECT_FATAL(DDrawGetDirectDrawSurface(5), "DDrawGetDirectDrawSurface\\(\\): unknown surface type");
    DDrawSurfaceInfo* s = nullptr;
    EXPECT_FATAL(DDrawBeginDraw(&s), "DDrawBeginDraw\\(\\): no drawing surface");
    // Without a mode the drawing calls do nothing.
    GfxPutPixel(1, 1, 1);
    EXPECT_EQ(GfxGetPixel(1, 1), 0u);
}

TEST_F(GfxTest, StandardVgaFlagFitsOnlyTheSmallPalettisedModeFullScreen) {
    TearDown();
    Start(0, 32);
    const DDrawModeInfo wide{640, 480, 1, 0, 0, 1};
    const DDrawModeInfo deep{320, 200, 2, 1, 0, 1};
    const char* kAbort = "DDrawSetMode\\(\\): UseStdVGAFlag set, but mode is not 320x200,8bit";
    EXPECT_FATAL(DDrawSetMode(&wide, 0), kAbort);
    EXPECT_FATAL(DDrawSetMode(&deep, 0), kAbort);
}

TEST_F(GfxTest, ExitListUndoesModeThenDirectDraw) {
    EXPECT_EXIT(
        {
            SetGraphicMode(Mode(800, 600, 1), 0);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    SetGraphicMode(Mode(800, 600, 1), 0);
    int entries = OnExitCount();
    ASSERT_GE(entries, 4);
    EXPECT_STREQ(OnExitName(entries - 1), "RestoreGraphicMode()");
    EXPECT_STREQ(OnExitName(entries - 2), "DDrawRestoreMode()");
}

// ---- Screen grabs, read back by an outside reader ----------------------------
class GrabTest : public GfxTest {
  protected:
    void SetUp() override {
        GfxTest::SetUp();
        char pattern[] = "/tmp/halvorn-grab-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ASSERT_NE(getcwd(old_dir_, sizeof old_dir_), nullptr);
        ASSERT_EQ(chdir(dir_.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(old_dir_), 0);
        std::system(("rm -rf " + dir_).c_str());
        GfxTest::TearDown();
    }
    static long FileSize(const std::string& name) {
        struct stat st;
        return stat(name.c_str(), &st) == 0 ? long(st.st_size) : -1;
    }
    // The colour an outside reader sees at (x, y), as "#RRGGBB".
    std::string ReadBack(const std::string& file, int x, int y) {
        std::string command = "convert '" + dir_ + "/" + file + "' -crop 1x1+" + std::to_string(x) + "+" +
                              std::to_string(y) + " +repage -depth 8 txt:- 2>/dev/null";
        FILE* p = popen(command.c_str(), "r");
        if (p == nullptr) return "no reader";
        char line[256];
        std::string out;
        while (std::fgets(line, sizeof line, p) != nullptr) out += line;
        pclose(p);
        size_t hash = out.find('#', out.find('\n'));  // past the header line
        return hash == std::string::npos ? "unreadable: " + out : out.substr(hash, 7);
    }
    std::string dir_;
    char old_dir_[4096] = {};
};

void DrawScene() {
    const ColFmt* f = GfxGetScreenFormat();
    GfxFillRect(0, 0, 800, 600, 0);
    GfxFillRect(100, 100, 200, 50, 0xFF);
    GfxDrawLine(0, 300, 800, 300, ColConvRGB2Pixel(f, 255, 0, 0, 0));
    GfxDrawLine(400, 0, 400, 600, ColConvRGB2Pixel(f, 0, 0, 255, 0));
    GfxDrawText(16, 500, "GOAL!");
}

TEST_F(GrabTest, SixteenAndThirtyTwoBitGrabsReadBack) {
    SetGraphicMode(Mode(800, 600, 1), 0);
    DrawScene();
    StdoutCapture bell;
    ScreenGrab();
    RestoreGraphicMode();
    SetGraphicMode(Mode(800, 600, 3), 0);
    DrawScene();
    ScreenGrab();
    EXPECT_EQ(bell.Text(), "\a\a");
    for (const char* file : {"grab0001.tga", "grab0002.tga"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(FileSize(file), 18 + 800 * 600 * 3);
        EXPECT_EQ(ReadBack(file, 150, 120), "#FFFFFF");
        EXPECT_EQ(ReadBack(file, 50, 300), "#FF0000");
        EXPECT_EQ(ReadBack(file, 400, 10), "#0000FF");
        EXPECT_EQ(ReadBack(file, 50, 50), "#000000");
        // 'G' starts "..####..": its third column is set, the first not.
        EXPECT_EQ(ReadBack(file, 18, 500), "#FFFFFF");
        EXPECT_EQ(ReadBack(file, 16, 500), "#000000");
    }
}

TEST_F(GrabTest, PalettisedGrabCarriesItsPalette) {
    SetGraphicMode(Mode(512, 384, 0), 0);
    uint8_t palette[768] = {};
    palette[10 * 3 + 1] = 63;  // index 10 green
    palette[20 * 3 + 2] = 32;  // index 20 mid blue: (32 x 4) | (32 / 16)
    SetPalette(palette);
    GfxFillRect(0, 0, 512, 384, 10);
    GfxFillRect(30, 40, 10, 10, 20);
    SaveScreenTGA("shot.tga", 0, 0, 512, 384);
    EXPECT_EQ(FileSize("shot.tga"), 18 + 768 + 512 * 384);
    EXPECT_EQ(ReadBack("shot.tga", 0, 0), "#00FF00");
    EXPECT_EQ(ReadBack("shot.tga", 35, 45), "#000082");
    std::ifstream in("shot.tga", std::ios::binary);
    uint8_t header[18];
    in.read(reinterpret_cast<char*>(header), 18);
    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(header[2], 1);
    EXPECT_EQ(header[16], 8);
    EXPECT_EQ(header[17], 0x20);
}

TEST_F(GrabTest, NextGrabTakesTheFirstFreeNumber) {
    SetGraphicMode(Mode(320, 240, 1), 0);
    for (const char* name : {"grab0001.tga", "grab0002.tga"}) std::ofstream(name) << "x";
    StdoutCapture bell;
    ScreenGrab();
    bell.Text();
    EXPECT_EQ(FileSize("grab0003.tga"), 18 + 320 * 240 * 3);
    EXPECT_EQ(FileSize("grab0002.tga"), 1);
    StdoutCapture error;
    SaveScreenTGA("no-such-dir/x.tga", 0, 0, 10, 10);
    EXPECT_EQ(error.Text(), "Error: Cannot save screen grab\n");
}

}  // namespace
