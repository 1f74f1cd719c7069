// The front end walked by a seeded random user over the test world's new
// game, its rules checked after every step (tests/fakes/front_walk.h), and
// what it went through held to a floor: a change that starves the walk
// fails.  HALVORN_WALK_STEPS and HALVORN_WALK_SEED (a seed, or "first-last")
// set the long form: the world first plays on unattended to the eve of the
// season's end (HALVORN_WALK_DAYS days instead), so that the walk crosses
// a season's turn; HALVORN_WALK_DEBUG prints every step.  A failure prints
// the seed and the steps that led to it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/transferprices.h"
#include "core/query/forwarders.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/soak.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenids.h"
#include "game/screens/matchday/matchday.h"
#include "game/system/startup.h"
#include "platform/window.h"
#include "tests/fakes/front_walk.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/world_lookups.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

testenv::SharedNewWorld g_walkWorld;

// The seeds of a run: HALVORN_WALK_SEED as one seed or "first-last"; the
// suite walks two.
std::vector<uint32_t> WalkSeeds() {
    const char* value = std::getenv("HALVORN_WALK_SEED");
    if (value == nullptr || value[0] == '\0')
        return ShortTestRun() ? std::vector<uint32_t>{1} : std::vector<uint32_t>{1, 2};
    const std::string text = value;
    const size_t dash = text.find('-');
    const uint32_t first = uint32_t(std::stoul(text.substr(0, dash)));
    const uint32_t last = dash == std::string::npos ? first : uint32_t(std::stoul(text.substr(dash + 1)));
    std::vector<uint32_t> seeds;
    for (uint32_t seed = first; seed <= last; ++seed) seeds.push_back(seed);
    return seeds;
}

bool LongForm() { return std::getenv("HALVORN_WALK_STEPS") != nullptr; }

// Days the world plays on unattended before the walk: none in the suite's
// form; in the long form HALVORN_WALK_DAYS, or up to a few days before the
// season's last, where the user's results have given his board a form that
// can accept an application and the walk soon meets a new season.
int WalkDaysBefore() {
    const char* value = std::getenv("HALVORN_WALK_DAYS");
    if (value != nullptr && value[0] != '\0') return std::atoi(value);
    return LongForm() ? 350 - SeasonCalendar.currentDay : 0;
}

int WalkSteps() {
    const char* value = std::getenv("HALVORN_WALK_STEPS");
    if (value != nullptr && value[0] != '\0') return std::atoi(value);
    return ShortTestRun() ? 150 : 700;
}

// What the suite's walks went through, together.
void AddCoverage(testenv::FrontWalkReport& total, const testenv::FrontWalkReport& report) {
    total.offersFromProfile += report.offersFromProfile;
    total.offersByDay += report.offersByDay;
    total.offersOnWayBack += report.offersOnWayBack;
    total.backScreens.insert(report.backScreens.begin(), report.backScreens.end());
    total.accepted += report.accepted;
    total.refused += report.refused;
    total.saves += report.saves;
    total.loads += report.loads;
    total.days += report.days;
}

// What the suite's walks must have gone through for their rules to have
// been put to the test.
void ExpectCoverageFloor(const testenv::FrontWalkReport& report) {
    EXPECT_GE(report.offersFromProfile, 1) << "no offer opened from a profile";
    EXPECT_GE(report.offersByDay, 1) << "no offer opened by the day's messages";
    EXPECT_GE(report.offersOnWayBack, 1) << "no offer reached on the deal's own way back";
    EXPECT_GE(report.backScreens.size(), 15u) << "back icons used on few screens";
    EXPECT_GE(report.accepted + report.refused, 1) << "no application answered";
    EXPECT_GE(report.saves, 1) << "no game saved";
    EXPECT_GE(report.loads, 1) << "no game loaded";
    EXPECT_GE(report.days, 10) << "few days played";
}

class FrontWalkTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_walkWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        InstallGameHooks();
        // Walks of several seeds may run side by side, each in a folder of its own.
        folder_ = std::make_unique<ScratchFolder>("frontwalk" + std::to_string(getpid()));
        std::filesystem::remove_all("SaveData");
        std::filesystem::create_directories("SaveData/GOALS");
        // The start screen, which the walk loads its saves from, reads the
        // shipped world from the game's folder.
        std::error_code exists;
        std::filesystem::create_directory_symlink(std::filesystem::path(HALVORN_GAME_DIR) / "stats", "stats",
                                                  exists);
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
        if (LongForm()) StageDealOverTheTurn();
        MenuOption = kScreenClubMain;
        PreviousMenuOption = kScreenClubMain;
        testenv::FrontWalkOptions options;
        options.seed = seed;
        options.steps = steps;
        // The long form runs days on as well (a week or more at a time):
        // vacancies, job offers and the answers to applications come then.
        options.runOn = LongForm();
        options.done = [] { testenv::MenuUserClose(); };
        std::shared_ptr<testenv::FrontWalkReport> report = testenv::RunFrontWalk(options);
        StdoutCapture quiet;
        while (!WinCloseRequested() && MenuOption != kScreenQuit) {
            DoMainMenuOption();
            testenv::FrontWalkBetweenRounds();
        }
        const std::string log = quiet.Text();
        if (!report->failure.empty())
            std::printf("... the walk's last output:\n%s\n",
                        log.substr(log.size() > 4000 ? log.size() - 4000 : 0).c_str());
        return report;
    }

    // A deal the user agreed with another club, which waits for his answer
    // from the new season's first day: the long form crosses the season's
    // turn with it pending.
    void StageDealOverTheTurn() {
        const int16_t seller = int16_t(DivisionClubLists[0][1][6]);
        const uint16_t player = testenv::PlainPlayerOf(seller, 5);
        const int days = 364 - SeasonCalendar.currentDay;
        if (player == 0 || seller == user_ || days <= 0) return;
        PendingDeal_Add(player, 0, 0, 0, 0, uint16_t(days), uint16_t(seller), uint16_t(user_), 500000, 500000,
                        1);
    }

    // The days played as the soak plays them: nobody at the keys.
    static void PlayDaysUnattended(int days) {
        StdoutCapture quiet;
        for (int day = 0; day < days && !WinCloseRequested(); ++day) testenv::FrontWalkPlayUnattendedDay();
    }

    std::unique_ptr<ScratchFolder> folder_;
};

TEST_F(FrontWalkTest, EveryStepOfASeededUserKeepsTheScreensToWhatTheirOpenersAskedFor) {
    if (!ready()) return;
    const int steps = WalkSteps();
    testenv::FrontWalkReport covered;
    for (uint32_t seed : WalkSeeds()) {
        const std::clock_t cpu = std::clock();
        std::printf("front walk: seed %u, %d steps\n", seed, steps);
        std::fflush(stdout);
        const std::shared_ptr<testenv::FrontWalkReport> report = Walk(seed, steps);
        std::printf("front walk: seed %u: %s in %.1f CPU-s\n", seed,
                    testenv::FrontWalkSummary(*report).c_str(), double(std::clock() - cpu) / CLOCKS_PER_SEC);
        EXPECT_TRUE(report->failure.empty()) << report->failure;
        EXPECT_TRUE(report->finished) << "seed " << seed << ": the walk stopped at step " << report->steps;
        if (!report->failure.empty() || !report->finished) return;
        AddCoverage(covered, *report);
        // Restarted for the next seed: the window close ended this walk.
        TearDown();
        SetUp();
        if (!ready()) return;
    }
    if (!LongForm() && !ShortTestRun()) ExpectCoverageFloor(covered);
}

}  // namespace
