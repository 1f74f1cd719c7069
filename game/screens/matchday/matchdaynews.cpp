// The team news of the user's match: both line-ups prepared before his
// group of fixtures is processed, and the panel with both team sheets that
// shows them while the group runs.
#include "game/screens/matchday/matchdaynews.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/club/squads.h"
#include "core/query/competitionnames.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/previewservices.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"

TeamNewsSheet TeamNewsBlock;

namespace {

constexpr int16_t kDefaultSubstitutes = 5;
constexpr int kLineUpSlots = 16;
constexpr int kStarters = 11;
constexpr int16_t kManagerText = 30;
constexpr int16_t kFormText = 255;
constexpr int16_t kSeasonRecordText = 1886;
constexpr int16_t kHomeRecordText = 883;
constexpr int16_t kAwayRecordText = 884;
constexpr int16_t kRecordLabels[7] = {137, 138, 139, 36, 141, 142, 143};
constexpr int16_t kBroadcastText = 1173;
constexpr int kBroadcastIcon = 197;
constexpr uint32_t kFixtureFlagBit = 1u << 10;
constexpr int16_t kCaptionColour = 8;
constexpr int kSheetTop = 137;
constexpr int kRowHeight = 20;
constexpr int kGridRows = 14;
// Buttons of the panels: a dark blue face; a region of width 0 or below is
// as wide as its text and this much more.
constexpr uint16_t kPanelButtonFace = 12408;
constexpr int kTextMargin = 4;
constexpr int16_t kOpponentText = 1705;

// The panel's buttons: the continue bar, the bar that leads on to the
// match once the group is done, and the reserve team sheet's bar.
HotRegion Button(int16_t x, int16_t y, int16_t w, int16_t textId, int16_t event) {
    return {HOT_BUTTON_TEXT_ID,
            x,
            y,
            w,
            28,
            10,
            reinterpret_cast<const void*>(intptr_t(textId)),
            8,
            nullptr,
            event};
}
const HotRegion kContinueBar[] = {Button(32, 559, 736, 413, 6), {}};
// While the group is live the team news also leads to the opponent panel.
const HotRegion kLiveTeamNewsButtons[] = {
    Button(32, 559, 736, 413, 6), Button(400, 535, 0, kOpponentText, 1), {}};
const HotRegion kWatchBar[] = {Button(60, 559, 678, 1704, 9), {}};
const HotRegion kReserveBar[] = {Button(60, 559, 678, 75, 6), {}};

int16_t Today() { return SeasonCalendar.currentDay; }

int16_t Clamp16(int value, int low, int high) {
    return int16_t(value < low ? low : value > high ? high : value);
}

bool HasDayFlag(uint16_t bit) { return (uint16_t(MatchDayFlags) & bit) != 0; }

// ---- Preparing the team news ---------------------------------------------------------

// Substitutes the competition allows, from the user's nation and division.
int16_t SubstitutesFor(int16_t competition, int16_t userClub) {
    if (competition == kCompReserveLeague) return kDefaultSubstitutes;
    const int nation = IsClubNumber(userClub) ? Clamp16(GetClubNation(userClub), 0, kCountryCount - 1) : 0;
    const int division =
        IsClubNumber(userClub) ? Clamp16(GetClubDivision(userClub), 0, kDivisionCount - 1) : 0;
    if (competition >= 0 && competition <= 3) return DivisionMatchRules[nation][division][kRuleSubstitutes];
    if (competition >= kCompFirstNationalCup && competition <= kCompLastCup) {
        const int16_t cup = HVW_GetCupIndex(competition);
        if (cup < 0 || cup >= kCupCount) return kDefaultSubstitutes;
        const uint8_t subs =
            CupRoundRules.bytes[cup >= kFirstEuropeanCup ? 0 : nation][cup][0][kCupSubstitutes];
        return subs == 255 ? kDefaultSubstitutes : int16_t(subs);
    }
    return kDefaultSubstitutes;
}

// A line-up holds eleven starters and at most five substitutes.
int LineUpSubstitutes() { return std::clamp<int>(TeamNewsBlock.substitutes, 0, kLineUpSlots - kStarters); }

// One side's line-up: a club other than the user's picks its team first;
// then the first player of the list in each shirt fills its place.  A
// shirt outside the line-up (a loaded game's 0 or 17 and up) leaves the
// player off the sheet.
void FillLineUp(int side, int16_t club, int16_t competition, int16_t userClub) {
    uint16_t* lineUp = TeamNewsBlock.lineUp[side];
    std::fill(lineUp, lineUp + kLineUpSlots, uint16_t(0));
    if (!IsClubNumber(club)) return;
    const bool reserve = competition == kCompReserveLeague;
    const int subs = LineUpSubstitutes();
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    if (club != userClub) {
        if (reserve) {
            SelectReserveTeamByFormation(club, int16_t(subs), 0, competition);
        } else {
            SelectClubTeamByFormation(club, int16_t(subs), 0, competition);
        }
    }
    const SquadList& list = reserve ? ReserveList : FirstTeamList;
    for (int i = 0; i < kSquadListSize && i < list.count; ++i) {
        const uint16_t player = list.players[i];
        if (!IsPlayerNumber(player) || player == 0) continue;
        if (!reserve && GetPlayerClub(player) != uint16_t(club)) continue;
        const int16_t shirt = reserve ? HVW_GetPlayerIntShirt(player) : HVW_GetPlayerShirt(player);
        if (shirt >= 1 && shirt <= kStarters + subs && lineUp[shirt - 1] == 0) lineUp[shirt - 1] = player;
    }
}

const char* ClubNameOf(int16_t club) { return IsClubNumber(club) ? HVW_GetClubName(club) : ""; }

void FillTeamNews(int16_t slot) {
    const int16_t userClub = HVW_GetMyClub();
    const int16_t competition = FixtureType(slot);
    TeamNewsBlock.home = FixtureHome(slot);
    TeamNewsBlock.away = FixtureAway(slot);
    TeamNewsBlock.fixtureFlag = (FixtureScore(slot) & kFixtureFlagBit) != 0 ? 1 : 0;
    TeamNewsBlock.substitutes = SubstitutesFor(competition, userClub);
    const int16_t clubs[2] = {TeamNewsBlock.home, TeamNewsBlock.away};
    for (int side = 0; side < 2; ++side) {
        FillLineUp(side, clubs[side], competition, userClub);
        std::snprintf(TeamNewsBlock.names[side], sizeof TeamNewsBlock.names[side], "%s",
                      ClubNameOf(clubs[side]));
        for (int k = 0; k < kLineUpSlots; ++k) {
            const uint16_t player = TeamNewsBlock.lineUp[side][k];
            std::snprintf(TeamNewsBlock.shortNames[side][k], sizeof TeamNewsBlock.shortNames[side][k], "%s",
                          player != 0 ? HVW_GetPlayerShortName(player) : "");
        }
    }
    // The fixture's pre-match step: its two title lines, the competition
    // and the day.
    FixtureTitleLines(slot, TeamNewsBlock.titles[0], TeamNewsBlock.titles[1]);
}

// ---- Drawing ---------------------------------------------------------------------------

void InBlack(void (*draw)(int, int, int, int), int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    draw(x, y, w, h);
    SetDrawParam(2, kept);
}

// The grid: fourteen rows in each column, shaded alternately and framed, a
// strip between the columns and a box under them for the records.
void DrawGrid(int rowWidth, int rightX, int stripX, int stripWidth) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    for (int row = 0; row < kGridRows; ++row) {
        const int y = kSheetTop + kRowHeight * row;
        const int percent = (row & 1) != 0 ? 25 : 50;
        DrawShadedRect(20, y, rowWidth, kRowHeight, percent);
        DrawShadedRect(rightX, y, rowWidth, kRowHeight, percent);
    }
    DrawBox(20, kSheetTop, rowWidth, kGridRows * kRowHeight);
    DrawBox(rightX, kSheetTop, rowWidth, kGridRows * kRowHeight);
    DrawShadedRect(stripX, kSheetTop, stripWidth, kGridRows * kRowHeight, 50);
    SetDrawParam(2, kept);
    InBlack(DrawBlackShade30Box, 20, 447, 760, 96);
}

void DrawTitleLine(int y) {
    char line[2 * sizeof TeamNewsBlock.titles[0] + 2];
    std::snprintf(line, sizeof line, "%s %s", TeamNewsBlock.titles[0], TeamNewsBlock.titles[1]);
    SetFont(14);
    DrawTextAddrAt(400, y, line, JUSTIFY_CENTRE_TOP);
}

void DrawNames(int font, int homeX, int awayX) {
    SetFont(int16_t(font));
    DrawTextAddrAt(homeX, 97, TeamNewsBlock.names[0], JUSTIFY_RIGHT_TOP);
    DrawTextNoAt(400, 97, kTextVersus, JUSTIFY_CENTRE_TOP);
    DrawTextAddrAt(awayX, 97, TeamNewsBlock.names[1], JUSTIFY_LEFT_TOP);
}

void ShowPanel(const HotRegion* buttons) {
    if (SoakMode == 0 && buttons != nullptr) {
        MatchDay_SetButtons(buttons);
        MatchDay_DrawButtons(buttons);
    } else {
        Hotspot_InitDefault(&MatchDayHotspots[0]);
    }
    RefreshCursor();
    int16_t x = 0, y = 0;
    uint16_t state = 0;
    UpdateMouse(&x, &y, &state);
}

void DrawCaption(int x, int y, int16_t textId, uint16_t justify) {
    SetDrawParam(1, kCaptionColour);
    DrawTextNoAt(x, y, textId, justify);
    SetDrawParam(1, 0);
}

// The position type of a starter's place; an empty place sorts last.
int16_t PositionTypeOf(uint16_t player) {
    if (player == 0 || !IsPlayerNumber(player)) return 99;
    return HVW_GetPositionType(player);
}

// Starters sorted by position type, keeping the shirt order within a type.
void SortStartersByType(uint16_t (&starters)[kStarters]) {
    for (int pass = 0; pass < kStarters; ++pass) {
        for (int i = 0; i + 1 < kStarters; ++i) {
            if (PositionTypeOf(starters[i]) > PositionTypeOf(starters[i + 1]))
                std::swap(starters[i], starters[i + 1]);
        }
    }
}

// A row's squad number beside the name; nothing for an empty place.
void DrawSquadNumber(int x, int y, uint16_t player, uint16_t justify) {
    if (player == 0 || !IsPlayerNumber(player)) return;
    DrawNumberAt(x, y, HVW_GetPlayerField92(player), justify);
}

// Eleven rows a side from y 137; a blank row between position groups.
void DrawStarters() {
    SetFont(1009);
    for (int side = 0; side < 2; ++side) {
        uint16_t starters[kStarters];
        std::copy(TeamNewsBlock.lineUp[side], TeamNewsBlock.lineUp[side] + kStarters, starters);
        SortStartersByType(starters);
        int row = 0;
        for (int i = 0; i < kStarters; ++i) {
            if (i > 0 && PositionTypeOf(starters[i]) != PositionTypeOf(starters[i - 1])) ++row;
            const int y = kSheetTop + kRowHeight * row;
            ++row;
            const uint16_t player = starters[i];
            if (player == 0) continue;
            if (side == 0) {
                DrawTeamSheetList(374, y, 165, kRowHeight, 7, player);
                DrawSquadNumber(358, y + 10, player, JUSTIFY_LEFT_MIDDLE);
            } else {
                DrawTeamSheetList(426, y, 165, kRowHeight, 5, player);
                DrawSquadNumber(442, y + 10, player, JUSTIFY_RIGHT_MIDDLE);
            }
        }
    }
}

void DrawManagers() {
    DrawCaption(30, 187, kManagerText, JUSTIFY_LEFT_MIDDLE);
    DrawCaption(770, 187, kManagerText, JUSTIFY_RIGHT_MIDDLE);
    const int16_t clubs[2] = {TeamNewsBlock.home, TeamNewsBlock.away};
    for (int side = 0; side < 2; ++side) {
        if (!IsClubNumber(clubs[side])) continue;
        const uint16_t manager = FindClubManager(clubs[side]);
        if (manager == 0 || !IsPlayerNumber(manager)) continue;
        char name[32];
        std::snprintf(name, sizeof name, "%s", HVW_GetPlayerShortName(manager));
        DrawTextAddrAt(side == 0 ? 30 : 770, 207, name,
                       side == 0 ? JUSTIFY_LEFT_MIDDLE : JUSTIFY_RIGHT_MIDDLE);
    }
}

void DrawForm(int16_t kind) {
    DrawCaption(30, 247, kFormText, JUSTIFY_LEFT_MIDDLE);
    DrawCaption(770, 247, kFormText, JUSTIFY_RIGHT_MIDDLE);
    const int16_t clubs[2] = {TeamNewsBlock.home, TeamNewsBlock.away};
    for (int side = 0; side < 2; ++side) {
        if (!IsClubNumber(clubs[side])) continue;
        char form[16];
        const char* letters =
            kind == 0 ? HVW_GetClubFormString(clubs[side]) : HVW_GetClubFormString120(clubs[side]);
        std::snprintf(form, sizeof form, "%s", letters != nullptr ? letters : "");
        DrawTextAddrAt(side == 0 ? 30 : 770, 267, form,
                       side == 0 ? JUSTIFY_LEFT_MIDDLE : JUSTIFY_RIGHT_MIDDLE);
    }
    DrawCaption(30, 307, kSeasonRecordText, JUSTIFY_LEFT_MIDDLE);
    DrawCaption(770, 307, kSeasonRecordText, JUSTIFY_RIGHT_MIDDLE);
}

void DrawSubstitutes() {
    const int subs = LineUpSubstitutes();
    for (int i = 0; i < subs; ++i) {
        const int y = 317 + kRowHeight * i;
        const uint16_t home = TeamNewsBlock.lineUp[0][kStarters + i];
        const uint16_t away = TeamNewsBlock.lineUp[1][kStarters + i];
        if (home != 0) {
            DrawTeamSheetList(30, y, 165, kRowHeight, 5, home);
            DrawSquadNumber(46, y + 10, home, JUSTIFY_RIGHT_MIDDLE);
        }
        if (away != 0) {
            DrawTeamSheetList(770, y, 165, kRowHeight, 7, away);
            DrawSquadNumber(754, y + 10, away, JUSTIFY_LEFT_MIDDLE);
        }
    }
}

// Won, drawn, lost, for and against of the side's season record: the home
// record of the home club and the away record of the away club (kind 0),
// or the two halves of the reserve-league record (kind 1).
void SeasonRecordOf(int side, int16_t club, int16_t kind, int16_t (&record)[5]) {
    std::fill(record, record + 5, int16_t(0));
    if (!IsClubNumber(club)) return;
    if (kind == 0) {
        if (side == 0) {
            HVW_GetClubSeasonHomeRecord(club, &record[0], &record[1], &record[2], &record[3], &record[4]);
        } else {
            HVW_GetClubSeasonAwayRecord(club, &record[0], &record[1], &record[2], &record[3], &record[4]);
        }
        return;
    }
    const int first = side == 0 ? kSeasonHomeWon : kSeasonAwayWon;
    for (int k = 0; k < 5; ++k) record[k] = ReserveSeasonRecords[club].words[first + k];
}

void DrawSeasonRecords(int16_t kind) {
    SetFont(1010);
    const int16_t clubs[2] = {TeamNewsBlock.home, TeamNewsBlock.away};
    for (int side = 0; side < 2; ++side) {
        char heading[96];
        std::snprintf(heading, sizeof heading, "%s's %s", TeamNewsBlock.names[side],
                      GetText(side == 0 ? kHomeRecordText : kAwayRecordText));
        SetDrawParam(1, kCaptionColour);
        DrawTextAddrAt(side == 0 ? 50 : 750, 457, heading, side == 0 ? JUSTIFY_LEFT_TOP : JUSTIFY_RIGHT_TOP);
        const int left = side == 0 ? 80 : 570;
        for (int j = 0; j < 7; ++j) DrawTextNoAt(left + 30 * j, 477, kRecordLabels[j], JUSTIFY_CENTRE_TOP);
        SetDrawParam(1, 0);
        int16_t r[5];
        SeasonRecordOf(side, clubs[side], kind, r);
        const int values[7] = {r[0] + r[1] + r[2], r[0], r[1], r[2], r[3], r[4], 3 * r[0] + r[1]};
        for (int j = 0; j < 7; ++j) DrawNumberAt(left + 30 * j, 497, values[j], JUSTIFY_CENTRE_TOP);
    }
}

// The first fixture of today between the two clubs, -1 when none.
int16_t TodaysFixtureOf(int16_t home, int16_t away) {
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= uint16_t(Today()); ++slot) {
        if (FixtureDay(slot) == uint16_t(Today()) && FixtureHome(slot) == home && FixtureAway(slot) == away)
            return int16_t(slot);
    }
    return -1;
}

// The centre under the sheets: a broadcast match's sign and the ground.
void DrawCentre() {
    const int16_t slot = TodaysFixtureOf(TeamNewsBlock.home, TeamNewsBlock.away);
    if (slot < 0) return;
    if ((FixtureScore(slot) & kFixtureBroadcastBit) != 0) {
        DrawIcon(400, 477, kBroadcastIcon, JUSTIFY_CENTRE_MIDDLE);
        DrawTextNoAt(400, 497, kBroadcastText, JUSTIFY_CENTRE_MIDDLE);
    }
    const char* stadium = IsClubNumber(TeamNewsBlock.home) ? HVW_GetClubStadiumName(TeamNewsBlock.home) : "";
    if (stadium != nullptr && stadium[0] != '\0' && std::strcmp(stadium, "No Stadium Name") != 0)
        DrawTextAddrAt(400, 517, stadium, JUSTIFY_CENTRE_MIDDLE);
}

// ---- Regions -----------------------------------------------------------------------------

int16_t RegionTextWidth(const HotRegion& region) {
    SetFont(region.font);
    int16_t width = 0;
    GetTextNoSize(int16_t(reinterpret_cast<intptr_t>(region.text)), &width, nullptr);
    return width;
}

// Regions given no width take their text's; those that would stand on one
// spot (the same row, anchored a pixel or two apart) are laid side by side
// around it, in table order, so that each can be clicked.
void SizeTextRegions(HotRegion* list, int count) {
    bool placed[kHotRegionLimit] = {};
    for (int i = 0; i < count; ++i) {
        if (list[i].w > 0 || placed[i]) continue;
        int group[kHotRegionLimit];
        int members = 0, total = 0;
        const int16_t anchor = list[i].x;
        for (int j = i; j < count; ++j) {
            if (list[j].w > 0 || placed[j] || list[j].y != list[i].y || std::abs(list[j].x - anchor) > 2)
                continue;
            group[members++] = j;
            placed[j] = true;
            list[j].w = int16_t(RegionTextWidth(list[j]) + kTextMargin);
            total += list[j].w;
        }
        total += (members - 1) * kTextMargin;
        int left = anchor - total / 2;
        for (int m = 0; m < members; ++m) {
            list[group[m]].x = int16_t(left);
            left += list[group[m]].w + kTextMargin;
        }
    }
}

}  // namespace

// ---- Public ---------------------------------------------------------------------------------

void MatchDay_PrepareTeamNews() {
    const int16_t userClub = HVW_GetMyClub();
    const int16_t slot = HVW_FindClubFixtureOnDay(userClub, Today(), 0);
    if (slot < 0) return;
    const int country = Clamp16(HVW_GetViewedCountry(), 0, kCountryCount - 1);
    for (int16_t club : {FixtureHome(slot), FixtureAway(slot)}) {
        if (!IsClubNumber(club)) continue;
        HVW_BuildSquadList(club);
        const int division = Clamp16(GetClubDivision(club), 0, kDivisionCount - 1);
        HVW_AutoFillShirtNumbers(club, DivisionMatchRules[country][division][kRuleSubstitutes], 0);
    }
    FillTeamNews(slot);
    MatchDay_FillOpponentFigures(slot);
}

void MatchDay_PrepareTeamNews120() {
    const int16_t userClub = HVW_GetMyClub();
    const int16_t slot = HVW_FindClubFixtureOnDay(userClub, Today(), 1);
    if (slot < 0) return;
    for (int16_t club : {FixtureHome(slot), FixtureAway(slot)}) {
        if (!IsClubNumber(club) || GetClubControl(club) == 0) continue;
        HVW_BuildSquadList(club);
        HVW_AutoFillIntShirtNumbers(club, kDefaultSubstitutes, 0);
    }
    FillTeamNews(slot);
}

void MatchDay_TeamNews() {
    ShowMenuBackground(4);
    SaveScreen();
    DrawGrid(364, 416, 384, 32);
    DrawTitleLine(44);
    DrawNames(13, 374, 426);
    if (IsClubNumber(TeamNewsBlock.home)) DrawEditedImage(TeamNewsBlock.home, 30, 141);
    if (IsClubNumber(TeamNewsBlock.away)) DrawEditedImage(TeamNewsBlock.away, 738, 141);
    MatchDay_DrawTeamSheet(0);
    const bool finished = HasDayFlag(kDayUserGroupDone) && HasDayFlag(kDayPanelFinished);
    ShowPanel(finished ? kWatchBar : HasDayFlag(kDayPanelFinished) ? kContinueBar : kLiveTeamNewsButtons);
}

void MatchDay_TeamNews120() {
    ShowMenuBackground(4);
    SaveScreen();
    DrawGrid(354, 426, 374, 52);
    DrawTitleLine(62);
    DrawNames(14, 364, 436);
    MatchDay_DrawTeamSheet(1);
    ShowPanel(kReserveBar);
}

void MatchDay_DrawTeamSheet(int16_t kind) {
    DrawStarters();
    SetFont(1008);
    DrawManagers();
    DrawForm(kind);
    DrawSubstitutes();
    DrawSeasonRecords(kind);
    SetFont(1008);
    DrawCentre();
}

void MatchDay_SortByShirt(int16_t (&first)[32], int16_t (&second)[32]) {
    for (int16_t* list : {first, second}) {
        for (int pass = 0; pass < 32; ++pass) {
            for (int i = 0; i < 31; ++i) {
                if (list[i] < 0 || list[i + 1] < 0) continue;
                if (HVW_GetPlayerShirt(uint16_t(list[i])) > HVW_GetPlayerShirt(uint16_t(list[i + 1])))
                    std::swap(list[i], list[i + 1]);
            }
        }
    }
}

void MatchDay_SetButtons(const HotRegion* table) {
    Hotspot_InitDefault(&MatchDayHotspots[0]);
    Hotspot_AddList(MatchDayHotspots, table, 0, 0);
    SizeTextRegions(MatchDayHotspots, Hotspot_Count(MatchDayHotspots));
}

void MatchDay_DrawButtons(const HotRegion*) {
    const uint16_t kept = DrawColour;
    for (int i = 0; i < kHotRegionLimit && MatchDayHotspots[i].kind != HOT_END; ++i) {
        const HotRegion& region = MatchDayHotspots[i];
        if (region.kind >= 500) {
            SetDrawParam(4, 2);
            SetDrawParam(2, kPanelButtonFace);
            DoButton(region.x, region.y, region.w, region.h);
            SetDrawParam(2, kept);
        }
        Hotspot_Draw(region);
    }
}
