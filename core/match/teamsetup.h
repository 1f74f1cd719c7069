// Team set-up: the pitch's dimensions, the figures placed before every
// period, and at the match's first period the players' data, tactics and
// formation tables of both teams.
#pragma once
#include <cstdint>

#include "core/club/tactics.h"

// The working copy of a team's tactic record from which its formation table
// is built (mirrored across the pitch by the build).
extern TacticRecord FormationWorkingTactic;
// Each team's goalkeeper figure, noted at every period's set-up.
extern int16_t GoalkeeperFigure[2];
// Whether the match is played without the display, noted at its start.
extern uint8_t MatchUnshown;
// From the set-up block at the match's start.
extern uint8_t MatchPitchCondition;
extern int16_t MatchSubstitutesAvailable;
// Where the shoot-out's kicks are taken.
extern int16_t ShootOutSpotX, ShootOutSpotY;
// Substitutions each team has made (a practice match counts none); set
// back for every match.
extern int16_t MatchSubsUsed[2];

constexpr uint8_t kTakerNone = 255;
constexpr int kTacticBytes = 7;

void Match_SetPitchGeometry();
// Sets the figures up for the period named by Period.
void Match_SetupPeriod();
// At the first period: line-ups, tactics and formation tables of both teams.
void MatchTeam_SetupBoth();
// Takes the working copy of the team's live tactic record.
void MatchTeam_TakeWorkingCopy(int team);
void MatchTeam_ApplyTactics(int team);
void MatchTeam_ApplySetup(int team);
void MatchTeam_MirrorPositions();
// Builds variant 0 (A, the team with the ball) or 1 (B) of the working
// copy's formation table in FormationScratch.
void MatchTeam_BuildFormationTable(int variant);
// A rating as the figure keeps it: value / 2 + 50, at most 100.
int8_t Match_CompressStat(int value);
