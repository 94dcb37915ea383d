// art_sound OUTDIR [--wav]: writes OUTDIR/sound.pak with the effects and
// OUTDIR/music.pak with the music. With --wav the WAV files are also written
// loose into OUTDIR, to listen to them.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "tools/artwork/sound/effects.h"
#include "tools/artwork/sound/music.h"
#include "tools/artwork/sound/sound_catalog.h"

using namespace artsound;

namespace {

struct MadeSound {
    const char* name;
    std::vector<uint8_t> wav;
};

bool saveArchive(const std::string& path, const std::vector<MadeSound>& sounds) {
    PakArchive pak;
    for (const MadeSound& s : sounds) pakAddBuffer(pak, s.name, s.wav.data(), s.wav.size());
    if (!pakSave(pak, path.c_str())) {
        std::fprintf(stderr, "art_sound: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool saveLoose(const std::string& dir, const MadeSound& s) {
    std::string path = dir + "/" + s.name;
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(s.wav.data(), 1, s.wav.size(), f) == s.wav.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "art_sound: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || (argc == 3 && std::strcmp(argv[2], "--wav") != 0) || argc > 3) {
        std::fprintf(stderr, "usage: art_sound OUTDIR [--wav]\n");
        return 2;
    }
    const std::string outDir = argv[1];
    const bool loose = argc == 3;

    std::vector<MadeSound> effects = {
        {"button.wav", encodeWav16(makeButtonPop(), kSampleRate)},
        {"stakan.wav", encodeWav16(makeGlassSplash(), kSampleRate)},
        {"palitra.wav", encodeWav16(makePaintSquelch(), kSampleRate)},
        {"scena.wav", encodeWav16(makeBrushDab(), kSampleRate)},
        {"banka.wav", encodeWav16(makeJarClink(), kSampleRate)},
        // Added last: the entries before them keep their bytes and their order.
        {"netu.wav", encodeWav16(makeSoftNo(), kSampleRate)},
        {"tick.wav", encodeWav16(makeFocusTick(), kSampleRate)},
    };
    StereoBuffer music;
    if (!makeMusic(music)) return 1;
    std::vector<MadeSound> songs = {{"music.wav", encodeWav16(music, kSampleRate)}};

    if (!saveArchive(outDir + "/sound.pak", effects)) return 1;
    if (!saveArchive(outDir + "/music.pak", songs)) return 1;
    if (loose) {
        for (const MadeSound& s : effects)
            if (!saveLoose(outDir, s)) return 1;
        if (!saveLoose(outDir, songs[0])) return 1;
    }
    return 0;
}
