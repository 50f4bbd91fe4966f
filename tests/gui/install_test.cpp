// Installations: one data file on every version class Wine gives (class 5 as the whole installation
// with the log's protection emulated), the stops, and the shortcuts of successive installations.
#include "gui/texts.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "install/datafile/crc16.h"
#include "install/datafile/entry_rules.h"

namespace gui {
namespace {

const wchar_t kDriver[] = L"KorventaDriver32setup.exe";
const ULONGLONG kSlack = 2 * 10000000;  // FAT keeps times to 2 s
const DWORD kHidden = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
const wchar_t kLeftover[] = L"\\~KVSETUP0000BEEF.tmp";

// Every target type, "%"-prefixed system names, a 32-byte name, an empty entry and two large ones, which
// are copied side by side (the first with a month-14 stamp, which names no moment); the last suits no
// class, so the driver's setup must still run after it.
const std::vector<Entry> kEntries = {
    {0, "20240401090000", L"KORVENTA.exe", Pattern(300, 0)},
    {3, "20240310083000", kDriver, ReadAll(Built(DRIVER_STANDIN_EXE)).value_or("")},
    {3, "20240310083100", L"Korventa.inf", "[Version]\r\nSignature=\"$Windows NT$\"\r\n"},
    {1, "20010601100000", L"%SYS%\\drivers\\kv2k.sys", Pattern(26, 3)},
    {2, "20030615101530", L"%SYS%\\drivers\\kvxp.sys", Pattern(27, 4)},
    {3, "20070131120000", L"%SYS%\\drivers\\kvvista.sys", Pattern(520, 5)},
    {4, "20120601100000", L"kv64.dll", Pattern(35, 6)},
    {5, "20121224235959", L"%SYS%\\kvwin7.dll", Pattern(261, 7)},
    {0, "20000229000001", L"ﾃﾞｰﾀ辞書_0123456789abcdefghi.dat", Pattern(64, 8)},
    {0, "19991231235958", L"empty.dat", ""},
    {0, "20241401000000", L"big1.dat", Pattern((1 << 20) + 7, 11)},
    {0, "20240402090100", L"big2.dat", Pattern((1 << 20) + 3, 12)},
    {9, "20240101000000", L"kvnever.txt", Pattern(10, 10)}};

struct Landing { int entry; bool system; const wchar_t* name; };  // name: as logged and found
struct ClassRow { const char* label; const wchar_t* version; std::vector<Landing> landings; };  // landings in log order
// In log order: the program, the class's own entries, then those that every class installs.
std::vector<Landing> Landings(std::vector<Landing> own) {
  own.insert(own.begin(), {0, false, L"KORVENTA.exe"});
  own.insert(own.end(), {{8, false, L"ﾃﾞｰﾀ辞書_0123456789abcdefghi.dat"}, {9, false, L"empty.dat"}, {10, false, L"big1.dat"},
                         {11, false, L"big2.dat"}});
  return own;
}
const ClassRow kClasses[] = {
    {"wow64_class_4", L"win7", Landings({{6, true, L"kv64.dll"}})},
    {"win2k_class_1", L"win2k", Landings({{3, true, L"drivers\\kv2k.sys"}})},
    {"winxp_class_2", L"winxp", Landings({{4, true, L"drivers\\kvxp.sys"}})},
    {"vista_class_3", L"vista", Landings({{1, true, kDriver}, {2, true, L"Korventa.inf"}, {5, true, L"drivers\\kvvista.sys"}})},
    {"nt40_not_nt5", L"nt40", Landings({})},
};
// Class 5 puts type 3 into the destination under its stored name, and runs the driver's setup there.
const ClassRow kClass5{"win7_class_5", L"", Landings({{1, false, kDriver}, {2, false, L"Korventa.inf"},
                                                     {5, false, L"%SYS%\\drivers\\kvvista.sys"}, {7, true, L"kvwin7.dll"}})};
std::string Label(const testing::TestParamInfo<ClassRow>& info) { return info.param.label; }

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

struct Link { std::wstring target, folder, description; int show = 0; };
// Needs COM on the thread; with `describe`, the link's description is changed and saved first.
std::optional<Link> ReadLink(const std::wstring& path, const wchar_t* describe = nullptr) {
  win::ComPtr<IShellLinkW> link;
  win::ComPtr<IPersistFile> file;
  wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {}, description[MAX_PATH] = {};
  Link out;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(link.Put()))) ||
      FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) ||
      FAILED(file->Load(path.c_str(), describe ? STGM_READWRITE : STGM_READ)) ||
      (describe && (FAILED(link->SetDescription(describe)) || FAILED(file->Save(path.c_str(), TRUE)))) ||
      FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) || FAILED(link->GetWorkingDirectory(folder, MAX_PATH)) ||
      FAILED(link->GetDescription(description, MAX_PATH)) || FAILED(link->GetShowCmd(&out.show))) {
    return std::nullopt;
  }
  out.target = target, out.folder = folder, out.description = description;
  return out;
}

std::wstring SystemFolder() {  // the setup's, which WOW64 redirects to the 32-bit one
  wchar_t path[MAX_PATH] = {};
  return GetSystemWow64DirectoryW(path, MAX_PATH) || GetSystemDirectoryW(path, MAX_PATH) ? path : L"";
}

std::wstring InSystem(const std::wstring& name) { return name[0] == L'%' ? name.substr(name.find(L'\\') + 1) : name; }

// The log: the data check, a line for each file created, in order, then `end`.
Step Logged(const std::vector<std::wstring>& names, const std::wstring& end = L"") {
  std::wstring log = L"Check Data File...";
  for (const std::wstring& name : names) log += L"\r\nCreate \"" + name + L"\"...";
  return Do([log = log + end](Session& run) { EXPECT_EQ(Utf8(Text(run.Control(kLog))), Utf8(log)); });
}
std::vector<std::wstring> Created(const ClassRow& row) {
  std::vector<std::wstring> names;
  for (const Landing& l : row.landings) names.push_back(l.name);
  return names;
}
const std::wstring kLogEnd = L"\r\nCreate shortcut...\r\nInstall successfully!";

// By the one timestamp rule: the moment a stamp names, local by that date's zone rules, as UTC; none
// where it names no moment, and the file keeps the time of installation.
std::optional<ULONGLONG> StampToUtc(const char* stamp) {
  std::array<char, datafile::kTimestampSize> stored = {};
  const auto t = datafile::ParseTimestamp((std::copy_n(stamp, 14, stored.begin()), stored));
  if (!t) return std::nullopt;
  const SYSTEMTIME local = {WORD(t->year), WORD(t->month), 0, WORD(t->day), WORD(t->hour), WORD(t->minute), WORD(t->second), 0};
  SYSTEMTIME utc = {};
  FILETIME out = {};
  return TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &out) ? std::optional(Ticks(out)) : std::nullopt;
}

void DeleteShortcuts(const std::vector<std::wstring>& folders) {
  for (const std::wstring& f : folders)
    for (const std::wstring& name : Below(f, false, L"QTX KORVENTA*")) DeleteFileW((f + L"\\" + name).c_str());
}

class Classes : public testing::TestWithParam<ClassRow> {
 protected:
  void SetUp() override {
    TIME_ZONE_INFORMATION zone = {};
    GetTimeZoneInformation(&zone);
    ASSERT_NE(zone.Bias, 0) << "run away from UTC (TZ=JST-9): a stamp taken as UTC must show";
    // The rows share the prefix: what an earlier one installed goes first.
    for (const Entry& e : kEntries) DeleteFileW((system_ + L"\\" + InSystem(e.name)).c_str());
    DeleteShortcuts({desktop_, ShellFolder(CSIDL_COMMON_PROGRAMS)});
    // An existing destination is taken as it is, hidden and all; the driver's setup lies there on every
    // class, so that a start on a wrong class shows in its record.
    for (const wchar_t* folder : {L"", L"\\%SYS%", L"\\%SYS%\\drivers"}) CreateDirectoryW((dest_ + folder).c_str(), 0);
    ASSERT_TRUE(SetFileAttributesW(dest_.c_str(), kHidden & ~FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(CopyFileW(Built(DRIVER_STANDIN_EXE).c_str(), (dest_ + L"\\" + kDriver).c_str(), TRUE));
    // An older, longer program lies there already: it is replaced, not written over in place; a
    // temporary file that an interrupted run left there goes.
    ASSERT_TRUE(WriteAll(dest_ + L"\\KORVENTA.exe", Pattern(5000, 9)) && WriteAll(dest_ + kLeftover, "left"));
    SetEnvironmentVariableW(L"KORVENTA_DRIVER_LOG", record_.c_str());
    SetEnvironmentVariableW(L"KORVENTA_DRIVER_RELEASE", L"korventa-test-release");
    run_.data = Pack(kEntries), run_.version = GetParam().version;
  }
  void TearDown() override { SetEvent(release_.Get()); }

  // Where each file landed, with what and which times; the driver's setup; a shortcut (its fields are
  // the shortcut test's).
  void Check(const ClassRow& row, ULONGLONG start) {
    std::vector<std::wstring> inDest = {kDriver, L"%SYS%\\", L"%SYS%\\drivers\\"};
    for (const Landing& l : row.landings) if (!l.system && l.name != std::wstring(kDriver)) inDest.push_back(l.name);
    std::sort(inDest.begin(), inDest.end());
    EXPECT_EQ(Below(dest_), inDest);
    EXPECT_EQ(GetFileAttributesW(dest_.c_str()), kHidden) << "the existing destination lost its attributes";
    for (size_t i = 0; i < kEntries.size(); ++i) {  // other classes' files are not installed
      const bool lands = std::any_of(row.landings.begin(), row.landings.end(), [i](const Landing& l) { return l.entry == int(i) && l.system; });
      const std::wstring path = system_ + L"\\" + InSystem(kEntries[i].name);
      EXPECT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, lands) << Utf8(path);
    }
    for (const Landing& l : row.landings) {
      const std::wstring path = (l.system ? system_ : dest_) + L"\\" + l.name;
      WIN32_FILE_ATTRIBUTE_DATA data = {};
      ASSERT_TRUE(ReadAll(path) == kEntries[l.entry].content && GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) << Utf8(path);
      const auto stamp = StampToUtc(kEntries[l.entry].stamp);
      const ULONGLONG written = Ticks(data.ftLastWriteTime);
      EXPECT_TRUE(stamp ? written == *stamp : written + kSlack >= start) << Utf8(path) << ": last write, the stamp's moment, else now";
      EXPECT_GE(Ticks(data.ftLastAccessTime) + kSlack, start) << Utf8(path) << ": last access, the moment of writing";
    }
    const std::wstring started = L"start\t" + dest_ + L"\\" + kDriver + L"\t" + dest_ + L"\tKorventa.inf\nend\n";
    EXPECT_EQ(ReadAll(record_).value_or(""), &row == &kClass5 ? Utf8(started) : "")
        << "the driver's setup runs once, in the destination, on class 5 only";
    EXPECT_EQ(Below(desktop_, false, L"QTX KORVENTA*"), std::vector<std::wstring>{L"QTX KORVENTA.LNK"});
  }

  Session run_;
  std::wstring system_ = SystemFolder(), desktop_ = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY), dest_ = run_.Path(L"%F\\dest"),
               record_ = run_.Path(L"%F\\driver-record.txt");
  win::UniqueHandle release_{CreateEventW(nullptr, TRUE, FALSE, L"korventa-test-release")};
};

TEST_P(Classes, InstallsWhatSuitsTheClass) {
  const ULONGLONG start = NowTicks();
  run_.Play(Cat({ToDestination(), {Type(kEdit, dest_), Press(Next), At(kComplete), Logged(Created(GetParam()), kLogEnd)}, Finished()}));
  Check(GetParam(), start);
}

INSTANTIATE_TEST_SUITE_P(Gui, Classes, testing::ValuesIn(kClasses), Label);

// Class 5, the whole installation: the page while the installation waits for the driver's setup (which
// waits for the test), cancel requests then and close requests after it, the completed page; Esc there
// ends as finished, without the message.
class WholeInstall : public Classes {
 protected:
  void SetUp() override {
    Classes::SetUp();
    // The second of the large entries finds an older, longer file of its name: replaced in its turn.
    ASSERT_TRUE(WriteAll(dest_ + L"\\big2.dat", Pattern(3 << 20, 13)));
  }
  // The driver's setup has started, and no shortcut is made while it runs.
  Step DriverRuns() {
    return Do([this](Session&) {
      ASSERT_TRUE(WaitFor([&] { return ReadAll(record_).value_or("") != ""; })) << "no driver's setup";
      EXPECT_TRUE(Below(desktop_, false, L"QTX*").empty()) << "a shortcut while the driver's setup runs";
    });
  }
  // The session may end before and after the installation, not while it writes.
  static Step EndsSession(bool allowed) {
    return Do([allowed](Session& run) { EXPECT_EQ(Send(run.sheet, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), LRESULT(allowed)); });
  }
  // While the driver's setup runs: the data file cannot be opened at all; what it runs can be read,
  // not written, deleted or renamed; neither can the destination or the folder above it.
  void HeldAgainstOthers(Session& run) {
    const auto opens = [](const std::wstring& path, DWORD access, DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) {
      return bool(win::UniqueFile(CreateFileW(path.c_str(), access, share, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, 0)));
    };
    const std::wstring driver = dest_ + L"\\" + kDriver;
    EXPECT_FALSE(opens(run.Path(L"%F\\KORVENTA.cab"), GENERIC_READ)) << "the data file";
    EXPECT_TRUE(opens(driver, GENERIC_READ, FILE_SHARE_READ)) << "the driver's setup must stay readable";
    for (const std::wstring& file : {driver, dest_ + L"\\Korventa.inf"})
      EXPECT_FALSE(opens(file, GENERIC_WRITE) || opens(file, DELETE) || MoveFileW(file.c_str(), (file + L".old").c_str())) << Utf8(file);
    for (const std::wstring& folder : {dest_, run.folder})
      EXPECT_FALSE(opens(folder, DELETE) || MoveFileW(folder.c_str(), (folder + L"-moved").c_str())) << Utf8(folder);
  }
};

TEST_P(WholeInstall, Class5) {
  const ULONGLONG start = NowTicks();
  // The log while the driver's setup runs ends at the last file, and no shortcut is made yet.
  run_.Play(Cat({ToDestination(), {
      EmulateProtection(), CloseLook(true), EndsSession(true), Type(kEdit, L" \t\x3000" + dest_), Press(Next), DriverRuns(),
      EndsSession(false), Do([&](Session& run) { HeldAgainstOthers(run); }),
      Logged(Created(kClass5)), At(kProgress), Bar(100), CloseLook(false), Shot("install-1-waiting-for-driver"),
      Keys(kLog, L"", {VK_ESCAPE}), Quiet(), SysClose(), Quiet(), At(kProgress), Do([&](Session&) { SetEvent(release_.Get()); }),
      At(kComplete), Bar(100), CloseLook(false), EndsSession(true), Logged(Created(kClass5), kLogEnd),
      Do([](Session& run) { Send(run.Control(kLog), WM_SETTEXT, 0, LPARAM(L"changed")); }), Logged(Created(kClass5), kLogEnd),
      Shot("install-2-complete"), CloseBox(), Quiet(), Keys(Finish, L"", {VK_MENU, VK_F4}), Quiet(), SysClose(),
      Quiet(), At(kComplete), Keys(kLog, L"", {VK_ESCAPE}), Exit(0)}}));
  Check(kClass5, start);
}

// The session ends while the driver's setup runs: the setup ends at once with code 1, without a shortcut,
// and without waiting for the driver's setup.
TEST_P(WholeInstall, SessionEndsWhileTheDriversSetupRuns) {
  run_.Play(Cat({ToDestination(), {Type(kEdit, dest_), Press(Next), DriverRuns(),
                                   Do([](Session& run) { Send(run.sheet, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF); }), Exit(1)}}));
  EXPECT_TRUE(Below(desktop_, false, L"QTX*").empty()) << "a shortcut after the session ended";
  EXPECT_EQ(ReadAll(record_).value_or("").find("end"), std::string::npos) << "the setup waited for the driver's setup";
}

INSTANTIATE_TEST_SUITE_P(Gui, WholeInstall, testing::Values(kClass5), Label);

// ---- Installations that stop: what was written before stays whole, nothing after it.
std::vector<Entry> Three(size_t second, const wchar_t* third = L"third.dat") {
  return {{0, "20240401090000", L"first.dat", Pattern(1500, 1)}, {0, "20240401090000", L"second.dat", Pattern(second, 2)},
          {0, "20240401090000", third, Pattern(500, 3)}};
}

// Two large entries after a small one, copied side by side: the one on the small disk fails.
std::vector<Entry> Pair(const wchar_t* first, const wchar_t* second) {
  const auto type = [](const wchar_t* name) { return std::uint8_t(name[0] == L'%' ? 2 : 0); };  // 2: the system folder
  return {{0, "20240401090000", L"first.dat", Pattern(1500, 1)}, {type(first), "20240401090000", first, Pattern((1 << 20) + 5, 2)},
          {type(second), "20240401090000", second, Pattern(1 << 20, 3)}};
}

// A header field changed under a good CRC, so that only its own check can refuse the file.
std::function<std::string(std::string)> Field(size_t at, std::string value) {
  return [at, value](std::string file) {
    file.replace(at, value.size(), value);
    const std::uint16_t crc = datafile::CrcX25(reinterpret_cast<const std::uint8_t*>(file.data()), file.size() - 2);
    return file.replace(file.size() - 2, 2, reinterpret_cast<const char*>(&crc), 2);
  };
}
const auto kWhole = [](std::string file) { return file; };
const wchar_t kCab[] = L"%F\\KORVENTA.cab";

// box: none for a silent end; bar: the percentage shown under it; left: the destination's files at the end;
// atDest: done on the destination page before Next; system: the row's system-folder files at the end;
// existing: a file in the destination before, which stays as it was.
struct Stop { const char* label; std::vector<Entry> entries; std::function<std::string(std::string)> damage;
              const BoxLook* box; int bar; std::vector<std::wstring> logged, left; Steps atDest = {};
              std::vector<std::wstring> system = {}; const wchar_t* existing = nullptr; size_t olderSize = 0; };
const Stop kStops[] = {
    // Each check of the data file on its own, and an empty file, which the start-up only opens.
    {"signature", Three(2000), Field(0, "KJ39"), &kDamaged, 0, {}, {}},
    {"version", Three(2000), Field(16, "V1.1"), &kDamaged, 0, {}, {}},
    {"flipped_byte", Three(2000), [](std::string f) { return f[32 + 3 * 64 + 10] ^= 0x55, f; }, &kDamaged, 50, {}, {}},
    {"escaping_name", Three(2000, L"..\\escaped.dat"), kWhole, &kDamaged, 50, {}, {}},
    {"empty_file", {}, [](std::string) { return std::string(); }, &kDamaged, 0, {}, {}},
    // The data file gone, or held by another program, since the start.
    {"removed_after_start", Three(2000), kWhole, &kMissingLater, 0, {}, {},
     {Do([](Session& run) { ASSERT_TRUE(DeleteFileW(run.Path(kCab).c_str())); })}},
    {"locked_after_start", Three(2000), kWhole, &kMissingLater, 0, {}, {}, {Do([](Session& run) {
       ASSERT_TRUE(run.held.emplace_back(CreateFileW(run.Path(kCab).c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0)));
     })}},
    // A folder where a file goes cannot be replaced: told as a missing data file, after what came before
    // (65 %: a bar width that is no whole number of pixels).
    {"folder_in_the_way", Three(3000), kWhole, &kMissingLater, 65, {L"first.dat", L"second.dat"},
     {L"first.dat", L"second.dat\\"}, {Do([](Session& run) {
       ASSERT_TRUE(CreateDirectoryW(run.Path(L"%F\\dest").c_str(), 0) && CreateDirectoryW(run.Path(L"%F\\dest\\second.dat").c_str(), 0));
     })}},
    // Side by side, as if one followed the other: what is begun beside a failed entry goes; what failed
    // beside a whole one is told in its turn; an existing file is not touched before its turn.
    {"full_disk_beside_the_next", Pair(L"second.dat", L"%SYS%\\kvlane.dll"), kWhole, &kWriteFailed, 50,
     {L"first.dat", L"second.dat"}, {L"first.dat"}},
    {"full_disk_for_the_next", Pair(L"%SYS%\\kvlane.dll", L"second.dat"), kWhole, &kWriteFailed, 75,
     {L"first.dat", L"kvlane.dll", L"second.dat"}, {L"first.dat"}, {}, {L"kvlane.dll"}},
    {"existing_next_waits_its_turn", Pair(L"second.dat", L"third.dat"), kWhole, &kWriteFailed, 50,
     {L"first.dat", L"second.dat"}, {L"first.dat", L"third.dat"}, {}, {}, L"third.dat"},
    // A reinstall over an older, longer file that fails mid-copy: the older file stays whole.
    {"full_disk_over_older", Three(120 << 10), kWhole, &kWriteFailed, 50, {L"first.dat", L"second.dat"},
     {L"first.dat", L"second.dat"}, {}, {}, L"second.dat", 160 << 10},
    // Entries for this system that hold no byte (others' do): exit code 1 without a word.
    {"nothing_to_install", {{0, "20240401090000", L"empty1.log", ""}, {5, "20240401090000", L"%SYSTEM%\\b.sys", Pattern(100, 2)},
                            {0, "20240401090000", L"empty2.log", ""}}, kWhole, nullptr, 0, {}, {}},
};

class Stops : public testing::TestWithParam<Stop> {};

TEST_P(Stops, WhatWasWrittenStaysWhole) {
  const Stop& row = GetParam();
  Session run;
  run.version = L"winxp";  // class 2: no file is held for a driver's setup, which would hide a failure told late
  std::wstring dest = run.Path(L"%F\\dest");
  // A write that fails: on the tmpfs that ctest's fixture mounts, too small for the second file.
  if (row.box == &kWriteFailed) dest = BuiltEnv("KORVENTA_SMALL_DISK") + run.folder.substr(2);
  const std::string older = row.olderSize ? Pattern(row.olderSize, 9) : "older";
  // With a temporary file that an interrupted run left, which goes.
  ASSERT_TRUE(!row.existing ||
              (CreateDirectoryW(dest.c_str(), 0) && WriteAll(dest + L"\\" + row.existing, older) && WriteAll(dest + kLeftover, "left")));
  const auto inSystem = [system = SystemFolder()](const Entry& e) { return e.name[0] == L'%' ? system + L"\\" + InSystem(e.name) : L""; };
  for (const Entry& e : row.entries) DeleteFileW(inSystem(e).c_str());
  run.data = row.damage(Pack(row.entries));
  const Step systemLeft = Do([&](Session&) {  // checked while the message is up: gone before the user is told
    for (const Entry& e : row.entries) {
      const bool kept = std::find(row.system.begin(), row.system.end(), InSystem(e.name)) != row.system.end();
      EXPECT_TRUE(inSystem(e).empty() || ReadAll(inSystem(e)) == (kept ? std::optional(e.content) : std::nullopt)) << Utf8(e.name);
    }
  });
  run.Play(Cat({ToDestination(), row.atDest, {Type(kEdit, dest), Press(Next)},
                row.box ? Steps{Box(*row.box, 0), systemLeft, Do([&](Session&) {
                  EXPECT_FALSE(MoveFileW(dest.c_str(), (dest + L"-moved").c_str())) << "the destination is held";
                }), Logged(row.logged), Shot(std::string("stopped-") + row.label), Bar(row.bar), Box(*row.box, IDOK)}
                        : Steps{}, {Exit(1)}, row.box ? Steps{} : Steps{systemLeft}}));
  EXPECT_EQ(Below(dest), row.left);
  EXPECT_EQ(GetFileAttributesW(run.Path(L"%F\\escaped.dat").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(row.left.empty() || ReadAll(dest + L"\\first.dat") == row.entries[0].content);
  EXPECT_TRUE(!row.existing || ReadAll(dest + L"\\" + row.existing) == older) << "the existing file changed";
}

INSTANTIATE_TEST_SUITE_P(Gui, Stops, testing::ValuesIn(kStops), [](const testing::TestParamInfo<Stop>& info) { return info.param.label; });

// ---- Shortcuts of successive installations: another folder gets the next number, the same folder
// replaces its own (the program found in any case), and a program below the top of the folder is warned about.
// On class 5 without the driver's setup among the entries: no message about it, and the installation completes.
TEST(Gui, SuccessiveShortcuts) {
  Session run;
  win::ComInit com;
  const std::vector<std::wstring> folders = {ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY), ShellFolder(CSIDL_COMMON_PROGRAMS)};
  std::vector<std::wstring> links;  // the folder as typed, for each shortcut number from 1
  const auto name = [](size_t n) { return n == 1 ? std::wstring(L"QTX KORVENTA.LNK") : L"QTX KORVENTA(" + std::to_wstring(n) + L").LNK"; };
  // Installs into `dest`; `number`: the shortcut it adds or replaces (made stale first), 0: none.
  const auto install = [&](const std::wstring& dest, const wchar_t* program, size_t number, Steps completion = {}) {
    for (const std::wstring& f : folders) ASSERT_TRUE(number == 0 || number > links.size() || ReadLink(f + L"\\" + name(number), L"stale"));
    run.data = Pack({{0, "20240401090000", program, Pattern(700, 5)}, {0, "20240401090000", L"readme.txt", "read me\r\n"}});
    run.Play(Cat({ToDestination(), {Type(kEdit, dest), Press(Next)}, completion, {At(kComplete)}, Finished()}));
    if (number > links.size()) links.push_back(dest);
    for (const std::wstring& f : folders) {
      std::vector<std::wstring> names;
      for (size_t n = 1; n <= links.size(); ++n) {
        names.push_back(name(n));
        const auto link = ReadLink(f + L"\\" + name(n));
        ASSERT_TRUE(link) << Utf8(name(n));
        // Target, working folder, description (else a stale one was not replaced), and the show command: a
        // link keeps only normal, maximised, minimised.
        const std::wstring target = run.Path(links[n - 1]) + (links[n - 1].back() == L'\\' ? L"korventa.EXE" : L"\\KORVENTA.exe");
        EXPECT_EQ(Utf8(link->target + L"|" + link->folder + L"|" + link->description + L"|" + std::to_wstring(link->show)),
                  Utf8(target + L"|" + run.Path(links[n - 1]) + L"|KORVENTA for MV-T30582|" + std::to_wstring(SW_SHOWNORMAL)));
      }
      std::sort(names.begin(), names.end());
      EXPECT_EQ(Below(f, false, L"QTX KORVENTA*"), names);
    }
  };
  DeleteShortcuts(folders);
  install(L"%F\\A", L"KORVENTA.exe", 1);
  // The shell stores the target normalised: the second install must replace number 2, not add 3.
  install(L"%F\\E\\", L"korventa.EXE", 2);
  install(L"%F\\E\\", L"korventa.EXE", 2);
  ASSERT_TRUE(CreateDirectoryW(run.Path(L"%F\\F").c_str(), 0) && CreateDirectoryW(run.Path(L"%F\\F\\sub").c_str(), 0));
  install(L"%F\\F", L"sub\\KORVENTA.exe", 0, {Box(kShortcutFailed, IDOK), At(kComplete), Logged({L"sub\\KORVENTA.exe", L"readme.txt"},
                                              L"\r\nCreate shortcut...\r\nInstall successfully, but create shortcut failed! ")});
}

// ---- Installations by a copy of setup.exe with DLLs of system names planted beside it, which Wine is
// told to prefer to its own: none runs. Esc and the close box, posted again and again as each
// installation completes, end the wizard as finished.
TEST(Gui, PlantedDllsNeverRunAndCloseRequestsEndAsFinished) {
  Session run;
  const std::wstring copy = run.Path(L"%F\\setup.exe");
  ASSERT_TRUE(CopyFileW(run.exe.c_str(), copy.c_str(), TRUE));
  run.exe = copy;
  const wchar_t* overrides = L"Software\\Wine\\AppDefaults\\setup.exe\\DllOverrides";
  for (const wchar_t* name : {L"comctl32", L"riched20", L"usp10", L"uxtheme", L"msimg32"}) {
    ASSERT_TRUE(CopyFileW(Built(PLANTED_DLL).c_str(), run.Path(L"%F\\" + std::wstring(name) + L".dll").c_str(), TRUE));
    RegSetKeyValueW(HKEY_CURRENT_USER, overrides, name, REG_SZ, L"native,builtin", sizeof(L"native,builtin"));
  }
  run.data = Pack({{0, "20240401090000", L"KORVENTA.exe", Pattern(300, 1)}});
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    run.Play(Cat({ToDestination(), {Type(kEdit, L"%F\\dest"), Press(Next), Do([](Session& s) {
      ASSERT_TRUE(WaitFor([&] { return Text(s.Control(1018)) != kDestination.title || !s.Running(); }));
      // Posted again and again until the setup ends: Esc's cancel and the close command.
      for (const auto end = GetTickCount() + DWORD(drv::kLong.count());
           WaitForSingleObject(s.process.Get(), 1) == WAIT_TIMEOUT && GetTickCount() < end;) {
        PostMessageW(s.sheet, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(s.sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
    }), Exit(0)}}));
  }
  EXPECT_EQ(Below(run.folder, false, L"*.ran"), std::vector<std::wstring>{});
  RegDeleteTreeW(HKEY_CURRENT_USER, overrides);
}

}  // namespace
}  // namespace gui
