#include "core/match/matchclock.h"
#include "core/match/actions.h"

#include <bitset>

#include "core/base/random.h"
#include "core/match/infobartypes.h"
#include "core/match/keeper.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "core/match/soundevents.h"

using namespace gameinfo;

uint16_t MatchTickPhase;
uint8_t RankingTeam;
uint8_t MatchClockRunning;
uint8_t MatchTimeUp;
uint32_t PeriodClock;
uint32_t MatchTicks;
uint32_t PeriodLength;
int32_t StoppageTime;
uint16_t ShownStoppageTime;
uint16_t AllTicks;
int32_t CurrentMinute = -1;
int16_t MinutePressure;
uint32_t OpenPlayTicks;
uint32_t PossessionTicks[2];
uint32_t ThirdTicks[2][3];
int16_t TeamMomentum[2];
uint16_t TeamRestartCount[2];
uint16_t DelayedCrowdTicks;
int16_t DelayedCrowdFigure;
uint8_t PeriodEndCount;
int16_t BallHolderWord;

namespace {

// The shot countdowns the tick lowers.
constexpr int16_t* kCountdowns[] = {&ShotTimer, &ShotHoldTimer, &KeeperTipTimer};

constexpr int16_t kPeriodMinutes[4] = {45, 45, 15, 15};
constexpr int16_t kFirstMinute[4] = {0, 45, 90, 105};
constexpr int16_t kEndNearHalfway = 200;
constexpr int kEndChance = 200;
constexpr uint16_t kRestartPressureEvery = 2400;
constexpr int16_t kMomentumMax = 1000;
constexpr int kFatigueEvery = 400;
constexpr int16_t kPressureHighY = 1550;  // far penalty-area edge less 200
constexpr int16_t kPressureLowY = 614;    // near edge plus 200
constexpr int16_t kFirstThirdEnd = 766;
constexpr int16_t kLastThirdStart = 1406;

// Held-up play: the treatment and similar actions.
constexpr uint16_t kHeldUpActions[7] = {kActionThrowInFetch,       kActionCornerFetch,   kActionNetFetch,
                                        kActionCarryToCentre,      kActionFreeKickFetch, kActionFetchAndThrow,
                                        kActionKeeperFetchGoalKick};

// Ticks of open play until the restart pressure next eases.
uint16_t restartPressureCountdown;

int PeriodIndex() { return Period < 4 ? Period : 3; }

void SetFigureAction(int figure, uint16_t action, int variant) {
    Match_SetPlayerAction(int16_t(figure), action);
    MatchFigures[figure].actionParam = uint16_t(variant);
}

void MoveMomentum() {
    const int holder = BallTeam & 1;
    const int other = holder ^ 1;
    int behind = Goals[other] - Goals[holder];
    if (behind > 4) behind = 4;
    if (behind >= 0) {
        TeamMomentum[holder] = int16_t(TeamMomentum[holder] + behind + 1);
        TeamMomentum[other] = int16_t(TeamMomentum[other] - 1);
    } else {
        int lead = -behind;
        if (lead > 4) lead = 4;
        TeamMomentum[other] = int16_t(TeamMomentum[other] - (5 - lead));
    }
    if (TeamMomentum[other] < 0) TeamMomentum[other] = 0;
    if (TeamMomentum[holder] > kMomentumMax) TeamMomentum[holder] = kMomentumMax;
}

bool PeriodEndsNow() {
    if (Goals[0] != Goals[1] && MatchRuleSet(&GameInfo, kGoldenGoals) && (Period == 2 || Period == 3))
        return true;
    if (!MatchTimeUp) return false;
    if (BallState.y > kDefaultPitch.centreY - kEndNearHalfway &&
        BallState.y < kDefaultPitch.centreY + kEndNearHalfway)
        return true;
    return GameRandom() % kEndChance == 0;
}

void ChartMinute(int32_t minute) {
    if (minute != CurrentMinute) {
        if (CurrentMinute >= 0 && CurrentMinute < kMatchMinutes) {
            MatchResult.minutes[CurrentMinute] = uint8_t(MinutePressure);
        }
        MinutePressure = 50;
        CurrentMinute = minute;
    }
}

void MovePressure() {
    const bool towardHighY = AttackDirection == 0;
    if (BallState.y > kPressureHighY) {
        MinutePressure = int16_t(MinutePressure + (towardHighY ? 1 : -1));
    } else if (BallState.y < kPressureLowY) {
        MinutePressure = int16_t(MinutePressure + (towardHighY ? -1 : 1));
    }
    if (MinutePressure < 0) MinutePressure = 0;
    if (MinutePressure > 100) MinutePressure = 100;
}

void RunClock() {
    ShownStoppageTime = 0;
    const int32_t minute = MatchClockMinute();
    ChartMinute(minute);
    const int16_t club0 = GameInfo.TeamI16(0, kTeamClub);
    const int16_t club1 = GameInfo.TeamI16(1, kTeamClub);
    if (club0 != club1 && minute == 20 + (club0 % 15)) InfoBar(kInfoAttendance, -1, int16_t(minute));
    MovePressure();
    ++MatchTicks;
    ++PeriodClock;
}

void CountBallInPlay(bool clockAdvanced) {
    // Players tire on the ticks the match clock moves on; in stoppage time
    // the match ticks stand still and must not tire them every tick.
    if (clockAdvanced && MatchTicks % kFatigueEvery == 0) MatchFatigueStep();
    const int team = BallTeam & 1;
    int third = 1;
    if (BallState.y <= kFirstThirdEnd) third = 0;
    if (BallState.y >= kLastThirdStart) third = 2;
    if (third != 1 && team != AttackDirection) third = 2 - third;
    ++ThirdTicks[team][third];
    ++OpenPlayTicks;
    ++PossessionTicks[team];
}

}  // namespace

bool MatchInOrdinaryPlay(uint16_t action) {
    return action <= kActionSprintAfterBall || action >= kActionKeeperTakeBall;
}

int16_t MatchClockMinute() {
    const int p = PeriodIndex();
    if (PeriodLength == 0) return kFirstMinute[p];
    const uint64_t share = uint64_t(kPeriodMinutes[p]) * PeriodClock * 60 / PeriodLength;
    return int16_t((share + uint64_t(kFirstMinute[p]) * 60) / 60);
}

void MatchClockStartMatch() {
    // Nothing of the previous match's ticks carries over: the same block and
    // the same draws must play the same match, whatever was played before
    // in the session (none of these is in the saved game, so a loaded game
    // would otherwise play differently from the same game played on).  A
    // minute left over from a period ended by a golden goal would also
    // write that match's pressure into this one's chart.
    CurrentMinute = -1;
    MinutePressure = 0;
    OpenPlayTicks = 0;
    MatchTickPhase = 0;
    RankingTeam = 0;
    AllTicks = 0;
    restartPressureCountdown = 0;
    PeriodEndCount = 0;
    DelayedCrowdTicks = 0;
    for (int16_t* timer : kCountdowns) *timer = 0;
    for (int team = 0; team < 2; ++team) {
        PossessionTicks[team] = 0;
        for (uint32_t& third : ThirdTicks[team]) third = 0;
        TeamMomentum[team] = 0;
        TeamRestartCount[team] = 0;
    }
}

void MatchResetClock(int16_t count) {
    PeriodClock = 0;
    if (Period == 0) MatchTicks = 0;
    PeriodLength = count > 0 ? uint32_t(count) * kTicksPerSecond : 0;
    MatchTimeUp = 0;
    StoppageTime = 0;
    MatchClockRunning = 0;
}

int16_t MatchClockStoppedByAction(uint16_t a, uint16_t b, uint16_t c, uint16_t d, uint16_t e, uint16_t f,
                                  uint16_t g) {
    // Run every tick: the seven actions as a set, one look-up a player.
    std::bitset<kMatchActionCount> wanted;
    for (const uint16_t action : {a, b, c, d, e, f, g}) {
        if (action < kMatchActionCount) wanted.set(action);
    }
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        const MatchFigure& player = MatchFigures[figure];
        if (player.off == 0 && player.action < kMatchActionCount && wanted.test(player.action)) return 1;
    }
    return 0;
}

void MatchClockTick() {
    ++AllTicks;
    if (!MatchClockRunning || Period == 4) return;
    if (MatchPhase == kPhaseOpenPlay || MatchPhase == kPhaseGoal || MatchPhase == kPhaseAfterGoal) {
        if (PeriodEndsNow()) {
            Match_EndOfPeriod();
            return;
        }
    }
    bool clockAdvanced = false;
    if (PeriodClock >= PeriodLength) {
        if (ShownStoppageTime == 0 && PeriodLength != 0) {
            // Once time is up the stoppage ticks run below 0 while the period
            // waits for its end: taken unsigned they would show hours of
            // added time, so a count of 0 or less shows none.
            const int64_t seconds = int64_t(kPeriodMinutes[PeriodIndex()]) * StoppageTime * 60 / PeriodLength;
            ShownStoppageTime = uint16_t(seconds > 0 ? seconds : 0);
        }
        --StoppageTime;
        CurrentMinute = -1;
        if (StoppageTime <= 0) MatchTimeUp = 1;
    } else if (MatchPhase != kPhaseSubstitution &&
               !MatchClockStoppedByAction(kHeldUpActions[0], kHeldUpActions[1], kHeldUpActions[2],
                                          kHeldUpActions[3], kHeldUpActions[4], kHeldUpActions[5],
                                          kHeldUpActions[6])) {
        RunClock();
        clockAdvanced = true;
    }
    if (MatchPhase == kPhaseOpenPlay) CountBallInPlay(clockAdvanced);
}

void MatchTickBookkeeping() {
    MatchTickPhase = uint16_t((MatchTickPhase + 1) % 4);
    RankingTeam ^= 1;
    for (int16_t* timer : kCountdowns) {
        if (*timer > 0) --*timer;
    }
    if (MatchPhase == kPhaseOpenPlay) {
        if (restartPressureCountdown > 0) {
            --restartPressureCountdown;
        } else {
            restartPressureCountdown = kRestartPressureEvery;
            for (uint16_t& count : TeamRestartCount) {
                if (count != 0) --count;
            }
        }
        if (restartPressureCountdown % 4 == 0) MoveMomentum();
    } else if (MatchPhase == kPhaseKickOffWhistle) {
        TeamMomentum[0] = TeamMomentum[1] = 0;
    }
    if (DelayedCrowdTicks != 0 && --DelayedCrowdTicks == 0) {
        MatchSfx_PlayEvent(kSoundDelayedCrowd, int16_t((DelayedCrowdFigure / 16) ^ 1));
    }
}

void Match_EndOfPeriod() {
    MatchSfx_PlayEvent(kSoundEndWhistle, -1);
    SetFigureAction(kRefereeFigure, kOfficialSignal, 3);
    MatchFigures[kRefereeFigure].officialWord = kOfficialFaceFirstSpot;
    Match_SetPlayerAction(kRefereeFigure + 1, kOfficialWalkToFirstSpot);
    Match_SetPlayerAction(kRefereeFigure + 2, kOfficialWalkToFirstSpot);
    MatchPhase = kPhasePeriodOver;
    // The period-over wait starts from its own length: a timer left by the
    // phase the whistle cut short would end it early, before the save of a
    // late goal's replay, which the next period's start would then drop.
    PhaseTimer = 0;
    BallState.holder = 0;
    BallHolderWord = 0;
    BallState.controller = 0;
    MatchEvent = kOrdinaryPlay;

    const int aggregate0 = Goals[0] + OldGoals[0];
    const int aggregate1 = Goals[1] + OldGoals[1];
    const bool decided = (Period == 1 || Period == 3) && aggregate0 != aggregate1;
    const int winner = aggregate1 > aggregate0 ? 1 : 0;
    if (decided) {
        MatchSfx_PlayEvent(kSoundPeriodWon, int16_t(winner));
        MatchSfx_PlayEvent(kSoundLosersGroan, int16_t(winner ^ 1));
    }
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        if (!MatchInOrdinaryPlay(MatchFigures[figure].action)) continue;
        SetFigureAction(figure, kActionToTunnel, GameRandom() % 6);
        if (!decided) continue;
        if (figure / kTeamFigures == winner) {
            if (GameRandom() % 2 != 0) SetFigureAction(figure, kActionPeriodEndReactionA, GameRandom() % 4);
        } else if (GameRandom() % 3 == 0) {
            SetFigureAction(figure, kActionPeriodEndReactionB, GameRandom() % 2);
        }
    }
    DesignatedPlayer[0] = DesignatedPlayer[1] = kNoDesignated;
    MatchClockRunning = 0;
    ++PeriodEndCount;
}
