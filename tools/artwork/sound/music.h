// The looping music: the lullaby rendered by FluidSynth, brought down to the
// catalogue's rate, its ringing tail laid over its head so that the end flows
// into the start, and levelled to leave room for the effects.
#pragma once
#include "tools/artwork/sound/audio_buffer.h"

namespace artsound {

// Exactly kMusicFrames frames peaking at kMusicPeak. Returns false after a
// message on stderr when no soundfont is installed or fluidsynth fails.
bool makeMusic(StereoBuffer& out);

// Halves the sample rate behind a low-pass filter, so nothing above the new
// Nyquist frequency folds back as a whistle.
StereoBuffer halveRate(const StereoBuffer& in);

}  // namespace artsound
