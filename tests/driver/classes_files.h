#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gui_driver {

bool PathExists(const std::wstring& path);
bool IsDirectory(const std::wstring& path);

std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Every file under `folder`, as paths relative to it ("sub\name"), sorted; folders themselves are left
// out, so an empty folder adds nothing.
std::vector<std::wstring> FilesBelow(const std::wstring& folder);

struct FileTimes {
  FILETIME creation{};
  FILETIME lastWrite{};
};
std::optional<FileTimes> TimesOf(const std::wstring& path);

// A 14-digit local date and time (YYYYMMDDhhmmss) as UTC, by the time zone's own rules for that date.
std::optional<FILETIME> LocalStampToUtc(const std::string& stamp);

unsigned long long Ticks(const FILETIME& time);
// "2024-04-01 00:00:00.0000000 UTC", for failure messages.
std::string Describe(const FILETIME& time);

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
