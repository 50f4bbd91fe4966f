// Extraction: every entry that suits the running system, copied byte for byte into the
// destination or the system folder, with its timestamp, one log line per file.
#include <vector>

#include "app/framework/wide.h"
#include "install/datafile/data_file_validation.h"
#include "install/file_times.h"
#include "install/install_plan.h"
#include "install/os_class.h"
#include "install/install_steps.h"
#include "install/win_data_file.h"
#include "resources/resource.h"

namespace install {

namespace {

constexpr std::size_t kCopyBlock = 1 << 20;

enum class CopyResult { Ok, ReadFailed, WriteFailed };

CopyResult CopyContent(WinFileSource& source, HANDLE out, const datafile::EntryRecord& entry,
                       std::vector<unsigned char>& buffer, ExtractProgress& progress) {
    std::uint64_t left = entry.size;
    std::uint64_t offset = entry.offset;
    while (left > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
        std::size_t got = 0;
        if (!source.ReadAt(offset, buffer.data(), want, &got) || got != want) return CopyResult::ReadFailed;
        DWORD written = 0;
        if (!::WriteFile(out, buffer.data(), static_cast<DWORD>(got), &written, nullptr) || written != got)
            return CopyResult::WriteFailed;
        offset += got;
        left -= got;
        progress.Copied(got);
    }
    return CopyResult::Ok;
}

// Create-or-truncate, with the same outcome in every case, but a file that does not exist yet is
// created as new: truncating even an empty new file makes some file systems write the whole file
// back when it is closed (ext4 under Wine: about 0.1 s per 256 MiB, as long as the copy itself).
HANDLE CreateOutput(const std::wstring& path) {
    HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out != INVALID_HANDLE_VALUE) return out;
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

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

    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const datafile::EntryRecord& entry = table.entries[i];
        datafile::Placement where = datafile::Place(entry.targetType, target.osClass);
        if (where != datafile::Placement::Skip) {
            std::u16string name = DecodeAnsiName(entry.name);
            if (where == datafile::Placement::SystemFolder) name = datafile::RemovePrefix(name);
            std::wstring wideName = win::ToWide(name);
            const std::wstring& folder = where == datafile::Placement::SystemFolder ? target.systemFolder : target.destFolder;
            std::wstring path = folder + L"\\" + wideName;

            view.AppendLogSoon(createBegin + wideName + createEnd);

            win::UniqueFile out(CreateOutput(path));
            if (!out) {
                view.Warn(IDS_DATAFILE_MISSING);
                return 0;
            }
            progress.BeginEntry(entry.size);
            CopyResult copied = CopyContent(source, out.Get(), entry, buffer, progress);
            if (copied != CopyResult::Ok) {
                // A partial file is worse than none: remove it before telling the user.
                out.Reset();
                ::DeleteFileW(path.c_str());
                view.Warn(copied == CopyResult::ReadFailed ? IDS_DATAFILE_DAMAGED : IDS_WRITE_FAILED);
                return 0;
            }
            progress.EndEntry();
            FILETIME stamp{};
            if (TimestampToFileTime(entry.timestamp, &stamp)) ::SetFileTime(out.Get(), &stamp, nullptr, &stamp);
        }
        if (i + 1 == table.entries.size() && target.osClass == kOsNt6Other) {
            view.FlushLog();  // while the driver setup runs, the log ends at the last file
            LaunchDriverSetup(target);
        }
    }
    view.FlushLog();
    return 1;
}

}  // namespace install
