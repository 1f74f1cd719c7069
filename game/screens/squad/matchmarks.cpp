#include "game/screens/squad/matchmarks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

MatchMarksState MatchMarks = {0, 0, 0, kMarksNoColumn, {}, 0};

namespace {

constexpr int16_t kBandIcons[] = {4, 18, 19, 20, 21, 22, 8};
constexpr int kGridX = 160, kGridY = 128, kRowHeight = 20, kColumnWidth = 47;
constexpr int kGridWidth = kColumnWidth * kMarksColumns;
constexpr int kCaptionSize = 12;
constexpr int kPanelLines = 8;
constexpr int kPanelLineSize = 64;

int16_t g_slots[kMarksColumns];
int16_t g_cellMark[kMarksRows][kMarksColumns];
int16_t g_cellIcon[kMarksRows][kMarksColumns];
char g_captions[kMarksColumns][kCaptionSize];
const char* g_captionPtr[kMarksColumns];
char g_rowNameText[kMarksRows][32];
const char* g_rowNames[kMarksRows];
char g_panel[kPanelLines][kPanelLineSize];
const char* g_panelPtr[kPanelLines];
int16_t g_panelIcon = -1;
int16_t g_panelLabels[4] = {-1, -1, -1, -1};
int16_t g_titleText = -1;

uint16_t ListEntry(int index) {
    return index >= 0 && index < kMarksListSlots && index < MatchMarks.count ? MatchMarks.players[index] : 0;
}

int MaxTop() { return std::max(0, MatchMarks.count - kMarksRows); }

void FormatDate(char* out, size_t size, int slot) {
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(int16_t(FixtureDay(slot)), HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    std::snprintf(out, size, "%d/%d/%02d", dayOfMonth, month + 1, year % 100);
}

void ClearCells() {
    for (int row = 0; row < kMarksRows; ++row) {
        for (int column = 0; column < kMarksColumns; ++column) {
            g_cellMark[row][column] = kMarksNone;
            g_cellIcon[row][column] = -1;
        }
        g_rowNameText[row][0] = '\0';
        g_rowNames[row] = g_rowNameText[row];
    }
    for (int column = 0; column < kMarksColumns; ++column) {
        g_captions[column][0] = '\0';
        g_captionPtr[column] = g_captions[column];
    }
    for (int line = 0; line < kPanelLines; ++line) {
        g_panel[line][0] = '\0';
        g_panelPtr[line] = g_panel[line];
    }
    g_panelIcon = -1;
    for (int16_t& label : g_panelLabels) label = -1;
}

void EnterMatchMarks() {
    const int16_t club = HVW_GetMyClub();
    HVW_BuildSquadList(club);
    std::copy(std::begin(FirstTeamList.players), std::end(FirstTeamList.players), MatchMarks.players);
    int count = 0;
    while (count < kMarksListSlots && MatchMarks.players[count] != 0 &&
           MatchMarks.players[count] < PlayerCount) {
        ++count;
    }
    std::fill(MatchMarks.players + count, std::end(MatchMarks.players), uint16_t(0));
    MatchMarks.count = int8_t(count);
    if (MatchMarks.selectedPlayer == 0) {
        MatchMarks.selectedPlayer = MatchMarks.players[0];
        MatchMarks.top = 0;
    }
    // A squad that shrank since the last visit must not leave the page
    // past its end.
    MatchMarks.top = int8_t(std::clamp<int>(MatchMarks.top, 0, MaxTop()));
    MatchMarks.matches = HVW_GetClubLastLeagueFixtures(club, kMarksColumns, g_slots);
    g_titleText = club >= 0 ? HVW_ClubTextId(club) : int16_t(-1);
}

// The player's line-up entry in the fixture (his side's sixteen); null
// when he is not among them.
const uint8_t* LineUpEntryOf(int slot, uint16_t player) {
    const int16_t club = HVW_GetMyClub();
    const int side = FixtureHome(slot) == club ? 0 : 1;
    const uint8_t* entry = FixtureTable[slot].bytes + kFixtureLineUps + side * kFixtureLineUpSize;
    for (int k = 0; k < kFixtureLineUpEntries; ++k, entry += kFixtureLineUpEntrySize) {
        if (recbits::LoadU16(entry) == player) return entry;
    }
    return nullptr;
}

void BuildPanel() {
    const int column = MatchMarks.selectedColumn;
    const uint16_t player = MatchMarks.selectedPlayer;
    if (player == 0 || column >= MatchMarks.matches) return;
    const int slot = g_slots[column];
    if (slot < 0 || slot >= kFixtureSlots) return;
    const int16_t club = HVW_GetMyClub();
    const bool home = FixtureHome(slot) == club;
    const uint32_t score = FixtureScore(slot);
    const int homeGoals = int(score & kFixtureGoalsMask), awayGoals = int((score >> 5) & kFixtureGoalsMask);
    FormatDate(g_panel[0], kPanelLineSize, slot);
    std::snprintf(g_panel[1], kPanelLineSize, "%s",
                  GetText(HVW_ClubTextId(home ? FixtureAway(slot) : FixtureHome(slot))));
    std::snprintf(g_panel[2], kPanelLineSize, "(%s)", GetText(home ? 102 : 103));
    std::snprintf(g_panel[3], kPanelLineSize, "%d - %d", home ? homeGoals : awayGoals,
                  home ? awayGoals : homeGoals);
    g_panelLabels[0] = 1683;
    g_panelLabels[1] = 610;
    g_panelLabels[2] = 1446;
    g_panelLabels[3] = 1305;
    // His figures of the match as the line-up keeps them: the rating and
    // the goals; assists are not kept per match and so are not shown.
    const uint8_t* entry = LineUpEntryOf(slot, player);
    if (entry == nullptr) {
        g_panelIcon = kMarksEmptyIcon;
        return;
    }
    const uint32_t word = recbits::LoadU32(entry + 2);
    const int rating = int(word & 0xFF), goals = int((word >> 8) & 0x1F);
    std::snprintf(g_panel[4], kPanelLineSize, "%d", goals);
    std::snprintf(g_panel[6], kPanelLineSize, "%d", rating);
    g_panelIcon = MatchMarkIcon(rating);
}

// The selection's frames over the grid's row bars.
void PaintGrid(int x, int y, int w, int h) {
    MatchMarks_DrawRowBars(x, y, w, h);
    const uint16_t colour = DrawColour;
    const int selectedRow = [] {
        for (int row = 0; row < kMarksRows; ++row)
            if (ListEntry(MatchMarks.top + row) == MatchMarks.selectedPlayer &&
                MatchMarks.selectedPlayer != 0)
                return row;
        return -1;
    }();
    SetDrawParam(2, 0xFFE0);
    if (selectedRow >= 0)
        DrawBox(32, kGridY + selectedRow * kRowHeight, kGridX - 32 + kGridWidth, kRowHeight - 1);
    if (MatchMarks.selectedColumn < MatchMarks.matches) {
        DrawBox(kGridX + MatchMarks.selectedColumn * kColumnWidth, 106, kColumnWidth,
                22 + kMarksRows * kRowHeight);
    }
    SetDrawParam(2, colour);
}

#define MARK_CELL(c)                                                                                        \
    {                                                                                                       \
        4,      kGridX + (c)*kColumnWidth + kColumnWidth / 2, 10, 10, 2 * kMarksColumns, &g_cellIcon[0][c], \
        nullptr},                                                                                           \
        {MI_NUMBER_I16,                                                                                     \
         kGridX + (c)*kColumnWidth + kColumnWidth / 2,                                                      \
         10,                                                                                                \
         10,                                                                                                \
         2 * kMarksColumns,                                                                                 \
         &g_cellMark[0][c],                                                                                 \
         nullptr},                                                                                          \
    {                                                                                                       \
        31, kGridX + (c)*kColumnWidth, 0, kColumnWidth, kRowHeight, nullptr, MatchMarks_PickColumn<c>       \
    }

const MenuItem kGridRow[] = {
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 36, 10, 9, sizeof(const char*), g_rowNames, nullptr},
    {MI_HOT_RECT, 32, 0, kGridX - 32, kRowHeight, nullptr, MatchMarks_PickRow},
    MARK_CELL(9),
    MARK_CELL(8),
    MARK_CELL(7),
    MARK_CELL(6),
    MARK_CELL(5),
    MARK_CELL(4),
    MARK_CELL(3),
    MARK_CELL(2),
    MARK_CELL(1),
    MARK_CELL(0),
    kMenuEnd,
};

const MenuItem kCaption[] = {
    {MI_STRING_VAR, kGridX + kColumnWidth / 2, 116, 10, sizeof(const char*), g_captionPtr, nullptr},
    kMenuEnd,
};

const MenuItem kScrollControl[] = {
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, MatchMarks_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, MatchMarks_PageDown},
    kMenuEnd,
};
const MenuItem kNoControl[] = {kMenuEnd};
const MenuItem* g_scrollControl = kNoControl;

int32_t Back(MenuHotItem*) {
    UpdateScreenHistory(kScreenMatchMarks, 1, 3);
    return MENU_CLOSE;
}

}  // namespace

int16_t MatchMarkIcon(int32_t mark) {
    if (mark < 1 || mark == 0xFFFF) return kMarksEmptyIcon;
    const int band = std::clamp<int>((mark - 30) / 10, 0, int(std::size(kBandIcons)) - 1);
    return kBandIcons[band];
}

void MatchMarksScreenProc() {
    ClearCells();
    if (IsMenuFirstEntry() == 1) EnterMatchMarks();
    for (int column = 0; column < MatchMarks.matches; ++column) {
        FormatDate(g_captions[column], kCaptionSize, g_slots[column]);
    }
    for (int row = 0; row < kMarksRows; ++row) {
        const uint16_t player = ListEntry(MatchMarks.top + row);
        if (player == 0) continue;
        std::snprintf(g_rowNameText[row], sizeof g_rowNameText[row], "%s", HVW_GetPlayerShortName(player));
        uint16_t marks[kMarksColumns];
        HVW_GetPlayerMatchMarks(player, g_slots, MatchMarks.matches, marks);
        for (int column = 0; column < MatchMarks.matches; ++column) {
            const int32_t mark = marks[column] == 0xFFFF ? 0 : marks[column];
            g_cellIcon[row][column] = MatchMarkIcon(mark);
            g_cellMark[row][column] = mark >= 1 ? int16_t(mark) : kMarksNone;
        }
    }
    BuildPanel();
    g_scrollControl = MatchMarks.count > kMarksRows ? kScrollControl : kNoControl;
}

const int16_t* MatchMarksSlots() { return g_slots; }

const MenuItem MatchMarksTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MatchMarksScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(15), nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &g_titleText, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(PaintGrid), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_ROW_GROUP, 0, 0, kMarksColumns, kColumnWidth, kCaption, nullptr},
    {MI_GROUP, 0, kGridY, kMarksRows, kRowHeight, kGridRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 40, 490, 9, 0, &g_panelPtr[0], nullptr},
    {MI_STRING_VAR, 140, 490, 9, 0, &g_panelPtr[1], nullptr},
    {MI_STRING_VAR, 360, 490, 9, 0, &g_panelPtr[2], nullptr},
    {MI_TEXT_VAR, 40, 514, 9, 0, &g_panelLabels[0], nullptr},
    {MI_STRING_VAR, 120, 514, 9, 0, &g_panelPtr[3], nullptr},
    {MI_TEXT_VAR, 220, 514, 9, 0, &g_panelLabels[1], nullptr},
    {MI_STRING_VAR, 300, 514, 9, 0, &g_panelPtr[4], nullptr},
    {MI_TEXT_VAR, 400, 514, 9, 0, &g_panelLabels[2], nullptr},
    {MI_STRING_VAR, 480, 514, 9, 0, &g_panelPtr[5], nullptr},
    {MI_TEXT_VAR, 580, 514, 9, 0, &g_panelLabels[3], nullptr},
    {MI_STRING_VAR, 660, 514, 9, 0, &g_panelPtr[6], nullptr},
    {MI_ICON_VAR, 720, 514, 10, 0, &g_panelIcon, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_scrollControl, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Back},
    kMenuEnd,
};

#undef MARK_CELL
#undef kMenuEnd

int16_t MatchMarksCellMark(int row, int column) {
    return row >= 0 && row < kMarksRows && column >= 0 && column < kMarksColumns ? g_cellMark[row][column]
                                                                                 : kMarksNone;
}
int16_t MatchMarksCellIcon(int row, int column) {
    return row >= 0 && row < kMarksRows && column >= 0 && column < kMarksColumns ? g_cellIcon[row][column]
                                                                                 : -1;
}
const char* MatchMarksCaption(int column) {
    return column >= 0 && column < kMarksColumns ? g_captions[column] : "";
}
bool MatchMarksScrollShown() { return g_scrollControl == kScrollControl; }
const char* MatchMarksPanelLine(int line) { return line >= 0 && line < kPanelLines ? g_panel[line] : ""; }
int16_t MatchMarksPanelIcon() { return g_panelIcon; }
