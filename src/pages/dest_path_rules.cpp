#include "pages/dest_path_rules.h"

#include "install/datafile/windows_names.h"
#include "resources/names.h"

namespace pages {

bool IsSpaceChar(char16_t c) {
    if (c >= 0x0009 && c <= 0x000D) return true;
    if (c >= 0x2000 && c <= 0x200A) return true;
    switch (c) {
    case 0x0020: case 0x0085: case 0x00A0: case 0x1680: case 0x2028:
    case 0x2029: case 0x202F: case 0x205F: case 0x3000:
        return true;
    default:
        return false;
    }
}

std::u16string TrimLeadingSpace(std::u16string_view path) {
    std::size_t first = 0;
    while (first < path.size() && IsSpaceChar(path[first])) ++first;
    return std::u16string(path.substr(first));
}

bool HasDriveRootForm(std::u16string_view path) {
    return !path.empty() && path.find(u':') == 1 && path.find(u'\\') == 2;
}

bool HasValidFolderNames(std::u16string_view path) {
    std::u16string folders;
    for (std::size_t i = 3; i < path.size(); ++i) {
        if (path[i] == u'\\' && (folders.empty() || folders.back() == u'\\')) continue;
        folders += path[i];
    }
    if (!folders.empty() && folders.back() == u'\\') folders.pop_back();
    return folders.empty() || datafile::JudgePathParts(folders) == datafile::NameIssue::None;
}

bool FitsDestLength(std::u16string_view path) {
    return path.size() <= kMaxDestLength;
}

bool IsDriveValid(std::u16string_view path, std::uint32_t logicalDrives) {
    if (path.empty() || path.find(u':') != 1) return false;
    const char16_t letter = path[0];
    int index;
    if (letter >= u'a' && letter <= u'z') {
        index = letter - u'a';
    } else if (letter >= u'A' && letter <= u'Z') {
        index = letter - u'A';
    } else {
        return false;
    }
    return (logicalDrives >> index) & 1u;
}

std::vector<std::u16string> FolderChain(std::u16string_view path) {
    std::vector<std::u16string> chain;
    std::u16string prefix;
    bool seenBackslash = false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        const bool last = i + 1 == path.size();
        if (c != u'\\') {
            prefix += c;
            if (last) chain.push_back(prefix);
        } else if (i > 0 && path[i - 1] == u'\\') {
            continue;
        } else if (!seenBackslash) {
            // The backslash after the drive: the root itself is never created.
            seenBackslash = true;
            prefix += c;
        } else {
            chain.push_back(prefix);
            prefix += c;
            if (last) chain.push_back(prefix);
        }
    }
    return chain;
}

std::optional<std::u16string> FreeSpaceRoot(std::u16string_view path) {
    if (path.empty() || path.find(u':') != 1) return std::nullopt;
    return std::u16string(path.substr(0, 2)) + u'\\';
}

std::u16string DefaultDestDir(std::u16string_view systemDir) {
    return std::u16string(systemDir.substr(0, 3)) + names::kDefaultDestTail;
}

}  // namespace pages
