// What the corner buttons and the page arrows do when clicked or keyed.
#pragma once

void openExitAction(void* arg);
void openHelpAction(void* arg);
void openSetupAction(void* arg);
void previousPageAction(void* arg);
void nextPageAction(void* arg);
