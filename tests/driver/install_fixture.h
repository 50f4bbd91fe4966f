// A setup run that goes past the destination page: the data file is written first, the wizard is
// walked to the destination page, and Next there starts the installation.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/install_checks.h"
#include "driver/install_data_file.h"
#include "gui/setup_fixture.h"

namespace gui_tests {

extern const wchar_t kDataFileMissing[];
extern const wchar_t kWriteFailed[];
extern const wchar_t kCompletionMessage[];
extern const wchar_t kTitleInstalling[];
extern const wchar_t kTitleComplete[];
extern const wchar_t kFinishCaption[];
extern const wchar_t kLogCheck[];

// One line of the log for a file about to be written.
std::wstring CreateLine(const std::wstring& name);
// The log as the rich edit returns it: every line break comes back as CR LF.
std::wstring JoinLog(const std::vector<std::wstring>& lines);

class InstallTest : public SetupTest {
 protected:
  // Writes KORVENTA.cab into the test's folder, starts the setup there and walks to the destination page.
  std::optional<gui_driver::Wizard> OpenAtDestination(const std::vector<install_tests::DataEntry>& entries,
                                                      const install_tests::Damage& damage = {});
  // Types the destination and presses Next; succeeds once the progress page is current.
  testing::AssertionResult StartInstall(const gui_driver::Wizard& wizard, const std::wstring& destination);

  std::wstring Log(const gui_driver::Wizard& wizard) const;
  HWND Bar(const gui_driver::Wizard& wizard) const;
  // The bar's fill in percent as the screen shows it.
  testing::AssertionResult BarShows(const gui_driver::Wizard& wizard, int percent) const;

  // Waits until the finish button can be pressed; a message box or the end of the setup instead fails.
  testing::AssertionResult WaitForCompletion(const gui_driver::Wizard& wizard,
                                             gui_driver::Millis timeout = gui_driver::kDefaultTimeout);
  // Nothing comes up and the setup keeps running for `period`: a refused request.
  testing::AssertionResult StaysQuiet(gui_driver::Millis period);

  // Waits for the setup to end with `exitCode`; a message box that comes up instead fails the test.
  // A dialog without text is not one: the wizard is such a dialog for a moment while the process ends.
  void ExpectEndsSilently(DWORD exitCode);

  // The warning `text`, owned by the progress page, answered with OK; the setup then ends with exit code 1.
  void ExpectStopsWith(const gui_driver::Wizard& wizard, const wchar_t* text, const std::string& shot);

  // Names found in a folder after the run, and what was expected.
  void ExpectFolderHolds(const std::wstring& folder, std::vector<std::wstring> names);
};

}  // namespace gui_tests
