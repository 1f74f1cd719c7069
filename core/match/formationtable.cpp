// Building a team's formation table from its (mirrored) tactic: where each
// outfield player stands for every zone of the ball and for the restarts.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/base/bytes.h"
#include "core/match/formation.h"
#include "core/match/geometry.h"
#include "core/match/teamsetup.h"

namespace {

#include "data/formationtables.inc"

constexpr int kRows = 15;     // across the pitch, 0..14
constexpr int kColumns = 18;  // along it from the team's own goal, 0..17
constexpr int kBaseRow = 5, kBaseColumn = 7;
constexpr int kSecondRow = 9, kSecondColumn = 11;
constexpr int kThirdRow = 20, kThirdColumn = 22;
constexpr int kRunRow = 24;
constexpr int16_t kKickOffAlongLimit = 750;
constexpr int16_t kCentreCircleAlong = 570;
constexpr int16_t kCentreCircleLow = 320, kCentreCircleHigh = 680;

int16_t Word(int entry, int at) {
    return int16_t(recbits::LoadU16(FormationWorkingTactic.bytes + entry * kTacticEntrySize + at));
}
void SetWord(int entry, int at, int16_t value) {
    recbits::StoreU16(FormationWorkingTactic.bytes + entry * kTacticEntrySize + at, uint16_t(value));
}

// A tactic cell outside the grid comes from a damaged or hand-edited file:
// it is kept on the grid and reported, rather than ending the game without
// a word (and with a success status) in the middle of a match, or reading
// past the restart table with a row off the grid.
int16_t ClampedCell(int entry, int16_t value, int limit, const char* what) {
    if (value >= 0 && value <= limit) return value;
    const int16_t clamped = int16_t(std::clamp<int>(value, 0, limit));
    std::printf("MatchTeam_MirrorPositions(): Warning: tactic %s %d of slot %d outside 0..%d; %d used\n",
                what, int(value), entry, limit, int(clamped));
    return clamped;
}

// A grid point in formation space and its cells.
struct GridPoint {
    int across, along;
    int columnCell, rowCell;
    int columnBlock() const { return columnCell / 3; }
    int rowBlock() const { return rowCell / 3; }
    int third() const { return columnCell < 6 ? 0 : columnCell < 12 ? 1 : 2; }
};

GridPoint PointOf(int row, int column) {
    GridPoint p{};
    p.across = row * kFormationAcross / kRows + 33;
    p.along = column * kFormationAlong / kColumns + 41;
    p.columnCell = Formation_ColumnOfX(p.along);
    p.rowCell = Formation_RowOfY(p.across);
    return p;
}

int Zone(int alongBand, int acrossBand) { return alongBand * 5 + acrossBand; }

// The along factor of a point for a ball along-band, averaged with the
// neighbouring column block's and, for the team without the ball,
// squeezed by the point's third of the pitch.
float AlongFactorOf(const GridPoint& p, int alongBand, int variant) {
    const int block = p.columnBlock();
    const float t = float(p.along) / 1500.0f + 0.5f;
    int neighbour = t > float(block) ? block + 1 : (t == float(block) ? block : block - 1);
    if (alongBand == 5 && block == 5) neighbour = 5;
    neighbour = std::clamp(neighbour, 0, 5);
    float f =
        (kAlongFactor[block][p.rowBlock()][alongBand] + kAlongFactor[neighbour][p.rowBlock()][neighbour]) /
        2.0f;
    if (variant == 1) f *= kSqueezeFactor[p.third()][alongBand];
    return f;
}

int Truncated(float value) { return int(std::trunc(value)); }

void KeepInside(FormationPoint& point) {
    point.across = int16_t(std::clamp<int>(point.across, 0, kFormationAcross));
    point.along = int16_t(std::clamp<int>(point.along, 0, kFormationAlong));
}

void BallZones(FormationPoint (*table)[kFormationPlayers], int player, const GridPoint& p, int variant) {
    for (int k = 0; k < 6; ++k) {
        const int alongValue = Truncated(float(p.along) * AlongFactorOf(p, k, variant));
        for (int j = 0; j < 5; ++j) {
            FormationPoint& point = table[Zone(k, j)][player];
            point.across = int16_t(Truncated(float(p.across) * kAcrossFactor[p.rowBlock()][j]));
            point.along = int16_t(alongValue);
        }
    }
}

// Variant A: a player whose second place lies further up the pitch moves
// toward it as the ball advances (along-bands 3..5), and toward its side.
void SecondPlacePass(FormationPoint (*table)[kFormationPlayers], int player, const GridPoint& p, int entry) {
    const int16_t row2 = Word(entry, kSecondRow);
    if (row2 < 0) return;
    const GridPoint q = PointOf(row2, Word(entry, kSecondColumn));
    if (q.along <= p.along) return;
    for (int j = 0; j < 5; ++j) {
        const float u0 = table[Zone(0, j)][player].along;
        for (int k = 3; k <= 5; ++k) {
            const float target = float(Truncated(float(q.along) * AlongFactorOf(q, k, 0)));
            table[Zone(k, j)][player].along =
                int16_t(Truncated(u0 + std::fabs(u0 - target) * float(k) / 6.0f));
        }
    }
    if (q.across == p.across) return;
    const bool towardLeft = q.across < p.across;
    for (int k = 3; k <= 5; ++k) {
        const float u = table[Zone(k, towardLeft ? 0 : 4)][player].across;
        for (int j = 0; j < 5; ++j) {
            const float target = float(Truncated(float(q.across) * kAcrossFactor[q.rowBlock()][j]));
            const float shift = std::fabs(u - target) * 0.2f * float(5 - k);
            table[Zone(k, j)][player].across = int16_t(Truncated(towardLeft ? u - shift : u + shift));
        }
    }
}

// Variant B: a player whose third place lies deeper drops toward it as the
// ball comes toward his goal (along-bands 0..2), and toward its side.
void ThirdPlacePass(FormationPoint (*table)[kFormationPlayers], int player, const GridPoint& p, int entry) {
    const int16_t row3 = Word(entry, kThirdRow);
    if (row3 < 0) return;
    const GridPoint q = PointOf(row3, Word(entry, kThirdColumn));
    if (q.along >= p.along) return;
    for (int j = 0; j < 5; ++j) {
        const float u5 = table[Zone(5, j)][player].along;
        for (int k = 0; k <= 2; ++k) {
            const float target = float(Truncated(float(q.along) * AlongFactorOf(q, k, 1)));
            table[Zone(k, j)][player].along =
                int16_t(Truncated(u5 - std::fabs(u5 - target) * float(5 - k) / 6.0f));
        }
    }
    if (q.across == p.across) return;
    const bool towardLeft = q.across < p.across;
    for (int k = 0; k <= 2; ++k) {
        const float u = table[Zone(k, towardLeft ? 0 : 4)][player].across;
        for (int j = 0; j < 5; ++j) {
            const float target = float(Truncated(float(q.across) * kAcrossFactor[q.rowBlock()][j]));
            const float shift = std::fabs(u - target) * 0.2f * float(3 - k);
            table[Zone(k, j)][player].across = int16_t(Truncated(towardLeft ? u - shift : u + shift));
        }
    }
}

// In every ball zone the player nearest the zone's centre stands on it.
void SnapToZoneCentres(FormationPoint (*table)[kFormationPlayers]) {
    for (int k = 0; k < 6; ++k) {
        for (int j = 0; j < 5; ++j) {
            const int cx = j * 200 + 100;
            const int cy = k * 250 + 125;
            FormationPoint* points = table[Zone(k, j)];
            int best = 0;
            int bestDistance = Match_ApproxDistance(points[0].across, points[0].along, cx, cy);
            for (int i = 1; i < kFormationPlayers; ++i) {
                const int d = Match_ApproxDistance(points[i].across, points[i].along, cx, cy);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            points[best] = {int16_t(cx), int16_t(cy)};
        }
    }
}

}  // namespace

void MatchTeam_MirrorPositions() {
    for (int entry = 0; entry < kTacticEntries; ++entry) {
        const int16_t row = ClampedCell(entry, Word(entry, kBaseRow), kRows - 1, "row");
        SetWord(entry, kBaseRow, int16_t(kRows - 1 - row));
        SetWord(entry, kBaseColumn, ClampedCell(entry, Word(entry, kBaseColumn), kColumns - 1, "column"));
        for (const int at : {kSecondRow, kThirdRow, kRunRow}) {
            const int16_t further = Word(entry, at);
            if (further < 0) continue;
            SetWord(entry, at, int16_t(kRows - 1 - ClampedCell(entry, further, kRows - 1, "row")));
        }
    }
}

void MatchTeam_BuildFormationTable(int variant) {
    FormationPoint(*table)[kFormationPlayers] = FormationScratch + (variant == 0 ? 0 : kVariantB);
    for (int slot = 1; slot <= kFormationPlayers; ++slot) {
        const int player = slot - 1;
        const int16_t row = Word(slot, kBaseRow);
        const int16_t column = Word(slot, kBaseColumn);
        const GridPoint p = PointOf(row, column);

        FormationPoint& kickOff = table[kSituationKickOff][player];
        const int mirroredCell = Formation_ColumnOfX((17 - column) * kFormationAlong / kColumns + 41);
        int along =
            std::min(Truncated(float(p.along) * kKickOffFactor[mirroredCell]), int(kKickOffAlongLimit));
        if (variant == 1 && along > kCentreCircleAlong && p.across > kCentreCircleLow &&
            p.across < kCentreCircleHigh) {
            along = kCentreCircleAlong;
        }
        kickOff = {int16_t(p.across), int16_t(along)};
        table[kSituationGoalKick][player] = {
            int16_t(p.across), int16_t(Truncated(float(p.along) * kGoalKickFactor[p.columnCell]))};
        const int16_t* restart = kRestartPoints[p.columnCell * kRows + p.rowCell];
        table[kSituationSetPiece][player] = {restart[0], restart[1]};
        table[kSituationSetPieceB][player] = {restart[0], restart[1]};

        BallZones(table, player, p, variant);
        if (variant == 0) {
            SecondPlacePass(table, player, p, slot);
        } else {
            ThirdPlacePass(table, player, p, slot);
        }
    }
    for (int situation = 0; situation < kSituationsPerVariant; ++situation) {
        for (FormationPoint& point : table[situation]) KeepInside(point);
    }
    SnapToZoneCentres(table);
}
