#include "app/profiles.h"

#include <cstdio>

#include "app/machine_policy.h"
#include "app/settings_file.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "engine/engine_state.h"
#include "engine/switches.h"
#include "resources/pak.h"
#include "scene/render.h"
#include "screens/chooser_entries.h"
#include "screens/chooser_screen.h"
#include "screens/screen_state.h"
#include "screens/screens.h"

ProfileState& profiles() {
    static ProfileState books;
    return books;
}

namespace {

// How many animals a policy that turns profiles on without a count offers.
const int32_t kDefaultAnimals = 4;

// The animals' names as a chapter of the printed book is headed, in the
// screens' languages (en, de, es, ru, fr).
const char* const kAnimalWords[5][animalCount] = {
    {"Fox", "Owl", "Bear", "Rabbit", "Hedgehog", "Frog", "Cat", "Duck", "Turtle", "Bee", "Mouse", "Whale"},
    {"Fuchs", "Eule", "Bär", "Hase", "Igel", "Frosch", "Katze", "Ente", "Schildkröte", "Biene", "Maus", "Wal"},
    {"Zorro", "Búho", "Oso", "Conejo", "Erizo", "Rana", "Gato", "Pato", "Tortuga", "Abeja", "Ratón", "Ballena"},
    {"Лиса", "Сова", "Медведь", "Кролик", "Ёжик", "Лягушка", "Кошка", "Утка", "Черепаха", "Пчела", "Мышка", "Кит"},
    {"Renard", "Hibou", "Ours", "Lapin", "Hérisson", "Grenouille", "Chat", "Canard", "Tortue", "Abeille", "Souris",
     "Baleine"},
};

}  // namespace

void chooseBook(int32_t animal) {
    if (!profiles().on) return;
    if (animal == profiles().current) {
        closeModalScreen(modalHolder(ModalLevel::screen));
        return;
    }
    profiles().next = animal;
    if (profiles().saveAndQuit) profiles().saveAndQuit();
}

void configureProfiles(const std::string& settingsPath) {
    profiles() = ProfileState();
    profiles().firstBook = settingsPath;
    if (machinePolicy().profiles != PolicySwitch::forcedOn || settingsPath.empty()) return;
    profiles().on = true;
    SettingsFileState state = SettingsFileState::missing;
    Settings usual = loadSettingsFile(settingsPath, &state);
    if (state == SettingsFileState::whole || state == SettingsFileState::damaged) profiles().language = usual.language;
    int32_t count = machinePolicy().animals > 0 ? machinePolicy().animals : kDefaultAnimals;
    for (int32_t i = 0; i < count && i < animalCount; ++i) profiles().animals.push_back(i);
}

std::string profileSettingsPath(int32_t animal) {
    if (animal <= 0 || animal >= animalCount) return profiles().firstBook;
    return profiles().firstBook + "." + animalNames[animal];
}

const char* profileFolderName(int32_t animal) {
    return animal >= 0 && animal < animalCount ? animalNames[animal] : "";
}

std::string firstRunSettingsPath() { return profiles().on ? std::string() : profiles().firstBook; }

namespace {

// The usual file is this process's (its lock was claimed first); a damaged or
// unreadable one is left for its own run to deal with.
void keepRunLanguage(const std::string& ranBook) {
    profiles().language = switches().language;
    if (ranBook == profiles().firstBook || profiles().firstBook.empty()) return;  // its keeper wrote it
    SettingsFileState state = SettingsFileState::missing;
    Settings usual = loadSettingsFile(profiles().firstBook, &state);
    if (state != SettingsFileState::whole && state != SettingsFileState::missing) return;
    if (state == SettingsFileState::whole && usual.language == profiles().language) return;
    usual.language = profiles().language;
    if (!saveSettingsFile(usual, profiles().firstBook))
        std::fprintf(stderr, "quillmead: could not keep the language in %s\n", profiles().firstBook.c_str());
}

}  // namespace

bool takeNextBook(std::string& path) {
    if (profiles().on) keepRunLanguage(path);
    if (!profiles().on || profiles().next < 0 || terminationRequested()) return false;
    profiles().current = profiles().next;
    profiles().next = -1;
    path = profileSettingsPath(profiles().current);
    resetSceneState();
    resetEngineState();
    resetBook();
    resetScreens();
    return true;
}

void openStartScreen(void (*saveAndQuit)()) {
    profiles().saveAndQuit = saveAndQuit;
    chooserState() = ChooserState();
    if (profiles().on) {
        chooserState().animals = profiles().animals;
        chooserState().current = profiles().current;
        chooserState().closable = !machinePolicy().kiosk;
        if (profiles().current < 0) {
            openChooserScreen();
            return;
        }
    }
    if (switches().showHelpAtStart) openScreen(ModalLevel::screen, buildHelpScreen);
}

std::vector<PdfChapter> profileChapters(int32_t language) {
    std::vector<PdfChapter> chapters;
    if (!profiles().on) {
        PdfChapter chapter;
        chapter.pages = loadSettingsFile(profiles().firstBook).pages;
        chapters.push_back(chapter);
        return chapters;
    }
    if (language < 0 || language >= 5) language = 0;
    PakArchive* animals = pakTryAcquire(chooserArchive);
    for (int32_t animal : profiles().animals) {
        PdfChapter chapter;
        chapter.heading = kAnimalWords[language][animal];
        chapter.pages = loadSettingsFile(profileSettingsPath(animal)).pages;
        if (animals) {
            std::string entry = std::string("tex_animal_") + animalNames[animal] + ".png";
            int32_t size = 0;
            const uint8_t* png = pakGetEntry(*animals, entry.c_str(), &size);
            if (png && size > 0) chapter.headingPicture.assign(png, png + size);
        }
        chapters.push_back(chapter);
    }
    if (animals) pakRelease(chooserArchive);
    return chapters;
}

std::string profileExportFolder(const std::string& folder) {
    if (!profiles().on || profiles().current < 0) return folder;
    return folder + pathSeparator() + profileFolderName(profiles().current);
}
