// Shape of the English language file, checked on its source form in data/.
// This reader is deliberately separate from the game's text loader: it is
// stricter (one numbered comment, literals, one comma per entry; no line
// comments) so that a slip in the file shows up here with the id at fault.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTextCount = 3201;
constexpr int kFirstNation = 2610;
constexpr int kNationCount = 116;

struct Entry {
    long number = -1;  // digits of the block comment before it
    std::string text;  // literals joined, escapes resolved, still UTF-8
    int line = 0;
};

struct Catalogue {
    std::vector<Entry> entries;
    std::vector<std::string> faults;
};

std::string ReadSource() {
    std::ifstream in(std::string(HALVORN_SOURCE_DIR) + "/data/textfile/engtext.c", std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// Splits the file into entries. Anything outside comments and literals other
// than blanks, the declaration and braces is a fault.
Catalogue ReadCatalogue(const std::string& src) {
    Catalogue cat;
    Entry cur;
    long lastNumber = -1;
    bool hasLiteral = false;
    int line = 1;
    auto fault = [&](const std::string& what) {
        cat.faults.push_back("line " + std::to_string(line) + ": " + what);
    };
    size_t i = 0;
    while (i < src.size()) {
        char c = src[i];
        if (c == '\n') {
            ++line;
            ++i;
            continue;
        }
        if (src.compare(i, 2, "//") == 0) {
            fault("line comment");
            ++i;
            continue;
        }
        if (src.compare(i, 2, "/*") == 0) {
            size_t end = src.find("*/", i + 2);
            if (end == std::string::npos) {
                fault("open comment");
                break;
            }
            std::string body = src.substr(i + 2, end - i - 2);
            if (body.find("/*") != std::string::npos) fault("nested comment");
            bool digits = false;
            long n = 0;
            for (char d : body) {
                if (d == '\n') ++line;
                if (d >= '0' && d <= '9') {
                    digits = true;
                    n = n * 10 + (d - '0');
                }
            }
            if (digits) lastNumber = n;
            i = end + 2;
            continue;
        }
        if (c == '"') {
            if (!hasLiteral) {
                cur = Entry{};
                cur.line = line;
            }
            hasLiteral = true;
            ++i;
            while (i < src.size() && src[i] != '"') {
                if (src[i] == '\n') {
                    fault("line end inside a literal");
                    ++line;
                }
                if (src.compare(i, 2, "/*") == 0 || src.compare(i, 2, "*/") == 0)
                    fault("comment delimiter inside a literal");
                if (src[i] == '\\') {
                    char e = i + 1 < src.size() ? src[i + 1] : '\0';
                    if (e == 'n')
                        cur.text += '\n';
                    else if (e == 't')
                        cur.text += '\t';
                    else if (e == '"' || e == '\\')
                        cur.text += e;
                    else
                        fault(std::string("unknown escape \\") + e);
                    i += 2;
                    continue;
                }
                cur.text += src[i++];
            }
            if (i >= src.size()) {
                fault("unterminated literal");
                break;
            }
            ++i;
            continue;
        }
        if (c == ',') {
            if (!hasLiteral) fault("comma without a literal");
            cur.number = lastNumber;
            cat.entries.push_back(cur);
            hasLiteral = false;
            lastNumber = -1;
            ++i;
            continue;
        }
        if (c == '#' && (i == 0 || src[i - 1] == '\n')) fault("hash line");
        if (hasLiteral && c != ' ' && c != '\t' && c != '\r') fault("stray byte after a literal");
        ++i;
    }
    if (hasLiteral) fault("literal after the last comma");
    return cat;
}

const Catalogue& Texts() {
    static const Catalogue cat = ReadCatalogue(ReadSource());
    return cat;
}

// Decodes UTF-8; returns false on a malformed sequence.
bool DecodeUtf8(const std::string& s, std::vector<uint32_t>& out) {
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        uint32_t cp = len == 1 ? b : b & (0x7F >> len);
        for (int k = 1; k < len; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        out.push_back(cp);
        i += len;
    }
    return true;
}

// The characters the game's fonts and single-byte text can carry.
bool InWindows1252(uint32_t cp) {
    static const std::set<uint32_t> upper = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
                                             0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
                                             0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
    if (cp == '\n' || cp == '\t') return true;
    if (cp >= 0x20 && cp <= 0x7E) return true;
    if (cp >= 0xA0 && cp <= 0xFF) return true;
    return upper.count(cp) != 0;
}

// A template placeholder: "$", slot 0 or 1, kind letter; a date takes a style
// digit. "$$" writes a dollar sign and its second "$" must start a placeholder.
std::string PlaceholderFault(const std::string& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '$') continue;
        size_t j = i + 1;
        while (j < t.size() && t[j] == '$') ++j;
        if (j >= t.size() || (t[j] != '0' && t[j] != '1'))
            return "placeholder without slot 0 or 1 at " + std::to_string(i);
        if (j + 1 >= t.size() || std::string("tpcrmndgs").find(t[j + 1]) == std::string::npos)
            return "unknown placeholder kind at " + std::to_string(i);
        if (t[j + 1] == 'd' && (j + 2 >= t.size() || t[j + 2] < '0' || t[j + 2] > '9'))
            return "date without a style digit at " + std::to_string(i);
        i = j + 1;
    }
    return "";
}

// Texts that screens use as printf formats carry only %d, %s and %%. The one
// text drawn as a bare percent sign beside a number is never a format.
constexpr int kPercentSignText = 620;

std::string FormatFault(const std::string& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '%') continue;
        if (i + 1 < t.size() && (t[i + 1] == 'd' || t[i + 1] == 's' || t[i + 1] == '%')) {
            ++i;
            continue;
        }
        return "stray % at " + std::to_string(i);
    }
    return "";
}

TEST(EngTextReader, CatchesBrokenEntries) {
    Catalogue ok = ReadCatalogue("char *t[] = {\n/* 0 */ \"a\" \"b\",\n/* 1 */ \"say \\\"hi\\\"\\n\",\n};\n");
    EXPECT_TRUE(ok.faults.empty());
    ASSERT_EQ(ok.entries.size(), 2u);
    EXPECT_EQ(ok.entries[0].text, "ab");
    EXPECT_EQ(ok.entries[1].text, "say \"hi\"\n");
    EXPECT_EQ(ok.entries[1].number, 1);
    EXPECT_FALSE(ReadCatalogue("/* 0 */ \"a/*b\",").faults.empty());
    EXPECT_FALSE(ReadCatalogue("/* 0 */ \"a\" // note\n,").faults.empty());
    EXPECT_FALSE(ReadCatalogue("/* 0 */ ,").faults.empty());
    EXPECT_EQ(ReadCatalogue("/* 0 */ \"a\", \"b\",").entries[1].number, -1);
    EXPECT_EQ(PlaceholderFault("$0p joins $1t for $$0m"), "");
    EXPECT_EQ(PlaceholderFault("on $0d1"), "");
    EXPECT_NE(PlaceholderFault("costs $5"), "");
    EXPECT_NE(PlaceholderFault("$0x"), "");
    EXPECT_NE(PlaceholderFault("on $0d"), "");
    EXPECT_NE(FormatFault("50% up"), "");
}

TEST(EngText, EveryIdOnceInOrder) {
    const Catalogue& cat = Texts();
    for (const std::string& f : cat.faults) ADD_FAILURE() << f;
    ASSERT_EQ(cat.entries.size(), static_cast<size_t>(kTextCount));
    for (int id = 0; id < kTextCount; ++id)
        EXPECT_EQ(cat.entries[id].number, id) << "entry at line " << cat.entries[id].line;
}

TEST(EngText, CharactersPlaceholdersAndFormats) {
    const Catalogue& cat = Texts();
    for (size_t id = 0; id < cat.entries.size(); ++id) {
        const std::string& t = cat.entries[id].text;
        std::vector<uint32_t> cps;
        ASSERT_TRUE(DecodeUtf8(t, cps)) << "text " << id << " is not UTF-8";
        for (uint32_t cp : cps)
            EXPECT_TRUE(InWindows1252(cp)) << "text " << id << " has U+" << std::hex << cp;
        EXPECT_EQ(PlaceholderFault(t), "") << "text " << id << ": " << t;
        if (id != kPercentSignText) {
            EXPECT_EQ(FormatFault(t), "") << "text " << id << ": " << t;
        }
    }
}

TEST(EngText, NationTextsStartWithADistinctCode) {
    const Catalogue& cat = Texts();
    ASSERT_GE(cat.entries.size(), static_cast<size_t>(kFirstNation + kNationCount));
    std::set<std::string> codes;
    for (int n = 0; n < kNationCount; ++n) {
        const std::string& t = cat.entries[kFirstNation + n].text;
        ASSERT_GT(t.size(), 3u) << "nation " << n;
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(t[k] >= 'A' && t[k] <= 'Z') << "nation " << n << ": " << t;
        EXPECT_NE(t[3], ' ') << "nation " << n << " name starts with a blank";
        EXPECT_TRUE(codes.insert(t.substr(0, 3)).second)
            << "nation " << n << " repeats code " << t.substr(0, 3);
    }
}

TEST(EngText, CalendarAndResultLetters) {
    const Catalogue& cat = Texts();
    ASSERT_EQ(cat.entries.size(), static_cast<size_t>(kTextCount));
    const char* days[] = {"Saturday", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday"};
    for (int d = 0; d < 7; ++d) EXPECT_EQ(cat.entries[2 + d].text, days[d]);
    EXPECT_EQ(cat.entries[9].text, "January");
    EXPECT_EQ(cat.entries[20].text, "December");
    for (int id : {138, 139, 140}) EXPECT_EQ(cat.entries[id].text.size(), 1u) << "text " << id;
}

// The player search's attribute panel gives each label 28 units beside its
// bar: the short names of the twenty attribute kinds are three letters.
TEST(EngText, SearchAttributeShortNamesFitTheirPanel) {
    const Catalogue& cat = Texts();
    ASSERT_EQ(cat.entries.size(), static_cast<size_t>(kTextCount));
    for (int id : {475, 476, 477, 478, 479, 480, 481, 482,  483, 484,
                   485, 486, 487, 488, 489, 589, 490, 1510, 491, 492})
        EXPECT_EQ(cat.entries[size_t(id)].text.size(), 3u)
            << "text " << id << ": " << cat.entries[size_t(id)].text;
}

// Counts "%" conversions of one letter.
int CountConversions(const std::string& t, char letter) {
    int n = 0;
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i] != '%') continue;
        if (t[i + 1] == letter) ++n;
        ++i;
    }
    return n;
}

TEST(EngText, FormatTextsTakeTheArgumentsTheirScreensPass) {
    const Catalogue& cat = Texts();
    ASSERT_EQ(cat.entries.size(), static_cast<size_t>(kTextCount));
    struct Format {
        int id, strings, numbers;
    };
    const Format formats[] = {
        {693, 2, 0},  // substitution question: incoming and outgoing player
        {975, 1, 0},  // tour question: nation
        {976, 1, 0},  // friendly question: club
        {850, 3, 0},  // move scouts: scouted region, chosen region, weekly cost
        {851, 2, 0},  // send scouts: region, weekly cost
        {73, 0, 1},   // drill length
        {977, 0, 1},  // finance list heading: week number
    };
    for (const Format& f : formats) {
        const std::string& t = cat.entries[f.id].text;
        EXPECT_EQ(CountConversions(t, 's'), f.strings) << "text " << f.id << ": " << t;
        EXPECT_EQ(CountConversions(t, 'd'), f.numbers) << "text " << f.id << ": " << t;
    }
}

TEST(EngText, MatchDayFlashesUseOnlyTheFilledPlaceholders) {
    const Catalogue& cat = Texts();
    ASSERT_EQ(cat.entries.size(), static_cast<size_t>(kTextCount));
    // The flash builders fill $0t, $1t, $0p and $0m themselves, each once.
    for (int id = 1259; id <= 1267; ++id) {
        const std::string& t = cat.entries[id].text;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] != '$') continue;
            std::string ph = t.substr(i, 3);
            EXPECT_TRUE(ph == "$0t" || ph == "$1t" || ph == "$0p" || ph == "$0m")
                << "text " << id << ": " << t;
            EXPECT_EQ(t.find(ph, i + 1), std::string::npos) << "text " << id << " repeats " << ph;
        }
        EXPECT_EQ(t.find("$0m") != std::string::npos, id == 1262) << "text " << id;
    }
    EXPECT_EQ(cat.entries[1267].text.find("$1t"), std::string::npos);
    // Appended to the referee line without expansion.
    EXPECT_EQ(cat.entries[2486].text.find('$'), std::string::npos);
}

}  // namespace
