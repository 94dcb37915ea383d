// Rendering a MIDI score with the fluidsynth program and a General MIDI
// soundfont from Debian.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artwork/sound/audio_buffer.h"

namespace artsound {

// The first General MIDI soundfont found among the paths Debian installs them
// at; empty when there is none.
std::string findSoundFont();

// Renders the MIDI file's bytes at sampleRate, unclipped, in floating point.
// Settings that would make the output differ from run to run or mark the loop's
// seam (chorus) are switched off. Returns false after a message on stderr when
// fluidsynth cannot be run or writes nothing.
bool renderMidi(const std::vector<uint8_t>& midi, const std::string& soundFont, int sampleRate,
                StereoBuffer& out);

}  // namespace artsound
