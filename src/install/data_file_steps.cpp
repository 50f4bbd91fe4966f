// The three checks as the worker runs them: each opens the data file, checks, closes it.
#include <algorithm>

#include "install/datafile/data_file_checks.h"
#include "install/install_steps.h"
#include "install/read_ahead.h"
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
    return RunCheck(view, target, [&view](WinFileSource& s) {
        datafile::CrcCheck check(s.Size(), [&view](int position) { view.SetProgress(position); });
        ReadAhead stream(s, {ByteRange{0, s.Size()}});
        while (check.Remaining() > 0) {
            const std::uint8_t* data = nullptr;
            std::size_t got = 0;
            if (!stream.Take(static_cast<std::size_t>(std::min<std::uint64_t>(check.Remaining(), 1u << 30)), &data, &got))
                return datafile::CheckResult::Damaged;
            check.Feed(data, got);
        }
        return check.Result();
    });
}

}  // namespace install
