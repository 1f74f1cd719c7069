#include "game/screens/transfers/seasontransfers.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/club/transfers.h"
#include "core/query/codetexts.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/transfers/transferhistory.h"
#include "game/screens/transfers/transferlistcontrols.h"

SeasonTransfersState SeasonTransfers = {};

namespace {

constexpr int kCellSize = 48;
constexpr int kColumns = 5;
constexpr int kDivisions = 6;
constexpr int16_t kCountry = 0;
constexpr int16_t kSlashText = 101;

std::vector<int16_t> g_list(kTransferRecords, -1);
char g_cells[kSeasonTransferRows][kColumns][kCellSize];
const char* g_cellText[kSeasonTransferRows][kColumns];
int16_t g_clubHead = 596, g_otherHead = 595;
int16_t g_divisionText[kDivisions];
uint16_t g_divisionColour[kDivisions];
uint16_t g_buyColour = 0, g_sellColour = 0, g_sortColour = 0;

int16_t ClubOf(const TransferView& t) { return SeasonTransfers.direction == 1 ? t.buyer : t.seller; }
int16_t OtherOf(const TransferView& t) { return SeasonTransfers.direction == 1 ? t.seller : t.buyer; }

void ClubCell(char* out, int16_t club) {
    std::snprintf(out, kCellSize, "%s",
                  IsClubNumber(club) ? GetText(HVW_ClubTextId(club)) : GetText(kTextOther));
}

void FillRows() {
    const SeasonTransfersState& s = SeasonTransfers;
    for (int row = 0; row < kSeasonTransferRows; ++row) {
        for (int c = 0; c < kColumns; ++c) {
            g_cells[row][c][0] = '\0';
            g_cellText[row][c] = g_cells[row][c];
        }
        const int index = s.top + row;
        if (index < 0 || index >= s.length) continue;
        const TransferView t = TransferViewOf(g_list[size_t(index)]);
        std::snprintf(g_cells[row][0], kCellSize, "%d%s%d%s%02d", t.day, GetText(kSlashText), t.month + 1,
                      GetText(kSlashText), t.year % 100);
        std::snprintf(g_cells[row][1], kCellSize, "%s",
                      IsValidPlayer(t.player) ? HVW_GetPlayerShortName(t.player) : "");
        ClubCell(g_cells[row][2], ClubOf(t));
        ClubCell(g_cells[row][3], OtherOf(t));
        if (t.fee == 0) {
            std::snprintf(g_cells[row][4], kCellSize, "%s", GetText(kTextNil));
        } else {
            const int32_t kept = CurrentNumberType;
            SetDrawParam(3, NUMBER_MONEY);
            std::snprintf(g_cells[row][4], kCellSize, "%s", Number2Str(t.fee));
            SetDrawParam(3, kept);
        }
    }
}

void FillButtons() {
    const SeasonTransfersState& s = SeasonTransfers;
    for (int16_t k = 0; k < kDivisions; ++k) {
        g_divisionText[k] = HVW_GetCompRoundTextId(k, kCountry);
        g_divisionColour[k] = k == s.division ? 8 : 0;
    }
    g_buyColour = s.direction == 1 ? 8 : 0;
    g_sellColour = s.direction == 0 ? 8 : 0;
    g_sortColour = s.sort != 0 ? 8 : 0;
    g_clubHead = s.direction == 1 ? 596 : 595;
    g_otherHead = s.direction == 1 ? 595 : 596;
}

#define DIVISION_BUTTON(k)                                                 \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_divisionColour[k], nullptr}, {     \
        8207, int16_t(70 + 115 * (k)), 400, 110, 26, &g_divisionText[k],   \
            [](MenuHotItem*) { return SeasonTransfers_ChooseDivision(k); } \
    }
#define END {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr}, kMenuEnd

const MenuItem kButtons2[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1), END};
const MenuItem kButtons3[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2), END};
const MenuItem kButtons4[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2), DIVISION_BUTTON(3),
                              END};
const MenuItem kButtons5[] = {DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2),
                              DIVISION_BUTTON(3), DIVISION_BUTTON(4), END};
const MenuItem kButtons6[] = {DIVISION_BUTTON(0),
                              DIVISION_BUTTON(1),
                              DIVISION_BUTTON(2),
                              DIVISION_BUTTON(3),
                              DIVISION_BUTTON(4),
                              DIVISION_BUTTON(5),
                              END};
const MenuItem kButtons1[] = {DIVISION_BUTTON(0), END};
const MenuItem kNoButtons[] = {kMenuEnd};
const MenuItem* const kButtonLayouts[kDivisions + 1] = {kNoButtons, kButtons1, kButtons2, kButtons3,
                                                        kButtons4,  kButtons5, kButtons6};
const MenuItem* g_buttons = kNoButtons;

#undef DIVISION_BUTTON
#undef END

const MenuItem kRow[] = {
    {MI_STRING_VAR, 15, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][0], nullptr},
    {MI_STRING_VAR, 80, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][1], nullptr},
    {MI_STRING_VAR, 220, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][2], nullptr},
    {MI_STRING_VAR, 350, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][3], nullptr},
    {MI_STRING_VAR, 500, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][4], nullptr},
    kMenuEnd,
};

int32_t ToScreen(int16_t id) {
    MenuOption = id;
    return MENU_CLOSE;
}

int32_t BackToClub(MenuHotItem*) { return ToScreen(kScreenClubMain); }

}  // namespace

int SeasonTransfers_Build() {
    SeasonTransfersState& s = SeasonTransfers;
    const int16_t season = HVW_GetSeason();
    int length = 0;
    for (int n = 0; n < kTransferRecords; ++n) {
        const TransferView t = TransferViewOf(n);
        if (t.buyer == -1) continue;
        if (HVW_GetSeasonOfDate(t.year, t.month) != season) continue;
        const int16_t club = ClubOf(t);
        if (!IsClubNumber(club) || HVW_GetClubNation(club) != kCountry) continue;
        if (int16_t(GetClubDivision(club)) != s.division) continue;
        g_list[size_t(length++)] = int16_t(n);
    }
    if (s.sort != 0) {
        std::stable_sort(g_list.begin(), g_list.begin() + length, [](int16_t a, int16_t b) {
            return ClubOf(TransferViewOf(a)) < ClubOf(TransferViewOf(b));
        });
    }
    std::fill(g_list.begin() + length, g_list.end(), int16_t(-1));
    s.length = int16_t(length);
    return length;
}

int16_t SeasonTransfersEntry(int index) {
    return index >= 0 && index < kTransferRecords ? g_list[size_t(index)] : int16_t(-1);
}

void SeasonTransfersScreenProc() {
    SeasonTransfersState& s = SeasonTransfers;
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        s = {0, 0, 0, 0, 0};
    }
    const int16_t divisions = std::clamp<int16_t>(HVW_CountCompRounds2(kCountry), 0, kDivisions);
    if (s.division >= divisions) s.division = 0;
    g_buttons = kButtonLayouts[divisions];
    SeasonTransfers_Build();
    s.top = int16_t(std::clamp<int>(s.top, 0, std::max(0, s.length - kSeasonTransferRows)));
    FillButtons();
    FillRows();
}

int32_t SeasonTransfers_ChooseDivision(int16_t division) {
    if (division < 0 || division >= std::min<int16_t>(HVW_CountCompRounds2(kCountry), kDivisions))
        return MENU_CONTINUE;
    SeasonTransfers.division = division;
    SeasonTransfers.top = 0;
    return MENU_REDRAW;
}

int32_t SeasonTransfers_Switch(MenuHotItem*) {
    SeasonTransfers.direction = int16_t(1 - SeasonTransfers.direction);
    SeasonTransfers.top = 0;
    return MENU_REDRAW;
}

int32_t SeasonTransfers_ToggleSort(MenuHotItem*) {
    SeasonTransfers.sort = int16_t(1 - SeasonTransfers.sort);
    return MENU_REDRAW;
}

int32_t SeasonTransfers_ScrollUp(MenuHotItem*) {
    SeasonTransfers.top = int16_t(std::max(SeasonTransfers.top - 1, 0));
    return MENU_REDRAW;
}

int32_t SeasonTransfers_ScrollDown(MenuHotItem*) {
    if (SeasonTransfers.top + kSeasonTransferRows < SeasonTransfers.length) ++SeasonTransfers.top;
    return MENU_REDRAW;
}

const char* SeasonTransfersCell(int row, int column) {
    return row >= 0 && row < kSeasonTransferRows && column >= 0 && column < kColumns ? g_cells[row][column]
                                                                                     : "";
}

const MenuItem SeasonTransfersTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SeasonTransfersScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 320, 36, JUSTIFY_CENTRE_TOP, 0, MenuValue(795), nullptr},
    {MI_CUSTOM, 10, 76, 600, 20, MenuFunction(TransferHistory_DrawShade), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 15, 86, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(593), nullptr},
    {MI_TEXT, 80, 86, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(594), nullptr},
    {MI_TEXT_VAR, 220, 86, JUSTIFY_LEFT_MIDDLE, 0, &g_clubHead, nullptr},
    {MI_TEXT_VAR, 350, 86, JUSTIFY_LEFT_MIDDLE, 0, &g_otherHead, nullptr},
    {MI_TEXT, 500, 86, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(86), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 0, 100, kSeasonTransferRows, 20, kRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_buyColour, nullptr},
    {MI_BUTTON_TEXT, 70, 360, 150, 26, MenuValue(597), SeasonTransfers_Switch},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_sellColour, nullptr},
    {MI_BUTTON_TEXT, 230, 360, 150, 26, MenuValue(598), SeasonTransfers_Switch},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_sortColour, nullptr},
    {MI_BUTTON_TEXT, 390, 360, 150, 26, MenuValue(1479), SeasonTransfers_ToggleSort},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_BUTTON_TEXT, 70, 440, 160, 30, MenuValue(1465), [](MenuHotItem*) { return ToScreen(40); }},
    {MI_BUTTON_TEXT, 230, 440, 160, 30, MenuValue(1469), [](MenuHotItem*) { return ToScreen(41); }},
    {MI_BUTTON_TEXT, 390, 440, 160, 30, MenuValue(1478), [](MenuHotItem*) { return ToScreen(42); }},
    {MI_ICON, 12, 436, 5, 0, MenuValue(192), SeasonTransfers_ScrollUp},
    {MI_ICON, 12, 456, 5, 0, MenuValue(193), SeasonTransfers_ScrollDown},
    {MI_ICON, 570, 436, 5, 0, MenuValue(153), BackToClub},
    kMenuEnd,
};

// ---- IP/IT list (screen 103) --------------------------------------------------------

namespace {

constexpr int kSquadSlots = 32;
constexpr int16_t kNoInjuriesText = 1485;
constexpr int16_t kRefusingToPlay = 1;
constexpr int16_t kLastInjury = 37;
constexpr int16_t kLongInjury = 26;

uint16_t g_injured[kSquadSlots];
int g_injuredCount = 0;
char g_injuryCells[kInjuryRows][3][kCellSize];
const char* g_injuryText[kInjuryRows][3];
int16_t g_message = -1;

const MenuItem kInjuryRow[] = {
    {MI_STRING_VAR, 15, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * 3, &g_injuryText[0][0], nullptr},
    {MI_STRING_VAR, 290, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * 3, &g_injuryText[0][1], nullptr},
    {MI_STRING_VAR, 550, 10, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * 3, &g_injuryText[0][2], nullptr},
    kMenuEnd,
};

void EnterInjuryList() {
    for (int row = 0; row < kInjuryRows; ++row)
        for (int c = 0; c < 3; ++c) {
            g_injuryCells[row][c][0] = '\0';
            g_injuryText[row][c] = g_injuryCells[row][c];
        }
    std::fill(std::begin(g_injured), std::end(g_injured), uint16_t(0));
    g_injuredCount = 0;
    const int16_t club = int16_t(SelectedClub);
    if (!IsClubNumber(club)) return;
    HVW_BuildSquadList(club);
    for (int slot = 0; slot < kSquadSlots; ++slot) {
        const uint16_t player = uint16_t(HVW_GetSquadEntry(int16_t(slot)));
        if (IsValidPlayer(player) && HVW_GetPlayerIT(player) != 0) g_injured[g_injuredCount++] = player;
    }
}

}  // namespace

void InjuryListScreenProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        EnterInjuryList();
    }
    int filled = 0;
    for (int row = 0; row < kInjuryRows && row < g_injuredCount; ++row) {
        const uint16_t player = g_injured[row];
        const int16_t injury = HVW_GetPlayerIT(player);
        // A player refusing to play is passed over: his row stays as it was.
        if (injury == kRefusingToPlay) continue;
        std::snprintf(g_injuryCells[row][0], kCellSize, "%s", HVW_GetPlayerShortName(player));
        // The injury's own text (type 1 is text 200): text 200 + type would
        // name the next injury, and a type past the last ends the look-up.
        std::snprintf(g_injuryCells[row][1], kCellSize, "%s",
                      injury >= 1 && injury <= kLastInjury ? GetText(HVW_GetInjuryTextId(injury)) : "");
        const int16_t weeks = HVW_GetPlayerIP(player);
        if (weeks < kLongInjury) {
            std::snprintf(g_injuryCells[row][2], kCellSize, "%d", weeks);
        } else {
            std::snprintf(g_injuryCells[row][2], kCellSize, "%s", GetText(kTextDoubtful));
        }
        ++filled;
    }
    g_message = filled == 0 ? kNoInjuriesText : int16_t(-1);
}

const char* InjuryListCell(int row, int column) {
    return row >= 0 && row < kInjuryRows && column >= 0 && column < 3 ? g_injuryCells[row][column] : "";
}
int16_t InjuryListMessage() { return g_message; }

const MenuItem InjuryListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(InjuryListScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 320, 36, JUSTIFY_CENTRE_TOP, 0, MenuValue(841), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 25, 80, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(594), nullptr},
    {MI_TEXT, 300, 80, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(1486), nullptr},
    {MI_TEXT, 560, 80, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(748), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 10, 90, kInjuryRows, 20, kInjuryRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 320, 240, JUSTIFY_CENTRE_MIDDLE, 0, &g_message, nullptr},
    {MI_BUTTON_TEXT, 392, 440, 160, 30, MenuValue(1490),
     [](MenuHotItem*) { return ToScreen(kScreenSuspensions); }},
    {MI_ICON, 570, 436, 5, 0, MenuValue(153), BackToClub},
    kMenuEnd,
};
