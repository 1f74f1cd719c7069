// Competition structure for the screens: the round in which a club enters
// a cup, how a fixture is decided, and a club's move between divisions.
#include "core/query/cupentry.h"

#include "core/query/leagueplaces.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/cuprounds.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/nationorder.h"

namespace {

// Extra-time codes of a cup round.
constexpr int8_t kCodeExtraTime = 1;
constexpr int8_t kCodeGoldenGoal = 4;
// Match modes of a cup round.
constexpr int8_t kModeReplay = 0;
constexpr int8_t kModePenalties = 1;
constexpr int8_t kModeTwoLegs = 2;
// Play-off style word of a single-match code-1 fixture.
constexpr int16_t kSingleMatchPlayOff = 2;

int8_t RoundByte(int country, int cup, int round, int byte) {
    return int8_t(CupRoundRules.bytes[country][cup][round][byte]);
}

bool Contains(const int16_t* list, int size, int16_t club) {
    for (int i = 0; i < size; ++i) {
        if (list[i] == club) return true;
    }
    return false;
}

// Index of the club in the delivered club order of its country; 128 when
// it is not there.  Only the list part counts, never the 0 padding behind
// it.
int DeliveredEntrantIndex(int country, int16_t club) {
    const int16_t* list = NationClubStartLists[country];
    for (int k = 0; k < kNationClubOrderSize - 1 && list[k] != list[k + 1]; ++k) {
        if (list[k] == club) return k;
    }
    return kNationClubOrderSize;
}

}  // namespace

int16_t HVW_GetClubCupEntryRound(int16_t club, int16_t cup) {
    if (!IsClubNumber(club) || !IsCupNumber(cup)) return -1;
    const uint16_t country = GetClubNation(club);
    if (!IsCountryNumber(country)) return -1;
    switch (cup) {
        case 4:
            return Contains(EuropeanEntrantListC, 64, club) ? 0 : -1;
        case 5:
            return Contains(EuropeanEntrantListB, 32, club) ? 0 : -1;
        case 6:
            return Contains(EuropeanEntrantListA, 32, club) ? 0 : -1;
        default:
            break;
    }
    int entrant = -1;
    for (int e = 0; e < kNationClubOrderSize; ++e) {
        if (NationClubOrder[country][e] == uint16_t(club)) {
            entrant = e;
            break;
        }
    }
    if (entrant < 0) return -1;
    for (int r = 0; r < kCupRounds; ++r) {
        if (RoundByte(country, cup, r, kCupEntryStart) <= entrant &&
            entrant < RoundByte(country, cup, r, kCupEntryEnd)) {
            return int16_t(r);
        }
    }
    return -1;
}

void HVW_GetFixturePlayOptions(int16_t slot, int16_t* substitutes, int16_t* extraTime, int16_t* goldenGoal,
                               int16_t* penalties, int16_t* awayGoals, int16_t* leg, int16_t* replay,
                               int16_t* firstLegHomeGoals, int16_t* firstLegAwayGoals) {
    *substitutes = 5;
    *extraTime = *goldenGoal = *penalties = *awayGoals = *leg = *replay = 0;
    *firstLegHomeGoals = *firstLegAwayGoals = 0;
    if (slot < 0 || slot >= kFixtureSlots) return;

    const int16_t code = FixtureType(slot);
    if (code < kCompPlayOffFirst || code > kCompLastCup) return;
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    const uint16_t country = GetClubNation(home);

    // The first leg seen from this fixture's clubs: its away club is this
    // fixture's home club.  A missing first leg stops the program.
    auto takeFirstLeg = [&](int16_t firstCode) {
        const int16_t first = FindFixture(away, home, firstCode);
        const uint32_t score = FixtureScore(first);
        *firstLegHomeGoals = int16_t((score >> 5) & kFixtureGoalsMask);
        *firstLegAwayGoals = int16_t(score & kFixtureGoalsMask);
    };
    auto setExtraTime = [&](int8_t extraTimeCode) {
        if (extraTimeCode == kCodeExtraTime) *extraTime = 1;
        if (extraTimeCode == kCodeGoldenGoal) *goldenGoal = 1;
    };

    switch (code) {
        case kCompPlayOffFirst:
            *leg = 1;
            if (IsCountryNumber(country) && PlayOffStyle[country][0] == kSingleMatchPlayOff) {
                *leg = 0;
                *extraTime = 1;
                *penalties = 1;
            }
            return;
        case kCompPlayOffSecond:
            *leg = 2;
            *awayGoals = 1;
            *extraTime = 1;
            *penalties = 1;
            takeFirstLeg(kCompPlayOffFirst);
            return;
        case kCompPlayOffFinal:
        case kCompChampionVsCupWinner:
            *extraTime = 1;
            *penalties = 1;
            return;
        default:
            break;
    }

    const int cup = (code - kCompFirstNationalCup) / kCodesPerCup;
    const bool secondMatch = (code - kCompFirstNationalCup) % kCodesPerCup >= kSecondMatchCodes;
    const int round = (code - kCompFirstNationalCup) % 8;
    // The European cups are run as cups of country 0, whoever plays at home:
    // only country 0's table holds their rounds (the other countries' slots
    // read -1 in every byte, which would give -1 substitutes and no rule),
    // and a club from outside the nine countries may play a European tie
    // at home too.
    int rulesCountry = country;
    if (cup >= kFirstEuropeanCup) {
        rulesCountry = 0;
    } else if (!IsCountryNumber(country)) {
        return;
    }
    auto byte = [&](int b) { return RoundByte(rulesCountry, cup, round, b); };
    const int8_t mode = byte(kCupMatchMode);

    if (!secondMatch) {
        *substitutes = byte(kCupSubstitutes);
        setExtraTime(byte(kCupExtraTime));
        if (mode == kModeReplay) *replay = 1;
        if (mode == kModePenalties) *penalties = 1;
        if (mode == kModeTwoLegs) *leg = 1;
        return;
    }
    if (mode == kModeTwoLegs) {
        *awayGoals = 1;
        takeFirstLeg(int16_t(code - 8));
        *leg = 2;
    } else {
        *replay = 2;
    }
    setExtraTime(byte(kCupSecondExtraTime));
    if (byte(kCupSecondShootOut) == 1) *penalties = 1;
    *substitutes = byte(kCupSubstitutes);
}

int16_t HVW_GetClubDivisionMove(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    const uint16_t country = GetClubNation(club);
    if (!IsCountryInPlay(country)) return 0;

    // The club's entrant index a season ago: where it stood then among its
    // country's clubs.  The season roll keeps it in the club's history.
    const int previous =
        SeasonCalendar.season == 0 ? DeliveredEntrantIndex(country, club) : GetClubCoach(club, 1, 11);
    const int division = HVW_FindClubInDivisionRows(club);
    int first = 0;
    for (int d = 0; d < division; ++d) first += DivisionLayout[country][d].clubs;
    const int last = first + DivisionLayout[country][division].clubs - 1;
    if (previous < first) return 2;
    if (previous > last) return 1;
    return 0;
}
