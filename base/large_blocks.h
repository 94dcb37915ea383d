// How the C library hands out large blocks of memory.
#pragma once

// Blocks of 128 KiB and more each get a mapping of their own, given back to the
// system when freed, for the whole run. Without it glibc raises that bound to
// the largest block freed so far (an archive, a decoded picture: megabytes),
// and every later block below it is carved from the heap, whose freed holes
// stay resident: 7–10 MiB more at the peak at 1280x720. Call first thing in main.
// Does nothing where the C library is not glibc.
void keepLargeBlocksInTheirOwnMappings();
