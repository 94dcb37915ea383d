// Archives made ready before anything is built from them: opened, their models
// checked and their pictures decoded on the worker thread, then uploaded on the
// main thread a slice at a time between frames. A record holds its archive and
// one reference on each of its textures, so building from it later finds
// everything alive, and answers from what the check found instead of checking
// again. Main thread only (the worker is behind resources/picture_worker.h).
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/gl.h"
#include "resources/picture_worker.h"

// The groups records are re-targeted in.
enum PreparedGroup : int32_t { preparedScreens = 1, preparedPages = 2 };

struct PreparedArchive {
    std::string archive;
    int32_t group = 0;   // the caller's: which records it re-targets together
    int32_t job = 0;     // the worker's job while it is out, else 0
    bool open = false;   // holds one reference on the archive
    bool leaving = false;  // let go, released once its job is back
    bool checked = false;  // damage is known
    bool ready = false;    // checked, and every picture of a whole archive alive
    std::vector<std::string> models;
    std::vector<std::string> damage;        // per model once checked, "" when whole
    std::vector<DecodedPicture> uploads;    // decoded, waiting for their slice
    std::vector<std::string> alreadyAlive;  // pictures that were alive when queued
    std::vector<std::pair<std::string, GLuint>> textures;  // one textureRelease each
};

struct PicturePreparer {
    PictureWorker worker;
    std::vector<PreparedArchive*> records;
    int32_t lastJob = 0;
};

// The process's preparer (main thread only; its worker has its own lock).
PicturePreparer& picturePreparer();

// Starts preparing the models of an archive (nothing when it is prepared or
// on its way already). An archive that cannot be opened is checked at once: its
// reason stands for every model. A record with any damage keeps nothing but
// the reasons.
void prepareArchive(const char* archive, int32_t group, const std::vector<std::string>& models);
// Whether a record of the archive is kept (checked or on its way).
bool isPrepared(const char* archive);
// Lets every record of the group go except those of the archives named.
void letGroupGoExcept(int32_t group, const std::vector<std::string>& keep);
// Takes what the worker has finished and uploads decoded pictures until
// budgetMs has passed (at least one picture when any waits).
void preparePictures(double budgetMs);
// Nothing queued, decoding or waiting to be uploaded.
bool preparationSettled();
// The record of the archive once its models are checked; null before.
const PreparedArchive* checkedArchive(const char* archive);
// What a checked record found for those models: the first reason, "" when
// all are whole. False when the archive is not checked yet or one of them was
// not asked about.
bool preparedVerdict(const char* archive, const std::vector<std::string>& models, std::string& why);
// Stops the worker and lets every record go (before the archives and the
// context go).
void stopPreparing();
