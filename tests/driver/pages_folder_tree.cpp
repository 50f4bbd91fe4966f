#include "driver/pages_folder_tree.h"

#include <cstdio>

#include "driver/window_text.h"

namespace gui_driver {

namespace {

// Closes a search handle.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

void Collect(const std::wstring& folder, const std::wstring& relative, bool recursive, FolderTree* tree) {
  WIN32_FIND_DATAW found = {};
  const std::wstring pattern = folder + (relative.empty() ? L"" : L"\\" + relative) + L"\\*";
  FindHandle find(FindFirstFileW(pattern.c_str(), &found));
  if (!find.Valid()) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    TreeEntry entry;
    entry.attributes = found.dwFileAttributes;
    entry.size = isFolder ? 0 : (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    (*tree)[path] = entry;
    if (isFolder && recursive) Collect(folder, path, recursive, tree);
  } while (FindNextFileW(find.Get(), &found));
}

std::string Describe(const std::wstring& path, const TreeEntry& entry) {
  char details[64];
  std::snprintf(details, sizeof details, " (attributes 0x%lx, %llu bytes)",
                static_cast<unsigned long>(entry.attributes), static_cast<unsigned long long>(entry.size));
  return "\"" + Utf8(path) + "\"" + details;
}

}  // namespace

FolderTree SnapshotTree(const std::wstring& folder, bool recursive) {
  FolderTree tree;
  Collect(folder, L"", recursive, &tree);
  return tree;
}

testing::AssertionResult TreeGrewBy(const FolderTree& before, const FolderTree& after,
                                    const std::vector<std::wstring>& added) {
  FolderTree expected = before;
  std::string problems;
  for (const std::wstring& folder : added) {
    auto it = after.find(folder);
    if (it == after.end()) {
      problems += " missing folder \"" + Utf8(folder) + "\";";
    } else if (!(it->second.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      problems += " " + Describe(folder, it->second) + " is no folder;";
    } else if (before.count(folder)) {
      problems += " \"" + Utf8(folder) + "\" was there before;";
    }
    if (it != after.end()) expected[folder] = it->second;
  }
  for (const auto& [path, entry] : after) {
    auto it = expected.find(path);
    if (it == expected.end()) {
      problems += " created " + Describe(path, entry) + ";";
    } else if (!(it->second == entry)) {
      problems += " changed " + Describe(path, it->second) + " into " + Describe(path, entry) + ";";
    }
  }
  for (const auto& [path, entry] : expected) {
    if (!after.count(path)) problems += " removed " + Describe(path, entry) + ";";
  }
  if (problems.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the folder tree changed unexpectedly:" << problems;
}

}  // namespace gui_driver
