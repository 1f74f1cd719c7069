// Tackles: whether and how a defender goes in on the player on the ball,
// and how the challenge ends for the carrier (he rides it, perhaps knocking
// the ball on, or goes down, perhaps hurt).
#pragma once
#include <cstdint>

// Injuries given in the match's challenges, per team; none after four.
extern uint8_t TackleInjuries[2];
constexpr uint8_t kTackleInjuryLimit = 4;

// Clears the injury counts and the challenges' per-match state at the
// start of a match.
void MatchResetTackleCounts();
// The defender's choice of tackle on the carrier: may set his action
// (32, 56, 89, 91 or 116), facing and variant.
void MatchChooseTackle(int16_t defender, int16_t carrier);
// The carrier's side of a challenge: 1 when he stays up, 0 when he was
// brought down.
int16_t MatchChallengeOutcome(int16_t carrier, int16_t challenger);
