// A piece of a test run in a forked child: its bytes come back whole, and
// a child that ends without handing them back fails the test with how it
// ended.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <vector>

#include "core/base/debug.h"
#include "tests/fakes/child_run.h"
#include "tests/fakes/test_util.h"

namespace {

TEST(ChildRunTest, BytesComeBackWholeEmptyOrLargerThanThePipe) {
    std::vector<uint8_t> large(300 * 1024);
    for (size_t i = 0; i < large.size(); ++i) large[i] = uint8_t(i * 7 + i / 251);
    EXPECT_EQ(testenv::BytesFromChild([&large] { return large; }), large);
    EXPECT_TRUE(testenv::BytesFromChild([] { return std::vector<uint8_t>(); }).empty());
}

TEST(ChildRunTest, AChildThatEndsEarlyFailsTheTestWithHowItEnded) {
    std::vector<uint8_t> got{1};
    // A fatal error raised where stdout is captured still names itself.
    EXPECT_NONFATAL_FAILURE(got = testenv::BytesFromChild([] {
                                StdoutCapture quiet;
                                FatalError("the pitch is missing %d\n", 42);
                                return std::vector<uint8_t>{1, 2};
                            }),
                            "exited with status 1 without sending its result");
    EXPECT_TRUE(got.empty());
    EXPECT_NONFATAL_FAILURE(testenv::BytesFromChild([] {
                                StdoutCapture quiet;
                                FatalError("the pitch is missing %d\n", 42);
                                return std::vector<uint8_t>{1, 2};
                            }),
                            "fatal error: the pitch is missing 42");

    // An exit() with status 0 on the way is no clean end.
    EXPECT_NONFATAL_FAILURE(testenv::BytesFromChild([] {
                                std::exit(0);
                                return std::vector<uint8_t>{1};
                            }),
                            "exited with status 0 without sending its result\nexit() called");

    // A check that fails in the child fails the test that ran it.
    EXPECT_NONFATAL_FAILURE(testenv::BytesFromChild([] {
                                ADD_FAILURE() << "offside";
                                return std::vector<uint8_t>{1};
                            }),
                            "a check in the child failed at");

    EXPECT_NONFATAL_FAILURE(testenv::BytesFromChild([] {
                                std::raise(SIGKILL);
                                return std::vector<uint8_t>{1};
                            }),
                            "killed by signal 9");
}

}  // namespace
