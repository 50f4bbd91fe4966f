// One entry's output file: created, filled from the data file a block at a time, stamped.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "install/datafile/data_file.h"
#include "install/datafile/data_file_checks.h"
#include "install/win_data_file.h"

namespace install {

enum class CopyResult { Ok, ReadFailed, WriteFailed, Stopped };

// Only a file that does not exist yet; INVALID_HANDLE_VALUE for anything else.
HANDLE CreateNewOutput(const std::wstring& path);

// An existing file is replaced whole or not at all: the entry goes to a temporary file beside it,
// which then takes its place. CanReplace opens the existing file for writing and closes it again,
// so that a file that cannot be written (read-only, in use, a folder) stops the entry before
// anything of it is written.
bool CanReplace(const std::wstring& path);
// A new temporary file in `folder`, its path in *path; INVALID_HANDLE_VALUE when none can be made.
HANDLE CreateTempOutput(const std::wstring& folder, std::wstring* path);
// Moves the written, stamped temporary file over `path`. The stamp is set again there: a name
// that was just removed hands its creation time on to the file that takes it (tunnelling).
bool MoveOver(const std::wstring& temp, const std::wstring& path, const datafile::EntryRecord& entry);
// Removes the temporary files that an interrupted run left in `folder`.
void RemoveLeftTemps(const std::wstring& folder);
// The folder part of a path: everything before its last backslash.
std::wstring FolderOf(const std::wstring& path);

// The entry's timestamp as the file's creation and last write time.
void StampOutput(HANDLE out, const datafile::EntryRecord& entry);

// Copies the entry's content into `out` through `buffer`. After each block `afterBlock(bytes)`
// is called; when it answers false, the copy stops there.
template <class AfterBlock>
CopyResult CopyContent(WinFileSource& source, HANDLE out, const datafile::EntryRecord& entry, unsigned char* buffer,
                       std::size_t bufferSize, AfterBlock afterBlock) {
    std::uint64_t left = entry.size;
    std::uint64_t offset = entry.offset;
    while (left > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, bufferSize));
        std::size_t got = 0;
        if (!source.ReadAt(offset, buffer, want, &got) || got != want) return CopyResult::ReadFailed;
        DWORD written = 0;
        if (!::WriteFile(out, buffer, static_cast<DWORD>(got), &written, nullptr) || written != got)
            return CopyResult::WriteFailed;
        offset += got;
        left -= got;
        if (!afterBlock(got)) return CopyResult::Stopped;
    }
    return CopyResult::Ok;
}

}  // namespace install
