// Helpers shared by the test folders.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/fakes/game_data_missing.h"

// A 64-bit FNV-style hash of a byte range, eight bytes a step, for
// comparing game state between runs.
inline uint64_t HashBytes(const void* data, size_t size, uint64_t hash = 14695981039346656037ull) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        hash = (hash ^ word) * 1099511628211ull;
    }
    for (; at < size; ++at) hash = (hash ^ bytes[at]) * 1099511628211ull;
    return hash;
}

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

// Captures what a block prints on standard output.  A capture whose text
// is never taken ends with its block: only one can be open in a process.
class StdoutCapture {
  public:
    StdoutCapture() { testing::internal::CaptureStdout(); }
    ~StdoutCapture() {
        if (!taken_) testing::internal::GetCapturedStdout();
    }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;
    std::string Text() {
        taken_ = true;
        return testing::internal::GetCapturedStdout();
    }

  private:
    bool taken_ = false;
};

// Moves the running test into an empty scratch folder of its own (under
// the build's test folder, named after the group and the test) while it
// lives: the tests run in parallel from one working folder, and files such
// as the saved games must not be shared.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& group) : previous_(std::filesystem::current_path()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name =
            test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "";
        const std::filesystem::path dir = std::filesystem::path(HALVORN_TEST_TMPDIR) / group / name;
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    ~ScratchFolder() { std::filesystem::current_path(previous_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

  private:
    std::filesystem::path previous_;
};
