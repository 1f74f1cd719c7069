// The match set-up block: everything the season, the training screen or a
// goal replay hands to a match.  The block is a packed little-endian byte
// image of 12248 bytes (it is stored whole in goal-replay files), so its
// fields are byte offsets read through the accessors below.  A cleared block
// holds 0xFF in every byte: a field that no filler set reads 0xFF (bytes)
// or -1 (words), and every reader treats those values as unset.
#pragma once
#include <array>
#include <cstdint>

#include "core/base/bytes.h"
#include "core/club/tactics.h"
#include "core/records/blockfiles.h"

// The offsets of the block's fields, in their own namespace: the names are
// the fields' own and other modules have constants of the same names.
namespace gameinfo {

// ---------------------------------------------------------------------------
// PlayOptions: the rules of the match (30 bytes at 0).
constexpr int kExtraTime = 0;                                    // u8: two periods of extra time when level
constexpr int kPenalties = kExtraTime + 1;                       // u8: a shoot-out decides a tie still level
constexpr int kGoldenGoals = kPenalties + 1;                     // u8: extra time ends at the first goal
constexpr int kDurationMinutes = kGoldenGoals + 1;               // i16: real minutes of each half
constexpr int kAwayGoalsRule = kDurationMinutes + 2;             // u8: away goals count double when level
constexpr int kOffsides = kAwayGoalsRule + 1;                    // u8: rule switch no filler sets
constexpr int kFouls = kOffsides + 1;                            // u8: as kOffsides
constexpr int kInjuries = kFouls + 1;                            // u8: as kOffsides
constexpr int kRefereeAttr1 = kInjuries + 1;                     // u8: from the referee's record
constexpr int kRefereeAttr2 = kRefereeAttr1 + 1;                 // u8: from the referee's record
constexpr int kRefereeFavours = kRefereeAttr2 + 1;               // i8: 0 none, 1 first team, 2 second
constexpr int kPlayOptionsReserved = kRefereeFavours + 1;        // u8
constexpr int kPitchCondition = kPlayOptionsReserved + 1;        // u8
constexpr int kCompetition = kPitchCondition + 1;                // i16: competition type; < 0 goal replays
constexpr int kNumAvailableSubs = kCompetition + 2;              // i16: named substitutes
constexpr int kNumSubstitutionsAllowed = kNumAvailableSubs + 2;  // i16
constexpr int kRefereeNumber = kNumSubstitutionsAllowed + 2;     // i16: 0..399
constexpr int kPlayersLineUp = kRefereeNumber + 2;               // i16: teams line up before kick-off
constexpr int kCrowdSize = kPlayersLineUp + 2;                   // i16: 0..10, loudness of the crowd
constexpr int kHomeSupport = kCrowdSize + 2;                     // i16: 0..10, 5 even
constexpr int kVenueFlag = kHomeSupport + 2;                     // i16: special venue / presentation
constexpr int kPlayOptionsSize = kVenueFlag + 2;

static_assert(kPenalties == 1 && kGoldenGoals == 2 && kDurationMinutes == 3);
static_assert(kAwayGoalsRule == 5 && kOffsides == 6 && kFouls == 7 && kInjuries == 8);
static_assert(kRefereeAttr1 == 9 && kRefereeAttr2 == 10 && kRefereeFavours == 11);
static_assert(kPitchCondition == 13 && kCompetition == 14 && kNumAvailableSubs == 16);
static_assert(kNumSubstitutionsAllowed == 18 && kRefereeNumber == 20 && kPlayersLineUp == 22);
static_assert(kCrowdSize == 24 && kHomeSupport == 26 && kVenueFlag == 28 && kPlayOptionsSize == 30);

// ---------------------------------------------------------------------------
// LookOptions: what the display shows (28 bytes at 30).
constexpr int kStands = 4;
constexpr int kPitchPattern = kPlayOptionsSize;                  // u8
constexpr int kWeather = kPitchPattern + 1;                      // u8
constexpr int kStadiumLevel = kWeather + 1;                      // i16[4]: style of each stand
constexpr int kUnderConstruction = kStadiumLevel + 2 * kStands;  // u8[4]: 1 a building site
constexpr int kCrowdFill = kUnderConstruction + kStands;         // u8: 0..3 quarters full
constexpr int kNightMatch = kCrowdFill + 1;                      // u8
constexpr int kLookOptionsReserved = kNightMatch + 1;            // 12 bytes
constexpr int kLookOptionsEnd = kLookOptionsReserved + 12;

static_assert(kPitchPattern == 30 && kWeather == 31 && kStadiumLevel == 32);
static_assert(kUnderConstruction == 40 && kCrowdFill == 44 && kNightMatch == 45);
static_assert(kLookOptionsReserved == 46 && kLookOptionsEnd == 58);

// ---------------------------------------------------------------------------
// UserOptions: the in-match option screens' settings (16 bytes at 58).
constexpr int kEffectsVolume = kLookOptionsEnd;              // i16
constexpr int kCrowdVolume = kEffectsVolume + 2;             // i16
constexpr int kDisplayNamesOrNumbers = kCrowdVolume + 2;     // u8
constexpr int kDisplayAsNames = kDisplayNamesOrNumbers + 1;  // u8
constexpr int kAutoReplayMode = kDisplayAsNames + 1;         // u8
constexpr int kUserOptionsReserved = kAutoReplayMode + 1;    // 4 bytes
constexpr int kGameSpeed = kUserOptionsReserved + 4;         // i16
constexpr int kUserOptionByte = kGameSpeed + 2;              // u8: 2 at every match start
constexpr int kUserOptionWord = kUserOptionByte + 1;         // i16: 50 at every match start
constexpr int kUserOptionsEnd = kUserOptionWord + 2;

static_assert(kEffectsVolume == 58 && kCrowdVolume == 60 && kDisplayNamesOrNumbers == 62);
static_assert(kDisplayAsNames == 63 && kAutoReplayMode == 64 && kUserOptionsReserved == 65);
static_assert(kGameSpeed == 69 && kUserOptionByte == 71 && kUserOptionWord == 72 && kUserOptionsEnd == 74);

// ---------------------------------------------------------------------------
// PlayerInfo: one player of a match squad (119 bytes).
constexpr int kPlayerNameLength = 20;
constexpr int kPlayerInfoName = 0;                                      // char[20]
constexpr int kPlayerInfoNumber = kPlayerInfoName + kPlayerNameLength;  // u16: record number
constexpr int kPlayerInfoType = kPlayerInfoNumber + 2;                  // u8: position code
constexpr int kSkinColour = kPlayerInfoType + 1;                        // u16, PhysLook from here
constexpr int kHairColour = kSkinColour + 2;                            // u16
constexpr int kPhysLookWord3 = kHairColour + 2;                         // u16
constexpr int kHairStyle = kPhysLookWord3 + 2;                          // u16
constexpr int kPhysLookWord5 = kHairStyle + 2;                          // u16
constexpr int kPlayerStats = kPhysLookWord5 + 2;                        // i16[22], 0..100
constexpr int kPlayerStatCount = 22;
constexpr int kPlayerOverall = kPlayerStats + 2 * kPlayerStatCount;  // i16: overall value
constexpr int kPlayerPosition = kPlayerOverall + 2;                  // i16
constexpr int kPlayerShirt = kPlayerPosition + 2;                    // i16
constexpr int kPlayerSideA = kPlayerShirt + 2;                       // i16
constexpr int kPlayerLeft = kPlayerSideA + 2;                        // i16: left foot
constexpr int kPlayerSideB = kPlayerLeft + 2;                        // i16: both feet
constexpr int kPlayerRight = kPlayerSideB + 2;                       // i16: right foot
constexpr int kPlayerRecInjury = kPlayerRight + 2;                   // i16
constexpr int kPlayerInfoWord1 = kPlayerRecInjury + 2;               // i16
constexpr int kPlayerInfoWord2 = kPlayerInfoWord1 + 2;               // i16
constexpr int kPlayerInfoByte = kPlayerInfoWord2 + 2;                // u8
constexpr int kPlayerInfoReserved = kPlayerInfoByte + 1;             // 21 bytes
constexpr int kPlayerInfoSize = kPlayerInfoReserved + 21;

static_assert(kPlayerInfoNumber == 20 && kPlayerInfoType == 22 && kSkinColour == 23 && kHairColour == 25);
static_assert(kPhysLookWord3 == 27 && kHairStyle == 29 && kPhysLookWord5 == 31 && kPlayerStats == 33);
static_assert(kPlayerOverall == 77 && kPlayerPosition == 79 && kPlayerShirt == 81 && kPlayerSideA == 83);
static_assert(kPlayerLeft == 85 && kPlayerSideB == 87 && kPlayerRight == 89 && kPlayerRecInjury == 91);
static_assert(kPlayerInfoWord1 == 93 && kPlayerInfoWord2 == 95 && kPlayerInfoByte == 97);
static_assert(kPlayerInfoReserved == 98 && kPlayerInfoSize == 119);

// The 22 stats in their order in the block.
enum PlayerInfoStat : int {
    kStatPace,
    kStatStamina,
    kStatPower,
    kStatAgility,
    kStatResilience,
    kStatVision,
    kStatComposure,
    kStatKeeping,
    kStatHeading,
    kStatTackling,
    kStatPassing,
    kStatShooting,
    kStatDribble,
    kStatDeadball,
    kStatControl,
    kStatAggression,
    kStatGreed,
    kStatLoyalty,
    kStatSpirit,
    kStatIntelligence,
    kStatLeadership,
    kStatOutlook,
};
static_assert(kStatOutlook + 1 == kPlayerStatCount);

// ---------------------------------------------------------------------------
// TeamInfo: one side (6087 bytes; team 0 the home side at 74, team 1 at 6161).
constexpr int kTeamNameLength = 50;
constexpr int kKitSize = 28;
constexpr int kMatchSquadSize = 17;
constexpr int kTeamName = 0;                             // char[50]
constexpr int kTeamClub = kTeamName + kTeamNameLength;   // i16: equal on both sides = practice
constexpr int kTeamKit = kTeamClub + 2;                  // 28 bytes of kit design
constexpr int kHumanManaged = kTeamKit + kKitSize;       // u8: 0 computer
constexpr int kHumanManagedAtStart = kHumanManaged + 1;  // u8: copy taken at the start
constexpr int kTacticChoice = kHumanManagedAtStart + 1;  // i16: 0-9 preset, 10-21 custom slot
constexpr int kTacticOption = kTacticChoice + 2;         // i16
constexpr int kTacticSlots = kTacticOption + 2;          // TacticRecord[12]
constexpr int kOldGoals = kTacticSlots + kCustomTacticSlots * kTacticRecordSize;  // i16: first leg
constexpr int kCaptain = kOldGoals + 2;                                           // i16: shirts 1..17
constexpr int kCornerTaker = kCaptain + 2;                                        // i16
constexpr int kPenaltyTaker = kCornerTaker + 2;                                   // i16
constexpr int kFreeKickTaker = kPenaltyTaker + 2;                                 // i16
constexpr int kTeamInfoReserved = kFreeKickTaker + 2;                             // 8 bytes
constexpr int kTeamPlayers = kTeamInfoReserved + 8;                               // PlayerInfo[17]

static_assert(kTeamClub == 50 && kTeamKit == 52 && kHumanManaged == 80 && kHumanManagedAtStart == 81);
static_assert(kTacticChoice == 82 && kTacticOption == 84 && kTacticSlots == 86 && kOldGoals == 4046);
static_assert(kCaptain == 4048 && kCornerTaker == 4050 && kPenaltyTaker == 4052 && kFreeKickTaker == 4054);
// The SaveTeam file holds one team block: the size is defined with it.
static_assert(kTeamInfoSize == kTeamPlayers + kMatchSquadSize * kPlayerInfoSize);
static_assert(kTeamInfoReserved == 4056 && kTeamPlayers == 4064 && kTeamInfoSize == 6087);

constexpr int kTeamInfo0 = kUserOptionsEnd;
constexpr int kEnterGameInfoSize = kTeamInfo0 + 2 * kTeamInfoSize;
static_assert(kTeamInfo0 == 74 && kTeamInfo0 + kTeamInfoSize == 6161 && kEnterGameInfoSize == 12248);

// Byte offset of a team's block, and of one of its squad entries, in the
// set-up block.
constexpr int TeamInfoAt(int team) { return kTeamInfo0 + team * kTeamInfoSize; }
constexpr int PlayerInfoAt(int team, int entry) {
    return TeamInfoAt(team) + kTeamPlayers + entry * kPlayerInfoSize;
}

}  // namespace gameinfo

struct EnterGameInfo {
    uint8_t bytes[gameinfo::kEnterGameInfoSize];

    uint8_t U8(int at) const { return bytes[at]; }
    int16_t I16(int at) const { return int16_t(recbits::LoadU16(bytes + at)); }
    void SetU8(int at, uint8_t value) { bytes[at] = value; }
    void SetI16(int at, int16_t value) { recbits::StoreU16(bytes + at, uint16_t(value)); }
    // A team's field by its offset in TeamInfo.
    uint8_t TeamU8(int team, int field) const { return U8(gameinfo::TeamInfoAt(team) + field); }
    int16_t TeamI16(int team, int field) const { return I16(gameinfo::TeamInfoAt(team) + field); }
    void SetTeamU8(int team, int field, uint8_t value) { SetU8(gameinfo::TeamInfoAt(team) + field, value); }
    void SetTeamI16(int team, int field, int16_t value) { SetI16(gameinfo::TeamInfoAt(team) + field, value); }
    TacticRecord* TeamTacticSlot(int team, int slot) {
        return reinterpret_cast<TacticRecord*>(bytes + gameinfo::TeamInfoAt(team) + gameinfo::kTacticSlots +
                                               slot * kTacticRecordSize);
    }
};
static_assert(sizeof(EnterGameInfo) == 12248);

// ---------------------------------------------------------------------------
// Readers of fields that may be unset (0xFF / -1) or come from a goal-replay
// file: each gives a value in the range its users index with.

// A rule byte: set only when non-zero and not 0xFF.
bool MatchRuleSet(const EnterGameInfo* block, int at);
// HumanManaged of a team: 0xFF (unset) counts as computer-managed.
bool MatchTeamHuman(const EnterGameInfo* block, int team);
// First-leg goals, unset or negative counting 0.
int16_t MatchTeamOldGoals(const EnterGameInfo* block, int team);
// Named substitutes, 0..5; unset counts 0.
int16_t MatchAvailableSubs(const EnterGameInfo* block);
// Substitutions a team may make, 0..5; unset counts 0.
int16_t MatchSubstitutionsAllowed(const EnterGameInfo* block);
// A taker or the captain (kCaptain .. kFreeKickTaker) as a squad entry
// 0..16, or -1 when unset or out of range.  The team block holds shirt
// numbers, and the player of squad entry k wears shirt k + 1.
int16_t MatchTakerEntry(const EnterGameInfo* block, int team, int field);
// Minutes of each half, at least 1.
int16_t MatchDurationMinutes(const EnterGameInfo* block);

// ---------------------------------------------------------------------------
// The hand-over.

extern EnterGameInfo GameInfo;
// Each team's live tactic record during a match (0 home, 1 away).
extern TacticRecord MatchTacticRecord[2];

// Fills every byte of the set-up block with 0xFF and returns it.
EnterGameInfo* ClearMatchSetupBlock();
EnterGameInfo* GetMatchSetupBlock();

// The preset (0-9) each club's computer manager plays, one entry per club,
// from the manager's formation family.  Season set-up fills it for every
// club (InitClubTacticPresets); each match takes it afresh from the club's
// manager of the day (GetClubTacticPreset), so a new manager brings his
// shape at once and a loaded game fields the shapes of the game it came from.
constexpr int kTacticPresetClubs = 1200;
extern std::array<uint8_t, kTacticPresetClubs> ClubTacticPreset;
// The preset of a formation family 0-5 (4-4-2, 4-3-3, 3-5-2, 5-3-2, 4-5-1,
// 3-4-3): the preset with the same shape.
int16_t FormationFamilyPreset(int family);
int16_t GetClubTacticPreset(int16_t club);
void InitClubTacticPresets();

// Fills the tactic fields of both team blocks: with computerTactics set,
// each team's preset from the club table; otherwise only a human-managed
// team, from custom tactic book A (its flag set) or book B.
void FillMatchTeamBlocks(EnterGameInfo* block, int16_t club0, int16_t club1, int16_t computerTactics,
                         int16_t useSetA0, int16_t useSetA1);
// Loads the team's live tactic record: preset TacticChoice (0-9) or custom
// slot TacticChoice - 10 of the team block.  A choice outside 0-21 or
// naming an empty custom slot loads preset 0 and logs it.
void MatchLoadTeamTactics(int16_t team);
// Puts the team's starting tactic record back into its live record, as the
// kick-off loaded it (without logging a bad choice again): the tactics made
// for a side nobody managed at the start, else its chosen tactic.
void MatchResetTeamTactics(int16_t team);
// Copies custom slot 0 of the team block into the live tactic record.
void MatchLoadFirstCustomTactic(int16_t team);
// Whether the team, not human-managed, plays the tactics made for it before
// the match (custom slot 0, which the season fills for a computer side);
// false for a human-managed team and for one whose slot 0 is empty.
bool MatchTeamPlaysMadeTactic(int16_t team);

// Prints every named field of a set-up block to standard output.
void DumpEnterGameInfo(const EnterGameInfo* block);
