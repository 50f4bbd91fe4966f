#include "driver/install_fixture.h"

#include <windows.h>

#include <algorithm>

#include "driver/message_box.h"
#include "driver/window_text.h"
#include "gui/wizard_pages.h"

namespace gui_tests {

using gui_driver::Millis;
using gui_driver::Utf8;
using gui_driver::Wizard;
using gui_driver::WizardButton;

const wchar_t kDataFileMissing[] = L"ﾃﾞｰﾀﾌｧｲﾙが見つかりません。ｾｯﾄｱｯﾌﾟを終了します。";
const wchar_t kWriteFailed[] = L"ﾌｧｲﾙの書き込みに失敗しました。ｾｯﾄｱｯﾌﾟを終了します。";
const wchar_t kTitleInstalling[] = L"インストール中・・・";
const wchar_t kShortcutFailed[] = L"ﾃﾞｽｸﾄｯﾌﾟへｼｮｰﾄｶｯﾄの作成に失敗しました。";
const wchar_t kFinishCaption[] = L"次へ(&N)>";
const wchar_t kLogCheck[] = L"Check Data File...";

namespace {

std::string Describe(const std::vector<std::wstring>& names) {
  std::string out;
  for (const std::wstring& name : names) out += " \"" + Utf8(name) + "\"";
  return out.empty() ? " (nothing)" : out;
}

}  // namespace

std::wstring CreateLine(const std::wstring& name) { return L"Create \"" + name + L"\"..."; }

std::wstring JoinLog(const std::vector<std::wstring>& lines) {
  std::wstring log;
  for (const std::wstring& line : lines) log += (log.empty() ? L"" : L"\r\n") + line;
  return log;
}

std::optional<Wizard> InstallTest::OpenAtDestination(const std::vector<install_tests::DataEntry>& entries,
                                                     const install_tests::Damage& damage) {
  if (testing::AssertionResult written = gui_driver::WriteDataFileAt(InFolder(L"KORVENTA.cab"), entries, damage);
      !written) {
    ADD_FAILURE() << written.message();
    return std::nullopt;
  }
  return StartAtDestination(Folder());
}

testing::AssertionResult InstallTest::StartInstall(const Wizard& wizard, const std::wstring& destination) {
  if (testing::AssertionResult typed = TypeDestination(wizard, destination); !typed) return typed;
  testing::AssertionResult pressed = wizard.Press(WizardButton::Next);
  if (!pressed) return pressed;
  // A quick installation may be complete before we look.
  const bool onProgress = gui_driver::WaitFor([&] {
    const std::wstring title = wizard.PageTitle();
    return wizard.PageControl(kLogId) && (title == kTitleInstalling || title == kTitleComplete);
  });
  if (!onProgress) {
    return testing::AssertionFailure() << "the progress page did not come up; the wizard shows \""
                                       << Utf8(wizard.PageTitle()) << "\" with " << wizard.DescribeButtons();
  }
  return testing::AssertionSuccess();
}

std::wstring InstallTest::Log(const Wizard& wizard) const {
  HWND log = wizard.PageControl(kLogId);
  return log ? gui_driver::WindowText(log) : std::wstring();
}

testing::AssertionResult InstallTest::BarShows(const Wizard& wizard, int percent) const {
  std::optional<gui_driver::BarPicture> picture;
  // The bar repaints on the setup's own thread: give a pending repaint a moment.
  const bool shown = gui_driver::WaitFor(
      [&] {
        picture = gui_driver::ReadBarPicture(wizard.PageControl(kBarId));
        return picture && picture->Percent() == percent;
      },
      Millis{3000});
  if (!picture) return testing::AssertionFailure() << "cannot read the bar from the screen";
  if (!shown) {
    return testing::AssertionFailure() << "the bar is filled " << picture->filled << " of " << picture->width
                                       << " pixels (" << picture->Percent() << "%), expected " << percent << "%";
  }
  // The percentage is drawn across the bar: inverted over the fill, plain over the rest.
  if (percent > 0 && !picture->textOverFill) return testing::AssertionFailure() << "no text drawn over the fill";
  if (percent == 0 && !picture->textOverRest) return testing::AssertionFailure() << "no text drawn on the empty bar";
  return testing::AssertionSuccess();
}

testing::AssertionResult InstallTest::WaitForCompletion(const Wizard& wizard, Millis timeout) {
  std::vector<gui_driver::MessageBoxWindow> boxes;
  gui_driver::WaitFor(
      [&] {
        boxes = gui_driver::FindMessageBoxes(setup_->Id());
        return !boxes.empty() || !setup_->Running() || wizard.Button(WizardButton::Finish).enabled;
      },
      timeout, Millis{5});
  if (!boxes.empty()) {
    return testing::AssertionFailure() << "a message box came up instead: \"" << Utf8(boxes.front().Text()) << "\"";
  }
  if (!setup_->Running()) return testing::AssertionFailure() << "the setup ended during the installation";
  if (!wizard.Button(WizardButton::Finish).enabled) {
    return testing::AssertionFailure() << "the installation did not complete; log: \"" << Utf8(Log(wizard)) << "\"";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult InstallTest::StaysQuiet(Millis period) {
  std::vector<gui_driver::MessageBoxWindow> boxes;
  gui_driver::WaitFor(
      [&] {
        boxes = gui_driver::FindMessageBoxes(setup_->Id());
        return !boxes.empty() || !setup_->Running();
      },
      period);
  if (!boxes.empty()) return testing::AssertionFailure() << "a message box came up: \"" << Utf8(boxes.front().Text()) << "\"";
  if (!setup_->Running()) return testing::AssertionFailure() << "the setup ended";
  return testing::AssertionSuccess();
}

void InstallTest::ExpectEndsSilently(DWORD exitCode) {
  std::optional<gui_driver::MessageBoxWindow> shown;
  gui_driver::WaitFor([&] {
    for (const gui_driver::MessageBoxWindow& box : gui_driver::FindMessageBoxes(setup_->Id())) {
      if (!box.Text().empty()) shown = box;
    }
    return shown || !setup_->Running();
  });
  ASSERT_FALSE(shown) << "unexpected message box \"" << Utf8(shown->Caption()) << "\": \"" << Utf8(shown->Text()) << "\"";
  const auto code = setup_->WaitForExit(Millis{1000});
  ASSERT_TRUE(code.has_value()) << "the setup did not end";
  EXPECT_EQ(*code, exitCode);
}

void InstallTest::ExpectStopsWith(const Wizard& wizard, const wchar_t* text, const std::string& shot) {
  auto box = ExpectMessageBox(kSetupCaption, text, {IDOK});
  ASSERT_TRUE(box);
  EXPECT_EQ(box->Owner(), wizard.Handle()) << "the warning must belong to the wizard";
  EXPECT_EQ(Utf8(wizard.PageTitle()), Utf8(kTitleInstalling)) << "the page must still say that it installs";
  EXPECT_FALSE(wizard.Button(WizardButton::Finish).enabled) << "nothing may be finished after a failure";
  Screenshot(wizard.Handle(), shot);
  Screenshot(box->Handle(), shot + "-message");
  ASSERT_TRUE(box->Answer(IDOK));
  ExpectEndsSilently(kExitAfterError);
}

void InstallTest::ExpectFolderHolds(const std::wstring& folder, std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  const std::vector<std::wstring> found = gui_driver::FolderEntries(folder);
  EXPECT_EQ(found, names) << Utf8(folder) << " holds" << Describe(found) << "; expected" << Describe(names);
}

}  // namespace gui_tests
