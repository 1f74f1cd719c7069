// The manager's hand on his own squad over one shared new-game world: the
// player deal screen (price boxes, role cycling, steps, cancel, release,
// talks refusals) and its outcomes for seeded draws; the squad numbers
// screen (numbers kept through a save and a load, number-all, the refusal to
// leave); the attribute table (sorting, value colours, paging, shirt swaps,
// the profile link); and the deal screen and the squad numbers screen run by
// the controller with the scripted user, with grabs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/blockfiles.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/playerstats.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/attributetable.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/squad/squadnumbers.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/playerdeal.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

bool g_dealWorldReady = false;
std::string g_dealWorldError;

void SquadDealNewWorld() {
    g_dealWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_dealWorldReady = g_dealWorldError.empty();
}

// Messages of the type in the club's archive and the user's inbox.
int ArchiveCount(int16_t club, int16_t type) {
    int found = 0;
    const auto count = [&](const MessageRecord& r) {
        uint16_t t;
        std::memcpy(&t, r.bytes + kMsgType, 2);
        found += t == uint16_t(type) ? 1 : 0;
    };
    for (const MessageRecord& r : MessageArchive[club]) count(r);
    for (const MessageRecord& r : UserInbox) count(r);
    return found;
}

// The grab in the back buffer's red-blue order (the plain background at
// the left edge tells which).
void MatchBackOrder(std::vector<uint32_t>& grab) {
    const auto swapped = [](uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16; };
    ShowMenuBackground(4);
    if (grab[300 * 800 + 8] != testenv::BackPixel(8, 300) &&
        grab[300 * 800 + 8] == swapped(testenv::BackPixel(8, 300))) {
        for (uint32_t& c : grab) c = swapped(c);
    }
}

// Share of the rectangle's pixels that the grab has as the back buffer has.
double Matching(const std::vector<uint32_t>& grab, int x0, int y0, int w, int h) {
    int same = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            same += grab[size_t(y) * 800 + size_t(x)] == testenv::BackPixel(x, y) ? 1 : 0;
    return double(same) / double(w * h);
}

class SquadDealTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        SquadDealNewWorld();
        if (!g_dealWorldReady) GTEST_FAIL() << g_dealWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SelectedClub = uint16_t(user_);
        HVW_BuildSquadList(user_);
        DealStartRole = -1;
        DealLevel = 0;
        PlayerProfileMode = 0;
    }
    void TearDown() override {
        if (g_dealWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    static bool Up(const MenuItem* table) { return testenv::MenuTableUp(table); }
    // Rests on the item first: a button that hears the cursor enter takes
    // no press in that same frame.
    static void ClickAt(int x, int y, int w = 0, int h = 0) {
        if (w > 0) {
            testenv::MenuUserMoveTo(x + w / 2, y + h / 2);
            testenv::MenuUserWait(3);
        }
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    // A player of the user's first team, the k-th valid one.
    uint16_t TeamPlayer(int k = 0) const {
        for (uint16_t p : FirstTeamList.players) {
            if (p == 0 || p >= PlayerCount || GetPlayerClub(p) != uint16_t(user_)) continue;
            if (GetPlayerLoanClub(p) != uint16_t(user_) || GetPlayerHalvorn(p) != 0) continue;
            if (k-- == 0) return p;
        }
        return 0;
    }
    // A fresh deal opened on the player as the screen's first pass does.
    static void OpenDeal(uint16_t p) {
        SelectedPlayer = int16_t(p);
        DealStartRole = -1;
        SetMenuFirstEntry(1);
        ContractMenuProc();
        SetMenuFirstEntry(0);
    }
    // Mid-range values that no step below clamps.
    static void Prepare(uint16_t p) {
        for (int stat : {15, 18, 20, 21, 24, 25}) SetPlayerStat(p, int16_t(stat), 50);
        SetPlayerMorale(p, 30);
        SetPlayerField96(p, 30);
        SetPlayerField118(p, 30);
        SetPlayerBanWait(p, 0);
        SetPlayerFlag123(p, 0);
        SetPlayerManPrice(p, -1);
    }
    // Scripted: from the player's profile to his deal screen, through the
    // profile's action pop-up.
    static void ScriptDealFromProfile() {
        ClickAt(60, 559);
        testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
        testenv::MenuUserWait(4);
        testenv::MenuUserClickPopupRow(8);  // the deal, after the eight entries of an own player
        testenv::MenuUserWaitFor([] { return Up(ContractMenuTable); }, 1000);
        testenv::MenuUserWait(6);
    }
    // Scripted: from the squad list to the deal screen of its third row.
    static void ScriptDealFromSquadList() {
        testenv::MenuUserRightClickAt(50 + 307 / 2, 147 + 23 * 2 + 11);
        testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 1000);
        testenv::MenuUserWait(2);
        ScriptDealFromProfile();
    }
    int16_t user_ = -1;
};

// ---- The deal screen --------------------------------------------------------------------------

TEST_F(SquadDealTest, PriceBoxesStepsRoleCyclesAndCancelRestoreTheEntry) {
    const uint16_t p = TeamPlayer();
    ASSERT_NE(p, 0);
    Prepare(p);
    SetPlayerField117(p, 2);
    OpenDeal(p);
    // No man price: the value is shown; nothing is summarised yet.
    EXPECT_EQ(DealState.askingPrice, HVW_ValuePlayer(p));
    EXPECT_EQ(DealStartRole, 2);
    for (int line = 0; line < 3; ++line) EXPECT_STREQ(ContractDealSummary(line), " ");
    EXPECT_EQ(ContractDealRoleText(), HVW_GetRoleText(2));

    // Seven cycles come back to the role; the setter wraps 6 to 0.
    for (int i = 0; i < 7; ++i) ContractDeal_CycleRole(nullptr);
    ContractMenuProc();
    EXPECT_EQ(GetPlayerField117(p), 2);
    EXPECT_STREQ(ContractDealSummary(0), " ");
    SetPlayerField117(p, 6);
    ContractDeal_CycleRole(nullptr);
    EXPECT_EQ(GetPlayerField117(p), 0);
    SetPlayerField117(p, 2);

    // Steps are stored at once; below 0 stops at 0; the top never wraps.
    const int32_t value = HVW_ValuePlayer(p);
    ContractDeal_PriceStep(10000, 1);
    EXPECT_EQ(GetPlayerManPrice(p), value + 10000);
    ContractMenuProc();
    EXPECT_STRNE(ContractDealSummary(2), " ");
    ContractDeal_PriceStep(10000, 0);
    EXPECT_EQ(GetPlayerManPrice(p), value + 10000);
    HVW_SetPlayerManPrice(p, 5000);
    ContractMenuProc();
    ContractDeal_PriceStep(10000, 2);
    EXPECT_EQ(GetPlayerManPrice(p), 0);
    HVW_SetPlayerManPrice(p, INT32_MAX - 5);
    ContractMenuProc();
    ContractDeal_PriceStep(10000000, 1);
    EXPECT_EQ(GetPlayerManPrice(p), INT32_MAX);

    // The boxes show the lower eight digits.
    const int digits[8] = {2, 3, 4, 5, 6, 7, 8, 9};
    for (int box = 1; box <= 8; ++box) EXPECT_EQ(ContractDeal_BoxDigit(123456789, box), digits[box - 1]);
    EXPECT_EQ(ContractDeal_BoxX(3), 420);
    EXPECT_EQ(ContractDeal_BoxX(8), 534);

    // Cancel restores the role and the missing man price.
    ContractDeal_CycleRole(nullptr);
    EXPECT_EQ(ContractDeal_Cancel(nullptr), MENU_CLOSE);
    EXPECT_EQ(GetPlayerField117(p), 2);
    EXPECT_EQ(HVW_GetPlayerManPriceRaw(p), -1);
    EXPECT_EQ(DealStartRole, -1);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);

    // An open deal survives a visit elsewhere: the entry values stay.
    HVW_SetPlayerManPrice(p, 70000);
    OpenDeal(p);
    ContractDeal_PriceStep(1000, 1);
    SetMenuFirstEntry(1);
    ContractMenuProc();
    SetMenuFirstEntry(0);
    EXPECT_EQ(DealState.entryManPrice, 70000u);
    ContractDeal_SetLevel(2);
    ContractDeal_SetKind(1);
    ContractDeal_SetOption(3);
    ContractDeal_SetKind(2);
    ContractMenuProc();
    EXPECT_EQ(std::string(ContractDealSummary(1)), std::string(GetText(1005)) + " " + GetText(1355));
    EXPECT_EQ(std::string(ContractDealSummary(0)), std::string(GetText(996)) + " " + GetText(1372));
    EXPECT_EQ(std::string(ContractDealOptionLabel(0)), GetText(1359));
    ContractDeal_Cancel(nullptr);
    EXPECT_EQ(GetPlayerManPrice(p), 70000);
    HVW_SetPlayerManPrice(p, -1);

    // A deal left open for one player is not carried over to another:
    // his screen opens a deal of his own, and Cancel restores his values.
    const uint16_t other = TeamPlayer(5);
    ASSERT_NE(other, 0);
    SetPlayerField117(other, 4);
    HVW_SetPlayerManPrice(other, 90000);
    OpenDeal(p);
    ContractDeal_CycleRole(nullptr);
    SelectedPlayer = int16_t(other);
    SetMenuFirstEntry(1);
    ContractMenuProc();
    SetMenuFirstEntry(0);
    EXPECT_EQ(DealStartRole, 4);
    ContractDeal_Cancel(nullptr);
    EXPECT_EQ(GetPlayerField117(other), 4);
    EXPECT_EQ(GetPlayerManPrice(other), 90000);
    SetPlayerField117(p, 2);
    HVW_SetPlayerManPrice(other, -1);
}

// A deal left open belongs to the game it was opened in: after a saved
// game is loaded, the screen opens the loaded player's own deal, and Cancel
// gives him back his role in that game, not the one he had in the other.
TEST_F(SquadDealTest, ADealLeftOpenEndsWithTheGameItWasOpenedIn) {
    const uint16_t p = TeamPlayer();
    ASSERT_NE(p, 0);
    Prepare(p);
    SetPlayerField117(p, 2);
    OpenDeal(p);
    ContractDeal_CycleRole(nullptr);  // stored on him at once
    const int16_t saved = GetPlayerField117(p);
    ASSERT_NE(saved, 2);
    ASSERT_EQ(SaveGame(1), 0);
    SaveSlotShownUsed[1] = 1;
    SaveLoadMode = 1;
    EXPECT_EQ(SaveLoadPickSlot(1), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SelectedPlayer = int16_t(p);
    SetMenuFirstEntry(1);
    ContractMenuProc();
    SetMenuFirstEntry(0);
    ContractDeal_Cancel(nullptr);
    EXPECT_EQ(GetPlayerField117(p), saved);
    SaveLoadMode = 0;
}

TEST_F(SquadDealTest, RoleChangesTheirMoraleAndTheExitToTalks) {
    const uint16_t p = TeamPlayer(1);
    ASSERT_NE(p, 0);
    // Role 6 to role 0: -50, clamped at 0, message 269, a squad reaction,
    // and talks with the old role + 1.
    Prepare(p);
    SetPlayerField117(p, 6);
    OpenDeal(p);
    ContractDeal_CycleRole(nullptr);
    const int upset = ArchiveCount(user_, kMsgRoleUpset);
    const int reactions = ArchiveCount(user_, kMsgManyUnsettled) + ArchiveCount(user_, kMsgFewUnsettled);
    GameSeedRandom(7);
    EXPECT_EQ(ContractDeal_Process(nullptr), MENU_CLOSE);
    EXPECT_EQ(GetPlayerMorale(p), 0);
    EXPECT_EQ(ArchiveCount(user_, kMsgRoleUpset), upset + 1);
    EXPECT_EQ(ArchiveCount(user_, kMsgManyUnsettled) + ArchiveCount(user_, kMsgFewUnsettled), reactions + 1);
    EXPECT_EQ(MenuOption, kScreenContractTalks);
    EXPECT_EQ(ContractTalksReason, 7);
    EXPECT_EQ(DealStartRole, -1);
    EXPECT_EQ(GetPlayerFlag123(p), 1);

    // Role 0 to 1 hurts (-25); 1 to 0 changes nothing.
    Prepare(p);
    SetPlayerField117(p, 0);
    OpenDeal(p);
    ContractDeal_CycleRole(nullptr);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerMorale(p), 5);
    EXPECT_EQ(MenuOption, kScreenContractTalks);
    EXPECT_EQ(ContractTalksReason, 1);
    Prepare(p);
    SetPlayerField117(p, 1);
    OpenDeal(p);
    SetPlayerField117(p, 0);
    const int welcomed = ArchiveCount(user_, kMsgRolePleased);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerMorale(p), 30);
    EXPECT_EQ(ArchiveCount(user_, kMsgRolePleased), welcomed);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);

    // Nothing chosen: only the flag, and the profile again.
    Prepare(p);
    OpenDeal(p);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerFlag123(p), 1);
    EXPECT_EQ(GetPlayerMorale(p), 30);
    EXPECT_EQ(GetPlayerField118(p), 30);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    SetPlayerField117(p, 2);
}

TEST_F(SquadDealTest, LevelKindAndOptionOutcomesForSeededDraws) {
    const uint16_t p = TeamPlayer(2);
    ASSERT_NE(p, 0);
    // Level 2 with a ban wait: always the first outcome, with its two
    // losses.  Draws: r(4) r(4) r(100) r(10) r(20) r(20) r(10) r(10).
    Prepare(p);
    SetPlayerStat(p, 24, 0);
    SetPlayerBanWait(p, 3);
    OpenDeal(p);
    ContractDeal_SetLevel(2);
    GameSeedRandom(1234);
    int d[8];
    const int ranges[8] = {4, 4, 100, 10, 20, 20, 10, 10};
    for (int i = 0; i < 8; ++i) d[i] = GameRandom() % ranges[i];
    const int talked = ArchiveCount(user_, kMsgTalkReassured);
    GameSeedRandom(1234);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(ArchiveCount(user_, kMsgTalkReassured), talked + 1);
    EXPECT_EQ(GetPlayerStat(p, 21, 0), 50 - d[0] + d[1]);
    EXPECT_EQ(GetPlayerStat(p, 15, 0), 50 + d[3] - d[7]);
    EXPECT_EQ(GetPlayerStat(p, 25, 0), 50 + d[4]);
    EXPECT_EQ(GetPlayerMorale(p), 30 - d[5]);
    EXPECT_EQ(GetPlayerStat(p, 18, 0), 50 - d[6]);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);

    // Kind 3 only raises: the chosen praise with its message.
    Prepare(p);
    OpenDeal(p);
    ContractDeal_SetKind(3);
    ContractDeal_SetOption(6);
    GameSeedRandom(99);
    const int a = GameRandom() % 20, b = GameRandom() % 20, c = GameRandom() % 60;
    GameSeedRandom(99);
    const int praised = ArchiveCount(user_, kMsgPraiseThanks);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerStat(p, 24, 0), 50 + a);
    EXPECT_EQ(GetPlayerStat(p, 25, 0), 50 + b);
    EXPECT_EQ(GetPlayerField118(p), std::min(30 + c, 63));
    EXPECT_EQ(ArchiveCount(user_, kMsgPraiseThanks), praised + 1);

    // The kind confirmed is the one the summary shows, also after another
    // kind is shown: kind 0 option 2 passes (r(100) < 99 for this seed).
    Prepare(p);
    SetPlayerStat(p, 25, 99);
    OpenDeal(p);
    ContractDeal_SetKind(0);
    ContractDeal_SetOption(2);
    ContractDeal_SetKind(3);
    GameSeedRandom(5);
    ASSERT_LT(GameRandom() % 100, 99);
    GameSeedRandom(5);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerField118(p), 0);

    // r(1) is always 0: with fields 96 and 118 at 0 the first criticism
    // leaves both at 0 whichever way it goes.
    Prepare(p);
    SetPlayerField96(p, 0);
    SetPlayerField118(p, 0);
    OpenDeal(p);
    ContractDeal_SetKind(1);
    ContractDeal_SetOption(1);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerField96(p), 0);
    EXPECT_EQ(GetPlayerField118(p), 0);

    // An asking price above his full value adds r(63) to field 118.  While
    // he is under contract his full value is the asking price itself: a
    // player whose contract has run out is valued at nothing.
    Prepare(p);
    const int16_t contract = int16_t(GetPlayerContract(p));
    SetPlayerContract(p, 0);
    OpenDeal(p);
    HVW_SetPlayerManPrice(p, int32_t(std::min<int64_t>(int64_t(ValuePlayerFull(p)) + 5000000, INT32_MAX)));
    GameSeedRandom(11);
    const int lift = GameRandom() % 63;
    GameSeedRandom(11);
    ContractDeal_Process(nullptr);
    EXPECT_EQ(GetPlayerField118(p), std::min(30 + lift, 63));
    SetPlayerContract(p, contract);
    SetPlayerManPrice(p, -1);
    SetPlayerBanWait(p, 0);
}

TEST_F(SquadDealTest, ReleasePaysUpAndATooDearOneIsRefused) {
    const uint16_t p = TeamPlayer(3);
    ASSERT_NE(p, 0);
    SetPlayerWage(p, 20);  // 500 a week
    SetPlayerContract(p, 10);
    const int64_t cost = int64_t(HVW_GetPlayerWage(p)) * 10 * 4;
    SelectedPlayer = int16_t(p);
    // Beyond the budget: a message box, and nothing changed.
    SetClubBalance(user_, 0);
    ASSERT_LT(HVW_GetClubWageBudget(user_), cost);
    static bool boxShown;
    boxShown = false;
    testenv::MenuUserWait(4);
    testenv::MenuUserDo([] { boxShown = ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
    testenv::MenuUserClickAt(400, 300);
    MenuOption = kScreenContractMenu;
    EXPECT_EQ(ContractDeal_Release(nullptr), MENU_REDRAW);
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
    EXPECT_EQ(GetClubBalance(user_), 0);
    EXPECT_EQ(MenuOption, kScreenContractMenu);

    // Within the budget and answered yes: paid, listed, clubless.
    SetClubBalance(user_, 50000000);
    const int16_t week = DaysToWeeks(HVW_GetCurrentDay());
    const int32_t weekOut = GetClubWeekMiscOut(user_, week), seasonOut = GetClubSeasonMiscOut(user_);
    const int32_t balance = GetClubBalance(user_);
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 200);
    testenv::MenuUserWait(2);
    testenv::MenuUserClickAt(300, 350);  // yes
    EXPECT_EQ(ContractDeal_Release(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenSquadList);
    EXPECT_EQ(GetClubBalance(user_), balance - cost);
    EXPECT_EQ(GetClubWeekMiscOut(user_, week), weekOut + cost);
    EXPECT_EQ(GetClubSeasonMiscOut(user_), seasonOut + cost);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(kNoClub));
    EXPECT_EQ(GetPlayerWage(p), 1);
    EXPECT_EQ(HVW_GetPlayerTxList(p), 1);
    static ClubHistoryEntry entries[kClubHistoryLookup];
    const int count = FindClubHistoryEntry(user_, entries);
    ASSERT_GT(count, 0);
    bool found = false;
    for (int i = 0; i < count; ++i)
        found = found || (ClubHistoryValue(entries[i]) == p && ClubHistoryKind(entries[i]) == 10);
    EXPECT_TRUE(found);
    SetPlayerClub(p, user_);
    SetPlayerLoanClub(p, user_);
    RebuildClubRoster(user_);
}

TEST_F(SquadDealTest, TalksRefusedForALongContractAndForAClubBelowItsStanding) {
    const uint16_t p = TeamPlayer(4);
    ASSERT_NE(p, 0);
    SelectedPlayer = int16_t(p);
    SetPlayerFlag95(p, 0);
    SetPlayerContract(p, 24);
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 200);
    testenv::MenuUserWait(2);
    testenv::MenuUserClickAt(400, 300);
    MenuOption = kScreenContractMenu;
    EXPECT_EQ(ContractDeal_OpenTalks(nullptr), MENU_REDRAW);
    EXPECT_EQ(MenuOption, kScreenContractMenu);
    // A contract of 23 meets no first refusal; a club placed no lower than
    // its standing meets no second.
    SetPlayerContract(p, 23);
    if (HVW_GetClubTablePosition(user_) <= int(GetClubBaseRep(user_))) {
        ContractTalksReason = 5;
        EXPECT_EQ(ContractDeal_OpenTalks(nullptr), MENU_CLOSE);
        EXPECT_EQ(MenuOption, kScreenContractTalks);
        EXPECT_EQ(PreviousMenuOption, kScreenContractMenu);
        EXPECT_EQ(ContractTalksReason, 0);
    }
    testenv::MenuUserStop();
    testenv::MenuUserStart();
}

// ---- The squad numbers screen --------------------------------------------------------------------

int CountUnnumbered() {
    int n = 0;
    for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList})
        for (uint16_t p : list->players)
            if (p != 0 && p < PlayerCount) n += GetPlayerField92(p) == 0 ? 1 : 0;
    return n;
}

TEST_F(SquadDealTest, NumbersSurviveALoadNumberAllAndTheRefusalToLeave) {
    SquadNumbers.rebuildRequest = 1;
    SquadNumbers.listChoice = 0;
    SetMenuFirstEntry(1);
    DisplaySort();
    SetMenuFirstEntry(0);
    SquadNumbers_ClearAll(nullptr);
    ASSERT_GT(CountUnnumbered(), 0);
    SquadNumbers_NumberAll(nullptr);
    EXPECT_EQ(CountUnnumbered(), 0);
    // The lowest numbers, in list order.
    int listed = 0;
    for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList})
        for (uint16_t p : list->players)
            if (p != 0 && p < PlayerCount) {
                EXPECT_EQ(GetPlayerField92(p), ++listed);
            }
    DisplaySort();
    EXPECT_EQ(SquadNumbersButtonState(0), 3);
    EXPECT_EQ(SquadNumbersButtonState(listed), listed < 50 ? 0 : 3);

    // Picking a taken number frees it from its wearer at once; a row click
    // gives it; a swap of two.
    const uint16_t first = SquadNumbers.shown[0], second = SquadNumbers.shown[1];
    const int16_t firstNumber = int16_t(GetPlayerField92(first));
    SquadNumbers_PickNumber(int16_t(firstNumber - 1));
    EXPECT_EQ(GetPlayerField92(first), 0);
    EXPECT_EQ(SquadNumbers.inUse[firstNumber - 1], -1);
    DisplaySort();
    EXPECT_EQ(SquadNumbersButtonState(firstNumber - 1), 8);
    SquadNumbers_RowClick(1, 1);
    EXPECT_EQ(GetPlayerField92(second), firstNumber);
    EXPECT_EQ(SquadNumbers.selectedNumber, -1);
    EXPECT_EQ(SquadNumbers_RowClick(0, 2), MENU_CONTINUE);
    SquadNumbers_RowClick(0, 1);
    SquadNumbers_RowClick(1, 1);
    EXPECT_EQ(GetPlayerField92(first), firstNumber);
    EXPECT_EQ(GetPlayerField92(second), 0);
    SquadNumbers_NumberAll(nullptr);

    // The button under the pointer: row 2 from y 501, columns 25 apart.
    EXPECT_EQ(SquadNumbers_NumberAt(20, 480), 0);
    EXPECT_EQ(SquadNumbers_NumberAt(43 + 25 * 3, 510), 28);
    EXPECT_EQ(SquadNumbers_NumberAt(44, 480), -1);

    // A save and a load keep every number; a new run's first visit too.
    std::vector<std::pair<uint16_t, uint16_t>> numbers;
    for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList})
        for (uint16_t p : list->players)
            if (p != 0 && p < PlayerCount) numbers.emplace_back(p, GetPlayerField92(p));
    ASSERT_EQ(SaveGame(3), 0);
    for (auto [p, n] : numbers) SetPlayerField92(p, 0);
    ASSERT_EQ(LoadGame(3), 0);
    // A later visit of the same run marks what the loaded lists hold.
    std::fill(std::begin(SquadNumbers.inUse), std::end(SquadNumbers.inUse), int16_t(-1));
    SetMenuFirstEntry(1);
    DisplaySort();
    SetMenuFirstEntry(0);
    for (auto [p, n] : numbers) {
        EXPECT_EQ(GetPlayerField92(p), n) << "player " << p;
        if (n > 0) {
            EXPECT_EQ(SquadNumbers.inUse[n - 1], 1);
        }
    }
    numbers.clear();
    for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList})
        for (uint16_t p : list->players)
            if (p != 0 && p < PlayerCount) numbers.emplace_back(p, GetPlayerField92(p));

    // A number held twice keeps its first holder; one above 100 goes.
    ASSERT_GE(numbers.size(), 3u);
    SetPlayerField92(numbers[1].first, numbers[0].second);
    SetPlayerField92(numbers[2].first, 120);
    SquadNumbers.rebuildRequest = 1;
    DisplaySort();
    EXPECT_EQ(GetPlayerField92(numbers[0].first), numbers[0].second);
    EXPECT_EQ(GetPlayerField92(numbers[1].first), 0);
    EXPECT_EQ(GetPlayerField92(numbers[2].first), 0);

    // Leaving with one unnumbered player of the spare list is refused,
    // while another list is shown.
    SquadNumbers_NumberAll(nullptr);
    uint16_t spare = 0;
    for (uint16_t p : YouthList.players)
        if (p != 0 && p < PlayerCount) spare = p;
    if (spare != 0) {
        SetPlayerField92(spare, 0);
        SquadNumbers.listChoice = 0;
        testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 200);
        testenv::MenuUserWait(2);
        testenv::MenuUserClickAt(400, 300);
        MenuOption = kScreenSquadNumbers;
        EXPECT_EQ(SquadNumbers_Leave(nullptr), MENU_REDRAW);
        EXPECT_EQ(MenuOption, kScreenSquadNumbers);
        SquadNumbers_NumberAll(nullptr);
    }
    EXPECT_EQ(SquadNumbers_Leave(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);

    // The value column by key; the late-season refusal of the fitness keys.
    const uint16_t p = SquadNumbers.shown[0];
    EXPECT_STREQ(SquadNumbers_Value(2, p), std::to_string(HVW_GetPlayerAge(p)).c_str());
    EXPECT_EQ(std::string(SquadNumbers_Value(35, p)), std::to_string(HVW_GetPlayerFitnessPct(p)) + "%");
    const int16_t today = SeasonCalendar.currentDay;
    const int16_t lastDay = SeasonCalendar.leagueEndDay[HVW_GetViewedCountry()];
    SeasonCalendar.currentDay = int16_t(lastDay - 1);
    SquadNumbers_ChooseKey(36);
    EXPECT_EQ(SquadNumbers.displayKey, 36) << "fatigue can be shown before the league's last day";
    SquadNumbers_ChooseKey(29);
    EXPECT_EQ(SquadNumbers.displayKey, 29);
    SeasonCalendar.currentDay = lastDay;
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 200);
    testenv::MenuUserWait(2);
    testenv::MenuUserClickAt(400, 300);
    SquadNumbers_ChooseKey(35);
    EXPECT_EQ(SquadNumbers.displayKey, 29) << "fitness cannot be shown in the late season";
    SeasonCalendar.currentDay = today;
    SquadNumbers.displayKey = 4;
}

TEST(SquadDealDeathTest, AnUnknownKeyOrExtraChoiceEndsTheProgram) {
    SquadNumbers.listChoice = 0;
    EXPECT_DEATH(SquadNumbers_Value(30, 1), "SortByType");
    EXPECT_DEATH(PlayerTable_ExtraValue(12, 1), "SortByType");
}

// ---- The attribute table ---------------------------------------------------------------------

TEST_F(SquadDealTest, AttributeTableSortsColoursPagesAndSwapsShirts) {
    EXPECT_EQ(PlayerTable_ValueColour(90), 12);
    EXPECT_EQ(PlayerTable_ValueColour(91), 6);
    EXPECT_EQ(PlayerTable_ValueColour(76), 12);
    EXPECT_EQ(PlayerTable_ValueColour(75), 0);
    EXPECT_EQ(PlayerTable_ValueColour(30), 16);
    EXPECT_EQ(PlayerTable_ValueColour(15), 4);

    SetMenuFirstEntry(1);
    PlayerList2MenuProc();
    SetMenuFirstEntry(0);
    AttributeTableState& t = AttributeTable;
    ASSERT_GT(t.count, 11);
    // Sorted by the first column's stat, descending.
    PlayerTable_ToggleColumnSort(0);
    EXPECT_EQ(t.columnHighlight[0], 8);
    PlayerList2MenuProc();
    for (int row = 1; row < std::min<int>(t.count, kTablePageRows); ++row)
        EXPECT_GE(PlayerTableCell(row - 1, 0), PlayerTableCell(row, 0)) << "row " << row;
    // A new key for the sorting column moves the sort along.
    PlayerTable_ChooseColumnKey(0, 7);
    EXPECT_EQ(t.sortColumnKey, 7);
    // Grouped: position types first, the column within each.
    PlayerTable_ToggleGrouping();
    PlayerList2MenuProc();
    for (int row = 1; row < std::min<int>(t.count, kTablePageRows); ++row) {
        const uint16_t a = PlayerTableRowPlayer(row - 1), b = PlayerTableRowPlayer(row);
        ASSERT_LE(HVW_GetPositionType(a), HVW_GetPositionType(b));
        if (HVW_GetPositionType(a) == HVW_GetPositionType(b)) {
            EXPECT_GE(PlayerTableCell(row - 1, 0), PlayerTableCell(row, 0));
        }
    }
    PlayerTable_ToggleGrouping();
    // The sort entry twice switches sorting off again.
    PlayerTable_ToggleColumnSort(0);
    EXPECT_EQ(t.sortColumnKey, kNoSortColumn);
    EXPECT_EQ(t.columnHighlight[0], 0);

    // Twenty players page to entries 4-19.
    const int16_t kept = t.count;
    t.count = 20;
    for (int i = kept; i < 20; ++i) t.list[i] = t.list[i - kept + 1];
    EXPECT_EQ(PlayerTable_PageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(t.top, 4);
    PlayerTable_PageDown(nullptr);
    EXPECT_EQ(t.top, 4);
    EXPECT_EQ(PlayerTable_PageUp(nullptr), MENU_REDRAW);
    EXPECT_EQ(t.top, 0);
    t.count = 16;
    EXPECT_EQ(PlayerTable_PageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(t.top, 0);
    t.count = kept;
    for (int i = kept; i < kTableRows; ++i) t.list[i] = 0;

    // Two clicks swap shirts; the same player twice changes nothing.
    PlayerList2MenuProc();
    const uint16_t a = PlayerTableRowPlayer(0), b = PlayerTableRowPlayer(1);
    const int16_t shirtA = HVW_GetPlayerShirt(a), shirtB = HVW_GetPlayerShirt(b);
    PlayerTable_RowClick(0, 1);
    EXPECT_EQ(t.selectedPlayer, a);
    PlayerTable_RowClick(0, 1);
    EXPECT_EQ(HVW_GetPlayerShirt(a), shirtA);
    PlayerTable_RowClick(0, 1);
    PlayerTable_RowClick(1, 1);
    EXPECT_EQ(HVW_GetPlayerShirt(a), shirtB);
    EXPECT_EQ(HVW_GetPlayerShirt(b), shirtA);
    EXPECT_EQ(t.selectedPlayer, 0);
    HVW_SetPlayerShirt(a, shirtA);
    HVW_SetPlayerShirt(b, shirtB);

    // A right click opens the profile; on an empty row it does nothing.
    MenuOption = kScreenAttributeTable;
    t.top = 0;
    EXPECT_EQ(PlayerTable_RowClick(t.count, 2), MENU_CONTINUE);
    EXPECT_EQ(MenuOption, kScreenAttributeTable);
    EXPECT_EQ(PlayerTable_RowClick(0, 2), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(ReturnMenuOption, kScreenAttributeTable);
    EXPECT_EQ(SelectedPlayer, int16_t(PlayerTableRowPlayer(0)));
    // The career button needs a selected player.
    EXPECT_EQ(PlayerTable_ToSearchFilter(nullptr), MENU_CONTINUE);
}

// ---- The screens under the controller -----------------------------------------------------------

TEST_F(SquadDealTest, ScriptedDealFromTheSquadListCancelledThenConfirmed) {
    MenuOption = kScreenSquadList;
    PreviousMenuOption = kScreenClubMain;
    static uint16_t player;
    static int16_t role;
    static int32_t startPrice;
    static std::vector<uint32_t> grab;
    static int16_t cycledRole;
    static int32_t steppedPrice;
    player = 0;
    testenv::MenuUserWaitFor([] { return Up(SquadListTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        player = ShownPlayers[2];
        Prepare(player);
        HVW_SetPlayerFlag95(player, 0);
        SetPlayerField117(player, 2);
        HVW_SetPlayerManPrice(player, 1234567);
        role = 2;
        startPrice = 1234567;
    });
    ScriptDealFromSquadList();
    testenv::MenuUserMoveTo(780, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { grab = testenv::NewestGrabPixels(); });
    for (int i = 0; i < 3; ++i) {
        ClickAt(349, 102, 206, 22);
        testenv::MenuUserWait(6);
    }
    testenv::MenuUserDo([] { cycledRole = int16_t(GetPlayerField117(player)); });
    ClickAt(372, 146, 20, 20);  // + 10,000,000
    testenv::MenuUserWait(3);
    ClickAt(464, 146, 20, 20);  // + 1,000
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { steppedPrice = GetPlayerManPrice(player); });
    ClickAt(399, 559, 339, 28);  // Cancel
    testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 1000);
    testenv::MenuUserWait(2);
    ClickAt(743, 559);  // back to the squad list
    testenv::MenuUserWaitFor([] { return Up(SquadListTable); }, 1000);
    testenv::MenuUserWait(3);
    static int16_t restoredRole;
    static int32_t restoredPrice;
    testenv::MenuUserDo([] {
        restoredRole = int16_t(GetPlayerField117(player));
        restoredPrice = GetPlayerManPrice(player);
        SetPlayerFlag123(player, 0);
    });
    // Again, now a role change that pleases, a praise, and Confirm.
    ScriptDealFromSquadList();
    for (int i = 0; i < 4; ++i) {  // 2 -> 6
        ClickAt(349, 102, 206, 22);
        testenv::MenuUserWait(6);
    }
    ClickAt(567, 242, 169, 28);  // praise
    testenv::MenuUserWait(3);
    ClickAt(60, 328, 680, 22);  // its second option
    testenv::MenuUserWait(3);
    static int drawn[8];
    testenv::MenuUserDo([] {
        // Role 2 to 6 lifts morale by 25 (the role table); praise 2 draws
        // r(5) r(5) r(10).
        GameSeedRandom(4242);
        for (int i = 0; i < 3; ++i) drawn[i] = GameRandom() % (i < 2 ? 5 : 10);
        GameSeedRandom(4242);
    });
    ClickAt(60, 559, 339, 28);  // Confirm
    // Until the confirmed deal has closed its screen.
    int rounds = 0;
    while (!(player != 0 && GetPlayerFlag123(player) == 1) && !WinCloseRequested() && ++rounds < 40)
        DoMainMenuOption();
    const int16_t afterConfirm = MenuOption;
    ASSERT_NE(player, 0);
    EXPECT_EQ(cycledRole, 5);
    EXPECT_EQ(steppedPrice, startPrice + 10001000);
    EXPECT_EQ(restoredRole, role);
    EXPECT_EQ(restoredPrice, startPrice);
    // 2 -> 6 pleases: the profile, not the talks.
    EXPECT_EQ(afterConfirm, 4);
    EXPECT_EQ(GetPlayerField117(player), 6);
    EXPECT_EQ(GetPlayerMorale(player), std::min(30 + 25 + drawn[1], 60));
    EXPECT_EQ(GetPlayerField96(player), 30 + drawn[0]);
    EXPECT_EQ(GetPlayerField118(player), 30 + drawn[2]);
    EXPECT_EQ(GetPlayerFlag123(player), 1);
    SetPlayerField117(player, 2);
    SetPlayerManPrice(player, -1);

    // The grab shows the boxes as the painter draws 1,234,567: every digit
    // at its place, the commas between the groups.
    ASSERT_EQ(grab.size(), 800u * 600u);
    MatchBackOrder(grab);
    const auto boxes = [&] {
        double sum = 0;
        for (int box = 0; box < 9; ++box) sum += Matching(grab, ContractDeal_BoxX(box), 146, 20, 20);
        return sum / 9;
    };
    DealState.askingPrice = 1234567;
    ContractDeal_DrawPriceBoxes(0, 0, 0, 0);
    EXPECT_GT(boxes(), 0.99);
    DealState.askingPrice = 7654321;
    ContractDeal_DrawPriceBoxes(0, 0, 0, 0);
    EXPECT_LT(boxes(), 0.95);
    // The comma gaps hold more than background.
    ShowMenuBackground(4);
    int comma = 0;
    for (int gap : {ContractDeal_BoxX(2) + 22, ContractDeal_BoxX(5) + 22})
        for (int y = 160; y < 172; ++y)
            for (int x = gap - 1; x < gap + 5; ++x)
                comma += grab[size_t(y) * 800 + size_t(x)] != testenv::BackPixel(x, y);
    EXPECT_GT(comma, 4);
}

// Each talk outcome confirmed on the screen posts its answer to the user's
// inbox, from the player to his club, with his age in years.  The player's
// values are set so that the test goes the intended way for any draw; the
// generator is seeded so the run repeats.
TEST_F(SquadDealTest, ScriptedTalkOutcomesPostTheirAnswers) {
    MenuOption = kScreenSquadList;
    PreviousMenuOption = kScreenClubMain;
    static uint16_t player;
    static int16_t club;
    static bool done;
    player = 0;
    club = user_;
    done = false;
    testenv::MenuUserWaitFor([] { return Up(SquadListTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        player = ShownPlayers[2];
        HVW_SetPlayerFlag95(player, 0);
        SetPlayerField117(player, 2);
        Prepare(player);
        // The inbox drops a repeat of today's message about the same player.
        ClearInbox();
    });
    struct Round {
        uint16_t level;      // 0 none, 1 low, 2 high
        int kind, option;    // the talk confirmed: kind 0..3, option 1..6
        bool raiseRole;      // one step up the squad roles
        int16_t answers[2];  // posted by the confirm; -1 none
    };
    // Level: pass when r(100) < stat 24 / level.  Kind 0 options 1 and 4:
    // pass when r(100) < stat 24.  Kind 1 option 3: pass when r(60) >=
    // field 96.  Kind 2 option 1: pass when r(100) <= stat 25; option 6:
    // pass when r(100) > stat 18.
    static const Round kRounds[] = {
        {1, 0, 1, false, {kMsgTalkReassured, kMsgRebukeAccepted}},    // stat 24 at 100
        {1, 0, 4, false, {kMsgTalkUnconvinced, kMsgRebukeResented}},  // stat 24 at 0
        {0, 1, 3, false, {kMsgCriticismRejected, -1}},                // field 96 at 60
        {0, 1, 3, false, {kMsgCriticismAccepted, -1}},                // field 96 at 0
        {0, 2, 1, false, {kMsgTalkSettled, -1}},                      // stat 25 at 100
        {0, 2, 6, false, {kMsgTalkStillUnsettled, -1}},               // stat 18 at 100
        {0, 3, 2, true, {kMsgRolePleased, kMsgPraiseThanks}},         // role 2 to 3
    };
    static const int16_t kValues[][3] = {
        // stat 24, field 96, stat 18
        {100, 30, 50}, {0, 30, 50}, {50, 60, 50}, {50, 0, 50}, {50, 30, 50}, {50, 30, 100}, {50, 30, 50},
    };
    static size_t round;
    round = 0;
    for (size_t i = 0; i < std::size(kRounds); ++i) {
        testenv::MenuUserDo([] {
            Prepare(player);
            SetPlayerField117(player, 2);
            SetPlayerStat(player, kProfessionalismStat, kValues[round][0]);
            SetPlayerField96(player, kValues[round][1]);
            SetPlayerStat(player, kSpiritStat, kValues[round][2]);
            SetPlayerStat(player, kAmbitionStat, 100);
        });
        ScriptDealFromSquadList();
        const Round& r = kRounds[i];
        if (r.raiseRole) {
            ClickAt(349, 102, 206, 22);
            testenv::MenuUserWait(6);
        }
        if (r.level != 0) {
            ClickAt(r.level == 1 ? 349 : 453, 124, 102, 22);
            testenv::MenuUserWait(3);
        }
        ClickAt(60 + 169 * r.kind, 242, 169, 28);
        testenv::MenuUserWait(3);
        ClickAt(60, 306 + 22 * (r.option - 1), 680, 22);
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([] { GameSeedRandom(uint32_t(300 + round)); });
        ClickAt(60, 559, 339, 28);  // Confirm
        testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 1000);
        testenv::MenuUserWait(2);
        testenv::MenuUserDo([] {
            const Round& now = kRounds[round];
            for (int16_t type : now.answers) {
                if (type < 0) continue;
                const MessageRecord* found = nullptr;
                for (const MessageRecord& m : UserInbox) {
                    uint16_t t;
                    std::memcpy(&t, m.bytes + kMsgType, 2);
                    if (t == uint16_t(type)) {
                        found = &m;
                        break;
                    }
                }
                if (found == nullptr) {
                    ADD_FAILURE() << "round " << round << ": no message " << type;
                    continue;
                }
                int16_t clubA, clubB;
                uint32_t playerA, playerB;
                int32_t money, number1, number2;
                std::memcpy(&clubA, found->bytes + kMsgClubA, 2);
                std::memcpy(&clubB, found->bytes + kMsgClubB, 2);
                std::memcpy(&playerA, found->bytes + kMsgPlayerA, 4);
                std::memcpy(&playerB, found->bytes + kMsgPlayerB, 4);
                std::memcpy(&money, found->bytes + kMsgMoney, 4);
                std::memcpy(&number1, found->bytes + kMsgNumber1, 4);
                std::memcpy(&number2, found->bytes + kMsgNumber2, 4);
                EXPECT_EQ(clubA, club) << type;
                EXPECT_EQ(clubB, -1) << type;
                EXPECT_EQ(playerA, player) << type;
                EXPECT_EQ(playerB, 0xFFFFFFFFu) << type;
                EXPECT_EQ(money, -1) << type;
                EXPECT_EQ(number1, int32_t(GetPlayerAge(player)) + 16) << type;
                EXPECT_EQ(number2, -1) << type;
            }
            // Each confirm posts its answers and no other talk's.
            int talks = 0;
            for (const MessageRecord& m : UserInbox) {
                uint16_t t;
                std::memcpy(&t, m.bytes + kMsgType, 2);
                talks += t >= uint16_t(kMsgTalkReassured) && t <= uint16_t(kMsgPraiseThanks) ? 1 : 0;
            }
            static int before = 0;
            if (round == 0) before = 0;
            const int added = (now.answers[0] >= 0 ? 1 : 0) + (now.answers[1] >= 0 ? 1 : 0);
            EXPECT_EQ(talks, before + added) << "round " << round;
            before = talks;
            ++round;
        });
        ClickAt(743, 559);  // back to the squad list
        testenv::MenuUserWaitFor([] { return Up(SquadListTable); }, 1000);
        testenv::MenuUserWait(3);
    }
    testenv::MenuUserDo([] { done = true; });
    testenv::MenuUserClose();
    int rounds = 0;
    while (!done && !WinCloseRequested() && ++rounds < 200) DoMainMenuOption();
    EXPECT_TRUE(done);
    EXPECT_EQ(round, std::size(kRounds));
    ASSERT_NE(player, 0);
    SetPlayerField117(player, 2);
    SetPlayerManPrice(player, -1);
    Prepare(player);
}

TEST_F(SquadDealTest, ScriptedSquadNumbersOnANewSeasonDay) {
    SquadNumbers.rebuildRequest = 1;
    SquadNumbers.listChoice = 0;
    SquadNumbers.displayKey = 4;
    MenuOption = kScreenSquadNumbers;
    // One spare-list player without a number: leaving is refused.
    static uint16_t spare;
    spare = 0;
    for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList})
        for (uint16_t p : list->players)
            if (p != 0 && p < PlayerCount) SetPlayerField92(p, 0);
    testenv::MenuUserWaitFor([] { return Up(SquadNumbersTable); }, 3000);
    testenv::MenuUserWait(3);
    // The value column's header: text 747, then the key's own text.
    static bool headerShown;
    headerShown = false;
    testenv::MenuUserDo([] {
        const std::string header = std::string(GetText(747)) + " " + GetText(86);
        for (const DrawnString& shown : testenv::ScreenStrings())
            headerShown = headerShown || shown.text == header;
    });
    ClickAt(60, 559, 169, 28);  // number all
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        for (uint16_t p : YouthList.players)
            if (p != 0 && p < PlayerCount) spare = p;
        if (spare != 0) SetPlayerField92(spare, 0);
    });
    ClickAt(743, 559);  // leave: refused
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickAt(400, 300);
    testenv::MenuUserWait(4);
    static int16_t stillHere;
    testenv::MenuUserDo([] { stillHere = MenuViewTopTable() == SquadNumbersTable ? 1 : 0; });
    ClickAt(60, 559, 169, 28);  // number all again
    testenv::MenuUserWait(3);
    ClickAt(743, 559);
    int rounds = 0;
    while (MenuOption == kScreenSquadNumbers && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(stillHere, 1);
    EXPECT_TRUE(headerShown);
    EXPECT_EQ(CountUnnumbered(), 0);
    if (spare != 0) {
        EXPECT_GT(GetPlayerField92(spare), 0);
    }
}

// The most frequent colour that text in a colour index paints over the
// plain background at (x, y).
uint32_t LetterColour(int16_t colour, int x, int y) {
    ShowMenuBackground(4);
    std::vector<uint32_t> before;
    for (int yy = y - 8; yy < y + 8; ++yy)
        for (int xx = x - 15; xx < x + 15; ++xx) before.push_back(testenv::BackPixel(xx, yy));
    SetFont(9);
    SetDrawParam(1, colour);
    DrawNumberAt(x, y, 88, JUSTIFY_CENTRE_MIDDLE);
    SetDrawParam(1, 0);
    std::vector<uint32_t> changed;
    size_t i = 0;
    for (int yy = y - 8; yy < y + 8; ++yy)
        for (int xx = x - 15; xx < x + 15; ++xx, ++i)
            if (testenv::BackPixel(xx, yy) != before[i]) changed.push_back(testenv::BackPixel(xx, yy));
    return testenv::CommonestColour(changed);
}

TEST_F(SquadDealTest, ScriptedAttributeTableColoursItsBandsAndOpensTheProfile) {
    // Every first-team player at 90 in the first column's stat, one at 91.
    // (The ability is raised too: it caps the stat.)
    struct Kept {
        uint16_t player;
        int16_t stat, ability;
    };
    static std::vector<Kept> kept;
    kept.clear();
    for (uint16_t p : FirstTeamList.players) {
        if (p == 0 || p >= PlayerCount) continue;
        kept.push_back({p, GetPlayerStatRaw(p, 3), GetPlayerStatRaw(p, 27)});
        SetPlayerStat(p, 27, 99);
        SetPlayerStat(p, 3, 90);
        ASSERT_EQ(GetPlayerStat(p, 3, 0), 90);
    }
    ASSERT_GE(kept.size(), 2u);
    const uint16_t top = kept[0].player;
    SetPlayerStat(top, 3, 91);
    MenuOption = kScreenAttributeTable;
    static std::vector<uint32_t> grab;
    static int topRow, plainRow;
    testenv::MenuUserWaitFor([] { return Up(PlayerList2Table); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([top] {
        topRow = plainRow = -1;
        for (int r = 0; r < kTablePageRows; ++r) {
            if (PlayerTableRowPlayer(r) == top) topRow = r;
            if (PlayerTableRowPlayer(r) != 0 && PlayerTableRowPlayer(r) != top && plainRow < 0) plainRow = r;
        }
    });
    testenv::MenuUserMoveTo(780, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { grab = testenv::NewestGrabPixels(); });
    // A right click on a row opens his profile.
    testenv::MenuUserRightClickAt(42 + 85, 115 + 9);
    int rounds = 0;
    while (MenuOption == kScreenAttributeTable && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(ReturnMenuOption, kScreenAttributeTable);
    for (const Kept& k : kept) {
        SetPlayerStat(k.player, 3, k.stat);
        SetPlayerStat(k.player, 27, k.ability);
    }
    ASSERT_GE(topRow, 0);
    ASSERT_GE(plainRow, 0);
    ASSERT_EQ(grab.size(), 800u * 600u);
    MatchBackOrder(grab);
    const uint32_t band12 = LetterColour(12, 400, 300), band6 = LetterColour(6, 400, 300);
    ASSERT_NE(band12, band6);
    const auto count = [&](int row, uint32_t colour) {
        int n = 0;
        for (int y = 115 + 18 * row; y < 133 + 18 * row; ++y)
            for (int x = 42 + 430 - 15; x < 42 + 430 + 15; ++x)
                n += grab[size_t(y) * 800 + size_t(x)] == colour;
        return n;
    };
    EXPECT_GT(count(topRow, band6), 5);
    EXPECT_EQ(count(topRow, band12), 0);
    EXPECT_GT(count(plainRow, band12), 5);
    EXPECT_EQ(count(plainRow, band6), 0);
}

}  // namespace
