// The three checks as the worker runs them, on the data file it holds.
#include "install/crc_in_halves.h"
#include "install/datafile/data_file_checks.h"
#include "install/install_steps.h"
#include "resources/resource.h"

namespace install {

namespace {
StepResult Judged(datafile::CheckResult result) {
    return result == datafile::CheckResult::Passed ? Passed() : Stop(IDS_DATAFILE_DAMAGED);
}
}  // namespace

StepResult CheckSignature(WinFileSource& source) { return Judged(datafile::CheckSignature(source)); }

StepResult CheckVersion(WinFileSource& source) { return Judged(datafile::CheckVersion(source)); }

StepResult CheckCrc(IInstallView& view, WinFileSource& source, const InstallTarget& target) {
    return Judged(CheckCrcInHalves(source, target.dataFile, [&view](int position) { view.SetProgress(position); }));
}

}  // namespace install
