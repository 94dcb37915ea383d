// The arrangement of the lullaby. Times are in beats (quarter notes) from the
// start of the cycle; bars are 3 beats.
#include "tools/artwork/sound/lullaby.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artwork/sound/dsp.h"
#include "tools/artwork/sound/sound_catalog.h"

namespace artsound {
namespace {

enum Channel { kMusicBox = 0, kCelesta = 1, kHarp = 2, kMarimba = 3, kStrings = 4 };

enum Chord { C, G7, F };

struct Tone {
    double beat;    // from the verse's first downbeat; the pickup is at -1
    double length;  // beats
    int key;
};

// The tune, an octave above middle C so a music box sings it.
const Tone kMelody[] = {
    {-1, .5, 76}, {-.5, .5, 76},                                 // Lul-la-
    {0, 1.5, 79}, {1.5, .5, 76}, {2, 1, 76},                     // by and good
    {3, 2, 79}, {5, .5, 76}, {5.5, .5, 79},                      // night, with
    {6, 1, 84}, {7, 1.5, 83}, {8.5, .5, 81},                     // ro-ses be-
    {9, 1, 81}, {10, 1, 79}, {11, .5, 74}, {11.5, .5, 76},       // dight, with
    {12, 1, 77}, {13, 1, 74}, {14, .5, 74}, {14.5, .5, 76},      // li-lies o'er
    {15, 2, 77}, {17, .5, 74}, {17.5, .5, 77},                   // spread is
    {18, .5, 83}, {18.5, .5, 81}, {19, 1, 79}, {20, 1, 83},      // ba-by's wee
    {21, 2, 84}, {23, .5, 72}, {23.5, .5, 72},                   // bed. Lay thee
    {24, 2, 84}, {26, .5, 81}, {26.5, .5, 77},                   // down now and
    {27, 2, 79}, {29, .5, 76}, {29.5, .5, 72},                   // rest, may thy
    {30, 1, 77}, {31, 1, 79}, {32, 1, 81},                       // slum-ber be
    {33, 2, 79}, {35, .5, 72}, {35.5, .5, 72},                   // blessed. Lay thee
    {36, 2, 84}, {38, .5, 81}, {38.5, .5, 77},                   // down now and
    {39, 2, 79}, {41, .5, 76}, {41.5, .5, 72},                   // rest, may thy
    {42, 1, 77}, {43, 1, 76}, {44, 1, 74},                       // slum-ber be
    {45, 3, 72},                                                 // blessed.
};

const Chord kVerseChords[16] = {C, C, G7, C, G7, G7, G7, C, F, C, F, C, F, C, G7, C};

// Bars of the cycle.
constexpr int kIntroBar = 0;       // 2 bars: C, G7
constexpr int kVerseABar = 2;      // 16 bars
constexpr int kInterludeBar = 18;  // 2 bars: F, G7
constexpr int kVerseBBar = 20;     // 16 bars, to the end of the cycle
static_assert(kVerseBBar + 16 == kMusicBars, "the cycle is the intro, two verses and an interlude");

// Broken chords for the harp, one per eighth note, rocking up and back.
const int kHarpArpeggio[3][6] = {
    {48, 55, 60, 64, 67, 64},  // C
    {43, 50, 53, 59, 62, 59},  // G7
    {41, 48, 53, 57, 60, 57},  // F
};
// Close chords for the strings, voiced so that each moves to the next by a step.
const int kPadChord[3][3] = {{55, 60, 64}, {55, 59, 65}, {57, 60, 65}};
const int kMarimbaBass[3] = {48, 55, 53};
const int kMarimbaDyad[3][2] = {{64, 67}, {62, 65}, {65, 69}};
const int kHarpBass[3] = {36, 43, 41};
// Music-box sparkles while the celesta holds a long note: fifth, then third.
const int kSparkle[3][2] = {{91, 88}, {86, 83}, {93, 89}};

struct PlannedNote {
    int channel;
    int key;
    uint32_t start;
    uint32_t end;
    int velocity;
};

struct Arranger {
    MidiSong song;
    std::vector<PlannedNote> notes;
    Rng rng;
};

uint32_t tickAt(double beat) {
    return uint32_t(kLullabyLeadInTicks + std::lround(beat * kLullabyTicksPerBeat));
}

// Played by hand, not by machine: a little unevenness in how hard notes are struck.
void note(Arranger& a, int channel, double beat, double length, int key, int velocity) {
    int humanised = velocity + int(std::lround(uniformIn(a.rng, -3.0, 3.0)));
    a.notes.push_back({channel, key, tickAt(beat), tickAt(beat + length), humanised});
}

// A synthesiser releases a key when it is struck again, and the earlier note's
// late note-off would then cut the new one short; so a note that would still be
// held when its key returns is released just as the key is struck again.
void writeNotes(Arranger& a) {
    std::stable_sort(a.notes.begin(), a.notes.end(), [](const PlannedNote& x, const PlannedNote& y) {
        if (x.channel != y.channel) return x.channel < y.channel;
        if (x.key != y.key) return x.key < y.key;
        return x.start < y.start;
    });
    for (size_t i = 0; i < a.notes.size(); ++i) {
        PlannedNote& n = a.notes[i];
        if (i + 1 < a.notes.size()) {
            const PlannedNote& next = a.notes[i + 1];
            if (next.channel == n.channel && next.key == n.key && next.start < n.end) n.end = next.start;
        }
        if (n.end > n.start) addNote(a.song, n.channel, n.start, n.end - n.start, n.key, n.velocity);
    }
}

void setUpChannel(MidiSong& s, int channel, int program, int volume, int pan, int reverb) {
    addProgram(s, channel, 0, program);
    addController(s, channel, 0, 7, volume);
    addController(s, channel, 0, 10, pan);
    addController(s, channel, 0, 91, reverb);
    addController(s, channel, 0, 93, 0);  // no chorus: its free-running LFO would mark the seam
}

// The melody starting at verse bar `bar`, on `channel`, at a singing dynamic:
// downbeats lean a little, high notes open up, pickups stay light.
void playMelody(Arranger& a, int channel, int bar, int baseVelocity) {
    double origin = bar * kMusicBeatsPerBar;
    for (const Tone& t : kMelody) {
        double inBar = std::fmod(t.beat + 3.0, 3.0);
        int v = baseVelocity + (t.key - 78) / 2;
        if (inBar == 0) v += 6;
        if (t.length <= 0.5) v -= 6;
        // Let each note ring into the next, as a struck instrument does.
        note(a, channel, origin + t.beat, t.length + 0.4, t.key, v);
    }
}

void harpArpeggioBar(Arranger& a, int bar, Chord c, int velocity) {
    double origin = bar * kMusicBeatsPerBar;
    for (int i = 0; i < 6; ++i) {
        int v = velocity + (i == 0 ? 10 : 0) - (i % 2 ? 4 : 0);
        note(a, kHarp, origin + i * 0.5, i == 0 ? 3.0 : 1.5, kHarpArpeggio[c][i], v);
    }
}

void marimbaBar(Arranger& a, int bar, Chord c) {
    double origin = bar * kMusicBeatsPerBar;
    note(a, kMarimba, origin, 1.0, kMarimbaBass[c], 58);
    for (int beat = 1; beat < 3; ++beat)
        for (int k = 0; k < 2; ++k) note(a, kMarimba, origin + beat, 0.9, kMarimbaDyad[c][k], 42);
    note(a, kHarp, origin, 3.0, kHarpBass[c], 52);
}

// Sustained string chords under bars [firstBar, firstBar + count); a chord that
// repeats is held over rather than struck again.
void stringPad(Arranger& a, int firstBar, const Chord* chords, int count) {
    int start = 0;
    for (int i = 1; i <= count; ++i) {
        if (i < count && chords[i] == chords[start]) continue;
        double beat = (firstBar + start) * kMusicBeatsPerBar;
        double length = (i - start) * kMusicBeatsPerBar;
        for (int k = 0; k < 3; ++k) note(a, kStrings, beat, length, kPadChord[chords[start]][k], 46);
        start = i;
    }
}

}  // namespace

MidiSong composeLullaby(int tailBeats) {
    Arranger a;
    a.rng = makeRng(0x10ba1ea5u);
    a.song.ticksPerBeat = kLullabyTicksPerBeat;
    a.song.microsPerBeat = uint32_t(std::lround(60e6 / kMusicBeatsPerMinute));
    MidiSong& s = a.song;

    // Levels balanced by ear and by measuring each part alone: the tune on top,
    // the accompaniment some 6 dB under it, the strings further back.
    setUpChannel(s, kMusicBox, 10, 127, 60, 64);
    setUpChannel(s, kCelesta, 8, 96, 68, 64);
    setUpChannel(s, kHarp, 46, 70, 48, 56);
    setUpChannel(s, kMarimba, 12, 78, 76, 48);
    setUpChannel(s, kStrings, 49, 42, 80, 72);

    // Intro: the harp rocks between C and G7 while the music box climbs a C chord.
    const Chord introChords[2] = {C, G7};
    for (int i = 0; i < 2; ++i) harpArpeggioBar(a, kIntroBar + i, introChords[i], 40);
    stringPad(a, kIntroBar, introChords, 2);
    note(a, kMusicBox, 0, 1.4, 79, 58);
    note(a, kMusicBox, 1, 1.4, 84, 60);
    note(a, kMusicBox, 2, 1.4, 88, 62);
    note(a, kMusicBox, 3, 2.4, 86, 60);

    // First verse: music box over the harp.
    playMelody(a, kMusicBox, kVerseABar, 90);
    for (int i = 0; i < 16; ++i) harpArpeggioBar(a, kVerseABar + i, kVerseChords[i], 42);
    stringPad(a, kVerseABar, kVerseChords, 16);

    // Interlude: the celesta answers the intro over F and G7.
    const Chord interludeChords[2] = {F, G7};
    for (int i = 0; i < 2; ++i) harpArpeggioBar(a, kInterludeBar + i, interludeChords[i], 40);
    stringPad(a, kInterludeBar, interludeChords, 2);
    double ib = kInterludeBar * kMusicBeatsPerBar;
    note(a, kCelesta, ib + 0, 1.4, 81, 58);
    note(a, kCelesta, ib + 1, 1.4, 84, 60);
    note(a, kCelesta, ib + 2, 1.4, 89, 62);
    note(a, kCelesta, ib + 3, 2.4, 86, 60);

    // Second verse: celesta over marimba, with music-box sparkles in the long notes.
    playMelody(a, kCelesta, kVerseBBar, 80);
    for (int i = 0; i < 16; ++i) marimbaBar(a, kVerseBBar + i, kVerseChords[i]);
    stringPad(a, kVerseBBar, kVerseChords, 16);
    const int sparkleBars[] = {1, 5, 7, 8, 9, 11, 12, 13};
    for (int i : sparkleBars) {
        double origin = (kVerseBBar + i) * kMusicBeatsPerBar;
        Chord c = kVerseChords[i];
        note(a, kMusicBox, origin + 1.0, 1.5, kSparkle[c][0], 44);
        note(a, kMusicBox, origin + 1.5, 1.5, kSparkle[c][1], 40);
    }

    writeNotes(a);

    // Nothing sounds here: it only holds the render open while the last notes ring.
    double end = kMusicBars * kMusicBeatsPerBar + tailBeats;
    addController(s, 15, tickAt(end) - kLullabyLeadInTicks, 7, 100);
    return s;
}

}  // namespace artsound
