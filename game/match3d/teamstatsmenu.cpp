#include "game/match3d/teamstatsmenu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchfigure.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchstats.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/displaymaps.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

IgTeamStatsValues IgTeamStats;
const int16_t IgTeamStatsLabels[7] = {64, 1838, 1433, 970, 444, 1437, 1642};
IgLineupCell IgLineups[kIgLineupRows][2];

namespace {

constexpr int16_t kCaptainText = 576;
constexpr int kHeaderSize = 2 * gameinfo::kTeamNameLength + 40;

void SideName(int side, char* out, size_t size) {
    const char* name =
        reinterpret_cast<const char*>(GameInfo.bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName);
    std::snprintf(out, size, "%.*s", int(strnlen(name, gameinfo::kTeamNameLength)), name);
}

bool ShootOutScored() { return ShootOutGoals[0] != 0 || ShootOutGoals[1] != 0; }

// The header and minute line both screens show.
char g_headerLeft[kHeaderSize], g_headerRight[kHeaderSize], g_minute[32];
const char* g_headerLeftPtr = g_headerLeft;
const char* g_headerRightPtr = g_headerRight;
const char* g_minutePtr = g_minute;

}  // namespace

void IgHeader_Prepare() {
    IgFormatMatchHeaderParts(g_headerLeft, g_headerRight, kHeaderSize);
    IgFormatMinuteLine(g_minute, sizeof g_minute);
}

const MenuItem IgHeaderTable[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_STRING_VAR, 400, 62, 11, 0, &g_headerLeftPtr, nullptr},
    {MI_STRING_VAR, 400, 62, 9, 0, &g_headerRightPtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_STRING_VAR, 400, 82, 10, 0, &g_minutePtr, nullptr},
    kMenuEnd,
};

void IgFormatMatchHeaderParts(char* left, char* right, size_t size) {
    char home[gameinfo::kTeamNameLength + 1], away[gameinfo::kTeamNameLength + 1];
    SideName(0, home, sizeof home);
    SideName(1, away, sizeof away);
    if (ShootOutScored()) {
        std::snprintf(left, size, "%s %d (%d)-", home, Goals[0], ShootOutGoals[0]);
        std::snprintf(right, size, "(%d) %d %s", ShootOutGoals[1], Goals[1], away);
    } else {
        std::snprintf(left, size, "%s %d -", home, Goals[0]);
        std::snprintf(right, size, " %d %s", Goals[1], away);
    }
}

void IgFormatMatchHeader(char* out, size_t size) {
    char left[kHeaderSize], right[kHeaderSize];
    IgFormatMatchHeaderParts(left, right, kHeaderSize);
    std::snprintf(out, size, "%s%s", left, right);
}

void IgFormatMinuteLine(char* out, size_t size) {
    std::snprintf(out, size, "%d %s", int(GetMatchMinute()), GetText(kTextMinutes));
}

int16_t IgShare(uint32_t a, uint32_t b) {
    const uint64_t total = uint64_t(a) + b;
    return total == 0 ? int16_t(50) : int16_t(uint64_t(a) * 100 / total);
}

// ---- Menu 6: team statistics ---------------------------------------------------------------------

namespace {

constexpr int kStatsRows = 7;
constexpr int kPossessionRow = 3;
constexpr int kRowY = 258, kRowStep = 38, kBoxX = 280, kBoxWidth = 240, kBoxHeight = 34;
constexpr int kZoneTop = 104, kZoneHeight = 140, kZoneLeft = 211, kZoneWidth = 127;
constexpr int kZoneTextX[3] = {274, 401, 528};
constexpr int kZoneTextY = 154;

char g_rowValues[kStatsRows][2][16];
char g_zoneTexts[3][3][8];  // per band: occupation, first side's share, second side's share

// The engine's rows behind rows 2, 3, 5, 6 and 7.
constexpr int kCounterOfRow[kStatsRows] = {-1,
                                           kCounterRowShots,
                                           kCounterRowOnTarget,
                                           -1,
                                           kCounterRowFreeKicks,
                                           kCounterRowBallsWon,
                                           kCounterRowOffsides};

void SetRow(int row, uint32_t first, uint32_t second) {
    IgTeamStats.rowValue[row][0] = first;
    IgTeamStats.rowValue[row][1] = second;
    IgTeamStats.rowShare[row][0] = IgShare(first, second);
    IgTeamStats.rowShare[row][1] = int16_t(100 - IgTeamStats.rowShare[row][0]);
    std::snprintf(g_rowValues[row][0], sizeof g_rowValues[row][0], "%u", unsigned(first));
    std::snprintf(g_rowValues[row][1], sizeof g_rowValues[row][1], "%u", unsigned(second));
}

}  // namespace

void IgStats_Compute() {
    IgHeader_Prepare();
    const TeamMatchCounters c = MatchGetTeamCounters();
    uint64_t total = 0, own[2] = {0, 0};
    for (int zone = 0; zone < kCounterZones; ++zone) {
        const int16_t share = IgShare(c.zones[zone][0], c.zones[zone][1]);
        IgTeamStats.zoneShare[zone][0] = share;
        IgTeamStats.zoneShare[zone][1] = int16_t(100 - share);
        for (int side = 0; side < 2; ++side) own[side] += c.zones[zone][side];
        total += uint64_t(c.zones[zone][0]) + c.zones[zone][1];
    }
    // The ball's time in each band; the last band takes what the
    // divisions leave so that the three make 100.
    for (int zone = 0; zone < kCounterZones; ++zone) IgTeamStats.zoneOccupation[zone] = 0;
    if (total > 0) {
        IgTeamStats.zoneOccupation[0] = int16_t((uint64_t(c.zones[0][0]) + c.zones[0][1]) * 100 / total);
        IgTeamStats.zoneOccupation[1] = int16_t((uint64_t(c.zones[1][0]) + c.zones[1][1]) * 100 / total);
        IgTeamStats.zoneOccupation[2] =
            int16_t(100 - IgTeamStats.zoneOccupation[0] - IgTeamStats.zoneOccupation[1]);
    }
    SetRow(0, uint32_t(std::max<int>(Goals[0], 0)), uint32_t(std::max<int>(Goals[1], 0)));
    for (int row = 1; row < kStatsRows; ++row) {
        if (row == kPossessionRow) continue;
        SetRow(row, c.rows[kCounterOfRow[row]][0], c.rows[kCounterOfRow[row]][1]);
    }
    // The overall possession: the share of all the bands' counts.
    const int16_t possession = IgShare(uint32_t(std::min<uint64_t>(own[0], UINT32_MAX)),
                                       uint32_t(std::min<uint64_t>(own[1], UINT32_MAX)));
    SetRow(kPossessionRow, uint32_t(possession), uint32_t(100 - possession));
    for (int side = 0; side < 2; ++side)
        std::snprintf(g_rowValues[kPossessionRow][side], sizeof g_rowValues[kPossessionRow][side], "%d%%",
                      int(IgTeamStats.rowValue[kPossessionRow][side]));
    for (int zone = 0; zone < kCounterZones; ++zone) {
        std::snprintf(g_zoneTexts[zone][0], sizeof g_zoneTexts[zone][0], "%d%%",
                      IgTeamStats.zoneOccupation[zone]);
        for (int side = 0; side < 2; ++side)
            std::snprintf(g_zoneTexts[zone][1 + side], sizeof g_zoneTexts[zone][1 + side], "%d%%",
                          IgTeamStats.zoneShare[zone][side]);
    }
}

void IgStats_Build() {
    SetMenuTitleDate(12);
    IgButtonBar_Prepare();
    if (IsMenuFirstEntry() != 1) return;
    IgStats_Compute();
}

namespace {

// A bar across the width split at the first side's share.
void DrawShareBar(int x, int y, int width, int height, int share) {
    const int split = width * std::clamp(share, 0, 100) / 100;
    if (split > 0) FillSolidRect(x, y, split, height, kIgFirstSideColour);
    if (width - split > 0) FillSolidRect(x + split, y, width - split, height, kIgSecondSideColour);
}

// The seven framed rows with their labels, values and share bars.
void IgStats_DrawBars(int, int, int, int) {
    for (int row = 0; row < kStatsRows; ++row) {
        const int y = kRowY + row * kRowStep;
        SetDrawParam(2, 0);
        DrawShadedRect(kBoxX, y, kBoxWidth, kBoxHeight, 40);
        SetDrawParam(2, 0xFFFF);
        DrawBox(kBoxX, y, kBoxWidth, kBoxHeight);
        DrawShareBar(kBoxX + 3, y + 21, kBoxWidth - 5, 10, IgTeamStats.rowShare[row][0]);
        SetFont(9);
        SetDrawParam(1, 0);
        DrawTextNoAt(400, y + 11, IgTeamStatsLabels[row], JUSTIFY_CENTRE_MIDDLE);
        DrawTextAddrAt(kBoxX - 8, y + kBoxHeight / 2, g_rowValues[row][0], JUSTIFY_RIGHT_MIDDLE);
        DrawTextAddrAt(kBoxX + kBoxWidth + 8, y + kBoxHeight / 2, g_rowValues[row][1], JUSTIFY_LEFT_MIDDLE);
    }
}

// The pitch plan in three bands from the first side's goal, each with the
// ball's share of the match there and the two sides' shares of the ball.
void IgStats_DrawZones(int, int, int, int) {
    FillSolidRect(kZoneLeft, kZoneTop, 3 * kZoneWidth, kZoneHeight, 0x2BE6);
    SetDrawParam(2, 0xFFFF);
    DrawBox(kZoneLeft, kZoneTop, 3 * kZoneWidth, kZoneHeight);
    for (int zone = 1; zone < 3; ++zone)
        DrawLine(kZoneLeft + zone * kZoneWidth, kZoneTop, kZoneLeft + zone * kZoneWidth,
                 kZoneTop + kZoneHeight, 0xFFFF);
    for (int zone = 0; zone < 3; ++zone) {
        const int x = kZoneLeft + zone * kZoneWidth;
        DrawShareBar(x + 8, kZoneTop + 96, kZoneWidth - 16, 12, IgTeamStats.zoneShare[zone][0]);
        SetFont(9);
        SetDrawParam(1, 0);
        DrawTextAddrAt(kZoneTextX[zone], kZoneTextY, g_zoneTexts[zone][0], JUSTIFY_CENTRE_MIDDLE);
        SetFont(6);
        DrawTextAddrAt(x + 10, kZoneTop + 122, g_zoneTexts[zone][1], JUSTIFY_LEFT_MIDDLE);
        DrawTextAddrAt(x + kZoneWidth - 10, kZoneTop + 122, g_zoneTexts[zone][2], JUSTIFY_RIGHT_MIDDLE);
    }
}

}  // namespace

const MenuItem IgTeamStatsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(IgStats_Build), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, IgHeaderTable, nullptr},
    {MI_CUSTOM, kZoneLeft, kZoneTop, 3 * kZoneWidth, kZoneHeight, MenuFunction(IgStats_DrawZones), nullptr},
    {MI_CUSTOM, kBoxX, kRowY, kBoxWidth, kStatsRows* kRowStep, MenuFunction(IgStats_DrawBars), nullptr},
    {MI_GROUP, 0, 0, 1, 0, IgButtonBarTable, nullptr},
    kMenuEnd,
};

// ---- Menu 3: line-ups ------------------------------------------------------------------------------

namespace {

constexpr int kLineupTop = 104, kLineupRowHeight = 24;
constexpr int kCellX[2] = {40, 410};
constexpr int kCellWidth = 350;
constexpr int kBookingShift = 6;

bool PracticeMatch() {
    return GameInfo.TeamI16(0, gameinfo::kTeamClub) == GameInfo.TeamI16(1, gameinfo::kTeamClub);
}

void FillCell(IgLineupCell& cell, int side, int entry, const uint8_t (*records)[kStatsRecordBytes]) {
    const int16_t slot = GetMatchSideSlot(int16_t(side), int16_t(entry));
    const MatchFigure* f = MatchGetFigure(int16_t(side), slot);
    if (f == nullptr) return;
    cell.player = MatchFigurePlayerId(int16_t(side * kTeamFigures + slot));
    std::snprintf(cell.name, sizeof cell.name, "%.*s", int(strnlen(f->name, sizeof f->name)), f->name);
    const uint8_t* record = records[slot];
    const int rating = int16_t(recbits::LoadU16(record + kStatsValueW - kPlayerStatsRecord));
    if (rating != 0) std::snprintf(cell.rating, sizeof cell.rating, "%d", rating);
    if (MatchIsCaptain(int16_t(side), slot) != 0)
        std::snprintf(cell.captain, sizeof cell.captain, "(%s)", GetText(kCaptainText));
    const int cards = (recbits::LoadU16(record + kStatsPackedWord - kPlayerStatsRecord) >> kBookingShift) & 3;
    if (cards == 1) cell.cardIcons[0] = 15;
    if (cards == 2) cell.cardIcons[0] = 15, cell.cardIcons[1] = 14;
    if (cards == 3) cell.cardIcons[0] = 14;
    if (IgInjuryIconShown(int16_t(side), slot, record)) cell.injuryIcon = 16;
    cell.count = int8_t(record[kStatsGoals - kPlayerStatsRecord]);
}

}  // namespace

bool IgInjuryIconShown(int16_t side, int16_t slot, const uint8_t* statsRecord) {
    const bool hurtInMatch = statsRecord[kStatsInjured - kPlayerStatsRecord] != 0;
    const bool mustGo = MatchIsPlayerHurt(side, slot) != 0;
    return mustGo || (hurtInMatch && !PracticeMatch());
}

int IgLineups_EntryOfRow(int row) {
    if (row < 0 || row == kIgLineupSeparatorRow) return -1;
    const int entry = row < kIgLineupSeparatorRow ? row : row - 1;
    return entry < kIgLineupSeparatorRow + MatchAvailableSubs(&GameInfo) && entry < kTeamFigures ? entry : -1;
}

void IgLineups_Build() {
    SetMenuTitleDate(12);
    IgButtonBar_Prepare();
    if (IsMenuFirstEntry() == 1) IgLineups_Fill();
}

void IgLineups_Fill() {
    IgHeader_Prepare();
    static uint8_t records[2][kTeamFigures][kStatsRecordBytes];
    for (int side = 0; side < 2; ++side) MatchComputePlayerRatings(records[side], int16_t(side));
    for (int row = 0; row < kIgLineupRows; ++row) {
        for (int side = 0; side < 2; ++side) {
            IgLineupCell& cell = IgLineups[row][side];
            cell = IgLineupCell{};
            cell.cardIcons[0] = cell.cardIcons[1] = cell.injuryIcon = -1;
            const int entry = IgLineups_EntryOfRow(row);
            if (entry >= 0) FillCell(cell, side, entry, records[side]);
        }
    }
}

namespace {

int32_t PickCell(int row, int side) {
    const int entry = IgLineups_EntryOfRow(row);
    if (entry < 0) return MENU_CONTINUE;
    const uint16_t player = IgLineups[row][side].player;
    if (player == 0) return MENU_CONTINUE;  // an empty cell opens nothing
    ReturnMenuOption = kIgLineupsMenu;
    InGameMenuId = kIgProfileMenu;
    SelectedPlayer = int16_t(player);
    return MENU_CLOSE;
}

void DrawCell(const IgLineupCell& cell, int x, int y) {
    if (cell.player == 0 && cell.name[0] == '\0') return;
    SetFont(9);
    SetDrawParam(1, 0);
    DrawTextAddrAt(x + 6, y + kLineupRowHeight / 2, cell.name, JUSTIFY_LEFT_MIDDLE);
    SetFont(6);
    DrawTextAddrAt(x + 170, y + kLineupRowHeight / 2, cell.captain, JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(x + 230, y + kLineupRowHeight / 2, cell.rating, JUSTIFY_CENTRE_MIDDLE);
    int iconX = x + 256;
    for (int16_t icon : {cell.cardIcons[0], cell.cardIcons[1], cell.injuryIcon}) {
        if (icon < 0) continue;
        DrawIcon(iconX, y + 3, icon, JUSTIFY_LEFT_TOP);
        iconX += 18;
    }
    if (cell.count != 0)
        DrawNumberAt(x + kCellWidth - 12, y + kLineupRowHeight / 2, cell.count, JUSTIFY_RIGHT_MIDDLE);
}

// One row of both line-ups: three line bands, the middle one across the
// whole width, and the two cells.
void IgLineups_DrawRow(int, int y, int, int) {
    const int row = MenuPaintRow();
    if (row < 0 || row >= kIgLineupRows) return;
    for (int side = 0; side < 2; ++side) DrawLine(kCellX[side], y, kCellX[side] + kCellWidth - 1, y, 0x8410);
    DrawLine(kCellX[0], y + kLineupRowHeight / 2, kCellX[1] + kCellWidth - 1, y + kLineupRowHeight / 2,
             0x4208);
    for (int side = 0; side < 2; ++side)
        DrawLine(kCellX[side], y + kLineupRowHeight - 1, kCellX[side] + kCellWidth - 1,
                 y + kLineupRowHeight - 1, 0x8410);
    for (int side = 0; side < 2; ++side) DrawCell(IgLineups[row][side], kCellX[side], y);
}

int32_t FirstClick(MenuHotItem* item) { return IgLineups_PickFirst(item->row); }
int32_t SecondClick(MenuHotItem* item) { return IgLineups_PickSecond(item->row); }

const MenuItem kLineupRow[] = {
    {MI_CUSTOM, 0, 0, 800, kLineupRowHeight, MenuFunction(IgLineups_DrawRow), nullptr},
    {MI_HOT_RECT, kCellX[0], 0, kCellWidth, kLineupRowHeight, nullptr, FirstClick},
    {MI_HOT_RECT, kCellX[1], 0, kCellWidth, kLineupRowHeight, nullptr, SecondClick},
    kMenuEnd,
};

}  // namespace

int32_t IgLineups_PickFirst(int row) { return PickCell(row, 0); }
int32_t IgLineups_PickSecond(int row) { return PickCell(row, 1); }

const MenuItem IgLineupsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(IgLineups_Build), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, IgHeaderTable, nullptr},
    {MI_GROUP, 0, kLineupTop, kIgLineupRows, kLineupRowHeight, kLineupRow, nullptr},
    {MI_GROUP, 0, 0, 1, 0, IgButtonBarTable, nullptr},
    kMenuEnd,
};
