// The match sounds: the 42 samples of the match effects bank and the
// pre-match crowd loop, synthesised as 8-bit mono WAVE files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace datakit {

constexpr int MATCH_SOUND_COUNT = 42;

// The file of one sample: 0..41 the effects, 42 the pre-match crowd.
std::vector<uint8_t> MakeMatchSoundFile(int sample);
// Its game path.
std::string MatchSoundPath(int sample);
// Stages all 43 files into the archive.
void GenerateMatchSounds();

}  // namespace datakit
