#include "core/match/computermanager.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "core/club/tactics.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/teamsetup.h"

using namespace gameinfo;

TacticsZoneGrid TacticsZones[2];

namespace {

constexpr int kFirstOutfieldSlot = 1;
constexpr int kLastOutfieldSlot = 10;
constexpr int kFullSide = 11;
constexpr int kHoleFillRounds = 10;
constexpr int16_t kLastRow = 17;
constexpr int16_t kLastColumn = 14;
constexpr int16_t kCentreColumn = 7;
constexpr int16_t kNone = -1;
constexpr uint8_t kResetFlags = 0x1F;
constexpr int16_t kRunTargetAlong = 13;
constexpr int16_t kRunTargetSideShift = 5;
constexpr int16_t kLastMinute = 90;
// Start and length of each period in minutes.
constexpr int16_t kPeriodStart[4] = {0, 45, 90, 105};
constexpr int16_t kPeriodMinutes[4] = {45, 45, 15, 15};

uint8_t* SlotEntry(int team, int slot) { return MatchTacticRecord[team & 1].bytes + slot * kTacticEntrySize; }

uint8_t& Byte(int team, int slot, int field) { return SlotEntry(team, slot)[field]; }

int16_t Word(int team, int slot, int field) { return recbits::LoadI16(SlotEntry(team, slot) + field); }
void SetWord(int team, int slot, int field, int value) {
    recbits::StoreI16(SlotEntry(team, slot) + field, int16_t(value));
}

// Row and column bands of a place, kept inside the grid whatever the record
// holds.
int RowBand(int y) { return std::clamp(y, 0, int(kLastRow)) / 3; }
int ColumnBand(int x) { return std::clamp(x, 0, int(kLastColumn)) / 3; }

bool Computer(int team) { return GameInfo.TeamU8(team, kHumanManagedAtStart) == 0; }

void ClearRunTarget(int team, int slot) {
    SetWord(team, slot, kSlotRunAcross, kNone);
    SetWord(team, slot, kSlotRunAlong, kNone);
}

// Restores the starting record, fills the holes left by players who can no
// longer play (with the zones counted before the restore) and evens the
// rows: the common start of the push forward and the drop back.
void RestoreAndFill(int team) {
    Tactics_CountZones(team);
    const bool short_ = TacticsZones[team].activeCount < kFullSide;
    MatchResetTeamTactics(int16_t(team));
    if (short_) {
        for (int round = 0; round < kHoleFillRounds; ++round) {
            const int16_t slot = Tactics_FindSlot(team);
            if (slot < 0) break;
            Tactics_CountZones(team);
            Tactics_FillFromAhead(team, RowBand(Word(team, slot, kSlotY)),
                                  ColumnBand(Word(team, slot, kSlotX)), slot);
        }
    }
    Tactics_BalanceZones(team);
}

// Whether the team's row band is left out of the search for a player to
// fill a hole: a lone player whose neighbouring band is empty holds it.
bool BandHeld(const TacticsZoneGrid& grid, int band) {
    if (grid.rowCount[band] != 1) return false;
    if (band % 2 == 1) return grid.rowCount[band - 1] == 0;
    return band + 1 >= kTacticRowBands || grid.rowCount[band + 1] == 0;
}

}  // namespace

int16_t Tactics_SlotWord(int team, int slot, int field) { return Word(team, slot, field); }

int16_t Tactics_MatchMinute() {
    const int period = std::min<int>(Period, 3);
    int64_t minute = kPeriodStart[period];
    if (PeriodLength != 0) {
        minute += int64_t(kPeriodMinutes[period]) * PeriodClock * 60 / PeriodLength / 60;
    }
    return int16_t(std::min<int64_t>(minute, kLastMinute));
}

bool Tactics_SlotAvailable(int team, int slot) {
    const int16_t figure = MatchLineUp[team & 1][slot];
    if (figure < 0 || figure >= kPlayerFigures) return false;
    const MatchFigure& f = MatchFigures[figure];
    return f.off == 0 && f.sentOff == 0 && f.cautions < 2;
}

void Tactics_UpdateComputerTeams() {
    for (int team = 0; team < 2; ++team) {
        if (!Computer(team)) continue;
        const int lead = (Goals[team] + OldGoals[team]) - (Goals[team ^ 1] + OldGoals[team ^ 1]);
        if (lead == 1 || lead == 2) {
            Tactics_DropBack(team);
        } else if (lead < 0) {
            Tactics_PushForward(team);
        } else {
            Tactics_Restore(team);
        }
        MatchTeam_TakeWorkingCopy(team);
        MatchTeam_ApplyTactics(team);
        MatchTeam_ApplySetup(team);
    }
}

void Tactics_Restore(int team) {
    MatchResetTeamTactics(int16_t(team));
    Tactics_CountZones(team);
    if (TacticsZones[team].activeCount < kFullSide) {
        for (int round = 0; round < kHoleFillRounds; ++round) {
            const int16_t slot = Tactics_FindSlot(team);
            if (slot < 0) break;
            Tactics_FillHole(team, slot);
        }
    }
    Tactics_BalanceZones(team);
}

void Tactics_PushForward(int team) {
    const int minute = Tactics_MatchMinute();
    RestoreAndFill(team);
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        const int x = Word(team, slot, kSlotX);
        int y = Word(team, slot, kSlotY);
        if (y / 2 > minute / 9) continue;
        if (Word(team, slot, kSlotFrontY) < y) {
            SetWord(team, slot, kSlotFrontX, x);
            SetWord(team, slot, kSlotFrontY, y);
        }
        // One row up, never past the last row the grid counts.
        for (int field : {kSlotY, kSlotRearY, kSlotFrontY})
            SetWord(team, slot, field, std::min<int>(Word(team, slot, field) + 1, kLastRow));
        y = Word(team, slot, kSlotY);
        if (y < 7 && Byte(team, slot, kSlotInstruction2) == 0) {
            Byte(team, slot, kSlotInstruction2) = 1;
            if (Word(team, slot, kSlotRunAlong) < 0) {
                SetWord(team, slot, kSlotRunAlong, kRunTargetAlong);
                const int across = x < kCentreColumn   ? x + kRunTargetSideShift
                                   : x > kCentreColumn ? x - kRunTargetSideShift
                                                       : x;
                SetWord(team, slot, kSlotRunAcross, across);
            }
        }
        if (Byte(team, slot, kSlotInstruction1) == 0 && y > 5) Byte(team, slot, kSlotInstruction1) = 2;
        if (Byte(team, slot, kSlotInstruction3) != 0) Byte(team, slot, kSlotInstruction1) = 3;
    }
}

void Tactics_DropBack(int team) {
    const int minute = Tactics_MatchMinute();
    RestoreAndFill(team);
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        const int x = Word(team, slot, kSlotX);
        const int y = Word(team, slot, kSlotY);
        if ((18 - y) / 2 > minute / 10) continue;
        if (y < Word(team, slot, kSlotRearY)) {
            SetWord(team, slot, kSlotRearX, x);
            SetWord(team, slot, kSlotRearY, y);
        }
        // One row back, never behind the first row: a row below 0 lies off
        // the grid that the formation table is built on.
        for (int field : {kSlotY, kSlotRearY, kSlotFrontY})
            SetWord(team, slot, field, std::max<int>(Word(team, slot, field) - 1, 0));
        if (Byte(team, slot, kSlotInstruction1) == 3) Byte(team, slot, kSlotInstruction1) = 0;
        if (Byte(team, slot, kSlotInstruction3) != 0) Byte(team, slot, kSlotInstruction3) = 1;
        if (Word(team, slot, kSlotRunAlong) >= 0) {
            ClearRunTarget(team, slot);
            if (Byte(team, slot, kSlotInstruction2) != 1) Byte(team, slot, kSlotInstruction2) = 2;
        }
        if (Word(team, slot, kSlotY) < 7 && Byte(team, slot, kSlotInstruction2) == 0)
            Byte(team, slot, kSlotInstruction2) = 1;
    }
}

void Tactics_CountZones(int team) {
    TacticsZoneGrid& grid = TacticsZones[team & 1];
    grid = {};
    grid.activeCount = 1;
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        if (!Tactics_SlotAvailable(team, slot)) continue;
        ++grid.activeCount;
        // A place in the first three rows counts in the second band.
        int rearY = Word(team, slot, kSlotRearY);
        if (rearY < 3) rearY = 4;
        const int rearRow = RowBand(rearY), rearColumn = ColumnBand(Word(team, slot, kSlotRearX));
        ++grid.rearRowCount[rearRow];
        ++grid.rearZoneCount[rearRow][rearColumn];
        int y = Word(team, slot, kSlotY);
        if (y < 3) y = 4;
        const int row = RowBand(y), column = ColumnBand(Word(team, slot, kSlotX));
        ++grid.rowCount[row];
        ++grid.zoneCount[row][column];
    }
}

int16_t Tactics_FindPlayerInZone(int team, int rowBand, int columnBand) {
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        if (!Tactics_SlotAvailable(team, slot)) continue;
        if (RowBand(Word(team, slot, kSlotY)) == rowBand &&
            ColumnBand(Word(team, slot, kSlotX)) == columnBand)
            return int16_t(slot);
    }
    return kNone;
}

int16_t Tactics_FindSlot(int team) {
    int16_t found = kNone;
    int nearest = 100;
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        if (Tactics_SlotAvailable(team, slot)) continue;
        const int y = Word(team, slot, kSlotY);
        if (y < nearest) {
            nearest = y;
            found = int16_t(slot);
        }
    }
    return found;
}

void Tactics_FillHole(int team, int slot) {
    Tactics_CountZones(team);
    Tactics_FillFromAhead(team, RowBand(Word(team, slot, kSlotY)), ColumnBand(Word(team, slot, kSlotX)),
                          slot);
}

void Tactics_FillFromAhead(int team, int rowBand, int columnBand, int holeSlot) {
    const TacticsZoneGrid& grid = TacticsZones[team & 1];
    // The zones tried first, by the hole's column band.
    static constexpr int kLeftColumns[] = {0, 1, -1}, kMiddleColumns[] = {2, 3, 1},
                         kRightColumns[] = {4, 3, -1};
    const int* columns = columnBand < 2 ? kLeftColumns : columnBand == 2 ? kMiddleColumns : kRightColumns;
    int16_t found = kNone;
    for (int band = rowBand + 1; band < kTacticRowBands && found < 0; ++band) {
        if (BandHeld(grid, band)) continue;
        for (int k = 0; k < 3 && columns[k] >= 0; ++k) {
            const int column = columns[k];
            if (grid.zoneCount[band][column] == 0) continue;
            found = Tactics_FindPlayerInZone(team, band, column);
            if (found >= 0) break;
        }
    }
    for (int band = rowBand + 1; band < kTacticRowBands && found < 0; ++band) {
        if (BandHeld(grid, band)) continue;
        for (int k = 0; k < kTacticColumnBands && found < 0; ++k) {
            const int column = columnBand >= 2 ? kTacticColumnBands - 1 - k : k;
            found = Tactics_FindPlayerInZone(team, band, column);
        }
    }
    if (found >= 0) Tactics_SwapSlots(team, found, holeSlot);
    Tactics_CountZones(team);
}

void Tactics_BalanceZones(int team) {
    for (int band = 0; band < kTacticRowBands; ++band) {
        const auto& zones = TacticsZones[team & 1].zoneCount[band];
        if (zones[0] != zones[4] || zones[1] != zones[3]) Tactics_SpaceRow(team, band, 0, 4);
        if (zones[2] == 1) Tactics_SpaceRow(team, band, 2, 2);
    }
}

void Tactics_SpaceRow(int team, int rowBand, int columnA, int columnB) {
    const int y = rowBand * 3 + 1;
    if (columnA == columnB) {
        const int16_t slot = Tactics_FindPlayerInZone(team, rowBand, columnA);
        if (slot >= 0 && Word(team, slot, kSlotX) != kCentreColumn)
            Tactics_ResetSlot(team, slot, y, columnB * 3 + 1);
        return;
    }
    int row[kLastOutfieldSlot];
    int count = 0;
    for (int column = 0; column < kTacticColumnBands; ++column) {
        for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
            if (!Tactics_SlotAvailable(team, slot)) continue;
            if (RowBand(Word(team, slot, kSlotY)) == rowBand &&
                ColumnBand(Word(team, slot, kSlotX)) == column)
                row[count++] = slot;
        }
    }
    static constexpr int kSpacing[4][4] = {{7}, {5, 9}, {4, 7, 10}, {2, 5, 9, 12}};
    if (count == 0 || count > 4) return;
    for (int k = 0; k < count; ++k) Tactics_ResetSlot(team, row[k], y, kSpacing[count - 1][k]);
}

void Tactics_SwapSlots(int team, int a, int b) {
    for (int field : {kSlotX, kSlotY, kSlotRearX, kSlotRearY, kSlotFrontX, kSlotFrontY}) {
        const int16_t first = Word(team, a, field);
        SetWord(team, a, field, Word(team, b, field));
        SetWord(team, b, field, first);
    }
    Byte(team, a, kSlotInstruction1) = Byte(team, a, kSlotInstruction2) = Byte(team, a, kSlotInstruction3) =
        0;
    ClearRunTarget(team, a);
    SetWord(team, a, kSlotMarking, kNone);
    Byte(team, a, kSlotFlags) |= kResetFlags;
}

void Tactics_ResetSlot(int team, int slot, int y, int x) {
    Byte(team, slot, kSlotInstruction1) = Byte(team, slot, kSlotInstruction2) =
        Byte(team, slot, kSlotInstruction3) = 0;
    SetWord(team, slot, kSlotMarking, kNone);
    ClearRunTarget(team, slot);
    for (int field : {kSlotX, kSlotRearX, kSlotFrontX}) SetWord(team, slot, field, x);
    for (int field : {kSlotY, kSlotRearY, kSlotFrontY}) SetWord(team, slot, field, y);
    Byte(team, slot, kSlotFlags) |= kResetFlags;
}
