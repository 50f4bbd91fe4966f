#include "gui/setup_fixture.h"

#include <windows.h>

#include "driver/files.h"
#include "driver/screenshot.h"
#include "driver/window_text.h"
#include "gui/wizard_pages.h"

namespace gui_tests {

using gui_driver::MessageBoxWindow;
using gui_driver::SetupProcess;
using gui_driver::Utf8;

const wchar_t kSetupCaption[] = L"KORVENTA ｾｯﾄｱｯﾌﾟ";
const wchar_t kCancelCaption[] = L"ｾｯﾄｱｯﾌﾟの中止";
const wchar_t kCancelQuestion[] = L"     ｾｯﾄｱｯﾌﾟは完了していません。\n\nインストールを中止してもよろしいですか?";
const wchar_t kDataFileMissingAtStart[] = L"ﾃﾞｰﾀﾌｧｲﾙが見つかりません。ｾｯﾄｱｯﾌﾟを開始出来ません。";
const wchar_t kDataFileDamaged[] = L"ﾃﾞｰﾀﾌｧｲﾙが壊れています。ｾｯﾄｱｯﾌﾟを終了します。";
const wchar_t kTitleComplete[] = L"インストール完了";
const wchar_t kCompletionMessage[] = L" KORVENTAのｾｯﾄｱｯﾌﾟが完了しました。";

namespace {

std::string Describe(const std::vector<MessageBoxWindow>& boxes) {
  std::string out;
  for (const MessageBoxWindow& box : boxes) out += " [\"" + Utf8(box.Caption()) + "\": \"" + Utf8(box.Text()) + "\"]";
  return out;
}

std::wstring CreateFreshFolder() {
  for (int n = 1; n < 10000; ++n) {
    std::wstring candidate = L"C:\\test-" + std::to_wstring(n);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

}  // namespace

std::wstring SetupTest::SetupExecutable() {
  std::wstring path = gui_driver::EnvironmentVariable(L"KORVENTA_SETUP_EXE");
#ifdef SETUP_EXE
  if (path.empty()) {
    const std::string built = SETUP_EXE;
    path.assign(built.begin(), built.end());
  }
#endif
  return gui_driver::WindowsPath(path);
}

void SetupTest::SetUp() {
  const std::wstring exe = SetupExecutable();
  ASSERT_FALSE(exe.empty()) << "no setup program: set KORVENTA_SETUP_EXE";
  ASSERT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES)
      << "the setup program " << Utf8(exe) << " does not exist: build the target setup or set KORVENTA_SETUP_EXE";
  folder_ = CreateFreshFolder();
  ASSERT_FALSE(folder_.empty()) << "cannot create a fresh folder C:\\test-N";
}

testing::AssertionResult SetupTest::WriteDataFile(const std::wstring& folder, const std::string& bytes) {
  const std::wstring path = folder + L"\\KORVENTA.cab";
  // Each run writes its own: one left from another run would make the test say nothing.
  if (gui_driver::PathExists(path)) return testing::AssertionFailure() << Utf8(path) << " exists already";
  return gui_driver::WriteWholeFile(path, bytes);
}

std::optional<SetupProcess> SetupTest::Launch(const std::wstring& exe, const std::wstring& currentFolder) {
  std::wstring error;
  auto process = SetupProcess::Start(exe, currentFolder, &error);
  if (!process) ADD_FAILURE() << Utf8(error);
  return process;
}

testing::AssertionResult SetupTest::StartSetup(const std::wstring& currentFolder) {
  setup_ = Launch(SetupExecutable(), currentFolder);
  return setup_ ? testing::AssertionSuccess() : testing::AssertionFailure() << "the setup did not start";
}

std::optional<gui_driver::Wizard> SetupTest::StartWizard() {
  if (!WriteDataFile(folder_) || !StartSetup(folder_)) return std::nullopt;
  auto wizard = gui_driver::WaitForWizard(setup_->Id());
  if (!wizard) {
    ADD_FAILURE() << "no wizard came up; message boxes:" << Describe(gui_driver::FindMessageBoxes(setup_->Id()));
    return std::nullopt;
  }
  return wizard;
}

std::optional<gui_driver::Wizard> SetupTest::StartAtDestination(const std::wstring& currentFolder) {
  if (!StartSetup(currentFolder)) return std::nullopt;
  auto wizard = gui_driver::WaitForWizard(setup_->Id());
  if (!wizard) {
    ADD_FAILURE() << "no wizard came up";
    return std::nullopt;
  }
  if (testing::AssertionResult reached = Reach(*wizard, Page::Destination, L""); !reached) {
    ADD_FAILURE() << reached.message();
    return std::nullopt;
  }
  return wizard;
}

void SetupTest::CancelAndConfirm(const gui_driver::Wizard& wizard) {
  ASSERT_TRUE(wizard.Press(gui_driver::WizardButton::Cancel));
  auto box = ExpectMessageBox(kCancelCaption, kCancelQuestion, {IDYES, IDNO});
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->Answer(IDYES));
  ExpectEndsWithoutMessage(kExitCancelled);
}

std::optional<MessageBoxWindow> SetupTest::ExpectMessageBox(const wchar_t* caption, const wchar_t* text,
                                                            std::initializer_list<int> buttons) {
  auto box = gui_driver::WaitForMessageBox(setup_->Id());
  if (!box) {
    ADD_FAILURE() << "no message box \"" << Utf8(text) << "\" came up"
                  << (setup_->Running() ? "" : "; the setup has ended");
    return std::nullopt;
  }
  EXPECT_EQ(Utf8(box->Caption()), Utf8(caption));
  EXPECT_EQ(Utf8(box->Text()), Utf8(text));
  EXPECT_TRUE(box->HasIcon()) << "the message box shows no warning icon";
  EXPECT_EQ(box->Buttons(), std::vector<int>(buttons));
  EXPECT_EQ(gui_driver::FindMessageBoxes(setup_->Id()).size(), 1u) << "more than one message box";
  return box;
}

void SetupTest::ExpectEndsWithoutMessage(DWORD exitCode) {
  std::vector<MessageBoxWindow> boxes;
  gui_driver::WaitFor([&] {
    boxes = gui_driver::FindMessageBoxes(setup_->Id());
    return !setup_->Running() || !boxes.empty();
  });
  ASSERT_TRUE(boxes.empty()) << "unexpected message box:" << Describe(boxes);
  const auto code = setup_->WaitForExit(gui_driver::Millis{1000});
  ASSERT_TRUE(code.has_value()) << "the setup did not end";
  EXPECT_EQ(*code, exitCode);
}

void SetupTest::Screenshot(HWND window, const std::string& name) {
  EXPECT_TRUE(gui_driver::SaveScreenshot(window, name));
}

}  // namespace gui_tests
