#include "game/match3d/teammenu.h"
#include "core/match/phases.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/match/matchclock.h"
#include "core/match/matchfigure.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchstats.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerprofile.h"

using namespace recbits;

int16_t IgTeamHuman;
TacticRecord* IgTactic = &MatchTacticRecord[0];
uint16_t IgSelectedRow = kIgNone;
uint16_t IgBenchPick = kIgNone;
uint16_t IgShownRole = kIgNone;
int16_t IgValueColumnA = -1;
int16_t IgValueColumnB = 0;
uint16_t IgPitchGrid[kPitchRows][kPitchColumns];

namespace {

// Tactic entry fields (30 bytes an entry).
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
constexpr int kMostSubstitutes = 5;

constexpr int16_t kRoleTexts[kIgRoles] = {1244, 1258, 1330, 1331};
constexpr int16_t kRoleIcons[kIgRoles] = {17, 18, 19, 20};
constexpr int16_t kRoleMessages[kIgRoles] = {979, 983, 980, 982};
// The leave check's order: captain, penalty, free-kick and corner takers.
constexpr int kLeaveRoleOrder[kIgRoles] = {0, 2, 3, 1};
constexpr int16_t kNoGoalkeeperText = 908;
constexpr int16_t kRolesText = 828;
constexpr int16_t kValueKinds[10] = {243, 246, 61, 86, 67, 62, 64, 65, 66, 1092};
constexpr int16_t kSubstituteQuestion = 693;
constexpr int16_t kSubstituteTitle = 635;

struct Cell {
    int16_t column = -1, row = -1;
    bool Set() const { return column >= 0; }
    bool operator==(const Cell&) const = default;
};

uint8_t* Entry(int e) { return IgTactic->bytes + e * kTacticEntrySize; }
Cell PointOf(int e, int at) { return {LoadI16(Entry(e) + at), LoadI16(Entry(e) + at + 2)}; }
void SetPoint(int e, int at, Cell c) {
    StoreI16(Entry(e) + at, c.column);
    StoreI16(Entry(e) + at + 2, c.row);
}
void ClearPoint(int e, int at) { SetPoint(e, at, {}); }
int16_t MarkingOf(int e) {
    int v = Entry(e)[kMarkingAt] & kMarkingBits;
    if (v & 0x10) v -= 32;
    return int16_t(v);
}
void SetMarking(int e, int16_t v) {
    uint8_t& b = Entry(e)[kMarkingAt];
    b = uint8_t((b & ~kMarkingBits) | (v & kMarkingBits));
}
bool OnGrid(Cell c) { return c.column >= 0 && c.column < kPitchColumns && c.row >= 0 && c.row < kPitchRows; }
uint16_t& GridAt(Cell c) { return IgPitchGrid[c.row][c.column]; }

int16_t Side() { return int16_t(IgViewSide & 1); }
bool EngineVisit() { return InGameMenuArgGiven != 0; }
int16_t SlotOfEntry(int entry) { return GetMatchSideSlot(Side(), int16_t(entry)); }
// The match record's word bounded to the bench's five rows.
int BenchCount() { return std::clamp<int>(MatchAvailableSubs(&GameInfo), 0, kMostSubstitutes); }
int SubstitutionsAllowed() {
    return std::clamp<int>(MatchSubstitutionsAllowed(&GameInfo), 0, kMostSubstitutes);
}
bool SubstitutionsLeft() { return MatchGetSubsUsed(Side()) < SubstitutionsAllowed(); }
uint16_t PlayerOfEntry(int entry) {
    return MatchFigurePlayerId(int16_t(Side() * kTeamFigures + SlotOfEntry(entry)));
}

// ---- Drag state ---------------------------------------------------------------------------------

Cell g_press;
int g_pressButton = 0;
int g_previousButtons = 0;

// Entries 1..10 on the grid by their positions (kept on the grid: a
// damaged record cannot put an entry off it); a cell taken twice keeps the
// first, the second goes to the nearest free cell.
void RebuildGrid() {
    for (auto& row : IgPitchGrid) std::fill(std::begin(row), std::end(row), kIgNone);
    for (int e = kFirstOutfield; e <= kLastOutfield; ++e) {
        Cell c = PointOf(e, kPositionAt);
        c.column = int16_t(std::clamp<int>(c.column, 0, kPitchColumns - 1));
        c.row = int16_t(std::clamp<int>(c.row, 0, kPitchRows - 1));
        if (GridAt(c) != kIgNone) {
            bool placed = false;
            for (int d = 1; d < kPitchRows + kPitchColumns && !placed; ++d) {
                for (int dr = -d; dr <= d && !placed; ++dr) {
                    for (int dc = -d; dc <= d && !placed; ++dc) {
                        const Cell n{int16_t(c.column + dc), int16_t(c.row + dr)};
                        if (OnGrid(n) && GridAt(n) == kIgNone) {
                            c = n;
                            placed = true;
                        }
                    }
                }
            }
        }
        SetPoint(e, kPositionAt, c);
        GridAt(c) = uint16_t(e);
    }
}

// Every forward or back run point of entries 1..10 on the cell cleared
// (forward points only when forwardOnly; the excepted entry kept).
void ClearRunPointsOn(Cell c, bool forwardOnly, int except) {
    for (int e = kFirstOutfield; e <= kLastOutfield; ++e) {
        if (e == except) continue;
        if (PointOf(e, kForwardAt) == c) ClearPoint(e, kForwardAt);
        if (!forwardOnly && PointOf(e, kBackAt) == c) ClearPoint(e, kBackAt);
    }
}

void CheckShirt(int entry, const char* message, Cell cell = {}) {
    const int shirt = entry + 1;
    if (shirt >= 1 && shirt <= kTacticEntries) return;
    if (cell.Set()) FatalError(message, shirt, cell.column, cell.row);
    FatalError(message, shirt);
}

// The pick of the list as a tactic entry on the pitch, or -1: the
// goalkeeper's row (entry 0, which the diagram never shows) takes no part
// in a pitch action, so it is never moved onto the outfield grid.
int PickedEntry() {
    return IgSelectedRow >= kFirstOutfield && IgSelectedRow <= kLastOutfield ? int(IgSelectedRow) : -1;
}

void ClickOnPressCell(Cell cell) {
    const uint16_t occupant = GridAt(cell);
    const int picked = PickedEntry();
    if (picked < 0) {
        if (occupant == kIgNone) {
            ClearRunPointsOn(cell, false, -1);
        } else {
            IgSelectedRow = occupant;
        }
        return;
    }
    IgSelectedRow = kIgNone;
    ClearRunPointsOn(cell, true, picked);
    if (occupant == uint16_t(picked)) return;
    if (occupant != kIgNone) {
        IgTeam_SwapPitchEntries(picked, occupant);
        return;
    }
    IgTeam_PositionPlayer(picked, cell.column, cell.row);
}

void LeftDragOnto(int entry, Cell cell) {
    if (GridAt(cell) != kIgNone) return;
    CheckShirt(entry, "Dodgy shirt no %d in j_mn2:LogicalInfusion():Case 1\n");
    SetPoint(entry, cell.row < PointOf(entry, kPositionAt).row ? kBackAt : kForwardAt, cell);
}

void RightDragOnto(int entry, Cell from, Cell cell) {
    CheckShirt(
        entry,
        "Dodgy shirt no %d in ig_mn4:LogicalInfusion():Case 2\nSelectedPlayerX = %d\nSelectedPlayerY = %d\n",
        from);
    const uint16_t target = GridAt(cell);
    if (target == kIgNone) {
        SetPoint(entry, kMarkPointAt, cell);
        SetMarking(entry, -1);
    } else {
        SetMarking(entry, int16_t(target));
        ClearPoint(entry, kMarkPointAt);
    }
}

// ---- Rows ----------------------------------------------------------------------------------------

constexpr int kTextSize = 48;
struct IgRow {
    uint16_t player;
    char name[kTextSize];
    int16_t position;  // text id, -1 none
    char rating[8];
    char columnA[kTextSize];
    char columnB[kTextSize];
    int16_t cardIcons[2];  // -1 none
    int16_t injuryIcon;
    int16_t cbIcon, cbText, aIcon, aText, markIcon, markText;
};
IgRow g_rows[kIgListRows + kIgBenchRows];
// Per role the row (line-up entry) of the player who holds it, -1 none.
int g_roleHolder[kIgRoles];
char g_header[2 * gameinfo::kTeamNameLength + 40];
const char* g_headerPtr = g_header;
char g_minute[32];
const char* g_minutePtr = g_minute;
char g_formationLabel[kTextSize];
const char* g_formationLabelPtr = g_formationLabel;
char g_columnALabel[kTextSize], g_columnBLabel[kTextSize];
const char* g_columnALabelPtr = g_columnALabel;
const char* g_columnBLabelPtr = g_columnBLabel;
char g_roleLabel[kTextSize];
const char* g_roleLabelPtr = g_roleLabel;

void FormatValue(int kind, int entry, uint16_t player, int rating, char* out) {
    out[0] = '\0';
    if (player == 0) return;
    if (kind == 0) {
        std::snprintf(out, kTextSize, "%d", rating);
        return;
    }
    if (kind == 1) {
        const MatchFigure* f = MatchGetFigure(Side(), SlotOfEntry(entry));
        std::snprintf(out, kTextSize, "%d", f != nullptr ? int(f->stateA) : 0);
        return;
    }
    const int16_t saved = SelectedPlayer;
    SelectedPlayer = int16_t(player);
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
    const int32_t number = AttributeValueByLabel(uint16_t(kValueKinds[kind]), &text, &money);
    SelectedPlayer = saved;
    if (money != kAttributeNoMoney) {
        std::snprintf(out, kTextSize, "%s", Price2str(money));
    } else if (text != kAttributeNoText) {
        std::snprintf(out, kTextSize, "%s", GetText(int16_t(text)));
    } else if (number != kAttributeNoNumber) {
        std::snprintf(out, kTextSize, "%d", int(number));
    }
}

void FillInstructionCells(IgRow& row, int e) {
    const uint8_t* entry = Entry(e);
    const uint8_t a = entry[kAAt], b = entry[kBAt], c = entry[kCAt];
    row.cbIcon = row.cbText = row.aIcon = row.aText = row.markIcon = row.markText = -1;
    if (c == 2) {
        row.cbIcon = 17;
    } else if (c == 1) {
        row.cbIcon = 20;
    } else if (b == 1) {
        row.cbIcon = 19;
    } else if (b == 2) {
        row.cbIcon = 24, row.cbText = 1717;
    }
    static constexpr int16_t kAIcons[5] = {-1, 18, 28, 21, 29};
    static constexpr int16_t kATexts[5] = {-1, 1720, 1716, 1715, 1714};
    if (a >= 1 && a <= 4) row.aIcon = kAIcons[a], row.aText = kATexts[a];
    if (MarkingOf(e) >= 0) {
        row.markIcon = 22, row.markText = 1722;
    } else if (PointOf(e, kMarkPointAt).Set()) {
        row.markIcon = 23, row.markText = 1722;
    }
}

bool HoldsRole(int role, int16_t slot) {
    switch (role) {
        case 0:
            return MatchIsCaptain(Side(), slot) != 0;
        case 1:
            return MatchIsCornerTaker(Side(), slot) != 0;
        case 2:
            return MatchIsPenaltyTaker(Side(), slot) != 0;
        default:
            return MatchIsFreeKickTaker(Side(), slot) != 0;
    }
}

void GiveRole(int role, int16_t slot) {
    switch (role) {
        case 0:
            MatchSetCaptain(Side(), slot);
            break;
        case 1:
            MatchSetCornerTaker(Side(), slot);
            break;
        case 2:
            MatchSetPenaltyTaker(Side(), slot);
            break;
        default:
            MatchSetFreeKickTaker(Side(), slot);
            break;
    }
}

void FillRows() {
    static uint8_t records[kTeamFigures][kStatsRecordBytes];
    MatchComputePlayerRatings(records, Side());
    const int rows = kIgListRows + BenchCount();
    std::fill(std::begin(g_roleHolder), std::end(g_roleHolder), -1);
    for (int r = 0; r < kIgListRows + kIgBenchRows; ++r) {
        IgRow& row = g_rows[r];
        row = IgRow{};
        row.position = row.cardIcons[0] = row.cardIcons[1] = row.injuryIcon = -1;
        row.cbIcon = row.cbText = row.aIcon = row.aText = row.markIcon = row.markText = -1;
        if (r >= rows) continue;
        const int16_t slot = SlotOfEntry(r);
        const MatchFigure* f = MatchGetFigure(Side(), slot);
        if (f == nullptr) continue;
        row.player = PlayerOfEntry(r);
        std::snprintf(row.name, kTextSize, "%.*s", int(strnlen(f->name, sizeof f->name)), f->name);
        // The position the match copied from the squad: no record lookup.
        if (f->position >= 0 && f->position <= 13) row.position = HVW_GetPositionTextIdOfCode(f->position);
        const uint8_t* record = records[slot];
        const int rating = LoadU16(record + kStatsValueW - kPlayerStatsRecord);
        std::snprintf(row.rating, sizeof row.rating, "%d", rating);
        const int cards = (LoadU16(record + kStatsPackedWord - kPlayerStatsRecord) >> 6) & 3;
        if (cards == 1) row.cardIcons[0] = 15;
        if (cards == 2) row.cardIcons[0] = 14, row.cardIcons[1] = 15;
        if (cards == 3) row.cardIcons[0] = 14;
        if (IgInjuryIconShown(Side(), slot, record)) row.injuryIcon = 16;
        if (IgValueColumnA >= 0) FormatValue(IgValueColumnA, r, row.player, rating, row.columnA);
        FormatValue(IgValueColumnB, r, row.player, rating, row.columnB);
        if (r < kIgListRows) FillInstructionCells(row, r);
        for (int role = 0; role < kIgRoles; ++role)
            if (g_roleHolder[role] < 0 && HoldsRole(role, slot)) g_roleHolder[role] = r;
    }
}

// ---- Pop-ups --------------------------------------------------------------------------------------

constexpr int kFormationEntries = kFormationPresets + kCustomTacticSlots - 1;
PopupEntry g_formationPopup[kFormationEntries + 2];
PopupEntry g_columnAPopup[12];
PopupEntry g_columnBPopup[11];
PopupEntry g_rolePopup[kIgRoles + 2];
char g_formationNames[kFormationEntries][kTextSize];

PopupEntry Head(PopupOpenFunction open) {
    return {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, open};
}
PopupEntry Tail() { return {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr}; }
PopupEntry TextRow(int16_t text, PopupFunction function) {
    return {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr};
}
PopupEntry StringRow(const char* text, PopupFunction function) {
    return {POPUP_STRING, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, text, function, nullptr};
}
void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}
int32_t FormationChosen(PopupCallBlock* call) { return IgTeam_SetFormation(call->row); }
int32_t ColumnAChosen(PopupCallBlock* call) { return IgTeam_ColumnA(call->row); }
int32_t ColumnBChosen(PopupCallBlock* call) { return IgTeam_ColumnB(call->row); }
int32_t RoleChosen(PopupCallBlock* call) { return IgTeam_ShowRole(call->row); }
void MarkColumnA(PopupCallBlock*) {
    for (int k = 0; k <= 10; ++k) Mark(g_columnAPopup[1 + k], k == IgValueColumnA + 1);
}
void MarkColumnB(PopupCallBlock*) {
    for (int k = 0; k < 10; ++k) Mark(g_columnBPopup[1 + k], k == IgValueColumnB);
}

// The side's saved tactics in its set-up block, the store its tactic word
// names (a slot whose first position column is -1 ends them, 11 at most).
int SavedTactics() {
    int used = 0;
    while (used < kCustomTacticSlots - 1 &&
           LoadI16(GameInfo.TeamTacticSlot(Side(), used)->bytes + kPositionAt) != -1)
        ++used;
    return used;
}

void BuildPopups() {
    int n = 0;
    g_formationPopup[0] = Head(nullptr);
    for (int16_t k = 0; k < kFormationPresets; ++k, ++n) {
        std::snprintf(g_formationNames[n], kTextSize, "%s", GetText(GetFormationNameText(k)));
        g_formationPopup[1 + n] = StringRow(g_formationNames[n], FormationChosen);
    }
    const int saved = SavedTactics();
    for (int i = 0; i < saved; ++i, ++n) {
        std::snprintf(g_formationNames[n], kTextSize, "%s %d", GetText(kTextCustom), i + 1);
        g_formationPopup[1 + n] = StringRow(g_formationNames[n], FormationChosen);
    }
    g_formationPopup[1 + n] = Tail();
    g_columnAPopup[0] = Head(MarkColumnA);
    g_columnAPopup[1] = TextRow(kTextNone, ColumnAChosen);
    g_columnBPopup[0] = Head(MarkColumnB);
    for (int k = 0; k < 10; ++k) {
        g_columnAPopup[2 + k] = TextRow(kValueKinds[k], ColumnAChosen);
        g_columnBPopup[1 + k] = TextRow(kValueKinds[k], ColumnBChosen);
    }
    g_columnAPopup[11] = Tail();
    g_columnBPopup[10] = Tail();
    g_rolePopup[0] = Head(nullptr);
    for (int r = 0; r < kIgRoles; ++r) g_rolePopup[1 + r] = TextRow(kRoleTexts[r], RoleChosen);
    g_rolePopup[1 + kIgRoles] = Tail();
}

void FillLabels() {
    const int16_t word = GameInfo.TeamI16(Side(), gameinfo::kTacticChoice);
    if (word >= 10) {
        std::snprintf(g_formationLabel, kTextSize, "%s %d", GetText(kTextCustom), word - 9);
    } else {
        std::snprintf(g_formationLabel, kTextSize, "%s",
                      GetText(GetFormationNameText(int16_t(std::max<int>(word, 0)))));
    }
    std::snprintf(g_roleLabel, kTextSize, "%s",
                  GetText(IgShownRole < kIgRoles ? kRoleTexts[IgShownRole] : kRolesText));
    std::snprintf(g_columnALabel, kTextSize, "%s",
                  GetText(IgValueColumnA >= 0 ? kValueKinds[IgValueColumnA] : kTextNone));
    std::snprintf(g_columnBLabel, kTextSize, "%s", GetText(kValueKinds[IgValueColumnB]));
    std::snprintf(g_minute, sizeof g_minute, "%d %s", int(MatchClockMinute()), GetText(kTextMinutes));
}

// ---- Substitution ---------------------------------------------------------------------------------

// The selected player may go off: he is on the pitch (or left it injured).
bool OutgoingCanLeave(int entry) {
    const int16_t slot = SlotOfEntry(entry);
    const MatchFigure* f = MatchGetFigure(Side(), slot);
    if (f == nullptr || f->sentOff != 0) return false;
    return MatchIsPlayerOnPitch(Side(), slot) != 0 || MatchIsPlayerInjured(Side(), slot) != 0;
}

void ClearPicks() { IgSelectedRow = IgBenchPick = kIgNone; }

void IgTeam_ConfirmSubstitution() {
    if (IgSelectedRow >= kIgListRows || IgBenchPick == kIgNone) return;
    if (!OutgoingCanLeave(IgSelectedRow)) {
        ClearPicks();
        return;
    }
    char question[256];
    char format[200];
    std::snprintf(format, sizeof format, "%s\n\n%s", GetText(kSubstituteQuestion), GetText(kSubstituteTitle));
    const MatchFigure* in = MatchGetFigure(Side(), int16_t(IgBenchPick));
    const MatchFigure* out = MatchGetFigure(Side(), SlotOfEntry(IgSelectedRow));
    char inName[24] = {}, outName[24] = {};
    if (in != nullptr)
        std::snprintf(inName, sizeof inName, "%.*s", int(strnlen(in->name, sizeof in->name)), in->name);
    if (out != nullptr)
        std::snprintf(outName, sizeof outName, "%.*s", int(strnlen(out->name, sizeof out->name)), out->name);
    std::snprintf(question, sizeof question, format, inName, outName);
    if (ShowChoiceBox(question, 0, YesNoButtons) == 0) {
        IgTeam_Substitute();
    } else {
        ClearPicks();
    }
}

}  // namespace

// ---- Screen --------------------------------------------------------------------------------------

void IgTeam_Enter() {
    g_press = {};
    g_pressButton = 0;
    g_previousButtons = 0;
    IgShownRole = kIgNone;
    ClearPicks();
    IgTactic = &MatchTacticRecord[Side()];
    IgFormatMatchHeader(g_header, sizeof g_header);
    IgTeamHuman = MatchTeamHuman(&GameInfo, Side()) ? 1 : 0;
    IgValueColumnA = -1;
    IgValueColumnB = 0;
}

const char* IgTeam_ValueText(int row, int column) {
    if (row < 0 || row >= kIgListRows + kIgBenchRows) return "";
    return column == 0 ? g_rows[row].columnA : g_rows[row].columnB;
}

void IgTeam_Build() {
    if (IsMenuFirstEntry() == 1) IgTeam_Enter();
    SetMenuTitleDate(12);
    IgButtonBar_Prepare();
    RebuildGrid();
    BuildPopups();
    FillRows();
    FillLabels();
}

int32_t IgTeam_PickRow(int row, bool right) {
    if (row < 0 || row >= kIgListRows) return MENU_CONTINUE;
    if (right) {
        const uint16_t player = PlayerOfEntry(row);
        if (player == 0) return MENU_CONTINUE;  // an empty row opens nothing
        ReturnMenuOption = int16_t(InGameMenuId);
        InGameMenuId = kIgProfileMenu;
        SelectedPlayer = int16_t(player);
        return MENU_CLOSE;
    }
    if (IgTeamHuman == 0) return MENU_CONTINUE;
    if (IgSelectedRow == kIgNone) {
        IgSelectedRow = uint16_t(row);
        if (IgBenchPick != kIgNone) IgTeam_ConfirmSubstitution();
        return MENU_REDRAW;
    }
    if (IgSelectedRow != uint16_t(row) && IgSelectedRow < kIgListRows) {
        MatchSwapSideEntries(Side(), SlotOfEntry(IgSelectedRow), SlotOfEntry(row));
    }
    IgSelectedRow = kIgNone;
    return MENU_REDRAW;
}

int32_t IgTeam_PickBench(int row, bool right) {
    if (row < 0 || row >= BenchCount()) return MENU_CONTINUE;
    const int entry = kIgListRows + row;
    if (right) {
        if (IgTeamHuman == 0) return MENU_CONTINUE;
        return IgTeam_PickRow(entry, true) == MENU_CLOSE ? MENU_CLOSE : MENU_CONTINUE;
    }
    if (IgTeamHuman == 0 || !EngineVisit()) return MENU_CONTINUE;
    IgShownRole = kIgNone;
    const int16_t slot = SlotOfEntry(entry);
    if (SubstitutionsLeft() && MatchIsSubstituteAvailable(Side(), slot) != 0) IgBenchPick = uint16_t(slot);
    if (IgSelectedRow != kIgNone && IgBenchPick != kIgNone) IgTeam_ConfirmSubstitution();
    return MENU_REDRAW;
}

void IgTeam_Substitute() {
    if (IgSelectedRow >= kIgListRows || IgBenchPick == kIgNone) return;
    if (MatchPhase != kPhaseSubstitution) {
        ResumePhase = MatchPhase;
        MatchPhase = kPhaseSubstitution;
    }
    MatchSubstitutePlayer(Side(), SlotOfEntry(IgSelectedRow), int16_t(IgBenchPick));
    ClearPicks();
}

int32_t IgTeam_SetRole(int role) {
    if (IgTeamHuman == 0 || role < 0 || role >= kIgRoles) return MENU_CONTINUE;
    if (IgSelectedRow >= kIgListRows) return MENU_CONTINUE;
    GiveRole(role, SlotOfEntry(IgSelectedRow));
    IgSelectedRow = kIgNone;
    return MENU_REDRAW;
}

int32_t IgTeam_ShowRole(int role) {
    if (role < 0 || role >= kIgRoles) return MENU_CONTINUE;
    IgShownRole = IgShownRole == uint16_t(role) ? kIgNone : uint16_t(role);
    return MENU_REDRAW;
}

int32_t IgTeam_CycleA(int row) {
    if (IgTeamHuman == 0 || row < 0 || row >= kIgListRows) return MENU_CONTINUE;
    uint8_t& a = Entry(row)[kAAt];
    a = uint8_t(a >= 4 ? 0 : a + 1);
    return MENU_REDRAW;
}

int32_t IgTeam_CycleBC(int row) {
    if (IgTeamHuman == 0 || row < 0 || row >= kIgListRows) return MENU_CONTINUE;
    static constexpr uint8_t kPairs[5][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}};
    uint8_t& b = Entry(row)[kBAt];
    uint8_t& c = Entry(row)[kCAt];
    int at = 0;
    while (at < 5 && !(kPairs[at][0] == b && kPairs[at][1] == c)) ++at;
    const int next = at >= 4 ? 0 : at + 1;  // an unknown pair starts again
    b = kPairs[next][0];
    c = kPairs[next][1];
    return MENU_REDRAW;
}

int32_t IgTeam_ClearMarking(int row) {
    if (IgTeamHuman == 0 || row < 0 || row >= kIgListRows) return MENU_CONTINUE;
    if (MarkingOf(row) >= 0 || PointOf(row, kMarkPointAt).Set()) {
        SetMarking(row, -1);
        ClearPoint(row, kMarkPointAt);
    }
    return MENU_REDRAW;
}

// The side's own saved tactics (its set-up block's copy of the store its
// sheet uses) are both counted and copied: counting one store and copying
// from another would put a tactic other than the one listed, or an empty
// slot, into the match.
int32_t IgTeam_SetFormation(int entry) {
    if (IgTeamHuman == 0 || entry < 0) return MENU_CONTINUE;
    if (entry < kFormationPresets) {
        GetComputerTactics(IgTactic, int16_t(entry));
    } else {
        if (entry - kFormationPresets >= SavedTactics()) return MENU_CONTINUE;
        *IgTactic = *GameInfo.TeamTacticSlot(Side(), entry - kFormationPresets);
    }
    GameInfo.SetTeamI16(Side(), gameinfo::kTacticChoice, int16_t(entry));
    MatchLoadTeamTactics(Side());
    return MENU_REDRAW;
}

int32_t IgTeam_ColumnA(int entry) {
    if (entry < 0 || entry > 10) return MENU_CONTINUE;
    IgValueColumnA = int16_t(entry - 1);
    return MENU_REDRAW_ALSO;
}

int32_t IgTeam_ColumnB(int entry) {
    if (entry < 0 || entry > 9) return MENU_CONTINUE;
    IgValueColumnB = int16_t(entry);
    return MENU_REDRAW_ALSO;
}

int32_t IgTeam_ReturnToMatch() {
    if (EngineVisit() || IgTeamHuman == 0 || !IgLeaveCheck()) return MENU_CONTINUE;
    ChangePending[Side()] = 1;
    InGameMenuId = kIgLeaveMenus;
    return MENU_CLOSE;
}

// ---- Pitch ---------------------------------------------------------------------------------------

// The entry moved is the one picked: taking it from the shirt of the player
// who stands at that line-up entry (as the club's team selection does)
// would move another entry once line-up entries have been swapped, and
// ends the program for a substitute who came on (shirt 12 and up).
void IgTeam_PositionPlayer(int entry, int16_t column, int16_t row) {
    CheckShirt(entry, "Dodgy shirt no %d in a_mn5:PositionPlayer()\n");
    if (entry < kFirstOutfield || entry > kLastOutfield) return;
    const Cell target{int16_t(std::clamp<int>(column, 0, kPitchColumns - 1)),
                      int16_t(std::clamp<int>(row, 0, kPitchRows - 1))};
    if (GridAt(target) != kIgNone) return;
    const Cell from = PointOf(entry, kPositionAt);
    if (OnGrid(from) && GridAt(from) == uint16_t(entry)) GridAt(from) = kIgNone;
    GridAt(target) = uint16_t(entry);
    const bool hadForward = PointOf(entry, kForwardAt).Set(), hadBack = PointOf(entry, kBackAt).Set();
    SetPoint(entry, kPositionAt, target);
    if (hadForward && !hadBack) ClearPoint(entry, kForwardAt);
    const Cell back = PointOf(entry, kBackAt), forward = PointOf(entry, kForwardAt);
    if (back.Set() && !(back.row < target.row)) ClearPoint(entry, kBackAt);
    if (forward.Set() && forward.row < target.row) ClearPoint(entry, kForwardAt);
}

void IgTeam_SwapPitchEntries(int a, int b) {
    if (a == b || a < kFirstOutfield || a > kLastOutfield || b < kFirstOutfield || b > kLastOutfield) return;
    const Cell ca = PointOf(a, kPositionAt), cb = PointOf(b, kPositionAt);
    uint8_t saved[kTacticEntrySize];
    std::memcpy(saved, Entry(a), kTacticEntrySize);
    std::memcpy(Entry(a), Entry(b), kTacticEntrySize);
    std::memcpy(Entry(b), saved, kTacticEntrySize);
    // The grid cells change places with the entries: each entry keeps its
    // number on the cell it now stands on.
    if (OnGrid(ca)) GridAt(ca) = uint16_t(b);
    if (OnGrid(cb)) GridAt(cb) = uint16_t(a);
    for (int e : {a, b})
        if (MarkingOf(e) == e) SetMarking(e, -1);
}

void IgTeam_LogicalInfusion(int x, int y, int buttons) {
    buttons &= 3;
    const int previous = g_previousButtons;
    g_previousButtons = buttons;
    if (IgTeamHuman == 0 || buttons == previous) return;
    const int pressed = buttons & ~previous;
    const int released = previous & ~buttons;
    const bool inside = x >= kPitchLeft && x <= kPitchRight && y >= kPitchTop && y <= kPitchBottom;
    const Cell cell{ScreenXToPitchColumn(int16_t(x)), ScreenYToPitchRow(int16_t(y))};
    if (pressed != 0) {
        if (!inside) return;
        g_press = cell;
        g_pressButton = (pressed & 1) != 0 ? 1 : 2;
        return;
    }
    if ((released & g_pressButton) == 0 || !g_press.Set()) return;
    const Cell from = g_press;
    const bool left = g_pressButton == 1;
    g_press = {};
    g_pressButton = 0;
    // A release outside the diagram does nothing.
    if (!inside) return;
    const uint16_t dragged = GridAt(from);
    if (cell == from) {
        if (left) ClickOnPressCell(cell);
        return;
    }
    if (dragged == kIgNone) return;
    if (left) {
        LeftDragOnto(dragged, cell);
    } else {
        RightDragOnto(dragged, from, cell);
    }
}

void IgTeam_DrawPitch() {
    const int x0 = kPitchLeft, y0 = kPitchTop;
    FillSolidRect(x0, y0, kPitchRight - x0 + 1, kPitchBottom - y0 + 1, 0x2BE6);
    DrawLine(x0 + 3, (y0 + kPitchBottom) / 2, kPitchRight - 3, (y0 + kPitchBottom) / 2, 0xFFFF);
    for (int e = kFirstOutfield; e <= kLastOutfield; ++e) {
        const int16_t slot = SlotOfEntry(e);
        const MatchFigure* f = MatchGetFigure(Side(), slot);
        if (f == nullptr || f->sentOff != 0) continue;
        if (MatchIsPlayerOnPitch(Side(), slot) == 0 && MatchIsPlayerInjured(Side(), slot) != 0) continue;
        const Cell c = PointOf(e, kPositionAt);
        if (!OnGrid(c)) continue;
        const int x = PitchColumnToScreenX(c.column), y = PitchRowToScreenY(c.row);
        if (IgTeamHuman != 0) {
            for (int at : {kForwardAt, kBackAt}) {
                const Cell p = PointOf(e, at);
                if (OnGrid(p) && !(p == c))
                    DrawPitchArrowWhite(x, y, PitchColumnToScreenX(p.column), PitchRowToScreenY(p.row));
            }
            Cell mark = PointOf(e, kMarkPointAt);
            const int16_t marked = MarkingOf(e);
            if (!OnGrid(mark) && marked >= kFirstOutfield && marked <= kLastOutfield)
                mark = PointOf(marked, kPositionAt);
            if (OnGrid(mark) && !(mark == c))
                DrawPitchArrowColour(x, y, PitchColumnToScreenX(mark.column), PitchRowToScreenY(mark.row));
        }
        DrawIcon(x, y, 3 + std::clamp<int>(f->position, 0, 3), JUSTIFY_CENTRE_MIDDLE);
        SetFont(6);
        SetDrawParam(1, 0);
        DrawNumberAt(x, y, e + 1, JUSTIFY_CENTRE_MIDDLE);
    }
    IgTeam_DrawDrag();
}

void IgTeam_DrawDrag() {
    if (!g_press.Set() || (GetMenuButtons() & 3) == 0) return;
    const int cx = std::clamp<int>(CursorX, kPitchLeft, kPitchRight);
    const int cy = std::clamp<int>(CursorY, kPitchTop, kPitchBottom);
    DrawLine(PitchColumnToScreenX(g_press.column), PitchRowToScreenY(g_press.row), cx, cy,
             g_pressButton == 1 ? 0xFFFF : 0xE479);
}

// ---- Leave check ----------------------------------------------------------------------------------

int16_t IgTeam_LeaveProblem() {
    const int16_t side = Side();
    // The flag is set when the team screen is entered; the bar's back icon
    // runs this check on every in-match screen, whose viewed side may since
    // have changed to a side the user does not manage (the opponent's, or
    // the side an engine visit shows).  Only a line-up the user can mend
    // may keep him on the screen.
    if (IgTeamHuman == 0 || !MatchTeamHuman(&GameInfo, side)) return 0;
    for (int role : kLeaveRoleOrder) {
        bool held = false;
        for (int e = 0; e < kIgListRows && !held; ++e) {
            const int16_t slot = SlotOfEntry(e);
            held = MatchIsPlayerOnPitch(side, slot) != 0 && HoldsRole(role, slot);
        }
        if (!held) return kRoleMessages[role];
    }
    if (MatchIsPlayerOnPitch(side, SlotOfEntry(0)) == 0) return kNoGoalkeeperText;
    if (SubstitutionsLeft()) {
        for (int e = 0; e < kIgListRows; ++e)
            if (MatchIsPlayerHurt(side, SlotOfEntry(e)) != 0) return kTextPlayersUnavailable;
    }
    return 0;
}

bool IgLeaveCheck() {
    const int16_t problem = IgTeam_LeaveProblem();
    if (problem == 0) return true;
    ShowMessageBox(GetText(problem), 0);
    return false;
}

// ---- Table ---------------------------------------------------------------------------------------

namespace {

constexpr int kListX = 40, kListY = 110, kRowHeight = 22;
constexpr int kBenchY = kListY + kIgListRows * kRowHeight + 8;
constexpr int kInstructionX[3] = {330, 388, 446};
constexpr int kInstructionWidth = 58;
constexpr int kRoleY = kBenchY + kIgBenchRows * kRowHeight + 6;

bool SecondButton() { return (GetMenuButtons() & 2) != 0; }

void PaintInstruction(int x, int y, int16_t icon, int16_t text) {
    if (icon < 0) return;
    DrawIcon(x + 2, y + 2, icon, JUSTIFY_LEFT_TOP);
    if (text < 0) return;
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextNoAt(x + kInstructionWidth / 2 + 8, y + kRowHeight / 2, text, JUSTIFY_CENTRE_MIDDLE);
}

void PaintRow(int r, int y) {
    const IgRow& row = g_rows[r];
    const bool picked =
        (r < kIgListRows && IgSelectedRow == uint16_t(r)) ||
        (r >= kIgListRows && IgBenchPick != kIgNone && IgBenchPick == uint16_t(SlotOfEntry(r)));
    SetDrawParam(2, 0);
    DrawShadedRect(kListX, y, 460, kRowHeight - 1, picked ? 80 : ((r & 1) != 0 ? 25 : 50));
    SetDrawParam(1, picked ? 3 : 0);
    SetFont(9);
    DrawTextAddrAt(kListX + 6, y + 11, row.name, JUSTIFY_LEFT_MIDDLE);
    SetFont(6);
    if (row.position >= 0) DrawTextNoAt(kListX + 150, y + 11, row.position, JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(kListX + 185, y + 11, row.rating, JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(kListX + 220, y + 11, IgTeam_ValueText(r, 0), JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(kListX + 255, y + 11, IgTeam_ValueText(r, 1), JUSTIFY_CENTRE_MIDDLE);
    int iconX = kListX + 270;
    for (int16_t icon : {row.cardIcons[0], row.cardIcons[1], row.injuryIcon}) {
        if (icon < 0) continue;
        DrawIcon(iconX, y + 2, icon, JUSTIFY_LEFT_TOP);
        iconX += 4;
    }
    if (r >= kIgListRows) return;
    PaintInstruction(kInstructionX[0], y, row.cbIcon, row.cbText);
    PaintInstruction(kInstructionX[1], y, row.aIcon, row.aText);
    PaintInstruction(kInstructionX[2], y, row.markIcon, row.markText);
}

void PaintListRow(int, int y, int, int) { PaintRow(MenuPaintRow(), y); }
void PaintBenchRow(int, int y, int, int) {
    if (EngineVisit() && MenuPaintRow() < BenchCount()) PaintRow(kIgListRows + MenuPaintRow(), y);
}
int32_t ListClick(MenuHotItem* item) { return IgTeam_PickRow(item->row, SecondButton()); }
int32_t BenchClick(MenuHotItem* item) {
    if (!EngineVisit()) return MENU_CONTINUE;
    return IgTeam_PickBench(item->row, SecondButton());
}
// Everything but the player view waits for the left button.
int32_t LeftOnly(MenuHotItem* item, int32_t (*action)(int)) {
    if (SecondButton()) return MENU_CONTINUE;
    return action(item->row);
}
int32_t CBClick(MenuHotItem* item) { return LeftOnly(item, IgTeam_CycleBC); }
int32_t AClick(MenuHotItem* item) { return LeftOnly(item, IgTeam_CycleA); }
int32_t MarkClick(MenuHotItem* item) { return LeftOnly(item, IgTeam_ClearMarking); }

void PaintRole(int role, int x, int y) {
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, 225, kRowHeight - 1, 50);
    SetFont(9);
    SetDrawParam(1, IgShownRole == uint16_t(role) ? 3 : 0);
    DrawTextNoAt(x + 6, y + 11, kRoleTexts[role], JUSTIFY_LEFT_MIDDLE);
    const int holder = g_roleHolder[role];
    if (holder < 0) return;
    DrawIcon(x + 100, y + 2, kRoleIcons[role], JUSTIFY_LEFT_TOP);
    DrawTextAddrAt(x + 120, y + 11, g_rows[holder].name, JUSTIFY_LEFT_MIDDLE);
}
void PaintLeftRole(int x, int y, int, int) { PaintRole(MenuPaintRow(), x, y); }
void PaintRightRole(int x, int y, int, int) { PaintRole(2 + MenuPaintRow(), x, y); }
int32_t LeftRoleClick(MenuHotItem* item) { return IgTeam_SetRole(item->row); }
int32_t RightRoleClick(MenuHotItem* item) { return IgTeam_SetRole(2 + item->row); }
int32_t ReturnClick(MenuHotItem*) { return IgTeam_ReturnToMatch(); }
void PaintReturn(int x, int y, int w, int h) {
    if (EngineVisit()) return;
    DoButton(x, y, w, h);
    SetFont(9);
    SetDrawParam(1, 0);
    DrawTextNoAt(x + w / 2, y + h / 2, 637, JUSTIFY_CENTRE_MIDDLE);
}

void InfusionFrame(int16_t) { IgTeam_LogicalInfusion(CursorX, CursorY, GetMenuButtons()); }
void PitchFrame(int16_t) { IgTeam_DrawPitch(); }
const MenuTimerRecord kInfusion = {1, 1, InfusionFrame};
const MenuTimerRecord kPitch = {1, 1, PitchFrame};

const MenuItem kListRow[] = {
    {MI_CUSTOM, kListX, 0, 460, kRowHeight, MenuFunction(PaintListRow), nullptr},
    {MI_HOT_RECT, kListX, 0, 280, kRowHeight, nullptr, ListClick},
    {MI_HOT_RECT, kInstructionX[0], 0, kInstructionWidth, kRowHeight, nullptr, CBClick},
    {MI_HOT_RECT, kInstructionX[1], 0, kInstructionWidth, kRowHeight, nullptr, AClick},
    {MI_HOT_RECT, kInstructionX[2], 0, kInstructionWidth, kRowHeight, nullptr, MarkClick},
    kMenuEnd,
};
const MenuItem kBenchRow[] = {
    {MI_CUSTOM, kListX, 0, 460, kRowHeight, MenuFunction(PaintBenchRow), nullptr},
    {MI_HOT_RECT, kListX, 0, 280, kRowHeight, nullptr, BenchClick},
    kMenuEnd,
};
const MenuItem kLeftRole[] = {
    {MI_CUSTOM, 40, 0, 225, kRowHeight, MenuFunction(PaintLeftRole), nullptr},
    {MI_HOT_RECT, 40, 0, 225, kRowHeight, nullptr, LeftRoleClick},
    kMenuEnd,
};
const MenuItem kRightRole[] = {
    {MI_CUSTOM, 275, 0, 225, kRowHeight, MenuFunction(PaintRightRole), nullptr},
    {MI_HOT_RECT, 275, 0, 225, kRowHeight, nullptr, RightRoleClick},
    kMenuEnd,
};

}  // namespace

const MenuItem IgTeamTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(IgTeam_Build), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, 10, 0, &g_headerPtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_STRING_VAR, 400, 80, 10, 0, &g_minutePtr, nullptr},
    {MI_TEXT, kListX + 6, 98, 9, 0, MenuValue(580), nullptr},
    {MI_TEXT, kListX + 150, 98, 10, 0, MenuValue(581), nullptr},
    {MI_TEXT, kListX + 185, 98, 10, 0, MenuValue(582), nullptr},
    {MI_TEXT, kListX + 290, 98, 10, 0, MenuValue(587), nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kInfusion, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kPitch, nullptr},
    {MI_GROUP, 0, kListY, kIgListRows, kRowHeight, kListRow, nullptr},
    {MI_GROUP, 0, kBenchY, kIgBenchRows, kRowHeight, kBenchRow, nullptr},
    {MI_GROUP, 0, kRoleY, 2, kRowHeight, kLeftRole, nullptr},
    {MI_GROUP, 0, kRoleY, 2, kRowHeight, kRightRole, nullptr},
    {MI_BUTTON_STRING_VAR, kListX + 200, 88, 40, 16, &g_columnALabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnAPopup, nullptr},
    {MI_BUTTON_STRING_VAR, kListX + 240, 88, 40, 16, &g_columnBLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnBPopup, nullptr},
    {MI_BUTTON_STRING_VAR, 507, 460, 125, 16, &g_formationLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_formationPopup, nullptr},
    {MI_BUTTON_STRING_VAR, 634, 460, 126, 16, &g_roleLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_rolePopup, nullptr},
    {MI_CUSTOM, 507, 490, 253, 26, MenuFunction(PaintReturn), nullptr},
    {MI_HOT_RECT, 507, 490, 253, 26, nullptr, ReturnClick},
    {MI_GROUP, 0, 0, 1, 0, IgButtonBarTable, nullptr},
    kMenuEnd,
};
