// The coaching file of a coached player: slot set-up and release, the
// choice, set-up, start and close of his main and rehabilitation
// programs, the attitude reaction to rehabilitation, the progress state the
// condition screen shows, and the injury hook.  A player without a coaching
// slot is left untouched by all of them.
#pragma once
#include <cstdint>

// Injury types that call for a rehabilitation program.
bool InjuryNeedsRehab(int16_t injuryType);

// Called by the injury routine after it stored the injury: resets the
// coached player's recovery figures and program flags and caps his fitness.
void SquadRec_UpdatePlayer(uint16_t player, int16_t period, int16_t injuryType);

// Slot 0..31 made ready for the player, or freed with player 0.
void SquadRec_InitSlot(int16_t slot, uint16_t player);
// Frees the player's coaching slot, when he has one.
void Player_ReleaseCoachingSlot(uint16_t player);

// Days, points and points per unit of a program of entry k.
void SquadRec_BasePoints(int16_t slot, int16_t k, int16_t base, int32_t* days, int32_t* points,
                         int32_t* perUnit);
// Target points, points per unit and planned units of program `code` of
// entry k; all 0 for a free slot or code 0.
void SquadRec_SetupProgram(int16_t slot, int16_t k, int16_t code, int32_t* first, int32_t* second,
                           int32_t* third);
// Starts the queued program of entry k (0 main, 1 rehabilitation).
void SquadRec_StartProgram(uint16_t player, int16_t k);
// Records entry k's program in the history.
void SquadRec_CloseProgram(int16_t slot, int16_t k);
// The suggested main program, -1 when none has room to improve anything.
int16_t SquadRec_ChooseProgram(uint16_t player);
// The attitude's reaction to rehabilitation program `code`; 0 or 1.
int16_t SquadRec_RehabReaction(int16_t slot, int16_t code);
// Progress state of main program `code`: -1 no slot, 0 idle, 1 no coach,
// 2 completed, 3..7 by progress, 8 just begun, 9 not started.
int16_t SquadRec_ProgramState(uint16_t player, int16_t code);
