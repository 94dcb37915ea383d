// Synthesis of the effects. Times are in seconds; every random choice comes from
// a generator seeded per effect, so each effect is the same on every run.
#include "tools/artwork/sound/effects.h"

#include <cmath>

#include "tools/artwork/sound/dsp.h"
#include "tools/artwork/sound/sound_catalog.h"

namespace artsound {
namespace {

constexpr double kDt = 1.0 / kSampleRate;

// A bubble: a sine whose pitch rises as it nears the surface, struck and decaying.
struct Bubble {
    double start;   // seconds
    double freq;    // Hz at its birth
    double rise;    // fraction the pitch has risen by after one time constant
    double tau;     // decay time constant, seconds
    double amp;
    double pan;
};

void addBubble(StereoBuffer& b, const Bubble& bub) {
    const int32_t first = int32_t(std::ceil(bub.start * kSampleRate));
    // Six time constants take it below -50 dB; the last two fade it to nothing,
    // so the end of a bubble is not a tiny click of its own.
    const double life = bub.tau * 6;
    const int32_t last = first + int32_t(life * kSampleRate);
    double phase = 0;
    for (int32_t i = first; i < last && i < frameCount(b); ++i) {
        double t = (i - first) * kDt;
        // Capped well below the Nyquist limit so a long chirp never folds back.
        double f = std::fmin(bub.freq * (1.0 + bub.rise * t / bub.tau), 0.4 * kSampleRate);
        phase += 2 * M_PI * f * kDt;
        double env = strikeEnvelope(t, 0.0015, bub.tau) * (1.0 - smoothRise(t - 4 * bub.tau, 2 * bub.tau));
        addPanned(b, i, std::sin(phase) * env * bub.amp, bub.pan);
    }
}

StereoBuffer finished(StereoBuffer b, double fadeInSeconds, double fadeOutSeconds, double peak) {
    fadeEnds(b, int32_t(fadeInSeconds * kSampleRate), int32_t(fadeOutSeconds * kSampleRate));
    normalisePeak(b, peak);
    return b;
}

}  // namespace

StereoBuffer makeButtonPop() {
    StereoBuffer b = makeSilence(intendedFrames("button.wav"));
    // A sine that drops quickly in pitch reads as a round "pok" rather than a
    // beep; a faint octave gives it a little body, a low thump a little weight.
    double phase = 0;
    for (int32_t i = 0; i < frameCount(b); ++i) {
        double t = i * kDt;
        double f = 520.0 + 640.0 * std::exp(-t / 0.011);
        phase += 2 * M_PI * f * kDt;
        double s = std::sin(phase) * strikeEnvelope(t, 0.002, 0.030) +
                   0.16 * std::sin(2 * phase) * strikeEnvelope(t, 0.002, 0.012) +
                   0.30 * std::sin(2 * M_PI * 165.0 * t) * strikeEnvelope(t, 0.003, 0.022);
        addPanned(b, i, s, 0.0);
    }
    return finished(b, 0.002, 0.010, 0.5);
}

StereoBuffer makeGlassSplash() {
    StereoBuffer b = makeSilence(intendedFrames("stakan.wav"));
    Rng rng = makeRng(0x57a4a2u);

    // The splash: independent noise on each side through a band pass that falls
    // from a bright slap to a duller swirl, then a smaller second swish.
    Biquad bandL = bandPass(2600, 0.9, kSampleRate), bandR = bandL;
    Biquad lowL = lowPass(6000, 0.7, kSampleRate), lowR = lowL;
    for (int32_t i = 0; i < frameCount(b); ++i) {
        double t = i * kDt;
        if (i % 16 == 0) {
            Biquad tuned = bandPass(650 + 2100 * std::exp(-t / 0.11), 0.9, kSampleRate);
            retune(bandL, tuned);
            retune(bandR, tuned);
        }
        double env = strikeEnvelope(t, 0.006, 0.070) + 0.40 * strikeEnvelope(t - 0.14, 0.030, 0.080);
        double l = filterSample(lowL, filterSample(bandL, whiteNoise(rng)));
        double r = filterSample(lowR, filterSample(bandR, whiteNoise(rng)));
        b.left[size_t(i)] += float(l * env * 0.9);
        b.right[size_t(i)] += float(r * env * 0.9);
    }

    // Droplets: tiny bright bubbles in the spray.
    for (int k = 0; k < 18; ++k) {
        Bubble d;
        d.start = uniformIn(rng, 0.01, 0.28);
        d.freq = uniformIn(rng, 1800, 3600);
        d.rise = uniformIn(rng, 0.08, 0.2);
        d.tau = uniformIn(rng, 0.003, 0.007);
        d.amp = uniformIn(rng, 0.08, 0.18) * (1.0 - d.start * 2.0);
        d.pan = uniformIn(rng, -0.7, 0.7);
        addBubble(b, d);
    }
    // Bubbles rising from the brush, fewer and softer as the water settles.
    double start = 0.09;
    for (int k = 0; k < 12 && start < 0.72; ++k) {
        Bubble bub;
        bub.start = start;
        bub.freq = uniformIn(rng, 480, 1250);
        bub.rise = uniformIn(rng, 0.15, 0.3);
        bub.tau = uniformIn(rng, 0.014, 0.028);
        bub.amp = uniformIn(rng, 0.35, 0.55) * std::exp(-start / 0.45);
        bub.pan = uniformIn(rng, -0.5, 0.5);
        addBubble(b, bub);
        start += uniformIn(rng, 0.025, 0.075);
    }
    return finished(b, 0.003, 0.080, 0.5);
}

StereoBuffer makePaintSquelch() {
    StereoBuffer b = makeSilence(intendedFrames("palitra.wav"));
    Rng rng = makeRng(0xba1e77eu);

    // Soft noise through a narrow resonance that sweeps up as the brush presses
    // into the paint and back down as it lifts away: the vowel-like "squish" of
    // something wet. The press is the louder half, the lift a smaller suck.
    Biquad soft = lowPass(2000, 0.7, kSampleRate);
    Biquad vowel = bandPass(250, 6.0, kSampleRate);
    for (int32_t i = 0; i < frameCount(b); ++i) {
        double t = i * kDt;
        if (i % 16 == 0) {
            double centre = t < 0.15 ? 250 + 1050 * smoothRise(t, 0.15)
                                     : 1300 - 900 * smoothRise(t - 0.15, 0.20);
            retune(vowel, bandPass(centre, 6.0, kSampleRate));
        }
        double env = smoothRise(t, 0.030) * std::exp(-std::fmax(0.0, t - 0.030) / 0.09) +
                     0.6 * strikeEnvelope(t - 0.17, 0.030, 0.07);
        double s = filterSample(vowel, filterSample(soft, whiteNoise(rng))) * env * 3.0;
        addPanned(b, i, s, 0.0);
    }
    // Air breaking through the paint: a gurgle of small low blops over the whole
    // squelch, and two bigger ones as the brush lets go.
    for (int k = 0; k < 14; ++k) {
        Bubble blop;
        blop.start = uniformIn(rng, 0.02, 0.32);
        blop.freq = uniformIn(rng, 220, 650);
        blop.rise = uniformIn(rng, 0.15, 0.35);
        blop.tau = uniformIn(rng, 0.006, 0.012);
        blop.amp = uniformIn(rng, 0.10, 0.22);
        blop.pan = uniformIn(rng, -0.3, 0.3);
        addBubble(b, blop);
    }
    addBubble(b, {0.16, 300, 0.3, 0.022, 0.45, -0.15});
    addBubble(b, {0.30, 380, 0.3, 0.018, 0.30, 0.20});
    return finished(b, 0.003, 0.040, 0.5);
}

StereoBuffer makeBrushDab() {
    StereoBuffer b = makeSilence(intendedFrames("scena.wav"));
    Rng rng = makeRng(0xdab5u);

    // Bristles on paper: a short, soft "fsh" of bright noise, roughened by a slow
    // random flutter as the hairs catch, over a gentle thump of the touch.
    Biquad hiL = highPass(900, 0.7, kSampleRate), hiR = hiL;
    Biquad bandL = bandPass(2600, 0.7, kSampleRate), bandR = bandL;
    Biquad dullL = lowPass(5500, 0.7, kSampleRate), dullR = dullL;
    Biquad flutter = lowPass(90, 0.7, kSampleRate);
    for (int32_t i = 0; i < frameCount(b); ++i) {
        double t = i * kDt;
        double grain = 0.55 + 6.0 * std::fabs(filterSample(flutter, whiteNoise(rng)));
        double env = smoothRise(t, 0.014) * std::exp(-std::fmax(0.0, t - 0.014) / 0.045) * grain;
        double l = filterSample(dullL, filterSample(bandL, filterSample(hiL, whiteNoise(rng))));
        double r = filterSample(dullR, filterSample(bandR, filterSample(hiR, whiteNoise(rng))));
        double thump = 0.45 * std::sin(2 * M_PI * 140.0 * t) * strikeEnvelope(t, 0.004, 0.020);
        b.left[size_t(i)] += float(l * env + thump);
        b.right[size_t(i)] += float(r * env + thump);
    }
    return finished(b, 0.003, 0.030, 0.45);
}

StereoBuffer makeJarClink() {
    StereoBuffer b = makeSilence(intendedFrames("banka.wav"));
    Rng rng = makeRng(0xc11c4u);

    // A glass jar rings at a few inharmonic modes; each is doubled by a partner a
    // few hertz away, which makes the slow shimmer of real glass. The lid taps
    // twice, the second time lighter.
    struct Mode {
        double freq, amp, tau;
    };
    const Mode modes[] = {
        {1975, 1.00, 0.22}, {1979, 0.45, 0.20},  // the main ring
        {3240, 0.22, 0.07},
        {4585, 0.42, 0.11}, {4592, 0.18, 0.10},
        {6120, 0.12, 0.05},
        {8390, 0.16, 0.045},
    };
    struct Tap {
        double start, strength;
    };
    const Tap taps[] = {{0.0, 1.0}, {0.085, 0.32}};
    Biquad tickFilter = highPass(3000, 0.7, kSampleRate);
    for (int32_t i = 0; i < frameCount(b); ++i) {
        double t = i * kDt;
        double s = 0;
        for (const Tap& tap : taps) {
            double local = t - tap.start;
            if (local <= 0) continue;
            for (const Mode& m : modes)
                s += tap.strength * m.amp * std::sin(2 * M_PI * m.freq * local) *
                     strikeEnvelope(local, 0.001, m.tau);
        }
        // The contact itself: a very short bright tick.
        double tick = filterSample(tickFilter, whiteNoise(rng)) * strikeEnvelope(t, 0.0003, 0.0025) * 0.5;
        addPanned(b, i, s * 0.5 + tick, 0.1);
    }
    return finished(b, 0.002, 0.200, 0.4);
}

StereoBuffer makeSoftNo() {
    StereoBuffer b = makeSilence(intendedFrames("netu.wav"));
    // Two round, hummed notes a minor third apart, the second lower and longer:
    // the gentle "uh-oh" of something that did not work, far from the button's
    // bright pop and never a buzzer. Each note sags a little in pitch as it
    // fades, with a soft octave below for warmth.
    struct Note {
        double start, freq, tau;
        double amp;
    };
    const Note notes[] = {{0.0, 392.0, 0.070, 0.8}, {0.17, 329.6, 0.110, 1.0}};
    for (const Note& note : notes) {
        double phase = 0;
        for (int32_t i = int32_t(note.start * kSampleRate); i < frameCount(b); ++i) {
            double t = i * kDt - note.start;
            double f = note.freq * (1.0 - 0.03 * smoothRise(t, 0.12));
            phase += 2 * M_PI * f * kDt;
            double env = strikeEnvelope(t, 0.012, note.tau);
            double s = std::sin(phase) * env + 0.25 * std::sin(0.5 * phase) * env +
                       0.08 * std::sin(2 * phase) * strikeEnvelope(t, 0.006, 0.3 * note.tau);
            addPanned(b, i, s * note.amp, 0.0);
        }
    }
    return finished(b, 0.004, 0.060, 0.45);
}

StereoBuffer makeFocusTick() {
    StereoBuffer b = makeSilence(intendedFrames("tick.wav"));
    // A soft wooden tick: a short, high knock that falls a little in pitch,
    // with a breath of its octave below. Heard at every focus move, so it is
    // brief and well under the button's pop.
    double phase = 0;
    for (int32_t i = 0; i < frameCount(b); ++i) {
        double t = i * kDt;
        double f = 1250.0 + 350.0 * std::exp(-t / 0.004);
        phase += 2 * M_PI * f * kDt;
        double s = std::sin(phase) * strikeEnvelope(t, 0.0015, 0.009) +
                   0.3 * std::sin(0.5 * phase) * strikeEnvelope(t, 0.002, 0.012);
        addPanned(b, i, s, 0.0);
    }
    return finished(b, 0.001, 0.012, 0.25);
}

}  // namespace artsound
