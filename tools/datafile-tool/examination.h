// What verify reports and what extract requires: the setup's three checks, the
// structural validation, and the tool's own checks of installed names and timestamps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/datafile/data_file.h"

namespace dftool {

struct FileChecks {
    bool signature = false;
    bool version = false;
    bool crc = false;
    bool tableRead = false;  // the entry table lies inside the file and was read
    std::string tableError;
    datafile::EntryTable table;
    bool Ok() const { return signature && version && crc && tableRead; }
};

FileChecks CheckFile(const std::vector<std::uint8_t>& bytes);

// Why ReadEntryTable refused the table, with the count that the file gives.
std::string TableProblem(datafile::ReadStatus status, const datafile::EntryTable& table, std::uint64_t fileSize);

struct ClassCheck {
    int osClass = 0;
    std::vector<std::string> problems;  // empty when the setup on this class would install cleanly
    std::vector<std::string> warnings;  // what the setup would install differently from the data file
    std::uint64_t totalSize = 0;
    std::size_t toDest = 0;
    std::size_t toSystem = 0;
};

// For the entries installed on osClass: the structural validation, names that decode
// from code page 932 and are usable file names, timestamps the setup can apply, and at
// least one byte to install (the setup stops silently otherwise).
ClassCheck CheckClass(const datafile::EntryTable& table, std::uint64_t fileSize, int osClass);

}  // namespace dftool
