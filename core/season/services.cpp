#include "core/season/services.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "core/club/squads.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/competitions.h"
#include "core/season/fixtures.h"

char FixtureCaption[2][kCaptionSize];
RunOnOptions RunOn;

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kJuly = 6, kAugust = 7;
constexpr int kSeasonFirstDay = 13;
constexpr int kDaysFrom13July = 18;
constexpr int16_t kRedraw = 7;
constexpr int kShortSquad = 16;
constexpr int kPositionTypes = 4;

int16_t CupIndexOf(int16_t comp) { return HVW_GetCupIndex(comp); }

}  // namespace

int16_t HVW_DateToDayNumber(int16_t day, int16_t month, int16_t year) {
    // February counts 28 days here: the 29th is never a date.
    if (month < 0 || month > 11 || day < 1 || day > kMonthDays[month]) return -1;
    int n;
    if (month == kJuly && day >= kSeasonFirstDay) {
        n = day - kSeasonFirstDay;
    } else {
        n = kDaysFrom13July;
        if (month >= 1 && month <= 5 && DaysInYear(year) == 366) ++n;
        for (int m = kAugust; m != month; m = (m + 1) % 12) n += kMonthDays[m];
        n += day;
    }
    int16_t backDay, backMonth, weekday;
    HVW_DayNumberToDate(int16_t(n), &backDay, &backMonth, &weekday, year);
    return backDay == day && backMonth == month + 1 ? int16_t(n) : int16_t(-2);
}

int16_t IsCalendarCompetition(int16_t comp) {
    if (comp < 0 || comp > kCompNationalTeam) return 0;
    if (comp < kCompFirstNationalCup || comp > kCompLastCup) return 1;
    return HVW_GetCupRoundCount(CupIndexOf(comp), HVW_GetViewedCountry()) != 0 ? 1 : 0;
}

int16_t GetCupFirstCode(int16_t cup) {
    constexpr int16_t kFirst[7] = {5, 21, 37, 53, 70, 86, 101};
    return cup >= 0 && cup < 7 ? kFirst[cup] : int16_t(-1);
}

int16_t FindNextCompetitionFixture(int16_t comp) {
    if (IsCalendarCompetition(comp) == 0) return -3;
    const int16_t cup = CupIndexOf(comp);
    if (cup == -2) return -2;
    const int today = SeasonCalendar.currentDay;
    bool cupHasFixtures = false, codeHasFixtures = false;
    int bestRound = 8, bestSlot = -1;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        const int16_t type = FixtureType(slot);
        if (IsFixtureEmpty(slot) || IsCalendarCompetition(type) == 0 || CupIndexOf(type) != cup) continue;
        cupHasFixtures = true;
        codeHasFixtures = codeHasFixtures || type == comp;
        const int round = HVW_GetCupRoundIndex(type);
        if (FixtureDay(slot) >= today && round < bestRound) {
            bestRound = round;
            bestSlot = slot;
        }
    }
    if (!cupHasFixtures) return -4;
    if (!codeHasFixtures) return -5;
    return bestSlot < 0 ? int16_t(-4) : int16_t(bestSlot);
}

int16_t FindNextCompetitionDay(int16_t comp) {
    const int16_t slot = FindNextCompetitionFixture(comp);
    return slot < 0 ? slot : int16_t(FixtureDay(slot));
}

const char* GetCompetitionCheckText(int16_t code) {
    static constexpr const char* kTexts[8] = {
        "No fixtures left in this competition",
        "No fixtures found for this competition",
        "Not a valid competition",
        "Not a cup competition",
        "Deficient squads",
        "Available",
        "Teams having no players of a specific type",
        "Squad size",
    };
    return code >= 0 && code < 8 ? kTexts[code] : "";
}

int64_t GetClubSeasonCosts(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    return int64_t(GetClubSeasonPlayerWages(club)) + GetClubSeasonSignings(club) +
           GetClubSeasonCoachingStaffWages(club);
}

int64_t GetClubSeasonIncome(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    return int64_t(GetClubSeasonGateReceipts(club)) + GetClubSeasonSales(club) +
           GetClubSeasonSponsorship(club) + GetClubSeasonTVIncome(club) + GetClubSeasonMerchandising(club);
}

namespace {

// The wages of the club's squad list: their sum and how many they are.
struct SquadWages {
    int64_t sum = 0;
    uint32_t count = 0;
};
SquadWages SumSquadWages(int16_t club) {
    SquadWages wages;
    if (!IsClubNumber(club)) return wages;
    HVW_BuildSquadList(club);
    for (int i = 0; i < kSquadListSize; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (!IsPlayerNumber(player)) continue;
        wages.sum += std::max<int32_t>(0, HVW_GetPlayerWage(player));
        ++wages.count;
    }
    return wages;
}

}  // namespace

int64_t GetClubWeeklyWageBill(int16_t club, uint32_t* average) {
    const SquadWages wages = SumSquadWages(club);
    if (average != nullptr) *average = wages.count == 0 ? 0 : uint32_t(wages.sum / wages.count);
    return wages.sum;
}

uint32_t GetSquadAverageWage(int16_t club, uint32_t* out) {
    if (out != nullptr) *out = 0;
    const SquadWages wages = SumSquadWages(club);
    return wages.count == 0 ? 0 : uint32_t(wages.sum) / wages.count;
}

int16_t CountSquadByPosition(int16_t club, SquadPositionCount* out) {
    SquadPositionCount counts[kPositionTypes] = {};
    if (!IsClubNumber(club)) {
        if (out != nullptr) std::copy(counts, counts + kPositionTypes, out);
        return 0;
    }
    HVW_BuildSquadList(club);
    int size = 0, unavailable = 0;
    for (int i = 0; i < kSquadListSize; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (!IsPlayerNumber(player)) continue;
        const int type = HVW_GetPositionType(player);
        if (type < 0 || type >= kPositionTypes) continue;
        ++size;
        SquadPositionCount& c = counts[type];
        ++c.total;
        if (GetPlayerSusp(player) != 0) {
            ++c.suspended;
            ++unavailable;
        } else if (HVW_GetPlayerIT(player) != 0) {
            ++c.unfit;
            ++unavailable;
        } else if (HVW_GetPlayerIntDuty(player) != 0) {
            ++c.nationalDuty;
            ++unavailable;
        }
    }
    if (out != nullptr) std::copy(counts, counts + kPositionTypes, out);
    bool emptyType = false;
    for (const SquadPositionCount& c : counts) emptyType = emptyType || c.total == 0;
    return size - unavailable < kShortSquad || emptyType ? 1 : 0;
}

int16_t IsMarkedNationCode(uint16_t code) {
    return code == 0 || code == 1 || code == 13 || code == 21 || code == 31 ? 1 : 0;
}

int16_t HasCompetitionRound(int16_t comp, int16_t round) {
    return HVW_GetCompRoundWord(round, comp) > 0 ? 1 : 0;
}

namespace {

// Writes the parts into a caption line, cut to its size.
void PutCaption(int line, std::string_view first, std::string_view separator = {},
                std::string_view second = {}) {
    std::string text(first);
    if (!second.empty()) text.append(separator).append(second);
    const size_t n = std::min(text.size(), size_t(kCaptionSize - 1));
    std::memcpy(FixtureCaption[line], text.data(), n);
    FixtureCaption[line][n] = '\0';
}

}  // namespace

void BuildFixtureCaption(int16_t fixture, int16_t lines) {
    FixtureCaption[0][0] = FixtureCaption[1][0] = '\0';
    if (fixture < 0 || fixture >= kFixtureSlots || IsFixtureEmpty(fixture)) return;
    const int16_t code = FixtureType(fixture);
    const int16_t home = FixtureHome(fixture);
    const int country =
        IsClubNumber(home) && IsCountryNumber(GetClubNation(home)) ? int(GetClubNation(home)) : 0;
    if (code == kCompLeague) {
        const int row = IsClubNumber(home) ? int(GetClubDivision(home)) : 0;
        if (row < kDivisionNames) PutCaption(0, CompetitionNames[country].division[row]);
        return;
    }
    int16_t roundText, legText;
    const int16_t nameText = HVW_GetCompRoundText(code, &roundText, &legText, int16_t(country));
    const std::string_view name = nameText >= 0 ? GetText(nameText) : "";
    if (roundText < 0) return PutCaption(0, name);
    std::string round = GetText(roundText);
    if (legText >= 0) round.append(" ").append(GetText(legText));
    if (lines > 1) {
        PutCaption(0, name);
        PutCaption(1, round);
    } else {
        PutCaption(0, name, " - ", round);
    }
}

int16_t RunOnClearViewedOnly() {
    RunOn.flags = uint8_t(RunOn.flags & ~2u);
    return kRedraw;
}
int16_t RunOnSetViewedOnly() {
    RunOn.flags = uint8_t(RunOn.flags | 2u);
    return kRedraw;
}
int16_t RunOnToggleSquadStop() {
    RunOn.flags = uint8_t(RunOn.flags ^ 4u);
    return kRedraw;
}
int16_t RunOnToggleMoneyStop() {
    RunOn.flags = uint8_t(RunOn.flags ^ 8u);
    return kRedraw;
}
int16_t RunOnToggleFirstOption() {
    RunOn.flags = uint8_t(RunOn.flags ^ 1u);
    return kRedraw;
}
int16_t RunOnSetChoice(int16_t choice) {
    if (choice >= 0 && choice <= 2) RunOn.choice = choice;
    return kRedraw;
}

namespace {

// The clubs the stop checks watch: with bit 2 only the viewed country's
// league clubs, else every club in the game.
bool Watched(int16_t club) {
    if (GetClubRep(club) == 0) return false;
    if ((RunOn.flags & 2u) == 0) return true;
    const int16_t country = HVW_GetViewedCountry();
    return GetClubNation(club) == uint16_t(country) &&
           int(GetClubDivision(club)) < HVW_CountCompRounds2(country);
}

}  // namespace

int16_t CheckRunOnStop() {
    if (RunOn.active == 0) return 0;
    if (RunOn.stopSeason == SeasonCalendar.season && RunOn.stopDay == SeasonCalendar.currentDay) {
        RunOn.active = 0;
        return 0;
    }
    if (RunOn.flags & 8u) {
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (Watched(club) && GetClubBalance(club) <= RunOn.moneyThreshold) return 1;
        }
    } else if (RunOn.flags & 4u) {
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (Watched(club) && CountSquadByPosition(club, nullptr) == 1) return 2;
        }
    }
    return 0;
}
