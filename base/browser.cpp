#include "base/browser.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#else
#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>
extern char** environ;
#endif

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

#ifdef _WIN32

std::string workingFolder() {
    char buffer[MAX_PATH];
    return _getcwd(buffer, sizeof buffer) ? buffer : "";
}

void launchBrowser(const std::string& address) {
    char value[browserBufferSize];
    DWORD size = sizeof value;
    DWORD type = 0;
    bool queried = false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        queried = RegQueryValueExA(key, NULL, NULL, &type, reinterpret_cast<LPBYTE>(value), &size) == ERROR_SUCCESS &&
                  (type == REG_SZ || type == REG_EXPAND_SZ);
        RegCloseKey(key);
    }
    std::string command;
    if (!browserCommandFromRegistry(queried, value, size, command)) return;
    std::string path = browserPathFromCommand(command);
    std::string line = browserCommandLine(browserFileName(path), address);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (CreateProcessA(path.c_str(), commandLine.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

#else

std::string workingFolder() {
    std::vector<char> buffer(256);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return "";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

void launchBrowser(const std::string& address) {
    char program[] = "xdg-open";
    std::vector<char> argument(address.begin(), address.end());
    argument.push_back('\0');
    char* argv[] = {program, argument.data(), nullptr};
    pid_t child;
    posix_spawnp(&child, program, nullptr, nullptr, argv, environ);
}

#endif
