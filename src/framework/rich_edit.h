// The requests the setup makes of a rich edit 2.0 control.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <atomic>
#include <string>

namespace win {

class RichEdit {
public:
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    HWND Hwnd() const { return hwnd_; }

    // The answer to EN_PROTECTED. Windows reports the program's own changes of protected text
    // too, not only the user's: what this wrapper is changing goes through (0), anything else is
    // refused (1). The changes may come from another thread, through SendMessage.
    LRESULT ProtectedAnswer() const { return ownChanges_.load() > 0 ? 0 : 1; }

    void SetText(const std::wstring& text) const {
        OwnChange change(*this);
        ::SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Replaces the selection, for example the empty one at the end: how the log grows.
    void ReplaceSelection(const std::wstring& text) const {
        OwnChange change(*this);
        ::SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void SetSel(LONG start, LONG end) const {
        CHARRANGE range{start, end};
        ::SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    // The 60-byte record: the face name there is an 8-bit string.
    void SetDefaultCharFormat(CHARFORMATA& cf) const {
        OwnChange change(*this);
        ::SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    }
    void GetSelectionCharFormat(CHARFORMATW& cf) const { ::SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)); }
    void SetSelectionCharFormat(CHARFORMATW& cf) const {
        OwnChange change(*this);
        ::SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }
    void SetParaFormat(PARAFORMAT& pf) const {
        OwnChange change(*this);
        ::SendMessageW(hwnd_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    }
    void SetOptions(DWORD options) const { ::SendMessageW(hwnd_, EM_SETOPTIONS, ECOOP_SET, options); }
    void SetEventMask(DWORD mask) const { ::SendMessageW(hwnd_, EM_SETEVENTMASK, 0, mask); }
    LONG FirstVisibleLine() const { return static_cast<LONG>(::SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    LONG LineIndex(LONG line) const { return static_cast<LONG>(::SendMessageW(hwnd_, EM_LINEINDEX, line, 0)); }

private:
    // Marks the wrapper's own change for ProtectedAnswer while it runs.
    class OwnChange {
    public:
        explicit OwnChange(const RichEdit& edit) : edit_(edit) { ++edit_.ownChanges_; }
        ~OwnChange() { --edit_.ownChanges_; }
        OwnChange(const OwnChange&) = delete;
        OwnChange& operator=(const OwnChange&) = delete;

    private:
        const RichEdit& edit_;
    };

    HWND hwnd_ = nullptr;
    mutable std::atomic<int> ownChanges_{0};
};

}  // namespace win
