#include "app/spare_memory.h"

#include "base/available_memory.h"

SpareMemory& spareMemory() {
    static SpareMemory spare;
    return spare;
}

bool memoryTight(uint32_t nowMs) {
    SpareMemory& m = spareMemory();
    if (m.read && nowMs - m.lastReadAt < m.everyMs) return m.tight;
    m.read = true;
    m.lastReadAt = nowMs;
    const int64_t bytes = m.available ? m.available() : availableMemoryBytes();
    if (bytes < 0)
        m.tight = false;
    else if (bytes < m.tightBelow)
        m.tight = true;
    else if (bytes > m.spareAbove)
        m.tight = false;
    return m.tight;
}
