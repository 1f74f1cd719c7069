// Small sound-synthesis kit for the data kit: noise, filters, envelopes,
// oscillators and the 8-bit WAVE writer.  Everything is deterministic: the
// noise comes from the game's generator, seeded by the caller.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/base/angles.h"

namespace datakit {

constexpr uint32_t kSynthRate = 22050;

using Signal = std::vector<float>;

// Uniform noise in -1..1 from the game's generator.
float WhiteNoise();
// Seeds the generator for one sound.
void SeedNoise(uint32_t seed);
// 0..1 from the generator.
float Uniform();

// A second-order filter section (the usual cookbook forms).
class Biquad {
  public:
    static Biquad LowPass(double freq, double q);
    static Biquad HighPass(double freq, double q);
    static Biquad BandPass(double freq, double q);  // peak gain 1
    void SetBandPass(double freq, double q);
    float Run(float x);

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

// A slowly wandering value: random targets at the given rate, joined by
// cosine steps.  Output in lo..hi; each Next moves on by stride samples.
class Wander {
  public:
    Wander(double rate_hz, float lo, float hi, int stride = 1);
    float Next();

  private:
    double step_;
    double phase_ = 1.0;
    float from_, to_, lo_, hi_;
};

size_t Samples(double seconds);
double Seconds(size_t index);

// Adds src into dst from the given sample index, scaled.
void MixAt(Signal& dst, const Signal& src, size_t at, float gain = 1.0f);
// Adds a few quiet, low-passed echoes: a large open space.
void AddSpace(Signal& s, float amount);
// Scales so the largest magnitude is peak.
void Normalise(Signal& s, float peak);
// Makes the end run on seamlessly into the start: the signal must be
// fade samples longer than wanted; the tail is blended into the head.
Signal MakeLoop(const Signal& s, size_t fade);

// 8-bit unsigned samples (0x80 silence), with a little dither.
std::vector<uint8_t> ToPcm8(const Signal& s);
// A RIFF WAVE file: "fmt " (PCM, mono, 8 bits), then "vELk" when a loop
// word is given, then "data".
std::vector<uint8_t> BuildWav(std::span<const uint8_t> pcm, uint32_t rate, bool with_velk,
                              uint32_t velk_word);

}  // namespace datakit
