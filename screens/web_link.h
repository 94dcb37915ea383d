// The setup screen's parents' link. Without a web host it opens the parents'
// guide beside the archives at the section of the shown language; a build
// configured with QM_WEB_HOST opens the maker's site instead. Either way the
// program then saves and quits, so that the browser has the screen.
#pragma once
#include <cstdint>
#include <string>

// "file://FOLDER/guide.html#CODE" for an absolute folder (a language outside
// 0-4 is English); "" when the folder is unknown ("").
std::string parentsGuideAddress(const std::string& folder, int32_t language);
// "http://HOST/" and the fixed query naming where the visit came from.
std::string webSiteAddress(const std::string& host);
// The address the button opens in this build, for the shown language.
std::string parentsLinkAddress();

// Click track of the web button: fires on a click while no second-level screen
// covers it, launches the browser (when there is an address) and then runs the
// quit action, whether or not a browser started. No sound: the program ends.
void openWebSiteAction(void* arg);
