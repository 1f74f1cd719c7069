// Match set-up: the match record of a fixture (competition rules, referee,
// stadium and crowd, both sides), the crowd with its gate and broadcast
// money, the record-crowd check after the match, and the two match records
// built outside the fixtures: the practice match and the user's side kept
// for saving.
#pragma once
#include <array>
#include <cstdint>

#include "core/season/calendar.h"
#include "core/season/leagues.h"

// Per country and division row: {points for a win, substitutes, 0}; rows
// beyond a country's last division hold zeros.
enum DivisionRuleByte : int { kRuleWinPoints = 0, kRuleSubstitutes = 1 };
extern const uint8_t DivisionMatchRules[kCountryCount][kDivisionCount][3];

// What a televised match pays, per country and division: each club gets
// one 25th of it.
extern const int32_t BroadcastMoney[kCountryCount][kDivisionCount];

// Money per spectator, per country and division.
extern const int16_t TicketPrice[kCountryCount][kDivisionCount];

// 1 for a country whose leagues are played.
extern const int16_t CountryInPlay[kCountryCount];

// Per country three play-off words; a first word of 2 gives the play-off
// semi-finals' first matches extra time and a shoot-out.
extern const int16_t PlayOffKinds[kCountryCount][3];

// Percent of the crowd a competition draws, by competition type 0..120.
constexpr int kAttendanceFactors = 121;
extern const std::array<int16_t, kAttendanceFactors> AttendanceFactor;

// The rules of the fixture being prepared, reset for every fixture and read
// by team selection, the results and the quick prediction: extra time (0
// none, 1 extra time, 4 golden goal), a shoot-out for a draw, the away-goals
// rule, both sides' first-leg goals and a fifth word that stays 0.
struct MatchRuleWordSet {
    int16_t extraTime;
    int16_t penalties;
    int16_t awayGoalsRule;
    int16_t oldGoals[2];
    int16_t fifthWord;
};
extern MatchRuleWordSet MatchRuleWords;

// The crowd of the fixture being processed, and how far (percent) the away
// support falls short of the home support (0 when it does not).
extern int32_t LastAttendance;
extern int16_t AwaySupportShortfall;

// While set every side is picked and played as a computer side.
extern int16_t AutoManagementSwitch;

// What the set-up needs of the front end and the 3D display, installed by
// the game side; unset hooks do nothing (the kit bytes then stay as they
// are).
struct MatchSetupHooks {
    // Releases the menu engine's buffers before a shown match and rebuilds
    // the menus afterwards.
    void (*releaseMenuBuffers)();
    void (*restartMenus)();
    // Writes 28 bytes of kit design for the side's club against the
    // opponent.
    void (*teamDesign)(int16_t club, int16_t opponent, int16_t side, uint8_t* kit);
};
extern MatchSetupHooks SetupHooks;

// Fills the match record of a club fixture in the slot: rules, referee,
// crowd and money, stadium, both sides.  Clubs outside 0..1199 end the
// program.
void PrepareClubMatch(int16_t slot, int16_t home, int16_t away);
// The same for a national-team fixture (nation numbers); gives the number
// of line-ups (0..2) that could not be completed.
int16_t PrepareNationalMatch(int16_t slot, int16_t home, int16_t away);
// The crowd of the fixture, paid out as gate and broadcast money and stored
// in the fixture.
void ComputeAttendance(int16_t slot);
// While kept, the average attendance's count of a club's league home
// fixtures before today comes from every club's counts, taken in one walk
// at the first league crowd of a day and taken again after any change of
// the fixture table's slots (FixtureTableGeneration). Keepers may nest; the
// last KeepLeagueHomeCounts(false) drops them (a load may follow).
void KeepLeagueHomeCounts(bool keep);
// After the match: the home club's record and lowest crowds.
void RecordCrowdCheck(int16_t home, int32_t attendance, int16_t away);
// The training screen's practice match of the selected club's first eleven
// against its reserve side, played with the display.
void PlayPracticeMatch();
// Set once the user's club has had its practice match today (or has a
// fixture today); the daily club jobs clear it.
extern uint16_t PracticeMatchPlayed;
// The user's club team as one 6087-byte team block, copied into the block
// the SaveTeam file holds (SavedTeamInfo).
void AutoSelectTeamForSave();

// Writes a side's name, club, kit and the names, numbers and position codes
// of the players on its team sheet (slots 0-15).  nameSuffix is a text id
// appended after a blank, or -1.
void FillTeamNames(int16_t side, int16_t club, int16_t opponent, const char* name, int16_t nameSuffix);
