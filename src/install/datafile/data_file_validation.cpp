#include "install/datafile/data_file_validation.h"

#include <map>
#include <utility>

namespace datafile {

namespace {

// Judges installed entries one at a time, in table order, until the first problem.
class Judge {
public:
    Judge(std::uint64_t fileSize, int osClass, const AnsiDecoder& decode)
        : fileSize_(fileSize), osClass_(osClass), decode_(decode) {}

    // False once an entry is refused; `landing` receives where it goes.
    bool Accept(std::uint32_t index, const EntryRecord& entry, EntryLanding* landing) {
        *landing = InstalledName(entry, osClass_, decode_);
        if (landing->place == Placement::Skip) return true;
        result_.entryIndex = index;
        if (std::uint64_t(entry.offset) + entry.size > fileSize_) return Refuse(ValidationIssue::ContentOutsideFile);
        result_.name = JudgeInstalledName(landing->name);
        if (result_.name != NameIssue::None) return Refuse(ValidationIssue::BadName);
        // As Windows compares names: a second entry on the same file would silently replace the first.
        const auto first = landed_.emplace(std::make_pair(landing->place, CaseFolded(landing->name)), index);
        if (!first.second) {
            result_.sameAs = first.first->second;
            return Refuse(ValidationIssue::SameFile);
        }
        total_ += entry.size;
        return true;
    }
    ValidationResult Result() {
        if (result_.Ok()) {
            result_.entryIndex = 0;
            result_.totalSize = total_;
        }
        return result_;
    }
    ValidationResult TableOutsideFile() {
        result_.issue = ValidationIssue::TableOutsideFile;
        return result_;
    }

private:
    bool Refuse(ValidationIssue issue) {
        result_.issue = issue;
        return false;
    }

    std::uint64_t fileSize_;
    int osClass_;
    const AnsiDecoder& decode_;
    ValidationResult result_;
    std::map<std::pair<Placement, std::u16string>, std::size_t> landed_;
    std::uint64_t total_ = 0;
};

}  // namespace

ValidationResult ValidateEntryTable(const EntryTable& table, std::uint64_t fileSize, int osClass,
                                    const AnsiDecoder& decode) {
    Judge judge(fileSize, osClass, decode);
    const std::uint64_t tableEnd = kHeaderSize + std::uint64_t(table.count) * kRecordSize;
    if (table.entries.size() != table.count || tableEnd > fileSize) return judge.TableOutsideFile();
    EntryLanding landing;
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        if (!judge.Accept(static_cast<std::uint32_t>(i), table.entries[i], &landing)) break;
    }
    return judge.Result();
}

ValidationResult ValidateEntries(ByteSource& source, int osClass, const AnsiDecoder& decode,
                                 std::vector<InstalledEntry>* installed, ReadStatus* status) {
    Judge judge(source.Size(), osClass, decode);
    std::vector<InstalledEntry> found;
    std::uint32_t count = 0;
    *status = VisitEntries(source, &count, [&](std::uint32_t index, const EntryRecord& entry) {
        EntryLanding landing;
        if (!judge.Accept(index, entry, &landing)) return false;
        if (installed && landing.place != Placement::Skip) found.push_back({index, entry, std::move(landing)});
        return true;
    });
    if (*status == ReadStatus::Truncated) return judge.TableOutsideFile();
    const ValidationResult result = judge.Result();
    if (installed && result.Ok() && *status == ReadStatus::Ok) *installed = std::move(found);
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
