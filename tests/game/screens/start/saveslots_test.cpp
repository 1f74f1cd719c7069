// The save-game index: its file, its reader's refusals and the automatic
// save.
#include "game/screens/start/saveslots.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class SaveIndexTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::LoadTexts(
            {{554, std::string(150, 'S')}, {593, "Date"}, {30, "Manager"}, {470, "Automatic"}});
        scratch_ = std::make_unique<ScratchFolder>("saveindex");
        std::filesystem::create_directory("SaveData");
    }
    void TearDown() override {
        scratch_.reset();
        testenv::UnloadTexts();
    }
    std::unique_ptr<ScratchFolder> scratch_;
    static void FillSlots() {
        for (int slot = 0; slot < kSaveSlots; ++slot) {
            std::memset(SaveSlotNames[slot], 'n', kSlotNameSize);
            std::snprintf(SaveSlotNames[slot], kSlotNameSize, "slot %d", slot);
            std::snprintf(SaveSlotDescriptions[slot], kSlotDescriptionSize, "about %d", slot);
            SaveSlotFlags[slot] = slot % 2;
        }
    }
    static void ExpectAllFree() {
        for (int slot = 0; slot < kSaveSlots; ++slot) {
            EXPECT_EQ(SaveSlotFlags[slot], 0u) << slot;
            EXPECT_EQ(SaveSlotNames[slot][0], '\0') << slot;
            EXPECT_EQ(SaveSlotDescriptions[slot][0], '\0') << slot;
        }
    }
};

TEST_F(SaveIndexTest, NoIndexIsAnEmptyIndex) {
    FillSlots();
    EXPECT_EQ(LoadGameIndex(), 1);
    ExpectAllFree();
}

TEST_F(SaveIndexTest, TheFileHoldsElevenRecordsInSlotOrder) {
    FillSlots();
    ASSERT_EQ(SaveGameIndex(), 0);
    const std::vector<uint8_t> bytes = testenv::ReadHostFile("SaveData/index.dat");
    ASSERT_EQ(bytes.size(), 1694u);
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        const uint8_t* record = bytes.data() + slot * 154;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(record)), "slot " + std::to_string(slot));
        EXPECT_EQ(record[50], slot % 2);
        EXPECT_EQ(record[51] | record[52] | record[53], 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 54)), "about " + std::to_string(slot));
    }
    std::memset(SaveSlotNames, 0, sizeof SaveSlotNames);
    ASSERT_EQ(LoadGameIndex(), 0);
    EXPECT_STREQ(SaveSlotNames[7], "slot 7");
    EXPECT_EQ(SaveSlotFlags[7], 1u);
    EXPECT_STREQ(SaveSlotDescriptions[10], "about 10");
}

TEST_F(SaveIndexTest, ShortLongOrGarbageIndexesLeaveEverySlotFree) {
    FillSlots();
    ASSERT_EQ(SaveGameIndex(), 0);
    const std::vector<uint8_t> good = testenv::ReadHostFile("SaveData/index.dat");
    // Each cut ends inside the part whose read fails: a name (-1), a flag
    // word (-2) or a description (-3).
    const std::pair<size_t, int> cuts[] = {{0, -1}, {49, -1}, {52, -2}, {153, -3}, {1693, -3}};
    for (const auto& [size, result] : cuts) {
        testenv::WriteHostFile("SaveData/index.dat", std::vector<uint8_t>(good.begin(), good.begin() + size));
        FillSlots();
        EXPECT_EQ(LoadGameIndex(), result) << size;
        ExpectAllFree();
    }
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    testenv::WriteHostFile("SaveData/index.dat", longer);
    EXPECT_EQ(LoadGameIndex(), -4);
    ExpectAllFree();
    std::vector<uint8_t> badFlag = good;
    badFlag[154 * 3 + 50] = 7;
    testenv::WriteHostFile("SaveData/index.dat", badFlag);
    EXPECT_EQ(LoadGameIndex(), -2);
    ExpectAllFree();
    // Unterminated strings come back terminated at their last byte.
    std::vector<uint8_t> unterminated = good;
    std::memset(unterminated.data(), 'x', 50);
    std::memset(unterminated.data() + 54, 'y', 100);
    testenv::WriteHostFile("SaveData/index.dat", unterminated);
    ASSERT_EQ(LoadGameIndex(), 0);
    EXPECT_EQ(std::string(SaveSlotNames[0]), std::string(49, 'x'));
    EXPECT_EQ(std::string(SaveSlotDescriptions[0]), std::string(99, 'y'));
}

TEST_F(SaveIndexTest, DescriptionsAreCutToTheirField) {
    char description[kSlotDescriptionSize];
    std::memset(description, 'z', sizeof description);
    BuildSlotDescription(description, "");
    EXPECT_EQ(std::strlen(description), 99u);
    EXPECT_EQ(std::string(description, 5), "SSSSS");
    BuildSlotDescription(description, "Automatic");
    EXPECT_EQ(std::string(description, 12), "Automatic - ");
}

TEST_F(SaveIndexTest, AFailedAutomaticSaveLeavesItsSlotFree) {
    // A file where the folder should be: neither the game nor the index can
    // be written.
    std::filesystem::remove_all("SaveData");
    testenv::WriteHostFile("SaveData", std::string("not a folder"));
    EXPECT_LT(AutoSaveGame(), 0);
    EXPECT_EQ(SaveSlotFlags[kAutoSaveSlot], 0u);
    std::filesystem::remove("SaveData");
}

TEST_F(SaveIndexTest, TheAutomaticSaveNamesSlotTenAndKeepsTheOthers) {
    FillSlots();
    ASSERT_EQ(SaveGameIndex(), 0);
    ASSERT_EQ(AutoSaveGame(), 0);
    ASSERT_EQ(LoadGameIndex(), 0);
    EXPECT_STREQ(SaveSlotNames[kAutoSaveSlot], "AutoSave");
    EXPECT_EQ(SaveSlotFlags[kAutoSaveSlot], 1u);
    EXPECT_EQ(std::string(SaveSlotDescriptions[kAutoSaveSlot], 12), "Automatic - ");
    EXPECT_STREQ(SaveSlotNames[3], "slot 3");
    EXPECT_TRUE(std::filesystem::exists("SaveData/save10"));
}

}  // namespace

#include <functional>
#include <string_view>

#include "core/records/blockfiles.h"
#include "core/records/history.h"
#include "core/records/savetable.h"
#include "core/records/text.h"
#include "game/screens/engine/menuboxes.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

bool HasItemAt(int x, int y) {
    for (const MenuHotItem& item : MenuViewHotItems()) {
        if (item.x == x && item.y == y) return true;
    }
    return false;
}

// Screen 46 over an index without the automatic save, then with it; an
// empty row does nothing, the back icon leads to the start screen.
TEST_F(MenuEngineTest, LoadScreenListsTheSlotsAndTheAutomaticSaveRow) {
    std::filesystem::create_directory("SaveData");
    using testenv::MenuUserDo;
    using testenv::MenuUserWait;
    const auto up = [] {
        return MenuViewTopTable() == SaveLoadTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
    };
    testenv::MenuUserWaitFor(up);
    MenuUserWait(5);
    MenuUserDo([] {
        EXPECT_EQ(MenuViewHotItems().size(), 11u);  // ten rows and the back icon
        EXPECT_FALSE(HasItemAt(60, 559));
        for (int slot = 0; slot < 10; ++slot) {
            EXPECT_EQ(SaveSlotShownUsed[slot], 0);
            EXPECT_STREQ(SaveLoadRowName(int16_t(slot)), GetText(1660)) << slot;
        }
    });
    // An empty row does nothing.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.y == 165; });
    MenuUserWait(10);
    MenuUserDo([] { EXPECT_EQ(MenuViewTopTable(), SaveLoadTable); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });

    SaveLoadMode = 1;
    MenuOption = kScreenLoadGame;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenStart);

    // With slot 10 used the automatic-save row is offered.
    std::memset(SaveSlotFlags, 0, sizeof SaveSlotFlags);
    std::snprintf(SaveSlotNames[kAutoSaveSlot], kSlotNameSize, "AutoSave");
    std::snprintf(SaveSlotDescriptions[kAutoSaveSlot], kSlotDescriptionSize, "Automatic save");
    SaveSlotFlags[kAutoSaveSlot] = 1;
    ASSERT_EQ(SaveGameIndex(), 0);
    testenv::MenuUserWaitFor(up);
    MenuUserWait(5);
    MenuUserDo([] { EXPECT_TRUE(HasItemAt(60, 559)); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenLoadGame;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenStart);
}

// What the running game would write: every saved block.
uint64_t HashSavedBlocks() {
    uint64_t hash = 0;
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        const std::string_view bytes(static_cast<const char*>(SaveGameDescriptors[i].address),
                                     SaveGameDescriptors[i].size);
        hash = hash * 1099511628211ull ^ std::hash<std::string_view>{}(bytes);
    }
    return hash;
}

bool LoadScreenUp() {
    return MenuViewTopTable() == SaveLoadTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
}

// A damaged index (short, then garbage of the right length) on the load
// screen: its box says so and every row is free.
TEST_F(MenuEngineTest, ADamagedIndexIsReportedAndShowsEveryRowFree) {
    std::filesystem::create_directory("SaveData");
    std::vector<uint8_t> garbage(kSaveIndexFileSize, 0xA5);
    for (const std::vector<uint8_t>& index : {std::vector<uint8_t>(17, 1), garbage}) {
        SCOPED_TRACE(index.size());
        testenv::WriteHostFile("SaveData/index.dat", index);
        static std::string shown;
        shown.clear();
        const int before = MenuViewMessageBoxCount();
        testenv::MenuUserWaitFor([before] { return MenuViewMessageBoxCount() > before; });
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([] { shown = MenuViewLastMessageBox(); });
        testenv::MenuUserClickAt(400, 300);
        testenv::MenuUserWaitFor(LoadScreenUp);
        testenv::MenuUserWait(5);
        testenv::MenuUserDo([] {
            for (int16_t row = 0; row < 10; ++row) {
                EXPECT_EQ(SaveSlotShownUsed[row], 0) << row;
                EXPECT_STREQ(SaveLoadRowName(row), GetText(1660)) << row;
            }
            EXPECT_FALSE(HasItemAt(60, 559));
        });
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        SaveLoadMode = 1;
        MenuOption = kScreenLoadGame;
        {
            StdoutCapture quiet;
            DoMainMenuOption();
            quiet.Text();
        }
        EXPECT_EQ(shown, GetText(1663));
        for (int slot = 0; slot < kSaveSlots; ++slot) EXPECT_EQ(SaveSlotFlags[slot], 0u) << slot;
    }
}

// Damaged saved games offered to the load screen (cut short, a byte
// changed inside a block, a wrong header, from a row and from the automatic
// save's row) each bring their message box, leave the screen up and leave
// every saved block of the running game as it was; the sound file loads.
TEST_F(MenuEngineTest, DamagedSavedGamesAreRefusedAndTheRunningGameStaysAsItWas) {
    ASSERT_STRNE(GetText(1664), "");  // (1662 reads the same in the shipped texts)
    const uint32_t keptPlayers = PlayerHistoryCount, keptClubs = ClubHistoryCount;
    PlayerHistoryCount = 1;  // the least a load accepts
    ClubHistoryCount = 1;
    ASSERT_EQ(SaveGame(0), 0);
    ASSERT_EQ(SaveGame(kAutoSaveSlot), 0);
    const std::vector<uint8_t> good = testenv::ReadHostFile("SaveData/save0");
    ASSERT_GT(good.size(), 1000u);
    std::memset(SaveSlotFlags, 0, sizeof SaveSlotFlags);
    SaveSlotFlags[0] = SaveSlotFlags[kAutoSaveSlot] = 1;
    std::snprintf(SaveSlotNames[0], kSlotNameSize, "By hand");
    std::snprintf(SaveSlotNames[kAutoSaveSlot], kSlotNameSize, "AutoSave");
    ASSERT_EQ(SaveGameIndex(), 0);
    // The running game has moved on since the save.
    PlayerHistoryCount = 2;
    const uint64_t running = HashSavedBlocks();

    std::vector<uint8_t> cut(good.begin(), good.begin() + good.size() / 2);
    std::vector<uint8_t> flipped = good;
    flipped[good.size() / 3] ^= 0x20;
    std::vector<uint8_t> header = good;
    std::memcpy(header.data() + 4, "PRM0", 4);
    struct Case {
        const char* name;
        const std::vector<uint8_t>* file;
        int16_t slot;
        int16_t text;
    };
    // A row shows 1664 whatever failed; the automatic save's row 1664 for
    // a file that is not a sound saved game, 1662 for a read cut short.
    const Case cases[] = {{"cut", &cut, 0, 1664},
                          {"flipped", &flipped, 0, 1664},
                          {"header", &header, 0, 1664},
                          {"cut", &cut, kAutoSaveSlot, 1662},
                          {"flipped", &flipped, kAutoSaveSlot, 1664},
                          {"header", &header, kAutoSaveSlot, 1664}};
    SaveLoadMode = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " in slot " + std::to_string(c.slot));
        testenv::WriteHostFile("SaveData/save" + std::to_string(c.slot), *c.file);
        testenv::MenuUserWaitFor(LoadScreenUp);
        testenv::MenuUserWait(5);
        std::string shown;
        const bool row = c.slot != kAutoSaveSlot;
        // The steps are queued first; they run while the screen does.
        const int before = MenuViewMessageBoxCount();
        testenv::MenuUserClickItem(
            [row](const MenuHotItem& item) { return row ? item.x == 110 && item.y == 130 : item.x == 60; });
        testenv::MenuUserWaitFor([before] { return MenuViewMessageBoxCount() > before; });
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([&shown] { shown = MenuViewLastMessageBox(); });
        testenv::MenuUserClickAt(400, 300);
        testenv::MenuUserWait(5);
        testenv::MenuUserDo([] { EXPECT_EQ(MenuViewTopTable(), SaveLoadTable); });
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        MenuOption = kScreenLoadGame;
        DoMainMenuOption();
        EXPECT_EQ(MenuOption, kScreenStart);
        EXPECT_EQ(shown, GetText(c.text));
        EXPECT_EQ(HashSavedBlocks(), running);
    }

    // The sound file loads: the club screen is next and the saved blocks
    // are the save's.
    testenv::WriteHostFile("SaveData/save0", good);
    testenv::MenuUserWaitFor(LoadScreenUp);
    testenv::MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.y == 130; });
    MenuOption = kScreenLoadGame;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_NE(HashSavedBlocks(), running);
    PlayerHistoryCount = keptPlayers;
    ClubHistoryCount = keptClubs;
}

}  // namespace
