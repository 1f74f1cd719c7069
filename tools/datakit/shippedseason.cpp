#include "tools/datakit/shippedseason.h"

#include <set>
#include <string>

#include "core/records/shippeddatabase.h"
#include "core/season/leagues.h"
#include "core/season/shippedhonours.h"
#include "tools/datakit/worldgen.h"

namespace datakit {

namespace {

struct ClubFacts {
    int nation = -1;
    int division = -1;
    int reputation = 0;
};

std::string Describe(int country, int word, int club, const char* why) {
    return "shipped season: country " + std::to_string(country) + " word " + std::to_string(word) +
           " names club " + std::to_string(club) + ", " + why;
}

}  // namespace

std::string CheckShippedSeason() {
    ClubFacts facts[TOTSTAT_CLUB_COUNT];
    for (int row = 0; row < TOTSTAT_CLUB_COUNT; ++row) {
        const int club = GetTotStatClubNumber(TotStatClubs[row]);
        if (club < 0 || club >= TOTSTAT_CLUB_COUNT) continue;
        facts[club] = {GetTotStatClubNation(TotStatClubs[row]), GetTotStatClubDivision(TotStatClubs[row]),
                       TotStatClubReputation(row)};
    }
    // A club of the database with a reputation, of the nation when given.
    auto check = [&](int country, int word, int club, int nation, int division) -> std::string {
        if (club < 0 || club >= TOTSTAT_CLUB_COUNT || facts[club].nation < 0)
            return Describe(country, word, club, "which the database does not have");
        if (facts[club].reputation <= 0) return Describe(country, word, club, "which has no reputation");
        if (nation >= 0 && facts[club].nation != nation)
            return Describe(country, word, club, "of another nation");
        if (division >= 0 && facts[club].division != division)
            return Describe(country, word, club, "of another division");
        return "";
    };
    for (int holder : {int(kShippedHolderA), int(kShippedHolderB)}) {
        if (std::string why = check(0, -1, holder, -1, -1); !why.empty()) return "holder: " + why;
    }
    if (ShippedHonours[0].words[kHonourEuropeanWord] != kShippedHolderB ||
        ShippedHonours[0].words[kHonourEuropeanWord + 4] != kShippedHolderA)
        return "shipped season: the European winners are not the two holders";
    for (int country = 0; country < kCountryCount; ++country) {
        const int16_t* words = ShippedHonours[country].words;
        for (int division = 0; division < kDivisionCount; ++division) {
            const int word = HonourChampionWord(division);
            const bool exists = kShippedDivisionLayout[country][division].clubs != 0;
            for (int w : {word, word + 1}) {
                if (!exists && words[w] != -1)
                    return Describe(country, w, words[w], "for a division with no league");
                if (!exists) continue;
                if (std::string why = check(country, w, words[w], country, division); !why.empty())
                    return why;
            }
            if (exists && words[word] == words[word + 1])
                return Describe(country, word, words[word], "twice");
        }
        for (int w = kHonourCupWinnerWord; w < kHonourEuropeanWord; ++w) {
            if (words[w] == -1) continue;
            if (std::string why = check(country, w, words[w], country, -1); !why.empty()) return why;
        }
        if (words[kHonourCupWinnerWord] == -1) return Describe(country, 0, -1, "no winner of the first cup");
        for (int w = kHonourEuropeanWord; w < kHonourChampionWord; ++w) {
            if (country != 0 && words[w] != -1)
                return Describe(country, w, words[w], "outside country 0's row");
            if (country == 0) {
                if (std::string why = check(country, w, words[w], -1, -1); !why.empty()) return why;
            }
        }
        if (words[kHonourOpenerWord] != -1) {
            if (std::string why = check(country, kHonourOpenerWord, words[kHonourOpenerWord], country, -1);
                !why.empty())
                return why;
        }
        std::set<int> entrants;
        for (int k = 0; k < kShippedEuropeanEntries; ++k) {
            const int club = ShippedEuropeanEntries[country][k];
            if (std::string why = check(country, 100 + k, club, country, -1); !why.empty())
                return "European entrant: " + why;
            if (!entrants.insert(club).second) return Describe(country, 100 + k, club, "entered twice");
        }
    }
    return "";
}

}  // namespace datakit
