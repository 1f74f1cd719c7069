#include "game/screens/squad/playerprofile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/club/coaching.h"
#include "core/club/shortlist.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/query/codetexts.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "game/match3d/matchmenus.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/league/divisionclubs.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"

namespace {

struct Answer {
    int32_t number = kAttributeNoNumber;
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
};

Answer Number(int32_t value) { return {value, kAttributeNoText, kAttributeNoMoney}; }
Answer Text(uint16_t text) { return {kAttributeNoNumber, text, kAttributeNoMoney}; }
Answer Money(int32_t value) { return {kAttributeNoNumber, kAttributeNoText, value}; }

// The attribute a row's label names: labels 41-56 the first sixteen
// attributes in order, and four labels of their own; -1 for any other label.
struct LabelAttribute {
    uint16_t label;
    int16_t stat;
};
constexpr uint16_t kFirstAttributeLabel = 41, kLastAttributeLabel = 56;
constexpr LabelAttribute kOtherAttributeLabels[] = {
    {398, kSpiritStat}, {57, kIntelligenceStat}, {58, kLeadershipStat}, {397, kConsistencyStat}};

int16_t StatOfLabel(uint16_t label) {
    if (label >= kFirstAttributeLabel && label <= kLastAttributeLabel)
        return int16_t(label - kFirstAttributeLabel);
    for (const LabelAttribute& entry : kOtherAttributeLabels) {
        if (entry.label == label) return entry.stat;
    }
    return -1;
}

Answer Lookup(uint16_t label, uint16_t player) {
    const int16_t stat = StatOfLabel(label);
    if (stat >= 0) return Number(HVW_GetPlayerStat(player, stat));
    switch (label) {
        case 399:
            return Number(HVW_GetPlayerField105Percent(player));
        case 400:
            return Number(HVW_GetPlayerField96Percent(player));
        case 1092:
            return Number(HVW_GetPlayerExperiencePercent(player));
        case 244:
            return Number(HVW_GetPlayerMoralePct(player));
        case 245:
            return Number(HVW_GetPlayerFitnessPct(player));
        case 246:
            return Number(HVW_GetPlayerFatiguePct(player));
        case 198:
            return Number(HVW_GetPlayerDispoints(player));
        case 61:
            return Number(HVW_GetPlayerAge(player));
        case 62:
            return Number(HVW_GetPlayerApps(player));
        case 63:
            return Number(HVW_GetPlayerContract(player));
        case 64:
            return Number(HVW_GetPlayerGoals(player));
        case 65:
            return Number(HVW_GetPlayerCareerApps(player));
        case 66:
            return Number(HVW_GetPlayerCareerGoals(player));
        case 67:
            return Number(HVW_GetPlayerPerf(player));
        case 240:
            return Money(HVW_GetPlayerWage(player));
        case 86: {
            if (player == 0) return {};
            const int32_t price = HVW_GetPlayerManPriceRaw(player);
            return Money(price != -1 ? price : HVW_ValuePlayer(player));
        }
        case 71:
            if (HVW_GetPlayerTxList(player) == 1) return Text(1809);
            return Text(HVW_GetPlayerLoanList(player) == 1 ? 875 : 74);
        case 255:
            return Number(-1);
        case kHiddenAttributeLabel:
            return Text(125);
        default:
            return {};
    }
}

}  // namespace

int32_t AttributeValueByLabel(uint16_t label, uint16_t* textCell, int32_t* moneyCell) {
    const Answer answer = Lookup(label, uint16_t(SelectedPlayer));
    if (textCell != nullptr) *textCell = answer.text;
    if (moneyCell != nullptr) *moneyCell = answer.money;
    return answer.number;
}

// ---- The player profile (screen 4) --------------------------------------------------------

ProfileAction ProfileActions[kProfileActionsMax];
int ProfileActionCount = 0;
int16_t ProfileShortlistWord = 423, ProfileTeamWord = 588, ProfileSpareWord = 602, ProfileLoanWord = 738,
        ProfileTransferWord = 755, ProfileEndLoanWord = 1243;
int16_t ProfileShownLabel[kProfileRows];
uint16_t ProfileLookupLabel[kProfileRows];
char ProfileValueText[kProfileRows][40];
int16_t ProfileValueColour[kProfileRows];
char ProfileSecondText[kProfileRows][24];
int16_t ProfileSecondColour[kProfileRows];
char ProfileStatusText[1000];
char ProfileFansText[300];
int16_t ProfileFansTextId = -1;
char ProfileGridText[6][6][24];
int16_t ProfileGridLabel[6];

namespace {

constexpr int16_t kRowLabels[kProfileRows] = {41,   42,  43,  44,  46,  45,  48,  47, 58,  397,
                                              50,   51,  56,  54,  49,  55,  57,  53, 398, 52,
                                              1092, 244, 400, 245, 399, 246, 240, 86, 71,  198};
// The six of rows 0-24 each knowledge class shows.
constexpr int kKnownRows[5][6] = {
    {0, 3, 9, 13, 16, 22}, {1, 4, 8, 15, 18, 20},  {2, 4, 7, 11, 15, 21},
    {0, 5, 7, 10, 13, 22}, {1, 6, 14, 17, 21, 22},
};
constexpr int kAlwaysShownFrom = 25;
constexpr int kImprovedRows = 20;
constexpr int16_t kPlainColourLabels[] = {1092, 400, 245, 399, 246, 244, 240, 86, 71, 198};
constexpr int16_t kFullListText = 1149;
constexpr int16_t kNoContractText = 1150;
constexpr int16_t kNotLoanListedText = 1139;
constexpr int kWeeksOfPayOff = 4;

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

int16_t UserClub() { return HVW_GetMyClub(); }

bool ClubNumber(int32_t club) { return club >= 0 && club < kClubCount; }

bool Goalkeeper(uint16_t p) { return p != 0 && GetPlayerPosition2(p) == 0; }

bool Deal(uint16_t p) { return GetPlayerFlag123(p) == 0 && HVW_GetPlayerIT(p) != 1; }

void Add(ProfileAction action) {
    if (ProfileActionCount < kProfileActionsMax) ProfileActions[ProfileActionCount++] = action;
}

// The entries by the player's situation.  The club field holds the club
// he plays for, the loan-club field his owner.
void ChooseActions(uint16_t p) {
    ProfileActionCount = 0;
    const int16_t user = UserClub();
    if (p == 0 || p == 1) {
        Add(ProfileAction::Close);
        return;
    }
    const uint16_t club = GetPlayerClub(p), owner = GetPlayerLoanClub(p);
    const bool onLoan = ClubNumber(club) && ClubNumber(owner) && club != owner;
    if (onLoan && user >= 0 && owner == uint16_t(user)) {
        ProfileEndLoanWord = 1243;
        Add(ProfileAction::Training);
        Add(ProfileAction::EndLoan);
        if (Deal(p)) Add(ProfileAction::Deal);
    } else if (onLoan) {
        // Another club's player: back to his owner from the user's club,
        // the shortlist when he is on loan at a third club.
        if (user >= 0 && club == uint16_t(user)) {
            ProfileEndLoanWord = 797;
            Add(ProfileAction::EndLoan);
        } else {
            Add(ProfileAction::Shortlist);
        }
    } else if (!ClubNumber(club)) {
        Add(ProfileAction::Offer);
        Add(ProfileAction::Shortlist);
    } else if (user >= 0 && club == uint16_t(user)) {
        if (HVW_GetPlayerFlag95(p) == 0) {
            for (ProfileAction a :
                 {ProfileAction::TeamList, ProfileAction::Separator, ProfileAction::LoanList,
                  ProfileAction::TransferList, ProfileAction::Separator, ProfileAction::Training,
                  ProfileAction::Approach, ProfileAction::Release})
                Add(a);
        } else {
            for (ProfileAction a :
                 {ProfileAction::TeamList, ProfileAction::SpareList, ProfileAction::Separator,
                  ProfileAction::Approach, ProfileAction::Release})
                Add(a);
        }
        if (Deal(p)) Add(ProfileAction::Deal);
    } else {
        Add(ProfileAction::Offer);
        Add(ProfileAction::LoanApproach);
        Add(ProfileAction::Shortlist);
    }
}

PopupEntry g_actionPopup[kProfileActionsMax + 2];

int32_t ActionChosen(PopupCallBlock* call) {
    const int row = call != nullptr ? int(call->row) : -1;
    if (row < 0 || row >= ProfileActionCount) return MENU_REDRAW_ALSO;
    return PlayerProfile_Act(ProfileActions[row]);
}

PopupEntry WordEntry(int16_t* word) {
    return {POPUP_TEXT_ID_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, word, ActionChosen, nullptr};
}
PopupEntry TextEntry(int16_t text) {
    return {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), ActionChosen, nullptr};
}

PopupEntry EntryOf(ProfileAction action) {
    switch (action) {
        case ProfileAction::Separator:
            return {POPUP_SEPARATOR, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
        case ProfileAction::Offer:
            return TextEntry(759);
        case ProfileAction::LoanApproach:
            return TextEntry(1828);
        case ProfileAction::Shortlist:
            return WordEntry(&ProfileShortlistWord);
        case ProfileAction::TeamList:
            return WordEntry(&ProfileTeamWord);
        case ProfileAction::SpareList:
            return WordEntry(&ProfileSpareWord);
        case ProfileAction::LoanList:
            return WordEntry(&ProfileLoanWord);
        case ProfileAction::TransferList:
            return WordEntry(&ProfileTransferWord);
        case ProfileAction::Training:
            return TextEntry(1219);
        case ProfileAction::Deal:
            return TextEntry(1630);
        case ProfileAction::Approach:
            return TextEntry(1829);
        case ProfileAction::Release:
            return TextEntry(251);
        case ProfileAction::EndLoan:
            return WordEntry(&ProfileEndLoanWord);
        case ProfileAction::Close:
            return TextEntry(1808);
    }
    return TextEntry(1808);
}

void BuildActionPopup(uint16_t p) {
    ChooseActions(p);
    g_actionPopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(181), nullptr, nullptr};
    for (int i = 0; i < ProfileActionCount; ++i) g_actionPopup[i + 1] = EntryOf(ProfileActions[i]);
    g_actionPopup[ProfileActionCount + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

// ---- List moves ---------------------------------------------------------------------------

bool InList(const SquadList& list, uint16_t p) {
    return std::find(std::begin(list.players), std::end(list.players), p) != std::end(list.players);
}

// Whether the list operation will take the player: it appends below 31
// entries, else replaces a listed player who cannot play.
bool ListTakes(const SquadList& list, uint16_t p, bool spare) {
    if (InList(list, p)) return true;
    if (list.count >= kSquadListSize) return false;
    if (list.count < kSquadListSize - 1) return true;
    return std::any_of(std::begin(list.players), std::begin(list.players) + list.count, [&](uint16_t q) {
        if (q == 0 || !IsValidPlayer(q)) return false;
        const bool out = HVW_GetPlayerIT(q) != 0 || HVW_IsPlayerSuspended(q) != 0;
        return spare ? out : out || HVW_GetPlayerIntDuty(q) != 0;
    });
}

void Refuse(int16_t text) { ShowMessageBox(TextOf(text), 0); }

// The words' moves, the add checked before anything is removed.
void MoveOnTeamWord(uint16_t p) {
    if (ProfileTeamWord == 570) {
        if (InList(FirstTeamList, p)) return;
        if (!ListTakes(FirstTeamList, p, false)) return Refuse(kFullListText);
        if (InList(ReserveList, p)) RemoveFromReserveList(p);
        if (InList(YouthList, p)) RemoveFromYouthList(p);
        AddToTeamList(p);
    } else {
        if (InList(ReserveList, p)) return;
        if (!ListTakes(ReserveList, p, false)) return Refuse(kFullListText);
        AddToReserveList(p);
        if (InList(FirstTeamList, p)) RemoveFromTeamList(p);
    }
}

void MoveOnSpareWord(uint16_t p) {
    if (ProfileSpareWord == 601) {
        if (!ListTakes(ReserveList, p, false)) return Refuse(kFullListText);
        if (InList(YouthList, p)) RemoveFromYouthList(p);
        AddToReserveList(p);
    } else {
        if (InList(YouthList, p)) return;
        if (!ListTakes(YouthList, p, true)) return Refuse(kFullListText);
        AddToYouthList(p);
        if (InList(ReserveList, p)) RemoveFromReserveList(p);
        if (InList(FirstTeamList, p)) RemoveFromTeamList(p);
    }
}

// ---- Words and rows -----------------------------------------------------------------------

void UpdateWords(uint16_t p) {
    if (p == 0) return;
    const bool f107 = GetPlayerFlag107(p) != 0, f118 = GetPlayerFlag118(p) != 0;
    if (HVW_GetPlayerFlag95(p) == 0) {
        ProfileTeamWord = f107 ? 570 : 588;
    } else if (!f118 && !f107) {
        ProfileSpareWord = 602;
        ProfileTeamWord = 570;
    } else if (f118 && !f107) {
        ProfileSpareWord = 601;
        ProfileTeamWord = 588;
    } else {
        ProfileSpareWord = 601;
        ProfileTeamWord = 570;
    }
    ProfileShortlistWord = ShortList_IsPlayerOn(p) != 0 ? 1832 : 423;
    ProfileLoanWord = HVW_GetPlayerLoanList(p) == 1 ? 625 : 738;
    ProfileTransferWord = HVW_GetPlayerTxList(p) == 1 ? 624 : 755;
}

void SetLabels(uint16_t p) {
    const int16_t knowledge = p != 0 ? HVW_GetPlayerKnowledge(p) : -1;
    const bool keeper = Goalkeeper(p);
    for (int row = 0; row < kProfileRows; ++row) {
        const int16_t label = kRowLabels[row];
        ProfileShownLabel[row] = keeper && label == 47 ? 1826 : keeper && label == 42 ? 2409 : label;
        bool shown = row >= kAlwaysShownFrom || knowledge < 0 || knowledge > 4;
        for (int known : kKnownRows[knowledge >= 0 && knowledge <= 4 ? knowledge : 0])
            if (!shown && known == row) shown = true;
        ProfileLookupLabel[row] = shown ? uint16_t(label) : kHiddenAttributeLabel;
    }
}

int16_t ValueColour(int row, int32_t number) {
    const int16_t label = kRowLabels[row];
    if (std::find(std::begin(kPlainColourLabels), std::end(kPlainColourLabels), label) !=
        std::end(kPlainColourLabels))
        return 0;
    if (number == kAttributeNoNumber) return 0;
    return number >= 90 ? 8 : number >= 80 ? 21 : 0;
}

void FillRows(uint16_t p) {
    const int16_t user = UserClub();
    const bool own = p != 0 && user >= 0 && GetPlayerClub(p) == uint16_t(user);
    for (int row = 0; row < kProfileRows; ++row) {
        ProfileValueText[row][0] = ProfileSecondText[row][0] = '\0';
        ProfileValueColour[row] = ProfileSecondColour[row] = 0;
        if (p == 0) continue;
        uint16_t text = kAttributeNoText;
        int32_t money = kAttributeNoMoney;
        const int32_t number = AttributeValueByLabel(ProfileLookupLabel[row], &text, &money);
        if (number != kAttributeNoNumber) {
            std::snprintf(ProfileValueText[row], sizeof ProfileValueText[row], "%d", int(number));
        } else if (text != kAttributeNoText) {
            std::snprintf(ProfileValueText[row], sizeof ProfileValueText[row], "%s", TextOf(int16_t(text)));
        } else if (money != kAttributeNoMoney) {
            std::snprintf(ProfileValueText[row], sizeof ProfileValueText[row], "%s", Price2str(money));
        }
        ProfileValueColour[row] = ValueColour(row, number);
        if (!own) continue;
        if (row < kImprovedRows) {
            const int16_t gain = HVW_GetPlayerImprovement(p, StatOfLabel(kRowLabels[row]));
            std::snprintf(ProfileSecondText[row], sizeof ProfileSecondText[row], "(+%d)", int(gain));
            ProfileSecondColour[row] = gain > 0 ? 75 : 25;
        } else if (kRowLabels[row] == 86 && HVW_GetPlayerManPriceRaw(p) != -1) {
            std::snprintf(ProfileSecondText[row], sizeof ProfileSecondText[row], "(%s)",
                          Price2str(HVW_ValuePlayer(p)));
        }
    }
}

void FillStatus(uint16_t p) {
    ProfileStatusText[0] = '\0';
    if (p == 0) return;
    const int16_t injury = HVW_GetPlayerIT(p);
    const int suspension = IsPlayerSuspended(p);
    const bool duty = HVW_GetPlayerIntDuty(p) != 0, tied = HVW_GetNextFixtureOfPlayersClub(p) != 0;
    const bool available = injury == 0 && suspension == 0 && !duty && !tied;
    AppendText(ProfileStatusText, sizeof ProfileStatusText, "%s: %s  ", TextOf(905),
               TextOf(available ? 249 : 248));
    if (injury >= 1 && injury <= 37) {
        const char* name = TextOf(HVW_GetInjuryTextId(injury));
        const int weeks = HVW_GetPlayerIP(p);
        if (injury == 1) {
            AppendText(ProfileStatusText, sizeof ProfileStatusText, "%s", name);
        } else if (weeks < 26) {
            AppendText(ProfileStatusText, sizeof ProfileStatusText, "%s %d %s", name, weeks, TextOf(748));
        } else {
            AppendText(ProfileStatusText, sizeof ProfileStatusText, "%s %s", name, TextOf(1178));
        }
    }
    if (suspension != 0)
        AppendText(ProfileStatusText, sizeof ProfileStatusText, ", %d %s", suspension, TextOf(171));
    if (duty) AppendText(ProfileStatusText, sizeof ProfileStatusText, ", %s", TextOf(499));
    if (tied) AppendText(ProfileStatusText, sizeof ProfileStatusText, ", %s", TextOf(1053));
}

void FillFans(uint16_t p) {
    ProfileFansText[0] = '\0';
    ProfileFansTextId = -1;
    if (p == 0) return;
    if (!ClubNumber(GetPlayerClub(p))) {
        AppendText(ProfileFansText, sizeof ProfileFansText, "%s:", TextOf(758));
        return;
    }
    ProfileFansTextId = HVW_GetPlayerFansText(p);
    AppendText(ProfileFansText, sizeof ProfileFansText, "%s: %s", TextOf(758), TextOf(ProfileFansTextId));
}

// The figures of the grid.  League: the season counters of the club's
// matches; reserves: the counters of the second-list matches; international:
// the senior caps (as substitute in brackets) and goals; career: career
// appearances (as substitute) and goals.  No cup figures are kept: "-".
void Cell(int box, int row, int32_t figure, int32_t bracket = -1) {
    char* cell = ProfileGridText[box][row];
    cell[0] = '\0';
    AppendText(cell, sizeof ProfileGridText[box][row], "%d", int(figure));
    if (bracket >= 0) AppendText(cell, sizeof ProfileGridText[box][row], " (%d)", int(bracket));
}

void FillGrid(uint16_t p) {
    std::memset(ProfileGridText, 0, sizeof ProfileGridText);
    ProfileGridLabel[0] = 0;
    const int16_t labels[5] = {62, 537, int16_t(Goalkeeper(p) ? 199 : 64), 956, 757};
    for (int row = 1; row <= 5; ++row) ProfileGridLabel[row] = labels[row - 1];
    for (int box = 2; box <= 5; ++box)
        for (int row = 1; row <= 5; ++row) std::snprintf(ProfileGridText[box][row], 24, "-");
    if (p == 0) return;
    Cell(1, 1, HVW_GetPlayerApps(p), HVW_GetPlayerAppsAsSub(p));
    Cell(1, 2, HVW_GetPlayerPerf(p));
    Cell(1, 3, HVW_GetPlayerGoals(p));
    Cell(1, 4, GetPlayerAssists(p));
    Cell(1, 5, HVW_GetPlayerManOfMatch(p));
    Cell(2, 1, GetPlayerField108A(p), GetPlayerField108B(p));
    Cell(2, 2, GetPlayerPerf2(p));
    Cell(2, 3, GetPlayerGoals2(p));
    Cell(2, 4, GetPlayerAssists2(p));
    Cell(3, 1, GetPlayerCaps89(p), GetPlayerCaps86(p));
    Cell(3, 3, GetPlayerIntGoals87(p));
    Cell(5, 1, HVW_GetPlayerCareerApps(p), HVW_GetPlayerCareerAppsAsSub(p));
    Cell(5, 3, HVW_GetPlayerCareerGoals(p));
}

char g_title[300];
char g_agentLine[300];
const char* g_titlePtr = g_title;
const char* g_agentPtr = g_agentLine;
const char* g_statusPtr = ProfileStatusText;
const char* g_fansPtr = ProfileFansText;
int16_t g_foreign = 0;

void DrawProfileHeader(int, int, int, int) { DrawPlayerHeaderLine(ShownPlayer(), "%s %s ", 400, 105); }

}  // namespace

void PlayerProfile_Enter() {
    const uint16_t p = ShownPlayer();
    const uint16_t club = p != 0 ? GetPlayerClub(p) : kNoClub;
    SelectedClub = club;
    // The title bar's badge (and its squad list) is the player's club, not
    // the club the screen before him showed.
    SetMenuTitleDate(11);
    if (ClubNumber(club)) {
        CountPlayerManagers();
        if (SquadListSecond != 0) {
            HVW_AutoFillIntShirtNumbers(int16_t(club), 5, 0);
        } else {
            HVW_AutoFillShirtNumbers(int16_t(club), 5, 0);
        }
    }
    BuildActionPopup(p);
    g_foreign = IsForeignPlayer(p);
    // The prepared figures are written into the player's record: only a
    // player whose league is not played (whose figures no match keeps) gets
    // them, so that a look at a player of a played league (the user's own
    // among them, while another country is viewed) never wipes his real
    // season and career figures and discipline points.
    if (g_foreign != 0 && OutsidePlayedLeagues(int16_t(club))) HVW_InitPlayerValueFields(p);
    SetLabels(p);
}

extern const MenuItem kProfileButtons[];
extern const MenuItem kProfileNoButtons[];
const MenuItem* ProfileButtons = kProfileNoButtons;

void PlayerStatsMenu() {
    if (IsMenuFirstEntry() == 1) PlayerProfile_Enter();
    ProfileButtons = InGameMenuActive == 1 || ClubChoiceMode != 0 ? kProfileNoButtons : kProfileButtons;
    const uint16_t p = ShownPlayer();
    g_title[0] = g_agentLine[0] = '\0';
    if (p != 0) {
        const uint16_t club = GetPlayerClub(p);
        AppendText(g_title, sizeof g_title, "%s   %s", HVW_GetPlayerShortName(p),
                   ClubNumber(club) ? HVW_GetClubName(int16_t(club)) : "");
        AppendText(g_agentLine, sizeof g_agentLine, "%s: %s", TextOf(465), HVW_GetAgentName(p));
    }
    UpdateWords(p);
    FillRows(p);
    FillGrid(p);
    FillStatus(p);
    FillFans(p);
}

int64_t PlayerProfile_PayOff(uint16_t p) {
    const int64_t weekly = HVW_GetPlayerWage(p);
    if (HVW_GetPlayerFlag95(p) != 0) return weekly * kWeeksOfPayOff;
    // A contract's years are its months rounded up: a running contract
    // always costs something to end.
    const int64_t years = (int64_t(std::max<int16_t>(HVW_GetPlayerContract(p), 0)) + 11) / 12;
    return weekly * kWeeksOfPayOff * years;
}

void PlayerProfile_ReleasePlayer(uint16_t p, int64_t payOff) {
    const uint16_t club = GetPlayerClub(p);
    if (!ClubNumber(club) || p == 0) return;
    const auto c = int16_t(club);
    const auto amount = int32_t(std::clamp<int64_t>(payOff, 0, INT32_MAX));
    // The balance drops by the pay-off: the negative amount is added to it,
    // never written over it (the club's money would be lost).
    AddClubBalance(c, -amount);
    const int16_t week = DaysToWeeks(HVW_GetCurrentDay());
    SetClubWeekMiscOut(
        c, int32_t(std::min<int64_t>(int64_t(GetClubWeekMiscOut(c, week)) + amount, INT32_MAX)), week);
    SetClubSeasonMiscOut(c, int32_t(std::min<int64_t>(int64_t(GetClubSeasonMiscOut(c)) + amount, INT32_MAX)));
    // A released player is coached no more: his coaching slot is free.
    Player_ReleaseCoachingSlot(p);
    HVW_ClearPlayerWatchSlot(p);
    // Out of every list of his club, and no shirt kept.
    if (InList(FirstTeamList, p)) RemoveFromTeamList(p);
    if (InList(ReserveList, p)) RemoveFromReserveList(p);
    if (InList(YouthList, p)) RemoveFromYouthList(p);
    HVW_SetPlayerShirt(p, 0);
    HVW_SetPlayerIntShirt(p, 0);
    SetPlayerClub(p, int16_t(kNoClub));
    SetPlayerLoanClub(p, int16_t(kNoClub));
    HVW_SetPlayerWage(p, 1);
    // Flag 95 locks the transfer list: it goes first.
    HVW_SetPlayerFlag95(p, 0);
    HVW_SetPlayerTxList(p, 1);
    HVW_SetPlayerManPrice(p, -1);
    RebuildClubRoster(c);
    HVW_AddClubHistoryEntry(p, c, 0, 0, kClubHistoryReleased);
    MenuOption = kScreenSquadList;
}

namespace {

int32_t Release(uint16_t p) {
    const uint16_t club = GetPlayerClub(p);
    if (!ClubNumber(club)) return MENU_REDRAW_ALSO;
    const int64_t payOff = PlayerProfile_PayOff(p);
    if (payOff > HVW_GetClubWageBudget(int16_t(club))) {
        Refuse(kTextCannotAffordPayOff);
        return MENU_REDRAW_ALSO;
    }
    char question[400] = "";
    AppendText(question, sizeof question, "%s %s %s.", TextOf(768), TextOf(1033),
               Price2str(int32_t(std::min<int64_t>(payOff, INT32_MAX))));
    if (ShowChoiceBox(question, 0, YesNoButtons) != 0) return MENU_REDRAW_ALSO;
    PlayerProfile_ReleasePlayer(p, payOff);
    return MENU_CLOSE;
}

// A move that opens a deal screen: the check first, its message when it
// fails, and nothing opened.
bool Checked(int16_t failure) {
    if (failure == 0) return true;
    Refuse(failure);
    return false;
}

}  // namespace

int32_t PlayerProfile_Act(ProfileAction action) {
    const uint16_t p = ShownPlayer();
    if (p == 0) return MENU_REDRAW_ALSO;
    const int16_t user = UserClub();
    switch (action) {
        case ProfileAction::Separator:
        case ProfileAction::Close:
            return MENU_REDRAW_ALSO;
        case ProfileAction::Offer:
            if (!Checked(HVW_CheckUserBid(p))) return MENU_REDRAW_ALSO;
            if (HVW_ValuePlayerFull(p) != 0) {
                SalesTeamClub = user;
                SquadOfferFlag = 0;
                DealSheet_StartAfresh();
                DealSheetFromProfile = 1;
                MenuOption = kScreenDealSheet;
                return MENU_CLOSE;
            }
            // A player with no value is bid for directly, in the club's
            // first free bid slot (the check above found one).
            if (HVW_MakeClubBid(user, p, 0, 0, HVW_FirstFreeBidSlotCode(user), 0) != 0)
                Refuse(kTextApproachMade);
            return MENU_REDRAW_ALSO;
        case ProfileAction::LoanApproach:
            if (HVW_GetPlayerLoanList(p) != 1) {
                Refuse(kNotLoanListedText);
                return MENU_REDRAW_ALSO;
            }
            if (!Checked(HVW_CheckUserLoanApproach(p))) return MENU_REDRAW_ALSO;
            SalesTeamClub = user;
            MenuOption = kScreenLoanTerms;
            return MENU_CLOSE;
        case ProfileAction::Shortlist:
            if (ShortList_IsPlayerOn(p) != 0) {
                ShortList_RemovePlayer(p);
            } else {
                ShortList_Add_Player(p);
            }
            return MENU_REDRAW_ALSO;
        case ProfileAction::TeamList:
            MoveOnTeamWord(p);
            return MENU_REDRAW_ALSO;
        case ProfileAction::SpareList:
            MoveOnSpareWord(p);
            return MENU_REDRAW_ALSO;
        case ProfileAction::LoanList:
            HVW_SetPlayerLoanList(p, HVW_GetPlayerLoanList(p) == 1 ? 0 : 1);
            SetPlayerSaleStatus(p, 0);
            return MENU_REDRAW_ALSO;
        case ProfileAction::TransferList:
            if (HVW_GetPlayerTxList(p) != 1 && HVW_GetPlayerContract(p) <= 0) {
                Refuse(kNoContractText);
                return MENU_REDRAW_ALSO;
            }
            HVW_SetPlayerTxList(p, HVW_GetPlayerTxList(p) == 1 ? 0 : 1);
            return MENU_REDRAW_ALSO;
        case ProfileAction::Training:
            ConditionReturnOption = kScreenPlayerStats;
            MenuOption = kScreenPlayerCondition;
            return MENU_CLOSE;
        case ProfileAction::Deal:
            MenuOption = kScreenContractMenu;
            return MENU_CLOSE;
        case ProfileAction::Approach:
            if (!Checked(HVW_CheckContractApproach(p))) return MENU_REDRAW_ALSO;
            ContractTalksReason = 0;
            MenuOption = kScreenContractTalks;
            return MENU_CLOSE;
        case ProfileAction::Release:
            return Release(p);
        case ProfileAction::EndLoan:
            ClearPlayerLoan(p);
            MenuOption = kScreenSquadList;
            return MENU_CLOSE;
    }
    return MENU_REDRAW_ALSO;
}

int32_t PlayerProfile_Back(MenuHotItem*) {
    if (InGameMenuActive == 1) {
        InGameMenuId = uint16_t(ReturnMenuOption);
    } else {
        MenuOption = ReturnMenuOption;
    }
    return MENU_CLOSE;
}

int32_t PlayerProfile_Contract(MenuHotItem*) {
    InfoOpenedFromProfile = 1;
    MenuOption = kScreenPlayerInfo;
    return MENU_CLOSE;
}

int32_t PlayerProfile_Agent(MenuHotItem*) {
    if (ShownPlayer() == 0) return MENU_CONTINUE;
    MenuOption = kScreenAgentProfile;
    return MENU_CLOSE;
}

namespace {

const char* g_valuePtr[kProfileRows];
const char* g_secondPtr[kProfileRows];
const char* g_gridPtr[6][6];

struct ProfilePointers {
    ProfilePointers() {
        for (int row = 0; row < kProfileRows; ++row) {
            g_valuePtr[row] = ProfileValueText[row];
            g_secondPtr[row] = ProfileSecondText[row];
        }
        for (int box = 0; box < 6; ++box)
            for (int row = 0; row < 6; ++row) g_gridPtr[box][row] = ProfileGridText[box][row];
    }
} g_profilePointers;

constexpr int16_t kPtr = sizeof(const char*);
constexpr int16_t kWord = sizeof(int16_t);

#define PROFILE_COLUMN(c)                                                                            \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, kWord, &ProfileValueColour[10 * (c)], nullptr},                    \
        {MI_TEXT_VAR, int16_t(30 + 252 * (c)), 10, 9, kWord, &ProfileShownLabel[10 * (c)], nullptr}, \
        {MI_STRING_VAR, int16_t(164 + 252 * (c)), 10, 10, kPtr, &g_valuePtr[10 * (c)], nullptr},     \
        {MI_TEXT_COLOUR_VAR, 0, 0, 0, kWord, &ProfileSecondColour[10 * (c)], nullptr}, {             \
        18, int16_t((c) == 2 ? 708 : 184 + 252 * (c)), 12, 9, kPtr, &g_secondPtr[10 * (c)], nullptr  \
    }

const MenuItem kAttributeRow[] = {
    PROFILE_COLUMN(0), PROFILE_COLUMN(1),
    PROFILE_COLUMN(2), {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    kMenuEnd,
};

#define GRID_ROW_LABEL(row) \
    { MI_TEXT_VAR, 27, int16_t(439 + 21 * ((row)-1)), 9, 0, &ProfileGridLabel[row], nullptr }
#define GRID_CELL(box, row)                                                             \
    {                                                                                   \
        MI_STRING_VAR, int16_t(83 + 126 * (box)), int16_t(439 + 21 * ((row)-1)), 10, 0, \
            &g_gridPtr[box][row], nullptr                                               \
    }

}  // namespace

const MenuItem kProfileNoButtons[] = {kMenuEnd};
const MenuItem kProfileButtons[] = {
    {MI_BUTTON_TEXT, 60, 559, 226, 28, MenuValue(181), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_actionPopup, nullptr},
    {MI_BUTTON_TEXT, 288, 559, 226, 28, MenuValue(296), PlayerInfo_History},
    {MI_BUTTON_TEXT, 516, 559, 226, 28, MenuValue(1903), PlayerProfile_Contract},
    {MI_CUSTOM, 20, 382, 758, 23, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_STRING_VAR, 30, 393, 9, 0, &g_agentPtr, nullptr},
    {MI_HOT_RECT, 20, 382, 758, 23, nullptr, PlayerProfile_Agent},
    kMenuEnd,
};

const MenuItem PlayerStatsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlayerStatsMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 44, 10, 0, &g_titlePtr, nullptr},
    {MI_CUSTOM, 20, 93, 758, 25, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 20, 93, 758, 25, MenuFunction(DrawProfileHeader), nullptr},
    {MI_CUSTOM, 20, 121, 758, 210, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 0, 121, 10, 21, kAttributeRow, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_CUSTOM, 20, 334, 758, 21, MenuFunction(DrawBlackShade50), nullptr},
    {MI_STRING_VAR, 30, 344, 9, 0, &g_statusPtr, nullptr},
    {MI_CUSTOM, 20, 358, 758, 23, MenuFunction(DrawBlackShade50), nullptr},
    {MI_STRING_VAR, 30, 368, 9, 0, &g_fansPtr, nullptr},
    {MI_CUSTOM, 20, 408, 126, 126, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 146, 408, 126, 126, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 272, 408, 126, 126, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 398, 408, 126, 126, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 524, 408, 126, 126, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 650, 408, 126, 126, MenuFunction(DrawBlackBox), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 83, 418, 10, 0, MenuValue(720), nullptr},
    {MI_TEXT, 209, 418, 10, 0, MenuValue(796), nullptr},
    {MI_TEXT, 335, 418, 10, 0, MenuValue(195), nullptr},
    {MI_TEXT, 461, 418, 10, 0, MenuValue(1468), nullptr},
    {MI_TEXT, 587, 418, 10, 0, MenuValue(803), nullptr},
    {MI_TEXT, 713, 418, 10, 0, MenuValue(652), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    GRID_ROW_LABEL(1),
    GRID_ROW_LABEL(2),
    GRID_ROW_LABEL(3),
    GRID_ROW_LABEL(4),
    GRID_ROW_LABEL(5),
    GRID_CELL(1, 1),
    GRID_CELL(1, 2),
    GRID_CELL(1, 3),
    GRID_CELL(1, 4),
    GRID_CELL(1, 5),
    GRID_CELL(2, 1),
    GRID_CELL(2, 2),
    GRID_CELL(2, 3),
    GRID_CELL(2, 4),
    GRID_CELL(3, 1),
    GRID_CELL(3, 3),
    GRID_CELL(4, 1),
    GRID_CELL(4, 3),
    GRID_CELL(5, 1),
    GRID_CELL(5, 3),
    {MI_GROUP_VAR, 0, 0, 1, 0, &ProfileButtons, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), PlayerProfile_Back},
    kMenuEnd,
};
