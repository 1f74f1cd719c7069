#include "database/query/funcs_clubscreens.h"

#include "database/ranges.h"
#include "management/squads.h"
#include "season/competitions.h"
#include "season/leagues.h"

int16_t HVW_GetClubsInDivision(int16_t divisionRow, int16_t country) {
    if (!IsCountryNumber(country) || divisionRow < 0 || divisionRow >= kDivisionCount) return 0;
    return int16_t(DivisionLayout[country][divisionRow].clubs);
}

int16_t HVW_CountDivisions(int16_t country) {
    if (!IsCountryNumber(country)) return 0;
    int16_t count = 0;
    while (count < kDivisionCount && DivisionLayout[country][count].clubs != 0) ++count;
    return count;
}

const char* HVW_GetDivisionName(int16_t divisionRow, int16_t country) {
    if (divisionRow < 0 || divisionRow >= kDivisionNames || divisionRow >= HVW_CountDivisions(country)) {
        return nullptr;
    }
    return CompetitionNames[country].division[divisionRow];
}

uint16_t HVW_GetClubManager(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    // The shared caretaker record stands in for a missing manager: no one.
    const uint16_t manager = FindClubManager(club);
    return manager == kNoManager ? uint16_t(0) : manager;
}
