#include "install/install_worker.h"

#include "framework/wide.h"
#include "install/install_steps.h"
#include "resources/resource.h"

namespace install {

namespace {

// The checks and the extraction on one handle of the data file, closed before the user is told.
StepResult InstallFiles(IInstallView& view, const InstallTarget& target, SessionEnd& session) {
    WinFileSource source = OpenDataFile(target.dataFile);
    if (!source.Ok()) return Stop(IDS_DATAFILE_MISSING);
    StepResult result = CheckSignature(source);
    if (result.ok) result = CheckVersion(source);
    if (result.ok) result = CheckCrc(view, source, target);
    if (result.ok) result = ExtractFiles(view, source, target, session);
    return result;
}

Outcome Install(IInstallView& view, const InstallTarget& target, SessionEnd& session) {
    view.AppendLog(win::LoadText(IDS_LOG_CHECK));
    const StepResult files = InstallFiles(view, target, session);
    if (!files.ok) {
        if (files.message) view.Warn(files.message);
        return Outcome::Failed;
    }
    view.AppendLog(win::LoadText(IDS_LOG_SHORTCUT));
    if (CreateShortcuts(target)) return Outcome::Completed;
    view.Warn(IDS_SHORTCUT_FAILED);
    return Outcome::ShortcutsFailed;
}

}  // namespace

void RunInstallation(const InstallJob& job) noexcept {
    Outcome outcome = Outcome::OutOfMemory;
    try {
        outcome = Install(*job.view, job.target, *job.session);
    } catch (...) {
        // Out of memory, typically for an entry table far beyond any real one: the window thread
        // tells the user with a text it prepared before the worker started.
    }
    job.view->Finished(outcome);
}

}  // namespace install
