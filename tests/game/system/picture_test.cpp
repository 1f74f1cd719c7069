#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The picture every outside-written file holds, top row first, 0xAARRGGBB.
// Channel levels are exact in 5 bits so the 16-bit files keep them.
constexpr int kPictureW = 3, kPictureH = 2;
constexpr uint32_t kPicture[kPictureW * kPictureH] = {0xFFFF00FF, 0xFF84FF00, 0xFF0084FF,
                                                      0xFFFFFFFF, 0xFF008484, 0xFF000000};

char g_temp_dir[] = "/tmp/halvorn-picture-XXXXXX";

std::string TempDir() {
    static bool made = [] {
        if (mkdtemp(g_temp_dir) == nullptr) return false;
        std::atexit([] { std::system((std::string("rm -rf ") + g_temp_dir).c_str()); });
        return true;
    }();
    EXPECT_TRUE(made);
    return g_temp_dir;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadPictureFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Converts the test picture with ImageMagick; rows are flipped for the
// bottom-up files because its writer stores the raster as it is.
Bytes Converted(const std::string& options, bool top_down) {
    std::string source = TempDir() + "/in.pam";
    Bytes pam;
    std::string header = "P7\nWIDTH 3\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    pam.assign(header.begin(), header.end());
    for (uint32_t p : kPicture) {
        pam.insert(pam.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
    WriteFile(source, pam);
    std::string out = TempDir() + "/out.tga";
    std::string command =
        "convert " + source + (top_down ? " -orient TopLeft " : " -flip ") + options + " " + out;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadPictureFile(out);
}

Bytes Header(uint8_t type, int width, int height, int depth, uint8_t descriptor) {
    Bytes h(18, 0);
    h[2] = type;
    h[12] = uint8_t(width);
    h[13] = uint8_t(width >> 8);
    h[14] = uint8_t(height);
    h[15] = uint8_t(height >> 8);
    h[16] = uint8_t(depth);
    h[17] = descriptor;
    return h;
}

uint32_t Pixel32(const uint8_t* block, size_t index) {
    uint32_t v;
    std::memcpy(&v, block + GFX0_HEADER_SIZE + index * 4, 4);
    return v;
}

class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override { InitMemory(64 * 1024); }
    void TearDown() override {
        if (block_ != nullptr) FreeMemory(&block_);
        if (widths_ != nullptr) FreeMemory(&widths_);
        UninitMemory();
    }
    void Load(const Bytes& bytes) {
        if (block_ != nullptr) FreeMemory(&block_);
        AllocateMemory(&block_, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
        std::memcpy(block_, bytes.data(), bytes.size());
        size_ = uint32_t(bytes.size());
    }
    Bytes Contents() const { return Bytes(block_, block_ + size_); }
    void ExpectPicture(const std::string& what) {
        ASSERT_EQ(size_, GFX0_HEADER_SIZE + kPictureW * kPictureH * 4) << what;
        EXPECT_EQ(std::memcmp(block_, "GFX0\x03\x00\x02\x00\x01\x00\0\0\0\0\0\0", 16), 0) << what;
        for (int i = 0; i < kPictureW * kPictureH; ++i) {
            EXPECT_EQ(Pixel32(block_, size_t(i)), kPicture[i]) << what << " pixel " << i;
        }
    }
    uint8_t* block_ = nullptr;
    uint8_t* widths_ = nullptr;
    uint32_t size_ = 0;
};

TEST_F(PictureTest, OutsideFilesOfEveryKindLoadWithTheirPixels) {
    // Alpha off everywhere but the 32-bit files, so every pixel is opaque.
    struct Case {
        const char* options;
        bool top_down;
    } cases[] = {
        {"-alpha off -type TrueColor", false},
        {"-alpha off -type TrueColor", true},
        {"-alpha off -type TrueColor -compress RLE", false},
        {"-alpha on", false},
        {"-alpha on -compress RLE", true},
        {"-alpha off -depth 5", false},
        {"-alpha off -depth 5 -compress RLE", true},
        {"-alpha off -type Palette", false},
        {"-alpha off -type Palette -compress RLE", false},
        {"-alpha off -type Palette -compress RLE", true},
    };
    for (const Case& c : cases) {
        std::string what = std::string(c.options) + (c.top_down ? " top-down" : " bottom-up");
        Load(Converted(c.options, c.top_down));
        ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), 0) << what;
        ExpectPicture(what);
    }
}

// Black-and-white images are neither colour-mapped nor true colour: the
// loader refuses them, whether run-length encoded or not.
TEST_F(PictureTest, GreyFilesAreRefused) {
    Bytes pgm = {'P', '5', '\n', '2', ' ', '2', '\n', '2', '5', '5', '\n', 0, 0x40, 0x80, 0xFF};
    WriteFile(TempDir() + "/grey.pgm", pgm);
    for (const char* options : {"-type Grayscale", "-type Grayscale -compress RLE"}) {
        std::string out = TempDir() + "/grey.tga";
        std::string command = "convert " + TempDir() + "/grey.pgm -flip " + options + " " + out;
        ASSERT_EQ(std::system(command.c_str()), 0);
        Load(ReadPictureFile(out));
        ASSERT_EQ(block_[2] & 7, TGA_TYPE_GREY);
        const Bytes grey = Contents();
        StdoutCapture colours;
        EXPECT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), -1) << options;
        EXPECT_EQ(colours.Text(), "Warning: TGA_ConvertDepth(): not a true-colour image\n") << options;
        Load(grey);
        StdoutCapture indexes;
        EXPECT_EQ(LoadImageFile(&block_, &size_, 0, nullptr), -1) << options;
        EXPECT_EQ(indexes.Text(), "Warning: TGA_Read(): colour indexes asked of an image that has none\n")
            << options;
    }
}

TEST_F(PictureTest, BottomUpTrueColourWithKeyingAndA16BitTarget) {
    Load(Converted("-alpha off -type TrueColor", false));
    ASSERT_EQ(block_[17] & TGA_DESC_TOP_BOTTOM, 0);
    ASSERT_EQ(LoadImageFile(&block_, &size_, LOADIMAGE_TRANSPARENT, &ColFmt_A8R8G8B8), 0);
    EXPECT_EQ(Pixel32(block_, 0), 0u);  // magenta
    for (int i = 1; i < kPictureW * kPictureH; ++i) EXPECT_EQ(Pixel32(block_, size_t(i)), kPicture[i]);

    Load(Converted("-alpha off -type TrueColor", true));
    uint32_t w = 0, h = 0;
    ASSERT_EQ(TGA_Read(&block_, &size_, &w, &h, 0, &ColFmt_R5G6B5, 4), 0);
    EXPECT_EQ(w, 3u);
    EXPECT_EQ(h, 2u);
    ASSERT_EQ(size_, 4u + 6 * 2);
    uint16_t second;
    std::memcpy(&second, block_ + 4 + 2, 2);
    EXPECT_EQ(second, ColConvRGB2Pixel(&ColFmt_R5G6B5, 0x84, 0xFF, 0x00, 255));
}

TEST_F(PictureTest, ColourMappedWithoutFormatGivesIndexes) {
    Load(Converted("-alpha off -type Palette -compress RLE", false));
    ASSERT_EQ(TGA_Read(&block_, &size_, nullptr, nullptr, 0, nullptr, 16), 0);
    ASSERT_EQ(size_, 16u + kPictureW * kPictureH);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(block_[i], 0);
    // Equal colours give equal indexes, different ones different indexes.
    for (int i = 0; i < kPictureW * kPictureH; ++i) {
        for (int j = 0; j < kPictureW * kPictureH; ++j) {
            EXPECT_EQ(block_[16 + i] == block_[16 + j], kPicture[i] == kPicture[j]);
        }
    }
    // A true-colour file has no indexes to give.
    Load(Converted("-alpha off -type TrueColor", true));
    EXPECT_EQ(TGA_Read(&block_, &size_, nullptr, nullptr, 0, nullptr, 16), -1);
}

TEST_F(PictureTest, SixteenBitAlphaBitAndWideningOfChannels) {
    Bytes tga = Header(TGA_TYPE_TRUECOLOUR, 2, 1, 16, 0x21);  // one alpha bit, top-down
    tga.insert(tga.end(), {0xFF, 0x7F, 0x1F, 0x80});          // 0x7FFF, 0x801F
    Load(tga);
    ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), 0);
    EXPECT_EQ(Pixel32(block_, 0), 0x00FFFFFFu);  // bit 15 clear: alpha 0
    EXPECT_EQ(Pixel32(block_, 1), 0xFF0000FFu);

    // Converting down and back keeps what 5 bits and one alpha bit hold.
    Load(Converted("-alpha on", true));
    ASSERT_EQ(TGA_ConvertDepth(&block_, &size_, 16), 0);
    EXPECT_EQ(block_[16], 16);
    EXPECT_EQ(block_[17] & TGA_DESC_ATTRIBUTE_BITS, 1);
    ASSERT_EQ(TGA_ConvertDepth(&block_, &size_, 24), 0);
    ASSERT_EQ(TGA_ConvertDepth(&block_, &size_, 15), 0);
    ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), 0);
    EXPECT_EQ(Pixel32(block_, 2), 0xFF0084FFu);
    EXPECT_EQ(TGA_ConvertDepth(&block_, &size_, 8), -1);
}

TEST_F(PictureTest, OutOfRangeIndexesTakeTheFirstEntry) {
    Bytes tga = Header(TGA_TYPE_COLOURMAP, 3, 1, 8, 0x20);
    tga[1] = 1;
    tga[3] = 5;  // the map starts at index 5
    tga[5] = 2;
    tga[7] = 24;
    tga.insert(tga.end(), {0x10, 0x20, 0x30, 0x40, 0x50, 0x60});  // two entries, B G R
    tga.insert(tga.end(), {6, 4, 7});
    Load(tga);
    DebugSetLevel(DEBUG_GRAPHICS, 10);
    StdoutCapture out;
    ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), 0);
    std::string log = out.Text();
    DebugSetLevel(DEBUG_GRAPHICS, 0);
    EXPECT_NE(log.find("Warning: TGA_Palette2Direct(): pixel 1 out of range\n"), std::string::npos);
    EXPECT_NE(log.find("pixel 2 out of range"), std::string::npos);
    EXPECT_NE(log.find("2 pixels (the first is pixel 1) have colour indexes outside"), std::string::npos);
    EXPECT_EQ(Pixel32(block_, 0), 0xFF605040u);
    EXPECT_EQ(Pixel32(block_, 1), 0xFF302010u);
    EXPECT_EQ(Pixel32(block_, 2), 0xFF302010u);
}

TEST_F(PictureTest, ExportPaletteConvertsTheFirstEntries) {
    Load(Converted("-alpha off -type Palette", true));
    const uint16_t entries = uint16_t(block_[5] | block_[6] << 8);
    ASSERT_GE(entries, 2);
    Bytes map(block_ + 18, block_ + 18 + 3 * 2);
    ASSERT_EQ(TGA_ExportPalette(&block_, &size_, 2, &ColFmt_A8R8G8B8), 0);
    ASSERT_EQ(size_, 8u);
    uint32_t second;
    std::memcpy(&second, block_ + 4, 4);
    EXPECT_EQ(second, 0xFF000000u | uint32_t(map[5]) << 16 | uint32_t(map[4]) << 8 | map[3]);

    Load(Converted("-alpha off -type Palette", true));
    Bytes before = Contents();
    EXPECT_EQ(TGA_ExportPalette(&block_, &size_, 2, nullptr), -1);
    EXPECT_EQ(TGA_ExportPalette(&block_, &size_, uint32_t(entries) + 1, &ColFmt_A8R8G8B8), -1);
    EXPECT_EQ(Contents(), before);
    Load(Converted("-alpha off -type TrueColor", true));
    EXPECT_EQ(TGA_ExportPalette(&block_, &size_, 1, &ColFmt_A8R8G8B8), -1);
}

TEST_F(PictureTest, StepsWithNothingToDoSayOne) {
    Load(Converted("-alpha off -type TrueColor", true));
    Bytes before = Contents();
    EXPECT_EQ(TGA_Decompress(&block_, &size_), 1);
    EXPECT_EQ(TGA_SetOrigin(&block_, &size_, 1), 1);
    EXPECT_EQ(TGA_Palette2Direct(&block_, &size_), 1);
    EXPECT_EQ(Contents(), before);
    // Turning it bottom-up and back gives the same file.
    ASSERT_EQ(TGA_SetOrigin(&block_, &size_, 0), 0);
    EXPECT_NE(Contents(), before);
    ASSERT_EQ(TGA_SetOrigin(&block_, &size_, 1), 0);
    EXPECT_EQ(Contents(), before);
}

TEST_F(PictureTest, DebugPrintNamesTheFields) {
    Bytes tga = Header(TGA_TYPE_RLE_TRUECOLOUR, 640, 480, 24, 0x28);
    StdoutCapture out;
    TGA_DebugPrintHeader(tga.data());
    std::string text = out.Text();
    EXPECT_NE(text.find(" ImageType: RLE true-colour image\n"), std::string::npos);
    EXPECT_NE(text.find(" ColMapType: no colour map\n"), std::string::npos);
    EXPECT_NE(text.find(" Image size: 640,480\n"), std::string::npos);
    EXPECT_NE(text.find("  AttributeBits: 8\n"), std::string::npos);
    EXPECT_NE(text.find("  Origin: top-bottom\n"), std::string::npos);
    tga[2] = 42;
    StdoutCapture again;
    TGA_DebugPrintHeader(tga.data());
    EXPECT_NE(again.Text().find("UNKNOWN IMAGE TYPE 42"), std::string::npos);
}

// ---- Files written from every corner --------------------------------------

// The test picture as a TGA written from the corner the descriptor names:
// bit 5 clear stores the bottom row first, bit 4 set stores each row right
// to left.  Colour-mapped files carry one map entry per pixel, from map
// index 2, so index i + 2 is pixel i's colour.
Bytes TgaFromCorner(uint8_t originBits, bool colourMapped, bool rle) {
    const uint8_t type = colourMapped ? (rle ? TGA_TYPE_RLE_COLOURMAP : TGA_TYPE_COLOURMAP)
                                      : (rle ? TGA_TYPE_RLE_TRUECOLOUR : TGA_TYPE_TRUECOLOUR);
    Bytes tga = Header(type, kPictureW, kPictureH, colourMapped ? 8 : 32,
                       uint8_t(originBits | (colourMapped ? 0 : 8)));
    auto putBgra = [&tga](uint32_t argb) {
        tga.insert(tga.end(), {uint8_t(argb), uint8_t(argb >> 8), uint8_t(argb >> 16), uint8_t(argb >> 24)});
    };
    if (colourMapped) {
        tga[1] = 1;
        tga[3] = 2;  // first map index
        tga[5] = kPictureW * kPictureH;
        tga[7] = 32;
        for (uint32_t p : kPicture) putBgra(p);
    }
    for (int row = 0; row < kPictureH; ++row) {
        const int y = (originBits & TGA_DESC_TOP_BOTTOM) ? row : kPictureH - 1 - row;
        for (int column = 0; column < kPictureW; ++column) {
            const int x = (originBits & TGA_DESC_RESERVED1) ? kPictureW - 1 - column : column;
            if (rle) tga.push_back(0);  // a literal packet of one pixel
            if (colourMapped) {
                tga.push_back(uint8_t(y * kPictureW + x + 2));
            } else {
                putBgra(kPicture[y * kPictureW + x]);
            }
        }
    }
    return tga;
}

TEST_F(PictureTest, FilesWrittenFromEveryCornerLoadTheSamePicture) {
    for (uint8_t origin : {0x00, 0x10, 0x20, 0x30}) {
        for (bool colourMapped : {false, true}) {
            for (bool rle : {false, true}) {
                std::string what = "origin bits " + std::to_string(origin) +
                                   (colourMapped ? " colour-mapped" : " true-colour") + (rle ? " RLE" : "");
                Load(TgaFromCorner(origin, colourMapped, rle));
                ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), 0) << what;
                ExpectPicture(what);
            }
        }
        // Colour indexes come in the same order as the colours.
        Load(TgaFromCorner(origin, true, false));
        ASSERT_EQ(TGA_Read(&block_, &size_, nullptr, nullptr, 0, nullptr, 0), 0);
        ASSERT_EQ(size_, uint32_t(kPictureW * kPictureH));
        for (int i = 0; i < kPictureW * kPictureH; ++i)
            EXPECT_EQ(block_[i], i + 2) << int(origin) << " pixel " << i;
    }
}

// Only a colour-mapped image may carry a colour map.  Grey levels are of a
// depth a colour map could take, so only the image type refuses them.
TEST_F(PictureTest, AFileOtherThanColourMappedCarryingAColourMapIsRefused) {
    Bytes grey = Header(TGA_TYPE_GREY, 2, 1, 8, 0x20);
    grey.insert(grey.end(), {0, 1});
    for (const Bytes& plain : {TgaFromCorner(0x20, false, false), TgaFromCorner(0x20, false, true), grey}) {
        Bytes tga(plain.begin(), plain.begin() + 18);
        tga[1] = 1;
        tga[5] = 3;  // three entries of 24 bits the pixels never use
        tga[7] = 24;
        tga.insert(tga.end(), 9, 0xEE);
        tga.insert(tga.end(), plain.begin() + 18, plain.end());
        Load(tga);
        StdoutCapture out;
        EXPECT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), -1) << int(plain[2]);
        EXPECT_EQ(out.Text(), "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n")
            << int(plain[2]);
    }
}

TEST_F(PictureTest, IndexesPastTheColourMapAreClampedAndSaidAtAnyLevel) {
    Bytes tga = TgaFromCorner(0x20, true, false);
    tga[18 + kPictureW * kPictureH * 4 + 4] = 200;  // pixel 4 points past the map
    tga[18 + kPictureW * kPictureH * 4 + 5] = 1;    // pixel 5 before its start
    Load(tga);
    StdoutCapture out;
    ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), 0);
    EXPECT_EQ(
        out.Text(),
        "Warning: TGA_Palette2Direct(): 2 pixels (the first is pixel 4) have colour indexes outside the "
        "colour map; they take its first entry\n");
    EXPECT_EQ(Pixel32(block_, 3), kPicture[3]);
    EXPECT_EQ(Pixel32(block_, 4), kPicture[0]);
    EXPECT_EQ(Pixel32(block_, 5), kPicture[0]);
}

TEST_F(PictureTest, EveryRefusalSaysWhy) {
    Bytes good = TgaFromCorner(0x20, false, false);
    auto with = [&good](size_t at, uint8_t value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    const Bytes rle = TgaFromCorner(0x20, false, true);
    Bytes noImageBottomUp = with(2, TGA_TYPE_NONE);
    noImageBottomUp[17] = 0;
    Bytes oddMap = TgaFromCorner(0x20, true, false);
    oddMap[1] = 7;
    // Larger than a block may be: refused before its packets are counted.
    Bytes huge = Header(TGA_TYPE_RLE_TRUECOLOUR, 65535, 65535, 32, 0x20);
    huge.insert(huge.end(), {0xFF, 1, 2, 3, 4});
    Bytes mapPastTheEnd = TgaFromCorner(0x20, true, true);
    mapPastTheEnd[5] = 200;  // the map would end far beyond the file
    const Bytes bottomUp = TgaFromCorner(0x00, false, false);
    Bytes mapOfBytes = TgaFromCorner(0x20, true, false);
    mapOfBytes[7] = 8;  // six entries of one byte: the pixels follow earlier
    mapOfBytes.erase(mapOfBytes.begin() + 18 + 6, mapOfBytes.begin() + 18 + 6 * 4);
    Bytes noEntries = TgaFromCorner(0x20, true, false);
    noEntries[5] = 0;
    noEntries.erase(noEntries.begin() + 18, noEntries.begin() + 18 + 6 * 4);
    struct Case {
        const char* what;
        Bytes file;
        const char* message;
    } cases[] = {
        {"run-length picture too large", huge, "Warning: TGA_Decompress(): image too large\n"},
        {"run-length colour map past the end", mapPastTheEnd,
         "Warning: TGA_Decompress(): image ID or colour map runs past the end of the file\n"},
        {"bottom-up pixels cut", Bytes(bottomUp.begin(), bottomUp.end() - 1),
         "Warning: TGA_SetOrigin(): pixel data missing\n"},
        {"colour map of 8-bit entries", mapOfBytes,
         "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n"},
        {"colour map of no entries", noEntries,
         "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n"},
        {"short header", Bytes(good.begin(), good.begin() + 17),
         "Warning: TGA_Read(): file shorter than the 18-byte TGA header\n"},
        {"width 0", with(12, 0), "Warning: TGA_Read(): image of width or height 0\n"},
        {"height 0", with(14, 0), "Warning: TGA_Read(): image of width or height 0\n"},
        {"no image", with(2, TGA_TYPE_NONE), "Warning: TGA_ConvertDepth(): not a true-colour image\n"},
        {"no image, bottom-up", noImageBottomUp, "Warning: TGA_SetOrigin(): not an uncompressed image\n"},
        {"pixels cut", Bytes(good.begin(), good.end() - 1),
         "Warning: TGA_ConvertDepth(): pixel data missing\n"},
        {"depth 12", with(16, 12), "Warning: TGA_Read(): pixel depth other than 15, 16, 24 or 32 bits\n"},
        {"interleaved", with(17, 0x68), "Warning: TGA_Read(): interleaved rows\n"},
        {"packets cut", Bytes(rle.begin(), rle.end() - 1),
         "Warning: TGA_Decompress(): run-length data ends early\n"},
        {"unknown colour-map type", oddMap, "Warning: TGA_Palette2Direct(): unknown colour-map type\n"},
    };
    for (const Case& c : cases) {
        Load(c.file);
        StdoutCapture out;
        EXPECT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), -1) << c.what;
        EXPECT_EQ(out.Text(), c.message) << c.what;
    }
    Load(good);
    StdoutCapture out;
    EXPECT_EQ(TGA_Read(&block_, &size_, nullptr, nullptr, 0, nullptr, 0), -1);
    EXPECT_EQ(out.Text(), "Warning: TGA_Read(): colour indexes asked of an image that has none\n");
}

// ---- Refused input -------------------------------------------------------

// A depth no step reads is refused before the rows are turned: the file is
// left as it came.  The first is the fuzz corpus's picture of 65000 x 65000
// pixels of depth 0 stored right to left, which passed every size check
// (its pixels take no bytes) and had the rows mirrored pixel by pixel.
TEST_F(PictureTest, DepthsNoStepReadsAreRefusedBeforeAnyRowIsTouched) {
    const Bytes fuzzInput = ReadPictureFile(HALVORN_SOURCE_DIR "/fuzz/corpus/tga/depth0-mirrored.tga");
    ASSERT_EQ(fuzzInput.size(), 39u);
    const Bytes mirroredDepth0(fuzzInput.begin() + 1, fuzzInput.end());  // the target's mode byte dropped
    auto withDepth = [](uint8_t type, uint8_t depth) {
        Bytes b = Header(type, 2, 2, depth, 0x10);  // bottom-up, right to left: both turns due
        b.insert(b.end(), 64, 0x5A);
        return b;
    };
    const char* kTrueColour = "Warning: TGA_Read(): pixel depth other than 15, 16, 24 or 32 bits\n";
    struct Case {
        const char* what;
        Bytes file;
        const char* message;
    } cases[] = {
        {"fuzz input", mirroredDepth0, kTrueColour},
        {"true colour of 8 bits", withDepth(TGA_TYPE_TRUECOLOUR, 8), kTrueColour},
        {"RLE true colour of 0 bits", withDepth(TGA_TYPE_RLE_TRUECOLOUR, 0), kTrueColour},
        {"colour indexes of 16 bits", withDepth(TGA_TYPE_COLOURMAP, 16),
         "Warning: TGA_Read(): colour indexes of other than 1 to 8 bits\n"},
        {"grey of 0 bits", withDepth(TGA_TYPE_GREY, 0),
         "Warning: TGA_Read(): grey levels other than 8 bits\n"},
    };
    for (const Case& c : cases) {
        for (const ColFmt* format : {&ColFmt_A8R8G8B8, static_cast<const ColFmt*>(nullptr)}) {
            Load(c.file);
            StdoutCapture out;
            EXPECT_EQ(format != nullptr ? LoadImageFile(&block_, &size_, 0, format)
                                        : TGA_Read(&block_, &size_, nullptr, nullptr, 0, nullptr, 0),
                      -1)
                << c.what;
            EXPECT_EQ(out.Text(), c.message) << c.what;
            EXPECT_EQ(Contents(), c.file) << c.what;
        }
    }
    // The steps on their own turn no rows of depth 0 either.
    Load(mirroredDepth0);
    StdoutCapture out;
    EXPECT_EQ(TGA_SetOrigin(&block_, &size_, 0), -1);
    EXPECT_EQ(out.Text(), "Warning: TGA_SetOrigin(): pixel depth 0\n");
    EXPECT_EQ(Contents(), mirroredDepth0);
}

// Each damaged file is refused by the check for its damage, read for
// colours and read for colour indexes.
TEST_F(PictureTest, DamagedFilesAreRefusedWithoutOverrun) {
    Bytes good = Converted("-alpha on", true);
    Bytes rle = Converted("-alpha on -compress RLE", true);
    Bytes huge = Header(TGA_TYPE_RLE_TRUECOLOUR, 65535, 65535, 32, 0x20);
    huge.insert(huge.end(), {0xFF, 1, 2, 3, 4});
    Bytes raw_huge = Header(TGA_TYPE_TRUECOLOUR, 65535, 65535, 32, 0x20);
    Bytes map = Header(TGA_TYPE_COLOURMAP, 2, 1, 8, 0x20);
    map[1] = 1;
    map[5] = 200;
    map[7] = 24;
    map.insert(map.end(), {0, 0});
    Bytes oddMap = map;
    oddMap[5] = 1;
    oddMap[7] = 8;
    oddMap.push_back(0);
    Bytes no_depth = Header(TGA_TYPE_COLOURMAP, 2, 1, 0, 0);
    Bytes unknown = Header(7, 1, 1, 32, 0x20);
    unknown.insert(unknown.end(), 4, 0);
    Bytes none = Header(TGA_TYPE_NONE, 1, 1, 32, 0x20);
    none.insert(none.end(), 4, 0);
    Bytes interleaved = Header(TGA_TYPE_TRUECOLOUR, 1, 1, 32, 0x60);
    interleaved.insert(interleaved.end(), 4, 0);
    Bytes rle_bottom = Header(TGA_TYPE_RLE_GREY, 1, 1, 12, 0);
    rle_bottom.insert(rle_bottom.end(), {0x80, 1, 2});

    const char* kNoIndexes = "Warning: TGA_Read(): colour indexes asked of an image that has none\n";
    const char* kNotTrueColour = "Warning: TGA_ConvertDepth(): not a true-colour image\n";
    struct Case {
        const char* what;
        Bytes file;
        const char* colours;  // null: the file reads
        const char* indexes;
    } cases[] = {
        {"short header", Bytes(good.begin(), good.begin() + 17),
         "Warning: TGA_Read(): file shorter than the 18-byte TGA header\n",
         "Warning: TGA_Read(): file shorter than the 18-byte TGA header\n"},
        {"truncated pixels", Bytes(good.begin(), good.end() - 1),
         "Warning: TGA_ConvertDepth(): pixel data missing\n", kNoIndexes},
        {"packets past the end", Bytes(rle.begin(), rle.end() - 2),
         "Warning: TGA_Decompress(): run-length data ends early\n",
         "Warning: TGA_Decompress(): run-length data ends early\n"},
        {"size overflow", huge, "Warning: TGA_Decompress(): image too large\n",
         "Warning: TGA_Decompress(): image too large\n"},
        {"raw size overflow", raw_huge, "Warning: TGA_ConvertDepth(): pixel data missing\n", kNoIndexes},
        {"colour map does not fit", map, "Warning: TGA_Palette2Direct(): colour map or pixel data missing\n",
         "Warning: TGA_Read(): pixel data missing\n"},
        // Indexes need no colours from the map.
        {"colour map of 8-bit entries", oddMap,
         "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n", nullptr},
        {"colour-mapped of depth 0", no_depth,
         "Warning: TGA_Read(): colour indexes of other than 1 to 8 bits\n",
         "Warning: TGA_Read(): colour indexes of other than 1 to 8 bits\n"},
        {"unknown type", unknown, kNotTrueColour, kNoIndexes},
        {"no image", none, kNotTrueColour, kNoIndexes},
        {"interleaved", interleaved, "Warning: TGA_Read(): interleaved rows\n", kNoIndexes},
        {"grey of 12 bits", rle_bottom, "Warning: TGA_Read(): grey levels other than 8 bits\n",
         "Warning: TGA_Read(): grey levels other than 8 bits\n"},
    };
    for (const Case& c : cases) {
        Load(c.file);
        StdoutCapture colours;
        EXPECT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), -1) << c.what;
        EXPECT_EQ(colours.Text(), c.colours) << c.what;
        if (c.indexes == nullptr) continue;
        Load(c.file);
        StdoutCapture indexes;
        EXPECT_EQ(TGA_Read(&block_, &size_, nullptr, nullptr, 0, nullptr, 0), -1) << c.what;
        EXPECT_EQ(indexes.Text(), c.indexes) << c.what;
    }
}

// The steps on their own refuse what the read's earlier checks keep from
// them, and what only a caller asks of them; a refusing step leaves the
// block as it was.
TEST_F(PictureTest, EachStepRefusesWhatItCannotReadOnItsOwn) {
    const Bytes trueColour = TgaFromCorner(0x20, false, false);
    const Bytes mapped = TgaFromCorner(0x20, true, false);
    auto with = [](Bytes b, size_t at, uint8_t value) {
        b[at] = value;
        return b;
    };
    Bytes rle = TgaFromCorner(0x20, false, true);
    Bytes grey = Header(TGA_TYPE_GREY, 2, 1, 8, 0x20);
    grey[1] = 1;
    grey[5] = 2;
    grey[7] = 24;
    grey.insert(grey.end(), 6, 0x40);  // the map
    grey.insert(grey.end(), {0, 1});
    Bytes noMapType = with(mapped, 1, 0);  // a map length and entry size, but no map
    Bytes mapOf16 = with(mapped, 7, 16);
    Bytes mapPastTheEnd = with(mapped, 5, 200);
    ColFmt fiveBytes = ColFmt_A8R8G8B8;
    fiveBytes.bytes = 5;
    const uint32_t kTooMuchRoom = 0x40000000;
    struct Case {
        const char* what;
        Bytes file;
        std::function<int(uint8_t**, uint32_t*)> step;
        const char* message;
    } cases[] = {
        {"run-length depth 0", with(rle, 16, 0), TGA_Decompress,
         "Warning: TGA_Decompress(): pixel depth is 0 or above 32 bits\n"},
        {"run-length depth 40", with(rle, 16, 40), TGA_Decompress,
         "Warning: TGA_Decompress(): pixel depth is 0 or above 32 bits\n"},
        {"grey with a colour map", grey, TGA_Palette2Direct,
         "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n"},
        {"indexes of 0 bits", with(mapped, 16, 0), TGA_Palette2Direct,
         "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n"},
        {"indexes of 16 bits", with(mapped, 16, 16), TGA_Palette2Direct,
         "Warning: TGA_Palette2Direct(): not a colour-mapped image it can convert\n"},
        {"true colour of 8 bits", with(trueColour, 16, 8),
         [](uint8_t** b, uint32_t* n) { return TGA_ConvertDepth(b, n, 32); },
         "Warning: TGA_ConvertDepth(): pixel depth other than 15, 16, 24 or 32 bits\n"},
        {"a target of 8 bits", trueColour, [](uint8_t** b, uint32_t* n) { return TGA_ConvertDepth(b, n, 8); },
         "Warning: TGA_ConvertDepth(): target depth other than 15, 16, 24 or 32 bits\n"},
        {"no palette entries asked for", mapped,
         [](uint8_t** b, uint32_t* n) { return TGA_ExportPalette(b, n, 0, &ColFmt_A8R8G8B8); },
         "Warning: TGA_ExportPalette(): no entries asked for\n"},
        {"a map length but no map", noMapType,
         [](uint8_t** b, uint32_t* n) { return TGA_ExportPalette(b, n, 2, &ColFmt_A8R8G8B8); },
         "Warning: TGA_ExportPalette(): the colour map holds fewer entries than asked for\n"},
        {"a map of 16-bit entries", mapOf16,
         [](uint8_t** b, uint32_t* n) { return TGA_ExportPalette(b, n, 2, &ColFmt_A8R8G8B8); },
         "Warning: TGA_ExportPalette(): colour-map entries other than 24 or 32 bits\n"},
        {"a map past the end", mapPastTheEnd,
         [](uint8_t** b, uint32_t* n) { return TGA_ExportPalette(b, n, 2, &ColFmt_A8R8G8B8); },
         "Warning: TGA_ExportPalette(): colour map runs past the end of the file\n"},
        {"a pixel format of five bytes", trueColour,
         [&fiveBytes](uint8_t** b, uint32_t* n) {
             return TGA_Read(b, n, nullptr, nullptr, 0, &fiveBytes, 0);
         },
         "Warning: TGA_Read(): pixel format of an unknown size\n"},
        {"header room past a block, for colours", trueColour,
         [=](uint8_t** b, uint32_t* n) {
             return TGA_Read(b, n, nullptr, nullptr, 0, &ColFmt_A8R8G8B8, kTooMuchRoom);
         },
         "Warning: TGA_Read(): image too large\n"},
        {"header room past a block, for indexes", mapped,
         [=](uint8_t** b, uint32_t* n) { return TGA_Read(b, n, nullptr, nullptr, 0, nullptr, kTooMuchRoom); },
         "Warning: TGA_Read(): image too large\n"},
    };
    for (const Case& c : cases) {
        Load(c.file);
        StdoutCapture out;
        EXPECT_EQ(c.step(&block_, &size_), -1) << c.what;
        EXPECT_EQ(out.Text(), c.message) << c.what;
        if (std::string(c.what).find("header room") == std::string::npos) {
            EXPECT_EQ(Contents(), c.file) << c.what;
        }
    }
}

// Packets that end on a packet's edge short of the pixels asked for: a
// decoder that read on would find the next packet just past them.
TEST_F(PictureTest, RunLengthDecodeStopsAtTheEndOfItsPackets) {
    const Bytes packets = {0x81, 1, 2, 3, 4, 0x81, 5, 6, 7, 8};
    Bytes out(16, 0xEE);
    EXPECT_EQ(TGA_RLEDecode(packets.data(), 5, out.data(), 4, 4), -1);
    EXPECT_EQ(out, Bytes(16, 0xEE));
    EXPECT_EQ(TGA_RLEDecode(packets.data(), 10, out.data(), 4, 4), 10);
    EXPECT_EQ(out, (Bytes{1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7, 8, 5, 6, 7, 8}));
}

TEST_F(PictureTest, ARefusedReadKeepsTheEarlierSteps) {
    Bytes tga = Converted("-alpha off -type TrueColor -compress RLE", false);
    tga[17] |= 0x40;  // interleaved: refused only at the last step
    Load(tga);
    ASSERT_EQ(LoadImageFile(&block_, &size_, 0, &ColFmt_A8R8G8B8), -1);
    // Decompressed, flipped and widened to 32 bits by then.
    EXPECT_EQ(block_[2], TGA_TYPE_TRUECOLOUR);
    EXPECT_EQ(block_[16], 32);
    EXPECT_NE(block_[17] & TGA_DESC_TOP_BOTTOM, 0);
    EXPECT_EQ(size_, 18u + kPictureW * kPictureH * 4);
}

// ---- Frame sheets --------------------------------------------------------

class FrameSheetTest : public PictureTest {
  protected:
    // A 64 x 32 sheet whose pixel at (x, y) is 0xFF000000 | y << 8 | x.
    void MakeSheet(uint32_t width = 64, uint32_t height = 32) {
        Bytes sheet(GFX0_HEADER_SIZE + width * height * 4, 0);
        std::memcpy(sheet.data(), "GFX0", 4);
        sheet[4] = uint8_t(width);
        sheet[6] = uint8_t(height);
        sheet[8] = 1;
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x) {
                uint32_t v = 0xFF000000u | y << 8 | x;
                std::memcpy(&sheet[GFX0_HEADER_SIZE + (y * width + x) * 4], &v, 4);
            }
        }
        Load(sheet);
    }
    void SetSheetPixel(uint32_t x, uint32_t y, uint32_t v) {
        std::memcpy(block_ + GFX0_HEADER_SIZE + (y * 64 + x) * 4, &v, 4);
    }
};

TEST_F(FrameSheetTest, FramesAreCutRowByRow) {
    MakeSheet();
    SetMemType(&block_, MEM_TYPE_AUTO_FREE);
    ASSERT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 4, 2, nullptr), 0);
    ASSERT_EQ(size_, GFX0_HEADER_SIZE + 16 * 16 * 8 * 4);
    EXPECT_EQ(block_[4], 16);
    EXPECT_EQ(block_[6], 16);
    EXPECT_EQ(block_[8], 8);
    EXPECT_EQ(GetMemType(&block_), MEM_TYPE_AUTO_FREE);
    // Frame 4 is the rectangle at (0, 16); frame 1 the one at (16, 0).
    EXPECT_EQ(Pixel32(block_, 4 * 256), 0xFF001000u);
    EXPECT_EQ(Pixel32(block_, 4 * 256 + 15 * 16 + 15), 0xFF001F0Fu);
    EXPECT_EQ(Pixel32(block_, 1 * 256 + 2 * 16 + 3), 0xFF000213u);
}

TEST_F(FrameSheetTest, KeyingAndWidthMarkers) {
    MakeSheet();
    SetSheetPixel(5, 3, 0xFF00FFFF);    // frame 0: cyan at x = 5 ...
    SetSheetPixel(9, 12, 0x0000FFFF);   // ... and at x = 9 (any alpha)
    SetSheetPixel(20, 20, 0x7FFF00FF);  // frame 5: magenta
    ASSERT_EQ(GFX_CutFrames(&block_, &size_, GFXCUT_TRANSPARENT | GFXCUT_WIDTHS, 16, 16, 4, 2, &widths_), 0);
    ASSERT_NE(widths_, nullptr);
    EXPECT_EQ(widths_[0], 5);
    for (int f = 1; f < 8; ++f) EXPECT_EQ(widths_[f], 16) << f;
    EXPECT_EQ(Pixel32(block_, 3 * 16 + 5), 0u);
    EXPECT_EQ(Pixel32(block_, 12 * 16 + 9), 0u);
    EXPECT_EQ(Pixel32(block_, 5 * 256 + 4 * 16 + 4), 0u);
    EXPECT_EQ(Pixel32(block_, 5 * 256 + 4 * 16 + 5), 0xFF001415u);

    // A second cut fills the array it is given.
    MakeSheet();
    ASSERT_EQ(GFX_CutFrames(&block_, &size_, GFXCUT_WIDTHS, 32, 32, 2, 1, &widths_), 0);
    EXPECT_EQ(widths_[0], 32);
    EXPECT_EQ(widths_[1], 32);
}

TEST_F(FrameSheetTest, BadSheetsAreRefusedUnchanged) {
    MakeSheet();
    block_[8] = 2;  // two frames
    Bytes before = Contents();
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 1, 1, nullptr), -1);
    EXPECT_EQ(Contents(), before);

    MakeSheet();
    before = Contents();
    size_ -= 4;  // disagrees with the header
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 1, 1, nullptr), -1);
    size_ += 4;
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 5, 1, nullptr), -1);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 4, 3, nullptr), -1);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 0, 16, 4, 1, nullptr), -1);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 0, 4, 1, nullptr), -1);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 0, 1, nullptr), -1);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 4, 0, nullptr), -1);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, -1, 1, nullptr), -1);
    block_[0] = 'X';
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 16, 16, 1, 1, nullptr), -1);
    block_[0] = 'G';
    EXPECT_EQ(Contents(), before);

    // 65536 frames of one pixel: more than the header's 16-bit frame count.
    Bytes wide(GFX0_HEADER_SIZE + 512 * 128 * 4, 0);
    std::memcpy(wide.data(), "GFX0\x00\x02\x80\x00\x01\x00", 10);
    Load(wide);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 1, 1, 512, 128, nullptr), -1);
    EXPECT_EQ(Contents(), wide);
    EXPECT_EQ(GFX_CutFrames(&block_, &size_, 0, 1, 2, 512, 64, nullptr), 0);
    EXPECT_EQ(recbits::LoadU16(block_ + GFX0_FRAMES), 32768);
}

}  // namespace
