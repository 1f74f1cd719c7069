// Windows-1252 conversion and the culture-file reader.
#include "tools/datakit/worldtext.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return std::string(s.substr(a, b - a));
}

}  // namespace

// The code points that Windows-1252 puts at 0x80..0x9F (0 = unassigned).
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<uint8_t> CodePointTo1252(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return uint8_t(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == cp) return uint8_t(0x80 + i);
    }
    return std::nullopt;
}

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
    // Overlong forms would smuggle in control bytes.
    constexpr uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF) return std::nullopt;
    return cp;
}

bool Utf8ToWindows1252(std::string_view utf8, std::string* out) {
    out->clear();
    size_t pos = 0;
    while (pos < utf8.size()) {
        std::optional<uint32_t> cp = DecodeUtf8(utf8, pos);
        if (!cp) return false;
        std::optional<uint8_t> byte = CodePointTo1252(*cp);
        if (!byte) return false;
        out->push_back(char(*byte));
    }
    return true;
}

const std::vector<std::string>& CultureFile::List(const std::string& key) const {
    static const std::vector<std::string> kEmpty;
    auto it = lists.find(key);
    return it == lists.end() ? kEmpty : it->second;
}

bool ParseCultureText(std::string_view text, const std::string& name, CultureFile* out, std::string* error) {
    out->name = name;
    out->lists.clear();
    std::string key;
    int line_number = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++line_number;
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;

        // "key:" at the start of a line opens a list.
        size_t colon = trimmed.find(':');
        if (colon != std::string::npos && colon > 0 &&
            trimmed.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == colon) {
            key = trimmed.substr(0, colon);
            out->lists[key];
            trimmed = Trim(std::string_view(trimmed).substr(colon + 1));
        }
        if (trimmed.empty()) continue;
        if (key.empty()) {
            *error = name + ":" + std::to_string(line_number) + ": text before the first key";
            return false;
        }
        size_t start = 0;
        while (start <= trimmed.size()) {
            size_t comma = trimmed.find(',', start);
            if (comma == std::string::npos) comma = trimmed.size();
            std::string entry = Trim(std::string_view(trimmed).substr(start, comma - start));
            start = comma + 1;
            if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
                entry = entry.substr(1, entry.size() - 2);
            if (entry.empty()) continue;
            std::string converted;
            if (!Utf8ToWindows1252(entry, &converted)) {
                *error =
                    name + ":" + std::to_string(line_number) + ": \"" + entry + "\" is not Windows-1252 text";
                return false;
            }
            out->lists[key].push_back(converted);
        }
    }
    return true;
}

bool LoadCultureFile(const std::string& dir, const std::string& name, CultureFile* out, std::string* error) {
    std::string path = dir + "/" + name + ".txt";
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseCultureText(text.str(), name, out, error);
}
