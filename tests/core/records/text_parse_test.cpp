// The text-file parser on files built in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/records/text.h"
#include "tests/fakes/test_util.h"

namespace {

// A well-formed file of `count` entries, entry n reading "T<n>", in the
// shape the shipped files have: a declaration, then "/* n */ "text",".
std::string NumberedFile(int count, const std::string& line_end = "\r\n") {
    std::string file = "char *text[] =" + line_end + "{" + line_end;
    for (int n = 0; n < count; ++n) {
        file += "/* " + std::to_string(n) + " */ \"T" + std::to_string(n) + "\"," + line_end;
    }
    return file + "};" + line_end;
}

// Replaces the entry line of id n by `entry`.
std::string WithEntry(std::string file, int n, const std::string& entry) {
    const std::string old = "/* " + std::to_string(n) + " */ \"T" + std::to_string(n) + "\",";
    size_t at = file.find(old);
    EXPECT_NE(at, std::string::npos);
    return file.replace(at, old.size(), entry);
}

struct Parsed {
    TextParseResult result;
    std::vector<char> text;
    std::vector<uint32_t> table = std::vector<uint32_t>(TEXT_COUNT, 0xDEADBEEF);
    std::string Text(int id) const { return std::string(text.data() + table[size_t(id)]); }
};

Parsed Parse(const std::string& file) {
    Parsed p;
    p.text.assign(file.size(), '\x7F');
    p.result =
        TextParse(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file.data()), file.size()),
                  std::span<char>(p.text), std::span<uint32_t, TEXT_COUNT>(p.table.data(), TEXT_COUNT));
    return p;
}

TEST(TextParse, WellFormedFileIndexesEveryEntry) {
    Parsed p = Parse(NumberedFile(TEXT_COUNT));
    ASSERT_EQ(p.result.status, TEXT_PARSE_OK);
    EXPECT_EQ(p.result.index, TEXT_COUNT);
    EXPECT_EQ(p.table[0], 0u);
    EXPECT_EQ(p.Text(0), "T0");
    EXPECT_EQ(p.Text(1750), "T1750");
    EXPECT_EQ(p.Text(3200), "T3200");
    // Every entry's text plus its NUL and nothing else.
    size_t expected = 0;
    for (int n = 0; n < TEXT_COUNT; ++n) expected += 2 + std::to_string(n).size();
    EXPECT_EQ(p.result.used, expected);
}

TEST(TextParse, LiteralsEscapesAndDelimitersInsideEntries) {
    std::string file = NumberedFile(TEXT_COUNT);
    file = WithEntry(file, 1, "/* 1 */ \"first \" \"second\",");       // adjacent literals join
    file = WithEntry(file, 2, "/* 2 */ \"a\\nb\\tc\\\"d\\\\e\\q\",");  // escapes
    file = WithEntry(file, 3, "/* 3 */ \"one, two\",");                // comma inside a literal
    file = WithEntry(file, 4, "/* 4, or so */ \"x\",");                // comma inside a comment
    file = WithEntry(file, 5, "/* 5 */ \"http://x\",");                // "//" inside a literal is text
    file = WithEntry(file, 6, "/* 6 */ \"ab/*6*/cd\",");              // "/*" inside a literal opens a comment
    file = WithEntry(file, 7, "/* 7 */ \"\",");                       // an empty text
    file = WithEntry(file, 8, "/* 8 */ \"a\" // \"b\",\r\n \"c\",");  // a line comment up to the CR
    file = WithEntry(file, 9, "/* 9 */ \"a\"\r\n#define X \"b\",\r\n\"c\",");  // "#" at a line start
    file = WithEntry(file, 10, "/* 99 */ /* 10 */ \"z\",");   // the last comment's number counts
    file = WithEntry(file, 11, "/* id 1, line 1 */ \"w\",");  // every digit counts
    Parsed p = Parse(file);
    ASSERT_EQ(p.result.status, TEXT_PARSE_OK) << p.result.index << " " << p.result.number;
    EXPECT_EQ(p.Text(1), "first second");
    EXPECT_EQ(p.Text(2), "a\nb\tc\"d\\eq");
    EXPECT_EQ(p.Text(3), "one, two");
    EXPECT_EQ(p.Text(4), "x");
    EXPECT_EQ(p.Text(5), "http://x");
    EXPECT_EQ(p.Text(6), "ab/cd");
    EXPECT_EQ(p.Text(7), "");
    EXPECT_EQ(p.Text(8), "ac");
    EXPECT_EQ(p.Text(9), "ac");
    EXPECT_EQ(p.Text(10), "z");
    EXPECT_EQ(p.Text(11), "w");
    EXPECT_EQ(p.Text(12), "T12");
}

TEST(TextParse, CommentContinuationAndStartOfFile) {
    // A backslash before the CR carries a line comment over to the next line.
    std::string file = NumberedFile(TEXT_COUNT);
    file = WithEntry(file, 3, "/* 3 */ \"a\" // more \\\r\n \"hidden\"\r\n \"b\",");
    // A "#" as the file's first byte is no comment: the start is no line end.
    file = "#/* 0 */ \"A\"," + WithEntry(file, 0, "");
    Parsed p = Parse(file);
    ASSERT_EQ(p.result.status, TEXT_PARSE_OK);
    EXPECT_EQ(p.Text(0), "A");
    EXPECT_EQ(p.Text(3), "ab");
}

TEST(TextParse, TrailingTextIsKeptButIsNoEntry) {
    std::string file = NumberedFile(TEXT_COUNT) + "\"tail";
    Parsed p = Parse(file);
    ASSERT_EQ(p.result.status, TEXT_PARSE_OK);
    const char* tail = p.text.data() + p.table[3200] + std::strlen("T3200") + 1;
    EXPECT_STREQ(tail, "tail");
    // A backslash as the last byte is copied as it is.
    Parsed q = Parse(NumberedFile(TEXT_COUNT) + "\"x\\");
    ASSERT_EQ(q.result.status, TEXT_PARSE_OK);
    EXPECT_STREQ(q.text.data() + q.result.used - 3, "x\\");
}

TEST(TextParse, FailuresCarryTheirNumbers) {
    Parsed few = Parse(NumberedFile(3200));
    EXPECT_EQ(few.result.status, TEXT_PARSE_BAD_COUNT);
    EXPECT_EQ(few.result.index, 3200);

    // More entries than ids: counted on, never written past the table.
    Parsed many = Parse(NumberedFile(3500));
    EXPECT_EQ(many.result.status, TEXT_PARSE_BAD_COUNT);
    EXPECT_EQ(many.result.index, 3500);

    Parsed wrong = Parse(WithEntry(NumberedFile(TEXT_COUNT), 11, "/* 12 */ \"x\","));
    EXPECT_EQ(wrong.result.status, TEXT_PARSE_BAD_NUMBER);
    EXPECT_EQ(wrong.result.index, 11);
    EXPECT_EQ(wrong.result.number, 12);
    EXPECT_EQ(wrong.result.line, 14);  // two declaration lines, then entry 11 on line 14

    // A literal without its own comment keeps the previous number.
    Parsed uncommented = Parse(WithEntry(NumberedFile(TEXT_COUNT), 5, "\"x\","));
    EXPECT_EQ(uncommented.result.status, TEXT_PARSE_BAD_NUMBER);
    EXPECT_EQ(uncommented.result.number, 4);
    // ...which the first entry may do, its number being 0.
    EXPECT_EQ(Parse(WithEntry(NumberedFile(TEXT_COUNT), 0, "\"x\",")).result.status, TEXT_PARSE_OK);

    Parsed nested = Parse("\r\n\r\n/* a /* b */");
    EXPECT_EQ(nested.result.status, TEXT_PARSE_NESTED_COMMENT);
    EXPECT_EQ(nested.result.line, 3);

    EXPECT_EQ(Parse("\"ab*/\"").result.status, TEXT_PARSE_STRAY_TERMINATOR);
    EXPECT_EQ(Parse("x */").result.status, TEXT_PARSE_STRAY_TERMINATOR);
    // Inside a line comment both delimiters are ignored.
    EXPECT_EQ(Parse("// */ /*\r\n").result.status, TEXT_PARSE_BAD_COUNT);
}

TEST(TextParse, LineCountFollowsCarriageReturns) {
    Parsed p = Parse(WithEntry(NumberedFile(TEXT_COUNT, "\n"), 11, "/* 12 */ \"x\","));
    EXPECT_EQ(p.result.status, TEXT_PARSE_BAD_NUMBER);
    EXPECT_EQ(p.result.line, 1);
}

TEST(TextParse, EntriesWithoutLiteralsAreEmptyTexts) {
    std::string file;
    for (int n = 0; n < TEXT_COUNT; ++n) file += "/*" + std::to_string(n) + "*/,";
    Parsed p = Parse(file);
    ASSERT_EQ(p.result.status, TEXT_PARSE_OK);
    EXPECT_EQ(p.result.used, uint32_t(TEXT_COUNT));
    EXPECT_EQ(p.table[3200], 3200u);
    EXPECT_EQ(p.Text(3200), "");

    Parsed empty = Parse("");
    EXPECT_EQ(empty.result.status, TEXT_PARSE_BAD_COUNT);
    EXPECT_EQ(empty.result.used, 0u);
}

using TextParseDeathTest = ::testing::Test;

TEST(TextParseDeathTest, EveryFailureStopsWithItsMessage) {
    const char* name = "textfile\\test.c";
    EXPECT_FATAL(TextParseFailed(name, Parse(NumberedFile(3200)).result),
                 "\\(textfile\\\\test.c\\) Number of comments incorect - 3200 - should be 3201");
    EXPECT_FATAL(
        TextParseFailed(name, Parse(WithEntry(NumberedFile(TEXT_COUNT), 11, "/* 12 */ \"x\",")).result),
        "\\(textfile\\\\test.c\\) Comment number incorect \\(Comment no 11\\) \\(Reported as 12\\) "
        "\\(at line 14\\)");
    EXPECT_FATAL(TextParseFailed(name, Parse("\r\n/* /*").result),
                 "\\(textfile\\\\test.c\\) NESTED 'Within Bracers' style comment found \\(Second "
                 "occurrence at line 2 \\)");
    EXPECT_FATAL(TextParseFailed(name, Parse("*/").result),
                 "\\(textfile\\\\test.c\\) NESTED 'Within Bracers' style terminator found \\(at line 1 \\)");
}

// A caller's text block shorter than the texts: the parse stops at the
// block's end, with the rest of a larger buffer behind it untouched.
TEST(TextParseDeathTest, ATextBlockTooSmallStopsTheParse) {
    const std::string file = NumberedFile(2);
    std::vector<char> text(16, '\x7F');
    std::vector<uint32_t> table(TEXT_COUNT, 0);
    EXPECT_FATAL(
        TextParse(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file.data()), file.size()),
                  std::span<char>(text).first(4), std::span<uint32_t, TEXT_COUNT>(table.data(), TEXT_COUNT)),
        "TextParse\\(\\): text block too small");
}

}  // namespace

namespace {

// The English file as authored in data/ goes through the game's parser.
TEST(TextParse, EnglishSourceFileParses) {
    std::ifstream in(std::string(HALVORN_SOURCE_DIR) + "/data/textfile/engtext.c", std::ios::binary);
    ASSERT_TRUE(in) << "no English text file";
    std::ostringstream all;
    all << in.rdbuf();
    Parsed p = Parse(all.str());
    ASSERT_EQ(p.result.status, TEXT_PARSE_OK) << "entry " << p.result.index << " number " << p.result.number;
}

}  // namespace
