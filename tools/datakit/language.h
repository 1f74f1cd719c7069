// The language text files: authored in UTF-8 under data/textfile/, shipped
// in Windows-1252 with CR LF line ends, as the game's text loader reads them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace datakit {

// Converts UTF-8 text to Windows-1252 and every bare line feed to CR LF.
// A byte sequence that is not UTF-8, or a character the code page lacks,
// gives no result and a message naming its line.
std::optional<std::vector<uint8_t>> ConvertTextFile(std::string_view utf8, std::string* error);

// The text of a language entry ("/* id */" and its string literals, the
// escapes decoded); none when the file has no such entry.
std::optional<std::string> LanguageEntry(std::string_view file, int id);

// The news-flash templates (texts 1259-1267) are built into buffers of 300
// characters: each must stay at 298 characters or fewer.  false with a
// message naming the text otherwise.
constexpr int kFirstFlashTemplate = 1259;
constexpr int kLastFlashTemplate = 1267;
constexpr size_t kLongestFlashTemplate = 298;
bool CheckFlashTemplates(std::string_view file, std::string* error);

// Generator: stages "textfile\\engtext.c".
void GenerateLanguageTexts();

}  // namespace datakit
