#include "game/screens/club/incomeforecast.h"

#include <algorithm>
#include <cmath>

#include "core/base/debug.h"
#include "core/query/competitionnames.h"
#include "core/query/cupentry.h"
#include "core/query/fields.h"
#include "core/query/financerecord.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/matchmarks.h"

int32_t IncomeForecastValues[kForecastLines];

namespace {

constexpr int kCupSlots = 7;
constexpr int kFirstEuropeanSlot = 4;

// A floating step added to the line, the sum cut toward zero.
int64_t AddScaled(int64_t line, int64_t gate, double factor) {
    return int64_t(std::trunc(double(line) + double(gate) * factor));
}

[[noreturn]] void RoundsTooLarge() { FatalError("Rounds value too large M_MN52"); }

// One counted round i of a slot's cup.
int64_t AddRound(int16_t slot, int i, int n, int64_t line, int64_t g) {
    const int semi = n - 2, final = n - 1;
    if (i > n) RoundsTooLarge();
    switch (slot) {
        case 0:
            if (i < semi) return AddScaled(line, g, 1.6);
            if (i == semi) return line + 2 * g;
            if (i == final) return line + g + 200000;
            return line + g + 600000;
        case 1:
        case 2:
        case 3:
            if (i < semi) return line + 2 * g;
            if (i == semi) return AddScaled(line, g, 2.4);
            if (i == final) return line + 3 * g;
            return line + g + 400000;
        case 4:
            if (i < semi) return AddScaled(line, g, 1.5);
            if (i == semi) return line + 2 * g;
            if (i == final) return line + 3 * g;
            return line + g + 1000000;
        case 6:
            if (i < semi) return AddScaled(line, g, 2.5);
            if (i == semi) return line + 3 * g;
            if (i == final) return line + 4 * g;
            return line + g + 2000000;
        default:
            FatalError("Cup value too large M_MN52");
    }
}

int32_t Clamp32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

#define LABEL(y, text) \
    { MI_STRING, 80, y, 5, 0, text, nullptr }
#define VALUE(y, line) \
    { MI_NUMBER_I32, 180, y, 5, 0, &IncomeForecastValues[line], nullptr }

}  // namespace

int32_t IncomeForecast_Television(int16_t status) {
    switch (status) {
        case 0:
            return 2400000;
        case 1:
            return 400000;
        case 2:
            return 120000;
        case 3:
            return 40000;
        default:
            return 10000;
    }
}

int64_t IncomeForecast_Cup(int16_t slot, int16_t entryRound, int16_t currentRound, int16_t rounds,
                           int64_t gate) {
    if (slot < 0 || slot >= kCupSlots) FatalError("Cup value too large M_MN52");
    if (slot == 5) return 2 * gate;
    int64_t line = 0;
    if (currentRound == entryRound) return AddRound(slot, 0, rounds, line, gate);
    for (int i = entryRound; i < currentRound; ++i) line = AddRound(slot, i, rounds, line, gate);
    return line;
}

void IncomeForecast_Compute(int16_t club, int64_t out[kForecastLines]) {
    std::fill(out, out + kForecastLines, int64_t(0));
    if (club < 0 || club >= kClubCount) return;
    const int16_t country = HVW_GetClubNation(club);
    const int16_t status = int16_t(GetClubDivision(club));
    const int64_t attendance = HVW_CountPlayedFixturesOfClub(club) == 0
                                   ? int64_t(HVW_GetClubReputation(club)) * 1200
                                   : int64_t(HVW_GetClubAvgAttendance(club));
    const int64_t price = HVW_GetTicketPrice(status, country);
    const int64_t g = attendance * price;
    out[kForecastGate] = attendance * (HVW_GetDivisionGamesPerTeam(country, status) / 2) * price;
    out[kForecastSponsorship] = HVW_GetClubSeasonSponsorship(club);
    out[kForecastMerchandising] = AddScaled(0, out[kForecastGate], 0.2);
    out[kForecastTelevision] = IncomeForecast_Television(status);
    for (int16_t slot = 0; slot < kCupSlots; ++slot) {
        const int16_t entry = HVW_GetClubCupEntryRound(club, slot);
        if (entry < 0) continue;
        const int16_t tie = HVW_FindClubCupTie(club, slot);
        int16_t current = tie >= 0 ? HVW_GetCupRoundIndex(FixtureType(tie)) : entry;
        if (current < 0) current = entry;
        const int64_t money =
            IncomeForecast_Cup(slot, entry, current, HVW_GetCupRoundCount(slot, country), g);
        out[slot < kFirstEuropeanSlot ? kForecastDomesticCups : kForecastEuropeanCups] += money;
    }
    for (int line = 0; line < kForecastTotal; ++line) out[kForecastTotal] += out[line];
}

void IncomeForecastMenuProc() {
    int64_t lines[kForecastLines];
    IncomeForecast_Compute(HVW_GetMyClub(), lines);
    for (int line = 0; line < kForecastLines; ++line) IncomeForecastValues[line] = Clamp32(lines[line]);
    if (IsMenuFirstEntry() == 1) SetMenuTitleDate(11);
}

namespace {

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

const MenuItem IncomeForecastTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(IncomeForecastMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(1207), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(1), nullptr},
    LABEL(80, "YearGate:"),
    VALUE(80, kForecastGate),
    LABEL(100, "Sponsorship:"),
    VALUE(100, kForecastSponsorship),
    LABEL(120, "Merchandising:"),
    VALUE(120, kForecastMerchandising),
    LABEL(140, "TV Income:"),
    VALUE(140, kForecastTelevision),
    LABEL(160, "Domestic Cups:"),
    VALUE(160, kForecastDomesticCups),
    LABEL(180, "European Cups:"),
    VALUE(180, kForecastEuropeanCups),
    LABEL(220, "Total:"),
    VALUE(220, kForecastTotal),
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

// ---- The match-marks grid's controls ------------------------------------------------

namespace {

constexpr int kGridX = 160, kGridY = 128, kRowHeight = 20, kGridWidth = 470;

uint16_t ListEntry(int index) {
    return index >= 0 && index < kMarksListSlots && index < MatchMarks.count ? MatchMarks.players[index] : 0;
}

}  // namespace

int32_t MatchMarks_PageUp(MenuHotItem*) {
    if (MatchMarks.top < 1) return MENU_CONTINUE;
    MatchMarks.top = int8_t(std::max(0, MatchMarks.top - kMarksRows));
    return MENU_REDRAW;
}

int32_t MatchMarks_PageDown(MenuHotItem*) {
    if (MatchMarks.top + kMarksRows >= MatchMarks.count) return MENU_CONTINUE;
    int top = MatchMarks.top + kMarksRows;
    if (top + kMarksRows > MatchMarks.count) top = std::max(0, MatchMarks.count - kMarksRows);
    MatchMarks.top = int8_t(top);
    return MENU_REDRAW;
}

int32_t MatchMarks_PickRow(MenuHotItem* item) {
    const int index = MatchMarks.top + (item != nullptr ? item->row : 0);
    if (index >= kMarksListSlots) return MENU_CONTINUE;
    const uint16_t player = ListEntry(index);
    if (player == 0) return MENU_CONTINUE;
    MatchMarks.selectedPlayer = player;
    return MENU_REDRAW;
}

int32_t MatchMarks_PickCell(int column, MenuHotItem* item) {
    if (item == nullptr || column < 0 || column >= kMarksColumns) return MENU_CONTINUE;
    const uint16_t player = ListEntry(MatchMarks.top + item->row);
    if (player == MatchMarks.selectedPlayer && column == MatchMarks.selectedColumn) return MENU_CONTINUE;
    // Cells are picked only once ten matches are listed.
    if (player == 0 || MatchMarks.matches < kMarksColumns) return MENU_CONTINUE;
    uint16_t marks[kMarksColumns];
    HVW_GetPlayerMatchMarks(player, MatchMarksSlots(), MatchMarks.matches, marks);
    if (marks[column] == 0xFFFF || marks[column] == 0) return MENU_CONTINUE;
    MatchMarks.selectedColumn = uint8_t(column);
    MatchMarks.selectedPlayer = player;
    return MENU_REDRAW;
}

void MatchMarks_DrawRowBars(int, int, int, int) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(kGridX, 106, kGridWidth, 20, 75);
    DrawShadedRect(32, 474, 736, 58, 75);
    for (int row = 0; row < kMarksRows; ++row) {
        DrawShadedRect(kGridX, kGridY + row * kRowHeight, kGridWidth, kRowHeight - 1,
                       (row & 1) != 0 ? 25 : 50);
    }
    SetDrawParam(2, colour);
}
