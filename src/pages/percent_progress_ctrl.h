// A progress bar that draws itself: the done part in the highlight colour and the
// percentage centred on top, inverted where the bar has passed. Built to be driven very
// often: it repaints only when the filled width in pixels changes, and then at most about
// 30 times a second.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "pages/percent_bar_geometry.h"
#include "pages/throttle.h"

class CPercentProgressCtrl {
public:
    CPercentProgressCtrl();
    ~CPercentProgressCtrl();
    CPercentProgressCtrl(const CPercentProgressCtrl&) = delete;
    CPercentProgressCtrl& operator=(const CPercentProgressCtrl&) = delete;

    // Takes over the template's progress control.
    bool SubclassDlgItem(HWND dialog, int id);
    // Returns the previous position, or -1 when the control has no window.
    int SetPos(int position);
    HWND Hwnd() const { return hwnd_; }

private:
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void* data);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnPaint();
    void OnWidthChanged();

    HWND hwnd_ = nullptr;
    std::atomic<int> position_{0};  // written by the worker, read by the paint
    std::wstring text_;
    bool showText_ = true;
    pages::FilledWidthMemo filledWidth_;  // width at the last repaint; a repaint per pixel at most
    std::atomic<int> clientWidth_{0};  // kept from the size message: SetPos must not ask the window
    std::atomic<bool> repaintDue_{false};  // a width change is waiting for its repaint (posted or timed)
    // Each repaint costs the window thread about a millisecond, and a pass can change the width
    // several hundred times a second; 30 repaints a second look the same.
    pages::Throttle repaints_{33};
    COLORREF barColour_;
    COLORREF backgroundColour_;
    COLORREF textOverRemaining_;
    COLORREF textOverDone_;
};
