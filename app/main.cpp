// Quillmead: start-up, the main loop until the scene tree has dismantled
// itself, and shutdown.
#include "app/shell.h"
#include "base/gl.h"  // SDL renames main where it needs its own entry point

int main(int, char*[]) {
    startUp();
    while (running()) runOnePass();
    shutDown();
    return 0;
}
