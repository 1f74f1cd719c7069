// Block files, saved games, edited-data files and the goal-replay list.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/trackedmemory.h"
#include "core/club/exchangedeals.h"
#include "core/club/transferprices.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "tests/fakes/byte_writer.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// Runs each test in a fresh folder of its own, as the game's working folder.
class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = fs::current_path();
        char pattern[] = "/tmp/halvorn_disk_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    fs::path old_, dir_;
};

// ---- Block files over small lists -----------------------------------------------

class BlockFileTest : public TempFolderTest {
  protected:
    uint8_t a_[3] = {1, 2, 3};
    uint8_t b_[5] = {4, 5, 6, 7, 8};
    uint32_t c_ = 0xA1B2C3D4;
    DataBlockDescriptor list_[4] = {{a_, 3}, {b_, 5}, {&c_, 4}, {nullptr, 0}};

    Bytes Write(const DataBlockDescriptor* list, const char* magic) {
        std::FILE* f = std::fopen("blocks", "wb");
        EXPECT_EQ(WriteDataBlocks(list, f, magic), 0);
        std::fclose(f);
        return testenv::ReadHostFile("blocks");
    }
    int Read(const Bytes& bytes, const DataBlockDescriptor* list, const char* magic) {
        testenv::WriteHostFile("blocks", bytes);
        std::FILE* f = std::fopen("blocks", "rb");
        int result = ReadDataBlocks(list, f, magic);
        std::fclose(f);
        return result;
    }
};

TEST_F(BlockFileTest, ThePermFileHoldsThePendingDealsAndAnOlderOneLoadsThemEmpty) {
    ASSERT_EQ(SavePermFile(3), 0);
    const Bytes perm = testenv::ReadHostFile("SaveData/perm3");
    const uint32_t deals = kPendingDeals * kPendingDealSize, agreed = kAgreedExchangeBlockSize;
    const uint32_t ranking = kClubCount * 6 + 2 * kCountryCount, youngCounts = kClubCount + 1;
    ASSERT_EQ(perm.size(), 16u + 4 + deals + 4 + agreed + 4 + ranking + 4 + youngCounts + 8);
    EXPECT_EQ(std::memcmp(perm.data(), "DAT0PRM0", 8), 0);
    EXPECT_EQ(testbytes::GetU32(perm, 8), 16 + deals + agreed + ranking + youngCounts);
    EXPECT_EQ(testbytes::GetU16(perm, 12), 4);
    EXPECT_EQ(LoadPermFile(3), 0);
    EXPECT_EQ(LoadPermFile(4), -1);
    // The 24-byte perm file of an older save, with no blocks at all.
    const uint8_t older[24] = {'D', 'A', 'T', '0', 'P', 'R', 'M', '0', 0, 0, 0, 0,
                               0,   0,   0,   0,   'E', 'N', 'D', '0', 0, 0, 0, 0};
    testenv::WriteHostFile("SaveData/perm4", Bytes(older, older + 24));
    EXPECT_EQ(LoadPermFile(4), 0);
}

TEST_F(BlockFileTest, LayoutAndRoundTrip) {
    const Bytes file = Write(list_, "TST1");
    ASSERT_EQ(file.size(), 16u + 3 * 4 + 12 + 8);
    EXPECT_EQ(std::memcmp(file.data(), "DAT0TST1", 8), 0);
    EXPECT_EQ(testbytes::GetU32(file, 8), 12u + 12u);
    EXPECT_EQ(testbytes::GetU16(file, 12), 3);
    EXPECT_EQ(testbytes::GetU32(file, 16), 3u);
    EXPECT_EQ(std::memcmp(file.data() + file.size() - 8, "END0", 4), 0);
    EXPECT_NE(testbytes::GetU32(file, file.size() - 4), 0u);  // the check word
    // A list without blocks has nothing to check: four zero bytes.
    const DataBlockDescriptor none[1] = {{nullptr, 0}};
    const Bytes empty = Write(none, "TST1");
    ASSERT_EQ(empty.size(), 24u);
    EXPECT_EQ(std::memcmp(empty.data() + 16, "END0\0\0\0\0", 8), 0);

    std::memset(a_, 0, 3);
    std::memset(b_, 0, 5);
    c_ = 0;
    EXPECT_EQ(Read(file, list_, "TST1"), 0);
    EXPECT_EQ(b_[4], 8);
    EXPECT_EQ(c_, 0xA1B2C3D4u);
}

int g_polls;
void CountPoll() { ++g_polls; }

// Long transfers keep the window and the timer alive: one poll per block.
TEST_F(BlockFileTest, PollRunsAfterEveryBlock) {
    CoreHooks hooks;
    hooks.poll = CountPoll;
    CoreSetHooks(hooks);
    g_polls = 0;
    const Bytes file = Write(list_, "TST1");
    EXPECT_EQ(g_polls, 3);
    EXPECT_EQ(Read(file, list_, "TST1"), 0);
    EXPECT_EQ(g_polls, 6);
    CoreSetHooks(CoreHooks{});
}

TEST_F(BlockFileTest, EveryFormatErrorHasItsCode) {
    const Bytes good = Write(list_, "TST1");
    EXPECT_EQ(Read(Bytes(good.begin(), good.begin() + 10), list_, "TST1"), kBlockReadHeader);
    EXPECT_EQ(Read(good, list_, "PRM0"), kBlockReadWrongMagic);
    Bytes bad = good;
    bad[0] = 'X';
    EXPECT_EQ(Read(bad, list_, "TST1"), kBlockReadNotBlockFile);
    // More blocks than the list, a payload that does not add up.
    DataBlockDescriptor two[3] = {list_[0], list_[1], {nullptr, 0}};
    EXPECT_EQ(Read(good, two, "TST1"), kBlockReadTooManyBlocks);
    bad = good;
    testbytes::PutU32(bad, 8, 25);
    EXPECT_EQ(Read(bad, list_, "TST1"), kBlockReadPayload);
    // A block whose size word disagrees with the list; a list block larger
    // than the file's would be caught the same way before any byte is read.
    uint8_t wide[4];
    DataBlockDescriptor other[4] = {list_[0], {wide, 4}, list_[2], {nullptr, 0}};
    bad = good;
    testbytes::PutU32(bad, 8, 3 * 4 + 3 + 4 + 4);
    EXPECT_EQ(Read(bad, other, "TST1"), kBlockReadSizeMismatch);
    EXPECT_EQ(Read(Bytes(good.begin(), good.begin() + 18), list_, "TST1"), kBlockReadSize);
    EXPECT_EQ(Read(Bytes(good.begin(), good.begin() + 21), list_, "TST1"), kBlockReadBytes);
    EXPECT_EQ(Read(Bytes(good.begin(), good.end() - 3), list_, "TST1"), kBlockReadTrailer);
    bad = good;
    bad[bad.size() - 8] = 'F';
    EXPECT_EQ(Read(bad, list_, "TST1"), kBlockReadBadTrailer);
}

// A byte changed anywhere inside the blocks (size words or contents) is
// refused, whatever it became; a file whose check word is 0, written before
// the word was kept, still reads.
TEST_F(BlockFileTest, ADamagedBlockIsRefusedAndAnUncheckedFileStillReads) {
    const Bytes good = Write(list_, "TST1");
    for (size_t at = 16; at < good.size() - 8; ++at) {
        for (uint8_t flip : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xFF)}) {
            Bytes bad = good;
            bad[at] ^= flip;
            EXPECT_LT(Read(bad, list_, "TST1"), 0) << at << " " << int(flip);
        }
    }
    // Two words swapped keep the plain sum but not the running one.
    Bytes swapped = good;
    std::swap(swapped[20], swapped[21]);
    EXPECT_EQ(Read(swapped, list_, "TST1"), kBlockReadBadCheck);
    Bytes wrongWord = good;
    wrongWord[wrongWord.size() - 1] ^= 0x10;
    EXPECT_EQ(Read(wrongWord, list_, "TST1"), kBlockReadBadCheck);

    Bytes unchecked = good;
    std::memset(unchecked.data() + unchecked.size() - 4, 0, 4);
    b_[4] = 0;
    EXPECT_EQ(Read(unchecked, list_, "TST1"), 0);
    EXPECT_EQ(b_[4], 8);
}

TEST_F(BlockFileTest, APrefixOfTheListReportsTheMissingBlocks) {
    DataBlockDescriptor first[2] = {list_[0], {nullptr, 0}};
    const Bytes prefix = Write(first, "TST1");
    a_[0] = 0;
    b_[0] = 99;
    EXPECT_EQ(Read(prefix, list_, "TST1"), 2);
    EXPECT_EQ(a_[0], 1);
    EXPECT_EQ(b_[0], 99);
}

// ---- Edited data, the SaveTeam file and goal replays ----------------------------

TEST_F(BlockFileTest, EditedFilesRoundTripAndCreateTheirFolder) {
    EXPECT_EQ(LoadEditedTeam(12), kEditOpenFailed);
    std::strcpy(ClubNameRecords[kClubCount].text[0], "Harbour Rovers");
    ASSERT_EQ(SaveEditedTeam(12), 0);
    EXPECT_TRUE(fs::is_regular_file("Edited/12.tmf"));
    EXPECT_EQ(std::memcmp(testenv::ReadHostFile("Edited/12.tmf").data() + 4, "TEM1", 4), 0);
    std::memset(&ClubNameRecords[kClubCount], 0, sizeof(ClubNameRecord));
    EXPECT_EQ(LoadEditedTeam(12), 0);
    EXPECT_STREQ(ClubNameRecords[kClubCount].text[0], "Harbour Rovers");

    std::memcpy(CupEditRecord, "Coastal Shield", 15);
    std::memcpy(DivisionEditRecord + kEditNameSize, "Second Tier", 12);
    ASSERT_EQ(SaveEditedCup(3), 0);
    ASSERT_EQ(SaveEditedDivision(3), 0);
    std::memset(CupEditRecord, 0, sizeof CupEditRecord);
    std::memset(DivisionEditRecord, 0, sizeof DivisionEditRecord);
    EXPECT_EQ(LoadEditedCup(3), 0);
    EXPECT_EQ(LoadEditedDivision(3), 0);
    EXPECT_STREQ(CupEditRecord, "Coastal Shield");
    EXPECT_STREQ(DivisionEditRecord + kEditNameSize, "Second Tier");
    // A division file is not a cup file.
    fs::copy_file("Edited/3.dvf", "Edited/4.cpf");
    EXPECT_EQ(LoadEditedCup(4), kEditReadWriteFailed);
}

TEST_F(BlockFileTest, SaveTeamWritesOneTeamBlock) {
    ASSERT_EQ(SaveTeam(), 0);
    const Bytes file = testenv::ReadHostFile("SaveData/SaveTeam");
    ASSERT_EQ(file.size(), 16u + 4 + kTeamInfoSize + 8);
    EXPECT_EQ(std::memcmp(file.data(), "DAT0TEM1", 8), 0);
}

TEST_F(BlockFileTest, GoalReplayListTakesOnlyReplayFiles) {
    fs::create_directories("goals");
    for (const char* name : {"A.DHF", "b.dhf", "c.txt"})
        testenv::WriteHostFile(fs::path("goals") / name, {1});
    EXPECT_EQ(RemoveAllFiles("goals\\"), 2);
    EXPECT_STREQ(GoalReplayFiles.names[0], "a.dhf");
    EXPECT_STREQ(GoalReplayFiles.names[1], "b.dhf");
    EXPECT_STREQ(GoalReplayFiles.shown[0], "a");
    EXPECT_STREQ(GoalReplayFiles.shown[1], "b");
    EXPECT_EQ(RemoveAllFiles("nowhere\\"), -1);
    EXPECT_TRUE(fs::is_directory("nowhere"));
}

TEST_F(BlockFileTest, GoalReplayCleanUpDeletesOnlyListedFiles) {
    fs::create_directories("SaveData/GOALS");
    testenv::WriteHostFile("SaveData/GOALS/Goal1.DHF", {1});
    testenv::WriteHostFile("SaveData/GOALS/goal2.dhf", {1});
    testenv::WriteHostFile("SaveData/GOALS/keep.txt", {1});
    const std::string long_name = "SaveData/GOALS/" + std::string(40, 'x') + ".dhf";
    testenv::WriteHostFile(long_name, {1});
    // A name that would climb out of the folder once its backslash is read
    // as a separator.
    testenv::WriteHostFile("SaveData/victim.dhf", {1});
    testenv::WriteHostFile("SaveData/GOALS/..\\victim.dhf", {1});
    DeleteGoalReplayFiles();
    EXPECT_EQ(GoalReplayFiles.count, 0);
    EXPECT_TRUE(fs::is_directory("SaveData/GOALS"));
    EXPECT_FALSE(fs::exists("SaveData/GOALS/Goal1.DHF"));
    EXPECT_FALSE(fs::exists("SaveData/GOALS/goal2.dhf"));
    EXPECT_TRUE(fs::exists("SaveData/GOALS/keep.txt"));
    EXPECT_TRUE(fs::exists(long_name));
    EXPECT_TRUE(fs::exists("SaveData/victim.dhf"));
}

TEST(RemoveAllFilesDeathTest, NeedsADirectory) {
    EXPECT_FATAL(RemoveAllFiles(""), "RemoveAllFiles\\(\\): bad directory passed in");
}

}  // namespace
