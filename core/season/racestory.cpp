#include "core/season/racestory.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/seasonend.h"

int16_t RaceZones[kRacePlaces];
int32_t ZoneCounters[kRaceZoneCount];
uint32_t RaceFlags[2];

// Every division plays on goal difference and three points for a win.
#define RACE_RULE \
    { 0, 3, 5 }
#define RACE_DIVISIONS \
    { RACE_RULE, RACE_RULE, RACE_RULE, RACE_RULE, RACE_RULE, RACE_RULE }
const int8_t DivisionRaceRules[kCountryCount][kDivisionCount][3] = {
    RACE_DIVISIONS, RACE_DIVISIONS, RACE_DIVISIONS, RACE_DIVISIONS, RACE_DIVISIONS,
    RACE_DIVISIONS, RACE_DIVISIONS, RACE_DIVISIONS, RACE_DIVISIONS,
};
#undef RACE_DIVISIONS
#undef RACE_RULE

namespace {

constexpr int kResults = 3;  // defeat, draw, win
constexpr int kSureBit = 2, kReachBit = 5;
constexpr int kZoneCounterMask = 3;

// The flag byte of a zone: its word and shift; zone 5 has none.
bool ZoneByte(int zone, int* word, int* shift) {
    if (zone >= kZoneChampion && zone <= kZoneEuropeC) {
        *word = 0, *shift = 8 * zone;
        return true;
    }
    if (zone == kZonePlayOff || zone == kZoneRelegation) {
        *word = 1, *shift = zone == kZonePlayOff ? 0 : 8;
        return true;
    }
    return false;
}

uint8_t ZoneFlags(int zone) {
    int word = 0, shift = 0;
    if (!ZoneByte(zone, &word, &shift)) return 0;
    return uint8_t(RaceFlags[word] >> shift);
}

void SetZoneFlags(int zone, uint8_t value) {
    int word = 0, shift = 0;
    if (!ZoneByte(zone, &word, &shift)) return;
    RaceFlags[word] = (RaceFlags[word] & ~(0xFFu << shift)) | uint32_t(value) << shift;
}

int ZoneCounter(int zone) { return ZoneFlags(zone) & kZoneCounterMask; }

void RaiseZoneCounter(int zone) {
    const uint8_t flags = ZoneFlags(zone);
    const int counter = std::min(kZoneCounterMask, (flags & kZoneCounterMask) + 1);
    SetZoneFlags(zone, uint8_t((flags & ~kZoneCounterMask) | counter));
}

void SetZoneBit(int zone, int bit) { SetZoneFlags(zone, uint8_t(ZoneFlags(zone) | 1u << bit)); }
bool ZoneBit(int zone, int bit) { return (ZoneFlags(zone) >> bit & 1) != 0; }

// 0 defeat, 1 draw, 2 win, by the points the result stands for.
int ResultIndex(int16_t resultPoints) { return resultPoints == 0 ? 0 : resultPoints == 1 ? 1 : 2; }

// The five bits a selector tries: sure with a draw, sure with a win, can
// reach with a defeat, a draw, a win.
int Selector(int zone, int firstCode) {
    static constexpr int kBits[5] = {kSureBit + 1, kSureBit + 2, kReachBit, kReachBit + 1, kReachBit + 2};
    for (int i = 0; i < 5; ++i) {
        if (ZoneBit(zone, kBits[i])) return firstCode + i;
    }
    return -1;
}

int TitleSelector() { return Selector(kZoneChampion, 8); }
int EuropeSelector() { return Selector(kZoneEuropeA, 13); }
int PromotionSelector() { return Selector(kZonePromotion, 18); }

bool Better(const RaceRow& a, const RaceRow& b, int rule) {
    if (a.points != b.points) return a.points > b.points;
    switch (rule) {
        case 0:
        case 3:
            if (a.goalDifference != b.goalDifference) return a.goalDifference > b.goalDifference;
            return a.goals > b.goals;
        case 1:
            if (a.goals != b.goals) return a.goals > b.goals;
            return a.goalDifference > b.goalDifference;
        default:
            return false;
    }
}

// The exchange sort of the table: for each place, each later row that is
// strictly better changes places with it.
void ExchangeSort(RaceRow* table, int count, int rule) {
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (Better(table[j], table[i], rule)) std::swap(table[i], table[j]);
        }
    }
}

int PlaceOf(const RaceRow* table, int count, int16_t club) {
    for (int i = 0; i < count; ++i) {
        if (table[i].club == club) return i;
    }
    return -1;
}

bool ClubInRow(int16_t club, int16_t nation, int16_t row) {
    return IsClubNumber(club) && GetClubNation(club) == uint16_t(nation) &&
           HVW_FindClubInDivisionRows(club) == row;
}

int ClampedClubCount(int16_t nation, int16_t row) {
    return std::clamp<int>(HVW_GetCompRoundWord(row, nation), 0, kRacePlaces);
}

bool RowExists(int16_t nation, int16_t row) {
    return nation >= 0 && nation < kCountryCount && row >= 0 && row < HVW_CountCompRounds2(nation);
}

// Fills zone from place `at` for `count` places, never past the division.
int FillZone(int at, int count, int clubs, int16_t zone) {
    for (int i = 0; i < count && at < clubs; ++i) RaceZones[at++] = zone;
    return at;
}

// The table of the division with the most points each club can still
// reach; the count of rows (an empty place ends the table).
int BuildRaceTable(RaceRow* table, int16_t nation, int16_t row, int clubs, int gamesPerClub, int winPoints) {
    int count = 0;
    for (int i = 0; i < clubs; ++i) {
        const int16_t club = HVW_GetLeagueTableClub(nation, row, int16_t(i));
        if (!IsClubNumber(club)) break;
        int16_t hw, hd, hl, hf, ha, aw, ad, al, af, aa;
        HVW_GetClubSeasonHomeRecord(club, &hw, &hd, &hl, &hf, &ha);
        HVW_GetClubSeasonAwayRecord(club, &aw, &ad, &al, &af, &aa);
        RaceRow& r = table[count++];
        r.club = club;
        r.played = int16_t(hw + hd + hl + aw + ad + al);
        r.goals = int16_t(hf + af);
        r.goalDifference = int16_t(r.goals - ha - aa);
        r.points = int16_t((hw + aw + gamesPerClub - r.played) * winPoints + hd + ad);
    }
    return count;
}

struct RaceSetUp {
    int16_t club, opponent, nation, row, day, rule, games, win;
    int clubs;
    int place;
    std::array<RaceRow, kRacePlaces> table;
    std::array<RaceScenario, kMostRaceScenarios> scenarios;
    int scenarioCount;
};

// The other remaining fixtures between clubs that can still pass or be
// passed by the club: the window of places and the fixtures inside it.
void CollectScenarios(RaceSetUp& s, int16_t clubMaximum, int16_t clubNow) {
    int above = 0, below = 0;
    for (int i = 0; i < s.place; ++i) {
        if (s.table[i].points <= clubMaximum) ++above;
    }
    for (int i = s.place + 1; i < s.clubs; ++i) {
        const RaceRow& r = s.table[i];
        if ((s.games - r.played) * s.win + r.points >= clubNow) ++below;
    }
    const int first = std::max(0, s.place - above), last = std::min(s.clubs - 1, s.place + below);
    s.scenarioCount = 0;
    for (int slot = 0; slot < kFixtureSlots && s.scenarioCount < kMostRaceScenarios; ++slot) {
        if (IsFixtureEmpty(slot)) break;
        if (FixtureDay(slot) < s.day || FixtureType(slot) != kCompLeague || IsFixtureOfClub(slot, s.club))
            continue;
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (!ClubInRow(home, s.nation, s.row)) continue;
        const int homePlace = PlaceOf(s.table.data(), s.clubs, home);
        const int awayPlace = PlaceOf(s.table.data(), s.clubs, away);
        if (homePlace < first || homePlace > last || awayPlace < first || awayPlace > last) continue;
        s.scenarios[s.scenarioCount++] =
            RaceScenario{int16_t(slot), int16_t(homePlace), int16_t(awayPlace), 0};
    }
}

// One pass: every combination of the scenarios' results applied to a
// fresh copy of the table, the zones counted over all of them.
int32_t RunPass(RaceSetUp& s, int16_t clubPoints, int16_t opponentPoints) {
    std::fill(std::begin(ZoneCounters), std::end(ZoneCounters), 0);
    int combinations = 1;
    for (int i = 0; i < s.scenarioCount; ++i) combinations *= kResults;
    std::array<RaceScenario, kMostRaceScenarios> scenarios = s.scenarios;
    for (int k = 0; k < combinations; ++k) {
        int digits = k;
        for (int i = 0; i < s.scenarioCount; ++i) {
            scenarios[i].result = int16_t(digits % kResults);
            digits /= kResults;
        }
        std::array<RaceRow, kRacePlaces> table = s.table;
        ApplyRaceScenario(table.data(), int16_t(s.place), clubPoints, s.opponent, opponentPoints,
                          scenarios.data(), int16_t(s.scenarioCount), s.nation, s.row, int16_t(s.clubs),
                          s.rule, s.day, s.games, s.win);
        CountRaceZones(s.club, table.data(), s.nation, s.row, int16_t(s.clubs), s.rule);
    }
    int32_t sum = 0;
    for (int32_t c : ZoneCounters) sum += c;
    return sum;
}

}  // namespace

void SetDivisionZones(int16_t nation, int16_t row) {
    std::fill(std::begin(RaceZones), std::end(RaceZones), int16_t(-1));
    if (!RowExists(nation, row)) return;
    const int clubs = ClampedClubCount(nation, row);
    FillZone(0, clubs, clubs, kZoneNothing);
    int at = 0;
    const int promoted = PromotionCount[nation][row];
    at =
        promoted == 0 ? FillZone(at, 1, clubs, kZoneChampion) : FillZone(at, promoted, clubs, kZonePromotion);
    if (row == 0) {
        at = FillZone(at, EuropeanPlacesA(nation) - 1, clubs, kZoneEuropeA);
        at = FillZone(at, EuropeanPlacesC(nation), clubs, kZoneEuropeC);
    }
    // The division's own play-off places (the rest of the entrants come
    // from the division above).
    const int playOff = PlayOffEntryTable[nation][row].fromThisDivision;
    if (playOff > 0) at = FillZone(at, playOff, clubs, kZonePlayOff);
    const int relegated = std::min<int>(RelegationCount[nation][row], clubs);
    FillZone(clubs - relegated, relegated, clubs, kZoneRelegation);
}

void BuildHeadToHeadTable(RaceRow* tied, int16_t nation, int16_t row, int16_t count, int16_t day) {
    for (int i = 0; i < count; ++i) tied[i].points = tied[i].goals = tied[i].goalDifference = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && FixtureDay(slot) < day; ++slot) {
        if (FixtureType(slot) != kCompLeague || !IsFixturePlayed(slot)) continue;
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (!ClubInRow(home, nation, row)) continue;
        const int h = PlaceOf(tied, count, home), a = PlaceOf(tied, count, away);
        if (h < 0 || a < 0) continue;
        const uint32_t score = FixtureScore(slot);
        const int homeGoals = int(score & kFixtureGoalsMask), awayGoals = int(score >> 5 & kFixtureGoalsMask);
        if (homeGoals == awayGoals) {
            ++tied[h].points, ++tied[a].points;
        } else {
            tied[homeGoals > awayGoals ? h : a].points += 3;
        }
        tied[h].goals += homeGoals, tied[a].goals += awayGoals;
        tied[h].goalDifference += homeGoals - awayGoals;
        tied[a].goalDifference += awayGoals - homeGoals;
    }
    ExchangeSort(tied, count, 0);
}

void SortRaceTable(RaceRow* table, int16_t nation, int16_t row, int16_t clubCount, int16_t rule,
                   int16_t day) {
    const int count = std::clamp<int>(clubCount, 0, kRacePlaces);
    ExchangeSort(table, count, rule);
    bool headToHead = rule == 2;
    if (rule == 3) {
        const int games = HVW_GetDivisionGamesPerTeam(nation, row);
        headToHead =
            std::all_of(table, table + count, [games](const RaceRow& r) { return r.played >= games; });
    }
    if (!headToHead) return;
    for (int i = 0; i < count;) {
        int end = i + 1;
        while (end < count && table[end].points == table[i].points) ++end;
        if (end - i >= 2) {
            std::array<RaceRow, kRacePlaces> tied{};
            std::copy(table + i, table + end, tied.begin());
            BuildHeadToHeadTable(tied.data(), nation, row, int16_t(end - i), day);
            // The run takes the meetings' order, each row keeping its own figures.
            std::array<RaceRow, kRacePlaces> ordered{};
            for (int k = 0; k < end - i; ++k)
                ordered[k] = table[i + PlaceOf(table + i, end - i, tied[k].club)];
            std::copy(ordered.begin(), ordered.begin() + (end - i), table + i);
        }
        i = end;
    }
}

namespace {

// The points of one combination added to the rows, which keep their
// order: ApplyRaceScenario then sorts them.
void ProjectRacePoints(RaceRow* table, int16_t clubPlace, int16_t clubPoints, int16_t opponent,
                       int16_t opponentPoints, const RaceScenario* scenarios, int16_t count,
                       int16_t clubCount, int16_t gamesPerClub, int16_t winPoints) {
    const int clubs = std::clamp<int>(clubCount, 0, kRacePlaces);
    int added[kRacePlaces] = {};
    int counted[kRacePlaces] = {};
    for (int k = 0; k < count; ++k) {
        const RaceScenario& s = scenarios[k];
        if (s.homePlace >= 0 && s.homePlace < clubs) {
            added[s.homePlace] += s.result == 0 ? winPoints : s.result == 2 ? 1 : 0;
            ++counted[s.homePlace];
        }
        if (s.awayPlace >= 0 && s.awayPlace < clubs) {
            added[s.awayPlace] += s.result == 1 ? winPoints : s.result == 2 ? 1 : 0;
            ++counted[s.awayPlace];
        }
    }
    for (int i = 0; i < clubs; ++i) {
        RaceRow& r = table[i];
        if (i == clubPlace) {
            r.points = int16_t(r.points + clubPoints);
            continue;
        }
        if (r.club == opponent) added[i] += opponentPoints, ++counted[i];
        // Below the club every game not otherwise settled is won.
        if (i > clubPlace) added[i] += std::max(0, gamesPerClub - counted[i] - r.played) * winPoints;
        r.points = int16_t(r.points + added[i]);
    }
}

}  // namespace

void ApplyRaceScenario(RaceRow* table, int16_t clubPlace, int16_t clubPoints, int16_t opponent,
                       int16_t opponentPoints, const RaceScenario* scenarios, int16_t count, int16_t nation,
                       int16_t row, int16_t clubCount, int16_t rule, int16_t day, int16_t gamesPerClub,
                       int16_t winPoints) {
    ProjectRacePoints(table, clubPlace, clubPoints, opponent, opponentPoints, scenarios, count, clubCount,
                      gamesPerClub, winPoints);
    SortRaceTable(table, nation, row, clubCount, rule, day);
}

void CountRaceZones(int16_t club, const RaceRow* table, int16_t, int16_t, int16_t clubCount, int16_t) {
    const int clubs = std::clamp<int>(clubCount, 0, kRacePlaces);
    const int j = PlaceOf(table, clubs, club);
    if (j < 0) return;
    auto count = [](int place) {
        const int zone = RaceZones[place];
        if (zone >= 0 && zone < kRaceZoneCount) ++ZoneCounters[zone];
    };
    count(j);
    for (int i = j - 1; i >= 0 && table[i].points == table[j].points; --i) count(i);
    for (int i = j + 1; i < clubs && table[i].points >= table[j].points; ++i) count(i);
}

int16_t MarkZonesSure(int32_t counterSum, int16_t resultPoints) {
    const int bit = kSureBit + ResultIndex(resultPoints);
    int16_t marked = 0;
    for (int zone = kZoneChampion; zone <= kZonePlayOff; ++zone) {
        const bool sure = zone <= kZoneEuropeA ? counterSum == ZoneCounters[zone] : ZoneCounters[zone] > 0;
        if (!sure) continue;
        RaiseZoneCounter(zone);
        SetZoneBit(zone, bit);
        ++marked;
    }
    if (counterSum == ZoneCounters[kZoneRelegation]) {
        RaiseZoneCounter(kZoneRelegation);
        ++marked;
    } else if (ZoneCounters[kZoneRelegation] == 0) {
        SetZoneBit(kZoneRelegation, bit);
        ++marked;
    }
    return marked;
}

int16_t MarkZonesReachable(int32_t counterSum, int16_t resultPoints) {
    const int bit = kReachBit + ResultIndex(resultPoints);
    int16_t marked = 0;
    for (int zone = kZoneChampion; zone <= kZonePlayOff; ++zone) {
        if (ZoneCounters[zone] <= 0) continue;
        SetZoneBit(zone, bit);
        ++marked;
    }
    if (counterSum != ZoneCounters[kZoneRelegation]) {
        SetZoneBit(kZoneRelegation, bit);
        ++marked;
    }
    return marked;
}

int8_t GetRaceStoryCode() {
    auto orElse = [](int code, int fallback) { return int8_t(code >= 0 ? code : fallback); };
    if (RaceFlags[1] & kRaceTooManyFlag) return 7;
    if (ZoneCounter(kZoneChampion) == 3) return 0;
    if (ZoneCounter(kZonePromotion) == 3) return orElse(TitleSelector(), 1);
    if (ZoneCounter(kZoneEuropeA) == 3) return orElse(TitleSelector(), 2);
    if (ZoneCounter(kZoneEuropeC) == 3) return orElse(TitleSelector(), orElse(EuropeSelector(), 3));
    if (ZoneCounter(kZonePlayOff) == 3) return orElse(TitleSelector(), orElse(PromotionSelector(), 4));
    if (ZoneCounter(kZoneRelegation) == 3) return 6;
    auto partly = [](int zone) {
        const int c = ZoneCounter(zone);
        return c == 1 || c == 2;
    };
    if (partly(kZonePromotion)) return int8_t(PromotionSelector());
    if (partly(kZoneChampion)) return int8_t(TitleSelector());
    if (partly(kZoneEuropeA)) return int8_t(EuropeSelector());
    if (partly(kZoneEuropeC)) {
        if (ZoneBit(kZoneEuropeC, kReachBit + 1)) return 23;
        if (ZoneBit(kZoneEuropeC, kReachBit + 2)) return 24;
        for (int i = 0; i < kResults; ++i) {
            if (ZoneBit(kZoneEuropeA, kReachBit + i)) return int8_t(25 + i);
        }
        return -1;
    }
    if (partly(kZonePlayOff)) {
        const int code = Selector(kZonePlayOff, 28);
        return int8_t(code);
    }
    if (ZoneCounter(kZoneRelegation) == 0) return 5;
    const int code = Selector(kZoneRelegation, 33);
    return int8_t(code >= 0 ? code : 35);
}

int8_t GetDivisionRaceStoryCode(int16_t club, int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || !IsClubNumber(club) || IsFixtureEmpty(slot)) return -1;
    RaceSetUp s{};
    s.club = club;
    s.nation = int16_t(GetClubNation(club));
    s.row = HVW_FindClubInDivisionRows(club);
    if (!RowExists(s.nation, s.row) || !IsFixtureOfClub(slot, club) || FixtureType(slot) != kCompLeague)
        return -1;
    s.opponent = FixtureHome(slot) == club ? FixtureAway(slot) : FixtureHome(slot);
    s.day = int16_t(FixtureDay(slot));

    SetDivisionZones(s.nation, s.row);
    s.games = HVW_GetDivisionGamesPerTeam(s.nation, s.row);
    s.rule = DivisionRaceRules[s.nation][s.row][kRaceRuleTieBreak];
    s.win = DivisionRaceRules[s.nation][s.row][kRaceRuleWinPoints];
    s.clubs =
        BuildRaceTable(s.table.data(), s.nation, s.row, ClampedClubCount(s.nation, s.row), s.games, s.win);
    SortRaceTable(s.table.data(), s.nation, s.row, int16_t(s.clubs), s.rule, s.day);
    s.place = PlaceOf(s.table.data(), s.clubs, club);
    if (s.place < 0) return -1;

    const int16_t maximum = s.table[s.place].points;
    for (int i = 0; i < s.clubs; ++i) {
        RaceRow& r = s.table[i];
        r.points = int16_t(r.points - std::max(0, s.games - r.played) * s.win);
    }
    const int16_t now = s.table[s.place].points;
    const int16_t remaining = int16_t(maximum - now);
    CollectScenarios(s, maximum, now);

    RaceFlags[0] = 0;
    RaceFlags[1] &= ~(0xFFFFu | kRaceTooManyFlag);
    if (s.scenarioCount >= kMostRaceScenarios) {
        RaceFlags[1] |= kRaceTooManyFlag;
        return GetRaceStoryCode();
    }
    const int16_t clubGain[kResults] = {0, 1, s.win};
    const int16_t opponentGain[kResults] = {s.win, 1, 0};
    const int16_t bestCase[kResults] = {int16_t(remaining - s.win), int16_t(remaining - s.win + 1),
                                        remaining};
    for (int r = 0; r < kResults; ++r) MarkZonesSure(RunPass(s, clubGain[r], opponentGain[r]), clubGain[r]);
    for (int r = 0; r < kResults; ++r)
        MarkZonesReachable(RunPass(s, bestCase[r], opponentGain[r]), clubGain[r]);
    return GetRaceStoryCode();
}
