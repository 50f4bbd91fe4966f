#include "install/datafile/data_file_validation.h"

#include <map>
#include <utility>

namespace datafile {

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
        const EntryLanding landing = InstalledName(entry, osClass, decode);
        if (landing.place == Placement::Skip) continue;
        result.entryIndex = i;
        if (std::uint64_t(entry.offset) + entry.size > fileSize) {
            result.issue = ValidationIssue::ContentOutsideFile;
            return result;
        }
        result.name = JudgeInstalledName(landing.name);
        if (result.name != NameIssue::None) {
            result.issue = ValidationIssue::BadName;
            return result;
        }
        const auto first = landed.emplace(std::make_pair(landing.place, CaseFolded(landing.name)), i);
        if (!first.second) {
            result.issue = ValidationIssue::SameFile;
            result.sameAs = first.first->second;
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
