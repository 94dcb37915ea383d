#include "app/settings_saver.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "base/platform.h"

namespace {

const uint32_t kCheckEveryMs = 500;

// Heap-allocated and never destroyed while its thread runs: a joinable thread
// must not meet a static destructor at exit.
struct SettingsKeeper {
    std::string path;
    bool setAsideFirst = false;  // the file on disk is damaged: keep it before replacing it
    bool neverWrite = false;     // not a regular file, or no path at all
    bool finished = false;       // the quit save is done; nothing more is written

    // Main thread only.
    std::vector<uint8_t> lastHandedOver;
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

SettingsKeeper* keeper = nullptr;

// The one place that replaces the file: sets a damaged original aside first and
// reports the first failure of a run of failures on stderr. Called with the
// keeper's mutex not held, from either thread, never from both at once (the
// writing flag serialises them).
bool writeImage(SettingsKeeper& k, const std::vector<uint8_t>& bytes) {
    bool ok = true;
    if (k.setAsideFirst) {
        std::string aside = k.path + ".damaged";
        ok = moveFileAside(k.path, aside);
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

void startKeepingSettings(const std::string& path, SettingsFileState state) {
    stopKeepingSettings();
    static bool atExitRegistered = false;
    if (!atExitRegistered) atExitRegistered = std::atexit(saveAtExit) == 0;
    keeper = new SettingsKeeper;
    keeper->path = path;
    keeper->neverWrite = path.empty() || state == SettingsFileState::notAFile;
    keeper->setAsideFirst = state == SettingsFileState::damaged;
    if (state == SettingsFileState::notAFile)
        std::fprintf(stderr, "quillmead: %s is not a file; the paintings cannot be kept there\n", path.c_str());
    // What start-up loaded is what the file holds: no write until something changes.
    if (state != SettingsFileState::damaged) keeper->lastHandedOver = writeSettings(currentSettings());
}

void keepSettingsUpToDate(uint32_t now) {
    SettingsKeeper* k = keeper;
    if (!k || k->neverWrite || k->finished) return;
    if (k->checkedOnce && now - k->lastCheck < kCheckEveryMs) return;
    k->checkedOnce = true;
    k->lastCheck = now;
    std::vector<uint8_t> bytes = writeSettings(currentSettings());
    if (bytes == k->lastHandedOver) return;
    k->lastHandedOver = bytes;
    std::lock_guard<std::mutex> lock(k->mutex);
    // A newer image replaces one still waiting: bursts of changes make one write.
    k->pending = std::move(bytes);
    k->hasPending = true;
    if (!k->writer.joinable()) k->writer = std::thread(writerLoop, k);
    k->wake.notify_one();
}

bool saveSettingsNow() {
    SettingsKeeper* k = keeper;
    if (!k || k->neverWrite) return false;
    k->finished = true;
    std::vector<uint8_t> bytes = writeSettings(currentSettings());
    std::unique_lock<std::mutex> lock = waitForWriter(*k);
    k->writing = true;
    lock.unlock();
    bool ok = writeImage(*k, bytes);
    lock.lock();
    k->writing = false;
    k->lastHandedOver = bytes;
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

int settingsWritesDone() {
    SettingsKeeper* k = keeper;
    if (!k) return 0;
    std::lock_guard<std::mutex> lock(k->mutex);
    return k->writesDone;
}
