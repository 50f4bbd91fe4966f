#include "framework/dll_search_plan.h"

#include <cstddef>

namespace win {

DllSearchPlan PlanDllSearch(bool canRestrict, std::uint32_t major, std::uint32_t minor, bool dotLocal) {
    DllSearchPlan plan;
    // 7-Zip's C/DllSecur.c leaves Vista out for the same reason.
    if (canRestrict && !(major == 6 && minor == 0)) {
        plan.restrictDefault = true;
        plan.fullPathFlags = kLoadLibrarySearchSystem32;
    }
    plan.preload = !(dotLocal && major == 5 && minor == 0);
    return plan;
}

// What the system's code loads by name after start-up: the window's theme and composition
// (uxtheme, dwmapi), COM and the shell's link object (clbcatq, propsys, linkinfo, ntshrui, srvcli,
// cscapi), the folder browser and profiles (userenv, profapi), process start and compatibility
// (apphelp, setupapi, version), security (cryptbase, ntmarta), accessibility (oleacc), and the
// drawing helpers that the theme and common-control code load (msimg32).
// Sources: the list that 7-Zip's C/DllSecur.c and NSIS's installers load from the system folder
// first (uxtheme, userenv, setupapi, apphelp, propsys, dwmapi, cryptbase, oleacc, clbcatq, version),
// the DLLs of Microsoft's advisories on DLL planting in installers (profapi, ntmarta), and the DLLs
// that the shell's link and folder code loads by name (linkinfo, ntshrui, srvcli, cscapi). A name
// that a system lacks fails to load there, which is harmless: nothing of that system asks for it.
const char16_t* const kPreloadedDlls[] = {
    u"uxtheme", u"dwmapi",  u"clbcatq",  u"propsys", u"linkinfo", u"ntshrui", u"srvcli",  u"cscapi",
    u"userenv", u"profapi", u"apphelp", u"setupapi", u"version", u"cryptbase", u"ntmarta", u"oleacc",
    u"msimg32",
};
const std::size_t kPreloadedDllCount = sizeof(kPreloadedDlls) / sizeof(kPreloadedDlls[0]);

}  // namespace win
