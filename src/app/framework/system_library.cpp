#include "app/framework/system_library.h"

#include <string>

namespace win {

namespace {
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32, absent from old headers
}

void RestrictDllSearch() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (auto setDefault = GetProc<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories")) {
        if (setDefault(kSearchSystem32)) return;
    }
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
    if (auto setDirectory = GetProc<SetDllDirectoryFn>(kernel, "SetDllDirectoryW")) {
        setDirectory(L"");
    }
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH];
    UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += fileName;
    // The altered search path resolves the DLL's own imports from its folder too.
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace win
