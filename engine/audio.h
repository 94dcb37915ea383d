// The audio mixer: three channels shared by music and effects, mixed by SDL's
// audio callback on its own thread.
//
// Thread boundary: the channel table is shared with the audio thread; the main
// thread changes a channel only between SDL_LockAudio and SDL_UnlockAudio. The
// callback reads switches.musicOn, which the main thread writes under the same
// lock (setSwitch).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/gl.h"

struct AudioChannel {
    const uint8_t* data = nullptr;  // converted samples, owned by the mixer
    uint32_t position = 0;          // bytes already mixed
    uint32_t length = 0;
    bool looping = false;           // music: restarts at its end
};


struct AudioMixer {
    bool failed = false;
    // Each buf owned by the mixer: either its own converted copy (malloc'd) or,
    // for a WAV already in the output format, the samples inside files[i].
    std::vector<SDL_AudioCVT> converted;
    std::vector<std::string> names;
    std::vector<std::vector<uint8_t>> files;  // empty where buf is a converted copy
};

// What plays: the channels and the mixer they play from.
struct AudioState {
    // Shared with the audio thread: change a channel only while holding SDL_LockAudio.
    AudioChannel channels[3];
    AudioMixer* mixer = nullptr;  // set by createAudioMixer, cleared by destroyAudioMixer
};

AudioState& audioState();

// Opens the device at 22050 Hz, signed 16-bit, stereo, 512 samples; on failure the
// mixer is marked failed and everything else does nothing.
AudioMixer* createAudioMixer();
void destroyAudioMixer(AudioMixer* mixer);
// loop true: music from "music.pak", repeated; false: an effect from "sound.pak".
// A WAV already at 22050 Hz, 16-bit stereo is played from its own bytes, taken
// out of the archive; any other is read and converted by SDL.
void playSound(const char* name, bool loop);
void mixCallback(void* userdata, uint8_t* stream, int streamLength);
