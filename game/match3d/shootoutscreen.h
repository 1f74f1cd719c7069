// The penalty shoot-out order (in-game menu 8): before a shoot-out, once for
// each human-managed side, ten kickers of that side in kicking order, with
// their shooting figures and a grade; two picks swap two places.  The
// order is the side's own table of the match engine, which the shoot-out
// reads.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The place picked first (0..9), 65535 none.
extern uint16_t IgShootoutPick;

struct IgShootoutRow {
    uint16_t player;  // 0 a blank row
    char name[24];
    int16_t position;  // text id, -1 none
    int16_t stats[3];  // statistics 14, 4 and 7
    int16_t experience;
    int16_t grade;  // text id
};
extern IgShootoutRow IgShootoutRows[10];

// The side shown: the one the request named, else the human-managed one.
void IgShootout_Enter();
void IgShootout_Build();
int32_t IgShootout_PickPlace(int place);
int32_t IgShootout_Leave();
// The grade of the kicker in the side's match slot: text 249 (yes) from
// 45, 767 (doubtful) from 35, else 248 (no); the value is his penalty
// shooting figure times his match rating / 100.
int16_t IgPenaltyGrade(int16_t side, int16_t slot);
int16_t IgPenaltyGradeText(int value);

extern const MenuItem IgShootoutTable[];
