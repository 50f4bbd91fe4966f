#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gui_driver {

// One entry of a data file that a test builds on the spot.
struct DataFileEntry {
  std::uint8_t targetType = 0;
  std::string timestamp;  // YYYYMMDDhhmmss, local time
  std::wstring name;      // stored in code page 932
  std::string content;
};

// The bytes of a data file with readable names stored as the packing tool stores them, or nothing with
// `error` saying why (a name that code page 932 cannot hold or that is too long, for instance).
std::optional<std::string> PackDataFile(const std::vector<DataFileEntry>& entries, std::string* error);

// How many bytes the name takes in the data file.
std::optional<size_t> StoredNameSize(const std::wstring& name, std::uint8_t targetType);

// The stand-in programs the build makes beside the setup, as Windows paths.
std::wstring DriverStandinPath();
std::wstring SampleProgramPath();

}  // namespace gui_driver
