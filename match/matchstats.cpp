#include "match/matchstats.h"

#include <algorithm>
#include <cstring>

#include "match/matchfigure.h"
#include "match/matchresult.h"
#include "match/matchsetup.h"
#include "support/bytes.h"

// ---------------------------------------------------------------------------
// Player statistics records

using namespace gameinfo;

namespace {

using recbits::StoreU16;

// Byte positions in the record (the player report's positions less 12).
constexpr int kRecordBase = kPlayerStatsRecord;
constexpr int At(int reportOffset) { return reportOffset - kRecordBase; }

// The three measures that the relative scores compare across all players.
int MeasureA(const MatchFigure& f) { return f.touches; }
int MeasureB(const MatchFigure& f) {
    return f.counts[kCountShortPassesGood] + f.counts[kCountLongPassesGood];
}
int MeasureC(const MatchFigure& f) { return f.counts[kCountTacklesWon] + f.counts[kCountIntercepts]; }

int HighestOfAll(int (*measure)(const MatchFigure&)) {
    int highest = 1;
    for (int figure = 0; figure < kPlayerFigures; ++figure)
        highest = std::max(highest, measure(MatchFigures[figure]));
    return highest;
}

int8_t ReportMinute(uint32_t tick) { return int8_t(std::min<uint32_t>(tick / kTicksPerReportMinute, 127)); }

int CardState(const MatchFigure& f) {
    if (f.sentOff != 0) return 3;
    return std::min<int>(f.cautions, 2);
}

}  // namespace

void MatchComputePlayerRatings(uint8_t (*records)[kStatsRecordBytes], int16_t side) {
    static_assert(kStatsRecordBytes == kPlayerStatsRecordSize);
    if (side != 0 && side != 1) return;
    const int highestA = HighestOfAll(MeasureA);
    const int highestB = HighestOfAll(MeasureB);
    const int highestC = HighestOfAll(MeasureC);
    for (int entry = 0; entry < kTeamFigures; ++entry) {
        const int figure = side * kTeamFigures + entry;
        const MatchFigure& f = MatchFigures[figure];
        uint8_t* r = records[entry];
        std::memset(r, 0, kStatsRecordBytes);
        StoreU16(r + At(kPlayerNumber),
                 uint16_t(GameInfo.I16(PlayerInfoAt(side, entry) + kPlayerInfoNumber)));
        StoreU16(r + At(kStatsRelativeScoreA), uint16_t(95 * MeasureA(f) / highestA));
        StoreU16(r + At(kStatsRelativeScoreB), uint16_t(95 * MeasureB(f) / highestB));
        StoreU16(r + At(kStatsRelativeScoreC), uint16_t(95 * MeasureC(f) / highestC));
        StoreU16(r + At(kStatsValueW), uint16_t(MatchRatePlayer(0, int16_t(figure))));
        const bool played = MatchMark(f) > 0;
        if (played) {
            r[At(kStatsStartMinute)] = uint8_t(ReportMinute(f.firstActiveTick));
            r[At(kStatsEndMinute)] = uint8_t(ReportMinute(std::max(f.lastActiveTick, f.firstActiveTick)));
        }
        r[At(kStatsInjured)] = f.injury > 0 ? 1 : 0;
        const bool keeper = played && entry == 0;
        StoreU16(r + At(kStatsKeeperFlags), keeper ? 1 : 0);
        r[At(kStatsOutfieldFlags)] = played && !keeper ? 1 : 0;
        StoreU16(r + At(kStatsPackedWord), uint16_t(CardState(f) << 6));
    }
}
