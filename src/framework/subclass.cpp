#include "framework/subclass.h"

#include <new>

namespace win {

namespace {
const wchar_t kRecordProperty[] = L"win.Subclass";

struct Record {
    WNDPROC original;
    SubclassProc proc;
    void* data;
};

Record* RecordOf(HWND hwnd) { return static_cast<Record*>(::GetPropW(hwnd, kRecordProperty)); }

LRESULT CALLBACK Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Record* record = RecordOf(hwnd);
    if (!record) return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        WNDPROC original = record->original;
        Unsubclass(hwnd);
        return ::CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    try {
        return record->proc(hwnd, msg, wp, lp, record->data);
    } catch (...) {  // nothing may unwind into the system's frames
        return ::CallWindowProcW(record->original, hwnd, msg, wp, lp);
    }
}
}  // namespace

bool Subclass(HWND hwnd, SubclassProc proc, void* data) {
    if (!hwnd || RecordOf(hwnd)) return false;
    auto* record = new (std::nothrow) Record{nullptr, proc, data};  // called from system callbacks
    if (!record) return false;
    if (!::SetPropW(hwnd, kRecordProperty, record)) {
        delete record;
        return false;
    }
    record->original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Dispatch)));
    return true;
}

void Unsubclass(HWND hwnd) {
    Record* record = RecordOf(hwnd);
    if (!record) return;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->original));
    ::RemovePropW(hwnd, kRecordProperty);
    delete record;
}

LRESULT CallOriginal(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Record* record = RecordOf(hwnd);
    return record ? ::CallWindowProcW(record->original, hwnd, msg, wp, lp) : ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace win
