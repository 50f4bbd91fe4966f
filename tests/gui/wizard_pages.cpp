#include "gui/wizard_pages.h"

#include <windows.h>

#include "driver/window_text.h"

namespace gui_tests {

using gui_driver::ButtonState;
using gui_driver::Utf8;
using gui_driver::Wizard;
using gui_driver::WizardButton;

namespace {

struct ExpectedButton {
  bool visible;
  bool enabled;
  const wchar_t* caption;  // checked only for a shown button
};

constexpr ExpectedButton Hidden() { return {false, false, nullptr}; }
constexpr ExpectedButton Shown(const wchar_t* caption) { return {true, true, caption}; }
constexpr ExpectedButton ShownDisabled(const wchar_t* caption) { return {true, false, caption}; }

struct PageLook {
  Page page;
  const char* name;
  const wchar_t* title;  // static 1018 of the page
  ExpectedButton back, next, finish, cancel;
};

// The button protocol, one row per page.
const PageLook kPages[] = {
    {Page::Welcome, "welcome", L"KORVENTA　セットアップウィザードへようこそ",  //
     Hidden(), Shown(L"次へ(&N)>"), Hidden(), Shown(L"キャンセル")},
    {Page::Licence, "licence", L"ソフトウェア使用許諾契約",  //
     Shown(L"<戻る(&B)"), Shown(L"はい(&Y)"), Hidden(), Shown(L"いいえ(&N)")},
    {Page::Copyright, "copyright", L"著作権上の注意",  //
     Shown(L"<戻る(&B)"), Shown(L"はい(&Y)"), Hidden(), Shown(L"いいえ(&N)")},
    {Page::Destination, "destination", L"ｲﾝｽﾄｰﾙ先の選択",  //
     Shown(L"<戻る(&B)"), Shown(L"次へ>(&N)"), Hidden(), Shown(L"キャンセル")},
    {Page::Progress, "progress", L"インストール中・・・",  //
     Hidden(), Hidden(), ShownDisabled(L"次へ(&N)>"), Hidden()},
};

const PageLook& LookOf(Page page) {
  for (const PageLook& look : kPages) {
    if (look.page == page) return look;
  }
  return kPages[0];
}

bool Matches(const ButtonState& state, const ExpectedButton& expected) {
  if (!expected.visible) return !state.visible;
  return state.exists && state.visible && state.enabled == expected.enabled && state.caption == expected.caption;
}

bool Shows(const Wizard& wizard, const PageLook& look) {
  return wizard.PageTitle() == look.title && Matches(wizard.Button(WizardButton::Back), look.back) &&
         Matches(wizard.Button(WizardButton::Next), look.next) &&
         Matches(wizard.Button(WizardButton::Finish), look.finish) &&
         Matches(wizard.Button(WizardButton::Cancel), look.cancel);
}

std::string Describe(const ExpectedButton& expected) {
  if (!expected.visible) return "hidden";
  return std::string(expected.enabled ? "shown/enabled \"" : "shown/disabled \"") + Utf8(expected.caption) + "\"";
}

}  // namespace

const char* PageName(Page page) { return LookOf(page).name; }

testing::AssertionResult WaitForPage(const Wizard& wizard, Page page) {
  const PageLook& look = LookOf(page);
  if (gui_driver::WaitFor([&] { return Shows(wizard, look); })) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "expected the " << look.name << " page \"" << Utf8(look.title)
                                     << "\" with back " << Describe(look.back) << ", next " << Describe(look.next)
                                     << ", finish " << Describe(look.finish) << ", cancel "
                                     << Describe(look.cancel) << "; the wizard shows the page \""
                                     << Utf8(wizard.PageTitle()) << "\" with " << wizard.DescribeButtons();
}

testing::AssertionResult Go(const Wizard& wizard, WizardButton button, Page to) {
  testing::AssertionResult pressed = wizard.Press(button);
  if (!pressed) return pressed;
  return WaitForPage(wizard, to);
}

testing::AssertionResult TypeDestination(const Wizard& wizard, const std::wstring& destination) {
  HWND edit = wizard.PageControl(kDestinationEditId);
  if (!edit || !gui_driver::SetWindowTextRemote(edit, destination)) {
    return testing::AssertionFailure() << "cannot type the destination into edit 1011";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult Reach(const Wizard& wizard, Page page, const std::wstring& destination) {
  testing::AssertionResult reached = WaitForPage(wizard, Page::Welcome);
  const Page order[] = {Page::Welcome, Page::Licence, Page::Copyright, Page::Destination, Page::Progress};
  for (size_t i = 1; reached && order[i - 1] != page; ++i) {
    if (order[i] == Page::Progress) {
      if (testing::AssertionResult typed = TypeDestination(wizard, destination); !typed) return typed;
    }
    reached = Go(wizard, WizardButton::Next, order[i]);
  }
  return reached;
}

}  // namespace gui_tests
