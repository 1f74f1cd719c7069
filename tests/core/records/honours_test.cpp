// Honours tables, season awards, initial statistics and season resets.
#include <gtest/gtest.h>

#include <cstring>

#include "core/club/board.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/season/clubseason.h"
#include "core/season/leagues.h"
#include "core/season/reportfacts.h"
#include "tests/core/records/records_fixture.h"

namespace {

class HonoursTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        ClearHistoryLists();
        std::memset(HonoursTable, 0, sizeof HonoursTable);
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        for (int16_t club = 0; club < 10; ++club) {
            SetClubNation(club, 0);
            SetClubRep(club, 20);
        }
        SetClubNation(50, 40);  // outside the played countries
        SetClubRep(50, 20);
        // Clubs 1 and 2 play in country 0's division 0, club 3 in division 1.
        LeagueTable[0][0][0] = 1;
        LeagueTable[0][0][1] = 2;
        LeagueTable[0][1][0] = 3;
        RankClubsByStrength();
    }

    // An outfield player of a club with the given season figures.
    void MakePlayer(uint16_t p, int16_t club, int goals, int apps, int perf, int age = 10) {
        SetClubControl(club, 1);  // a human club's lists are its roster as it stands
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerPosition(p, 8);
        SetPlayerGoals(p, int16_t(goals));
        SetPlayerApps(p, int16_t(apps));
        SetPlayerPerf(p, int16_t(perf));
        SetPlayerAge(p, int16_t(age));
    }
    void MakeManager(uint16_t p, int16_t club) {
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerPosition(p, 13);
    }
    const HonoursRow& Row(int country, int row) { return HonoursTable[country][row]; }
};

TEST_F(HonoursTest, FiftySeasonsKeptAndTheOldestDropped) {
    for (int16_t season = 0; season < 60; ++season) {
        HonoursTable[0][0].words[0] = season;
        HonoursTable[0][0].words[33] = int16_t(100 + season);
        ShiftHonoursTables();
    }
    EXPECT_EQ(Row(0, 0).words[0], -1);
    EXPECT_EQ(Row(0, 0).words[33], 0);
    EXPECT_EQ(Row(0, 0).words[27], -1);
    EXPECT_EQ(Row(0, 0).words[75], 0);
    EXPECT_EQ(Row(0, 1).words[0], 59);
    EXPECT_EQ(Row(0, 49).words[0], 11);
    EXPECT_EQ(Row(0, 49).words[33], 111);
}

TEST_F(HonoursTest, TopScorerTieGoesToTheLowerPlayerNumber) {
    MakePlayer(20, 1, 14, 30, 60);
    MakePlayer(12, 2, 14, 30, 60);
    MakePlayer(30, 3, 25, 30, 60);  // another division
    MakePlayer(40, 2, 30, 30, 60);
    SetPlayerPosition(40, 0);  // goalkeepers do not count
    const uint16_t rep = GetPlayerReputation(12);
    AwardTopScorer(0, 0);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardPlayerWord(kAwardTopScorer, 0)], 12);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardClubWord(kAwardTopScorer, 0)], 2);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardGoalsWord(0)], 14);
    EXPECT_EQ(GetPlayerReputation(12), rep + 5);
    PlayerHistoryEntry spells[kPlayerHistoryLookup];
    ASSERT_EQ(FindPlayerHistoryEntry(12, spells), 1);
    EXPECT_EQ(PlayerHistoryKind(spells[0]), 6);
    EXPECT_EQ(PlayerHistoryMarker(spells[0]), kAwardTopScorer);
}

TEST_F(HonoursTest, ADivisionWithNoEligiblePlayerLeavesItsColumnsEmpty) {
    ShiftHonoursTables();
    MakePlayer(20, 1, 14, 20, 60, 12);  // too few games for either award
    AwardPlayerOfSeason(0, 0);
    AwardYoungPlayerOfSeason(0, 0);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardPlayerWord(kAwardPlayer, 0)], 0);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardClubWord(kAwardPlayer, 0)], -1);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardPlayerWord(kAwardYoungPlayer, 0)], 0);
    EXPECT_EQ(PlayerHistoryCount, 1u);
    // With 31 games he is player of the season; at 24 he is not young.
    SetPlayerApps(20, 31);
    AwardPlayerOfSeason(0, 0);
    AwardYoungPlayerOfSeason(0, 0);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardPlayerWord(kAwardPlayer, 0)], 20);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardPlayerWord(kAwardYoungPlayer, 0)], 0);
}

TEST_F(HonoursTest, ManagerOfTheSeasonPassesOverCaretakers) {
    ShiftHonoursTables();
    MakeManager(60, 1);
    SetPlayerCaretaker(60, 1);
    MakeManager(61, 2);
    AwardManagerOfSeason(0, 0);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardPlayerWord(kAwardManager, 0)], 61);
    EXPECT_EQ(Row(0, 0).words[HonoursAwardClubWord(kAwardManager, 0)], 2);
    ClubHistoryEntry entries[kClubHistoryLookup];
    ASSERT_EQ(FindClubHistoryEntry(2, entries), 1);
    EXPECT_EQ(ClubHistoryKind(entries[0]), 17);
    // The weekly award names its winner only in the club history.
    AwardManagerOfWeek(0, 0);
    ASSERT_EQ(FindClubHistoryEntry(2, entries), 2);
    EXPECT_EQ(ClubHistoryKind(entries[1]), 16);
}

TEST_F(HonoursTest, CupWinnersAreRecordedAndRewarded) {
    ShiftHonoursTables();
    MakeManager(70, 4);
    SetPlayerFans(70, 20);
    SetPlayerReputation(70, 30);
    // The squad's reward: one point of experience for a shirt, two for the
    // captain, none for a player without a shirt.
    for (const uint16_t p : {71, 72, 73}) {
        MakePlayer(p, 4, 0, 0, 0);
        SetPlayerExperience(p, 40);
        SetPlayerShirt(p, p == 73 ? 0 : int16_t(p - 60));
    }
    SetPlayerCaptain(72, 1);
    AwardCupWinner(4, 9);
    EXPECT_EQ(Row(0, 0).words[0], 4);
    EXPECT_EQ(GetClubRep(4), 23);
    EXPECT_GE(GetPlayerFans(70), 21);
    EXPECT_LE(GetPlayerFans(70), 28);
    EXPECT_EQ(GetPlayerReputation(70), 32);
    EXPECT_EQ(GetPlayerExperience(71), 41);
    EXPECT_EQ(GetPlayerExperience(72), 42);
    EXPECT_EQ(GetPlayerExperience(73), 40);
    ClubHistoryEntry entries[kClubHistoryLookup];
    ASSERT_EQ(FindClubHistoryEntry(4, entries), 1);
    EXPECT_EQ(ClubHistoryKind(entries[0]), 6);
    EXPECT_EQ(ClubHistoryExtra2(entries[0]), 9);
    PlayerHistoryEntry spells[kPlayerHistoryLookup];
    ASSERT_EQ(FindPlayerHistoryEntry(70, spells), 1);
    EXPECT_EQ(PlayerHistoryKind(spells[0]), 7);
    EXPECT_EQ(PlayerHistoryMarker(spells[0]), 9);
    // A runner-up code: its word, no history.
    AwardCupWinner(5, 10);
    EXPECT_EQ(Row(0, 0).words[1], 5);
    EXPECT_EQ(FindClubHistoryEntry(5, entries), 0);
}

TEST_F(HonoursTest, ACupWonOutsideThePlayedCountriesCountsForCountryZero) {
    ShiftHonoursTables();
    AwardCupWinner(50, 21);
    EXPECT_EQ(Row(0, 0).words[12], 50);
    EXPECT_EQ(GetClubRep(50), 20);
}

TEST_F(HonoursTest, InitialStatisticsFollowAgeAbilityAndTheDay) {
    const uint16_t p = 15;
    SetPlayerPosition(p, 8);  // goal factor 38
    SetPlayerAge(p, 10);
    SetPlayerStat(p, 27, 80);
    SetPlayerStat(p, 15, 50);
    SeasonCalendar.currentDay = 0;
    InitPlayerValueFields(p);
    // No games yet this season: no season figures, no performance.
    EXPECT_EQ(GetPlayerApps(p), 0);
    EXPECT_EQ(GetPlayerGoals(p), 0);
    const int career = 10 * 30 * 80 / 250;
    EXPECT_EQ(GetPlayerCareerApps(p), career);
    EXPECT_EQ(GetPlayerCareerGoals(p), (career * 38 / 100) * 80 / 250);
    EXPECT_EQ(GetPlayerExperience(p), 10 * 2 + career / 8);

    SeasonCalendar.currentDay = 200;
    InitPlayerValueFields(p);
    const int apps = 20 * 80 / 250;  // 6 before the substitute games come off
    EXPECT_EQ(GetPlayerApps(p) + GetPlayerAppsAsSub(p), apps);
    EXPECT_EQ(GetPlayerGoals(p), (apps * 38 / 100) * 80 / 250);
    EXPECT_GE(GetPlayerPerf(p), 44);  // stored halved
    EXPECT_LE(GetPlayerMoM(p), GetPlayerApps(p));
}

TEST_F(HonoursTest, SeasonResetsOfClubsAndTheUsersSquad) {
    uint8_t* club = ClubRecords[7].bytes;
    std::memset(club + kClubSeasonEntriesOffset, 0x11, 4571 - kClubSeasonEntriesOffset);
    MakePlayer(1, 7, 0, 0, 0);  // the user
    MakePlayer(9, 7, 3, 3, 50);
    UpdateClubSquads();
    std::memset(ReportEventList, 0x22, sizeof ReportEventList);
    ResetClubsForNewSeason();
    // The report event list of the season before is gone.
    EXPECT_EQ(ReportEventList[0], 0);
    EXPECT_EQ(ReportEventList[sizeof ReportEventList - 1], 0);
    const uint8_t* e = club + kClubSeasonEntriesOffset + 16 * 126;
    EXPECT_EQ(e[0], 0xFF);
    EXPECT_EQ(e[1], 0xFF);
    EXPECT_EQ(e[2], 0xFF);
    EXPECT_EQ(e[3], 0x11 | 0x7F);
    EXPECT_EQ(e[4], 0x11);
    EXPECT_EQ(e[8], 0x11);  // only the first word is emptied
    EXPECT_EQ(e[11], 0x7F);
    EXPECT_EQ(e[15], 0xFF);
    EXPECT_EQ(club[kClubSeasonPairsOffset], 0xFF);
    EXPECT_EQ(club[kClubSeasonPairsOffset + 399], 0xFF);
    EXPECT_EQ(club[kClubSeasonCountersOffset], 0);
    EXPECT_EQ(club[kClubSeasonCountersOffset + 39], 0);
    uint16_t first;
    std::memcpy(&first, PlayerSeasonStatSlots[0].bytes, 2);
    EXPECT_TRUE(first == 1 || first == 9);
    EXPECT_EQ(PlayerSeasonStatSlots[0].bytes[42], 0);
}

TEST_F(HonoursTest, SeasonEndMovesTheClubHistoryOnABlock) {
    const int16_t club = 1;
    uint8_t* blocks = ClubRecords[club].bytes + 207;
    blocks[0] = 5;         // last season's coach byte
    blocks[9 * 188] = 77;  // the oldest block, about to go
    LeagueSeasonRecords[club].words[kSeasonPoints] = 70;
    LeagueSeasonRecords[club].words[kSeasonHomeFor] = 30;
    LeagueSeasonRecords[club].words[kSeasonAwayFor] = 25;
    RecordClubSeasonEnd(0);
    EXPECT_EQ(blocks[188], 5);
    EXPECT_NE(blocks[9 * 188], 77);
    EXPECT_EQ(GetClubCoach(club, 0, 0), 1);  // first in country 0's table
    EXPECT_EQ(GetClubRecordPointsTotal(club), 70);
    EXPECT_EQ(GetClubRecordGoalsTotal(club), 55);
    uint16_t points;
    std::memcpy(&points, blocks + 12, 2);
    EXPECT_EQ(points, 70);
}

TEST_F(HonoursTest, ANewGameKeepsOnlyLastSeasonsShippedClubs) {
    HonoursRow shipped[9];
    for (HonoursRow& row : shipped) {
        for (int16_t& w : row.words) w = 3;
    }
    HonoursTable[2][30].words[0] = 8;
    InitHonoursForNewGame(shipped);
    EXPECT_EQ(Row(2, 0).words[0], -1);
    EXPECT_EQ(Row(2, 1).words[0], 3);
    EXPECT_EQ(Row(2, 1).words[26], 3);
    EXPECT_EQ(Row(2, 1).words[27], -1);
    EXPECT_EQ(Row(2, 1).words[33], 0);
    EXPECT_EQ(Row(2, 30).words[0], -1);
    EXPECT_EQ(GetClubCoach(4, 9, 11), 31);
}

}  // namespace
