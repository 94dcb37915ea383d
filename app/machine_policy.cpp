#include "app/machine_policy.h"

#include <cstdlib>
#include <vector>

#include "app/access_config.h"
#include "app/config_lines.h"
#include "app/options.h"
#include "base/gl.h"
#include "base/platform.h"
#include "engine/switches.h"
#include "scene/animation.h"
#include "screens/languages.h"
#include "screens/screen_state.h"

MachinePolicy machinePolicy;

namespace {

const std::vector<std::string> kKeys = {"kiosk",   "parents_link", "clear_all", "language",  "profiles",
                                        "animals", "exports",      "sounds",    "music",     "access",
                                        "scan-time", "dwell-time", "reduced-motion"};

// The readings of an "on"/"off" key, the restrictive one taken when refused.
void readFlag(const std::string& path, const ConfigEntry& entry, bool restrictive, bool& out) {
    if (configBoolean(entry.value, out)) return;
    out = restrictive;
    refuseConfigValue(path, entry, "on or off", std::string("taken as ") + (restrictive ? "on" : "off"));
}

void readSwitch(const std::string& path, const ConfigEntry& entry, PolicySwitch restrictive, PolicySwitch& out) {
    bool on = false;
    if (configBoolean(entry.value, on)) {
        out = on ? PolicySwitch::forcedOn : PolicySwitch::forcedOff;
        return;
    }
    out = restrictive;
    refuseConfigValue(path, entry, "on or off",
                      restrictive == PolicySwitch::forcedOff ? "taken as off" : "left to the user");
}

void apply(const std::string& path, const ConfigEntry& e, MachinePolicy& p) {
    if (e.key == "kiosk") return readFlag(path, e, true, p.kiosk);
    if (e.key == "parents_link") return readFlag(path, e, false, p.parentsLink);
    if (e.key == "clear_all") return readFlag(path, e, false, p.clearAll);
    if (e.key == "exports") return readFlag(path, e, false, p.exports);
    if (e.key == "sounds") return readSwitch(path, e, PolicySwitch::forcedOff, p.sounds);
    if (e.key == "music") return readSwitch(path, e, PolicySwitch::forcedOff, p.music);
    if (e.key == "profiles") return readSwitch(path, e, PolicySwitch::free, p.profiles);
    if (e.key == "reduced-motion") return readSwitch(path, e, PolicySwitch::free, p.reducedMotion);
    if (e.key == "access") {
        if (accessMethodFromWord(e.value, p.access)) {
            p.accessFixed = true;
        } else {
            refuseConfigValue(path, e, "keys, switch2, switch1 or dwell", "left to the user");
        }
        return;
    }
    if (e.key == "scan-time" || e.key == "dwell-time") {
        bool scan = e.key == "scan-time";
        uint32_t ms = 0;
        if (parseSeconds(e.value, scan ? kLeastScanMs : kLeastDwellMs, scan ? kMostScanMs : kMostDwellMs, ms)) {
            (scan ? p.scanMs : p.dwellMs) = ms;
        } else {
            refuseConfigValue(path, e, scan ? "seconds from 0.5 to 5" : "seconds from 0.3 to 5", "left to the user");
        }
        return;
    }
    if (e.key == "language") {
        int32_t language = languageFromCode(e.value.c_str());
        if (language >= 0) {
            p.language = language;
        } else {
            refuseConfigValue(path, e, "a language: en, de, es, ru or fr", "not fixed");
        }
        return;
    }
    if (e.key == "animals") {
        int64_t n = 0;
        if (configInteger(e.value, 1, kMostAnimals, n)) {
            p.animals = int32_t(n);
        } else {
            refuseConfigValue(path, e, "a number of animals from 1 to " + std::to_string(kMostAnimals),
                              "left to the user");
        }
    }
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
    switch (readConfigFile(path, entries)) {
    case ConfigReadResult::missing:
        return MachinePolicy();
    case ConfigReadResult::unreadable: {
        reportConfigProblem(path, 0,
                            "the policy cannot be read, so its most restrictive reading holds: kiosk, no "
                            "parents' link, no clearing all pages, no exports, sounds and music off");
        MachinePolicy p = restrictivePolicy();
        p.path = path;
        return p;
    }
    case ConfigReadResult::read:
        break;
    }
    MachinePolicy p;
    p.present = true;
    p.path = path;
    reportUnknownConfigKeys(path, entries, kKeys);
    for (const ConfigEntry& entry : entries) apply(path, entry, p);
    return p;
}

MachinePolicy loadMachinePolicy() {
    std::string system = systemPolicyPath();
    if (!system.empty()) {
        MachinePolicy p = readMachinePolicy(system);
        if (p.present) return p;
    }
    const char* trial = std::getenv("QUILLMEAD_POLICY");
    if (trial && *trial) return readMachinePolicy(trial);
    return MachinePolicy();
}

bool applyPolicyToOptions(Options& options, std::string& why) {
    if (machinePolicy.language >= 0) options.language = machinePolicy.language;
    if (machinePolicy.exports) return true;
    const char* asked = !options.exportFolder.empty() ? "--export"
                        : !options.pdfFile.empty()    ? "--export-pdf"
                        : options.print               ? "--print"
                                                      : nullptr;
    if (!asked) return true;
    why = std::string(asked) + " is turned off on this computer by " + machinePolicy.path + " (exports = off)";
    return false;
}

void applyPolicyToSwitches() {
    if (machinePolicy.sounds != PolicySwitch::free) switches.soundOn = machinePolicy.sounds == PolicySwitch::forcedOn;
    if (machinePolicy.music != PolicySwitch::free) switches.musicOn = machinePolicy.music == PolicySwitch::forcedOn;
    ScreenLocks& locks = screenState.locks;
    locks.soundFixed = machinePolicy.sounds != PolicySwitch::free;
    locks.musicFixed = machinePolicy.music != PolicySwitch::free;
    locks.noClearAll = !machinePolicy.clearAll;
    // The parents' link ends the program to show the guide: in a kiosk it
    // would be a way out for the child.
    locks.noParentsLink = !machinePolicy.parentsLink || machinePolicy.kiosk;
    locks.noExit = machinePolicy.kiosk;
}

void applyPolicyToAccess(AccessSettings& settings) {
    if (machinePolicy.accessFixed) settings.method = machinePolicy.access;
    if (machinePolicy.scanMs > 0) settings.scanMs = machinePolicy.scanMs;
    if (machinePolicy.dwellMs > 0) settings.dwellMs = machinePolicy.dwellMs;
    if (machinePolicy.reducedMotion != PolicySwitch::free)
        settings.reducedMotion = machinePolicy.reducedMotion == PolicySwitch::forcedOn;
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
    uint32_t now = frameTime ? frameTime : 1;
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
    if (!machinePolicy.kiosk || !root) return;
    SceneNode* watcher = createNode();
    playTrackWith(watcher, kioskExitWatch, 0.0, ownHandlerState(watcher, KioskExitHold{0, 0, saveAndQuit, false}));
    addChild(root, watcher);
}
