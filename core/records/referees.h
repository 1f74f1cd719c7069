// The referees: 400 records and a spare one for a referee made up for a
// single fixture.  The program carries the delivered referees as data; a
// new game gives them their ratings and the saved game keeps them.
#pragma once
#include <cstdint>

// u8 initial, 16-byte NUL-terminated surname at 1, i16 nation at 17 (-1
// ends the table), u32 flags at 19, i8 rating at 23, i8 second rating at
// 24, i16 side counters at 25 and 27, i8 a further value at 29.
struct RefereeRecord {
    uint8_t bytes[30];
};
static_assert(sizeof(RefereeRecord) == 30);

constexpr int kRefereeSlots = 400;
constexpr int16_t kMadeUpReferee = 400;
extern RefereeRecord RefereeRecords[kRefereeSlots + 1];

// Flag bits.
constexpr uint32_t kRefereeNoUser = 1u << 0;
constexpr uint32_t kRefereeUnavailable = 1u << 1;
constexpr uint32_t kRefereeGrade2 = 1u << 2;
constexpr uint32_t kRefereeGrade1 = 1u << 3;
constexpr int kRefereeClassShift = 4;

// Referees as delivered, and the letters a made-up referee's initial is
// drawn from.
int DeliveredRefereeCount();
// The delivered referees, then end marks in every other record.
void RestoreDeliveredReferees();
extern const char kMadeUpRefereeInitials[];

// Accessors.  A number outside 0-400 or a record whose nation is negative
// reads as none (nation -1, other values 0) and is not written.
int16_t HVW_GetRefereeNation(int16_t referee);
// "%c.%s" of initial and surname, in a buffer the next call overwrites.
const char* HVW_GetRefereeName(int16_t referee);
int16_t HVW_GetRefereeRating(int16_t referee);
void HVW_SetRefereeRating(int16_t referee, int16_t value);
int16_t HVW_GetRefereeRating2(int16_t referee);
void HVW_SetRefereeRating2(int16_t referee, int16_t value);
int16_t HVW_GetRefereeClass(int16_t referee);
void HVW_SetRefereeClass(int16_t referee, int16_t value);
int16_t HVW_GetRefereeGrade1Flag(int16_t referee);
int16_t HVW_GetRefereeGrade2Flag(int16_t referee);
int16_t HVW_GetRefereeNoUserFlag(int16_t referee);
int16_t HVW_GetRefereeUnavailableFlag(int16_t referee);
void HVW_SetRefereeUnavailableFlag(int16_t referee, int16_t value);
// side 1 is the first counter, any other side the second.
int16_t HVW_GetRefereeSideCount(int16_t referee, int16_t side);
void HVW_SetRefereeSideCount(int16_t referee, int16_t side, int16_t value);
int16_t HVW_GetRefereeByte29(int16_t referee);
void HVW_SetRefereeByte29(int16_t referee, int16_t value);

// New game: random ratings and classes for every referee of the table.
void HVW_SetUpReferees();
// A referee for the fixture in the slot; 400 when one had to be made up.
int16_t HVW_AppointReferee(int16_t slot);

// The referee the match-day screens chose for the user's next match; -1
// while none is chosen.
extern int16_t CurrentReferee;
// A referee for a national-team fixture: one drawn at random among the
// available referees, 0 when none is.  No nation, region or user rule
// narrows the choice: none is laid down for national-team matches.
int16_t ChooseRefereeForNationalMatch();
