#include <windows.h>

#include "app/setup_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    theApp.InitInstance();
    return theApp.ExitCode();
}
