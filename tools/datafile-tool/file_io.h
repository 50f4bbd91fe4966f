// Whole-file reads and writes, and file times, with errors as text.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace dftool {

// UTF-8 form of a path, for messages.
std::string PathText(const std::filesystem::path& path);

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>* bytes, std::string* error);

// Writes beside the target and renames, so that a failed write leaves no half file.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error);

// Creates or truncates the file and writes the bytes.
bool WriteWholeFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                    std::string* error);

bool SetModificationTime(const std::filesystem::path& path, std::time_t when, std::string* error);

// The file's modification time as a time_t (for tests and listings).
bool GetModificationTime(const std::filesystem::path& path, std::time_t* when, std::string* error);

}  // namespace dftool
