#include "tests/fakes/wav_fixture.h"

#include <cstdio>

#include "tests/fakes/byte_writer.h"

namespace testwav {
std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    return testbytes::ByteWriter()
        .U16(tag)
        .U16(channels)
        .U32(rate)
        .U32(rate * channels * bits / 8)
        .U16(uint16_t(channels * bits / 8))
        .U16(bits)
        .Take();
}

std::vector<uint8_t> VelkBody(uint32_t word, size_t size) {
    std::vector<uint8_t> b = testbytes::ByteWriter().U32(word).Take();
    b.resize(size, 0);
    return b;
}

std::vector<uint8_t> Build(const std::vector<Chunk>& chunks, int64_t riff_size_delta) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Chunk& c : chunks) {
        out.insert(out.end(), c.id.begin(), c.id.begin() + 4);
        recbits::AppendU32(out, c.size_override >= 0 ? uint32_t(c.size_override) : uint32_t(c.body.size()));
        out.insert(out.end(), c.body.begin(), c.body.end());
        if (c.body.size() & 1) out.push_back(0);
    }
    uint32_t riff = uint32_t(int64_t(out.size()) - 8 + riff_size_delta);
    testbytes::PutU32(out, 4, riff);
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
