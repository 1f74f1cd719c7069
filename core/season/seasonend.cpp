#include "core/season/seasonend.h"

#include <algorithm>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/query/people.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/competitions.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/postponements.h"
#include "core/season/soak.h"

const int16_t PromotionCount[kCountryCount][kDivisionCount] = {
    {0, 2, 2, 3, 1, 0}, {0, 1, 2, 2, 0, 0}, {0, 4, 1, 1, 0, 0}, {0, 3, 2, 2, 0, 0}, {0, 0, 0, 0, 0, 0},
    {0, 1, 0, 0, 0, 0}, {0, 3, 3, 0, 0, 0}, {0, 3, 0, 0, 0, 0}, {0, 2, 0, 0, 0, 0},
};
const int16_t RelegationCount[kCountryCount][kDivisionCount] = {
    {3, 3, 4, 2, 0, 0}, {1, 2, 2, 0, 0, 0}, {4, 4, 0, 0, 0, 0}, {3, 4, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0},
    {2, 0, 0, 0, 0, 0}, {3, 3, 0, 0, 0, 0}, {3, 0, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0},
};
const PlayOffEntry PlayOffEntryTable[kCountryCount][kDivisionCount] = {
    {{0, 0}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {0, 0}},
    {},
    {{0, 0}, {0, 0}, {4, 4}, {4, 4}, {0, 0}, {0, 0}},
    {},
    {},
    {{0, 0}, {4, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
    {},
    {},
    {},
};
const int16_t PlayOffFinalOffset[kCountryCount][kDivisionCount] = {
    {0, 2, 1, 0, -1, 0},
};

int16_t* PlayOffSlots(int country, int division) { return PlayOffEntrants[country][division]; }

int16_t GetPlacesRecordWord(int country, int word) {
    return int16_t(recbits::LoadU16(EuropeanPlaceRecords + country * kPlacesRecordSize + 2 * word));
}

void SetPlacesRecordWord(int country, int word, int16_t club) {
    recbits::StoreU16(EuropeanPlaceRecords + country * kPlacesRecordSize + 2 * word, uint16_t(club));
}

static_assert(sizeof EuropeanPlaceRecords == kCountryCount * kPlacesRecordSize);
static_assert(kPlacesRecordSize == 2 * (kPlacesReasonWords + kDivisionCount * kPlayOffEntries));

namespace {

constexpr int kSemiFinalsAfter = 14;
constexpr int kSecondLegsAfter = 17;
constexpr int kFinalAfterFinalsDay = 11;
constexpr int kTwoLegs = 0;
constexpr int kSingleMatches = 2;
constexpr int16_t kClubReleaseLoss = 2;
constexpr int16_t kReleaseFansLoss = 10;
constexpr int kMaxStat = 63;
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;

// Honour words of this season's row for the season-closing match.
constexpr int kChampionWord = 14, kRunnerUpWord = 15, kCupWinnerWord = 0;

void Post(int16_t type, int16_t club, uint32_t player = kNoPlayer, int16_t text = -1) {
    AddMessage(club, -1, player, kNoPlayer, -1, -1, -1, text, -1, -1, -1, type, 1, 0);
}

int16_t TableClub(int country, int division, int place) {
    if (place < 0 || place >= kLeagueRowClubs) return -1;
    const int16_t club = LeagueTable[country][division][place];
    return IsClubNumber(club) ? club : int16_t(-1);
}

int DivisionClubs(int country, int division) {
    return std::min<int>(DivisionLayout[country][division].clubs, kLeagueRowClubs);
}

void MoveClub(int16_t club, int division, int16_t historyKind) {
    SetClubDivision(club, int16_t(division));
    AddClubHistoryEntry(0, club, 0, uint16_t(division), historyKind);
}

// Where a promoted club goes: most go up one division; a few places of a
// few countries skip one.
int PromotionTarget(int country, int division, int place) {
    if (country == 2 && division == 3 && place == 0) return division - 2;
    if (country == 6 && division == 4) return division - 2;
    if (country == 3 && division == 3 && place <= 1) return division - 2;
    return division - 1;
}

int RelegationTarget(int country, int division, int place) {
    if (country == 2 && division == 1 && (place == 17 || place == 19)) return division + 2;
    if (country == 3 && division == 1 && (place == 15 || place == 17)) return division + 2;
    return division + 1;
}

void AwardTitles(int country, int division) {
    const int16_t champion = TableClub(country, division, 0);
    const int16_t runnerUp = TableClub(country, division, 1);
    int16_t championKind = int16_t(division + 1), runnerUpKind = int16_t(division + 5);
    if (division == 4) championKind = 28, runnerUpKind = 29;
    if (division == 5) championKind = 30, runnerUpKind = 31;
    if (champion >= 0) {
        AwardCupWinner(champion, championKind);
        Post(division == 0 ? kMsgChampions : kMsgTopOfDivision, champion);
    }
    if (runnerUp >= 0) AwardCupWinner(runnerUp, runnerUpKind);
}

void Promote(int country, int division) {
    if (division == 0) return;
    const int count = PromotionCount[country][division];
    for (int place = 0; place < count; ++place) {
        const int16_t club = TableClub(country, division, place);
        if (club < 0) continue;
        MoveClub(club, PromotionTarget(country, division, place), kClubHistoryPromoted);
        GiveSquadReward(club, 1);
        if (place > 0) Post(kMsgPromoted, club);
    }
}

void Relegate(int country, int division) {
    const int clubs = DivisionClubs(country, division);
    for (int place = std::max(0, clubs - RelegationCount[country][division]); place < clubs; ++place) {
        const int16_t club = TableClub(country, division, place);
        // The champion never moves, however few clubs a division holds.
        if (club < 0 || place == 0) continue;
        MoveClub(club, RelegationTarget(country, division, place), kClubHistoryRelegated);
        GiveSquadReward(club, 1);
        Post(kMsgRelegated, club);
        ApplyRelegationReleaseClauses(club);
    }
}

// The entrants of a division's play-offs: the clubs of the division above
// placed just clear of its relegation places, then the clubs of the
// division placed just below its promotion places.
void CollectPlayOffEntrants(int country, int division) {
    const PlayOffEntry& entry = PlayOffEntryTable[country][division];
    if (entry.entrants == 0 || division == 0) return;
    int16_t* slots = PlayOffSlots(country, division);
    int next = 0;
    const int above = division - 1;
    const int fromAbove = entry.entrants - entry.fromThisDivision;
    const int firstAbove = DivisionClubs(country, above) - RelegationCount[country][above] - fromAbove;
    for (int i = 0; i < fromAbove && next < kPlayOffEntries; ++i)
        slots[next++] = TableClub(country, above, firstAbove + i);
    const int firstHere = PromotionCount[country][division];
    for (int i = 0; i < entry.fromThisDivision && next < kPlayOffEntries; ++i)
        slots[next++] = TableClub(country, division, firstHere + i);
    for (int i = 0; i < kPlayOffEntries; ++i) {
        if (IsClubNumber(slots[i])) Post(kMsgPlayOffEntrant, slots[i]);
    }
}

void AddPair(int day, int16_t type, int16_t home, int16_t away, int16_t neutral) {
    if (IsClubNumber(home) && IsClubNumber(away)) AddFixture(int16_t(day), type, home, away, neutral);
}

void AddSemiFinals(int country, int division, int endDay) {
    if (PlayOffEntryTable[country][division].entrants != kPlayOffEntries) return;
    const int16_t* s = PlayOffSlots(country, division);
    for (int i = 0; i < kPlayOffEntries; ++i)
        SetPlacesRecordWord(country, PlayOffRuleWord(division, i), s[i]);
    const int first = endDay + kSemiFinalsAfter;
    switch (PlayOffStyle[country][division]) {
        case kTwoLegs:
            AddPair(first, kCompPlayOffFirst, s[3], s[0], 0);
            AddPair(first, kCompPlayOffFirst, s[2], s[1], 0);
            AddPair(endDay + kSecondLegsAfter, kCompPlayOffSecond, s[0], s[3], 0);
            AddPair(endDay + kSecondLegsAfter, kCompPlayOffSecond, s[1], s[2], 0);
            break;
        case kSingleMatches:
            AddPair(first, kCompPlayOffFirst, s[0], s[2], 0);
            AddPair(first, kCompPlayOffFirst, s[1], s[3], 0);
            break;
        default:
            AddPair(first, kCompPlayOffFinal, s[0], s[1], 1);
            break;
    }
}

int16_t HonourOfThisSeason(int country, int word) {
    const int16_t club = HonoursTable[country][0].words[word];
    return IsClubNumber(club) ? club : int16_t(-1);
}

// Country 3 closes its season with its champion against its cup winner (the
// runner-up when the champion won the cup too).
void AddSeasonCloser(int country, int endDay) {
    const int16_t home = HonourOfThisSeason(country, kChampionWord);
    int16_t away = HonourOfThisSeason(country, kCupWinnerWord);
    if (away == home) away = HonourOfThisSeason(country, kRunnerUpWord);
    if (home < 0 || away < 0 || home == away) return;
    const int16_t day = int16_t(endDay + kSemiFinalsAfter);
    ClearClashOnDay(away, day);
    // The home club's fixture of that day moves too: it would otherwise
    // play two matches on one day.
    ClearClashOnDay(home, day);
    AddFixture(day, kCompChampionVsCupWinner, home, away, 1);
}

}  // namespace

void GiveSquadReward(int16_t club, int16_t amount) {
    if (!IsClubNumber(club) || amount <= 0) return;
    for (uint16_t p = 1; IsPlayerNumber(p); ++p) {
        if (GetPlayerClub(p) != uint16_t(club) || GetPlayerShirt(p) == 0) continue;
        int experience = GetPlayerExperience(p) + GameRandom() % amount + 1;
        if (GetPlayerCaptain(p) != 0) experience += GameRandom() % amount + 1;
        SetPlayerExperience(p, int16_t(std::min(experience, kMaxStat)));
    }
    const uint16_t manager = FindClubManager(club);
    if (manager != kNoManager && IsPlayerNumber(manager))
        SetPlayerReputation(manager, int16_t(std::min(GetPlayerReputation(manager) + 2 * amount, kMaxStat)));
}

void ApplyRelegationReleaseClauses(int16_t club) {
    if (!IsClubNumber(club)) return;
    // A league club keeps a reputation of 1 at least: 0 would drop it out
    // of every league list.
    if (IsCountryInPlay(GetClubNation(club)))
        SetClubRep(club, int16_t(std::max(1, int(GetClubRep(club)) - kClubReleaseLoss)));
    for (uint16_t p = 1; IsPlayerNumber(p); ++p) {
        if (GetPlayerLoanClub(p) != uint16_t(club) || GetPlayerHalvorn(p) != 0 ||
            GetPlayerPosition(p) == 13 || GetPlayerClause2(p) == 0)
            continue;
        Post(kMsgReleaseClause, club, p, PositionTypeText(HVW_GetPositionType(p)));
        SetPlayerTxReq(p, 1);
        SetPlayerTxList(p, 1);
        SetPlayerFans(p, int16_t(std::max(0, int(GetPlayerFans(p)) - kReleaseFansLoss)));
        SetPlayerSaleStatus(p, 0);
        SetPlayerMorale(p, 0);
    }
}

void LeagueSeasonEnd(int16_t country) {
    if (!IsCountryNumber(country)) {
        DebugLog(DEBUG_GENERAL, 0, "LeagueSeasonEnd(): Warning: no country %d\n", int(country));
        return;
    }
    for (int d = 0; d < kDivisionCount; ++d) {
        for (int i = 0; i < kPlayOffEntries; ++i) {
            SetPlacesRecordWord(country, PlayOffRuleWord(d, i), int16_t(kNoLeagueClub));
            PlayOffEntrants[country][d][i] = int16_t(kNoLeagueClub);
        }
    }
    for (int d = 0; d < kDivisionCount; ++d) {
        if (DivisionLayout[country][d].clubs == 0) continue;
        AwardTitles(country, d);
        Promote(country, d);
    }
    for (int d = 0; d < kDivisionCount; ++d) {
        if (DivisionLayout[country][d].clubs != 0) Relegate(country, d);
    }
    for (int d = 1; d < kDivisionCount; ++d) {
        if (DivisionLayout[country][d].clubs != 0 && DivisionLayout[country][d - 1].clubs != 0)
            CollectPlayOffEntrants(country, d);
    }
    const int endDay = SeasonCalendar.leagueEndDay[country];
    for (int d = 1; d < kDivisionCount; ++d) AddSemiFinals(country, d, endDay);
    if (country == 3) AddSeasonCloser(country, endDay);
}

void AddPlayOffFinals(int16_t country) {
    if (!IsCountryNumber(country)) {
        DebugLog(DEBUG_GENERAL, 0, "AddPlayOffFinals(): Warning: no country %d\n", int(country));
        return;
    }
    for (int d = 0; d < kDivisionCount; ++d) {
        if (PlayOffEntryTable[country][d].entrants != kPlayOffEntries) continue;
        const int16_t* slots = PlayOffSlots(country, d);
        int16_t finalists[2];
        int found = 0;
        for (int i = 0; i < kPlayOffEntries && found < 2; ++i) {
            if (IsClubNumber(slots[i])) finalists[found++] = slots[i];
        }
        if (found < 2) {
            DebugLog(DEBUG_GENERAL, 1,
                     "AddPlayOffFinals(): Warning: country %d division %d has %d clubs left, no final\n",
                     int(country), d, found);
            continue;
        }
        const int day = SeasonCalendar.currentDay + kFinalAfterFinalsDay + PlayOffFinalOffset[country][d];
        AddFixture(int16_t(day), kCompPlayOffFinal, finalists[0], finalists[1], 1);
    }
}

// ---- Division sizes for the next season ------------------------------------------------

namespace {

struct Candidate {
    int16_t club;
    int key;  // smaller goes first
};

// The place a club took in the division's final table, or -1.
int PlaceIn(int country, int division, int16_t club) {
    for (int place = 0; place < kLeagueRowClubs; ++place) {
        if (LeagueTable[country][division][place] == club) return place;
    }
    return -1;
}

std::vector<int16_t> ClubsOfDivision(int country, int division) {
    std::vector<int16_t> clubs;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(country) &&
            GetClubDivision(club) == uint16_t(division))
            clubs.push_back(club);
    }
    return clubs;
}

bool IsLeagueDivision(int country, int division) {
    return IsDivisionNumber(division) && DivisionLayout[country][division].clubs != 0;
}

void Ordered(std::vector<Candidate>& candidates) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.key < b.key; });
}

// The clubs of an overfull division that go down: those that played the
// season in it, lowest place first; clubs that have just arrived stay.
int SendDown(int country, int division, int excess) {
    std::vector<Candidate> candidates;
    for (int16_t club : ClubsOfDivision(country, division)) {
        const int place = PlaceIn(country, division, club);
        candidates.push_back({club, place >= 0 ? -place : kLeagueRowClubs + GetClubRep(club)});
    }
    Ordered(candidates);
    int moved = 0;
    for (const Candidate& c : candidates) {
        if (moved == excess) break;
        MoveClub(c.club, division + 1, kClubHistoryRelegated);
        Post(kMsgRelegated, c.club);
        DebugLog(DEBUG_GENERAL, 0, "RestoreDivisionSizes(): country %d division %d full, club %d down\n",
                 country, division, c.club);
        ++SeasonEvents.corrections[country];
        ++moved;
    }
    return moved;
}

// The clubs that fill a short division: the best-placed of the division
// below (non-league clubs by reputation under the last division).
int BringUp(int country, int division, int shortBy) {
    std::vector<Candidate> candidates;
    const int below = division + 1;
    if (IsLeagueDivision(country, below)) {
        for (int16_t club : ClubsOfDivision(country, below)) {
            const int place = PlaceIn(country, below, club);
            candidates.push_back({club, place >= 0 ? place : kLeagueRowClubs + 63 - GetClubRep(club)});
        }
    } else {
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(country) &&
                !IsLeagueDivision(country, GetClubDivision(club)))
                candidates.push_back({club, 63 - GetClubRep(club)});
        }
    }
    Ordered(candidates);
    int moved = 0;
    for (const Candidate& c : candidates) {
        if (moved == shortBy) break;
        MoveClub(c.club, division, kClubHistoryPromoted);
        Post(kMsgPromoted, c.club);
        DebugLog(DEBUG_GENERAL, 0, "RestoreDivisionSizes(): country %d division %d short, club %d up\n",
                 country, division, c.club);
        ++SeasonEvents.corrections[country];
        ++moved;
    }
    return moved;
}

}  // namespace

int RestoreDivisionSizes() {
    int moved = 0;
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        for (int division = 0; division < kDivisionCount; ++division) {
            if (!IsLeagueDivision(country, division)) continue;
            const int count = int(ClubsOfDivision(country, division).size());
            const int wanted = DivisionClubs(country, division);
            if (count > wanted) moved += SendDown(country, division, count - wanted);
            if (count < wanted) moved += BringUp(country, division, wanted - count);
        }
    }
    return moved;
}
