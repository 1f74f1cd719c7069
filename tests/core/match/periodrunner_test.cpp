#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/base/corehooks.h"
#include "core/match/actions.h"
#include "core/match/geometry.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/offside.h"
#include "core/match/periodrunner.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "core/match/teamjobs.h"
#include "core/match/teamsetup.h"
#include "core/match/wholematch.h"
#include "tests/core/match/scenario.h"
#include "tests/fakes/result_check.h"

namespace {

using namespace gameinfo;

int g_displayCalls;
void CountDisplayCall() { ++g_displayCalls; }
void CountDisplayCall16(int16_t) { ++g_displayCalls; }

class PeriodTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scenario::FillTwoClubs(77);
        scenario::StartMatch(1001);
    }
    void TearDown() override {
        MatchHooks = MatchDisplayHooks{};
        DisplayModeFlags = 0;
        Motion_FreeAll();
    }
    static EnterGameInfo& Block() { return *GetMatchSetupBlock(); }
    // The hooks that would show something count their calls.  (The
    // per-tick display step, the replay recorder, sounds and the
    // information bar are called in every match; the display side does
    // nothing with them in a match nobody watches.)
    static void WatchTheDisplay() {
        g_displayCalls = 0;
        MatchDisplayHooks& h = MatchHooks;
        h.camResetDefaults = h.displayOn = h.displayOff = CountDisplayCall;
        h.updateAndRender = h.viewReset = CountDisplayCall;
        h.openInGameMenu = CountDisplayCall16;
        h.igMenuRequest6 = h.igMenuRequest8 = CountDisplayCall16;
    }
};

// ---------------------------------------------------------------------------
// Set-up.

TEST_F(PeriodTest, EveryPlayerLinesUpBesideThePitch) {
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < kTeamFigures; ++slot) {
            const MatchFigure& f = MatchFigures[team * kTeamFigures + slot];
            EXPECT_EQ(+f.y, 1082);
            EXPECT_EQ(+f.x, slot == 0 ? -262 : -252 - 12 * slot);
            EXPECT_EQ(+f.x16, int32_t(+f.x) * 65536);
            if (slot != 0) {
                EXPECT_EQ(+f.frame, -1) << "no clip yet";
            }
        }
    }
    EXPECT_EQ(+MatchFigures[32].x, -2);
    EXPECT_EQ(+MatchFigures[33].y, 1082 + 46);
    EXPECT_EQ(+MatchFigures[34].y, 1082 - 46);
    EXPECT_EQ(+MatchFigures[32].action, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[33].action, kActionStandOff);
    EXPECT_EQ(+MatchFigures[34].action, kActionNothing);
    EXPECT_EQ(+MatchFigures[32].pace, 80);
    EXPECT_EQ(+MatchFigures[0].action, kActionKeeperReady);
    EXPECT_EQ(+MatchFigures[16].action, kActionKeeperReady);
    EXPECT_EQ(MatchPhase, 25);
    EXPECT_EQ(BallState.x, 796);
    EXPECT_EQ(BallState.y, 1082);
    EXPECT_EQ(+MatchFigures[36].y, 3038);
    EXPECT_EQ(TeamChallenger[0], kNoChallenger);
    EXPECT_EQ(RunningCount, 255);
    EXPECT_EQ(PeriodLength, 5u * 60 * 50);
    EXPECT_EQ(FormationZoneUsed[0].zone, 0xFFFF) << "the first target job places everybody";
}

TEST_F(PeriodTest, TeamsLineUpAndArePresentedOnlyInTheRunsFirstLineUp) {
    auto runLineUp = [](std::vector<int16_t>& presented, int& lineUpTicks, bool& inLine) {
        scenario::FillTwoClubs(77);
        scenario::StartMatch(1001);
        LineUpPending = 1;
        presented.clear();
        lineUpTicks = 0;
        inLine = false;
        int16_t last = -1;
        for (int tick = 0; tick < 4000 && LineUpPending != 0; ++tick) {
            scenario::RunTicks(1);
            if (MatchEvent == 10) ++lineUpTicks;
            if (IntroPlayer != last && IntroPlayer >= 0) presented.push_back(IntroPlayer);
            last = IntroPlayer;
            bool all = true;
            for (int team = 0; team < 2; ++team) {
                for (int slot = 0; slot < 11; ++slot) {
                    const MatchFigure& f = MatchFigures[MatchLineUp[team][slot]];
                    const int wantY = team == AttackDirection ? 1082 - 48 - 20 * slot : 1082 + 48 + 20 * slot;
                    all = all && MatchOctDistance(f.x - 258, f.y - wantY) <= 5;
                }
            }
            inLine = inLine || all;
        }
        EXPECT_EQ(LineUpPending, 0);
    };
    IntroStep = 0;
    std::vector<int16_t> presented;
    int firstTicks = 0, secondTicks = 0;
    bool inLine = false;
    runLineUp(presented, firstTicks, inLine);
    EXPECT_TRUE(inLine);
    const std::vector<int16_t> order = {10, 9,  8,  7,  6,  5,  4,  3,  2,  1,  0,
                                        16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26};
    EXPECT_EQ(presented, order);
    EXPECT_EQ(IntroStep, 22);
    // The next match with a line-up skips the introduction.
    runLineUp(presented, secondTicks, inLine);
    EXPECT_TRUE(presented.empty());
    EXPECT_LT(secondTicks + 22 * 40, firstTicks + 40);
}

// A team menu opened at a stoppage holds back that side's computer
// substitutions for the rest of the period only: neither the next period
// nor the next match inherits the count.
TEST_F(PeriodTest, TheStoppageMenuCountStartsAtNoneEveryPeriod) {
    for (int16_t period : {0, 1, 2, 4}) {
        StoppageMenuCount[0] = 1;
        StoppageMenuCount[1] = 3;
        Period = period;
        Match_SetupPeriod();
        EXPECT_EQ(StoppageMenuCount[0], 0) << "period " << period;
        EXPECT_EQ(StoppageMenuCount[1], 0) << "period " << period;
    }
    // So an injured player of the side is replaced again.
    MatchFigures[4].injury = 1;
    EXPECT_EQ(Match_ComputerSubstitution(0), 4);
}

// Every period's ball starts afresh: on the centre spot exactly (no fraction
// left from where the last period ended), with the flight constants and no
// wind.
TEST_F(PeriodTest, EveryPeriodStartsTheBallExactlyOnTheSpotWithoutWind) {
    BallState.x16 = 300 * 65536 + 4321;
    BallState.y16 = 900 * 65536 + 999;
    BallState.windX = 500;
    BallState.windY = -500;
    BallState.drag = 1000;
    Period = 1;
    Match_SetupPeriod();
    EXPECT_EQ(BallState.x16, 796 * 65536);
    EXPECT_EQ(BallState.y16, 1082 * 65536);
    EXPECT_EQ(+MatchFigures[kBallFigure].x16, 796 * 65536);
    EXPECT_EQ(BallState.windX | BallState.windY, 0);
    EXPECT_EQ(BallState.drag, 991);
    EXPECT_EQ(BallState.gravity, 40000);
}

// A request for the team menu left at the end of a match (a late sending-off
// or injury) is not carried into the next: both sides start without one.
TEST_F(PeriodTest, TheTeamMenuRequestsStartAtNoneWithEveryMatch) {
    ChangePending[0] = ChangePending[1] = 1;
    Period = 0;
    Match_SetupPeriod();
    EXPECT_EQ(ChangePending[0], 0);
    EXPECT_EQ(ChangePending[1], 0);
}

TEST_F(PeriodTest, PlayersDataRatingsAndBenchStates) {
    Block().SetI16(kNumAvailableSubs, 3);
    const int at = PlayerInfoAt(1, 4);
    Block().SetI16(at + kPlayerStats + 2 * kStatTackling, 0);
    Block().SetI16(at + kPlayerStats + 2 * kStatAgility, 250);
    Block().SetI16(at + kPlayerStats + 2 * kStatPace, 61);
    Block().SetI16(at + kPlayerStats + 2 * kStatVision, -40);
    Block().SetI16(at + kPlayerLeft, 0);
    Block().SetI16(at + kPlayerRight, 0);
    Block().SetI16(at + kPlayerShirt, 5);
    Block().SetI16(at + kPlayerInfoWord2, -7);
    Block().SetI16(at + kPlayerInfoWord1, 1234);
    scenario::StartMatch(1001);
    const MatchFigure& f = MatchFigures[20];
    EXPECT_STREQ(f.name, "Player B4");
    EXPECT_EQ(+f.tackling, 1) << "a rating of 0 would divide by zero";
    EXPECT_EQ(+f.agility, 100);
    EXPECT_EQ(+f.pace, 80) << "compressed: 61 / 2 + 50";
    EXPECT_EQ(+f.vision, 50) << "compressed from 1";
    EXPECT_EQ(+f.left, 0);
    EXPECT_EQ(+f.right, 0);
    EXPECT_EQ(+f.shirt, 5);
    EXPECT_EQ(+f.infoWord2, 0);
    EXPECT_EQ(+f.infoWord1, 1234);
    for (int slot = 0; slot < kTeamFigures; ++slot) {
        const MatchFigure& p = MatchFigures[16 + slot];
        if (slot < 11) {
            EXPECT_EQ(+p.benchState, 50);
            EXPECT_EQ(+p.off, 0);
            EXPECT_EQ(+p.onBench, 0);
        } else {
            EXPECT_EQ(+p.off, 1);
            EXPECT_EQ(+p.onBench, 1);
            EXPECT_EQ(+p.benchState, slot < 14 ? 0 : 255) << slot;
        }
    }
}

TEST_F(PeriodTest, PeriodLengthNeverWraps) {
    Block().SetI16(kDurationMinutes, 1000);
    scenario::StartMatch(1001);
    EXPECT_EQ(PeriodLength, 32767u * 50);
    Block().SetI16(kDurationMinutes, -1);  // unset
    scenario::StartMatch(1001);
    EXPECT_EQ(PeriodLength, 60u * 50);
}

TEST_F(PeriodTest, RolePlayersComeFromSlotsAndImpossibleSlotsNameNobody) {
    EXPECT_EQ(CaptainFigure[0], 4);
    EXPECT_EQ(CornerTakerFigure[1], 16 + 7);
    EXPECT_EQ(PenaltyTakerFigure[1], 16 + 9);
    Block().SetTeamI16(0, kCaptain, -1);
    Block().SetTeamI16(0, kPenaltyTaker, 0);
    Block().SetTeamI16(1, kFreeKickTaker, 17);
    Block().SetTeamI16(1, kCornerTaker, 16);
    scenario::StartMatch(1001);
    EXPECT_EQ(CaptainFigure[0], kTakerNone);
    EXPECT_EQ(PenaltyTakerFigure[0], kTakerNone);
    EXPECT_EQ(FreeKickTakerFigure[1], kTakerNone);
    EXPECT_EQ(CornerTakerFigure[1], 31);
}

TEST_F(PeriodTest, TacticBytesAndPartners) {
    TacticRecord& record = MatchTacticRecord[0];
    uint8_t* entry3 = record.bytes + 3 * kTacticEntrySize;
    entry3[13] = 0xE0 | 5;  // partner slot 5, high bits of the word ignored
    entry3[17] = 4;
    entry3[18] = 7;
    entry3[19] = 9;
    recbits::StoreU16(entry3 + 28, 0);
    uint8_t* entry4 = record.bytes + 4 * kTacticEntrySize;
    entry4[13] = 0x1F;  // -1
    recbits::StoreU16(entry4 + 28, 6);
    MatchTeam_TakeWorkingCopy(0);
    MatchTeam_ApplyTactics(0);
    const uint8_t* bytes = MatchFigures[3].tacticBytes;
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(bytes[1], 5);
    EXPECT_EQ(bytes[2], 7);
    EXPECT_EQ(bytes[3], 9);
    EXPECT_EQ(bytes[6], 255) << "no marking slot";
    EXPECT_EQ(MatchFigures[4].tacticBytes[1], 0) << "a negative partner is none";
    EXPECT_EQ(MatchFigures[4].tacticBytes[6], 6);
    // Team two's partner figure is given within the team.
    uint8_t* other = MatchTacticRecord[1].bytes + 2 * kTacticEntrySize;
    other[13] = 3;
    MatchTeam_TakeWorkingCopy(1);
    MatchTeam_ApplyTactics(1);
    EXPECT_EQ(MatchFigures[18].tacticBytes[1], 3);
}

TEST_F(PeriodTest, ATacticChangeRebuildsOnlyThatTeamsTable) {
    FormationTableData before[2];
    std::memcpy(before, FormationTable, sizeof before);
    GetComputerTactics(&MatchTacticRecord[1], 8);
    MatchTeam_TakeWorkingCopy(1);
    MatchTeam_ApplySetup(1);
    EXPECT_EQ(std::memcmp(before[0], FormationTable[0], sizeof before[0]), 0);
    EXPECT_NE(std::memcmp(before[1], FormationTable[1], sizeof before[1]), 0);
}

TEST_F(PeriodTest, ShootOutBallStartsInFrontOfTheLowPenaltySpot) {
    int minX = 9999, maxX = -1, minY = 9999, maxY = -1;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        GameSeedRandom(seed);
        Period = 4;
        KickOffTeam = uint8_t(seed & 1);
        Match_SetupPeriod();
        minX = std::min<int>(minX, BallState.x);
        maxX = std::max<int>(maxX, BallState.x);
        minY = std::min<int>(minY, BallState.y);
        maxY = std::max<int>(maxY, BallState.y);
        ASSERT_EQ(MatchPhase, 20);
        ASSERT_EQ(+MatchFigures[0].action, kActionKeeperReady);
        ASSERT_EQ(CurrentTeam, seed & 1);
    }
    EXPECT_EQ(minX, 796 - 63);
    EXPECT_EQ(maxX, 796);
    EXPECT_EQ(minY, 318 - 95);
    EXPECT_EQ(maxY, 318 - 48);
    EXPECT_EQ(ShootOutSpotY, 318);
}

TEST(PeriodSetupFuzz, RandomSetupBlocksSetUpSafely) {
    scenario::MountGameData();
    DisplayModeFlags = kDisplayOff;
    Match3D_PrepareData();
    GameSeedRandom(99);
    testing::internal::CaptureStdout();
    for (int round = 0; round < 1000; ++round) {
        EnterGameInfo* block = GetMatchSetupBlock();
        for (uint8_t& byte : block->bytes) byte = uint8_t(GameRandom());
        block->SetI16(kCompetition, 0);
        MatchLoadTeamTactics(0);
        MatchLoadTeamTactics(1);
        // Damaged live tactics as a saved game may hold them.
        for (uint8_t& byte : MatchTacticRecord[round % 2].bytes) byte = uint8_t(GameRandom());
        Period = 0;
        KickOffTeam = uint8_t(round & 1);
        AttackDirection = uint8_t((round >> 1) & 1);
        Match_SetupPeriod();
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            const MatchFigure& f = MatchFigures[figure];
            ASSERT_GE(+f.tackling, 1);
            ASSERT_LE(+f.pace, 100);
            ASSERT_TRUE(+f.benchState == 0 || +f.benchState == 50 || +f.benchState == 255);
        }
        MatchPhase = kPhaseOpenPlay;
        MatchClockRunning = 1;
        for (int tick = 0; tick < 8; ++tick) MatchTick();
    }
    testing::internal::GetCapturedStdout();
    Motion_FreeAll();
    DisplayModeFlags = 0;
}

// ---------------------------------------------------------------------------
// Running periods.

TEST_F(PeriodTest, UnshownHalfEndsOnTheClock) {
    scenario::PlaceTeamsOnFormation();
    scenario::StartOpenPlay(0);
    Block().SetTeamU8(0, kHumanManaged, 1);
    WatchTheDisplay();
    ReplayPlaying = 1;  // left set by the display: the loop must not hang on it
    const int32_t periods = UndisplayedPeriodCount;
    Match_RunLoopUndisplayed();
    EXPECT_EQ(MatchFinished, 1);
    EXPECT_EQ(UndisplayedPeriodCount, periods + 1);
    EXPECT_EQ(Block().TeamU8(0, kHumanManaged), 0);
    EXPECT_EQ(Block().TeamU8(1, kHumanManaged), 0);
    EXPECT_GE(PeriodClock, PeriodLength) << "ended by the clock";
    EXPECT_EQ(MatchPhase, 14);
    EXPECT_EQ(g_displayCalls, 0);
    EXPECT_EQ(DisplayBlendClip, 255);
    // Every starter was placed by the formation at least once.
    for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(MatchFigures[slot].counts[kCountPlacedByFormation], 1);
}

// The tick's formation job gives a man-marker his run target beside his
// man, not the formation's point.
TEST_F(PeriodTest, TheFormationTickPutsAManMarkerBesideHisMan) {
    scenario::PlaceTeamsOnFormation();
    scenario::StartOpenPlay(0);
    const int16_t marker = MatchLineUp[1][3];
    const int16_t man = MatchLineUp[0][9];
    MatchFigures[marker].tacticBytes[6] = 9;
    MatchTickPhase = 1;
    const int16_t manX = MatchFigures[man].x, manY = MatchFigures[man].y;
    MatchTick();
    EXPECT_NEAR(std::hypot(MatchFigures[marker].targetX - manX, MatchFigures[marker].targetY - manY), 32.0,
                2.0);
}

TEST_F(PeriodTest, SameSeedSameFiguresTickForTick) {
    auto run = [](std::vector<uint32_t>* trace) {
        scenario::FillTwoClubs(77);
        scenario::StartMatch(31337, 1, 1);
        scenario::PlaceTeamsOnFormation();
        scenario::StartOpenPlay(1);
        for (int tick = 0; tick < 600; ++tick) {
            MatchTick();
            uint32_t hash = 2166136261u;
            const auto* bytes = reinterpret_cast<const uint8_t*>(MatchFigures);
            for (size_t i = 0; i < sizeof MatchFigures; ++i) hash = (hash ^ bytes[i]) * 16777619u;
            trace->push_back(hash);
        }
    };
    std::vector<uint32_t> first, second;
    run(&first);
    run(&second);
    EXPECT_EQ(first, second);
}

// Unshown ticks keep the front end alive through the season's frame timer
// on every 400th tick, so the match-day display gets its frames too.
int g_matchDayFrames;
TEST_F(PeriodTest, UnshownTicksRunTheFrameTimerEvery400Ticks) {
    const CoreHooks saved = CoreGetHooks();
    CoreHooks hooks = saved;
    hooks.matchDayFrame = [] {
        ++g_matchDayFrames;
        return true;
    };
    CoreSetHooks(hooks);
    scenario::PlaceTeamsOnFormation();
    scenario::StartOpenPlay(0);
    DisplayModeFlags = kDisplayOff;
    FrameTimerCount = 0;
    g_matchDayFrames = 0;
    for (int tick = 0; tick < 801; ++tick) MatchTick();
    EXPECT_EQ(g_matchDayFrames, 3);
    CoreSetHooks(saved);
}

// Each period draws its own strictness for close offside calls.
TEST_F(PeriodTest, EveryPeriodDrawsItsOffsideStrictness) {
    for (uint8_t period = 0; period < 5; ++period) {
        Period = period;
        OffsideStrictness = -1;
        Match_SetupPeriod();
        EXPECT_GE(OffsideStrictness, 20) << int(period);
        EXPECT_LE(OffsideStrictness, 99) << int(period);
    }
}

TEST_F(PeriodTest, PeriodRunnerKicksOffAndPlaysToTheEnd) {
    WatchTheDisplay();
    Match_RunPeriod();
    EXPECT_EQ(MatchFinished, 1);
    EXPECT_GE(PeriodClock, PeriodLength) << "the kick-off started the clock and open play";
    EXPECT_EQ(g_displayCalls, 0);
}

TEST_F(PeriodTest, HumanTeamKeepsTheTacticChosenBeforeTheMatch) {
    // The user's side plays custom tactic 2, a copy of preset 8.
    Block().SetTeamU8(0, kHumanManaged, 1);
    Block().SetTeamU8(0, kHumanManagedAtStart, 1);
    GetComputerTactics(Block().TeamTacticSlot(0, 2), 8);
    Block().SetTeamI16(0, kTacticChoice, 12);
    MatchLoadTeamTactics(0);
    Match_RunPeriod();
    EXPECT_EQ(Block().TeamU8(0, kHumanManaged), 0) << "nobody manages an unshown match";
    const TacticRecord chosen = *Block().TeamTacticSlot(0, 2);
    EXPECT_EQ(std::memcmp(MatchTacticRecord[0].bytes, chosen.bytes, sizeof chosen.bytes), 0);
    // The table in use is the one built from that tactic.
    FormationTableData played;
    std::memcpy(played, FormationTable[0], sizeof played);
    FormationWorkingTactic = chosen;
    MatchTeam_ApplySetup(0);
    EXPECT_EQ(std::memcmp(played, FormationTable[0], sizeof played), 0);
}

TEST(WholeMatchHeadless, DefaultRunnerPlaysASoundMatch) {
    scenario::FillTwoClubs(5);
    scenario::MountGameData();
    MatchHooks = MatchDisplayHooks{};
    DisplayModeFlags = kDisplayOff;
    GameSeedRandom(2024);
    MatchResultBlock* result = PlayMatch();
    EXPECT_EQ(CheckPlayedResult(*result), "");
    EXPECT_EQ(MotionClips, nullptr) << "the clips are freed after the match";
    EXPECT_EQ(DisplayModeFlags & kDisplayOff, 0);
}

}  // namespace

namespace {

TEST(WholeMatchHeadless, LevelCupTieIsDecidedOnPenalties) {
    scenario::FillTwoClubs(6);
    EnterGameInfo& block = *GetMatchSetupBlock();
    block.SetU8(kExtraTime, 1);
    block.SetU8(kPenalties, 1);
    scenario::MountGameData();
    MatchHooks = MatchDisplayHooks{};
    DisplayModeFlags = kDisplayOff;
    // Play until a tie ends level after extra time (goals are scored now).
    MatchResultBlock* result = nullptr;
    for (uint32_t seed = 77; seed < 177; ++seed) {
        // Each match ends with the display flag cleared: unshown again, it
        // saves no goal files into the shared working folder.
        DisplayModeFlags = kDisplayOff;
        GameSeedRandom(seed);
        result = PlayMatch();
        EXPECT_EQ(CheckPlayedResult(*result), "");
        if (Goals[0] + OldGoals[0] == Goals[1] + OldGoals[1]) break;
        EXPECT_EQ(PenaltiesTaken, 0) << "a tie decided in play has no shoot-out";
    }
    ASSERT_EQ(Goals[0], Goals[1]);
    EXPECT_NE(ShootOutGoals[0], ShootOutGoals[1]);
    EXPECT_GE(PenaltiesTaken, 6);
    int taken = 0;
    for (int figure = 0; figure < kPlayerFigures; ++figure)
        taken += MatchFigures[figure].counts[kCountPenaltiesTaken];
    EXPECT_GE(taken, PenaltiesTaken) << "penalties given in play count too";
}

}  // namespace
