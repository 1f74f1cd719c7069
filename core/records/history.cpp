#include "core/records/history.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/matchsetup.h"
#include "core/season/soak.h"

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

// In a full list each new entry drops the oldest season's first entry.
// Those are dropped in list order, so the search for the next one starts
// where the last was found: no entry of that season stands before `from`
// while the mark is known and the list's count is the one noted (any other
// change to the list, a clearing or a load forgets it).
struct OldestSeasonMark {
    bool known = false;
    uint32_t count = 0;
    uint8_t season = 0;
    uint32_t from = 0;
};
OldestSeasonMark g_oldestMarks[2];  // the club list, the player list

OldestSeasonMark& OldestMarkOf(const HistoryList& list) {
    return g_oldestMarks[list.first == PlayerHistoryFirst ? 1 : 0];
}

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
    OldestMarkOf(list).known = false;
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
    OldestMarkOf(list).known = false;
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
    OldestMarkOf(list).known = false;
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

// The position of the oldest season's first entry, as MakeRoom finds it;
// used when the list holds nothing.
uint32_t FirstOfOldestSeason(const HistoryList& list, size_t season_offset, OldestSeasonMark& mark) {
    const uint32_t used = list.Used();
    if (mark.known && mark.count == *list.count) {
        for (uint32_t i = mark.from; i < used; ++i) {
            if (list.At(i)[season_offset] == mark.season) return mark.from = i;
        }
    }
    // Not known, or the season is gone: look at every entry.
    uint32_t oldest = kOldestSeasonStart;
    uint32_t at = used;
    for (uint32_t i = 0; i < used; ++i) {
        const uint8_t season = list.At(i)[season_offset];
        if (season < oldest) {
            oldest = season;
            at = i;
        }
    }
    mark = {at < used, *list.count, uint8_t(oldest), at};
    return at;
}

// Opens an empty slot at p, absorbing the trailing empty entry; the caller
// has made sure the list is not full.
void OpenGap(const HistoryList& list, uint32_t p) {
    OldestMarkOf(list).known = false;
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

// A full list in owner order: drops the oldest season's first entry and
// opens a slot for the owner's new entry (at p before the drop) in one move
// of the entries between the two, leaving list and index as MakeRoom then
// OpenGap would.  nullptr when the list is not in that state: the caller
// takes the long way.  `p` must not depend on the dropped entry (a club's
// new entry goes after its entries of this season: the caller says when the
// oldest season is this one).
uint8_t* DropOldestAndOpenGap(const HistoryList& list, size_t season_offset, uint16_t owner, uint32_t p,
                              int sameSeasonMovesPlace) {
    IndexState& state = IndexStateOf(list);
    const uint32_t used = list.Used();
    if (!state.ordered || state.count != *list.count || used != list.capacity) return nullptr;
    OldestSeasonMark& mark = OldestMarkOf(list);
    const uint32_t r = FirstOfOldestSeason(list, season_offset, mark);
    if (r >= used || int(mark.season) == sameSeasonMovesPlace) return nullptr;
    const uint16_t dropped = list.Owner(r);
    uint32_t at;  // the new entry's place once the rest have moved
    if (r < p) {
        std::memmove(list.At(r), list.At(r + 1), list.entry_size * (p - 1 - r));
        at = p - 1;
    } else {
        std::memmove(list.At(p + 1), list.At(p), list.entry_size * (r - p));
        at = p;
    }
    // The index: owners after the dropped entry's start one sooner, owners
    // after the new entry's one later.
    for (uint32_t later = uint32_t(dropped) + 1; later < list.owners; ++later) --list.first[later];
    for (uint32_t later = uint32_t(owner) + 1; later < list.owners; ++later) ++list.first[later];
    mark.from = std::min(r, at);
    std::memset(list.At(at), 0, list.entry_size);
    return list.At(at);
}

// While the index stands for a list in owner order, an owner's entries are
// the run at his index position and the rest of the list holds none of
// his: a scan for them may stop at the run's end.
bool KnownInOwnerOrder(const HistoryList& list) {
    const IndexState& state = IndexStateOf(list);
    return state.ordered && state.count == *list.count;
}

uint32_t PlayerEnd(const HistoryList& list, uint16_t player) {
    uint32_t p = list.First(player);
    const uint32_t used = list.Used();
    while (p < used && list.Owner(p) == player) ++p;
    return p;
}

// While a batch is kept, a player's new entries wait beside the list, in
// the order made, instead of each opening a gap in it (a move of every
// later entry and index).  The list stands as it would with them put in at
// the end of their players' runs, which is where settling puts them all in
// one pass.  Only a list known to stand in owner order takes them, and only
// while the list with them would not be full.
struct PendingPlayerEntries {
    int keepers = 0;
    std::vector<std::vector<PlayerHistoryEntry>> runs;  // by player, once made
    std::vector<uint16_t> players;                      // those with waiting entries
    uint32_t total = 0;
};
PendingPlayerEntries g_pending;

const std::vector<PlayerHistoryEntry>* PendingRun(uint16_t player) {
    if (g_pending.total == 0 || player >= g_pending.runs.size()) return nullptr;
    return &g_pending.runs[player];
}

bool MayHoldPending(const HistoryList& list) {
    if (g_pending.keepers == 0) return false;
    const IndexState& state = IndexStateOf(list);
    return state.ordered && state.count == *list.count && !list.IsFull() &&
           list.Used() + g_pending.total < list.capacity;
}

PlayerHistoryEntry& AddPending(uint16_t player) {
    if (g_pending.runs.empty()) g_pending.runs.resize(kMaxPlayers);
    std::vector<PlayerHistoryEntry>& run = g_pending.runs[player];
    if (run.empty()) g_pending.players.push_back(player);
    ++g_pending.total;
    return run.emplace_back(PlayerHistoryEntry{});
}

// Puts the waiting entries in: each player's after his run, the runs behind
// them moved on once, from the list's end back; then every index moves on
// by the entries put in before its owner's run.
void SettlePending() {
    if (g_pending.total == 0) return;
    const HistoryList list = PlayerList();
    OldestMarkOf(list).known = false;
    std::vector<uint16_t>& players = g_pending.players;
    std::sort(players.begin(), players.end());
    uint32_t from = list.Used(), to = from + g_pending.total;
    for (auto it = players.rbegin(); it != players.rend(); ++it) {
        std::vector<PlayerHistoryEntry>& run = g_pending.runs[*it];
        const uint32_t end = PlayerEnd(list, *it);
        to -= from - end;
        std::memmove(list.At(to), list.At(end), list.entry_size * (from - end));
        from = end;
        to -= uint32_t(run.size());
        std::memcpy(list.At(to), run.data(), list.entry_size * run.size());
    }
    uint32_t before = 0;
    auto next = players.begin();
    for (uint32_t owner = 0; owner < list.owners; ++owner) {
        list.first[owner] += before;
        if (next != players.end() && *next == owner) before += uint32_t(g_pending.runs[*next++].size());
    }
    for (const uint16_t player : players) g_pending.runs[player].clear();
    players.clear();
    *list.count += g_pending.total;
    g_pending.total = 0;
    IndexStateOf(list).count = *list.count;
}

void FillPlayerEntry(uint8_t* e, uint16_t player, int16_t club, int16_t a, int16_t b, int16_t kind,
                     int16_t mode, uint8_t season) {
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
}

// Adds to an appearance entry of the season: true when there was one.
bool AddToAppearance(uint8_t* e, uint16_t player, int16_t club, int16_t a, int16_t b, int16_t kind,
                     int16_t mode, uint8_t season) {
    if (LoadU16(e + kPHClub) != uint16_t(club) || e[kPHSeason] != season || e[kPHKind] != uint8_t(kind))
        return false;
    if (mode == 0) {
        StoreU16(e + kPHFirst, uint16_t(LoadU16(e + kPHFirst) + a));
    } else {
        ++e[kPHThird];
    }
    e[kPHSecond] = uint8_t(e[kPHSecond] + b);
    e[kPHPerf] = uint8_t(kind == 0 ? GetPlayerPerf(player) : GetPlayerPerf2(player));
    return true;
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
void KeepPlayerHistoryBatch(bool keep) {
    g_pending.keepers = keep ? g_pending.keepers + 1 : std::max(0, g_pending.keepers - 1);
    if (g_pending.keepers == 0) SettlePending();
}

void SettleHistoryLists() { SettlePending(); }

void RebuildClubHistoryIndex() { RebuildIndex(ClubList()); }
void RebuildPlayerHistoryIndex() {
    SettlePending();
    RebuildIndex(PlayerList());
}

void HistoryListsReplaced() {
    for (const uint16_t player : g_pending.players) g_pending.runs[player].clear();
    g_pending.players.clear();
    g_pending.total = 0;
    for (OldestSeasonMark& mark : g_oldestMarks) mark.known = false;
}

void ClearHistoryLists() {
    for (OldestSeasonMark& mark : g_oldestMarks) mark.known = false;
    for (const uint16_t player : g_pending.players) g_pending.runs[player].clear();
    g_pending.players.clear();
    g_pending.total = 0;
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
    ++SeasonEvents.clubHistoryEntries;
    const HistoryList list = ClubList();
    const uint8_t season = CurrentSeasonByte();
    uint32_t p = ClubInsertPosition(list, club, season);
    uint8_t* e = list.IsFull() ? DropOldestAndOpenGap(list, kCHSeason, uint16_t(club), p, season) : nullptr;
    // The long way moves the index on once the entry names its club (a
    // rebuild reads it).
    const bool indexAfter = e == nullptr;
    if (e == nullptr) {
        if (list.IsFull()) {
            MakeRoom(list, kCHSeason);
            p = ClubInsertPosition(list, club, season);
        }
        OpenGap(list, p);
        e = list.At(p);
    }
    StoreU16(e + kCHClub, uint16_t(club));
    e[kCHKind] = uint8_t(kind);
    e[kCHSeason] = season;
    const ClubEntryFields fields = ClubEntryFieldsOf(kind);
    const bool has_value = fields.value, has_extra1 = fields.extra1, has_extra2 = fields.extra2;
    if (has_value) StoreU16(e + kCHValue, value);
    if (has_extra1) StoreU16(e + kCHExtra1, extra1);
    if (has_extra2) StoreU16(e + kCHExtra2, extra2);
    if (indexAfter) IndexOneInsertion(list, uint32_t(club));
}

int FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out) {
    if (!IsClubNumber(club)) return 0;
    const HistoryList list = ClubList();
    const uint32_t used = list.Used();
    const bool ordered = KnownInOwnerOrder(list);
    int found = 0;
    for (uint32_t i = list.First(uint32_t(club)); i < used && found < kClubHistoryLookup; ++i) {
        if (list.Owner(i) == uint16_t(club))
            out[found++] = ClubHistoryEntries[i];
        else if (ordered)
            break;
    }
    return found;
}

int FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out) {
    if (player == 0 || player >= kMaxPlayers) return 0;
    const HistoryList list = PlayerList();
    const uint32_t used = list.Used();
    const bool ordered = KnownInOwnerOrder(list);
    int found = 0;
    for (uint32_t i = list.First(player); i < used && found < kPlayerHistoryLookup; ++i) {
        if (list.Owner(i) == player)
            out[found++] = PlayerHistoryEntries[i];
        else if (ordered)
            break;
    }
    if (const auto* run = PendingRun(player)) {
        for (auto e = run->begin(); e != run->end() && found < kPlayerHistoryLookup; ++e) out[found++] = *e;
    }
    return found;
}

int16_t HasPlayerHistoryEntry(uint16_t player, int16_t club) {
    if (player == 0 || player >= kMaxPlayers) return 0;
    const HistoryList list = PlayerList();
    const uint32_t used = list.Used();
    // Asked for every player of every fixture: a scan to the end would read
    // most of the list.
    const bool ordered = KnownInOwnerOrder(list);
    for (uint32_t i = list.First(player); i < used; ++i) {
        const PlayerHistoryEntry& e = PlayerHistoryEntries[i];
        if (PlayerHistoryPlayer(e) != player) {
            if (ordered) break;
            continue;
        }
        if (PlayerHistoryClub(e) == uint16_t(club)) return 1;
    }
    if (const auto* run = PendingRun(player)) {
        for (const PlayerHistoryEntry& e : *run)
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
            if (AddToAppearance(list.At(i), player, club, a, b, kind, mode, season)) return;
        }
        if (g_pending.total != 0 && player < g_pending.runs.size()) {
            for (PlayerHistoryEntry& e : g_pending.runs[player])
                if (AddToAppearance(e.bytes, player, club, a, b, kind, mode, season)) return;
        }
    }
    ++SeasonEvents.playerHistoryEntries;
    if (MayHoldPending(list)) {
        FillPlayerEntry(AddPending(player).bytes, player, club, a, b, kind, mode, season);
        return;
    }
    SettlePending();
    uint32_t p = PlayerEnd(list, player);
    if (list.IsFull()) {
        // A player's entry goes at his run's end whatever its season.
        if (uint8_t* e = DropOldestAndOpenGap(list, kPHSeason, player, p, -1)) {
            FillPlayerEntry(e, player, club, a, b, kind, mode, season);
            return;
        }
        MakeRoom(list, kPHSeason);
        p = PlayerEnd(list, player);
    }
    OpenGap(list, p);
    FillPlayerEntry(list.At(p), player, club, a, b, kind, mode, season);
    IndexOneInsertion(list, player);
}

uint16_t GetPlayerHistoryAppearances(uint16_t player, int16_t club, int16_t seasonsBack) {
    if (!IsPlayerNumber(player) || GetPlayerFlag95(player) != 0) return 0;
    const HistoryList list = PlayerList();
    const uint8_t season = uint8_t(CurrentSeasonByte() - seasonsBack);
    const uint32_t used = list.Used();
    const auto isIt = [&](const PlayerHistoryEntry& e) {
        return PlayerHistoryKind(e) == 0 && PlayerHistoryClub(e) == uint16_t(club) &&
               PlayerHistorySeason(e) == season;
    };
    for (uint32_t i = list.First(player); i < used && list.Owner(i) == player; ++i) {
        if (isIt(PlayerHistoryEntries[i])) return PlayerHistoryFirstCounter(PlayerHistoryEntries[i]);
    }
    if (const auto* run = PendingRun(player)) {
        for (const PlayerHistoryEntry& e : *run)
            if (isIt(e)) return PlayerHistoryFirstCounter(e);
    }
    return 0;
}

const PlayerHistoryEntry* LatestPlayerHistoryEntry(uint16_t player, uint8_t kind) {
    if (player == 0 || player >= kMaxPlayers) return nullptr;
    const PlayerHistoryEntry* latest = nullptr;
    const uint32_t used = std::min<uint32_t>(PlayerHistoryCount, kPlayerHistoryEntries);
    for (uint32_t i = PlayerHistoryFirst[player]; i < used; ++i) {
        const PlayerHistoryEntry& e = PlayerHistoryEntries[i];
        if (PlayerHistoryPlayer(e) != player) break;
        if (PlayerHistoryKind(e) == kind) latest = &e;
    }
    if (const auto* run = PendingRun(player)) {
        for (const PlayerHistoryEntry& e : *run)
            if (PlayerHistoryKind(e) == kind) latest = &e;
    }
    return latest;
}

void RemovePlayerHistory(uint16_t player) {
    if (player == 0 || player >= kMaxPlayers) return;
    SettlePending();
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
    SettlePending();
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

int16_t GetSeasonDayOfDate(int16_t dayOfMonth, int16_t month) {
    // A date that never comes (30 February, month 12) would walk for ever:
    // four years hold every date that exists.
    constexpr int kLongestWalk = 4 * 366;
    const SeasonCalendarState& c = SeasonCalendar;
    int day = c.currentDay;
    int date = c.dayOfMonth, mon = c.month, year = c.year;
    for (int step = 0; step <= kLongestWalk; ++step) {
        if (date == dayOfMonth && mon == month) return int16_t(day);
        if (++date > CalendarMonthLength(mon, year)) {
            date = 1;
            if (++mon > 11) {
                mon = 0;
                ++year;
            }
        }
        if (++day > 365) day = 0;
    }
    return -1;
}

// No field of a history entry is a mark that this clears, and what the flag
// selects is not laid down: the entries are left as they are.
void ClearPlayerHistoryMark(uint16_t, int16_t) {}
