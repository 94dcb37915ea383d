#include "engine/engine_state.h"

#include "engine/access.h"
#include "engine/focus_ring.h"
#include "engine/frame_presenter.h"
#include "engine/hover_swell.h"
#include "engine/input.h"
#include "engine/modal.h"
#include "engine/pick.h"
#include "engine/switches.h"

void resetEngineState() {
    resetInput();
    resetPick();
    resetModalLevels();
    resetAccess();
    resetAccessOverlay();
    setHoverSwellOn(true);
    setSwellInstant(false);
    presenter.counts = PresenterCounts();
    presenter.checkAgainstWholeFrames = false;
    redrawWholeNextFrame();
    setSwitch(switches().showHelpAtStart, true);
    setSwitch(switches().soundOn, true);
    setSwitch(switches().musicOn, true);
    switches().language = 0;
}
