// Choosing the language (locale, command line, the archives a language loads)
// and the parents' link: the addresses and the browser command's string handling.
#include <gtest/gtest.h>

#include <string>

#include "app/options.h"
#include "base/browser.h"
#include "engine/switches.h"
#include "resources/pak.h"
#include "screens/languages.h"
#include "screens/web_link.h"
#include "support/test_support.h"

namespace {

TEST(Languages, ArchivesFollowTheLanguageAndAnythingElseIsEnglish) {
    const char* words[] = {"langen.pak", "langde.pak", "langes.pak", "langru.pak", "langfr.pak"};
    const char* pictures[] = {"plangen.pak", "plangde.pak", "planges.pak", "plangru.pak", "plangfr.pak"};
    // The archives are tried before a language is taken: the build's, all whole.
    std::string savedBase = pakCache().baseDirectory;
    pakCache().baseDirectory = dataDir() + "/";
    resetScreenArchiveChecks();
    for (int32_t language = -2; language < 8; ++language) {
        switches().language = language;
        int32_t shown = language >= 0 && language < 5 ? language : 0;
        EXPECT_STREQ(languageArchive(), words[shown]) << language;
        EXPECT_STREQ(pictureArchive(), pictures[shown]) << language;
    }
    switches().language = 0;
    resetScreenArchiveChecks();
    pakCache().baseDirectory = savedBase;
}

TEST(Languages, TheLocaleNamesTheLanguageInThePosixOrder) {
    EXPECT_EQ(languageFromLocaleName("de_DE.UTF-8"), 1);
    EXPECT_EQ(languageFromLocaleName("es"), 2);
    EXPECT_EQ(languageFromLocaleName("ru_RU"), 3);
    EXPECT_EQ(languageFromLocaleName("fr_CA@euro"), 4);
    EXPECT_EQ(languageFromLocaleName("en_GB.UTF-8"), 0);
    for (const char* none : {"C", "POSIX", "C.UTF-8", "it_IT", "deu", "", "DE_de"})
        EXPECT_EQ(languageFromLocaleName(none), -1) << none;
    EXPECT_EQ(languageFromLocaleName(nullptr), -1);

    // LC_ALL, then LC_MESSAGES, then LANG; the first one set decides, even "C".
    EXPECT_EQ(languageFromLocale("ru_RU.UTF-8", "de_DE", "fr_FR"), 3);
    EXPECT_EQ(languageFromLocale("", "de_DE", "fr_FR"), 1);
    EXPECT_EQ(languageFromLocale(nullptr, nullptr, "fr_FR"), 4);
    EXPECT_EQ(languageFromLocale("C", nullptr, "ru_RU"), 0);
    EXPECT_EQ(languageFromLocale(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(languageFromLocale(nullptr, "it_IT", "de_DE"), 0);
}

TEST(Options, LanguageAndHelpAreUnderstoodAndAnythingElseIsRefused) {
    Options o;
    std::string why;
    const char* none[] = {"quillmead"};
    ASSERT_TRUE(parseOptions(1, none, o, why));
    EXPECT_EQ(o.language, -1);
    EXPECT_FALSE(o.help);
    const char* ru[] = {"quillmead", "--language", "ru"};
    ASSERT_TRUE(parseOptions(3, ru, o, why));
    EXPECT_EQ(o.language, 3);
    const char* fr[] = {"quillmead", "--language=fr", "--help"};
    ASSERT_TRUE(parseOptions(3, fr, o, why));
    EXPECT_EQ(o.language, 4);
    EXPECT_TRUE(o.help);

    const char* missing[] = {"quillmead", "--language"};
    EXPECT_FALSE(parseOptions(2, missing, o, why));
    const char* unknownLanguage[] = {"quillmead", "--language", "it"};
    EXPECT_FALSE(parseOptions(3, unknownLanguage, o, why));
    EXPECT_NE(why.find("it"), std::string::npos);
    const char* unknownOption[] = {"quillmead", "--fullscreen"};
    EXPECT_FALSE(parseOptions(2, unknownOption, o, why));
    EXPECT_NE(why.find("--fullscreen"), std::string::npos);
    EXPECT_NE(std::string(usageText()).find("--language"), std::string::npos);
}

TEST(ParentsLink, GuideAndSiteAddresses) {
    EXPECT_EQ(parentsGuideAddress("/usr/share/quillmead", 0), "file:///usr/share/quillmead/guide.html#en");
    EXPECT_EQ(parentsGuideAddress("/data/", 3), "file:///data/guide.html#ru");
    EXPECT_EQ(parentsGuideAddress("/data", 9), "file:///data/guide.html#en");
    EXPECT_EQ(parentsGuideAddress("/home/a b/Müll#1", 4), "file:///home/a%20b/M%C3%BCll%231/guide.html#fr");
    EXPECT_EQ(parentsGuideAddress("", 1), "");
    EXPECT_EQ(parentsGuideAddress("C:\\Program Files\\Quillmead", 1),
              "file:///C:/Program%20Files/Quillmead/guide.html#de");
    EXPECT_EQ(webSiteAddress("example.org"),
              "http://example.org/?utm_source=software&utm_medium=quillmead_win&utm_term=prog&utm_content=1.0.0"
              "&utm_campaign=quillmead_win");
}

TEST(BrowserCommand, TheRegisteredCommandBecomesPathFileNameAndCommandLine) {
    std::string command;
    // What the registry gave: only a read, non-empty value shorter than the buffer.
    const char value[] = "\"C:/Program Files/Web/web.exe\" -osint -url \"%1\"";
    ASSERT_TRUE(browserCommandFromRegistry(true, value, sizeof value, command));
    EXPECT_EQ(command, value);
    EXPECT_FALSE(browserCommandFromRegistry(false, value, sizeof value, command));
    EXPECT_TRUE(command.empty());
    EXPECT_FALSE(browserCommandFromRegistry(true, "", 1, command));
    EXPECT_FALSE(browserCommandFromRegistry(true, value, 0, command));
    std::string full(browserBufferSize, 'x');
    EXPECT_FALSE(browserCommandFromRegistry(true, full.data(), 256, command));
    EXPECT_FALSE(browserCommandFromRegistry(true, full.data(), 300, command));
    EXPECT_TRUE(browserCommandFromRegistry(true, full.data(), 255, command));
    EXPECT_EQ(command.size(), 255u);  // unterminated: taken up to its size only
    const char early[] = "a.exe\0garbage";
    ASSERT_TRUE(browserCommandFromRegistry(true, early, sizeof early, command));
    EXPECT_EQ(command, "a.exe");

    // Quoted with arguments: the path without the quotes and the arguments.
    EXPECT_EQ(browserPathFromCommand(value), "C:/Program Files/Web/web.exe");
    // Unquoted, the extension in capitals: cut right after it.
    EXPECT_EQ(browserPathFromCommand("C:/WEB/BROWSER.EXE %1"), "C:/WEB/BROWSER.EXE");
    EXPECT_EQ(browserPathFromCommand("C:/a.exe/b.exe"), "C:/a.exe");
    // No ".exe" at all: taken whole; an ".ex" at the end is no match.
    EXPECT_EQ(browserPathFromCommand("/usr/bin/browser %u"), "/usr/bin/browser %u");
    EXPECT_EQ(browserPathFromCommand("web.ex"), "web.ex");
    EXPECT_EQ(browserPathFromCommand(""), "");
    EXPECT_EQ(browserPathFromCommand("\""), "");

    EXPECT_EQ(browserFileName("C:/Program Files/Web/web.exe"), "web.exe");
    EXPECT_EQ(browserFileName("C:\\Web\\web.exe"), "C:\\Web\\web.exe");
    EXPECT_EQ(browserFileName("dir/"), "");
    EXPECT_EQ(browserCommandLine("web.exe", "http://example.org/?a=1&b=2"), "\"web.exe\" http://example.org/?a=1&b=2");
}

}  // namespace
