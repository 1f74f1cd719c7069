#include "core/records/shippeddatabase.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "tests/fakes/test_util.h"

namespace {

// A working folder per test (fixed name: death-test children re-run the
// body and must find the same place).
class DataConvTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = testing::TempDir() + "dataconv_" + info->name();
        mkdir(dir_.c_str(), 0755);
        mkdir((dir_ + "/stats").c_str(), 0755);
        unlink((dir_ + "/stats/totstat.dat").c_str());
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        old_dir_ = here;
        ASSERT_EQ(chdir(dir_.c_str()), 0);
        ClearTotStatTables();
    }
    void TearDown() override { EXPECT_EQ(chdir(old_dir_.c_str()), 0); }

    // The bytes of the staging tables as the file holds them.
    static std::vector<uint8_t> StagedBytes() {
        std::vector<uint8_t> bytes;
        auto append = [&](const void* data, size_t size) {
            const auto* p = static_cast<const uint8_t*>(data);
            bytes.insert(bytes.end(), p, p + size);
        };
        append(TotStatClubs, sizeof TotStatClubs);
        append(TotStatPlayers, sizeof TotStatPlayers);
        append(TotStatNames, sizeof TotStatNames);
        recbits::AppendU32(bytes, TotStatPlayerCount);
        return bytes;
    }

    static void WriteFile(const char* path, const std::vector<uint8_t>& bytes, size_t length) {
        FILE* f = std::fopen(path, "wb");
        ASSERT_NE(f, nullptr);
        if (length) {
            ASSERT_EQ(std::fwrite(bytes.data(), length, 1, f), 1u);
        }
        std::fclose(f);
    }

    // A small valid world: two clubs, a skipped row and three players.
    static void StageSmallWorld() {
        ClearTotStatTables();
        SetTotStatClubName(TotStatClubs[0], "Harnby Rovers");
        SetTotStatClubNumber(TotStatClubs[0], 0);
        SetTotStatClubNation(TotStatClubs[0], 0);
        SetTotStatClubCapacity(TotStatClubs[0], 25000);
        SetTotStatClubRepBase(TotStatClubs[0], 40000);
        SetTotStatClubName(TotStatClubs[1], "Villacorte");
        SetTotStatClubNumber(TotStatClubs[1], 1199);
        SetTotStatClubNation(TotStatClubs[1], 4);
        SetTotStatClubDivision(TotStatClubs[1], 1);
        for (int i = 2; i < TOTSTAT_CLUB_COUNT; ++i) SetTotStatClubNumber(TotStatClubs[i], 1200);
        std::strcpy(TotStatNames[0].text, TOTSTAT_FIXED_NAME_0);
        std::strcpy(TotStatNames[1].text, TOTSTAT_FIXED_NAME_1);
        std::strcpy(TotStatNames[2].text, "Ashworth");
        for (int i = 0; i < 3; ++i) {
            TotStatPlayer& p = TotStatPlayers[i];
            SetTotStatPlayerInitial(p, 'J');
            SetTotStatPlayerSurname(p, "Ashworth");
            SetTotStatPlayerNameIndex(p, 2);
            SetTotStatPlayerBirthYear(p, 76);
            SetTotStatPlayerClub(p, i == 2 ? -1 : 0);
            SetTotStatPlayerPosition(p, static_cast<int16_t>(i * 5));
        }
        TotStatPlayerCount = 3;
    }

    std::string dir_;
    std::string old_dir_;
};

TEST_F(DataConvTest, LoadsEveryBlockByteForByte) {
    StageSmallWorld();
    SetTotStatClubTactic(TotStatClubs[0], 3);
    SetTotStatPlayerAbility(TotStatPlayers[1], -5);
    std::vector<uint8_t> bytes = StagedBytes();
    ASSERT_EQ(bytes.size(), TOTSTAT_FILE_SIZE);
    WriteFile("stats/totstat.dat", bytes, bytes.size());
    ClearTotStatTables();

    LoadDatabaseStats();

    EXPECT_EQ(StagedBytes(), bytes);
    EXPECT_STREQ(GetTotStatClubName(TotStatClubs[0]), "Harnby Rovers");
    EXPECT_EQ(GetTotStatClubNumber(TotStatClubs[1]), 1199);
    EXPECT_EQ(GetTotStatClubCapacity(TotStatClubs[0]), 25000u);
    EXPECT_EQ(GetTotStatClubRepBase(TotStatClubs[0]), 40000u);
    EXPECT_EQ(GetTotStatClubTactic(TotStatClubs[0]), 3);
    EXPECT_EQ(GetTotStatPlayerAbility(TotStatPlayers[1]), -5);
    EXPECT_EQ(GetTotStatPlayerClub(TotStatPlayers[2]), -1);
    EXPECT_EQ(TotStatPlayerCount, 3u);
}

TEST_F(DataConvTest, FieldsSitAtTheirFileOffsets) {
    TotStatClub club{};
    SetTotStatClubNumber(club, 0x0102);
    SetTotStatClubRepBase(club, 0x0A0B0C0D);
    EXPECT_EQ(club.bytes[35], 0x02);
    EXPECT_EQ(club.bytes[36], 0x01);
    EXPECT_EQ(club.bytes[53], 0x0D);
    EXPECT_EQ(club.bytes[56], 0x0A);
    TotStatPlayer player{};
    SetTotStatPlayerNationality(player, -2);
    SetTotStatPlayerNameIndex(player, 0xBEEF);
    EXPECT_EQ(player.bytes[29], 0xFE);
    EXPECT_EQ(player.bytes[30], 0xFF);
    EXPECT_EQ(player.bytes[39], 0xEF);
    EXPECT_EQ(player.bytes[40], 0xBE);
    EXPECT_EQ(player.bytes[41], 0);
    EXPECT_EQ(GetTotStatPlayerNameIndex(player), 0xBEEF);
    // Text is cut to the field and terminated.
    SetTotStatPlayerSurname(player, "Abcdefghijklmnopqrst");
    EXPECT_STREQ(GetTotStatPlayerSurname(player), "Abcdefghijklmno");
    EXPECT_EQ(player.bytes[17], 0);
}

TEST_F(DataConvTest, ShortFilesFailWithTheBlockThatIsShort) {
    StageSmallWorld();
    std::vector<uint8_t> bytes = StagedBytes();
    const char* prefix = "LoadConvertDataFromDatabase\\(\\): Load 'OUTPUT_FILE_NAME' failed";
    struct Case {
        size_t length;
        const char* block;
    } cases[] = {
        {TOTSTAT_FILE_SIZE - 1, "\\(Number of players\\)"},
        {TOTSTAT_CLUB_BLOCK - 1, "\\(Clubs\\)"},
        {0, "\\(Clubs\\)"},
        {TOTSTAT_CLUB_BLOCK + 43, "\\(Players\\)"},
        {TOTSTAT_CLUB_BLOCK + TOTSTAT_PLAYER_BLOCK, "\\(Names\\)"},
    };
    for (const Case& c : cases) {
        WriteFile("stats/totstat.dat", bytes, c.length);
        EXPECT_FATAL(LoadConvertDataFromDatabase(),
                     std::string(prefix) + " " + c.block + "\n\\(File: hvw.dataconv");
    }
}

TEST_F(DataConvTest, MissingFileFailsWithTheOpenMessage) {
    EXPECT_FATAL(LoadConvertDataFromDatabase(),
                 "Abort error: LoadConvertDataFromDatabase\\(\\): Load 'OUTPUT_FILE_NAME' failed\n");
}

TEST_F(DataConvTest, FindsTheFileWhateverTheCaseOnDisk) {
    StageSmallWorld();
    std::vector<uint8_t> bytes = StagedBytes();
    rmdir("stats");
    mkdir("Stats", 0755);
    WriteFile("Stats/TotStat.DAT", bytes, bytes.size());
    ClearTotStatTables();
    LoadConvertDataFromDatabase();
    EXPECT_EQ(TotStatPlayerCount, 3u);
    unlink("Stats/TotStat.DAT");
    rmdir("Stats");
}

TEST_F(DataConvTest, SkippedClubRowsAreNotChecked) {
    StageSmallWorld();
    SetTotStatClubNumber(TotStatClubs[5], 1300);
    SetTotStatClubNation(TotStatClubs[5], 999);
    SetTotStatClubDivision(TotStatClubs[5], -4);
    char why[200] = "";
    EXPECT_TRUE(CheckTotStatTables(why, sizeof why)) << why;
}

TEST_F(DataConvTest, TextFieldsAreAlwaysTerminated) {
    StageSmallWorld();
    std::memset(TotStatClubs[0].bytes, 'A', TOTSTAT_CLUB_NAME_SIZE);
    std::memset(TotStatPlayers[0].bytes + 1, 'B', TOTSTAT_SURNAME_SIZE);
    std::memset(TotStatNames[7].text, 'C', TOTSTAT_NAME_SIZE);
    char why[200] = "";
    ASSERT_TRUE(CheckTotStatTables(why, sizeof why)) << why;
    EXPECT_EQ(std::strlen(GetTotStatClubName(TotStatClubs[0])), 34u);
    EXPECT_EQ(std::strlen(GetTotStatPlayerSurname(TotStatPlayers[0])), 15u);
    EXPECT_EQ(std::strlen(TotStatNames[7].text), 16u);
}

TEST_F(DataConvTest, OutOfRangeValuesAreRejected) {
    struct Case {
        const char* what;
        void (*spoil)();
        const char* why;
    } cases[] = {
        {"count", [] { TotStatPlayerCount = 25001; }, "25001 players, at most 25000"},
        {"name index", [] { SetTotStatPlayerNameIndex(TotStatPlayers[1], 25000); },
         "player 1 has name index 25000"},
        {"club row", [] { SetTotStatClubNumber(TotStatClubs[3], -1); }, "club row 3 has club number -1"},
        {"player club", [] { SetTotStatPlayerClub(TotStatPlayers[2], 1200); }, "player 2 has club 1200"},
        {"club nation", [] { SetTotStatClubNation(TotStatClubs[1], 116); }, "club 1199 has nation 116"},
        {"division", [] { SetTotStatClubDivision(TotStatClubs[0], 8); }, "club 0 has division 8"},
        {"nationality", [] { SetTotStatPlayerNationality(TotStatPlayers[0], -1); },
         "player 0 has nationality -1"},
        {"position", [] { SetTotStatPlayerPosition(TotStatPlayers[0], 30); },
         "player 0 has position code 30"},
        {"traits", [] { SetTotStatPlayerTraits(TotStatPlayers[0], 5); }, "player 0 has traits code 5"},
        {"birth year", [] { SetTotStatPlayerBirthYear(TotStatPlayers[0], 87); },
         "player 0 has birth year 1987"},
        // The other end of each range.
        {"negative club nation", [] { SetTotStatClubNation(TotStatClubs[1], -1); },
         "club 1199 has nation -1"},
        {"negative division", [] { SetTotStatClubDivision(TotStatClubs[0], -1); }, "club 0 has division -1"},
        {"nationality past the last", [] { SetTotStatPlayerNationality(TotStatPlayers[0], 116); },
         "player 0 has nationality 116"},
        {"negative position", [] { SetTotStatPlayerPosition(TotStatPlayers[0], -1); },
         "player 0 has position code -1"},
        {"negative traits", [] { SetTotStatPlayerTraits(TotStatPlayers[0], -1); },
         "player 0 has traits code -1"},
        {"birth year before the first", [] { SetTotStatPlayerBirthYear(TotStatPlayers[0], 22); },
         "player 0 has birth year 1922"},
    };
    for (const Case& c : cases) {
        StageSmallWorld();
        char why[200] = "";
        ASSERT_TRUE(CheckTotStatTables(why, sizeof why)) << why;
        c.spoil();
        EXPECT_FALSE(CheckTotStatTables(why, sizeof why)) << c.what;
        EXPECT_STREQ(why, c.why);
    }
    // Players past the count are not looked at.
    StageSmallWorld();
    SetTotStatPlayerNationality(TotStatPlayers[3], 500);
    char why[200] = "";
    EXPECT_TRUE(CheckTotStatTables(why, sizeof why)) << why;
}

TEST_F(DataConvTest, ABadFileEndsTheLoadWithItsReason) {
    StageSmallWorld();
    TotStatPlayerCount = 30000;
    WriteFile("stats/totstat.dat", StagedBytes(), TOTSTAT_FILE_SIZE);
    EXPECT_FATAL(LoadConvertDataFromDatabase(),
                 "Load 'OUTPUT_FILE_NAME' failed \\(bad data: 30000 players, at most 25000\\)");
}

}  // namespace
