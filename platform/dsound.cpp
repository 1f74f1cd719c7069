#include "platform/dsound.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/clock.h"

namespace plat {
namespace {

constexpr uint32_t kDefaultRate = 44100;
constexpr uint16_t kDeviceFrames = 1024;
constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;
// The write cursor runs this far ahead of the play cursor: the part of the
// buffer the mixer may already have taken.
constexpr uint32_t kWriteLeadDivisor = 100;  // 10 ms

class BufferImpl;
class SoundImpl;

// Shared mixer state; the host audio thread takes the lock too.
struct Mixer {
    std::recursive_mutex lock;
    std::vector<BufferImpl*> buffers;
    int users = 0;  // initialised sound objects
    SDL_AudioDeviceID device = 0;
    uint32_t rate = 0;
    bool audio_subsystem = false;

    bool virtual_mode = false;
    uint32_t virtual_rate = kDefaultRate;
    uint64_t virtual_start = 0;
    uint64_t frames_done = 0;
    std::vector<int16_t> virtual_output;
    std::vector<int32_t> scratch;

    std::string fail_label;
    HResult fail_code = kDsOk;
};

Mixer& TheMixer() {
    static Mixer* mixer = new Mixer;  // outlives exit-time clean-up
    return *mixer;
}

bool ShouldFail(const char* label, HResult* code) {
    Mixer& m = TheMixer();
    if (m.fail_label.empty() || m.fail_label != label) return false;
    *code = m.fail_code;
    m.fail_label.clear();
    return true;
}

#define DS_FAIL_POINT(label)                                 \
    do {                                                     \
        HResult injected_;                                   \
        if (ShouldFail(label, &injected_)) return injected_; \
    } while (0)

class BufferImpl : public SoundBuffer {
  public:
    uint32_t refs = 1;
    bool primary = false;
    SoundImpl* owner = nullptr;  // primary buffer: the object that made it
    bool attached = true;        // false once its sound object is gone
    uint32_t flags = 0;
    WaveFormat format{};
    std::vector<uint8_t> data;
    std::vector<uint8_t> staging;  // what Lock hands out; Unlock copies it in
    bool locked = false;
    uint32_t lock_offset = 0, lock_bytes1 = 0, lock_bytes2 = 0;
    double position = 0.0;  // in samples, with the fraction of the resampler
    bool playing = false;
    bool looping = false;
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequency = 0;  // 0: the format's rate

    uint32_t Size() const { return uint32_t(data.size()); }
    uint32_t Rate() const { return frequency != 0 ? frequency : format.samples_per_sec; }
};

class SoundImpl : public DirectSound {
  public:
    uint32_t refs = 1;
    bool initialised = false;
    uint32_t level = 0;
    BufferImpl* primary = nullptr;
};

void ForgetPrimary(SoundImpl* s) { s->primary = nullptr; }

BufferImpl* Impl(SoundBuffer* b) { return static_cast<BufferImpl*>(b); }
SoundImpl* Impl(DirectSound* s) { return static_cast<SoundImpl*>(s); }

int16_t Clip(int32_t v) { return int16_t(std::clamp(v, -32768, 32767)); }

// Gains for a level in hundredths of a decibel and a pan that attenuates
// the far side by its own amount, as the original device does.
void Gains(const BufferImpl& b, float* left, float* right) {
    float amp = b.volume <= kDsbVolumeMin ? 0.0f : std::pow(10.0f, float(b.volume) / 2000.0f);
    *left = *right = amp;
    if (b.pan > 0) *left *= std::pow(10.0f, float(-b.pan) / 2000.0f);
    if (b.pan < 0) *right *= std::pow(10.0f, float(b.pan) / 2000.0f);
    if (b.pan >= kDsbPanRight) *left = 0.0f;
    if (b.pan <= kDsbPanLeft) *right = 0.0f;
}

// Adds one buffer's frames, resampled with linear interpolation.
void MixBuffer(BufferImpl& b, int32_t* acc, uint32_t frames, uint32_t rate) {
    uint32_t size = b.Size();
    if (size == 0 || b.Rate() == 0) return;
    float gl, gr;
    Gains(b, &gl, &gr);
    double step = double(b.Rate()) / double(rate);
    const uint8_t* d = b.data.data();
    for (uint32_t f = 0; f < frames; ++f) {
        uint32_t i = uint32_t(b.position);
        double frac = b.position - double(i);
        uint32_t next = i + 1 < size ? i + 1 : (b.looping ? 0 : i);
        float s0 = float(int(d[i]) - 128), s1 = float(int(d[next]) - 128);
        float s = (s0 + float(frac) * (s1 - s0)) * 256.0f;
        acc[2 * f] += int32_t(s * gl);
        acc[2 * f + 1] += int32_t(s * gr);
        b.position += step;
        if (b.position >= double(size)) {
            if (b.looping) {
                b.position = std::fmod(b.position, double(size));
            } else {
                b.position = 0.0;
                b.playing = false;
                return;
            }
        }
    }
}

void MixInto(int32_t* acc, uint32_t frames, uint32_t rate) {
    std::fill(acc, acc + 2 * frames, 0);
    for (BufferImpl* b : TheMixer().buffers) {
        if (b->playing) MixBuffer(*b, acc, frames, rate);
    }
}

void AudioCallback(void*, Uint8* stream, int length) {
    Mixer& m = TheMixer();
    std::lock_guard<std::recursive_mutex> guard(m.lock);
    auto* out = reinterpret_cast<int16_t*>(stream);
    uint32_t frames = uint32_t(length) / 4;
    m.scratch.resize(size_t(frames) * 2);
    MixInto(m.scratch.data(), frames, m.rate);
    for (uint32_t i = 0; i < frames * 2; ++i) out[i] = Clip(m.scratch[i]);
}

uint64_t ClockMicroseconds() {
    uint64_t count = 0, frequency = 1;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    if (frequency == 0) frequency = 1;
    return count / frequency * 1000000u + count % frequency * 1000000u / frequency;
}

// Mixes exactly the frames that the clock says are due.
void AdvanceVirtual() {
    Mixer& m = TheMixer();
    if (!m.virtual_mode || m.users == 0) return;
    uint64_t now = ClockMicroseconds();
    if (now < m.virtual_start) return;
    uint64_t due = (now - m.virtual_start) * m.rate / 1000000u;
    while (m.frames_done < due) {
        uint32_t frames = uint32_t(std::min<uint64_t>(due - m.frames_done, 4096));
        m.scratch.resize(size_t(frames) * 2);
        MixInto(m.scratch.data(), frames, m.rate);
        for (uint32_t i = 0; i < frames * 2; ++i) m.virtual_output.push_back(Clip(m.scratch[i]));
        m.frames_done += frames;
    }
}

// Every buffer call starts by catching the virtual mixer up with the clock.
struct Guard {
    std::lock_guard<std::recursive_mutex> guard{TheMixer().lock};
    Guard() { AdvanceVirtual(); }
};

bool OpenHostDevice(Mixer& m) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        // No usable sound hardware: keep the game running on the silent
        // driver, which still plays the buffers in real time.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        int r = SDL_InitSubSystem(SDL_INIT_AUDIO);
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        if (r != 0) return false;
    }
    m.audio_subsystem = true;
    SDL_AudioSpec want{}, have{};
    want.freq = int(kDefaultRate);
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = AudioCallback;
    m.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m.audio_subsystem = false;
        return false;
    }
    m.rate = uint32_t(have.freq);
    SDL_PauseAudioDevice(m.device, 0);
    return true;
}

void CloseHostDevice(Mixer& m) {
    if (m.device != 0) {
        SDL_CloseAudioDevice(m.device);  // waits for the callback to finish
        m.device = 0;
    }
    if (m.audio_subsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m.audio_subsystem = false;
    }
}

bool ValidSecondaryFormat(const WaveFormat* f) {
    return f != nullptr && f->format_tag == kWaveFormatPcm && f->channels == 1 && f->bits_per_sample == 8 &&
           f->block_align == 1 && f->samples_per_sec >= kDsbFrequencyMin &&
           f->samples_per_sec <= kDsbFrequencyMax;
}

void DetachBuffer(BufferImpl* b) {
    auto& list = TheMixer().buffers;
    list.erase(std::remove(list.begin(), list.end(), b), list.end());
    b->attached = false;
    b->playing = false;
}

}  // namespace

// ---- Sound buffer -----------------------------------------------------------

HResult SoundBuffer::SetFormat(const WaveFormat* format) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("SetFormat");
    if (!b->primary) return kDsErrInvalidCall;
    if (format == nullptr || format->format_tag != kWaveFormatPcm) return kDsErrBadFormat;
    // The device mixes at its own rate; the primary format only reports it.
    return kDsOk;
}

HResult SoundBuffer::GetFormat(WaveFormat* out, uint32_t size, uint32_t* written) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("GetFormat");
    if (out == nullptr || size < sizeof(WaveFormat)) return kErrInvalidArg;
    *out = b->format;
    if (written != nullptr) *written = sizeof(WaveFormat);
    return kDsOk;
}

HResult SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                          uint32_t* bytes2, uint32_t flags) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("Lock");
    (void)flags;
    if (b->primary) return kDsErrPrioLevelNeeded;
    if (!b->attached) return kDsErrUninitialized;
    uint32_t size = b->Size();
    if (part1 == nullptr || bytes1 == nullptr || offset >= size || bytes == 0 || bytes > size) {
        return kErrInvalidArg;
    }
    if (b->locked) return kDsErrInvalidCall;
    uint32_t first = std::min(bytes, size - offset);
    uint32_t second = bytes - first;
    if (second != 0 && (part2 == nullptr || bytes2 == nullptr)) return kErrInvalidArg;
    std::memcpy(b->staging.data() + offset, b->data.data() + offset, first);
    if (second != 0) std::memcpy(b->staging.data(), b->data.data(), second);
    *part1 = b->staging.data() + offset;
    *bytes1 = first;
    if (part2 != nullptr) *part2 = second != 0 ? b->staging.data() : nullptr;
    if (bytes2 != nullptr) *bytes2 = second;
    b->locked = true;
    b->lock_offset = offset;
    b->lock_bytes1 = first;
    b->lock_bytes2 = second;
    return kDsOk;
}

HResult SoundBuffer::Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("Unlock");
    if (!b->locked || part1 != b->staging.data() + b->lock_offset || bytes1 > b->lock_bytes1 ||
        bytes2 > b->lock_bytes2 || (bytes2 != 0 && part2 != b->staging.data())) {
        return kDsErrInvalidCall;
    }
    std::memcpy(b->data.data() + b->lock_offset, part1, bytes1);
    if (bytes2 != 0) std::memcpy(b->data.data(), part2, bytes2);
    b->locked = false;
    return kDsOk;
}

HResult SoundBuffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("Play");
    if (reserved != 0 || priority != 0) return kErrInvalidArg;
    if (b->primary) return kDsOk;
    if (!b->attached) return kDsErrUninitialized;
    b->looping = (flags & kDsbPlayLooping) != 0;
    b->playing = true;
    return kDsOk;
}

HResult SoundBuffer::Stop() {
    Guard g;
    DS_FAIL_POINT("Stop");
    Impl(this)->playing = false;
    return kDsOk;
}

HResult SoundBuffer::SetCurrentPosition(uint32_t offset) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("SetCurrentPosition");
    if (b->primary) return kDsErrInvalidCall;
    if (offset >= b->Size()) return kErrInvalidArg;
    b->position = double(offset);
    return kDsOk;
}

HResult SoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("GetCurrentPosition");
    if (b->primary) return kDsErrInvalidCall;
    uint32_t p = std::min(uint32_t(b->position), b->Size() - 1);
    uint32_t w = p;
    if (b->playing) w = (p + std::max(1u, b->Rate() / kWriteLeadDivisor)) % b->Size();
    if (play != nullptr) *play = p;
    if (write != nullptr) *write = w;
    return kDsOk;
}

HResult SoundBuffer::GetStatus(uint32_t* status) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("GetStatus");
    if (status == nullptr) return kErrInvalidArg;
    *status = 0;
    if (b->playing) *status = kDsbStatusPlaying | (b->looping ? uint32_t(kDsbStatusLooping) : 0u);
    return kDsOk;
}

HResult SoundBuffer::SetVolume(int32_t volume) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("SetVolume");
    if ((b->flags & kDsbCapsCtrlVolume) == 0) return kDsErrControlUnavail;
    if (volume < kDsbVolumeMin || volume > kDsbVolumeMax) return kErrInvalidArg;
    b->volume = volume;
    return kDsOk;
}

HResult SoundBuffer::SetPan(int32_t pan) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("SetPan");
    if ((b->flags & kDsbCapsCtrlPan) == 0) return kDsErrControlUnavail;
    if (pan < kDsbPanLeft || pan > kDsbPanRight) return kErrInvalidArg;
    b->pan = pan;
    return kDsOk;
}

HResult SoundBuffer::SetFrequency(uint32_t frequency) {
    Guard g;
    BufferImpl* b = Impl(this);
    DS_FAIL_POINT("SetFrequency");
    if ((b->flags & kDsbCapsCtrlFrequency) == 0) return kDsErrControlUnavail;
    if (frequency != 0 && (frequency < kDsbFrequencyMin || frequency > kDsbFrequencyMax)) {
        return kErrInvalidArg;
    }
    b->frequency = frequency;
    return kDsOk;
}

uint32_t SoundBuffer::AddRef() {
    Guard g;
    return ++Impl(this)->refs;
}

uint32_t SoundBuffer::Release() {
    Guard g;
    BufferImpl* b = Impl(this);
    if (--b->refs != 0) return b->refs;
    if (b->primary && b->owner != nullptr) ForgetPrimary(b->owner);
    if (b->attached) DetachBuffer(b);
    delete b;
    return 0;
}

// ---- Sound object -------------------------------------------------------------

HResult CoInitialize(void* reserved) {
    DS_FAIL_POINT("CoInitialize");
    (void)reserved;
    return kDsOk;
}

void CoUninitialize() {}

HResult CoCreateDirectSound(DirectSound** out) {
    DS_FAIL_POINT("CoCreateInstance");
    if (out == nullptr) return kErrInvalidArg;
    *out = new SoundImpl;
    return kDsOk;
}

HResult DirectSound::Initialize(const void* device_guid) {
    Mixer& m = TheMixer();
    std::lock_guard<std::recursive_mutex> guard(m.lock);
    SoundImpl* s = Impl(this);
    DS_FAIL_POINT("Initialize");
    if (device_guid != nullptr) return kDsErrNoDriver;  // only the default device exists
    if (s->initialised) return kDsErrAlreadyInitialized;
    if (m.users == 0) {
        if (m.virtual_mode) {
            m.rate = m.virtual_rate;
            m.virtual_start = ClockMicroseconds();
            m.frames_done = 0;
            m.virtual_output.clear();
        } else if (!OpenHostDevice(m)) {
            return kDsErrNoDriver;
        }
    }
    ++m.users;
    s->initialised = true;
    return kDsOk;
}

HResult DirectSound::SetCooperativeLevel(void* window, uint32_t level) {
    Guard g;
    SoundImpl* s = Impl(this);
    DS_FAIL_POINT("SetCooperativeLevel");
    if (!s->initialised) return kDsErrUninitialized;
    if (window == nullptr || level < kDsSclNormal || level > 4) return kErrInvalidArg;
    s->level = level;
    return kDsOk;
}

HResult DirectSound::CreateSoundBuffer(const SoundBufferDesc* desc, SoundBuffer** out, void* outer) {
    Guard g;
    SoundImpl* s = Impl(this);
    DS_FAIL_POINT("CreateSoundBuffer");
    if (!s->initialised) return kDsErrUninitialized;
    if (desc == nullptr || out == nullptr || outer != nullptr || desc->size != kSoundBufferDescSize) {
        return kErrInvalidArg;
    }
    Mixer& m = TheMixer();
    if ((desc->flags & kDsbCapsPrimaryBuffer) != 0) {
        if (desc->buffer_bytes != 0 || desc->format != nullptr) return kErrInvalidArg;
        if (s->primary != nullptr) {
            s->primary->AddRef();
            *out = s->primary;
            return kDsOk;
        }
        auto* b = new BufferImpl;
        b->primary = true;
        b->owner = s;
        b->flags = desc->flags;
        b->format = WaveFormat{kWaveFormatPcm, 2, m.rate, m.rate * 4, 4, 16, 0};
        b->refs = 1;
        s->primary = b;
        *out = b;
        return kDsOk;
    }
    if (!ValidSecondaryFormat(desc->format)) return kDsErrBadFormat;
    if (desc->buffer_bytes < 4 || desc->buffer_bytes > kMaxBufferBytes) return kErrInvalidArg;
    auto* b = new BufferImpl;
    b->flags = desc->flags;
    b->format = *desc->format;
    b->data.assign(desc->buffer_bytes, 0x80);
    b->staging.assign(desc->buffer_bytes, 0x80);
    m.buffers.push_back(b);
    *out = b;
    return kDsOk;
}

uint32_t DirectSound::AddRef() {
    Guard g;
    return ++Impl(this)->refs;
}

uint32_t DirectSound::Release() {
    Mixer& m = TheMixer();
    SoundImpl* s = Impl(this);
    {
        std::lock_guard<std::recursive_mutex> guard(m.lock);
        AdvanceVirtual();
        if (--s->refs != 0) return s->refs;
        // Buffers still held outlive their object but are cut off from
        // the device.
        if (s->primary != nullptr) {
            s->primary->owner = nullptr;
            s->primary->attached = false;
            s->primary = nullptr;
        }
        if (s->initialised && --m.users == 0) {
            for (BufferImpl* b : std::vector<BufferImpl*>(m.buffers)) DetachBuffer(b);
        }
    }
    // Closing the host device waits for its thread, which needs the lock.
    if (s->initialised && m.users == 0 && !m.virtual_mode) CloseHostDevice(m);
    delete s;
    return 0;
}

// ---- Test seams -------------------------------------------------------------

void SetVirtualSoundDevice(bool on, uint32_t rate) {
    Mixer& m = TheMixer();
    std::lock_guard<std::recursive_mutex> guard(m.lock);
    m.virtual_mode = on;
    m.virtual_rate = rate;
}

std::vector<int16_t> TakeVirtualSoundOutput() {
    Guard g;
    std::vector<int16_t> out;
    out.swap(TheMixer().virtual_output);
    return out;
}

void UpdateVirtualSound() { Guard g; }

uint32_t SoundDeviceRate() {
    Mixer& m = TheMixer();
    std::lock_guard<std::recursive_mutex> guard(m.lock);
    return m.users > 0 ? m.rate : 0;
}

void FailNextSoundCall(const char* label, HResult code) {
    Mixer& m = TheMixer();
    std::lock_guard<std::recursive_mutex> guard(m.lock);
    m.fail_label = label != nullptr ? label : "";
    m.fail_code = code;
}

}  // namespace plat
