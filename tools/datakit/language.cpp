#include "tools/datakit/language.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/datakit/stage.h"
#include "tools/datakit/worldtext.h"

namespace datakit {

std::optional<std::vector<uint8_t>> ConvertTextFile(std::string_view utf8, std::string* error) {
    std::vector<uint8_t> out;
    out.reserve(utf8.size() + utf8.size() / 16);
    int line = 1;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const std::optional<uint32_t> cp = ::DecodeUtf8(utf8, pos);
        if (!cp) {
            *error = "line " + std::to_string(line) + ": not UTF-8";
            return std::nullopt;
        }
        const std::optional<uint8_t> byte = ::CodePointTo1252(*cp);
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

std::optional<std::string> LanguageEntry(std::string_view file, int id) {
    const std::string marker = "/* " + std::to_string(id) + " */";
    size_t pos = file.find(marker);
    if (pos == std::string_view::npos) return std::nullopt;
    pos += marker.size();
    std::string text;
    // The entry's string literals up to its comma, escapes taken as the
    // one character they stand for.
    while (pos < file.size() && file[pos] != ',') {
        if (file[pos] != '"') {
            ++pos;
            continue;
        }
        for (++pos; pos < file.size() && file[pos] != '"'; ++pos) {
            if (file[pos] == '\\' && pos + 1 < file.size()) ++pos;
            text.push_back(file[pos]);
        }
        ++pos;
    }
    return text;
}

bool CheckFlashTemplates(std::string_view file, std::string* error) {
    for (int id = kFirstFlashTemplate; id <= kLastFlashTemplate; ++id) {
        const std::optional<std::string> text = LanguageEntry(file, id);
        if (text && text->size() >= kLongestFlashTemplate + 1) {
            *error = "text " + std::to_string(id) + ": a news-flash template of " +
                     std::to_string(text->size()) + " characters (at most " +
                     std::to_string(kLongestFlashTemplate) + ")";
            return false;
        }
    }
    return true;
}

void GenerateLanguageTexts() {
    const std::filesystem::path source = SourceDir() / "data" / "textfile" / "engtext.c";
    std::ifstream in(source, std::ios::binary);
    if (!in) DatakitFail("cannot read %s", source.string().c_str());
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    std::optional<std::vector<uint8_t>> bytes = ConvertTextFile(utf8, &error);
    if (!bytes) DatakitFail("%s: %s", source.string().c_str(), error.c_str());
    if (!CheckFlashTemplates(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                             &error))
        DatakitFail("%s: %s", source.string().c_str(), error.c_str());
    StagePakFile("textfile\\engtext.c", std::move(*bytes));

    // The general help beside the texts, in the same letters.
    const std::filesystem::path help = SourceDir() / "data" / "textfile" / "help.txt";
    std::ifstream helpIn(help, std::ios::binary);
    if (!helpIn) DatakitFail("cannot read %s", help.string().c_str());
    const std::string helpUtf8((std::istreambuf_iterator<char>(helpIn)), std::istreambuf_iterator<char>());
    std::optional<std::vector<uint8_t>> helpBytes = ConvertTextFile(helpUtf8, &error);
    if (!helpBytes) DatakitFail("%s: %s", help.string().c_str(), error.c_str());
    StagePakFile("textfile\\help.txt", std::move(*helpBytes));
}

}  // namespace datakit
