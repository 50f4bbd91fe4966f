// A whole installation as a user sees it: the progress page while the installation waits for the
// driver's setup, the completed page, the completion message, and every file with its content and
// times; and the requests to leave the page, during the installation and after it.
#include <windows.h>
#include <shlobj.h>

#include "driver/install_checks.h"
#include "driver/install_fixture.h"
#include "driver/keyboard.h"
#include "driver/pages_remote_call.h"
#include "driver/unique_handle.h"
#include "driver/window_text.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::Millis;
using gui_driver::Utf8;
using gui_driver::Wizard;
using gui_driver::WizardButton;
using install_tests::DataEntry;
using install_tests::EntryContent;

constexpr int kSubtitleId = 1019;
const wchar_t kSubtitleInstalling[] = L"しばらくお待ち下さい。";
const wchar_t kDriverSetup[] = L"KorventaDriver32setup.exe";
const wchar_t kReleaseEvent[] = L"korventa-test-driver-release";

enum class Where { Destination, System };

// One installed file as a person finds it afterwards.
struct Installed {
  Where where;
  std::wstring name;  // as logged and as found in its folder
  size_t entry;       // its record in the data file
};

std::wstring DriverStandinExe() {
#ifdef DRIVER_STANDIN_EXE
  const std::string built = DRIVER_STANDIN_EXE;
  return gui_driver::WindowsPath(std::wstring(built.begin(), built.end()));
#else
  return {};
#endif
}

std::wstring ProtectionHelper() {
#ifdef PAGES_HELPER_DLL
  const std::string built = PAGES_HELPER_DLL;
  return gui_driver::WindowsPath(std::wstring(built.begin(), built.end()));
#else
  return {};
#endif
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return folder;
}

std::wstring SpecialFolder(int csidl) {
  wchar_t folder[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder : L"";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

DataEntry Entry(std::uint8_t type, const std::wstring& name, const char* stamp, EntryContent content) {
  return DataEntry{gui_driver::ToCodePage932(name), stamp, type, std::move(content)};
}

// Every kind of entry on a system of version class 5 (NT 6.1, not under WOW64). The last record is
// skipped here, and the driver's setup must still run after it.
std::vector<DataEntry> WholeInstallEntries(const std::string& driverSetup) {
  return {
      Entry(0, L"KORVENTA.exe", "20240401090000", EntryContent::Pattern(70000, 1)),
      Entry(1, L"%SYSTEM%\\drivers\\kvtest2k.sys", "20010601100000", EntryContent::Pattern(3000, 2)),
      Entry(0, L"はじめにお読みください.txt", "20240402101530",
            EntryContent::Bytes("KORVENTA for MV-T30582\r\nreadme\r\n")),
      Entry(5, L"%SYSTEM%\\drivers\\kvtest7.sys", "20120601100000", EntryContent::Pattern(5000, 3)),
      Entry(0, L"empty.log", "20230115235959", EntryContent::Bytes("")),
      Entry(2, L"%SYSTEM%\\drivers\\kvtestxp.sys", "20030601100000", EntryContent::Pattern(4000, 4)),
      Entry(0, L"block520.dat", "20200229120000", EntryContent::Pattern(520, 5)),
      Entry(5, L"%SYSTEM%\\kvtestcomm.dll", "20121231235958", EntryContent::Pattern(1234, 6)),
      Entry(0, L"abcdefghijklmnopqrstuvwxyz012345", "19991231120000", EntryContent::Pattern(300, 7)),
      Entry(3, L"Korventa.inf", "20240310083000", EntryContent::Bytes("[Version]\r\nSignature=\"$Windows NT$\"\r\n")),
      Entry(3, kDriverSetup, "20240310083000", EntryContent::Bytes(driverSetup)),
      Entry(4, L"kvtest64.dll", "20120601100000", EntryContent::Pattern(100, 8)),
  };
}

const Installed kWholeInstall[] = {
    {Where::Destination, L"KORVENTA.exe", 0},
    {Where::Destination, L"はじめにお読みください.txt", 2},
    {Where::System, L"drivers\\kvtest7.sys", 3},
    {Where::Destination, L"empty.log", 4},
    {Where::Destination, L"block520.dat", 6},
    {Where::System, L"kvtestcomm.dll", 7},
    {Where::Destination, L"abcdefghijklmnopqrstuvwxyz012345", 8},
    {Where::Destination, L"Korventa.inf", 9},
    {Where::Destination, kDriverSetup, 10},
};

class WholeInstallTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    // Local and universal time must differ, or a file stamped without conversion would pass.
    TIME_ZONE_INFORMATION zone = {};
    GetTimeZoneInformation(&zone);
    ASSERT_NE(zone.Bias, 0) << "run with a time zone away from UTC (TZ=Asia/Tokyo)";
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    ASSERT_TRUE(version.dwMajorVersion >= 6 && version.dwMinorVersion != 0 && !wow64)
        << "the entries are chosen for NT 6.1 or later, minor version not 0, not under WOW64";
  }

  void ExpectFile(const std::wstring& path, const DataEntry& entry, const FILETIME& installStart) {
    SCOPED_TRACE(Utf8(path));
    const auto content = gui_driver::ReadWholeFile(path);
    ASSERT_TRUE(content) << "missing";
    EXPECT_TRUE(*content == entry.content.All()) << "content differs: " << content->size() << " bytes, expected "
                                                 << entry.content.Size();
    const auto times = gui_driver::ReadFileTimes(path);
    const auto stamp = gui_driver::LocalStampToUtc(entry.timestamp);
    ASSERT_TRUE(times && stamp);
    EXPECT_EQ(gui_driver::DescribeFileTime(times->lastWrite), gui_driver::DescribeFileTime(*stamp)) << "last write";
    // Wine on Linux reads the creation time back as the last-write time; on Windows this check has teeth.
    EXPECT_EQ(gui_driver::DescribeFileTime(times->creation), gui_driver::DescribeFileTime(*stamp)) << "creation";
    // The last access is the moment of writing, not the stamp.
    const ULONGLONG slack = 20000000;  // 2 s: clocks of Wine and its host may round differently
    EXPECT_GE(gui_driver::Ticks(times->lastAccess) + slack, gui_driver::Ticks(installStart))
        << "last access " << gui_driver::DescribeFileTime(times->lastAccess);
    EXPECT_LE(gui_driver::Ticks(times->lastAccess), gui_driver::Ticks(gui_driver::Now()) + slack)
        << "last access " << gui_driver::DescribeFileTime(times->lastAccess);
  }
};

TEST_F(WholeInstallTest, InstallsEverythingForThisSystemAndFinishes) {
  const auto driverSetup = gui_driver::ReadWholeFile(DriverStandinExe());
  ASSERT_TRUE(driverSetup) << "no stand-in driver setup at " << Utf8(DriverStandinExe());
  const std::vector<DataEntry> entries = WholeInstallEntries(*driverSetup);
  const std::wstring destination = InFolder(L"dest");
  const std::wstring record = InFolder(L"driver-record.txt");
  gui_driver::UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, kReleaseEvent));
  ASSERT_TRUE(release.Valid());
  // However the test ends, the stand-in must not wait on.
  struct Releaser {
    HANDLE event;
    ~Releaser() { SetEvent(event); }
  } releaser{release.Get()};
  const gui_driver::ScopedEnvironment recordTo(L"KORVENTA_DRIVER_LOG", record);
  const gui_driver::ScopedEnvironment holdUntil(L"KORVENTA_DRIVER_RELEASE", kReleaseEvent);

  auto wizard = OpenAtDestination(entries);
  ASSERT_TRUE(wizard);
  // From here the log asks the page before every change, as Windows' rich edit does: the page's own
  // lines must still arrive, and nothing else may change the text.
  std::string error;
  const DWORD uiThread = GetWindowThreadProcessId(wizard->Handle(), nullptr);
  const auto emulated = gui_driver::CallInProcess(setup_->Id(), ProtectionHelper(), "PagesEmulateProtection",
                                                  reinterpret_cast<void*>(static_cast<DWORD_PTR>(uiThread)), &error);
  ASSERT_TRUE(emulated && *emulated == 1) << "protection emulation not in place: " << error;
  const FILETIME installStart = gui_driver::Now();
  ASSERT_TRUE(StartInstall(*wizard, destination));

  // The installation now waits for the driver's setup, which waits for us.
  // Its first record line is complete once it ends in a line break.
  std::optional<std::string> started;
  ASSERT_TRUE(gui_driver::WaitFor([&] {
    started = gui_driver::ReadWholeFile(record);
    return started && started->find('\n') != std::string::npos;
  })) << "the driver's setup did not run; log: \"" << Utf8(Log(*wizard)) << "\"";
  std::vector<std::wstring> lines = {kLogCheck};
  for (const Installed& file : kWholeInstall) lines.push_back(CreateLine(file.name));
  EXPECT_EQ(Utf8(Log(*wizard)), Utf8(JoinLog(lines))) << "the log while the driver's setup runs";
  EXPECT_TRUE(WaitForPage(*wizard, Page::Progress));
  EXPECT_EQ(Utf8(gui_driver::WindowText(wizard->PageControl(kSubtitleId))), Utf8(kSubtitleInstalling));
  EXPECT_TRUE(BarShows(*wizard, 100)) << "every byte is copied before the driver's setup runs";
  Screenshot(wizard->Handle(), "install-1-waiting-for-driver");

  // "start", time, program, working directory, arguments: started in the destination with the .inf.
  const std::string startLine = started->substr(0, started->find('\n') + 1);
  const std::string expectedTail = "\t" + Utf8(destination) + "\tKorventa.inf\n";
  EXPECT_TRUE(startLine.size() > expectedTail.size() &&
              startLine.compare(startLine.size() - expectedTail.size(), std::string::npos, expectedTail) == 0)
      << "started as \"" << startLine << "\"";

  {
    SCOPED_TRACE("Esc in the log and the window's close command while the installation runs");
    HWND log = wizard->PageControl(kLogId);
    ASSERT_TRUE(log);
    ASSERT_TRUE(gui_driver::FocusControl(log));
    ASSERT_TRUE(gui_driver::PressKey(log, VK_ESCAPE));
    EXPECT_TRUE(StaysQuiet(Millis{1500}));
    ASSERT_TRUE(PostMessageW(wizard->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_TRUE(StaysQuiet(Millis{1500}));
    EXPECT_TRUE(WaitForPage(*wizard, Page::Progress));
  }

  ASSERT_TRUE(SetEvent(release.Get()));
  ASSERT_TRUE(WaitForCompletion(*wizard));
  lines.push_back(L"Create shortcut...");
  lines.push_back(L"Install successfully!");
  EXPECT_EQ(Utf8(Log(*wizard)), Utf8(JoinLog(lines)));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(wizard->PageControl(kLogId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"), SMTO_NORMAL,
                      5000, &ignored);
  EXPECT_EQ(Utf8(Log(*wizard)), Utf8(JoinLog(lines))) << "a change from outside the page went through";
  EXPECT_EQ(Utf8(wizard->PageTitle()), Utf8(kTitleComplete));
  EXPECT_EQ(Utf8(gui_driver::WindowText(wizard->PageControl(kSubtitleId))), "");
  const gui_driver::ButtonState finish = wizard->Button(WizardButton::Finish);
  EXPECT_TRUE(finish.visible && finish.enabled);
  EXPECT_EQ(Utf8(finish.caption), Utf8(kFinishCaption));
  EXPECT_FALSE(wizard->Button(WizardButton::Back).visible);
  EXPECT_FALSE(wizard->Button(WizardButton::Cancel).visible);
  EXPECT_TRUE(BarShows(*wizard, 100));
  Screenshot(wizard->Handle(), "install-2-complete");

  const std::wstring system = SystemFolder();
  std::vector<std::wstring> inDestination;
  for (const Installed& file : kWholeInstall) {
    const std::wstring folder = file.where == Where::Destination ? destination : system;
    ExpectFile(folder + L"\\" + file.name, entries[file.entry], installStart);
    if (file.where == Where::Destination) inDestination.push_back(file.name);
  }
  ExpectFolderHolds(destination, inDestination);
  for (const wchar_t* skipped : {L"\\drivers\\kvtest2k.sys", L"\\drivers\\kvtestxp.sys", L"\\kvtest64.dll"}) {
    EXPECT_FALSE(Exists(system + skipped)) << Utf8(skipped) << " is not for this system";
  }
  for (int csidl : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS}) {
    EXPECT_TRUE(Exists(SpecialFolder(csidl) + L"\\QTX KORVENTA.LNK")) << "no shortcut in folder " << csidl;
  }

  ASSERT_TRUE(wizard->Press(WizardButton::Finish));
  auto box = gui_driver::WaitForMessageBox(setup_->Id());
  ASSERT_TRUE(box) << "no completion message";
  EXPECT_EQ(Utf8(box->Caption()), Utf8(kSetupCaption));
  EXPECT_EQ(Utf8(box->Text()), Utf8(kCompletionMessage));
  EXPECT_FALSE(box->HasIcon()) << "the completion message shows an icon";
  EXPECT_EQ(box->Buttons(), std::vector<int>{IDOK});
  EXPECT_TRUE(box->CentredOnScreen()) << "owned by the hidden main window";
  Screenshot(box->Handle(), "install-3-completion-message");
  ASSERT_TRUE(box->Answer(IDOK));
  ExpectEndsSilently(kExitFinished);
}

// After the installation, leaving the page by Esc ends the setup as finished, without the
// completion message that only the finish button brings. (The close command stays greyed and
// does nothing: the destination page tests see to that.)
enum class Leave { EscInLog };

class LeaveAfterCompletionTest : public InstallTest, public testing::WithParamInterface<Leave> {};

TEST_P(LeaveAfterCompletionTest, EndsWithExitCode0AndNoMessage) {
  auto wizard = OpenAtDestination({Entry(0, L"KORVENTA.exe", "20240401090000", EntryContent::Pattern(1000, 9))});
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(StartInstall(*wizard, InFolder(L"dest")));
  ASSERT_TRUE(WaitForCompletion(*wizard));
  HWND log = wizard->PageControl(kLogId);
  ASSERT_TRUE(log);
  ASSERT_TRUE(gui_driver::FocusControl(log));
  ASSERT_TRUE(gui_driver::PressKey(log, VK_ESCAPE));
  ExpectEndsSilently(kExitFinished);
  EXPECT_TRUE(gui_driver::ReadWholeFile(InFolder(L"dest\\KORVENTA.exe"))) << "the installed program is gone";
}

INSTANTIATE_TEST_SUITE_P(Install, LeaveAfterCompletionTest, testing::Values(Leave::EscInLog),
                         [](const testing::TestParamInfo<Leave>&) {
                           return "esc_in_log";
                         });

}  // namespace
}  // namespace gui_tests
