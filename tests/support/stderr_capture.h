// What the program says on stderr during a scenario: stderr goes to a file
// from startCapturingStderr until stopCapturingStderr gives it back and returns
// the text.
#pragma once
#include <string>

struct StderrCapture {
    std::string file;
    int kept = -1;  // the real stderr while capturing
};

void startCapturingStderr(StderrCapture& capture);
// Safe to call again (or without a start): then it returns the file's text.
std::string stopCapturingStderr(StderrCapture& capture);
// How many times part occurs in text.
int occurrences(const std::string& text, const std::string& part);
