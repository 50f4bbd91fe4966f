#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <sstream>

#include "cli.h"
#include "commands.h"
#include "entry_name.h"
#include "file_io.h"
#include "install/datafile/crc16.h"
#include "install/datafile/data_file.h"
#include "install/datafile/data_file_checks.h"
#include "manifest.h"
#include "packer.h"
#include "timestamp.h"
#include "utf.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("dftool-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ReadBytes(const fs::path& path) {
    const std::string s = ReadText(path);
    return Bytes(s.begin(), s.end());
}

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = dftool::RunTool(args, out, err);
    return {code, out.str(), err.str()};
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

dftool::PackEntry Entry(const std::string& name, std::uint8_t type, const std::string& content,
                        const std::string& timestamp = "20240401090000") {
    return {name, timestamp, type, Bytes(content.begin(), content.end())};
}

bool CrcPasses(const Bytes& file) {
    datafile::MemoryByteSource source(file.data(), file.size());
    return datafile::CheckCrc(source, [](int) {}) == datafile::CheckResult::Passed;
}

std::time_t Local(int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900, tm.tm_mon = mo - 1, tm.tm_mday = d;
    tm.tm_hour = h, tm.tm_min = mi, tm.tm_sec = s, tm.tm_isdst = -1;
    return std::mktime(&tm);
}

// Every encoding length both ways; malformed UTF-8 refused; unpaired surrogates shown as U+FFFD.
TEST(Utf, ConvertsStrictlyAndShowsBrokenUtf16) {
    const std::pair<std::u16string, std::string> same[] = {
        {u"", ""}, {u"\u007F\u0080\u07FF\u0800\uFFFF", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
        {u"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"}, {u"ソ", "\xE3\x82\xBD"}};
    for (const auto& [utf16, utf8] : same) {
        EXPECT_EQ(dftool::Utf16ToUtf8(utf16), utf8);
        EXPECT_EQ(dftool::Utf8ToUtf16(utf8), utf16);
    }
    const char* refused[] = {"ab\x80", "\xC0\x80", "\xE0\x80\xAF", "\xF0\x8F\xBF\xBF", "x\xED\xA0\x80",
                             "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xFF", "a\xE3\x81", "\xE3\x81" "b"};
    for (const char* bytes : refused) EXPECT_FALSE(dftool::Utf8ToUtf16(bytes).has_value()) << bytes;
    EXPECT_EQ(dftool::Utf16ToUtf8(std::u16string{u'a', char16_t(0xD800)}), "a\xEF\xBF\xBD");
    EXPECT_EQ(dftool::Utf16ToUtf8(std::u16string{char16_t(0xDC00), char16_t(0xD83D), char16_t(0xDE00)}), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(DataFilePacker, LayoutHasZeroFilledUnreadBytesAndContiguousContents) {
    std::string error;
    const Bytes file = dftool::PackDataFile({Entry("a.txt", 0, "hello"), Entry("b.sys", 5, ""),
                                             Entry("c.dll", 255, "xyz", "20011231235959")},
                                            "V1.0", &error);
    ASSERT_EQ(error, "");
    const std::uint32_t tableEnd = 32 + 3 * 64;
    ASSERT_EQ(file.size(), tableEnd + 8 + 2);
    EXPECT_EQ(std::memcmp(file.data(), "KJ38", 4), 0);
    EXPECT_EQ(std::memcmp(file.data() + 16, "V1.0", 4), 0);
    EXPECT_EQ(U32(file, 24), 3u);
    for (std::size_t i : {4, 8, 12, 20, 28}) EXPECT_EQ(U32(file, i), 0u) << "header byte " << i;

    datafile::MemoryByteSource source(file.data(), file.size());
    datafile::EntryTable table;
    ASSERT_EQ(datafile::ReadEntryTable(source, &table), datafile::ReadStatus::Ok);
    const std::uint32_t offsets[] = {tableEnd, tableEnd + 5, tableEnd + 5};
    const std::uint32_t sizes[] = {5, 0, 3};
    const std::uint8_t types[] = {0, 5, 255};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.entries[i].offset, offsets[i]) << i;
        EXPECT_EQ(table.entries[i].size, sizes[i]) << i;
        EXPECT_EQ(table.entries[i].targetType, types[i]) << i;
        const std::uint8_t* record = file.data() + 32 + 64 * i;
        EXPECT_EQ(record[46], 0) << i;
        EXPECT_EQ(record[47], 0) << i;
        for (int k = 57; k < 64; ++k) EXPECT_EQ(record[k], 0) << "record " << i << " byte " << k;
    }
    EXPECT_EQ(table.entries[2].name, "c.dll");
    EXPECT_EQ(std::string(table.entries[2].timestamp.data(), 14), "20011231235959");
    EXPECT_EQ(std::string(file.begin() + tableEnd, file.begin() + tableEnd + 8), "helloxyz");

    const std::uint16_t crc = datafile::CrcX25(file.data(), file.size() - 2);
    EXPECT_EQ(file[file.size() - 2], crc & 0xFF);  // low byte first
    EXPECT_EQ(file[file.size() - 1], crc >> 8);
}

TEST(DataFilePacker, PackedFilePassesChecksAndAnySingleByteChangeFailsTheCrc) {
    std::string error;
    const Bytes file = dftool::PackDataFile(
        {Entry("KORVENTA.exe", 0, std::string(300, 'x')), Entry("%S%\\k.sys", 5, "driver")}, "V1.0", &error);
    ASSERT_EQ(error, "");
    datafile::MemoryByteSource source(file.data(), file.size());
    EXPECT_EQ(datafile::CheckSignature(source), datafile::CheckResult::Passed);
    EXPECT_EQ(datafile::CheckVersion(source), datafile::CheckResult::Passed);
    ASSERT_TRUE(CrcPasses(file));
    // Header, table, content and trailer, each byte, with a one-bit and an all-bit change.
    for (std::size_t at = 0; at < file.size(); ++at) {
        for (std::uint8_t flip : {0x01, 0xFF}) {
            Bytes damaged = file;
            damaged[at] ^= flip;
            ASSERT_FALSE(CrcPasses(damaged)) << "byte " << at << " xor " << int(flip);
        }
    }
}

TEST(EntryNames, StoredBytesAreCodePage932) {
    const struct {
        const char* utf8;
        std::string cp932;
    } cases[] = {
        {"readme.txt", "readme.txt"},
        {"表.txt", "\x95\x5C.txt"},  // trail byte 0x5C, not a separator
        {"ｾｯﾄｱｯﾌﾟ", "\xBE\xAF\xC4\xB1\xAF\xCC\xDF"},
        {"はじめに", "\x82\xCD\x82\xB6\x82\xDF\x82\xC9"},
        {"～", "\x81\x60"},
        {"%SYSTEM%\\drivers\\x.sys", "%SYSTEM%\\drivers\\x.sys"},
    };
    for (const auto& c : cases) {
        const dftool::EncodedName name = dftool::EncodeEntryName(c.utf8, 1);
        EXPECT_EQ(name.error, "") << c.utf8;
        EXPECT_EQ(name.bytes, c.cp932) << c.utf8;
        EXPECT_EQ(dftool::DisplayName(name.bytes), c.utf8);
    }
}

TEST(EntryNames, RefusedNamesSayWhy) {
    const struct {
        std::string utf8;
        std::uint8_t type;
        const char* reason;  // a part of the message
    } cases[] = {
        {std::string(33, 'a'), 0, "33 bytes"},
        {"一二三四五六七八九十一二三四五六七", 0, "34 bytes"},  // 17 characters, 34 bytes
        {"café.txt", 0, "U+00E9"},
        {"〜.txt", 0, "U+301C"},  // only a best-fit mapping exists
        {"\xF0\x9F\x98\x80.txt", 0, "U+1F600"},
        {"a\xC2\x80.txt", 0, "control character"},
        {"\xC3(", 0, "not valid UTF-8"},
        {"", 0, "empty"},
        {"..\\evil.txt", 0, "\"..\""},
        {"\\root.txt", 0, "relative path"},
        {"C:x.txt", 0, "\":\""},
        {"a\\\\b", 0, "relative path"},
        {"%SYSTEM%", 1, "after removal"},
        {"x%", 5, "after removal"},
    };
    for (const auto& c : cases) {
        const dftool::EncodedName name = dftool::EncodeEntryName(c.utf8, c.type);
        EXPECT_EQ(name.bytes, "") << c.utf8;
        EXPECT_NE(name.error.find(c.reason), std::string::npos) << c.utf8 << ": " << name.error;
    }
    // The limits themselves are accepted.
    EXPECT_EQ(dftool::EncodeEntryName(std::string(32, 'a'), 0).error, "");
    EXPECT_EQ(dftool::EncodeEntryName("一二三四五六七八九十一二三四五六", 0).bytes.size(), 32u);
    EXPECT_EQ(dftool::EncodeEntryName("x%", 0).error, "");  // never shortened
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
        "0\t20240230090000\td\td\n"
        "0\t19691231235959\te\te\n"
        "0\t20240401090000\tf\n"
        "0\t20240401090000\tcafé\tg\n"
        "x\t20240401090000\th\th\n";
    const dftool::Manifest m = dftool::ParseManifest(text, fs::path("base"));
    ASSERT_EQ(m.entries.size(), 2u);
    EXPECT_EQ(m.entries[0].line, 3);
    EXPECT_EQ(m.entries[0].name, "read me.txt");
    EXPECT_EQ(m.entries[0].source, fs::path("base") / "files/readme.txt");
    EXPECT_EQ(m.entries[1].targetType, 255);
    EXPECT_EQ(m.entries[1].timestamp, "20371231235959");
    EXPECT_EQ(m.entries[1].source, fs::path("/abs/a.sys"));
    const char* expected[] = {"line 6: the target type", "line 7: the timestamp must have 14 digits",
                              "line 8: the timestamp is not a valid date", "line 9: the timestamp is not a valid date",
                              "line 10: expected 4", "line 11: name \"café\" refused", "line 12: the target type"};
    ASSERT_EQ(m.errors.size(), std::size(expected));
    for (std::size_t i = 0; i < m.errors.size(); ++i) {
        EXPECT_EQ(m.errors[i].rfind(expected[i], 0), 0u) << m.errors[i];
    }
}

TEST(Timestamps, StoredFieldIsReadAsLocalTime) {
    const auto stored = [](const std::string& s) {
        std::array<char, datafile::kTimestampSize> a{};
        std::memcpy(a.data(), s.data(), std::min(s.size(), a.size()));
        return a;
    };
    EXPECT_EQ(dftool::LocalTimeOf(stored("20240401090000")), Local(2024, 4, 1, 9, 0, 0));
    EXPECT_EQ(dftool::LocalTimeOf(stored("20120229235959")), Local(2012, 2, 29, 23, 59, 59));
    EXPECT_EQ(dftool::LocalTimeOf(stored("20240401090000")).value() + 1,
              dftool::LocalTimeOf(stored("20240401090001")).value());
    for (const char* bad : {"20241301090000", "20230229000000", "20240401240000", "2024-4-1", "", "19691231235959"}) {
        EXPECT_FALSE(dftool::LocalTimeOf(stored(bad))) << bad;
    }
}

// Sets the C library's time zone for one test.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz) {
        const char* old = std::getenv("TZ");
        if (old) old_ = old;
        Set(tz);
    }
    ~ScopedTimeZone() { Set(old_ ? old_->c_str() : nullptr); }

private:
    static void Set(const char* tz) {
#ifdef _WIN32
        _putenv_s("TZ", tz ? tz : "");
        _tzset();
#else
        tz ? setenv("TZ", tz, 1) : unsetenv("TZ");
        tzset();
#endif
    }
    std::optional<std::string> old_;
};

// A small data file built from a manifest through the command line.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path src = dir_.path() / "src";
        fs::create_directories(src);
        WriteText(src / "exe", "program");
        WriteText(src / "inf", "inf text");
        WriteText(src / "sys", "driver bytes");
        WriteText(src / "big", std::string(520, 'b'));
        WriteText(dir_.path() / "m.txt",
                  "0\t20240401090000\tKORVENTA.exe\tsrc/exe\n"
                  "3\t20240310083000\t%INF%\\Korventa.inf\tsrc/inf\n"
                  "5\t20120601100000\t%SYSTEM%\\drivers\\表.sys\tsrc/sys\n"
                  "1\t20010601100000\tw2k.sys\tsrc/big\n");
        cab_ = dir_.path() / "KORVENTA.cab";
        const ToolRun r = Tool({"pack", Path(dir_.path() / "m.txt"), Path(cab_)});
        ASSERT_EQ(r.code, 0) << r.err;
    }
    static std::string Path(const fs::path& p) { return p.u8string(); }

    TempDir dir_;
    fs::path cab_;
};

TEST_F(ToolTest, ListShowsEveryEntryInUtf8) {
    const ToolRun r = Tool({"list", Path(cab_)});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "signature \"KJ38\", version \"V1.0\", 4 entries, " + std::to_string(fs::file_size(cab_)) +
                        " bytes");
    std::getline(lines, line);  // column titles
    const char* rows[] = {
        "    0    0  20240401090000        288          7  KORVENTA.exe",
        "    1    3  20240310083000        295          8  %INF%\\Korventa.inf",
        "    2    5  20120601100000        303         12  %SYSTEM%\\drivers\\表.sys",
        "    3    1  20010601100000        315        520  w2k.sys",
    };
    for (const char* row : rows) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, row);
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(ToolTest, ExtractWritesWhatTheClassInstallsWithContentAndLocalTimes) {
    const struct {
        int osClass;
        std::vector<std::pair<const char*, const char*>> files;  // path under DIR, source
    } cases[] = {
        {5, {{"dest/KORVENTA.exe", "exe"}, {"dest/%INF%/Korventa.inf", "inf"}, {"system/drivers/表.sys", "sys"}}},
        {3, {{"dest/KORVENTA.exe", "exe"}, {"system/Korventa.inf", "inf"}}},
        {1, {{"dest/KORVENTA.exe", "exe"}, {"system/w2k.sys", "big"}}},
        {-1, {{"dest/KORVENTA.exe", "exe"}}},
    };
    // Japan's time has no daylight saving: the seconds since 1970 (UTC) are fixed.
    const ScopedTimeZone japan("JST-9");
    const std::map<std::string, std::time_t> times = {
        {"exe", 1711929600}, {"inf", 1710027000}, {"sys", 1338512400}, {"big", 991357200}};
    for (const auto& c : cases) {
        const fs::path out = dir_.path() / ("out" + std::to_string(c.osClass));
        const ToolRun r = Tool({"extract", Path(cab_), Path(out), "--class", std::to_string(c.osClass)});
        ASSERT_EQ(r.code, 0) << r.err;
        std::size_t found = 0;
        for (const auto& entry : fs::recursive_directory_iterator(out)) found += entry.is_regular_file();
        EXPECT_EQ(found, c.files.size()) << "class " << c.osClass;
        for (const auto& [relative, source] : c.files) {
            const fs::path file = out / fs::u8path(relative);
            EXPECT_EQ(ReadText(file), ReadText(dir_.path() / "src" / source)) << relative;
            std::time_t when = 0;
            std::string error;
            ASSERT_TRUE(dftool::GetModificationTime(file, &when, &error)) << error;
            EXPECT_EQ(when, times.at(source)) << relative;
        }
    }
}

TEST_F(ToolTest, DamagedOrUnusableFileIsRefusedBeforeAnythingIsWritten) {
    const Bytes good = ReadBytes(cab_);
    const auto patched = [&](std::size_t at, std::uint8_t value, bool fixCrc) {
        Bytes b = good;
        b[at] = value;
        if (fixCrc) {
            const std::uint16_t crc = datafile::CrcX25(b.data(), b.size() - 2);
            b[b.size() - 2] = crc & 0xFF;
            b[b.size() - 1] = crc >> 8;
        }
        return b;
    };
    const struct {
        const char* what;
        Bytes file;
        const char* message;
    } cases[] = {
        {"content byte", patched(300, 'Z', false), "CRC check failed"},
        {"signature", patched(0, 'X', true), "signature check failed"},
        {"version V1.1", patched(19, '1', true), "version check failed"},
        {"size past the end", patched(32 + 52 + 1, 0x10, true), "entry 0"},
        {"bad month", patched(32 + 36, '9', true), "timestamp"},
        {"count past the end", patched(24, 200, true), "runs past the end"},
    };
    for (const auto& c : cases) {
        const fs::path bad = dir_.path() / "bad.cab";
        std::ofstream(bad, std::ios::binary).write(reinterpret_cast<const char*>(c.file.data()), c.file.size());
        const fs::path out = dir_.path() / "refused";
        const ToolRun r = Tool({"extract", Path(bad), Path(out), "--class", "5"});
        EXPECT_EQ(r.code, dftool::kExitRefused) << c.what;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.what;
        EXPECT_EQ(Tool({"verify", Path(bad), "--class", "5"}).code, dftool::kExitRefused) << c.what;
    }
}

TEST_F(ToolTest, VerifyJudgesEachClass) {
    ToolRun r = Tool({"verify", Path(cab_)});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("class 5: passed, 2 to the destination folder, 1 to the system folder, 27 bytes"),
              std::string::npos)
        << r.out;

    // Class 2 installs only KORVENTA.exe; emptied, nothing is left to install there.
    WriteText(dir_.path() / "src" / "exe", "");
    ASSERT_EQ(Tool({"pack", Path(dir_.path() / "m.txt"), Path(cab_)}).code, 0);
    r = Tool({"verify", Path(cab_)});
    EXPECT_EQ(r.code, dftool::kExitRefused);
    EXPECT_NE(r.out.find("class 2: FAILED"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("class 5: passed"), std::string::npos) << r.out;
    EXPECT_EQ(Tool({"verify", Path(cab_), "--class", "5"}).code, 0);
}

TEST_F(ToolTest, FormatVersionOverrideFollowsTheSetupsOrder) {
    for (const auto& [version, passes] : std::vector<std::pair<std::string, bool>>{
             {"V0.9", true}, {"V1.0", true}, {"V1.1", false}, {"V2.0", false}, {"v1.0", false}}) {
        const fs::path out = dir_.path() / "v.cab";
        ASSERT_EQ(Tool({"pack", Path(dir_.path() / "m.txt"), Path(out), "--format-version", version}).code, 0);
        const ToolRun r = Tool({"verify", Path(out), "--class", "0"});
        EXPECT_EQ(r.code == 0, passes) << version << "\n" << r.out;
        EXPECT_NE(r.out.find(passes ? "version check: passed" : "version check: FAILED"), std::string::npos);
    }
}

TEST_F(ToolTest, RefusedManifestLeavesTheOldOutputAlone) {
    const std::string before = ReadText(cab_);
    WriteText(dir_.path() / "bad.txt",
              "0\t20240401090000\tok.txt\tsrc/exe\n"
              "0\t20240401090000\tЁлка.txt\tsrc/exe\n"  // Cyrillic Ё is in code page 932, л is too
              "0\t20240401090000\t한글.txt\tsrc/exe\n"
              "0\t20240401090000\tabcdefghijklmnopqrstuvwxyz0123456.txt\tsrc/exe\n");
    ToolRun r = Tool({"pack", Path(dir_.path() / "bad.txt"), Path(cab_)});
    EXPECT_EQ(r.code, dftool::kExitRefused);
    EXPECT_EQ(r.err.find("line 2"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 3: name \"한글.txt\" refused: code page 932 cannot hold the character \"한\""),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("line 4: name \"abcdefghijklmnopqrstuvwxyz0123456.txt\" refused: the name takes 37 bytes"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadText(cab_), before);

    WriteText(dir_.path() / "missing.txt", "0\t20240401090000\tx\tsrc/none\n");
    r = Tool({"pack", Path(dir_.path() / "missing.txt"), Path(cab_)});
    EXPECT_EQ(r.code, dftool::kExitIo);
    EXPECT_NE(r.err.find("line 1: cannot read"), std::string::npos) << r.err;
    EXPECT_EQ(ReadText(cab_), before);
}

TEST(ToolCommandLine, UsageErrorsAndMissingFilesHaveTheirExitCodes) {
    const struct {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{}, dftool::kExitUsage},
        {{"unpack", "x"}, dftool::kExitUsage},
        {{"list"}, dftool::kExitUsage},
        {{"list", "a", "b"}, dftool::kExitUsage},
        {{"extract", "a.cab", "dir"}, dftool::kExitUsage},
        {{"extract", "a.cab", "dir", "--class", "6"}, dftool::kExitUsage},
        {{"verify", "a.cab", "--class"}, dftool::kExitUsage},
        {{"list", "a.cab", "--class", "5"}, dftool::kExitUsage},
        {{"pack", "m", "o", "--format-version", "V1.00"}, dftool::kExitUsage},
        {{"verify", "a.cab", "--quick"}, dftool::kExitUsage},
        {{"list", "/nonexistent/a.cab"}, dftool::kExitIo},
        {{"verify", "/nonexistent/a.cab"}, dftool::kExitIo},
        {{"pack", "/nonexistent/m.txt", "o.cab"}, dftool::kExitIo},
        {{"--help"}, dftool::kExitOk},
        {{"extract", "--help"}, dftool::kExitOk},
    };
    for (const auto& c : cases) {
        const ToolRun r = Tool(c.args);
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(r.code, c.code) << joined << "\n" << r.err;
        EXPECT_EQ(r.err.empty(), c.code == 0) << joined;
    }
    EXPECT_NE(Tool({"help"}).out.find("filled with zeros"), std::string::npos);
}

}  // namespace
