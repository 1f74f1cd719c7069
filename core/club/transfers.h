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

// The computer clubs' daily squad pass (RunClubSquadPass): 1 on a real day,
// with bids; 0 after a load or a new job, which only rebuilds and evaluates.
void ComputerTransferActivity(int16_t realDay, int16_t unused);
// The player's answer to the club's approach: 1 he will talk, 0 he will not.
int16_t GetPlayerApproachReply(uint16_t player, int16_t unused, int16_t club);
// Empties every bid slot of the club that holds the player.
void ClearClubBidsOnPlayer(int16_t club, uint16_t player);
// Withdraws every club's bid on the player and clears his fourth setting.
void ClearClubBidList(uint16_t player);

// The user's job application.
void ClearJobApplication();
uint16_t GetJobApplicationClub();
uint16_t GetJobApplicationDay();
uint16_t GetJobApplicationResult();

// The days up to lastDay have passed: an application whose answer day
// was one of them has been answered, or will not be (the season's last day
// tells only its end), and is dropped.  Kept, it would be answered on the
// same day of a later season.
void DropPassedJobApplication(int lastDay);

// Lodges the user's application for the club's job: refused when his
// standing falls short of the club's, else accepted or not by his board's
// form score; the decision comes 2-13 days from today.
void JobApplication(int16_t club);
