// Pixel formats described by their channel masks, pixel and block
// conversion between them, image halving and the rectangle copy and fill
// loops of all 2D drawing.
#pragma once
#include <cstddef>
#include <cstdint>

struct DDrawSurfaceInfo;

struct ColComponent {
    uint32_t shift;
    uint32_t bits;
    uint32_t mask;
};

// A pixel format; all zero for 256-colour (palettised) data.
struct ColFmt {
    ColComponent red;
    ColComponent green;
    ColComponent blue;
    ColComponent alpha;
    uint32_t all_mask;
    uint32_t bytes;
    uint32_t bits;
};
static_assert(sizeof(ColFmt) == 60);

extern const ColFmt ColFmt_A1R5G5B5;
extern const ColFmt ColFmt_R5G6B5;
extern const ColFmt ColFmt_B8G8R8;
extern const ColFmt ColFmt_A8R8G8B8;
extern const ColFmt ColFmt_A8B8G8R8;
extern const ColFmt ColFmt_VGA6;

// Format description.
void Mask2ColComponent(uint32_t mask, ColComponent* component);
int ColFmtEqual(const ColFmt* a, const ColFmt* b);
// Writes "%d bit R.. G.. B.. A.."; text must hold 64 characters.
void ColFmt2String(char* text, const ColFmt* format);

// Single pixels.
uint32_t ColConvertRead(const void* pointer, const ColFmt* format);
void ColConvertWrite(void* pointer, uint32_t value, const ColFmt* format);
uint32_t ColScaleBits(uint32_t value, uint32_t from_bits, uint32_t to_bits);
uint32_t ColConvPixel(uint32_t pixel, const ColFmt* from, const ColFmt* to);
uint32_t ColConvRGB2Pixel(const ColFmt* format, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);

// Blocks.
void ColConvBlock(const void* source, void* destination, uint32_t count, const ColFmt* from,
                  const ColFmt* to);
void ColConvPaletted(const uint8_t* indexes, const void* palette, void* destination, uint32_t count,
                     const ColFmt* palette_format, const ColFmt* destination_format);
void ColConvHalveImageSize(const void* source, void* destination, uint32_t width, uint32_t height,
                           const ColFmt* format);
void ColSetAlpha(void* pixels, uint32_t count, const ColFmt* format, uint32_t alpha);
void ColSetAlphaKey(void* pixels, uint32_t count, const ColFmt* format, uint32_t key, uint32_t key_alpha,
                    uint32_t other_alpha);

// Tracked blocks (block is the address of the owner's pointer variable);
// the pixels follow header_bytes bytes of header and the block is resized
// to fit the result.
void ColConvMemory(void* block, uint32_t count, uint32_t header_bytes, const ColFmt* from, const ColFmt* to);
void ColConvHalveImageMem(void* block, uint32_t header_bytes, uint32_t width, uint32_t height,
                          const ColFmt* format);
void ColConvPalettedMemory(void* block, const void* palette, uint32_t count, uint32_t header_bytes,
                           const ColFmt* palette_format, const ColFmt* destination_format);

// Rectangles; sizes in bytes, skip = bytes from the end of one row to the
// start of the next.
void BlitRect(uint32_t rows, int32_t destination_skip, int32_t source_skip, uint32_t row_bytes,
              const uint8_t* source, uint8_t* destination);
void BlitRectTrans(uint32_t rows, int32_t destination_skip, int32_t source_skip, uint32_t row_bytes,
                   const uint8_t* source, uint8_t* destination);
void FillRect(uint32_t pattern, uint32_t rows, uint32_t row_bytes, int32_t destination_skip,
              uint8_t* destination);
void BlitRectScaled8(int x, int y, uint32_t source_width, uint32_t source_height, const uint8_t* source,
                     uint32_t destination_width, uint32_t destination_height, uint8_t* destination,
                     int32_t destination_pitch);
void BlitRectScaledTrans8(int x, int y, uint32_t source_width, uint32_t source_height, const uint8_t* source,
                          uint32_t destination_width, uint32_t destination_height, uint8_t* destination,
                          int32_t destination_pitch);

// 8-bit and 16-bit 565 routines.
void ColConv8To565(void* buffer, const uint8_t* palette, uint32_t count);
uint8_t ColConv565ToCubeIndex(uint16_t pixel);
void ColConv565To8Key(void* buffer, uint32_t count, uint16_t key);
void ColConv565To8(uint8_t* destination, const uint16_t* source, uint32_t count);
void ColMakeCubePalette(uint8_t* palette);

// Off-screen 8-bit buffers: a tracked description with tracked pixels,
// rows rounded up to 16 bytes.  Drawing is cut to the buffer.
void CreateBuffer(DDrawSurfaceInfo** buffer, int width, int height);
void DestroyBuffer(DDrawSurfaceInfo** buffer);
void BufDrawChar(DDrawSurfaceInfo* buffer, int x, int y, uint8_t character);
void BufDrawText(DDrawSurfaceInfo* buffer, int x, int y, const char* text);
void BufPrintf(DDrawSurfaceInfo* buffer, int x, int y, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void BufDrawLine(DDrawSurfaceInfo* buffer, int x1, int y1, int x2, int y2, uint8_t colour);
// Stretch an 8-bit image into the buffer; nothing is drawn unless the
// stretched rectangle lies inside the buffer.
void BufBlitScaled(DDrawSurfaceInfo* buffer, int x, int y, const uint8_t* source, uint32_t source_width,
                   uint32_t source_height, uint32_t width, uint32_t height);
void BufBlitScaledTrans(DDrawSurfaceInfo* buffer, int x, int y, const uint8_t* source, uint32_t source_width,
                        uint32_t source_height, uint32_t width, uint32_t height);
