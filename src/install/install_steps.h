// The worker's steps. Each returns 1 on success and 0 on failure, after its own message.
#pragma once

class CCopyFilePropPage;

namespace install {

int CheckSignature(CCopyFilePropPage& page);
int CheckVersion(CCopyFilePropPage& page);
int CheckCrc(CCopyFilePropPage& page);
int ExtractFiles(CCopyFilePropPage& page);
void LaunchDriverSetup(const CCopyFilePropPage& page);
int CreateShortcuts(const CCopyFilePropPage& page);

}  // namespace install
