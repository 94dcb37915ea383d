// A book for each child: when the machine's policy turns profiles on, the
// program starts on "Who is painting?" and each animal there is one child's
// book, a settings file of its own beside the usual one (the first animal's
// book is the usual file, so nothing painted before profiles is lost). Off by
// default: then nothing here changes what the program does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/pdf_chapter.h"

struct ProfileState {
    bool on = false;
    std::vector<int32_t> animals;  // offered, indices of animalNames
    std::string firstBook;         // the usual settings file, the first animal's book
    int32_t current = -1;          // whose book is open; -1 while the chooser waits
    int32_t next = -1;             // chosen, to be opened when this run has ended
    void (*saveAndQuit)() = nullptr;  // the shell's, given by openStartScreen
    // The household's language: the chooser and every child's book show it,
    // and the usual file keeps it for the next start and the printed cover.
    // -1 until a run or the usual file gave one.
    int32_t language = -1;
};
ProfileState& profiles();

// From the machine's policy (profiles = on, animals = N): which animals are
// offered. settingsPath is the usual settings file.
void configureProfiles(const std::string& settingsPath);
// The one place each child's settings file is chosen: the first animal's is
// the usual file, another's is the usual file's path with "." and its name.
std::string profileSettingsPath(int32_t animal);
// The folder name of an animal's exports ("fox").
const char* profileFolderName(int32_t animal);

// The settings file the first run opens: the usual one without profiles; with
// them, none (a book nobody owns, never saved) while the chooser waits.
std::string firstRunSettingsPath();
// Called when a run has ended, with path the book that run had open (empty:
// the chooser's): keeps the run's language as the household's (written into
// the usual file when another book ran), then true, with the next book's
// settings file in path, when a child chose another book (the process-wide
// state is then reset for it).
bool takeNextBook(std::string& path);
// The screen a run opens first: the chooser while no book is chosen, else the
// help screen when the book asks for it. saveAndQuit ends the run, saved (the
// shell's), for a child who chooses another book or closes the chooser.
void openStartScreen(void (*saveAndQuit)());
// The screens' hook for a child's picture clicked on the chooser: the same
// book closes the chooser; another ends this run, saved, and the next run
// opens the chosen book. Nothing without a book for each child.
void chooseBook(int32_t animal);
// Every child's book with a painted page, one chapter each, for the PDF; the
// chapters headed in language.
std::vector<PdfChapter> profileChapters(int32_t language);
// The folder a child's exports go in below folder (folder itself without
// profiles).
std::string profileExportFolder(const std::string& folder);
