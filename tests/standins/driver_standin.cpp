// Stands in for the driver's own setup program: it records how it was started, takes its time if
// asked or waits until the test lets it go, and ends. No window.
//
// Record file: %KORVENTA_DRIVER_LOG%, or driver-ran.txt in the working directory. Each run appends
//   start<TAB>time<TAB>program path<TAB>working directory<TAB>argument 1<TAB>...
//   end<TAB>time
// in UTF-8, times as FILETIME ticks (UTC). %KORVENTA_DRIVER_SLEEP_MS% holds the run open that long;
// %KORVENTA_DRIVER_RELEASE% names an event that holds it open until the test sets it (two minutes at
// most), so that the test can look at the setup while the installation waits.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <utility>

namespace {

constexpr DWORD kLongestWaitMs = 120000;

// A file or an event: failures give INVALID_HANDLE_VALUE or nothing.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (Ok()) CloseHandle(handle_);
  }
  bool Ok() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// CommandLineToArgvW hands its array to the caller to free with LocalFree.
class Arguments {
 public:
  Arguments() : argv_(CommandLineToArgvW(GetCommandLineW(), &count_)) {}
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() {
    if (argv_) LocalFree(argv_);
  }
  int Count() const { return argv_ ? count_ : 0; }
  const wchar_t* operator[](int i) const { return argv_[i]; }

 private:
  int count_ = 0;
  wchar_t** argv_;
};

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? value : L"";
}

std::wstring Now() {
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  return std::to_wstring((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length < MAX_PATH ? path : L"";
}

std::wstring WorkingDirectory() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, path);
  return length < MAX_PATH ? path : L"";
}

// Opened for each line, shared, so that a test can read the record while this program waits.
bool AppendLine(const std::wstring& recordPath, const std::wstring& line) {
  Handle file(CreateFileW(recordPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Ok()) return false;
  const std::wstring text = line + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                      nullptr);
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring recordPath = Environment(L"KORVENTA_DRIVER_LOG");
  if (recordPath.empty()) recordPath = L"driver-ran.txt";

  std::wstring start = L"start\t" + Now() + L"\t" + ProgramPath() + L"\t" + WorkingDirectory();
  const Arguments arguments;
  for (int i = 1; i < arguments.Count(); ++i) start += std::wstring(L"\t") + arguments[i];
  if (!AppendLine(recordPath, start)) return 1;

  const std::wstring sleep = Environment(L"KORVENTA_DRIVER_SLEEP_MS");
  if (!sleep.empty()) Sleep(static_cast<DWORD>(wcstoul(sleep.c_str(), nullptr, 10)));
  const std::wstring release = Environment(L"KORVENTA_DRIVER_RELEASE");
  if (!release.empty()) {
    // The test creates the event before it starts the setup.
    const Handle event(OpenEventW(SYNCHRONIZE, FALSE, release.c_str()));
    if (event.Ok()) WaitForSingleObject(event.Get(), kLongestWaitMs);
  }

  return AppendLine(recordPath, L"end\t" + Now()) ? 0 : 1;
}
