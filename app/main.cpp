// Quillmead: the command line, start-up, the main loop until the scene tree has
// dismantled itself, and shutdown.
#include <cstdio>
#include <string>

#include "app/options.h"
#include "app/shell.h"
#include "base/gl.h"  // SDL renames main where it needs its own entry point

int main(int argc, char* argv[]) {
    Options options;
    std::string why;
    if (!parseOptions(argc, argv, options, why)) {
        std::fprintf(stderr, "quillmead: %s\n%s", why.c_str(), usageText());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    startUp(options);
    while (running()) runOnePass();
    shutDown();
    return 0;
}
