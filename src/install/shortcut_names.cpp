#include "install/shortcut_names.h"

#include <string>

#include "resources/names.h"

namespace install {
namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EndsInBackslash(std::u16string_view folder) {
    return !folder.empty() && folder.back() == u'\\';
}

}  // namespace

std::u16string ShortcutPath(std::u16string_view folder, int n) {
    std::u16string path(folder);
    if (n < 2) return path + names::kShortcut;
    const std::u16string_view format = names::kShortcutNumbered;
    const std::size_t hole = format.find(u"%d");
    const std::string digits = std::to_string(n);
    path += format.substr(0, hole);
    path.append(digits.begin(), digits.end());
    path += format.substr(hole + 2);
    return path;
}

std::u16string SearchPattern(std::u16string_view folder) {
    return std::u16string(folder) + (EndsInBackslash(folder) ? u"*.*" : u"\\*.*");
}

std::u16string TargetPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!EndsInBackslash(folder)) path += u'\\';
    return path += name;
}

bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool FitsMaxPath(std::u16string_view path) {
    return path.size() + 1 <= kPathBufferLength;
}

}  // namespace install
