// Extraction: every entry that suits the running system, copied byte for byte into the
// destination or the system folder, with its timestamp, one log line per file.
#include <set>
#include <vector>

#include "framework/wide.h"
#include "install/copy_lane.h"
#include "install/datafile/data_file_validation.h"
#include "install/entry_copy.h"
#include "install/held_files.h"
#include "install/install_plan.h"
#include "install/install_steps.h"
#include "install/datafile/os_classes.h"
#include "install/two_readers.h"
#include "resources/resource.h"

namespace install {

namespace {

// Below a block's worth, handing an entry to the second thread costs about what it saves.
constexpr std::uint32_t kLaneMinimum = datafile::kReadBlock;

struct Landing {
    const datafile::EntryRecord* entry;
    std::wstring name;  // as logged
    std::wstring path;
    bool inDestination;
};

std::vector<Landing> Landings(const std::vector<datafile::InstalledEntry>& installed, const InstallTarget& target) {
    std::vector<Landing> landings;
    for (const datafile::InstalledEntry& entry : installed) {
        std::wstring wideName = win::ToWide(entry.landing.name);
        const bool inDestination = entry.landing.place != datafile::Placement::SystemFolder;
        const std::wstring& folder = inDestination ? target.destFolder : target.systemFolder;
        landings.push_back({&entry.record, wideName, folder + L"\\" + wideName, inDestination});
    }
    return landings;
}

StepResult Failed(CopyResult result) {
    switch (result) {
    case CopyResult::ReadFailed: return Stop(IDS_DATAFILE_DAMAGED);
    case CopyResult::Stopped: return Stop(0);  // the session ends: nobody is there to read a message
    default: return Stop(IDS_WRITE_FAILED);
    }
}

// The folders written to so far: what an interrupted run left in one goes before the first write.
class Folders {
public:
    void BeforeWriting(const std::wstring& path) {
        if (swept_.insert(FolderOf(path)).second) RemoveLeftTemps(FolderOf(path));
    }

private:
    std::set<std::wstring> swept_;
};

// One entry's output in the worker's hands: the target itself when it did not exist, else a
// temporary file beside it that takes the target's place once it is whole.
struct Output {
    win::UniqueFile file;
    std::wstring written;  // the path being written
    bool replacing = false;
};

// 0 when the output is open; else the message. An existing file that cannot be written stops the
// setup before anything of the entry is written, with the message a missing data file gets.
UINT OpenOutput(const std::wstring& path, Output* out) {
    out->written = path;
    out->file.Reset(CreateNewOutput(path));
    if (out->file) return 0;
    if (::GetLastError() != ERROR_FILE_EXISTS || !CanReplace(path)) return IDS_DATAFILE_MISSING;
    out->replacing = true;
    out->file.Reset(CreateTempOutput(FolderOf(path), &out->written));
    return out->file ? 0 : IDS_DATAFILE_MISSING;
}

}  // namespace

StepResult ExtractFiles(IInstallView& view, WinFileSource& source, const InstallTarget& target, SessionEnd& session) {
    // Read a block at a time: only the installed entries are kept.
    std::vector<datafile::InstalledEntry> installed;
    datafile::ReadStatus status = datafile::ReadStatus::Ok;
    const datafile::ValidationResult plan =
        datafile::ValidateEntries(source, target.osClass, &DecodeAnsiName, &installed, &status);
    // A damaged table is refused before anything is written.
    if (status != datafile::ReadStatus::Ok || !plan.Ok()) return Stop(IDS_DATAFILE_DAMAGED);
    if (plan.totalSize == 0) return Stop(0);  // nothing to install: ends without a message

    ExtractProgress progress(plan.totalSize, [&view](int position) { view.SetProgress(position); });
    std::vector<unsigned char> buffer(datafile::kReadBlock);
    const std::wstring createBegin = win::LoadText(IDS_LOG_CREATE_BEGIN);
    const std::wstring createEnd = win::LoadText(IDS_LOG_CREATE_END);
    const std::vector<Landing> landings = Landings(installed, target);
    const bool runsDriver = target.osClass == datafile::kOsNt6Other;
    SessionEnd::Writing writing(session);
    Folders folders;
    // Declared before the lane: a failure returns with the lane's thread joined and its file gone
    // before these handles close.
    HeldFiles held;
    CopyLane lane(source, TwoReadersHelp(target.dataFile), session);
    const auto holds = [&](const Landing& landing) { return runsDriver && landing.inDestination; };

    for (std::size_t i = 0; i < landings.size(); ++i) {
        const Landing& landing = landings[i];
        const datafile::EntryRecord& entry = *landing.entry;
        view.AppendLogSoon(createBegin + landing.name + createEnd);
        progress.BeginEntry(entry.size);

        if (lane.Holding()) {  // handed over with the entry before
            std::uint64_t told = 0;
            const CopyResult copied = lane.Finish([&](std::uint64_t sofar) {
                progress.Copied(sofar - told);
                told = sofar;
            });
            if (copied != CopyResult::Ok) return Failed(copied);
            if (holds(landing) && !held.Keep(lane.TakeHeld())) return Stop(IDS_WRITE_FAILED);
            progress.EndEntry();
            continue;
        }

        folders.BeforeWriting(landing.path);
        Output out;
        if (const UINT message = OpenOutput(landing.path, &out)) return Stop(message);
        if (i + 1 < landings.size() && entry.size >= kLaneMinimum && landings[i + 1].entry->size >= kLaneMinimum) {
            folders.BeforeWriting(landings[i + 1].path);
            lane.Start(*landings[i + 1].entry, landings[i + 1].path, holds(landings[i + 1]));
        }
        const CopyResult copied = CopyContent(source, out.file.Get(), entry, buffer.data(), buffer.size(), [&](std::size_t got) {
            progress.Copied(got);
            return !session.Stopped();
        });
        if (copied == CopyResult::Ok) StampOutput(out.file.Get(), entry);
        out.file.Reset();
        if (copied != CopyResult::Ok || (out.replacing && !MoveOver(out.written, landing.path, entry))) {
            // A partial file is worse than none, and an existing one stays as it was; the next
            // entry, begun beside it, would not exist yet.
            if (lane.Holding()) lane.Abandon();
            ::DeleteFileW(out.written.c_str());
            return Failed(copied == CopyResult::Ok ? CopyResult::WriteFailed : copied);
        }
        if (holds(landing) && !held.Hold(landing.path, source, entry)) {
            if (lane.Holding()) lane.Abandon();
            return Stop(IDS_WRITE_FAILED);
        }
        progress.EndEntry();
    }
    if (runsDriver) {
        view.FlushLog();  // while the driver setup runs, the log ends at the last file
        LaunchDriverSetup(target, session.StopEvent());
        if (session.Stopped()) return Stop(0);
    }
    view.FlushLog();
    return Passed();
}

}  // namespace install
