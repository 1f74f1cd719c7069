#include "tools/datakit/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

#include "game/system/sounddriver.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/synth.h"

namespace datakit {
namespace {

float Env(double t, double attack, double hold, double release) {
    if (t < 0) return 0.0f;
    if (t < attack) return float(0.5 - 0.5 * std::cos(kPi * t / attack));
    t -= attack;
    if (t < hold) return 1.0f;
    t -= hold;
    if (t < release) return float(0.5 + 0.5 * std::cos(kPi * t / release));
    return 0.0f;
}

// ---- Ball contacts -------------------------------------------------------------

// A short burst of filtered noise (the leather's crack) over a falling sine
// (the body of the ball and the boot, head or glove).
struct Impact {
    double click_freq;
    double click_q;
    double click_tau;
    float click_gain;
    double body_from;
    double body_to;
    double body_tau;
    float body_gain;
    double length;
};

Signal MakeImpact(const Impact& p) {
    Signal s(Samples(p.length));
    Biquad click = Biquad::BandPass(p.click_freq, p.click_q);
    Biquad air = Biquad::LowPass(350.0, 0.7);
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = Seconds(i);
        float c = click.Run(WhiteNoise()) * float(std::exp(-t / p.click_tau)) *
                  float(std::min(1.0, t / 0.0006)) * p.click_gain * 4.0f;
        double f = p.body_to + (p.body_from - p.body_to) * std::exp(-t / 0.02);
        phase += 2.0 * kPi * f / double(kSynthRate);
        float b =
            float(std::sin(phase) * std::exp(-t / p.body_tau) * std::min(1.0, t / 0.0015)) * p.body_gain;
        float a = air.Run(WhiteNoise()) * float(std::exp(-t / 0.03)) * p.body_gain * 1.5f;
        s[i] = c + b + a;
    }
    AddSpace(s, 0.15f);
    Normalise(s, 0.9f);
    return s;
}

Signal Bounce() { return MakeImpact({900, 1.0, 0.004, 0.5f, 150, 95, 0.045, 1.0f, 0.3}); }
Signal Shot() { return MakeImpact({1800, 1.2, 0.006, 1.0f, 220, 110, 0.035, 0.8f, 0.32}); }
Signal LongStrike() { return MakeImpact({1500, 1.2, 0.005, 0.9f, 200, 120, 0.03, 0.7f, 0.28}); }
Signal ToePoke() { return MakeImpact({2200, 1.4, 0.003, 0.8f, 260, 160, 0.02, 0.5f, 0.2}); }
Signal LightKick() { return MakeImpact({1600, 1.2, 0.004, 0.8f, 240, 140, 0.025, 0.6f, 0.22}); }
Signal SideTap() { return MakeImpact({2000, 1.3, 0.0025, 0.7f, 280, 180, 0.015, 0.4f, 0.16}); }
Signal Header() { return MakeImpact({700, 0.9, 0.008, 0.6f, 170, 100, 0.04, 0.9f, 0.28}); }
Signal SoftTouch() { return MakeImpact({800, 1.0, 0.005, 0.4f, 140, 100, 0.03, 0.8f, 0.22}); }
Signal BallOnPlayer() { return MakeImpact({1100, 1.0, 0.005, 0.6f, 140, 90, 0.04, 0.9f, 0.26}); }

// Gloves: a broad slap and a little rustle of the ball settling.
Signal GloveSave(float slap) {
    Signal s = MakeImpact({1200, 0.7, 0.01, slap, 130, 90, 0.05, 0.8f, 0.32});
    Biquad rustle = Biquad::BandPass(3000, 0.8);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = Seconds(i);
        s[i] += rustle.Run(WhiteNoise()) * float(std::exp(-t / 0.06)) * 0.15f;
    }
    Normalise(s, 0.9f);
    return s;
}

// A player going down: a heavy thud and the scuff of the turf.
Signal Tackle() {
    Signal s(Samples(0.5));
    Biquad thud = Biquad::LowPass(400, 0.8);
    Biquad scuff = Biquad::HighPass(3000, 0.7);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = Seconds(i);
        double f = 55 + 35 * std::exp(-t / 0.03);
        phase += 2 * kPi * f / kSynthRate;
        s[i] = thud.Run(WhiteNoise()) * float(std::exp(-t / 0.04)) * 3.0f +
               float(std::sin(phase) * std::exp(-t / 0.08)) +
               scuff.Run(WhiteNoise()) * Env(t - 0.01, 0.03, 0.05, 0.25) * 0.2f;
    }
    AddSpace(s, 0.1f);
    Normalise(s, 0.9f);
    return s;
}

// The ball into the wall: two quick thumps on bodies.
Signal Wall() {
    Signal s(Samples(0.34));
    MixAt(s, MakeImpact({900, 1.0, 0.006, 0.7f, 150, 90, 0.05, 1.0f, 0.3}), 0);
    MixAt(s, MakeImpact({800, 1.0, 0.005, 0.5f, 140, 85, 0.04, 0.8f, 0.3}), Samples(0.028), 0.5f);
    Normalise(s, 0.9f);
    return s;
}

// ---- Woodwork -------------------------------------------------------------------

struct Partial {
    double freq;
    double tau;
    float gain;
};

// The hit and the ring of a metal tube: a few inharmonic partials, each
// doubled with a slight detune so that it beats as it dies away.
Signal MakeRing(std::span<const Partial> partials, double length) {
    Signal s(Samples(length));
    MixAt(s, MakeImpact({1400, 1.0, 0.004, 1.0f, 200, 120, 0.03, 0.6f, 0.3}), 0, 0.8f);
    for (const Partial& p : partials) {
        double phase1 = Uniform() * 2 * kPi, phase2 = Uniform() * 2 * kPi;
        for (size_t i = 0; i < s.size(); ++i) {
            double t = Seconds(i);
            double d = std::exp(-t / p.tau) * std::min(1.0, t / 0.001);
            s[i] += float((std::sin(2 * kPi * p.freq * t + phase1) +
                           0.5 * std::sin(2 * kPi * p.freq * 1.0031 * t + phase2)) *
                          d) *
                    p.gain * 0.6f;
        }
    }
    AddSpace(s, 0.3f);
    Normalise(s, 0.9f);
    return s;
}

Signal Post() {
    static constexpr Partial kPost[] = {
        {620, 0.9, 1.0f}, {1710, 0.6, 0.6f}, {2930, 0.45, 0.45f}, {4380, 0.3, 0.3f}, {6120, 0.2, 0.2f}};
    return MakeRing(kPost, 1.4);
}

Signal Crossbar() {
    static constexpr Partial kBar[] = {
        {480, 1.1, 1.0f}, {1320, 0.75, 0.65f}, {2590, 0.5, 0.4f}, {3950, 0.35, 0.25f}, {5600, 0.2, 0.15f}};
    return MakeRing(kBar, 1.6);
}

// The ball in the net: a soft thump, a swish and the crackle of the mesh.
Signal Net() {
    Signal s(Samples(0.9));
    MixAt(s, MakeImpact({700, 0.8, 0.006, 0.3f, 120, 80, 0.05, 0.6f, 0.3}), 0, 0.5f);
    Biquad swish = Biquad::BandPass(3000, 0.6);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = Seconds(i);
        s[i] += swish.Run(WhiteNoise()) * Env(t, 0.02, 0.05, 0.5) * 0.8f;
    }
    for (int g = 0; g < 180; ++g) {
        float u = Uniform();
        double start = 0.02 + double(u * u) * 0.7;
        size_t len = Samples(0.004 + Uniform() * 0.011);
        Biquad hp = Biquad::HighPass(2500, 0.7);
        Signal grain(len);
        for (size_t i = 0; i < len; ++i) {
            double w = 0.5 - 0.5 * std::cos(2 * kPi * double(i) / double(len));
            grain[i] = hp.Run(WhiteNoise()) * float(w);
        }
        MixAt(s, grain, Samples(start), float(std::exp(-start / 0.3)) * 1.2f);
    }
    AddSpace(s, 0.2f);
    Normalise(s, 0.85f);
    return s;
}

// ---- Whistles -------------------------------------------------------------------

struct Blast {
    double start;
    double length;
};

// A pea whistle: a tone near 3 kHz with two quieter harmonics, warbled
// in pitch and loudness by the pea, with breath noise around it.
Signal MakeWhistle(std::span<const Blast> blasts, double f0, double total) {
    Signal s(Samples(total));
    for (const Blast& b : blasts) {
        double pea = 26.0 + Uniform() * 4.0;
        double phase = 0, pea_phase = Uniform() * 2 * kPi;
        Biquad breath = Biquad::BandPass(f0, 3.0);
        Biquad hiss = Biquad::HighPass(4000, 0.7);
        size_t from = Samples(b.start), to = std::min(s.size(), Samples(b.start + b.length + 0.06));
        for (size_t i = from; i < to; ++i) {
            double t = Seconds(i - from);
            float env = Env(t, 0.012, b.length - 0.012, 0.05);
            double trill = std::sin(2 * kPi * pea * t + pea_phase);
            double f = f0 * (1.0 + 0.03 * trill - 0.06 * std::exp(-t / 0.02));
            phase += 2 * kPi * f / kSynthRate;
            double tone = std::sin(phase) + 0.22 * std::sin(2 * phase) + 0.07 * std::sin(3 * phase);
            double am = 1.0 - 0.3 * (0.5 + 0.5 * std::sin(2 * kPi * pea * t + pea_phase + 1.3));
            float air = breath.Run(WhiteNoise()) * 1.2f + hiss.Run(WhiteNoise()) * 0.05f;
            s[i] += env * (float(tone * am) + air);
        }
    }
    AddSpace(s, 0.35f);
    Normalise(s, 0.85f);
    return s;
}

Signal ShortWhistle() {
    static constexpr Blast kBlasts[] = {{0.0, 0.28}};
    return MakeWhistle(kBlasts, 3150, 0.6);
}
Signal LongWhistle() {
    static constexpr Blast kBlasts[] = {{0.0, 1.1}};
    return MakeWhistle(kBlasts, 3100, 1.45);
}
// Full time: two short blasts and a long one.
Signal FinalWhistle() {
    static constexpr Blast kBlasts[] = {{0.0, 0.3}, {0.45, 0.3}, {0.9, 1.25}};
    return MakeWhistle(kBlasts, 3150, 2.5);
}
// Two quick pips from the touchline.
Signal Pips() {
    static constexpr Blast kBlasts[] = {{0.0, 0.07}, {0.13, 0.07}};
    return MakeWhistle(kBlasts, 2900, 0.4);
}

// ---- Crowd ----------------------------------------------------------------------

// Many people talking: noise through two wandering formant filters per
// talker, chopped into syllables, over a soft bed of distant noise.
// Slow controls move every kControlStride samples (under a millisecond).
constexpr int kControlStride = 16;

Signal CrowdBed(double seconds, int talkers, float excitement) {
    Signal s(Samples(seconds));
    for (int k = 0; k < talkers; ++k) {
        Wander f1(1.0 + Uniform() * 2.0, 300, 850, kControlStride * 2);
        Wander f2(1.0 + Uniform() * 2.0, 900, 2300, kControlStride * 2);
        Wander syllable(3.0 + Uniform() * 3.0 + excitement * 3.0, 0.0f, 1.0f, kControlStride);
        float level = 0.5f + Uniform() * 0.5f;
        Biquad b1, b2;
        float a = 0.0f;
        for (size_t i = 0; i < s.size(); ++i) {
            if (i % (kControlStride * 2) == 0) {
                b1.SetBandPass(f1.Next() * (1.0f + excitement * 0.3f), 4.0);
                b2.SetBandPass(f2.Next() * (1.0f + excitement * 0.2f), 5.0);
            }
            if (i % kControlStride == 0) a = std::max(0.0f, syllable.Next() * 1.6f - 0.6f);
            float x = WhiteNoise();
            s[i] += (b1.Run(x) + b2.Run(x) * 0.6f) * a * a * level;
        }
    }
    Biquad low = Biquad::HighPass(180, 0.7), high = Biquad::LowPass(2800 + excitement * 1500, 0.7);
    float floor = 0.08f + excitement * 0.15f;
    for (float& v : s) v += high.Run(low.Run(WhiteNoise())) * floor * float(std::sqrt(talkers));
    // Heard from the pitch, across the stands: the top end is softened.
    Biquad distance = Biquad::LowPass(3200 + excitement * 1200, 0.7);
    for (float& v : s) v = distance.Run(v);
    return s;
}

struct Vowel {
    double f1, f2, f3;
};
constexpr Vowel kOo = {350, 750, 2400};
constexpr Vowel kOh = {480, 880, 2500};
constexpr Vowel kAh = {780, 1250, 2600};
constexpr Vowel kEh = {560, 1750, 2550};

// Polyphase-free saw with its jumps smoothed (so high voices do not alias).
float SmoothSaw(double& phase, double step) {
    phase += step;
    if (phase >= 1.0) phase -= 1.0;
    double v = 2.0 * phase - 1.0;
    if (phase < step) {
        double t = phase / step;
        v -= t + t - t * t - 1.0;
    } else if (phase > 1.0 - step) {
        double t = (phase - 1.0) / step;
        v -= t * t + t + t + 1.0;
    }
    return float(v);
}

// Many voices singing or shouting one vowel: detuned saws gliding by the
// given ratio over the sound, through three formant filters that move
// from one vowel to another, with breath mixed in.
Signal Voices(double seconds, int count, double pitch_lo, double pitch_hi, double glide, Vowel from, Vowel to,
              float breathiness) {
    Signal src(Samples(seconds));
    for (int v = 0; v < count; ++v) {
        double pitch = pitch_lo + (pitch_hi - pitch_lo) * Uniform();
        double onset = Uniform() * 0.15;
        Wander jitter(4.0 + Uniform() * 3.0, -0.015f, 0.015f, kControlStride);
        double vib_rate = 4.5 + Uniform() * 1.5, vib_phase = Uniform() * 2 * kPi;
        double phase = Uniform();
        float level = 0.6f + Uniform() * 0.4f;
        double step = 0.0;
        for (size_t i = Samples(onset); i < src.size(); ++i) {
            if (i % kControlStride == 0 || step == 0.0) {
                double t = Seconds(i);
                double p = pitch * std::pow(glide, t / seconds) *
                           (1.0 + jitter.Next() + 0.01 * std::sin(2 * kPi * vib_rate * t + vib_phase));
                step = p / kSynthRate;
            }
            src[i] += SmoothSaw(phase, step) * level;
        }
    }
    Signal out(src.size());
    Biquad b1, b2, b3;
    for (size_t i = 0; i < src.size(); ++i) {
        if (i % 32 == 0) {
            double m = double(i) / double(src.size());
            b1.SetBandPass(from.f1 + (to.f1 - from.f1) * m, 5.0);
            b2.SetBandPass(from.f2 + (to.f2 - from.f2) * m, 7.0);
            b3.SetBandPass(from.f3 + (to.f3 - from.f3) * m, 9.0);
        }
        float x = src[i] / float(std::sqrt(count)) + WhiteNoise() * breathiness;
        out[i] = b1.Run(x) + b2.Run(x) * 0.5f + b3.Run(x) * 0.25f;
    }
    return out;
}

void Shape(Signal& s, double attack, double hold, double release, double delay = 0.0) {
    for (size_t i = 0; i < s.size(); ++i) s[i] *= Env(Seconds(i) - delay, attack, hold, release);
}

// Hands clapping: short bursts of band-passed noise at random times, as
// dense as the envelope says.
Signal Applause(double seconds, double claps_per_second, double attack, double hold, double release) {
    Signal s(Samples(seconds));
    int claps = int(claps_per_second * seconds);
    for (int c = 0; c < claps; ++c) {
        double t = Uniform() * seconds;
        if (Uniform() > Env(t, attack, hold, release)) continue;
        Biquad tone = Biquad::BandPass(1000 + Uniform() * 1500, 1.5);
        Signal clap(Samples(0.03));
        for (size_t i = 0; i < clap.size(); ++i) {
            clap[i] = tone.Run(WhiteNoise()) * float(std::exp(-Seconds(i) / 0.006));
        }
        MixAt(s, clap, Samples(t), 0.6f + Uniform() * 0.4f);
    }
    return s;
}

Signal Mix(std::initializer_list<std::pair<const Signal*, float>> parts, double seconds) {
    Signal s(Samples(seconds));
    for (const auto& [part, gain] : parts) MixAt(s, *part, 0, gain);
    return s;
}

Signal Finish(Signal s, float space, float peak) {
    AddSpace(s, space);
    Normalise(s, peak);
    return s;
}

// Murmur loops: the crowd between the big moments.
Signal MurmurLoop(double seconds, int talkers, float excitement, float peak) {
    constexpr double kFade = 0.3;
    Signal bed = CrowdBed(seconds + kFade, talkers, excitement);
    AddSpace(bed, 0.3f);
    Signal loop = MakeLoop(bed, Samples(kFade));
    Normalise(loop, peak);
    return loop;
}

// "Ooh" at a near miss, "aah" at a bigger one.
Signal NearMiss(Vowel from, Vowel to, double glide) {
    constexpr double kLen = 2.2;
    Signal bed = CrowdBed(kLen, 16, 0.5f);
    Shape(bed, 0.2, 0.4, 1.4);
    Signal voices = Voices(kLen, 40, 150, 360, glide, from, to, 0.25f);
    Shape(voices, 0.3, 0.35, 1.3);
    return Finish(Mix({{&bed, 0.6f}, {&voices, 1.0f}}, kLen), 0.4f, 0.9f);
}

Signal GoalRoar(double pitch_rise, Vowel vowel) {
    constexpr double kLen = 4.0;
    Signal bed = CrowdBed(kLen, 28, 1.0f);
    Shape(bed, 0.15, 2.3, 1.4);
    Signal voices = Voices(kLen, 60, 180, 420, pitch_rise, vowel, kAh, 0.45f);
    Shape(voices, 0.2, 2.2, 1.5);
    Signal hands = Applause(kLen, 900, 0.4, 2.0, 1.5);
    return Finish(Mix({{&bed, 0.7f}, {&voices, 1.0f}, {&hands, 0.35f}}, kLen), 0.4f, 0.95f);
}

Signal Cheer(double seconds, double claps) {
    Signal voices = Voices(seconds, 40, 200, 450, 1.1, kEh, kAh, 0.4f);
    Shape(voices, 0.15, seconds * 0.35, seconds * 0.55);
    Signal hands = Applause(seconds, claps, 0.1, seconds * 0.4, seconds * 0.5);
    Signal bed = CrowdBed(seconds, 12, 0.7f);
    Shape(bed, 0.1, seconds * 0.4, seconds * 0.5);
    return Finish(Mix({{&voices, 0.8f}, {&hands, 0.7f}, {&bed, 0.5f}}, seconds), 0.35f, 0.9f);
}

Signal ApplauseOnly(double seconds) {
    Signal hands = Applause(seconds, 700, 0.15, seconds * 0.45, seconds * 0.5);
    Signal bed = CrowdBed(seconds, 8, 0.4f);
    Shape(bed, 0.2, seconds * 0.3, seconds * 0.6);
    return Finish(Mix({{&hands, 1.0f}, {&bed, 0.35f}}, seconds), 0.3f, 0.85f);
}

Signal Approval() {
    constexpr double kLen = 1.6;
    Signal voices = Voices(kLen, 30, 170, 330, 1.05, kAh, kAh, 0.3f);
    Shape(voices, 0.15, 0.3, 1.0);
    Signal bed = CrowdBed(kLen, 10, 0.5f);
    Shape(bed, 0.1, 0.4, 1.0);
    return Finish(Mix({{&voices, 1.0f}, {&bed, 0.5f}}, kLen), 0.3f, 0.85f);
}

Signal Groan() {
    constexpr double kLen = 2.4;
    Signal voices = Voices(kLen, 50, 150, 300, 0.7, kOh, kOo, 0.3f);
    Shape(voices, 0.15, 0.45, 1.6);
    Signal bed = CrowdBed(kLen, 16, 0.4f);
    Shape(bed, 0.1, 0.5, 1.6);
    return Finish(Mix({{&voices, 1.0f}, {&bed, 0.5f}}, kLen), 0.4f, 0.9f);
}

// Whistling and booing at the other side.
Signal Jeer() {
    constexpr double kLen = 2.6;
    Signal s(Samples(kLen));
    for (int w = 0; w < 25; ++w) {
        double start = Uniform() * 1.2, length = 0.4 + Uniform() * 1.0;
        double f = 1800 + Uniform() * 1400, glide = 0.85 + Uniform() * 0.3;
        Signal tone(Samples(length));
        double phase = 0;
        for (size_t i = 0; i < tone.size(); ++i) {
            double t = Seconds(i);
            phase += 2 * kPi * f * std::pow(glide, t / length) / kSynthRate;
            tone[i] = float(std::sin(phase)) * Env(t, 0.05, length - 0.15, 0.1);
        }
        MixAt(s, tone, Samples(start), 0.15f);
    }
    Signal boo = Voices(kLen, 40, 100, 180, 0.95, kOo, kOo, 0.2f);
    Shape(boo, 0.3, 1.2, 1.0);
    MixAt(s, boo, 0, 1.0f);
    return Finish(std::move(s), 0.4f, 0.9f);
}

struct Note {
    double beat;
    double beats;
    double pitch;
    Vowel vowel;
    bool clap;
};

// A chant: the crowd singing a rhythm together, with claps on the notes.
Signal Chant(std::span<const Note> notes, double bars, double tempo, double seconds) {
    Signal s(Samples(seconds));
    double beat = 60.0 / tempo;
    for (int bar = 0; bar < int(bars); ++bar) {
        for (const Note& n : notes) {
            double start = (bar * 4 + n.beat) * beat;
            double length = n.beats * beat * 0.9;
            if (n.clap) MixAt(s, Applause(0.06, 600, 0.001, 0.04, 0.02), Samples(start), 1.2f);
            if (n.pitch <= 0) continue;  // a clap only
            Signal sung =
                Voices(length + 0.1, 30, n.pitch * 0.98, n.pitch * 1.02, 0.98, n.vowel, n.vowel, 0.35f);
            Shape(sung, 0.03, length * 0.6, length * 0.4 + 0.1);
            MixAt(s, sung, Samples(start), 1.0f);
        }
    }
    Signal bed = CrowdBed(seconds, 10, 0.5f);
    MixAt(s, bed, 0, 0.25f);
    Shape(s, 0.05, seconds - 0.6, 0.55);
    return Finish(std::move(s), 0.45f, 0.9f);
}

Signal ClapChant() {
    static constexpr Note kNotes[] = {{0, 1, 220, kAh, true},
                                      {1, 1, 220, kAh, true},
                                      {2, 0.5, 262, kEh, true},
                                      {2.5, 0.5, 262, kEh, true},
                                      {3, 1, 220, kAh, true}};
    return Chant(kNotes, 2, 130, 4.0);
}

Signal HeyChant() {
    static constexpr Note kNotes[] = {{0, 0.5, 0, kAh, true},
                                      {1, 0.5, 0, kAh, true},
                                      {2, 0.25, 0, kAh, true},
                                      {2.5, 0.25, 0, kAh, true},
                                      {3, 1, 247, kEh, false}};
    return Chant(kNotes, 2, 120, 4.2);
}

Signal SungChant() {
    static constexpr Note kNotes[] = {{0, 1.5, 196, kOh, false},
                                      {1.5, 0.5, 220, kEh, false},
                                      {2, 1.5, 247, kOh, false},
                                      {3.5, 0.5, 220, kEh, false}};
    return Chant(kNotes, 2, 110, 4.6);
}

Signal Swell(Vowel vowel, double seconds) {
    Signal bed = CrowdBed(seconds, 24, 0.8f);
    Shape(bed, seconds * 0.45, seconds * 0.1, seconds * 0.45);
    Signal voices = Voices(seconds, 30, 160, 340, 1.2, kOo, vowel, 0.3f);
    Shape(voices, seconds * 0.5, 0.1, seconds * 0.4);
    return Finish(Mix({{&bed, 1.0f}, {&voices, 0.6f}}, seconds), 0.4f, 0.85f);
}

// The crowd before kick-off: a long murmur loop with a distant chant.
Signal PreMatchCrowd() {
    constexpr double kLen = 8.0, kFade = 0.4;
    Signal bed = CrowdBed(kLen + kFade, 30, 0.45f);
    Signal chant = SungChant();
    MixAt(bed, chant, Samples(2.0), 0.12f);
    Signal hands = Applause(kLen + kFade, 30, 0.5, kLen, 0.5);
    MixAt(bed, hands, 0, 0.3f);
    AddSpace(bed, 0.35f);
    Signal loop = MakeLoop(bed, Samples(kFade));
    Normalise(loop, 0.7f);
    return loop;
}

struct SoundSpec {
    Signal (*make)();
    bool loop;
};

// The match effects bank, sample by sample.
const SoundSpec kEffects[MATCH_SOUND_COUNT] = {
    {Bounce, false},                                          // 0 ball bounce
    {Shot, false},                                            // 1 shot at goal
    {LongStrike, false},                                      // 2 pass, cross, long strike
    {ToePoke, false},                                         // 3 toe poke
    {Post, false},                                            // 4 post
    {[] { return GloveSave(0.7f); }, false},                  // 5 keeper's catch
    {LightKick, false},                                       // 6 kick, knock, throw
    {Net, false},                                             // 7 net
    {SideTap, false},                                         // 8 quick side pass
    {Header, false},                                          // 9 header
    {[] { return GloveSave(1.0f); }, false},                  // 10 parry or punch
    {SoftTouch, false},                                       // 11 trap
    {Tackle, false},                                          // 12 player goes down
    {Wall, false},                                            // 13 wall
    {Crossbar, false},                                        // 14 crossbar
    {BallOnPlayer, false},                                    // 15 ball strikes a player
    {ShortWhistle, false},                                    // 16 whistle
    {LongWhistle, false},                                     // 17 long whistle
    {FinalWhistle, false},                                    // 18 end of a period
    {[] { return MurmurLoop(4.0, 24, 0.4f, 0.7f); }, true},   // 19 crowd murmur
    {[] { return MurmurLoop(4.0, 28, 0.6f, 0.75f); }, true},  // 20 livelier murmur
    {[] { return NearMiss(kOo, kOh, 0.9); }, false},          // 21 near miss "ooh"
    {[] { return NearMiss(kOh, kAh, 1.05); }, false},         // 22 bigger "aah"
    {[] { return NearMiss(kOo, kOo, 0.8); }, false},          // 23 falling "ooh"
    {[] { return GoalRoar(1.15, kAh); }, false},              // 24 goal roar
    {[] { return GoalRoar(1.1, kEh); }, false},               // 25 goal roar
    {[] { return GoalRoar(1.2, kOh); }, false},               // 26 goal roar
    {[] { return Cheer(3.0, 700); }, false},                  // 27 cheers
    {[] { return ApplauseOnly(3.0); }, false},                // 28 applause
    {[] { return ApplauseOnly(1.6); }, false},                // 29 applause for a save
    {Approval, false},                                        // 30 approving "aah"
    {[] { return Cheer(1.8, 500); }, false},                  // 31 short cheer
    {Groan, false},                                           // 32 groan
    {Pips, false},                                            // 33 touchline pips
    {[] { return MurmurLoop(4.0, 16, 0.2f, 0.6f); }, true},   // 34 quiet murmur
    {Jeer, false},                                            // 35 whistles and boos
    {ClapChant, false},                                       // 36 clap chant
    {HeyChant, false},                                        // 37 "hey" chant
    {[] { return Swell(kAh, 3.0); }, false},                  // 38 rising swell
    {[] { return Swell(kOh, 2.6); }, false},                  // 39 swell
    {[] { return ApplauseOnly(2.4); }, false},                // 40 applause
    {SungChant, false},                                       // 41 sung chant
};

std::vector<uint8_t> Encode(Signal s, bool loop) {
    // A one-shot ends on silence, never with a click.
    if (!loop) {
        size_t fade = std::min(s.size(), Samples(0.015));
        for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= float(i) / float(fade);
    }
    std::vector<uint8_t> pcm = ToPcm8(s);
    return BuildWav(pcm, kSynthRate, loop, loop ? SND_VELK_LOOP : 0);
}

}  // namespace

std::vector<uint8_t> MakeMatchSoundFile(int sample) {
    SeedNoise(0x5EED0000u + uint32_t(sample));
    if (sample == MATCH_SOUND_COUNT) return Encode(PreMatchCrowd(), true);
    if (sample < 0 || sample > MATCH_SOUND_COUNT) DatakitFail("no match sound %d", sample);
    const SoundSpec& sound = kEffects[sample];
    return Encode(sound.make(), sound.loop);
}

std::string MatchSoundPath(int sample) {
    if (sample == MATCH_SOUND_COUNT) return "sound\\precrowd\\packedc1.wav";
    char name[64];
    std::snprintf(name, sizeof name, "sound\\UZUsound\\%06d.wav", sample);
    return name;
}

void GenerateMatchSounds() {
    for (int sample = 0; sample <= MATCH_SOUND_COUNT; ++sample) {
        StagePakFileStored(MatchSoundPath(sample), MakeMatchSoundFile(sample));
    }
}

}  // namespace datakit
