#include "tools/datakit/language.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/datakit/stage.h"

namespace datakit {

namespace {

// The characters Windows-1252 places at 0x80..0x9F (0 where it has none).
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<uint8_t> CodePageByte(uint32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) return uint8_t(code_point);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == code_point) return uint8_t(0x80 + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 character at text[pos]; advances pos.  Returns nothing
// for a malformed sequence.
std::optional<uint32_t> DecodeUtf8(std::string_view text, size_t& pos) {
    const uint8_t lead = uint8_t(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    uint32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (uint8_t(text[pos]) & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (uint8_t(text[pos++]) & 0x3F);
    }
    constexpr uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF) return std::nullopt;  // overlong or out of range
    return cp;
}

}  // namespace

std::optional<std::vector<uint8_t>> ConvertTextFile(std::string_view utf8, std::string* error) {
    std::vector<uint8_t> out;
    out.reserve(utf8.size() + utf8.size() / 16);
    int line = 1;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const std::optional<uint32_t> cp = DecodeUtf8(utf8, pos);
        if (!cp) {
            *error = "line " + std::to_string(line) + ": not UTF-8";
            return std::nullopt;
        }
        const std::optional<uint8_t> byte = CodePageByte(*cp);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", unsigned(*cp));
            *error = "line " + std::to_string(line) + ": character " + code + " is not in Windows-1252";
            return std::nullopt;
        }
        if (*byte == '\n') {
            if (out.empty() || out.back() != '\r') out.push_back('\r');
            ++line;
        }
        out.push_back(*byte);
    }
    return out;
}

void GenerateLanguageTexts() {
    const std::filesystem::path source = SourceDir() / "data" / "textfile" / "engtext.c";
    std::ifstream in(source, std::ios::binary);
    if (!in) DatakitFail("cannot read %s", source.string().c_str());
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    std::optional<std::vector<uint8_t>> bytes = ConvertTextFile(utf8, &error);
    if (!bytes) DatakitFail("%s: %s", source.string().c_str(), error.c_str());
    StagePakFile("textfile\\engtext.c", std::move(*bytes));
}

}  // namespace datakit
