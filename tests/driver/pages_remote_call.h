#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gui_driver {

// Runs `function` (DWORD WINAPI f(void*)) exported by the test library `library` on a new thread inside
// another process, and returns the thread's exit code. A notification that carries a pointer (WM_NOTIFY)
// cannot cross processes; sent from inside, it reaches the window as the window's own control sends it.
std::optional<DWORD> CallInProcess(DWORD processId, const std::wstring& library, const char* function,
                                   void* argument, std::string* error);

}  // namespace gui_driver
