// The machine's policy: a file an administrator writes for every user of the
// computer (a school's or a family's), read once at start. What it sets wins
// over the command line, the user's own configuration and the settings file,
// and nothing on the screens can change it. Without the file the program is
// exactly as it would be without this feature.
//
// Where it is: machineSettingsFolder()/quillmead/policy.conf, that is
// /etc/quillmead/policy.conf on Linux and C:\ProgramData\Quillmead\policy.conf
// on Windows. Lines of "key = value" (app/config_lines.h).
#pragma once
#include <cstdint>
#include <string>

#include "engine/access.h"

// A switch the policy may hold on or off, or leave to the child.
enum class PolicySwitch { free, forcedOff, forcedOn };

struct MachinePolicy {
    bool present = false;  // a policy file was found (read or not)
    std::string path;      // the file read, for messages
    // No close button and no exit question; Escape closes screens only. The
    // way out is a termination signal or Ctrl+Alt+Q held for kKioskExitHoldMs.
    bool kiosk = false;
    bool parentsLink = true;  // the setup screen's "For parents" button
    bool clearAll = true;     // the setup screen's "Clear all pages" button
    int32_t language = -1;    // fixed language, -1: not fixed
    // Profiles: a book for each child, chosen on "Who is painting?". profiles
    // free leaves it to the user's configuration; animals 0 leaves the count.
    PolicySwitch profiles = PolicySwitch::free;
    int32_t animals = 0;
    bool exports = true;  // --export, --export-pdf, --print and Ctrl+S
    PolicySwitch sounds = PolicySwitch::free;
    PolicySwitch music = PolicySwitch::free;
    // How the child plays, as the user's access file says it (app/access_config.h),
    // fixed over that file and the command line. Unset: left to them.
    bool accessFixed = false;
    AccessMethod access = AccessMethod::keys;
    uint32_t scanMs = 0, dwellMs = 0;  // 0: left to the user
    PolicySwitch reducedMotion = PolicySwitch::free;
};

// How long Ctrl+Alt+Q must be held to leave a kiosk.
constexpr uint32_t kKioskExitHoldMs = 3000;
// The most animals (children) a machine offers.
constexpr int32_t kMostAnimals = 12;

// What an administrator gets when the file cannot be read: everything locked
// that can be (kiosk, no parents' link, no clearing all, no exports, sounds and
// music off); language and profiles as the user has them.
MachinePolicy restrictivePolicy();

// The system's policy file; "" when the system names no place for it.
std::string systemPolicyPath();
// Reads the policy at path, strictly, failing closed. A missing file is no
// policy. Any problem (a file that cannot be read or is not text, a link to a
// missing file, a line that is not "key = value", an unknown key, a key set
// twice, a value out of range) gives every key that locks something its most
// restrictive reading (restrictivePolicy()); the other keys keep what was read
// cleanly. One stderr line names the file and the first problem's line. So a
// kiosk stays a kiosk unless the whole file says "kiosk = off" cleanly.
MachinePolicy readMachinePolicy(const std::string& path);
// The policy this run obeys: the system's file; only where there is none, the
// file $QUILLMEAD_POLICY names (so that an administrator can try a policy out
// before installing it; it can never loosen the system's).
MachinePolicy loadMachinePolicy();

// The policy this run obeys, set once by the program's start.
MachinePolicy& machinePolicy();

struct Options;
struct SceneNode;

// What the policy does to the command line: a fixed language replaces the one
// asked for. false, with why, when the options ask for an export the policy
// forbids (--export, --export-pdf, --print).
bool applyPolicyToOptions(Options& options, std::string& why);
// After the settings file has been read: forced sounds and music set, and the
// screens told which of their controls are locked or gone.
void applyPolicyToSwitches();
// Over the access settings of a start (the user's file and the command line
// already applied): the method, the timings and reduced motion the policy fixes.
void applyPolicyToAccess(AccessSettings& settings);
// Under root, in a kiosk: the adult's way out, Ctrl+Alt+Q held for
// kKioskExitHoldMs, which saves and quits as the exit question's OK does.
void addKioskExit(SceneNode* root, void (*saveAndQuit)());
