// Every picture of every archive decodes to the same RGBA bytes as an
// independent decoder, ImageMagick's, gives (and did, before this decoder, as
// SDL_image gave them). POSIX only: it runs ImageMagick's convert.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "resources/png_decode.h"
#include "support/test_support.h"

namespace {

// The pictures' RGBA one after the other, as convert writes several raw images.
std::vector<uint8_t> convertToRgba(const std::vector<std::string>& files) {
    std::string command = "convert";
    for (const std::string& file : files) command += " 'png:" + file + "'";
    command += " -depth 8 rgba:- 2>/dev/null";
    std::vector<uint8_t> out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) out.insert(out.end(), chunk, chunk + n);
    pclose(pipe);
    return out;
}

}  // namespace

TEST(PngDecodeArchives, EveryPictureMatchesAnIndependentDecoder) {
    if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is missing";
    std::string folder = makeTempDir("qm_png");
    int pictures = 0;
    for (const std::string& name : folderEntries(dataDir())) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".pak") continue;
        PakArchive archive;
        ASSERT_TRUE(pakOpen(archive, (dataDir() + "/" + name).c_str())) << name;
        std::vector<std::string> files, names;
        std::vector<uint8_t> ours;
        for (const PakEntry& entry : archive.entries) {
            if (entry.data.size() < 8 || entry.data[1] != 'P' || entry.data[2] != 'N' || entry.data[3] != 'G') continue;
            RgbaImage image;
            std::string why;
            ASSERT_TRUE(decodePngToRgba(entry.data.data(), entry.data.size(), image, &why))
                << name << " " << entry.name << ": " << why;
            ASSERT_EQ(image.pixels.size(), size_t(image.width) * size_t(image.height) * 4);
            ours.insert(ours.end(), image.pixels.begin(), image.pixels.end());
            files.push_back(folder + "/" + std::to_string(files.size()) + ".png");
            names.push_back(entry.name);
            ASSERT_TRUE(writeFileBytes(files.back(), entry.data));
            ++pictures;
        }
        if (files.empty()) continue;
        std::vector<uint8_t> theirs = convertToRgba(files);
        ASSERT_EQ(theirs.size(), ours.size()) << name;
        for (size_t i = 0; i < ours.size(); ++i)
            if (ours[i] != theirs[i]) {
                ADD_FAILURE() << name << ": byte " << i << " differs (" << int(ours[i]) << " against " << int(theirs[i]) << ")";
                break;
            }
        for (const std::string& file : files) std::remove(file.c_str());
    }
    EXPECT_GT(pictures, 100);
}
#endif  // !_WIN32
