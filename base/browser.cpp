#include "base/browser.h"

#include <cctype>
#include <cstring>


bool browserCommandFromRegistry(bool queried, const char* buffer, unsigned long size, std::string& command) {
    command.clear();
    if (!queried || !buffer || size == 0 || size >= browserBufferSize) return false;
    const void* end = std::memchr(buffer, '\0', size);
    size_t length = end ? size_t(static_cast<const char*>(end) - buffer) : size_t(size);
    command.assign(buffer, length);
    return !command.empty();
}

std::string browserPathFromCommand(const std::string& command) {
    std::string path = !command.empty() && command[0] == '"' ? command.substr(1) : command;
    for (size_t i = 0; i + 4 <= path.size(); ++i) {
        if (path[i] == '.' && std::tolower(static_cast<unsigned char>(path[i + 1])) == 'e' &&
            std::tolower(static_cast<unsigned char>(path[i + 2])) == 'x' &&
            std::tolower(static_cast<unsigned char>(path[i + 3])) == 'e')
            return path.substr(0, i + 4);
    }
    return path;
}

std::string browserFileName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string browserCommandLine(const std::string& fileName, const std::string& address) {
    return "\"" + fileName + "\" " + address;
}

std::string fileUrl(const std::string& absolutePath) {
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    // C:\folder -> file:///C:/folder
    if (absolutePath.size() >= 2 && std::isalpha(static_cast<unsigned char>(absolutePath[0])) &&
        absolutePath[1] == ':')
        url += '/';
    for (char ch : absolutePath) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\\') c = '/';
        if (std::isalnum(c) || std::strchr("-._~/:", c)) {
            url += char(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}
