#include "tests/fakes/board_checks.h"

#include <cstdint>
#include <string>

#include "database/Access.h"
#include "database/ranges.h"
#include "management/clubmoney.h"
#include "management/squads.h"

namespace {

constexpr int32_t kTopBalance = 134217727;
constexpr int32_t kComputerCap = 80000000;

std::string ClubFault(int16_t club, const std::string& what) {
    return "club " + std::to_string(club) + ": " + what;
}

int16_t VacantSince[kClubCount];
int64_t EndedDays;
int EndedCount;
int DayNumber;

}  // namespace

std::string CheckBoardInvariants() {
    int managers[kClubCount] = {};
    for (uint16_t p = 1; p < PlayerCount && p < kMaxPlayers; ++p) {
        if (p == kNoManager) continue;
        const uint16_t club = GetPlayerClub(p);
        if (GetPlayerPosition(p) != 13 && GetPlayerHalvorn(p) == 0) continue;
        if (club == kNoClub) continue;
        if (!IsClubNumber(club)) return "manager " + std::to_string(p) + " has club " + std::to_string(club);
        if (GetPlayerLoanClub(p) != club)
            return "manager " + std::to_string(p) + " plays for " + std::to_string(club) +
                   " but belongs to " + std::to_string(GetPlayerLoanClub(p));
        if (GetPlayerPosition(p) == 13) ++managers[club];
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsLeagueClub(club)) continue;
        if (managers[club] > 1) return ClubFault(club, std::to_string(managers[club]) + " managers");
        const int32_t balance = GetClubBalance(club);
        if (balance < 0 || balance > kTopBalance)
            return ClubFault(club, "balance " + std::to_string(balance));
        if (GetClubBaseRep(club) > 24)
            return ClubFault(club, "expected place " + std::to_string(GetClubBaseRep(club)));
        int64_t misc = 0, sponsorship = 0;
        for (int16_t week = 0; week < kFinanceWeeks; ++week) {
            misc += GetClubWeekMiscIn(club, week);
            sponsorship += GetClubWeeksSponsorship(club, week);
        }
        if (misc != GetClubSeasonMiscIn(club))
            return ClubFault(club, "weeks' misc income " + std::to_string(misc) + " against the season's " +
                                       std::to_string(GetClubSeasonMiscIn(club)));
        if (sponsorship != GetClubSeasonSponsorship(club))
            return ClubFault(club, "weeks' sponsorship " + std::to_string(sponsorship) +
                                       " against the season's " +
                                       std::to_string(GetClubSeasonSponsorship(club)));
    }
    return "";
}

std::string CheckComputerBalancesCapped() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (IsComputerLeagueClub(club) && GetClubBalance(club) > kComputerCap)
            return ClubFault(club, "balance " + std::to_string(GetClubBalance(club)));
    }
    return "";
}

void ResetManagerVacancies() {
    for (int16_t& since : VacantSince) since = -1;
    EndedDays = 0;
    EndedCount = 0;
    DayNumber = 0;
}

void TrackManagerVacancies() {
    // Whoever runs each club, a manager or a player-manager, in one pass.
    bool managed[kClubCount] = {};
    for (uint16_t p = 1; p < PlayerCount && p < kMaxPlayers; ++p) {
        const uint16_t club = GetPlayerClub(p);
        if (p == kNoManager || !IsClubNumber(club)) continue;
        if (GetPlayerPosition(p) == 13 || (GetPlayerHalvorn(p) != 0 && GetPlayerCaretaker(p) == 0))
            managed[club] = true;
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsLeagueClub(club)) continue;
        const bool vacant = !managed[club];
        if (vacant && VacantSince[club] < 0) VacantSince[club] = int16_t(DayNumber);
        if (!vacant && VacantSince[club] >= 0) {
            EndedDays += DayNumber - VacantSince[club];
            ++EndedCount;
            VacantSince[club] = -1;
        }
    }
    ++DayNumber;
}

double AverageVacancyWeeks() { return EndedCount == 0 ? 0.0 : double(EndedDays) / EndedCount / 7.0; }
int EndedVacancies() { return EndedCount; }
