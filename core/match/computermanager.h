// The computer manager in the match: a team that no human manages adjusts
// its match tactic record to the aggregate score at every stoppage that
// asks for it (push forward when behind, drop back when one or two ahead,
// the starting tactics otherwise), first filling the places of players no
// longer available and evening out the rows of its formation.
#pragma once
#include <cstdint>

// Rows are counted in bands of three of the 18 along the pitch, columns in
// bands of three of the 15 across.
constexpr int kTacticRowBands = 6;
constexpr int kTacticColumnBands = 5;

// A team's working grids, rebuilt by Tactics_CountZones.
struct TacticsZoneGrid {
    int16_t activeCount;  // outfield players available, plus the keeper
    int16_t rowCount[kTacticRowBands];
    int16_t zoneCount[kTacticRowBands][kTacticColumnBands];
    int16_t rearRowCount[kTacticRowBands];
    int16_t rearZoneCount[kTacticRowBands][kTacticColumnBands];
};
extern TacticsZoneGrid TacticsZones[2];

// The fields of a slot entry the computer manager reads and writes.
enum TacticSlotField : int {
    kSlotX = 5,
    kSlotY = 7,
    kSlotRearX = 9,
    kSlotRearY = 11,
    kSlotFlags = 13,
    kSlotInstruction1 = 17,
    kSlotInstruction2 = 18,
    kSlotInstruction3 = 19,
    kSlotFrontX = 20,
    kSlotFrontY = 22,
    kSlotRunAcross = 24,
    kSlotRunAlong = 26,
    kSlotMarking = 28,
};
int16_t Tactics_SlotWord(int team, int slot, int field);

// The match minute the adjustments count by (0..90).
int16_t Tactics_MatchMinute();
// Whether the player of the team's line-up slot can still play: on the
// pitch, not sent off and booked fewer than twice.
bool Tactics_SlotAvailable(int team, int slot);

// Adjusts and applies the computer teams' tactics.
void Tactics_UpdateComputerTeams();
void Tactics_PushForward(int team);
void Tactics_DropBack(int team);
void Tactics_Restore(int team);
void Tactics_CountZones(int team);
// The first available slot whose place lies in the zone, -1 none.
int16_t Tactics_FindPlayerInZone(int team, int rowBand, int columnBand);
// The unavailable slot nearest the own goal, -1 none.
int16_t Tactics_FindSlot(int team);
void Tactics_FillHole(int team, int slot);
void Tactics_FillFromAhead(int team, int rowBand, int columnBand, int holeSlot);
void Tactics_BalanceZones(int team);
void Tactics_SpaceRow(int team, int rowBand, int columnA, int columnB);
void Tactics_SwapSlots(int team, int a, int b);
void Tactics_ResetSlot(int team, int slot, int y, int x);
