#include "game/system/soundchannels.h"

#include <cmath>
#include <cstdio>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/mainwindow.h"
#include "game/system/resultnames.h"
#include "platform/dsound.h"

namespace {

using plat::HResult;

struct LockRecord {
    void* part1;
    uint32_t bytes1;
    void* part2;
    uint32_t bytes2;
};

plat::DirectSound* g_ds = nullptr;
plat::SoundBuffer* g_primary = nullptr;
int g_count = 0;
plat::SoundBuffer* g_channels[DSOUND_MAX_CHANNELS] = {};
LockRecord g_locks[DSOUND_MAX_CHANNELS] = {};

constexpr uint32_t kChannelCaps = plat::kDsbCapsCtrlFrequency | plat::kDsbCapsCtrlPan |
                                  plat::kDsbCapsCtrlVolume | plat::kDsbCapsGetCurrentPosition2;
static_assert(kChannelCaps == 0x100E0);

void Check(HResult r, int line, const char* function, const char* label) {
    if (!plat::Failed(r)) return;
    FatalError("Error: [file %s, line %d, func %s()]:\nDirectX call %s() failed: %s\n", "dxsound", line,
               function, label, DXErrorString(r));
}

void CheckRange(int channel, const char* function) {
    if (channel < 0 || channel >= g_count) {
        FatalError("Error: %s(): chan %d out of range (0-%d)\n", function, channel, g_count);
    }
}

// The channel operations that change a buffer need the sound object.
void NeedObject(int line, const char* message) {
    if (g_ds == nullptr) AbortError("dxsound", line, message);
}

void PrintFormat(const char* what, const plat::WaveFormat& f) {
    DebugLog(DEBUG_SOUND, 80, "DSoundInit(): %s %dHz, %d bit, %d chans\n", what, int(f.samples_per_sec),
             int(f.bits_per_sample), int(f.channels));
}

}  // namespace

int DSoundInit() {
    if (g_ds != nullptr) AbortError("dxsound", __LINE__, "DSoundInit(): already initialised");
    Check(plat::CoInitialize(nullptr), __LINE__, "DSoundInit", "CoInitialise");
    plat::DirectSound* ds = nullptr;
    Check(plat::CoCreateDirectSound(&ds), __LINE__, "DSoundInit", "CoCreateInstance");
    g_ds = ds;
    Check(g_ds->Initialize(nullptr), __LINE__, "DSoundInit", "DirectSoundCreate");
    Check(g_ds->SetCooperativeLevel(WinGetWindowHandle(), plat::kDsSclExclusive), __LINE__, "DSoundInit",
          "DS_SetCooperativeLevel");

    plat::SoundBufferDesc desc{};
    desc.size = plat::kSoundBufferDescSize;
    desc.flags = plat::kDsbCapsPrimaryBuffer;
    Check(g_ds->CreateSoundBuffer(&desc, &g_primary, nullptr), __LINE__, "DSoundInit",
          "DS_CreateSoundBuffer");

    plat::WaveFormat format{};
    format.format_tag = plat::kWaveFormatPcm;
    format.channels = 2;
    format.samples_per_sec = DSOUND_PRIMARY_RATE;
    format.bits_per_sample = 16;
    format.block_align = 4;
    format.avg_bytes_per_sec = DSOUND_PRIMARY_RATE * 4;
    PrintFormat("requesting", format);
    Check(g_primary->SetFormat(&format), __LINE__, "DSoundInit", "1st DSB_SetFormat");
    Check(g_primary->GetFormat(&format, sizeof format, nullptr), __LINE__, "DSoundInit", "DSB_GetFormat");
    PrintFormat("got", format);
    Check(g_primary->SetFormat(&format), __LINE__, "DSoundInit", "2nd DSB_SetFormat");

    OnExitAddEx(DSoundUninit, "DSoundUninit()");
    return 1;
}

void DSoundUninit() {
    if (g_ds == nullptr) AbortError("dxsound", __LINE__, "DSoundUninit(): not initialised");
    OnExitRemove(DSoundUninit);
    if (g_count != 0) AbortError("dxsound", __LINE__, "DSoundUninit(): channels not released");
    plat::SoundBuffer* primary = g_primary;
    g_primary = nullptr;
    if (primary != nullptr && primary->Release() != 0) {
        AbortError("dxsound", __LINE__, "DSoundUninit(): DSound primary buffer still in use");
    }
    Check(g_ds->SetCooperativeLevel(WinGetWindowHandle(), plat::kDsSclNormal), __LINE__, "DSoundUninit",
          "DS_SetCooperativeLevel");
    plat::DirectSound* ds = g_ds;
    g_ds = nullptr;
    if (ds->Release() != 0) AbortError("dxsound", __LINE__, "DSoundUninit(): DirectSound still in use");
    plat::CoUninitialize();
}

void DSoundInitChans(int count, uint32_t bytes_per_buffer) {
    if (g_count != 0) AbortError("dxsound", __LINE__, "DSoundInitChans(): already initialised");
    if (g_ds == nullptr) AbortError("dxsound", __LINE__, "DSoundInitChans(): not initialised");
    // With no channels made, the release registered below would find none
    // and stop the program at exit with "not initialised".
    if (count < 1) AbortError("dxsound", __LINE__, "DSoundInitChans(): no channels asked for");
    if (count > DSOUND_MAX_CHANNELS) {
        FatalError("Error: DSoundInitChans(): %d chans is too many (max %d)\n", count, DSOUND_MAX_CHANNELS);
    }
    plat::WaveFormat format{};
    format.format_tag = plat::kWaveFormatPcm;
    format.channels = 1;
    format.samples_per_sec = DSOUND_CHANNEL_RATE;
    format.bits_per_sample = 8;
    format.block_align = 1;
    format.avg_bytes_per_sec = DSOUND_CHANNEL_RATE;
    plat::SoundBufferDesc desc{};
    desc.size = plat::kSoundBufferDescSize;
    desc.flags = kChannelCaps;
    desc.buffer_bytes = bytes_per_buffer;
    desc.format = &format;
    for (int i = 0; i < count; ++i) {
        Check(g_ds->CreateSoundBuffer(&desc, &g_channels[i], nullptr), __LINE__, "DSoundInitChans",
              "DS_CreateSoundBuffer");
        g_locks[i] = LockRecord{};
        g_count = i + 1;  // so the exit list releases what was made
    }
    OnExitAddEx(DSoundUninitChans, "DSoundUninitChans()");
}

void DSoundUninitChans() {
    if (g_count == 0 || g_ds == nullptr) {
        AbortError("dxsound", __LINE__, "DSoundUninitChans(): not initialised");
    }
    OnExitRemove(DSoundUninitChans);
    int count = g_count;
    g_count = 0;
    for (int i = 0; i < count; ++i) {
        plat::SoundBuffer* b = g_channels[i];
        g_channels[i] = nullptr;
        if (b->Release() != 0) AbortError("dxsound", __LINE__, "DSoundUninitChans(): channel already in use");
    }
}

void DSoundPlayChannel(int channel, int looping) {
    NeedObject(__LINE__, "DSoundPlayChannel(): not initialised");
    CheckRange(channel, "DSoundPlayChannel");
    plat::SoundBuffer* b = g_channels[channel];
    Check(b->SetCurrentPosition(0), __LINE__, "DSoundPlayChannel", "DSB_SetCurrentPosition");
    Check(b->Play(0, 0, looping ? uint32_t(plat::kDsbPlayLooping) : 0u), __LINE__, "DSoundPlayChannel",
          "DSB_Play");
}

void DSoundStopChannel(int channel) {
    NeedObject(__LINE__, "DSoundStopChannel(): not initialised");
    CheckRange(channel, "DSoundStopChannel");
    plat::SoundBuffer* b = g_channels[channel];
    Check(b->Stop(), __LINE__, "DSoundStopChannel", "DSB_Stop");
    Check(b->SetCurrentPosition(0), __LINE__, "DSoundStopChannel", "DSB_SetCurrentPosition");
}

void* DSoundLockChannel(int channel, uint32_t offset, uint32_t bytes) {
    NeedObject(__LINE__, "DSoundLockChannel(): not initialised");
    CheckRange(channel, "DSoundLockChannel");
    LockRecord& l = g_locks[channel];
    Check(g_channels[channel]->Lock(offset, bytes, &l.part1, &l.bytes1, &l.part2, &l.bytes2, 0), __LINE__,
          "DSoundLockChannel", "DSB_Lock");
    if (l.bytes1 != bytes || l.part2 != nullptr) {
        AbortError("dxsound", __LINE__, "DSoundLockChannel(): failed to lock requested byte count");
    }
    return l.part1;
}

void DSoundUnlockChannel(int channel) {
    NeedObject(__LINE__, "DSoundUnlockChannel(): not initialised");
    CheckRange(channel, "DSoundUnlockChannel");
    LockRecord& l = g_locks[channel];
    Check(g_channels[channel]->Unlock(l.part1, l.bytes1, l.part2, l.bytes2), __LINE__, "DSoundUnlockChannel",
          "DSB_Unlock");
}

int DSoundIsChannelPlaying(int channel) {
    CheckRange(channel, "DSoundIsChannelPlaying");
    uint32_t status = 0;
    Check(g_channels[channel]->GetStatus(&status), __LINE__, "DSoundIsChannelPlaying", "DSB_CetStatus");
    return (status & plat::kDsbStatusPlaying) ? 1 : 0;
}

void DSoundGetChannelOffset(int channel, uint32_t* play, uint32_t* write) {
    CheckRange(channel, "DSoundGetChannelOffset");
    uint32_t p = 0, w = 0;
    Check(g_channels[channel]->GetCurrentPosition(&p, &w), __LINE__, "DSoundGetChanOffset",
          "DSB_GetCurrentPosition");
    if (play != nullptr) *play = p;
    if (write != nullptr) *write = w;
}

int32_t DSoundVolumeToLevel(int volume) {
    if (volume <= 0) return -10000;
    double level = 1000.0 * std::log2(double(volume) / 100.0);
    int32_t truncated = int32_t(std::trunc(level));
    if (truncated < -10000) return -10000;
    if (truncated > 0) return 0;
    return truncated;
}

void DSoundSetChannelVolume(int channel, int volume) {
    NeedObject(__LINE__, "DSoundSetChannelVolume(): not initialised");
    CheckRange(channel, "DSoundSetChannelVolume");
    Check(g_channels[channel]->SetVolume(DSoundVolumeToLevel(volume)), __LINE__, "DSoundSetChannelVolume",
          "DSB_SetVolume");
}

void DSoundSetChannelPan(int channel, int pan) {
    NeedObject(__LINE__, "DSoundSetChannelPan(): not initialised");
    CheckRange(channel, "DSoundSetChannelPan");
    Check(g_channels[channel]->SetPan(pan * 100), __LINE__, "DSoundSetChannelPan", "DSB_SetPan");
}

void DSoundSetChannelFrequency(int channel, uint32_t samples_per_second) {
    NeedObject(__LINE__, "DSoundSetChannelFrequency(): not initialised");
    CheckRange(channel, "DSoundSetChannelFrequency");
    Check(g_channels[channel]->SetFrequency(samples_per_second), __LINE__, "DSoundSetChannelFrequency",
          "DSB_SetFrequency");
}
