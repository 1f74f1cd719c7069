#include <gtest/gtest.h>

#include <string>

#include "game/system/resultnames.h"
#include "tests/fakes/test_util.h"

namespace {

TEST(DXErrorString, NamesCodesOfEveryComponent) {
    EXPECT_EQ(DXErrorTableSize(), 379);
    EXPECT_STREQ(DXErrorString(int32_t(0x887601C2)), "DDERR_SURFACELOST");
    EXPECT_STREQ(DXErrorString(int32_t(0x80004005)), "E_FAIL (D*ERR_GENERIC)");
    EXPECT_STREQ(DXErrorString(int32_t(0x80070057)), "E_INVALIDARG (D*ERR_INVALIDPARAM)");
    EXPECT_STREQ(DXErrorString(int32_t(0x887602E0)), "D3DERR_INVALIDPRIMITIVETYPE");
    EXPECT_STREQ(DXErrorString(int32_t(0x88780096)), "DSERR_BUFFERLOST");
    EXPECT_STREQ(DXErrorString(int32_t(0x800401F0)), "DDERR_NOTINITIALIZED");
    EXPECT_STREQ(DXErrorString(int32_t(0x88770000 | 30)), "DPERR_BUFFERTOOSMALL");
    EXPECT_STREQ(DXErrorString(int32_t(0x08781091)), "DMUS_S_PARTIALLOAD");
    EXPECT_STREQ(DXErrorString(int32_t(0x8007001E)), "DIERR_INPUTLOST");
    // Success codes shared by several names are listed once.
    EXPECT_STREQ(DXErrorString(1), "DI_BUFFEROVERFLOW");
    EXPECT_STREQ(DXErrorString(0xC), "DI_TRUNCATEDANDRESTARTED");
    EXPECT_STREQ(DXErrorString(int32_t(0x8878113C)), "DMUS_E_WAVEFORMATNOTSUPPORTED");
    // The last entry of the sorted table is found too.
    EXPECT_STREQ(DXErrorString(int32_t(0x88781210)), "DMUS_E_DESCEND_CHUNK_FAIL");
}

TEST(DXErrorString, UnknownCodesShareOneBuffer) {
    EXPECT_STREQ(DXErrorString(0), "unknown HRESULT (0x00000000)");
    const char* first = DXErrorString(int32_t(0x88760001));
    EXPECT_STREQ(first, "unknown HRESULT (0x88760001)");
    const char* second = DXErrorString(int32_t(0xDEADBEEF));
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "unknown HRESULT (0xDEADBEEF)");
}

TEST(DXReport, WarningPrintsTheFiveValues) {
    StdoutCapture out;
    DXReportWarning("dxenum", 42, "DDrawCheckDevice", "DD7_GetAvailableVidRam", int32_t(0x887601C2));
    EXPECT_EQ(out.Text(),
              "Warning: [file dxenum, line 42, func DDrawCheckDevice()]:\n"
              "DirectX call DD7_GetAvailableVidRam() failed: DDERR_SURFACELOST\n");
}

TEST(DXReportDeathTest, FatalEndsTheProgramWithTheErrorForm) {
    EXPECT_FATAL(DXReportFatal("dxdraw", 7, "DDrawFlipBuffers", "DDS7_Flip", int32_t(0x80004005)),
                 "Error: \\[file dxdraw, line 7, func DDrawFlipBuffers\\(\\)\\]:\nDirectX call "
                 "DDS7_Flip\\(\\) failed: E_FAIL \\(D\\*ERR_GENERIC\\)\n");
    // Success codes pass through the check.
    DXCheck(0x08781091, "dxdraw", 1, "f", "label");
}

}  // namespace
