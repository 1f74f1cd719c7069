#include "core/club/squadneeds.h"

#include <algorithm>
#include <array>

#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/clubfixtures.h"

using namespace market;

SquadNeedsBlock SquadNeeds;

namespace {

// The evaluation's position groups, in the order that settles ties.
enum Group {
    kKeeper,
    kDefence0,
    kDefence1,
    kDefence2,
    kMidfield0,
    kMidfield2,
    kMidfield1,
    kAttack,
    kGroupCount
};
constexpr std::array<int16_t, kGroupCount> kGroupKind = {0, 0, 1, 2, 0, 2, 1, 0};
// Lines 1 keeper, 2 defence, 3 midfield, 4 attack.
constexpr std::array<int16_t, kGroupCount> kGroupLine = {1, 2, 2, 2, 3, 3, 3, 4};
// The order in which a group short of players is looked for.
constexpr std::array<int, kGroupCount> kShortfallOrder = {kKeeper,    kDefence0,  kDefence2,  kDefence1,
                                                          kMidfield0, kMidfield2, kMidfield1, kAttack};
constexpr int kNoRating = 30000;

enum Line { kLineKeeper = 1, kLineDefence, kLineMidfield, kLineAttack };

int LineOfPosition(int position) {
    if (position == 0) return kLineKeeper;
    if (position <= 4) return kLineDefence;
    if (position <= 9) return kLineMidfield;
    return kLineAttack;
}

int GroupOf(int line, int kind) {
    if (line == kLineDefence) return kind == 0 ? kDefence0 : kind == 1 ? kDefence1 : kDefence2;
    return kind == 0 ? kMidfield0 : kind == 1 ? kMidfield1 : kMidfield2;
}

// The slot kinds a player's role settings mark him for, in the order the
// settings are consulted (setting 2, then 1, then 3).
struct Marks {
    int kinds[3] = {};
    int count = 0;
};
Marks MarkedKinds(uint16_t player) {
    Marks m;
    if (GetPlayerSetting2(player) == 3) m.kinds[m.count++] = 0;
    if (GetPlayerSetting1(player) == 3) m.kinds[m.count++] = 2;
    if (GetPlayerSetting3(player) == 3) m.kinds[m.count++] = 1;
    return m;
}

struct Tally {
    int count[kGroupCount] = {};
    int32_t sum[kGroupCount] = {};
    uint16_t last[kGroupCount] = {};

    // A defender or midfielder goes to the marked kind with fewer players
    // so far; one marked for none plays kind 1.
    int Place(uint16_t player, int position, int16_t rating) {
        const int line = LineOfPosition(position);
        int group = line == kLineKeeper ? kKeeper : line == kLineAttack ? kAttack : GroupOf(line, 1);
        if (line == kLineDefence || line == kLineMidfield) {
            const Marks marks = MarkedKinds(player);
            for (int i = 0; i < marks.count; ++i) {
                const int candidate = GroupOf(line, marks.kinds[i]);
                if (i == 0 || count[candidate] < count[group]) group = candidate;
            }
        }
        ++count[group];
        sum[group] += rating;
        last[group] = player;
        return group;
    }
    int32_t Average(int g) const { return count[g] == 0 ? 0 : sum[g] / count[g]; }
};

struct Rated {
    uint16_t player;
    int16_t position;
    int16_t rating;
};

int SortedSquad(int16_t club, Rated* list) {
    int n = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player)) continue;
        if (GetPlayerHalvornB(player) != 0 && GetPlayerHalvorn(player) == 0) continue;
        const int16_t position = OwnPosition(player);
        if (position > 12) continue;
        list[n++] = {player, position, RatePlayerPotential(player, position)};
    }
    std::stable_sort(list, list + n, [](const Rated& a, const Rated& b) { return a.rating > b.rating; });
    return n;
}

void CountFormationSlots(int* slots) {
    const int family = GetManagerFormation(CurrentClubManager);
    const int variant = GetManagerFormationVariant(CurrentClubManager);
    slots[kKeeper] = 1;
    for (const FormationSlot& slot : FormationSlotTable.slot[family][variant]) {
        const int line = LineOfPosition(std::clamp<int>(slot.position, 0, 12));
        if (line == kLineKeeper) continue;
        ++slots[line == kLineAttack ? kAttack : GroupOf(line, std::clamp<int>(slot.mode, 0, 2))];
    }
}

// The first player of the sorted squad suited to each group.
void RememberBestSuited(const Rated* list, int n, uint16_t* suited) {
    for (int i = 0; i < n; ++i) {
        const int line = LineOfPosition(list[i].position);
        const uint16_t p = list[i].player;
        if (line == kLineKeeper) {
            if (suited[kKeeper] == 0) suited[kKeeper] = p;
        } else if (line == kLineAttack) {
            if (suited[kAttack] == 0) suited[kAttack] = p;
        } else {
            const Marks marks = MarkedKinds(p);
            for (int k = 0; k < marks.count; ++k) {
                const int g = GroupOf(line, marks.kinds[k]);
                if (suited[g] == 0) suited[g] = p;
            }
        }
    }
}

void ChooseUpgrade(const Tally& best, const int* slots, const uint16_t* suited) {
    for (int g : kShortfallOrder) {
        if (best.count[g] < slots[g]) {
            SquadNeeds.UpgradePlayer = best.last[g];
            SquadNeeds.NeedKind = kGroupKind[g];
            return;
        }
    }
    int weakest = kAttack;
    for (int g = kKeeper; g < kAttack; ++g) {
        bool lowest = true;
        for (int other = 0; other < kGroupCount; ++other) {
            if (other != g && best.Average(g) > best.Average(other)) lowest = false;
        }
        if (lowest) {
            weakest = g;
            break;
        }
    }
    SquadNeeds.UpgradePlayer = best.count[weakest] != 0 ? best.last[weakest] : suited[weakest];
    SquadNeeds.NeedKind = kGroupKind[weakest];
}

int32_t DivisionMinimum(int16_t club) {
    const int division = std::min<int>(GetClubDivision(club), kValueDivisions - 1);
    return PlayerValueTables.divisionMinimum[division];
}

}  // namespace

int SquadNeedScale(int leaguePlace, int reputation) {
    return std::max(32, (125 - leaguePlace) / 2 + reputation);
}

int32_t SquadGroupNeed(int slots, int scale, int players) {
    return slots * scale / 25 * 100 / std::max(1, players);
}

void EvaluateClubSquad(int16_t club) {
    SquadNeeds = SquadNeedsBlock{};
    SquadNeeds.WantedPosition = 13;
    if (!IsClubNumber(club)) return;

    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club) || IsOutOnLoan(player))
            continue;
        SquadNeeds.TopWage = std::max<int32_t>(SquadNeeds.TopWage, 25 * int32_t(GetPlayerWage(player)));
    }
    int slots[kGroupCount] = {};
    CountFormationSlots(slots);

    Rated list[kRosterSize];
    const int n = SortedSquad(club, list);
    uint16_t suited[kGroupCount] = {};
    RememberBestSuited(list, n, suited);
    Tally best;
    for (int i = 0; i < std::min(n, 11); ++i) best.Place(list[i].player, list[i].position, list[i].rating);
    ChooseUpgrade(best, slots, suited);

    // Targets grow with the club's standing: better placed and better known
    // clubs want more cover in every group.
    const int s = SquadNeedScale(GetClubLeaguePosition(club), GetClubRep(club));
    Tally available;
    int unavailable[5] = {};
    int counted = 0;
    int32_t firstTeamSum = 0;
    for (int i = 0; i < n; ++i) {
        const uint16_t p = list[i].player;
        const bool youth = GetPlayerFlag95(p) != 0;
        if (youth && GetPlayerFlag107(p) == 0 && GetPlayerShirt(p) == 0) continue;
        if (counted < 11) firstTeamSum += list[i].rating;
        ++counted;
        const int g = available.Place(p, list[i].position, list[i].rating);
        if (youth) ++unavailable[kGroupLine[g]];
    }
    SquadNeeds.FirstTeamRating = firstTeamSum / 11;

    int32_t need[kGroupCount];
    for (int g = 0; g < kGroupCount; ++g) need[g] = SquadGroupNeed(slots[g], s, available.count[g]);
    const int32_t highest = *std::max_element(need, need + kGroupCount);
    int chosen = int(std::find(need, need + kGroupCount, highest) - need);
    if (need[kAttack] == highest) chosen = kAttack;

    const int count = std::max(1, available.count[chosen]);
    SquadNeeds.NeedRating = int16_t(available.sum[chosen] / count);
    SquadNeeds.ReplacePlayer = available.last[chosen];
    SquadNeeds.NeedKind = kGroupKind[chosen];
    if (need[chosen] > 100) {
        SquadNeeds.UpgradePlayer = 0;
        const int line = kGroupLine[chosen];
        if (unavailable[line] != 0 && counted < GetClubRep(club) / 3 + 20) SquadNeeds.ReplacePlayer = 0;
    }
    if (count == 1) {
        SquadNeeds.NeedRating = int16_t(SquadNeeds.NeedRating * 80 / 100);
        SquadNeeds.ReplacePlayer = 0;
        SquadNeeds.UrgentGroup = kGroupLine[chosen];
    }
}

int16_t FindClubWeakestPosition(int16_t club) {
    const int family = GetManagerFormation(CurrentClubManager);
    const int variant = GetManagerFormationVariant(CurrentClubManager);
    const FormationSlot* formation = FormationSlotTable.slot[family][variant];

    // Lines 1..4: quota and players of the list.
    int quota[5] = {0, 2, 0, 0, 0};
    for (int k = 0; k < kOutfieldShirts; ++k)
        ++quota[LineOfPosition(std::clamp<int>(formation[k].position, 0, 12))];
    int players[5] = {};
    const int listCount = std::clamp<int>(FirstTeamList.count, 0, kSquadListSize);
    for (int i = 0; i < listCount; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (IsPlayerNumber(p) && OwnPosition(p) <= 12) ++players[LineOfPosition(OwnPosition(p))];
    }
    int percent[5] = {};
    for (int line = 1; line <= 4; ++line)
        percent[line] = quota[line] == 0 ? 1000 : players[line] * 100 / quota[line];
    constexpr int16_t kLineWanted[5] = {13, 0, 4, 5, 11};
    for (int line = 1; line <= 4; ++line) {
        bool strictlyLowest = percent[line] < 100;
        for (int other = 1; other <= 4; ++other) {
            if (other != line && percent[line] >= percent[other]) strictlyLowest = false;
        }
        if (strictlyLowest) {
            SquadNeeds.PositionShort = 1;
            SquadNeeds.SearchKind = 3;
            SquadNeeds.WantedPosition = kLineWanted[line];
            return int16_t(IsClubNumber(club) ? DivisionMinimum(club) / 10 : 0);
        }
    }

    // The best eleven for the formation, slot by slot.
    bool picked[kSquadListSize] = {};
    int32_t lowest = kNoRating;
    auto pickBest = [&](int line, int16_t position, int16_t kind) {
        int best = -1;
        int16_t bestRating = 0;
        for (int i = 0; i < listCount; ++i) {
            const uint16_t p = FirstTeamList.players[i];
            if (picked[i] || !IsPlayerNumber(p) || OwnPosition(p) > 12) continue;
            if (LineOfPosition(OwnPosition(p)) != line) continue;
            const int16_t rating = RatePlayerAbility(p, OwnPosition(p));
            if (best < 0 || rating > bestRating) best = i, bestRating = rating;
        }
        if (best < 0) return;
        picked[best] = true;
        if (bestRating < lowest) {
            lowest = bestRating;
            SquadNeeds.WantedPosition = position;
            SquadNeeds.SearchKind = kind;
        }
    };
    pickBest(kLineKeeper, 0, 3);
    for (int k = 0; k < kOutfieldShirts; ++k) {
        const int16_t position = int16_t(std::clamp<int>(formation[k].position, 0, 12));
        pickBest(LineOfPosition(position), position, int16_t(std::clamp<int>(formation[k].mode, 0, 3)));
    }
    SquadNeeds.PositionShort = 0;
    return int16_t(lowest);
}
