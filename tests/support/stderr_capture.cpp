#include "support/stderr_capture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "support/test_support.h"

void startCapturingStderr(StderrCapture& capture) {
    if (capture.file.empty()) capture.file = makeTempDir("qm_stderr") + "/stderr";
    std::fflush(stderr);
    capture.kept = dup(2);
    int fd = open(capture.file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return;
    dup2(fd, 2);
    close(fd);
}

std::string stopCapturingStderr(StderrCapture& capture) {
    std::fflush(stderr);
    if (capture.kept >= 0) {
        dup2(capture.kept, 2);
        close(capture.kept);
        capture.kept = -1;
    }
    if (capture.file.empty()) return "";
    std::vector<uint8_t> bytes = readFileBytes(capture.file);
    return std::string(bytes.begin(), bytes.end());
}

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}
