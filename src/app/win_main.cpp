#include <windows.h>

#include <csignal>
#include <exception>

#include "app/exit_codes.h"
#include "framework/system_library.h"
#include "pages/warnings.h"
#include "app/setup_app.h"
#include "resources/resource.h"

namespace {
// The runtime's abort ends a process with 3, which means "already running" here.
[[noreturn]] void EndUnexpectedly() { ::ExitProcess(kExitFailed); }
void OnAbortSignal(int) { EndUnexpectedly(); }
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    std::set_terminate(&EndUnexpectedly);
    std::signal(SIGABRT, &OnAbortSignal);
    // Before anything else loads: no DLL from the folder setup.exe was started in, and no
    // system "no disk" box when the destination names an empty card reader or DVD drive.
    const bool dotLocal = win::HasDotLocalRedirection();
    win::RestrictDllSearch(dotLocal);
    if (dotLocal) {
        pages::ShowWarning(nullptr, IDS_LOCAL_REDIRECTION);
        return kExitFailed;
    }
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    theApp.InitInstance();
    return theApp.ExitCode();
}
