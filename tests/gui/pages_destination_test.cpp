// The destination page: the paths it refuses and accepts, the folders it creates, the path the
// installation then uses, its two space lines, and the Close command after acceptance.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/keyboard.h"
#include "driver/message_box.h"
#include "driver/pages_close_box.h"
#include "driver/install_data_file.h"
#include "driver/pages_folder_tree.h"
#include "driver/screenshot.h"
#include "driver/pages_typing.h"
#include "driver/window_text.h"
#include "gui/setup_fixture.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::FolderTree;
using gui_driver::Millis;
using gui_driver::SnapshotTree;
using gui_driver::TreeGrewBy;
using gui_driver::Utf8;
using gui_driver::WaitFor;
using gui_driver::Wizard;
using gui_driver::WizardButton;

constexpr int kFreeSpaceLine = 1026;
constexpr int kRequiredSpaceLine = 1027;
const wchar_t kPathInvalid[] = L"このパスは無効です。";
const wchar_t kFreeSpaceUnknown[] = L"空き容量:";
const wchar_t kFreeSpacePrefix[] = L"空き容量: ";
const wchar_t kRequiredSpaceTenMegabytes[] = L"必要容量: 10.0 MB";
const wchar_t kDefaultTail[] = L"Program Files\\KORVENTA\\mv-t30582";

// Long enough for the setup to show a second message box, were it to show one.
constexpr Millis kQuietPeriod{1000};
// The first shortcut of a fresh Wine prefix starts the shell's services.
constexpr Millis kInstallTimeout{90000};

// A path of exactly `length` characters: `base`, then folders of at most 60 characters.
std::wstring PathOfLength(const std::wstring& base, size_t length) {
  std::wstring path = base;
  while (path.size() < length) {
    size_t take = std::min<size_t>(60, length - path.size() - 1);
    // A single character left over would end the path in a lone backslash.
    if (length - path.size() - 1 - take == 1) --take;
    path += L'\\';
    path.append(take, L'a');
  }
  return path;
}

// The folders a path creates below `base`, shortest first, as relative names.
std::vector<std::wstring> FoldersBelow(const std::wstring& base, const std::wstring& path) {
  std::vector<std::wstring> folders;
  for (size_t at = base.size() + 1; at <= path.size(); ++at) {
    if (at == path.size() || path[at] == L'\\') {
      folders.push_back(path.substr(base.size() + 1, at - base.size() - 1));
    }
  }
  return folders;
}

std::wstring UnmappedDrive() {
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter) {
    if (!(drives & (1u << (letter - L'A')))) return std::wstring(1, letter);
  }
  return {};
}

double FreeMegabytes(const wchar_t* root) {
  ULARGE_INTEGER available = {}, total = {}, free = {};
  if (!GetDiskFreeSpaceExW(root, &available, &total, &free)) return -1;
  return static_cast<double>(free.QuadPart) / 1048576.0;
}

// "空き容量: N.N MB" with one decimal, or nothing.
std::optional<double> ShownFreeMegabytes(const std::wstring& line) {
  const std::wstring prefix = kFreeSpacePrefix;
  const std::wstring suffix = L" MB";
  if (line.size() < prefix.size() + suffix.size() + 3 || line.compare(0, prefix.size(), prefix) != 0 ||
      line.compare(line.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return std::nullopt;
  }
  const std::wstring number = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
  const size_t point = number.find(L'.');
  if (point == std::wstring::npos || point == 0 || point + 2 != number.size()) return std::nullopt;
  for (wchar_t c : number) {
    if (c != L'.' && (c < L'0' || c > L'9')) return std::nullopt;
  }
  return std::wcstod(number.c_str(), nullptr);
}

class DestinationTest : public SetupTest {
 protected:
  std::optional<Wizard> OpenDestinationPage(const std::string& dataFile = {}) {
    if (!WriteDataFile(Folder(), dataFile)) return std::nullopt;
    return StartAtDestination(Folder());
  }

  // The whole picture a refusal must leave alone: the test's folder and the top of drive C.
  struct Trees {
    FolderTree folder, driveRoot;
  };
  Trees Snapshot() const { return {SnapshotTree(Folder()), SnapshotTree(L"C:", false)}; }

  testing::AssertionResult NoMessageBoxNow() { return gui_driver::NoMessageBoxWithin(setup_->Id(), Millis{0}); }

  testing::AssertionResult NoMessageBoxComes() { return gui_driver::NoMessageBoxWithin(setup_->Id(), kQuietPeriod); }

  // After acceptance with the empty data file the installation stops at its data check.
  void ExpectDataFileRefusedAndEnd() {
    auto box = ExpectMessageBox(kSetupCaption, kDataFileDamaged, {IDOK});
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->Answer(IDOK));
    ExpectEndsWithoutMessage(kExitAfterError);
  }
};

// ---- Refused paths: all on one run of the page, which must stay usable after each.

struct Refusal {
  const char* name;
  std::function<std::wstring(const std::wstring& folder)> typed;
  std::vector<std::wstring> created;  // folders below the test folder made before the failure
};

const Refusal kRefusals[] = {
    {"empty", [](const std::wstring&) { return L""; }, {}},
    {"only_blanks", [](const std::wstring&) { return L"  \t\x3000"; }, {}},
    {"bare_drive", [](const std::wstring&) { return L"C:"; }, {}},
    {"drive_relative", [](const std::wstring&) { return L"C:refused-drive-relative"; }, {}},
    {"network", [](const std::wstring&) { return L"\\\\server\\share\\x"; }, {}},
    {"relative", [](const std::wstring&) { return L"refused-relative\\sub"; }, {}},
    {"forward_slashes",
     [](const std::wstring& folder) {
       std::wstring path = folder + L"\\slashed";
       for (wchar_t& c : path) c = c == L'\\' ? L'/' : c;
       return path;
     },
     {}},
    {"drive_not_present", [](const std::wstring&) { return UnmappedDrive() + L":\\x"; }, {}},
    {"existing_file", [](const std::wstring& folder) { return folder + L"\\afile"; }, {}},
    // 227 characters: a backslash and a 32-character name would pass 259.
    {"too_long", [](const std::wstring& folder) { return PathOfLength(folder + L"\\long", 227); }, {}},
    {"file_in_the_way", [](const std::wstring& folder) { return folder + L"\\t\\file\\sub"; }, {}},
    {"uncreatable_in_the_middle", [](const std::wstring& folder) { return folder + L"\\kept\\bad|name\\sub"; },
     {L"kept"}},
};

TEST_F(DestinationTest, RefusesEachInvalidPathAndStaysWithTheTextSelected) {
  ASSERT_FALSE(UnmappedDrive().empty()) << "every drive letter from Q to Y is mapped";
  {
    gui_driver::UniqueHandle file(CreateFileW(InFolder(L"afile").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), "keep", 4, &written, nullptr));
  }
  ASSERT_TRUE(CreateDirectoryW(InFolder(L"t").c_str(), nullptr));
  {
    gui_driver::UniqueHandle file(CreateFileW(InFolder(L"t\\file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
  }
  auto wizard = OpenDestinationPage();
  ASSERT_TRUE(wizard);
  HWND page = wizard->CurrentPage();
  HWND edit = wizard->PageControl(kDestinationEditId);
  ASSERT_TRUE(edit);

  for (const Refusal& refusal : kRefusals) {
    SCOPED_TRACE(refusal.name);
    const std::wstring typed = refusal.typed(Folder());
    const Trees before = Snapshot();
    ASSERT_TRUE(gui_driver::SetWindowTextRemote(edit, typed));
    ASSERT_TRUE(wizard->Press(WizardButton::Next));

    auto box = ExpectMessageBox(kSetupCaption, kPathInvalid, {IDOK});
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Owner(), wizard->Handle());
    if (&refusal == &kRefusals[0]) {
      EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), "destination-path-invalid"));
    }
    ASSERT_TRUE(box->Answer(IDOK));
    ASSERT_TRUE(WaitFor([&] { return gui_driver::FindMessageBoxes(setup_->Id()).empty(); }));

    EXPECT_TRUE(WaitForPage(*wizard, Page::Destination));
    EXPECT_EQ(wizard->CurrentPage(), page);
    EXPECT_EQ(Utf8(gui_driver::WindowText(edit)), Utf8(typed)) << "the typed text must stay as it was";
    const std::pair<DWORD, DWORD> all{0, static_cast<DWORD>(typed.size())};
    EXPECT_TRUE(WaitFor([&] {
      return gui_driver::EditSelection(edit) == all && gui_driver::FocusedControl(edit) == edit;
    })) << "expected the focus in the edit with all its text selected; selection "
        << gui_driver::EditSelection(edit).first << ".." << gui_driver::EditSelection(edit).second;

    const Trees after = Snapshot();
    EXPECT_TRUE(TreeGrewBy(before.folder, after.folder, refusal.created));
    EXPECT_TRUE(TreeGrewBy(before.driveRoot, after.driveRoot));
  }

  // Still usable: a good path goes on to the installation.
  const std::wstring good = InFolder(L"good");
  ASSERT_TRUE(gui_driver::SetWindowTextRemote(edit, good));
  ASSERT_TRUE(Go(*wizard, WizardButton::Next, Page::Progress));
  EXPECT_NE(GetFileAttributesW(good.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  ExpectDataFileRefusedAndEnd();
}

// ---- Accepted paths: each one starts the installation, so each needs its own run.

struct Acceptance {
  const char* name;
  std::function<std::wstring(const std::wstring& folder)> typed;
  std::function<std::vector<std::wstring>(const std::wstring& folder)> created;
  bool hiddenFolderFirst;  // "hidden" exists below the test folder with the hidden attribute
};

std::vector<std::wstring> Nothing(const std::wstring&) { return {}; }

const Acceptance kAcceptances[] = {
    {"lower_case_drive", [](const std::wstring& f) { return L"c" + f.substr(1) + L"\\lower\\case"; },
     [](const std::wstring&) { return std::vector<std::wstring>{L"lower", L"lower\\case"}; }, false},
    {"drive_root", [](const std::wstring&) { return L"C:\\"; }, Nothing, false},
    {"existing_hidden_folder", [](const std::wstring& f) { return f + L"\\hidden"; }, Nothing, true},
    {"doubled_backslashes", [](const std::wstring& f) { return f + L"\\\\dbl\\\\\\one\\\\two"; },
     [](const std::wstring&) { return std::vector<std::wstring>{L"dbl", L"dbl\\one", L"dbl\\one\\two"}; },
     false},
    {"trailing_backslash", [](const std::wstring& f) { return f + L"\\trail\\"; },
     [](const std::wstring&) { return std::vector<std::wstring>{L"trail"}; }, false},
    // 226 characters: a backslash and a 32-character name just fit in 259.
    {"longest_path", [](const std::wstring& f) { return PathOfLength(f + L"\\long", 226); },
     [](const std::wstring& f) { return FoldersBelow(f, PathOfLength(f + L"\\long", 226)); }, false},
};

void PrintTo(const Acceptance& c, std::ostream* os) { *os << c.name; }

class AcceptedPathTest : public DestinationTest, public testing::WithParamInterface<Acceptance> {};

TEST_P(AcceptedPathTest, GoesOnAndCreatesExactlyTheMissingFolders) {
  const Acceptance& c = GetParam();
  if (c.hiddenFolderFirst) {
    ASSERT_TRUE(CreateDirectoryW(InFolder(L"hidden").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(InFolder(L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(GetFileAttributesW(InFolder(L"hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN)
        << "this file system keeps no hidden attribute on folders";
  }
  auto wizard = OpenDestinationPage();
  ASSERT_TRUE(wizard);
  HWND edit = wizard->PageControl(kDestinationEditId);
  ASSERT_TRUE(edit);
  const std::wstring typed = c.typed(Folder());
  const std::vector<std::wstring> created = c.created(Folder());
  const Trees before = Snapshot();

  ASSERT_TRUE(gui_driver::SetWindowTextRemote(edit, typed));
  ASSERT_TRUE(Go(*wizard, WizardButton::Next, Page::Progress));

  const Trees after = Snapshot();
  EXPECT_TRUE(TreeGrewBy(before.folder, after.folder, created));
  EXPECT_TRUE(TreeGrewBy(before.driveRoot, after.driveRoot));
  EXPECT_EQ(Utf8(gui_driver::WindowText(edit)), Utf8(typed)) << "the destination keeps the text as typed";
  ExpectDataFileRefusedAndEnd();
}

INSTANTIATE_TEST_SUITE_P(Pages, AcceptedPathTest, testing::ValuesIn(kAcceptances),
                         [](const testing::TestParamInfo<Acceptance>& info) { return info.param.name; });

// ---- Leading white space: accepted without it, and the installation uses the trimmed path.

struct Trimmed {
  const char* name;
  const wchar_t* blanks;
};

void PrintTo(const Trimmed& c, std::ostream* os) { *os << c.name; }

class TrimmedPathTest : public DestinationTest, public testing::WithParamInterface<Trimmed> {};

// Installed into the destination folder on every Windows version; the shortcuts need the program.
const std::vector<std::pair<std::string, std::string>> kInstalledFiles = {
    {"KORVENTA.exe", "not really a program"},
    {"first.txt", "first file\r\n"},
    {"second.dat", std::string(700, '\x5A')},
};

std::string DataFileInstalling(const std::vector<std::pair<std::string, std::string>>& files) {
  std::vector<install_tests::DataEntry> entries;
  for (const auto& [name, content] : files) {
    entries.push_back({name, "20240401090000", 0, install_tests::EntryContent::Bytes(content)});
  }
  const std::vector<std::uint8_t> bytes = install_tests::DataFileBytes(entries);
  return std::string(bytes.begin(), bytes.end());
}

TEST_P(TrimmedPathTest, FilesLandInTheTrimmedFolderAndCloseIsDisabled) {
  const std::string dataFile = DataFileInstalling(kInstalledFiles);
  ASSERT_FALSE(dataFile.empty());
  auto wizard = OpenDestinationPage(dataFile);
  ASSERT_TRUE(wizard);
  HWND edit = wizard->PageControl(kDestinationEditId);
  ASSERT_TRUE(edit);
  const std::wstring destination = InFolder(L"trimmed");
  const std::wstring typed = std::wstring(GetParam().blanks) + destination;

  // The close box before acceptance, for comparison (the picture also has the title bar painted).
  ASSERT_TRUE(gui_driver::FocusControl(edit));
  const std::string shotSuffix = std::string("close-") + GetParam().name;
  EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), "destination-" + shotSuffix));
  const auto closeBox = gui_driver::CloseBoxRect(wizard->Handle());
  ASSERT_TRUE(closeBox) << "no close box in the title bar";
  const int blackBefore = gui_driver::BlackGlyphPixels(*closeBox);

  ASSERT_TRUE(gui_driver::SetWindowTextRemote(edit, typed));
  ASSERT_TRUE(Go(*wizard, WizardButton::Next, Page::Progress));
  const bool finished = WaitFor([&] {
    return (wizard->Button(WizardButton::Finish).enabled && wizard->PageTitle() == kTitleComplete) ||
           !gui_driver::FindMessageBoxes(setup_->Id()).empty();
  }, kInstallTimeout);
  ASSERT_TRUE(NoMessageBoxNow());
  ASSERT_TRUE(finished) << "the installation did not finish; page \"" << Utf8(wizard->PageTitle()) << "\", "
                        << wizard->DescribeButtons() << " log \""
                        << Utf8(gui_driver::WindowText(wizard->PageControl(kLogId))) << "\"";

  for (const auto& [name, content] : kInstalledFiles) {
    const std::wstring path = destination + L"\\" + std::wstring(name.begin(), name.end());
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) << Utf8(path) << " is missing";
    EXPECT_EQ(data.nFileSizeLow, content.size()) << Utf8(path);
  }
  EXPECT_EQ(Utf8(gui_driver::WindowText(edit)), Utf8(typed)) << "the edit keeps what the user typed";

  // The Close command is greyed now: the cross of the close box is no longer drawn black.
  ASSERT_TRUE(gui_driver::FocusControl(GetDlgItem(wizard->Handle(), static_cast<int>(WizardButton::Finish))));
  EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), "progress-" + shotSuffix));
  const auto closeBoxAfter = gui_driver::CloseBoxRect(wizard->Handle());
  ASSERT_TRUE(closeBoxAfter);
  EXPECT_GT(blackBefore, 0) << "the enabled close box shows no black cross";
  EXPECT_EQ(gui_driver::BlackGlyphPixels(*closeBoxAfter), 0) << "the close box still looks enabled";

  // Neither the close box, nor Alt+F4, nor the command itself does anything now.
  ASSERT_TRUE(gui_driver::ClickAt(gui_driver::Centre(*closeBoxAfter)));
  EXPECT_TRUE(NoMessageBoxComes());
  HWND finish = GetDlgItem(wizard->Handle(), static_cast<int>(WizardButton::Finish));
  ASSERT_TRUE(gui_driver::FocusControl(finish));
  ASSERT_TRUE(gui_driver::PressChord(finish, {VK_MENU, VK_F4}));
  EXPECT_TRUE(NoMessageBoxComes());
  ASSERT_TRUE(PostMessageW(wizard->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0));
  EXPECT_TRUE(NoMessageBoxComes());
  ASSERT_TRUE(setup_->Running());
  EXPECT_EQ(Utf8(wizard->PageTitle()), Utf8(kTitleComplete));
  EXPECT_TRUE(wizard->Button(WizardButton::Finish).enabled);

  ASSERT_TRUE(wizard->Press(WizardButton::Finish));
  auto done = gui_driver::WaitForMessageBox(setup_->Id());
  ASSERT_TRUE(done);
  EXPECT_EQ(Utf8(done->Text()), Utf8(kCompletionMessage));
  ASSERT_TRUE(done->Answer(IDOK));
  ExpectEndsWithoutMessage(kExitFinished);
}

INSTANTIATE_TEST_SUITE_P(Pages, TrimmedPathTest,
                         testing::Values(Trimmed{"blanks_and_tab", L"  \t "}, Trimmed{"ideographic_space", L"\x3000"}),
                         [](const testing::TestParamInfo<Trimmed>& info) { return info.param.name; });

// ---- The space lines and the default destination.

struct LineStep {
  const char* what;
  std::function<testing::AssertionResult(HWND edit)> act;
  std::wstring editAfter;   // the keys have all arrived when the edit shows this
  const wchar_t* freeRoot;  // the volume whose free space the line shows, or none for "空き容量:"
};

testing::AssertionResult Type(HWND edit, const std::wstring& text) { return gui_driver::TypeText(edit, text); }
testing::AssertionResult Key(HWND edit, WORD key) { return gui_driver::PressKey(edit, key); }
testing::AssertionResult Replace(HWND edit, const std::wstring& text) {
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &ignored)) {
    return testing::AssertionFailure() << "cannot select the edit's text";
  }
  return Type(edit, text);
}

const std::wstring kNoDrive = UnmappedDrive() + L":\\";

// Typed key by key from the selected default, so that the line is checked after every change.
const LineStep kLineSteps[] = {
    {"delete the default", [](HWND e) { return Key(e, VK_DELETE); }, L"", nullptr},
    {"c", [](HWND e) { return Type(e, L"c"); }, L"c", nullptr},
    {"c:", [](HWND e) { return Type(e, L":"); }, L"c:", L"C:\\"},
    {"c:\\", [](HWND e) { return Type(e, L"\\"); }, L"c:\\", L"C:\\"},
    {"c:\\x", [](HWND e) { return Type(e, L"x"); }, L"c:\\x", L"C:\\"},
    {"back to c:\\", [](HWND e) { return Key(e, VK_BACK); }, L"c:\\", L"C:\\"},
    {"back to c:", [](HWND e) { return Key(e, VK_BACK); }, L"c:", L"C:\\"},
    {"back to c", [](HWND e) { return Key(e, VK_BACK); }, L"c", nullptr},
    {"back to empty", [](HWND e) { return Key(e, VK_BACK); }, L"", nullptr},
    {"no such drive", [](HWND e) { return Type(e, kNoDrive); }, kNoDrive, nullptr},
    {"ideographic space", [](HWND e) { return Replace(e, L"\x3000"); }, L"\x3000", nullptr},
    {"ideographic space, C:", [](HWND e) { return Type(e, L"C:"); }, L"\x3000" L"C:", L"C:\\"},
    {"network path", [](HWND e) { return Replace(e, L"\\\\server\\share"); }, L"\\\\server\\share", nullptr},
    {"drive Z", [](HWND e) { return Replace(e, L"Z:\\tmp"); }, L"Z:\\tmp", L"Z:\\"},
    {"blanks before drive Z", [](HWND e) { return Replace(e, L"  Z:"); }, L"  Z:", L"Z:\\"},
};

// The free space moves while others use the disk; what the page shows must lie within what this
// test measures around it.
constexpr double kFreeSpaceSlackMegabytes = 256;

TEST_F(DestinationTest, SpaceLinesFollowEveryChangeOfTheEdit) {
  ASSERT_FALSE(UnmappedDrive().empty());
  auto wizard = OpenDestinationPage(std::string(10485760, '\0'));
  ASSERT_TRUE(wizard);
  HWND edit = wizard->PageControl(kDestinationEditId);
  HWND freeLine = wizard->PageControl(kFreeSpaceLine);
  HWND requiredLine = wizard->PageControl(kRequiredSpaceLine);
  ASSERT_TRUE(edit && freeLine && requiredLine);

  // The default: the system drive's root and the fixed tail, selected, with the focus.
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 3u);
  const std::wstring defaultPath = std::wstring(system, 3) + kDefaultTail;
  EXPECT_EQ(Utf8(gui_driver::WindowText(edit)), Utf8(defaultPath));
  EXPECT_EQ(gui_driver::FocusedControl(edit), edit);
  EXPECT_EQ(gui_driver::EditSelection(edit), (std::pair<DWORD, DWORD>(0, static_cast<DWORD>(defaultPath.size()))));
  EXPECT_EQ(Utf8(gui_driver::WindowText(requiredLine)), Utf8(kRequiredSpaceTenMegabytes));
  const double systemDriveFree = FreeMegabytes(std::wstring(system, 3).c_str());
  const auto shownDefault = ShownFreeMegabytes(gui_driver::WindowText(freeLine));
  ASSERT_TRUE(shownDefault) << "free space line: \"" << Utf8(gui_driver::WindowText(freeLine)) << "\"";
  EXPECT_NEAR(*shownDefault, systemDriveFree, kFreeSpaceSlackMegabytes);
  EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), "destination-default"));

  ASSERT_TRUE(gui_driver::FocusControl(edit));
  for (const LineStep& step : kLineSteps) {
    SCOPED_TRACE(step.what);
    const double freeBefore = step.freeRoot ? FreeMegabytes(step.freeRoot) : 0;
    ASSERT_TRUE(step.act(edit));
    ASSERT_TRUE(WaitFor([&] { return gui_driver::WindowText(edit) == step.editAfter; }))
        << "the edit shows \"" << Utf8(gui_driver::WindowText(edit)) << "\"";
    std::wstring line;
    std::optional<double> shown;
    const bool settled = WaitFor([&] {
      line = gui_driver::WindowText(freeLine);
      shown = ShownFreeMegabytes(line);
      return step.freeRoot ? shown.has_value() : line == kFreeSpaceUnknown;
    }, Millis{5000});
    EXPECT_TRUE(settled) << "edit \"" << Utf8(gui_driver::WindowText(edit)) << "\", free space line \"" << Utf8(line)
                         << "\"";
    if (settled && step.freeRoot) {
      const double freeAfter = FreeMegabytes(step.freeRoot);
      EXPECT_GE(*shown, std::min(freeBefore, freeAfter) - kFreeSpaceSlackMegabytes) << Utf8(line);
      EXPECT_LE(*shown, std::max(freeBefore, freeAfter) + kFreeSpaceSlackMegabytes) << Utf8(line);
    }
    EXPECT_EQ(Utf8(gui_driver::WindowText(requiredLine)), Utf8(kRequiredSpaceTenMegabytes));
  }
  CancelAndConfirm(*wizard);
}

}  // namespace
}  // namespace gui_tests
