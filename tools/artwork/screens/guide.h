// The parents' guide: its words per language (guide_texts.cpp) and the page
// made of them (guide.cpp).
#pragma once
#include <string>

namespace screenart {

// One language's section. The strings are HTML fragments written by hand
// (they may hold <code>, <kbd> and entities). In them {exit}, {clearall},
// {about} and {ok} stand for the words the screens show, so that the
// guide names the buttons exactly as the child sees them.
struct GuideTexts {
    const char* languageName;  // in the language itself, for the links at the top
    const char* title;
    const char* intro;
    const char* playHeading;
    const char* play[11];
    const char* keysHeading;
    const char* keys[4][2];  // key, what it does
    const char* whereHeading;
    const char* where;
    const char* afreshHeading;
    const char* afresh;
    const char* privacyHeading;  // nothing leaves the computer
    const char* privacy;
    const char* footer;
    const char* quoteOpen;  // quotation marks around words shown on screen
    const char* quoteClose;
};
const GuideTexts& guideTexts(int language);

// The section on playing without a mouse (guide_access_texts.cpp): the same
// kind of fragments, one item for each way in (keys, two switches, one switch,
// dwell), then reduced motion and the tick.
struct GuideAccessTexts {
    const char* heading;
    const char* intro;
    const char* methods[4];
    const char* still;
};
const GuideAccessTexts& guideAccessTexts(int language);

}  // namespace screenart
