// The wizard's window and the buttons each page sets, walked forward and back as a user would.
#include <windows.h>

#include "driver/message_box.h"
#include "driver/window_text.h"
#include "gui/setup_fixture.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::Utf8;
using gui_driver::WizardButton;

using WizardTest = SetupTest;

TEST_F(WizardTest, SheetHasMinimizeBoxAndTaskbarButton) {
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  EXPECT_TRUE(wizard->Style() & WS_MINIMIZEBOX) << "no minimise box";
  EXPECT_TRUE(wizard->ExStyle() & WS_EX_APPWINDOW) << "no taskbar button of its own";
}

struct Step {
  WizardButton press;
  Page to;
};

// Every back button that can be pressed, and each page reached again after it.
const Step kWalk[] = {
    {WizardButton::Next, Page::Licence},     {WizardButton::Back, Page::Welcome},
    {WizardButton::Next, Page::Licence},     {WizardButton::Next, Page::Copyright},
    {WizardButton::Back, Page::Licence},     {WizardButton::Next, Page::Copyright},
    {WizardButton::Next, Page::Destination}, {WizardButton::Back, Page::Copyright},
    {WizardButton::Next, Page::Destination},
};

TEST_F(WizardTest, EachPageSetsItsButtonsForwardAndBack) {
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(WaitForPage(*wizard, Page::Welcome));
  EXPECT_EQ(Utf8(wizard->Caption()), Utf8(kSetupCaption));
  Screenshot(wizard->Handle(), "wizard-0-welcome");

  int shot = 0;
  for (const Step& step : kWalk) {
    SCOPED_TRACE(std::string("going to the ") + PageName(step.to) + " page");
    ASSERT_TRUE(Go(*wizard, step.press, step.to));
    EXPECT_EQ(Utf8(wizard->Caption()), Utf8(kSetupCaption));
    Screenshot(wizard->Handle(), "wizard-" + std::to_string(++shot) + "-" + PageName(step.to));
  }

  // Next on the destination page starts the installation; the empty data file then fails its check.
  const std::wstring destination = InFolder(L"dest");
  HWND edit = wizard->PageControl(1011);
  ASSERT_TRUE(edit);
  ASSERT_TRUE(gui_driver::SetWindowTextRemote(edit, destination));
  ASSERT_TRUE(Go(*wizard, WizardButton::Next, Page::Progress));
  EXPECT_EQ(GetFileAttributesW(destination.c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY)
      << "the typed destination was not created";

  auto box = ExpectMessageBox(kSetupCaption, kDataFileDamaged, {IDOK});
  ASSERT_TRUE(box);
  Screenshot(wizard->Handle(), "wizard-progress");
  EXPECT_TRUE(WaitForPage(*wizard, Page::Progress)) << "the progress page changed under the error message";
  ASSERT_TRUE(box->Answer(IDOK));
  ExpectEndsWithoutMessage(kExitAfterError);
}

}  // namespace
}  // namespace gui_tests
