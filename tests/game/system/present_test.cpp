// What the window shows follows what is drawn: only the drawn part is
// repainted, a repaint that changes nothing shows nothing new, and a window
// the host uncovered or resized shows its whole picture again.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "platform/ddraw.h"
#include "platform/glcontext.h"
#include "platform/window.h"
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
        // The window drawn at every picture, as on a screen, so that what it
        // shows checks the drawing of changed rows.
        plat::GLDrawUnseenWindowEveryPicture(true);
        testenv::Start3DCard(WIN_FLAG_WINDOWED, 32);
        // The menus' screen: 24 bits shown on a 32-bit desktop.
        const int mode = GfxFindMode(320, 240, 2);
        ASSERT_GE(mode, 0);
        SetGraphicMode(int16_t(mode), 0);
        PresentPump();
    }
    void TearDown() override {
        testenv::Stop3D();
        plat::GLDrawUnseenWindowEveryPicture(false);
    }

    uint32_t Colour(int r, int g, int b) { return ColConvRGB2Pixel(GfxGetScreenFormat(), r, g, b, 0); }
};

TEST_F(PresentTest, DrawingRepaintsItsOwnPartAndTheRestOfThePictureStays) {
    GfxPutPixel(5, 6, Colour(255, 0, 0));
    std::vector<plat::PaintArea> areas = plat::TakePaintAreas();
    ASSERT_EQ(areas.size(), 1u);
    plat::PaintArea area = areas[0];
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
    std::vector<plat::PaintArea> areas = plat::TakePaintAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].left, 10);
    EXPECT_EQ(areas[0].top, 10);
    EXPECT_EQ(areas[0].right, 52);
    EXPECT_EQ(areas[0].bottom, 62);
    // Areas asked for are cut to the window; far apart they stay apart,
    // close together or overlapping they are joined; taking empties them.
    plat::InvalidateWindowRect(-5, 200, 10, 400);
    plat::InvalidateWindowRect(300, 0, 330, 4);
    plat::InvalidateWindowRect(2, 190, 20, 198);
    areas = plat::TakePaintAreas();
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0].left, 300);
    EXPECT_EQ(areas[0].top, 0);
    EXPECT_EQ(areas[0].right, 320);
    EXPECT_EQ(areas[0].bottom, 4);
    EXPECT_EQ(areas[1].left, 0);
    EXPECT_EQ(areas[1].top, 190);
    EXPECT_EQ(areas[1].right, 20);
    EXPECT_EQ(areas[1].bottom, 240);
    EXPECT_TRUE(plat::TakePaintAreas().empty());
    plat::InvalidateWindowRect(7, 7, 7, 9);  // empty: asks for nothing
    EXPECT_TRUE(plat::TakePaintAreas().empty());
    // Many parts apart become one.
    for (int y = 0; y < 216; y += 24) plat::InvalidateWindowRect(0, y, 1, y + 1);
    areas = plat::TakePaintAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].top, 0);
    EXPECT_EQ(areas[0].bottom, 193);
    plat::InvalidateWindow();
    areas = plat::TakePaintAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].right, 320);
    EXPECT_EQ(areas[0].bottom, 240);
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

namespace {

std::vector<uint32_t> WindowPixels(int* w, int* h) {
    std::vector<uint32_t> window;
    EXPECT_TRUE(plat::GLReadWindowPixels(&window, w, h));
    return window;
}

// A screen wiped from both ends changes two bands far apart in one refresh:
// both show, and what lies between them and beside them on their rows
// stays as it was.
TEST_F(PresentTest, BandsFarApartShowAndWhatLiesBetweenStays) {
    GfxFillRect(0, 100, 320, 40, 0x40);
    GfxPutPixel(150, 5, Colour(0, 255, 0));
    PresentPump();
    GfxFillRect(0, 0, 100, 2, 0xFF);
    GfxFillRect(200, 238, 120, 2, 0xFF);
    GfxPutPixel(300, 5, Colour(255, 0, 0));
    GfxPutPixel(10, 5, Colour(0, 0, 255));
    PresentPump();
    int w = 0, h = 0;
    const std::vector<uint32_t> window = WindowPixels(&w, &h);
    ASSERT_EQ(w, 320);
    ASSERT_EQ(h, 240);
    auto at = [&](int x, int y) { return window[size_t(y) * size_t(w) + size_t(x)]; };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(99, 1), 0xFFFFFFu);
    EXPECT_EQ(at(100, 1), 0u);
    EXPECT_EQ(at(319, 239), 0xFFFFFFu);
    EXPECT_EQ(at(199, 239), 0u);
    EXPECT_EQ(at(120, 120), 0x404040u);
    // One row changed at both ends: its middle keeps what it showed.
    EXPECT_EQ(at(300, 5), 0xFF0000u);
    EXPECT_EQ(at(10, 5), 0x0000FFu);
    EXPECT_EQ(at(150, 5), 0x00FF00u);
    EXPECT_EQ(Presented().At(150, 5), 0x00FF00u);
    EXPECT_EQ(Presented().At(120, 120), 0x404040u);
}

// On a full screen the game draws into the locked screen itself, which
// notes no rectangle: the rows that differ from the ones shown are found,
// and an unlock that changed nothing shows nothing new.
TEST_F(PresentTest, AFullScreenShowsTheRowsItsLocksChanged) {
    testenv::Stop3D();
    testenv::Start3DCard(0, 32);
    const int mode = GfxFindMode(640, 480, 1);
    ASSERT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), 0);
    ASSERT_EQ(DDrawGetDirectDrawSurface(DDSURFACE_DRAWING), DDrawGetDirectDrawSurface(DDSURFACE_PRIMARY));
    GfxFillRect(0, 200, 640, 50, 0x80);
    PresentPump();
    GfxPutPixel(3, 0, Colour(255, 0, 0));
    GfxPutPixel(600, 479, Colour(0, 0, 255));
    PresentPump();
    const PresentedFrame f = Presented();
    ASSERT_EQ(f.width, 640);
    ASSERT_EQ(f.height, 480);
    EXPECT_EQ(f.At(3, 0), 0xFF0000u);
    EXPECT_EQ(f.At(600, 479), 0x0000FFu);
    EXPECT_EQ(f.At(320, 220), 0x841000u);  // 0x80 bytes as 5-6-5 pixels
    EXPECT_EQ(f.At(4, 0), 0u);
    int w = 0, h = 0;
    const std::vector<uint32_t> window = WindowPixels(&w, &h);
    ASSERT_GT(w, 0);
    // The window shows the screen scaled to fit: its middle is the band.
    EXPECT_EQ(window[size_t(h / 2) * size_t(w) + size_t(w / 2)], 0x841000u);

    const int presents = plat::PresentCount();
    GfxPutPixel(3, 0, Colour(255, 0, 0));  // the same colour again
    PresentPump();
    EXPECT_EQ(plat::PresentCount(), presents);
    GfxPutPixel(3, 0, Colour(0, 255, 0));
    PresentPump();
    EXPECT_EQ(plat::PresentCount(), presents + 1);
    EXPECT_EQ(Presented().At(3, 0), 0x00FF00u);
    EXPECT_EQ(Presented().At(600, 479), 0x0000FFu);
}

// A window nobody sees is drawn when it is read: until then no picture is
// drawn, and what it shows then is what drawing every picture would have
// shown, the rows of later pictures drawn over it as they come.
TEST_F(PresentTest, AnUnseenWindowIsDrawnWhenReadAsEveryPictureWouldHaveDrawnIt) {
    plat::GLDrawUnseenWindowEveryPicture(false);
    if (!plat::GLWindowUnseen())
        GTEST_SKIP() << "the window is shown on a display: only an unseen one is drawn when read";
    const uint32_t draws = plat::GLForeignDrawCount();
    GfxFillRect(0, 100, 320, 40, 0x40);
    GfxPutPixel(150, 5, Colour(0, 255, 0));
    PresentPump();
    GfxFillRect(200, 238, 120, 2, 0xFF);
    PresentPump();
    GfxPutPixel(150, 120, Colour(255, 0, 0));
    PresentPump();
    EXPECT_EQ(plat::GLForeignDrawCount(), draws);
    int w = 0, h = 0;
    std::vector<uint32_t> window = WindowPixels(&w, &h);
    ASSERT_EQ(w, 320);
    ASSERT_EQ(h, 240);
    auto at = [&](int x, int y) { return window[size_t(y) * size_t(w) + size_t(x)]; };
    EXPECT_EQ(at(150, 5), 0x00FF00u);
    EXPECT_EQ(at(120, 120), 0x404040u);
    EXPECT_EQ(at(150, 120), 0xFF0000u);
    EXPECT_EQ(at(319, 239), 0xFFFFFFu);
    EXPECT_EQ(at(100, 50), 0u);
    EXPECT_EQ(plat::GLForeignDrawCount(), draws + 1);
    // A read with nothing new draws nothing again.
    window = WindowPixels(&w, &h);
    EXPECT_EQ(plat::GLForeignDrawCount(), draws + 1);

    // Held pictures, then drawing at every picture: the held one goes first
    // and one changed row lands on it.
    GfxPutPixel(10, 5, Colour(0, 0, 255));
    PresentPump();
    plat::GLDrawUnseenWindowEveryPicture(true);
    GfxPutPixel(300, 200, Colour(255, 255, 0));
    PresentPump();
    window = WindowPixels(&w, &h);
    EXPECT_EQ(at(10, 5), 0x0000FFu);
    EXPECT_EQ(at(150, 5), 0x00FF00u);
    EXPECT_EQ(at(300, 200), 0xFFFF00u);
    EXPECT_EQ(at(120, 120), 0x404040u);
}

}  // namespace
