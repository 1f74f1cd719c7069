// The window's picture at 800 x 600 on the headless software renderer: a
// whole new picture (a drawn match frame) and a band of 40 changed rows (a
// menu's cursor or text), drawn on the window at every present (arg 1, as
// on a screen) or held until the window is read back (arg 0, a window
// nobody sees).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/system/mainwindow.h"
#include "platform/glcontext.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

void StartWindow() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LP_NUM_THREADS", "0", 0);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
}

void Present(benchmark::State& state, int changedRows) {
    StartWindow();
    plat::GLDrawUnseenWindowEveryPicture(state.range(0) != 0);
    std::vector<uint32_t> picture(size_t(kWidth) * kHeight);
    const std::vector<plat::PictureRows> changed{{0, changedRows}};
    uint32_t shade = 0;
    for (auto _ : state) {
        ++shade;
        for (int y = 0; y < changedRows; ++y)
            for (int x = 0; x < kWidth; ++x)
                picture[size_t(y) * kWidth + size_t(x)] = shade * 0x010203u + uint32_t(x);
        plat::GLPresentPicture(picture.data(), kWidth, kHeight, false, changed);
    }
    std::vector<uint32_t> shown;
    int w = 0, h = 0;
    plat::GLReadWindowPixels(&shown, &w, &h);
    plat::GLDrawUnseenWindowEveryPicture(false);
    WinResetForTests();
}

void BM_PresentWholePicture(benchmark::State& state) { Present(state, kHeight); }
BENCHMARK(BM_PresentWholePicture)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PresentBandOfRows(benchmark::State& state) { Present(state, 40); }
BENCHMARK(BM_PresentBandOfRows)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
