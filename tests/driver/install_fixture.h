// Setup runs that go past the destination page: the data file is written first, the wizard is walked to
// the destination page, and Next there starts the installation.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver/install_checks.h"
#include "driver/install_data_file.h"
#include "gui/setup_fixture.h"

namespace gui_tests {

extern const wchar_t kDataFileMissing[];
extern const wchar_t kWriteFailed[];
extern const wchar_t kTitleInstalling[];
extern const wchar_t kShortcutFailed[];
extern const wchar_t kFinishCaption[];
extern const wchar_t kLogCheck[];

// One line of the log for a file about to be written.
std::wstring CreateLine(const std::wstring& name);
// The log as the rich edit returns it: every line break comes back as CR LF.
std::wstring JoinLog(const std::vector<std::wstring>& lines);

// Wine's Windows version for one program (win2k, winxp, vista, win7, win8, win98, ...), by its file name;
// Wine reads it when the program starts. An empty text takes the setting away.
testing::AssertionResult SetWineVersion(const std::wstring& programPath, const std::wstring& version);

struct InstallRequest {
  std::wstring wineVersion;  // empty: Wine's default
  std::wstring destination;  // typed into the destination page as it stands
  std::string dataFile;      // the bytes of KORVENTA.cab on the medium
  bool expectShortcutWarning = false;
  std::string screenshot;  // a picture of the completed page under this name; empty: none
  // Runs once Next has been pressed on the destination page, before the installation completes.
  std::function<void(const gui_driver::Wizard&)> whileInstalling;
};

class InstallTest : public SetupTest {
 protected:
  // One whole installation as a user makes it: the setup started from a medium folder of its own, the
  // wizard walked to the progress page, the installation waited for, the finish button and the
  // completion message answered, exit code 0. Gives the completed page's log as its control gives it
  // back (CR LF line breaks); nothing when the installation did not complete, with the reason reported
  // as a test failure.
  std::optional<std::wstring> Install(const InstallRequest& request);

  // Writes KORVENTA.cab into the test's folder, starts the setup there and walks to the destination page.
  std::optional<gui_driver::Wizard> OpenAtDestination(const std::vector<install_tests::DataEntry>& entries,
                                                      const install_tests::Damage& damage = {});
  // Types the destination and presses Next; succeeds once the progress page is current.
  testing::AssertionResult StartInstall(const gui_driver::Wizard& wizard, const std::wstring& destination);

  std::wstring Log(const gui_driver::Wizard& wizard) const;
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

 private:
  int media_ = 0;
};

}  // namespace gui_tests
