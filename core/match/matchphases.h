// The match phases: what happens from the moment play stops until it
// resumes, one handler per phase run once a tick after the players.
#pragma once
#include <cstdint>

#include "core/match/phases.h"

constexpr int16_t kWaitTicksBound = 1000;

extern int16_t PhaseTimer;
extern uint16_t ResumePhase;
extern uint16_t ChangePending[2];
extern uint8_t StoppageMenuCount[2];
extern int8_t KickOffTaker, KickOffPartner;
extern int16_t IntroStep;  // kept for the whole run
// The player being presented in the introduction (0..10 the first team's
// line-up places, 16..26 the second's), -1 none.
extern int16_t IntroPlayer;
extern int16_t GoalReplayCountdown;
extern int16_t FoulTeam;  // the team that fouled
extern int16_t FouledPlayer;
extern int16_t FoulX, FoulY;
extern int16_t PhaseWaitTicks;  // ticks a phase has waited for its figures
extern int16_t RestartTeam;     // the team awarded the restart
extern int16_t FormationOffset[2];

void MatchPhaseTick();
using MatchPhaseHandler = void (*)();
// The handler of a phase code; a code outside 0..29 ends the program.
MatchPhaseHandler MatchPhaseHandlerOf(uint16_t phase);
void MatchOfferTeamMenus();
void MatchStartSubstitution(int16_t team);
// Sends up to three players of a restart to the given places, where they
// wait facing the ball until play is on.
void MatchPlaceRestartPlayers(int16_t count, const int16_t* figures, const int16_t* x, const int16_t* y);
// Toggles a team's request for its team menu at the next stoppage.
void ChangePendingRequest(int team);
// 1 when the shoot-out is decided after n kicks with scores s0 and s1.
bool MatchShootoutOver(int n, int s0, int s1);
// 1 when the point lies in the penalty area team defends (its line inside).
bool MatchInDefendingArea(int team, int x, int y);
// The pause before a restart in the given phase for a team trailing or not.
int16_t MatchRestartPause(uint16_t phase, bool behind);
