#include "app/machine_policy.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/access_config.h"
#include "app/config_lines.h"
#include "app/options.h"
#include "base/file_keeping.h"
#include "base/gl.h"
#include "base/platform.h"
#include "engine/switches.h"
#include "scene/animation.h"
#include "screens/languages.h"
#include "screens/screen_state.h"

MachinePolicy& machinePolicy() {
    static MachinePolicy policy;
    return policy;
}

namespace {

// The keys that lock something down, and so have a most restrictive reading.
bool locksSomething(const std::string& key) {
    for (const char* lock : {"kiosk", "parents_link", "clear_all", "exports", "sounds", "music"})
        if (key == lock) return true;
    return false;
}

// What the value of an "on"/"off" key says; "" when it is read, else the
// problem.
std::string readFlag(const ConfigEntry& entry, bool& out) {
    return configBoolean(entry.value, out) ? "" : refusalText(entry, "on or off");
}

std::string readSwitch(const ConfigEntry& entry, PolicySwitch& out) {
    bool on = false;
    if (!configBoolean(entry.value, on)) return refusalText(entry, "on or off");
    out = on ? PolicySwitch::forcedOn : PolicySwitch::forcedOff;
    return "";
}

// Takes one line into p; "" when its value was read, else the problem.
std::string apply(const ConfigEntry& e, MachinePolicy& p) {
    if (e.key == "kiosk") return readFlag(e, p.kiosk);
    if (e.key == "parents_link") return readFlag(e, p.parentsLink);
    if (e.key == "clear_all") return readFlag(e, p.clearAll);
    if (e.key == "exports") return readFlag(e, p.exports);
    if (e.key == "sounds") return readSwitch(e, p.sounds);
    if (e.key == "music") return readSwitch(e, p.music);
    if (e.key == "profiles") return readSwitch(e, p.profiles);
    if (e.key == "reduced-motion") return readSwitch(e, p.reducedMotion);
    if (e.key == "access") {
        if (!accessMethodFromWord(e.value, p.access)) return refusalText(e, "keys, switch2, switch1 or dwell");
        p.accessFixed = true;
        return "";
    }
    if (e.key == "scan-time" || e.key == "dwell-time") {
        bool scan = e.key == "scan-time";
        uint32_t ms = 0;
        if (!parseSeconds(e.value, scan ? kLeastScanMs : kLeastDwellMs, scan ? kMostScanMs : kMostDwellMs, ms))
            return refusalText(e, scan ? "seconds from 0.5 to 5" : "seconds from 0.3 to 5");
        (scan ? p.scanMs : p.dwellMs) = ms;
        return "";
    }
    if (e.key == "language") {
        int32_t language = languageFromCode(e.value.c_str());
        if (language < 0) return refusalText(e, "a language: en, de, es, ru or fr");
        p.language = language;
        return "";
    }
    if (e.key == "animals") {
        int64_t n = 0;
        if (!configInteger(e.value, 1, kMostAnimals, n))
            return refusalText(e, "a number of animals from 1 to " + std::to_string(kMostAnimals));
        p.animals = int32_t(n);
        return "";
    }
    return "unknown setting \"" + e.key + "\"";
}

const char kRestrictiveReading[] =
    "so the policy's most restrictive reading holds: kiosk, no parents' link, no clearing all pages, no exports, "
    "sounds and music off";

// The policy of a file with a problem: every key that locks something at its
// most restrictive, the others as far as they were read cleanly (none of them
// loosens anything). One line names the file and the first problem.
MachinePolicy failedClosed(const std::string& path, const std::vector<ConfigEntry>& entries,
                           const std::vector<ConfigProblem>& problems) {
    MachinePolicy p = restrictivePolicy();
    p.path = path;
    for (const ConfigEntry& entry : entries) {
        MachinePolicy read = p;
        if (locksSomething(entry.key) || !apply(entry, read).empty()) continue;
        p = read;
    }
    const ConfigProblem& first = problems.front();
    std::string more = problems.size() > 1 ? " (and " + std::to_string(problems.size() - 1) + " more)" : "";
    reportConfigProblem(path, first.line, first.message + more + "; " + kRestrictiveReading);
    return p;
}

}  // namespace

MachinePolicy restrictivePolicy() {
    MachinePolicy p;
    p.present = true;
    p.kiosk = true;
    p.parentsLink = false;
    p.clearAll = false;
    p.exports = false;
    p.sounds = PolicySwitch::forcedOff;
    p.music = PolicySwitch::forcedOff;
    return p;
}

std::string systemPolicyPath() { return machineConfigFile("policy.conf"); }

MachinePolicy readMachinePolicy(const std::string& path) {
    std::vector<ConfigEntry> entries;
    std::vector<ConfigProblem> problems;
    ConfigReadResult result = readConfigFile(path, entries, &problems);
    // A link to a policy that is gone was meant to be a policy.
    if (result == ConfigReadResult::missing && isDanglingLink(path))
        problems.push_back(ConfigProblem{0, "is a link to a file that is missing (" + linkTargetOf(path) + ")"});
    else if (result == ConfigReadResult::missing)
        return MachinePolicy();
    MachinePolicy p;
    p.present = true;
    p.path = path;
    std::vector<std::string> seen;
    for (const ConfigEntry& entry : entries) {
        for (const std::string& key : seen)
            if (key == entry.key) problems.push_back(ConfigProblem{entry.line, entry.key + " is set twice"});
        seen.push_back(entry.key);
        std::string problem = apply(entry, p);
        if (!problem.empty()) problems.push_back(ConfigProblem{entry.line, problem});
    }
    if (problems.empty()) return p;
    // In the order of the file: the first line with a problem is named.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const ConfigProblem& a, const ConfigProblem& b) { return a.line < b.line; });
    return failedClosed(path, entries, problems);
}

MachinePolicy loadMachinePolicy() {
    std::string system = systemPolicyPath();
    if (!system.empty()) {
        MachinePolicy p = readMachinePolicy(system);
        if (p.present) return p;
    }
    const char* trial = std::getenv("QUILLMEAD_POLICY");
    if (!trial || !*trial) return MachinePolicy();
    MachinePolicy p = readMachinePolicy(trial);
    // A teacher's typo in the name is said, not passed over in silence.
    if (!p.present)
        std::fprintf(stderr, "quillmead: QUILLMEAD_POLICY names %s, which does not exist; no policy is in force\n",
                     trial);
    return p;
}

bool applyPolicyToOptions(Options& options, std::string& why) {
    if (machinePolicy().language >= 0) options.language = machinePolicy().language;
    if (machinePolicy().exports) return true;
    const char* asked = !options.exportFolder.empty() ? "--export"
                        : !options.pdfFile.empty()    ? "--export-pdf"
                        : options.print               ? "--print"
                                                      : nullptr;
    if (!asked) return true;
    why = std::string(asked) + " is turned off on this computer by " + machinePolicy().path + " (exports = off)";
    return false;
}

void applyPolicyToSwitches() {
    if (machinePolicy().sounds != PolicySwitch::free) switches().soundOn = machinePolicy().sounds == PolicySwitch::forcedOn;
    if (machinePolicy().music != PolicySwitch::free) switches().musicOn = machinePolicy().music == PolicySwitch::forcedOn;
    ScreenLocks& locks = screenState().locks;
    locks.soundFixed = machinePolicy().sounds != PolicySwitch::free;
    locks.musicFixed = machinePolicy().music != PolicySwitch::free;
    locks.noClearAll = !machinePolicy().clearAll;
    // The parents' link ends the program to show the guide: in a kiosk it
    // would be a way out for the child.
    locks.noParentsLink = !machinePolicy().parentsLink || machinePolicy().kiosk;
    locks.noExit = machinePolicy().kiosk;
}

void applyPolicyToAccess(AccessSettings& settings) {
    if (machinePolicy().accessFixed) settings.method = machinePolicy().access;
    if (machinePolicy().scanMs > 0) settings.scanMs = machinePolicy().scanMs;
    if (machinePolicy().dwellMs > 0) settings.dwellMs = machinePolicy().dwellMs;
    if (machinePolicy().reducedMotion != PolicySwitch::free)
        settings.reducedMotion = machinePolicy().reducedMotion == PolicySwitch::forcedOn;
}

namespace {

// A key held down repeats as a release and a press in a row; where the two are
// read apart (a busy machine, a rest that woke between them), the key looks let
// go for a moment. Up for less than this, the hold goes on counting.
constexpr uint32_t kRepeatGapMs = 250;

// How long Ctrl+Alt+Q has been held: the time it went down, 0 while it is up.
struct KioskExitHold {
    uint32_t heldSince = 0;
    uint32_t lastHeld = 0;  // the last frame it was seen held
    void (*saveAndQuit)() = nullptr;  // the shell's
    bool quitting = false;            // once asked, the run is ending
};

// Endless track on a node under the root: held long enough, it saves and quits.
void kioskExitWatch(void* arg) {
    KioskExitHold* hold = static_cast<KioskExitHold*>(arg);
    const Uint8* keys = SDL_GetKeyState(nullptr);
    SDLMod mods = SDL_GetModState();
    bool held = keys && keys[SDLK_q] && (mods & KMOD_CTRL) && (mods & KMOD_ALT);
    uint32_t now = sceneState().frameTime ? sceneState().frameTime : 1;
    if (!held) {
        if (now - hold->lastHeld > kRepeatGapMs) hold->heldSince = 0;
        // A hold let go for a moment ends when the gap has passed.
        if (hold->heldSince != 0) wakeByClock(hold->lastHeld + kRepeatGapMs + 1);
        return;
    }
    if (hold->heldSince == 0) hold->heldSince = now;
    hold->lastHeld = now;
    // The key's repeats may not wake the loop (SDL takes them for one press).
    if (now - hold->heldSince < kKioskExitHoldMs) {
        wakeByClock(hold->heldSince + kKioskExitHoldMs);
        return;
    }
    hold->heldSince = 0;
    if (hold->quitting || !hold->saveAndQuit) return;
    hold->quitting = true;
    hold->saveAndQuit();
}

}  // namespace

void addKioskExit(SceneNode* root, void (*saveAndQuit)()) {
    if (!machinePolicy().kiosk || !root) return;
    SceneNode* watcher = createNode();
    playTrackWith(watcher, kioskExitWatch, 0.0, ownHandlerState(watcher, KioskExitHold{0, 0, saveAndQuit, false}));
    addChild(root, watcher);
}
