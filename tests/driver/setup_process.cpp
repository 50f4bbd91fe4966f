#include "driver/setup_process.h"

#include <vector>

namespace gui_driver {

std::optional<SetupProcess> SetupProcess::Start(const std::wstring& exe, const std::wstring& folder,
                                                std::wstring* error) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;  // null handles: nothing of ours is passed on
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                      folder.c_str(), &startup, &info)) {
    if (error) *error = L"CreateProcessW failed with error " + std::to_wstring(GetLastError()) + L" for " + exe;
    return std::nullopt;
  }
  CloseHandle(info.hThread);
  return SetupProcess(UniqueHandle(info.hProcess), info.dwProcessId);
}

SetupProcess::~SetupProcess() { Terminate(); }

bool SetupProcess::Running() const {
  return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> SetupProcess::WaitForExit(Millis timeout) {
  if (!process_.Valid()) return std::nullopt;
  if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.Get(), &code)) return std::nullopt;
  return code;
}

void SetupProcess::Terminate() {
  if (Running()) {
    TerminateProcess(process_.Get(), 0xDEAD);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

}  // namespace gui_driver
