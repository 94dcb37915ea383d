// The parents' guide: one self-contained HTML page (UTF-8, its style inline,
// no scripts, nothing fetched) with a section per language, each anchored by
// its language code so the program can open "guide.html#de".
#include <string>

#include "screens/screen_entries.h"
#include "tools/artwork/screens/guide.h"
#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const char* const kStyle =
    "body{margin:0;background:#fdf6e9;color:#4a3329;font:17px/1.55 Andika,\"Trebuchet MS\",sans-serif}"
    "nav{background:#f5a84d;padding:.6em 1em;text-align:center}"
    "nav a{color:#fff;font-weight:bold;text-decoration:none;margin:0 .7em}"
    "nav a:hover,nav a:focus{text-decoration:underline}"
    "section{max-width:46em;margin:1.5em auto;padding:1.2em 1.8em;background:#fffdf7;"
    "border:3px solid #f5a84d;border-radius:1em}"
    "h1{color:#d95c33;font-size:1.6em;margin:.2em 0 .6em}"
    "h2{color:#3f8a3a;font-size:1.2em;margin:1.3em 0 .4em}"
    "li{margin:.3em 0}"
    "table{border-collapse:collapse}"
    "td{padding:.25em .8em .25em 0;vertical-align:top}"
    "td:first-child{white-space:nowrap}"
    "kbd{background:#fff;border:1px solid #c9b8a8;border-bottom-width:2px;border-radius:.3em;padding:0 .35em;"
    "font:inherit;font-size:.9em}"
    "code{background:#f4ede2;border-radius:.25em;padding:0 .25em;font-size:.92em;overflow-wrap:anywhere}"
    "footer{margin-top:1.5em;font-size:.9em;color:#8a7263}";

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Words the screens show, as HTML: the no-break spaces the screens use become
// entities, so the page stays plain to read in its source.
std::string screenWord(const char* word) {
    std::string s = word;
    replaceAll(s, "\u00a0", "&nbsp;");
    return s;
}

std::string filled(const char* fragment, const GuideTexts& g, const ScreenTexts& t) {
    std::string s = fragment;
    auto quoted = [&g](const char* word) { return std::string(g.quoteOpen) + screenWord(word) + g.quoteClose; };
    replaceAll(s, "{exit}", quoted(t.exitQuestion));
    replaceAll(s, "{clearall}", quoted(t.clearAll));
    replaceAll(s, "{about}", quoted(t.about));
    replaceAll(s, "{parents}", quoted(t.parents));
    replaceAll(s, "{ok}", quoted(t.ok));
    replaceAll(s, "{file}", "<code>velvadine_quillmead_cfg</code>");
    return s;
}

std::string section(int language) {
    const GuideTexts& g = guideTexts(language);
    const ScreenTexts& t = screenTexts(language);
    const std::string code = languageCodes[language];
    std::string s = "<section id=\"" + code + "\" lang=\"" + code + "\">\n";
    s += "<h1>" + std::string(g.title) + "</h1>\n";
    s += "<p>" + filled(g.intro, g, t) + "</p>\n";
    s += "<h2>" + std::string(g.playHeading) + "</h2>\n<ul>\n";
    for (const char* item : g.play) s += "<li>" + filled(item, g, t) + "</li>\n";
    s += "</ul>\n<h2>" + std::string(g.keysHeading) + "</h2>\n<table>\n";
    for (const auto& key : g.keys) s += "<tr><td>" + std::string(key[0]) + "</td><td>" + key[1] + "</td></tr>\n";
    s += "</table>\n";
    const GuideAccessTexts& a = guideAccessTexts(language);
    s += "<h2>" + std::string(a.heading) + "</h2>\n<p>" + a.intro + "</p>\n<ul>\n";
    for (const char* method : a.methods) s += "<li>" + std::string(method) + "</li>\n";
    s += "</ul>\n<p>" + std::string(a.still) + "</p>\n";
    s += "<h2>" + std::string(g.whereHeading) + "</h2>\n<p>" + filled(g.where, g, t) + "</p>\n";
    s += "<h2>" + std::string(g.afreshHeading) + "</h2>\n<p>" + filled(g.afresh, g, t) + "</p>\n";
    s += "<h2>" + std::string(g.privacyHeading) + "</h2>\n<p>" + filled(g.privacy, g, t) + "</p>\n";
    s += "<footer>" + std::string(g.footer) + " " + screenWord(t.licence) + "</footer>\n</section>\n";
    return s;
}

}  // namespace

std::string parentsGuideHtml() {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Quillmead</title>\n<style>";
    page += kStyle;
    page += "</style>\n</head>\n<body>\n<nav>";
    for (int language = 0; language < screenLanguageCount; ++language) {
        const std::string code = languageCodes[language];
        page += "<a href=\"#" + code + "\" lang=\"" + code + "\">" + guideTexts(language).languageName + "</a>";
    }
    page += "</nav>\n";
    for (int language = 0; language < screenLanguageCount; ++language) page += section(language);
    page += "</body>\n</html>\n";
    return page;
}

}  // namespace screenart
