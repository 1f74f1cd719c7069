#include "tests/fakes/wav_fixture.h"

#include <cstdio>

namespace testwav {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

}  // namespace

std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    std::vector<uint8_t> b;
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * channels * bits / 8);
    Put16(b, uint16_t(channels * bits / 8));
    Put16(b, bits);
    return b;
}

std::vector<uint8_t> VelkBody(uint32_t word, size_t size) {
    std::vector<uint8_t> b;
    Put32(b, word);
    b.resize(size, 0);
    return b;
}

std::vector<uint8_t> Build(const std::vector<Chunk>& chunks, int64_t riff_size_delta) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Chunk& c : chunks) {
        out.insert(out.end(), c.id.begin(), c.id.begin() + 4);
        Put32(out, c.size_override >= 0 ? uint32_t(c.size_override) : uint32_t(c.body.size()));
        out.insert(out.end(), c.body.begin(), c.body.end());
        if (c.body.size() & 1) out.push_back(0);
    }
    uint32_t riff = uint32_t(int64_t(out.size()) - 8 + riff_size_delta);
    for (int i = 0; i < 4; ++i) out[size_t(4 + i)] = uint8_t(riff >> (8 * i));
    return out;
}

std::vector<uint8_t> Simple(const std::vector<uint8_t>& pcm, uint32_t rate, bool loop) {
    std::vector<Chunk> chunks = {{"fmt ", FmtBody(1, 1, rate, 8)}};
    if (loop) chunks.push_back({"vELk", VelkBody(1)});
    chunks.push_back({"data", pcm});
    return Build(chunks);
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace testwav
