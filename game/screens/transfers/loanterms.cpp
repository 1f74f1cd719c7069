#include "game/screens/transfers/loanterms.h"

#include <algorithm>
#include <cstdio>

#include "core/club/loans.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerinfo.h"

LoanTerms CurrentLoanTerms{};

namespace {

constexpr int16_t kAgree = 82;
constexpr int16_t kDisagree = 83;
constexpr int16_t kYoungAge = 22;
constexpr int16_t kWeeksWhenPassed = 52;
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;

const char* Text(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

bool Club(int32_t club) { return club >= 0 && club < kClubCount; }

// Whole weeks from today to the viewed country's next round day (negative
// once it has passed).
int32_t WeeksToRoundDay() {
    return (int32_t(HVW_GetCompNextRoundDay(int16_t(ViewedCountry))) - HVW_GetCurrentDay()) / 7;
}

LoanSide& UserSide() {
    return CurrentLoanTerms.direction == 0 ? CurrentLoanTerms.lender : CurrentLoanTerms.receiver;
}
LoanSide& OtherSide() {
    return CurrentLoanTerms.direction == 0 ? CurrentLoanTerms.receiver : CurrentLoanTerms.lender;
}

// The terms name a player of the lending club and two different clubs.
bool TermsSound(uint16_t p) {
    const LoanTerms& t = CurrentLoanTerms;
    return p != 0 && Club(t.lendingClub) && Club(t.receivingClub) && t.lendingClub != t.receivingClub &&
           GetPlayerClub(p) == uint16_t(t.lendingClub) && GetPlayerLoanClub(p) == uint16_t(t.lendingClub);
}

int16_t NationalCupRows(uint16_t p) {
    const uint16_t club = p != 0 ? GetPlayerClub(p) : kNoClub;
    const int16_t nation = Club(club) ? int16_t(GetClubNation(int16_t(club))) : int16_t(ViewedCountry);
    return int16_t(std::clamp(HVW_CountNationCups(nation) - 3, 1, 4));
}

}  // namespace

int16_t LoanTerms_OtherLengthCode(int32_t weeks, int16_t age, int16_t rating, bool lending) {
    const bool young = age < kYoungAge;
    const bool keepsWeeks = lending ? young && rating < 16 : young && rating > 32;
    if (!keepsWeeks) {
        if (weeks > 13) {
            if (lending) {
                weeks = rating < 11 ? 13 : rating < 16 ? 9 : 5;
            } else {
                weeks = rating < 17 ? 5 : rating < 25 ? 9 : 13;
            }
        }
        if (weeks < 5) weeks = 5;
    }
    // A young player's weeks are left as they are, which may name no
    // length: the code stays one of the four.
    return int16_t(std::clamp<int32_t>(weeks / 4, 1, 4));
}

int16_t LoanTerms_Weeks(int16_t lengthCode) {
    switch (lengthCode) {
        case 1:
            return 5;
        case 2:
            return 9;
        case 3:
            return 13;
        default: {
            const int32_t weeks = WeeksToRoundDay();
            if (weeks < 0) return kWeeksWhenPassed;
            // A loan runs at least a week and no longer than the record holds.
            return int16_t(std::clamp<int32_t>(weeks, 1, kLongestLoanWeeks));
        }
    }
}

void LoanTerms_Enter() {
    LoanTerms& t = CurrentLoanTerms;
    t = LoanTerms{};
    const uint16_t p = ShownPlayer();
    const int16_t user = HVW_GetMyClub();
    const uint16_t club = p != 0 ? GetPlayerClub(p) : kNoClub;
    t.direction = int16_t(user >= 0 && club == uint16_t(user) ? 0 : 1);
    t.lendingClub = Club(club) ? int16_t(club) : int16_t(-1);
    t.receivingClub = t.direction == 0 ? SalesTeamClub : user;
    const bool lending = t.direction == 0;
    const int16_t other = lending ? t.receivingClub : t.lendingClub;
    const int16_t age = p != 0 ? HVW_GetPlayerAge(p) : 0;
    const int16_t rating = p != 0 && Club(other) ? HVW_IsPlayerAvailable(p, other) : int16_t(-1);
    const int16_t otherCode = LoanTerms_OtherLengthCode(WeeksToRoundDay(), age, rating, lending);
    t.lender.lengthCode = t.receiver.lengthCode = t.working.lengthCode = 1;
    (lending ? t.receiver : t.lender).lengthCode = otherCode;
    t.lender.flag = t.receiver.flag = t.working.flag = 1;
    int16_t share = 0;
    if (p != 0 && Club(other)) {
        const int64_t wage = int64_t(GetPlayerWage(p)) * 25;
        const int64_t limit = HVW_GetClubWageLimit(other);
        share = int16_t(wage < limit ? 100 : wage <= 2 * limit ? 50 : 0);
    }
    t.lender.wageShare = t.receiver.wageShare = t.working.wageShare = 100;
    (lending ? t.receiver : t.lender).wageShare = share;
    if (!lending) {
        const bool allCups = rating >= 36;
        const bool otherNation = Club(t.lendingClub) && Club(t.receivingClub) &&
                                 GetClubNation(t.lendingClub) != GetClubNation(t.receivingClub);
        for (int k = 0; k < 6; ++k) {
            // Clubs of different nations allow the four national cups; the
            // European cups only for a player the lender can spare.
            const int16_t allowed = int16_t(allCups || (otherNation && k < 4) ? 1 : 0);
            t.lender.cups[k] = t.receiver.cups[k] = allowed;
        }
    }
    std::copy(std::begin(t.receiver.cups), std::end(t.receiver.cups), t.working.cups);
    LoanTerms_Update();
}

void LoanTerms_Update() {
    LoanTerms& t = CurrentLoanTerms;
    UserSide() = t.working;
    bool agree =
        t.receiver.wageShare >= t.lender.wageShare && UserSide().lengthCode <= OtherSide().lengthCode;
    if (t.direction == 1) {
        for (int k = 0; k < 6; ++k)
            if (t.working.cups[k] != 0 && t.lender.cups[k] == 0) agree = false;
    }
    t.verdict = agree ? kAgree : kDisagree;
}

int32_t LoanTerms_LengthUp(MenuHotItem*) {
    const uint16_t p = ShownPlayer();
    const int16_t top = p != 0 && HVW_GetPlayerAge(p) < kYoungAge ? 4 : 3;
    LoanSide& w = CurrentLoanTerms.working;
    w.lengthCode = int16_t(std::min<int>(w.lengthCode + 1, top));
    LoanTerms_Update();
    return MENU_REDRAW;
}

int32_t LoanTerms_LengthDown(MenuHotItem*) {
    LoanSide& w = CurrentLoanTerms.working;
    w.lengthCode = int16_t(std::max<int>(w.lengthCode - 1, 1));
    LoanTerms_Update();
    return MENU_REDRAW;
}

int32_t LoanTerms_ToggleFlag(MenuHotItem*) {
    LoanSide& w = CurrentLoanTerms.working;
    w.flag = int16_t(w.flag != 0 ? 0 : 1);
    LoanTerms_Update();
    return MENU_REDRAW;
}

int32_t LoanTerms_ShareUp(MenuHotItem*) {
    LoanSide& w = CurrentLoanTerms.working;
    w.wageShare = int16_t(std::min<int>(w.wageShare + 50, 100));
    LoanTerms_Update();
    return MENU_REDRAW;
}

int32_t LoanTerms_ShareDown(MenuHotItem*) {
    LoanSide& w = CurrentLoanTerms.working;
    w.wageShare = int16_t(std::max<int>(w.wageShare - 50, 0));
    LoanTerms_Update();
    return MENU_REDRAW;
}

int32_t LoanTerms_ToggleCup(int16_t cup) {
    if (cup < 0 || cup >= 6) return MENU_CONTINUE;
    int16_t& flag = CurrentLoanTerms.working.cups[cup];
    flag = int16_t(flag != 0 ? 0 : 1);
    LoanTerms_Update();
    return MENU_REDRAW;
}

int32_t LoanTerms_Withdraw(MenuHotItem*) {
    const uint16_t p = ShownPlayer();
    if (p != 0) HVW_RemoveHumanSale(p);
    MenuOption = kScreenPlayerStats;
    PreviousMenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int32_t LoanTerms_Agree(MenuHotItem*) {
    LoanTerms_Update();
    const LoanTerms& t = CurrentLoanTerms;
    const uint16_t p = ShownPlayer();
    if (t.verdict != kAgree || !TermsSound(p)) return MENU_REDRAW;
    const LoanSide& lender = t.lender;
    RecordPlayerLoanMove(p, t.receivingClub, LoanTerms_Weeks(t.receiver.lengthCode),
                         int16_t(t.receiver.wageShare / 50), t.receiver.flag, lender.cups[0], lender.cups[1],
                         lender.cups[2], lender.cups[3], lender.cups[4], lender.cups[5]);
    // A move the loan rules refused changes nothing: no bids cleared, no
    // message, the screen stays.
    if (GetPlayerClub(p) != uint16_t(t.receivingClub)) return MENU_REDRAW;
    HVW_ClearClubBids(p);
    const int16_t type = GetPlayerPosition2(p) <= 13 ? HVW_GetPositionType(p) : 0;
    AddMessage(int16_t(GetPlayerLoanClub(p)), t.receivingClub, p, kNoPlayer, -1, -1, -1, int16_t(300 + type),
               -1, HVW_GetPlayerAge(p), -1, kMsgLoan, 1, 0);
    MenuOption = kScreenPlayerStats;
    PreviousMenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

// ---- Drawing --------------------------------------------------------------------------------

namespace {

constexpr int kLeftX = 40, kRightX = 420, kFirstRowY = 160, kRowStep = 36;
char g_header[300];
char g_title[300];
const char* g_headerPtr = g_header;
const char* g_titlePtr = g_title;

void DrawSide(int x, const LoanSide& side, int16_t cupRows, int16_t country) {
    char line[300];
    SetFont(9);
    SetDrawParam(1, 0);
    std::snprintf(line, sizeof line, "%s: %d %s", Text(1174), int(LoanTerms_Weeks(side.lengthCode)),
                  Text(2331));
    DrawTextAddrAt(x, kFirstRowY, line, JUSTIFY_LEFT_MIDDLE);
    std::snprintf(line, sizeof line, "%s: %s", Text(1482), Text(side.flag != 0 ? 249 : 248));
    DrawTextAddrAt(x, kFirstRowY + kRowStep, line, JUSTIFY_LEFT_MIDDLE);
    std::snprintf(line, sizeof line, "%s: %d%%", Text(1622), int(side.wageShare));
    DrawTextAddrAt(x, kFirstRowY + 2 * kRowStep, line, JUSTIFY_LEFT_MIDDLE);
    for (int16_t k = 0; k < cupRows; ++k) {
        std::snprintf(line, sizeof line, "%s: %s", HVW_GetCupName(k, country),
                      Text(side.cups[k] != 0 ? 249 : 248));
        DrawTextAddrAt(x, kFirstRowY + (3 + k) * kRowStep, line, JUSTIFY_LEFT_MIDDLE);
    }
}

void DrawTerms(int, int, int, int) {
    const uint16_t p = ShownPlayer();
    if (p == 0) return;
    const LoanTerms& t = CurrentLoanTerms;
    const uint16_t club = GetPlayerClub(p);
    const int16_t country = Club(club) ? int16_t(GetClubNation(int16_t(club))) : int16_t(ViewedCountry);
    const int16_t rows = NationalCupRows(p);
    const int userX = t.direction == 0 ? kRightX : kLeftX, otherX = t.direction == 0 ? kLeftX : kRightX;
    DrawSide(userX, t.working, rows, country);
    DrawSide(otherX, t.direction == 0 ? t.receiver : t.lender, rows, country);
    SetFont(8);
    DrawTextNoAt(400, 520, t.verdict, JUSTIFY_CENTRE_MIDDLE);
}

int32_t CupToggle(MenuHotItem* item) {
    const uint16_t p = ShownPlayer();
    // Only the cup rows on the user's side toggle.
    const bool left = item != nullptr && item->x < 400;
    if (left != (CurrentLoanTerms.direction == 1)) return MENU_CONTINUE;
    const int16_t cup = item != nullptr ? int16_t(item->row) : int16_t(-1);
    if (p == 0 || cup >= NationalCupRows(p)) return MENU_CONTINUE;
    return LoanTerms_ToggleCup(cup);
}

#define CONTROL_SET(x)                                                                                         \
    {MI_BUTTON_STRING, int16_t((x) + 250), kFirstRowY - 12, 40, 24, "-", LoanTerms_LengthDown},                \
        {MI_BUTTON_STRING, int16_t((x) + 295), kFirstRowY - 12, 40, 24, "+", LoanTerms_LengthUp},              \
        {MI_BUTTON_STRING, int16_t((x) + 250), kFirstRowY + kRowStep - 12, 85, 24, "*", LoanTerms_ToggleFlag}, \
        {MI_BUTTON_STRING,   int16_t((x) + 250), kFirstRowY + 2 * kRowStep - 12, 40, 24, "-",                  \
         LoanTerms_ShareDown},                                                                                 \
    {                                                                                                          \
        8205, int16_t((x) + 295), kFirstRowY + 2 * kRowStep - 12, 40, 24, "+", LoanTerms_ShareUp               \
    }

const MenuItem kCupRow[] = {
    {MI_HOT_RECT, 0, 0, 330, 24, nullptr, CupToggle},
    kMenuEnd,
};
const MenuItem kUserLeft[] = {CONTROL_SET(kLeftX), kMenuEnd};
const MenuItem kUserRight[] = {CONTROL_SET(kRightX), kMenuEnd};
const MenuItem kAgreeButton[] = {
    {MI_BUTTON_TEXT, 401, 559, 339, 28, MenuValue(82), LoanTerms_Agree},
    kMenuEnd,
};
const MenuItem kNoButton[] = {kMenuEnd};
const MenuItem* g_controls = kUserLeft;
const MenuItem* g_agree = kNoButton;

}  // namespace

void LoanTermsMenu() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        LoanTerms_Enter();
    }
    LoanTerms_Update();
    const LoanTerms& t = CurrentLoanTerms;
    g_controls = t.direction == 0 ? kUserRight : kUserLeft;
    g_agree = t.verdict == kAgree ? kAgreeButton : kNoButton;
    g_header[0] = g_title[0] = '\0';
    const uint16_t p = ShownPlayer();
    if (p == 0) return;
    AppendText(g_title, sizeof g_title, "%s", Text(1333));
    FormatDealHeader(g_header, sizeof g_header, p);
}

const MenuItem LoanTermsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(LoanTermsMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, 10, 0, &g_titlePtr, nullptr},
    {MI_CUSTOM, 20, 97, 758, 30, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_STRING_VAR, 400, 112, 10, 0, &g_headerPtr, nullptr},
    {MI_CUSTOM, 20, 135, 758, 400, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 20, 135, 758, 400, MenuFunction(DrawTerms), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_controls, nullptr},
    {MI_GROUP, kLeftX, kFirstRowY + 3 * kRowStep - 12, 4, kRowStep, kCupRow, nullptr},
    {MI_GROUP, kRightX, kFirstRowY + 3 * kRowStep - 12, 4, kRowStep, kCupRow, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(1214), LoanTerms_Withdraw},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_agree, nullptr},
    kMenuEnd,
};
