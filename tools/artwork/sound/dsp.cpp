// Noise, filters and envelopes for the synthesised effects.
#include "tools/artwork/sound/dsp.h"

#include <cmath>

namespace artsound {

Rng makeRng(uint64_t seed) { return Rng{seed}; }

uint64_t nextBits(Rng& r) {
    uint64_t z = (r.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double uniform(Rng& r) { return double(nextBits(r) >> 11) * (1.0 / 9007199254740992.0); }

double uniformIn(Rng& r, double lo, double hi) { return lo + (hi - lo) * uniform(r); }

double whiteNoise(Rng& r) { return uniform(r) * 2.0 - 1.0; }

static Biquad normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad f;
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
    return f;
}

Biquad lowPass(double frequency, double q, int sampleRate) {
    double w = 2 * M_PI * frequency / sampleRate;
    double alpha = std::sin(w) / (2 * q);
    double c = std::cos(w);
    return normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad highPass(double frequency, double q, int sampleRate) {
    double w = 2 * M_PI * frequency / sampleRate;
    double alpha = std::sin(w) / (2 * q);
    double c = std::cos(w);
    return normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad bandPass(double frequency, double q, int sampleRate) {
    double w = 2 * M_PI * frequency / sampleRate;
    double alpha = std::sin(w) / (2 * q);
    double c = std::cos(w);
    return normalised(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

void retune(Biquad& f, const Biquad& coefficients) {
    f.b0 = coefficients.b0;
    f.b1 = coefficients.b1;
    f.b2 = coefficients.b2;
    f.a1 = coefficients.a1;
    f.a2 = coefficients.a2;
}

double filterSample(Biquad& f, double x) {
    double y = f.b0 * x + f.b1 * f.x1 + f.b2 * f.x2 - f.a1 * f.y1 - f.a2 * f.y2;
    f.x2 = f.x1;
    f.x1 = x;
    f.y2 = f.y1;
    f.y1 = y;
    return y;
}

double smoothRise(double t, double length) {
    if (t <= 0) return 0;
    if (t >= length) return 1;
    return 0.5 - 0.5 * std::cos(M_PI * t / length);
}

double strikeEnvelope(double t, double attack, double tau) {
    if (t <= 0) return 0;
    if (t < attack) return smoothRise(t, attack);
    return std::exp(-(t - attack) / tau);
}

}  // namespace artsound
