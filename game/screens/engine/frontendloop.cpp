#include "game/screens/engine/frontendloop.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/club/board.h"
#include "core/club/shortlist.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/wholematch.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/blockfiles.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/messagetemplates.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/news.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/videochoice.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/positionscreen.h"
#include "game/screens/club/staffmember.h"
#include "game/screens/country/clubsbynation.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/hotspot.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/league/clubfixtures.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchchart.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/filteredlist.h"
#include "game/screens/squad/searchfilter.h"
#include "game/screens/start/nameeditor.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/screens/transfers/playerdeal.h"
#include "game/screens/transfers/playersearch.h"
#include "game/screens/transfers/scouting.h"
#include "game/screens/transfers/shortlistscreen.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"

namespace {

constexpr int16_t kBackIcon = 153;
constexpr int16_t kNewGameText = 749;
constexpr int16_t kTodaysFixturesTitle = 887;
constexpr int16_t kTooLateText = 1034;
constexpr int16_t kQuitQuestionText = 769;
constexpr int16_t kLastMatchText = 3163;
// A button that the default handler answers itself (quit, help).
constexpr int16_t kOwnAction = -1;

// The day messages' own words of the running game, forgotten with it.
void ForgetDayMessages();

}  // namespace

int16_t OptionsScreenFirstEntry = 0;
int32_t MatchDayScreensToggle = 0;
uint8_t SquadScreenFlag = 0;
int16_t MenuOption = kScreenNewGame;

void ResetFrontEndValues() {
    OptionsScreenFirstEntry = 0;
    MatchDayScreensToggle = 0;
    SquadScreenFlag = 0;
    SeasonEndNoticeOff = 0;
}

// The menu engine lives from here to the end of the game; a window close
// ends the front end and the engine is torn down in order.
void GameMain() {
    // Closed before the front end was up: nothing to show.
    Poll();
    if (WinCloseRequested()) return;
    RestartMenus();
    EnterFrontEnd();
    ReleaseMenuBuffers();
}

// A club's colours are its first kit's: the shirt's body colour, then its
// second zone, or the shorts when the shirt is one colour.
int16_t GetClubColour1(int16_t club) { return int16_t(ClubKit(club, 0).words[1]); }
int16_t GetClubColour2(int16_t club) {
    const KitDesignRow kit = ClubKit(club, 0);
    return int16_t(kit.words[2] != kit.words[1] ? kit.words[2] : kit.words[6]);
}

int32_t RestartMenus() {
    MenuEngineStart();
    InitSetOfMenus();
    InitIconLists();
    StopTextInput(0);
    return 0;
}

int32_t ReleaseMenuBuffers() {
    UninitSetOfMenus();
    MenuEngineStop();
    return 0;
}

namespace {
bool g_menusGivenUpForMatch = false;
}  // namespace

void ReleaseMenusForMatch() {
    if (g_menusGivenUpForMatch || !MenuEngineReady() || MenuDisplayIsOpen() == 0) return;
    ReleaseMenuBuffers();
    g_menusGivenUpForMatch = true;
}

void RestartMenusAfterMatch() {
    if (!g_menusGivenUpForMatch) return;
    g_menusGivenUpForMatch = false;
    RestartMenus();
}

// ---- Front-end services ----------------------------------------------------------------

const MenuOptionPair MenuOption_TextNumber[kMenuOptionPairs + 1] = {
    {89, kScreenSaveGame},
    {0, kOwnAction},
    {1114, kScreenClubsByNation},
    {700, kScreenClubMain},
    {158, kScreenSquadList},
    {423, kScreenShortlist},
    {1314, kScreenTeamSelect},
    {600, kScreenUserCoachingList},
    {1497, kScreenClubFixtures},
    {1213, kScreenClubRecords},
    {791, kScreenVacancies},
    {1015, kScreenNoneChosen},
    {700, kScreenClubMain},
    {252, kScreenPlayerSearch},
    {136, kScreenLeagueTable},
    {1476, kScreenLeagueGoals},
    {791, kScreenVacancies},
    {795, kScreenTransferList},
    {705, kScreenHonoursRoll},
    {888, kScreenDivisionEleven},
    {741, kOwnAction},
    {762, kOwnAction},
    {90, kScreenSquadListSecond},
    {1817, kScreenEuroQualify},
    {1833, kScreenClubRankings},
    {1834, kScreenManagerRankings},
    {1469, kScreenGameRecords},
    {157, kScreenFixturesByDay},
    {253, kScreenFinance},
    {1681, kScreenClubWorthRankings},
    {1682, kScreenLeaguePerformance},
    {99, kScreenSquadListSpare},
    {461, kScreenTraining},
    {79, kScreenStaffList},
    {1449, kScreenCoachingList},
    {1216, kScreenMatchMarks},
    {497, kScreenFilteredSquadList},
    {70, kScreenTeamSelect},
    {701, kScreenFriendlies},
    {1083, kScreenAttendance},
    {1089, kScreenInjuryList},
    {1112, kScreenSaveTeam},
    {1113, kScreenBoardView},
    {414, kScreenInbox},
    {1109, kScreenScouting},
    {1165, kScreenLeagueAssists},
    {1166, kScreenLeagueManOfMatch},
    {2029, kScreenNewsPages},
    {1207, kScreenIncomeForecast},
    {1299, kScreenAttributeTable},
    {1210, kScreenTopScorers},
    {1811, kScreenClubHistory},
    {1313, kScreenClubTransfers},
    {1478, kScreenSeasonTransfers},
    {kLastMatchText, kScreenLastMatch},
    {0, 0},
};

int16_t ScreenHistory[kHistorySize] = {-1, -1, -1, -1, -1, -1};
int16_t ScreenHistoryCount = 0;
char TitleString1[40] = "";
char TitleString2[40] = "";
int16_t TitleClub = -1;
int16_t TitleMode = 0;
int16_t InMatchMenuFlag = 0;
int16_t ViewedDivision = 0;

namespace {

const char* g_title1 = TitleString1;
const char* g_title2 = TitleString2;

#define NAV(text)                                                                                         \
    {                                                                                                     \
        POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), MenuOption_DefaultHandler, \
            nullptr                                                                                       \
    }
#define NAV_TITLE(text) \
    { POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(text), nullptr, nullptr }
#define NAV_END \
    { POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }

PopupEntry g_gameList[] = {NAV_TITLE(440), NAV(89), NAV(0), NAV(1112), NAV_END};
PopupEntry g_clubList[] = {NAV_TITLE(745), NAV(700),  NAV(158),  NAV(90),   NAV(99),   NAV(1314),
                           NAV(70),        NAV(497),  NAV(461),  NAV(252),  NAV(1109), NAV(1497),
                           NAV(1213),      NAV(253),  NAV(414),  NAV(423),  NAV(701),  NAV(1113),
                           NAV(1114),      NAV(1216), NAV(1207), NAV(1299), NAV(79),   NAV(1210),
                           NAV(1811),      NAV(1449), NAV(600),  NAV(1313), NAV(1089), NAV_END};
// The league list's last entry, the chart of the user's last match, can be
// chosen only while a match is kept.
void OfferLastMatch(PopupCallBlock*);
PopupEntry g_leagueList[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(746), nullptr, OfferLastMatch},
    NAV(700),
    NAV(791),
    NAV(795),
    NAV(157),
    NAV(2029),
    NAV(kLastMatchText),
    NAV_END};
void OfferLastMatch(PopupCallBlock*) {
    for (PopupEntry& entry : g_leagueList) {
        if (entry.kind != POPUP_TEXT_ID || entry.text != MenuValue(kLastMatchText)) continue;
        entry.flags = LastMatch_Exists() ? uint16_t(entry.flags | POPUP_SELECTABLE)
                                         : uint16_t(entry.flags & ~POPUP_SELECTABLE);
    }
}
PopupEntry g_statsList[] = {NAV_TITLE(539), NAV(136),  NAV(1476), NAV(1165), NAV(1682), NAV(1166),
                            NAV(1833),      NAV(1834), NAV(1681), NAV(1083), NAV(705),  NAV(1469),
                            NAV(1478),      NAV(888),  NAV(1817), NAV_END};

#undef NAV
#undef NAV_TITLE
#undef NAV_END

// The country pop-up, rebuilt at every walk: the eight countries.
constexpr int kCountries = 8;
const char* g_countryNames[kCountries] = {};
int32_t ChooseCountry(PopupCallBlock* call);
PopupEntry g_countryList[kCountries + 2] = {};

void BuildCountryList(int, int, int, int) {
    g_countryList[0] = {POPUP_TITLE, 1, -1, -1, -1, -1, nullptr, MenuValue(3), nullptr, nullptr};
    for (int i = 0; i < kCountries; ++i) {
        g_countryNames[i] = SkipNationCode(GetText(int16_t(TEXT_ID_NATION_TEXT + i)));
        g_countryList[i + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                                &g_countryNames[i],    ChooseCountry,    nullptr};
    }
    g_countryList[kCountries + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

int32_t ChooseCountry(PopupCallBlock* call) {
    const int16_t country = int16_t(call->row);
    HVW_SetViewedCountry(country);
    // The user's own country opens on his division.
    const uint16_t club = GetPlayerClub(1);
    const bool own = club < 1200 && HVW_GetClubNation(int16_t(club)) == country;
    ViewedDivision = own ? HVW_FindClubInDivisionRows(int16_t(club)) : int16_t(0);
    return MENU_CLOSE;
}

constexpr int16_t kCaptionTexts[] = {440, 745, 746, 539, 2426};
constexpr int16_t kCaptionBands[] = {171, 322, 473, 624, 775};

// The caption of the band the item's x falls in.
void DrawCaption(int x, int y, int w, int h) {
    int band = 0;
    while (band < 4 && x >= kCaptionBands[band]) ++band;
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0x5AD4);
    DoButton(x, y, w, h);
    SetDrawParam(2, kept);
    DrawTextNoAt(x + w / 2, y + h / 2, kCaptionTexts[band], JUSTIFY_CENTRE_MIDDLE);
}

// The captions take the font the title mode word names.
const MenuItem kTitleLayoutA[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_FONT_VAR, 0, 0, 0, 0, &TitleMode, nullptr},
    {MI_CUSTOM, 20, 2, 151, 30, MenuFunction(DrawCaption), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_gameList, nullptr},
    {MI_CUSTOM, 171, 2, 151, 30, MenuFunction(DrawCaption), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_clubList, nullptr},
    {MI_CUSTOM, 322, 2, 151, 30, MenuFunction(DrawCaption), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_leagueList, nullptr},
    {MI_CUSTOM, 473, 2, 151, 30, MenuFunction(DrawCaption), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_statsList, nullptr},
    {MI_CUSTOM, 624, 2, 151, 30, MenuFunction(DrawCaption), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_countryList, nullptr},
    kMenuEnd,
};
const MenuItem kTitleLayoutB[] = {
    kMenuEnd,
};
const MenuItem* g_titleLayout = kTitleLayoutA;

}  // namespace

// ---- Standard custom-draw items ------------------------------------------------------

namespace {

// The painters draw in black and leave the draw colour as they found it.
template <typename Paint>
void InBlack(Paint paint) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    paint();
    SetDrawParam(2, kept);
}

constexpr int kBadgeX = 20;
constexpr int kBadgeY = 44;
constexpr int kBadgeWidth = 256;
constexpr int kBadgeHeight = 37;
constexpr int kBadgeFarRed = 0;
constexpr int kBadgeFarGreen = 27;
constexpr int kBadgeFarBlue = 75;

}  // namespace

void DrawBlackShade80Box(int x, int y, int w, int h) {
    InBlack([&] {
        DrawShadedRect(x, y, w, h, 80);
        DrawBox(x, y, w, h);
    });
}

void DrawBlackShade50(int x, int y, int w, int h) {
    InBlack([&] { DrawShadedRect(x, y, w, h, 50); });
}

void DrawBlackBox(int x, int y, int w, int h) {
    InBlack([&] { DrawBox(x, y, w, h); });
}

void DrawRowShade(int x, int y, int w, int h) {
    const int percent = (MenuPaintRow() & 1) != 0 ? 25 : 50;
    InBlack([&] { DrawShadedRect(x, y, w, h, percent); });
}

void DrawBlackShade30Box(int x, int y, int w, int h) {
    InBlack([&] {
        DrawShadedRect(x, y, w, h, 30);
        DrawBox(x, y, w, h);
    });
}

void DrawTitleButton(int x, int y, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0xCE59);
    DoButton(x, y, 543, 16);
    SetDrawParam(2, kept);
}

// The title club's colours fading into the bar's blue, and its own badge.
void DrawTitleBadge(int, int, int, int) {
    if (TitleClub < 0 || TitleClub >= 1200) return;
    const KitColour& first = GetKitColour(GetClubColour1(TitleClub));
    const KitColour& second = GetKitColour(GetClubColour2(TitleClub));
    DrawGradientRect(kBadgeX, kBadgeY, kBadgeWidth, kBadgeHeight, second.red, second.green, second.blue,
                     kBadgeFarRed, kBadgeFarGreen, kBadgeFarBlue, first.red, first.green, first.blue,
                     kBadgeFarRed, kBadgeFarGreen, kBadgeFarBlue);
    DrawEditedImage(TitleClub, kBadgeX + 4, kBadgeY + 3);
}

namespace {
const MenuTimerRecord kTickerBandTimer = {8, 1, TickerBandFrame};
}  // namespace

const MenuItem TitleBarTable[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 774, 61, 15, 0, &g_title1, nullptr},
    {MI_STRING_VAR, 774, 62, 7, 0, &g_title2, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_CUSTOM, 0, 0, 1, 1, MenuFunction(BuildCountryList), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_titleLayout, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawTitleBadge), nullptr},
    // The news ticker in the bottom strip, a frame every 8 ticks: 2 pixels
    // each, 125 pixels a second.
    {MI_ANIMATION, 28, 543, 744, 16, &kTickerBandTimer, nullptr},
    kMenuEnd,
};

int32_t MenuHandler_Redraw(MenuHotItem*) { return MENU_REDRAW; }
int32_t MenuHandler_Accept(MenuHotItem*) { return MENU_CONTINUE; }
int32_t MenuHandler_Close(MenuHotItem*) { return MENU_CLOSE; }

int32_t MenuOption_DefaultHandler(PopupCallBlock* call) {
    const PopupEntry* entry = call->entry;
    int16_t textId = -1;
    if (entry->kind == POPUP_TEXT_ID) textId = int16_t(reinterpret_cast<intptr_t>(entry->text));
    if (entry->kind == POPUP_TEXT_ID_VARIABLE) textId = *static_cast<const int16_t*>(entry->text);
    SquadListSecond = 0;
    FrontEndViewWord = 0;
    // A navigation button opens its screen in the screen's own view: the
    // shortlist buttons show the user's shortlist, not a scout list left
    // behind on the way out of a scouted player's profile.
    ScoutViewFlag = 0;
    if (textId == 70) SquadListSecond = 1;
    if (TitleMode == 2) return MENU_REDRAW;
    const MenuOptionPair* pair = MenuOption_TextNumber;
    while (!(pair->textId == 0 && pair->option == 0) && pair->textId != uint16_t(textId)) ++pair;
    if (pair->textId == 0 && pair->option == 0 && textId != 0) {
        std::printf(
            "menus\\menucont : Well done - You seem to have picked a menu item thats not listed in "
            "MenuOption_TextNumber[][] - Have you updated it?\n");
        return MENU_KEEP_POPUP;
    }
    if (entry->flags == 0) return MENU_KEEP_POPUP;
    if (pair->option != kOwnAction) {
        // A job's screens are left for good: a vacancy or division pick
        // leads to its job no more, and an accepted application is spent.
        DropClubPicks();
        // So is the road the user was on.
        ForgetTheRoad();
        MenuOption = pair->option;
        return MENU_CLOSE;
    }
    if (textId == 0) {
        if (ShowChoiceBox(GetText(kQuitQuestionText), 0, YesNoButtons) == 1) return MENU_REDRAW;
        MenuOption = kScreenQuit;
        return MENU_CLOSE;
    }
    if (textId == kTextHelp || textId == kTextHelpIndex) return HelpPanel_Button(textId);
    return MENU_KEEP_POPUP;
}

void UpdateScreenHistory(int16_t id, int16_t mode, int16_t limit) {
    if (limit < 2) limit = 3;
    if (mode == 1) id = MenuOption;
    if (id == 3 || mode == 0) {
        ScreenHistoryCount = 0;
    } else {
        int kept = 0;
        for (int i = 0; i < ScreenHistoryCount; ++i) {
            if (ScreenHistory[i] != id) ScreenHistory[kept++] = ScreenHistory[i];
        }
        ScreenHistoryCount = int16_t(kept);
        if (mode == 2) {
            if (ScreenHistoryCount + 1 > limit || ScreenHistoryCount + 1 >= kHistorySize) {
                for (int i = 1; i < ScreenHistoryCount; ++i) ScreenHistory[i - 1] = ScreenHistory[i];
                --ScreenHistoryCount;
            }
            ScreenHistory[ScreenHistoryCount++] = id;
        } else if (mode == 1 && ScreenHistoryCount > 0) {
            MenuOption = ScreenHistory[ScreenHistoryCount - 1];
        }
    }
    for (int i = ScreenHistoryCount; i < kHistorySize; ++i) ScreenHistory[i] = -1;
    if (ScreenHistoryCount == 0 && mode != 0) MenuOption = kScreenClubMain;
}

void SetMenuTitleDate(int16_t flags) {
    TitleString1[0] = TitleString2[0] = '\0';
    if ((flags & 2) != 0) {
        std::snprintf(TitleString1, sizeof TitleString1, "%s %d",
                      GetText(int16_t(2 + HVW_GetCalendarWeekday())), HVW_GetCalendarDay());
        std::snprintf(TitleString2, sizeof TitleString2, "%s %d",
                      GetText(int16_t(9 + HVW_GetCalendarMonth())), HVW_GetCalendarYear());
    }
    if ((flags & 8) != 0) {
        if (InMatchMenuFlag == 1) {
            BuildResultsTicker();
        } else {
            BuildNewsTicker();
        }
    } else {
        NewsTickerText[0] = '\0';
    }
    TitleClub = (flags & 1) != 0 ? int16_t(SelectedClub) : int16_t(-1);
    if ((flags & 4) != 0) {
        TitleMode = 2;
        g_titleLayout = kTitleLayoutB;
    } else {
        TitleMode = 0;
        g_titleLayout = kTitleLayoutA;
    }
}

// ---- Front-end words -------------------------------------------------------------

int16_t PreviousMenuOption = kScreenStart;
int16_t ReturnMenuOption = kScreenClubMain;
int16_t SelectedPlayer = 0;
int16_t MenuFollowUp = 0;
int32_t SaveLoadMode = 0;
int16_t SquadListSecond = 0;
int16_t SquadListSpare = 0;
int16_t FrontEndViewWord = 0;

namespace {

// ---- The plain screen of an id with no screen of its own ----------------------------

char g_caption[48] = "";
const char* g_captionText = g_caption;
int16_t g_plainOption = 0;

void PlainScreen() {
    if (IsMenuFirstEntry() == 1) {
        g_plainOption = MenuOption;
        // The caption of the button that leads here.
        const MenuOptionPair* pair = MenuOption_TextNumber;
        while (pair->textId != 0 && pair->option != MenuOption) ++pair;
        if (pair->textId != 0) {
            std::snprintf(g_caption, sizeof g_caption, "%s", GetText(int16_t(pair->textId)));
        } else {
            std::snprintf(g_caption, sizeof g_caption, "%d", MenuOption);
        }
    }
    SetMenuTitleDate(2);
}

int32_t PlainScreenBack(MenuHotItem*) {
    UpdateScreenHistory(g_plainOption, 1, 3);
    return MENU_CLOSE;
}

}  // namespace

const MenuItem PlainScreenTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlainScreen), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 400, 300, 10, 0, &g_captionText, nullptr},
    {MI_ICON, 40, 560, 10, 0, MenuValue(kBackIcon), PlainScreenBack},
    kMenuEnd,
};

namespace {

// ---- The controller ------------------------------------------------------------------

// Ids that push a screen table and nothing more.
constexpr int16_t kPlainIds[] = {kScreenClubMain,
                                 kScreenDivisionClubs,
                                 kScreenClubInfo,
                                 kScreenClubFixtures,
                                 kScreenLeagueTable,
                                 kScreenFixturesByDay,
                                 kScreenPlayerSearch,
                                 kScreenFilteredSquadList,
                                 kScreenStart,
                                 kScreenTeamSelect,
                                 kScreenClubRecords,
                                 kScreenLeagueGoals,
                                 kScreenTransferList,
                                 kScreenClubTransfers,
                                 kScreenTopScorers,
                                 kScreenVacancies,
                                 kScreenSeasonTransfers,
                                 kScreenSharedRows,
                                 kScreenCareerHistory,
                                 kScreenDivisionEleven,
                                 kScreenWeeklyMoney,
                                 kScreenClubRankings,
                                 kScreenManagerRankings,
                                 kScreenShortlist,
                                 kScreenPlayerInfoHeader,
                                 kScreenFinance,
                                 kScreenClubWorthRankings,
                                 kScreenLeaguePerformance,
                                 kScreenMatchStats,
                                 kScreenPlayerCondition,
                                 kScreenMatchMarks,
                                 kScreenCoachingList,
                                 kScreenMonthHeader,
                                 kScreenSquadNumbers,
                                 kScreenAttributeTable,
                                 kScreenContractMenu,
                                 kScreenScouting,
                                 kScreenExchangeList,
                                 kScreenLeagueAssists,
                                 kScreenLeagueManOfMatch,
                                 kScreenNewsPages,
                                 kScreenClubHistory,
                                 kScreenIncomeForecast,
                                 kScreenResults,
                                 kScreenLoadSlotZero,
                                 kScreenInbox,
                                 kScreenAgentProfile,
                                 kScreenAttendance,
                                 kScreenBoardView,
                                 kScreenClubsByNation,
                                 kScreenPlayedCountries,
                                 kScreenHonoursRoll,
                                 kScreenGameRecords,
                                 kScreenEuroGroups,
                                 kScreenInjuryList,
                                 kScreenClubSummary,
                                 kScreenSoak};

// Ids that only lead on to another screen: the squad list of SelectedClub,
// the team selection, the club.
struct ScreenRedirect {
    int16_t id;
    int16_t to;
};
constexpr ScreenRedirect kRedirects[] = {{kScreenSelectedClubSquad, kScreenSquadList},
                                         {kScreenSquads, kScreenSquadList},
                                         {kScreenPickTeam, kScreenTeamSelect},
                                         {kScreenBackToClub, kScreenClubMain}};

// Ids of screens the game no longer has: setting one is a fault, reported
// with the screen's name.
struct RetiredScreen {
    int16_t id;
    const char* name;
};
constexpr RetiredScreen kRetiredScreens[] = {{kScreenSelectNation, "SELECT_NATION"},
                                             {kScreenTeamsheetRecords, "TEAMSHEET_RECORDS"},
                                             {kScreenClubLeagueRecord, "CLUB_LEAGUE_RECORD"},
                                             {kScreenSetSalePrice, "SET_SALE_PRICE"}};

bool IsPlainId(int16_t id) {
    return std::find(std::begin(kPlainIds), std::end(kPlainIds), id) != std::end(kPlainIds);
}

// The start pictures: 2000 rounds each at most; a left click ends the
// picture, and from the title picture on also the ones after it.
void ShowStartPictures() {
    constexpr int16_t kPictures[] = {30, 24, 31, 25, 26, 27, 28, 29};
    constexpr int kRounds = 2000;
    for (int16_t picture : kPictures) {
        ShowMenuBackground(picture);
        SaveScreen();
        UpdateScreen();
        bool clicked = false;
        for (int round = 0; round < kRounds && !clicked; ++round) {
            uint16_t buttons = 0;
            UpdateMouse(nullptr, nullptr, &buttons);
            DrawCursor();
            WaitTickAndPoll();
            RestoreUnderCursor();
            if (WinCloseRequested()) return;
            clicked = (buttons & 1) != 0;
        }
        if (clicked && picture != 30 && picture != 24) return;
        // The click that ended a logo must not end the next picture too.
        for (uint16_t buttons = 1; clicked && buttons != 0;) {
            UpdateMouse(nullptr, nullptr, &buttons);
            WaitTickAndPoll();
            if (WinCloseRequested()) return;
        }
    }
}

// The screens' own words, which no saved game holds: the recent screens,
// the list views and the search list's filter, the message arguments.
void ResetFrontEndViews() {
    UpdateScreenHistory(0, 0, 3);
    SearchFilter_Reset(&ListSearchFilter);
    SearchMenu_InitState();
    SetFilteredListDefaults();
    PositionScreen_Reset();
    ShortlistScreen_Reset();
    ClubsByNation_Reset();
    FrontEndViewWord = 0;
    TextMsg_ResetArgs();
    InMatchMenuFlag = 0;
}

void ResetFrontEnd() {
    SearchFilter_InitAll();
    SearchFilter_Reset(&PlayerSearchFilterRecord());
    // No player starts out marked, known or recommended by the scouts.
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        SetPlayerScoutMark(player, 0);
        SetPlayerFlag119(player, 0);
        SetPlayerScoutRecommended(player, 0);
    }
    SetNewMessageFlag(0);
    ResetFrontEndViews();
}

void FollowUpAfterPlayerScreen(bool playerInfo) {
    // The screen closed only to be opened again as itself (a country chosen
    // on its title bar): the user stays on it, and the link waits for the
    // way he leaves it.  Sent on to the offer, he would land there by no
    // way back of the deal's.
    if (MenuFollowUp == 1 && MenuOption == (playerInfo ? kScreenPlayerInfo : kScreenPlayerStats)) return;
    if (MenuFollowUp == 1) {
        // During a deal the exchange player's screens lead back to the offer
        // by their back icons and buttons, which name it, and go on to the
        // agent, the career history or, from the profile, the contract
        // details.  Any other choice (the title bar's lists, the profile's
        // actions) leaves the deal for the screen chosen: sent to the offer
        // instead, the user would land on the old offer by no way back of
        // the deal's.
        const bool goesOn = MenuOption == kScreenAgentProfile || MenuOption == kScreenCareerHistory ||
                            (!playerInfo && MenuOption == kScreenPlayerInfo);
        // The deal link is spent here, except on the way to the contract
        // details, whose own exit is followed up in turn.  The agent and the
        // career history offer the title bar's lists: a link left set behind
        // them would send some later, unrelated profile to the old offer.
        if (goesOn && MenuOption == kScreenPlayerInfo) return;
    } else if (MenuFollowUp == 2) {
        MenuOption = kScreenContractTalks;
        ContractTalksReason = 0;
    }
    MenuFollowUp = 0;
}

void NewGame() {
    SetFont(8);
    SetDrawParam(2, 0);
    DrawShadedRect(250, 505, 300, 50, 50);
    DrawTextNoAt(400, 525, kNewGameText, JUSTIFY_CENTRE_MIDDLE);
    UpdateScreen();
    EnableCursorNest(1);
    NewGameSetUp();
    // The goal replays belong to the game that was running.
    DeleteGoalReplayFiles();
    ForgetTheRunningGame();
    ClubsByNation_Reset();
    if (MenuOption != kScreenQuit) MenuOption = kScreenDivisionClubs;
    // Player 1 has no club until he takes a job: his squad lists wait.
    const int16_t club = int16_t(GetPlayerClub(MenuCurrentPlayer));
    if (club >= 0 && club < 1200) BuildClubSquadList(club);
    EnableCursorNest(0);
}

[[noreturn]] void InvalidCase(const char* name, int line) {
    FatalError("INVALID CASE:%s %s line:%d", name, "menus\\menucont", line);
}

void MessageThenHome(int16_t textId) {
    ShowMessageBox(GetText(textId), 0);
    MenuOption = kScreenClubMain;
}

void TrainingOrClubList(bool training) {
    const int16_t club = int16_t(GetPlayerClub(training ? 1 : MenuCurrentPlayer));
    const int16_t nation = club >= 0 && club < 1200 ? HVW_GetClubNation(club) : 0;
    if (HVW_GetCurrentDay() > HVW_GetCompNextRoundDay(nation) + 21) {
        MessageThenHome(kTooLateText);
        return;
    }
    SelectedClub = uint16_t(club);
    RunMenuSet(FrontEndScreenTable(MenuOption));
}

// After the surname: the computer clubs react to the new manager and his
// club's team is picked afresh, with empty custom tactics.
void SetUpTheUsersClub() {
    EnableCursorNest(1);
    ComputerTransferActivity(0, 0);
    const uint16_t club = GetPlayerClub(1);
    if (club < 1200) HVW_PickClubTeam(int16_t(club));
    InitCustomTactics();
    EnableCursorNest(0);
}

// The saved goals of the day, listed afresh from their folder (sorted), are
// replayed from the first with the menus released; each replay moves the
// index on past the goals of its run.  A file removed or damaged since the
// listing, or one the game did not write, is passed over with a log line.
void PlaySavedGoals() {
    RemoveAllFiles("SaveData\\GOALS\\");
    GoalReplayNumber = 0;
    while (GoalReplayNumber >= 0 && GoalReplayNumber < kGoalFileEntries &&
           GoalReplayFiles.names[GoalReplayNumber][0] != '\0' && WinCloseRequested() == 0) {
        char name[kGoalFileNameSize + 1] = {};
        std::memcpy(name, GoalReplayFiles.names[GoalReplayNumber], kGoalFileNameSize);
        const int16_t shown = GoalReplayNumber;
        if (Replay_LoadGoalInfo(name) < 0) {
            std::printf("PlaySavedGoals(): Warning: goal '%s' skipped\n", name);
            GoalReplayNumber = int16_t(shown + 1);
            continue;
        }
        GetMatchSetupBlock()->SetI16(gameinfo::kCompetition, -1);
        ReleaseMenuBuffers();
        DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplayOff);
        GetMatchSetupBlock();
        PlayMatch();
        RestartMenus();
        // A replay that did not move the index on would be shown for ever.
        if (GoalReplayNumber <= shown) GoalReplayNumber = int16_t(shown + 1);
    }
}

void ActOnMenuOption() {
    const int16_t id = MenuOption;
    if (IsPlainId(id)) {
        if (id == kScreenClubMain) {
            MenuCurrentPlayer = 1;
            PopupSwitch = 1;  // a game is on
        }
        RunMenuSet(FrontEndScreenTable(id));
        // The results pages close by naming a results view and leave the
        // screen id as it was: outside the results loop that is the club.
        if (id == kScreenResults && MenuOption == kScreenResults) MenuOption = kScreenClubMain;
        return;
    }
    for (const ScreenRedirect& redirect : kRedirects) {
        if (redirect.id == id) {
            // Picking the team opens the first team's sheet: a second-list
            // word left by an earlier visit to the reserves' sheet would
            // open theirs.
            if (id == kScreenPickTeam) SquadListSecond = 0;
            MenuOption = redirect.to;
            return;
        }
    }
    for (const RetiredScreen& retired : kRetiredScreens) {
        if (retired.id == id) InvalidCase(retired.name, __LINE__);
    }
    switch (id) {
        case kScreenNewGame:
            NewGame();
            return;
        case kScreenPlayerStats:
            RunMenuSet(FrontEndScreenTable(id));
            FollowUpAfterPlayerScreen(false);
            return;
        case kScreenPlayerInfo:
            RunMenuSet(FrontEndScreenTable(id));
            FollowUpAfterPlayerScreen(true);
            return;
        case kScreenSquadList:
        case kScreenSquadListSpare:
        case kScreenSquadListSecond:
            SquadListSecond = id == kScreenSquadListSecond ? 1 : 0;
            SquadListSpare = id == kScreenSquadListSpare ? 1 : 0;
            RunMenuSet(FrontEndScreenTable(id));
            return;
        case kScreenDealSheet:
            RunMenuSet(FrontEndScreenTable(id));
            if (MenuFollowUp != 1) ProcessHalvornDayMessages();
            return;
        case kScreenEuroQualify:
            RunMenuSet(EuroQualifyTable);
            return;
        case kScreenSuspensions:
            MessageThenHome(kTextOptionUnavailable);
            return;
        case kScreenContractTalks:
        case kScreenLoanTerms:
            RunMenuSet(FrontEndScreenTable(id));
            ProcessHalvornDayMessages();
            return;
        case kScreenSurname:
            RunMenuSet(FrontEndScreenTable(id));
            SetUpTheUsersClub();
            return;
        case kScreenFriendlies:
            TrainingOrClubList(false);
            return;
        case kScreenTraining:
            TrainingOrClubList(true);
            return;
        case kScreenUserCoachingList:
        case kScreenStaffList:
            SelectedClub = uint16_t(GetPlayerClub(1));
            RunMenuSet(FrontEndScreenTable(id));
            return;
        case kScreenStaffMember:
            StaffMember_Run();
            return;
        case kScreenContinueGame:
            // What the day brought comes before the next day is played: a
            // sale, deal, contract or job answer left behind on the way here
            // (by the title bar, or replaced by a new season's squad numbers)
            // would otherwise go with the day unseen.
            if (ShowWaitingDayMessages()) return;
            TextMsg_ResetArgs();
            ShowDueDiaryNotes();
            if (ContinueMode == 2) {
                MatchDayFlags &= uint16_t(~kDayResultsListed);
                RunHistoryBrowser(kTodaysFixturesTitle, 1);
                // Left by a title-bar choice (the confirmed quit included)
                // rather than by its own leave icon: the chosen screen is
                // next and the day waits.
                if (HistoryLeaveFlag == 0 && MenuOption != kScreenContinueGame && !WinCloseRequested())
                    return;
            }
            MatchDay_ContinueDays();
            return;
        case kScreenLoadGame:
        case kScreenSaveGame:
            SaveLoadMode = id == kScreenLoadGame ? 1 : 0;  // 1 loads
            RunMenuSet(FrontEndScreenTable(id));
            return;
        case kScreenLoadAutoSave: {
            EnableCursorNest(1);
            if (LoadSavedGame(kPrefixedSaveSlot) < 0) ShowMessageBox(GetText(kTextLoadFailed), 0);
            MenuOption = kScreenClubMain;
            EnableCursorNest(0);
            return;
        }
        case kScreenLastMatch:
            // The chart of the user's last match, while one is kept.
            if (LastMatch_Exists()) {
                RunMenuSet(MatchChartTable);
            } else {
                MenuOption = kScreenClubMain;
            }
            return;
        case kScreenPlayMatch:
            ReleaseMenuBuffers();
            GetMatchSetupBlock();
            PlayMatch();
            MenuOption = kScreenStart;
            RestartMenus();
            return;
        case kScreenDayMessages:
            ProcessHalvornDayMessages();
            return;
        case kScreenDivisionNames:
        case kScreenCupNames:
        case kScreenClubNames:
        case kScreenNameClubList:
            RunMenuSet(NameEditorTable(id));
            return;
        case kScreenVideoOptions:
            VideoOpt_Menu();
            MenuOption = kScreenStart;
            return;
        case kScreenSaveTeam:
            SaveTeam();
            MenuOption = kScreenClubMain;
            return;
        case kScreenGoalReplays:
            PlaySavedGoals();
            MenuOption = kScreenClubMain;
            ProcessHalvornDayMessages();
            GoalReplayNumber = -1;
            return;
        default:
            FatalError("Error: DoMainMenu(): Invalid MenuOption = %d\n", id);
    }
}

}  // namespace

int32_t RunMenuSet(const MenuItem* table) {
    const int32_t pushed = PushItemTable(table);
    if (pushed == MENU_NOT_READY) return pushed;
    return StartMenu();
}

namespace {

// One round of the controller, and what the screen left behind it for the
// screens it did not go on to.
void RunMenuOptionRound() {
    ActOnMenuOption();
    DealSheet_FrontEndGoesTo(MenuOption);
}

}  // namespace

void DoMainMenuOption() { RunMenuOptionRound(); }

void ForgetTheRunningGame() {
    LastMatch_Forget();
    PlayerDeal_Forget();
    // A job offer or a vacancy picked in the game before, never answered,
    // would have the new or loaded game's club taken as that offer's.
    ClubInfo_Forget();
    // The words no saved game holds start as a game started from the start
    // screen has them, so that one save loads as one game from wherever it
    // is loaded.  The players approached today are the running game's: kept,
    // a loaded tip would refuse its bid as already made.
    HVW_ClearRecentList();
    ResetFrontEndViews();
    ForgetDayMessages();
    // An offer left open (its exchange players, a resumed deal, the day's
    // sale it answered) belongs to the game that was running.
    DealSheet_LeaveTheDeal();
    SalesTeamClub = -1;
    MenuFollowUp = 0;
}

int LoadSavedGame(int16_t slot) {
    const int result = LoadGame(slot);
    if (result >= 0) ForgetTheRunningGame();
    return result;
}

void ForgetTheRoad() {
    UpdateScreenHistory(0, 0, 3);
    PreviousMenuOption = kScreenClubMain;
}

bool MenuOptionHasScreen(int16_t id) { return IsPlainId(id) && FrontEndScreenTable(id) != PlainScreenTable; }

void DoMainMenu() {
    ShowStartPictures();
    ResetFrontEnd();
    while (MenuOption != kScreenQuit && !WinCloseRequested()) RunMenuOptionRound();
}

void EnterFrontEnd() {
    MenuCurrentPlayer = 1;
    MenuOption = kScreenStart;
    PreviousMenuOption = kScreenStart;
    DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplaySeasonRunning);
    ShortList_Clear();
    HVW_ClearRecentList();
    HVW_ClearHumanContracts();
    HVW_ClearHumanSales();
    DoMainMenu();
}

// ---- The human manager's day messages ------------------------------------------------

int16_t ClubPickedFlag = 0;
int16_t ClubInfoPickedFlag = 0;
int16_t ClubListPickedFlag = 0;
int16_t SquadOfferFlag = 0;
int32_t SquadOfferAmount = 0;
int16_t SalesTeamClub = -1;
int32_t SeasonEndNoticeOff = 0;

namespace {

constexpr int16_t kSeasonEndDay = 364;
constexpr int16_t kSeasonEndText = 1160;
constexpr int16_t kSackedText = 1116;
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;

bool IsClub(int32_t club) { return club >= 0 && club < 1200; }

void AnswerDayMessages();

// Set while the day loop runs the messages with nobody at the keys: what
// would open a screen for the user is left as it stands for later.
bool g_unattended = false;
// The club's job offer last put in front of the user, and its day: shown
// once a day, it need not stop the next Continue again.
int16_t g_offerShownClub = -1;
int16_t g_offerShownDay = -1;
// The sacking of a day nobody was at the screens (its flag lasts only until
// the next day's board reviews): told on the user's next day there, while
// he is still without a club.
uint16_t g_sackedWhileAway = 0;

int16_t UserClub() {
    const uint16_t club = GetPlayerClub(1);
    return IsClub(club) ? int16_t(club) : int16_t(-1);
}

void PostMessage(int16_t type, int16_t clubA, int16_t clubB, uint32_t player, int16_t text1,
                 int32_t number1) {
    AddMessage(clubA, clubB, player, kNoPlayer, -1, -1, -1, text1, -1, number1, -1, type, 1, 0);
}

// The day the user's job application is answered: a refusal is posted (and
// the application ends, so it is not posted again), an acceptance opens
// the club's job screen.  True when the day was that day.
bool AnswerJobApplication() {
    if (HVW_GetJobApplicationClub() < 0 || HVW_GetJobApplicationDay() != HVW_GetCurrentDay()) return false;
    const int16_t club = HVW_GetJobApplicationClub();
    PreviousMenuOption = kScreenClubMain;
    if (HVW_GetJobApplicationAccepted() <= 0) {
        PostMessage(kMsgJobRefused, UserClub(), club, kNoPlayer, -1, -1);
        HVW_ClearJobApplication();
        return true;
    }
    if (g_unattended) {
        // Nobody is there to take the job: the acceptance waits for the
        // user's next day at the screens (answered only on its day, it was
        // lost once the soak's day had passed).  Not into the next season:
        // the season's last days end it.
        JobApplicationRecord.day = uint16_t(HVW_GetCurrentDay() + 1);
        return true;
    }
    MenuOption = kScreenClubInfo;
    SelectedClub = uint16_t(club);
    // The club's information offers the job it has accepted him for.
    ShowAcceptedJob(club);
    const int16_t userClub = UserClub();
    TextMsg_SetArg(TEXTMSG_CLUB, &userClub);
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    ShowMessageBoxIfUserInvolved(TextMsg_ExpandBody(kMsgJobAccepted, 6), 0, 0, club, -1);
    return true;
}

// The first deal that waits for the user's answer.  True when there was one.
bool AnswerPendingDeal() {
    int index = 0;
    while (index < kPendingDeals && !(PendingDealPlayer(index) != 0 && PendingDealReady(index) == 1)) ++index;
    if (index == kPendingDeals) return false;
    const uint8_t* deal = PendingDealTable[index].bytes;
    const uint16_t player = PendingDealPlayer(index);
    const int16_t firstClub = recbits::LoadI16(deal + 2);
    const int16_t secondClub = recbits::LoadI16(deal + 4);
    const int32_t fee = recbits::LoadI32(deal + 6);
    // The user answers on the deal sheet when the buyer is no human's club
    // or the fee is acceptable.
    const auto feeAcceptable = [&] {
        // The value times up to 95 passes 32 bits for the dearest players.
        const int64_t generosity = IsClub(secondClub) ? GetClubGenerosity(secondClub) : 0;
        const int64_t acceptable = int64_t(HVW_ValuePlayerFull(player)) * (45 + generosity / 2) / 100;
        return HVW_RoundMoneyDown(int32_t(std::min<int64_t>(acceptable, INT32_MAX))) >= fee;
    };
    const bool toDealSheet = !IsClub(firstClub) || GetClubControl(firstClub) == 0 || feeAcceptable();
    if (toDealSheet && g_unattended) return true;
    SelectedPlayer = int16_t(player);
    SquadOfferFlag = 1;
    // The offer's buying club is the sales club of this answer (a word the
    // last offer, loan or sale set would name another deal's club).
    SalesTeamClub = secondClub;
    if (toDealSheet) {
        // Nothing of an offer left in this same round comes into this one.
        DealSheet_StartAfresh();
        // The deal's number is for the sheet that opens on it: a number
        // left behind by an offer turned down here would make the next
        // offer resume whichever deal later takes that record.
        DealSheetPendingNumber = int16_t(index + 1);
        MenuOption = kScreenDealSheet;
        return true;
    }
    const int16_t interest = HVW_RatePlayerClubInterest(player, secondClub, firstClub);
    if (interest == 3) PostMessage(kMsgPlayerNotKeen, firstClub, secondClub, player, -1, -1);
    if (interest == 4) {
        PostMessage(kMsgPlayerRefuses, firstClub, secondClub, player, -1, -1);
        if (IsClub(SalesTeamClub)) ChangePlayerMorale(player, int16_t(-2 * GetClubRep(SalesTeamClub)));
    }
    const int32_t age = GetPlayerAge(player) + 16;
    const int16_t group = int16_t(kTextFirstPositionType + HVW_GetPositionType(player));
    PostMessage(kMsgOfferTurnedDown, firstClub, secondClub, player, group, age);
    TextMsg_SetArg(TEXTMSG_CLUB, &firstClub);
    TextMsg_SetArg(TEXTMSG_CLUB, &secondClub);
    TextMsg_SetArg(TEXTMSG_PLAYER, &player);
    const int16_t shownAge = int16_t(age);
    TextMsg_SetArg(TEXTMSG_NUMBER, &shownAge);
    TextMsg_SetArg(TEXTMSG_LIST_TEXT, &group);
    ShowMessageBoxIfUserInvolved(TextMsg_ExpandBody(kMsgOfferTurnedDown, 6), 0, 2, firstClub, secondClub);
    std::memset(PendingDealTable[index].bytes, 0, sizeof PendingDealTable[index].bytes);
    return true;
}

// A contract the user has to settle: to the contract talks, or settled here.
void SettleHumanContract() {
    if (HVW_HasHumanContracts() == 0 || g_unattended) return;
    MenuCurrentPlayer = 1;
    const int16_t club = UserClub();
    SelectedClub = uint16_t(club);
    const uint16_t player = HVW_GetHumanContracts();
    SelectedPlayer = int16_t(player);
    if (InitTransferFilter(player) == 0) {
        MenuOption = kScreenContractTalks;
        ContractTalksReason = 0;
        // The profile the talks end on was opened by no list: its back icon
        // goes home, not to the list of an earlier road.
        ReturnMenuOption = kScreenClubMain;
        return;
    }
    if (IsClub(club)) ClearClubBidsOnPlayer(club, player);
    ClearClubBidList(player);
    HVW_RemoveHumanContract(player);
}

// A club wants one of the user's players: the loan terms, or the offer on
// the squad screen with the club's fee ready.
void AnswerHumanSale() {
    if (HVW_HasHumanSales() == 0 || MenuOption != kScreenClubMain || g_unattended) return;
    MenuCurrentPlayer = 1;
    const int16_t club = UserClub();
    SelectedClub = uint16_t(club);
    const uint16_t player = HVW_FindHumanSales();
    SelectedPlayer = int16_t(player);
    SalesTeamClub = HVW_FindHumanSalesTeam();
    if (HVW_GetPlayerLoanList(player) != 0) {
        MenuOption = kScreenLoanTerms;
        ReturnMenuOption = kScreenClubMain;
        return;
    }
    // An offer left by the title bar in this same round (these messages
    // run after it) has not been seen leaving yet: this one starts afresh.
    DealSheet_StartAfresh();
    SquadOfferFlag = 1;
    MenuOption = kScreenDealSheet;
    SquadOfferAmount = HVW_NegotiateWage(player, HVW_ValuePlayerFull(player), 0, SalesTeamClub, 0, 0, 0);
    HVW_RemoveHumanSale(player);
}

}  // namespace

void ProcessHalvornDayMessages() {
    if (MenuOption == kScreenQuit) return;
    const int16_t today = HVW_GetCurrentDay();
    if (today == kSeasonEndDay) {
        if (SeasonEndNoticeOff == 0) ShowMessageBox(GetText(kSeasonEndText), 0);
        SelectedClub = uint16_t(UserClub());
        MenuOption = kScreenClubMain;
        return;
    }
    if (g_sackedWhileAway != 0 && UserClub() >= 0) g_sackedWhileAway = 0;
    const uint16_t sacked =
        HVW_GetHumanSackedFlag() > 0 ? uint16_t(HVW_GetHumanSackedFlag()) : g_sackedWhileAway;
    if (sacked > 0) {
        if (g_unattended) {
            g_sackedWhileAway = sacked;
            return;
        }
        g_sackedWhileAway = 0;
        ShowMessageBox(GetText(kSackedText), 0);
        MenuCurrentPlayer = sacked;
        MenuOption = kScreenVacancies;
        return;
    }
    AnswerDayMessages();
}

namespace {

bool JobOfferWaits() { return JobOfferPending != 0 && IsClub(JobOfferClubShown); }

bool PendingDealWaits() {
    for (int index = 0; index < kPendingDeals; ++index)
        if (PendingDealPlayer(index) != 0 && PendingDealReady(index) == 1) return true;
    return false;
}

// What the day brought that the user has not been shown: a job offer not
// yet put in front of him today, the answer to his application due today,
// a deal, a contract or a sale waiting for his answer.
bool DayMessagesWait() {
    // Nobody is at the keys in a soak.  (The season's last day tells its end
    // when it comes; what else it brought comes before the new season.)
    if (SoakMode != 0) return false;
    const int16_t today = HVW_GetCurrentDay();
    if (JobOfferWaits() && !(g_offerShownClub == int16_t(JobOfferClubShown) && g_offerShownDay == today))
        return true;
    if (HVW_GetJobApplicationClub() >= 0 && HVW_GetJobApplicationDay() == today) return true;
    return PendingDealWaits() || HVW_HasHumanContracts() != 0 || HVW_HasHumanSales() != 0;
}

// The day's answers after its notices: a club's job offer, the answer to
// the user's application, a deal, a contract to settle, a bid for a player.
void AnswerDayMessages() {
    if (JobOfferWaits()) {
        if (g_unattended) return;
        MenuCurrentPlayer = 1;
        SelectedClub = JobOfferClubShown;
        MenuOption = kScreenClubInfo;
        PreviousMenuOption = kScreenClubMain;
        ClubPickedFlag = 2;
        // The waiting offer's word names the manager it was made to: taking
        // the job clears his shirt.
        TakeJobShirtPlayer = JobOfferPending;
        g_offerShownClub = int16_t(JobOfferClubShown);
        g_offerShownDay = HVW_GetCurrentDay();
        return;
    }
    if (MenuOption != kScreenPlayerStats && MenuOption != kScreenPlayerInfo) MenuOption = kScreenClubMain;
    if (AnswerJobApplication()) return;
    if (AnswerPendingDeal()) return;
    SettleHumanContract();
    AnswerHumanSale();
}

}  // namespace

bool ShowWaitingDayMessages() {
    // Each round answers one thing or opens its screen; the bound only
    // guards against a rule that does neither.
    constexpr int kMostRounds = 32;
    for (int round = 0; round < kMostRounds && DayMessagesWait(); ++round) {
        MenuOption = kScreenClubMain;
        AnswerDayMessages();
        if (MenuOption != kScreenClubMain) return true;
    }
    MenuOption = kScreenContinueGame;
    return false;
}

namespace {
void ForgetDayMessages() {
    g_offerShownClub = -1;
    g_offerShownDay = -1;
    g_sackedWhileAway = 0;
}
}  // namespace

void ProcessHalvornDayMessagesUnattended() {
    g_unattended = true;
    ProcessHalvornDayMessages();
    g_unattended = false;
    if (MenuOption != kScreenQuit) MenuOption = kScreenClubMain;
}
