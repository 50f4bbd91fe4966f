// How the setup's process ends; a failure never reads as success.
#pragma once

enum ExitCode : int {
    kExitFinished = 0,        // finish button pressed (or the installation had completed)
    kExitFailed = 1,          // ended after an error message
    kExitCancelled = 2,       // the user cancelled the wizard
    kExitAlreadyRunning = 3,  // another copy holds the single-instance guard
};
