#include "core/records/history.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/matchsetup.h"

using namespace recbits;

PlayerHistoryEntry PlayerHistoryEntries[kPlayerHistoryEntries];
uint32_t PlayerHistoryCount;
uint32_t PlayerHistoryFirst[kMaxPlayers];
ClubHistoryEntry ClubHistoryEntries[kClubHistoryEntries];
uint32_t ClubHistoryCount;
uint32_t ClubHistoryFirst[kClubCount];

uint16_t PlayerHistoryPlayer(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHPlayer); }
uint16_t PlayerHistoryClub(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHClub); }
uint8_t PlayerHistorySeason(const PlayerHistoryEntry& e) { return e.bytes[kPHSeason]; }
uint16_t PlayerHistoryFirstCounter(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHFirst); }
uint8_t PlayerHistorySecondCounter(const PlayerHistoryEntry& e) { return e.bytes[kPHSecond]; }
uint16_t PlayerHistoryMarker(const PlayerHistoryEntry& e) { return LoadU16(e.bytes + kPHMarker); }
uint8_t PlayerHistoryKind(const PlayerHistoryEntry& e) { return e.bytes[kPHKind]; }
uint8_t PlayerHistoryThirdCounter(const PlayerHistoryEntry& e) { return e.bytes[kPHThird]; }
uint16_t ClubHistoryValue(const ClubHistoryEntry& e) { return LoadU16(e.bytes + kCHValue); }
int16_t ClubHistoryClub(const ClubHistoryEntry& e) { return int16_t(LoadU16(e.bytes + kCHClub)); }
uint8_t ClubHistorySeason(const ClubHistoryEntry& e) { return e.bytes[kCHSeason]; }
uint16_t ClubHistoryExtra1(const ClubHistoryEntry& e) { return LoadU16(e.bytes + kCHExtra1); }
uint16_t ClubHistoryExtra2(const ClubHistoryEntry& e) { return LoadU16(e.bytes + kCHExtra2); }
uint8_t ClubHistoryKind(const ClubHistoryEntry& e) { return e.bytes[kCHKind]; }

namespace {

constexpr uint32_t kOldestSeasonStart = 30000;  // above any season byte

uint8_t CurrentSeasonByte() { return uint8_t(SeasonCalendar.season & 0xFF); }

// One list's shape: where its entries and index live and how an entry
// names its owner.  Both lists share the upkeep below.
struct HistoryList {
    uint8_t* entries;
    size_t entry_size;
    uint32_t capacity;
    uint32_t* count;
    uint32_t* first;
    uint32_t owners;
    size_t owner_offset;
    uint16_t empty_owner;

    uint8_t* At(uint32_t i) const { return entries + entry_size * i; }
    uint16_t Owner(uint32_t i) const { return LoadU16(At(i) + owner_offset); }
    bool IsEmpty(uint32_t i) const { return Owner(i) == empty_owner; }
    void MarkEmpty(uint32_t i) const {
        std::memset(At(i), 0, entry_size);
        StoreU16(At(i) + owner_offset, empty_owner);
    }
    // Entries in use: the counted ones less the trailing empty entry, held
    // to the capacity whatever a saved count says.
    uint32_t Used() const { return std::min(*count == 0 ? 0u : *count - 1, capacity); }
    // A damaged count that claims every slot counts as full too, so a gap
    // is never opened past the end.
    bool IsFull() const { return !IsEmpty(capacity - 1) || Used() >= capacity; }
    // Where an owner's entries start, held inside the list.
    uint32_t First(uint32_t owner) const { return std::min(first[owner], Used()); }
};

HistoryList ClubList() {
    return HistoryList{ClubHistoryEntries[0].bytes,
                       sizeof(ClubHistoryEntry),
                       kClubHistoryEntries,
                       &ClubHistoryCount,
                       ClubHistoryFirst,
                       kClubCount,
                       kCHClub,
                       0xFFFF};
}
HistoryList PlayerList() {
    return HistoryList{PlayerHistoryEntries[0].bytes,
                       sizeof(PlayerHistoryEntry),
                       kPlayerHistoryEntries,
                       &PlayerHistoryCount,
                       PlayerHistoryFirst,
                       kMaxPlayers,
                       kPHPlayer,
                       0};
}

// Whether a list's index is what RebuildIndex gives for a list standing in
// owner order, as of the entry count noted: one entry put in at the end of
// its owner's run then only moves the later owners' starts on by one.  Any
// other count (a load, a change made elsewhere) rebuilds the index whole.
struct IndexState {
    bool ordered = false;
    uint32_t count = 0;
};
IndexState g_indexStates[2];  // the club list, the player list

IndexState& IndexStateOf(const HistoryList& list) {
    return g_indexStates[list.first == PlayerHistoryFirst ? 1 : 0];
}

void RebuildIndex(const HistoryList& list) {
    const uint32_t used = list.Used();
    uint32_t at = 0;
    for (uint32_t owner = 0; owner < list.owners; ++owner) {
        list.first[owner] = at;
        while (at < used && list.Owner(at) == owner) ++at;
    }
    // Every entry was passed on the way only when they stand in owner order.
    IndexStateOf(list) = {at == used, *list.count};
}

// The index after OpenGap put one entry of `owner` in within or at the end
// of its run.  Rebuilding walks every entry of the list (a player's first
// appearance of a season costs a walk over hundreds of thousands).
void IndexOneInsertion(const HistoryList& list, uint32_t owner) {
    IndexState& state = IndexStateOf(list);
    if (!state.ordered || state.count + 1 != *list.count || owner >= list.owners) {
        RebuildIndex(list);
        return;
    }
    for (uint32_t later = owner + 1; later < list.owners; ++later) ++list.first[later];
    state.count = *list.count;
}

// Takes an owner's entries out in one move while the list stands in owner
// order (his run starts at his index); the later owners' starts move back
// by the run's length.  False when the order is not known to hold.
bool RemoveOwnerRun(const HistoryList& list, uint32_t owner) {
    IndexState& state = IndexStateOf(list);
    if (!state.ordered || state.count != *list.count) RebuildIndex(list);
    if (!state.ordered) return false;
    const uint32_t used = list.Used();
    const uint32_t start = list.First(owner);
    uint32_t end = start;
    while (end < used && list.Owner(end) == owner) ++end;
    const uint32_t run = end - start;
    if (run == 0) return true;
    std::memmove(list.At(start), list.At(end), list.entry_size * (used - end));
    for (uint32_t i = used - run; i < used; ++i) list.MarkEmpty(i);
    *list.count -= run;
    list.MarkEmpty(list.capacity - 1);
    for (uint32_t later = owner + 1; later < list.owners; ++later) list.first[later] -= run;
    state.count = *list.count;
    return true;
}

void RemoveAt(const HistoryList& list, uint32_t i) {
    const uint32_t used = list.Used();
    if (i >= used) return;
    std::memmove(list.At(i), list.At(i + 1), list.entry_size * (used - 1 - i));
    list.MarkEmpty(used - 1);
    --*list.count;
    list.MarkEmpty(list.capacity - 1);
}

// Drops the entry of the oldest season (the first of several equal ones).
void MakeRoom(const HistoryList& list, size_t season_offset) {
    const uint32_t used = list.Used();
    uint32_t oldest = kOldestSeasonStart;
    uint32_t at = used;
    for (uint32_t i = 0; i < used; ++i) {
        const uint8_t season = list.At(i)[season_offset];
        if (season < oldest) {
            oldest = season;
            at = i;
        }
    }
    RemoveAt(list, at);
    RebuildIndex(list);
}

// Opens an empty slot at p, absorbing the trailing empty entry; the caller
// has made sure the list is not full.
void OpenGap(const HistoryList& list, uint32_t p) {
    const uint32_t used = list.Used();
    if (p < used) std::memmove(list.At(p + 1), list.At(p), list.entry_size * (used - p));
    std::memset(list.At(p), 0, list.entry_size);
    ++*list.count;
}

// Position of the first entry of the club that is not of this season.
uint32_t ClubInsertPosition(const HistoryList& list, int16_t club, uint8_t season) {
    uint32_t p = list.First(uint32_t(club));
    const uint32_t used = list.Used();
    while (p < used && list.Owner(p) == uint16_t(club) && list.At(p)[kCHSeason] == season) ++p;
    return p;
}

uint32_t PlayerEnd(const HistoryList& list, uint16_t player) {
    uint32_t p = list.First(player);
    const uint32_t used = list.Used();
    while (p < used && list.Owner(p) == player) ++p;
    return p;
}

}  // namespace

namespace {

// Which of the value and the two extra values each club history kind keeps;
// a kind outside the table keeps none of them.
struct ClubEntryFields {
    int16_t kind;
    bool value, extra1, extra2;
};
constexpr ClubEntryFields kClubEntryFields[] = {
    {kClubHistoryBought, true, true, true},         {kClubHistorySold, true, true, true},
    {kClubHistoryLoanedIn, true, true, false},      {kClubHistoryLoanedOut, true, true, false},
    {kClubHistoryInjury, true, false, true},        {kClubHistoryKind5, false, true, true},
    {kClubHistoryCupWon, false, false, true},       {kClubHistorySentOff, true, false, false},
    {kClubHistoryPromoted, false, false, true},     {kClubHistoryRelegated, false, false, true},
    {kClubHistoryReleased, true, false, false},     {kClubHistoryKind11, true, false, false},
    {kClubHistoryKind12, false, true, true},        {kClubHistorySacked, true, false, false},
    {kClubHistoryLeft, true, false, false},         {kClubHistoryAppointed, true, false, false},
    {kClubHistoryManagerOfWeek, true, false, true}, {kClubHistoryManagerOfSeason, true, false, false},
    {kClubHistoryRecordCrowd, false, false, false},
};

constexpr bool EveryClubKindOnceInOrder() {
    for (std::size_t i = 0; i < std::size(kClubEntryFields); ++i) {
        if (kClubEntryFields[i].kind != int16_t(i)) return false;
    }
    return true;
}
static_assert(EveryClubKindOnceInOrder(), "the club history table must list its kinds once, in order");

ClubEntryFields ClubEntryFieldsOf(int16_t kind) {
    if (kind < 0 || kind >= int16_t(std::size(kClubEntryFields))) return {kind, false, false, false};
    return kClubEntryFields[kind];
}

}  // namespace

void RebuildClubHistoryIndex() { RebuildIndex(ClubList()); }
void RebuildPlayerHistoryIndex() { RebuildIndex(PlayerList()); }

void ClearHistoryLists() {
    for (const HistoryList& list : {ClubList(), PlayerList()}) {
        for (uint32_t i = 0; i < list.capacity; ++i) list.MarkEmpty(i);
        std::fill(list.first, list.first + list.owners, 0u);
        *list.count = 1;
        IndexStateOf(list) = {true, 1};
    }
}

void AddClubHistoryEntry(uint16_t value, int16_t club, uint16_t extra1, uint16_t extra2, int16_t kind) {
    if (!IsClubNumber(club)) return;
    if (!IsCountryInPlay(GetClubNation(club))) return;
    const HistoryList list = ClubList();
    const uint8_t season = CurrentSeasonByte();
    uint32_t p = ClubInsertPosition(list, club, season);
    if (list.IsFull()) {
        MakeRoom(list, kCHSeason);
        p = ClubInsertPosition(list, club, season);
    }
    OpenGap(list, p);
    uint8_t* e = list.At(p);
    StoreU16(e + kCHClub, uint16_t(club));
    e[kCHKind] = uint8_t(kind);
    e[kCHSeason] = season;
    const ClubEntryFields fields = ClubEntryFieldsOf(kind);
    const bool has_value = fields.value, has_extra1 = fields.extra1, has_extra2 = fields.extra2;
    if (has_value) StoreU16(e + kCHValue, value);
    if (has_extra1) StoreU16(e + kCHExtra1, extra1);
    if (has_extra2) StoreU16(e + kCHExtra2, extra2);
    IndexOneInsertion(list, uint32_t(club));
}

int FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out) {
    if (!IsClubNumber(club)) return 0;
    const HistoryList list = ClubList();
    const uint32_t used = list.Used();
    int found = 0;
    for (uint32_t i = list.First(uint32_t(club)); i < used && found < kClubHistoryLookup; ++i) {
        if (list.Owner(i) == uint16_t(club)) out[found++] = ClubHistoryEntries[i];
    }
    return found;
}

int FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out) {
    if (player == 0 || player >= kMaxPlayers) return 0;
    const HistoryList list = PlayerList();
    const uint32_t used = list.Used();
    int found = 0;
    for (uint32_t i = list.First(player); i < used && found < kPlayerHistoryLookup; ++i) {
        if (list.Owner(i) == player) out[found++] = PlayerHistoryEntries[i];
    }
    return found;
}

int16_t HasPlayerHistoryEntry(uint16_t player, int16_t club) {
    if (player == 0 || player >= kMaxPlayers) return 0;
    const HistoryList list = PlayerList();
    const uint32_t used = list.Used();
    // While the index stands for a list in owner order, the player's entries
    // are the run at his index position and the rest of the list holds none
    // of his: the scan may stop at the run's end.  Asked for every player of
    // every fixture, a scan to the end would read most of the list.
    const IndexState& state = IndexStateOf(list);
    const bool ordered = state.ordered && state.count == *list.count;
    for (uint32_t i = list.First(player); i < used; ++i) {
        const PlayerHistoryEntry& e = PlayerHistoryEntries[i];
        if (PlayerHistoryPlayer(e) != player) {
            if (ordered) break;
            continue;
        }
        if (PlayerHistoryClub(e) == uint16_t(club)) return 1;
    }
    return 0;
}

void AddPlayerHistoryStats(uint16_t player, int16_t club, int16_t a, int16_t b, int16_t kind, int16_t mode) {
    if (!IsPlayerNumber(player)) return;
    if (kind < 0 || kind == 9 || kind > 10) {
        std::printf("AddPlayerHistoryStats(): unknown history kind : '%d'\n", int(kind));
        FatalExit(__func__);
    }
    const HistoryList list = PlayerList();
    const uint8_t season = CurrentSeasonByte();
    const uint32_t used = list.Used();
    if (kind == 0 || kind == 1) {
        for (uint32_t i = list.First(player); i < used && list.Owner(i) == player; ++i) {
            uint8_t* e = list.At(i);
            if (LoadU16(e + kPHClub) != uint16_t(club) || e[kPHSeason] != season ||
                e[kPHKind] != uint8_t(kind)) {
                continue;
            }
            if (mode == 0) {
                StoreU16(e + kPHFirst, uint16_t(LoadU16(e + kPHFirst) + a));
            } else {
                ++e[kPHThird];
            }
            e[kPHSecond] = uint8_t(e[kPHSecond] + b);
            e[kPHPerf] = uint8_t(kind == 0 ? GetPlayerPerf(player) : GetPlayerPerf2(player));
            return;
        }
    }
    uint32_t p = PlayerEnd(list, player);
    if (list.IsFull()) {
        MakeRoom(list, kPHSeason);
        p = PlayerEnd(list, player);
    }
    OpenGap(list, p);
    uint8_t* e = list.At(p);
    StoreU16(e + kPHPlayer, player);
    StoreU16(e + kPHClub, uint16_t(club));
    e[kPHKind] = uint8_t(kind);
    e[kPHSeason] = season;
    switch (kind) {
        case 0:
        case 1:
            StoreU16(e + kPHFirst, uint16_t(a));
            e[kPHSecond] = uint8_t(b);
            StoreU16(e + kPHMarker, GetPlayerLoanClub(player) != GetPlayerClub(player) ? 1 : 0);
            e[kPHPerf] = uint8_t(kind == 0 ? GetPlayerPerf(player) : GetPlayerPerf2(player));
            e[kPHThird] = mode != 0 ? 1 : 0;
            break;
        case 2:
            StoreU16(e + kPHMarker, uint16_t(b));
            StoreU16(e + kPHFirst, uint16_t(a));
            break;
        case 3:
            StoreU16(e + kPHFirst, uint16_t(a));
            break;
        case 4:
            StoreU16(e + kPHMarker, uint16_t(b));
            break;
        case 6:
        case 7:
            StoreU16(e + kPHMarker, uint16_t(b));
            e[kPHThird] = uint8_t(mode);
            break;
        default:
            break;  // 5, 8, 10: owner, club, kind and season only
    }
    IndexOneInsertion(list, player);
}

uint16_t GetPlayerHistoryAppearances(uint16_t player, int16_t club, int16_t seasonsBack) {
    if (!IsPlayerNumber(player) || GetPlayerFlag95(player) != 0) return 0;
    const HistoryList list = PlayerList();
    const uint8_t season = uint8_t(CurrentSeasonByte() - seasonsBack);
    const uint32_t used = list.Used();
    for (uint32_t i = list.First(player); i < used && list.Owner(i) == player; ++i) {
        const PlayerHistoryEntry& e = PlayerHistoryEntries[i];
        if (PlayerHistoryKind(e) == 0 && PlayerHistoryClub(e) == uint16_t(club) &&
            PlayerHistorySeason(e) == season) {
            return PlayerHistoryFirstCounter(e);
        }
    }
    return 0;
}

void RemovePlayerHistory(uint16_t player) {
    if (player == 0 || player >= kMaxPlayers) return;
    const HistoryList list = PlayerList();
    if (RemoveOwnerRun(list, player)) return;
    for (uint32_t i = 0; i < list.Used();) {
        if (list.Owner(i) == player) {
            RemoveAt(list, i);  // the next entry is now at i
        } else {
            ++i;
        }
    }
    RebuildIndex(list);
}

namespace {

// Appearance entries are kept one per player, club, season and kind, so two
// alike in a row can only come from a damaged list.  Every other kind
// records an event (an injury, a loan, a transfer, an appointment, an
// award) and the same event twice in a season happened twice: merging it
// would drop one from the loaded game, which then plays on apart from the
// game it was saved from.
bool IsRepeatedAppearanceEntry(const HistoryList& list, uint32_t i) {
    const uint8_t kind = list.At(i)[kPHKind];
    return (kind == 0 || kind == 1) && std::memcmp(list.At(i), list.At(i - 1), list.entry_size) == 0;
}

}  // namespace

void MergePlayerHistoryEntries() {
    const HistoryList list = PlayerList();
    for (uint32_t i = 1; i < list.Used();) {
        if (IsRepeatedAppearanceEntry(list, i)) {
            RemoveAt(list, i);
        } else {
            ++i;
        }
    }
    RebuildIndex(list);
}

// No field of a history entry is a mark that this clears, and what the flag
// selects is not laid down: the entries are left as they are.
void ClearPlayerHistoryMark(uint16_t, int16_t) {}
