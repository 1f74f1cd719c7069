// The quick result prediction: worked values, fatal draws and a batch of
// seeded fixtures between clubs of the generated world.
#include "core/match/qpredict.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/match/matchresult.h"
#include "core/match/qpredictreport.h"
#include "core/match/qpredictteam.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "tests/core/match/predict_setup.h"
#include "tests/fakes/result_check.h"
#include "tests/fakes/world_records.h"

namespace {

using namespace gameinfo;
using predicttest::ClubSide;

TEST(QPredictRescaleTest, HighTopsSqueezeMiddleTopsStretch) {
    EXPECT_EQ(QPredictRescaleRating(100, 100), 98);  // (100 - 60) x 38 / 40 + 60
    EXPECT_EQ(QPredictRescaleRating(80, 100), 79);
    EXPECT_EQ(QPredictRescaleRating(60, 100), 60);  // 60 and below stay
    EXPECT_EQ(QPredictRescaleRating(96, 96), 98);
    EXPECT_EQ(QPredictRescaleRating(70, 70), 98);  // (70 - 40) x 58 / 30 + 40
    EXPECT_EQ(QPredictRescaleRating(55, 70), 69);
    EXPECT_EQ(QPredictRescaleRating(40, 70), 40);
    EXPECT_EQ(QPredictRescaleRating(84, 84), 98);
    EXPECT_EQ(QPredictRescaleRating(88, 90), 88);  // 85..95 left alone
    EXPECT_EQ(QPredictRescaleRating(30, 40), 30);
}

TEST(QPredictScoreStateTest, LevelLeadingTrailingAndTimeLeft) {
    EXPECT_EQ(QPredictScoreState(0, 0), 0);  // level: no division
    EXPECT_EQ(QPredictScoreState(0, 25), 0);
    EXPECT_EQ(QPredictScoreState(1, 30), 2);
    EXPECT_EQ(QPredictScoreState(-1, 30), 1);
    EXPECT_EQ(QPredictScoreState(-1, 31), 0);  // 31 minutes to pull one back
    EXPECT_EQ(QPredictScoreState(-2, 61), 1);  // the difference counts as its size
    EXPECT_EQ(QPredictScoreState(2, 62), 0);
    EXPECT_EQ(QPredictScoreState(3, -4), 2);  // past the end of the period
}

class QPredictTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        sides_ = new std::vector<ClubSide>(predicttest::PickAllSides(5));
        ASSERT_GT(sides_->size(), 100u);
    }
    static void TearDownTestSuite() { delete sides_; }

    void Play(const ClubSide& home, const ClubSide& away, const predicttest::FixtureRules& rules,
              uint32_t seed) {
        predicttest::FillFixture(GetMatchSetupBlock(), home, away, rules);
        GameSeedRandom(seed);
        QPredict2(home.club, away.club, rules.competition, rules.extraTime, rules.goldenGoal, rules.penalties,
                  1, 7);
    }
    static int Goals(int team) { return recbits::LoadU16(MatchResult.teams[team].bytes + kReportGoals); }
    static int ShootOut(int team) {
        return recbits::LoadU16(MatchResult.teams[team].bytes + kReportShootOutGoals);
    }
    static int Rating(int team, int entry) {
        return int16_t(recbits::LoadU16(MatchResult.teams[team].bytes + kReportPlayers +
                                        entry * kPlayerReportSize + kPlayerRating));
    }

    static std::vector<ClubSide>* sides_;
};
std::vector<ClubSide>* QPredictTest::sides_ = nullptr;

TEST_F(QPredictTest, InjuryTypesFollowTheFoulCountAndTheSeriousLimit) {
    predicttest::FillFixture(GetMatchSetupBlock(), (*sides_)[0], (*sides_)[1], {});
    QPredictSetUpSquads(GetMatchSetupBlock(), (*sides_)[0].club, (*sides_)[1].club);
    const int tableA[6][4] = {{31, 32, 32, 21}, {23, 35, 22, 34}, {24, 36, 24, 36},
                              {19, 20, 19, 20}, {12, 12, 12, 12}, {27, 18, 27, 18}};
    const int tableB[6][3] = {{15, 37, 26}, {33, 30, 16}, {25, 14, 11},
                              {17, 17, 13}, {10, 9, 9},   {29, 28, 28}};
    QPredict.teams[0].seriousInjuryLimit = 2;
    for (int fouls = 0; fouls <= 8; ++fouls) {
        const int row = std::clamp(fouls, 1, 6) - 1;
        for (int i = 0; i < 200; ++i) {
            QPredict.teams[0].seriousInjuries = 0;
            QPredict.players[0][3].foulsSuffered = int16_t(fouls);
            const int type = QPredictInjuryType(0, 3);
            bool inRow = false;
            for (int c = 0; c < 4; ++c) inRow |= type == tableA[row][c];
            for (int c = 0; c < 3; ++c) inRow |= type == tableB[row][c];
            ASSERT_TRUE(inRow) << "fouls " << fouls << " type " << type;
        }
    }
    // With the limit reached a serious type turns into a mild one.
    QPredict.teams[0].seriousInjuryLimit = 0;
    QPredict.players[0][3].foulsSuffered = 1;  // row 1: 15, 37 and 26 are serious
    for (int i = 0; i < 300; ++i) {
        const int type = QPredictInjuryType(0, 3);
        EXPECT_LE(InjurySeverity(type), 5) << type;
        EXPECT_EQ(QPredict.teams[0].seriousInjuries, 0);
    }
}

TEST_F(QPredictTest, SetPieceTakersOnThePitchOrPickedAfresh) {
    predicttest::FillFixture(GetMatchSetupBlock(), (*sides_)[0], (*sides_)[1], {});
    QPredictSetUpSquads(GetMatchSetupBlock(), (*sides_)[0].club, (*sides_)[1].club);
    QPredictTeam& team = QPredict.teams[1];
    team.penaltyTaker = 4;
    EXPECT_EQ(QPredictSetPieceTaker(1, true), 4);
    QPredict2_TakeOff(1, 4, kQpReplaced, 70);  // a late substitution keeps his roles
    const int16_t taker = QPredictSetPieceTaker(1, true);
    EXPECT_NE(taker, 4);
    EXPECT_EQ(QPredict.players[1][taker].outCode, kQpOnPitch);
    EXPECT_EQ(team.penaltyTaker, taker);
    team.freeKickTaker = -1;
    EXPECT_GE(QPredictSetPieceTaker(1, false), 1);
    // Only the keeper left: nobody takes it.
    for (int p = 1; p < kQpSquadPlaces; ++p) QPredict.players[1][p].outCode = kQpSentOff;
    team.freeKickTaker = -1;
    EXPECT_EQ(QPredictSetPieceTaker(1, false), -1);
}

TEST_F(QPredictTest, SameSeedSameFixtureSameResultBlock) {
    predicttest::FixtureRules rules;
    rules.competition = 5;
    rules.extraTime = rules.penalties = 1;
    Play((*sides_)[10], (*sides_)[20], rules, 1234);
    std::vector<uint8_t> first(
        reinterpret_cast<uint8_t*>(&MatchResult),
        reinterpret_cast<uint8_t*>(&MatchResult) + offsetof(MatchResultBlock, minutes));
    Play((*sides_)[10], (*sides_)[20], rules, 1234);
    EXPECT_EQ(0, std::memcmp(first.data(), &MatchResult, first.size()));
}

TEST_F(QPredictTest, ReportRecordsPackAndTheFullListDrops) {
    std::array<uint32_t, kQpReportFieldCount> v{};
    for (int f = 0; f < kQpReportFieldCount; ++f) v[f] = (1u << kQpReportFieldBits[f]) - 1 - (f % 2);
    v[kQpFieldClub] = 1199;
    v[kQpFieldOtherClub] = 1024;
    const QpReportRecord record = QpPackReport(v);
    for (int f = 0; f < kQpReportFieldCount; ++f) EXPECT_EQ(QpReportValue(record, f), v[f]) << f;
    QpClearReports();
    for (int i = 0; i < kQpReportCapacity; ++i) ASSERT_TRUE(QpAddReport(record));
    EXPECT_FALSE(QpAddReport(record));
    EXPECT_EQ(QpReportCount, kQpReportCapacity);
    QpClearReports();
    EXPECT_EQ(QpReportCount, 0);
}

TEST_F(QPredictTest, GoldenGoalEndsExtraTimeAndCancelsTheShootOut) {
    predicttest::FixtureRules rules;
    rules.competition = 21;
    rules.extraTime = rules.penalties = rules.goldenGoal = 1;
    int golden = 0;
    for (uint32_t seed = 1; seed < 400 && golden < 5; ++seed) {
        Play((*sides_)[seed % sides_->size()], (*sides_)[(seed * 7 + 3) % sides_->size()], rules, seed);
        if (QPredictFinalMinute > 90 && QPredictFinalMinute < 120) {
            ++golden;
            EXPECT_EQ(std::abs(Goals(0) - Goals(1)), 1);
            EXPECT_EQ(ShootOut(0) + ShootOut(1), 0);
        }
    }
    EXPECT_GT(golden, 0);
}

// A team's bookings and missed penalties in the event list: every booked
// player once, at the minute of his first caution, and each listed missed
// penalty under its own kind, never as a booking.  Returns the misses.
int CheckBookingAndMissEvents(int team) {
    const QPredictTeam& t = QPredict.teams[team];
    int booked = 0, bookings = 0, misses = 0;
    for (int p = 0; p < t.squadSize; ++p)
        booked += QPredict.players[team][p].firstBookingMinute != kQpNotBooked;
    for (const auto& event : MatchResult.events) {
        if (event[kEventKind] == kEventEnd) break;
        if (recbits::LoadU16(event + kEventTeam) != team) continue;
        const uint16_t id = recbits::LoadU16(event + kEventPlayer);
        const int minute = recbits::LoadU16(event + kEventMinute);
        if (event[kEventKind] == kEventPenaltyMissed) {
            ++misses;
            EXPECT_EQ(id, QPredict.players[team][t.penaltyMisses[misses - 1].taker].id);
        }
        if (event[kEventKind] != kEventBooking) continue;
        ++bookings;
        int holder = -1;
        for (int p = 0; p < t.squadSize; ++p) holder = QPredict.players[team][p].id == id ? p : holder;
        EXPECT_GE(holder, 0) << "a booking of a player not in the squad";
        if (holder >= 0) {
            const QPredictPlayer& player = QPredict.players[team][holder];
            EXPECT_GE(player.cardState, 1);
            EXPECT_EQ(minute, player.firstBookingMinute);
        }
    }
    EXPECT_EQ(bookings, booked);
    EXPECT_EQ(misses, std::min<int>(t.penaltyMissCount, kQpPenaltyMissListSize));
    return misses;
}

TEST_F(QPredictTest, BatchOfSeededFixturesBetweenWorldClubs) {
    QpClearReports();
    const auto& sides = *sides_;
    int goals = 0, goalless = 0, strongerGames = 0, strongerWins = 0, missedPenalties = 0;
    for (uint32_t n = 0; n < 10000; ++n) {
        GameSeedRandom(n * 2654435761u + 17);
        const ClubSide& home = sides[GameRandom() % sides.size()];
        const ClubSide& away = sides[GameRandom() % sides.size()];
        if (home.club == away.club) continue;
        predicttest::FixtureRules rules;
        rules.substitutes = int(n % 6);
        if (n % 3 == 1) {
            rules.competition = 21;
            rules.extraTime = rules.penalties = 1;
        } else if (n % 3 == 2) {
            rules.competition = 69;
            rules.extraTime = rules.penalties = rules.awayGoals = 1;
            rules.oldGoals[0] = int16_t(n % 3);
        }
        Play(home, away, rules, n);
        SCOPED_TRACE("fixture " + std::to_string(n));
        ASSERT_EQ(CheckPlayedResult(MatchResult), "");
        for (int t = 0; t < 2; ++t) missedPenalties += CheckBookingAndMissEvents(t);
        const int g0 = Goals(0), g1 = Goals(1);
        goals += g0 + g1;
        goalless += g0 + g1 == 0;
        if (rules.extraTime) {
            const bool level =
                rules.awayGoals ? g0 + rules.oldGoals[0] == g1 && rules.oldGoals[0] == g1 : g0 == g1;
            if (level) {
                ASSERT_NE(ShootOut(0), ShootOut(1));
            }
        }
        int injured = 0, top = 0, topCount = 0, topTeam = -1;
        uint16_t topId = 0;
        for (int t = 0; t < 2; ++t) {
            const QPredictTeam& team = QPredict.teams[t];
            ASSERT_LE(team.substitutions, 3);
            // Without a bench nobody is taken off for a substitute.
            if (team.squadSize == 11) {
                for (int p = 0; p < 11; ++p) ASSERT_NE(QPredict.players[t][p].outCode, kQpReplaced);
            }
            ASSERT_LE(team.dismissals, 2);
            for (int p = 0; p < kQpSquadPlaces; ++p) {
                const QPredictPlayer& player = QPredict.players[t][p];
                injured += player.injuredFlag != 0;
                if (player.id != 0) {
                    // The record's injury byte is the injury's type: above 0 only for him.
                    const uint8_t* entry = MatchPlayerReport(t, p);
                    ASSERT_EQ(int8_t(entry[kStatsInjured]), player.injuryType);
                    ASSERT_EQ(player.injuryType > 0, player.injuredFlag != 0);
                }
                if (player.cardState == 3) {
                    ASSERT_GE(player.minuteOff, 10);
                }
                if (player.id == 0 || player.minuteOff <= player.minuteOn) {
                    ASSERT_EQ(Rating(t, p), 0);
                    continue;
                }
                const int r = Rating(t, p);
                if (r > top) top = r, topCount = 0, topTeam = t, topId = player.id;
                topCount += r == top;
            }
        }
        ASSERT_LE(injured, 2);
        ASSERT_EQ(topCount, 1);
        // The one top-rated player is his side's man of the match.
        ASSERT_EQ(recbits::LoadU16(MatchResult.teams[topTeam].bytes + kReportManOfTheMatch), topId);
        ASSERT_EQ(recbits::LoadU16(MatchResult.teams[1 - topTeam].bytes + kReportManOfTheMatch), 0xFFFF);
        const int diff = home.meanStarterOverall - away.meanStarterOverall;
        if (std::abs(diff) >= 20) {
            ++strongerGames;
            strongerWins += diff > 0 ? g0 > g1 : g1 > g0;
        }
    }
    const double meanGoals = goals / 10000.0;
    EXPECT_GE(meanGoals, 1.5);
    EXPECT_LE(meanGoals, 4.5);
    EXPECT_GE(goalless, 400);
    EXPECT_LE(goalless, 1500);
    ASSERT_GT(strongerGames, 50);
    EXPECT_GE(strongerWins * 100, 60 * strongerGames) << strongerWins << " of " << strongerGames;
    EXPECT_GT(QpReportCount, 0);
    EXPECT_GT(missedPenalties, 0);
}

// A penalty given against the user's club is told in his mail under the
// message id the caller names; an id that names no message tells nothing,
// and his mail stays as it was.
TEST_F(QPredictTest, APenaltyAgainstTheUsersClubIsToldOnlyUnderAMessageNumber) {
    const auto& sides = *sides_;
    const ClubSide& home = sides[0];
    const ClubSide& away = sides[1];
    const uint16_t keptClub = GetPlayerClub(1);
    SetPlayerClub(1, uint16_t(home.club));
    // The mail as it stood: a mark in every byte, which a posted message
    // (or a blank one pushed in) changes.
    const auto postedUnder = [&](int16_t id) {
        std::memset(UserInbox, 0x11, sizeof UserInbox);
        std::memset(MessageArchive[home.club], 0x11, sizeof MessageArchive[home.club]);
        for (uint32_t n = 0; n < 300; ++n) {
            predicttest::FillFixture(GetMatchSetupBlock(), home, away, predicttest::FixtureRules{});
            GameSeedRandom(n);
            QPredict2(home.club, away.club, 0, 0, 0, 0, 0, id);
        }
        int posted = 0;
        for (const MessageRecord* store : {UserInbox, MessageArchive[home.club]}) {
            for (int slot = 0; slot < kArchiveSlots; ++slot)
                posted += recbits::LoadU16(store[slot].bytes + kMsgType) != 0x1111;
        }
        return posted;
    };
    EXPECT_GT(postedUnder(kMsgPostponed), 0);
    EXPECT_EQ(postedUnder(-1), 0);
    EXPECT_EQ(postedUnder(kMessageTypeCount), 0);
    SetPlayerClub(1, keptClub);
}

using QPredictDeathTest = QPredictTest;

TEST_F(QPredictDeathTest, ATeamWithNobodyToDrawEndsWithItsMessage) {
    // Nothing here starts a thread, so the dying children are forked as
    // they stand instead of starting over and loading the world again.
    GTEST_FLAG_SET(death_test_style, "fast");
    predicttest::FillFixture(GetMatchSetupBlock(), (*sides_)[0], (*sides_)[1], {});
    QPredictSetUpSquads(GetMatchSetupBlock(), (*sides_)[0].club, (*sides_)[1].club);
    for (int p = 1; p < kQpSquadPlaces; ++p) QPredict.players[1][p].outCode = kQpSentOff;
    const std::string club = std::to_string((*sides_)[1].club);
    // The message goes to standard output; the death test reads standard
    // error, so the child sends one into the other.
    const auto toStderr = [] { dup2(2, 1); };
    EXPECT_EXIT((toStderr(), QPredict2_FindGuiltyPlayer(1)), testing::ExitedWithCode(1),
                "Player count error for team " + club + " in QPredict2_FindGuiltyPlayer\\(\\)");
    EXPECT_EXIT((toStderr(), QPredict2_FindPlayerForScoringChance(1, -1, 8)), testing::ExitedWithCode(1),
                "Player count error for team " + club + " in QPredict2_FindPlayerForScoringChance\\(\\)");
    EXPECT_EXIT((toStderr(), QPredict2_FindOwnGoalScorer(1)), testing::ExitedWithCode(1),
                "QPredict2_FindOwnGoalScorer");
    EXPECT_EXIT((toStderr(), QPredict2_FindScoringChanceCreator(1)), testing::ExitedWithCode(1),
                "QPredict2_FindScoringChanceCreator");
    EXPECT_EXIT((toStderr(), QPredict2_FindPlayerForInjuryChance(1)), testing::ExitedWithCode(1),
                "QPredict2_FindPlayerForInjuryChance");
    // It is the program's fatal end: the player is shown the message, not
    // only the log.
    CoreHooks hooks;
    hooks.messageBox = [](const char* text) { std::fprintf(stderr, "message box: %s", text); };
    CoreSetHooks(hooks);
    EXPECT_EXIT((toStderr(), QPredict2_FindGuiltyPlayer(1)), testing::ExitedWithCode(1),
                "message box: Player count error for team " + club);
    CoreSetHooks(CoreHooks{});
}

}  // namespace
