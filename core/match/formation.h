// Formation targets: every fourth tick each team's formation zone is chosen
// from where the ball will be (or a fixed shape at a restart), and on the
// next tick every free player's target is looked up in his team's
// formation table for that zone.  The tables themselves are built at the
// match's set-up (core/match/teamsetup.h).
#pragma once
#include <cstdint>

constexpr int kFormationPlayers = 10;      // outfield slots 1..10
constexpr int kSituationsPerVariant = 34;  // 30 ball zones and 4 restart shapes
constexpr int kFormationSituations = 2 * kSituationsPerVariant;
constexpr int kBallZones = 30;
constexpr int kSituationKickOff = 30;
constexpr int kSituationGoalKick = 31;
constexpr int kSituationSetPiece = 32;
constexpr int kSituationSetPieceB = 33;
constexpr int kVariantB = kSituationsPerVariant;  // offset of the variant for the team without the ball

// Formation space before scaling: across 0..1000 from the team's left
// touchline, along 0..1500 from its own goal line; the tables are scaled by
// 126/100 once built.
constexpr int kFormationAcross = 1000;
constexpr int kFormationAlong = 1500;
constexpr int kFormationScale = 126;

struct FormationPoint {
    int16_t across;
    int16_t along;
};
using FormationTableData = FormationPoint[kFormationSituations][kFormationPlayers];

// Each team's table: situation k, outfield slot s at [k][s - 1].
extern FormationTableData FormationTable[2];
// Where a team's table is built before it is copied into place.
extern FormationTableData FormationScratch;

// A team's zone state: the situation used for targets, and the secondary
// band and two blend weights, which serve to notice a change.
struct FormationZoneState {
    uint16_t zone;
    uint16_t secondBand;
    uint16_t weightAcross;
    uint16_t weightAlong;
    bool operator==(const FormationZoneState&) const = default;
};
extern FormationZoneState FormationZone[2];
extern FormationZoneState FormationZoneUsed[2];
// The possession as the formation sees it, following the ball's team after
// a delay.
extern uint16_t FormationPossession;
extern uint16_t FormationPossessionCount;
extern uint16_t FormationTargetCount;
// While non-zero, the zones are not changed.
extern uint16_t FormationHold;

// The formation's team jobs of the tick: the zone each team plays from,
// then every player's target in it.
void Match_ChooseFormationZone();
void Match_SetFormationTargets();
void Match_SeekOpenSpace(int16_t team, int16_t figure);
int16_t Formation_ColumnOfX(int value);
int16_t Formation_RowOfY(int value);
// Scales the 34 situations of variant 0 (A) or 1 (B) of the scratch table.
void Formation_ScaleTable(int variant);
// Both teams at zone 0, marked as changed so that the next target job
// places everybody.
void Formation_ResetZones();
