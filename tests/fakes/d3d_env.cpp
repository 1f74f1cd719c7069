#include "tests/fakes/d3d_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "core/base/trackedmemory.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/picture.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace testenv {

void Start3DCard(uint32_t windowFlags, uint32_t desktopBits) {
    plat::SetDesktopBitsForTests(desktopBits);
    WinResetForTests();
    WinInit(nullptr, "Halvorn test", windowFlags);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    {
        StdoutCapture quiet;
        GfxInit(GFXINIT_3D);
        quiet.Text();
    }
}

void Start3D(int width, int height) {
    Start3DCard();
    const int mode = GfxFindMode(width, height, 3);
    ASSERT_GE(mode, 0) << "no mode of " << width << "x" << height;
    SetGraphicMode(int16_t(mode), GFX_3D | GFX_ZBUFFER | GFX_DOUBLEBUFFER);
}

void Stop3D() {
    if (GfxIsModeSet()) RestoreGraphicMode();
    if (GfxIsInitialised()) GfxUninit();
    WinResetForTests();
    plat::SetDesktopBitsForTests(0);
    EXPECT_EQ(plat::LiveSurfaceCount(), 0);
}

Frame GrabFrame(const std::string& file_name) {
    Frame frame;
    const int width = int(GfxGetScreenWidth()), height = int(GfxGetScreenHeight());
    SaveScreenTGA(file_name.c_str(), 0, 0, width, height);
    const std::vector<uint8_t> bytes = ReadHostFile(file_name);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, bytes.data(), bytes.size());
    uint32_t size = uint32_t(bytes.size());
    const bool read = LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8) == 0 &&
                      size == GFX0_HEADER_SIZE + uint32_t(width * height * 4);
    EXPECT_TRUE(read) << file_name;
    if (read) {
        frame.width = width;
        frame.height = height;
        frame.pixels.resize(size_t(width) * size_t(height));
        std::memcpy(frame.pixels.data(), block + GFX0_HEADER_SIZE, frame.pixels.size() * 4);
        for (uint32_t& p : frame.pixels) p &= 0xFFFFFF;
    }
    FreeMemory(&block);
    return frame;
}

int ColourDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift : {16, 8, 0}) {
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return worst;
}

Matrix Orthographic(float x0, float x1, float y0, float y1, float far) {
    Matrix m{};
    m.m[0][0] = 2.0f / (x1 - x0);
    m.m[1][1] = 2.0f / (y1 - y0);
    m.m[2][2] = 1.0f / far;
    m.m[3][0] = -(x1 + x0) / (x1 - x0);
    m.m[3][1] = -(y1 + y0) / (y1 - y0);
    m.m[3][3] = 1.0f;
    return m;
}

}  // namespace testenv
