// Saving and loading a whole game: a few full-size files in a folder of
// the test's own, removed afterwards.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/club/board.h"
#include "core/club/exchangedeals.h"
#include "core/club/squads.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/match/replay.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/savetable.h"
#include "core/season/fixtures.h"
#include "core/season/nationalsquads.h"
#include "core/season/playedleagues.h"
#include "core/season/seasonsquads.h"
#include "tests/fakes/byte_writer.h"
#include "tests/fakes/pak_fixture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr uint64_t kSaveFileSize = 48409360;
constexpr uint16_t kPatternPlayers = 300;

uint8_t PatternByte(int block, size_t at) { return uint8_t(block * 31 + at * 7 + 1); }

// Every block holds bytes that name it and their place in it; the few
// counts a load checks are set to values that fit.
void FillRecognisableState() {
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        auto* bytes = static_cast<uint8_t*>(SaveGameDescriptors[i].address);
        for (size_t j = 0; j < SaveGameDescriptors[i].size; ++j) bytes[j] = PatternByte(i, j);
    }
    PlayerCount = kPatternPlayers;
    for (Fixture& f : FixtureTable) {
        f.bytes[0] = 0xFF;  // day 511: an empty slot
        f.bytes[1] |= 0x01;
    }
    PlayerHistoryCount = 1000;
    ClubHistoryCount = 100;
    for (int i = 0; i < kMaxPlayers; ++i) PlayerHistoryFirst[i] = uint32_t(i % 1000);
    for (int i = 0; i < kClubCount; ++i) ClubHistoryFirst[i] = uint32_t(i % 100);
}

uint64_t HashBlocks(const DataBlockDescriptor* list) {
    uint64_t h = 1469598103934665603ull;
    for (int i = 0; list[i].address != nullptr; ++i) {
        const auto* p = static_cast<const uint8_t*>(list[i].address);
        for (uint32_t j = 0; j < list[i].size; ++j) h = (h ^ p[j]) * 1099511628211ull;
    }
    return h;
}
uint64_t HashState() { return HashBlocks(SaveGameDescriptors); }

void Scramble() {
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        std::memset(SaveGameDescriptors[i].address, 0xEE, SaveGameDescriptors[i].size);
    }
}

// Byte offset in a save file of block i's size word.
size_t BlockOffset(int block) {
    size_t at = kBlockFileHeaderSize;
    for (int i = 0; i < block; ++i) at += 4 + SaveGameDescriptors[i].size;
    return at;
}

// The index in the saved-game list of the block holding a table.
int BlockOf(const void* table) {
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        if (SaveGameDescriptors[i].address == table) return i;
    }
    throw std::out_of_range("no saved block holds the table");
}

// Gives a damaged file the check word a loader reading it against the list
// would compute (the file's own size words for lengths when there is no
// list), so that the damage reaches the checks behind the check word.
void Reseal(Bytes& file, const DataBlockDescriptor* list = nullptr) {
    BlockFileCheck check;
    const int blocks = testbytes::GetU16(file, 12);
    size_t at = kBlockFileHeaderSize;
    for (int i = 0; i < blocks; ++i) {
        const uint32_t size = list != nullptr ? list[i].size : testbytes::GetU32(file, at);
        if (at + 4 + size + kBlockFileTrailerSize > file.size())
            throw std::out_of_range("block past the end");
        check.Add(file.data() + at, 4);
        check.Add(file.data() + at + 4, size);
        at += 4 + size;
    }
    testbytes::PutU32(file, file.size() - 4, check.Word());
}

class SaveGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = fs::current_path();
        char pattern[] = "/tmp/halvorn_save_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
        InitMemory(16384);
        FillRecognisableState();
    }
    void TearDown() override {
        UninitMemory();
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    fs::path old_, dir_;
};

TEST_F(SaveGameTest, SavedGameLoadsBackByteIdentical) {
    // A load rebuilds the rosters and evaluates every squad, which rewrites
    // the clubs' squad averages: a game saved after a day's play already
    // holds them.
    UpdateClubSquads();
    ComputerTransferActivity(0, 0);
    // Nor is anybody left on international duty: the national squads are
    // not saved, so a load sends every player home (checked below).
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerIntDuty(p, 0);
    ASSERT_EQ(SaveGame(1), 0);
    const Bytes file = testenv::ReadHostFile("SaveData/save1");
    ASSERT_EQ(file.size(), kSaveFileSize);
    EXPECT_EQ(std::memcmp(file.data(), "DAT0SAV0", 8), 0);
    EXPECT_EQ(testbytes::GetU32(file, 8), 48409336u);
    EXPECT_EQ(testbytes::GetU16(file, 12), 119);
    EXPECT_EQ(testbytes::GetU16(file, 14), 0);
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        ASSERT_EQ(testbytes::GetU32(file, BlockOffset(i)), SaveGameDescriptors[i].size) << i;
    }
    EXPECT_EQ(std::memcmp(file.data() + file.size() - 8, "END0", 4), 0);
    EXPECT_NE(testbytes::GetU32(file, file.size() - 4), 0u);  // the check word over the blocks
    EXPECT_EQ(testenv::ReadHostFile("SaveData/perm1").size(),
              size_t(16 + 4 + kPendingDeals * kPendingDealSize + 4 + kAgreedExchangeBlockSize + 4 +
                     kClubCount * 6 + 2 * kCountryCount + 4 + kClubCount + 1 + 8));

    Scramble();
    ASSERT_EQ(LoadGame(1), 0);
    // Every block comes back in its own place; only the tables a load
    // rebuilds (league and reserve-league order, the club screens' club,
    // history indexes)
    // are allowed to differ from the file.
    const int rebuilt[] = {0, 1, 43, 44, 68, 71};
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        if (std::find(std::begin(rebuilt), std::end(rebuilt), i) != std::end(rebuilt)) continue;
        const auto* bytes = static_cast<const uint8_t*>(SaveGameDescriptors[i].address);
        EXPECT_EQ(std::memcmp(bytes, file.data() + BlockOffset(i) + 4, SaveGameDescriptors[i].size), 0) << i;
    }
    EXPECT_EQ(ClubScreenWord, 1);
    EXPECT_EQ(SelectedClub, GetPlayerClub(1));

    // The rebuilt state saves and loads back to the same bytes.
    const uint64_t loaded = HashState();
    ASSERT_EQ(SaveGame(2), 0);
    Scramble();
    ASSERT_EQ(LoadGame(2), 0);
    EXPECT_EQ(HashState(), loaded);

    // A national squad called up when the game was saved is still called
    // up after the load, so its match days ahead are played.
    NationalSquads[1][7][0] = 5;
    NationalSquadTable[0][7][3] = 5;
    NationalCaptains[0][7] = 5;
    SetPlayerIntDuty(5, 1);
    ASSERT_EQ(SaveGame(3), 0);
    std::memset(NationalSquads, 0, sizeof NationalSquads);
    std::memset(NationalSquadTable, 0, sizeof NationalSquadTable);
    std::memset(NationalCaptains, 0, sizeof NationalCaptains);
    SetPlayerIntDuty(5, 0);
    ASSERT_EQ(LoadGame(3), 0);
    EXPECT_EQ(NationalSquads[1][7][0], 5);
    EXPECT_EQ(NationalSquadTable[0][7][3], 5);
    EXPECT_EQ(NationalCaptains[0][7], 5);
    EXPECT_EQ(GetPlayerIntDuty(5), 1u);

    // Slot 100 is read from under the data path prefix.
    CoreHooks hooks;
    hooks.dataPathPrefix = [] {
        static char prefix[] = "pre\\";
        return prefix;
    };
    CoreSetHooks(hooks);
    EXPECT_EQ(LoadGame(100), kSaveOpenFailed);
    fs::create_directories("pre/SaveData");
    fs::create_hard_link("SaveData/save2", "pre/SaveData/save100");
    fs::create_hard_link("SaveData/perm2", "pre/SaveData/perm100");
    Scramble();
    EXPECT_EQ(LoadGame(100), 0);
    CoreSetHooks(CoreHooks{});
    EXPECT_EQ(HashState(), loaded);
}

// A full history list counts one past its capacity, and the owners after
// its last entry start at the capacity; a game saved with both lists full
// (a few seasons fill the clubs') loads back whole.
TEST_F(SaveGameTest, AGameWithFullHistoryListsLoadsBack) {
    PlayerHistoryCount = kPlayerHistoryEntries + 1;
    ClubHistoryCount = kClubHistoryEntries + 1;
    PlayerHistoryFirst[kMaxPlayers - 1] = kPlayerHistoryEntries;
    ClubHistoryFirst[kClubCount - 1] = kClubHistoryEntries;
    ASSERT_EQ(SaveGame(1), 0);
    Scramble();
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(PlayerHistoryCount, uint32_t(kPlayerHistoryEntries + 1));
    EXPECT_EQ(ClubHistoryCount, uint32_t(kClubHistoryEntries + 1));
}

// The referee appointed to the user's next match on the eve of it is kept
// with the game: a load brings him back, not the referee the program last
// appointed in whatever it ran before.
TEST_F(SaveGameTest, TheRefereeOfTheUsersNextMatchComesBackWithTheGame) {
    constexpr int kRefereeWordAt = 4;  // the table's first word, after the size word
    const size_t wordAt = BlockOffset(76) + kRefereeWordAt;
    for (const int16_t referee : {int16_t(17), int16_t(0), kMadeUpReferee, int16_t(-1)}) {
        CurrentReferee = referee;
        ASSERT_EQ(SaveGame(1), 0);
        CurrentReferee = 3;
        ASSERT_EQ(LoadGame(1), 0);
        EXPECT_EQ(CurrentReferee, referee);
        EXPECT_EQ(testbytes::GetU16(testenv::ReadHostFile("SaveData/save1"), wordAt), uint16_t(referee + 1));
    }
    // A number past the made-up referee is no appointment: saved as none.
    CurrentReferee = int16_t(kMadeUpReferee + 1);
    ASSERT_EQ(SaveGame(1), 0);
    EXPECT_EQ(testbytes::GetU16(testenv::ReadHostFile("SaveData/save1"), wordAt), 0);
    CurrentReferee = 3;
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(CurrentReferee, -1);
}

// The saved-goal count is written with the game; a load, which deletes the
// goal files, starts it again from 0.
TEST_F(SaveGameTest, TheSavedGoalCountIsWrittenWithTheGameAndResetByALoad) {
    const size_t wordAt = BlockOffset(76) + 4 + 2;  // the table's second word
    SavedGoalCount = 7;
    ASSERT_EQ(SaveGame(1), 0);
    EXPECT_EQ(testbytes::GetU16(testenv::ReadHostFile("SaveData/save1"), wordAt), 7);
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(SavedGoalCount, 0);
}

// The clubs' strength ranking is rebuilt weekly: the game keeps the one it
// plays by, and a game saved before it was kept rebuilds it at the load.
TEST_F(SaveGameTest, TheStrengthRankingComesBackWithTheGameAndAnOlderSaveRebuildsIt) {
    for (int place = 0; place < kClubCount; ++place)
        ClubStrengthRanking[place] = {uint16_t(kClubCount - 1 - place), uint32_t(7 + place)};
    ClubCountOfNation[3] = 77;
    ASSERT_EQ(SaveGame(1), 0);
    std::memset(ClubStrengthRanking, 0, sizeof ClubStrengthRanking);
    std::memset(ClubCountOfNation, 0, sizeof ClubCountOfNation);
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(ClubStrengthRanking[0].club, kClubCount - 1);
    EXPECT_EQ(ClubStrengthRanking[0].strength, 7u);
    EXPECT_EQ(ClubStrengthRanking[kClubCount - 1].club, 0);
    EXPECT_EQ(ClubCountOfNation[3], 77);

    const uint8_t older[24] = {'D', 'A', 'T', '0', 'P', 'R', 'M', '0', 0, 0, 0, 0,
                               0,   0,   0,   0,   'E', 'N', 'D', '0', 0, 0, 0, 0};
    testenv::WriteHostFile("SaveData/perm1", Bytes(older, older + 24));
    ASSERT_EQ(LoadGame(1), 0);
    const std::vector<ClubStrengthEntry> loaded(std::begin(ClubStrengthRanking),
                                                std::end(ClubStrengthRanking));
    RankClubsByStrength();
    for (int place = 0; place < kClubCount; ++place) {
        ASSERT_EQ(loaded[size_t(place)].club, ClubStrengthRanking[place].club) << place;
        ASSERT_EQ(loaded[size_t(place)].strength, ClubStrengthRanking[place].strength) << place;
    }
}

// The young players made in retired players' slots late in a season go by
// each club's count of those placed since the season's start: the loaded
// game takes the count it was saved with, not the running game's, and an
// older save counts it from its own players.
TEST_F(SaveGameTest, TheYoungPlayerCountsComeBackWithTheGameAndAnOlderSaveCountsThem) {
    for (int club = 0; club < kClubCount; ++club) NewPlayerCount[club] = int8_t(club % 28);
    const std::array<int8_t, kClubCount> saved = NewPlayerCount;
    ASSERT_EQ(SaveGame(1), 0);
    NewPlayerCount.fill(5);
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_TRUE(NewPlayerCount == saved);

    const uint8_t older[24] = {'D', 'A', 'T', '0', 'P', 'R', 'M', '0', 0, 0, 0, 0,
                               0,   0,   0,   0,   'E', 'N', 'D', '0', 0, 0, 0, 0};
    testenv::WriteHostFile("SaveData/perm1", Bytes(older, older + 24));
    NewPlayerCount.fill(5);
    ASSERT_EQ(LoadGame(1), 0);
    const std::array<int8_t, kClubCount> loaded = NewPlayerCount;
    CountNewPlayers();
    EXPECT_TRUE(loaded == NewPlayerCount);
    EXPECT_FALSE(std::ranges::all_of(loaded, [](int8_t count) { return count == 5; }));
}

// A kept count below 0 would let its club take young players far past its
// cap: the counts are then counted afresh from the loaded players.  A count
// above the club's cap is one a game reaches (the cap falls with the
// reputation) and comes back as it was.
TEST_F(SaveGameTest, AYoungPlayerCountBelowZeroIsCountedAfreshAndOneAboveTheCapKept) {
    constexpr int16_t kFlaggedClub = 7, kFullClub = 20, kDamagedClub = 30;
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerFlag95(p, 0);
    for (uint16_t p = 10; p < 15; ++p) {
        SetPlayerClub(p, kFlaggedClub);
        SetPlayerFlag95(p, 1);
    }
    NewPlayerCount.fill(3);
    NewPlayerCount[kFlaggedClub] = 9;
    const int8_t overCap = int8_t(NewPlayerCap(kFullClub) + 4);
    NewPlayerCount[kFullClub] = overCap;
    ASSERT_EQ(SaveGame(1), 0);
    NewPlayerCount.fill(0);
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(NewPlayerCount[kFullClub], overCap);
    EXPECT_EQ(NewPlayerCount[kFlaggedClub], 9);
    EXPECT_EQ(NewPlayerCount[kDamagedClub], 3);

    // The counts are the perm file's fourth block.
    Bytes perm = testenv::ReadHostFile("SaveData/perm1");
    size_t counts = kBlockFileHeaderSize;
    for (int block = 0; block < 3; ++block) counts += 4 + testbytes::GetU32(perm, counts);
    ASSERT_EQ(testbytes::GetU32(perm, counts), uint32_t(kClubCount + 1));
    perm.at(counts + 4 + kDamagedClub) = 0xF0;  // -16
    Reseal(perm);
    testenv::WriteHostFile("SaveData/perm1", perm);
    ASSERT_EQ(LoadGame(1), 0);
    for (int16_t club = 0; club < kClubCount; ++club) {
        ASSERT_EQ(NewPlayerCount[club], club == kFlaggedClub ? 5 : 0) << club;
    }
}

// The perm file's deals, agreed exchange terms and strength ranking name
// players and clubs that index fixed tables: a record naming none is
// dropped, and a ranking naming a club past the table is ranked afresh,
// while the sound records beside them come back.
TEST_F(SaveGameTest, PermRecordsNamingNoPlayerOrClubAreDropped) {
    PendingDeal_ClearAll();
    for (uint16_t deal = 0; deal < 5; ++deal)
        PendingDeal_Add(uint16_t(10 + deal), 20, 0, 0, 0, 3, 3, 4, 1000, 900, 0);
    for (AgreedExchange& record : AgreedExchanges) record = AgreedExchange{};
    for (uint16_t i = 0; i < 4; ++i) {
        AgreedExchanges[i].player = uint16_t(30 + i);
        AgreedExchanges[i].dealPlayer = 10;
        AgreedExchanges[i].sellingClub = 3;
    }
    ASSERT_EQ(SaveGame(1), 0);

    // The perm file's first three blocks: deals, agreed terms, ranking.
    Bytes perm = testenv::ReadHostFile("SaveData/perm1");
    size_t block[3];
    block[0] = kBlockFileHeaderSize + 4;
    for (int b = 1; b < 3; ++b) block[b] = block[b - 1] + testbytes::GetU32(perm, block[b - 1] - 4) + 4;
    ASSERT_EQ(testbytes::GetU32(perm, block[0] - 4), uint32_t(kPendingDeals * kPendingDealSize));
    ASSERT_EQ(testbytes::GetU32(perm, block[1] - 4), uint32_t(kAgreedExchangeBlockSize));
    // The first numbers past the tables.
    const uint16_t kNoSuchPlayer = uint16_t(PlayerCount), kNoSuchClub = uint16_t(kClubCount);
    const auto deal = [&](int index, int field) {
        return block[0] + size_t(index) * kPendingDealSize + field;
    };
    testbytes::PutU16(perm, deal(1, 0), kNoSuchPlayer);                              // the player
    testbytes::PutU16(perm, deal(2, 2), kNoSuchClub);                                // the selling club
    testbytes::PutU16(perm, deal(3, 4), kNoSuchClub);                                // the buying club
    testbytes::PutU16(perm, deal(4, 16), kNoSuchPlayer);                             // an exchange player
    testbytes::PutU16(perm, block[1] + kAgreedExchangeBytes + 2, kNoSuchPlayer);     // the deal's player
    testbytes::PutU16(perm, block[1] + 2 * kAgreedExchangeBytes + 38, kNoSuchClub);  // the selling club
    testbytes::PutU16(perm, block[1] + 3 * kAgreedExchangeBytes, kNoSuchPlayer);     // the player
    testbytes::PutU16(perm, block[2], kNoSuchClub);                                  // the strongest club
    Reseal(perm);
    testenv::WriteHostFile("SaveData/perm1", perm);
    for (ClubStrengthEntry& entry : ClubStrengthRanking) entry = {0, 0};
    ASSERT_EQ(LoadGame(1), 0);

    EXPECT_EQ(PendingDealPlayer(0), 10);
    for (int index = 1; index < 5; ++index) EXPECT_EQ(PendingDealPlayer(index), 0) << index;
    EXPECT_EQ(AgreedExchanges[0].player, 30);
    EXPECT_EQ(AgreedExchanges[1].player, 0);
    EXPECT_EQ(AgreedExchanges[2].player, 0);
    EXPECT_EQ(AgreedExchanges[3].player, 0);
    std::vector<bool> ranked(kClubCount, false);
    for (const ClubStrengthEntry& entry : ClubStrengthRanking) {
        ASSERT_LT(entry.club, kClubCount);
        EXPECT_FALSE(ranked[entry.club]) << entry.club;
        ranked[entry.club] = true;
    }
}

// The played-countries choice is part of the game.  A game saved before it
// was kept holds no flag set in its place and plays every country.
TEST_F(SaveGameTest, ThePlayedCountriesComeBackWithTheGame) {
    constexpr uint16_t kChoice[kCountryCount] = {1, 0, 0, 0, 0, 1, 0, 0, 0};
    std::copy(std::begin(kChoice), std::end(kChoice), PlayedLeagueFlags);
    ASSERT_EQ(SaveGame(1), 0);
    ResetPlayedLeagueFlags();
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_TRUE(std::ranges::equal(PlayedLeagueFlags, kChoice));

    std::fill(std::begin(PlayedLeagueFlags), std::end(PlayedLeagueFlags), uint16_t(0));
    ASSERT_EQ(SaveGame(2), 0);
    ASSERT_EQ(LoadGame(2), 0);
    EXPECT_TRUE(std::ranges::all_of(PlayedLeagueFlags, [](uint16_t flag) { return flag == 1; }));
}

// A save file loaded into slot 5 against a running game loaded from a save
// of the recognisable state.
class BadSaveTest : public SaveGameTest {
  protected:
    void SetUp() override {
        SaveGameTest::SetUp();
        ASSERT_EQ(SaveGame(1), 0);
        ASSERT_EQ(LoadGame(1), 0);
        running_ = HashState();
        good_ = testenv::ReadHostFile("SaveData/save1");
        perm_ = testenv::ReadHostFile("SaveData/perm1");
        testenv::WriteHostFile("SaveData/perm5", perm_);
    }

    // What the block reader makes of the file on its own.
    static int ReadBlocks(const Bytes& file) {
        testenv::WriteHostFile("SaveData/save5", file);
        std::vector<uint8_t> staging(kSaveGameDataBytes);
        DataBlockDescriptor list[kSaveGameBlockCount + 1];
        size_t at = 0;
        for (int i = 0; i < kSaveGameBlockCount; ++i) {
            list[i] = {staging.data() + at, SaveGameDescriptors[i].size};
            at += SaveGameDescriptors[i].size;
        }
        list[kSaveGameBlockCount] = {nullptr, 0};
        std::FILE* f = std::fopen("SaveData/save5", "rb");
        const int read = ReadDataBlocks(list, f, "SAV0");
        std::fclose(f);
        return read;
    }

    // Loads slot 5 (whose files are in place), expecting the load to fail
    // with `code`, say so, and leave the running game as it was.
    void ExpectRefused(int code) {
        const int32_t level = DebugGetLevel(DEBUG_FILE);
        DebugSetLevel(DEBUG_FILE, 10);
        testing::internal::CaptureStdout();
        EXPECT_EQ(LoadGame(5), code);
        const std::string said = testing::internal::GetCapturedStdout();
        DebugSetLevel(DEBUG_FILE, level);
        EXPECT_NE(said.find("Warning: LoadGame(): slot 5 not loaded (" + std::to_string(code) + ")"),
                  std::string::npos)
            << said;
        EXPECT_EQ(PlayerCount, kPatternPlayers);
        EXPECT_EQ(HashState(), running_);
    }

    // The block reader stops the file with `read` (0: it passes whole), and
    // the load fails with `code`.
    void ExpectRefused(const Bytes& file, int read, int code) {
        EXPECT_EQ(ReadBlocks(file), read);
        testenv::WriteHostFile("SaveData/save5", file);
        ExpectRefused(code);
    }

    uint64_t running_ = 0;
    Bytes good_, perm_;
};

// Each fault of the file's frame is refused by the check that looks for it,
// not by one that happens to come later: the check word is made right
// wherever the fault is inside the checked bytes.
TEST_F(BadSaveTest, EachFaultOfTheFrameIsRefusedByItsOwnCheck) {
    {
        SCOPED_TRACE("shorter than a header");
        ExpectRefused(Bytes(good_.begin(), good_.begin() + 10), kBlockReadHeader, kSaveReadFailed);
    }
    {
        SCOPED_TRACE("not a block file");
        Bytes bad = good_;
        bad[0] = 'X';
        ExpectRefused(bad, kBlockReadNotBlockFile, kSaveBadFormat);
    }
    {
        SCOPED_TRACE("a block file of another kind");
        Bytes bad = good_;
        bad[7] = '1';
        ExpectRefused(bad, kBlockReadWrongMagic, kSaveBadFormat);
    }
    {
        SCOPED_TRACE("a block more than a game holds");
        Bytes bad(good_.begin(), good_.end() - kBlockFileTrailerSize);
        bad.insert(bad.end(), 4, 0);  // an empty block
        bad.insert(bad.end(), good_.end() - kBlockFileTrailerSize, good_.end());
        testbytes::PutU16(bad, 12, kSaveGameBlockCount + 1);
        testbytes::PutU32(bad, 8, testbytes::GetU32(good_, 8) + 4);
        Reseal(bad, SaveGameDescriptors);
        ExpectRefused(bad, kBlockReadTooManyBlocks, kSaveBadFormat);
    }
    {
        SCOPED_TRACE("a payload word the blocks do not add up to");
        Bytes bad = good_;
        testbytes::PutU32(bad, 8, testbytes::GetU32(good_, 8) + 1);
        ExpectRefused(bad, kBlockReadPayload, kSaveBadFormat);
    }
    {
        SCOPED_TRACE("a size word other than its block's");
        Bytes bad = good_;
        testbytes::PutU32(bad, BlockOffset(5), 3);
        Reseal(bad, SaveGameDescriptors);
        ExpectRefused(bad, kBlockReadSizeMismatch, kSaveBadFormat);
    }
    {
        SCOPED_TRACE("a byte changed inside a block");
        Bytes bad = good_;
        bad[BlockOffset(40) + 4 + 100] ^= 0x04;
        ExpectRefused(bad, kBlockReadBadCheck, kSaveBadFormat);
    }
    {
        SCOPED_TRACE("the trailer's tag changed");
        Bytes bad = good_;
        bad[bad.size() - 5] = '1';
        ExpectRefused(bad, kBlockReadBadTrailer, kSaveBadFormat);
    }
    {
        // A game of an older layout: every block it holds is whole.
        SCOPED_TRACE("the last block missing");
        const size_t cut = BlockOffset(kSaveGameBlockCount - 1);
        Bytes bad(good_.begin(), good_.begin() + cut);
        bad.insert(bad.end(), good_.end() - kBlockFileTrailerSize, good_.end());
        testbytes::PutU16(bad, 12, kSaveGameBlockCount - 1);
        testbytes::PutU32(bad, 8, uint32_t(cut - kBlockFileHeaderSize));
        Reseal(bad);
        ExpectRefused(bad, 1, kSaveBadFormat);
    }
    // Files cut short inside a size word, a block and the trailer.
    {
        SCOPED_TRACE("cut inside a size word");
        ExpectRefused(Bytes(good_.begin(), good_.begin() + BlockOffset(39) + 2), kBlockReadSize,
                      kSaveReadFailed);
    }
    {
        SCOPED_TRACE("cut inside a block");
        ExpectRefused(Bytes(good_.begin(), good_.begin() + BlockOffset(39) + 1000), kBlockReadBytes,
                      kSaveReadFailed);
    }
    {
        SCOPED_TRACE("cut inside the trailer");
        ExpectRefused(Bytes(good_.begin(), good_.end() - 3), kBlockReadTrailer, kSaveReadFailed);
    }
}

// The counts and first entries that index fixed tables are refused one past
// what their tables take, in a file whose frame and check word are right.
TEST_F(BadSaveTest, CountsPastTheirTablesAreRefused) {
    const size_t players = BlockOffset(BlockOf(&PlayerCount)) + 4;
    const size_t playerHistory = BlockOffset(BlockOf(&PlayerHistoryCount)) + 4;
    const size_t clubHistory = BlockOffset(BlockOf(&ClubHistoryCount)) + 4;
    const size_t playerFirst = BlockOffset(BlockOf(PlayerHistoryFirst)) + 4;
    const size_t clubFirst = BlockOffset(BlockOf(ClubHistoryFirst)) + 4;
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        int width;
    };
    const Case cases[] = {
        {"players", players, kMaxPlayers + 1, 2},
        {"player history count", playerHistory, kPlayerHistoryEntries + 2, 4},
        {"player history count 0", playerHistory, 0, 4},
        {"club history count", clubHistory, kClubHistoryEntries + 2, 4},
        {"club history count 0", clubHistory, 0, 4},
        {"a player's first history entry", playerFirst + 4 * (kMaxPlayers - 1), kPlayerHistoryEntries + 1, 4},
        {"a club's first history entry", clubFirst + 4 * 7, kClubHistoryEntries + 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bad = good_;
        if (c.width == 2) {
            testbytes::PutU16(bad, c.at, uint16_t(c.value));
        } else {
            testbytes::PutU32(bad, c.at, c.value);
        }
        Reseal(bad);
        ExpectRefused(bad, 0, kSaveBadFormat);
    }
}

// The perm file beside the save is part of the game: a save without it, or
// with a damaged one, is not loaded either.
TEST_F(BadSaveTest, AMissingOrDamagedPermFileIsRefused) {
    testenv::WriteHostFile("SaveData/save5", good_);
    fs::remove("SaveData/perm5");
    ExpectRefused(kSavePermFailed);

    Bytes other = perm_;
    other[7] = '1';
    testenv::WriteHostFile("SaveData/perm5", other);
    ExpectRefused(kSaveBadFormat);

    Bytes changed = perm_;
    changed[kBlockFileHeaderSize + 4 + 10] ^= 0x01;
    testenv::WriteHostFile("SaveData/perm5", changed);
    ExpectRefused(kSaveBadFormat);

    testenv::WriteHostFile("SaveData/perm5", Bytes(perm_.begin(), perm_.end() - 3));
    ExpectRefused(kSavePermFailed);

    EXPECT_EQ(LoadGame(9), kSaveOpenFailed);
}

TEST_F(SaveGameTest, SaveThatFailsPartWayKeepsThePreviousSave) {
    ASSERT_EQ(SaveGame(1), 0);
    const Bytes before = testenv::ReadHostFile("SaveData/save1");
    PlayerCount = kPatternPlayers + 1;

    // The disk fills up 8 MB into the new file.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit kept = limit;
    limit.rlim_cur = 8u << 20;
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const int result = SaveGame(1);
    setrlimit(RLIMIT_FSIZE, &kept);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_TRUE(result == kSaveWriteFailed || result == kSaveCloseFailed) << result;
    EXPECT_TRUE(testenv::ReadHostFile("SaveData/save1") == before);
    for (const auto& entry : fs::directory_iterator("SaveData")) {
        EXPECT_EQ(entry.path().extension(), "") << entry.path();
    }
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(PlayerCount, kPatternPlayers);

    DeleteSaveSlot(1);
    EXPECT_FALSE(fs::exists("SaveData/save1"));
    EXPECT_FALSE(fs::exists("SaveData/perm1"));
}

}  // namespace
