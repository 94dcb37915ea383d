#include "resources/pictures_ahead.h"

#include <utility>

#include "base/host_limits.h"

namespace {

bool isPicture(const std::string& name) {
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".png") == 0;
}

// The thread's body; without threads, what firstPictureAheadFailed runs on
// the caller's thread for the pictures nobody took.
void decodeInTurn(PicturesAhead* ahead) {
    for (size_t i = 0;; ++i) {
        std::string entry;
        {
            std::lock_guard<std::mutex> guard(ahead->lock);
            // Skips what the main thread took before the thread reached it.
            while (i < ahead->pictures.size() && ahead->pictures[i].state != PicturesAhead::State::waiting) ++i;
            if (i >= ahead->pictures.size() || ahead->stopping) break;
            ahead->pictures[i].state = PicturesAhead::State::decoding;
            entry = ahead->pictures[i].entry;
        }
        RgbaImage image;
        int32_t size = 0;
        const uint8_t* bytes = pakGetEntry(*ahead->archive, entry.c_str(), &size);
        const bool decoded = bytes && size > 0 && decodePngToRgba(bytes, size_t(size), image);
        if (decoded) dropOpaqueAlpha(image);
        std::vector<RgbaImage> smaller;
        if (decoded && wantsMipmaps(image)) smaller = smallerLevels(image);
        std::lock_guard<std::mutex> guard(ahead->lock);
        ahead->pictures[i].state = decoded ? PicturesAhead::State::decoded : PicturesAhead::State::failed;
        ahead->pictures[i].image = std::move(image);
        ahead->pictures[i].smaller = std::move(smaller);
        ahead->changed.notify_all();
    }
    std::lock_guard<std::mutex> guard(ahead->lock);
    // Whatever is left waiting (a stop) is nobody's now.
    for (PicturesAhead::Picture& picture : ahead->pictures)
        if (picture.state == PicturesAhead::State::waiting) picture.state = PicturesAhead::State::takenBefore;
    ahead->changed.notify_all();
}

}  // namespace

void startDecodingAhead(PicturesAhead& ahead, const PakArchive& archive) {
    if (ahead.started) return;
    ahead.started = true;
    ahead.archive = &archive;
    ahead.stopping = false;
    ahead.pictures.clear();
    for (const PakEntry& entry : archive.entries)
        if (isPicture(entry.name)) ahead.pictures.push_back({entry.name, PicturesAhead::State::waiting, RgbaImage(), {}});
    // Without threads every picture is decoded where it is taken, and the
    // rest when the failures are asked for.
    if (kHostHasThreads) ahead.thread = std::thread(decodeInTurn, &ahead);
}

PictureAhead takePictureAhead(PicturesAhead& ahead, const std::string& entry, RgbaImage& image,
                              std::vector<RgbaImage>& smaller) {
    if (!ahead.started) return PictureAhead::notAhead;
    std::unique_lock<std::mutex> guard(ahead.lock);
    for (PicturesAhead::Picture& picture : ahead.pictures) {
        if (picture.entry != entry) continue;
        ahead.changed.wait(guard, [&picture] { return picture.state != PicturesAhead::State::decoding; });
        switch (picture.state) {
            case PicturesAhead::State::decoded:
                image = std::move(picture.image);
                picture.image = RgbaImage();
                smaller = std::move(picture.smaller);
                picture.smaller = std::vector<RgbaImage>();
                picture.state = PicturesAhead::State::takenBefore;
                return PictureAhead::taken;
            case PicturesAhead::State::failed: return PictureAhead::failed;
            case PicturesAhead::State::waiting: picture.state = PicturesAhead::State::takenBefore; break;
            default: break;
        }
        return PictureAhead::notAhead;
    }
    return PictureAhead::notAhead;
}

std::string firstPictureAheadFailed(PicturesAhead& ahead) {
    if (!ahead.started) return "";
    if (!kHostHasThreads) decodeInTurn(&ahead);
    std::unique_lock<std::mutex> guard(ahead.lock);
    ahead.changed.wait(guard, [&ahead] {
        for (const PicturesAhead::Picture& picture : ahead.pictures)
            if (picture.state == PicturesAhead::State::waiting || picture.state == PicturesAhead::State::decoding)
                return false;
        return true;
    });
    for (const PicturesAhead::Picture& picture : ahead.pictures)
        if (picture.state == PicturesAhead::State::failed) return picture.entry;
    return "";
}

void stopDecodingAhead(PicturesAhead& ahead) {
    if (!ahead.started) return;
    ahead.started = false;
    ahead.stopping = true;
    if (ahead.thread.joinable()) ahead.thread.join();
    ahead.pictures.clear();
    ahead.pictures.shrink_to_fit();
    ahead.archive = nullptr;
}
