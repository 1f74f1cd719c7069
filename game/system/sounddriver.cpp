#include "game/system/sounddriver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/poll.h"
#include "game/system/soundchannels.h"

namespace {

struct ChannelRecord {
    SndBank* bank;  // null: idle
    int sample;
    uint16_t next_block;
    uint32_t read_pos;
    uint32_t last_cursor;
    uint32_t end_pos;
};

// At most one sample file is open at any time.
struct SampleFile {
    bool open;
    bool plain;
    std::FILE* disk;
    PakFile* pak;
};

constexpr size_t kNameSize = 260;
constexpr uint32_t kMinRate = 100;  // what a channel can be set to
constexpr uint32_t kMaxRate = 100000;

bool g_up = false;
int g_active = 0;
int g_blocks = 0;
int g_poll_key = -1;
SndBank g_banks[SND_MAX_BANKS] = {};
ChannelRecord g_chan[SND_MAX_CHANNELS] = {};
SampleFile g_file = {};
uint8_t g_staging[SND_BLOCK_SIZE];
char g_name[kNameSize];

uint32_t RingSize() { return uint32_t(g_blocks) * SND_BLOCK_SIZE; }
int KeyOf(const SndBank* bank) { return int(bank - g_banks); }

// The bank behind a key; a key that names no bank ends the program rather
// than reading outside the table.
SndBank* BankFor(int key, const char* function) {
    if (key < 0 || key >= SND_MAX_BANKS || !g_banks[key].in_use) {
        char message[96];
        std::snprintf(message, sizeof message, "%s(): invalid bank key", function);
        AbortError("sounddrv", __LINE__, message);
    }
    return &g_banks[key];
}

// ---- Sample files -----------------------------------------------------------

int _SampleFileOpen(SndBank* bank, int sample) {
    if (g_file.open) AbortError("sounddrv", __LINE__, "_SampleFileOpen(): no free handles");
    const char* name = GetSampFilename(bank, sample);
    g_file = SampleFile{};
    g_file.plain = (bank->desc.bank_type & SND_BANK_PLAIN_FILES) != 0;
    if (g_file.plain) {
        g_file.disk = std::fopen(HostPath(name).c_str(), "rb");
        if (g_file.disk == nullptr) FatalError("Error: _SampleFileOpen(): Failed to open %s\n", name);
    } else {
        g_file.pak = PakOpenFile(name);
    }
    g_file.open = true;
    return 0;
}

void NeedOpenFile(int handle, int line, const char* not_found) {
    if (!g_file.open) AbortError("sounddrv", line, "_SampleFileSize(): handle not open");
    if (handle != 0) AbortError("sounddrv", line, not_found);
}

void _SampleFileRead(int handle, uint32_t offset, uint32_t bytes, void* dest) {
    NeedOpenFile(handle, __LINE__, "_SampleFileRead(): couldn't find the open file");
    if (!g_file.plain) {
        PakReadFile(dest, offset, bytes, g_file.pak);
        return;
    }
    if (std::fseek(g_file.disk, long(offset), SEEK_SET) != 0) {
        AbortError("sounddrv", __LINE__, "_SampleFileRead(): failed to seek");
    }
    if (std::fread(dest, 1, bytes, g_file.disk) != bytes) {
        AbortError("sounddrv", __LINE__, "_SampleFileRead(): failed to read");
    }
}

uint32_t _SampleFileSize(int handle) {
    NeedOpenFile(handle, __LINE__, "_SampleFileSize(): couldn't find the open file");
    if (!g_file.plain) return g_file.pak->size;
    if (std::fseek(g_file.disk, 0, SEEK_END) != 0) {
        AbortError("sounddrv", __LINE__, "_SampleFileSize(): failed to seek");
    }
    long size = std::ftell(g_file.disk);
    if (size < 0) AbortError("sounddrv", __LINE__, "_SampleFIleSize(): failed to ftell");
    return uint32_t(std::min<long>(size, 0x7FFFFFFF));
}

void _SampleFileClose(int handle) {
    NeedOpenFile(handle, __LINE__, "_SampleFileSize(): couldn't find the open file");
    if (g_file.plain) {
        std::fclose(g_file.disk);
    } else {
        PakCloseFile(g_file.pak);
    }
    g_file = SampleFile{};
}

bool ReadFromSampleFile(void*, uint32_t offset, void* dest, uint32_t bytes) {
    _SampleFileRead(0, offset, bytes, dest);
    return true;
}

struct ImageReader {
    std::span<const uint8_t> file;
};

bool ReadFromImage(void* context, uint32_t offset, void* dest, uint32_t bytes) {
    auto* r = static_cast<ImageReader*>(context);
    if (uint64_t(offset) + bytes > r->file.size()) return false;
    std::memcpy(dest, r->file.data() + offset, bytes);
    return true;
}

// ---- Channel filling ------------------------------------------------------------

void _SndCopyFromSample2PlayBuf(int channel, SndBank* bank, int sample, uint32_t sample_offset,
                                uint32_t buffer_offset, uint32_t bytes) {
    SampInfo& info = bank->samples[sample];
    switch (bank->desc.bank_type & SND_BANK_STORAGE_MASK) {
        case SND_BANK_SPOOLED: {
            int handle = _SampleFileOpen(bank, sample);
            _SampleFileRead(handle, info.data_offset + sample_offset, bytes, g_staging);
            SndCopyData(channel, buffer_offset, g_staging, bytes);
            _SampleFileClose(handle);
            break;
        }
        case SND_BANK_RAM:
            if (info.loaded == nullptr) {
                AbortError("sounddrv", __LINE__,
                           "_SndCopyFromSample2PlayBuf(): sound not loaded - use SndLoad()");
            }
            SndCopyData(channel, buffer_offset, info.loaded + sample_offset, bytes);
            break;
        default:
            AbortError("sounddrv", __LINE__,
                       "_SndCopyFromSample2PlayBuf(): Unknown data source for sample data");
    }
}

// Fills the next block of the ring: sample bytes while there are any (from
// the start again for a looping sample), then silence.
void FillBlock(int channel) {
    ChannelRecord& c = g_chan[channel];
    const SampInfo& info = c.bank->samples[c.sample];
    uint32_t offset = uint32_t(c.next_block) * SND_BLOCK_SIZE;
    uint32_t left = SND_BLOCK_SIZE;
    while (left > 0) {
        if (c.read_pos == SND_NO_POSITION) {
            SndZeroData(channel, offset, left);
            break;
        }
        uint32_t n = std::min(left, info.data_size - c.read_pos);
        _SndCopyFromSample2PlayBuf(channel, c.bank, c.sample, c.read_pos, offset, n);
        c.read_pos += n;
        offset += n;
        left -= n;
        if (c.read_pos >= info.data_size) {
            if (info.velk & SND_VELK_LOOP) {
                c.read_pos = 0;
            } else {
                c.read_pos = SND_NO_POSITION;
                c.end_pos = offset;
            }
        }
    }
    c.next_block = uint16_t((c.next_block + 1) % g_blocks);
}

void CheckChannel(int channel, const char* function) {
    if (channel < 0 || channel >= g_active) {
        FatalError("Error: %s(): Chan %d out of range (0-%d)\n", function, channel, g_active);
    }
}

void LoadOne(SndBank* bank, int sample) {
    SampInfo* info = GetSampInfo(bank, sample);
    if (info->loaded != nullptr) return;
    DebugLog(DEBUG_SOUND, 80, "SndLoad(): loading sound %d:%d\n", KeyOf(bank), sample);
    AllocateMemory(&info->loaded, info->data_size, MEM_TYPE_MANUAL_FREE);
    int handle = _SampleFileOpen(bank, sample);
    _SampleFileRead(handle, info->data_offset, info->data_size, info->loaded);
    _SampleFileClose(handle);
}

void UnloadOne(SndBank* bank, int sample) {
    if (sample < 0 || uint32_t(sample) >= bank->desc.sample_count) {
        FatalError("Error: GetSampInfo(): sample no %d out of range\n", sample);
    }
    SampInfo& info = bank->samples[sample];
    if (info.loaded == nullptr) return;
    DebugLog(DEBUG_SOUND, 80, "SndUnload(): unloading sound %d:%d\n", KeyOf(bank), sample);
    FreeMemory(&info.loaded);
}

}  // namespace

// ---- Driver ---------------------------------------------------------------------

int SndInit() {
    DebugLog(DEBUG_SOUND, 1, "SndInit(): initialising windows driver ...\n");
    if (g_up) AbortError("sounddrv", __LINE__, "SndInit(): already initialised");
    int result = DSoundInit();
    g_up = result != 0;
    return result;
}

void SndUninit() {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 1, "SndUninit(): uninitialising...\n");
    DSoundUninit();
    g_up = false;
}

int SndAddSoundBank(const SoundBankDesc* desc) {
    if (!g_up) return -1;
    if ((desc->bank_type & SND_BANK_KIND_MASK) != SND_BANK_SAMPLES) {
        AbortError("sounddrv", __LINE__,
                   "SndAddSoundBank(): only sample sound banks supported in this version");
    }
    uint32_t list = desc->bank_type & SND_BANK_LIST_MASK;
    if (desc->file_list == nullptr || (list != SND_BANK_LIST_PER_SAMPLE && list != SND_BANK_LIST_PATTERN)) {
        AbortError("sounddrv", __LINE__, "SndAddSoundBank(): sample banks need a file list");
    }
    uint32_t storage = desc->bank_type & SND_BANK_STORAGE_MASK;
    if (storage != SND_BANK_SPOOLED && storage != SND_BANK_RAM) {
        AbortError("sounddrv", __LINE__, "SndAddSoundBank(): sample banks must be spooled or ram based");
    }
    for (int key = 0; key < SND_MAX_BANKS; ++key) {
        SndBank& bank = g_banks[key];
        if (bank.in_use) continue;
        bank.desc = *desc;
        bank.samples = nullptr;
        if (desc->sample_count != 0) {
            uint64_t bytes = uint64_t(desc->sample_count) * sizeof(SampInfo);
            if (bytes > 0x7FFFFFFF) AbortError("sounddrv", __LINE__, "SndAddSoundBank(): too many samples");
            AllocateMemory(&bank.samples, uint32_t(bytes), MEM_TYPE_MANUAL_NO_MOVE);
            std::memset(bank.samples, 0, size_t(bytes));
        }
        bank.in_use = true;
        return key;
    }
    AbortError("sounddrv", __LINE__, "SndAddSoundBank(): too many sound banks");
}

void SndRemoveSoundBank(int key) {
    if (!g_up) return;
    if (key < 0 || key >= SND_MAX_BANKS)
        AbortError("sounddrv", __LINE__, "SndRemoveSoundBank(): invalid bank key");
    SndBank& bank = g_banks[key];
    if (!bank.in_use) AbortError("sounddrv", __LINE__, "SndRemoveSoundBank(): bank is already removed");
    if ((bank.desc.bank_type & SND_BANK_STORAGE_MASK) == SND_BANK_RAM) {
        for (uint32_t s = 0; s < bank.desc.sample_count; ++s) {
            if (bank.samples[s].loaded != nullptr) {
                FatalError("SndRemoveSoundBank(): sample %d:%d was not unloaded\n", key, int(s));
            }
        }
    }
    // A channel still playing from the bank stops with it: its refill would
    // otherwise read the cleared record.
    for (int c = 0; c < g_active; ++c) {
        if (g_chan[c].bank == &bank) SndStop(c);
    }
    if (bank.samples != nullptr) FreeMemory(&bank.samples);
    bank = SndBank{};
}

void SndLoad(int key, int sample) {
    if (!g_up) return;
    SndBank* bank = BankFor(key, "SndLoad");
    if ((bank->desc.bank_type & SND_BANK_STORAGE_MASK) != SND_BANK_RAM) {
        AbortError("sounddrv", __LINE__, "SndLoad(): bank is wrong type for loading samples");
    }
    if (sample != -1) {
        LoadOne(bank, sample);
        return;
    }
    for (uint32_t s = 0; s < bank->desc.sample_count; ++s) LoadOne(bank, int(s));
}

void SndUnload(int key, int sample) {
    if (!g_up) return;
    SndBank* bank = BankFor(key, "SndUnload");
    if ((bank->desc.bank_type & SND_BANK_STORAGE_MASK) != SND_BANK_RAM) {
        AbortError("sounddrv", __LINE__, "SndUnload(): bank is wrong type for unloading samples");
    }
    // Sample bytes are about to go: nothing may still play from them.
    for (int c = 0; c < g_active; ++c) {
        if (g_chan[c].bank == bank && (sample == -1 || g_chan[c].sample == sample)) SndStop(c);
    }
    if (sample != -1) {
        UnloadOne(bank, sample);
        return;
    }
    for (uint32_t s = 0; s < bank->desc.sample_count; ++s) UnloadOne(bank, int(s));
}

void SndSetActiveChannels(int count) {
    if (!g_up) return;
    if (count < 1 || count > SND_MAX_CHANNELS) {
        AbortError("sounddrv", __LINE__, "SndSetActiveChannels(): invalid no. of channels");
    }
    if (g_active != 0) AbortError("sounddrv", __LINE__, "SndSetActiveChannels(): already active");
    uint32_t bytes = (SND_CHANNEL_MEMORY / uint32_t(count)) / SND_BLOCK_SIZE * SND_BLOCK_SIZE;
    int blocks = int(bytes / SND_BLOCK_SIZE);
    if (blocks < 2) AbortError("sounddrv", __LINE__, "SndSetActiveChannels(): need at least 2 blocks");
    SndInitChannels(count, bytes);
    g_active = count;
    g_blocks = blocks;
    for (ChannelRecord& c : g_chan) c = ChannelRecord{};
    SndStop(-1);
    g_poll_key = AddPollFunction(SndPollFunction, SND_POLL_RATE, 1);
}

void SndClearActiveChannels() {
    if (!g_up) return;
    if (g_active == 0) AbortError("sounddrv", __LINE__, "SndClearActiveChannels(): not active");
    RemovePollFunction(g_poll_key);
    g_poll_key = -1;
    SndStop(-1);
    g_active = 0;
    g_blocks = 0;
    SndUninitChannels();
}

int SndPlay(int16_t key, int sample, int channel, int16_t volume, int16_t pan) {
    if (!g_up) return -1;
    if (channel == -1) {
        for (int c = 0; c < g_active && channel == -1; ++c) {
            if (SndIsChannelFree(c)) channel = c;
        }
        if (channel == -1) return -1;
    }
    CheckChannel(channel, "SndPlay");
    SndBank* bank = BankFor(key, "SndPlay");
    DebugLog(DEBUG_SOUND, 80, "SndPlay(): playing sound %d:%d on channel %d, vol: %d, pan: %d\n", key, sample,
             channel, volume, pan);
    SndStop(channel);
    ChannelRecord& c = g_chan[channel];
    c = ChannelRecord{};
    SampInfo* info = GetSampInfo(bank, sample);
    uint32_t storage = bank->desc.bank_type & SND_BANK_STORAGE_MASK;
    if (storage != SND_BANK_SPOOLED && storage != SND_BANK_RAM) {
        AbortError("sounddrv", __LINE__, "SndPlay(): sample banks must be spooled or ram based");
    }
    c.bank = bank;
    c.sample = sample;
    for (int b = 0; b < g_blocks; ++b) FillBlock(channel);
    SndSetChannelFrequency(channel, info->rate);
    SndSetChannelVolume(channel, volume);
    SndSetChannelPan(channel, pan);
    SndPlayChannel(channel, 1);
    return channel;
}

void SndStop(int channel) {
    if (!g_up) return;
    if (channel == -1) {
        for (int c = 0; c < g_active; ++c) SndStop(c);
        return;
    }
    CheckChannel(channel, "SndStop");
    DebugLog(DEBUG_SOUND, 80, "SndStop(): stopping channel %d\n", channel);
    SndStopChannel(channel);
    g_chan[channel].bank = nullptr;
}

int SndIsChannelFree(int channel) {
    if (!g_up) return 1;
    CheckChannel(channel, "SndPlay");
    return DSoundIsChannelPlaying(channel) ? 0 : 1;
}

int SndUpdateChanels() {
    if (!g_up) return 0;
    int updated = 0;
    uint32_t ring = RingSize();
    for (int ch = 0; ch < g_active; ++ch) {
        ChannelRecord& c = g_chan[ch];
        if (c.bank == nullptr) continue;
        uint32_t cursor = SndGetChannelPos(ch);
        if (cursor == SND_NO_POSITION) {
            SndStop(ch);
            continue;
        }
        if (c.read_pos == SND_NO_POSITION) {
            // Has the cursor passed the sample's end since the last poll?
            uint64_t end = c.end_pos, last = c.last_cursor, now = cursor;
            if (end < last) end += ring;
            if (now < last) now += ring;
            if (now > end && end > last) {
                SndStop(ch);
                continue;
            }
        }
        if (cursor / SND_BLOCK_SIZE != c.next_block) {
            FillBlock(ch);
            ++updated;
        }
        c.last_cursor = cursor;
    }
    DebugLog(DEBUG_SOUND, 120, "SndUpdateChanels(): upadted %d channels\n", updated);
    return updated;
}

void SndUpdateAllChanels() {
    while (SndUpdateChanels() != 0) {}
}

void SndPollFunction() {
    if (g_up) SndUpdateAllChanels();
}

const char* GetSampFilename(SndBank* bank, int sample) {
    if (sample < 0 || uint32_t(sample) >= bank->desc.sample_count) {
        FatalError("Error: GetSampFilename(): sample no %d out of range\n", sample);
    }
    switch (bank->desc.bank_type & SND_BANK_LIST_MASK) {
        case SND_BANK_LIST_PER_SAMPLE:
            return bank->desc.file_list[sample];
        case SND_BANK_LIST_PATTERN:
            std::snprintf(g_name, sizeof g_name, bank->desc.file_list[0], sample);
            return g_name;
        default:
            AbortError("sounddrv", __LINE__, "GetSampFilename(): bad filename type");
    }
}

SampInfo* GetSampInfo(SndBank* bank, int sample) {
    if (sample < 0 || uint32_t(sample) >= bank->desc.sample_count) {
        FatalError("Error: GetSampInfo(): sample no %d out of range\n", sample);
    }
    SampInfo* info = &bank->samples[sample];
    if (info->rate != 0) return info;
    int handle = _SampleFileOpen(bank, sample);
    uint32_t size = _SampleFileSize(handle);
    SampInfo read{};
    const char* fault = SndParseWavHeader(ReadFromSampleFile, nullptr, size, &read);
    if (fault != nullptr) AbortError("sounddrv", __LINE__, fault);
    _SampleFileClose(handle);
    info->data_offset = read.data_offset;
    info->data_size = read.data_size;
    info->velk = read.velk;
    info->rate = read.rate;
    return info;
}

namespace {

// The messages a sample file that cannot be played stops the driver with.
constexpr const char* kWavNotRiff = "GetSampInfo(): not a RIFF .wav file";
constexpr const char* kWavRiffSize = "GetSampInfo(): RIFF .wav file wrong size";
constexpr const char* kWavNotWave = "GetSampInfo(): RIFF file is not a .wav";
constexpr const char* kWavFmtSize = "GetSampInfo(): .wav file format header wrong size - not a PCM wav file";
constexpr const char* kWavNotPcm = "GetSampInfo(): not a PCM encoded .wav file - wrong format";
constexpr const char* kWavNotMono = "GetSampInfo(): only mono samples supported";
constexpr const char* kWavNot8Bit = "GetSampInfo(): only 8 bit samples supported";
constexpr const char* kWavVelk = "GetSampInfo(): bad 'vELk' block in .wav file";
constexpr const char* kWavMissing = "GetSampInfo(): failed to find both 'fmt' and 'data' chunks in .wav file";
// Faults the header walk also stops on, so that nothing is read outside the
// file, no sample of 0 bytes is looped for ever, and a rate that reads as
// "header not read yet" or that no channel can be set to is not kept.
constexpr const char* kWavChunkPastEnd = "GetSampInfo(): chunk runs past the end of the .wav file";
constexpr const char* kWavCutHeader = "GetSampInfo(): truncated chunk header in .wav file";
constexpr const char* kWavRate = "GetSampInfo(): sample rate out of range in .wav file";
constexpr const char* kWavNoSamples = "GetSampInfo(): .wav file holds no sample data";

// The header walk of GetSampInfo: "RIFF" at 0, RIFF size + 8 = the file's
// size, "WAVE" at 8, then the chunks until no bytes remain (each padded to
// an even size): "fmt " (at least 16 bytes; PCM, mono, 8 bits; the rate is
// kept), "data" (its offset and size kept), "vELk" (exactly 16 bytes; its
// first word kept); others are skipped.  Both "fmt " and "data" must be
// there.
const char* WalkWav(SndReadFunc read, void* context, uint32_t fileSize, SampInfo* out) {
    *out = SampInfo{};
    uint8_t head[12];
    if (fileSize < 12 || !read(context, 0, head, 12)) return kWavNotRiff;
    if (std::memcmp(head, "RIFF", 4) != 0) return kWavNotRiff;
    if (uint64_t(recbits::LoadU32(head + 4)) + 8 != fileSize) return kWavRiffSize;
    if (std::memcmp(head + 8, "WAVE", 4) != 0) return kWavNotWave;

    bool fmt = false, data = false;
    uint64_t pos = 12;
    while (pos < fileSize) {
        uint8_t chunk[8];
        if (fileSize - pos < 8 || !read(context, uint32_t(pos), chunk, 8)) return kWavCutHeader;
        const uint64_t size = recbits::LoadU32(chunk + 4);
        pos += 8;
        const uint64_t left = fileSize - pos;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return kWavFmtSize;
            uint8_t f[16];
            if (size > left || !read(context, uint32_t(pos), f, 16)) return kWavChunkPastEnd;
            if (recbits::LoadU16(f) != 1) return kWavNotPcm;
            if (recbits::LoadU16(f + 2) != 1) return kWavNotMono;
            if (recbits::LoadU16(f + 14) != 8) return kWavNot8Bit;
            out->rate = recbits::LoadU32(f + 4);
            if (out->rate < kMinRate || out->rate > kMaxRate) return kWavRate;
            fmt = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (size > left) return kWavChunkPastEnd;
            if (size == 0) return kWavNoSamples;
            out->data_offset = uint32_t(pos);
            out->data_size = uint32_t(size);
            data = true;
        } else if (std::memcmp(chunk, "vELk", 4) == 0) {
            if (size != 16) return kWavVelk;
            uint8_t v[16];
            if (size > left || !read(context, uint32_t(pos), v, 16)) return kWavChunkPastEnd;
            out->velk = recbits::LoadU32(v);
        } else if (size > left) {
            return kWavChunkPastEnd;
        }
        pos += size + (size & 1);  // the pad byte of an odd-sized chunk
    }
    if (!fmt || !data) return kWavMissing;
    return nullptr;
}

// The whole-image check's limits.
constexpr uint32_t kCheckMinRate = 6000;
constexpr uint32_t kCheckMaxRate = 44100;
constexpr uint32_t kCheckMinData = 32;
constexpr uint32_t kCheckMaxData = 1048576;

}  // namespace

const char* SndParseWavHeader(SndReadFunc read, void* context, uint32_t fileSize, SampInfo* out) {
    return WalkWav(read, context, fileSize, out);
}

const char* SndParseWavImage(std::span<const uint8_t> file, SampInfo* out) {
    if (file.size() > 0xFFFFFFFFu) return kWavRiffSize;
    ImageReader reader{file};
    return SndParseWavHeader(ReadFromImage, &reader, uint32_t(file.size()), out);
}

int SndCheckWavImage(const uint8_t* bytes, uint32_t length) {
    if (length < 12) return -1;
    if (std::memcmp(bytes, "RIFF", 4) != 0) return -2;
    if (std::memcmp(bytes + 8, "WAVE", 4) != 0) return -3;
    bool fmt = false;
    uint64_t pos = 12;
    // A chunk header cut by the end of the file ends the walk: no data.  (The
    // pad byte of a last odd-sized chunk may be missing: pos may pass the end.)
    while (pos + 8 <= length) {
        const uint8_t* chunk = bytes + pos;
        const uint64_t size = recbits::LoadU32(chunk + 4);
        pos += 8;
        const uint64_t left = length - pos;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return -4;
            if (size > left) return -8;
            const uint8_t* f = bytes + pos;
            if (recbits::LoadU16(f) != 1) return -10;
            if (recbits::LoadU16(f + 2) != 1) return -11;
            if (recbits::LoadU16(f + 14) != 8) return -12;
            const uint32_t rate = recbits::LoadU32(f + 4);
            if (rate < kCheckMinRate || rate > kCheckMaxRate) return -13;
            fmt = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!fmt) return -5;
            if (size < kCheckMinData || size > kCheckMaxData) return -14;
            return 0;
        } else if (size > left) {
            return -6;
        }
        pos += size + (size & 1);
    }
    return -7;
}

// ---- Channel wrappers -----------------------------------------------------------

void SndPlayChannel(int channel, int looping) {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 120, "SndPlayChannel(): playing channel %d - %s\n", channel,
             looping ? "looping" : "non-looping");
    DSoundPlayChannel(channel, looping);
}

void SndStopChannel(int channel) {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 120, "SndStopChannel(): stopping channel %d\n", channel);
    DSoundStopChannel(channel);
}

void SndSetChannelVolume(int channel, int volume) {
    if (g_up) DSoundSetChannelVolume(channel, volume);
}

void SndSetChannelPan(int channel, int pan) {
    if (g_up) DSoundSetChannelPan(channel, pan);
}

void SndSetChannelFrequency(int channel, uint32_t rate) {
    if (g_up) DSoundSetChannelFrequency(channel, rate);
}

uint32_t SndGetChannelPos(int channel) {
    if (!g_up || !DSoundIsChannelPlaying(channel)) return SND_NO_POSITION;
    uint32_t play = 0;
    DSoundGetChannelOffset(channel, &play, nullptr);
    return play;
}

void SndZeroData(int channel, uint32_t offset, uint32_t bytes) {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 120, "SndZeroData(): clearing %d bytes of chan %d, offs %d\n", int(bytes), channel,
             int(offset));
    void* p = DSoundLockChannel(channel, offset, bytes);
    std::memset(p, SND_SILENCE, bytes);
    DSoundUnlockChannel(channel);
}

void SndCopyData(int channel, uint32_t offset, const void* source, uint32_t bytes) {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 120, "SndCopyData(): copying %d bytes from 0x%08X to chan %d, offs %d\n",
             int(bytes), unsigned(reinterpret_cast<uintptr_t>(source)), channel, int(offset));
    void* p = DSoundLockChannel(channel, offset, bytes);
    std::memcpy(p, source, bytes);
    DSoundUnlockChannel(channel);
}

void SndInitChannels(int count, uint32_t bytes) {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 10, "SndInitChannels(): initialising channels...\n");
    DSoundInitChans(count, bytes);
}

void SndUninitChannels() {
    if (!g_up) return;
    DebugLog(DEBUG_SOUND, 10, "SndUninitChannels(): uninitialising channels...\n");
    DSoundUninitChans();
}

int SndIsUp() { return g_up ? 1 : 0; }
int SndActiveChannels() { return g_active; }
const SndBank* SndGetBank(int key) {
    return key >= 0 && key < SND_MAX_BANKS && g_banks[key].in_use ? &g_banks[key] : nullptr;
}
