// The pack manifest: one entry a line, fields separated by single tabs:
//
//   <target type 0-255> <TAB> <YYYYMMDDhhmmss> <TAB> <name in UTF-8> <TAB> <source file>
//
// Blank lines and lines whose first non-blank character is '#' are ignored; a UTF-8 byte
// order mark and CR line ends are accepted. Source paths are UTF-8, relative to the
// manifest's folder unless absolute. Names are kept exactly as written (spaces included)
// and use '\' for subfolders, as on Windows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dftool {

struct ManifestEntry {
    int line = 0;
    std::uint8_t targetType = 0;
    std::string timestamp;  // 14 digits
    std::string name;       // UTF-8, as written
    std::string nameBytes;  // code page 932, as it will be stored
    std::filesystem::path source;
};

struct Manifest {
    std::vector<ManifestEntry> entries;
    std::vector<std::string> errors;  // "line N: ...", every refused line
};

Manifest ParseManifest(const std::string& text, const std::filesystem::path& baseDir);

}  // namespace dftool
