// Language texts: one text file per language, parsed at start-up into a
// block of NUL-terminated strings indexed by TextTable, and GetText, which
// turns any text id into a string (language texts, club and nation names and
// a short built-in list).
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// Language text ids 0..3200.
constexpr int TEXT_COUNT = 3201;

// Text id ranges of GetText.
constexpr int16_t TEXT_ID_CLUB_BASE = 4000;     // club 0..1199
constexpr int16_t TEXT_ID_NATION_BASE = 5200;   // nation 0..115
constexpr int16_t TEXT_ID_BUILTIN_BASE = 5316;  // built-in texts
constexpr int TEXT_BUILTIN_COUNT = 52;
constexpr int16_t TEXT_ID_NATION_TEXT = 2610;  // language text of nation 0
constexpr int TEXT_NATION_COUNT = 116;
constexpr int TEXT_CLUB_COUNT = 1200;

constexpr uint16_t LANGUAGE_ENGLISH = 9;

// Offsets into the text block, one per language text id.
extern uint32_t TextTable[TEXT_COUNT];

void InitText(uint16_t language);
void UninitText();
const char* GetText(int16_t id);

// The file name of a language, or null for a language the game does not know.
const char* TextFileName(uint16_t language);

// The text of a nation from its language text: the first three characters
// (its short code) are skipped, but never past the end of the text.
const char* SkipNationCode(const char* text);

// Outcome of parsing a text file.
enum TextParseStatus : int {
    TEXT_PARSE_OK = 0,
    TEXT_PARSE_NESTED_COMMENT,    // "/*" inside a block comment
    TEXT_PARSE_STRAY_TERMINATOR,  // "*/" outside any comment
    TEXT_PARSE_BAD_NUMBER,        // an entry's comment number is not its index
    TEXT_PARSE_BAD_COUNT,         // not exactly TEXT_COUNT entries
};

struct TextParseResult {
    TextParseStatus status = TEXT_PARSE_OK;
    int32_t line = 1;    // line counter where parsing stopped
    int32_t index = 0;   // entries read (the failing entry's index for BAD_NUMBER)
    int32_t number = 0;  // the comment number read (BAD_NUMBER)
    uint32_t used = 0;   // bytes written to the text block
};

// Parses the bytes of a text file into `text` (which must be at least as
// large as `raw`: the parser never writes more bytes than it reads) and the
// offsets `table`.  Writes nothing outside the two spans.
TextParseResult TextParse(std::span<const uint8_t> raw, std::span<char> text,
                          std::span<uint32_t, TEXT_COUNT> table);

// Ends the program with the message of a failed parse, naming the file.
[[noreturn]] void TextParseFailed(const char* file_name, const TextParseResult& result);
