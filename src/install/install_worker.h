// The install worker: checks the data file, extracts the files, makes the shortcuts,
// then puts the view into its completed state.
#pragma once

#include <windows.h>

// parameter: an install::InstallJob.
DWORD WINAPI InstallThreadProc(LPVOID parameter);
