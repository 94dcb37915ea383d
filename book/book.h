// The colouring book's entry points used by the application shell.
#pragma once

// Sets the pending page from the settings' current list (page 1 when none).
void restoreCurrentPage();
