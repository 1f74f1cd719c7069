// Text helpers of the world generator: Windows-1252 from UTF-8, and the
// culture files of data/world/cultures (name pools and club-name parts).
// Free of game code, so the built-in club-name table can be made from the
// same pools at build time.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Converts UTF-8 to Windows-1252.  Returns false (and leaves `out` partly
// written) when the text is not valid UTF-8 or holds a character the code
// page lacks.
bool Utf8ToWindows1252(std::string_view utf8, std::string* out);
// Decodes one UTF-8 character at text[pos] and advances pos; nothing for a
// malformed, overlong or out-of-range sequence.
std::optional<uint32_t> DecodeUtf8(std::string_view text, size_t& pos);
// The Windows-1252 byte of a code point, when the code page has one.
std::optional<uint8_t> CodePointTo1252(uint32_t code_point);

// One culture file: lists by key ("surnames", "initials", "stems",
// "endings", "prefixes", "forms"), already in Windows-1252.
struct CultureFile {
    std::string name;
    std::map<std::string, std::vector<std::string>> lists;

    const std::vector<std::string>& List(const std::string& key) const;
};

// Parses a culture file's text.  Lines starting with '#' are comments; "key:"
// starts a list; entries are separated by commas and trimmed, unless quoted
// ("..."), which keeps blanks.  Returns false with a reason in `error`.
bool ParseCultureText(std::string_view text, const std::string& name, CultureFile* out, std::string* error);

// Loads every culture file the world uses from `dir` (data/world/cultures).
bool LoadCultureFile(const std::string& dir, const std::string& name, CultureFile* out, std::string* error);
