// Starting the browser on Windows: the command registered for http addresses.
#ifdef _WIN32
#include <windows.h>

#include <vector>

#include "base/browser.h"

bool launchBrowser(const std::string& address) {
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
    if (!browserCommandFromRegistry(queried, value, size, command)) return false;
    std::string path = browserPathFromCommand(command);
    std::string line = browserCommandLine(browserFileName(path), address);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(path.c_str(), commandLine.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return false;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return true;
}

#endif  // _WIN32
