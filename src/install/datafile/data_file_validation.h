// Structural validation of a parsed entry table, run before extraction writes anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "install/datafile/data_file.h"
#include "install/datafile/entry_rules.h"

namespace datafile {

enum class Placement { Skip, DestFolder, SystemFolder };

// Where an entry of targetType goes on a system of osClass.
Placement Place(std::uint8_t targetType, int osClass);

// System-folder names: drop everything up to and including the character after the
// last '%'. Operates on the UTF-16 name.
std::u16string RemovePrefix(const std::u16string& name);

// Turns a raw ANSI name into UTF-16 (code page 932 on the target system): names are
// judged after conversion, because a double-byte character's trail byte can be 0x5C.
using AnsiDecoder = std::function<std::u16string(const std::string&)>;

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

// Judges only the entries that Place installs on osClass; the others are
// ignored, as extraction ignores them. Stops at the first problem, in table order.
// decode must be set. totalSize is filled only when the table is sound.
ValidationResult ValidateEntryTable(const EntryTable& table, std::uint64_t fileSize, int osClass,
                                    const AnsiDecoder& decode);

// English text for tools and logs, e.g. "entry 2: the name is an absolute path".
std::string DescribeValidation(const ValidationResult& result);

}  // namespace datafile
