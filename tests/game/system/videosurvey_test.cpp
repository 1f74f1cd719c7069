#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/debug.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "platform/library.h"
#include "tests/fakes/test_util.h"

namespace {

plat::Guid CardGuid(uint32_t n) { return plat::Guid{0xCA4D0000u + n, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}; }

plat::TestCard Card(uint32_t n, uint32_t pass, bool fails = false) {
    plat::TestCard c;
    c.guid = CardGuid(n);
    c.description = "Extra card";
    c.driver = "extra";
    c.pass = pass;
    c.fails_probe = fails;
    return c;
}

class DXEnumTest : public ::testing::Test {
  protected:
    void TearDown() override {
        plat::SetTestCards({});
        plat::SetPrimaryDeviceCountForTests(1);
        plat::SetZBufferFormatsForTests({});
        plat::ClearHiddenLibraries();
        DebugSetLevel(DEBUG_ALL, 0);
    }
};

TEST_F(DXEnumTest, OneCardWithItsDevice) {
    DXEnumDisplay();
    ASSERT_EQ(DDrawGetDeviceCount(), 1u);
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(0);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->guid_ptr, nullptr);
    EXPECT_EQ(card->pass, 1u);
    EXPECT_EQ(card->flags, DDDEVINFO_3DACCELERATED | DDDEVINFO_DESKTOP | DDDEVINFO_WINDOWED);
    EXPECT_GE(card->video_memory, 0x400000u);
    EXPECT_GE(card->texture_memory, 0x1400000u);
    EXPECT_STRNE(card->adapter_description, "");
    EXPECT_EQ(card->device3d_count, 1u);
    const DDraw3DDeviceInfo* d = DDrawGet3DDeviceInfo(0, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(static_cast<const void*>(d), static_cast<const void*>(&d->guid));
    for (uint32_t flag :
         {D3DDEVINFO_HARDWARE, D3DDEVINFO_HARDWARETL, D3DDEVINFO_MIPMAPTEX, D3DDEVINFO_SMOOTHTEX,
          D3DDEVINFO_FOGTABLE, D3DDEVINFO_RENDER16, D3DDEVINFO_RENDER32, D3DDEVINFO_STENCIL32}) {
        EXPECT_NE(d->flags & flag, 0u) << std::hex << flag;
    }
    EXPECT_EQ(d->flags & (D3DDEVINFO_RENDER8 | D3DDEVINFO_STENCIL16), 0u);
    EXPECT_GT(d->max_texture_width, 256u);
    EXPECT_GT(d->max_texture_height, 256u);
    EXPECT_EQ(d->max_texture_aspect_ratio, 0u);
    EXPECT_EQ(DDrawGet3DDeviceInfo(0, 1), nullptr);
    EXPECT_EQ(DDrawGet3DDeviceInfo(0, -1), nullptr);
    EXPECT_EQ(DDrawGetDeviceInfo(1), nullptr);
    EXPECT_EQ(DDrawGetCurrent3DDeviceInfo(), nullptr);  // nothing selected yet
    DDrawSelectDevice(0, 0);
    EXPECT_EQ(DDrawGetCurrent3DDeviceInfo(), d);
    EXPECT_EQ(DDrawGetCurrentDeviceGUID(), nullptr);
    EXPECT_EQ(plat::LiveDirectDrawCount(), 0);
}

TEST_F(DXEnumTest, PassesSkipTheNullDeviceAndFlagTheirCards) {
    plat::SetTestCards({Card(1, 3), Card(2, 2), Card(3, 1)});
    DXEnumDisplay();
    ASSERT_EQ(DDrawGetDeviceCount(), 4u);
    // Pass order: attached, detached, non-display.
    EXPECT_EQ(DDrawGetDeviceInfo(1)->guid.data1, CardGuid(3).data1);
    EXPECT_EQ(DDrawGetDeviceInfo(2)->flags & 0x0F, DDDEVINFO_3DACCELERATED | DDDEVINFO_DESKTOPDISABLED);
    EXPECT_EQ(DDrawGetDeviceInfo(3)->flags & 0x0F, DDDEVINFO_3DACCELERATED | DDDEVINFO_NONDISPLAY);
    DDrawSelectDevice(3, 0);
    EXPECT_EQ(DDrawGetCurrentDeviceGUID(), &DDrawGetDeviceInfo(3)->guid);
}

TEST_F(DXEnumTest, FailedProbeMovesLaterCardsDown) {
    plat::SetTestCards({Card(1, 1), Card(2, 1, true), Card(3, 1), Card(4, 1, true), Card(5, 1)});
    DXEnumDisplay();
    ASSERT_EQ(DDrawGetDeviceCount(), 4u);
    const uint32_t want[3] = {1, 3, 5};
    for (int i = 0; i < 3; ++i) {
        const DDrawDeviceInfo* c = DDrawGetDeviceInfo(i + 1);
        EXPECT_EQ(c->guid.data1, CardGuid(want[i]).data1);
        EXPECT_EQ(c->guid_ptr, &c->guid);
        EXPECT_EQ(c->device3d_count, 1u);  // probed after moving
    }
}

TEST_F(DXEnumTest, SeventeenthCardAndDeviceAreIgnored) {
    std::vector<plat::TestCard> cards;
    for (uint32_t n = 1; n <= 16; ++n) cards.push_back(Card(n, 3));
    plat::SetTestCards(cards);
    plat::SetPrimaryDeviceCountForTests(17);
    StdoutCapture out;
    DXEnumDisplay();
    EXPECT_EQ(out.Text(), "");
    EXPECT_EQ(DDrawGetDeviceCount(), 16u);
    EXPECT_EQ(DDrawGetDeviceInfo(15)->guid.data1, CardGuid(15).data1);
    EXPECT_EQ(DDrawGetDeviceInfo(0)->device3d_count, 16u);
}

TEST_F(DXEnumTest, StencilFlagsComeFromTheWholeDepth) {
    plat::PixelFormat z24;
    z24.flags = plat::kPfZBuffer;
    z24.bit_count = 24;
    plat::PixelFormat z24s8 = z24;
    z24s8.flags |= plat::kPfStencilBuffer;
    z24s8.bit_count = 32;
    z24s8.stencil_depth = 8;
    plat::PixelFormat z15s1 = z24s8;
    z15s1.bit_count = 16;
    z15s1.stencil_depth = 1;
    plat::PixelFormat odd = z24s8;
    odd.bit_count = 12;
    plat::SetZBufferFormatsForTests({z24});
    DXEnumDisplay();
    EXPECT_EQ(DDrawGet3DDeviceInfo(0, 0)->flags & 0x0F000000u, 0u);

    plat::SetZBufferFormatsForTests({z24, z24s8, z15s1, odd});
    StdoutCapture out;
    DXEnumDisplay();
    EXPECT_EQ(out.Text(), "Warning: DDrawZBufferFormatsCallback(): unknown zbuffer depth: 12 bits\n");
    EXPECT_EQ(DDrawGet3DDeviceInfo(0, 0)->flags & 0x0F000000u, D3DDEVINFO_STENCIL32 | D3DDEVINFO_STENCIL16);
}

TEST_F(DXEnumTest, OptionalInformationFailuresAreWarnings) {
    plat::FailNextCall("GetAvailableVidMem", plat::kDdErrSurfaceLost);
    plat::FailNextCall("EnumDevices", plat::kErrFail);
    StdoutCapture out;
    DXEnumDisplay();
    std::string text = out.Text();
    EXPECT_NE(text.find("Warning: [file dxenum, line "), std::string::npos);
    EXPECT_NE(text.find("func DDrawCheckDevice()]:\nDirectX call DD7_GetAvailableVidRam() failed: "
                        "DDERR_SURFACELOST\n"),
              std::string::npos);
    EXPECT_NE(text.find("DirectX call D3D7_EnumDevices() failed: E_FAIL (D*ERR_GENERIC)\n"),
              std::string::npos);
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(0);
    EXPECT_EQ(card->video_memory, 0u);
    EXPECT_GT(card->texture_memory, 0u);
    EXPECT_EQ(card->device3d_count, 0u);
}

TEST_F(DXEnumTest, DeviceListingWrapsItsFlagNames) {
    DebugSetLevel(DEBUG_DIRECT3D, 90);
    StdoutCapture out;
    DXEnumDisplay();
    std::string text = out.Text();
    size_t start = text.find("D3DDEVINFO_* flags: ");
    ASSERT_NE(start, std::string::npos);
    size_t end = text.find("Max texture size: 2048x2048   Min texture size: 1x1\n", start);
    ASSERT_NE(end, std::string::npos);
    std::string listing = text.substr(start, end - start);
    EXPECT_EQ(listing,
              "D3DDEVINFO_* flags: HARDWARE, HARDWARETL, SUBPIXEL, MIPMAPTEX, SMOOTHTEX, \n"
              "RENDER16, RENDER24, RENDER32, ZBUFFER16, ZBUFFER24, ZBUFFER32, \n");
    EXPECT_NE(text.find("Max texture aspect ratio: 0\n"), std::string::npos);
}

TEST_F(DXEnumTest, CardFailingItsIdentifierIsDropped) {
    plat::SetTestCards({Card(1, 1)});
    plat::FailNextCall("GetDeviceIdentifier", plat::kErrFail);
    DXEnumDisplay();
    ASSERT_EQ(DDrawGetDeviceCount(), 1u);
    EXPECT_EQ(DDrawGetDeviceInfo(0)->guid.data1, CardGuid(1).data1);
}

TEST_F(DXEnumTest, MissingDisplayLibraryIsFatal) {
    EXPECT_FATAL(
        {
            plat::HideLibraryExport("ddraw.dll", nullptr);
            DXEnumDisplay();
        },
        "Error: DDRAW.DLL not found - please install DirectX7 or above\n");
    EXPECT_FATAL(
        {
            plat::HideLibraryExport("ddraw.dll", "DirectDrawCreateEx");
            DXEnumDisplay();
        },
        "Error: DirectX7 or above not found.\n\nThis program requires DirectX7 or higher to be "
        "installed.");
    EXPECT_FATAL(
        {
            plat::HideLibraryExport("ddraw.dll", "DirectDrawEnumerateExA");
            DXEnumDisplay();
        },
        "DirectDrawPreInitDevices\\(\\): DirectDrawEnumerateEx\\(\\) not found in DDRAW.DLL");
    EXPECT_FATAL(
        {
            plat::FailNextCall("DirectDrawEnumerateEx", plat::kErrOutOfMemory);
            DXEnumDisplay();
        },
        "func DXEnumDisplay\\(\\)\\]:\nDirectX call DDEnumerateEx\\(\\) failed: E_OUTOFMEMORY");
}

}  // namespace
