// The generated sounds: present under their names, decodable by SDL in the
// mixer's own format at the lengths the tool meant, effects short and silent at
// both ends, music of the right length and level that loops without a step, and
// a tool that writes the same bytes every time.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "support/test_support.h"
#include "tools/artwork/sound/sound_catalog.h"

namespace {

using artsound::kSoundEntries;
using artsound::SoundEntry;

constexpr int kMinus6dBFS = 16422;  // 32768 * 10^(-6/20)

struct DecodedWav {
    bool ok = false;
    SDL_AudioSpec spec{};
    std::vector<int16_t> samples;  // interleaved left, right
};

// Decodes the way the mixer does: SDL_LoadWAV_RW over the archive's bytes.
DecodedWav decodeEntry(const SoundEntry& e) {
    DecodedWav out;
    PakArchive pak;
    if (!pakOpen(pak, (dataDir() + "/" + e.archive).c_str())) return out;
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(pak, e.name, &size);
    if (bytes && size > 0) {
        SDL_RWops* rw = SDL_RWFromMem(const_cast<uint8_t*>(bytes), size);
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (rw && SDL_LoadWAV_RW(rw, 1, &out.spec, &buffer, &length)) {
            out.samples.resize(length / 2);
            std::memcpy(out.samples.data(), buffer, out.samples.size() * 2);
            SDL_FreeWAV(buffer);
            out.ok = true;
        }
    }
    pakClose(pak);
    return out;
}

int peakOf(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
    return peak;
}

bool isMusic(const SoundEntry& e) { return std::strcmp(e.name, "music.wav") == 0; }

const SoundEntry& musicEntry() {
    for (const SoundEntry& e : kSoundEntries)
        if (isMusic(e)) return e;
    return kSoundEntries[0];
}

TEST(ArtworkSound, EveryRequiredEntryIsInItsArchive) {
    const char* const effects[] = {"button.wav", "stakan.wav", "palitra.wav", "scena.wav",
                                   "banka.wav",  "netu.wav",   "tick.wav"};
    PakArchive sound;
    ASSERT_TRUE(pakOpen(sound, (dataDir() + "/sound.pak").c_str()));
    for (const char* name : effects) {
        int32_t size = 0;
        EXPECT_NE(pakGetEntry(sound, name, &size), nullptr) << name;
        EXPECT_GT(size, 44) << name;
    }
    pakClose(sound);

    PakArchive music;
    ASSERT_TRUE(pakOpen(music, (dataDir() + "/music.pak").c_str()));
    int32_t size = 0;
    EXPECT_NE(pakGetEntry(music, "music.wav", &size), nullptr);
    EXPECT_GT(size, 44);
    pakClose(music);

    // The catalogue the tool works from lists exactly these eight.
    EXPECT_EQ(artsound::kSoundEntryCount, 8);
    for (const char* name : effects) EXPECT_GT(artsound::intendedFrames(name), 0) << name;
}

TEST(ArtworkSound, EveryWavDecodesInTheMixerFormatAtItsIntendedLength) {
    for (const SoundEntry& e : kSoundEntries) {
        DecodedWav w = decodeEntry(e);
        ASSERT_TRUE(w.ok) << e.name;
        EXPECT_EQ(w.spec.freq, 22050) << e.name;
        EXPECT_EQ(w.spec.format, AUDIO_S16LSB) << e.name;
        EXPECT_EQ(w.spec.channels, 2) << e.name;
        EXPECT_EQ(int64_t(w.samples.size()), int64_t(e.frames) * 2) << e.name;
    }
}

TEST(ArtworkSound, EffectsAreShortAudibleAndSilentAtBothEnds) {
    for (const SoundEntry& e : kSoundEntries) {
        if (isMusic(e)) continue;
        DecodedWav w = decodeEntry(e);
        ASSERT_TRUE(w.ok) << e.name;
        const size_t n = w.samples.size();
        ASSERT_GT(n, 64u) << e.name;
        EXPECT_LT(n / 2, 22050u) << e.name << " lasts a second or more";

        // Loud enough to hear over the music, with headroom to mix over it.
        int peak = peakOf(w.samples);
        EXPECT_GT(peak, 6000) << e.name;
        EXPECT_LE(peak, kMinus6dBFS) << e.name;

        // Starts and stops in near silence (below -54 dBFS): no click at either end.
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_LE(std::abs(int(w.samples[i])), 64) << e.name << " start, sample " << i;
            EXPECT_LE(std::abs(int(w.samples[n - 1 - i])), 64) << e.name << " end, sample " << n - 1 - i;
        }
    }
}

// The focus tick sounds at every step of a scan: short, and well under the
// button's pop in both peak and energy.
TEST(ArtworkSound, TheFocusTickIsShortAndQuieterThanTheButton) {
    DecodedWav tick = decodeEntry(kSoundEntries[6]), button = decodeEntry(kSoundEntries[0]);
    ASSERT_STREQ(kSoundEntries[6].name, "tick.wav");
    ASSERT_TRUE(tick.ok && button.ok);
    auto energy = [](const std::vector<int16_t>& s) {
        double sum = 0;
        for (int16_t v : s) sum += double(v) * v;
        return sum;
    };
    EXPECT_LT(peakOf(tick.samples), peakOf(button.samples) * 6 / 10);
    EXPECT_LT(energy(tick.samples), energy(button.samples) / 4);
    EXPECT_LE(tick.samples.size() / 2, 22050u / 10);
}

TEST(ArtworkSound, MusicLastsOneToTwoMinutesAndPeaksBelowMinus6dBFS) {
    DecodedWav w = decodeEntry(musicEntry());
    ASSERT_TRUE(w.ok);
    const double seconds = double(w.samples.size() / 2) / 22050.0;
    // A whole number of the mixer's 512-frame buffers, so that its rewind at a
    // buffer's start leaves no silence at the loop.
    EXPECT_EQ(w.samples.size() / 2 % 512, 0u);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
    int peak = peakOf(w.samples);
    EXPECT_LE(peak, kMinus6dBFS);
    // Normalised to that ceiling, not merely quiet or silent.
    EXPECT_GT(peak, kMinus6dBFS * 9 / 10);

    // Both sides carry the music all the way through: no second of silence.
    const size_t second = 22050 * 2;
    for (size_t start = 0; start + second <= w.samples.size(); start += second) {
        std::vector<int16_t> chunk(w.samples.begin() + long(start), w.samples.begin() + long(start + second));
        EXPECT_GT(peakOf(chunk), 300) << "silence at second " << start / second;
    }
}

TEST(ArtworkSound, MusicLoopsWithoutAStepAtItsSeam) {
    DecodedWav w = decodeEntry(musicEntry());
    ASSERT_TRUE(w.ok);
    const size_t frames = w.samples.size() / 2;
    ASSERT_GT(frames, 1000u);
    for (int c = 0; c < 2; ++c) {
        std::vector<int> steps;
        steps.reserve(frames);
        for (size_t i = 0; i + 1 < frames; ++i)
            steps.push_back(std::abs(int(w.samples[(i + 1) * 2 + c]) - int(w.samples[i * 2 + c])));
        size_t at = steps.size() * 999 / 1000;
        std::nth_element(steps.begin(), steps.begin() + long(at), steps.end());
        const int ordinary = steps[at];
        const int seam = std::abs(int(w.samples[size_t(c)]) - int(w.samples[(frames - 1) * 2 + c]));
        EXPECT_LE(seam, ordinary) << "channel " << c << ": the seam steps by " << seam
                                  << ", the music's 99.9th percentile step is " << ordinary;

        // Quiet music can hide a click under the whole file's loud steps, so the
        // seam is also held to the steps right around it (20 ms either side).
        const size_t near = 441;
        int localLargest = 0;
        for (size_t i = 0; i + 1 < near; ++i) {
            localLargest = std::max(localLargest, std::abs(int(w.samples[(i + 1) * 2 + c]) - int(w.samples[i * 2 + c])));
            size_t j = frames - 2 - i;
            localLargest = std::max(localLargest, std::abs(int(w.samples[(j + 1) * 2 + c]) - int(w.samples[j * 2 + c])));
        }
        EXPECT_LE(seam, localLargest) << "channel " << c;
    }
}

double rmsOfFrames(const DecodedWav& w, size_t first, size_t count) {
    double sum = 0;
    for (size_t i = first * 2; i < (first + count) * 2; ++i) sum += double(w.samples[i]) * w.samples[i];
    return std::sqrt(sum / double(count * 2));
}

TEST(ArtworkSound, MusicHasNoGapAtItsSeam) {
    // What rings at the end of the loop must go on ringing at its start, not stop
    // dead when the loop comes round.
    DecodedWav w = decodeEntry(musicEntry());
    ASSERT_TRUE(w.ok);
    const size_t frames = w.samples.size() / 2;
    const size_t span = 22050 * 30 / 1000;  // 30 ms, before the first new note
    const double before = rmsOfFrames(w, frames - span, span);
    const double after = rmsOfFrames(w, 0, span);
    EXPECT_GT(before, 20.0) << "the loop should end while notes still ring";
    EXPECT_GT(after, before * 0.5) << "level drops from " << before << " to " << after << " at the seam";
    EXPECT_LT(after, before * 2.0) << "level jumps from " << before << " to " << after << " at the seam";
}

#ifdef QM_ART_SOUND
TEST(ArtworkSound, GeneratingTwiceWritesIdenticalArchives) {
    std::string first = makeTempDir("qm_sound_a");
    std::string second = makeTempDir("qm_sound_b");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    for (const std::string& dir : {first, second}) {
        std::string command = std::string("'") + QM_ART_SOUND + "' '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (const char* archive : {"sound.pak", "music.pak"}) {
        std::vector<uint8_t> a = readFileBytes(first + "/" + archive);
        std::vector<uint8_t> b = readFileBytes(second + "/" + archive);
        EXPECT_FALSE(a.empty()) << archive;
        EXPECT_TRUE(a == b) << archive << " differs between two runs";
        std::remove((first + "/" + archive).c_str());
        std::remove((second + "/" + archive).c_str());
    }
    std::remove(first.c_str());
    std::remove(second.c_str());
}
#endif

}  // namespace
