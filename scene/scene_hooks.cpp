#include "scene/scene_hooks.h"

SceneHooks& sceneHooks() {
    static SceneHooks wired;
    return wired;
}
