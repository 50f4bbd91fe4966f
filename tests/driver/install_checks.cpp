#include "driver/install_checks.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

constexpr DWORD kIoChunk = 1 << 20;

// The screen's device context, released with the object.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  ~GdiObject() {
    if (object_) DeleteObject(object_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ Get() const { return object_; }

 private:
  HGDIOBJ object_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A 32-bit top-down DIB pixel is 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
DWORD PixelOf(COLORREF colour) { return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour); }

}  // namespace

testing::AssertionResult WriteDataFileAt(const std::wstring& path, const std::vector<install_tests::DataEntry>& entries,
                                         const install_tests::Damage& damage) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return testing::AssertionFailure() << "cannot create " << Utf8(path);
  const bool written = install_tests::WriteDataFile(entries, damage, [&file](const std::uint8_t* data, std::size_t length) {
    DWORD done = 0;
    return WriteFile(file.Get(), data, static_cast<DWORD>(length), &done, nullptr) && done == length;
  });
  if (!written) return testing::AssertionFailure() << "cannot write the data file " << Utf8(path);
  return testing::AssertionSuccess();
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
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

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found = {};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    names.push_back(name + ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? L"\\" : L""));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<FileTimes> ReadFileTimes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return FileTimes{data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime};
}

std::optional<FILETIME> LocalStampToUtc(const std::string& stamp) {
  SYSTEMTIME local = {};
  int year, month, day, hour, minute, second;
  if (stamp.size() != 14 ||
      std::sscanf(stamp.c_str(), "%4d%2d%2d%2d%2d%2d", &year, &month, &day, &hour, &minute, &second) != 6) {
    return std::nullopt;
  }
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  local.wSecond = static_cast<WORD>(second);
  // The zone's rules for that date, not today's bias.
  SYSTEMTIME utc = {};
  FILETIME out = {};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &out)) {
    return std::nullopt;
  }
  return out;
}

ULONGLONG Ticks(const FILETIME& time) {
  return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string DescribeFileTime(const FILETIME& time) {
  SYSTEMTIME st = {};
  if (!FileTimeToSystemTime(&time, &st)) return "(invalid)";
  char text[64];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u.%03u UTC", st.wYear, st.wMonth, st.wDay, st.wHour,
                st.wMinute, st.wSecond, st.wMilliseconds);
  return text;
}

FILETIME Now() {
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  return now;
}

std::string ToCodePage932(const std::wstring& text) {
  const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::optional<BarPicture> ReadBarPicture(HWND bar) {
  RECT client = {};
  if (!GetClientRect(bar, &client)) return std::nullopt;
  POINT origin = {0, 0};
  ClientToScreen(bar, &origin);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 2) return std::nullopt;

  ScreenDc screen;
  MemoryDc memory(screen.Get());
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject section(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen.Get() || !memory.Get() || !section.Get() || !bits) return std::nullopt;
  HGDIOBJ previous = SelectObject(memory.Get(), section.Get());
  const BOOL copied = BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY);
  GdiFlush();
  SelectObject(memory.Get(), previous);
  if (!copied) return std::nullopt;

  const auto* pixels = static_cast<const DWORD*>(bits);
  auto at = [&](int x, int y) { return pixels[y * width + x] & 0xFFFFFF; };
  const DWORD highlight = PixelOf(GetSysColor(COLOR_HIGHLIGHT));
  const DWORD window = PixelOf(GetSysColor(COLOR_WINDOW));

  BarPicture picture;
  picture.width = width;
  // The text is centred vertically, so the top row shows the fill alone.
  while (picture.filled < width && at(picture.filled, 0) == highlight) ++picture.filled;
  for (int y = 1; y < height - 1; ++y) {
    for (int x = 0; x < width; ++x) {
      if (x < picture.filled && at(x, y) == window) picture.textOverFill = true;
      if (x >= picture.filled && at(x, y) == highlight) picture.textOverRest = true;
    }
  }
  return picture;
}

std::optional<SIZE_T> PeakWorkingSet(DWORD processId) {
  UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process.Valid()) return std::nullopt;
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters))) return std::nullopt;
  return counters.PeakWorkingSetSize;
}

}  // namespace gui_driver
