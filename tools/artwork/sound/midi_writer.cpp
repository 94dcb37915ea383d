// Standard MIDI File encoding: header chunk, one track chunk, variable-length
// delta times.
#include "tools/artwork/sound/midi_writer.h"

#include <algorithm>

namespace artsound {

static uint8_t clamp7(int v) { return uint8_t(v < 0 ? 0 : v > 127 ? 127 : v); }

void addProgram(MidiSong& song, int channel, uint32_t tick, int program) {
    song.events.push_back({tick, uint8_t(0xC0 | (channel & 15)), clamp7(program), 0});
}

void addController(MidiSong& song, int channel, uint32_t tick, int controller, int value) {
    song.events.push_back({tick, uint8_t(0xB0 | (channel & 15)), clamp7(controller), clamp7(value)});
}

void addNote(MidiSong& song, int channel, uint32_t tick, uint32_t length, int key, int velocity) {
    // Velocity 0 would be read as a note-off.
    uint8_t vel = clamp7(velocity < 1 ? 1 : velocity);
    song.events.push_back({tick, uint8_t(0x90 | (channel & 15)), clamp7(key), vel});
    song.events.push_back({tick + length, uint8_t(0x80 | (channel & 15)), clamp7(key), 0});
}

static int orderAtSameTick(const MidiEvent& e) {
    switch (e.status & 0xF0) {
        case 0x80: return 0;
        case 0x90: return 2;
        default: return 1;
    }
}

static void putBig(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t((v >> (8 * i)) & 0xff));
}

static void putVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = uint8_t(v & 0x7f);
        v >>= 7;
    } while (v && n < 5);
    for (int i = n - 1; i >= 0; --i) out.push_back(uint8_t(groups[i] | (i ? 0x80 : 0)));
}

std::vector<uint8_t> encodeMidiFile(const MidiSong& song) {
    std::vector<MidiEvent> events = song.events;
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        return orderAtSameTick(a) < orderAtSameTick(b);
    });

    std::vector<uint8_t> track;
    putVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x51, 0x03});
    putBig(track, song.microsPerBeat, 3);
    uint32_t now = 0;
    for (const MidiEvent& e : events) {
        putVarLen(track, e.tick - now);
        now = e.tick;
        track.push_back(e.status);
        track.push_back(e.data1);
        if ((e.status & 0xF0) != 0xC0) track.push_back(e.data2);
    }
    putVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    putBig(out, 6, 4);
    putBig(out, 0, 2);  // format 0
    putBig(out, 1, 2);  // one track
    putBig(out, uint32_t(song.ticksPerBeat), 2);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    putBig(out, uint32_t(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

}  // namespace artsound
