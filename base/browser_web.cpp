// Opening an address in the browser the program runs in: a new tab, while the
// program keeps running in its own.
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "base/browser.h"

namespace {

EM_JS(void, openInNewTab, (const char* address), {
    window.open(UTF8ToString(address), '_blank', 'noopener');
});

}  // namespace

void launchBrowser(const std::string& address) { openInNewTab(address.c_str()); }

#endif  // __EMSCRIPTEN__
