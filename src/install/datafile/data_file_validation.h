// Structural validation of a parsed entry table, run before extraction writes anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "install/datafile/data_file.h"
#include "install/datafile/entry_rules.h"
#include "install/datafile/installed_name.h"

namespace datafile {

enum class ValidationIssue {
    None,
    TableOutsideFile,    // the entry table does not lie inside the file
    ContentOutsideFile,  // an installed entry's content range runs past the end of the file
    BadName,             // an installed entry's name that Windows would refuse or read otherwise
    SameFile,            // two installed entries land on one file (names compared without case)
};

struct ValidationResult {
    ValidationIssue issue = ValidationIssue::None;
    std::size_t entryIndex = 0;     // the refused entry, for the entry issues
    NameIssue name = NameIssue::None;  // what is wrong with its name, for BadName
    std::size_t sameAs = 0;         // the earlier entry it collides with, for SameFile
    std::uint64_t totalSize = 0;    // sum of the sizes of the installed entries
    bool Ok() const { return issue == ValidationIssue::None; }
};

// Judges only the entries that InstalledName places on osClass; the others are
// ignored, as extraction ignores them. Stops at the first problem, in table order.
// decode must be set. totalSize is filled only when the table is sound.
ValidationResult ValidateEntryTable(const EntryTable& table, std::uint64_t fileSize, int osClass,
                                    const AnsiDecoder& decode);

// An entry that the system installs, as the validation found it.
struct InstalledEntry {
    std::uint32_t index = 0;
    EntryRecord record;
    EntryLanding landing;
};

// The same judgement, reading the table from the file a block at a time: memory follows the
// installed entries, not the table. When the table is sound, `installed` (if given) receives
// the installed entries in table order. *status tells whether the table could be read.
ValidationResult ValidateEntries(ByteSource& source, int osClass, const AnsiDecoder& decode,
                                 std::vector<InstalledEntry>* installed, ReadStatus* status);

// English text for tools and logs, e.g. "entry 2: the name is an absolute path".
std::string DescribeValidation(const ValidationResult& result);

}  // namespace datafile
