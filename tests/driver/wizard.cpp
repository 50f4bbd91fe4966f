#include "driver/wizard.h"

#include <prsht.h>

#include "driver/process_windows.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

constexpr int kPageTitleId = 1018;

const char* ButtonName(WizardButton button) {
  switch (button) {
    case WizardButton::Back: return "back";
    case WizardButton::Next: return "next";
    case WizardButton::Finish: return "finish";
    case WizardButton::Cancel: return "cancel";
  }
  return "?";
}

}  // namespace

std::wstring Wizard::Caption() const { return WindowText(sheet_); }

ButtonState Wizard::Button(WizardButton button) const {
  ButtonState state;
  HWND control = GetDlgItem(sheet_, static_cast<int>(button));
  if (!control) return state;
  state.exists = true;
  state.visible = IsWindowVisible(control) != FALSE;
  state.enabled = IsWindowEnabled(control) != FALSE;
  state.caption = WindowText(control);
  return state;
}

testing::AssertionResult Wizard::Press(WizardButton button) const {
  const ButtonState state = Button(button);
  if (!state.exists || !state.visible || !state.enabled) {
    return testing::AssertionFailure() << "cannot press the " << ButtonName(button)
                                       << " button; buttons: " << DescribeButtons();
  }
  if (!IsWindowEnabled(sheet_)) {
    return testing::AssertionFailure() << "cannot press the " << ButtonName(button)
                                       << " button: the wizard is disabled (a message box is open?)";
  }
  // Posted, not sent: the click may open a modal message box that would block a sent message.
  if (!PostMessageW(GetDlgItem(sheet_, static_cast<int>(button)), BM_CLICK, 0, 0)) {
    return testing::AssertionFailure() << "posting the click failed, error " << GetLastError();
  }
  return testing::AssertionSuccess();
}

HWND Wizard::CurrentPage() const {
  DWORD_PTR page = 0;
  if (!SendMessageTimeoutW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, 5000, &page)) return nullptr;
  return reinterpret_cast<HWND>(page);
}

HWND Wizard::PageControl(int id) const {
  HWND page = CurrentPage();
  return page ? GetDlgItem(page, id) : nullptr;
}

std::wstring Wizard::PageTitle() const {
  HWND title = PageControl(kPageTitleId);
  return title ? WindowText(title) : std::wstring();
}

std::string Wizard::DescribeButtons() const {
  std::string out;
  for (WizardButton button :
       {WizardButton::Back, WizardButton::Next, WizardButton::Finish, WizardButton::Cancel}) {
    const ButtonState state = Button(button);
    out += std::string(ButtonName(button)) + "=";
    if (!state.exists) {
      out += "absent; ";
      continue;
    }
    out += std::string(state.visible ? "shown" : "hidden") + (state.enabled ? "/enabled" : "/disabled") +
           " \"" + Utf8(state.caption) + "\"; ";
  }
  return out;
}

std::optional<Wizard> FindWizard(DWORD processId) {
  for (HWND window : TopLevelWindows(processId)) {
    if (IsDialog(window) && GetDlgItem(window, static_cast<int>(WizardButton::Next))) return Wizard(window);
  }
  return std::nullopt;
}

std::optional<Wizard> WaitForWizard(DWORD processId, Millis timeout) {
  return WaitForValue<Wizard>(
      [processId]() -> std::optional<Wizard> {
        auto wizard = FindWizard(processId);
        if (wizard && IsWindowVisible(wizard->Handle())) return wizard;
        return std::nullopt;
      },
      timeout);
}

}  // namespace gui_driver
