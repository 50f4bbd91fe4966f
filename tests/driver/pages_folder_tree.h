#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>
#include <map>
#include <string>

namespace gui_driver {

struct TreeEntry {
  DWORD attributes = 0;
  ULONGLONG size = 0;
  bool operator==(const TreeEntry& other) const {
    return attributes == other.attributes && size == other.size;
  }
};

// Everything below a folder, by path relative to it ("a\b"), with attributes and file sizes: enough to
// tell that nothing was created, removed or changed there.
using FolderTree = std::map<std::wstring, TreeEntry>;

FolderTree SnapshotTree(const std::wstring& folder, bool recursive = true);

// `after` is `before` plus exactly the folders `added` (relative paths), and nothing else changed.
testing::AssertionResult TreeGrewBy(const FolderTree& before, const FolderTree& after,
                                    const std::vector<std::wstring>& added = {});

}  // namespace gui_driver
