// The sentences for the person at the desktop when the program cannot start or
// cannot keep the paintings: compiled in, since the language archives may be
// the very files that are missing. Shown with showDesktopNotice (a message box
// on Windows, the desktop's notifier elsewhere), next to the English line on
// stderr. language is 0-4 (en, de, es, ru, fr); anything else gives English.
#pragma once
#include <cstdint>
#include <string>

// texts[language], or texts[0] for a language out of range.
const char* noticeInLanguage(const char* const texts[5], int32_t language);
// The pictures and sounds are not in folder: the installation is incomplete.
std::string dataMissingNotice(int32_t language, const std::string& folder);
// An archive (file) of the pictures and sounds is damaged.
std::string dataDamagedNotice(int32_t language, const std::string& file);
