// The front end walked by a seeded random user over the test world's new
// game, its rules checked after every step (tests/fakes/front_walk.h).
// HALVORN_WALK_STEPS and HALVORN_WALK_SEED (a seed, or "first-last") set a
// longer walk (HALVORN_WALK_DAYS days played before it, HALVORN_WALK_DEBUG
// every step printed); a failure prints the seed and the steps that led to it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/query/forwarders.h"
#include "core/records/records.h"
#include "core/season/soak.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenids.h"
#include "game/screens/matchday/matchday.h"
#include "game/system/startup.h"
#include "platform/window.h"
#include "tests/fakes/front_walk.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

testenv::SharedNewWorld g_walkWorld;

// The seeds of a run: HALVORN_WALK_SEED as one seed or "first-last".
std::vector<uint32_t> WalkSeeds() {
    const char* value = std::getenv("HALVORN_WALK_SEED");
    if (value == nullptr || value[0] == '\0') return {1};
    const std::string text = value;
    const size_t dash = text.find('-');
    const uint32_t first = uint32_t(std::stoul(text.substr(0, dash)));
    const uint32_t last = dash == std::string::npos ? first : uint32_t(std::stoul(text.substr(dash + 1)));
    std::vector<uint32_t> seeds;
    for (uint32_t seed = first; seed <= last; ++seed) seeds.push_back(seed);
    return seeds;
}

// Days the world plays on unattended before the walk (HALVORN_WALK_DAYS,
// none by default): later in the season the user's results give his board
// a form that can accept an application.
int WalkDaysBefore() {
    const char* value = std::getenv("HALVORN_WALK_DAYS");
    return value != nullptr && value[0] != '\0' ? std::atoi(value) : 0;
}

int WalkSteps() {
    const char* value = std::getenv("HALVORN_WALK_STEPS");
    if (value != nullptr && value[0] != '\0') return std::atoi(value);
    return ShortTestRun() ? 120 : 300;
}

class FrontWalkTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_walkWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        InstallGameHooks();
        folder_ = std::make_unique<ScratchFolder>("frontwalk");
        std::filesystem::create_directories("SaveData/GOALS");
    }
    void TearDown() override {
        // The hooks the test program starts with: a later test may need the
        // front end called from the core.
        InstallGameHooks();
        folder_.reset();
        UserClubScreenTest::TearDown();
    }

    // One walk from the club screen of the test world's new game.
    std::shared_ptr<testenv::FrontWalkReport> Walk(uint32_t seed, int steps) {
        testenv::KeptNewGame(testenv::kScreenWorldSeed);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SelectedClub = uint16_t(user_);
        // In every country two clubs without a manager, whose boards will
        // consider him (his reputation lies between half and twice theirs:
        // an application is lodged, neither refused nor granted at once):
        // the vacancies offer jobs from the first day, whichever country
        // they show.
        const int reputation = GetClubRep(int16_t(DivisionClubLists[0][1][3]));
        SetPlayerReputation(1, int16_t(reputation));
        for (int country = 0; country < 8; ++country) {
            int vacant = 0;
            for (int16_t club = 0; club < kClubCount && vacant < 2; ++club) {
                const int rep = GetClubRep(club);
                if (club == user_ || GetClubNation(club) != country || rep <= 0 || 2 * reputation < rep ||
                    reputation > 2 * rep)
                    continue;
                HVW_RemoveClubManager(club);
                ++vacant;
            }
        }
        GameSeedRandom(seed);
        PlayDaysUnattended(WalkDaysBefore());
        MenuOption = kScreenClubMain;
        PreviousMenuOption = kScreenClubMain;
        testenv::FrontWalkOptions options;
        options.seed = seed;
        options.steps = steps;
        // The long form runs days on as well (a week or more at a time):
        // vacancies, job offers and the answers to applications come then.
        options.runOn = std::getenv("HALVORN_WALK_STEPS") != nullptr;
        options.done = [] { testenv::MenuUserClose(); };
        std::shared_ptr<testenv::FrontWalkReport> report = testenv::RunFrontWalk(options);
        StdoutCapture quiet;
        while (!WinCloseRequested() && MenuOption != kScreenQuit) DoMainMenuOption();
        const std::string log = quiet.Text();
        if (!report->failure.empty())
            std::printf("... the walk's last output:\n%s\n",
                        log.substr(log.size() > 4000 ? log.size() - 4000 : 0).c_str());
        return report;
    }

    // The days played as the soak plays them: nobody at the keys.
    static void PlayDaysUnattended(int days) {
        if (days <= 0) return;
        StdoutCapture quiet;
        SoakMode = 1;
        for (int day = 0; day < days && !WinCloseRequested(); ++day) {
            ContinueMode = 0;
            MenuOption = kScreenContinueGame;
            DoMainMenuOption();
        }
        SoakMode = 0;
    }

    std::unique_ptr<ScratchFolder> folder_;
};

TEST_F(FrontWalkTest, EveryStepOfASeededUserKeepsTheScreensToWhatTheirOpenersAskedFor) {
    if (!ready()) return;
    const int steps = WalkSteps();
    for (uint32_t seed : WalkSeeds()) {
        const std::clock_t cpu = std::clock();
        std::printf("front walk: seed %u, %d steps\n", seed, steps);
        std::fflush(stdout);
        const std::shared_ptr<testenv::FrontWalkReport> report = Walk(seed, steps);
        std::printf("front walk: seed %u: %s in %.1f CPU-s\n", seed,
                    testenv::FrontWalkSummary(*report).c_str(), double(std::clock() - cpu) / CLOCKS_PER_SEC);
        EXPECT_TRUE(report->failure.empty()) << report->failure;
        EXPECT_TRUE(report->finished) << "seed " << seed << ": the walk stopped at step " << report->steps;
        if (!report->failure.empty() || !report->finished) break;
        // Restarted for the next seed: the window close ended this walk.
        TearDown();
        SetUp();
        if (!ready()) return;
    }
}

}  // namespace
