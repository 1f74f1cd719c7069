// The squads, team records and team ratings that the quick result
// prediction plays a fixture with: built from the match set-up block, then
// changed during play by substitutions, injuries and dismissals.
#pragma once
#include <array>
#include <cstdint>

#include "core/match/matchsetup.h"

constexpr int kQpTeams = 2;
constexpr int kQpSquadPlaces = 16;
constexpr int kQpLineUp = 11;
constexpr int kQpMaxSubstitutions = 3;
constexpr int kQpGoalListSize = 20;
constexpr int kQpPenaltyMissListSize = 2;
constexpr uint8_t kQpNotBooked = 0xFF;  // a player's first-booking minute until he is booked
constexpr int kQpDismissalListSize = 4;
constexpr int kQpKeeperZone = 6;
constexpr int kQpRatings = 5;  // r0..r4

// Out codes of a squad member.
enum QpOutCode : uint8_t {
    kQpOnPitch = 0,
    kQpOnBench = 1,
    kQpInjuredOff = 2,
    kQpReplaced = 3,
    kQpSentOff = 4,
};

// Contribution kinds: the five team ratings and the goalkeeping rating.
enum QpContribution : int {
    kQpDefence,
    kQpBallWinning,
    kQpPossession,
    kQpShooting,
    kQpHeading,
    kQpGoalkeeping,
    kQpContributionKinds,
};

struct QPredictPlayer {
    uint32_t databaseRef;
    uint8_t orderIndex;  // 0 the goalkeeper's place, 1..10 the line-up, 11.. the bench
    uint8_t shirt;
    uint8_t control, dribble, greed, vision, passing, pace, agility, composure, power, shooting, heading,
        deadball, keeping, tackling, aggression, intelligence;
    uint8_t overall;
    uint8_t leadership;
    uint8_t injuryThreshold;
    uint8_t morale;
    uint8_t secondMorale;
    uint8_t outlook;
    uint8_t stamina;
    uint16_t id;  // database player id; 0 an empty place
    int16_t tiredness;
    int16_t rating;
    uint8_t assists, goals, ownGoals, shots, saves, penaltiesFaced, penaltySaves, goalsConceded,
        dangerousFouls, bookingChanceFouls, foulsCommitted, straightReds;
    int16_t foulsSuffered;
    int16_t injuryPoints;
    uint8_t minuteOn, minuteOff;
    uint8_t firstBookingMinute;  // kQpNotBooked until booked
    uint8_t outCode;
    int8_t injuryType;
    uint8_t keeperBit, lineUpBit;
    uint8_t cardState;   // 0 none, 1 booked, 2 sent off after a second booking, 3 straight red
    uint8_t roleBarred;  // 1 keeps him out of set-piece roles
    uint8_t injuredFlag;
    int16_t slotPos[4];  // two (column, row) positions of his slot, converted
    int16_t slot;        // 0..10, -1 on the bench or gone off
    int16_t finalZone;
    uint8_t playerType;  // 0 a goalkeeper
    uint8_t footCode;
};

struct QpGoalEntry {
    int8_t scorer, minute, kind, assist, event;
};
struct QpPenaltyMiss {
    int8_t taker, minute, savedBy, event;
};
struct QpDismissal {
    int8_t player, minute, event;
};

struct QPredictTeam {
    uint16_t clubId;
    char name[gameinfo::kTeamNameLength];
    int16_t squadSize;  // N = named substitutes + 11
    uint8_t goals;
    uint8_t zoneCounts[3];  // line-up slots in zones 0-1, 2-3, 4-5
    QpGoalEntry goalList[kQpGoalListSize];
    QpPenaltyMiss penaltyMisses[kQpPenaltyMissListSize];
    QpDismissal dismissalList[kQpDismissalListSize];
    int16_t shots, shotsOnTarget, fouls;
    int16_t booked, sentOff, injured;
    int16_t seriousInjuries;
    int16_t goalkeeper;
    int16_t captain, penaltyTaker, freeKickTaker, cornerTaker1, cornerTaker2;
    uint8_t onPitch;
    uint8_t shootOutGoals;
    uint8_t carriedGoals;
    uint8_t penaltyMissCount;
    uint8_t dismissals;
    uint8_t goalCount;
    uint8_t seriousInjuryLimit;
    uint8_t substitutions;
};

// One formation row per line-up slot: the zone 0..6 (0..5 back to front, 6
// the goalkeeper's), the side (never filled: 0) and two converted places.
struct QpFormationRow {
    int16_t zone;
    int16_t side;
    int16_t pos[4];
};

struct QPredictState {
    QPredictTeam teams[kQpTeams];
    QPredictPlayer players[kQpTeams][kQpSquadPlaces];
    QpFormationRow rows[kQpTeams][kQpLineUp];
    int16_t contributions[kQpTeams][kQpSquadPlaces][kQpContributionKinds];
    int32_t ratings[kQpTeams][kQpRatings];  // r0..r4
    int32_t meanAggression[kQpTeams];       // r5
    int32_t meanThreshold[kQpTeams];        // r6
    // Referee of the fixture: id and his three bytes from the set-up block.
    int16_t refereeId;
    uint8_t refereeBytes[3];
    std::array<int8_t, 40> mildInjuries;
    int16_t mildInjuryCount;
    // What the last QPredict2_TakeOff left for the replacement.
    int16_t offTeam, offPlayer, offSlot;
};
extern QPredictState QPredict;

// The formation row of a grid position (column 0..14, row 0..17):
// (column x 10 / 3, row x 50 / 17 + 5).
int16_t QPredictConvertColumn(int column);
int16_t QPredictConvertRow(int row);

// Builds both team records, formation rows and squads from the set-up
// block for clubs A (team 0) and B (team 1).
void QPredictSetUpSquads(const EnterGameInfo* block, int16_t clubA, int16_t clubB);

// The zone of a squad member: his slot's, else the zone he left from;
// -1 for a player who has had none.
int16_t QPredictPlayerZone(int team, int player);
// One contribution of a player, from his attributes and present morale.
int16_t QPredictContribution(int team, int player, int kind);
// The penalty rating, the same shape over 18 x (Shooting + Composure +
// Deadball).
int16_t QPredictPenaltyRating(int team, int player);
// The shape every rating has: the weighted sum c, less the stamina term,
// moved by morale; at least 1.
int16_t QPredictShape(int32_t weightedSum, int stamina, int morale);
// Fills the contribution table and the seven team ratings.
void QPredictComputeRatings();

// The set-piece picks: the best player on the pitch for the role.
int16_t QPredictPickCaptain(int team);
int16_t QPredictPickPenaltyTaker(int team);
int16_t QPredictPickFreeKickTaker(int team);
int16_t QPredictPickCornerTaker(int team);

int16_t QPredict2_PickReplacement(int team, int player, int kind);
void QPredict2_Substitute(int team, int player, int minute, int scoreState);
void QPredict2_TakeOff(int team, int player, int outCode, int minute);
void QPredict2_RepickRoles(int team, int player);
// A goalkeeper was sent off: a bench keeper comes on for an outfield
// player, else the best keeper on the pitch goes in goal.
void QPredictReplaceGoalkeeper(int team, int minute);
void QPredict2_MoveTeamMorale(int team, int amount);
void QPredict2_MovePlayerMorale(int team, int player, int amount);
