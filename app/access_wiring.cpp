#include "app/access_wiring.h"

#include <utility>

#include "app/access_config.h"
#include "app/machine_policy.h"
#include "app/hud_actions.h"
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

// buildDesk's children, in its fixed order.
enum DeskChild : size_t { deskHud = 2, deskJars = 3, deskPalette = 4, deskPage = 5, deskChildren = 8 };

// The HUD holds the page arrows, the back and clear buttons and the corner
// buttons; the corner buttons are the ones whose click opens a screen.
int32_t regroupHud(const SceneNode* node, int32_t group) {
    if (group != pageButtonsGroup) return group;
    for (const AnimTrack& track : node->animator.tracks)
        if (track.fn == openExitAction || track.fn == openHelpAction || track.fn == openSetupAction)
            return cornerGroup;
    return group;
}

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

void startAccess(SceneNode* root, const Options& options) {
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
    if (root && root->children.size() >= deskChildren) {
        targetWiring.desk = {
            {root->children[deskJars], paintsGroup, false},
            {root->children[deskPalette], paletteGroup, false},
            {root->children[deskPage], pageGroup, true},
            {root->children[deskHud], pageButtonsGroup, true},
        };
        targetWiring.regroup = regroupHud;
        targetWiring.placeInGroup = palettePlace;
    }
    // Over everything it frames, under the brush, which stays the root's last child.
    if (root) {
        SceneNode* overlay = buildAccessOverlay();
        addChild(root, overlay);
        if (root->children.size() >= 2) std::swap(root->children[root->children.size() - 2], root->children.back());
    }
}
