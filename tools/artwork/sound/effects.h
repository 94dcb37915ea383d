// The seven sound effects, synthesised from seeded noise, filters and sine
// partials. Each comes out at exactly its catalogue length, starts and ends in
// silence, and peaks at or below -6 dBFS so that it can sound over the music.
#pragma once
#include "tools/artwork/sound/audio_buffer.h"

namespace artsound {

StereoBuffer makeButtonPop();    // "button.wav": a soft, rounded pop
StereoBuffer makeGlassSplash();  // "stakan.wav": the brush swished in water, bubbles rising
StereoBuffer makePaintSquelch(); // "palitra.wav": a wet squelch of paint on the palette
StereoBuffer makeBrushDab();     // "scena.wav": the brush dabbed on paper
StereoBuffer makeJarClink();     // "banka.wav": a light clink of a glass jar
StereoBuffer makeSoftNo();       // "netu.wav": two soft falling notes, "not this time"
StereoBuffer makeFocusTick();    // "tick.wav": a soft, short tick for each move of the access focus

}  // namespace artsound
