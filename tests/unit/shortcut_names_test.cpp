#include "install/shortcut_names.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using install::EqualsIgnoreAsciiCase;

const std::u16string kDesktop = u"C:\\Users\\Public\\Desktop";

TEST(ShortcutNames, NumberedOnlyFromTwo) {
    EXPECT_EQ(install::ShortcutPath(kDesktop, 1), kDesktop + u"\\QTX KORVENTA.LNK");
    EXPECT_EQ(install::ShortcutPath(kDesktop, 2), kDesktop + u"\\QTX KORVENTA(2).LNK");
    EXPECT_EQ(install::ShortcutPath(kDesktop, 10), kDesktop + u"\\QTX KORVENTA(10).LNK");
    EXPECT_EQ(install::ShortcutPath(kDesktop, 1001), kDesktop + u"\\QTX KORVENTA(1001).LNK");
}

TEST(ShortcutNames, PatternAndTargetHaveOneBackslash) {
    const struct {
        std::u16string folder;
        std::u16string pattern;
        std::u16string target;
    } rows[] = {
        {u"C:\\K", u"C:\\K\\*.*", u"C:\\K\\Korventa.EXE"},
        {u"C:\\K\\", u"C:\\K\\*.*", u"C:\\K\\Korventa.EXE"},
        {u"D:\\", u"D:\\*.*", u"D:\\Korventa.EXE"},
        {u"C:\\A B\\mv-t30582", u"C:\\A B\\mv-t30582\\*.*", u"C:\\A B\\mv-t30582\\Korventa.EXE"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(install::SearchPattern(row.folder), row.pattern);
        EXPECT_EQ(install::TargetPath(row.folder, u"Korventa.EXE"), row.target);
    }
}

TEST(ShortcutNames, OnlyAsciiLettersFold) {
    const struct {
        std::u16string a;
        std::u16string b;
        bool equal;
    } rows[] = {
        {u"KORVENTA.exe", u"korventa.EXE", true},   {u"KORVENTA.exe", u"KORVENTA.exe", true},
        {u"KORVENTA.exe", u"KORVENTA.ex", false},   {u"KORVENTA.exe", u"KORVENTA.exe ", false},
        {u"KORVENTA.exe", u"KORVENTB.exe", false},  {u"", u"", true},
        // Pairs 32 apart that are not ASCII letters must not fold; full-width letters compare exactly.
        {u"@", u"`", false}, {u"[", u"{", false}, {u"\u00C9", u"\u00E9", false},
        {u"ＫＯＲＶＥＮＴＡ", u"ｋｏｒｖｅｎｔａ", false}, {u"ＫＯＲＶＥＮＴＡ", u"ＫＯＲＶＥＮＴＡ", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EqualsIgnoreAsciiCase(row.a, row.b), row.equal);
        EXPECT_EQ(EqualsIgnoreAsciiCase(row.b, row.a), row.equal);
    }
}

TEST(ShortcutNames, MaxPathCountsTheTerminator) {
    EXPECT_TRUE(install::FitsMaxPath(std::u16string(259, u'a')));
    EXPECT_FALSE(install::FitsMaxPath(std::u16string(260, u'a')));
    const std::u16string folder = u"C:\\" + std::u16string(239, u'f');
    EXPECT_TRUE(install::FitsMaxPath(install::ShortcutPath(folder, 1)));
    EXPECT_FALSE(install::FitsMaxPath(install::ShortcutPath(folder, 2)));
}

}  // namespace
