// Builds and patches little-endian file images for tests: hand-made headers,
// index files, saved-game blocks, sounds and models. Built on the game's own
// byte layout helpers, so a test spells a layout the way the game reads it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/base/bytes.h"

namespace testbytes {

using Bytes = std::vector<uint8_t>;

// Appends fields in order: ByteWriter().Text("RIFF").U32(size).Take().
class ByteWriter {
  public:
    ByteWriter& U8(uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    ByteWriter& U16(uint16_t v) {
        recbits::AppendU16(bytes_, v);
        return *this;
    }
    ByteWriter& U32(uint32_t v) {
        recbits::AppendU32(bytes_, v);
        return *this;
    }
    ByteWriter& F32(float v) {
        recbits::AppendF32(bytes_, v);
        return *this;
    }
    ByteWriter& Text(std::string_view text) {
        recbits::AppendText(bytes_, text);
        return *this;
    }
    ByteWriter& Raw(std::span<const uint8_t> raw) {
        bytes_.insert(bytes_.end(), raw.begin(), raw.end());
        return *this;
    }
    ByteWriter& Zeros(size_t count) {
        bytes_.resize(bytes_.size() + count, 0);
        return *this;
    }
    size_t Size() const { return bytes_.size(); }
    const Bytes& View() const { return bytes_; }
    Bytes Take() { return std::move(bytes_); }

  private:
    Bytes bytes_;
};

// Reads or overwrites one field of an existing image; a field past the end is
// a fault of the test itself and throws rather than writing out of bounds.
inline uint8_t* FieldAt(Bytes& bytes, size_t at, size_t size) {
    if (!recbits::Fits(bytes, at, size)) throw std::out_of_range("field past the end of the test image");
    return bytes.data() + at;
}
inline const uint8_t* FieldAt(const Bytes& bytes, size_t at, size_t size) {
    if (!recbits::Fits(bytes, at, size)) throw std::out_of_range("field past the end of the test image");
    return bytes.data() + at;
}
inline void PutU16(Bytes& bytes, size_t at, uint16_t v) { recbits::StoreU16(FieldAt(bytes, at, 2), v); }
inline void PutU32(Bytes& bytes, size_t at, uint32_t v) { recbits::StoreU32(FieldAt(bytes, at, 4), v); }
inline void PutF32(Bytes& bytes, size_t at, float v) { recbits::StoreF32(FieldAt(bytes, at, 4), v); }
inline uint16_t GetU16(const Bytes& bytes, size_t at) { return recbits::LoadU16(FieldAt(bytes, at, 2)); }
inline uint32_t GetU32(const Bytes& bytes, size_t at) { return recbits::LoadU32(FieldAt(bytes, at, 4)); }

}  // namespace testbytes
