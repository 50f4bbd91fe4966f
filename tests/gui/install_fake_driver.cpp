// Stands in for the driver's own setup program in the installation tests: it notes how it was
// started, then waits until the test lets it end, so that the test can look at the setup while the
// installation waits for it. Started without the test's settings, it ends at once.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kLongestWaitMs = 120000;

std::wstring Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

// Written under another name and renamed, so that the test never reads half a record.
bool WriteRecord(const std::wstring& path, const std::wstring& text) {
  const std::wstring partial = path + L".partial";
  HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  const bool ok = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
  CloseHandle(file);
  return ok && MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring record = Variable(L"KORVENTA_FAKE_DRIVER_RECORD");
  const std::wstring release = Variable(L"KORVENTA_FAKE_DRIVER_RELEASE");
  if (record.empty() || release.empty()) return 0;

  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  // The event exists before the test starts the setup; opened here only to wait on it.
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, release.c_str());
  if (!WriteRecord(record, std::wstring(GetCommandLineW()) + L"\n" + folder)) return 3;
  if (event) {
    WaitForSingleObject(event, kLongestWaitMs);
    CloseHandle(event);
  }
  return 0;
}
