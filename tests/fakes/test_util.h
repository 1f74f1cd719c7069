// Helpers shared by the test folders.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

// True when the suite runs in a checked (sanitizer) tree, where every test
// costs several times what it costs in a normal tree: long walks (seasons,
// many days, long screen paths) then take a shorter form of the same path.
// Test executables of such a tree set HALVORN_SHORT_TESTS=1 unless it is set.
inline bool ShortTestRun() {
    const char* value = std::getenv("HALVORN_SHORT_TESTS");
    return value != nullptr && value[0] != '\0' && std::string(value) != "0";
}

// Log and fatal messages go to standard output; death tests match on
// standard error, so the dying child sends both to the same place.
inline void SendStdoutToStderr() {
    fflush(stdout);
    dup2(2, 1);
}

// Expects the statement to end the program with exit status 1 and the
// message (a regular expression) in its output.
#define EXPECT_FATAL(statement, regex) \
    EXPECT_EXIT(                       \
        {                              \
            SendStdoutToStderr();      \
            statement;                 \
        },                             \
        ::testing::ExitedWithCode(1), regex)

// Captures what a block prints on standard output.
class StdoutCapture {
  public:
    StdoutCapture() { testing::internal::CaptureStdout(); }
    std::string Text() { return testing::internal::GetCapturedStdout(); }
};
