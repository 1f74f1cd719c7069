// Match-day look-ups: a club's fixtures around a day, the user's last
// fixture, a player's rating in six categories of the last match, and his
// standing with the fans.
#include "core/query/matchdaylookups.h"

#include <algorithm>

#include "core/club/board.h"
#include "core/match/matchresult.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"

int16_t HVW_LastFixtureSlot;

int16_t HVW_FindClubFixtureFromDay(int16_t club, int16_t competition, int16_t withReserve, int16_t day) {
    // The empty slots at the end hold club 0: the walk stops before them.
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int16_t type = FixtureType(slot);
        const bool codeFits =
            type == competition || (competition == -1 && (withReserve != 0 || type != kCompReserveLeague));
        if (int(FixtureDay(slot)) >= day && codeFits && IsFixtureOfClub(slot, club)) {
            return int16_t(slot);
        }
    }
    return kFixtureSlots;
}

int16_t HVW_GetFixtureOpponent(int16_t club, int16_t slot, uint16_t* side) {
    *side = 65535;
    if (slot < 0 || slot >= kFixtureSlots) return -1;
    if (FixtureHome(slot) == club) {
        *side = 0;
        return FixtureAway(slot);
    }
    if (FixtureAway(slot) == club) {
        *side = 1;
        return FixtureHome(slot);
    }
    return -1;
}

int16_t HVW_FindClubFixtureOnDayByKind(int16_t club, int16_t day, int16_t kind) {
    if (kind != 0 && kind != 1) return -1;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) != uint16_t(day) || !IsFixtureOfClub(slot, club)) continue;
        if ((FixtureType(slot) == kCompReserveLeague) == (kind == 1)) return int16_t(slot);
    }
    return -1;
}

void HVW_FindUserLastFixture(int16_t includeToday) {
    // The first slot that lies on or after today (after today with the
    // flag set); the walk back starts just before it.
    const int today = SeasonCalendar.currentDay;
    int start = kFixtureSlots - 1;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (includeToday == 0 ? day >= today : day > today) {
            start = slot - 1;
            break;
        }
    }
    HVW_LastFixtureSlot = 0;
    const int16_t user = GetUserClub();
    if (user < 0) return;
    for (int slot = start; slot >= 0; --slot) {
        const int16_t type = FixtureType(slot);
        if (IsFixtureEmpty(slot) || type == kCompFriendly || type == kCompNationalTeam ||
            type == kCompNationalUnder21) {
            continue;
        }
        if (IsFixtureOfClub(slot, user)) {
            HVW_LastFixtureSlot = int16_t(slot);
            return;
        }
    }
}

namespace {

constexpr int kRatingCategories = 6;
constexpr int kRatingMax = 99;

// One player's entry of a team's match report, read by byte position.
struct ReportEntry {
    const uint8_t* bytes;

    int B(int k) const { return bytes[k]; }
    int S8(int k) const { return int8_t(bytes[k]); }
    int W(int k) const { return int16_t(recbits::LoadU16(bytes + k)); }
};

// The raw figure of one category.  The counters are small enough that no
// sum leaves 16 bits, except the scaled value of category 5, which is
// worked out in 32 bits before it is limited.
int RawRating(const ReportEntry& e, int category) {
    switch (category) {
        case 0:
            return 20 * e.B(60) - 3 * e.B(59) + 9 * e.B(82) + 7 * e.B(75) + 9 * e.B(53) -
                   4 * (e.B(61) + e.B(62) + e.B(63) + e.B(64));
        case 1:
            return e.W(16) / 2 + e.W(18) / 2 + e.W(20) / 2 + 10 * e.S8(26) - 5 * e.B(35) - 5 * e.B(91);
        case 2:
            return 11 * e.B(51) - 3 * e.B(52) + e.B(124) + 11 * e.B(125) + 5 * e.B(58) + 11 * e.B(57);
        case 3:
            return 33 * (e.B(86) + e.B(88) + e.B(90));
        case 4:
            return 11 * e.B(43) + 11 * e.B(83) + e.B(54) + 21 * e.B(47) - 9 * e.B(44) - 9 * e.B(84);
        default:
            return std::max(e.W(22) - 40, 0) * 100 / 60;
    }
}

}  // namespace

int16_t HVW_CalcReportPlayerAttribute(const uint8_t* playerReport, int16_t category) {
    if (playerReport == nullptr || category < 0 || category >= kRatingCategories) return 0;
    return int16_t(std::clamp(RawRating(ReportEntry{playerReport}, category), 0, kRatingMax));
}

int16_t HVW_CalcMatchPlayerAttribute(int16_t slot, int16_t team, int16_t category) {
    if (slot < 0 || slot >= kTeamReportPlayers || team < 0 || team > 1) return 0;
    const TeamMatchReport& report = GetMatchBlock()->teams[team];
    return HVW_CalcReportPlayerAttribute(report.bytes + kReportPlayers + slot * kPlayerReportSize, category);
}

int16_t HVW_GetMatchPlayerAttribute(int16_t slot, int16_t team, int16_t category) {
    return HVW_CalcMatchPlayerAttribute(slot, team, category);
}

namespace {

constexpr int kFansBands = 21;
constexpr int16_t kFansBandText[kFansBands] = {
    1192, 1193, 1610, 1183, 1611, 1184, 1612, 1185, 1613, 1186, 1614,
    1187, 1615, 1188, 1616, 1189, 1617, 1190, 1618, 1191, 1619,
};

}  // namespace

int16_t HVW_GetPlayerFansText(uint16_t player) {
    const int band = std::clamp(int(GetPlayerFans(player)) * 100 / 63 / 5, 0, kFansBands - 1);
    return kFansBandText[band];
}
