#include "driver/files.h"

#include <algorithm>
#include <cstdio>

#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

constexpr DWORD kIoChunk = 1 << 20;

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Ok()) FindClose(handle_);
  }
  bool Ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Calls `visit(name, isFolder)` for each entry of the folder that matches, but "." and "..".
template <typename Visit>
void ForEachEntry(const std::wstring& folder, const std::wstring& pattern, Visit visit) {
  WIN32_FIND_DATAW found = {};
  FindHandle find(FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
  if (!find.Ok()) return;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(find.Get(), &found));
}

void CollectFiles(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>* out) {
  ForEachEntry(folder, L"*", [&](const std::wstring& name, bool isFolder) {
    if (isFolder) {
      CollectFiles(folder + L"\\" + name, prefix + name + L"\\", out);
    } else {
      out->push_back(prefix + name);
    }
  });
}

}  // namespace

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  std::string bytes;
  std::vector<char> chunk(kIoChunk);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), chunk.data(), kIoChunk, &got, nullptr)) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(chunk.data(), got);
  }
}

testing::AssertionResult WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD done = 0;
  if (!file.Valid() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
      done != bytes.size()) {
    return testing::AssertionFailure() << "cannot write " << Utf8(path);
  }
  return testing::AssertionSuccess();
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> names;
  ForEachEntry(folder, pattern,
               [&](const std::wstring& name, bool isFolder) { names.push_back(isFolder ? name + L"\\" : name); });
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::wstring> FilesBelow(const std::wstring& folder) {
  std::vector<std::wstring> files;
  CollectFiles(folder, L"", &files);
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<FileTimes> ReadFileTimes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return FileTimes{data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime};
}

std::optional<FILETIME> LocalStampToUtc(const std::string& stamp) {
  SYSTEMTIME local = {};
  if (stamp.size() != 14 ||
      std::sscanf(stamp.c_str(), "%4hu%2hu%2hu%2hu%2hu%2hu", &local.wYear, &local.wMonth, &local.wDay,
                  &local.wHour, &local.wMinute, &local.wSecond) != 6) {
    return std::nullopt;
  }
  SYSTEMTIME utc = {};
  FILETIME out = {};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &out)) {
    return std::nullopt;
  }
  return out;
}

ULONGLONG Ticks(const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

std::string DescribeFileTime(const FILETIME& time) {
  SYSTEMTIME utc = {};
  if (!FileTimeToSystemTime(&time, &utc)) return "(no time)";
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%07llu UTC", utc.wYear, utc.wMonth, utc.wDay,
                utc.wHour, utc.wMinute, utc.wSecond, Ticks(time) % 10000000ull);
  return text;
}

FILETIME Now() {
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  return now;
}

LONG TimeZoneBias() {
  TIME_ZONE_INFORMATION zone = {};
  const DWORD which = GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;
  if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  return bias;
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name_(name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size > 0) {
    std::wstring old(size, L'\0');
    old.resize(GetEnvironmentVariableW(name, old.data(), size));
    previous_ = old;
  }
  SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

}  // namespace gui_driver
