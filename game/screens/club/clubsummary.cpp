#include "game/screens/club/clubsummary.h"

#include <algorithm>
#include <cstdio>

#include "core/base/bytes.h"
#include "core/club/transfers.h"
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
#include "core/season/services.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/start/soakscreen.h"

int16_t SummaryClub = 0;
int16_t SummarySavedPrevious = kScreenClubMain;
int16_t SummarySavedClub = 0;

namespace {

constexpr int kPositionTypes = 4;
constexpr int16_t kPositionTexts = 32;  // + position type
constexpr int kCountryNames = 9;

SummaryRowCounts g_rows[kPositionTypes];
SummaryMoney g_money{};
int32_t g_moneyShown[6] = {};
int16_t g_nameText = -1;
char g_division[64] = "";
const char* g_divisionText = g_division;

// Every slot of the transfer log: the records naming the club as buyer
// (bought) or else as seller (sold), by the player's present position type;
// the fees in every case.
void CountTransfers(int16_t club) {
    g_money.feesPaid = g_money.feesReceived = 0;
    // No club (a user without one): the log's empty slots name club -1.
    if (!IsClubNumber(club)) return;
    for (int n = 0; n < kTransferRecords; ++n) {
        const uint8_t* r = HVW_GetTransferRecord(int16_t(n))->bytes;
        const int16_t seller = recbits::LoadI16(r), buyer = recbits::LoadI16(r + 2);
        const uint16_t player = recbits::LoadU16(r + 4);
        const int64_t fee = recbits::LoadI32(r + 6);
        const bool bought = buyer == club;
        if (!bought && seller != club) continue;
        // A damaged record's player number has no position type to count
        // him under (asking for one would end the game); its fee counts.
        const int16_t type = IsPlayerNumber(player) ? HVW_GetPositionType(player) : int16_t(-1);
        if (type >= 0 && type < kPositionTypes) ++(bought ? g_rows[type].bought : g_rows[type].sold);
        (bought ? g_money.feesPaid : g_money.feesReceived) += fee;
    }
}

void FillScreen() {
    const int16_t club = SummaryClub;
    g_nameText = HVW_ClubTextId(club);
    const int16_t nation = HVW_GetClubNation(club);
    g_division[0] = '\0';
    if (nation >= 0 && nation < kCountryNames) {
        const char* name = HVW_GetDivisionRoundEntry(HVW_FindClubInDivisionRows(club), nation);
        if (name != nullptr) std::snprintf(g_division, sizeof g_division, "%s", name);
    }

    SquadPositionCount counts[kPositionTypes] = {};
    CountSquadByPosition(club, counts);
    for (int type = 0; type < kPositionTypes; ++type) {
        const SquadPositionCount& c = counts[type];
        g_rows[type] = {int16_t(kPositionTexts + type), c.total, c.suspended, c.unfit, c.nationalDuty, 0, 0};
    }
    CountTransfers(club);
    g_money.wageBill = GetClubWeeklyWageBill(club, nullptr);
    g_money.income = GetClubSeasonIncome(club);
    g_money.expenditure = GetClubSeasonCosts(club);
    g_money.profit = g_money.income - g_money.expenditure;
    const int64_t values[6] = {g_money.feesPaid, g_money.feesReceived, g_money.wageBill,
                               g_money.income,   g_money.expenditure,  g_money.profit};
    for (int i = 0; i < 6; ++i)
        g_moneyShown[i] = int32_t(std::clamp<int64_t>(values[i], INT32_MIN + 1, INT32_MAX));
}

// The buttons to other screens keep the way back of this one.
int32_t LeaveFor(int16_t screen) {
    PreviousMenuOption = SummarySavedPrevious;
    SelectedClub = uint16_t(SummarySavedClub);
    MenuOption = screen;
    return MENU_CLOSE;
}

constexpr int16_t kRowStride = sizeof(SummaryRowCounts);
const MenuItem kCountRow[] = {
    {MI_TEXT_VAR, 0, 0, 5, kRowStride, &g_rows[0].positionText, nullptr},
    {MI_NUMBER_I16, 80, 0, 7, kRowStride, &g_rows[0].squad, nullptr},
    {MI_NUMBER_I16, 110, 0, 7, kRowStride, &g_rows[0].suspended, nullptr},
    {MI_NUMBER_I16, 140, 0, 7, kRowStride, &g_rows[0].injured, nullptr},
    {MI_NUMBER_I16, 170, 0, 7, kRowStride, &g_rows[0].onDuty, nullptr},
    {MI_NUMBER_I16, 220, 0, 7, kRowStride, &g_rows[0].bought, nullptr},
    {MI_NUMBER_I16, 250, 0, 7, kRowStride, &g_rows[0].sold, nullptr},
    kMenuEnd,
};

#define MONEY_LINE(label, y, index)                                \
    {MI_TEXT, 50, y, 5, 0, MenuValue(label), nullptr}, {           \
        MI_NUMBER_I32, 300, y, 7, 0, &g_moneyShown[index], nullptr \
    }

}  // namespace

void SummaryScreenMenuProc() {
    if (IsMenuFirstEntry() == 1 && PreviousMenuOption != kScreenClubSummary) {
        SummarySavedPrevious = PreviousMenuOption;
        SummarySavedClub = int16_t(SelectedClub);
        SummaryClub = IsClubNumber(SelectedClub) ? int16_t(SelectedClub) : HVW_GetMyClub();
    }
    FillScreen();
}

int32_t SummaryScreen_ToMoney(MenuHotItem*) { return LeaveFor(kScreenWeeklyMoney); }
int32_t SummaryScreen_ToSquads(MenuHotItem*) { return LeaveFor(kScreenSquads); }
int32_t SummaryScreen_ToFixtures(MenuHotItem*) { return LeaveFor(kScreenSoak); }
int32_t SummaryScreen_ToPickTeam(MenuHotItem*) { return LeaveFor(kScreenPickTeam); }

int32_t SummaryScreen_ToClubSquad(MenuHotItem*) {
    PreviousMenuOption = kScreenClubSummary;
    SelectedClub = uint16_t(SummaryClub);
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

int32_t SummaryScreen_Exit(MenuHotItem*) {
    LeaveFor(SummarySavedPrevious == kScreenClubFixtures ? kScreenClubFixtures : kScreenClubMain);
    return MENU_CLOSE;
}

const SummaryRowCounts& SummaryShownRow(int type) { return g_rows[std::clamp(type, 0, kPositionTypes - 1)]; }
const SummaryMoney& SummaryShownMoney() { return g_money; }

const MenuItem SummaryScreenTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SummaryScreenMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 15, 165, 610, 110, MenuFunction(DrawTestPanel), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT_VAR, 320, 36, 10, 0, &g_nameText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 320, 66, 10, 0, &g_divisionText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT, 160, 170, 7, 0, MenuValue(5324), nullptr},
    {MI_TEXT, 190, 170, 7, 0, MenuValue(5325), nullptr},
    {MI_TEXT, 220, 170, 7, 0, MenuValue(5326), nullptr},
    {MI_TEXT, 270, 170, 7, 0, MenuValue(5332), nullptr},
    {MI_TEXT, 300, 170, 7, 0, MenuValue(5333), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 50, 190, 4, 16, kCountRow, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_MONEY), nullptr},
    MONEY_LINE(5334, 310, 0),
    MONEY_LINE(5335, 326, 1),
    MONEY_LINE(5336, 342, 2),
    MONEY_LINE(5337, 358, 3),
    MONEY_LINE(5338, 374, 4),
    MONEY_LINE(5339, 390, 5),
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(NUMBER_PLAIN), nullptr},
    {MI_BUTTON_TEXT, 40, 440, 96, 30, MenuValue(5327), SummaryScreen_ToMoney},
    {MI_BUTTON_TEXT, 140, 440, 96, 30, MenuValue(5328), SummaryScreen_ToSquads},
    {MI_BUTTON_TEXT, 240, 440, 96, 30, MenuValue(5361), SummaryScreen_ToFixtures},
    {MI_BUTTON_TEXT, 340, 440, 96, 30, MenuValue(5329), SummaryScreen_ToPickTeam},
    {MI_BUTTON_TEXT, 440, 440, 96, 30, MenuValue(453), SummaryScreen_ToClubSquad},
    {MI_HOT_RECT, 570, 436, 40, 40, nullptr, SummaryScreen_Exit},
    {MI_ICON, 590, 456, 10, 0, MenuValue(75), SummaryScreen_Exit},
    kMenuEnd,
};
