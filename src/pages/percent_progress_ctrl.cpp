#include "pages/percent_progress_ctrl.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/handles.h"
#include "framework/subclass.h"
#include "framework/wide.h"
#include "pages/percent_bar_geometry.h"

namespace {
// From SetPos: the filled width changed. The bar's own ids, clear of the progress control's.
constexpr UINT kWidthChanged = WM_APP + 2;
constexpr UINT_PTR kRepaintTimer = 0x4B56;
}  // namespace

CPercentProgressCtrl::CPercentProgressCtrl()
    : barColour_(::GetSysColor(COLOR_HIGHLIGHT)),
      backgroundColour_(::GetSysColor(COLOR_WINDOW)),
      textOverRemaining_(::GetSysColor(COLOR_HIGHLIGHT)),
      textOverDone_(::GetSysColor(COLOR_WINDOW)) {}

CPercentProgressCtrl::~CPercentProgressCtrl() {
    if (hwnd_ && ::IsWindow(hwnd_)) win::Unsubclass(hwnd_);
}

bool CPercentProgressCtrl::SubclassDlgItem(HWND dialog, int id) {
    hwnd_ = ::GetDlgItem(dialog, id);
    if (!hwnd_) return false;
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    clientWidth_ = rc.right - rc.left;
    return win::Subclass(hwnd_, &CPercentProgressCtrl::Proc, this);
}

int CPercentProgressCtrl::SetPos(int position) {
    if (!hwnd_ || !::IsWindow(hwnd_)) return -1;
    int old = position_.exchange(position);
    int width = pages::FilledWidth(position, clientWidth_.load());
    // Not painted from here: the caller is the install worker, which goes on copying while the
    // user-interface thread paints. One notice at a time is enough, since the paint reads the
    // latest position.
    if (filledWidth_.Update(width) && !repaintDue_.exchange(true))
        ::PostMessageW(hwnd_, kWidthChanged, 0, 0);
    return old;
}

void CPercentProgressCtrl::OnWidthChanged() {
    if (const UINT wait = repaints_.Wait(::GetTickCount())) {
        ::SetTimer(hwnd_, kRepaintTimer, wait, nullptr);
        return;
    }
    // Cleared before painting: a change during the paint asks again.
    repaintDue_.store(false);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CPercentProgressCtrl::Proc(HWND, UINT msg, WPARAM wp, LPARAM lp, void* data) {
    return static_cast<CPercentProgressCtrl*>(data)->OnMessage(msg, wp, lp);
}

LRESULT CPercentProgressCtrl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // the paint covers every pixel
    case kWidthChanged:
        OnWidthChanged();
        return 0;
    case WM_TIMER:
        if (wp != kRepaintTimer) return win::CallOriginal(hwnd_, msg, wp, lp);
        ::KillTimer(hwnd_, kRepaintTimer);
        OnWidthChanged();
        return 0;
    case WM_SIZE: {
        LRESULT r = win::CallOriginal(hwnd_, msg, wp, lp);
        clientWidth_ = LOWORD(lp);
        filledWidth_.Forget();
        return r;
    }
    case WM_SETTEXT: {
        LRESULT r = win::CallOriginal(hwnd_, msg, wp, lp);
        std::wstring text = lp ? reinterpret_cast<const wchar_t*>(lp) : L"";
        if (text != text_) {
            text_ = text;
            ::InvalidateRect(hwnd_, nullptr, TRUE);
        }
        return r;
    }
    case WM_GETTEXT: {
        size_t n = std::min(static_cast<size_t>(wp), text_.size());
        auto* out = reinterpret_cast<wchar_t*>(lp);
        if (out && wp > 0) {
            size_t copy = std::min(n, static_cast<size_t>(wp) - 1);
            std::copy_n(text_.c_str(), copy, out);
            out[copy] = L'\0';
        }
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text_.size());
    default:
        return win::CallOriginal(hwnd_, msg, wp, lp);
    }
}

void CPercentProgressCtrl::OnPaint() {
    repaints_.Mark(::GetTickCount());
    const int position = position_.load();  // once: the worker may move it meanwhile
    PAINTSTRUCT ps;
    HDC screen = ::BeginPaint(hwnd_, &ps);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    // Drawn off-screen and copied in one transfer, so the bar never flickers.
    win::UniqueMemoryDc dc(::CreateCompatibleDC(screen));
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1)));
    HGDIOBJ oldBitmap = ::SelectObject(dc.Get(), bitmap.Get());

    int done = pages::FilledWidth(position, width);
    RECT doneRect{client.left, client.top, client.left + done, client.bottom};
    RECT restRect{client.left + done, client.top, client.right, client.bottom};
    HBRUSH barBrush = ::CreateSolidBrush(barColour_);
    HBRUSH backBrush = ::CreateSolidBrush(backgroundColour_);
    ::FillRect(dc.Get(), &doneRect, barBrush);
    ::FillRect(dc.Get(), &restRect, backBrush);
    ::DeleteObject(barBrush);
    ::DeleteObject(backBrush);

    if (showText_) {
        std::wstring text = text_.empty() ? win::ToWide(pages::PercentText(position)) : text_;
        HFONT font = reinterpret_cast<HFONT>(::SendMessageW(::GetParent(hwnd_), WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font ? ::SelectObject(dc.Get(), font) : nullptr;
        ::SetBkMode(dc.Get(), TRANSPARENT);
        RECT textRect = client;
        HRGN region = ::CreateRectRgnIndirect(&doneRect);
        ::SelectClipRgn(dc.Get(), region);
        ::SetTextColor(dc.Get(), textOverDone_);
        ::DrawTextW(dc.Get(), text.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SetRectRgn(region, restRect.left, restRect.top, restRect.right, restRect.bottom);
        ::SelectClipRgn(dc.Get(), region);
        ::SetTextColor(dc.Get(), textOverRemaining_);
        ::DrawTextW(dc.Get(), text.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectClipRgn(dc.Get(), nullptr);
        ::DeleteObject(region);
        if (oldFont) ::SelectObject(dc.Get(), oldFont);
    }
    ::BitBlt(screen, client.left, client.top, width, height, dc.Get(), 0, 0, SRCCOPY);
    ::SelectObject(dc.Get(), oldBitmap);
    ::EndPaint(hwnd_, &ps);
}
