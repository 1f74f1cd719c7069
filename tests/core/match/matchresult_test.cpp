#include "core/match/phases.h"
#include "core/match/strikes.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/result_check.h"

namespace {

using namespace gameinfo;

using recbits::LoadU16;

class MatchReportTest : public matchtest::MatchFixture {
  protected:
    void SetUp() override {
        MatchFixture::SetUp();
        ClearHeatMaps();
        PitchGeometry = kDefaultPitch;
        MatchPhase = kPhaseOpenPlay;
        Period = 0;
        Goals[0] = Goals[1] = 0;
        ShootOutGoals[0] = ShootOutGoals[1] = 0;
        MatchResultPredicted = 0;
        for (MatchFigure& f : MatchFigures) f.anim = -1;
    }
    static void Place(int figure, int x, int y) {
        MatchFigures[figure].x = int16_t(x);
        MatchFigures[figure].y = int16_t(y);
        MatchFigures[figure].anim = 0;
    }
    static uint32_t Cell(int map, int column, int row) { return MatchResult.heatMaps[map][row][column]; }
};

TEST_F(MatchReportTest, HeatMapsCountEdgesMirrorHalvesAndFollowTheBall) {
    Place(3, kDefaultPitch.right, kDefaultPitch.top);               // x equal to the pitch width
    Place(20, kDefaultPitch.left, kDefaultPitch.top);               // the top-left corner
    Place(21, kDefaultPitch.left - 50, kDefaultPitch.bottom + 50);  // outside: clamped
    MatchFigures[kBallFigure].x = 796;
    MatchFigures[kBallFigure].y = 1082;
    BallTeam = 1;
    Match_CountHeatMaps();
    EXPECT_EQ(Cell(3, 14, 0), 1u);
    EXPECT_EQ(Cell(20, 0, 0), 1u);
    EXPECT_EQ(Cell(21, 0, 17), 1u);
    EXPECT_EQ(Cell(33, 7, 9), 1u);
    EXPECT_EQ(Cell(32, 7, 9), 0u);

    // The second half faces the maps the same way as the first.
    Period = 1;
    Match_CountHeatMaps();
    EXPECT_EQ(Cell(20, 14, 17), 1u);
    EXPECT_EQ(Cell(3, 0, 17), 1u);
    Period = 2;
    BallTeam = 0;
    Match_CountHeatMaps();
    EXPECT_EQ(Cell(20, 0, 0), 2u);
    EXPECT_EQ(Cell(32, 7, 9), 1u) << "the ball is never mirrored";

    // Figures off the pitch and stoppages count nothing.
    EXPECT_EQ(Cell(5, 0, 0) + Cell(5, 14, 17), 0u);
    MatchPhase = kPhaseThrowIn;
    Match_CountHeatMaps();
    EXPECT_EQ(Cell(20, 0, 0), 2u);
    ClearHeatMaps();
    EXPECT_EQ(Cell(20, 0, 0), 0u);
}

TEST_F(MatchReportTest, RatingMarksAndLimits) {
    MatchFigure& f = MatchFigures[4];
    f.benchState = 0xFF;
    EXPECT_EQ(MatchRatePlayer(0, 4), -1);
    f.benchState = 0;
    EXPECT_EQ(MatchRatePlayer(0, 4), 0);
    f.benchState = 50;
    EXPECT_EQ(MatchRatePlayer(0, 4), 65);

    struct Case {
        int shots, conceded, expected;
    };
    for (const Case& c : {Case{0, 12, 10}, Case{4, 12, 10}, Case{0, 11, 10}, Case{1, 11, 11}, Case{32, 0, 97},
                          Case{33, 0, 97}, Case{35, 0, 97}, Case{36, 0, 98}, Case{55, 0, 98}, Case{56, 0, 99},
                          Case{900, 0, 99}}) {
        f.counts[kCountShots] = uint16_t(c.shots);
        f.counts[kCountGoalsConceded] = uint16_t(c.conceded);
        EXPECT_EQ(MatchRatePlayer(0, 4), c.expected) << c.shots << " " << c.conceded;
    }
}

TEST_F(MatchReportTest, LeaderBonusAndPredictedBase) {
    MatchFigure& home = MatchFigures[2];
    MatchFigure& away = MatchFigures[18];
    Goals[0] = 2;
    EXPECT_EQ(MatchRatePlayer(1, 2), 70);
    EXPECT_EQ(MatchRatePlayer(0, 2), 65);
    EXPECT_EQ(MatchRatePlayer(1, 18), 65);
    Goals[1] = 2;
    ShootOutGoals[1] = 4;
    EXPECT_EQ(MatchRatePlayer(1, 18), 70) << "the shoot-out winner leads";

    MatchResultPredicted = 1;
    home.counts[kCountShots] = 10;  // not counted in a prediction
    home.goals = 1;
    EXPECT_EQ(MatchRatePlayer(0, 2), 53);
    away.counts[kCountSaves] = 2;
    EXPECT_EQ(MatchRatePlayer(0, 18), 53);
}

TEST_F(MatchReportTest, BestPlayerTieGoesToTheTieBreak) {
    int16_t team, slot;
    // Two players with the same mark; the later one made more tackles.
    MatchFigures[3].counts[kCountShots] = 10;
    MatchFigures[20].counts[kCountShots] = 7;
    MatchFigures[20].counts[kCountTacklesWon] = 1;
    MatchChooseBestPlayer(&team, &slot);
    EXPECT_EQ(team, 1);
    EXPECT_EQ(slot, 4);
    EXPECT_EQ(MatchMark(MatchFigures[20]), 76) << "the winner's mark is raised by one";
    EXPECT_EQ(MatchMark(MatchFigures[3]), 75);
    EXPECT_EQ(MatchMark(MatchFigures[5]), 65);

    // Without a tie the first best player met is kept; bench places are not
    // rated.
    SetUp();
    MatchFigures[12].counts[kCountShots] = 30;
    MatchFigures[12].benchState = 50;
    MatchFigures[12].firstActiveTick = 5;
    MatchFigures[7].counts[kCountShots] = 1;
    MatchChooseBestPlayer(&team, &slot);
    EXPECT_EQ(team, 0);
    EXPECT_EQ(slot, 7);
    EXPECT_EQ(MatchMark(MatchFigures[7]), 66);
}

TEST_F(MatchReportTest, TeamReportsCarryPlayersGoalsAndClubLogs) {
    Goals[0] = 2;
    Goals[1] = 1;
    TeamShotCount[0] = 9;  // the shots are counted during play
    MatchTeamTotals[0][kTotalCorners] = 4;
    MatchFigures[9].goals = 2;
    MatchFigures[9].assists = 1;
    MatchFigures[6].cautions = 1;
    MatchFigures[7].cautions = 2;
    MatchFigures[7].sentOff = 1;
    MatchFigures[17].injury = 3;
    MatchFigures[20].ownGoals = 1;
    EventCount = 0;
    MatchResult.events[0][kEventKind] = kEventEnd;
    Period = 0;
    matchtest::RecordEvent(kEventGoal, 0, matchtest::PlayerNumber(0, 9));
    Period = 1;
    matchtest::RecordEvent(kEventSubstitution, 1, matchtest::PlayerNumber(1, 12));
    matchtest::RecordEvent(kEventOwnGoal, 1, matchtest::PlayerNumber(1, 4));
    Period = 2;
    matchtest::RecordEvent(kEventGoal, 1, matchtest::PlayerNumber(1, 10));
    MatchCopyTeamStats();

    const uint8_t* home = MatchResult.teams[0].bytes;
    EXPECT_EQ(ReportWord(0, kReportGoals), 2);
    EXPECT_EQ(ReportWord(0, kReportTotals + 2 * kTotalShots), 9);
    const uint8_t* scorer = MatchPlayerReport(0, 9);
    EXPECT_EQ(LoadU16(scorer + kPlayerGoals), 2);
    EXPECT_EQ(LoadU16(scorer + kPlayerAssists), 1);
    EXPECT_EQ(LoadU16(scorer + kPlayerNumber), matchtest::PlayerNumber(0, 9));
    EXPECT_EQ(LoadU16(MatchPlayerReport(0, 6) + kPlayerCards), 1);
    EXPECT_EQ(LoadU16(MatchPlayerReport(0, 7) + kPlayerCards), 3);
    EXPECT_EQ(LoadU16(MatchPlayerReport(0, 7) + kStatsPackedWord) >> 6 & 3, 3);
    EXPECT_EQ(LoadU16(MatchPlayerReport(1, 1) + kPlayerInjury), 3);
    EXPECT_EQ(int16_t(LoadU16(MatchPlayerReport(0, 12) + kPlayerRating)), 0);
    EXPECT_EQ(LoadU16(MatchPlayerReport(0, 0) + kStatsKeeperFlags) & 1, 1);
    EXPECT_EQ(MatchPlayerReport(0, 5)[kStatsOutfieldFlags], 1);

    // Goal list: the home side's own goal for, then its scorer's goal.
    ASSERT_EQ(LoadU16(home + kReportGoalCount), 2);
    const uint8_t* first = home + kReportGoalList;
    EXPECT_EQ(LoadU16(first + kGoalScorer), matchtest::PlayerNumber(0, 9));
    EXPECT_EQ(first[kGoalPacked], 9);
    const uint8_t* second = first + kReportGoalEntrySize;
    EXPECT_EQ(LoadU16(second + kGoalScorer), matchtest::PlayerNumber(1, 4));
    EXPECT_EQ(second[kGoalPacked], 4 | 1 << 5 | 0x80);
    EXPECT_EQ(second[kGoalMinute], 55);
    const uint8_t* away = MatchResult.teams[1].bytes;
    ASSERT_EQ(LoadU16(away + kReportGoalCount), 1);
    EXPECT_EQ(away[kReportGoalList + kGoalPacked], 10 | 2 << 5);

    // Pairs: every player who played with his score, ended by a score of 0.
    const uint8_t* pairs = home + kReportPairList;
    int played = 0;
    while (played < kReportPairs && int8_t(pairs[2 * played + 1]) > 0) {
        EXPECT_EQ(pairs[2 * played + 1], LoadU16(MatchPlayerReport(0, pairs[2 * played]) + kPlayerRating));
        ++played;
    }
    EXPECT_EQ(played, 11);

    const uint8_t* counters = home + kReportCounters;
    EXPECT_EQ(LoadU16(counters + 2 * kCounterGoalsFor), 2);
    EXPECT_EQ(LoadU16(counters + 2 * kCounterGoalsAgainst), 1);
    EXPECT_EQ(LoadU16(counters + 2 * kCounterShots), 9);
    EXPECT_EQ(LoadU16(counters + 2 * kCounterCorners), 4);
    EXPECT_EQ(LoadU16(counters + 2 * kCounterBookings), 3);
    EXPECT_EQ(LoadU16(counters + 2 * kCounterSendingsOff), 1);
}

TEST_F(MatchReportTest, PlayerReportFieldsAreListedInOrder) {
    // Words, seven bytes, a word, forty counts and two words, four signed
    // bytes, then the flags and the packed word.
    const ReportFieldKind expected[] = {ReportFieldKind::U16,  ReportFieldKind::I16, ReportFieldKind::I8,
                                        ReportFieldKind::I16,  ReportFieldKind::U8,  ReportFieldKind::I16,
                                        ReportFieldKind::I8,   ReportFieldKind::U8,  ReportFieldKind::I8,
                                        ReportFieldKind::Bit0, ReportFieldKind::U8,  ReportFieldKind::Bits};
    const int runs[] = {1, 6, 7, 1, 40, 2, 4, 1, 1, 1, 1, 4};
    int field = 0;
    for (int run = 0; run < 12; ++run) {
        for (int k = 0; k < runs[run]; ++k, ++field) {
            ASSERT_EQ(PlayerReportFields[field].kind, expected[run]) << field;
            const int width =
                expected[run] == ReportFieldKind::U16 || expected[run] == ReportFieldKind::I16 ||
                        expected[run] == ReportFieldKind::Bit0 || expected[run] == ReportFieldKind::Bits
                    ? 2
                    : 1;
            EXPECT_LE(PlayerReportFields[field].at + width, kPlayerReportSize) << field;
        }
    }
    EXPECT_EQ(field, kReportFieldCount);
    EXPECT_EQ(PlayerReportFields[50].label, PlayerReportFields[51].label);
    // No two byte or word fields overlap.
    uint8_t used[kPlayerReportSize] = {};
    for (const ReportFieldDesc& d : PlayerReportFields) {
        if (d.kind == ReportFieldKind::Bits) continue;
        const int width = d.kind == ReportFieldKind::U8 || d.kind == ReportFieldKind::I8 ? 1 : 2;
        for (int b = 0; b < width; ++b) EXPECT_EQ(used[d.at + b]++, 0) << int(d.at);
    }
}

TEST(ResultCheckTest, FindsFaultsOfAPlayedBlock) {
    MatchResultBlock& result = MatchResult;
    std::memset(&result, 0, sizeof result);
    std::memset(result.minutes, 0xFF, sizeof result.minutes);
    result.events[0][kEventKind] = kEventEnd;
    for (auto& team : result.teams) recbits::StoreU16(team.bytes + kReportManOfTheMatch, 0xFFFF);
    EXPECT_EQ(CheckPlayedResult(result), "");

    recbits::StoreU16(result.teams[0].bytes + kReportGoals, 1);
    EXPECT_NE(CheckPlayedResult(result).find("goal events"), std::string::npos);
    result.events[0][kEventKind] = kEventOwnGoal;
    recbits::StoreU16(result.events[0] + kEventTeam, 1);
    result.events[1][kEventKind] = kEventEnd;
    EXPECT_EQ(CheckPlayedResult(result), "");

    recbits::StoreU16(MatchPlayerReport(1, 3) + kPlayerRating, 9);
    result.minutes[4] = 101;
    recbits::StoreU16(result.teams[0].bytes + kReportShootOutGoals, 2);
    recbits::StoreU16(result.teams[1].bytes + kReportShootOutGoals, 2);
    const std::string faults = CheckPlayedResult(result);
    EXPECT_NE(faults.find("score 9"), std::string::npos);
    EXPECT_NE(faults.find("minute 4"), std::string::npos);
    EXPECT_NE(faults.find("shoot-out ended level"), std::string::npos);
}

}  // namespace
