#include "driver/screenshot.h"

#include <vector>

#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

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

class Bitmap {
 public:
  Bitmap(HDC like, int width, int height) : bitmap_(CreateCompatibleBitmap(like, width, height)) {}
  ~Bitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

// Restores the previous selection before the bitmap can be deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

testing::AssertionResult SaveScreenshot(HWND window, const std::wstring& name) {
  const std::wstring folder = WindowsPath(EnvironmentVariable(L"KORVENTA_SHOTS"));
  if (folder.empty()) return testing::AssertionSuccess();
  CreateDirectoryW(folder.c_str(), nullptr);

  RECT rect = {};
  if (!GetWindowRect(window, &rect)) return testing::AssertionFailure() << "no window to take a picture of";
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return testing::AssertionFailure() << "the window has no area";

  ScreenDc screen;
  MemoryDc memory(screen.Get());
  Bitmap bitmap(screen.Get(), width, height);
  if (!screen.Get() || !memory.Get() || !bitmap.Get()) {
    return testing::AssertionFailure() << "no drawing context for the screenshot";
  }
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as a .bmp file stores it
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
  {
    Selection selected(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY | CAPTUREBLT)) {
      return testing::AssertionFailure() << "BitBlt failed";
    }
  }
  BITMAPINFO info = {};
  info.bmiHeader = header;
  if (!GetDIBits(memory.Get(), bitmap.Get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS)) {
    return testing::AssertionFailure() << "GetDIBits failed";
  }

  BITMAPFILEHEADER fileHeader = {};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
  fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
  const std::wstring path = folder + L"\\" + name + L".bmp";
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.Valid()) return testing::AssertionFailure() << "cannot create " << Utf8(path);
  if (!WriteAll(file.Get(), &fileHeader, sizeof(fileHeader)) || !WriteAll(file.Get(), &header, sizeof(header)) ||
      !WriteAll(file.Get(), pixels.data(), static_cast<DWORD>(pixels.size()))) {
    return testing::AssertionFailure() << "cannot write " << Utf8(path);
  }
  return testing::AssertionSuccess();
}

}  // namespace gui_driver
