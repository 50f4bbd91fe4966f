// The cancel confirmation on the four pages before the installation, reached by button and by Esc.
#include <windows.h>

#include "driver/keyboard.h"
#include "driver/message_box.h"
#include "driver/window_text.h"
#include "gui/setup_fixture.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::MessageBoxWindow;
using gui_driver::Wizard;
using gui_driver::WizardButton;

enum class Trigger { CancelButton, EscapeKey, CloseCommand };

struct CancelCase {
  const char* name;
  Page page;
  Trigger trigger;
  int focusId;      // for Esc: the control that has the focus
  bool focusOnPage; // the control is the page's own (else one of the sheet's buttons)
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class CancelTest : public SetupTest, public testing::WithParamInterface<CancelCase> {
 protected:
  testing::AssertionResult RequestCancel(const Wizard& wizard) {
    const CancelCase& c = GetParam();
    if (c.trigger == Trigger::CancelButton) return wizard.Press(WizardButton::Cancel);
    if (c.trigger == Trigger::CloseCommand) {
      // What the title bar's close box sends.
      if (PostMessageW(wizard.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0)) return testing::AssertionSuccess();
      return testing::AssertionFailure() << "posting the close command failed";
    }
    HWND control = c.focusOnPage ? wizard.PageControl(c.focusId) : GetDlgItem(wizard.Handle(), c.focusId);
    if (!control) return testing::AssertionFailure() << "no control " << c.focusId << " to put the focus in";
    testing::AssertionResult focused = gui_driver::FocusControl(control);
    if (!focused) return focused;
    return gui_driver::PressKey(control, VK_ESCAPE);
  }

  std::optional<MessageBoxWindow> ExpectConfirmation(const Wizard& wizard) {
    auto box = ExpectMessageBox(kCancelCaption, kCancelQuestion, {IDYES, IDNO});
    if (box) {
      EXPECT_EQ(box->Owner(), wizard.Handle()) << "the confirmation must belong to the wizard";
      EXPECT_FALSE(IsWindowEnabled(wizard.Handle())) << "the wizard stays usable under the confirmation";
    }
    return box;
  }
};

TEST_P(CancelTest, NoStaysOnThePageAndYesEndsWithExitCode2) {
  const CancelCase& c = GetParam();
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(Reach(*wizard, c.page, InFolder(L"dest")));

  ASSERT_TRUE(RequestCancel(*wizard));
  auto box = ExpectConfirmation(*wizard);
  ASSERT_TRUE(box);
  Screenshot(box->Handle(), std::string("cancel-") + c.name);
  ASSERT_TRUE(box->Answer(IDNO));
  EXPECT_TRUE(WaitForPage(*wizard, c.page)) << "No must leave the page as it was";
  EXPECT_FALSE(gui_driver::WaitFor([&] { return !gui_driver::FindMessageBoxes(setup_->Id()).empty(); },
                                   gui_driver::Millis{750}))
      << "the question came back after No";
  EXPECT_TRUE(setup_->Running());

  ASSERT_TRUE(RequestCancel(*wizard));
  box = ExpectConfirmation(*wizard);
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->Answer(IDYES));
  ExpectEndsWithoutMessage(kExitCancelled);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, CancelTest,
    testing::Values(CancelCase{"welcome_button", Page::Welcome, Trigger::CancelButton, 0, false},
                    CancelCase{"licence_button", Page::Licence, Trigger::CancelButton, 0, false},
                    CancelCase{"copyright_button", Page::Copyright, Trigger::CancelButton, 0, false},
                    CancelCase{"destination_button", Page::Destination, Trigger::CancelButton, 0, false},
                    CancelCase{"welcome_esc_on_next", Page::Welcome, Trigger::EscapeKey, 12324, false},
                    CancelCase{"licence_esc_in_document", Page::Licence, Trigger::EscapeKey, 1023, true},
                    CancelCase{"copyright_esc_in_document", Page::Copyright, Trigger::EscapeKey, 1023, true},
                    CancelCase{"destination_esc_in_folder_edit", Page::Destination, Trigger::EscapeKey, 1011,
                               true},
                    CancelCase{"welcome_close_box", Page::Welcome, Trigger::CloseCommand, 0, false},
                    CancelCase{"destination_close_box", Page::Destination, Trigger::CloseCommand, 0, false}),
    [](const testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

}  // namespace
}  // namespace gui_tests
