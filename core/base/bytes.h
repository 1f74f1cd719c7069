// Little-endian loads and stores at any byte offset of a saved record or a
// file image, and packed fields given as bits of the 32-bit word that starts
// at a byte. Every access needs no alignment and means the same on a host of
// either byte order: it is built from single bytes with shifts and masks, or,
// on a little-endian host at run time, one copy of the whole word (the same
// value; a checked build then checks one access instead of one per byte).
// This is the one place the game spells out a byte layout: records, saved
// games, pak files, pictures, sounds, models and the data kit all use it.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace recbits {

constexpr uint8_t LoadU8(const uint8_t* p) { return *p; }
constexpr void StoreU8(uint8_t* p, uint8_t v) { *p = v; }

// Whether a word may be copied whole instead of byte by byte.
constexpr bool CopyWholeWords() {
    return std::endian::native == std::endian::little && !std::is_constant_evaluated();
}

constexpr uint16_t LoadU16(const uint8_t* p) {
    if (CopyWholeWords()) {
        uint16_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    return uint16_t(p[0] | p[1] << 8);
}
constexpr void StoreU16(uint8_t* p, uint16_t v) {
    if (CopyWholeWords()) {
        std::memcpy(p, &v, sizeof v);
        return;
    }
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

constexpr int16_t LoadI16(const uint8_t* p) { return int16_t(LoadU16(p)); }
constexpr void StoreI16(uint8_t* p, int16_t v) { StoreU16(p, uint16_t(v)); }

constexpr uint32_t LoadU32(const uint8_t* p) {
    if (CopyWholeWords()) {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
constexpr void StoreU32(uint8_t* p, uint32_t v) {
    if (CopyWholeWords()) {
        std::memcpy(p, &v, sizeof v);
        return;
    }
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

constexpr int32_t LoadI32(const uint8_t* p) { return int32_t(LoadU32(p)); }
constexpr void StoreI32(uint8_t* p, int32_t v) { StoreU32(p, uint32_t(v)); }

constexpr uint64_t LoadU64(const uint8_t* p) { return uint64_t(LoadU32(p)) | uint64_t(LoadU32(p + 4)) << 32; }
constexpr void StoreU64(uint8_t* p, uint64_t v) {
    StoreU32(p, uint32_t(v));
    StoreU32(p + 4, uint32_t(v >> 32));
}

// IEEE single precision, stored as the little-endian bytes of its bit pattern.
constexpr float LoadF32(const uint8_t* p) { return std::bit_cast<float>(LoadU32(p)); }
constexpr void StoreF32(uint8_t* p, float v) { StoreU32(p, std::bit_cast<uint32_t>(v)); }

// Whether `count` bytes from `offset` lie inside `bytes`, without overflow.
constexpr bool Fits(std::span<const uint8_t> bytes, size_t offset, size_t count) {
    return offset <= bytes.size() && count <= bytes.size() - offset;
}

// Span-checked loads for untrusted input: false, and `*value` untouched,
// when the field would run past the end.
inline bool TryLoadU16(std::span<const uint8_t> bytes, size_t offset, uint16_t* value) {
    if (!Fits(bytes, offset, 2)) return false;
    *value = LoadU16(bytes.data() + offset);
    return true;
}
inline bool TryLoadU32(std::span<const uint8_t> bytes, size_t offset, uint32_t* value) {
    if (!Fits(bytes, offset, 4)) return false;
    *value = LoadU32(bytes.data() + offset);
    return true;
}

// Appends to a growing file image.
inline void AppendU8(std::vector<uint8_t>& out, uint8_t v) { out.push_back(v); }
inline void AppendU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
inline void AppendF32(std::vector<uint8_t>& out, float v) { AppendU32(out, std::bit_cast<uint32_t>(v)); }
inline void AppendText(std::vector<uint8_t>& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

// A packed field: `width` bits from bit `shift` of the word at `offset`.
struct BitField {
    uint16_t offset;
    uint8_t shift;
    uint8_t width;

    constexpr uint32_t Mask() const { return width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u; }
    constexpr uint32_t Max() const { return Mask(); }
};

constexpr uint32_t ReadField(const uint8_t* record, BitField f) {
    return (LoadU32(record + f.offset) >> f.shift) & f.Mask();
}

// Writes only the field's bits; the rest of the word is kept.
constexpr void WriteField(uint8_t* record, BitField f, uint32_t value) {
    uint32_t word = LoadU32(record + f.offset);
    word &= ~(f.Mask() << f.shift);
    word |= (value & f.Mask()) << f.shift;
    StoreU32(record + f.offset, word);
}

// Sign-extends a field read with ReadField.
constexpr int32_t SignExtend(uint32_t value, int width) {
    uint32_t sign = 1u << (width - 1);
    return int32_t((value ^ sign) - sign);
}

}  // namespace recbits
