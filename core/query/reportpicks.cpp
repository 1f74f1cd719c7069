// Player picks of the match report and the news: crowd favourites, top
// scorers, strike partners, the most valuable and the star player, and a
// player's recent match marks.
#include "core/query/reportpicks.h"

#include <algorithm>
#include <span>

#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/match/matchratings.h"
#include "core/query/divisionindex.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/query/scorerrankings.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

namespace {

constexpr int kGoalkeeper = 0;
constexpr int kMidfielder = 2;
constexpr int kForward = 3;

// A list entry that names a player: 0 is an empty slot and an entry equal
// to the player count ends a list; neither may reach an accessor.

std::span<const uint16_t, kSquadListSize> SelectedTeam() { return FirstTeamList.players; }

// A bounded list of players being narrowed down.
struct PlayerPick {
    uint16_t players[2 * kSquadListSize];
    int count = 0;

    void Clear() { count = 0; }
    void Add(uint16_t player) {
        if (count < int(std::size(players))) players[count++] = player;
    }
    std::span<const uint16_t> View() const { return {players, size_t(count)}; }
};

// Keeps the players with the highest figure: a higher figure empties the
// list, an equal one joins it; the first best starts at 0.
template <typename Figure>
void KeepBest(PlayerPick& pick, Figure figure) {
    PlayerPick kept;
    int best = 0;
    for (uint16_t player : pick.View()) {
        const int value = figure(player);
        if (value < best) continue;
        if (value > best) {
            kept.Clear();
            best = value;
        }
        kept.Add(player);
    }
    pick = kept;
}

// Clubs of the country in a division row, in table order; empty cells are
// passed over.
template <typename Fn>
void ForEachDivisionClub(int country, int division, Fn fn) {
    const int clubs = std::min<int>(DivisionLayout[country][division].clubs, kLeagueRowClubs);
    for (int row = 0; row < clubs; ++row) {
        const int16_t club = LeagueTable[country][division][row];
        if (IsClubNumber(club)) fn(club);
    }
}

}  // namespace

void HVW_ListClubPlayersByFans(int16_t club, uint16_t* out, int16_t n) {
    if (!IsClubNumber(club) || n <= 0) return;
    HVW_BuildSquadList(club);
    PlayerPick work;
    for (uint16_t player : ReserveList.players) {
        if (IsPlayerNumber(player)) work.Add(player);
    }
    for (uint16_t player : SelectedTeam()) {
        if (IsPlayerNumber(player)) work.Add(player);
    }
    int16_t keys[std::size(work.players)];
    for (int i = 0; i < work.count; ++i) keys[i] = HVW_GetPlayerFansText(work.players[i]);
    for (int i = 0; i < work.count - 1; ++i) {
        for (int j = i + 1; j < work.count; ++j) {
            if (keys[j] > keys[i]) {
                std::swap(keys[i], keys[j]);
                std::swap(work.players[i], work.players[j]);
            }
        }
    }
    for (int i = 0; i < n; ++i) out[i] = i < work.count ? work.players[i] : 0;
}

int16_t HVW_IsFirstClubFixtureInComp(int16_t club, int16_t slot, int16_t competition) {
    if (slot < 0 || slot >= kFixtureSlots || !IsClubNumber(club)) return 0;
    const int16_t cup = HVW_GetCupIndexForText(competition);
    for (int j = 0; j < slot; ++j) {
        const int16_t type = FixtureType(j);
        if (type == kCompNationalTeam || type == kCompNationalUnder21 || IsFixtureEmpty(j) ||
            !IsFixtureOfClub(j, club)) {
            continue;
        }
        const int16_t typeCup = HVW_GetCupIndexForText(type);
        const bool sameCup = typeCup != -2 && typeCup == cup;
        const bool playOff =
            type >= kCompPlayOffFirst && type <= kCompPlayOffFinal && competition == kCompPlayOffFirst;
        if (sameCup || playOff || type == competition) return 0;
    }
    return 1;
}

uint16_t HVW_FindClubPlayerByShirt(int16_t club, int16_t shirt) {
    if (!IsClubNumber(club) || shirt <= 0) return 0;
    HVW_BuildSquadList(club);
    for (uint16_t player : SelectedTeam()) {
        if (IsPlayerNumber(player) && GetPlayerShirt(player) == uint16_t(shirt)) return player;
    }
    return 0;
}

uint16_t HVW_GetClubTopAssistsPlayer(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    int midfielders = 0;
    for (uint16_t player : SelectedTeam()) {
        if (IsPlayerNumber(player) && HVW_GetPositionType(player) == kMidfielder) ++midfielders;
    }
    PlayerPick pick;
    for (uint16_t player : SelectedTeam()) {
        if (!IsPlayerNumber(player)) continue;
        const int16_t type = HVW_GetPositionType(player);
        if (type == kGoalkeeper || (midfielders != 0 && type != kMidfielder)) continue;
        pick.Add(player);
    }
    KeepBest(pick, [](uint16_t p) { return int(GetPlayerAssists(p)); });
    if (pick.count == 0) {
        for (uint16_t player : SelectedTeam()) {
            if (IsPlayerNumber(player)) pick.Add(player);
        }
    }
    if (pick.count == 0) return 0;
    uint16_t best = pick.players[0];
    auto product = [](uint16_t p) {
        return int16_t(GetPlayerStat(p, kPassingStat, 0) * GetPlayerStat(p, kVisionStat, 0));
    };
    int16_t bestProduct = product(best);
    for (uint16_t player : pick.View().subspan(1)) {
        const int16_t value = product(player);
        if (value > bestProduct) {
            best = player;
            bestProduct = value;
        }
    }
    return best;
}

int16_t HVW_IsPlayerAvailableForFixture(int16_t club, uint16_t player, int16_t slot) {
    if (!IsClubNumber(club) || slot < 0 || slot >= kFixtureSlots || player == 0) return 0;
    const int16_t cup = HVW_GetCupIndex(FixtureType(slot));
    bool barred = IsPlayerSuspended(player) != 0;
    if (cup >= 4 && GetPlayerEuroBan(player) != 0) barred = true;
    bool cupTied = false;
    // A national cup's registrations are kept per playing country; a club
    // outside them has none to check.
    const int country = GetClubNation(club);
    if (cup != -2 && (cup >= 4 || IsCountryNumber(country))) {
        const uint16_t registered = GetPlayerCup(player, cup, int16_t(country));
        cupTied = registered != uint16_t(club) && registered != kNoClub;
    }
    return GetPlayerIT(player) == 0 && !barred && !cupTied ? 1 : 0;
}

int16_t HVW_HasClubStrikePartnership(int16_t club, int16_t* top, int16_t* second) {
    *top = 0;
    *second = 0;
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    for (uint16_t player : SelectedTeam()) {
        if (!IsPlayerNumber(player) || HVW_GetPositionType(player) != kForward) continue;
        const int16_t goals = int16_t(GetPlayerGoals(player));
        if (goals >= *top) {
            *second = *top;
            *top = goals;
        } else if (goals > *second) {
            *second = goals;
        }
    }
    const int country = GetClubNation(club);
    if (*top <= 5 || *second <= 5 || !IsCountryNumber(country)) return 0;
    const int16_t average =
        HVW_GetDivisionAverageGoals(int16_t(country), HVW_FindClubInDivisionRows(club), -1);
    return *top + *second >= average / 2 ? 1 : 0;
}

int16_t HVW_FindClubStrikePair(int16_t club, uint16_t* first, uint16_t* second, int16_t target,
                               int16_t threshold, int16_t slot) {
    *first = 0;
    *second = 0;
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    int taken = 0;
    for (uint16_t player : SelectedTeam()) {
        if (!IsPlayerNumber(player) || HVW_GetPositionType(player) != kForward) continue;
        if (slot != -1) {
            const uint16_t shirt = GetPlayerShirt(player);
            if (shirt < 1 || shirt > 11 || !HVW_IsPlayerAvailableForFixture(club, player, slot)) {
                continue;
            }
        }
        const int16_t goals = int16_t(GetPlayerGoals(player));
        if (goals == target && taken < 2) {
            (taken == 0 ? *first : *second) = player;
            ++taken;
        } else if (goals >= threshold) {
            *second = player;
        }
    }
    // The story needs two different strikers.
    return *first != 0 && *second != 0 && *first != *second ? 1 : 0;
}

uint16_t HVW_GetClubTopScorer(int16_t club, int16_t* tie) {
    *tie = 0;
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    uint16_t result = 0;
    int best = 0;
    for (uint16_t player : SelectedTeam()) {
        if (!IsPlayerNumber(player) || HVW_GetPositionType(player) == kGoalkeeper) continue;
        const int goals = GetPlayerGoals(player);
        if (goals > best) {
            result = player;
            best = goals;
            *tie = 0;
        } else if (goals == best) {
            result = player;
            *tie = 1;
        }
    }
    return result;
}

uint16_t HVW_GetDivisionTopScorer(int16_t country, int16_t division, int16_t* tie) {
    *tie = 0;
    if (!IsCountryNumber(country) || division < 0 || division >= HVW_CountCompRounds(country)) {
        return 0;
    }
    uint16_t result = 0;
    int best = 0;
    ForEachDivisionClub(country, division, [&](int16_t club) {
        int16_t clubTie = 0;
        const uint16_t player = HVW_GetClubTopScorer(club, &clubTie);
        if (player == 0) return;
        const int goals = GetPlayerGoals(player);
        if (goals > best) {
            result = player;
            best = goals;
            *tie = clubTie;
        } else if (goals == best) {
            result = player;
            *tie = 1;
        }
    });
    return result;
}

uint16_t HVW_PickMostValuablePlayer(const uint16_t* list, int32_t* value) {
    *value = 0;
    PlayerPick candidates;
    int32_t best = 0;
    for (int i = 0; i < kSquadListSize; ++i) {
        const uint16_t player = list[i];
        if (!IsPlayerNumber(player)) continue;
        const int32_t v = ValuePlayer(player);
        if (v < best) continue;
        if (v > best) {
            candidates.Clear();
            best = v;
        }
        candidates.Add(player);
    }
    if (candidates.count == 0) {
        for (int i = 0; i < kSquadListSize; ++i) candidates.Add(list[i]);
    } else if (candidates.count == 1) {
        *value = best;
        return candidates.players[0];
    }
    // Every player at least as valuable as all before him stays.
    PlayerPick second;
    int32_t best2 = 0;
    for (uint16_t player : candidates.View()) {
        if (!IsPlayerNumber(player)) continue;
        const int32_t w = ValuePlayerFull(player);
        if (w >= best2) {
            best2 = w;
            second.Add(player);
        }
    }
    *value = best2;
    if (second.count == 1) return second.players[0];
    uint16_t result = 0;
    int64_t bestProduct = 0;
    for (uint16_t player : second.View()) {
        const int32_t product = int32_t(uint32_t(GetPlayerStat(player, kPassingStat, 0)) *
                                        uint32_t(GetPlayerStat(player, kShootingStat, 0)) *
                                        uint32_t(GetPlayerStat(player, kTacklingStat, 0)) *
                                        uint32_t(GetPlayerStat(player, kPaceStat, 0)));
        if (result == 0 || product >= bestProduct) {
            result = player;
            bestProduct = product;
        }
    }
    return result;
}

uint16_t HVW_GetClubMostValuablePlayer(int16_t club, int32_t* value) {
    HVW_BuildSquadList(club);
    return HVW_PickMostValuablePlayer(FirstTeamList.players, value);
}

namespace {

struct StarFigures {
    int16_t performance, goals, assists, keeperGoals;
    bool operator==(const StarFigures&) const = default;
};

StarFigures FiguresOf(uint16_t player) {
    const bool keeper = HVW_GetPositionType(player) == kGoalkeeper;
    const int16_t goals = int16_t(GetPlayerGoals(player));
    return StarFigures{int16_t(GetPlayerPerf(player)), keeper ? int16_t(0) : goals,
                       int16_t(GetPlayerAssists(player)), keeper ? goals : int16_t(0)};
}

// The club's fixtures before today other than reserve-league ones.
int CountClubFixturesBeforeToday(int16_t club) {
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (int(FixtureDay(slot)) < SeasonCalendar.currentDay && FixtureType(slot) != kCompReserveLeague &&
            IsFixtureOfClub(slot, club)) {
            ++count;
        }
    }
    return count;
}

uint16_t ChooseStarPlayer(int16_t club) {
    const int fixtures = CountClubFixturesBeforeToday(club);
    PlayerPick pick;
    for (uint16_t player : SelectedTeam()) {
        if (IsPlayerNumber(player) && GetPlayerApps(player) > fixtures * 60 / 100) pick.Add(player);
    }
    KeepBest(pick, [](uint16_t p) { return int(GetPlayerPerf(p)); });
    if (pick.count == 1) return pick.players[0];
    KeepBest(pick, [](uint16_t p) { return int(GetPlayerGoals(p)); });
    if (pick.count == 1) return pick.players[0];
    KeepBest(pick, [](uint16_t p) { return int(GetPlayerAssists(p)); });
    if (pick.count == 1) return pick.players[0];
    for (uint16_t player : pick.View()) {
        if (HVW_GetPositionType(player) != kGoalkeeper) return player;
    }
    HVW_BuildSquadList(club);
    int32_t value = 0;
    return HVW_PickMostValuablePlayer(FirstTeamList.players, &value);
}

}  // namespace

void HVW_GetClubStarPlayerFigures(int16_t club, int16_t* performance, int16_t* goals, int16_t* assists,
                                  int16_t* keeperGoals) {
    *performance = *goals = *assists = *keeperGoals = 0;
    HVW_BuildSquadList(club);
    const uint16_t star = ChooseStarPlayer(club);
    if (star == 0) return;
    const StarFigures f = FiguresOf(star);
    *performance = f.performance;
    *goals = f.goals;
    *assists = f.assists;
    *keeperGoals = f.keeperGoals;
}

uint16_t HVW_GetClubStarPlayer(int16_t club) {
    StarFigures wanted{};
    HVW_GetClubStarPlayerFigures(club, &wanted.performance, &wanted.goals, &wanted.assists,
                                 &wanted.keeperGoals);
    uint16_t matching[kSquadListSize] = {};
    int count = 0;
    for (uint16_t player : SelectedTeam()) {
        if (IsPlayerNumber(player) && FiguresOf(player) == wanted) matching[count++] = player;
    }
    if (count == 0) return 0;
    if (count == 1) return matching[0];
    int32_t value = 0;
    return HVW_PickMostValuablePlayer(matching, &value);
}

int16_t HVW_AreClubsInSameDivision(int16_t a, int16_t b) {
    return GetClubNation(a) == GetClubNation(b) &&
                   HVW_FindClubInDivisionRows(a) == HVW_FindClubInDivisionRows(b)
               ? 1
               : 0;
}

int16_t HVW_GetSquadListClub() {
    for (uint16_t player : SelectedTeam()) {
        if (!IsPlayerNumber(player)) return -1;
        const uint16_t club = GetPlayerClub(player);
        if (club == GetPlayerLoanClub(player)) return int16_t(club);
    }
    return -1;
}

int16_t HVW_GetMatchRatingRow(int16_t club) {
    if (!IsClubNumber(club)) return -1;
    // The row is the club's index among the clubs of its own country that
    // share its division row (HVW_GetClubDivisionIndex).  Counting the
    // clubs of every country, as a plain reading of the rule would, puts
    // nearly every club of a country after the first beyond its
    // division's size, so that its players could never have a recent
    // mark.
    const int row = HVW_GetClubDivisionIndex(club);
    if (row < 0) return -1;
    const int country = GetClubNation(club);
    const int division = HVW_FindClubInDivisionRows(club);
    const int viewed = HVW_GetViewedCountry();
    if (row > int(DivisionLayout[country][division].clubs) || !IsCountryNumber(viewed) ||
        row >= int(DivisionLayout[viewed][division].clubs) || row >= kMatchRatingRows) {
        return -1;
    }
    return int16_t(row);
}

int16_t HVW_GetPlayerRecentRating(uint16_t player, int16_t club) {
    const int row = HVW_GetMatchRatingRow(club);
    if (row < 0) return 0;
    const int today = SeasonCalendar.currentDay;
    int sum = 0;
    int count = 0;
    const MatchRatingRecord* records = MatchRatingTable[row];
    for (int r = 0; r < kMatchRatingRecords; ++r) {
        const int16_t slot = int16_t(recbits::LoadU16(records[r].bytes));
        if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) continue;
        const int day = FixtureDay(slot);
        if (day < today - 7 || day > today) continue;
        // A fixture counts once: by the first record that names it.
        bool seen = false;
        for (int q = 0; q < r && !seen; ++q) seen = recbits::LoadU16(records[q].bytes) == uint16_t(slot);
        if (seen) continue;
        for (int k = 0; k < kMatchRatingEntries; ++k) {
            const uint8_t* entry = records[r].bytes + 2 + k * kMatchRatingEntrySize;
            if (recbits::LoadU16(entry) == player) {
                sum += entry[2];
                ++count;
            }
        }
    }
    return count > 0 ? int16_t(int16_t(sum) / int16_t(count)) : int16_t(0);
}
