// The music's score: Brahms' Wiegenlied ("Lullaby and good night", public
// domain), twice through in C major — first on a music box over a harp, then on
// a celesta over a marimba — with soft strings beneath, as one cycle of whole
// bars that the music loops.
#pragma once
#include "tools/artwork/sound/midi_writer.h"

namespace artsound {

constexpr int kLullabyTicksPerBeat = 480;
// The cycle starts a moment before its first downbeat, so the loop's seam falls
// where only ringing notes sound, never on a note's attack.
constexpr int kLullabyLeadInTicks = 24;

// One cycle (the catalogue's kMusicBars bars) followed by `tailBeats` beats in
// which nothing new starts, so the last notes and the reverb can ring out.
MidiSong composeLullaby(int tailBeats);

}  // namespace artsound
