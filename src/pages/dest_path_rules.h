// Rules of the destination folder: what the page accepts and which folders it creates.
// No file system here; the page asks Windows and passes the answers in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

// The characters that Windows' character-type classification calls space.
bool IsSpaceChar(char16_t c);

// Leading white space goes; trailing white space stays.
std::u16string TrimLeadingSpace(std::u16string_view path);

// A drive letter's place, a colon and a backslash: the first colon at index 1 and the
// first backslash at index 2. Bare drives, drive-relative, relative and network paths fail.
bool HasDriveRootForm(std::u16string_view path);

// The folder names after the drive root are names Windows takes as they are: no wildcard or
// other character it refuses, no name ending in a blank or a dot, no device name (the rule of
// install/datafile/windows_names.h). Runs of backslashes count as one; a trailing backslash is allowed.
bool HasValidFolderNames(std::u16string_view path);

// The longest destination that still leaves room for a backslash and an entry name of
// 32 characters within a 259-character path.
constexpr std::size_t kMaxPathLength = 259;
constexpr std::size_t kMaxEntryNameLength = 32;
constexpr std::size_t kMaxDestLength = kMaxPathLength - 1 - kMaxEntryNameLength;
bool FitsDestLength(std::u16string_view path);

// logicalDrives: bit 0 is drive A. Lower-case letters select the same bit.
bool IsDriveValid(std::u16string_view path, std::uint32_t logicalDrives);

// The folders to create for a path of the accepted form, shortest first. The drive root
// is never in it, runs of backslashes count as one, and a trailing backslash adds the
// last folder a second time with that backslash (creating it again is harmless).
std::vector<std::u16string> FolderChain(std::u16string_view path);

// The volume root whose free space the page shows ("C:\"), or none when the trimmed path
// has no drive.
std::optional<std::u16string> FreeSpaceRoot(std::u16string_view path);

// The default destination on the system folder's drive.
std::u16string DefaultDestDir(std::u16string_view systemDir);

}  // namespace pages
