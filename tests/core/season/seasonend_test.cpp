#include "core/season/seasonend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/match/matchresult.h"
#include "core/query/europeanplaces.h"
#include "core/records/honours.h"
#include "core/season/clubseason.h"
#include "core/season/matchsetup.h"
#include "core/season/results.h"
#include "tests/core/season/message_check.h"
#include "tests/core/season/season_fixture.h"

namespace {

constexpr int16_t kEndDay = 300;

// The honour word of each title kind in the season's row.
int HonourWord(int kind) {
    switch (kind) {
        case 1:
            return 14;
        case 5:
            return 15;
        case 2:
            return 16;
        case 6:
            return 17;
        case 3:
            return 18;
        case 7:
            return 19;
        case 4:
            return 20;
        case 8:
            return 21;
        default:
            return 22 + (kind - 28);  // 28..31
    }
}

// Every country's divisions filled as the layout says, each final table a
// shuffle of its clubs, the end day of every country at 300.
class SeasonEndTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        MakeShippedWorld();
        for (int country = 0; country < kCountryCount; ++country) {
            SeasonCalendar.leagueEndDay[country] = kEndDay;
            for (int d = 0; d < kDivisionCount; ++d) {
                std::vector<int16_t> clubs;
                for (int16_t club = 0; club < kClubCount; ++club) {
                    if (GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(country) &&
                        GetClubDivision(club) == uint16_t(d))
                        clubs.push_back(club);
                }
                for (size_t i = clubs.size(); i > 1; --i) std::swap(clubs[i - 1], clubs[GameRandom() % i]);
                std::copy(clubs.begin(), clubs.end(), LeagueTable[country][d]);
            }
        }
        SeasonCalendar.currentDay = kEndDay;
        result_ = std::make_unique<MatchResultBlock>();
    }

    static int16_t At(int country, int division, int place) { return LeagueTable[country][division][place]; }
    static int DivisionOf(int16_t club) { return int(GetClubDivision(club)); }

    // The division each club of the country should hold after the season end
    // by the count tables: up to the promotion count, down from the bottom.
    static std::vector<int> ExpectedDivisions(int country) {
        std::vector<int> expected(kClubCount, -1);
        for (int d = 0; d < kDivisionCount; ++d) {
            const int clubs = DivisionLayout[country][d].clubs;
            for (int place = 0; place < clubs; ++place) {
                int target = d;
                if (d > 0 && place < PromotionCount[country][d]) target = d - 1;
                if (place >= clubs - RelegationCount[country][d]) target = d + 1;
                expected[At(country, d, place)] = target;
            }
        }
        return expected;
    }

    static int CountDivision(int country, int division) {
        int n = 0;
        for (int16_t club = 0; club < kClubCount; ++club) {
            n += GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(country) &&
                 GetClubDivision(club) == uint16_t(division);
        }
        return n;
    }

    void SetResult(int homeGoals, int awayGoals, int homeShootOut = 0, int awayShootOut = 0) {
        recbits::StoreU16(result_->teams[0].bytes + kReportGoals, uint16_t(homeGoals));
        recbits::StoreU16(result_->teams[1].bytes + kReportGoals, uint16_t(awayGoals));
        recbits::StoreU16(result_->teams[0].bytes + kReportShootOutGoals, uint16_t(homeShootOut));
        recbits::StoreU16(result_->teams[1].bytes + kReportShootOutGoals, uint16_t(awayShootOut));
    }
    static void StoreScore(int slot, int home, int away) {
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | uint32_t(home) | uint32_t(away) << 5);
    }
    static int SlotOf(int type, int16_t home, int16_t away) {
        for (int slot = 0; slot < UsedSlots(); ++slot) {
            const FixtureHead h = HeadOf(slot);
            if (h.type == type && h.home == home && h.away == away) return slot;
        }
        return -1;
    }

    std::unique_ptr<MatchResultBlock> result_;
};

TEST_F(SeasonEndTest, TitlesPromotionAndRelegationFollowTheCountTables) {
    MakeUserClub(At(0, 0, 19));  // relegation news goes to the user alone
    for (int country = 0; country < kCountryCount; ++country) {
        std::vector<int> expected = ExpectedDivisions(country);
        // The exceptions that move two divisions.
        if (country == 2) {
            expected[At(2, 3, 0)] = 1;
            expected[At(2, 1, 17)] = expected[At(2, 1, 19)] = 3;
        }
        if (country == 3) {
            expected[At(3, 3, 0)] = expected[At(3, 3, 1)] = 1;
            expected[At(3, 1, 15)] = expected[At(3, 1, 17)] = 3;
        }
        LeagueSeasonEnd(int16_t(country));
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (expected[club] < 0) continue;
            EXPECT_EQ(DivisionOf(club), expected[club]) << "country " << country << " club " << club;
        }
        EXPECT_EQ(DivisionOf(At(country, 0, 0)), 0) << "the champion stays";
        for (int d = 0; d < kDivisionCount; ++d) {
            if (DivisionLayout[country][d].clubs == 0) continue;
            const int champion = d < 4 ? d + 1 : 28 + 2 * (d - 4);
            const int runnerUp = d < 4 ? d + 5 : 29 + 2 * (d - 4);
            EXPECT_EQ(HonoursTable[country][0].words[HonourWord(champion)], At(country, d, 0));
            EXPECT_EQ(HonoursTable[country][0].words[HonourWord(runnerUp)], At(country, d, 1));
            EXPECT_TRUE(Received(At(country, d, 0), d == 0 ? 40 : 41)) << country << " " << d;
        }
    }
    // Country 2's relegated clubs alternate between divisions 2 and 3.
    EXPECT_EQ(DivisionOf(At(2, 1, 16)), 2);
    EXPECT_EQ(DivisionOf(At(2, 1, 18)), 2);
    EXPECT_TRUE(Received(At(0, 1, 1), 42));
    EXPECT_TRUE(Received(At(0, 0, 19), 45));
}

TEST_F(SeasonEndTest, CountryFourOnlyAwardsItsTitles) {
    LeagueSeasonEnd(4);
    for (int d = 0; d < 2; ++d) {
        for (int place = 0; place < DivisionLayout[4][d].clubs; ++place)
            EXPECT_EQ(DivisionOf(At(4, d, place)), d);
        EXPECT_EQ(HonoursTable[4][0].words[HonourWord(d + 1)], At(4, d, 0));
    }
    for (int d = 0; d < kDivisionCount; ++d) {
        for (int i = 0; i < kPlayOffEntries; ++i) {
            EXPECT_EQ(PlayOffSlots(4, d)[i], -1);
            EXPECT_EQ(GetPlacesRecordWord(4, PlayOffRuleWord(d, i)), -1);
        }
    }
    EXPECT_EQ(UsedSlots(), 0);
}

TEST_F(SeasonEndTest, PlayOffEntrantsAndSemiFinalsBySyle) {
    LeagueSeasonEnd(0);
    LeagueSeasonEnd(2);
    LeagueSeasonEnd(5);
    // Country 0: places 3-6 of divisions 1-4, two legs on days 314 and 317.
    for (int d = 1; d <= 4; ++d) {
        const int16_t* s = PlayOffSlots(0, d);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(s[i], At(0, d, PromotionCount[0][d] + i));
            int16_t mark;
            EXPECT_EQ(HVW_GetEuroPlaceClub(int16_t(d), &mark, int16_t(i), 0), s[i])
                << "as the screens read it";
            EXPECT_TRUE(Received(s[i], 44));
        }
        EXPECT_NE(SlotOf(kCompPlayOffFirst, s[3], s[0]), -1);
        EXPECT_NE(SlotOf(kCompPlayOffFirst, s[2], s[1]), -1);
        EXPECT_EQ(HeadOf(SlotOf(kCompPlayOffFirst, s[3], s[0])).day, kEndDay + 14);
        EXPECT_EQ(HeadOf(SlotOf(kCompPlayOffSecond, s[0], s[3])).day, kEndDay + 17);
        EXPECT_NE(SlotOf(kCompPlayOffSecond, s[1], s[2]), -1);
    }
    // Country 2: places 2-5 of divisions 2 and 3, single matches.
    for (int d = 2; d <= 3; ++d) {
        const int16_t* s = PlayOffSlots(2, d);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(s[i], At(2, d, 1 + i));
        EXPECT_EQ(HeadOf(SlotOf(kCompPlayOffFirst, s[0], s[2])).day, kEndDay + 14);
        EXPECT_NE(SlotOf(kCompPlayOffFirst, s[1], s[3]), -1);
        EXPECT_EQ(SlotOf(kCompPlayOffSecond, s[0], s[2]), -1);
    }
    // Country 5: two of division 0 above its relegation places, then two of
    // division 1 below its champion.
    const int16_t* s = PlayOffSlots(5, 1);
    EXPECT_EQ(s[0], At(5, 0, 14));
    EXPECT_EQ(s[1], At(5, 0, 15));
    EXPECT_EQ(s[2], At(5, 1, 1));
    EXPECT_EQ(s[3], At(5, 1, 2));
    for (int d : {0, 2, 3, 4, 5}) EXPECT_EQ(PlayOffSlots(5, d)[0], -1);
}

TEST_F(SeasonEndTest, FinalsPairTheFirstTwoEntrantsLeftOnTheirDays) {
    LeagueSeasonEnd(0);
    ClearPlayOffLoser(0, PlayOffSlots(0, 1)[0]);
    ClearPlayOffLoser(0, PlayOffSlots(0, 1)[2]);
    ClearPlayOffLoser(0, PlayOffSlots(0, 2)[1]);  // one semi-final not settled yet
    for (int i = 0; i < 3; ++i) ClearPlayOffLoser(0, PlayOffSlots(0, 3)[i]);
    std::array<int16_t, 4> four;
    std::copy(PlayOffSlots(0, 4), PlayOffSlots(0, 4) + 4, four.begin());
    PlayOffEntrants[0][4][1] = -1;  // an empty place is passed over
    SeasonCalendar.currentDay = kEndDay + 17;
    DebugSetLevel(DEBUG_GENERAL, 1);
    StdoutCapture log;
    AddPlayOffFinals(0);
    EXPECT_NE(log.Text().find("country 0 division 3 has 1 clubs left, no final"), std::string::npos);
    DebugSetLevel(DEBUG_GENERAL, 0);
    const int16_t* one = PlayOffSlots(0, 1);
    const int16_t* two = PlayOffSlots(0, 2);
    EXPECT_EQ(HeadOf(SlotOf(kCompPlayOffFinal, one[1], one[3])).day, kEndDay + 30);
    EXPECT_EQ(HeadOf(SlotOf(kCompPlayOffFinal, two[0], two[2])).day, kEndDay + 29);
    EXPECT_EQ(HeadOf(SlotOf(kCompPlayOffFinal, four[0], four[2])).day, kEndDay + 27);
    EXPECT_TRUE(FixtureScore(SlotOf(kCompPlayOffFinal, four[0], four[2])) & kFixtureNeutralBit);
    int finals = 0;
    for (int slot = 0; slot < UsedSlots(); ++slot) finals += FixtureType(slot) == kCompPlayOffFinal;
    EXPECT_EQ(finals, 3);
}

TEST_F(SeasonEndTest, RelegatedPlayersWithAReleaseClauseAskToLeave) {
    const int16_t down = At(7, 0, 17);
    SetClubRep(down, 10);
    const uint16_t withClause = 3, without = 4, loanedIn = 5, manager = 6;
    for (uint16_t p : {withClause, without, loanedIn, manager}) {
        SetPlayerClub(p, down);
        SetPlayerLoanClub(p, down);
        SetPlayerMorale(p, 40);
        SetPlayerFans(p, 30);
        SetPlayerPosition(p, 4);
        SetPlayerClause2(p, 1);
    }
    SetPlayerClause2(without, 0);
    SetPlayerClub(loanedIn, At(7, 0, 0));
    SetPlayerPosition(manager, 13);
    MakeUserClub(down);
    LeagueSeasonEnd(7);
    EXPECT_EQ(DivisionOf(down), 1);
    EXPECT_EQ(GetClubRep(down), 8u);
    for (uint16_t p : {withClause, loanedIn}) {
        EXPECT_EQ(GetPlayerTxReq(p), 1u);
        EXPECT_EQ(GetPlayerTxList(p), 1u);
        EXPECT_EQ(GetPlayerMorale(p), 0u);
        EXPECT_LT(GetPlayerFans(p), 30u);
    }
    for (uint16_t p : {without, manager}) {
        EXPECT_EQ(GetPlayerTxReq(p), 0u);
        EXPECT_EQ(GetPlayerMorale(p), 40u);
    }
    EXPECT_TRUE(Received(down, 97));
    EXPECT_TRUE(Received(down, 45));
}

TEST_F(SeasonEndTest, CountryThreeClosesWithChampionAgainstCupWinner) {
    const int16_t cupWinner = At(3, 1, 5);
    HonoursTable[3][0].words[0] = cupWinner;
    // A cup match in the way finds no day before the league end day, which
    // has passed: it stays, and the closing match is still made.
    AddFixture(kEndDay + 14, CupCode(1, 3), cupWinner, At(3, 1, 6), 0);
    LeagueSeasonEnd(3);
    const int16_t champion = At(3, 0, 0);
    const int closer = SlotOf(kCompChampionVsCupWinner, champion, cupWinner);
    ASSERT_NE(closer, -1);
    EXPECT_EQ(HeadOf(closer).day, kEndDay + 14);
    EXPECT_TRUE(FixtureScore(closer) & kFixtureNeutralBit);
    EXPECT_EQ(HeadOf(SlotOf(CupCode(1, 3), cupWinner, At(3, 1, 6))).day, kEndDay + 14);
    EXPECT_FALSE(Received(cupWinner, 147));

    // The champion won the cup too: the runner-up comes instead.
    SetUp();
    HonoursTable[3][0].words[0] = At(3, 0, 0);
    LeagueSeasonEnd(3);
    EXPECT_NE(SlotOf(kCompChampionVsCupWinner, At(3, 0, 0), At(3, 0, 1)), -1);
    // No cup winner: no match.
    SetUp();
    LeagueSeasonEnd(3);
    EXPECT_EQ(UsedSlots(), 0);
}

// Every outcome of every play-off: the two semi-finals and the final, each
// won by either side; then the next season's correction.
class PlayOffOutcomeTest : public SeasonEndTest {
  protected:
    // Plays one division's play-offs: bit 0 and 1 pick the semi-final
    // winners, bit 2 the final's.
    void PlayDivision(int country, int division, int outcome) {
        const int16_t* s = PlayOffSlots(country, division);
        const std::array<int16_t, 4> e{s[0], s[1], s[2], s[3]};
        const bool single = PlayOffStyle[country][division] == 2;
        const int16_t pairs[2][2] = {{e[0], single ? e[2] : e[3]}, {e[1], single ? e[3] : e[2]}};
        for (int semi = 0; semi < 2; ++semi) {
            const int16_t home = pairs[semi][0], away = pairs[semi][1];
            const bool homeWins = (outcome >> semi & 1) == 0;
            int slot;
            if (single) {
                slot = SlotOf(kCompPlayOffFirst, home, away);
            } else {
                StoreScore(SlotOf(kCompPlayOffFirst, away, home), 1, 1);
                slot = SlotOf(kCompPlayOffSecond, home, away);
            }
            ASSERT_NE(slot, -1);
            SetResult(homeWins ? 2 : 0, homeWins ? 0 : 2);
            const int16_t winner = TieWinner(*result_, int16_t(slot), 1);
            ASSERT_EQ(winner, homeWins ? home : away);
            ClearPlayOffLoser(int16_t(country), homeWins ? away : home);
        }
    }

    void PlayFinals(int country, const std::vector<std::pair<int, int>>& outcomes) {
        SeasonCalendar.currentDay = kEndDay + 17;
        AddPlayOffFinals(int16_t(country));
        for (auto [division, outcome] : outcomes) {
            const int16_t* s = PlayOffSlots(country, division);
            std::vector<int16_t> left;
            for (int i = 0; i < 4; ++i) {
                if (s[i] >= 0) left.push_back(s[i]);
            }
            ASSERT_EQ(left.size(), 2u);
            const int slot = SlotOf(kCompPlayOffFinal, left[0], left[1]);
            ASSERT_NE(slot, -1);
            const bool homeWins = (outcome >> 2 & 1) == 0;
            SetResult(1, 1, homeWins ? 5 : 3, homeWins ? 3 : 5);
            ResolvePlayOff(*result_, int16_t(slot), 0);
        }
    }
};

TEST_F(PlayOffOutcomeTest, EveryOutcomeLeavesEveryDivisionAtItsSizeAfterTheCorrection) {
    const std::vector<std::pair<int, std::vector<int>>> playOffs = {{0, {1, 2, 3, 4}}, {2, {2, 3}}, {5, {1}}};
    for (const auto& [country, divisions] : playOffs) {
        for (int tested : divisions) {
            for (int outcome = 0; outcome < 8; ++outcome) {
                SetUp();
                LeagueSeasonEnd(int16_t(country));
                std::vector<std::pair<int, int>> outcomes;
                for (int d : divisions) {
                    const int o = d == tested ? outcome : 0;
                    PlayDivision(country, d, o);
                    outcomes.push_back({d, o});
                }
                PlayFinals(country, outcomes);
                if (HasFatalFailure()) return;
                std::vector<int> before(kClubCount);
                for (int16_t club = 0; club < kClubCount; ++club) before[club] = DivisionOf(club);
                const int corrected = RestoreDivisionSizes();
                for (int c = 0; c < kCountryCount; ++c) {
                    for (int d = 0; d < kDivisionCount; ++d)
                        EXPECT_EQ(CountDivision(c, d), DivisionLayout[c][d].clubs)
                            << "country " << country << " division " << tested << " outcome " << outcome;
                }
                if (country != 5) {
                    EXPECT_EQ(corrected, 0)
                        << "country " << country << " division " << tested << " outcome " << outcome;
                } else {
                    // Two division-1 clubs in the final leave 18 and 18; any
                    // other final 17 and 19, and one club goes up.
                    const bool divisionOneFinal = (outcome & 3) == 3;
                    EXPECT_EQ(corrected, divisionOneFinal ? 0 : 1) << "outcome " << outcome;
                    for (int16_t club = 0; club < kClubCount; ++club) {
                        if (GetClubNation(club) == 5 || GetClubRep(club) == 0) continue;
                        EXPECT_EQ(DivisionOf(club), before[club]);
                    }
                }
            }
        }
    }
}

TEST_F(SeasonEndTest, TheCorrectionFillsAndEmptiesDivisionsByLastSeasonsPlaces) {
    // Country 8: two clubs of division 1 have joined division 0.
    SetClubDivision(At(8, 1, 0), 0);
    SetClubDivision(At(8, 1, 1), 0);
    MakeUserClub(At(8, 0, 17));
    EXPECT_EQ(RestoreDivisionSizes(), 2);
    EXPECT_EQ(DivisionOf(At(8, 0, 17)), 1) << "the lowest-placed club that played in the division";
    EXPECT_EQ(DivisionOf(At(8, 0, 16)), 1);
    EXPECT_EQ(DivisionOf(At(8, 0, 15)), 0);
    EXPECT_EQ(DivisionOf(At(8, 1, 0)), 0) << "clubs that have just come up stay";
    EXPECT_TRUE(Received(At(8, 0, 17), 45));
    EXPECT_EQ(CountDivision(8, 0), 18);
    EXPECT_EQ(CountDivision(8, 1), 18);

    // Country 6: a club of division 1 gone, so division 1 takes the best of
    // division 2, which takes the nation's best non-league club.
    SetUp();
    SetClubNation(At(6, 1, 3), 20);
    MakeClub(1100, 6, 3, 20);
    MakeClub(1101, 6, 4, 30);
    MakeClub(1102, 7, 3, 40);  // another nation's
    EXPECT_EQ(RestoreDivisionSizes(), 2);
    EXPECT_EQ(DivisionOf(At(6, 2, 0)), 1);
    EXPECT_EQ(DivisionOf(1101), 2);
    EXPECT_EQ(DivisionOf(1100), 3);
    EXPECT_TRUE(Received(1101, 42));
}

TEST(TieWinnerTest, AggregateAwayGoalsAndShootOuts) {
    ClearFixtureTable();
    auto block = std::make_unique<MatchResultBlock>();
    auto result = [&](int h, int a, int hs = 0, int as = 0) -> const MatchResultBlock& {
        recbits::StoreU16(block->teams[0].bytes + kReportGoals, uint16_t(h));
        recbits::StoreU16(block->teams[1].bytes + kReportGoals, uint16_t(a));
        recbits::StoreU16(block->teams[0].bytes + kReportShootOutGoals, uint16_t(hs));
        recbits::StoreU16(block->teams[1].bytes + kReportShootOutGoals, uint16_t(as));
        return *block;
    };
    const int16_t first = AddFixture(10, kCompPlayOffFirst, 2, 1, 0);
    const int16_t second = AddFixture(13, kCompPlayOffSecond, 1, 2, 0);
    uint8_t* word = FixtureTable[first].bytes + kFixtureScoreWord;
    recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | 2u | 1u << 5);  // club 2 won 2-1 at home
    EXPECT_EQ(TieWinner(result(2, 0), second, 0), 1);                            // 3-2 on aggregate
    EXPECT_EQ(TieWinner(result(0, 0), second, 0), 2);
    EXPECT_EQ(TieWinner(result(1, 0), second, 0), -1) << "level, no rule, no shoot-out";
    EXPECT_EQ(TieWinner(result(1, 0), second, 1), 1) << "club 1's away goal";
    EXPECT_EQ(TieWinner(result(2, 1), second, 1), -1) << "one away goal each";
    EXPECT_EQ(TieWinner(result(3, 2), second, 1), 2) << "club 2's two away goals";
    EXPECT_EQ(TieWinner(result(1, 0, 3, 4), second, 0), 2);
    EXPECT_EQ(TieWinner(result(1, 0, 5, 4), second, 0), 1);
    // A single match: the score alone.
    const int16_t single = AddFixture(20, kCompPlayOffFinal, 5, 6, 1);
    EXPECT_EQ(TieWinner(result(0, 1), single, 1), 6);
    EXPECT_EQ(TieWinner(result(1, 1), single, 1), -1) << "no away goals in a single match";
}

}  // namespace

namespace {

using BookingTest = SeasonEndTest;

TEST_F(BookingTest, LeagueResultsAndPlayOffSemiFinalsAreBookedByCompetition) {
    auto block = std::make_unique<MatchResultBlock>();
    auto score = [&](int slot, int home, int away) {
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | uint32_t(home) | uint32_t(away) << 5);
        recbits::StoreU16(block->teams[0].bytes + kReportGoals, uint16_t(home));
        recbits::StoreU16(block->teams[1].bytes + kReportGoals, uint16_t(away));
    };
    // A league win: counters and the division's win points.
    const int16_t a = At(0, 0, 0), b = At(0, 0, 1);
    std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
    const int16_t league = AddFixture(10, kCompLeague, a, b, 0);
    score(league, 0, 2);
    BookMatchResult(*block, league, 0);
    EXPECT_EQ(LeagueSeasonRecords[a].words[kSeasonPlayed], 1);
    EXPECT_EQ(LeagueSeasonRecords[a].words[kSeasonHomeLost], 1);
    EXPECT_EQ(LeagueSeasonRecords[b].words[kSeasonAwayWon], 1);
    EXPECT_EQ(LeagueSeasonRecords[b].words[kSeasonAwayFor], 2);
    EXPECT_EQ(LeagueSeasonRecords[b].words[kSeasonPoints], DivisionMatchRules[0][0][kRuleWinPoints]);
    // A club outside the league rows wins no points.
    SetClubDivision(a, 7);
    const int16_t outside = AddFixture(11, kCompLeague, a, b, 0);
    score(outside, 1, 0);
    BookMatchResult(*block, outside, 0);
    EXPECT_EQ(LeagueSeasonRecords[a].words[kSeasonPoints], 0);
    EXPECT_EQ(LeagueSeasonRecords[a].words[kSeasonHomeWon], 1);

    // Country 2's single-match semi-finals knock the loser out at once;
    // country 0's first legs do not.
    LeagueSeasonEnd(2);
    LeagueSeasonEnd(0);
    const int16_t* two = PlayOffSlots(2, 2);
    const int16_t loser2 = two[2];
    const int semi = SlotOf(kCompPlayOffFirst, two[0], two[2]);
    score(semi, 3, 0);
    BookMatchResult(*block, int16_t(semi), 0);
    EXPECT_EQ(two[2], -1);
    EXPECT_NE(loser2, -1);
    const int16_t* zero = PlayOffSlots(0, 1);
    const int16_t firstLegHome = zero[3];
    const int firstLeg = SlotOf(kCompPlayOffFirst, zero[3], zero[0]);
    score(firstLeg, 3, 0);
    BookMatchResult(*block, int16_t(firstLeg), 0);
    EXPECT_EQ(zero[0], At(0, 1, 2)) << "a first leg decides nothing";
    EXPECT_EQ(zero[3], firstLegHome);
    const int secondLeg = SlotOf(kCompPlayOffSecond, zero[0], zero[3]);
    score(secondLeg, 1, 0);
    BookMatchResult(*block, int16_t(secondLeg), 1);
    EXPECT_EQ(zero[0], -1) << "3-1 on aggregate";
}

}  // namespace
