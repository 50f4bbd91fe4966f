#include "framework/common_controls.h"

#include "framework/system_library.h"

namespace win {

namespace {
CommonControls g_comctl;
}

bool LoadCommonControls(DWORD classes) {
    HMODULE module = LoadSystemLibrary(L"comctl32.dll");  // stays loaded for the process
    CommonControls c;
    c.InitCommonControlsEx = GetProc<decltype(c.InitCommonControlsEx)>(module, "InitCommonControlsEx");
    c.CreatePropertySheetPageW = GetProc<decltype(c.CreatePropertySheetPageW)>(module, "CreatePropertySheetPageW");
    c.DestroyPropertySheetPage = GetProc<decltype(c.DestroyPropertySheetPage)>(module, "DestroyPropertySheetPage");
    c.PropertySheetW = GetProc<decltype(c.PropertySheetW)>(module, "PropertySheetW");
    if (!c.InitCommonControlsEx || !c.CreatePropertySheetPageW || !c.DestroyPropertySheetPage || !c.PropertySheetW) {
        return false;
    }
    g_comctl = c;
    // Its answer is not trusted: old versions report classes they did not know as a failure,
    // and a missing class shows as a page that cannot be created.
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    g_comctl.InitCommonControlsEx(&icc);
    return true;
}

const CommonControls& Comctl() { return g_comctl; }

}  // namespace win
