// Stadium, stands and their redevelopment, and the crowd's merchandising.
#pragma once
#include <cstdint>

constexpr int kStandCount = 4;
constexpr int kStandStyleCount = 8;

struct StandStyle {
    uint32_t buildCost;        // building a stand of this style
    uint16_t costPerThousand;  // per 1000 seats, in thousands of money
    uint16_t sideMax;          // largest side stand (0 and 1), seats
    uint16_t endMax;           // largest end stand (2 and 3), seats
};
extern const StandStyle StandStyleTable[kStandStyleCount];

// The user's stand orders, one per stand: a new style (-1 = no rebuild),
// thousands of seats to add, and thousands of seats that open at the next
// run after a rebuild.
struct GroundOrderRecord {
    int16_t newStyle;
    uint16_t seats;
    uint16_t pending;
};
extern GroundOrderRecord GroundOrder[kStandCount];

// Stand access by number: 0 and 1 are the side stands, 2 and 3 the ends.
int StandStyleOf(int16_t club, int stand);
int StandThousandsOf(int16_t club, int stand);
void SetStand(int16_t club, int stand, int style, int thousands);
// The largest capacity, in seats, of a stand of the style.
int32_t StandMaxSeats(int style, int stand);

void ResetGroundOrders();
// Lays out a new game's stands from the total capacity of the database
// row `record` (0..TOTSTAT_CLUB_COUNT-1).
void BuildStandsFromCapacity(int16_t club, int16_t record);
inline void SetUpClubStands(int16_t club, int16_t record) { BuildStandsFromCapacity(club, record); }

// The season roll's step: reputations follow the crowds, and grounds that
// are more than 80% full are extended or rebuilt from spare money.
void ComputerStadiumUpdate();
// Carries out the user's stand orders; ends the program for a club the
// computer manages.
void HumanGroundRedevelopment(int16_t club);
// Credits both clubs with the merchandising of a played fixture's crowd.
void AddMatchMerchandising(int16_t fixture, int16_t home, int16_t away);
