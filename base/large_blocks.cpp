#include "base/large_blocks.h"

#if defined(__GLIBC__)
#include <malloc.h>

void keepLargeBlocksInTheirOwnMappings() {
    // Setting the bound at all turns glibc's moving bound off.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}
#else
void keepLargeBlocksInTheirOwnMappings() {}
#endif
