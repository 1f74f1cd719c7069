#include "core/club/stadium.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/records/dates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

const StandStyle StandStyleTable[kStandStyleCount] = {
    {200000, 10, 2000, 1000},     {500000, 50, 4000, 2000},      {1000000, 100, 8000, 4000},
    {1500000, 120, 10000, 6000},  {2500000, 160, 12000, 8000},   {5000000, 200, 16000, 10000},
    {8000000, 240, 20000, 14000}, {12000000, 300, 29000, 20000},
};

GroundOrderRecord GroundOrder[kStandCount];

namespace {

constexpr int kSeatsPerBlock = 1000;
constexpr int kWeeksBooked = 52;
// Rebuild messages for stands 0..3.
constexpr int16_t kRebuildMessage[kStandCount] = {kMsgNewEndStand, kMsgNewMainStand, kMsgNewOtherEndStand,
                                                  kMsgNewOppositeStand};
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int kCrowdBits = 0x7FFFFF;
// Top-division grounds of the database have no stand below style 2.
constexpr int kModernGroundStyle = 2;

int32_t Saturate(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

int16_t BookedWeek() {
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    return week >= 0 && week < kWeeksBooked ? week : int16_t(-1);
}

void Receive(int16_t club, int64_t amount) {
    AddClubBalance(club, Saturate(amount));
    if (const int16_t week = BookedWeek(); week >= 0)
        SetClubWeekMiscIn(club, Saturate(int64_t(GetClubWeekMiscIn(club, week)) + amount), week);
    SetClubSeasonMiscIn(club, Saturate(int64_t(GetClubSeasonMiscIn(club)) + amount));
}

void Pay(int16_t club, int64_t amount) {
    AddClubBalance(club, Saturate(-amount));
    if (const int16_t week = BookedWeek(); week >= 0)
        SetClubWeekMiscOut(club, Saturate(int64_t(GetClubWeekMiscOut(club, week)) + amount), week);
    SetClubSeasonMiscOut(club, Saturate(int64_t(GetClubSeasonMiscOut(club)) + amount));
}

void PostStadiumMessage(int16_t club, int16_t type, int32_t seats) {
    AddMessage(club, -1, kNoPlayer, kNoPlayer, -1, -1, -1, -1, -1, seats, -1, type, 1, 0);
}

int64_t BlockCost(int style) { return int64_t(StandStyleTable[style].costPerThousand) * 1000; }

int32_t Headroom(int16_t club, int stand) {
    return std::max(0,
                    StandMaxSeats(StandStyleOf(club, stand), stand) - StandThousandsOf(club, stand) * 1000);
}

int64_t SquadWages(int16_t club) {
    BuildClubSquadList(club);
    int64_t wages = 0;
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (IsPlayerNumber(player) && GetPlayerClub(player) == uint16_t(club)) wages += GetPlayerWage(player);
    }
    return wages;
}

// Buys 1000-seat blocks for one stand at its own style's price while the
// next block still leaves the total below the budget.  Returns whether
// anything was built.
bool ExtendStand(int16_t club, int stand, int64_t budget) {
    const int style = StandStyleOf(club, stand);
    const int64_t cost = BlockCost(style);
    const int room = Headroom(club, stand) / kSeatsPerBlock;
    int blocks = 0;
    while (blocks < room && (blocks + 1) * cost < budget) ++blocks;
    if (blocks == 0) return false;
    SetStand(club, stand, style, StandThousandsOf(club, stand) + blocks);
    PostStadiumMessage(club, kMsgSeatsAdded, blocks * kSeatsPerBlock);
    Pay(club, blocks * cost);
    return true;
}

// Equal styles: one budget for blocks across the stands, side stand 1
// first, then 0, then the ends 3 and 2.
void ExtendEvenGround(int16_t club, int64_t budget) {
    const int style = StandStyleOf(club, 0);
    const int64_t cost = BlockCost(style);
    int bought = 0;
    for (int stand : {1, 0, 3, 2}) {
        int room = Headroom(club, stand) / kSeatsPerBlock;
        int added = 0;
        while (room > 0 && (bought + 1) * cost < budget) {
            ++added;
            ++bought;
            --room;
        }
        if (added > 0) SetStand(club, stand, style, StandThousandsOf(club, stand) + added);
    }
    if (bought == 0) return;
    PostStadiumMessage(club, kMsgSeatsAdded, bought * kSeatsPerBlock);
    Pay(club, bought * cost);
}

void ExtendMixedGround(int16_t club, int64_t budget) {
    int s[kStandCount];
    for (int i = 0; i < kStandCount; ++i) s[i] = StandStyleOf(club, i);
    bool sideZero = false;
    if (Headroom(club, 1) > 0 && s[1] >= s[0] && s[1] >= s[2] && s[1] >= s[3]) {
        ExtendStand(club, 1, budget);
    } else if (Headroom(club, 0) > 0 && s[0] >= s[3] && s[0] >= s[2]) {
        ExtendStand(club, 0, budget);
        sideZero = true;
    }
    if (!sideZero && Headroom(club, 3) > 0 && s[3] >= s[2])
        ExtendStand(club, 3, budget);
    else
        ExtendStand(club, 2, budget);
}

// The stand a full ground rebuilds next, -1 for none.
int StandToRebuild(int16_t club) {
    int s[kStandCount];
    for (int i = 0; i < kStandCount; ++i) s[i] = StandStyleOf(club, i);
    if (s[0] == s[1] && s[1] == s[2] && s[2] == s[3]) return s[1] < kStandStyleCount - 1 ? 1 : -1;
    if (s[0] < s[1]) return 0;
    if (s[3] < s[0]) return 3;
    return s[2] < kStandStyleCount - 1 ? 2 : -1;
}

void RebuildStand(int16_t club, int64_t budget) {
    const int stand = StandToRebuild(club);
    if (stand < 0) return;
    const int style = StandStyleOf(club, stand);
    const StandStyle& old = StandStyleTable[style];
    const int64_t oldValue =
        (int64_t(old.buildCost) + int64_t(StandThousandsOf(club, stand)) * old.costPerThousand) * 20 / 100;
    const int64_t newCost = StandStyleTable[style + 1].buildCost;
    if (budget + oldValue <= newCost) return;
    PostStadiumMessage(club, kRebuildMessage[stand], -1);
    SetStand(club, stand, style + 1, 0);
    Receive(club, oldValue);
    Pay(club, newCost);
}

void UpdateGround(int16_t club) {
    const int32_t crowd = GetClubAvgAttendanceField(club);
    const int16_t rep = int16_t(GetClubRep(club));
    if (crowd / 1000 > rep)
        SetClubRep(club, int16_t(rep + 1));
    else if (crowd / 500 < rep)
        SetClubRep(club, int16_t(rep - 1));

    int64_t seats = 0, headroom = 0;
    for (int stand = 0; stand < kStandCount; ++stand) {
        seats += int64_t(StandThousandsOf(club, stand)) * 1000;
        headroom += Headroom(club, stand);
    }
    if (seats * 80 / 100 >= crowd) return;

    const int64_t spare = std::max<int64_t>(int64_t(GetClubBalance(club)) - 75 * SquadWages(club), 0);
    const int64_t budget = spare * 50 / 100;
    if (headroom > 0) {
        const int style = StandStyleOf(club, 0);
        bool even = true;
        for (int stand = 1; stand < kStandCount; ++stand) even = even && StandStyleOf(club, stand) == style;
        if (even)
            ExtendEvenGround(club, budget);
        else
            ExtendMixedGround(club, budget);
    } else {
        RebuildStand(club, budget);
    }
}

// Clamps an order from the ground screen to a style that exists and to
// what the stand can hold.
void ClampOrder(GroundOrderRecord& o, int stand) {
    o.newStyle = int16_t(std::clamp<int>(o.newStyle, -1, kStandStyleCount - 1));
    if (o.newStyle >= 0) o.seats = uint16_t(std::min<int>(o.seats, StandMaxSeats(o.newStyle, stand) / 1000));
}

}  // namespace

int StandStyleOf(int16_t club, int stand) {
    switch (stand) {
        case 0:
            return GetClubStandStyle0(club);
        case 1:
            return GetClubStandStyle1(club);
        case 2:
            return GetClubStandStyle2(club);
        default:
            return GetClubStandStyle3(club);
    }
}

int StandThousandsOf(int16_t club, int stand) {
    switch (stand) {
        case 0:
            return GetClubStandCapacity0(club);
        case 1:
            return GetClubStandCapacity1(club);
        case 2:
            return GetClubStandCapacity2(club);
        default:
            return GetClubStandCapacity3(club);
    }
}

void SetStand(int16_t club, int stand, int style, int thousands) {
    const int16_t s = int16_t(std::clamp(style, 0, kStandStyleCount - 1));
    const int16_t t = int16_t(std::clamp(thousands, 0, StandMaxSeats(s, stand) / 1000));
    switch (stand) {
        case 0:
            SetClubStandStyle0(club, s), SetClubStandCapacity0(club, t);
            break;
        case 1:
            SetClubStandStyle1(club, s), SetClubStandCapacity1(club, t);
            break;
        case 2:
            SetClubStandStyle2(club, s), SetClubStandCapacity2(club, t);
            break;
        default:
            SetClubStandStyle3(club, s), SetClubStandCapacity3(club, t);
            break;
    }
}

int32_t StandMaxSeats(int style, int stand) {
    const StandStyle& row = StandStyleTable[std::clamp(style, 0, kStandStyleCount - 1)];
    return stand < 2 ? row.sideMax : row.endMax;
}

void ResetGroundOrders() {
    for (GroundOrderRecord& o : GroundOrder) o = {-1, 0, 0};
}

void BuildStandsFromCapacity(int16_t club, int16_t record) {
    if (!IsClubNumber(club) || record < 0 || record >= TOTSTAT_CLUB_COUNT) return;
    const TotStatClub& row = TotStatClubs[record];
    const int64_t total = GetTotStatClubCapacity(row);
    const int baseStyle = int(std::min<int64_t>(total / 10000, kStandStyleCount - 1));
    auto blocks = [](int64_t seats) { return std::max<int64_t>(seats, 1000) / 1000 * 1000; };
    int64_t seats[kStandCount];
    seats[2] = seats[3] = blocks(total * 17 / 100);
    seats[1] = blocks((total - 2 * seats[2]) / 2);
    seats[0] = blocks(total - seats[1] - 2 * seats[2]);
    const bool modern = GetTotStatClubDivision(row) == 0;
    for (int stand = 0; stand < kStandCount; ++stand) {
        int style = baseStyle;
        if (seats[stand] > StandMaxSeats(style, stand) && style < kStandStyleCount - 1) ++style;
        if (modern) style = std::max(style, kModernGroundStyle);
        const int64_t kept = std::min<int64_t>(seats[stand], StandMaxSeats(style, stand));
        SetStand(club, stand, style, int(kept / 1000));
    }
}

void ComputerStadiumUpdate() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        if (!IsPlayedLeagueNation(GetClubNation(club)) || GetClubDivision(club) >= 6) continue;
        UpdateGround(club);
    }
}

void HumanGroundRedevelopment(int16_t club) {
    if (!IsClubNumber(club) || GetClubControl(club) == 0) {
        std::printf("Cannot do HumanGroundRedevelopment on a stadium belonging to a computer managed team\n");
        FatalExit(__func__);
    }
    for (int stand = 0; stand < kStandCount; ++stand) {
        GroundOrderRecord& o = GroundOrder[stand];
        ClampOrder(o, stand);
        if (o.newStyle >= 0) {
            const int64_t cost =
                int64_t(StandStyleTable[o.newStyle].buildCost) + o.seats * BlockCost(o.newStyle);
            // An order the club cannot pay for waits until it can.
            if (cost > GetClubBalance(club)) continue;
            SetStand(club, stand, o.newStyle, 0);
            Pay(club, cost);
            o = {-1, 0, o.seats};
            continue;
        }
        const int style = StandStyleOf(club, stand);
        if (o.pending != 0) {
            SetStand(club, stand, style, o.pending);
            o.pending = 0;
        }
        const int room = Headroom(club, stand) / 1000;
        const int seats = std::min<int>(o.seats, room);
        const int64_t cost = seats * BlockCost(style);
        if (cost > GetClubBalance(club)) continue;
        if (seats > 0) {
            SetStand(club, stand, style, StandThousandsOf(club, stand) + seats);
            Pay(club, cost);
        }
        o.seats = 0;
    }
}

void AddMatchMerchandising(int16_t fixture, int16_t home, int16_t away) {
    if (fixture < 0 || fixture >= kFixtureSlots || !IsClubNumber(home) || !IsClubNumber(away)) return;
    const int64_t crowd = recbits::LoadU32(FixtureTable[fixture].bytes + kFixtureCrowdWord) & kCrowdBits;
    const double price = HVW_GetTicketPrice(int16_t(GetClubDivision(home)), int16_t(GetClubNation(home)));
    const int16_t week = BookedWeek();
    for (auto [club, share] : {std::pair{home, 0.5}, std::pair{away, 0.2}}) {
        const int64_t amount = int64_t(double(crowd) * price * share);
        if (week >= 0)
            SetClubWeeksMerchandising(club, Saturate(GetClubWeeksMerchandising(club, week) + amount), week);
        SetClubSeasonMerchandising(club, Saturate(GetClubSeasonMerchandising(club) + amount));
        AddClubBalance(club, Saturate(amount));
    }
}
