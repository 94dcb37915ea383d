// Small signal-processing parts for the effects: a seeded noise source, the
// usual two-pole filters and envelope shapes. Everything is a pure function of
// its inputs, so the effects come out the same on every run.
#pragma once
#include <cstdint>

namespace artsound {

// SplitMix64: tiny, well distributed and fully determined by its seed.
struct Rng {
    uint64_t state = 0;
};

Rng makeRng(uint64_t seed);
uint64_t nextBits(Rng& r);
double uniform(Rng& r);                          // [0, 1)
double uniformIn(Rng& r, double lo, double hi);  // [lo, hi)
double whiteNoise(Rng& r);                       // [-1, 1)

// A biquad section (direct form I coefficients from the RBJ audio cookbook).
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

Biquad lowPass(double frequency, double q, int sampleRate);
Biquad highPass(double frequency, double q, int sampleRate);
// Band pass with 0 dB gain at its centre.
Biquad bandPass(double frequency, double q, int sampleRate);
// Moves the filter to new coefficients of the same kind, keeping its history, so
// a swept filter does not click.
void retune(Biquad& f, const Biquad& coefficients);
double filterSample(Biquad& f, double x);

// 0 at t <= 0, rising as a half cosine to 1 at t >= length.
double smoothRise(double t, double length);
// A strike: a short smooth rise, then exponential decay with time constant tau.
double strikeEnvelope(double t, double attack, double tau);

}  // namespace artsound
