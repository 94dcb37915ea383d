// What the corner buttons do when clicked or keyed.
#pragma once

void openExitAction(void* arg);
void openHelpAction(void* arg);
void openSetupAction(void* arg);
