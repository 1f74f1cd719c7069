// Goal replay files: names and minutes, the saved file's bytes, loading it
// back, the count's limit, damaged files, and a day of 100 goals listed
// and loaded in the order they were saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/records/blockfiles.h"
#include "core/records/taggedfiles.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

namespace fs = std::filesystem;

TEST(GoalMinuteTest, ByPeriodAndClock) {
    EXPECT_EQ(Replay_GoalMinute(0, 1500, 3000), 22) << "45 x 60 / 2 = 1350 seconds";
    EXPECT_EQ(Replay_GoalMinute(1, 3000, 3000), 90);
    EXPECT_EQ(Replay_GoalMinute(2, 0, 1000), 90);
    EXPECT_EQ(Replay_GoalMinute(3, 500, 1000), 112);
    EXPECT_EQ(Replay_GoalMinute(4, 200, 0), 120) << "the shoot-out has no length and no limit";
    EXPECT_EQ(Replay_GoalMinute(4, 200, 400), 120);
    EXPECT_EQ(Replay_GoalMinute(1, 1234, 0), 45) << "a clock without a limit gives the period's start";
    EXPECT_EQ(Replay_GoalMinute(0, 3300, 3000), 49) << "stoppage time";
    EXPECT_EQ(Replay_GoalMinute(0, 0xFFFFFFFF, 3000), 64424509) << "no overflow on any clock";
}

TEST(GoalFileNameTest, LettersThenNumberedNamesThatSortInSavingOrder) {
    char name[64];
    ASSERT_TRUE(Replay_GoalFileName(1, 1, 0, 22, name, sizeof name));
    EXPECT_STREQ(name, " B GOAL 1-0 (22 min).dhf");
    ASSERT_TRUE(Replay_GoalFileName(25, 0, 3, 90, name, sizeof name));
    EXPECT_STREQ(name, " Z GOAL 0-3 (90 min).dhf");
    ASSERT_TRUE(Replay_GoalFileName(26, 2, 2, 5, name, sizeof name));
    EXPECT_STREQ(name, "Z026 GOAL 2-2 (5 min).dhf");
    EXPECT_FALSE(Replay_GoalFileName(0, 0, 0, 0, name, sizeof name));
    EXPECT_FALSE(Replay_GoalFileName(101, 0, 0, 0, name, sizeof name));

    // As the goal file list keeps them: lower-cased and sorted.
    std::vector<std::string> listed;
    for (int count = 1; count <= kMaxSavedGoals; ++count) {
        ASSERT_TRUE(Replay_GoalFileName(count, 99, 99, 120, name, sizeof name));
        std::string lower = name;
        EXPECT_LT(lower.size(), size_t(kGoalFileNameSize)) << lower;
        for (char& c : lower) {
            EXPECT_TRUE(std::isprint(static_cast<unsigned char>(c))) << name;
            EXPECT_TRUE(c != '\\' && c != '/' && c != ':') << name;
            c = char(std::tolower(static_cast<unsigned char>(c)));
        }
        if (!listed.empty()) {
            EXPECT_LT(listed.back(), lower) << count;
        }
        listed.push_back(lower);
    }
}

class GoalFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = fs::current_path();
        char pattern[] = "/tmp/halvorn_goalfile_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
        // A match test before this one may have left the game archive
        // mounted in its own memory.
        matchtest::UnmountGameData();
        InitMemory(16 * 1024);
        Replay_AllocBuffer();
        ClearMatchSetupBlock();
        DisplayModeFlags = 0;
        SavedGoalCount = 0;
        Goals[0] = 1, Goals[1] = 0, Period = 0, PeriodClock = 1500, PeriodLength = 3000;
    }
    void TearDown() override {
        Replay_FreeBuffer();
        UninitMemory();
        DisplayModeFlags = 0;
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    // Fills the ring with recognisable frames: the newest tick's clock is
    // `last`.
    static void Record(int ticks, uint32_t last) {
        const uint32_t clock = PeriodClock;
        for (int tick = 0; tick < ticks; ++tick) {
            PeriodClock = last - uint32_t(ticks - 1 - tick);
            Replay_Tick();
        }
        PeriodClock = clock;
    }
    static std::vector<uint8_t> Ring() {
        const auto* bytes = reinterpret_cast<const uint8_t*>(Replay.frames);
        return std::vector<uint8_t>(bytes, bytes + kReplayCapacity * kReplayFrameSize);
    }
    static std::string OnlyGoalFile() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator("SaveData/GOALS"))
            names.push_back(entry.path().filename());
        return names.size() == 1 ? names[0] : "";
    }
    fs::path old_, dir_;
};

TEST_F(GoalFileTest, AGoalIsSavedAndLoadsBackByteForByte) {
    Record(800, 1500);
    GameInfo.SetTeamI16(0, gameinfo::kTeamClub, 321);
    const std::vector<uint8_t> ring = Ring();
    const EnterGameInfo info = GameInfo;
    const ReplayBuffer saved = Replay;
    Replay_SaveGoal();
    EXPECT_EQ(SavedGoalCount, 1);
    ASSERT_EQ(OnlyGoalFile(), " B GOAL 1-0 (22 min).dhf");
    const fs::path file = fs::path("SaveData/GOALS") / OnlyGoalFile();
    EXPECT_EQ(fs::file_size(file), 375344u);
    std::FILE* f = std::fopen(file.c_str(), "rb");
    char magic[8];
    ASSERT_EQ(std::fread(magic, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(std::memcmp(magic, "NEWDATA1", 8), 0);

    // Another match in between, then the saved goal comes back.
    Replay_AllocBuffer();
    Record(30, 9);
    ClearMatchSetupBlock();
    ASSERT_EQ(Replay_LoadGoalInfo(" b goal 1-0 (22 min).dhf"), 0) << "the list's lower-cased name finds it";
    EXPECT_EQ(std::memcmp(GameInfo.bytes, info.bytes, sizeof info.bytes), 0);
    ASSERT_EQ(ReplayLoadTheRest(), 0);
    EXPECT_EQ(Ring(), ring);
    EXPECT_EQ(Replay.recorded, saved.recorded);
    EXPECT_EQ(Replay.ringStart, saved.ringStart);
    EXPECT_EQ(Replay.position, saved.position);
    EXPECT_EQ(+Replay_FrameByAge(749)->clock, 1500u);
}

TEST_F(GoalFileTest, AnEarlyGoalSavesAnEmptyRingBeyondItsFrames) {
    Record(800, 1500);
    Replay_AllocBuffer();  // the next match
    Record(20, 40);
    const std::vector<uint8_t> ring = Ring();
    const size_t recorded = size_t(Replay.recorded) * kReplayFrameSize;
    ASSERT_LT(recorded, ring.size());
    EXPECT_TRUE(std::all_of(ring.begin() + recorded, ring.end(), [](uint8_t b) { return b == 0; }))
        << "the last match's frames are left in the ring the goal file saves";
}

TEST_F(GoalFileTest, OnlyAShownMatchSavesGoals) {
    Record(50, 100);
    DisplayModeFlags = kDisplayOff | kDisplayDataPrepared;
    Replay_SaveGoal();
    EXPECT_EQ(SavedGoalCount, 0);
    EXPECT_FALSE(fs::exists("SaveData/GOALS"));
}

TEST_F(GoalFileTest, AtOneHundredNothingIsWrittenOrLogged) {
    Record(50, 100);
    SavedGoalCount = 100;
    StdoutCapture out;
    Replay_SaveGoal();
    EXPECT_EQ(out.Text(), "");
    EXPECT_EQ(SavedGoalCount, 100);
    EXPECT_FALSE(fs::exists("SaveData/GOALS"));
}

TEST_F(GoalFileTest, AFailedSaveIsLoggedAndPlayGoesOn) {
    fs::create_directories("SaveData");
    std::FILE* blocker = std::fopen("SaveData/GOALS", "wb");  // a file where the folder should be
    std::fclose(blocker);
    Record(50, 100);
    StdoutCapture out;
    Replay_SaveGoal();
    // The warning is a line of its own with nothing in front of it.
    const std::string text = out.Text();
    const std::string line =
        "Warning: Failed to save replay to 'SaveData\\GOALS\\ B GOAL 1-0 (22 min).dhf'\n";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_TRUE(at == 0 || text[at - 1] == '\n') << text;
}

TEST_F(GoalFileTest, DamagedFilesAreRefusedAndLeaveNoRing) {
    Record(100, 100);
    Replay_SaveGoal();
    const std::string name = OnlyGoalFile();
    const fs::path file = fs::path("SaveData/GOALS") / name;
    std::vector<uint8_t> good(fs::file_size(file));
    std::FILE* f = std::fopen(file.c_str(), "rb");
    ASSERT_EQ(std::fread(good.data(), 1, good.size(), f), good.size());
    std::fclose(f);
    // The header's words sit after the file header and the item header.
    constexpr size_t kHeader = kNewDiskHeaderSize + kNewDiskItemHeaderSize;
    struct Damage {
        const char* what;
        std::vector<std::pair<size_t, uint32_t>> words;  // where, what
        std::string fault;                               // as the refusal names it
    };
    const float nan = std::nanf("");
    const Damage damages[] = {
        {"capacity", {{kHeader, 751}}, "(capacity)"},
        {"frames above 750", {{kHeader + 4, 751}}, "(frame count)"},
        {"ring start outside the frames", {{kHeader + 8, 100}}, "(ring start)"},
        {"ring start in an empty ring",
         {{kHeader + 4, 0}, {kHeader + 8, 5}, {kHeader + 12, 0}},
         "(ring start)"},
        {"position past the frames", {{kHeader + 12, std::bit_cast<uint32_t>(100.0f)}}, "(position)"},
        {"negative position", {{kHeader + 12, std::bit_cast<uint32_t>(-1.0f)}}, "(position)"},
        {"position not a number", {{kHeader + 12, std::bit_cast<uint32_t>(nan)}}, "(position)"},
        {"ring body of another size",
         {{kHeader + 16 + 8, 750 * 484 - 4}},
         "(" + std::to_string(kNewDiskItemSizeMismatch) + ")"},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        for (const auto& [at, value] : damage.words) recbits::StoreU32(bytes.data() + at, value);
        f = std::fopen(file.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        // The ring's damage may or may not hide the match block behind it.
        Replay_LoadGoalInfo(name.c_str());
        Replay.recorded = 5;
        StdoutCapture out;
        EXPECT_LT(ReplayLoadTheRest(), 0) << damage.what;
        const std::string text = out.Text();
        EXPECT_NE(text.find("ReplayLoadTheRest(): Error: "), std::string::npos) << damage.what;
        EXPECT_NE(text.find(damage.fault), std::string::npos) << damage.what << ": " << text;
        EXPECT_EQ(Replay.recorded, 0u) << damage.what;
    }

    // A file cut short refuses its match too, and leaves the block alone.
    fs::resize_file(file, 1000);
    GameInfo.SetI16(gameinfo::kCompetition, -1);
    EXPECT_LT(Replay_LoadGoalInfo(name.c_str()), 0);
    EXPECT_EQ(GameInfo.I16(gameinfo::kCompetition), -1);
    EXPECT_LT(ReplayLoadTheRest(), 0);
    EXPECT_LT(Replay_LoadGoalInfo("no such goal.dhf"), 0);
    EXPECT_EQ(Replay_LoadGoalInfo(std::string(256, 'a').c_str()), -1);

    // With no ring to load into, a good file is not read at all.
    f = std::fopen(file.c_str(), "wb");
    std::fwrite(good.data(), 1, good.size(), f);
    std::fclose(f);
    ASSERT_EQ(Replay_LoadGoalInfo(name.c_str()), 0);
    Replay_FreeBuffer();
    StdoutCapture out;
    EXPECT_EQ(ReplayLoadTheRest(), -1);
    EXPECT_EQ(out.Text(), "ReplayLoadTheRest(): Error: failed to load replay (no replay buffer or file)\n");
    Replay_AllocBuffer();
}

TEST_F(GoalFileTest, AHundredGoalsInADayAreListedAndLoadedInSavingOrder) {
    for (int goal = 1; goal <= 100; ++goal) {
        Replay_AllocBuffer();
        Record(20 + goal, uint32_t(1000 + goal));
        GameInfo.SetTeamI16(0, gameinfo::kTeamClub, int16_t(goal));
        Goals[0] = int16_t(goal % 7);
        PeriodClock = uint32_t(goal * 29);
        Replay_SaveGoal();
    }
    EXPECT_EQ(SavedGoalCount, 100);
    Replay_SaveGoal();
    ASSERT_EQ(RemoveAllFiles("SaveData\\GOALS\\"), 100);
    for (int entry = 0; entry < 100; ++entry) {
        const int goal = entry + 1;
        ASSERT_EQ(Replay_LoadGoalInfo(GoalReplayFiles.names[entry]), 0) << GoalReplayFiles.names[entry];
        EXPECT_EQ(GameInfo.TeamI16(0, gameinfo::kTeamClub), goal) << GoalReplayFiles.names[entry];
        ASSERT_EQ(ReplayLoadTheRest(), 0);
        EXPECT_EQ(Replay.recorded, uint32_t(20 + goal));
        Replay.position = float(Replay.recorded - 1);
        Replay_UpdateDisplay();
        EXPECT_EQ(PeriodClock, uint32_t(1000 + goal));
    }
}

}  // namespace
