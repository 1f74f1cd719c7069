// The mixer's cost: one second of sixteen looping channels resampled from
// 22050 Hz into the 44100 Hz stereo output, as a displayed match plays
// them.  The virtual device runs the same mixer without real time.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/clock.h"
#include "platform/dsound.h"

namespace {

void BM_MixSixteenChannelsForOneSecond(benchmark::State& state) {
    plat::SetManualClock(true);
    plat::SetVirtualSoundDevice(true);
    plat::DirectSound* ds = nullptr;
    plat::CoCreateDirectSound(&ds);
    ds->Initialize(nullptr);
    int window = 0;
    ds->SetCooperativeLevel(&window, plat::kDsSclExclusive);
    plat::WaveFormat format{plat::kWaveFormatPcm, 1, 44100, 44100, 1, 8, 0};
    plat::SoundBufferDesc desc{plat::kSoundBufferDescSize, 0x100E0, 131072, 0, &format};
    std::vector<plat::SoundBuffer*> channels(16);
    for (plat::SoundBuffer*& b : channels) {
        ds->CreateSoundBuffer(&desc, &b, nullptr);
        b->SetFrequency(22050);
        b->SetVolume(-600);
        b->Play(0, 0, plat::kDsbPlayLooping);
    }
    for (auto _ : state) {
        plat::AdvanceClockMicroseconds(1000000);
        plat::UpdateVirtualSound();
        benchmark::DoNotOptimize(plat::TakeVirtualSoundOutput());
    }
    for (plat::SoundBuffer* b : channels) b->Release();
    ds->Release();
    plat::SetVirtualSoundDevice(false);
    plat::SetManualClock(false);
}
BENCHMARK(BM_MixSixteenChannelsForOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
