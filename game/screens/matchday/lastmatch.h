// The user's last match, kept: when his own match of the day ends, the
// match-day module copies the set-up and result blocks, the fixture slot,
// the referee, the crowd, the match minute and the team counters.  The live
// blocks hold a later fixture's result once the day's other fixtures run;
// every after-match screen reads this copy instead.  The copy lives for the
// run of the program; before the user's first match of a run there is none
// and the screens that need it are not offered.
#pragma once
#include <cstdint>

#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/records/referees.h"

struct LastMatchCopy {
    EnterGameInfo setup;
    MatchResultBlock result;
    TeamMatchCounters counters;   // zone ticks and the five counter pairs
    int16_t fixture;              // slot in the fixture table
    int16_t day;                  // the day it was played
    int16_t referee;              // number in the referee table, -1 none
    RefereeRecord refereeRecord;  // his record as it stood (a made-up one is reused later)
    int32_t attendance;
    int16_t minute;  // the match minute at the end, 0..120
};

// Takes the copy from the live blocks after the user's match in the slot.
void LastMatch_Keep(int16_t fixture);
// Takes a copy made elsewhere (tests, constructed states).
void LastMatch_Set(const LastMatchCopy& copy);
void LastMatch_Forget();
bool LastMatch_Exists();
// The kept copy; an empty copy (no teams, fixture -1) when none is kept.
const LastMatchCopy& LastMatch();

// Readers of the copy.
// Full-time goals and shoot-out goals; the shoot-out values are -1 when
// there was no shoot-out (neither side scored one).
void LastMatch_Scores(int16_t* home, int16_t* away, int16_t* homeShootOut, int16_t* awayShootOut);
// The side's team name (zero-terminated even when the block's is not).
const char* LastMatch_TeamName(int side);
// The side's player report of entry 0..15.
const uint8_t* LastMatch_PlayerReport(int side, int entry);
// The referee's initial (0 when none) and surname ("" when none).
char LastMatch_RefereeInitial();
const char* LastMatch_RefereeSurname();
// The side of the user's team: the side of his club when one of the two
// teams is his club; else 1 when the first team is computer managed, else 0.
int16_t LastMatch_UserSide();
