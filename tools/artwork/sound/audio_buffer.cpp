// Stereo buffers: panning, fades, levels and the 16-bit WAV writer.
#include "tools/artwork/sound/audio_buffer.h"

#include <cmath>

namespace artsound {

StereoBuffer makeSilence(int32_t frames) {
    StereoBuffer b;
    b.left.assign(size_t(frames), 0.0f);
    b.right.assign(size_t(frames), 0.0f);
    return b;
}

int32_t frameCount(const StereoBuffer& b) { return int32_t(b.left.size()); }

void addPanned(StereoBuffer& b, int32_t i, double sample, double pan) {
    if (i < 0 || i >= frameCount(b)) return;
    double angle = (pan + 1.0) * M_PI / 4.0;  // 0 .. pi/2
    b.left[size_t(i)] += float(sample * std::cos(angle) * M_SQRT2);
    b.right[size_t(i)] += float(sample * std::sin(angle) * M_SQRT2);
}

void fadeEnds(StereoBuffer& b, int32_t fadeInFrames, int32_t fadeOutFrames) {
    int32_t n = frameCount(b);
    for (int32_t i = 0; i < fadeInFrames && i < n; ++i) {
        float g = float(0.5 - 0.5 * std::cos(M_PI * i / fadeInFrames));
        b.left[size_t(i)] *= g;
        b.right[size_t(i)] *= g;
    }
    for (int32_t k = 0; k < fadeOutFrames && k < n; ++k) {
        // k counts back from the last frame, which ends at exactly zero.
        float g = float(0.5 - 0.5 * std::cos(M_PI * k / fadeOutFrames));
        size_t i = size_t(n - 1 - k);
        b.left[i] *= g;
        b.right[i] *= g;
    }
}

double peakOf(const StereoBuffer& b) {
    double peak = 0;
    for (float v : b.left) peak = std::fmax(peak, std::fabs(double(v)));
    for (float v : b.right) peak = std::fmax(peak, std::fabs(double(v)));
    return peak;
}

void normalisePeak(StereoBuffer& b, double peak) {
    double current = peakOf(b);
    if (current <= 0) return;
    double g = peak / current;
    for (float& v : b.left) v = float(v * g);
    for (float& v : b.right) v = float(v * g);
}

static void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v & 0xff));
    out.push_back(uint8_t((v >> 8) & 0xff));
}

static void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

static int16_t toPcm16(float v) {
    double s = std::floor(double(v) * 32767.0 + 0.5);
    if (s > 32767) s = 32767;
    if (s < -32768) s = -32768;
    return int16_t(s);
}

std::vector<uint8_t> encodeWav16(const StereoBuffer& b, int sampleRate) {
    const uint32_t frames = uint32_t(frameCount(b));
    const uint32_t dataBytes = frames * 4;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 2);  // channels
    put32(out, uint32_t(sampleRate));
    put32(out, uint32_t(sampleRate) * 4);  // bytes per second
    put16(out, 4);                         // bytes per frame
    put16(out, 16);                        // bits per sample
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, dataBytes);
    out.resize(44 + size_t(dataBytes));
    uint8_t* p = out.data() + 44;
    for (uint32_t i = 0; i < frames; ++i) {
        uint16_t l = uint16_t(toPcm16(b.left[i]));
        uint16_t r = uint16_t(toPcm16(b.right[i]));
        p[0] = uint8_t(l & 0xff);
        p[1] = uint8_t(l >> 8);
        p[2] = uint8_t(r & 0xff);
        p[3] = uint8_t(r >> 8);
        p += 4;
    }
    return out;
}

}  // namespace artsound
