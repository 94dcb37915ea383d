// The settings keeper hands byte images to its writer thread while the main
// thread goes on painting, and the quit save waits for a write in flight before
// writing last. Built with ThreadSanitizer: exit 0 when no race was reported and
// the file on disk holds exactly the last state.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/settings_saver.h"
#include "book/book_state.h"

int main() {
    char folder[] = "/tmp/qm_keeper_XXXXXX";
    if (!mkdtemp(folder)) return 1;
    std::string path = std::string(folder) + "/velvadine_quillmead_cfg";
    resetBook();
    startKeepingSettings(path, SettingsFileState::missing);
    selectPageList(1);
    // Changes far faster than a child's, each one checked: the writer is busy
    // while the main thread changes the state and hands over the next image.
    uint32_t now = 0;
    for (int step = 0; step < 400; ++step) {
        PaintColor c;
        setPaint(c, (step % 7) / 7.0, (step % 5) / 5.0, (step % 3) / 3.0);
        setElementColor(1 + step % 23, c, true);
        now += 600;
        keepSettingsUpToDate(now);
        if (step % 50 == 0) usleep(1000);
    }
    int during = settingsWritesDone();
    setElementColor(5, white, false);
    bool saved = saveSettingsNow();
    std::vector<uint8_t> expected = writeSettings(currentSettings());
    stopKeepingSettings();

    FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<uint8_t> onDisk;
    if (f) {
        int ch;
        while ((ch = std::fgetc(f)) != EOF) onDisk.push_back(uint8_t(ch));
        std::fclose(f);
    }
    std::printf("%d writes while painting; quit save %s; file %s the last state\n", during,
                saved ? "done" : "failed", onDisk == expected ? "holds" : "does not hold");
    return saved && during > 0 && onDisk == expected ? 0 : 1;
}
