#include "database/text.h"

#include <cstring>

#include "database/Access.h"
#include "support/debug.h"
#include "support/mem_win.h"
#include "support/pakfile.h"

uint32_t TextTable[TEXT_COUNT];

namespace {

struct LanguageFile {
    uint16_t language;
    const char* file_name;
};

constexpr LanguageFile kLanguageFiles[] = {
    {3, "textfile\\cattext.c"},   {4, "textfile\\hv03chn.eng"}, {7, "textfile\\gertext.c"},
    {8, "textfile\\gretext.c"},   {9, "textfile\\engtext.c"},   {10, "textfile\\spatext.c"},
    {12, "textfile\\fretext.c"},  {16, "textfile\\itatext.c"},  {19, "textfile\\duttext.c"},
    {22, "textfile\\portext.c"},
};

constexpr const char* kBuiltinTexts[TEXT_BUILTIN_COUNT] = {
    "No fixtures left in this competition",
    "No fixtures found for this competition",
    "Not a valid competition",
    "Not a cup competition",
    "Deficient squads",
    "Available",
    "Teams having no players of a specific type",
    "Squad size",
    "sus",
    "inj",
    "int",
    "Money",
    "Squads",
    "Pick Team",
    "Budget",
    "Balance",
    "Bought",
    "Sold",
    "Transfer fees paid",
    "Transfer fees received",
    "Weekly wage bill",
    "Income this season",
    "Expenditure this season",
    "Profit/loss",
    "Av wage",
    "Av budget",
    "Players",
    "Set maximum value",
    "Soak until",
    "Soak for",
    "Soak to next cup match",
    "Soak is Off",
    "Soak is On",
    "week",
    "weeks",
    "match",
    "matches",
    "Soak to Matchday",
    "Fixing Off",
    "Fixing On",
    "Unconditional soak",
    "Check for squad deficiencies",
    "Check club balances",
    "Check only teams in league",
    "Check all teams",
    "Fixtures/Soak",
    "",
    "",
    "",
    "",
    "",
    "load-eng",
};

// The parsed texts, and the whole file while it is parsed: managed blocks
// owned by these variables.
char* g_text_block = nullptr;
uint8_t* g_raw_block = nullptr;

char g_empty_text[1];
// Receives a club's name; the next club-name lookup overwrites it.
char g_club_name[CLUB_NAME_LENGTH + 1];

// The parser's walk state.
struct ParseState {
    bool in_block = false;
    bool in_line = false;
    bool in_string = false;
    bool string_pending = false;
    bool reading_number = false;
    uint32_t number = 0;
    int32_t line = 1;
    int32_t index = 0;
    uint32_t used = 0;
    bool copied_since_comma = false;
};

class TextWriter {
public:
    TextWriter(std::span<char> text, ParseState& state) : text_(text), state_(state) {}
    void Put(char c) {
        // The parser writes at most one byte per byte read, so a block as
        // large as the file always has room; the check keeps a caller with a
        // smaller block safe all the same.
        if (state_.used >= text_.size()) {
            AbortError("text", __LINE__, "TextParse(): text block too small");
        }
        text_[state_.used++] = c;
    }

private:
    std::span<char> text_;
    ParseState& state_;
};

char EscapedByte(uint8_t c) {
    if (c == 'n') return '\n';
    if (c == 't') return '\t';
    return char(c);
}

const char* ClubNameText(int16_t club) {
    if (club >= CLUB_COUNT) return nullptr;
    std::memcpy(g_club_name, ClubNameRecords[club].text[0], CLUB_NAME_LENGTH);
    g_club_name[CLUB_NAME_LENGTH] = '\0';
    return g_club_name;
}

void FreeTextBlocks() {
    if (g_raw_block != nullptr) FreeMemory(&g_raw_block);
    if (g_text_block != nullptr) FreeMemory(&g_text_block);
}

}  // namespace

const char* TextFileName(uint16_t language) {
    for (const LanguageFile& f : kLanguageFiles) {
        if (f.language == language) return f.file_name;
    }
    return nullptr;
}

TextParseResult TextParse(std::span<const uint8_t> raw, std::span<char> text,
                          std::span<uint32_t, TEXT_COUNT> table) {
    ParseState s;
    TextWriter out(text, s);
    TextParseResult result;
    table[0] = 0;
    uint8_t prev = 'a';  // the start counts as an ordinary letter, not a line end

    for (size_t i = 0; i < raw.size(); ++i) {
        const uint8_t cur = raw[i];
        if (s.string_pending) {
            s.in_string = true;
            s.string_pending = false;
        }

        // Comment delimiters, judged on the pair (previous, current).  A byte
        // that ends a delimiter belongs to the comment and is not copied.
        bool delimiter = false;
        if (prev == '/' && cur == '*') {
            if (s.in_block) {
                result.status = TEXT_PARSE_NESTED_COMMENT;
                break;
            }
            if (!s.in_line) {
                s.in_block = true;
                s.number = 0;
                s.reading_number = true;
                delimiter = true;
            }
        } else if (prev == '/' && cur == '/') {
            if (!s.in_block && !s.in_string) s.in_line = true;
        } else if (prev == '*' && cur == '/') {
            if (s.in_block) {
                s.in_block = false;
                s.reading_number = false;
                delimiter = true;
            } else if (!s.in_line) {
                result.status = TEXT_PARSE_STRAY_TERMINATOR;
                break;
            }
        } else if (prev == '\n' && cur == '#') {
            if (!s.in_block && !s.in_string) s.in_line = true;
        }

        const bool in_comment = s.in_block || s.in_line;
        if (cur == '"' && !in_comment) {
            if (s.in_string) {
                s.in_string = false;
            } else {
                s.string_pending = true;
            }
        } else if (cur == ',' && !in_comment && !s.in_string) {
            if (uint32_t(s.index) != s.number) {
                result.status = TEXT_PARSE_BAD_NUMBER;
                result.number = int32_t(s.number);
                break;
            }
            out.Put('\0');
            ++s.index;
            s.copied_since_comma = false;
            // Offsets are kept for the ids that exist; a file with more
            // entries is counted on and refused at the end.
            if (s.index < TEXT_COUNT) table[size_t(s.index)] = s.used;
        } else if (cur == '\r') {
            ++s.line;
            if (s.in_line && prev != '\\') s.in_line = false;
        }

        if (!in_comment && s.in_string && !delimiter) {
            if (cur == '\\' && i + 1 < raw.size()) {
                ++i;
                out.Put(EscapedByte(raw[i]));
                prev = raw[i];
                s.copied_since_comma = true;
                continue;
            }
            out.Put(char(cur));
            s.copied_since_comma = true;
        }

        if (s.in_block && !s.in_line && s.reading_number && cur >= '0' && cur <= '9') {
            s.number = s.number * 10 + uint32_t(cur - '0');
        }
        prev = cur;
    }

    result.line = s.line;
    result.index = s.index;
    if (result.status == TEXT_PARSE_OK) {
        if (s.copied_since_comma) out.Put('\0');
        if (s.index != TEXT_COUNT) result.status = TEXT_PARSE_BAD_COUNT;
    }
    result.used = s.used;
    return result;
}

void TextParseFailed(const char* file_name, const TextParseResult& r) {
    switch (r.status) {
    case TEXT_PARSE_NESTED_COMMENT:
        FatalError("(%s) NESTED 'Within Bracers' style comment found (Second occurrence at line %d )",
                   file_name, r.line);
    case TEXT_PARSE_STRAY_TERMINATOR:
        FatalError("(%s) NESTED 'Within Bracers' style terminator found (at line %d )", file_name,
                   r.line);
    case TEXT_PARSE_BAD_NUMBER:
        FatalError("(%s) Comment number incorect (Comment no %d) (Reported as %d) (at line %d)",
                   file_name, r.index, r.number, r.line);
    case TEXT_PARSE_BAD_COUNT:
        FatalError("(%s) Number of comments incorect - %d - should be %d", file_name, r.index,
                   TEXT_COUNT);
    case TEXT_PARSE_OK:
        break;
    }
    AbortError("text", __LINE__, "TextParseFailed(): called for a good parse");
}

const char* SkipNationCode(const char* text) {
    for (int i = 0; i < 3 && *text != '\0'; ++i) ++text;
    return text;
}

const char* GetText(int16_t id) {
    if (id >= TEXT_ID_BUILTIN_BASE) {
        const int entry = id - TEXT_ID_BUILTIN_BASE;
        if (entry < TEXT_BUILTIN_COUNT) return kBuiltinTexts[entry];
    } else if (id >= TEXT_ID_NATION_BASE) {
        return SkipNationCode(GetText(int16_t(TEXT_ID_NATION_TEXT + id - TEXT_ID_NATION_BASE)));
    } else if (id >= TEXT_ID_CLUB_BASE) {
        const char* name = ClubNameText(int16_t(id - TEXT_ID_CLUB_BASE));
        if (name != nullptr) return name;
    } else if (id >= 0) {
        if (id < TEXT_COUNT && g_text_block != nullptr) return g_text_block + TextTable[id];
    }
    // Ids below 0, and the ids that name nothing, give the empty text.
    g_empty_text[0] = '\0';
    return g_empty_text;
}

void InitText(uint16_t language) {
    FreeTextBlocks();
    const char* file_name = TextFileName(language);
    if (file_name == nullptr) FatalError("InitText() I have no knowlage of this case");

    const uint32_t size = PakLoadWholeFile(file_name, &g_raw_block, MEM_TYPE_MANUAL_NO_MOVE);
    AllocateMemory(&g_text_block, size, MEM_TYPE_MANUAL_NO_MOVE);
    DebugLog(DEBUG_GENERAL, 50, "Loading a language (%s):\nInital text size - %d bytes\n", file_name,
             int(size));

    const TextParseResult result = TextParse(std::span<const uint8_t>(g_raw_block, size),
                                             std::span<char>(g_text_block, size), TextTable);
    if (result.status != TEXT_PARSE_OK) {
        // Nothing of a broken file is kept.
        FreeTextBlocks();
        TextParseFailed(file_name, result);
    }
    FreeMemory(&g_raw_block);
    ResizeMemory(&g_text_block, result.used);
    DebugLog(DEBUG_GENERAL, 50, "Final text size - %d bytes\n", int(result.used));
}

void UninitText() {
    FreeTextBlocks();
    std::memset(TextTable, 0, sizeof TextTable);
}
