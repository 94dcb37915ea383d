// The pages beside the shown one, made ready in the background so that a turn
// builds from pictures already alive. At most the shown page and its two
// neighbours are held; a page that leaves the neighbourhood is let go.
#pragma once

#include <string>
#include <vector>

#include "book/page_table.h"

// The models a page is built from: "block" and its regions "el1" ... "elN".
std::vector<std::string> pageModels(const ColoringPage& page);
// Re-targets the pages prepared on the shown one (nothing while none is shown).
// Cheap when nothing changed: called every pass.
void prepareNeighbourPages();
