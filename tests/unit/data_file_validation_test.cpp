#include "install/datafile/data_file_validation.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "codepage.h"

namespace datafile {
namespace {

// Names are decoded as the setup decodes them on a Japanese system.
std::u16string DecodeLikeCp932(const std::string& bytes) { return dftool::DecodeCp932(bytes).value_or(u"?"); }

EntryRecord Record(const std::string& name, std::uint8_t type, std::uint32_t offset = 200, std::uint32_t size = 1) {
    return {name, {}, offset, size, type};
}

EntryTable Table(std::vector<EntryRecord> entries) { return {static_cast<std::uint32_t>(entries.size()), std::move(entries)}; }

constexpr std::uint64_t kFile = 4096;

// The name rules are the entry rules' and the Windows name rule's tables, the installed name
// installed_name_test's; this one shows that the installed name is judged (without its prefix in the
// system folder, whole for type 3 on class 5), and nothing of an entry the class skips. The same holds
// for content ranges, which must lie in the file in 64 bits.
TEST(ValidateEntryTable, JudgesEachInstalledEntry) {
    for (const auto& [osClass, issue] : {std::pair(3, NameIssue::Drive), std::pair(5, NameIssue::ForbiddenCharacter)}) {
        const ValidationResult r = ValidateEntryTable(Table({Record("%S%\\C:k.sys", 3)}), kFile, osClass, DecodeLikeCp932);
        EXPECT_EQ(std::make_pair(r.issue, r.name), std::make_pair(ValidationIssue::BadName, issue)) << "class " << osClass;
    }
    const std::tuple<std::uint32_t, std::uint32_t, std::uint8_t, int, bool> ranges[] = {  // offset, size, type, class, fits
        {4000, 96, 0, 1, true}, {4000, 97, 0, 1, false}, {4097, 0, 0, 1, false}, {0xFFFFFF00, 0x200, 0, 1, false},
        {0xFFFFFFFF, 0xFFFFFFFF, 4, 3, true}};
    for (const auto& [offset, size, type, osClass, fits] : ranges)
        EXPECT_EQ(ValidateEntryTable(Table({Record("a", type, offset, size)}), kFile, osClass, DecodeLikeCp932).issue,
                  fits ? ValidationIssue::None : ValidationIssue::ContentOutsideFile) << offset << " + " << size;
}

TEST(ValidateEntryTable, NamesTheFirstRefusedEntry) {
    const ValidationResult r = ValidateEntryTable(Table({Record("ok", 0), Record("..\\x", 4), Record("/y", 0), Record("..\\z", 0)}),
                                                  kFile, 1, DecodeLikeCp932);
    EXPECT_EQ(DescribeValidation(r), "entry 2: the name is an absolute path");  // entry 1 is skipped on class 1
    EXPECT_EQ(r.totalSize, 0u);
}

// Windows compares names without case: a second entry on the same file would replace the first.
TEST(ValidateEntryTable, RefusesTwoEntriesOnOneFile) {
    const std::tuple<const char*, std::uint8_t, const char*, std::uint8_t, int, bool> cases[] = {  // with types; refused
        {"sub\\a.txt", 0, "SUB/A.TXT", 0, 1, true},
        {"%S%\\k.sys", 5, "%T%\\K.SYS", 5, 5, true},
        {"k.sys", 0, "%S%\\k.sys", 5, 5, false},        // destination and system folder
        {"Korventa.inf", 0, "Korventa.inf", 3, 5, true},  // type 3 joins the destination on class 5
        {"data.bin", 0, "data.bin", 4, 5, false},         // the second is skipped on this class
    };
    for (const auto& [first, firstType, second, secondType, osClass, refused] : cases) {
        const ValidationResult r = ValidateEntryTable(Table({Record("x", 0), Record(first, firstType), Record(second, secondType)}),
                                                      kFile, osClass, DecodeLikeCp932);
        EXPECT_EQ(DescribeValidation(r), refused ? "entry 2: it lands on the same file as entry 1" : "the entry table is sound")
            << first << " / " << second;
    }
}

// Sizes add up in 64 bits: the entries may share one range of the file.
TEST(ValidateEntryTable, TotalsTheInstalledSizesIn64Bits) {
    const EntryTable t = Table({Record("a", 0, 0, 0xFFFFFFFF), Record("b", 5, 0, 0xFFFFFFFF), Record("c", 4, 0, 7)});
    EXPECT_EQ(ValidateEntryTable(t, std::uint64_t(1) << 32, 5, DecodeLikeCp932).totalSize, 0x1FFFFFFFEull);
}

}  // namespace
}  // namespace datafile
