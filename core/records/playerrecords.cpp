// Player records: the packed fields of the 262-byte record, the stats with
// their caps, morale, the cup table and the agents.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/nations.h"
#include "core/records/playerrecords.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

using recbits::BitField;
using recbits::LoadU16;
using recbits::LoadU32;
using recbits::ReadField;
using recbits::StoreU16;
using recbits::StoreU32;
using recbits::WriteField;

PlayerRecord PlayerRecords[kMaxPlayers];
uint16_t PlayerCount;
AgentRecord AgentRecords[kAgentCount];

namespace {

// Byte fields.
constexpr int kSurname = 0;
constexpr int kSurnameSize = 16;
constexpr int kManPrice = 16;
constexpr int kSellOnClause = 48;
constexpr int kSellOnPercent = 50;
using playerrec::kField52;
using playerrec::kWage;
constexpr int kClause1 = 64;
constexpr int kClause4 = 68;
constexpr int kClause5 = 72;
constexpr int kClause6 = 76;
constexpr int kClause7 = 80;
using playerrec::kClub;
using playerrec::kLoanClub;
constexpr int kCupTable = 132;
constexpr int kCupRows = 9;
constexpr int kCupSlots = 7;

// Packed fields: {byte of the 32-bit word, first bit, width}.
constexpr BitField kCareerGoals{56, 0, 10}, kCareerApps{56, 16, 11}, kDispoints{56, 27, 5};
constexpr BitField kInitial{60, 0, 5}, kSaleStatus{60, 5, 1}, kClause2{60, 6, 1}, kClause3{60, 7, 1},
    kClause8{60, 8, 1}, kCaptain{60, 9, 1}, kTxList{60, 11, 1}, kTxReq{60, 12, 1}, kPerf{60, 14, 6};
using playerrec::kAge;
using playerrec::kAgent;
using playerrec::kAssists;
using playerrec::kAssists2;
using playerrec::kContract;
using playerrec::kFatigue;
using playerrec::kFitness;
using playerrec::kFlag107;
using playerrec::kFlag119;
using playerrec::kFlag95;
using playerrec::kGoals;
using playerrec::kGoals2;
using playerrec::kHalvorn;
using playerrec::kHalvornB;
using playerrec::kIntDuty;
using playerrec::kIT;
using playerrec::kMoM;
using playerrec::kMorale;
using playerrec::kNationality;
using playerrec::kPosition;
using playerrec::kScoutMark;
using playerrec::kSetting4;
using playerrec::kShirt;
constexpr BitField kFans{84, 7, 6}, kEuroBan{84, 15, 1}, kEuroDispoints{84, 16, 2}, kCaps86{84, 18, 7},
    kIntGoals87{84, 25, 7};
constexpr BitField kApps{88, 0, 7}, kAppsAsSub{88, 7, 7}, kCaps89{88, 14, 7}, kCaretaker{88, 21, 1};
constexpr BitField kField92{92, 0, 7}, kExperience{92, 12, 6}, kSusp{92, 18, 5};
constexpr BitField kField96{96, 6, 6}, kReputation{96, 12, 6}, kIP{96, 24, 7}, kLoanList{96, 31, 1};
constexpr BitField kLoanPeriod{100, 0, 6}, kSkinColour{100, 20, 3}, kHairColour{100, 23, 3},
    kHairStyle{100, 26, 3}, kTactic{100, 29, 3};
constexpr BitField kBanWait{104, 0, 2}, kSetting3{104, 2, 2}, kSetting2{104, 4, 2}, kSetting1{104, 6, 2},
    kField105{104, 12, 6}, kCareerAppsAsSub{104, 18, 11}, kLoanTrial{104, 30, 1}, kFlag107Bit7{104, 31, 1};
constexpr BitField kIntShirt{108, 0, 5}, kField108A{108, 5, 7}, kField108B{108, 12, 7};
constexpr BitField kPerf2{112, 7, 6}, kCaps113{112, 13, 7}, kIntGoals114{112, 20, 7};
constexpr BitField kCaps116{116, 0, 7}, kField116{116, 7, 7}, kField117{116, 14, 3}, kFlag118{116, 17, 1},
    kField118{116, 18, 6}, kLoanClubFans{116, 24, 6};
constexpr BitField kField120Bit0{120, 0, 1}, kField120{120, 1, 8}, kField120Bits9{120, 9, 2},
    kFlag120Bit11{120, 11, 1}, kFlag120Bit12{120, 12, 1}, kCupFlag0{120, 13, 1}, kCupFlag1{120, 14, 1},
    kCupFlag2{120, 15, 1}, kCupFlag3{120, 16, 1}, kCupFlag4{120, 17, 1}, kCupFlag5{120, 18, 1},
    kFlag123{120, 30, 1};
constexpr BitField kScoutRecommended{258, 0, 1};

constexpr int32_t kMaxClauseAmount = 100000000;

using playerrec::kFirstStatByte;
using playerrec::kStatMap;
using playerrec::StatCap;
using playerrec::StatSlot;
constexpr bool StatsFillOneBlock() {
    bool seen[kStatCount] = {};
    for (const StatSlot& slot : kStatMap) {
        if (slot.byte < kFirstStatByte || slot.byte >= kFirstStatByte + kStatCount) return false;
        seen[slot.byte - kFirstStatByte] = true;
    }
    for (bool s : seen)
        if (!s) return false;
    return true;
}
static_assert(StatsFillOneBlock());

uint8_t* Rec(uint16_t player) { return PlayerRecords[player].bytes; }

// Per club, moved on by every change to who plays for it or to one of its
// players' position and manager flags.
uint32_t g_clubPlayersStamp[kClubCount];

void TouchClubOf(uint16_t player) {
    if (!IsPlayerNumber(player)) return;
    const uint16_t club = LoadU16(Rec(player) + kClub);
    if (club < kClubCount) ++g_clubPlayersStamp[club];
}

// The kept tables: players below g_keptBuilt hold their market key, club
// words and spare key; g_spareCounts counts their spare keys by kind
// (goalkeeper, outfield) and nationality.
bool g_keptTables = false;
uint16_t g_keptBuilt = 0;
uint16_t g_marketKeys[kMaxPlayers];
uint32_t g_clubWords[kMaxPlayers];
uint16_t g_spareKeys[kMaxPlayers];
int32_t g_spareCounts[2][kSpareNationalities];
// The same as sets of player numbers, by kind and nationality (the last
// row for any nationality): the spare-player search tests a drawn player in
// a set small enough to stay at hand.
constexpr int kSpareSetWords = (kMaxPlayers + 63) / 64;
std::vector<uint64_t> g_spareSets[2][kSpareNationalities + 1];

// Kept beside them: each player's manager kinds (see the header) and the
// players who manage without playing, as a set of player numbers.
uint8_t g_managerKinds[kMaxPlayers];
uint64_t g_managerSet[kSpareSetWords];
uint64_t g_managingSet[kSpareSetWords];

void SetSpareBit(std::vector<uint64_t>& set, uint16_t player, bool on) {
    if (set.empty()) set.assign(kSpareSetWords, 0);
    const uint64_t bit = uint64_t(1) << (player & 63);
    set[player >> 6] = on ? set[player >> 6] | bit : set[player >> 6] & ~bit;
}

uint16_t MarketKeyOf(uint16_t player) {
    const uint8_t* rec = Rec(player);
    if (ReadField(rec, kLoanTrial) != 0 || ReadField(rec, kTxList) != 0 || ReadField(rec, kTxReq) != 0)
        return kPlayerOffMarket;
    const uint16_t club = LoadU16(rec + kClub);
    if (club >= kClubCount) return kPlayerOffMarket;
    const uint16_t loanClub = LoadU16(rec + kLoanClub);
    return loanClub < kClubCount ? loanClub : club;
}

// What of the spare-player test a player's own record decides, whatever
// the club that asks (see the header).
uint16_t SpareKeyOf(uint16_t player) {
    const uint8_t* rec = Rec(player);
    if (ReadField(rec, kLoanTrial) != 0 || ReadField(rec, kIntDuty) != 0) return kPlayerNotSpare;
    const uint16_t own = LoadU16(rec + kClub);
    const bool unplaced =
        ReadField(rec, kFlag95) != 0 && ReadField(rec, kShirt) == 0 && ReadField(rec, kIntShirt) == 0;
    if ((own != kNoClub && !unplaced) || own != LoadU16(rec + kLoanClub)) return kPlayerNotSpare;
    const uint32_t position = ReadField(rec, kHalvornB) != 0 ? 13 : ReadField(rec, kPosition);
    if (position >= 13) return kPlayerNotSpare;
    return uint16_t(ReadField(rec, kNationality) | (position != 0 ? kSpareOutfield : 0));
}

void CountSpareKey(uint16_t player, uint16_t key, int32_t by) {
    if (key == kPlayerNotSpare) return;
    const int kind = (key & kSpareOutfield) != 0, nationality = key & (kSpareNationalities - 1);
    g_spareCounts[kind][nationality] += by;
    SetSpareBit(g_spareSets[kind][nationality], player, by > 0);
    SetSpareBit(g_spareSets[kind][kSpareNationalities], player, by > 0);
}

// Empties the counts and sets (those that hold anyone).
void ClearSpareKeys() {
    for (int kind = 0; kind < 2; ++kind) {
        for (int nationality = 0; nationality < kSpareNationalities; ++nationality) {
            if (g_spareCounts[kind][nationality] == 0) continue;
            std::fill(g_spareSets[kind][nationality].begin(), g_spareSets[kind][nationality].end(), 0);
            g_spareCounts[kind][nationality] = 0;
        }
        std::fill(g_spareSets[kind][kSpareNationalities].begin(),
                  g_spareSets[kind][kSpareNationalities].end(), 0);
    }
}

uint8_t ManagerKindsOf(uint16_t player) {
    const uint8_t* rec = Rec(player);
    const bool manages = ReadField(rec, kHalvornB) != 0 || ReadField(rec, kPosition) == 13;
    return uint8_t((manages ? kKeptManager : 0) | (ReadField(rec, kHalvorn) != 0 ? kKeptPlayerManager : 0));
}

uint32_t ClubWordsOf(uint16_t player) {
    const uint8_t* rec = Rec(player);
    return uint32_t(LoadU16(rec + kClub)) | uint32_t(LoadU16(rec + kLoanClub)) << 16;
}

// Kept with the club words once asked for: each club's players as a
// roster places them (playing for it, or owned by it while away on loan),
// in number order, for the players below g_keptBuilt but player 0.
bool g_membersKept = false;
std::vector<uint16_t> g_clubMembers[kClubCount];

// The clubs (up to two) whose rosters a player's club words place him in.
int MemberClubs(uint32_t words, uint16_t clubs[2]) {
    const uint16_t playing = uint16_t(words), owner = uint16_t(words >> 16);
    int n = 0;
    if (playing < kClubCount) clubs[n++] = playing;
    if (owner != playing && owner < kClubCount) clubs[n++] = owner;
    return n;
}

void MoveMember(uint16_t player, uint32_t from, uint32_t to) {
    uint16_t clubs[2];
    for (int i = 0, n = MemberClubs(from, clubs); i < n; ++i) {
        std::vector<uint16_t>& members = g_clubMembers[clubs[i]];
        const auto at = std::lower_bound(members.begin(), members.end(), player);
        if (at != members.end() && *at == player) members.erase(at);
    }
    for (int i = 0, n = MemberClubs(to, clubs); i < n; ++i) {
        std::vector<uint16_t>& members = g_clubMembers[clubs[i]];
        members.insert(std::lower_bound(members.begin(), members.end(), player), player);
    }
}

void KeepTableEntry(uint16_t player) {
    g_marketKeys[player] = MarketKeyOf(player);
    // Most setters leave the spare key as it was: the counts and sets are
    // touched only when it moves.
    const uint16_t spareKey = SpareKeyOf(player);
    if (player >= g_keptBuilt || spareKey != g_spareKeys[player]) {
        if (player < g_keptBuilt) CountSpareKey(player, g_spareKeys[player], -1);
        g_spareKeys[player] = spareKey;
        CountSpareKey(player, spareKey, 1);
    }
    g_managerKinds[player] = ManagerKindsOf(player);
    const uint64_t bit = uint64_t(1) << (player & 63);
    if ((g_managerKinds[player] & kKeptManager) != 0)
        g_managerSet[player >> 6] |= bit;
    else
        g_managerSet[player >> 6] &= ~bit;
    if (g_managerKinds[player] != 0)
        g_managingSet[player >> 6] |= bit;
    else
        g_managingSet[player >> 6] &= ~bit;
    const uint32_t words = ClubWordsOf(player);
    // A player below g_keptBuilt is in the members under his old words;
    // one beyond it joins them now.
    if (g_membersKept && player != 0) {
        const uint32_t before = player < g_keptBuilt ? g_clubWords[player] : uint32_t(kNoClub) * 0x10001u;
        if (before != words) MoveMember(player, before, words);
    }
    g_clubWords[player] = words;
}

// Brings the kept tables to the player table's length; false while none
// are kept.
bool KeptTablesUpToDate() {
    if (!g_keptTables) return false;
    // Records are only added at the table's end while the tables are kept.
    if (PlayerCount < g_keptBuilt) g_keptBuilt = 0, g_membersKept = false;
    if (g_keptBuilt == 0) {
        ClearSpareKeys();
        std::fill(std::begin(g_managerSet), std::end(g_managerSet), 0);
        std::fill(std::begin(g_managingSet), std::end(g_managingSet), 0);
    }
    for (uint16_t player = g_keptBuilt; player < PlayerCount && player < kMaxPlayers; ++player) {
        const unsigned ahead = player + kPlayerPrefetchAhead;
        PrefetchPlayerRecord(ahead, kPlayerFlagsOffset);
        PrefetchPlayerRecord(ahead, kPlayerLoanTrialOffset);
        PrefetchPlayerRecord(ahead, kPlayerClubOffset);
        KeepTableEntry(player);
    }
    g_keptBuilt = PlayerCount;
    return true;
}

// After a setter of a field the kept tables read.
void RefreshMarketKey(uint16_t player) {
    if (g_keptTables && player < g_keptBuilt) KeepTableEntry(player);
}

// Player 0 is a program error that ends the game, naming the accessor.
// The helpers below take the name of the accessor that calls them (the
// compiler fills it in as the default argument) to pass it on to this stop.
void StopOnPlayerZero(uint16_t player, const char* accessor) {
    if (player == 0) FatalExit(accessor);
}

// Checks of a getter with a message.
void CheckGet(uint16_t player, const char* message, const char* accessor = __builtin_FUNCTION()) {
    if (!IsPlayerNumber(player)) playerrec::StopOnBadNumber(player, message, accessor);
}

uint16_t Get(uint16_t player, BitField f, const char* message, const char* accessor = __builtin_FUNCTION()) {
    CheckGet(player, message, accessor);
    return uint16_t(ReadField(Rec(player), f));
}

// A getter without a message reads 0 for a number not in use.
uint16_t GetQuiet(uint16_t player, BitField f, const char* accessor = __builtin_FUNCTION()) {
    return IsPlayerNumber(player) ? uint16_t(ReadField(Rec(player), f))
                                  : playerrec::ZeroUnlessPlayerZero(player, accessor);
}

// True when a setter may write the record.
bool CanSet(uint16_t player, const char* accessor = __builtin_FUNCTION()) {
    StopOnPlayerZero(player, accessor);
    return IsPlayerNumber(player);
}

void SetMasked(uint16_t player, BitField f, int value, const char* accessor = __builtin_FUNCTION()) {
    if (CanSet(player, accessor)) WriteField(Rec(player), f, uint32_t(value));
}

void SetClamped(uint16_t player, BitField f, int value, int max,
                const char* accessor = __builtin_FUNCTION()) {
    if (CanSet(player, accessor)) WriteField(Rec(player), f, uint32_t(std::clamp(value, 0, max)));
}

void SetZeroOutside(uint16_t player, BitField f, int value, int max,
                    const char* accessor = __builtin_FUNCTION()) {
    if (CanSet(player, accessor)) WriteField(Rec(player), f, uint32_t(value < 0 || value > max ? 0 : value));
}

void SetFlagWarned(uint16_t player, BitField f, int value, const char* message,
                   const char* accessor = __builtin_FUNCTION()) {
    if (!CanSet(player, accessor)) return;
    if (value > 1) {
        std::printf(message, value, int(player));
        value = 1;
    }
    WriteField(Rec(player), f, uint32_t(value));
}

void SetNonNegative(uint16_t player, BitField f, int value, const char* accessor = __builtin_FUNCTION()) {
    SetMasked(player, f, value < 0 ? 0 : value, accessor);
}

// The lock flag keeps the manager, caretaker and transfer-list flags as
// they are.
void SetUnlessLocked(uint16_t player, BitField f, int value, const char* accessor = __builtin_FUNCTION()) {
    if (!CanSet(player, accessor)) return;
    if (ReadField(Rec(player), kFlag95) != 0) return;
    WriteField(Rec(player), f, uint32_t(value));
}

void SetShirtField(uint16_t player, BitField f, int value, const char* accessor = __builtin_FUNCTION()) {
    if (!CanSet(player, accessor)) return;
    if (value < 0 || value > 16) {
        std::printf("Trying excessive shirt '%d'\n", value);
        FatalExit(accessor);
    }
    WriteField(Rec(player), f, uint32_t(value));
}

// Performance ratings are kept halved.
void SetHalvedPerf(uint16_t player, BitField f, int value, const char* accessor = __builtin_FUNCTION()) {
    SetClamped(player, f, value / 2, 50, accessor);
}

int32_t GetAmount(uint16_t player, int offset, const char* message,
                  const char* accessor = __builtin_FUNCTION()) {
    CheckGet(player, message, accessor);
    return int32_t(LoadU32(Rec(player) + offset));
}

void SetAmountWarned(uint16_t player, int offset, int32_t value, const char* message,
                     const char* accessor = __builtin_FUNCTION()) {
    if (!CanSet(player, accessor)) return;
    if (value > kMaxClauseAmount) {
        std::printf(message, int(value), int(player));
        value = 1;
    }
    StoreU32(Rec(player) + offset, uint32_t(value));
}

uint16_t GetU16(uint16_t player, int offset, const char* message,
                const char* accessor = __builtin_FUNCTION()) {
    CheckGet(player, message, accessor);
    return LoadU16(Rec(player) + offset);
}

uint16_t ClubFieldValue(int value) { return value < 0 || value > kClubCount ? kNoClub : uint16_t(value); }

// Slots 4..6 of the cup table live in row 0 whatever row is given.
int CupOffset(int slot, int row) {
    if (slot >= 4) row = 0;
    return kCupTable + 14 * row + 2 * slot;
}

}  // namespace

void playerrec::StopOnBadNumber(uint16_t player, const char* message, const char* accessor) {
    StopOnPlayerZero(player, accessor);
    std::printf(message, int(player));
    FatalExit(accessor);
}

uint16_t playerrec::ZeroUnlessPlayerZero(uint16_t player, const char* accessor) {
    StopOnPlayerZero(player, accessor);
    return 0;
}

bool IsValidPlayer(uint16_t player) { return IsPlayerNumber(player); }

PlayerRecord* GetPlayerRecordAddress(uint16_t player) {
    return IsPlayerNumber(player) ? &PlayerRecords[player] : nullptr;
}

const char* GetPlayerSurname(uint16_t player) {
    StopOnPlayerZero(player, __func__);
    return IsPlayerNumber(player) ? reinterpret_cast<const char*>(Rec(player) + kSurname) : "";
}

void SetPlayerSurname(uint16_t player, const char* surname) {
    if (!CanSet(player)) return;
    char* field = reinterpret_cast<char*>(Rec(player) + kSurname);
    std::memset(field, 0, kSurnameSize);
    std::strncpy(field, surname, kSurnameSize - 1);
}

// --- bytes 16-55 -----------------------------------------------------------

int32_t GetPlayerManPrice(uint16_t player) {
    return GetAmount(player, kManPrice, "Trying to get man price of neg player : '%d'\n");
}
void SetPlayerManPrice(uint16_t player, int32_t value) {
    if (CanSet(player)) StoreU32(Rec(player) + kManPrice, uint32_t(value));
}

uint16_t GetPlayerSellOnClause(uint16_t player) {
    return GetU16(player, kSellOnClause, "Trying to get SellOnClause of neg player : '%d'\n");
}
void SetPlayerSellOnClause(uint16_t player, int16_t value) {
    if (CanSet(player)) StoreU16(Rec(player) + kSellOnClause, value < 0 ? 0xFFFF : uint16_t(value));
}

uint16_t GetPlayerSellOnPercent(uint16_t player) {
    return GetU16(player, kSellOnPercent, "Trying to get SellOnPercent of neg player : '%d'\n");
}
void SetPlayerSellOnPercent(uint16_t player, int16_t value) {
    if (!CanSet(player)) return;
    if (value > 100) {
        std::printf("Trying excessive sell clause with player: '%d,%d'\n", int(value), int(player));
        value = -1;
    }
    StoreU16(Rec(player) + kSellOnPercent, uint16_t(value));
}

void SetPlayerField52(uint16_t player, int16_t value) {
    if (CanSet(player)) StoreU16(Rec(player) + kField52, uint16_t(value));
}

void SetPlayerWage(uint16_t player, int16_t value) {
    if (CanSet(player)) StoreU16(Rec(player) + kWage, uint16_t(std::clamp<int>(value, 0, 4000)));
}

// --- word at 56 ------------------------------------------------------------

uint16_t GetPlayerCareerGoals(uint16_t player) {
    return Get(player, kCareerGoals, "Trying to get career goals of neg player : '%d'\n");
}
void SetPlayerCareerGoals(uint16_t player, int16_t value) { SetClamped(player, kCareerGoals, value, 1023); }
void SetPlayerAge(uint16_t player, int16_t value) { SetZeroOutside(player, kAge, value, 63); }
uint16_t GetPlayerCareerApps(uint16_t player) {
    return Get(player, kCareerApps, "Trying to get career apps of neg player : '%d'\n");
}
void SetPlayerCareerApps(uint16_t player, int16_t value) { SetClamped(player, kCareerApps, value, 2047); }
uint16_t GetPlayerDispoints(uint16_t player) {
    return Get(player, kDispoints, "Trying to get Dispoints of neg player : '%d'\n");
}
void SetPlayerDispoints(uint16_t player, int16_t value) { SetClamped(player, kDispoints, value, 31); }

// --- word at 60 ------------------------------------------------------------

uint16_t GetPlayerInitial(uint16_t player) {
    return Get(player, kInitial, "Trying to get Initial of neg player : '%d'\n");
}
void SetPlayerInitial(uint16_t player, int16_t value) { SetZeroOutside(player, kInitial, value, 26); }
uint16_t GetPlayerSaleStatus(uint16_t player) { return GetQuiet(player, kSaleStatus); }
void SetPlayerSaleStatus(uint16_t player, int16_t value) {
    SetFlagWarned(player, kSaleStatus, value, "Trying excessive Sale Status with player: '%d,%d'\n");
}
uint16_t GetPlayerClause2(uint16_t player) {
    return Get(player, kClause2, "Trying to get Clause2 of neg player : '%d'\n");
}
void SetPlayerClause2(uint16_t player, int16_t value) {
    SetFlagWarned(player, kClause2, value, "Trying excessive clause2 with player: '%d,%d'\n");
}
uint16_t GetPlayerClause3(uint16_t player) {
    return Get(player, kClause3, "Trying to get Clause3 of neg player : '%d'\n");
}
void SetPlayerClause3(uint16_t player, int16_t value) {
    SetFlagWarned(player, kClause3, value, "Trying excessive clause3 with player: '%d,%d'\n");
}
uint16_t GetPlayerClause8(uint16_t player) {
    return Get(player, kClause8, "Trying to get Clause8 of neg player : '%d'\n");
}
void SetPlayerClause8(uint16_t player, int16_t value) {
    SetFlagWarned(player, kClause8, value, "Trying excessive clause8 with player: '%d,%d'\n");
}
uint16_t GetPlayerCaptain(uint16_t player) {
    return Get(player, kCaptain, "Trying to get captain of neg player : '%d'\n");
}
void SetPlayerCaptain(uint16_t player, int16_t value) { SetMasked(player, kCaptain, value); }
void SetPlayerIntDuty(uint16_t player, int16_t value) {
    SetFlagWarned(player, kIntDuty, value, "Trying excessive int duty with player: '%d,%d'\n");
    RefreshMarketKey(player);
}
uint16_t GetPlayerTxList(uint16_t player) {
    return Get(player, kTxList, "Trying to get TxList of neg player : '%d'\n");
}
void SetPlayerTxList(uint16_t player, int16_t value) {
    SetUnlessLocked(player, kTxList, value > 1 ? 1 : value);
    RefreshMarketKey(player);
}
uint16_t GetPlayerTxReq(uint16_t player) {
    return Get(player, kTxReq, "Trying to get txreq of neg player : '%d'\n");
}
void SetPlayerTxReq(uint16_t player, int16_t value) {
    SetFlagWarned(player, kTxReq, value, "Trying excessive txreq with player: '%d,%d'\n");
    RefreshMarketKey(player);
}
uint16_t GetPlayerPerf(uint16_t player) {
    return Get(player, kPerf, "Trying to get perf of neg player : '%d'\n") * 2;
}
void SetPlayerPerf(uint16_t player, int16_t value) { SetHalvedPerf(player, kPerf, value); }
void SetPlayerContract(uint16_t player, int16_t value) { SetClamped(player, kContract, value, 60); }

// --- clause amounts --------------------------------------------------------

int32_t GetPlayerClause1(uint16_t player) {
    return GetAmount(player, kClause1, "Trying to get Clause1 of neg player : '%d'\n");
}
void SetPlayerClause1(uint16_t player, int32_t value) {
    SetAmountWarned(player, kClause1, value, "Trying excessive clause1 with player: '%d,%d'\n");
}
int32_t GetPlayerClause4(uint16_t player) {
    return GetAmount(player, kClause4, "Trying to get Clause4 of neg player : '%d'\n");
}
void SetPlayerClause4(uint16_t player, int32_t value) {
    SetAmountWarned(player, kClause4, value, "Trying excessive clause4 with player: '%d,%d'\n");
}
int32_t GetPlayerClause5(uint16_t player) {
    return GetAmount(player, kClause5, "Trying to get Clause5 of neg player : '%d'\n");
}
void SetPlayerClause5(uint16_t player, int32_t value) {
    SetAmountWarned(player, kClause5, value, "Trying excessive clause5 with player: '%d,%d'\n");
}
int32_t GetPlayerClause6(uint16_t player) {
    return GetAmount(player, kClause6, "Trying to get Clause6 of neg player : '%d'\n");
}
void SetPlayerClause6(uint16_t player, int32_t value) {
    SetAmountWarned(player, kClause6, value, "Trying excessive clause6 with player: '%d,%d'\n");
}
int32_t GetPlayerClause7(uint16_t player) {
    return GetAmount(player, kClause7, "Trying to get Clause7 of neg player : '%d'\n");
}
void SetPlayerClause7(uint16_t player, int32_t value) {
    SetAmountWarned(player, kClause7, value, "Trying excessive clause7 with player: '%d,%d'\n");
}

// --- word at 84 ------------------------------------------------------------

uint16_t GetPlayerGoals(uint16_t player) {
    return Get(player, kGoals, "Trying to get goals of neg player : '%d'\n");
}
uint16_t GetPlayerTotalGoals(uint16_t player) {
    CheckGet(player, "Trying to get goals of neg player : '%d'\n");
    return uint16_t(ReadField(Rec(player), kGoals) + ReadField(Rec(player), kGoals2));
}
// Storing 0 goals is how the season counters are reset.
void SetPlayerGoals(uint16_t player, int16_t value) {
    if (!CanSet(player)) return;
    int goals = std::clamp<int>(value, 0, 127);
    uint8_t* r = Rec(player);
    WriteField(r, kGoals, uint32_t(goals));
    if (goals != 0) return;
    WriteField(r, kAssists, 0);
    WriteField(r, kField108A, 0);
    WriteField(r, kField108B, 0);
    WriteField(r, kAssists2, 0);
    WriteField(r, kGoals2, 0);
}
uint16_t GetPlayerFans(uint16_t player) {
    return Get(player, kFans, "Trying to get fans of neg player : '%d'\n");
}
// Never below the fans floor / 52; a floor too large for the field still
// leaves a value that fits.
void SetPlayerFans(uint16_t player, int16_t value) {
    if (!CanSet(player)) return;
    int fans = std::clamp<int>(value, 0, 63);
    int floor = LoadU16(Rec(player) + kField52) / 52;
    fans = std::min(std::max(fans, floor), 63);
    WriteField(Rec(player), kFans, uint32_t(fans));
}
void SetPlayerHalvorn(uint16_t player, int16_t value) {
    TouchClubOf(player);
    SetUnlessLocked(player, kHalvorn, value);
    RefreshMarketKey(player);
}
void SetPlayerHalvornB(uint16_t player, int16_t value) {
    TouchClubOf(player);
    SetUnlessLocked(player, kHalvornB, value);
    RefreshMarketKey(player);
}
uint16_t GetPlayerEuroBan(uint16_t player) {
    return Get(player, kEuroBan, "Trying to get euro ban of neg player : '%d'\n");
}
void SetPlayerEuroBan(uint16_t player, int16_t value) { SetClamped(player, kEuroBan, value, 1); }
uint16_t GetPlayerEuroDispoints(uint16_t player) {
    return Get(player, kEuroDispoints, "Trying to get EuroDispoints of neg player : '%d'\n");
}
// Three European points bring a ban and a message to the player's club.
void SetPlayerEuroDispoints(uint16_t player, int16_t value) {
    if (!CanSet(player)) return;
    int points = std::clamp<int>(value, 0, 3);
    WriteField(Rec(player), kEuroDispoints, uint32_t(points));
    if (points != 3) return;
    WriteField(Rec(player), kEuroBan, 1);
    int16_t club = int16_t(LoadU16(Rec(player) + kClub));
    AddMessage(club, -1, player, 0xFFFFFFFF, -1, -1, -1, -1, -1, -1, -1, kMsgEuropeanBan, 1, 0);
}
uint16_t GetPlayerCaps86(uint16_t player) {
    return Get(player, kCaps86, "Trying to get Caps of neg player : '%d'\n");
}
void SetPlayerCaps86(uint16_t player, int16_t value) { SetClamped(player, kCaps86, value, 127); }
uint16_t GetPlayerIntGoals87(uint16_t player) {
    return Get(player, kIntGoals87, "Trying to get int goals of neg player : '%d'\n");
}
void SetPlayerIntGoals87(uint16_t player, int16_t value) { SetClamped(player, kIntGoals87, value, 127); }

// --- word at 88 ------------------------------------------------------------

uint16_t GetPlayerApps(uint16_t player) {
    return Get(player, kApps, "Trying to get apps of neg player : '%d'\n");
}
void SetPlayerApps(uint16_t player, int16_t value) { SetClamped(player, kApps, value, 127); }
uint16_t GetPlayerAppsAsSub(uint16_t player) {
    return Get(player, kAppsAsSub, "Trying to get appsassub of neg player : '%d'\n");
}
void SetPlayerAppsAsSub(uint16_t player, int16_t value) { SetClamped(player, kAppsAsSub, value, 127); }
uint16_t GetPlayerCaps89(uint16_t player) {
    return Get(player, kCaps89, "Trying to get Caps of neg player : '%d'\n");
}
void SetPlayerCaps89(uint16_t player, int16_t value) { SetClamped(player, kCaps89, value, 127); }
uint16_t GetPlayerCaretaker(uint16_t player) {
    return Get(player, kCaretaker, "Trying to get caretaker of neg player : '%d'\n");
}
void SetPlayerCaretaker(uint16_t player, int16_t value) { SetUnlessLocked(player, kCaretaker, value); }
void SetPlayerFitness(uint16_t player, int16_t value) { SetClamped(player, kFitness, value, 60); }
uint16_t GetPlayerPosition2(uint16_t player) {
    return Get(player, kPosition, "Trying to get Position of neg player : '%d'\n");
}
// 13 marks a manager who does not play: it sets the second halvorn flag and
// leaves the playing position alone.
void SetPlayerPosition(uint16_t player, int16_t value) {
    if (!CanSet(player)) return;
    TouchClubOf(player);
    if (value < 0 || value > 13) value = 0;
    if (value == 13) {
        SetUnlessLocked(player, kHalvornB, 1);
    } else {
        WriteField(Rec(player), kPosition, uint32_t(value));
    }
    RefreshMarketKey(player);
}

// --- word at 92 ------------------------------------------------------------

uint16_t GetPlayerField92(uint16_t player) { return GetQuiet(player, kField92); }
void SetPlayerField92(uint16_t player, int16_t value) { SetMasked(player, kField92, value); }
void SetPlayerShirt(uint16_t player, int16_t value) {
    SetShirtField(player, kShirt, value);
    RefreshMarketKey(player);
}
uint16_t GetPlayerExperience(uint16_t player) {
    return Get(player, kExperience, "Trying to get Experience of neg player : '%d'\n");
}
void SetPlayerExperience(uint16_t player, int16_t value) { SetClamped(player, kExperience, value, 63); }
uint16_t GetPlayerSusp(uint16_t player) {
    return Get(player, kSusp, "Trying to get Susp of neg player : '%d'\n");
}
uint16_t IsPlayerSuspended(uint16_t player) {
    return Get(player, kSusp, "Trying to find if neg player is under susp : '%d'\n");
}
void SetPlayerSusp(uint16_t player, int16_t value) { SetClamped(player, kSusp, value, 31); }
uint16_t GetPlayerAssists(uint16_t player) {
    return Get(player, kAssists, "Trying to get assists of neg player : '%d'\n");
}
uint16_t GetPlayerTotalAssists(uint16_t player) {
    CheckGet(player, "Trying to get assists of neg player : '%d'\n");
    return uint16_t(ReadField(Rec(player), kAssists) + ReadField(Rec(player), kAssists2));
}
void SetPlayerAssists(uint16_t player, int16_t value) { SetClamped(player, kAssists, value, 127); }
void SetPlayerFlag95(uint16_t player, int16_t value) {
    SetMasked(player, kFlag95, value);
    RefreshMarketKey(player);
}

// --- word at 96 ------------------------------------------------------------

void SetPlayerMorale(uint16_t player, int16_t value) { SetClamped(player, kMorale, value, 60); }

// A loss hits twice as hard for a player whose nationality is of another
// nation group than his club's nation.
void ChangePlayerMorale(uint16_t player, int16_t change) {
    if (!CanSet(player) || change == 0) return;
    int morale = int(ReadField(Rec(player), kMorale));
    int delta = change;
    if (delta < 0) {
        uint16_t club = LoadU16(Rec(player) + kClub);
        int16_t clubNation = IsClubNumber(club) ? int16_t(GetClubNation(int16_t(club))) : 0;
        int16_t nationality = int16_t(ReadField(Rec(player), kNationality));
        if (NationGroup(clubNation) != NationGroup(nationality)) delta *= 2;
        morale -= (-delta * morale) / 100 + 1;
    } else {
        morale += (delta * morale) / 100 + 1;
    }
    SetPlayerMorale(player, int16_t(std::clamp(morale, -32768, 32767)));
}
uint16_t GetPlayerField96(uint16_t player) { return GetQuiet(player, kField96); }
void SetPlayerField96(uint16_t player, int16_t value) { SetClamped(player, kField96, value, 60); }
uint16_t GetPlayerReputation(uint16_t player) {
    return Get(player, kReputation, "Trying to get Reputation of neg player : '%d'\n");
}
void SetPlayerReputation(uint16_t player, int16_t value) { SetClamped(player, kReputation, value, 63); }
void SetPlayerIT(uint16_t player, int16_t value) { SetClamped(player, kIT, value, 63); }
uint16_t GetPlayerIP(uint16_t player) { return Get(player, kIP, "Trying to get IP of neg player : '%d'\n"); }
void SetPlayerIP(uint16_t player, int16_t value) { SetClamped(player, kIP, value, 104); }
uint16_t GetPlayerLoanList(uint16_t player) {
    return Get(player, kLoanList, "Trying to get loan list of neg player : '%d'\n");
}
void SetPlayerLoanList(uint16_t player, int16_t value) {
    SetFlagWarned(player, kLoanList, value, "Trying excessive loanlist with player: '%d,%d'\n");
}

// --- word at 100 -----------------------------------------------------------

uint16_t GetPlayerLoanPeriod(uint16_t player) {
    return Get(player, kLoanPeriod, "Trying to get LoanPeriod of neg player : '%d'\n");
}
void SetPlayerLoanPeriod(uint16_t player, int16_t value) { SetClamped(player, kLoanPeriod, value, 63); }
uint16_t GetPlayerMoM(uint16_t player) {
    return Get(player, kMoM, "Trying to get m.o.m of neg player : '%d'\n");
}
void SetPlayerMoM(uint16_t player, int16_t value) { SetClamped(player, kMoM, value, 63); }
void SetPlayerNationality(uint16_t player, int16_t value) {
    SetZeroOutside(player, kNationality, value, 116);
    RefreshMarketKey(player);
}
uint16_t GetPlayerSkinColour(uint16_t player) { return GetQuiet(player, kSkinColour); }
void SetPlayerSkinColour(uint16_t player, int16_t value) { SetMasked(player, kSkinColour, value); }
uint16_t GetPlayerHairColour(uint16_t player) { return GetQuiet(player, kHairColour); }
void SetPlayerHairColour(uint16_t player, int16_t value) { SetMasked(player, kHairColour, value); }
uint16_t GetPlayerHairStyle(uint16_t player) { return GetQuiet(player, kHairStyle); }
void SetPlayerHairStyle(uint16_t player, int16_t value) { SetMasked(player, kHairStyle, value); }
uint16_t GetPlayerTactic(uint16_t player) {
    uint16_t tactic = Get(player, kTactic, "Trying to get tactic of neg player : '%d'\n");
    return tactic < 6 ? tactic : 0;
}
void SetPlayerTactic(uint16_t player, int16_t value) {
    if (CanSet(player)) WriteField(Rec(player), kTactic, uint32_t(value) & 7u);
}

// --- word at 104 -----------------------------------------------------------

uint16_t GetPlayerBanWait(uint16_t player) {
    return Get(player, kBanWait, "Trying to get banwait of neg player : '%d'\n");
}
void SetPlayerBanWait(uint16_t player, int16_t value) { SetClamped(player, kBanWait, value, 2); }

namespace {
// The three side settings ignore a value above 3.
void SetSetting(uint16_t player, BitField f, int value) {
    if (!CanSet(player) || value > 3) return;
    WriteField(Rec(player), f, uint32_t(value));
}
}  // namespace

uint16_t GetPlayerSetting1(uint16_t player) { return GetQuiet(player, kSetting1); }
void SetPlayerSetting1(uint16_t player, int16_t value) { SetSetting(player, kSetting1, value); }
uint16_t GetPlayerSetting2(uint16_t player) { return GetQuiet(player, kSetting2); }
void SetPlayerSetting2(uint16_t player, int16_t value) { SetSetting(player, kSetting2, value); }
uint16_t GetPlayerSetting3(uint16_t player) { return GetQuiet(player, kSetting3); }
void SetPlayerSetting3(uint16_t player, int16_t value) { SetSetting(player, kSetting3, value); }
void SetPlayerSetting4(uint16_t player, int16_t value) { SetClamped(player, kSetting4, value, 15); }
uint16_t GetPlayerField105(uint16_t player) { return GetQuiet(player, kField105); }
void SetPlayerField105(uint16_t player, int16_t value) { SetClamped(player, kField105, value, 60); }
uint16_t GetPlayerCareerAppsAsSub(uint16_t player) {
    return Get(player, kCareerAppsAsSub, "Trying to get careerappsassub of neg player : '%d'\n");
}
void SetPlayerCareerAppsAsSub(uint16_t player, int16_t value) {
    SetClamped(player, kCareerAppsAsSub, value, 127);
}
void SetPlayerFlag107(uint16_t player, int16_t value) { SetClamped(player, kFlag107, value, 1); }
uint16_t GetPlayerLoanTrial(uint16_t player) {
    return Get(player, kLoanTrial, "Trying to get LoanTrial of neg player : '%d'\n");
}
void SetPlayerLoanTrial(uint16_t player, int16_t value) {
    SetClamped(player, kLoanTrial, value, 1);
    RefreshMarketKey(player);
}
uint16_t GetPlayerFlag107Bit7(uint16_t player) { return GetQuiet(player, kFlag107Bit7); }
void SetPlayerFlag107Bit7(uint16_t player, int16_t value) { SetClamped(player, kFlag107Bit7, value, 1); }

// --- word at 108 -----------------------------------------------------------

uint16_t GetPlayerIntShirt(uint16_t player) { return GetQuiet(player, kIntShirt); }
void SetPlayerIntShirt(uint16_t player, int16_t value) {
    SetShirtField(player, kIntShirt, value);
    RefreshMarketKey(player);
}
uint16_t GetPlayerField108A(uint16_t player) { return GetQuiet(player, kField108A); }
void SetPlayerField108A(uint16_t player, int16_t value) { SetNonNegative(player, kField108A, value); }
uint16_t GetPlayerField108B(uint16_t player) { return GetQuiet(player, kField108B); }
void SetPlayerField108B(uint16_t player, int16_t value) { SetNonNegative(player, kField108B, value); }
uint16_t GetPlayerAssists2(uint16_t player) { return GetQuiet(player, kAssists2); }
void SetPlayerAssists2(uint16_t player, int16_t value) { SetNonNegative(player, kAssists2, value); }

// --- word at 112 -----------------------------------------------------------

uint16_t GetPlayerGoals2(uint16_t player) { return GetQuiet(player, kGoals2); }
void SetPlayerGoals2(uint16_t player, int16_t value) { SetNonNegative(player, kGoals2, value); }
uint16_t GetPlayerPerf2(uint16_t player) { return GetQuiet(player, kPerf2) * 2; }
void SetPlayerPerf2(uint16_t player, int16_t value) { SetHalvedPerf(player, kPerf2, value); }
uint16_t GetPlayerCaps113(uint16_t player) {
    return Get(player, kCaps113, "Trying to get Caps of neg player : '%d'\n");
}
void SetPlayerCaps113(uint16_t player, int16_t value) { SetClamped(player, kCaps113, value, 127); }
uint16_t GetPlayerIntGoals114(uint16_t player) {
    return Get(player, kIntGoals114, "Trying to get int goals of neg player : '%d'\n");
}
void SetPlayerIntGoals114(uint16_t player, int16_t value) { SetClamped(player, kIntGoals114, value, 127); }

// --- word at 116 -----------------------------------------------------------

uint16_t GetPlayerCaps116(uint16_t player) {
    return Get(player, kCaps116, "Trying to get Caps of neg player : '%d'\n");
}
void SetPlayerCaps116(uint16_t player, int16_t value) { SetClamped(player, kCaps116, value, 127); }
uint16_t GetPlayerField116(uint16_t player) { return GetQuiet(player, kField116); }
void SetPlayerField116(uint16_t player, int16_t value) { SetMasked(player, kField116, value); }
uint16_t GetPlayerField117(uint16_t player) { return GetQuiet(player, kField117); }
void SetPlayerField117(uint16_t player, int16_t value) { SetZeroOutside(player, kField117, value, 6); }
uint16_t GetPlayerFlag118(uint16_t player) { return GetQuiet(player, kFlag118); }
void SetPlayerFlag118(uint16_t player, int16_t value) { SetClamped(player, kFlag118, value, 1); }
uint16_t GetPlayerField118(uint16_t player) { return GetQuiet(player, kField118); }
void SetPlayerField118(uint16_t player, int16_t value) { SetClamped(player, kField118, value, 63); }
uint16_t GetPlayerLoanClubFans(uint16_t player) {
    return Get(player, kLoanClubFans, "Trying to get LoanClubfans of neg player : '%d'\n");
}
void SetPlayerLoanClubFans(uint16_t player, int16_t value) { SetClamped(player, kLoanClubFans, value, 63); }
void SetPlayerScoutMark(uint16_t player, int16_t value) { SetMasked(player, kScoutMark, value); }
void SetPlayerFlag119(uint16_t player, int16_t value) { SetMasked(player, kFlag119, value); }

// --- word at 120 -----------------------------------------------------------

uint16_t GetPlayerField120Bit0(uint16_t player) { return GetQuiet(player, kField120Bit0); }
void SetPlayerField120Bit0(uint16_t player, int16_t value) { SetMasked(player, kField120Bit0, value); }
uint16_t GetPlayerField120(uint16_t player) { return GetQuiet(player, kField120); }
void SetPlayerField120(uint16_t player, int16_t value) { SetZeroOutside(player, kField120, value, 200); }
uint16_t GetPlayerField120Bits9(uint16_t player) { return GetQuiet(player, kField120Bits9); }
void SetPlayerField120Bits9(uint16_t player, int16_t value) { SetMasked(player, kField120Bits9, value); }
uint16_t GetPlayerFlag120Bit11(uint16_t player) { return GetQuiet(player, kFlag120Bit11); }
void SetPlayerFlag120Bit11(uint16_t player, int16_t value) { SetMasked(player, kFlag120Bit11, value); }
uint16_t GetPlayerFlag120Bit12(uint16_t player) { return GetQuiet(player, kFlag120Bit12); }
void SetPlayerFlag120Bit12(uint16_t player, int16_t value) { SetMasked(player, kFlag120Bit12, value); }
uint16_t GetPlayerCupFlag0(uint16_t player) { return GetQuiet(player, kCupFlag0); }
void SetPlayerCupFlag0(uint16_t player, int16_t value) { SetMasked(player, kCupFlag0, value); }
uint16_t GetPlayerCupFlag1(uint16_t player) { return GetQuiet(player, kCupFlag1); }
void SetPlayerCupFlag1(uint16_t player, int16_t value) { SetMasked(player, kCupFlag1, value); }
uint16_t GetPlayerCupFlag2(uint16_t player) { return GetQuiet(player, kCupFlag2); }
void SetPlayerCupFlag2(uint16_t player, int16_t value) { SetMasked(player, kCupFlag2, value); }
uint16_t GetPlayerCupFlag3(uint16_t player) { return GetQuiet(player, kCupFlag3); }
void SetPlayerCupFlag3(uint16_t player, int16_t value) { SetMasked(player, kCupFlag3, value); }
uint16_t GetPlayerCupFlag4(uint16_t player) { return GetQuiet(player, kCupFlag4); }
void SetPlayerCupFlag4(uint16_t player, int16_t value) { SetMasked(player, kCupFlag4, value); }
uint16_t GetPlayerCupFlag5(uint16_t player) { return GetQuiet(player, kCupFlag5); }
void SetPlayerCupFlag5(uint16_t player, int16_t value) { SetMasked(player, kCupFlag5, value); }
void SetPlayerAgent(uint16_t player, int16_t value) {
    SetZeroOutside(player, kAgent, value, kAgentCount - 1);
}
uint16_t GetPlayerFlag123(uint16_t player) { return GetQuiet(player, kFlag123); }
void SetPlayerFlag123(uint16_t player, int16_t value) { SetMasked(player, kFlag123, value); }

// --- clubs and the cup table -----------------------------------------------

void SetPlayerClub(uint16_t player, int16_t value) {
    if (!CanSet(player)) return;
    TouchClubOf(player);
    StoreU16(Rec(player) + kClub, ClubFieldValue(value));
    TouchClubOf(player);
    RefreshMarketKey(player);
}

uint32_t ClubPlayersStamp(int16_t club) { return IsClubNumber(club) ? g_clubPlayersStamp[club] : 0; }
void SetPlayerLoanClub(uint16_t player, int16_t value) {
    if (CanSet(player)) StoreU16(Rec(player) + kLoanClub, ClubFieldValue(value));
    RefreshMarketKey(player);
}

void KeepPlayerMarketKeys(bool keep) {
    static int keepers = 0;  // one keeper within another
    keepers = keep ? keepers + 1 : std::max(0, keepers - 1);
    if (g_keptTables == (keepers > 0)) return;
    g_keptTables = keepers > 0;
    g_keptBuilt = 0;
    g_membersKept = false;
}

const uint16_t* PlayerMarketKeys() { return KeptTablesUpToDate() ? g_marketKeys : nullptr; }
const uint32_t* PlayerClubWords() { return KeptTablesUpToDate() ? g_clubWords : nullptr; }
const uint8_t* PlayerManagerKinds() { return KeptTablesUpToDate() ? g_managerKinds : nullptr; }
const uint64_t* KeptManagerSet() { return KeptTablesUpToDate() ? g_managerSet : nullptr; }
const uint64_t* KeptManagingSet() { return KeptTablesUpToDate() ? g_managingSet : nullptr; }
const uint16_t* PlayerSpareKeys() { return KeptTablesUpToDate() ? g_spareKeys : nullptr; }
const uint64_t* KeptSpareSet(bool outfield, int nationality) {
    if (nationality >= kSpareNationalities || !KeptTablesUpToDate()) return nullptr;
    const int row = nationality >= 0 ? nationality : kSpareNationalities;
    std::vector<uint64_t>& set = g_spareSets[outfield ? 1 : 0][row];
    if (set.empty()) set.assign(kSpareSetWords, 0);
    return set.data();
}

int32_t KeptSparePlayers(bool outfield, int nationality) {
    if (!KeptTablesUpToDate()) return 0;
    const int32_t* counts = g_spareCounts[outfield ? 1 : 0];
    if (nationality >= 0) return nationality < kSpareNationalities ? counts[nationality] : 0;
    int32_t total = 0;
    for (int n = 0; n < kSpareNationalities; ++n) total += counts[n];
    return total;
}

const uint16_t* KeptClubMembers(int16_t club, int* count) {
    *count = 0;
    if (!IsClubNumber(club) || !KeptTablesUpToDate()) return nullptr;
    if (!g_membersKept) {
        for (std::vector<uint16_t>& members : g_clubMembers) members.clear();
        uint16_t clubs[2];
        for (uint16_t player = 1; player < g_keptBuilt; ++player) {
            for (int i = 0, n = MemberClubs(g_clubWords[player], clubs); i < n; ++i)
                g_clubMembers[clubs[i]].push_back(player);
        }
        g_membersKept = true;
    }
    static const uint16_t kNone = 0;  // a club without players still answers
    const std::vector<uint16_t>& members = g_clubMembers[club];
    *count = int(members.size());
    return members.empty() ? &kNone : members.data();
}

// A slot or row outside the table stops the program like a bad player,
// rather than reading beyond the record.
uint16_t GetPlayerCup(uint16_t player, int16_t slot, int16_t row) {
    StopOnPlayerZero(player, __func__);
    bool rowOk = slot >= 4 || (row >= 0 && row < kCupRows);
    if (!IsPlayerNumber(player) || slot < 0 || slot >= kCupSlots || !rowOk) {
        std::printf("Trying to get cup of neg player : '%d'\n", int(player));
        FatalExit(__func__);
    }
    return LoadU16(Rec(player) + CupOffset(slot, row));
}

void SetPlayerCup(uint16_t player, int16_t club, int16_t slot, int16_t row) {
    StopOnPlayerZero(player, __func__);
    bool rowOk = slot >= 4 || (row >= 0 && row < kCupRows);
    if (slot < 0 || slot >= kCupSlots || club > kClubCount || !rowOk) {
        std::printf("Trying to give illegal cup: '%d,%d'\n", int(slot), int(player));
        FatalExit(__func__);
    }
    if (!IsPlayerNumber(player)) return;
    StoreU16(Rec(player) + CupOffset(slot, row), club < 0 ? kNoClub : uint16_t(club));
}

uint16_t GetPlayerScoutRecommended(uint16_t player) {
    if (player >= PlayerCount || player >= kMaxPlayers) return 0;
    return uint16_t(ReadField(Rec(player), kScoutRecommended));
}
void SetPlayerScoutRecommended(uint16_t player, int16_t value) {
    if (player >= PlayerCount || player >= kMaxPlayers) return;
    WriteField(Rec(player), kScoutRecommended, uint32_t(value));
}

// --- stats -----------------------------------------------------------------

void GetPlayerStats(uint16_t player, const int16_t* indexes, int count, int16_t* out) {
    CheckGet(player, "Trying to get Stat of invalid player : '%d'\n");
    const uint8_t* r = Rec(player);
    const int ability = r[kStatMap[kAbilityStat].byte];
    for (int i = 0; i < count; ++i) {
        const int index = indexes[i];
        if (index < 0 || index >= kStatCount) {
            out[i] = 0;
            continue;
        }
        const int value = std::min<int>(r[kStatMap[index].byte], StatCap(player, ability, index));
        out[i] = int16_t(value == 0 ? 1 : std::min(value, 99));
    }
}

int16_t GetPlayerStatLimit(uint16_t player, int16_t index) {
    CheckGet(player, "Trying to get Stat of invalid player : '%d'\n");
    if (index < 0 || index >= kStatCount) return 0;
    return int16_t(std::min(StatCap(player, Rec(player)[kStatMap[kAbilityStat].byte], index), 99));
}

int16_t GetPlayerStatRaw(uint16_t player, int16_t index) {
    CheckGet(player, "Trying to get Stat of invalid player : '%d'\n");
    if (index < 0 || index >= kStatCount) return 0;
    return Rec(player)[kStatMap[index].byte];
}

void SetPlayerStat(uint16_t player, int16_t index, int16_t value) {
    StopOnPlayerZero(player, __func__);
    if (!IsPlayerNumber(player)) {
        std::printf("Trying to set Stat of invalid player : '%d'\n", int(player));
        FatalExit(__func__);
    }
    if (index < 0 || index >= kStatCount) return;
    Rec(player)[kStatMap[index].byte] = uint8_t(std::clamp<int>(value, 0, 100));
}

int16_t GetPlayerStat27(uint16_t player) {
    if (player != 0 && !IsPlayerNumber(player)) return 0;
    return GetPlayerStat(player, kAbilityStat, 0);
}

// --- agents ----------------------------------------------------------------

void InitAgents() {
    for (AgentRecord& agent : AgentRecords) {
        agent.bytes[0] = uint8_t(GameRandom() % 100);
        agent.bytes[1] = uint8_t(GameRandom() % 100);
        agent.bytes[2] = uint8_t(GameRandom() % 100);
        agent.bytes[3] = uint8_t(GameRandom() % 80);
    }
}

// The first drawn agent whose level the player's ability reaches; after
// 500 misses the last one drawn.
uint16_t AssignPlayerAgent(uint16_t player) {
    int ability = GetPlayerStat(player, kAbilityStat, 0);
    int agent = 0;
    for (int draw = 0; draw < kAgentCount; ++draw) {
        agent = GameRandom() % kAgentCount;
        if (AgentRecords[agent].bytes[3] <= ability) break;
    }
    if (SeasonCalendar.currentDay != 0) {
        uint16_t club = GetPlayerClub(player);
        // A player without a club has no club to tell (and no control to ask).
        if (IsClubNumber(club) && GetClubControl(int16_t(club)) != 0) {
            AddMessage(int16_t(club), -1, player, 0xFFFFFFFF, -1, -1, -1, -1, -1, agent, -1, kMsgNewAgent, 1,
                       0);
        }
    }
    return uint16_t(agent);
}

void AssignAllPlayerAgents() {
    for (uint16_t player = 1; IsPlayerNumber(player); ++player) {
        SetPlayerAgent(player, int16_t(AssignPlayerAgent(player)));
    }
}
