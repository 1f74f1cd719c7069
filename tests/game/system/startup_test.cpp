#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/system/mainwindow.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "game/system/videosurvey.h"
#include "platform/system.h"
#include "platform/window.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

struct Args {
    std::vector<std::string> words;
    std::vector<char*> ptrs;
    explicit Args(std::vector<std::string> w) : words(std::move(w)) {
        for (std::string& s : words) ptrs.push_back(s.data());
        ptrs.push_back(nullptr);
    }
    int argc() const { return int(words.size()); }
    char** argv() { return ptrs.data(); }
};

StartupOptions Apply(std::vector<std::string> words) {
    Args a(std::move(words));
    ArgumentVector v;
    BuildArgumentVector(a.argc(), a.argv(), &v);
    return ApplyCommandLineOptions(v.count, v.entries);
}

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override { DebugSetLevel(DEBUG_ALL, 0); }
    void TearDown() override { DebugSetLevel(DEBUG_ALL, 0); }
};

TEST_F(StartupTest, NoArgumentsMeansFullScreenAndQuiet) {
    StartupOptions o = Apply({"halvorn"});
    EXPECT_EQ(o.window_flags, 0u);
    EXPECT_FALSE(o.log_to_file);
    for (int c = 0; c < kDebugChannelCount; ++c) EXPECT_EQ(DebugGetLevel(c), 0);
}

TEST_F(StartupTest, LaterOfWindowAndFullscreenWins) {
    EXPECT_EQ(Apply({"halvorn", "-window", "-fullscreen"}).window_flags, 0u);
    EXPECT_EQ(Apply({"halvorn", "-FULLSCREEN", "-Window"}).window_flags, WIN_FLAG_WINDOWED);
}

TEST_F(StartupTest, DebugTakesTheNextWordWhichIsAlsoTestedAsAnOption) {
    StdoutCapture out;
    StartupOptions o = Apply({"halvorn", "-debug", "general=7", "-window"});
    out.Text();
    EXPECT_EQ(DebugGetLevel(DEBUG_GENERAL), 7);
    EXPECT_EQ(o.window_flags, WIN_FLAG_WINDOWED);
    // "-debug" last: ignored.
    DebugSetLevel(DEBUG_ALL, 0);
    Apply({"halvorn", "-window", "-debug"});
    EXPECT_EQ(DebugGetLevel(DEBUG_GENERAL), 0);
}

TEST_F(StartupTest, ArgumentVectorSplitsOnBlanksAndStopsAt255Tokens) {
    std::vector<std::string> words = {"halvorn", "a b\tc\nd"};
    for (int i = 0; i < 300; ++i) words.push_back("-x" + std::to_string(i));
    Args a(words);
    ArgumentVector v;
    BuildArgumentVector(a.argc(), a.argv(), &v);
    EXPECT_EQ(v.count, 256);
    EXPECT_STREQ(v.entries[1], "a");
    EXPECT_STREQ(v.entries[4], "d");
    EXPECT_STREQ(v.entries[255], "-x250");
    EXPECT_EQ(v.entries[256], nullptr);
    EXPECT_NE(std::string(v.entries[0]).find("tests_system"), std::string::npos);
}

TEST_F(StartupTest, BuildVersionsMustMatch) {
    CheckBuildVersion(1060, SupportLibBuildVersion);
    EXPECT_FATAL(CheckBuildVersion(1060, 1059), "1060(.|\n)*1059");
}

// Runs the whole program in a scratch folder: window, start-up, the game's
// main loop, and the shutdown that follows a close request.
std::string RunGameInScratchFolder(std::vector<std::string> words, const std::string& folder) {
    Args a(std::move(words));
    if (chdir(folder.c_str()) != 0) std::exit(90);
    plat::InjectClose();
    std::exit(WinMain(a.argc(), a.argv()));
}

// Death-test children run the test body again, so the folder's name must
// not depend on anything random.
std::string MakeScratchFolder(const std::string& name) {
    std::string dir = testing::TempDir() + name;
    std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    return dir;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(StartupTest, CloseRequestEndsTheGameInOrderWithStatusZero) {
    std::string dir = MakeScratchFolder("halvorn_startup_close");
    const std::string texts = testenv::TextFileSource({{1, "One"}});
    testenv::WritePak(dir + "/pakfiles/demo", {{"menugfx\\bg0.tga", testenv::Bytes("picture")},
                                               {"textfile\\engtext.c", testenv::Bytes(texts)}});
    // "-log" first, so that the debug lines too go into the log file.
    EXPECT_EXIT(
        RunGameInScratchFolder({"halvorn", "-log", "-window", "-debug", "general=50,file=10,memory=1"}, dir),
        ::testing::ExitedWithCode(0), "");
    std::string log = ReadTextFile(dir + "/stdout.log");
    EXPECT_NE(log.find("DEBUG: Setting 'general' to 50\n"), std::string::npos) << log;
    EXPECT_NE(log.find("DEBUG: 'memory' set to 1\n"), std::string::npos);
    size_t paks =
        log.find("PakFileAddDone(): 2 files, 0Mb (" + std::to_string(7 + texts.size()) + " bytes)\n");
    size_t language = log.find("Loading a language (textfile\\engtext.c):\n");
    size_t loaded = log.find("Final text size - " + std::to_string(3201 + 3) + " bytes\n");
    size_t init = log.find("InitTimerInterrupt(): initialised\n");
    size_t cleared = log.find("ClearTimerInterrupt(): cleared\n");
    size_t released = log.find("UninitMemory(): All allocated memory released\n");
    EXPECT_NE(paks, std::string::npos) << log;
    EXPECT_NE(init, std::string::npos);
    EXPECT_NE(cleared, std::string::npos);
    EXPECT_NE(released, std::string::npos) << log;
    EXPECT_NE(language, std::string::npos) << log;
    EXPECT_NE(loaded, std::string::npos) << log;
    EXPECT_LT(paks, init);
    EXPECT_LT(init, language);
    EXPECT_LT(language, cleared);
    EXPECT_LT(cleared, released);
    EXPECT_EQ(ReadTextFile(dir + "/stderr.log"), "");
    std::system(("rm -rf " + dir).c_str());
}

TEST_F(StartupTest, LowMemoryFlagFollowsPhysicalMemory) {
    testenv::ScratchDir scratch;
    testenv::WritePak("pakfiles/demo",
                      {{"textfile\\engtext.c", testenv::Bytes(testenv::TextFileSource({}))}});
    plat::SetPhysicalMemoryOverride(LOW_MEMORY_LIMIT - 1);
    EXPECT_EXIT(
        {
            SendStdoutToStderr();
            DebugSetLevel(DEBUG_MEMORY, 1);
            WinInit(nullptr, "t", WIN_FLAG_WINDOWED);
            Args a({"halvorn"});
            InitialisePC(a.argc(), a.argv());
            std::printf("low=%d\n", IsLowMemory());
            MemPrintStatistics();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "using low memory settings\n(.|\n)*low=1\n(.|\n)*of   3481600 \\( 3400k\\)");
    plat::SetPhysicalMemoryOverride(0);
}

TEST_F(StartupTest, No3dOptionIsFoundAnywhereInAnyCase) {
    WinInit(nullptr, "t", WIN_FLAG_WINDOWED);
    Args a({"halvorn", "-window", "-NO3D"});
    CheckNo3DOption(a.argc(), a.argv());
    EXPECT_EQ(VideoNo3D(), 1);
    EXPECT_EQ(DDrawGetCurrent3DDevice(), -1);
    VideoUninit();
    // A new run starts from an empty choice.
    CommittedVideoChoice = VideoChoice{};
    Args b({"halvorn"});
    CheckNo3DOption(b.argc(), b.argv());
    EXPECT_EQ(VideoNo3D(), 0);
    EXPECT_EQ(DDrawGetCurrent3DDevice(), 0);
    VideoUninit();
    WinResetForTests();
}

TEST_F(StartupTest, DataPathPrefixIsSetAtStartUp) {
    testenv::ScratchDir scratch;
    testenv::WritePak("pakfiles/demo",
                      {{"textfile\\engtext.c", testenv::Bytes(testenv::TextFileSource({}))}});
    EXPECT_EXIT(
        {
            SendStdoutToStderr();
            WinInit(nullptr, "t", WIN_FLAG_WINDOWED);
            Args a({"halvorn"});
            InitialisePC(a.argc(), a.argv());
            std::printf("prefix=[%s]\n", GetDataPathPrefix());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "prefix=\\[\\.\\\\\\]");
}

}  // namespace

namespace {

// The game connects the display-free core to the front end before anything
// else runs; each hook answers as the front-end function it stands for.
TEST(GameHooks, ConnectTheCoreToTheFrontEnd) {
    InstallGameHooks();
    testenv::LoadTexts({});
    CurrentNumberType = NUMBER_MONEY;
    char ordinal[NUMBER_TEXT_SIZE];
    OrdinalStr(ordinal, 3);
    EXPECT_STREQ(CoreOrdinalText(3), ordinal);
    EXPECT_EQ(CurrentNumberType, NUMBER_MONEY);  // the screens' number type is kept
    CurrentNumberType = NUMBER_PLAIN;
    const std::string money = Price2str(1500000);
    EXPECT_STREQ(CoreMoneyText(1500000), money.c_str());
    testenv::UnloadTexts();

    const int16_t nest = BusyCursorNest;
    CoreBusyCursor(1);
    EXPECT_EQ(BusyCursorNest, nest + 1);
    CoreBusyCursor(0);
    EXPECT_EQ(BusyCursorNest, nest);
    // Without the menu display there is nothing to draw on: no effect.
    ASSERT_FALSE(MenuDisplayIsOpen());
    CoreRedrawMenuBackground();
    EXPECT_EQ(BackgroundList[0].picture, nullptr);
    EXPECT_EQ(CoreDataPathPrefix(), static_cast<const char*>(GetDataPathPrefix()));
    ASSERT_FALSE(TimerIsRunning());
    EXPECT_EQ(CoreTimerTicks(), 0u);
}

}  // namespace
