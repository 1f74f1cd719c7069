// Human managers' lists, player and squad queries, names, numbers and dates.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class PeopleTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::memset(HumanSalePlayers, 0, sizeof HumanSalePlayers);
        std::memset(HumanSaleClubs, 0, sizeof HumanSaleClubs);
        std::memset(PendingHumanDeals, 0, sizeof PendingHumanDeals);
        std::memset(RecentValues, 0, sizeof RecentValues);
        std::memset(ClubNameRecords, 0, sizeof ClubNameRecords);
        RecentListGuard = 0;
        SelectedClub = 0;
    }

    static void SetRawPosition(uint16_t p, int value) {
        recbits::WriteField(PlayerRecords[p].bytes, {88, 28, 4}, uint32_t(value));
    }
    // A player of a club, in its roster.
    static void Join(uint16_t p, int16_t club, int position = 5) {
        SetClubControl(club, 1);  // a human club's lists are its roster as it stands
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetRawPosition(p, position);
        for (uint16_t& slot : ClubRoster[club]) {
            if (slot == 0) {
                slot = p;
                break;
            }
        }
    }
    static void NameClub(int16_t club, const char* name, const char* stadium = "No Stadium Name",
                         const char* nickname = "No Nickname") {
        std::strncpy(ClubNameRecords[club].text[0], name, kClubNameLength - 1);
        std::strncpy(ClubNameRecords[club].text[1], stadium, kClubNameLength - 1);
        std::strncpy(ClubNameRecords[club].text[2], nickname, kClubNameLength - 1);
    }
};
using PeopleDeathTest = PeopleTest;

TEST_F(PeopleTest, HumanSalesAndContracts) {
    EXPECT_EQ(HVW_HasHumanSales(), 0);
    HVW_AddHumanSale(0, 40, 7);
    HVW_AddHumanSale(0, 41, 8);
    EXPECT_EQ(HVW_HasHumanSales(), 1);
    EXPECT_EQ(HVW_FindHumanSales(), 40);
    EXPECT_EQ(HVW_FindHumanSalesTeam(), 7);
    HVW_RemoveHumanSale(40);
    EXPECT_EQ(HVW_GetHumanSales(), 41);
    EXPECT_EQ(HVW_FindHumanSalesTeam(), 8);
    // A freed slot keeps its team entry; the plain team search sees it.
    EXPECT_EQ(HVW_GetHumanSalesTeam(), 7);
    // The new sale takes the first free slot.
    HVW_AddHumanSale(0, 42, 9);
    EXPECT_EQ(HumanSalePlayers[0], 42);

    for (int i = 0; i < 130; ++i) HVW_AddHumanSale(0, uint16_t(100 + i), 1);
    EXPECT_EQ(HumanSalePlayers[127], 100 + 125);  // the last two were dropped

    PendingHumanDeals[2] = 55;
    EXPECT_EQ(HVW_HasHumanContracts(), 1);
    EXPECT_EQ(HVW_GetHumanContracts(), 55);
    HVW_RemoveHumanContract(55);
    EXPECT_EQ(HVW_HasHumanContracts(), 0);

    PendingHumanDeals[0] = 3;
    HVW_PushRecentValue(0, 9);
    HVW_ClearHumanLists();
    EXPECT_EQ(HVW_HasHumanSales(), 0);
    EXPECT_EQ(HVW_HasHumanContracts(), 0);
    EXPECT_EQ(HVW_IsNotInFilterList(0, 9), 1);
    EXPECT_EQ(HumanSaleClubs[0], 9);  // only the player entries are cleared
}

TEST_F(PeopleDeathTest, EmptyListsStop) {
    EXPECT_FATAL(HVW_FindHumanSales(),
                 "HVW_FindHumanSales\\(\\) Can't find player for that manager.*funcs  Line: 1638");
    EXPECT_FATAL(HVW_GetHumanSalesTeam(), "HVW_GetHumanSales\\(\\) Can't find.*Line: 1498");
    EXPECT_FATAL(HVW_GetHumanContracts(), "HVW_GetHumanContracts\\(\\) Can't find.*Line: 1470");
}

TEST_F(PeopleTest, RecentListKeepsTwentyNewestFirst) {
    for (uint16_t v = 1; v <= 21; ++v) EXPECT_EQ(HVW_PushRecentValue(0, v), 1);
    EXPECT_EQ(RecentValues[0], 21);
    EXPECT_EQ(RecentValues[19], 2);
    EXPECT_EQ(HVW_IsNotInFilterList(0, 1), 1);  // the oldest fell out
    EXPECT_EQ(HVW_IsNotInFilterList(0, 2), 0);
    RecentListGuard = 1;
    EXPECT_EQ(HVW_PushRecentValue(0, 99), 0);
    EXPECT_EQ(RecentValues[0], 21);
    HVW_ClearRecentList();
    EXPECT_EQ(HVW_IsNotInFilterList(0, 21), 1);
}

TEST_F(PeopleTest, PositionTypesAndSettingTexts) {
    const int types[14] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 13};
    for (int p = 0; p < 14; ++p) {
        SetRawPosition(10, p);
        EXPECT_EQ(HVW_GetPositionType(10), types[p]) << p;
        EXPECT_EQ(HVW_GetPositionTypeRowCode(10), p == 13 ? 1 : types[p] + 3) << p;
    }
    struct Case {
        int s1, s2, s3, id;
    };
    for (Case c : {Case{0, 1, 0, 88},
                   {0, 2, 3, 85},
                   {0, 0, 1, 36},
                   {3, 0, 0, 37},
                   {1, 0, 1, 38},
                   {1, 1, 1, 87},
                   {2, 1, 0, 86},
                   {0, 0, 0, -1}}) {
        SetPlayerSetting1(11, int16_t(c.s1));
        SetPlayerSetting2(11, int16_t(c.s2));
        SetPlayerSetting3(11, int16_t(c.s3));
        EXPECT_EQ(HVW_GetPlayerSettingsTextId(11), c.id);
    }
}

TEST_F(PeopleDeathTest, PositionFourteenIsFatal) {
    SetRawPosition(10, 14);
    EXPECT_FATAL(HVW_GetPositionType(10), "in funcs HVW_GetPositionType Error 14");
}

TEST_F(PeopleTest, RegularsAndTopScorers) {
    const int16_t club = 5;
    SeasonCalendar.currentDay = 50;
    // Ten fixtures before today, one of code 120 and one today: 10 count.
    int slot = 0;
    for (int i = 0; i < 10; ++i) PutFixture(slot++, 1 + i * 4, i % 2 ? 5 : 0, club, 30 + i, 1, 0);
    PutFixture(slot++, 45, kCompReserveLeague, club, 40, 1, 1);
    PutFixture(slot++, 50, kCompLeague, 41, club, 0, 0);
    Join(20, club);
    Join(21, club);
    Join(22, club, 0);
    SetPlayerApps(20, 6);  // 6 > 10 x 60 / 100 = 6 is false
    SetPlayerApps(21, 7);
    SetPlayerApps(22, 9);
    EXPECT_EQ(HVW_IsPlayerRegular(20, club), 0);
    EXPECT_EQ(HVW_IsPlayerRegular(21, club), 1);
    SetPlayerPerf(21, 40);
    SetPlayerPerf(22, 60);
    EXPECT_EQ(HVW_FindClubBestRegular(club), 22);
    EXPECT_EQ(HVW_SquadCount, 3);

    SetPlayerGoals(20, 4);
    SetPlayerGoals(21, 4);
    SetPlayerGoals(22, 9);  // a keeper never counts
    EXPECT_EQ(HVW_FindClubTopScorer(club), 20);
    EXPECT_EQ(HVW_FindClubTopScorer(6), 0);
}

TEST_F(PeopleTest, SquadProfileWagesAndCaptains) {
    const int16_t club = 3;
    Join(20, club, 0);
    Join(21, club, 2);
    Join(22, club, 7);
    Join(23, club, 11);
    SetPlayerLoanClub(21, 9);  // out on loan
    Join(24, club, 6);
    SetPlayerClub(24, 9);  // here on loan
    Join(25, club, 3);
    SetPlayerClub(25, 9);
    SetPlayerLoanClub(25, 8);  // in the roster, but neither owned nor playing here: not listed
    SetPlayerTxList(23, 1);
    int16_t out[16];
    HVW_GetSquadProfile(club, out);
    const int16_t want[16] = {1, 1, 2, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], want[i]) << i;
    HVW_GetSquadProfile(1200, out);
    for (int16_t w : out) EXPECT_EQ(w, 0);

    SetPlayerWage(20, 4000);
    SetPlayerWage(22, 10);
    EXPECT_EQ(HVW_GetSquadWageBill(club), 100250);
    EXPECT_EQ(HVW_GetSquadWageBill(-1), 0);

    SetPlayerShirt(20, 1);
    SetPlayerCaptain(20, 1);
    SetPlayerShirt(22, 12);
    SetPlayerCaptain(22, 1);
    EXPECT_EQ(HVW_CountTeamCaptains(club), 1);
    EXPECT_EQ(HVW_FindSquadPlayerByShirt(12), 22);
    EXPECT_EQ(HVW_FindSquadPlayerByShirt(5), 0);
}

TEST_F(PeopleTest, ShownShirtAndRowStatus) {
    Join(20, 4);
    SetPlayerShirt(20, 16);
    SelectedClub = 4;
    EXPECT_EQ(HVW_GetShownShirt(20), 16);
    SetPlayerShirt(20, 0);
    EXPECT_EQ(HVW_GetShownShirt(20), -32768);
    SetPlayerShirt(20, 3);
    SelectedClub = 5;
    EXPECT_EQ(HVW_GetShownShirt(20), -32768);
    EXPECT_EQ(HVW_GetPlayerRowStatus(20), 7);
    SelectedClub = 4;
    EXPECT_EQ(HVW_GetPlayerRowStatus(20), 0);
    SetPlayerIntDuty(20, 1);
    EXPECT_EQ(HVW_GetPlayerRowStatus(20), 4);
}

TEST_F(PeopleTest, ShortNamesAndAgentNames) {
    SetPlayerSurname(20, "Okonkwo");
    SetPlayerInitial(20, 3);
    EXPECT_STREQ(HVW_FormatPlayerShortNameSlot(20, 4), "C.Okonkwo");
    SetPlayerInitial(20, 0);
    EXPECT_STREQ(HVW_FormatPlayerShortNameSlot(20, 5), "Okonkwo");
    EXPECT_STREQ(HVW_FormatPlayerShortNameSlot(20, 32), "");

    // Nation 7 has players 10, 12 and 14: agent 2 is named after the
    // ninth of them counting round from player 1 (10, 12, 14, 10, ...),
    // that is player 14.
    for (uint16_t p = 1; p < kPlayers; ++p) SetPlayerNationality(p, 1);
    const char* names[3] = {"Brandt", "Coelho", "Dussart"};
    for (int i = 0; i < 3; ++i) {
        SetPlayerNationality(uint16_t(10 + 2 * i), 7);
        SetPlayerSurname(uint16_t(10 + 2 * i), names[i]);
    }
    SetPlayerAgent(12, 2);
    // Initial: "AABCCDDFGGHIJJKLMMNNOPPRSSTTWV"[(2 + 14) mod 30] = 'M'.
    EXPECT_STREQ(HVW_GetAgentName(12), "M.Dussart");
    EXPECT_EQ(AgentNameInitial, 'M' - 'A' + 1);
    EXPECT_STREQ(AgentNameSurname, "Dussart");
}

TEST_F(PeopleTest, ThousandsAndYears) {
    EXPECT_STREQ(HVW_FormatThousands(1234567), "1,234,567");
    EXPECT_STREQ(HVW_FormatThousands(1000), "1,000");
    EXPECT_STREQ(HVW_FormatThousands(999), "999");
    EXPECT_STREQ(HVW_FormatThousands(-5), "0");
    EXPECT_STREQ(HVW_FormatThousands(0), "0");
    EXPECT_STREQ(HVW_FormatThousands(2147483647), "2,147,483,647");
    EXPECT_STREQ(HVW_FormatThousands(1000005), "1,000,005");

    EXPECT_EQ(HVW_ExpandTwoDigitYear(0), 2000);
    EXPECT_EQ(HVW_ExpandTwoDigitYear(96), 2096);
    EXPECT_EQ(HVW_ExpandTwoDigitYear(97), 1997);
    int16_t end = 0;
    EXPECT_EQ(HVW_GetSeasonYears(3, &end), 2005);
    EXPECT_EQ(end, 2006);
    EXPECT_EQ(DaysInYear(2004), 366);
    EXPECT_EQ(DaysInYear(2003), 365);
}

TEST_F(PeopleTest, SeasonDaysToDates) {
    struct Case {
        int day, calendarMonth, year;
        int dom, month, weekday;  // weekday 0 = Saturday
    };
    const Case cases[] = {
        {0, 6, 2002, 13, 7, 0},    // 13 July 2002, a Saturday
        {18, 6, 2002, 31, 7, 4},   // 31 July 2002, a Wednesday
        {19, 6, 2002, 1, 8, 5},    // 1 August, a Thursday
        {172, 6, 2002, 1, 1, 4},   // 1 January 2003, a Wednesday
        {172, 0, 2003, 1, 1, 4},   // the same day asked in January
        {50, 1, 2003, 1, 9, 1},    // 1 September 2002, a Sunday
        {5, 2, 2003, 18, 7, 5},    // 18 July 2002, a Thursday
        {0, 6, 2004, 13, 7, 3},    // 13 July 2004 (a leap year), a Tuesday
        {231, 6, 2003, 29, 2, 1},  // 29 February 2004, a Sunday
        {232, 6, 2003, 1, 3, 2},   // 1 March 2004, a Monday
    };
    for (const Case& c : cases) {
        SeasonCalendar.month = int16_t(c.calendarMonth);
        int16_t dom, month, weekday;
        HVW_DayNumberToDate(int16_t(c.day), &dom, &month, &weekday, int16_t(c.year));
        EXPECT_EQ(dom, c.dom) << c.day;
        EXPECT_EQ(month, c.month) << c.day;
        EXPECT_EQ(weekday, c.weekday) << c.day << " " << c.year;
    }
}

TEST_F(PeopleTest, ReleaseClubsOfControl) {
    SetClubControl(3, 1);
    SetClubControl(8, 1);
    HVW_ReleaseClubsOfControl(1);
    EXPECT_EQ(GetClubControl(3), 0);
    EXPECT_EQ(GetClubControl(8), 0);
}

class PeopleTextTest : public PeopleTest {
  protected:
    void SetUp() override {
        PeopleTest::SetUp();
        testenv::LoadTexts({{2, "Saturday"},
                            {3, "Sunday"},
                            {9, "January"},
                            {15, "July"},
                            {1107, "the"},
                            {2610, "ENGEngland"},
                            {2725, "TSTTestland"}});
    }
    void TearDown() override { testenv::UnloadTexts(); }
};

TEST_F(PeopleTextTest, ClubAndNationNames) {
    NameClub(4, "Harbour Town", "Quayside Park", "Gulls");
    NameClub(5, "Millbrook");
    EXPECT_STREQ(HVW_GetClubName(4), "Harbour Town");
    EXPECT_STREQ(HVW_GetClubName(-1), "");
    EXPECT_STREQ(HVW_GetClubName(1200), "");
    EXPECT_STREQ(HVW_GetClubStadiumName(4), "Quayside Park");
    EXPECT_STREQ(HVW_GetClubStadiumName(5), "Millbrook");
    EXPECT_STREQ(HVW_GetClubNickname(4), "the Gulls");
    EXPECT_STREQ(HVW_GetClubNickname(5), "Millbrook");
    EXPECT_EQ(HVW_ClubTextId(7), 4007);
    EXPECT_EQ(HVW_ClubTextId(-3), -1);
    EXPECT_EQ(HVW_NegativeToNone(-7), -1);
    EXPECT_EQ(HVW_NegativeToNone(7), 7);
    EXPECT_STREQ(HVW_GetNationName(0), "England");
    EXPECT_STREQ(HVW_GetNationName(115), "Testland");
    EXPECT_STREQ(HVW_GetNationName(116), "");
    EXPECT_STREQ(HVW_GetNationName(-1), "");
}

TEST_F(PeopleTextTest, SortClubsByName) {
    NameClub(1, "Dunmore");
    NameClub(2, "Ashford");
    NameClub(3, "Caverton");
    NameClub(4, "Bexley");
    int16_t list[4] = {1, 2, 3, 4};
    HVW_SortClubListByName(list, 4, 0);
    EXPECT_EQ(std::vector<int16_t>(list, list + 4), (std::vector<int16_t>{2, 4, 3, 1}));
    SetPlayerClub(1, 3);  // the user manages Caverton
    HVW_SortClubListByName(list, 4, 1);
    EXPECT_EQ(std::vector<int16_t>(list, list + 4), (std::vector<int16_t>{3, 2, 4, 1}));
}

TEST_F(PeopleTextTest, CalendarDate) {
    SeasonCalendar.weekday = 1;
    SeasonCalendar.dayOfMonth = 14;
    SeasonCalendar.month = 6;
    SeasonCalendar.year = 2002;
    EXPECT_STREQ(HVW_FormatCalendarDate(), "Sunday 14 July 2002");
}

// ---------------------------------------------------------------------------
// Availability and the team sheet

class TeamSheetTest : public PeopleTest {
  protected:
    static constexpr int16_t kClub = 5;
    static constexpr int16_t kOpponent = 6;

    void SetUp() override {
        PeopleTest::SetUp();
        SetClubNation(kClub, 0);
        SetClubNation(kOpponent, 0);
        SetClubNation(9, 0);
        SeasonCalendar.currentDay = 5;
        InPreSeason(false);
        NextFixture(0);
        // 18 players: shirts 1-16 and two reserves.
        for (uint16_t p = 20; p < 38; ++p) {
            Join(p, kClub);
            SetPlayerFitness(p, 60);
            SetPlayerShirt(p, p < 36 ? int16_t(p - 19) : int16_t(0));
            for (int16_t slot = 0; slot < 7; ++slot) SetPlayerCup(p, -1, slot, 0);
        }
    }
    // The pre-season days of country 0 run round today or lie before it.
    static void InPreSeason(bool on) {
        SeasonCalendar.leagueStartDay[0] = on ? 100 : 0;
        SeasonCalendar.leagueEndDay[0] = 0;
        SeasonCalendar.splitDay[0] = 0;
    }
    static void NextFixture(int type) { PutFixture(0, 10, type, kClub, kOpponent, 31, 31); }
};

TEST_F(TeamSheetTest, AvailabilityCodes) {
    const uint16_t p = 25;
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 1);
    SetPlayerSusp(p, 2);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 10);
    SetPlayerIntDuty(p, 1);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 11);
    SetPlayerIT(p, 1);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 12);
    SetPlayerFitness(p, 47);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 12);
    InPreSeason(true);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 8);
    // A split day after the league start (as in country 1) leaves the
    // pre-season as it is.
    SeasonCalendar.splitDay[0] = 150;
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 8);
    SeasonCalendar.splitDay[0] = 0;
    SetPlayerIT(p, 2);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 7);
    SetPlayerIT(p, 8);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 7);
    SetPlayerIT(p, 9);
    EXPECT_EQ(HVW_GetPlayerAvailability(p), 8);

    // On loan from the next opponent.
    const uint16_t q = 26;
    SetPlayerLoanClub(q, kOpponent);
    EXPECT_EQ(HVW_GetPlayerAvailability(q), 13);
    SetPlayerFlag120Bit12(q, 1);
    EXPECT_EQ(HVW_GetPlayerAvailability(q), 1);
    // A national cup tie: a loan player needs his cup flag.
    NextFixture(5);
    EXPECT_EQ(HVW_GetPlayerAvailability(q), 13);
    SetPlayerCupFlag0(q, 1);
    EXPECT_EQ(HVW_GetPlayerAvailability(q), 1);
    // Registered for this cup with another club: cup-tied.
    SetPlayerCup(27, 9, 0, 0);
    EXPECT_EQ(HVW_GetPlayerAvailability(27), 13);
    // A European tie: the European ban counts, a suspension does not.
    NextFixture(69);
    SetPlayerSusp(28, 1);
    EXPECT_EQ(HVW_GetPlayerAvailability(28), 1);
    SetPlayerEuroBan(28, 1);
    EXPECT_EQ(HVW_GetPlayerAvailability(28), 10);
}

TEST_F(TeamSheetTest, SheetProblems) {
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 0);
    // A banned player among shirts 1-16 is a problem; the reserves cover
    // him, so he keeps his shirt.
    SetPlayerSusp(24, 1);
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 1);
    EXPECT_EQ(GetPlayerShirt(24), 5);
    // With both reserves injured he loses it.
    SetPlayerIT(36, 3);
    SetPlayerIT(37, 3);
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 1);
    EXPECT_EQ(GetPlayerShirt(24), 0);
    // A friendly: bans and pre-season fitness do not count.
    SetPlayerShirt(24, 5);
    InPreSeason(true);
    SetPlayerFitness(30, 10);
    NextFixture(117);
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 0);
    NextFixture(0);
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 1);
    EXPECT_EQ(GetPlayerShirt(30), 0);
}

TEST_F(TeamSheetTest, SheetNeedsSixteenPlayers) {
    for (uint16_t p = 35; p < 38; ++p) ClubRoster[kClub][p - 20] = 0;
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 1);
    // A player on loan from the opponent, in a shirt: a problem.
    for (uint16_t p = 35; p < 38; ++p) ClubRoster[kClub][p - 20] = p;
    SetPlayerLoanClub(21, kOpponent);
    EXPECT_EQ(HVW_CheckTeamSheet(kClub, 0), 1);
    EXPECT_EQ(GetPlayerShirt(21), 2);  // not taken away for that
}

}  // namespace
