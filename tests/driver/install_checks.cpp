#include "driver/install_checks.h"

#include <psapi.h>

#include "driver/screen_capture.h"
#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_driver {

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

  const auto captured = CaptureScreen(RECT{origin.x, origin.y, origin.x + width, origin.y + height});
  if (!captured) return std::nullopt;
  auto at = [&](int x, int y) { return captured->At(x, y); };
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
