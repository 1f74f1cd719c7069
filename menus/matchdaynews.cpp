// The team news of the user's match: both line-ups prepared before his
// group of fixtures is processed, and the panel that shows them while the
// group runs.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "database/Access.h"
#include "database/query/funcs_fields.h"
#include "database/query/funcs_fixtures.h"
#include "database/query/funcs_forward.h"
#include "database/query/funcs_league.h"
#include "database/query/funcs_people.h"
#include "database/query/funcs_state.h"
#include "database/ranges.h"
#include "management/squads.h"
#include "menus/exmenu.h"
#include "menus/matchday.h"
#include "menus/menusetup.h"
#include "season/calendar.h"
#include "season/cuprounds.h"
#include "season/fixtures.h"
#include "season/leagues.h"
#include "season/matchsetup.h"

TeamNewsSheet TeamNewsBlock;

namespace {

constexpr int16_t kDefaultSubstitutes = 5;
constexpr int16_t kVersusText = 152;
constexpr uint32_t kFixtureFlagBit = 1u << 10;

// The panel's buttons: the continue bar, the bar that leads on to the
// match once the group is done, and the reserve team sheet's bar.
const HotRegion kContinueBar[] = {
    {HOT_BUTTON_TEXT_ID, 32, 559, 736, 28, 10, reinterpret_cast<const void*>(intptr_t(413)), 8, nullptr, 6},
    {},
};
const HotRegion kWatchBar[] = {
    {HOT_BUTTON_TEXT_ID, 60, 559, 678, 28, 10, reinterpret_cast<const void*>(intptr_t(1704)), 8, nullptr, 9},
    {},
};
const HotRegion kReserveBar[] = {
    {HOT_BUTTON_TEXT_ID, 60, 559, 678, 28, 10, reinterpret_cast<const void*>(intptr_t(75)), 8, nullptr, 6},
    {},
};

int16_t Today() { return SeasonCalendar.currentDay; }

int16_t Clamp16(int value, int low, int high) {
    return int16_t(value < low ? low : value > high ? high : value);
}

// Substitutes the competition allows, from the user's nation and division.
int16_t SubstitutesFor(int16_t competition, int16_t userClub) {
    if (competition == kCompReserveLeague) return kDefaultSubstitutes;
    const int nation = IsClubNumber(userClub) ? Clamp16(GetClubNation(userClub), 0, kCountryCount - 1) : 0;
    const int division =
        IsClubNumber(userClub) ? Clamp16(GetClubDivision(userClub), 0, kDivisionCount - 1) : 0;
    if (competition >= 0 && competition <= 3) return DivisionMatchRules[nation][division][kRuleSubstitutes];
    if (competition >= 5 && competition <= 116) {
        const int16_t cup = HVW_GetCupIndex(competition);
        if (cup < 0 || cup >= kCupCount) return kDefaultSubstitutes;
        const uint8_t subs =
            CupRoundRules.bytes[cup >= kFirstEuropeanCup ? 0 : nation][cup][0][kCupSubstitutes];
        return subs == 255 ? kDefaultSubstitutes : int16_t(subs);
    }
    return kDefaultSubstitutes;
}

// One side's line-up: a club other than the user's picks its team first;
// then the first player of the list in each shirt fills its place.
void FillLineUp(int side, int16_t club, int16_t competition, int16_t userClub) {
    uint16_t* lineUp = TeamNewsBlock.lineUp[side];
    std::fill(lineUp, lineUp + 16, uint16_t(0));
    if (!IsClubNumber(club)) return;
    const bool reserve = competition == kCompReserveLeague;
    const int16_t subs = std::min<int16_t>(TeamNewsBlock.substitutes, 5);
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    if (club != userClub) {
        if (reserve) {
            SelectReserveTeamByFormation(club, subs, 0, competition);
        } else {
            SelectClubTeamByFormation(club, subs, 0, competition);
        }
    }
    const SquadList& list = reserve ? ReserveList : FirstTeamList;
    for (int i = 0; i < kSquadListSize && i < list.count; ++i) {
        const uint16_t player = list.players[i];
        if (player == 0) continue;
        if (!reserve && GetPlayerClub(player) != uint16_t(club)) continue;
        const int16_t shirt = reserve ? HVW_GetPlayerIntShirt(player) : HVW_GetPlayerShirt(player);
        if (shirt >= 1 && shirt <= 11 + subs && lineUp[shirt - 1] == 0) lineUp[shirt - 1] = player;
    }
}

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
                      IsClubNumber(clubs[side]) ? HVW_GetClubName(clubs[side]) : "");
        for (int k = 0; k < 16; ++k) {
            const uint16_t player = TeamNewsBlock.lineUp[side][k];
            std::snprintf(TeamNewsBlock.shortNames[side][k], sizeof TeamNewsBlock.shortNames[side][k], "%s",
                          player != 0 ? HVW_GetPlayerShortName(player) : "");
        }
    }
}

void SetButtons(const HotRegion* table) {
    MatchDayHotspots[0] = HotRegion{};
    Hotspot_AddList(MatchDayHotspots, table, 0, 0);
    for (int i = 0; i < kHotRegionLimit && MatchDayHotspots[i].kind != HOT_END; ++i) {
        const uint16_t kept = DrawColour;
        if (MatchDayHotspots[i].kind >= 500) {
            SetDrawParam(4, 2);
            SetDrawParam(2, 0x5AD4);
            DoButton(MatchDayHotspots[i].x, MatchDayHotspots[i].y, MatchDayHotspots[i].w,
                     MatchDayHotspots[i].h);
            SetDrawParam(2, kept);
        }
        Hotspot_Draw(MatchDayHotspots[i]);
    }
}

void DrawNames(int font, int homeX, int awayX) {
    SetFont(int16_t(font));
    DrawTextAddrAt(homeX, 97, TeamNewsBlock.names[0], JUSTIFY_RIGHT_TOP);
    DrawTextNoAt(400, 97, kVersusText, JUSTIFY_CENTRE_TOP);
    DrawTextAddrAt(awayX, 97, TeamNewsBlock.names[1], JUSTIFY_LEFT_TOP);
}

void ShowPanel(const HotRegion* buttons) {
    if (SoakMode == 0 && buttons != nullptr) {
        SetButtons(buttons);
    } else {
        MatchDayHotspots[0] = HotRegion{};
    }
    RefreshCursor();
    int16_t x = 0, y = 0;
    uint16_t state = 0;
    UpdateMouse(&x, &y, &state);
}

}  // namespace

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
    DrawNames(13, 374, 426);
    const bool finished = (uint16_t(MatchDayFlags) & kDayUserGroupDone) != 0 &&
                          (uint16_t(MatchDayFlags) & kDayPanelFinished) != 0;
    ShowPanel(finished ? kWatchBar : kContinueBar);
}

void MatchDay_TeamNews120() {
    ShowMenuBackground(4);
    SaveScreen();
    DrawNames(14, 364, 436);
    ShowPanel(kReserveBar);
}
