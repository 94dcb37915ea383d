// The setup screen's parents' link. Without a web host it opens the parents'
// guide beside the archives at the section of the shown language; a build
// configured with QM_WEB_HOST opens the maker's site instead. When the browser
// started, the program then saves and quits, so that the browser has the screen.
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
// covers it and launches the browser; once it started, runs the quit action (no
// sound: the program ends). When nothing could open the address, one line on
// stderr and the soft two-note sound, and the program goes on.
void openWebSiteAction(void* arg);
