#include "examination.h"

#include "codepage.h"
#include "entry_name.h"
#include "install/datafile/data_file_checks.h"
#include "install/datafile/data_file_validation.h"
#include "install/datafile/entry_rules.h"
#include "timestamp.h"

namespace dftool {

namespace {

std::string EntryText(std::size_t index, const datafile::EntryRecord& e) {
    return "entry " + std::to_string(index) + " (\"" + DisplayName(e.name) + "\"): ";
}

}  // namespace

FileChecks CheckFile(const std::vector<std::uint8_t>& bytes) {
    FileChecks checks;
    datafile::MemoryByteSource source(bytes.data(), bytes.size());
    checks.signature = datafile::CheckSignature(source) == datafile::CheckResult::Passed;
    checks.version = datafile::CheckVersion(source) == datafile::CheckResult::Passed;
    checks.crc = datafile::CheckCrc(source, [](int) {}) == datafile::CheckResult::Passed;
    const datafile::ReadStatus status = datafile::ReadEntryTable(source, &checks.table);
    checks.tableRead = status == datafile::ReadStatus::Ok;
    if (!checks.tableRead) checks.tableError = TableProblem(status, checks.table, bytes.size());
    return checks;
}

std::string TableProblem(datafile::ReadStatus status, const datafile::EntryTable& table, std::uint64_t fileSize) {
    if (status == datafile::ReadStatus::IoError) return "the entry table could not be read";
    if (fileSize < datafile::kHeaderSize) return "the file is too short to hold a header";
    return "the entry table of " + std::to_string(table.count) + " records runs past the end of the file";
}

ClassCheck CheckClass(const datafile::EntryTable& table, std::uint64_t fileSize, int osClass) {
    ClassCheck check;
    check.osClass = osClass;
    const datafile::ValidationResult validation =
        datafile::ValidateEntryTable(table, fileSize, osClass, DecodeStoredName);
    if (!validation.Ok()) check.problems.push_back(datafile::DescribeValidation(validation));

    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const datafile::EntryRecord& e = table.entries[i];
        const datafile::EntryLanding landing = datafile::InstalledName(e, osClass, DecodeStoredName);
        if (landing.place == datafile::Placement::Skip) continue;
        check.totalSize += e.size;
        (landing.place == datafile::Placement::DestFolder ? check.toDest : check.toSystem) += 1;

        const bool reported = !validation.Ok() && validation.entryIndex == i;
        const datafile::NameIssue issue = datafile::JudgeInstalledName(landing.name);
        if (!DecodeCp932(e.name)) {
            check.problems.push_back(EntryText(i, e) + "the name is not valid code page 932");
        } else if (issue != datafile::NameIssue::None && !reported) {
            check.problems.push_back(EntryText(i, e) + datafile::DescribeNameIssue(issue));
        }
        // The setup installs the file all the same and sets no time on it.
        if (!datafile::ParseTimestamp(e.timestamp)) {
            check.warnings.push_back(EntryText(i, e) + "the timestamp is not " + TimestampRuleText() +
                                     ": the file keeps the time of installation");
        }
    }
    if (check.totalSize == 0) {
        check.problems.push_back("the entries installed on this class hold no bytes: the setup would stop without a message");
    }
    return check;
}

}  // namespace dftool
