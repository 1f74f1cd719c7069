// Pictures: TGA files turned, in place in their tracked block, into the
// program's own GFX0 picture (a 16-byte header, then the pixels in the
// pixel format the caller asks for), and GFX0 sheets cut into strips of
// equal frames.
//
// Every operation takes the address of the owner's pointer variable and
// the block's byte size, builds its result in a new block, frees the old
// one and leaves the owner pointing at the result with its size.  They
// return 0 on success, 1 when a step had nothing to do and -1 when the
// input is refused, with a "Warning:" line on standard output saying why;
// a refused block is left as the earlier steps made it.  Pictures come out
// top row first and left to right, whichever corner the file starts from.
#pragma once
#include <cstdint>

#include "game/system/pixelformats.h"

// ---- GFX0 ----------------------------------------------------------------
constexpr uint32_t GFX0_HEADER_SIZE = 16;
// Byte offsets in the GFX0 header.
constexpr uint32_t GFX0_WIDTH = 4;
constexpr uint32_t GFX0_HEIGHT = 6;
constexpr uint32_t GFX0_FRAMES = 8;

// LoadImageFile / TGA_Read flags.
constexpr uint32_t LOADIMAGE_TRANSPARENT = 0x1;  // magenta becomes 0
// GFX_CutFrames flags.
constexpr uint32_t GFXCUT_TRANSPARENT = 0x1;
constexpr uint32_t GFXCUT_WIDTHS = 0x2;  // cyan width markers to a byte array

// Colours compared on the low 24 bits of a 0xAARRGGBB pixel.
constexpr uint32_t GFX_TRANSPARENT_COLOUR = 0xFF00FF;
constexpr uint32_t GFX_WIDTH_MARKER_COLOUR = 0x00FFFF;

// ---- TGA -----------------------------------------------------------------
constexpr uint32_t TGA_HEADER_SIZE = 18;

// Image types.
constexpr uint8_t TGA_TYPE_NONE = 0;
constexpr uint8_t TGA_TYPE_COLOURMAP = 1;
constexpr uint8_t TGA_TYPE_TRUECOLOUR = 2;
constexpr uint8_t TGA_TYPE_GREY = 3;
constexpr uint8_t TGA_TYPE_RLE_COLOURMAP = 9;
constexpr uint8_t TGA_TYPE_RLE_TRUECOLOUR = 10;
constexpr uint8_t TGA_TYPE_RLE_GREY = 11;

// Descriptor byte.
constexpr uint8_t TGA_DESC_ATTRIBUTE_BITS = 0x0F;
constexpr uint8_t TGA_DESC_RESERVED1 = 0x10;
constexpr uint8_t TGA_DESC_TOP_BOTTOM = 0x20;
constexpr uint8_t TGA_DESC_INTERLEAVE = 0xC0;

// The 18 header bytes, field by field.
struct TgaHeader {
    uint8_t IDSize;
    uint8_t ColMapType;
    uint8_t ImageType;
    uint16_t ColMapStart;
    uint16_t ColMapLength;
    uint8_t ColMapEntrySize;
    uint16_t XOrigin;
    uint16_t YOrigin;
    uint16_t Width;
    uint16_t Height;
    uint8_t ColourDepth;
    uint8_t Descriptor;
};

void TGA_ParseHeader(TgaHeader* header, const uint8_t* bytes);
void TGA_DebugPrintHeader(const uint8_t* bytes);
// Expands run-length packets of bytes_per_pixel-byte pixels until count
// pixels are written.  Reads at most source_bytes; returns the bytes read,
// or -1 when the packets end before count pixels.
int64_t TGA_RLEDecode(const uint8_t* source, uint32_t source_bytes, uint8_t* destination,
                      uint32_t bytes_per_pixel, uint32_t count);

int TGA_Decompress(void* owner, uint32_t* size);
int TGA_SetOrigin(void* owner, uint32_t* size, int topBottom);
int TGA_Palette2Direct(void* owner, uint32_t* size);
int TGA_ConvertDepth(void* owner, uint32_t* size, uint32_t targetDepth);
int TGA_ExportPalette(void* owner, uint32_t* size, uint32_t entries, const ColFmt* format);
// format null: one colour-index byte per pixel of a colour-mapped image.
int TGA_Read(void* owner, uint32_t* size, uint32_t* width, uint32_t* height, uint32_t flags,
             const ColFmt* format, uint32_t headerRoom);

// Also takes a one-frame GFX0 picture of 32-bit pixels in ColFmt_A8R8G8B8
// order whose size matches its header, converted to the format asked for.
int LoadImageFile(void* owner, uint32_t* size, uint32_t flags, const ColFmt* format);
// markers: address of the owner variable of a byte array of columns x rows
// frame widths (may be null).
int GFX_CutFrames(void* owner, uint32_t* size, uint32_t flags, int frame_width, int frame_height, int columns,
                  int rows, void* markers);
