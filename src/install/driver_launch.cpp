// The driver's own setup program, run from the destination folder and waited for.
#include <windows.h>
#include <shellapi.h>

#include "framework/handles.h"
#include "framework/wide.h"
#include "install/install_steps.h"
#include "resources/names.h"

namespace install {

void LaunchDriverSetup(const InstallTarget& target, HANDLE stop) {
    std::wstring program = target.destFolder + win::ToWide(names::kDriverSetup);
    std::wstring parameters = win::ToWide(names::kDriverInf);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    // No shell error box: a missing or broken driver setup must not stop the installation.
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpFile = program.c_str();
    request.lpParameters = parameters.c_str();
    request.lpDirectory = target.destFolder.c_str();
    request.nShow = SW_SHOW;
    // Whatever the outcome, the installation goes on: the driver setup reports for itself.
    ::ShellExecuteExW(&request);
    win::UniqueHandle process(request.hProcess);
    if (!process) return;
    const HANDLE ends[2] = {process.Get(), stop};
    ::WaitForMultipleObjects(stop ? 2 : 1, ends, FALSE, INFINITE);
}

}  // namespace install
