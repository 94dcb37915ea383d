// Resources: opening a large archive against one plain read of the same file,
// loading a large model into a node, and one step of each procedural generator.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "proctex/procedural_texture.h"
#include "resources/model.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "scene/scene_node.h"

namespace {

// A 20 MB archive of entries of mixed sizes, like a page archive: pictures of a
// megabyte or so and many small models. Written once per process.
const std::string& largeArchivePath() {
    static std::string path;
    if (!path.empty()) return path;
    char dir[] = "/tmp/qm_bench_XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    path = std::string(dir) + "/large.pak";
    PakArchive a;
    std::vector<uint8_t> bytes(1 << 20);
    for (size_t i = 0; i < bytes.size(); i++) bytes[i] = uint8_t(i * 31 + 7);
    size_t total = 0;
    int n = 0;
    while (total < 20u << 20) {
        size_t size = n % 4 == 0 ? bytes.size() : 40000 + size_t(n) * 13;
        pakAddBuffer(a, "entry" + std::to_string(n++), bytes.data(), size);
        total += size;
    }
    if (!pakSave(a, path.c_str())) std::abort();
    return path;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The reference: one fread of the whole file into one buffer.
void readWholeFile(const char* path) {
    FILE* f = std::fopen(path, "rb");
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(size_t(size)));
    if (std::fread(buffer, 1, size_t(size), f) != size_t(size)) std::abort();
    benchmark::DoNotOptimize(buffer[size - 1]);
    std::free(buffer);
    std::fclose(f);
}

// Both, alternately, so that they see the same page cache: the time shown is
// the archive's; the counters give the plain read and the ratio between them.
void BM_OpenArchive20MBAgainstOneFread(benchmark::State& state) {
    const std::string& path = largeArchivePath();
    readWholeFile(path.c_str());
    double openTotal = 0, freadTotal = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        PakArchive archive;
        if (!pakOpen(archive, path.c_str())) std::abort();
        pakClose(archive);
        double open = secondsSince(t0);
        auto t1 = std::chrono::steady_clock::now();
        readWholeFile(path.c_str());
        double fread = secondsSince(t1);
        state.SetIterationTime(open);
        openTotal += open;
        freadTotal += fread;
    }
    state.counters["fread_ms"] = freadTotal / double(state.iterations()) * 1000;
    state.counters["open_over_fread"] = openTotal / freadTotal;
    state.SetBytesProcessed(int64_t(state.iterations()) * (20 << 20));
}
BENCHMARK(BM_OpenArchive20MBAgainstOneFread)->UseManualTime()->Unit(benchmark::kMillisecond);

// 20,000 triangles in ten meshes, untextured, from an archive held open, so that
// only the loading itself is measured.
void BM_LoadModel20000Triangles(benchmark::State& state) {
    char dir[] = "/tmp/qm_bench_XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    std::vector<ModelMeshData> meshes(10);
    for (ModelMeshData& m : meshes) {
        for (int i = 0; i < 2000 * 9; i++) m.vertices.push_back(i * 0.001);
        m.normals.assign(2000 * 9, 0.5);
        m.texCoords.assign(2000 * 6, 0.25);
        m.material.specular[0] = 0.5f;
    }
    std::vector<uint8_t> model = writeModel(meshes);
    PakArchive a;
    pakAddBuffer(a, "flower", model.data(), model.size());
    std::string previousBase = pakCache().baseDirectory;
    pakCache().baseDirectory = std::string(dir) + "/";
    if (!pakSave(a, (pakCache().baseDirectory + "bench.pak").c_str())) std::abort();
    pakAcquireOrExit("bench.pak");
    for (auto _ : state) {
        SceneNode* node = createNode();
        loadModel(node, "bench.pak", "flower");
        benchmark::DoNotOptimize(node->meshes.data());
        state.PauseTiming();
        if (node->meshCount != 10) std::abort();
        destroyNode(node);
        state.ResumeTiming();
    }
    pakRelease("bench.pak");
    pakCache().baseDirectory = previousBase;
    state.counters["triangles"] = 20000;
}
BENCHMARK(BM_LoadModel20000Triangles)->Unit(benchmark::kMicrosecond);

void BM_FireStep(benchmark::State& state) {
    int size = int(state.range(0));
    FireState fire;
    initFireState(fire, size, size);
    std::vector<uint8_t> pixels(size_t(size) * size_t(size) * 4);
    std::srand(1);
    for (auto _ : state) {
        generateFire(0, size, size, pixels.data(), &fire);
        benchmark::DoNotOptimize(pixels.data());
    }
    std::free(fire.heat);
    std::free(fire.scratch);
    state.SetItemsProcessed(int64_t(state.iterations()) * size * size);
}
BENCHMARK(BM_FireStep)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

void BM_PlasmaStep(benchmark::State& state) {
    int size = int(state.range(0));
    uint8_t rgb[3] = {200, 100, 50};
    std::vector<uint8_t> pixels(size_t(size) * size_t(size) * 4);
    int32_t time = 0;
    for (auto _ : state) {
        generatePlasma(time, size, size, pixels.data(), rgb);
        time += 16;
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * size * size);
}
BENCHMARK(BM_PlasmaStep)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace
