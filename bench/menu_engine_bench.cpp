// The screen-table engine: one walk of a 300-item table with repeat groups
// (as after a redraw result; target under 1 ms), and 1,000 idle frames of
// the menu loop over a small screen, on a headless 800 x 600 display.  The
// fonts come from the data kit's archive beside the benchmark.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "bench/bench_menus.h"
#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screenmachine.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "game/system/videosurvey.h"

namespace {

void StartEngine() {
    BenchStartMenus(16000, false);
    // Frames without the wait for the next tick: the loop's own cost.
    ClearTimerInterrupt();
    ScreenPresented = 1;
}

void StopEngine() {
    ReleaseMenuBuffers();
    UninitMouseDriver();
    UninitPoll();
    UninitText();
    PakFileUninit();
    GfxUninit();
    WinResetForTests();
    FreeAutoMemory();
    UninitMemory();
}

int16_t g_numbers[20];
int16_t g_textIds[20];
int32_t Accept(MenuHotItem*) { return MENU_CONTINUE; }

// 14 items a row, 20 rows.
const MenuItem kRow[] = {
    {MI_COLOUR, 0, 0, 0, 0, MenuValue(0x5AD4), nullptr},
    {MI_FILL, 0, 0, 700, 22, nullptr, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_NUMBER, 20, 4, 5, 0, MenuValue(1), nullptr},
    {MI_NUMBER_I16, 60, 4, 5, 2, g_numbers, nullptr},
    {MI_TEXT_VAR, 120, 4, 5, 2, g_textIds, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_NUMBER_I16, 400, 4, 7, 2, g_numbers, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_HOT_RECT, 0, 0, 700, 22, MenuValue(1), Accept},
    {MI_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BOX, 0, 0, 700, 22, nullptr, nullptr},
    {MI_LINE, 450, 0, 0, 22, nullptr, nullptr},
    {MI_PARAM0, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

const MenuItem kWalkTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 20, 6, 0, MenuValue(745), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_GROUP, 50, 60, 20, 24, kRow, nullptr},
    {MI_BUTTON_TEXT, 700, 560, 0, 0, MenuValue(249), Accept},
    {MI_BUTTON_TEXT, 600, 560, 0, 0, MenuValue(248), Accept},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

void BM_WalkOf300Items(benchmark::State& state) {
    StartEngine();
    for (int i = 0; i < 20; ++i) {
        g_numbers[i] = int16_t(i * 37);
        g_textIds[i] = int16_t(700 + i);
    }
    PushItemTable(kWalkTable);
    MenuWalkTopTable(4);
    uint32_t counter = 0;
    for (auto _ : state) {
        ++counter;
        g_numbers[counter % 20] = int16_t(counter);
        benchmark::DoNotOptimize(MenuWalkTopTable(2));
    }
    StopEngine();
}
BENCHMARK(BM_WalkOf300Items)->Unit(benchmark::kMicrosecond);

int g_frames = 0;
void CountFrame(int16_t) {
    if (++g_frames >= 1000) SetMenuFrameResult(MENU_CLOSE);
}
const MenuTimerRecord kFrameCounter{0, 1, CountFrame};
const MenuItem kIdleTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_BUTTON_TEXT, 700, 560, 0, 0, MenuValue(249), Accept},
    {MI_ANIMATION, 0, 0, 0, 0, &kFrameCounter, nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

void BM_ThousandIdleFrames(benchmark::State& state) {
    StartEngine();
    for (auto _ : state) {
        g_frames = 0;
        PushItemTable(kIdleTable);
        benchmark::DoNotOptimize(StartMenu());
    }
    StopEngine();
}
BENCHMARK(BM_ThousandIdleFrames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
