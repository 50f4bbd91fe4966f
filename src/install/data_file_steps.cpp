// The three checks as the worker runs them, on the data file it holds.
#include <functional>
#include <utility>

#include "framework/thread.h"
#include "install/datafile/data_file_checks.h"
#include "install/install_steps.h"
#include "install/two_readers.h"
#include "resources/resource.h"

namespace install {

namespace {

StepResult Judged(datafile::CheckResult result) {
    return result == datafile::CheckResult::Passed ? Passed() : Stop(IDS_DATAFILE_DAMAGED);
}

// The check's second half on a thread of its own.
class ThreadBeside : public datafile::Beside {
public:
    bool Start(std::function<void()> work) override { return thread_.Start(std::move(work)); }
    bool Wait(unsigned ms) override { return thread_.JoinFor(ms); }

private:
    win::Thread thread_;
};

}  // namespace

StepResult CheckSignature(WinFileSource& source) { return Judged(datafile::CheckSignature(source)); }

StepResult CheckVersion(WinFileSource& source) { return Judged(datafile::CheckVersion(source)); }

StepResult CheckCrc(IInstallView& view, WinFileSource& source, const InstallTarget& target) {
    ThreadBeside beside;
    return Judged(datafile::CheckCrc(source, [&view](int position) { view.SetProgress(position); },
                                     TwoReadersHelp(target.dataFile) ? &beside : nullptr));
}

}  // namespace install
