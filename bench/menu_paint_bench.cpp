// The menu painters' hot paths: a full-screen translucent fill in a 16-bit,
// a 24-bit and a 32-bit screen format (targets under 2 ms), 1,000 glyphs of font 8
// (under 0.5 ms) and a whole-screen flush to the drawing surface (under
// 1 ms).  The font comes from the data kit's archive beside the benchmark
// ("game/pakfiles/demo").
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"

namespace {

constexpr uint16_t kShades[4] = {0x0000, 0xFFFF, 0x001F, 0xF800};

void StartBuffers(const ColFmt* format) {
    InitMemory(16000);
    MenuSetScreenFormat(800, 600, format);
    AllocScreenBuffers();
}

void StopBuffers() {
    FreeScreenBuffers();
    FreeAutoMemory();
    UninitMemory();
}

void TranslucentFill(benchmark::State& state, const ColFmt* format) {
    StartBuffers(format);
    uint32_t counter = 0;
    for (auto _ : state) {
        ++counter;
        FillTranslucentRect(0, 0, 800, 600, kShades[counter % 4], uint8_t(64 + counter % 3 * 64));
        benchmark::ClobberMemory();
    }
    StopBuffers();
}

void BM_TranslucentFill16(benchmark::State& state) { TranslucentFill(state, &ColFmt_R5G6B5); }
BENCHMARK(BM_TranslucentFill16)->Unit(benchmark::kMicrosecond);

void BM_TranslucentFill24(benchmark::State& state) { TranslucentFill(state, &ColFmt_B8G8R8); }
BENCHMARK(BM_TranslucentFill24)->Unit(benchmark::kMicrosecond);

void BM_TranslucentFill32(benchmark::State& state) { TranslucentFill(state, &ColFmt_A8R8G8B8); }
BENCHMARK(BM_TranslucentFill32)->Unit(benchmark::kMicrosecond);

void BM_ThousandGlyphsOfFont8(benchmark::State& state) {
    StartBuffers(&ColFmt_A8R8G8B8);
    PakFileInit();
    PakAddFile(BenchArchive().c_str());
    PakFileAddDone();
    SetFont(8);
    SetDrawParam(1, 0);
    LoadFont(8);
    char line[101] = {};
    uint32_t counter = 0;
    for (auto _ : state) {
        ++counter;
        for (int i = 0; i < 100; ++i) line[i] = char(33 + (i * 7 + counter) % 90);
        for (int row = 0; row < 10; ++row) DrawFontString(line, 0, row * 16 + int(counter % 8));
        benchmark::ClobberMemory();
    }
    PakFileUninit();
    StopBuffers();
}
BENCHMARK(BM_ThousandGlyphsOfFont8)->Unit(benchmark::kMicrosecond);

void BM_WholeScreenFlush(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    InitMemory(16000);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    GfxInit(0);
    SetGraphicMode(int16_t(GfxFindMode(800, 600, 3)), 0);
    MenuSetScreenFormat(int(GfxGetScreenWidth()), int(GfxGetScreenHeight()), GfxGetScreenFormat());
    AllocScreenBuffers();
    uint32_t counter = 0;
    for (auto _ : state) {
        ++counter;
        PutMenuPixel(int(counter % 800), 300, uint16_t(counter));
        MarkRectDirty(0, 0, 800, 600);
        FlushDirtyCells();
    }
    FreeScreenBuffers();
    RestoreGraphicMode();
    GfxUninit();
    WinResetForTests();
    UninitMemory();
}
BENCHMARK(BM_WholeScreenFlush)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
