#include "management/stadium.h"

// Stands keep their size until the redevelopment plans exist.
void HumanGroundRedevelopment(int16_t club) { (void)club; }

#include <algorithm>

#include "database/Access.h"
#include "database/hvw/dataconv.h"
#include "database/ranges.h"

namespace {

// Largest side and end stand in seats by style 0..7.
constexpr int kSideStandMax[8] = {2000, 4000, 8000, 10000, 12000, 16000, 20000, 29000};
constexpr int kEndStandMax[8] = {1000, 2000, 4000, 6000, 8000, 10000, 14000, 20000};

int WholeThousands(int seats) { return seats / 1000 * 1000; }

}  // namespace

// Stands 0 and 1 are side stands, 2 and 3 end stands; a stand too big for
// its style goes up one style, and is then cut to what that style holds.
void BuildStandsFromCapacity(int16_t club, int16_t record) {
    if (!IsClubNumber(club) || record < 0 || record >= TOTSTAT_CLUB_COUNT) return;
    const int capacity = int(std::min<uint32_t>(GetTotStatClubCapacity(TotStatClubs[record]), 1000000));
    const int style = std::min(capacity / 10000, 7);
    const int end = WholeThousands(std::max(capacity * 17 / 100, 1000));
    const int side1 = WholeThousands(std::max((capacity - 2 * end) / 2, 1000));
    const int side0 = WholeThousands(std::max(capacity - side1 - 2 * end, 1000));
    const int seats[4] = {side0, side1, end, end};
    int16_t styles[4], thousands[4];
    for (int stand = 0; stand < 4; ++stand) {
        const int* most = stand < 2 ? kSideStandMax : kEndStandMax;
        int s = style;
        if (seats[stand] > most[s] && s < 7) ++s;
        styles[stand] = int16_t(s);
        thousands[stand] = int16_t(std::min(seats[stand], most[s]) / 1000);
    }
    SetClubStandStyle0(club, styles[0]);
    SetClubStandStyle1(club, styles[1]);
    SetClubStandStyle2(club, styles[2]);
    SetClubStandStyle3(club, styles[3]);
    SetClubStandCapacity0(club, thousands[0]);
    SetClubStandCapacity1(club, thousands[1]);
    SetClubStandCapacity2(club, thousands[2]);
    SetClubStandCapacity3(club, thousands[3]);
}
