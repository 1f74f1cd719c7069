// The program's entry and the fixed order in which the support library and
// the game are brought up and torn down.
#pragma once
#include <cstdint>

// The support library's build-version word, and the number the program was
// built for; start-up refuses to run when they differ.
constexpr uint32_t HALVORN_PROGRAM_VERSION = 1060;
extern const uint32_t SupportLibBuildVersion;

constexpr int MAX_ARGUMENTS = 256;
constexpr uint64_t LOW_MEMORY_LIMIT = 25165824;  // 24 MiB
constexpr const char* APP_NAME = "Halvorn - 2002-2003";

// The process entry, on a normal main: returns 0 after an orderly shutdown.
int WinMain(int argc, char** argv);

// Connects the display-free core to the front end: message box, timer,
// poll, busy cursor, menu background, number texts and data path.
void InstallGameHooks();
void InitialisePC(int argc, char** argv);
void UninitialisePC();
void CheckNo3DOption(int argc, char** argv);
int16_t IsLowMemory();
char* GetDataPathPrefix();

// Ends the program when the two build numbers differ.
void CheckBuildVersion(uint32_t program_version, uint32_t library_version);

// The argument vector as start-up builds it: entry 0 the module file name,
// then at most 255 tokens split on blanks, tabs and newlines, then null.
struct ArgumentVector {
    int count = 0;
    char* entries[MAX_ARGUMENTS + 1] = {};
};
void BuildArgumentVector(int argc, char** argv, ArgumentVector* out);

// What the options walk decided.
struct StartupOptions {
    uint32_t window_flags = 0;
    bool log_to_file = false;
};
// Applies the options of entries 1.. in order (the "-log" redirection
// included) and returns the outcome.
StartupOptions ApplyCommandLineOptions(int count, char* const* entries);
