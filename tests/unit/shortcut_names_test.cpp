#include "install/shortcut_names.h"

#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace {

TEST(ShortcutNames, NumberedFromTwoAndWithinMaxPath) {
    const std::u16string desktop = u"C:\\Users\\Public\\Desktop";
    EXPECT_EQ(install::ShortcutPath(desktop, 10), desktop + u"\\QTX KORVENTA(10).LNK");  // 1 and 2 are the GUI's
    // The buffer holds 260 characters with the terminator.
    EXPECT_TRUE(install::FitsMaxPath(std::u16string(259, u'a')));
    EXPECT_FALSE(install::FitsMaxPath(std::u16string(260, u'a')));
}

TEST(ShortcutNames, OnlyAsciiLettersFold) {
    const std::tuple<std::u16string, std::u16string, bool> rows[] = {
        {u"KORVENTA.exe", u"korventa.EXE", true}, {u"KORVENTA.exe", u"KORVENTA.ex", false}, {u"KORVENTA.exe", u"KORVENTB.exe", false},
        // Pairs 32 apart that are not ASCII letters must not fold; full-width letters compare exactly.
        {u"@", u"`", false}, {u"[", u"{", false}, {u"\u00C9", u"\u00E9", false}, {u"ＫＯＲＶ", u"ｋｏｒｖ", false},
    };
    for (const auto& [a, b, equal] : rows)  // both ways round
        EXPECT_EQ(std::make_pair(install::EqualsIgnoreAsciiCase(a, b), install::EqualsIgnoreAsciiCase(b, a)), std::make_pair(equal, equal));
}

}  // namespace
