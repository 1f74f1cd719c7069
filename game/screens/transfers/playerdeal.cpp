#include "game/screens/transfers/playerdeal.h"

#include <algorithm>
#include <cstdio>

#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/unrest.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/transfers/contracttalks.h"

DealStateBlock DealState{};
int16_t DealStartRole = -1;
uint16_t DealLevel = 0;
int16_t PlayerProfileMode = 0;

const int16_t RoleMoraleTable[kDealRoles][kDealRoles] = {
    {0, -25, 10, 5, 10, 16, 25},       {0, 0, 10, 10, 15, 20, 25},      {-10, -25, 0, 5, 10, 16, 25},
    {-10, -25, 0, 0, 10, 16, 25},      {-25, -30, -10, -20, 0, 10, 20}, {-40, -40, -40, -35, -25, 0, 10},
    {-50, -50, -50, -45, -35, -25, 0},
};

namespace {

constexpr int16_t kFirstOptionText = 1347;
constexpr int16_t kLevelTextBase = 1370;
constexpr int16_t kKindTitleBase = 713;
constexpr int32_t kNoManPrice = -1;
constexpr int kLineSize = 200;
constexpr int kPriceBoxes = 9;
constexpr int kPriceBoxY = 146;
constexpr int kPriceBoxSize = 20;
constexpr uint16_t kBoxColour = 0xCE59;

char g_header[kLineSize];
char g_kindTitle[kLineSize];
char g_confirmNote[kLineSize];
char g_summary[3][kLineSize];
char g_options[kDealOptions][kLineSize];
char g_wageLine[kLineSize];
char g_contractLine[kLineSize];
char g_valueLine[kLineSize];
const char* g_headerPtr = g_header;
const char* g_kindTitlePtr = g_kindTitle;
const char* g_confirmNotePtr = g_confirmNote;
const char* g_summaryPtr[3] = {g_summary[0], g_summary[1], g_summary[2]};
const char* g_optionPtr[kDealOptions] = {g_options[0], g_options[1], g_options[2],
                                         g_options[3], g_options[4], g_options[5]};
const char* g_wagePtr = g_wageLine;
const char* g_contractPtr = g_contractLine;
const char* g_valuePtr = g_valueLine;
int16_t g_roleText = -1;
int16_t g_lowText = 1371;
int16_t g_highText = 1372;

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

uint16_t Player() {
    const auto player = uint16_t(SelectedPlayer);  // numbers past 32767 read negative signed
    return IsPlayerNumber(player) ? player : uint16_t(0);
}

int16_t RoleOf(uint16_t p) { return int16_t(GetPlayerField117(p)); }

// The role's text; a role the field cannot hold shows nothing.
int16_t RoleText(int16_t role) {
    return role >= 0 && role < kDealRoles ? HVW_GetRoleText(role) : int16_t(-1);
}

int16_t OptionText(int kind, int option) { return int16_t(kFirstOptionText + kDealOptions * kind + option); }

int32_t Clamped(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }
// Money after the currency sign of text 434.
const char* Money(int64_t value) { return Price2strPlain(Clamped(value)); }

int64_t ContractValue(uint16_t p) {
    return int64_t(HVW_GetPlayerWage(p)) * int64_t(HVW_GetPlayerContract(p)) * 4;
}

void OpenDeal(uint16_t p) {
    DealState = {};
    DealLevel = 0;
    DealState.entryManPrice = uint32_t(HVW_GetPlayerManPriceRaw(p));
    DealState.player = p;
    DealStartRole = RoleOf(p);
}

void FillSummary() {
    for (char* line : g_summary) std::snprintf(line, kLineSize, " ");
    const bool changed = DealState.currentRole != DealStartRole;
    const char* oldRole = TextOf(RoleText(DealStartRole));
    const char* newRole = TextOf(RoleText(DealState.currentRole));
    const char* level = TextOf(int16_t(kLevelTextBase + DealLevel));
    if (DealLevel != 0 && !changed) {
        std::snprintf(g_summary[0], kLineSize, "%s %s", TextOf(996), level);
    } else if (DealLevel != 0) {
        std::snprintf(g_summary[0], kLineSize, "%s %s + %s %s %s %s %s", TextOf(996), level, TextOf(995),
                      TextOf(595), oldRole, TextOf(596), newRole);
    } else if (changed) {
        std::snprintf(g_summary[0], kLineSize, "%s %s %s %s %s", TextOf(995), TextOf(595), oldRole,
                      TextOf(596), newRole);
    }
    if (DealState.option != 0 && DealState.chosenOption != 0) {
        std::snprintf(g_summary[1], kLineSize, "%s %s", TextOf(1005),
                      TextOf(OptionText(DealState.chosenKind, DealState.chosenOption - 1)));
    }
    const int32_t raw = HVW_GetPlayerManPriceRaw(Player());
    if (uint32_t(raw) != DealState.entryManPrice && raw != kNoManPrice) {
        std::snprintf(g_summary[2], kLineSize, "%s %s %s%s", TextOf(634), TextOf(596), TextOf(kTextCurrency),
                      Money(DealState.askingPrice));
    }
}

void FillLines(uint16_t p) {
    const int16_t club = int16_t(GetPlayerClub(p));
    std::snprintf(g_header, kLineSize, "%s  %s  %s  %d  %s", HVW_GetPlayerShortName(p),
                  IsClubNumber(club) ? HVW_GetClubName(club) : "",
                  TextOf(int16_t(564 + HVW_GetPositionType(p))), int(HVW_GetPlayerAge(p)), TextOf(185));
    std::snprintf(g_kindTitle, kLineSize, "%s - %s", TextOf(1630),
                  TextOf(int16_t(kKindTitleBase + DealState.kind)));
    std::snprintf(g_confirmNote, kLineSize, "%s", TextOf(1373));
    FillSummary();
    g_roleText = RoleText(DealState.currentRole);
    g_lowText = 1371;
    g_highText = 1372;
    for (int row = 0; row < kDealOptions; ++row)
        std::snprintf(g_options[row], kLineSize, "%s", TextOf(OptionText(DealState.kind, row)));
    std::snprintf(g_wageLine, kLineSize, "%s: %s%s ", TextOf(59), TextOf(kTextCurrency),
                  Money(HVW_GetPlayerWage(p)));
    std::snprintf(g_valueLine, kLineSize, "%s: %s%s", TextOf(68), TextOf(kTextCurrency),
                  Money(ContractValue(p)));
    std::snprintf(g_contractLine, kLineSize, "%s: %d %s", TextOf(1570), int(HVW_GetPlayerContract(p)),
                  TextOf(196));
}

}  // namespace

void ContractMenuProc() {
    const uint16_t p = Player();
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        if (p != 0 && IsClubNumber(GetPlayerClub(p))) HVW_BuildSquadList(int16_t(GetPlayerClub(p)));
        // An open deal of another player is not his: its entry values would
        // be written onto this one by Cancel.
        if (p != 0 && (DealStartRole == -1 || DealState.player != p)) OpenDeal(p);
    }
    if (p == 0) return;
    const int32_t raw = HVW_GetPlayerManPriceRaw(p);
    DealState.askingPrice = raw == kNoManPrice ? HVW_ValuePlayer(p) : raw;
    DealState.currentRole = RoleOf(p);
    FillLines(p);
}

int ContractDeal_BoxDigit(int32_t price, int box) {
    if (box < 1 || box > 8) return 0;
    int64_t below = 1;
    for (int i = box; i < 8; ++i) below *= 10;
    const int64_t value = std::max<int64_t>(price, 0);
    return int((value % (below * 10)) / below);
}

void ContractDeal_DrawPriceBoxes(int, int, int, int) {
    const int32_t style = ButtonStyle;
    SetFont(8);
    SetDrawParam(1, 2);
    SetDrawParam(2, kBoxColour);
    SetDrawParam(4, 1);
    for (int box = 0; box < kPriceBoxes; ++box) {
        const int x = ContractDeal_BoxX(box);
        DoButton(x, kPriceBoxY, kPriceBoxSize, kPriceBoxSize);
        const int middleX = x + kPriceBoxSize / 2, middleY = kPriceBoxY + kPriceBoxSize / 2;
        if (box == 0) {
            DrawTextNoAt(middleX, middleY, kTextCurrency, JUSTIFY_CENTRE_MIDDLE);
        } else {
            DrawNumberAt(middleX, middleY, ContractDeal_BoxDigit(DealState.askingPrice, box),
                         JUSTIFY_CENTRE_MIDDLE);
        }
        if (box == 2 || box == 5) DrawCharAligned(x + 22, 162, ',', JUSTIFY_LEFT_TOP);
    }
    SetDrawParam(1, 0);
    SetDrawParam(4, style);
}

// ---- Handlers ---------------------------------------------------------------------------------

int32_t ContractDeal_CycleRole(MenuHotItem*) {
    const uint16_t p = Player();
    if (p == 0) return MENU_REDRAW;
    SetPlayerField117(p, int16_t(RoleOf(p) + 1));  // the setter turns 7 into 0
    return MENU_REDRAW;
}

int32_t ContractDeal_SetLevel(uint16_t level) {
    if (level == 1 || level == 2) DealLevel = level;
    return MENU_REDRAW;
}

int32_t ContractDeal_SetKind(uint16_t kind) {
    if (kind < kDealKinds) DealState.kind = kind;
    return MENU_REDRAW;
}

int32_t ContractDeal_SetOption(uint16_t option) {
    if (option < 1 || option > kDealOptions) return MENU_REDRAW;
    DealState.option = DealState.chosenOption = option;
    DealState.chosenKind = DealState.kind;
    return MENU_REDRAW;
}

int32_t ContractDeal_PriceStep(int32_t step, int32_t buttons) {
    const uint16_t p = Player();
    if (p == 0) return MENU_REDRAW;
    int64_t price = DealState.askingPrice;
    if ((buttons & 1) != 0) {
        price += step;
    } else if ((buttons & 2) != 0) {
        price -= step;
    } else {
        return MENU_REDRAW;
    }
    // No wrap past the top, and never below nothing.
    DealState.askingPrice = int32_t(std::clamp<int64_t>(price, 0, INT32_MAX));
    HVW_SetPlayerManPrice(p, DealState.askingPrice);
    return MENU_REDRAW;
}

void PlayerDeal_Forget() { DealStartRole = -1; }

int32_t ContractDeal_Cancel(MenuHotItem*) {
    const uint16_t p = Player();
    if (p != 0 && DealStartRole != -1 && DealState.player == p) {
        SetPlayerField117(p, DealStartRole);
        HVW_SetPlayerManPrice(p, int32_t(DealState.entryManPrice));
    }
    DealStartRole = -1;
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

int32_t ContractDeal_Release(MenuHotItem*) {
    const uint16_t p = Player();
    if (p == 0) return MENU_REDRAW;
    const int64_t cost = ContractValue(p);
    SetFont(8);
    if (cost > HVW_GetClubWageBudget(int16_t(SelectedClub))) {
        ShowMessageBox(TextOf(kTextCannotAffordPayOff), 0);
        return MENU_REDRAW;
    }
    char question[400];
    std::snprintf(question, sizeof question, "%s %s %s.", TextOf(768), TextOf(1033),
                  Price2str(Clamped(cost)));
    // Only the yes button goes on: no answer at all releases nobody.
    if (ShowChoiceBox(question, 0, YesNoButtons) != 0) return MENU_REDRAW;
    PlayerProfile_ReleasePlayer(p, cost);
    MenuOption = kScreenSquadList;
    return MENU_CLOSE;
}

int32_t ContractDeal_OpenTalks(MenuHotItem*) {
    const uint16_t p = Player();
    if (p == 0) return MENU_REDRAW;
    if (HVW_GetPlayerContract(p) >= 24 && GetPlayerFlag95(p) == 0) {
        ShowMessageBox(TextOf(kTextWillNotDiscussContract), 0);
        return MENU_REDRAW;
    }
    const int16_t club = int16_t(SelectedClub);
    const int place = HVW_GetClubTablePosition(club);
    const int rep = IsClubNumber(club) ? int(GetClubBaseRep(club)) : 0;
    if (place > rep) {
        // An agent with a strong hand talks even for a club below its
        // standing.
        const int trait = market::AgentByte(p, 1);
        const int reach = std::max(place - trait / 10, 1);
        if (reach > rep) {
            ShowMessageBox(TextOf(kTextWillNotDiscussContract), 0);
            return MENU_REDRAW;
        }
    }
    if (PlayerProfileMode == 1) return MENU_CLOSE;
    PreviousMenuOption = kScreenContractMenu;
    MenuOption = kScreenContractTalks;
    ContractTalksReason = 0;
    return MENU_CLOSE;
}

// ---- Confirm: the outcomes ----------------------------------------------------------------------

namespace {

// r(n): a fresh draw of the game's generator, 0..n-1 (0 for n below 2).
int R(int n) { return n > 0 ? GameRandom() % n : 0; }

struct DealOutcome {
    uint16_t p;
    int16_t club;

    int Morale() const { return GetPlayerMorale(p); }
    int Stat(int n) const { return GetPlayerStat(p, int16_t(n), 0); }
    int F96() const { return GetPlayerField96(p); }
    int F118() const { return GetPlayerField118(p); }
    void AddMorale(int v) const { SetPlayerMorale(p, int16_t(std::clamp(Morale() + v, -32768, 32767))); }
    void AddStat(int n, int v) const {
        SetPlayerStat(p, int16_t(n), int16_t(std::clamp(Stat(n) + v, -32768, 32767)));
    }
    void AddF96(int v) const { SetPlayerField96(p, int16_t(F96() + v)); }
    void AddF118(int v) const { SetPlayerField118(p, int16_t(F118() + v)); }
    void SetF118(int v) const { SetPlayerField118(p, int16_t(v)); }
    void Post(int16_t type) const {
        AddMessage(club, -1, p, 0xFFFFFFFFu, -1, -1, -1, -1, -1, int32_t(GetPlayerAge(p)) + 16, -1, type, 1,
                   0);
    }
    void Reaction(int strength) const { SpreadSquadUnrest(club, p, int16_t(strength)); }
    void Injure() const {
        const int period = 5 + R(25);
        InjurePlayer(p, int16_t(period), 1, 0);
    }
    int Fans() const { return GetPlayerFans(p); }
};

void RoleChange(const DealOutcome& o, int16_t oldRole, int16_t newRole) {
    if (oldRole == newRole || oldRole < 0 || oldRole >= kDealRoles || newRole < 0 || newRole >= kDealRoles)
        return;
    const int d = RoleMoraleTable[oldRole][newRole];
    o.AddMorale(d);
    if (d < 0) {
        o.Post(kMsgRoleUpset);
        o.AddF118(-R(-d));
        o.AddF96(-R(-2 * d));
        o.Reaction(-d / 10);
    } else if (d > 0) {
        o.Post(kMsgRolePleased);
    }
}

void LevelTalk(const DealOutcome& o, int level) {
    if (level == 0) return;
    const int t = o.Stat(kProfessionalismStat) / level;
    o.AddStat(kOutlookStat, -R(2 * level));
    o.AddStat(kOutlookStat, R(2 * level));
    const bool pass = R(100) < t;
    const bool banWait = GetPlayerBanWait(o.p) != 0;
    if (pass || banWait) {
        o.Post(kMsgTalkReassured);
        o.AddStat(kAggressionStat, R(5 * level));
        o.AddStat(kAmbitionStat, R(10 * level));
        o.AddMorale(-R(10 * level));
        if (banWait) {
            o.AddStat(kSpiritStat, -R(5 * level));
            o.AddStat(kAggressionStat, -R(5 * level));
        }
    } else {
        o.Post(kMsgTalkUnconvinced);
        o.AddStat(kAggressionStat, R(5 * level));
        o.AddStat(kAmbitionStat, -R(10 * level));
        o.AddStat(kProfessionalismStat, -R(10 * level));
        o.AddMorale(-R(10 * level));
    }
}

// Kind 0: the disciplinary talks.
void DisciplineTalk(const DealOutcome& o, int option) {
    switch (option) {
        case 1:
            if (R(100) < o.Stat(kProfessionalismStat)) {
                o.Post(kMsgRebukeAccepted);
                o.SetF118(0);
            } else {
                o.Post(kMsgRebukeResented);
                o.AddMorale(R(60));
                o.Injure();
                o.Reaction(o.Fans() / 12);
            }
            break;
        case 2:
            if (R(100) < o.Stat(kAmbitionStat)) {
                o.Post(kMsgRebukeAccepted);
                o.SetF118(0);
            }
            break;
        case 3:
            if (R(100) < o.Stat(kAmbitionStat)) {
                o.Post(kMsgRebukeAccepted);
                o.SetF118(R(o.F118() + 1));
            }
            break;
        case 4:
            if (R(100) < o.Stat(kProfessionalismStat)) {
                o.Post(kMsgRebukeAccepted);
                o.AddStat(kAmbitionStat, -R(20));
            } else {
                o.Post(kMsgRebukeResented);
                o.Reaction(o.Fans() / 20);
                o.AddMorale(R(60));
            }
            break;
        case 5:
            if (R(100) > o.Stat(kLeadershipStat)) {
                o.Post(kMsgRebukeAccepted);
                o.SetF118(R(o.F118() + 1));
            }
            break;
        case 6:
            if (R(100) < o.Stat(kProfessionalismStat)) {
                o.Post(kMsgRebukeAccepted);
                o.SetF118(0);
            } else {
                o.Post(kMsgRebukeResented);
                o.Reaction(o.Fans() / 10);
                o.Injure();
            }
            break;
        default:
            break;
    }
}

// Kind 1: the talks that tell him where he falls short.
void CriticalTalk(const DealOutcome& o, int option) {
    bool pass = false;
    switch (option) {
        case 1:
            pass = R(60) <= o.F96();
            break;
        case 2:
            pass = R(100) <= o.Stat(kLeadershipStat);
            break;
        case 3:
            pass = R(60) >= o.F96();
            break;
        case 4:
            pass = R(60) >= o.Morale();
            break;
        case 5:
            pass = R(100) >= o.Stat(kProfessionalismStat);
            break;
        case 6:
            pass = R(100) <= o.Stat(kProfessionalismStat);
            break;
        default:
            return;
    }
    if (pass) {
        o.Post(kMsgCriticismAccepted);
        switch (option) {
            case 1:
            case 2:
                o.AddF96(-R(o.F96() + 1));
                o.AddMorale(-R(10));
                break;
            case 3:
            case 5:
                o.AddF96(-R(5));
                o.AddMorale(-R(5));
                break;
            case 4:
                o.AddF96(-R(10));
                o.AddMorale(-R(10));
                break;
            default:
                o.AddF96(-R(o.F96() + 1));
                o.AddMorale(-R(20));
                break;
        }
        return;
    }
    o.Post(kMsgCriticismRejected);
    switch (option) {
        case 3:
            o.AddF118(-R(o.F118() / 4 + 1));
            break;
        case 4:
            o.AddF118(-R(o.F118() / 3 + 1));
            break;
        case 5:
            o.AddStat(kAmbitionStat, -R(10));
            o.AddF118(-R(o.F118() / 4 + 1));
            break;
        default:
            o.AddF118(-R(o.F118() + 1));
            break;
    }
}

// Kind 2: the talks that settle him.
void SettlingTalk(const DealOutcome& o, int option) {
    bool pass = false;
    switch (option) {
        case 1:
            pass = R(100) <= o.Stat(kAmbitionStat);
            break;
        case 2:
            pass = R(100) < o.Stat(kAmbitionStat);
            break;
        case 3:
            pass = R(63) > o.Fans();
            break;
        case 4:
            pass = R(50) > int(GetPlayerPerf(o.p));
            break;
        case 5:
            pass = R(60) > o.F96();
            break;
        case 6:
            pass = R(100) > o.Stat(kSpiritStat);
            break;
        default:
            return;
    }
    if (pass) {
        if (option == 6) {
            o.AddF118(R(10));
        } else {
            const int range = option == 2 || option == 3 ? 20 : 10;
            o.AddF96(R(range));
            o.AddMorale(R(range));
        }
        o.Post(kMsgTalkSettled);
        return;
    }
    switch (option) {
        case 1:
            o.AddF96(-R(10));
            o.AddMorale(-R(10));
            o.AddF118(-R(10));
            break;
        case 4:
            o.AddMorale(-R(20));
            break;
        case 6:
            o.AddMorale(-R(10));
            break;
        default:
            o.AddStat(kProfessionalismStat, -R(10));
            o.AddStat(kAmbitionStat, -R(10));
            break;
    }
    o.Post(kMsgTalkStillUnsettled);
}

// Kind 3: praise, which only ever lifts him.
void PraiseTalk(const DealOutcome& o, int option) {
    struct Lift {
        bool stats;
        int first, second, field118;
    };
    constexpr Lift kLifts[kDealOptions] = {{false, 10, 10, 20}, {false, 5, 5, 10}, {false, 8, 8, 16},
                                           {true, 10, 10, 30},  {true, 5, 5, 15},  {true, 20, 20, 60}};
    if (option < 1 || option > kDealOptions) return;
    const Lift& lift = kLifts[option - 1];
    if (lift.stats) {
        o.AddStat(kProfessionalismStat, R(lift.first));
        o.AddStat(kAmbitionStat, R(lift.second));
    } else {
        o.AddF96(R(lift.first));
        o.AddMorale(R(lift.second));
    }
    o.AddF118(R(lift.field118));
    o.Post(kMsgPraiseThanks);
}

}  // namespace

int32_t ContractDeal_Process(MenuHotItem*) {
    const uint16_t p = Player();
    if (p == 0 || DealStartRole == -1 || DealState.player != p) {
        DealStartRole = -1;
        MenuOption = kScreenPlayerStats;
        return MENU_CLOSE;
    }
    const DealOutcome o{p, int16_t(SelectedClub)};
    SetPlayerFlag123(p, 1);
    const int16_t oldRole = DealStartRole;
    const int16_t newRole = RoleOf(p);
    RoleChange(o, oldRole, newRole);
    LevelTalk(o, DealLevel);
    // The talk the summary line shows is the one confirmed: acting on a kind
    // picked after the option would carry out a talk the manager was never
    // shown.
    if (DealState.chosenOption >= 1 && DealState.chosenOption <= kDealOptions) {
        switch (DealState.chosenKind) {
            case 0:
                DisciplineTalk(o, DealState.chosenOption);
                break;
            case 1:
                CriticalTalk(o, DealState.chosenOption);
                break;
            case 2:
                SettlingTalk(o, DealState.chosenOption);
                break;
            case 3:
                PraiseTalk(o, DealState.chosenOption);
                break;
            default:
                break;
        }
    }
    const int32_t price = GetPlayerManPrice(p);
    if (uint32_t(price) != DealState.entryManPrice && price > ValuePlayerFull(p)) o.AddF118(R(63));
    const bool hurt = oldRole != newRole && oldRole >= 0 && oldRole < kDealRoles && newRole >= 0 &&
                      newRole < kDealRoles && RoleMoraleTable[oldRole][newRole] < 0;
    if (hurt) {
        MenuOption = kScreenContractTalks;
        ContractTalksReason = int16_t(oldRole + 1);
    } else {
        MenuOption = kScreenPlayerStats;
    }
    DealStartRole = -1;
    return MENU_CLOSE;
}

// ---- The table --------------------------------------------------------------------------------

namespace {

int32_t LowLevel(MenuHotItem*) { return ContractDeal_SetLevel(1); }
int32_t HighLevel(MenuHotItem*) { return ContractDeal_SetLevel(2); }
template <uint16_t Kind>
int32_t KindButton(MenuHotItem*) {
    return ContractDeal_SetKind(Kind);
}
template <int32_t Step>
int32_t StepButton(MenuHotItem*) {
    return ContractDeal_PriceStep(Step, GetMenuButtons());
}

const MenuItem kRowShade[] = {
    {MI_CUSTOM, 0, 0, 680, 22, MenuFunction(DrawRowShade), nullptr},
    kMenuEnd,
};
template <uint16_t Option>
int32_t OptionButton(MenuHotItem*) {
    return ContractDeal_SetOption(Option);
}

}  // namespace

const MenuItem ContractMenuTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ContractMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 1, 0, MenuFunction(DrawBottomBar), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 64, 10, 0, &g_headerPtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 60, 100, 680, 66, MenuFunction(DrawBlackBox), nullptr},
    {MI_GROUP, 60, 100, 3, 22, kRowShade, nullptr},
    {MI_TEXT, 75, 102 + 11, 9, 0, MenuValue(995), nullptr},
    {MI_TEXT, 75, 124 + 11, 9, 0, MenuValue(996), nullptr},
    {MI_TEXT, 75, 146 + 11, 9, 0, MenuValue(1499), nullptr},
    {MI_CUSTOM, 60, 176, 680, 22, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 60, 176, 680, 22, MenuFunction(DrawBlackBox), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 75, 180 + 7, 9, 0, MenuValue(88), nullptr},
    {MI_STRING_VAR, 240, 180 + 7, 10, 0, &g_wagePtr, nullptr},
    {MI_STRING_VAR, 460, 180 + 7, 11, 0, &g_contractPtr, nullptr},
    {MI_STRING_VAR, 700, 180 + 7, 11, 0, &g_valuePtr, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 60, 208, 339, 28, MenuValue(1829), ContractDeal_OpenTalks},
    {MI_BUTTON_TEXT, 399, 208, 339, 28, MenuValue(997), ContractDeal_Release},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT_VAR, 349, 102, 206, 22, &g_roleText, ContractDeal_CycleRole},
    {MI_BUTTON_TEXT_VAR, 349, 124, 102, 22, &g_lowText, LowLevel},
    {MI_BUTTON_TEXT_VAR, 453, 124, 102, 22, &g_highText, HighLevel},
    {MI_CUSTOM, 0, 0, 0, 0, MenuFunction(ContractDeal_DrawPriceBoxes), nullptr},
    {MI_HOT_RECT, 372, 146, 20, 20, MenuValue(-1), StepButton<10000000>},
    {MI_HOT_RECT, 394, 146, 20, 20, MenuValue(-1), StepButton<1000000>},
    {MI_HOT_RECT, 420, 146, 20, 20, MenuValue(-1), StepButton<100000>},
    {MI_HOT_RECT, 442, 146, 20, 20, MenuValue(-1), StepButton<10000>},
    {MI_HOT_RECT, 464, 146, 20, 20, MenuValue(-1), StepButton<1000>},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_CUSTOM, 60, 276, 680, 22, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 60, 276, 680, 22, MenuFunction(DrawBlackShade50), nullptr},
    {MI_STRING_VAR, 400, 287, 10, 0, &g_kindTitlePtr, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(790), ContractDeal_Process},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(1315), ContractDeal_Cancel},
    {MI_BUTTON_TEXT, 60, 242, 169, 28, MenuValue(856), KindButton<0>},
    {MI_BUTTON_TEXT, 229, 242, 169, 28, MenuValue(999), KindButton<1>},
    {MI_BUTTON_TEXT, 398, 242, 169, 28, MenuValue(998), KindButton<2>},
    {MI_BUTTON_TEXT, 567, 242, 169, 28, MenuValue(742), KindButton<3>},
    {MI_BUTTON_STRING_VAR, 60, 306, 680, 22, &g_optionPtr[0], OptionButton<1>},
    {MI_BUTTON_STRING_VAR, 60, 328, 680, 22, &g_optionPtr[1], OptionButton<2>},
    {MI_BUTTON_STRING_VAR, 60, 350, 680, 22, &g_optionPtr[2], OptionButton<3>},
    {MI_BUTTON_STRING_VAR, 60, 372, 680, 22, &g_optionPtr[3], OptionButton<4>},
    {MI_BUTTON_STRING_VAR, 60, 394, 680, 22, &g_optionPtr[4], OptionButton<5>},
    {MI_BUTTON_STRING_VAR, 60, 416, 680, 22, &g_optionPtr[5], OptionButton<6>},
    {MI_FONT, 0, 0, 0, 0, MenuValue(10), nullptr},
    {MI_CUSTOM, 60, 442, 680, 22, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 60, 442, 680, 22, MenuFunction(DrawBlackBox), nullptr},
    {MI_STRING_VAR, 400, 453, 10, 0, &g_confirmNotePtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 60, 470, 680, 66, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 60, 470, 680, 66, MenuFunction(DrawBlackBox), nullptr},
    {MI_STRING_VAR, 400, 481, 10, 0, &g_summaryPtr[0], nullptr},
    {MI_STRING_VAR, 400, 503, 10, 0, &g_summaryPtr[1], nullptr},
    {MI_STRING_VAR, 400, 525, 10, 0, &g_summaryPtr[2], nullptr},
    kMenuEnd,
};

const char* ContractDealSummary(int line) { return line >= 0 && line < 3 ? g_summary[line] : ""; }
const char* ContractDealOptionLabel(int row) { return row >= 0 && row < kDealOptions ? g_options[row] : ""; }
int16_t ContractDealRoleText() { return g_roleText; }
