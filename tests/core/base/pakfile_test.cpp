#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/base/compress.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "tests/fakes/byte_writer.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testenv::WriteHostFile;

Bytes Numbers(size_t n, int seed) {
    Bytes out(n);
    for (size_t i = 0; i < n; ++i) out[i] = uint8_t((i * 31 + size_t(seed)) % 251);
    return out;
}

// Each test works in its own scratch folder with a running memory manager.
class PakTest : public ::testing::Test {
  protected:
    void SetUp() override { InitMemory(9500); }
    void TearDown() override {
        if (PakFileStatus() != 0) PakFileUninit();
        UninitMemory();
    }
    void Ready(std::initializer_list<const char*> bases) {
        PakFileInit();
        for (const char* base : bases) PakAddFile(base);
        PakFileAddDone();
    }
    Bytes Read(const char* name) {
        PakFile* file = PakOpenFile(name);
        Bytes out(file->size);
        EXPECT_EQ(PakReadWholeFile(out.data(), file), out.size());
        PakCloseFile(file);
        return out;
    }
    testenv::ScratchDir scratch_;
};

TEST_F(PakTest, NamesMatchInAnyCaseAndSlashForm) {
    testenv::WritePak("pakfiles/demo", {{"Stats\\TotStat.dat", testenv::Bytes("totals")},
                                        {"textfile\\eng.txt", Numbers(5000, 1), COMPRESS_MTF_HUFFMAN}});
    Ready({"pakfiles\\demo"});
    EXPECT_EQ(Read("stats/totstat.dat"), testenv::Bytes("totals"));
    EXPECT_EQ(Read("STATS\\TOTSTAT.DAT"), testenv::Bytes("totals"));
    EXPECT_EQ(Read("TextFile/ENG.txt"), Numbers(5000, 1));
    EXPECT_EQ(PakCheckFile("textfile\\ENG.TXT"), 1);
    EXPECT_EQ(PakCheckFile("textfile\\eng.tx"), 0);
    PakFile* file = PakOpenFile("stats/totstat.dat");
    EXPECT_STREQ(PakFileName(file), "STATS\\TOTSTAT.DAT");
    PakCloseFile(file);
}

TEST_F(PakTest, HostPathsMatchExistingNamesCaseInsensitively) {
    WriteHostFile("Data/Sub/File.Bin", "x");
    EXPECT_EQ(HostPath("DATA\\SUB\\FILE.BIN"), "Data/Sub/File.Bin");
    EXPECT_EQ(HostPath("data/sub/file.bin"), "Data/Sub/File.Bin");
    EXPECT_EQ(HostPath(".\\data\\SUB\\new.txt"), "./Data/Sub/new.txt");
    EXPECT_EQ(HostPath("data\\Missing\\x.txt"), "Data/Missing/x.txt");
    std::string absolute = std::filesystem::current_path().string() + "/DATA/sub";
    EXPECT_EQ(HostPath(absolute), std::filesystem::current_path().string() + "/Data/Sub");
    EXPECT_EQ(DOSFileExists("data\\sub\\file.bin"), 1);
    EXPECT_EQ(DOSFileExists("data\\sub"), 0);  // a folder is not a file
}

TEST_F(PakTest, FirstArchiveAddedWinsAndLaterLooseFilesAreIgnored) {
    testenv::WritePak("one", {{"a\\same.txt", testenv::Bytes("from one")}});
    testenv::WritePak("two",
                      {{"A\\SAME.TXT", testenv::Bytes("from two")}, {"b.txt", testenv::Bytes("only two")}});
    WriteHostFile("a/same.txt", "loose");
    WriteHostFile("a/other.txt", "loose other");
    WriteHostFile("loose.pkl", "a\\*.txt\r\n");
    Ready({"one", "two", "loose"});
    EXPECT_EQ(Read("a\\same.txt"), testenv::Bytes("from one"));
    EXPECT_EQ(Read("b.txt"), testenv::Bytes("only two"));
    EXPECT_EQ(Read("a\\other.txt"), testenv::Bytes("loose other"));
}

TEST_F(PakTest, EachReadyTableHasItsOwnGenerationAndNoneHasNone) {
    testenv::WritePak("g", {{"a", testenv::Bytes("a")}});
    EXPECT_EQ(PakTableGeneration(), 0u);
    PakFileInit();
    PakAddFile("g");
    EXPECT_EQ(PakTableGeneration(), 0u);  // still being filled
    PakFileAddDone();
    const uint32_t first = PakTableGeneration();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(PakTableGeneration(), first);
    PakFileUninit();
    EXPECT_EQ(PakTableGeneration(), 0u);
    Ready({"g"});
    EXPECT_NE(PakTableGeneration(), 0u);
    EXPECT_NE(PakTableGeneration(), first);
}

TEST_F(PakTest, PartialReads) {
    testenv::WritePak("p", {{"packed", Numbers(100, 2), COMPRESS_LZ77}, {"plain", Numbers(100, 3)}});
    Ready({"p"});
    PakFile* plain = PakOpenFile("plain");
    Bytes part(10);
    PakReadFile(part.data(), 90, 10, plain);
    Bytes whole = Numbers(100, 3);
    EXPECT_EQ(part, Bytes(whole.begin() + 90, whole.end()));
    PakCloseFile(plain);
    EXPECT_EQ(Read("packed"), Numbers(100, 2));
}

TEST_F(PakTest, OpenCountsAndTheShutdownWarning) {
    testenv::WritePak("p", {{"f", testenv::Bytes("data")}});
    Ready({"p"});
    PakFile* a = PakOpenFile("f");
    PakFile* b = PakOpenFile("F");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->open_count, 2);
    PakCloseFile(a);
    PakCloseFile(a);
    EXPECT_FATAL(PakCloseFile(a), "PakCloseFile\\(\\): already fully closed");
    PakOpenFile("f");
    StdoutCapture out;
    PakFileUninit();
    EXPECT_EQ(out.Text(), "Warning: file 'F' not closed\n");
}

TEST_F(PakTest, LoadWholeFileMakesAManagedBlock) {
    testenv::WritePak("p", {{"gfx\\pic.tga", Numbers(3000, 4), COMPRESS_PREDICTOR}});
    Ready({"p"});
    uint8_t* block = nullptr;
    EXPECT_EQ(PakLoadWholeFile("gfx/pic.tga", &block, MEM_TYPE_AUTO_FREE), 3000u);
    EXPECT_EQ(Bytes(block, block + 3000), Numbers(3000, 4));
    EXPECT_EQ(GetMemType(&block), MEM_TYPE_AUTO_FREE);
    EXPECT_EQ(PakOpenFile("gfx/pic.tga")->open_count, 1);  // the load closed it again
    PakCloseFile(PakOpenFile("gfx/pic.tga"));
    PakCloseFile(PakOpenFile("gfx/pic.tga"));
    FreeMemory(&block);
}

TEST_F(PakTest, ListFilesAddLooseFilesWithOptions) {
    WriteHostFile("snd/a.wav", "A");
    WriteHostFile("snd/b.WAV", "BB");
    WriteHostFile("snd/readme.txt", "no");
    WriteHostFile("snd/deep/c.wav", "CCC");
    WriteHostFile("snd/deep/deeper/d.wav", "DDDD");
    WriteHostFile("list.pkl",
                  "# comment\r\n"
                  "; another\r\n"
                  "// and another\r\n"
                  "\r\n"
                  "snd\\*.wav s/ c\r\n");
    Ready({"list"});
    EXPECT_EQ(Read("snd\\deep\\deeper\\d.wav"), testenv::Bytes("DDDD"));
    EXPECT_EQ(Read("SND/B.wav"), testenv::Bytes("BB"));
    EXPECT_EQ(PakCheckFile("snd\\readme.txt"), 0);
    PakFile* file = PakOpenFile("snd\\deep\\c.wav");
    EXPECT_EQ(file->flags, PAK_FLAG_LOOSE | 0x1);
    EXPECT_EQ(file->pak, PAK_LOOSE_FILE);
    PakCloseFile(file);

    // Direct children only, or the whole tree.
    std::set<std::string> direct, all;
    int slot = PakFileSearchStart("snd\\", 1);
    while (const char* name = PakFileSearchNext(slot)) direct.insert(name);
    PakFileSearchEnd(slot);
    slot = PakFileSearchStart("snd/", 1 | PAK_SEARCH_SUBDIRS);
    while (const char* name = PakFileSearchNext(slot)) all.insert(name);
    EXPECT_EQ(PakFileSearchNext(slot), nullptr);
    PakFileSearchEnd(slot);
    EXPECT_EQ(direct, (std::set<std::string>{"SND\\A.WAV", "SND\\B.WAV"}));
    EXPECT_EQ(all.size(), 4u);
    slot = PakFileSearchStart("snd\\", 2);
    EXPECT_EQ(PakFileSearchNext(slot), nullptr);  // only mode 1 matches
    PakFileSearchEnd(slot);
}

TEST_F(PakTest, PatternsThatMatchNothingWarn) {
    WriteHostFile("list.pkl", "nothing\\*.xyz\r\n");
    PakFileInit();
    StdoutCapture out;
    PakAddFile("list");
    EXPECT_EQ(out.Text(), "Warning: ListFile2Index(): Pattern 'nothing\\*.xyz' matched 0 files\a\n");
    PakFileAddDone();
}

TEST_F(PakTest, MakeFileNameForms) {
    EXPECT_STREQ(MakeFileName(nullptr, "pakfiles\\demo", "pki"), "pakfiles\\demo.pki");
    EXPECT_STREQ(MakeFileName("zudata", "icon", nullptr), "zudata\\icon");
    EXPECT_STREQ(MakeFileName("zudata", "icon", "tga"), "zudata\\icon.tga");
    std::string longer(100, 'x');
    EXPECT_EQ(std::strlen(MakeFileName("dir", longer.c_str(), "tga")), 79u);
}

// ---- Fatal paths -----------------------------------------------------------------

using PakDeathTest = PakTest;

TEST_F(PakDeathTest, ReadsOutsideTheRulesEndTheProgram) {
    testenv::WritePak("p", {{"packed", Numbers(100, 2), COMPRESS_LZ77}, {"plain", Numbers(100, 3)}});
    Ready({"p"});
    Bytes buffer(100);
    PakFile* packed = PakOpenFile("packed");
    PakFile* plain = PakOpenFile("plain");
    EXPECT_FATAL(PakReadFile(buffer.data(), 0, 10, packed),
                 "Error: PakReadFile\\(\\): partial read from 'PACKED', but it's compressed");
    EXPECT_FATAL(
        PakReadFile(buffer.data(), 100, 0, plain),
        "Error: PakReadFile\\(\\): read in 'PLAIN' of 0d bytes from 100d, but file is only 100d bytes");
    EXPECT_FATAL(PakReadFile(buffer.data(), 95, 6, plain), "read in 'PLAIN' of 6d bytes from 95d");
    EXPECT_FATAL(PakOpenFile("missing"), "Error: PakOpenFile\\(\\): file 'missing' not found");
    EXPECT_FATAL(PakOpenFile(std::string(200, 'P').c_str()), "not found");
    PakCloseFile(packed);
    PakCloseFile(plain);
    EXPECT_FATAL(PakReadFile(buffer.data(), 0, 1, plain), "PakReadFile\\(\\): already fully closed");
}

TEST_F(PakDeathTest, EmptyFilesCannotBeRead) {
    testenv::WritePak("p", {{"empty", {}}});
    Ready({"p"});
    PakFile* file = PakOpenFile("empty");
    uint8_t byte;
    EXPECT_FATAL(PakReadFile(&byte, 0, 0, file), "of 0d bytes from 0d, but file is only 0d bytes");
    PakCloseFile(file);
}

TEST_F(PakDeathTest, StatusRules) {
    EXPECT_FATAL(PakAddFile("p"), "PakAddFile\\(\\): can only add before PakAddFileDone\\(\\) is called");
    EXPECT_FATAL(PakFileUninit(), "PakFileUninit\\(\\): not initialised");
    EXPECT_FATAL(PakFileAddDone(), "PakFileAddDone\\(\\): not initialised, or already done");
    PakFileInit();
    EXPECT_FATAL(PakFileInit(), "PakFileInit\\(\\): already initialised");
    EXPECT_FATAL(PakOpenFile("x"), "PakOpenFile\\(\\): not ready - call PakFileAddDone\\(\\)");
    EXPECT_FATAL(PakCheckFile("x"), "PakOpenFile\\(\\): not ready - call PakFileAddDone\\(\\)");
    EXPECT_FATAL(PakAddFile("nothing\\here"), "Error: PakFileAdd\\(\\): no index or list file found");
    EXPECT_FATAL(PakCloseFile(nullptr), "PakCloseFile\\(\\): NULL file handle passed");
    EXPECT_FATAL(
        {
            for (int i = 0; i < 9; ++i) PakFileSearchStart("x", 1);
        },
        "PakFileSearchStart\\(\\): no free search slots");
    PakFileAddDone();
}

TEST_F(PakDeathTest, BadListFiles) {
    WriteHostFile("bare.pkl", "snd\\*.wav\n");
    WriteHostFile("unended.pkl", "# fine\r\nsnd\\*.wav");
    WriteHostFile("long.pkl", std::string(300, 'x') + "\r\n");
    WriteHostFile("option.pkl", "snd\\*.wav SX\r\n");
    PakFileInit();
    EXPECT_FATAL(PakAddFile("bare"), "ListFile2Index\\(\\): bad line in list file");
    EXPECT_FATAL(PakAddFile("unended"), "ListFile2Index\\(\\): line too long in list file");
    EXPECT_FATAL(PakAddFile("long"), "ListFile2Index\\(\\): line too long in list file");
    EXPECT_FATAL(PakAddFile("option"), "ListFile2Index\\(\\): unknown option");
    PakFileAddDone();
}

Bytes GoodIndex() {
    return PakBuildIndex(std::vector<PakIndexItem>{{"A.TXT", 0, 0, 4, 4}, {"B.TXT", 0, 4, 4, 4}});
}

TEST_F(PakDeathTest, BadIndexFiles) {
    WriteHostFile("x.pkd", "aaaabbbb");
    auto add = [](const Bytes& index) {
        WriteHostFile("x.pki", index);
        PakFileInit();
        PakAddFile("x");
    };
    Bytes index = GoodIndex();
    // The good one loads.
    add(index);
    PakFileAddDone();
    PakFileUninit();

    Bytes bad = index;
    bad[0] = 'X';
    EXPECT_FATAL(add(bad), "AddIndex\\(\\): invalid index file header");
    EXPECT_FATAL(add(Bytes(index.begin(), index.end() - 1)), "AddIndex\\(\\): corrupt/short index file");
    bad = index;
    testbytes::PutU32(bad, 8, 1000);  // more entries than the file holds
    EXPECT_FATAL(add(bad), "AddIndex\\(\\): corrupt/short index file \\(2\\)");
    bad = index;
    testbytes::PutU32(bad, 8, 0xFFFFFFFF);
    EXPECT_FATAL(add(bad), "corrupt/short index file \\(2\\)");
    bad = index;
    testbytes::PutU32(bad, 12, 4);
    EXPECT_FATAL(add(bad), "corrupt/short index file \\(2\\)");
    bad = index;
    testbytes::PutU32(bad, 24 + 12, 1000);
    EXPECT_FATAL(add(bad), "AddIndex\\(\\): entry name lies outside the string table");
    bad = index;
    bad.back() = 'X';  // the last name loses its terminator
    EXPECT_FATAL(add(bad), "AddIndex\\(\\): entry name has no terminator");
    bad = index;
    testbytes::PutU32(bad, 24 + 20 + 16, 5);  // plain entry reaching past the data file
    EXPECT_FATAL(add(bad), "AddIndex\\(\\): entry data lies outside the data file");
    EXPECT_FATAL(add(PakBuildIndex(std::vector<PakIndexItem>{{std::string(80, 'N'), 0, 0, 1, 1}})),
                 "AddIndex\\(\\): entry name too long");
}

// The checks that a loaded file cannot single out: each input is a view
// shorter than the bytes behind it, which would pass had the parse read past
// the view's end, or a name that only the parse's own length check refuses.
TEST(PakIndexParse, EachCheckRefusesWithinTheBytesItWasGiven) {
    const Bytes good = GoodIndex();
    // A whole header of no entries and no strings, cut before its last field.
    const Bytes empty =
        testbytes::ByteWriter().Text("PAK0").U32(0).U32(0).U32(PAK_INDEX_ENTRY_SIZE).U32(0).U32(0).Take();
    const Bytes longName = PakBuildIndex(std::vector<PakIndexItem>{{std::string(80, 'N'), 0, 0, 1, 1}});
    struct Case {
        const char* what;
        std::span<const uint8_t> index;
        const char* problem;
    };
    const Case cases[] = {
        {"three bytes of the magic", std::span(good).first(3), "AddIndex(): invalid index file header"},
        {"a header cut short", std::span(empty).first(PAK_INDEX_HEADER_SIZE - 4),
         "AddIndex(): corrupt/short index file"},
        {"a name longer than a name can be", longName, "AddIndex(): entry name too long"},
    };
    ASSERT_EQ(PakParseIndex(empty, nullptr, nullptr), nullptr);
    for (const Case& c : cases) {
        const char* problem = PakParseIndex(c.index, nullptr, nullptr);
        EXPECT_STREQ(problem, c.problem) << c.what;
    }
}

TEST_F(PakDeathTest, TooManyArchivesEndTheProgram) {
    WriteHostFile("x.pkd", "aaaabbbb");
    WriteHostFile("x.pki", GoodIndex());
    PakFileInit();
    for (int i = 0; i < PAK_MAX_DATA_FILES; ++i) PakAddFile("x");
    EXPECT_FATAL(PakAddFile("x"), "AddIndex\\(\\): too many open pak files");
    PakFileAddDone();
}

// A packed entry whose block unpacks to fewer bytes than the index gives it
// would leave the rest of the caller's buffer as it was.
TEST_F(PakDeathTest, APackedEntryShorterThanItsIndexSizeEndsTheProgram) {
    testenv::WritePak("p", {{"packed", Numbers(100, 2), COMPRESS_LZ77}});
    Bytes index = testenv::ReadHostFile("p.pki");
    testbytes::PutU32(index, PAK_INDEX_HEADER_SIZE + 16, 101);
    WriteHostFile("p.pki", index);
    Ready({"p"});
    Bytes buffer(101, 0xEE);
    PakFile* packed = PakOpenFile("packed");
    EXPECT_FATAL(PakReadWholeFile(buffer.data(), packed),
                 "PakReadFile\\(\\): decompressed data wasn't the correct size");
    PakCloseFile(packed);
}

TEST_F(PakDeathTest, DOSWrappers) {
    EXPECT_FATAL(DOSOpenFile("no\\such.file"),
                 "Error: DOSOpenFile\\(\\): Cannot open file 'no\\\\such.file': ");
    WriteHostFile("short.bin", "abc");
    EXPECT_FATAL(
        {
            std::FILE* f = DOSOpenFile("SHORT.BIN");
            char buffer[8];
            DOSReadFile(f, buffer, 8);
        },
        "Error: DOSReadFile\\(\\): Cannot read 8 bytes: ");
    uint8_t* block = nullptr;
    EXPECT_EQ(LoadFileToMemory("short.bin", &block, MEM_TYPE_MANUAL_FREE), 3u);
    EXPECT_EQ(std::memcmp(block, "abc", 3), 0);
    FreeMemory(&block);
}

}  // namespace
