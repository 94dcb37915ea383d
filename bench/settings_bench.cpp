// The settings file of a child who has opened every page: 21 pages of 54
// regions each. Encoding and decoding in memory, then the real save (temporary
// file, fsync, rename) and load through the file system.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/settings_file.h"

namespace {

Settings fullBook() {
    Settings s;
    s.showHelpAtStart = false;
    s.language = 2;
    s.pages.currentList = 20;
    for (int w = 0; w < 4; ++w) {
        s.wells[w].empty = w % 2 == 0;
        s.wells[w].color.red = 0.25 * w;
    }
    for (int page = 1; page <= 21; ++page) {
        s.pages.pageKeys.push_back(page);
        std::vector<ElementColorRecord> list(54);
        for (int e = 0; e < 54; ++e) {
            list[size_t(e)].element = e + 1;
            list[size_t(e)].painted = e % 3 == 0;
            list[size_t(e)].color.r = e / 54.0;
            list[size_t(e)].color.yellow = (e % 5) / 4.0;
        }
        s.pages.pageLists.push_back(std::move(list));
    }
    return s;
}

std::string benchFolder() {
    char pattern[] = "/tmp/qm_bench_XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "/tmp";
}

void BM_SettingsWrite(benchmark::State& state) {
    Settings s = fullBook();
    size_t size = 0;
    for (auto _ : state) {
        std::vector<uint8_t> bytes = writeSettings(s);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
    state.counters["file_bytes"] = double(size);
}
BENCHMARK(BM_SettingsWrite);

void BM_SettingsRead(benchmark::State& state) {
    std::vector<uint8_t> bytes = writeSettings(fullBook());
    for (auto _ : state) {
        Settings s;
        readSettings(s, bytes.data(), bytes.size());
        benchmark::DoNotOptimize(s.pages.pageLists.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_SettingsRead);

// What quitting costs: the whole save, including the flush to the disk.
void BM_SettingsSaveFile(benchmark::State& state) {
    Settings s = fullBook();
    std::string folder = benchFolder();
    std::string path = folder + "/velvadine_quillmead_cfg";
    for (auto _ : state) {
        if (!saveSettingsFile(s, path)) state.SkipWithError("save failed");
    }
    unlink(path.c_str());
    rmdir(folder.c_str());
}
BENCHMARK(BM_SettingsSaveFile)->Unit(benchmark::kMicrosecond);

// What start-up costs: open, read to the end, decode.
void BM_SettingsLoadFile(benchmark::State& state) {
    std::string folder = benchFolder();
    std::string path = folder + "/velvadine_quillmead_cfg";
    if (!saveSettingsFile(fullBook(), path)) state.SkipWithError("save failed");
    for (auto _ : state) {
        Settings s = loadSettingsFile(path);
        benchmark::DoNotOptimize(s.pages.pageLists.data());
    }
    unlink(path.c_str());
    rmdir(folder.c_str());
}
BENCHMARK(BM_SettingsLoadFile)->Unit(benchmark::kMicrosecond);

}  // namespace
