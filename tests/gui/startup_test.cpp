// Start-up of the setup: the data file test, the single-instance guard and the exit codes.
#include <windows.h>

#include "driver/process_windows.h"
#include "driver/unique_handle.h"
#include "driver/window_text.h"
#include "gui/setup_fixture.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::UniqueHandle;

// Ways in which the data file cannot be opened when the setup starts.
enum class DataFileTrouble { Missing, HeldWithoutSharing, HeldSharedByAll, BesideProgramOnly };

struct TroubleCase {
  const char* name;
  DataFileTrouble trouble;
};

void PrintTo(const TroubleCase& c, std::ostream* os) { *os << c.name; }

class DataFileTroubleTest : public SetupTest, public testing::WithParamInterface<TroubleCase> {};

TEST_P(DataFileTroubleTest, RefusesToStartWithWarningAndExitCode1) {
  std::wstring exe = SetupExecutable();
  std::wstring current = Folder();
  UniqueHandle holder;
  switch (GetParam().trouble) {
    case DataFileTrouble::Missing:
      break;
    case DataFileTrouble::HeldWithoutSharing:
    case DataFileTrouble::HeldSharedByAll: {
      ASSERT_TRUE(WriteDataFile(Folder()));
      const DWORD share = GetParam().trouble == DataFileTrouble::HeldWithoutSharing
                              ? 0
                              : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
      holder = UniqueHandle(CreateFileW(InFolder(L"KORVENTA.cab").c_str(), GENERIC_READ, share, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(holder.Valid());
      break;
    }
    case DataFileTrouble::BesideProgramOnly: {
      // Started from another folder, as from a command prompt: the file beside the program is not looked at.
      const std::wstring medium = InFolder(L"medium");
      current = InFolder(L"elsewhere");
      ASSERT_TRUE(CreateDirectoryW(medium.c_str(), nullptr));
      ASSERT_TRUE(CreateDirectoryW(current.c_str(), nullptr));
      ASSERT_TRUE(WriteDataFile(medium));
      const std::wstring copy = medium + L"\\setup.exe";
      ASSERT_TRUE(CopyFileW(exe.c_str(), copy.c_str(), TRUE));
      exe = copy;
      break;
    }
  }
  setup_ = Launch(exe, current);
  ASSERT_TRUE(setup_);

  auto box = ExpectMessageBox(kSetupCaption, kDataFileMissingAtStart, {IDOK});
  ASSERT_TRUE(box);
  Screenshot(box->Handle(), std::string("startup-") + GetParam().name);
  EXPECT_FALSE(gui_driver::FindWizard(setup_->Id())) << "a wizard exists beside the data-file message";
  HWND owner = box->Owner();
  EXPECT_TRUE(owner && !IsWindowVisible(owner)) << "the message must belong to the hidden main window";

  ASSERT_TRUE(box->Answer(IDOK));
  ExpectEndsWithoutMessage(kExitAfterError);
}

INSTANTIATE_TEST_SUITE_P(Startup, DataFileTroubleTest,
                         testing::Values(TroubleCase{"missing", DataFileTrouble::Missing},
                                         TroubleCase{"held_without_sharing", DataFileTrouble::HeldWithoutSharing},
                                         TroubleCase{"held_shared_by_all", DataFileTrouble::HeldSharedByAll},
                                         TroubleCase{"beside_program_only", DataFileTrouble::BesideProgramOnly}),
                         [](const testing::TestParamInfo<TroubleCase>& info) { return info.param.name; });

using StartupTest = SetupTest;

TEST_F(StartupTest, EmptyDataFileStartsTheWizard) {
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(WaitForPage(*wizard, Page::Welcome));
  EXPECT_TRUE(gui_driver::FindMessageBoxes(setup_->Id()).empty());
}

TEST_F(StartupTest, SecondCopyEndsAtOnceWithoutWindowAndFirstGoesOn) {
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(Go(*wizard, gui_driver::WizardButton::Next, Page::Licence));

  auto second = Launch(SetupExecutable(), Folder());
  ASSERT_TRUE(second);
  std::vector<HWND> shown;
  const bool ended = gui_driver::WaitFor([&] {
    for (HWND window : gui_driver::VisibleTopLevelWindows(second->Id())) shown.push_back(window);
    return !second->Running();
  });
  ASSERT_TRUE(ended) << "the second copy is still running";
  EXPECT_TRUE(shown.empty()) << "the second copy showed a window";
  EXPECT_EQ(second->WaitForExit(), kExitAlreadyRunning);

  // The first copy is untouched: same page, no message, and it still answers its buttons.
  EXPECT_TRUE(WaitForPage(*wizard, Page::Licence));
  EXPECT_TRUE(gui_driver::FindMessageBoxes(setup_->Id()).empty());
  ASSERT_TRUE(Go(*wizard, gui_driver::WizardButton::Back, Page::Welcome));
}

}  // namespace
}  // namespace gui_tests
