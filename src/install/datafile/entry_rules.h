// What an installed entry's name and timestamp may be: the one judgement that the setup and the
// data-file tool share.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "install/datafile/data_file.h"

namespace datafile {

enum class NameIssue {
    None,
    Empty,               // nothing is left of the name
    Absolute,            // starts with a backslash or slash
    Drive,               // X: at the start
    Network,             // two separators at the start
    EmptyComponent,      // a doubled or trailing separator
    DotsOnly,            // a component of only dots and blanks ("." and ".." among them)
    ForbiddenCharacter,  // < > : " | ? * or a code from 1 to 31
    TrailingDotOrBlank,  // a component that Windows would silently shorten
    ReservedDevice,      // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
};

// Judges a name relative to its folder, as Windows would take it: a name that Windows refuses or
// reads as something else (a device, a stream, a shorter name) is refused.
NameIssue JudgeInstalledName(const std::u16string& name);

// English text for tools and logs, e.g. "the name holds a character that Windows refuses".
std::string DescribeNameIssue(NameIssue issue);

// The name as Windows compares file names: without letter case (ASCII, Latin-1, Greek, Cyrillic
// and the full-width Latin letters; other scripts have no case).
std::u16string CaseFolded(const std::u16string& name);

struct Timestamp {
    int year, month, day, hour, minute, second;
};

// The stored "YYYYMMDDhhmmss" when it is a real local date and time from 1970 to 2037 in digits
// only; nullopt otherwise (the file then keeps the times the system gives it).
std::optional<Timestamp> ParseTimestamp(const std::array<char, kTimestampSize>& stored);

}  // namespace datafile
