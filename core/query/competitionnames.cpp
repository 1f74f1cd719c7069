// Competition codes: round, leg and competition names, second legs, the
// club's next fixtures, the day's listing by category, line-ups and the
// day's fixtures counted from the user's side.
#include "core/query/competitionnames.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/query/europeanplaces.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/competitions.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

int16_t DivisionFilterWord;

namespace {

// Cup blocks 4-6 are the European cups.
constexpr int16_t kEuropeanCupIndex = 4;
constexpr int kContinentalCup = 4;
constexpr int kChampionsQualifying = 5;
constexpr int kChampionsCup = 6;

// Language texts of competitions, rounds and legs.
constexpr int16_t kTextLeague = 111;
constexpr int16_t kTextPlayOffSemiFinal = 112;
constexpr int16_t kTextPlayOffSecondLeg = 113;
constexpr int16_t kTextPlayOffFinal = 114;
constexpr int16_t kTextFirstRound = 116;  // then "Second Round", ...
constexpr int16_t kTextFinal = 124;       // after "Quarter-Final" and "Semi-Final"
constexpr int16_t kTextFirstLeg = 134;    // then "2nd Leg"
constexpr int16_t kTextFriendly = 169;
constexpr int16_t kTextFirstQualifyingRound = 903;
// A cup's last rounds are named from the final back, the earlier ones by
// number.
constexpr int kNamedLastRounds = 3;
// Offsets from a country's competition-name base: the national cups and
// the first European cup follow it in cup order, then the Champions' Cup;
// the champion-versus-cup-winner match sits at one of two places.
constexpr int kChampionsCupName = 6;
constexpr int kShieldNameFirstCountries = 11;
constexpr int kShieldName = 7;

constexpr int16_t kCompetitionNameBase[kCountryCount] = {104, 1000, 1730, 1756, 1781, 1919, 1945, 1971, 145};
constexpr int16_t kDivisionNameBase[kCountryCount] = {175, 175, 1744, 1770, 1907, 1933, 1959, 1985, 189};
constexpr int16_t kDivisionNameBase2[kCountryCount] = {189, 189, 1750, 1776, 1913, 1939, 1965, 1991, 1550};

bool IsCupCode(int code) { return code >= kCompFirstNationalCup && code <= kCompLastCup; }
bool IsNationalDay(int code) { return code == kCompNationalTeam || code == kCompNationalUnder21; }

// The round's match mode; European cups are run by nation 0.
int RoundMode(int country, int cup, int round) {
    if (cup >= kFirstEuropeanCup) country = 0;
    return int8_t(CupRoundRules.bytes[country][cup][round][kCupMatchMode]);
}

constexpr int kTwoLegs = 2;

// A line-up entry of a fixture: i16 player (-1 empty), then a 32-bit word
// of match values.
uint8_t* LineUpEntry(int16_t slot, int side, int entry) {
    return FixtureTable[slot].bytes + kFixtureLineUps + side * kFixtureLineUpSize +
           entry * kFixtureLineUpEntrySize;
}

// The first slot from today on that involves the club and whose code the
// test accepts; -1 when none.
template <typename Accept>
int16_t NextFixtureOfClub(int16_t club, Accept accept) {
    const int today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot)) break;
        if (FixtureDay(slot) < today || !accept(FixtureType(slot))) continue;
        if (IsFixtureOfClub(slot, club)) return int16_t(slot);
    }
    return -1;
}

char g_competition_name[160];

// The editable names are kept padded with blanks to their field's width;
// they are shown without the padding, each from a copy of its own so that
// a screen can hold several names at once.
char g_shownDivisions[kCountryCount][kDivisionNames][kCompetitionNameSize];
char g_shownCups[kCountryCount][kCupNames][kCompetitionNameSize];

char* ShownName(const char* field, char* shown) {
    size_t length = strnlen(field, kCompetitionNameSize - 1);
    while (length > 0 && field[length - 1] == ' ') --length;
    std::memcpy(shown, field, length);
    shown[length] = '\0';
    return shown;
}

}  // namespace

// ---------------------------------------------------------------------------
// Names of competitions, rounds and legs

int16_t HVW_GetCompRoundText(int16_t code, int16_t* roundText, int16_t* legText, int16_t country) {
    *roundText = -1;
    *legText = -1;
    // The names that come from the country's tables need a country that has
    // them; the others do not depend on it.
    const bool countryNamed = IsCupCode(code) || code == kCompChampionVsCupWinner;
    if (countryNamed && !IsCountryNumber(country)) return -1;
    const int16_t base = countryNamed ? kCompetitionNameBase[country] : int16_t(-1);
    if (IsCupCode(code)) {
        const int k = (code - kCompFirstNationalCup) / kCodesPerCup;
        const int h = (code - kCompFirstNationalCup) % kCodesPerCup >= kSecondMatchCodes ? 1 : 0;
        const int r = code - CupCode(k, 0) - kSecondMatchCodes * h;
        const int rulesCountry = k < kFirstEuropeanCup ? country : 0;
        if (h == 1) *legText = kTextReplay;
        if (RoundMode(rulesCountry, k, r) == kTwoLegs) *legText = int16_t(kTextFirstLeg + h);
        const int left = CupRoundCounts[rulesCountry][k] - r;
        if (k == kChampionsQualifying) {
            *roundText = int16_t(kTextFirstQualifyingRound + r);
        } else if (k == kContinentalCup) {
            *roundText = int16_t(left >= kNamedLastRounds ? kTextFirstRound + r : kTextFinal - left);
        } else {
            *roundText = int16_t(left >= kNamedLastRounds ? kTextFirstRound + r : kTextFinal + 1 - left);
            if (k == kChampionsCup && *roundText == kTextFirstRound) *roundText = kTextGroupA;
        }
        return int16_t(base + (k <= kContinentalCup ? k : kChampionsCupName));
    }
    switch (code) {
        case kCompLeague:
            return kTextLeague;
        case kCompPlayOffFirst:
            return kTextPlayOffSemiFinal;
        case kCompPlayOffSecond:
            return kTextPlayOffSecondLeg;
        case kCompPlayOffFinal:
            return kTextPlayOffFinal;
        case kCompChampionVsCupWinner:
            return int16_t(base + (country <= 1 ? kShieldNameFirstCountries : kShieldName));
        case kCompFriendly:
            return kTextFriendly;
        case kCompReserveLeague:
            return kTextReserves;
        default:
            return -1;
    }
}

const char* HVW_FormatCompetitionName(int16_t code, int16_t division, int16_t withRound, int16_t country) {
    int16_t roundText, legText;
    const int16_t name = HVW_GetCompRoundText(code, &roundText, &legText, country);
    const char* nameText = name >= 0 ? GetText(name) : "";
    char* out = g_competition_name;
    const size_t size = sizeof g_competition_name;
    if (code >= kCompLeague && code <= kCompPlayOffFinal) {
        const char* divisionName = HVW_GetDivisionRoundEntry(division, country);
        if (divisionName == nullptr) divisionName = "";
        if (code == kCompLeague) {
            std::snprintf(out, size, "%s", divisionName);
        } else {
            std::snprintf(out, size, "%s %s", divisionName, nameText);
        }
        return out;
    }
    int used = std::snprintf(out, size, "%s", nameText);
    if (withRound != 0) {
        for (int16_t text : {roundText, legText}) {
            if (text == -1 || used >= int(size)) continue;
            used += std::snprintf(out + used, size - size_t(used), " %s", GetText(text));
        }
    }
    return out;
}

int16_t HVW_GetCompRoundTextId(int16_t division, int16_t country) {
    if (!IsCountryNumber(country) || division < 0 || division > HVW_CountCompRounds(country)) return -1;
    return int16_t(kDivisionNameBase[country] + division);
}

int16_t HVW_GetCompRoundTextId2(int16_t division, int16_t country) {
    if (!IsCountryNumber(country) || division < 0 || division > HVW_CountCompRounds(country)) return -1;
    return int16_t(kDivisionNameBase2[country] + division);
}

// The name table holds five division names a country: a division number
// past them has no record even where the country's count allows it.
char* HVW_GetDivisionRoundEntry(int16_t n, int16_t country) {
    if (!IsCountryNumber(country) || n < 0 || n > HVW_CountCompRounds(country) || n >= kDivisionNames) {
        return nullptr;
    }
    return ShownName(CompetitionNames[country].division[n], g_shownDivisions[country][n]);
}

char* HVW_GetCupRoundEntry(int16_t n, int16_t cup) {
    if (!IsCountryNumber(cup) || n < 0 || n >= kCupNames) return nullptr;
    return ShownName(CompetitionNames[cup].cup[n], g_shownCups[cup][n]);
}

int16_t HVW_GetCupRoundCount(int16_t cup, int16_t country) {
    if (!IsCountryNumber(country) || !IsCupNumber(cup)) return 0;
    return CupRoundCounts[cup < kFirstEuropeanCup ? country : 0][cup];
}

int16_t HVW_IsRuleBlockValue2(int16_t round, int16_t country) {
    if (!IsCountryNumber(country) || round < 0 || round >= kCupRounds) return 0;
    return RoundMode(country, 0, round) == kTwoLegs ? 1 : 0;
}

int16_t HVW_CountNationCups(int16_t country) {
    if (!IsCountryNumber(country)) return 0;
    int16_t count = 0;
    for (int cup = 0; cup < kCupCount; ++cup) {
        // The European cups are run under country 0's rules for the clubs of
        // every country: read from the country's own slots, they counted
        // only in country 0, and every other country's lists, which take
        // the last three slots counted as the European cups, lost its
        // national cups.
        const int rules = cup < kFirstEuropeanCup ? country : 0;
        if (recbits::LoadU16(CupRoundRules.bytes[rules][cup][0] + kCupDrawDay) != 0xFFFF) ++count;
    }
    return count;
}

// ---------------------------------------------------------------------------
// Second legs and the clubs' next fixtures

int16_t HVW_IsSecondLegFixture(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots) return 0;
    const int16_t code = FixtureType(slot);
    if (!IsCupCode(code)) return 0;
    const int k = (code - kCompFirstNationalCup) / kCodesPerCup;
    const int r = (code - kCompFirstNationalCup) % kSecondMatchCodes;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    int country = 0;
    if (k < kFirstEuropeanCup) {
        if (!IsClubNumber(home)) return 0;
        country = GetClubNation(home);
        if (!IsCountryNumber(country)) return 0;
    }
    if (RoundMode(country, k, r) != kTwoLegs) return 0;
    for (int s = slot - 1; s >= 0; --s) {
        const int16_t other = FixtureType(s);
        if (HVW_GetCupIndex(other) != k || HVW_GetCupRoundIndex(other) != r) continue;
        if (FixtureHome(s) == away && FixtureAway(s) == home) return 1;
    }
    return 0;
}

int16_t HVW_FindClubNextFixtureSlot(int16_t club) {
    return NextFixtureOfClub(club, [](int16_t code) { return !IsNationalDay(code); });
}

int16_t HVW_FindClubNextCupFixtureSlot(int16_t club) {
    return NextFixtureOfClub(club, [](int16_t code) {
        return code != kCompLeague && code != kCompFriendly && !IsNationalDay(code);
    });
}

// National-team days hold nations, not clubs, and are passed over.
int16_t HVW_FindHumanFixtureOnDay(int16_t day) {
    int16_t human = -1;
    for (int16_t club = 0; club < kClubCount && human < 0; ++club) {
        if (GetClubControl(club) != 0) human = club;
    }
    if (human < 0) return -1;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || FixtureDay(slot) > day) break;
        if (FixtureDay(slot) != day || IsNationalDay(FixtureType(slot))) continue;
        if (IsFixtureOfClub(slot, human)) return int16_t(slot);
    }
    return -1;
}

int16_t HVW_GetNextOpponent(int16_t club) {
    const int16_t slot = HVW_FindClubNextFixtureSlot(club);
    if (slot < 0) return -1;
    return FixtureHome(slot) == club ? FixtureAway(slot) : FixtureHome(slot);
}

int16_t HVW_IsUserFixture(int16_t slot) {
    const int16_t user = HVW_GetMyClub();
    if (user < 0 || IsNationalDay(FixtureType(slot))) return 0;
    return IsFixtureOfClub(slot, user) ? 1 : 0;
}

// ---------------------------------------------------------------------------
// The day's fixtures in the order the results are listed

namespace {

struct Category {
    int16_t first, last;  // codes
    int16_t division;     // league fixtures of one division; -1 any
};

constexpr Category CupCategory(int cup) { return {CupCode(cup, 0), CupCode(cup, kCodesPerCup - 1), -1}; }

constexpr int kCategories = 14;
constexpr Category kCategoryCodes[kCategories] = {
    {kCompNationalTeam, kCompNationalTeam, -1},
    CupCategory(6),
    CupCategory(5),
    CupCategory(4),
    CupCategory(0),
    CupCategory(1),
    {kCompChampionVsCupWinner, kCompChampionVsCupWinner, -1},
    {kCompLeague, kCompLeague, 0},
    {kCompLeague, kCompLeague, 1},
    {kCompLeague, kCompLeague, 2},
    {kCompLeague, kCompLeague, 3},
    {kCompPlayOffFirst, kCompPlayOffFirst, -1},
    CupCategory(3),
    CupCategory(2),
};

int16_t FindInCategory(int16_t day, int16_t start, const Category& c) {
    for (int slot = std::max(0, start + 1); slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || FixtureDay(slot) > day) break;
        if (FixtureDay(slot) != day) continue;
        const int16_t code = FixtureType(slot);
        if (code < c.first || code > c.last) continue;
        if (code == kCompLeague) {
            const int16_t home = FixtureHome(slot);
            if (!IsClubNumber(home) || GetClubDivision(home) != uint16_t(DivisionFilterWord)) continue;
        }
        return int16_t(slot);
    }
    return -1;
}

}  // namespace

// A category that has no more fixtures hands over to the next one, which
// is searched from the day's first fixture on: searched only above the last
// fixture listed, its fixtures in earlier slots would never be listed.  The
// listing ends after category 13: wrapping round to category 0 would list
// the day's fixtures a second time.
int16_t HVW_FindNextFixtureByCategory(int16_t day, int16_t start, int16_t single, int16_t* category) {
    int cat = std::clamp<int>(*category, 0, kCategories - 1);
    for (;;) {
        const Category& c = kCategoryCodes[cat];
        if (c.division >= 0) DivisionFilterWord = c.division;
        const int16_t slot = FindInCategory(day, start, c);
        if (slot >= 0) {
            *category = int16_t(cat);
            return slot;
        }
        if (single != 0) {
            *category = int16_t(cat);
            return -1;
        }
        if (cat == kCategories - 1) {
            *category = -1;
            return -1;
        }
        ++cat;
        start = -1;
    }
}

// ---------------------------------------------------------------------------
// Line-ups

void HVW_StoreLineUpEntry(int16_t slot, int16_t side, int16_t entry, const TeamMatchReport* report) {
    const uint8_t* r = report->bytes + kReportPlayers + entry * kPlayerReportSize;
    const uint16_t player = recbits::LoadU16(r + kPlayerNumber);
    const int rating = std::clamp<int>(recbits::LoadU16(r + kPlayerRating), 0, 255);
    const int goals = std::clamp<int>(recbits::LoadU16(r + kPlayerGoals), 0, 31);
    const int cards = recbits::LoadU16(r + kPlayerCards);
    const uint16_t featured = recbits::LoadU16(report->bytes + kReportManOfTheMatch);
    uint32_t word = uint32_t(rating) | uint32_t(goals) << 8;
    if (cards == 1 || cards == 2) word |= 1u << 13;
    if (cards > 1) word |= 1u << 14;
    if (player != 0 && player == featured) word |= 1u << 15;
    uint8_t* e = LineUpEntry(slot, side, entry);
    recbits::StoreU16(e, player);
    // The values take the low half of the entry's 32-bit word; its upper
    // half is never written.
    recbits::StoreU16(e + 2, uint16_t(word));
}

int16_t HVW_GetPlayerLastMatchValue(uint16_t player) {
    if (GetPlayerApps(player) == 0) return 0;
    HVW_FindUserLastFixture(0);
    const int16_t slot = HVW_LastFixtureSlot;
    const uint16_t club = GetPlayerClub(player);
    const int side = FixtureHome(slot) == int16_t(club) ? 0 : 1;
    for (int entry = 0; entry < kFixtureLineUpEntries; ++entry) {
        const uint8_t* e = LineUpEntry(slot, side, entry);
        if (recbits::LoadU16(e) == player) return int16_t(e[2]);
    }
    return 0;
}

void HVW_ClearLineUp(int16_t slot, int16_t side) {
    for (int entry = 0; entry < kFixtureLineUpEntries; ++entry) {
        uint8_t* e = LineUpEntry(slot, side, entry);
        recbits::StoreU16(e, 0xFFFF);
        recbits::StoreU16(e + 2, 0);
    }
}

void HVW_CountFixturesOnDay(int16_t day, int16_t* userSlot, int16_t* sameCount, int16_t* flaggedSlot,
                            int16_t* flaggedCount, int16_t* otherCount) {
    *userSlot = -1;
    *flaggedSlot = -1;
    *sameCount = 0;
    *flaggedCount = 0;
    *otherCount = 0;
    const int16_t user = HVW_GetMyClub();
    auto isNational = [](int16_t type) { return type == kCompNationalTeam || type == kCompNationalUnder21; };
    // The day's fixtures stand together; the walk stops after them.
    int first = -1, end = 0;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= day; ++slot) {
        if (FixtureDay(slot) != day) continue;
        if (first == -1) first = slot;
        end = slot + 1;
    }
    if (first == -1) return;

    int16_t userDivision = -2, userCup = -2, userRound = -1, userType = -1;
    for (int slot = first; slot < end; ++slot) {
        int16_t type = FixtureType(slot);
        if (FixtureDay(slot) != day || isNational(type) || user < 0 || !IsFixtureOfClub(slot, user)) {
            continue;
        }
        (type == kCompReserveLeague ? *flaggedSlot : *userSlot) = int16_t(slot);
        HVW_GetFixtureCompPosition(int16_t(slot), &userDivision, &userCup, &userRound);
        userType = type;
    }

    const int userCountry = user >= 0 ? GetClubNation(user) : -1;
    auto countryOf = [](int16_t club) { return IsClubNumber(club) ? int(GetClubNation(club)) : -1; };
    for (int slot = first; slot < end; ++slot) {
        if (FixtureDay(slot) != day) continue;
        if (slot == *userSlot) {
            ++*sameCount;
            continue;
        }
        if (slot == *flaggedSlot) {
            ++*flaggedCount;
            continue;
        }
        if (*userSlot == -1 && *flaggedSlot == -1) {
            ++*otherCount;
            continue;
        }
        int16_t type = FixtureType(slot);
        int16_t division, cup, round;
        HVW_GetFixtureCompPosition(int16_t(slot), &division, &cup, &round);
        int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (division == userDivision && division != -2 && countryOf(home) == userCountry) {
            if (type == kCompReserveLeague && *flaggedSlot != -1) {
                ++*flaggedCount;
            } else {
                ++*sameCount;
            }
        } else if (cup == userCup && cup != -2 &&
                   (cup >= kEuropeanCupIndex || countryOf(home) == userCountry ||
                    countryOf(away) == userCountry)) {
            ++*sameCount;
        } else if (userType == kCompFriendly && type == kCompFriendly) {
            ++*sameCount;
        } else {
            ++*otherCount;
        }
    }
}
