// Ending the game from outside: Ctrl-C in the terminal (SIGINT) and a
// log-out (SIGTERM) quit the running game like closing its window, so the
// shutdown runs in order and the exit status is 0.  The test runs the built
// game headless in a scratch working folder made from the data kit output.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/fakes/pak_fixture.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Generous bounds: the suite may run on a loaded machine; they only stop a
// hung game from hanging the suite.
constexpr auto kStartBound = std::chrono::seconds(60);
constexpr auto kExitBound = std::chrono::seconds(60);
constexpr auto kPollStep = std::chrono::milliseconds(20);

// Printed when the window is first active inside the game's main loop.
constexpr const char* kMainLoopRunning = "WinMessageHandler(): leaving idle loop";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The game's environment: ours, with the headless drivers.
std::vector<std::string> GameEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("SDL_VIDEODRIVER=", 0) == 0 || entry.rfind("SDL_AUDIODRIVER=", 0) == 0) continue;
        env.push_back(entry);
    }
    env.push_back("SDL_VIDEODRIVER=offscreen");
    env.push_back("SDL_AUDIODRIVER=dummy");
    return env;
}

// Starts the game in the current folder with its log in `log`.
pid_t StartGame(const std::string& log) {
    std::vector<std::string> args = {HALVORN_BINARY, "-window", "-debug", "general=50,win=50"};
    std::vector<std::string> env = GameEnvironment();
    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

bool WaitForLine(const std::string& log, const std::string& line, pid_t pid) {
    const auto until = std::chrono::steady_clock::now() + kStartBound;
    while (std::chrono::steady_clock::now() < until) {
        if (ReadText(log).find(line) != std::string::npos) return true;
        if (waitpid(pid, nullptr, WNOHANG) == pid) return false;  // ended early
        std::this_thread::sleep_for(kPollStep);
    }
    return false;
}

// The game's wait status, or -1 (and the game killed) when it does not end.
int WaitForExit(pid_t pid) {
    const auto until = std::chrono::steady_clock::now() + kExitBound;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(kPollStep);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

// Each line appears after the one before it.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << text;
        at = found + line.size();
    }
}

class TerminationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder : {"pakfiles", "stats"}) {
            fs::create_directory_symlink(fs::path(HALVORN_GAME_DIR) / folder, folder);
        }
        fs::create_directories("SaveData/GOALS");
        fs::create_directories("Edited");
    }

    testenv::ScratchDir scratch_;
};

TEST_F(TerminationTest, SigtermAndSigintQuitLikeClosingTheWindow) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        const std::string log = "game" + std::to_string(signal) + ".log";
        const pid_t pid = StartGame(log);
        ASSERT_GT(pid, 0) << "cannot start " << HALVORN_BINARY;
        if (!WaitForLine(log, kMainLoopRunning, pid)) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            FAIL() << "the game did not reach its main loop:\n" << ReadText(log);
        }
        ASSERT_EQ(kill(pid, signal), 0);
        const int status = WaitForExit(pid);
        ASSERT_NE(status, -1) << "the game did not end:\n" << ReadText(log);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << ":\n" << ReadText(log);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        // The window's close path, then the shutdown in order: sound,
        // keyboard and timer first, the display last, then the exit list.
        ExpectInOrder(ReadText(log), {"WinMainWindowProc(): WM_CLOSE: ending the game",
                                      "OnExitRemove(): removing function from slot 5 (DSoundUninit())",
                                      "ClearTimerInterrupt(): cleared",
                                      "OnExitRemove(): removing function from slot 0 (D3DUninit())",
                                      "OnExitRun(): running exit funcs"});
    }
}

}  // namespace
