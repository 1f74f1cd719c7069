#include "core/records/text.h"

#include <cstring>

#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/records/ranges.h"
#include "core/records/records.h"

uint32_t TextTable[TEXT_COUNT];

namespace {

struct LanguageFile {
    uint16_t language;
    const char* file_name;
};

constexpr LanguageFile kLanguageFiles[] = {
    {3, "textfile\\cattext.c"},  {4, "textfile\\hv03chn.eng"}, {7, "textfile\\gertext.c"},
    {8, "textfile\\gretext.c"},  {9, "textfile\\engtext.c"},   {10, "textfile\\spatext.c"},
    {12, "textfile\\fretext.c"}, {16, "textfile\\itatext.c"},  {19, "textfile\\duttext.c"},
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
// Each club's name as last looked up, in a place of its own: a screen that
// keeps the names of several clubs (a division's list, a title beside the
// fixtures) keeps them all, where one shared place showed the last club
// asked for everywhere.
char g_club_names[kClubCount][kClubNameLength + 1];

// One walk over a text file.  The state is the set of flags the file's
// syntax needs; every byte is judged together with the one before it.
class TextParser {
  public:
    TextParser(std::span<const uint8_t> raw, std::span<char> text, std::span<uint32_t, TEXT_COUNT> table)
        : raw_(raw), text_(text), table_(table) {}

    TextParseResult Run() {
        table_[0] = 0;
        for (pos_ = 0; pos_ < raw_.size() && result_.status == TEXT_PARSE_OK; ++pos_) Step(raw_[pos_]);
        result_.line = line_;
        result_.index = index_;
        if (result_.status == TEXT_PARSE_OK) {
            // Text after the last comma is kept, ended, and counts as no entry.
            if (copied_since_comma_) Put('\0');
            if (index_ != TEXT_COUNT) result_.status = TEXT_PARSE_BAD_COUNT;
        }
        result_.used = used_;
        return result_;
    }

  private:
    void Step(uint8_t cur) {
        if (string_pending_) {
            in_string_ = true;
            string_pending_ = false;
        }
        const bool delimiter = Delimiters(cur);
        if (result_.status != TEXT_PARSE_OK) return;
        const bool in_comment = in_block_ || in_line_;
        if (cur == '"' && !in_comment) {
            if (in_string_)
                in_string_ = false;
            else
                string_pending_ = true;
        } else if (cur == ',' && !in_comment && !in_string_) {
            EndEntry();
            if (result_.status != TEXT_PARSE_OK) return;
        } else if (cur == '\r') {
            ++line_;
            // A backslash before the line end carries a line comment on.
            if (in_line_ && prev_ != '\\') in_line_ = false;
        }
        if (!in_comment && in_string_ && !delimiter) {
            Copy(cur);
        } else if (in_block_ && !in_line_ && reading_number_ && cur >= '0' && cur <= '9') {
            number_ = number_ * 10 + uint32_t(cur - '0');
        }
        prev_ = raw_[pos_];
    }

    // Comment delimiters on the pair (previous, current).  Returns true when
    // the byte ends a delimiter, which then belongs to the comment.
    bool Delimiters(uint8_t cur) {
        if (prev_ == '/' && cur == '*') {
            if (in_block_) {
                result_.status = TEXT_PARSE_NESTED_COMMENT;
                return true;
            }
            if (in_line_) return false;
            in_block_ = true;
            number_ = 0;
            reading_number_ = true;
            return true;
        }
        if (prev_ == '*' && cur == '/') {
            if (in_block_) {
                in_block_ = false;
                reading_number_ = false;
                return true;
            }
            if (!in_line_) result_.status = TEXT_PARSE_STRAY_TERMINATOR;
            return false;
        }
        // "//", and "#" at the start of a line, open a line comment.
        if (((prev_ == '/' && cur == '/') || (prev_ == '\n' && cur == '#')) && !in_block_ && !in_string_) {
            in_line_ = true;
        }
        return false;
    }

    void EndEntry() {
        if (uint32_t(index_) != number_) {
            result_.status = TEXT_PARSE_BAD_NUMBER;
            result_.number = int32_t(number_);
            return;
        }
        Put('\0');
        ++index_;
        copied_since_comma_ = false;
        // Offsets are kept for the ids that exist; a file with more entries
        // is counted on and refused at the end.
        if (index_ < TEXT_COUNT) table_[size_t(index_)] = used_;
    }

    // Copies a byte of a literal; a backslash takes the next byte with it.
    void Copy(uint8_t cur) {
        copied_since_comma_ = true;
        if (cur != '\\' || pos_ + 1 >= raw_.size()) {
            Put(char(cur));
            return;
        }
        const uint8_t next = raw_[++pos_];
        Put(next == 'n' ? '\n' : next == 't' ? '\t' : char(next));
    }

    void Put(char c) {
        // The parser writes at most one byte per byte read, so a block as
        // large as the file always has room; the check keeps a caller with a
        // smaller block safe all the same.
        if (used_ >= text_.size()) AbortError("text", __LINE__, "TextParse(): text block too small");
        text_[used_++] = c;
    }

    std::span<const uint8_t> raw_;
    std::span<char> text_;
    std::span<uint32_t, TEXT_COUNT> table_;
    TextParseResult result_;
    size_t pos_ = 0;
    uint8_t prev_ = 'a';  // the start counts as an ordinary letter, not a line end
    bool in_block_ = false;
    bool in_line_ = false;
    bool in_string_ = false;
    bool string_pending_ = false;
    bool reading_number_ = false;
    bool copied_since_comma_ = false;
    uint32_t number_ = 0;
    int32_t line_ = 1;
    int32_t index_ = 0;
    uint32_t used_ = 0;
};

const char* ClubNameText(int16_t club) {
    if (!IsClubNumber(club)) return nullptr;
    char* name = g_club_names[club];
    std::memcpy(name, ClubNameRecords[club].text[0], kClubNameLength);
    name[kClubNameLength] = '\0';
    return name;
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
    return TextParser(raw, text, table).Run();
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
