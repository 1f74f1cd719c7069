// The match result block: the reports of the last or the live match, one
// 2603-byte team report per side (0 home, 1 away), the event list, the
// pressure of every minute and the heat maps.  The block lives in memory
// only; the team reports are byte layouts because the post-match code and
// the screens read them by byte position.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/match/matchfigure.h"

constexpr int kTeamReportSize = 2603;
constexpr int kPlayerReportSize = 139;
constexpr int kTeamReportPlayers = 16;  // entries written; the 17th is reserved
constexpr int kTeamReportEntries = 17;
constexpr int kTeamTotals = 6;

// ---------------------------------------------------------------------------
// Team report
constexpr int kReportGoals = 0;             // u16: goals in play, extra time included
constexpr int kReportShootOutGoals = 2;     // u16: penalties scored in the shoot-out
constexpr int kReportTotals = 4;            // 6 x u16 team totals (TeamTotal)
constexpr int kReportPlayers = 16;          // 17 player reports of 139 bytes
constexpr int kReportManOfTheMatch = 2379;  // u16: best player of the match when he plays here, else 0xFFFF
// The club season logs read what follows.
constexpr int kReportGoalCount = 2381;  // u16: entries in the goal list
constexpr int kReportGoalList = 2383;   // 20 goal entries of 8 bytes
constexpr int kReportPairList = 2543;  // 20 pairs (squad entry, match score); a score of 0 or below ends them
constexpr int kReportCounters = 2583;  // ten u16 words (ReportCounter)
constexpr int kReportGoalEntries = 20;
constexpr int kReportGoalEntrySize = 8;
constexpr int kReportPairs = 20;
constexpr int kReportCounterWords = 10;
static_assert(kReportPlayers == kReportTotals + 2 * kTeamTotals);
static_assert(kReportPlayers + kTeamReportEntries * kPlayerReportSize == kReportManOfTheMatch);
static_assert(kReportGoalList == kReportGoalCount + 2);
static_assert(kReportPairList == kReportGoalList + kReportGoalEntries * kReportGoalEntrySize);
static_assert(kReportCounters == kReportPairList + 2 * kReportPairs);
static_assert(kReportCounters + 2 * kReportCounterWords == kTeamReportSize);

// The six team totals, counted during play.
enum TeamTotal : int {
    kTotalShots,
    kTotalShotsOnTarget,
    kTotalCorners,
    kTotalFouls,
    kTotalOffsides,
    kTotalPossessionPct,  // share of the ticks of possession, 0..100
};

// A goal entry: scorer's record number (u16), minute (u8), a packed byte
// (bits 0-4 the scorer's squad entry, bits 5-6 the period 0-3, bit 7 an own
// goal), three reserved bytes and the assisting squad entry (0xFF none).
constexpr int kGoalScorer = 0;
constexpr int kGoalMinute = 2;
constexpr int kGoalPacked = 3;
constexpr int kGoalAssist = 7;

// The ten words that the club logs add up over a season.
enum ReportCounter : int {
    kCounterGoalsFor,
    kCounterGoalsAgainst,
    kCounterShootOutGoals,
    kCounterShots,
    kCounterShotsOnTarget,
    kCounterCorners,
    kCounterFouls,
    kCounterOffsides,
    kCounterBookings,
    kCounterSendingsOff,
};

// ---------------------------------------------------------------------------
// Player report (139 bytes): six words, then the 127-byte statistics record
// from byte 12.
constexpr int kPlayerRating = 0;    // u16 MatchScore: -1 not in the squad, 0 did not play, else 10..99
constexpr int kPlayerGoals = 2;     // i16 GoalsScored
constexpr int kPlayerAssists = 4;   // u16
constexpr int kPlayerCards = 6;     // u16 Bookings: 0..2 cautions, 3 sent off
constexpr int kPlayerWorkload = 8;  // i16: the figure's workload
constexpr int kPlayerInjury = 10;   // i16: the figure's injury value
constexpr int kPlayerStatsRecord = 12;
constexpr int kPlayerNumber = 12;  // u16: the player's record number, first word of the statistics record
constexpr int kPlayerStatsRecordSize = 127;
static_assert(kPlayerStatsRecord + kPlayerStatsRecordSize == kPlayerReportSize);

// Fields of the statistics record at their byte positions in the player
// report.  The three relative scores are 95 x the player's count / the
// highest count of the 32 players.
constexpr int kStatsRelativeScoreA = 16;  // i16
constexpr int kStatsRelativeScoreB = 18;  // u16
constexpr int kStatsRelativeScoreC = 20;  // u16
constexpr int kStatsValueW = 22;          // i16: the match rating as counted so far
constexpr int kStatsCountN = 26;          // i8
constexpr int kStatsEndMinute = 127;      // i8: match minute he left the pitch or the match ended
constexpr int kStatsStartMinute = 128;    // i8: match minute he came on
constexpr int kStatsInjured = 129;        // i8: above 0 injured in the match
constexpr int kStatsKeeperFlags = 132;    // u16: bit 0 played in goal
constexpr int kStatsOutfieldFlags = 134;  // u8: bit 0 played outfield
constexpr int kStatsPackedWord = 135;     // u16: bits 0-1, 2-5, 6-7 card state, 8-9
// The player's match counts, one byte each (a count above the byte's
// range stays at its largest value).  The match-attribute ratings of the
// query layer weigh them by these positions: defending (tackles won,
// possession lost, intercepts, clearances, headers in his own half, the four
// kinds of foul), involvement (the relative scores, assists, poor controls,
// times tackled), passing (short and long passes, touches, crosses, good
// controls), keeping (saves, catches, the other stops) and attacking (shots
// on and off target, men beaten, attacking touches, goals, offsides).
constexpr int kStatsGoals = 14;            // i8: goals scored, the record's first count
constexpr int kStatsAssists = 26;          // i8
constexpr int kStatsPoorControls = 35;     // u8
constexpr int kStatsShotsOnTarget = 43;    // u8: shots a keeper saved, and goals
constexpr int kStatsShotsOffTarget = 44;   // u8
constexpr int kStatsGoalsScored = 47;      // u8: the goals again, among the attacking counts
constexpr int kStatsShortPassesGood = 51;  // u8
constexpr int kStatsShortPassesLost = 52;  // u8
constexpr int kStatsOwnHalfHeaders = 53;   // u8
constexpr int kStatsAttackTouches = 54;    // u8
constexpr int kStatsGoodControls = 57;     // u8
constexpr int kStatsCrossesGood = 58;      // u8
constexpr int kStatsPossessionLost = 59;   // u8
constexpr int kStatsTacklesWon = 60;       // u8
constexpr int kStatsFouls = 61;            // u8: fouls committed
constexpr int kStatsHandballs = 62;        // u8
constexpr int kStatsChallengeFouls = 63;   // u8
constexpr int kStatsInjuriesCaused = 64;   // u8
constexpr int kStatsClearances = 75;       // u8
constexpr int kStatsIntercepts = 82;       // u8
constexpr int kStatsMenBeaten = 83;        // u8: dribbled past a man
constexpr int kStatsOffsides = 84;         // u8
constexpr int kStatsTackleAttempts = 85;   // u8
constexpr int kStatsSaves = 86;            // u8
constexpr int kStatsLongPassesLost = 87;   // u8
constexpr int kStatsCatches = 88;          // u8
constexpr int kStatsOtherStops = 90;       // u8: parries, tips, punches and smothers
constexpr int kStatsTimesTackled = 91;     // u8
constexpr int kStatsPenaltiesTaken = 36;   // u8
constexpr int kStatsCornersTaken = 37;     // u8
constexpr int kStatsFreeKicksAtGoal = 38;  // u8: free kicks shot at goal
constexpr int kStatsCrossesLost = 39;      // u8: crosses that found no team-mate
constexpr int kStatsKnockedDown = 40;      // u8: times fouled to the ground
constexpr int kStatsPenaltyGoals = 41;     // u8: penalties in play scored
constexpr int kStatsFreeKickGoals = 42;    // u8: goals straight from a free kick
constexpr int kStatsPenaltiesMissed = 45;  // u8: penalties in play saved or missed
constexpr int kStatsPenaltySaves = 46;     // u8: a keeper's penalty saves
// Per team-mate (entry j for the team-mate of squad entry j): the short
// passes the player gave him, and the short passes he received from him.
constexpr int kStatsPassesTo = 92;         // u8[16]
constexpr int kStatsPassesFrom = 108;      // u8[16]
constexpr int kStatsTouches = 124;         // u8
constexpr int kStatsLongPassesGood = 125;  // u8
// Ticks of the match clock per match minute, for the two minute fields.
constexpr int kTicksPerReportMinute = 333;

// The 69 fields of a player report as the match screens list them, in
// order: byte position in the report, kind and label text.
enum class ReportFieldKind : uint8_t { U8, I8, U16, I16, Bit0, Bits };
struct ReportFieldDesc {
    uint8_t at;
    ReportFieldKind kind;
    uint8_t shift;  // for Bits: first bit of the 16-bit word
    uint8_t width;  // for Bits
    int16_t label;
};
constexpr int kReportFieldCount = 69;
extern const ReportFieldDesc PlayerReportFields[kReportFieldCount];

// ---------------------------------------------------------------------------
// Event list, minute pressure, heat maps
constexpr int kMatchEvents = 200;
constexpr int kMatchEventSize = 11;
// An event row: kind (u8, 0xFF ends the list), period (i16), minute (i16),
// value (i16: the team of the figure), player record number (u16), a second
// value (i16).  A goal is kind 0 for the scorer's team; an own goal is kind
// 4 and counts for the other team.
constexpr int kEventKind = 0;
constexpr int kEventPeriod = 1;
constexpr int kEventMinute = 3;
constexpr int kEventTeam = 5;
constexpr int kEventPlayer = 7;
constexpr int kEventValue2 = 9;
constexpr uint8_t kEventEnd = 0xFF;
constexpr uint8_t kEventGoal = 0;
constexpr uint8_t kEventSubstitution = 1;
constexpr uint8_t kEventSendingOff = 3;
constexpr uint8_t kEventOwnGoal = 4;
// A caution: kind 5, the kind the match chart labels "Booked" and the
// match event history keeps as a booking.
constexpr uint8_t kEventBooking = 5;
// A penalty that was saved or missed, as the quick prediction lists them;
// no reader takes it for a card or a goal.
constexpr uint8_t kEventPenaltyMissed = 6;

constexpr int kMatchMinutes = 121;
constexpr uint8_t kNoMinuteValue = 0xFF;

constexpr int kHeatMapColumns = 15;  // across the pitch
constexpr int kHeatMapRows = 18;     // along it
constexpr int kHeatMaps = 34;        // 32 player figures, then the ball by team 0 and team 1
constexpr int kBallHeatMap = kPlayerFigures;

struct TeamMatchReport {
    uint8_t bytes[kTeamReportSize];
};
static_assert(sizeof(TeamMatchReport) == 2603);

struct MatchResultBlock {
    TeamMatchReport teams[2];
    uint8_t reserved[20];
    uint8_t events[kMatchEvents][kMatchEventSize];
    uint8_t minutes[kMatchMinutes];
    // Cell counts as [map][row][column].
    alignas(4) uint32_t heatMaps[kHeatMaps][kHeatMapRows][kHeatMapColumns];
};
static_assert(offsetof(MatchResultBlock, events) == 2 * kTeamReportSize + 20);
static_assert(offsetof(MatchResultBlock, minutes) == offsetof(MatchResultBlock, events) + 2200);

extern MatchResultBlock MatchResult;
MatchResultBlock* GetMatchBlock();

// A player report of a team.
uint8_t* MatchPlayerReport(int team, int entry);

// ---------------------------------------------------------------------------
// Match-wide counters that the running match keeps for the reports.

// Per team the six totals (TeamTotal), bumped during play and copied into
// the reports.
extern uint16_t MatchTeamTotals[2][kTeamTotals];
// Set by the fixture code while a result is predicted instead of played;
// the player scores then use the shorter weighting.
extern uint8_t MatchResultPredicted;

void ClearHeatMaps();
// Counts one tick of open play into the heat maps.
void Match_CountHeatMaps();

// Fills each team's shots, shots on target and possession share from the
// counters kept during play.
void MatchTallyPlayTotals();
// Writes both team reports from the running match.
void MatchCopyTeamStats();

// The running match's team counters in pairs (first team, second team), as
// the in-match team statistics show them.  The zones are the pitch's three
// bands from the first team's goal: X its defensive third (the second
// team's attacking third), Y the middle, Z its attacking third; each side's
// count is the ticks it had the ball there.  The rows: shots (the side's
// shot count), shots on target (its shots the keeper saved, and its goals,
// at most its shots), free kicks (awarded: the other side's fouls), balls
// won (its players' tackles won and interceptions) and offsides.
enum TeamCounterRow : int {
    kCounterRowShots,
    kCounterRowOnTarget,
    kCounterRowFreeKicks,
    kCounterRowBallsWon,
    kCounterRowOffsides,
};
constexpr int kCounterZones = 3;
constexpr int kCounterRows = 5;
struct TeamMatchCounters {
    uint32_t zones[kCounterZones][2];
    uint32_t rows[kCounterRows][2];
};
TeamMatchCounters MatchGetTeamCounters();
// The player's match score: -1 for a negative mark, 0 for 0, else 10..99.
int16_t MatchRatePlayer(int16_t final, int16_t figure);
// Rates the first eleven of both teams and returns the best player's team
// and squad entry; team -1 when no player has a mark above 0.
void MatchChooseBestPlayer(int16_t* team, int16_t* slot);
