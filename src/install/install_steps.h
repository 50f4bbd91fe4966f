// The worker's steps. Each returns 1 on success and 0 on failure, after its own message.
#pragma once

#include "install/install_view.h"

namespace install {

int CheckSignature(IInstallView& view, const InstallTarget& target);
int CheckVersion(IInstallView& view, const InstallTarget& target);
int CheckCrc(IInstallView& view, const InstallTarget& target);
int ExtractFiles(IInstallView& view, const InstallTarget& target);
void LaunchDriverSetup(const InstallTarget& target);
int CreateShortcuts(const InstallTarget& target);

}  // namespace install
