// The install worker: checks the data file, extracts the files, makes the shortcuts,
// then puts the progress page into its completed state.
#pragma once

#include <windows.h>

DWORD WINAPI InstallThreadProc(LPVOID parameter);
