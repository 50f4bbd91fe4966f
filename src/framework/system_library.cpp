#include "framework/system_library.h"

#include <string>
#include <vector>

#include "framework/dll_search_plan.h"

namespace win {

namespace {

DWORD g_fullPathFlags = kLoadWithAlteredSearchPath;

std::wstring SystemPath(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH];
    UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    return std::wstring(folder, length) + L'\\' + fileName;
}

DllSearchPlan PlanForThisSystem(bool canRestrict, bool dotLocal) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    return PlanDllSearch(canRestrict, version.dwMajorVersion, version.dwMinorVersion, dotLocal);
}

}  // namespace

void RestrictDllSearch(bool dotLocal) {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
    if (auto setDirectory = GetProc<SetDllDirectoryFn>(kernel, "SetDllDirectoryW")) setDirectory(L"");  // not the current folder
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto setDefault = GetProc<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    DllSearchPlan plan = PlanForThisSystem(setDefault != nullptr, dotLocal);
    if (plan.restrictDefault && !setDefault(kLoadLibrarySearchSystem32)) plan = PlanForThisSystem(false, dotLocal);
    g_fullPathFlags = plan.fullPathFlags;
    if (!plan.preload) return;
    for (std::size_t i = 0; i < kPreloadedDllCount; ++i) {
        const std::u16string name = std::u16string(kPreloadedDlls[i]) + u".dll";
        LoadSystemLibrary(reinterpret_cast<const wchar_t*>(name.c_str()));  // kept for the process
    }
}

bool HasDotLocalRedirection() {
    std::vector<wchar_t> path(32768);
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return false;
    return ::GetFileAttributesW((std::wstring(path.data(), n) + L".local").c_str()) != INVALID_FILE_ATTRIBUTES;
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    const std::wstring path = SystemPath(fileName);
    if (path.empty()) return nullptr;
    // With the altered search path, the DLL's own imports come from its folder too.
    return ::LoadLibraryExW(path.c_str(), nullptr, g_fullPathFlags);
}

}  // namespace win
