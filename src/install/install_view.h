// What the install worker installs, and what it needs of the window that shows it.
#pragma once

#include <windows.h>

#include <string>

namespace install {

struct InstallTarget {
    std::wstring dataFile;
    std::wstring destFolder;
    std::wstring systemFolder;
    int osClass = 0;
};

// Called from the worker's thread.
class IInstallView {
public:
    // Adds to the log, shown as soon as the window thread can; the worker does not wait for it.
    virtual void AppendLog(const std::wstring& text) = 0;
    // The same for a line per file: shown within a moment, by FlushLog at the latest.
    virtual void AppendLogSoon(const std::wstring& text) = 0;
    // Returns once the whole log so far is shown.
    virtual void FlushLog() = 0;
    virtual void SetProgress(int position) = 0;
    // A message box owned by the view, after the log is up to date.
    virtual void Warn(UINT textId) = 0;
    // The last log line, the finished log, and the way out of the wizard.
    virtual void Complete(const std::wstring& lastLine) = 0;
    // A failed step has told the user: the setup ends with an error.
    virtual void Fail() = 0;

protected:
    ~IInstallView() = default;
};

// What the worker thread receives; the caller keeps it alive until the worker ends.
struct InstallJob {
    IInstallView* view = nullptr;
    InstallTarget target;
};

}  // namespace install
