// Stereo sample buffers in floating point, and their conversion into the 16-bit
// WAV files the program plays.
#pragma once
#include <cstdint>
#include <vector>

namespace artsound {

// Two channels of samples in [-1, 1] at the catalogue's rate.
struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;
};

StereoBuffer makeSilence(int32_t frames);
int32_t frameCount(const StereoBuffer& b);

// Adds a mono sample at frame i, spread over both channels; pan -1 is hard left,
// +1 hard right, with equal power across the middle. Frames outside are ignored.
void addPanned(StereoBuffer& b, int32_t i, double sample, double pan);

// Raised-cosine ramps from silence at the start and into silence at the end, so
// the first and last samples are exactly zero and nothing clicks when a sound
// starts or stops.
void fadeEnds(StereoBuffer& b, int32_t fadeInFrames, int32_t fadeOutFrames);

double peakOf(const StereoBuffer& b);
// Scales so the largest sample magnitude is `peak`; a silent buffer is left alone.
void normalisePeak(StereoBuffer& b, double peak);

// RIFF WAVE, PCM, 16-bit, stereo, little-endian. Samples are rounded to nearest
// and clamped, so the bytes depend only on the samples.
std::vector<uint8_t> encodeWav16(const StereoBuffer& b, int sampleRate);

}  // namespace artsound
