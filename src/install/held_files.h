// The files that the driver's setup runs and reads, held until it has ended: each open for reading
// with read sharing only, so that no other process can write, delete or rename it meanwhile.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "install/datafile/data_file.h"
#include "install/win_data_file.h"

namespace install {

// Opens a written file so, and checks that it holds the entry's bytes, through two buffers of
// datafile::kReadBlock bytes: a program cannot be started from a file that is open for writing, so
// the writing handle was closed first, and another process could have changed the file in between.
// Invalid when the file cannot be held or holds anything else.
win::UniqueFile OpenUnchanged(const std::wstring& path, WinFileSource& source, const datafile::EntryRecord& entry,
                              unsigned char* expected, unsigned char* found);

class HeldFiles {
public:
    bool Hold(const std::wstring& path, WinFileSource& source, const datafile::EntryRecord& entry);
    // A file that another thread opened with OpenUnchanged; false when it is invalid.
    bool Keep(win::UniqueFile file);

private:
    std::vector<win::UniqueFile> held_;
    std::unique_ptr<unsigned char[]> expected_, found_;
};

}  // namespace install
