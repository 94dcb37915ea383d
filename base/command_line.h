// How the program was started: its arguments, once, in UTF-8, and the console
// it may answer on.
#pragma once
#include <string>
#include <vector>

// The arguments, program name first, in UTF-8. POSIX: argv as given. Windows:
// the wide command line the system keeps (GetCommandLineW), split by the
// system's own rules and converted once; argv, which reaches main through the
// ANSI code page, is not used there, since it loses every character outside it
// ("Zoë" in a Western code page keeps its "ë", "Зоя" does not).
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Windows: when the program was started from a console and its output goes
// nowhere (a GUI program gets no standard handles), attaches to that console
// and sends stdout and stderr there, so that --help, --version and the error
// lines are seen. Output already redirected to a file or pipe stays where it
// goes. POSIX: nothing.
void answerOnStartingConsole();

#ifdef _WIN32
// A command line split as the system splits it (CommandLineToArgvW: quotes,
// backslashes before quotes), each argument in UTF-8. Empty for an empty line.
std::vector<std::string> splitWideCommandLine(const wchar_t* line);
#endif
