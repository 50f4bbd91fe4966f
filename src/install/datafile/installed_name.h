// Where an entry goes on a system of a version class, and under which name: the one rule that the
// validation, the setup's extraction and every command of the data-file tool apply.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "install/datafile/data_file.h"

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

struct EntryLanding {
    Placement place = Placement::Skip;
    std::u16string name;  // relative to the folder of place; empty when skipped
};

// The entry's place on osClass and its name there: decoded, and without its prefix in the system
// folder. Not judged: see JudgeInstalledName.
EntryLanding InstalledName(const EntryRecord& entry, int osClass, const AnsiDecoder& decode);

}  // namespace datafile
