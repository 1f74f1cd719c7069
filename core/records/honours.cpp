#include "core/records/honours.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/clubseason.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/reportfacts.h"
#include "core/season/seasonend.h"

using namespace recbits;

HonoursRow HonoursTable[9][kHonoursRows];
PlayerSeasonStats PlayerSeasonStatSlots[kPlayerSeasonStatSlots];

namespace {

constexpr int kDivisions = 6;
constexpr uint32_t kNoPlayer32 = 0xFFFFFFFFu;
constexpr int16_t kHonourSquadReward = 1;
constexpr int kSeasonHistoryOffset = 207;
constexpr int kSeasonHistoryBlock = 188;
constexpr int kSeasonHistoryBlocks = 10;
constexpr int kCoachBytes = 12;

// First word of each award's columns in a row.
struct AwardColumns {
    int16_t award;
    int player;
    int club;
};
constexpr AwardColumns kAwardColumns[] = {
    {kAwardManager, 33, 27},
    {kAwardPlayer, 39, 45},
    {kAwardYoungPlayer, 51, 57},
    {kAwardTopScorer, 63, 69},
};
constexpr int kGoalsColumn = 75;

const AwardColumns* ColumnsOf(int16_t award) {
    for (const AwardColumns& c : kAwardColumns) {
        if (c.award == award) return &c;
    }
    return nullptr;
}

bool IsClubWord(int word) {
    if (word < kHonourClubWords) return true;
    for (const AwardColumns& c : kAwardColumns) {
        if (word >= c.club && word < c.club + kDivisions) return true;
    }
    return false;
}

void EmptyRow(HonoursRow& row) {
    for (int w = 0; w < 81; ++w) row.words[w] = IsClubWord(w) ? int16_t(-1) : int16_t(0);
}

// The country whose row records a club: its own when below 9 and in play,
// else country 0.
int RecordingCountry(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    const int nation = GetClubNation(club);
    return IsCountryInPlay(nation) ? nation : 0;
}

// Honour code -> row-0 word, reputation bonus, club history, message type.
struct HonourCode {
    int16_t code;
    int16_t word;
    int16_t bonus;
    bool history;
    int16_t message;  // -1 none
};
constexpr HonourCode kHonourCodes[] = {
    {9, 0, 3, true, kMsgHonourCup},
    {10, 1, 2, false, -1},
    {11, 2, 2, true, kMsgHonourLeagueCup},
    {12, 3, 1, false, -1},
    {13, 4, 1, true, kMsgHonourCupSuccess},
    {14, 5, 0, false, -1},
    {15, 6, 0, true, kMsgHonourTrophy},
    {16, 7, 0, false, -1},
    {17, 8, 0, true, kMsgHonourContinental},
    {18, 9, 2, false, -1},
    {19, 10, 0, true, kMsgHonourContinentalCup},
    {20, 11, 0, false, -1},
    {21, 12, 5, true, kMsgHonourContinentalTrophy},
    {22, 13, 3, false, -1},
    {1, 14, 3, false, -1},
    {5, 15, 2, false, -1},
    {2, 16, 2, false, -1},
    {6, 17, 1, false, -1},
    {3, 18, 2, true, -1},
    {7, 19, 1, false, -1},
    {4, 20, 2, true, -1},
    {8, 21, 1, false, -1},
    {28, 22, 1, true, -1},
    {29, 23, 0, false, -1},
    {30, 24, 1, true, -1},
    {31, 25, 0, false, -1},
    {23, 26, 0, true, kMsgHonourChampionsMatch},
    {24, -1, 0, false, -1},
    {25, -1, 0, false, -1},
    {26, -1, 0, false, -1},
    {27, -1, 0, false, -1},
};

const HonourCode* FindHonourCode(int16_t code) {
    for (const HonourCode& h : kHonourCodes) {
        if (h.code == code) return &h;
    }
    return nullptr;
}

void PostAwardMessage(int16_t club, uint16_t player, int16_t type, int16_t division, int16_t country) {
    AddMessage(club, -1, player, kNoPlayer32, division, country, -1, -1, -1, -1, -1, type, 1, 0);
}

// A player award candidate: his club is of the country and stands in the
// division's row of its league table.
bool PlaysIn(uint16_t player, int16_t division, int16_t country) {
    const uint16_t club = GetPlayerClub(player);
    if (!IsClubNumber(club)) return false;
    return GetClubNation(int16_t(club)) == uint16_t(country) &&
           HVW_FindClubInDivisionRows(int16_t(club)) == division;
}

enum class PlayerAwardKind { kTopScorer, kPlayer, kYoungPlayer };

// Scans the players for the best strictly positive key; the earlier of
// equal candidates is kept.
uint16_t BestPlayer(PlayerAwardKind kind, int16_t division, int16_t country) {
    uint16_t best = 0;
    int best_key = 0;
    for (uint16_t p = 1; p < PlayerCount && p < kMaxPlayers; ++p) {
        if (!PlaysIn(p, division, country)) continue;
        const uint16_t position = GetPlayerPosition(p);
        if (position == 13) continue;
        int key = 0;
        switch (kind) {
            case PlayerAwardKind::kTopScorer:
                if (position == 0) continue;
                key = GetPlayerGoals(p);
                break;
            case PlayerAwardKind::kPlayer:
                if (GetPlayerApps(p) <= 30) continue;
                key = GetPlayerPerf(p);
                break;
            case PlayerAwardKind::kYoungPlayer:
                if (GetPlayerApps(p) <= 10 || GetPlayerAge(p) >= 8) continue;
                key = GetPlayerPerf(p);
                break;
        }
        if (key > best_key) {
            best_key = key;
            best = p;
        }
    }
    return best;
}

void PlayerAward(PlayerAwardKind kind, int16_t award, int16_t type, int16_t division, int16_t country) {
    const uint16_t winner = BestPlayer(kind, division, country);
    if (winner == 0) return;
    PostAwardMessage(int16_t(GetPlayerClub(winner)), winner, type, division, country);
    RecordPlayerAward(winner, award, division);
}

// The managers of the clubs of the division's table row, without the
// clubs that have none or a caretaker; the best strictly positive score.
template <typename Score>
uint16_t BestManager(int16_t division, int16_t country, Score score, int16_t* club_out) {
    uint16_t best = 0;
    int best_key = 0;
    *club_out = -1;
    if (!IsCountryInPlay(country) || division < 0 || division >= kDivisions) return 0;
    for (int16_t club : LeagueTable[country][division]) {
        if (!IsClubNumber(club)) continue;
        const uint16_t manager = FindClubManager(club);
        if (manager == 2 || GetPlayerCaretaker(manager) != 0) continue;
        const int key = score(club);
        if (key > best_key) {
            best_key = key;
            best = manager;
            *club_out = club;
        }
    }
    return best;
}

uint8_t* ClubBytes(int16_t club) { return GetClubRecordAddress(club)->bytes; }

}  // namespace

int HonoursAwardPlayerWord(int16_t award, int16_t division) {
    const AwardColumns* c = ColumnsOf(award);
    return c == nullptr || division < 0 || division >= kDivisions ? -1 : c->player + division;
}
int HonoursAwardClubWord(int16_t award, int16_t division) {
    const AwardColumns* c = ColumnsOf(award);
    return c == nullptr || division < 0 || division >= kDivisions ? -1 : c->club + division;
}
int HonoursAwardGoalsWord(int16_t division) {
    return division < 0 || division >= kDivisions ? -1 : kGoalsColumn + division;
}

void ShiftHonoursTables() {
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        std::memmove(&HonoursTable[country][1], &HonoursTable[country][0],
                     sizeof(HonoursRow) * (kHonoursRows - 1));
        EmptyRow(HonoursTable[country][0]);
    }
}

void RecordPlayerAward(uint16_t player, int16_t award, int16_t division) {
    const int player_word = HonoursAwardPlayerWord(award, division);
    if (!IsValidPlayer(player) || player_word < 0) return;
    SetPlayerReputation(player, int16_t(GetPlayerReputation(player) + 5));
    const uint16_t club = GetPlayerClub(player);
    const int country = RecordingCountry(int16_t(club));
    HonoursRow& row = HonoursTable[country][0];
    row.words[player_word] = int16_t(player);
    row.words[HonoursAwardClubWord(award, division)] = int16_t(club);
    if (award == kAwardTopScorer)
        row.words[HonoursAwardGoalsWord(division)] = int16_t(GetPlayerGoals(player));
    AddPlayerHistoryStats(player, int16_t(club), 0, award, 6, int16_t(country));
}

void AwardCupWinner(int16_t club, int16_t code) {
    const HonourCode* honour = FindHonourCode(code);
    if (honour == nullptr || !IsClubNumber(club)) return;
    const int country = RecordingCountry(club);
    if (honour->word >= 0) HonoursTable[country][0].words[honour->word] = club;
    const uint16_t manager = FindClubManager(club);
    if (honour->history) AddClubHistoryEntry(0, club, 0, uint16_t(code), kClubHistoryCupWon);
    if (honour->message >= 0) {
        AddMessage(club, -1, manager, kNoPlayer32, -1, -1, -1, -1, -1, -1, -1, honour->message, 1, 0);
    }
    // Player 2 stands for "no manager": nobody to reward.
    if (manager != 2) {
        AddPlayerHistoryStats(manager, club, 0, code, 7, int16_t(country));
        SetPlayerFans(manager, int16_t(GetPlayerFans(manager) + GameRandom() % 8 + 1));
    }
    if (GetClubNation(club) == uint16_t(country)) SetClubRep(club, int16_t(GetClubRep(club) + honour->bonus));
    // The squad shares in the honour as in a promotion.
    GiveSquadReward(club, kHonourSquadReward);
}

void AwardManagerOfSeason(int16_t division, int16_t country) {
    int16_t club = -1;
    const uint16_t manager = BestManager(
        division, country, [](int16_t c) { return BoardFormScore(c) + BoardScorePerformance(c); }, &club);
    if (manager == 0) return;
    PostAwardMessage(club, manager, kMsgManagerOfTheYear, division, country);
    RecordPlayerAward(manager, kAwardManager, division);
    AddClubHistoryEntry(manager, club, 0, 0, kClubHistoryManagerOfSeason);
}

void AwardManagerOfWeek(int16_t division, int16_t country) {
    int16_t club = -1;
    const uint16_t manager = BestManager(
        division, country, [](int16_t c) { return BoardFormScore(c); }, &club);
    if (manager == 0) return;
    PostAwardMessage(club, manager, kMsgManagerOfTheMonth, division, country);
    AddClubHistoryEntry(manager, club, 0, uint16_t(division), kClubHistoryManagerOfWeek);
}

void AwardPlayerOfSeason(int16_t division, int16_t country) {
    PlayerAward(PlayerAwardKind::kPlayer, kAwardPlayer, kMsgPlayerOfTheYear, division, country);
}
void AwardYoungPlayerOfSeason(int16_t division, int16_t country) {
    PlayerAward(PlayerAwardKind::kYoungPlayer, kAwardYoungPlayer, kMsgYoungPlayerOfTheYear, division,
                country);
}
void AwardTopScorer(int16_t division, int16_t country) {
    PlayerAward(PlayerAwardKind::kTopScorer, kAwardTopScorer, kMsgGoldenBoot, division, country);
}

void InitPlayerValueFields(uint16_t player) {
    constexpr int kGoalFactor[14] = {0, 5, 2, 8, 4, 9, 7, 11, 38, 24, 32, 40, 50, 0};
    if (!IsValidPlayer(player)) return;
    const int a = GetPlayerAge(player);
    const int q = GetPlayerStat27(player);
    const uint16_t position = GetPlayerPosition(player);
    const int f = position < 14 ? kGoalFactor[position] : 0;
    const int d = SeasonCalendar.currentDay;

    int apps = (d / 10) * q / 250;
    const int career = (a * 30 + apps) * q / 250;
    int perf = q / 2;
    if (q > 2) perf += GameRandom() % (q / 2);
    if (perf < 45) perf = 45;
    int goals = (apps * f / 100) * q / 250;
    int career_goals = (career * f / 100) * q / 250;
    int discipline = (GetPlayerStat(player, kAggressionStat, 0) / 10) * apps / 50;
    if (apps == 0) goals = discipline = perf = 0;
    if (career == 0) career_goals = perf = 0;
    const int subs = apps != 0 ? GameRandom() % apps : 0;
    apps -= subs;

    SetPlayerAppsAsSub(player, int16_t(subs));
    SetPlayerApps(player, int16_t(apps));
    SetPlayerPerf(player, int16_t(perf));
    SetPlayerGoals(player, int16_t(goals));
    SetPlayerCareerApps(player, int16_t(career));
    SetPlayerCareerGoals(player, int16_t(career_goals));
    SetPlayerDispoints(player, int16_t(discipline));
    SetPlayerExperience(player, int16_t(a * 2 + career / 8));
    SetPlayerCareerAppsAsSub(player, int16_t(q * subs / 250 + 3 * subs));
    int awards = 0;
    for (int i = 0; i < apps; ++i) {
        if (GameRandom() % 750 < q) ++awards;
    }
    SetPlayerMoM(player, int16_t(awards));
}

void ResetPlayerSeasonStats(int16_t slot, uint16_t player) {
    if (slot < 0 || slot >= kPlayerSeasonStatSlots) return;
    std::memset(PlayerSeasonStatSlots[slot].bytes, 0, sizeof(PlayerSeasonStats));
    StoreU16(PlayerSeasonStatSlots[slot].bytes, player);
}

void ResetClubSeasonCounters(int16_t club) {
    if (!IsClubNumber(club)) return;
    std::memset(ClubBytes(club) + kClubSeasonCountersOffset, 0, 2 * kClubSeasonCounters);
}

void ResetClubSeasonEntries(int16_t club) {
    if (!IsClubNumber(club)) return;
    uint8_t* e = ClubBytes(club) + kClubSeasonEntriesOffset;
    for (int i = 0; i < kClubSeasonEntries; ++i, e += kClubSeasonEntrySize) {
        StoreU16(e, 0xFFFF);
        for (int b : {2, 7, 10, 15}) e[b] = 255;
        for (int b : {3, 11}) e[b] = uint8_t((e[b] & 0x80) | 0x7F);
    }
}

void ResetClubsForNewSeason() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        ResetClubSeasonEntries(club);
        std::memset(ClubBytes(club) + kClubSeasonPairsOffset, 255, 2 * kClubSeasonPairs);
        ResetClubSeasonCounters(club);
    }
    HVW_BuildSquadList(GetUserClub());
    for (int16_t slot = 0; slot < kPlayerSeasonStatSlots; ++slot) {
        ResetPlayerSeasonStats(slot, FirstTeamList.players[slot]);
    }
    HVW_ClearClubMarks();
    HVW_MarkAll9ByteRecords();
    // The match reports' event list starts the season empty.
    ClearReportEvents();
}

void RecordClubSeasonEnd(int16_t country) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubNation(club) != uint16_t(country) || GetClubRep(club) == 0) continue;
        const int16_t* record = LeagueSeasonRecords[club].words;
        if (record[kSeasonPoints] > int(GetClubRecordPointsTotal(club))) {
            SetClubRecordPointsTotal(club, record[kSeasonPoints]);
        }
        const int goals = record[kSeasonHomeFor] + record[kSeasonAwayFor];
        if (goals > int(GetClubRecordGoalsTotal(club))) SetClubRecordGoalsTotal(club, int16_t(goals));

        uint8_t* blocks = ClubBytes(club) + kSeasonHistoryOffset;
        std::memmove(blocks + kSeasonHistoryBlock, blocks, kSeasonHistoryBlock * (kSeasonHistoryBlocks - 1));
        std::memset(blocks, 0, kSeasonHistoryBlock);

        SetClubCoach(club, 0, GetClubLeaguePosition(club), 0);
        SetClubHistoryPoints(club, 0);
        SetClubHistoryPlayed(club, 0);
        SetClubHistoryWon(club, 0);
        SetClubHistoryDrawn(club, 0);
        SetClubHistoryGoalsFor(club, 0);
        SetClubHistoryGoalsAgainst(club, 0);
        SetClubHistoryValue(club, 0, uint32_t(GetClubAvgAttendanceField(club)));
        FillClubScorers(club, 0);
        FillClubCupRuns(club, 0);
    }
}

void InitHonoursForNewGame(const HonoursRow* shipped) {
    ResetClubsForNewSeason();
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        EmptyRow(HonoursTable[country][0]);
        if (shipped != nullptr) {
            std::memcpy(HonoursTable[country][0].words, shipped[country].words,
                        kHonourClubWords * sizeof(int16_t));
        }
    }
    ShiftHonoursTables();
    // Every row but last season's is emptied; last season keeps only the
    // clubs the shipped data names (its award columns are empty).
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        for (int row = 0; row < kHonoursRows; ++row) {
            if (row != 1) EmptyRow(HonoursTable[country][row]);
        }
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int16_t block = 0; block < kSeasonHistoryBlocks; ++block) {
            for (int16_t i = 0; i < kCoachBytes; ++i) SetClubCoach(club, block, 31, i);
        }
    }
    ResetClubsForNewSeason();
}
