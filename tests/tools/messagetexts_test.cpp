#include "tools/datakit/messagetexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/season/messagetexts.h"

namespace {

using datakit::MessageTexts;
using datakit::ParseMessageTexts;

// A whole file: every number with a title and one body; `replace` swaps in
// other lines for one number's block.
std::string File(int replaceNumber = -1, const std::string& replacement = "") {
    std::string text = "# test file\n";
    for (int n = 0; n < kMessageTypeCount; ++n) {
        text += "@ " + std::to_string(n) + "\n";
        text += n == replaceNumber ? replacement : "args: t0\ntitle: Title\nbody: $0t news\n";
        text += "\n";
    }
    return text;
}

std::string ErrorOf(const std::string& text) {
    std::vector<MessageTexts> out;
    std::string error;
    EXPECT_FALSE(ParseMessageTexts(text, &out, &error));
    return error;
}

TEST(MessageTextsKit, TheAuthoredFileParses) {
    std::ifstream in(std::string(HALVORN_SOURCE_DIR) + "/data/messages/messages.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<MessageTexts> out;
    std::string error;
    ASSERT_TRUE(ParseMessageTexts(text, &out, &error)) << error;
    ASSERT_EQ(out.size(), size_t(kMessageTypeCount));
    EXPECT_EQ(out[45].headlines[4], "$0t go down");
    EXPECT_EQ(out[11].title, "New Attendance Record");
}

TEST(MessageTextsKit, BlocksAreConvertedAndWrittenAsSource) {
    const std::string block =
        "args: t0 p0 m\ntitle: Caf\xC3\xA9 $0p\nheadline: a\nheadline: b\nheadline: \nheadline: d\n"
        "headline: e \"quoted\"\nbody: one\nbody: two\n";
    std::vector<MessageTexts> out;
    std::string error;
    ASSERT_TRUE(ParseMessageTexts(File(7, block), &out, &error)) << error;
    EXPECT_EQ(out[7].title, "Caf\xE9 $0p");
    EXPECT_EQ(out[7].headlines[2], "");
    EXPECT_EQ(out[7].bodies.size(), 2u);
    EXPECT_EQ(out[8].headlines[0], "") << "a block without headlines has five empty ones";
    const std::string source = datakit::MessageTableSource(out);
    EXPECT_NE(source.find("\"Caf\\351 $0p\""), std::string::npos);
    EXPECT_NE(source.find("\"e \\\"quoted\\\"\""), std::string::npos);
}

TEST(MessageTextsKit, MissingOrMisplacedNumbersAreRefused) {
    std::string text = File();
    const size_t at = text.find("@ 17\n");
    text.erase(at, text.find("@ 18\n") - at);
    EXPECT_NE(ErrorOf(text).find("message 17 is missing"), std::string::npos);
    EXPECT_NE(ErrorOf(File().substr(0, File().find("@ 292"))).find("message 292 is missing"),
              std::string::npos);
    EXPECT_NE(ErrorOf(File(3, "args:\ntitle:\nbody: x\n@ 3\n")).find("twice"), std::string::npos);
    EXPECT_NE(ErrorOf(File() + "@ 293\n").find("not a message number"), std::string::npos);
    EXPECT_NE(ErrorOf("title: x\n" + File()).find("before the first"), std::string::npos);
}

TEST(MessageTextsKit, IncompleteBlocksAreRefused) {
    EXPECT_NE(ErrorOf(File(5, "title: x\nbody: y\n")).find("message 5: \"args:\" must come"),
              std::string::npos);
    EXPECT_NE(ErrorOf(File(5, "args:\nbody: y\n")).find("message 5 has no title"), std::string::npos);
    EXPECT_NE(ErrorOf(File(5, "args:\ntitle: x\n")).find("message 5 has no body"), std::string::npos);
    EXPECT_NE(ErrorOf(File(5, "args:\ntitle: x\nheadline: a\nbody: y\n")).find("1 headlines"),
              std::string::npos);
    std::string six = "args:\ntitle: x\n";
    for (int i = 0; i < 6; ++i) six += "body: b\n";
    EXPECT_NE(ErrorOf(File(5, six)).find("more than five bodies"), std::string::npos);
    EXPECT_NE(ErrorOf(File(5, "args:\ntitle: x\nbody:\n")).find("empty body"), std::string::npos);
    EXPECT_NE(ErrorOf(File(5, "args: q9\ntitle: x\nbody: y\n")).find("unknown argument \"q9\""),
              std::string::npos);
    EXPECT_NE(ErrorOf(File(5, "args:\ntitle: x\nsubject: y\nbody: y\n")).find("unknown key"),
              std::string::npos);
}

TEST(MessageTextsKit, PlaceholdersMustBeKnownAndCarried) {
    auto error = [](const std::string& body) {
        return ErrorOf(File(9, "args: t0 p0 d0\ntitle: x\nbody: " + body + "\n"));
    };
    EXPECT_NE(error("cost $0x").find("message 9 body 1 \"cost $0x\": unknown placeholder \"$0x\""),
              std::string::npos);
    EXPECT_NE(error("slot $2t").find("no slot digit"), std::string::npos);
    EXPECT_NE(error("ends $0").find("cut short"), std::string::npos);
    EXPECT_NE(error("ends $").find("cut short"), std::string::npos);
    EXPECT_NE(error("$1t won").find("needs argument t1"), std::string::npos);
    EXPECT_NE(error("$0m paid").find("needs argument m"), std::string::npos);
    EXPECT_NE(error("on $0d").find("style digit"), std::string::npos);
    // "$$" writes a dollar sign and needs a placeholder after it.
    EXPECT_NE(error("$$ ok").find("no slot digit"), std::string::npos);
    std::vector<MessageTexts> out;
    std::string why;
    EXPECT_TRUE(
        ParseMessageTexts(File(9, "args: t0 p0 d0\ntitle: x\nbody: $0c $0r $$0p on $0d1\n"), &out, &why))
        << why;
}

TEST(MessageTextsKit, TextsMustFitTheExpanderAndTheCodePage) {
    EXPECT_NE(
        ErrorOf(File(4, "args:\ntitle: x\nbody: " + std::string(2100, 'a') + "\n")).find("may expand to"),
        std::string::npos);
    std::string lists = "args: g0\ntitle: x\nbody: ";
    for (int i = 0; i < 8; ++i) lists += "$0g ";
    EXPECT_NE(ErrorOf(File(4, lists + "\n")).find("more than the expander's"), std::string::npos);
    EXPECT_NE(ErrorOf(File(4, "args:\ntitle: x\nbody: \xE4\xB8\xAD\n")).find("within Windows-1252"),
              std::string::npos);
    EXPECT_NE(ErrorOf(File(4, "args:\ntitle: x\nbody: \xC3\n")).find("message 4"), std::string::npos);
    EXPECT_NE(ErrorOf(File(4, "args:\ntitle: x\nbody: a\tb\n")).find("control character"), std::string::npos);
}

}  // namespace
