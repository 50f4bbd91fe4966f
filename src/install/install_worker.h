// The install worker: checks the data file, extracts the files, makes the shortcuts, and ends by
// telling the view how it went.
#pragma once

#include "install/install_view.h"

namespace install {

// The whole installation, on the worker's thread; nothing escapes it.
void RunInstallation(const InstallJob& job) noexcept;

}  // namespace install
