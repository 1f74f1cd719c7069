// League places, standing classes, form, honours readers, record holders
// and the merges of a match into the club season blocks.
#include "core/query/leagueplaces.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/match/matchresult.h"
#include "core/query/layerstate.h"
#include "core/query/queryhelpers.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

using recbits::BitField;
using recbits::LoadU16;
using recbits::ReadField;

namespace {

// Division clubs of a country's division; 0 outside the table.
int ClubsIn(int country, int division) {
    if (!IsCountryNumber(country) || !IsDivisionNumber(division)) {
        return 0;
    }
    return DivisionLayout[country][division].clubs;
}

// Index of the club among the first n places of the row; -1 when absent.
int FindInRow(int country, int division, int n, int16_t club) {
    if (ClubsIn(country, division) == 0) return -1;
    n = std::min(n, kLeagueRowClubs);
    for (int i = 0; i < n; ++i) {
        if (LeagueTable[country][division][i] == club) return i;
    }
    return -1;
}

// Row 0..5 of the country's table holding the club; -1 when absent.
int FindRow(int16_t club) {
    if (!IsClubNumber(club)) return -1;
    int country = GetClubNation(club);
    if (!IsCountryNumber(country)) return -1;
    for (int row = 0; row < kDivisionCount; ++row) {
        for (int16_t entry : LeagueTable[country][row]) {
            if (entry == club) return row;
        }
    }
    return -1;
}

char g_league_place[36];
char g_form[6];

constexpr int16_t kStandingClassText[8] = {1671, 1699, 1698, 1697, 1673, 1672, 1696, 1695};

constexpr int16_t kCompTextTable[24] = {1550, 1551, 1552, 1553, 1691, 1692, 1693, 1694, 3366, 68,  3377, 68,
                                        3355, 68,   3344, 68,   3702, 188,  3692, 188,  3722, 188, 3712, 188};

// Honours row words: 13 columns of two words, then the award arrays.
constexpr int kHonoursColumns = 13;
constexpr int kLastClubColumn = 6;
constexpr int kAward24Club = 27, kAward24Player = 33, kAward25Player = 39, kAward25Club = 45,
              kAward27Player = 51, kAward27Club = 57, kAward26Player = 63, kAward26Club = 69,
              kAward26Goals = 75;

const int16_t* HonoursRowOf(int16_t row, int16_t country) { return HonoursTable[country][row].words; }

int16_t Award(int16_t row, int16_t country, int base, int16_t division) {
    return HonoursRowOf(row, country)[base + division];
}

// Club record fields read by the record holders.
constexpr int kText = 4000;  // club n's name is text 4000 + n
constexpr BitField kBuyFee{18, 0, 26}, kBuySeason{28, 17, 7};
constexpr int kBuyPlayer = 26;
constexpr BitField kCrowd{32, 0, 17}, kCrowdSeason{38, 5, 7};
constexpr int kGoalsPlayer = 36;
constexpr BitField kGoals{38, 16, 7}, kGoalsSeason{38, 23, 7};
constexpr BitField kWinFor{42, 0, 5}, kWinAgainst{42, 5, 5}, kWinSeason{46, 0, 7};
constexpr BitField kPointsSeason{189, 4, 7}, kPoints{189, 11, 8}, kGoalsTotalSeason{189, 19, 7};
constexpr BitField kGoalsTotal{193, 0, 8}, kDispointsSeason{193, 8, 7}, kDispoints{193, 15, 8};

uint32_t Field(int club, BitField f) { return ReadField(ClubRecords[club].bytes, f); }

// The first club with the largest value of the key over the clubs.
template <typename Key>
int KeepLargest(Key key) {
    int kept = 0;
    auto best = key(0);
    for (int club = 1; club < kClubCount; ++club) {
        auto value = key(club);
        if (value > best) {
            best = value;
            kept = club;
        }
    }
    return kept;
}

// A country record: the viewed country's club with the largest field,
// starting from 0; club 0 when none is above 0.
int16_t CountryRecord(BitField value, BitField season, int16_t* seasonOut, int16_t* clubText) {
    const int country = HVW_GetViewedCountry();
    int kept = 0;
    uint32_t best = 0;
    for (int club = 0; club < kClubCount; ++club) {
        if (GetClubNation(int16_t(club)) != country) continue;
        uint32_t v = Field(club, value);
        if (v > best) {
            best = v;
            kept = club;
        }
    }
    *seasonOut = int16_t(Field(kept, season));
    *clubText = int16_t(kText + kept);
    return int16_t(kept);
}

}  // namespace

int16_t HVW_FindClubInDivisionRows(int16_t club) {
    int row = FindRow(club);
    return int16_t(row < 0 ? 0 : row);
}

int16_t HVW_GetClubTablePosition(int16_t club) {
    if (FindRow(club) < 0) return 0;
    return LeagueSeasonRecords[club].words[kSeasonPlace];
}

int16_t HVW_GetLeaguePlace(int16_t club) {
    int country = GetClubNation(club);
    int division = GetClubDivision(club);
    int place = FindInRow(country, division, ClubsIn(country, division), club);
    if (place < 0) FatalError("in funcs HVW_GetLeaguePlace Cant find Division for Team");
    return int16_t(place);
}

const char* HVW_GetLeaguePosTextForTeam(int16_t club, int16_t division) {
    int country = GetClubNation(club);
    int place = FindInRow(country, division, ClubsIn(country, division), club);
    if (place < 0) {
        AbortError("funcs", 2052, "in HVW_GetLeaguePosTextForTeam() can't find team in that division");
    }
    std::snprintf(g_league_place, sizeof g_league_place, "%s", CoreOrdinalText(place + 1));
    return g_league_place;
}

int16_t HVW_GetLeagueTableClub(int16_t country, int16_t row, int16_t place) {
    return LeagueTable[country][row][place];
}

void HVW_GetClubSeasonTotals(int16_t club, int16_t* played, int16_t* points, int16_t* place) {
    const int16_t* w = LeagueSeasonRecords[club].words;
    *played = w[kSeasonPlayed];
    *points = w[kSeasonPoints];
    *place = int16_t(w[kSeasonPlace] + 1);
}

void HVW_GetClubSeasonHomeRecord(int16_t club, int16_t* won, int16_t* drawn, int16_t* lost, int16_t* goalsFor,
                                 int16_t* goalsAgainst) {
    const int16_t* w = LeagueSeasonRecords[club].words;
    *won = w[kSeasonHomeWon], *drawn = w[kSeasonHomeDrawn], *lost = w[kSeasonHomeLost];
    *goalsFor = w[kSeasonHomeFor], *goalsAgainst = w[kSeasonHomeAgainst];
}

void HVW_GetClubSeasonAwayRecord(int16_t club, int16_t* won, int16_t* drawn, int16_t* lost, int16_t* goalsFor,
                                 int16_t* goalsAgainst) {
    const int16_t* w = LeagueSeasonRecords[club].words;
    *won = w[kSeasonAwayWon], *drawn = w[kSeasonAwayDrawn], *lost = w[kSeasonAwayLost];
    *goalsFor = w[kSeasonAwayFor], *goalsAgainst = w[kSeasonAwayAgainst];
}

// The base Rep is the place the club is expected to reach.
int16_t HVW_GetClubStandingClass(int16_t club) {
    int p = GetClubBaseRep(club);
    int division = GetClubDivision(club);
    int n = ClubsIn(GetClubNation(club), division);
    if (p < 5) return division == 0 ? 7 : 5;
    if (p < 8) return division == 0 ? 6 : 4;
    if (p < n / 2) return 3;
    if (p < n / 2 + 5) return 2;
    if (p < n - 4) return 1;
    return 0;
}

int16_t HVW_GetStandingClassText(int16_t standingClass) {
    if (standingClass < 0 || standingClass > 7) return -1;
    return kStandingClassText[standingClass];
}

const char* HVW_GetClubFormString(int16_t club) {
    funcs_detail::FormString(club, 0, g_form);
    return g_form;
}

int16_t HVW_GetCompRoundWord(int16_t division, int16_t country) {
    return int16_t(ClubsIn(country, division));
}

int16_t HVW_CountCompRounds(int16_t country) {
    int16_t count = 0;
    while (count < kDivisionCount && ClubsIn(country, count) != 0) ++count;
    return count;
}

int16_t HVW_CountCompRounds2(int16_t country) { return HVW_CountCompRounds(country); }

int16_t HVW_GetCupIndex(int16_t competition) {
    if (competition < kCompFirstNationalCup || competition > kCompLastCup) return -2;
    return int16_t((competition - kCompFirstNationalCup) / kCodesPerCup);
}

int16_t HVW_GetCupIndexForText(int16_t competition) {
    int16_t cup = HVW_GetCupIndex(competition);
    return cup == 5 ? int16_t(6) : cup;
}

int16_t HVW_GetCupRoundIndex(int16_t competition) {
    if (competition < kCompFirstNationalCup || competition > kCompLastCup) return -2;
    return int16_t((competition - kCompFirstNationalCup) % kSecondMatchCodes);
}

int16_t HVW_GetCompTextIdByIndex(int16_t n) {
    if (n < 0 || n >= int16_t(std::size(kCompTextTable))) return -1;
    return kCompTextTable[n];
}

int16_t HVW_GetHonoursEntry(int16_t row, int16_t column, int16_t* second, int16_t country) {
    *second = -1;
    if (column < 0 || column >= kHonoursColumns) return -1;
    const int16_t* words = HonoursRowOf(row, country);
    int16_t first = words[2 * column], other = words[2 * column + 1];
    bool empty = column <= kLastClubColumn ? other == -1 : first == -1;
    if (empty) return -1;
    *second = other;
    return first;
}

int16_t HVW_IsHonoursColumnClub(int16_t club, int16_t column, int16_t row, int16_t country) {
    if (column < 0 || column > kLastClubColumn) return 0;
    return HonoursRowOf(row, country)[2 * column] == club ? 1 : 0;
}

int16_t HVW_GetHonoursPair1(int16_t row, int16_t division, int16_t* club, int16_t country) {
    *club = Award(row, country, kAward27Club, division);
    return Award(row, country, kAward27Player, division);
}

int16_t HVW_GetHonoursPair2(int16_t row, int16_t division, int16_t* club, int16_t country) {
    *club = Award(row, country, kAward25Club, division);
    return Award(row, country, kAward25Player, division);
}

int16_t HVW_GetHonoursPair3(int16_t row, int16_t division, int16_t* club, int16_t country) {
    *club = Award(row, country, kAward24Club, division);
    return Award(row, country, kAward24Player, division);
}

int16_t HVW_GetHonoursTriple(int16_t row, int16_t division, int16_t* club, int16_t* goals, int16_t country) {
    *club = Award(row, country, kAward26Club, division);
    *goals = Award(row, country, kAward26Goals, division);
    return Award(row, country, kAward26Player, division);
}

int16_t HVW_FindRecordGoalsClub(int16_t* season, int16_t* player) {
    int kept = KeepLargest([](int club) { return Field(club, kGoals); });
    *season = int16_t(Field(kept, kGoalsSeason));
    *player = int16_t(LoadU16(ClubRecords[kept].bytes + kGoalsPlayer));
    return int16_t(kept);
}

int16_t HVW_FindRecordCrowdClub(int16_t* season, int16_t* clubText) {
    int kept = KeepLargest([](int club) { return Field(club, kCrowd); });
    *season = int16_t(Field(kept, kCrowdSeason));
    *clubText = int16_t(kText + GetClubRecordBook(int16_t(kept)).crowdTag);
    return int16_t(kept);
}

// The widest margin; equal margins go to more goals scored.
int16_t HVW_FindRecordWinClub(int16_t* opponentText, int16_t* season) {
    int kept = KeepLargest([](int club) {
        int goalsFor = int(Field(club, kWinFor));
        int margin = goalsFor - int(Field(club, kWinAgainst));
        return margin * 64 + goalsFor;
    });
    *opponentText = int16_t(kText + GetClubRecordBook(int16_t(kept)).winTag);
    *season = int16_t(Field(kept, kWinSeason));
    return int16_t(kept);
}

int32_t HVW_FindRecordBuyClub(int16_t* player, int16_t* clubText, int16_t* sellerText, int16_t* season) {
    int kept = KeepLargest([](int club) { return Field(club, kBuyFee); });
    if (Field(kept, kBuyFee) == 0) {
        *player = *clubText = *sellerText = *season = -1;
        return INT32_MIN;
    }
    *player = int16_t(LoadU16(ClubRecords[kept].bytes + kBuyPlayer));
    *clubText = int16_t(kText + kept);
    *sellerText = int16_t(kText + GetClubRecordBook(int16_t(kept)).signingTag);
    *season = int16_t(Field(kept, kBuySeason));
    return GetClubRecordBuy(int16_t(kept));
}

int16_t HVW_FindCountryRecordA(int16_t* season, int16_t* clubText) {
    return CountryRecord(kPoints, kPointsSeason, season, clubText);
}
// The goals record compares and gives the goals themselves, not the season
// stamped beside them: read through the stamp, the records screen would
// name the club of the latest season as the holder and show a year as the
// number of goals.
int16_t HVW_FindCountryRecordB(int16_t* season, int16_t* clubText) {
    return CountryRecord(kGoalsTotal, kGoalsTotalSeason, season, clubText);
}
int16_t HVW_FindCountryRecordC(int16_t* season, int16_t* clubText) {
    return CountryRecord(kDispoints, kDispointsSeason, season, clubText);
}
int16_t HVW_GetCountryRecordA(int16_t club) { return int16_t(GetClubRecordPointsTotal(club)); }
// The goals themselves, as for HVW_FindCountryRecordB.
int16_t HVW_GetCountryRecordB(int16_t club) { return int16_t(GetClubRecordGoalsTotal(club)); }
int16_t HVW_GetCountryRecordC(int16_t club) { return int16_t(GetClubRecordDispoints(club)); }

// ---------------------------------------------------------------------------
// Merges of a match into the club season blocks

namespace {

constexpr int kCounterWords = kClubSeasonCounters / 2;  // ten words a block

}  // namespace

// A counter stops at its top value rather than wrapping round to a small
// count.
void HVW_AddMatchCounters(ClubRecord* club, const TeamMatchReport* report, int16_t block) {
    uint8_t* counters = club->bytes + kClubSeasonCountersOffset + 2 * kCounterWords * block;
    for (int i = 0; i < kCounterWords; ++i) {
        uint32_t sum = uint32_t(LoadU16(counters + 2 * i)) + LoadU16(report->bytes + kReportCounters + 2 * i);
        recbits::StoreU16(counters + 2 * i, uint16_t(std::min<uint32_t>(sum, 0xFFFF)));
    }
}

void HVW_AppendMatchPairs(ClubRecord* club, const TeamMatchReport* report) {
    uint8_t* pairs = club->bytes + kClubSeasonPairsOffset;
    int at = 0;
    while (at < kClubSeasonPairs && pairs[2 * at] != 255) ++at;
    for (int i = 0; i < kReportPairs && at < kClubSeasonPairs; ++i, ++at) {
        const uint8_t* pair = report->bytes + kReportPairList + 2 * i;
        if (int8_t(pair[1]) <= 0) break;
        pairs[2 * at] = pair[0];
        pairs[2 * at + 1] = pair[1];
    }
}

namespace {

// Copies the report's goal entries into one half of the entries from the
// first free one: the word, the byte, the packed fourth byte and the eighth.
void AppendHalves(uint8_t* entries, int first, const TeamMatchReport* report, int half) {
    int count = std::clamp<int>(LoadU16(report->bytes + kReportGoalCount), 0, kReportGoalEntries);
    for (int i = 0; i < count && first + i < kClubSeasonEntries; ++i) {
        const uint8_t* from = report->bytes + kReportGoalList + kReportGoalEntrySize * i;
        uint8_t* to = entries + kClubSeasonEntrySize * (first + i) + 8 * half;
        std::memcpy(to, from, 3);
        to[3] = from[3];
        to[7] = from[7];
    }
}

}  // namespace

void HVW_AppendMatchEntries(ClubRecord* club, const TeamMatchReport* report, int16_t team,
                            const MatchResultBlock* match) {
    uint8_t* entries = club->bytes + kClubSeasonEntriesOffset;
    int first = 0;
    while (first < kClubSeasonEntries && LoadU16(entries + kClubSeasonEntrySize * first) != 0xFFFF) {
        ++first;
    }
    AppendHalves(entries, first, report, 0);
    AppendHalves(entries, first, &match->teams[team == 0 ? 1 : 0], 1);
}
