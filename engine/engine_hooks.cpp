#include "engine/engine_hooks.h"

EngineHooks& engineHooks() {
    static EngineHooks wired;
    return wired;
}
