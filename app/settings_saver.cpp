#include "app/settings_saver.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "base/file_keeping.h"
#include "base/host_limits.h"
#include "base/lasting_storage.h"
#include "base/platform.h"

namespace {

const uint32_t kCheckEveryMs = 500;

// Heap-allocated and never destroyed while its thread runs: a joinable thread
// must not meet a static destructor at exit.
struct SettingsKeeper {
    std::string path;            // where writes go: the settings file, or the file its link names
    bool setAsideFirst = false;  // the file on disk is damaged: keep it before replacing it
    bool neverWrite = false;     // not a regular file, unreadable, no path at all, or saving turned off
    bool finished = false;       // the quit save is done; nothing more is written

    // Main thread only.
    bool started = false;  // the first pass of the main loop has run: writes may begin
    // whatTheChildMade of the settings last handed over (or loaded): what a
    // change is measured by.
    std::vector<uint8_t> lastMade;
    bool fileBehind = false;  // the file may not hold lastMade (missing, or a failed quit save)
    uint32_t lastCheck = 0;
    bool checkedOnce = false;

    // Shared with the writer thread, under mutex.
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::vector<uint8_t> pending;
    bool hasPending = false;
    bool writing = false;
    bool stop = false;
    int writesDone = 0;
    bool failureReported = false;
    std::thread writer;
};

// The one keeper of this run, started by startKeepingSettings and ended by
// stopKeepingSettings (main thread only; its writer thread is handed the
// keeper and takes its lock).
SettingsKeeper* keeper = nullptr;
bool keepingNothing = false;

// The one place that replaces the file: sets a damaged original aside first and
// reports the first failure of a run of failures on stderr. Called with the
// keeper's mutex not held, from either thread, never from both at once (the
// writing flag serialises them).
bool writeImage(SettingsKeeper& k, const std::vector<uint8_t>& bytes) {
    bool ok = true;
    if (k.setAsideFirst) {
        std::string aside = moveToFreeDamagedName(k.path);
        ok = !aside.empty();
        if (ok) {
            std::fprintf(stderr,
                         "quillmead: the settings file %s was damaged; what could be read is kept, and the "
                         "damaged file is kept as %s\n",
                         k.path.c_str(), aside.c_str());
            k.setAsideFirst = false;
        }
    }
    // A damaged file that cannot be set aside is not replaced either.
    ok = ok && replaceFileContents(k.path, bytes);
    if (ok) keepWrittenFilesLasting();
    std::lock_guard<std::mutex> lock(k.mutex);
    if (!ok && !k.failureReported) {
        std::fprintf(stderr, "quillmead: could not save the paintings to %s; trying again at the next change\n",
                     k.path.c_str());
    }
    k.failureReported = !ok;
    k.writesDone++;
    return ok;
}

void writerLoop(SettingsKeeper* k) {
    std::unique_lock<std::mutex> lock(k->mutex);
    for (;;) {
        k->wake.wait(lock, [k] { return k->stop || k->hasPending; });
        if (!k->hasPending) break;
        std::vector<uint8_t> bytes;
        bytes.swap(k->pending);
        k->hasPending = false;
        k->writing = true;
        lock.unlock();
        writeImage(*k, bytes);
        lock.lock();
        k->writing = false;
        k->idle.notify_all();
    }
}

// Without threads the pass writes what was handed over itself, between frames.
void writePendingHere(SettingsKeeper& k) {
    std::vector<uint8_t> bytes;
    {
        std::lock_guard<std::mutex> lock(k.mutex);
        if (!k.hasPending) return;
        bytes.swap(k.pending);
        k.hasPending = false;
    }
    writeImage(k, bytes);
}

// Waits until no write is in flight or queued, and returns holding the lock.
std::unique_lock<std::mutex> waitForWriter(SettingsKeeper& k) {
    std::unique_lock<std::mutex> lock(k.mutex);
    k.idle.wait(lock, [&k] { return !k.writing && !k.hasPending; });
    return lock;
}

// Whatever ends the program through exit() (a lost X connection ends it so)
// still writes the latest paintings.
void saveAtExit() {
    if (keeper && !keeper->finished) saveSettingsNow();
}

}  // namespace

void keepNothingThisRun() {
    keepingNothing = true;
    if (keeper) keeper->neverWrite = true;
}

void startKeepingSettings(const std::string& path, SettingsFileState state) {
    stopKeepingSettings();
    static bool atExitRegistered = false;
    if (!atExitRegistered) atExitRegistered = std::atexit(saveAtExit) == 0;
    keeper = new SettingsKeeper;
    // A link is written through: its target is replaced, in the target's folder.
    keeper->path = path.empty() ? path : linkTargetOf(path);
    keeper->neverWrite = keepingNothing || path.empty() || state == SettingsFileState::notAFile ||
                         state == SettingsFileState::unreadable || state == SettingsFileState::newer;
    keeper->setAsideFirst = state == SettingsFileState::damaged;
    // A folder that refuses files now will refuse the first save too: known
    // from the start, so the exit screen tells the truth even if nothing is
    // painted. A write that later succeeds clears it.
    if (!keeper->neverWrite && !canCreateFileBeside(keeper->path)) {
        keeper->failureReported = true;
        std::fprintf(stderr,
                     "quillmead: nothing can be written beside %s; the paintings of this time cannot be kept\n",
                     keeper->path.c_str());
    }
    if (state == SettingsFileState::notAFile)
        std::fprintf(stderr, "quillmead: %s is not a file; the paintings cannot be kept there\n", path.c_str());
    if (state == SettingsFileState::newer)
        std::fprintf(stderr,
                     "quillmead: the settings file %s was written by a newer Quillmead; it is left as it is, this "
                     "copy opens an empty book and what is painted now will not be kept\n",
                     path.c_str());
    if (state == SettingsFileState::unreadable)
        std::fprintf(stderr,
                     "quillmead: the settings file %s cannot be read; the book opens empty this time and the file "
                     "is left as it is\n",
                     path.c_str());
    // What start-up loaded counts as saved, a damaged file's readable part too:
    // nothing is written (and nothing set aside) until something changes. A
    // missing file is not there yet.
    keeper->lastMade = whatTheChildMade(currentSettings());
    keeper->fileBehind = state == SettingsFileState::missing;
}

void keepSettingsUpToDate(uint32_t now) {
    SettingsKeeper* k = keeper;
    if (!k || k->neverWrite || k->finished) return;
    // Called after each pass's frame: from the first one on the program has
    // started, and its page is built.
    k->started = true;
    if (k->checkedOnce && now - k->lastCheck < kCheckEveryMs) return;
    k->checkedOnce = true;
    k->lastCheck = now;
    const Settings live = currentSettings();
    std::vector<uint8_t> made = whatTheChildMade(live);
    if (made == k->lastMade) return;
    std::vector<uint8_t> bytes = writeSettings(live);
    k->lastMade = std::move(made);
    // From here the writer answers for the file: a failure sets failureReported.
    k->fileBehind = false;
    {
        std::lock_guard<std::mutex> lock(k->mutex);
        // A newer image replaces one still waiting: bursts of changes make one write.
        k->pending = std::move(bytes);
        k->hasPending = true;
        if (kHostHasThreads && !k->writer.joinable()) k->writer = std::thread(writerLoop, k);
        k->wake.notify_one();
    }
    if (!kHostHasThreads) writePendingHere(*k);
}

void keepSettingsUpToDateNow(uint32_t now) {
    if (!keeper || !keeper->started) return;
    keeper->checkedOnce = false;
    keepSettingsUpToDate(now);
}

bool saveSettingsNow() {
    SettingsKeeper* k = keeper;
    if (!k || k->neverWrite) return false;
    // A start that failed or was cut short writes nothing: the file keeps what
    // it held, the open page included.
    if (!k->started) return false;
    k->finished = true;
    const Settings live = currentSettings();
    std::vector<uint8_t> made = whatTheChildMade(live);
    std::vector<uint8_t> bytes = writeSettings(live);
    std::unique_lock<std::mutex> lock = waitForWriter(*k);
    // The writer has written what was last handed over, successfully unless it
    // said otherwise: what differs from it only by records nobody painted
    // would change nothing a child made.
    if (made == k->lastMade && !k->fileBehind && !k->failureReported) return true;
    k->writing = true;
    lock.unlock();
    bool ok = writeImage(*k, bytes);
    lock.lock();
    k->writing = false;
    k->lastMade = std::move(made);
    k->fileBehind = !ok;
    return ok;
}

void stopKeepingSettings() {
    SettingsKeeper* k = keeper;
    if (!k) return;
    {
        std::unique_lock<std::mutex> lock = waitForWriter(*k);
        k->stop = true;
        k->wake.notify_one();
    }
    if (k->writer.joinable()) k->writer.join();
    keeper = nullptr;
    delete k;
}

bool paintingsWillBeKept() {
    SettingsKeeper* k = keeper;
    if (!k || k->neverWrite) return false;
    std::lock_guard<std::mutex> lock(k->mutex);
    return !k->failureReported;
}

int settingsWritesDone() {
    SettingsKeeper* k = keeper;
    if (!k) return 0;
    std::lock_guard<std::mutex> lock(k->mutex);
    return k->writesDone;
}
