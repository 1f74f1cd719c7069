// The match's services for the rest of the game: for now the two match
// sound banks, added at start-up and removed at shutdown.
#pragma once
#include <cstdint>

#include "core/match/teamjobs.h"
#include "core/match/teamsetup.h"

// The game's sound-off switch: when set at start-up the sound driver is
// not started and every sound call does nothing.
extern int16_t MatchSoundOff;

// The bank keys of the match effects (42 samples) and of the pre-match
// crowd (1 sample); -1 while the sound driver is not running.
extern int16_t MatchEffectsBankKey;
extern int16_t MatchCrowdBankKey;

constexpr int MATCH_EFFECTS_SAMPLES = 42;

void MatchInitSoundBanks();
void UninitMatchSoundBanks();

// ---------------------------------------------------------------------------
// The running match as the in-match menus and screens read and change it.
// A team is 0 or 1 and a slot 0..15 (figure 16 x team + slot); a query given
// anything else answers 0 (or no address) and changes nothing.

struct TacticRecord;
struct MatchFigure;

// MatchSubsUsed, the substitutions each team has made, is declared with
// the match's start (core/match/teamsetup.h).
// The figure last asked about by MatchIsCornerTaker, -1 none.
extern int16_t MatchLastAskedFigure;

// The running score and the first-leg goals, 0xFFFF for both first-leg
// values when both are 0 (a single match).
void GetMatchScores(uint16_t* goals0, uint16_t* goals1, uint16_t* firstLeg0, uint16_t* firstLeg1);

// The four roles: each stores the figure of the slot in the team's entry.
void MatchSetCornerTaker(int16_t team, int16_t slot);
void MatchSetFreeKickTaker(int16_t team, int16_t slot);
void MatchSetDirectFreeKickTaker(int16_t team, int16_t slot);
void MatchSetPenaltyTaker(int16_t team, int16_t slot);
void MatchSetCaptain(int16_t team, int16_t slot);
int16_t MatchIsCornerTaker(int16_t team, int16_t slot);
int16_t MatchIsFreeKickTaker(int16_t team, int16_t slot);
int16_t MatchIsPenaltyTaker(int16_t team, int16_t slot);
int16_t MatchIsCaptain(int16_t team, int16_t slot);

void MatchClearChangeRequests();
TacticRecord* MatchGetLiveTactics(int16_t team);
// MatchSubstitutePlayer, the substitution itself, lives with the match's
// team jobs (core/match/teamjobs.h): the substitute's walk-on brings him on
// through it too.
// Exchanges the side entries that hold the two figures of the team: the
// team jobs' line-up exchange (MatchSwapLineUp), as the menus call it.
void MatchSwapSideEntries(int16_t team, int16_t slotA, int16_t slotB);
int16_t MatchWasSubbedOffInjured(int16_t team, int16_t slot);
int16_t MatchIsPlayerInjured(int16_t team, int16_t slot);
int16_t MatchIsPlayerOnBench(int16_t team, int16_t slot);
int16_t MatchIsPlayerOnPitch(int16_t team, int16_t slot);
// A named substitute not used yet.
int16_t MatchIsSubstituteAvailable(int16_t team, int16_t slot);
// Injured while still on the pitch: he must be replaced.
int16_t MatchIsPlayerHurt(int16_t team, int16_t slot);
// The match ticks of the figure's first and latest turn in open play.
uint32_t MatchPlayerActivityA(int16_t team, int16_t slot);
uint32_t MatchPlayerActivityB(int16_t team, int16_t slot);
int16_t MatchHasPlayed(int16_t team, int16_t slot);
MatchFigure* MatchGetFigure(int16_t team, int16_t slot);
int16_t MatchGetSubsUsed(int16_t team);
// The slot held by the team's side entry 0..15.
int16_t GetMatchSideSlot(int16_t team, int16_t entry);
// The side entry that holds the figure; none ends the program.
int16_t Football_GetPlayersPosition(int16_t team, int16_t slot);
// Field 0..68 of a player report: its value into *value and its label
// text as the result.  Any other field ends the program.
int16_t Football_GetPlayerMatchRecordText2(int32_t* value, int16_t field, const uint8_t* report);
