#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver/message_box.h"
#include "driver/setup_process.h"
#include "driver/wizard.h"

namespace gui_tests {

// Exit codes of the setup.
constexpr DWORD kExitFinished = 0;
constexpr DWORD kExitAfterError = 1;
constexpr DWORD kExitCancelled = 2;
constexpr DWORD kExitAlreadyRunning = 3;

// Texts of the setup's windows.
extern const wchar_t kSetupCaption[];
extern const wchar_t kCancelCaption[];
extern const wchar_t kCancelQuestion[];
extern const wchar_t kDataFileMissingAtStart[];
extern const wchar_t kDataFileDamaged[];
extern const wchar_t kTitleComplete[];
extern const wchar_t kCompletionMessage[];

// Each test works in a fresh folder C:\test-N of the Wine prefix with its own data file, and runs the
// setup program that the build names (or KORVENTA_SETUP_EXE) with that folder as current directory.
class SetupTest : public testing::Test {
 protected:
  void SetUp() override;

  static std::wstring SetupExecutable();
  const std::wstring& Folder() const { return folder_; }
  std::wstring InFolder(const std::wstring& name) const { return folder_ + L"\\" + name; }

  testing::AssertionResult WriteDataFile(const std::wstring& folder, const std::string& bytes = {});
  // Starts a copy of the setup; the fixture keeps the first one as setup_.
  std::optional<gui_driver::SetupProcess> Launch(const std::wstring& exe, const std::wstring& currentFolder);
  testing::AssertionResult StartSetup(const std::wstring& currentFolder);
  // An empty data file is enough to get the wizard on screen.
  std::optional<gui_driver::Wizard> StartWizard();

  // Starts the setup in a folder that holds its data file and walks the wizard to the destination page;
  // nothing, with the reason reported as a test failure, when it does not get there.
  std::optional<gui_driver::Wizard> StartAtDestination(const std::wstring& currentFolder);

  // Cancel pressed and confirmed with Yes: the setup ends quietly as cancelled.
  void CancelAndConfirm(const gui_driver::Wizard& wizard);

  // The one message box of the setup, checked for its caption, text, icon and buttons.
  std::optional<gui_driver::MessageBoxWindow> ExpectMessageBox(const wchar_t* caption, const wchar_t* text,
                                                               std::initializer_list<int> buttons);
  // Waits for the setup to end; a message box that comes up instead fails the test with its text.
  void ExpectEndsWithoutMessage(DWORD exitCode);

  // Saves a picture of the window for a person to look at (see KORVENTA_SHOTS).
  void Screenshot(HWND window, const std::string& name);

  std::wstring folder_;
  std::optional<gui_driver::SetupProcess> setup_;
};

}  // namespace gui_tests
