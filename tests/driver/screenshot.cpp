#include "driver/screenshot.h"

#include <vector>

#include "driver/screen_capture.h"
#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

// What Wine's X11 driver still needs to put the painted window on screen.
constexpr DWORD kPresentDelayMs = 200;

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

testing::AssertionResult SaveScreenshot(HWND window, const std::string& name) {
  const std::wstring folder = WindowsPath(EnvironmentVariable(L"KORVENTA_SHOTS"));
  if (folder.empty()) return testing::AssertionSuccess();
  CreateDirectoryW(folder.c_str(), nullptr);

  RECT rect = {};
  if (!GetWindowRect(window, &rect)) return testing::AssertionFailure() << "no window to take a picture of";
  const auto captured = CaptureScreen(rect);
  if (!captured) return testing::AssertionFailure() << "cannot read the screen in the window's rectangle";
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = captured->width;
  header.biHeight = -captured->height;  // top-down, as captured
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  // Opaque, for viewers that take the fourth byte for alpha.
  std::vector<DWORD> pixels = captured->pixels;
  for (DWORD& pixel : pixels) pixel |= 0xFF000000u;
  const DWORD size = static_cast<DWORD>(pixels.size() * sizeof(DWORD));

  BITMAPFILEHEADER fileHeader = {};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
  fileHeader.bfSize = fileHeader.bfOffBits + size;
  const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.Valid()) return testing::AssertionFailure() << "cannot create " << Utf8(path);
  if (!WriteAll(file.Get(), &fileHeader, sizeof(fileHeader)) || !WriteAll(file.Get(), &header, sizeof(header)) ||
      !WriteAll(file.Get(), pixels.data(), size)) {
    return testing::AssertionFailure() << "cannot write " << Utf8(path);
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult SavePaintedScreenshot(HWND window, const std::string& name) {
  // Painting another thread's windows now is done by sending them WM_PAINT, so this waits for it.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(kPresentDelayMs);
  return SaveScreenshot(window, name);
}

}  // namespace gui_driver
