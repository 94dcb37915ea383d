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

// Without threads the caller's thread does the work, one picture per call:
// the next piece of the job in hand, or of the next job queued.
bool takeSliceResult(PictureWorker& worker, PictureJobResult& result) {
    for (;;) {
        if (!worker.slicing) {
            if (worker.jobs.empty()) return false;
            worker.slicedJob = std::move(worker.jobs.front());
            worker.jobs.pop_front();
            worker.running = worker.slicedJob.id;
            worker.slicing = true;
            worker.stepper = PictureJobStepper();
            worker.stepper.job = &worker.slicedJob;
            worker.stepper.result.id = worker.slicedJob.id;
        }
        DecodedPicture picture;
        if (stepPictureJob(worker.stepper, nullptr, picture)) {
            result = PictureJobResult();
            result.id = worker.slicedJob.id;
            result.pictures.push_back(std::move(picture));
            return true;
        }
        worker.slicing = false;
        worker.running = 0;
        result = std::move(worker.stepper.result);
        result.finished = true;
        worker.stepper = PictureJobStepper();
        return true;
    }
}

}  // namespace

bool stepPictureJob(PictureJobStepper& st, const std::atomic<bool>* stop, DecodedPicture& picture) {
    const PictureJob& job = *st.job;
    PictureJobResult& result = st.result;
    while (st.model < job.models.size()) {
        if (!st.modelOpen) {
            st.pictures.clear();
            st.why = damageInModelShape(*job.archive, job.models[st.model].c_str(), st.pictures);
            st.picture = 0;
            st.modelOpen = true;
        }
        while (st.picture < st.pictures.size() && st.why.empty()) {
            const std::string& name = st.pictures[st.picture++];
            if (contains(job.skip, name)) {
                if (!contains(result.skipped, name)) result.skipped.push_back(name);
                continue;
            }
            if (contains(st.failed, name)) {
                st.why = pictureDamageReason(name);
                continue;
            }
            if (contains(st.decoded, name)) continue;
            if (stop && stop->load()) return false;
            picture = DecodedPicture{name, RgbaImage()};
            int32_t size = 0;
            const uint8_t* bytes = pakGetEntry(*job.archive, name.c_str(), &size);
            if (!bytes || size <= 0 || !decodePngToRgba(bytes, size_t(size), picture.image)) {
                st.failed.push_back(name);
                st.why = pictureDamageReason(name);
                continue;
            }
            dropOpaqueAlpha(picture.image);
            st.decoded.push_back(name);
            return true;
        }
        result.damage.push_back(st.why);
        st.modelOpen = false;
        ++st.model;
    }
    return false;
}

PictureJobResult runPictureJob(const PictureJob& job, const std::atomic<bool>* stop,
                               const std::function<void(DecodedPicture&&)>& handOver) {
    PictureJobStepper stepper;
    stepper.job = &job;
    stepper.result.id = job.id;
    stepper.result.finished = true;
    DecodedPicture picture;
    while (stepPictureJob(stepper, stop, picture)) {
        if (handOver)
            handOver(std::move(picture));
        else
            stepper.result.pictures.push_back(std::move(picture));
    }
    return std::move(stepper.result);
}

void queuePictureJob(PictureWorker& worker, PictureJob job) {
    {
        std::lock_guard<std::mutex> guard(worker.lock);
        worker.stopping = false;
        worker.jobs.push_back(std::move(job));
    }
    if (!worker.onCallersThread && !worker.thread.joinable()) {
        static const bool stopsAtExit = std::atexit(stopWorkersAtExit) == 0;
        (void)stopsAtExit;
        worker.thread = std::thread(workerBody, &worker);
        startedWorkers.push_back(&worker);
    }
    worker.wake.notify_all();
}

bool takePictureResult(PictureWorker& worker, PictureJobResult& result) {
    if (worker.onCallersThread) return takeSliceResult(worker, result);
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
    worker.slicing = false;
    worker.stepper = PictureJobStepper();
}
