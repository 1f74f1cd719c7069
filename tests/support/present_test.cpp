// What the window shows follows what is drawn: only the drawn part is
// repainted, a repaint that changes nothing shows nothing new, and a window
// the host uncovered or resized shows its whole picture again.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/ddraw.h"
#include "platform/glcontext.h"
#include "platform/window.h"
#include "support/dxdraw.h"
#include "support/gfx.h"
#include "support/winlib.h"
#include "tests/fakes/d3d_env.h"

namespace {

// Runs the pump until the pending paint has been shown.
void PresentPump() {
    for (int i = 0; i < 4; ++i) WinMessageHandler();
    plat::FlushPendingPresent();
}

struct PresentedFrame {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    uint32_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0xDEAD;
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
};

PresentedFrame Presented() {
    PresentedFrame f;
    plat::LastPresentedFrame(&f.pixels, &f.width, &f.height);
    return f;
}

class PresentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::Start3DCard(WIN_FLAG_WINDOWED, 32);
        // The menus' screen: 24 bits shown on a 32-bit desktop.
        const int mode = GfxFindMode(320, 240, 2);
        ASSERT_GE(mode, 0);
        SetGraphicMode(int16_t(mode), 0);
        PresentPump();
    }
    void TearDown() override { testenv::Stop3D(); }

    uint32_t Colour(int r, int g, int b) { return ColConvRGB2Pixel(GfxGetScreenFormat(), r, g, b, 0); }
};

TEST_F(PresentTest, DrawingRepaintsItsOwnPartAndTheRestOfThePictureStays) {
    GfxPutPixel(5, 6, Colour(255, 0, 0));
    plat::PaintArea area = plat::TakePaintArea();
    EXPECT_EQ(area.left, 5);
    EXPECT_EQ(area.top, 6);
    EXPECT_EQ(area.right, 6);
    EXPECT_EQ(area.bottom, 7);
    plat::InvalidateWindowRect(5, 6, 6, 7);  // handed back for the pump
    PresentPump();
    EXPECT_EQ(Presented().At(5, 6), 0xFF0000u);

    // Far from the first: both stand in the picture, the rest is black.
    GfxFillRect(300, 230, 3, 2, 0xFF);
    PresentPump();
    const PresentedFrame f = Presented();
    ASSERT_EQ(f.width, 320);
    ASSERT_EQ(f.height, 240);
    EXPECT_EQ(f.At(5, 6), 0xFF0000u);
    EXPECT_EQ(f.At(302, 231), 0xFFFFFFu);
    EXPECT_EQ(f.At(303, 231), 0u);
    EXPECT_EQ(f.At(6, 6), 0u);
    // Drawn beside the screen: nothing breaks and the picture keeps its size.
    GfxFillRect(-10, -10, 12, 12, 0x80);
    PresentPump();
    EXPECT_EQ(Presented().At(1, 1), 0x808080u);
    EXPECT_EQ(Presented().At(2, 2), 0u);
}

TEST_F(PresentTest, NestedDrawsRepaintEveryPartDrawnUnderTheLock) {
    DDrawSurfaceInfo* outer = nullptr;
    DDrawSurfaceInfo* inner = nullptr;
    DDrawBeginDraw(&outer);
    DDrawBeginDraw(&inner);
    DDrawEndDraw(&inner, 50, 60, 2, 2);
    DDrawEndDraw(&outer, 10, 10, 1, 1);
    plat::PaintArea area = plat::TakePaintArea();
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.top, 10);
    EXPECT_EQ(area.right, 52);
    EXPECT_EQ(area.bottom, 62);
    // Areas asked for are joined and cut to the window; taking empties them.
    plat::InvalidateWindowRect(-5, 200, 10, 400);
    plat::InvalidateWindowRect(300, 0, 330, 4);
    area = plat::TakePaintArea();
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 320);
    EXPECT_EQ(area.bottom, 240);
    EXPECT_LE(plat::TakePaintArea().right, 0);
    plat::InvalidateWindowRect(7, 7, 7, 9);  // empty: asks for nothing
    EXPECT_LE(plat::TakePaintArea().right, 0);
    plat::InvalidateWindow();
    area = plat::TakePaintArea();
    EXPECT_EQ(area.right, 320);
    EXPECT_EQ(area.bottom, 240);
}

TEST_F(PresentTest, ARepaintThatChangesNothingShowsNothingNew) {
    GfxPutPixel(20, 20, Colour(0, 255, 0));
    PresentPump();
    const int presents = plat::PresentCount();
    plat::InvalidateWindow();
    PresentPump();
    EXPECT_EQ(plat::PresentCount(), presents);
    GfxPutPixel(20, 20, Colour(0, 255, 0));  // the same colour again
    PresentPump();
    EXPECT_EQ(plat::PresentCount(), presents);
    GfxPutPixel(20, 20, Colour(0, 0, 255));
    PresentPump();
    EXPECT_EQ(plat::PresentCount(), presents + 1);
    EXPECT_EQ(Presented().At(20, 20), 0x0000FFu);
}

TEST_F(PresentTest, AnUncoveredOrResizedWindowShowsItsWholePictureAgain) {
    GfxPutPixel(30, 40, Colour(255, 255, 0));
    PresentPump();
    int presents = plat::PresentCount();
    plat::InjectPaint();  // the host uncovered the window
    PresentPump();
    EXPECT_EQ(plat::PresentCount(), presents + 1);
    EXPECT_EQ(Presented().At(30, 40), 0xFFFF00u);

    presents = plat::PresentCount();
    plat::ResizeWindow(400, 300);
    plat::InvalidateWindow();
    PresentPump();
    EXPECT_GT(plat::PresentCount(), presents);
    const PresentedFrame f = Presented();
    EXPECT_EQ(f.width, 400);
    EXPECT_EQ(f.height, 300);
    EXPECT_EQ(f.At(30, 40), 0xFFFF00u);
    EXPECT_EQ(f.At(350, 250), 0u);  // beyond the screen the window is black
}

TEST_F(PresentTest, TheWindowShowsEveryChangeAndKeepsWhatDidNotChange) {
    GfxPutPixel(10, 12, Colour(255, 0, 0));
    PresentPump();
    GfxFillRect(200, 150, 4, 3, 0xFF);
    PresentPump();
    GfxPutPixel(11, 200, Colour(0, 0, 255));
    PresentPump();
    std::vector<uint32_t> window;
    int w = 0, h = 0;
    ASSERT_TRUE(plat::GLReadWindowPixels(&window, &w, &h));
    ASSERT_EQ(w, 320);
    ASSERT_EQ(h, 240);
    auto at = [&](int x, int y) { return window[size_t(y) * size_t(w) + size_t(x)]; };
    EXPECT_EQ(at(10, 12), 0xFF0000u);
    EXPECT_EQ(at(203, 152), 0xFFFFFFu);
    EXPECT_EQ(at(11, 200), 0x0000FFu);
    EXPECT_EQ(at(204, 152), 0u);
    EXPECT_EQ(at(100, 100), 0u);
    // The same after the host asked for the whole window again.
    plat::InjectPaint();
    PresentPump();
    ASSERT_TRUE(plat::GLReadWindowPixels(&window, &w, &h));
    EXPECT_EQ(at(10, 12), 0xFF0000u);
    EXPECT_EQ(at(203, 152), 0xFFFFFFu);
    EXPECT_EQ(at(11, 200), 0x0000FFu);
}

}  // namespace
