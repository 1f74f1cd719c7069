#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "tests/fakes/pak_fixture.h"
#include "tools/datakit/generators.h"
#include "tools/datakit/packer.h"
#include "tools/datakit/stage.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Spellings of a staged name the game might use: any letter case, either slash.
std::vector<std::string> Spellings(const std::string& normalised) {
    std::string lower = normalised, slashes = normalised, mixed = normalised;
    for (size_t i = 0; i < normalised.size(); ++i) {
        char c = normalised[i];
        char low = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        lower[i] = low;
        slashes[i] = c == '\\' ? '/' : c;
        mixed[i] = c == '\\' ? '/' : (i % 2 ? low : c);
    }
    return {normalised, lower, slashes, mixed};
}

// Reads every staged pak file back through the pak layer from the archive
// at base, under every spelling of its name.
void ExpectArchiveHoldsStage(const std::string& base) {
    PakFileInit();
    PakAddFile(base.c_str());
    PakFileAddDone();
    size_t count = 0;
    int slot = PakFileSearchStart("", 1 | PAK_SEARCH_SUBDIRS);
    while (PakFileSearchNext(slot) != nullptr) ++count;
    PakFileSearchEnd(slot);
    std::vector<const datakit::StagedFile*> staged = datakit::StagedPakFiles();
    EXPECT_EQ(count, staged.size());
    for (const datakit::StagedFile* file : staged) {
        for (const std::string& name : Spellings(file->name)) {
            uint8_t* block = nullptr;
            uint32_t size = PakLoadWholeFile(name.c_str(), &block, MEM_TYPE_MANUAL_FREE);
            EXPECT_EQ(Bytes(block, block + size), file->bytes) << name;
            FreeMemory(&block);
        }
    }
    PakFileUninit();
}

class DatakitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(9500);
        datakit::ClearStage();
    }
    void TearDown() override {
        datakit::ClearStage();
        UninitMemory();
    }
};

void StageSample() {
    GameSeedRandom(77);
    Bytes noise(5000);
    for (uint8_t& b : noise) b = uint8_t(GameRandom());
    std::string text;
    for (int i = 0; i < 200; ++i) text += "The club's board meets on day " + std::to_string(i % 7) + ".\r\n";
    datakit::StagePakFile("textfile\\eng.txt", Bytes(text.begin(), text.end()));
    datakit::StagePakFile("menugfx/BG/noise.gfx", noise);
    datakit::StagePakFile("zudata\\d3d\\zeros.bin", Bytes(40000, 0));
    datakit::StagePakFile("x", Bytes{7});
    datakit::StageGameFile("stats\\totstat.dat", Bytes{1, 2, 3});
}

TEST_F(DatakitTest, ArchiveReadsBackEveryStagedFileUnderAnySpelling) {
    testenv::ScratchDir scratch;
    StageSample();
    datakit::WriteGameDir(".");
    ExpectArchiveHoldsStage("pakfiles\\demo");
    EXPECT_EQ(testenv::ReadHostFile("stats/totstat.dat"), Bytes({1, 2, 3}));
    for (const char* folder : {"SaveData", "SaveData/GOALS", "Edited"}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
    }
}

TEST_F(DatakitTest, EntriesAreCompressedOnlyWhenItPays) {
    Bytes noise(5000);
    GameSeedRandom(5);
    for (uint8_t& b : noise) b = uint8_t(GameRandom());
    datakit::PackedEntry packed_noise = datakit::PackEntry(noise);
    EXPECT_EQ(packed_noise.flags, 0u);
    EXPECT_EQ(packed_noise.stored, noise);
    datakit::PackedEntry zeros = datakit::PackEntry(Bytes(40000, 0));
    EXPECT_EQ(zeros.flags, PAK_FLAG_COMPRESSED);
    EXPECT_EQ(zeros.stored.size(), 16u + 4u);  // one zero run: 0, 0, high, low
    EXPECT_EQ(zeros.stored[4], 4);
    EXPECT_EQ(datakit::PackEntry(Bytes{7}).flags, 0u);
}

TEST_F(DatakitTest, RerunsWriteIdenticalBytes) {
    testenv::ScratchDir scratch;
    StageSample();
    datakit::WriteGameDir("first");
    datakit::WriteGameDir("second");
    for (const char* file : {"pakfiles/demo.pki", "pakfiles/demo.pkd", "stats/totstat.dat"}) {
        Bytes first = testenv::ReadHostFile(std::string("first/") + file);
        EXPECT_FALSE(first.empty()) << file;
        EXPECT_EQ(first, testenv::ReadHostFile(std::string("second/") + file)) << file;
    }
}

TEST_F(DatakitTest, BuiltGameFolderHoldsWhatTheGeneratorsMake) {
    datakit::SetSourceDir(HALVORN_SOURCE_DIR);
    datakit::RunGenerators();
    ExpectArchiveHoldsStage(std::string(HALVORN_GAME_DIR) + "/pakfiles/demo");
    for (const datakit::StagedFile* file : datakit::StagedGameFiles()) {
        EXPECT_EQ(testenv::ReadHostFile(std::string(HALVORN_GAME_DIR) + "/" + file->host_path), file->bytes)
            << file->name;
    }
}

TEST(DatakitDeathTest, BadStagingEndsTheRun) {
    EXPECT_EXIT(
        {
            datakit::StagePakFile("a\\b.txt", Bytes{1});
            datakit::StagePakFile("A/B.TXT", Bytes{2});
        },
        ::testing::ExitedWithCode(1), "datakit: 'A\\\\B.TXT' was staged twice");
    EXPECT_EXIT(datakit::StagePakFile("empty.txt", Bytes{}), ::testing::ExitedWithCode(1),
                "datakit: 'EMPTY.TXT' is empty");
    EXPECT_EXIT(datakit::StagePakFile(std::string(80, 'n'), Bytes{1}), ::testing::ExitedWithCode(1),
                "is longer than 79 characters");
}

}  // namespace
