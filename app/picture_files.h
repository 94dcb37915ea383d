// The files pictures are saved in: their folders, and PNG files written whole
// or not at all.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB rows (top down) to path as an 8-bit RGB PNG: first
// to a temporary file beside it, then renamed over path, so that no half-written
// picture is ever left. On failure why says what went wrong (the system's words)
// and nothing is left at path.
bool writePngFile(const std::string& path, const std::vector<uint8_t>& rgb, int32_t width, int32_t height,
                  std::string& why);

// Creates folder and the folders above it that are missing (like mkdir -p), and
// checks that files can be made in it. On failure why says what went wrong.
bool makeWritableFolder(const std::string& folder, std::string& why);
