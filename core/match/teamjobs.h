// The team jobs of the match that are not about the ball itself: the
// computer manager's substitutions (who comes off, who comes on, who goes
// in goal), the marking job of tick phase 2, the offside step-back of tick
// phase 3, the man-markers' places and the search for the ball holder.
#pragma once
#include <cstdint>

#include "core/match/matchfigure.h"

// Per team the computer manager's substitution request: byte 0 the figure
// to take off, kNoSubstitutionRequest none.
constexpr int kSubstitutionRequestSize = 5;
constexpr uint8_t kNoSubstitutionRequest = 255;
extern uint8_t SubstitutionRequest[2][kSubstitutionRequestSize];

// The marking job's state: the team whose attackers are marked, the calls
// since possession went to the other team, and which defenders have been
// given a man in this call.
extern int16_t MarkingTeam;
extern int16_t MarkingChangeCount;
extern uint32_t MarkerAssigned[kPlayerFigures];

// The same start for every match: no request, team 0 marked.
void Match_ResetTeamJobs();

// Substitutions the team has made in this match (its substitutions used).
int16_t Match_SubstitutionsMade(int team);
// The coming substitute (a slot 0..15 of the team) takes the leaving
// player's place in the side and in the formation and runs on; outside a
// practice match both start from the touchline at the halfway line and the
// substitution is counted.
void MatchSubstitutePlayer(int16_t team, int16_t leavingSlot, int16_t comingSlot);

// The computer manager's choice of the player to take off; leaves it in
// the team's request (with the team's stoppage request) and returns it,
// -1 when none.
int16_t Match_ComputerSubstitution(int16_t team);
// The bench player to bring on for the outgoing figure, -1 none.
int16_t Match_PickSubstitute(int16_t team, int16_t outgoing);
// Puts the outfield player best in goal into the keeper's slot.
void Match_PickPlayerByAttributes(int16_t team);
// Exchanges, in the team's line-up, the entries holding figures
// 16 x team + a and 16 x team + b.
void MatchSwapLineUp(int16_t team, int16_t a, int16_t b);

void Match_TeamJobPhase2();
void Match_TeamJobPhase3();
void Match_PlaceManMarkers();
void Match_FindBallHolder();
