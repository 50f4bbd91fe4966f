// The three checks as the worker runs them: each opens the data file, checks, closes it.
#include "install/crc_in_halves.h"
#include "install/datafile/data_file_checks.h"
#include "install/install_steps.h"
#include "install/win_data_file.h"
#include "resources/resource.h"

namespace install {

namespace {

template <typename Check>
int RunCheck(IInstallView& view, const InstallTarget& target, Check check) {
    UINT message = 0;
    {
        WinFileSource source = OpenDataFile(target.dataFile);
        if (!source.Ok())
            message = IDS_DATAFILE_MISSING;
        else if (check(source) != datafile::CheckResult::Passed)
            message = IDS_DATAFILE_DAMAGED;
    }  // closed before the user is told
    if (message == 0) return 1;
    view.Warn(message);
    return 0;
}

}  // namespace

int CheckSignature(IInstallView& view, const InstallTarget& target) {
    return RunCheck(view, target, [](WinFileSource& s) { return datafile::CheckSignature(s); });
}

int CheckVersion(IInstallView& view, const InstallTarget& target) {
    return RunCheck(view, target, [](WinFileSource& s) { return datafile::CheckVersion(s); });
}

int CheckCrc(IInstallView& view, const InstallTarget& target) {
    return RunCheck(view, target, [&view, &target](WinFileSource& s) {
        return CheckCrcInHalves(s, target.dataFile, [&view](int position) { view.SetProgress(position); });
    });
}

}  // namespace install
