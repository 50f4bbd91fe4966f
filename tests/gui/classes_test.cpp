// One data file installed on every Windows version class that Wine gives the setup: which files land
// where under which name and time, the log, the driver setup program and the order of the shortcuts.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "driver/classes_data_file.h"
#include "driver/files.h"
#include "driver/install_data_file.h"
#include "driver/install_fixture.h"
#include "driver/classes_shell_links.h"
#include "driver/window_text.h"

namespace gui_tests {
namespace {

using gui_driver::Utf8;

enum class Where { Dest, System };

constexpr int kDriverProgram = -1;  // the entry carries the driver stand-in itself
constexpr wchar_t kDriverSetup[] = L"KorventaDriver32setup.exe";

struct EntrySpec {
  std::uint8_t type;
  const char* stamp;
  const wchar_t* name;
  int size;
};

// Every target type, "%"-prefixed system names, a name of 32 bytes and an empty entry; the last record
// suits no class, so the driver setup program must still run after it.
const EntrySpec kEntries[] = {
    /* 0 */ {0, "20240401090000", L"KORVENTA.exe", 300},
    /* 1 */ {3, "20240310083000", L"KorventaDriver32setup.exe", kDriverProgram},
    /* 2 */ {3, "20240310083100", L"Korventa.inf", 129},
    /* 3 */ {1, "20010601100000", L"%SYS%\\drivers\\kv2k.sys", 26},
    /* 4 */ {2, "20030615101530", L"%SYS%\\drivers\\kvxp.sys", 27},
    /* 5 */ {3, "20070131120000", L"%SYS%\\drivers\\kvvista.sys", 520},
    /* 6 */ {4, "20120601100000", L"kv64.dll", 35},
    /* 7 */ {5, "20121224235959", L"%SYS%\\kvwin7.dll", 261},
    /* 8 */ {0, "20000229000001", L"ﾃﾞｰﾀ辞書_0123456789abcdefghi.dat", 64},
    /* 9 */ {0, "19991231235958", L"empty.dat", 0},
    /* 10 */ {9, "20240101000000", L"kvnever.txt", 10},
};
constexpr int kThirtyTwoByteName = 8;

// Where an entry must land, in log order.
struct Landing {
  int entry;
  Where where;
  const wchar_t* name;
};

struct ClassCase {
  const char* label;
  const wchar_t* wineVersion;
  std::vector<Landing> landings;
  bool driverRuns;
  DWORD driverSleepMs;  // long enough to look around while the driver setup runs
  // Wine's 9x emulation turns a Unicode program's text in a rich edit into packed ANSI bytes (a real 9x
  // system would not run this program at all), so that log cannot be compared.
  bool logReadable;
};

const Landing kProgram{0, Where::Dest, L"KORVENTA.exe"};
const Landing kLongName{8, Where::Dest, L"ﾃﾞｰﾀ辞書_0123456789abcdefghi.dat"};
const Landing kEmpty{9, Where::Dest, L"empty.dat"};

// Class 5 puts type 3 into the destination folder (the driver setup and its information file).
const std::vector<Landing> kClass5Landings = {kProgram,
                                              {1, Where::Dest, L"KorventaDriver32setup.exe"},
                                              {2, Where::Dest, L"Korventa.inf"},
                                              {5, Where::Dest, L"%SYS%\\drivers\\kvvista.sys"},
                                              {7, Where::System, L"kvwin7.dll"},
                                              kLongName,
                                              kEmpty};

// The wow64 case needs a 64-bit prefix (KORVENTA_WINEARCH=win64); the others a 32-bit one.
const ClassCase kCases[] = {
    {"wow64_class_4", L"win7", {kProgram, {6, Where::System, L"kv64.dll"}, kLongName, kEmpty}, false, 0, true},
    {"win2k_class_1", L"win2k", {kProgram, {3, Where::System, L"drivers\\kv2k.sys"}, kLongName, kEmpty},
     false, 0, true},
    {"winxp_class_2", L"winxp", {kProgram, {4, Where::System, L"drivers\\kvxp.sys"}, kLongName, kEmpty},
     false, 0, true},
    {"vista_class_3",
     L"vista",
     {kProgram,
      {1, Where::System, L"KorventaDriver32setup.exe"},
      {2, Where::System, L"Korventa.inf"},
      {5, Where::System, L"drivers\\kvvista.sys"},
      kLongName,
      kEmpty},
     false,
     0,
     true},
    {"win7_class_5", L"win7", kClass5Landings, true, 4000, true},
    {"win8_class_5", L"win8", kClass5Landings, true, 0, true},
    {"win98_not_nt", L"win98", {kProgram, kLongName, kEmpty}, false, 0, false},
};

std::wstring WithoutPrefix(const std::wstring& name) {
  const size_t percent = name.rfind(L'%');
  return percent == std::wstring::npos ? name : name.substr(percent + 2);
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  GetSystemDirectoryW(path, MAX_PATH);
  return path;
}

std::string ContentOf(int entry) {
  if (kEntries[entry].size == kDriverProgram) {
    return gui_driver::ReadWholeFile(gui_driver::DriverStandinPath()).value_or(std::string());
  }
  return install_tests::EntryContent::Pattern(kEntries[entry].size, entry).All();
}

std::wstring ExpectedLogLines(const ClassCase& c) {
  std::wstring log = L"Check Data File...";
  for (const Landing& landing : c.landings) log += L"\r\nCreate \"" + std::wstring(landing.name) + L"\"...";
  return log;
}

// The driver stand-in's record: one line per event, fields separated by tabs.
std::vector<std::vector<std::wstring>> ReadRecord(const std::wstring& path) {
  std::vector<std::vector<std::wstring>> lines;
  const auto bytes = gui_driver::ReadWholeFile(path);
  if (!bytes || bytes->empty()) return lines;
  std::wstring text(bytes->size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes->data(), static_cast<int>(bytes->size()), text.data(),
                                  static_cast<int>(text.size())));
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find(L'\n', start), text.size());
    std::vector<std::wstring> fields;
    size_t field = start;
    while (true) {
      const size_t tab = text.find(L'\t', field);
      if (tab == std::wstring::npos || tab > end) {
        fields.push_back(text.substr(field, end - field));
        break;
      }
      fields.push_back(text.substr(field, tab - field));
      field = tab + 1;
    }
    lines.push_back(fields);
    start = end + 1;
  }
  return lines;
}

size_t CountEvents(const std::vector<std::vector<std::wstring>>& record, const wchar_t* event) {
  return std::count_if(record.begin(), record.end(), [event](const auto& line) { return line[0] == event; });
}

class ClassesTest : public InstallTest, public testing::WithParamInterface<ClassCase> {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    // Local and UTC times must differ, or a timestamp taken as UTC would pass unnoticed.
    ASSERT_NE(gui_driver::TimeZoneBias(), 0) << "run with a time zone away from UTC (TZ=JST-9)";
    system_ = SystemFolder();
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const bool wantWow64 = std::string(GetParam().label).rfind("wow64", 0) == 0;
    ASSERT_EQ(wow64 != FALSE, wantWow64) << "this case needs a " << (wantWow64 ? "64" : "32") << "-bit prefix";
    if (wow64) {
      // The setup writes to the system folder it is given, which Windows redirects to the 32-bit one.
      wchar_t folder[MAX_PATH] = {};
      ASSERT_GT(GetSystemWow64DirectoryW(folder, MAX_PATH), 0u);
      system_ = folder;
      ASSERT_EQ(Utf8(system_.substr(system_.rfind(L'\\') + 1)), "syswow64") << Utf8(system_);
    }
    desktop_ = gui_driver::ShellFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
    programs_ = gui_driver::ShellFolderPath(CSIDL_COMMON_PROGRAMS);
    ASSERT_FALSE(desktop_.empty() || programs_.empty());
    // The classes share the prefix: what an earlier case put into the system folder goes first.
    for (const EntrySpec& entry : kEntries) DeleteFileW((system_ + L"\\" + WithoutPrefix(entry.name)).c_str());
    gui_driver::DeleteSetupShortcuts(desktop_);
    gui_driver::DeleteSetupShortcuts(programs_);
    // An existing destination is accepted as it is; the subfolder takes the type-3 entry with its
    // stored name on class 5.
    dest_ = InFolder(L"dest");
    ASSERT_TRUE(CreateDirectoryW(dest_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((dest_ + L"\\%SYS%").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((dest_ + L"\\%SYS%\\drivers").c_str(), nullptr));
    // The driver setup program lies in the destination on every class, so that a start on a class
    // other than 5 would show in its record; on class 5 extraction replaces it.
    ASSERT_TRUE(CopyFileW(gui_driver::DriverStandinPath().c_str(), (dest_ + L"\\" + kDriverSetup).c_str(), TRUE));
    record_ = InFolder(L"driver-record.txt");
  }

  std::wstring PathOf(const Landing& landing) const {
    return (landing.where == Where::Dest ? dest_ : system_) + L"\\" + landing.name;
  }

  bool NoShortcuts() const {
    return gui_driver::SetupShortcuts(desktop_).empty() && gui_driver::SetupShortcuts(programs_).empty();
  }

  // Runs while the driver stand-in sleeps: extraction is over, the shortcuts are not begun.
  void LookAroundWhileDriverRuns(const gui_driver::Wizard& wizard) {
    const ClassCase& c = GetParam();
    ASSERT_TRUE(gui_driver::WaitFor([&] { return CountEvents(ReadRecord(record_), L"start") > 0; },
                                    gui_driver::Millis{60000}))
        << "the driver setup program did not start";
    for (const Landing& landing : c.landings) {
      EXPECT_EQ(gui_driver::ReadWholeFile(PathOf(landing)), std::optional<std::string>(ContentOf(landing.entry)))
          << Utf8(PathOf(landing)) << " is not complete when the driver setup starts";
    }
    EXPECT_EQ(Utf8(gui_driver::WindowText(wizard.PageControl(1023))), Utf8(ExpectedLogLines(c)))
        << "the log must end with the last file while the driver setup runs";
    // The bar keeps its position inside the program: the picture shows it.
    Screenshot(wizard.Handle(), std::string("classes-") + c.label + "-driver-running");
    EXPECT_TRUE(NoShortcuts()) << "a shortcut exists while the driver setup runs";
    EXPECT_FALSE(wizard.Button(gui_driver::WizardButton::Finish).enabled);
    EXPECT_EQ(CountEvents(ReadRecord(record_), L"end"), 0u)
        << "the driver setup ended before the checks were done: make it sleep longer";
  }

  std::wstring system_, desktop_, programs_, dest_, record_;
};

TEST_P(ClassesTest, InstallsWhatSuitsTheClass) {
  const ClassCase& c = GetParam();
  std::vector<gui_driver::DataFileEntry> entries;
  for (int i = 0; i < static_cast<int>(std::size(kEntries)); ++i) {
    entries.push_back({kEntries[i].type, kEntries[i].stamp, kEntries[i].name, ContentOf(i)});
  }
  ASSERT_GT(ContentOf(1).size(), 1000u) << "the driver stand-in was not built: "
                                        << Utf8(gui_driver::DriverStandinPath());
  ASSERT_EQ(gui_driver::StoredNameSize(kEntries[kThirtyTwoByteName].name, 0), std::optional<size_t>(32));
  std::string error;
  const auto dataFile = gui_driver::PackDataFile(entries, &error);
  ASSERT_TRUE(dataFile) << error;

  const gui_driver::ScopedEnvironment recordTo(L"KORVENTA_DRIVER_LOG", record_);
  const gui_driver::ScopedEnvironment sleep(L"KORVENTA_DRIVER_SLEEP_MS",
                                            c.driverSleepMs ? std::to_wstring(c.driverSleepMs) : L"");
  InstallRequest request;
  request.wineVersion = c.wineVersion;
  request.destination = dest_;
  request.dataFile = *dataFile;
  if (c.driverRuns && c.driverSleepMs > 0) {
    request.whileInstalling = [this](const gui_driver::Wizard& wizard) { LookAroundWhileDriverRuns(wizard); };
    request.screenshot = std::string("classes-") + c.label + "-completed";
  }
  const auto log = Install(request);
  ASSERT_TRUE(log);
  if (c.logReadable) {
    EXPECT_EQ(Utf8(*log), Utf8(ExpectedLogLines(c) + L"\r\nCreate shortcut...\r\nInstall successfully!"));
  }

  // Files: the destination holds exactly its entries; the system folder holds its own and no other.
  std::vector<std::wstring> expectedInDest;
  for (const Landing& landing : c.landings) {
    if (landing.where == Where::Dest) expectedInDest.push_back(landing.name);
  }
  if (std::find(expectedInDest.begin(), expectedInDest.end(), kDriverSetup) == expectedInDest.end()) {
    expectedInDest.push_back(kDriverSetup);
  }
  std::sort(expectedInDest.begin(), expectedInDest.end());
  std::vector<std::string> wanted, found;
  for (const auto& name : expectedInDest) wanted.push_back(Utf8(name));
  for (const auto& name : gui_driver::FilesBelow(dest_)) found.push_back(Utf8(name));
  EXPECT_EQ(found, wanted) << "files in the destination folder";
  for (int i = 0; i < static_cast<int>(std::size(kEntries)); ++i) {
    const bool landsInSystem = std::any_of(c.landings.begin(), c.landings.end(), [i](const Landing& landing) {
      return landing.entry == i && landing.where == Where::System;
    });
    const std::wstring inSystem = system_ + L"\\" + WithoutPrefix(kEntries[i].name);
    EXPECT_EQ(gui_driver::PathExists(inSystem), landsInSystem) << Utf8(inSystem);
  }
  for (const Landing& landing : c.landings) {
    const std::wstring path = PathOf(landing);
    SCOPED_TRACE(Utf8(path));
    EXPECT_EQ(gui_driver::ReadWholeFile(path), std::optional<std::string>(ContentOf(landing.entry)));
    const auto times = gui_driver::ReadFileTimes(path);
    const auto stamp = gui_driver::LocalStampToUtc(kEntries[landing.entry].stamp);
    ASSERT_TRUE(times && stamp);
    EXPECT_EQ(gui_driver::DescribeFileTime(times->lastWrite), gui_driver::DescribeFileTime(*stamp)) << "last write time";
    EXPECT_EQ(gui_driver::DescribeFileTime(times->creation), gui_driver::DescribeFileTime(*stamp)) << "creation time";
  }

  // The driver setup program: on class 5 once, from the destination, with the information file.
  const auto record = ReadRecord(record_);
  if (!c.driverRuns) {
    EXPECT_FALSE(gui_driver::PathExists(record_)) << "the driver setup program ran";
  } else {
    ASSERT_EQ(CountEvents(record, L"start"), 1u) << "the driver setup program must run exactly once";
    ASSERT_EQ(CountEvents(record, L"end"), 1u);
    const std::vector<std::wstring>& start = record[0];
    ASSERT_EQ(start.size(), 5u) << "program, folder and exactly one argument";
    EXPECT_EQ(Utf8(start[2]), Utf8(dest_ + L"\\" + kDriverSetup));
    EXPECT_EQ(Utf8(start[3]), Utf8(dest_)) << "working directory";
    EXPECT_EQ(Utf8(start[4]), "Korventa.inf");
  }

  // Shortcuts on both folders, and only after the driver setup program had ended.
  for (const std::wstring& folder : {desktop_, programs_}) {
    SCOPED_TRACE(Utf8(folder));
    ASSERT_EQ(gui_driver::SetupShortcuts(folder), std::vector<std::wstring>{L"QTX KORVENTA.LNK"});
    const std::wstring link = folder + L"\\QTX KORVENTA.LNK";
    gui_driver::ComApartment com;
    const auto info = gui_driver::ReadShellLink(link);
    ASSERT_TRUE(info);
    EXPECT_EQ(Utf8(info->target), Utf8(dest_ + L"\\KORVENTA.exe"));
    if (c.driverRuns) {
      const auto times = gui_driver::ReadFileTimes(link);
      ASSERT_TRUE(times);
      const unsigned long long ended = std::stoull(record[1][1]);
      EXPECT_GE(gui_driver::Ticks(times->lastWrite), ended) << "the shortcut is older than the driver setup's end";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryReachableClass, ClassesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ClassCase>& info) { return info.param.label; });

}  // namespace
}  // namespace gui_tests
