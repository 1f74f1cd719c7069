// Builds RIFF WAVE files chunk by chunk for the sound tests, including
// damaged ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testwav {

struct Chunk {
    std::string id;  // four characters
    std::vector<uint8_t> body;
    int64_t size_override = -1;  // a size field that lies about the body
};

// A "fmt " chunk body of 16 bytes.
std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
// A "vELk" body: the word, then zeros up to size bytes.
std::vector<uint8_t> VelkBody(uint32_t word, size_t size = 16);
// The whole file; riff_size_delta is added to the correct RIFF size field.
std::vector<uint8_t> Build(const std::vector<Chunk>& chunks, int64_t riff_size_delta = 0);
// A playable file: 8-bit mono PCM at the rate, with a vELk word when asked.
std::vector<uint8_t> Simple(const std::vector<uint8_t>& pcm, uint32_t rate, bool loop);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace testwav
