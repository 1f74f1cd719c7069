// The sound driver: mono 8-bit samples, one per RIFF WAVE file, grouped in
// banks and played on a fixed set of mixing channels.  Each channel is one
// looping channel buffer used as a ring of 8 KiB blocks that the driver's
// poll function keeps filled from the sample, either streamed from its file
// ("spooled") or copied from memory ("RAM based").
//
// While the driver is down every operation but SndInit does nothing: play
// and add-bank return -1 and a channel counts as free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

constexpr uint32_t SND_BLOCK_SIZE = 8192;
constexpr uint32_t SND_CHANNEL_MEMORY = 0x200000;
constexpr int SND_MAX_CHANNELS = 64;
constexpr int SND_MAX_BANKS = 32;
constexpr int32_t SND_POLL_RATE = 50;
constexpr uint8_t SND_SILENCE = 0x80;
constexpr uint32_t SND_NO_POSITION = 0xFFFFFFFF;

// Bank type: kind, file-list kind, storage, and where the files are.
constexpr uint32_t SND_BANK_KIND_MASK = 0x0000000F;
constexpr uint32_t SND_BANK_SAMPLES = 0x00000001;
constexpr uint32_t SND_BANK_LIST_MASK = 0x000000F0;
constexpr uint32_t SND_BANK_LIST_PER_SAMPLE = 0x00000010;
constexpr uint32_t SND_BANK_LIST_PATTERN = 0x00000020;
constexpr uint32_t SND_BANK_STORAGE_MASK = 0x00000F00;
constexpr uint32_t SND_BANK_SPOOLED = 0x00000100;
constexpr uint32_t SND_BANK_RAM = 0x00000200;
constexpr uint32_t SND_BANK_PLAIN_FILES = 0x00010000;

// The vELk word: bit 0 makes the sample loop.
constexpr uint32_t SND_VELK_LOOP = 0x1;

// A bank as the caller describes it.
struct SoundBankDesc {
    const char* const* file_list;  // one name per sample, or one printf pattern
    uint16_t tag;                  // kept, not interpreted
    uint32_t sample_count;
    uint32_t bank_type;
};

// One sample, filled from its file header on first use.
struct SampInfo {
    uint32_t rate;         // samples per second; 0 = header not read yet
    uint32_t data_offset;  // of the sample bytes in the file
    uint32_t data_size;
    uint32_t velk;    // first word of the "vELk" chunk, 0 without one
    uint8_t* loaded;  // RAM banks: the sample bytes while loaded
};

struct SndBank {
    SoundBankDesc desc;
    SampInfo* samples;
    bool in_use;
};

int SndInit();
void SndUninit();
int SndAddSoundBank(const SoundBankDesc* desc);
void SndRemoveSoundBank(int key);
void SndLoad(int key, int sample);    // -1: every sample
void SndUnload(int key, int sample);  // -1: every sample
void SndSetActiveChannels(int count);
void SndClearActiveChannels();
int SndPlay(int16_t key, int sample, int channel, int16_t volume, int16_t pan);
void SndStop(int channel);  // -1: every channel
int SndIsChannelFree(int channel);
int SndUpdateChanels();
void SndUpdateAllChanels();
void SndPollFunction();
SampInfo* GetSampInfo(SndBank* bank, int sample);
const char* GetSampFilename(SndBank* bank, int sample);

// Thin channel wrappers over the channel layer.
void SndPlayChannel(int channel, int looping);
void SndStopChannel(int channel);
void SndSetChannelVolume(int channel, int volume);
void SndSetChannelPan(int channel, int pan);
void SndSetChannelFrequency(int channel, uint32_t rate);
uint32_t SndGetChannelPos(int channel);
void SndZeroData(int channel, uint32_t offset, uint32_t bytes);
void SndCopyData(int channel, uint32_t offset, const void* source, uint32_t bytes);
void SndInitChannels(int count, uint32_t bytes);
void SndUninitChannels();

// Checks a whole WAVE file held in memory: 0 when it is playable, else a
// negative code: -1 shorter than 12 bytes, -2 no "RIFF", -3 no "WAVE"; then
// over the chunks: -4 "fmt " under 16 bytes, -8 "fmt " longer than what
// remains, -10 not PCM, -11 not mono, -12 not 8 bits, -13 a rate outside
// 6000..44100, -5 "data" before "fmt ", -14 "data" under 32 or over 1048576
// bytes, -6 another chunk longer than what remains, -7 no "data" found.  The
// first acceptable "data" chunk after "fmt " ends the walk with 0.
int SndCheckWavImage(const uint8_t* bytes, uint32_t length);

// The header walk that GetSampInfo does, over any reader: fills the rate,
// data offset and size and the vELk word.  Returns null when the header is
// sound, else the message that rejects it.
using SndReadFunc = bool (*)(void* context, uint32_t offset, void* dest, uint32_t bytes);
const char* SndParseWavHeader(SndReadFunc read, void* context, uint32_t fileSize, SampInfo* out);
const char* SndParseWavImage(std::span<const uint8_t> file, SampInfo* out);

// For tests: the driver's state.
int SndIsUp();
int SndActiveChannels();
const SndBank* SndGetBank(int key);
