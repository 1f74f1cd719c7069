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

// Generator: stages "textfile\\engtext.c".
void GenerateLanguageTexts();

}  // namespace datakit
