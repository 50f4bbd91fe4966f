// comctl32 at run time, from the system folder: it is no known DLL, so a static import would
// take a comctl32.dll lying beside setup.exe.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

namespace win {

struct CommonControls {
    BOOL(WINAPI* InitCommonControlsEx)(const INITCOMMONCONTROLSEX*) = nullptr;
    HPROPSHEETPAGE(WINAPI* CreatePropertySheetPageW)(LPCPROPSHEETPAGEW) = nullptr;
    BOOL(WINAPI* DestroyPropertySheetPage)(HPROPSHEETPAGE) = nullptr;
    INT_PTR(WINAPI* PropertySheetW)(LPCPROPSHEETHEADERW) = nullptr;
};

// Loads the library once and registers the classes in `classes`; false when any of it is missing.
bool LoadCommonControls(DWORD classes);
// The functions; only valid after LoadCommonControls succeeded.
const CommonControls& Comctl();

}  // namespace win
