// A fatal error's message box waits for its button in a helper process (the
// desktop's box runs there); the program has already run its exit list.  A
// request to end the program meanwhile (SIGTERM, Ctrl-C) must end it and the
// box, where the window's handlers only noted it for a message loop that no
// longer runs, and the game hung.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "core/base/corehooks.h"
#include "game/system/startup.h"
#include "platform/system.h"

namespace {

std::string BoxPidFile(pid_t outer) {
    return ::testing::TempDir() + "/halvorn-fatal-box-" + std::to_string(outer);
}

// Gone, or ended and waiting to be reaped.
bool ProcessEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

// In the death test's process: the game's handlers, the fatal box's hook
// (headless, it prints the message and returns), a helper process standing
// for the box, a termination request, and the wait for the box as the
// desktop's box waits.  The alarm bounds a wait that never ends.
[[noreturn]] void FatalBoxThenTerminate() {
    plat::CatchTerminationSignals();
    InstallGameHooks();
    CoreShowMessageBox("Error: no sound driver");
    const pid_t box = fork();
    if (box == 0) {
        // Holds none of the death test's pipes, so a failing run still ends
        // the test; it ends itself later when nothing ended it.
        for (int fd = 0; fd < 1024; ++fd) close(fd);
        alarm(30);
        for (;;) pause();
    }
    // The death test runs in a child of the test process: its parent names the file.
    if (FILE* f = std::fopen(BoxPidFile(getppid()).c_str(), "w")) {
        std::fprintf(f, "%d\n", int(box));
        std::fclose(f);
    }
    alarm(20);
    kill(getpid(), SIGTERM);
    int status = 0;
    while (waitpid(box, &status, 0) < 0) {}
    _exit(0);
}

TEST(FatalBoxDeathTest, ATerminationRequestWhileTheBoxWaitsEndsTheProgramAndTheBox) {
    const pid_t outer = getpid();
    std::remove(BoxPidFile(outer).c_str());
    EXPECT_EXIT(FatalBoxThenTerminate(), ::testing::ExitedWithCode(1), "no sound driver");
    int box = 0;
    std::ifstream(BoxPidFile(outer)) >> box;
    std::remove(BoxPidFile(outer).c_str());
    ASSERT_GT(box, 0);
    bool ended = false;
    for (int i = 0; i < 250 && !(ended = ProcessEnded(box)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(ended) << "the box's process was left running";
    if (!ended) kill(box, SIGKILL);
}

}  // namespace
