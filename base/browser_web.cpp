// Opening an address from the browser the program runs in: a new tab.
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "base/browser.h"

namespace {

// Always 0: a tab opened without an opener gives no handle back, so the
// caller cannot tell, and takes it as not started; it then goes on painting,
// which in the browser is what should happen (it also says the guide did not
// open and plays the soft sound: the link's own answer for the browser is to
// come, with the guide on the site).
EM_JS(int, openInNewTab, (const char* address), {
    return window.open(UTF8ToString(address), "_blank", "noopener") ? 1 : 0;
});

}  // namespace

bool launchBrowser(const std::string& address) { return openInNewTab(address.c_str()) != 0; }

#endif  // __EMSCRIPTEN__
