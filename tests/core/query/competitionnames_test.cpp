// Competition codes, round names, the cup rules behind them and fixture
// listings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/season/competitions.h"
#include "core/season/cuprounds.h"
#include "core/season/nationorder.h"
#include "tests/core/records/league_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

using CompTest = LeagueWorldTest;

struct Names {
    int16_t name, round, leg;
};

Names RoundText(int16_t code, int16_t country) {
    Names n{};
    n.name = HVW_GetCompRoundText(code, &n.round, &n.leg, country);
    return n;
}

TEST_F(CompTest, RoundAndLegTexts) {
    Names n = RoundText(CupCode(0, 7), 0);  // cup slot 0 of 8 rounds, round 7
    EXPECT_EQ(n.round, 124);
    EXPECT_EQ(n.leg, -1);
    EXPECT_EQ(n.name, 104);
    n = RoundText(CupCode(0, kSecondMatchCodes), 0);  // second match (replay) of round 0
    EXPECT_EQ(n.leg, 126);
    EXPECT_EQ(n.round, 116);
    n = RoundText(CupCode(5, 0), 0);  // block 5
    EXPECT_EQ(n.round, 903);
    EXPECT_EQ(n.name, 104 + 6);
    n = RoundText(CupCode(6, 0), 3);  // block 6 round 0
    EXPECT_EQ(n.round, 1550);
    EXPECT_EQ(n.name, 1756 + 6);
    // Two-legged European rounds: first and second leg texts.
    n = RoundText(CupCode(4, 0), 2);
    EXPECT_EQ(n.leg, 134);
    EXPECT_EQ(n.round, 116);
    EXPECT_EQ(n.name, 1730 + 4);
    n = RoundText(69 + 8 + 4, 2);  // second leg of round 4 of 6
    EXPECT_EQ(n.leg, 135);
    EXPECT_EQ(n.round, 124 - 2);
    n = RoundText(69 + 5, 2);  // the final of cup 4
    EXPECT_EQ(n.round, 124 - 1);
    EXPECT_EQ(n.leg, -1);
    // Blocks 1-3 by the country's own round counts.
    n = RoundText(5 + 16 + 5, 0);  // cup 1 of 7 rounds, round 5
    EXPECT_EQ(n.round, 125 - 2);
    EXPECT_EQ(n.name, 105);
    // Codes outside the cups.
    const int16_t base = 1781;
    EXPECT_EQ(RoundText(kCompLeague, 4).name, 111);
    EXPECT_EQ(RoundText(kCompPlayOffFirst, 4).name, 112);
    EXPECT_EQ(RoundText(kCompPlayOffSecond, 4).name, 113);
    EXPECT_EQ(RoundText(kCompPlayOffFinal, 4).name, 114);
    EXPECT_EQ(RoundText(kCompChampionVsCupWinner, 4).name, base + 7);
    EXPECT_EQ(RoundText(kCompChampionVsCupWinner, 1).name, 1000 + 11);
    EXPECT_EQ(RoundText(kCompFriendly, 4).name, 169);
    EXPECT_EQ(RoundText(kCompReserveLeague, 4).name, 2428);
    n = RoundText(kCompNationalTeam, 4);
    EXPECT_EQ(n.name, -1);
    EXPECT_EQ(n.round, -1);
    EXPECT_EQ(n.leg, -1);
    EXPECT_EQ(RoundText(kCompNationalUnder21, 0).name, -1);
}

TEST_F(CompTest, CompetitionNames) {
    testenv::LoadTexts({{104, "Cup"}, {116, "Round One"}, {126, "Replay"}, {112, "Play-off"}});
    std::snprintf(CompetitionNames[0].division[1], kCompetitionNameSize, "Second Division");
    EXPECT_EQ(std::string(HVW_FormatCompetitionName(kCompLeague, 1, 1, 0)), "Second Division");
    EXPECT_EQ(std::string(HVW_FormatCompetitionName(kCompPlayOffFirst, 1, 1, 0)), "Second Division Play-off");
    EXPECT_EQ(std::string(HVW_FormatCompetitionName(CupCode(0, kSecondMatchCodes), 0, 1, 0)),
              "Cup Round One Replay");
    EXPECT_EQ(std::string(HVW_FormatCompetitionName(CupCode(0, kSecondMatchCodes), 0, 0, 0)), "Cup");
    testenv::UnloadTexts();
}

TEST_F(CompTest, DivisionAndCupNameEntries) {
    EXPECT_EQ(HVW_GetCompRoundTextId(0, 0), 175);
    EXPECT_EQ(HVW_GetCompRoundTextId(2, 2), 1746);
    EXPECT_EQ(HVW_GetCompRoundTextId(4, 2), 1748);  // the count itself: base + n
    EXPECT_EQ(HVW_GetCompRoundTextId(5, 2), -1);
    EXPECT_EQ(HVW_GetCompRoundTextId2(1, 8), 1551);
    EXPECT_EQ(HVW_GetCompRoundTextId2(3, 8), -1);
    // The names are stored padded with blanks to 32 characters and shown
    // without the padding; each entry keeps its own copy.
    const auto padded = [](char* field, const char* name) {
        std::memset(field, ' ', 32);
        std::memcpy(field, name, std::strlen(name));
        field[32] = field[33] = '\0';
    };
    padded(CompetitionNames[4].division[1], "Second Division");
    padded(CompetitionNames[4].division[2], "Third  Division");
    padded(CompetitionNames[3].cup[6], "");
    const char* second = HVW_GetDivisionRoundEntry(1, 4);
    EXPECT_STREQ(HVW_GetDivisionRoundEntry(2, 4), "Third  Division");
    EXPECT_STREQ(second, "Second Division");
    EXPECT_STREQ(HVW_GetDivisionName(1, 4), "Second Division");
    EXPECT_EQ(HVW_GetDivisionRoundEntry(3, 4), nullptr);
    EXPECT_EQ(HVW_GetDivisionRoundEntry(5, 0), nullptr);  // five names a country
    EXPECT_STREQ(HVW_GetCupRoundEntry(6, 3), "");
    EXPECT_EQ(HVW_GetCupRoundEntry(7, 3), nullptr);
    EXPECT_EQ(CompetitionNames[4].division[1][31], ' ');  // the stored field keeps its padding
}

TEST_F(CompTest, CupRulesOfTheCountries) {
    // A country's national cups in use, then the three European cups that
    // every country's clubs play.
    EXPECT_EQ(HVW_CountNationCups(0), 7);
    EXPECT_EQ(HVW_CountNationCups(1), 6);
    EXPECT_EQ(HVW_CountNationCups(4), 3);
    EXPECT_EQ(HVW_CountNationCups(8), 5);
    EXPECT_EQ(HVW_GetCupRoundCount(0, 0), 8);
    EXPECT_EQ(HVW_GetCupRoundCount(1, 6), 6);
    EXPECT_EQ(HVW_GetCupRoundCount(5, 4), 2);
    EXPECT_EQ(HVW_GetCupRoundCount(3, 1), 0);
    // Country 1's second cup plays its semi-final over two legs.
    EXPECT_EQ(HVW_IsRuleBlockValue2(4, 1), 0);
    const uint8_t* semi = CupRoundRules.bytes[1][1][4];
    EXPECT_EQ(semi[kCupMatchMode], 2);
    EXPECT_EQ(HVW_IsRuleBlockValue2(0, 0), 0);

    // The delivered entry windows of country 0's main cup.
    const uint8_t* r0 = CupRoundRules.bytes[0][0][0];
    const uint8_t* r2 = CupRoundRules.bytes[0][0][2];
    EXPECT_EQ(int8_t(r0[kCupEntryStart]), 44);
    EXPECT_EQ(int8_t(r0[kCupEntryEnd]), 124);
    EXPECT_EQ(int8_t(r2[kCupEntryStart]), 0);
    EXPECT_EQ(int8_t(r2[kCupEntryEnd]), 44);
}

// Every national cup of every country: each round's clubs (those coming
// through plus those entering) are even, halve into the next round, end
// in a final of two, enter from the country's own clubs, and every club
// enters at most once.
TEST_F(CompTest, NationalCupRoundsFitTheLeagues) {
    for (int country = 0; country < kCountryCount; ++country) {
        int clubs = 0;
        for (int d = 0; d < kDivisionCount; ++d) clubs += DivisionLayout[country][d].clubs;
        for (int cup = 0; cup < kFirstEuropeanCup; ++cup) {
            const int rounds = CupRoundCounts[country][cup];
            if (rounds == 0) {
                EXPECT_EQ(recbits::LoadU16(CupRoundRules.bytes[country][cup][0]), 0xFFFF);
                continue;
            }
            if (country == 0 && cup == 0) continue;  // the delivered cup, checked above
            std::vector<int> entered(128, 0);
            int inRound = 0, winners = 0;
            for (int r = 0; r < rounds; ++r) {
                const uint8_t* rec = CupRoundRules.bytes[country][cup][r];
                const int start = int8_t(rec[kCupEntryStart]), end = int8_t(rec[kCupEntryEnd]);
                const int through = int8_t(rec[kCupClubsThrough]);
                EXPECT_NE(recbits::LoadU16(rec + kCupDrawDay), 0xFFFF);
                EXPECT_EQ(rec[kCupSubstitutes], 5);
                int newcomers = 0;
                if (start >= 0) {
                    EXPECT_LE(end, clubs) << country << " " << cup << " " << r;
                    for (int i = start; i < end; ++i) ++entered[i];
                    newcomers = end - start;
                }
                EXPECT_EQ(std::max(through, 0), winners) << country << " " << cup << " " << r;
                inRound = winners + newcomers;
                EXPECT_EQ(inRound % 2, 0) << country << " " << cup << " " << r;
                winners = inRound / 2;
            }
            EXPECT_EQ(inRound, 2) << country << " " << cup;
            for (int n : entered) EXPECT_LE(n, 1);
        }
    }
}

class ListingTest : public LeagueWorldTest {
  protected:
    void SetUp() override {
        LeagueWorldTest::SetUp();
        SeasonCalendar.currentDay = 20;
        PlayerCount = 100;
        SetPlayerClub(1, 10);  // the user's club
        Place(10, 0, 1, 0);
        Place(11, 0, 1, 1);
        Place(12, 0, 0, 0);
        Place(13, 0, 0, 1);
        Place(14, 2, 1, 0);
        Place(15, 2, 1, 1);
    }
};

TEST_F(ListingTest, NextFixturesOfAClub) {
    PutFixture(0, 10, kCompLeague, 10, 11, 1, 0);
    PutFixture(1, 20, kCompNationalTeam, 10, 3, 31, 31);  // nations, not clubs
    PutFixture(2, 25, kCompLeague, 11, 10, 31, 31);
    PutFixture(3, 26, kCompFriendly, 10, 40, 31, 31);
    PutFixture(4, 30, CupCode(0, 4), 10, 12, 31, 31);
    EXPECT_EQ(HVW_FindClubNextFixtureSlot(10), 2);
    EXPECT_EQ(HVW_FindClubNextCupFixtureSlot(10), 4);
    EXPECT_EQ(HVW_GetNextOpponent(10), 11);
    EXPECT_EQ(HVW_GetNextOpponent(12), 10);
    EXPECT_EQ(HVW_GetNextOpponent(13), -1);
    EXPECT_EQ(HVW_FindClubNextFixtureSlot(13), -1);
    EXPECT_EQ(HVW_IsUserFixture(2), 1);
    EXPECT_EQ(HVW_IsUserFixture(1), 0);
    EXPECT_EQ(HVW_IsUserFixture(0), 1);
    EXPECT_EQ(HVW_FindHumanFixtureOnDay(25), -1);  // nobody is human-run
    SetClubControl(11, 1);
    SetClubControl(40, 1);
    EXPECT_EQ(HVW_FindHumanFixtureOnDay(25), 2);
    EXPECT_EQ(HVW_FindHumanFixtureOnDay(26), -1);
}

TEST_F(ListingTest, SecondLegsOfTwoLeggedTies) {
    // Country 1's second cup: semi-final (round 4) over two legs.
    SetClubNation(20, 1);
    SetClubNation(21, 1);
    const int16_t first = 5 + 16 + 4, second = first + 8;
    PutFixture(0, 30, first, 20, 21, 1, 0);
    PutFixture(1, 31, first, 24, 25, 1, 0);
    PutFixture(2, 44, second, 21, 20, 31, 31);
    PutFixture(3, 45, second, 23, 22, 31, 31);  // no reversed first match
    EXPECT_EQ(HVW_IsSecondLegFixture(2), 1);
    EXPECT_EQ(HVW_IsSecondLegFixture(0), 0);
    EXPECT_EQ(HVW_IsSecondLegFixture(3), 0);
    // A one-match round never has a second leg; nor do league codes.
    PutFixture(4, 50, 5 + 16 + 5, 21, 20, 31, 31);
    EXPECT_EQ(HVW_IsSecondLegFixture(4), 0);
    PutFixture(5, 51, kCompLeague, 21, 20, 31, 31);
    EXPECT_EQ(HVW_IsSecondLegFixture(5), 0);
    EXPECT_EQ(HVW_IsSecondLegFixture(20000), 0);
    // European two-legged rounds read country 0's rules.
    PutFixture(6, 60, CupCode(4, 0), 30, 31, 0, 0);
    PutFixture(7, 61, CupCode(4, kSecondMatchCodes), 31, 30, 31, 31);
    EXPECT_EQ(HVW_IsSecondLegFixture(7), 1);
}

TEST_F(ListingTest, DayListingByCategory) {
    PutFixture(0, 20, kCompLeague, 10, 11, 31, 31);      // category 8 (division 1)
    PutFixture(1, 20, kCompLeague, 12, 13, 31, 31);      // category 7 (division 0)
    PutFixture(2, 20, CupCode(6, 0), 14, 15, 31, 31);    // category 1
    PutFixture(3, 20, kCompNationalTeam, 3, 4, 31, 31);  // category 0
    PutFixture(4, 20, CupCode(2, 3), 12, 10, 31, 31);    // category 13 (codes 37-52)
    PutFixture(5, 21, kCompLeague, 10, 12, 31, 31);      // another day
    std::vector<int16_t> order;
    int16_t category = 0, slot = -1;
    while ((slot = HVW_FindNextFixtureByCategory(20, slot, 0, &category)) != -1) {
        order.push_back(slot);
        ASSERT_LT(order.size(), 10u);
    }
    EXPECT_EQ(order, (std::vector<int16_t>{3, 2, 1, 0, 4}));
    EXPECT_EQ(category, -1);
    EXPECT_EQ(DivisionFilterWord, 3);

    category = 7;
    EXPECT_EQ(HVW_FindNextFixtureByCategory(20, -1, 1, &category), 1);
    EXPECT_EQ(category, 7);
    EXPECT_EQ(DivisionFilterWord, 0);
    category = 2;  // single: only category 2 is looked at
    EXPECT_EQ(HVW_FindNextFixtureByCategory(20, -1, 1, &category), -1);
    EXPECT_EQ(category, 2);

    category = 0;
    EXPECT_EQ(HVW_FindNextFixtureByCategory(99, -1, 0, &category), -1);
    EXPECT_EQ(category, -1);
}

TEST_F(ListingTest, CountingTheDaysFixtures) {
    PutFixture(0, 20, kCompLeague, 12, 13, 31, 31);
    PutFixture(1, 20, kCompLeague, 14, 15, 31, 31);
    PutFixture(2, 20, kCompFriendly, 30, 31, 31, 31);
    int16_t user, same, flagged, flaggedCount, other;
    HVW_CountFixturesOnDay(20, &user, &same, &flagged, &flaggedCount, &other);
    EXPECT_EQ(user, -1);
    EXPECT_EQ(flagged, -1);
    EXPECT_EQ(same, 0);
    EXPECT_EQ(other, 3);

    PutFixture(3, 20, kCompLeague, 10, 11, 31, 31);
    PutFixture(4, 20, kCompReserveLeague, 11, 10, 31, 31);
    PutFixture(5, 20, kCompReserveLeague, 16, 17, 31, 31);
    SetClubNation(16, 0);
    SetClubNation(17, 0);
    Place(16, 0, 1, 2);
    HVW_CountFixturesOnDay(20, &user, &same, &flagged, &flaggedCount, &other);
    EXPECT_EQ(user, 3);
    EXPECT_EQ(flagged, 4);
    EXPECT_EQ(same, 1);
    EXPECT_EQ(flaggedCount, 2);
    EXPECT_EQ(other, 3);
}

TEST_F(ListingTest, LineUps) {
    static MatchResultBlock match;
    std::memset(&match, 0, sizeof match);
    TeamMatchReport& team = match.teams[1];
    uint8_t* r = team.bytes + kReportPlayers + 3 * kPlayerReportSize;
    recbits::StoreU16(r + kPlayerNumber, 42);
    recbits::StoreU16(r + kPlayerRating, 77);
    recbits::StoreU16(r + kPlayerGoals, 2);
    recbits::StoreU16(r + kPlayerCards, 2);
    recbits::StoreU16(team.bytes + kReportManOfTheMatch, 42);
    SeasonCalendar.currentDay = 21;
    PutFixture(0, 20, kCompLeague, 10, 11, 2, 1);
    HVW_ClearLineUp(0, 1);
    uint8_t* e = FixtureTable[0].bytes + 20 + 96 + 3 * 6;
    EXPECT_EQ(recbits::LoadU16(e), 0xFFFF);
    recbits::StoreU16(e + 4, 0x1234);
    HVW_StoreLineUpEntry(0, 1, 3, &team);
    EXPECT_EQ(recbits::LoadU16(e), 42);
    EXPECT_EQ(recbits::LoadU16(e + 2), 77u | 2u << 8 | 1u << 13 | 1u << 14 | 1u << 15);
    EXPECT_EQ(recbits::LoadU16(e + 4), 0x1234);  // the upper half is never written

    // The player's value in the user's last fixture before today: player
    // 42 of club 11, the away side of slot 0.
    SetPlayerClub(42, 11);
    EXPECT_EQ(HVW_GetPlayerLastMatchValue(42), 0);  // no appearances yet
    SetPlayerApps(42, 3);
    EXPECT_EQ(HVW_GetPlayerLastMatchValue(42), 77);
    SetPlayerClub(43, 11);
    SetPlayerApps(43, 3);
    EXPECT_EQ(HVW_GetPlayerLastMatchValue(43), 0);   // not listed
    PutFixture(1, 20, kCompFriendly, 10, 11, 1, 1);  // friendlies are passed over
    EXPECT_EQ(HVW_GetPlayerLastMatchValue(42), 77);
    // Clearing keeps the upper word of each entry's match values.
    HVW_ClearLineUp(0, 1);
    EXPECT_EQ(recbits::LoadU16(e), 0xFFFF);
    EXPECT_EQ(recbits::LoadU16(e + 2), 0);
    EXPECT_EQ(recbits::LoadU16(e + 4), 0x1234);
}

}  // namespace
