#include "core/season/seasontemplates.h"

#include <array>

namespace {

using Template = std::array<uint8_t, kTemplateSlots>;

// The shape of a country's season: the slot of its first round, how many
// Saturdays it spans to its last round, and the round of division 0 that
// carries the split marker (0: no split).
struct CountrySeasonPlan {
    int startSlot;
    int saturdays;
    int splitRound;
};
constexpr CountrySeasonPlan kSeasonPlans[kCountryCount] = {
    {8, 40, 0}, {6, 44, 33}, {8, 38, 0}, {8, 36, 0}, {8, 38, 0},
    {8, 34, 0}, {8, 38, 0},  {8, 36, 0}, {8, 36, 0},
};

constexpr int RoundsNeeded(const DivisionLayoutEntry& entry) {
    const int league = LeagueRoundCount(entry, false);
    const int reserve = LeagueRoundCount(entry, true);
    return league > reserve ? league : reserve;
}

// Every Saturday from the start to the end slot plays a round; a division
// with fewer rounds than Saturdays rests on some spread over the season, one
// with more plays the rest on Tuesdays spread the same way.
constexpr Template BuildTemplate(int country, int division) {
    Template codes{};
    const DivisionLayoutEntry& entry = kShippedDivisionLayout[country][division];
    const int rounds = RoundsNeeded(entry);
    if (rounds == 0) return codes;
    const CountrySeasonPlan& plan = kSeasonPlans[country];
    const int weeks = plan.saturdays;
    const int endSlot = plan.startSlot + 2 * (weeks - 1);
    for (int week = 0; week < weeks; ++week) codes[plan.startSlot + 2 * week] = kSlotRound;
    if (rounds <= weeks) {
        const int rests = weeks - rounds;
        for (int k = 0; k < rests; ++k)
            codes[plan.startSlot + 2 * ((k + 1) * weeks / (rests + 1))] = kSlotFree;
    } else {
        const int tuesdays = rounds - weeks;
        for (int k = 0; k < tuesdays; ++k)
            codes[plan.startSlot + 2 * ((k + 1) * (weeks - 1) / (tuesdays + 1)) + 1] = kSlotRound;
    }
    codes[endSlot] = kSlotEnd;
    if (division == 0 && plan.splitRound > 0) {
        int placed = 0;
        for (int slot = 0; slot < endSlot; ++slot) {
            if (TemplateSlotPlacesRound(codes[slot]) && ++placed == plan.splitRound) codes[slot] = kSlotSplit;
        }
    }
    return codes;
}

constexpr std::array<std::array<Template, kDivisionCount>, kCountryCount> BuildAll() {
    std::array<std::array<Template, kDivisionCount>, kCountryCount> all{};
    for (int country = 0; country < kCountryCount; ++country) {
        for (int division = 0; division < kDivisionCount; ++division)
            all[country][division] = BuildTemplate(country, division);
    }
    return all;
}

constexpr auto kSeasonTemplates = BuildAll();

constexpr const char* CheckAll() {
    for (int country = 0; country < kCountryCount; ++country) {
        int countryStart = -1, countryEnd = -1;
        for (int division = 0; division < kDivisionCount; ++division) {
            const Template& codes = kSeasonTemplates[country][division];
            const int rounds = RoundsNeeded(kShippedDivisionLayout[country][division]);
            if (rounds == 0) continue;
            int start = -1, end = -1, split = -1, placed = 0;
            for (int slot = 0; slot < kTemplateSlots; ++slot) {
                const uint8_t code = codes[slot];
                if (code == kSlotEmpty) continue;
                if (start < 0) start = slot;
                if (code > kSlotSplit) return "a template slot holds an unknown code";
                if (code == kSlotEnd) {
                    if (end >= 0) return "a template has two end slots";
                    end = slot;
                }
                if (code == kSlotSplit) split = slot;
                if (TemplateSlotPlacesRound(code) && (end < 0 || end == slot)) ++placed;
            }
            if (end < 0) return "a template has no end slot";
            if (placed < rounds) return "a template places fewer rounds than the division plays by its end";
            if (start < 0 || !TemplateSlotPlacesRound(codes[start]))
                return "a template starts without a round";
            if (TemplateSlotDayOffset(end) - TemplateSlotDayOffset(start) + 7 > 366)
                return "a template runs past the season";
            if (countryStart >= 0 && (start != countryStart || end != countryEnd))
                return "the divisions of a country do not share start and end";
            countryStart = start;
            countryEnd = end;
            if (split >= 0 && TemplateSlotDayOffset(end) - TemplateSlotDayOffset(split) < 28)
                return "a split marker lies less than 28 days before the end";
            if (split >= 0 && split <= start) return "a split marker lies at the league start";
        }
    }
    return "";
}

constexpr const char* kTemplateCheck = CheckAll();
static_assert(kTemplateCheck[0] == '\0', "a season template fails its walk");

}  // namespace

uint8_t SeasonTemplateCode(int country, int division, int slot) {
    if (country < 0 || country >= kCountryCount || division < 0 || division >= kDivisionCount || slot < 0 ||
        slot >= kTemplateSlots)
        return kSlotEmpty;
    return kSeasonTemplates[country][division][slot];
}

const char* CheckSeasonTemplates() { return kTemplateCheck; }
