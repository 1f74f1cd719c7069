#include "core/season/nationorder.h"

#include <algorithm>
#include <iterator>

#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/clubfixtures.h"

uint16_t NationClubOrder[kCountryCount][kNationClubOrderSize];

void InitNationClubOrder() {
    for (int nation = 0; nation < kCountryCount; ++nation) {
        if (!IsCountryInPlay(nation)) continue;
        const int16_t* start = NationClubStartLists[nation];
        int k = 0;
        while (k < kNationClubOrderSize - 1 && start[k] != start[k + 1]) {
            NationClubOrder[nation][k] = uint16_t(start[k]);
            ++k;
        }
        std::fill(NationClubOrder[nation] + k, NationClubOrder[nation] + kNationClubOrderSize, kNoClub);
    }
}

void SortNationClubsByDivision() {
    for (int nation = 0; nation < kCountryCount; ++nation) {
        if (!IsCountryInPlay(nation)) continue;
        uint16_t* list = NationClubOrder[nation];
        for (int pass = 0; pass < kNationClubOrderSize; ++pass) {
            for (int i = 0; i + 1 < kNationClubOrderSize; ++i) {
                if (!IsClubNumber(list[i]) || !IsClubNumber(list[i + 1])) continue;
                if (GetClubDivision(int16_t(list[i])) > GetClubDivision(int16_t(list[i + 1])))
                    std::swap(list[i], list[i + 1]);
            }
        }
    }
}

void OrderNationClubsByLeaguePos(int16_t nation) {
    if (!IsCountryInPlay(nation)) return;
    uint16_t copy[kNationClubOrderSize];
    std::copy(std::begin(NationClubOrder[nation]), std::end(NationClubOrder[nation]), copy);
    for (const uint16_t club : copy) {
        if (!IsClubNumber(club)) continue;
        const int16_t place = GetClubLeaguePosition(int16_t(club));
        if (place >= 1 && place <= kNationClubOrderSize) NationClubOrder[nation][place - 1] = club;
    }
}
