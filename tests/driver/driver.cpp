#include "driver/driver.h"

#include <prsht.h>

#include "packer.h"
#include "pages/percent_bar_geometry.h"

namespace drv {
namespace {

constexpr int kHelp = 9;  // the sheet's hidden help button, where Settled() leaves its marks
constexpr int kTitle = 1018, kSubtitle = 1019, kBar = 1015, kMessageText = 0xFFFF, kMessageIcon = 1088;

// The process's shown dialogs; with `boxes`, its message boxes alone, once their text is in.
std::vector<HWND> Shown(DWORD pid, bool boxes) {
  std::vector<HWND> found;
  DWORD owner = 0;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr));)
    if (GetWindowThreadProcessId(w, &owner) && owner == pid && IsWindowVisible(w) &&
        (!boxes || (!GetDlgItem(w, Next) && !Text(GetDlgItem(w, kMessageText)).empty())))
      found.push_back(w);
  return found;
}

struct Pixels {  // 0x00RRGGBB, top row first
  int width = 0, height = 0;
  std::vector<DWORD> data;
  DWORD At(int x, int y) const { return data[size_t(y) * width + x] & 0xFFFFFF; }
};

std::optional<Pixels> Capture(const RECT& r) {
  Pixels p{r.right - r.left, r.bottom - r.top, {}};
  HDC screen = GetDC(nullptr);
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB}};
  void* bits = nullptr;
  win::UniqueBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen));  // released before the bitmap it holds
  const bool ok = bits && memory && SelectObject(memory.Get(), bitmap.Get()) &&
                  BitBlt(memory.Get(), 0, 0, p.width, p.height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT) && GdiFlush();
  ReleaseDC(nullptr, screen);
  if (ok) p.data.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + size_t(p.width) * p.height);
  return ok ? std::optional<Pixels>(p) : std::nullopt;
}

DWORD PixelOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

INPUT Key(WORD vk, bool up, wchar_t unicode = 0) {
  INPUT in = {INPUT_KEYBOARD};
  in.ki = {WORD(unicode ? 0 : vk), unicode, DWORD((up ? KEYEVENTF_KEYUP : 0) | (unicode ? KEYEVENTF_UNICODE : 0))};
  return in;
}

bool Focus(HWND control) {
  if (control && FocusOf(control) == control) return true;  // focusing an edit again would select its text
  const DWORD self = GetCurrentThreadId(), target = GetWindowThreadProcessId(control, nullptr);
  // Focus belongs to the other thread's input state: share it for the moment of the change.
  const bool attached = AttachThreadInput(self, target, TRUE);
  SetForegroundWindow(GetAncestor(control, GA_ROOT));
  SetFocus(control);
  if (attached) AttachThreadInput(self, target, FALSE);
  return control && WaitFor([&] { return FocusOf(control) == control; });
}

// A mark posted now is handled after everything posted before it; twice, for a message posted by a
// handler of one that was.
bool Settled(HWND sheet) {
  HWND help = GetDlgItem(sheet, kHelp);
  for (int round = 0; round < 2 && help; ++round) {
    PostMessageW(help, BM_SETSTATE, TRUE, 0);
    if (!WaitFor([&] { return Send(help, BM_GETSTATE) & BST_PUSHED; })) return false;
    Send(help, BM_SETSTATE, FALSE);
  }
  return help;
}

// Found by asking the sheet where its close box is, along the middle of the title bar.
std::optional<RECT> CloseBoxRect(HWND sheet) {
  RECT f = {};
  GetWindowRect(sheet, &f);
  const auto close = [sheet](int x, int y) { return Send(sheet, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE; };
  const int y = f.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  RECT r = {f.right, y, f.right, y + 1};
  while (r.right > f.left && !close(r.right - 1, y)) --r.right;
  for (r.left = r.right; r.left > f.left && close(r.left - 1, y);) --r.left;
  while (r.left < r.right && close((r.left + r.right) / 2, r.top - 1)) --r.top;
  while (r.left < r.right && close((r.left + r.right) / 2, r.bottom)) ++r.bottom;
  return r.left < r.right ? std::optional<RECT>(r) : std::nullopt;
}

// The bar's filled width from the left edge and its client width; whether the number is drawn.
int BarFilled(HWND bar, int* width, bool* textDrawn) {
  RECT client = {};
  POINT origin = {};
  GetClientRect(bar, &client);
  ClientToScreen(bar, &origin);
  const auto p = Capture(RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
  if (!p || p->height < 3) return -1;
  const DWORD fill = PixelOf(GetSysColor(COLOR_HIGHLIGHT)), back = PixelOf(GetSysColor(COLOR_WINDOW));
  int filled = 0;  // the text is centred, so the top row shows the fill alone
  while (filled < p->width && p->At(filled, 0) == fill) ++filled;
  // The percentage is drawn across the bar: inverted over the fill, plain over the rest.
  *textDrawn = false, *width = p->width;
  for (int y = 1; y < p->height - 1; ++y)
    for (int x = 0; x < p->width; ++x) *textDrawn |= x < filled ? p->At(x, y) == back : p->At(x, y) == fill;
  return filled;
}

// The part of the screen that the windows cover, as an image file.
void Screenshot(const std::vector<HWND>& windows, const std::string& name) {
  const std::wstring shots = BuiltEnv("KORVENTA_SHOTS");
  RECT r = {}, each = {};
  for (HWND w : windows) {
    GetWindowRect(w, &each);
    UnionRect(&r, &r, &each);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  if (shots.empty()) return;
  // Wine puts the painting on the X screen a little later: wait until two looks agree.
  std::optional<Pixels> p = Capture(r), before;
  WaitFor([&] { return (before = p, p = Capture(r), p && before && p->data == before->data); }, Millis{5000});
  ASSERT_TRUE(p) << "cannot read the screen";
  // A binary portable pixmap: a short header, then red, green and blue of each pixel.
  std::string bytes = "P6\n" + std::to_string(p->width) + " " + std::to_string(p->height) + "\n255\n";
  for (DWORD pixel : p->data) bytes += {char(pixel >> 16), char(pixel >> 8), char(pixel)};
  CreateDirectoryW(shots.c_str(), nullptr);
  EXPECT_TRUE(WriteAll(shots + L"\\" + std::wstring(name.begin(), name.end()) + L".ppm", bytes));
}

}  // namespace

std::vector<std::wstring> Below(const std::wstring& folder, bool recurse, const wchar_t* pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found = {};
  win::UniqueFind find(FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
  for (bool more = bool(find); more; more = FindNextFileW(find.Get(), &found)) {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    names.push_back(isFolder ? name + L"\\" : name);
    if (isFolder && recurse)
      for (const std::wstring& inner : Below(folder + L"\\" + name)) names.push_back(name + L"\\" + inner);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Pack(const std::vector<Entry>& entries) {
  std::vector<dftool::PackEntry> packed;
  for (const Entry& e : entries)
    packed.push_back({ToCodePage(e.name, 932), e.stamp, e.type, std::vector<std::uint8_t>(e.content.begin(), e.content.end())});
  std::string error;
  const std::vector<std::uint8_t> bytes = dftool::PackDataFile(packed, datafile::kFormatVersion, &error);
  EXPECT_EQ(error, "");
  return std::string(bytes.begin(), bytes.end());
}

Session::Session() {
  for (int n = 1; folder.empty() && n < 10000; ++n)
    if (const std::wstring candidate = L"C:\\test-" + std::to_wstring(n); CreateDirectoryW(candidate.c_str(), nullptr)) folder = candidate;
  if ((exe = BuiltEnv("KORVENTA_SETUP_EXE")).empty()) exe = Built(SETUP_EXE);
  EXPECT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "no setup program " << Utf8(exe);
}

// A setup still running when its test ends would hold the single-instance guard for the next one.
Session::~Session() { Running() && TerminateProcess(process.Get(), 0xDEAD); }

void Session::Play(const Steps& steps) {
  for (size_t i = 0; i < steps.size() && !testing::Test::HasFatalFailure(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1) + " of " + std::to_string(steps.size()));
    Perform(steps[i]);
  }
}

std::wstring Session::Path(std::wstring text) const {
  for (size_t at; (at = text.find(L"%F")) != std::wstring::npos;) text.replace(at, 2, folder);
  return text;
}

HWND Session::Control(int id) const {
  if (id >= Back || id == Cancel) return GetDlgItem(sheet, id);
  HWND page = sheet ? HWND(Send(sheet, PSM_GETCURRENTPAGEHWND)) : nullptr;
  return page ? GetDlgItem(page, id) : nullptr;
}

std::vector<HWND> Session::Dialogs() const { return Shown(pid, false); }
std::vector<HWND> Session::Boxes() const { return Shown(pid, true); }
bool Session::Running() const { return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; }

bool Session::Shows(const PageLook& look) const {
  const auto matches = [this](int id, const ButtonLook& b) {
    HWND button = GetDlgItem(sheet, id);
    if (!b.shown) return !button || !IsWindowVisible(button);
    return button && IsWindowVisible(button) && bool(IsWindowEnabled(button)) == b.enabled && Text(button) == b.caption;
  };
  return Text(Control(kTitle)) == look.title && (!look.subtitle || Text(Control(kSubtitle)) == look.subtitle) &&
         matches(Back, look.back) && matches(Next, look.next) && matches(Finish, look.finish) && matches(Cancel, look.cancel);
}

std::string Session::Describe() const {
  std::string out = sheet ? "page \"" + Utf8(Text(Control(kTitle))) + "\"" : "no wizard";
  for (HWND box : Boxes()) out += "; message box \"" + Utf8(Text(GetDlgItem(box, kMessageText))) + "\"";
  return out + (Running() ? "" : "; the setup has ended");
}

void Session::Perform(const Step& s) {
  switch (s.op) {
    case Op::Start: {
      ASSERT_TRUE(!data || WriteAll(folder + L"\\KORVENTA.cab", *data));
      // Wine's Windows version for this program alone, read when it starts.
      const wchar_t* appKey = L"Software\\Wine\\AppDefaults\\setup.exe";
      if (version.empty()) RegDeleteKeyValueW(HKEY_CURRENT_USER, appKey, L"Version");
      else RegSetKeyValueW(HKEY_CURRENT_USER, appKey, L"Version", REG_SZ, version.c_str(), DWORD(version.size() + 1) * 2);
      std::wstring line = L"\"" + exe + L"\"";
      STARTUPINFOW startup = {sizeof(startup)};
      startup.dwFlags = STARTF_USESTDHANDLES;  // it must not hold ctest's output pipe open
      PROCESS_INFORMATION info = {};
      ASSERT_TRUE(CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                                 (current.empty() ? folder : current).c_str(), &startup, &info)) << "cannot start " << Utf8(exe);
      CloseHandle(info.hThread);
      process.Reset(info.hProcess), pid = info.dwProcessId, sheet = nullptr;
      return;
    }
    case Op::At:
      WaitFor([&] {
        for (HWND dialog : Dialogs()) sheet = GetDlgItem(dialog, Next) ? dialog : sheet;
        return (sheet && Shows(*s.page)) || !Boxes().empty() || !Running();
      });
      ASSERT_TRUE(sheet && Shows(*s.page) && Boxes().empty()) << "expected the " << s.page->name << " page; " << Describe();
      return;
    case Op::Press: {
      HWND button = GetDlgItem(sheet, s.id);
      // The platform's wizard takes a press of a hidden or disabled button from outside; a person cannot.
      ASSERT_TRUE(button && IsWindowVisible(button) && IsWindowEnabled(button) && IsWindowEnabled(sheet))
          << "cannot press button " << s.id << ": " << Describe();
      ASSERT_TRUE(PostMessageW(button, BM_CLICK, 0, 0));  // posted: a click may open a modal box
      return;
    }
    case Op::Type: ASSERT_EQ(Send(Control(s.id), WM_SETTEXT, 0, LPARAM(Path(s.text).c_str())), TRUE) << "cannot type into " << s.id; return;
    case Op::Keys: {
      ASSERT_TRUE(Focus(Control(s.id))) << "cannot put the focus on control " << s.id;
      std::vector<INPUT> in;
      for (wchar_t c : s.text) in.insert(in.end(), {Key(0, false, c), Key(0, true, c)});
      for (WORD k : s.keys) in.push_back(Key(k, false));
      for (auto k = s.keys.rbegin(); k != s.keys.rend(); ++k) in.push_back(Key(*k, true));
      ASSERT_EQ(SendInput(UINT(in.size()), in.data(), sizeof(INPUT)), in.size());
      return;
    }
    case Op::CloseBox: {
      const auto box = CloseBoxRect(sheet);
      ASSERT_TRUE(box) << "no close box in the title bar";
      // A click soon after the last one would be a double click, which the close box ignores.
      static DWORD lastClick = 0;
      WaitFor([&] { return GetTickCount() - lastClick > GetDoubleClickTime() + 100; });
      lastClick = GetTickCount();
      INPUT in[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
      in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN, in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      ASSERT_TRUE(SetCursorPos((box->left + box->right) / 2, (box->top + box->bottom) / 2));
      ASSERT_EQ(SendInput(2, in, sizeof(INPUT)), 2u);
      return;
    }
    case Op::SysClose: ASSERT_TRUE(PostMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0)); return;
    case Op::Box: {
      const BoxLook& look = *s.box;
      std::vector<HWND> boxes;
      ASSERT_TRUE(WaitFor([&] { return !(boxes = Boxes()).empty() || !Running(); }) && !boxes.empty())
          << "no message box \"" << Utf8(look.text) << "\"; " << Describe();
      HWND box = boxes.front(), owner = GetWindow(box, GW_OWNER), icon = GetDlgItem(box, kMessageIcon);
      EXPECT_EQ(boxes.size(), 1u) << "more than one message box";
      EXPECT_EQ(Utf8(Text(box) + L"|" + Text(GetDlgItem(box, kMessageText))), Utf8(look.caption + std::wstring(L"|") + look.text));
      // The icon static is there even without an icon, only empty.
      EXPECT_EQ(icon && IsWindowVisible(icon) && Send(icon, STM_GETICON), look.icon) << "icon";
      std::vector<int> buttons;
      for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (HWND b = GetDlgItem(box, id); b && IsWindowVisible(b)) buttons.push_back(id);
      EXPECT_EQ(buttons, look.buttons);
      RECT b = {}, work = {};
      GetWindowRect(box, &b), SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      const int offCentre = std::max(std::abs(b.left + b.right - work.left - work.right), std::abs(b.top + b.bottom - work.top - work.bottom));
      EXPECT_TRUE(look.owner == Owner::HiddenMain ? owner && !IsWindowVisible(owner) && Dialogs().size() == 1
                  : look.owner == Owner::Wizard   ? owner == sheet && !IsWindowEnabled(sheet) : offCentre <= 2)
          << "owned by the hidden main window alone / by the wizard, which it disables / centred on the screen: " << int(look.owner);
      EXPECT_TRUE(!look.under || Shows(*look.under)) << "under the message: " << Describe();
      if (s.id == 0) return;
      HWND answer = GetDlgItem(box, s.id);
      ASSERT_TRUE(answer && PostMessageW(answer, BM_CLICK, 0, 0)) << "no button " << s.id;
      // A closing box still counts as shown for a moment: a check that follows would take it for a new one.
      ASSERT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); })) << "the box did not close";
      return;
    }
    case Op::Quiet:
      ASSERT_TRUE(Settled(sheet)) << "the setup does not handle its messages; " << Describe();
      EXPECT_TRUE(Boxes().empty() && Running()) << Describe();
      return;
    case Op::Exit: {
      DWORD code = 0;
      ASSERT_EQ(WaitForSingleObject(process.Get(), kLong.count()), WAIT_OBJECT_0) << "the setup did not end: " << Describe();
      EXPECT_TRUE(GetExitCodeProcess(process.Get(), &code) && code == DWORD(s.id)) << "exit code " << code << ", not " << s.id;
      return;
    }
    case Op::Shot: return Screenshot(Dialogs(), Utf8(s.text));
    case Op::Bar: {  // filled as wide as the product's own rule says for the percentage, at any width
      bool text = false;
      int filled = -1, width = 0;
      EXPECT_TRUE(WaitFor([&] { return (filled = BarFilled(Control(kBar), &width, &text)) == pages::FilledWidth(s.id, width) && text; }))
          << "the bar is filled " << filled << " of " << width << " pixels" << (text ? "" : " without its number") << ", not " << s.id << "%";
      return;
    }
    case Op::CloseLook: {
      // The cross of an enabled close box is drawn black, a greyed one has no black pixel.
      int black = -1;
      EXPECT_TRUE(WaitFor([&] {
        const auto r = CloseBoxRect(sheet);
        const auto p = r ? Capture(RECT{r->left + 2, r->top + 2, r->right - 2, r->bottom - 2}) : std::nullopt;
        black = p ? int(std::count_if(p->data.begin(), p->data.end(), [](DWORD c) { return (c & 0xC0C0C0) == 0; })) : -1;
        return s.id ? black > 0 : black == 0;
      })) << (s.id ? "the close box looks greyed" : "the close box still looks enabled") << ": " << black;
      return;
    }
    case Op::Do: s.fn(*this); return;
  }
}

}  // namespace drv
