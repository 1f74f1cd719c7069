// Sound channels: the sound device, its primary buffer and up to 64
// secondary buffers ("channels") of 8-bit mono sound, used by channel
// number.  Every misuse and every failed device call ends the program.
#pragma once
#include <cstdint>

constexpr int DSOUND_MAX_CHANNELS = 64;
constexpr int DSOUND_PRIMARY_RATE = 44100;
constexpr int DSOUND_CHANNEL_RATE = 44100;

int DSoundInit();
void DSoundUninit();
void DSoundInitChans(int count, uint32_t bytes_per_buffer);
void DSoundUninitChans();
void DSoundPlayChannel(int channel, int looping);
void DSoundStopChannel(int channel);
// Locks exactly bytes from offset (never across the buffer's end).
void* DSoundLockChannel(int channel, uint32_t offset, uint32_t bytes);
void DSoundUnlockChannel(int channel);
int DSoundIsChannelPlaying(int channel);
void DSoundGetChannelOffset(int channel, uint32_t* play, uint32_t* write);
void DSoundSetChannelVolume(int channel, int volume);  // 0-100
void DSoundSetChannelPan(int channel, int pan);        // -100..100
void DSoundSetChannelFrequency(int channel, uint32_t samples_per_second);

// The device level for a volume of 0-100: -10000 for 0, else
// 1000 x log2(volume / 100) truncated, within -10000..0.
int32_t DSoundVolumeToLevel(int volume);
