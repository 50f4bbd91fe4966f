#include "install/datafile/data_file_validation.h"

namespace datafile {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Windows trims trailing dots and blanks from a path's last component, so ".. " can
// end up as "..": any component of only dots and blanks with two dots or more is refused.
bool ClimbsUp(const std::u16string& name, std::size_t begin, std::size_t end) {
    std::size_t dots = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (name[i] == u'.')
            ++dots;
        else if (name[i] != u' ')
            return false;
    }
    return dots >= 2;
}

ValidationIssue JudgeName(const std::u16string& name) {
    if (name.empty()) return ValidationIssue::EmptyName;
    if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) return ValidationIssue::UncPrefix;
    if (IsSeparator(name[0])) return ValidationIssue::AbsoluteName;
    if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == u':') return ValidationIssue::DrivePrefix;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || IsSeparator(name[i])) {
            if (ClimbsUp(name, begin, i)) return ValidationIssue::ParentComponent;
            begin = i + 1;
        }
    }
    return ValidationIssue::None;
}

}  // namespace

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
        result.issue = JudgeName(name);
        if (!result.Ok()) return result;
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
    case ValidationIssue::EmptyName:
        return entry + "the name is empty";
    case ValidationIssue::AbsoluteName:
        return entry + "the name is an absolute path";
    case ValidationIssue::DrivePrefix:
        return entry + "the name starts with a drive";
    case ValidationIssue::UncPrefix:
        return entry + "the name is a network path";
    case ValidationIssue::ParentComponent:
        return entry + "the name has a \"..\" component";
    }
    return entry + "unknown problem";
}

}  // namespace datafile
