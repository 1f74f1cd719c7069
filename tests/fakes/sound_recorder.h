// A recording stand-in for the sound driver as the match sound effects call
// it: every play, stop, load and unload is kept in order, and tests say
// which channels are still playing.
#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "game/match3d/soundeffects.h"

namespace soundfake {

struct Call {
    char kind;  // 'p' play, 's' stop, 'l' load, 'u' unload
    int bank;
    int sample;
    int channel;
    int volume;
    int pan;
};

struct Recorder {
    std::vector<Call> calls;
    std::set<int> busyChannels;

    std::vector<Call> Plays() const {
        std::vector<Call> plays;
        for (const Call& call : calls) {
            if (call.kind == 'p') plays.push_back(call);
        }
        return plays;
    }
};

inline Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

// Puts the recorder in the sound driver's place, emptied.
inline void InstallRecorder() {
    TheRecorder() = Recorder{};
    static const MatchSfxDriver driver{
        [](int16_t bank, int sample, int channel, int16_t volume, int16_t pan) {
            TheRecorder().calls.push_back({'p', bank, sample, channel, volume, pan});
            return channel;
        },
        [](int channel) {
            TheRecorder().calls.push_back({'s', 0, 0, channel, 0, 0});
        },
        [](int channel) { return TheRecorder().busyChannels.count(channel) ? 0 : 1; },
        [](int bank, int sample) {
            TheRecorder().calls.push_back({'l', bank, sample, 0, 0, 0});
        },
        [](int bank, int sample) {
            TheRecorder().calls.push_back({'u', bank, sample, 0, 0, 0});
        },
    };
    MatchSfx_SetDriver(&driver);
}

}  // namespace soundfake
