#include "install/datafile/data_file_validation.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "codepage.h"

namespace datafile {
namespace {

// Names are decoded as the setup decodes them on a Japanese system: a trail byte 0x5C is no backslash.
std::u16string DecodeLikeCp932(const std::string& bytes) { return dftool::DecodeCp932(bytes).value_or(u"?"); }

EntryRecord Record(const std::string& name, std::uint32_t offset, std::uint32_t size, std::uint8_t type) {
    EntryRecord r;
    r.name = name, r.offset = offset, r.size = size, r.targetType = type;
    return r;
}

EntryTable Table(std::vector<EntryRecord> entries) { return {static_cast<std::uint32_t>(entries.size()), std::move(entries)}; }

constexpr std::uint64_t kFile = 4096;

TEST(Place, FollowsTheTargetTypeTable) {
    const std::tuple<int, int, Placement> cases[] = {  // target type, class, placement
        {0, -1, Placement::DestFolder}, {0, 0, Placement::DestFolder},   {0, 5, Placement::DestFolder},
        {1, 1, Placement::SystemFolder}, {2, 2, Placement::SystemFolder}, {3, 3, Placement::SystemFolder},
        {4, 4, Placement::SystemFolder}, {5, 5, Placement::SystemFolder}, {3, 5, Placement::DestFolder},
        {3, 4, Placement::Skip},         {5, 3, Placement::Skip},         {1, 2, Placement::Skip},
        {1, 0, Placement::Skip},         {2, -1, Placement::Skip},        {255, -1, Placement::Skip},
        {255, 5, Placement::Skip},       {6, 5, Placement::Skip},         {4, 5, Placement::Skip},
    };
    for (const auto& [type, osClass, expected] : cases)
        EXPECT_EQ(Place(static_cast<std::uint8_t>(type), osClass), expected) << "type " << type << " class " << osClass;
}

TEST(RemovePrefix, KeepsTheTailAfterTheLastPercent) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"%SystemRoot%\\drivers\\x.sys", u"drivers\\x.sys"}, {u"plain.dll", u"plain.dll"}, {u"", u""}, {u"%", u""},
        {u"x.sys%", u""}, {u"x.sys%\\", u""}, {u"%ab", u"b"}, {u"%%abc", u"bc"}, {u"a%b%cd%\\e", u"e"},
        {u"％\\full-width.dll", u"％\\full-width.dll"},
    };
    for (const auto& c : cases) EXPECT_EQ(RemovePrefix(c.first), c.second);
}

// Each name rule itself is in the entry rules' table; this one shows which name is judged.
TEST(ValidateEntryTable, JudgesEachInstalledEntry) {
    const ValidationIssue ok = ValidationIssue::None, bad = ValidationIssue::BadName;
    const std::tuple<const char*, EntryRecord, int, ValidationIssue, NameIssue> cases[] = {
        {"plain name", Record("KORVENTA.exe", 200, 100, 0), 1, ok, NameIssue::None},
        {"content ends at the end", Record("a", 4000, 96, 0), 1, ok, NameIssue::None},
        {"content one byte over", Record("a", 4000, 97, 0), 1, ValidationIssue::ContentOutsideFile, NameIssue::None},
        {"offset past the end, size 0", Record("a", 4097, 0, 0), 1, ValidationIssue::ContentOutsideFile, NameIssue::None},
        {"offset + size wraps in 32 bits", Record("a", 0xFFFFFF00, 0x200, 0), 1, ValidationIssue::ContentOutsideFile,
         NameIssue::None},
        {"parent", Record("a/../../x.dll", 200, 1, 0), 1, bad, NameIssue::DotsOnly},
        {"device", Record("nul.txt", 200, 1, 0), 1, bad, NameIssue::ReservedDevice},
        // Judged after decoding: a double-byte character's trail byte 0x5C is no separator.
        {"cp932 trail byte 0x5C", Record("\x95\x5C.txt", 200, 1, 0), 1, ok, NameIssue::None},
        {"cp932 trail byte at start", Record("\x95\x5C" "a", 200, 1, 0), 1, ok, NameIssue::None},
        // System-folder entries are judged after prefix removal.
        {"system prefix removed", Record("%SystemRoot%\\drivers\\k.sys", 200, 1, 3), 3, ok, NameIssue::None},
        {"system prefix leaves parent", Record("%S%\\..\\k.sys", 200, 1, 3), 3, bad, NameIssue::DotsOnly},
        {"system prefix leaves drive", Record("%S%\\C:k.sys", 200, 1, 3), 3, bad, NameIssue::Drive},
        {"system prefix leaves nothing", Record("k.sys%", 200, 1, 1), 1, bad, NameIssue::Empty},
        {"system prefix leaves root", Record("%S\\k.sys", 200, 1, 2), 2, bad, NameIssue::Absolute},
        // Type 3 on class 5 goes to the destination under its stored name: '%' and all.
        {"type 3 on class 5 keeps prefix", Record("%S%\\k.sys", 200, 1, 3), 5, ok, NameIssue::None},
        {"type 3 on class 5, colon kept", Record("%S%\\C:k.sys", 200, 1, 3), 5, bad, NameIssue::ForbiddenCharacter},
        // Entries skipped on this class are not judged.
        {"skipped bad name", Record("..\\evil", 200, 1, 2), 5, ok, NameIssue::None},
        {"skipped bad range", Record("a", 0xFFFFFFFF, 0xFFFFFFFF, 4), 3, ok, NameIssue::None},
        {"type 255 is not class -1", Record("\\evil", 200, 1, 255), -1, ok, NameIssue::None},
    };
    for (const auto& [what, entry, osClass, expected, name] : cases) {
        const ValidationResult r = ValidateEntryTable(Table({entry}), kFile, osClass, DecodeLikeCp932);
        EXPECT_EQ(r.issue, expected) << what << ": " << DescribeValidation(r);
        EXPECT_EQ(r.name, name) << what;
    }
}

TEST(ValidateEntryTable, NamesTheFirstRefusedEntry) {
    const EntryTable t = Table({Record("ok", 200, 1, 0), Record("..\\x", 200, 1, 4), Record("/y", 200, 1, 0),
                                Record("..\\z", 200, 1, 0)});
    const ValidationResult r = ValidateEntryTable(t, kFile, 1, DecodeLikeCp932);
    EXPECT_EQ(r.issue, ValidationIssue::BadName);
    EXPECT_EQ(r.entryIndex, 2u);
    EXPECT_EQ(DescribeValidation(r), "entry 2: the name is an absolute path");
    EXPECT_EQ(r.totalSize, 0u);
}

// Windows compares names without case: a second entry on the same file would replace the first.
TEST(ValidateEntryTable, RefusesTwoEntriesOnOneFile) {
    const std::tuple<const char*, std::uint8_t, const char*, std::uint8_t, int, bool> cases[] = {  // with types; refused
        {"data.bin", 0, "DATA.BIN", 0, 1, true},
        {"sub\\a.txt", 0, "SUB/A.TXT", 0, 1, true},
        {"%S%\\k.sys", 5, "%T%\\K.SYS", 5, 5, true},
        {"k.sys", 0, "%S%\\k.sys", 5, 5, false},        // destination and system folder
        {"Korventa.inf", 0, "Korventa.inf", 3, 5, true},  // type 3 joins the destination on class 5
        {"data.bin", 0, "data.bin", 4, 5, false},         // the second is skipped on this class
        {"data1.bin", 0, "data.bin", 0, 1, false},
    };
    for (const auto& [first, firstType, second, secondType, osClass, refused] : cases) {
        const ValidationResult r = ValidateEntryTable(
            Table({Record("x", 200, 1, 0), Record(first, 200, 1, firstType), Record(second, 200, 1, secondType)}),
            kFile, osClass, DecodeLikeCp932);
        EXPECT_EQ(DescribeValidation(r), refused ? "entry 2: it lands on the same file as entry 1" : "the entry table is sound")
            << first << " / " << second;
    }
}

TEST(ValidateEntryTable, RefusesATableOutsideTheFile) {
    EntryTable t = Table({Record("a", 100, 1, 0), Record("b", 100, 1, 0)});
    EXPECT_TRUE(ValidateEntryTable(t, 32 + 128, 0, DecodeLikeCp932).Ok());
    EXPECT_EQ(ValidateEntryTable(t, 32 + 127, 0, DecodeLikeCp932).issue, ValidationIssue::TableOutsideFile);
    t.count = 0x04000002;  // 64 * count wraps to 128 in 32 bits
    EXPECT_EQ(ValidateEntryTable(t, kFile, 0, DecodeLikeCp932).issue, ValidationIssue::TableOutsideFile);
    t.count = 3;  // the records do not match the count
    EXPECT_EQ(ValidateEntryTable(t, kFile, 0, DecodeLikeCp932).issue, ValidationIssue::TableOutsideFile);
}

TEST(ValidateEntryTable, TotalsTheInstalledSizesIn64Bits) {
    const EntryTable t = Table({Record("dest", 0, 0xFFFFFFFF, 0), Record("sys", 0, 0xFFFFFFFF, 5),
                                Record("other system", 0, 7, 4), Record("driver", 0, 1, 3), Record("empty", 0, 0, 0)});
    const std::uint64_t fileSize = std::uint64_t(1) << 33;
    // Class 5 puts dest, sys and driver into the destination folder.
    const std::pair<int, std::uint64_t> cases[] = {
        {5, 0x1FFFFFFFEull + 1}, {4, 0xFFFFFFFFull + 7}, {3, 0xFFFFFFFFull + 1}, {0, 0xFFFFFFFFull}, {-1, 0xFFFFFFFFull}};
    for (const auto& [osClass, total] : cases) {
        const ValidationResult r = ValidateEntryTable(t, fileSize, osClass, DecodeLikeCp932);
        ASSERT_TRUE(r.Ok()) << DescribeValidation(r);
        EXPECT_EQ(r.totalSize, total) << "class " << osClass;
    }
}

}  // namespace
}  // namespace datafile
