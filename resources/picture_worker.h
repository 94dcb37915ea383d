// One worker thread that checks archives' models and decodes the pictures they
// name, away from the main thread, so that nothing is parsed or decoded on the
// way from a key to the frame that answers it. The main thread owns the
// archives (the cache is main-thread only): it hands the worker archives it
// holds a reference on and keeps them open until the job's result is taken.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/host_limits.h"
#include "resources/pak.h"
#include "resources/png_decode.h"

struct PictureJob {
    int32_t id = 0;                      // the caller's
    const PakArchive* archive = nullptr;  // read only; held open until the result is taken
    std::vector<std::string> models;     // model entries to check
    std::vector<std::string> skip;       // pictures that need no decoding (already made)
};

struct DecodedPicture {
    std::string entry;
    RgbaImage image;  // opaque pictures packed to RGB
};

// The worker hands a job back in pieces: one for each decoded picture as soon
// as it is decoded, then the last, finished one with the reasons.
struct PictureJobResult {
    int32_t id = 0;
    bool finished = false;
    std::vector<std::string> damage;       // finished: for each model "" when whole, else the reason
    std::vector<DecodedPicture> pictures;  // pictures that decoded (a piece has one)
    std::vector<std::string> skipped;      // finished: the skipped pictures the models name
};

// A job's work in steps of one decoded picture (runPictureJob runs them all;
// without threads the main thread runs one a call).
struct PictureJobStepper {
    const PictureJob* job = nullptr;
    PictureJobResult result;  // damage and skipped so far
    size_t model = 0, picture = 0;
    bool modelOpen = false;
    std::vector<std::string> pictures;  // the open model's pictures
    std::string why;                    // the open model's damage so far
    std::vector<std::string> decoded, failed;
};

// Guarded by lock, except thread, which only the main thread touches, and
// stopping, which the worker also reads between pictures.
struct PictureWorker {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<PictureJob> jobs;
    std::deque<PictureJobResult> done;
    int32_t running = 0;  // id of the job being worked on, 0 when none
    std::atomic<bool> stopping{false};
    std::thread thread;
    // No thread: the work is done by takePictureResult on the caller's thread,
    // one picture a call. So in the browser, which has no threads; tests set it.
    bool onCallersThread = !kHostHasThreads;
    // The job the caller's thread works on in slices.
    bool slicing = false;
    PictureJob slicedJob;
    PictureJobStepper stepper;
};

// Does the work of one job on the calling thread (the worker's body; also what
// tests compare with): the finished result, with every decoded picture in it
// unless handOver takes each as it is decoded. stop, when given, is looked at
// between pictures.
PictureJobResult runPictureJob(const PictureJob& job, const std::atomic<bool>* stop = nullptr,
                               const std::function<void(DecodedPicture&&)>& handOver = nullptr);

// Advances the job by one decoded picture, put in picture (true), or to its
// end (false): result then holds the damage of every model and the skipped
// pictures. stop, when given, is looked at before each picture.
bool stepPictureJob(PictureJobStepper& stepper, const std::atomic<bool>* stop, DecodedPicture& picture);

// Starts the thread on first use (unless onCallersThread: then
// takePictureResult does the work, one picture a call). Queued jobs run in order.
void queuePictureJob(PictureWorker& worker, PictureJob job);
// The next piece of a result, oldest first; false when none is ready. The
// worker decodes no further while a decoded picture waits here, so that at
// most one picture is decoded ahead of the main thread's uploads.
bool takePictureResult(PictureWorker& worker, PictureJobResult& result);
// Drops a job that has not started; false when it is running or already done,
// so its archive must stay open until its result is taken.
bool cancelPictureJob(PictureWorker& worker, int32_t id);
// Whether the job is queued or running.
bool pictureJobPending(PictureWorker& worker, int32_t id);
// Stops the thread after the picture in hand (queued jobs are dropped, results
// not taken are discarded) and joins it. The archives may go once it returns.
void stopPictureWorker(PictureWorker& worker);
