// The player's attributes: the index of each in GetPlayerStat and
// SetPlayerStat.  Stats 0..21 feed the match statistic of the same name when
// a player is picked for a match; stat 27 is his overall ability.
#pragma once
#include <cstdint>

constexpr int kStatCount = 28;

// The skills, bounded by the player's ability and raised by his position.
constexpr int16_t kKeepingStat = 0;
constexpr int16_t kHeadingStat = 1;
constexpr int16_t kTacklingStat = 2;
constexpr int16_t kPassingStat = 3;
constexpr int16_t kShootingStat = 4;
constexpr int16_t kDribbleStat = 5;
constexpr int16_t kControlStat = 6;
constexpr int16_t kDeadballStat = 7;
// The physical and technical attributes, bounded by the player's number
// (as are spirit, intelligence, leadership and consistency).
constexpr int16_t kPaceStat = 8;
constexpr int16_t kAgilityStat = 9;
constexpr int16_t kPowerStat = 10;
constexpr int16_t kStaminaStat = 11;
constexpr int16_t kResilienceStat = 12;  // also how well he stands up to injury
constexpr int16_t kVisionStat = 13;
constexpr int16_t kComposureStat = 14;
constexpr int16_t kAggressionStat = 15;
// The character, drawn at random when a player is made (all but consistency).
constexpr int16_t kGreedStat = 16;
constexpr int16_t kLoyaltyStat = 17;
constexpr int16_t kSpiritStat = 18;
constexpr int16_t kIntelligenceStat = 19;
constexpr int16_t kLeadershipStat = 20;
constexpr int16_t kOutlookStat = 21;      // a manager's outlook / 10 is his formation variant
constexpr int16_t kConsistencyStat = 22;  // the chance of playing to his full form
constexpr int16_t kUnreadStat23 = 23;     // drawn with the character; no rule reads it
constexpr int16_t kProfessionalismStat = 24;
constexpr int16_t kAmbitionStat = 25;
constexpr int16_t kUnreadStat26 = 26;  // drawn with the character; no rule reads it
constexpr int16_t kAbilityStat = 27;

// The first and last of the character stats drawn at random.
constexpr int16_t kFirstCharacterStat = kGreedStat;
constexpr int16_t kLastCharacterStat = kUnreadStat26;
