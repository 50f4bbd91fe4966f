#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "driver/wizard.h"
#include "gui/setup_fixture.h"

namespace gui_tests {

// Texts of a completed installation.
extern const wchar_t kTitleComplete[];
extern const wchar_t kSetupComplete[];
extern const wchar_t kShortcutFailed[];

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

// One whole installation as a user makes it: the setup started from a medium folder of its own, the
// wizard walked to the progress page, the installation waited for, the finish button and the completion
// message answered, exit code 0.
class InstallTest : public SetupTest {
 protected:
  // The completed page's log as its control gives it back (CR LF line breaks); nothing when the
  // installation did not complete, with the reason reported as a test failure.
  std::optional<std::wstring> Install(const InstallRequest& request);

 private:
  int media_ = 0;
};

}  // namespace gui_tests
