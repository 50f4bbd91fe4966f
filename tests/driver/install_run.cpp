#include <windows.h>

#include "driver/install_fixture.h"

#include "driver/message_box.h"
#include "driver/window_text.h"
#include "gui/wizard_pages.h"

namespace gui_tests {

using gui_driver::Millis;
using gui_driver::Utf8;
using gui_driver::WizardButton;

namespace {

// A driver setup that takes its time and a CRC pass on a busy machine both count here.
constexpr Millis kInstallTimeout{90000};

class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* Put() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::wstring FileName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool Completed(const gui_driver::Wizard& wizard) {
  return wizard.PageTitle() == kTitleComplete && wizard.Button(WizardButton::Finish).enabled;
}

}  // namespace

testing::AssertionResult SetWineVersion(const std::wstring& programPath, const std::wstring& version) {
  const std::wstring keyName = L"Software\\Wine\\AppDefaults\\" + FileName(programPath);
  RegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(),
                      nullptr) != ERROR_SUCCESS) {
    return testing::AssertionFailure() << "cannot open HKCU\\" << Utf8(keyName);
  }
  LSTATUS status;
  if (version.empty()) {
    status = RegDeleteValueW(key.Get(), L"Version");
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
  } else {
    status = RegSetValueExW(key.Get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                            static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
  }
  if (status != ERROR_SUCCESS) {
    return testing::AssertionFailure() << "cannot set Wine's version \"" << Utf8(version) << "\": error " << status;
  }
  return testing::AssertionSuccess();
}

std::optional<std::wstring> InstallTest::Install(const InstallRequest& request) {
  const std::wstring medium = InFolder(L"medium-" + std::to_wstring(++media_));
  if (!CreateDirectoryW(medium.c_str(), nullptr) || !WriteDataFile(medium, request.dataFile)) {
    ADD_FAILURE() << "cannot prepare the medium " << Utf8(medium);
    return std::nullopt;
  }
  if (testing::AssertionResult set = SetWineVersion(SetupExecutable(), request.wineVersion); !set) {
    ADD_FAILURE() << set.message();
    return std::nullopt;
  }
  auto wizard = StartAtDestination(medium);
  if (!wizard) return std::nullopt;
  // Typed and confirmed here rather than waiting for the progress page: a small installation can complete
  // before anyone sees that page in its running state.
  if (testing::AssertionResult typed = TypeDestination(*wizard, request.destination); !typed) {
    ADD_FAILURE() << typed.message();
    return std::nullopt;
  }
  if (testing::AssertionResult pressed = wizard->Press(WizardButton::Next); !pressed) {
    ADD_FAILURE() << pressed.message();
    return std::nullopt;
  }
  if (request.whileInstalling) request.whileInstalling(*wizard);

  bool warned = false;
  while (!Completed(*wizard)) {
    std::vector<gui_driver::MessageBoxWindow> boxes;
    const bool changed = gui_driver::WaitFor(
        [&] {
          boxes = gui_driver::FindMessageBoxes(setup_->Id());
          return !boxes.empty() || !setup_->Running() || Completed(*wizard);
        },
        kInstallTimeout);
    if (!changed) {
      ADD_FAILURE() << "the installation did not complete; the log reads \""
                    << Utf8(gui_driver::WindowText(wizard->PageControl(kLogId))) << "\"";
      return std::nullopt;
    }
    if (!boxes.empty()) {
      if (!request.expectShortcutWarning || warned) {
        ADD_FAILURE() << "unexpected message box \"" << Utf8(boxes.front().Text()) << "\"";
        return std::nullopt;
      }
      auto box = ExpectMessageBox(kSetupCaption, kShortcutFailed, {IDOK});
      if (!box) return std::nullopt;
      // The warning comes before the completed page, not after it.
      EXPECT_NE(Utf8(wizard->PageTitle()), Utf8(kTitleComplete)) << "the page completed before the warning";
      EXPECT_FALSE(wizard->Button(WizardButton::Finish).enabled) << "finish is enabled under the warning";
      warned = true;
      if (!box->Answer(IDOK)) return std::nullopt;
      continue;
    }
    if (!setup_->Running()) {
      ADD_FAILURE() << "the setup ended during the installation with exit code "
                    << setup_->WaitForExit(Millis{0}).value_or(0xFFFFFFFF);
      return std::nullopt;
    }
  }
  EXPECT_EQ(warned, request.expectShortcutWarning) << "the shortcut warning " << (warned ? "came" : "did not come");

  const std::wstring log = gui_driver::WindowText(wizard->PageControl(kLogId));
  if (!request.screenshot.empty()) Screenshot(wizard->Handle(), request.screenshot);

  if (!wizard->Press(WizardButton::Finish)) {
    ADD_FAILURE() << "cannot press finish: " << wizard->DescribeButtons();
    return std::nullopt;
  }
  auto done = gui_driver::WaitForMessageBox(setup_->Id());
  if (!done) {
    ADD_FAILURE() << "no completion message after finish";
    return std::nullopt;
  }
  EXPECT_EQ(Utf8(done->Caption()), Utf8(kSetupCaption));
  EXPECT_EQ(Utf8(done->Text()), Utf8(kCompletionMessage));
  EXPECT_FALSE(done->HasIcon()) << "the completion message shows an icon";
  EXPECT_EQ(done->Buttons(), std::vector<int>{IDOK});
  if (!done->Answer(IDOK)) return std::nullopt;
  const auto code = setup_->WaitForExit();
  EXPECT_EQ(code, std::optional<DWORD>(kExitFinished)) << "exit code after finishing";
  return log;
}

}  // namespace gui_tests
