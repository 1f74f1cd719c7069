// The screen tour over a new game: the start screen's road to the user's
// club, then the tour of every screen family from the club screen, and the
// account of the controller's screens: each visited or named as one no
// click reaches.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenids.h"
#include "game/screens/league/clubfixtures.h"
#include "game/system/startup.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/screen_tour.h"
#include "tests/fakes/start_path.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using namespace testenv;

class ScreenTourTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        InstallGameHooks();
        folder_ = std::make_unique<ScratchFolder>("screentour");
        std::filesystem::create_directories("SaveData/GOALS");
        if (!StartPathLinkGameData(HALVORN_GAME_DIR)) GTEST_FAIL() << GameDataMissing("stats");
    }
    void TearDown() override {
        // The hooks the test program starts with: a later test may need the
        // front end called from the core (the progress a new game shows).
        InstallGameHooks();
        // The tour unlocked the soak screen's title click, which lasts the run.
        ClubFixtures_ResetTitleClick();
        folder_.reset();
        MenuEngineTest::TearDown();
    }
    std::unique_ptr<ScratchFolder> folder_;
};

std::shared_ptr<ScreenTourReport> g_tourReport;

// The tour's grabs are kept beside the build's test folder, with a list of
// what each one shows, for a person to look at the screens after a run.
void KeepGrabs(const ScreenTourReport& report) {
    namespace fs = std::filesystem;
    const fs::path kept = fs::path(HALVORN_TEST_TMPDIR).parent_path().parent_path() / "screen_tour";
    std::error_code ignored;
    fs::remove_all(kept, ignored);
    fs::create_directories(kept);
    std::string index;
    for (int n = 1; fs::exists(GrabName(n)); ++n) {
        fs::copy_file(GrabName(n), kept / GrabName(n), fs::copy_options::overwrite_existing, ignored);
        const size_t k = size_t(n - 1);
        index +=
            GrabName(n) + " " + (k < report.grabbed.size() ? report.grabbed[k] : std::string("?")) + "\n";
    }
    std::FILE* file = std::fopen((kept / "index.txt").c_str(), "w");
    if (file == nullptr) return;
    std::fputs(index.c_str(), file);
    std::fclose(file);
}

TEST_F(ScreenTourTest, EveryScreenFamilyFromTheClubScreenOfANewGame) {
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(2002);
    ScreenPresented = 0;
    g_tourReport.reset();
    ScreenTourWatch();
    StartPathNewGame choices;
    choices.videoOptions = choices.nameEditors = false;
    StartPathQueueNewGame(choices, [] {
        ScreenTourOptions options;
        options.saveAndLoadSlotZero = true;
        options.sacking = true;
        options.endOnStartScreen = true;
        options.shortForm = ShortTestRun();
        options.soakWeeks = 1;
        options.done = [] { MenuUserClose(); };
        std::printf("at the club after %.1f CPU-s\n", double(std::clock()) / CLOCKS_PER_SEC);
        g_tourReport = RunScreenTour(options);
    });
    const std::clock_t cpu = std::clock();
    {
        StdoutCapture quiet;
        StartPathRunGameMain();
        const std::string log = quiet.Text();
        if (::testing::Test::HasFailure() || (g_tourReport && !g_tourReport->failures.empty()))
            std::printf("... the run's last output:\n%s\n",
                        log.substr(log.size() > 6000 ? log.size() - 6000 : 0).c_str());
    }
    ASSERT_NE(g_tourReport, nullptr) << "the new game did not reach the club screen";
    const ScreenTourReport& report = *g_tourReport;
    KeepGrabs(report);
    int missed = 0;
    std::printf("%s", ScreenTourAccount(report, &missed).c_str());
    std::printf("screen tour: %zu screens, %zu families, %d grabs, %d refusals, %d frames in %.1f CPU-s\n",
                report.visited.size(), report.families.size(), report.grabs, report.refusals,
                MenuUserFrames(), double(std::clock() - cpu) / CLOCKS_PER_SEC);
    for (const std::string& refused : report.refused) std::printf("refused: %s\n", refused.c_str());
    EXPECT_TRUE(report.finished);
    for (const std::string& failure : report.failures) ADD_FAILURE() << failure;
    // The news ticker runs on every screen with the title bar but the
    // surname entry, unless the screen's own controls take its strip; it
    // shows the text the screen's title flags filled (none without bit 3).
    int tickers = 0;
    for (const auto& [id, seen] : report.ticker) {
        const bool runs = seen.titleBar && !seen.stripTaken && seen.text && id != kScreenSurname;
        EXPECT_EQ(seen.moved, runs) << "the ticker on screen " << id;
        tickers += seen.moved;
    }
    EXPECT_TRUE(report.ticker.contains(kScreenSurname));
    EXPECT_GE(tickers, 20);
    // The short form leaves most screens of each family out.
    if (!ShortTestRun()) {
        EXPECT_EQ(missed, 0);
        EXPECT_TRUE(report.messageTester);
        EXPECT_GE(report.refused.size(), 2u);
    }
}

}  // namespace
