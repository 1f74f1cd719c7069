// League places, standing classes, league form, honours readers, record
// holders and the merges of a match into the club season blocks.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/match/matchresult.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/records/honours.h"
#include "core/season/clubseason.h"
#include "tests/core/records/league_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

using LeagueTest = LeagueWorldTest;
using LeagueDeathTest = LeagueWorldTest;

TEST_F(LeagueTest, DivisionRowsAndPlaces) {
    FillDivision(100, 1, 2);  // country 1, division 2: 10 clubs
    Place(300, 1, 0, 7);
    LeagueSeasonRecords[105].words[kSeasonPlace] = 5;
    EXPECT_EQ(HVW_FindClubInDivisionRows(105), 2);
    EXPECT_EQ(HVW_FindClubInDivisionRows(300), 0);
    EXPECT_EQ(HVW_GetClubTablePosition(105), 5);
    EXPECT_EQ(HVW_GetLeaguePlace(105), 5);
    EXPECT_EQ(HVW_GetLeaguePlace(300), 7);
    EXPECT_EQ(HVW_GetLeagueTableClub(1, 2, 9), 109);
    // Absent or not a club: 0, never fatal.
    SetClubNation(500, 1);
    LeagueSeasonRecords[500].words[kSeasonPlace] = 9;
    EXPECT_EQ(HVW_FindClubInDivisionRows(500), 0);
    EXPECT_EQ(HVW_GetClubTablePosition(500), 0);
    EXPECT_EQ(HVW_FindClubInDivisionRows(-1), 0);
    EXPECT_EQ(HVW_FindClubInDivisionRows(1200), 0);
    EXPECT_EQ(HVW_GetClubTablePosition(1200), 0);
    SetClubNation(501, 40);  // a foreign club
    EXPECT_EQ(HVW_FindClubInDivisionRows(501), 0);
}

TEST_F(LeagueDeathTest, MissingFromItsOwnDivisionRow) {
    SetClubNation(500, 2);
    SetClubDivision(500, 1);
    EXPECT_FATAL(HVW_GetLeaguePlace(500), "in funcs HVW_GetLeaguePlace Cant find Division for Team");
    EXPECT_FATAL(HVW_GetLeaguePosTextForTeam(500, 1),
                 "in HVW_GetLeaguePosTextForTeam\\(\\) can't find team in that division.*"
                 "File: funcs  Line: 2052");
}

TEST_F(LeagueTest, LeaguePlaceTextIsTheOrdinalPlace) {
    FillDivision(100, 0, 0);
    CoreHooks hooks;
    hooks.ordinalText = [](int32_t number) {
        static char text[16];
        std::snprintf(text, sizeof text, "#%d", number);
        return static_cast<const char*>(text);
    };
    CoreSetHooks(hooks);
    EXPECT_EQ(std::string(HVW_GetLeaguePosTextForTeam(102, 0)), "#3");
    CoreSetHooks(CoreHooks{});
    EXPECT_EQ(std::string(HVW_GetLeaguePosTextForTeam(102, 0)), "");
}

TEST_F(LeagueTest, SeasonRecordWords) {
    int16_t* w = LeagueSeasonRecords[12].words;
    for (int i = 0; i < 13; ++i) w[i] = int16_t(i * 2 + 1);
    int16_t a, b, c, d, e;
    HVW_GetClubSeasonTotals(12, &a, &b, &c);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 23);
    EXPECT_EQ(c, 26);
    HVW_GetClubSeasonHomeRecord(12, &a, &b, &c, &d, &e);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(e, 11);
    HVW_GetClubSeasonAwayRecord(12, &a, &b, &c, &d, &e);
    EXPECT_EQ(a, 13);
    EXPECT_EQ(e, 21);
}

TEST_F(LeagueTest, StandingClassesOfATwentyClubDivision) {
    const int expected[20] = {7, 7, 7, 7, 7, 6, 6, 6, 3, 3, 2, 2, 2, 2, 2, 1, 0, 0, 0, 0};
    SetClubNation(50, 0);
    SetClubDivision(50, 0);
    for (int p = 0; p < 20; ++p) {
        SetClubBaseRep(50, int16_t(p));
        EXPECT_EQ(HVW_GetClubStandingClass(50), expected[p]) << p;
    }
    // Below the top division the two best classes are 5 and 4; a division
    // of 24 clubs halves at 12.
    SetClubDivision(50, 1);
    SetClubBaseRep(50, 4);
    EXPECT_EQ(HVW_GetClubStandingClass(50), 5);
    SetClubBaseRep(50, 7);
    EXPECT_EQ(HVW_GetClubStandingClass(50), 4);
    SetClubBaseRep(50, 11);
    EXPECT_EQ(HVW_GetClubStandingClass(50), 3);
    SetClubBaseRep(50, 19);
    EXPECT_EQ(HVW_GetClubStandingClass(50), 1);
    SetClubBaseRep(50, 20);
    EXPECT_EQ(HVW_GetClubStandingClass(50), 0);

    EXPECT_EQ(HVW_GetStandingClassText(7), 1695);
    EXPECT_EQ(HVW_GetStandingClassText(8), -1);
    EXPECT_EQ(HVW_GetStandingClassText(-1), -1);
}

TEST_F(LeagueTest, LeagueFormString) {
    testenv::LoadTexts({{138, "W"}, {139, "D"}, {140, "L"}});
    SeasonCalendar.currentDay = 0;
    PutFixture(0, 0, kCompLeague, 5, 6, 31, 31);
    EXPECT_EQ(std::string(HVW_GetClubFormString(5)), "-----");
    SeasonCalendar.currentDay = 60;
    PutFixture(0, 10, kCompLeague, 5, 6, 1, 0);
    PutFixture(1, 20, kCompFriendly, 5, 8, 0, 4);  // friendly: not counted
    PutFixture(2, 30, kCompLeague, 6, 5, 2, 2);
    PutFixture(3, 40, kCompReserveLeague, 5, 6, 0, 1);  // reserve league: not counted
    PutFixture(4, 50, kCompLeague, 6, 5, 3, 1);
    EXPECT_EQ(std::string(HVW_GetClubFormString(5)), "LDW--");
    testenv::UnloadTexts();
}

TEST_F(LeagueTest, DivisionsCupsAndCodes) {
    EXPECT_EQ(HVW_CountCompRounds(1), 4);
    EXPECT_EQ(HVW_CountCompRounds(4), 2);
    EXPECT_EQ(HVW_CountCompRounds2(0), 5);
    EXPECT_EQ(HVW_GetCompRoundWord(3, 3), 19);
    EXPECT_EQ(HVW_GetCompRoundWord(5, 0), 0);
    EXPECT_EQ(HVW_GetCupIndex(CupCode(0, 0)), 0);
    EXPECT_EQ(HVW_GetCupIndex(CupCode(6, kSecondMatchCodes + 7)), 6);
    EXPECT_EQ(HVW_GetCupIndex(kCompChampionVsCupWinner), -2);
    EXPECT_EQ(HVW_GetCupIndex(kCompFriendly), -2);
    EXPECT_EQ(HVW_GetCupIndexForText(CupCode(5, 0)), 6);
    EXPECT_EQ(HVW_GetCupIndexForText(CupCode(4, kSecondMatchCodes + 7)), 4);
    EXPECT_EQ(HVW_GetCupIndexForText(kCompFriendly), -2);
    EXPECT_EQ(HVW_GetCupRoundIndex(CupCode(0, kSecondMatchCodes)), 0);
    EXPECT_EQ(HVW_GetCupRoundIndex(CupCode(0, 7)), 7);
    EXPECT_EQ(HVW_GetCupRoundIndex(kCompReserveLeague), -2);
    EXPECT_EQ(HVW_GetCompTextIdByIndex(0), 1550);
    EXPECT_EQ(HVW_GetCompTextIdByIndex(8), 3366);
    EXPECT_EQ(HVW_GetCompTextIdByIndex(23), 188);
    EXPECT_EQ(HVW_GetCompTextIdByIndex(24), -1);
}

TEST_F(LeagueTest, HonoursReaders) {
    int16_t* w = HonoursTable[2][3].words;
    for (int i = 0; i < 81; ++i) w[i] = int16_t(1000 + i);
    w[2 * 1 + 1] = -1;  // column 1: second word empty
    w[2 * 8] = -1;      // column 8: first word empty
    int16_t second = 0;
    EXPECT_EQ(HVW_GetHonoursEntry(3, 0, &second, 2), 1000);
    EXPECT_EQ(second, 1001);
    EXPECT_EQ(HVW_GetHonoursEntry(3, 1, &second, 2), -1);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(HVW_GetHonoursEntry(3, 8, &second, 2), -1);
    EXPECT_EQ(HVW_GetHonoursEntry(3, 12, &second, 2), 1024);
    EXPECT_EQ(second, 1025);
    EXPECT_EQ(HVW_GetHonoursEntry(3, 13, &second, 2), -1);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(HVW_IsHonoursColumnClub(1012, 6, 3, 2), 1);
    EXPECT_EQ(HVW_IsHonoursColumnClub(1014, 7, 3, 2), 0);
    EXPECT_EQ(HVW_IsHonoursColumnClub(1010, 6, 3, 2), 0);

    // Awards of division 2: 27 (player 51, club 57), 25 (player 39, club
    // 45), 24 (club 27, player 33), 26 (player 63, club 69, goals 75).
    int16_t club = 0, goals = 0;
    EXPECT_EQ(HVW_GetHonoursPair1(3, 2, &club, 2), 1053);
    EXPECT_EQ(club, 1059);
    EXPECT_EQ(HVW_GetHonoursPair2(3, 2, &club, 2), 1041);
    EXPECT_EQ(club, 1047);
    EXPECT_EQ(HVW_GetHonoursPair3(3, 2, &club, 2), 1035);
    EXPECT_EQ(club, 1029);
    EXPECT_EQ(HVW_GetHonoursTriple(3, 2, &club, &goals, 2), 1065);
    EXPECT_EQ(club, 1071);
    EXPECT_EQ(goals, 1077);
}

TEST_F(LeagueTest, RecordHoldersKeepTheFirstOfEqualValues) {
    SeasonCalendar.month = 8;
    SeasonCalendar.year = 2005;  // season stamp 6
    SetClubRecordGoals(30, 77, 40);
    SetClubRecordGoals(31, 78, 41);
    SetClubRecordGoals(32, 79, 41);
    int16_t a = 0, b = 0, c = 0, d = 0;
    EXPECT_EQ(HVW_FindRecordGoalsClub(&a, &b), 31);
    EXPECT_EQ(a, 6);
    EXPECT_EQ(b, 78);

    SetClubRecordCrowd(40, 90000, 12);
    SetClubRecordCrowd(41, 90000, 13);
    EXPECT_EQ(HVW_FindRecordCrowdClub(&a, &b), 40);
    EXPECT_EQ(a, 5);  // the crowd's date stamp: 2005
    EXPECT_EQ(b, 4012);

    SetClubRecordWin(50, 6, 1, 20);  // margin 5
    SetClubRecordWin(51, 7, 2, 21);  // margin 5, more goals
    SetClubRecordWin(52, 5, 0, 22);  // margin 5, fewer goals
    EXPECT_EQ(HVW_FindRecordWinClub(&a, &b), 51);
    EXPECT_EQ(a, 4021);
    EXPECT_EQ(b, 5);

    EXPECT_EQ(HVW_FindRecordBuyClub(&a, &b, &c, &d), INT32_MIN);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(d, -1);
    SetClubRecordBuy(60, 99, 30000, 61);
    EXPECT_EQ(HVW_FindRecordBuyClub(&a, &b, &c, &d), 3000000);
    EXPECT_EQ(a, 99);
    EXPECT_EQ(b, 4060);
    EXPECT_EQ(c, 4061);
    EXPECT_EQ(d, 5);
}

TEST_F(LeagueTest, CountryRecordsOfTheViewedCountry) {
    SeasonCalendar.month = 2;
    SeasonCalendar.year = 2004;  // season stamp 4
    HVW_SetViewedCountry(3);
    int16_t season = 0, text = 0;
    EXPECT_EQ(HVW_FindCountryRecordA(&season, &text), 0);  // nobody above 0
    SetClubNation(70, 3);
    SetClubNation(71, 3);
    SetClubNation(72, 4);
    SetClubRecordPointsTotal(70, 80);
    SetClubRecordPointsTotal(71, 90);
    SetClubRecordPointsTotal(72, 99);  // another country
    SetClubRecordGoalsTotal(70, 101);
    SetClubRecordDispoints(71, 55);
    EXPECT_EQ(HVW_FindCountryRecordA(&season, &text), 71);
    EXPECT_EQ(season, 4);
    EXPECT_EQ(text, 4071);
    EXPECT_EQ(HVW_FindCountryRecordB(&season, &text), 70);
    EXPECT_EQ(HVW_FindCountryRecordC(&season, &text), 71);
    EXPECT_EQ(HVW_GetCountryRecordA(71), 90);
    EXPECT_EQ(HVW_GetCountryRecordB(70), 101);
    EXPECT_EQ(HVW_GetCountryRecordC(71), 55);
}

TEST_F(LeagueTest, MatchMergesIntoTheClubSeasonBlocks) {
    static MatchResultBlock match;
    std::memset(&match, 0, sizeof match);
    TeamMatchReport& home = match.teams[0];
    TeamMatchReport& away = match.teams[1];
    ClubRecord* club = &ClubRecords[80];
    ResetClubSeasonCounters(80);
    ResetClubSeasonEntries(80);
    std::memset(club->bytes + kClubSeasonPairsOffset, 255, 2 * kClubSeasonPairs);

    for (int i = 0; i < 10; ++i) recbits::StoreU16(home.bytes + kReportCounters + 2 * i, uint16_t(i + 1));
    HVW_AddMatchCounters(club, &home, 1);
    HVW_AddMatchCounters(club, &home, 1);
    EXPECT_EQ(recbits::LoadU16(club->bytes + kClubSeasonCountersOffset + 20 + 18), 20);
    EXPECT_EQ(recbits::LoadU16(club->bytes + kClubSeasonCountersOffset), 0);  // block 0

    // Pairs up to the first whose second byte is 0 or below.
    const uint8_t pairs[] = {3, 10, 4, 20, 5, 0, 6, 30};
    std::memcpy(home.bytes + kReportPairList, pairs, sizeof pairs);
    HVW_AppendMatchPairs(club, &home);
    HVW_AppendMatchPairs(club, &home);
    const uint8_t* p = club->bytes + kClubSeasonPairsOffset;
    const uint8_t expected[] = {3, 10, 4, 20, 3, 10, 4, 20, 255};
    EXPECT_EQ(std::memcmp(p, expected, sizeof expected), 0);

    // Goal entries: the team's to the first halves, the other team's to the
    // second halves of the same free entries.
    recbits::StoreU16(home.bytes + kReportGoalCount, 2);
    recbits::StoreU16(away.bytes + kReportGoalCount, 1);
    for (int i = 0; i < 2; ++i) {
        uint8_t* g = home.bytes + kReportGoalList + 8 * i;
        recbits::StoreU16(g, uint16_t(100 + i));
        g[2] = uint8_t(10 + i);
        g[3] = uint8_t(0x80 | (i << 5) | 7);
        g[7] = uint8_t(50 + i);
    }
    recbits::StoreU16(away.bytes + kReportGoalList, 900);
    HVW_AppendMatchEntries(club, &home, 0, &match);
    const uint8_t* e = club->bytes + kClubSeasonEntriesOffset;
    EXPECT_EQ(recbits::LoadU16(e), 100);
    EXPECT_EQ(e[2], 10);
    EXPECT_EQ(e[3], 0x87);
    EXPECT_EQ(e[7], 50);
    EXPECT_EQ(recbits::LoadU16(e + 16), 101);
    EXPECT_EQ(recbits::LoadU16(e + 8), 900);
    EXPECT_EQ(e[16 + 10], 255);                   // no second away goal: that half stays empty
    EXPECT_EQ(recbits::LoadU16(e + 32), 0xFFFF);  // third entry still free
    // The next match goes behind them.
    HVW_AppendMatchEntries(club, &away, 1, &match);
    EXPECT_EQ(recbits::LoadU16(e + 32), 900);
    EXPECT_EQ(recbits::LoadU16(e + 40), 100);
}

}  // namespace
