#include "core/season/services.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/corehooks.h"
#include "core/club/squads.h"
#include "core/query/fields.h"
#include "core/season/competitions.h"
#include "core/season/matchday.h"
#include "tests/core/season/season_fixture.h"

namespace {

using ServicesTest = SeasonTest;

TEST_F(ServicesTest, DatesTurnIntoSeasonDaysAndImpossibleOnesAreRefused) {
    SeasonCalendar.month = 6;  // the calendar in July 2002
    EXPECT_EQ(HVW_DateToDayNumber(13, 6, 2002), 0);
    EXPECT_EQ(HVW_DateToDayNumber(31, 6, 2002), 18);
    EXPECT_EQ(HVW_DateToDayNumber(1, 7, 2002), 19);
    EXPECT_EQ(HVW_DateToDayNumber(12, 6, 2002), 364);
    EXPECT_EQ(HVW_DateToDayNumber(1, 0, 2002), 172);
    EXPECT_EQ(HVW_DateToDayNumber(29, 1, 2004), -1);
    EXPECT_EQ(HVW_DateToDayNumber(31, 8, 2002), -1);
    EXPECT_EQ(HVW_DateToDayNumber(32, 0, 2002), -1);
    EXPECT_EQ(HVW_DateToDayNumber(0, 3, 2002), -1);
    EXPECT_EQ(HVW_DateToDayNumber(1, 12, 2002), -1);
    EXPECT_EQ(HVW_DateToDayNumber(1, -1, 2002), -1);
    // February 2004 has a 29th: March counts it; a February date, counted
    // one day too far, does not convert back.
    SeasonCalendar.month = 1;
    EXPECT_EQ(HVW_DateToDayNumber(1, 2, 2004), 232);
    EXPECT_EQ(HVW_DateToDayNumber(1, 1, 2004), -2);
}

TEST_F(ServicesTest, CompetitionCodesAndTheirNextDays) {
    EXPECT_EQ(GetCupFirstCode(0), 5);
    EXPECT_EQ(GetCupFirstCode(4), 70);
    EXPECT_EQ(GetCupFirstCode(5), 86);
    EXPECT_EQ(GetCupFirstCode(6), 101);
    EXPECT_EQ(GetCupFirstCode(7), -1);
    EXPECT_EQ(GetCupFirstCode(-1), -1);
    EXPECT_EQ(IsCalendarCompetition(-1), 0);
    EXPECT_EQ(IsCalendarCompetition(119), 0);
    EXPECT_EQ(IsCalendarCompetition(117), 1);
    EXPECT_EQ(FindNextCompetitionDay(200), -3);
    EXPECT_EQ(FindNextCompetitionDay(0), -2);
    EXPECT_EQ(FindNextCompetitionDay(CupCode(0, 2)), -4) << "no fixture of the cup";
    SeasonCalendar.currentDay = 50;
    AddFixture(30, CupCode(0, 2), 1, 2, 0);
    EXPECT_EQ(FindNextCompetitionDay(CupCode(0, 2)), -4) << "all past";
    EXPECT_EQ(FindNextCompetitionDay(CupCode(0, 3)), -5);
    AddFixture(70, CupCode(0, 4), 1, 2, 0);
    AddFixture(60, CupCode(0, 11), 3, 4, 0);  // a round 3 replay
    AddFixture(65, CupCode(0, 3), 3, 4, 0);
    EXPECT_EQ(FindNextCompetitionDay(CupCode(0, 4)), 60) << "the lowest round ahead, first found";
    EXPECT_STREQ(GetCompetitionCheckText(4), "Deficient squads");
    EXPECT_STREQ(GetCompetitionCheckText(-1), "");
    EXPECT_STREQ(GetCompetitionCheckText(8), "");
    for (uint16_t code = 0; code < 40; ++code)
        EXPECT_EQ(IsMarkedNationCode(code), code == 0 || code == 1 || code == 13 || code == 21 || code == 31);
}

class SquadServicesTest : public SeasonTest {
  protected:
    static constexpr int16_t kClub = 7;
    void SetUp() override {
        SeasonTest::SetUp();
        MakeClub(kClub, 0, 0);
        SetClubControl(kClub, 1);  // a human club keeps its squad as it is
    }
    // Players 3.. at the club: keepers first, then by position.
    static void AddPlayers(int count, int firstPosition = 0) {
        for (int i = 0; i < count; ++i) {
            const uint16_t p = uint16_t(3 + i);
            SetPlayerClub(p, kClub);
            SetPlayerLoanClub(p, kClub);
            SetPlayerPosition(p, int16_t(i < 2 ? firstPosition : 1 + (i * 3) % 12));
            SetPlayerShirt(p, int16_t(i < 16 ? 1 + i : 0));
            SetPlayerWage(p, int16_t(100 + 10 * i));
        }
        RebuildClubRoster(kClub);
    }
};

TEST_F(SquadServicesTest, FifteenAvailablePlayersAreAShortSquad) {
    AddPlayers(17);
    SquadPositionCount counts[4];
    EXPECT_EQ(CountSquadByPosition(kClub, counts), 0);
    EXPECT_EQ(counts[0].total + counts[1].total + counts[2].total + counts[3].total, 17);
    SetPlayerSusp(5, 2);
    EXPECT_EQ(CountSquadByPosition(kClub, counts), 0) << "16 available";
    SetPlayerIT(6, 3);
    EXPECT_EQ(CountSquadByPosition(kClub, counts), 1) << "15 available";
    int suspended = 0, unfit = 0;
    for (const SquadPositionCount& c : counts) suspended += c.suspended, unfit += c.unfit;
    EXPECT_EQ(suspended, 1);
    EXPECT_EQ(unfit, 1);
    EXPECT_EQ(CountSquadByPosition(-1, counts), 0);
}

TEST_F(SquadServicesTest, ASquadWithoutAKeeperIsShort) {
    AddPlayers(20, 5);
    EXPECT_EQ(CountSquadByPosition(kClub, nullptr), 1);
}

TEST_F(SquadServicesTest, AverageWageAndRunOnStops) {
    AddPlayers(4);
    uint32_t out = 9;
    EXPECT_EQ(GetSquadAverageWage(kClub, &out), uint32_t(HVW_GetPlayerWage(3) + HVW_GetPlayerWage(4) +
                                                         HVW_GetPlayerWage(5) + HVW_GetPlayerWage(6)) /
                                                    4);
    EXPECT_EQ(out, 0u);
    EXPECT_EQ(GetSquadAverageWage(1300, &out), 0u);

    RunOn = RunOnOptions{};
    EXPECT_EQ(CheckRunOnStop(), 0) << "not running on";
    RunOn.active = 1;
    RunOn.stopSeason = 0;
    RunOn.stopDay = 40;
    EXPECT_EQ(RunOnToggleMoneyStop(), 7);
    RunOn.moneyThreshold = 1000;
    SetClubBalance(kClub, 500);
    EXPECT_EQ(CheckRunOnStop(), 1);
    SetClubBalance(kClub, 5000);
    EXPECT_EQ(CheckRunOnStop(), 0);
    RunOnToggleMoneyStop();
    RunOnToggleSquadStop();
    EXPECT_EQ(CheckRunOnStop(), 2) << "four players are no squad";
    SeasonCalendar.currentDay = 40;
    EXPECT_EQ(CheckRunOnStop(), 0);
    EXPECT_EQ(RunOn.active, 0) << "the stop date ends the run-on";
}

TEST_F(ServicesTest, CaptionsNameTheDivisionOrNothingForABadSlot) {
    std::strcpy(CompetitionNames[0].division[1], "Second Division");
    MakeClub(4, 0, 1);
    const int16_t slot = AddFixture(10, kCompLeague, 4, 5, 0);
    BuildFixtureCaption(slot, 1);
    EXPECT_STREQ(FixtureCaption[0], "Second Division");
    EXPECT_STREQ(FixtureCaption[1], "");
    BuildFixtureCaption(-1, 2);
    EXPECT_STREQ(FixtureCaption[0], "");
    BuildFixtureCaption(20000, 2);
    EXPECT_STREQ(FixtureCaption[0], "");
}

}  // namespace

namespace {

uint32_t g_ticks;
int g_polls;
bool g_matchDayShowing;

TEST(MatchFrameTimerTest, PollsAFifthOfASecondApartUnlessTheMatchDayDisplayRuns) {
    CoreHooks hooks;
    hooks.timerTicks = [] { return g_ticks; };
    hooks.poll = [] { ++g_polls; };
    hooks.matchDayFrame = [] { return g_matchDayShowing; };
    CoreSetHooks(hooks);
    g_ticks = 1000;
    MatchFrameTimer();
    g_polls = 0;
    g_ticks += 101;
    MatchFrameTimer();
    EXPECT_EQ(g_polls, 1);
    g_ticks += 100;
    MatchFrameTimer();
    EXPECT_EQ(g_polls, 1) << "100 ticks are not enough";
    g_matchDayShowing = true;
    g_ticks += 500;
    MatchFrameTimer();
    EXPECT_EQ(g_polls, 1) << "the match-day display takes the frame";
    g_matchDayShowing = false;
    MatchFrameTimer();
    EXPECT_EQ(g_polls, 2);
    CoreSetHooks(CoreHooks{});
}

}  // namespace
