#include "engine/audio.h"

#include <cstdlib>
#include <cstring>

#include "engine/switches.h"
#include "resources/pak.h"

AudioState& audioState() {
    static AudioState sound;
    return sound;
}

namespace {

const int kOutputRate = 22050;
const Uint16 kOutputFormat = AUDIO_S16LSB;
const int kOutputChannels = 2;
const int kChannelCount = 3;

// Rates and channel counts outside these bounds are refused before they reach
// SDL_BuildAudioCVT: classic SDL 1.2 builds its filter list in a fixed array of
// ten and keeps doubling a tiny source rate (or a channel count of 0) until it
// reaches the output's, writing past that array. The program's own sounds are
// authored at 22050 Hz stereo and need no conversion at all.
const int kLowestRate = 4000;
const int kHighestRate = 192000;

bool channelIdle(const AudioChannel& c) { return c.position == c.length && !c.looping; }

// Call between SDL_LockAudio and SDL_UnlockAudio.
void startChannelLocked(AudioChannel& c, const SDL_AudioCVT& sound, bool loop) {
    c.data = sound.buf;
    c.length = static_cast<uint32_t>(sound.len_cvt);
    c.position = 0;
    c.looping = loop;
}

uint16_t littleU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t littleU32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

// Where the samples of a WAV file start and how many bytes they take, when they
// are plain PCM in exactly the output format, the format chunk first and the
// whole data chunk inside the file: they can be mixed as they are. false for
// anything else, which SDL reads and converts.
bool samplesInOutputFormat(const std::vector<uint8_t>& file, size_t& offset, uint32_t& bytes) {
    const size_t size = file.size();
    const uint8_t* f = file.data();
    if (size < 12 || std::memcmp(f, "RIFF", 4) != 0 || std::memcmp(f + 8, "WAVE", 4) != 0) return false;
    bool formatFits = false;
    size_t at = 12;
    while (size - at >= 8) {
        const uint32_t length = littleU32(f + at + 4);
        const size_t body = at + 8;
        if (length > size - body) return false;
        if (std::memcmp(f + at, "fmt ", 4) == 0) {
            if (length < 16) return false;
            formatFits = littleU16(f + body) == 1 && littleU16(f + body + 2) == kOutputChannels &&
                         littleU32(f + body + 4) == uint32_t(kOutputRate) && littleU16(f + body + 12) == 4 &&
                         littleU16(f + body + 14) == 16;
            if (!formatFits) return false;
        } else if (std::memcmp(f + at, "data", 4) == 0) {
            if (!formatFits || length == 0 || length % 4 != 0) return false;
            offset = body;
            bytes = length;
            return true;
        }
        // Chunks are padded to an even length.
        const size_t next = body + length + (length & 1u);
        if (next > size) return false;
        at = next;
    }
    return false;
}

// The WAV entry's samples as SDL reads them, in a buffer SDL allocated (freed
// with SDL_FreeWAV); false, with nothing allocated, when it is not a WAV.
bool readWav(const uint8_t* bytes, int32_t size, SDL_AudioSpec& spec, Uint8*& wav, Uint32& wavBytes) {
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, size);
    if (!stream) return false;
    wav = nullptr;
    wavBytes = 0;
    return SDL_LoadWAV_RW(stream, 1, &spec, &wav, &wavBytes) != nullptr;  // frees the stream
}

// Converts samples read by readWav to the output format and frees them. On
// success the caller owns sound.buf (malloc'd); on any failure nothing is left
// allocated.
bool convertWav(const SDL_AudioSpec& spec, Uint8* wav, Uint32 wavBytes, SDL_AudioCVT& sound) {
    bool ok = spec.channels >= 1 && spec.channels <= 2 && spec.freq >= kLowestRate &&
              spec.freq <= kHighestRate && wavBytes > 0;
    std::memset(&sound, 0, sizeof sound);
    if (ok)
        ok = SDL_BuildAudioCVT(&sound, spec.format, spec.channels, spec.freq, kOutputFormat,
                               kOutputChannels, kOutputRate) >= 0;
    // The conversion works in place and may grow the data by len_mult; cvt.len is an int.
    size_t capacity = ok ? static_cast<size_t>(wavBytes) * static_cast<size_t>(sound.len_mult) : 0;
    if (ok) ok = sound.len_mult > 0 && capacity <= 0x7fffffff;
    if (ok) {
        sound.buf = static_cast<Uint8*>(std::malloc(capacity));
        ok = sound.buf != nullptr;
    }
    if (ok) {
        std::memcpy(sound.buf, wav, wavBytes);
        sound.len = static_cast<int>(wavBytes);
        ok = SDL_ConvertAudio(&sound) >= 0 && sound.len_cvt > 0 &&
             static_cast<size_t>(sound.len_cvt) <= capacity;
    }
    SDL_FreeWAV(wav);
    if (!ok) {
        std::free(sound.buf);
        sound.buf = nullptr;
    }
    return ok;
}

}  // namespace

AudioMixer* createAudioMixer() {
    AudioMixer* mixer = new AudioMixer;
    // Video is normally up already, so only the audio subsystem is added.
    mixer->failed = SDL_InitSubSystem(SDL_INIT_AUDIO) < 0;
    if (!mixer->failed) {
        SDL_AudioSpec desired;
        std::memset(&desired, 0, sizeof desired);
        desired.freq = kOutputRate;
        desired.format = kOutputFormat;
        desired.channels = kOutputChannels;
        desired.samples = 512;
        desired.callback = mixCallback;
        desired.userdata = nullptr;
        // No obtained spec: SDL converts from exactly this format.
        mixer->failed = SDL_OpenAudio(&desired, nullptr) < 0;
        if (mixer->failed) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (!mixer->failed) SDL_PauseAudio(0);
    audioState().mixer = mixer;
    return mixer;
}

void destroyAudioMixer(AudioMixer* mixer) {
    if (!mixer) return;
    // The device is closed before the buffers go: the callback may be reading them.
    if (!mixer->failed) {
        SDL_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);  // classic SDL already did; sdl12-compat may not
    }
    for (AudioChannel& c : audioState().channels) c = AudioChannel{};
    for (size_t i = 0; i < mixer->converted.size(); ++i)
        if (i >= mixer->files.size() || mixer->files[i].empty()) std::free(mixer->converted[i].buf);
    if (audioState().mixer == mixer) audioState().mixer = nullptr;
    delete mixer;
}

void playSound(const char* name, bool loop) {
    AudioMixer* mixer = audioState().mixer;
    if (!mixer || mixer->failed || !name) return;
    if (!(switches().soundOn || (loop && switches().musicOn))) return;

    // Only this thread makes a channel busy, so one found idle stays idle until
    // it is started below, however long the decoding takes.
    int channel = -1;
    SDL_LockAudio();
    for (int i = 0; i < kChannelCount && channel < 0; ++i)
        if (channelIdle(audioState().channels[i])) channel = i;
    SDL_UnlockAudio();
    if (channel < 0) return;  // dropped, not queued

    for (size_t j = 0; j < mixer->names.size(); ++j) {
        if (mixer->names[j] == name) {
            SDL_LockAudio();
            startChannelLocked(audioState().channels[channel], mixer->converted[j], loop);
            SDL_UnlockAudio();
            return;
        }
    }

    // A missing archive, a missing entry or a sound that does not decode leaves the
    // channels alone: the sound simply does not play.
    const char* archiveName = loop ? "music.pak" : "sound.pak";
    if (!pakTryAcquire(archiveName)) return;
    // The file's bytes are all that is needed from here on: taken out of the
    // archive (not copied, when nothing else holds it), which is let go at once.
    // The music (8 MB) is held once, for the run, and never twice at a time.
    std::vector<uint8_t> file = pakTakeEntry(archiveName, name);
    pakRelease(archiveName);
    SDL_AudioCVT sound;
    std::memset(&sound, 0, sizeof sound);
    size_t offset = 0;
    uint32_t sampleBytes = 0;
    if (samplesInOutputFormat(file, offset, sampleBytes)) {
        sound.buf = file.data() + offset;
        sound.len = sound.len_cvt = static_cast<int>(sampleBytes);
        sound.len_mult = 1;
        sound.len_ratio = 1.0;
    } else {
        SDL_AudioSpec spec;
        Uint8* wav = nullptr;
        Uint32 wavBytes = 0;
        const bool read = !file.empty() && readWav(file.data(), static_cast<int32_t>(file.size()), spec, wav, wavBytes);
        // SDL's copy of the samples is all the conversion needs.
        file = std::vector<uint8_t>();
        if (!read || !convertWav(spec, wav, wavBytes, sound)) return;
    }
    mixer->names.push_back(name);
    mixer->converted.push_back(sound);
    // Moving the vector keeps its buffer where buf points.
    mixer->files.resize(mixer->converted.size() - 1);
    mixer->files.push_back(std::move(file));

    SDL_LockAudio();
    startChannelLocked(audioState().channels[channel], sound, loop);
    SDL_UnlockAudio();
}

// Runs on SDL's audio thread with the audio lock held. It allocates nothing.
void mixCallback(void* userdata, uint8_t* stream, int streamLength) {
    (void)userdata;
    if (!stream || streamLength <= 0) return;
    // Classic SDL silences the buffer before the call; the mixer does not rely on it.
    std::memset(stream, 0, static_cast<size_t>(streamLength));
    // The main thread writes the switch under the audio lock, which this
    // callback runs inside.
    bool musicOn = switches().musicOn;
    uint32_t limit = static_cast<uint32_t>(streamLength);
    for (AudioChannel& c : audioState().channels) {
        // Music rewinds at the start of the buffer after the one that finished it.
        if (c.looping && c.position == c.length) c.position = 0;
        if (c.looping && !musicOn) {
            c.looping = false;
            c.position = c.length;
        }
        uint32_t n = c.length - c.position;
        if (n > limit) n = limit;
        if (n == 0) continue;
        SDL_MixAudio(stream, c.data + c.position, n, SDL_MIX_MAXVOLUME);
        c.position += n;
    }
}
