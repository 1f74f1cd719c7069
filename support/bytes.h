// Little-endian loads and stores at any byte offset of a saved record, and
// packed fields given as bits of the 32-bit word that starts at a byte.
// Records are byte arrays with odd sizes, so every access goes through
// memcpy; no access depends on alignment.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "saved records are little-endian byte images of memory");

namespace recbits {

inline uint8_t LoadU8(const uint8_t* p) { return *p; }
inline void StoreU8(uint8_t* p, uint8_t v) { *p = v; }

inline uint16_t LoadU16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void StoreU16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, sizeof v); }

inline uint32_t LoadU32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void StoreU32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }

inline int32_t LoadI32(const uint8_t* p) { return int32_t(LoadU32(p)); }
inline void StoreI32(uint8_t* p, int32_t v) { StoreU32(p, uint32_t(v)); }

// A packed field: `width` bits from bit `shift` of the word at `offset`.
struct BitField {
    uint16_t offset;
    uint8_t shift;
    uint8_t width;

    constexpr uint32_t Mask() const { return width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u; }
    constexpr uint32_t Max() const { return Mask(); }
};

inline uint32_t ReadField(const uint8_t* record, BitField f) {
    return (LoadU32(record + f.offset) >> f.shift) & f.Mask();
}

// Writes only the field's bits; the rest of the word is kept.
inline void WriteField(uint8_t* record, BitField f, uint32_t value) {
    uint32_t word = LoadU32(record + f.offset);
    word &= ~(f.Mask() << f.shift);
    word |= (value & f.Mask()) << f.shift;
    StoreU32(record + f.offset, word);
}

// Sign-extends a field read with ReadField.
inline int32_t SignExtend(uint32_t value, int width) {
    uint32_t sign = 1u << (width - 1);
    return int32_t((value ^ sign) - sign);
}

}  // namespace recbits
