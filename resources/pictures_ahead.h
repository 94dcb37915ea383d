// Every picture of one archive decoded on a thread of its own while the main
// thread does something else (the window opening at the start), handed to the
// main thread one by one as it makes textures from them. The main thread owns
// the archive: it holds it open from startDecodingAhead until
// stopDecodingAhead has returned.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "resources/mip_levels.h"
#include "resources/pak.h"
#include "resources/png_decode.h"

// Guarded by lock, except thread and archive, which only the main thread
// touches, and stopping, which the thread also reads between pictures.
struct PicturesAhead {
    enum class State { waiting, decoding, decoded, failed, takenBefore };
    struct Picture {
        std::string entry;
        State state = State::waiting;
        RgbaImage image;  // decoded: opaque pictures packed to RGB
        std::vector<RgbaImage> smaller;  // its smaller levels, when it wants mipmaps
    };
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Picture> pictures;  // the archive's pictures, in its order
    std::atomic<bool> stopping{false};
    const PakArchive* archive = nullptr;
    bool started = false;  // from startDecodingAhead until stopDecodingAhead
    std::thread thread;    // none without threads (see base/host_limits.h)
};

// Starts decoding every picture of the archive, in the archive's order, and
// making the smaller levels of those that want mipmaps.
void startDecodingAhead(PicturesAhead& ahead, const PakArchive& archive);

enum class PictureAhead {
    taken,     // image holds the picture, decoded and packed, smaller its levels
    failed,    // it does not decode
    notAhead,  // not one of the archive's pictures, or nothing started: decode it yourself
};
// The entry's picture: waits while the thread is decoding it; one the thread
// has not reached yet is left to the caller (taken off the thread's list), so
// neither waits for the other. Each picture is handed over once.
PictureAhead takePictureAhead(PicturesAhead& ahead, const std::string& entry, RgbaImage& image,
                              std::vector<RgbaImage>& smaller);

// Waits for the thread to finish, then names the first picture in the
// archive's order that did not decode and was never taken ("" when none).
std::string firstPictureAheadFailed(PicturesAhead& ahead);

// Stops the thread after the picture in hand, joins it and frees every picture
// not taken. The archive may go once it returns.
void stopDecodingAhead(PicturesAhead& ahead);
