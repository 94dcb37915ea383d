#include "screens/web_link.h"

#include <cstdio>

#include "base/browser.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "screens/screen_entries.h"
#include "screens/screen_hooks.h"
#include "screens/screen_state.h"

namespace {

// Nothing in it is escaped or varies at run time.
const char kSiteQuery[] =
    "?utm_source=software&utm_medium=quillmead_win&utm_term=prog&utm_content=1.0.0&utm_campaign=quillmead_win";

}  // namespace

std::string parentsGuideAddress(const std::string& folder, int32_t language) {
    if (folder.empty()) return "";
    if (language < 0 || language >= screenLanguageCount) language = 0;
    std::string path = folder;
    if (path.back() != '/' && path.back() != '\\') path += '/';
    return fileUrl(path + parentsGuideFile) + "#" + languageCodes[language];
}

std::string webSiteAddress(const std::string& host) { return "http://" + host + "/" + kSiteQuery; }

std::string parentsLinkAddress() {
#ifdef QM_WEB_HOST
    return webSiteAddress(QM_WEB_HOST);
#else
    return parentsGuideAddress(workingFolder(), switches().language);
#endif
}

void openWebSiteAction(void*) {
    // The button lies on the setup screen; an about or clear-all screen over it
    // hides it, so it reacts like the setup screen's other buttons.
    if (!clickedOn(ModalLevel::screen)) return;
    std::string address = parentsLinkAddress();
    if (!address.empty() && launchBrowser(address)) {
        runScreenAction(screenHooks().quit);
        return;
    }
    // Nothing opened: the program goes on, and says why to whoever looks.
    std::fprintf(stderr, "quillmead: the parents' guide could not be opened: %s\n",
                 address.empty() ? "its folder is not known" : "no web browser could be started");
    playSound("netu.wav", false);
}
