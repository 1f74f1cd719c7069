// European qualification, the Champions League groups and where a fixture
// sits in its competition.
#include "core/query/europeanplaces.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"

int16_t EuroQualifiers[10];

namespace {

constexpr int kQualifierSlots = 10;

// The European places record of a country: five club words of the clubs
// that qualified by title or cup, then per division 4 club words of the
// clubs that qualified by league place.  Kept in the season code's table
// of 9 x 58 bytes.
constexpr int kPlaceRecordSize = 58;
constexpr int kReasonSlots = 5;
constexpr int kPlacesPerDivision = 4;
static_assert(sizeof EuropeanPlaceRecords == 9 * kPlaceRecordSize);

int16_t PlaceWord(int country, int word) {
    return int16_t(recbits::LoadU16(EuropeanPlaceRecords + country * kPlaceRecordSize + 2 * word));
}

// Adds the country's clubs of one entrant list behind the ones taken, as
// long as the list of qualifiers has room; gives how many it found.
int TakeCountryClubs(const int16_t* list, int slots, int country, int taken) {
    int found = 0;
    for (int i = 0; i < slots; ++i) {
        int16_t club = list[i];
        if (club == -1 || !IsClubNumber(club)) continue;
        if (GetClubNation(club) != country) continue;
        if (taken + found < kQualifierSlots) EuroQualifiers[taken + found] = club;
        ++found;
    }
    return found;
}

// Word of the honours row of the season before that names the cup winner.
constexpr int kCupWinnerWord = 14;

}  // namespace

void GetEuroQualifiers(int16_t* countA, int16_t* countC, int16_t country) {
    for (int16_t& entry : EuroQualifiers) entry = -1;
    int n = TakeCountryClubs(EuropeanEntrantListA, 32, country, 0);
    n += TakeCountryClubs(EuropeanEntrantListB, 32, country, n);
    int m = TakeCountryClubs(EuropeanEntrantListC, 64, country, n);
    // The list holds ten: the first ten are kept and the rest only logged,
    // so that a country with many clubs in Europe does not end the game.
    if (n + m > kQualifierSlots) {
        DebugLog(DEBUG_GENERAL, 0, "GetEuroQualifiers(): Warning: %d clubs qualified for Europe, %d listed\n",
                 n + m, kQualifierSlots);
        n = std::min(n, kQualifierSlots);
        m = kQualifierSlots - n;
    }
    *countA = int16_t(n);
    *countC = int16_t(m);
}

int16_t HVW_GetChampionsLeagueGroup(int16_t club, int16_t stage) {
    if (stage >= 0 && stage < 2) {
        for (int16_t group = 0; group < 8; ++group) {
            for (int place = 0; place < 4; ++place) {
                if (ChampionsLeagueGroups[stage][group][place] == club) return group;
            }
        }
    }
    FatalError("Team Not In Champions League, Funcs-HVW_GetChampionsLeagueGroup");
}

int16_t HVW_GetChampionsLeagueGroupClub(int16_t place, int16_t group, int16_t stage) {
    const int16_t* clubs = ChampionsLeagueGroups[stage][group];
    if (clubs[0] == 0 && clubs[1] == 0) return -1;  // not drawn yet
    return clubs[place];
}

int16_t HVW_GetEuroPlaceReasonText(int16_t club, int16_t country) {
    constexpr int16_t kReason[kReasonSlots] = {1466, 1467, 1845, 1466, 1467};
    constexpr int16_t kCupRunnerUp = 1470;
    for (int slot = 0; slot < kReasonSlots; ++slot) {
        if (PlaceWord(country, slot) != club) continue;
        if (slot == 1) {
            const int16_t winner = HonoursTable[HVW_GetViewedCountry()][1].words[kCupWinnerWord];
            return winner == club ? kReason[1] : kCupRunnerUp;
        }
        return kReason[slot];
    }
    return -1;
}

int16_t HVW_GetEuroPlaceClub(int16_t division, int16_t* text, int16_t k, int16_t country) {
    int16_t club = PlaceWord(country, kReasonSlots + kPlacesPerDivision * division + k);
    bool promoted =
        IsClubNumber(club) && GetClubNation(club) == country && GetClubDivision(club) == division - 1;
    *text = promoted ? kTextPromotedMark : int16_t(-1);
    return club;
}

int16_t HVW_IsEuroPlaceFlagSet(int16_t i, int16_t j) { return EuroPlaceFlags[j][i] != 0 ? 1 : 0; }

int16_t HVW_GetEuroPlaceCount() { return 4; }

void HVW_GetFixtureCompPosition(int16_t slot, int16_t* division, int16_t* cup, int16_t* round) {
    *division = -2;
    *cup = -2;
    *round = -1;
    if (slot < 0 || slot >= kFixtureSlots) return;
    const int16_t code = FixtureType(slot);
    if ((code >= kCompLeague && code <= kCompPlayOffFinal) || code == kCompReserveLeague) {
        *division = HVW_FindClubInDivisionRows(FixtureHome(slot));
    } else if (code >= kCompFirstNationalCup && code <= kCompLastCup) {
        int16_t block = int16_t((code - kCompFirstNationalCup) / kCodesPerCup);
        *cup = block < 8 ? block : int16_t(-2);
        *round = *cup != -2 && HVW_GetCupIndex(code) != -2 ? int16_t((code - kCompFirstNationalCup) % 8)
                                                           : int16_t(-2);
    }
}
