#include "game/match3d/matchmenus.h"

#include <cstdio>

#include "core/base/debug.h"
#include "core/match/matchsetup.h"
#include "core/match/teamsetup.h"
#include "core/query/people.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/playerstatsmenu.h"
#include "game/match3d/shootoutscreen.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/squad/playerprofile.h"
#include "game/system/mainwindow.h"

uint16_t InGameMenuId = kIgLeaveMenus;
int16_t InGameMenuArg;
int16_t InGameMenuArgGiven;
int16_t InGameMenuActive;
uint16_t IgViewSide;
int16_t IgSideMenuText[2] = {261, 261};
int16_t IgSideClub[2] = {-1, -1};

void ResetMatchDisplayValues() { MatchKeys_ResetSwitches(); }

namespace {

constexpr int16_t kHumanSideText = 1557;
constexpr int16_t kComputerSideText = 261;
constexpr int16_t kNoScreenTexts[2] = {1836, 1566};
constexpr int16_t kBackIcon = 153;
constexpr int kBarY = 559, kBarHeight = 28, kButtonWidth = 226;

int16_t SecondTeamHuman() { return MatchTeamHuman(&GameInfo, 1) ? 1 : 0; }

void Request(uint16_t menu, int16_t argGiven) {
    InGameMenuId = menu;
    InGameMenuArgGiven = argGiven;
    InGameMenusLoop();
}

void RunScreen(const MenuItem* table) {
    PushItemTable(table);
    StartMenu();
}

// Both sides' tactic records reach their players, changed or not.
void ApplyBothTactics() {
    for (int team = 0; team < 2; ++team) {
        MatchTeam_TakeWorkingCopy(team);
        MatchTeam_ApplyTactics(team);
        MatchTeam_ApplySetup(team);
    }
}

void Dispatch(uint16_t id) {
    switch (id) {
        case kIgTeamMenu:
            RunScreen(IgTeamTable);
            ApplyBothTactics();
            break;
        case kIgPlayerStatsMenu:
            RunScreen(IgPlayerStatsTable);
            break;
        case kIgLineupsMenu:
            RunScreen(IgLineupsTable);
            break;
        case kIgTeamStatsMenu:
            RunScreen(IgTeamStatsTable);
            break;
        case kIgShootoutMenu:
            RunScreen(IgShootoutTable);
            break;
        case kIgVideoMenu:
            VideoOpt_Menu();
            InGameMenuId = kIgLeaveMenus;
            break;
        case kIgProfileMenu:
            RunScreen(PlayerStatsTable);
            break;
        default:
            FatalError("ERROR: InGameMenusLoop, Default Case hit '%d'\n", int(int16_t(id)));
    }
}

// ---- The button bar ---------------------------------------------------------------------------

char g_sideNames[2][64];
const char* g_sideNamePtrs[2] = {g_sideNames[0], g_sideNames[1]};

int32_t ChooseScreen(uint16_t menu, uint16_t side) {
    InGameMenuId = menu;
    IgViewSide = side;
    return MENU_CLOSE;
}
int32_t FirstTeamScreen(PopupCallBlock*) { return ChooseScreen(kIgTeamMenu, 0); }
int32_t FirstPlayerStats(PopupCallBlock*) { return ChooseScreen(kIgPlayerStatsMenu, 0); }
int32_t SecondTeamScreen(PopupCallBlock*) { return ChooseScreen(kIgTeamMenu, 1); }
int32_t SecondPlayerStats(PopupCallBlock*) { return ChooseScreen(kIgPlayerStatsMenu, 1); }
int32_t NoScreen(PopupCallBlock*) {
    ShowMessageBox(GetText(kTextOptionUnavailable), 0);
    return MENU_CONTINUE;
}
int32_t Lineups(PopupCallBlock*) {
    InGameMenuId = kIgLineupsMenu;
    return MENU_CLOSE;
}

PopupEntry Title() {
    return PopupEntry{POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
}
PopupEntry TextRow(int16_t text, PopupFunction function) {
    return PopupEntry{POPUP_TEXT_ID, POPUP_SELECTABLE, 0,        0,      0, 0,
                      nullptr,       MenuValue(text),  function, nullptr};
}
PopupEntry VariableRow(const int16_t* text, PopupFunction function) {
    return PopupEntry{POPUP_TEXT_ID_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, text, function, nullptr};
}
constexpr PopupEntry kPopupEnd{POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};

PopupEntry g_leftPopup[] = {Title(), VariableRow(&IgSideMenuText[0], FirstTeamScreen),
                            TextRow(kTextRating, FirstPlayerStats), kPopupEnd};
PopupEntry g_middlePopup[] = {Title(), TextRow(kNoScreenTexts[0], NoScreen),
                              TextRow(kNoScreenTexts[1], NoScreen), TextRow(kTextTeamNews, Lineups),
                              kPopupEnd};
PopupEntry g_rightPopup[] = {Title(), VariableRow(&IgSideMenuText[1], SecondTeamScreen),
                             TextRow(kTextRating, SecondPlayerStats), kPopupEnd};

}  // namespace

const MenuItem IgButtonBarTable[] = {
    {MI_BUTTON_STRING_VAR, 60, kBarY, kButtonWidth, kBarHeight, &g_sideNamePtrs[0], MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_leftPopup, nullptr},
    {MI_BUTTON_TEXT, 286, kBarY, kButtonWidth, kBarHeight, MenuValue(kTextSeason), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_middlePopup, nullptr},
    {MI_BUTTON_STRING_VAR, 512, kBarY, kButtonWidth, kBarHeight, &g_sideNamePtrs[1], MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_rightPopup, nullptr},
    {MI_ICON, 743, kBarY, 5, 0, MenuValue(kBackIcon), IgButtonBar_Back},
    kMenuEnd,
};

// The side buttons name the two sides' clubs.
void IgButtonBar_Prepare() {
    for (int side = 0; side < 2; ++side) {
        std::snprintf(g_sideNames[side], sizeof g_sideNames[side], "%s", HVW_GetClubName(IgSideClub[side]));
    }
}

int32_t IgButtonBar_Back(MenuHotItem*) {
    if (!IgLeaveCheck()) return MENU_REDRAW;
    InGameMenuId = kIgLeaveMenus;
    return MENU_CLOSE;
}

void IGMenu_Request1() { Request(kIgTeamMenu, 0); }
void IGMenu_Request2() { Request(kIgPlayerStatsMenu, 0); }
void IGMenu_Request6(int16_t team) {
    InGameMenuArg = team;
    Request(kIgTeamStatsMenu, 1);
}
void IGMenu_Request6Auto() {
    InGameMenuArg = SecondTeamHuman();
    Request(kIgTeamStatsMenu, 0);
}
void IGMenu_Request8(int16_t team) {
    InGameMenuArg = team;
    Request(kIgShootoutMenu, 1);
}
void IGMenu_Request10() {
    InGameMenuArg = SecondTeamHuman();
    Request(kIgVideoMenu, 0);
}

void InGameMenusLoop() {
    Match3D_DisplayOff();
    RestartMenus();
    const bool firstHuman = MatchTeamHuman(&GameInfo, 0);
    IgSideMenuText[0] = firstHuman ? kHumanSideText : kComputerSideText;
    IgSideMenuText[1] = firstHuman ? kComputerSideText : kHumanSideText;
    InGameMenuActive = 1;
    // The in-match screens open the profile with an in-match menu id to go
    // back to; the front end's own return screen is kept for after the
    // match, where that id would name another screen (or none at all).
    const int16_t frontEndReturn = ReturnMenuOption;
    // The title bar's ticker shows the other scores of the day meanwhile.
    InMatchMenuFlag = 1;
    for (int side = 0; side < 2; ++side) IgSideClub[side] = GameInfo.TeamI16(side, gameinfo::kTeamClub);
    // A closed window ends the visit: the match then sees the close too.
    while (InGameMenuId != kIgLeaveMenus && WinCloseRequested() == 0) Dispatch(InGameMenuId);
    InGameMenuId = kIgLeaveMenus;
    InGameMenuActive = 0;
    ReturnMenuOption = frontEndReturn;
    InMatchMenuFlag = 0;
    ReleaseMenuBuffers();
    Match3D_DisplayOn();
}
