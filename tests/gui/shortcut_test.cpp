// The shortcuts of successive installations: names, numbers, what they point at, and the warning when
// the program is not at the top of the destination folder.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <vector>

#include "driver/classes_data_file.h"
#include "driver/files.h"
#include "driver/install_fixture.h"
#include "driver/classes_shell_links.h"
#include "driver/message_box.h"
#include "driver/unique_handle.h"
#include "driver/window_text.h"

namespace gui_tests {
namespace {

using gui_driver::Utf8;

constexpr wchar_t kDescription[] = L"KORVENTA for MV-T30582";
constexpr wchar_t kPlain[] = L"QTX KORVENTA.LNK";

std::wstring Numbered(int n) { return L"QTX KORVENTA(" + std::to_wstring(n) + L").LNK"; }

class ShortcutTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(com_.Ok());
    folders_ = {gui_driver::ShellFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY),
                gui_driver::ShellFolderPath(CSIDL_COMMON_PROGRAMS)};
    for (const std::wstring& folder : folders_) {
      ASSERT_FALSE(folder.empty());
      gui_driver::DeleteSetupShortcuts(folder);
    }
    program_ = gui_driver::ReadWholeFile(gui_driver::SampleProgramPath()).value_or(std::string());
    ASSERT_FALSE(program_.empty()) << "the sample program was not built: " << Utf8(gui_driver::SampleProgramPath());
  }

  // The program under `programName`, and a second file beside it.
  std::string DataFile(const std::wstring& programName) {
    std::string error;
    const auto bytes = gui_driver::PackDataFile(
        {{0, "20240401090000", programName, program_}, {0, "20240401090000", L"readme.txt", "read me\r\n"}},
        &error);
    EXPECT_TRUE(bytes) << error;
    return bytes.value_or(std::string());
  }

  std::optional<std::wstring> InstallInto(const std::wstring& typed, const std::wstring& programName,
                                          bool expectWarning = false, const std::string& screenshot = {}) {
    InstallRequest request;
    request.destination = typed;
    request.dataFile = DataFile(programName);
    request.expectShortcutWarning = expectWarning;
    request.screenshot = screenshot;
    return Install(request);
  }

  // Both folders must hold exactly these shortcuts (name -> target), each starting in `workingDirectory`
  // of its target and carrying the description.
  void ExpectShortcuts(const std::map<std::wstring, std::pair<std::wstring, std::wstring>>& expected) {
    std::vector<std::wstring> names;
    for (const auto& [name, unused] : expected) names.push_back(name);
    for (const std::wstring& folder : folders_) {
      SCOPED_TRACE(Utf8(folder));
      std::vector<std::string> found, wanted;
      for (const auto& name : gui_driver::SetupShortcuts(folder)) found.push_back(Utf8(name));
      for (const auto& name : names) wanted.push_back(Utf8(name));
      EXPECT_EQ(found, wanted);
      for (const auto& [name, where] : expected) {
        const auto info = gui_driver::ReadShellLink(folder + L"\\" + name);
        ASSERT_TRUE(info) << Utf8(name) << " cannot be read as a shortcut";
        EXPECT_EQ(Utf8(info->target), Utf8(where.first)) << Utf8(name);
        EXPECT_EQ(Utf8(info->workingDirectory), Utf8(where.second)) << Utf8(name);
        EXPECT_EQ(Utf8(info->description), Utf8(kDescription)) << Utf8(name);
        // A shortcut file holds only normal, maximised or minimised: the setup's 5 (show) reads back as normal.
        EXPECT_EQ(info->showCommand, SW_SHOWNORMAL) << Utf8(name);
      }
    }
  }

  // The bytes of one shortcut in both folders, to show that an installation left it alone.
  std::vector<std::string> Bytes(const std::wstring& name) {
    std::vector<std::string> bytes;
    for (const std::wstring& folder : folders_) {
      bytes.push_back(gui_driver::ReadWholeFile(folder + L"\\" + name).value_or("(missing)"));
    }
    return bytes;
  }

  void MarkStale(const std::wstring& name) {
    for (const std::wstring& folder : folders_) {
      ASSERT_TRUE(gui_driver::SetShellLinkDescription(folder + L"\\" + name, L"stale"));
    }
  }

  // Opens the desktop shortcut as a double click would; the program says where it was started.
  void OpenDesktopShortcut(const std::wstring& expectedFolder) {
    const std::wstring link = folders_[0] + L"\\" + kPlain;
    SHELLEXECUTEINFOW open = {};
    open.cbSize = sizeof(open);
    open.fMask = SEE_MASK_FLAG_NO_UI;
    open.lpFile = link.c_str();
    open.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&open)) << "the shortcut does not open, error " << GetLastError();
    // The shell starts the program for the shortcut and hands back no process: find its window.
    auto window = gui_driver::WaitForValue<HWND>([]() -> std::optional<HWND> {
      HWND found = FindWindowW(L"#32770", L"KORVENTA");
      return found && IsWindowVisible(found) ? std::optional<HWND>(found) : std::nullopt;
    });
    ASSERT_TRUE(window) << "the program showed no window";
    DWORD processId = 0;
    GetWindowThreadProcessId(*window, &processId);
    gui_driver::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    const gui_driver::MessageBoxWindow box(*window);
    EXPECT_EQ(Utf8(box.Text()),
              Utf8(L"KORVENTA sample program for the setup's sample medium.\n\nStarted in: " + expectedFolder));
    ASSERT_TRUE(box.Answer(IDOK));
    // A running program would keep the next installation from replacing it.
    ASSERT_TRUE(process.Valid());
    EXPECT_EQ(WaitForSingleObject(process.Get(), 15000), WAIT_OBJECT_0) << "the program did not close";
  }

  gui_driver::ComApartment com_;
  std::vector<std::wstring> folders_;
  std::string program_;
};

TEST_F(ShortcutTest, SuccessiveInstallationsReplaceOrNumberTheirShortcuts) {
  const std::wstring a = InFolder(L"A"), b = InFolder(L"B"), c = InFolder(L"C"), d = InFolder(L"D"),
                     e = InFolder(L"E"), f = InFolder(L"F");
  const std::wstring exe = L"\\KORVENTA.exe";
  {
    SCOPED_TRACE("first installation");
    ASSERT_TRUE(InstallInto(a, L"KORVENTA.exe", false, "shortcut-first-install-completed"));
    ExpectShortcuts({{kPlain, {a + exe, a}}});
    OpenDesktopShortcut(a);
  }
  {
    SCOPED_TRACE("the same folder again overwrites");
    MarkStale(kPlain);
    ASSERT_TRUE(InstallInto(a, L"KORVENTA.exe"));
    ExpectShortcuts({{kPlain, {a + exe, a}}});
  }
  {
    SCOPED_TRACE("a second folder gets number 2");
    const auto first = Bytes(kPlain);
    ASSERT_TRUE(InstallInto(b, L"KORVENTA.exe"));
    ExpectShortcuts({{kPlain, {a + exe, a}}, {Numbered(2), {b + exe, b}}});
    EXPECT_EQ(Bytes(kPlain), first) << "the first shortcut was touched";
  }
  {
    SCOPED_TRACE("a third folder gets number 3");
    const auto first = Bytes(kPlain), second = Bytes(Numbered(2));
    ASSERT_TRUE(InstallInto(c, L"KORVENTA.exe"));
    ExpectShortcuts({{kPlain, {a + exe, a}}, {Numbered(2), {b + exe, b}}, {Numbered(3), {c + exe, c}}});
    EXPECT_EQ(Bytes(kPlain), first);
    EXPECT_EQ(Bytes(Numbered(2)), second);
  }
  {
    SCOPED_TRACE("the second folder again overwrites number 2");
    MarkStale(Numbered(2));
    const auto first = Bytes(kPlain), third = Bytes(Numbered(3));
    ASSERT_TRUE(InstallInto(b, L"KORVENTA.exe"));
    ExpectShortcuts({{kPlain, {a + exe, a}}, {Numbered(2), {b + exe, b}}, {Numbered(3), {c + exe, c}}});
    EXPECT_EQ(Bytes(kPlain), first);
    EXPECT_EQ(Bytes(Numbered(3)), third);
  }
  const std::map<std::wstring, std::pair<std::wstring, std::wstring>> earlier = {
      {kPlain, {a + exe, a}}, {Numbered(2), {b + exe, b}}, {Numbered(3), {c + exe, c}}};
  auto with = [&earlier](const std::wstring& name, const std::wstring& target, const std::wstring& folder) {
    auto all = earlier;
    all[name] = {target, folder};
    return all;
  };
  {
    SCOPED_TRACE("the program's name in another case is found and kept");
    ASSERT_TRUE(InstallInto(d, L"korventa.EXE"));
    ExpectShortcuts(with(Numbered(4), d + L"\\korventa.EXE", d));
  }
  auto withFour = with(Numbered(4), d + L"\\korventa.EXE", d);
  {
    // The shell stores the target normalised, so a doubled backslash would show only as a shortcut that
    // no longer matches its own installation: the second install must replace number 5, not add 6.
    SCOPED_TRACE("a destination typed with a trailing backslash, twice");
    auto all = withFour;
    all[Numbered(5)] = {e + exe, e + L"\\"};
    ASSERT_TRUE(InstallInto(e + L"\\", L"KORVENTA.exe"));
    ExpectShortcuts(all);
    MarkStale(Numbered(5));
    ASSERT_TRUE(InstallInto(e + L"\\", L"KORVENTA.exe"));
    ExpectShortcuts(all);
    withFour = all;
  }
  {
    SCOPED_TRACE("the program only in a subfolder");
    ASSERT_TRUE(CreateDirectoryW(f.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((f + L"\\sub").c_str(), nullptr));
    const auto log = InstallInto(f, L"sub\\KORVENTA.exe", true, "shortcut-failed-completed");
    ASSERT_TRUE(log);
    EXPECT_EQ(Utf8(*log),
              Utf8(L"Check Data File...\r\nCreate \"sub\\KORVENTA.exe\"...\r\nCreate \"readme.txt\"...\r\n"
                   L"Create shortcut...\r\nInstall successfully, but create shortcut failed! "));
    ExpectShortcuts(withFour);
  }
}

}  // namespace
}  // namespace gui_tests
