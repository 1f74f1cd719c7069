// A computer club's view of its own squad: which position group is short
// for its manager's formation and its standing, which group of the best
// eleven is weakest, and what level a new player must reach.
#pragma once
#include <cstdint>

// The answers for the last club evaluated; the bid and list code read them
// straight after the evaluation of the same club.
struct SquadNeedsBlock {
    int32_t TopWage;          // highest weekly pay of the club's own players at home
    int32_t FirstTeamRating;  // best eleven's potential ratings / 11
    int16_t NeedRating;       // the level a signing must beat
    uint16_t UpgradePlayer;   // weakest player of the weakest group; 0 when short
    uint16_t ReplacePlayer;   // lowest-rated player of the need group; 0 none
    int16_t NeedKind;         // slot kind 0..2 of the need group
    int16_t WantedPosition;   // position type (bids) or position (weakest slot); 13+ nothing
    int16_t SearchKind;       // slot kind a target must suit; 3 any
    int16_t PositionShort;    // 1 when a group is below its quota
    int16_t UrgentGroup;      // 0 none, 1 keeper, 2 defence, 3 midfield, 4 attack
};
extern SquadNeedsBlock SquadNeeds;

// The scale of a club's cover targets: (125 - league place) / 2 +
// reputation, at least 32; a group's target is slots x scale / 25.
int SquadNeedScale(int leaguePlace, int reputation);
// Need of a group: target x 100 / players, a group without players
// counting as one.
int32_t SquadGroupNeed(int slots, int scale, int players);

// Fills SquadNeeds for the club with CurrentClubManager's formation.
void EvaluateClubSquad(int16_t club);
// Over the first-team list of the club last built: a group below its quota
// gives the division's minimum value / 10; otherwise the weakest of the
// best eleven gives his ability rating (30000 when no eleven can be
// picked).  Writes WantedPosition, PositionShort and SearchKind.
int16_t FindClubWeakestPosition(int16_t club);
