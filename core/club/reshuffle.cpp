#include "core/club/reshuffle.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"

namespace {

// The stats a candidate keeps, taken in one call: the ones the fourteen
// weights of a position are read against here, then stamina and
// consistency.
constexpr int16_t kCandidateStats[kValueColumns + 2] = {
    0, 2, 3, 4, 1, 5, 9, 13, 8, 10, 6, 14, 19, 18, kStaminaStat, kConsistencyStat};

constexpr int kPaddedColumns = 16;
static_assert(kValueColumns <= kPaddedColumns);

// A player of the working list with what every pick reads of him, taken
// once per reshuffle: the picks change only his flag 95, and the reserve
// slots' picks read his position and settings, which nothing here writes.
struct Candidate {
    uint16_t player;
    int16_t rating;
    // His weighted stats as a position's score counts them (a stat below
    // his age's threshold by how far it falls short), padded with zeros to
    // a whole number of vector lanes.
    int16_t counted[kPaddedColumns];
    int16_t stamina, consistency;
    uint16_t intDuty, club, injury, fitness, position2, age, morale, field105, fatigue;
    uint16_t flag107;     // as the candidate was taken: the picks leave it
    int16_t settings[3];  // by side selector 0..2
    // His score for a position before the side selector's setting, kept
    // once worked out: the picks of one reshuffle ask for a position more
    // than once, and nothing the score reads moves during a reshuffle.
    uint16_t scoredPositions;  // bit p: positionScore[p] holds
    int32_t positionScore[kValuePositions];
};

// The club's available players, and the working list of their places in
// it, best first: picks take places off the list, so that a pick moves
// bytes, not whole candidates.
Candidate g_candidates[kRosterSize];
uint8_t g_working[kRosterSize];
int g_workingCount = 0;
static_assert(kRosterSize <= 256);

bool g_taken[kRosterSize];  // by place: taken off the working list
Candidate& Working(int index) { return g_candidates[g_working[index]]; }

constexpr int kUnfitBelow = 48;
constexpr int16_t kFriendlyCode = kCompFriendly;
constexpr int kFirstEuropeanCode = 4;
constexpr int kLastEuropeanCode = 6;

// Reserve slots: (position kind, side selector).
constexpr int16_t kReserveSlots[24][2] = {{0, 3}, {0, 3}, {1, 1}, {1, 2}, {1, 0}, {1, 3}, {1, 3}, {2, 1},
                                          {2, 2}, {2, 0}, {2, 3}, {2, 3}, {3, 0}, {3, 3}, {3, 3}, {3, 3},
                                          {1, 3}, {2, 3}, {3, 3}, {2, 3}, {2, 2}, {2, 2}, {2, 3}, {3, 3}};

bool IsManagerOnly(uint16_t player) {
    return GetPlayerHalvornB(player) != 0 && GetPlayerHalvorn(player) == 0;
}

int PositionKind(int position) { return position == 0 ? 0 : position < 5 ? 1 : position < 10 ? 2 : 3; }

int16_t Setting(uint16_t player, int selector) {
    switch (selector) {
        case 0:
            return int16_t(GetPlayerSetting2(player));
        case 1:
            return int16_t(GetPlayerSetting3(player));
        case 2:
            return int16_t(GetPlayerSetting1(player));
        default:
            return 3;
    }
}

void MakeCandidate(uint16_t player, Candidate& c) {
    c = Candidate{};
    c.player = player;
    c.rating = RatePlayerAbility(player, int16_t(GetPlayerPosition2(player)));
    int16_t stats[kValueColumns + 2];
    GetPlayerStats(player, kCandidateStats, kValueColumns + 2, stats);
    c.stamina = stats[kValueColumns];
    c.consistency = stats[kValueColumns + 1];
    c.intDuty = GetPlayerIntDuty(player);
    c.club = GetPlayerClub(player);
    c.injury = GetPlayerIT(player);
    c.fitness = GetPlayerFitness(player);
    c.position2 = GetPlayerPosition2(player);
    c.age = GetPlayerAge(player);
    const int threshold = c.age / 2 + 40;
    for (int column = 0; column < kValueColumns; ++column) {
        const int stat = stats[column];
        c.counted[column] = int16_t(stat >= threshold ? stat : stat - threshold);
    }
    c.morale = GetPlayerMorale(player);
    c.field105 = GetPlayerField105(player);
    c.fatigue = GetPlayerFatigue(player);
    c.flag107 = GetPlayerFlag107(player);
    for (int selector = 0; selector < 3; ++selector) c.settings[selector] = Setting(player, selector);
}

bool CupAllows(uint16_t player, int16_t club, int16_t code) {
    if (code < 0 || code == kFriendlyCode || code > kLastEuropeanCode) return true;
    const int nation = GetClubNation(club);
    if (code < kFirstEuropeanCode && !IsCountryNumber(nation)) return true;
    const uint16_t registered = GetPlayerCup(player, code, int16_t(code < kFirstEuropeanCode ? nation : 0));
    return registered == uint16_t(club) || registered == kNoClub;
}

bool IsAvailable(uint16_t player, int16_t club, int16_t code) {
    const bool european = code >= kFirstEuropeanCode && code <= kLastEuropeanCode;
    if (european ? GetPlayerEuroBan(player) != 0 : IsPlayerSuspended(player) != 0) return false;
    return CupAllows(player, club, code) && !IsManagerOnly(player) && GetPlayerIT(player) == 0 &&
           GetPlayerLoanTrial(player) == 0 && GetPlayerFitness(player) >= kUnfitBelow;
}

void TakeAt(int index) {
    g_taken[g_working[index]] = true;
    std::copy(g_working + index + 1, g_working + g_workingCount, g_working + index);
    --g_workingCount;
}

void TakeForFirstTeam(int index, bool computer) {
    const uint16_t player = Working(index).player;
    if (computer && GetPlayerFlag95(player) != 0) SetPlayerFlag95(player, 0);
    TakeAt(index);
}

// The players taken as candidates so far, in place order: a roster that
// names a player twice gives him one candidate, found without a walk over
// the candidates themselves.
uint16_t g_candidatePlayers[kRosterSize];

// Orders the working list best rating first, equals in place (roster)
// order: each place has one key of its rating and its place, so that no two
// keys tie, and goes where the count of keys above its own puts it.  The
// counts are compared without branches over a list of a few dozen, where a
// comparison sort mispredicts most of its branches.
void SortWorkingByRating() {
    int32_t keys[kRosterSize];
    uint8_t places[kRosterSize];
    const int n = g_workingCount;
    for (int i = 0; i < n; ++i) {
        places[i] = g_working[i];
        keys[i] = int32_t(g_candidates[places[i]].rating) * 256 + (255 - places[i]);
    }
    for (int i = 0; i < n; ++i) {
        int above = 0;
        for (int j = 0; j < n; ++j) above += keys[j] > keys[i] ? 1 : 0;
        g_working[above] = places[i];
    }
}

bool IsCandidate(uint16_t player) {
    return std::find(g_candidatePlayers, g_candidatePlayers + g_workingCount, player) !=
           g_candidatePlayers + g_workingCount;
}

bool InViewedSeason() {
    const int nation = std::clamp<int>(HVW_GetViewedCountry(), 0, kCountryCount - 1);
    const int today = SeasonCalendar.currentDay;
    return today >= SeasonCalendar.leagueStartDay[nation] && today <= SeasonCalendar.leagueEndDay[nation];
}

// The index of the working list's pick for a reserve slot: a player of the
// slot's kind whose selected setting is 3, else any of that kind, else the
// best remaining player.
int ReserveSlotPick(int kind, int selector) {
    int ofKind = -1;
    for (int i = 0; i < g_workingCount; ++i) {
        const Candidate& c = Working(i);
        if (PositionKind(c.position2) != kind) continue;
        if (selector == 3 || c.settings[selector] == 3) return i;
        if (ofKind < 0) ofKind = i;
    }
    if (ofKind >= 0) return ofKind;
    return g_workingCount > 0 ? 0 : -1;
}

// What a club's last reshuffle read, as it stood when the reshuffle ended:
// the reshuffle reads nothing else and, run again on what it left, changes
// nothing, so while all of it stands still the squad is as a reshuffle
// would leave it.
struct ReshuffleInputs {
    bool valid = false;
    int16_t code = 0;
    bool inSeason = false;
    uint16_t manager = 0;
    int16_t family = 0, variant = 0;
    uint16_t control = 0, nation = 0, playerCount = 0;
    uint16_t roster[kRosterSize] = {};
    std::vector<uint8_t> records;  // the roster's player records in roster order
};
std::vector<ReshuffleInputs> g_lastInputs(kClubCount);

// What a roster walk reads of a player, asked for a few players ahead of
// his turn: roster players lie scattered over the table (and their kept
// ratings over theirs), and a walk that waits on memory for each player's
// record and rating in turn spends most of its time waiting.
constexpr int kRecordsAhead = 4;
// Inlined by force: the compiler takes a function that only prefetches for
// one without effects and drops the calls to it.
[[gnu::always_inline]] inline void PrefetchRosterRecord(int16_t club, int slot) {
    if (slot >= kRosterSize || ClubRoster[club][slot] == 0) return;
    const uint16_t player = ClubRoster[club][slot];
    for (int offset = 0; offset < int(sizeof(PlayerRecord)); offset += 64)
        PrefetchPlayerRecord(player, offset);
    PrefetchPlayerRecord(player, int(sizeof(PlayerRecord)) - 1);
}
void PrefetchRosterCandidate(int16_t club, int slot) {
    PrefetchRosterRecord(club, slot);
    if (slot < kRosterSize && ClubRoster[club][slot] != 0) PrefetchPlayerRatings(ClubRoster[club][slot]);
}

// A record copied in eight-byte words: the library's copy of an odd size
// starts a string move per record, slow for a few hundred bytes.
void CopyRecord(uint8_t* to, const uint8_t* from) {
    constexpr size_t kWords = sizeof(PlayerRecord) / 8;
    for (size_t word = 0; word < kWords; ++word) std::memcpy(to + 8 * word, from + 8 * word, 8);
    for (size_t byte = 8 * kWords; byte < sizeof(PlayerRecord); ++byte) to[byte] = from[byte];
}

void TakeRosterRecords(int16_t club, std::vector<uint8_t>& out) {
    size_t count = 0;
    for (uint16_t player : ClubRoster[club]) count += IsPlayerNumber(player) ? 1 : 0;
    out.resize(count * sizeof(PlayerRecord));
    uint8_t* at = out.data();
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player)) continue;
        CopyRecord(at, PlayerRecords[player].bytes);
        at += sizeof(PlayerRecord);
    }
}

bool RosterRecordsEqual(int16_t club, const std::vector<uint8_t>& kept) {
    size_t at = 0;
    for (int slot = 0; slot < kRecordsAhead; ++slot) PrefetchRosterRecord(club, slot);
    for (int slot = 0; slot < kRosterSize; ++slot) {
        PrefetchRosterRecord(club, slot + kRecordsAhead);
        const uint16_t player = ClubRoster[club][slot];
        if (!IsPlayerNumber(player)) continue;
        if (at + sizeof(PlayerRecord) > kept.size() ||
            std::memcmp(kept.data() + at, PlayerRecords[player].bytes, sizeof(PlayerRecord)) != 0) {
            return false;
        }
        at += sizeof(PlayerRecord);
    }
    return at == kept.size();
}

// A candidate's score for a position: his weighted stats against the
// threshold of his age, his stamina, in the viewed season his morale,
// fitness, form and freshness, and a cut outside his position group. Stats
// and weights below 100 and 128 keep it well within 32 bits: a stat below
// the threshold counts by how far it falls short.
int32_t PositionScore(const Candidate& c, const int16_t* w, int position, bool inSeason) {
    const int own = c.position2;
    int32_t sum = 0;
    for (int column = 0; column < kPaddedColumns; ++column) sum += int32_t(c.counted[column]) * w[column];
    int64_t score = sum;
    if (score < 0) score = 1;
    score += 20 * c.stamina;
    if (inSeason) {
        const int morale = c.morale;
        if (morale < 30) score = (score / 70) * (morale + 10);
        score = (score / 70) * (c.fitness + 10);
        score = (score / 70) * (c.field105 + 10);
        score = (score / 70) * (70 - c.fatigue);
    }
    if (PositionGroupTable[std::min(own, 12)] != PositionGroupTable[position]) score = (score / 100) * 60;
    return int32_t(score);
}

bool CanBePicked(const Candidate& c, int16_t club) {
    return c.intDuty == 0 && c.club == uint16_t(club) && c.injury == 0 && c.fitness >= kUnfitBelow &&
           c.flag107 == 0;
}

// The value tables' weights of each position widened and padded as the
// candidates' counted stats are.
using PaddedWeightTable = std::array<std::array<int16_t, kPaddedColumns>, kValuePositions>;
const PaddedWeightTable& PaddedWeights() {
    static const PaddedWeightTable table = [] {
        PaddedWeightTable t{};
        for (int position = 0; position < kValuePositions; ++position) {
            for (int column = 0; column < kValueColumns; ++column)
                t[position][column] = PlayerValueTables.weights[position][column];
        }
        return t;
    }();
    return table;
}

// A candidate's score for a position in a side mode, at least 1.
int64_t PickScore(Candidate& c, int16_t position, int16_t mode, bool inSeason) {
    const uint16_t bit = uint16_t(1u << position);
    if ((c.scoredPositions & bit) == 0) {
        c.positionScore[position] = PositionScore(c, PaddedWeights()[position].data(), position, inSeason);
        c.scoredPositions |= bit;
    }
    int64_t score = c.positionScore[position];
    const int16_t setting = mode >= 0 && mode < 3 ? c.settings[mode] : int16_t(3);
    if (setting != 3) score = (setting * 20 + 40) * score / 100;
    score = (c.consistency + 30) * score / 130;
    return score == 0 ? 1 : score;
}

// The picks by position group: the candidates of the club's last
// reshuffle who can be picked, each group's in working-list order, and
// those taken off the working list. A pick walks the wanted position's
// group (goalkeepers, defenders 1..4, midfielders 5..9, forwards 10 and
// up) past the taken, which finds what a walk over the working list finds,
// in the same order.
int PositionGroup(int position) { return position == 0 ? 0 : position < 5 ? 1 : position < 10 ? 2 : 3; }
uint8_t g_groupPlaces[4][kRosterSize];
int g_groupCounts[4];
int16_t g_groupsClub = -1;  // the club whose candidates the groups hold

void SortIntoGroups(int16_t club) {
    g_groupsClub = club;
    std::fill(std::begin(g_groupCounts), std::end(g_groupCounts), 0);
    std::fill(std::begin(g_taken), std::end(g_taken), false);
    for (int i = 0; i < g_workingCount; ++i) {
        const uint8_t place = g_working[i];
        const Candidate& c = g_candidates[place];
        if (!CanBePicked(c, club)) continue;
        const int group = PositionGroup(c.position2);
        g_groupPlaces[group][g_groupCounts[group]++] = place;
    }
}

// The candidate (by place) with the best score for a position, -1 for none.
int PickPlaceFromGroups(int16_t position, int16_t mode, bool inSeason) {
    if (position < 0 || position >= kValuePositions) return -1;
    const int group = PositionGroup(position);
    int64_t bestScore = 0;
    int best = -1;
    for (int k = 0; k < g_groupCounts[group]; ++k) {
        const uint8_t place = g_groupPlaces[group][k];
        if (g_taken[place]) continue;
        const int64_t score = PickScore(g_candidates[place], position, mode, inSeason);
        if (score > bestScore) {
            bestScore = score;
            best = place;
        }
    }
    return best;
}

// The working list's index of a candidate; -1 when he is not on it.
int WorkingIndexOf(uint16_t player) {
    for (int i = 0; i < g_workingCount; ++i) {
        if (Working(i).player == player) return i;
    }
    return -1;
}

}  // namespace

uint16_t PickSquadPlayerForPosition(int16_t position, int16_t mode, int16_t club) {
    // Only the club's own players are candidates: another club has none.
    if (club != g_groupsClub) return 0;
    const int place = PickPlaceFromGroups(position, mode, InViewedSeason());
    return place < 0 ? 0 : g_candidates[place].player;
}

void ReshuffleComputerSquad(int16_t club, int16_t code) {
    if (!IsClubNumber(club)) return;
    const bool computer = GetClubControl(club) == 0;
    const uint16_t manager = FindClubManager(club);
    const int family = GetManagerFormation(manager);
    const int variant = GetManagerFormationVariant(manager);
    ReshuffleInputs& last = g_lastInputs[club];
    const bool inSeason = InViewedSeason();
    if (last.valid && last.code == code && last.inSeason == inSeason && last.manager == manager &&
        last.family == family && last.variant == variant && last.control == GetClubControl(club) &&
        last.nation == GetClubNation(club) && last.playerCount == PlayerCount &&
        std::memcmp(last.roster, ClubRoster[club], sizeof last.roster) == 0 &&
        RosterRecordsEqual(club, last.records)) {
        CurrentClubManager = manager;
        return;
    }
    g_workingCount = 0;
    for (int slot = 0; slot < kRecordsAhead; ++slot) PrefetchRosterCandidate(club, slot);
    for (int slot = 0; slot < kRosterSize; ++slot) {
        PrefetchRosterCandidate(club, slot + kRecordsAhead);
        const uint16_t player = ClubRoster[club][slot];
        if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club)) continue;
        SetPlayerFlag107(player, 1);
        SetPlayerFlag118(player, 0);
        if (!IsAvailable(player, club, code)) continue;
        SetPlayerFlag107(player, 0);
        SetPlayerFlag118(player, 1);
        if (IsCandidate(player)) continue;
        MakeCandidate(player, g_candidates[g_workingCount]);
        g_candidatePlayers[g_workingCount] = player;
        g_working[g_workingCount] = uint8_t(g_workingCount);
        ++g_workingCount;
    }
    SortWorkingByRating();

    const int available = g_workingCount;
    const int keep = available <= 32 ? 16 : std::min(24, (available - 32) / 4 + 16);
    CurrentClubManager = manager;

    SortIntoGroups(club);
    auto pick = [&](int16_t position, int16_t mode) {
        const uint16_t player = PickSquadPlayerForPosition(position, mode, club);
        if (const int index = player != 0 ? WorkingIndexOf(player) : -1; index >= 0)
            TakeForFirstTeam(index, computer);
    };
    pick(0, 0);
    for (const FormationSlot& slot : FormationSlotTable.slot[family][variant]) pick(slot.position, slot.mode);
    pick(0, 0);
    pick(4, 3);
    pick(5, 3);
    pick(12, 3);
    for (int extra = 0; extra < keep - 15 && g_workingCount > 0; ++extra) TakeForFirstTeam(0, computer);

    for (int i = 0; i < g_workingCount; ++i) {
        const uint16_t player = Working(i).player;
        SetPlayerShirt(player, 0);
        SetPlayerFlag118(player, 0);
        SetPlayerFlag107(player, GetPlayerFlag95(player) != 0 ? 0 : 1);
    }
    for (int slot = 0; slot < keep && g_workingCount > 0; ++slot) {
        const int index = ReserveSlotPick(kReserveSlots[slot][0], kReserveSlots[slot][1]);
        const uint16_t player = Working(index).player;
        if (GetPlayerFlag95(player) != 0) {
            SetPlayerFlag107(player, 1);
            SetPlayerFlag118(player, 0);
        }
        TakeAt(index);
    }
    last.valid = true;
    last.code = code;
    last.inSeason = inSeason;
    last.manager = manager;
    last.family = int16_t(family);
    last.variant = int16_t(variant);
    last.control = GetClubControl(club);
    last.nation = GetClubNation(club);
    last.playerCount = PlayerCount;
    std::memcpy(last.roster, ClubRoster[club], sizeof last.roster);
    TakeRosterRecords(club, last.records);
}
