// Offside: team-mates beyond the defending line are marked when a player
// touches the ball; a marked player who then touches it while still beyond
// the line is called.
#pragma once
#include <cstdint>

#include "core/match/phases.h"

constexpr int16_t kOffsideTolerance = 16;

// Drawn per period: 20..99, the chance in 100 of calling a close offside.
extern int16_t OffsideStrictness;
// Where and by whom the last offside was committed.
struct OffsideRecordValues {
    int16_t x, y;
    uint8_t team;
    int16_t figure;
};
extern OffsideRecordValues OffsideRecord;
// The set-piece word cleared by a call.
extern int16_t SetPieceWord;

void MatchDrawOffsideStrictness();
// Whether the player, of the attacking team given, stands on the pitch
// beyond the defending team's offside line and beyond the halfway line.
bool MatchBeyondOffsideLine(int16_t figure, int attackers);
void MatchMarkOffside(int16_t figure);
void MatchMarkTeamOffside(int16_t figure);
void MatchClearOffsideFlags();
