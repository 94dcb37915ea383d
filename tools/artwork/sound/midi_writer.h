// A small Standard MIDI File writer: one track (format 0) of channel messages at
// one tempo, enough to hand a score to FluidSynth.
#pragma once
#include <cstdint>
#include <vector>

namespace artsound {

struct MidiEvent {
    uint32_t tick = 0;
    uint8_t status = 0;  // channel message status byte (kind | channel)
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

struct MidiSong {
    int ticksPerBeat = 480;
    uint32_t microsPerBeat = 500000;
    std::vector<MidiEvent> events;  // any order; the writer sorts them
};

void addProgram(MidiSong& song, int channel, uint32_t tick, int program);
void addController(MidiSong& song, int channel, uint32_t tick, int controller, int value);
// A note-on at tick and its note-off `length` ticks later.
void addNote(MidiSong& song, int channel, uint32_t tick, uint32_t length, int key, int velocity);

// The file's bytes. Events are written in time order; at equal ticks note-offs
// come first and note-ons last, so a repeated key is released before it is
// struck again and controllers are in place before the notes they shape.
std::vector<uint8_t> encodeMidiFile(const MidiSong& song);

}  // namespace artsound
