// The program's composition root: start-up and shutdown in their fixed
// order.  It is the one file of game/system/ that includes the rest of the
// tree (records, screens, match, front end, options): the rest of
// game/system/ stands below them and never calls up.
#include "game/system/startup.h"

#include <strings.h>
#include <cstdio>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "core/season/matchsetup.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/liveresults.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/system/joystick.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/system.h"

const uint32_t SupportLibBuildVersion = 1060;

namespace {

constexpr size_t kModuleNameSize = 256;
constexpr size_t kDataPathSize = 64;
constexpr uint32_t kLowMemoryBudgetKb = 3400;
constexpr uint32_t kHighMemoryBudgetKb = 9500;

int16_t g_low_memory = 0;
char g_data_path_prefix[kDataPathSize] = {};
char g_module_name[kModuleNameSize] = {};
char g_token_storage[8192];

bool IsTokenSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

void RedirectToLogFiles() {
    plat::ReopenStream(1, "stdout.log", "w");
    plat::ReopenStream(2, "stderr.log", "w");
    plat::MakeStdStreamsUnbuffered();
}

}  // namespace

void CheckBuildVersion(uint32_t program_version, uint32_t library_version) {
    if (program_version == library_version) return;
    FatalError(
        "Error: WinMain(): the program was built for support library version %u but the library "
        "is version %u.\nThe program will not work unless the two versions match.\n",
        program_version, library_version);
}

void BuildArgumentVector(int argc, char** argv, ArgumentVector* out) {
    *out = ArgumentVector{};
    plat::ModuleFileName(g_module_name, sizeof g_module_name);
    out->entries[0] = g_module_name;
    out->count = 1;
    size_t used = 0;
    for (int a = 1; a < argc && out->count < MAX_ARGUMENTS; ++a) {
        const char* p = argv[a];
        while (*p != '\0' && out->count < MAX_ARGUMENTS) {
            while (IsTokenSeparator(*p)) ++p;
            if (*p == '\0') break;
            size_t length = 0;
            while (p[length] != '\0' && !IsTokenSeparator(p[length])) ++length;
            if (used + length + 1 > sizeof g_token_storage) return;
            char* token = g_token_storage + used;
            std::memcpy(token, p, length);
            token[length] = '\0';
            used += length + 1;
            out->entries[out->count++] = token;
            p += length;
        }
    }
    out->entries[out->count] = nullptr;
}

StartupOptions ApplyCommandLineOptions(int count, char* const* entries) {
    StartupOptions options;
    for (int i = 1; i < count; ++i) {
        const char* arg = entries[i];
        if (strcasecmp(arg, "-window") == 0) {
            options.window_flags |= WIN_FLAG_WINDOWED;
        } else if (strcasecmp(arg, "-fullscreen") == 0) {
            options.window_flags &= ~WIN_FLAG_WINDOWED;
        } else if (strcasecmp(arg, "-debug") == 0) {
            // The level string is not skipped: it is tested as an option too.
            if (i + 1 < count) DebugProcessDebugString(entries[i + 1]);
        } else if (strcasecmp(arg, "-log") == 0) {
            RedirectToLogFiles();
            options.log_to_file = true;
        }
    }
    return options;
}

int WinMain(int argc, char** argv) {
    InstallGameHooks();
    // Ctrl-C and a log-out quit like closing the window: shutdown runs in order.
    plat::CatchTerminationSignals();
    CheckBuildVersion(HALVORN_PROGRAM_VERSION, SupportLibBuildVersion);
    plat::MakeStdStreamsUnbuffered();
    DebugSetLevel(DEBUG_ALL, 0);

    static ArgumentVector args;
    BuildArgumentVector(argc, argv, &args);
    StartupOptions options = ApplyCommandLineOptions(args.count, args.entries);

    if (DebugGetLevel(DEBUG_GENERAL) != 0 && (options.window_flags & WIN_FLAG_WINDOWED) &&
        !options.log_to_file) {
        if (plat::AllocConsole()) {
            std::printf("WinMain(): logging to a console window\n");
            plat::MakeStdStreamsUnbuffered();
        } else {
            std::printf("Warning: WinMain(): failed to open a console window\n");
        }
    }

    WinInit(nullptr, APP_NAME, options.window_flags);
    InitialisePC(args.count, args.entries);
    ResetFrontEndValues();
    GameMain();
    UninitialisePC();
    WinOpenDocumentAtExit();
    return 0;
}

void InstallGameHooks() {
    CoreHooks hooks;
    hooks.messageBox = [](const char* text) {
        // Only the fatal path shows this box, and the program ends after it:
        // a request to end it meanwhile ends it (and the box) at once.
        plat::EndOnTerminationSignal();
        // Always the system box with the stop icon: the exit list has run
        // and taken the display down (or is part way through doing so), so
        // nothing of the menu display may be drawn or polled here.
        WinMessageBox(text, MB_ICONSTOP);
    };
    hooks.timerTicks = [] { return TimerIsRunning() ? GetTimerTicks() : 0u; };
    hooks.poll = Poll;
    hooks.busyCursor = EnableCursorNest;
    hooks.redrawMenuBackground = [] {
        ShowMenuBackground(0);
        SaveScreen();
        RefreshCursor();
    };
    hooks.moneyText = Price2str;
    hooks.plainMoneyText = Price2strPlain;
    hooks.ordinalText = [](int32_t number) {
        const int32_t saved = CurrentNumberType;
        SetDrawParam(3, NUMBER_ORDINAL);
        const char* text = Number2Str(number);
        SetDrawParam(3, saved);
        return text;
    };
    hooks.dataPathPrefix = GetDataPathPrefix;
    hooks.liveResults = IgLeague_LiveResults;
    hooks.noteBox = [](const char* text, uint32_t argument) { ShowMessageBox(text, int32_t(argument)); };
    hooks.matchDayFrame = MatchDay_FrameHook;
    hooks.dayFlashes = MatchDay_ShowMessages;
    CoreSetHooks(hooks);
    // The matches the season sets up with the display: both sides in their
    // kits against each other, the menus given up around the match.
    SetupHooks.teamDesign = WriteTeamKit;
    SetupHooks.releaseMenuBuffers = ReleaseMenusForMatch;
    SetupHooks.restartMenus = RestartMenusAfterMatch;
}

void InitialisePC(int argc, char** argv) {
    InstallGameHooks();
    GameSeedRandom(uint32_t(plat::CalendarTime()));

    g_low_memory = plat::PhysicalMemoryBytes() < LOW_MEMORY_LIMIT ? 1 : 0;
    DebugLog(DEBUG_MEMORY, 1, "InitialisePC(): using %s memory settings\n", g_low_memory ? "low" : "high");
    InitMemory(g_low_memory ? kLowMemoryBudgetKb : kHighMemoryBudgetKb);

    InitMouseDriver();
    CheckNo3DOption(argc, argv);
    std::strcpy(g_data_path_prefix, ".\\");
    PakFileInit();
    PakAddFile("pakfiles\\demo");
    PakFileAddDone();
    InitTimerInterrupt();
    InitPoll();
    InitKeyboardInterrupt();
    SetKeyboardLanguage(0);
    InitJoysticks();
    MatchInitSoundBanks();
    InitText(LANGUAGE_ENGLISH);
    ResetMatchDisplayValues();
    D3DGame_Connect();
}

void UninitialisePC() {
    UninitText();
    UninitMatchSoundBanks();
    ClearKeyboardInterrupt();
    UninitPoll();
    ClearTimerInterrupt();
    PakFileUninit();
    VideoUninit();
    UninitMouseDriver();
    UninitMemory();
}

void CheckNo3DOption(int argc, char** argv) {
    int no3d = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr && strcasecmp(argv[i], "-no3d") == 0) no3d = 1;
    }
    VideoInit(no3d);
}

int16_t IsLowMemory() { return g_low_memory; }
char* GetDataPathPrefix() { return g_data_path_prefix; }
