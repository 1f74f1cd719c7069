// League outlook, competition names, games per club, reputation places,
// map distance and Champions League groups.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/query/leagueoutlook.h"
#include "core/records/records.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class OutlookTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        for (auto& country : LeagueTable) {
            for (auto& row : country) {
                for (int16_t& cell : row) cell = int16_t(kNoLeagueClub);
            }
        }
    }

    // A division of `clubs` clubs 100.. in table order with the given
    // points; each has played `played` of a season of `games` league
    // fixtures (the fixtures of the first club are placed in the table).
    void MakeDivision(int country, int division, const std::vector<int>& points, int played, int games) {
        const int clubs = int(points.size());
        ASSERT_EQ(clubs, DivisionLayout[country][division].clubs);
        for (int i = 0; i < clubs; ++i) {
            const int16_t club = int16_t(100 + i);
            LeagueTable[country][division][i] = club;
            LeagueSeasonRecords[club].words[kSeasonPlayed] = int16_t(played);
            LeagueSeasonRecords[club].words[kSeasonPoints] = int16_t(points[i]);
            LeagueSeasonRecords[club].words[kSeasonPlace] = int16_t(i);
        }
        // Every club's season: `games` league fixtures against club 99.
        int slot = 0;
        for (int i = 0; i < clubs; ++i) {
            for (int g = 0; g < games; ++g) PutFixture(slot++, 1 + g, kCompLeague, 100 + i, 99, 31, 31);
        }
        // A cup tie and a friendly do not count.
        PutFixture(slot++, 3, CupCode(0, 0), 100, 99, 31, 31);
        PutFixture(slot++, 3, kCompFriendly, 100, 99, 31, 31);
    }
    static int16_t Outlook(int place, int division, int country) {
        return HVW_GetLeagueOutlookTextId(int16_t(100 + place - 1), int16_t(division), int16_t(country));
    }
};
using OutlookDeathTest = OutlookTest;

std::vector<int> Points(int clubs, int leader, int second, int step) {
    std::vector<int> p(clubs);
    p[0] = leader;
    for (int i = 1; i < clubs; ++i) p[i] = second - (i - 1) * step;
    return p;
}

TEST_F(OutlookTest, ChampionsAndPromotionBeforeTheLastDay) {
    // 38 games, 35 played: the rival can add 9 points at most.
    MakeDivision(0, 0, Points(20, 80, 70, 1), 35, 38);
    EXPECT_EQ(Outlook(1, 0, 0), 1086);
    EXPECT_EQ(Outlook(2, 0, 0), -1);
    MakeDivision(0, 0, Points(20, 79, 70, 1), 35, 38);
    EXPECT_EQ(Outlook(1, 0, 0), -1);  // 70 + 9 reaches 79

    // Division 1 of country 0: two promoted, four in the play-offs.
    MakeDivision(0, 1, Points(24, 90, 80, 2), 43, 46);
    EXPECT_EQ(Outlook(1, 1, 0), 189);
    EXPECT_EQ(Outlook(2, 1, 0), 1084);  // four below can pass him: a play-off place at worst
    // Fourth with 76: four below can still reach him, so even that is open.
    EXPECT_EQ(Outlook(4, 1, 0), -1);
}

TEST_F(OutlookTest, AGameInHandKeepsTheLeaderWaiting) {
    // The leader has played all 38; the second, one behind with a
    // postponed game, can still pass him.
    MakeDivision(0, 0, Points(20, 80, 78, 1), 38, 38);
    LeagueSeasonRecords[101].words[kSeasonPlayed] = 37;
    EXPECT_EQ(Outlook(1, 0, 0), -1);
    LeagueSeasonRecords[101].words[kSeasonPlayed] = 38;
    EXPECT_EQ(Outlook(1, 0, 0), 1086);
}

TEST_F(OutlookTest, PlayOffPlacesAreTheDivisionsOwn) {
    // Country 5, division 1: one promoted, and two of its own clubs in the
    // play-offs (the other two entrants come from the division above).
    const int clubs = DivisionLayout[5][1].clubs;
    ASSERT_GE(clubs, 6);
    MakeDivision(5, 1, Points(clubs, 200, 150, 10), 30, 30);
    EXPECT_EQ(Outlook(1, 1, 5), 189);
    EXPECT_EQ(Outlook(3, 1, 5), 1084);
    EXPECT_EQ(Outlook(4, 1, 5), -1);
}

TEST_F(OutlookTest, RelegationZone) {
    // Last day over: games left none.
    MakeDivision(0, 0, Points(20, 80, 70, 2), 38, 38);
    EXPECT_EQ(Outlook(18, 0, 0), 1085);
    EXPECT_EQ(Outlook(20, 0, 0), 1085);
    EXPECT_EQ(Outlook(17, 0, 0), -1);  // one above the zone
    EXPECT_EQ(Outlook(10, 0, 0), -1);
    // Games left: the 18th can still pass two clubs above.
    MakeDivision(0, 0, Points(20, 80, 70, 2), 36, 38);
    EXPECT_EQ(Outlook(18, 0, 0), -1);
    // Two games left: the last can pass the 19th but no one else: down.
    MakeDivision(0, 0, Points(20, 100, 98, 5), 36, 38);
    EXPECT_EQ(Outlook(20, 0, 0), 1085);
}

TEST_F(OutlookTest, CountryWithoutPromotionOrRelegation) {
    MakeDivision(4, 0, Points(20, 90, 60, 1), 38, 38);
    EXPECT_EQ(Outlook(1, 0, 4), 1086);
    for (int place = 2; place <= 20; ++place) EXPECT_EQ(Outlook(place, 0, 4), -1) << place;
    MakeDivision(4, 1, Points(22, 90, 60, 1), 42, 42);
    for (int place = 1; place <= 22; ++place) EXPECT_EQ(Outlook(place, 1, 4), -1) << place;
    EXPECT_EQ(HVW_GetLeagueOutlookTextId(100, 0, 9), -1);
    EXPECT_EQ(HVW_GetLeagueOutlookTextId(-1, 0, 0), -1);
}

TEST_F(OutlookTest, GamesPerTeam) {
    EXPECT_EQ(HVW_GetDivisionGamesPerTeam(0, 0), 38);
    EXPECT_EQ(HVW_GetDivisionGamesPerTeam(1, 1), 36);  // 10 clubs meeting four times
    EXPECT_EQ(HVW_GetDivisionGamesPerTeam(1, 0), 33);  // 12 clubs, three times
    const DivisionLayoutEntry kept = DivisionLayout[0][0];
    DivisionLayout[0][0].extraMeetings = 1;
    EXPECT_EQ(HVW_GetDivisionGamesPerTeam(0, 0), 76);
    DivisionLayout[0][0].extraMeetings = 7;
    EXPECT_EQ(HVW_GetDivisionGamesPerTeam(0, 0), 38);
    DivisionLayout[0][0] = kept;
    EXPECT_EQ(HVW_GetDivisionGamesPerTeam(4, 2), 0);
}

TEST_F(OutlookTest, DistanceOnTheMap) {
    SetClubNation(1, 3);
    SetClubNation(2, 3);
    SetClubNation(3, 4);
    SetClubXCoord(1, 10);
    SetClubYCoord(1, 10);
    SetClubXCoord(2, 13);
    SetClubYCoord(2, 14);
    EXPECT_EQ(HVW_GetClubDistance(1, 2), 5);
    SetClubXCoord(2, 11);
    SetClubYCoord(2, 11);
    EXPECT_EQ(HVW_GetClubDistance(1, 2), 1);  // s = 2
    SetClubXCoord(2, 12);
    SetClubYCoord(2, 12);
    EXPECT_EQ(HVW_GetClubDistance(1, 2), 3);  // s = 8: nearer 3 than 2
    SetClubXCoord(2, 13);
    SetClubYCoord(2, 10);
    EXPECT_EQ(HVW_GetClubDistance(2, 1), 3);
    SetClubXCoord(2, 16);
    SetClubYCoord(2, 12);
    EXPECT_EQ(HVW_GetClubDistance(1, 2), 6);  // s = 40: 6.32
    EXPECT_EQ(HVW_GetClubDistance(1, 1), 0);
    EXPECT_EQ(HVW_GetClubDistance(1, 3), 30);
}

TEST_F(OutlookTest, ReputationPlaces) {
    for (int16_t c = 0; c < kClubCount; ++c) {
        SetClubNation(c, 20);
        SetClubRep(c, 10);
    }
    EXPECT_EQ(HVW_GetClubRepPercentile(5, 3), 50);  // all equal: 100 - 600 x 100 / 1200

    // Country 2: clubs 10-14 in the league, 15 outside it.
    const int reps[6] = {30, 50, 40, 50, 20, 60};
    for (int i = 0; i < 6; ++i) {
        SetClubNation(int16_t(10 + i), 2);
        SetClubRep(int16_t(10 + i), int16_t(reps[i]));
        SetClubDivision(int16_t(10 + i), int16_t(i == 5 ? 6 : i % 3));
    }
    EXPECT_EQ(HVW_GetClubReputationPos(12, 2), 2);
    EXPECT_EQ(HVW_GetClubReputationPos(14, 2), 4);
    const int16_t top = HVW_GetClubReputationPos(11, 2);
    EXPECT_EQ(top + HVW_GetClubReputationPos(13, 2), 1);  // the two 50s share the top

    // Scope 0: six clubs of nation 2; club 11 (50, division 1) is outranked
    // by 15 (60) and 13 (50, division 0): 100 - (1 / 2 + 2) x 100 / 6.
    EXPECT_EQ(HVW_GetClubRepPercentile(11, 0), 67);
    EXPECT_EQ(HVW_GetClubRepPercentile(11, 1), 100 - (0 + 1) * 100 / 5);
    EXPECT_EQ(HVW_GetClubRepPercentile(15, 0), 100 - 0 * 100 / 6);
    // Scope 2: the other nations' league clubs (none: all are division 0 of
    // nation 20, in the league).
    EXPECT_EQ(HVW_GetClubRepPercentile(11, 2), 100);
    SetClubRep(11, 0);
    EXPECT_EQ(HVW_GetClubRepPercentile(11, 9), 0);
}

TEST_F(OutlookDeathTest, MissingClubsAndBadEventsAreFatal) {
    SetClubNation(7, 3);
    SetClubDivision(7, 6);
    EXPECT_FATAL(HVW_GetClubReputationPos(7, 3), "in funcs.c HVW_GetClubReputationPos Team Not Found");
    int16_t id = 0;
    EXPECT_FATAL(HVW_GetCompPosition(24, &id, 0), "It Go BANG in Funcs.c,HVW_GetCompPosition ");
    EXPECT_FATAL(HVW_GetCompPosition(32, &id, 0), "It Go BANG");
    EXPECT_FATAL(HVW_GetCompPosition(0, &id, 0), "It Go BANG");
}

TEST_F(OutlookTest, CompetitionNamesOfHonours) {
    std::memset(CompetitionNames, 0, sizeof CompetitionNames);
    for (int c = 0; c < 9; ++c) {
        for (int k = 0; k < 5; ++k) std::snprintf(CompetitionNames[c].division[k], 34, "D%d.%d", c, k);
        for (int k = 0; k < 7; ++k) std::snprintf(CompetitionNames[c].cup[k], 34, "C%d.%d", c, k);
    }
    int16_t id = 0;
    EXPECT_STREQ(HVW_GetCompPosition(1, &id, 0), "D0.0");
    EXPECT_EQ(id, 1466);
    EXPECT_STREQ(HVW_GetCompPosition(8, &id, 0), "D0.3");
    EXPECT_EQ(id, 1467);
    EXPECT_STREQ(HVW_GetCompPosition(10, &id, 3), "C3.0");
    EXPECT_EQ(id, 1467);
    EXPECT_STREQ(HVW_GetCompPosition(21, &id, 3), "C3.6");
    EXPECT_EQ(id, 1466);
    EXPECT_STREQ(HVW_GetCompPosition(23, &id, 2), "C3.4");
    EXPECT_EQ(HVW_GetCompPosition(23, &id, 8), nullptr);
    EXPECT_STREQ(HVW_GetCompPosition(28, &id, 0), "D0.4");
    // Country 4 has two divisions.
    id = 0;
    EXPECT_EQ(HVW_GetCompPosition(4, &id, 4), nullptr);
    EXPECT_EQ(id, 1466);
    EXPECT_EQ(HVW_GetCompPosition(29, &id, 4), nullptr);
    EXPECT_EQ(id, 1467);
    EXPECT_EQ(HVW_GetCompPosition(30, &id, 0), nullptr);
}

TEST_F(OutlookTest, ChampionsLeagueGroup) {
    std::memset(ChampionsLeagueGroups, 0xFF, sizeof ChampionsLeagueGroups);
    ChampionsLeagueGroups[0][2][3] = 44;
    ChampionsLeagueGroups[1][1][0] = 44;
    ChampionsLeagueGroups[1][6][2] = 44;
    EXPECT_EQ(HVW_FindClubGroup(44, 0), 2);
    EXPECT_EQ(HVW_FindClubGroup(44, 1), 6);  // the last group holding it
    EXPECT_EQ(HVW_FindClubGroup(45, 0), -1);
    EXPECT_EQ(HVW_FindClubGroup(44, 2), -1);
}

}  // namespace
