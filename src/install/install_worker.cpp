#include "install/install_worker.h"

#include "app/framework/wide.h"
#include "install/install_steps.h"
#include "resources/resource.h"

namespace {

DWORD Install(install::IInstallView& view, const install::InstallTarget& target) {
    view.AppendLog(win::LoadText(IDS_LOG_CHECK));
    if (!install::CheckSignature(view, target) || !install::CheckVersion(view, target) ||
        !install::CheckCrc(view, target) || !install::ExtractFiles(view, target)) {
        // The failing step has told the user; the setup ends here.
        view.Fail();
        return 1;
    }

    view.AppendLog(win::LoadText(IDS_LOG_SHORTCUT));
    if (install::CreateShortcuts(target)) {
        view.Complete(win::LoadText(IDS_LOG_SUCCESS));
    } else {
        view.Warn(IDS_SHORTCUT_FAILED);
        view.Complete(win::LoadText(IDS_LOG_SHORTCUT_FAILED));
    }
    return 0;
}

}  // namespace

DWORD WINAPI InstallThreadProc(LPVOID parameter) {
    const install::InstallJob& job = *static_cast<const install::InstallJob*>(parameter);
    try {
        return Install(*job.view, job.target);
    } catch (...) {
        // Out of memory, typically for an entry table far beyond any real one: the user is told
        // and the setup ends with an error, instead of the runtime ending the process.
        job.view->Warn(IDS_WORKER_FAILED);
        job.view->Fail();
        return 1;
    }
}
