// The picture worker parses models and decodes pictures of archives the main
// thread holds, while the main thread queues, cancels and takes results, as
// the program does between frames. Built with ThreadSanitizer: exit 0 when no
// race was reported and every result, handed back a picture at a time, is
// exactly what the same work gives on one thread: the same reasons, the same
// pixels; a damaged archive costs its own models only; a stop in the middle,
// with the worker waiting for a picture to be taken, joins promptly and the
// worker starts again afterwards. The same rounds again with no thread, the
// work done a picture a call by the taker (the browser's way), give the same.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "resources/picture_worker.h"
#include "screens/screen_entries.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "picture_worker_race: FAILED: %s\n", what.c_str());
    ++failures;
}

std::vector<std::string> pageModels(int regions) {
    std::vector<std::string> models{"block"};
    for (int k = 1; k <= regions; ++k) models.push_back("el" + std::to_string(k));
    return models;
}

bool open(PakArchive& archive, const char* name) {
    std::string path = std::string(QM_DATA_DIR) + "/" + name;
    bool ok = pakOpen(archive, path.c_str());
    check(ok, std::string("cannot open ") + path);
    return ok;
}

bool samePictures(const PictureJobResult& a, const PictureJobResult& b) {
    if (a.pictures.size() != b.pictures.size() || a.skipped != b.skipped || a.damage != b.damage) return false;
    for (size_t i = 0; i < a.pictures.size(); ++i) {
        const RgbaImage& x = a.pictures[i].image;
        const RgbaImage& y = b.pictures[i].image;
        if (a.pictures[i].entry != b.pictures[i].entry || x.width != y.width || x.height != y.height ||
            x.channels != y.channels || x.pixels != y.pixels)
            return false;
    }
    return true;
}

// Adds a piece to what its job has given so far; true once the job is whole.
bool absorb(PictureJobResult& whole, PictureJobResult& piece) {
    for (DecodedPicture& p : piece.pictures) whole.pictures.push_back(std::move(p));
    if (!piece.finished) return false;
    whole.id = piece.id;
    whole.finished = true;
    whole.damage = piece.damage;
    whole.skipped = piece.skipped;
    return true;
}

size_t damagedModels(const PictureJobResult& r) {
    size_t n = 0;
    for (const std::string& why : r.damage) n += why.empty() ? 0 : 1;
    return n;
}

// Rounds of queueing from the main thread while the worker runs; the odd
// rounds cancel the last job if it has not started.
void runRounds(PictureWorker& worker, const std::vector<PictureJob>& jobs,
               const std::vector<PictureJobResult>& expected, const char* how) {
    for (int round = 0; round < 6; ++round) {
        for (const PictureJob& job : jobs) queuePictureJob(worker, job);
        bool cancelled = round % 2 == 1 && cancelPictureJob(worker, jobs.back().id);
        size_t wanted = jobs.size() - (cancelled ? 1 : 0), got = 0;
        std::vector<PictureJobResult> assembled(jobs.size());
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (got < wanted && std::chrono::steady_clock::now() < until) {
            PictureJobResult piece;
            if (!takePictureResult(worker, piece)) {
                pictureJobPending(worker, jobs[0].id);
                continue;
            }
            const bool known = piece.id >= 1 && piece.id <= int32_t(jobs.size());
            check(known, "a piece names its job");
            if (!known) continue;
            check(!(cancelled && piece.id == jobs.back().id), "a cancelled job gives no piece");
            check(piece.pictures.size() == (piece.finished ? 0u : 1u),
                  "a piece before the last holds one picture, the last none");
            PictureJobResult& whole = assembled[size_t(piece.id - 1)];
            if (!absorb(whole, piece)) continue;
            ++got;
            check(samePictures(whole, expected[size_t(piece.id - 1)]),
                  std::string(how) + "round " + std::to_string(round) + ": job " + std::to_string(piece.id) +
                      " gives what one thread gives");
        }
        check(got == wanted, std::string(how) + "round " + std::to_string(round) + ": every job came back");
        for (const PictureJob& job : jobs) check(!pictureJobPending(worker, job.id), "nothing pending after a round");
    }
}

}  // namespace

int main() {
    PakArchive page1, page6, damaged6, common;
    if (!open(page1, "page01.pak") || !open(page6, "page06.pak") || !open(damaged6, "page06.pak") ||
        !open(common, commonArchive))
        return 1;
    // The paper of the copy does not decode: every model drawn with it is damaged.
    for (PakEntry& entry : damaged6.entries)
        if (entry.name == "paper.png") entry.data.assign(40, 0x5a), entry.size = 40;

    std::vector<PictureJob> jobs(4);
    jobs[0].archive = &page1, jobs[0].models = pageModels(23);
    jobs[1].archive = &damaged6, jobs[1].models = pageModels(43);
    jobs[2].archive = &common, jobs[2].models = {std::begin(commonEntries), std::end(commonEntries)};
    jobs[3].archive = &page6, jobs[3].models = pageModels(43), jobs[3].skip = {"cover.png"};
    std::vector<PictureJobResult> expected;
    for (size_t i = 0; i < jobs.size(); ++i) {
        jobs[i].id = int32_t(i + 1);
        expected.push_back(runPictureJob(jobs[i]));
    }
    check(damagedModels(expected[0]) == 0 && !expected[0].pictures.empty(), "page 1 is whole and has pictures");
    check(damagedModels(expected[1]) > 0, "the damaged copy of page 6 is found damaged");
    check(damagedModels(expected[3]) == 0, "the whole page 6 is whole");
    check(expected[1].damage[0].find("paper.png") != std::string::npos, "the reason names the picture");
    check(expected[3].skipped == std::vector<std::string>{"cover.png"}, "a picture alive already is skipped");
    bool someRgb = false, someRgba = false;
    for (const PictureJobResult& r : expected)
        for (const DecodedPicture& p : r.pictures) {
            someRgb = someRgb || p.image.channels == 3;
            someRgba = someRgba || p.image.channels == 4;
            check(p.image.pixels.size() == size_t(p.image.width) * size_t(p.image.height) * size_t(p.image.channels),
                  "a picture's bytes match its size: " + p.entry);
        }
    check(someRgb && someRgba, "opaque pictures are packed to RGB, cut-outs keep their alpha");

    PictureWorker worker;
    runRounds(worker, jobs, expected, "");
    PictureWorker sliced;
    sliced.onCallersThread = true;
    runRounds(sliced, jobs, expected, "without a thread, ");
    stopPictureWorker(sliced);

    // A stop with work queued and in hand returns within a picture or two.
    for (int i = 0; i < 8; ++i) queuePictureJob(worker, jobs[i % 2]);
    auto stopBegan = std::chrono::steady_clock::now();
    stopPictureWorker(worker);
    double stopMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - stopBegan).count();
    check(stopMs < 2000, "the stop joined in " + std::to_string(stopMs) + " ms");
    PictureJobResult left;
    check(!takePictureResult(worker, left), "nothing is left after a stop");
    // And the worker starts again for the next run of the program.
    queuePictureJob(worker, jobs[2]);
    PictureJobResult again, piece;
    while (!(takePictureResult(worker, piece) && absorb(again, piece))) {
    }
    check(samePictures(again, expected[2]), "the worker runs again after a stop");
    stopPictureWorker(worker);

    if (failures) return 1;
    std::printf("picture_worker_race: %zu jobs, 6 rounds, stop joined in %.1f ms\n", jobs.size(), stopMs);
    return 0;
}
