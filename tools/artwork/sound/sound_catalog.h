// Every sound art_sound writes, with the exact length it is made to have. The
// tests include this header, so a sound that comes out longer or shorter than
// intended is caught rather than silently shipped.
//
// Every WAV is 22050 Hz, signed 16-bit, stereo: the mixer's own output format,
// so classic SDL never has to resample (it resamples non-power-of-two ratios at
// the wrong pitch).
#pragma once
#include <cstdint>

namespace artsound {

constexpr int kSampleRate = 22050;
constexpr int kChannels = 2;

constexpr int32_t framesForMs(int ms) { return int32_t(int64_t(ms) * kSampleRate / 1000); }

// The music is a loop of whole bars at a steady 72 beats a minute in 3/4, so the
// seam falls on a bar line.
constexpr int kMusicBeatsPerMinute = 72;
constexpr int32_t kMusicBeatFrames = kSampleRate * 60 / kMusicBeatsPerMinute;  // 18375
constexpr int kMusicBeatsPerBar = 3;
constexpr int kMusicBars = 36;
// The mixer rewinds a looping sound only at the start of the callback buffer
// after the one that finished it, and leaves the rest of that buffer silent. A
// loop that is a whole number of buffers ends exactly on a buffer's end, so it
// comes round with no gap at all; the bars are padded by the few frames (under
// 512, a fraction of a millisecond) that takes.
constexpr int32_t kMixerBufferFrames = 512;
constexpr int32_t kMusicBarsFrames = kMusicBeatFrames * kMusicBeatsPerBar * kMusicBars;
constexpr int32_t kMusicFrames =
    (kMusicBarsFrames + kMixerBufferFrames - 1) / kMixerBufferFrames * kMixerBufferFrames;  // 90.0005 s

// Peaks stay at or below these so that music and two effects, mixed at full
// volume, rarely reach the clipping SDL applies to the sum.
constexpr double kMusicPeak = 0.49;  // just under -6 dBFS

struct SoundEntry {
    const char* archive;
    const char* name;
    int32_t frames;
};

constexpr SoundEntry kSoundEntries[] = {
    {"sound.pak", "button.wav", framesForMs(160)},
    {"sound.pak", "stakan.wav", framesForMs(900)},
    {"sound.pak", "palitra.wav", framesForMs(420)},
    {"sound.pak", "scena.wav", framesForMs(260)},
    {"sound.pak", "banka.wav", framesForMs(760)},
    {"sound.pak", "netu.wav", framesForMs(520)},
    {"sound.pak", "tick.wav", framesForMs(60)},
    {"music.pak", "music.wav", kMusicFrames},
};

constexpr int kSoundEntryCount = int(sizeof(kSoundEntries) / sizeof(kSoundEntries[0]));

// The length an entry is meant to have; 0 for a name that is not made here.
constexpr int32_t intendedFrames(const char* name) {
    for (const SoundEntry& e : kSoundEntries) {
        const char* a = e.name;
        const char* b = name;
        while (*a && *a == *b) {
            ++a;
            ++b;
        }
        if (*a == 0 && *b == 0) return e.frames;
    }
    return 0;
}

}  // namespace artsound
