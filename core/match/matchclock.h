// The match clock: the period clock and its stoppage time, the end of a
// period, the shown minute with its pressure chart, and the per-tick
// bookkeeping (tick phase, countdowns, restart pressure, momentum).
#pragma once
#include <cstdint>

#include "core/match/phases.h"

constexpr int kTicksPerSecond = 50;
// Match phases the clock reads.

extern uint16_t MatchTickPhase;  // 0..3, selects the team job of the tick
extern uint8_t RankingTeam;      // toggled every tick: the team ranked this tick
extern uint8_t MatchClockRunning;
extern uint8_t MatchTimeUp;
extern uint32_t PeriodClock;  // ticks since the period began
extern uint32_t MatchTicks;   // ticks of play over the whole match
extern uint32_t PeriodLength;
extern int32_t StoppageTime;        // stoppage ticks still to play
extern uint16_t ShownStoppageTime;  // seconds, 0 while the clock runs normally
extern uint16_t AllTicks;           // every tick, running clock or not
extern int32_t CurrentMinute;       // -1 none
extern int16_t MinutePressure;      // 0..100
extern uint32_t OpenPlayTicks;
extern uint32_t PossessionTicks[2];
extern uint32_t ThirdTicks[2][3];     // per team: defensive, middle, attacking third
extern int16_t TeamMomentum[2];       // 0..1000
extern uint16_t TeamRestartCount[2];  // restart pressure
extern uint16_t DelayedCrowdTicks;
extern int16_t DelayedCrowdFigure;
extern uint8_t PeriodEndCount;
extern int16_t BallHolderWord;  // cleared with the ball holder at a period end

// Sets up the clock of a period lasting count seconds of play.
void MatchResetClock(int16_t count);
// Starts a match: the ball-in-play counters are cleared and the current
// minute goes back to none, so that nothing of an earlier match's last
// minute is charted in this one.
void MatchClockStartMatch();
void MatchClockTick();
void MatchTickBookkeeping();
void Match_EndOfPeriod();
// A player in ordinary play: in an action of open play or in a keeper's
// action.  At a period's end such players are sent off the pitch.
bool MatchInOrdinaryPlay(uint16_t action);
// 1 when a player on the pitch is in one of the seven actions.
int16_t MatchClockStoppedByAction(uint16_t a, uint16_t b, uint16_t c, uint16_t d, uint16_t e, uint16_t f,
                                  uint16_t g);
// The match minute of the running period's clock.
int16_t MatchClockMinute();
