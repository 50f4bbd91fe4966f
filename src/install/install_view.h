// What the install worker installs, and what it needs of the window that shows it.
#pragma once

#include <windows.h>

#include <string>

namespace install {

class SessionEnd;

struct InstallTarget {
    std::wstring dataFile;
    std::wstring destFolder;
    std::wstring systemFolder;
    int osClass = 0;
};

// How the worker ended.
enum class Outcome {
    Completed,
    ShortcutsFailed,  // the files are in place; the user has been warned
    Failed,           // a step failed and has told the user (or ended without a word)
    OutOfMemory,      // nothing has told the user yet
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
    // The worker's last act: the window thread finishes the page, or ends the setup, from here.
    virtual void Finished(Outcome outcome) = 0;

protected:
    ~IInstallView() = default;
};

// What the worker thread receives; its owner joins the worker before any of it goes.
struct InstallJob {
    IInstallView* view = nullptr;
    SessionEnd* session = nullptr;
    InstallTarget target;
};

}  // namespace install
