// The name editors on the headless display: the club list of a country by
// pages, a club renamed by typing and saved to its edited-team file, cup
// names renamed and saved for one nation, and the nation stepping round.
#include "game/screens/start/nameeditor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/base/bytes.h"
#include "core/query/layerstate.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/competitions.h"
#include "core/season/leagues.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/start/startmenu.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

class NameEditorTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        // Country 3 lists 61 clubs (rows 0-60); the other rows list none.
        std::memset(TotStatClubs, 0, sizeof TotStatClubs);
        for (int16_t i = 0; i < 61; ++i) {
            SetTotStatClubNumber(TotStatClubs[i], int16_t(100 + i));
            SetTotStatClubNation(TotStatClubs[i], 3);
            recbits::StoreU16(TotStatClubs[i].bytes + 45, 1);
        }
        for (int i = 61; i < TOTSTAT_CLUB_COUNT; ++i) SetTotStatClubNation(TotStatClubs[i], 9);
        HVW_SetViewedCountry(3);
        for (int16_t club = 100; club < 161; ++club)
            std::snprintf(ClubNameRecords[club].text[0], kClubNameLength, "Club %d", club);
    }

    // Waits until the page is up and shown (its wipe over).
    static void PageUp(const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); });
        testenv::MenuUserWait(5);
    }
    static void Run(int16_t id) {
        MenuOption = id;
        ScreenPresented = 0;
        DoMainMenuOption();
    }

    static std::string Field(const char* field, size_t size) {
        return std::string(field, strnlen(field, size));
    }
};

TEST_F(NameEditorTest, ACountryOfSixtyOneClubsFillsOnePageAndOneClub) {
    using namespace testenv;
    PageUp(ClubListTable);
    MenuUserDo([] {
        EXPECT_EQ(ClubListCount(), 61);
        EXPECT_EQ(ClubListPage(), 0);
        EXPECT_STRNE(ClubListCell(19, 2), " ");
        EXPECT_STRNE(ClubListCell(0, 0), "* ");
    });
    MenuUserClickAt(570, 570);  // next page
    MenuUserWait(30);
    MenuUserDo([] {
        EXPECT_EQ(ClubListPage(), 1);
        EXPECT_STRNE(ClubListCell(0, 0), " ");
        EXPECT_STREQ(ClubListCell(1, 0), " ");
    });
    MenuUserClickAt(570, 570);  // past the last page: the first again
    MenuUserWait(30);
    MenuUserDo([] { EXPECT_EQ(ClubListPage(), 0); });
    MenuUserClickAt(760, 575);  // back to the start screen
    Run(112);
    EXPECT_EQ(MenuOption, kScreenStart);
}

TEST_F(NameEditorTest, AClubRenamedAndSavedIsListedByItsEditedName) {
    using namespace testenv;
    PageUp(ClubListTable);
    MenuUserClickAt(145, 111);  // column 0, row 0: the first club
    PageUp(ClubNamesTable);
    MenuUserClickAt(560, 210);  // the first name
    MenuUserWait(5);
    for (int i = 0; i < 20; ++i) MenuUserKey(0x0E);  // backspace over the old name
    MenuUserShiftKey(0x2C);                          // Z
    MenuUserKey(0x12);                               // e
    MenuUserKey(0x20);                               // d
    MenuUserKey(0x1C);                               // Enter
    MenuUserWait(5);
    MenuUserClickAt(570, 474);  // Save
    Run(112);                   // the list, left for the club's page
    ASSERT_EQ(MenuOption, kScreenClubNames);
    EXPECT_EQ(SelectedClub, 100);
    ScreenPresented = 0;
    DoMainMenuOption();  // the club's page, left by Save for the list
    EXPECT_EQ(MenuOption, kScreenNameClubList);
    EXPECT_EQ(Field(ClubNameRecords[kClubCount].text[0], kClubNameLength), "Zed");
    EXPECT_FALSE(testenv::ReadHostFile("Edited/100.tmf").empty());

    PageUp(ClubListTable);
    MenuUserDo([] { EXPECT_STREQ(ClubListCell(0, 0), "* Zed *"); });
    MenuUserClickAt(760, 575);
    ScreenPresented = 0;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenStart);
}

TEST_F(NameEditorTest, CupNamesOfOneNationAreSavedInTheFirstSevenPlaces) {
    for (int nation = 0; nation < 8; ++nation)
        for (int cup = 0; cup < kCupNames; ++cup) {
            char name[40];
            std::snprintf(name, sizeof name, "Cup %d of %d", cup, nation);
            std::memset(CompetitionNames[nation].cup[cup], 0, kCompetitionNameSize);
            std::memcpy(CompetitionNames[nation].cup[cup], name, std::strlen(name));
            PadName34(CompetitionNames[nation].cup[cup]);
        }
    std::memset(CupEditRecord, 'x', sizeof CupEditRecord);
    NameEditorNation = 3;
    EXPECT_EQ(CupNameRows(), 7);
    EXPECT_EQ(SaveCupNames(nullptr), MENU_CLOSE);
    EXPECT_EQ(std::memcmp(CupEditRecord, CompetitionNames[3].cup, 7 * kCompetitionNameSize), 0);
    EXPECT_EQ(CupEditRecord[7 * kCompetitionNameSize], 'x');  // the rest untouched
    std::memset(CupEditRecord, 0, sizeof CupEditRecord);
    ASSERT_EQ(LoadEditedCup(3), kEditOk);
    EXPECT_EQ(Field(CupEditRecord + 2 * kCompetitionNameSize, 33), "Cup 2 of 3" + std::string(22, ' '));

    // Renamed on the page: a field of max length 32 takes 31 characters,
    // and the name is padded to 32.
    using namespace testenv;
    PageUp(CupNamesTable);
    MenuUserClickAt(390, 150);  // the first cup
    MenuUserWait(5);
    for (int i = 0; i < 12; ++i) MenuUserKey(0x0E);
    for (int i = 0; i < 40; ++i) MenuUserKey(0x17);  // i, past the field's length
    MenuUserKey(0x1C);
    MenuUserWait(5);
    MenuUserDo([] { EXPECT_EQ(Field(CompetitionNames[3].cup[0], 34), std::string(31, 'i') + " "); });
    MenuUserClickAt(760, 575);
    Run(110);
    EXPECT_EQ(MenuOption, kScreenStart);
}

TEST(NameEditorNations, SteppingFromTheLastNationReturnsToTheFirst) {
    NameEditorNation = 6;
    EXPECT_EQ(NextNameSet(nullptr), MENU_CLOSE);
    EXPECT_EQ(NameEditorNation, 7);
    NextNameSet(nullptr);
    EXPECT_EQ(NameEditorNation, 0);
    EXPECT_EQ(DivisionNameRows(), 5);
}

}  // namespace

namespace {

TEST_F(NameEditorTest, AFailedSaveIsLoggedAndThePageStays) {
    // A file where the folder should be: nothing can be written into it.
    std::FILE* blocker = std::fopen("Edited", "wb");
    ASSERT_NE(blocker, nullptr);
    std::fclose(blocker);
    NameEditorNation = 2;
    std::memcpy(CompetitionNames[2].division[0], "Typed", 5);
    StdoutCapture out;
    EXPECT_EQ(SaveDivisionNames(nullptr), MENU_REDRAW);
    EXPECT_NE(out.Text().find("Error: SaveDivisionNames(): the edited names of 2 could not be written"),
              std::string::npos);
    EXPECT_EQ(std::memcmp(CompetitionNames[2].division[0], "Typed", 5), 0);
    std::remove("Edited");
}

}  // namespace

namespace {

// The start screen's third button is drawn but opens nothing; names saved
// by the editors are the ones the start screen builds on its entry.
TEST_F(NameEditorTest, TheStartScreenTakesTheEditorsNamesAndItsThirdButtonStays) {
    std::error_code error;
    std::filesystem::create_directory_symlink(std::string(HALVORN_GAME_DIR) + "/stats", "stats", error);
    ASSERT_FALSE(error) << error.message();
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    ClubNameRecord& edit = ClubNameRecords[kClubCount];
    edit = ClubNameRecord{};
    std::strcpy(edit.text[0], "Zed");
    std::strcpy(edit.text[1], "Zed Park");
    std::strcpy(edit.text[2], "The Zeds");
    ASSERT_EQ(SaveEditedTeam(100), kEditOk);

    using namespace testenv;
    MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == StartMenuTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    MenuUserWait(5);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 500 && item.y == 535; });
    MenuUserWait(10);
    MenuUserDo([] {
        EXPECT_EQ(MenuOption, kScreenStart);
        EXPECT_TRUE(MenuTableUp(StartMenuTable));
    });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 300 && item.y == 535; });
    Run(22);
    EXPECT_EQ(MenuOption, kScreenLoadGame);
    EXPECT_STREQ(ClubNameRecords[100].text[0], "Zed");
    EXPECT_STREQ(ClubNameRecords[100].text[2], "The Zeds");
}

}  // namespace
