// Files, folders, file times and the environment, as a tester with a file manager sees them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace gui_driver {

bool PathExists(const std::wstring& path);

// Reading shares writing, so that a record can be read while its program still holds it open.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
testing::AssertionResult WriteWholeFile(const std::wstring& path, const std::string& bytes);

// Names in a folder that match a wildcard pattern (not "." and ".."), sorted, with "\" after folders.
std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& pattern = L"*");

// Every file under `folder`, as paths relative to it ("sub\name"), sorted; folders themselves are left
// out, so an empty folder adds nothing.
std::vector<std::wstring> FilesBelow(const std::wstring& folder);

struct FileTimes {
  FILETIME creation{};
  FILETIME lastAccess{};
  FILETIME lastWrite{};
};
std::optional<FileTimes> ReadFileTimes(const std::wstring& path);

// A 14-digit local date and time (YYYYMMDDhhmmss) as UTC, by the time zone's own rules for that date,
// not today's bias.
std::optional<FILETIME> LocalStampToUtc(const std::string& stamp);

ULONGLONG Ticks(const FILETIME& time);
// "2024-04-01 00:00:00.0000000 UTC": to the tick, so comparing two of them compares the times.
std::string DescribeFileTime(const FILETIME& time);
FILETIME Now();

// Minutes that the local time zone is behind UTC, now.
LONG TimeZoneBias();

// Keeps the environment variable set for child processes started meanwhile, and restores it afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, const std::wstring& value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  std::wstring name_;
  std::optional<std::wstring> previous_;
};

}  // namespace gui_driver
