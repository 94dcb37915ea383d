// Runs fluidsynth's fast file renderer on a temporary MIDI file and reads back
// raw little-endian float samples.
#include "tools/artwork/sound/fluid_render.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace artsound {

std::string findSoundFont() {
    static const char* const kKnownPaths[] = {
        "/usr/share/sounds/sf3/MuseScore_General.sf3",  // musescore-general-soundfont-small
        "/usr/share/sounds/sf3/MuseScore_General_Lite.sf3",
        "/usr/share/sounds/sf3/MuseScore_General_Full.sf3",
        "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",  // fluid-soundfont-gm
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",  // timgm6mb-soundfont
    };
    for (const char* path : kKnownPaths) {
        struct stat st;
        if (stat(path, &st) == 0 && S_ISREG(st.st_mode)) return path;
    }
    return "";
}

static bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

static bool readWhole(const std::string& path, std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return true;
}

// Runs the command with its standard output discarded; true when it exits with 0.
static bool runQuietly(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        std::fprintf(stderr, "art_sound: cannot run %s: %s\n", argv[0], std::strerror(err));
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool renderMidi(const std::vector<uint8_t>& midi, const std::string& soundFont, int sampleRate,
                StereoBuffer& out) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/art_sound_XXXXXX";
    std::vector<char> dirBuf(pattern.begin(), pattern.end());
    dirBuf.push_back('\0');
    if (!mkdtemp(dirBuf.data())) {
        std::fprintf(stderr, "art_sound: cannot make a temporary folder at %s\n", pattern.c_str());
        return false;
    }
    const std::string dir = dirBuf.data();
    const std::string midiPath = dir + "/score.mid";
    const std::string rawPath = dir + "/render.raw";

    bool ok = writeWhole(midiPath, midi);
    if (ok) {
        ok = runQuietly({"fluidsynth", "-ni", "-q",
                         "-o", "synth.chorus.active=0",
                         "-o", "synth.reverb.active=1",
                         "-o", "synth.reverb.room-size=0.55",
                         "-o", "synth.reverb.damp=0.4",
                         "-o", "synth.reverb.width=0.8",
                         "-o", "synth.reverb.level=0.7",
                         "-o", "synth.dynamic-sample-loading=1",
                         "-o", "synth.cpu-cores=1",
                         "-r", std::to_string(sampleRate),
                         "-F", rawPath, "-T", "raw", "-O", "float", "-E", "little",
                         soundFont, midiPath});
        if (!ok) std::fprintf(stderr, "art_sound: fluidsynth failed to render the music (scripts/install-deps.sh installs it)\n");
    } else {
        std::fprintf(stderr, "art_sound: cannot write %s\n", midiPath.c_str());
    }
    std::vector<uint8_t> raw;
    if (ok && !(readWhole(rawPath, raw) && raw.size() >= 8)) {
        std::fprintf(stderr, "art_sound: fluidsynth wrote no samples\n");
        ok = false;
    }
    std::remove(rawPath.c_str());
    std::remove(midiPath.c_str());
    rmdir(dir.c_str());
    if (!ok) return false;

    const size_t frames = raw.size() / 8;
    out = makeSilence(int32_t(frames));
    for (size_t i = 0; i < frames; ++i) {
        uint32_t bits[2];
        for (int c = 0; c < 2; ++c) {
            const uint8_t* p = &raw[i * 8 + size_t(c) * 4];
            bits[c] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        }
        std::memcpy(&out.left[i], &bits[0], 4);
        std::memcpy(&out.right[i], &bits[1], 4);
    }
    return true;
}

}  // namespace artsound
