#include "game/screens/transfers/exchangelist.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "core/base/debug.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/transferprices.h"
#include "core/query/clubscreens.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/sortkeys.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/transfers/dealsheet.h"

uint16_t ExchangeCandidates[kExchangeCandidates];
int16_t ExchangeCandidateCount = 0;
int16_t ExchangeLeftRows = 0;
uint32_t ExchangeKeySortOn = 0;
uint32_t ExchangeGroupByPositionOn = 0;
uint16_t ExchangeSortKey = 4;
char ExchangeValueText[kExchangeCandidates][40];
int16_t ExchangeEmptyText = -1;

namespace {

constexpr int16_t kNoCandidateText = 1732;

bool InSlot(uint16_t p) {
    return std::any_of(std::begin(CurrentDeal.exchange), std::end(CurrentDeal.exchange),
                       [p](const ExchangeSlot& s) { return s.player == p; });
}

bool Listed(uint16_t p) {
    return std::find(ExchangeCandidates, ExchangeCandidates + ExchangeCandidateCount, p) !=
           ExchangeCandidates + ExchangeCandidateCount;
}

void Take(uint16_t p) {
    if (ExchangeCandidateCount < kExchangeCandidates && !Listed(p))
        ExchangeCandidates[ExchangeCandidateCount++] = p;
}

bool InAnyPendingDeal(uint16_t p) {
    for (int i = 0; i < kPendingDeals; ++i) {
        const uint8_t* d = PendingDealTable[i].bytes;
        for (int offset : {0, 16, 18, 20})
            if (uint16_t(d[offset] | d[offset + 1] << 8) == p) return true;
    }
    return false;
}

bool Valued(uint16_t p, int64_t budget) {
    const int32_t value = HVW_ValuePlayer(p);
    return value > 0 && value <= budget;
}

int AgeFactor(uint16_t p) {
    const int position = HVW_GetPlayerPosition2(p);
    if (position < 0 || position >= kValuePositions) return 100;
    const int index = std::clamp(HVW_GetPlayerAge(p) - 16, 0, kAgeCurveEntries - 1);
    return PlayerValueTables.ageCurve[position][index];
}

// The clubs' standing the score compares: (125 - factor) / 4 + rep / 2.
int Standing(int16_t club) {
    if (club < 0 || club >= kClubCount) return 0;
    return uint16_t(125 - HVW_GetClubFactor(club)) / 4 + HVW_GetClubReputation(club) / 2;
}

bool PassesScore(uint16_t p, bool teamList, int64_t budget) {
    if (HVW_GetPlayerSetting4(p) != 0 || InAnyPendingDeal(p) || GetPlayerLoanTrial(p) != 0) return false;
    if (!Valued(p, budget)) return false;
    if (HVW_GetPlayerIP(p) != 0 || HVW_GetPlayerFlag95(p) != 0 || HVW_GetPlayerHalvorn(p) != 0 ||
        HVW_GetPlayerHalvornB(p) != 0)
        return false;
    if (teamList && HVW_GetPlayerField117(p) > 4) return false;
    if (InSlot(p) || HVW_GetPlayerTxReq(p) != 0) return false;
    const int64_t q = Standing(CurrentDeal.buyingClub);
    int64_t x = int64_t(HVW_GetPlayerReputation(p)) * q / 37;
    if (HVW_GetPlayerAge(p) > 23) x = x * AgeFactor(p) / 100;
    return x < Standing(CurrentDeal.sellingClub);
}

const char* Text(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

}  // namespace

void ExchangeList_Build() {
    int64_t budget = CurrentDeal.offer;
    for (const ExchangeSlot& s : CurrentDeal.exchange)
        if (s.player != 0) budget -= HVW_ValuePlayer(s.player);
    ExchangeCandidateCount = 0;
    std::fill(std::begin(ExchangeCandidates), std::end(ExchangeCandidates), uint16_t(0));
    const int16_t user = HVW_GetMyClub();
    if (user < 0) return;
    HVW_BuildSquadList(user);
    const auto firstPass = [&](uint16_t p) {
        if (p == 0 || !IsPlayerNumber(p)) return;
        if (HVW_GetPlayerLoanClub(p) != HVW_GetPlayerClub(p) || GetPlayerLoanTrial(p) != 0) return;
        if (!Valued(p, budget) || HVW_GetPlayerSetting4(p) != 0) return;
        if (HVW_GetPlayerTxList(p) == 0 && HVW_GetPlayerTxReq(p) == 0) return;
        if (!InSlot(p)) Take(p);
    };
    for (int place = 0; place < kSquadListSize; ++place) {
        firstPass(FirstTeamList.players[place]);
        firstPass(ReserveList.players[place]);
    }
    for (const SquadList* list : {&FirstTeamList, &ReserveList}) {
        for (uint16_t p : list->players) {
            if (p == 0 || !IsPlayerNumber(p)) continue;
            if (PassesScore(p, list == &FirstTeamList, budget)) Take(p);
        }
    }
}

void exchangelist::DisplaySort() {
    for (int i = 0; i < kExchangeCandidates; ++i) ExchangeValueText[i][0] = '\0';
    const uint16_t key = ExchangeSortKey;
    static constexpr uint16_t kKnown[] = {2, 4, 26, 28, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39};
    if (std::find(std::begin(kKnown), std::end(kKnown), key) == std::end(kKnown)) {
        std::printf("M_MN7 - what am I sorting by - Cos I dont know\n");
        AbortError("menus\\a_mn2", 302, "DisplaySort() SortByType Invaild Value");
    }
    for (int i = 0; i < ExchangeCandidateCount; ++i) {
        const uint16_t p = ExchangeCandidates[i];
        char* cell = ExchangeValueText[i];
        const auto number = [cell](int v) { std::snprintf(cell, 40, "%d", v); };
        const auto percent = [cell](int v) { std::snprintf(cell, 40, "%d%%", v); };
        switch (key) {
            case 2:
                number(HVW_GetPlayerAge(p));
                break;
            case 4:
                std::snprintf(cell, 40, "%s", Price2str(HVW_ValuePlayer(p)));
                break;
            case 28:
                std::snprintf(cell, 40, "%s", Price2str(HVW_GetPlayerWage(p)));
                break;
            case 29:
                std::snprintf(cell, 40, "%d %s", int(HVW_GetPlayerContract(p)), Text(1733));
                break;
            case 30:
                number(HVW_GetPlayerPerf(p));
                break;
            case 32:
                number(HVW_GetPlayerApps(p));
                break;
            case 33:
                if (GetPlayerPosition2(p) <= 13 && HVW_GetPositionType(p) != 0) number(HVW_GetPlayerGoals(p));
                break;
            case 34:
                percent(HVW_GetPlayerMoralePct(p));
                break;
            case 35:
                percent(HVW_GetPlayerFitnessPct(p));
                break;
            case 36:
                percent(HVW_GetPlayerFatiguePct(p));
                break;
            case 37:
                number(GetPlayerDispoints(p));
                break;
            case 38:
                percent(HVW_GetPlayerExperiencePercent(p));
                break;
            case 39:
                number(GetPlayerAssists(p));
                break;
            default:
                break;
        }
    }
}

int32_t ExchangeList_ChooseSortKey(uint16_t key) {
    const int16_t today = HVW_GetCurrentDay();
    // The late season: from the league's last day, where the close season
    // begins, up to the season's end.
    const int16_t mark = HVW_GetCountryEndDayWord(int16_t(ViewedCountry));
    if ((key == 34 || key == 35 || key == 36) && today >= mark && today <= 366) {
        ShowMessageBox(Text(kTextCannotSortNow), 0);
        return MENU_REDRAW_ALSO;
    }
    ExchangeSortKey = key;
    return MENU_REDRAW_ALSO;
}

int32_t ExchangeList_Pick(int index) {
    if (index < 0 || index >= ExchangeCandidateCount || ExchangeCandidates[index] == 0) return MENU_CONTINUE;
    int k = 0;
    while (k < 3 && CurrentDeal.exchange[k].player != 0) ++k;
    if (k == 3) return MENU_CONTINUE;
    ExchangeSlot& slot = CurrentDeal.exchange[k];
    bool full = true;
    for (int16_t s = 0; s < 4; ++s) full = full && HVW_GetClubBidPlayer(CurrentDeal.sellingClub, s) != 0;
    if (full) {
        slot.value = -1;
    } else {
        const uint16_t p = ExchangeCandidates[index];
        slot.player = p;
        const int16_t rank = HVW_IsPlayerAvailable(p, CurrentDeal.sellingClub);
        const uint32_t left = uint32_t(CurrentDeal.asking) - uint32_t(slot.value);
        const int32_t value = HVW_ValuePlayer(p);
        if (rank < 0 || rank > 15 || left <= uint32_t(value)) {
            slot.value = -1;
        } else {
            slot.value = value;
            CurrentDeal.adjustments =
                int32_t(std::min<int64_t>(int64_t(CurrentDeal.adjustments) + value, INT32_MAX));
        }
    }
    MenuFollowUp = 1;
    MenuOption = kScreenDealSheet;
    return MENU_CLOSE;
}

int32_t ExchangeList_Back(MenuHotItem*) {
    MenuFollowUp = 1;
    MenuOption = kScreenDealSheet;
    return MENU_CLOSE;
}

// ---- The screen -----------------------------------------------------------------------------

namespace {

char g_names[kExchangeCandidates][40];
// The candidate of each cell, left column first (cells 0-15), then the right.
int32_t g_cellPlayers[kExchangeCandidates];
const char* g_namePtr[kExchangeCandidates];
const char* g_valuePtr[kExchangeCandidates];
char g_sortLabel[100];
const char* g_sortLabelPtr = g_sortLabel;

struct ExchangePointers {
    ExchangePointers() {
        for (int i = 0; i < kExchangeCandidates; ++i) {
            g_namePtr[i] = g_names[i];
            g_valuePtr[i] = ExchangeValueText[i];
        }
    }
} g_exchangePointers;

void SortCandidates() {
    const int16_t none = SORT_KEY_NONE;
    const auto key = int16_t(ExchangeSortKey);
    if (ExchangeKeySortOn != 0 && ExchangeGroupByPositionOn != 0) {
        SortKeys_Set(6, key, 0, none, none);
    } else if (ExchangeKeySortOn != 0) {
        SortKeys_Set(key, 0, none, none, none);
    } else if (ExchangeGroupByPositionOn != 0) {
        SortKeys_Set(6, 26, none, none, none);
    } else {
        SortKeys_Set(26, none, none, none, none);
    }
    std::qsort(ExchangeCandidates, size_t(ExchangeCandidateCount), sizeof ExchangeCandidates[0],
               ComparePlayersByKeys);
}

int32_t PickLeft(MenuHotItem* item) { return ExchangeList_Pick(item != nullptr ? item->row : -1); }
int32_t PickRight(MenuHotItem* item) {
    return ExchangeList_Pick(item != nullptr ? ExchangeLeftRows + item->row : -1);
}

int32_t ToggleGroup(PopupCallBlock*) {
    ExchangeGroupByPositionOn ^= 1u;
    return MENU_REDRAW_ALSO;
}
int32_t ToggleKeySort(PopupCallBlock*) {
    ExchangeKeySortOn ^= 1u;
    return MENU_REDRAW_ALSO;
}
constexpr uint16_t kSortKeys[] = {32, 33, 29, 28, 4, 30, 34, 35, 36, 37, 2, 38, 39};
// The value column's heading: the squad list's for the keys the list offers.
int16_t KeyHeading(uint16_t key) {
    const bool offered = std::find(std::begin(kSortKeys), std::end(kSortKeys), key) != std::end(kSortKeys);
    return offered ? SortKeyHeading(key) : int16_t(-1);
}
int32_t ChooseKey(PopupCallBlock* call) {
    const int choice = call != nullptr ? int(call->row) - 2 : -1;
    if (choice < 0 || choice >= int(std::size(kSortKeys))) return MENU_REDRAW_ALSO;
    return ExchangeList_ChooseSortKey(kSortKeys[choice]);
}

void MarkSortPopup(PopupCallBlock*);

#define EX_ROW(text, function) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr }
PopupEntry g_sortPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, MarkSortPopup},
    EX_ROW(439, ToggleGroup),
    EX_ROW(293, ToggleKeySort),
    EX_ROW(62, ChooseKey),
    EX_ROW(64, ChooseKey),
    EX_ROW(63, ChooseKey),
    EX_ROW(59, ChooseKey),
    EX_ROW(86, ChooseKey),
    EX_ROW(243, ChooseKey),
    EX_ROW(244, ChooseKey),
    EX_ROW(245, ChooseKey),
    EX_ROW(246, ChooseKey),
    EX_ROW(198, ChooseKey),
    EX_ROW(61, ChooseKey),
    EX_ROW(1092, ChooseKey),
    EX_ROW(956, ChooseKey),
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}

void MarkSortPopup(PopupCallBlock*) {
    Mark(g_sortPopup[1], ExchangeGroupByPositionOn != 0);
    Mark(g_sortPopup[2], ExchangeKeySortOn != 0);
    for (size_t k = 0; k < std::size(kSortKeys); ++k)
        Mark(g_sortPopup[3 + k], kSortKeys[k] == ExchangeSortKey);
}

constexpr int16_t kPtr = sizeof(const char*);
constexpr int kColumnCells = 16;

// The offered player's three settings beside his name.
void PaintSettings(int cell, int x, int y) {
    if (cell < 0 || cell >= kExchangeCandidates || g_cellPlayers[cell] == 0) return;
    DrawSettingIconsOf(g_cellPlayers[cell], x, y + 5);
    SetDrawParam(1, 0);
}
void PaintLeftSettings(int x, int y, int, int) { PaintSettings(MenuPaintRow(), x, y); }
void PaintRightSettings(int x, int y, int, int) { PaintSettings(kColumnCells + MenuPaintRow(), x, y); }

// The value cells start where the settings end.
const MenuItem kExchangeRow[] = {
    {MI_STRING_VAR, 55, 11, 9, kPtr, &g_namePtr[0], nullptr},
    {MI_HOT_RECT, 15, 0, 238, 23, nullptr, PickLeft},
    {MI_CUSTOM, 271, 0, 36, 23, MenuFunction(PaintLeftSettings), nullptr},
    {MI_STRING_VAR, 308, 11, 9, kPtr, &g_valuePtr[0], nullptr},
    kMenuEnd,
};
const MenuItem kExchangeRowRight[] = {
    {MI_STRING_VAR, 414, 11, 9, kPtr, &g_namePtr[16], nullptr},
    {MI_HOT_RECT, 374, 0, 238, 23, nullptr, PickRight},
    {MI_CUSTOM, 630, 0, 36, 23, MenuFunction(PaintRightSettings), nullptr},
    {MI_STRING_VAR, 667, 11, 9, kPtr, &g_valuePtr[16], nullptr},
    kMenuEnd,
};

}  // namespace

void ExchangeListMenu() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        ExchangeCandidateCount = 0;
    }
    ExchangeList_Build();
    ExchangeLeftRows = int16_t((ExchangeCandidateCount + 1) / 2);
    ExchangeEmptyText = ExchangeCandidateCount == 0 ? kNoCandidateText : int16_t(-1);
    SortCandidates();
    exchangelist::DisplaySort();
    // The right column's rows read the candidates from the left column's
    // row count on: the cells are laid out in that order.
    char values[kExchangeCandidates][40];
    std::copy(&ExchangeValueText[0][0], &ExchangeValueText[0][0] + sizeof values, &values[0][0]);
    for (int i = 0; i < kExchangeCandidates; ++i) {
        g_names[i][0] = '\0';
        ExchangeValueText[i][0] = '\0';
        g_cellPlayers[i] = 0;
    }
    for (int i = 0; i < ExchangeCandidateCount; ++i) {
        const int cell = i < ExchangeLeftRows ? i : kColumnCells + (i - ExchangeLeftRows);
        if (cell >= kExchangeCandidates) continue;
        g_cellPlayers[cell] = ExchangeCandidates[i];
        std::snprintf(g_names[cell], sizeof g_names[cell], "%s",
                      HVW_GetPlayerShortName(ExchangeCandidates[i]));
        std::snprintf(ExchangeValueText[cell], sizeof ExchangeValueText[cell], "%.*s",
                      int(sizeof ExchangeValueText[cell]) - 1, values[i]);
    }
    const int16_t heading = KeyHeading(ExchangeSortKey);
    g_sortLabel[0] = '\0';
    std::snprintf(g_sortLabel, sizeof g_sortLabel, "%s %s", Text(heading), Text(747));
}

const MenuItem ExchangeListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ExchangeListMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(830), nullptr},
    {MI_CUSTOM, 40, 97, 718, 46, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 40, 143, 359, 368, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 399, 143, 359, 368, MenuFunction(DrawBlackBox), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 40, 143, 16, 23, kExchangeRow, nullptr},
    {MI_GROUP, 40, 143, 16, 23, kExchangeRowRight, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 400, 300, 10, 0, &ExchangeEmptyText, nullptr},
    {MI_BUTTON_STRING_VAR, 60, 559, 683, 28, &g_sortLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_sortPopup, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ExchangeList_Back},
    kMenuEnd,
};
