// The match result block: the reports of the last or the live match, one
// 2603-byte team report per side (0 home, 1 away).
#pragma once
#include <cstdint>

constexpr int kTeamReportSize = 2603;
constexpr int kPlayerReportSize = 139;
constexpr int kTeamReportPlayers = 16;

// Byte offsets within a team report.
enum TeamReportField : int {
    kReportGoals = 0,             // u16
    kReportShootOutGoals = 2,     // u16
    kReportPlayers = 16,          // 17 player reports of 139 bytes
    kReportManOfTheMatch = 2379,  // u16 player number
    kReportGoalCount = 2381,      // u16 entries in the goal list
    kReportGoalList = 2383,       // 20 entries of 8 bytes
    kReportPairList = 2543,       // 20 byte pairs, second byte 0 or below ends
    kReportCounters = 2583,       // ten u16 statistics words
};
constexpr int kReportGoalEntries = 20;
constexpr int kReportGoalEntrySize = 8;
constexpr int kReportPairs = 20;
constexpr int kReportCounterWords = 10;

// 16-bit words of a player report: rating (0 = did not play), goals,
// assists, card state (0 none, 1 booked, 2 sent off after a second booking,
// 3 sent off), workload, injury kind, player number.
enum PlayerReportWord : int {
    kPlayerRating = 0,
    kPlayerGoals = 2,
    kPlayerAssists = 4,
    kPlayerCards = 6,
    kPlayerWorkload = 8,
    kPlayerInjury = 10,
    kPlayerNumber = 12,
};

struct TeamMatchReport {
    uint8_t bytes[kTeamReportSize];
};
static_assert(sizeof(TeamMatchReport) == 2603);

struct MatchResultBlock {
    TeamMatchReport teams[2];
};

extern MatchResultBlock MatchResult;
MatchResultBlock* GetMatchBlock();
static_assert(kReportCounters + 2 * kReportCounterWords == kTeamReportSize);
static_assert(kReportPlayers + 17 * kPlayerReportSize == kReportManOfTheMatch);
