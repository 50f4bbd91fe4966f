// A modal wizard sheet over the platform's property sheet.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "framework/property_page.h"

namespace win {

constexpr int kBackButton = 12323;
constexpr int kNextButton = 12324;
constexpr int kFinishButton = 12325;
constexpr int kCancelButton = IDCANCEL;

class PropertySheet {
public:
    PropertySheet(std::wstring caption, HWND parent, UINT startPage);
    virtual ~PropertySheet() = default;
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;

    void AddPage(PropertyPage& page) { pages_.push_back(&page); }
    void SetWizardMode() { flags_ |= PSH_WIZARD; }
    void SetIcon(HICON icon) { icon_ = icon; }
    // kFinishButton when the wizard was finished, IDCANCEL when cancelled, -1 on failure.
    INT_PTR DoModal();
    HWND Hwnd() const { return hwnd_; }
    void MarkFinished() { finished_ = true; }

protected:
    // The sheet window exists but is not shown yet.
    virtual void OnCreated() {}
    // Messages of the sheet window itself; return true when handled.
    virtual bool OnSheetMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
    static LRESULT SheetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void* data);

    std::wstring caption_;
    HWND parent_;
    UINT startPage_;
    DWORD flags_ = 0;
    HICON icon_ = nullptr;
    HWND hwnd_ = nullptr;
    bool finished_ = false;
    std::vector<PropertyPage*> pages_;
};

}  // namespace win
