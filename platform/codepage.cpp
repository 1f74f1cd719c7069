#include "platform/codepage.h"

#include <cstring>

namespace plat {
namespace {

// The characters of bytes 0x80..0x9F; the five unassigned bytes map to the
// control character of the same number.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

uint16_t ToUnicode(uint8_t byte) { return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte; }

}  // namespace

int MultiByteToWideChar(const char* text, int length, uint16_t* out, int out_count) {
    if (text == nullptr || length < -1 || out_count < 0) return 0;
    size_t count = length == -1 ? std::strlen(text) + 1 : size_t(length);
    if (out_count == 0) return int(count);
    if (out == nullptr || count > size_t(out_count)) return 0;
    for (size_t i = 0; i < count; ++i) out[i] = ToUnicode(uint8_t(text[i]));
    return int(count);
}

char WideCharToCp1252(uint16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return char(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit) return char(0x80 + i);
    }
    return '?';
}

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out;
    for (char c : text) {
        uint16_t u = ToUnicode(uint8_t(c));
        if (u < 0x80) {
            out += char(u);
        } else if (u < 0x800) {
            out += char(0xC0 | (u >> 6));
            out += char(0x80 | (u & 0x3F));
        } else {
            out += char(0xE0 | (u >> 12));
            out += char(0x80 | ((u >> 6) & 0x3F));
            out += char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

}  // namespace plat
