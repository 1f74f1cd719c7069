// The training and coaching screens over one shared new-game world: the
// schedule opened from the title bar with a grab, a goalkeeper's and an
// outfield player's type pop-ups against the retraining scores worked out
// here from the table, the setters, the sorts, paging and the practice
// match's refusals; the condition screen with its stat bars, gains, remarks
// and chart; the coaching list of the user's club and of another; and the
// gains a week of daily training writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/club/training.h"
#include "core/query/clubscreens.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"
#include "game/screens/club/staffbars.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/squad/coachinglist.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/training.h"
#include "game/screens/start/startmenu.h"
#include "game/system/pixelformats.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

testenv::SharedNewWorld g_trainingWorld;
std::vector<TrainingRecord> g_trainingRecords;

// The retraining types the retraining table gives a player, worked out
// here from his stats and settings.
std::vector<int16_t> ExpectedRetraining(uint16_t p) {
    static const int kRows[13][12] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 1, 0, 4, 1, 0, 0, 1, 0, 4, 0, 0},
        {0, 0, 1, 2, 2, 0, 0, 0, 0, 5, 0, 1}, {1, 1, 0, 4, 0, 0, 1, 1, 0, 3, 1, 0},
        {0, 0, 1, 0, 2, 2, 0, 1, 0, 4, 1, 0}, {0, 0, 1, 0, 2, 2, 0, 4, 0, 2, 0, 0},
        {0, 0, 1, 0, 5, 0, 0, 3, 0, 2, 0, 0}, {0, 0, 1, 0, 0, 5, 0, 5, 0, 0, 0, 0},
        {0, 0, 1, 1, 1, 2, 1, 2, 2, 0, 1, 0}, {1, 1, 0, 4, 0, 0, 1, 1, 1, 0, 3, 0},
        {0, 0, 1, 0, 2, 2, 0, 1, 3, 0, 0, 2}, {0, 0, 1, 3, 3, 0, 0, 0, 4, 0, 0, 0},
        {0, 0, 1, 3, 1, 0, 2, 0, 4, 0, 1, 0}};
    static const int kStats[9] = {8, 10, 13, 9, 3, 4, 2, 5, 1};
    static const int16_t kTypes[13] = {-1, 9, 10, 12, 11, 13, 14, 15, 16, 17, 18, 19, 20};
    int score[13] = {};
    for (int k = 0; k < 13; ++k) {
        const int setting = kRows[k][0]   ? GetPlayerSetting3(p)
                            : kRows[k][1] ? GetPlayerSetting1(p)
                            : kRows[k][2] ? GetPlayerSetting2(p)
                                          : 0;
        score[k] = 33 * setting;
        for (int i = 0; i < 9; ++i)
            score[k] += kRows[k][3 + i] * (GetPlayerStat(p, int16_t(kStats[i]), 0) / 10);
    }
    const int best = std::max(1, *std::max_element(score + 1, score + 13));
    const int threshold = std::min(int(GetPlayerAge(p)) + 90 - GetPlayerStat(p, 27, 0) / 4, 100);
    std::vector<int16_t> types;
    for (int k = 1; k < 13; ++k)
        if (score[k] * 100 / best >= threshold && k != int(GetPlayerPosition2(p))) types.push_back(kTypes[k]);
    return types;
}

// The position each position-work kind (9..20) trains towards.
int16_t TargetOfKind(int16_t kind) {
    constexpr int16_t kTargets[12] = {1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11, 12};
    return kTargets[kind - 9];
}

std::vector<int16_t> Offered(uint16_t p) {
    Training_BuildTypeMenu(p);
    int16_t types[32];
    const int count = Training_OfferedTypes(types, 32);
    return {types, types + count};
}

class TrainingScreensTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        if (g_trainingRecords.empty())
            g_trainingRecords.assign(std::begin(TrainingRecords), std::end(TrainingRecords));
        SetUpWorld(g_trainingWorld, 76);
        if (!ready()) return;
        std::copy(g_trainingRecords.begin(), g_trainingRecords.end(), TrainingRecords);
        TrainingSortMode = 0;
        TrainingPageStart = 0;
        ConditionChartPair = 0;
        PracticeMatchPlayed = 0;
        Training_BuildList();
        Training_Sort();
        Training_FillRows();
    }
    uint16_t FirstOutfieldPlayer() const {
        for (int i = 0; i < TrainingSquadCount; ++i)
            if (HVW_GetPositionType(TrainingSquadList[i]) != 0) return TrainingSquadList[i];
        return 0;
    }
};

TEST_F(TrainingScreensTest, ScheduleFromTheTitleBarTheKeepersPopUpAChosenTypeAndTheShirtSort) {
    ASSERT_GE(TrainingSquadCount, 18);
    static std::vector<uint32_t> grab;
    static std::vector<const void*> keeperEntries;
    static uint16_t keeper = 0;
    static int16_t regularAfter = -1, shownAfter = -1;
    static std::vector<int16_t> shirtKeys;
    MenuOption = kScreenUserCoachingList;
    testenv::MenuUserWaitFor(TableUp(CoachingListTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 171, 2); });
    MenuUserWait(10);
    MenuUserDo([] { EXPECT_EQ(MenuViewPopupRows().at(7).entry->text, MenuValue(461)); });
    testenv::MenuUserClickPopupRow(7);
    testenv::MenuUserWaitFor(TableUp(TrainingTable), 3000);
    Grab(&grab);
    // Row 0 holds a goalkeeper (position type first): his regular pop-up.
    MenuUserDo([] { keeper = Training_RowView(0).player; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 488, 118); });
    MenuUserWait(10);
    MenuUserDo([] {
        for (const MenuPopupRowView& row : MenuViewPopupRows()) keeperEntries.push_back(row.entry->text);
    });
    testenv::MenuUserClickPopupRow(2);  // type 1
    MenuUserWait(10);
    MenuUserDo([] {
        regularAfter = HVW_GetRegularTraining(keeper);
        shownAfter = Training_RowView(0).regularText;
    });
    // The fifth sort: numbered shirts first.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 60, 559); });
    MenuUserWait(10);
    testenv::MenuUserClickPopupRow(4);
    MenuUserWait(10);
    MenuUserDo([] {
        for (int i = 0; i < TrainingSquadCount; ++i)
            shirtKeys.push_back(Training_ShirtKey(TrainingSquadList[i]));
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({77, 76});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_NE(keeper, 0);
    EXPECT_EQ(HVW_GetPositionType(keeper), 0);
    ASSERT_EQ(keeperEntries.size(), 7u);
    EXPECT_EQ(keeperEntries[0], MenuValue(679));
    EXPECT_EQ(regularAfter, 1);
    EXPECT_EQ(shownAfter, 656);
    EXPECT_EQ(TrainingSortMode, 4);
    EXPECT_TRUE(std::is_sorted(shirtKeys.begin(), shirtKeys.end(), std::greater<>()));
    ASSERT_EQ(grab.size(), 800u * 600u);
    // The column headings and the eighteenth row hold text.
    const auto ink = [](int x, int y, int w, int h) {
        int changed = 0;
        const uint32_t ground = grab[size_t(y) * 800 + size_t(x)];
        for (int row = y; row < y + h; ++row)
            for (int col = x; col < x + w; ++col)
                changed += grab[size_t(row) * 800 + size_t(col)] != ground ? 1 : 0;
        return changed;
    };
    EXPECT_GT(ink(250, 100, 60, 14), 10);
    EXPECT_GT(ink(500, 100, 120, 14), 10);
    EXPECT_GT(ink(660, 100, 100, 14), 10);
    EXPECT_GT(ink(60, 118 + 22 * 17 + 4, 150, 14), 10);
}

TEST_F(TrainingScreensTest, RetrainingOffersFollowTheScoresAndTheSettingsRule) {
    const uint16_t p = FirstOutfieldPlayer();
    ASSERT_NE(p, 0);
    // A player built to fit positions 2 and 10 well.
    const int16_t stats[9] = {8, 10, 13, 9, 3, 4, 2, 5, 1};
    const int16_t values[9] = {40, 90, 30, 20, 60, 90, 90, 20, 70};
    for (int i = 0; i < 9; ++i) SetPlayerStat(p, stats[i], values[i]);
    SetPlayerSetting1(p, 3);
    SetPlayerSetting2(p, 1);
    SetPlayerSetting3(p, 0);
    const std::vector<int16_t> expected = ExpectedRetraining(p);
    std::vector<int16_t> offered = Offered(p);
    // The first group, then 5 and 7 (settings 3 and 2 below 3), then
    // retraining.
    ASSERT_GE(offered.size(), 9u);
    EXPECT_EQ(std::vector<int16_t>(offered.begin(), offered.begin() + 7),
              (std::vector<int16_t>{0, 8, 1, 21, 2, 3, 4}));
    EXPECT_EQ(std::vector<int16_t>(offered.begin() + 7, offered.begin() + 9), (std::vector<int16_t>{5, 7}));
    EXPECT_EQ(std::vector<int16_t>(offered.begin() + 9, offered.end()), expected);
    EXPECT_FALSE(expected.empty());
    const int16_t own = int16_t(GetPlayerPosition2(p));
    if (own >= 1 && own < 13) {
        EXPECT_FALSE(Training_OffersRetraining(p, own));
    }
    // All scores 0 (best 1): nothing to retrain for.
    for (int i = 0; i < 9; ++i) SetPlayerStat(p, stats[i], 1);
    SetPlayerSetting1(p, 0);
    SetPlayerSetting2(p, 0);
    offered = Offered(p);
    EXPECT_EQ(std::vector<int16_t>(offered.begin() + 7, offered.end()), (std::vector<int16_t>{5, 6, 7}));
}

TEST_F(TrainingScreensTest, SettersSortsPagingAndThePracticeMatchsRefusals) {
    const uint16_t p = TrainingSquadList[0];
    TrainingPopupPlayer = p;
    TrainingPopupExtra = 1;
    EXPECT_EQ(Training_SetType(12), MENU_REDRAW_ALSO);
    EXPECT_EQ(HVW_GetExtraTraining(p), 12);
    // A player without a record: nothing changes.
    std::memset(TrainingRecords, 0, sizeof TrainingRecords);
    const std::vector<uint8_t> before(reinterpret_cast<uint8_t*>(TrainingRecords),
                                      reinterpret_cast<uint8_t*>(TrainingRecords) + sizeof TrainingRecords);
    EXPECT_EQ(Training_SetType(3), MENU_REDRAW_ALSO);
    EXPECT_EQ(std::memcmp(before.data(), TrainingRecords, before.size()), 0);
    // All records used by others: his defaults are shown and nothing written.
    for (int i = 0; i < kTrainingRecords; ++i)
        recbits::StoreU16(TrainingRecords[i].bytes, uint16_t(40000 + i));
    Training_FillRows();
    EXPECT_EQ(Training_RowView(0).regularText, 664);
    EXPECT_EQ(Training_RowView(0).extraText, 659);
    EXPECT_EQ(HVW_FindEntryById(p), -1);
    std::copy(g_trainingRecords.begin(), g_trainingRecords.end(), TrainingRecords);

    // The squad-number sort runs over the counted entries only.
    TrainingSortMode = 3;
    TrainingSquadList[TrainingSquadCount] = 0;
    Training_Sort();
    for (int i = 0; i + 1 < TrainingSquadCount; ++i)
        EXPECT_LE(HVW_GetPlayerField92(TrainingSquadList[i]), HVW_GetPlayerField92(TrainingSquadList[i + 1]));
    EXPECT_EQ(TrainingSquadList[TrainingSquadCount], 0);

    // A short squad: no paging, empty rows show nothing and open nothing.
    const int16_t count = TrainingSquadCount;
    TrainingSquadCount = 10;
    Training_PageDown(nullptr);
    EXPECT_EQ(TrainingPageStart, 0);
    Training_FillRows();
    EXPECT_EQ(Training_RowView(12).player, 0);
    EXPECT_EQ(Training_RowView(12).selectable, 0xFFFF);
    EXPECT_EQ(Training_RowView(12).regularText, INT16_MIN);
    MenuOption = kScreenTraining;
    EXPECT_EQ(Training_OpenPlayer(12), MENU_CONTINUE);
    EXPECT_EQ(Training_ChooseType(12, false), MENU_CONTINUE);
    EXPECT_EQ(MenuOption, kScreenTraining);
    TrainingSquadCount = count;
    Training_PageDown(nullptr);
    EXPECT_EQ(TrainingPageStart, std::min<int16_t>(18, int16_t(count - 18)));
    Training_PageUp(nullptr);
    Training_PageUp(nullptr);
    EXPECT_EQ(TrainingPageStart, 0);

    // A day with a fixture: no practice match, only a redraw.
    int16_t matchDay = -1;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && matchDay < 0; ++slot)
        if (IsFixtureOfClub(slot, user_)) matchDay = int16_t(FixtureDay(slot));
    ASSERT_GE(matchDay, 0);
    const int16_t today = SeasonCalendar.currentDay;
    SeasonCalendar.currentDay = matchDay;
    EXPECT_EQ(Training_PracticeMatch(nullptr), MENU_REDRAW);
    EXPECT_EQ(PracticeMatchPlayed, 1);
    SeasonCalendar.currentDay = today;
    // After one practice match the same day: only a redraw.
    EXPECT_EQ(Training_PracticeMatch(nullptr), MENU_REDRAW);
}

// The schedule opens until three weeks after the league start of the user's
// club's country, here country 1 (a week earlier than the viewed country
// 0), and a day later is refused with text 1034.
TEST_F(TrainingScreensTest, TheScheduleOpensUntilThreeWeeksIntoTheLeagueOfTheUsersCountry) {
    const int16_t start = SeasonCalendar.leagueStartDay[1];
    ASSERT_LT(start, SeasonCalendar.leagueStartDay[0]);
    const int16_t today = SeasonCalendar.currentDay;
    const int16_t nation = GetClubNation(user_);
    SetClubNation(user_, 1);
    static bool opened, refused;
    opened = refused = false;
    SeasonCalendar.currentDay = int16_t(start + 21);
    MenuOption = kScreenTraining;
    testenv::MenuUserWaitFor(TableUp(TrainingTable), 3000);
    MenuUserDo([] { opened = true; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({76});
    EXPECT_TRUE(opened);
    EXPECT_EQ(MenuOption, kScreenClubMain);

    SeasonCalendar.currentDay = int16_t(start + 22);
    MenuOption = kScreenTraining;
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 300);
    MenuUserDo([] { refused = ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
    MenuUserWait(2);
    testenv::MenuUserClickAt(400, 300);
    RunScreens({76});
    EXPECT_TRUE(refused);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SetClubNation(user_, nation);
    SeasonCalendar.currentDay = today;
}

TEST_F(TrainingScreensTest, ConditionScreenFromTheScheduleWithBarsGainsAndTheChart) {
    static std::vector<uint32_t> grab;
    static uint16_t player = 0;
    static uint8_t pairAfterToggle = 0;
    static std::string header;
    player = Training_RowView(0).player;
    ASSERT_NE(player, 0);
    // His record: a gain of 5 on stat 3 (row 0) and a history of days.
    HVW_GetRegularTraining(player);
    uint8_t* record = TrainingRecords[HVW_FindEntryById(player)].bytes;
    record[kTrainingCounters + 11] = 5;
    for (int day = 0; day < 60; ++day) {
        record[kTrainingBlocks + day] = uint8_t(day < 10 ? 0xFF : 50 + day % 7);
        record[kTrainingBlocks + kTrainingBlockSize + day] = uint8_t(20);
    }
    SetPlayerStat(player, 3, 40);
    MenuOption = kScreenTraining;
    testenv::MenuUserWaitFor(TableUp(TrainingTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 50, 118); });
    testenv::MenuUserWaitFor(TableUp(PlayerConditionTable), 3000);
    MenuUserDo([] { header = Condition_Header(); });
    Grab(&grab);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 60, 559); });
    MenuUserWait(5);
    MenuUserDo([] { pairAfterToggle = ConditionChartPair; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    testenv::MenuUserWaitFor(TableUp(TrainingTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({76, 80});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(ConditionReturnOption, kScreenTraining);
    EXPECT_EQ(pairAfterToggle, 1);
    EXPECT_NE(header.find(GetText(185)), std::string::npos);
    const ConditionStatRow row0 = Condition_StatRow(0);
    EXPECT_EQ(row0.code, 3);
    EXPECT_EQ(row0.gain, 5);
    EXPECT_STREQ(row0.gainText, "+5");
    ASSERT_EQ(grab.size(), 800u * 600u);
    const auto at = [](int x, int y) { return grab[size_t(y) * 800 + size_t(x)]; };
    // Row 0's bar: the value less the gain in blue, then the gain in yellow.
    const int value = GetPlayerStat(player, 3, 0);
    const int base = value - 5;
    EXPECT_EQ(at(192 + base / 2, 330), testenv::GrabColour(Staff_BarShades(0, 0, 255).body));
    EXPECT_EQ(at(192 + base + 2, 330), testenv::GrabColour(Staff_BarShades(255, 255, 0).body));
    // The chart: red segments where both days hold values, none before day 10.
    int red = 0;
    for (int y = 160; y < 298; ++y)
        for (int x = Condition_ChartX(10); x < Condition_ChartX(59); ++x)
            red += at(x, y) == testenv::GrabColour(0xF800) ? 1 : 0;
    EXPECT_GT(red, 20);
    int early = 0;
    for (int y = 160; y < 298; ++y)
        for (int x = Condition_ChartX(0); x < Condition_ChartX(9); ++x)
            early += at(x, y) == testenv::GrabColour(0xF800) ? 1 : 0;
    EXPECT_EQ(early, 0);
}

TEST_F(TrainingScreensTest, ConditionEdgeCasesRemarksLabelsAndCoach) {
    uint16_t keeper = 0, outfield = FirstOutfieldPlayer();
    for (int i = 0; i < TrainingSquadCount && keeper == 0; ++i)
        if (HVW_GetPositionType(TrainingSquadList[i]) == 0) keeper = TrainingSquadList[i];
    ASSERT_NE(keeper, 0);
    SetMenuFirstEntry(0);
    SelectedPlayer = int16_t(keeper);
    PlayerConditionMenuProc();
    EXPECT_EQ(Condition_StatRow(3).label, 2409);
    EXPECT_EQ(Condition_StatRow(6).label, 2410);
    SelectedPlayer = int16_t(outfield);
    // Nothing to remark on.
    SetPlayerField105(outfield, 40);
    SetPlayerFitness(outfield, 40);
    SetPlayerField96(outfield, 40);
    SetPlayerField118(outfield, 5);
    SetPlayerMorale(outfield, 40);
    SetPlayerFatigue(outfield, 5);
    SetPlayerStat(outfield, 24, 60);
    SetPlayerStat(outfield, 25, 60);
    SetPlayerStat(outfield, 27, 50);
    PlayerConditionMenuProc();
    EXPECT_EQ(Condition_StatRow(3).label, 42);
    ASSERT_EQ(Condition_RemarkCount(), 1);
    EXPECT_STREQ(Condition_Remark(0), GetText(916));
    // Every remark at once: nine lines, eight shown.
    SetPlayerField105(outfield, 5);
    SetPlayerFitness(outfield, 5);
    SetPlayerField96(outfield, 5);
    SetPlayerField118(outfield, 40);
    SetPlayerMorale(outfield, 5);
    SetPlayerFatigue(outfield, 40);
    SetPlayerStat(outfield, 24, 5);
    SetPlayerStat(outfield, 25, 5);
    PlayerConditionMenuProc();
    EXPECT_EQ(Condition_RemarkCount(),
              8 + (GetPlayerStat(outfield, 27, 0) > 80 && GetPlayerAge(outfield) < 4));
    // No coach: empty name, the click does nothing.
    EXPECT_STREQ(Condition_Coaching().coach, "");
    MenuOption = kScreenPlayerCondition;
    EXPECT_EQ(Condition_OpenCoach(nullptr), MENU_CONTINUE);
    EXPECT_EQ(MenuOption, kScreenPlayerCondition);
    // The chart keeps loaded garbage inside its frame.
    EXPECT_EQ(Condition_ChartY(140, false), Condition_ChartY(100, false));
    EXPECT_EQ(Condition_ChartY(-20, false), Condition_ChartY(0, false));
    EXPECT_EQ(Condition_ChartY(80, true), Condition_ChartY(50, true));
    EXPECT_EQ(Condition_ChartY(0, true), 160 + int(50 * 2.76));
    int base = 0, change = 0;
    Condition_BarLengths(30, 5, &base, &change);
    EXPECT_EQ(base, 25);
    EXPECT_EQ(change, 5);
    Condition_BarLengths(30, -5, &base, &change);
    EXPECT_EQ(base, 30);
    EXPECT_EQ(change, 5);
    Condition_BarLengths(3, 9, &base, &change);  // a gain above the value
    EXPECT_EQ(base, 0);
    EXPECT_EQ(change, 9);
    // The way back: the profile, the coaching list, else the schedule.
    for (const auto& [from, to] : {std::pair<int16_t, int16_t>{4, 4}, {83, 83}, {76, 76}, {0, 76}}) {
        ConditionReturnOption = from;
        Condition_Back(nullptr);
        EXPECT_EQ(MenuOption, to);
    }
    // The tabs that no item names, and the coaching progress bar: 50 of
    // 200 points is 25 %, a bar 25 long in the second colour of the scale.
    EXPECT_EQ(Condition_TabStaff(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenStaffList);
    EXPECT_EQ(Condition_TabIndividual(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenUserCoachingList);
    EXPECT_EQ(Condition_TabTraining(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenTraining);
    FillSolidRect(230, 210, 100, 30, 0);
    Condition_DrawProgressBar(0, 0, 0, 0);
    EXPECT_EQ(GetBackBufferPixel(250, 223), 0u);  // no coaching record: nothing
    recbits::StoreU16(CoachingRecords[0].bytes + kCoachPlayer, outfield);
    recbits::StoreU16(CoachingRecords[0].bytes + ProgramOffset(0) + kProgTarget, 200);
    recbits::StoreU16(CoachingRecords[0].bytes + ProgramOffset(0) + kProgGained, 50);
    Condition_DrawProgressBar(0, 0, 0, 0);
    const uint32_t orange =
        ColConvPixel(Staff_BarShades(255, 116, 0).body, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8) & 0xFFFFFF;
    EXPECT_EQ(GetBackBufferPixel(250, 223), orange);
    EXPECT_EQ(GetBackBufferPixel(242 + 24, 223),
              ColConvPixel(Staff_BarShades(255, 116, 0).edge, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8) & 0xFFFFFF);
    EXPECT_EQ(GetBackBufferPixel(242 + 25, 223), 0u);
    recbits::StoreU16(CoachingRecords[0].bytes + ProgramOffset(0) + kProgGained, 1);  // under 1 %
    FillSolidRect(230, 210, 100, 30, 0);
    Condition_DrawProgressBar(0, 0, 0, 0);
    EXPECT_EQ(GetBackBufferPixel(250, 223), 0u);
    stafftest::ClearStaff();
    // A flag-95 player gets the two-button panel.
    SetPlayerFlag95(outfield, 1);
    PlayerConditionMenuProc();
    EXPECT_TRUE(Condition_Coaching().alternative);
    SetPlayerFlag95(outfield, 0);
}

TEST_F(TrainingScreensTest, CoachingListsOfTheUsersClubAndOfAnotherClub) {
    static uint16_t opened = 0;
    static int16_t panelLabel = 0, viewText = 0, otherLabel = 0, otherView = 0;
    static std::string otherName;
    ClubStaff[7] = stafftest::MakeStaff({.initial = 'Y', .name = "Youth", .id = 70, .first = 10});
    MenuOption = kScreenUserCoachingList;
    testenv::MenuUserWaitFor(TableUp(CoachingListTable), 3000);
    MenuUserDo([] {
        panelLabel = CoachingList_PanelLabel();
        viewText = CoachingList_ViewButtonText();
        opened = CoachingList_RowPlayer(0);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 75, 139); });
    testenv::MenuUserWaitFor(TableUp(PlayerConditionTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    testenv::MenuUserWaitFor(TableUp(CoachingListTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({77, 80});
    EXPECT_EQ(panelLabel, 417);
    EXPECT_EQ(viewText, 2314);
    EXPECT_STREQ(CoachingList_PanelName(), "Y.Youth");
    EXPECT_EQ(MenuOption, kScreenClubMain);
    if (opened != 0) {
        EXPECT_EQ(uint16_t(SelectedPlayer), opened);  // a player number may pass 32767
    }

    // Another club: its manager, no view switch.
    const int16_t other = int16_t(DivisionClubLists[0][1][1]);
    SelectedClub = uint16_t(other);
    MenuOption = kScreenCoachingList;
    testenv::MenuUserWaitFor(TableUp(CoachingListTable), 3000);
    MenuUserDo([] {
        otherLabel = CoachingList_PanelLabel();
        otherView = CoachingList_ViewButtonText();
        otherName = CoachingList_PanelName();
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({83});
    EXPECT_EQ(otherLabel, 30);
    EXPECT_EQ(otherView, -1);
    EXPECT_EQ(otherName, std::string(HVW_GetPlayerShortName(HVW_GetClubManager(other))));

    // Paging: sixteen players do not page; the overview does not page.
    CoachingListSquad = {};
    for (int i = 0; i < 16; ++i) CoachingListSquad.players[i] = TrainingSquadList[i];
    CoachingListSquad.count = 16;
    CoachingPageStart = 0;
    CoachingListFlags = kCoachingOwnClub | kCoachingPaged;
    CoachingList_PageDown(nullptr);
    EXPECT_EQ(CoachingPageStart, 0);
    CoachingListFlags = kCoachingOwnClub;
    EXPECT_EQ(CoachingList_PageDown(nullptr), MENU_CONTINUE);
    EXPECT_EQ(CoachingList_PageUp(nullptr), MENU_CONTINUE);
    EXPECT_EQ(CoachingList_OpenSecondColumn(3), MENU_CONTINUE);  // an empty place
    MenuOption = kScreenCoachingList;
    EXPECT_EQ(CoachingList_OpenPlayer(2), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerCondition);
    EXPECT_EQ(PreviousMenuOption, kScreenCoachingList);
    CoachingListFlags = kCoachingOwnClub | kCoachingGrouped;
}

TEST_F(TrainingScreensTest, AWeekOfDailyTrainingShowsAsGainsOnTheConditionScreen) {
    HVW_EnsureTrainingRecords();
    for (int i = 0; i < kTrainingRecords; ++i)
        std::memset(TrainingRecords[i].bytes + kTrainingCounters, 0, kTrainingCounterCount);
    for (int day = 0; day < 7; ++day) ProcessSquadTrainingDay();
    int shownGains = 0;
    SetMenuFirstEntry(0);
    for (int i = 0; i < TrainingSquadCount; ++i) {
        const uint16_t p = TrainingSquadList[i];
        const int16_t index = HVW_FindEntryById(p);
        ASSERT_GE(index, 0);
        SelectedPlayer = int16_t(p);
        PlayerConditionMenuProc();
        for (int row = 0; row < kConditionStatRows; ++row) {
            const ConditionStatRow shown = Condition_StatRow(row);
            shownGains += shown.gain;
        }
        int recordSum = 0;
        for (int c = 0; c < kTrainingCounterCount; ++c)
            recordSum += TrainingRecords[index].bytes[kTrainingCounters + c];
        int shownSum = 0;
        for (int row = 0; row < kConditionStatRows; ++row) shownSum += Condition_StatRow(row).gain;
        EXPECT_EQ(shownSum, recordSum) << p;
    }
    EXPECT_GT(shownGains, 0);
}

// Side-skill and position work chosen on the schedule are reported when
// they take: the side skill once learnt, the new position once the player's
// best role is the one he works towards.
TEST_F(TrainingScreensTest, SideSkillAndPositionWorkChosenOnTheScheduleAreReported) {
    // One player learns his weaker foot; another, whose best role is not
    // his position, works towards that role.
    static uint16_t learner = 0, mover = 0;
    static int16_t target = -1;
    learner = mover = 0;
    target = -1;
    for (int i = 0; i < std::min<int>(TrainingSquadCount, kTrainingPageRows); ++i) {
        const uint16_t p = TrainingSquadList[i];
        if (HVW_GetPositionType(p) == 0) continue;
        const int16_t best = BestRoleForPlayer(p);
        if (mover == 0 && best > 0 && best != int16_t(GetPlayerPosition2(p)) &&
            Training_OffersRetraining(p, best)) {
            mover = p;
            target = best;
        } else if (learner == 0) {
            learner = p;
        }
    }
    ASSERT_NE(learner, 0);
    ASSERT_NE(mover, 0);
    SetPlayerSetting3(learner, 0);
    static const auto rowOf = [](uint16_t p) {
        for (int row = 0; row < kTrainingPageRows; ++row)
            if (Training_RowView(row).player == p) return row;
        return -1;
    };
    // The pop-up row of the k-th type the list offers (title and headings
    // hold no type).
    static const auto popupRowOf = [](bool (*wanted)(int16_t)) {
        int16_t types[32];
        const int count = Training_OfferedTypes(types, 32);
        const std::vector<MenuPopupRowView> rows = MenuViewPopupRows();
        int k = 0;
        for (int i = 0; i < int(rows.size()); ++i) {
            if (rows[size_t(i)].entry->function == nullptr) continue;
            if (k < count && wanted(types[k])) return i;
            ++k;
        }
        return -1;
    };
    static const auto chooseRegular = [](uint16_t p, bool (*wanted)(int16_t)) {
        testenv::MenuUserClickItem(
            [p](const MenuHotItem& item) { return ItemAt(item, 488, 118 + 22 * rowOf(p)); });
        MenuUserWait(10);
        testenv::MenuUserClickPopupRow([wanted] { return popupRowOf(wanted); });
        MenuUserWait(10);
    };
    MenuOption = kScreenTraining;
    testenv::MenuUserWaitFor(TableUp(TrainingTable), 3000);
    chooseRegular(learner, [](int16_t type) { return type == 5; });
    chooseRegular(mover,
                  [](int16_t type) { return type >= 9 && type <= 20 && TargetOfKind(type) == target; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({kScreenTraining});
    ASSERT_EQ(HVW_GetRegularTraining(learner), 5);
    ASSERT_GE(HVW_GetRegularTraining(mover), 9);

    // Days of training until both have taken; they are kept fit and at home.
    const auto posted = [](int16_t type) { return SeasonEvents.messagesPosted[type]; };
    const int64_t skills = posted(kMsgSkillImproved), retrained = posted(kMsgRetrained);
    for (int day = 0;
         day < 400 && (posted(kMsgSkillImproved) == skills || posted(kMsgRetrained) == retrained); ++day) {
        for (uint16_t p : {learner, mover}) {
            SetPlayerIP(p, 0);
            SetPlayerIT(p, 0);
            SetPlayerIntDuty(p, 0);
        }
        ProcessSquadTrainingDay();
    }
    EXPECT_GT(posted(kMsgSkillImproved), skills);
    EXPECT_GE(HVW_GetPlayerSetting3(learner), 1);
    EXPECT_EQ(posted(kMsgRetrained), retrained + 1);
    EXPECT_EQ(int16_t(GetPlayerPosition2(mover)), target);
    EXPECT_EQ(HVW_GetRegularTraining(mover), 8) << "the work done, his schedule turns to general training";
}

}  // namespace
