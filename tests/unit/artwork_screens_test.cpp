// The generated screen archives and the parents' guide: every entry the screens
// load (the lists in screens/screen_entries.h) is a model in every archive of
// its kind, with a picture that decodes; the panels fit the view at the depth
// the screens place them and their controls sit inside them, in front of them
// and clear of each other; the backdrops cover the view; the guide has a
// section per language; the tool writes the same bytes every time.
#include <gtest/gtest.h>


#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/model.h"
#include "resources/pak.h"
#include "resources/png_decode.h"
#include "scene/mesh.h"
#include "screens/screen_entries.h"
#include "support/test_support.h"

namespace {

// The view: 45 degrees high; the eye 100 units in front of a screen holder's origin (along -y).
const double kTanHalf = std::tan(22.5 * 3.14159265358979323846 / 180);
const double kEyeY = -100;

struct Box {
    double x0 = 1e300, y0 = 1e300, z0 = 1e300, x1 = -1e300, y1 = -1e300, z1 = -1e300;
};

struct Model {
    bool parsed = false;
    bool translucent = false;
    std::vector<std::string> textures;
    Box box;
};

Model readModel(const PakArchive& archive, const char* entry) {
    Model m;
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(archive, entry, &size);
    std::vector<ParsedMesh> meshes;
    if (!bytes || parseModel(bytes, size, meshes) <= 0) return m;
    m.parsed = true;
    for (const ParsedMesh& mesh : meshes) {
        m.textures.push_back(mesh.textureName);
        m.translucent = readMaterial(mesh.material).translucent != 0;
        for (int32_t i = 0; i < mesh.triangleCount * 3; ++i) {
            double v[3];  // archive memory has no alignment
            std::memcpy(v, reinterpret_cast<const uint8_t*>(mesh.vertices) + size_t(i) * sizeof v, sizeof v);
            Box& b = m.box;
            b.x0 = std::min(b.x0, v[0]), b.y0 = std::min(b.y0, v[1]), b.z0 = std::min(b.z0, v[2]);
            b.x1 = std::max(b.x1, v[0]), b.y1 = std::max(b.y1, v[1]), b.z1 = std::max(b.z1, v[2]);
        }
    }
    return m;
}

// Decodes as the program does; returns the smallest alpha, or -1 when the
// picture is missing, does not decode, or is not power-of-two RGBA.
double decodePicture(const PakArchive& archive, const std::string& name) {
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(archive, name.c_str(), &size);
    if (!bytes) return -1;
    RgbaImage s;
    if (size <= 0 || !decodePngToRgba(bytes, size_t(size), s)) return -1;
    auto pow2 = [](int n) { return n > 0 && (n & (n - 1)) == 0; };
    // Stored as 8-bit RGBA (colour type 6), as every picture is written.
    bool rgba = size > 25 && bytes[24] == 8 && bytes[25] == 6;
    double minAlpha = -1;
    if (pow2(s.width) && pow2(s.height) && rgba) {
        minAlpha = 1;
        for (size_t i = 3; i < s.pixels.size(); i += 4) minAlpha = std::min(minAlpha, s.pixels[i] / 255.0);
    }
    return minAlpha;
}

struct Archives {
    PakArchive common, words[screenLanguageCount], pictures[screenLanguageCount];
    bool open() {
        bool ok = pakOpen(common, (dataDir() + "/" + commonArchive).c_str());
        for (int l = 0; l < screenLanguageCount; ++l) {
            ok = pakOpen(words[l], (dataDir() + "/" + languageArchives[l]).c_str()) && ok;
            ok = pakOpen(pictures[l], (dataDir() + "/" + pictureArchives[l]).c_str()) && ok;
        }
        return ok;
    }
    ~Archives() {
        pakClose(common);
        for (int l = 0; l < screenLanguageCount; ++l) pakClose(words[l]), pakClose(pictures[l]);
    }
};

void expectModelWithPicture(const PakArchive& archive, const char* archiveName, const char* entry) {
    Model m = readModel(archive, entry);
    ASSERT_TRUE(m.parsed) << archiveName << " has no model " << entry;
    for (const std::string& texture : m.textures)
        EXPECT_GE(decodePicture(archive, texture), 0) << archiveName << ": " << entry << " names " << texture
                                                      << ", which is missing or not power-of-two RGBA";
}

TEST(ScreenArchives, EveryListedEntryIsAModelWithItsPicture) {
    Archives a;
    ASSERT_TRUE(a.open()) << "the screen archives are missing from " << dataDir();
    for (const char* entry : commonEntries) expectModelWithPicture(a.common, commonArchive, entry);
    for (int l = 0; l < screenLanguageCount; ++l) {
        for (const char* entry : languageEntries) expectModelWithPicture(a.words[l], languageArchives[l], entry);
        expectModelWithPicture(a.words[l], languageArchives[l], unkeptExitEntry);
        for (const char* entry : pictureEntries) expectModelWithPicture(a.pictures[l], pictureArchives[l], entry);
    }
    for (int l = 0; l < screenLanguageCount; ++l) {
        if (languageArchives[l] == std::string(helpBackgroundArchive))
            expectModelWithPicture(a.words[l], helpBackgroundArchive, helpBackgroundEntry);
    }
}

// Where the screens place the pictures: panels relative to the screen holder,
// controls relative to their panel.
enum Source { Common, Words, Pictures };
struct Control {
    const char* entry;
    Source source;
    double x, y, z;
};
struct Panel {
    const char* entry;
    Source source;
    double y;  // x = 0.245 and z = 0.258 for every panel
    std::vector<Control> controls;
};

std::vector<Panel> panels() {
    const Control ok = {"button_ok", Words, -1.515, -0.155, -0.871};
    const Control cancel = {"button_cancel", Words, 1.649, -0.155, -0.871};
    return {
        {"setup",
         Words,
         -81.5,
         {{"check_enable", Common, -3.212, -0.635, 1.498},
          {"check_disable", Common, -3.212, -0.635, 0.684},
          {"button_close", Common, 3.848, -0.609, 2.171},
          {"setup_button_about", Words, 1.886, -0.635, -1.669},
          {"setup_button_clearall", Words, -2.629, -0.635, -0.501},
          {"setup_button_web", Words, -2.156, -0.635, -1.669}}},
        {"help",
         Pictures,
         -81.5,
         {{"button_ok", Words, 0.11, -0.155, -1.108}, {"check_enable", Common, -2.594, -0.142, 0.301}}},
        {"menu_exit", Words, -81.5, {ok, cancel}},
        {"menu_clear", Words, -81.5, {ok, cancel}},
        {"about", Pictures, -82.5, {{"button_ok", Words, -0.078, -0.155, -1.378}}},
        {"menu_clearall",
         Words,
         -82.5,
         {{"button_cancel", Words, -1.515, -0.155, -0.871}, {"button_ok", Words, 1.515, -0.155, -0.871}}},
    };
}

// Buttons grow to 1.1 about their origin while the pointer is on them.
double growth(const Control& c) { return std::strncmp(c.entry, "check_", 6) == 0 ? 1.0 : 1.1; }

bool overlap(const Box& a, double ax, double az, double ka, const Box& b, double bx, double bz, double kb) {
    return ax + a.x0 * ka < bx + b.x1 * kb && bx + b.x0 * kb < ax + a.x1 * ka && az + a.z0 * ka < bz + b.z1 * kb &&
           bz + b.z0 * kb < az + a.z1 * ka;
}

TEST(ScreenArchives, PanelsFitTheViewAndHoldTheirControlsInFront) {
    Archives a;
    ASSERT_TRUE(a.open());
    for (int l = 0; l < screenLanguageCount; ++l) {
        auto archiveOf = [&](Source s) -> const PakArchive& {
            return s == Common ? a.common : s == Words ? a.words[l] : a.pictures[l];
        };
        for (const Panel& p : panels()) {
            const std::string where = std::string(languageArchives[l]) + " " + p.entry;
            const Box b = readModel(archiveOf(p.source), p.entry).box;
            // Seen from the eye at the panel's nearest point, on a 4:3 screen.
            const double distance = p.y + b.y0 - kEyeY, halfHeight = distance * kTanHalf;
            EXPECT_LE(std::max(-(b.x0 + 0.245), b.x1 + 0.245), halfHeight * 4 / 3) << where << " is too wide";
            EXPECT_LE(std::max(-(b.z0 + 0.258), b.z1 + 0.258), halfHeight) << where << " is too tall";
            for (size_t i = 0; i < p.controls.size(); ++i) {
                const Control& c = p.controls[i];
                const Box cb = readModel(archiveOf(c.source), c.entry).box;
                const double k = growth(c);
                EXPECT_LT(c.y + cb.y1 * k, b.y0) << where << ": " << c.entry << " does not lie in front of it";
                EXPECT_TRUE(c.x + cb.x0 * k > b.x0 && c.x + cb.x1 * k < b.x1 && c.z + cb.z0 * k > b.z0 &&
                            c.z + cb.z1 * k < b.z1)
                    << where << ": " << c.entry << " reaches past it";
                for (size_t j = 0; j < p.controls.size(); ++j) {
                    const Control& d = p.controls[j];
                    if (i == j) continue;
                    const Box db = readModel(archiveOf(d.source), d.entry).box;
                    EXPECT_FALSE(overlap(cb, c.x, c.z, k, db, d.x, d.z, 1.0))
                        << where << ": " << c.entry << " grown meets " << d.entry;
                }
            }
        }
    }
}

// A backdrop at `distance` from the eye covers the whole view on screens from 4:3 to 16:9.
void expectCoversTheView(const Box& b, double distance, const char* name) {
    const double halfHeight = distance * kTanHalf, halfWidth = halfHeight * 16 / 9;
    EXPECT_TRUE(b.x0 <= -halfWidth && b.x1 >= halfWidth && b.z0 <= -halfHeight && b.z1 >= halfHeight)
        << name << " leaves part of the view uncovered";
}

TEST(ScreenArchives, BackdropsCoverTheView) {
    Archives a;
    ASSERT_TRUE(a.open());
    // The dimming backdrop lies behind the top-level panels and lets the desk show through.
    const Model dim = readModel(a.common, "menu_alpha");
    ASSERT_TRUE(dim.parsed && !dim.textures.empty());
    EXPECT_TRUE(dim.translucent);
    expectCoversTheView(dim.box, dim.box.y0 - kEyeY, "menu_alpha");
    EXPECT_GT(dim.box.y0, -81.5 + 0.1) << "menu_alpha would cover the panels";
    const double dimAlpha = decodePicture(a.common, dim.textures[0]);
    EXPECT_TRUE(dimAlpha > 0.2 && dimAlpha < 0.9) << "menu_alpha must dim the desk, not hide it";
    // The help background hides the desk, behind the copies of the desk's buttons (39 units away).
    const PakArchive& english = a.words[0];
    ASSERT_STREQ(languageArchives[0], helpBackgroundArchive);
    const Model help = readModel(english, helpBackgroundEntry);
    ASSERT_TRUE(help.parsed && !help.textures.empty());
    EXPECT_FALSE(help.translucent);
    EXPECT_EQ(decodePicture(english, help.textures[0]), 1.0);
    expectCoversTheView(help.box, help.box.y0 - kEyeY, "help_bg");
    EXPECT_GT(help.box.y0 - kEyeY, 39.0) << "help_bg would hide the copies of the back and clear buttons";
}

TEST(ParentsGuide, HasOneSelfContainedSectionPerLanguage) {
    std::vector<uint8_t> bytes = readFileBytes(dataDir() + "/" + parentsGuideFile);
    ASSERT_FALSE(bytes.empty()) << "no " << parentsGuideFile << " in " << dataDir();
    const std::string page(bytes.begin(), bytes.end());
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* outside : {"<script", "src=", "http:", "https:", "<link"})
        EXPECT_EQ(page.find(outside), std::string::npos) << "the guide must not use " << outside;
    size_t previous = 0;
    for (const char* code : languageCodes) {
        size_t at = page.find("<section id=\"" + std::string(code) + "\"");
        ASSERT_NE(at, std::string::npos) << "no section " << code;
        EXPECT_GT(at, previous) << "sections out of order at " << code;
        size_t end = page.find("</section>", at);
        const std::string section = page.substr(at, end - at);
        for (const char* must : {"velvadine_quillmead_cfg", "$XDG_DATA_HOME", "~/.local/share", "F1"})
            EXPECT_NE(section.find(must), std::string::npos) << code << " does not mention " << must;
        previous = at;
    }
}

std::vector<std::string> generatedFiles() {
    std::vector<std::string> names = {commonArchive, parentsGuideFile};
    for (int l = 0; l < screenLanguageCount; ++l) {
        names.push_back(languageArchives[l]);
        names.push_back(pictureArchives[l]);
    }
    return names;
}

#ifdef QM_ART_SCREENS
TEST(ArtScreens, GeneratingTwiceWritesIdenticalFiles) {
    std::string first = makeTempDir("qm_screens_a"), second = makeTempDir("qm_screens_b");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    for (const std::string& dir : {first, second}) {
        std::string command = std::string("'") + QM_ART_SCREENS + "' '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (const std::string& name : generatedFiles()) {
        std::vector<uint8_t> a = readFileBytes(first + "/" + name), b = readFileBytes(second + "/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_TRUE(a == b) << name << " differs between two runs";
    }
    for (const std::string& dir : {first, second}) {
        for (const std::string& name : generatedFiles()) std::remove((dir + "/" + name).c_str());
        std::remove(dir.c_str());
    }
}
#else
TEST(ArtScreens, GeneratingTwiceWritesIdenticalFiles) { FAIL() << "art_screens was not built with the tests"; }
#endif

}  // namespace
