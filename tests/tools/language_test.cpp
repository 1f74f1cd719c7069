// The language file as the data kit ships it, and the game loading it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "tests/fakes/text_env.h"
#include "tools/datakit/language.h"
#include "tools/datakit/stage.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Convert(const std::string& utf8) {
    std::string error;
    std::optional<Bytes> out = datakit::ConvertTextFile(utf8, &error);
    EXPECT_TRUE(out.has_value()) << error;
    return out.value_or(Bytes{});
}

std::string Failure(const std::string& utf8) {
    std::string error;
    EXPECT_FALSE(datakit::ConvertTextFile(utf8, &error).has_value());
    return error;
}

TEST(LanguageFile, Utf8BecomesWindows1252WithCrLf) {
    EXPECT_EQ(Convert("a\nb\r\nc\n"), Bytes({'a', '\r', '\n', 'b', '\r', '\n', 'c', '\r', '\n'}));
    EXPECT_EQ(Convert("\xC2\xA3 \xC3\xA9\xC3\xBF"), Bytes({0xA3, ' ', 0xE9, 0xFF}));  // £ é ÿ
    EXPECT_EQ(Convert("\xE2\x82\xAC\xE2\x80\x99\xE2\x80\x94\xC5\xB8"),
              Bytes({0x80, 0x92, 0x97, 0x9F}));  // € ’ — Ÿ
    EXPECT_EQ(Convert(""), Bytes{});
}

TEST(LanguageFile, TextOutsideTheCodePageIsRefusedWithItsLine) {
    EXPECT_EQ(Failure("ok\n\xE4\xB8\xAD"), "line 2: character U+4E2D is not in Windows-1252");
    EXPECT_EQ(Failure("\xC2\x81"), "line 1: character U+0081 is not in Windows-1252");
    EXPECT_EQ(Failure("a\n\n\xC3"), "line 3: not UTF-8");  // cut short
    EXPECT_EQ(Failure("\xC0\xAF"), "line 1: not UTF-8");   // overlong "/"
    EXPECT_EQ(Failure("\xFF"), "line 1: not UTF-8");
    EXPECT_EQ(Failure("\xE2\x28\xA1"), "line 1: not UTF-8");  // bad continuation
}

// The shipped English file, as staged, loads through the game's own loader.
TEST(LanguageFile, ShippedEnglishFileLoads) {
    InitMemory(9500);
    datakit::ClearStage();
    datakit::SetSourceDir(HALVORN_SOURCE_DIR);
    datakit::GenerateLanguageTexts();
    std::vector<const datakit::StagedFile*> staged = datakit::StagedPakFiles();
    // The texts and the general help beside them.
    ASSERT_EQ(staged.size(), 2u);
    EXPECT_EQ(staged[0]->name, "TEXTFILE\\ENGTEXT.C");
    EXPECT_EQ(staged[1]->name, "TEXTFILE\\HELP.TXT");
    EXPECT_GT(staged[1]->bytes.size(), 100u);
    const std::string bytes(staged[0]->bytes.begin(), staged[0]->bytes.end());
    datakit::ClearStage();
    UninitMemory();

    testenv::LoadTextFile(bytes);
    EXPECT_STRNE(GetText(10), "");                    // a month name
    EXPECT_EQ(std::string(GetText(434)).size(), 1u);  // the money prefix, one byte in the code page
    testenv::UnloadTexts();
}

}  // namespace

namespace {

// A news-flash template of 299 characters or more is refused with its id;
// 298 passes, and other texts may be longer.
TEST(LanguageFile, OverLongFlashTemplatesAreRefused) {
    const auto file = [](int id, size_t length) {
        return "/* 1258 */ \"" + std::string(400, 'a') + "\",\n/* " + std::to_string(id) + " */ \"" +
               std::string(length - 3, 'b') + "\" \"\\\"cc\",\n/* 1268 */ \"x\",\n";
    };
    std::string error;
    EXPECT_TRUE(datakit::CheckFlashTemplates(file(1262, 298), &error)) << error;
    EXPECT_EQ(datakit::LanguageEntry(file(1262, 298), 1262)->size(), 298u);
    EXPECT_FALSE(datakit::CheckFlashTemplates(file(1267, 299), &error));
    EXPECT_NE(error.find("text 1267"), std::string::npos) << error;
    EXPECT_FALSE(datakit::CheckFlashTemplates(file(1259, 300), &error));
    EXPECT_FALSE(datakit::LanguageEntry(file(1262, 298), 1300).has_value());
}

}  // namespace
