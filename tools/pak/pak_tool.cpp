// pak — the archive tool for whoever makes artwork.
//   pak list FILE              one line per entry in stored order: size, tab, name
//   pak extract FILE NAME OUT  writes the first entry of that name to OUT
//   pak create OUT FILE...     an archive of the files, each named by its path as given
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "resources/pak.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: pak list FILE\n"
                 "       pak extract FILE NAME OUT\n"
                 "       pak create OUT FILE...\n");
    return 2;
}

bool openArchive(PakArchive& archive, const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(stderr, "pak: cannot open %s: %s\n", path, std::strerror(errno));
        return false;
    }
    std::fclose(f);
    if (!pakOpen(archive, path)) {
        std::fprintf(stderr, "pak: %s is not a valid archive (truncated or malformed)\n", path);
        return false;
    }
    return true;
}

int listArchive(const char* path) {
    PakArchive archive;
    if (!openArchive(archive, path)) return 1;
    for (const PakEntry& entry : archive.entries) std::printf("%d\t%s\n", entry.size, entry.name.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int extractEntry(const char* path, const char* name, const char* out) {
    PakArchive archive;
    if (!openArchive(archive, path)) return 1;
    int32_t size = 0;
    const uint8_t* data = pakGetEntry(archive, name, &size);
    if (!data) {
        std::fprintf(stderr, "pak: %s has no entry named \"%s\"\n", path, name);
        return 1;
    }
    FILE* f = std::fopen(out, "wb");
    if (!f) {
        std::fprintf(stderr, "pak: cannot write %s: %s\n", out, std::strerror(errno));
        return 1;
    }
    bool ok = std::fwrite(data, 1, size_t(size), f) == size_t(size);
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "pak: writing %s failed\n", out);
    return ok ? 0 : 1;
}

int createArchive(const char* out, int count, char** files) {
    PakArchive archive;
    for (int i = 0; i < count; i++) {
        if (std::strlen(files[i]) > 127) {
            std::fprintf(stderr, "pak: entry name %s is longer than 127 bytes\n", files[i]);
            return 1;
        }
        if (!pakAddFile(archive, files[i])) {
            std::fprintf(stderr, "pak: cannot read %s: %s\n", files[i], std::strerror(errno));
            return 1;
        }
    }
    if (!pakSave(archive, out)) {
        std::fprintf(stderr, "pak: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string command = argv[1];
    if (command == "list" && argc == 3) return listArchive(argv[2]);
    if (command == "extract" && argc == 5) return extractEntry(argv[2], argv[3], argv[4]);
    if (command == "create" && argc >= 3) return createArchive(argv[2], argc - 3, argv + 3);
    return usage();
}
