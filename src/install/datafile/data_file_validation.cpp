#include "install/datafile/data_file_validation.h"

#include <map>
#include <utility>

#include "install/datafile/os_classes.h"

namespace datafile {
Placement Place(std::uint8_t targetType, int osClass) {
    if (targetType == kTargetDestFolder) return Placement::DestFolder;
    if (int(targetType) == osClass) return Placement::SystemFolder;
    // The class-3 files also serve class 5, from the destination folder.
    if (targetType == kOsNt6Minor0 && osClass == kOsNt6Other) return Placement::DestFolder;
    return Placement::Skip;
}

std::u16string RemovePrefix(const std::u16string& name) {
    std::size_t start = 0;
    bool marked = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == u'%') {
            start = i + 2;
            marked = true;
        }
    }
    if (!marked) return name;
    return start >= name.size() ? std::u16string() : name.substr(start);
}

ValidationResult ValidateEntryTable(const EntryTable& table, std::uint64_t fileSize, int osClass,
                                    const AnsiDecoder& decode) {
    ValidationResult result;
    const std::uint64_t tableEnd = kHeaderSize + std::uint64_t(table.count) * kRecordSize;
    if (table.entries.size() != table.count || tableEnd > fileSize) {
        result.issue = ValidationIssue::TableOutsideFile;
        return result;
    }
    // Where each installed entry lands, as Windows compares names: a second entry on the same
    // file would silently replace the first.
    std::map<std::pair<Placement, std::u16string>, std::size_t> landed;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const EntryRecord& entry = table.entries[i];
        const Placement place = Place(entry.targetType, osClass);
        if (place == Placement::Skip) continue;
        result.entryIndex = i;
        if (std::uint64_t(entry.offset) + entry.size > fileSize) {
            result.issue = ValidationIssue::ContentOutsideFile;
            return result;
        }
        std::u16string name = decode(entry.name);
        if (place == Placement::SystemFolder) name = RemovePrefix(name);
        result.name = JudgeInstalledName(name);
        if (result.name != NameIssue::None) {
            result.issue = ValidationIssue::BadName;
            return result;
        }
        const auto landing = landed.emplace(std::make_pair(place, CaseFolded(name)), i);
        if (!landing.second) {
            result.issue = ValidationIssue::SameFile;
            result.sameAs = landing.first->second;
            return result;
        }
        total += entry.size;
    }
    result.entryIndex = 0;
    result.totalSize = total;
    return result;
}

std::string DescribeValidation(const ValidationResult& result) {
    const std::string entry = "entry " + std::to_string(result.entryIndex) + ": ";
    switch (result.issue) {
    case ValidationIssue::None:
        return "the entry table is sound";
    case ValidationIssue::TableOutsideFile:
        return "the entry table runs past the end of the file";
    case ValidationIssue::ContentOutsideFile:
        return entry + "the content runs past the end of the file";
    case ValidationIssue::BadName:
        return entry + DescribeNameIssue(result.name);
    case ValidationIssue::SameFile:
        return entry + "it lands on the same file as entry " + std::to_string(result.sameAs);
    }
    return entry + "unknown problem";
}

}  // namespace datafile
