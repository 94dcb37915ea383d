#include "scene/picture_preparer.h"

#include <chrono>
#include <utility>

#include "resources/pak.h"
#include "scene/texture.h"

PicturePreparer& picturePreparer() {
    static PicturePreparer preparer;
    return preparer;
}

namespace {

PreparedArchive* findRecord(const char* archive) {
    for (PreparedArchive* record : picturePreparer().records)
        if (record->archive == archive && !record->leaving) return record;
    return nullptr;
}

// Everything the record holds goes; its reasons stay.
void releaseHeld(PreparedArchive& record) {
    for (const auto& texture : record.textures) textureRelease(record.archive.c_str(), texture.second);
    record.textures.clear();
    record.uploads.clear();
    record.alreadyAlive.clear();
    if (record.open) pakRelease(record.archive.c_str());
    record.open = false;
}

void eraseRecord(PreparedArchive* record) {
    std::vector<PreparedArchive*>& records = picturePreparer().records;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i] != record) continue;
        records.erase(records.begin() + long(i));
        break;
    }
    delete record;
}

// A record whose job is out keeps its archive open until the result is back.
void letGo(PreparedArchive* record) {
    if (record->job != 0 && !cancelPictureJob(picturePreparer().worker, record->job)) {
        record->leaving = true;
        record->uploads.clear();
        return;
    }
    releaseHeld(*record);
    eraseRecord(record);
}

PreparedArchive* recordOfJob(int32_t job) {
    for (PreparedArchive* record : picturePreparer().records)
        if (record->job == job) return record;
    return nullptr;
}

// A piece of a job: a decoded picture waits for its upload; the finished piece
// says whether the models are whole. Damage lets everything go but the reasons.
void takePiece(PictureJobResult& piece) {
    PreparedArchive* record = recordOfJob(piece.id);
    if (!record) return;
    if (!piece.finished) {
        if (!record->leaving)
            for (DecodedPicture& picture : piece.pictures) record->uploads.push_back(std::move(picture));
        return;
    }
    record->job = 0;
    if (record->leaving) {
        releaseHeld(*record);
        eraseRecord(record);
        return;
    }
    record->damage = std::move(piece.damage);
    record->checked = true;
    record->alreadyAlive = std::move(piece.skipped);
    for (const std::string& why : record->damage) {
        if (why.empty()) continue;
        releaseHeld(*record);
        record->ready = true;
        return;
    }
}

bool uploadsWaiting() {
    for (const PreparedArchive* record : picturePreparer().records)
        if (!record->leaving && !record->uploads.empty()) return true;
    return false;
}

// One picture of the record made alive; false when it has none left.
bool uploadOne(PreparedArchive& record) {
    const char* archive = record.archive.c_str();
    if (!record.alreadyAlive.empty()) {
        // Alive when queued; should it have gone since, this decodes it here.
        std::string entry = std::move(record.alreadyAlive.back());
        record.alreadyAlive.pop_back();
        record.textures.emplace_back(entry, textureAcquireOrExit(archive, entry.c_str()));
        return true;
    }
    if (record.uploads.empty()) return false;
    DecodedPicture& picture = record.uploads.back();
    GLuint texture = textureAcquireDecoded(archive, picture.entry.c_str(), picture.image);
    record.textures.emplace_back(std::move(picture.entry), texture);
    record.uploads.pop_back();
    return true;
}

}  // namespace

void prepareArchive(const char* archive, int32_t group, const std::vector<std::string>& models) {
    if (findRecord(archive)) return;
    PreparedArchive* record = new PreparedArchive;
    record->archive = archive;
    record->group = group;
    record->models = models;
    picturePreparer().records.push_back(record);
    std::string why;
    const PakArchive* pak = pakTryAcquire(archive, &why);
    if (!pak) {
        record->damage.assign(models.size(), why);
        record->checked = record->ready = true;
        return;
    }
    record->open = true;
    PictureJob job;
    job.id = record->job = ++picturePreparer().lastJob;
    job.archive = pak;
    job.models = models;
    job.skip = liveTextureEntries(archive);
    queuePictureJob(picturePreparer().worker, std::move(job));
}

bool isPrepared(const char* archive) { return findRecord(archive) != nullptr; }

void letGroupGoExcept(int32_t group, const std::vector<std::string>& keep) {
    std::vector<PreparedArchive*> going;
    for (PreparedArchive* record : picturePreparer().records) {
        if (record->group != group || record->leaving) continue;
        bool kept = false;
        for (const std::string& name : keep) kept = kept || record->archive == name;
        if (!kept) going.push_back(record);
    }
    for (PreparedArchive* record : going) letGo(record);
}

void preparePictures(double budgetMs) {
    const auto began = std::chrono::steady_clock::now();
    auto spent = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    };
    // Pieces are taken only while no decoded picture waits for its upload, so
    // that the worker, which waits for this, stays one picture ahead at most.
    PictureJobResult piece;
    do {
        while (!uploadsWaiting() && takePictureResult(picturePreparer().worker, piece)) takePiece(piece);
        bool uploaded = false;
        for (PreparedArchive* record : picturePreparer().records) {
            if (record->ready || record->leaving) continue;
            uploaded = uploadOne(*record) || uploaded;
            if (record->checked && record->uploads.empty() && record->alreadyAlive.empty()) record->ready = true;
            if (uploaded) break;
        }
        if (!uploaded) return;  // all done, or the worker is still decoding
    } while (spent() < budgetMs);
}

bool preparationSettled() {
    for (const PreparedArchive* record : picturePreparer().records)
        if (!record->ready) return false;
    return true;
}

const PreparedArchive* checkedArchive(const char* archive) {
    const PreparedArchive* record = findRecord(archive);
    return record && record->checked ? record : nullptr;
}

bool preparedVerdict(const char* archive, const std::vector<std::string>& models, std::string& why) {
    const PreparedArchive* record = checkedArchive(archive);
    if (!record) return false;
    std::string first;
    for (const std::string& model : models) {
        size_t i = 0;
        while (i < record->models.size() && record->models[i] != model) ++i;
        if (i == record->models.size() || i >= record->damage.size()) return false;
        if (first.empty()) first = record->damage[i];
    }
    why = first;
    return true;
}

void stopPreparing() {
    stopPictureWorker(picturePreparer().worker);
    for (PreparedArchive* record : picturePreparer().records) {
        releaseHeld(*record);
        delete record;
    }
    picturePreparer().records.clear();
}
