// The desk's pictures decoded ahead on their own thread while the main thread
// takes them in its own order, as the start does while it builds the desk.
// Built with ThreadSanitizer: exit 0 when no race was reported and every
// picture handed over is exactly what decoding it on the main thread gives,
// each once; a picture the thread had not reached is left to the caller; a
// picture that does not decode is reported as failed, by the take and by the
// check after the first frame; a stop with pictures left joins promptly.
#include <cstdio>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "resources/pictures_ahead.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "pictures_ahead_race: FAILED: %s\n", what.c_str());
    ++failures;
}

bool isPicture(const std::string& name) { return name.size() > 4 && name.substr(name.size() - 4) == ".png"; }

RgbaImage decodedHere(const PakArchive& archive, const std::string& entry) {
    RgbaImage image;
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(archive, entry.c_str(), &size);
    if (bytes && decodePngToRgba(bytes, size_t(size), image)) dropOpaqueAlpha(image);
    return image;
}

bool same(const RgbaImage& a, const RgbaImage& b) {
    return a.width == b.width && a.height == b.height && a.channels == b.channels && a.pixels == b.pixels;
}

// The levels handed over are those made here from the picture, and only a
// picture that wants mipmaps has any.
bool sameLevels(const std::vector<RgbaImage>& handed, const RgbaImage& picture) {
    const std::vector<RgbaImage> here = wantsMipmaps(picture) ? smallerLevels(picture) : std::vector<RgbaImage>();
    if (handed.size() != here.size()) return false;
    for (size_t i = 0; i < here.size(); ++i)
        if (!same(handed[i], here[i])) return false;
    return true;
}

}  // namespace

int main() {
    PakArchive desk;
    const std::string path = std::string(QM_DATA_DIR) + "/interface.pak";
    if (!pakOpen(desk, path.c_str())) {
        std::fprintf(stderr, "pictures_ahead_race: cannot open %s\n", path.c_str());
        return 1;
    }
    std::vector<std::string> pictures;
    for (const PakEntry& entry : desk.entries)
        if (isPicture(entry.name)) pictures.push_back(entry.name);
    check(pictures.size() >= 4, "the desk archive holds too few pictures to race over");

    // Taken from the end backwards while the thread goes forwards: they meet in
    // the middle, every picture is handed over by one side, and never twice.
    for (int round = 0; round < 3; ++round) {
        PicturesAhead ahead;
        startDecodingAhead(ahead, desk);
        int taken = 0, left = 0, withLevels = 0;
        for (size_t i = pictures.size(); i-- > 0;) {
            RgbaImage image;
            std::vector<RgbaImage> smaller;
            const PictureAhead answer = takePictureAhead(ahead, pictures[i], image, smaller);
            if (answer == PictureAhead::taken) {
                ++taken;
                withLevels += smaller.empty() ? 0 : 1;
                check(same(image, decodedHere(desk, pictures[i])), pictures[i] + " differs from its own decoding");
                check(sameLevels(smaller, image), pictures[i] + "'s smaller levels differ from those made here");
                RgbaImage again;
                check(takePictureAhead(ahead, pictures[i], again, smaller) == PictureAhead::notAhead,
                      pictures[i] + " was handed over twice");
            } else {
                check(answer == PictureAhead::notAhead, pictures[i] + " failed to decode ahead");
                ++left;
            }
        }
        check(taken + left == int(pictures.size()), "a picture was neither handed over nor left");
        // The wood and the cardboard, unless the main thread took them first.
        check(withLevels > 0 || left > 0, "no picture handed over came with its smaller levels");
        check(firstPictureAheadFailed(ahead).empty(), "a whole archive reported a damaged picture");
        RgbaImage none;
        std::vector<RgbaImage> noLevels;
        check(takePictureAhead(ahead, "no-such-picture.png", none, noLevels) == PictureAhead::notAhead,
              "a picture the archive does not hold was answered");
        stopDecodingAhead(ahead);
    }

    // One picture damaged: the take says so and so does the check afterwards;
    // the others are untouched.
    PakArchive damaged = desk;
    const std::string broken = pictures[pictures.size() / 2];
    for (PakEntry& entry : damaged.entries)
        if (entry.name == broken)
            for (size_t b = 8; b < entry.data.size(); ++b) entry.data[b] = uint8_t(b * 7);
    {
        PicturesAhead ahead;
        startDecodingAhead(ahead, damaged);
        check(firstPictureAheadFailed(ahead) == broken, "the check after the first frame missed " + broken);
        RgbaImage image;
        std::vector<RgbaImage> smaller;
        check(takePictureAhead(ahead, broken, image, smaller) == PictureAhead::failed,
              "the damaged picture was handed over");
        check(takePictureAhead(ahead, pictures[0], image, smaller) == PictureAhead::taken &&
                  same(image, decodedHere(desk, pictures[0])),
              "a whole picture beside the damaged one was lost");
        stopDecodingAhead(ahead);
    }

    // Stopped at once with everything still to decode: it joins, and nothing
    // is handed over afterwards.
    for (int round = 0; round < 5; ++round) {
        PicturesAhead ahead;
        startDecodingAhead(ahead, desk);
        stopDecodingAhead(ahead);
        RgbaImage image;
        std::vector<RgbaImage> smaller;
        check(takePictureAhead(ahead, pictures[0], image, smaller) == PictureAhead::notAhead,
              "a stopped thread handed over");
    }
    pakClose(damaged);
    pakClose(desk);
    if (failures == 0) std::puts("pictures_ahead_race: every picture handed over once, as decoded here");
    return failures == 0 ? 0 : 1;
}
