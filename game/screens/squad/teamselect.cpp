#include "game/screens/squad/teamselect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/club/teamroles.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/searchfilter.h"

using namespace recbits;

uint16_t PitchGrid[kPitchRows][kPitchColumns];
uint16_t TeamSelectPick = 0;
uint16_t TeamSelectListPlayers[16];
PitchMarker PitchMarkers[kTacticEntries];
int16_t TeamSelectColumnA = 0;
int16_t TeamSelectColumnB = 11;
bool TeamSelectColumnAOff = true;

// ---- Grid conversions and arrows ------------------------------------------------------------

namespace {

constexpr double kCellHeight = 18.5;
constexpr double kCellWidth = 254.0 / 15.0;
constexpr int kDiagramMiddleX = 634;
constexpr uint16_t kWhiteLine = 0xFFFF;
constexpr uint16_t kMarkingLine = 0xE479;

void DrawPitchArrow(uint16_t colour, int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;
    const uint16_t saved = DrawColour;
    SetDrawParam(2, colour);
    DrawCurvedArrow(x1, y1, x2 - x1, y2 - y1, 0, x1 < kDiagramMiddleX ? 0 : 1);
    DrawColour = saved;
}

}  // namespace

int16_t ScreenYToPitchRow(int16_t y) {
    const double cells = std::trunc(std::trunc(double(y) - kPitchTop) / kCellHeight);
    return int16_t(std::clamp(17 - int(cells), 0, kPitchRows - 1));
}

int16_t ScreenXToPitchColumn(int16_t x) {
    const double cells = std::trunc(std::trunc(double(x) - kPitchLeft) / kCellWidth);
    return int16_t(std::clamp(int(cells), 0, kPitchColumns - 1));
}

int16_t PitchRowToScreenY(int16_t row) {
    return int16_t(std::trunc((18 - row) * kCellHeight + kPitchTop - kCellHeight / 2));
}

int16_t PitchColumnToScreenX(int16_t column) {
    return int16_t(std::trunc(column * kCellWidth + kPitchLeft + kCellWidth / 2));
}

void DrawPitchArrowWhite(int x1, int y1, int x2, int y2) { DrawPitchArrow(kWhiteLine, x1, y1, x2, y2); }
void DrawPitchArrowColour(int x1, int y1, int x2, int y2) { DrawPitchArrow(kMarkingLine, x1, y1, x2, y2); }

// ---- Tactic entries -------------------------------------------------------------------------

namespace {

constexpr int kPositionAt = 5;
constexpr int kForwardAt = 9;
constexpr int kMarkingAt = 13;
constexpr int kCAt = 17;
constexpr int kAAt = 18;
constexpr int kBAt = 19;
constexpr int kBackAt = 20;
constexpr int kMarkPointAt = 24;
constexpr uint8_t kMarkingBits = 0x1F;
constexpr int kFirstOutfield = 1, kLastOutfield = 10;

uint8_t* EntryBytes(TacticRecord& r, int e) { return r.bytes + e * kTacticEntrySize; }
const uint8_t* EntryBytes(const TacticRecord& r, int e) { return r.bytes + e * kTacticEntrySize; }

struct Cell {
    int16_t column = -1, row = -1;
    bool Set() const { return column >= 0; }
    bool operator==(const Cell&) const = default;
};

Cell PointOf(const TacticRecord& r, int e, int at) {
    return {LoadI16(EntryBytes(r, e) + at), LoadI16(EntryBytes(r, e) + at + 2)};
}
void SetPoint(TacticRecord& r, int e, int at, Cell c) {
    StoreI16(EntryBytes(r, e) + at, c.column);
    StoreI16(EntryBytes(r, e) + at + 2, c.row);
}
void ClearPoint(TacticRecord& r, int e, int at) { SetPoint(r, e, at, {}); }

int16_t MarkingOf(const TacticRecord& r, int e) {
    int v = EntryBytes(r, e)[kMarkingAt] & kMarkingBits;
    if (v & 0x10) v -= 32;
    return int16_t(v);
}
void SetMarking(TacticRecord& r, int e, int16_t v) {
    uint8_t& b = EntryBytes(r, e)[kMarkingAt];
    b = uint8_t((b & ~kMarkingBits) | (v & kMarkingBits));
}

bool OnGrid(Cell c) { return c.column >= 0 && c.column < kPitchColumns && c.row >= 0 && c.row < kPitchRows; }

// Tactics come from saved games: positions are brought onto the grid, a
// point off the grid and a marking outside the eleven entries read as none.
void Sanitize(TacticRecord& r) {
    if (LoadU16(EntryBytes(r, 0) + kPositionAt) == kEmptyTacticSlot)
        StoreU16(EntryBytes(r, 0) + kPositionAt, 0);
    for (int e = 0; e < kTacticEntries; ++e) {
        if (e >= kFirstOutfield) {
            const Cell p = PointOf(r, e, kPositionAt);
            SetPoint(r, e, kPositionAt,
                     {int16_t(std::clamp<int>(p.column, 0, kPitchColumns - 1)),
                      int16_t(std::clamp<int>(p.row, 0, kPitchRows - 1))});
        }
        for (int at : {kForwardAt, kBackAt, kMarkPointAt}) {
            if (!OnGrid(PointOf(r, e, at))) ClearPoint(r, e, at);
        }
        const int16_t marking = MarkingOf(r, e);
        if (marking < -1 || marking >= kTacticEntries) SetMarking(r, e, -1);
    }
}

}  // namespace

TacticEntryView ReadTacticEntry(const TacticRecord& record, int entry) {
    entry = std::clamp(entry, 0, kTacticEntries - 1);
    const Cell position = PointOf(record, entry, kPositionAt);
    const Cell forward = PointOf(record, entry, kForwardAt);
    const Cell back = PointOf(record, entry, kBackAt);
    const Cell mark = PointOf(record, entry, kMarkPointAt);
    const uint8_t* bytes = EntryBytes(record, entry);
    return {position.column, position.row, forward.column,           forward.row, back.column, back.row,
            mark.column,     mark.row,     MarkingOf(record, entry), bytes[kAAt], bytes[kBAt], bytes[kCAt]};
}

// ---- The view and the working record --------------------------------------------------------

namespace {

TacticRecord* g_working = nullptr;
TacticRecord g_shown;
TacticRecord g_secondCopy;
bool g_changed = false;
bool g_rebuild = false;
bool g_diagramDirty = true;
int16_t g_formationMark = 0;

Cell g_press;
Cell g_dragSource;
uint16_t g_dragPlayer = 0;
int g_pressButton = 0;
int g_previousButtons = 0;
int16_t g_dragX = -1, g_dragY = -1;

bool Second() { return SquadListSecond != 0; }
int16_t& IndexWord() { return Second() ? CurrentTacticA : CurrentTacticB; }
TacticRecord* BookRecord(int16_t index) {
    return Second() ? GetTacticRecordA(index) : GetTacticRecordB(index);
}
TacticRecord* EditSlot() { return BookRecord(kEditTacticIndex); }

int16_t ShirtOf(uint16_t p) { return Second() ? HVW_GetPlayerIntShirt(p) : HVW_GetPlayerShirt(p); }
void SetShirt(uint16_t p, int16_t shirt) {
    if (Second()) {
        HVW_SetPlayerIntShirt(p, shirt);
    } else {
        HVW_SetPlayerShirt(p, shirt);
    }
}
uint16_t PlayerWearing(int16_t shirt) {
    return Second() ? HVW_FindIntSquadPlayerByShirt(shirt) : HVW_FindSquadPlayerByShirt(shirt);
}
bool OnPitchShirt(int16_t shirt) { return shirt >= 2 && shirt <= kTacticEntries; }

int16_t UserClub() {
    const int16_t user = HVW_GetMyClub();
    if (user >= 0 && user < kClubCount) return user;
    return SelectedClub < kClubCount ? int16_t(SelectedClub) : int16_t(1);
}

void LoadWorking() {
    int16_t& index = IndexWord();
    TacticRecord* record = index >= 0 && index <= kEditTacticIndex ? BookRecord(index) : nullptr;
    if (record == nullptr || (index >= kFormationPresets && IsCustomTacticEmpty(record))) {
        index = 0;
        record = BookRecord(0);
    }
    g_working = record;
    g_shown = *record;
    Sanitize(g_shown);
    // A damaged custom tactic is mended where it is kept, so that every
    // screen that reads it finds its players on the grid.
    if (index >= kFormationPresets) *record = g_shown;
    g_secondCopy = g_shown;
}

// After a change of the working record: the copies follow it.
void Commit() {
    g_shown = *g_working;
    g_secondCopy = g_shown;
    g_diagramDirty = true;
}

// Every change goes into the edit slot, which the view's index then names.
void Edit() {
    IndexWord() = kEditTacticIndex;
    TacticRecord* slot = EditSlot();
    *slot = g_shown;
    g_working = slot;
    g_secondCopy = g_shown;
    g_changed = true;
}

void EnsureEdit() {
    if (g_working != EditSlot() || IndexWord() != kEditTacticIndex) Edit();
}

Cell CellOfPlayer(uint16_t player) {
    if (player == 0) return {};
    for (int16_t row = 0; row < kPitchRows; ++row) {
        for (int16_t column = 0; column < kPitchColumns; ++column) {
            if (PitchGrid[row][column] == player) return {column, row};
        }
    }
    return {};
}

uint16_t& GridAt(Cell c) { return PitchGrid[c.row][c.column]; }

// The free cell nearest to c (c itself when free).
Cell NearestFreeCell(Cell c) {
    Cell best{};
    int bestDistance = 1 << 30;
    for (int16_t row = 0; row < kPitchRows; ++row) {
        for (int16_t column = 0; column < kPitchColumns; ++column) {
            if (PitchGrid[row][column] != 0) continue;
            const int d = (row - c.row) * (row - c.row) + (column - c.column) * (column - c.column);
            if (d < bestDistance) {
                bestDistance = d;
                best = {column, row};
            }
        }
    }
    return best;
}

int16_t CellX(Cell c) { return PitchColumnToScreenX(c.column); }
int16_t CellY(Cell c) { return PitchRowToScreenY(c.row); }

void SetMarker(int shirt, Cell c, bool moveNow) {
    PitchMarker& m = PitchMarkers[shirt - 1];
    m.targetX = CellX(c);
    m.targetY = CellY(c);
    if (moveNow) {
        m.currentX = m.targetX;
        m.currentY = m.targetY;
        m.phase = 0;
    }
}

void RebuildGrid() {
    LoadWorking();
    std::memset(PitchGrid, 0, sizeof PitchGrid);
    for (int16_t shirt = 2; shirt <= kTacticEntries; ++shirt) {
        const uint16_t player = PlayerWearing(shirt);
        if (player == 0) continue;
        Cell c = PointOf(g_shown, shirt - 1, kPositionAt);
        // Two entries on one cell (a damaged tactic): the later one stands
        // on the nearest free cell.
        if (GridAt(c) != 0) {
            c = NearestFreeCell(c);
            SetPoint(g_shown, shirt - 1, kPositionAt, c);
            g_secondCopy = g_shown;
        }
        GridAt(c) = player;
        SetMarker(shirt, c, false);
    }
    g_rebuild = false;
    g_diagramDirty = true;
}

void ResetMarkers(bool fromCorner) {
    for (PitchMarker& m : PitchMarkers) m = {-1, -1, -1, -1, 0.0f};
    if (!fromCorner) {
        // Each player glides from where he stands to his new place.
        for (int16_t shirt = 2; shirt <= kTacticEntries; ++shirt) {
            const Cell c = CellOfPlayer(PlayerWearing(shirt));
            if (!c.Set()) continue;
            PitchMarkers[shirt - 1].currentX = CellX(c);
            PitchMarkers[shirt - 1].currentY = CellY(c);
        }
        return;
    }
    for (int shirt = 2; shirt <= kTacticEntries; ++shirt) {
        PitchMarkers[shirt - 1].currentX = PitchColumnToScreenX(0);
        PitchMarkers[shirt - 1].currentY = PitchRowToScreenY(0);
    }
}

bool MarkerIdle(int shirt) { return PitchMarkers[shirt - 1].currentX == -1; }

}  // namespace

const TacticRecord& TeamSelectShownTactic() { return g_shown; }

// ---- Pitch actions --------------------------------------------------------------------------

void PositionPlayer(uint16_t player, int16_t column, int16_t row) {
    const int16_t shirt = ShirtOf(player);
    if (shirt < 1 || shirt > kTacticEntries)
        FatalError("Dodgy shirt no %d in a_mn5:PositionPlayer()\n", shirt);
    const Cell target{int16_t(std::clamp<int>(column, 0, kPitchColumns - 1)),
                      int16_t(std::clamp<int>(row, 0, kPitchRows - 1))};
    EnsureEdit();
    const Cell from = CellOfPlayer(player);
    if (from.Set()) GridAt(from) = 0;
    GridAt(target) = player;
    SetPoint(*g_working, shirt - 1, kPositionAt, target);
    SetMarker(shirt, target, true);
    Commit();
}

void SwapPitchPlayers(uint16_t a, uint16_t b) {
    const Cell ca = CellOfPlayer(a), cb = CellOfPlayer(b);
    const int16_t sa = ShirtOf(a), sb = ShirtOf(b);
    if (!ca.Set() || !cb.Set() || !OnPitchShirt(sa) || !OnPitchShirt(sb)) return;
    EnsureEdit();
    GridAt(ca) = b;
    GridAt(cb) = a;
    if (sa != sb) {
        std::swap_ranges(EntryBytes(*g_working, sa - 1), EntryBytes(*g_working, sa - 1) + kTacticEntrySize,
                         EntryBytes(*g_working, sb - 1));
    }
    for (int e : {sa - 1, sb - 1}) {
        if (MarkingOf(*g_working, e) == e) SetMarking(*g_working, e, -1);
    }
    SetMarker(sa, cb, true);
    SetMarker(sb, ca, true);
    Commit();
}

namespace {

void ClearPress() {
    g_press = {};
    g_dragSource = {};
    g_dragPlayer = 0;
    g_pressButton = 0;
    g_dragX = g_dragY = -1;
}

// Run points of entries 1-10 on the cell are cleared (forward points only
// when forwardOnly); true when there was one.
bool ClearRunPointsOn(Cell c, bool forwardOnly, int except, bool apply) {
    bool found = false;
    for (int e = kFirstOutfield; e <= kLastOutfield; ++e) {
        if (e == except) continue;
        for (int at : {kForwardAt, kBackAt}) {
            if (forwardOnly && at == kBackAt) continue;
            const TacticRecord& r = apply ? *g_working : g_shown;
            if (PointOf(r, e, at) == c) {
                found = true;
                if (apply) ClearPoint(*g_working, e, at);
            }
        }
    }
    return found;
}

void ClickOnPressCell(Cell cell) {
    const uint16_t occupant = GridAt(cell);
    if (TeamSelectPick == 0) {
        if (occupant != 0) {
            TeamSelectPick = occupant;
            return;
        }
        if (!ClearRunPointsOn(cell, false, -1, false)) return;
        Edit();
        ClearRunPointsOn(cell, false, -1, true);
        Commit();
        return;
    }
    const uint16_t picked = TeamSelectPick;
    TeamSelectPick = 0;
    // (A click on his own cell exchanges him with himself: the pick ends
    // and his marker settles on the cell.)
    const int e = ShirtOf(picked) - 1;
    EnsureEdit();
    ClearRunPointsOn(cell, true, e, true);
    if (occupant != 0) {
        Commit();
        SwapPitchPlayers(picked, occupant);
        return;
    }
    const bool hadForward = PointOf(*g_working, e, kForwardAt).Set();
    const bool hadBack = PointOf(*g_working, e, kBackAt).Set();
    PositionPlayer(picked, cell.column, cell.row);
    TacticRecord& w = *g_working;
    if (hadForward && !hadBack) ClearPoint(w, e, kForwardAt);
    const Cell back = PointOf(w, e, kBackAt), forward = PointOf(w, e, kForwardAt);
    if (back.Set() && !(back.row < cell.row)) ClearPoint(w, e, kBackAt);
    if (forward.Set() && forward.row < cell.row) ClearPoint(w, e, kForwardAt);
    Commit();
}

void LeftDragOnto(Cell cell) {
    const uint16_t dragged = g_dragPlayer;
    if (GridAt(cell) != 0) return;
    const int16_t shirt = ShirtOf(dragged);
    if (shirt < 1 || shirt > kTacticEntries) {
        FatalError("Dodgy shirt no %d in j_mn2:LogicalInfusion():Case 1\n", shirt);
    }
    EnsureEdit();
    const int e = shirt - 1;
    SetPoint(*g_working, e, cell.row < PointOf(*g_working, e, kPositionAt).row ? kBackAt : kForwardAt, cell);
    Commit();
}

void RightDragOnto(Cell cell) {
    const uint16_t dragged = g_dragPlayer;
    const int16_t shirt = ShirtOf(dragged);
    if (shirt < 1 || shirt > kTacticEntries) {
        FatalError(
            "Dodgy shirt no %d in j_mn2:LogicalInfusion():Case 2\nSelectedPlayerX = %d\nSelectedPlayerY = "
            "%d\n",
            shirt, g_dragSource.column, g_dragSource.row);
    }
    EnsureEdit();
    const int e = shirt - 1;
    const uint16_t target = GridAt(cell);
    if (target == 0) {
        SetPoint(*g_working, e, kMarkPointAt, cell);
        SetMarking(*g_working, e, -1);
    } else {
        SetMarking(*g_working, e, int16_t(ShirtOf(target) - 1));
        ClearPoint(*g_working, e, kMarkPointAt);
    }
    Commit();
}

}  // namespace

void LogicalInfusion(int x, int y, int buttons) {
    buttons &= 3;
    const int previous = g_previousButtons;
    g_previousButtons = buttons;
    if (buttons == previous) return;
    if (x < kPitchLeft || x > kPitchRight || y < kPitchTop || y > kPitchBottom) return;
    const Cell cell{ScreenXToPitchColumn(int16_t(x)), ScreenYToPitchRow(int16_t(y))};
    // Only shirts 2-11 stand on the pitch: any other pick (the keeper or a
    // substitute picked in the list) takes no part in a pitch action.  The
    // keeper is dropped too: placed on the diagram he would move his own
    // entry to an outfield cell and be gone from the grid at its next
    // rebuild, which holds shirts 2-11 only.
    if (TeamSelectPick != 0 && !OnPitchShirt(ShirtOf(TeamSelectPick))) TeamSelectPick = 0;

    const int pressed = buttons & ~previous;
    const int released = previous & ~buttons;
    if (pressed != 0) {
        g_press = cell;
        g_dragSource = GridAt(cell) != 0 && OnPitchShirt(ShirtOf(GridAt(cell))) ? cell : Cell{};
        g_dragPlayer = g_dragSource.Set() ? GridAt(cell) : uint16_t(0);
        g_pressButton = (pressed & 1) != 0 ? 1 : 2;
        return;
    }
    if ((released & g_pressButton) == 0 || !g_press.Set()) return;
    const bool left = g_pressButton == 1;
    if (cell == g_press) {
        if (left) ClickOnPressCell(cell);
    } else if (g_dragSource.Set() && GridAt(g_dragSource) == g_dragPlayer) {
        // (The list or a formation may have moved him since the press.)
        if (left) {
            LeftDragOnto(cell);
        } else {
            RightDragOnto(cell);
        }
        TeamSelectPick = 0;
    }
    ClearPress();
    g_diagramDirty = true;
}

// ---- Painters ------------------------------------------------------------------------------

namespace {

constexpr uint16_t kGrass = 0x2BE6;

void InBlackShade(int x, int y, int w, int h, int percent) {
    const uint16_t saved = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, percent);
    DrawColour = saved;
}
constexpr uint16_t kGrassLight = 0x3467;
constexpr int kStripe = 37;

int16_t PlayerIcon(uint16_t player) {
    const int16_t type = HVW_GetPositionType(player);
    return int16_t(3 + std::clamp<int>(type, 0, 3));
}

void DrawPlayerFigure(uint16_t player, int x, int y) {
    DrawIcon(x, y, PlayerIcon(player), JUSTIFY_CENTRE_MIDDLE);
    SetFont(6);
    SetDrawParam(1, 0);
    DrawNumberAt(x, y, HVW_GetPlayerField92(player), JUSTIFY_CENTRE_MIDDLE);
}

void DrawPitchMarkings() {
    const int w = kPitchRight - kPitchLeft + 1, h = kPitchBottom - kPitchTop + 1;
    for (int y = kPitchTop, n = 0; y <= kPitchBottom; y += kStripe, ++n) {
        FillSolidRect(kPitchLeft, y, w, std::min(kStripe, kPitchBottom + 1 - y),
                      n % 2 ? kGrassLight : kGrass);
    }
    const int l = kPitchLeft + 3, r = kPitchRight - 3, t = kPitchTop + 3, b = kPitchBottom - 3;
    DrawLine(l, t, r, t, kWhiteLine);
    DrawLine(l, b, r, b, kWhiteLine);
    DrawLine(l, t, l, b, kWhiteLine);
    DrawLine(r, t, r, b, kWhiteLine);
    const int midY = kPitchTop + h / 2, midX = kPitchLeft + w / 2;
    DrawLine(l, midY, r, midY, kWhiteLine);
    constexpr int kSegments = 24;
    const double radius = w * 0.14;
    for (int i = 0; i < kSegments; ++i) {
        const double a0 = 2 * kPi * i / kSegments, a1 = 2 * kPi * (i + 1) / kSegments;
        DrawLine(int(midX + radius * std::cos(a0)), int(midY + radius * std::sin(a0)),
                 int(midX + radius * std::cos(a1)), int(midY + radius * std::sin(a1)), kWhiteLine);
    }
    const int boxW = w * 6 / 10, boxH = h / 7, boxL = midX - boxW / 2, boxR = midX + boxW / 2;
    for (const auto& [edge, inner] : {std::pair{t, t + boxH}, std::pair{b, b - boxH}}) {
        DrawLine(boxL, edge, boxL, inner, kWhiteLine);
        DrawLine(boxR, edge, boxR, inner, kWhiteLine);
        DrawLine(boxL, inner, boxR, inner, kWhiteLine);
    }
}

void DrawRunLines(uint16_t player, Cell c) {
    const int16_t shirt = ShirtOf(player);
    if (!OnPitchShirt(shirt)) return;
    const int e = shirt - 1;
    const int x = CellX(c), y = CellY(c);
    for (int at : {kForwardAt, kBackAt}) {
        const Cell p = PointOf(g_shown, e, at);
        if (p.Set() && !(p == c)) DrawPitchArrowWhite(x, y, CellX(p), CellY(p));
    }
    const Cell mark = PointOf(g_shown, e, kMarkPointAt);
    const int16_t marking = MarkingOf(g_shown, e);
    if (mark.Set()) {
        DrawPitchArrowColour(x, y, CellX(mark), CellY(mark));
    } else if (marking >= 1 && marking < kTacticEntries) {
        const Cell target = CellOfPlayer(PlayerWearing(int16_t(marking + 1)));
        if (target.Set() && !(target == c)) DrawPitchArrowColour(x, y, CellX(target), CellY(target));
    }
}

void PaintDiagram() {
    DrawPitchMarkings();
    for (int pass = 0; pass < 2; ++pass) {
        for (int16_t row = 0; row < kPitchRows; ++row) {
            for (int16_t column = 0; column < kPitchColumns; ++column) {
                const uint16_t player = PitchGrid[row][column];
                if (player == 0) continue;
                const int16_t shirt = ShirtOf(player);
                if (OnPitchShirt(shirt) && !MarkerIdle(shirt)) continue;
                if (pass == 0) {
                    DrawRunLines(player, {column, row});
                } else {
                    DrawPlayerFigure(player, CellX({column, row}), CellY({column, row}));
                }
            }
        }
    }
    g_diagramDirty = false;
}

bool AnyMarkerMoving() {
    return std::any_of(std::begin(PitchMarkers), std::end(PitchMarkers),
                       [](const PitchMarker& m) { return m.currentX != -1; });
}

void DrawDragLine() {
    if (g_dragX < 0 || !g_dragSource.Set()) return;
    const uint16_t player = g_dragPlayer;
    const uint16_t colour = g_pressButton == 1 ? kWhiteLine : kMarkingLine;
    DrawLine(CellX(g_dragSource), CellY(g_dragSource), g_dragX, g_dragY, colour);
    // The dragged player's name on a small face beside the pointer, kept on
    // the diagram.
    const char* name = player != 0 ? HVW_GetPlayerShortName(player) : "";
    SetFont(6);
    int16_t tw = 0, th = 0;
    GetTextSize(name, &tw, &th);
    const int faceW = tw + 8, faceH = th + 4;
    const int fx = std::clamp(g_dragX + 8, kPitchLeft, kPitchRight - faceW);
    const int fy = std::clamp(g_dragY - faceH - 4, kPitchTop, kPitchBottom - faceH);
    DoButton(fx, fy, faceW, faceH);
    SetDrawParam(1, 0);
    DrawTextAddrAt(fx + faceW / 2, fy + faceH / 2, name, JUSTIFY_CENTRE_MIDDLE);
}

}  // namespace

void TeamSelect_DrawPitch() {
    if (g_diagramDirty || AnyMarkerMoving()) PaintDiagram();
}

void TeamSelect_DrawDrag() {
    const int buttons = GetMenuButtons() & 3;
    if (buttons == 0 || !g_dragSource.Set() || buttons != g_pressButton) return;
    const auto x = int16_t(std::clamp<int>(CursorX, kPitchLeft, kPitchRight + 1));
    const auto y = int16_t(std::clamp<int>(CursorY, kPitchTop, kPitchBottom));
    if (x == g_dragX && y == g_dragY) return;
    g_dragX = x;
    g_dragY = y;
    g_diagramDirty = true;
}

void TeamSelect_AnimateMarkers() {
    bool finished = false;
    for (PitchMarker& m : PitchMarkers) {
        if (m.currentX == -1) continue;
        m.phase += 1.0f;
        if (m.phase >= float(kMarkerFrames)) {
            m = {-1, -1, -1, -1, 0.0f};
            finished = true;
        }
    }
    if (finished) PaintDiagram();
    for (int shirt = 2; shirt <= kTacticEntries; ++shirt) {
        const PitchMarker& m = PitchMarkers[shirt - 1];
        if (m.currentX == -1 || m.targetX == -1) continue;
        const uint16_t player = PlayerWearing(int16_t(shirt));
        if (player == 0) continue;
        // Ease out: quick at first, settling gently on the cell.
        const float t = m.phase / float(kMarkerFrames);
        const float ease = 1.0f - (1.0f - t) * (1.0f - t);
        const int x = int(std::lround(m.currentX + (m.targetX - m.currentX) * ease));
        const int y = int(std::lround(m.currentY + (m.targetY - m.currentY) * ease));
        DrawPlayerFigure(player, x, y);
    }
    DrawDragLine();
}

// ---- The list, the roles and the buttons -----------------------------------------------------

namespace {

constexpr int kListRows = 16;
constexpr int kInstructionRows = kTacticEntries;
constexpr int kTextSize = 48;
constexpr int16_t kNoText = -1;
constexpr int kValueKinds = 31;
constexpr int kLabelKinds = 10;
constexpr int16_t kLabelHeadings[kLabelKinds] = {61, 86, 240, 63, 67, 62, 64, 65, 66, 1092};
constexpr int16_t kRoleTexts[kTeamRoles] = {1723, 1725, 1726, 1724};
// Role rows in screen order: captain, corner, penalty and free-kick takers.
constexpr TeamRole kRoleOfRow[kTeamRoles] = {kRoleCaptain, kRoleCornerTaker, kRolePenaltyTaker,
                                             kRoleFreeKickTaker};

struct ListRow {
    char shirt[12];
    char name[kTextSize];
    char number[8];
    char columnA[kTextSize];
    char columnB[kTextSize];
    int16_t position;  // text id
    int16_t colour;
    int16_t cbIcon, cbText, aIcon, aText, markIcon, markText;
};
ListRow g_rows[kListRows];
char g_roleNames[kTeamRoles][kTextSize];
char g_columnALabel[kTextSize];
char g_columnBLabel[kTextSize];
char g_formationLabel[kTextSize];
const char* g_columnALabelPtr = g_columnALabel;
const char* g_columnBLabelPtr = g_columnBLabel;
const char* g_formationLabelPtr = g_formationLabel;
int16_t g_copyText = 1088;

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

int16_t KindHeading(int kind) {
    if (kind < kLabelKinds) return kLabelHeadings[kind];
    return SearchAttr_GetNameText(SearchAttrKindTable[kind - kLabelKinds], kNoText);
}

// The value of a column kind for the player, as a number, a text or money.
void FormatKindValue(int kind, uint16_t player, char* out) {
    out[0] = 0;
    if (player == 0) return;
    if (kind >= kLabelKinds) {
        std::snprintf(out, kTextSize, "%d", SearchAttr_GetPlayerValue(int16_t(kind - kLabelKinds), player));
        return;
    }
    SelectedPlayer = int16_t(player);
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
    const int32_t number = AttributeValueByLabel(uint16_t(kLabelHeadings[kind]), &text, &money);
    if (number != kAttributeNoNumber) {
        std::snprintf(out, kTextSize, "%d", int(number));
    } else if (text != kAttributeNoText) {
        std::snprintf(out, kTextSize, "%s", TextOf(int16_t(text)));
    } else if (money != kAttributeNoMoney) {
        std::snprintf(out, kTextSize, "%s", Price2str(money));
    }
}

void FillInstructionCells(ListRow& row, int e) {
    const TacticEntryView v = ReadTacticEntry(g_shown, e);
    row.cbIcon = 1;
    row.cbText = kNoText;
    if (v.c == 2) {
        row.cbIcon = 17;
        row.cbText = 1718;
    } else if (v.c == 1) {
        row.cbIcon = 20;
        row.cbText = 1719;
    } else if (v.b == 1) {
        row.cbIcon = 19;
        row.cbText = 1721;
    } else if (v.b == 2) {
        row.cbIcon = 24;
        row.cbText = 1717;
    }
    constexpr int16_t kAIcons[] = {1, 18, 28, 21, 29};
    constexpr int16_t kATexts[] = {kNoText, 1720, 1716, 1715, 1714};
    const int a = v.a <= 4 ? v.a : 0;
    row.aIcon = kAIcons[a];
    row.aText = kATexts[a];
    row.markIcon = 1;
    row.markText = kNoText;
    if (v.marking >= 0) {
        row.markIcon = 22;
        row.markText = 1722;
    } else if (v.markColumn >= 0) {
        row.markIcon = 23;
        row.markText = 1722;
    }
}

void FillRows() {
    const int16_t savedPlayer = SelectedPlayer;
    for (int r = 0; r < kListRows; ++r) {
        ListRow& row = g_rows[r];
        row = {};
        const uint16_t player = PlayerWearing(int16_t(r + 1));
        TeamSelectListPlayers[r] = player;
        std::snprintf(row.shirt, sizeof row.shirt, "%d", r + 1);
        row.position = GetTacticPosText(int16_t(r), Second() ? 0 : 1);
        row.colour = player != 0 && player == TeamSelectPick ? 8 : 0;
        if (r < kInstructionRows) FillInstructionCells(row, r);
        if (player == 0) continue;
        std::snprintf(row.name, sizeof row.name, "%s", HVW_GetPlayerShortName(player));
        std::snprintf(row.number, sizeof row.number, "%d", HVW_GetPlayerField92(player));
        if (!TeamSelectColumnAOff) FormatKindValue(TeamSelectColumnA, player, row.columnA);
        FormatKindValue(TeamSelectColumnB, player, row.columnB);
    }
    SelectedPlayer = savedPlayer;
    for (int k = 0; k < kTeamRoles; ++k) {
        const uint16_t player = TeamSelect_RolePlayer(k);
        std::snprintf(g_roleNames[k], kTextSize, "%s",
                      player != 0 && IsValidPlayer(player) ? HVW_GetPlayerShortName(player) : "");
    }
}

void FillLabels() {
    std::snprintf(g_columnALabel, kTextSize, "%s",
                  TextOf(TeamSelectColumnAOff ? kTextNone : KindHeading(TeamSelectColumnA)));
    std::snprintf(g_columnBLabel, kTextSize, "%s", TextOf(KindHeading(TeamSelectColumnB)));
    const int16_t index = IndexWord();
    if (index >= 0 && index < kFormationPresets) {
        std::snprintf(g_formationLabel, kTextSize, "%s", TextOf(GetFormationNameText(index)));
    } else {
        std::snprintf(g_formationLabel, kTextSize, "%s %d", TextOf(kTextCustom), index - 9);
    }
    g_copyText = Second() ? 1087 : 1088;
}

// ---- Pop-ups --------------------------------------------------------------------------------

#define POPUP_HEAD(open) \
    { POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, open }
#define POPUP_TAIL \
    { POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }

constexpr int kMaxFormationEntries = kFormationPresets + kTacticEntries;
char g_formationNames[kMaxFormationEntries][kTextSize];
char g_customNames[kTacticEntries + 1][kTextSize];
PopupEntry g_formationPopup[kMaxFormationEntries + 2];
PopupEntry g_customPopup[kTacticEntries + 3];
PopupEntry g_columnAPopup[kValueKinds + 3];
PopupEntry g_columnBPopup[kValueKinds + 2];

void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}

int32_t FormationChosen(PopupCallBlock* call) { return TeamSelect_ChooseFormation(call->row); }
int32_t CustomChosen(PopupCallBlock* call) { return TeamSelect_SaveCustom(call->row); }
int32_t ColumnAChosen(PopupCallBlock* call) { return TeamSelect_ChooseColumnA(int(call->row) - 1); }
int32_t ColumnBChosen(PopupCallBlock* call) { return TeamSelect_ChooseColumnB(call->row); }

void MarkFormationPopup(PopupCallBlock*) {
    for (int k = 0; g_formationPopup[1 + k].kind != POPUP_END; ++k) {
        Mark(g_formationPopup[1 + k], k == IndexWord());
    }
}
void MarkColumnA(PopupCallBlock*) {
    for (int k = 0; k <= kValueKinds; ++k) {
        Mark(g_columnAPopup[1 + k], TeamSelectColumnAOff ? k == 0 : k == TeamSelectColumnA + 1);
    }
}
void MarkColumnB(PopupCallBlock*) {
    for (int k = 0; k < kValueKinds; ++k) Mark(g_columnBPopup[1 + k], k == TeamSelectColumnB);
}

PopupEntry StringRow(const char* text, PopupFunction function) {
    return {POPUP_STRING, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, text, function, nullptr};
}
PopupEntry TextRow(int16_t text, PopupFunction function) {
    return {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr};
}

void BuildColumnPopups() {
    g_columnAPopup[0] = POPUP_HEAD(MarkColumnA);
    g_columnAPopup[1] = TextRow(kTextNone, ColumnAChosen);
    g_columnBPopup[0] = POPUP_HEAD(MarkColumnB);
    for (int k = 0; k < kValueKinds; ++k) {
        g_columnAPopup[2 + k] = TextRow(KindHeading(k), ColumnAChosen);
        g_columnBPopup[1 + k] = TextRow(KindHeading(k), ColumnBChosen);
    }
    g_columnAPopup[2 + kValueKinds] = POPUP_TAIL;
    g_columnBPopup[1 + kValueKinds] = POPUP_TAIL;
}

void BuildTacticPopups() {
    const int used = TeamSelect_CustomSlotsUsed();
    g_formationPopup[0] = POPUP_HEAD(MarkFormationPopup);
    int n = 0;
    for (int16_t k = 0; k < kFormationPresets; ++k, ++n) {
        std::snprintf(g_formationNames[n], kTextSize, "%s", TextOf(GetFormationNameText(k)));
        g_formationPopup[1 + n] = StringRow(g_formationNames[n], FormationChosen);
    }
    for (int i = 0; i < used; ++i, ++n) {
        std::snprintf(g_formationNames[n], kTextSize, "%s %d", TextOf(GetFormationNameText(int16_t(i + 10))),
                      i + 1);
        g_formationPopup[1 + n] = StringRow(g_formationNames[n], FormationChosen);
    }
    g_formationPopup[1 + n] = POPUP_TAIL;

    g_customPopup[0] = POPUP_HEAD(nullptr);
    for (int i = 0; i < used; ++i) {
        std::snprintf(g_customNames[i], kTextSize, "%s %s %d", TextOf(89), TextOf(kTextCustom), i + 1);
        g_customPopup[1 + i] = StringRow(g_customNames[i], CustomChosen);
    }
    int rows = used;
    if (used < kTacticEntries) {
        // A new slot after the ones in use.
        char label[kTextSize];
        std::snprintf(label, sizeof label, "%s %s %d", TextOf(89), TextOf(kTextCustom), used + 1);
        std::snprintf(g_customNames[used], kTextSize, "%s", label);
        g_customPopup[1 + used] = StringRow(g_customNames[used], CustomChosen);
        ++rows;
    }
    g_customPopup[1 + rows] = POPUP_TAIL;
}

}  // namespace

int TeamSelect_CustomSlotsUsed() {
    int used = 0;
    while (used < kTacticEntries && !IsCustomTacticEmpty(BookRecord(int16_t(10 + used)))) ++used;
    return used;
}

int TeamSelect_FormationEntries() {
    int n = 0;
    while (g_formationPopup[1 + n].kind != POPUP_END && n <= kMaxFormationEntries) ++n;
    return n;
}

int TeamSelect_CustomEntries() {
    int n = 0;
    while (g_customPopup[1 + n].kind != POPUP_END && n <= kTacticEntries + 1) ++n;
    return n;
}

uint16_t TeamSelect_RolePlayer(int role) {
    if (role < 0 || role >= kTeamRoles) return 0;
    const TeamRole r = kRoleOfRow[role];
    return Second() ? Code120RoleChoices[kCode120Word[r]] : ClubRoleLists[r][0];
}

// ---- The screen function ---------------------------------------------------------------------

void TeamSelect_Enter() {
    SelectedClub = uint16_t(UserClub());
    SetMenuTitleDate(11);
    const auto club = int16_t(SelectedClub);
    HVW_BuildSquadList(club);
    if (Second()) {
        HVW_AutoFillIntShirtNumbers(club, 5, 0);
    } else {
        HVW_AutoFillShirtNumbers(club, 5, 0);
    }
    TeamSelectPick = 0;
    g_rebuild = true;
    g_changed = false;
    TeamSelectColumnAOff = true;
    TeamSelectColumnA = 0;
    TeamSelectColumnB = 11;
    ResetMarkers(true);
    ClearPress();
    g_previousButtons = 0;
    LoadWorking();
    BuildColumnPopups();
    const int16_t index = IndexWord();
    g_formationMark = index < kFormationPresets ? index : int16_t(1);
}

void TeamSelectMenu() {
    if (IsMenuFirstEntry() == 1) TeamSelect_Enter();
    if (g_rebuild || g_working == nullptr) RebuildGrid();
    BuildTacticPopups();
    FillRows();
    FillLabels();
    g_diagramDirty = true;
}

// ---- Handlers ------------------------------------------------------------------------------

int32_t TeamSelect_ListClick(int row, bool secondButton) {
    if (row < 0 || row >= kListRows) return MENU_CONTINUE;
    const uint16_t player = TeamSelectListPlayers[row];
    if (player == 0) return MENU_CONTINUE;
    if (secondButton) {
        SelectedPlayer = int16_t(player);
        ReturnMenuOption = kScreenTeamSelect;
        MenuOption = kScreenPlayerStats;
        return MENU_CLOSE;
    }
    if (TeamSelectPick == 0) {
        TeamSelectPick = player;
        return MENU_REDRAW;
    }
    const uint16_t picked = TeamSelectPick;
    TeamSelectPick = 0;
    if (picked != player) {
        const int16_t shirt = ShirtOf(picked);
        SetShirt(picked, ShirtOf(player));
        SetShirt(player, shirt);
        g_rebuild = true;
    }
    return MENU_REDRAW;
}

int32_t TeamSelect_CycleA(int row) {
    if (row < 0 || row >= kInstructionRows) return MENU_CONTINUE;
    EnsureEdit();
    uint8_t& a = EntryBytes(*g_working, row)[kAAt];
    a = uint8_t(a >= 4 ? 0 : a + 1);
    Commit();
    return MENU_REDRAW;
}

int32_t TeamSelect_CycleCB(int row) {
    if (row < 0 || row >= kInstructionRows) return MENU_CONTINUE;
    EnsureEdit();
    uint8_t* e = EntryBytes(*g_working, row);
    constexpr uint8_t kCycle[][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}};  // (B, C)
    int next = 0;
    for (int i = 0; i < 5; ++i) {
        if (e[kBAt] == kCycle[i][0] && e[kCAt] == kCycle[i][1]) next = (i + 1) % 5;
    }
    e[kBAt] = kCycle[next][0];
    e[kCAt] = kCycle[next][1];
    Commit();
    return MENU_REDRAW;
}

int32_t TeamSelect_ClearMarking(int row) {
    if (row < 0 || row >= kInstructionRows) return MENU_CONTINUE;
    const TacticEntryView v = ReadTacticEntry(g_shown, row);
    if (v.marking < 0 && v.markColumn < 0) return MENU_CONTINUE;
    EnsureEdit();
    SetMarking(*g_working, row, -1);
    ClearPoint(*g_working, row, kMarkPointAt);
    Commit();
    return MENU_REDRAW;
}

int32_t TeamSelect_RoleClick(int role) {
    if (role < 0 || role >= kTeamRoles || TeamSelectPick == 0) return MENU_CONTINUE;
    const uint16_t player = TeamSelectPick;
    const TeamRole r = kRoleOfRow[role];
    if (Second()) {
        Code120RoleChoices[kCode120Word[r]] = player;
    } else {
        // He becomes the first choice; the other choices keep their order.
        uint16_t(&choices)[kRoleChoices] = ClubRoleLists[r];
        uint16_t* end = std::remove(choices, choices + kRoleChoices, player);
        std::fill(end, choices + kRoleChoices, uint16_t(0));
        std::copy_backward(choices, choices + kRoleChoices - 1, choices + kRoleChoices);
        choices[0] = player;
    }
    TeamSelectPick = 0;
    return MENU_REDRAW;
}

int32_t TeamSelect_CopyTactic(MenuHotItem*) {
    const bool second = Second();
    const int16_t source = second ? CurrentTacticB : CurrentTacticA;
    int16_t& target = second ? CurrentTacticA : CurrentTacticB;
    if (source >= 0 && source < kFormationPresets) {
        target = source;
    } else if (source >= kFormationPresets && source <= kEditTacticIndex) {
        TacticRecord* from = second ? GetTacticRecordB(source) : GetTacticRecordA(source);
        if (from == nullptr || IsCustomTacticEmpty(from)) return MENU_CONTINUE;
        TacticRecord* slot = second ? GetTacticRecordA(kEditTacticIndex) : GetTacticRecordB(kEditTacticIndex);
        *slot = *from;
        target = kEditTacticIndex;
    } else {
        return MENU_CONTINUE;
    }
    g_rebuild = true;
    return MENU_REDRAW;
}

int32_t TeamSelect_ChooseFormation(int k) {
    if (k < 0 || k >= kFormationPresets + TeamSelect_CustomSlotsUsed()) return MENU_CONTINUE;
    IndexWord() = int16_t(k);
    ResetMarkers(false);
    g_rebuild = true;
    return MENU_REDRAW_ALSO;
}

int32_t TeamSelect_SaveCustom(int k) {
    if (k < 0 || k > TeamSelect_CustomSlotsUsed() || k >= kTacticEntries) return MENU_CONTINUE;
    *BookRecord(int16_t(10 + k)) = g_shown;
    IndexWord() = int16_t(10 + k);
    LoadWorking();
    return MENU_REDRAW_ALSO;
}

int32_t TeamSelect_ChooseColumnA(int kind) {
    if (kind < -1 || kind >= kValueKinds) return MENU_CONTINUE;
    TeamSelectColumnAOff = kind < 0;
    if (kind >= 0) TeamSelectColumnA = int16_t(kind);
    return MENU_REDRAW_ALSO;
}

int32_t TeamSelect_ChooseColumnB(int kind) {
    if (kind < 0 || kind >= kValueKinds) return MENU_CONTINUE;
    TeamSelectColumnB = int16_t(kind);
    return MENU_REDRAW_ALSO;
}

// ---- The table -----------------------------------------------------------------------------

namespace {

constexpr int kListX = 20, kListY = 111, kRowHeight = 23;
constexpr int kInstructionX[3] = {280, 341, 402};
constexpr int kInstructionWidth = 61;

bool SecondButton() { return (GetMenuButtons() & 2) != 0; }

void PaintInstruction(int x, int y, int16_t icon, int16_t text) {
    DrawIcon(x + 2, y + 2, icon, JUSTIFY_LEFT_TOP);
    if (text < 0) return;
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextNoAt(x + kInstructionWidth / 2, y + kRowHeight / 2, text, JUSTIFY_CENTRE_MIDDLE);
}

void PaintRow(int r, int y) {
    const ListRow& row = g_rows[r];
    InBlackShade(kListX, y, 443, kRowHeight - 1, (r & 1) != 0 ? 25 : 50);
    SetDrawParam(1, row.colour);
    SetFont(9);
    DrawTextAddrAt(kListX + 15, y + 11, row.shirt, JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(kListX + 33, y + 11, row.name, JUSTIFY_LEFT_MIDDLE);
    SetFont(6);
    // The position and the number end before column A, where the setting
    // icons stand while the column is off (x 206).
    DrawTextAddrAt(kListX + 158, y + 11, TextOf(row.position), JUSTIFY_RIGHT_MIDDLE);
    DrawTextAddrAt(kListX + 181, y + 11, row.number, JUSTIFY_RIGHT_MIDDLE);
    const uint16_t player = TeamSelectListPlayers[r];
    if (TeamSelectColumnAOff) {
        if (player != 0) DrawSettingIconsOf(player, 206, y + 5);
    } else {
        DrawTextAddrAt(216 + 20, y + 11, row.columnA, JUSTIFY_CENTRE_MIDDLE);
    }
    DrawTextAddrAt(258 + 10, y + 11, row.columnB, JUSTIFY_CENTRE_MIDDLE);
    if (r >= kInstructionRows) return;
    PaintInstruction(kInstructionX[0], y, row.cbIcon, row.cbText);
    PaintInstruction(kInstructionX[1], y, row.aIcon, row.aText);
    PaintInstruction(kInstructionX[2], y, row.markIcon, row.markText);
}

void PaintTopRow(int, int y, int, int) { PaintRow(MenuPaintRow(), y); }
void PaintBottomRow(int, int y, int, int) { PaintRow(kInstructionRows + MenuPaintRow(), y); }

int32_t TopListClick(MenuHotItem* item) { return TeamSelect_ListClick(item->row, SecondButton()); }
int32_t BottomListClick(MenuHotItem* item) {
    return TeamSelect_ListClick(kInstructionRows + item->row, SecondButton());
}
int32_t CBClick(MenuHotItem* item) { return TeamSelect_CycleCB(item->row); }
int32_t AClick(MenuHotItem* item) { return TeamSelect_CycleA(item->row); }
int32_t MarkClick(MenuHotItem* item) { return TeamSelect_ClearMarking(item->row); }

void PaintRole(int column, int x, int y) {
    const int role = column * 2 + MenuPaintRow();
    InBlackShade(x, y, 130, kRowHeight, 75);
    InBlackShade(x + 130, y, 200, kRowHeight, (MenuPaintRow() & 1) != 0 ? 25 : 50);
    SetFont(9);
    SetDrawParam(1, 0);
    DrawTextNoAt(x + 6, y + 11, kRoleTexts[role], JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(x + 136, y + 11, g_roleNames[role], JUSTIFY_LEFT_MIDDLE);
}
void PaintLeftRole(int x, int y, int, int) { PaintRole(0, x, y); }
void PaintRightRole(int x, int y, int, int) { PaintRole(1, x, y); }
int32_t LeftRoleClick(MenuHotItem* item) { return TeamSelect_RoleClick(item->row); }
int32_t RightRoleClick(MenuHotItem* item) { return TeamSelect_RoleClick(2 + item->row); }

int32_t Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

void InfusionFrame(int16_t) { LogicalInfusion(CursorX, CursorY, GetMenuButtons()); }
void DragFrame(int16_t) { TeamSelect_DrawDrag(); }
void PitchFrame(int16_t) { TeamSelect_DrawPitch(); }
void MarkerFrame(int16_t) { TeamSelect_AnimateMarkers(); }
const MenuTimerRecord kInfusion = {1, 1, InfusionFrame};
const MenuTimerRecord kDrag = {1, 1, DragFrame};
const MenuTimerRecord kPitch = {1, 1, PitchFrame};
const MenuTimerRecord kMarkers = {1, 1, MarkerFrame};

const MenuItem kTopRow[] = {
    {MI_CUSTOM, kListX, 0, 443, kRowHeight, MenuFunction(PaintTopRow), nullptr},
    {MI_HOT_RECT, kListX, 0, 30, kRowHeight, nullptr, TopListClick},
    {MI_HOT_RECT, kListX + 30, 0, 162, 22, nullptr, TopListClick},
    {MI_HOT_RECT, kInstructionX[0], 0, kInstructionWidth, kRowHeight, nullptr, CBClick},
    {MI_HOT_RECT, kInstructionX[1], 0, kInstructionWidth, kRowHeight, nullptr, AClick},
    {MI_HOT_RECT, kInstructionX[2], 0, kInstructionWidth, kRowHeight, nullptr, MarkClick},
    kMenuEnd,
};
const MenuItem kBottomRow[] = {
    {MI_CUSTOM, kListX, 0, 443, kRowHeight, MenuFunction(PaintBottomRow), nullptr},
    {MI_HOT_RECT, kListX, 0, 30, kRowHeight, nullptr, BottomListClick},
    {MI_HOT_RECT, kListX + 30, 0, 162, 22, nullptr, BottomListClick},
    kMenuEnd,
};
const MenuItem kLeftRole[] = {
    {MI_CUSTOM, 40, 0, 330, kRowHeight, MenuFunction(PaintLeftRole), nullptr},
    {MI_HOT_RECT, 40, 0, 330, kRowHeight, nullptr, LeftRoleClick},
    kMenuEnd,
};
const MenuItem kRightRole[] = {
    {MI_CUSTOM, 380, 0, 330, kRowHeight, MenuFunction(PaintRightRole), nullptr},
    {MI_HOT_RECT, 380, 0, 330, kRowHeight, nullptr, RightRoleClick},
    kMenuEnd,
};

}  // namespace

const MenuItem TeamSelectTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(TeamSelectMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(1314), nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kInfusion, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kDrag, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kPitch, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kMarkers, nullptr},
    {MI_GROUP, 0, kListY, kInstructionRows, kRowHeight, kTopRow, nullptr},
    {MI_GROUP, 0, kListY + kInstructionRows* kRowHeight, kListRows - kInstructionRows, kRowHeight, kBottomRow,
     nullptr},
    {MI_GROUP, 0, 501, 2, kRowHeight, kLeftRole, nullptr},
    {MI_GROUP, 0, 501, 2, kRowHeight, kRightRole, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_BUTTON_STRING_VAR, 216, 93, 40, 16, &g_columnALabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnAPopup, nullptr},
    {MI_BUTTON_STRING_VAR, 258, 93, 40, 16, &g_columnBLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnBPopup, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_STRING_VAR, 507, 482, 125, 16, &g_formationLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_formationPopup, nullptr},
    {MI_BUTTON_TEXT, 634, 482, 126, 16, MenuValue(89), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_customPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 60, 559, 678, 28, &g_copyText, TeamSelect_CopyTactic},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Back},
    kMenuEnd,
};
