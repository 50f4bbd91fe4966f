// The pages before the installation: start-up, the button protocol, every way to cancel, the agreement
// documents and the destination's rules and space lines.
#include <algorithm>
#include <memory>
#include <regex>

#include "gui/texts.h"
#include "resources/agreement_texts.h"

namespace gui {
namespace {
using namespace std::string_literals;

// ---- Start-up: the data file must open in the current folder; nothing else starts the wizard.
// HeldSharedByAll: another program holds it, sharing everything (one that shares nothing keeps any
// open from succeeding, which proves less). DotLocal: a "setup.exe.local" folder beside the program
// would take its DLLs from there.
enum class Trouble { Missing, HeldSharedByAll, BesideProgramOnly, DotLocal };
class Startup : public testing::TestWithParam<Trouble> {};

TEST_P(Startup, RefusesWithoutTheDataFile) {
  Session run;
  const Trouble trouble = GetParam();
  const std::wstring cab = run.Path(L"%F\\KORVENTA.cab"), copy = run.Path(L"%F\\setup.exe");
  run.data = Pack({{0, "20240401090000", L"a.txt", "a"}});
  if (trouble == Trouble::BesideProgramOnly || trouble == Trouble::DotLocal) {  // a copy of the program
    ASSERT_TRUE(CopyFileW(run.exe.c_str(), copy.c_str(), TRUE));
    run.exe = copy;
    // Beside the program, started from elsewhere as from a command prompt; or a .local folder beside it.
    ASSERT_TRUE(CreateDirectoryW((trouble == Trouble::DotLocal ? copy + L".local" : (run.current = run.Path(L"%F\\elsewhere"))).c_str(), 0));
  } else {
    ASSERT_TRUE(trouble == Trouble::Missing || WriteAll(cab, *run.data));
    run.held.emplace_back(CreateFileW(cab.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                                      OPEN_EXISTING, 0, 0));
    ASSERT_EQ(bool(run.held.back()), trouble != Trouble::Missing);
    run.data.reset();
  }
  const BoxLook& box = trouble == Trouble::DotLocal ? kDotLocal : kMissingAtStart;
  run.Play({Start(), Box(box, 0), Shot("startup-" + std::to_string(int(trouble))), Box(box, IDOK), Exit(1)});
}

INSTANTIATE_TEST_SUITE_P(Gui, Startup,
                         testing::Values(Trouble::Missing, Trouble::HeldSharedByAll, Trouble::BesideProgramOnly, Trouble::DotLocal));

// ---- Every cancel request on every page, refused with No, then Yes: one question per request, nothing
// changes or is created. On the way, the documents must show whole and nothing may change them.
const std::u16string kDocuments[] = {resources::LicenseText(), resources::CopyrightText()};

// The document shows whole, and the page refuses any change of it, asked from inside the setup as the
// control asks (read-only, the control itself keeps keys away on every system).
Step DocumentUnchangeable(int which) {
  return Do([which](Session& run) {
    HWND d = run.Control(kDocument);
    std::wstring whole;  // WM_GETTEXT of a rich edit gives every paragraph break as CR LF
    for (char16_t c : kDocuments[which]) whole += c == u'\r' ? L"\r\n" : std::wstring(1, wchar_t(c));
    EXPECT_EQ(Utf8(Text(d)), Utf8(whole));
    EXPECT_EQ(Send(d, RegisterWindowMessageW(L"KorventaTestAskProtected")), 1) << "not refused";
    Send(d, EM_LINESCROLL, 0, 6);  // the clause indents show on wrapped lines further down
  });
}

Steps RefuseEveryCancel(const PageLook& page, int focus, int content) {
  auto before = std::make_shared<std::pair<std::wstring, std::vector<std::wstring>>>();
  const Step unchanged = Do([=](Session& run) {
    EXPECT_EQ(Utf8(Text(run.Control(content))), Utf8(before->first));
    EXPECT_EQ(Below(run.folder), before->second) << "something was created";
  });
  Steps steps = {Do([=](Session& run) { *before = {Text(run.Control(content)), Below(run.folder)}; })};
  for (const Step& trigger : {Press(Cancel), Keys(focus, L"", {VK_ESCAPE}), CloseBox(), Keys(focus, L"", {VK_MENU, VK_F4}), SysClose()}) {
    steps.insert(steps.end(), {trigger, Box(kCancelQuestion, 0)});
    if (steps.size() == 3) steps.push_back(Shot(std::string("cancel-") + page.name));
    steps.insert(steps.end(), {Box(kCancelQuestion, IDNO), Quiet(), At(page), unchanged});
  }
  return steps;
}

TEST(Gui, EveryCancelOnEveryPage) {
  Session run;
  run.Play(Cat({{Start(), At(kWelcome), EmulateProtection(), Do([](Session& run) {
                   EXPECT_TRUE(GetWindowLongW(run.sheet, GWL_STYLE) & WS_MINIMIZEBOX) << "no minimise box";
                   EXPECT_TRUE(GetWindowLongW(run.sheet, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar button";
                 })},
                RefuseEveryCancel(kWelcome, Next, 1018),
                {Press(Next), At(kLicence), DocumentUnchangeable(0), Shot("pages-licence-scrolled")},
                RefuseEveryCancel(kLicence, kDocument, kDocument),
                {Press(Next), At(kCopyright), DocumentUnchangeable(1), Shot("pages-copyright-scrolled")},
                RefuseEveryCancel(kCopyright, kDocument, kDocument),
                {Press(Next), At(kDestination), Type(kEdit, L"%F\\never\\made")},
                RefuseEveryCancel(kDestination, kEdit, kEdit),
                {Press(Cancel), Box(kCancelQuestion, IDYES), Exit(2), Do([](Session& run) {
                   EXPECT_EQ(Below(run.folder), std::vector<std::wstring>{L"KORVENTA.cab"});
                   EXPECT_EQ(GetFileAttributesW(L"C:\\Program Files\\KORVENTA"), INVALID_FILE_ATTRIBUTES);
                 })}}));
}

// ---- The buttons of each page forward and back, a second copy, the destination page's default, its
// space lines after every key, every refused path, and a good one that goes on to the data check.
Steps Walk(const std::vector<std::pair<Button, const PageLook*>>& walk) {
  Steps steps;
  for (const auto& [button, page] : walk)
    steps.insert(steps.end(), {Press(button), At(*page), Do([](Session& run) { EXPECT_EQ(Utf8(Text(run.sheet)), Utf8(kCaption)); }),
                               Shot(std::string("wizard-") + page->name + (button == Back ? "-back" : "-next"))});
  return steps;
}

// The second copy ends at once with code 3 and no window; the first goes on.
Step SecondCopy() {
  return Do([](Session& run) {
    Session second;
    second.exe = run.exe, second.current = run.folder, second.data.reset();
    bool shown = false;
    second.Play({Start(), Do([&](Session& s) { WaitFor([&] { return (shown |= !s.Dialogs().empty()), !s.Running(); }); }), Exit(3)});
    EXPECT_FALSE(shown) << "the second copy showed a window";
  });
}

// The edit has the focus and its whole text selected.
bool WholeSelected(HWND edit) {
  return WaitFor([&] { return FocusOf(edit) == edit && Send(edit, EM_GETSEL) == MAKELONG(0, Text(edit).size()); });
}

std::wstring UnmappedDrive() {
  wchar_t letter = L'Q';
  while (letter < L'Y' && (GetLogicalDrives() & (1u << (letter - L'A')))) ++letter;
  return std::wstring(1, letter) + L":";
}

// The free space line for what the edit shows: "空き容量: N.N MB" of `root` (others use the disk
// meanwhile), or "空き容量:" without one.
Step FreeLine(const std::wstring& root) {
  return Do([root](Session& run) {
    std::wstring line;
    ULARGE_INTEGER free = {};
    EXPECT_TRUE(WaitFor([&] {
      line = Text(run.Control(kFree));
      return root.empty() ? line == L"空き容量:"
                          : std::regex_match(line, std::wregex(L"空き容量: \\d+\\.\\d MB")) &&
                                GetDiskFreeSpaceExW(root.c_str(), &free, nullptr, nullptr) &&
                                std::abs(_wtof(line.c_str() + 6) - free.QuadPart / 1048576.0) < 256;
    })) << Utf8(line) << " for \"" << Utf8(Text(run.Control(kEdit))) << "\"";
    EXPECT_EQ(Utf8(Text(run.Control(kRequired))), "必要容量: 10.0 MB");
  });
}

// The default destination: the system drive's root and the fixed tail, selected, with the focus.
Steps DefaultAndSpaceLines() {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring fallback = std::wstring(system, 3) + L"Program Files\\KORVENTA\\mv-t30582", none;
  return {Do([=](Session& run) {
            EXPECT_EQ(Utf8(Text(run.Control(kEdit))), Utf8(fallback));
            EXPECT_TRUE(WholeSelected(run.Control(kEdit))) << "the default must be selected in the focused edit";
          }),
          FreeLine(std::wstring(system, 3)), Shot("destination-default"), Keys(kEdit, L"", {VK_DELETE}), FreeLine(none),
          Keys(kEdit, L"c"), FreeLine(none), Keys(kEdit, L":"), FreeLine(L"C:\\"), Keys(kEdit, L"", {VK_BACK}),
          FreeLine(none), Type(kEdit, UnmappedDrive() + L"\\"), FreeLine(none), Type(kEdit, L"\x3000 Z:"), FreeLine(L"Z:\\")};
}

// Refused: the box, then the page as it was, the text kept and selected in the focused edit, and
// nothing created, not even the folders before the bad part.
Steps Refused(const std::wstring& typed) {
  auto before = std::make_shared<std::pair<std::vector<std::wstring>, std::vector<std::wstring>>>();
  return {Do([=](Session& run) { *before = {Below(run.folder), Below(L"C:", false)}; }), Type(kEdit, typed),
          Press(Next), Box(kPathInvalid, IDOK), At(kDestination), Do([=](Session& run) {
            EXPECT_EQ(Utf8(Text(run.Control(kEdit))), Utf8(run.Path(typed)));
            EXPECT_TRUE(WholeSelected(run.Control(kEdit))) << "the text must be selected in the focused edit";
            EXPECT_TRUE(Below(run.folder) == before->first && Below(L"C:", false) == before->second) << "created for \"" << Utf8(typed) << "\"";
          })};
}

TEST(Gui, WalkAndDestinationRules) {
  Session run;
  run.data = std::string(10485760, '\0');  // needs 10.0 MB, and fails the data check
  ASSERT_TRUE(CreateDirectoryW(run.Path(L"%F\\t").c_str(), nullptr) && WriteAll(run.Path(L"%F\\t\\file"), ""));
  std::wstring tooLong = run.Path(L"%F\\long");  // 227 characters: a file name would pass 259
  while (tooLong.size() < 227) tooLong += L"\\" + std::wstring(std::min<size_t>(60, 226 - tooLong.size()), L'a');
  Steps steps = Cat({{Start(), At(kWelcome), Shot("wizard-0-welcome")},
                     Walk({{Next, &kLicence}, {Back, &kWelcome}, {Next, &kLicence}, {Next, &kCopyright},
                           {Back, &kLicence}, {Next, &kCopyright}, {Next, &kDestination}}),
                     DefaultAndSpaceLines(),
                     Walk({{Back, &kCopyright}, {Back, &kLicence}}), {SecondCopy(), Quiet()},
                     Walk({{Next, &kCopyright}, {Next, &kDestination}})});
  // One of each check the page makes, whose rules are the unit tests': form, drive, length, folder names
  // (nothing made before them), a file in the way.
  for (const std::wstring& typed : {L"C:refused"s, UnmappedDrive() + L"\\x", tooLong, L"%F\\kept\\bad|name\\sub"s, L"%F\\t\\file\\sub"s})
    steps = Cat({steps, Refused(typed)});
  // Accepted as typed, a lower-case drive and doubled and trailing backslashes: the missing folders are made.
  run.Play(Cat({steps, {Type(kEdit, L"c" + run.folder.substr(1) + L"\\good\\\\two\\"), Press(Next), Box(kDamaged, 0), Shot("wizard-progress"),
                        Do([](Session& run) { EXPECT_EQ(Below(run.Path(L"%F\\good")), std::vector<std::wstring>{L"two\\"}); }),
                        Box(kDamaged, IDOK), Exit(1)}}));
}

}  // namespace
}  // namespace gui
