#include "game/screens/transfers/transferhistory.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/transfers.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/transfers/transferlistcontrols.h"

int16_t ClubTransfersDirection = 1;

namespace {

constexpr int kCellSize = 48;
constexpr int kColumns = 4;
constexpr int16_t kAllText = 1879;

// ---- Shared ----------------------------------------------------------------------------

// A club cell: the name, text 789 for a number that is no club, nothing for -1.
void ClubCell(char* out, int16_t club) {
    const char* name = club == -1           ? ""
                       : IsClubNumber(club) ? GetText(HVW_ClubTextId(club))
                                            : GetText(kTextOther);
    std::snprintf(out, kCellSize, "%s", name);
}

void MoneyCell(char* out, int32_t fee, int32_t type, size_t size = kCellSize) {
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, type);
    std::snprintf(out, size, "%s", Number2Str(fee));
    SetDrawParam(3, kept);
}

// The record counts months from 0: both screens show month + 1 (as stored,
// January would read as month 0).
void DateCell(char* out, const TransferView& t) {
    std::snprintf(out, kCellSize, "%d/%d/%d", t.day, t.month + 1, t.year);
}

// The club transfers' date: the month in two figures between text 101.
void ClubDateCell(char* out, const TransferView& t) {
    constexpr int16_t kDateSeparator = 101;
    char separator[8];
    std::snprintf(separator, sizeof separator, "%s", GetText(kDateSeparator));
    std::snprintf(out, kCellSize, "%d%s%02d%s%d", t.day, separator, t.month + 1, separator, t.year);
}

// ---- Transfer list state --------------------------------------------------------------------

std::vector<int32_t> g_list(kTransferRecords, -1);
int g_listLength = 0;
int32_t g_recordCount = 0;
char g_cells[kTransferListRows][kColumns][kCellSize];
const char* g_cellText[kTransferListRows][kColumns];
char g_bandLabels[kTransferBands][2 * kCellSize];
const char* g_bandLabelText[kTransferBands];
const char* g_nationNames[kTransferNations];
int16_t g_nationCountry[kTransferNations];
uint16_t g_nationColour[kTransferNations];
// The countries offered on the nation buttons.
constexpr int8_t kOfferedNations[kTransferNations] = {1, 1, 1, 1, 1, 1, 1, 1};

PopupEntry g_bandPopup[kTransferBands + 2];

void BuildBandLabels() {
    char low[kCellSize / 2], high[kCellSize / 2];
    for (int16_t band = 0; band < kTransferBands - 1; ++band) {
        int32_t minimum = 0, maximum = 0;
        TransferList_BandBounds(band, &minimum, &maximum);
        MoneyCell(low, minimum, NUMBER_MONEY_PLAIN, sizeof low);
        MoneyCell(high, maximum, NUMBER_MONEY_PLAIN, sizeof high);
        // The top band is open above: a word stands for its upper figure.
        std::snprintf(g_bandLabels[band], sizeof g_bandLabels[band], "%s - %s", low,
                      band == kTransferBands - 2 ? GetText(kAllText) : high);
    }
    std::snprintf(g_bandLabels[kTransferBands - 1], sizeof g_bandLabels[0], "%s", GetText(kAllText));
    g_bandPopup[0] = {
        POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(1728), nullptr, TransferHistory_MarkFilterA};
    for (int band = 0; band < kTransferBands; ++band) {
        g_bandLabelText[band] = g_bandLabels[band];
        g_bandPopup[band + 1] = {
            POPUP_STRING_VARIABLE,       POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &g_bandLabelText[band],
            TransferHistory_PickFilterA, nullptr};
    }
    g_bandPopup[kTransferBands + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

void FillListRows() {
    const TransferHistoryStateRecord& s = TransferHistoryState;
    int shown = 0;
    for (int row = 0; row < kTransferListRows; ++row) {
        for (int c = 0; c < kColumns; ++c) {
            g_cells[row][c][0] = '\0';
            g_cellText[row][c] = g_cells[row][c];
        }
        const int index = s.firstRow + row;
        if (index < 0 || index >= g_listLength) continue;
        const TransferView t = TransferViewOf(g_list[size_t(index)]);
        if (t.buyer == -1) continue;
        ClubCell(g_cells[row][0], t.seller);
        ClubCell(g_cells[row][1], t.buyer);
        MoneyCell(g_cells[row][2], t.fee, NUMBER_MONEY);
        DateCell(g_cells[row][3], t);
        shown = row + 1;
    }
    SetMenuListRows(int16_t(shown));
}

void EnterTransferList() {
    TransferHistoryStateRecord& s = TransferHistoryState;
    g_recordCount = 0;
    while (g_recordCount < kTransferRecords && TransferViewOf(g_recordCount).buyer != -1) ++g_recordCount;
    s.firstRow = 0;
    SetMenuTitleDate(11);
    const int16_t viewed = HVW_GetViewedCountry();
    s.filterB = uint16_t(IsCountryNumber(viewed) ? viewed : 0);
    int buttons = 0;
    for (int16_t country = 0; country < kTransferNations; ++country) {
        if (kOfferedNations[country] != 1) continue;
        g_nationCountry[buttons] = country;
        g_nationNames[buttons] = HVW_GetNationName(country);
        s.valuesB[buttons] = uint16_t(country);
        ++buttons;
    }
    s.filterA = kTransferBands - 1;
    for (int band = 0; band < kTransferBands; ++band) s.valuesA[band] = uint16_t(band);
}

// ---- Transfer list table ------------------------------------------------------------------

#define NATION_BUTTON(k)                                              \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_nationColour[k], nullptr}, {  \
        8206, int16_t(25 + 93 * (k)), 516, 90, 22, &g_nationNames[k], \
            [](MenuHotItem*) { return TransferList_ChooseNation(k); } \
    }

const MenuItem kNationButtons[] = {
    NATION_BUTTON(0), NATION_BUTTON(1), NATION_BUTTON(2),
    NATION_BUTTON(3), NATION_BUTTON(4), NATION_BUTTON(5),
    NATION_BUTTON(6), NATION_BUTTON(7), {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    kMenuEnd};
#undef NATION_BUTTON

const MenuItem kListRow[] = {
    {MI_STRING_VAR, 175, 11, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][0],
     nullptr},
    {MI_STRING_VAR, 387, 11, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][1],
     nullptr},
    {MI_STRING_VAR, 616, 11, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][2],
     nullptr},
    {MI_STRING_VAR, 677, 11, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][3],
     nullptr},
    kMenuEnd,
};

}  // namespace

TransferView TransferViewOf(int n) {
    if (n < 0 || n >= kTransferRecords) return {0, -1, 0, 0, 0, 0, 0};
    const uint8_t* r = HVW_GetTransferRecord(int16_t(n))->bytes;
    using recbits::LoadU16;
    return {int16_t(LoadU16(r + 0)),          int16_t(LoadU16(r + 2)),  LoadU16(r + 4),
            int32_t(recbits::LoadU32(r + 6)), int16_t(LoadU16(r + 10)), int16_t(LoadU16(r + 12)),
            int16_t(LoadU16(r + 14))};
}

void TransferList_BandBounds(int16_t band, int32_t* minimum, int32_t* maximum) {
    constexpr int32_t kBounds[kTransferBands - 1][2] = {{0, 250000},         {250001, 500000},
                                                        {500001, 1000000},   {1000001, 5000000},
                                                        {5000001, 10000000}, {10000001, 100000000}};
    if (band >= 0 && band < kTransferBands - 1) {
        *minimum = kBounds[band][0];
        *maximum = kBounds[band][1];
    } else {
        *minimum = 0;
        *maximum = 100000000;
    }
}

int TransferList_Build() {
    const TransferHistoryStateRecord& s = TransferHistoryState;
    int32_t minimum = 0, maximum = 0;
    TransferList_BandBounds(int16_t(s.filterA), &minimum, &maximum);
    const int16_t nation = int16_t(s.filterB);
    g_listLength = 0;
    for (int n = g_recordCount - 1; n >= 0; --n) {
        const TransferView t = TransferViewOf(n);
        if (t.buyer == -1 || t.player == 0) continue;
        const bool ours = (IsClubNumber(t.seller) && HVW_GetClubNation(t.seller) == nation) ||
                          (IsClubNumber(t.buyer) && HVW_GetClubNation(t.buyer) == nation);
        if (!ours || t.fee < minimum || t.fee > maximum) continue;
        g_list[size_t(g_listLength++)] = n;
    }
    std::fill(g_list.begin() + g_listLength, g_list.end(), -1);
    TransferHistoryState.rowCount = int16_t(std::min(g_listLength, 32767));
    return g_listLength;
}

void TransferListScreenProc() {
    if (IsMenuFirstEntry() == 1) EnterTransferList();
    BuildBandLabels();
    TransferList_Build();
    // A list that grew shorter (another band) keeps its top within it, and
    // a list shorter than a page, which page down leaves with a negative
    // top, shows from its first entry rather than below blank rows.
    TransferHistoryState.firstRow = int16_t(
        std::clamp<int>(TransferHistoryState.firstRow, 0, std::max(0, g_listLength - kTransferListRows)));
    for (int k = 0; k < kTransferNations; ++k)
        g_nationColour[k] = g_nationCountry[k] == int16_t(TransferHistoryState.filterB) ? 8 : 0;
    FillListRows();
}

int32_t TransferList_ChooseNation(int16_t button) {
    if (button < 0 || button >= kTransferNations || kOfferedNations[g_nationCountry[button]] != 1)
        return MENU_CONTINUE;
    TransferHistoryState.filterB = uint16_t(g_nationCountry[button]);
    TransferHistoryState.firstRow = 0;
    return MENU_REDRAW;
}

int TransferListEntry(int index) {
    return index >= 0 && index < kTransferRecords ? g_list[size_t(index)] : -1;
}
const char* TransferListCell(int row, int column) {
    return row >= 0 && row < kTransferListRows && column >= 0 && column < kColumns ? g_cells[row][column]
                                                                                   : "";
}
const char* TransferListBandLabel(int band) {
    return band >= 0 && band < kTransferBands ? g_bandLabels[band] : "";
}

const MenuItem TransferListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(TransferListScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 320, 45, JUSTIFY_CENTRE_TOP, 0, MenuValue(795), nullptr},
    {MI_CUSTOM, 25, 88, 580, 22, MenuFunction(TransferHistory_DrawShade), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 188, 99, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(793), nullptr},
    {MI_TEXT, 400, 99, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(794), nullptr},
    {MI_TEXT, 641, 99, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(86), nullptr},
    {MI_TEXT, 702, 99, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(593), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 25, 113, 0, 22, kListRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 0, 0, 1, 0, kNationButtons, nullptr},
    {MI_ICON, 27, 559, 5, 0, MenuValue(192), TransferHistory_PageUp},
    {MI_ICON, 27, 576, 5, 0, MenuValue(193), TransferHistory_PageDown},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(1728), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_bandPopup, nullptr},
    {MI_ICON, 748, 559, 5, 0, MenuValue(153), TransferHistory_ToClubMain},
    kMenuEnd,
};

// ---- Club transfers (screen 32) --------------------------------------------------------

namespace {

int16_t g_rebuild = 1;
int16_t g_rows[kClubTransferRows];
char g_clubCells[kClubTransferRows][kColumns][kCellSize];
const char* g_clubCellText[kClubTransferRows][kColumns];
int16_t g_otherHead = 596, g_directionHead = 598;
uint16_t g_buyColour = 0, g_sellColour = 0;

int16_t IsClubOf(const TransferView& t, int16_t club) {
    return ClubTransfersDirection == 1 ? t.buyer == club : t.seller == club;
}

void RebuildClubRows() {
    std::fill(std::begin(g_rows), std::end(g_rows), int16_t(-1));
    const int16_t club = int16_t(SelectedClub);
    int found = 0;
    for (int n = 0; n < kTransferRecords && found < kClubTransferRows; ++n) {
        const TransferView t = TransferViewOf(n);
        if (t.buyer == -1) break;
        if (IsClubOf(t, club)) g_rows[found++] = int16_t(n);
    }
    g_otherHead = ClubTransfersDirection == 1 ? 595 : 596;
    g_directionHead = ClubTransfersDirection == 1 ? 597 : 598;
}

void FillClubRows() {
    for (int row = 0; row < kClubTransferRows; ++row) {
        for (int c = 0; c < kColumns; ++c) {
            g_clubCells[row][c][0] = '\0';
            g_clubCellText[row][c] = g_clubCells[row][c];
        }
        if (g_rows[row] < 0) continue;
        const TransferView t = TransferViewOf(g_rows[row]);
        ClubDateCell(g_clubCells[row][0], t);
        const int16_t player = HVW_NegativeToNone(int16_t(t.player));
        std::snprintf(
            g_clubCells[row][1], kCellSize, "%s",
            player > 0 && IsValidPlayer(uint16_t(player)) ? HVW_GetPlayerShortName(uint16_t(player)) : "");
        ClubCell(g_clubCells[row][2], ClubTransfersDirection == 1 ? t.seller : t.buyer);
        MoneyCell(g_clubCells[row][3], t.fee, NUMBER_MONEY);
    }
    g_buyColour = ClubTransfersDirection == 1 ? 8 : 0;
    g_sellColour = ClubTransfersDirection == 0 ? 8 : 0;
}

const MenuItem kClubRow[] = {
    {MI_STRING_VAR, 40, 10, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_clubCellText[0][0],
     nullptr},
    {MI_STRING_VAR, 110, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_clubCellText[0][1],
     nullptr},
    {MI_STRING_VAR, 260, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_clubCellText[0][2],
     nullptr},
    {MI_STRING_VAR, 590, 10, JUSTIFY_RIGHT_MIDDLE, sizeof(const char*) * kColumns, &g_clubCellText[0][3],
     nullptr},
    kMenuEnd,
};

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

void ClubTransfersScreenProc() {
    if (IsMenuFirstEntry() == 1) {
        ClubTransfersDirection = 1;
        g_rebuild = 1;
    }
    SetMenuTitleDate(11);
    if (g_rebuild != 0) {
        g_rebuild = 0;
        RebuildClubRows();
    }
    FillClubRows();
}

int32_t ClubTransfers_Switch(MenuHotItem*) {
    ClubTransfersDirection = int16_t(1 - ClubTransfersDirection);
    g_rebuild = 1;
    return MENU_REDRAW;
}

int16_t ClubTransfersRecord(int row) { return row >= 0 && row < kClubTransferRows ? g_rows[row] : -1; }
const char* ClubTransfersCell(int row, int column) {
    return row >= 0 && row < kClubTransferRows && column >= 0 && column < kColumns ? g_clubCells[row][column]
                                                                                   : "";
}

const MenuItem ClubTransfersTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubTransfersScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 320, 40, JUSTIFY_CENTRE_TOP, 0, MenuValue(1313), nullptr},
    {MI_CUSTOM, 23, 78, 600, 20, MenuFunction(TransferHistory_DrawShade), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 320, 62, JUSTIFY_CENTRE_MIDDLE, 0, &g_directionHead, nullptr},
    {MI_TEXT, 63, 88, JUSTIFY_CENTRE_MIDDLE, 0, MenuValue(593), nullptr},
    {MI_TEXT, 133, 88, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(594), nullptr},
    {MI_TEXT_VAR, 283, 88, JUSTIFY_LEFT_MIDDLE, 0, &g_otherHead, nullptr},
    {MI_TEXT, 613, 88, JUSTIFY_RIGHT_MIDDLE, 0, MenuValue(86), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 23, 100, kClubTransferRows, 20, kClubRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_buyColour, nullptr},
    {MI_BUTTON_TEXT, 60, 434, 226, 28, MenuValue(597), ClubTransfers_Switch},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_sellColour, nullptr},
    {MI_BUTTON_TEXT, 316, 434, 226, 28, MenuValue(598), ClubTransfers_Switch},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    kMenuEnd,
};
