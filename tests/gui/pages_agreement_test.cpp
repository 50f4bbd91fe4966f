// The licence and copyright pages: each shows its whole document, nothing a user does changes it, and
// the page refuses a change of protected text. Leaves pictures of the first four pages for a person.
#include <windows.h>
#include <richedit.h>

#include <cwchar>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "driver/keyboard.h"
#include "driver/message_box.h"
#include "driver/pages_remote_call.h"
#include "driver/screenshot.h"
#include "driver/pages_typing.h"
#include "driver/window_text.h"
#include "gui/setup_fixture.h"
#include "gui/wizard_pages.h"
#include "resources/agreement_texts.h"

namespace gui_tests {
namespace {

using gui_driver::Utf8;
using gui_driver::WaitFor;
using gui_driver::WizardButton;

constexpr int kDocumentId = 1023;
constexpr DWORD kAnsweredRefused = 0x101;  // the helper's "answered" mark with the page's answer 1

struct Document {
  Page page;
  const char* name;
  const wchar_t* title;
  size_t characters;  // as stored, with a lone CR between paragraphs
  size_t paragraphs;
  std::u16string (*text)();
};

const Document kDocuments[] = {
    {Page::Licence, "licence", L"ソフトウェア使用許諾契約", 1329, 29, resources::LicenseText},
    {Page::Copyright, "copyright", L"著作権上の注意", 471, 7, resources::CopyrightText},
};

// WM_GETTEXT of a rich edit gives every paragraph break as CR LF.
std::wstring AsReadBack(const std::u16string& document) {
  std::wstring shown;
  for (char16_t c : document) {
    shown += static_cast<wchar_t>(c);
    if (c == u'\r') shown += L'\n';
  }
  return shown;
}

// Long texts compared with a short report: where they first differ, and the lengths.
testing::AssertionResult SameText(const std::wstring& expected, const std::wstring& actual) {
  if (expected == actual) return testing::AssertionSuccess();
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  return testing::AssertionFailure() << "the texts differ from character " << at << " on: expected \""
                                     << Utf8(expected.substr(at, 20)) << "\" (" << expected.size()
                                     << " characters), got \"" << Utf8(actual.substr(at, 20)) << "\" ("
                                     << actual.size() << " characters)";
}

testing::AssertionResult Send(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(control, message, wParam, lParam, SMTO_NORMAL, 5000, &ignored)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "message 0x" << std::hex << message << " was not delivered";
}

testing::AssertionResult Select(HWND control, int start, int end) { return Send(control, EM_SETSEL, start, end); }

testing::AssertionResult All(std::initializer_list<std::function<testing::AssertionResult()>> steps) {
  for (const auto& step : steps) {
    testing::AssertionResult done = step();
    if (!done) return done;
  }
  return testing::AssertionSuccess();
}

const wchar_t kClipboardText[] = L"貼り付けた文字 pasted";

struct EditAttempt {
  const char* what;
  std::function<testing::AssertionResult(HWND document)> act;
};

// What a user might do to change the document, by keyboard and by the messages a keyboard or a paste
// command produces. (WM_CUT and WM_CLEAR sent as messages are left out: no user action sends them to this
// control, and Wine's rich edit carries them out on read-only text.)
const EditAttempt kAttempts[] = {
    {"WM_CHAR", [](HWND d) { return Send(d, WM_CHAR, L'x', 1); }},
    {"typed characters", [](HWND d) { return gui_driver::TypeText(d, L"xあ"); }},
    {"Return key", [](HWND d) { return gui_driver::PressKey(d, VK_RETURN); }},
    {"WM_KEYDOWN Delete over everything",
     [](HWND d) {
       return All({[&] { return Select(d, 0, -1); }, [&] { return Send(d, WM_KEYDOWN, VK_DELETE, 1); },
                   [&] { return Send(d, WM_KEYUP, VK_DELETE, 0xC0000001); }});
     }},
    {"Delete and Backspace keys over a selection",
     [](HWND d) {
       return All({[&] { return Select(d, 0, 10); }, [&] { return gui_driver::PressKey(d, VK_DELETE); },
                   [&] { return gui_driver::PressKey(d, VK_BACK); }});
     }},
    {"WM_PASTE over a selection",
     [](HWND d) {
       return All({[&] { return gui_driver::PutOnClipboard(kClipboardText); }, [&] { return Select(d, 0, 5); },
                   [&] { return Send(d, WM_PASTE, 0, 0); }});
     }},
    {"Ctrl+V",
     [](HWND d) {
       return All({[&] { return gui_driver::PutOnClipboard(kClipboardText); },
                   [&] { return gui_driver::PressChord(d, {VK_CONTROL, 'V'}); }});
     }},
    {"Ctrl+X", [](HWND d) {
       return All({[&] { return Select(d, 0, 5); }, [&] { return gui_driver::PressChord(d, {VK_CONTROL, 'X'}); }});
     }},
};

class AgreementTest : public SetupTest {
 protected:
  static std::wstring HelperLibrary() {
#ifdef PAGES_HELPER_DLL
    const std::string built = PAGES_HELPER_DLL;
    return gui_driver::WindowsPath(std::wstring(built.begin(), built.end()));
#else
    return {};
#endif
  }

  // Ctrl+Home goes after the keys that came before it: once the caret is back at the start (it was put
  // elsewhere before them), they have all been handled. It also shows that the keyboard reaches the
  // document at all.
  testing::AssertionResult KeysHandled(HWND document) {
    testing::AssertionResult pressed = gui_driver::PressChord(document, {VK_CONTROL, VK_HOME});
    if (!pressed) return pressed;
    const std::pair<DWORD, DWORD> atStart{0, 0};
    if (WaitFor([&] { return gui_driver::EditSelection(document) == atStart; })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "Ctrl+Home did not move the caret to the start; selection "
                                       << gui_driver::EditSelection(document).first << ".."
                                       << gui_driver::EditSelection(document).second;
  }
};

TEST_F(AgreementTest, DocumentsAreWholeAndNothingChangesThem) {
  const std::wstring helper = HelperLibrary();
  ASSERT_NE(GetFileAttributesW(helper.c_str()), INVALID_FILE_ATTRIBUTES) << "no helper library " << Utf8(helper);
  auto wizard = StartWizard();
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(WaitForPage(*wizard, Page::Welcome));
  ASSERT_TRUE(gui_driver::FocusControl(GetDlgItem(wizard->Handle(), static_cast<int>(WizardButton::Next))));
  EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), "pages-1-welcome"));
  // The documents' rich edits ask the page before every change, as Windows' rich edit does: the page's
  // own text and indents must still arrive.
  std::string error;
  const DWORD uiThread = GetWindowThreadProcessId(wizard->Handle(), nullptr);
  const auto emulated = gui_driver::CallInProcess(setup_->Id(), helper, "PagesEmulateProtection",
                                                  reinterpret_cast<void*>(static_cast<DWORD_PTR>(uiThread)), &error);
  ASSERT_TRUE(emulated && *emulated == 1) << "protection emulation not in place: " << error;

  int shot = 2;
  for (const Document& document : kDocuments) {
    SCOPED_TRACE(document.name);
    ASSERT_TRUE(Go(*wizard, WizardButton::Next, document.page));
    HWND control = wizard->PageControl(kDocumentId);
    ASSERT_TRUE(control);

    const std::wstring shown = gui_driver::WindowText(control);
    EXPECT_EQ(shown.size(), document.characters + document.paragraphs - 1) << "characters, each CR read as CR LF";
    EXPECT_EQ(Utf8(shown.substr(0, std::wcslen(document.title) + 2)), Utf8(std::wstring(document.title) + L"\r\n"));
    EXPECT_TRUE(SameText(AsReadBack(document.text()), shown));

    ASSERT_TRUE(gui_driver::FocusControl(control));
    const std::string shotName = "pages-" + std::to_string(shot++) + "-" + document.name;
    EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), shotName));
    for (const EditAttempt& attempt : kAttempts) {
      SCOPED_TRACE(attempt.what);
      ASSERT_TRUE(Select(control, 3, 3));
      ASSERT_TRUE(attempt.act(control));
      ASSERT_TRUE(KeysHandled(control));
      EXPECT_TRUE(SameText(shown, gui_driver::WindowText(control)));
    }

    // The page's answer to a change of protected text, sent from inside the setup as the control sends it.
    const auto answer = gui_driver::CallInProcess(setup_->Id(), helper, "PagesSendEnProtected", control, &error);
    ASSERT_TRUE(answer) << error;
    EXPECT_EQ(*answer, kAnsweredRefused) << "the page must answer 1 (refuse the change)";
    EXPECT_TRUE(SameText(shown, gui_driver::WindowText(control)));

    // The clause indents show on wrapped lines further down.
    ASSERT_TRUE(Send(control, EM_LINESCROLL, 0, 6));
    EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), shotName + "-scrolled"));
  }

  ASSERT_TRUE(Go(*wizard, WizardButton::Next, Page::Destination));
  ASSERT_TRUE(gui_driver::FocusControl(wizard->PageControl(1011)));
  EXPECT_TRUE(gui_driver::SavePaintedScreenshot(wizard->Handle(), "pages-4-destination"));
  CancelAndConfirm(*wizard);
}

}  // namespace
}  // namespace gui_tests
