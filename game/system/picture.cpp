#include "game/system/picture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"

namespace {

// Larger results are refused: no picture of the game comes near it, and a
// header claiming one is damaged or hostile.
constexpr uint64_t kMaxBlock = 0x40000000;

using recbits::LoadU16;
using recbits::LoadU32;
using recbits::StoreU16;

uint8_t* Block(void* owner) { return *static_cast<uint8_t**>(owner); }

void WriteHeader(const TgaHeader& h, uint8_t* b) {
    b[0] = h.IDSize;
    b[1] = h.ColMapType;
    b[2] = h.ImageType;
    StoreU16(b + 3, h.ColMapStart);
    StoreU16(b + 5, h.ColMapLength);
    b[7] = h.ColMapEntrySize;
    StoreU16(b + 8, h.XOrigin);
    StoreU16(b + 10, h.YOrigin);
    StoreU16(b + 12, h.Width);
    StoreU16(b + 14, h.Height);
    b[16] = h.ColourDepth;
    b[17] = h.Descriptor;
}

uint32_t BytesPerPixel(uint32_t depth) { return (depth + 7) / 8; }

// What every step derives from the header.
struct TgaLayout {
    TgaHeader header;
    uint32_t bytes_per_pixel;
    uint64_t map_bytes;
    uint64_t data_offset;
    uint64_t pixel_count;
    uint64_t pixel_bytes;  // pixel_count x bytes_per_pixel
};

// Every refusal says why, whatever the debug level: a picture that will not
// load is otherwise a mystery to whoever made it.
void Refuse(const char* function, const char* why) {
    DebugLog(DEBUG_GRAPHICS, 0, "Warning: %s(): %s\n", function, why);
}

// False for a block too short for its header.
bool Layout(const uint8_t* block, uint32_t size, TgaLayout* out, const char* function) {
    if (size < TGA_HEADER_SIZE) {
        Refuse(function, "file shorter than the 18-byte TGA header");
        return false;
    }
    TGA_ParseHeader(&out->header, block);
    const TgaHeader& h = out->header;
    out->bytes_per_pixel = BytesPerPixel(h.ColourDepth);
    out->map_bytes = h.ColMapType != 0 ? uint64_t(h.ColMapLength) * BytesPerPixel(h.ColMapEntrySize) : 0;
    out->data_offset = TGA_HEADER_SIZE + uint64_t(h.IDSize) + out->map_bytes;
    out->pixel_count = uint64_t(h.Width) * h.Height;
    out->pixel_bytes = out->pixel_count * out->bytes_per_pixel;
    return true;
}

// The whole uncompressed image is in the block.
bool HasPixels(const TgaLayout& l, uint32_t size) { return l.data_offset + l.pixel_bytes <= size; }

// Builds a new block of newSize for the owner: fill(source, result) fills
// it from the old one, which is freed afterwards.  The owner keeps its
// memory type; the source is held as manually freed meanwhile so that the
// allocation cannot purge it.
template <class Fill>
void Rebuild(void* owner, uint32_t* size, uint64_t newSize, uint32_t result_type, Fill fill) {
    const uint32_t type = GetMemType(owner);
    SetMemType(owner, MEM_TYPE_MANUAL_FREE);
    uint8_t* result = nullptr;
    AllocateMemory(&result, uint32_t(newSize), result_type);
    fill(Block(owner), result);
    FreeMemory(owner);
    SetMemOwner(&result, owner);
    SetMemType(owner, type);
    *size = uint32_t(newSize);
}

// Walks the packets without writing: true when count pixels are there.
bool RleCovers(const uint8_t* source, uint64_t source_bytes, uint32_t bpp, uint64_t count) {
    uint64_t at = 0, done = 0;
    while (done < count) {
        if (at >= source_bytes) return false;
        const uint8_t packet = source[at++];
        const uint64_t run = std::min<uint64_t>((packet & 0x7F) + 1u, count - done);
        const uint64_t need = packet < 128 ? run * bpp : bpp;
        if (source_bytes - at < need) return false;
        at += need;
        done += run;
    }
    return true;
}

// A, R, G, B of one true-colour pixel.
struct Argb {
    uint8_t a, r, g, b;
};

uint8_t Widen5(uint32_t c) { return uint8_t((c << 3) | (c >> 2)); }

Argb ReadTrueColour(const uint8_t* p, uint32_t depth, uint32_t attributeBits) {
    switch (depth) {
        case 15:
        case 16: {
            const uint32_t w = LoadU16(p);
            // Bit 15 is alpha only when the file declares an alpha bit: a
            // file that declares none would otherwise come out wholly
            // transparent wherever its writer left the bit clear.
            const bool alpha_bit = depth == 16 && attributeBits != 0;
            const uint8_t a = !alpha_bit || (w & 0x8000) ? 255 : 0;
            return Argb{a, Widen5((w >> 10) & 31), Widen5((w >> 5) & 31), Widen5(w & 31)};
        }
        case 24:
            return Argb{255, p[2], p[1], p[0]};
        default:
            return Argb{p[3], p[2], p[1], p[0]};
    }
}

void WriteTrueColour(uint8_t* p, uint32_t depth, Argb c) {
    switch (depth) {
        case 15:
        case 16: {
            uint32_t w = uint32_t(c.r >> 3) << 10 | uint32_t(c.g >> 3) << 5 | uint32_t(c.b >> 3);
            if (depth == 16) w |= uint32_t(c.a >> 7) << 15;
            StoreU16(p, uint16_t(w));
            return;
        }
        case 24:
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
            return;
        default:
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
            p[3] = c.a;
            return;
    }
}

bool TrueColourDepth(uint32_t depth) { return depth == 15 || depth == 16 || depth == 24 || depth == 32; }

}  // namespace

void TGA_ParseHeader(TgaHeader* h, const uint8_t* b) {
    h->IDSize = b[0];
    h->ColMapType = b[1];
    h->ImageType = b[2];
    h->ColMapStart = LoadU16(b + 3);
    h->ColMapLength = LoadU16(b + 5);
    h->ColMapEntrySize = b[7];
    h->XOrigin = LoadU16(b + 8);
    h->YOrigin = LoadU16(b + 10);
    h->Width = LoadU16(b + 12);
    h->Height = LoadU16(b + 14);
    h->ColourDepth = b[16];
    h->Descriptor = b[17];
}

void TGA_DebugPrintHeader(const uint8_t* bytes) {
    TgaHeader h;
    TGA_ParseHeader(&h, bytes);
    std::printf("TGA_DebugPrintHeader(): dumping header at %p\n", static_cast<const void*>(bytes));
    std::printf(" IDSize: %d\n", h.IDSize);
    std::printf(" ColMapType: ");
    switch (h.ColMapType) {
        case 0:
            std::printf("no colour map\n");
            break;
        case 1:
            std::printf("colour map\n");
            break;
        default:
            std::printf("UNKNOWN COLOUR MAP %d\n", h.ColMapType);
            break;
    }
    std::printf(" ImageType: ");
    switch (h.ImageType) {
        case TGA_TYPE_NONE:
            std::printf("No image data\n");
            break;
        case TGA_TYPE_COLOURMAP:
            std::printf("Uncompressed colour-map image\n");
            break;
        case TGA_TYPE_TRUECOLOUR:
            std::printf("Uncompressed true-colour image\n");
            break;
        case TGA_TYPE_GREY:
            std::printf("Uncompressed black-and-white image\n");
            break;
        case TGA_TYPE_RLE_COLOURMAP:
            std::printf("RLE colour-map image\n");
            break;
        case TGA_TYPE_RLE_TRUECOLOUR:
            std::printf("RLE true-colour image\n");
            break;
        case TGA_TYPE_RLE_GREY:
            std::printf("RLE black-and-white image\n");
            break;
        default:
            std::printf("UNKNOWN IMAGE TYPE %d\n", h.ImageType);
            break;
    }
    std::printf(" Colour map info: %d entries (from %d)\n", h.ColMapLength, h.ColMapStart);
    std::printf(" Colour map entry size: %d\n", h.ColMapEntrySize);
    std::printf(" Image origin: %d,%d\n", h.XOrigin, h.YOrigin);
    std::printf(" Image size: %d,%d\n", h.Width, h.Height);
    std::printf(" Colour depth: %d\n", h.ColourDepth);
    std::printf(" Descriptor bits:\n");
    std::printf("  AttributeBits: %d\n", h.Descriptor & TGA_DESC_ATTRIBUTE_BITS);
    std::printf("  reserved1 (now left-right flag?): %d\n", (h.Descriptor & TGA_DESC_RESERVED1) ? 1 : 0);
    std::printf("  Origin: %s\n", (h.Descriptor & TGA_DESC_TOP_BOTTOM) ? "top-bottom" : "bottom-top");
    std::printf("  Interleave (unused?): %d\n", (h.Descriptor & TGA_DESC_INTERLEAVE) >> 6);
}

int64_t TGA_RLEDecode(const uint8_t* source, uint32_t source_bytes, uint8_t* destination,
                      uint32_t bytes_per_pixel, uint32_t count) {
    if (!RleCovers(source, source_bytes, bytes_per_pixel, count)) return -1;
    uint64_t at = 0;
    uint32_t done = 0;
    while (done < count) {
        const uint8_t packet = source[at++];
        const uint32_t run = std::min<uint32_t>((packet & 0x7Fu) + 1u, count - done);
        const size_t run_bytes = size_t(run) * bytes_per_pixel;
        if (packet < 128) {
            std::memcpy(destination, source + at, run_bytes);
            at += run_bytes;
        } else {
            for (uint32_t i = 0; i < run; ++i) {
                std::memcpy(destination + size_t(i) * bytes_per_pixel, source + at, bytes_per_pixel);
            }
            at += bytes_per_pixel;
        }
        destination += run_bytes;
        done += run;
    }
    return int64_t(at);
}

int TGA_Decompress(void* owner, uint32_t* size) {
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_Decompress")) return -1;
    const uint8_t type = l.header.ImageType;
    if (type != TGA_TYPE_RLE_COLOURMAP && type != TGA_TYPE_RLE_TRUECOLOUR && type != TGA_TYPE_RLE_GREY) {
        return 1;
    }
    if (l.bytes_per_pixel == 0 || l.bytes_per_pixel > 4) {
        Refuse("TGA_Decompress", "pixel depth is 0 or above 32 bits");
        return -1;
    }
    if (l.data_offset > *size) {
        Refuse("TGA_Decompress", "image ID or colour map runs past the end of the file");
        return -1;
    }
    const uint64_t newSize = l.data_offset + l.pixel_bytes;
    if (newSize > kMaxBlock) {
        Refuse("TGA_Decompress", "image too large");
        return -1;
    }
    const uint8_t* packets = Block(owner) + l.data_offset;
    const uint64_t packetBytes = *size - l.data_offset;
    if (!RleCovers(packets, packetBytes, l.bytes_per_pixel, l.pixel_count)) {
        Refuse("TGA_Decompress", "run-length data ends early");
        return -1;
    }
    Rebuild(owner, size, newSize, MEM_TYPE_MANUAL_FREE, [&](const uint8_t* in, uint8_t* out) {
        std::memcpy(out, in, size_t(l.data_offset));
        out[2] = uint8_t(type - 8);
        TGA_RLEDecode(in + l.data_offset, uint32_t(packetBytes), out + l.data_offset, l.bytes_per_pixel,
                      uint32_t(l.pixel_count));
    });
    return 0;
}

namespace {

// The uncompressed pixels that the orientation steps move around, or null
// (with the refusal said) when the image has none.
uint8_t* PixelsToTurn(void* owner, uint32_t size, const TgaLayout& l, const char* function) {
    const uint8_t type = l.header.ImageType;
    if (type != TGA_TYPE_COLOURMAP && type != TGA_TYPE_TRUECOLOUR && type != TGA_TYPE_GREY) {
        Refuse(function, "not an uncompressed image");
        return nullptr;
    }
    // Rows of zero-byte pixels take no room, so the file's size would not
    // bound the rows a header claims: nothing of depth 0 is turned.
    if (l.bytes_per_pixel == 0) {
        Refuse(function, "pixel depth 0");
        return nullptr;
    }
    if (!HasPixels(l, size)) {
        Refuse(function, "pixel data missing");
        return nullptr;
    }
    return Block(owner) + l.data_offset;
}

// Turns rows stored right to left (descriptor bit 4) into left-to-right
// rows.  Returns 1 when they already run that way.  The pixels have a
// depth of at least one byte here (TGA_Read checked it): the swaps are
// bounded by the pixel bytes the file holds.
int MirrorRowsToLeftRight(void* owner, uint32_t* size) {
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_Read")) return -1;
    if ((l.header.Descriptor & TGA_DESC_RESERVED1) == 0) return 1;
    uint8_t* pixels = PixelsToTurn(owner, *size, l, "TGA_Read");
    if (pixels == nullptr) return -1;
    const size_t bpp = l.bytes_per_pixel;
    const size_t width = l.header.Width;
    for (size_t y = 0; y < l.header.Height; ++y) {
        uint8_t* row = pixels + y * width * bpp;
        for (size_t x = 0; x < width / 2; ++x) {
            std::swap_ranges(row + x * bpp, row + (x + 1) * bpp, row + (width - 1 - x) * bpp);
        }
    }
    Block(owner)[17] = uint8_t(l.header.Descriptor & ~TGA_DESC_RESERVED1);
    return 0;
}

}  // namespace

int TGA_SetOrigin(void* owner, uint32_t* size, int topBottom) {
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_SetOrigin")) return -1;
    const bool isTopBottom = (l.header.Descriptor & TGA_DESC_TOP_BOTTOM) != 0;
    if (isTopBottom == (topBottom != 0)) return 1;
    uint8_t* pixels = PixelsToTurn(owner, *size, l, "TGA_SetOrigin");
    if (pixels == nullptr) return -1;
    const size_t row = size_t(l.header.Width) * l.bytes_per_pixel;
    for (uint32_t i = 0; i < l.header.Height / 2u; ++i) {
        uint8_t* a = pixels + size_t(i) * row;
        uint8_t* b = pixels + size_t(l.header.Height - 1u - i) * row;
        std::swap_ranges(a, a + row, b);
    }
    Block(owner)[17] = uint8_t(l.header.Descriptor ^ TGA_DESC_TOP_BOTTOM);
    return 0;
}

int TGA_Palette2Direct(void* owner, uint32_t* size) {
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_Palette2Direct")) return -1;
    const TgaHeader& h = l.header;
    if (h.ColMapType == 0) return 1;
    if (h.ColMapType != 1) {
        Refuse("TGA_Palette2Direct", "unknown colour-map type");
        return -1;
    }
    if (h.ImageType != TGA_TYPE_COLOURMAP || h.ColourDepth == 0 || h.ColourDepth > 8 ||
        !TrueColourDepth(h.ColMapEntrySize) || h.ColMapLength == 0) {
        Refuse("TGA_Palette2Direct", "not a colour-mapped image it can convert");
        return -1;
    }
    if (!HasPixels(l, *size)) {
        Refuse("TGA_Palette2Direct", "colour map or pixel data missing");
        return -1;
    }
    const uint32_t entry = BytesPerPixel(h.ColMapEntrySize);
    const uint64_t keep = TGA_HEADER_SIZE + uint64_t(h.IDSize);
    const uint64_t newSize = keep + l.pixel_count * entry;
    if (newSize > kMaxBlock) {
        Refuse("TGA_Palette2Direct", "image too large");
        return -1;
    }
    uint64_t outside = 0, firstOutside = 0;
    Rebuild(owner, size, newSize, MEM_TYPE_MANUAL_FREE, [&](const uint8_t* in, uint8_t* out) {
        std::memcpy(out, in, size_t(keep));
        TgaHeader nh = h;
        nh.ImageType = TGA_TYPE_TRUECOLOUR;
        nh.ColMapType = 0;
        nh.ColMapStart = nh.ColMapLength = 0;
        nh.ColMapEntrySize = 0;
        nh.ColourDepth = h.ColMapEntrySize;
        WriteHeader(nh, out);
        const uint8_t* map = in + keep;
        const uint8_t* indexes = in + l.data_offset;
        uint8_t* pixels = out + keep;
        for (uint64_t i = 0; i < l.pixel_count; ++i) {
            int64_t index = int64_t(indexes[i * l.bytes_per_pixel]) - h.ColMapStart;
            if (index < 0 || index >= h.ColMapLength) {
                DebugLog(DEBUG_GRAPHICS, 10, "Warning: TGA_Palette2Direct(): pixel %d out of range\n",
                         int(i));
                if (outside++ == 0) firstOutside = i;
                index = 0;
            }
            std::memcpy(pixels + i * entry, map + size_t(index) * entry, entry);
        }
    });
    // Said at any debug level: the picture shows colours its maker did not
    // choose.
    if (outside != 0) {
        DebugLog(DEBUG_GRAPHICS, 0,
                 "Warning: TGA_Palette2Direct(): %llu pixels (the first is pixel %llu) have colour indexes "
                 "outside the colour map; they take its first entry\n",
                 static_cast<unsigned long long>(outside), static_cast<unsigned long long>(firstOutside));
    }
    return 0;
}

int TGA_ConvertDepth(void* owner, uint32_t* size, uint32_t targetDepth) {
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_ConvertDepth")) return -1;
    const TgaHeader& h = l.header;
    if (h.ImageType != TGA_TYPE_TRUECOLOUR) {
        Refuse("TGA_ConvertDepth", "not a true-colour image");
        return -1;
    }
    if (!TrueColourDepth(h.ColourDepth)) {
        Refuse("TGA_ConvertDepth", "pixel depth other than 15, 16, 24 or 32 bits");
        return -1;
    }
    if (!TrueColourDepth(targetDepth)) {
        Refuse("TGA_ConvertDepth", "target depth other than 15, 16, 24 or 32 bits");
        return -1;
    }
    if (!HasPixels(l, *size)) {
        Refuse("TGA_ConvertDepth", "pixel data missing");
        return -1;
    }
    const uint32_t targetBpp = BytesPerPixel(targetDepth);
    const uint64_t newSize = l.data_offset + l.pixel_count * targetBpp;
    if (newSize > kMaxBlock) {
        Refuse("TGA_ConvertDepth", "image too large");
        return -1;
    }
    const uint32_t attributeBits = h.Descriptor & TGA_DESC_ATTRIBUTE_BITS;
    Rebuild(owner, size, newSize, MEM_TYPE_MANUAL_FREE, [&](const uint8_t* in, uint8_t* out) {
        std::memcpy(out, in, size_t(l.data_offset));
        TgaHeader nh = h;
        nh.ImageType = TGA_TYPE_TRUECOLOUR;
        nh.ColourDepth = uint8_t(targetDepth);
        const uint8_t attribute = targetDepth == 16 ? 1 : targetDepth == 32 ? 8 : 0;
        nh.Descriptor = uint8_t((h.Descriptor & ~TGA_DESC_ATTRIBUTE_BITS) | attribute);
        WriteHeader(nh, out);
        const uint8_t* source = in + l.data_offset;
        uint8_t* target = out + l.data_offset;
        for (uint64_t i = 0; i < l.pixel_count; ++i) {
            Argb c = ReadTrueColour(source + i * l.bytes_per_pixel, h.ColourDepth, attributeBits);
            WriteTrueColour(target + i * targetBpp, targetDepth, c);
        }
    });
    return 0;
}

int TGA_ExportPalette(void* owner, uint32_t* size, uint32_t entries, const ColFmt* format) {
    constexpr const char* kFunction = "TGA_ExportPalette";
    if (format == nullptr || format->bytes < 1 || format->bytes > 4) {
        Refuse(kFunction, "no pixel format to convert to");
        return -1;
    }
    if (entries == 0) {
        Refuse(kFunction, "no entries asked for");
        return -1;
    }
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, kFunction)) return -1;
    const TgaHeader& h = l.header;
    if (h.ColMapType == 0 || h.ColMapLength < entries) {
        Refuse(kFunction, "the colour map holds fewer entries than asked for");
        return -1;
    }
    if (h.ColMapEntrySize != 24 && h.ColMapEntrySize != 32) {
        Refuse(kFunction, "colour-map entries other than 24 or 32 bits");
        return -1;
    }
    if (l.data_offset > *size) {
        Refuse(kFunction, "colour map runs past the end of the file");
        return -1;
    }
    const uint32_t entry = BytesPerPixel(h.ColMapEntrySize);
    Rebuild(owner, size, uint64_t(entries) * format->bytes, MEM_TYPE_MANUAL_FREE,
            [&](const uint8_t* in, uint8_t* out) {
                const uint8_t* map = in + TGA_HEADER_SIZE + h.IDSize;
                for (uint32_t i = 0; i < entries; ++i) {
                    const uint8_t* e = map + size_t(i) * entry;
                    const uint32_t alpha = entry == 4 ? e[3] : 255;
                    ColConvertWrite(out + size_t(i) * format->bytes,
                                    ColConvRGB2Pixel(format, e[2], e[1], e[0], alpha), format);
                }
            });
    return 0;
}

namespace {

// Refuses, before any row is touched, an image whose pixels are of a depth
// the later steps cannot read: colour indexes of 1 to 8 bits, true colour
// of 15, 16, 24 or 32 bits, grey levels of 8 bits.  A depth of 0 would
// otherwise pass every size check (no pixel takes a byte) and have the
// orientation steps walk all the rows the header claims.  Other image
// types are refused by the steps themselves, which move no rows of them.
bool ReadableDepth(const TgaHeader& h) {
    const uint32_t depth = h.ColourDepth;
    switch (h.ImageType) {
        case TGA_TYPE_COLOURMAP:
        case TGA_TYPE_RLE_COLOURMAP:
            if (depth >= 1 && depth <= 8) return true;
            Refuse("TGA_Read", "colour indexes of other than 1 to 8 bits");
            return false;
        case TGA_TYPE_TRUECOLOUR:
        case TGA_TYPE_RLE_TRUECOLOUR:
            if (TrueColourDepth(depth)) return true;
            Refuse("TGA_Read", "pixel depth other than 15, 16, 24 or 32 bits");
            return false;
        case TGA_TYPE_GREY:
        case TGA_TYPE_RLE_GREY:
            if (depth == 8) return true;
            Refuse("TGA_Read", "grey levels other than 8 bits");
            return false;
        default:
            return true;
    }
}

// The block becomes header room, then one colour-index byte per pixel.
int KeepIndexes(void* owner, uint32_t* size, const TgaLayout& l, uint32_t headerRoom) {
    if (l.header.ImageType != TGA_TYPE_COLOURMAP || l.header.ColourDepth == 0 || l.header.ColourDepth > 8) {
        Refuse("TGA_Read", "colour indexes asked of an image that has none");
        return -1;
    }
    if (!HasPixels(l, *size)) {
        Refuse("TGA_Read", "pixel data missing");
        return -1;
    }
    const uint64_t newSize = headerRoom + l.pixel_count;
    if (newSize > kMaxBlock) {
        Refuse("TGA_Read", "image too large");
        return -1;
    }
    Rebuild(owner, size, newSize, MEM_TYPE_MANUAL_FREE, [&](const uint8_t* in, uint8_t* out) {
        std::memset(out, 0, headerRoom);
        std::memcpy(out + headerRoom, in + l.data_offset, size_t(l.pixel_count));
    });
    return 0;
}

// The block becomes header room, then the pixels in the caller's format.
int ConvertPixels(void* owner, uint32_t* size, uint32_t flags, const ColFmt* format, uint32_t headerRoom) {
    if (format->bytes < 1 || format->bytes > 4) {
        Refuse("TGA_Read", "pixel format of an unknown size");
        return -1;
    }
    if (TGA_Palette2Direct(owner, size) < 0 || TGA_ConvertDepth(owner, size, 32) < 0) return -1;
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_Read")) return -1;
    if ((l.header.Descriptor & TGA_DESC_INTERLEAVE) != 0) {
        Refuse("TGA_Read", "interleaved rows");
        return -1;
    }
    const uint64_t newSize = headerRoom + l.pixel_count * format->bytes;
    if (newSize > kMaxBlock) {
        Refuse("TGA_Read", "image too large");
        return -1;
    }
    const bool key = (flags & LOADIMAGE_TRANSPARENT) != 0;
    Rebuild(owner, size, newSize, MEM_TYPE_MANUAL_FREE, [&](const uint8_t* in, uint8_t* out) {
        std::memset(out, 0, headerRoom);
        const uint8_t* p = in + l.data_offset;
        uint8_t* q = out + headerRoom;
        for (uint64_t i = 0; i < l.pixel_count; ++i, p += 4, q += format->bytes) {
            uint32_t b = p[0], g = p[1], r = p[2], a = p[3];
            if (key && r == 255 && g == 0 && b == 255) r = g = b = a = 0;
            ColConvertWrite(q, ColConvRGB2Pixel(format, r, g, b, a), format);
        }
    });
    return 0;
}

}  // namespace

int TGA_Read(void* owner, uint32_t* size, uint32_t* width, uint32_t* height, uint32_t flags,
             const ColFmt* format, uint32_t headerRoom) {
    TgaLayout l;
    if (!Layout(Block(owner), *size, &l, "TGA_Read")) return -1;
    if (l.header.Width == 0 || l.header.Height == 0) {
        Refuse("TGA_Read", "image of width or height 0");
        return -1;
    }
    if (!ReadableDepth(l.header)) return -1;
    const uint32_t imageWidth = l.header.Width, imageHeight = l.header.Height;
    if (TGA_Decompress(owner, size) < 0) return -1;
    // Afterwards the rows run top first and left to right, whichever
    // corner the file started from.
    if (TGA_SetOrigin(owner, size, 1) < 0 || MirrorRowsToLeftRight(owner, size) < 0) return -1;
    Layout(Block(owner), *size, &l, "TGA_Read");
    const int result = format == nullptr ? KeepIndexes(owner, size, l, headerRoom)
                                         : ConvertPixels(owner, size, flags, format, headerRoom);
    if (result < 0) return -1;
    if (width != nullptr) *width = imageWidth;
    if (height != nullptr) *height = imageHeight;
    return 0;
}

namespace {

// A GFX0 picture of 32-bit pixels in the order the 3D object loader takes
// (ColFmt_A8R8G8B8), converted to the format asked for.
int ConvertGfx0(void* owner, uint32_t* size, uint32_t flags, const ColFmt* format) {
    const uint8_t* block = Block(owner);
    if (*size < GFX0_HEADER_SIZE) {
        Refuse("LoadImageFile", "GFX0 picture shorter than its header");
        return -1;
    }
    if (format == nullptr || format->bytes < 1 || format->bytes > 4) {
        Refuse("LoadImageFile", "a GFX0 picture holds no colour indexes");
        return -1;
    }
    const uint32_t width = LoadU16(block + GFX0_WIDTH), height = LoadU16(block + GFX0_HEIGHT);
    const uint64_t pixels = uint64_t(width) * height;
    if (width == 0 || height == 0 || LoadU16(block + GFX0_FRAMES) != 1 ||
        *size != GFX0_HEADER_SIZE + pixels * 4) {
        Refuse("LoadImageFile", "GFX0 picture whose size does not match its header");
        return -1;
    }
    const bool key = (flags & LOADIMAGE_TRANSPARENT) != 0;
    Rebuild(owner, size, GFX0_HEADER_SIZE + pixels * format->bytes, MEM_TYPE_MANUAL_FREE,
            [&](const uint8_t* in, uint8_t* out) {
                std::memcpy(out, in, GFX0_HEADER_SIZE);
                for (uint64_t i = 0; i < pixels; ++i) {
                    uint32_t argb = LoadU32(in + GFX0_HEADER_SIZE + i * 4);
                    if (key && (argb & 0xFFFFFF) == GFX_TRANSPARENT_COLOUR) argb = 0;
                    ColConvertWrite(out + GFX0_HEADER_SIZE + i * format->bytes,
                                    ColConvPixel(argb, &ColFmt_A8R8G8B8, format), format);
                }
            });
    return 0;
}

}  // namespace

int LoadImageFile(void* owner, uint32_t* size, uint32_t flags, const ColFmt* format) {
    if (*size >= 4 && std::memcmp(Block(owner), "GFX0", 4) == 0)
        return ConvertGfx0(owner, size, flags, format);
    uint32_t width = 0, height = 0;
    if (TGA_Read(owner, size, &width, &height, flags, format, GFX0_HEADER_SIZE) < 0) return -1;
    uint8_t* block = Block(owner);
    std::memcpy(block, "GFX0", 4);
    StoreU16(block + GFX0_WIDTH, uint16_t(width));
    StoreU16(block + GFX0_HEIGHT, uint16_t(height));
    StoreU16(block + GFX0_FRAMES, 1);
    return 0;
}

int GFX_CutFrames(void* owner, uint32_t* size, uint32_t flags, int frame_width, int frame_height, int columns,
                  int rows, void* markers) {
    const uint8_t* sheet = Block(owner);
    if (*size < GFX0_HEADER_SIZE || std::memcmp(sheet, "GFX0", 4) != 0) return -1;
    const uint32_t sheet_w = LoadU16(sheet + GFX0_WIDTH), sheet_h = LoadU16(sheet + GFX0_HEIGHT);
    if (LoadU16(sheet + GFX0_FRAMES) != 1 || *size != GFX0_HEADER_SIZE + uint64_t(sheet_w) * sheet_h * 4) {
        return -1;
    }
    // Nothing to cut from empty frames, and the frame count is 16 bits.
    if (frame_width <= 0 || frame_height <= 0 || columns <= 0 || rows <= 0 ||
        uint64_t(columns) * uint64_t(rows) > 0xFFFF || uint64_t(frame_width) * uint64_t(columns) > sheet_w ||
        uint64_t(frame_height) * uint64_t(rows) > sheet_h) {
        return -1;
    }
    const uint32_t fw = uint32_t(frame_width), fh = uint32_t(frame_height);
    const uint32_t frames = uint32_t(columns) * uint32_t(rows);
    const size_t frame_pixels = size_t(fw) * fh;
    const uint64_t newSize = GFX0_HEADER_SIZE + uint64_t(frame_pixels) * frames * 4;

    uint8_t** widths = (flags & GFXCUT_WIDTHS) ? static_cast<uint8_t**>(markers) : nullptr;
    Rebuild(owner, size, newSize, MEM_TYPE_MANUAL_NO_MOVE, [&](const uint8_t* in, uint8_t* out) {
        // Made (or grown to fit) while the sheet cannot be purged.
        if (widths != nullptr && *widths == nullptr) {
            AllocateMemory(widths, frames, MEM_TYPE_MANUAL_FREE);
        } else if (widths != nullptr && MemFindItem(widths)->size - MEM_ACCOUNTED_HEADER < frames) {
            ResizeMemory(widths, frames);
        }
        std::memset(out, 0, GFX0_HEADER_SIZE);
        std::memcpy(out, "GFX0", 4);
        StoreU16(out + GFX0_WIDTH, uint16_t(fw));
        StoreU16(out + GFX0_HEIGHT, uint16_t(fh));
        StoreU16(out + GFX0_FRAMES, uint16_t(frames));
        uint32_t* frame = reinterpret_cast<uint32_t*>(out + GFX0_HEADER_SIZE);
        const uint8_t* pixels = in + GFX0_HEADER_SIZE;
        for (uint32_t r = 0; r < uint32_t(rows); ++r) {
            for (uint32_t c = 0; c < uint32_t(columns); ++c, frame += frame_pixels) {
                for (uint32_t y = 0; y < fh; ++y) {
                    const size_t at = (size_t(r) * fh + y) * sheet_w + size_t(c) * fw;
                    std::memcpy(frame + size_t(y) * fw, pixels + at * 4, size_t(fw) * 4);
                }
                if (flags & GFXCUT_TRANSPARENT) {
                    for (size_t i = 0; i < frame_pixels; ++i) {
                        if ((frame[i] & 0xFFFFFF) == GFX_TRANSPARENT_COLOUR) frame[i] = 0;
                    }
                }
                if (widths != nullptr) {
                    uint32_t width = fw;
                    for (uint32_t x = fw; x-- > 0;) {
                        for (uint32_t y = 0; y < fh; ++y) {
                            uint32_t& p = frame[size_t(y) * fw + x];
                            if ((p & 0xFFFFFF) != GFX_WIDTH_MARKER_COLOUR) continue;
                            width = x;
                            p = 0;
                        }
                    }
                    (*widths)[r * uint32_t(columns) + c] = uint8_t(width);
                }
            }
        }
    });
    if (widths != nullptr) SetMemType(widths, GetMemType(owner));
    return 0;
}
