// Process-level host services: memory size, module file name, console and
// standard stream redirection.
#pragma once
#include <cstddef>
#include <cstdint>

namespace plat {

// Total physical memory in bytes.
uint64_t PhysicalMemoryBytes();
// Test seam: pretend the machine has this much memory (0 = the real size).
void SetPhysicalMemoryOverride(uint64_t bytes);

// The running program's full path, NUL-terminated, cut to size.
void ModuleFileName(char* buffer, size_t size);

// Attaches the process to a terminal for its log output.  Returns false
// when there is none.  On success standard input, output and error read from
// and write to that terminal.
bool AllocConsole();

// Reopens a standard stream on a file (mode as for fopen).  Returns false on
// failure.
bool ReopenStream(int which, const char* path, const char* mode);  // 0 in, 1 out, 2 err
void MakeStdStreamsUnbuffered();

// Requests to end the program from outside: SIGINT (Ctrl-C in the terminal)
// and SIGTERM (the desktop logging out, a service manager).  The handler
// only notes the request; the window's message queue turns it into a close
// message, so the game quits as if the user had closed the window.  Each
// handler serves once: a second signal of the same kind ends the program
// at once, for a game that no longer reaches its message queue.
void CatchTerminationSignals();
// The signal of a pending request (0 when none), cleared by the call.
int TakeTerminationSignal();
// For a program that is ending (a fatal error): from now on SIGINT and
// SIGTERM end it at once with status 1, after ending the child processes of
// the calling thread.  The message box that shows the fatal error waits in
// such a child for its button; the message queue that the handlers above
// feed is no longer read, so a request to end the program was lost there.
void EndOnTerminationSignal();

}  // namespace plat
