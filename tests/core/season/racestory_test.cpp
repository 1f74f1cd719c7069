// The division race analysis on constructed divisions.
#include <gtest/gtest.h>

#include <array>

#include "core/query/leagueoutlook.h"
#include "core/season/clubseason.h"
#include "core/season/racestory.h"
#include "core/season/reportfacts.h"
#include "tests/core/season/season_fixture.h"

namespace {

constexpr int16_t kDay = 300;

class RaceStoryTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
        MakeShippedWorld();
        games = HVW_GetDivisionGamesPerTeam(0, 0);
        // Nation 0's top division: clubs 0..19 in table order.
        for (int16_t c = 0; c < 20; ++c) PlaceInTable(c, 0, c);
        SeasonCalendar.currentDay = kDay;
    }

    // A season record of wins and draws (no goals) with `left` games to go.
    void Record(int16_t club, int wins, int draws, int left, int goalsFor = 0, int goalsAgainst = 0) {
        int16_t* w = LeagueSeasonRecords[club].words;
        const int played = games - left;
        w[kSeasonHomeWon] = int16_t(wins);
        w[kSeasonHomeDrawn] = int16_t(draws);
        w[kSeasonHomeLost] = int16_t(played - wins - draws);
        w[kSeasonHomeFor] = int16_t(goalsFor);
        w[kSeasonHomeAgainst] = int16_t(goalsAgainst);
        w[kSeasonPlayed] = int16_t(played);
        w[kSeasonPoints] = int16_t(3 * wins + draws);
    }
    // Every club of the division on the same record.
    void RecordAll(int wins, int draws, int left) {
        for (int16_t c = 0; c < 20; ++c) Record(c, wins, draws, left);
    }
    int16_t League(int16_t home, int16_t away, int16_t day = kDay) {
        return AddFixture(day, 0, home, away, 0);
    }

    int games = 0;
};

TEST_F(RaceStoryTest, TopDivisionZonesFollowTheEuropeanPlacesAndTheDrop) {
    SetDivisionZones(0, 0);
    const int16_t expected[20] = {0, 2, 3, 3, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6};
    for (int i = 0; i < 20; ++i) EXPECT_EQ(RaceZones[i], expected[i]) << "place " << i;
    for (int i = 20; i < kRacePlaces; ++i) EXPECT_EQ(RaceZones[i], -1);
    // A lower division: promotion places, play-off places, the drop.
    SetDivisionZones(0, 1);
    EXPECT_EQ(RaceZones[0], 1);
    EXPECT_EQ(RaceZones[1], 1);
    EXPECT_EQ(RaceZones[2], 4);
    EXPECT_EQ(RaceZones[5], 4);
    EXPECT_EQ(RaceZones[6], 5);
    EXPECT_EQ(RaceZones[20], 5);
    EXPECT_EQ(RaceZones[21], 6);
    EXPECT_EQ(RaceZones[23], 6);
    // A row that does not exist and a nation outside the leagues.
    SetDivisionZones(0, 5);
    EXPECT_EQ(RaceZones[0], -1);
    SetDivisionZones(9, 0);
    EXPECT_EQ(RaceZones[0], -1);
}

TEST_F(RaceStoryTest, ChampionWithGamesToSpareRelegatedAndNothingAtStake) {
    for (int16_t c = 0; c < 20; ++c) Record(c, 10, 5, 3);
    Record(0, 30, 0, 3);  // 90 points: no one can reach 35 + 9
    Record(19, 0, 2, 1);  // 2 points with one game to go
    Record(18, 0, 3, 1);
    Record(17, 1, 0, 1);
    const int16_t top = League(0, 5);
    const int16_t bottom = League(19, 18);
    const int16_t middle = League(9, 10);
    EXPECT_EQ(GetDivisionRaceStoryCode(0, top), 0);
    EXPECT_EQ(GetDivisionRaceStoryCode(19, bottom), 6);
    EXPECT_EQ(GetDivisionRaceStoryCode(9, middle), 5);
    EXPECT_EQ(GetStoryTextId(GetDivisionRaceStoryCode(0, top)), 2530);
}

TEST_F(RaceStoryTest, AClubLevelWithTheLeaderIsNotSureOfTheTitle) {
    RecordAll(5, 5, 1);
    Record(0, 25, 0, 0);  // the leader has finished on 75
    Record(1, 25, 0, 1);  // level with one game left
    const int16_t slot = League(1, 10);
    const int8_t code = GetDivisionRaceStoryCode(1, slot);
    EXPECT_NE(code, 0);
    // A defeat leaves it level, so only a draw or a win makes it sure: the
    // title selector's sure-with-a-draw code.
    EXPECT_EQ(code, 8);
    EXPECT_EQ(RaceFlags[0] & 3, 2u);
    EXPECT_EQ(RaceFlags[0] & (1u << 2), 0u);
}

TEST_F(RaceStoryTest, TwelveOpenFixturesInTheWindowAreTooMany) {
    RecordAll(5, 5, 10);
    const int16_t slot = League(0, 1);
    for (int16_t i = 0; i < 12; ++i) League(int16_t(2 + i % 9), int16_t(11 + i % 9), int16_t(kDay + 3 + i));
    EXPECT_EQ(GetDivisionRaceStoryCode(0, slot), 7);
    EXPECT_NE(RaceFlags[1] & kRaceTooManyFlag, 0u);
    EXPECT_EQ(GetStoryTextId(7), -1);
}

TEST_F(RaceStoryTest, BadInputGivesNoStoryAndLeavesTheFlags) {
    RecordAll(5, 5, 3);
    const int16_t slot = League(0, 1);
    const int16_t cup = AddFixture(kDay, 5, 2, 3, 0);
    RaceFlags[0] = 0x12345678u;
    RaceFlags[1] = 0x00010203u;
    EXPECT_EQ(GetDivisionRaceStoryCode(0, -1), -1);
    EXPECT_EQ(GetDivisionRaceStoryCode(0, kFixtureSlots), -1);
    EXPECT_EQ(GetDivisionRaceStoryCode(5, slot), -1);     // not in the fixture
    EXPECT_EQ(GetDivisionRaceStoryCode(2, cup), -1);      // not a league match
    EXPECT_EQ(GetDivisionRaceStoryCode(1200, slot), -1);  // no such club
    EXPECT_EQ(GetDivisionRaceStoryCode(-3, slot), -1);
    MakeClub(1100, 30, 0);
    EXPECT_EQ(GetDivisionRaceStoryCode(1100, slot), -1);  // outside the leagues
    EXPECT_EQ(RaceFlags[0], 0x12345678u);
    EXPECT_EQ(RaceFlags[1], 0x00010203u);
}

TEST_F(RaceStoryTest, HeadToHeadAppliesUnderRuleThreeOnlyOnceEveryGameIsPlayed) {
    // Clubs 0 and 1 level on points; 1 has the better goal difference, 0
    // won their meeting.
    AddFixture(10, 0, 0, 1, 0);
    uint8_t* score = FixtureTable[0].bytes + kFixtureScoreWord;
    recbits::StoreU32(score, (recbits::LoadU32(score) & ~0x3FFu) | 2u | 1u << 5);
    auto table = [&](int16_t played) {
        std::array<RaceRow, 2> t{RaceRow{1, played, 30, 50, 20}, RaceRow{0, played, 20, 50, 5}};
        return t;
    };
    auto t = table(int16_t(games - 1));
    SortRaceTable(t.data(), 0, 0, 2, 3, kDay);
    EXPECT_EQ(t[0].club, 1);  // goal difference while games remain
    t = table(int16_t(games));
    SortRaceTable(t.data(), 0, 0, 2, 3, kDay);
    EXPECT_EQ(t[0].club, 0);            // the meeting once all are played
    EXPECT_EQ(t[0].goalDifference, 5);  // rows keep their own figures
    t = table(int16_t(games - 1));
    SortRaceTable(t.data(), 0, 0, 2, 2, kDay);
    EXPECT_EQ(t[0].club, 0);  // rule 2: always
    t = table(int16_t(games));
    SortRaceTable(t.data(), 0, 0, 2, 1, kDay);
    EXPECT_EQ(t[0].club, 1);  // rule 1: goals first
}

TEST_F(RaceStoryTest, MarkersAndStoryCodes) {
    // Zone 6 safe with a draw, can escape with a defeat.
    RaceFlags[0] = RaceFlags[1] = 0;
    std::fill(std::begin(ZoneCounters), std::end(ZoneCounters), 0);
    ZoneCounters[kZoneNothing] = 4;
    EXPECT_EQ(MarkZonesSure(4, 1), 1);  // draw: safe
    ZoneCounters[kZoneRelegation] = 2;
    EXPECT_EQ(MarkZonesSure(6, 0), 0);  // defeat: neither sure down nor safe
    ZoneCounters[kZoneRelegation] = 6;
    EXPECT_EQ(MarkZonesSure(6, 3), 1);  // win still down: the counter rises
    EXPECT_EQ((RaceFlags[1] >> 8) & 3, 1u);
    EXPECT_EQ(GetRaceStoryCode(), 33);
    // A counter of three in zone 6 tells relegation whatever happens.
    RaceFlags[1] = 3u << 8;
    EXPECT_EQ(GetRaceStoryCode(), 6);
    // A sure European place with the title still reachable by a win.
    RaceFlags[0] = (3u << 16) | (1u << 7);
    RaceFlags[1] = 0;
    EXPECT_EQ(GetRaceStoryCode(), 12);
    RaceFlags[0] = 3u << 16;
    EXPECT_EQ(GetRaceStoryCode(), 2);
}

}  // namespace
