// The staff screens on constructed staff records: the bar painters' colour
// steps and pixels, the staff list's groups, texts and clicks, the member
// switcher's entries, the fitness lists' paging and ways out, and the drill
// chart's series and controls.
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/staff.h"
#include "game/screens/club/staffbars.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/club/staffmember.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/drillchart.h"
#include "game/screens/squad/fitnesslists.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/text_env.h"
#include "tests/game/screens/club/staff_records.h"

namespace {

using stafftest::StaffSpec;

// ---- The painters -------------------------------------------------------------

class StaffBarPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(16000);
        MenuSetScreenFormat(800, 600, &ColFmt_R5G6B5);
        AllocScreenBuffers();
        FillSolidRect(0, 0, 800, 600, kGround);
    }
    void TearDown() override {
        FreeScreenBuffers();
        FreeAutoMemory();
        UninitMemory();
    }
    static uint16_t At(int x, int y) {
        return uint16_t(ColConvPixel(GetBackBufferPixel(x, y), &ColFmt_A8B8G8R8, &ColFmt_R5G6B5));
    }
    static constexpr uint16_t kGround = 0x0841;
};

TEST(StaffBars, ColourStepsAndTheirSixteenBitForms) {
    EXPECT_EQ(Staff_PercentBarStep(0, 0, 100, 0), 0);
    EXPECT_EQ(Staff_PercentBarStep(50, 0, 100, 0), 3);
    EXPECT_EQ(Staff_PercentBarStep(100, 0, 100, 0), 6);  // 7 kept within the scale
    EXPECT_EQ(Staff_PercentBarStep(-40, 0, 100, 0), 0);
    EXPECT_EQ(Staff_PercentBarStep(100, 1, 100, 0), 0);
    EXPECT_EQ(Staff_PercentBarStep(10, 1, 100, 0), 6);
    // A maximum below 7 is raised to 7: no division by 0, no step past 6.
    EXPECT_EQ(Staff_PercentBarStep(3, 0, 0, 0), 3);
    EXPECT_EQ(Staff_PercentBarStep(3, 0, -5, 1), 0);
    // With the offset flag: (value - (100 - maximum)) x 6 / maximum.
    EXPECT_EQ(Staff_PercentBarStep(90, 0, 20, 1), 3);
    EXPECT_EQ(Staff_PercentBarStep(100, 0, 20, 1), 6);

    EXPECT_EQ(Staff_Colour565(255, 0, 0), 0xF800);
    EXPECT_EQ(Staff_Colour565(0, 255, 0), 0x07E0);
    EXPECT_EQ(Staff_Colour565(0, 0, 255), 0x001F);
    EXPECT_EQ(Staff_Colour565(255, 255, 0), 0xFFE0);
    // 160 is 62 %: 19 of 32 steps.
    EXPECT_EQ(Staff_Colour565(160, 0, 0), 19 << 11);
    const StaffBarShades red = Staff_BarShades(255, 0, 0);
    EXPECT_EQ(red.body, Staff_Colour565(212, 0, 0));
    EXPECT_EQ(red.edge, Staff_Colour565(127, 0, 0));
}

TEST_F(StaffBarPaintTest, PercentBarsOfValueZeroAndHundred) {
    SetDrawParam(2, 0x1234);
    Staff_DrawPercentBar(100, 50, StaffList_BarLength(0), 10, 0, 0, 100, 0);
    Staff_DrawPercentBar(100, 70, StaffList_BarLength(100), 10, 100, 0, 100, 0);
    EXPECT_EQ(DrawColour, 0x1234);
    const StaffBarShades red = Staff_BarShades(255, 0, 0), green = Staff_BarShades(0, 255, 0);
    EXPECT_EQ(At(100, 50), red.full);
    EXPECT_EQ(At(105, 55), red.body);
    EXPECT_EQ(At(105, 59), red.edge);
    EXPECT_EQ(At(109, 55), red.edge);  // the last column of ten
    EXPECT_EQ(At(110, 55), kGround);
    EXPECT_EQ(At(100, 60), kGround);
    EXPECT_EQ(At(130, 75), green.body);
    EXPECT_EQ(At(149, 75), green.edge);
    EXPECT_EQ(At(150, 75), kGround);
    // No length, nothing drawn.
    Staff_DrawPercentBar(300, 50, 0, 10, 50, 0, 100, 0);
    Staff_DrawPercentBar(300, 50, -4, 10, 50, 0, 100, 0);
    EXPECT_EQ(At(300, 50), kGround);
    EXPECT_EQ(At(296, 55), kGround);
}

TEST_F(StaffBarPaintTest, ChangeBarsOfARiseAndAFall) {
    const StaffBarShades blue = Staff_BarShades(0, 0, 255), yellow = Staff_BarShades(255, 255, 0),
                         red = Staff_BarShades(255, 0, 0);
    Staff_DrawChangeBar(100, 100, 30, 5, 10, 5);
    EXPECT_EQ(At(100, 100), blue.full);
    EXPECT_EQ(At(115, 105), blue.body);
    EXPECT_EQ(At(129, 105), blue.body);
    EXPECT_EQ(At(130, 105), yellow.body);
    EXPECT_EQ(At(133, 100), yellow.full);
    EXPECT_EQ(At(134, 105), yellow.edge);
    EXPECT_EQ(At(135, 105), kGround);
    Staff_DrawChangeBar(100, 130, 30, 5, 10, -5);
    EXPECT_EQ(At(115, 135), blue.body);
    EXPECT_EQ(At(131, 135), red.body);
    EXPECT_EQ(At(135, 135), kGround);
    // Nothing when the lengths add up to 0.
    Staff_DrawChangeBar(300, 100, 0, 0, 10, 0);
    Staff_DrawChangeBar(300, 100, -3, 3, 10, 3);
    EXPECT_EQ(At(300, 100), kGround);
    // A bar without a change is all blue to its end.
    Staff_DrawChangeBar(100, 160, 20, 0, 10, 0);
    EXPECT_EQ(At(119, 165), blue.edge);
    EXPECT_EQ(At(120, 165), kGround);
}

// ---- The staff list and the switcher -------------------------------------------

class StaffScreenLogicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::LoadTexts({{41, "Agility"},
                            {48, "Ball Control"},
                            {43, "Tackling"},
                            {416, "Physiotherapist"},
                            {418, "Fitness Coach"},
                            {426, "Fitness"}});
        stafftest::ClearStaff();
        CurrentStaffRecord = nullptr;
        keptOption_ = MenuOption;
    }
    void TearDown() override {
        stafftest::ClearStaff();
        CurrentStaffRecord = nullptr;
        MenuOption = keptOption_;
        testenv::UnloadTexts();
    }
    int16_t keptOption_ = 0;
};

TEST_F(StaffScreenLogicTest, EmptyGroupsShowTheirTextsAndEmptyRowsDoNothing) {
    // An employed grade but no person (id 0) and a grade-4 member: not listed.
    ClubStaff[0] = stafftest::MakeStaff({.id = 0, .grade = 6});
    ClubStaff[1] = stafftest::MakeStaff({.id = 12, .grade = 4});
    StaffCandidates[0] = stafftest::MakeStaff({.id = 13, .grade = 2});
    StaffListMenuProc();
    EXPECT_EQ(StaffList_EmptyText(0), 424);
    EXPECT_EQ(StaffList_EmptyText(1), 3180);  // not 499, the profile's "on international duty"
    EXPECT_EQ(StaffList_EmptyText(2), 78);
    MenuOption = kScreenStaffList;
    for (int g = 0; g < kStaffGroups; ++g) {
        EXPECT_EQ(StaffList_Row(g, 0), nullptr);
        EXPECT_EQ(Staff_OpenMember(g, 0), MENU_CONTINUE);
    }
    EXPECT_EQ(Staff_OpenMember(0, 7), MENU_CONTINUE);  // past its group
    EXPECT_EQ(Staff_OpenMember(3, 0), MENU_CONTINUE);
    EXPECT_EQ(MenuOption, kScreenStaffList);
    EXPECT_EQ(CurrentStaffRecord, nullptr);
    EXPECT_EQ(StaffList_RowView(0, 0).age, INT16_MIN);
}

TEST_F(StaffScreenLogicTest, GroupsRowsTextsAndARowClick) {
    ClubStaff[0] = stafftest::MakeStaff(
        {.initial = 'J', .name = "Smith", .id = 21, .first = 1, .grade = 5, .count = 1, .wage = 40000});
    ClubStaff[1] = stafftest::MakeStaff({.id = 22, .grade = 4});
    ClubStaff[3] = stafftest::MakeStaff({.initial = 'A',
                                         .name = "Berg",
                                         .id = 23,
                                         .first = 6,
                                         .second = 8,
                                         .grade = 7,
                                         .role = 1,
                                         .level = 9,
                                         .count = 12});
    ClubStaff[4] =
        stafftest::MakeStaff({.initial = 'C', .name = "Odd", .id = 24, .first = 40, .second = 2, .grade = 5});
    ClubStaff[6] = stafftest::MakeStaff({.initial = 'P', .name = "Hale", .id = 25, .first = 8, .grade = 5});
    StaffCandidates[2] = stafftest::MakeStaff({.initial = 'K',
                                               .name = "Lund",
                                               .id = 31,
                                               .first = 0,
                                               .grade = 1,
                                               .status = 1,
                                               .asked = 900,
                                               .languages = 2});
    StaffCandidates[5] =
        stafftest::MakeStaff({.initial = 'L', .name = "Moe", .id = 32, .grade = 1, .status = 3});
    StaffCandidates[6] = stafftest::MakeStaff({.id = 33, .grade = 5});
    StaffListMenuProc();
    EXPECT_EQ(StaffList_EmptyText(0), -1);
    ASSERT_EQ(StaffList_Row(0, 0), &ClubStaff[0]);
    EXPECT_EQ(StaffList_Row(0, 1), &ClubStaff[3]);
    EXPECT_EQ(StaffList_Row(0, 2), &ClubStaff[4]);
    EXPECT_EQ(StaffList_Row(0, 3), nullptr);
    EXPECT_EQ(StaffList_Row(1, 0), &ClubStaff[6]);
    EXPECT_EQ(StaffList_Row(2, 0), &StaffCandidates[2]);
    EXPECT_EQ(StaffList_Row(2, 1), &StaffCandidates[5]);
    EXPECT_EQ(StaffList_Row(2, 2), nullptr);

    const StaffListRowView first = StaffList_RowView(0, 0);
    EXPECT_STREQ(first.name, "J.Smith");
    EXPECT_STREQ(first.specialities, "Ball Control");  // no second speciality
    EXPECT_EQ(first.roleText, 2327);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(first.countText, 2402);
    EXPECT_EQ(first.money, 40000);  // a wage past 16 signed bits
    const StaffListRowView second = StaffList_RowView(0, 1);
    EXPECT_STREQ(second.specialities, "Tackling, Physiotherapist");
    EXPECT_EQ(second.roleText, 2328);
    EXPECT_EQ(second.level, 9);
    EXPECT_EQ(second.countText, 2331);
    // A speciality code outside the table shows nothing.
    EXPECT_STREQ(StaffList_RowView(0, 2).specialities, "Agility");
    const StaffListRowView applicant = StaffList_RowView(2, 0);
    EXPECT_EQ(applicant.status, 1);
    EXPECT_EQ(applicant.statusText, 2403);
    EXPECT_EQ(applicant.assignments, 2);
    EXPECT_EQ(applicant.money, 900);
    EXPECT_STREQ(applicant.specialities, "Fitness");
    EXPECT_EQ(StaffList_RowView(2, 1).statusText, 185);

    MenuOption = kScreenStaffList;
    EXPECT_EQ(Staff_OpenMember(0, 1), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenStaffMember);
    EXPECT_EQ(CurrentStaffRecord, &ClubStaff[3]);
    EXPECT_EQ(Staff_OpenMember(2, 0), MENU_CLOSE);
    EXPECT_EQ(CurrentStaffRecord, &StaffCandidates[2]);
    EXPECT_EQ(Staff_ToTraining(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenTraining);
    EXPECT_EQ(Staff_ToIndividualTraining(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenUserCoachingList);
}

TEST_F(StaffScreenLogicTest, TheMiddleBarOfPostHoldersAndOfCoachesWithoutPlayers) {
    const StaffRecord physio = stafftest::MakeStaff({.id = 40, .first = 8, .grade = 5, .ratingB = 66});
    const StaffRecord coach = stafftest::MakeStaff({.id = 41, .first = 3, .grade = 5, .ratingB = 37});
    EXPECT_EQ(StaffList_CoachingRating(&physio), 66);
    EXPECT_EQ(StaffList_CoachingRating(&coach), 37);  // coaches nobody
    EXPECT_EQ(StaffList_CoachingRating(nullptr), 1);
    EXPECT_EQ(StaffList_BarLength(0), 10);
    EXPECT_EQ(StaffList_BarLength(60), 30);
    EXPECT_EQ(StaffList_BarLength(127), 50);
    EXPECT_EQ(StaffList_BarLength(-20), 10);
}

// The flags the switcher's open routine gives the entries after the header.
std::vector<bool> SwitcherEnabled() {
    const PopupEntry* entries = StaffSwitch_Entries();
    PopupCallBlock call{};
    call.entry = const_cast<PopupEntry*>(entries - 1);
    StaffSwitch_Open(&call);
    std::vector<bool> enabled;
    for (const PopupEntry* e = entries; e->kind != POPUP_END; ++e)
        enabled.push_back(e->flags == POPUP_SELECTABLE);
    return enabled;
}

TEST_F(StaffScreenLogicTest, SwitcherListsTheMembersAndBothPosts) {
    ClubStaff[0] = stafftest::MakeStaff({.initial = 'A', .name = "One", .id = 51, .grade = 5});
    ClubStaff[1] = stafftest::MakeStaff({.initial = 'B', .name = "Four", .id = 52, .grade = 4});
    ClubStaff[2] = stafftest::MakeStaff({.initial = 'C', .name = "Two", .id = 53, .grade = 9});
    ClubStaff[4] = stafftest::MakeStaff({.initial = 'D', .name = "Three", .id = 54, .grade = 5});
    ClubStaff[5] = stafftest::MakeStaff({.initial = 'E', .name = "Physio", .id = 55, .grade = 5});
    ClubStaff[7] = stafftest::MakeStaff({.initial = 'F', .name = "Seven", .id = 56, .grade = 5});
    StaffSwitch_Build(&ClubStaff[2]);
    EXPECT_EQ(StaffSwitchCount, 3);
    const PopupEntry* entries = StaffSwitch_Entries();
    ASSERT_NE(entries, nullptr);
    int count = 0;
    while (entries[count].kind != POPUP_END) ++count;
    EXPECT_EQ(count, 5);  // three members, the two posts
    EXPECT_STREQ(StaffSwitch_EntryText(0), "A.One");
    EXPECT_STREQ(StaffSwitch_EntryText(1), "C.Two");
    EXPECT_STREQ(StaffSwitch_EntryText(2), "D.Three");
    EXPECT_STREQ(StaffSwitch_EntryText(3), "Physiotherapist");
    EXPECT_STREQ(StaffSwitch_EntryText(4), "Fitness Coach");
    EXPECT_EQ(StaffSwitch_Slot(5), &ClubStaff[5]);
    EXPECT_EQ(StaffSwitch_Slot(6), nullptr);
    EXPECT_EQ(StaffSwitch_Slot(7), nullptr);
    // The member shown and the empty post cannot be picked.
    EXPECT_EQ(SwitcherEnabled(), (std::vector<bool>{true, false, true, true, false}));
    MenuOption = kScreenStaffMember;
    PopupCallBlock call{};
    EXPECT_EQ(entries[4].function(&call), MENU_CONTINUE);
    EXPECT_EQ(entries[1].function(&call), MENU_CONTINUE);
    EXPECT_EQ(CurrentStaffRecord, nullptr);
    EXPECT_EQ(entries[3].function(&call), MENU_CLOSE);
    EXPECT_EQ(CurrentStaffRecord, &ClubStaff[5]);
    EXPECT_EQ(MenuOption, kScreenStaffMember);
    EXPECT_EQ(entries[0].function(&call), MENU_CLOSE);
    EXPECT_EQ(CurrentStaffRecord, &ClubStaff[0]);

    // Nobody shown: every entry holding a member can be picked.
    StaffSwitch_Build(nullptr);
    EXPECT_EQ(SwitcherEnabled(), (std::vector<bool>{true, true, true, true, false}));
    // No members at all: the two posts alone.
    stafftest::ClearStaff();
    StaffSwitch_Build(nullptr);
    EXPECT_EQ(StaffSwitchCount, 0);
    EXPECT_EQ(SwitcherEnabled(), (std::vector<bool>{false, false}));
    EXPECT_EQ(StaffSwitch_Pick(5), MENU_CONTINUE);
    EXPECT_EQ(StaffSwitch_Pick(9), MENU_CONTINUE);
}

// ---- The fitness lists' controls ------------------------------------------------

TEST(FitnessListControls, PagingTreatmentsAndTheWaysOut) {
    FitnessListA = {};
    FitnessListA.count = 5;
    EXPECT_EQ(Fitness_PageDownA(nullptr), MENU_REDRAW);
    EXPECT_EQ(FitnessListA.start, 0);  // five fit on one page
    FitnessListB = {};
    FitnessListB.count = 7;
    for (int i = 0; i < 5; ++i) Fitness_PageDownB(nullptr);
    EXPECT_EQ(FitnessListB.start, 2);
    for (int i = 0; i < 5; ++i) Fitness_PageUpB(nullptr);
    EXPECT_EQ(FitnessListB.start, 0);

    EXPECT_EQ(Fitness_TreatmentText(1), 1256);
    EXPECT_EQ(Fitness_TreatmentText(5), 1252);
    EXPECT_EQ(Fitness_TreatmentText(6), 1254);
    EXPECT_EQ(Fitness_TreatmentText(7), 1255);
    EXPECT_EQ(Fitness_TreatmentText(0), -1);
    EXPECT_EQ(Fitness_TreatmentText(8), -1);

    const int16_t keptOption = MenuOption, keptPrevious = PreviousMenuOption;
    const struct {
        MenuHandler handler;
        int16_t option;
    } ways[] = {{Fitness_ToTraining, kScreenTraining},
                {Fitness_ToIndividualTraining, kScreenUserCoachingList},
                {Fitness_ToStaffList, kScreenStaffList}};
    for (const auto& way : ways) {
        FitnessReturnOption = kScreenStaffMember;
        PreviousMenuOption = kScreenStaffMember;
        EXPECT_EQ(way.handler(nullptr), MENU_CLOSE);
        EXPECT_EQ(MenuOption, way.option);
        EXPECT_EQ(PreviousMenuOption, kScreenClubMain);
        EXPECT_EQ(FitnessReturnOption, -1);
    }
    // The back area carries the value its table gives it, as the drill chart's.
    const MenuItem* back = FitnessListsTable;
    while (back->type != MI_END && back->handler != Fitness_Back) ++back;
    ASSERT_EQ(back->type, MI_HOT_RECT);
    EXPECT_EQ(back->data, MenuValue(75));
    FitnessReturnOption = 79;
    EXPECT_EQ(Fitness_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenStaffMember);
    EXPECT_EQ(FitnessReturnOption, -1);
    PreviousMenuOption = kScreenQuit;
    Fitness_Back(nullptr);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    // Leaving for a screen outside 76-80 forgets the screen before.
    PreviousMenuOption = kScreenStaffMember;
    MenuOption = kScreenPlayerCondition;
    Fitness_Leave();
    EXPECT_EQ(PreviousMenuOption, kScreenStaffMember);
    MenuOption = kScreenDivisionClubs;
    Fitness_Leave();
    EXPECT_EQ(PreviousMenuOption, kScreenClubMain);
    MenuOption = keptOption;
    PreviousMenuOption = keptPrevious;
}

// ---- The drill chart ------------------------------------------------------------

class DrillChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        kept_ = GameRandomState();
        Drill = {};
        for (int i = 0; i < 10; ++i) Drill.squad[i] = uint16_t(100 + i);
        Drill.squadCount = 10;
        Drill.length = kDrillMostSteps;
        for (auto& series : Drill.readings) std::fill(std::begin(series), std::end(series), kNoReading);
    }
    void TearDown() override { GameSetRandomState(kept_); }
    // The readings a series of this length draws from the generator's state.
    static std::vector<int> Reference(uint32_t state, int length) {
        GameSetRandomState(state);
        std::vector<int> readings(kDrillMostSteps, -1);
        for (int s = 0; s < length; ++s)
            if (GameRandom() % 3 == 2) readings[s] = 39 + GameRandom() % 60;
        return readings;
    }
    uint32_t kept_ = 0;
};

TEST_F(DrillChartTest, APickedPlayerGetsTheReferenceSeries) {
    GameSeedRandom(4242);
    const uint32_t state = GameRandomState();
    const std::vector<int> expected = Reference(state, kDrillMostSteps);
    GameSetRandomState(state);
    EXPECT_EQ(Drill_TogglePlayer(3), MENU_REDRAW);
    EXPECT_EQ(Drill.players[0], 103);
    for (int s = 0; s < kDrillMostSteps; ++s) EXPECT_EQ(Drill.readings[0][s], expected[s]) << s;
    for (int s = 0; s < kDrillMostSteps; ++s) {
        if (expected[s] != -1) {
            EXPECT_TRUE(expected[s] >= 39 && expected[s] <= 98);
        }
    }
    // Picking him again takes him off.
    EXPECT_EQ(Drill_TogglePlayer(3), MENU_REDRAW);
    EXPECT_EQ(Drill.players[0], 0);
    // An empty place or a row past the shown ones does nothing.
    EXPECT_EQ(Drill_TogglePlayer(12), MENU_CONTINUE);
    EXPECT_EQ(Drill_TogglePlayer(-1), MENU_CONTINUE);
    EXPECT_EQ(Drill_TogglePlayer(16), MENU_CONTINUE);
}

TEST_F(DrillChartTest, ADrawWithoutReadingsLeavesThePlayerUnpicked) {
    for (int i = 0; i < 10; ++i) Drill_Shorter(nullptr);
    ASSERT_EQ(Drill.length, kDrillLeastSteps);
    uint32_t state = 0;
    for (uint32_t seed = 1; seed < 1000 && state == 0; ++seed) {
        GameSeedRandom(seed);
        const uint32_t candidate = GameRandomState();
        const std::vector<int> draw = Reference(candidate, kDrillLeastSteps);
        if (std::all_of(draw.begin(), draw.end(), [](int v) { return v == -1; })) state = candidate;
    }
    ASSERT_NE(state, 0u);
    GameSetRandomState(state);
    EXPECT_EQ(Drill_TogglePlayer(0), MENU_REDRAW);
    EXPECT_EQ(Drill.players[0], 0);
}

TEST_F(DrillChartTest, SixPlayersAtMostAndTheLengthBetweenFiveAndForty) {
    GameSeedRandom(99);
    for (int row = 0; row < kDrillSlots; ++row) ASSERT_EQ(Drill_TogglePlayer(row), MENU_REDRAW);
    for (int slot = 0; slot < kDrillSlots; ++slot) EXPECT_EQ(Drill.players[slot], 100 + slot);
    EXPECT_EQ(Drill_TogglePlayer(7), MENU_CONTINUE);
    EXPECT_EQ(std::count(std::begin(Drill.players), std::end(Drill.players), 107), 0);
    // A freed slot is the next one filled.
    Drill_TogglePlayer(2);
    EXPECT_EQ(Drill_TogglePlayer(7), MENU_REDRAW);
    EXPECT_EQ(Drill.players[2], 107);

    Drill_Longer(nullptr);
    EXPECT_EQ(Drill.length, 40);
    for (int i = 0; i < 7; ++i) Drill_Shorter(nullptr);
    EXPECT_EQ(Drill.length, 5);
    Drill_Shorter(nullptr);
    EXPECT_EQ(Drill.length, 5);
    Drill_Longer(nullptr);
    EXPECT_EQ(Drill.length, 10);
    // A length from outside the range is kept within it before use.
    Drill.length = 0;
    Drill_Longer(nullptr);
    EXPECT_EQ(Drill.length, 10);

    // Paging stops at count - 16.
    Drill.squadCount = 20;
    for (int i = 0; i < 9; ++i) Drill_PageDown(nullptr);
    EXPECT_EQ(Drill.pageStart, 4);
    for (int i = 0; i < 9; ++i) Drill_PageUp(nullptr);
    EXPECT_EQ(Drill.pageStart, 0);
}

TEST(DrillLengthLine, TheTextIsAFormatOnlyWithExactlyOneNumber) {
    EXPECT_TRUE(Drill_IsLengthFormat("Session length: %d minutes"));
    EXPECT_TRUE(Drill_IsLengthFormat("%d%% done"));
    EXPECT_FALSE(Drill_IsLengthFormat("%d of %d"));
    EXPECT_FALSE(Drill_IsLengthFormat("length %s"));
    EXPECT_FALSE(Drill_IsLengthFormat("length"));
    EXPECT_FALSE(Drill_IsLengthFormat("%d %"));
    EXPECT_FALSE(Drill_IsLengthFormat(nullptr));
    EXPECT_EQ(Drill_ReadingY(100), 80);
    EXPECT_EQ(Drill_ReadingY(0), 330);
    EXPECT_EQ(Drill_ReadingY(39), 232);
    EXPECT_EQ(Drill_SeriesColour(0), Staff_Colour565(160, 0, 0));
    EXPECT_EQ(Drill_BrightColour(5), Staff_Colour565(255, 0, 255));
}

}  // namespace
