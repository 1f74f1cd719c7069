// Player records and their accessors: the packed fields of the 262-byte
// record, the stats, the market keys, and the agents.  Getters given
// player 0 end the program through FatalExit, which names the accessor;
// setters ignore what they cannot store, but for player 0.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/base/bytes.h"
#include "core/records/playerstats.h"
#include "core/records/recordsizes.h"

// ---------------------------------------------------------------------------
// Tables

struct PlayerRecord {
    uint8_t bytes[kPlayerRecordSize];
};
static_assert(sizeof(PlayerRecord) == 262);

// Bytes 0-2 agent profile values (0..99), byte 3 the agent's level (0..79).
struct AgentRecord {
    uint8_t bytes[4];
};
static_assert(sizeof(AgentRecord) == 4);

extern PlayerRecord PlayerRecords[kMaxPlayers];
// Records 1 .. PlayerCount - 1 are in use.
extern uint16_t PlayerCount;

// Walks over the player table ask for a record some players ahead: the
// records' 262-byte stride defeats the hardware's own prefetching, and a
// walk reading a field or two of every player waits on memory otherwise.
constexpr int kPlayerPrefetchAhead = 16;
// Where a record holds the player's club and loan-club words, the word of
// his contract and list flags, and the word of his loan-trial flag.
constexpr int kPlayerClubOffset = 128;
constexpr int kPlayerFlagsOffset = 60;
constexpr int kPlayerLoanTrialOffset = 104;
// The first and last byte of the words of his age, fatigue, fans, fitness,
// position, shirt and injury: at most two cache lines.
constexpr int kPlayerConditionFirst = 56;
constexpr int kPlayerConditionLast = 99;
// The record's bytes at `offset` (the fields a walk reads), when `player`
// is a slot of the table; a read only, never an error.
inline void PrefetchPlayerRecord(unsigned player, int offset) {
    if (player < unsigned(kMaxPlayers)) __builtin_prefetch(PlayerRecords[player].bytes + offset);
}
extern AgentRecord AgentRecords[kAgentCount];

// ---------------------------------------------------------------------------
// The record fields the getters below read in line: the daily walks over
// the tables call them hundreds of millions of times a season.

namespace playerrec {
constexpr int kField52 = 52;
constexpr int kWage = 54;
constexpr int kClub = kPlayerClubOffset;
constexpr int kLoanClub = 130;
// Packed fields: {byte of the 32-bit word, first bit, width}.
constexpr recbits::BitField kAge{56, 10, 6}, kIntDuty{60, 10, 1}, kContract{60, 20, 6}, kFatigue{60, 26, 6},
    kGoals{84, 0, 7}, kHalvorn{84, 13, 1}, kHalvornB{84, 14, 1}, kFitness{88, 22, 6}, kPosition{88, 28, 4},
    kShirt{92, 7, 5}, kAssists{92, 23, 8}, kFlag95{92, 31, 1}, kMorale{96, 0, 6}, kIT{96, 18, 6},
    kMoM{100, 6, 6}, kNationality{100, 12, 8}, kSetting4{104, 8, 4}, kFlag107{104, 29, 1},
    kAssists2{108, 19, 8}, kGoals2{112, 0, 7}, kScoutMark{116, 30, 1}, kFlag119{116, 31, 1},
    kAgent{120, 19, 9};

// Stat index -> byte within the record and cap group (0 none).
struct StatSlot {
    uint8_t byte;
    uint8_t group;
};
constexpr StatSlot kStatMap[kStatCount] = {
    {28, 1}, {29, 1}, {30, 1}, {31, 1}, {32, 1}, {33, 1}, {35, 1}, {34, 1}, {20, 2}, {21, 2},
    {22, 2}, {23, 2}, {24, 2}, {25, 2}, {26, 2}, {36, 2}, {37, 0}, {38, 0}, {39, 2}, {40, 2},
    {41, 2}, {42, 0}, {27, 2}, {45, 0}, {43, 0}, {44, 0}, {47, 0}, {46, 0},
};
constexpr int kFirstStatByte = 20;  // the stats fill bytes 20..47

// The cap of a stat's group: by ability for the physical stats, by the
// player's number for the technical ones.
constexpr int StatCap(uint16_t player, int ability, int index) {
    if (kStatMap[index].group == 1) return ability / 2 + 50 + index;
    if (kStatMap[index].group == 2) return player % 20 + index / 2 + 80;
    return 100;
}

// The number names a record in use (1 .. PlayerCount - 1).
inline bool InUse(uint16_t player) { return player != 0 && player < PlayerCount && player < kMaxPlayers; }
inline const uint8_t* Bytes(uint16_t player) { return PlayerRecords[player].bytes; }

// A getter's stop for a number not in use: any number but 0 first prints
// the getter's message (its %d the number); the game ends through
// FatalExit, naming the accessor.  Each of these helpers takes the name of
// the accessor that calls it: the compiler fills it in as the default.
[[noreturn]] void StopOnBadNumber(uint16_t player, const char* message,
                                  const char* accessor = __builtin_FUNCTION());
// A getter without a message: player 0 ends the game, any other number not
// in use reads 0.
uint16_t ZeroUnlessPlayerZero(uint16_t player, const char* accessor = __builtin_FUNCTION());

// A getter's read of a packed field or a word, with its message.
inline uint16_t Read(uint16_t player, recbits::BitField f, const char* message,
                     const char* accessor = __builtin_FUNCTION()) {
    if (!InUse(player)) [[unlikely]]
        StopOnBadNumber(player, message, accessor);
    return uint16_t(recbits::ReadField(Bytes(player), f));
}
inline uint16_t ReadWord(uint16_t player, int offset, const char* message,
                         const char* accessor = __builtin_FUNCTION()) {
    if (!InUse(player)) [[unlikely]]
        StopOnBadNumber(player, message, accessor);
    return recbits::LoadU16(Bytes(player) + offset);
}
// The same without a message.
inline uint16_t ReadQuiet(uint16_t player, recbits::BitField f, const char* accessor = __builtin_FUNCTION()) {
    if (!InUse(player)) [[unlikely]]
        return ZeroUnlessPlayerZero(player, accessor);
    return uint16_t(recbits::ReadField(Bytes(player), f));
}
}  // namespace playerrec

// ---------------------------------------------------------------------------
// Players

// True for a player number that names a record in use (1 .. PlayerCount-1).
bool IsValidPlayer(uint16_t player);
// Address of a player's record, or nullptr when the number is not in use.
PlayerRecord* GetPlayerRecordAddress(uint16_t player);

const char* GetPlayerSurname(uint16_t player);
// Copies at most 15 characters and always terminates the field.
void SetPlayerSurname(uint16_t player, const char* surname);

int32_t GetPlayerManPrice(uint16_t player);
void SetPlayerManPrice(uint16_t player, int32_t value);
uint16_t GetPlayerSellOnClause(uint16_t player);
void SetPlayerSellOnClause(uint16_t player, int16_t value);
uint16_t GetPlayerSellOnPercent(uint16_t player);
void SetPlayerSellOnPercent(uint16_t player, int16_t value);
inline uint16_t GetPlayerField52(uint16_t player) {
    if (!playerrec::InUse(player)) [[unlikely]]
        return playerrec::ZeroUnlessPlayerZero(player);
    return recbits::LoadU16(playerrec::Bytes(player) + playerrec::kField52);
}
void SetPlayerField52(uint16_t player, int16_t value);
inline uint16_t GetPlayerWage(uint16_t player) {
    return playerrec::ReadWord(player, playerrec::kWage, "Trying to get Wage of neg player : '%d'\n");
}
void SetPlayerWage(uint16_t player, int16_t value);

uint16_t GetPlayerCareerGoals(uint16_t player);
void SetPlayerCareerGoals(uint16_t player, int16_t value);
inline uint16_t GetPlayerAge(uint16_t player) {
    return playerrec::Read(player, playerrec::kAge, "Trying to get negative player age : '%d'\n");
}
void SetPlayerAge(uint16_t player, int16_t value);
uint16_t GetPlayerCareerApps(uint16_t player);
void SetPlayerCareerApps(uint16_t player, int16_t value);
uint16_t GetPlayerDispoints(uint16_t player);
void SetPlayerDispoints(uint16_t player, int16_t value);

uint16_t GetPlayerInitial(uint16_t player);
void SetPlayerInitial(uint16_t player, int16_t value);
uint16_t GetPlayerSaleStatus(uint16_t player);
void SetPlayerSaleStatus(uint16_t player, int16_t value);
uint16_t GetPlayerClause2(uint16_t player);
void SetPlayerClause2(uint16_t player, int16_t value);
uint16_t GetPlayerClause3(uint16_t player);
void SetPlayerClause3(uint16_t player, int16_t value);
uint16_t GetPlayerClause8(uint16_t player);
void SetPlayerClause8(uint16_t player, int16_t value);
uint16_t GetPlayerCaptain(uint16_t player);
void SetPlayerCaptain(uint16_t player, int16_t value);
inline uint16_t GetPlayerIntDuty(uint16_t player) {
    return playerrec::Read(player, playerrec::kIntDuty, "Trying to get Int Duty of neg player : '%d'\n");
}
void SetPlayerIntDuty(uint16_t player, int16_t value);
uint16_t GetPlayerTxList(uint16_t player);
void SetPlayerTxList(uint16_t player, int16_t value);
uint16_t GetPlayerTxReq(uint16_t player);
void SetPlayerTxReq(uint16_t player, int16_t value);
// Recent performance 0..100, kept halved.
uint16_t GetPlayerPerf(uint16_t player);
void SetPlayerPerf(uint16_t player, int16_t value);
inline uint16_t GetPlayerContract(uint16_t player) {
    return playerrec::Read(player, playerrec::kContract, "Trying to get Contract of neg player : '%d'\n");
}
void SetPlayerContract(uint16_t player, int16_t value);
inline uint16_t GetPlayerFatigue(uint16_t player) {
    return playerrec::Read(player, playerrec::kFatigue, "Trying to get Fatigue of neg player : '%d'\n");
}
inline void SetPlayerFatigue(uint16_t player, int16_t value) {
    if (!playerrec::InUse(player)) [[unlikely]] {
        playerrec::ZeroUnlessPlayerZero(player);  // a number not in use is ignored
        return;
    }
    recbits::WriteField(PlayerRecords[player].bytes, playerrec::kFatigue,
                        uint32_t(std::clamp<int>(value, 0, 60)));
}

// Contract clause amounts; setters take up to 100000000.
int32_t GetPlayerClause1(uint16_t player);
void SetPlayerClause1(uint16_t player, int32_t value);
int32_t GetPlayerClause4(uint16_t player);
void SetPlayerClause4(uint16_t player, int32_t value);
int32_t GetPlayerClause5(uint16_t player);
void SetPlayerClause5(uint16_t player, int32_t value);
int32_t GetPlayerClause6(uint16_t player);
void SetPlayerClause6(uint16_t player, int32_t value);
int32_t GetPlayerClause7(uint16_t player);
void SetPlayerClause7(uint16_t player, int32_t value);

uint16_t GetPlayerGoals(uint16_t player);
uint16_t GetPlayerTotalGoals(uint16_t player);
// Storing 0 also clears the other season counters.
void SetPlayerGoals(uint16_t player, int16_t value);
uint16_t GetPlayerFans(uint16_t player);
void SetPlayerFans(uint16_t player, int16_t value);
inline uint16_t GetPlayerHalvorn(uint16_t player) {
    return playerrec::Read(player, playerrec::kHalvorn, "Trying to get halvorn of neg player : '%d'\n");
}
void SetPlayerHalvorn(uint16_t player, int16_t value);
inline uint16_t GetPlayerHalvornB(uint16_t player) {
    return playerrec::Read(player, playerrec::kHalvornB, "Trying to get halvorn of neg player : '%d'\n");
}
void SetPlayerHalvornB(uint16_t player, int16_t value);
uint16_t GetPlayerEuroBan(uint16_t player);
void SetPlayerEuroBan(uint16_t player, int16_t value);
uint16_t GetPlayerEuroDispoints(uint16_t player);
void SetPlayerEuroDispoints(uint16_t player, int16_t value);
uint16_t GetPlayerCaps86(uint16_t player);
void SetPlayerCaps86(uint16_t player, int16_t value);
uint16_t GetPlayerIntGoals87(uint16_t player);
void SetPlayerIntGoals87(uint16_t player, int16_t value);

uint16_t GetPlayerApps(uint16_t player);
void SetPlayerApps(uint16_t player, int16_t value);
uint16_t GetPlayerAppsAsSub(uint16_t player);
void SetPlayerAppsAsSub(uint16_t player, int16_t value);
uint16_t GetPlayerCaps89(uint16_t player);
void SetPlayerCaps89(uint16_t player, int16_t value);
uint16_t GetPlayerCaretaker(uint16_t player);
void SetPlayerCaretaker(uint16_t player, int16_t value);
inline uint16_t GetPlayerFitness(uint16_t player) {
    return playerrec::Read(player, playerrec::kFitness, "Trying to get Fitness of neg player : '%d'\n");
}
void SetPlayerFitness(uint16_t player, int16_t value);
// 13 when the second halvorn flag is set, else the stored position.
inline uint16_t GetPlayerPosition(uint16_t player) {
    if (!playerrec::InUse(player)) [[unlikely]]
        playerrec::StopOnBadNumber(player, "Trying to get Position of neg player : '%d'\n");
    const uint8_t* r = playerrec::Bytes(player);
    if (recbits::ReadField(r, playerrec::kHalvornB) != 0) return 13;
    return uint16_t(recbits::ReadField(r, playerrec::kPosition));
}
// Always the stored position bits.
uint16_t GetPlayerPosition2(uint16_t player);
void SetPlayerPosition(uint16_t player, int16_t value);

uint16_t GetPlayerField92(uint16_t player);
void SetPlayerField92(uint16_t player, int16_t value);
inline uint16_t GetPlayerShirt(uint16_t player) {
    return playerrec::Read(player, playerrec::kShirt, "Trying to get Shirt of neg player : '%d'\n");
}
void SetPlayerShirt(uint16_t player, int16_t value);
uint16_t GetPlayerExperience(uint16_t player);
void SetPlayerExperience(uint16_t player, int16_t value);
uint16_t GetPlayerSusp(uint16_t player);
uint16_t IsPlayerSuspended(uint16_t player);
void SetPlayerSusp(uint16_t player, int16_t value);
uint16_t GetPlayerAssists(uint16_t player);
uint16_t GetPlayerTotalAssists(uint16_t player);
void SetPlayerAssists(uint16_t player, int16_t value);
inline uint16_t GetPlayerFlag95(uint16_t player) { return playerrec::ReadQuiet(player, playerrec::kFlag95); }
void SetPlayerFlag95(uint16_t player, int16_t value);

inline uint16_t GetPlayerMorale(uint16_t player) {
    return playerrec::Read(player, playerrec::kMorale, "Trying to get Morale of neg player : '%d'\n");
}
void SetPlayerMorale(uint16_t player, int16_t value);
// change is a percentage of the current morale.
void ChangePlayerMorale(uint16_t player, int16_t change);
uint16_t GetPlayerField96(uint16_t player);
void SetPlayerField96(uint16_t player, int16_t value);
uint16_t GetPlayerReputation(uint16_t player);
void SetPlayerReputation(uint16_t player, int16_t value);
inline uint16_t GetPlayerIT(uint16_t player) {
    return playerrec::Read(player, playerrec::kIT, "Trying to get IT of neg player : '%d'\n");
}
void SetPlayerIT(uint16_t player, int16_t value);
uint16_t GetPlayerIP(uint16_t player);
void SetPlayerIP(uint16_t player, int16_t value);
uint16_t GetPlayerLoanList(uint16_t player);
void SetPlayerLoanList(uint16_t player, int16_t value);

uint16_t GetPlayerLoanPeriod(uint16_t player);
void SetPlayerLoanPeriod(uint16_t player, int16_t value);
uint16_t GetPlayerMoM(uint16_t player);
void SetPlayerMoM(uint16_t player, int16_t value);
inline uint16_t GetPlayerNationality(uint16_t player) {
    return playerrec::Read(player, playerrec::kNationality,
                           "Trying to get Nationality of neg player : '%d'\n");
}
void SetPlayerNationality(uint16_t player, int16_t value);
// The player's look: three 3-bit codes taken from the database record.
uint16_t GetPlayerSkinColour(uint16_t player);
void SetPlayerSkinColour(uint16_t player, int16_t value);
uint16_t GetPlayerHairColour(uint16_t player);
void SetPlayerHairColour(uint16_t player, int16_t value);
uint16_t GetPlayerHairStyle(uint16_t player);
void SetPlayerHairStyle(uint16_t player, int16_t value);
// Formation code 0..5; stored 6 and 7 read as 0.
uint16_t GetPlayerTactic(uint16_t player);
// Stores the low three bits.
void SetPlayerTactic(uint16_t player, int16_t value);

uint16_t GetPlayerBanWait(uint16_t player);
void SetPlayerBanWait(uint16_t player, int16_t value);
uint16_t GetPlayerSetting1(uint16_t player);
void SetPlayerSetting1(uint16_t player, int16_t value);
uint16_t GetPlayerSetting2(uint16_t player);
void SetPlayerSetting2(uint16_t player, int16_t value);
uint16_t GetPlayerSetting3(uint16_t player);
void SetPlayerSetting3(uint16_t player, int16_t value);
inline uint16_t GetPlayerSetting4(uint16_t player) {
    return playerrec::ReadQuiet(player, playerrec::kSetting4);
}
void SetPlayerSetting4(uint16_t player, int16_t value);
uint16_t GetPlayerField105(uint16_t player);
void SetPlayerField105(uint16_t player, int16_t value);
uint16_t GetPlayerCareerAppsAsSub(uint16_t player);
void SetPlayerCareerAppsAsSub(uint16_t player, int16_t value);
inline uint16_t GetPlayerFlag107(uint16_t player) {
    return playerrec::ReadQuiet(player, playerrec::kFlag107);
}
void SetPlayerFlag107(uint16_t player, int16_t value);
uint16_t GetPlayerLoanTrial(uint16_t player);
void SetPlayerLoanTrial(uint16_t player, int16_t value);
uint16_t GetPlayerFlag107Bit7(uint16_t player);
void SetPlayerFlag107Bit7(uint16_t player, int16_t value);

uint16_t GetPlayerIntShirt(uint16_t player);
void SetPlayerIntShirt(uint16_t player, int16_t value);
uint16_t GetPlayerField108A(uint16_t player);
void SetPlayerField108A(uint16_t player, int16_t value);
uint16_t GetPlayerField108B(uint16_t player);
void SetPlayerField108B(uint16_t player, int16_t value);
uint16_t GetPlayerAssists2(uint16_t player);
void SetPlayerAssists2(uint16_t player, int16_t value);
uint16_t GetPlayerGoals2(uint16_t player);
void SetPlayerGoals2(uint16_t player, int16_t value);
uint16_t GetPlayerPerf2(uint16_t player);
void SetPlayerPerf2(uint16_t player, int16_t value);
uint16_t GetPlayerCaps113(uint16_t player);
void SetPlayerCaps113(uint16_t player, int16_t value);
uint16_t GetPlayerIntGoals114(uint16_t player);
void SetPlayerIntGoals114(uint16_t player, int16_t value);

uint16_t GetPlayerCaps116(uint16_t player);
void SetPlayerCaps116(uint16_t player, int16_t value);
uint16_t GetPlayerField116(uint16_t player);
void SetPlayerField116(uint16_t player, int16_t value);
uint16_t GetPlayerField117(uint16_t player);
void SetPlayerField117(uint16_t player, int16_t value);
uint16_t GetPlayerFlag118(uint16_t player);
void SetPlayerFlag118(uint16_t player, int16_t value);
uint16_t GetPlayerField118(uint16_t player);
void SetPlayerField118(uint16_t player, int16_t value);
uint16_t GetPlayerLoanClubFans(uint16_t player);
void SetPlayerLoanClubFans(uint16_t player, int16_t value);
inline uint16_t GetPlayerScoutMark(uint16_t player) {
    return playerrec::ReadQuiet(player, playerrec::kScoutMark);
}
void SetPlayerScoutMark(uint16_t player, int16_t value);
inline uint16_t GetPlayerFlag119(uint16_t player) {
    return playerrec::ReadQuiet(player, playerrec::kFlag119);
}
void SetPlayerFlag119(uint16_t player, int16_t value);

uint16_t GetPlayerField120Bit0(uint16_t player);
void SetPlayerField120Bit0(uint16_t player, int16_t value);
uint16_t GetPlayerField120(uint16_t player);
void SetPlayerField120(uint16_t player, int16_t value);
uint16_t GetPlayerField120Bits9(uint16_t player);
void SetPlayerField120Bits9(uint16_t player, int16_t value);
uint16_t GetPlayerFlag120Bit11(uint16_t player);
void SetPlayerFlag120Bit11(uint16_t player, int16_t value);
uint16_t GetPlayerFlag120Bit12(uint16_t player);
void SetPlayerFlag120Bit12(uint16_t player, int16_t value);
uint16_t GetPlayerCupFlag0(uint16_t player);
void SetPlayerCupFlag0(uint16_t player, int16_t value);
uint16_t GetPlayerCupFlag1(uint16_t player);
void SetPlayerCupFlag1(uint16_t player, int16_t value);
uint16_t GetPlayerCupFlag2(uint16_t player);
void SetPlayerCupFlag2(uint16_t player, int16_t value);
uint16_t GetPlayerCupFlag3(uint16_t player);
void SetPlayerCupFlag3(uint16_t player, int16_t value);
uint16_t GetPlayerCupFlag4(uint16_t player);
void SetPlayerCupFlag4(uint16_t player, int16_t value);
uint16_t GetPlayerCupFlag5(uint16_t player);
void SetPlayerCupFlag5(uint16_t player, int16_t value);
inline uint16_t GetPlayerAgent(uint16_t player) {
    return playerrec::Read(player, playerrec::kAgent, "Trying to get Agent of neg player : '%d'\n");
}
void SetPlayerAgent(uint16_t player, int16_t value);
uint16_t GetPlayerFlag123(uint16_t player);
void SetPlayerFlag123(uint16_t player, int16_t value);

// 0..1200, or kNoClub.
inline uint16_t GetPlayerClub(uint16_t player) {
    return playerrec::ReadWord(player, playerrec::kClub, "Trying to get Club of neg player : '%d'\n");
}
void SetPlayerClub(uint16_t player, int16_t value);
// Moves on whenever a player joins or leaves the club through
// SetPlayerClub or one of its players' position or manager flags is set:
// while it stands still, a walk over the table for the club's people finds
// what it found before.  Records written whole (a load, a cleared table)
// do not move it.
uint32_t ClubPlayersStamp(int16_t club);

// The market key of a player: kPlayerOffMarket when he is on trial, on the
// transfer list, has asked to leave or has no club; else the club that owns
// him (the loan club's owner while he is away on loan).  The tests every
// transfer search asks of every player first, in one small table.
constexpr uint16_t kPlayerOffMarket = 0xFFFF;
// While kept, the tables of keys and club words stay true through the
// setters of those fields and grow with the player table; keepers may nest,
// and the last KeepPlayerMarketKeys(false) drops them (a load or a record
// written whole may follow).
void KeepPlayerMarketKeys(bool keep);
// Keys of players 0 .. PlayerCount-1, or nullptr while none are kept.
const uint16_t* PlayerMarketKeys();
// Kept beside the keys: each player's club word (low 16 bits) and loan-club
// word (high 16 bits) as the record holds them; nullptr while none are kept.
const uint32_t* PlayerClubWords();
// Kept beside the keys: what each player's record says of managing a club,
// the two bits a walk for a club's manager reads: kKeptManager when he
// manages without playing (his position reads 13), kKeptPlayerManager when
// his halvorn flag is set.  nullptr while none are kept.
constexpr uint8_t kKeptManager = 1;
constexpr uint8_t kKeptPlayerManager = 2;
const uint8_t* PlayerManagerKinds();
// The players with kKeptManager as a set of player numbers (bit p & 63 of
// word p >> 6, kMaxPlayers bits), nullptr while none are kept; good until
// the next change of a kind.
const uint64_t* KeptManagerSet();
// The same for the players with either kind: a walk for every club's
// manager reads these alone, however the clubs' players lie in the table.
const uint64_t* KeptManagingSet();
// Kept beside the keys: each player's spare key, what his own record
// decides of whether a club may bring him in for its side (the spare-player
// search): kPlayerNotSpare when he is on loan trial or international duty,
// has a club without the new-player flag or wears a shirt, is on loan, or
// plays no position (13); else his nationality with kSpareOutfield set for
// an outfield player.  nullptr while none are kept.
constexpr uint16_t kPlayerNotSpare = 0xFFFF;
constexpr uint16_t kSpareOutfield = 0x100;
constexpr int kSpareNationalities = 256;
const uint16_t* PlayerSpareKeys();
// The players whose spare key is of the kind and nationality (-1: any), 0
// while no keys are kept.
int32_t KeptSparePlayers(bool outfield, int nationality);
// Those players as a set of player numbers (bit p & 63 of word p >> 6),
// kMaxPlayers bits; a nationality of -1 takes any.  nullptr while no keys
// are kept or for a nationality no key holds; good until the next change
// of a key.
const uint64_t* KeptSpareSet(bool outfield, int nationality);
// Kept beside the club words once asked for, while they are kept: the
// players 1 .. PlayerCount-1 a club's roster holds (playing for it, or owned
// by it and away on loan), in number order, *count of them; nullptr (and a
// count of 0) while no words are kept or for a number that is not a club's.
// Good until the next change of a player's club words.
const uint16_t* KeptClubMembers(int16_t club, int* count);
inline uint16_t GetPlayerLoanClub(uint16_t player) {
    return playerrec::ReadWord(player, playerrec::kLoanClub, "Trying to get LoanClub of neg player : '%d'\n");
}
void SetPlayerLoanClub(uint16_t player, int16_t value);

// Cup-tied club per competition slot 0..6 and row 0..8 (slots 4-6 always
// use row 0); kNoClub for none.
uint16_t GetPlayerCup(uint16_t player, int16_t slot, int16_t row);
void SetPlayerCup(uint16_t player, int16_t club, int16_t slot, int16_t row);

// No player-0 check: reads 0 and writes nothing for a number not in use.
uint16_t GetPlayerScoutRecommended(uint16_t player);
void SetPlayerScoutRecommended(uint16_t player, int16_t value);

// A stat 0..27 as the game reads it: position bonus for stats 0..7 when
// positionFactor is not 0, the caps of the stat's group, then 1..99.
inline int16_t GetPlayerStat(uint16_t player, int16_t index, int16_t positionFactor) {
    if (!playerrec::InUse(player)) [[unlikely]]
        playerrec::StopOnBadNumber(player, "Trying to get Stat of invalid player : '%d'\n");
    if (index < 0 || index >= kStatCount) return 0;
    const uint8_t* r = playerrec::Bytes(player);
    int value = r[playerrec::kStatMap[index].byte];
    const int ability = r[playerrec::kStatMap[kAbilityStat].byte];
    if (positionFactor != 0 && index < 8) {
        const int position = int(recbits::ReadField(r, playerrec::kPosition));
        // A stored 13..15 (a damaged save) has no bonus row to read.
        if (position < kPlayerPositionCount) {
            // Both divisions are 16-bit, as the ratings were tuned with them.
            const int16_t q = int16_t(int16_t(ability * positionFactor * 52) / 100);
            value += int16_t(int16_t(q * kPositionGrowthChance[position][index]) / 100);
        }
    }
    value = std::min(value, playerrec::StatCap(player, ability, index));
    if (value == 0) value = 1;
    if (value > 99) value = 99;
    return int16_t(value);
}
// Several stats without a position bonus, out[i] as GetPlayerStat(player,
// indexes[i], 0) gives it, with one check of the number for them all.
void GetPlayerStats(uint16_t player, const int16_t* indexes, int count, int16_t* out);
// The stored stat (0..100) with no bonus, cap or clamp; 0 for an index
// outside 0..27.
int16_t GetPlayerStatRaw(uint16_t player, int16_t index);
// Stores the raw stat (0..100).
void SetPlayerStat(uint16_t player, int16_t index, int16_t value);
// The highest value GetPlayerStat without a position bonus can give for the
// stat (its group's cap, at most 99); 0 for an index outside 0..27.
int16_t GetPlayerStatLimit(uint16_t player, int16_t index);
// The overall ability (stat 27); 0 for a number not in use.
int16_t GetPlayerStat27(uint16_t player);
// What a rating of a player's ability at a position reads of his record:
// his stored stats, age, position and scoring record (goals and assists of
// both columns, man-of-the-match awards). While a player's key is unchanged
// GetPlayerStat without a position bonus gives him the same values.
struct PlayerRatingKey {
    uint8_t stats[kStatCount];  // as stored, in the record's order
    uint16_t age, position, goals, assists, moM;
    bool operator==(const PlayerRatingKey&) const = default;
};
// Ends the game, as the stat getter does, for a number not in use.
inline PlayerRatingKey GetPlayerRatingKey(uint16_t player) {
    using recbits::ReadField;
    if (!playerrec::InUse(player)) [[unlikely]]
        playerrec::StopOnBadNumber(player, "Trying to get Stat of invalid player : '%d'\n");
    const uint8_t* r = playerrec::Bytes(player);
    PlayerRatingKey key{};
    // The stats fill bytes 20..47 of the record: copied as they lie.
    static_assert(sizeof key.stats == kStatCount);
    std::memcpy(key.stats, r + playerrec::kFirstStatByte, sizeof key.stats);
    key.age = uint16_t(ReadField(r, playerrec::kAge));
    key.position = uint16_t(ReadField(r, playerrec::kPosition));
    key.goals = uint16_t(ReadField(r, playerrec::kGoals) + ReadField(r, playerrec::kGoals2));
    key.assists = uint16_t(ReadField(r, playerrec::kAssists) + ReadField(r, playerrec::kAssists2));
    key.moM = uint16_t(ReadField(r, playerrec::kMoM));
    return key;
}

// Agents.
void InitAgents();
uint16_t AssignPlayerAgent(uint16_t player);
void AssignAllPlayerAgents();
