// DLLs from the system folder only. setup.exe runs elevated from download folders, where a
// planted DLL of a system name must never load.
#pragma once

#include <windows.h>

namespace win {

// Limits the DLL search of this process to the system folder where Windows can, and elsewhere
// loads the DLLs that the system's own code would later load by name from the system folder
// first (dll_search_plan.h). Call before anything else loads; `dotLocal` as HasDotLocalRedirection.
void RestrictDllSearch(bool dotLocal);

// A "<program>.local" file or folder beside the program: Windows 2000, which reads no manifest,
// and any system with DevOverrideEnable then take even loads by full path from there.
bool HasDotLocalRedirection();

// Loads a DLL of the system folder by its full path; null when it cannot.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// A function of a loaded DLL, typed; null when the DLL lacks it.
template <typename Fn>
Fn GetProc(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace win
