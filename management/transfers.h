// The transfer log and the user's job application.
#pragma once
#include <cstdint>

// i16 selling club, i16 buying club, u16 player, u32 fee, u16 day of month,
// u16 month, u16 year: 16 bytes, packed.
struct TransferRecord {
    uint8_t bytes[16];
};
static_assert(sizeof(TransferRecord) == 16);

constexpr int kTransferRecords = 10000;
extern TransferRecord TransferRecords[kTransferRecords];
extern uint16_t TransferRecordIndex;

// Club, decision day and decision (1 accepted, 0 refused); 65535 none.
// (JobApplication names the operation that lodges an application.)
struct JobApplicationState {
    uint16_t club;
    uint16_t day;
    uint16_t accepted;
};
extern JobApplicationState JobApplicationRecord;

// A computer club's buying, selling and loan work.
void ComputerTransferActivity(int16_t club, int16_t mode);
