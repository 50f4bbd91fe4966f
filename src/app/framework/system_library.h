// DLLs from the system folder only. setup.exe runs elevated from download folders, where a
// planted DLL of a system name must never load.
#pragma once

#include <windows.h>

namespace win {

// Limits the DLL search of this process to the system folder where Windows can (Windows 7
// with KB2533623 and later), and takes the current folder out of it where it can (XP SP1 and
// later). Both functions are looked up, since Windows 2000 has neither.
void RestrictDllSearch();

// Loads a DLL of the system folder by its full path; null when it cannot.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// A function of a loaded DLL, typed; null when the DLL lacks it.
template <typename Fn>
Fn GetProc(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace win
