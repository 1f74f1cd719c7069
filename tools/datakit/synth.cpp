#include "tools/datakit/synth.h"

#include <algorithm>
#include <cmath>

#include "core/base/bytes.h"
#include "core/base/random.h"

namespace datakit {

namespace {
constexpr uint8_t kPadByte = 0x80;
}  // namespace

float WhiteNoise() { return float(GameRandom()) / 16383.5f - 1.0f; }
float Uniform() { return float(GameRandom()) / 32767.0f; }
void SeedNoise(uint32_t seed) { GameSeedRandom(seed); }

namespace {

struct Coefficients {
    double b0, b1, b2, a1, a2;
};

Coefficients Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

double Omega(double freq) {
    double f = std::clamp(freq, 10.0, double(kSynthRate) * 0.45);
    return 2.0 * kPi * f / double(kSynthRate);
}

}  // namespace

Biquad Biquad::LowPass(double freq, double q) {
    double w = Omega(freq), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    Coefficients k = Normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    Biquad b;
    b.b0_ = k.b0, b.b1_ = k.b1, b.b2_ = k.b2, b.a1_ = k.a1, b.a2_ = k.a2;
    return b;
}

Biquad Biquad::HighPass(double freq, double q) {
    double w = Omega(freq), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    Coefficients k = Normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    Biquad b;
    b.b0_ = k.b0, b.b1_ = k.b1, b.b2_ = k.b2, b.a1_ = k.a1, b.a2_ = k.a2;
    return b;
}

Biquad Biquad::BandPass(double freq, double q) {
    Biquad b;
    b.SetBandPass(freq, q);
    return b;
}

void Biquad::SetBandPass(double freq, double q) {
    double w = Omega(freq), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    Coefficients k = Normalised(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
    b0_ = k.b0, b1_ = k.b1, b2_ = k.b2, a1_ = k.a1, a2_ = k.a2;
}

float Biquad::Run(float x) {
    double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return float(y);
}

Wander::Wander(double rate_hz, float lo, float hi, int stride)
    : step_(rate_hz * stride / double(kSynthRate)), lo_(lo), hi_(hi) {
    from_ = to_ = lo + (hi - lo) * Uniform();
}

float Wander::Next() {
    phase_ += step_;
    if (phase_ >= 1.0) {
        phase_ -= 1.0;
        from_ = to_;
        to_ = lo_ + (hi_ - lo_) * Uniform();
    }
    double blend = 0.5 - 0.5 * std::cos(kPi * phase_);
    return float(from_ + (to_ - from_) * blend);
}

size_t Samples(double seconds) { return size_t(seconds * double(kSynthRate) + 0.5); }
double Seconds(size_t index) { return double(index) / double(kSynthRate); }

void MixAt(Signal& dst, const Signal& src, size_t at, float gain) {
    if (at >= dst.size()) return;
    size_t n = std::min(src.size(), dst.size() - at);
    for (size_t i = 0; i < n; ++i) dst[at + i] += src[i] * gain;
}

void AddSpace(Signal& s, float amount) {
    struct Echo {
        double delay;
        float gain;
    };
    static constexpr Echo kEchoes[] = {
        {0.043, 0.55f}, {0.087, 0.40f}, {0.131, 0.30f}, {0.197, 0.22f}, {0.263, 0.15f}};
    Signal dry = s;
    for (const Echo& e : kEchoes) {
        Biquad soften = Biquad::LowPass(2500.0, 0.7);
        size_t d = Samples(e.delay);
        for (size_t i = d; i < s.size(); ++i) s[i] += soften.Run(dry[i - d]) * e.gain * amount;
    }
}

void Normalise(Signal& s, float peak) {
    float largest = 0.0f;
    for (float v : s) largest = std::max(largest, std::fabs(v));
    if (largest <= 0.0f) return;
    float scale = peak / largest;
    for (float& v : s) v *= scale;
}

Signal MakeLoop(const Signal& s, size_t fade) {
    size_t length = s.size() - fade;
    Signal out(s.begin(), s.begin() + long(length));
    for (size_t i = 0; i < fade; ++i) {
        double t = double(i) / double(fade);
        float in = float(std::sin(0.5 * kPi * t)), outgoing = float(std::cos(0.5 * kPi * t));
        out[i] = s[i] * in + s[length + i] * outgoing;
    }
    return out;
}

std::vector<uint8_t> ToPcm8(const Signal& s) {
    std::vector<uint8_t> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        float dither = (Uniform() - Uniform()) * 0.5f;
        float v = std::round(std::clamp(s[i], -1.0f, 1.0f) * 127.0f + dither);
        pcm[i] = uint8_t(std::clamp(int(v) + 128, 0, 255));
    }
    return pcm;
}

std::vector<uint8_t> BuildWav(std::span<const uint8_t> pcm, uint32_t rate, bool with_velk,
                              uint32_t velk_word) {
    constexpr size_t kFmtChunk = 8 + 16, kVelkChunk = 8 + 16;
    const size_t padded = pcm.size() + (pcm.size() & 1);
    const size_t size = 12 + kFmtChunk + (with_velk ? kVelkChunk : 0) + 8 + padded;
    // Written in place into a buffer of the file's size: the chunk heads are
    // fixed, so no append needs to grow it.
    std::vector<uint8_t> w(size, 0);
    uint8_t* at = w.data();
    const auto tag = [&at](const char(&text)[5]) {
        std::copy_n(text, 4, at);
        at += 4;
    };
    const auto u32 = [&at](uint32_t value) {
        recbits::StoreU32(at, value);
        at += 4;
    };
    const auto u16 = [&at](uint16_t value) {
        recbits::StoreU16(at, value);
        at += 2;
    };
    tag("RIFF");
    u32(uint32_t(size - 8));
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate);  // bytes per second
    u16(1);     // block align
    u16(8);     // bits
    if (with_velk) {
        tag("vELk");
        u32(16);
        u32(velk_word);
        for (int i = 0; i < 3; ++i) u32(0);
    }
    tag("data");
    u32(uint32_t(pcm.size()));
    at = std::copy(pcm.begin(), pcm.end(), at);
    if (pcm.size() & 1) *at = kPadByte;
    return w;
}

}  // namespace datakit
