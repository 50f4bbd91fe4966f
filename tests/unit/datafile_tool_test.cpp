// The data-file tool's own parts: code page 932 names, the manifest, the packer, and the
// commands' refusals and exit codes. tests/tool/datafile_tool_test.sh runs the program itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "cli.h"
#include "commands.h"
#include "entry_name.h"
#include "install/datafile/crc16.h"
#include "manifest.h"
#include "packer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct ToolRun { int code; std::string out, err; };

ToolRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    return {dftool::RunTool(args, out, err), out.str(), err.str()};  // a braced list runs in order
}

dftool::PackEntry Entry(std::string name, std::uint8_t type, const std::string& content, std::string stamp = "20240401090000") {
    return {name, stamp, type, Bytes(content.begin(), content.end())};
}

Bytes Pack(const std::vector<dftool::PackEntry>& entries) {
    std::string error;
    Bytes file = dftool::PackDataFile(entries, "V1.0", &error);
    EXPECT_EQ(error, "");
    return file;
}

// Damage: one byte set; with fixCrc the trailer is made right again, so a later check is reached.
Bytes Patched(Bytes b, std::size_t at, std::uint8_t value, bool fixCrc) {
    b[at] = value;
    const std::uint16_t crc = datafile::CrcX25(b.data(), b.size() - 2);
    if (fixCrc) b[b.size() - 2] = crc & 0xFF, b[b.size() - 1] = crc >> 8;
    return b;
}

// The layout read byte by byte, not through the reader; zeros where the setup reads nothing; the
// CRC of everything before the trailer, low byte first.
TEST(Packer, LayoutZeroFillAndTrailer) {
    const Bytes file = Pack({Entry("a.txt", 0, "hello"), Entry("b.sys", 5, ""), Entry("c.dll", 255, "xyz", "20011231")});
    const auto text = [&](std::size_t at, std::size_t len) { return std::string(file.begin() + at, file.begin() + at + len); };
    const auto u32 = [&](std::size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24; };
    ASSERT_EQ(file.size(), 32 + 3 * 64 + 8 + 2);
    EXPECT_EQ(text(0, 4) + text(16, 4) + text(24, 4), std::string("KJ38V1.0\x03\0\0\0", 12));
    const std::tuple<const char*, int, int, int> records[] = {{"a.txt", 224, 5, 0}, {"b.sys", 229, 0, 5}, {"c.dll", 229, 3, 255}};
    for (std::size_t i = 0, r = 32; i < 3; ++i, r += 64) {
        const auto& [name, offset, size, type] = records[i];
        EXPECT_EQ(text(r, 6), std::string(name, 6)) << "NUL after the name";
        EXPECT_EQ(std::make_tuple(u32(r + 48), u32(r + 52), int(file[r + 56])), std::make_tuple(offset, size, type)) << i;
        EXPECT_EQ(text(r + 57, 7), std::string(7, '\0')) << i;
    }
    EXPECT_EQ(text(32 + 128 + 32, 16), std::string("20011231\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(text(4, 12) + text(20, 4) + text(28, 4), std::string(20, '\0'));
    EXPECT_EQ(text(224, 8), "helloxyz");
    EXPECT_EQ(file[file.size() - 2] | file[file.size() - 1] << 8, datafile::CrcX25(file.data(), file.size() - 2));
}

// Stored as code page 932 and shown back as UTF-8; refused when code page 932 cannot hold a
// character (or maps it only to a look-alike), when it takes over 32 bytes, or when not UTF-8.
TEST(EntryNames, CodePage932AndAtMost32Bytes) {
    const std::pair<const char*, std::string> stored[] = {
        {"表.txt", "\x95\x5C.txt"},  // trail byte 0x5C, not a separator
        {"ｾｯﾄｱｯﾌﾟ", "\xBE\xAF\xC4\xB1\xAF\xCC\xDF"}, {"～", "\x81\x60"},
        {"%SYSTEM%\\drivers\\x.sys", "%SYSTEM%\\drivers\\x.sys"}, {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", std::string(32, 'a')},
    };
    for (const auto& [utf8, cp932] : stored) {
        EXPECT_EQ(dftool::EncodeEntryName(utf8, 1).bytes, cp932) << utf8;
        EXPECT_EQ(dftool::DisplayName(cp932), utf8);
    }
    EXPECT_EQ(dftool::EncodeEntryName("一二三四五六七八九十一二三四五六", 0).bytes.size(), 32u);  // 48 bytes in UTF-8
    const std::pair<std::string, const char*> refused[] = {
        {std::string(33, 'a'), "33 bytes"}, {"一二三四五六七八九十一二三四五六七", "34 bytes"}, {"café.txt", "\"é\" (U+00E9)"},
        {"〜.txt", "U+301C"}, {"\xF0\x9F\x98\x80.txt", "U+1F600"}};
    for (const auto& [utf8, reason] : refused) {
        const dftool::EncodedName name = dftool::EncodeEntryName(utf8, 0);
        EXPECT_EQ(name.bytes, "") << utf8;
        EXPECT_NE(name.error.find(reason), std::string::npos) << utf8 << ": " << name.error;
    }
    for (const char* bytes : {"ab\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x8F\xBF\xBF", "x\xED\xA0\x80",
                              "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "a\xE3\x81", "\xE3\x81" "b"})
        EXPECT_EQ(dftool::EncodeEntryName(bytes, 0).error, "the name is not valid UTF-8") << bytes;
    // Stored bytes that are not code page 932 show as escapes, the backslash too, so that they read back.
    EXPECT_EQ(dftool::DisplayName("a\\\xFF\x01"), "a\\x5C\\xFF\\x01");
}

TEST(Manifest, ParsesEntriesAndReportsEveryBadLine) {
    const std::string text =
        "\xEF\xBB\xBF# comment\r\n"
        "\r\n"
        "0\t20240401090000\tread me.txt\tfiles/readme.txt\r\n"
        "  # indented comment\n"
        "255\t20371231235959\t%S%\\a.sys\t/abs/a.sys\n"
        "256\t20240401090000\tb\tb\n"
        "0\t2024040109000\tc\tc\n"
        "0\t20240401090000\tf\n"
        "0\t20240401090000\tcafé\tg\n"
        "x\t20240401090000\th\th\n"
        "0\t20240401090000\ti\t\n"
        "5\t20240401090000\t%S%\\..\\k.sys\tk\n"
        "3\t20240401090000\t%S:%\\k.sys\tk\n"
        "9\t20240401090000\tnul\tk\n";
    const dftool::Manifest m = dftool::ParseManifest(text, fs::path("base"));
    ASSERT_EQ(m.entries.size(), 3u);
    const dftool::ManifestEntry &a = m.entries[0], &b = m.entries[1];
    EXPECT_EQ(std::tie(a.line, a.name, a.source), std::make_tuple(3, "read me.txt", fs::path("base") / "files/readme.txt"));
    EXPECT_EQ(std::tie(b.targetType, b.timestamp, b.source), std::make_tuple(255, "20371231235959", fs::path("/abs/a.sys")));
    // A name is judged where the setup installs it: without its prefix in the system folder, whole in the
    // destination (type 3 on class 5), not at all where no class installs it (type 9).
    const char* expected[] = {"line 6: the target type", "line 7: ", "line 8: expected 4",
                              "line 9: name \"café\" refused", "line 10: the target type", "line 11: ",
                              "line 12: name \"%S%\\..\\k.sys\" refused: after removal of its \"%\" prefix, the name has a part",
                              "line 13: name \"%S:%\\k.sys\" refused: the name holds a character"};
    ASSERT_EQ(m.errors.size(), std::size(expected));
    for (std::size_t i = 0; i < m.errors.size(); ++i) EXPECT_EQ(m.errors[i].rfind(expected[i], 0), 0u) << m.errors[i];
}

// Everything is judged before anything is written: extract creates nothing, verify fails too. The
// validation's refusals are its own table's; here one shows that the commands ask it. An impossible
// timestamp (month 14) is a warning only: the setup installs the file all the same, with the times the
// system gives it.
TEST(Commands, DamagedOrUnusableFilesAreRefusedBeforeAnythingIsWritten) {
    using dftool::kExitRefused, dftool::kExitOk;
    const fs::path dir = fs::temp_directory_path() / ("dftool-test-" + std::to_string(std::random_device()()));
    const fs::path file = dir / "bad.cab", out = dir / "out";
    fs::create_directories(dir);
    const Bytes good = Pack({Entry("KORVENTA.exe", 0, "program"), Entry("%S%\\k.sys", 5, "driver")});
    const std::tuple<const char*, Bytes, int, int, const char*> cases[] = {  // what, file, class, exit code, message
        {"content byte", Patched(good, 32 + 128 + 1, 'Z', false), 5, kExitRefused, "CRC check failed"},
        {"signature", Patched(good, 0, 'X', true), 5, kExitRefused, "signature check failed"},
        {"version V1.1", Patched(good, 19, '1', true), 5, kExitRefused, "version check failed"},
        {"count of 2^31 and more", Patched(good, 27, 0xD0, true), 5, kExitRefused, "table of 3489660930 records"},
        {"two names on one file", Pack({Entry("data.bin", 0, "a"), Entry("DATA.BIN", 0, "b")}), 5, kExitRefused,
         "entry 1: it lands on the same file as entry 0"},
        {"month 14", Patched(good, 32 + 32 + 4, '1', true), 5, kExitOk, "warning: entry 0"},
        {"nothing to install", Pack({Entry("KORVENTA.exe", 0, ""), Entry("k.sys", 5, "driver")}), 2, kExitRefused, "no bytes"},
    };
    for (const auto& [what, bytes, osClass, code, message] : cases) {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const ToolRun r = Tool({"extract", file.u8string(), out.u8string(), "--class", std::to_string(osClass)});
        EXPECT_EQ(r.code, code) << what;
        EXPECT_NE(r.err.find(message), std::string::npos) << what << ": " << r.err;
        EXPECT_EQ(fs::exists(out), code == kExitOk) << what;
        EXPECT_EQ(Tool({"verify", file.u8string(), "--class", std::to_string(osClass)}).code, code) << what;
        fs::remove_all(out);
    }
    // Each class is judged on its own: class 5 still has bytes to install.
    const ToolRun all = Tool({"verify", file.u8string()});
    EXPECT_EQ(all.code, kExitRefused);
    EXPECT_NE(all.out.find("class 2: FAILED"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("class 5: passed"), std::string::npos) << all.out;
    EXPECT_EQ(Tool({"extract", file.u8string(), out.u8string(), "--class", "5"}).code, kExitOk);
    fs::remove_all(dir);
}

TEST(Commands, UsageErrorsAndMissingFilesHaveTheirExitCodes) {
    using dftool::kExitUsage, dftool::kExitIo, dftool::kExitOk;
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{}, kExitUsage}, {{"unpack", "x"}, kExitUsage}, {{"list"}, kExitUsage}, {{"list", "a", "b"}, kExitUsage},
        {{"list", "a.cab", "--class", "5"}, kExitUsage}, {{"extract", "a.cab", "dir"}, kExitUsage},
        {{"extract", "a.cab", "dir", "--class", "6"}, kExitUsage}, {{"verify", "a.cab", "--class"}, kExitUsage},
        {{"pack", "m", "o", "--format-version", "V1.00"}, kExitUsage}, {{"verify", "a.cab", "--quick"}, kExitUsage},
        {{"verify", "a.cab", "--format-version", "V1.0"}, kExitUsage}, {{"list", "/nonexistent/a.cab"}, kExitIo},
        {{"verify", "/nonexistent/a.cab", "--class", "0"}, kExitIo}, {{"pack", "/nonexistent/m.txt", "o.cab"}, kExitIo},
        {{"extract", "/nonexistent/a.cab", "d", "--class", "-1"}, kExitIo}, {{"extract", "--help"}, kExitOk}, {{"--help"}, kExitOk}};
    for (const auto& [args, code] : cases) {
        const ToolRun r = Tool(args);
        EXPECT_EQ(r.code, code) << testing::PrintToString(args) << "\n" << r.err;
        EXPECT_EQ(r.err.empty(), code == kExitOk) << testing::PrintToString(args);
    }
}

}  // namespace
