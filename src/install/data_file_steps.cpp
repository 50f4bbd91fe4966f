// The three checks as the worker runs them: each opens the data file, checks, closes it.
#include "install/datafile/data_file_checks.h"
#include "install/install_steps.h"
#include "install/win_data_file.h"
#include "pages/copy_file_prop_page.h"
#include "resources/resource.h"

namespace install {

namespace {

template <typename Check>
int RunCheck(CCopyFilePropPage& page, Check check) {
    UINT message = 0;
    {
        WinFileSource source = OpenDataFile();
        if (!source.Ok())
            message = IDS_DATAFILE_MISSING;
        else if (check(source) != datafile::CheckResult::Passed)
            message = IDS_DATAFILE_DAMAGED;
    }  // closed before the user is told
    if (message == 0) return 1;
    page.Warn(message);
    return 0;
}

}  // namespace

int CheckSignature(CCopyFilePropPage& page) {
    return RunCheck(page, [](WinFileSource& s) { return datafile::CheckSignature(s); });
}

int CheckVersion(CCopyFilePropPage& page) {
    return RunCheck(page, [](WinFileSource& s) { return datafile::CheckVersion(s); });
}

int CheckCrc(CCopyFilePropPage& page) {
    return RunCheck(page, [&page](WinFileSource& s) {
        return datafile::CheckCrc(s, [&page](int position) { page.m_ctlProgress.SetPos(position); });
    });
}

}  // namespace install
