// Per-day fixture processing: how each fixture's result is produced, what
// is stored, the event log and the day without screens.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/match/matchsetup.h"
#include "core/query/layerstate.h"
#include "core/season/computertactics.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/matchevents.h"
#include "core/season/nationalsquads.h"
#include "core/season/reportfacts.h"
#include "tests/core/season/selection_fixture.h"
#include "tests/fakes/fixture_fakes.h"
#include "tests/fakes/test_util.h"

using namespace gameinfo;

namespace {

constexpr int kDayUnplayed = 31;
constexpr int kFixtureToday = 100;

class FixtureDayTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        // Clubs 0-3 in division 0 of country 0, clubs 4-5 in division 1.
        for (int16_t club = 0; club < 6; ++club) {
            MakeClub(club, 0, int16_t(club < 4 ? 0 : 1), int16_t(20 + club));
            SetClubStandCapacity0(club, 20);
            for (int i = 0; i < 18; ++i) MakePlayer(club, int16_t(i < 2 ? 0 : 1 + i % 12));
        }
        SetPlayerClub(1, 0);  // the user manages club 0
        SetClubControl(0, 1);
        RebuildAllRosters();
        HVW_SetViewedCountry(0);
        SeasonCalendar.currentDay = kFixtureToday;
        SeasonCalendar.weekday = 0;
        DisplayModeFlags = 0;
        LastResultPredicted = 0;
        EmptyShootOutList();
        std::memset(MatchEventHistory, 0, sizeof MatchEventHistory);
        MatchEvents_Clear();
    }

    int Fixture(int slot, int type, int home, int away, int flags = 0) {
        PutFixture(slot, kFixtureToday, type, home, away, kDayUnplayed, kDayUnplayed, flags);
        return slot;
    }
    static int HomeGoalsOf(int slot) { return int(FixtureScore(slot) & 0x1F); }
    static int AwayGoalsOf(int slot) { return int((FixtureScore(slot) >> 5) & 0x1F); }

    FixtureFakesScope fakes_;
};

TEST_F(FixtureDayTest, TheUsersMatchIsShownHisDivisionPlayedUnseenTheRestPredicted) {
    Fixture(0, kCompLeague, 0, 1);
    Fixture(1, kCompLeague, 2, 3);
    Fixture(2, kCompLeague, 4, 5);
    FindHumanClubFixture();
    // The count runs on over every fixture the program processed before.
    const int16_t processedBefore = ProcessedFixtureCount;
    EXPECT_EQ(ProcessFixture(0), 1);
    EXPECT_EQ(Fakes().shown, 1);
    EXPECT_EQ(LastResultPredicted, 0);
    // The shown match knows its two clubs (the display tells a practice
    // match by equal club words).
    EXPECT_EQ(Fakes().shownClubs[0], 0);
    EXPECT_EQ(Fakes().shownClubs[1], 1);
    EXPECT_EQ(ProcessFixture(1), 1);
    EXPECT_EQ(Fakes().unshown, 1);
    EXPECT_EQ(ProcessFixture(2), 1);
    EXPECT_EQ(Fakes().predicted, 1);
    EXPECT_EQ(LastResultPredicted, 1);
    EXPECT_EQ(PlayedBySimulation, 0);
    EXPECT_EQ(int16_t(ProcessedFixtureCount - processedBefore), 3);

    // After a predicted result with the results-only bit, the user's match
    // is not shown: it lies in his division, so it runs unseen.
    DisplayModeFlags = 0x01;
    Fixture(3, kCompLeague, 1, 0);
    EXPECT_EQ(ProcessFixture(3), 1);
    EXPECT_EQ(Fakes().shown, 1);
    EXPECT_EQ(Fakes().unshown, 2);
    // A friendly of the user's club with the bit is predicted.
    LastResultPredicted = 1;
    Fixture(4, kCompFriendly, 0, 5);
    EXPECT_EQ(ProcessFixture(4), 1);
    EXPECT_EQ(Fakes().predicted, 2);
    EXPECT_EQ(DisplayModeFlags & kDisplayOff, 0);
}

// After the user's match the report hears of his side's player sent off and
// of the opponent's injured player; a match between other clubs adds
// nothing, nor does the user's reserve match.  A match of his played
// unseen, which hands both sides to the computer as it goes, is still his.
TEST_F(FixtureDayTest, TheUsersMatchQueuesItsPostMatchNotices) {
    ClearReportEvents();
    Fakes().script.firstCards[0] = 3;
    Fakes().script.firstCards[1] = 3;  // the opponent's card is not the report's news
    Fakes().script.firstInjury[0] = 0;
    Fakes().script.firstInjury[1] = 12;
    Fixture(0, kCompLeague, 2, 3);
    EXPECT_EQ(ProcessFixture(0), 1);
    EXPECT_EQ(recbits::LoadU16(ReportEventList), 0);
    Fixture(1, kCompReserveLeague, 0, 1);
    ProcessFixture(1);
    EXPECT_EQ(recbits::LoadU16(ReportEventList), 0);
    Fixture(2, kCompLeague, 0, 1);
    EXPECT_EQ(ProcessFixture(2), 1);
    const uint16_t sentOff = TeamSheet[0][0], injured = TeamSheet[1][0];
    int16_t count = 0;
    EXPECT_EQ(CountPlayerEvents(sentOff, 3, &count), 1);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(CountPlayerEvents(injured, kReportEventInjury, &count), 1);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(CountPlayerEvents(injured, 3, &count), 0);
    EXPECT_EQ(recbits::LoadU16(ReportEventList + 2 * kReportEventSize), 0);  // the list ends there

    ClearReportEvents();
    DisplayModeFlags = 0x01;
    LastResultPredicted = 1;
    Fixture(3, kCompLeague, 1, 0);
    const int unshown = Fakes().unshown;
    EXPECT_EQ(ProcessFixture(3), 1);
    EXPECT_EQ(Fakes().unshown, unshown + 1);
    EXPECT_EQ(CountPlayerEvents(TeamSheet[1][0], 3, &count), 1);
    EXPECT_EQ(CountPlayerEvents(TeamSheet[0][0], kReportEventInjury, &count), 0);

    // Under auto-management the user's away match is still his.
    ClearReportEvents();
    AutoManagementSwitch = 1;
    Fakes().script.firstInjury[0] = 12;
    Fakes().script.firstInjury[1] = 0;
    Fixture(4, kCompLeague, 2, 0);
    EXPECT_EQ(ProcessFixture(4), 1);
    AutoManagementSwitch = 0;
    EXPECT_EQ(CountPlayerEvents(TeamSheet[1][0], 3, &count), 1);
    EXPECT_EQ(CountPlayerEvents(TeamSheet[0][0], kReportEventInjury, &count), 1);
}

TEST_F(FixtureDayTest, NationalFixturesAreNeverShown) {
    std::memset(NationalSquads, 0, sizeof NationalSquads);
    std::memset(NationalLineUps, 0, sizeof NationalLineUps);
    // Nations 0 and 1: the squads of clubs 0 and 1 (club 0 is the user's).
    for (int nation = 0; nation < 2; ++nation) {
        int n = 0;
        for (uint16_t p = 3; p < PlayerCount && n < 18; ++p) {
            if (GetPlayerClub(p) == uint16_t(nation)) NationalSquads[0][nation][n++] = p;
        }
    }
    SetClubControl(1, 1);
    Fixture(0, kCompNationalTeam, 0, 1);
    ASSERT_EQ(ValidateFixture(0), 1);
    EXPECT_EQ(ProcessFixture(0), 1);
    EXPECT_EQ(Fakes().shown + Fakes().unshown, 0);
    EXPECT_EQ(Fakes().predicted, 1);
    // A nation without a full line-up is not playable.
    std::memset(NationalSquads[0][1] + 8, 0, 16 * sizeof(uint16_t));
    Fixture(1, kCompNationalTeam, 0, 1);
    EXPECT_EQ(ValidateFixture(1), 0);
}

TEST_F(FixtureDayTest, APlayedFixtureKeepsScoreCrowdSideCodesAndLineUps) {
    Fixture(0, kCompLeague, 2, 3);
    Fixture(1, kCompLeague, 4, 5);
    Fakes().script.goals[0] = 40;  // more than a score field holds
    Fakes().script.goals[1] = 2;
    ProcessFixture(0);
    EXPECT_EQ(HomeGoalsOf(0), 30);
    EXPECT_EQ(AwayGoalsOf(0), 2);
    EXPECT_TRUE(IsFixturePlayed(0));
    EXPECT_GT(recbits::LoadU32(FixtureTable[0].bytes + kFixtureCrowdWord) & 0x7FFFFF, 0u);
    EXPECT_GE(FixtureSideCode(0, 0), 1);
    EXPECT_GE(FixtureSideCode(0, 1), 1);
    EXPECT_LE(FixtureSideCode(0, 0), 6);
    // The home line-up names the home side's players.
    for (int entry = 0; entry < 11; ++entry) {
        const uint16_t player = recbits::LoadU16(FixtureTable[0].bytes + kFixtureLineUps + 6 * entry);
        EXPECT_EQ(player, TeamSheet[0][entry]);
        EXPECT_EQ(GetPlayerClub(player), 2u);
    }
    // A shoot-out: the bit, and one list entry telling the winner.
    Fakes().script = ScriptedResult{};
    Fakes().script.goals[0] = Fakes().script.goals[1] = 1;
    Fakes().script.shootOut[0] = 3;
    Fakes().script.shootOut[1] = 4;
    ProcessFixture(1);
    EXPECT_NE(FixtureScore(1) & kFixtureShootOutBit, 0u);
    EXPECT_EQ(FixtureScore(0) & kFixtureShootOutBit, 0u);
    ASSERT_EQ(ShootOutCount, 1);
    EXPECT_EQ(ShootOutList[0], 1u | 0x8000u);
    EXPECT_EQ(ShootOutList[1], 0x7FFFu);
}

TEST_F(FixtureDayTest, AFullShootOutListKeepsTheUsersShootOut) {
    Fixture(0, kCompLeague, 2, 3);
    Fixture(1, kCompLeague, 0, 1);  // the user's club's
    for (uint32_t& entry : ShootOutList) entry = 0;
    ShootOutCount = kShootOutEntries;
    Fakes().script.goals[0] = Fakes().script.goals[1] = 1;
    Fakes().script.shootOut[0] = 5;
    Fakes().script.shootOut[1] = 4;
    ProcessFixture(1);
    EXPECT_EQ(ShootOutCount, kShootOutEntries);
    EXPECT_EQ(ShootOutList[kShootOutEntries - 1], 1u);  // in the place of the latest other one
    EXPECT_EQ(ShootOutList[kShootOutEntries - 2], 0u);
    EXPECT_NE(GetClubResult(1).packed & kResultShootOutWon, 0u);
    // Another club's shoot-out on a full list is the one left out.
    Fixture(2, kCompLeague, 2, 3);
    ProcessFixture(2);
    EXPECT_EQ(ShootOutList[kShootOutEntries - 1], 1u);
    EXPECT_EQ(std::count(std::begin(ShootOutList), std::end(ShootOutList), 2u), 0);
}

TEST_F(FixtureDayTest, EventsLandInTheLogByKind) {
    Fixture(0, kCompLeague, 4, 5);
    ScriptedResult& s = Fakes().script;
    s.events[0] = {0, 0, 11, 0, 12};  // a goal: kind 0
    s.events[1] = {0, 1, 12, 5, 20};  // detail 5: kind 1
    s.events[2] = {1, 0, 13, 0, 30};  // a substitution: not logged
    s.events[3] = {3, 1, 14, 0, 40};  // kind 3
    s.events[4] = {4, 0, 15, 0, 50};  // an own goal: kind 2
    s.events[5] = {5, 1, 16, 7, 60};  // detail 7: kind 2
    s.events[6] = {5, 0, 17, 0, 70};  // kind 4
    s.eventCount = 7;
    MatchEventHistory[4] = 0;  // record 0 in use by an earlier match
    ProcessFixture(0);
    // The match's referee first, then its events.
    const int16_t referee = GetMatchSetupBlock()->I16(gameinfo::kRefereeNumber);
    ASSERT_GE(referee, 0);
    EXPECT_EQ(MatchEventKind(1), kKindReferee);
    EXPECT_EQ(MatchEventPlayer(1), uint16_t(referee));
    EXPECT_EQ(MatchEventFixture(1), 0);
    const int expected[][4] = {{0, 0, 11, 12}, {1, 1, 12, 20}, {3, 1, 14, 40},
                               {2, 0, 15, 50}, {2, 1, 16, 60}, {4, 0, 17, 70}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(MatchEventKind(2 + i), expected[i][0]) << i;
        EXPECT_EQ(MatchEventSide(2 + i), expected[i][1]) << i;
        EXPECT_EQ(MatchEventPlayer(2 + i), expected[i][2]) << i;
        EXPECT_EQ(MatchEventMinute(2 + i), expected[i][3]) << i;
        EXPECT_EQ(MatchEventFixture(2 + i), 0) << i;
    }
    EXPECT_EQ(MatchEventKind(8), -1);

    // A full log takes nothing more and says so.
    for (int r = 0; r < kMatchEventRecords; ++r) MatchEventHistory[r * kMatchEventRecordSize + 4] = 0;
    MatchEventHistory[(kMatchEventRecords - 1) * kMatchEventRecordSize + 4] = 0xFE;
    StdoutCapture out;
    MatchEvents_Record(0);
    EXPECT_NE(out.Text().find("event log is full"), std::string::npos);
    EXPECT_EQ(MatchEventKind(kMatchEventRecords - 1), -1);
}

// With the first free record kept, each match's events still go to the
// log's first free records: after the last match's, from the start after a
// clear, and from the first free one after the log was written whole (a
// season's reset) between two keepings.
TEST_F(FixtureDayTest, TheKeptFirstFreeEventRecordIsTheLogsFirstFreeOne) {
    Fixture(0, kCompLeague, 4, 5);
    ScriptedResult& s = Fakes().script;
    s.events[0] = {0, 0, 11, 0, 12};
    s.events[1] = {3, 1, 14, 0, 40};
    s.eventCount = 2;
    ProcessFixture(0);  // records 0-2 (its referee's and two), before any keeping
    // The matches below are logged without a referee.
    GetMatchSetupBlock()->SetI16(gameinfo::kRefereeNumber, -1);
    MatchEvents_KeepFirstFree(true);
    for (int match = 0; match < 2; ++match) {
        MatchEvents_Record(0);
        EXPECT_EQ(MatchEventKind(3 + 2 * match), 0) << match;
        EXPECT_EQ(MatchEventKind(4 + 2 * match), 3) << match;
    }
    MatchEvents_Clear();
    MatchEvents_Record(0);
    EXPECT_EQ(MatchEventKind(0), 0);
    EXPECT_EQ(MatchEventKind(2), -1) << "after a clear the log starts again";
    MatchEvents_KeepFirstFree(false);

    MatchEvents_Record(0);  // records 2 and 3
    MatchEvents_KeepFirstFree(true);
    MatchEvents_Record(0);  // 4 and 5: the hint is past them now
    MatchEvents_KeepFirstFree(false);
    for (int r = 0; r < 6; ++r) MatchEventHistory[r * kMatchEventRecordSize + 4] |= 0xFE;  // a reset
    MatchEvents_KeepFirstFree(true);
    MatchEvents_Record(0);
    MatchEvents_KeepFirstFree(false);
    EXPECT_EQ(MatchEventKind(0), 0) << "a keeping after the log was written whole";
    EXPECT_EQ(MatchEventKind(1), 3);
    EXPECT_EQ(MatchEventKind(2), -1);
}

TEST_F(FixtureDayTest, TheDayPlaysEveryFixtureAndAdvances) {
    Fixture(0, kCompLeague, 0, 1);
    Fixture(1, kCompLeague, 2, 3);
    Fixture(2, kCompNationalTeam, 7, 8);  // nations without squads: deleted
    Fixture(3, kCompLeague, 4, 5);
    PutFixture(4, kFixtureToday + 1, kCompLeague, 1, 0, kDayUnplayed, kDayUnplayed);
    PlayDayWithoutScreens();
    EXPECT_EQ(SeasonCalendar.currentDay, kFixtureToday + 1);
    int played = 0;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) == kFixtureToday; ++slot) {
        EXPECT_TRUE(IsFixturePlayed(slot)) << slot;
        EXPECT_NE(FixtureType(slot), kCompNationalTeam);
        ++played;
    }
    EXPECT_EQ(played, 3);
    EXPECT_EQ(Fakes().shown, 1);
    EXPECT_FALSE(IsFixturePlayed(3));  // tomorrow's, now in slot 3
}

// A reserve side that cannot reach seven players, with nobody in the world
// free for a trial, is not played: the fixture goes and the day goes on.
TEST_F(FixtureDayTest, AReserveSideShortOfSevenIsNotPlayed) {
    // Club 3 has eight reserves; club 2 none, and no free or new player
    // exists anywhere to come on trial.
    int reserves = 0;
    for (uint16_t p = 2; p < PlayerCount && reserves < 8; ++p) {
        if (GetPlayerClub(p) != 3) continue;
        SetPlayerFlag107(p, 1);
        ++reserves;
    }
    Fixture(0, kCompReserveLeague, 2, 3);
    Fixture(1, kCompLeague, 4, 5);
    PlayDayWithoutScreens();
    EXPECT_EQ(SeasonCalendar.currentDay, kFixtureToday + 1);
    EXPECT_EQ(FixtureType(0), kCompLeague);  // the reserve fixture went
    EXPECT_TRUE(IsFixturePlayed(0));
    EXPECT_TRUE(IsFixtureEmpty(1));
    EXPECT_EQ(Fakes().predicted + Fakes().unshown, 1);

    // Called alone it says so.
    Fixture(5, kCompReserveLeague, 3, 2);
    EXPECT_EQ(ProcessFixture(5), -1);
    EXPECT_TRUE(IsFixtureEmpty(5));
    EXPECT_EQ(Fakes().predicted + Fakes().unshown, 1);
}

TEST_F(FixtureDayTest, ShufflingLeavesNationalDaysAlone) {
    for (int i = 0; i < 6; ++i) Fixture(i, kCompLeague, i, (i + 1) % 6);
    GameSeedRandom(3);
    ShuffleDayFixtures();
    bool moved = false;
    for (int i = 0; i < 6; ++i) moved = moved || FixtureHome(i) != i;
    EXPECT_TRUE(moved);
    Fixture(6, kCompNationalUnder21, 1, 2);
    int16_t before[7];
    for (int i = 0; i < 7; ++i) before[i] = FixtureHome(i);
    ShuffleDayFixtures();
    for (int i = 0; i < 7; ++i) EXPECT_EQ(FixtureHome(i), before[i]);
}

}  // namespace
