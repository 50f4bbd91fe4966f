// The worker's steps. Each tells whether the installation goes on, and if not, what to tell the
// user; the worker tells it once the data file is closed.
#pragma once

#include "install/install_view.h"
#include "install/session_end.h"
#include "install/win_data_file.h"

namespace install {

struct StepResult {
    bool ok = true;
    UINT message = 0;  // when stopped: the text to show, 0 for an end without a word
};
inline StepResult Passed() { return {}; }
inline StepResult Stop(UINT message) { return {false, message}; }

// The data file, held open by the worker from the first check to the end of extraction.
StepResult CheckSignature(WinFileSource& source);
StepResult CheckVersion(WinFileSource& source);
StepResult CheckCrc(IInstallView& view, WinFileSource& source, const InstallTarget& target);
StepResult ExtractFiles(IInstallView& view, WinFileSource& source, const InstallTarget& target, SessionEnd& session);
// Returns once the driver's setup has ended, or the session ends.
void LaunchDriverSetup(const InstallTarget& target, HANDLE stop);
int CreateShortcuts(const InstallTarget& target);

}  // namespace install
