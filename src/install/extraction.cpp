// Extraction: every entry that suits the running system, copied byte for byte into the
// destination or the system folder, with its timestamp, one log line per file.
#include <vector>

#include "app/framework/wide.h"
#include "install/copy_lane.h"
#include "install/datafile/data_file_validation.h"
#include "install/entry_copy.h"
#include "install/install_plan.h"
#include "install/install_steps.h"
#include "install/os_class.h"
#include "install/two_readers.h"
#include "install/win_data_file.h"
#include "resources/resource.h"

namespace install {

namespace {

// Below a block's worth, handing an entry to the second thread costs about what it saves.
constexpr std::uint32_t kLaneMinimum = kCopyBlock;

struct Landing {
    const datafile::EntryRecord* entry;
    std::wstring name;  // as logged
    std::wstring path;
};

std::vector<Landing> Landings(const datafile::EntryTable& table, const InstallTarget& target) {
    std::vector<Landing> landings;
    for (const datafile::EntryRecord& entry : table.entries) {
        const datafile::EntryLanding where = datafile::InstalledName(entry, target.osClass, &DecodeAnsiName);
        if (where.place == datafile::Placement::Skip) continue;
        std::wstring wideName = win::ToWide(where.name);
        const std::wstring& folder = where.place == datafile::Placement::SystemFolder ? target.systemFolder : target.destFolder;
        landings.push_back({&entry, wideName, folder + L"\\" + wideName});
    }
    return landings;
}

UINT FailureText(CopyResult result) { return result == CopyResult::ReadFailed ? IDS_DATAFILE_DAMAGED : IDS_WRITE_FAILED; }

}  // namespace

int ExtractFiles(IInstallView& view, const InstallTarget& target) {
    WinFileSource source = OpenDataFile(target.dataFile);
    if (!source.Ok()) {
        view.Warn(IDS_DATAFILE_MISSING);
        return 0;
    }
    datafile::EntryTable table;
    datafile::ReadStatus status = datafile::ReadEntryTable(source, &table);
    datafile::ValidationResult plan;
    if (status == datafile::ReadStatus::Ok)
        plan = datafile::ValidateEntryTable(table, source.Size(), target.osClass, &DecodeAnsiName);
    // A damaged table is refused before anything is written.
    if (status != datafile::ReadStatus::Ok || !plan.Ok()) {
        view.Warn(IDS_DATAFILE_DAMAGED);
        return 0;
    }
    if (plan.totalSize == 0) return 0;  // nothing to install: ends without a message

    ExtractProgress progress(plan.totalSize, [&view](int position) { view.SetProgress(position); });
    std::vector<unsigned char> buffer(kCopyBlock);
    const std::wstring createBegin = win::LoadText(IDS_LOG_CREATE_BEGIN);
    const std::wstring createEnd = win::LoadText(IDS_LOG_CREATE_END);
    const std::vector<Landing> landings = Landings(table, target);
    CopyLane lane(source, TwoReadersHelp(target.dataFile));

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
            if (copied != CopyResult::Ok) {
                view.Warn(FailureText(copied));
                return 0;
            }
            progress.EndEntry();
            continue;
        }

        win::UniqueFile out(CreateOutput(landing.path));
        if (!out) {
            view.Warn(IDS_DATAFILE_MISSING);
            return 0;
        }
        if (i + 1 < landings.size() && entry.size >= kLaneMinimum && landings[i + 1].entry->size >= kLaneMinimum)
            lane.Start(*landings[i + 1].entry, landings[i + 1].path);
        const CopyResult copied = CopyContent(source, out.Get(), entry, buffer.data(), buffer.size(), [&](std::size_t got) {
            progress.Copied(got);
            return true;
        });
        if (copied != CopyResult::Ok) {
            // A partial file is worse than none; the next entry, begun beside it, would not exist yet.
            if (lane.Holding()) lane.Abandon();
            out.Reset();
            ::DeleteFileW(landing.path.c_str());
            view.Warn(FailureText(copied));
            return 0;
        }
        progress.EndEntry();
        StampOutput(out.Get(), entry);
    }
    if (target.osClass == kOsNt6Other) {
        view.FlushLog();  // while the driver setup runs, the log ends at the last file
        LaunchDriverSetup(target);
    }
    view.FlushLog();
    return 1;
}

}  // namespace install
