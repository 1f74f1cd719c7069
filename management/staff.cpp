#include "management/staff.h"

StaffRecord StaffCandidates[8];
StaffRecord ClubStaff[8];
uint8_t StaffState32[32];
uint16_t StaffTimetable[7][4][2];
CoachingRecord CoachingRecords[32];
CoachingRecord28 CoachingRecords28[32];
uint8_t StaffState50[50];
