#include "driver/pages_remote_call.h"

#include <tlhelp32.h>

#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

constexpr DWORD kThreadTimeoutMs = 10000;

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Where a module is loaded in another process.
BYTE* RemoteModuleBase(DWORD processId, const std::wstring& name) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!snapshot.Valid()) return nullptr;
  MODULEENTRY32W module = {};
  module.dwSize = sizeof(module);
  for (BOOL more = Module32FirstW(snapshot.Get(), &module); more; more = Module32NextW(snapshot.Get(), &module)) {
    if (lstrcmpiW(module.szModule, name.c_str()) == 0) return module.modBaseAddr;
  }
  return nullptr;
}

// The same function in the other process: its module's base there plus its offset here.
void* RemoteAddress(DWORD processId, HMODULE local, const std::wstring& moduleName, const char* function) {
  BYTE* base = RemoteModuleBase(processId, moduleName);
  FARPROC here = GetProcAddress(local, function);
  if (!base || !here) return nullptr;
  return base + (reinterpret_cast<BYTE*>(here) - reinterpret_cast<BYTE*>(local));
}

std::optional<DWORD> RunThread(HANDLE process, void* start, void* argument, std::string* error) {
  UniqueHandle thread(CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                         argument, 0, nullptr));
  if (!thread.Valid()) {
    *error = "CreateRemoteThread failed, error " + std::to_string(GetLastError());
    return std::nullopt;
  }
  if (WaitForSingleObject(thread.Get(), kThreadTimeoutMs) != WAIT_OBJECT_0) {
    *error = "the thread in the other process did not end";
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeThread(thread.Get(), &code);
  return code;
}

// Memory in the other process, released when done.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size)
      : process_(process), data_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (data_) VirtualFreeEx(process_, data_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  void* Get() const { return data_; }

 private:
  HANDLE process_;
  void* data_;
};

// The library loaded here too, only to learn its layout; its code does not run here.
class LocalImage {
 public:
  explicit LocalImage(const std::wstring& path)
      : module_(LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES)) {}
  ~LocalImage() {
    if (module_) FreeLibrary(module_);
  }
  LocalImage(const LocalImage&) = delete;
  LocalImage& operator=(const LocalImage&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

}  // namespace

std::optional<DWORD> CallInProcess(DWORD processId, const std::wstring& library, const char* function,
                                   void* argument, std::string* error) {
  UniqueHandle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                       PROCESS_VM_WRITE | PROCESS_VM_READ,
                                   FALSE, processId));
  if (!process.Valid()) {
    *error = "OpenProcess failed, error " + std::to_string(GetLastError());
    return std::nullopt;
  }
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  void* loadLibrary = RemoteAddress(processId, kernel, L"kernel32.dll", "LoadLibraryW");
  void* freeLibrary = RemoteAddress(processId, kernel, L"kernel32.dll", "FreeLibrary");
  if (!loadLibrary || !freeLibrary) {
    *error = "kernel32 not found in the other process";
    return std::nullopt;
  }
  const size_t bytes = (library.size() + 1) * sizeof(wchar_t);
  RemoteBuffer name(process.Get(), bytes);
  if (!name.Get() || !WriteProcessMemory(process.Get(), name.Get(), library.c_str(), bytes, nullptr)) {
    *error = "cannot write the library name into the other process";
    return std::nullopt;
  }
  if (!RunThread(process.Get(), loadLibrary, name.Get(), error)) return std::nullopt;

  const std::wstring moduleName = FileNameOf(library);
  BYTE* remoteBase = RemoteModuleBase(processId, moduleName);
  LocalImage image(library);
  void* start = image.Get() ? RemoteAddress(processId, image.Get(), moduleName, function) : nullptr;
  if (!remoteBase || !start) {
    *error = "the library " + Utf8(library) + " or its function " + function + " is not usable";
    return std::nullopt;
  }
  std::optional<DWORD> result = RunThread(process.Get(), start, argument, error);
  std::string ignored;
  RunThread(process.Get(), freeLibrary, remoteBase, &ignored);
  return result;
}

}  // namespace gui_driver
