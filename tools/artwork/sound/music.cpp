// Music assembly: render, resample, wrap the tail round to the head, level.
#include "tools/artwork/sound/music.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/artwork/sound/fluid_render.h"
#include "tools/artwork/sound/lullaby.h"
#include "tools/artwork/sound/sound_catalog.h"

namespace artsound {

// The soundfont's samples are recorded at 44.1 kHz with bright overtones;
// rendering straight at 22050 Hz would fold those back as metallic whistles, so
// the synthesiser runs at twice the rate and the result is filtered down.
constexpr int kRenderRate = 2 * kSampleRate;
// How long the notes and the reverb are left to ring after the cycle's last bar.
constexpr int kTailBeats = 10;

static std::vector<double> decimationLowPass() {
    // Windowed sinc (Blackman), cut at 10 kHz of the 44.1 kHz input.
    const int taps = 95;
    const double cutoff = 10000.0 / kRenderRate;
    std::vector<double> h(taps);
    double sum = 0;
    for (int i = 0; i < taps; ++i) {
        double m = i - (taps - 1) / 2.0;
        double sinc = m == 0 ? 2 * cutoff : std::sin(2 * M_PI * cutoff * m) / (M_PI * m);
        double w = 0.42 - 0.5 * std::cos(2 * M_PI * i / (taps - 1)) + 0.08 * std::cos(4 * M_PI * i / (taps - 1));
        h[size_t(i)] = sinc * w;
        sum += h[size_t(i)];
    }
    for (double& v : h) v /= sum;
    return h;
}

// The filter is symmetric, so pairs of input samples share one multiply; the
// edges, where the filter hangs over the ends of the input, read zeros there.
static void halveChannel(const std::vector<float>& in, const std::vector<double>& h, std::vector<float>& out) {
    const int64_t n = int64_t(in.size());
    const int64_t half = int64_t(h.size() / 2);
    const float* x = in.data();
    for (size_t m = 0; m < out.size(); ++m) {
        const int64_t centre = int64_t(m) * 2;
        double acc = 0;
        if (centre - half >= 0 && centre + half < n) {
            acc = h[size_t(half)] * x[centre];
            for (int64_t k = 1; k <= half; ++k) acc += h[size_t(half - k)] * (double(x[centre - k]) + x[centre + k]);
        } else {
            for (int64_t k = -half; k <= half; ++k) {
                int64_t j = centre + k;
                if (j >= 0 && j < n) acc += h[size_t(half + k)] * x[j];
            }
        }
        out[m] = float(acc);
    }
}

StereoBuffer halveRate(const StereoBuffer& in) {
    const std::vector<double> h = decimationLowPass();
    StereoBuffer out = makeSilence((frameCount(in) + 1) / 2);
    halveChannel(in.left, h, out.left);
    halveChannel(in.right, h, out.right);
    return out;
}

// Lays what rang on past the cycle's end over its beginning, which is what a
// listener hears when the loop comes round: the music's end flows into its start
// and the seam has no step and no gap. The last stretch of the tail is faded so
// that cutting it off leaves no edge inside the head.
static void wrapTail(const StereoBuffer& rendered, int32_t cycle, int32_t tail, StereoBuffer& out) {
    out = makeSilence(cycle);
    const int32_t available = frameCount(rendered);
    for (int32_t i = 0; i < cycle && i < available; ++i) {
        out.left[size_t(i)] = rendered.left[size_t(i)];
        out.right[size_t(i)] = rendered.right[size_t(i)];
    }
    const int32_t fade = tail / 4;
    for (int32_t i = 0; i < tail && cycle + i < available; ++i) {
        double g = 1.0;
        if (i >= tail - fade) g = 0.5 + 0.5 * std::cos(M_PI * (i - (tail - fade)) / fade);
        out.left[size_t(i)] += float(rendered.left[size_t(cycle + i)] * g);
        out.right[size_t(i)] += float(rendered.right[size_t(cycle + i)] * g);
    }
}

bool makeMusic(StereoBuffer& out) {
    const std::string soundFont = findSoundFont();
    if (soundFont.empty()) {
        std::fprintf(stderr,
                     "art_sound: no General MIDI soundfont found (looked in /usr/share/sounds/sf3 and "
                     "/usr/share/sounds/sf2); install musescore-general-soundfont-small "
                     "(scripts/install-deps.sh does)\n");
        return false;
    }
    StereoBuffer rendered;
    if (!renderMidi(encodeMidiFile(composeLullaby(kTailBeats)), soundFont, kRenderRate, rendered)) return false;
    StereoBuffer atRate = halveRate(rendered);
    if (frameCount(atRate) < kMusicFrames) {
        std::fprintf(stderr, "art_sound: fluidsynth rendered %d frames, fewer than the %d of the music\n",
                     frameCount(atRate), kMusicFrames);
        return false;
    }
    wrapTail(atRate, kMusicFrames, kTailBeats * kMusicBeatFrames, out);
    normalisePeak(out, kMusicPeak);
    return true;
}

}  // namespace artsound
