#include "app/access_wiring.h"

#include <utility>

#include "app/access_config.h"
#include "app/machine_policy.h"
#include "app/options.h"
#include "book/book_state.h"
#include "book/palette.h"
#include "engine/hover_swell.h"
#include "engine/focus_ring.h"
#include "engine/targets.h"

AccessSettings& userAccessSettings() {
    static AccessSettings fromFile;
    return fromFile;
}

namespace {

// The palette's wells by their place, each followed by its drops, then the
// glass: a well rebuilt when it fills or empties keeps its turn.
int32_t palettePlace(const SceneNode* node) {
    for (const AnimTrack& track : node->animator.tracks) {
        if (track.fn == wellClickTrack) return static_cast<const WellNode*>(track.arg)->well * 4;
        if (track.fn == dropTrack) {
            const Drop* drop = static_cast<const Drop*>(track.arg);
            return drop->well * 4 + 1 + int32_t(drop->kind);
        }
        if (track.fn == glassTrack) return 4 * 4;
    }
    return -1;
}

}  // namespace

void startAccess(SceneNode* root, const DeskParts& desk, const Options& options) {
    accessState.settings = userAccessSettings();
    applyAccessOptions(options, accessState.settings);
    // The machine's policy last: what it fixes, neither the file nor the command line changes.
    applyPolicyToAccess(accessState.settings);
    // Reduced motion: nothing swells, swings or throws stars, and what grows in or
    // shrinks away (drops, the back and clear buttons) is at once where it ends.
    const bool still = accessState.settings.reducedMotion;
    setHoverSwellOn(!still);
    setSwellInstant(still);
    book().starBursts = !still;
    book().lidSwings = !still;
    targetWiring = TargetWiring();
    if (desk.hud) {
        // The corner buttons lie inside the HUD; their source comes after it,
        // so that their own group is the one they take.
        targetWiring.desk = {
            {desk.jars, paintsGroup, false},
            {desk.palette, paletteGroup, false},
            {desk.book, pageGroup, true},
            {desk.hud, pageButtonsGroup, true},
            {desk.corners, cornerGroup, true},
        };
        targetWiring.placeInGroup = palettePlace;
    }
    // Over everything it frames, under the brush, which stays the root's last child.
    if (root) {
        SceneNode* overlay = buildAccessOverlay();
        addChild(root, overlay);
        if (root->children.size() >= 2) std::swap(root->children[root->children.size() - 2], root->children.back());
    }
}
