// Test entry: headless display and sound, and death tests that survive the
// threads SDL may start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Scratch folders are named after their tests; each build tree gets its
    // own root so that suites of two builds never share one.
#ifdef HALVORN_TEST_TMPDIR
    setenv("TEST_TMPDIR", HALVORN_TEST_TMPDIR, 0);
#endif
    if (const char* tmp = std::getenv("TEST_TMPDIR")) {
        std::error_code ignored;
        std::filesystem::create_directories(tmp, ignored);
    }
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
