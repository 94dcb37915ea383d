#include "resources/picture_worker.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "resources/archive_check.h"

namespace {

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Workers whose thread runs; a process that ends through exit() stops them
// first, before the objects they read go. Main thread only.
std::vector<PictureWorker*> startedWorkers;

void stopWorkersAtExit() {
    while (!startedWorkers.empty()) stopPictureWorker(*startedWorkers.back());
}

void workerBody(PictureWorker* worker) {
    std::unique_lock<std::mutex> guard(worker->lock);
    for (;;) {
        worker->wake.wait(guard, [worker] { return worker->stopping || !worker->jobs.empty(); });
        if (worker->stopping) return;
        PictureJob job = std::move(worker->jobs.front());
        worker->jobs.pop_front();
        worker->running = job.id;
        guard.unlock();
        auto handOver = [worker, &job](DecodedPicture&& picture) {
            std::unique_lock<std::mutex> waiting(worker->lock);
            worker->wake.wait(waiting, [worker] { return worker->stopping || worker->done.empty(); });
            PictureJobResult piece;
            piece.id = job.id;
            piece.pictures.push_back(std::move(picture));
            if (!worker->stopping) worker->done.push_back(std::move(piece));
        };
        PictureJobResult result = runPictureJob(job, &worker->stopping, handOver);
        result.finished = true;
        guard.lock();
        worker->running = 0;
        if (!worker->stopping) worker->done.push_back(std::move(result));
    }
}

}  // namespace

PictureJobResult runPictureJob(const PictureJob& job, const std::atomic<bool>* stop,
                               const std::function<void(DecodedPicture&&)>& handOver) {
    PictureJobResult result;
    result.id = job.id;
    result.finished = true;
    std::vector<std::string> decoded, failed;
    for (const std::string& model : job.models) {
        std::vector<std::string> pictures;
        std::string why = damageInModelShape(*job.archive, model.c_str(), pictures);
        for (size_t i = 0; i < pictures.size() && why.empty(); ++i) {
            const std::string& name = pictures[i];
            if (contains(job.skip, name)) {
                if (!contains(result.skipped, name)) result.skipped.push_back(name);
                continue;
            }
            if (contains(failed, name)) {
                why = pictureDamageReason(name);
                continue;
            }
            if (contains(decoded, name)) continue;
            if (stop && stop->load()) return result;
            DecodedPicture picture{name, RgbaImage()};
            int32_t size = 0;
            const uint8_t* bytes = pakGetEntry(*job.archive, name.c_str(), &size);
            if (!bytes || size <= 0 || !decodePngToRgba(bytes, size_t(size), picture.image)) {
                failed.push_back(name);
                why = pictureDamageReason(name);
                continue;
            }
            dropOpaqueAlpha(picture.image);
            decoded.push_back(name);
            if (handOver)
                handOver(std::move(picture));
            else
                result.pictures.push_back(std::move(picture));
        }
        result.damage.push_back(why);
    }
    return result;
}

void queuePictureJob(PictureWorker& worker, PictureJob job) {
    {
        std::lock_guard<std::mutex> guard(worker.lock);
        worker.stopping = false;
        worker.jobs.push_back(std::move(job));
    }
    if (!worker.thread.joinable()) {
        static const bool stopsAtExit = std::atexit(stopWorkersAtExit) == 0;
        (void)stopsAtExit;
        worker.thread = std::thread(workerBody, &worker);
        startedWorkers.push_back(&worker);
    }
    worker.wake.notify_all();
}

bool takePictureResult(PictureWorker& worker, PictureJobResult& result) {
    {
        std::lock_guard<std::mutex> guard(worker.lock);
        if (worker.done.empty()) return false;
        result = std::move(worker.done.front());
        worker.done.pop_front();
    }
    worker.wake.notify_all();
    return true;
}

bool cancelPictureJob(PictureWorker& worker, int32_t id) {
    std::lock_guard<std::mutex> guard(worker.lock);
    for (auto it = worker.jobs.begin(); it != worker.jobs.end(); ++it) {
        if (it->id != id) continue;
        worker.jobs.erase(it);
        return true;
    }
    return false;
}

bool pictureJobPending(PictureWorker& worker, int32_t id) {
    std::lock_guard<std::mutex> guard(worker.lock);
    if (worker.running == id) return true;
    for (const PictureJob& job : worker.jobs)
        if (job.id == id) return true;
    return false;
}

void stopPictureWorker(PictureWorker& worker) {
    {
        std::lock_guard<std::mutex> guard(worker.lock);
        worker.stopping = true;
        worker.jobs.clear();
    }
    worker.wake.notify_all();
    if (worker.thread.joinable()) worker.thread.join();
    startedWorkers.erase(std::remove(startedWorkers.begin(), startedWorkers.end(), &worker), startedWorkers.end());
    std::lock_guard<std::mutex> guard(worker.lock);
    worker.done.clear();
    worker.running = 0;
}
