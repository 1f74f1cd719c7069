#include "game/screens/club/clubinfo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/scouting.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/teamroles.h"
#include "core/club/transfers.h"
#include "core/match/periodrunner.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/messagetemplates.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/training.h"
#include "core/season/competitions.h"
#include "core/season/messagetypes.h"
#include "core/season/newgame.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/divisionclubs.h"

int16_t ClubInfoPrevious = kScreenClubMain;
uint16_t TakeJobShirtPlayer = 0;

namespace {

constexpr int kCaptions = 10;
// Caption 7, the rank by worth, has a text of its own: text 1101 is the
// condition screen's coaching course label.
constexpr int16_t kCaptionTexts[kCaptions] = {1091, 1346, 257, 1099, 260, 1100, 1102, 1901, 256, 448};
constexpr int kValueSize = 64;
constexpr int16_t kRefusedText = 1118;
constexpr int16_t kAcceptedText = 1119;
constexpr int16_t kLodgedText = 1120;

int16_t g_clubTextId = -1;
int16_t g_supportText = -1;
int16_t g_generosityText = -1;
char g_captions[kCaptions][kValueSize];
char g_values[kCaptions][kValueSize];
const char* g_captionText[kCaptions];
const char* g_valueText[kCaptions];
int16_t g_reputationRank = 0;
int16_t g_worthRank = 0;

// The country's listed clubs by reputation, and {club, worth} by worth.
struct ClubWorth {
    int16_t club;
    int32_t worth;
};
int16_t g_byReputation[kClubCount];
ClubWorth g_byWorth[kClubCount];
int g_listed = 0;

// Highest first.  The exchange sort keeps its quirks for equal values: an
// entry only moves past a strictly smaller one.
template <typename T, typename Value>
void ExchangeSort(T* list, int count, Value value) {
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j + 1 < count; ++j) {
            if (value(list[j]) < value(list[i])) std::swap(list[i], list[j]);
        }
    }
}

void BuildRankLists(int16_t shown) {
    const int16_t nation = HVW_GetClubNation(shown);
    g_listed = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (HVW_GetClubReputation(club) == 0 || HVW_GetClubNation(club) != nation) continue;
        if (GetClubDivision(club) >= 6) continue;
        g_byReputation[g_listed] = club;
        g_byWorth[g_listed] = {club, HVW_GetClubWorth(club)};
        ++g_listed;
    }
    ExchangeSort(g_byReputation, g_listed, [](int16_t club) { return int(HVW_GetClubReputation(club)); });
    ExchangeSort(g_byWorth, g_listed, [](const ClubWorth& entry) { return entry.worth; });
    g_reputationRank = g_worthRank = 0;
    for (int i = 0; i < g_listed; ++i) {
        if (g_byReputation[i] == shown) g_reputationRank = int16_t(i + 1);
        if (g_byWorth[i].club == shown) g_worthRank = int16_t(i + 1);
    }
}

int32_t SquadValue(int16_t club) {
    HVW_BuildSquadList(club);
    int64_t sum = 0;
    for (uint16_t player : FirstTeamList.players) {
        if (player == 0 || player >= PlayerCount) continue;
        sum += HVW_ValuePlayer(player);
    }
    return int32_t(std::clamp<int64_t>(sum, 0, INT32_MAX));
}

void SetNumberValue(int caption, int32_t value, int32_t numberType) {
    const int32_t saved = CurrentNumberType;
    SetDrawParam(3, numberType);
    std::snprintf(g_values[caption], kValueSize, "%s", Number2Str(value));
    SetDrawParam(3, saved);
}

void SetRankValue(int caption, int16_t rank) {
    if (rank <= 0) {
        std::snprintf(g_values[caption], kValueSize, "-");
    } else {
        SetNumberValue(caption, rank, NUMBER_ORDINAL);
    }
}

void BuildValues(int16_t club) {
    const uint16_t manager = HVW_GetClubManager(club);
    std::snprintf(g_values[0], kValueSize, "%s",
                  IsValidPlayer(manager) ? HVW_GetPlayerShortName(manager) : "");
    const int32_t capacity = int32_t(GetClubStandCapacity0(club)) + GetClubStandCapacity1(club) +
                             GetClubStandCapacity2(club) + GetClubStandCapacity3(club);
    std::snprintf(g_values[1], kValueSize, "%s", HVW_FormatThousands(capacity * 1000));
    const int32_t attendance = HVW_GetClubAvgAttendance(club);
    std::snprintf(g_values[2], kValueSize, "%s", attendance == 0 ? "----" : HVW_FormatThousands(attendance));
    SetNumberValue(3, SquadValue(club), NUMBER_MONEY);
    SetNumberValue(4, HVW_GetClubWageBudget(club), NUMBER_MONEY);
    SetRankValue(5, g_reputationRank);
    SetRankValue(6, g_worthRank);
    std::snprintf(g_values[7], kValueSize, "%s",
                  GetText(HVW_GetStandingClassText(HVW_GetClubStandingClass(club))));
    SetNumberValue(8, HVW_GetClubTablePosition(club) + 1, NUMBER_ORDINAL);
    const char* division = HVW_GetDivisionRoundEntry(int16_t(GetClubDivision(club)), HVW_GetClubNation(club));
    std::snprintf(g_values[9], kValueSize, "%s", division != nullptr ? division : "");
    g_supportText = HVW_GetClubSupportText(int16_t(GetClubSupport(club)));
    g_generosityText = HVW_GetClubGenerosityText(int16_t(GetClubGenerosity(club)));
}

void DrawPanel(int x, int y, int w, int h) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 30);
    DrawBox(x, y, w, h);
    SetDrawParam(2, colour);
}

const MenuItem kJobButtons[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 40, 517, 718, 30, MenuValue(29), ClubInfoSquad},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(790), ClubInfoTakeJob},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(83), ClubInfoBack},
    kMenuEnd,
};
const MenuItem kNoButtons[] = {kMenuEnd};
const MenuItem* g_buttons = kNoButtons;

#define CAPTION_LINE(n, cx, vx, y)                                 \
    {MI_FONT, 0, 0, 0, 0, MenuValue(11), nullptr},                 \
        {MI_STRING_VAR, cx, y, 11, 0, &g_captionText[n], nullptr}, \
        {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr}, {            \
        18, vx, y, 9, 0, &g_valueText[n], nullptr                  \
    }

void ShowBox(int16_t textId) { ShowMessageBox(GetText(textId), 0); }

// The club the list picks were handed over for; -1 none.
int16_t g_pickedClub = -1;
// The club whose acceptance of the user's application is on offer; -1 none.
int16_t g_acceptedClub = -1;

bool AcceptanceHolds(int16_t club) {
    return club >= 0 && g_acceptedClub == club && HVW_GetJobApplicationClub() == club &&
           HVW_GetJobApplicationAccepted() > 0;
}

}  // namespace

// Kept, the application would open the club's job again when its answer
// day comes round next season.
void GiveUpAcceptedJob() {
    if (g_acceptedClub >= 0 && HVW_GetJobApplicationClub() == g_acceptedClub) ClearJobApplication();
    g_acceptedClub = -1;
}

void HandClubPicksOver(int16_t club) {
    // A pick from a list starts a road of its own.
    GiveUpAcceptedJob();
    g_pickedClub = club;
}

bool ClubPicksHoldFor(int16_t club) {
    if (ClubPickedFlag == 2) return JobOfferPending != 0 && int16_t(JobOfferClubShown) == club;
    if (ClubPickedFlag == kClubPickAccepted) return AcceptanceHolds(club);
    return g_pickedClub == club;
}

void DropClubPicks() {
    ClubPickedFlag = 0;
    ClubInfoPickedFlag = 0;
    g_pickedClub = -1;
    GiveUpAcceptedJob();
}

void ShowAcceptedJob(int16_t club) {
    // Told again on its day (the day's messages run after every deal and
    // contract screen), the acceptance is the one on offer: given up here as
    // another road's, it would be gone before the screen that offers it.
    if (g_acceptedClub != club) GiveUpAcceptedJob();
    g_pickedClub = club;
    ClubPickedFlag = kClubPickAccepted;
    ClubInfoPickedFlag = 0;
    g_acceptedClub = club;
}

void ClubInfo_Forget() {
    ClubPickedFlag = 0;
    ClubInfoPickedFlag = 0;
    ClubListPickedFlag = 0;
    g_pickedClub = -1;
    g_acceptedClub = -1;
    TakeJobShirtPlayer = 0;
}

int16_t ClubInfoReputationRank() { return g_reputationRank; }
int16_t ClubInfoWorthRank() { return g_worthRank; }
const char* ClubInfoValueText(int caption) {
    return caption >= 1 && caption <= kCaptions ? g_values[caption - 1] : "";
}
const char* ClubInfoCaptionText(int caption) {
    return caption >= 1 && caption <= kCaptions ? g_captions[caption - 1] : "";
}
bool ClubInfoShowsJobButtons() { return g_buttons == kJobButtons; }

void ClubInfoScreenProc() {
    if (IsMenuFirstEntry() == 1) ClubInfoBuild();
}

void ClubInfoBuild() {
    const int16_t club = int16_t(SelectedClub);
    // The title bar shows this club (its badge, and the club its squad list
    // opens), not the one the screen before showed.
    SetMenuTitleDate(11);
    g_clubTextId = HVW_ClubTextId(club);
    ClubInfoPrevious = kScreenClubMain;
    // Picks made for another club, or an offer that no longer waits, were
    // left on a road the user has since left (the title bar, another
    // screen's back icon): they offer no job here.
    if (!ClubPicksHoldFor(club)) DropClubPicks();
    const bool jobOnOffer =
        ClubInfoPickedFlag != 0 || ClubPickedFlag == 2 || ClubPickedFlag == kClubPickAccepted;
    g_buttons = jobOnOffer ? kJobButtons : kNoButtons;
    for (int i = 0; i < kCaptions; ++i) {
        std::snprintf(g_captions[i], kValueSize, "%s:", GetText(kCaptionTexts[i]));
        g_captionText[i] = g_captions[i];
        g_valueText[i] = g_values[i];
        g_values[i][0] = '\0';
    }
    if (club < 0 || club >= kClubCount) return;
    BuildRankLists(club);
    BuildValues(club);
}

int32_t ClubInfoBack(MenuHotItem*) {
    if (ClubListPickedFlag == 0) {
        DropClubPicks();
        // An offer turned down names no player for a later job change.
        JobOfferPending = 0;
        TakeJobShirtPlayer = 0;
        MenuOption = ClubInfoPrevious;
    } else {
        MenuOption = kScreenDivisionClubs;
    }
    return MENU_CLOSE;
}

int32_t ClubInfoSquad(MenuHotItem*) {
    ClubInfoPrevious = kScreenClubInfo;
    PreviousMenuOption = kScreenClubInfo;
    MenuOption = kScreenSquadList;
    return MENU_CLOSE;
}

int32_t ClubInfoTakeJob(MenuHotItem*) {
    const int16_t user = GetUserClub();
    const int16_t shown = int16_t(SelectedClub);
    ClubInfoPickedFlag = 0;
    if (ClubPickedFlag == 1) {
        const bool sacked = HVW_GetHumanSackedFlag() != 0;
        const int16_t answer = HVW_ApplyForManagerJob(shown, sacked ? 0 : 20);
        if (answer == 0 || (answer != 1 && sacked)) {
            ShowBox(kRefusedText);
            MenuOption = kScreenVacancies;
            return MENU_CLOSE;
        }
        if (answer != 1) {
            ShowBox(kLodgedText);
            JobApplicationRecord.day = uint16_t(HVW_GetCurrentDay() + 7 + GameRandom() % 7);
            MenuOption = kScreenVacancies;
            return MENU_CLOSE;
        }
        ShowBox(kAcceptedText);
        JobOfferPending = 0;
    }
    // The club has already accepted the user's application: the job is his
    // at once, as a job given on applying.
    if (ClubPickedFlag == kClubPickAccepted) JobOfferPending = 0;
    if (ClubPickedFlag == 2 && user >= 0 && BoardScorePerformance(user) > 6 && BoardFormScore(user) > 35 &&
        GameRandom() % 2 == 1) {
        TextMsg_SetArg(TEXTMSG_CLUB, &user);
        TextMsg_SetArg(TEXTMSG_CLUB, &shown);
        ShowMessageBoxIfUserInvolved(TextMsg_ExpandBody(kMsgBoardKeepsUser, 6), 0, 0, user, shown);
        return MENU_REDRAW;
    }
    const uint16_t picked = ClubPickedFlag;
    // The club is chosen: the division list's choice is over; the player
    // profiles offer their buttons again and the club screens' back icon
    // no longer leads to the division list.
    ClubChoiceMode = 0;
    ClubChoiceFlag = 0;
    ClubListPickedFlag = 0;
    TakeManagerJob();
    if (picked == 1 || picked == 2 || picked == kClubPickAccepted) {
        ProcessHalvornDayMessages();
        ClubPickedFlag = 0;
    }
    JobOfferPending = 0;
    return MENU_CLOSE;
}

namespace {

// The captain's list from the first five outfield players of the squad;
// the other role lists wait for the user's own choices.  Each found player
// takes the next of the five places: placed at his squad index (up to 31)
// an entry would be written past its five-entry list, and filled with the
// squad's second player every place would hold the same man.
void ResetRoleListsFromSquad(int16_t club) {
    HVW_BuildSquadList(club);
    std::memset(ClubRoleLists, 0, sizeof ClubRoleLists);
    int found = 0;
    for (uint16_t player : FirstTeamList.players) {
        if (found == kRoleChoices) break;
        if (!IsValidPlayer(player) || GetPlayerShirt(player) == 1) continue;
        ClubRoleLists[kRoleCaptain][found++] = player;
    }
    for (int role = 0; role < kTeamRoles; ++role) MatchRoleHolders[role] = ClubRoleLists[role][0];
}

}  // namespace

void TakeManagerJob() {
    const int16_t club = int16_t(SelectedClub);
    EnableCursorNest(1);
    MenuOption = kScreenSurname;
    for (int16_t other = 0; other < kClubCount; ++other) {
        if (GetClubControl(other) == 1) SetClubControl(other, 0);
    }
    const uint16_t replaced = HVW_GetClubManager(club);
    SetClubControl(club, 1);
    InstallHumanManagers(1, replaced);
    ComputerTransferActivity(0, 0);
    InitCustomTactics();
    NewGameByte = 1;
    DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplaySeasonRunning);

    bool clearShirt = true;
    switch (ClubPickedFlag) {
        case 1:
            MenuOption = kScreenClubMain;
            ClubPickedFlag = 0;
            clearShirt = false;
            break;
        case 2:
            ClubPickedFlag = 0;
            MenuOption = kScreenClubMain;
            ClearJobApplication();
            break;
        case kClubPickAccepted:
            // The accepted application is spent before the day's messages
            // run again, or they would offer this job once more.
            MenuOption = kScreenClubMain;
            ClubPickedFlag = 0;
            GiveUpAcceptedJob();
            clearShirt = false;
            break;
        default: {
            const int32_t target = int32_t(GetClubRep(club)) * 75 / 100;
            int32_t reputation = GetPlayerReputation(1);
            if (reputation < target) reputation = target;
            if (reputation < 8) reputation = 8;
            SetPlayerReputation(1, int16_t(reputation));
            ResetRoleListsFromSquad(club);
            break;
        }
    }
    if (clearShirt) {
        // Only a real player: the word is 0 when no job offer named one.
        if (IsValidPlayer(TakeJobShirtPlayer)) HVW_SetPlayerShirt(TakeJobShirtPlayer, 0);
        TakeJobShirtPlayer = 0;
        JobOfferPending = 0;
    }
    std::memset(DiaryNotes, 0, sizeof DiaryNotes);
    Training_ClearLeftPlayers();
    HVW_EnsureTrainingRecords();
    Scout_ClearAll();
    Scout_ResetAll();
    EnableCursorNest(0);
}

void Scout_ResetAll() {
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        SetPlayerFlag119(player, 0);
        SetPlayerScoutMark(player, 0);
        SetPlayerScoutRecommended(player, 0);
    }
    ScoutingWordPair[0] = ScoutingWordPair[1] = 0;
    ScoutingWord = 0;
}

const MenuItem ClubInfoTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubInfoScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &g_clubTextId, nullptr},
    {MI_CUSTOM, 20, 127, 758, 200, MenuFunction(DrawPanel), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 147, 10, 0, MenuValue(1090), nullptr},
    CAPTION_LINE(0, 120, 130, 172),
    {MI_TEXT_VAR, 80, 197, 9, 0, &g_supportText, nullptr},
    {MI_TEXT_VAR, 80, 222, 9, 0, &g_generosityText, nullptr},
    CAPTION_LINE(7, 120, 130, 272),
    {MI_CUSTOM, 20, 357, 758, 150, MenuFunction(DrawPanel), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 377, 10, 0, MenuValue(1528), nullptr},
    CAPTION_LINE(1, 210, 220, 402),
    CAPTION_LINE(2, 210, 220, 427),
    CAPTION_LINE(5, 210, 220, 452),
    CAPTION_LINE(8, 210, 220, 477),
    CAPTION_LINE(3, 590, 600, 402),
    CAPTION_LINE(4, 590, 600, 427),
    CAPTION_LINE(6, 590, 600, 452),
    CAPTION_LINE(9, 590, 600, 477),
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ClubInfoBack},
    kMenuEnd,
};
