// A wizard page: one dialog template, one object, messages routed to virtual handlers.
// The return-value contract of the wizard notifications is kept here, once:
//   OnSetActive   true = accept the activation, false = refuse it
//   OnWizardNext  0 = go on, -1 = stay, a template id = jump there (likewise OnWizardBack)
//   OnQueryCancel true = let the wizard close, false = refuse the cancel
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "framework/rich_edit.h"

namespace win {

class PropertyPage {
public:
    explicit PropertyPage(UINT templateId);
    virtual ~PropertyPage() = default;
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;

    PROPSHEETPAGEW PageInfo();
    HWND Hwnd() const { return hwnd_; }
    HWND SheetHwnd() const { return hwnd_ ? ::GetParent(hwnd_) : nullptr; }
    HWND SheetButton(int id) const { return ::GetDlgItem(SheetHwnd(), id); }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }  // false keeps the page
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual bool OnWizardFinish() { return true; }
    virtual bool OnQueryCancel() { return true; }
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Font for a static that asks for its colours; nullptr keeps the template font.
    virtual HFONT FontFor(int controlId) { (void)controlId; return nullptr; }
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    // Any other message; return true when handled, with *result as the dialog result.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result);

    // Gives every static that FontFor names its font, so the look does not depend on
    // whether the control keeps the font selected during WM_CTLCOLORSTATIC.
    void ApplyStaticFonts(const int* ids, int count);
    // The page answers EN_PROTECTED from this rich edit with its ProtectedAnswer.
    void GuardRichEdit(const RichEdit& edit) { guardedEdit_ = &edit; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Answer(LRESULT result);

    UINT templateId_;
    HWND hwnd_ = nullptr;
    const RichEdit* guardedEdit_ = nullptr;
};

}  // namespace win
