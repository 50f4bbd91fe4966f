// Stands in for the driver's own setup program: records how it was started, waits until the test
// lets it go, and ends. No window.
//
// Record: %KORVENTA_DRIVER_LOG%, UTF-8, one line per event:
//   start<TAB>program path<TAB>working directory<TAB>argument 1<TAB>...
//   end
// %KORVENTA_DRIVER_RELEASE% names an event that holds the run open until
// the test sets it (two minutes at most), so that the test can look at the setup meanwhile.
#include "framework/handles.h"

#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

// Opened for each line, shared, so that the test can read the record while this program waits.
bool AppendLine(std::wstring line) {
  win::UniqueFile file(CreateFileW(_wgetenv(L"KORVENTA_DRIVER_LOG"), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_ALWAYS, 0, nullptr));
  std::string bytes((line += L'\n').size() * 3, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), bytes.data(), int(bytes.size()), 0, 0));
  DWORD written = 0;
  return file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t program[MAX_PATH] = {}, folder[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH), GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring start = L"start\t" + std::wstring(program) + L"\t" + folder;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; arguments && i < count; ++i) start += std::wstring(L"\t") + arguments[i];
  LocalFree(arguments);
  // The test creates the event before it starts the setup; without one the run ends at once.
  const win::UniqueHandle release(OpenEventW(SYNCHRONIZE, FALSE, _wgetenv(L"KORVENTA_DRIVER_RELEASE")));
  if (!AppendLine(start)) return 1;
  if (release) WaitForSingleObject(release.Get(), 120000);
  return AppendLine(L"end") ? 0 : 1;
}
