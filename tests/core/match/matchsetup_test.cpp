#include <fstream>
#include <sstream>
#include <vector>

#include "core/base/debug.h"
#include "core/club/squads.h"
#include "core/match/teamsetup.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using namespace gameinfo;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MatchSetupBlockTest, ClearedBlockDumpsEveryFieldUnset) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    EXPECT_EQ(block, GetMatchSetupBlock());
    for (uint8_t byte : block->bytes) ASSERT_EQ(byte, 0xFF);
    StdoutCapture capture;
    DumpEnterGameInfo(block);
    const std::string text = capture.Text();
    EXPECT_EQ(text,
              ReadFile(std::string(HALVORN_SOURCE_DIR) + "/tests/core/match/data/cleared_setup_dump.txt"));
}

TEST(MatchSetupBlockTest, DumpShowsFilledFieldsWhereTheyLie) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(kDurationMinutes, 5);
    block->SetU8(kGoldenGoals, 1);
    block->SetI16(kStadiumLevel + 2 * 3, 7);
    block->SetU8(kUnderConstruction + 2, 1);
    std::memcpy(block->bytes + TeamInfoAt(1) + kTeamName, "Rovers", 7);
    block->SetTeamI16(1, kOldGoals, 2);
    block->SetTeamI16(1, kFreeKickTaker, 9);
    std::memcpy(block->bytes + PlayerInfoAt(1, 16) + kPlayerInfoName, "Last", 5);
    block->SetI16(PlayerInfoAt(1, 16) + kPlayerStats + 2 * kStatOutlook, 88);
    StdoutCapture capture;
    DumpEnterGameInfo(block);
    const std::string text = capture.Text();
    EXPECT_NE(text.find("  DurationMinutes=5\n"), std::string::npos);
    EXPECT_NE(text.find("  GoldenGoals=1\n"), std::string::npos);
    EXPECT_NE(text.find("   StadiumLevel[3]=7,  UnderConstruction[3]=255\n"), std::string::npos);
    EXPECT_NE(text.find("   StadiumLevel[2]=-1,  UnderConstruction[2]=1\n"), std::string::npos);
    EXPECT_NE(text.find(" TeamInfo[1].\n  Name[] = 'Rovers'\n  HumanManaged=255\n  OldGoals=2\n"),
              std::string::npos);
    EXPECT_NE(text.find("  FreeKickTaker=9\n"), std::string::npos);
    EXPECT_NE(text.find("  PlayerInfo[16].\n   Name[] = 'Last'\n"), std::string::npos);
    EXPECT_NE(text.find("Outlook= 88\t\n"), std::string::npos);
}

TEST(MatchSetupBlockTest, UnsetValuesReadAsUnset) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    EXPECT_FALSE(MatchRuleSet(block, kExtraTime));
    EXPECT_FALSE(MatchTeamHuman(block, 0));
    EXPECT_EQ(MatchTeamOldGoals(block, 1), 0);
    EXPECT_EQ(MatchAvailableSubs(block), 0);
    EXPECT_EQ(MatchSubstitutionsAllowed(block), 0);
    EXPECT_EQ(MatchTakerEntry(block, 1, kPenaltyTaker), -1);
    EXPECT_EQ(MatchDurationMinutes(block), 1);
    block->SetI16(kNumAvailableSubs, 9);
    block->SetI16(kNumSubstitutionsAllowed, 3);
    block->SetTeamI16(1, kPenaltyTaker, 17);  // shirt 17: the last squad entry
    block->SetTeamI16(1, kCornerTaker, 18);
    block->SetTeamI16(1, kCaptain, 0);
    block->SetI16(kDurationMinutes, 5);
    EXPECT_EQ(MatchAvailableSubs(block), 5);
    EXPECT_EQ(MatchSubstitutionsAllowed(block), 3);
    EXPECT_EQ(MatchTakerEntry(block, 1, kPenaltyTaker), 16);
    EXPECT_EQ(MatchTakerEntry(block, 1, kCornerTaker), -1);
    EXPECT_EQ(MatchTakerEntry(block, 1, kCaptain), -1);
    block->SetTeamI16(1, kCaptain, 1);
    EXPECT_EQ(MatchTakerEntry(block, 1, kCaptain), 0);
    EXPECT_EQ(MatchDurationMinutes(block), 5);
    block->SetU8(kExtraTime, 1);
    block->SetTeamU8(0, kHumanManaged, 2);
    block->SetTeamI16(1, kOldGoals, 3);
    EXPECT_TRUE(MatchRuleSet(block, kExtraTime));
    EXPECT_TRUE(MatchTeamHuman(block, 0));
    EXPECT_EQ(MatchTeamOldGoals(block, 1), 3);
}

// ---------------------------------------------------------------------------
// Tactics

class MatchTacticsTest : public matchtest::MatchFixture {
  protected:
    void SetUp() override {
        MatchFixture::SetUp();
        InitCustomTactics();
        for (int slot = 0; slot < kCustomTacticSlots; ++slot) {
            FillSlot(CustomTacticTableA.bytes + slot * kTacticRecordSize, uint8_t(0x40 + slot));
            FillSlot(CustomTacticTableB.bytes + slot * kTacticRecordSize, uint8_t(0x80 + slot));
        }
        CurrentTacticA = 12;
        TacticOptionA = 1;
        CurrentTacticB = 21;
        TacticOptionB = 2;
    }
    // A custom slot whose every byte is the mark (grid x then 0xMMMM, in use).
    static void FillSlot(uint8_t* slot, uint8_t mark) { std::memset(slot, mark, kTacticRecordSize); }
    static uint8_t LiveMark(int team) { return MatchTacticRecord[team].bytes[100]; }
};

TEST_F(MatchTacticsTest, ComputerTeamsTakeTheirManagersPresets) {
    // Two managers (position 13) of clubs 10 and 11 with formation families
    // 5 and 2 (bits 29-31 of the word at byte 100 of the record); the table's
    // entries are stale values the match must not use.
    const auto keptRecords = std::vector<PlayerRecord>(PlayerRecords, PlayerRecords + 5);
    const uint16_t keptCount = PlayerCount;
    PlayerCount = 5;
    const int16_t clubs[2] = {10, 11};
    const int families[2] = {5, 2};
    for (uint16_t p = 1; p < 5; ++p) {
        std::memset(&PlayerRecords[p], 0, sizeof PlayerRecords[p]);
        SetPlayerClub(p, 1199);
    }
    for (int i = 0; i < 2; ++i) {
        const uint16_t manager = uint16_t(3 + i);
        SetPlayerClub(manager, clubs[i]);
        SetPlayerLoanClub(manager, clubs[i]);
        SetPlayerPosition(manager, 13);
        PlayerRecords[manager].bytes[103] = uint8_t(families[i] << 5);
    }
    ClubTacticPreset[10] = 7;
    ClubTacticPreset[11] = 7;
    Block().SetTeamI16(1, kTacticOption, 5);
    FillMatchTeamBlocks(&Block(), 10, 11, 1, 0, 0);
    EXPECT_EQ(Block().TeamI16(0, kTacticChoice), FormationFamilyPreset(5));
    EXPECT_EQ(Block().TeamI16(1, kTacticChoice), FormationFamilyPreset(2));
    EXPECT_EQ(Block().TeamI16(1, kTacticOption), 0);
    std::copy(keptRecords.begin(), keptRecords.end(), PlayerRecords);
    PlayerCount = keptCount;
}

TEST_F(MatchTacticsTest, HumanTeamsTakeTheBookTheirFlagNames) {
    Block().SetTeamU8(0, kHumanManaged, 1);
    Block().SetTeamU8(1, kHumanManaged, 1);
    FillMatchTeamBlocks(&Block(), 10, 10, 0, 0, 1);
    EXPECT_EQ(Block().TeamI16(0, kTacticChoice), 21);
    EXPECT_EQ(Block().TeamI16(0, kTacticOption), 2);
    EXPECT_EQ(Block().TeamTacticSlot(0, 4)->bytes[17], 0x84);
    EXPECT_EQ(Block().TeamI16(1, kTacticChoice), 12);
    EXPECT_EQ(Block().TeamI16(1, kTacticOption), 1);
    EXPECT_EQ(Block().TeamTacticSlot(1, 11)->bytes[329], 0x4B);

    // A computer team's block is left as it was.
    Block().SetTeamU8(1, kHumanManaged, 0);
    Block().SetTeamI16(1, kTacticChoice, 3);
    FillMatchTeamBlocks(&Block(), 10, 11, 0, 0, 1);
    EXPECT_EQ(Block().TeamI16(1, kTacticChoice), 3);
}

TEST_F(MatchTacticsTest, TacticChoiceNamesAPresetOrACustomSlot) {
    Block().SetTeamU8(0, kHumanManaged, 1);
    FillMatchTeamBlocks(&Block(), 10, 11, 0, 1, 0);

    Block().SetTeamI16(0, kTacticChoice, 9);
    MatchLoadTeamTactics(0);
    TacticRecord preset9;
    GetComputerTactics(&preset9, 9);
    EXPECT_EQ(std::memcmp(MatchTacticRecord[0].bytes + 5, preset9.bytes + 5, 4), 0);
    EXPECT_EQ(GetTacticEntryX(&MatchTacticRecord[0], 10), 10);
    EXPECT_EQ(GetTacticEntryY(&MatchTacticRecord[0], 10), 11);

    Block().SetTeamI16(0, kTacticChoice, 10);
    MatchLoadTeamTactics(0);
    EXPECT_EQ(LiveMark(0), 0x40);
    Block().SetTeamI16(0, kTacticChoice, 21);
    MatchLoadTeamTactics(0);
    EXPECT_EQ(LiveMark(0), 0x4B);

    MatchLoadFirstCustomTactic(0);
    EXPECT_EQ(LiveMark(0), 0x40);
}

TEST_F(MatchTacticsTest, BadChoiceOrEmptySlotPlaysPresetZero) {
    Block().SetTeamU8(1, kHumanManaged, 1);
    FillMatchTeamBlocks(&Block(), 10, 11, 0, 0, 1);
    recbits::StoreU16(Block().TeamTacticSlot(1, 3)->bytes + 5, 0xFFFF);
    TacticRecord preset0;
    GetComputerTactics(&preset0, 0);
    for (int16_t choice : {int16_t(22), int16_t(-1), int16_t(13), int16_t(300)}) {
        std::memset(MatchTacticRecord[1].bytes, 0, kTacticRecordSize);
        Block().SetTeamI16(1, kTacticChoice, choice);
        // The warning shows at debug level 1, not at the usual 0.
        const int32_t level = choice == 13 ? 0 : 1;
        DebugSetLevel(DEBUG_GENERAL, level);
        StdoutCapture capture;
        MatchLoadTeamTactics(1);
        DebugSetLevel(DEBUG_GENERAL, 0);
        EXPECT_EQ(capture.Text().find("Warning") != std::string::npos, level == 1) << choice;
        EXPECT_EQ(GetTacticEntryX(&MatchTacticRecord[1], 3), GetTacticEntryX(&preset0, 3)) << choice;
        EXPECT_EQ(GetTacticEntryY(&MatchTacticRecord[1], 8), 13) << choice;
    }
}

// A side nobody manages kicks off with the record made for it in the first
// custom slot, and the computer manager's restore goes back to it; a
// human-managed side, or one whose first slot is empty, plays its choice.
TEST_F(MatchTacticsTest, AComputerSideKicksOffWithTheTacticsMadeForIt) {
    // The loaders keep bytes a preset does not set: all start at 0.
    TacticRecord made{}, chosen{};
    std::memset(MatchTacticRecord, 0, sizeof MatchTacticRecord);
    GetComputerTactics(&made, 7);
    GetComputerTactics(&chosen, 3);
    const auto same = [](const TacticRecord& a, const TacticRecord& b) {
        return std::memcmp(a.bytes, b.bytes, kTacticRecordSize) == 0;
    };
    for (int team = 0; team < 2; ++team) {
        Block().SetTeamI16(team, kTacticChoice, 3);
        *Block().TeamTacticSlot(team, 0) = made;
    }
    Block().SetTeamU8(1, kHumanManaged, 1);
    MatchTeam_SetupBoth();
    EXPECT_TRUE(same(MatchTacticRecord[0], made));
    EXPECT_TRUE(same(MatchTacticRecord[1], chosen));

    for (int team = 0; team < 2; ++team) {
        Block().SetTeamU8(team, kHumanManagedAtStart, Block().TeamU8(team, kHumanManaged));
        std::memset(MatchTacticRecord[team].bytes, 0, kTacticRecordSize);
        MatchResetTeamTactics(int16_t(team));
    }
    EXPECT_TRUE(same(MatchTacticRecord[0], made));
    EXPECT_TRUE(same(MatchTacticRecord[1], chosen));

    recbits::StoreU16(Block().TeamTacticSlot(0, 0)->bytes + 5, 0xFFFF);
    std::memset(MatchTacticRecord, 0, sizeof MatchTacticRecord);
    MatchTeam_SetupBoth();
    EXPECT_TRUE(same(MatchTacticRecord[0], chosen));
}

TEST(ClubTacticPresetTest, FamiliesMapToPresetsOfTheSameShape) {
    // Defence stands on rows 4-6, midfield on 7-9, attack from 10.
    constexpr int kLines[6][3] = {{4, 4, 2}, {4, 3, 3}, {3, 5, 2}, {5, 3, 2}, {4, 5, 1}, {3, 4, 3}};
    for (int family = 0; family < 6; ++family) {
        TacticRecord record;
        GetComputerTactics(&record, FormationFamilyPreset(family));
        int lines[3] = {};
        for (int entry = 1; entry < kTacticEntries; ++entry) {
            const int y = GetTacticEntryY(&record, entry);
            ++lines[y <= 6 ? 0 : y <= 9 ? 1 : 2];
        }
        EXPECT_EQ(lines[0], kLines[family][0]) << family;
        EXPECT_EQ(lines[1], kLines[family][1]) << family;
        EXPECT_EQ(lines[2], kLines[family][2]) << family;
    }
    EXPECT_EQ(FormationFamilyPreset(6), 0);
    EXPECT_EQ(GetClubTacticPreset(-1), 0);
    EXPECT_EQ(GetClubTacticPreset(1200), 0);
}

}  // namespace

namespace {

// A player of a club with a formation family (bits 29-31 of the word at
// byte 100 of his record).
void MakePlayer(uint16_t player, int16_t club, int16_t position, int family) {
    SetPlayerClub(player, club);
    SetPlayerLoanClub(player, club);
    SetPlayerPosition(player, position);
    PlayerRecords[player].bytes[103] = uint8_t((PlayerRecords[player].bytes[103] & 0x1F) | family << 5);
}

TEST(ClubTacticPresetTest, NewGameSetsEachClubsPresetFromItsManager) {
    std::memset(PlayerRecords, 0, sizeof PlayerRecords);
    PlayerCount = 20;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        SetPlayerClub(p, 1199);
        SetPlayerLoanClub(p, 1199);
    }
    MakePlayer(3, 5, 4, 3);   // a defender: not the manager
    MakePlayer(4, 5, 13, 1);  // the manager of club 5: 4-3-3
    MakePlayer(5, 5, 13, 2);  // a second manager is not read
    MakePlayer(6, 6, 7, 4);
    SetPlayerHalvorn(6, 1);  // club 6 has only the halvorn: 4-5-1
    MakePlayer(7, 7, 7, 5);  // club 7 has neither: no manager plays preset 0
    std::memset(&CustomTacticTableB, 0, sizeof CustomTacticTableB);
    ClubTacticPreset.fill(0xFF);
    // What a new game does last, once its managers are in place.
    InitCustomTactics();
    InitClubTacticPresets();
    EXPECT_EQ(ClubTacticPreset[5], FormationFamilyPreset(1));
    EXPECT_EQ(ClubTacticPreset[6], FormationFamilyPreset(4));
    EXPECT_EQ(ClubTacticPreset[7], 0);
    EXPECT_TRUE(IsCustomTacticEmpty(GetTacticRecordB(10)));
    EXPECT_TRUE(IsCustomTacticEmpty(GetTacticRecordB(21)));

    // An entry left unset (a program just started) or held from another
    // game or an earlier manager is taken afresh when a match needs it.
    ClubTacticPreset[5] = 0xFF;
    EXPECT_EQ(GetClubTacticPreset(5), FormationFamilyPreset(1));
    EXPECT_EQ(ClubTacticPreset[5], FormationFamilyPreset(1));
    ClubTacticPreset[6] = uint8_t(FormationFamilyPreset(0));
    EXPECT_EQ(GetClubTacticPreset(6), FormationFamilyPreset(4));

    // A manager who changes his shape within the season (or a new manager)
    // plays it at his next match, before any season roll.
    MakePlayer(4, 5, 13, 2);
    EXPECT_EQ(GetClubTacticPreset(5), FormationFamilyPreset(2));

    // A new season takes each club's manager afresh.
    MakePlayer(4, 5, 13, 5);
    SeasonCalendar.currentDay = 365;
    AdvanceDay();
    EXPECT_EQ(SeasonCalendar.currentDay, 0);
    EXPECT_EQ(ClubTacticPreset[5], FormationFamilyPreset(5));
    PlayerCount = 0;
}

}  // namespace
