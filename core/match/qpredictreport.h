// The report records of predicted matches: one 17-byte bit-packed record
// per goal, dismissal and missed penalty of a reported fixture, kept in a
// list that the season reads and empties at the start of each match day.
#pragma once
#include <array>
#include <cstdint>

constexpr int kQpReportRecordSize = 17;
// Records one match day can hold; further records are dropped with a
// warning.
constexpr int kQpReportCapacity = 4096;

enum QpReportEvent : uint8_t {
    kQpReportGoal = 1,
    kQpReportPenaltyGoal = 2,
    kQpReportOwnGoal = 3,
    kQpReportDismissal = 4,
    kQpReportMissedPenalty = 5,
};

// The fields in their order in the record, from bit 0 of byte 0 upward.
enum QpReportField : int {
    kQpFieldEvent,          // 3 bits
    kQpFieldClub,           // 11 bits: the side concerned (8 would cut club numbers above 255)
    kQpFieldGoals,          // 4 bits
    kQpFieldMinute,         // 8 bits: match minute + 1
    kQpFieldEventNumber,    // 8 bits
    kQpFieldSide,           // 1 bit
    kQpFieldPlayer,         // 19 bits: database id (an own goal: the defender)
    kQpFieldCupTie,         // 1 bit: a national-team fixture
    kQpFieldOtherClub,      // 11 bits
    kQpFieldOtherGoals,     // 4 bits
    kQpFieldCarried,        // 5 bits
    kQpFieldOtherCarried,   // 5 bits
    kQpFieldShootOut,       // 4 bits
    kQpFieldOtherShootOut,  // 4 bits
    kQpFieldCompetition,    // 8 bits
    kQpFieldFixtureA,       // 4 bits
    kQpFieldFixtureB,       // 4 bits
    kQpFieldFixtureC,       // 5 bits
    kQpFieldFixtureFlag,    // 1 bit
    kQpFieldAwayGoals,      // 1 bit
    kQpReportFieldCount,
};
constexpr std::array<int, kQpReportFieldCount> kQpReportFieldBits = {3, 11, 4, 8, 8, 1, 19, 1, 11, 4,
                                                                     5, 5,  4, 4, 8, 4, 4,  5, 1,  1};

struct QpReportRecord {
    uint8_t bytes[kQpReportRecordSize];
};
static_assert(sizeof(QpReportRecord) == 17);

// Values wider than a field keep their low bits.
QpReportRecord QpPackReport(const std::array<uint32_t, kQpReportFieldCount>& values);
uint32_t QpReportValue(const QpReportRecord& record, int field);

// The season's current fixture values that the records carry.
struct QpFixtureValues {
    uint8_t a, b, c;  // 4, 4 and 5 bits
    uint8_t flag;
};
extern QpFixtureValues QpCurrentFixtureValues;

extern std::array<QpReportRecord, kQpReportCapacity> QpReportList;
extern int16_t QpReportCount;
// Matches reported since the match day started.
extern int16_t QpReportedMatches;

// The match-day start: empties the list and the reported-match count.
void QpClearReports();
// Appends a record; a full list drops it and logs a warning.  Returns
// whether it was kept.
bool QpAddReport(const QpReportRecord& record);
