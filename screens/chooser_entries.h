// The names the "Who is painting?" screen loads: one archive with the twelve
// animals (a large picture for the chooser, a small one with a swap sign for
// the menu) and the chooser's card in each language. The artwork tool writes
// exactly these and the program loads exactly these.
#pragma once

inline constexpr const char* chooserArchive = "animals.pak";
constexpr int animalCount = 12;
// In the order an administrator's "animals = N" takes them.
inline constexpr const char* animalNames[animalCount] = {"fox", "owl",    "bear", "rabbit", "hedgehog", "frog",
                                                         "cat", "duck",   "turtle", "bee",  "mouse",    "whale"};
// Entries: "animal_NAME" (the chooser's, 1.9 units across), "animal_NAME_switch"
// (the menu's, 1.2 across) and "chooser_CODE" (the card, per language code).
