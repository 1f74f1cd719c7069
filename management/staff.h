// The user's staff and the coaching files of his players.
#pragma once
#include <cstdint>

struct StaffRecord {
    uint8_t bytes[59];
};
static_assert(sizeof(StaffRecord) == 59);
struct CoachingRecord {
    uint8_t bytes[199];
};
static_assert(sizeof(CoachingRecord) == 199);
struct CoachingRecord28 {
    uint8_t bytes[28];
};
static_assert(sizeof(CoachingRecord28) == 28);

extern StaffRecord StaffCandidates[8];
extern StaffRecord ClubStaff[8];
extern uint8_t StaffState32[32];
extern uint16_t StaffTimetable[7][4][2];
extern CoachingRecord CoachingRecords[32];
extern CoachingRecord28 CoachingRecords28[32];
extern uint8_t StaffState50[50];
