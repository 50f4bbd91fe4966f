// What Windows takes as a file or folder name as it is written: the one rule for the entries'
// installed names and for the folders of the destination.
#pragma once

#include <string>
#include <string_view>

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

// Backslash and slash both separate folders on Windows.
bool IsPathSeparator(char16_t c);

// Judges every part between separators, empty ones included: a part that Windows refuses or reads as
// something else (a device, a stream, a shorter name) is an issue. The first issue, in path order.
NameIssue JudgePathParts(std::u16string_view path);

// English text for tools and logs, e.g. "the name holds a character that Windows refuses".
std::string DescribeNameIssue(NameIssue issue);

// The name as Windows compares file names: without letter case (ASCII, Latin-1, Greek, Cyrillic
// and the full-width Latin letters; other scripts have no case), either separator as a backslash.
std::u16string CaseFolded(std::u16string_view name);

}  // namespace datafile
