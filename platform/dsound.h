// The sound device in the shape the support library's channel layer
// expects: a sound object with a cooperative level, a primary buffer whose
// format can be set and read back, and secondary buffers of 8-bit mono PCM
// with play and write cursors, status, looping, volume (hundredths of a
// decibel), pan and frequency.  Our own mixer plays the secondary buffers
// into the host audio device as 16-bit stereo at the device's rate.
//
// Every call returns a result code; the failure codes are the published
// values of the original interface, so logs read naturally.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/com.h"

namespace plat {

constexpr HResult kDsOk = 0;
constexpr HResult kDsErrAllocated = int32_t(0x8878000A);
constexpr HResult kDsErrControlUnavail = int32_t(0x8878001E);
constexpr HResult kDsErrInvalidCall = int32_t(0x88780032);
constexpr HResult kDsErrPrioLevelNeeded = int32_t(0x88780046);
constexpr HResult kDsErrBadFormat = int32_t(0x88780064);
constexpr HResult kDsErrNoDriver = int32_t(0x88780078);
constexpr HResult kDsErrAlreadyInitialized = int32_t(0x88780082);
constexpr HResult kDsErrUninitialized = int32_t(0x887800AA);

constexpr uint16_t kWaveFormatPcm = 1;

// The wave format record.
struct WaveFormat {
    uint16_t format_tag = 0;
    uint16_t channels = 0;
    uint32_t samples_per_sec = 0;
    uint32_t avg_bytes_per_sec = 0;
    uint16_t block_align = 0;
    uint16_t bits_per_sample = 0;
    uint16_t extra_size = 0;
};

// Buffer description flags.
enum : uint32_t {
    kDsbCapsPrimaryBuffer = 0x00000001,
    kDsbCapsCtrlFrequency = 0x00000020,
    kDsbCapsCtrlPan = 0x00000040,
    kDsbCapsCtrlVolume = 0x00000080,
    kDsbCapsGetCurrentPosition2 = 0x00010000,
};

// The buffer description; size must be kSoundBufferDescSize.
constexpr uint32_t kSoundBufferDescSize = 36;
struct SoundBufferDesc {
    uint32_t size = 0;
    uint32_t flags = 0;
    uint32_t buffer_bytes = 0;
    uint32_t reserved = 0;
    const WaveFormat* format = nullptr;
};

enum : uint32_t { kDsSclNormal = 1, kDsSclPriority = 2, kDsSclExclusive = 3 };
enum : uint32_t { kDsbPlayLooping = 1 };
enum : uint32_t { kDsbStatusPlaying = 1, kDsbStatusLooping = 4 };

constexpr int32_t kDsbVolumeMin = -10000;
constexpr int32_t kDsbVolumeMax = 0;
constexpr int32_t kDsbPanLeft = -10000;
constexpr int32_t kDsbPanRight = 10000;
constexpr uint32_t kDsbFrequencyMin = 100;
constexpr uint32_t kDsbFrequencyMax = 100000;

class SoundBuffer {
  public:
    HResult SetFormat(const WaveFormat* format);
    HResult GetFormat(WaveFormat* out, uint32_t size, uint32_t* written);
    // Locks bytes from offset; a range past the end wraps into a second part.
    HResult Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                 uint32_t* bytes2, uint32_t flags);
    HResult Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2);
    HResult Play(uint32_t reserved, uint32_t priority, uint32_t flags);
    HResult Stop();
    HResult SetCurrentPosition(uint32_t offset);
    HResult GetCurrentPosition(uint32_t* play, uint32_t* write);
    HResult GetStatus(uint32_t* status);
    HResult SetVolume(int32_t volume);
    HResult SetPan(int32_t pan);
    HResult SetFrequency(uint32_t frequency);
    uint32_t AddRef();
    // Returns the references left; the buffer is gone at 0.
    uint32_t Release();

  protected:
    SoundBuffer() = default;
    ~SoundBuffer() = default;
};

class DirectSound {
  public:
    HResult Initialize(const void* device_guid);
    HResult SetCooperativeLevel(void* window, uint32_t level);
    HResult CreateSoundBuffer(const SoundBufferDesc* desc, SoundBuffer** out, void* outer);
    uint32_t AddRef();
    uint32_t Release();

  protected:
    DirectSound() = default;
    ~DirectSound() = default;
};

// Creates an uninitialised sound object (the class factory's job).
HResult CoCreateDirectSound(DirectSound** out);

// ---- Test seams -----------------------------------------------------------
// In virtual mode no host device is opened: the mixer runs only when a call
// finds that the clock (clock.h, usually the manual one) has moved, mixing
// exactly the frames of the time passed.  Set before the sound object is
// initialised.
void SetVirtualSoundDevice(bool on, uint32_t rate = 44100);
// Virtual mode: the mixed output since the last take, interleaved stereo.
std::vector<int16_t> TakeVirtualSoundOutput();
// Brings the virtual mixer up to the clock now.
void UpdateVirtualSound();
// The output rate of the open device (0 when none).
uint32_t SoundDeviceRate();
// Makes the next call with this label fail with the code ("Initialize",
// "SetCooperativeLevel", "CreateSoundBuffer", "SetFormat", "GetFormat",
// "Lock", "Play", ...); an empty label clears it.
void FailNextSoundCall(const char* label, HResult code);

}  // namespace plat
