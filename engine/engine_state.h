// The engine's process-wide state in one reset: the input state, the picking
// state, the screens' modal levels, and the switches.
#pragma once

// Back to the values of a fresh start; one process may start the program again.
void resetEngineState();
