#include "game/match3d/shootoutscreen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchfigure.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstats.h"
#include "core/query/fields.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/records/textids.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

uint16_t IgShootoutPick = 65535;
IgShootoutRow IgShootoutRows[kShootoutKickers];

namespace {

constexpr uint16_t kNoPick = 65535;
constexpr int16_t kTitleText = 710;
constexpr int16_t kBackIcon = 153;
constexpr int16_t kStatKinds[3] = {kComposureStat, kShootingStat, kDeadballStat};
constexpr int16_t kYesText = 249, kNoText = 248;
constexpr int kFirstKicker = 1, kLastKicker = 10;

int16_t Side() { return int16_t(IgViewSide & 1); }

int16_t SlotOfEntry(int entry) { return GetMatchSideSlot(Side(), int16_t(entry)); }
uint16_t PlayerOfEntry(int entry) {
    return MatchFigurePlayerId(int16_t(Side() * kTeamFigures + SlotOfEntry(entry)));
}

// The line-up entry among 1..10 that holds the player, -1 none.
int EntryOfPlayer(uint16_t player) {
    if (player == 0) return -1;
    for (int e = kFirstKicker; e <= kLastKicker; ++e)
        if (PlayerOfEntry(e) == player) return e;
    return -1;
}

void FillRow(IgShootoutRow& row, int entry) {
    const int16_t slot = SlotOfEntry(entry);
    const MatchFigure* f = MatchGetFigure(Side(), slot);
    if (f == nullptr) return;
    row.player = PlayerOfEntry(entry);
    std::snprintf(row.name, sizeof row.name, "%.*s", int(strnlen(f->name, sizeof f->name)), f->name);
    if (f->position >= 0 && f->position <= 13) row.position = HVW_GetPositionTextIdOfCode(f->position);
    // The player's own record only when the number names one.
    if (IsPlayerNumber(row.player)) {
        for (int k = 0; k < 3; ++k) row.stats[k] = HVW_GetPlayerStat(row.player, kStatKinds[k]);
        row.experience = HVW_GetPlayerExperiencePercent(row.player);
    }
    row.grade = IgPenaltyGrade(Side(), slot);
}

}  // namespace

int16_t IgPenaltyGrade(int16_t side, int16_t slot) {
    if (side < 0 || side > 1 || slot < 0 || slot >= kTeamFigures) return kNoText;
    // The figures the shoot-out kick is worked out from, as the squad
    // entry gives them, against his match rating so far.
    const int at = gameinfo::PlayerInfoAt(side, slot) + gameinfo::kPlayerStats;
    int shooting = 0;
    for (int stat : {gameinfo::kStatOutlook, gameinfo::kStatDeadball, gameinfo::kStatComposure})
        shooting += std::clamp<int>(GameInfo.I16(at + 2 * stat), 0, 100);
    shooting /= 3;
    static uint8_t records[kTeamFigures][kStatsRecordBytes];
    MatchComputePlayerRatings(records, side);
    const int rating = int16_t(recbits::LoadU16(records[slot] + kStatsValueW - kPlayerStatsRecord));
    return IgPenaltyGradeText(shooting * rating / 100);
}

int16_t IgPenaltyGradeText(int value) {
    if (value >= 45) return kYesText;
    if (value >= 35) return kTextDoubtful;
    return kNoText;
}

void IgShootout_Enter() {
    IgShootoutPick = kNoPick;
    if (InGameMenuArgGiven != 0) {
        IgViewSide = uint16_t(InGameMenuArg & 1);
    } else {
        IgViewSide = MatchTeamHuman(&GameInfo, 0) ? 0 : 1;
    }
    for (int i = 0; i < kShootoutKickers; ++i) ShootoutOrder[Side()][i] = PlayerOfEntry(kFirstKicker + i);
}

void IgShootout_Build() {
    if (IsMenuFirstEntry() == 1) IgShootout_Enter();
    SetMenuTitleDate(12);
    for (int i = 0; i < kShootoutKickers; ++i) {
        IgShootoutRow& row = IgShootoutRows[i];
        row = IgShootoutRow{0, "", -1, {0, 0, 0}, 0, -1};
        const int entry = EntryOfPlayer(ShootoutOrder[Side()][i]);
        if (entry >= 0) FillRow(row, entry);
    }
}

int32_t IgShootout_PickPlace(int place) {
    if (place < 0 || place >= kShootoutKickers) return MENU_CONTINUE;
    if (IgShootoutPick >= kShootoutKickers) {
        IgShootoutPick = uint16_t(place);
        return MENU_REDRAW;
    }
    std::swap(ShootoutOrder[Side()][place], ShootoutOrder[Side()][IgShootoutPick]);
    IgShootoutPick = kNoPick;
    return MENU_REDRAW;
}

int32_t IgShootout_Leave() {
    InGameMenuId = kIgLeaveMenus;
    return MENU_CLOSE;
}

namespace {

constexpr int kRowTop = 137, kRowHeight = 24, kRowLeft = 40, kRowWidth = 720;
constexpr int kColumnX[] = {364, 394, 424, 454};
constexpr int kRuleX[] = {379, 409, 439, 469, 499};

void PaintRow(int, int y, int, int) {
    const int place = MenuPaintRow();
    if (place < 0 || place >= kShootoutKickers) return;
    const IgShootoutRow& row = IgShootoutRows[place];
    SetDrawParam(2, 0);
    DrawShadedRect(kRowLeft, y, kRowWidth, kRowHeight - 1,
                   IgShootoutPick == uint16_t(place) ? 80 : ((place & 1) != 0 ? 25 : 50));
    SetFont(9);
    SetDrawParam(1, IgShootoutPick == uint16_t(place) ? 3 : 0);
    DrawNumberAt(484, y + kRowHeight / 2, place + 1, JUSTIFY_CENTRE_MIDDLE);
    if (row.player == 0) return;
    DrawTextAddrAt(510, y + kRowHeight / 2, row.name, JUSTIFY_LEFT_MIDDLE);
    SetFont(6);
    if (row.position >= 0) DrawTextNoAt(320, y + kRowHeight / 2, row.position, JUSTIFY_CENTRE_MIDDLE);
    for (int k = 0; k < 3; ++k)
        DrawNumberAt(kColumnX[k], y + kRowHeight / 2, row.stats[k], JUSTIFY_CENTRE_MIDDLE);
    DrawNumberAt(kColumnX[3], y + kRowHeight / 2, row.experience, JUSTIFY_CENTRE_MIDDLE);
    if (row.grade >= 0) DrawTextNoAt(640, y + kRowHeight / 2, row.grade, JUSTIFY_CENTRE_MIDDLE);
}

void PaintRules(int, int y, int, int h) {
    for (int x : kRuleX) DrawLine(x, y, x, y + h - 1, 0x8410);
}

int32_t PlaceClick(MenuHotItem* item) { return IgShootout_PickPlace(item->row); }
int32_t BackClick(MenuHotItem*) { return IgShootout_Leave(); }

const MenuItem kPlaceRow[] = {
    {MI_CUSTOM, kRowLeft, 0, kRowWidth, kRowHeight, MenuFunction(PaintRow), nullptr},
    {MI_HOT_RECT, kRowLeft, 0, kRowWidth, kRowHeight, nullptr, PlaceClick},
    kMenuEnd,
};

}  // namespace

const MenuItem IgShootoutTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(IgShootout_Build), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT, 364, 117, 10, 0, MenuValue(489), nullptr},
    {MI_TEXT, 394, 117, 10, 0, MenuValue(479), nullptr},
    {MI_TEXT, 424, 117, 10, 0, MenuValue(482), nullptr},
    {MI_TEXT, 454, 117, 10, 0, MenuValue(494), nullptr},
    {MI_TEXT, 484, 117, 10, 0, MenuValue(707), nullptr},
    {MI_TEXT, 534, 117, 10, 0, MenuValue(708), nullptr},
    {MI_TEXT, 604, 117, 10, 0, MenuValue(709), nullptr},
    {MI_GROUP, 0, kRowTop, kShootoutKickers, kRowHeight, kPlaceRow, nullptr},
    {MI_CUSTOM, 0, kRowTop, 800, kShootoutKickers* kRowHeight, MenuFunction(PaintRules), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(kBackIcon), BackClick},
    kMenuEnd,
};
