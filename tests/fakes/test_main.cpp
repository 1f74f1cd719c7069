// Test entry.  Tests of the game run with a headless display and sound and
// the core connected to the front end as start-up connects it; tests of the
// core alone need neither.  Death tests must survive the threads SDL may
// start.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "tests/fakes/test_util.h"

#ifdef HALVORN_GAME_TESTS
#include "game/system/startup.h"
#endif

int main(int argc, char** argv) {
#ifdef HALVORN_GAME_TESTS
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The software rasteriser draws in the calling thread: the same
    // pictures, without the hand-overs to its helper threads, which cost
    // more CPU than they save on a machine whose cores all run tests.
    setenv("LP_NUM_THREADS", "0", 0);
    InstallGameHooks();
#endif
    // Scratch folders are named after their tests; each build tree gets its
    // own root so that suites of two builds never share one.
#ifdef HALVORN_TEST_TMPDIR
    setenv("TEST_TMPDIR", HALVORN_TEST_TMPDIR, 0);
#endif
    if (const char* tmp = std::getenv("TEST_TMPDIR")) {
        std::error_code ignored;
        std::filesystem::create_directories(tmp, ignored);
    }
#ifdef HALVORN_SHORT_TESTS_BY_DEFAULT
    // A checked tree runs the short form of the long tests unless the
    // environment says otherwise (HALVORN_SHORT_TESTS=0).
    setenv("HALVORN_SHORT_TESTS", "1", 0);
#endif
    testing::InitGoogleTest(&argc, argv);
#ifdef HALVORN_TESTS_READ_GAME_DATA
    // The tests of this program read the generated game folder: without it
    // they would fail one by one far from the cause, so the run stops here.
    if (!GTEST_FLAG_GET(list_tests) && !std::filesystem::exists(HALVORN_GAME_DIR "/.datakit-stamp")) {
        std::fprintf(stderr, "%s\n", GameDataMissing(".datakit-stamp").c_str());
        return 1;
    }
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
