#include <windows.h>

#include "app/framework/system_library.h"
#include "app/setup_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // Before anything else loads: no DLL from the folder setup.exe was started in, and no
    // system "no disk" box when the destination names an empty card reader or DVD drive.
    win::RestrictDllSearch();
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    theApp.InitInstance();
    return theApp.ExitCode();
}
