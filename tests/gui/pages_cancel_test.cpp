// Closing the wizard from its title bar or with Alt+F4 on each page before the installation: one
// confirmation per request, No keeps everything as it was, Yes ends with exit code 2 and creates nothing.
#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "driver/keyboard.h"
#include "driver/pages_close_box.h"
#include "driver/pages_folder_tree.h"
#include "driver/message_box.h"
#include "driver/screenshot.h"
#include "driver/pages_typing.h"
#include "driver/window_text.h"
#include "gui/setup_fixture.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::FolderTree;
using gui_driver::Millis;
using gui_driver::Utf8;
using gui_driver::Wizard;
using gui_driver::WizardButton;

constexpr int kDocument = 1023;
constexpr int kTitle = 1018;
// Long enough for the sheet's own close handling to ask a second time, were it to.
constexpr Millis kQuietPeriod{1000};
const wchar_t kDefaultFolder[] = L"C:\\Program Files\\KORVENTA";

enum class Trigger { CloseBox, AltF4, PostedClose, CancelButton };

const char* TriggerName(Trigger trigger) {
  switch (trigger) {
    case Trigger::CloseBox: return "close box";
    case Trigger::AltF4: return "Alt+F4";
    case Trigger::PostedClose: return "posted SC_CLOSE";
    case Trigger::CancelButton: return "cancel button";
  }
  return "?";
}

struct CloseCase {
  const char* name;
  Page page;
  int focusId;                   // the control that has the focus for Alt+F4
  bool focusOnPage;              // else one of the sheet's buttons
  int contentId;                 // the page control whose text must survive a refused cancel
  std::vector<Trigger> refused;  // each answered with No
  Trigger accepted;              // answered with Yes
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

const std::vector<Trigger> kAllCloseRoutes = {Trigger::CloseBox, Trigger::AltF4, Trigger::PostedClose};

const CloseCase kCases[] = {
    {"welcome", Page::Welcome, static_cast<int>(WizardButton::Next), false, kTitle, kAllCloseRoutes,
     Trigger::CloseBox},
    {"licence", Page::Licence, kDocument, true, kDocument, kAllCloseRoutes, Trigger::AltF4},
    {"copyright", Page::Copyright, kDocument, true, kDocument, kAllCloseRoutes, Trigger::PostedClose},
    {"destination_typed", Page::Destination, kDestinationEditId, true, kDestinationEditId,
     {Trigger::CloseBox, Trigger::AltF4, Trigger::PostedClose, Trigger::CancelButton}, Trigger::CancelButton},
};

class CloseTest : public SetupTest, public testing::WithParamInterface<CloseCase> {
 protected:
  HWND FocusTarget(const Wizard& wizard) const {
    const CloseCase& c = GetParam();
    return c.focusOnPage ? wizard.PageControl(c.focusId) : GetDlgItem(wizard.Handle(), c.focusId);
  }

  testing::AssertionResult Request(const Wizard& wizard, Trigger trigger) {
    HWND focus = FocusTarget(wizard);
    if (!focus) return testing::AssertionFailure() << "no control " << GetParam().focusId;
    testing::AssertionResult focused = gui_driver::FocusControl(focus);
    if (!focused) return focused;
    switch (trigger) {
      case Trigger::CloseBox: {
        const auto box = gui_driver::CloseBoxRect(wizard.Handle());
        if (!box) return testing::AssertionFailure() << "no close box in the title bar";
        return gui_driver::ClickAt(gui_driver::Centre(*box));
      }
      case Trigger::AltF4:
        return gui_driver::PressChord(focus, {VK_MENU, VK_F4});
      case Trigger::PostedClose:
        if (PostMessageW(wizard.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0)) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "posting SC_CLOSE failed";
      case Trigger::CancelButton:
        return wizard.Press(WizardButton::Cancel);
    }
    return testing::AssertionFailure() << "unknown trigger";
  }

  std::optional<gui_driver::MessageBoxWindow> ExpectConfirmation(const Wizard& wizard) {
    auto box = ExpectMessageBox(kCancelCaption, kCancelQuestion, {IDYES, IDNO});
    if (box) {
      EXPECT_EQ(box->Owner(), wizard.Handle());
    }
    return box;
  }
};

TEST_P(CloseTest, OneConfirmationPerRequestNoKeepsAllYesEndsWithNothingCreated) {
  const CloseCase& c = GetParam();
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(Reach(*wizard, c.page, L""));
  const std::wstring typed = InFolder(L"never\\made");
  if (c.page == Page::Destination) {
    ASSERT_TRUE(gui_driver::SetWindowTextRemote(wizard->PageControl(kDestinationEditId), typed));
  }
  HWND content = wizard->PageControl(c.contentId);
  ASSERT_TRUE(content);
  const std::wstring contentBefore = gui_driver::WindowText(content);
  ASSERT_FALSE(contentBefore.empty());
  const FolderTree before = gui_driver::SnapshotTree(Folder());
  ASSERT_EQ(GetFileAttributesW(kDefaultFolder), INVALID_FILE_ATTRIBUTES) << "the default folder exists already";

  for (Trigger trigger : c.refused) {
    SCOPED_TRACE(TriggerName(trigger));
    ASSERT_TRUE(Request(*wizard, trigger));
    auto box = ExpectConfirmation(*wizard);
    ASSERT_TRUE(box);
    if (trigger == c.refused.front()) {
      EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), std::string("close-") + c.name));
    }
    ASSERT_TRUE(box->Answer(IDNO));
    EXPECT_TRUE(gui_driver::NoMessageBoxWithin(setup_->Id(), kQuietPeriod)) << "asked again after No";
    ASSERT_TRUE(setup_->Running());
    EXPECT_TRUE(WaitForPage(*wizard, c.page));
    EXPECT_EQ(Utf8(gui_driver::WindowText(content)), Utf8(contentBefore));
    EXPECT_TRUE(gui_driver::TreeGrewBy(before, gui_driver::SnapshotTree(Folder())));
  }

  SCOPED_TRACE(TriggerName(c.accepted));
  ASSERT_TRUE(Request(*wizard, c.accepted));
  auto box = ExpectConfirmation(*wizard);
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->Answer(IDYES));
  ExpectEndsWithoutMessage(kExitCancelled);
  EXPECT_TRUE(gui_driver::TreeGrewBy(before, gui_driver::SnapshotTree(Folder())));
  EXPECT_EQ(GetFileAttributesW(kDefaultFolder), INVALID_FILE_ATTRIBUTES) << "the default folder was created";
  EXPECT_EQ(GetFileAttributesW(typed.c_str()), INVALID_FILE_ATTRIBUTES) << "the typed folder was created";
}

INSTANTIATE_TEST_SUITE_P(Pages, CloseTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

}  // namespace
}  // namespace gui_tests
