// The switches cross to SDL's audio thread: the mixing callback reads the music
// switch while the setup screen's check boxes write it. Built with
// ThreadSanitizer, this toggles the switches the way the check boxes do, and
// restarts the music the way the setup screen does, while the dummy driver runs
// the callback in real time. Exit 0: no race was reported and the mixer stopped
// and restarted the music as asked; 77: no audio device (skipped).
#include <unistd.h>

#include <cstdio>

#include "engine/audio.h"
#include "engine/switches.h"

namespace {

bool musicPlaying() {
    SDL_LockAudio();
    bool playing = false;
    for (const AudioChannel& c : audioState().channels) playing = playing || c.looping;
    SDL_UnlockAudio();
    return playing;
}

}  // namespace

int main() {
    if (chdir(QM_DATA_DIR) != 0 || SDL_Init(0) < 0) return 1;
    AudioMixer* mixer = createAudioMixer();
    if (mixer->failed) {
        std::puts("no audio device: skipped");
        destroyAudioMixer(mixer);
        SDL_Quit();
        return 77;
    }
    playSound("music.wav", true);
    bool ok = musicPlaying();

    // A second and a half of clicks far faster than a child's: every few
    // milliseconds, several times per mixed buffer.
    int toggles = 0;
    bool lastOn = true;
    for (Uint32 start = SDL_GetTicks(); SDL_GetTicks() - start < 1500; ++toggles) {
        setSwitch(switches().musicOn, !switches().musicOn);
        setSwitch(switches().soundOn, !switches().soundOn);
        if (switches().musicOn && !lastOn) playSound("music.wav", true);
        lastOn = switches().musicOn;
        SDL_Delay(2);
    }

    // The callback reads the switch: off stops the music within a few buffers.
    setSwitch(switches().musicOn, false);
    SDL_Delay(200);
    bool stopped = !musicPlaying();
    setSwitch(switches().musicOn, true);
    playSound("music.wav", true);
    bool restarted = musicPlaying();

    destroyAudioMixer(mixer);
    SDL_Quit();
    std::printf("%d toggles; music stopped when switched off: %s, restarted: %s\n", toggles,
                stopped ? "yes" : "no", restarted ? "yes" : "no");
    return ok && stopped && restarted && toggles > 100 ? 0 : 1;
}
