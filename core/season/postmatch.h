// Post-match club jobs: after every fixture each club's job turns the match
// result into lasting changes: the manager's standing with the fans, the
// user's match columns, and for every player who took part his form,
// morale, fans, appearances, goals, bonuses, cup ties, discipline, fatigue
// and injuries; then the fixture's line-up, the club records and logs.
#pragma once
#include <cstdint>

// Set by the match-day screens: 1 selects the table-driven injury rule of
// the full job.
extern uint16_t MatchDaySwitch;
// Set by the player-condition screen (0, 1 or 2); 0 lets a reserve injury
// take effect only 30 times in 100.
extern uint16_t MatchDayMode;
// Percent applied to a computed fatigue.
extern int16_t FatigueScale;

// Disciplinary thresholds in stored units (three displayed points each)
// and the bans they bring.
struct DisciplinaryThreshold {
    int16_t units;
    int16_t points;
    int16_t ban;
};
extern const DisciplinaryThreshold DisciplinaryThresholds[4];

// The full job of a club (side 0 home, 1 away) after the fixture in the
// slot; on national-team days (118, 119) the clubs are nations and only the
// players' steps run.  A slot of 20000 or more ends the program for a
// competition below 117.
void PostMatchClubJob(int16_t club, int16_t side, int16_t competition, int16_t slot);
// The reserve-league job (competition 120).
void PostMatchClubJobShort(int16_t club, int16_t side, int16_t competition, int16_t slot);
// The first threshold the player's points passed since `oldUnits` bans him
// (message 92 to his club).
void CheckDisciplinaryThresholds(uint16_t player, int16_t oldUnits);
// A win (or defeat) by a wider margin than the club's record, or by the
// same margin with more goals, becomes the record (message 12 or 13 after
// the first season) and moves the club's reputation by one.
void CheckRecordWin(int16_t club, int16_t opponent, int16_t goalsFor, int16_t goalsAgainst);
void CheckRecordDefeat(int16_t club, int16_t opponent, int16_t goalsFor, int16_t goalsAgainst);
